// Saving a note: RichEdit::rtf (the writer's UTF-8 RTF, lone surrogates put
// back, rewritten as standard RTF) against what the control's two writers cost
// on their own, for a Russian note of 300,000 characters and for one of 1 MB
// of RTF, each also with a few characters outside the code page. Before the
// standard writer, a note was saved with the plain writer plus a check of
// every character against the code pages (Russian only), or with the plain
// writer, the check and the UTF-8 writer (a character outside the code page).
#include "bench_support.h"

#include "document/rich_edit_win.h"
#include "win/text_services_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace quivra;
using namespace quivra::bench;

namespace {

constexpr int kRounds = 5;

struct OutCookie {
    std::string bytes;
};

DWORD CALLBACK collect(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    reinterpret_cast<OutCookie*>(cookie)->bytes.append(reinterpret_cast<const char*>(buffer),
                                                       static_cast<size_t>(size));
    *written = size;
    return 0;
}

std::string streamOut(HWND edit, UINT format) {
    OutCookie cookie;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&cookie), 0, collect};
    SendMessageW(edit, EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
    return std::move(cookie.bytes);
}

// Russian words in paragraphs of about 200 characters, `chars` in all.
std::u16string russianText(size_t chars, bool foreign) {
    static const char16_t* const kWords[] = {u"заметка", u"текст",  u"окно",   u"папка",
                                             u"список",  u"строка", u"пароль", u"шифр",
                                             u"неделя",  u"работа", u"письмо", u"Москва"};
    std::u16string text;
    unsigned seed = 1;
    while (text.size() < chars) {
        seed = seed * 1664525u + 1013904223u;
        text += kWords[(seed >> 8) % std::size(kWords)];
        text += (seed >> 20) % 30 == 0 ? u'\r' : u' ';
        if (foreign && (seed >> 12) % 500 == 0)
            text += u"café ☺ ";
    }
    return text;
}

} // namespace

int wmain() {
    plainNewlines();
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    LoadLibraryW(L"riched20.dll");
    win::installWin32TextServices();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SaveBenchHost";
    RegisterClassExW(&wc);
    HWND host = CreateWindowExW(WS_EX_TOOLWINDOW, L"SaveBenchHost", L"", WS_POPUP, 0, 0, 600, 400,
                                nullptr, nullptr, wc.hInstance, nullptr);
    document::RichEdit edit;
    if (!edit.create(host, 1, RECT{0, 0, 600, 400})) {
        std::printf("cannot create a RichEdit control\n");
        return 1;
    }
    struct Note {
        const char* label;
        size_t chars;
        bool foreign;
    };
    const Note notes[] = {{"300,000 characters, Russian", 300000, false},
                          {"300,000 characters, a few outside 1251", 300000, true},
                          {"1,000,000 characters, Russian", 1000000, false}};
    std::printf("Saving a note: RichEdit::rtf against the control's writers alone (%d rounds):\n",
                kRounds);
    for (const Note& n : notes) {
        edit.setPlainText(russianText(n.chars, n.foreign));
        // Bold and colour now and then, so that the RTF has runs.
        for (long at = 0; at < edit.textLength(); at += 997) {
            edit.setSelection({at, at + 40});
            CHARFORMAT2W f{};
            f.dwMask = CFM_BOLD | CFM_COLOR;
            f.dwEffects = CFE_BOLD;
            f.crTextColor = RGB(192, 0, 0);
            edit.setCharFormat(f);
        }
        std::vector<double> plain, utf8, text, save;
        size_t savedBytes = 0, plainBytes = 0;
        for (int i = 0; i < kRounds; ++i) {
            Stopwatch clock;
            plainBytes = streamOut(edit.hwnd(), SF_RTF).size();
            plain.push_back(clock.ms());
            clock.restart();
            streamOut(edit.hwnd(), SF_RTF | SF_USECODEPAGE | (CP_UTF8 << 16));
            utf8.push_back(clock.ms());
            clock.restart();
            edit.text();
            text.push_back(clock.ms());
            clock.restart();
            savedBytes = edit.rtf().size();
            save.push_back(clock.ms());
        }
        std::printf("  %s: %ld characters, saved %zu bytes (plain writer %zu)\n", n.label,
                    edit.textLength(), savedBytes, plainBytes);
        row("RichEdit::rtf (standard RTF)", save, 44);
        row("plain writer alone (EM_STREAMOUT SF_RTF)", plain, 44);
        row("UTF-8 writer alone", utf8, 44);
        row("reading the text (EM_GETTEXTEX)", text, 44);
    }
    DestroyWindow(host);
    return 0;
}
