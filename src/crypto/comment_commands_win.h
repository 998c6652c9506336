// The comment-bracket commands: inserting, wrapping, unwrapping and selecting
// blocks, and the Ctrl+click selection of a block's text with its action
// menu CopyOnlyMenu ("Копировать", and the decryptions the controller's
// table puts there).
#pragma once

#include "crypto/cipher_events.h"
#include "document/rich_edit_win.h"
#include "program/program_state.h"
#include "settings/options_win.h"
#include "win/handles_win.h"
#include "win/subclass_win.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace quivra::crypto {

class CommentCommands {
  public:
    CommentCommands(document::RichEdit& note, const program::ProgramState& state,
                    const settings::Options& options, CipherEvents& events);

    // Starts watching the editor's mouse for Ctrl+click; `actionMenu` is the
    // menu a Ctrl+click selection opens, its commands going to `mainWindow`.
    void create(HWND mainWindow, win::UniqueMenu actionMenu);
    HMENU copyOnlyMenu() const { return copyOnlyMenu_.get(); }
    // Opens a popup menu at a screen point (TrackPopupMenu by default).
    std::function<void(HMENU menu, POINT screen)> popupMenu;

    void CommentStartClick();
    void CommentEndClick();
    void CommentClick();
    void UnCommentClick();
    void C1Click();
    void SelectOnlyTextCommentClick();
    void D2Click(); // Alt+S
    // "Копировать" of the action menu.
    void copySelection();

  private:
    // Selects the block around the caret; false when the caret is in none.
    bool selectBlock(bool withMarkers);
    void NoteMouseUp();
    std::optional<LRESULT> onEditorMessage(UINT msg, WPARAM wp, LPARAM lp,
                                           const win::Subclass::Next& next);

    document::RichEdit& note_;
    const program::ProgramState& state_;
    const settings::Options& options_;
    CipherEvents& events_;
    HWND mainWindow_ = nullptr;
    win::UniqueMenu copyOnlyMenu_;
    win::Subclass editorEvents_;
};

} // namespace quivra::crypto
