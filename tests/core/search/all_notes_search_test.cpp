#include <gtest/gtest.h>

#include "crypto/strong_token.h"
#include "document/text_lines.h"
#include "search/all_notes_search.h"
#include "search/background_search.h"

#include "common/crypto_cipher_text.h"
#include "common/test_code_pages.h"

#include <chrono>
#include <map>
#include <mutex>

using namespace quivra;
using namespace quivra::search;

namespace {

// Note files in memory; counts the reads.
class MemoryFiles : public NoteFiles {
  public:
    void write(const std::u16string& path, std::string bytes) {
        const std::lock_guard lock(mutex_);
        auto& file = files_[path];
        file.bytes = std::move(bytes);
        ++file.time;
    }
    base::FileStamp stamp(const std::u16string& path) const override {
        const std::lock_guard lock(mutex_);
        const auto it = files_.find(path);
        if (it == files_.end())
            return {};
        return {true, it->second.bytes.size(), it->second.time};
    }
    std::optional<std::string> read(const std::u16string& path) const override {
        const std::lock_guard lock(mutex_);
        ++reads;
        const auto it = files_.find(path);
        if (it == files_.end())
            return std::nullopt;
        return it->second.bytes;
    }
    mutable int reads = 0;

  private:
    struct File {
        std::string bytes;
        std::int64_t time = 0;
    };
    mutable std::mutex mutex_;
    std::map<std::u16string, File> files_;
};

std::string rtf(const std::string& body) {
    return "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Tahoma;}}\\f0 " + body + "}";
}

std::u16string pathOf(const std::u16string& name) {
    return u"N\\" + name + u".note";
}

class AllNotes : public ::testing::Test {
  protected:
    void add(const std::u16string& name, std::string bytes) {
        files.write(pathOf(name), std::move(bytes));
        list.push_back({name, pathOf(name)});
    }
    std::vector<std::u16string> search(std::u16string_view text) {
        corpus.update(list, stop);
        return searchAllNotes(corpus, text).lines;
    }

    MemoryFiles files;
    document::testing::TestCodePages pages;
    quivra::search::testing::CryptoCipherText cipher;
    NoteCorpus corpus{files, NoteReading{pages, 1251}, cipher};
    std::vector<ListedNote> list;
    std::atomic<bool> stop{false};
};

} // namespace

TEST_F(AllNotes, ListsEveryMatchingLineOfEveryNoteInListOrder) {
    crypto::StrongKeys keys(u"пароль", 1);
    const std::string token = [&] {
        std::string ascii;
        for (char16_t c : crypto::encryptStrongText(keys, u"кот"))
            ascii.push_back(static_cast<char>(c));
        return ascii;
    }();
    add(u"Второй",
        rtf("\\'ca\\'ee\\'f2 \\'e8 \\'ea\\'ee\\'f2\\'b8\\'ed\\'ee\\'ea\\par" // Кот и котёнок
            "\\par x{\\b KOT}\\line y\\par"                                  // line 3
            "##[ \\'ea\\'ee\\'f2 ]##\\par"                                   // a comment
            " kot" +
            token +
            "\\par"                           // an encrypted word
            "\\u-10240?kot\\u-29290?\\par")); // compatible cipher
    add(u"Пустой", "");
    add(u"Первый", "\xEF\xBB\xBF"
                   "нет\r\nКОТ в тексте\r\n");
    add(u"Бинарный", std::string("kot\0", 4));
    list.push_back({u"Без файла", pathOf(u"Без файла")});

    EXPECT_EQ(search(u"кОт"), (std::vector<std::u16string>{
                                  u"Второй: 1 Кот и котёнок",
                                  u"Второй: 4 ##[ кот ]##",
                                  u"Первый: 2 КОТ в тексте",
                              }));
    // The lines as the in-note search numbers them, the breaks inside a
    // paragraph included; a line break never matches.
    EXPECT_EQ(search(u"kot"), (std::vector<std::u16string>{
                                  u"Второй: 3 xKOT y",
                                  u"Второй: 5 kot" + std::u16string(token.begin(), token.end())}));
    EXPECT_TRUE(search(u"QV1").empty());
    EXPECT_TRUE(search(u"x\ry").empty());
    EXPECT_TRUE(search(u"").empty());
}

