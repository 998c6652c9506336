#include "notes/note_file.h"

#include "platform/errors.h"
#include "../settings/temp_folder.h"

using namespace quivra::notes;
namespace fs = std::filesystem;

namespace {

class NoteFileTest : public quivra::settings::testing::TempFolderTest {};

constexpr DateTime kMorning{2026, 12, 9, 6, 30, 15};

TEST(RecoveryFileName, NamesTheNoteAndTheTimeInCharactersFileSystemsAccept) {
    struct Case {
        std::u16string note;
        DateTime time;
        int number;
        std::u16string expected;
    } cases[] = {
        {u"План", kMorning, 1, u"План 2026-12-09 06-30-15.rtf"},
        {u"a*b/c:d<e>f?g\\h|i\"j", kMorning, 1, u"a_b_c_d_e_f_g_h_i_j 2026-12-09 06-30-15.rtf"},
        {u"tab\there\nnew\x1f", kMorning, 1, u"tab_here_new_ 2026-12-09 06-30-15.rtf"},
        {u" Plan.2014 ", kMorning, 1, u" Plan.2014  2026-12-09 06-30-15.rtf"},
        {u"", {987, 1, 2, 3, 4, 5}, 1, u"0987-01-02 03-04-05.rtf"},
        {u"План", kMorning, 2, u"План 2026-12-09 06-30-15 (2).rtf"},
        {u"План", kMorning, 12, u"План 2026-12-09 06-30-15 (12).rtf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recoveryFileName(c.note, c.time, c.number), c.expected);

    const std::u16string suffix = u" 2026-12-09 06-30-15.rtf";
    EXPECT_EQ(recoveryFileName(std::u16string(150, u'я'), kMorning),
              std::u16string(kMaxRecoveryNoteNameLength, u'я') + suffix);
    // A character outside the BMP at the cut is dropped whole.
    const std::u16string pairAtCut = std::u16string(kMaxRecoveryNoteNameLength - 1, u'a') + u"😀b";
    EXPECT_EQ(recoveryFileName(pairAtCut, kMorning),
              std::u16string(kMaxRecoveryNoteNameLength - 1, u'a') + suffix);
}

TEST_F(NoteFileTest, RecoveryFilesAreNumberedAndNeverReplaceEachOther) {
    const fs::path data = folder() / "Data";
    const std::u16string note = u"Дела: срочно";
    const auto first = writeRecoveryFile(data, note, kMorning, "{\\rtf1 one}");
    const auto second = writeRecoveryFile(data, note, kMorning, "{\\rtf1 two}");
    const auto third = writeRecoveryFile(data, note, kMorning, "{\\rtf1 three}");
    EXPECT_EQ(first, data / "Recovery" / u"Дела_ срочно 2026-12-09 06-30-15.rtf");
    EXPECT_EQ(second, data / "Recovery" / u"Дела_ срочно 2026-12-09 06-30-15 (2).rtf");
    EXPECT_EQ(third, data / "Recovery" / u"Дела_ срочно 2026-12-09 06-30-15 (3).rtf");
    EXPECT_EQ(readBytes(first), "{\\rtf1 one}");
    EXPECT_EQ(readBytes(third), "{\\rtf1 three}");

    writeBytes(folder() / "NotAFolder", "x");
    EXPECT_THROW(writeRecoveryFile(folder() / "NotAFolder", note, kMorning, "x"),
                 quivra::UserError);
}

TEST_F(NoteFileTest, SavesReplaceTheNoteAndEnumerationCleansOnlyOurTemporaries) {
    const fs::path note = folder() / u"Список.note";
    saveNoteFile(note, "{\\rtf1 old}");
    saveNoteFile(note, "{\\rtf1 new}");
    EXPECT_EQ(readBytes(note), "{\\rtf1 new}");

    fs::permissions(note, fs::perms::owner_read);
    EXPECT_THROW(saveNoteFile(note, "{\\rtf1 lost}"), quivra::UserError);
    EXPECT_EQ(readBytes(note), "{\\rtf1 new}");

    for (const char* name : {"Список.note.~tmp89abcdef", "notessettings.ini.~tmp01234567",
                             "backup.~tmp", "Другая.note"})
        writeBytes(folder() / name, "x");
    removeStaleNoteTemporaries(folder());
    EXPECT_EQ(entries(), (std::vector<std::string>{"backup.~tmp", "Другая.note", "Список.note"}));
}

} // namespace
