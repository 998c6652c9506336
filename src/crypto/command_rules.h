// When the encryption commands of the additional menu are enabled, from the
// facts of one refresh tick. A selection that holds a comment marker is never
// encrypted or decrypted; the whole-note commands work line by line, which
// needs word wrap off; a read-only note is not encrypted.
#pragma once

#include "program/refresh_table.h"

namespace quivra::crypto {

// "Шифровать".
inline bool encryptEnabled(const program::RefreshFacts& f) {
    return f.editorEnabled && !f.selectionHasCommentMarker && !f.wordWrap && !f.readOnly;
}
// "Расшифровать" / "Вернуть шифр": read-only does not matter.
inline bool decryptEnabled(const program::RefreshFacts& f) {
    return f.editorEnabled && !f.selectionHasCommentMarker && !f.wordWrap;
}
// "Расшифровать в буфер обмена": only a selection goes to the clipboard.
inline bool decryptToClipboardEnabled(const program::RefreshFacts& f) {
    return f.editorEnabled && !f.selectionHasCommentMarker && !f.selectionEmpty;
}

} // namespace quivra::crypto
