// The notes subsystem's controls and menus, its share of the refresh and of
// the shortcuts, and the editor events it handles.
#include "notes/notes_controller_win.h"

#include "base/errors.h"
#include "notes/note_command_rules.h"
#include "program/refresh_table.h"
#include "settings/keys.h"
#include "win/controls_win.h"
#include "win/dialog_keys_win.h"
#include "win/list_box_win.h"

#include <commctrl.h>

#include <algorithm>

namespace quivra::notes {

namespace {

// How long the notes folder must be quiet before the lists follow it.
constexpr UINT kFollowFolderDelayMs = 250;

} // namespace

void NotesController::create(HWND mainWindow, HWND notesPage, HWND editorArea, HWND searchBar) {
    notesPage_ = notesPage;
    composeToolbar(mainWindow);
    composeListPane(notesPage);
    secondView_.create(editorArea, searchBar, mainWindow, {ID_NOTE2, ID_NOTE2LIST, ID_CLOSE2NOTE});
    secondView_.onFocusEnter = [this] { hideQuickSearch(); };
    quickSearch_.create(host_, notesPage, mainWindow, ID_QUICKLIST);
    quickSearch_.onEnterKey = [this] { QuickListDblClick(); };
    composeMenus();
    note_.setEnabled(false);
    editorEvents_.attach(note_.hwnd(), [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
        return onEditorMessage(msg, wp, lp, next);
    });
    splitterDrag_.attach(
        LBSplitter.hwnd(), win::SplitterDrag::Moves::LeftRight,
        [this](POINT at) {
            setListWidth(at.x);
            host_.relayoutEditorArea();
        },
        [this] { LBSplitterMoved(); });
    quickAddEvents_.attach(QuickAdd, [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
        return onQuickAddMessage(msg, wp, lp, next);
    });
    updateNotesMenu();
}

void NotesController::createNoteCommands(window::FloatingPanels& panels,
                                         window::ConfirmPanel& confirm) {
    confirm_ = &confirm;
    namePanel_.create(host_, notesPage_, host_.mainWindow(), panels,
                      {ID_NEWNNAME, ID_NL_DYNAMIC, ID_NL_CANCEL});
    namePanel_.onEnterKey = [this] { NL_DynamicClick(); };
    namePanel_.onEscKey = [this] { NL_CancelClick(); };
    namePanel_.onClosed = [this] { updateNotesMenu(); };
}

void NotesController::composeToolbar(HWND mainWindow) {
    const auto px = [this](int v) { return host_.scale(v); };
    NotesTBarPanel.create(mainWindow, mainWindow, px(276), px(7), px(330), px(23));
    HWND tb = NotesTBarPanel.hwnd();
    NotesActMenuButton =
        win::createButton(tb, ID_NOTESACTMENUBUTTON, L"Меню", {0, 0, px(49), px(23)});
    NotesNamesList.create(tb, ID_NOTESNAMESLIST, {px(51), px(1), px(228), px(300)},
                          win::LazyCombo::Kind::List);
}

// The changed mark and the read-only sign are made the first time they show.
void NotesController::showChangedMark(bool shown) {
    if (shown && !modLab) {
        modLab = win::createLabel(NotesTBarPanel.hwnd(), ID_MODLAB, L"*",
                                  win::boundsOf(changedMarkPlace()), SS_NOTIFY);
        host_.giveFont(modLab);
        host_.addHint(modLab, L"Заметка изменена");
    }
    if (modLab)
        ShowWindow(modLab, shown ? SW_SHOW : SW_HIDE);
}

void NotesController::showReadOnlySign(bool shown) {
    if (shown && !imgRO) {
        imgRO = win::createLabel(NotesTBarPanel.hwnd(), ID_IMGRO, L"",
                                 win::boundsOf(readOnlySignPlace()),
                                 SS_ICON | SS_CENTERIMAGE | SS_NOTIFY);
        SendMessageW(imgRO, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_WARNING)),
                     0);
        host_.addHint(imgRO, L"Заметка только для чтения");
    }
    if (imgRO)
        ShowWindow(imgRO, shown ? SW_SHOW : SW_HIDE);
}

