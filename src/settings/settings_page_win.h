// The settings page: its three tabs with every option control, and the
// handlers that write an option's key the moment the user changes it.
// Effects outside the page (tray icon, hotkey, opacity, edge, frame, skin,
// notes folder) are asked of the host window.
#pragma once

#include "base/ini_file.h"
#include "program/command_table_win.h"
#include "program/id_blocks.h"
#include "program/subsystem_win.h"
#include "settings/folder_tree_win.h"
#include "settings/hotkey_keys.h"
#include "settings/keys.h"
#include "settings/options_win.h"
#include "win/hints_win.h"
#include "win/panel_win.h"
#include "win/subclass_win.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quivra::settings {

class SettingsPageHost {
  public:
    virtual ~SettingsPageHost() = default;
    virtual base::IniFile& settingsFile() = 0;
    // The tray icon wanted or not (the shell may take it only later).
    virtual void setTrayIconVisible(bool visible) = 0;
    // Registers or releases the hotkey; false when the system refuses the
    // combination.
    virtual bool setHotkeyEnabled(bool enabled) = 0;
    // Another combination than Win+N, or none to go back to Win+N; false
    // when the system refuses it.
    virtual bool setHotkeyKeys(std::optional<settings::HotkeyKeys> keys) = 0;
    virtual void setOpacity(int alpha) = 0;
    // The edge is stored already; the window moves to it.
    virtual void placeSelected(int edgeIndex) = 0;
    virtual void borderColorSelected(COLORREF colour) = 0;
    virtual void applySkin(const std::wstring& name) = 0;
    virtual void applyDataDir() = 0;
    virtual void quit() = 0;
    virtual void restart() = 0;
    virtual std::wstring executablePath() const = 0;
    virtual std::wstring skinsFolder() const = 0;
    // The 50 ms refresh and its auto-hide stop around a file dialog.
    virtual void pauseRefresh() = 0;
    virtual void resumeRefresh() = 0;
};

// One option check box: its control, caption, key, designed state and state.
struct OptionBox {
    int id;
    const wchar_t* caption;
    const BoolKey* key; // null for the autostart box, which has no key
    bool designedTicked;
    HWND hwnd = nullptr;
    bool ticked = false;
};

// The options live here from start-up on; the page's controls are made when
// the page is first shown (or a control is first asked for) and from then on
// show the options and change them.
class SettingsPage final : public Options, public program::Subsystem {
  public:
    explicit SettingsPage(SettingsPageHost& host) : host_(host) {}

    // `page` gives the page the controls will go on (asked when they are
    // made); `dpi` scales the designed sizes and `font` is the one the
    // controls take.
    void create(std::function<HWND()> page, HWND notifyTarget, UINT dpi, HFONT font);
    // Makes the controls, showing the options as they are now.
    void ensureBuilt();
    bool built() const noexcept { return built_; }
    void layout(int width, int height);

    // Commands, notifications, slider moves and owner drawing of the page's
    // controls; the quit button's menu ("Перезапустить") opens on a right
    // click.
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(NMHDR& hdr, LRESULT& result) override;
    bool onScroll(HWND control) override;
    bool onContextMenu(HWND control, POINT screen) override;
    bool onDrawItem(const DRAWITEMSTRUCT& di) override;
    bool onMeasureItem(MEASUREITEMSTRUCT& mi) override;
    std::optional<LRESULT> onCtlColor(HDC dc, HWND control) override;
    void selectTab(int index);

    // Sets a box from its key at start-up: the change handler runs only when
    // the state differs from the box's designed state.
    void setBoxFromKey(int id);
    // Ticks or clears a box and runs its change handler, as a click would.
    void setBoxTicked(int id, bool ticked);
    // The page's control of that identifier (the page is built first); an
    // identifier the page does not have is a programming error
    // (std::logic_error).
    HWND control(int id);
    OptionBox* box(int id);

