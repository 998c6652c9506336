// Start-up time, from CreateProcess until the program's main window is
// visible: quivra.exe in a fresh program folder (the first start, which
// creates the data folders and the settings file), quivra.exe again in the
// same folder (a later start), and the minimal window program built the same
// way, which shows what any Win32 program's start costs here. The programs
// take turns; each is closed with WM_CLOSE before the next starts.
//
//     startup_bench.exe [rounds]     (quivra.exe and minimal_window.exe are
//                                     taken from this program's folder)
#include "bench_support.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace quivra::bench;

namespace {

class ChildProcess {
  public:
    explicit ChildProcess(const fs::path& exe) {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        std::wstring cmd = L"\"" + exe.wstring() + L"\"";
        started_ = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  exe.parent_path().c_str(), &si, &pi_) != FALSE;
    }
    ~ChildProcess() {
        if (!started_)
            return;
        if (!exited())
            kill();
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const noexcept { return started_; }
    bool exited() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }
    bool waitForExit(DWORD ms) const {
        return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0;
    }
    void kill() const {
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 5000);
    }

    // The process's visible top-level window of this class and title.
    HWND visibleWindow(const wchar_t* windowClass, const wchar_t* title) const {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, windowClass, title)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pi_.dwProcessId && IsWindowVisible(w))
                return w;
        }
        return nullptr;
    }

  private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

struct Target {
    const char* label;
    const wchar_t* windowClass;
    const wchar_t* title;
    std::vector<double> times;
    std::vector<double> closing; // WM_CLOSE until the process ended
    int failures = 0;
};

constexpr double kWindowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 15000;

// Starts exe, waits for its window and closes it again; the time from the
// start until the window was visible, or nothing when it never was.
std::optional<double> timeStart(const fs::path& exe, Target& target) {
    Stopwatch clock;
    ChildProcess child(exe);
    if (!child.started()) {
        std::printf("  %s: cannot start %s (error %lu)\n", target.label, exe.string().c_str(),
                    GetLastError());
        return std::nullopt;
    }
    HWND window = nullptr;
    while (!(window = child.visibleWindow(target.windowClass, target.title))) {
        if (child.exited()) {
            std::printf("  %s: ended before its window was shown\n", target.label);
            return std::nullopt;
        }
        if (clock.ms() > kWindowTimeoutMs) {
            std::printf("  %s: no window after %.0f s, killed\n", target.label,
                        kWindowTimeoutMs / 1000);
            return std::nullopt;
        }
        Sleep(1);
    }
    const double ms = clock.ms();
    clock.restart();
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (child.waitForExit(kExitTimeoutMs)) {
        target.closing.push_back(clock.ms());
    } else {
        std::printf("  %s: still running %lu s after WM_CLOSE, killed\n", target.label,
                    kExitTimeoutMs / 1000);
        child.kill();
    }
    return ms;
}

void record(const fs::path& exe, Target& target) {
    if (auto ms = timeStart(exe, target))
        target.times.push_back(*ms);
    else
        ++target.failures;
}

void report(const Target& t) {
    std::printf("  %-40s median %7.1f ms   mean %7.1f ms   closing %6.1f ms   (%zu runs", t.label,
                median(t.times), mean(t.times), median(t.closing), t.times.size());
    if (t.failures)
        std::printf(", %d failed", t.failures);
    std::printf(")\n");
}

void ratio(const char* label, const Target& a, const Target& b) {
    const double base = median(b.times);
    if (base > 0 && !a.times.empty())
        std::printf("  %-40s %.2f x (medians), %.2f x (means)\n", label, median(a.times) / base,
                    mean(a.times) / mean(b.times));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    plainNewlines();
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
    const fs::path bin = ownFolder();
    const fs::path quivra = bin / L"quivra.exe";
    const fs::path minimal = bin / L"minimal_window.exe";
    for (const auto& exe : {quivra, minimal})
        if (!fs::exists(exe)) {
            std::printf("missing %s\n", exe.string().c_str());
            return 1;
        }

    Target first{"quivra.exe, first start (fresh folder)", L"TMainForm", L"Quivra", {}, {}, 0};
    Target second{"quivra.exe, second start (same folder)", L"TMainForm", L"Quivra", {}, {}, 0};
    Target floor{"minimal_window.exe", L"MinimalWindow", nullptr, {}, {}, 0};

    // One start of each first, not counted: it loads the programs and Wine's
    // libraries into the file cache.
    {
        Target warmQuivra = first;
        Target warmMinimal = floor;
        TempFolder folder(L"quivra-start");
        fs::copy_file(quivra, folder.path() / L"quivra.exe");
        record(folder.path() / L"quivra.exe", warmQuivra);
        record(minimal, warmMinimal);
    }

    for (int round = 0; round < rounds; ++round) {
        TempFolder folder(L"quivra-start");
        const fs::path exe = folder.path() / L"quivra.exe";
        fs::copy_file(quivra, exe);
        if (round % 2)
            record(minimal, floor);
        record(exe, first);
        record(exe, second);
        if (round % 2 == 0)
            record(minimal, floor);
    }

    std::printf("Start-up, process start to main window shown (%d rounds, taking turns):\n",
                rounds);
    report(first);
    report(second);
    report(floor);
    ratio("first start / minimal window", first, floor);
    ratio("second start / minimal window", second, floor);
    std::fflush(stdout);
    return first.times.empty() || second.times.empty() || floor.times.empty() ? 1 : 0;
}
