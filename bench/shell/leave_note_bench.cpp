// Leaving a big note: TMainForm::OpenNote of a small note after a 1 MB (and a
// 250 KB) RTF note, against opening the big note. Wine's control empties
// itself in time that grows with the square of its paragraphs, so the editor
// swaps in a fresh control instead; the same switch with the swap turned off
// shows what emptying in place costs. Then, for notes of growing size, the
// editor's empty() in place against a replaceable one, which swaps from 200
// paragraphs on: where a fresh control starts to pay.
#include "big_note.h"
#include "in_process.h"

#include "document/rich_edit_win.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace quivra;
using namespace quivra::bench;

namespace {

constexpr int kRounds = 5;
constexpr int kRoundsInPlace = 3; // emptying a 1 MB note in place takes seconds

struct Figures {
    std::vector<double> open, leave;
};

// Opens the big note and leaves it for the small one, `rounds` times.
bool timeSwitches(app::TMainForm& form, const wchar_t* big, const wchar_t* small, int rounds,
                  Figures& figures) {
    for (int i = 0; i < rounds; ++i) {
        if (!selectNote(form, big))
            return false;
        Stopwatch clock;
        form.notes().OpenNote();
        figures.open.push_back(clock.ms());
        const long loaded = form.note().textLength();
        pumpMessages();
        if (!selectNote(form, small))
            return false;
        clock.restart();
        form.notes().OpenNote();
        figures.leave.push_back(clock.ms());
        pumpMessages();
        if (loaded == 0)
            return false;
    }
    return true;
}

// Lines of 40 characters.
std::u16string plainLines(int lines) {
    std::u16string text;
    for (int i = 0; i < lines; ++i)
        text += std::u16string(39, static_cast<char16_t>(u'a' + i % 26)) + u'\r';
    return text;
}

// A plain window holding one editor, as the note editor is made.
class EditorHost {
  public:
    EditorHost() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LeaveNoteBenchHost";
        RegisterClassExW(&wc);
        host_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 600,
                                    500, nullptr, nullptr, wc.hInstance, nullptr));
        ShowWindow(host_.get(), SW_SHOWNOACTIVATE);
    }
    HWND hwnd() const noexcept { return host_.get(); }

  private:
    win::UniqueHwnd host_;
};

} // namespace

int wmain() {
    plainNewlines();
    prepareProcess();
    BenchProgramFolder folder(L"quivra-leave");
    const wchar_t* smallName = L"Короткая";
    struct BigNote {
        const char* label;
        size_t size;
        const wchar_t* name;
    };
    const BigNote notes[] = {{"1 MB", 1 << 20, L"Большая"}, {"250 KB", 250 * 1024, L"Средняя"}};
    writeFile(folder.notesFolder() / (std::wstring(smallName) + L".note"), makeNote(2000));
    for (const auto& n : notes)
        writeFile(folder.notesFolder() / (std::wstring(n.name) + L".note"), makeNote(n.size));

    auto form = folder.startShown();
    if (!form || !selectNote(*form, smallName))
        return 1;
    form->notes().OpenNote();
    pumpMessages();

    int rc = 0;
    std::printf("Leaving a big note (TMainForm::OpenNote of a 2 KB note) against opening it "
                "(OpenNote from the 2 KB note):\n");
    for (const auto& n : notes) {
        Figures swapped, inPlace;
        form->note().setReplaceable(true);
        bool ok = timeSwitches(*form, n.name, smallName, kRounds, swapped);
        form->note().setReplaceable(false);
        ok = ok && timeSwitches(*form, n.name, smallName, kRoundsInPlace, inPlace);
        form->note().setReplaceable(true);
        if (!ok) {
            std::printf("  %s: the note did not open\n", n.label);
            rc = 1;
            continue;
        }
        std::printf("  %s note:\n", n.label);
        row("opening it", swapped.open, 44);
        row("leaving it, fresh editor swapped in", swapped.leave, 44);
        row("leaving it, editor emptied in place", inPlace.leave, 44);
        std::printf("    leaving / opening: %.3f with the swap, %.2f in place\n",
                    median(swapped.leave) / median(swapped.open),
                    median(inPlace.leave) / median(inPlace.open));
    }
    form.reset();
    pumpMessages();

    // The wrapper on its own: empty() after a load, in place and by a fresh
    // control, by the paragraphs the note had.
    EditorHost host;
    document::RichEdit edit;
    if (!edit.create(host.hwnd(), 100, RECT{0, 0, 580, 480})) {
        std::printf("cannot create a RichEdit control\n");
        return 1;
    }
    std::printf("RichEdit::empty() after a load, in place and replaceable (median of %d):\n",
                kRoundsInPlace);
    // Loads a note, then empties it in place and as a replaceable editor.
    const auto timeEmpty = [&](const char* label, const std::function<void()>& load) {
        std::vector<double> times[2];
        int paragraphs = 0;
        for (int i = 0; i < kRoundsInPlace; ++i)
            for (const bool replace : {false, true}) {
                edit.setReplaceable(replace);
                load();
                paragraphs = edit.lineCount();
                pumpMessages();
                Stopwatch clock;
                edit.empty();
                times[replace].push_back(clock.ms());
                pumpMessages();
            }
        std::printf("    %-22s %5d paragraphs:  in place %7.1f ms   replaceable %5.1f ms\n", label,
                    paragraphs, median(times[0]), median(times[1]));
    };
    for (const size_t size : {8u << 10, 16u << 10, 32u << 10, 64u << 10, 128u << 10, 256u << 10}) {
        const std::string rtf = makeNote(size);
        const std::string label = "RTF " + std::to_string(size >> 10) + " KB,";
        timeEmpty(label.c_str(), [&] { edit.setRtf(rtf); });
    }
    for (const int lines : {100, 200, 400, 1000}) {
        const std::u16string text = plainLines(lines);
        const std::string label = "text, lines of 40,";
        timeEmpty(label.c_str(), [&] { edit.setPlainText(text); });
    }
    const std::u16string longLine(200000, u'w');
    timeEmpty("text, 200,000 letters,", [&] { edit.setPlainText(longLine); });
    if (answeredBoxes())
        std::printf("  (%d message boxes were answered during the run)\n", answeredBoxes());
    std::fflush(stdout);
    return rc;
}
