#include "app/main_form_win.h"

#include "app/data_folders.h"
#include "donation/adv_form_win.h"
#include "donation/d_form_win.h"
#include "donation/donation_details.h"
#include "platform/controls_win.h"
#include "platform/dpi_win.h"
#include "platform/errors.h"
#include "platform/file_system_win.h"
#include "notes/note_names.h"
#include "platform/wide_win.h"
#include "settings/keys.h"

#include <filesystem>

#include <commctrl.h>

namespace quivra::app {

namespace {

win::UniqueFont makeFont(UINT dpi, int points, int weight, const wchar_t* face,
                         bool underline = false) {
    LOGFONTW lf{};
    lf.lfUnderline = underline;
    lf.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
    lf.lfWeight = weight;
    lf.lfCharSet = RUSSIAN_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return win::UniqueFont(CreateFontIndirectW(&lf));
}

} // namespace

TMainForm::TMainForm(Environment env) : env_(std::move(env)) {}

TMainForm::~TMainForm() {
    if (accelerators_)
        DestroyAcceleratorTable(accelerators_);
    // The tray icon and the hotkey belong to the window; release them while
    // it still exists.
    tray_.reset();
    hotkey_.reset();
}

int TMainForm::px(int designed) const {
    return win::scale(designed, dpi_);
}

StartResult TMainForm::create() {
    dpi_ = win::systemDpi();
    const DWORD exStyle = WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    if (!Window::create(L"TMainForm", exStyle, WS_POPUP | WS_CLIPCHILDREN, L"Quivra", 0, 0, px(640),
                        px(447), nullptr, nullptr, nullptr))
        return StartResult::Failed;
    dpi_ = win::dpiForWindow(hwnd());
    setOpacity(255);
    font_ = makeFont(dpi_, 8, FW_NORMAL, L"Tahoma");
    titleFont_ = makeFont(dpi_, 18, FW_BOLD, L"Tahoma");
    underlineFont_ = makeFont(dpi_, 8, FW_NORMAL, L"Tahoma", true);
    icon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                              IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0)));
    tray_ = std::make_unique<window::TrayIcon>(hwnd(), WM_QUIVRA_TRAY, ID_TRAY_EXIT, icon_.get());
    hotkey_ = std::make_unique<window::Hotkey>(hwnd());

    composeFrame();
    composeNotesToolbar();
    composeNotesPage();
    settingsPage_.create(pages_[kSettingsPage]->hwnd(), hwnd(), dpi_);
    composeInfoPages();
    win::setFontTree(hwnd(), font_.get());
    applyInfoFonts();
    layout();
    fillHelpTexts();
    const StartResult result = FormCreate();
    if (result != StartResult::Started)
        return result;
    // The donation windows, created hidden once the settings file is known.
    dForm_ =
        std::make_unique<donation::TDForm>(std::filesystem::path(dataFolder(state_.programFolder)));
    advForm_ = std::make_unique<donation::TAdvForm>(state_.settingsFile->path(), *dForm_);
    if (!dForm_->create() || !advForm_->create())
        return StartResult::Failed;
    return result;
}

void TMainForm::composeFrame() {
    for (auto& s : strips_) {
        s = std::make_unique<win::Panel>();
        s->create(hwnd(), hwnd(), 0, 0, 1, 1);
    }
    tabs_ = win::createControl(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | TCS_FOCUSNEVER, hwnd(),
                               ID_QUIVRAPAGES, {0, 0, 1, 1});
    ShowWindow(tabs_, SW_HIDE); // made visible at the end of start-up
    const wchar_t* names[] = {L"Заметки", L"Настройки", L"Справка", L"О программе"};
    for (int i = 0; i < 4; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(names[i]);
        TabCtrl_InsertItem(tabs_, i, &item);
        pages_[i] = std::make_unique<win::Panel>();
        pages_[i]->create(hwnd(), hwnd(), 0, 0, px(600), px(400));
        ShowWindow(pages_[i]->hwnd(), SW_HIDE);
    }
    HWND hide = win::createButton(hwnd(), ID_HIDEBUTTON, L"X", {0, 0, px(20), px(20)});
    controls_.push_back({ID_HIDEBUTTON, hide});
    tooltip_ = win::createTooltip(hwnd());
    win::addHint(tooltip_, hwnd(), hide, L"Скрыть");
}

