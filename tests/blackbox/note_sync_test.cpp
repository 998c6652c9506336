// The real program while another program changes its notes folder, as a
// synchronised folder or a second computer does, and the delete command's
// way back: driven from outside.
#include "program_test.h"

#include "notes/notes_controller_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using namespace quivra::blackbox;
namespace fs = std::filesystem;
namespace nt = quivra::notes;

namespace {

constexpr int kHiddenLeft = 1 - 640;

std::vector<std::wstring> listed(HWND list) {
    std::vector<std::wstring> names;
    const auto n = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        wchar_t buf[512] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        names.emplace_back(buf);
    }
    return names;
}

bool holds(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

class ProgramFolderSync : public ProgramTest {
  protected:
    void SetUp() override {
        start(notesAAndB());
        if (HasFatalFailure())
            return;
        notes = notesFolder(dir);
        ASSERT_TRUE(waitForLeft(window, kHiddenLeft)) << "no first slide-out";
        editor = findChild(window, L"RichEdit20W");
        ASSERT_NE(editor, nullptr);
    }
    void hotkey() {
        const ATOM atom = GlobalFindAtomW(L"quivra_hotkey_sh");
        ASSERT_NE(atom, 0);
        PostMessageW(window, WM_HOTKEY, atom, MAKELPARAM(MOD_WIN, 'N'));
    }
    void callIn() {
        hotkey();
        ASSERT_TRUE(waitForLeft(window, 0)) << "the hotkey did not bring the window in";
    }
    void sendAway() {
        hotkey();
        ASSERT_TRUE(waitForLeft(window, kHiddenLeft)) << "the hotkey did not send the window away";
    }
    std::vector<fs::path> conflictCopies() const {
        std::vector<fs::path> found;
        for (const auto& e : fs::directory_iterator(notes))
            if (e.path().filename().wstring().starts_with(L"A (конфликт "))
                found.push_back(e.path());
        return found;
    }

    fs::path notes;
    HWND editor = nullptr;
};

} // namespace

