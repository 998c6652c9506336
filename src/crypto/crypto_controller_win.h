// The encryption subsystem of the main window. It composes the parts that
// own the commands: the comment-bracket commands with the Ctrl+click
// selection and its action menu CopyOnlyMenu, the encrypt and decrypt
// commands with the password panel and the return of the cipher, and the
// decryption into the clipboard with its countdown window TTimerForm and
// timer TPTimer. It holds the command table and the menus made from it.
//
// The commands' items live in the additional menu (AdditMenu), which the
// editor subsystem builds with this subsystem's identifiers and hands over
// with setCommandMenu: the refresh enables them there, the decrypt item
// changes its caption there, and the commands test their item there. The
// keyboard shortcuts are hidden items of a menu that is never shown, as the
// editor's hidden context-menu items are: they act only while the editor has
// the focus.
#pragma once

#include "crypto/cipher_commands_win.h"
#include "crypto/cipher_state_win.h"
#include "crypto/clipboard_decryption_win.h"
#include "crypto/command_items_win.h"
#include "crypto/comment_commands_win.h"
#include "crypto/crypto_ids.h"
#include "crypto/open_note_file.h"
#include "crypto/password_panel_win.h"
#include "document/rich_edit_win.h"
#include "program/command_table_win.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"
#include "settings/options_win.h"
#include "win/handles_win.h"
#include "window/floating_panels_win.h"

#include <vector>

namespace quivra::crypto {

class CryptoController final : public program::Subsystem, private CommandItems {
  public:
    CryptoController(program::Host& host, program::ProgramState& state, document::RichEdit& note,
                     const settings::Options& options, CipherState& cipher,
                     window::FloatingPanels& panels, CipherEvents& events,
                     const OpenNoteFile& noteFile);

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
    // The main window was called in: a notice left by the return of the
    // cipher is shown, and a secret the clipboard was too busy to give back
    // is tried again.
    void mainWindowCalledIn();
    // The decrypt command went back to its first mode: its item reads
    // "Расшифровать" again.
    void decryptStateReset() { setReturnCaption(false); }

    // --- Parts, for the main window and the tests -----------------------------
    CommentCommands& comments() { return comments_; }
    CipherCommands& cipherCommands() { return cipherCommands_; }
    ClipboardDecryption& clipboardDecryption() { return clipboard_; }
    PasswordPanel& passwordPanel() { return panel_; }
    HMENU shortcutItems() const { return shortcutItems_.get(); }

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
    // --- CommandItems ----------------------------------------------------------
    bool itemEnabled(int id) const override;
    void setReturnCaption(bool returnCipher) override;

    program::ProgramState& state_;
    document::RichEdit& note_;
    CipherState& cipher_;
    HWND mainWindow_ = nullptr;
    HMENU commandMenu_ = nullptr;
    bool returnCaption_ = false; // "Вернуть шифр" after a decryption in place
    win::UniqueMenu shortcutItems_;

    PasswordPanel panel_;
    CommentCommands comments_;
    ClipboardDecryption clipboard_;
    CipherCommands cipherCommands_;
};

} // namespace quivra::crypto
