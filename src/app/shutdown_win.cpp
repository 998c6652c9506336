// Ending the program: the quit command, the tray menu's exit and close
// requests, and what the window releases when it is destroyed.
#include "app/main_form_win.h"
#include "app/data_folders.h"
#include "notes/local_time_win.h"
#include "platform/errors.h"
#include "settings/keys.h"

#include <filesystem>

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
    if (selectedNoteIndex() >= 0) {
        // A settings file that cannot be written must not keep the program
        // from ending: only the remembered note is lost then.
        try {
            settings::write(*state_.settingsFile, settings::keys::CurrentNoteName,
                            noteNameAt(selectedNoteIndex()));
        } catch (const UserError&) {
        }
    }
    // The decrypted view goes back to cipher text and the note is written
    // before anything else happens; a text that can be kept nowhere keeps
    // the program running unless the user gives it up.
    if (!closeOutgoingNote())
        return;
    if (state_.isShown)
        startSlideOut();
    DestroyWindow(hwnd());
}

void TMainForm::N6Click() {
    // The tray's exit ends the program at once without writing the note. A
    // change not yet written is still kept as a recovery file, unless the
    // editor shows a decryption (which must never reach the disk).
    if (note_.modified() && note_.enabled() && !noteReadOnly_ && !state_.cipherBackup &&
        state_.decryptState == 0 && !state_.currentNotePath.empty()) {
        try {
            notes::writeRecoveryFile(std::filesystem::path(dataFolder(state_.programFolder)),
                                     state_.currentNoteName, notes::localNow(), note_.rtf());
        } catch (const UserError&) {
        }
    }
    note_.setModified(false); // the focus leaving the editor must not save either
    DestroyWindow(hwnd());
}

void TMainForm::quit() {
    bQuitClick();
}

void TMainForm::restart() {
    bQuitClick();
}

} // namespace quivra::app
