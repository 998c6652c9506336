// The notes toolbar, the side list pane and the names the lists hold.
#include "notes/note_lists_win.h"

#include "notes/note_folder_win.h"
#include "notes/note_names.h"
#include "notes/note_order.h"
#include "notes/notes_ids.h"
#include "settings/keys.h"
#include "win/accessible_win.h"
#include "win/announce_win.h"
#include "win/combo_box_win.h"
#include "win/controls_win.h"
#include "win/file_system_win.h"
#include "win/list_box_win.h"
#include "win/wide_win.h"

#include <oleacc.h>

#include <algorithm>

namespace quivra::notes {

using win::toU16;
using win::toWide;

void NoteLists::create(HWND mainWindow, HWND notesPage) {
    const auto px = [this](int v) { return host_.scale(v); };
    NotesTBarPanel.create(mainWindow, mainWindow, px(276), px(7), px(330), px(23));
    NotesTBarPanel.setAccessibleName([] { return std::wstring(L"Панель заметок"); },
                                     ROLE_SYSTEM_TOOLBAR);
    HWND tb = NotesTBarPanel.hwnd();
    NotesActMenuButton =
        win::createButton(tb, ID_NOTESACTMENUBUTTON, L"Меню", {0, 0, px(49), px(23)});
    NotesNamesList.create(tb, ID_NOTESNAMESLIST, {px(51), px(1), px(228), px(300)},
                          win::LazyCombo::Kind::List);

    LBPane.create(notesPage, mainWindow, 0, 0, 0, px(400));
    NotesLB = win::createListBox(LBPane.hwnd(), ID_NOTESLB, {0, 0, 1, 1});
    win::ListBox(NotesLB).setItemHeight(0, px(13));
    win::nameControl(NotesLB, [] { return std::wstring(L"Список заметок"); });
    QuickAdd = win::createEdit(LBPane.hwnd(), ID_QUICKADD, L"", {0, 0, 1, px(21)});
    host_.addHint(QuickAdd, L"Быстрый поиск/Быстрое добавление заметки (Enter -добавить)");
    LBSplitter.create(notesPage, mainWindow, 0, 0, px(4), px(400));
    splitterDrag_.attach(
        LBSplitter.hwnd(), win::SplitterDrag::Moves::LeftRight,
        [this](POINT at) {
            setListWidth(at.x);
            host_.relayoutEditorArea();
        },
        [this] { LBSplitterMoved(); });
}

// The changed mark and the read-only sign are made the first time they show.
void NoteLists::showChangedMark(bool shown) {
    if (shown && !modLab) {
        modLab = win::createLabel(NotesTBarPanel.hwnd(), ID_MODLAB, L"*",
                                  win::boundsOf(changedMarkPlace()), SS_NOTIFY);
        host_.giveFont(modLab);
        host_.addHint(modLab, L"Заметка изменена");
    }
    win::showAnnounced(modLab, shown);
}

void NoteLists::hideChangedMark() {
    ShowWindow(modLab, SW_HIDE);
}

void NoteLists::showReadOnlySign(bool shown) {
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

RECT NoteLists::changedMarkPlace() const {
    const auto px = [this](int v) { return host_.scale(v); };
    const int x = px(51) + namesListWidth() + px(2);
    return {x, px(4), x + px(11), px(4) + px(16)};
}

RECT NoteLists::readOnlySignPlace() const {
    const auto px = [this](int v) { return host_.scale(v); };
    return {toolbarWidth_ - px(23), 0, toolbarWidth_, px(23)};
}

int NoteLists::namesListWidth() const {
    const auto px = [this](int v) { return host_.scale(v); };
    return std::max(px(49) + 2, toolbarWidth_ - px(51) - px(11) - px(23) - px(4));
}

void NoteLists::layoutToolbar(int x, int y, int width) {
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

int NoteLists::layoutListPane(int pageHeight, int pageWidth) {
    const auto px = [this](int v) { return host_.scale(v); };
    const int splitter = px(4);
    const int lw = std::clamp(listWidth_, 0, std::max(0, pageWidth - splitter - px(100)));
    MoveWindow(LBPane.hwnd(), 0, 0, lw, pageHeight, TRUE);
    MoveWindow(NotesLB, 0, 0, lw, std::max(0, pageHeight - px(21)), TRUE);
    MoveWindow(QuickAdd, 0, pageHeight - px(21), lw, px(21), TRUE);
    MoveWindow(LBSplitter.hwnd(), lw, 0, splitter, pageHeight, TRUE);
    return lw + splitter;
}

void NoteLists::setListWidth(int width) {
    listWidth_ = std::max(0, width);
}

void NoteLists::LBSplitterMoved() {
    // Stored in 96-DPI units, as start-up reads it.
    settings::write(*state_.SettingsFile, settings::keys::ListWidth, host_.unscale(listWidth_));
}

int NoteLists::listPaneWidth() const {
    RECT r;
    GetWindowRect(NotesLB, &r);
    return static_cast<int>(r.right - r.left);
}

// --- The names -------------------------------------------------------------------

void NoteLists::listFolder() {
    auto found = notesToList();
    if (sortedList_)
        sortNoteNames(found);
    setNoteNames(found);
}

std::vector<std::u16string> NoteLists::notesToList() {
    auto names = findNoteNames(state_.notesFolder);
    addedNotes_.keepListed(state_.notesFolder, names, [this](const std::u16string& name) {
        return win::fileExists(notePath(state_.notesFolder, name));
    });
    return names;
}

void NoteLists::followNotesFolder() {
    auto names = notesToList();
    // The open note stays listed: its text is in the editor, file or not.
    const std::u16string& open = state_.currentNoteName;
    const bool opened = selectedNoteIndex() >= 0;
    if (opened && std::find(names.begin(), names.end(), open) == names.end())
        names.push_back(open);
    if (sortedList_)
        sortNoteNames(names);
    if (names == noteNames())
        return; // nothing to redraw
    const int top = static_cast<int>(SendMessageW(NotesLB, LB_GETTOPINDEX, 0, 0));
    setNoteNames(names);
    if (opened) {
        const auto at = std::find(names.begin(), names.end(), open);
        selectInLists(static_cast<int>(at - names.begin()));
    }
    SendMessageW(NotesLB, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(top, 0)), 0);
}

void NoteLists::takeSortedNames(std::vector<std::u16string> names) {
    // From now on the list stays sorted, also when the folder is read again.
    sortedList_ = true;
    sortNoteNames(names);
    setNoteNames(names);
}

void NoteLists::setNoteNames(std::vector<std::u16string> names) {
    dropCaseDuplicates(names);
    const win::ComboBox box = NotesNamesList.box();
    box.clear();
    box.reserve(names.size());
    for (const auto& n : names)
        box.add(toWide(n).c_str());
    copyNoteNamesToLists();
}

std::vector<std::u16string> NoteLists::noteNames() const {
    std::vector<std::u16string> names;
    const int n = noteCount();
    names.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i)
        names.push_back(noteNameAt(i));
    return names;
}

void NoteLists::copyNoteNamesToLists() {
    const int n = noteCount();
    const win::ComboBox chooser(secondView_.chooser());
    const win::ListBox list(NotesLB);
    // The chooser's selection is its own: the open second view keeps its note.
    const int chosen = chooser.selected();
    const std::wstring chosenName = chooser.itemText(chosen);
    win::RedrawSuspension redraw(NotesLB);
    list.clear();
    chooser.clear();
    list.reserve(static_cast<std::size_t>(std::max(n, 0)));
    chooser.reserve(static_cast<std::size_t>(std::max(n, 0)));
    int rechosen = -1;
    for (int i = 0; i < n; ++i) {
        const std::wstring name = toWide(noteNameAt(i));
        list.add(name.c_str());
        chooser.add(name.c_str());
        if (rechosen < 0 && chosen >= 0 && name == chosenName)
            rechosen = i;
    }
    if (rechosen >= 0)
        chooser.select(rechosen);
}

std::u16string NoteLists::noteNameAt(int index) const {
    return toU16(NotesNamesList.box().itemText(index));
}

int NoteLists::noteCount() const {
    return NotesNamesList.box().count();
}

int NoteLists::selectedNoteIndex() const {
    return NotesNamesList.box().selected();
}

int NoteLists::findNoteIndex(const std::u16string& name) const {
    return NotesNamesList.box().findExact(toWide(name).c_str());
}

void NoteLists::selectNote(int index) {
    NotesNamesList.box().select(index);
}

void NoteLists::selectInLists(int index) {
    NotesNamesList.box().select(index);
    win::ListBox(NotesLB).select(index);
}

int NoteLists::selectFirstEqual(const std::u16string& name) {
    const int index = findNoteIndex(name); // the first equal ignoring case
    selectInLists(index);
    return index;
}

void NoteLists::syncSideList() {
    win::ListBox(NotesLB).select(selectedNoteIndex());
}

int NoteLists::sideListSelection() const {
    return win::ListBox(NotesLB).selected();
}

bool NoteLists::namesDroppedDown() const {
    return NotesNamesList.box().droppedDown();
}

void NoteLists::fitDropDown() {
    RECT wr;
    GetWindowRect(host_.mainWindow(), &wr);
    const win::ComboBox box = NotesNamesList.box();
    const int itemHeight = box.itemHeight(0);
    if (itemHeight > 0)
        box.setMinVisible(((wr.bottom - wr.top) - 70) / itemHeight);
}

} // namespace quivra::notes
