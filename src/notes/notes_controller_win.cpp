// The notes subsystem's parts composed, its menus, its share of the refresh
// and of the shortcuts, and the editor events it handles.
#include "notes/notes_controller_win.h"

#include "notes/note_command_rules.h"
#include "notes/note_file.h"
#include "program/refresh_table.h"
#include "win/context_menu_point_win.h"
#include "win/dialog_keys_win.h"
#include "win/local_time_win.h"

#include <commctrl.h>

#include <filesystem>

namespace quivra::notes {

namespace {

// How long the notes folder must be quiet before the lists follow it.
constexpr UINT kFollowFolderDelayMs = 250;

} // namespace

void NotesController::create(HWND mainWindow, HWND notesPage, HWND editorArea, HWND searchBar) {
    notesPage_ = notesPage;
    lists_.create(mainWindow, notesPage);
    secondView_.create(editorArea, searchBar, mainWindow, {ID_NOTE2, ID_NOTE2LIST, ID_CLOSE2NOTE});
    secondView_.onFocusEnter = [this] { hideQuickSearch(); };
    quickAdd_.create(notesPage, mainWindow);
    composeMenus();
    view_.setMenu(ActNotesMenu.get());
    note_.setEnabled(false);
    editorEvents_.attach(note_.hwnd(), [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
        return onEditorMessage(msg, wp, lp, next);
    });
    updateNotesMenu();
}

void NotesController::createNoteCommands(window::FloatingPanels& panels,
                                         window::ConfirmPanel& confirm) {
    commands_.create(notesPage_, panels, confirm);
}

void NotesController::EnumerateNotes() {
    removeStaleNoteTemporaries(std::filesystem::path(state_.notesFolder),
                               std::filesystem::path(state_.dataFolder), win::localNow());
    store_.watchNotesFolder(); // a folder switch moves the watch along
    lists_.listFolder();
}

void NotesController::lookAtNoteOnDisk() {
    store_.lookAtNoteOnDisk();
    secondView_.followFile();
}

void NotesController::FocusCurrentNote() {
    if (!state_.currentNotePath.empty() && note_.enabled())
        note_.focus();
}

void NotesController::NotesActMenuButtonClick() {
    hideQuickSearch();
    updateNotesMenu();
    // The window has no frame: the button's screen place is the window's
    // place plus the toolbar's and the button's.
    RECT button;
    GetWindowRect(lists_.menuButton(), &button);
    TrackPopupMenu(ActNotesMenu.get(), TPM_LEFTALIGN | TPM_TOPALIGN, button.left - host_.scale(50),
                   button.bottom, 0, host_.mainWindow(), nullptr);
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
         .run = [](C& c) { c.commands_.N_addClick(); },
         .keyAllowed = &C::onNotesPage,
         .enabled = addNoteEnabled,
         .help = L"добавить заметку"},
        {.id = N_Rename,
         .caption = L"Переименовать",
         .key = alt('E'),
         .menu = kNotesMenu,
         .run = [](C& c) { c.commands_.N_RenameClick(); },
         .keyAllowed = &C::onNotesPage,
         .enabled = renameOrDeleteEnabled,
         .help = L"переименовать заметку"},
        {.id = N_Remove,
         .caption = L"Удвлить",
         .key = ctrl('D'),
         .menu = kNotesMenu,
         .run = [](C& c) { c.commands_.N_RemoveClick(); },
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
         .run = [](C& c) { c.view_.sett_roClick(); },
         .enabled = viewSettingsEnabled,
         .menuFlags = MF_MENUBARBREAK},
        {.id = sett_ww,
         .caption = L"Перенос по словам",
         .menu = kNotesMenu,
         .run = [](C& c) { c.view_.sett_wwClick(); },
         .enabled = viewSettingsEnabled},
        {.id = ShowToolBar,
         .caption = L"Панель инструментов",
         .menu = kNotesMenu,
         .run = [](C& c) { c.view_.ShowToolBarClick(); },
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
         .run = [](C& c) { c.store_.NMenu_SaveClick(); },
         .keyAllowed = &C::editorFocused,
         .help = L"сохранить заметку"},
        // Keys without an item.
        {.id = GoUp, .key = alt(VK_UP), .run = &C::GoUpExecute, .help = L"предыдущая заметка"},
        {.id = GoDown, .key = alt(VK_DOWN), .run = &C::GoDownExecute, .help = L"следующая заметка"},
        {.id = ID_IMMSAVE, .run = [](C& c) { c.store_.ImmSaveClick(); }},
        // The controls of the notes page; entering a list or a field
        // closes the quick search.
        {.id = ID_NOTESNAMESLIST, .run = &C::NotesNamesListSelect, .code = CBN_SELCHANGE},
        {.id = ID_NOTESNAMESLIST, .run = &C::NotesNamesListDropDown, .code = CBN_DROPDOWN},
        {.id = ID_NOTESNAMESLIST, .run = &C::NotesNamesListCloseUp, .code = CBN_CLOSEUP},
        {.id = ID_NOTESNAMESLIST, .run = &C::hideQuickSearch, .code = CBN_SETFOCUS},
        {.id = ID_NOTESLB, .run = &C::NotesLBClick, .code = LBN_SELCHANGE},
        {.id = ID_NOTESLB, .run = &C::NotesLBDblClick, .code = LBN_DBLCLK},
        {.id = ID_NOTESLB, .run = &C::hideQuickSearch, .code = LBN_SETFOCUS},
        {.id = ID_NEWNNAME, .run = [](C& c) { c.commands_.NewNNameChange(); }, .code = EN_CHANGE},
        {.id = ID_NEWNNAME, .run = &C::hideQuickSearch, .code = EN_SETFOCUS},
        {.id = ID_NL_DYNAMIC,
         .run = [](C& c) { c.commands_.NL_DynamicClick(); },
         .code = BN_CLICKED},
        {.id = ID_NL_CANCEL, .run = [](C& c) { c.commands_.NL_CancelClick(); }, .code = BN_CLICKED},
        {.id = ID_QUICKADD, .run = [](C& c) { c.quickAdd_.QuickAddEnter(); }, .code = EN_SETFOCUS},
        {.id = ID_QUICKADD, .run = [](C& c) { c.quickAdd_.QuickAddExit(); }, .code = EN_KILLFOCUS},
        {.id = ID_QUICKLIST,
         .run = [](C& c) { c.quickAdd_.QuickListDblClick(); },
         .code = LBN_DBLCLK},
        {.id = ID_NOTE2LIST,
         .run = [](C& c) { c.secondView_.Note2ListSelect(); },
         .code = CBN_SELCHANGE},
        {.id = ID_NOTE2LIST, .run = &C::hideQuickSearch, .code = CBN_SETFOCUS},
        {.id = ID_CLOSE2NOTE,
         .run = [](C& c) { c.secondView_.Close2NoteClick(); },
         .code = BN_CLICKED},
        {.id = ID_MODLAB, .run = [](C& c) { c.store_.NMenu_SaveClick(); }, .code = STN_CLICKED},
        {.id = ID_NOTESACTMENUBUTTON, .run = &C::NotesActMenuButtonClick, .code = BN_CLICKED},
        // Posted to the window by the store and the folder watch.
        {.id = ID_UNSAVEDNOTICE, .run = [](C& c) { c.store_.OnUnsavedNote(); }},
        {.id = ID_CONFLICTNOTICE, .run = [](C& c) { c.store_.OnConflictNotice(); }},
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
    if (lists_.namesDroppedDown())
        return true;
    KillTimer(host_.mainWindow(), ID_FOLLOWFOLDERTIMER);
    lists_.followNotesFolder();
    lookAtNoteOnDisk();
    return true;
}

