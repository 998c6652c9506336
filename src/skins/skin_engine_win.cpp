#include "skins/skin_engine_win.h"

#include "document/rich_edit_win.h"

#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/high_contrast_win.h"
#include "win/lazy_combo_win.h"
#include "win/wide_win.h"

#include <richedit.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <array>
#include <filesystem>

namespace quivra::skins {

namespace {

constexpr UINT_PTR kTabSubclassId = 0x51AB;

enum class Kind {
    Other,
    Edit,
    ListBox,
    ComboBox,
    Button,
    RichEdit,
    Tab,
    Trackbar,
    ListView,
    TreeView
};

Kind kindOf(HWND hwnd) {
    std::array<wchar_t, 64> name{};
    const int len = GetClassNameW(hwnd, name.data(), static_cast<int>(name.size()));
    if (len <= 0)
        return Kind::Other;
    const auto is = [&](const wchar_t* want, int wantLen = -1) {
        const int n = wantLen < 0 ? lstrlenW(want) : wantLen;
        return (wantLen < 0 ? len == n : len >= n) &&
               CompareStringOrdinal(name.data(), n, want, n, TRUE) == CSTR_EQUAL;
    };
    // Every rich-text class (RichEdit20W, RICHEDIT50W, ...) shares the prefix.
    if (is(L"RichEdit", 8))
        return Kind::RichEdit;
    if (is(L"Edit"))
        return Kind::Edit;
    if (is(L"ListBox") || is(L"ComboLBox"))
        return Kind::ListBox;
    if (is(L"ComboBox") || is(win::kComboStandInClass))
        return Kind::ComboBox;
    if (is(L"Button"))
        return Kind::Button;
    if (is(WC_TABCONTROLW))
        return Kind::Tab;
    if (is(TRACKBAR_CLASSW))
        return Kind::Trackbar;
    if (is(WC_LISTVIEWW))
        return Kind::ListView;
    if (is(WC_TREEVIEWW))
        return Kind::TreeView;
    return Kind::Other;
}

bool isPushButton(HWND hwnd) {
    if (kindOf(hwnd) != Kind::Button)
        return false;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const DWORD type = style & BS_TYPEMASK;
    // Picture buttons keep their own drawing.
    return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && !(style & (BS_BITMAP | BS_ICON));
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Fills the band of `width` pixels inside each of the chosen edges of r.
void edges(HDC dc, const RECT& r, int width, COLORREF colour, bool left, bool top, bool right,
           bool bottom) {
    if (left)
        fill(dc, {r.left, r.top, r.left + width, r.bottom}, colour);
    if (right)
        fill(dc, {r.right - width, r.top, r.right, r.bottom}, colour);
    if (top)
        fill(dc, {r.left, r.top, r.right, r.top + width}, colour);
    if (bottom)
        fill(dc, {r.left, r.bottom - width, r.right, r.bottom}, colour);
}

std::wstring tabText(HWND tabs, int index) {
    std::array<wchar_t, 256> buf{};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf.data();
    item.cchTextMax = static_cast<int>(buf.size());
    if (!SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item)))
        return {};
    return item.pszText ? std::wstring(item.pszText) : std::wstring();
}

HFONT fontOf(HWND hwnd) {
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)))
        return font;
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void closeTheme(HTHEME theme) noexcept {
    CloseThemeData(theme);
}
using UniqueTheme = win::UniqueHandle<HTHEME, win::NullTraits<HTHEME, closeTheme>>;

bool hidesFocus(HWND hwnd) {
    return SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS;
}
bool hidesAccelerators(HWND hwnd) {
    return SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL;
}

// Selects a font into a DC for the lifetime of the object.
class FontSelection {
  public:
    FontSelection(HDC dc, HFONT font) : dc_(dc), old_(SelectObject(dc, font)) {}
    ~FontSelection() { SelectObject(dc_, old_); }
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// Text centred in r, on one line unless `multiline`.
void centredText(HDC dc, RECT r, const std::wstring& text, COLORREF colour, bool multiline,
                 bool hidePrefix) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    UINT format = DT_CENTER | (hidePrefix ? DT_HIDEPREFIX : 0u);
    if (multiline) {
        RECT measured = r;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
                  format | DT_WORDBREAK | DT_CALCRECT);
        const int height = measured.bottom - measured.top;
        r.top += std::max(0L, (r.bottom - r.top - height) / 2);
        format |= DT_WORDBREAK;
    } else {
        format |= DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

} // namespace