    // --- Options ---------------------------------------------------------------
    bool ticked(int id) const override;
    // Sliders: setting them runs no handler (the opacity slider applies its
    // position as the window's opacity).
    int sliderPosition(int id) const override;
    void setSliderPosition(int id, long value);
    int placeIndex() const override;
    void setPlaceIndex(long index);
    COLORREF borderColor() const override;
    void setBorderColorItem(std::u16string_view name);

    // Skins list: names of Data\Skins, an empty first entry, the stored name
    // selected (none when not listed).
    void refreshSkinsList(std::u16string_view storedName);
    std::wstring selectedSkinName() const;
    void SkinsListSelect();
    // Start-up's selection: applies the listed skin the key names; an
    // unlisted or empty one leaves the key as it is.
    void applyStoredSkin();

    std::wstring dataDirText() const;
    void setDataDirText(const std::u16string& text);
    std::wstring customDirText() const;
    void setCustomDirText(const std::u16string& text);
    bool customDirSelected() const;
    void selectCustomDir(bool custom);

    void setAutostartTicked(bool ticked);

    // The link program's path.
    std::wstring customBrowserText() const { return values_.customBrowser; }
    void setCustomBrowserText(const std::wstring& path);
    // Whether the border-colour box has an item selected.

    // The hotkey field shows the stored combination (empty for Win+N); the
    // message next to the hotkey box tells whether the system refused it.
    void setHotkeyField(long fieldWord);
    void showHotkeyRegistered(bool registered);

    HWND pageHandle(int index) const { return pages()[index]->hwnd(); }
    HWND browsePanel() const { return BrowsePanel.hwnd(); }
    FolderTree& tree() { return Tree; }

    // The link program: chosen in a file dialog and stored, or forgotten.
    void ChooseBrowserClick();
    void BrowserDeleteClick();

    // Handlers of the folder-browse panel.
    void CustomDirBrowseClick();
    void TreeChange();
    void browseOkClick();
    void BrowseCancelClick();
    void BrowseCreateClick();
    void FN_okClick();
    void FN_CanelClick();
    void BrowsePanelExit();
    void NewFPanelExit();
    // The sub-folder name takes no character a folder name cannot hold:
    // false drops the typed character.
    static bool DataDirVKeyPress(wchar_t typed);

  private:
    // What the controls show, kept while they do not exist.
    struct Values {
        std::array<int, 3> sliders{50, 10, 10}; // OpVal, DelayShowBar, DelayHideBar
        int place = 0;
        int borderItem = -1;
        Color borderColour = rgbColor(0, 0, 255); // also one the box does not list
        std::vector<std::wstring> skins;          // the skins list, its empty entry first
        int skinItem = -1;
        std::wstring dataDir, customDir, customBrowser;
        bool customSelected = false;
        long hotkeyWord = 0;
        bool hotkeyRefused = false;
        int tab = 0;
    };
    int& slider(int id);
    int slider(int id) const;
    HWND existing(int id) const;
    void build();
    void showValues();
    void buildGeneralPage(HWND page);
    void buildNotesPage(HWND page);
    void buildViewPage(HWND page);
    void buildBrowsePanel(HWND page);
    void ensureBrowseTree();
    void onOptionBoxChanged(OptionBox& box);
    void writeBoxKey(const OptionBox& box);
    void onAutostartChanged();
    void onHotkeyFieldChanged();
    void onSliderMouseUp(HWND slider);
    int px(int designed) const;
    std::array<win::Panel*, 3> pages() const;

    // The option boxes' change handlers: each applies its effect, then
    // writes its key.
    void isTrayIconClick();
    void isFocusOnTrayClickClick();
    void isDblClickClick();
    void isEnableHotkeyClick();
    void isFocusOnHotkeyClick();
    void DisableShowingOnStartClick();
    void isOneListClickClick();
    void isFocusOnSelectNoteClick();
    void isDynSearchClick();
    void isSearchFilterClick();
    void isSimpleFontListClick();
    void isDetectURLClick();
    void isShowCopyClick();
    void strongCipherClick();
    void isAniShowClick();
    void isAniHideClick();
    void isUseAnimationClick();

