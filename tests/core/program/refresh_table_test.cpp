#include "program/refresh_table.h"

#include "notes/note_command_rules.h"

#include <gtest/gtest.h>

#include <string>

using namespace quivra;
using namespace quivra::program;

TEST(RefreshTable, RowsRunInStepOrderWhateverOrderTheSubsystemsAddThem) {
    program::RefreshTable table;
    std::string ran;
    auto row = [&ran](char name) {
        return [&ran, name](const program::RefreshFacts&) { ran += name; };
    };
    table.add(program::RefreshStep::NotesMenu, row('9'));
    table.add(program::RefreshStep::ChangedMark, row('2'));
    table.add(program::RefreshStep::FormatBar, row('8'));
    table.add(program::RefreshStep::CaretColour, row('1'));
    table.add(program::RefreshStep::NotesToolbar, row('6'));
    table.add(program::RefreshStep::NotesToolbar, row('b')); // same step: in the order added
    table.add(program::RefreshStep::Encrypt, row('3'));
    table.run({});
    EXPECT_EQ(ran, "1236b89");
    ran.clear();
    table.run({});
    EXPECT_EQ(ran, "1236b89");
}

TEST(RefreshTable, NotesRowsFollowTheirFacts) {
    program::RefreshFacts f;
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
