#include "app/main_form_win.h"

#include "app/page_keys_win.h"
#include "base/dpi_scale.h"
#include "document/link_click_win.h"
#include "settings/data_folders.h"
#include "settings/keys.h"
#include "skins/skin_engine_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/fonts_win.h"
#include "win/wide_win.h"

#include <commctrl.h>
#include <oleacc.h>

namespace quivra::app {

namespace {

// The notes toolbar over the row of page tabs, at 96 DPI: its left and top in
// the window's client area and its height.
constexpr int kToolbarLeft = 276;
constexpr int kToolbarTop = 7;
constexpr int kToolbarHeight = 23;

} // namespace

TMainForm::TMainForm(Environment env) : env_(std::move(env)) {}

TMainForm::~TMainForm() = default;

int TMainForm::scale(int designed) const {
    return win::scale(designed, dpi_);
}

int TMainForm::unscale(int device) const {
    return win::unscale(device, dpi_);
}

StartResult TMainForm::create() {
    dpi_ = win::systemDpi();
    chooseSettingsFile();
    timeline_.mark("settings file");
    // Made at its stored size at once: its controls are laid out once.
    // Layered once it is first made see-through (see Presenter::setOpacity).
    const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    if (!Window::create(L"TMainForm", exStyle, WS_POPUP | WS_CLIPCHILDREN, L"Quivra", 0, 0,
                        storedWidth(), storedHeight(), nullptr, nullptr, nullptr))
        return StartResult::Failed;
    timeline_.mark("main window");
    dpi_ = win::dpiForWindow(hwnd());
    font_ = win::tahomaFont(win::pixelsOfPoints(8, dpi_), FW_NORMAL);
    icon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                              IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0)));
    presenter_.create(hwnd(), icon_.get(), N6);
    composeFrame();
    composeEditorArea();
    timeline_.mark("frame and editor");
    notes_.create(hwnd(), page(program::Page::Notes), EditorPanel.hwnd(), searchBar_.hwnd());
    confirm_.create(*this, page(program::Page::Notes), hwnd(), presenter_.panels(), [this] {
        if (note_.enabled())
            note_.focus();
    });
    notes_.createNoteCommands(presenter_.panels(), confirm_);
    timeline_.mark("notes");
    search_.create(NPanel.hwnd(), searchBar_.hwnd());
    timeline_.mark("search");
    formatting_.create(EditorPanel.hwnd(), page(program::Page::Notes), notes_.notesMenu());
    timeline_.mark("editor");
    crypto_.create(hwnd(), EditorPanel.hwnd());
    crypto_.setCommandMenu(formatting_.additMenu());
    timeline_.mark("crypto");
    settingsPage_.create([this] { return ensurePage(program::Page::Settings); }, hwnd(), dpi_,
                         font_.get());
    timeline_.mark("settings");

    router_.add(program::kNotesIds, notes_);
    router_.add(program::kWindowIds, presenter_);
    router_.add(program::kSettingsIds, settingsPage_);
    router_.add(program::kDonationIds, donation_);
    router_.add(program::kEditorIds, formatting_);
    router_.add(program::kSearchIds, search_);
    router_.add(program::kCryptoIds, crypto_);
    router_.addRefreshRows(presenter_.refreshTable());
    const auto keys = router_.shortcuts();
    shortcuts_.reset(
        CreateAcceleratorTableW(const_cast<ACCEL*>(keys.data()), static_cast<int>(keys.size())));

    timeline_.mark("router and shortcuts");
    win::setFontTree(hwnd(), font_.get());
    timeline_.mark("fonts");
    // The list pane is laid out at its stored width at once; start-up's own
    // reading of it then finds nothing to move.
    notes_.lists().setListWidth(storedListWidth());
    layout();
    timeline_.mark("layout");
    const StartResult result = FormCreate();
    timeline_.mark("start-up steps");
    return result;
}

