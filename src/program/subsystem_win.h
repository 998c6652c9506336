// How a subsystem of the main window meets it. The main window composes the
// subsystems; each owns its controls, its block of identifiers (id_blocks.h)
// and its rows of the 50 ms refresh, and receives what arrives for its
// identifiers through the router. What only the main window can do, a
// subsystem asks of the host.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace quivra::program {

class RefreshTable;

// The notification code of WM_COMMAND for a command reached by a keyboard
// shortcut (an accelerator).
inline constexpr int kFromShortcut = 1;

// What a subsystem receives. Each call answers whether the subsystem took
// the message; the router only calls it for identifiers of its block.
class Subsystem {
  public:
    virtual ~Subsystem() = default;
    // WM_COMMAND of a control or menu item (code 1: from a shortcut).
    virtual bool onCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool onNotify(NMHDR& /*hdr*/, LRESULT& /*result*/) { return false; }
    virtual bool onDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool onMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }
    virtual bool onTimer(UINT_PTR /*id*/) { return false; }
    // WM_HSCROLL of a slider, WM_CONTEXTMENU over a control.
    virtual bool onScroll(HWND /*control*/) { return false; }
    virtual bool onContextMenu(HWND /*control*/, POINT /*screen*/) { return false; }
    // WM_CTLCOLOR* of a control: its own colours (a message in red, say);
    // nothing leaves the control to the skin.
    virtual std::optional<LRESULT> onCtlColor(HDC /*dc*/, HWND /*control*/) { return std::nullopt; }
    // The subsystem's rows of the 50 ms refresh.
    virtual void addRefreshRows(program::RefreshTable& /*table*/) {}
    // The subsystem's keyboard shortcuts; each command of a shortcut has a
    // menu item (menuOf) whose enabled state decides whether it runs.
    virtual void addShortcuts(std::vector<ACCEL>& /*shortcuts*/) {}
    // The menu holding the item of a command, null when it has none.
    virtual HMENU menuOf(int /*id*/) const { return nullptr; }
};

// The pages of the main window.
enum class Page { Notes = 0, Settings = 1, Help = 2, About = 3 };

// What a subsystem may ask of the main window.
class Host {
  public:
    virtual ~Host() = default;
    virtual HWND mainWindow() const = 0;
    // A size designed at 96 DPI, scaled to the window's DPI. The settings
    // file keeps sizes and places designed: `unscale` turns a length of the
    // window back into what is stored.
    virtual int scale(int designed) const = 0;
    virtual int unscale(int device) const = 0;
    virtual Page activePage() const = 0;
    virtual void showPage(Page page) = 0;
    // A hint shown when the mouse rests on the control.
    virtual void addHint(HWND control, const wchar_t* text) = 0;
    // A hint shown when the mouse rests on an area of a window (a part the
    // window draws itself); `id` tells the window's areas apart.
    virtual void addHint(HWND window, UINT id, const RECT& area, const wchar_t* text) = 0;
    // Controls made after start-up get the window's font (and its skin), the
    // root and every control inside it. (A rich-edit control holding text
    // would take the font for all its text: give it only while empty.)
    virtual void giveFont(HWND root) = 0;
    // Lays the editor area out again after one of its parts changed size or
    // visibility.
    virtual void relayoutEditorArea() = 0;
    // Stops and restarts the 50 ms refresh (with its auto-hide) around a
    // modal dialog, so the window does not hide behind its own dialog.
    virtual void pauseRefresh() = 0;
    virtual void resumeRefresh() = 0;
};

} // namespace quivra::program
