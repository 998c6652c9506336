#include <gtest/gtest.h>

#include <set>

#include "base/name_chars.h"
#include "base/utf.h"
#include "settings/data_folders.h"

using namespace quivra::settings;

namespace {
// A fake file system holding the given folders.
PathExists folders(std::set<std::u16string> existing) {
    return [existing = std::move(existing)](std::u16string_view path) {
        return existing.count(std::u16string(path)) > 0;
    };
}
} // namespace

TEST(DataFolders, NamesFromComputerUserAndExecutable) {
    EXPECT_EQ(profileName(u"PC", u"ivan"), u"PC_ivan");
    EXPECT_EQ(profileName(std::nullopt, u"ivan"), u"_ivan");
    EXPECT_EQ(profileName(u"PC", std::nullopt), u"PC_Unknown user");
    struct Case {
        std::u16string exe, base, mutex;
    } cases[] = {
        {u"C:\\Program Files\\Quivra\\quivra.exe", u"quivra", u"quivra"},
        {u"D:\\a.b.exe", u"a.b", u"a.b"},
        {u"C:\\v1.2\\notes", u"notes", u"n"}, // a dot in a folder is no extension
        {u"x.ex", u"x", u""},
        {u"E:quivra.exe", u"quivra", u"quivra"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(executableBaseName(c.exe), c.base) << quivra::base::utf16ToUtf8(c.exe);
        EXPECT_EQ(singleInstanceMutexName(c.exe), c.mutex) << quivra::base::utf16ToUtf8(c.exe);
    }
}

TEST(DataFolders, SettingsFileAndDefaultNotesDirFollowSharedIni) {
    EXPECT_EQ(settingsFilePath(u"C:\\Q", true, u"quivra", u"PC_ivan"), u"C:\\Q\\Data\\default.ini");
    EXPECT_EQ(settingsFilePath(u"C:\\Q", false, u"quivra", u"_Unknown user"),
              u"C:\\Q\\Data\\quivra__Unknown user.ini");
    EXPECT_EQ(defaultNotesDir(true, u"PC_ivan"), u"Default");
    EXPECT_EQ(defaultNotesDir(false, u"PC_ivan"), u"PC_ivan");
}

TEST(DataFolders, NotesFolderIsCustomOnlyWhenSelectedAndPresent) {
    const auto fs = folders({u"E:\\Notes\\", u"E:\\Other"});
    struct Case {
        bool customSelected;
        std::u16string customDir, own, folder;
        bool custom;
    } cases[] = {
        {true, u"E:\\Notes\\", u"PC_ivan", u"E:\\Notes\\", true}, // kept exactly as typed
        {true, u"F:\\Gone", u"PC_ivan", u"C:\\Q\\Data\\Notes\\PC_ivan", false},
        {false, u"E:\\Other", u"Default", u"C:\\Q\\Data\\Notes\\Default", false},
        {true, u"", u"", u"C:\\Q\\Data\\Notes\\", false},
    };
    for (const auto& c : cases) {
        const auto choice = chooseNotesFolder(u"C:\\Q", c.customSelected, c.customDir, c.own, fs);
        EXPECT_EQ(choice.folder, c.folder);
        EXPECT_EQ(choice.custom, c.custom);
    }
}

TEST(DataFolders, TypedFolderNameDropsOnlyPathCharacters) {
    std::u16string dropped;
    for (char16_t c = 32; c < 127; ++c)
        if (!quivra::base::isAcceptedNameChar(c))
            dropped += c;
    EXPECT_EQ(dropped, u"*/:<>?\\|");
    EXPECT_TRUE(quivra::base::isAcceptedNameChar(u'Я'));
}

TEST(DataFolders, NewFolderNameIsTheFirstFreeProposal) {
    const std::u16string p = u"C:\\Work";
    struct Case {
        std::set<std::u16string> existing;
        std::u16string proposal;
    } cases[] = {
        {{}, u"Новая папка"},
        {{p + u"\\Новая папка\\", p + u"\\Новая папка (1)\\"}, u"Новая папка (2)"},
        {{p + u"\\Новая папка (1)\\"}, u"Новая папка"},
        {{p + u"\\Новая папка\\", p + u"\\Новая папка (2)\\"}, u"Новая папка (1)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(proposeNewFolderName(p, folders(c.existing)), c.proposal);
}
