#include "app/command_router_win.h"

#include "program/refresh_table.h"

namespace quivra::app {

namespace {

// A shortcut's command is refused while its menu item is disabled.
bool itemDisabled(HMENU menu, int id) {
    if (!menu)
        return false;
    const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) != 0;
}

} // namespace

void CommandRouter::add(program::IdBlock block, program::Subsystem& subsystem) {
    routes_.push_back({block, &subsystem});
}

program::Subsystem* CommandRouter::owner(int id) const {
    for (const auto& r : routes_)
        if (r.block.contains(id))
            return r.subsystem;
    return nullptr;
}

bool CommandRouter::command(int id, int code, HWND control) {
    program::Subsystem* s = owner(id);
    if (!s)
        return false;
    if (code == program::kFromShortcut && !control && itemDisabled(s->menuOf(id), id))
        return true; // taken: a disabled command does nothing
    return s->onCommand(id, code, control);
}

bool CommandRouter::notify(NMHDR& hdr, LRESULT& result) {
    program::Subsystem* s = owner(static_cast<int>(hdr.idFrom));
    return s && s->onNotify(hdr, result);
}

bool CommandRouter::drawItem(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlType == ODT_MENU ? item.itemID : item.CtlID);
    program::Subsystem* s = owner(id);
    return s && s->onDrawItem(item);
}

bool CommandRouter::measureItem(MEASUREITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlType == ODT_MENU ? item.itemID : item.CtlID);
    program::Subsystem* s = owner(id);
    return s && s->onMeasureItem(item);
}

bool CommandRouter::timer(UINT_PTR id) {
    program::Subsystem* s = owner(static_cast<int>(id));
    return s && s->onTimer(id);
}

bool CommandRouter::scroll(HWND control) {
    program::Subsystem* s = owner(GetDlgCtrlID(control));
    return s && s->onScroll(control);
}

bool CommandRouter::contextMenu(HWND control, POINT screen) {
    program::Subsystem* s = owner(GetDlgCtrlID(control));
    return s && s->onContextMenu(control, screen);
}

std::optional<LRESULT> CommandRouter::ctlColor(HDC dc, HWND control) {
    program::Subsystem* s = owner(GetDlgCtrlID(control));
    return s ? s->onCtlColor(dc, control) : std::nullopt;
}

void CommandRouter::addRefreshRows(program::RefreshTable& table) const {
    for (const auto& r : routes_)
        r.subsystem->addRefreshRows(table);
}

std::vector<ACCEL> CommandRouter::shortcuts() const {
    std::vector<ACCEL> all;
    for (const auto& r : routes_)
        r.subsystem->addShortcuts(all);
    return all;
}

} // namespace quivra::app
