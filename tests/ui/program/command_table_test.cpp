// A command row runs its owner's handler or, through a function given the
// owner, a handler of one of the owner's parts; either way the row's
// notification code and its key rule decide whether it runs.
#include "program/command_table_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quivra;

namespace {

struct Part {
    std::vector<std::string>& log;
    void Click() { log.push_back("part"); }
};

struct Owner {
    std::vector<std::string> log;
    Part part{log};
    bool keysAllowed = true;
    void Click() { log.push_back("owner"); }
    bool allowed() const { return keysAllowed; }

    static program::Commands<Owner> commands() {
        static constexpr program::Command<Owner> kRows[] = {
            {.id = 1, .run = &Owner::Click},
            {.id = 2, .run = [](Owner& o) { o.part.Click(); }, .code = BN_CLICKED},
            {.id = 3, .run = [](Owner& o) { o.part.Click(); }, .keyAllowed = &Owner::allowed},
            {.id = 4, .caption = L"nothing runs"},
        };
        return kRows;
    }
};

} // namespace

TEST(CommandTable, RowsRunTheOwnersOrAPartsHandlerWhenCodeAndKeyRuleAllow) {
    struct Case {
        int id, code;
        bool keysAllowed;
        bool known;
        std::vector<std::string> ran;
    };
    const Case cases[] = {
        {1, program::kAnyCode, true, true, {"owner"}},
        {2, BN_CLICKED, true, true, {"part"}},
        {2, EN_CHANGE, true, true, {}}, // another notification of the control
        {3, program::kFromShortcut, true, true, {"part"}},
        {3, program::kFromShortcut, false, true, {}}, // the key may not run it now
        {3, 0, false, true, {"part"}},                // the menu item may
        {4, 0, true, true, {}},                       // a row without a handler
        {5, 0, true, false, {}},                      // not the table's
    };
    for (const Case& c : cases) {
        Owner owner;
        owner.keysAllowed = c.keysAllowed;
        EXPECT_EQ(program::runCommand(Owner::commands(), owner, c.id, c.code), c.known)
            << "id " << c.id << ", code " << c.code;
        EXPECT_EQ(owner.log, c.ran) << "id " << c.id << ", code " << c.code;
    }
}
