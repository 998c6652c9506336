// Sample notes written by the program's own save, for another program to
// read: each note is typed into the real editor, formatted with the format
// bar and the colour palette, and saved by the notes controller. The saved
// files go to QUIVRA_INTEROP_DIR\notes (as *.rtf), and what a reader must
// find in them to QUIVRA_INTEROP_DIR\expected: <name>.txt holds the text
// (UTF-8, "\n" between paragraphs), <name>.formats lists words with the
// format each must keep, one a line: word TAB bold|plain TAB #rrggbb|auto.
// tests/interop/libreoffice_reads_notes.sh converts and compares them.
#include "editor/editor_fixture.h"

#include "base/utf.h"
#include "editor/format_rules.h"
#include "win/wide_win.h"

#include <cstdio>
#include <string>

using namespace quivra;
using namespace quivra::test;
namespace fs = std::filesystem;

namespace {

const fs::path kOut = fs::path(QUIVRA_INTEROP_DIR);

// Latin-1 and Latin Extended letters the Cyrillic code page lacks (é has a
// look-alike there), symbols, full-width forms, pairs of surrogates, CJK,
// Greek, the non-Cyrillic characters of code page 1251 (№ « » — €), the
// characters RTF escapes and a tab.
constexpr char16_t kMixedText[] = u"Привет, мир! Ёё № «кавычки» — €\r"
                                  u"é ÿ Ā ☺ √ ä ß αβγ 漢字\r"
                                  u"ＡＢＣ１２３ 😀 𝄞\r"
                                  u"\\ {скобки} ~\tпосле табуляции";

// The same text must survive whatever character set the note's font has:
// the writer encodes each character in its font's code page when it can.
struct FontCase {
    const wchar_t* name;
    const char* rtf;
};
constexpr FontCase kFontCases[] = {
    {L"cyrillic", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Tahoma;}}\\f0\\fs16 x\\par}"},
    {L"western", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0\\fs20 x\\par}"},
    {L"greek", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset161 Arial;}}\\f0\\fs20 x\\par}"},
    {L"nocharset", "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 x\\par}"},
};

std::string hexColour(COLORREF c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

// The editor's text as the reader gives it: paragraphs end in "\n".
std::string asReaderText(std::u16string text) {
    for (auto& c : text)
        if (c == u'\r')
            c = u'\n';
    return base::utf16ToUtf8(text);
}

class SampleNotes : public EditorFixture {
  protected:
    static void SetUpTestSuite() {
        fs::remove_all(kOut);
        fs::create_directories(kOut / L"notes");
        fs::create_directories(kOut / L"expected");
    }

    void replaceText(std::u16string_view text) {
        note().setSelection({0, -1});
        note().replaceSelection(text);
        ASSERT_EQ(note().text().substr(0, text.size()), text);
    }

    // Saves the open note as the user's save command does and hands the file
    // on with the text a reader must find in it.
    void saveAndHandOn(const std::wstring& name) {
        form->notes().store().ImmSaveClick();
        ASSERT_FALSE(note().modified()) << "the save failed";
        const std::string saved = readFile(noteFile(name));
        ASSERT_EQ(saved.rfind("{\\rtf1\\ansi\\ansicpg", 0), 0u) << saved.substr(0, 40);
        writeFile(kOut / L"notes" / (name + L".rtf"), saved);
        std::u16string text = note().text();
        writeFile(kOut / L"expected" / (name + L".txt"), asReaderText(text));
    }

    // The format bar mirrors the selection only on the refresh; its buttons
    // flip from what it mirrored.
    void selectWord(std::u16string_view word) {
        const auto at = note().text().find(word);
        ASSERT_NE(at, std::u16string::npos);
        select(static_cast<long>(at), static_cast<long>(at + word.size()));
        refresh();
    }

    void pickTextColour(std::u16string_view colourName) {
        const auto colours = editor::paletteColours();
        std::size_t i = 0;
        while (i < colours.size() && colours[i].name != colourName)
            ++i;
        ASSERT_LT(i, colours.size());
        click(bar().SelFontColorButton);
        ASSERT_TRUE(formatting().palette().shown());
        const auto s = editor::swatchRect(i);
        const int x = s.left + editor::kSwatchSize / 2, y = s.top + editor::kSwatchSize / 2;
        SendMessageW(formatting().palette().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        pumpMessages();
    }
};

} // namespace

TEST_F(SampleNotes, MixedScriptsInFontsOfSeveralCharacterSets) {
    for (const auto& c : kFontCases)
        addNote(c.name, c.rtf);
    start();
    for (const auto& c : kFontCases) {
        SCOPED_TRACE(testing::Message() << "note " << base::utf16ToUtf8(win::toU16(c.name)));
        open(c.name);
        replaceText(kMixedText);
        saveAndHandOn(c.name);
    }
}

TEST_F(SampleNotes, BoldAndColouredWordsAmongPlainOnes) {
    startWith(
        {{L"formatted", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Tahoma;}}\\f0\\fs16 x\\par}"}});
    replaceText(u"Начало обычное, потом жирное слово, красное слово, яркое слово\r"
                u"и вторая строка простая.");

    selectWord(u"жирное");
    click(bar().BoldButton);
    selectWord(u"яркое");
    click(bar().BoldButton);
    pickTextColour(u"clRed");
    selectWord(u"красное");
    pickTextColour(u"clRed");

    // What the editor holds is what the reader must find.
    struct Word {
        std::u16string_view text;
        bool bold;
        bool coloured;
    };
    constexpr Word kWords[] = {{u"обычное", false, false},
                               {u"жирное", true, false},
                               {u"красное", false, true},
                               {u"яркое", true, true},
                               {u"простая", false, false}};
    std::string formats;
    for (const auto& w : kWords) {
        selectWord(w.text);
        const CHARFORMAT2W f = note().charFormat();
        ASSERT_TRUE(f.dwMask & CFM_BOLD);
        ASSERT_TRUE(f.dwMask & CFM_COLOR);
        ASSERT_EQ((f.dwEffects & CFE_BOLD) != 0, w.bold) << base::utf16ToUtf8(w.text);
        ASSERT_EQ((f.dwEffects & CFE_AUTOCOLOR) == 0 && f.crTextColor != 0, w.coloured)
            << base::utf16ToUtf8(w.text);
        formats += base::utf16ToUtf8(w.text) + '\t' + (w.bold ? "bold" : "plain") + '\t' +
                   (w.coloured ? hexColour(f.crTextColor) : "auto") + '\n';
    }
    saveAndHandOn(L"formatted");
    writeFile(kOut / L"expected" / L"formatted.formats", formats);
}
