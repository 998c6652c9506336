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
