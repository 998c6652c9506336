#include "donation/d_form_win.h"

#include <commctrl.h>

#include "donation/donation_details.h"
#include "win/wide_win.h"

namespace quivra::donation {

namespace {
constexpr wchar_t kClassName[] = L"TDForm";
constexpr wchar_t kNotSetText[] = L"Реквизиты для пожертвований не указаны.";
constexpr std::array kFields = {TDForm::kWM_R, TDForm::kWM_Z, TDForm::kWM_E, TDForm::kQ};
} // namespace

TDForm::TDForm(std::filesystem::path dataFolder) : dataFolder_(std::move(dataFolder)) {}

bool TDForm::create() {
    if (!createFrame(kClassName, L"Пожертвование", kWidth, kHeight))
        return false;
    HFONT text = font(11);
    addHeader(kHeader, L"Quivra - Пожертвование", 26, font(11, FW_BOLD));
    addControl(L"STATIC", L"Пожертвовать на программу, Вы можете:", SS_LEFT | SS_NOPREFIX, kIntro,
               12, 36, 351, 16, text);
    addControl(L"STATIC", L"1.", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kFirstService, 12, 58, 351,
               16, text);
    const DWORD field = WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL;
    addControl(L"EDIT", L"", field, kWM_R, 24, 76, 107, 21, text, WS_EX_CLIENTEDGE);
    addControl(L"EDIT", L"", field, kWM_Z, 137, 76, 107, 21, text, WS_EX_CLIENTEDGE);
    addControl(L"EDIT", L"", field, kWM_E, 250, 76, 107, 21, text, WS_EX_CLIENTEDGE);
    addControl(L"STATIC", L"2.", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kSecondService, 12, 106,
               351, 16, text);
    addControl(L"EDIT", L"", field, kQ, 24, 124, 160, 21, text, WS_EX_CLIENTEDGE);
    addControl(L"STATIC", kNotSetText, SS_LEFT | SS_NOPREFIX, kNotSet, 12, 58, 351, 32, text);
    addControl(L"BUTTON", L"Ok", WS_TABSTOP | BS_DEFPUSHBUTTON, kSButton1, 150, 166, 75, 25, text);
    for (int id : kFields)
        SetWindowSubclass(GetDlgItem(hwnd(), id), &TDForm::fieldProc, static_cast<UINT_PTR>(id),
                          reinterpret_cast<DWORD_PTR>(this));
    loadDetails();
    return true;
}

void TDForm::show() {
    loadDetails();
    DonationWindow::show();
}

void TDForm::loadDetails() {
    const auto details = readDonationDetails(dataFolder_);
    const auto put = [&](int id, const std::u16string& text, bool visible) {
        HWND control = GetDlgItem(hwnd(), id);
        SetWindowTextW(control, win::asWide(text));
        ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
    };
    const DonationDetails none;
    const DonationDetails& d = details ? *details : none;
    const bool first = details && d.firstServiceSet();
    const bool second = details && d.secondServiceSet();
    ShowWindow(GetDlgItem(hwnd(), kIntro), details ? SW_SHOWNA : SW_HIDE);
    put(kFirstService, u"1. " + d.service1, first);
    put(kWM_R, d.account1, first);
    put(kWM_Z, d.account2, first);
    put(kWM_E, d.account3, first);
    put(kSecondService, u"2. " + d.service2, second);
    put(kQ, d.account4, second);
    ShowWindow(GetDlgItem(hwnd(), kNotSet), details ? SW_HIDE : SW_SHOWNA);
}

LRESULT TDForm::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLORSTATIC) {
        // The fields are read-only but hold text to copy: give them the
        // window colour of an ordinary field.
        const HWND control = reinterpret_cast<HWND>(lp);
        for (int id : kFields)
            if (control == GetDlgItem(hwnd(), id)) {
                HDC dc = reinterpret_cast<HDC>(wp);
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
    }
    return DonationWindow::handleMessage(msg, wp, lp);
}

void TDForm::onButton(int id) {
    if (id == kSButton1)
        sButton1Click();
}

void TDForm::sButton1Click() {
    hide();
}

void TDForm::WM_RClick() {
    selectAll(GetDlgItem(hwnd(), kWM_R));
}
void TDForm::WM_ZClick() {
    selectAll(GetDlgItem(hwnd(), kWM_Z));
}
void TDForm::WM_EClick() {
    selectAll(GetDlgItem(hwnd(), kWM_E));
}
void TDForm::QClick() {
    selectAll(GetDlgItem(hwnd(), kQ));
}

void TDForm::onFieldClick(int id) {
    switch (id) {
    case kWM_R:
        WM_RClick();
        break;
    case kWM_Z:
        WM_ZClick();
        break;
    case kWM_E:
        WM_EClick();
        break;
    case kQ:
        QClick();
        break;
    default:
        break;
    }
}

void TDForm::selectAll(HWND field) {
    SendMessageW(field, EM_SETSEL, 0, -1);
}

LRESULT CALLBACK TDForm::fieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                   DWORD_PTR self) {
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &TDForm::fieldProc, id);
    } else if (msg == WM_LBUTTONUP) {
        // After the field's own handling, which has put the caret where the
        // mouse was.
        const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        auto* form = reinterpret_cast<TDForm*>(self);
        win::guardedCall(
            [&] {
                form->onFieldClick(static_cast<int>(id));
                return LRESULT{0};
            },
            [&](const wchar_t* text) { win::showErrorBox(form->hwnd(), text); });
        return r;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace quivra::donation