RECT NotesController::changedMarkPlace() const {
    const auto px = [this](int v) { return host_.scale(v); };
    const int x = px(51) + namesListWidth() + px(2);
    return {x, px(4), x + px(11), px(4) + px(16)};
}

RECT NotesController::readOnlySignPlace() const {
    const auto px = [this](int v) { return host_.scale(v); };
    return {toolbarWidth_ - px(23), 0, toolbarWidth_, px(23)};
}

int NotesController::namesListWidth() const {
    const auto px = [this](int v) { return host_.scale(v); };
    return std::max(px(49) + 2, toolbarWidth_ - px(51) - px(11) - px(23) - px(4));
}

void NotesController::composeListPane(HWND notesPage) {
    const auto px = [this](int v) { return host_.scale(v); };
    HWND mainWindow = host_.mainWindow();
    LBPane.create(notesPage, mainWindow, 0, 0, 0, px(400));
    NotesLB = win::createListBox(LBPane.hwnd(), ID_NOTESLB, {0, 0, 1, 1});
    win::ListBox(NotesLB).setItemHeight(0, px(13));
    QuickAdd = win::createEdit(LBPane.hwnd(), ID_QUICKADD, L"", {0, 0, 1, px(21)});
    host_.addHint(QuickAdd, L"Быстрый поиск/Быстрое добавление заметки (Enter -добавить)");
    LBSplitter.create(notesPage, mainWindow, 0, 0, px(4), px(400));
}

void NotesController::layoutToolbar(int x, int y, int width) {
    const auto px = [this](int v) { return host_.scale(v); };
    MoveWindow(NotesTBarPanel.hwnd(), x, y, width, px(23), TRUE);
    toolbarWidth_ = width;
    NotesNamesList.move(px(51), px(1), namesListWidth(), px(300));
    for (const auto& [label, place] :
         {std::pair{modLab, changedMarkPlace()}, std::pair{imgRO, readOnlySignPlace()}})
        if (label) {
            const win::Bounds b = win::boundsOf(place);
            MoveWindow(label, b.x, b.y, b.w, b.h, TRUE);
        }
}

int NotesController::layoutListPane(int pageHeight, int pageWidth) {
    const auto px = [this](int v) { return host_.scale(v); };
    const int splitter = px(4);
    const int lw = std::clamp(listWidth_, 0, std::max(0, pageWidth - splitter - px(100)));
    MoveWindow(LBPane.hwnd(), 0, 0, lw, pageHeight, TRUE);
    MoveWindow(NotesLB, 0, 0, lw, std::max(0, pageHeight - px(21)), TRUE);
    MoveWindow(QuickAdd, 0, pageHeight - px(21), lw, px(21), TRUE);
    MoveWindow(LBSplitter.hwnd(), lw, 0, splitter, pageHeight, TRUE);
    return lw + splitter;
}

void NotesController::setListWidth(int width) {
    listWidth_ = std::max(0, width);
}

void NotesController::LBSplitterMoved() {
    // Stored in 96-DPI units, as start-up reads it.
    settings::write(*state_.SettingsFile, settings::keys::ListWidth, host_.unscale(listWidth_));
}

// --- Routing ----------------------------------------------------------------

