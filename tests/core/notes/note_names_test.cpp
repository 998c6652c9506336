#include <gtest/gtest.h>

#include "common/temp_folder.h"
#include "notes/note_names.h"

#include <algorithm>

namespace fs = std::filesystem;
using namespace quivra::notes;

namespace {

class NoteFolder : public quivra::settings::testing::TempFolderTest {
  protected:
    void file(const std::u16string& name) { writeBytes(folder() / fs::path(name), "x"); }
};

std::vector<std::u16string> sorted(std::vector<std::u16string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

} // namespace

TEST_F(NoteFolder, ListsNoteFilesButNotSubFoldersOrOtherFiles) {
    file(u"A.note");
    file(u"B.note");
    file(u"x.note.note");
    file(u".note");
    file(u"Заметка.NOTE");
    file(u"plan.notes");
    file(u"readme.txt");
    fs::create_directories(folder() / "C.note");
    EXPECT_EQ(sorted(enumerateNoteNames(folder())),
              sorted({u"A", u"B", u"x.note", u"", u"Заметка"}));
}

TEST_F(NoteFolder, MissingFolderGivesNoNames) {
    EXPECT_TRUE(enumerateNoteNames(folder() / "no such folder").empty());
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

TEST_F(NoteFolder, DeviceNamedFilesAreNotListed) {
    file(u"CON.note");
    file(u"com1.txt.note");
    file(u"Console.note");
    EXPECT_EQ(enumerateNoteNames(folder()), std::vector<std::u16string>{u"Console"});
}
