#include "notes/note_on_disk.h"

#include <gtest/gtest.h>

#include <set>

namespace quivra::notes {
namespace {

TEST(NoteOnDisk, ComparesStampsFirstAndContentOnlyWhenTheyDiffer) {
    const std::string bytes = "{\\rtf1 text}";
    const KnownNoteFile known{{true, bytes.size(), 100}, contentHash(bytes)};
    const KnownNoteFile none{};
    struct Case {
        const char* what;
        KnownNoteFile known;
        FileStamp now;
        std::optional<std::string> content; // nullopt: unreadable
        DiskChange expected;
        bool readsContent;
    };
    const Case cases[] = {
        {"untouched", known, known.stamp, bytes, DiskChange::None, false},
        {"touched, same bytes", known, {true, bytes.size(), 200}, bytes, DiskChange::None, true},
        {"same size and time, other bytes: trusted", known, known.stamp, "{\\rtf1 TEXT}",
         DiskChange::None, false},
        {"rewritten, same size",
         known,
         {true, bytes.size(), 200},
         "{\\rtf1 TEXT}",
         DiskChange::Changed,
         true},
        {"rewritten, other size", known, {true, 3, 100}, "abc", DiskChange::Changed, false},
        {"locked by its writer",
         known,
         {true, bytes.size(), 200},
         std::nullopt,
         DiskChange::Changed,
         true},
        {"deleted", known, {}, std::nullopt, DiskChange::Deleted, false},
        {"still missing", none, {}, std::nullopt, DiskChange::None, false},
        {"made where there was none",
         none,
         {true, bytes.size(), 100},
         bytes,
         DiskChange::Changed,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool read = false;
        const auto change = compareWithDisk(c.known, c.now, [&]() -> std::optional<std::uint64_t> {
            read = true;
            if (!c.content)
                return std::nullopt;
            return contentHash(*c.content);
        });
        EXPECT_EQ(change, c.expected);
        EXPECT_EQ(read, c.readsContent);
    }
}

TEST(NoteOnDisk, NeitherTheUsersTextNorTheOtherProgramsIsOverwritten) {
    using enum DiskChange;
    using enum Moment;
    using A = DiskAction;
    struct Case {
        DiskChange change;
        bool modified;
        bool deletedOnDisk;
        Moment moment;
        DiskAction expected;
    };
    const Case cases[] = {
        // Nothing happened outside: the usual saves.
        {None, false, false, Look, A::Nothing},
        {None, false, false, AutoSave, A::Nothing},
        {None, true, false, Look, A::Nothing},
        {None, true, false, AutoSave, A::Write},
        {None, true, false, UserSave, A::Write},
        {None, true, false, Leave, A::Write},
        // Another program rewrote the note.
        {Changed, false, false, Look, A::Reload},
        {Changed, false, false, AutoSave, A::Reload},
        {Changed, false, false, Leave, A::Nothing},
        {Changed, true, false, Look, A::Nothing}, // the typing goes on undisturbed
        {Changed, true, false, AutoSave, A::KeepConflict},
        {Changed, true, false, UserSave, A::KeepConflict},
        {Changed, true, false, Leave, A::KeepConflict},
        // Another program deleted it.
        {Deleted, false, false, Look, A::KeepAsDeleted},
        {Deleted, true, false, AutoSave, A::KeepAsDeleted},
        {Deleted, true, false, UserSave, A::Write},
        {Deleted, false, false, Leave, A::KeepInRecovery},
        // A note kept after its file was deleted is written only when asked.
        {None, true, true, Look, A::Nothing},
        {None, true, true, AutoSave, A::Nothing},
        {None, true, true, UserSave, A::Write},
        {None, true, true, Leave, A::KeepInRecovery},
        {Changed, true, true, AutoSave, A::KeepConflict}, // the file came back
        // The end of the session keeps what leaving keeps.
        {Changed, true, false, EndSession, A::KeepConflict},
        {None, true, true, EndSession, A::KeepInRecovery},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.change) << c.modified << c.deletedOnDisk << int(c.moment));
        EXPECT_EQ(decideDiskAction(c.change, c.modified, c.deletedOnDisk, c.moment), c.expected);
    }
}

TEST(NoteOnDisk, ConflictNameIsFreeAndAcceptedAsANoteName) {
    const base::DateTime at{2026, 3, 7, 9, 5, 59};
    std::set<std::u16string> taken;
    const auto isTaken = [&](const std::u16string& n) { return taken.count(n) > 0; };
    EXPECT_EQ(conflictNoteName(u"План", at, isTaken), u"План (конфликт 2026-03-07 09-05)");
    taken.insert(u"План (конфликт 2026-03-07 09-05)");
    taken.insert(u"План (конфликт 2026-03-07 09-05, 2)");
    EXPECT_EQ(conflictNoteName(u"План", at, isTaken), u"План (конфликт 2026-03-07 09-05, 3)");
    EXPECT_EQ(conflictNoteName(u"", at, isTaken), u" (конфликт 2026-03-07 09-05)");
    const std::u16string dotted = *conflictNoteName(u"x.y", at, isTaken);
    for (const char16_t c : dotted)
        EXPECT_EQ(std::u16string_view(u"*/:<>?\\|").find(c), std::u16string_view::npos);
    EXPECT_EQ(conflictNoteName(u"a", at, [](const std::u16string&) { return true; }), std::nullopt);
}

} // namespace
} // namespace quivra::notes