bool NotesController::onCommand(int id, int code, HWND) {
    switch (id) {
    case ID_NOTESNAMESLIST:
        if (code == CBN_SELCHANGE)
            NotesNamesListSelect();
        else if (code == CBN_DROPDOWN)
            NotesNamesListDropDown();
        else if (code == CBN_CLOSEUP)
            NotesNamesListCloseUp();
        else if (code == CBN_SETFOCUS)
            hideQuickSearch(); // NotesNamesListEnter
        return true;
    case ID_NOTESLB:
        if (code == LBN_SELCHANGE)
            NotesLBClick();
        else if (code == LBN_DBLCLK)
            NotesLBDblClick();
        else if (code == LBN_SETFOCUS)
            hideQuickSearch(); // NotesLBEnter
        return true;
    case N_add:
    case N_Rename:
    case N_Remove:
        // Note_newExecute, Note_renameExecute, Note_delExecute: the keys
        // work on the notes page only (the router has checked the item).
        if (code == program::kFromShortcut && host_.activePage() != program::Page::Notes)
            return true;
        if (id == N_add)
            N_addClick();
        else if (id == N_Rename)
            N_RenameClick();
        else
            N_RemoveClick();
        return true;
    case ID_N_SEARCHALL:
        events_.searchAllNotes();
        return true;
    case ID_NEWNNAME:
        if (code == EN_CHANGE)
            NewNNameChange();
        else if (code == EN_SETFOCUS)
            hideQuickSearch(); // NL_EditEnter
        return true;
    case ID_NL_DYNAMIC:
        if (code == BN_CLICKED)
            NL_DynamicClick();
        return true;
    case ID_NL_CANCEL:
        if (code == BN_CLICKED)
            NL_CancelClick();
        return true;
    case ID_QUICKADD:
        if (code == EN_SETFOCUS)
            QuickAddEnter();
        else if (code == EN_KILLFOCUS)
            QuickAddExit();
        return true;
    case ID_QUICKLIST:
        if (code == LBN_DBLCLK)
            QuickListDblClick();
        return true;
    case ID_NOTE2LIST:
        if (code == CBN_SELCHANGE)
            secondView_.Note2ListSelect();
        else if (code == CBN_SETFOCUS)
            hideQuickSearch(); // Note2ListEnter
        return true;
    case ID_CLOSE2NOTE:
        if (code == BN_CLICKED)
            secondView_.Close2NoteClick();
        return true;
    case ID_MODLAB:
        if (code == STN_CLICKED)
            NMenu_SaveClick();
        return true;
    case ID_NOTESACTMENUBUTTON:
        if (code == BN_CLICKED)
            NotesActMenuButtonClick();
        return true;
    case sett_ro:
        sett_roClick();
        return true;
    case sett_ww:
        sett_wwClick();
        return true;
    case ShowToolBar:
        ShowToolBarClick();
        return true;
    case ID_IMMSAVE:
        ImmSaveClick();
        return true;
    case GoUp:
        GoUpExecute();
        return true;
    case GoDown:
        GoDownExecute();
        return true;
    case ID_UNSAVEDNOTICE:
        OnUnsavedNote();
        return true;
    case ID_CONFLICTNOTICE:
        OnConflictNotice();
        return true;
    case ID_NOTESFOLDERCHANGED:
        // A burst of changes (a synchronisation, a save of ours) is followed
        // once, when the folder has been quiet for a moment.
        SetTimer(host_.mainWindow(), ID_FOLLOWFOLDERTIMER, kFollowFolderDelayMs, nullptr);
        return true;
    case ID_NMENU_CUT:
    case ID_NMENU_COPY:
    case ID_NMENU_PASTE:
    case ID_NMENU_DELETE:
    case ID_NMENU_SELECTALL:
    case NMenu_Save:
        onEditorCommand(id);
        return true;
    default:
        return false;
    }
}

bool NotesController::onTimer(UINT_PTR id) {
    if (id != ID_FOLLOWFOLDERTIMER)
        return false;
    // An open drop-down list is not refilled under the user's mouse.
    if (namesDroppedDown())
        return true;
    KillTimer(host_.mainWindow(), ID_FOLLOWFOLDERTIMER);
    followNotesFolder();
    lookAtNoteOnDisk();
    return true;
}

void NotesController::addRefreshRows(program::RefreshTable& table) {
    using program::RefreshFacts;
    using program::RefreshStep;
    table.add(program::RefreshStep::ChangedMark,
              [this](const program::RefreshFacts& f) { showChangedMark(changedMarkVisible(f)); });
    table.add(program::RefreshStep::NotesToolbar, [this](const program::RefreshFacts& f) {
        ShowWindow(NotesTBarPanel.hwnd(), notesToolbarVisible(f) ? SW_SHOW : SW_HIDE);
    });
    table.add(program::RefreshStep::NotesMenu,
              [this](const program::RefreshFacts& f) { enableNotesMenu(f); });
}