struct SkinEngine::ButtonLook {
    bool pressed = false;
    bool focused = false;
    bool disabled = false;
    bool isDefault = false;
    bool hot = false;
};

SkinEngine::~SkinEngine() {
    for (HWND tabs : tabControls_)
        if (IsWindow(tabs))
            RemoveWindowSubclass(tabs, &SkinEngine::tabSubclassProc, kTabSubclassId);
}

void SkinEngine::setFolder(std::wstring folder) {
    folder_ = std::move(folder);
}

std::vector<std::wstring> SkinEngine::skinNames() const {
    std::vector<std::wstring> names;
    for (const std::u16string& name : listSkinNames(std::filesystem::path(folder_)))
        names.push_back(win::toWide(name));
    return names;
}

bool SkinEngine::setSkin(std::wstring name) {
    colors_.reset();
    skinName_.clear();
    windowBrush_.reset();
    controlBrush_.reset();
    // A name is a file name in the skin folder, never a path.
    if (name.empty() || name.find_first_of(L"\\/:") != std::wstring::npos)
        return false;
    auto loaded = loadSkin(std::filesystem::path(folder_) / (name + win::toWide(kSkinExtension)));
    if (!loaded)
        return false;
    windowBrush_.reset(CreateSolidBrush(loaded->window));
    controlBrush_.reset(CreateSolidBrush(loaded->control));
    colors_ = *loaded;
    skinName_ = std::move(name);
    return true;
}

bool SkinEngine::isActive() const {
    return active_ && colors_.has_value() && !win::highContrast();
}

std::optional<SkinColors> SkinEngine::colors() const {
    if (!isActive())
        return std::nullopt;
    return colors_;
}

std::optional<LRESULT> SkinEngine::handleCtlColor(UINT msg, HDC dc, HWND control) const {
    if (!isActive())
        return std::nullopt;
    bool controlColours = false;
    switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        controlColours = true;
        break;
    case WM_CTLCOLORSTATIC: {
        // Read-only and disabled edits, lists and combo boxes ask with this
        // message too; they keep the colours of their enabled state.
        const Kind kind = kindOf(control);
        controlColours = kind == Kind::Edit || kind == Kind::ListBox || kind == Kind::ComboBox;
        break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        break;
    default:
        return std::nullopt;
    }
    const SkinColors& c = *colors_;
    SetTextColor(dc, controlColours ? c.controlText : c.text);
    SetBkColor(dc, controlColours ? c.control : c.window);
    HBRUSH brush = controlColours ? controlBrush_.get() : windowBrush_.get();
    return reinterpret_cast<LRESULT>(brush);
}

bool SkinEngine::eraseBackground(HWND hwnd, HDC dc) const {
    if (!isActive())
        return false;
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(dc, &rc, windowBrush_.get());
    return true;
}

