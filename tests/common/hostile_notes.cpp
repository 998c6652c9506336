#include "common/hostile_notes.h"

#include "document/rtf_lexer.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

namespace quivra::document {

namespace {

constexpr std::string_view kHead = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0"
                                   "\\fnil\\fcharset204 Tahoma;}{\\f1\\fswiss\\fcharset0 Arial;}}"
                                   "\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4"
                                   "\\uc1\\pard\\f0\\fs16 ";

// Tokens the mutator and the soups draw from: structure, formatting, tables,
// pictures, destinations and escapes, each as the reader sees it.
constexpr std::array<std::string_view, 72> kTokens{"{",
                                                   "}",
                                                   "\\par ",
                                                   "\\pard",
                                                   "\\plain",
                                                   "\\b",
                                                   "\\b0",
                                                   "\\i",
                                                   "\\ul",
                                                   "\\ulnone",
                                                   "\\strike",
                                                   "\\f0",
                                                   "\\f1",
                                                   "\\f7",
                                                   "\\fs",
                                                   "\\cf",
                                                   "\\highlight",
                                                   "\\cb",
                                                   "\\qc",
                                                   "\\qr",
                                                   "\\qj",
                                                   "\\li",
                                                   "\\ri",
                                                   "\\fi",
                                                   "\\sb",
                                                   "\\sa",
                                                   "\\sl",
                                                   "\\slmult1",
                                                   "\\tx",
                                                   "\\tab",
                                                   "\\line",
                                                   "\\u",
                                                   "\\uc",
                                                   "\\'",
                                                   "\\'e9",
                                                   "\\\\",
                                                   "\\{",
                                                   "\\}",
                                                   "\\*",
                                                   "\\~",
                                                   "\\-",
                                                   "\\_",
                                                   "\\trowd",
                                                   "\\trgaph",
                                                   "\\trleft",
                                                   "\\cellx",
                                                   "\\intbl",
                                                   "\\cell",
                                                   "\\row",
                                                   "\\nestcell",
                                                   "\\nestrow",
                                                   "\\itap",
                                                   "\\lastrow",
                                                   "\\clbrdrb",
                                                   "\\brdrs",
                                                   "\\brdrw",
                                                   "{\\*\\nesttableprops",
                                                   "{\\nonesttables",
                                                   "{\\pict",
                                                   "\\dibitmap0",
                                                   "\\wmetafile8",
                                                   "\\emfblip",
                                                   "\\pngblip",
                                                   "\\picw",
                                                   "{\\*\\pn",
                                                   "\\pnlvlblt",
                                                   "{\\pntext",
                                                   "\\fonttbl",
                                                   "\\stylesheet",
                                                   "\\colortbl",
                                                   "{\\info",
                                                   "\\fcharset"};

constexpr std::array<int, 14> kSafeCharsets{0,   1,   2,   77,  128, 129, 134,
                                            136, 161, 162, 186, 204, 238, 255};
constexpr std::array<int, 13> kSafeCodePages{0,   437,  850,  866,  932,  936, 949,
                                             950, 1250, 1251, 1252, 1253, 1257};

// The token that starts at `at`. The sanitizer reads one at every backslash,
// even one the reader takes as part of an earlier token: a mark must not get
// through wherever a reader might start a token.
RtfToken tokenAt(std::string_view s, size_t at) {
    return RtfLexer(s, {}, at).next();
}

// The length of the well-formed UTF-8 sequence at `at` when it encodes an
// unsafe mark, else 0.
size_t unsafeUtf8At(std::string_view s, size_t at) {
    const auto b0 = static_cast<unsigned char>(s[at]);
    int n = 0;
    char32_t c = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2;
        c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3;
        c = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4;
        c = b0 & 0x07;
    } else {
        return 0;
    }
    if (at + n > s.size())
        return 0;
    for (int k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[at + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    return isUnsafeMark(c) ? static_cast<size_t>(n) : 0;
}

void replaceUnsafeUtf8(std::string& s) {
    for (size_t i = 0; i < s.size(); ++i)
        if (const size_t n = unsafeUtf8At(s, i)) {
            std::fill_n(s.begin() + static_cast<std::ptrdiff_t>(i), n, '?');
            i += n - 1;
        }
}

// Escaped bytes (\'hh) in a row are decoded together by the reader when the
// code page is UTF-8 ({\urtf}); an unsafe sequence among them becomes '?'.
void replaceUnsafeEscapedUtf8(std::string& s) {
    for (size_t i = s.find('\\'); i != std::string::npos; i = s.find('\\', i + 1)) {
        std::string bytes;
        std::vector<size_t> where;
        for (RtfToken t = tokenAt(s, i); t.kind == RtfTokenKind::HexByte;
             t = tokenAt(s, t.offset + t.raw.size())) {
            bytes.push_back(static_cast<char>(t.byte));
            where.push_back(t.offset);
        }
        for (size_t k = 0; k < bytes.size(); ++k)
            if (const size_t n = unsafeUtf8At(bytes, k)) {
                for (size_t m = k; m < k + n; ++m) {
                    s[where[m] + 2] = '3';
                    s[where[m] + 3] = 'f';
                }
                k += n - 1;
            }
        if (!where.empty())
            i = where.back();
    }
}

// A control word whose parameter may need rewriting: `bad` tells, `fixed` is
// the number written instead.
struct ParameterRule {
    std::string_view word;
    bool (*bad)(long);
    long fixed;
};

// Rewrites the parameter of each control word a rule names when it is bad.
void rewriteParameters(std::string& s, std::span<const ParameterRule> rules) {
    std::string out;
    size_t copied = 0;
    for (size_t i = s.find('\\'); i != std::string::npos; i = s.find('\\', i + 1)) {
        const RtfToken t = tokenAt(s, i);
        if (t.kind != RtfTokenKind::ControlWord || !t.parameter)
            continue;
        const auto rule = std::find_if(rules.begin(), rules.end(),
                                       [&](const ParameterRule& r) { return r.word == t.word; });
        if (rule == rules.end() || !rule->bad(*t.parameter))
            continue;
        const size_t start = t.offset + 1 + t.word.size();
        out.append(s, copied, start - copied).append(std::to_string(rule->fixed));
        copied = start + t.parameterText.size();
    }
    if (copied > 0)
        s = out.append(s, copied);
}

// A UTF-16 unit the reader may meet through \uN: a lone unsafe mark, or a
// high surrogate that could pair into one. High surrogates are kept to the
// emoji planes.
bool unsafeUnit(char16_t u) {
    if (u >= 0xD800 && u <= 0xDBFF)
        return u < 0xD83C || u > 0xD83E;
    return isUnsafeMark(u);
}

void sanitizeUtf16Text(std::string& s, size_t from, bool bigEndian) {
    for (size_t i = from; i + 1 < s.size(); i += 2) {
        const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
        const auto u = static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
        if (unsafeUnit(u)) {
            s[i] = bigEndian ? '\0' : '?';
            s[i + 1] = bigEndian ? '?' : '\0';
        }
    }
}

} // namespace

bool isUnsafeMark(char32_t c) noexcept {
    return (c >= 0x0300 && c <= 0x036F) ||   // combining diacritical marks
           (c >= 0x0483 && c <= 0x0489) ||   // combining Cyrillic
           (c >= 0x0590 && c <= 0x1DFF) ||   // Hebrew, Arabic ... Indic, Thai, Lao, Tibetan ...
           (c >= 0x20D0 && c <= 0x20FF) ||   // combining marks for symbols
           (c >= 0xA66F && c <= 0xA6FF) ||   // combining Cyrillic extended
           (c >= 0xA800 && c <= 0xABFF) ||   // more Indic and South-East Asian
           (c >= 0xFB1D && c <= 0xFDFF) ||   // Hebrew and Arabic presentation forms
           (c >= 0xFE00 && c <= 0xFE2F) ||   // variation selectors, half marks
           (c >= 0xFE70 && c <= 0xFEFF) ||   // Arabic presentation forms B
           (c >= 0x10000 && c <= 0x1EFFF) || // historic scripts, musical marks
           (c >= 0xE0000 && c <= 0xE0FFF);   // tags, variation selectors
}

std::string withoutUnsafeMarks(std::string s) {
    const bool utf16 = s.starts_with("\xFF\xFE") || s.starts_with("\xFE\xFF");
    if (utf16) {
        sanitizeUtf16Text(s, 2, s[0] == '\xFE');
        return s;
    }
    replaceUnsafeUtf8(s);
    replaceUnsafeEscapedUtf8(s);
    static constexpr auto codePageBad = [](long v) {
        return std::find(kSafeCodePages.begin(), kSafeCodePages.end(), v) == kSafeCodePages.end();
    };
    static constexpr ParameterRule kRules[] = {
        {"u",
         [](long v) {
             return v < -32768 || v > 65535 ||
                    unsafeUnit(static_cast<char16_t>(static_cast<unsigned short>(v)));
         },
         1078},
        {"fcharset",
         [](long v) {
             return std::find(kSafeCharsets.begin(), kSafeCharsets.end(), v) == kSafeCharsets.end();
         },
         204},
        {"ansicpg", codePageBad, 1251},
        {"cpg", codePageBad, 1251},
    };
    rewriteParameters(s, kRules);
    return s;
}

HostileNotes::HostileNotes(std::uint64_t seed, std::vector<std::string> samples)
    : state_(seed * 0x9E3779B97F4A7C15ULL + 1), samples_(std::move(samples)) {
    if (samples_.empty())
        samples_.emplace_back(std::string(kHead) + "\\'c7\\'e0\\'ec\\'e5\\'f2\\'ea\\'e0\\par\r\n}");
}

std::uint64_t HostileNotes::below(std::uint64_t n) {
    // splitmix64: the same sequence on every platform and standard library.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return n == 0 ? 0 : z % n;
}

const std::string& HostileNotes::sample() {
    return samples_[below(samples_.size())];
}

HostileNote HostileNotes::next() {
    struct Kind {
        const char* name;
        std::string (HostileNotes::*make)();
        int weight;
    };
    static constexpr Kind kinds[] = {
        {"random bytes", &HostileNotes::randomBytes, 8},
        {"truncated note", &HostileNotes::truncated, 12},
        {"mutated note", &HostileNotes::mutated, 30},
        {"deep nesting", &HostileNotes::deepNesting, 8},
        {"long control word or number", &HostileNotes::longToken, 8},
        {"long font or style name", &HostileNotes::longName, 5},
        {"table soup", &HostileNotes::tableSoup, 8},
        {"tables", &HostileNotes::tables, 6},
        {"picture soup", &HostileNotes::pictureSoup, 4},
        {"NULs", &HostileNotes::withNuls, 5},
        {"bad UTF-8", &HostileNotes::badUtf8, 4},
        {"bad UTF-16", &HostileNotes::badUtf16, 4},
        {"token soup", &HostileNotes::tokenSoup, 10},
    };
    int total = 0;
    for (const Kind& k : kinds)
        total += k.weight;
    auto pick = static_cast<int>(below(static_cast<std::uint64_t>(total)));
    for (const Kind& k : kinds) {
        if (pick < k.weight)
            return {k.name, withoutUnsafeMarks((this->*k.make)())};
        pick -= k.weight;
    }
    return {"random bytes", withoutUnsafeMarks(randomBytes())};
}

std::string HostileNotes::randomText(std::size_t length, bool hostile) {
    static constexpr std::string_view kPieces[] = {
        "a",        "Z",       " ",         "0",     "\\'e0",    "\\'c0",     "\\'b8",
        "\\'ab",    "\\'bb",   "\\'96",     "\\'88", "\\'ff",    "\\u1078?",  "\\u-10179?\\u-8704?",
        "\\u9786?", "\\u233?", "\\u-9216?", ";",     "\\u8734?", "\\u20013?", "\\u1078",
        "\\u9786 ", "\\uc0",   "\\uc2"};
    constexpr std::size_t kCleanPieces = std::size(kPieces) - 4;
    std::string out;
    while (out.size() < length)
        out += kPieces[below(hostile ? std::size(kPieces) : kCleanPieces)];
    return out;
}

std::string HostileNotes::randomToken() {
    std::string token(kTokens[below(kTokens.size())]);
    // A control word that ends the token may take a number.
    const RtfToken word = tokenAt(token, 0);
    if (word.kind == RtfTokenKind::ControlWord && word.raw.size() == token.size() &&
        !word.parameter && !word.delimited && chance(50)) {
        static constexpr long long kNumbers[] = {0,
                                                 1,
                                                 2,
                                                 3,
                                                 7,
                                                 32,
                                                 33,
                                                 100,
                                                 1000,
                                                 65535,
                                                 65536,
                                                 -1,
                                                 -100,
                                                 2147483647,
                                                 -2147483648LL,
                                                 99999999999LL};
        token += std::to_string(kNumbers[below(std::size(kNumbers))]);
    }
    if (chance(30))
        token += ' ';
    return token;
}

std::string HostileNotes::randomBytes() {
    std::string out;
    if (chance(40))
        out = chance(80) ? "{\\rtf1" : "{\\urtf1";
    const std::size_t n = below(chance(90) ? 600 : 6000);
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(static_cast<char>(below(256)));
    return out;
}

std::string HostileNotes::truncated() {
    const std::string& s = sample();
    return s.substr(0, below(s.size() + 1));
}

std::string HostileNotes::mutated() {
    std::string s = sample();
    const std::uint64_t edits = 1 + below(chance(70) ? 4 : 40);
    for (std::uint64_t e = 0; e < edits; ++e) {
        const std::size_t at = below(s.size() + 1);
        switch (below(7)) {
        case 0: // flip a byte
            if (at < s.size())
                s[at] = static_cast<char>(below(256));
            break;
        case 1: // insert a byte
            s.insert(s.begin() + static_cast<std::ptrdiff_t>(at), static_cast<char>(below(256)));
            break;
        case 2: // delete a range
            s.erase(at, below(64));
            break;
        case 3: { // duplicate a range
            const std::string piece = s.substr(at, below(200));
            s.insert(at, piece);
            break;
        }
        case 4: // insert a token
        case 5:
            s.insert(at, randomToken());
            break;
        default: // change a digit
            if (at < s.size() && s[at] >= '0' && s[at] <= '9')
                s[at] = static_cast<char>('0' + below(10));
            break;
        }
    }
    return s;
}

std::string HostileNotes::deepNesting() {
    const auto depth = static_cast<std::size_t>(1 + below(chance(50) ? 40 : 400));
    std::string out(kHead);
    for (std::size_t i = 0; i < depth; ++i) {
        out += '{';
        if (chance(30))
            out += randomToken();
        if (chance(20))
            out += randomText(5);
    }
    out += "x";
    const std::size_t closes = chance(70) ? depth : below(depth + 1);
    out += std::string(closes, '}');
    if (chance(70))
        out += '}';
    return out;
}

std::string HostileNotes::longToken() {
    static constexpr std::size_t kLengths[] = {200, 255, 256, 500, 1000, 1023, 1024, 1100, 3000};
    const std::size_t n = chance(90) ? kLengths[below(std::size(kLengths))] : 1 + below(200000);
    std::string out(kHead);
    out += randomText(below(50));
    switch (below(3)) {
    case 0:
        out += '\\' + std::string(n, static_cast<char>('a' + below(26)));
        break;
    case 1:
        out += "\\fs" + std::string(chance(50) ? "-" : "") + std::string(n, '9');
        break;
    default:
        out += "\\b" + std::string(n, static_cast<char>('0' + below(10)));
        break;
    }
    out += ' ' + randomText(below(50)) + "\\par}";
    return out;
}

std::string HostileNotes::longName() {
    static constexpr std::size_t kLengths[] = {31, 200, 255, 256, 1000, 1030, 2000};
    const std::size_t n = kLengths[below(std::size(kLengths))];
    std::string name;
    while (name.size() < n)
        name += chance(10) ? "\\'c0" : chance(5) ? "\r\n" : std::string(1, 'A' + below(26));
    const bool style = chance(40);
    std::string out = "{\\rtf1\\ansi";
    out += style ? "{\\fonttbl{\\f0 Tahoma;}}{\\stylesheet{\\s1 " : "{\\fonttbl{\\f0\\fcharset204 ";
    out += name + (chance(80) ? ";" : "") + "}}\\pard\\f0 " + randomText(20) + "\\par}";
    return out;
}

std::string HostileNotes::tableSoup() {
    std::string out(kHead);
    const std::uint64_t rows = 1 + below(6);
    for (std::uint64_t r = 0; r < rows; ++r) {
        if (chance(85))
            out += "\\trowd\\trgaph108\\trleft-108";
        const std::uint64_t cells = below(5);
        for (std::uint64_t c = 0; c < cells; ++c)
            out += "\\cellx" + std::to_string(1000 * (c + 1) + (chance(10) ? 100000 : 0));
        if (chance(30))
            out += "\\itap" + std::to_string(1 + below(chance(90) ? 4 : 150));
        out += "\\pard\\intbl ";
        for (std::uint64_t c = 0; c < cells + below(2); ++c) {
            out += randomText(below(12));
            out += chance(85) ? "\\cell " : randomToken();
        }
        if (chance(15))
            out += "{\\*\\nesttableprops\\trowd\\cellx500\\nestrow}{\\nonesttables\\par}";
        out += chance(85) ? "\\row " : randomToken();
        if (chance(20))
            out += randomToken();
    }
    out += "\\pard " + randomText(10) + "\\par}";
    return out;
}

// A row as Word or Wine writes it, its cells sometimes holding a nested table.
void HostileNotes::tableRow(std::string& out, int level, int depthLeft) {
    const auto cells = static_cast<int>(1 + below(4));
    std::string defs = "\\trowd\\trgaph108";
    for (int c = 0; c < cells; ++c)
        defs += "\\cellx" + std::to_string(1500 * (c + 1));
    const bool wordStyle = chance(50);
    if (level == 1 || chance(50))
        out += defs;
    for (int c = 0; c < cells; ++c) {
        out += "\\pard\\intbl";
        if (level > 1 || chance(30))
            out += "\\itap" + std::to_string(level);
        out += ' ' + randomText(below(10), false);
        if (depthLeft > 0 && chance(25)) {
            out += "\\par ";
            tableRow(out, level + 1, depthLeft - 1);
            out += "\\pard\\intbl";
            if (level > 1)
                out += "\\itap" + std::to_string(level);
            out += ' ' + randomText(below(4), false);
        }
        if (chance(10))
            out += "\\par " + randomText(below(5), false);
        const char* end = level > 1 ? "\\nestcell " : "\\cell ";
        out += wordStyle ? "{" + std::string(end) + "}" : std::string(end);
    }
    if (level > 1)
        out += "{\\*\\nesttableprops" + defs + "\\nestrow}{\\nonesttables\\par}";
    else
        out += wordStyle ? "{" + defs + "\\row }" : defs + "\\row ";
}

std::string HostileNotes::tables() {
    std::string out(kHead);
    const std::uint64_t rows = 1 + below(5);
    for (std::uint64_t r = 0; r < rows; ++r) {
        tableRow(out, 1, static_cast<int>(below(4)));
        out += "\\pard";
        if (chance(50))
            out += "\\itap0";
        out += ' ' + randomText(below(10), false) + "\\par ";
    }
    out += '}';
    return out;
}

std::string HostileNotes::pictureSoup() {
    static constexpr std::string_view kKinds[] = {"\\dibitmap0", "\\wmetafile8", "\\emfblip",
                                                  "\\pngblip",   "\\jpegblip",   ""};
    std::string out(kHead);
    out += "{\\pict";
    out += kKinds[below(std::size(kKinds))];
    out += "\\picw" + std::to_string(below(100000)) + "\\pich" + std::to_string(below(100000));
    if (chance(50))
        out += "\\picwgoal" + std::to_string(below(100000));
    out += ' ';
    static constexpr char kHex[] = "0123456789abcdef";
    const std::uint64_t n = below(chance(80) ? 200 : 5000);
    if (chance(30))
        out += "28000000"; // the size field of a bitmap header
    for (std::uint64_t i = 0; i < n; ++i)
        out += chance(97) ? kHex[below(16)] : static_cast<char>(below(128));
    out += "}" + randomText(5) + "\\par}";
    return out;
}

std::string HostileNotes::withNuls() {
    std::string s = chance(70) ? sample() : randomText(200);
    const std::uint64_t n = 1 + below(20);
    for (std::uint64_t i = 0; i < n; ++i)
        s.insert(s.begin() + static_cast<std::ptrdiff_t>(below(s.size() + 1)), '\0');
    return s;
}

std::string HostileNotes::badUtf8() {
    static constexpr std::string_view kPieces[] = {"text ",        "\xD0\x9F\xD1\x80\xD0\xB8",
                                                   "\xC3\xA9",     "\xF0\x9F\x98\x80",
                                                   "\xE2\x98\xBA", "\xC3",
                                                   "\xE2\x98",     "\x80",
                                                   "\xFF",         "\xED\xA0\x80",
                                                   "\xC0\xAF",     "\xF8\x88\x80\x80\x80",
                                                   "\r\n",         "{\\rtf1 ",
                                                   "\xEF\xBB\xBF"};
    std::string out = chance(80) ? "\xEF\xBB\xBF" : "";
    if (chance(15))
        out += "{\\urtf1 ";
    const std::uint64_t n = below(200);
    for (std::uint64_t i = 0; i < n; ++i)
        out += kPieces[below(chance(50) ? 3 : std::size(kPieces))];
    return out;
}

std::string HostileNotes::badUtf16() {
    std::string out;
    const auto mark = below(4);
    const bool bigEndian = mark == 1;
    if (mark == 0)
        out = "\xFF\xFE";
    else if (mark == 1)
        out = "\xFE\xFF";
    static constexpr char16_t kUnits[] = {u'П',   u'р',   u'и',   u'x',   u' ',   u'\r',  u'\n',
                                          u'é',   u'☺',   0xD83D, 0xDE00, 0xDC00, 0xD800, 0xFFFD,
                                          0xFFFF, 0xFEFF, 0x0001, 0x001F, u'{',   u'\\',  0x0000};
    const std::uint64_t n = below(300);
    for (std::uint64_t i = 0; i < n; ++i) {
        const char16_t u = kUnits[below(chance(95) ? std::size(kUnits) - 1 : std::size(kUnits))];
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    if (chance(40))
        out.push_back(static_cast<char>(below(256))); // an odd byte count
    return out;
}

std::string HostileNotes::tokenSoup() {
    std::string out = chance(90) ? std::string(kHead) : "{\\rtf1 ";
    const std::uint64_t n = below(chance(80) ? 120 : 1500);
    for (std::uint64_t i = 0; i < n; ++i)
        out += chance(60) ? randomToken() : randomText(below(8));
    if (chance(70))
        out += '}';
    return out;
}

} // namespace quivra::document
