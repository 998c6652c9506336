#include "app/environment_win.h"

#include <cstdlib>
#include <cwchar>

#include <vector>

namespace quivra::app {

namespace {

std::wstring modulePath() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size())
            return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

std::optional<std::wstring> readComputerName() {
    wchar_t buf[256]{};
    DWORD n = 256;
    if (!GetComputerNameW(buf, &n))
        return std::nullopt;
    return std::wstring(buf, n);
}

std::optional<std::wstring> readUserName() {
    wchar_t buf[255]{};
    DWORD n = 255;
    if (!GetUserNameW(buf, &n) || n == 0)
        return std::nullopt;
    return std::wstring(buf, n - 1); // the length counts the terminating zero
}

std::wstring readShortDatePattern() {
    wchar_t buf[80]{};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buf, 80) == 0)
        return L"dd.MM.yyyy";
    return buf;
}

std::u16string localeText(LCTYPE type) {
    wchar_t buf[80]{};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 80) == 0)
        return {};
    return std::u16string(buf, buf + wcslen(buf));
}

template <std::size_t N>
void readNames(std::array<std::u16string, N>& names, LCTYPE first, LCTYPE flags = 0) {
    for (std::size_t i = 0; i < N; ++i)
        names[i] = localeText((first + static_cast<LCTYPE>(i)) | flags);
}

// The names a short date format with MMM or ddd writes.
DateNames readDateNames() {
    DateNames names;
    readNames(names.months, LOCALE_SMONTHNAME1);
    readNames(names.shortMonths, LOCALE_SABBREVMONTHNAME1);
    readNames(names.genitiveMonths, LOCALE_SMONTHNAME1, LOCALE_RETURN_GENITIVE_NAMES);
    readNames(names.genitiveShortMonths, LOCALE_SABBREVMONTHNAME1, LOCALE_RETURN_GENITIVE_NAMES);
    readNames(names.days, LOCALE_SDAYNAME1);
    readNames(names.shortDays, LOCALE_SABBREVDAYNAME1);
    return names;
}

// The parameters as the program received them, without the program's own
// name; the quotes that grouped a parameter are gone. The C runtime split the
// command line by the system's rules before the program started (the shell
// library's splitter would load that library at start-up for this alone).
std::vector<std::wstring> commandLineArguments() {
    std::vector<std::wstring> arguments;
    for (int i = 1; __wargv && i < __argc; ++i)
        arguments.emplace_back(__wargv[i]);
    return arguments;
}

} // namespace

Environment Environment::fromSystem() {
    Environment env;
    env.exePath = modulePath();
    env.arguments = commandLineArguments();
    env.computerName = readComputerName();
    env.userName = readUserName();
    env.shortDatePattern = readShortDatePattern();
    env.dateNames = readDateNames();
    env.today = [] {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return CivilDate{st.wYear, st.wMonth, st.wDay};
    };
    return env;
}

} // namespace quivra::app
