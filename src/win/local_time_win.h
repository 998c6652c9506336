// The local date and time from the system clock.
#pragma once

#include "base/date_time.h"

#include <windows.h>

namespace quivra::win {

inline base::DateTime localNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

} // namespace quivra::win
