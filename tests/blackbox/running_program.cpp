#include "running_program.h"

#include <winternl.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace quivra::blackbox {

namespace {

std::wstring systemName(BOOL (*get)(LPWSTR, LPDWORD), DWORD size) {
    std::wstring s(size, L'\0');
    DWORD n = size;
    if (!get(s.data(), &n))
        return {};
    s.resize(wcslen(s.c_str()));
    return s;
}

std::wstring profileName() {
    return systemName(GetComputerNameW, 256) + L"_" + systemName(GetUserNameW, 256);
}

bool belongsTo(HWND w, DWORD pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    return owner == pid && IsWindowVisible(w);
}

template <class Find> HWND waitFor(DWORD timeoutMs, Find find) {
    const DWORD until = GetTickCount() + timeoutMs;
    do {
        if (HWND w = find())
            return w;
        Sleep(50);
    } while (GetTickCount() < until);
    return nullptr;
}

} // namespace

RunningProgram::RunningProgram(const fs::path& exe, const std::wstring& parameters) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    std::wstring cmd = L"\"" + exe.wstring() + L"\"" + parameters;
    started_ = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              exe.parent_path().c_str(), &si, &pi_) != FALSE;
}

RunningProgram::~RunningProgram() {
    if (!started_)
        return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(pi_.hProcess, 1);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

bool RunningProgram::waitForExit(DWORD ms) {
    return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD RunningProgram::exitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

HWND RunningProgram::mainWindow(DWORD timeoutMs) const {
    return waitFor(timeoutMs, [this]() -> HWND {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"TMainForm", L"Quivra"));)
            if (belongsTo(w, pi_.dwProcessId))
                return w;
        return nullptr;
    });
}

HWND RunningProgram::messageBox(DWORD timeoutMs) const {
    return waitFor(timeoutMs, [this]() -> HWND {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr));)
            if (belongsTo(w, pi_.dwProcessId))
                return w;
        return nullptr;
    });
}

