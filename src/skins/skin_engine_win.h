// The skin engine: paints the program's windows and controls in the colours
// of a skin file, or leaves them in the platform's own look.
//
// The engine holds at most one loaded skin and an on/off switch; it paints with
// the skin only while both are there (isActive). Windows take part through
// the hooks below: their WM_CTLCOLOR*, WM_ERASEBKGND, WM_DRAWITEM and
// NM_CUSTOMDRAW handlers ask the engine first and fall back to the default
// when it declines. What the colour messages cannot reach (the rich-text
// editor's background, themed controls, list and tree views, page tabs) is
// set by applyTo, which the owner calls for each top-level window after the
// skin or the switch changed and for windows created later.
//
// Nothing here re-creates a control or touches the text, formatting or
// modified flag of an editor: a change of skin only changes how things look.
#pragma once

#include "skins/skin.h"
#include "win/handles_win.h"

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace quivra::skins {

class SkinEngine {
  public:
    SkinEngine() = default;
    ~SkinEngine();
    SkinEngine(const SkinEngine&) = delete;
    SkinEngine& operator=(const SkinEngine&) = delete;

    // The folder the skin files are read from.
    void setFolder(std::wstring folder);
    const std::wstring& folder() const noexcept { return folder_; }
    // The skins found in the folder, sorted ignoring letter case.
    std::vector<std::wstring> skinNames() const;

    // Loads "<folder>\<name>.asz". An empty or unknown name, or a file that is
    // not a valid skin, leaves the engine without a skin (the platform's look);
    // that is not an error. Returns whether a skin was loaded.
    bool setSkin(std::wstring name);
    // The loaded skin's name; empty when none is loaded.
    const std::wstring& skinName() const noexcept { return skinName_; }

    // The switch: off means the platform's look whatever skin is loaded.
    void setActive(bool active) noexcept { active_ = active; }
    // True while the engine paints with a skin: switched on, a skin loaded
    // and the system not in high contrast.
    bool isActive() const;
    // The colours in force; nothing while inactive.
    std::optional<SkinColors> colors() const;

    // For WM_CTLCOLORSTATIC/EDIT/LISTBOX/BTN/DLG sent by `control`: sets the
    // DC's text and background colours and returns the brush to answer with;
    // nothing while inactive (the caller then does the default).
    std::optional<LRESULT> handleCtlColor(UINT msg, HDC dc, HWND control) const;

    // For WM_ERASEBKGND of a window or panel: fills its client area with the
    // skin's window colour. False while inactive, leaving it to the caller.
    bool eraseBackground(HWND hwnd, HDC dc) const;

    // Brings `top` and every window under it to the current look: editor
    // backgrounds, list and tree view colours, visual styles of the controls
    // whose colours a theme would override, painting of tab controls; then
    // redraws the whole tree. Call it after setSkin/setActive.
    void applyTo(HWND top);

    // WM_DRAWITEM of a tab control created with TCS_OWNERDRAWFIXED: paints the
    // tab in the skin's colours, or like the platform's own tab while inactive.
    // False when the item is not a tab.
    bool drawTabItem(const DRAWITEMSTRUCT& item) const;

    // WM_DRAWITEM of a BS_OWNERDRAW button: paints it in the skin's colours, or
    // like the platform's own push button while inactive. False when the item
    // is not a button.
    bool drawButton(const DRAWITEMSTRUCT& item) const;

    // NM_CUSTOMDRAW from a push button: paints it in the skin's colours and
    // returns the answer for the notification; nothing while inactive or for
    // other controls and drawing stages.
    std::optional<LRESULT> handleCustomDraw(const NMHDR* header) const;

  private:
    struct ButtonLook;
    void paintButton(HDC dc, const RECT& rect, HWND button, const ButtonLook& look) const;
    void paintTabControl(HWND tabs, HDC dc) const;
    // `framed`: the engine draws the tab's edges too (not when the tab
    // control has drawn them).
    void paintTab(HDC dc, RECT rect, const std::wstring& text, HFONT font, bool selected,
                  bool bottom, int dpi, bool framed) const;
    void applyToOne(HWND hwnd);
    static LRESULT CALLBACK tabSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                            DWORD_PTR self);

    std::wstring folder_;
    std::wstring skinName_;
    std::optional<SkinColors> colors_;
    bool active_ = false;
    win::UniqueBrush windowBrush_;
    win::UniqueBrush controlBrush_;
    // Tab controls this engine paints; its subclass is removed from each
    // when the control or the engine goes away.
    std::vector<HWND> tabControls_;
};

// The program's one engine.
SkinEngine& skinEngine();

// Switches to the named skin (none: the program's own look) and colours the
// window tree of root anew. Only colours change: controls keep their text,
// formats and state. Without a skin before and after, nothing is touched.
void switchSkin(const std::wstring& name, HWND root);

// After the system's colours or settings changed (WM_SYSCOLORCHANGE,
// WM_SETTINGCHANGE): with high contrast switched on the skin gives way to the
// system's colours, and comes back when it is switched off; the window tree
// of root is coloured and painted anew.
void followSystemColours(HWND root, bool coloursChanged);

} // namespace quivra::skins
