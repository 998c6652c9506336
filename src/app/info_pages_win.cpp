// The pages "Справка" and "О программе".
#include "app/info_texts.h"
#include "app/main_form_win.h"
#include "skins/skin_engine_win.h"
#include "win/controls_win.h"

#include <commctrl.h>

namespace quivra::app {

void TMainForm::ensureInfoPages() {
    // Most runs never open these pages: they are made when first shown.
    if (HelpPages)
        return;
    ensurePage(program::Page::Help);
    ensurePage(program::Page::About);
    composeInfoPages();
    for (program::Page p : {program::Page::Help, program::Page::About})
        win::setFontTree(page(p), font_.get());
    applyInfoFonts();
    layoutHelpPage();
    fillHelpTexts();
    if (skins::skinEngine().isActive())
        for (program::Page p : {program::Page::Help, program::Page::About})
            skins::skinEngine().applyTo(page(p));
}

void TMainForm::composeInfoPages() {
    const auto px = [this](int v) { return scale(v); };
    HWND help = page(program::Page::Help);
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

    HWND about = page(program::Page::About);
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

void TMainForm::fillHelpTexts() {
    const std::wstring keys = shortcutsText();
    const wchar_t* texts[] = {kHelpGeneralText, keys.c_str(), kHelpLicenceText};
    for (size_t i = 0; i < helpTexts_.size(); ++i)
        SetWindowTextW(helpTexts_[i], texts[i]);
}

void TMainForm::layoutHelpPage() {
    if (!HelpPages)
        return;
    RECT hp;
    GetClientRect(page(program::Page::Help), &hp);
    MoveWindow(HelpPages, 0, 0, hp.right, hp.bottom, TRUE);
    RECT inner{0, 0, hp.right, hp.bottom};
    TabCtrl_AdjustRect(HelpPages, FALSE, &inner);
    for (HWND t : helpTexts_) {
        MoveWindow(t, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top,
                   TRUE);
        SetWindowPos(t, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TMainForm::applyInfoFonts() {
    SendMessageW(aboutTitle_, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
    SendMessageW(AdvLabel, WM_SETFONT, reinterpret_cast<WPARAM>(underlineFont_.get()), FALSE);
}

} // namespace quivra::app
