#include "skins/skin.h"

#include "base/atomic_file.h"
#include "base/text_services.h"
#include "base/utf.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace quivra::skins {

namespace {

// A skin is a handful of lines; anything much larger is not one of ours.
constexpr std::size_t kMaxSkinFileBytes = std::size_t{64} * 1024;

char16_t asciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c;
}

bool equalsAsciiIgnoreCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return asciiLower(x) == asciiLower(y); });
}

std::u16string_view trim(std::u16string_view s) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The raw values of the [Skin] section's keys, first occurrence kept.
struct RawEntry {
    std::u16string_view key;
    std::u16string_view value;
};

std::vector<RawEntry> readSkinSection(std::u16string_view text) {
    std::vector<RawEntry> entries;
    bool inSkin = false;
    while (!text.empty()) {
        const auto eol = text.find(u'\n');
        std::u16string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::u16string_view::npos ? text.size() : eol + 1);
        if (!line.empty() && line.back() == u'\r')
            line.remove_suffix(1);
        line = trim(line);
        if (line.empty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const auto close = line.find(u']');
            inSkin = close != std::u16string_view::npos &&
                     equalsAsciiIgnoreCase(trim(line.substr(1, close - 1)), u"Skin");
            continue;
        }
        const auto eq = line.find(u'=');
        if (!inSkin || eq == std::u16string_view::npos)
            continue;
        const std::u16string_view key = trim(line.substr(0, eq));
        std::u16string_view value = line.substr(eq + 1);
        value = trim(value.substr(0, value.find(u';')));
        const bool seen = std::any_of(entries.begin(), entries.end(), [&](const RawEntry& e) {
            return equalsAsciiIgnoreCase(e.key, key);
        });
        if (!seen)
            entries.push_back({key, value});
    }
    return entries;
}

std::optional<Color> colorOf(const std::vector<RawEntry>& entries, std::u16string_view key) {
    for (const RawEntry& e : entries)
        if (equalsAsciiIgnoreCase(e.key, key))
            return parseColor(e.value);
    return std::nullopt;
}

std::u16string decodeSkinFile(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string out;
        out.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8));
        return out;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return base::utf8ToUtf16(bytes);
}

} // namespace

std::optional<Color> parseColor(std::u16string_view text) {
    text = trim(text);
    if (text.size() != 7 || text.front() != u'#')
        return std::nullopt;
    std::array<int, 6> d{};
    for (std::size_t i = 0; i < d.size(); ++i) {
        d[i] = base::hexDigit(text[i + 1]);
        if (d[i] < 0)
            return std::nullopt;
    }
    const auto r = static_cast<Color>(d[0] * 16 + d[1]);
    const auto g = static_cast<Color>(d[2] * 16 + d[3]);
    const auto b = static_cast<Color>(d[4] * 16 + d[5]);
    return r | g << 8 | b << 16;
}

std::optional<SkinColors> parseSkin(std::u16string_view text) {
    const std::vector<RawEntry> entries = readSkinSection(text);
    const auto window = colorOf(entries, u"Window");
    const auto textColor = colorOf(entries, u"Text");
    if (!window || !textColor)
        return std::nullopt;
    // Each optional colour falls back to one filled in before it.
    SkinColors c;
    c.window = *window;
    c.text = *textColor;
    c.control = colorOf(entries, u"Control").value_or(c.window);
    c.controlText = colorOf(entries, u"ControlText").value_or(c.text);
    c.editor = colorOf(entries, u"Editor").value_or(c.control);
    c.button = colorOf(entries, u"Button").value_or(c.control);
    c.buttonText = colorOf(entries, u"ButtonText").value_or(c.controlText);
    c.tab = colorOf(entries, u"Tab").value_or(c.window);
    c.tabActive = colorOf(entries, u"TabActive").value_or(c.button);
    c.tabText = colorOf(entries, u"TabText").value_or(c.text);
    c.accent = colorOf(entries, u"Accent").value_or(c.tabText);
    return c;
}

std::optional<SkinColors> loadSkin(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaxSkinFileBytes)
        return std::nullopt;
    const std::optional<std::string> bytes = base::readWholeFile(file, ec);
    if (!bytes)
        return std::nullopt;
    return parseSkin(decodeSkinFile(*bytes));
}

std::vector<std::u16string> listSkinNames(const std::filesystem::path& folder) {
    std::vector<std::u16string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_regular_file(typeEc))
            continue;
        const std::filesystem::path& p = it->path();
        if (equalsAsciiIgnoreCase(p.extension().u16string(), kSkinExtension))
            names.push_back(p.stem().u16string());
    }
    const base::TextServices& ts = base::textServices();
    std::sort(names.begin(), names.end(), [&](const std::u16string& a, const std::u16string& b) {
        const std::u16string la = ts.toLower(a);
        const std::u16string lb = ts.toLower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

Color mixColors(Color a, Color b, unsigned weight) {
    weight = std::min(weight, 255u);
    Color out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned ca = (a >> shift) & 0xFF;
        const unsigned cb = (b >> shift) & 0xFF;
        const unsigned c = (ca * (255 - weight) + cb * weight + 127) / 255;
        out |= static_cast<Color>(c) << shift;
    }
    return out;
}

} // namespace quivra::skins
