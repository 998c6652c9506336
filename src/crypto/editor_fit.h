// Which cipher and decrypted texts the note editor keeps code unit for code
// unit. Any code unit can come out of the cipher, but the editor ends an
// inserted text at a NUL (0), turns a line feed (10) into a paragraph break
// and a carriage return (13) into one, which splits a line so that the
// whole-note commands would later decipher its halves apart. Every other
// code unit, lone surrogates included, survives the editor and a save and
// load of the note. A text that would not be kept is left as it was, and
// the password panel says so.
#pragma once

#include "crypto/key_set.h"
#include "crypto/note_lines_cipher.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::crypto {

// A line's new text, or cipher text replacing a selection: no 0, 10 or 13.
bool editorKeepsLineText(std::u16string_view text);
// Decrypted text replacing a selection may hold paragraph breaks (13), as
// the encrypted selection did: no 0 or 10.
bool editorKeepsSelectionText(std::u16string_view decrypted);

// The lines of a whole-note command: the changes to make, and the lines left
// as they are because the editor would not keep their new text (line
// numbers from 0). Lines whose text does not change (empty lines) are not
// changed at all.
struct NoteLinesPlan {
    std::vector<LineChange> changes;
    std::vector<std::size_t> left;
    // Lines holding a strong cipher token whose tag failed (the wrong
    // password, or a damaged token): left as they are.
    std::vector<std::size_t> failed;
};
NoteLinesPlan planNoteLines(const std::vector<std::u16string>& lines, const KeySet& keys,
                            CipherDirection direction);

// Puts a line's new text into the plan: among the changes when the editor
// keeps it as a line, among the lines left when not, nowhere when it is empty.
void planLineChange(NoteLinesPlan& plan, LineChange change);

// The red message naming the lines left as they were (counted from 1 for the
// user), e.g. "Зашифровка: строки 3, 7 оставлены открытыми: ...".
std::u16string leftLinesMessage(CipherDirection direction, const std::vector<std::size_t>& left);
// The red message when a selection is left as it was.
std::u16string_view selectionLeftMessage(CipherDirection direction);

} // namespace quivra::crypto
