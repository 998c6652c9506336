// No character is lost by a save, and note files load as RTF or plain text.
#include "rich_edit_host.h"

#include "platform/errors.h"
#include "platform/utf.h"

using namespace quivra;
using namespace quivra::editor;
using quivra::editor::test::RichEditTest;

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

TEST_F(RichEditTest, SavedTextComesBackUnchanged) {
    struct Case {
        const char* name;
        std::u16string text;
        const char* header; // what the save should begin with, if it matters
    };
    const Case cases[] = {
        {"Cyrillic and code page punctuation", u"Привет, «мир» — №1 €", "{\\rtf1"},
        {"characters the code page lacks", u"中文 ∞ ≤", "{\\rtf1"},
        {"look-alikes", u"café ÿ Ā Łódź ☺ √", "{\\urtf"},
        {"full-width forms", u"ＡＢＣ１２３", "{\\urtf"},
        {"surrogate pair", u"смайл 😀 𝄞", nullptr},
        {"lone surrogates among look-alikes", u"é\xD800x\xDC00y😀\xFFFD\xDBFF", "{\\urtf"},
    };
    for (const auto& c : cases) {
        edit.setPlainText(c.text);
        const std::string saved = edit.rtf();
        if (c.header) {
            EXPECT_EQ(saved.rfind(c.header, 0), 0u) << c.name << ": " << saved.substr(0, 12);
        }
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
    roundTrip();
    const std::u16string back = edit.text();
    ASSERT_EQ(back.size(), all.size());
    for (size_t i = 0; i < all.size(); ++i)
        if (back[i] != all[i]) {
            ADD_FAILURE() << std::hex << "U+" << unsigned(all[i]) << " came back as U+"
                          << unsigned(back[i]);
            break;
        }
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

TEST_F(RichEditTest, PlainTextFilesLoadByTheirFirstBytes) {
    const std::u16string note = u"Привет\r\nмир é 😀";
    const std::pair<const char*, std::string> cases[] = {
        {"utf-8", "\xEF\xBB\xBF" + utf16ToUtf8(note)},
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

TEST_F(RichEditTest, FilesThatAreNeitherRtfNorTextFailToLoad) {
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
        } catch (const UserError& e) {
            EXPECT_EQ(e.text(), u"Failed to Load Stream") << name;
        }
        EXPECT_EQ(edit.textLength(), 0) << name;
        EXPECT_FALSE(edit.modified()) << name;
    }
    EXPECT_THROW(edit.setRtf("plain words"), UserError);
}
