// The router hands each identifier to the subsystem whose block holds it, and
// a command from a shortcut runs only while its menu item is enabled.
#include "support/program_folder.h"

#include "app/command_router_win.h"
#include "program/refresh_table.h"
#include "win/wide_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quivra;
using namespace quivra::test;

namespace {

struct FakeSubsystem : program::Subsystem {
    std::vector<int> commands;
    std::vector<UINT_PTR> timers;
    std::vector<UINT_PTR> notifications;
    win::UniqueMenu menu{CreatePopupMenu()};
    bool onCommand(int id, int, HWND) override {
        commands.push_back(id);
        return true;
    }
    bool onTimer(UINT_PTR id) override {
        timers.push_back(id);
        return true;
    }
    bool onNotify(NMHDR& hdr, LRESULT& result) override {
        notifications.push_back(hdr.idFrom);
        result = 7;
        return true;
    }
    HMENU menuOf(int id) const override { return id % 2 ? menu.get() : nullptr; }
};

constexpr int kShortcut = 1;

} // namespace

TEST(CommandRouter, EachIdentifierReachesTheOwnerOfItsBlock) {
    FakeSubsystem notes, window;
    app::CommandRouter router;
    router.add(program::kNotesIds, notes);
    router.add(program::kWindowIds, window);
    EXPECT_TRUE(router.command(program::kNotesIds.first, 0, nullptr));
    EXPECT_TRUE(router.command(program::kWindowIds.last, 0, nullptr));
    EXPECT_FALSE(router.command(program::kAppIds.first, 0, nullptr)); // nobody owns it
    EXPECT_TRUE(router.timer(program::kWindowIds.first + 1));
    NMHDR hdr{nullptr, static_cast<UINT_PTR>(program::kNotesIds.last), 0};
    LRESULT result = 0;
    EXPECT_TRUE(router.notify(hdr, result));
    EXPECT_EQ(result, 7);
    EXPECT_EQ(notes.commands, std::vector<int>{program::kNotesIds.first});
    EXPECT_EQ(window.commands, std::vector<int>{program::kWindowIds.last});
    EXPECT_EQ(window.timers, std::vector<UINT_PTR>{program::kWindowIds.first + 1});
    EXPECT_EQ(notes.notifications, std::vector<UINT_PTR>{program::kNotesIds.last});
}

TEST(CommandRouter, ShortcutOfADisabledItemDoesNothing) {
    FakeSubsystem notes;
    app::CommandRouter router;
    router.add(program::kNotesIds, notes);
    const int item = program::kNotesIds.first + 1; // has an item in the fake's menu
    AppendMenuW(notes.menu.get(), MF_STRING | MF_GRAYED, item, L"item");
    EXPECT_TRUE(router.command(item, kShortcut, nullptr));
    EXPECT_TRUE(notes.commands.empty());
    // A click on the item itself, or on a control, is not a shortcut.
    router.command(item, 0, nullptr);
    EXPECT_EQ(notes.commands.size(), 1u);
    EnableMenuItem(notes.menu.get(), item, MF_ENABLED);
    router.command(item, kShortcut, nullptr);
    EXPECT_EQ(notes.commands.size(), 2u);
    // A command without an item is not checked.
    router.command(program::kNotesIds.first + 2, kShortcut, nullptr);
    EXPECT_EQ(notes.commands.size(), 3u);
}

TEST(CommandRouter, ReadOnlyShortcutIsRefusedWhileNoNoteIsSelected) {
    ProgramFolder folder;
    auto form = folder.start();
    ASSERT_EQ(form->notes().lists().selectedNoteIndex(), -1);
    form->presenter().PeriodicRefresh(); // greys the note commands
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(notes::sett_ro, kShortcut), 0);
    EXPECT_FALSE(form->state().NoteReadOnly);
}
