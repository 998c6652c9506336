// Opening a big note: TMainForm::OpenNote on a 1 MB (and a 250 KB) RTF note
// with mixed formatting, against the bare RichEdit control streaming the same
// bytes into itself. OpenNote saves the outgoing note, empties the editor,
// reads the file and the note's view settings and streams the bytes in; the
// ratio shows what the program adds to the control's own cost. After each
// timed open a small note is opened (timed too; leave_note_bench looks at
// leaving closer), so each open replaces the editor's content as a real
// switch does.
#include "big_note.h"
#include "in_process.h"

#include "base/ini_file.h"

#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

using namespace quivra;
using namespace quivra::bench;

namespace {

constexpr int kLoads = 5;

struct InCookie {
    std::string_view bytes;
    size_t pos = 0;
};

DWORD CALLBACK readBytes(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto* in = reinterpret_cast<InCookie*>(cookie);
    const size_t n = std::min(static_cast<size_t>(std::max(size, 0L)), in->bytes.size() - in->pos);
    std::memcpy(buffer, in->bytes.data() + in->pos, n);
    in->pos += n;
    *read = static_cast<LONG>(n);
    return 0;
}

long characterCount(HWND edit) {
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<long>(
        SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

// The control on its own in a plain window of the note editor's size, set up
// only as far as a big text needs: no text limit, no word wrap (as the note).
class BareEditor {
  public:
    BareEditor(int width, int height) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BareEditorHost";
        RegisterClassExW(&wc);
        host_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"BareEditorHost", L"", WS_POPUP, 0, 0, width,
                                height, nullptr, nullptr, wc.hInstance, nullptr);
        constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
        edit_ = CreateWindowExW(0, RICHEDIT_CLASSW, L"", style, 0, 0, width, height, host_, nullptr,
                                wc.hInstance, nullptr);
        SendMessageW(edit_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
        SendMessageW(edit_, EM_SETTARGETDEVICE, 0, 1);
        ShowWindow(host_, SW_SHOWNOACTIVATE);
    }
    ~BareEditor() {
        if (host_)
            DestroyWindow(host_);
    }
    BareEditor(const BareEditor&) = delete;
    BareEditor& operator=(const BareEditor&) = delete;

    bool created() const noexcept { return edit_ != nullptr; }
    HWND edit() const noexcept { return edit_; }
    void empty() const { SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")); }
    // Streams RTF in; false when the control rejects it. Without redraw the
    // control is told not to draw while it loads, as the program does.
    bool load(std::string_view rtf, bool redraw) const {
        if (!redraw)
            SendMessageW(edit_, WM_SETREDRAW, FALSE, 0);
        InCookie cookie{rtf};
        EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&cookie), 0, readBytes};
        SendMessageW(edit_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
        if (!redraw) {
            SendMessageW(edit_, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(edit_, nullptr, TRUE);
        }
        return stream.dwError == 0;
    }

  private:
    HWND host_ = nullptr;
    HWND edit_ = nullptr;
};

struct BigNote {
    const char* label;
    size_t size;
    const wchar_t* name;
    std::string rtf;
};

// One line of figures; with `opened`, also how OpenNote compares with them.
void row(const char* label, const std::vector<double>& times, double opened) {
    std::printf("    %-38s median %7.1f ms", label, median(times));
    if (opened > 0)
        std::printf("   OpenNote / it %.2f", opened / median(times));
    std::printf("   (%s)\n", listed(times).c_str());
}

} // namespace

int wmain() {
    plainNewlines();
    prepareProcess();
    BenchProgramFolder folder(L"quivra-open");
    const wchar_t* smallName = L"Короткая";
    std::vector<BigNote> notes{{"1 MB", 1 << 20, L"Большая", {}},
                               {"250 KB", 250 * 1024, L"Средняя", {}}};
    writeFile(folder.notesFolder() / (std::wstring(smallName) + L".note"), makeNote(2000));
    for (auto& n : notes) {
        n.rtf = makeNote(n.size);
        writeFile(folder.notesFolder() / (std::wstring(n.name) + L".note"), n.rtf);
    }

    auto form = folder.startShown();
    if (!form)
        return 1;
    RECT r{};
    GetWindowRect(form->note().hwnd(), &r);
    BareEditor bare(r.right - r.left, r.bottom - r.top);
    if (!bare.created()) {
        std::printf("cannot create a RichEdit control\n");
        return 1;
    }

    // Only one big text exists at a time: under Wine, loads into one control
    // while another holds a big text grow slower with every round (1.5 s,
    // 3 s, 7 s, 16 s for 1 MB), which would swamp what is measured here. So
    // each big load is followed by emptying that control again.
    if (!selectNote(*form, smallName))
        return 1;
    form->notes().OpenNote();
    pumpMessages();

    int rc = 0;
    std::printf("Opening a note: TMainForm::OpenNote vs the bare control's EM_STREAMIN into an "
                "empty control,\nwith redraw on and with redraw off as OpenNote loads (%d loads "
                "each, taking turns; editor %ldx%ld):\n",
                kLoads, r.right - r.left, r.bottom - r.top);
    for (const auto& n : notes) {
        std::vector<double> open, leave, drawn, undrawn, emptied;
        long openChars = 0, bareChars = 0;
        // Opens the big note and then the small one again (leaving the big
        // note empties the editor).
        const auto timeOpen = [&] {
            if (!selectNote(*form, n.name))
                return false;
            Stopwatch clock;
            form->notes().OpenNote();
            open.push_back(clock.ms());
            openChars = form->note().textLength();
            pumpMessages();
            if (!selectNote(*form, smallName))
                return false;
            clock.restart();
            form->notes().OpenNote();
            leave.push_back(clock.ms());
            pumpMessages();
            return openChars > 0;
        };
        const auto timeBare = [&](bool redraw) {
            Stopwatch clock;
            const bool ok = bare.load(n.rtf, redraw);
            (redraw ? drawn : undrawn).push_back(clock.ms());
            bareChars = characterCount(bare.edit());
            pumpMessages();
            clock.restart();
            bare.empty();
            emptied.push_back(clock.ms());
            pumpMessages();
            return ok;
        };
        const std::function<bool()> steps[] = {timeOpen, [&] { return timeBare(true); },
                                               [&] { return timeBare(false); }};
        bool ok = true;
        for (int i = 0; i < kLoads && ok; ++i)
            for (int k = 0; k < 3 && ok; ++k)
                ok = steps[(i + k) % 3]() &&
                     (openChars == 0 || bareChars == 0 || openChars == bareChars);
        if (!ok || openChars != bareChars) {
            std::printf("  %s: the note did not load the same in the editor (%ld characters) "
                        "and in the bare control (%ld)\n",
                        n.label, openChars, bareChars);
            rc = 1;
            continue;
        }
        std::printf("  %s note (%zu bytes of RTF, %ld characters):\n", n.label, n.rtf.size(),
                    openChars);
        const double opened = median(open);
        row("OpenNote", open, 0);
        row("bare EM_STREAMIN, redraw on", drawn, opened);
        row("bare EM_STREAMIN, redraw off", undrawn, opened);
        row("leaving it (OpenNote of a small note)", leave, 0);
        row("bare WM_SETTEXT \"\" after each load", emptied, 0);
    }
    // Start-up with the 1 MB note remembered: the whole creation of the main
    // window, which streams the note in once, against the bare load.
    form.reset();
    pumpMessages();
    {
        BenchProgramFolder startFolder(L"quivra-start-big");
        const auto& big = notes.front();
        startFolder.rememberNote(std::wstring(big.name), big.rtf);
        std::vector<double> started, bareLoads;
        for (int i = 0; i < kLoads; ++i) {
            Stopwatch clock;
            auto started_form = startFolder.start();
            started.push_back(clock.ms());
            if (!started_form || started_form->note().textLength() == 0) {
                std::printf("  start-up did not open the remembered note\n");
                rc = 1;
                break;
            }
            started_form.reset();
            pumpMessages();
            clock.restart();
            bare.load(big.rtf, false);
            bareLoads.push_back(clock.ms());
            bare.empty();
            pumpMessages();
        }
        std::printf("Start-up with the %s note remembered (main window created, note loaded):\n",
                    big.label);
        row("start-up", started, 0);
        row("bare EM_STREAMIN, redraw off", bareLoads, median(started));
    }
    if (answeredBoxes())
        std::printf("  (%d message boxes were answered during the run)\n", answeredBoxes());
    std::fflush(stdout);
    return rc;
}
