#include <gtest/gtest.h>

#include "crypto/hex.h"
#include "crypto/key_derivation.h"

#include "common/crypto_vectors.h"

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <vector>

using namespace quivra;
using namespace quivra::crypto;

TEST(HexToInt64, ReadsTheLastSixteenDigitsAsASignedNumber) {
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    const std::pair<std::u16string, std::int64_t> cases[] = {
        {u"ABC", 2748},
        {u"abc", 2748},
        {u"", 0},
        {u"7fffffffffffffff", kMax},
        {u"8000000000000000", kMin},
        {u"FFFFFFFFFFFFFFFF", -1},
        {u"1ffffffffffffffff", -1}, // 17 digits: the first is shifted out
        {u"d41d8cd98f00b204e9800998ecf8427e", -0x167ff6671307bd82}, // MD5 of nothing
        {std::u16string(255, u'0') + u"zz", 0},                     // only 255 characters are read
    };
    for (const auto& [text, value] : cases) {
        int reports = 0;
        EXPECT_EQ(HexToInt64(text, [&](const std::u16string&) { ++reports; }), value);
        EXPECT_EQ(reports, 0);
    }
}

TEST(HexToInt64, ReportsEachBadCharacterWithTheUpperCasedTextAndReadsItAsZero) {
    struct Case {
        std::u16string text;
        std::int64_t value;
        int reports;
        std::u16string shown;
    };
    const Case cases[] = {
        {u"1g2", 0x102, 1, u"1G2"},
        {u"x y", 0, 3, u"X Y"},
        {u"fяf", 0xf0f, 1, u"FяF"}, // only ASCII letters change case
    };
    for (const auto& c : cases) {
        std::vector<std::u16string> shown;
        EXPECT_EQ(HexToInt64(c.text, [&](const std::u16string& m) { shown.push_back(m); }),
                  c.value);
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(c.reports));
        for (const auto& m : shown)
            EXPECT_EQ(m, u"Не могу преобразовать HEX-значение: " + c.shown);
    }
    EXPECT_EQ(HexToInt64(u"zz1", nullptr), 1); // no one to tell: still read
}

TEST(AlternatingFold, MultipliesAtOddAndAddsAtEvenPositions) {
    EXPECT_EQ(AlternatingFold(u"abc"), 9702);
    EXPECT_EQ(AlternatingFold(u""), 0);
    EXPECT_EQ(AlternatingFold(u"я"), 0);
    EXPECT_EQ(AlternatingFold(u"abcd"), 9702 + 'd');
    EXPECT_EQ(AlternatingFold(u"xbcde"), AlternatingFold(u"ybcde")); // the first never counts
    const unsigned long long m = 0xffff;                             // seven of them wrap past 2^64
    EXPECT_EQ(AlternatingFold(u"\xffff\xffff\xffff\xffff\xffff\xffff\xffff"),
              static_cast<std::int64_t>((((m * m + m) * m) + m) * m));
}

TEST(DeriveKeySet, GivesTheKeySetsEarlierNotesWereWrittenWith) {
    for (const auto& v : test::kKeySetVectors)
        EXPECT_EQ(DeriveKeySet(v.password, base::portableTextServices()), v.keys)
            << std::string(v.password.begin(), v.password.end());
}

TEST(DeriveKeySet, PasswordsWithTheSameBytesDifferOnlyByLengthAndCodeUnits) {
    // Characters outside the code page become '?': the digests are equal.
    const KeySet wide = DeriveKeySet(u"ключ中", base::portableTextServices());
    const KeySet ascii = DeriveKeySet(u"ключ?", base::portableTextServices());
    EXPECT_EQ(wide.K1, ascii.K1);
    EXPECT_NE(wide.K2, ascii.K2);
    EXPECT_EQ(wide.K3, ascii.K3);
    EXPECT_EQ(wide.K4, ascii.K4);
    EXPECT_EQ(wide.K5, ascii.K5);

    // A surrogate pair is two code units, each replaced: "??".
    const KeySet pair = DeriveKeySet(u"ключ😀", base::portableTextServices());
    const KeySet twoMarks = DeriveKeySet(u"ключ??", base::portableTextServices());
    EXPECT_EQ(pair.K1, twoMarks.K1);
    EXPECT_EQ(pair.K4, twoMarks.K4);
}

TEST(DeriveKeySet, RefusesAnEmptyPassword) {
    EXPECT_THROW(DeriveKeySet(u"", base::portableTextServices()), std::invalid_argument);
}
