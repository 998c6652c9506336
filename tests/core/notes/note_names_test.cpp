#include <gtest/gtest.h>

#include "notes/note_names.h"

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;
using namespace quivra::notes;

namespace {

struct TempFolder {
    fs::path path;
    TempFolder() {
        path = fs::temp_directory_path() /
               ("quivra-notes-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
    void file(const std::u16string& name) { std::ofstream(path / fs::path(name)) << "x"; }
};

std::vector<std::u16string> sorted(std::vector<std::u16string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

} // namespace

TEST(NoteNames, FolderListsNoteFilesButNotSubFoldersOrOtherFiles) {
    TempFolder t;
    t.file(u"A.note");
    t.file(u"B.note");
    t.file(u"x.note.note");
    t.file(u".note");
    t.file(u"Заметка.NOTE");
    t.file(u"plan.notes");
    t.file(u"readme.txt");
    fs::create_directories(t.path / "C.note");
    EXPECT_EQ(sorted(enumerateNoteNames(t.path)), sorted({u"A", u"B", u"x.note", u"", u"Заметка"}));
}

TEST(NoteNames, MissingFolderGivesNoNames) {
    EXPECT_TRUE(enumerateNoteNames(fs::temp_directory_path() / "quivra-no-such-folder").empty());
}

TEST(NoteNames, PathIsPlainConcatenation) {
    EXPECT_EQ(notePath(u"C:\\Data\\Notes\\Default", u"План"),
              u"C:\\Data\\Notes\\Default\\План.note");
    EXPECT_EQ(notePath(u"C:\\Data\\Notes\\", u""), u"C:\\Data\\Notes\\\\.note");
}

TEST(NoteNames, DeviceNamesAreReservedWhateverTheCaseOrExtension) {
    for (const char16_t* name :
         {u"CON", u"con", u"Prn", u"AUX", u"nul", u"COM1", u"com9", u"LPT1", u"lpt9", u"CON.txt",
          u"aux.note", u"NUL ", u"COM\u00B9", u"LPT\u00B3.x", u"CONIN$", u"conout$"})
        EXPECT_TRUE(isReservedDeviceName(name)) << std::string(name, name + 1);
    for (const char16_t* name : {u"", u"CONSOLE", u"CON1", u"COM0", u"COM10", u"LPT", u"xCON",
                                 u"Aux-план", u".CON", u"COM\u00B4", u"План"})
        EXPECT_FALSE(isReservedDeviceName(name));
}

TEST(NoteNames, DeviceNamedFilesAreNotListed) {
    TempFolder t;
    t.file(u"CON.note");
    t.file(u"com1.txt.note");
    t.file(u"Console.note");
    EXPECT_EQ(enumerateNoteNames(t.path), std::vector<std::u16string>{u"Console"});
}
