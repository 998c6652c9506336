// Which cipher and decrypted texts the note editor keeps code unit for code
// unit. Any code unit can come out of the cipher, but the editor ends an
// inserted text at a NUL (0), turns a line feed (10) into a paragraph break
// and a carriage return (13) into one, which splits a line so that the
// whole-note commands would later decipher its halves apart. Every other
// code unit, lone surrogates included, survives the editor and a save and
// load of the note. Encryption with the compatible cipher adds trailing
// spaces to a text whose cipher would hold one of those code units: every
// space changes all the masks, which depend on the length. Decrypted text
// that would not be kept is left as it was, and the password panel says so.
#pragma once

#include "crypto/key_set.h"
#include "crypto/note_lines_cipher.h"

#include <cstddef>
#include <optional>
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

// The most trailing spaces encryption adds to a text so that the editor
// keeps its cipher. The cipher of a line of ordinary letters holds 0, 10 or
// 13 about once in a thousand lines (random passwords and lines, measured),
// and each length gives other masks, so one space nearly always does; a
// line no number of them helps is one made for that.
inline constexpr std::size_t kMostPaddingSpaces = 16;

// Compatible cipher text the editor keeps (no 0, 10 or 13): that of the text
// itself, or of the text with as few trailing spaces as make one. Decryption
// gives back the text with those spaces.
struct KeptCipherText {
    std::u16string text;
    std::size_t spaces = 0;
};
std::optional<KeptCipherText> encryptForEditor(std::u16string_view plain, const KeySet& keys);

// Whole-note encryption with the compatible cipher. Either every line
// outside comment blocks that is not empty gets its cipher text, some with
// spaces added (a change's text may be longer than its line, so its start is
// that of the note before any change), or, when a line cannot be kept even
// with kMostPaddingSpaces spaces, nothing changes and that line is named.
struct CompatibleEncryptionPlan {
    std::vector<LineChange> changes;
    std::size_t paddedLines = 0;
    std::optional<std::size_t> refusedLine; // the first such line, from 0
};
CompatibleEncryptionPlan planCompatibleEncryption(const std::vector<std::u16string>& lines,
                                                  const KeySet& keys);

// The red message naming the lines left as they were (counted from 1 for the
// user), e.g. "Зашифровка: строки 3, 7 оставлены открытыми: ...".
std::u16string leftLinesMessage(CipherDirection direction, const std::vector<std::size_t>& left);
// A strong cipher token that the password does not open: the wrong password,
// or a damaged token. Named lines (from 0) stay as they were.
inline constexpr std::u16string_view kWrongPasswordOrDamaged =
    u"Неверный пароль или повреждённый шифр";
std::u16string failedTokensMessage(const std::vector<std::size_t>& failed);
// After an encryption that added a trailing space to some lines (shown in the
// normal colour: nothing went wrong).
std::u16string paddedLinesMessage(std::size_t padded);
// The red message when a line (from 0), or the selection when none is given,
// cannot be encrypted even with spaces added: nothing was changed.
std::u16string refusedLineMessage(std::optional<std::size_t> line);
// The red message when a selection is left as it was.
std::u16string_view selectionLeftMessage(CipherDirection direction);

} // namespace quivra::crypto
