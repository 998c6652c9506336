// The encrypt and decrypt commands: opening the password panel, its Ok in
// both modes and the middle-button confirmation, the work on a selection or
// on every line of the note, and the return of the cipher. A decryption
// into the clipboard hands its text to the clipboard decryption.
#pragma once

#include "crypto/cipher_events.h"
#include "crypto/cipher_state_win.h"
#include "crypto/clipboard_decryption_win.h"
#include "crypto/command_items_win.h"
#include "crypto/editor_fit.h"
#include "crypto/key_set.h"
#include "crypto/note_lines_cipher.h"
#include "crypto/open_note_file.h"
#include "crypto/password_panel_win.h"
#include "crypto/strong_token.h"
#include "document/rich_edit_win.h"
#include "program/program_state.h"
#include "settings/options_win.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quivra::crypto {

class CipherCommands {
  public:
    struct Services {
        document::RichEdit& note;
        const program::ProgramState& state;
        const settings::Options& options;
        CipherState& cipher;
        CipherEvents& events;
        const OpenNoteFile& noteFile;
    };
    CipherCommands(const Services& services, PasswordPanel& panel, CommandItems& items,
                   ClipboardDecryption& clipboard);

    void EnCrClick();
    void DeCrClick();
    void N10Click(); // Alt+C
    void N11Click(); // Alt+D
    void N13Click(); // Alt+R
    void ECOkClick();
    void ECCancelClick();
    void ECEditMouseUp(); // the middle button over the password field
    // The panel says that whole lines were encrypted because of typing at
    // the edge of decrypted text, when the return of the cipher left such a
    // notice.
    void showReturnNotice();

  private:
    // `fromOk` is false for the middle-button confirmation, which shows no
    // progress, decrypts a selection in place, leaves the modified flag and
    // the decrypt state alone.
    void encryptOk();
    void decryptOk();
    void runEncryption(bool fromOk);
    void runDecryption(bool fromOk);
    void returnCipherClick();
    // The keys of one command, both ciphers': the compatible key set, and the
    // strong cipher's, derived per salt as tokens need them.
    struct CommandKeys {
        KeySet compatible;
        std::unique_ptr<StrongKeys> strong;
    };
    CommandKeys deriveKeys();
    // Derives the strong keys of these salts before the command uses them;
    // false when the user gave up (Esc).
    bool deriveInBackground(StrongKeys& keys, std::vector<StrongSalt> salts);
    // What a whole-note command came to.
    struct WholeNoteResult {
        std::vector<std::size_t> left;      // lines the editor would not keep
        std::vector<std::size_t> failed;    // tokens the password does not open
        std::size_t padded = 0;             // lines that got a trailing space
        std::size_t changed = 0;            // lines written
        std::optional<std::size_t> refused; // a line no padding helps: nothing changed
    };
    void showEditor(bool shown);
    // Replaces the selection and checks that the editor holds the new text;
    // otherwise puts the old text back and answers false.
    bool replaceKept(document::CharRange selection, const std::u16string& text,
                     const std::u16string& old);
    // The rich text a whole-note decryption rewrites: the note's file when
    // `asSaved` (the editor holds what it was read from or wrote) and the
    // file is still that one, else the editor's content read out.
    struct RewriteSource {
        std::string rtf;
        bool readFromEditor = true;
    };
    RewriteSource decryptionSource(bool asSaved);
    // Every line outside comment blocks; answers the lines left as they were.
    // A decryption passes what it rewrites (`source`), keeps a backup of the
    // content to return to and sets the replaced content aside.
    WholeNoteResult processAllLines(CipherDirection direction, CommandKeys& keys, bool showProgress,
                                    RewriteSource* source = nullptr);
    // The changes of a whole-note command, or a result that changes nothing.
    NoteLinesPlan planAllLines(const std::vector<std::u16string>& lines, CipherDirection direction,
                               CommandKeys& keys, WholeNoteResult& result);
    // `noteText`: the editor's text that `lines` were split from.
    void writePlan(std::u16string_view noteText, std::vector<std::u16string>& lines,
                   NoteLinesPlan& plan, bool backwards, CipherDirection direction,
                   bool showProgress, RewriteSource* source);
    // Every change in one rewrite of the editor's content, which costs what
    // loading the note costs; a note the rewrite cannot place (tables,
    // pictures, fields) is refused, and its lines are replaced in the editor.
    document::RichEdit::ParagraphsReplaced
    replaceAtOnce(std::u16string_view noteText, NoteLinesPlan& plan, const RewriteSource* source);
    // The panel's message after a whole-note command; false when there is
    // none and the panel may close.
    bool reportWholeNote(CipherDirection direction, const WholeNoteResult& result);
    // The lines of a whole-note command being written back.
    struct LineWriter {
        const std::vector<std::u16string>& lines;
        CipherDirection direction;
        bool backwards; // from the last line to the first
        bool showProgress;
        std::vector<const std::u16string*> newText{}; // per line
        std::vector<long> starts{};                   // per line
        std::vector<bool> changed{};                  // per line
        std::chrono::steady_clock::time_point shown{};
    };
    void writeLines(LineWriter& writer, std::size_t first, std::size_t last);
    bool formatUniform(document::CharRange range);
    void putBackChangedLines(std::vector<std::u16string>& before, const NoteLinesPlan& plan,
                             std::vector<std::size_t>& left);
    // Stops a command with a message in the open panel (the caption goes).
    void stopWithMessage(std::u16string_view text, bool red);

    document::RichEdit& note_;
    const program::ProgramState& state_;
    const settings::Options& options_;
    CipherState& cipher_;
    CipherEvents& events_;
    const OpenNoteFile& noteFile_;
    PasswordPanel& panel_;
    CommandItems& items_;
    ClipboardDecryption& clipboard_;
};

} // namespace quivra::crypto
