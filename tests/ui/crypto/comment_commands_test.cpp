// The comment-bracket commands in the real editor and the Ctrl+click
// selection with its action menu.
#include "crypto_fixture.h"

#include "settings/keys.h"

using namespace quivra;
using namespace quivra::test;

namespace {

class CommentCommands : public CryptoFixture {
  protected:
    document::CharRange selection() { return note().selection(); }
};

} // namespace

TEST_F(CommentCommands, WrapUnwrapAndInsertMarkers) {
    setText(u"abc");
    select(0, 3);
    clickMenu(crypto::Comment);
    EXPECT_EQ(editorText(), u"##[abc]##");
    EXPECT_EQ(selection(), (document::CharRange{6, 6})); // before the closing marker
    select(0, 9);
    clickMenu(crypto::UnComment);
    EXPECT_EQ(editorText(), u"abc");
    EXPECT_EQ(selection(), (document::CharRange{0, 3}));
    select(3, 3);
    clickMenu(crypto::Comment); // an empty selection: both markers, caret between
    EXPECT_EQ(editorText(), u"abc##[]##");
    EXPECT_EQ(selection(), (document::CharRange{6, 6}));
    select(0, 1);
    clickMenu(crypto::CommentStart);
    select(4, 4);
    clickMenu(crypto::CommentEnd);
    EXPECT_EQ(editorText(), u"##[b]##c##[]##");
}

TEST_F(CommentCommands, SelectingBlocksAroundTheCaret) {
    // A block over three lines, a block beside it, and text outside.
    setText(u"x ##[один\rдва\rтри]## y ##[]##");
    struct Case {
        long caret;
        int command;
        document::CharRange selected; // unchanged caret when outside
    };
    const Case cases[] = {
        {6, crypto::SelectOnlyTextComment, {5, 17}}, // the line breaks included
        {6, crypto::C1, {2, 20}},
        {4, crypto::SelectOnlyTextComment, {5, 17}},   // just after "##"
        {3, crypto::SelectOnlyTextComment, {3, 3}},    // between the two "#"
        {17, crypto::C1, {2, 20}},                     // just before "]"
        {19, crypto::SelectOnlyTextComment, {19, 19}}, // inside the closing marker
        {0, crypto::C1, {0, 0}},
        {25, crypto::SelectOnlyTextComment, {26, 26}}, // an empty block: length 0
    };
    for (const auto& c : cases) {
        select(c.caret, c.caret);
        clickMenu(c.command);
        EXPECT_EQ(selection(), c.selected) << c.caret;
    }
    // Alt+S acts only while the editor has the focus.
    select(6, 6);
    SetFocus(form->notes().lists().listBox());
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(crypto::D2, 1), 0);
    EXPECT_EQ(selection(), (document::CharRange{6, 6}));
    note().focus();
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(crypto::D2, 1), 0);
    EXPECT_EQ(selection(), (document::CharRange{5, 17}));
}

TEST_F(CommentCommands, CtrlClickSelectsTheBlockTextAndOffersTheActionMenu) {
    std::vector<HMENU> shown;
    crypto().comments().popupMenu = [&](HMENU m, POINT) { shown.push_back(m); };
    setText(u"a ##[secret]## b");
    struct Case {
        const char* name;
        long caret;
        bool ctrl;
        UINT message;
        document::CharRange selected;
        bool menu;
    };
    const Case cases[] = {
        {"without Ctrl", 7, false, WM_LBUTTONUP, {7, 7}, false},
        {"outside a block", 15, true, WM_LBUTTONUP, {15, 15}, false},
        {"middle button", 7, true, WM_MBUTTONUP, {7, 7}, false},
        {"inside", 7, true, WM_LBUTTONUP, {5, 11}, true},
    };
    for (const auto& c : cases) {
        shown.clear();
        // The click has placed the caret; the release finds it there.
        select(c.caret, c.caret);
        form->state().CtrlDown = c.ctrl;
        SendMessageW(note().hwnd(), c.message, c.ctrl ? MK_CONTROL : 0, 0);
        EXPECT_EQ(selection(), c.selected) << c.name;
        EXPECT_EQ(shown.size(), c.menu ? 1u : 0u) << c.name;
    }
    EXPECT_FALSE(form->state().CtrlDown); // the key-up goes to the menu
    HMENU m = crypto().comments().copyOnlyMenu();
    EXPECT_EQ(shown.at(0), m);
    ASSERT_EQ(GetMenuItemCount(m), 4);
    wchar_t text[64];
    GetMenuStringW(m, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Копировать\tCtrl+C");
    GetMenuStringW(m, 2, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Расшифровать в буфер обмена");
    GetMenuStringW(m, 3, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Расшифровать");

    // With the option off the click only selects.
    form->settingsPage().optionBoxes().setBoxTicked(settings::ID_ISSHOWCOPY, false);
    shown.clear();
    select(7, 7);
    form->state().CtrlDown = true;
    SendMessageW(note().hwnd(), WM_LBUTTONUP, MK_CONTROL, 0);
    EXPECT_EQ(selection(), (document::CharRange{5, 11}));
    EXPECT_TRUE(shown.empty());
}
