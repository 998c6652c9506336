// Leaving a note that another program changed or deleted meanwhile: nothing
// the user typed and nothing the other program wrote is lost.
#include "support/notes_fixture.h"

#include "base/atomic_file.h"
#include "notes/notes_ids.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quivra;
using namespace quivra::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kTheirs = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 Theirs\\par}";

class NoteSync : public NotesFixture {
  protected:
    void SetUp() override {
        addNote(L"A", kRtfA);
        addNote(L"B", kRtfB);
        folder.option(u"CurrentNoteName", u"A");
        start();
        form->note().setSelection({0, 0});
        type(L"mine ");
    }
    std::vector<fs::path> filesIn(const fs::path& dir) const {
        std::vector<fs::path> found;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(dir, ec))
            found.push_back(e.path());
        return found;
    }
};

} // namespace

TEST_F(NoteSync, SwitchingAwayFromANoteRewrittenOutsideKeepsBothAndOpensTheChosenNote) {
    writeFile(noteFile(L"A"), kTheirs);
    choose(L"B");
    EXPECT_EQ(form->state().currentNoteName, u"B");
    EXPECT_EQ(editorText(), u"Beta");
    EXPECT_EQ(readFile(noteFile(L"A")), kTheirs);
    std::vector<fs::path> copies;
    for (const auto& f : filesIn(notesDir()))
        if (f.filename().wstring().starts_with(L"A (конфликт "))
            copies.push_back(f);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_NE(readFile(copies[0]).find("mine Alpha"), std::string::npos);
    // Told once, before the switch went on; the copy is listed.
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_NE(folder.boxes[0].text.find(copies[0].stem().wstring()), std::wstring::npos);
    EXPECT_GE(indexOf(copies[0].stem().c_str()), 0);
}

TEST_F(NoteSync, NoteDeletedOutsideIsWrittenBackOnlyByTheUsersSaveAndKeptWhenLeft) {
    fs::remove(noteFile(L"A"));
    form->notes().lookAtNoteOnDisk();
    EXPECT_TRUE(form->notes().store().noteDeletedOnDisk());
    form->notes().store().saveInPassing(); // focus loss, hiding
    EXPECT_FALSE(fs::exists(noteFile(L"A")));
    form->notes().store().NMenu_SaveClick(); // Ctrl+S
    EXPECT_NE(readFile(noteFile(L"A")).find("mine Alpha"), std::string::npos);

    // Deleted again, then left for another note: the text goes to Data\Recovery.
    fs::remove(noteFile(L"A"));
    type(L"more ");
    choose(L"B");
    EXPECT_FALSE(fs::exists(noteFile(L"A")));
    const auto kept = filesIn(folder.data() / L"Recovery");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(readFile(kept[0]).find("more "), std::string::npos);
    EXPECT_EQ(form->state().currentNoteName, u"B");
}

namespace {

// Another program writes the note between the program's look at the file
// and its replace, with the same size and the program's own last-write time
// (a file system that keeps whole seconds, or two seconds).
std::filesystem::path racedNote;
bool writerInTheWindow(const fs::path&, const fs::path& target) {
    if (target == racedNote) {
        const auto time = fs::last_write_time(target);
        std::string theirs = readFile(target);
        std::replace(theirs.begin(), theirs.end(), 'A', 'Z');
        writeFile(target, theirs);
        fs::last_write_time(target, time);
    }
    return true;
}

} // namespace

// A writer that acts right before the replace keeps its version; the user's
// goes beside it as a conflict copy, once however often the note is saved,
// and the user is told once.
TEST_F(NoteSync, AWriterBetweenTheLookAndTheReplaceKeepsItsVersionAndTheUsersGoesBeside) {
    racedNote = noteFile(L"A");
    base::setBeforeReplaceHookForTesting(&writerInTheWindow);
    form->notes().store().saveInPassing();
    base::setBeforeReplaceHookForTesting(nullptr);
    const std::string theirs = readFile(noteFile(L"A"));
    EXPECT_NE(theirs.find("Zlpha"), std::string::npos);
    std::vector<fs::path> copies;
    for (const auto& f : filesIn(notesDir()))
        if (f.filename().wstring().starts_with(L"A (конфликт "))
            copies.push_back(f);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_NE(readFile(copies[0]).find("mine Alpha"), std::string::npos);
}

// A read-only note whose file another program deleted is kept in Data\Recovery
// when it is left, as a writable one is.
TEST_F(NoteSync, AReadOnlyNoteDeletedOutsideIsKeptWhenLeft) {
    form->notes().store().SaveIfModified(notes::Moment::UserSave);
    SendMessageW(form->hwnd(), WM_COMMAND, notes::sett_ro, 0);
    ASSERT_TRUE(form->state().NoteReadOnly);
    fs::remove(noteFile(L"A"));
    form->notes().lookAtNoteOnDisk();
    choose(L"B");
    const auto kept = filesIn(folder.data() / L"Recovery");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(readFile(kept[0]).find("mine Alpha"), std::string::npos);
}