ScreenDpi::ScreenDpi(DWORD dpi) {
    const std::pair<HKEY, const wchar_t*> keys[] = {
        {HKEY_CURRENT_USER, L"Control Panel\\Desktop"},
        {HKEY_LOCAL_MACHINE,
         L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"}};
    for (const auto& [root, path] : keys) {
        Saved saved{root, path, std::nullopt};
        DWORD value = 0, size = sizeof value, type = 0;
        if (RegGetValueW(root, path, L"LogPixels", RRF_RT_REG_DWORD, &type, &value, &size) ==
            ERROR_SUCCESS)
            saved.value = value;
        saved_.push_back(saved);
        RegSetKeyValueW(root, path, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
}

ScreenDpi::~ScreenDpi() {
    for (const Saved& s : saved_)
        if (s.value)
            RegSetKeyValueW(s.root, s.path, L"LogPixels", REG_DWORD, &*s.value, sizeof(DWORD));
        else
            RegDeleteKeyValueW(s.root, s.path, L"LogPixels");
}

fs::path freshProgramFolder() {
    static int counter = 0;
    wchar_t tmp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, tmp);
    const fs::path dir = fs::path(tmp) / (L"quivra-bb-" + std::to_wstring(GetCurrentProcessId()) +
                                          L"-" + std::to_wstring(++counter));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(fs::path(QUIVRA_EXE), dir / L"quivra.exe");
    return dir;
}

fs::path settingsFile(const fs::path& programFolder) {
    return programFolder / L"Data" / (L"quivra_" + profileName() + L".ini");
}

fs::path notesFolder(const fs::path& programFolder) {
    return programFolder / L"Data" / L"Notes" / profileName();
}

namespace {

// The descendants `wanted` accepts, in creation order; only the first if asked.
std::vector<HWND> childrenWhere(HWND parent, const std::function<bool(HWND)>& wanted,
                                bool firstOnly) {
    struct Search {
        const std::function<bool(HWND)>& wanted;
        bool firstOnly;
        std::vector<HWND> found;
    } search{wanted, firstOnly, {}};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (!s->wanted(w))
                return TRUE;
            s->found.push_back(w);
            return !s->firstOnly;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

HWND findChildWhere(HWND parent, const std::function<bool(HWND)>& wanted) {
    const auto found = childrenWhere(parent, wanted, true);
    return found.empty() ? nullptr : found.front();
}

bool hasClass(HWND window, const wchar_t* className) {
    wchar_t name[64]{};
    GetClassNameW(window, name, 64);
    return _wcsicmp(name, className) == 0;
}

HWND findChild(HWND parent, const wchar_t* className) {
    return findChildWhere(parent, [className](HWND w) { return hasClass(w, className); });
}

HWND findChildById(HWND parent, int id) {
    return findChildWhere(parent, [id](HWND w) { return GetDlgCtrlID(w) == id; });
}

std::wstring windowText(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

std::wstring messageBoxText(HWND box) {
    // The box's text is its static control that holds no icon.
    std::wstring text;
    EnumChildWindows(
        box,
        [](HWND w, LPARAM lp) -> BOOL {
            wchar_t name[16]{};
            GetClassNameW(w, name, 16);
            if (_wcsicmp(name, L"Static") == 0 && !(GetWindowLongW(w, GWL_STYLE) & SS_ICON)) {
                const auto t = windowText(w);
                if (!t.empty()) {
                    *reinterpret_cast<std::wstring*>(lp) = t;
                    return FALSE;
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

void typeInto(HWND control, const std::wstring& text) {
    for (wchar_t c : text)
        SendMessageW(control, WM_CHAR, c, 1);
}

void settle(HWND window) {
    DWORD_PTR result = 0;
    for (int i = 0; i < 3; ++i) {
        Sleep(100);
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result);
    }
}

void focusControl(HWND window, HWND control) {
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    settle(window);
}

void clickInto(HWND control) {
    clickAt(control, {1, 1});
}

void clickAt(HWND control, POINT at) {
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void clickWithMouse(HWND window, HWND control) {
    SetForegroundWindow(window);
    const RECT r = screenRect(control);
    mouseClick({r.left + 6, r.top + 6});
    settle(window);
}

void typeLetters(HWND window, std::string_view letters) {
    std::vector<INPUT> keys;
    for (char c : letters) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = static_cast<WORD>(std::toupper(static_cast<unsigned char>(c)));
        INPUT up = down;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        keys.push_back(down);
        keys.push_back(up);
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    settle(window);
}

void mouse(DWORD flags, POINT to) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = MulDiv(to.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(to.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof(INPUT));
    Sleep(60);
}

void mouseClick(POINT at, int clicks) {
    mouse(MOUSEEVENTF_MOVE, at);
    for (int i = 0; i < clicks; ++i) {
        mouse(MOUSEEVENTF_LEFTDOWN);
        mouse(MOUSEEVENTF_LEFTUP);
    }
}

void mouseDrag(POINT grip, DWORD down, DWORD up) {
    mouse(MOUSEEVENTF_MOVE, grip);
    mouse(down);
    for (int step = 1; step <= 3; ++step)
        mouse(MOUSEEVENTF_MOVE, {grip.x + step * 10, grip.y + step * 15});
    mouse(up);
}

RECT screenRect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

POINT placeInParent(HWND child) {
    RECT r = screenRect(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top};
}

void pressKeys(HWND window, std::initializer_list<WORD> keys) {
    SetForegroundWindow(window);
    settle(window);
    std::vector<INPUT> input;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        input.push_back(down);
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *it;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(up);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    settle(window);
}

bool postHotkey(HWND window) {
    const ATOM atom = GlobalFindAtomW(L"quivra_hotkey_sh");
    return atom != 0 && PostMessageW(window, WM_HOTKEY, atom, MAKELPARAM(MOD_WIN, 'N'));
}

HWND focusedIn(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

std::vector<HWND> findChildren(HWND parent, const wchar_t* className, DWORD styleBits) {
    return childrenWhere(
        parent,
        [&](HWND w) {
            return hasClass(w, className) &&
                   (static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)) & styleBits) == styleBits;
        },
        false);
}

std::wstring commandLineOf(DWORD pid) {
    using Query = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process || !query)
        return {};
    std::wstring line;
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS params{};
    if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
        ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
        ReadProcessMemory(process, peb.ProcessParameters, &params, sizeof params, nullptr)) {
        line.resize(params.CommandLine.Length / sizeof(wchar_t));
        if (!ReadProcessMemory(process, params.CommandLine.Buffer, line.data(),
                               params.CommandLine.Length, nullptr))
            line.clear();
    }
    CloseHandle(process);
    return line;
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace quivra::blackbox
