#include "base/ini_file.h"

#include "base/atomic_file.h"
#include "base/errors.h"
#include "base/text_services.h"
#include "base/utf.h"

#include <cstdint>
#include <stdexcept>
#include <system_error>

namespace quivra::base {

namespace fs = std::filesystem;

namespace {

// ---------------------------------------------------------------------------
// Text helpers

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

std::u16string_view trim(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::u16string_view untilLineBreak(std::u16string_view s) {
    return s.substr(0, std::min(s.find(u'\r'), s.find(u'\n')));
}

std::u16string_view unquote(std::u16string_view s) {
    if (s.size() >= 2 && (s.front() == u'"' || s.front() == u'\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

// Cuts to the buffer size of the platform's reader, without leaving half of a
// surrogate pair at the end.
std::u16string_view cutToMaxLength(std::u16string_view s) {
    if (s.size() <= kMaxValueLength)
        return s;
    s = s.substr(0, kMaxValueLength);
    if (s.back() >= 0xD800 && s.back() < 0xDC00)
        s.remove_suffix(1);
    return s;
}

std::optional<long> parseHex(std::u16string_view digits) {
    if (digits.empty())
        return std::nullopt;
    std::uint64_t v = 0;
    for (char16_t c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        v = v * 16 + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
}

std::optional<long> parseDecimal(std::u16string_view s) {
    bool negative = false;
    if (!s.empty() && (s.front() == u'+' || s.front() == u'-')) {
        negative = s.front() == u'-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return std::nullopt;
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t v = 0;
    for (char16_t c : s) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + (c - u'0');
        if (v > limit)
            return std::nullopt;
    }
    return static_cast<long>(negative ? -v : v);
}

// ---------------------------------------------------------------------------
// Lines

struct Line {
    enum Kind { Other, Section, Key } kind = Other;
    std::u16string_view name;  // section or key name, trimmed
    std::u16string_view value; // raw value, trimmed (keys only)
};

Line parseLine(std::u16string_view raw) {
    const auto t = trim(raw);
    if (t.empty() || t.front() == u';')
        return {};
    if (t.front() == u'[') {
        // The last ']' closes the name, so a name may itself contain ']'.
        const auto close = t.rfind(u']');
        if (close == std::u16string_view::npos || close == 0)
            return {};
        return {Line::Section, trim(t.substr(1, close - 1)), {}};
    }
    const auto eq = t.find(u'=');
    if (eq == std::u16string_view::npos)
        return {};
    const auto name = trim(t.substr(0, eq));
    if (name.empty())
        return {};
    return {Line::Key, name, trim(t.substr(eq + 1))};
}

// Calls f(line) for each line; CRLF, LF and a lone CR all end a line. A final
// line break does not start another line.
template <class F> void forEachLine(std::u16string_view text, F&& f) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        if (!f(text.substr(start, end - start)))
            return;
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() &&
            text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

std::vector<std::u16string> splitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    forEachLine(text, [&](std::u16string_view line) {
        lines.emplace_back(line);
        return true;
    });
    return lines;
}

// ---------------------------------------------------------------------------
// Files

// The file's bytes; nullopt when it cannot be opened (missing or refused).
std::optional<std::string> readBytes(const fs::path& p) {
    std::error_code ec;
    return readWholeFile(p, ec);
}

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
        const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
    }
    return out;
}

std::u16string decode(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE"))
        return decodeUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF"))
        return decodeUtf16(bytes.substr(2), true);
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return utf8ToUtf16(bytes.substr(3));
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (!ascii && isValidUtf8(bytes))
        return utf8ToUtf16(bytes);
    return textServices().ansiToUtf16(bytes);
}

[[noreturn]] void failWrite(const fs::path& target) {
    throw unableToWrite(target.u16string());
}

// Whether decode() keeps every byte: writing the decoded text back in the
// same encoding would give the same bytes.
bool decodesExactly(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return bytes.size() % 2 == 0;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return isValidUtf8(bytes.substr(3));
    if (isValidUtf8(bytes))
        return true;
    const auto& text = textServices();
    return text.utf16ToAnsi(text.ansiToUtf16(bytes)) == bytes;
}

// Before the first write replaces a file whose bytes do not decode exactly,
// its bytes are copied aside as "<name>.bak" (or "<name> (2).bak", ... when
// that name holds other bytes), so nothing the decoding dropped is lost.
void keepUndecodableCopy(const fs::path& p, std::string_view bytes) {
    if (decodesExactly(bytes))
        return;
    const auto name = p.filename().u16string();
    for (int n = 1; n < 100; ++n) {
        std::u16string candidate = name;
        if (n > 1) {
            const auto digits = std::to_string(n);
            candidate += u" (";
            candidate.append(digits.begin(), digits.end());
            candidate += u')';
        }
        candidate += u".bak";
        const fs::path backup = p.parent_path() / candidate;
        std::error_code ec;
        if (fs::exists(fs::symlink_status(backup, ec))) {
            const auto existing = readWholeFile(backup, ec);
            if (existing && *existing == bytes)
                return;
            continue;
        }
        replaceFileAtomically(backup, bytes);
        return;
    }
    failWrite(p);
}

std::string encode(const std::vector<std::u16string>& lines) {
    std::size_t units = 1;
    for (const auto& l : lines)
        units += l.size() + 2;
    std::string out;
    out.reserve(units * 2);
    auto put = [&out](char16_t c) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    };
    put(0xFEFF);
    for (const auto& l : lines) {
        for (char16_t c : l)
            put(c);
        put(u'\r');
        put(u'\n');
    }
    return out;
}

// ---------------------------------------------------------------------------
// Lookups over the decoded text

// Calls f(line) for each key line of the named section(s) until f returns false.
template <class F> void forEachKeyOf(std::u16string_view text, std::u16string_view section, F&& f) {
    bool inSection = false;
    forEachLine(text, [&](std::u16string_view raw) {
        const Line line = parseLine(raw);
        if (line.kind == Line::Section)
            inSection = equalsIgnoreCase(line.name, section);
        else if (line.kind == Line::Key && inSection)
            return f(line);
        return true;
    });
}

std::optional<std::u16string> findValue(std::u16string_view text, std::u16string_view section,
                                        std::u16string_view key) {
    section = trim(section);
    key = trim(key);
    std::optional<std::u16string> found;
    forEachKeyOf(text, section, [&](const Line& line) {
        if (!equalsIgnoreCase(line.name, key))
            return true;
        found.emplace(cutToMaxLength(unquote(line.value)));
        return false;
    });
    return found;
}

// A section may have an empty name ("[]"), as the platform's functions
// allow: the view settings of a note named by an empty name live there.
std::u16string_view cleanSectionName(std::u16string_view name) {
    return trim(untilLineBreak(name));
}

std::u16string_view cleanKeyName(std::u16string_view name) {
    name = trim(untilLineBreak(name));
    if (name.empty())
        throw std::invalid_argument("empty settings key name");
    return name;
}

} // namespace

std::optional<long> parseProfileInteger(std::u16string_view text) {
    if (!text.empty() && text.front() == u'$')
        return parseHex(text.substr(1));
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
        return parseHex(text.substr(2));
    return parseDecimal(text);
}

IniFile::IniFile(fs::path path) : path_(std::move(path)) {}

const IniFile::Snapshot* IniFile::current() const {
    const FileStamp stamp = fileStampOf(path_);
    if (snapshot_ && snapshot_->stamp == stamp)
        return &*snapshot_;
    Snapshot fresh;
    fresh.stamp = stamp;
    if (stamp.exists) {
        const auto bytes = readBytes(path_);
        if (!bytes)
            return nullptr; // there but unreadable: tried again next time
        fresh.text = decode(*bytes);
        if (!decodesExactly(*bytes))
            fresh.inexactBytes = *bytes;
    } else {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(path_, ec)))
            return nullptr; // a folder or the like where the file should be
    }
    snapshot_ = std::move(fresh);
    return &*snapshot_;
}

