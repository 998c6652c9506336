// The settings page's frame: the tab control with its three pages ("Общие",
// "Заметки", "Вид и анимация"), the quit button at the bottom right with its
// menu ("Перезапустить" on a right click), and their layout. The tab shown
// is kept while the page does not exist.
#pragma once

#include "settings/settings_page_host_win.h"
#include "win/handles_win.h"
#include "win/panel_win.h"

#include <windows.h>

#include <array>

namespace quivra::settings {

class SettingsTabs {
  public:
    explicit SettingsTabs(SettingsPageHost& host) : host_(host) {}

    // The tab control and its pages, on `page`; the pages forward their
    // controls' messages to `notifyTarget`.
    void create(HWND page, HWND notifyTarget, UINT dpi);
    // The quit button, made after the pages' controls, and its menu.
    void createQuitButton(HWND page, win::UniqueMenu menu);
    HWND pageHandle(int index) const { return pages()[index]->hwnd(); }
    void layout(int width, int height);
    void selectTab(int index);
    // The controls show the tab kept.
    void showValues() { selectTab(tab_); }
    // The tab control's change of page; false for other controls.
    bool onNotify(NMHDR& hdr, LRESULT& result);
    // The quit button's menu; false for other controls.
    bool onContextMenu(HWND control, POINT screen);
    HWND control(int id) const;

    void bQuitClick();
    void G1Click();

  private:
    std::array<win::Panel*, 3> pages() const;
    int px(int designed) const;

    SettingsPageHost& host_;
    UINT dpi_ = 96;
    int tab_ = 0;
    HWND notifyTarget_ = nullptr;
    HWND SettingsP = nullptr;
    win::Panel GeneralSPage, NotesSPage, ViewSPage;
    HWND bQuit = nullptr;
    win::UniqueMenu QuitMenu; // its item G1 "Перезапустить"
};

} // namespace quivra::settings
