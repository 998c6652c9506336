// Keys read alike wherever the program names them.
#include "base/key_names.h"

#include <gtest/gtest.h>

using quivra::base::KeyModifiers;
using quivra::base::keyName;

TEST(KeyNames, ModifiersInOneOrderThenTheKey) {
    const struct {
        KeyModifiers modifiers;
        unsigned vk;
        const char16_t* name;
    } cases[] = {
        {{.ctrl = true, .shift = true}, 'F', u"Ctrl+Shift+F"},
        {{.alt = true}, 'C', u"Alt+C"},
        {{}, 0x74, u"F5"},
        {{.alt = true}, 0x26, u"Alt+Up"},
        {{.ctrl = true, .alt = true, .shift = true, .win = true}, '7', u"Ctrl+Alt+Shift+Win+7"},
        {{.win = true}, 0xBA, u"Win+#186"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(keyName(c.modifiers, c.vk), c.name);
}
