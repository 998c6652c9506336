// Ending the program: the quit and restart commands, the tray menu's exit
// and close requests, and what the window releases when it is destroyed.
#include "app/main_form_win.h"
#include "base/errors.h"
#include "notes/note_file.h"
#include "settings/keys.h"
#include "win/local_time_win.h"
#include "win/shell_open_win.h"

#include <filesystem>

namespace quivra::app {

void TMainForm::FormCloseQuery() {
    bQuitClick();
}

void TMainForm::OnDestroy() {
    // Every way of ending comes here: no secret may stay on the clipboard.
    crypto_.clipboardDecryption().takeSecretOffClipboard();
    // FormDestroy: the hotkey and its atom go with the window.
    presenter_.hotkey().unregister();
    presenter_.setTrayIconVisible(false);
    presenter_.stopTimers();
    PostQuitMessage(0);
}

namespace {

// A settings file that cannot be written must not keep the program from
// ending: only what the key would have remembered is lost then.
template <class F> void writeIfPossible(F&& write) {
    try {
        write();
    } catch (const base::UserError&) {
    }
}

} // namespace

void TMainForm::rememberSelectedNote() {
    const int selected = notes_.selectedNoteIndex();
    if (selected >= 0)
        writeIfPossible([&] {
            settings::write(*state_.SettingsFile, settings::keys::CurrentNoteName,
                            notes_.noteNameAt(selected));
        });
}

bool TMainForm::leaveForGood() {
    // The decrypted view goes back to cipher text and the note is
    // written before anything else happens; a text that can be kept nowhere
    // keeps the program running unless the user gives it up.
    if (!notes_.closeOutgoingNote())
        return false;
    if (state_.isShown) // the slide alone, whatever the hide animation option says
        presenter_.startSlideOut();
    return true;
}

void TMainForm::bQuitClick() {
    rememberSelectedNote();
    if (leaveForGood())
        DestroyWindow(hwnd());
}

void TMainForm::G1Click() {
    rememberSelectedNote();
    // The key lets the new copy wait for this one to end instead of being
    // refused as a second copy. Without it the new copy would be refused:
    // the failed write is shown and nothing restarts.
    settings::write(*state_.SettingsFile, settings::keys::Restart);
    if (!leaveForGood()) {
        writeIfPossible([&] { settings::remove(*state_.SettingsFile, settings::keys::Restart); });
        return;
    }
    // The new copy gets this copy's parameters, each after a space.
    std::wstring parameters;
    for (const auto& p : env_.arguments)
        parameters += L" " + p;
    const auto slash = env_.exePath.find_last_of(L"\\/");
    win::shellOpen({env_.exePath, parameters,
                    slash == std::wstring::npos ? std::wstring() : env_.exePath.substr(0, slash),
                    SW_SHOW});
    DestroyWindow(hwnd());
}

void TMainForm::OnQueryEndSession() {
    // What quit keeps is kept; no question may hold the session up, so a
    // text that can be written nowhere stays only in the recovery attempt.
    rememberSelectedNote();
    crypto_.clipboardDecryption()
        .takeSecretOffClipboard(); // the session may end before the window goes
    cipher_.returnCipher();
    notes_.SaveIfModified(notes::Moment::EndSession);
    cipher_.resetDecryptState();
}

void TMainForm::N6Click() {
    // The tray's exit ends the program at once without writing the note. A
    // change not yet written is still kept as a recovery file, a decrypted
    // view's with the cipher in place of its decrypted text.
    if (note_.modified() && note_.enabled() && !state_.NoteReadOnly &&
        !state_.currentNotePath.empty()) {
        try {
            notes::writeRecoveryFile(std::filesystem::path(state_.dataFolder),
                                     state_.currentNoteName, win::localNow(), cipher_.rtfToSave());
        } catch (const base::UserError&) {
        }
    }
    note_.setModified(false); // the focus leaving the editor must not save either
    DestroyWindow(hwnd());
}

} // namespace quivra::app
