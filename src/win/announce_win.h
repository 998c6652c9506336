// Tells a screen reader that something it may be reading changed: the one
// call every place that shows a mark or a message makes.
#pragma once

#include <windows.h>

namespace quivra::win {

enum class Announcement {
    NameChanged, // the window's text changed (a mark, a message in a label)
    Shown,       // the window has just been shown
    Alert,       // a message the user must notice (a refusal in red)
};

void announce(HWND window, Announcement what);

// Shows (without activating) or hides a mark or a message (the changed
// mark, the read-only sign, a refusal in red) and, when that changed its
// visibility, tells a screen reader: that it is shown, or `how`.
void showAnnounced(HWND window, bool shown, Announcement how = Announcement::Shown);

} // namespace quivra::win
