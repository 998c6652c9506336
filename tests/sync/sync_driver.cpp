// Does one thing to the program running in this Wine prefix, for the tests
// of a synchronised notes folder that run in another prefix:
//     sync_driver start <program folder>   starts its quivra.exe, until its window shows
//     sync_driver callin | hide            the hotkey, until the window is in or out
//     sync_driver type <word>              " <word>" at the end of the open note
//     sync_driver text | names             the note's text, or the listed names, as UTF-8
//     sync_driver okbox                    "OK" on the program's message box (5 s to come)
//     sync_driver quit                     closes the program, until it has ended
// Exits with 0 when it did it.
#include "blackbox/synced_program.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

using namespace quivra::blackbox;

namespace {

void print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

HWND waitForWindow(DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        if (HWND w = programWindow(); w && IsWindowVisible(w))
            return w;
        Sleep(100);
    }
    return nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    _setmode(_fileno(stdout), _O_BINARY); // "\n" as it is
    const std::wstring command = argv[1];
    if (command == L"start" && argc == 3) {
        const std::wstring folder = argv[2];
        const std::wstring exe = folder + L"\\quivra.exe";
        std::wstring line = L"\"" + exe + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &si, &pi))
            return 1;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return waitForWindow(20000) ? 0 : 1;
    }
    HWND window = waitForWindow(5000);
    if (!window)
        return 1;
    if (command == L"callin")
        return callInByHotkey(window) ? 0 : 1;
    if (command == L"hide")
        return sendAwayByHotkey(window) ? 0 : 1;
    if (command == L"type" && argc == 3) {
        typeAtNoteEnd(window, argv[2]);
        return 0;
    }
    if (command == L"text") {
        print(noteText(window));
        return 0;
    }
    if (command == L"names") {
        for (const auto& name : listedNoteNames(window))
            print(name + L"\n");
        return 0;
    }
    if (command == L"okbox") {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        for (int i = 0; i < 50; ++i) {
            for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
                DWORD owner = 0;
                GetWindowThreadProcessId(box, &owner);
                if (owner == pid && IsWindowVisible(box)) {
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                    return 0;
                }
            }
            Sleep(100);
        }
        return 1;
    }
    if (command == L"quit") {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        PostMessageW(window, WM_CLOSE, 0, 0);
        const bool ended = process && WaitForSingleObject(process, 15000) == WAIT_OBJECT_0;
        if (process)
            CloseHandle(process);
        return ended ? 0 : 1;
    }
    return 2;
}
