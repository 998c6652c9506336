#include "editor/font_picker_win.h"

#include "base/errors.h"
#include "editor/editor_ids.h"
#include "editor/font_filter.h"
#include "win/combo_box_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/focus_watch_win.h"
#include "win/list_box_win.h"
#include "win/wide_win.h"
#include "window/presenter_win.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>

namespace quivra::editor {

using win::toU16;
using win::toWide;

namespace {

constexpr wchar_t kSample[] = L"English / Русский / 1234567890";

int CALLBACK collectFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
    reinterpret_cast<std::vector<std::u16string>*>(names)->push_back(toU16(font->lfFaceName));
    return 1;
}

void fillList(const win::ItemList& list, const std::vector<std::u16string>& names) {
    SendMessageW(list.hwnd(), WM_SETREDRAW, FALSE, 0);
    list.clear();
    list.reserve(names.size());
    for (const auto& n : names)
        list.add(toWide(n).c_str());
    SendMessageW(list.hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list.hwnd(), nullptr, TRUE);
}

std::u16string itemText(const win::ItemList& list, int index) {
    return toU16(list.itemText(index));
}

// The keys a control wants to see although the dialog navigation of the
// main window would take them.
bool wantsKey(LPARAM getDlgCodeParam, std::initializer_list<WPARAM> keys) {
    const auto* msg = reinterpret_cast<const MSG*>(getDlgCodeParam);
    return msg && msg->message == WM_KEYDOWN &&
           std::find(keys.begin(), keys.end(), msg->wParam) != keys.end();
}

} // namespace

std::vector<std::u16string> installedFonts() {
    std::vector<std::u16string> names;
    HDC dc = GetDC(nullptr);
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &any, collectFont, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, dc);
    const auto less = [](const std::u16string& a, const std::u16string& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, toWide(a).c_str(), -1,
                              toWide(b).c_str(), -1) == CSTR_LESS_THAN;
    };
    const auto same = [](const std::u16string& a, const std::u16string& b) { return a == b; };
    std::sort(names.begin(), names.end(), less);
    names.erase(std::unique(names.begin(), names.end(), same), names.end());
    return names;
}

void FontPicker::create(HWND notesPage, HWND editorArea, HWND notifyTarget, int dpi) {
    notesPage_ = notesPage;
    editorArea_ = editorArea;
    notifyTarget_ = notifyTarget;
    dpi_ = dpi;
}

void FontPicker::ensureCreated() {
    // The panel and the combo stay hidden until the font button is used: they
    // are made then.
    if (panel_.hwnd())
        return;
    HWND notesPage = notesPage_;
    HWND editorArea = editorArea_;
    HWND notifyTarget = notifyTarget_;
    const int dpi = dpi_;
    const auto px = [dpi](int v) { return win::scale(v, dpi); };
    panel_.create(notesPage, notifyTarget, window::ID_FONTPANEL, dpi);
    HWND p = panel_.hwnd();
    panel_.onMouseDown = [this](window::MouseButton button) { FontPanelMouseDown(button); };
    panel_.setAccessibleName([] { return std::wstring(L"Выбор шрифта"); }, ROLE_SYSTEM_DIALOG);
    // The filtered list lies over the full one: each clips the other, or a
    // repaint of the panel draws the full list over the filtered one.
    list_ =
        win::createListBox(p, ID_FONTLIST1, {px(13), px(15), px(158), px(193)}, WS_CLIPSIBLINGS);
    filtered_ = win::createListBox(p, ID_FONTLISTFILTERED, {px(13), px(15), px(158), px(193)},
                                   WS_CLIPSIBLINGS);
    ShowWindow(filtered_, SW_HIDE);
    search_ = win::createEdit(p, ID_FONTSEARCH, L"", {px(13), px(208), px(158), px(21)});
    host_.addHint(search_, L"Фильтр шрифтов");
    btnFOk = win::createButton(p, ID_BTNFOK, L"Ok", {px(13), px(232), px(77), px(25)});
    btnFCancel = win::createButton(p, ID_BTNFCANCEL, L"Отмена", {px(96), px(232), px(75), px(25)});
    listKeys_.attach(list_,
                     [this](UINT msg, WPARAM wp, LPARAM lp,
                            const win::Subclass::Next& next) -> std::optional<LRESULT> {
                         if (msg == WM_GETDLGCODE && wantsKey(lp, {VK_RETURN, VK_ESCAPE}))
                             return next() | DLGC_WANTMESSAGE;
                         if (msg == WM_CHAR && wp == 13) { // Enter takes the font
                             btnFOkClick();
                             return 0;
                         }
                         if (msg == WM_CHAR && wp == 27) {
                             btnFCancelClick();
                             return 0;
                         }
                         return std::nullopt;
                     });
    searchKeys_.attach(search_,
                       [this](UINT msg, WPARAM wp, LPARAM lp,
                              const win::Subclass::Next& next) -> std::optional<LRESULT> {
                           if (msg == WM_GETDLGCODE && wantsKey(lp, {VK_ESCAPE}))
                               return next() | DLGC_WANTMESSAGE;
                           if (msg == WM_CHAR && wp == 27) { // Esc is swallowed
                               SetFocus(list_);
                               ShowWindow(filtered_, SW_HIDE);
                               SetWindowTextW(search_, L"");
                               return 0;
                           }
                           if (msg == WM_KEYUP) {
                               const LRESULT r = next();
                               FontSearchKeyUp();
                               return r;
                           }
                           return std::nullopt;
                       });
    panels_.add(panel_);
    win::watchFocusLeaving(p, [this] { FontPanelExit(); });

    LOGFONTW lf{};
    lf.lfHeight = -px(11);
    lf.lfCharSet = RUSSIAN_CHARSET;
    wcscpy_s(lf.lfFaceName, LF_FACESIZE, L"Tahoma");
    nameFont_.reset(CreateFontIndirectW(&lf));
    host_.giveFont(p);
    // The combo takes the option's style when it drops down.
    createCombo(editorArea, false);
}