void NotesController::addRefreshRows(program::RefreshTable& table) {
    using program::RefreshFacts;
    using program::RefreshStep;
    table.add(program::RefreshStep::ChangedMark, [this](const program::RefreshFacts& f) {
        lists_.showChangedMark(changedMarkVisible(f));
    });
    table.add(program::RefreshStep::NotesToolbar, [this](const program::RefreshFacts& f) {
        ShowWindow(lists_.toolbar(), notesToolbarVisible(f) ? SW_SHOW : SW_HIDE);
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
    f.noteSelected = lists_.selectedNoteIndex() >= 0;
    f.namePanelShowing = commands_.namePanelShowing();
    f.namesDroppedDown = lists_.namesDroppedDown();
    enableNotesMenu(f);
}

program::RefreshFacts NotesController::refreshFacts() const {
    program::RefreshFacts f;
    f.editorEnabled = note_.enabled();
    f.editorFocused = note_.focused();
    f.modified = note_.modified();
    f.readOnly = state_.NoteReadOnly;
    f.wordWrap = state_.NoteWordWrap;
    f.noteSelected = lists_.selectedNoteIndex() >= 0;
    const auto sel = note_.selection();
    f.selectionEmpty = sel.start == sel.end;
    f.notesPageActive = onNotesPage();
    f.namesDroppedDown = lists_.namesDroppedDown();
    f.namePanelShowing = commands_.namePanelShowing();
    return f;
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
        store_.NoteExit();
        return r;
    }
    case WM_CONTEXTMENU:
        showEditorMenu({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return 0;
    default:
        return std::nullopt;
    }
}

} // namespace quivra::notes