std::u16string_view IniFile::text() const {
    const Snapshot* s = current();
    return s ? std::u16string_view(s->text) : std::u16string_view();
}

std::vector<std::u16string> IniFile::linesForChange() {
    const Snapshot* s = current();
    // A file that exists but cannot be read is not rewritten: replacing it
    // would lose what it holds.
    if (!s)
        failWrite(path_);
    if (s->inexactBytes)
        keepUndecodableCopy(path_, *s->inexactBytes);
    return splitLines(s->text);
}

void IniFile::replace(const std::vector<std::u16string>& lines) {
    const std::string bytes = encode(lines);
    // The stamp is the temporary's, taken before it takes the file's place:
    // a write by another program right after is not taken for this one.
    FileStamp written;
    replaceFileAtomically(path_, bytes, [&](const fs::path& temporary) {
        written = fileStampOf(temporary);
        return true;
    });
    snapshot_ = Snapshot{written, decode(bytes), std::nullopt};
}

std::u16string IniFile::readString(std::u16string_view section, std::u16string_view key,
                                   std::u16string_view def) const {
    auto value = findValue(text(), section, key);
    return value ? std::move(*value) : std::u16string(def);
}

long IniFile::readInteger(std::u16string_view section, std::u16string_view key, long def) const {
    const auto value = findValue(text(), section, key);
    if (!value)
        return def;
    return parseProfileInteger(*value).value_or(def);
}

