// Adding, renaming and deleting notes through the notes menu, its keys and
// the name panel, against the real lists, editor and files.
#include "editor/editor_fixture.h"

#include "notes/notes_controller_win.h"
#include "win/wide_win.h"

#include <functional>

using namespace quivra;
using namespace quivra::test;
namespace fs = std::filesystem;

namespace {

class NoteCommands : public EditorFixture {
  protected:
    notes::NotesController& notes() { return form->notes(); }
    notes::NamePanel& panel() { return notes().noteCommands().namePanel(); }
    // Characters typed into the name field as the keyboard gives them.
    void typeName(const wchar_t* text) {
        for (const wchar_t* p = text; *p; ++p)
            SendMessageW(panel().field(), WM_CHAR, *p, 1);
    }
    void setName(const wchar_t* text) { SetWindowTextW(panel().field(), text); } // pasted
    std::wstring fieldText() { return win::windowText(panel().field()); }
    bool confirmEnabled() { return IsWindowEnabled(panel().confirmButton()) != FALSE; }
    std::vector<std::wstring> listed() {
        std::vector<std::wstring> names;
        for (int i = 0; i < notes().lists().noteCount(); ++i)
            names.push_back(win::toWide(notes().lists().noteNameAt(i)));
        return names;
    }
    std::vector<std::wstring> listBoxNames() {
        std::vector<std::wstring> names;
        HWND lb = notes().lists().listBox();
        const auto n = SendMessageW(lb, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < n; ++i) {
            wchar_t text[256]{};
            SendMessageW(lb, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            names.push_back(text);
        }
        return names;
    }
    bool itemEnabled(int id) {
        return !(GetMenuState(notes().notesMenu(), id, MF_BYCOMMAND) & MF_GRAYED);
    }
    bool visible(HWND w) { return (GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) != 0; }
    int enabledFormatButtons() {
        int n = 0;
        for (auto* b : bar().elevenButtons())
            n += b->enabled();
        return n;
    }
    base::IniFile notesSettings() { return base::IniFile(notesDir() / L"notessettings.ini"); }
};

} // namespace

TEST_F(NoteCommands, NamePanelRefusesListedDeviceAndTakenNamesAndFiltersTyping) {
    startWith({{L"Work", kRtfA}});
    command(notes::N_add, 1); // Alt+I
    ASSERT_TRUE(panel().shown());
    EXPECT_EQ(GetFocus(), panel().field());
    EXPECT_EQ(win::windowText(panel().confirmButton()), L"Добавить");
    typeName(L"wo:r?k");
    EXPECT_EQ(fieldText(), L"work");
    EXPECT_FALSE(confirmEnabled()); // "Work" is listed
    typeName(L"\"");
    EXPECT_EQ(fieldText(), L"work\"");
    EXPECT_FALSE(confirmEnabled()); // no file takes a quote in its name
    setName(L"CON");
    EXPECT_FALSE(confirmEnabled());
    // A file another program made after the list was read: an add takes it.
    addNote(L"Чужая", kRtfB);
    setName(L"Чужая");
    EXPECT_TRUE(confirmEnabled());
    SendMessageW(panel().cancelButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(GetFocus(), note().hwnd());

    command(notes::N_Rename, 1); // Alt+E
    EXPECT_EQ(fieldText(), L"Work");
    EXPECT_EQ(win::windowText(panel().confirmButton()), L"Переименовать");
    EXPECT_FALSE(confirmEnabled());
    setName(L"WORK"); // a change of letter case only
    EXPECT_FALSE(confirmEnabled());
    setName(L"Чужая"); // a rename there would overwrite that file later
    EXPECT_FALSE(confirmEnabled());
    SendMessageW(panel().field(), WM_CHAR, 13, 1); // Enter with the button disabled
    EXPECT_TRUE(panel().shown());
    EXPECT_EQ(listed(), (std::vector<std::wstring>{L"Work"}));
    SendMessageW(panel().field(), WM_CHAR, 27, 1); // Esc
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(readFile(noteFile(L"Чужая")), kRtfB);
}

TEST_F(NoteCommands, MenuKeysAndSteppingWaitWhileThePanelIsOpen) {
    startWith({{L"A", kRtfA}, {L"B", kRtfB}});
    refresh();
    EXPECT_TRUE(itemEnabled(notes::N_Rename));
    EXPECT_TRUE(itemEnabled(notes::N_Remove));
    const int index = notes().lists().selectedNoteIndex();
    command(notes::N_add, 1);
    ASSERT_TRUE(panel().shown());
    refresh();
    EXPECT_FALSE(itemEnabled(notes::N_add));
    EXPECT_FALSE(itemEnabled(notes::N_Rename));
    EXPECT_FALSE(itemEnabled(notes::N_Remove));
    command(notes::N_Remove, 1); // Ctrl+D is refused
    EXPECT_FALSE(form->confirmPanel().shown());
    command(notes::GoDown, 1);
    command(notes::GoUp, 1);
    EXPECT_EQ(notes().lists().selectedNoteIndex(), index);
    EXPECT_TRUE(panel().shown());
    // Leaving the panel closes it; then the keys work again.
    SetFocus(note().hwnd());
    EXPECT_FALSE(panel().shown());
    refresh();
    EXPECT_TRUE(itemEnabled(notes::N_add));
    // Not on another page.
    form->showPage(program::Page::Settings);
    command(notes::N_add, 1);
    EXPECT_FALSE(panel().shown());
}

TEST_F(NoteCommands, FirstAddSortsTheListAndANewNoteIsWritableUnwrappedAndHasNoFileYet) {
    addNote(L"в", kRtfA);
    addNote(L"Г", kRtfA);
    addNote(L"а", kRtfA);
    notesSettings().writeString(u"RO", u"ReadOnly", u"1");
    notesSettings().writeString(u"RO", u"WordWrap", u"1");
    notesSettings().writeString(u"RO", u"ShowFormatBar", u"0");
    startWith({{L"RO", kRtfB}});
    ASSERT_TRUE(form->state().NoteReadOnly);
    ASSERT_FALSE(form->state().formatBarShown);
    note().setSelection({0, 0});
    EXPECT_FALSE(notes().lists().listSorted());

    notes().noteCommands().N_addClick();
    typeName(L"Б");
    SendMessageW(panel().field(), WM_CHAR, 13, 1);
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(listed(), (std::vector<std::wstring>{L"RO", L"а", L"Б", L"в", L"Г"}));
    EXPECT_EQ(listBoxNames(), listed());
    EXPECT_EQ(notes().lists().selectedNoteIndex(), 2);
    EXPECT_EQ(form->state().currentNoteName, u"Б");
    EXPECT_TRUE(note().enabled());
    EXPECT_EQ(note().textLength(), 0);
    EXPECT_FALSE(form->state().NoteReadOnly);
    EXPECT_FALSE(note().readOnly());
    EXPECT_FALSE(form->state().NoteWordWrap);
    EXPECT_FALSE(note().wordWrap());
    EXPECT_TRUE(form->state().formatBarShown);
    EXPECT_FALSE(visible(notes().lists().readOnlyIcon()));
    EXPECT_TRUE(GetMenuState(notes().notesMenu(), notes::ShowToolBar, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(GetFocus(), note().hwnd());
    EXPECT_FALSE(fs::exists(noteFile(L"Б")));
    // The chooser of the second view holds the same names.
    EXPECT_EQ(SendMessageW(notes().secondView().chooser(), CB_GETCOUNT, 0, 0), 5);

    // The list stays sorted when the folder is read again after a delete,
    // and "Б", added but never written, stays listed.
    addNote(L"Ё-файл", kRtfA);
    addNote(L"0", kRtfA);
    open(L"а");
    notes().noteCommands().deleteCurrentNote();
    EXPECT_EQ(listed(), (std::vector<std::wstring>{L"0", L"RO", L"Б", L"в", L"Г", L"Ё-файл"}));
}

TEST_F(NoteCommands, RenameCarriesTheFileItsCompanionAndItsSettings) {
    addNote(L"Z", kRtfB);
    notesSettings().writeString(u"Старая", u"ReadOnly", u"1");
    notesSettings().writeString(u"Старая", u"ShowFormatBar", u"0");
    writeFile(notesDir() / L"Старая.ini", "companion");
    startWith({{L"Старая", kRtfA}});
    ASSERT_TRUE(form->state().NoteReadOnly);
    command(notes::N_Rename, 1);
    setName(L"Новая");
    EXPECT_TRUE(confirmEnabled());
    SendMessageW(panel().confirmButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(panel().shown());
    EXPECT_EQ(listed(), (std::vector<std::wstring>{L"Z", L"Новая"}));
    EXPECT_EQ(notes().lists().selectedNoteIndex(), 1);
    EXPECT_EQ(form->state().currentNoteName, u"Новая");
    EXPECT_EQ(form->state().currentNotePath, (notesDir() / L"Новая.note").u16string());
    EXPECT_FALSE(fs::exists(noteFile(L"Старая")));
    EXPECT_EQ(readFile(noteFile(L"Новая")), kRtfA);
    EXPECT_FALSE(fs::exists(notesDir() / L"Старая.ini"));
    EXPECT_EQ(readFile(notesDir() / L"Новая.ini"), "companion");
    auto ini = notesSettings();
    EXPECT_EQ(ini.sectionNames(), (std::vector<std::u16string>{u"Новая"}));
    EXPECT_EQ(ini.readString(u"Новая", u"ReadOnly", u""), u"1");
    EXPECT_EQ(ini.readString(u"Новая", u"ShowFormatBar", u""), u"0");
    EXPECT_FALSE(ini.keyExists(u"Новая", u"WordWrap"));
    EXPECT_TRUE(form->state().NoteReadOnly);
    EXPECT_TRUE(GetMenuState(notes().notesMenu(), notes::sett_ro, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(NoteCommands, RenameTheFileSystemRefusesKeepsTheOldNameEverywhere) {
    startWith({{L"A", kRtfA}});
    note().setSelection({0, 0});
    type(L"изменено ");
    command(notes::N_Rename, 1);
    setName(std::wstring(300, L'я').c_str()); // longer than a file name may be
    ASSERT_TRUE(confirmEnabled());
    notes().noteCommands().NL_DynamicClick();
    EXPECT_EQ(listed(), (std::vector<std::wstring>{L"A"}));
    EXPECT_EQ(form->state().currentNoteName, u"A");
    EXPECT_EQ(form->state().currentNotePath, noteFile(L"A").u16string());
    // The change not yet written goes to the note's file under its name.
    open(L"A");
    EXPECT_EQ(editorText().substr(0, 9), u"изменено ");
}

TEST_F(NoteCommands, DeleteAsksFirstAndLeavesNoNoteOpen) {
    fs::create_directories(notesDir());
    notesSettings().writeString(u"Дела", u"WordWrap", u"1");
    notesSettings().writeString(u"Другая", u"WordWrap", u"1");
    writeFile(notesDir() / L"Дела.ini", "companion");
    startWith({{L"Дела", kRtfA}, {L"Другая", kRtfB}});
    window::ConfirmPanel& confirm = form->confirmPanel();
    command(notes::N_Remove, 1); // Ctrl+D
    ASSERT_TRUE(confirm.shown());
    EXPECT_EQ(win::windowText(confirm.questionLabel()),
              L"Вы действительно хотите удалить заметку \"Дела\"?");
    EXPECT_EQ(GetFocus(), confirm.noButton());
    SendMessageW(confirm.noButton(), WM_KEYDOWN, VK_RETURN, 1); // Enter answers "Нет"
    EXPECT_FALSE(confirm.shown());
    EXPECT_TRUE(fs::exists(noteFile(L"Дела")));

    command(notes::N_Remove, 1);
    SendMessageW(confirm.yesButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(confirm.shown());
    EXPECT_FALSE(fs::exists(noteFile(L"Дела")));
    EXPECT_TRUE(fs::exists(notesDir() / L"Дела.ini")); // the companion stays
    EXPECT_EQ(listed(), (std::vector<std::wstring>{L"Другая"}));
    EXPECT_EQ(notes().lists().selectedNoteIndex(), -1);
    EXPECT_FALSE(note().enabled());
    EXPECT_EQ(note().textLength(), 0);
    EXPECT_TRUE(form->state().currentNoteName.empty());
    EXPECT_EQ(notesSettings().sectionNames(), (std::vector<std::u16string>{u"Другая"}));
    refresh();
    EXPECT_FALSE(itemEnabled(notes::N_Rename));
    EXPECT_FALSE(itemEnabled(notes::N_Remove));
    EXPECT_TRUE(itemEnabled(notes::N_add));
}

TEST_F(NoteCommands, ViewSettingsWithNoNoteOrOfANoteWithAnEmptyNameLiveInTheEmptyNamedSection) {
    addNote(L"", kRtfA); // the file ".note"
    addNote(L"B", kRtfB);
    start();
    // No note open: "Панель инструментов" still flips the bar and writes.
    command(notes::ShowToolBar);
    EXPECT_TRUE(folder.boxes.empty());
    EXPECT_EQ(notesSettings().readString(u"", u"ShowFormatBar", u"?"), u"0");

    int unnamed = -1;
    for (int i = 0; i < notes().lists().noteCount(); ++i)
        if (notes().lists().noteNameAt(i).empty())
            unnamed = i;
    ASSERT_GE(unnamed, 0);
    SendMessageW(notes().lists().namesList(), CB_SETCURSEL, unnamed, 0);
    notes().OpenNote();
    command(notes::sett_ro);
    command(notes::sett_ww);
    EXPECT_TRUE(folder.boxes.empty());
    const std::u16string written = readSettingsText(notesDir() / L"notessettings.ini");
    EXPECT_NE(written.find(u"[]\r\nShowFormatBar=0\r\nReadOnly=1\r\nWordWrap=1"),
              std::u16string::npos)
        << win::toWide(written);
    open(L"B");
    EXPECT_FALSE(note().readOnly());
    SendMessageW(notes().lists().namesList(), CB_SETCURSEL, unnamed, 0);
    notes().OpenNote();
    EXPECT_TRUE(note().readOnly());
    EXPECT_EQ(editorText().substr(0, 5), u"Alpha");
}

TEST_F(NoteCommands, ViewTogglesTheFileRefusesChangeNothingTheUserSees) {
    startWith({{L"A", kRtfFormatted}});
    const fs::path file = notesDir() / L"notessettings.ini";
    notesSettings().writeString(u"Other", u"ReadOnly", u"0");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    const auto ticked = [&](int id) {
        return (GetMenuState(notes().notesMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    struct Case {
        int item;
        std::function<bool()> changed;
    } cases[] = {
        {notes::sett_ro,
         [&] {
             return note().readOnly() || form->state().NoteReadOnly ||
                    enabledFormatButtons() != 11 ||
                    (notes().lists().readOnlyIcon() && visible(notes().lists().readOnlyIcon()));
         }},
        {notes::sett_ww, [&] { return note().wordWrap() || form->state().NoteWordWrap; }},
    };
    for (const Case& c : cases) {
        folder.boxes.clear();
        ASSERT_EQ(enabledFormatButtons(), 11);
        command(c.item);
        ASSERT_EQ(folder.boxes.size(), 1u) << c.item;
        EXPECT_EQ(folder.boxes[0].text, L"Unable to write to " + file.wstring());
        EXPECT_FALSE(c.changed()) << c.item;
        EXPECT_FALSE(ticked(c.item)) << c.item;
    }
    // Once the file takes it, both change together with the stored value.
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const Case& c : cases) {
        command(c.item);
        EXPECT_TRUE(c.changed()) << c.item;
        EXPECT_TRUE(ticked(c.item)) << c.item;
    }
    EXPECT_EQ(notesSettings().readString(u"A", u"ReadOnly", u""), u"1");
    EXPECT_EQ(notesSettings().readString(u"A", u"WordWrap", u""), u"1");
}