TEST_F(AllNotes, ARepeatedSearchReadsOnlyTheNotesThatChanged) {
    for (int i = 0; i < 5; ++i)
        add(u"n" + std::u16string(1, char16_t(u'0' + i)), rtf("common\\par"));
    EXPECT_EQ(search(u"common").size(), 5u);
    EXPECT_EQ(files.reads, 5);
    EXPECT_EQ(search(u"common").size(), 5u);
    EXPECT_EQ(files.reads, 5);

    files.write(pathOf(u"n2"), rtf("changed\\par"));
    EXPECT_EQ(search(u"changed"), std::vector<std::u16string>{u"n2: 1 changed"});
    EXPECT_EQ(files.reads, 6);
    // A note taken off the list is no longer searched.
    list.erase(list.begin());
    EXPECT_EQ(search(u"common").size(), 3u);
    EXPECT_EQ(files.reads, 6);
}

TEST_F(AllNotes, ListsAThousandLinesAndSaysHowManyMore) {
    std::string body;
    for (int i = 0; i < 600; ++i)
        body += "hit\\par ";
    add(u"a", rtf(body));
    add(u"b", rtf(body));
    const auto lines = search(u"HIT");
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_EQ(lines[999], u"b: 400 hit");
    EXPECT_EQ(lines[1000], u"… и ещё 200 совпадений");

    const std::pair<std::size_t, std::u16string_view> forms[] = {
        {1, u"… и ещё 1 совпадение"},   {3, u"… и ещё 3 совпадения"},
        {5, u"… и ещё 5 совпадений"},   {11, u"… и ещё 11 совпадений"},
        {21, u"… и ещё 21 совпадение"}, {112, u"… и ещё 112 совпадений"},
    };
    for (const auto& [n, text] : forms)
        EXPECT_EQ(moreHitsLine(n), text);
}

TEST(AllNotesHit, IsFoundInTheOpenedNoteEvenWhenTheNoteChanged) {
    struct Case {
        const char* what;
        std::u16string note;
        std::optional<Selection> selection;
    } cases[] = {
        {"at its place", u"one\rtwo KOT kot\r", Selection{12, 3}},
        {"moved in its line", u"one\rkot two\r", Selection{4, 3}},
        {"moved to another line", u"kot\rtwo\r", Selection{0, 3}},
        {"gone", u"one\rtwo\r", std::nullopt},
    };
    const NoteHit hit{u"n", 2, 8};
    for (const auto& c : cases)
        EXPECT_EQ(hitInNote(NoteText(c.note), hit, u"Kot"), c.selection) << c.what;
}

TEST(BackgroundSearch, AnswersTheLatestSearchOnly) {
    MemoryFiles files;
    document::testing::TestCodePages pages;
    quivra::search::testing::CryptoCipherText cipher;
    std::vector<ListedNote> list;
    for (int i = 0; i < 50; ++i) {
        const std::u16string name = u"n" + std::u16string(1, char16_t(u'A' + i));
        files.write(pathOf(name), rtf("alpha beta\\par"));
        list.push_back({name, pathOf(name)});
    }
    std::mutex mutex;
    std::condition_variable told;
    int answers = 0;
    BackgroundSearch background(files, {pages, 1251}, cipher, [&] {
        const std::lock_guard lock(mutex);
        ++answers;
        told.notify_one();
    });
    // The results of the searches asked for so far, once they are there.
    int seen = 0;
    const auto results = [&]() -> AllNotesResults {
        for (;;) {
            {
                std::unique_lock lock(mutex);
                if (!told.wait_for(lock, std::chrono::seconds(10), [&] { return answers > seen; }))
                    return {};
                seen = answers;
            }
            if (auto taken = background.take())
                return *taken;
        }
    };
    background.search(list, u"alpha", true);
    background.search(list, u"zzz", false);
    EXPECT_TRUE(results().lines.empty());
    background.search(list, u"beta", false);
    EXPECT_EQ(results().lines.front(), u"nA: 1 alpha beta");
    EXPECT_FALSE(background.take()); // taken once

    // A changed note is read again when the search looks at the files.
    files.write(pathOf(u"nC"), rtf("gamma\\par"));
    background.search(list, u"gamma", false);
    EXPECT_TRUE(results().lines.empty());
    background.search(list, u"gamma", true);
    EXPECT_EQ(results().lines, std::vector<std::u16string>{u"nC: 1 gamma"});
    EXPECT_EQ(background.filesRead(), 1u);
}
