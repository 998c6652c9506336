// Ending the program: the quit command, the tray menu's exit and close
// requests, and what the window releases when it is destroyed.
#include "app/main_form_win.h"
#include "settings/keys.h"

namespace quivra::app {

void TMainForm::OnClose() {
    bQuitClick();
}

void TMainForm::OnDestroy() {
    // FormDestroy: the hotkey and its atom go with the window.
    hotkey_->unregister();
    tray_->setVisible(false);
    for (UINT_PTR id = 1; id < timers_.size(); ++id)
        setTimer(id, false);
    PostQuitMessage(0);
}

void TMainForm::bQuitClick() {
    const int sel = static_cast<int>(SendMessageW(control(ID_NOTESNAMESLIST), CB_GETCURSEL, 0, 0));
    if (sel >= 0)
        settings::write(*state_.settingsFile, settings::keys::CurrentNoteName,
                        state_.currentNoteName);
    DestroyWindow(hwnd());
}

void TMainForm::N6Click() {
    DestroyWindow(hwnd());
}

void TMainForm::quit() {
    bQuitClick();
}

void TMainForm::restart() {
    bQuitClick();
}

} // namespace quivra::app
