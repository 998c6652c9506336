// Set-up for the timing programs that run the main window in their own
// process: the program's control set-up, message boxes answered instead of
// shown, and a program folder with injected computer and user names.
#pragma once

#include "bench_support.h"

#include "app/environment_win.h"
#include "app/main_form_win.h"
#include "base/ini_file.h"
#include "win/message_box_win.h"
#include "win/text_services_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace quivra::bench {

// What quivra.exe does before it creates its window; message boxes are
// counted and answered with OK so that nothing waits for a click.
inline int& answeredBoxes() {
    static int count = 0;
    return count;
}

inline void prepareProcess() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    LoadLibraryW(L"riched20.dll");
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    win::installWin32TextServices();
    win::setMessageBoxHook([](HWND, const wchar_t*, const wchar_t*, UINT) {
        ++answeredBoxes();
        return IDOK;
    });
}

// A temporary program folder for computer "PC" and user "user".
class BenchProgramFolder {
  public:
    explicit BenchProgramFolder(std::wstring_view prefix) : folder_(prefix) {
        std::filesystem::create_directories(notesFolder());
    }

    const std::filesystem::path& path() const noexcept { return folder_.path(); }
    // The notes folder the main window chooses by default here.
    std::filesystem::path notesFolder() const {
        return folder_.path() / L"Data" / L"Notes" / L"PC_user";
    }

    // The personal settings file of this computer and user.
    base::IniFile settings() const {
        return base::IniFile(folder_.path() / L"Data" / L"quivra_PC_user.ini");
    }
    // A note file the next start opens as the remembered note.
    void rememberNote(const std::wstring& name, std::string_view bytes) const {
        writeFile(notesFolder() / (name + L".note"), bytes);
        settings().writeString(u"Options", u"CurrentNoteName",
                               std::u16string(name.begin(), name.end()));
    }

    app::Environment environment() const {
        app::Environment env;
        env.exePath = (folder_.path() / L"quivra.exe").wstring();
        env.computerName = L"PC";
        env.userName = L"user";
        env.shortDatePattern = L"dd.MM.yyyy";
        env.today = [] { return app::CivilDate{2026, 12, 9}; };
        env.runMessageBoxes = false;
        return env;
    }

    // A main window started here, or null (reported) when it did not start.
    std::unique_ptr<app::TMainForm> start() const {
        auto form = std::make_unique<app::TMainForm>(environment());
        if (form->create() != app::StartResult::Started) {
            std::printf("the main window did not start in %s\n", path().string().c_str());
            return nullptr;
        }
        return form;
    }
    // Started and shown as the user sees it, its first messages handled.
    std::unique_ptr<app::TMainForm> startShown() const {
        auto form = start();
        if (form) {
            ShowWindow(form->hwnd(), SW_SHOWNOACTIVATE);
            pumpMessages();
        }
        return form;
    }

  private:
    TempFolder folder_;
};

} // namespace quivra::bench
