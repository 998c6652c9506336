// The pages "Справка" and "О программе".
#include "app/info_pages_win.h"

#include "app/app_ids.h"
#include "app/info_texts.h"
#include "crypto/crypto_controller_win.h"
#include "donation/donation_ids.h"
#include "editor/formatting_controller_win.h"
#include "notes/notes_controller_win.h"
#include "skins/skin_engine_win.h"
#include "win/controls_win.h"
#include "win/fonts_win.h"

#include <commctrl.h>

namespace quivra::app {

void InfoPages::ensure(HWND helpPage, HWND aboutPage, HFONT font) {
    if (HelpPages)
        return;
    compose(helpPage, aboutPage);
    for (HWND p : {helpPage, aboutPage})
        win::setFontTree(p, font);
    const UINT dpi = static_cast<UINT>(host_.scale(96));
    titleFont_ = win::tahomaFont(win::pixelsOfPoints(18, dpi), FW_BOLD);
    underlineFont_ = win::tahomaFont(win::pixelsOfPoints(8, dpi), FW_NORMAL, {.underline = true});
    SendMessageW(aboutTitle_, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
    SendMessageW(AdvLabel, WM_SETFONT, reinterpret_cast<WPARAM>(underlineFont_.get()), FALSE);
    layout(helpPage);
    fillHelpTexts();
    if (skins::skinEngine().isActive())
        for (HWND p : {helpPage, aboutPage})
            skins::skinEngine().applyTo(p);
}

void InfoPages::compose(HWND help, HWND about) {
    const auto px = [this](int v) { return host_.scale(v); };
    HelpPages = win::createControl(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | TCS_FOCUSNEVER, help,
                                   ID_HELPPAGES, {0, 0, px(600), px(380)});
    int i = 0;
    for (const wchar_t* title : {L"Общие сведения", L"Горячие клавиши", L"Лицензия"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(title);
        TabCtrl_InsertItem(HelpPages, i, &item);
        // The text is put in once the box has its font and size: wrapping
        // a long text again for each of those changes is slow.
        HWND text = win::createEdit(help, ID_HELPTEXT + 0, L"", {0, 0, px(100), px(100)},
                                    ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL);
        const int tabStops[] = {56}; // dialog units
        SendMessageW(text, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(tabStops));
        if (i > 0)
            ShowWindow(text, SW_HIDE);
        helpTexts_.push_back(text);
        ++i;
    }

    HWND title = win::createLabel(about, 0, L"Quivra", {px(16), px(16), px(300), px(34)});
    HWND version = win::createLabel(about, 0, (std::wstring(L"Версия ") + kProgramVersion).c_str(),
                                    {px(18), px(52), px(300), px(14)});
    win::createLabel(about, 0, kAboutText, {px(18), px(78), px(560), px(90)});
    AdvLabel = win::createLabel(about, donation::ID_ADVLABEL,
                                L"Хотите пожертвовать на программу? Щелкните эту надпись",
                                {px(18), px(180), px(420), px(14)}, SS_NOTIFY);
    SetWindowSubclass(
        AdvLabel,
        [](HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) -> LRESULT {
            if (msg == WM_SETCURSOR) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            return DefSubclassProc(h, msg, wp, lp);
        },
        1, 0);
    aboutTitle_ = title;
    (void)version;
}

namespace {

// The key list: the keys of every subsystem's commands, from their tables.
std::wstring shortcutsText() {
    return std::wstring(kHelpWindowKeysText) +
           program::helpLines(notes::NotesController::commands()) +
           program::helpLines(editor::FormattingController::commands()) + L"\r\nШифрование\r\n" +
           program::helpLines(crypto::CryptoController::commands());
}

} // namespace

void InfoPages::fillHelpTexts() {
    const std::wstring keys = shortcutsText();
    const wchar_t* texts[] = {kHelpGeneralText, keys.c_str(), kHelpLicenceText};
    for (size_t i = 0; i < helpTexts_.size(); ++i)
        SetWindowTextW(helpTexts_[i], texts[i]);
}

void InfoPages::layout(HWND helpPage) {
    if (!HelpPages)
        return;
    RECT hp;
    GetClientRect(helpPage, &hp);
    MoveWindow(HelpPages, 0, 0, hp.right, hp.bottom, TRUE);
    RECT inner{0, 0, hp.right, hp.bottom};
    TabCtrl_AdjustRect(HelpPages, FALSE, &inner);
    for (HWND t : helpTexts_) {
        MoveWindow(t, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top,
                   TRUE);
        SetWindowPos(t, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void InfoPages::selectFirstTab() {
    if (HelpPages)
        TabCtrl_SetCurSel(HelpPages, 0);
}

bool InfoPages::onNotify(const NMHDR& hdr) {
    if (!HelpPages || hdr.hwndFrom != HelpPages || hdr.code != TCN_SELCHANGE)
        return false;
    const int sel = TabCtrl_GetCurSel(HelpPages);
    for (size_t i = 0; i < helpTexts_.size(); ++i)
        ShowWindow(helpTexts_[i], static_cast<int>(i) == sel ? SW_SHOW : SW_HIDE);
    return true;
}

} // namespace quivra::app
