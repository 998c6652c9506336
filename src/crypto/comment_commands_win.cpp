// The comment-bracket commands: inserting, wrapping, unwrapping and selecting
// blocks, and the Ctrl+click selection with its action menu. The look-ups
// read the editor's whole text once and scan it.
#include "crypto/comment_commands_win.h"

#include "crypto/comment_brackets.h"
#include "crypto/comment_edit.h"

#include <algorithm>

namespace quivra::crypto {

CommentCommands::CommentCommands(document::RichEdit& note, const program::ProgramState& state,
                                 const settings::Options& options, CipherEvents& events)
    : note_(note), state_(state), options_(options), events_(events) {
    popupMenu = [this](HMENU menu, POINT at) {
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, mainWindow_, nullptr);
    };
}

void CommentCommands::create(HWND mainWindow, win::UniqueMenu actionMenu) {
    mainWindow_ = mainWindow;
    copyOnlyMenu_ = std::move(actionMenu);
    editorEvents_.attach(note_.hwnd(), [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
        return onEditorMessage(msg, wp, lp, next);
    });
}

void CommentCommands::copySelection() {
    SendMessageW(note_.hwnd(), WM_COPY, 0, 0);
}

void CommentCommands::CommentStartClick() {
    note_.replaceSelection(kCommentOpen);
}

void CommentCommands::CommentEndClick() {
    note_.replaceSelection(kCommentClose);
}

void CommentCommands::CommentClick() {
    const long start = note_.selection().start;
    const CommentWrap wrap = wrapInComment(note_.selectedText());
    note_.replaceSelection(wrap.text);
    const long caret = start + static_cast<long>(wrap.caretOffset);
    note_.setSelection({caret, caret});
}

void CommentCommands::UnCommentClick() {
    const document::CharRange selection = note_.selection();
    const long s0 = selection.start;
    const long l0 = selection.length();
    note_.replaceSelection(unwrapComment(note_.selectedText()));
    // A selection shorter than both markers unwraps to nothing.
    const long length = std::max(0L, l0 - 6);
    note_.setSelection({s0, s0 + length});
}

bool CommentCommands::selectBlock(bool withMarkers) {
    const auto caret = static_cast<std::size_t>(note_.selection().start);
    const auto block = findCommentBlock(note_.text(), caret);
    if (!block)
        return false;
    const TextRange range = withMarkers ? block->withMarkers() : block->textOnly();
    note_.focus();
    const auto start = static_cast<long>(range.start);
    note_.setSelection({start, start + static_cast<long>(range.length)});
    return true;
}

void CommentCommands::C1Click() {
    selectBlock(true);
}

void CommentCommands::SelectOnlyTextCommentClick() {
    selectBlock(false);
}

void CommentCommands::D2Click() {
    if (note_.focused())
        SelectOnlyTextCommentClick();
}

void CommentCommands::NoteMouseUp() {
    // The click has placed the caret already.
    if (!state_.CtrlDown || !selectBlock(false))
        return;
    events_.releaseCtrl();
    if (!options_.ticked(settings::ID_ISSHOWCOPY))
        return;
    POINT at;
    GetCursorPos(&at);
    popupMenu(copyOnlyMenu_.get(), at);
}

std::optional<LRESULT> CommentCommands::onEditorMessage(UINT msg, WPARAM, LPARAM,
                                                        const win::Subclass::Next& next) {
    if (msg != WM_LBUTTONUP)
        return std::nullopt;
    const LRESULT r = next();
    NoteMouseUp();
    return r;
}

} // namespace quivra::crypto
