// The notes subsystem's controls and menus, its share of the refresh and of
// the shortcuts, and the editor events it handles.
#include "notes/notes_controller_win.h"

#include "base/errors.h"
#include "notes/note_command_rules.h"
#include "program/refresh_table.h"
#include "settings/keys.h"
#include "win/accessible_win.h"
#include "win/announce_win.h"
#include "win/context_menu_point_win.h"
#include "win/controls_win.h"
#include "win/dialog_keys_win.h"
#include "win/list_box_win.h"

#include <commctrl.h>
#include <oleacc.h>

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
    NotesTBarPanel.setAccessibleName([] { return std::wstring(L"Панель заметок"); },
                                     ROLE_SYSTEM_TOOLBAR);
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
    win::showAnnounced(modLab, shown);
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
    win::showAnnounced(imgRO, shown);
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
    win::nameControl(NotesLB, [] { return std::wstring(L"Список заметок"); });
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

// --- Commands ----------------------------------------------------------------

program::Commands<NotesController> NotesController::commands() {
    using C = NotesController;
    using program::alt;
    using program::ctrl;
    static constexpr program::Command<C> kCommands[] = {
        // The notes menu ("Меню" of the notes toolbar); the note commands'
        // keys work on the notes page only.
        {.id = N_add,
         .caption = L"Добавить",
         .key = alt('I'),
         .menu = kNotesMenu,
         .run = &C::N_addClick,
         .keyAllowed = &C::onNotesPage,
         .enabled = addNoteEnabled,
         .help = L"добавить заметку"},
        {.id = N_Rename,
         .caption = L"Переименовать",
         .key = alt('E'),
         .menu = kNotesMenu,
         .run = &C::N_RenameClick,
         .keyAllowed = &C::onNotesPage,
         .enabled = renameOrDeleteEnabled,
         .help = L"переименовать заметку"},
        {.id = N_Remove,
         .caption = L"Удвлить",
         .key = ctrl('D'),
         .menu = kNotesMenu,
         .run = &C::N_RemoveClick,
         .keyAllowed = &C::onNotesPage,
         .enabled = renameOrDeleteEnabled,
         .help = L"удалить заметку"},
        {.id = ID_N_SEARCHALL,
         .caption = L"Искать во всех заметках",
         .key = program::ctrlShift('F'),
         .menu = kNotesMenu,
         .run = &C::searchAllNotes,
         .help = L"поиск во всех заметках"},
        {.id = sett_ro,
         .caption = L"Только для чтения",
         .menu = kNotesMenu,
         .run = &C::sett_roClick,
         .enabled = viewSettingsEnabled,
         .menuFlags = MF_MENUBARBREAK},
        {.id = sett_ww,
         .caption = L"Перенос по словам",
         .menu = kNotesMenu,
         .run = &C::sett_wwClick,
         .enabled = viewSettingsEnabled},
        {.id = ShowToolBar,
         .caption = L"Панель инструментов",
         .menu = kNotesMenu,
         .run = &C::ShowToolBarClick,
         .menuFlags = MF_CHECKED},
        // The editor's context menu; its save key works while the editor
        // has the focus.
        {.id = ID_NMENU_CUT,
         .caption = L"Вырезать",
         .key = program::kCutKey,
         .menu = kEditorMenu,
         .run = &C::cutSelection,
         .help = L"вырезать"},
        {.id = ID_NMENU_COPY,
         .caption = L"Копировать",
         .key = program::kCopyKey,
         .menu = kEditorMenu,
         .run = &C::copySelection,
         .help = L"копировать"},
        {.id = ID_NMENU_PASTE,
         .caption = L"Вставить",
         .key = program::kPasteKey,
         .menu = kEditorMenu,
         .run = &C::pasteClipboard,
         .help = L"вставить"},
        {.id = ID_NMENU_DELETE,
         .caption = L"Удалить",
         .menu = kEditorMenu,
         .run = &C::clearSelection},
        {.menu = kEditorMenu},
        {.id = ID_NMENU_SELECTALL,
         .caption = L"Выделить все",
         .key = program::kSelectAllKey,
         .menu = kEditorMenu,
         .run = &C::selectAll,
         .help = L"выделить всё"},
        {.menu = kEditorMenu},
        {.id = NMenu_Save,
         .caption = L"Сохранить",
         .key = ctrl('S'),
         .menu = kEditorMenu,
         .run = &C::NMenu_SaveClick,
         .keyAllowed = &C::editorFocused,
         .help = L"сохранить заметку"},
        // Keys without an item.
        {.id = GoUp, .key = alt(VK_UP), .run = &C::GoUpExecute, .help = L"предыдущая заметка"},
        {.id = GoDown, .key = alt(VK_DOWN), .run = &C::GoDownExecute, .help = L"следующая заметка"},
        {.id = ID_IMMSAVE, .run = &C::ImmSaveClick},
        // The controls of the notes page; entering a list or a field
        // closes the quick search.
        {.id = ID_NOTESNAMESLIST, .run = &C::NotesNamesListSelect, .code = CBN_SELCHANGE},
        {.id = ID_NOTESNAMESLIST, .run = &C::NotesNamesListDropDown, .code = CBN_DROPDOWN},
        {.id = ID_NOTESNAMESLIST, .run = &C::NotesNamesListCloseUp, .code = CBN_CLOSEUP},
        {.id = ID_NOTESNAMESLIST, .run = &C::hideQuickSearch, .code = CBN_SETFOCUS},
        {.id = ID_NOTESLB, .run = &C::NotesLBClick, .code = LBN_SELCHANGE},
        {.id = ID_NOTESLB, .run = &C::NotesLBDblClick, .code = LBN_DBLCLK},
        {.id = ID_NOTESLB, .run = &C::hideQuickSearch, .code = LBN_SETFOCUS},
        {.id = ID_NEWNNAME, .run = &C::NewNNameChange, .code = EN_CHANGE},
        {.id = ID_NEWNNAME, .run = &C::hideQuickSearch, .code = EN_SETFOCUS},
        {.id = ID_NL_DYNAMIC, .run = &C::NL_DynamicClick, .code = BN_CLICKED},
        {.id = ID_NL_CANCEL, .run = &C::NL_CancelClick, .code = BN_CLICKED},
        {.id = ID_QUICKADD, .run = &C::QuickAddEnter, .code = EN_SETFOCUS},
        {.id = ID_QUICKADD, .run = &C::QuickAddExit, .code = EN_KILLFOCUS},
        {.id = ID_QUICKLIST, .run = &C::QuickListDblClick, .code = LBN_DBLCLK},
        {.id = ID_NOTE2LIST, .run = &C::Note2ListSelect, .code = CBN_SELCHANGE},
        {.id = ID_NOTE2LIST, .run = &C::hideQuickSearch, .code = CBN_SETFOCUS},
        {.id = ID_CLOSE2NOTE, .run = &C::Close2NoteClick, .code = BN_CLICKED},
        {.id = ID_MODLAB, .run = &C::NMenu_SaveClick, .code = STN_CLICKED},
        {.id = ID_NOTESACTMENUBUTTON, .run = &C::NotesActMenuButtonClick, .code = BN_CLICKED},
        // Posted to the window by the store and the folder watch.
        {.id = ID_UNSAVEDNOTICE, .run = &C::OnUnsavedNote},
        {.id = ID_CONFLICTNOTICE, .run = &C::OnConflictNotice},
        {.id = ID_NOTESFOLDERCHANGED, .run = &C::notesFolderChanged},
    };
    return kCommands;
}

