// Two computers sharing their notes folder through a real sync engine: two
// Syncthing instances on this machine, each with its own copy of the folder,
// and a copy of the program on each, the other one in a Wine prefix of its
// own (driven through tests/sync/sync_driver.cpp). What one side types and
// hides shows on the other; what both type meanwhile is kept on both; notes
// added, renamed and deleted follow; no word typed is lost.
#include "program_test.h"
#include "synced_program.h"

#include "base/ini_file.h"
#include "notes/notes_ids.h"

#include <gtest/gtest.h>

#include <random>

using namespace quivra::blackbox;
namespace fs = std::filesystem;

namespace {

constexpr DWORD kSyncWait = 40000;

std::wstring wide(const std::string& s) {
    return {s.begin(), s.end()};
}

// "Z:\tmp\x" as the Linux side names it.
std::wstring unixPath(const fs::path& p) {
    std::wstring s = p.wstring();
    if (s.size() >= 2 && (s[0] == L'Z' || s[0] == L'z') && s[1] == L':')
        s.erase(0, 2);
    std::replace(s.begin(), s.end(), L'\\', L'/');
    return s;
}

// Runs a command of this machine (not of Wine) and waits for its end: its
// exit code, or -1 when it did not end in time.
int runOnLinux(const std::vector<std::wstring>& args, DWORD timeoutMs = 120000) {
    static int runs = 0;
    const fs::path mark =
        fs::path(L"Z:\\tmp") / (L"quivra-sync-mark-" + std::to_wstring(GetCurrentProcessId()) +
                                L"-" + std::to_wstring(++runs));
    std::wstring line = L"\"/bin/sh\" \"" + wide(QUIVRA_SOURCE_DIR) +
                        L"/tests/sync/run_marked.sh\" \"" + unixPath(mark) + L"\" ";
    for (const auto& a : args)
        line += L"\"" + a + L"\" ";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return -1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!waitFor([&] { return fs::exists(mark); }, timeoutMs))
        return -1;
    const int rc = std::atoi(readBytes(mark).c_str());
    std::error_code ec;
    fs::remove(mark, ec);
    return rc;
}

std::string filesText(const fs::path& folder) {
    std::string all;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        if (e.is_regular_file() && e.path().extension() == L".note")
            all += readBytes(e.path()) + "\n";
    return all;
}

class SyncedFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::path(L"Z:\\tmp") / (L"quivra-sync-" + std::to_wstring(GetCurrentProcessId()));
        std::error_code ec;
        fs::remove_all(root, ec);
        for (const fs::path& side : {sideA(), sideB()}) {
            fs::create_directories(notesFolder(side));
            fs::copy_file(fs::path(QUIVRA_EXE), side / L"quivra.exe");
            quivra::base::IniFile ini(settingsFile(side));
            ini.writeString(u"Options", u"CurrentNoteName", openNote(side == sideB()));
            for (const auto& [key, value] : {std::pair{u"EnableHotkey", u"1"},
                                             {u"isAnimatedShow", u"0"},
                                             {u"isAnimatedHide", u"0"}})
                ini.writeString(u"Options", key, value);
        }
        ASSERT_EQ(
            runOnLinux({L"/bin/sh", script(L"syncthing_pair.sh"), L"up", unixPath(root / L"st"),
                        unixPath(notesFolder(sideA())), unixPath(notesFolder(sideB()))}),
            0)
            << "Syncthing did not start: " << readBytes(root / L"st" / L"pair.log");
        // The notes are made on one side and reach the other through the
        // engine, as on two computers.
        for (const char* name : {"N", "NA", "NB"})
            writeBytes(notesFolder(sideA()) / (wide(name) + L".note"),
                       tahomaRtf((std::string("start") + name).c_str()));
        ASSERT_TRUE(bothSidesHold({"startN}", "startNA", "startNB"}))
            << "the notes did not reach the other side";
        ASSERT_EQ(onB({L"start", sideB().wstring()}), 0) << "the other side did not start";
        programA = std::make_unique<RunningProgram>(sideA() / L"quivra.exe");
        windowA = programA->mainWindow(15000);
        ASSERT_NE(windowA, nullptr);
        ASSERT_TRUE(waitFor([&] { return screenRect(windowA).left < 0; }));
    }
    void TearDown() override {
        if (windowA)
            PostMessageW(windowA, WM_CLOSE, 0, 0);
        if (programA)
            programA->waitForExit(15000);
        onB({L"quit"});
        runOnLinux({L"/bin/sh", script(L"syncthing_pair.sh"), L"down", unixPath(root / L"st")});
        runOnLinux({L"/bin/sh", L"-c",
                    L"WINEPREFIX=" + wide(QUIVRA_SYNC_PREFIX) + L" /usr/lib/wine/wineserver -k"});
        std::error_code ec;
        if (!HasFailure())
            fs::remove_all(root, ec);
    }

    // The note each side's program opens.
    virtual std::u16string openNote(bool /*sideB*/) const { return u"N"; }
    fs::path sideA() const { return root / L"A"; }
    fs::path sideB() const { return root / L"B"; }
    static std::wstring script(const wchar_t* name) {
        return wide(QUIVRA_SOURCE_DIR) + L"/tests/sync/" + name;
    }
    // Runs the driver on the other side; `output` gets what it printed.
    int onB(const std::vector<std::wstring>& args, std::string* output = nullptr) {
        const fs::path out = root / L"driver-output.txt";
        std::vector<std::wstring> line{L"/bin/sh", script(L"side_b.sh"), wide(QUIVRA_SYNC_PREFIX),
                                       wide(QUIVRA_SYNC_DRIVER), unixPath(out)};
        line.insert(line.end(), args.begin(), args.end());
        const int rc = runOnLinux(line);
        if (output)
            *output = readBytes(out);
        return rc;
    }
    std::string textOnB() {
        std::string text;
        onB({L"text"}, &text);
        return text;
    }
    // Until every word is in some note file of both sides.
    bool bothSidesHold(const std::vector<std::string>& words, DWORD timeoutMs = kSyncWait) {
        return waitFor(
            [&] {
                const std::string a = filesText(notesFolder(sideA()));
                const std::string b = filesText(notesFolder(sideB()));
                return std::all_of(words.begin(), words.end(), [&](const std::string& w) {
                    return a.find(w) != std::string::npos && b.find(w) != std::string::npos;
                });
            },
            timeoutMs);
    }

    fs::path root;
    std::unique_ptr<RunningProgram> programA;
    HWND windowA = nullptr;
};

} // namespace

// A word typed and hidden on one side is in the note the other side shows
// when its window is called in, both ways.
TEST_F(SyncedFolder, AnEditHiddenOnOneSideShowsOnTheOther) {
    ASSERT_TRUE(callInByHotkey(windowA));
    typeAtNoteEnd(windowA, L"alphaone");
    ASSERT_TRUE(sendAwayByHotkey(windowA));
    ASSERT_TRUE(waitFor(
        [&] {
            return readBytes(notesFolder(sideB()) / L"N.note").find("alphaone") !=
                   std::string::npos;
        },
        kSyncWait))
        << "the edit did not reach the other folder";
    ASSERT_EQ(onB({L"callin"}), 0);
    EXPECT_NE(textOnB().find("alphaone"), std::string::npos);

    ASSERT_EQ(onB({L"type", L"betatwo"}), 0);
    ASSERT_EQ(onB({L"hide"}), 0);
    ASSERT_TRUE(bothSidesHold({"betatwo"}));
    ASSERT_TRUE(callInByHotkey(windowA));
    EXPECT_NE(noteText(windowA).find(L"betatwo"), std::wstring::npos);
}