void TMainForm::composeFrame() {
    // Made hidden (shown at the end of start-up), in its place and with its
    // font before its tabs, which it measures as they come (a narrow one
    // would make its scroll arrows for them).
    RECT rc;
    GetClientRect(hwnd(), &rc);
    const int f = scale(3);
    QuivraPages = CreateWindowExW(
        0, WC_TABCONTROLW, L"", WS_CHILD | WS_CLIPSIBLINGS | TCS_FOCUSNEVER, f, f, rc.right - 2 * f,
        rc.bottom - 2 * f, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_QUIVRAPAGES)),
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(QuivraPages, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    const wchar_t* names[] = {L"Заметки", L"Настройки", L"Справка", L"О программе"};
    for (int i = 0; i < 4; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(names[i]);
        TabCtrl_InsertItem(QuivraPages, i, &item);
    }
    // The tabs are as tall as their font makes them, which grows more slowly
    // than the scale: the row is made tall enough to hold the toolbar that
    // lies over it, so the toolbar covers no part of a page at any scale.
    RECT tab;
    if (TabCtrl_GetItemRect(QuivraPages, 0, &tab)) {
        const int missing = scale(kToolbarTop) + scale(kToolbarHeight) - pageArea().top;
        if (missing > 0)
            TabCtrl_SetItemSize(QuivraPages, 0, tab.bottom - tab.top + missing);
    }
    ensurePage(program::Page::Notes);
    HideButton =
        win::createButton(hwnd(), window::ID_HIDEBUTTON, L"X", {0, 0, scale(20), scale(20)});
    hints_.create(hwnd());
    addHint(HideButton, L"Скрыть");
}

void TMainForm::composeEditorArea() {
    HWND notesPage = page(program::Page::Notes);
    NPanel.create(notesPage, hwnd(), 0, 0, scale(600), scale(400));
    EditorPanel.create(NPanel.hwnd(), hwnd(), 0, 0, scale(600), scale(400));
    note_.create(EditorPanel.hwnd(), ID_NOTE, RECT{0, 0, 1, 1});
    // Leaving a long note swaps in a fresh editor rather than empty this one.
    note_.setReplaceable(true);
    note_.addSwapListener(links_);
    searchBar_.create(EditorPanel.hwnd(), hwnd(), 0, 0, scale(600), scale(23));
    searchBar_.setAccessibleName([] { return std::wstring(L"Панель поиска"); },
                                 ROLE_SYSTEM_TOOLBAR);
}

void TMainForm::giveFont(HWND root) {
    win::setFontTree(root, font_.get());
    if (skins::skinEngine().isActive())
        skins::skinEngine().applyTo(root);
}

void TMainForm::addHint(HWND control, const wchar_t* text) {
    hints_.add(control, text);
}

void TMainForm::addHint(HWND window, UINT id, const RECT& area, const wchar_t* text) {
    hints_.addArea(window, id, area, text);
}

