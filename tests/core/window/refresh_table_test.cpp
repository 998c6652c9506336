#include "window/refresh_table.h"

#include "notes/note_command_rules.h"

#include <gtest/gtest.h>

#include <string>

using namespace quivra;
using namespace quivra::window;

TEST(RefreshTable, RowsRunInStepOrderWhateverOrderTheSubsystemsAddThem) {
    RefreshTable table;
    std::string ran;
    auto row = [&ran](char name) { return [&ran, name](const RefreshFacts&) { ran += name; }; };
    table.add(RefreshStep::NotesMenu, row('9'));
    table.add(RefreshStep::ChangedMark, row('2'));
    table.add(RefreshStep::FormatBar, row('8'));
    table.add(RefreshStep::CaretColour, row('1'));
    table.add(RefreshStep::NotesToolbar, row('6'));
    table.add(RefreshStep::NotesToolbar, row('b')); // same step: in the order added
    table.add(RefreshStep::Encrypt, row('3'));
    table.run({});
    EXPECT_EQ(ran, "1236b89");
    ran.clear();
    table.run({});
    EXPECT_EQ(ran, "1236b89");
}

TEST(RefreshTable, NotesRowsFollowTheirFacts) {
    RefreshFacts f;
    EXPECT_FALSE(notes::changedMarkVisible(f));
    EXPECT_FALSE(notes::notesToolbarVisible(f));
    EXPECT_FALSE(notes::viewSettingsEnabled(f));
    f.modified = true;
    f.notesPageActive = true;
    f.noteSelected = true;
    EXPECT_TRUE(notes::changedMarkVisible(f));
    EXPECT_TRUE(notes::notesToolbarVisible(f));
    EXPECT_TRUE(notes::viewSettingsEnabled(f));
}
