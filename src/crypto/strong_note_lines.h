// Whole-note commands with the strong cipher, and decryption of notes that
// hold both ciphers. Lines inside comment blocks are left alone exactly as
// the compatible cipher's commands leave them (note_lines_cipher.h).
#pragma once

#include "crypto/editor_fit.h"
#include "crypto/key_set.h"
#include "crypto/note_lines_cipher.h"
#include "crypto/strong_token.h"

#include <string>
#include <vector>

namespace quivra::crypto {

// Each line outside comment blocks that is not empty becomes one token, in
// line order. A change's text is longer than its line; its start is that of
// the note before any change.
std::vector<LineChange> encryptNoteLinesStrong(const std::vector<std::u16string>& lines,
                                               StrongKeys& keys);

// Decrypts every line outside comment blocks by its form: a line that is
// exactly one token with the strong cipher, any other with the compatible
// cipher as planNoteLines does. A token whose tag fails is left as it is and
// listed in `failed`. A token written for a selection over several lines
// gives those lines back: its text may hold paragraph breaks ('\r'). Nothing
// is applied here: the caller takes the changes, or none.
NoteLinesPlan decryptNoteLines(const std::vector<std::u16string>& lines, const KeySet& compatible,
                               StrongKeys& strong);

} // namespace quivra::crypto
