#include "win/announce_win.h"

namespace quivra::win {

void announce(HWND window, Announcement what) {
    if (!window)
        return;
    DWORD event = EVENT_OBJECT_NAMECHANGE;
    switch (what) {
    case Announcement::NameChanged:
        event = EVENT_OBJECT_NAMECHANGE;
        break;
    case Announcement::Shown:
        event = EVENT_OBJECT_SHOW;
        break;
    case Announcement::Alert:
        event = EVENT_SYSTEM_ALERT;
        break;
    }
    NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF);
}

void showAnnounced(HWND window, bool shown, Announcement how) {
    if (!window)
        return;
    const bool was = ShowWindow(window, shown ? SW_SHOWNA : SW_HIDE) != 0;
    if (was == shown)
        return;
    if (shown)
        announce(window, how);
    else
        NotifyWinEvent(EVENT_OBJECT_HIDE, window, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace quivra::win
