// What a screen reader learns of a window the standard objects cannot
// describe: its name and role, and the items drawn on it that are no windows
// of their own (the buttons of a button bar). The window answers
// WM_GETOBJECT for its client object with an object made from an
// AccessibleSource; a screen reader in another process reads it through the
// marshalled interface. Whatever the source leaves open (parent, focus,
// keyboard navigation between windows) comes from the window's standard
// object.
#pragma once

#include "win/subclass_win.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace quivra::win {

// One item drawn on a window, as a screen reader is told it.
struct AccessibleItem {
    std::wstring name;
    std::wstring description;
    std::wstring defaultAction; // empty: the item has none
    long role = 0;              // ROLE_SYSTEM_*
    long state = 0;             // STATE_SYSTEM_*
    RECT place{};               // in the window's client coordinates
};

class AccessibleSource {
  public:
    // Empty: the standard object's name (the window's text).
    virtual std::wstring accessibleName() const = 0;
    // 0: the standard object's role.
    virtual long accessibleRole() const { return 0; }
    // The items, child ids 1..count in their order.
    virtual int accessibleItemCount() const { return 0; }
    virtual AccessibleItem accessibleItem(int /*index*/) const { return {}; }
    // Runs the item's default action later, on the window's own thread: the
    // screen reader's call returns first.
    virtual void accessibleDoDefault(int /*index*/) {}

  protected:
    ~AccessibleSource() = default;
};

// Answers WM_GETOBJECT for a window's client object. The object handed out
// may outlive this answerer in a screen reader's hands: from then on it says
// that its window is gone.
class AccessibleAnswer {
  public:
    AccessibleAnswer() = default;
    ~AccessibleAnswer();
    AccessibleAnswer(const AccessibleAnswer&) = delete;
    AccessibleAnswer& operator=(const AccessibleAnswer&) = delete;

    // The answer to WM_GETOBJECT, or nothing for the other objects.
    std::optional<LRESULT> answer(HWND hwnd, WPARAM wp, LPARAM lp, AccessibleSource& source);
    // Cuts the object off its source (the window is being destroyed).
    void release();

    class Object;

  private:
    Object* object_ = nullptr; // one reference, held until release
};

// A name for a control whose text names nothing (an edit box beside its
// label, a box with a placeholder): the control's standard object with this
// name instead. The name is asked for each time a screen reader asks.
class AccessibleName final : private AccessibleSource {
  public:
    AccessibleName() = default;
    ~AccessibleName();
    AccessibleName(const AccessibleName&) = delete;
    AccessibleName& operator=(const AccessibleName&) = delete;

    void attach(HWND control, std::function<std::wstring()> name);
    void attach(HWND control, std::wstring name);
    HWND control() const noexcept { return subclass_.control(); }

  private:
    std::wstring accessibleName() const override;

    std::function<std::wstring()> name_;
    AccessibleAnswer answer_;
    Subclass subclass_;
};

// Names a control for a screen reader for as long as it lives, replacing a
// name given before; the name is asked for each time a screen reader asks.
void nameControl(HWND control, std::function<std::wstring()> name);
bool hasControlName(HWND control);
// Names each edit box, combo box, list, slider and hotkey field among the
// children of `parent` that has no name yet by the label right before it
// (a static text, a check box or a radio button), as the user reads the
// page: "Положение:" names the combo box after it. The label's text is read
// when a screen reader asks, so it is written in one place.
void nameByLabels(HWND parent);

// A hint's first line names what it hints at; the lines after it describe it.
struct HintParts {
    std::wstring name;
    std::wstring description;
};
HintParts splitHint(const std::wstring& hint);

} // namespace quivra::win
