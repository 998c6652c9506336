// Screenshots of the editor's tools for the documentation: the format bar over
// a formatted note, the colour palette, the font panel with its list and its
// filter, and the font combo dropped down. Runs only when QUIVRA_SCREENSHOTS
// names a folder (scripts/screenshots.sh does that).
#include "support/program_folder.h"
#include "support/screenshot.h"

#include "editor/editor_ids.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <richedit.h>

#include <string>

using namespace quivra;
using namespace quivra::test;

namespace {

// The text as RTF: every character past ASCII as a \uN? escape.
std::string rtfText(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) {
        if (c < 0x80) {
            if (c == L'\\' || c == L'{' || c == L'}')
                out += '\\';
            out += static_cast<char>(c);
        } else {
            out += "\\u" + std::to_string(static_cast<short>(c)) + "?";
        }
    }
    return out;
}

// A shopping and task note with each of the bar's formats somewhere in it.
std::string formattedNote() {
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset204 Tahoma;}"
                      "{\\f1\\fcharset204 DejaVu Sans Mono;}}"
                      "{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green0\\blue192;"
                      "\\red255\\green255\\blue0;}\\f0\\fs16 ";
    const auto par = [&](std::string format, std::wstring_view text) {
        rtf += "\\pard\\plain\\f0\\fs16" + format + " " + rtfText(text) + "\\par ";
    };
    par("\\qc\\b\\fs24", L"Дела на неделю");
    par("", L"Купить:");
    par("", L"молоко и хлеб");
    par("", L"сыр, яблоки");
    par("", L"кофе");
    par("\\b\\cf1", L"Срочно: оплатить счёт за интернет");
    par("\\i", L"Встреча с Анной в 10:00, кафе «Север»");
    par("\\highlight3", L"Позвонить в сервис до пятницы");
    par("\\strike", L"Забрать посылку на почте");
    par("\\ul\\cf2", L"Отчёт — отправить в понедельник");
    par("\\f1", L"Пароль от Wi-Fi: в зашифрованной заметке");
    par("\\qr\\fs20", L"Выходные — на дачу");
    rtf += "}";
    return rtf;
}

} // namespace

TEST(Screenshots, EditorToolsAndFontLists) {
    const auto out = screenshotFolder();
    if (!out)
        GTEST_SKIP() << "QUIVRA_SCREENSHOTS not set";
    ProgramFolder folder;
    folder.option(u"ListWidth", u"120");
    folder.option(u"UseAnimation", u"0");
    const auto notes = folder.data() / L"Notes" / L"PC_user";
    std::filesystem::create_directories(notes);
    writeFile(notes / L"Дела.note", formattedNote());
    writeFile(notes / L"Рецепты.note", "x");
    auto form = folder.start();
    ASSERT_TRUE(form);
    HWND names = form->notes().lists().namesList();
    SendMessageW(names, CB_SETCURSEL,
                 SendMessageW(names, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(L"Дела")),
                 0);
    form->notes().OpenNote();
    SetLayeredWindowAttributes(form->hwnd(), 0, 255, LWA_ALPHA);
    SetWindowPos(form->hwnd(), HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    form->showPage(program::Page::Notes);
    auto& note = form->note();
    auto& editor = form->formatting();
    auto& bar = editor.bar();
    ASSERT_TRUE(bar.hwnd() && IsWindowVisible(bar.hwnd()));

    // What to buy as a numbered list.
    note.setSelection({note.lineIndex(2), note.lineIndex(5) - 1});
    PARAFORMAT2 numbered{};
    numbered.cbSize = sizeof numbered;
    numbered.dwMask = PFM_NUMBERING | PFM_NUMBERINGSTYLE | PFM_NUMBERINGSTART | PFM_OFFSET;
    numbered.wNumbering = 2;          // 1, 2, 3
    numbered.wNumberingStyle = 0x200; // "1."
    numbered.wNumberingStart = 1;
    numbered.dxOffset = 300;
    note.setParaFormat(numbered);
    note.setModified(false);
    // The caret in the red bold word: the bar shows bold, the red strip and
    // the size.
    const long urgent = note.lineIndex(5) + 3;
    note.focus();
    note.setSelection({urgent, urgent});
    form->presenter().PeriodicRefresh();
    EXPECT_TRUE(bar.BoldButton.down());
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\format-bar.bmp"));

    // The text colour's palette under its button, for a selected word.
    note.setSelection({urgent, urgent + 6});
    bar.SelFontColorButton.click();
    EXPECT_TRUE(editor.palette().shown());
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\colour-palette.bmp"));
    note.focus();
    pumpMessages();

    // The font panel with the selection's face chosen in its list, then the
    // list filtered by what is typed under it.
    auto& picker = editor.fontPicker();
    note.setSelection({urgent, urgent + 6});
    CHARFORMAT2W face{};
    face.cbSize = sizeof face;
    face.dwMask = CFM_FACE;
    wcscpy(face.szFaceName, L"DejaVu Sans");
    note.setCharFormat(face);
    bar.SelFontButton.click();
    EXPECT_TRUE(picker.panel().shown());
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\font-panel.bmp"));
    HWND search = picker.fontSearch();
    SetFocus(search);
    SetWindowTextW(search, L"sans");
    SendMessageW(search, EM_SETSEL, 4, 4);
    SendMessageW(search, WM_KEYUP, 'S', 0);
    EXPECT_TRUE(IsWindowVisible(picker.fontListFiltered()));
    EXPECT_GT(SendMessageW(picker.fontListFiltered(), LB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(saveWindowShot(form->hwnd(), *out + L"\\font-panel-filter.bmp"));
    SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(editor::ID_BTNFCANCEL, BN_CLICKED), 0);
    pumpMessages();

    // The font combo of the right click: each font's name with a sample in
    // that font. Its dropped-down list is a window of its own.
    note.focus();
    SendMessageW(bar.hwnd(), WM_RBUTTONUP, 0,
                 MAKELPARAM(bar.SelFontButton.rect().left + 3, bar.SelFontButton.rect().top + 3));
    HWND combo = picker.fontCombo();
    EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    EXPECT_TRUE(saveWindowsShot({form->hwnd(), info.hwndList}, *out + L"\\font-combo.bmp"));
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}