// --- The font panel -----------------------------------------------------------------

std::u16string FontPicker::selectionFace() const {
    const CHARFORMAT2W format = note_.charFormat();
    return toU16(format.szFaceName);
}

void FontPicker::applyFace(std::u16string_view face) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE;
    const std::wstring name = toWide(faceNameForFormat(face));
    wcsncpy(format.szFaceName, name.c_str(), LF_FACESIZE - 1);
    note_.setCharFormat(format);
}

void FontPicker::SelFontButtonClick() {
    ensureCreated();
    fonts_ = installedFonts();
    fillList(win::ListBox(list_), fonts_);
    const std::u16string face = selectionFace();
    const auto index = fontIndex(fonts_, face);
    win::ListBox(list_).select(index ? static_cast<int>(*index) : -1);
    RECT r;
    GetWindowRect(list_, &r);
    MapWindowPoints(nullptr, panel_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(filtered_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    panels_.open(panel_);
    savedFontName_ = face;
    ShowWindow(filtered_, SW_HIDE);
    SetFocus(list_);
}

void FontPicker::FontList1Click() {
    const win::ListBox list(list_);
    const int index = list.selected();
    if (index >= 0)
        applyFace(itemText(list, index));
}

void FontPicker::FontSearchEnter() {
    SetWindowTextW(search_, L"");
    ShowWindow(filtered_, SW_HIDE);
}

void FontPicker::FontSearchKeyUp() {
    const std::u16string filter = toU16(win::windowText(search_));
    fillList(win::ListBox(filtered_), filterFontNames(fonts_, filter));
    SetWindowPos(filtered_, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void FontPicker::FontListFilteredClick() {
    const win::ListBox filtered(filtered_);
    const int chosen = filtered.selected();
    if (chosen < 0)
        return;
    const auto index = fontIndex(fonts_, itemText(filtered, chosen));
    win::ListBox(list_).select(index ? static_cast<int>(*index) : -1);
    SetFocus(list_);
    ShowWindow(filtered_, SW_HIDE);
    FontList1Click();
    SetWindowTextW(search_, L"");
}

void FontPicker::btnFOkClick() {
    const win::ListBox list(list_);
    const int index = list.selected();
    if (index < 0)
        throw base::listIndexOutOfBounds(index);
    savedFontName_ = itemText(list, index);
    // The editor taking the focus closes the panel, which applies the face
    // just kept; a panel that still has it closes the same way.
    note_.focus();
    if (panel_.shown())
        btnFCancelClick();
}

void FontPicker::btnFCancelClick() {
    if (cancelling_)
        return;
    cancelling_ = true;
    applyFace(savedFontName_);
    note_.focus();
    ShowWindow(panel_.hwnd(), SW_HIDE);
    cancelling_ = false;
}

// --- The font combo --------------------------------------------------------------------

void FontPicker::createCombo(HWND editorArea, bool simple) {
    if (combo_)
        DestroyWindow(combo_);
    simpleCombo_ = simple;
    const DWORD drawn = WS_CLIPSIBLINGS | (simple ? 0 : CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS);
    combo_ =
        win::createComboList(editorArea, ID_FONTLIST, {0, 0, win::scale(350, dpi_), 200}, drawn);
    SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(nameFont_.get()), FALSE);
    if (!simple)
        win::ComboBox(combo_).setItemHeight(-1, win::scale(16, dpi_));
    SetWindowPos(combo_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FontPicker::SelFontButtonMouseUp(int buttonX, int buttonY) {
    ensureCreated();
    // The option may have changed since the combo was made.
    const bool simple = options_.ticked(settings::ID_ISSIMPLEFONTLIST);
    if (simple != simpleCombo_)
        createCombo(editorArea_, simple);
    fonts_ = installedFonts();
    const win::ComboBox combo(combo_);
    fillList(combo, fonts_);
    const auto designed = [this](int v) { return MulDiv(v, 96, dpi_); };
    const int itemHeight = simple ? designed(combo.itemHeight(0)) : kOwnerDrawnFontItemHeight;
    RECT window;
    GetWindowRect(host_.mainWindow(), &window);
    const FontComboPlace place = fontComboPlace(designed(buttonX), designed(buttonY), simple,
                                                itemHeight, designed(window.bottom - window.top));
    const int field = combo.itemHeight(-1);
    combo.setMinVisible(std::max(1, place.visibleItems));
    SetWindowPos(combo_, HWND_BOTTOM, win::scale(place.left, dpi_), win::scale(place.top, dpi_),
                 win::scale(place.width, dpi_),
                 field + win::scale(place.visibleItems * itemHeight, dpi_) + 2, SWP_NOACTIVATE);
    const auto index = fontIndex(fonts_, selectionFace());
    combo.select(index ? static_cast<int>(*index) : -1);
    SetFocus(combo_);
    combo.showDropDown(true);
}

void FontPicker::FontListSelect() {
    const win::ComboBox combo(combo_);
    const int index = combo.selected();
    if (index >= 0)
        applyFace(itemText(combo, index));
    note_.focus();
}

void FontPicker::FontListCloseUp() {
    SetWindowPos(combo_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    note_.focus();
}

bool FontPicker::onMeasureItem(MEASUREITEMSTRUCT& item) {
    if (!panel_.hwnd())
        return false;
    if (item.CtlID != ID_FONTLIST)
        return false;
    FontListMeasureItem(item);
    return true;
}

void FontPicker::FontListMeasureItem(MEASUREITEMSTRUCT& item) const {
    item.itemHeight = static_cast<UINT>(item.itemID == static_cast<UINT>(-1)
                                            ? win::scale(16, dpi_)
                                            : win::scale(kOwnerDrawnFontItemHeight, dpi_));
}

bool FontPicker::onDrawItem(const DRAWITEMSTRUCT& item) {
    if (!panel_.hwnd())
        return false;
    if (item.CtlID != ID_FONTLIST)
        return false;
    FontListDrawItem(item);
    return true;
}

void FontPicker::FontListDrawItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1))
        return;
    const std::wstring name = win::ComboBox(combo_).itemText(static_cast<int>(item.itemID));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, nameFont_.get());
    TextOutW(dc, r.left, r.top, name.c_str(), static_cast<int>(name.size()));
    if (!(item.itemState & ODS_COMBOBOXEDIT)) {
        LOGFONTW lf{};
        lf.lfHeight = -win::scale(13, dpi_);
        lf.lfCharSet = DEFAULT_CHARSET;
        wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
        win::UniqueFont sample(CreateFontIndirectW(&lf));
        SelectObject(dc, sample.get());
        TextOutW(dc, r.left, r.top + win::scale(16, dpi_), kSample,
                 static_cast<int>(wcslen(kSample)));
        SelectObject(dc, nameFont_.get());
    }
    SelectObject(dc, old);
}

program::Commands<FontPicker> FontPicker::commands() {
    using P = FontPicker;
    static constexpr program::Command<P> kCommands[] = {
        {.id = ID_FONTLIST1, .run = &P::FontList1Click, .code = LBN_SELCHANGE},
        {.id = ID_FONTLIST1, .run = &P::FontList1DblClick, .code = LBN_DBLCLK},
        {.id = ID_FONTLISTFILTERED, .run = &P::FontListFilteredClick, .code = LBN_SELCHANGE},
        {.id = ID_FONTSEARCH, .run = &P::FontSearchEnter, .code = EN_SETFOCUS},
        {.id = ID_BTNFOK, .run = &P::btnFOkClick, .code = BN_CLICKED},
        {.id = ID_BTNFCANCEL, .run = &P::btnFCancelClick, .code = BN_CLICKED},
        {.id = ID_FONTLIST, .run = &P::FontListSelect, .code = CBN_SELCHANGE},
        {.id = ID_FONTLIST, .run = &P::FontListCloseUp, .code = CBN_CLOSEUP},
    };
    return kCommands;
}

bool FontPicker::onCommand(int id, int code) {
    return panel_.hwnd() && program::runCommand(commands(), *this, id, code);
}

} // namespace quivra::editor
