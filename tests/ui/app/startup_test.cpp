// Start-up of the real main window in a fresh program folder.
#include "support/program_folder.h"

#include "base/utf.h"
#include "common/russian_date_names.h"
#include "settings/autostart_win.h"
#include "settings/keys.h"
#include "skins/skin_engine_win.h"
#include "win/controls_win.h"
#include "win/wide_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

using namespace quivra;
using namespace quivra::test;
namespace fs = std::filesystem;

namespace {

RECT windowRect(const app::TMainForm& f) {
    RECT r;
    GetWindowRect(f.hwnd(), &r);
    return r;
}

int screenW() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int screenH() {
    return GetSystemMetrics(SM_CYSCREEN);
}

} // namespace

TEST(Startup, FirstStartCreatesTheTreeAndWritesTheChangedOptionsInOrder) {
    ProgramFolder folder;
    auto form = folder.start();
    EXPECT_TRUE(fs::is_directory(folder.data() / L"Skins"));
    EXPECT_TRUE(fs::is_directory(folder.data() / L"Notes" / L"PC_user"));
    const std::u16string text = readSettingsText(folder.personalSettings());
    size_t at = 0;
    for (const char16_t* line : {u"StartDate=09.12.2026", u"FocusOnTrayClick=1", u"DynamicSearch=0",
                                 u"UseAnimation=1", u"DetectURLs=1", u"TrayIcon=1"}) {
        const size_t found = text.find(line, at);
        ASSERT_NE(found, std::u16string::npos) << "missing or out of order";
        at = found;
    }
    const RECT r = windowRect(*form);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, screenH() / 2 - 480 / 2);
    EXPECT_EQ(form->presenter().opacity(), 220);
    EXPECT_FALSE(form->state().isShown);
    EXPECT_TRUE(form->presenter().trayIcon().wanted());
    EXPECT_EQ(form->state().notesFolder,
              win::toU16((folder.data() / L"Notes" / L"PC_user").wstring()));

    // The first showing slides the window out to its hidden place.
    form->FormShow();
    form->presenter().runPendingSlides();
    EXPECT_EQ(windowRect(*form).left, 1 - 640);
    EXPECT_EQ(form->presenter().opacity(), 220);
    EXPECT_TRUE(form->presenter().timerEnabled(window::Timer2));
}

TEST(Startup, SharedDefaultIniTakesAllSettingsAndTheDefaultNotesFolder) {
    ProgramFolder folder;
    fs::create_directories(folder.data());
    base::IniFile shared(folder.data() / L"default.ini");
    shared.writeString(u"Options", u"Opacity", u"200");
    auto form = folder.start();
    EXPECT_FALSE(fs::exists(folder.personalSettings()));
    EXPECT_TRUE(shared.keyExists(u"Options", u"StartDate"));
    EXPECT_EQ(form->presenter().opacity(), 200);
    EXPECT_TRUE(fs::is_directory(folder.data() / L"Notes" / L"Default"));
}

