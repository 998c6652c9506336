// The font picker of the format bar's font button. A left click opens the
// floating font panel `FontPanel`: the installed fonts with a filter box; each
// font chosen in the list is put on the editor's selection at once, "Ok"
// keeps it, "Отмена" or leaving the panel puts the face it had back. A right
// click drops down the font combo `FontList` instead, a plain list of names or
// (by default) one in which every font shows a sample of itself.
#pragma once

#include "document/rich_edit_win.h"
#include "program/command_table_win.h"
#include "program/subsystem_win.h"
#include "settings/options_win.h"
#include "win/handles_win.h"
#include "win/subclass_win.h"
#include "window/floating_panels_win.h"

#include <string>
#include <vector>

namespace quivra::editor {

// The installed font families, each once, sorted ignoring case.
std::vector<std::u16string> installedFonts();

class FontPicker {
  public:
    FontPicker(program::Host& host, document::RichEdit& note, const settings::Options& options,
               window::FloatingPanels& panels)
        : host_(host), note_(note), options_(options), panels_(panels) {}

    // The panel on the notes page, the combo behind the editor area's other
    // controls; both notify `notifyTarget`. They are made when first needed.
    void create(HWND notesPage, HWND editorArea, HWND notifyTarget, int dpi);
    void ensureCreated();

    // --- The font panel --------------------------------------------------------
    void SelFontButtonClick();
    void FontList1Click();
    void FontList1DblClick() { btnFOkClick(); }
    void FontSearchEnter();
    void FontSearchKeyUp();
    void FontListFilteredClick();
    void btnFOkClick();
    void btnFCancelClick();
    void FontPanelExit() { btnFCancelClick(); }

    // --- The font combo ----------------------------------------------------------
    // Drops the combo down at the font button, whose place in the format bar
    // (the top of the editor area) is (buttonX, buttonY).
    void SelFontButtonMouseUp(int buttonX, int buttonY);
    void FontListSelect();
    void FontListCloseUp();

    // What arrives for the picker's identifiers.
    bool onCommand(int id, int code);
    static program::Commands<FontPicker> commands();
    bool onDrawItem(const DRAWITEMSTRUCT& item);
    bool onMeasureItem(MEASUREITEMSTRUCT& item);
    // The owner-drawn font combo's items: the name, and under it a sample
    // in that font.
    void FontListMeasureItem(MEASUREITEMSTRUCT& item) const;
    void FontListDrawItem(const DRAWITEMSTRUCT& item) const;

    // --- For the tests -------------------------------------------------------------
    window::FloatingPanelWindow& panel() {
        ensureCreated();
        return panel_;
    }
    HWND fontList1() {
        ensureCreated();
        return list_;
    }
    HWND okButton() {
        ensureCreated();
        return btnFOk;
    }
    HWND fontListFiltered() {
        ensureCreated();
        return filtered_;
    }
    HWND fontSearch() {
        ensureCreated();
        return search_;
    }
    HWND fontCombo() {
        ensureCreated();
        return combo_;
    }
    const std::u16string& savedFontName() const { return savedFontName_; }

  private:
    // A mouse button went down on the panel's background.
    void FontPanelMouseDown(window::MouseButton button) { panel_.startDrag(button); }
    void createCombo(HWND editorArea, bool simple);
    void applyFace(std::u16string_view face);
    std::u16string selectionFace() const;

    program::Host& host_;
    document::RichEdit& note_;
    const settings::Options& options_;
    window::FloatingPanels& panels_;
    window::FloatingPanelWindow panel_{window::FloatingPanel::Font};
    HWND list_ = nullptr;     // FontList1
    HWND filtered_ = nullptr; // FontListFiltered
    HWND search_ = nullptr;   // FontSearch
    HWND btnFOk = nullptr;
    HWND btnFCancel = nullptr;
    win::Subclass listKeys_;
    win::Subclass searchKeys_;
    HWND combo_ = nullptr; // FontList, remade when its style changes
    bool simpleCombo_ = false;
    HWND notesPage_ = nullptr;
    HWND editorArea_ = nullptr;
    HWND notifyTarget_ = nullptr;
    int dpi_ = 96;
    win::UniqueFont nameFont_;
    std::vector<std::u16string> fonts_; // FontList1's entries
    std::u16string savedFontName_;      // SavedFontName
    bool cancelling_ = false;
};

} // namespace quivra::editor
