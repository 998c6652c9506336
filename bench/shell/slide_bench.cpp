// Times one slide of the main window in and out at the dock edge, at the
// smallest step (10 px, 64 moves for a 640 px window) and a large one (100 px).
#include "in_process.h"

#include "settings/keys.h"

#include <cstdio>

using namespace quivra;

int wmain() {
    bench::prepareProcess();
    bench::BenchProgramFolder folder(L"quivra-slide-bench");
    for (int step : {10, 100}) {
        auto form = folder.start();
        if (!form)
            return 1;
        form->FormShow();
        auto& presenter = form->presenter();
        presenter.runPendingSlides();
        auto& page = form->settingsPage();
        page.sliders().setPosition(settings::ID_DELAYSHOWBAR, step);
        page.sliders().setPosition(settings::ID_DELAYHIDEBAR, step);
        std::vector<double> in, out;
        for (int round = 0; round < 10; ++round) {
            bench::Stopwatch sw;
            presenter.OnSlide(true);
            in.push_back(sw.ms());
            sw.restart();
            presenter.OnSlide(false);
            out.push_back(sw.ms());
        }
        std::printf("slide at step %3d px: in median %.1f ms (%s), out median %.1f ms (%s)\n", step,
                    bench::median(in), bench::listed(in).c_str(), bench::median(out),
                    bench::listed(out).c_str());
    }
    return 0;
}
