// Lines, selection, the modified flag and the control's states.
#include "rich_edit_host.h"

using namespace quivra;
using namespace quivra::document;
using quivra::document::test::RichEditTest;
using Lines = std::vector<std::u16string>;

TEST_F(RichEditTest, LinesAreParagraphsWithoutAFinalEmptyOne) {
    EXPECT_EQ(edit.lineCount(), 0);
    EXPECT_EQ(edit.line(0), u"");
    const std::pair<std::u16string, Lines> cases[] = {
        {u"один", {u"один"}},
        {u"один\r", {u"один"}},
        {u"один\r\rтри\vещё\r", {u"один", u"", u"три\vещё"}},
    };
    for (const auto& [text, lines] : cases) {
        edit.setPlainText(text);
        EXPECT_EQ(edit.lines(), lines);
        ASSERT_EQ(edit.lineCount(), static_cast<int>(lines.size()));
        for (int i = 0; i < edit.lineCount(); ++i)
            EXPECT_EQ(edit.line(i), lines[i]) << "line " << i;
    }
    EXPECT_EQ(edit.lineIndex(2), 6);
    EXPECT_EQ(edit.lineFromChar(6), 2);
    EXPECT_EQ(edit.lineFromChar(5), 1);
    EXPECT_EQ(edit.lineIndex(10), -1);

    // line() reads at most 4096 code units; lines() has no such limit.
    const std::u16string longLine(5000, u'ж');
    edit.setPlainText(longLine + u"\rконец");
    EXPECT_EQ(edit.lines(), (Lines{longLine, u"конец"}));
    EXPECT_EQ(edit.line(0).size(), 4096u);
}

TEST_F(RichEditTest, ReplacingALineChangesOnlyItsText) {
    edit.setPlainText(u"первая\rвторая\rтретья");
    selectLine(0);
    CHARFORMAT2W bold{};
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    edit.setCharFormat(bold);
    edit.setLine(1, u"2-я");
    edit.setLine(7, u"нет такой");
    EXPECT_EQ(edit.text(), u"первая\r2-я\rтретья");
    selectLine(0);
    EXPECT_TRUE(edit.charFormat().dwEffects & CFE_BOLD);
    edit.setLine(0, u"");
    EXPECT_EQ(edit.lines(), (Lines{u"", u"2-я", u"третья"}));
}

TEST_F(RichEditTest, SelectionReadsAndReplaces) {
    edit.setPlainText(u"абв\rгде");
    select(2, 5);
    EXPECT_EQ(edit.selection(), (CharRange{2, 5}));
    EXPECT_EQ(edit.selectedText(), u"в\rг");
    edit.replaceSelection(u"X");
    EXPECT_EQ(edit.text(), u"абXде");
    EXPECT_EQ(edit.selection(), (CharRange{3, 3}));
    EXPECT_EQ(edit.textRange({0, -1}), u"абXде");
    EXPECT_EQ(edit.textCrLf(), u"абXде");
}

TEST_F(RichEditTest, ModifiedFlagFollowsChanges) {
    EXPECT_FALSE(edit.modified());
    SendMessageW(edit.hwnd(), WM_CHAR, L'ж', 0); // typing
    EXPECT_TRUE(edit.modified());
    edit.empty();
    EXPECT_FALSE(edit.modified());
    SendMessageW(edit.hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"слово"));
    EXPECT_TRUE(edit.modified());
    edit.setModified(false);
    EXPECT_FALSE(edit.modified());
    select(0, 2);
    CHARFORMAT2W italic{};
    italic.dwMask = CFM_ITALIC;
    italic.dwEffects = CFE_ITALIC;
    edit.setCharFormat(italic);
    EXPECT_TRUE(edit.modified()) << "a format change is a change";
    edit.setModified(false);
    edit.setRtf("{\\rtf1 x}");
    EXPECT_TRUE(edit.modified()) << "so is a load";
}

