#include "settings/keys.h"

#include "base/text_services.h"
#include "base/utf.h"
#include "common/temp_folder.h"

using namespace quivra;
using namespace quivra::settings;
using quivra::base::IniFile;

namespace fs = std::filesystem;

namespace {

class SettingsKeysTest : public quivra::settings::testing::TempFolderTest {
  protected:
    fs::path file() const { return folder() / "quivra_PC_user.ini"; }
    IniFile ini() const { return IniFile(file()); }
    void options(const std::string& lines) { writeBytes(file(), "[Options]\r\n" + lines); }
};

TEST_F(SettingsKeysTest, LowerCaseSectionAndKeyStillMatch) {
    writeBytes(file(), "[options]\r\nplacement=2\r\n");
    EXPECT_EQ(read(ini(), keys::Placement), 2);
}

TEST_F(SettingsKeysTest, IntegerValuesOrTheDefault) {
    struct Case {
        const char* stored; // nullptr: no such line
        long opacity;
    } cases[] = {{"0x80", 128},  {"$FF", 255},   {"abc", 220}, {"", 220},
                 {nullptr, 220}, {" '77' ", 77}, {"300", 300} /* not clamped */};
    for (const auto& c : cases) {
        options(c.stored ? std::string("Opacity=") + c.stored + "\r\n" : "");
        EXPECT_EQ(read(ini(), keys::Opacity), c.opacity) << (c.stored ? c.stored : "(missing)");
    }
}

TEST_F(SettingsKeysTest, TruthValuesOrTheDefault) {
    struct Case {
        const char* stored;
        bool trayIcon, doubleClick; // default true and false
    } cases[] = {{"5", true, true},
                 {"-1", true, true},
                 {"0", false, false},
                 {"yes", true, false},
                 {"", true, false}};
    for (const auto& c : cases) {
        options(std::string("TrayIcon=") + c.stored + "\r\nDoubleClick=" + c.stored + "\r\n");
        EXPECT_EQ(read(ini(), keys::TrayIcon), c.trayIcon) << c.stored;
        EXPECT_EQ(read(ini(), keys::DoubleClick), c.doubleClick) << c.stored;
    }
}

TEST_F(SettingsKeysTest, WrittenForms) {
    auto f = ini();
    write(f, keys::TrayIcon, false);
    write(f, keys::SilentStart, true);
    write(f, keys::Opacity, 128);
    write(f, keys::BorderColor, *colorFromString(u"clTeal"));
    write(f, keys::CurrentNoteName, u"Список покупок");
    write(f, keys::Restart);
    const std::u16string expected = u"[Options]\r\nTrayIcon=0\r\nSilentStart=1\r\nOpacity=128\r\n"
                                    u"BorderColor=clTeal\r\nCurrentNoteName=Список покупок\r\n"
                                    u"Restart=1\r\n";
    EXPECT_EQ(readBytes(file()), quivra::settings::testing::utf16Bytes(expected, false));
    EXPECT_EQ(read(f, keys::CurrentNoteName), u"Список покупок");
    EXPECT_TRUE(exists(f, keys::Restart));
    remove(f, keys::Restart);
    EXPECT_FALSE(exists(f, keys::Restart));
}

TEST_F(SettingsKeysTest, ConfirmPanelYIsOneKeyWhateverItsSpelling) {
    auto f = ini();
    write(f, keys::ConfirmPanel_y, 42);
    EXPECT_EQ(f.readInteger(u"Coords", u"ConfirmPanel_y", -1), 42);

    writeBytes(file(), "[Coords]\r\nConfirmPanel_y=7\r\n");
    EXPECT_EQ(read(f, keys::ConfirmPanel_y), 7);
    write(f, keys::ConfirmPanel_y, 8);
    EXPECT_EQ(f.keyNames(u"Coords"), std::vector<std::u16string>{u"ConfirmPanel_y"});
    EXPECT_EQ(read(f, keys::ConfirmPanel_y), 8);
}

TEST_F(SettingsKeysTest, CoordinatesWithAndWithoutFixedDefaults) {
    writeBytes(file(), "[Coords]\r\nEDPanel_x=-20\r\nEDPanel_y=oops\r\nEditPanel_x=\r\n");
    const auto f = ini();
    EXPECT_EQ(read(f, keys::EDPanel_x), -20);
    EXPECT_EQ(read(f, keys::EDPanel_y), std::nullopt);
    EXPECT_EQ(read(f, keys::EditPanel_x), std::nullopt);
    EXPECT_EQ(read(f, keys::EditPanel_y), std::nullopt);
    EXPECT_EQ(read(f, keys::FontPanel_x), 3);
    EXPECT_EQ(read(f, keys::FontPanel_y), 3);
}

TEST_F(SettingsKeysTest, BorderColorConversion) {
    struct Case {
        const char* stored;
        std::optional<Color> color;
    } cases[] = {{nullptr, rgbColor(0, 0, 255)},
                 {"clteal", rgbColor(0, 128, 128)},
                 {"$000000FF", rgbColor(255, 0, 0)},
                 {"clBtnFace", systemColor(15)},
                 {"Синий", std::nullopt},
                 {"", std::nullopt}};
    for (const auto& c : cases) {
        options(c.stored ? std::string("BorderColor=") + c.stored + "\r\n" : "");
        EXPECT_EQ(readColor(ini(), keys::BorderColor), c.color)
            << (c.stored ? c.stored : "(missing)");
    }
}

TEST(SettingsKeys, ClampToRange) {
    struct Case {
        IntKey key;
        long in, out;
    } cases[] = {{keys::Opacity, 10, 50},  {keys::Opacity, 300, 255}, {keys::Opacity, 128, 128},
                 {keys::DelayShow, 0, 10}, {keys::Placement, 4, 3},   {keys::Width, -5, -5}};
    for (const auto& c : cases)
        EXPECT_EQ(clamp(c.key, c.in), c.out) << base::utf16ToUtf8(c.key.name) << " " << c.in;
}

TEST(SettingsKeys, NamesAreDistinctWithinTheirSection) {
    std::vector<std::pair<std::u16string_view, std::u16string_view>> all;
    auto add = [&](const auto& list) {
        for (const auto& k : list)
            all.emplace_back(k.section, k.name);
    };
    add(keys::kIntKeys);
    add(keys::kBoolKeys);
    add(keys::kTextKeys);
    add(keys::kMarkerKeys);
    add(keys::kCoordKeys);
    all.emplace_back(keys::BorderColor.section, keys::BorderColor.name);
    EXPECT_EQ(all.size(), 43u);
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t j = i + 1; j < all.size(); ++j)
            EXPECT_FALSE(all[i].first == all[j].first &&
                         base::equalsIgnoreCase(all[i].second, all[j].second))
                << base::utf16ToUtf8(all[i].second);
}

} // namespace