// One side has typed into the note, not saved yet, when the other side's
// version of it arrives: the typed text is kept beside it as a conflict
// copy, which the engine brings to the other side, and the note shows the
// version that came. (When both sides save the same note before the engine
// has looked, the engine itself keeps one version: Syncthing 1.19 was seen
// to, with plain files and no program. That is the engine's to solve.)
TEST_F(SyncedFolder, TextTypedWhileTheOtherSidesVersionArrivesIsKeptAsAConflictCopy) {
    // Typed on B while its window is away (the two windows share one
    // screen here; on two computers B's could be in).
    ASSERT_EQ(onB({L"type", L"rightword"}), 0);
    ASSERT_TRUE(callInByHotkey(windowA));
    typeAtNoteEnd(windowA, L"leftword");
    ASSERT_TRUE(sendAwayByHotkey(windowA));
    ASSERT_TRUE(waitFor(
        [&] {
            return readBytes(notesFolder(sideB()) / L"N.note").find("leftword") !=
                   std::string::npos;
        },
        kSyncWait));
    ASSERT_EQ(onB({L"callin"}), 0);
    ASSERT_EQ(onB({L"hide"}), 0);
    EXPECT_EQ(onB({L"okbox"}), 0) << "the other side was not told of its conflict copy";
    EXPECT_TRUE(bothSidesHold({"leftword", "rightword"})) << "a version was lost";
    ASSERT_EQ(onB({L"callin"}), 0);
    EXPECT_NE(textOnB().find("leftword"), std::string::npos) << "the version that came";
    ASSERT_EQ(onB({L"hide"}), 0);
    // The copy is a note of both lists.
    ASSERT_TRUE(callInByHotkey(windowA));
    const auto listed = listedNoteNames(windowA);
    EXPECT_TRUE(std::any_of(listed.begin(), listed.end(),
                            [](const std::wstring& n) { return n.starts_with(L"N (конфликт "); }));
}

// A note added, renamed and deleted with the program on one side comes,
// changes its name and goes in the other side's list.
TEST_F(SyncedFolder, NotesAddedRenamedAndDeletedFollowOnTheOtherSide) {
    // What the other side lists when its window is called in.
    const auto listedOnB = [&](const std::string& name) {
        std::string names;
        onB({L"callin"});
        onB({L"names"}, &names);
        onB({L"hide"});
        return names.find(name + "\n") != std::string::npos;
    };
    const auto callInA = [&] {
        if (screenRect(windowA).left < 0) {
            ASSERT_TRUE(callInByHotkey(windowA));
        }
    };
    callInA();
    pressKeys(windowA, {VK_MENU, 'I'});
    HWND field = findChildById(windowA, quivra::notes::ID_NEWNNAME);
    ASSERT_NE(field, nullptr);
    typeInto(field, L"Added\r");
    typeAtNoteEnd(windowA, L"addedword");
    pressKeys(windowA, {VK_CONTROL, 'S'});
    EXPECT_TRUE(waitFor([&] { return listedOnB("Added"); }, kSyncWait)) << "not added";

    callInA();
    pressKeys(windowA, {VK_MENU, 'E'});
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Renamed"));
    typeInto(field, L"\r");
    EXPECT_TRUE(waitFor([&] { return listedOnB("Renamed") && !listedOnB("Added"); }, kSyncWait))
        << "not renamed";

    callInA();
    pressKeys(windowA, {VK_CONTROL, 'D'});
    HWND yes = findChildWhere(
        windowA, [](HWND w) { return hasClass(w, L"Button") && windowText(w) == L"Да"; });
    ASSERT_NE(yes, nullptr);
    SendMessageW(yes, BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !listedOnB("Renamed"); }, kSyncWait)) << "not deleted";
}

namespace {

// Each side works in a note of its own: A in "NA", B in "NB".
class SyncedFolderTwoNotes : public SyncedFolder {
  protected:
    std::u16string openNote(bool sideB) const override { return sideB ? u"NB" : u"NA"; }
};

} // namespace

// Rounds of words typed on either side in random order, the engine syncing
// meanwhile: at the end every word is in some note file on both sides.
TEST_F(SyncedFolderTwoNotes, NoWordTypedOnEitherSideIsLost) {
    std::mt19937 random(20261210);
    std::vector<std::string> typed;
    for (int round = 0; round < 50; ++round) {
        const int sides = static_cast<int>(random() % 5); // 0-2: A, 3: B, 4: both
        const std::string word = "round" + std::to_string(round) + "x";
        if (sides != 3) {
            ASSERT_TRUE(callInByHotkey(windowA));
            typeAtNoteEnd(windowA, wide(word + "a"));
            ASSERT_TRUE(sendAwayByHotkey(windowA));
            typed.push_back(word + "a");
        }
        if (sides >= 3) {
            ASSERT_EQ(onB({L"callin"}), 0);
            ASSERT_EQ(onB({L"type", wide(word + "b")}), 0);
            ASSERT_EQ(onB({L"hide"}), 0);
            typed.push_back(word + "b");
        }
    }
    EXPECT_TRUE(bothSidesHold(typed, 60000)) << "a word typed was lost";
}