TEST_F(ProgramFolderSync, NoteRewrittenWhileHiddenIsShownWithTheNewTextWhenCalledIn) {
    writeBytes(notes / L"A.note", tahomaRtf("written by the other computer"));
    callIn();
    EXPECT_TRUE(
        waitFor([&] { return windowText(editor).starts_with(L"written by the other"); }, 2000))
        << "the editor shows: " << windowText(editor).size() << " characters";
    EXPECT_EQ(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
    sendAway(); // nothing of the user's to write: the file stays as the other program left it
    EXPECT_EQ(readBytes(notes / L"A.note"), tahomaRtf("written by the other computer"));
    EXPECT_TRUE(conflictCopies().empty());
}

TEST_F(ProgramFolderSync, UnsavedTextAndAnOutsideRewriteAreBothKeptAndTheUserIsTold) {
    typeInto(editor, L"mine ");
    writeBytes(notes / L"A.note", tahomaRtf("theirs"));
    Sleep(700); // the folder watch has reported the change: the typing is not disturbed
    EXPECT_EQ(windowText(editor), L"mine old");
    // Called in and sent away (by the hotkey or by the lost activation): the
    // save in passing finds the file changed.
    hotkey();
    HWND box = program->messageBox(4000);
    if (!box) {
        hotkey();
        box = program->messageBox(10000);
    }
    ASSERT_NE(box, nullptr) << "the user was not told";
    const std::wstring told = messageBoxText(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    const auto copies = conflictCopies();
    ASSERT_EQ(copies.size(), 1u);
    const std::wstring copyName = copies[0].stem().wstring();
    EXPECT_NE(told.find(L"«A» — версия, записанная другой программой"), std::wstring::npos);
    EXPECT_NE(told.find(L"«" + copyName + L"» — ваш текст"), std::wstring::npos);
    EXPECT_EQ(readBytes(notes / L"A.note"), tahomaRtf("theirs"));
    EXPECT_NE(readBytes(copies[0]).find("mine old"), std::string::npos);
    // The copy is a note like any other, and the editor shows the file's version.
    HWND list = findChildById(window, nt::ID_NOTESLB);
    EXPECT_TRUE(waitFor([&] { return holds(listed(list), copyName); }, 2000));
    EXPECT_EQ(windowText(editor), L"theirs");
}

TEST_F(ProgramFolderSync, NotesMadeAndDeletedOutsideComeAndGoInTheListsAndTheOpenOneIsKept) {
    HWND list = findChildById(window, nt::ID_NOTESLB);
    HWND names = findChildById(window, nt::ID_NOTESNAMESLIST);
    ASSERT_NE(list, nullptr);
    writeBytes(notes / L"C.note", tahomaRtf("sea"));
    EXPECT_TRUE(waitFor([&] { return holds(listed(list), L"C"); }, 2000)) << "C not listed";
    fs::remove(notes / L"B.note");
    EXPECT_TRUE(waitFor([&] { return !holds(listed(list), L"B"); }, 2000)) << "B still listed";
    fs::rename(notes / L"C.note", notes / L"D.note");
    EXPECT_TRUE(
        waitFor([&] { return holds(listed(list), L"D") && !holds(listed(list), L"C"); }, 2000))
        << "the rename is not followed";
    // All three lists agree.
    EXPECT_EQ(SendMessageW(names, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(findChildById(window, nt::ID_NOTE2LIST), CB_GETCOUNT, 0, 0), 2);
    // The open note stays selected where it is listed.
    const auto at = SendMessageW(names, CB_GETCURSEL, 0, 0);
    ASSERT_GE(at, 0);
    EXPECT_EQ(listed(list)[static_cast<std::size_t>(at)], L"A");

    // The open note's file deleted: its text stays in the editor, unsaved,
    // and hiding the window does not write it back.
    fs::remove(notes / L"A.note");
    EXPECT_TRUE(waitFor([&] { return SendMessageW(editor, EM_GETMODIFY, 0, 0) != 0; }, 2000));
    EXPECT_TRUE(holds(listed(list), L"A"));
    EXPECT_EQ(windowText(editor), L"old");
    callIn();
    sendAway();
    EXPECT_FALSE(fs::exists(notes / L"A.note"));
    // The user's own save brings it back.
    callIn();
    focusControl(window, editor);
    typeInto(editor, L"x");
    pressKeys(window, {VK_CONTROL, 'S'});
    EXPECT_NE(readBytes(notes / L"A.note").find("xold"), std::string::npos);
    // The program's own write is no change from outside: no reload (which
    // would empty the undo) once the folder watch has reported it.
    Sleep(700);
    EXPECT_NE(SendMessageW(editor, EM_CANUNDO, 0, 0), 0);
    EXPECT_EQ(windowText(editor), L"xold");
}

TEST_F(ProgramFolderSync, NotesAddedWithoutAFileStayListedWhileTheFolderChanges) {
    HWND list = findChildById(window, nt::ID_NOTESLB);
    ASSERT_NE(list, nullptr);
    callIn();
    const auto add = [&](const wchar_t* name) {
        pressKeys(window, {VK_MENU, 'I'});
        HWND field = findChildById(window, nt::ID_NEWNNAME);
        ASSERT_NE(field, nullptr);
        typeInto(field, name);
        typeInto(field, L"\r");
    };
    add(L"E");
    add(L"G"); // E is left without a file
    const auto others = [&] { return holds(listed(list), L"E") && holds(listed(list), L"G"); };
    for (const wchar_t* outside : {L"F", L"H"}) {
        writeBytes(notes / (std::wstring(outside) + L".note"), tahomaRtf("x"));
        EXPECT_TRUE(waitFor([&] { return holds(listed(list), outside); }, 2000)) << outside;
        EXPECT_TRUE(others());
        sendAway();
        callIn(); // the call-in reads the folder again
        EXPECT_TRUE(others());
    }
}

namespace {

// The files of the user's trash as Wine keeps it (the freedesktop.org trash
// of the user's home), where the system's Recycle Bin puts deleted files.
std::vector<fs::path> filesInTrash() {
    std::vector<fs::path> found;
    // Wine gives its programs the Unix home as WINEHOMEDIR ("\\??\\Z:\\home\\...").
    std::wstring base;
    if (const wchar_t* data = _wgetenv(L"XDG_DATA_HOME"); data && *data)
        base = std::wstring(L"Z:") + data;
    else if (const wchar_t* home = _wgetenv(L"WINEHOMEDIR"); home && *home)
        base = std::wstring(home).substr(std::wstring_view(home).starts_with(L"\\??\\") ? 4 : 0) +
               L"\\.local\\share";
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(fs::path(base) / L"Trash" / L"files", ec))
        found.push_back(e.path());
    return found;
}

} // namespace

class ProgramFolderSyncDelete : public ProgramFolderSync {
  protected:
    // Ctrl+D and "Да" on the open note A; returns the bytes it held.
    std::string deleteNoteA() {
        const std::string unique = tahomaRtf(("to get back " + std::to_string(GetTickCount64()) +
                                              " " + std::to_string(GetCurrentProcessId()))
                                                 .c_str());
        writeBytes(notes / L"A.note", unique);
        writeBytes(notes / L"A.ini", "companion");
        callIn();
        focusControl(window, editor);
        pressKeys(window, {VK_CONTROL, 'D'});
        HWND yes = findChildWhere(
            window, [](HWND w) { return hasClass(w, L"Button") && windowText(w) == L"Да"; });
        EXPECT_NE(yes, nullptr);
        SendMessageW(yes, BM_CLICK, 0, 0);
        EXPECT_TRUE(waitFor([&] { return !fs::exists(notes / L"A.note"); }, 5000));
        EXPECT_EQ(readBytes(notes / L"A.ini"), "companion");
        return unique;
    }
};

TEST_F(ProgramFolderSyncDelete, DeletedNoteGoesToTheRecycleBinWithItsContent) {
    const std::string unique = deleteNoteA();
    const std::vector<fs::path> bin = filesInTrash();
    const auto kept = std::find_if(bin.begin(), bin.end(),
                                   [&](const fs::path& p) { return readBytes(p) == unique; });
    ASSERT_NE(kept, bin.end()) << "the deleted note is not in the Recycle Bin";
    EXPECT_FALSE(fs::exists(dir / L"Data" / L"Recovery" / L"A.note"));
    std::error_code ec; // leave nothing of the test in the bin
    fs::remove(*kept, ec);
    fs::remove(kept->parent_path().parent_path() / L"info" /
                   (kept->filename().wstring() + L".trashinfo"),
               ec);
}

// Without a bin (Wine without a trash folder, like a network drive) the
// system would delete the file for good: it goes to Data\Recovery, beside
// what is there already.
class ProgramFolderSyncWithoutBin : public ProgramFolderSyncDelete {
  protected:
    void SetUp() override {
        if (const wchar_t* was = _wgetenv(L"XDG_DATA_HOME"))
            previous = was;
        SetEnvironmentVariableW(L"XDG_DATA_HOME", L"/dev/null/no-trash");
        ProgramFolderSyncDelete::SetUp();
    }
    void TearDown() override {
        ProgramFolderSyncDelete::TearDown();
        SetEnvironmentVariableW(L"XDG_DATA_HOME", previous ? previous->c_str() : nullptr);
    }
    std::optional<std::wstring> previous;
};

TEST_F(ProgramFolderSyncWithoutBin, DeletedNoteGoesToTheRecoveryFolderUnderAFreeName) {
    const fs::path recovery = dir / L"Data" / L"Recovery";
    fs::create_directories(recovery);
    writeBytes(recovery / L"A.note", "kept from before");
    const std::string unique = deleteNoteA();
    EXPECT_EQ(readBytes(recovery / L"A (2).note"), unique);
    EXPECT_EQ(readBytes(recovery / L"A.note"), "kept from before");
}

TEST_F(ProgramFolderSync, SecondViewFollowsItsNoteRewrittenOrDeletedOutside) {
    callIn();
    HWND chooser = findChildById(window, nt::ID_NOTE2LIST);
    ASSERT_NE(chooser, nullptr);
    // "B", the second of A and B, chosen as a user would: a click drops the
    // list (and makes the real box in place of its stand-in), the keys pick.
    focusControl(window, chooser);
    chooser = findChildById(window, nt::ID_NOTE2LIST);
    pressKeys(window, {VK_DOWN});
    pressKeys(window, {VK_DOWN});
    pressKeys(window, {VK_RETURN});
    ASSERT_EQ(SendMessageW(chooser, CB_GETCURSEL, 0, 0), 1);
    HWND view = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            view = findChildById(window, nt::ID_NOTE2);
            return view && windowText(view) == L"bee";
        },
        2000));
    writeBytes(notes / L"B.note", tahomaRtf("bee, rewritten elsewhere"));
    EXPECT_TRUE(waitFor([&] { return windowText(view) == L"bee, rewritten elsewhere"; }, 3000))
        << "the view shows: " << std::string(windowText(view).begin(), windowText(view).end());
    // The editor's note and its file are left alone.
    EXPECT_EQ(windowText(editor), L"old");
    EXPECT_EQ(readBytes(notes / L"A.note"), tahomaRtf("old"));
    // Deleted outside: the view closes as the chooser loses its name.
    fs::remove(notes / L"B.note");
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(view); }, 3000)) << "the view stays open";
    EXPECT_EQ(SendMessageW(chooser, CB_GETCOUNT, 0, 0), 1);
}
