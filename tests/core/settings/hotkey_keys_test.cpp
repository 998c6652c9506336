#include "settings/hotkey_keys.h"

#include <gtest/gtest.h>

using namespace quivra::settings;

TEST(HotkeyKeys, FieldWordsBecomeRegistrationsAndBack) {
    struct Case {
        long word;
        std::optional<HotkeyKeys> keys;
        const char16_t* name;
    } cases[] = {
        {0x0600 | 'N', HotkeyKeys{1 | 2, 'N'}, u"Ctrl+Alt+N"}, // Ctrl+Alt (field 2|4)
        {0x0100 | 'Q', HotkeyKeys{4, 'Q'}, u"Shift+Q"},
        {0x0200 | 0x77, HotkeyKeys{2, 0x77}, u"Ctrl+F8"},
        {'N', std::nullopt, nullptr},    // no modifier: refused
        {0x0600, std::nullopt, nullptr}, // no key
        {0, std::nullopt, nullptr},
        {-5, std::nullopt, nullptr},
        {0x10000 | 'N', std::nullopt, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(hotkeyFromFieldWord(c.word), c.keys);
        if (c.keys) {
            EXPECT_EQ(fieldWordFromHotkey(*c.keys), c.word);
            EXPECT_EQ(hotkeyName(*c.keys), c.name);
        }
    }
    EXPECT_EQ(hotkeyName(kWinN), u"Win+N");
    EXPECT_EQ(fieldWordFromHotkey(kWinN), std::nullopt); // the field cannot show Win
}
