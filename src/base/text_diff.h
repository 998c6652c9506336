// Where a text was edited: the places where a later text differs from an
// earlier one, found line by line (Myers' shortest edit script over the
// lines), each narrowed to the code units that differ at its two ends.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::base {

// Code units [oldStart, oldEnd) of the earlier text became [newStart,
// newEnd) of the later one. An insertion has oldStart == oldEnd, a deletion
// newStart == newEnd.
struct TextEdit {
    std::size_t oldStart = 0;
    std::size_t oldEnd = 0;
    std::size_t newStart = 0;
    std::size_t newEnd = 0;
    bool operator==(const TextEdit&) const = default;
};

// The edits that turn `before` into `after`, in order, none touching the
// next: nothing for equal texts. Lines end at '\r'. Texts that differ in
// more than `mostChangedLines` lines give one edit from the first to the
// last difference, which still holds every change.
std::vector<TextEdit> textEdits(std::u16string_view before, std::u16string_view after,
                                std::size_t mostChangedLines = 1000);

// The same edits, each widened to the whole lines it touches (from the start
// of a line to the end of one, its break included).
std::vector<TextEdit> lineEdits(std::u16string_view before, std::u16string_view after,
                                std::size_t mostChangedLines = 1000);

// Code units [start, end) of a text to be replaced by `text`.
struct TextReplacement {
    std::size_t start = 0;
    std::size_t end = 0;
    std::u16string text;
    bool operator==(const TextReplacement&) const = default;
};

// `text` with the replacements made, listed in increasing order, none
// overlapping.
std::u16string withReplacements(std::u16string_view text,
                                const std::vector<TextReplacement>& replacements);

} // namespace quivra::base
