// The main window: borderless, always on top, alpha-blended, docked at a
// screen edge.
#pragma once

#include "platform/window_win.h"

namespace quivra::app {

class TMainForm : public win::Window {
public:
    TMainForm() = default;
    bool create();

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnDestroy();
};

} // namespace quivra::app