void NotesController::addShortcuts(std::vector<ACCEL>& shortcuts) {
    shortcuts.push_back({FALT | FVIRTKEY, VK_UP, GoUp});
    shortcuts.push_back({FALT | FVIRTKEY, VK_DOWN, GoDown});
    shortcuts.push_back({FALT | FVIRTKEY, 'I', N_add});
    shortcuts.push_back({FALT | FVIRTKEY, 'E', N_Rename});
    shortcuts.push_back({FCONTROL | FVIRTKEY, 'D', N_Remove});
    shortcuts.push_back({FCONTROL | FSHIFT | FVIRTKEY, 'F', ID_N_SEARCHALL});
}

HMENU NotesController::menuOf(int id) const {
    switch (id) {
    case N_add:
    case N_Rename:
    case N_Remove:
    case ID_N_SEARCHALL:
    case sett_ro:
    case sett_ww:
    case ShowToolBar:
        return ActNotesMenu.get();
    case ID_NMENU_CUT:
    case ID_NMENU_COPY:
    case ID_NMENU_PASTE:
    case ID_NMENU_DELETE:
    case ID_NMENU_SELECTALL:
    case NMenu_Save:
        return editorMenu_.get();
    default:
        return nullptr;
    }
}

// --- Menus ------------------------------------------------------------------

void NotesController::composeMenus() {
    editorMenu_.reset(CreatePopupMenu());
    HMENU m = editorMenu_.get();
    AppendMenuW(m, MF_STRING, ID_NMENU_CUT, L"Вырезать\tCtrl+X");
    AppendMenuW(m, MF_STRING, ID_NMENU_COPY, L"Копировать\tCtrl+C");
    AppendMenuW(m, MF_STRING, ID_NMENU_PASTE, L"Вставить\tCtrl+V");
    AppendMenuW(m, MF_STRING, ID_NMENU_DELETE, L"Удалить");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m, MF_STRING, ID_NMENU_SELECTALL, L"Выделить все\tCtrl+A");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m, MF_STRING, NMenu_Save, L"Сохранить\tCtrl+S");
    // The sub-menu "Скрытые" is never shown: it only carries shortcuts, which
    // arrive with the commands that use them.

    ActNotesMenu.reset(CreatePopupMenu());
    HMENU n = ActNotesMenu.get();
    AppendMenuW(n, MF_STRING, N_add, L"Добавить\tAlt+I");
    AppendMenuW(n, MF_STRING, N_Rename, L"Переименовать\tAlt+E");
    AppendMenuW(n, MF_STRING, N_Remove, L"Удвлить\tCtrl+D");
    AppendMenuW(n, MF_STRING, ID_N_SEARCHALL, L"Искать во всех заметках\tCtrl+Shift+F");
    AppendMenuW(n, MF_STRING | MF_MENUBARBREAK, sett_ro, L"Только для чтения");
    AppendMenuW(n, MF_STRING, sett_ww, L"Перенос по словам");
    AppendMenuW(n, MF_STRING | MF_CHECKED, ShowToolBar, L"Панель инструментов");
}

void NotesController::updateNotesMenu() {
    program::RefreshFacts f;
    f.noteSelected = selectedNoteIndex() >= 0;
    f.namePanelShowing = namePanelShowing();
    f.namesDroppedDown = namesDroppedDown();
    enableNotesMenu(f);
}

void NotesController::enableNotesMenu(const program::RefreshFacts& f) {
    HMENU n = ActNotesMenu.get();
    const auto enable = [n](int id, bool on) {
        EnableMenuItem(n, static_cast<UINT>(id), on ? MF_ENABLED : MF_GRAYED);
    };
    enable(N_Rename, renameOrDeleteEnabled(f));
    enable(N_Remove, renameOrDeleteEnabled(f));
    enable(N_add, addNoteEnabled(f));
    enable(sett_ro, viewSettingsEnabled(f));
    enable(sett_ww, viewSettingsEnabled(f));
}

