// A combo box made when it is first used. A combo box is the costliest
// control the window shows: under Wine making one, giving it a font and
// placing it takes about 15 ms, because its drop-down list is a window of the
// desktop. Until it is needed a light window of the same identifier, place
// and look stands in for it: it keeps a copy of the items, the selection and
// the text and answers the combo-box messages the program sends (items,
// selection, text, dropped state). The first click, wheel turn, focus or any
// other combo-box message makes the real control, fills it from that copy
// and hands over; from then on the real control is all there is.
//
// Code that keeps the window's handle must ask `hwnd()` each time: the handle
// changes once, when the real control is made.
#pragma once

#include "win/combo_box_win.h"
#include "win/controls_win.h"
#include "win/window_win.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quivra::win {

class LazyCombo {
  public:
    enum class Kind {
        List,    // a drop-down list (CBS_DROPDOWNLIST)
        Editable // a drop-down box whose edit field takes text of any length
    };

    LazyCombo();
    ~LazyCombo();
    LazyCombo(const LazyCombo&) = delete;
    LazyCombo& operator=(const LazyCombo&) = delete;

    // Whether the box stays where it is made, or a layout places it (move)
    // once its font is given.
    enum class Place { Here, ByLayout };
    // `b.h` is the height of the dropped list, as for a combo box; the
    // window itself is as tall as its font makes a closed combo box.
    void create(HWND parent, int id, Bounds b, Kind kind, Place place = Place::ByLayout);
    // The stand-in or, once made, the combo box.
    HWND hwnd() const noexcept;
    // The items and selection of either, through the combo-box messages.
    ComboBox box() const noexcept { return ComboBox(hwnd()); }
    bool made() const noexcept { return combo_ != nullptr; }
    // Makes the combo box now (if not yet) and returns it.
    HWND make();
    // Places the window as MoveWindow places a combo box; the stand-in takes
    // the height a closed combo box has with its font.
    void move(int x, int y, int w, int droppedHeight);
    // Called with the combo box once it is made, for handlers and hints to
    // be laid over it.
    std::function<void(HWND combo)> onMade;

    class Face;

  private:
    friend class Face;
    // The item shown in the closed box: the selected item, or for an
    // editable box its text.
    std::wstring shownText() const;
    LRESULT answer(UINT msg, WPARAM wp, LPARAM lp, bool& handled);

    Kind kind_ = Kind::List;
    int id_ = 0;
    int droppedHeight_ = 0;
    HWND combo_ = nullptr; // destroyed with its parent
    std::unique_ptr<Face> face_;
    // The stand-in's copy of the combo box's contents.
    std::vector<std::wstring> items_;
    int selected_ = -1;
    int minVisible_ = 0;
    std::wstring text_; // an editable box's text
    HFONT font_ = nullptr;
    int height_ = 0;      // the stand-in's: a closed combo box's for the font
    bool placed_ = false; // moved into place at least once
};

// The window class of the stand-in. It takes colours and visual styles as a
// combo box does; the combo box it makes draws without visual styles when
// the stand-in had them switched off (SetWindowTheme with empty names).
inline constexpr const wchar_t* kComboStandInClass = L"QuivraComboFace";

// Height of a closed combo box whose font is `font`, in pixels.
int closedComboHeight(HFONT font);

} // namespace quivra::win
