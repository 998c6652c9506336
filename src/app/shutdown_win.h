// Ending the program: quit, restart, the tray menu's exit, the end of the
// user's session, and what the window releases when it is destroyed.
#pragma once

#include "app/environment_win.h"
#include "crypto/cipher_state_win.h"
#include "crypto/crypto_controller_win.h"
#include "document/rich_edit_win.h"
#include "notes/notes_controller_win.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "window/presenter_win.h"

namespace quivra::app {

class Shutdown {
  public:
    struct Parts {
        document::RichEdit& note;
        crypto::CipherState& cipher;
        notes::NotesController& notes;
        window::Presenter& presenter;
        crypto::CryptoController& crypto;
    };
    Shutdown(program::Host& host, const Environment& env, program::ProgramState& state, Parts parts)
        : host_(host), env_(env), state_(state), parts_(parts) {}

    // Quit: the note is left for good, then the window goes.
    void bQuitClick();
    // Restart: as quit, and a new copy with this copy's parameters starts.
    void G1Click();
    // The tray menu's exit: at once, without writing the note.
    void N6Click();
    // The user's session ends (log-off, shutdown): what quit keeps is kept,
    // and the session is never held up.
    void OnQueryEndSession();
    // The window is being destroyed, whichever way the program ends.
    void OnDestroy();

  private:
    // The selected note is remembered for the next start.
    void rememberSelectedNote();
    // The note is left for good (false when the user chose to stay with a
    // note whose text could be kept nowhere) and the window slides out.
    bool leaveForGood();

    program::Host& host_;
    const Environment& env_;
    program::ProgramState& state_;
    Parts parts_;
};

} // namespace quivra::app
