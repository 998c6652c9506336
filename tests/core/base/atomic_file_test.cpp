#include "base/atomic_file.h"

#include "base/errors.h"
#include "common/temp_folder.h"

using namespace quivra;
namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public quivra::settings::testing::TempFolderTest {
  protected:
    void TearDown() override {
        base::setBeforeReplaceHookForTesting(nullptr);
        TempFolderTest::TearDown();
    }
    fs::path file() const { return folder() / u"Заметка.note"; }

    // Expects the write to be refused with the platform's text for the target.
    static void expectRefused(const fs::path& target, std::string_view bytes) {
        try {
            base::replaceFileAtomically(target, bytes);
            ADD_FAILURE() << "no error for " << target;
        } catch (const base::UserError& e) {
            EXPECT_EQ(e.text(), u"Unable to write to " + target.u16string());
        }
    }
};

// What the hook saw at the moment between writing the temporary and renaming it.
struct Seen {
    fs::path temporary;
    std::string temporaryBytes, targetBytes;
} seen;

std::string contentOf(const fs::path& p) {
    std::error_code ec;
    return base::readWholeFile(p, ec).value_or("<unreadable>");
}

bool recordAndFail(const fs::path& temporary, const fs::path& target) {
    seen = {temporary, contentOf(temporary), contentOf(target)};
    return false;
}

TEST_F(AtomicFileTest, ReplacementHoldsExactlyTheNewBytesAndLeavesNothingElse) {
    const std::string binary("{\\rtf1 \xD0\x97\0\r\n\x1A}", 12);
    for (std::string_view bytes : {std::string_view("first, rather long content"),
                                   std::string_view(binary), std::string_view()}) {
        base::replaceFileAtomically(file(), bytes);
        EXPECT_EQ(readBytes(file()), bytes);
        EXPECT_EQ(entries(), std::vector<std::string>{"Заметка.note"});
    }
    fs::permissions(file(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    base::replaceFileAtomically(file(), "again");
    EXPECT_EQ(fs::status(file()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AtomicFileTest, FailureBetweenTemporaryAndReplaceKeepsTheOldFile) {
    writeBytes(file(), "old");
    base::setBeforeReplaceHookForTesting(recordAndFail);
    expectRefused(file(), "new");
    EXPECT_EQ(seen.temporary.parent_path(), folder());
    EXPECT_TRUE(base::isAtomicTemporaryName(seen.temporary.filename()));
    EXPECT_EQ(seen.temporaryBytes, "new"); // complete before the old file is touched
    EXPECT_EQ(seen.targetBytes, "old");
    EXPECT_EQ(readBytes(file()), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"Заметка.note"});

    expectRefused(folder() / "new.note", "new"); // a file that did not exist stays absent
    EXPECT_EQ(entries(), std::vector<std::string>{"Заметка.note"});
}

TEST_F(AtomicFileTest, RefusedTargetsKeepTheirContent) {
    // Tests may run as root, who may write anyway: the permission bit decides.
    writeBytes(file(), "old");
    fs::permissions(file(), fs::perms::owner_read);
    expectRefused(file(), "new");
    EXPECT_EQ(readBytes(file()), "old");

    expectRefused(folder() / "missing" / "a.note", "new");
    fs::create_directory(folder() / "dir.note");
    expectRefused(folder() / "dir.note", "new");
    EXPECT_EQ(entries(), (std::vector<std::string>{"dir.note", "Заметка.note"}));

    std::error_code ec;
    EXPECT_FALSE(base::readWholeFile(folder() / "missing.note", ec));
    EXPECT_EQ(ec, std::errc::no_such_file_or_directory);
    EXPECT_FALSE(base::readWholeFile(folder() / "dir.note", ec));
    EXPECT_TRUE(ec);
}

TEST_F(AtomicFileTest, StaleTemporariesOfOursAreRemovedAndOtherFilesKept) {
    for (const char* name : {"a.note", "a.note.~tmp0123abcd", "a.note.~tmpffffffff",
                             "b.ini.~tmp00000000", "a.note.~tmp0123ABCD", "a.note.~tmp0123abc",
                             "a.note.~tmp0123abcde", ".~tmp0123abcd", "a.note.~tmpnothex!"})
        writeBytes(folder() / name, "x");
    fs::create_directory(folder() / "dir.~tmp0123abcd");
    const std::vector<std::string> others{".~tmp0123abcd",        "a.note",
                                          "a.note.~tmp0123ABCD",  "a.note.~tmp0123abc",
                                          "a.note.~tmp0123abcde", "a.note.~tmpnothex!",
                                          "dir.~tmp0123abcd"};

    base::removeStaleTemporaries(folder() / "a.note");
    auto expected = others;
    expected.insert(expected.begin() + 6, "b.ini.~tmp00000000");
    EXPECT_EQ(entries(), expected);

    base::removeStaleTemporariesIn(folder());
    EXPECT_EQ(entries(), others);
    base::removeStaleTemporariesIn(folder() / "missing"); // ignored
}

TEST_F(AtomicFileTest, TargetWithTheLongestNameStillGetsATemporaryThatFits) {
    const fs::path target = folder() / (std::string(250, 'x') + ".note");
    base::replaceFileAtomically(target, "old");
    base::setBeforeReplaceHookForTesting(recordAndFail);
    expectRefused(target, "new");
    const auto tempName = seen.temporary.filename().native();
    EXPECT_LE(tempName.size(), 255u);
    EXPECT_TRUE(base::isAtomicTemporaryName(seen.temporary.filename()));

    base::setBeforeReplaceHookForTesting(nullptr);
    writeBytes(folder() / (tempName.substr(0, tempName.size() - 8) + "0badcafe"), "stale");
    base::removeStaleTemporaries(target);
    base::replaceFileAtomically(target, "new");
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(entries(), std::vector<std::string>{target.filename().string()});
}

} // namespace
