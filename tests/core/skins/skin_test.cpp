#include <gtest/gtest.h>

#include "common/temp_folder.h"
#include "skins/skin.h"

using namespace quivra::skins;

namespace {

constexpr Color rgb(unsigned r, unsigned g, unsigned b) {
    return r | g << 8 | b << 16;
}

class SkinFiles : public quivra::settings::testing::TempFolderTest {
  protected:
    std::filesystem::path write(const std::filesystem::path& name, const std::string& bytes) {
        const auto p = folder() / name;
        writeBytes(p, bytes);
        return p;
    }
};

} // namespace

TEST(SkinColor, ParsesOnlyHashAndSixHexDigits) {
    struct Case {
        std::u16string_view text;
        std::optional<Color> want;
    };
    const Case cases[] = {
        {u"#000000", rgb(0, 0, 0)},
        {u"#FFFFFF", rgb(255, 255, 255)},
        {u"#102030", rgb(0x10, 0x20, 0x30)}, // red ends up in the low byte
        {u"#a0B1c2", rgb(0xA0, 0xB1, 0xC2)},
        {u"  #0A0B0C\t", rgb(0x0A, 0x0B, 0x0C)},
        {u"", std::nullopt},
        {u"#", std::nullopt},
        {u"102030", std::nullopt},
        {u"#10203", std::nullopt},
        {u"#1020304", std::nullopt},
        {u"#10 203", std::nullopt},
        {u"#+12345", std::nullopt},
        {u"#-12345", std::nullopt},
        {u"#0x1234", std::nullopt},
        {u"#12345G", std::nullopt},
        {u"#１２３４５６", std::nullopt}, // full-width digits
        {u"0x102030", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseColor(c.text), c.want) << std::string(c.text.begin(), c.text.end());
}

TEST(SkinColor, MixesEachChannelOnItsOwn) {
    const Color a = rgb(0, 100, 255);
    const Color b = rgb(255, 0, 255);
    EXPECT_EQ(mixColors(a, b, 0), a);
    EXPECT_EQ(mixColors(a, b, 255), b);
    EXPECT_EQ(mixColors(a, b, 300), b);
    EXPECT_EQ(mixColors(a, b, 128), rgb(128, 50, 255));
    // No carry from one channel into the next.
    EXPECT_EQ(mixColors(rgb(255, 255, 255), rgb(255, 255, 255), 77), rgb(255, 255, 255));
}

TEST(SkinParse, NeedsValidWindowAndText) {
    EXPECT_FALSE(parseSkin(u""));
    EXPECT_FALSE(parseSkin(u"[Skin]\nWindow=#101010\n"));
    EXPECT_FALSE(parseSkin(u"[Skin]\nText=#101010\n"));
    EXPECT_FALSE(parseSkin(u"[Skin]\nWindow=#101010\nText=white\n"));
    EXPECT_FALSE(parseSkin(u"[Other]\nWindow=#101010\nText=#202020\n"));
    EXPECT_FALSE(parseSkin(u"Window=#101010\nText=#202020\n")); // no section at all
    EXPECT_TRUE(parseSkin(u"[Skin]\nWindow=#101010\nText=#202020"));
}

TEST(SkinParse, OptionalColoursFollowTheirDefaults) {
    const Color w = rgb(1, 1, 1), t = rgb(2, 2, 2), ctl = rgb(3, 3, 3), ct = rgb(4, 4, 4),
                btn = rgb(5, 5, 5), tt = rgb(6, 6, 6);

    const auto minimal = parseSkin(u"[Skin]\nWindow=#010101\nText=#020202\n");
    ASSERT_TRUE(minimal);
    EXPECT_EQ(*minimal, (SkinColors{w, t, w, t, w, w, t, w, w, t, t}));

    // A given colour carries into the colours that default to it.
    const auto chained = parseSkin(u"[Skin]\nWindow=#010101\nText=#020202\nControl=#030303\n"
                                   u"ControlText=#040404\nButton=#050505\nTabText=#060606\n");
    ASSERT_TRUE(chained);
    EXPECT_EQ(*chained, (SkinColors{w, t, ctl, ct, ctl, btn, ct, w, btn, tt, tt}));

    // A malformed optional colour counts as missing.
    const auto malformed =
        parseSkin(u"[Skin]\nWindow=#010101\nText=#020202\nControl=#03030\nEditor=red\n");
    ASSERT_TRUE(malformed);
    EXPECT_EQ(malformed->control, w);
    EXPECT_EQ(malformed->editor, w);
}

TEST(SkinParse, ReadsTheSkinSectionLikeAnIniFile) {
    const auto s = parseSkin(u"; a comment line\r\n"
                             u"Window=#FFFFFF\r\n"           // before any section: ignored
                             u"[Colors]\r\nText=#FFFFFF\r\n" // other section: ignored
                             u"  [ sKiN ]  \r\n"
                             u"  wInDoW  =  #102030  ; the panels\r\n"
                             u"TEXT=#405060\r\n"
                             u"Window=#FFFFFF\r\n" // a repeated key: the first counts
                             u"garbage line without equals\r\n"
                             u"=#FFFFFF\r\n"
                             u";Accent=#FFFFFF\r\n"
                             u"[Skin\r\nAccent=#FFFFFF\r\n" // unclosed header leaves the section
                             u"[SKIN]\r\nControl=#708090\r\n");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->window, rgb(0x10, 0x20, 0x30));
    EXPECT_EQ(s->text, rgb(0x40, 0x50, 0x60));
    EXPECT_EQ(s->accent, s->text);
    EXPECT_EQ(s->control, rgb(0x70, 0x80, 0x90));
}

