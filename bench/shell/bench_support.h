// Small helpers shared by the shell timing programs: a stopwatch on the
// performance counter, median and mean, and a temporary folder that removes
// itself.
#pragma once

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::bench {

class Stopwatch {
  public:
    Stopwatch() { restart(); }
    void restart() { QueryPerformanceCounter(&start_); }
    double ms() const {
        LARGE_INTEGER now, freq;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&freq);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
               static_cast<double>(freq.QuadPart);
    }

  private:
    LARGE_INTEGER start_{};
};

// Word `position` of line `line` of the benchmarks' made-up notes: Russian
// and English words in code page 1251, mixed the same way in every note.
inline const char* noteWord(int line, int position) {
    static const char* const words[] = {"list",         "plan",
                                        "\xE4\xEE\xEC", "\xF1\xEF\xE8\xF1\xEE\xEA",
                                        "work",         "\xF0\xE0\xE1\xEE\xF2\xE0",
                                        "task",         "\xE4\xE5\xED\xFC"};
    return words[(line * 7 + position * 3) % 8];
}

inline double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The figures one by one, "812 790 801" (ms, no decimals).
inline std::string listed(const std::vector<double>& v) {
    std::string out;
    for (double x : v) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(static_cast<long>(x + 0.5));
    }
    return out;
}

// A row of figures: the label, their median and each of them.
inline void row(const char* label, const std::vector<double>& times, int labelWidth = 52) {
    std::printf("    %-*s median %7.1f ms   (%s)\n", labelWidth, label, median(times),
                listed(times).c_str());
}

inline double mean(const std::vector<double>& v) {
    return v.empty() ? 0 : std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
  public:
    explicit TempFolder(std::wstring_view prefix) {
        wchar_t tmp[MAX_PATH]{};
        GetTempPathW(MAX_PATH, tmp);
        static int counter = 0;
        path_ = std::filesystem::path(tmp) /
                (std::wstring(prefix) + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter));
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }

  private:
    std::filesystem::path path_;
};

// Writes a whole file through the wide API (mingw's streams take narrow paths).
inline void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + file.string());
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    if (!ok || written != bytes.size())
        throw std::runtime_error("cannot write " + file.string());
}

// The folder of the running executable.
inline std::filesystem::path ownFolder() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.resize(buf.size() * 2);
    }
    return std::filesystem::path(buf).parent_path();
}

// Lines end in '\n' alone, as the other benchmarks' output does.
inline void plainNewlines() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

inline void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace quivra::bench
