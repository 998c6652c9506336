// The local date and time from the system clock, as the note store names
// recovery files with it.
#pragma once

#include "notes/note_file.h"

#include <windows.h>

namespace quivra::notes {

inline DateTime localNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

} // namespace quivra::notes