bool NotesController::onCommand(int id, int code, HWND) {
    return program::runCommand(commands(), *this, id, code);
}

bool NotesController::onNotesPage() const {
    return host_.activePage() == program::Page::Notes;
}

bool NotesController::editorFocused() const {
    return note_.focused();
}

void NotesController::notesFolderChanged() {
    // A burst of changes (a synchronisation, a save of ours) is followed
    // once, when the folder has been quiet for a moment.
    SetTimer(host_.mainWindow(), ID_FOLLOWFOLDERTIMER, kFollowFolderDelayMs, nullptr);
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
    program::addAccelerators(commands(), shortcuts);
}

HMENU NotesController::menuOf(int id) const {
    switch (program::menuIndexOf(commands(), id)) {
    case kNotesMenu:
        return ActNotesMenu.get();
    case kEditorMenu:
        return editorMenu_.get();
    default:
        return nullptr;
    }
}

// --- Menus ------------------------------------------------------------------

void NotesController::composeMenus() {
    editorMenu_.reset(CreatePopupMenu());
    program::appendMenuItems(commands(), kEditorMenu, editorMenu_.get());
    ActNotesMenu.reset(CreatePopupMenu());
    program::appendMenuItems(commands(), kNotesMenu, ActNotesMenu.get());
}

void NotesController::updateNotesMenu() {
    program::RefreshFacts f;
    f.noteSelected = selectedNoteIndex() >= 0;
    f.namePanelShowing = namePanelShowing();
    f.namesDroppedDown = namesDroppedDown();
    enableNotesMenu(f);
}

void NotesController::enableNotesMenu(const program::RefreshFacts& f) {
    for (const auto& row : commands())
        if (row.menu == kNotesMenu && row.enabled)
            EnableMenuItem(ActNotesMenu.get(), static_cast<UINT>(row.id),
                           row.enabled(f) ? MF_ENABLED : MF_GRAYED);
}

void NotesController::showEditorMenu(POINT screen) {
    screen = win::contextMenuPoint(note_.hwnd(), screen);
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

void NotesController::cutSelection() {
    SendMessageW(note_.hwnd(), WM_CUT, 0, 0);
}

void NotesController::copySelection() {
    SendMessageW(note_.hwnd(), WM_COPY, 0, 0);
}

void NotesController::pasteClipboard() {
    SendMessageW(note_.hwnd(), WM_PASTE, 0, 0);
}

void NotesController::clearSelection() {
    SendMessageW(note_.hwnd(), WM_CLEAR, 0, 0);
}

void NotesController::selectAll() {
    note_.setSelection({0, -1});
}

// --- The editor's events ------------------------------------------------------

std::optional<LRESULT> NotesController::onEditorMessage(UINT msg, WPARAM wp, LPARAM lp,
                                                        const win::Subclass::Next& next) {
    // Esc hides the window.
    if (auto taken = win::takeEscape(msg, wp, [this] { events_.escapeTyped(); }))
        return taken;
    switch (msg) {
    case WM_SETFOCUS:
        hideQuickSearch();
        return std::nullopt;
    case WM_KEYDOWN:
        if (wp == VK_CONTROL)
            state_.CtrlDown = true;
        return std::nullopt;
    case WM_KEYUP:
        if (wp == VK_CONTROL)
            state_.CtrlDown = false;
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
