// Whole-note encryption end to end through the editor: a note of 1,000 and
// of 10,000 lines encrypted and decrypted by the password panel's Ok (every
// line read from the editor's text at once, ciphered, and written back
// line by line), against the bare control replacing the same lines with
// text of the same length one selection at a time: the floor the control's
// own replacements set under Wine, and against loading the note's text at
// once. Wine's control spends most of that time on the number of paragraphs
// and on laying out cipher text (characters of every script).
// Then the editor's replacement of many paragraphs in one stream out and in
// (RichEdit::replaceParagraphs) on 10,000 lines, with cipher-like texts of
// the same length and printable tokens of other lengths, there and back,
// against the bare control loading the RTF that results into an empty
// control: in the program's note editor, which empties itself in steps
// before the load (nothing replaces it by a fresh control), and in a
// control of its own that is replaced by a fresh one instead.
#include "in_process.h"

#include "crypto/crypto_ids.h"
#include "document/text_lines.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

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

// New texts for the lines outside comment blocks, as the whole-note
// commands would make them: the line's code units each mixed with one of
// four 16-bit values by position, chosen by the line's length, as the
// compatible cipher does (a few scripts per line, none of the three code
// units the editor does not keep); or printable tokens longer than the
// line, as the strong cipher writes them.
std::vector<document::ParagraphChange> cipherLike(const std::vector<std::u16string>& lines,
                                                  bool sameLength) {
    std::mt19937 random(7);
    std::uniform_int_distribution<unsigned> mask(1, 0xFFFF);
    std::uniform_int_distribution<unsigned> printable(0x21, 0x7E);
    std::vector<document::ParagraphChange> changes;
    bool inBlock = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::u16string& line = lines[i];
        inBlock = inBlock || line.find(u"##[") != std::u16string::npos;
        if (line.find(u"]##") != std::u16string::npos) {
            inBlock = false;
            continue;
        }
        if (inBlock || line.empty())
            continue;
        std::u16string text;
        if (sameLength) {
            std::mt19937 byLength(static_cast<unsigned>(line.size()));
            const unsigned masks[] = {mask(byLength), mask(byLength), mask(byLength),
                                      mask(byLength)};
            for (size_t k = 0; k < line.size(); ++k) {
                const auto u = static_cast<char16_t>(line[k] ^ masks[k % 4]);
                text.push_back(u == 0 || u == u'\r' || u == u'\n' ? u'.' : u);
            }
        } else {
            while (text.size() < line.size() * 2 + 40)
                text.push_back(static_cast<char16_t>(printable(random)));
        }
        changes.push_back({i, std::move(text)});
    }
    return changes;
}

// The changes that put the lines back.
std::vector<document::ParagraphChange> undoing(const std::vector<std::u16string>& lines,
                                               const std::vector<document::ParagraphChange>& done) {
    std::vector<document::ParagraphChange> back;
    for (const auto& change : done)
        back.push_back({change.index, lines[change.index]});
    return back;
}

const char* outcome(document::RichEdit::ParagraphsReplaced r) {
    switch (r) {
    case document::RichEdit::ParagraphsReplaced::AsExpected:
        return "";
    case document::RichEdit::ParagraphsReplaced::Differently:
        return "  (THE TEXT DIFFERS)";
    case document::RichEdit::ParagraphsReplaced::Refused:
        break;
    }
    return "  (REFUSED)";
}

// Replaces the lines in one stream out and in, on the hidden editor as the
// commands hide it; then loads the resulting RTF into the emptied control.
void oneLoad(document::RichEdit& note, const std::vector<document::ParagraphChange>& changes,
             const char* what) {
    ShowWindow(note.hwnd(), SW_HIDE);
    Stopwatch clock;
    const auto result = note.replaceParagraphs(changes);
    const double replace = clock.ms();
    const std::string rtf = note.rtf();
    clock.restart();
    note.empty();
    const double emptying = clock.ms();
    clock.restart();
    note.setRtf(rtf);
    const double load = clock.ms();
    ShowWindow(note.hwnd(), SW_SHOW);
    std::printf("    %-44s %7.0f ms; the bare control's load of the result %6.0f ms "
                "(ratio %.2f), emptying it before %6.0f ms%s\n",
                what, replace, load, replace / load, emptying, outcome(result));
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
    std::printf("Many paragraphs replaced in one stream out and in:\n");
    document::RichEdit swapped;
    swapped.create(form->hwnd(), 0x7FF0, RECT{0, 0, 600, 400});
    swapped.setReplaceHandler([](HWND) {});
    const std::u16string text = noteText(10000);
    const auto lines = document::splitLines(text);
    for (document::RichEdit* editor : {&swapped, &note}) {
        std::printf("  %s:\n", editor == &note ? "the note editor, emptied in steps"
                                               : "a control replaced by a fresh one");
        for (bool sameLength : {true, false}) {
            editor->setPlainText(text);
            const auto changes = cipherLike(lines, sameLength);
            std::printf("  10000 lines, %zu changed, new texts %s:\n", changes.size(),
                        sameLength ? "cipher-like, the same lengths" : "printable tokens, longer");
            oneLoad(*editor, changes, "to cipher");
            oneLoad(*editor, undoing(lines, changes), "back to the text");
        }
    }
    form->note().setModified(false);
    return 0;
}
