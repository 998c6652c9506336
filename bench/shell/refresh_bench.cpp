// The 50 ms refresh tick on a note of 10,000 formatted lines with the format
// bar shown and the caret in the middle of the note: the facts gathered once,
// then every subsystem's rows (the format bar's mirror of the caret included),
// exactly as the main window's timer runs them. Timed with the caret alone,
// with a selection of 200 lines and with the whole note selected; then each
// subsystem's rows and each control request the rows make, one by one, to
// show where a tick's time goes.
#include "in_process.h"

#include "base/ini_file.h"
#include "program/refresh_table.h"
#include "win/handles_win.h"

#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace quivra;
using namespace quivra::bench;

namespace {

constexpr int kLines = 10000;
constexpr int kTicks = 200;
constexpr int kCallRepeats = 50;

// Lines of about 40 characters of Russian and English words (code page 1251),
// every fifth with a bold word, every seventh with an italic one, every
// eleventh coloured, every thirteenth in a larger size.
std::string noteRtf() {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 Tahoma;}}"
                      "{\\colortbl ;\\red192\\green0\\blue0;}\\f0\\fs16 ";
    for (int i = 0; i < kLines; ++i) {
        rtf += std::to_string(i) + ". ";
        for (int w = 0; w < 6; ++w) {
            const char* word = noteWord(i, w);
            if (w == 2 && i % 5 == 0)
                rtf += std::string("\\b ") + word + "\\b0 ";
            else if (w == 3 && i % 7 == 0)
                rtf += std::string("\\i ") + word + "\\i0 ";
            else if (w == 4 && i % 11 == 0)
                rtf += std::string("\\cf1 ") + word + "\\cf0 ";
            else if (w == 1 && i % 13 == 0)
                rtf += std::string("\\fs24 ") + word + "\\fs16 ";
            else
                rtf += word;
            rtf += ' ';
        }
        rtf += "\\par\n";
    }
    return rtf + "}";
}

struct Figures {
    double median = 0;
    double p95 = 0;
    double max = 0;
};

Figures figures(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    Figures f;
    f.median = median(v);
    f.p95 = v[std::min(v.size() - 1, v.size() * 95 / 100)];
    f.max = v.back();
    return f;
}

// Median of `repeats` calls, in ms. The queue is emptied before each, as it
// is when the timer's message arrives (its message comes last).
double timed(const std::function<void()>& call, int repeats = kCallRepeats) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        pumpMessages();
        Stopwatch clock;
        call();
        times.push_back(clock.ms());
    }
    return median(times);
}

void tickRow(const char* label, const std::vector<double>& ticks) {
    const Figures f = figures(ticks);
    std::printf("    %-40s median %6.2f ms   95th %6.2f ms   max %6.2f ms\n", label, f.median,
                f.p95, f.max);
}

void callRow(const char* label, double ms) {
    std::printf("      %-52s %8.3f ms\n", label, ms);
}

} // namespace

int wmain() {
    plainNewlines();
    prepareProcess();
    BenchProgramFolder folder(L"quivra-refresh");
    folder.rememberNote(L"Большая", noteRtf());
    auto form = folder.startShown();
    if (!form)
        return 1;
    document::RichEdit& note = form->note();
    if (note.lineCount() < kLines) {
        std::printf("the note did not open with %d lines (%d)\n", kLines, note.lineCount());
        return 1;
    }
    HWND bar = form->formatting().bar().hwnd();
    if (!bar || !IsWindowVisible(bar)) {
        std::printf("the format bar is not shown\n");
        return 1;
    }
    note.focus();
    const long middle = note.lineIndex(kLines / 2) + 10;
    note.setSelection({middle, middle});
    pumpMessages();
    window::Presenter& presenter = form->presenter();
    if (!presenter.refreshFacts().editorFocused) {
        std::printf("the editor did not take the focus\n");
        return 1;
    }

    std::printf("The 50 ms refresh tick, note of %d lines (%ld characters), format bar shown, "
                "%d ticks each:\n",
                note.lineCount(), note.textLength(), kTicks);
    struct Case {
        const char* label;
        document::CharRange selection;
    };
    const Case cases[] = {
        {"caret at line 5,000", {middle, middle}},
        {"lines 4,900-5,100 selected", {note.lineIndex(4900), note.lineIndex(5100)}},
        {"the whole note selected", {0, -1}},
    };
    for (const Case& c : cases) {
        note.setSelection(c.selection);
        pumpMessages();
        std::vector<double> ticks;
        for (int i = 0; i < kTicks; ++i) {
            Stopwatch clock;
            presenter.PeriodicRefresh();
            ticks.push_back(clock.ms());
            pumpMessages(); // what the tick invalidated is painted between ticks
        }
        tickRow(c.label, ticks);
    }

    // Where the time goes: the facts, each subsystem's rows run alone (in a
    // table of their own), and the control requests they make.
    struct Group {
        const char* label;
        program::Subsystem& subsystem;
    };
    const Group groups[] = {
        {"rows of the editor (colour strip, size, format bar)", form->formatting()},
        {"rows of the notes (changed mark, toolbar, menu)", form->notes()},
        {"rows of the encryption commands", form->crypto()},
        {"rows of the search (search field)", form->search()},
    };
    WNDCLASSW richEditClass{};
    GetClassInfoW(nullptr, L"RICHEDIT20W", &richEditClass);
    const WNDPROC richEditProc = richEditClass.lpfnWndProc;
    // The same request sent to a control without the program's subclasses.
    const win::UniqueHwnd spare(CreateWindowExW(0, L"RICHEDIT20W", L"", WS_CHILD | ES_MULTILINE, 0,
                                                0, 10, 10, form->hwnd(), nullptr, nullptr,
                                                nullptr));
    for (const Case& c : cases) {
        note.setSelection(c.selection);
        pumpMessages();
        std::printf("  %s, median of %d:\n", c.label, kCallRepeats);
        const program::RefreshFacts facts = presenter.refreshFacts();
        callRow("facts gathered", timed([&] { presenter.refreshFacts(); }));
        for (const Group& g : groups) {
            program::RefreshTable table;
            g.subsystem.addRefreshRows(table);
            callRow(g.label, timed([&] { table.run(facts); }));
        }
        callRow("  EM_EXGETSEL (selection)", timed([&] { note.selection(); }));
        callRow("  EM_GETTEXTLENGTHEX (text length)", timed([&] { note.textLength(); }));
        callRow("  EM_GETCHARFORMAT of the selection", timed([&] { note.charFormat(); }));
        callRow("  EM_GETPARAFORMAT of the selection", timed([&] { note.paraFormat(); }));
        callRow("  EM_GETMODIFY", timed([&] { note.modified(); }));
        callRow("  WM_NULL (what any request to the control costs)",
                timed([&] { SendMessageW(note.hwnd(), WM_NULL, 0, 0); }));
        callRow("  WM_NULL to the class's own procedure (no subclasses)",
                timed([&] { CallWindowProcW(richEditProc, note.hwnd(), WM_NULL, 0, 0); }));
        callRow("  WM_NULL sent to an empty rich-edit control of its own",
                timed([&] { SendMessageW(spare.get(), WM_NULL, 0, 0); }));
        callRow("  the selected text (EM_GETTEXTRANGE)", timed([&] { note.selectedText(); }));
    }
    std::fflush(stdout);
    return 0;
}
