#include "win/lazy_combo_win.h"

#include "win/handles_win.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>

namespace quivra::win {

namespace {

// The combo box's own measures: a frame two pixels wide, the arrow button as
// wide as a scroll bar's arrow.
constexpr int kEdge = 2;
// An editable box's edit field keeps a margin of its own before the text.
constexpr int kEditMargin = 3;

// The combo-box messages: the classic ones and those of common controls 6.
bool isComboMessage(UINT msg) {
    return (msg >= CB_GETEDITSEL && msg <= CB_MSGMAX) || (msg >= CBM_FIRST && msg < CBM_FIRST + 16);
}

bool sameText(const std::wstring& a, const wchar_t* b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(),
                          static_cast<int>(a.size()), b, -1) == CSTR_EQUAL;
}

void closeTheme(HTHEME theme) noexcept {
    CloseThemeData(theme);
}
using UniqueTheme = UniqueHandle<HTHEME, NullTraits<HTHEME, closeTheme>>;

} // namespace

int closedComboHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // The height the combo box gives itself for a font.
    return 13 * tm.tmHeight / 8;
}

class LazyCombo::Face : public Window {
  public:
    explicit Face(LazyCombo& owner) : owner_(owner) {}
    bool create(HWND parent, int id, Bounds b) {
        return Window::create(
            kComboStandInClass, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, L"", b.x, b.y, b.w, b.h,
            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, CS_DBLCLKS);
    }

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void paint(HDC dc) const;
    LRESULT handOver(UINT msg, WPARAM wp, LPARAM lp);

    LazyCombo& owner_;
};

LRESULT LazyCombo::Face::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        return win::paintWindow(hwnd(), [this](HDC dc) { paint(dc); });
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_ENABLE:
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_SETFONT: {
        owner_.font_ = reinterpret_cast<HFONT>(wp);
        owner_.height_ = closedComboHeight(owner_.font_);
        // Before the first placing the height waits for it (one move less).
        if (owner_.placed_) {
            RECT r;
            GetClientRect(hwnd(), &r);
            SetWindowPos(hwnd(), nullptr, 0, 0, r.right, owner_.height_,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (lp ? 0 : SWP_NOREDRAW));
        }
        return 0;
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(owner_.font_);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_SETFOCUS:
        return handOver(msg, wp, lp);
    default: {
        bool handled = false;
        const LRESULT r = owner_.answer(msg, wp, lp, handled);
        if (handled)
            return r;
        if (isComboMessage(msg))
            return handOver(msg, wp, lp);
        return defaultProc(msg, wp, lp);
    }
    }
}

LRESULT LazyCombo::Face::handOver(UINT msg, WPARAM wp, LPARAM lp) {
    // This window goes away in make(): only locals are used after it.
    HWND combo = owner_.make();
    if (!combo || msg == WM_SETFOCUS)
        return 0;
    if (msg == WM_MOUSEWHEEL || isComboMessage(msg))
        return SendMessageW(combo, msg, wp, lp);
    // A click goes to the part of the combo box under the mouse: its edit
    // field or the box itself, which drops its list down.
    POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    HWND target = combo;
    if (HWND child = ChildWindowFromPointEx(combo, at, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
        child && child != combo) {
        MapWindowPoints(combo, child, &at, 1);
        target = child;
    }
    return SendMessageW(target, msg, wp, MAKELPARAM(at.x, at.y));
}

void LazyCombo::Face::paint(HDC dc) const {
    // Drawn as the combo box draws itself: its frame, the arrow button inside
    // the frame's right end, and the text field left of the button, one
    // pixel in.
    RECT rc;
    GetClientRect(hwnd(), &rc);
    const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
    RECT inner = rc;
    InflateRect(&inner, -kEdge, -kEdge);
    RECT button = inner;
    button.left = std::max(inner.left, inner.right - GetSystemMetrics(SM_CXVSCROLL));
    RECT field{inner.left + 1, inner.top + 1, button.left - 1, inner.bottom - 1};

    const int saved = SaveDC(dc);
    UniqueTheme theme(IsAppThemed() ? OpenThemeData(hwnd(), L"COMBOBOX") : nullptr);
    if (theme) {
        DrawThemeBackground(theme.get(), dc, 0, enabled ? CBXS_NORMAL : CBXS_DISABLED, &rc,
                            nullptr);
        DrawThemeBackground(theme.get(), dc, CP_DROPDOWNBUTTON,
                            enabled ? CBXS_NORMAL : CBXS_DISABLED, &button, nullptr);
    } else {
        RECT text{inner.left, inner.top, button.left, inner.bottom};
        FillRect(dc, &text, GetSysColorBrush(COLOR_WINDOW));
        DrawFrameControl(dc, &button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (enabled ? 0 : DFCS_INACTIVE));
        DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT);
    }
    // The parent picks the field's colours as it does for the combo box.
    SelectObject(dc, owner_.font_ ? owner_.font_ : GetStockObject(SYSTEM_FONT));
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(hwnd()), enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd())));
    if (!brush)
        brush = GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE);
    if (!enabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    FillRect(dc, &field, brush);
    const std::wstring text = owner_.shownText();
    // The list draws its text one pixel into the field; an editable box's
    // edit field keeps margins of its own.
    const bool list = owner_.kind_ == Kind::List;
    ExtTextOutW(dc, field.left + (list ? 1 : kEditMargin), field.top + (list ? 1 : 0),
                ETO_OPAQUE | ETO_CLIPPED, &field, text.c_str(), static_cast<UINT>(text.size()),
                nullptr);
    RestoreDC(dc, saved);
}

