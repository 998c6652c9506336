// Notes added but not written yet stay listed while the folder changes.
#include "notes/added_notes.h"

#include <gtest/gtest.h>

using quivra::notes::AddedNotes;
using Names = std::vector<std::u16string>;

TEST(AddedNotes, StayListedUntilRemovedWrittenOrTheFolderChanges) {
    AddedNotes added;
    Names files; // what the folder holds
    const auto hasFile = [&files](const std::u16string& n) {
        return std::find(files.begin(), files.end(), n) != files.end();
    };
    const auto listed = [&](const std::u16string& folder) {
        Names names = files;
        added.keepListed(folder, names, hasFile);
        return names;
    };
    added.added(u"C:\\N", u"План");
    added.added(u"C:\\N", u"план"); // one note whatever the case
    added.added(u"C:\\N", u"Дела");
    files = {u"A"};
    EXPECT_EQ(listed(u"c:\\n"), (Names{u"A", u"План", u"Дела"}));
    added.renamed(u"дела", u"Итоги");
    added.removed(u"ПЛАН");
    EXPECT_EQ(listed(u"C:\\N"), (Names{u"A", u"Итоги"}));
    // Its file written, then deleted outside: it leaves the list.
    files = {u"A", u"Итоги"};
    EXPECT_EQ(listed(u"C:\\N"), (Names{u"A", u"Итоги"}));
    files = {u"A"};
    EXPECT_EQ(listed(u"C:\\N"), (Names{u"A"}));
    // Another folder forgets what was added to the first.
    added.added(u"C:\\N", u"Новая");
    EXPECT_EQ(listed(u"D:\\M"), (Names{u"A"}));
    EXPECT_EQ(listed(u"C:\\N"), (Names{u"A"}));
}
