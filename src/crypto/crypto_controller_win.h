// The encryption subsystem of the main window: the comment-bracket commands
// with the Ctrl+click selection and its action menu CopyOnlyMenu, the
// encrypt and decrypt commands with the password panel and the return of
// the cipher, and the decryption into the clipboard with its countdown
// window TTimerForm and timer TPTimer.
//
// The commands' items live in the additional menu (AdditMenu), which the
// editor subsystem builds with this subsystem's identifiers and hands over
// with setCommandMenu: the refresh enables them there, the decrypt item
// changes its caption there, and the commands test their item there. The
// keyboard shortcuts are hidden items of a menu that is never shown, as the
// editor's hidden context-menu items are: they act only while the editor has
// the focus.
#pragma once

#include "crypto/cipher_state_win.h"
#include "crypto/clipboard_countdown.h"
#include "crypto/crypto_ids.h"
#include "crypto/editor_fit.h"
#include "crypto/key_set.h"
#include "crypto/note_lines_cipher.h"
#include "crypto/open_note_file.h"
#include "crypto/password_panel_win.h"
#include "crypto/strong_token.h"
#include "crypto/timer_form_win.h"
#include "document/rich_edit_win.h"
#include "program/command_table_win.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "settings/options_win.h"
#include "win/handles_win.h"
#include "win/subclass_win.h"
#include "window/floating_panels_win.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quivra::crypto {

class CryptoController final : public program::Subsystem {
  public:
    CryptoController(program::Host& host, program::ProgramState& state, document::RichEdit& note,
                     const settings::Options& options, CipherState& cipher,
                     window::FloatingPanels& panels, CipherEvents& events,
                     const OpenNoteFile& noteFile);
    ~CryptoController() override;

    // Builds the password panel in the editor area, the countdown window
    // and the menus, and starts watching the editor's mouse for Ctrl+click.
    void create(HWND mainWindow, HWND editorArea);
    // The additional menu holding the items CommentStart to DeCrBuf.
    void setCommandMenu(HMENU menu);
    HMENU commandMenu() const noexcept { return commandMenu_; }

    // For the refresh: the editor's selection holds "##[" or "]##". The
    // selected text is read again only when the selection or the text's
    // length changed.
    bool selectionHoldsMarker() const;

    // --- Comment brackets ------------------------------------------------------
    void CommentStartClick();
    void CommentEndClick();
    void CommentClick();
    void UnCommentClick();
    void C1Click();
    void SelectOnlyTextCommentClick();
    void D2Click(); // Alt+S

    // --- Encrypt and decrypt ---------------------------------------------------
    void EnCrClick();
    void DeCrClick();
    void N10Click(); // Alt+C
    void N11Click(); // Alt+D
    void N13Click(); // Alt+R
    void ECOkClick();
    void ECCancelClick();
    void ECEditMouseUp(); // the middle button over the password field

    // --- Decrypt to clipboard --------------------------------------------------
    void DeCrBufClick();
    void H1Click(); // Alt+V
    void TPTimerTimer();
    // Until the secret is gone from the clipboard, a busy clipboard included.
    bool countdownRunning() const { return countdown_.running(); }
    const ClipboardCountdown& countdown() const { return countdown_; }
    // Occasions for another try when the clipboard was busy at the end: the
    // main window was called in; the program or the session ends (then even
    // a running countdown ends at once).
    void mainWindowCalledIn();
    void takeSecretOffClipboard();

    // --- Parts, for the main window and the tests -----------------------------
    PasswordPanel& passwordPanel() { return panel_; }
    TTimerForm& timerForm() { return timerForm_; }
    HMENU copyOnlyMenu() const { return copyOnlyMenu_.get(); }
    HMENU shortcutItems() const { return shortcutItems_.get(); }
    // The decrypt command went back to its first mode: its item reads
    // "Расшифровать" again.
    void decryptStateReset() { setReturnCaption(false); }
    // Opens a popup menu at a screen point (TrackPopupMenu by default).
    std::function<void(HMENU menu, POINT screen)> popupMenu;

    // The menus that hold the subsystem's items. The additional menu's
    // three groups are built by the editor subsystem, in its order.
    enum Menu : int { kComments, kSelectComment, kCipher, kShortcutItems, kCopyOnly };
    static program::Commands<CryptoController> commands();
    static void appendMenuItems(Menu menu, HMENU handle) {
        program::appendMenuItems(commands(), menu, handle);
    }

    // --- win::Subsystem ----------------------------------------------------------
    bool onCommand(int id, int code, HWND control) override;
    bool onTimer(UINT_PTR id) override;
    void addRefreshRows(program::RefreshTable& table) override;
    void addShortcuts(std::vector<ACCEL>& shortcuts) override;
    HMENU menuOf(int id) const override;

  private:
    void composeMenus();
    void copySelection();
    bool itemEnabled(int id) const;
    void setReturnCaption(bool returnCipher);

    // Comment brackets.
    // Selects the block around the caret; false when the caret is in none.
    bool selectBlock(bool withMarkers);
    void NoteMouseUp();
    std::optional<LRESULT> onEditorMessage(UINT msg, WPARAM wp, LPARAM lp,
                                           const win::Subclass::Next& next);

    // Encrypt and decrypt. `fromOk` is false for the middle-button
    // confirmation, which shows no progress, decrypts a selection in place,
    // leaves the modified flag and the decrypt state alone.
    void encryptOk();
    void decryptOk();
    void runEncryption(bool fromOk);
    void runDecryption(bool fromOk);
    void returnCipherClick();
    void showReturnNotice();
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

    // Decrypt to clipboard.
    void decryptIntoClipboard(std::u16string& plain);
    // `wait`: a few short waits for a busy clipboard instead of one try.
    void putBackClipboardText(bool wait);
    // The countdown window and the timer TPTimer as the countdown has them.
    void showCountdown();

    program::Host& host_;
    program::ProgramState& state_;
    document::RichEdit& note_;
    const settings::Options& options_;
    CipherState& cipher_;
    CipherEvents& events_;
    const OpenNoteFile& noteFile_;
    HWND mainWindow_ = nullptr;

    PasswordPanel panel_;
    TTimerForm timerForm_;
    ClipboardCountdown countdown_;
    unsigned countdownTimerMs_ = 0; // TPTimer's period; 0 while stopped
    HMENU commandMenu_ = nullptr;
    bool returnCaption_ = false; // "Вернуть шифр" after a decryption in place
    win::UniqueMenu copyOnlyMenu_;
    win::UniqueMenu shortcutItems_;
    win::Subclass editorEvents_;
};

} // namespace quivra::crypto
