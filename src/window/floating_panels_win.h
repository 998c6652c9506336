// The small panels that float over the notes page instead of dialog windows
// (font, name, confirmation and password panels). Each subsystem owns its
// panel's controls; this piece gives every panel the same behaviour: it
// opens at its fixed or default place, the user drags it by its background
// or its labels, its context menu fixes or resets the places of the panels on
// the screen, and open panels go back to their default places after the main
// window has been moved or resized.
#pragma once

#include "program/program_state.h"
#include "win/panel_win.h"
#include "window/panel_drag.h"
#include "window/panel_places.h"

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace quivra::window {

enum class MouseButton { Left, Middle, Right };
// The button a press (down or double click) is of; none for other messages.
std::optional<MouseButton> pressedButton(UINT msg);

// One floating panel. Its owner creates it and its controls, and hides it
// when it is done (or when the keyboard focus leaves it). An owner may
// register its panel before making it: until then the panel counts as hidden
// and the context menu, the coordinate reset and the re-placing after a
// resize pass it by.
class FloatingPanelWindow : public win::Panel {
  public:
    explicit FloatingPanelWindow(FloatingPanel kind) : kind_(kind) {}
    // A bordered child of `area` (the notes page or the editor area) of the
    // panel's size at the window's DPI, hidden.
    bool create(HWND area, HWND notifyTarget, int id, int dpi);
    FloatingPanel kind() const noexcept { return kind_; }
    // Labels of the panel that start a drag like its background does.
    void addDragHandle(HWND control);
    // Run when a mouse button goes down on the panel's background or a drag
    // handle: the owner's handler starts the drag.
    std::function<void(MouseButton)> onMouseDown;
    // The panel follows the mouse inside its area while the button is held.
    // The left button runs the platform's move loop. That loop ends only when
    // the left button is released, so the other two drag by hand; a right
    // release that follows no move beyond the drag threshold opens the
    // context menu at the release point. Nothing is stored either way.
    void startDrag(MouseButton button);
    bool shown() const;
    Point place() const;
    Size size() const;
    void moveTo(Point place);

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    // `released`: by its button (a right click then opens the menu), not
    // because another window took the mouse or another drag began.
    void endHandDrag(bool released);

    struct HandDrag {
        MouseButton button;
        PanelDrag drag;
    };
    FloatingPanel kind_;
    std::optional<HandDrag> handDrag_;
};

class FloatingPanels {
  public:
    // `areas` gives the sizes of the notes page and the editor.
    FloatingPanels(program::ProgramState& state, std::function<PanelAreas()> areas)
        : state_(state), areas_(std::move(areas)) {}
    // `menuOwner` receives the context menu's commands `fixCommand` and
    // `resetCommand`.
    void create(HWND menuOwner, int fixCommand, int resetCommand);

    void add(FloatingPanelWindow& panel);
    // Moves the panel to where its opener puts it and shows it on top.
    void open(FloatingPanelWindow& panel, PasswordUse use = PasswordUse::EncryptOrDecrypt);
    // The place without the stored keys (the formatting-reset warning).
    void openAtDefault(FloatingPanelWindow& panel);

    // The context menu, when `window` lies in one of the panels.
    bool showMenuFor(HWND window, POINT screen);
    // "Фиксация координат" and "Сброс координат".
    void A2Click();
    void N44Click();
    // After the main window was moved or resized.
    void placeAfterResize();
    HMENU menu() const noexcept { return pmWindMenu.get(); }

  private:
    ShownPanels shownPlaces() const;
    void apply(const std::vector<PanelMove>& moves);
    FloatingPanelWindow* panelOf(FloatingPanel kind) const;

    program::ProgramState& state_;
    std::function<PanelAreas()> areas_;
    std::vector<FloatingPanelWindow*> panels_;
    HWND menuOwner_ = nullptr;
    win::UniqueMenu pmWindMenu;
};

} // namespace quivra::window
