// Ending the program: the quit and restart commands, the tray menu's exit
// and close requests, and what the window releases when it is destroyed.
#include "app/main_form_win.h"
#include "notes/local_time_win.h"
#include "notes/note_file.h"
#include "platform/errors.h"
#include "settings/keys.h"

#include <filesystem>

namespace quivra::app {

void TMainForm::OnClose() {
    bQuitClick();
}

void TMainForm::OnDestroy() {
    // FormDestroy: the hotkey and its atom go with the window.
    presenter_.hotkey().unregister();
    presenter_.setTrayIconVisible(false);
    presenter_.stopTimers();
    PostQuitMessage(0);
}

void TMainForm::bQuitClick() {
    const int selected = notes_.selectedNoteIndex();
    if (selected >= 0) {
        // A settings file that cannot be written must not keep the program
        // from ending: only the remembered note is lost then.
        try {
            settings::write(*state_.settingsFile, settings::keys::CurrentNoteName,
                            notes_.noteNameAt(selected));
        } catch (const UserError&) {
        }
    }
    // The decrypted view goes back to cipher text and the note is written
    // before anything else happens; a text that can be kept nowhere keeps
    // the program running unless the user gives it up.
    if (!notes_.closeOutgoingNote())
        return;
    if (state_.isShown)
        presenter_.startSlideOut();
    DestroyWindow(hwnd());
}

void TMainForm::G1Click() {
    // The restart with its new copy arrives with the window's quit paths;
    // until then it quits.
    bQuitClick();
}

void TMainForm::N6Click() {
    // The tray's exit ends the program at once without writing the note. A
    // change not yet written is still kept as a recovery file, unless the
    // editor shows a decryption (which must never reach the disk).
    if (note_.modified() && note_.enabled() && !state_.noteReadOnly && !cipher_.hasBackup() &&
        cipher_.decryptState() == 0 && !state_.currentNotePath.empty()) {
        try {
            notes::writeRecoveryFile(std::filesystem::path(state_.dataFolder),
                                     state_.currentNoteName, notes::localNow(), note_.rtf());
        } catch (const UserError&) {
        }
    }
    note_.setModified(false); // the focus leaving the editor must not save either
    DestroyWindow(hwnd());
}

} // namespace quivra::app