    // The other controls' handlers.
    // The page's commands: its buttons, fields, lists and the quit menu.
    enum Menu : int { kQuitMenu };
    static program::Commands<SettingsPage> commands();
    void dataDirTyped();
    void customDirTyped();
    void customBrowserTyped();
    void dataDirChoiceClick();
    void skinChosen();
    void PlaceSelect();
    void BvlColorSelect();
    void sLabel6Click();
    void ApplyDataDirClick();
    void ClearCoordsButtonClick();
    void bQuitClick();
    void G1Click();
    void OpValChange();
    void OpValMouseUp();
    void DelayShowBarMouseUp();
    void DelayHideBarMouseUp();

    // The option check boxes, in the order of the pages.
    struct OptionBoxes {
        OptionBox isTrayIcon, isFocusOnTrayClick, isDblClick, isEnableHotkey, isFocusOnHotkey,
            isStartUp, DisableShowingOnStart, isOneListClick, isFocusOnSelectNote, isDynSearch,
            isSearchFilter, isSimpleFontList, isDetectURL, isShowCopy, strongCipher, isAniShow,
            isAniHide, isUseAnimation;
        std::array<OptionBox*, 18> all() {
            return {&isTrayIcon,
                    &isFocusOnTrayClick,
                    &isDblClick,
                    &isEnableHotkey,
                    &isFocusOnHotkey,
                    &isStartUp,
                    &DisableShowingOnStart,
                    &isOneListClick,
                    &isFocusOnSelectNote,
                    &isDynSearch,
                    &isSearchFilter,
                    &isSimpleFontList,
                    &isDetectURL,
                    &isShowCopy,
                    &strongCipher,
                    &isAniShow,
                    &isAniHide,
                    &isUseAnimation};
        }
        std::array<const OptionBox*, 18> all() const {
            auto list = const_cast<OptionBoxes*>(this)->all();
            std::array<const OptionBox*, 18> out{};
            std::copy(list.begin(), list.end(), out.begin());
            return out;
        }
    };

    SettingsPageHost& host_;
    Values values_;
    bool built_ = false;
    bool showingValues_ = false; // the controls' notifications are the page's own
    int width_ = 0;
    int height_ = 0;
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
    std::function<HWND()> pageSource_;
    HWND page_ = nullptr; // once built
    HWND notifyTarget_ = nullptr;
    OptionBoxes boxes_;
    // The page's controls, by the names of the window's layout.
    HWND SettingsP = nullptr;
    win::Panel GeneralSPage, NotesSPage, ViewSPage;
    HWND wd_owndir = nullptr, DataDirV = nullptr, wd_customdir = nullptr, CustomDirV = nullptr,
         CustomDirBrowse = nullptr, ApplyDataDir = nullptr, ClearCoordsButton = nullptr;
    HWND hotkeyKeys_ = nullptr, hotkeyRefused_ = nullptr;
    HWND CustomBrowserPath = nullptr, ChooseBrowser = nullptr, BrowserDelete = nullptr;
    HWND Place = nullptr, sLabel6 = nullptr, SkinsList = nullptr, BvlColor = nullptr,
         DelayShowBar = nullptr, DelayHideBar = nullptr, OpVal = nullptr;
    HWND bQuit = nullptr;
    win::UniqueMenu QuitMenu; // its item G1 "Перезапустить"
    win::Panel BrowsePanel;
    FolderTree Tree;
    HWND browseOk = nullptr, BrowseCancel = nullptr, BrowseCreate = nullptr;
    win::Panel NewFPanel;
    HWND FolName = nullptr, FN_ok = nullptr, FN_Canel = nullptr;
    win::Hints hints_;
    std::array<win::Subclass, 3> sliderEvents_;
    win::Subclass folderNameEvents_;
};

} // namespace quivra::settings
