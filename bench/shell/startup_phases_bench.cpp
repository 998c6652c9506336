// Where the main window's start-up spends its time, phase by phase, in this
// process: a first start in a fresh program folder and a later start in the
// same folder, each up to the window's first showing. The process-wide set-up
// that quivra.exe does before its window (common controls, the rich-edit
// library) is timed once, as it happens once per process.
//
//     startup_phases_bench.exe [rounds]
#include "in_process.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace quivra;
using namespace quivra::bench;

namespace {

struct PhaseTimes {
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> times;
    std::vector<double> totals;

    void add(const app::StartupTimeline& timeline) {
        double total = 0;
        for (const auto& phase : timeline.phases()) {
            if (!times.count(phase.name))
                order.push_back(phase.name);
            times[phase.name].push_back(phase.ms);
            total += phase.ms;
        }
        totals.push_back(total);
    }

    void report(const char* title) const {
        std::printf("%s (median of %zu):\n", title, totals.size());
        for (const auto& name : order)
            std::printf("  %-24s %7.1f ms\n", name.c_str(), median(times.at(name)));
        std::printf("  %-24s %7.1f ms\n", "all phases", median(totals));
    }
};

// The main window's child windows by class, as start-up leaves them: each
// window made costs time here, so this shows what start-up makes.
void reportWindows(HWND form) {
    std::map<std::wstring, int> classes;
    EnumChildWindows(
        form,
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t cls[64]{};
            GetClassNameW(w, cls, 64);
            ++(*reinterpret_cast<std::map<std::wstring, int>*>(p))[cls];
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&classes));
    std::printf("Child windows after start-up:\n");
    for (const auto& [name, count] : classes)
        std::printf("  %-24S %3d\n", name.c_str(), count);
}

// Starts the main window in `folder`, shows it and closes it again.
bool startOnce(const BenchProgramFolder& folder, PhaseTimes& into, bool listWindows = false) {
    auto form = folder.start();
    if (!form)
        return false;
    form->FormShow();
    into.add(form->timeline());
    if (listWindows)
        reportWindows(form->hwnd());
    pumpMessages();
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    plainNewlines();
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
    Stopwatch clock;
    prepareProcess();
    const double processSetUp = clock.ms();

    PhaseTimes first, later;
    {
        // Not counted: the first window of the process loads the controls'
        // code and the fonts.
        BenchProgramFolder warm(L"quivra-phases");
        PhaseTimes ignored;
        if (!startOnce(warm, ignored, true))
            return 1;
    }
    for (int round = 0; round < rounds; ++round) {
        BenchProgramFolder folder(L"quivra-phases");
        if (!startOnce(folder, first) || !startOnce(folder, later))
            return 1;
    }
    std::printf("Process set-up before the window (common controls, rich-edit library): %.1f ms\n",
                processSetUp);
    first.report("First start, fresh folder");
    later.report("Later start, same folder");
    return 0;
}
