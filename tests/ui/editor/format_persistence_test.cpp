// Formats given through the format bar, the palette, the font panel and the
// list menu stay with the note: through its save on a switch, the way back,
// and a restart that reads the note file again.
#include "editor/editor_fixture.h"

#include "editor/font_picker_win.h"
#include "win/wide_win.h"

#include <algorithm>
#include <ostream>
#include <vector>

using namespace quivra;
using namespace quivra::test;

namespace {

// What a paragraph's first character and the paragraph itself carry.
struct ParagraphLook {
    DWORD effects = 0;
    COLORREF colour = 0;
    COLORREF background = 0;
    LONG height = 0;
    std::wstring face;
    WORD alignment = 0;
    WORD numbering = 0;
    WORD numberingStyle = 0;
    bool operator==(const ParagraphLook&) const = default;
};

void PrintTo(const ParagraphLook& l, std::ostream* out) {
    *out << std::hex << "{effects " << l.effects << ", colour " << l.colour << ", background "
         << l.background << std::dec << ", height " << l.height << ", alignment " << l.alignment
         << ", numbering " << l.numbering << "/" << l.numberingStyle << "}";
}

constexpr DWORD kEffects =
    CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;

class FormatPersistenceTest : public EditorFixture {
  protected:
    // Paragraph starts of "one\rtwo\rthree\rfour\rfive".
    static constexpr long kStarts[] = {0, 4, 8, 14, 19};

    std::vector<ParagraphLook> looks() {
        std::vector<ParagraphLook> out;
        for (long start : kStarts) {
            select(start, start + 1);
            const CHARFORMAT2W c = note().charFormat();
            const PARAFORMAT2 p = note().paraFormat();
            // An automatic colour has no value worth comparing.
            const DWORD effects = c.dwEffects & kEffects;
            out.push_back({effects, effects & CFE_AUTOCOLOR ? 0 : c.crTextColor,
                           effects & CFE_AUTOBACKCOLOR ? 0 : c.crBackColor, c.yHeight, c.szFaceName,
                           p.wAlignment, p.wNumbering, p.wNumberingStyle});
        }
        return out;
    }
    void chooseFace(const std::u16string& face) {
        click(bar().SelFontButton);
        HWND list = formatting().fontPicker().fontList1();
        const auto fonts = editor::installedFonts();
        const auto at = std::find(fonts.begin(), fonts.end(), face) - fonts.begin();
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
        SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(editor::ID_FONTLIST1, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        SendMessageW(list, WM_CHAR, 13, 1); // Enter: as Ok
    }
    void typeSize(const wchar_t* size) {
        HWND typed = FindWindowExW(bar().SelFontSize.make(), nullptr, L"Edit", nullptr);
        SetWindowTextW(bar().SelFontSize.hwnd(), size);
        SetFocus(typed);
        SendMessageW(typed, WM_CHAR, 13, 1);
    }
};

} // namespace

TEST_F(FormatPersistenceTest, FormatsSurviveTheSaveTheWayBackAndARestart) {
    startWith({{L"A", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 "
                      "one\\par two\\par three\\par four\\par five\\par}"},
               {L"B", kRtfB}});
    const auto fonts = editor::installedFonts();
    const auto otherFace =
        std::find_if(fonts.begin(), fonts.end(), [](const auto& f) { return f != u"Tahoma"; });
    ASSERT_NE(otherFace, fonts.end());

    select(0, 3); // "one": every style
    for (auto* button :
         {&bar().BoldButton, &bar().ItaButton, &bar().UnderButton, &bar().StrikeButton})
        click(*button);
    select(4, 7); // "two": red on aqua
    click(bar().SelFontColorButton);
    pickSwatch(9);
    select(4, 7);
    click(bar().BGColorButton);
    pickSwatch(14);
    select(8, 13); // "three": 16 pt in another face, centred
    typeSize(L"16");
    chooseFace(*otherFace);
    click(bar().AlCenter);
    select(14, 18); // "four": right
    click(bar().AlRight);
    select(19, 23); // "five": lower-case letters with a period
    command(editor::ID_N25);
    command(editor::ID_N29);

    const std::vector<ParagraphLook> given = looks();
    ASSERT_EQ(given[0].effects & ~(CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR),
              static_cast<DWORD>(CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT));
    ASSERT_EQ(given[1].colour, RGB(255, 0, 0));
    ASSERT_EQ(given[1].background, RGB(0, 255, 255));
    ASSERT_EQ(given[2].height, 320);
    ASSERT_EQ(given[2].face, win::toWide(*otherFace));
    ASSERT_EQ(given[2].alignment, PFA_CENTER);
    ASSERT_EQ(given[3].alignment, PFA_RIGHT);
    ASSERT_EQ(given[4].numbering, PFN_LCLETTER);

    choose(L"B"); // saves A on the way out
    EXPECT_TRUE(folder.boxes.empty());
    choose(L"A");
    EXPECT_EQ(looks(), given);

    choose(L"B");
    form.reset();
    start();
    open(L"A");
    EXPECT_EQ(looks(), given);
    EXPECT_EQ(editorText(), u"one\rtwo\rthree\rfour\rfive");
}