void NotesController::showEditorMenu(POINT screen) {
    if (screen.x == -1 && screen.y == -1) {
        RECT r;
        GetWindowRect(note_.hwnd(), &r);
        screen = {r.left + 10, r.top + 10};
    }
    const auto sel = note_.selection();
    const bool hasSelection = sel.end != sel.start;
    const bool writable = !state_.NoteReadOnly;
    HMENU m = editorMenu_.get();
    EnableMenuItem(m, ID_NMENU_CUT, hasSelection && writable ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(m, ID_NMENU_COPY, hasSelection ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(m, ID_NMENU_PASTE,
                   writable && IsClipboardFormatAvailable(CF_UNICODETEXT) ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(m, ID_NMENU_DELETE, hasSelection && writable ? MF_ENABLED : MF_GRAYED);
    TrackPopupMenu(m, TPM_RIGHTBUTTON, screen.x, screen.y, 0, host_.mainWindow(), nullptr);
}

void NotesController::onEditorCommand(int id) {
    switch (id) {
    case ID_NMENU_CUT:
        SendMessageW(note_.hwnd(), WM_CUT, 0, 0);
        break;
    case ID_NMENU_COPY:
        SendMessageW(note_.hwnd(), WM_COPY, 0, 0);
        break;
    case ID_NMENU_PASTE:
        SendMessageW(note_.hwnd(), WM_PASTE, 0, 0);
        break;
    case ID_NMENU_DELETE:
        SendMessageW(note_.hwnd(), WM_CLEAR, 0, 0);
        break;
    case ID_NMENU_SELECTALL:
        note_.setSelection({0, -1});
        break;
    case NMenu_Save:
        NMenu_SaveClick();
        break;
    default:
        break;
    }
}

// --- The editor's events ------------------------------------------------------

std::optional<LRESULT> NotesController::onEditorMessage(UINT msg, WPARAM wp, LPARAM lp,
                                                        const win::Subclass::Next& next) {
    // NoteKeyPress: Esc hides the window.
    if (auto taken = win::takeEscape(msg, wp, [this] { events_.escapeTyped(); }))
        return taken;
    switch (msg) {
    case WM_SETFOCUS: // NoteEnter
        hideQuickSearch();
        return std::nullopt;
    case WM_KEYDOWN:
        if (wp == VK_CONTROL)
            state_.CtrlDown = true; // NoteKeyDown
        if (wp == 'S' && (GetKeyState(VK_CONTROL) & 0x8000)) {
            NMenu_SaveClick();
            return 0;
        }
        return std::nullopt;
    case WM_KEYUP:
        if (wp == VK_CONTROL)
            state_.CtrlDown = false; // NoteKeyUp
        return std::nullopt;
    case WM_MOUSEWHEEL:
        // With Ctrl the wheel steps through the notes; the editor would also
        // zoom its text (and keep the zoom for every note), so it does not
        // get the turn. Without Ctrl it scrolls as usual.
        if (!state_.CtrlDown && !(GET_KEYSTATE_WPARAM(wp) & MK_CONTROL))
            return std::nullopt;
        if (state_.CtrlDown) {
            if (GET_WHEEL_DELTA_WPARAM(wp) < 0)
                GoDownExecute();
            else
                GoUpExecute();
        }
        return 0;
    case WM_KILLFOCUS: {
        const LRESULT r = next();
        NoteExit();
        return r;
    }
    case WM_CONTEXTMENU:
        showEditorMenu({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return 0;
    default:
        return std::nullopt;
    }
}

// --- What the other subsystems see of the lists ----------------------------------

void NotesController::syncSideList() {
    win::ListBox(NotesLB).select(selectedNoteIndex());
}

bool NotesController::namesDroppedDown() const {
    return NotesNamesList.box().droppedDown();
}

int NotesController::listPaneWidth() const {
    RECT r;
    GetWindowRect(NotesLB, &r);
    return static_cast<int>(r.right - r.left);
}

void NotesController::hideChangedMark() {
    ShowWindow(modLab, SW_HIDE);
}

} // namespace quivra::notes
