#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "common/temp_folder.h"
#include "notes/name_rules.h"
#include "notes/note_command_rules.h"
#include "notes/note_order.h"
#include "notes/note_settings.h"
#include "notes/second_view_size.h"
#include "search/results_area_size.h"

#include <vector>

using namespace quivra;
using namespace quivra::notes;

TEST(NoteCommands, NamePanelConfirmsOnlyNewNamesTheFilesCanTake) {
    const std::vector<std::u16string> listed = {u"Work", u"Дом"};
    struct Case {
        NameTask task;
        std::u16string_view typed;
        bool fileExists;
        bool confirmable;
    } cases[] = {
        {NameTask::Add, u"", false, false},
        {NameTask::Add, u"work", false, false}, // listed but for case
        {NameTask::Rename, u"WORK", true, false},
        {NameTask::Rename, u"дом", true, false},
        {NameTask::Add, u"Дом 2", false, true},
        {NameTask::Add, u"con", false, false}, // device names are never notes
        {NameTask::Rename, u"COM1.txt", false, false},
        {NameTask::Add, u"Com10", false, true},
        // A file the list does not hold: an add opens it, a rename would lose
        // it at the next save.
        {NameTask::Add, u"Чужая", true, true},
        {NameTask::Rename, u"Чужая", true, false},
        // Pasted names are checked whole: a path elsewhere, a stream, a name
        // the system refuses or changes.
        {NameTask::Rename, u"Новая \"в кавычках\"", false, false},
        {NameTask::Rename, u"..\\..\\имя", false, false},
        {NameTask::Add, u"a:b", false, false},
        {NameTask::Add, u"x.", false, false},
        {NameTask::Add, u"x ", false, false},
        {NameTask::Add, u"..", false, false},
        {NameTask::Add, u"tab\there", false, false},
        {NameTask::Add, u"v1.2 план", false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nameConfirmable(c.task, c.typed, listed, c.fileExists), c.confirmable)
            << static_cast<int>(c.task) << " " << c.typed.size();
    EXPECT_EQ(nameTaskTexts(NameTask::Add).confirm, u"Добавить");
    EXPECT_EQ(nameTaskTexts(NameTask::Rename).prompt, u"Введите новое имя заметки");
}

TEST(NoteCommands, SortedListIgnoresCaseAndKeepsEqualNamesInOrder) {
    std::vector<std::u16string> names = {u"яблоко", u"Work",    u"Бюджет", u"покупки",
                                         u"apple",  u"Покупки", u"БАНК",   u"zoo"};
    sortNoteNames(names);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"apple", u"Work", u"zoo", u"БАНК", u"Бюджет",
                                                  u"покупки", u"Покупки", u"яблоко"}));
    // One file holds names equal but for case: the lists keep the first.
    dropCaseDuplicates(names);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"apple", u"Work", u"zoo", u"БАНК", u"Бюджет",
                                                  u"покупки", u"яблоко"}));
}

TEST(NoteCommands, MenuItemsFollowThePanelTheSelectionAndTheDropDown) {
    program::RefreshFacts f;
    struct Case {
        bool selected, panel, dropped;
        bool add, renameOrDelete, viewSettings;
    } cases[] = {
        {false, false, false, true, false, false}, {true, false, false, true, true, true},
        {true, true, false, false, false, true},   {true, false, true, true, false, true},
        {false, true, true, false, false, false},
    };
    for (const auto& c : cases) {
        f.noteSelected = c.selected;
        f.namePanelShowing = c.panel;
        f.namesDroppedDown = c.dropped;
        EXPECT_EQ(addNoteEnabled(f), c.add);
        EXPECT_EQ(renameOrDeleteEnabled(f), c.renameOrDelete);
        EXPECT_EQ(viewSettingsEnabled(f), c.viewSettings);
    }
}

TEST(NoteCommands, ViewAndResultsHeightsShareTheEditorArea) {
    EXPECT_EQ(note2OpeningHeight(400), 197);
    EXPECT_EQ(note2OpeningHeight(401), 197);
    EXPECT_EQ(note2OpeningHeight(4), 0);
    // Space 30..430 (400 px), splitter 6, each side at least 20.
    EXPECT_EQ(note2HeightForSplitterAt(200, 30, 430, 6, 20), 224);
    EXPECT_EQ(note2HeightForSplitterAt(0, 30, 430, 6, 20), 374);
    EXPECT_EQ(note2HeightForSplitterAt(429, 30, 430, 6, 20), 20);
    EXPECT_EQ(note2HeightForSplitterAt(50, 30, 60, 6, 20), 12);

    EXPECT_EQ(search::editorAreaHeight(400, false, 100), 400);
    EXPECT_EQ(search::editorAreaHeight(400, true, search::kResultsAreaOpening), 300);
    EXPECT_EQ(search::editorAreaHeight(60, true, 100), 0);
    EXPECT_EQ(search::resultsHeightForSplitterAt(250, 400, 40), 150);
    EXPECT_EQ(search::resultsHeightForSplitterAt(395, 400, 40), 40);
    EXPECT_EQ(search::resultsHeightForSplitterAt(-5, 400, 40), 360);
}

namespace {
using NoteSettingsMove = quivra::settings::testing::TempFolderTest;
}

TEST_F(NoteSettingsMove, RenameCarriesTheKeysItHasAndErasesTheOldSection) {
    NoteSettingsFile file(folder().u16string());
    base::IniFile ini(file.path());
    ini.writeBool(u"Старая", u"ReadOnly", true);
    ini.writeBool(u"Старая", u"ShowFormatBar", false);
    ini.writeString(u"Старая", u"Other", u"x");
    ini.writeBool(u"Соседняя", u"WordWrap", true);
    const MovedViewSettings moved = file.moveSection(u"старая", u"Новая");
    EXPECT_EQ(moved.readOnly, true);
    EXPECT_EQ(moved.wordWrap, std::nullopt);
    EXPECT_EQ(moved.showFormatBar, false);
    EXPECT_EQ(ini.sectionNames(), (std::vector<std::u16string>{u"Соседняя", u"Новая"}));
    EXPECT_EQ(ini.keyNames(u"Новая"), (std::vector<std::u16string>{u"ReadOnly", u"ShowFormatBar"}));
    const NoteViewSettings read = file.read(u"новая");
    EXPECT_TRUE(read.readOnly);
    EXPECT_FALSE(read.showFormatBar);

    file.eraseSection(u"НОВАЯ");
    file.eraseSection(u"Нет такой");
    EXPECT_EQ(ini.sectionNames(), (std::vector<std::u16string>{u"Соседняя"}));
    // A note without a section moves nothing and writes none.
    const MovedViewSettings none = file.moveSection(u"Без настроек", u"Другая");
    EXPECT_FALSE(none.readOnly || none.wordWrap || none.showFormatBar);
    EXPECT_EQ(ini.sectionNames(), (std::vector<std::u16string>{u"Соседняя"}));
}