void TMainForm::composeNotesToolbar() {
    toolbar_.create(hwnd(), hwnd(), px(276), px(7), px(330), px(23));
    HWND tb = toolbar_.hwnd();
    controls_.push_back(
        {ID_NOTESACTMENUBUTTON,
         win::createButton(tb, ID_NOTESACTMENUBUTTON, L"Меню", {0, 0, px(49), px(23)})});
    controls_.push_back(
        {ID_NOTESNAMESLIST,
         win::createComboList(tb, ID_NOTESNAMESLIST, {px(51), px(1), px(228), px(300)})});
    controls_.push_back(
        {ID_MODLAB, win::createLabel(tb, ID_MODLAB, L"*", {0, px(4), px(11), px(16)}, SS_NOTIFY)});
    ShowWindow(control(ID_MODLAB), SW_HIDE);
    win::addHint(tooltip_, hwnd(), control(ID_MODLAB), L"Заметка изменена");
    controls_.push_back({ID_IMGRO, win::createLabel(tb, ID_IMGRO, L"", {0, 0, px(23), px(23)},
                                                    SS_ICON | SS_CENTERIMAGE | SS_NOTIFY)});
    SendMessageW(control(ID_IMGRO), STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_WARNING)), 0);
    ShowWindow(control(ID_IMGRO), SW_HIDE);
    win::addHint(tooltip_, hwnd(), control(ID_IMGRO), L"Заметка только для чтения");
}

