#include "base/ini_file.h"

#include "base/errors.h"
#include "base/text_services.h"
#include "base/utf.h"
#include "common/temp_folder.h"

#include <functional>

using namespace quivra;
using namespace quivra::settings;
using quivra::settings::testing::utf16Bytes;

namespace fs = std::filesystem;

namespace {

class IniFileTest : public quivra::settings::testing::TempFolderTest {
  protected:
    fs::path file() const { return folder() / "settings.ini"; }
    base::IniFile ini() const { return base::IniFile(file()); }
    // The file as written by us: UTF-16 LE with a mark and CRLF line ends.
    std::string written(std::u16string_view lines) const { return utf16Bytes(lines, false); }
};

TEST_F(IniFileTest, ValuesLoseBlanksAndOnePairOfQuotes) {
    struct Case {
        const char* line;
        std::u16string expected;
    } cases[] = {{"k=  padded \t", u"padded"},
                 {"  k  =  v  ", u"v"},
                 {"k=\"quoted\"", u"quoted"},
                 {"k='single'", u"single"},
                 {"k=\"  inner blanks  \"", u"  inner blanks  "},
                 {"k=  \"padded and quoted\"  ", u"padded and quoted"},
                 {"k=\"mismatched'", u"\"mismatched'"},
                 {"k=\"", u"\""},
                 {"k=\"\"", u""},
                 {"k=\"a\"b\"", u"a\"b"},
                 {"k=a=b", u"a=b"}};
    for (const auto& c : cases) {
        writeBytes(file(), std::string("[s]\r\n") + c.line + "\r\n");
        EXPECT_EQ(ini().readString(u"s", u"k", u"default"), c.expected) << c.line;
    }
}

TEST_F(IniFileTest, LookupRules) {
    writeBytes(file(), "; comment=1\r\n"
                       "early=before any section\r\n"
                       "[First]\r\n"
                       "Key=one\r\n"
                       "key=shadowed\r\n"
                       "no equals sign here\r\n"
                       "empty=\r\n"
                       "[Second]\n"
                       "other=x\r"
                       "[FIRST]\r\n"
                       "late=two\r\n"
                       "  [ Note]name ]  \r\n"
                       "k=bracket\r\n");
    const auto f = ini();
    EXPECT_EQ(f.readString(u"first", u"KEY", u"d"), u"one");
    EXPECT_EQ(f.readString(u"First", u"late", u"d"), u"two"); // same-name sections are one
    EXPECT_EQ(f.readString(u"Second", u"other", u"d"), u"x"); // LF and lone CR end lines
    EXPECT_EQ(f.readString(u"Note]name", u"k", u"d"), u"bracket");
    EXPECT_EQ(f.readString(u"First", u"early", u"d"), u"d");
    EXPECT_EQ(f.readString(u"First", u"no equals sign here", u"d"), u"d");
    EXPECT_EQ(f.readString(u"Missing", u"Key", u"d"), u"d");
    EXPECT_EQ(f.readString(u"First", u"empty", u"d"), u"");
    EXPECT_TRUE(f.keyExists(u"first", u"EMPTY"));
    EXPECT_FALSE(f.keyExists(u"Second", u"Key"));
    EXPECT_EQ(f.sectionNames(), (std::vector<std::u16string>{u"First", u"Second", u"Note]name"}));
    EXPECT_EQ(f.keyNames(u"first"), (std::vector<std::u16string>{u"Key", u"empty", u"late"}));
}

TEST_F(IniFileTest, MissingFileReadsAsEmptyAndRemovalsDoNotCreateIt) {
    auto f = ini();
    EXPECT_EQ(f.readString(u"s", u"k", u"d"), u"d");
    EXPECT_EQ(f.readInteger(u"s", u"k", 7), 7);
    EXPECT_TRUE(f.readBool(u"s", u"k", true));
    EXPECT_FALSE(f.keyExists(u"s", u"k"));
    EXPECT_TRUE(f.sectionNames().empty());
    f.deleteKey(u"s", u"k");
    f.eraseSection(u"s");
    EXPECT_FALSE(fs::exists(file()));
}

TEST_F(IniFileTest, LongValuesAreCutTo2047Units) {
    const std::string a3000(3000, 'a'), a2100(2100, 'a'), a2046(2046, 'a');
    struct Case {
        std::string value;
        std::u16string expected;
    } cases[] = {
        {a3000, std::u16string(2047, u'a')},
        {"\"" + a2100 + "\"", std::u16string(2047, u'a')},        // quotes go first
        {a2046 + "\xF0\x9F\x98\x80", std::u16string(2046, u'a')}, // no half pair at the end
        {std::string(2047, 'b'), std::u16string(2047, u'b')}};
    for (const auto& c : cases) {
        writeBytes(file(), "\xEF\xBB\xBF[s]\r\nk=" + c.value + "\r\n");
        EXPECT_EQ(ini().readString(u"s", u"k", u""), c.expected);
    }
}

TEST(ProfileInteger, DecimalAndTwoHexForms) {
    const std::pair<std::u16string_view, long> integers[] = {
        {u"+7", 7},         {u"-5", -5},           {u"0x80", 128},
        {u"0XfF", 255},     {u"0x1", 1},           {u"$ff", 255},
        {u"$FFFFFFFF", -1}, {u"$00000000FF", 255}, {u"-2147483648", -2147483647L - 1}};
    for (const auto& [text, value] : integers)
        EXPECT_EQ(base::parseProfileInteger(text), value) << base::utf16ToUtf8(text);
    const std::u16string_view notIntegers[] = {
        u"2147483648", u"$100000000", u"0x",  u"$", u"0x-1", u"-$1",
        u"$1G",        u"12abc",      u"1 2", u"-", u"",     u"١٢" /* only ASCII digits count */};
    for (auto text : notIntegers)
        EXPECT_EQ(base::parseProfileInteger(text), std::nullopt) << base::utf16ToUtf8(text);
}

TEST_F(IniFileTest, CyrillicNamesAndValuesInEveryEncoding) {
    const std::u16string text = u"[Заметка]\r\nИмя = Значение Ёё\r\n";
    const std::string utf8 = base::utf16ToUtf8(text);
    const std::string ansi = base::portableTextServices().utf16ToAnsi(text);
    struct Case {
        const char* encoding;
        std::string bytes;
    } cases[] = {{"UTF-16 LE", utf16Bytes(text, false)},
                 {"UTF-16 BE", utf16Bytes(text, true)},
                 {"UTF-8 BOM", "\xEF\xBB\xBF" + utf8},
                 {"UTF-8", utf8},
                 {"ANSI 1251", ansi}};
    for (const auto& c : cases) {
        writeBytes(file(), c.bytes);
        auto f = ini();
        EXPECT_EQ(f.readString(u"ЗАМЕТКА", u"имя", u""), u"Значение Ёё") << c.encoding;
        f.writeString(u"заметка", u"Ключ", u"Ёжик");
        EXPECT_EQ(readBytes(file()), written(u"[Заметка]\r\nИмя = Значение Ёё\r\nКлюч=Ёжик\r\n"))
            << c.encoding;
    }
}

TEST_F(IniFileTest, AnsiAndAsciiFilesDoNotPassForUtf8) {
    // Bytes that are not valid UTF-8 are read in the ANSI code page; plain
    // ASCII reads the same either way.
    writeBytes(file(), "[s]\r\nk=\xD0\xE0\xE7\r\nascii=plain\r\n");
    EXPECT_EQ(ini().readString(u"s", u"k", u""), u"Раз");
    EXPECT_EQ(ini().readString(u"s", u"ascii", u""), u"plain");
}

TEST_F(IniFileTest, WritesChangeOnlyTheirLines) {
    const std::string before = "; keep me\r\n"
                               "[Options]\r\n"
                               "Width=640\r\n"
                               "junk line\r\n"
                               "\r\n"
                               "[Coords]\r\n"
                               "EDPanel_x=5\r\n"
                               "EDPanel_y=6\r\n"
                               "[Other]\r\n"
                               "a=1\r\n";
    struct Case {
        const char* what;
        std::function<void(base::IniFile&)> change;
        std::u16string after;
    } cases[] = {
        {"replace a value keeps the file's spelling",
         [](base::IniFile& f) { f.writeInteger(u"options", u"WIDTH", 800); },
         u"; keep me\r\n[Options]\r\nWidth=800\r\njunk line\r\n\r\n[Coords]\r\nEDPanel_x=5\r\n"
         u"EDPanel_y=6\r\n[Other]\r\na=1\r\n"},
        {"new key goes after the section's last line",
         [](base::IniFile& f) { f.writeString(u"Options", u"New", u"x"); },
         u"; keep me\r\n[Options]\r\nWidth=640\r\njunk line\r\nNew=x\r\n\r\n[Coords]\r\n"
         u"EDPanel_x=5\r\nEDPanel_y=6\r\n[Other]\r\na=1\r\n"},
        {"new section goes at the end",
         [](base::IniFile& f) { f.writeBool(u"Заметка", u"ReadOnly", true); },
         u"; keep me\r\n[Options]\r\nWidth=640\r\njunk line\r\n\r\n[Coords]\r\nEDPanel_x=5\r\n"
         u"EDPanel_y=6\r\n[Other]\r\na=1\r\n\r\n[Заметка]\r\nReadOnly=1\r\n"},
        {"delete a key", [](base::IniFile& f) { f.deleteKey(u"coords", u"edpanel_X"); },
         u"; keep me\r\n[Options]\r\nWidth=640\r\njunk line\r\n\r\n[Coords]\r\nEDPanel_y=6\r\n"
         u"[Other]\r\na=1\r\n"},
        {"erase a section", [](base::IniFile& f) { f.eraseSection(u"COORDS"); },
         u"; keep me\r\n[Options]\r\nWidth=640\r\njunk line\r\n\r\n[Other]\r\na=1\r\n"},
        {"line breaks in a value cannot add lines",
         [](base::IniFile& f) { f.writeString(u"Other", u"a", u"2\r\n[Evil]\r\nb=3"); },
         u"; keep me\r\n[Options]\r\nWidth=640\r\njunk line\r\n\r\n[Coords]\r\nEDPanel_x=5\r\n"
         u"EDPanel_y=6\r\n[Other]\r\na=2\r\n"}};
    for (const auto& c : cases) {
        writeBytes(file(), before);
        auto f = ini();
        c.change(f);
        EXPECT_EQ(readBytes(file()), written(c.after)) << c.what;
    }
}

TEST_F(IniFileTest, FirstWriteCreatesTheFileAndUnchangedWritesLeaveItAlone) {
    auto f = ini();
    f.writeString(u"Options", u"SkinName", u"Синий");
    f.writeInteger(u"Options", u"Opacity", -3);
    EXPECT_EQ(readBytes(file()), written(u"[Options]\r\nSkinName=Синий\r\nOpacity=-3\r\n"));
    EXPECT_EQ(f.readInteger(u"Options", u"Opacity", 0), -3);

    writeBytes(file(), "[Options]\nOpacity=-3\n"); // not our encoding, yet nothing to change
    f.writeInteger(u"Options", u"Opacity", -3);
    f.deleteKey(u"Options", u"Missing");
    f.eraseSection(u"Missing");
    EXPECT_EQ(readBytes(file()), "[Options]\nOpacity=-3\n");
    EXPECT_THROW(f.writeString(u"s", u"", u"v"), std::invalid_argument);
}

TEST_F(IniFileTest, SectionWithAnEmptyNameIsWrittenReadAndErasedLikeAnyOther) {
    // The view settings of a note named by an empty name (a file ".note").
    writeBytes(file(), "[Plan]\r\nReadOnly=0\r\n");
    auto f = ini();
    f.writeBool(u"", u"ReadOnly", true);
    f.writeBool(u" ", u"WordWrap", true); // blanks around a name do not count
    EXPECT_EQ(readBytes(file()), written(u"[Plan]\r\nReadOnly=0\r\n\r\n[]\r\nReadOnly=1\r\n"
                                         u"WordWrap=1\r\n"));
    EXPECT_TRUE(f.readBool(u"", u"ReadOnly", false));
    EXPECT_FALSE(f.readBool(u"Plan", u"ReadOnly", true));
    EXPECT_EQ(f.keyNames(u""), (std::vector<std::u16string>{u"ReadOnly", u"WordWrap"}));
    f.deleteKey(u"", u"WordWrap");
    f.eraseSection(u"");
    EXPECT_EQ(readBytes(file()), written(u"[Plan]\r\nReadOnly=0\r\n\r\n"));
}

TEST_F(IniFileTest, RefusedWritesFailAndKeepTheOldContent) {
    const std::string old = "[Options]\r\nOpacity=100\r\n";
    const std::vector<std::string> onlyTheFile{"settings.ini"};
    struct Case {
        const char* what;
        fs::path target;
        std::function<void()> prepare;
        bool fileKept; // the target holds `old` and removals have something to remove
        std::vector<std::string> entries;
    } cases[] = {// Tests may run as root, who may write anyway: the permission bit decides.
                 {"read-only file", file(),
                  [&] {
                      writeBytes(file(), old);
                      fs::permissions(file(), fs::perms::owner_read | fs::perms::group_read);
                  },
                  true, onlyTheFile},
                 {"missing folder", folder() / "missing" / "settings.ini", [] {}, false, {}},
                 {"folder in the file's place", file(), [&] { fs::create_directory(file()); },
                  false, onlyTheFile}};
    for (const auto& c : cases) {
        c.prepare();
        base::IniFile f(c.target);
        try {
            f.writeInteger(u"Options", u"Opacity", 200);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const base::UserError& e) {
            EXPECT_EQ(e.text(), u"Unable to write to " + c.target.u16string()) << c.what;
        }
        if (c.fileKept) {
            EXPECT_THROW(f.deleteKey(u"Options", u"Opacity"), base::UserError);
            EXPECT_THROW(f.eraseSection(u"Options"), base::UserError);
            EXPECT_EQ(readBytes(c.target), old);
            EXPECT_EQ(f.readInteger(u"Options", u"Opacity", 0), 100);
        }
        EXPECT_EQ(entries(), c.entries) << c.what; // no temporary file left
        for (const auto& e : fs::directory_iterator(folder())) {
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
            fs::remove_all(e.path());
        }
    }
}

TEST_F(IniFileTest, BytesTheDecodingWouldDropAreCopiedAsideBeforeTheFirstWrite) {
    struct Case {
        const char* what;
        std::string bytes;
        bool copied;
    } cases[] = {
        {"UTF-16 with an odd byte count", utf16Bytes(u"[Options]\r\nk=v\r\n", false) + "x", true},
        {"UTF-8 with a mark and a bad sequence", "\xEF\xBB\xBF[Options]\r\nk=\xC3\x28\r\n", true},
        {"UTF-16 LE", utf16Bytes(u"[Options]\r\nk=v\r\n", false), false},
        {"UTF-16 BE", utf16Bytes(u"[Options]\r\nk=ж\r\n", true), false},
        {"plain ASCII", "[Options]\r\nk=v\r\n", false},
        {"ANSI Cyrillic", "[Options]\r\nk=\xE6\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(file());
        fs::remove(folder() / "settings.ini.bak");
        writeBytes(file(), c.bytes);
        ini().writeString(u"Options", u"other", u"1");
        EXPECT_EQ(fs::exists(folder() / "settings.ini.bak"), c.copied);
        if (c.copied) {
            EXPECT_EQ(readBytes(folder() / "settings.ini.bak"), c.bytes);
        }
        // Once rewritten the file decodes exactly: no further copy is made.
        fs::remove(folder() / "settings.ini.bak");
        ini().writeString(u"Options", u"other", u"2");
        EXPECT_FALSE(fs::exists(folder() / "settings.ini.bak"));
    }
    // An older copy of other bytes is kept; the new one takes the next name.
    writeBytes(folder() / "settings.ini.bak", "older");
    writeBytes(file(), "\xEF\xBB\xBFk=\xFF");
    ini().writeString(u"Options", u"k", u"v");
    EXPECT_EQ(readBytes(folder() / "settings.ini.bak"), "older");
    EXPECT_EQ(readBytes(folder() / "settings.ini (2).bak"), "\xEF\xBB\xBFk=\xFF");
}

TEST_F(IniFileTest, WritesLeaveNoTemporaryFilesAndStaleOnesAreRemoved) {
    auto f = ini();
    for (int i = 0; i < 20; ++i)
        f.writeInteger(u"Options", u"Width", i);
    EXPECT_EQ(entries(), std::vector<std::string>{"settings.ini"});

    writeBytes(folder() / "settings.ini.~tmp0123abcd", "left by a crash");
    writeBytes(folder() / "settings.ini.~tmpnothex!", "not ours");
    writeBytes(folder() / "other.ini.~tmp0123abcd", "another file's");
    f.removeStaleTemporaries();
    EXPECT_EQ(entries(), (std::vector<std::string>{"other.ini.~tmp0123abcd", "settings.ini",
                                                   "settings.ini.~tmpnothex!"}));
}

} // namespace