bool IniFile::readBool(std::u16string_view section, std::u16string_view key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::keyExists(std::u16string_view section, std::u16string_view key) const {
    return findValue(text(), section, key).has_value();
}

namespace {

// Adds a name unless one differing only in letter case is there already.
void addNameOnce(std::vector<std::u16string>& names, std::u16string_view name) {
    for (const auto& n : names)
        if (equalsIgnoreCase(n, name))
            return;
    names.emplace_back(name);
}

} // namespace

std::vector<std::u16string> IniFile::sectionNames() const {
    std::vector<std::u16string> names;
    forEachLine(text(), [&](std::u16string_view raw) {
        const Line line = parseLine(raw);
        if (line.kind == Line::Section)
            addNameOnce(names, line.name);
        return true;
    });
    return names;
}

std::vector<std::u16string> IniFile::keyNames(std::u16string_view section) const {
    std::vector<std::u16string> names;
    forEachKeyOf(text(), trim(section), [&](const Line& line) {
        addNameOnce(names, line.name);
        return true;
    });
    return names;
}

void IniFile::writeString(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
    section = cleanSectionName(section);
    key = cleanKeyName(key);
    value = untilLineBreak(value);
    auto lines = linesForChange();

    bool inSection = false;
    std::optional<std::size_t> firstSectionEnd; // after the last non-blank line of the first one
    bool inFirstSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line line = parseLine(lines[i]);
        if (line.kind == Line::Section) {
            inSection = equalsIgnoreCase(line.name, section);
            inFirstSection = inSection && !firstSectionEnd;
            if (inFirstSection)
                firstSectionEnd = i + 1;
            continue;
        }
        if (inFirstSection && !trim(lines[i]).empty())
            firstSectionEnd = i + 1;
        if (line.kind == Line::Key && inSection && equalsIgnoreCase(line.name, key)) {
            // Keep the key's spelling from the file.
            std::u16string replacement(line.name);
            replacement += u'=';
            replacement += value;
            if (replacement == lines[i])
                return;
            lines[i] = std::move(replacement);
            replace(lines);
            return;
        }
    }

    std::u16string keyLine(key);
    keyLine += u'=';
    keyLine += value;
    if (firstSectionEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*firstSectionEnd),
                     std::move(keyLine));
    } else {
        if (!lines.empty() && !trim(lines.back()).empty())
            lines.emplace_back();
        std::u16string header(1, u'[');
        header.append(section).push_back(u']');
        lines.push_back(std::move(header));
        lines.push_back(std::move(keyLine));
    }
    replace(lines);
}

void IniFile::writeInteger(std::u16string_view section, std::u16string_view key, long value) {
    const auto digits = std::to_string(value);
    writeString(section, key, std::u16string(digits.begin(), digits.end()));
}

void IniFile::writeBool(std::u16string_view section, std::u16string_view key, bool value) {
    writeString(section, key, value ? u"1" : u"0");
}

void IniFile::removeLines(std::u16string_view section,
                          const std::function<bool(std::u16string_view, bool)>& drop) {
    auto lines = linesForChange();
    std::vector<std::u16string> kept;
    kept.reserve(lines.size());
    bool inSection = false;
    for (auto& raw : lines) {
        const Line line = parseLine(raw);
        if (line.kind == Line::Section)
            inSection = equalsIgnoreCase(line.name, section);
        if (!drop(raw, inSection))
            kept.push_back(std::move(raw));
    }
    if (kept.size() != lines.size())
        replace(kept);
}

void IniFile::deleteKey(std::u16string_view section, std::u16string_view key) {
    key = cleanKeyName(key);
    removeLines(cleanSectionName(section), [key](std::u16string_view raw, bool inSection) {
        const Line line = parseLine(raw);
        return line.kind == Line::Key && inSection && equalsIgnoreCase(line.name, key);
    });
}

void IniFile::eraseSection(std::u16string_view section) {
    removeLines(cleanSectionName(section),
                [](std::u16string_view, bool inSection) { return inSection; });
}

void IniFile::removeStaleTemporaries() const {
    quivra::base::removeStaleTemporaries(path_);
}

} // namespace quivra::base
