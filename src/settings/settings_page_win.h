// The settings page: the options from start-up on and, once the page is
// first shown, its three tabs of controls. The page composes the parts that
// own the controls and their handlers — the option boxes, the hotkey field,
// the sliders, the notes folder's choice with its browse panel, the skins
// list, the edge and border colour boxes, the link program and the tabs —
// and answers the program's questions about the options. Effects outside
// the page (tray icon, hotkey, opacity, edge, frame, skin, notes folder) are
// asked of the host window.
#pragma once

#include "program/command_table_win.h"
#include "program/subsystem_win.h"
#include "settings/border_colour_box_win.h"
#include "settings/data_folder_choice_win.h"
#include "settings/folder_browse_panel_win.h"
#include "settings/hotkey_field_win.h"
#include "settings/link_program_win.h"
#include "settings/option_boxes_win.h"
#include "settings/option_sliders_win.h"
#include "settings/options_win.h"
#include "settings/place_box_win.h"
#include "settings/settings_page_host_win.h"
#include "settings/settings_tabs_win.h"
#include "settings/skin_chooser_win.h"
#include "win/hints_win.h"

#include <windows.h>

#include <functional>

namespace quivra::settings {

// The page's controls are made when the page is first shown (or a control
// is first asked for); until then each part keeps what its controls will
// show.
class SettingsPage final : public Options, public program::Subsystem {
  public:
    explicit SettingsPage(SettingsPageHost& host)
        : host_(host), hotkeyField_(host, *this), sliders_(host),
          boxes_(host, hotkeyField_, sliders_), dataFolder_(host), browsePanel_(dataFolder_),
          skins_(host), borderColour_(host), place_(host), linkProgram_(host), tabs_(host) {}

    // `page` gives the page the controls will go on (asked when they are
    // made); `dpi` scales the designed sizes and `font` is the one the
    // controls take.
    void create(std::function<HWND()> page, HWND notifyTarget, UINT dpi, HFONT font);
    // Makes the controls, showing the options as they are now.
    void ensureBuilt();
    bool built() const noexcept { return built_; }
    void layout(int width, int height);

    // The page's control of that identifier (the page is built first); an
    // identifier the page does not have is a programming error
    // (std::logic_error).
    HWND control(int id);

    // --- The parts -------------------------------------------------------------
    OptionBoxes& optionBoxes() { return boxes_; }
    HotkeyField& hotkeyField() { return hotkeyField_; }
    OptionSliders& sliders() { return sliders_; }
    DataFolderChoice& dataFolder() { return dataFolder_; }
    // The browse panel's controls exist once the page is built: asking for
    // the panel builds it.
    FolderBrowsePanel& folderBrowsePanel() {
        ensureBuilt();
        return browsePanel_;
    }
    SkinChooser& skins() { return skins_; }
    BorderColourBox& borderColourBox() { return borderColour_; }
    PlaceBox& placeBox() { return place_; }
    LinkProgramField& linkProgram() { return linkProgram_; }
    SettingsTabs& tabs() { return tabs_; }

    // --- Options ---------------------------------------------------------------
    bool ticked(int id) const override { return boxes_.ticked(id); }
    int sliderPosition(int id) const override { return sliders_.position(id); }
    int placeIndex() const override { return place_.placeIndex(); }
    COLORREF borderColor() const override { return borderColour_.borderColor(); }

    // --- program::Subsystem ------------------------------------------------------
    // Commands, notifications, slider moves and owner drawing of the page's
    // controls; the quit button's menu opens on a right click.
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(NMHDR& hdr, LRESULT& result) override;
    bool onScroll(HWND control) override { return sliders_.onScroll(control); }
    bool onContextMenu(HWND control, POINT screen) override {
        return tabs_.onContextMenu(control, screen);
    }
    bool onDrawItem(const DRAWITEMSTRUCT& di) override { return borderColour_.onDrawItem(di); }
    bool onMeasureItem(MEASUREITEMSTRUCT& mi) override { return borderColour_.onMeasureItem(mi); }
    std::optional<LRESULT> onCtlColor(HDC dc, HWND control) override {
        return hotkeyField_.onCtlColor(dc, control);
    }

  private:
    // The page's commands: its buttons, fields, lists and the quit menu.
    enum Menu : int { kQuitMenu };
    static program::Commands<SettingsPage> commands();
    HWND existing(int id) const;
    void build();
    void showValues();
    void buildGeneralPage(HWND page);
    void buildNotesPage(HWND page);
    void buildViewPage(HWND page);
    int px(int designed) const;
    void ClearCoordsButtonClick();

    SettingsPageHost& host_;
    bool built_ = false;
    bool showingValues_ = false; // the controls' notifications are the page's own
    int width_ = 0;
    int height_ = 0;
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
    std::function<HWND()> pageSource_;
    HWND page_ = nullptr; // once built
    HWND notifyTarget_ = nullptr;
    HotkeyField hotkeyField_;
    OptionSliders sliders_;
    OptionBoxes boxes_;
    DataFolderChoice dataFolder_;
    FolderBrowsePanel browsePanel_;
    SkinChooser skins_;
    BorderColourBox borderColour_;
    PlaceBox place_;
    LinkProgramField linkProgram_;
    SettingsTabs tabs_;
    HWND ClearCoordsButton = nullptr;
    win::Hints hints_;
};

} // namespace quivra::settings
