// The main window's note handlers: loading and saving the current note,
// switching notes, stepping through the list and the per-note view settings.
#include "app/main_form_win.h"

#include "app/data_folders.h"
#include "notes/note_file.h"
#include "notes/note_names.h"
#include "notes/note_settings.h"
#include "notes/local_time_win.h"
#include "notes/unsaved_note_win.h"
#include "platform/errors.h"
#include "platform/handles_win.h"
#include "platform/system_error_win.h"
#include "platform/file_system_win.h"
#include "platform/wide_win.h"
#include "settings/keys.h"

#include <commctrl.h>

namespace quivra::app {

using win::toU16;
using win::toWide;

namespace {

// The whole file, or the standard error when it exists but cannot be read.
std::string readNoteBytes(const std::u16string& path) {
    win::UniqueHandleFile file(CreateFileW(toWide(path).c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw cannotOpenFile(path, win::systemErrorText(GetLastError()));
    LARGE_INTEGER size{};
    GetFileSizeEx(file.get(), &size);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(size.QuadPart));
    char buf[1 << 16];
    DWORD got = 0;
    while (ReadFile(file.get(), buf, sizeof(buf), &got, nullptr) && got > 0)
        bytes.append(buf, got);
    return bytes;
}

} // namespace

void TMainForm::LoadNoteFile(const std::u16string& path) {
    note_.loadFileBytes(readNoteBytes(path));
}

bool TMainForm::noteIsReadOnly() const {
    return noteReadOnly_;
}

SaveResult TMainForm::SaveIfModified() {
    // A disabled editor holds nothing the user typed: either no note is open
    // or the open note's file could not be read and must stay as it is.
    if (!note_.modified() || state_.currentNotePath.empty() || noteReadOnly_ || !note_.enabled())
        return SaveResult::Unchanged;
    const std::string rtf = note_.rtf();
    // The replacement is a new file: hidden and system marks are put back.
    const std::wstring path = toWide(state_.currentNotePath);
    const DWORD before = GetFileAttributesW(path.c_str());
    const DWORD keep = before == INVALID_FILE_ATTRIBUTES
                           ? 0
                           : before & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    try {
        notes::saveNoteFile(std::filesystem::path(state_.currentNotePath), rtf);
        if (keep)
            SetFileAttributesW(path.c_str(), GetFileAttributesW(path.c_str()) | keep);
    } catch (const UserError& e) {
        // A failed write is not reported and the note stays modified, so the
        // next trigger tries again; meanwhile the text is kept in a recovery
        // file so that it cannot be lost with the end of the run.
        return keepUnsavedText(rtf, e.text());
    }
    note_.setModified(false);
    dropCipherBackup();
    unsaved_ = {};
    return SaveResult::Saved;
}

SaveResult TMainForm::keepUnsavedText(const std::string& rtf, const std::u16string& reason) {
    // The same text is kept once, not again at every trigger.
    const std::size_t hash = std::hash<std::string>{}(rtf);
    if (unsaved_.recoveredHash == hash)
        return SaveResult::Recovered;
    try {
        notes::writeRecoveryFile(std::filesystem::path(dataFolder(state_.programFolder)),
                                 state_.currentNoteName, notes::localNow(), rtf);
        unsaved_.recoveredHash = hash;
        return SaveResult::Recovered;
    } catch (const UserError&) {
    }
    unsaved_.reason = reason;
    return SaveResult::NotSaved;
}

void TMainForm::saveInPassing() {
    if (SaveIfModified() == SaveResult::NotSaved && !unsaved_.told) {
        unsaved_.told = true;
        PostMessageW(hwnd(), WM_QUIVRA_UNSAVED, 0, 0);
    }
}

void TMainForm::OnUnsavedNote() {
    if (SaveIfModified() != SaveResult::NotSaved)
        return;
    if (notes::tellAboutUnsavedNote(hwnd(), state_.currentNoteName, unsaved_.reason) ==
        notes::UnsavedChoice::SaveElsewhere)
        notes::saveNoteElsewhere(hwnd(), state_.currentNoteName, note_.rtf());
}

bool TMainForm::mayLeaveNote() {
    for (;;) {
        if (SaveIfModified() != SaveResult::NotSaved)
            return true;
        switch (
            notes::askBeforeLeavingUnsavedNote(hwnd(), state_.currentNoteName, unsaved_.reason)) {
        case notes::UnsavedChoice::SaveElsewhere:
            if (!notes::saveNoteElsewhere(hwnd(), state_.currentNoteName, note_.rtf()))
                continue;
            break;
        case notes::UnsavedChoice::Discard:
            break;
        case notes::UnsavedChoice::Stay:
            return false;
        }
        // The text is safe elsewhere or given up: leaving must not try again.
        note_.setModified(false);
        unsaved_ = {};
        return true;
    }
}

void TMainForm::loadCurrentNote() {
    try {
        LoadNoteFile(state_.currentNotePath);
    } catch (const UserError&) {
        // A note that cannot be read stays closed, so that nothing typed
        // into the editor can overwrite its file.
        note_.setModified(false);
        note_.setEnabled(false);
        throw;
    }
}

void TMainForm::dropCipherBackup() {
    state_.cipherBackup.reset();
    state_.decryptState = 0;
}

void TMainForm::returnCipher() {
    if (!state_.cipherBackup)
        return;
    note_.setRtf(*state_.cipherBackup);
    state_.cipherBackup.reset();
}

bool TMainForm::closeOutgoingNote() {
    returnCipher();
    if (!mayLeaveNote())
        return false;
    state_.decryptState = 0;
    return true;
}

void TMainForm::clearEditor() {
    note_.empty();
}

void TMainForm::FocusCurrentNote() {
    if (!state_.currentNotePath.empty() && note_.enabled())
        note_.focus();
}

void TMainForm::applyNoteSettings(const notes::NoteViewSettings& s) {
    formatBarShown_ = s.showFormatBar;
    CheckMenuItem(notesMenu_.get(), ID_SHOWTOOLBAR, formatBarShown_ ? MF_CHECKED : MF_UNCHECKED);
    noteReadOnly_ = s.readOnly;
    note_.setReadOnly(noteReadOnly_);
    ShowWindow(control(ID_IMGRO), noteReadOnly_ ? SW_SHOW : SW_HIDE);
    noteWordWrap_ = s.wordWrap;
    note_.setWordWrap(noteWordWrap_);
    CheckMenuItem(notesMenu_.get(), ID_SETT_RO, noteReadOnly_ ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(notesMenu_.get(), ID_SETT_WW, noteWordWrap_ ? MF_CHECKED : MF_UNCHECKED);
}

void TMainForm::NotesNamesListSelect() {
    OpenNote();
}

void TMainForm::OpenNote() {
    const int index = selectedNoteIndex();
    if (index < 0) // 1
        return;
    // 2-3: the second note view and the search results area have nothing
    // open while those views do not exist.
    // 4-6. A note whose text could not be kept anywhere is not left unless
    // the user says so; the list then shows it selected again.
    if (!closeOutgoingNote()) {
        const int current = findNoteIndex(state_.currentNoteName);
        SendMessageW(control(ID_NOTESNAMESLIST), CB_SETCURSEL, current, 0);
        SendMessageW(control(ID_NOTESLB), LB_SETCURSEL, current, 0);
        return;
    }
    {
        win::RedrawSuspension redraw(note_.hwnd()); // 7
        note_.empty();
        state_.currentNoteName = noteNameAt(index); // 8
        state_.currentNotePath = notes::notePath(state_.notesFolder, state_.currentNoteName);
        applyNoteSettings(
            notes::NoteSettingsFile(state_.notesFolder).read(state_.currentNoteName)); // 9
        // 10
        if (win::fileExists(state_.currentNotePath))
            loadCurrentNote();
        note_.setModified(false); // 11
    }
    note_.setEnabled(true); // 12
    settings::write(*state_.settingsFile, settings::keys::CurrentNoteName,
                    state_.currentNoteName);                   // 13
    SendMessageW(control(ID_NOTESLB), LB_SETCURSEL, index, 0); // 14
    if (IsWindowVisible(hwnd()) && settingsPage_.ticked(settings::ID_ISFOCUSONSELECTNOTE) &&
        note_.enabled()) // 15
        note_.focus();
    // 16: the format buttons follow the read-only state once the bar exists.
    note_.setEventMask(note_.eventMask() | ENM_LINK); // 17
    if (settingsPage_.ticked(settings::ID_ISDETECTURL))
        note_.setAutoUrlDetect(true);
}

std::u16string TMainForm::noteNameAt(int index) const {
    HWND list = control(ID_NOTESNAMESLIST);
    const auto len = SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
    if (len < 0)
        return {};
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(len));
    return toU16(s);
}

int TMainForm::noteCount() const {
    return static_cast<int>(SendMessageW(control(ID_NOTESNAMESLIST), CB_GETCOUNT, 0, 0));
}

bool TMainForm::canStepNotes() const {
    // The name panel of the add and rename commands is not open while it
    // does not exist; only the page matters then.
    return activePage() == kNotesPage;
}

void TMainForm::GoDownExecute() {
    if (!canStepNotes())
        return;
    const int index = selectedNoteIndex();
    if (index + 1 >= noteCount())
        return;
    SendMessageW(control(ID_NOTESNAMESLIST), CB_SETCURSEL, index + 1, 0);
    OpenNote();
}

void TMainForm::GoUpExecute() {
    if (!canStepNotes())
        return;
    const int index = selectedNoteIndex();
    if (index <= 0)
        return;
    SendMessageW(control(ID_NOTESNAMESLIST), CB_SETCURSEL, index - 1, 0);
    OpenNote();
}

void TMainForm::NotesLBClick() {
    if (!settingsPage_.ticked(settings::ID_ISONELISTCLICK))
        return;
    NotesLBDblClick();
}

void TMainForm::NotesLBDblClick() {
    const int index = static_cast<int>(SendMessageW(control(ID_NOTESLB), LB_GETCURSEL, 0, 0));
    SendMessageW(control(ID_NOTESNAMESLIST), CB_SETCURSEL, index, 0);
    OpenNote();
}

void TMainForm::NotesNamesListDropDown() {
    HWND list = control(ID_NOTESNAMESLIST);
    RECT wr;
    GetWindowRect(hwnd(), &wr);
    const int itemHeight = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
    if (itemHeight > 0)
        SendMessageW(list, CB_SETMINVISIBLE, ((wr.bottom - wr.top) - 70) / itemHeight, 0);
}

void TMainForm::NotesNamesListCloseUp() {
    if (note_.enabled())
        note_.focus();
}

void TMainForm::NMenu_SaveClick() {
    saveInPassing();
    if (state_.cipherBackup && !noteReadOnly_)
        dropCipherBackup();
}

void TMainForm::ImmSaveClick() {
    note_.setModified(true);
    saveInPassing();
}

void TMainForm::NoteExit() {
    if (!state_.currentNoteName.empty() && state_.decryptState != 1) {
        saveInPassing();
        state_.cipherBackup.reset();
    }
}

void TMainForm::sett_roClick() {
    noteReadOnly_ = !noteReadOnly_;
    CheckMenuItem(notesMenu_.get(), ID_SETT_RO, noteReadOnly_ ? MF_CHECKED : MF_UNCHECKED);
    note_.setReadOnly(noteReadOnly_);
    ShowWindow(control(ID_IMGRO), noteReadOnly_ ? SW_SHOW : SW_HIDE);
    notes::NoteSettingsFile(state_.notesFolder)
        .writeReadOnly(state_.currentNoteName, noteReadOnly_);
}

void TMainForm::sett_wwClick() {
    noteWordWrap_ = !noteWordWrap_;
    CheckMenuItem(notesMenu_.get(), ID_SETT_WW, noteWordWrap_ ? MF_CHECKED : MF_UNCHECKED);
    const bool modified = note_.modified();
    const std::string content = note_.rtf();
    note_.setWordWrap(noteWordWrap_);
    note_.setRtf(content);
    note_.setModified(modified);
    notes::NoteSettingsFile(state_.notesFolder)
        .writeWordWrap(state_.currentNoteName, noteWordWrap_);
}

void TMainForm::ShowToolBarClick() {
    formatBarShown_ = !formatBarShown_;
    CheckMenuItem(notesMenu_.get(), ID_SHOWTOOLBAR, formatBarShown_ ? MF_CHECKED : MF_UNCHECKED);
    notes::NoteSettingsFile(state_.notesFolder)
        .writeShowFormatBar(state_.currentNoteName, formatBarShown_);
}

void TMainForm::updateNotesMenu() {
    const bool selected = selectedNoteIndex() >= 0;
    EnableMenuItem(notesMenu_.get(), ID_SETT_RO, selected ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(notesMenu_.get(), ID_SETT_WW, selected ? MF_ENABLED : MF_GRAYED);
}

void TMainForm::showNotesMenu() {
    updateNotesMenu();
    RECT r;
    GetWindowRect(control(ID_NOTESACTMENUBUTTON), &r);
    TrackPopupMenu(notesMenu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN, r.left, r.bottom, 0, hwnd(),
                   nullptr);
}

void TMainForm::showEditorMenu(POINT screen) {
    if (screen.x == -1 && screen.y == -1) {
        RECT r;
        GetWindowRect(note_.hwnd(), &r);
        screen = {r.left + 10, r.top + 10};
    }
    const auto sel = note_.selection();
    const bool hasSelection = sel.end != sel.start;
    const bool writable = !noteReadOnly_;
    EnableMenuItem(editorMenu_.get(), ID_NMENU_CUT,
                   hasSelection && writable ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(editorMenu_.get(), ID_NMENU_COPY, hasSelection ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(editorMenu_.get(), ID_NMENU_PASTE,
                   writable && IsClipboardFormatAvailable(CF_UNICODETEXT) ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(editorMenu_.get(), ID_NMENU_DELETE,
                   hasSelection && writable ? MF_ENABLED : MF_GRAYED);
    TrackPopupMenu(editorMenu_.get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd(), nullptr);
}

void TMainForm::composeNoteMenus() {
    editorMenu_.reset(CreatePopupMenu());
    HMENU m = editorMenu_.get();
    AppendMenuW(m, MF_STRING, ID_NMENU_CUT, L"Вырезать\tCtrl+X");
    AppendMenuW(m, MF_STRING, ID_NMENU_COPY, L"Копировать\tCtrl+C");
    AppendMenuW(m, MF_STRING, ID_NMENU_PASTE, L"Вставить\tCtrl+V");
    AppendMenuW(m, MF_STRING, ID_NMENU_DELETE, L"Удалить");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m, MF_STRING, ID_NMENU_SELECTALL, L"Выделить все\tCtrl+A");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m, MF_STRING, ID_NMENU_SAVE, L"Сохранить\tCtrl+S");
    // The sub-menu "Скрытые" is never shown: it only carries shortcuts, which
    // the editor's key handler dispatches.

    notesMenu_.reset(CreatePopupMenu());
    HMENU n = notesMenu_.get();
    AppendMenuW(n, MF_STRING | MF_MENUBARBREAK, ID_SETT_RO, L"Только для чтения");
    AppendMenuW(n, MF_STRING, ID_SETT_WW, L"Перенос по словам");
    AppendMenuW(n, MF_STRING | MF_CHECKED, ID_SHOWTOOLBAR, L"Панель инструментов");
}

void TMainForm::onEditorCommand(int id) {
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
    case ID_NMENU_SAVE:
        NMenu_SaveClick();
        break;
    default:
        break;
    }
}

LRESULT CALLBACK TMainForm::noteProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                     DWORD_PTR self) {
    auto* form = reinterpret_cast<TMainForm*>(self);
    try {
        switch (msg) {
        case WM_KEYDOWN:
            if (wp == VK_CONTROL)
                form->state_.ctrlDown = true; // NoteKeyDown
            if (wp == 'S' && (GetKeyState(VK_CONTROL) & 0x8000)) {
                form->NMenu_SaveClick();
                return 0;
            }
            break;
        case WM_KEYUP:
            if (wp == VK_CONTROL)
                form->state_.ctrlDown = false; // NoteKeyUp
            break;
        case WM_MOUSEWHEEL: {
            const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
            if (form->state_.ctrlDown) {
                if (GET_WHEEL_DELTA_WPARAM(wp) < 0)
                    form->GoDownExecute();
                else
                    form->GoUpExecute();
            }
            return r;
        }
        case WM_KILLFOCUS: {
            const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
            form->NoteExit();
            return r;
        }
        case WM_CONTEXTMENU:
            form->showEditorMenu({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, noteProc, 1);
            break;
        default:
            break;
        }
    } catch (const UserError& e) {
        win::showErrorBox(form->hwnd(), win::asWide(e.text()));
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace quivra::app
