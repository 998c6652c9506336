// Formatting survives a save followed by a load, and foreign RTF in the style
// of Microsoft's control reads with its formatting.
#include "rich_edit_host.h"

#include <cwchar>
#include <fstream>
#include <iterator>
#include <tuple>

using namespace quivra;
using namespace quivra::document;
using quivra::document::test::RichEditTest;

namespace {

// What the look of a run depends on; colours count only when not automatic.
auto look(const CHARFORMAT2W& f) {
    const DWORD effects = f.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT |
                                         CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR);
    return std::tuple(effects, std::wstring(f.szFaceName), f.yHeight,
                      effects & CFE_AUTOCOLOR ? 0 : f.crTextColor,
                      effects & CFE_AUTOBACKCOLOR ? 0 : f.crBackColor);
}

auto layout(const PARAFORMAT2& p) {
    const bool numbered = p.wNumbering && p.wNumbering != PFN_BULLET;
    return std::tuple(p.wAlignment, p.wNumbering, p.wNumberingTab,
                      numbered ? p.wNumberingStyle & 0x0F00 : 0, numbered ? p.wNumberingStart : 0);
}

} // namespace

TEST_F(RichEditTest, CharacterFormatsSurviveSaveAndLoad) {
    using Change = void (*)(CHARFORMAT2W&);
    const Change changes[] = {
        [](CHARFORMAT2W& f) { f.dwMask = CFM_BOLD, f.dwEffects = CFE_BOLD; },
        [](CHARFORMAT2W& f) { f.dwMask = CFM_ITALIC, f.dwEffects = CFE_ITALIC; },
        [](CHARFORMAT2W& f) { f.dwMask = CFM_UNDERLINE, f.dwEffects = CFE_UNDERLINE; },
        [](CHARFORMAT2W& f) { f.dwMask = CFM_STRIKEOUT, f.dwEffects = CFE_STRIKEOUT; },
        [](CHARFORMAT2W& f) { f.dwMask = CFM_FACE, wcscpy(f.szFaceName, L"Courier New"); },
        [](CHARFORMAT2W& f) { f.dwMask = CFM_SIZE, f.yHeight = 14 * 20; },
        [](CHARFORMAT2W& f) { f.dwMask = CFM_COLOR, f.crTextColor = RGB(200, 0, 0); },
        [](CHARFORMAT2W& f) { f.dwMask = CFM_COLOR, f.dwEffects = CFE_AUTOCOLOR; },
        [](CHARFORMAT2W& f) { f.dwMask = CFM_BACKCOLOR, f.crBackColor = RGB(0, 255, 0); },
        [](CHARFORMAT2W&) {}, // a line left as it was
    };
    const int n = static_cast<int>(std::size(changes));
    std::u16string text;
    for (int i = 0; i < n; ++i)
        text += u"Строка с форматом №" + std::u16string(1, char16_t(u'0' + i)) + u"\r";
    edit.setPlainText(text);
    // Every line starts blue, so that the automatic colour is a change.
    select(0, -1);
    CHARFORMAT2W blue{};
    blue.dwMask = CFM_COLOR;
    blue.crTextColor = RGB(0, 0, 255);
    edit.setCharFormat(blue);
    std::vector<decltype(look(blue))> before;
    for (int i = 0; i < n; ++i) {
        CHARFORMAT2W f{};
        changes[i](f);
        selectLine(i);
        edit.setCharFormat(f);
        before.push_back(look(edit.charFormat()));
    }
    for (int i = 0; i + 1 < n; ++i)
        EXPECT_NE(before[i], before.back()) << "line " << i << " was not changed";
    roundTrip();
    ASSERT_EQ(edit.text(), text);
    for (int i = 0; i < n; ++i) {
        selectLine(i);
        EXPECT_EQ(look(edit.charFormat()), before[i]) << "line " << i;
    }
}

TEST_F(RichEditTest, AlignmentBulletsAndNumberingSurviveSaveAndLoad) {
    std::vector<PARAFORMAT2> formats;
    for (WORD align : {PFA_CENTER, PFA_LEFT, PFA_RIGHT, PFA_LEFT}) {
        PARAFORMAT2 p{};
        p.dwMask = PFM_ALIGNMENT;
        p.wAlignment = align;
        formats.push_back(p);
    }
    auto numbering = [&](WORD type, WORD style) {
        PARAFORMAT2 p{};
        p.dwMask = PFM_NUMBERING | PFM_NUMBERINGSTYLE | PFM_NUMBERINGTAB | PFM_NUMBERINGSTART;
        p.wNumbering = type, p.wNumberingStyle = style, p.wNumberingStart = 1;
        p.wNumberingTab = 360;
        formats.push_back(p);
    };
    numbering(PFN_BULLET, 0);
    for (WORD type = PFN_ARABIC; type <= PFN_UCROMAN; ++type)
        for (WORD style : {PFNS_PAREN, PFNS_PARENS, PFNS_PERIOD, PFNS_PLAIN})
            numbering(type, style);
    std::u16string text;
    for (size_t i = 0; i < formats.size(); ++i)
        text += u"Абзац\r";
    edit.setPlainText(text);
    std::vector<decltype(layout(formats[0]))> before;
    for (int i = 0; i < static_cast<int>(formats.size()); ++i) {
        selectLine(i);
        edit.setParaFormat(formats[i]);
        before.push_back(layout(edit.paraFormat()));
    }
    roundTrip();
    for (int i = 0; i < static_cast<int>(formats.size()); ++i) {
        selectLine(i);
        EXPECT_EQ(layout(edit.paraFormat()), before[i]) << "paragraph " << i;
        if (formats[i].dwMask & PFM_NUMBERINGSTYLE) {
            EXPECT_EQ(std::get<3>(before[i]), formats[i].wNumberingStyle) << "paragraph " << i;
        }
    }
}

