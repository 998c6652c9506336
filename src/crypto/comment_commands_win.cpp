// The comment-bracket commands: inserting, wrapping, unwrapping and selecting
// blocks, and the Ctrl+click selection with its action menu. The look-ups
// read the editor's whole text once and scan it.
#include "crypto/crypto_controller_win.h"

#include "crypto/comment_brackets.h"
#include "crypto/comment_edit.h"

namespace quivra::crypto {

void CryptoController::CommentStartClick() {
    note_.replaceSelection(kCommentOpen);
}

void CryptoController::CommentEndClick() {
    note_.replaceSelection(kCommentClose);
}

void CryptoController::CommentClick() {
    const long start = note_.selection().start;
    const CommentWrap wrap = wrapInComment(note_.selectedText());
    note_.replaceSelection(wrap.text);
    const long caret = start + static_cast<long>(wrap.caretOffset);
    note_.setSelection({caret, caret});
}

void CryptoController::UnCommentClick() {
    const document::CharRange selection = note_.selection();
    const long s0 = selection.start;
    const long l0 = selection.length();
    note_.replaceSelection(unwrapComment(note_.selectedText()));
    // A selection shorter than both markers unwraps to nothing.
    const long length = std::max(0L, l0 - 6);
    note_.setSelection({s0, s0 + length});
}

bool CryptoController::selectBlock(bool withMarkers) {
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

void CryptoController::C1Click() {
    selectBlock(true);
}

void CryptoController::SelectOnlyTextCommentClick() {
    selectBlock(false);
}

void CryptoController::D2Click() {
    if (note_.focused())
        SelectOnlyTextCommentClick();
}

void CryptoController::NoteMouseUp() {
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

std::optional<LRESULT> CryptoController::onEditorMessage(UINT msg, WPARAM, LPARAM,
                                                         const win::Subclass::Next& next) {
    if (msg != WM_LBUTTONUP)
        return std::nullopt;
    const LRESULT r = next();
    NoteMouseUp();
    return r;
}

} // namespace quivra::crypto
