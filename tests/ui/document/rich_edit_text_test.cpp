// No character is lost by a save, and note files load as RTF or plain text.
#include "rich_edit_host.h"

#include "base/errors.h"
#include "base/utf.h"
#include "common/hostile_notes.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <fstream>
#include <iterator>

using namespace quivra;
using namespace quivra::document;
using quivra::document::test::RichEditTest;

namespace {

std::string utf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : text) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

} // namespace

// Standard RTF as other programs read it: the ANSI header, 7-bit bytes only.
void expectStandardRtf(const std::string& saved, const char* what) {
    EXPECT_EQ(saved.rfind("{\\rtf1\\ansi\\ansicpg1251", 0), 0u)
        << what << ": " << saved.substr(0, 24);
    EXPECT_EQ(std::count_if(saved.begin(), saved.end(),
                            [](char c) { return static_cast<unsigned char>(c) >= 0x80; }),
              0)
        << what;
    EXPECT_EQ(saved.find("\\urtf"), std::string::npos) << what;
}

TEST_F(RichEditTest, SavedTextComesBackUnchanged) {
    struct Case {
        const char* name;
        std::u16string text;
        const char* written; // how the save writes a part of it
    };
    const Case cases[] = {
        {"Cyrillic and code page punctuation", u"Привет, «мир» — №1 €", "\\'cf\\'f0\\'e8\\'e2"},
        {"characters the code page lacks", u"中文 ∞ ≤", "\\u20013?\\u25991?"},
        {"look-alikes", u"café ÿ Ā Łódź ☺ √", "caf\\u233?"},
        {"full-width forms", u"ＡＢＣ１２３", "\\u-223?"},
        {"surrogate pair", u"смайл 😀 𝄞", "\\u-10179?\\u-8704?"},
        {"lone surrogates among look-alikes", u"é\xD800x\xDC00y😀\xFFFD\xDBFF", "\\u-10240?x"},
        {"control characters", u"a\x01\x1F\x7F b", "a\\u1?\\u31?"},
    };
    for (const auto& c : cases) {
        edit.setPlainText(c.text);
        const std::string saved = edit.rtf();
        expectStandardRtf(saved, c.name);
        EXPECT_NE(saved.find(c.written), std::string::npos) << c.name << ": " << saved;
        edit.setRtf(saved);
        EXPECT_EQ(edit.text(), c.text) << c.name;
    }
}

TEST_F(RichEditTest, EveryCodeUnitSurvivesSaveAndLoad) {
    // The cipher writes arbitrary code units into notes. NUL ends inserted
    // text and CR/LF become paragraph breaks, so those three are left out.
    std::u16string all;
    for (unsigned u = 1; u <= 0xFFFF; ++u)
        if (u != '\r' && u != '\n')
            all.push_back(static_cast<char16_t>(u));
    edit.setPlainText(all);
    ASSERT_EQ(edit.text(), all);
    const std::string saved = edit.rtf();
    expectStandardRtf(saved, "every code unit");
    roundTrip();
    const std::u16string back = edit.text();
    ASSERT_EQ(back.size(), all.size());
    for (size_t i = 0; i < all.size(); ++i)
        if (back[i] != all[i]) {
            ADD_FAILURE() << std::hex << "U+" << unsigned(all[i]) << " came back as U+"
                          << unsigned(back[i]);
            break;
        }
    // What was read back is written the same way again.
    EXPECT_EQ(edit.rtf(), saved);
}

