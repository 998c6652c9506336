#include <gtest/gtest.h>

#include "notes/note_names.h"

#include <optional>

using namespace quivra::notes;

TEST(NoteNames, OnlyNoteFilesNotNamedAfterDevicesAreListed) {
    struct Case {
        std::u16string_view file;
        std::optional<std::u16string> note;
    } cases[] = {
        {u"A.note", u"A"},
        {u"x.note.note", u"x.note"},
        {u".note", u""},
        {u"Заметка.NOTE", u"Заметка"},
        {u"Console.note", u"Console"},
        {u"plan.notes", std::nullopt},
        {u"readme.txt", std::nullopt},
        {u"note", std::nullopt},
        {u"CON.note", std::nullopt},
        {u"com1.txt.note", std::nullopt},
        {u"lpt\u00B9.note", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(listedNoteName(c.file), c.note) << std::string(c.file.begin(), c.file.end());
}

TEST(NoteNames, PathIsPlainConcatenation) {
    EXPECT_EQ(notePath(u"C:\\Data\\Notes\\Default", u"План"),
              u"C:\\Data\\Notes\\Default\\План.note");
    EXPECT_EQ(notePath(u"C:\\Data\\Notes\\", u""), u"C:\\Data\\Notes\\\\.note");
}

TEST(NoteNames, DeviceNamesAreReservedWhateverTheCaseOrExtension) {
    for (const char16_t* name :
         {u"CON", u"con", u"Prn", u"AUX", u"nul", u"COM1", u"com9", u"LPT1", u"lpt9", u"CON.txt",
          u"aux.note", u"NUL ", u"COM\u00B9", u"LPT\u00B3.x", u"CONIN$", u"conout$"})
        EXPECT_TRUE(isReservedDeviceName(name)) << std::string(name, name + 1);
    for (const char16_t* name : {u"", u"CONSOLE", u"CON1", u"COM0", u"COM10", u"LPT", u"xCON",
                                 u"Aux-план", u".CON", u"COM\u00B4", u"План"})
        EXPECT_FALSE(isReservedDeviceName(name));
}
