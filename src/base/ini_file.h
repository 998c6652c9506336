// An INI file accessed the way the Windows private-profile functions do it:
// every call sees the file as it is on the disk and every write replaces the
// whole file at once. The decoded text is kept between calls for as long as
// the file keeps its size and time, so a read costs a look at those instead of
// reading and decoding the file again; two objects on the same path, or
// another program writing the file, still always agree.
//
// Format: "[Section]" lines open a section, "key=value" lines set a key, every
// other line (comments, lines without '=', text before the first section) is
// ignored by reads and kept as it is by writes. Section and key names match
// without regard to letter case (Cyrillic included), and sections of the same
// name are treated as one.
//
// Files are read in UTF-16 (with a byte-order mark), UTF-8 (with a mark, or
// without one when the bytes are valid UTF-8 and not plain ASCII) or else in
// the platform's ANSI code page; they are written as UTF-16 LE with a mark and
// CRLF line ends, through a temporary file that replaces the old one.
#pragma once

#include "base/file_stamp.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::base {

// The longest value a read returns, in UTF-16 code units.
inline constexpr std::size_t kMaxValueLength = 2047;

class IniFile {
  public:
    explicit IniFile(std::filesystem::path path);

    const std::filesystem::path& path() const noexcept { return path_; }

    // The value without surrounding blanks and without one pair of enclosing
    // quotes, cut to kMaxValueLength; `def` when the key is missing.
    std::u16string readString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view def) const;
    // The value by parseProfileInteger; `def` when missing or not an integer.
    long readInteger(std::u16string_view section, std::u16string_view key, long def) const;
    // An integer value: non-zero is true, zero false; anything else gives `def`.
    bool readBool(std::u16string_view section, std::u16string_view key, bool def) const;

    bool keyExists(std::u16string_view section, std::u16string_view key) const;
    // Distinct names in file order, spelled as their first occurrence.
    std::vector<std::u16string> sectionNames() const;
    std::vector<std::u16string> keyNames(std::u16string_view section) const;

    // Writes throw quivra::UserError ("Unable to write to <path>") when the file
    // cannot be replaced; the file then keeps its old content. A write that
    // would leave the content as it is does not touch the file. A section may
    // have an empty name ("[]"); an empty key name throws
    // std::invalid_argument. Names and values are cut at their first line
    // break, which is where a reader would stop anyway.
    void writeString(std::u16string_view section, std::u16string_view key,
                     std::u16string_view value);
    void writeInteger(std::u16string_view section, std::u16string_view key, long value);
    void writeBool(std::u16string_view section, std::u16string_view key, bool value);
    // Removes every line of the key; nothing happens when it is missing.
    void deleteKey(std::u16string_view section, std::u16string_view key);
    // Removes the section's header and every line up to the next section.
    void eraseSection(std::u16string_view section);

    // Deletes temporary files a write interrupted by a crash left next to the
    // file. Errors are ignored.
    void removeStaleTemporaries() const;

  private:
    struct Snapshot {
        // The file's size and time, to their full precision, by which a
        // kept text is known to be current.
        FileStamp stamp;
        std::u16string text;
        // The file's bytes when decoding dropped some of them.
        std::optional<std::string> inexactBytes;
    };
    // The file as it is now, read again only when it changed; null when it
    // exists but cannot be read.
    const Snapshot* current() const;
    std::u16string_view text() const;
    std::vector<std::u16string> linesForChange();
    void replace(const std::vector<std::u16string>& lines);
    void removeLines(std::u16string_view section,
                     const std::function<bool(std::u16string_view raw, bool inSection)>& drop);

    std::filesystem::path path_;
    mutable std::optional<Snapshot> snapshot_;
};

// The integer rule of the settings files: an optional sign and decimal digits;
// "0x" (either case) and at least one more character, or "$", then hexadecimal
// digits. Nothing else is allowed, not even trailing text ("12abc" is not an
// integer). Values are 32-bit on every platform: decimal outside the signed
// range is rejected, hexadecimal up to FFFFFFFF wraps to a negative number.
std::optional<long> parseProfileInteger(std::u16string_view text);

} // namespace quivra::base
