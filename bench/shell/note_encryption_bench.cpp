// Whole-note encryption end to end through the editor: a note of 1,000 and
// of 10,000 lines encrypted and decrypted by the password panel's Ok (every
// line read from the editor's text at once, ciphered, and written back
// line by line), against the bare control replacing the same lines with
// text of the same length one selection at a time: the floor the control's
// own replacements set under Wine, and against loading the note's text at
// once. Wine's control spends most of that time on the number of paragraphs
// and on laying out cipher text (characters of every script).
#include "in_process.h"

#include "crypto/crypto_ids.h"
#include "document/text_lines.h"

#include <cstdio>
#include <string>

using namespace quivra;
using namespace quivra::bench;

namespace {

std::u16string noteText(int lines) {
    std::u16string text;
    for (int i = 0; i < lines; ++i) {
        if (i % 50 == 10)
            text += u"##[ открытый комментарий\r";
        else if (i % 50 == 12)
            text += u"]##\r";
        else if (i % 7 == 3)
            text += u"\r"; // empty lines stay as they are
        else
            text += u"Строка " + std::u16string(1, u'0' + i % 10) + u": логин и пароль от почты\r";
    }
    return text;
}

void typeInto(HWND field, std::u16string_view text) {
    for (char16_t c : text)
        SendMessageW(field, WM_CHAR, c, 1);
}

double runCommand(app::TMainForm& form, int command, bool confirm) {
    auto& panel = form.crypto().passwordPanel();
    Stopwatch clock;
    SendMessageW(form.hwnd(), WM_COMMAND, command, 0);
    typeInto(panel.control(crypto::ID_ECEDIT), u"пароль");
    if (confirm)
        typeInto(panel.control(crypto::ID_ECCONFIRMEDIT), u"пароль");
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(crypto::ID_ECOK, BN_CLICKED), 0);
    return clock.ms();
}

// The same line replacements on the hidden editor without the command around
// them, with a text of one letter: no cipher, no progress, no check.
double bareReplacements(document::RichEdit& note) {
    const auto lines = document::splitLines(note.text());
    ShowWindow(note.hwnd(), SW_HIDE);
    note.hideSelection(true);
    Stopwatch clock;
    long start = 0;
    for (const auto& line : lines) {
        if (!line.empty()) {
            note.setSelection({start, start + static_cast<long>(line.size())});
            note.replaceSelection(std::u16string(line.size(), u'ж'));
        }
        start += static_cast<long>(line.size()) + 1;
    }
    const double ms = clock.ms();
    note.hideSelection(false);
    ShowWindow(note.hwnd(), SW_SHOW);
    return ms;
}

} // namespace

int wmain() {
    plainNewlines();
    prepareProcess();
    BenchProgramFolder folder(L"quivra-encrypt");
    writeFile(folder.notesFolder() / L"Note.note", "{\\rtf1\\ansi\\f0 \\par}");
    auto form = folder.start();
    if (!form)
        return 1;
    ShowWindow(form->hwnd(), SW_SHOWNOACTIVATE);
    SendMessageW(form->notes().namesList(), CB_SETCURSEL, 0, 0);
    form->notes().OpenNote();
    auto& note = form->note();
    std::printf("Whole-note encryption through the editor (password panel's Ok):\n");
    for (int lines : {1000, 10000}) {
        const std::u16string text = noteText(lines);
        Stopwatch loading;
        note.setPlainText(text);
        const double load = loading.ms();
        note.setSelection({0, 0});
        const double encrypt = runCommand(*form, crypto::ID_ENCR, true);
        const bool changed = note.text() != text;
        const double decrypt = runCommand(*form, crypto::ID_DECR, false);
        const bool back = document::splitLines(note.text()) == document::splitLines(text);
        SendMessageW(form->hwnd(), WM_COMMAND, crypto::ID_DECR, 0); // return the cipher
        note.setPlainText(text);
        const double bare = bareReplacements(note);
        std::printf("  %5d lines: encrypt %7.0f ms, decrypt %7.0f ms; the control's own line "
                    "replacements %7.0f ms, loading the note's text %7.0f ms%s\n",
                    lines, encrypt, decrypt, bare, load,
                    changed && back ? "" : "  (THE NOTE DID NOT COME BACK)");
    }
    form->note().setModified(false);
    return 0;
}