void TMainForm::composeNotesPage() {
    HWND page = pages_[kNotesPage]->hwnd();
    lbPane_.create(page, hwnd(), 0, 0, 0, px(400));
    controls_.push_back({ID_NOTESLB, win::createListBox(lbPane_.hwnd(), ID_NOTESLB, {0, 0, 1, 1})});
    SendMessageW(control(ID_NOTESLB), LB_SETITEMHEIGHT, 0, px(13));
    controls_.push_back(
        {ID_QUICKADD, win::createEdit(lbPane_.hwnd(), ID_QUICKADD, L"", {0, 0, 1, px(21)})});
    lbSplitter_.create(page, hwnd(), 0, 0, px(4), px(400));
    nPanel_.create(page, hwnd(), 0, 0, px(600), px(400));
    editorPanel_.create(nPanel_.hwnd(), hwnd(), 0, 0, px(600), px(400));
    note_.create(editorPanel_.hwnd(), ID_NOTE, RECT{0, 0, 1, 1});
    controls_.push_back({ID_NOTE, note_.hwnd()});
    controls_.push_back({ID_NOTE2LIST, win::createComboList(editorPanel_.hwnd(), ID_NOTE2LIST,
                                                            {0, 0, px(200), px(300)})});
    ShowWindow(control(ID_NOTE2LIST), SW_HIDE);
    note_.setEnabled(false);
    SetWindowSubclass(note_.hwnd(), noteProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(lbSplitter_.hwnd(), splitterProc, 1, reinterpret_cast<DWORD_PTR>(this));
    composeNoteMenus();
    ACCEL keys[] = {{FALT | FVIRTKEY, VK_UP, ID_GOUP}, {FALT | FVIRTKEY, VK_DOWN, ID_GODOWN}};
    accelerators_ = CreateAcceleratorTableW(keys, 2);
}

HWND TMainForm::control(int id) const {
    for (const auto& [cid, h] : controls_)
        if (cid == id)
            return h;
    return nullptr;
}

void TMainForm::layout() {
    RECT rc;
    GetClientRect(hwnd(), &rc);
    const int w = rc.right;
    const int h = rc.bottom;
    const int f = px(3);
    MoveWindow(strips_[0]->hwnd(), 0, 0, w, f, TRUE);
    MoveWindow(strips_[1]->hwnd(), 0, f, f, h - 2 * f, TRUE);
    MoveWindow(strips_[2]->hwnd(), w - f, f, f, h - 2 * f, TRUE);
    MoveWindow(strips_[3]->hwnd(), 0, h - f, w, f, TRUE);
    MoveWindow(tabs_, f, f, w - 2 * f, h - 2 * f, TRUE);
    RECT display{f, f, w - f, h - f};
    TabCtrl_AdjustRect(tabs_, FALSE, &display);
    for (auto& p : pages_) {
        MoveWindow(p->hwnd(), display.left, display.top, display.right - display.left,
                   display.bottom - display.top, TRUE);
        SetWindowPos(p->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    const int hideX = w - f - px(3) - px(20);
    MoveWindow(control(ID_HIDEBUTTON), hideX, f + px(2), px(20), px(20), TRUE);
    const int tbWidth = std::max(0, hideX - px(4) - px(276));
    MoveWindow(toolbar_.hwnd(), px(276), px(7), tbWidth, px(23), TRUE);
    const int listW = std::max(px(49) + 2, tbWidth - px(51) - px(11) - px(23) - px(4));
    MoveWindow(control(ID_NOTESNAMESLIST), px(51), px(1), listW, px(300), TRUE);
    MoveWindow(control(ID_MODLAB), px(51) + listW + px(2), px(4), px(11), px(16), TRUE);
    MoveWindow(control(ID_IMGRO), tbWidth - px(23), 0, px(23), px(23), TRUE);
    for (HWND top : {toolbar_.hwnd(), control(ID_HIDEBUTTON)})
        SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    layoutNotesPage();
    RECT sp;
    GetClientRect(pages_[kSettingsPage]->hwnd(), &sp);
    settingsPage_.layout(sp.right, sp.bottom);
    RECT hp;
    GetClientRect(pages_[kHelpPage]->hwnd(), &hp);
    if (helpTabs_) {
        MoveWindow(helpTabs_, 0, 0, hp.right, hp.bottom, TRUE);
        RECT inner{0, 0, hp.right, hp.bottom};
        TabCtrl_AdjustRect(helpTabs_, FALSE, &inner);
        for (HWND t : helpTexts_) {
            MoveWindow(t, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top,
                       TRUE);
            SetWindowPos(t, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void TMainForm::layoutNotesPage() {
    RECT pr;
    GetClientRect(pages_[kNotesPage]->hwnd(), &pr);
    const int pw = pr.right;
    const int ph = pr.bottom;
    const int splitter = px(4);
    const int lw = std::clamp(listWidth_, 0, std::max(0, pw - splitter - px(100)));
    MoveWindow(lbPane_.hwnd(), 0, 0, lw, ph, TRUE);
    MoveWindow(control(ID_NOTESLB), 0, 0, lw, std::max(0, ph - px(21)), TRUE);
    MoveWindow(control(ID_QUICKADD), 0, ph - px(21), lw, px(21), TRUE);
    MoveWindow(lbSplitter_.hwnd(), lw, 0, splitter, ph, TRUE);
    const int nw = pw - lw - splitter;
    MoveWindow(nPanel_.hwnd(), lw + splitter, 0, nw, ph, TRUE);
    // The editor area is as tall as the list pane.
    MoveWindow(editorPanel_.hwnd(), 0, 0, nw, ph, TRUE);
    MoveWindow(note_.hwnd(), 0, 0, nw, ph, TRUE);
}

int TMainForm::activePage() const {
    return TabCtrl_GetCurSel(tabs_);
}

void TMainForm::showPage(int index) {
    TabCtrl_SetCurSel(tabs_, index);
    for (int i = 0; i < 4; ++i)
        ShowWindow(pages_[i]->hwnd(), i == index ? SW_SHOW : SW_HIDE);
    ShowWindow(toolbar_.hwnd(), index == kNotesPage ? SW_SHOW : SW_HIDE);
    if (index == kNotesPage)
        NotesPageShow();
}

void TMainForm::NotesPageShow() {
    if (note_.enabled() && IsWindowVisible(hwnd()))
        note_.focus();
}

bool TMainForm::timerEnabled(UINT_PTR id) const {
    return id < timers_.size() && timers_[id];
}

void TMainForm::setTimer(UINT_PTR id, bool enabled) {
    static constexpr UINT periods[] = {0, 50, 1, 1000, 1};
    if (enabled)
        SetTimer(hwnd(), id, periods[id], nullptr);
    else
        KillTimer(hwnd(), id);
    timers_[id] = enabled;
}

LRESULT TMainForm::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == window::TrayIcon::taskbarCreatedMessage() && msg != 0) {
        tray_->onTaskbarCreated();
        return 0;
    }
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_HSCROLL:
        settingsPage_.handleScroll(reinterpret_cast<HWND>(lp));
        return 0;
    case WM_DRAWITEM: {
        const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (settingsPage_.handleDrawItem(*di))
            return TRUE;
        return skins::skinEngine().drawTabItem(*di) ? TRUE : FALSE;
    }
    case WM_MEASUREITEM:
        return settingsPage_.handleMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp)) ? TRUE
                                                                                          : FALSE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
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
        if (skins::skinEngine().eraseBackground(hwnd(), reinterpret_cast<HDC>(wp)))
            return 1;
        return defaultProc(msg, wp, lp);
    case WM_CONTEXTMENU:
        if (settingsPage_.handleContextMenu(
                reinterpret_cast<HWND>(wp),
                {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}))
            return 0;
        return defaultProc(msg, wp, lp);
    case WM_TIMER:
        OnTimer(wp);
        return 0;
    case WM_QUIVRA_TRAY:
        OnTrayMessage(static_cast<UINT>(lp));
        return 0;
    case WM_QUIVRA_SLIDE:
        OnSlide(wp != 0);
        return 0;
    case WM_QUIVRA_UNSAVED:
        OnUnsavedNote();
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
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return defaultProc(msg, wp, lp);
    }
}

void TMainForm::OnSize() {
    if (tabs_)
        layout();
}

void TMainForm::OnGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize.x = px(640);
    info->ptMinTrackSize.y = px(320);
}

void TMainForm::OnCommand(int id, int code, HWND ctl) {
    if (settingsPage_.handleCommand(id, code, ctl))
        return;
    switch (id) {
    case ID_TRAY_EXIT:
        N6Click();
        break;
    case ID_HIDEBUTTON:
        break;
    case ID_NOTESNAMESLIST:
        if (code == CBN_SELCHANGE)
            NotesNamesListSelect();
        else if (code == CBN_DROPDOWN)
            NotesNamesListDropDown();
        else if (code == CBN_CLOSEUP)
            NotesNamesListCloseUp();
        break;
    case ID_NOTESLB:
        if (code == LBN_SELCHANGE)
            NotesLBClick();
        else if (code == LBN_DBLCLK)
            NotesLBDblClick();
        break;
    case ID_MODLAB:
        if (code == STN_CLICKED)
            NMenu_SaveClick();
        break;
    case ID_NOTESACTMENUBUTTON:
        if (code == BN_CLICKED)
            showNotesMenu();
        break;
    case ID_SETT_RO:
        sett_roClick();
        break;
    case ID_SETT_WW:
        sett_wwClick();
        break;
    case ID_SHOWTOOLBAR:
        ShowToolBarClick();
        break;
    case ID_IMMSAVE:
        ImmSaveClick();
        break;
    case ID_GOUP:
        GoUpExecute();
        break;
    case ID_GODOWN:
        GoDownExecute();
        break;
    case ID_NMENU_CUT:
    case ID_NMENU_COPY:
    case ID_NMENU_PASTE:
    case ID_NMENU_DELETE:
    case ID_NMENU_SELECTALL:
    case ID_NMENU_SAVE:
        onEditorCommand(id);
        break;
    case ID_ADVLABEL:
        if (code == STN_CLICKED)
            dForm_->show();
        break;
    default:
        break;
    }
}

LRESULT TMainForm::OnNotify(NMHDR* hdr) {
    if (hdr->hwndFrom == tabs_ && hdr->code == TCN_SELCHANGE) {
        showPage(TabCtrl_GetCurSel(tabs_));
        return 0;
    }
    if (hdr->hwndFrom == helpTabs_ && hdr->code == TCN_SELCHANGE) {
        const int sel = TabCtrl_GetCurSel(helpTabs_);
        for (size_t i = 0; i < helpTexts_.size(); ++i)
            ShowWindow(helpTexts_[i], static_cast<int>(i) == sel ? SW_SHOW : SW_HIDE);
        return 0;
    }
    LRESULT result = 0;
    if (settingsPage_.handleNotify(hdr, result))
        return result;
    if (auto r = skins::skinEngine().handleCustomDraw(hdr))
        return *r;
    return 0;
}

void TMainForm::OnTimer(UINT_PTR id) {
    switch (id) {
    case kAdvTimer:
        AdvTimerTimer();
        break;
    case kTimer1:
        PeriodicRefresh();
        break;
    default:
        break;
    }
}

void TMainForm::OnTrayMessage(UINT mouseMessage) {
    if (mouseMessage == WM_RBUTTONUP)
        tray_->showMenu();
}

bool TMainForm::translateAccelerator(MSG& msg) {
    return accelerators_ && TranslateAcceleratorW(hwnd(), accelerators_, &msg) != 0;
}

void TMainForm::PeriodicRefresh() {
    ShowWindow(control(ID_MODLAB), note_.modified() ? SW_SHOW : SW_HIDE);
}

// --- SettingsPageHost -------------------------------------------------------

void TMainForm::setTrayIconVisible(bool visible) {
    tray_->setVisible(visible);
}

bool TMainForm::trayIconVisible() const {
    return tray_->visible();
}

void TMainForm::setHotkeyEnabled(bool enabled) {
    if (enabled)
        hotkey_->registerKeys();
    else
        hotkey_->unregister();
    state_.hotkeyAtom = hotkey_->atom();
}

void TMainForm::applySkin(const std::wstring& name) {
    // The editor's content survives the change of look unchanged and is not
    // taken as modified by it.
    const std::string content = note_.rtf();
    auto& engine = skins::skinEngine();
    if (!name.empty()) {
        engine.setSkin(name);
        engine.setActive(true);
    } else {
        engine.setActive(false);
    }
    engine.applyTo(hwnd());
    note_.setRtf(content);
    note_.setModified(false);
}

void TMainForm::clearCoords() {
    state_.settingsFile->eraseSection(settings::kCoordsSection);
}

std::wstring TMainForm::skinsFolder() const {
    return win::toWide(app::skinsFolder(state_.programFolder));
}

void TMainForm::AdvTimerTimer() {
    setTimer(kAdvTimer, false);
    if (donation::shouldShowReminder(read(*state_.settingsFile, settings::keys::NoAdv),
                                     state_.daysInUse))
        advForm_->show();
}

} // namespace quivra::app
