// What the program learns from the system at start: its own path, the
// computer and user names, the screen, today's date and the date format.
// The program takes the real values; the tests inject their own.
#pragma once

#include "app/dates.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quivra::app {

struct Environment {
    std::wstring exePath;                     // full path of the executable
    std::vector<std::wstring> arguments;      // the command line's parameters, in order
    std::optional<std::wstring> computerName; // nullopt: the name could not be read
    std::optional<std::wstring> userName;
    std::function<CivilDate()> today;
    std::wstring shortDatePattern; // the user's short date format
    DateNames dateNames;           // the locale's month and day names
    bool runMessageBoxes = true;   // false in tests: boxes go to the hook

    static Environment fromSystem();
};

} // namespace quivra::app
