#include <gtest/gtest.h>

#include "app/main_form_win.h"

using quivra::app::TMainForm;

TEST(MainForm, IsTitledQuivraAndStaysOnTop) {
    TMainForm form;
    ASSERT_TRUE(form.create());
    wchar_t title[64]{};
    GetWindowTextW(form.hwnd(), title, 64);
    EXPECT_STREQ(title, L"Quivra");
    const LONG_PTR ex = GetWindowLongPtrW(form.hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
}