LazyCombo::LazyCombo() = default;

LazyCombo::~LazyCombo() = default;

void LazyCombo::create(HWND parent, int id, Bounds b, Kind kind, Place place) {
    kind_ = kind;
    placed_ = place == Place::Here;
    id_ = id;
    droppedHeight_ = b.h;
    face_ = std::make_unique<Face>(*this);
    height_ = closedComboHeight(nullptr);
    face_->create(parent, id, {b.x, b.y, b.w, height_});
}

HWND LazyCombo::hwnd() const noexcept {
    return combo_ ? combo_ : (face_ ? face_->hwnd() : nullptr);
}

void LazyCombo::move(int x, int y, int w, int droppedHeight) {
    if (combo_) {
        // A combo box resized while its list is down hides the list but
        // keeps the mouse captured, and the user's next click is lost: a
        // layout that leaves the box where it is does not touch it, and one
        // that moves it closes the list first.
        RECT r;
        GetWindowRect(combo_, &r);
        MapWindowPoints(nullptr, GetParent(combo_), reinterpret_cast<POINT*>(&r), 2);
        if (r.left == x && r.top == y && r.right - r.left == w && droppedHeight == droppedHeight_)
            return;
        droppedHeight_ = droppedHeight;
        if (SendMessageW(combo_, CB_GETDROPPEDSTATE, 0, 0))
            SendMessageW(combo_, CB_SHOWDROPDOWN, FALSE, 0);
        MoveWindow(combo_, x, y, w, droppedHeight, TRUE);
        return;
    }
    droppedHeight_ = droppedHeight;
    placed_ = true;
    MoveWindow(face_->hwnd(), x, y, w, height_, TRUE);
}

