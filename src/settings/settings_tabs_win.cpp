#include "settings/settings_tabs_win.h"

#include "settings/settings_ids.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"

#include <commctrl.h>

namespace quivra::settings {

int SettingsTabs::px(int designed) const {
    return win::scale(designed, dpi_);
}

std::array<win::Panel*, 3> SettingsTabs::pages() const {
    auto& self = const_cast<SettingsTabs&>(*this);
    return {&self.GeneralSPage, &self.NotesSPage, &self.ViewSPage};
}

void SettingsTabs::create(HWND page, HWND notifyTarget, UINT dpi) {
    dpi_ = dpi;
    notifyTarget_ = notifyTarget;
    RECT rc;
    GetClientRect(page, &rc);
    SettingsP = win::createControl(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP | TCS_BOTTOM,
                                   page, ID_SETTINGSP, {0, 0, rc.right, rc.bottom});
    const wchar_t* names[] = {L"Общие", L"Заметки", L"Вид и анимация"};
    for (int i = 0; i < 3; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(names[i]);
        TabCtrl_InsertItem(SettingsP, i, &item);
        pages()[i]->create(page, notifyTarget, 0, 0, px(600), px(380));
    }
}

void SettingsTabs::createQuitButton(HWND page, win::UniqueMenu menu) {
    bQuit = win::createButton(page, ID_BQUIT, L"Выход", {0, 0, px(75), px(25)});
    QuitMenu = std::move(menu);
}

HWND SettingsTabs::control(int id) const {
    return id == ID_SETTINGSP ? SettingsP : id == ID_BQUIT ? bQuit : nullptr;
}

void SettingsTabs::layout(int width, int height) {
    MoveWindow(SettingsP, 0, 0, width, height, TRUE);
    RECT r{0, 0, width, height};
    TabCtrl_AdjustRect(SettingsP, FALSE, &r);
    for (win::Panel* p : pages()) {
        MoveWindow(p->hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        SetWindowPos(p->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    MoveWindow(bQuit, width - px(75) - px(4), height - px(25) - px(1), px(75), px(25), TRUE);
    SetWindowPos(bQuit, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SettingsTabs::selectTab(int index) {
    tab_ = index;
    if (!SettingsP)
        return;
    TabCtrl_SetCurSel(SettingsP, index);
    for (int i = 0; i < 3; ++i)
        ShowWindow(pages()[i]->hwnd(), i == index ? SW_SHOW : SW_HIDE);
}

bool SettingsTabs::onNotify(NMHDR& hdr, LRESULT& result) {
    if (!SettingsP || hdr.hwndFrom != SettingsP || hdr.code != TCN_SELCHANGE)
        return false;
    selectTab(TabCtrl_GetCurSel(SettingsP));
    result = 0;
    return true;
}

bool SettingsTabs::onContextMenu(HWND control, POINT screen) {
    if (!bQuit || control != bQuit)
        return false;
    if (screen.x == -1 && screen.y == -1) {
        RECT rc;
        GetWindowRect(control, &rc);
        screen = {rc.left, rc.bottom};
    }
    TrackPopupMenu(QuitMenu.get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, notifyTarget_, nullptr);
    return true;
}

void SettingsTabs::bQuitClick() {
    host_.quit();
}

void SettingsTabs::G1Click() {
    host_.restart();
}

} // namespace quivra::settings
