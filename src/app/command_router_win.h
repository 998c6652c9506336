// Sends what the main window receives for a control, menu item or timer to
// the subsystem whose identifier block holds its identifier. A command that
// arrives from a keyboard shortcut runs only while its menu item is enabled:
// checked here, once for every subsystem.
#pragma once

#include "program/id_blocks.h"
#include "program/subsystem_win.h"

#include <vector>

namespace quivra::app {

class CommandRouter {
  public:
    // The subsystem receives everything whose identifier lies in `block`.
    void add(program::IdBlock block, program::Subsystem& subsystem);

    // Each answers whether a subsystem took the message.
    bool command(int id, int code, HWND control);
    bool notify(NMHDR& hdr, LRESULT& result);
    bool drawItem(const DRAWITEMSTRUCT& item);
    bool measureItem(MEASUREITEMSTRUCT& item);
    bool timer(UINT_PTR id);
    bool scroll(HWND control);
    bool contextMenu(HWND control, POINT screen);
    std::optional<LRESULT> ctlColor(HDC dc, HWND control);

    // The rows and shortcuts of every subsystem, in the order added.
    void addRefreshRows(program::RefreshTable& table) const;
    std::vector<ACCEL> shortcuts() const;

  private:
    program::Subsystem* owner(int id) const;
    struct Route {
        program::IdBlock block;
        program::Subsystem* subsystem;
    };
    std::vector<Route> routes_;
};

} // namespace quivra::app