HWND LazyCombo::make() {
    if (combo_ || !face_ || !face_->hwnd())
        return combo_;
    HWND face = face_->hwnd();
    HWND parent = GetParent(face);
    RECT r;
    GetWindowRect(face, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    const auto faceStyle = static_cast<DWORD>(GetWindowLongPtrW(face, GWL_STYLE));
    const DWORD style = (faceStyle & (WS_VISIBLE | WS_DISABLED)) | WS_CHILD | WS_TABSTOP |
                        WS_VSCROLL |
                        (kind_ == Kind::List ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL);
    HWND combo = CreateWindowExW(
        0, WC_COMBOBOXW, L"", style, r.left, r.top, r.right - r.left, droppedHeight_, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr), nullptr);
    if (!combo)
        return nullptr;
    SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    const ComboBox box(combo);
    if (minVisible_ > 0)
        box.setMinVisible(minVisible_);
    box.reserve(items_.size());
    for (const auto& item : items_)
        box.add(item.c_str());
    box.select(selected_);
    if (kind_ == Kind::Editable)
        SetWindowTextW(combo, text_.c_str());
    // Same place in the tab order, and the same look: without visual styles
    // when the stand-in had them switched off.
    SetWindowPos(combo, face, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (IsAppThemed() && !UniqueTheme(OpenThemeData(face, L"COMBOBOX")))
        SetWindowTheme(combo, L"", L"");
    combo_ = combo;
    items_.clear();
    items_.shrink_to_fit();
    text_.clear();
    if (GetFocus() == face)
        SetFocus(combo);
    DestroyWindow(face);
    if (onMade)
        onMade(combo);
    return combo;
}

std::wstring LazyCombo::shownText() const {
    if (kind_ == Kind::Editable)
        return text_;
    return selected_ >= 0 && selected_ < static_cast<int>(items_.size())
               ? items_[static_cast<std::size_t>(selected_)]
               : std::wstring();
}

LRESULT LazyCombo::answer(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    handled = true;
    const int count = static_cast<int>(items_.size());
    const auto index = static_cast<int>(static_cast<INT_PTR>(wp));
    const auto valid = [&](int i) { return i >= 0 && i < count; };
    const auto repaint = [this] { InvalidateRect(face_->hwnd(), nullptr, FALSE); };
    switch (msg) {
    case CB_RESETCONTENT:
        items_.clear();
        selected_ = -1;
        if (kind_ == Kind::Editable)
            text_.clear();
        repaint();
        return CB_OKAY;
    case CB_INITSTORAGE:
        items_.reserve(wp);
        return static_cast<LRESULT>(std::max(wp, items_.capacity()));
    case CB_ADDSTRING:
        items_.emplace_back(reinterpret_cast<const wchar_t*>(lp));
        return count;
    case CB_GETCOUNT:
        return count;
    case CB_GETCURSEL:
        return selected_;
    case CB_SETCURSEL:
        selected_ = valid(index) ? index : -1;
        if (kind_ == Kind::Editable)
            text_ = selected_ >= 0 ? items_[static_cast<std::size_t>(selected_)] : std::wstring();
        repaint();
        return valid(index) ? index : CB_ERR;
    case CB_GETLBTEXTLEN:
        return valid(index) ? static_cast<LRESULT>(items_[static_cast<std::size_t>(index)].size())
                            : CB_ERR;
    case CB_GETLBTEXT: {
        if (!valid(index))
            return CB_ERR;
        const auto& item = items_[static_cast<std::size_t>(index)];
        std::copy(item.begin(), item.end(), reinterpret_cast<wchar_t*>(lp));
        reinterpret_cast<wchar_t*>(lp)[item.size()] = L'\0';
        return static_cast<LRESULT>(item.size());
    }
    case CB_FINDSTRINGEXACT: {
        // From the item after `wp` round to it, as the list searches.
        const int from = valid(index) ? index + 1 : 0;
        for (int k = 0; k < count; ++k) {
            const int i = (from + k) % count;
            if (sameText(items_[static_cast<std::size_t>(i)], reinterpret_cast<const wchar_t*>(lp)))
                return i;
        }
        return CB_ERR;
    }
    case CB_GETDROPPEDSTATE:
        return FALSE;
    case CB_SETMINVISIBLE:
        minVisible_ = index;
        return TRUE;
    case CB_GETMINVISIBLE:
        return minVisible_ > 0 ? minVisible_ : 30;
    case WM_SETTEXT:
        if (kind_ == Kind::List) {
            handled = false;
            return 0;
        }
        text_ = lp ? reinterpret_cast<const wchar_t*>(lp) : L"";
        repaint();
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(shownText().size());
    case WM_GETTEXT: {
        if (wp == 0)
            return 0;
        const std::wstring text = shownText();
        const std::size_t n = std::min<std::size_t>(text.size(), wp - 1);
        std::copy_n(text.begin(), n, reinterpret_cast<wchar_t*>(lp));
        reinterpret_cast<wchar_t*>(lp)[n] = L'\0';
        return static_cast<LRESULT>(n);
    }
    default:
        handled = false;
        return 0;
    }
}

} // namespace quivra::win