TEST_F(RichEditTest, ReadsRtfWrittenByMicrosoftsControl) {
    std::ifstream file(QUIVRA_TEST_DATA "/richedit-style.rtf", std::ios::binary);
    ASSERT_TRUE(file) << "test data missing";
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    edit.loadFileBytes(bytes);
    ASSERT_EQ(edit.lines(),
              (std::vector<std::u16string>{u"Заголовок", u"Обычный, курсив и фон, красный",
                                           u"первый пункт", u"второй пункт", u"Конец"}));

    selectLine(0);
    EXPECT_EQ(edit.paraFormat().wAlignment, PFA_CENTER);
    const CHARFORMAT2W title = edit.charFormat();
    EXPECT_TRUE(title.dwEffects & CFE_BOLD);
    EXPECT_EQ(title.yHeight, 200);
    EXPECT_STREQ(title.szFaceName, L"Tahoma");
    EXPECT_EQ(title.bCharSet, RUSSIAN_CHARSET);

    const long body = edit.lineIndex(1);
    auto formatOf = [&](std::u16string_view word) {
        const long at = body + static_cast<long>(edit.line(1).find(word));
        select(at, at + static_cast<long>(word.size()));
        return edit.charFormat();
    };
    selectLine(1);
    EXPECT_EQ(edit.paraFormat().wAlignment, PFA_LEFT);
    EXPECT_FALSE(formatOf(u"Обычный").dwEffects & (CFE_BOLD | CFE_ITALIC));
    EXPECT_EQ(formatOf(u"Обычный").yHeight, 160);
    EXPECT_TRUE(formatOf(u"курсив").dwEffects & CFE_ITALIC);
    const CHARFORMAT2W highlighted = formatOf(u"фон");
    EXPECT_FALSE(highlighted.dwEffects & CFE_AUTOBACKCOLOR);
    EXPECT_EQ(highlighted.crBackColor, RGB(255, 255, 0));
    const CHARFORMAT2W red = formatOf(u"красный");
    EXPECT_FALSE(red.dwEffects & CFE_AUTOCOLOR);
    EXPECT_EQ(red.crTextColor, RGB(192, 0, 0));

    for (int i : {2, 3}) {
        selectLine(i);
        EXPECT_EQ(edit.paraFormat().wNumbering, PFN_BULLET) << "line " << i;
    }
    selectLine(4);
    EXPECT_EQ(edit.paraFormat().wNumbering, 0);
}

TEST_F(RichEditTest, ReplacedParagraphsTakeTheFormatOfTheirFirstCharacter) {
    std::ifstream file(QUIVRA_TEST_DATA "/richedit-style.rtf", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    edit.loadFileBytes(bytes);
    std::vector<std::u16string> lines = edit.lines();
    ASSERT_EQ(lines.size(), 5u);
    std::vector<decltype(layout(PARAFORMAT2{}))> layouts;
    std::vector<decltype(look(CHARFORMAT2W{}))> firsts;
    for (int i = 0; i < 5; ++i) {
        selectLine(i);
        layouts.push_back(layout(edit.paraFormat()));
        select(edit.lineIndex(i), edit.lineIndex(i) + 1);
        firsts.push_back(look(edit.charFormat()));
    }
    const std::vector<ParagraphChange> changes = {
        {0, u"Ж中😀\xD800 длиннее, чем был заголовок"}, // bold, centred
        {1, u"коротко"},                               // italic and colours inside lost
        {2, u"\tпункт\x01\xDC00"},                     // a bullet
        {4, u""},
    };
    for (const auto& c : changes)
        lines[c.index] = c.text;
    select(3, 7);
    EXPECT_EQ(edit.replaceParagraphs(changes), RichEdit::ParagraphsReplaced::AsExpected);
    EXPECT_EQ(edit.lines(), std::vector<std::u16string>(lines.begin(), lines.end() - 1));
    EXPECT_EQ(edit.selection(), (CharRange{3, 7}));
    EXPECT_TRUE(edit.modified());
    for (int i = 0; i < 4; ++i) {
        selectLine(i);
        EXPECT_EQ(layout(edit.paraFormat()), layouts[i]) << "paragraph " << i;
        // One format over the whole line: the one its first character had.
        EXPECT_EQ(look(edit.charFormat()), firsts[i]) << "line " << i;
        EXPECT_TRUE(edit.charFormat().dwMask & CFM_ITALIC) << "line " << i;
    }
}
