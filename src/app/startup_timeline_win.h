// Where start-up spends its time: the main window marks the end of each of
// its phases, and the start-up benchmark prints them. A mark costs one read
// of the performance counter.
#pragma once

#include <windows.h>

#include <vector>

namespace quivra::app {

class StartupTimeline {
  public:
    struct Phase {
        const char* name;
        double ms; // since the previous mark (the first: since the timeline began)
    };

    StartupTimeline() { QueryPerformanceCounter(&last_); }

    void mark(const char* name) {
        LARGE_INTEGER now, freq;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&freq);
        phases_.push_back({name, 1000.0 * static_cast<double>(now.QuadPart - last_.QuadPart) /
                                     static_cast<double>(freq.QuadPart)});
        last_ = now;
    }
    const std::vector<Phase>& phases() const noexcept { return phases_; }

  private:
    LARGE_INTEGER last_{};
    std::vector<Phase> phases_;
};

} // namespace quivra::app
