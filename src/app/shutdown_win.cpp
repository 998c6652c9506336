// Ending the program: the quit and restart commands, the tray menu's exit
// and close requests, and what the window releases when it is destroyed.
#include "app/shutdown_win.h"

#include "base/errors.h"
#include "notes/note_file.h"
#include "settings/keys.h"
#include "win/local_time_win.h"
#include "win/shell_open_win.h"

#include <filesystem>

namespace quivra::app {

void Shutdown::OnDestroy() {
    // Every way of ending comes here: no secret may stay on the clipboard.
    parts_.crypto.clipboardDecryption().takeSecretOffClipboard();
    // FormDestroy: the hotkey and its atom go with the window.
    parts_.presenter.hotkey().unregister();
    parts_.presenter.setTrayIconVisible(false);
    parts_.presenter.stopTimers();
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

void Shutdown::rememberSelectedNote() {
    const int selected = parts_.notes.lists().selectedNoteIndex();
    if (selected >= 0)
        writeIfPossible([&] {
            settings::write(*state_.SettingsFile, settings::keys::CurrentNoteName,
                            parts_.notes.lists().noteNameAt(selected));
        });
}

bool Shutdown::leaveForGood() {
    // The decrypted view goes back to cipher text and the note is
    // written before anything else happens; a text that can be kept nowhere
    // keeps the program running unless the user gives it up.
    if (!parts_.notes.store().closeOutgoingNote())
        return false;
    if (state_.isShown) // the slide alone, whatever the hide animation option says
        parts_.presenter.startSlideOut();
    return true;
}

void Shutdown::bQuitClick() {
    rememberSelectedNote();
    if (leaveForGood())
        DestroyWindow(host_.mainWindow());
}

void Shutdown::G1Click() {
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
    DestroyWindow(host_.mainWindow());
}

void Shutdown::OnQueryEndSession() {
    // What quit keeps is kept; no question may hold the session up, so a
    // text that can be written nowhere stays only in the recovery attempt.
    rememberSelectedNote();
    // The session may end before the window goes.
    parts_.crypto.clipboardDecryption().takeSecretOffClipboard();
    parts_.cipher.returnCipher();
    parts_.notes.store().SaveIfModified(notes::Moment::EndSession);
    parts_.cipher.resetDecryptState();
}

void Shutdown::N6Click() {
    // The tray's exit ends the program at once without writing the note. A
    // change not yet written is still kept as a recovery file, a decrypted
    // view's with the cipher in place of its decrypted text.
    if (parts_.note.modified() && parts_.note.enabled() && !state_.NoteReadOnly &&
        !state_.currentNotePath.empty()) {
        try {
            notes::writeRecoveryFile(std::filesystem::path(state_.dataFolder),
                                     state_.currentNoteName, win::localNow(),
                                     parts_.cipher.rtfToSave());
        } catch (const base::UserError&) {
        }
    }
    parts_.note.setModified(false); // the focus leaving the editor must not save either
    DestroyWindow(host_.mainWindow());
}

} // namespace quivra::app
