#include "support/program_folder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;

TEST(StartupNotes, NamesOfTheNotesFolderFillAllThreeLists) {
    ProgramFolder folder;
    const auto notes = folder.data() / L"Notes" / L"PC_user";
    std::filesystem::create_directories(notes / L"C.note");
    for (const wchar_t* n : {L"A.note", L"Б.note", L"x.note.note"})
        writeFile(notes / n, "x");
    auto form = folder.start();
    for (HWND list : {form->notes().lists().namesList(), form->notes().secondView().chooser()})
        EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(form->notes().lists().listBox(), LB_GETCOUNT, 0, 0), 3);
    const auto index = SendMessageW(form->notes().lists().listBox(), LB_FINDSTRINGEXACT,
                                    static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"б"));
    EXPECT_GE(index, 0);
}