void TMainForm::layout() {
    RECT rc;
    GetClientRect(hwnd(), &rc);
    const int w = rc.right;
    const int h = rc.bottom;
    const int f = scale(3);
    presenter_.repaintFrame();
    MoveWindow(QuivraPages, f, f, w - 2 * f, h - 2 * f, TRUE);
    const win::Bounds display = win::boundsOf(pageArea());
    for (auto& p : pages_) {
        if (!p)
            continue;
        MoveWindow(p->hwnd(), display.x, display.y, display.w, display.h, TRUE);
        SetWindowPos(p->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    const int hideX = w - f - scale(3) - scale(20);
    MoveWindow(HideButton, hideX, f + scale(2), scale(20), scale(20), TRUE);
    // At its designed place, or right of the last page tab where the tabs'
    // font makes them wider than designed.
    int toolbarLeft = scale(kToolbarLeft);
    RECT lastTab;
    if (TabCtrl_GetItemRect(QuivraPages, TabCtrl_GetItemCount(QuivraPages) - 1, &lastTab))
        toolbarLeft = std::max<int>(toolbarLeft, f + lastTab.right + scale(2));
    notes_.lists().layoutToolbar(toolbarLeft, scale(kToolbarTop),
                                 std::max(0, hideX - scale(4) - toolbarLeft));
    raiseOverPages();
    layoutNotesPage();
    settingsPage_.layout(display.w, display.h);
    if (page(program::Page::Help))
        infoPages_.layout(page(program::Page::Help));
}

RECT TMainForm::pageArea() const {
    RECT rc;
    GetClientRect(hwnd(), &rc);
    const int f = scale(3);
    RECT display{f, f, rc.right - f, rc.bottom - f};
    TabCtrl_AdjustRect(QuivraPages, FALSE, &display);
    return display;
}

HWND TMainForm::ensurePage(program::Page p) {
    auto& made = pages_[static_cast<int>(p)];
    if (made)
        return made->hwnd();
    made = std::make_unique<win::Panel>();
    const win::Bounds b = win::boundsOf(pageArea());
    made->create(hwnd(), hwnd(), b.x, b.y, b.w, b.h);
    ShowWindow(made->hwnd(), SW_HIDE);
    // A new child window goes to the bottom of its siblings: a page made
    // after start-up would lie under the page control, which covers it.
    SetWindowPos(made->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    raiseOverPages(); // the page lies over the page tabs, under these
    return made->hwnd();
}

void TMainForm::raiseOverPages() {
    // The notes toolbar and the hide button sit over the row of page tabs.
    for (HWND top : {notes_.lists().toolbar(), HideButton})
        if (top)
            SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMainForm::layoutNotesPage() {
    RECT pr;
    GetClientRect(page(program::Page::Notes), &pr);
    const int left = notes_.lists().layoutListPane(pr.bottom, pr.right);
    const int width = pr.right - left;
    MoveWindow(NPanel.hwnd(), left, 0, width, pr.bottom, TRUE);
    // The editor area is as tall as the list pane, less the search results
    // area while it is open beneath it. The format bar lies across its top,
    // the bar of the search box and the second view's chooser across its
    // bottom, the editor between them with the second view under it.
    const int area = search_.layoutResultsArea(width, pr.bottom);
    MoveWindow(EditorPanel.hwnd(), 0, 0, width, area, TRUE);
    const int bar = formatting_.layoutFormatBar(width, state_.formatBarShown);
    const int searchBarTop = std::max(bar, area - scale(23));
    MoveWindow(searchBar_.hwnd(), 0, searchBarTop, width, scale(23), TRUE);
    search_.layoutFindEdit(notes_.secondView().layoutBar(width));
    const int editorBottom = notes_.secondView().layout(width, bar, searchBarTop);
    MoveWindow(note_.hwnd(), 0, bar, width, std::max(0, editorBottom - bar), TRUE);
}

window::PanelAreas TMainForm::panelAreas() const {
    RECT page, editor;
    GetClientRect(this->page(program::Page::Notes), &page);
    GetClientRect(note_.hwnd(), &editor);
    return window::PanelAreas{
        {page.right, page.bottom}, {editor.right, editor.bottom}, scale(base::kDesignDpi)};
}

program::Page TMainForm::activePage() const {
    return static_cast<program::Page>(TabCtrl_GetCurSel(QuivraPages));
}

void TMainForm::showPage(program::Page shown) {
    // These pages are made when first shown.
    if (shown == program::Page::Settings)
        settingsPage_.ensureBuilt();
    if (shown == program::Page::Help || shown == program::Page::About)
        infoPages_.ensure(ensurePage(program::Page::Help), ensurePage(program::Page::About),
                          font_.get());
    const int index = static_cast<int>(shown);
    ensurePage(shown);
    TabCtrl_SetCurSel(QuivraPages, index);
    for (int i = 0; i < 4; ++i)
        if (pages_[i])
            ShowWindow(pages_[i]->hwnd(), i == index ? SW_SHOW : SW_HIDE);
    ShowWindow(notes_.lists().toolbar(), shown == program::Page::Notes ? SW_SHOW : SW_HIDE);
    if (shown == program::Page::Notes)
        notes_.NotesPageShow();
}

void TMainForm::pauseRefresh() {
    presenter_.setTimer(window::Timer1, false);
}

void TMainForm::resumeRefresh() {
    presenter_.setTimer(window::Timer1, true);
}

LRESULT TMainForm::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == window::TrayIcon::taskbarCreatedMessage() && msg != 0) {
        presenter_.onTaskbarCreated();
        return 0;
    }
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<NMHDR*>(lp));
    case WM_HSCROLL:
        router_.scroll(reinterpret_cast<HWND>(lp));
        return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        return router_.drawItem(item) || skins::skinEngine().drawTabItem(item) ? TRUE : FALSE;
    }
    case WM_MEASUREITEM:
        return router_.measureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp)) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (auto r = router_.ctlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)))
            return *r;
        if (auto r = skins::skinEngine().handleCtlColor(msg, reinterpret_cast<HDC>(wp),
                                                        reinterpret_cast<HWND>(lp)))
            return *r;
        return defaultProc(msg, wp, lp);
    case win::WM_QUIVRA_ERASE_PANEL:
        return skins::skinEngine().eraseBackground(reinterpret_cast<HWND>(lp),
                                                   reinterpret_cast<HDC>(wp))
                   ? 1
                   : 0;
    case WM_ERASEBKGND:
        if (!skins::skinEngine().eraseBackground(hwnd(), reinterpret_cast<HDC>(wp)))
            defaultProc(msg, wp, lp);
        presenter_.paintFrame(reinterpret_cast<HDC>(wp));
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (presenter_.frameClicked(
                msg, {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}))
            return 0;
        return defaultProc(msg, wp, lp);
    case WM_CONTEXTMENU:
        if (presenter_.panels().showMenuFor(
                reinterpret_cast<HWND>(wp),
                {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}))
            return 0;
        if (router_.contextMenu(reinterpret_cast<HWND>(wp),
                                {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}))
            return 0;
        return defaultProc(msg, wp, lp);
    case WM_TIMER:
        router_.timer(wp);
        return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        skins::followSystemColours(hwnd(), msg == WM_SYSCOLORCHANGE);
        return defaultProc(msg, wp, lp);
    case WM_ACTIVATE:
        // A message box, a file dialog or another program took the
        // activation: the control that had the focus gets it back, as in a
        // dialog, instead of the bare window, which takes no typing.
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND focus = GetFocus();
            focusOnLeaving_ = focus && IsChild(hwnd(), focus) ? focus : nullptr;
        } else if (focusOnLeaving_ && IsChild(hwnd(), focusOnLeaving_) &&
                   IsWindowVisible(focusOnLeaving_) && IsWindowEnabled(focusOnLeaving_)) {
            SetFocus(focusOnLeaving_);
            return 0;
        }
        return defaultProc(msg, wp, lp);
    case WM_HOTKEY:
        presenter_.OnHotkey(wp);
        return 0;
    case WM_NCHITTEST:
        return presenter_.windowHitTest(
            {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
    case WM_EXITSIZEMOVE:
        presenter_.RecentreOnEdge();
        return defaultProc(msg, wp, lp);
    case WM_QUERYENDSESSION:
        shutdown_.OnQueryEndSession();
        return TRUE;
    case WM_ENDSESSION:
        if (wp)
            DestroyWindow(hwnd());
        return 0;
    case window::WM_QUIVRA_TRAY:
        presenter_.OnTrayMessage(static_cast<UINT>(lp));
        return 0;
    case window::WM_QUIVRA_SLIDE:
        presenter_.OnSlide(wp != 0);
        return 0;
    case WM_QUIVRA_STARTUP_ERRORS:
        OnStartupErrors();
        return 0;
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp));
        return 0;
    case WM_CLOSE: // a close request (Alt+F4, the task list) quits
        shutdown_.bQuitClick();
        return 0;
    case WM_DESTROY:
        shutdown_.OnDestroy();
        return 0;
    default:
        return defaultProc(msg, wp, lp);
    }
}