void SkinEngine::applyTo(HWND top) {
    if (!top || !IsWindow(top))
        return;
    applyToOne(top);
    EnumChildWindows(
        top,
        [](HWND child, LPARAM self) -> BOOL {
            reinterpret_cast<SkinEngine*>(self)->applyToOne(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
    RedrawWindow(top, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

void SkinEngine::applyToOne(HWND hwnd) {
    const bool on = isActive();
    switch (kindOf(hwnd)) {
    case Kind::RichEdit:
        // Only the control's background; the text and its formats stay.
        document::RichEdit::setBackground(hwnd, on ? std::optional<COLORREF>(colors_->editor)
                                                   : std::nullopt);
        break;
    case Kind::ListView: {
        const COLORREF back = on ? colors_->control : GetSysColor(COLOR_WINDOW);
        const COLORREF text = on ? colors_->controlText : GetSysColor(COLOR_WINDOWTEXT);
        ListView_SetBkColor(hwnd, back);
        ListView_SetTextBkColor(hwnd, back);
        ListView_SetTextColor(hwnd, text);
        break;
    }
    case Kind::TreeView:
        // -1 returns a tree view to the system colours.
        TreeView_SetBkColor(hwnd, on ? colors_->control : static_cast<COLORREF>(-1));
        TreeView_SetTextColor(hwnd, on ? colors_->controlText : static_cast<COLORREF>(-1));
        break;
    case Kind::Tab:
        if (on && std::find(tabControls_.begin(), tabControls_.end(), hwnd) == tabControls_.end() &&
            SetWindowSubclass(hwnd, &SkinEngine::tabSubclassProc, kTabSubclassId,
                              reinterpret_cast<DWORD_PTR>(this)))
            tabControls_.push_back(hwnd);
        [[fallthrough]];
    case Kind::Button:
    case Kind::ComboBox:
    case Kind::Trackbar:
        // A visual style draws these in its own colours whatever WM_CTLCOLOR
        // answers; without one they use the colours the engine hands out.
        if (on)
            SetWindowTheme(hwnd, L"", L"");
        else
            SetWindowTheme(hwnd, nullptr, nullptr);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK SkinEngine::tabSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                             DWORD_PTR ref) {
    auto* self = reinterpret_cast<SkinEngine*>(ref);
    switch (msg) {
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &SkinEngine::tabSubclassProc, id);
        std::erase(self->tabControls_, hwnd);
        break;
    case WM_ERASEBKGND:
        if (self->isActive())
            return 1; // WM_PAINT covers every pixel
        break;
    case WM_PAINT:
        if (self->isActive()) {
            if (wp) {
                self->paintTabControl(hwnd, reinterpret_cast<HDC>(wp));
            } else {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(hwnd, &ps);
                self->paintTabControl(hwnd, dc);
                EndPaint(hwnd, &ps);
            }
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (self->isActive()) {
            self->paintTabControl(hwnd, reinterpret_cast<HDC>(wp));
            return 0;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void SkinEngine::paintTabControl(HWND tabs, HDC dc) const {
    const SkinColors& c = *colors_;
    const int dpi = static_cast<int>(win::dpiForWindow(tabs));
    const int px = std::max(1, win::scale(1, static_cast<UINT>(dpi)));
    const bool bottom = GetWindowLongPtrW(tabs, GWL_STYLE) & TCS_BOTTOM;
    const COLORREF frame = mixColors(c.window, c.text, 70);

    // The pages lying on the control paint themselves.
    const int saved = SaveDC(dc);
    for (HWND child = GetWindow(tabs, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }

    RECT client;
    GetClientRect(tabs, &client);
    fill(dc, client, c.window);

    const int count = TabCtrl_GetItemCount(tabs);
    const int selected = TabCtrl_GetCurSel(tabs);
    // The edge between the row of tabs and the page area.
    RECT page = client;
    TabCtrl_AdjustRect(tabs, FALSE, &page);
    LONG rowEdge = bottom ? page.bottom : page.top;
    for (int i = 0; i < count; ++i) {
        RECT r;
        if (TabCtrl_GetItemRect(tabs, i, &r))
            rowEdge = bottom ? std::min(rowEdge, r.top) : std::max(rowEdge, r.bottom);
    }
    RECT frameRect = client;
    (bottom ? frameRect.bottom : frameRect.top) = rowEdge;
    edges(dc, frameRect, px, frame, true, true, true, true);

    const HFONT font = fontOf(tabs);
    for (int i = 0; i < count; ++i) {
        RECT r;
        if (!TabCtrl_GetItemRect(tabs, i, &r))
            continue;
        const bool isSelected = i == selected;
        // The selected tab stands out by two pixels and opens into the page.
        if (isSelected) {
            InflateRect(&r, px, 0);
            if (bottom) {
                r.top = rowEdge - px;
                r.bottom += 2 * px;
            } else {
                r.top -= 2 * px;
                r.bottom = rowEdge + px;
            }
        } else {
            (bottom ? r.top : r.bottom) = rowEdge;
        }
        paintTab(dc, r, tabText(tabs, i), font, isSelected, bottom, dpi, true);
        if (isSelected && GetFocus() == tabs && !hidesFocus(tabs)) {
            RECT focus = r;
            InflateRect(&focus, -3 * px, -3 * px);
            SetTextColor(dc, c.tabText);
            SetBkColor(dc, c.tabActive);
            DrawFocusRect(dc, &focus);
        }
    }
    RestoreDC(dc, saved);
}

void SkinEngine::paintTab(HDC dc, RECT r, const std::wstring& text, HFONT font, bool selected,
                          bool bottom, int dpi, bool framed) const {
    const SkinColors& c = *colors_;
    const int px = std::max(1, win::scale(1, static_cast<UINT>(dpi)));
    fill(dc, r, selected ? c.tabActive : c.tab);
    if (framed) {
        const COLORREF frame = mixColors(c.window, c.text, 70);
        edges(dc, r, px, frame, true, !bottom, true, bottom);
    }
    if (selected) {
        RECT bar = r;
        if (framed)
            InflateRect(&bar, -px, 0);
        if (bottom)
            bar.top = bar.bottom - 2 * px - (framed ? px : 0);
        else
            bar.bottom = bar.top + 2 * px + (framed ? px : 0);
        fill(dc, bar, c.accent);
    }
    const FontSelection selection(dc, font);
    RECT textRect = r;
    InflateRect(&textRect, -2 * px, 0);
    if (bottom)
        textRect.top += px;
    else
        textRect.bottom -= px;
    centredText(dc, textRect, text, selected ? c.tabText : mixColors(c.tabText, c.tab, 60), false,
                true);
}

bool SkinEngine::drawTabItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_TAB)
        return false;
    const std::wstring text = tabText(item.hwndItem, static_cast<int>(item.itemID));
    const bool selected = item.itemState & ODS_SELECTED;
    const HFONT font = fontOf(item.hwndItem);
    if (isActive()) {
        const bool bottom = GetWindowLongPtrW(item.hwndItem, GWL_STYLE) & TCS_BOTTOM;
        paintTab(item.hDC, item.rcItem, text, font, selected, bottom,
                 static_cast<int>(win::dpiForWindow(item.hwndItem)), false);
        return true;
    }
    // The platform's look: the control draws the tab's edges, the item is the
    // face with its caption.
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const FontSelection selection(item.hDC, font);
    centredText(item.hDC, item.rcItem, text, GetSysColor(COLOR_BTNTEXT), false, true);
    return true;
}

void SkinEngine::paintButton(HDC dc, const RECT& rect, HWND button, const ButtonLook& look) const {
    const SkinColors& c = *colors_;
    const int px = std::max(1, win::scale(1, win::dpiForWindow(button)));
    COLORREF face = c.button;
    if (look.pressed)
        face = mixColors(c.button, c.buttonText, 45);
    else if (look.hot && !look.disabled)
        face = mixColors(c.button, c.buttonText, 22);
    const bool marked = (look.focused || look.isDefault) && !look.disabled;
    const COLORREF border = marked ? c.accent : mixColors(c.button, c.buttonText, 90);

    fill(dc, rect, border);
    RECT inner = rect;
    const int borderWidth = look.focused && !look.disabled ? 2 * px : px;
    InflateRect(&inner, -borderWidth, -borderWidth);
    fill(dc, inner, face);

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
    RECT textRect = inner;
    InflateRect(&textRect, -2 * px, 0);
    if (look.pressed)
        OffsetRect(&textRect, px, px);
    const FontSelection selection(dc, fontOf(button));
    centredText(dc, textRect, win::windowText(button),
                look.disabled ? mixColors(c.buttonText, face, 130) : c.buttonText,
                style & BS_MULTILINE, hidesAccelerators(button));
}

bool SkinEngine::drawButton(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_BUTTON)
        return false;
    ButtonLook look;
    look.pressed = item.itemState & ODS_SELECTED;
    look.focused = item.itemState & ODS_FOCUS;
    look.disabled = item.itemState & ODS_DISABLED;
    look.hot = item.itemState & ODS_HOTLIGHT;
    if (isActive()) {
        paintButton(item.hDC, item.rcItem, item.hwndItem, look);
        return true;
    }
    // The platform's look: the visual style's push button where one is in
    // use, else the classic one.
    HDC dc = item.hDC;
    HWND button = item.hwndItem;
    RECT r = item.rcItem;
    COLORREF textColour = GetSysColor(look.disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    UniqueTheme theme(IsAppThemed() ? OpenThemeData(button, L"BUTTON") : nullptr);
    RECT content = r;
    if (theme) {
        const int state = look.disabled  ? PBS_DISABLED
                          : look.pressed ? PBS_PRESSED
                          : look.hot     ? PBS_HOT
                          : look.focused ? PBS_DEFAULTED
                                         : PBS_NORMAL;
        if (IsThemeBackgroundPartiallyTransparent(theme.get(), BP_PUSHBUTTON, state))
            DrawThemeParentBackground(button, dc, &r);
        DrawThemeBackground(theme.get(), dc, BP_PUSHBUTTON, state, &r, nullptr);
        GetThemeBackgroundContentRect(theme.get(), dc, BP_PUSHBUTTON, state, &r, &content);
        COLORREF themed = 0;
        if (SUCCEEDED(GetThemeColor(theme.get(), BP_PUSHBUTTON, state, TMT_TEXTCOLOR, &themed)))
            textColour = themed;
    } else {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (look.pressed ? DFCS_PUSHED : 0));
        InflateRect(&content, -2, -2);
        if (look.pressed)
            OffsetRect(&content, 1, 1);
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
    {
        const FontSelection selection(dc, fontOf(button));
        RECT textRect = content;
        InflateRect(&textRect, -2, 0);
        centredText(dc, textRect, win::windowText(button), textColour, style & BS_MULTILINE,
                    hidesAccelerators(button));
    }
    if (look.focused && !hidesFocus(button)) {
        RECT focus = content;
        InflateRect(&focus, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        DrawFocusRect(dc, &focus);
    }
    return true;
}

std::optional<LRESULT> SkinEngine::handleCustomDraw(const NMHDR* header) const {
    if (!isActive() || !header || header->code != static_cast<UINT>(NM_CUSTOMDRAW) ||
        !isPushButton(header->hwndFrom))
        return std::nullopt;
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage != CDDS_PREPAINT)
        return std::nullopt;
    ButtonLook look;
    const LRESULT state = SendMessageW(header->hwndFrom, BM_GETSTATE, 0, 0);
    look.pressed = (draw->uItemState & CDIS_SELECTED) || (state & BST_PUSHED);
    look.focused = (draw->uItemState & CDIS_FOCUS) && !hidesFocus(header->hwndFrom);
    look.disabled = draw->uItemState & CDIS_DISABLED;
    look.hot = draw->uItemState & CDIS_HOT;
    look.isDefault =
        (draw->uItemState & CDIS_DEFAULT) ||
        (GetWindowLongPtrW(header->hwndFrom, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    paintButton(draw->hdc, draw->rc, header->hwndFrom, look);
    return CDRF_SKIPDEFAULT;
}

SkinEngine& skinEngine() {
    static SkinEngine engine;
    return engine;
}

void switchSkin(const std::wstring& name, HWND root) {
    SkinEngine& engine = skinEngine();
    const bool wasActive = engine.isActive();
    if (!name.empty()) {
        engine.setSkin(name);
        engine.setActive(true);
    } else {
        engine.setActive(false);
    }
    if (wasActive || engine.isActive())
        engine.applyTo(root);
}

void followSystemColours(HWND root, bool coloursChanged) {
    if (win::readHighContrastAgain() || coloursChanged)
        skinEngine().applyTo(root);
}

} // namespace quivra::skins