TEST(Startup, SecondCopyIsRefusedWithTheTextOfItsEdge) {
    const int sw = screenW();
    const int sh = screenH();
    struct Case {
        const char16_t* placement;
        std::wstring tail;
    };
    const Case cases[] = {
        {u"0", L"Щелкните в левой части экрана посередине\r(координата 0x" +
                   std::to_wstring(sh / 2) + L")."},
        {u"1", L"Щелкните в вверхней части экрана посередине\r(координата " +
                   std::to_wstring(sw / 2) + L"x0)."},
        {u"2", L"Щелкните в правой части экрана посередине\r(координата " + std::to_wstring(sw) +
                   L"x" + std::to_wstring(sh / 2) + L")."},
        {u"3", L"Щелкните в нижней части экрана посередине\r(координата " +
                   std::to_wstring(sw / 2) + L"x" + std::to_wstring(sh) + L")."},
        {u"9", L""},
    };
    for (const auto& c : cases) {
        ProgramFolder folder;
        folder.option(u"Placement", c.placement);
        auto first = folder.start();
        const auto before = fs::last_write_time(folder.personalSettings());
        auto second = folder.start(app::StartResult::Refused);
        ASSERT_EQ(folder.boxes.size(), 1u);
        EXPECT_EQ(folder.boxes[0].caption, L"Quivra: Повторный запуск ");
        EXPECT_EQ(folder.boxes[0].text, L"Программа уже запущена! \r\r" + c.tail);
        EXPECT_EQ(folder.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        EXPECT_EQ(fs::last_write_time(folder.personalSettings()), before);
        second.reset();
        EXPECT_TRUE(IsWindow(first->hwnd()));
    }
}

TEST(Startup, RestartedCopyWaitsForTheOldOneThenHoldsTheMutexAndALaterStartIsRefused) {
    ProgramFolder folder;
    folder.option(u"Restart", u"1");
    // The copy that restarted this one holds the mutex a moment longer.
    const std::wstring name = folder.exePath().stem().wstring();
    win::UniqueKernelHandle held(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread oldCopy([&] {
        HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
        SetEvent(held.get());
        Sleep(300);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    });
    WaitForSingleObject(held.get(), INFINITE);
    auto restarted = folder.start();
    oldCopy.join();
    EXPECT_TRUE(folder.boxes.empty());
    EXPECT_FALSE(folder.settings().keyExists(u"Options", u"Restart"));
    // It holds the mutex now: another process (thread) cannot take it...
    std::thread([&] {
        win::UniqueKernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()));
        ASSERT_TRUE(mutex);
        EXPECT_EQ(WaitForSingleObject(mutex.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    }).join();
    // ...and a start by the user is refused as a second copy.
    auto second = folder.start(app::StartResult::Refused);
    ASSERT_EQ(folder.boxes.size(), 1u);
    EXPECT_EQ(folder.boxes[0].caption, L"Quivra: Повторный запуск ");
}

TEST(Startup, StaleTemporariesOfTheSettingsFileAreRemovedAndOtherFilesKept) {
    ProgramFolder folder;
    folder.option(u"Opacity", u"200");
    const fs::path stale = folder.data() / L"quivra_PC_user.ini.~tmp0123abcd";
    const fs::path other = folder.data() / L"quivra_PC_user.ini.bak";
    writeFile(stale, "[Options]\r\nOpa");
    writeFile(other, "kept");
    auto form = folder.start();
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_EQ(form->presenter().opacity(), 200);
}

// Stored options read at start: values out of their range are taken as their
// controls allow, and broken ones still finish the start.
TEST(Startup, StoredOptionsAreTakenAsTheirControlsAllow) {
    struct Case {
        const char* what;
        std::vector<std::pair<const char16_t*, const char16_t*>> options;
        std::function<void(app::TMainForm&)> check;
    };
    const Case cases[] = {
        {"values out of range are clamped",
         {{u"Opacity", u"10"}, {u"DelayShow", u"500"}, {u"Width", u"300"}},
         [](app::TMainForm& form) {
             EXPECT_EQ(form.presenter().opacity(), 50);
             EXPECT_EQ(form.settingsPage().sliderPosition(settings::ID_DELAYSHOWBAR), 100);
             const RECT r = windowRect(form);
             EXPECT_EQ(r.right - r.left, 640);
         }},
        {"a placement outside the edges docks nowhere",
         {{u"Placement", u"7"}},
         [](app::TMainForm& form) {
             EXPECT_EQ(form.settingsPage().placeIndex(), -1);
             const RECT r = windowRect(form);
             EXPECT_EQ(r.left, 0);
             EXPECT_EQ(r.top, 0);
             form.FormShow();
             form.presenter().runPendingSlides();
             EXPECT_EQ(windowRect(form).left, 0);
         }},
        {"a silent start begins hidden, almost transparent",
         {{u"SilentStart", u"1"}, {u"Placement", u"2"}},
         [](app::TMainForm& form) {
             EXPECT_EQ(windowRect(form).left, screenW() - 1);
             EXPECT_EQ(form.presenter().opacity(), 1);
             EXPECT_TRUE(form.presenter().timerEnabled(window::Timer2));
             form.FormShow();
             form.presenter().runPendingSlides();
             EXPECT_EQ(windowRect(form).left, screenW() - 1);
         }},
        {"a broken date, colour and note still finish the start",
         {{u"StartDate", u"31/31/abc"},
          {u"BorderColor", u"clNoSuchColour"},
          {u"CurrentNoteName", u"missing"}},
         [](app::TMainForm& form) {
             EXPECT_EQ(form.state().DaysInUse, 0);
             EXPECT_EQ(form.settingsPage().borderColor(), RGB(0, 0, 255));
             EXPECT_TRUE(form.presenter().trayIcon().wanted());
             EXPECT_EQ(form.activePage(), program::Page::Notes);
             EXPECT_FALSE(IsWindowEnabled(form.note().hwnd()));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        for (const auto& [key, value] : c.options)
            folder.option(key, value);
        auto form = folder.start();
        c.check(*form);
    }
}

TEST(Startup, TrayIconTheShellRefusesAtFirstIsAskedForAgainAndTheOptionStays) {
    ProgramFolder folder;
    folder.option(u"TrayIcon", u"1");
    int refusals = 2; // an autostart before the notification area is ready
    window::TrayIcon::setNotifyHookForTesting([&](DWORD message, NOTIFYICONDATAW&) {
        if (message != NIM_ADD || refusals == 0)
            return TRUE;
        --refusals;
        return FALSE;
    });
    {
        auto form = folder.start();
        form->FormShow();
        pumpMessages();
        const window::TrayIcon& tray = form->presenter().trayIcon();
        EXPECT_FALSE(tray.visible());
        EXPECT_TRUE(folder.boxes.empty());
        EXPECT_TRUE(win::isChecked(form->settingsPage().control(settings::ID_ISTRAYICON)));
        EXPECT_EQ(folder.settings().readString(u"Options", u"TrayIcon", u""), u"1");
        // Asked again on a timer, and at once when the taskbar (re)starts.
        form->presenter().onTimer(window::kTrayRetryTimer);
        EXPECT_FALSE(tray.visible());
        SendMessageW(form->hwnd(), window::TrayIcon::taskbarCreatedMessage(), 0, 0);
        EXPECT_TRUE(tray.visible());
        EXPECT_TRUE(win::isChecked(form->settingsPage().control(settings::ID_ISTRAYICON)));
        EXPECT_EQ(folder.settings().readString(u"Options", u"TrayIcon", u""), u"1");
    }
    window::TrayIcon::setNotifyHookForTesting({});
}

TEST(Startup, AutostartBoxWritesAndDeletesTheRunValue) {
    ProgramFolder folder;
    auto form = folder.start();
    HWND box = form->settingsPage().control(settings::ID_ISSTARTUP);
    const std::wstring exe = folder.exePath().wstring();
    EXPECT_FALSE(settings::autostartPointsTo(exe));
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(settings::autostartPointsTo(exe));
    // A restart reads the box back from the registry.
    form.reset();
    form = folder.start();
    EXPECT_TRUE(form->settingsPage().ticked(settings::ID_ISSTARTUP));
    box = form->settingsPage().control(settings::ID_ISSTARTUP);
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_FALSE(settings::autostartPointsTo(exe));
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                            0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    EXPECT_NE(RegQueryValueExW(key, L"Quivra", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
}

namespace {

// Counts the streams into rich-edit controls of this thread.
class StreamInCounter {
  public:
    StreamInCounter() {
        count() = 0;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &StreamInCounter::proc, nullptr,
                                  GetCurrentThreadId());
    }
    ~StreamInCounter() { UnhookWindowsHookEx(hook_); }
    int streams() const { return count(); }

  private:
    static int& count() {
        static int n = 0;
        return n;
    }
    static LRESULT CALLBACK proc(int code, WPARAM wp, LPARAM lp) {
        if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lp)->message == EM_STREAMIN)
            ++count();
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    HHOOK hook_;
};

} // namespace

TEST(Startup, RememberedNoteIsStreamedIntoTheEditorOnceWhateverTheSkin) {
    for (const char16_t* skin : {u"", u"Graphite"}) {
        ProgramFolder folder;
        folder.copySkins();
        const auto notes = folder.data() / L"Notes" / L"PC_user";
        std::filesystem::create_directories(notes);
        writeFile(notes / L"A.note", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Alpha\\par}");
        folder.option(u"CurrentNoteName", u"A");
        folder.option(u"SkinName", skin);
        StreamInCounter counter;
        auto form = folder.start();
        EXPECT_EQ(counter.streams(), 1) << "skin: " << (*skin ? "Graphite" : "none");
        EXPECT_EQ(form->note().text().substr(0, 5), u"Alpha");
    }
}

TEST(Startup, StoredSkinIsFoundWhateverItsLetterCaseAndAMissingOneIsNotForgotten) {
    struct Case {
        const char16_t* stored;
        const wchar_t* applied;
        const char16_t* keyAfter;
    } cases[] = {
        {u"graphite", L"Graphite", u"Graphite"},
        {u"PAPER", L"Paper", u"Paper"},
        {u"Gone", L"", u"Gone"}, // its file is missing: no skin, the name is kept
    };
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.copySkins();
        folder.option(u"SkinName", c.stored);
        auto form = folder.start();
        const std::string what = base::utf16ToUtf8(c.stored);
        EXPECT_EQ(form->settingsPage().skins().selectedSkinName(), c.applied) << what;
        const auto& engine = skins::skinEngine();
        EXPECT_EQ(engine.isActive() ? engine.skinName() : L"", c.applied) << what;
        EXPECT_EQ(folder.settings().readString(u"Options", u"SkinName", u"?"), c.keyAfter) << what;
    }
}

TEST(Startup, FirstDayOfUseIsWrittenInTheUsersDateFormatNamesIncludedAndCounted) {
    struct Case {
        const wchar_t* pattern;
        const char16_t* stored; // nullptr: no key yet
        const char16_t* keyAfter;
        long days;
    } cases[] = {
        {L"dd-MMM-yy", nullptr, u"09-дек-26", 0},
        {L"dd-MMM-yy", u"29-ноя-26", u"29-ноя-26", 10},
        {L"dddd, d MMMM yyyy", u"понедельник, 30 ноября 2026", u"понедельник, 30 ноября 2026", 9},
        // A format that cannot hold a date: day, month and year are written.
        {L"yyyy", nullptr, u"09.12.2026", 0},
        {L"MMMM yyyy", u"01.12.2026", u"01.12.2026", 8},
    };
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.shortDatePattern = c.pattern;
        folder.dateNames = russianDateNames();
        if (c.stored)
            folder.option(u"StartDate", c.stored);
        auto form = folder.start();
        const std::string what = base::utf16ToUtf8(win::toU16(c.pattern));
        EXPECT_EQ(folder.settings().readString(u"Options", u"StartDate", u""), c.keyAfter) << what;
        EXPECT_EQ(form->state().DaysInUse, c.days) << what;
    }
    // The names the system gives are the ones formats use.
    const app::DateNames system = app::Environment::fromSystem().dateNames;
    for (const auto& month : system.shortMonths)
        EXPECT_FALSE(month.empty());
    for (const auto& day : system.days)
        EXPECT_FALSE(day.empty());
}

TEST(Startup, FrameTakesAnyColourTheFileCanHoldAndAWrongOneGivesBlue) {
    struct Case {
        const char16_t* stored;
        COLORREF painted;
        int boxItem; // -1: the box lists no such colour
    } cases[] = {
        {u"$000080FF", RGB(255, 128, 0), -1},
        {u"clBtnFace", GetSysColor(COLOR_BTNFACE), -1},
        {u"CLINFOBK", GetSysColor(COLOR_INFOBK), -1},
        {u"8421376", RGB(0, 128, 128), 6}, // 0x808000: clTeal
        {u"clteal", RGB(0, 128, 128), 6},
        {u"clNoSuchColour", RGB(0, 0, 255), 12},
    };
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.option(u"BorderColor", c.stored);
        auto form = folder.start();
        const std::string what = base::utf16ToUtf8(c.stored);
        form->FormShow();
        RedrawWindow(form->hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC dc = GetWindowDC(form->hwnd());
        RECT r;
        GetWindowRect(form->hwnd(), &r);
        EXPECT_EQ(GetPixel(dc, 1, (r.bottom - r.top) / 2), c.painted) << what;
        ReleaseDC(form->hwnd(), dc);
        HWND box = form->settingsPage().control(settings::ID_BVLCOLOR);
        EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), c.boxItem) << what;
        // Start-up does not write the key back.
        EXPECT_EQ(folder.settings().readString(u"Options", u"BorderColor", u""), c.stored) << what;
    }
}