TEST_F(RichEditTest, RandomCodeUnitsSurviveInFontsOfEveryCharacterSet) {
    // Runs of random code units (lone surrogates and control characters
    // among them) in fonts whose code pages differ: Cyrillic, Western,
    // Japanese, symbol and the default set. Marks that Wine's gdi32 cannot
    // draw without a base letter are left out.
    struct Font {
        const wchar_t* face;
        BYTE charset;
    };
    const Font fonts[] = {{L"Tahoma", RUSSIAN_CHARSET},
                          {L"Arial", ANSI_CHARSET},
                          {L"MS Gothic", SHIFTJIS_CHARSET},
                          {L"Symbol", SYMBOL_CHARSET},
                          {L"Courier New", DEFAULT_CHARSET}};
    uint32_t state = 20240611;
    auto next = [&] { return state = state * 1664525u + 1013904223u; };
    for (int round = 0; round < 4; ++round) {
        std::u16string text;
        std::vector<std::pair<long, long>> runs;
        for (int run = 0; run < 10; ++run) {
            const long start = static_cast<long>(text.size());
            for (int i = 0; i < 200; ++i) {
                char16_t u;
                do {
                    u = static_cast<char16_t>(next() >> 16);
                } while (u == 0 || u == '\r' || u == '\n' || isUnsafeMark(u));
                text.push_back(u);
            }
            runs.emplace_back(start, static_cast<long>(text.size()));
        }
        edit.setPlainText(text);
        for (size_t r = 0; r < runs.size(); ++r) {
            const Font& font = fonts[(r + round) % std::size(fonts)];
            CHARFORMAT2W f{};
            f.dwMask = CFM_FACE | CFM_CHARSET;
            f.bCharSet = font.charset;
            wcscpy(f.szFaceName, font.face);
            select(runs[r].first, runs[r].second);
            edit.setCharFormat(f);
        }
        const std::string saved = edit.rtf();
        expectStandardRtf(saved, "random units");
        edit.empty();
        edit.setRtf(saved);
        const std::u16string back = edit.text();
        ASSERT_EQ(back.size(), text.size()) << "round " << round;
        for (size_t i = 0; i < text.size(); ++i)
            if (back[i] != text[i]) {
                ADD_FAILURE() << std::hex << "round " << round << ": U+" << unsigned(text[i])
                              << " came back as U+" << unsigned(back[i]);
                break;
            }
    }
}

TEST_F(RichEditTest, NotesSavedAsUtf8RtfLoadAndAreSavedStandard) {
    // Notes written by earlier versions: UTF-8 RTF with a restored surrogate.
    const std::string old = "{\\urtf\\deff0{\\fonttbl{\\f0\\fcharset204 Tahoma;}}\r\n"
                            "\\pard\\f0\\fs16 \xD0\x9F\xD1\x80\xD0\xB8 caf\xC3\xA9 "
                            "\xF0\x9F\x98\x80\\u-10240?{\\b \xE2\x98\xBA}\\par\r\n}";
    edit.loadFileBytes(old);
    EXPECT_EQ(edit.text(), u"При café 😀\xD800☺");
    const std::string saved = edit.rtf();
    expectStandardRtf(saved, "old note");
    edit.loadFileBytes(saved);
    EXPECT_EQ(edit.text(), u"При café 😀\xD800☺");
    select(12, 13);
    EXPECT_TRUE(edit.charFormat().dwEffects & CFE_BOLD);
}

TEST_F(RichEditTest, CharactersSurviveInFontsOfOtherCharacterSets) {
    // «» and © have look-alikes in Shift-JIS, the code page of this font.
    edit.setPlainText(u"«цитата» © ½");
    CHARFORMAT2W f{};
    f.cbSize = sizeof f;
    f.dwMask = CFM_FACE | CFM_CHARSET;
    f.bCharSet = SHIFTJIS_CHARSET;
    wcscpy(f.szFaceName, L"MS Gothic");
    select(0, -1);
    edit.setCharFormat(f);
    roundTrip();
    EXPECT_EQ(edit.text(), u"«цитата» © ½");
}

