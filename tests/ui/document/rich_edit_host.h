// A plain top-level window hosting a real RichEdit control for the tests; it
// keeps the link notifications the control sends it.
#pragma once

#include <gtest/gtest.h>

#include "document/rich_edit_win.h"
#include "win/text_services_win.h"
#include "win/window_win.h"

#include <vector>

namespace quivra::document::test {

class HostWindow : public win::Window {
  public:
    bool open() {
        return create(L"QuivraRichEditTestHost", 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, L"host",
                      0, 0, 640, 480, nullptr, nullptr, nullptr);
    }
    std::vector<document::LinkEvent> links;

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_NOTIFY)
            if (auto link = document::RichEdit::linkEvent(lp))
                links.push_back(*link);
        return defaultProc(msg, wp, lp);
    }
};

class RichEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        win::installWin32TextServices();
        ASSERT_TRUE(host.open());
        ASSERT_TRUE(edit.create(host.hwnd(), 100, RECT{0, 0, 400, 300}));
    }

    // Saves and loads the content as a note save and a later load would.
    void roundTrip() {
        const std::string saved = edit.rtf();
        edit.empty();
        edit.setRtf(saved);
    }
    void select(long start, long end) { edit.setSelection({start, end}); }
    // Selects line i without its paragraph break.
    void selectLine(int i) {
        const long start = edit.lineIndex(i);
        select(start, start + static_cast<long>(edit.line(i).size()));
    }

    HostWindow host;
    document::RichEdit edit;
};

} // namespace quivra::document::test
