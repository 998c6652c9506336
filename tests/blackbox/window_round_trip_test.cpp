// Every way of sending the window away followed by every way of calling it
// back, driven with the real keyboard and mouse: each time the window comes
// back whole (the same child windows), with the editor focused and taking
// typed words, and each word reaches the note's file at the next hide. Esc
// in any field of the window closes what it closes and destroys nothing.
#include "called_in_program.h"

#include "crypto/crypto_ids.h"
#include "editor/editor_ids.h"
#include "search/search_ids.h"
#include "window/presenter_win.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quivra::blackbox;

namespace {

enum class Away { EscInEditor, EscInSecondView, Hotkey, HideButton, EdgeLine, Tray, OtherWindow };
enum class Back { Hotkey, EdgeLine, Tray };

std::vector<HWND> descendants(HWND window) {
    std::vector<HWND> all;
    findChildWhere(window, [&](HWND w) {
        all.push_back(w);
        return false;
    });
    return all;
}

// The classes of every window inside the main window, in creation order.
std::vector<std::wstring> childClasses(HWND window) {
    std::vector<std::wstring> classes;
    for (HWND w : descendants(window)) {
        wchar_t name[64]{};
        GetClassNameW(w, name, 64);
        classes.emplace_back(name);
    }
    return classes;
}

std::wstring wide(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

class WindowRoundTrip : public ProgramTest, public ::testing::WithParamInterface<Away> {
  protected:
    void SetUp() override {
        start(notesAAndB());
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(waitForSlidOut(window)) << "no first slide-out";
        callBack(Back::Hotkey);
        if (GetParam() == Away::EscInSecondView)
            openSecondViewOnB();
        // The changed mark is made the first time the note changes.
        clickWithMouse(window, editor());
        typeLetters(window, "first");
        baseline = childClasses(window);
    }

    HWND editor() const { return findChild(window, L"RichEdit20W"); }

    void openSecondViewOnB() {
        HWND chooser = findChildById(window, quivra::notes::ID_NOTE2LIST);
        ASSERT_NE(chooser, nullptr);
        const RECT r = screenRect(chooser);
        SetForegroundWindow(window);
        mouseClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        settle(window);
        pressKeys(window, {VK_DOWN});
        pressKeys(window, {VK_DOWN});
        pressKeys(window, {VK_RETURN});
        ASSERT_TRUE(waitFor([&] {
            HWND view = findChildById(window, quivra::notes::ID_NOTE2);
            return view && IsWindowVisible(view) && windowText(view) == L"bee";
        }));
    }

    // The one column of the window's edge strip at the left screen edge.
    POINT edgeLine() const {
        const RECT r = screenRect(window);
        return {std::max(0L, r.left + 1), (r.top + r.bottom) / 2};
    }

    void sendAway(Away how) {
        HWND other = nullptr;
        switch (how) {
        case Away::EscInEditor: // the editor has the focus, as after typing
            pressKeys(window, {VK_ESCAPE});
            break;
        case Away::EscInSecondView:
            clickWithMouse(window, findChildById(window, quivra::notes::ID_NOTE2));
            pressKeys(window, {VK_ESCAPE});
            break;
        case Away::Hotkey:
            toggleBy(Back::Hotkey);
            break;
        case Away::HideButton: {
            HWND hide = findChildWhere(window, [&](HWND w) {
                return hasClass(w, L"Button") && GetParent(w) == window && windowText(w) == L"X";
            });
            ASSERT_NE(hide, nullptr);
            const RECT r = screenRect(hide);
            mouseClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
            break;
        }
        case Away::EdgeLine:
            toggleBy(Back::EdgeLine);
            break;
        case Away::Tray:
            toggleBy(Back::Tray);
            break;
        case Away::OtherWindow:
            other = CreateWindowExW(0, L"STATIC", L"other program", WS_POPUP | WS_VISIBLE, 700, 100,
                                    50, 50, nullptr, nullptr, nullptr, nullptr);
            SetForegroundWindow(other);
            break;
        }
        EXPECT_TRUE(waitForSlidOut(window)) << "the window did not go away";
        if (other)
            DestroyWindow(other);
    }

    // The hotkey, the edge line and the tray toggle the window either way.
    void toggleBy(Back how) {
        switch (how) {
        case Back::Hotkey:
            pressKeys(window, {VK_LWIN, 'N'});
            break;
        case Back::EdgeLine:
            mouseClick(edgeLine());
            break;
        case Back::Tray:
            // What the shell sends when the tray icon is clicked.
            PostMessageW(window, quivra::window::WM_QUIVRA_TRAY, 0, WM_LBUTTONUP);
            break;
        }
    }

    void callBack(Back how) {
        toggleBy(how);
        ASSERT_TRUE(waitForLeft(window, 0)) << "the window did not come back";
        settle(window);
    }

    std::vector<std::wstring> baseline;
};

std::string awayName(const ::testing::TestParamInfo<Away>& info) {
    const char* names[] = {"EscInEditor", "EscInSecondView", "Hotkey", "HideButton", "EdgeLine",
                           "Tray",        "OtherWindow"};
    return names[static_cast<int>(info.param)];
}

} // namespace

TEST_P(WindowRoundTrip, EveryWayBackFindsTheWindowWholeWithTheEditorTakingTyping) {
    const std::pair<Back, std::string> ways[] = {
        {Back::Hotkey, "hotkeyword"}, {Back::EdgeLine, "edgeword"}, {Back::Tray, "trayword"}};
    std::vector<std::string> typed{"first"};
    for (const auto& [back, word] : ways) {
        SCOPED_TRACE(word);
        sendAway(GetParam());
        for (const auto& earlier : typed)
            EXPECT_NE(readBytes(note(L"A")).find(earlier), std::string::npos)
                << earlier << " not saved by the hide";
        callBack(back);
        EXPECT_EQ(childClasses(window), baseline) << "the window lost or gained child windows";
        SetForegroundWindow(window);
        settle(window);
        HWND edit = editor();
        ASSERT_NE(edit, nullptr) << "no editor";
        ASSERT_EQ(focusedIn(window), edit) << "the editor is not focused after the call-in";
        typeLetters(window, word);
        ASSERT_NE(windowText(edit).find(wide(word)), std::wstring::npos) << "typing was lost";
        typed.push_back(word);
    }
    sendAway(GetParam());
    for (const auto& word : typed)
        EXPECT_NE(readBytes(note(L"A")).find(word), std::string::npos) << word << " not saved";
}

INSTANTIATE_TEST_SUITE_P(AllWaysAway, WindowRoundTrip,
                         ::testing::Values(Away::EscInEditor, Away::EscInSecondView, Away::Hotkey,
                                           Away::HideButton, Away::EdgeLine, Away::Tray,
                                           Away::OtherWindow),
                         awayName);

namespace {

class EscInAField : public CalledInProgram {};

} // namespace

// Esc in a field of the window or of a floating panel leaves the window in
// place with every child window it had; the editor then takes typing.
TEST_F(EscInAField, DestroysNothingAndLeavesTheEditorTakingTyping) {
    using namespace quivra;
    const auto clickAndFocus = [&](HWND control) {
        clickWithMouse(window, control);
        return focusedIn(window);
    };
    const struct {
        const char* field;
        std::function<HWND()> open; // the field, focused
    } fields[] = {
        {"password",
         [&] {
             clickWithMouse(window, editor);
             SendMessageW(editor, EM_SETSEL, 0, 5);
             pressKeys(window, {VK_MENU, 'D'});
             return findChildById(window, crypto::ID_ECEDIT);
         }},
        {"search", [&] { return clickAndFocus(findChildById(window, search::ID_FINDEDIT)); }},
        {"quick add", [&] { return clickAndFocus(findChildById(window, notes::ID_QUICKADD)); }},
        {"name",
         [&] {
             PostMessageW(window, WM_COMMAND, notes::N_add, 0);
             settle(window);
             return focusedIn(window);
         }},
        {"font panel",
         [&] {
             clickAt(findChildById(window, editor::ID_FORMATBAR), {185, 8}); // the font button
             settle(window);
             return focusedIn(window);
         }},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.field);
        HWND field = f.open();
        ASSERT_NE(field, nullptr);
        ASSERT_EQ(focusedIn(window), field) << "the field did not take the focus";
        const std::vector<HWND> before = descendants(window);
        pressKeys(window, {VK_ESCAPE});
        EXPECT_TRUE(std::all_of(before.begin(), before.end(), [](HWND w) { return IsWindow(w); }))
            << "Esc destroyed a window";
        EXPECT_EQ(screenRect(window).left, 0) << "Esc in a field hid the window";
        clickWithMouse(window, editor);
        typeLetters(window, "esc");
        EXPECT_EQ(focusedIn(window), editor);
        EXPECT_NE(windowText(editor).find(L"esc"), std::wstring::npos);
    }
}
