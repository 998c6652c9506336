// Encrypting or decrypting a whole note: every line (paragraph) on its own,
// leaving comment blocks alone. A line holding "##[" starts a block; the
// block's lines up to and including the next line holding "]##" stay as they
// are; a line holding "]##" is never changed, also outside a block, and a line
// holding both markers is left alone without starting a block.
#pragma once

#include "crypto/key_set.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quivra::crypto {

enum class CipherDirection { Encrypt, Decrypt };

// The indices of the lines outside comment blocks, in order.
std::vector<std::size_t> linesOutsideComments(const std::vector<std::u16string>& lines);

// Where each line starts in the note: its lines, each followed by one break.
std::vector<std::size_t> lineStarts(const std::vector<std::u16string>& lines);

struct LineChange {
    std::size_t index; // line number, from 0
    std::size_t start; // position of the line's first character in the note as it was
    std::u16string text;
};

// The new text of each line outside comment blocks, in line order. Lines are
// as splitLines gives them (paragraphs, separated by one '\r'). The cipher
// keeps every length, so each line's start stays valid while the lines are
// replaced one after another.
std::vector<LineChange> cipherNoteLines(const std::vector<std::u16string>& lines,
                                        const KeySet& keys, CipherDirection direction);

// The progress label while line `index` of `lineCount` is processed, e.g.
// "Зашифровка... Обработка строки 0/12" for the first line.
std::u16string lineProgressText(CipherDirection direction, std::size_t index,
                                std::size_t lineCount);

} // namespace quivra::crypto
