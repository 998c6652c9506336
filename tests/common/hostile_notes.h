// Hostile note files for fuzzing the note loader: random bytes, truncated and
// mutated real notes, deep nesting, long control words and numbers, long font
// names, table and picture soup, NULs and bad encodings (UTF-8 with a mark and
// broken sequences, UTF-16 with odd byte counts or without a mark). The same
// seed gives the same notes on every platform.
//
// No note holds a combining mark without a base letter from the Hebrew,
// Arabic, Thai or Lao blocks, directly or through a code page: Wine's gdi32
// crashes on some of them, which is not the loader's fault. Code pages and
// character sets are kept to a list without such marks for the same reason.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::document {

struct HostileNote {
    const char* kind; // how it was made, for failure messages
    std::string bytes;
};

class HostileNotes {
  public:
    // `samples` are real notes to truncate and mutate; may be empty.
    HostileNotes(std::uint64_t seed, std::vector<std::string> samples);

    HostileNote next();

  private:
    std::uint64_t below(std::uint64_t n);
    bool chance(int percent) { return below(100) < static_cast<std::uint64_t>(percent); }
    const std::string& sample();

    std::string randomBytes();
    std::string truncated();
    std::string mutated();
    std::string deepNesting();
    std::string longToken();
    std::string longName();
    std::string tableSoup();
    std::string tables();
    void tableRow(std::string& out, int level, int depthLeft);
    std::string pictureSoup();
    std::string withNuls();
    std::string badUtf8();
    std::string badUtf16();
    std::string tokenSoup();
    std::string randomToken();
    // Text as writers put it; `hostile` adds escapes without their fallback
    // character and \uc changes.
    std::string randomText(std::size_t length, bool hostile = true);

    std::uint64_t state_;
    std::vector<std::string> samples_;
};

// Rewrites what could smuggle a crashing combining mark into the control:
// \uN escapes, \ansicpgN, \cpgN and \fcharsetN naming a code page with such
// marks, and those characters in UTF-8 or UTF-16 text. Applied to every note
// HostileNotes makes; exposed for its tests.
std::string withoutUnsafeMarks(std::string bytes);

// True for a code point that must stay out of fuzz inputs (see above).
bool isUnsafeMark(char32_t c) noexcept;

} // namespace quivra::document
