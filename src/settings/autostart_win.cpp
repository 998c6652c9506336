#include "settings/autostart_win.h"

#include "base/errors.h"
#include "win/handles_win.h"
#include "win/system_error_win.h"

#include <windows.h>

namespace quivra::settings {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kValueName = L"Quivra";

win::UniqueKey openRunKey(REGSAM access) {
    HKEY key = nullptr;
    const LONG rc =
        RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, access, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS)
        throw base::UserError(win::systemErrorText(static_cast<DWORD>(rc)));
    return win::UniqueKey(key);
}

} // namespace

bool autostartPointsTo(const std::wstring& exePath) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return false;
    win::UniqueKey key(raw);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), kValueName, nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data()), &bytes) != ERROR_SUCCESS)
        return false;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value == exePath;
}

void writeAutostart(const std::wstring& exePath) {
    const auto key = openRunKey(KEY_SET_VALUE);
    const LONG rc = RegSetValueExW(key.get(), kValueName, 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(exePath.c_str()),
                                   static_cast<DWORD>((exePath.size() + 1) * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS)
        throw base::UserError(win::systemErrorText(static_cast<DWORD>(rc)));
}

void deleteAutostart() {
    const auto key = openRunKey(KEY_SET_VALUE | KEY_QUERY_VALUE);
    const LONG rc = RegDeleteValueW(key.get(), kValueName);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw base::UserError(win::systemErrorText(static_cast<DWORD>(rc)));
}

} // namespace quivra::settings