TEST_F(SkinFiles, LoadsUtf8AndUtf16Files) {
    const std::string body = "[Skin]\r\nWindow=#102030\r\nText=#405060\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : body)
        utf16 += std::string{c, '\0'};
    for (const auto& file : {write("plain.asz", body), write("bom.asz", "\xEF\xBB\xBF" + body),
                             write("wide.asz", utf16)}) {
        const auto s = loadSkin(file);
        ASSERT_TRUE(s) << file;
        EXPECT_EQ(s->window, rgb(0x10, 0x20, 0x30));
        EXPECT_EQ(s->text, rgb(0x40, 0x50, 0x60));
    }
}

TEST_F(SkinFiles, RefusesWhatIsNotASkinFile) {
    EXPECT_FALSE(loadSkin(folder() / "missing.asz"));
    EXPECT_FALSE(loadSkin(folder()));
    EXPECT_FALSE(loadSkin(write("empty.asz", "")));
    EXPECT_FALSE(loadSkin(write("binary.asz", std::string("\0\x01\xFF\xFE\x80", 5))));
    // A valid skin padded past the size limit is refused rather than read in full.
    const std::string skin = "[Skin]\nWindow=#102030\nText=#405060\n";
    EXPECT_TRUE(loadSkin(write("padded.asz", skin + std::string(60 * 1024, ' '))));
    EXPECT_FALSE(loadSkin(write("huge.asz", skin + std::string(70 * 1024, ' '))));
}

TEST_F(SkinFiles, ListsSkinFileNamesIgnoringCase) {
    for (const char* name : {"gamma.asz", "Beta.ASZ", "alpha.asz",
                             "\xD0\xAF\xD1\x80\xD0\xBA\xD0\xBE.asz", "\xD0\xB0\xD0\xB1\xD0\xB2.asz",
                             "notes.txt", "alpha.asz.bak", "asz", ".asz", "two.dots.asz"})
        write(name, "[Skin]\n");
    std::filesystem::create_directory(folder() / "folder.asz");
    const std::vector<std::u16string> want = {u"alpha",    u"Beta", u"gamma",
                                              u"two.dots", u"абв",  u"Ярко"};
    EXPECT_EQ(listSkinNames(folder()), want);
    EXPECT_TRUE(listSkinNames(folder() / "missing").empty());
}