TEST_F(RichEditTest, EmptyDiscardsFormatting) {
    edit.setPlainText(u"жирный");
    select(0, -1);
    CHARFORMAT2W bold{};
    bold.dwMask = CFM_BOLD | CFM_SIZE;
    bold.dwEffects = CFE_BOLD;
    bold.yHeight = 400;
    edit.setCharFormat(bold);
    PARAFORMAT2 bullet{};
    bullet.dwMask = PFM_NUMBERING | PFM_ALIGNMENT;
    bullet.wNumbering = PFN_BULLET;
    bullet.wAlignment = PFA_RIGHT;
    edit.setParaFormat(bullet);
    edit.empty();
    edit.replaceSelection(u"новый");
    select(0, -1);
    EXPECT_EQ(edit.paraFormat().wNumbering, 0);
    EXPECT_EQ(edit.paraFormat().wAlignment, PFA_LEFT);
    const CHARFORMAT2W f = edit.charFormat();
    EXPECT_FALSE(f.dwEffects & CFE_BOLD);
    EXPECT_EQ(f.yHeight, 160);
    EXPECT_STREQ(f.szFaceName, L"Tahoma");
}

TEST_F(RichEditTest, ReadOnlyRefusesTypingButNotTheProgram) {
    edit.setReadOnly(true);
    EXPECT_TRUE(edit.readOnly());
    SendMessageW(edit.hwnd(), WM_CHAR, L'x', 0);
    EXPECT_EQ(edit.textLength(), 0);
    edit.replaceSelection(u"программа");
    EXPECT_EQ(edit.text(), u"программа");
    edit.setReadOnly(false);
    EXPECT_FALSE(edit.readOnly());
    SendMessageW(edit.hwnd(), WM_CHAR, L'!', 0);
    EXPECT_EQ(edit.text(), u"программа!");
}

TEST_F(RichEditTest, WordWrapWrapsAtTheControlsWidth) {
    std::u16string words;
    for (int i = 0; i < 200; ++i)
        words += u"слово ";
    edit.setPlainText(words);
    EXPECT_FALSE(edit.wordWrap());
    EXPECT_EQ(SendMessageW(edit.hwnd(), EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_TRUE(GetWindowLongPtrW(edit.hwnd(), GWL_STYLE) & WS_HSCROLL);
    edit.setWordWrap(true);
    EXPECT_GT(SendMessageW(edit.hwnd(), EM_GETLINECOUNT, 0, 0), 5);
    EXPECT_FALSE(GetWindowLongPtrW(edit.hwnd(), GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(edit.lines().size(), 1u); // paragraphs, not display lines
    edit.setWordWrap(false);
    EXPECT_EQ(SendMessageW(edit.hwnd(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(RichEditTest, LinksAreDetectedAndReported) {
    edit.setEventMask(ENM_LINK | ENM_CHANGE);
    EXPECT_EQ(edit.eventMask(), static_cast<DWORD>(ENM_LINK | ENM_CHANGE));
    edit.setAutoUrlDetect(true);
    EXPECT_TRUE(edit.autoUrlDetect());
    edit.setPlainText(u"см. http://example.com/page тут");
    select(8, 9);
    EXPECT_TRUE(edit.charFormat().dwEffects & CFE_LINK);

    ShowWindow(host.hwnd(), SW_SHOWNOACTIVATE);
    POINTL at{};
    SendMessageW(edit.hwnd(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), 8);
    SendMessageW(edit.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x + 1, at.y + 2));
    SendMessageW(edit.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(at.x + 1, at.y + 2));
    ASSERT_FALSE(host.links.empty());
    const LinkEvent& link = host.links.front();
    EXPECT_EQ(link.message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(edit.textRange(link.range), u"http://example.com/page");

    edit.setAutoUrlDetect(false);
    edit.setPlainText(u"http://example.com");
    select(3, 4);
    EXPECT_FALSE(edit.charFormat().dwEffects & CFE_LINK);
}