TEST_F(RichEditTest, EveryCodeUnitOfReplacedLinesReadsBackInFontsOfEveryCharacterSet) {
    // The cipher's lines hold any code unit but NUL and the line ends. Each
    // line of the note is in another font and gets all of them, so that
    // each code page writes the characters it holds and escapes the others.
    const std::pair<const wchar_t*, BYTE> fonts[] = {{L"Tahoma", RUSSIAN_CHARSET},
                                                     {L"Arial", ANSI_CHARSET},
                                                     {L"MS Gothic", SHIFTJIS_CHARSET},
                                                     {L"Symbol", SYMBOL_CHARSET},
                                                     {L"Tahoma", DEFAULT_CHARSET}};
    constexpr size_t count = std::size(fonts);
    std::u16string all;
    for (unsigned u = 1; u <= 0xFFFF; ++u)
        if (u != '\r' && u != '\n')
            all.push_back(static_cast<char16_t>(u));
    std::u16string text;
    for (size_t i = 0; i < count; ++i)
        text += u"строка\r";
    edit.setPlainText(text);
    std::vector<ParagraphChange> changes;
    for (size_t i = 0; i < count; ++i) {
        selectLine(static_cast<int>(i));
        CHARFORMAT2W font{};
        font.dwMask = CFM_FACE | CFM_CHARSET;
        wcscpy(font.szFaceName, fonts[i].first);
        font.bCharSet = fonts[i].second;
        edit.setCharFormat(font);
        changes.push_back({i, all});
    }
    EXPECT_EQ(edit.replaceParagraphs(changes), RichEdit::ParagraphsReplaced::AsExpected);
    const std::vector<std::u16string> back = edit.lines();
    ASSERT_EQ(back.size(), count);
    for (size_t i = 0; i < count; ++i)
        for (size_t k = 0; k < changes[i].text.size(); ++k)
            if (k >= back[i].size() || back[i][k] != changes[i].text[k]) {
                ADD_FAILURE() << std::hex << "U+" << unsigned(changes[i].text[k])
                              << " in a font of character set " << std::dec << int(fonts[i].second)
                              << " came back wrong";
                break;
            }
}

TEST_F(RichEditTest, NotesWithTablesRefuseParagraphReplacementAndStayAsTheyWere) {
    std::ifstream file(QUIVRA_TEST_DATA "/tables-as-wine-writes-them.rtf", std::ios::binary);
    edit.loadFileBytes(std::string(std::istreambuf_iterator<char>(file), {}));
    const std::u16string before = edit.text();
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(edit.replaceParagraphs(std::vector<ParagraphChange>{{0, u"x"}}),
              RichEdit::ParagraphsReplaced::Refused);
    EXPECT_EQ(edit.text(), before);
}

TEST_F(RichEditTest, PlainTextFilesLoadByTheirFirstBytes) {
    const std::u16string note = u"Привет\r\nмир é 😀";
    const std::pair<const char*, std::string> cases[] = {
        {"utf-8", "\xEF\xBB\xBF" + base::utf16ToUtf8(note)},
        {"utf-16 LE", utf16Bytes(note, false)},
        {"utf-16 BE", utf16Bytes(note, true)},
    };
    for (const auto& [name, bytes] : cases) {
        edit.loadFileBytes(bytes);
        EXPECT_EQ(edit.text(), u"Привет\rмир é 😀") << name;
        EXPECT_TRUE(edit.modified()) << name;
    }
    edit.loadFileBytes("\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xEC\xE8\xF0"); // Windows-1251
    EXPECT_EQ(edit.text(), u"Привет\rмир");
    // Plain text takes the note's default format, not Wine's System bold.
    select(0, 1);
    const CHARFORMAT2W f = edit.charFormat();
    EXPECT_STREQ(f.szFaceName, L"Tahoma");
    EXPECT_EQ(f.yHeight, 160);
    EXPECT_EQ(f.bCharSet, RUSSIAN_CHARSET);
    EXPECT_FALSE(f.dwEffects & CFE_BOLD);
    EXPECT_TRUE(f.dwEffects & CFE_AUTOCOLOR);
    edit.loadFileBytes("");
    EXPECT_EQ(edit.textLength(), 0);
}

TEST_F(RichEditTest, FilesThatAreNeitherRtfNorTextFailToLoadAndLeaveTheEditorAlone) {
    using namespace std::string_literals;
    const std::pair<const char*, std::string> cases[] = {
        {"utf-16 odd length", "\xFF\xFEo\0k"s},
        {"binary", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s},
    };
    for (const auto& [name, bytes] : cases) {
        edit.setPlainText(u"прежний текст");
        try {
            edit.loadFileBytes(bytes);
            ADD_FAILURE() << name << " loaded";
        } catch (const base::UserError& e) {
            EXPECT_EQ(e.text(), u"Failed to Load Stream") << name;
        }
        // The note shown before stays, unsaved changes and all.
        EXPECT_EQ(edit.text(), u"прежний текст") << name;
        EXPECT_TRUE(edit.modified()) << name;
    }
    EXPECT_THROW(edit.setRtf("plain words"), base::UserError);
    EXPECT_EQ(edit.text(), u"прежний текст");
}