void TMainForm::OnSize() {
    if (QuivraPages)
        layout();
}

void TMainForm::OnGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize.x = scale(window::kMinimumWidth);
    info->ptMinTrackSize.y = scale(window::kMinimumHeight);
}

void TMainForm::OnCommand(int id, int code, HWND control) {
    if (router_.command(id, code, control))
        return;
    if (id == N6)
        shutdown_.N6Click();
}

LRESULT TMainForm::OnNotify(NMHDR& hdr) {
    if (hdr.hwndFrom == QuivraPages && hdr.code == TCN_SELCHANGE) {
        showPage(static_cast<program::Page>(TabCtrl_GetCurSel(QuivraPages)));
        return 0;
    }
    if (infoPages_.onNotify(hdr))
        return 0;
    if ((hdr.idFrom == ID_NOTE || hdr.idFrom == notes::ID_NOTE2) && hdr.code == EN_LINK) {
        // The editor area passes the link clicks of the editor and of the
        // second view on; a link in the second view opens from its own text.
        const bool second = hdr.idFrom == notes::ID_NOTE2;
        if (const auto link = document::RichEdit::linkEvent(reinterpret_cast<LPARAM>(&hdr)))
            document::linkClick(second ? notes_.secondView().view() : note_, *link,
                                second ? (GetKeyState(VK_CONTROL) & 0x8000) != 0 : state_.CtrlDown,
                                settingsPage_.linkProgram().customBrowserText());
        return 0;
    }
    LRESULT result = 0;
    if (router_.notify(hdr, result))
        return result;
    if (auto r = skins::skinEngine().handleCustomDraw(&hdr))
        return *r;
    return 0;
}

bool TMainForm::translateAccelerator(MSG& msg) {
    if (stepPageByKey(msg, *this))
        return true;
    return shortcuts_ && TranslateAcceleratorW(hwnd(), shortcuts_.get(), &msg) != 0;
}

} // namespace quivra::app
