// When a note is big enough that loading it keeps the editor busy for more
// than a moment, so that the load shows its progress. Measured under Wine 8:
// streaming RTF into the rich-edit control costs about 1.2 s per MB of
// plainly formatted text and grows faster than the size (2 MB 4 s, 3 MB 22 s,
// 5 MB 79 s for text that changes font every few words); 100,000 empty
// paragraphs take 0.8 s (RTF) to 1.1 s (plain text), 700,000 take 5 s and
// 2,000,000 take 22 s. Most of the time goes into laying the text out after
// the last byte was read, where the control reports nothing. The popup itself
// costs about a quarter of a 1 MB load (a load of two seconds becomes two and
// a half), so it appears from loads of about four seconds on.
#pragma once

#include <cstddef>
#include <string_view>

namespace quivra::document {

inline constexpr std::size_t kBigNoteBytes = 2'000'000;
inline constexpr std::size_t kBigNoteParagraphs = 100'000;
// With word wrap on, the control takes time in proportion to the square of a
// paragraph's length: 10,000 characters 2 s, 20,000 10 s, 40,000 38 s, 80,000
// more than 2 minutes (paragraphs of 80 characters cost nothing).
inline constexpr std::size_t kSlowWrapParagraph = 5'000;

// Whether a note of this many bytes and paragraph breaks loads slowly enough
// to show progress.
bool isBigNote(std::size_t bytes, std::size_t paragraphs) noexcept;

// What a load costs the control: the bytes streamed in, the paragraph breaks
// they make and the characters of the longest paragraph.
struct LoadMeasure {
    std::size_t bytes = 0;
    std::size_t paragraphs = 0;
    std::size_t longestParagraph = 0;
    bool big() const noexcept { return isBigNote(bytes, paragraphs); }
    // Whether wrapping its longest paragraph keeps the control busy.
    bool slowToWrap() const noexcept { return longestParagraph >= kSlowWrapParagraph; }
    bool operator==(const LoadMeasure&) const = default;
};

// The measure of a plain text streamed in as UTF-16.
LoadMeasure measurePlainText(std::u16string_view text) noexcept;

// The paragraph breaks of a plain text: "\r\n", '\r' and '\n' each count one.
std::size_t paragraphBreaks(std::u16string_view text) noexcept;
// The length of its longest paragraph, breaks as above.
std::size_t longestParagraph(std::u16string_view text) noexcept;

} // namespace quivra::document
