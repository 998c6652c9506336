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
#include "window/panel_places.h"

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

namespace quivra::window {

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
    // The platform's move loop: the panel follows the mouse inside its area.
    void startDrag();
    bool shown() const;
    Point place() const;
    Size size() const;
    void moveTo(Point place);

  private:
    FloatingPanel kind_;
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
