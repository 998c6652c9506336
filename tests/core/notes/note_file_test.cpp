#include "notes/note_file.h"

#include <chrono>

#include "base/errors.h"
#include "common/temp_folder.h"

using namespace quivra::notes;
namespace fs = std::filesystem;

namespace {

class NoteFileTest : public quivra::settings::testing::TempFolderTest {};

constexpr quivra::base::DateTime kMorning{2026, 12, 9, 6, 30, 15};

TEST(RecoveryFileName, NamesTheNoteAndTheTimeInCharactersFileSystemsAccept) {
    struct Case {
        std::u16string note;
        quivra::base::DateTime time;
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
                 quivra::base::UserError);
}

TEST_F(NoteFileTest, SavesReplaceTheNoteAndEnumerationCleansOnlyOurTemporaries) {
    const fs::path note = folder() / u"Список.note";
    saveNoteFile(note, "{\\rtf1 old}");
    saveNoteFile(note, "{\\rtf1 new}");
    EXPECT_EQ(readBytes(note), "{\\rtf1 new}");

    fs::permissions(note, fs::perms::owner_read);
    EXPECT_THROW(saveNoteFile(note, "{\\rtf1 lost}"), quivra::base::UserError);
    EXPECT_EQ(readBytes(note), "{\\rtf1 new}");

    for (const char* name : {"Список.note.~tmp89abcdef", "notessettings.ini.~tmp01234567",
                             "backup.~tmp", "Другая.note"})
        writeBytes(folder() / name, "x");
    removeStaleNoteTemporaries(folder(), folder() / "Data", kMorning);
    EXPECT_EQ(entries(), (std::vector<std::string>{"backup.~tmp", "Другая.note", "Список.note"}));
}

TEST_F(NoteFileTest, TemporaryHoldingTheNewestWholeNoteBecomesARecoveryFile) {
    const fs::path notes = folder() / "Notes";
    const fs::path data = folder() / "Data";
    fs::create_directories(notes);
    const auto older = fs::file_time_type::clock::now() - std::chrono::hours(1);
    auto note = [&](const char* name, const char* bytes) {
        writeBytes(notes / name, bytes);
        fs::last_write_time(notes / name, older);
    };
    note("Done.note", "{\\rtf1 old}");
    writeBytes(notes / "Done.note.~tmp00000001", "{\\rtf1 newest {\\b text}\\par}\r\n");
    note("Torn.note", "{\\rtf1 old}");
    writeBytes(notes / "Torn.note.~tmp00000002", "{\\rtf1 half {\\b te");
    writeBytes(notes / "Gone.note.~tmp00000003", "{\\rtf1 never renamed}");
    note("Same.note", "{\\rtf1 same}");
    writeBytes(notes / "Same.note.~tmp00000004", "{\\rtf1 same}");
    writeBytes(notes / "Old.note.~tmp00000005", "{\\rtf1 stale}");
    fs::last_write_time(notes / "Old.note.~tmp00000005", older - std::chrono::hours(1));
    note("Old.note", "{\\rtf1 kept}");

    removeStaleNoteTemporaries(notes, data, kMorning);

    for (const auto& e : fs::directory_iterator(notes))
        EXPECT_FALSE(e.path().filename().string().find(".~tmp") != std::string::npos) << e.path();
    std::vector<std::string> recovered;
    for (const auto& e : fs::directory_iterator(data / "Recovery"))
        recovered.push_back(e.path().filename().string() + "=" + readBytes(e.path()));
    std::sort(recovered.begin(), recovered.end());
    EXPECT_EQ(recovered, (std::vector<std::string>{
                             "Done 2026-12-09 06-30-15.rtf={\\rtf1 newest {\\b text}\\par}\r\n",
                             "Gone 2026-12-09 06-30-15.rtf={\\rtf1 never renamed}"}));
}

TEST_F(NoteFileTest, TemporaryStaysWhenItsTextCannotBeKeptElsewhere) {
    writeBytes(folder() / "Data", "a file where the data folder should be");
    writeBytes(folder() / "A.note.~tmp0000000a", "{\\rtf1 only copy}");
    removeStaleNoteTemporaries(folder(), folder() / "Data", kMorning);
    EXPECT_EQ(readBytes(folder() / "A.note.~tmp0000000a"), "{\\rtf1 only copy}");
}

TEST(CompleteRtf, BracesMustCloseExactlyAtTheEnd) {
    EXPECT_TRUE(isCompleteRtf("{\\rtf1 a}"));
    EXPECT_TRUE(isCompleteRtf("{\\urtf1 a {b} \\{ \\} \\\\}\r\n\0"));
    EXPECT_FALSE(isCompleteRtf("{\\rtf1 a"));
    EXPECT_FALSE(isCompleteRtf("{\\rtf1 a} trailing"));
    EXPECT_FALSE(isCompleteRtf("{\\rtf1 a \\}"));
    EXPECT_FALSE(isCompleteRtf("plain text"));
    EXPECT_FALSE(isCompleteRtf(""));
}

} // namespace
