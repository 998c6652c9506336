// The editor subsystem's controls and menus, its share of the refresh and of
// the shortcuts, the routing of its identifiers and the editor's focus.
#include "editor/formatting_controller_win.h"

#include "program/refresh_table.h"
#include "win/controls_win.h"
#include "win/wide_win.h"

#include <commctrl.h>

namespace quivra::editor {

FormattingController::FormattingController(program::Host& host, program::ProgramState& state,
                                           document::RichEdit& note,
                                           const settings::Options& options,
                                           window::FloatingPanels& panels,
                                           window::ConfirmPanel& confirm, FormattingNeeds& needs)
    : host_(host), state_(state), note_(note), options_(options), needs_(needs),
      fontPicker_(host, note, options, panels), text_(host, state, note, menus_, confirm),
      keys_(note) {}

void FormattingController::create(HWND editorArea, HWND notesPage, HMENU notesMenu) {
    HWND main = host_.mainWindow();
    const int dpi = host_.scale(96);
    bar_.create(editorArea, main, host_);
    palette_.create(editorArea, ID_COLORPAN, dpi);
    palette_.onPick = [this](std::size_t swatch) { colorPanClick(swatch); };
    palette_.onLeave = [this] { colorPanExit(); };
    palette_.onEscape = [this] {
        if (note_.enabled())
            note_.focus();
        else
            colorPanExit();
    };
    bar_.colValue.onClick = [this] { colValueClick(); };
    bar_.SelFontColorButton.onRightUp = [this] { SelFontColorButtonMouseUp(); };
    bar_.SelFontButton.onRightUp = [this] {
        fontPicker_.SelFontButtonMouseUp(bar_.xOf(bar_.SelFontButton),
                                         bar_.yOf(bar_.SelFontButton));
    };
    menus_.create(dateKeyTexts());
    fontPicker_.create(notesPage, editorArea, main, dpi);
    notesMenu_ = notesMenu;
    program::appendMenuItems(commands(), kNotesMenu, notesMenu_);

    // The palette slides over the editor, which must not paint over it.
    SetWindowLongPtrW(note_.hwnd(), GWL_STYLE,
                      GetWindowLongPtrW(note_.hwnd(), GWL_STYLE) | WS_CLIPSIBLINGS);
    editorFocus_.attach(note_.hwnd(), [this](UINT msg, WPARAM, LPARAM, const auto& next) {
        return onEditorMessage(msg, next);
    });
    bar_.onSizeBoxMade = [this](HWND combo) {
        if (HWND sizeEdit = FindWindowExW(combo, nullptr, L"Edit", nullptr))
            sizeBoxKeys_.attach(sizeEdit, [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
                return onSizeBoxKey(msg, wp, lp, next);
            });
    };
}

int FormattingController::layoutFormatBar(int width, bool shown) {
    if (!bar_.hwnd())
        return 0;
    bar_.layout(width, shown);
    return shown ? host_.scale(FormatBar::kHeight) : 0;
}

void FormattingController::noteViewChanged() {
    enableForReadOnly();
    EnableWindow(bar_.SelFontSize.hwnd(), !state_.NoteReadOnly);
    host_.relayoutEditorArea();
}

void FormattingController::enableForReadOnly() {
    for (auto* button : bar_.elevenButtons())
        button->setEnabled(!state_.NoteReadOnly);
    EnableMenuItem(notesMenu_, Unformat, state_.NoteReadOnly ? MF_GRAYED : MF_ENABLED);
}

// --- The editor's focus ------------------------------------------------------------

std::optional<LRESULT> FormattingController::onEditorMessage(UINT msg,
                                                             const win::Subclass::Next& next) {
    if (msg == WM_SETFOCUS) {
        const LRESULT r = next();
        NoteEnter();
        return r;
    }
    if (msg == WM_KILLFOCUS) {
        const LRESULT r = next();
        NoteExit();
        return r;
    }
    return std::nullopt;
}

void FormattingController::NoteEnter() {
    enableForReadOnly();
    EnableWindow(bar_.SelFontSize.hwnd(), !state_.NoteReadOnly);
    showAlignmentOfParagraph();
    showSizeOfSelection(note_.charFormat());
}

void FormattingController::NoteExit() {
    for (auto* button : bar_.elevenButtons())
        button->setEnabled(false);
}

std::optional<LRESULT> FormattingController::onSizeBoxKey(UINT msg, WPARAM wp, LPARAM lp,
                                                          const win::Subclass::Next& next) {
    // Enter in the size box applies the typed size; the main window's
    // dialog navigation must leave the key to the box.
    if (msg == WM_GETDLGCODE && lp && reinterpret_cast<const MSG*>(lp)->message == WM_KEYDOWN &&
        reinterpret_cast<const MSG*>(lp)->wParam == VK_RETURN)
        return next() | DLGC_WANTMESSAGE;
    if (msg == WM_CHAR && wp == 13) {
        SelFontSizeSelect();
        return 0;
    }
    return std::nullopt;
}

// --- Menus of the bar ------------------------------------------------------------------

POINT FormattingController::menuPoint(const win::SpeedButton& button, int dx, int dy) const {
    RECT window;
    GetWindowRect(host_.mainWindow(), &window);
    const int pane = needs_.listPaneWidth();
    return {window.left + pane + bar_.xOf(button) + host_.scale(dx),
            window.top + bar_.yOf(button) + host_.scale(dy)};
}

void FormattingController::enableSizeBox(bool enabled) {
    EnableWindow(bar_.SelFontSize.hwnd(), enabled);
}

void FormattingController::updateAdditMenu() {
    menus_.applyAdditRules(additMenuRules(note_.selectedText(), state_.NoteReadOnly));
}

void FormattingController::AdvancedButtonClick() {
    needs_.closeQuickSearch();
    updateAdditMenu();
    const POINT at = menuPoint(bar_.AdvancedButton, -250, 64);
    TrackPopupMenu(menus_.addit(), TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, host_.mainWindow(),
                   nullptr);
}

void FormattingController::isListClick() {
    const POINT at = menuPoint(bar_.isList, 0, 96);
    TrackPopupMenu(menus_.listStyle(), TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0,
                   host_.mainWindow(), nullptr);
}

// --- Routing ---------------------------------------------------------------------------

program::Commands<FormattingController> FormattingController::commands() {
    using F = FormattingController;
    using program::bare;
    using program::ctrl;
    static constexpr program::Command<F> kCommands[] = {
        // The format bar's buttons and size box.
        {.id = ID_BOLDBUTTON, .run = &F::BoldButtonClick},
        {.id = ID_ITABUTTON, .run = &F::ItaButtonClick},
        {.id = ID_UNDERBUTTON, .run = &F::UnderButtonClick},
        {.id = ID_STRIKEBUTTON, .run = &F::StrikeButtonClick},
        {.id = ID_ALLEFT, .run = &F::AlLeftClick},
        {.id = ID_ALCENTER, .run = &F::AlCenterClick},
        {.id = ID_ALRIGHT, .run = &F::AlRightClick},
        {.id = ID_SELFONTBUTTON, .run = &F::selFontButtonClick},
        {.id = ID_SELFONTCOLORBUTTON, .run = &F::SelFontColorButtonClick},
        {.id = ID_BGCOLORBUTTON, .run = &F::BGColorButtonClick},
        {.id = ID_ISLIST, .run = &F::isListClick},
        {.id = ID_ADVANCEDBUTTON, .run = &F::AdvancedButtonClick},
        {.id = ID_SELFONTSIZE, .run = &F::fontSizeChosen, .code = CBN_SELCHANGE},
        {.id = ID_SELFONTSIZE, .run = &F::SelFontSizeCloseUp, .code = CBN_CLOSEUP},
        // The format keys; no item: they run whatever the note's state.
        {.id = act_bold,
         .key = ctrl('B'),
         .run = [](F& f) { f.keys_.act_boldExecute(); },
         .help = L"полужирный"},
        {.id = act_itallic,
         .key = ctrl('I'),
         .run = [](F& f) { f.keys_.act_itallicExecute(); },
         .help = L"курсив"},
        {.id = act_underline,
         .key = ctrl('U'),
         .run = [](F& f) { f.keys_.act_underlineExecute(); },
         .help = L"подчёркнутый"},
        {.id = act_strikeout, .run = [](F& f) { f.keys_.act_strikeoutExecute(); }},
        {.id = act_al_left,
         .key = ctrl('L'),
         .run = [](F& f) { f.keys_.act_al_leftExecute(); },
         .help = L"выровнять влево"},
        {.id = act_al_right,
         .key = ctrl('R'),
         .run = [](F& f) { f.keys_.act_al_rightExecute(); },
         .help = L"выровнять вправо"},
        {.id = act_al_center,
         .key = ctrl('E'),
         .run = [](F& f) { f.keys_.act_al_centerExecute(); },
         .help = L"выровнять по центру"},
        // The date keys belong to the editor's menu: they work while the
        // editor has the focus.
        {.id = N23,
         .key = bare(VK_F5),
         .menu = kHiddenMenu,
         .run = [](F& f) { f.text_.N23Click(); },
         .keyAllowed = &F::editorFocused,
         .help = L"вставить время и дату"},
        {.id = N30,
         .key = bare(VK_F6),
         .menu = kHiddenMenu,
         .run = [](F& f) { f.text_.N30Click(); },
         .keyAllowed = &F::editorFocused,
         .help = L"вставить дату"},
        {.id = N26,
         .key = bare(VK_F7),
         .menu = kHiddenMenu,
         .run = [](F& f) { f.text_.N26Click(); },
         .keyAllowed = &F::editorFocused,
         .help = L"вставить время"},
        // The additional menu's date forms and insertions.
        {.id = ID_INSERTDT, .menu = kAdditMenu, .run = [](F& f) { f.text_.InsertDTClick(); }},
        {.id = ID_N12, .menu = kAdditMenu, .run = [](F& f) { f.text_.N12Click(); }},
        {.id = ID_N18, .menu = kAdditMenu, .run = [](F& f) { f.text_.N18Click(); }},
        {.id = ID_INSERTDATE, .menu = kAdditMenu, .run = [](F& f) { f.text_.InsertDateClick(); }},
        {.id = ID_N14, .menu = kAdditMenu, .run = [](F& f) { f.text_.N14Click(); }},
        {.id = ID_N15, .menu = kAdditMenu, .run = [](F& f) { f.text_.N15Click(); }},
        {.id = ID_INSERTTIME, .menu = kAdditMenu, .run = [](F& f) { f.text_.InsertTimeClick(); }},
        {.id = ID_N17, .menu = kAdditMenu, .run = [](F& f) { f.text_.N17Click(); }},
        {.id = N22, .menu = kAdditMenu, .run = [](F& f) { f.text_.pasteAsText(); }},
        {.id = OpenText, .menu = kAdditMenu, .run = [](F& f) { f.text_.openTextFromFile(); }},
        {.id = N32, .menu = kAdditMenu, .run = [](F& f) { f.text_.insertFileLink(); }},
        // The list menu.
        {.id = ID_F1, .menu = kListMenu, .run = [](F& f) { f.text_.F1Click(); }},
        {.id = ID_N9, .menu = kListMenu, .run = [](F& f) { f.text_.N9Click(); }},
        {.id = ID_N21, .menu = kListMenu, .run = [](F& f) { f.text_.N21Click(); }},
        {.id = ID_N25, .menu = kListMenu, .run = [](F& f) { f.text_.N25Click(); }},
        {.id = ID_A1, .menu = kListMenu, .run = [](F& f) { f.text_.A1Click(); }},
        {.id = ID_I1, .menu = kListMenu, .run = [](F& f) { f.text_.i1Click(); }},
        {.id = ID_I2, .menu = kListMenu, .run = [](F& f) { f.text_.I2Click(); }},
        {.id = ID_G2, .menu = kListMenu, .run = [](F& f) { f.text_.G2Click(); }},
        {.id = ID_N110, .menu = kListMenu, .run = [](F& f) { f.text_.N110Click(); }},
        {.id = ID_N29, .menu = kListMenu, .run = [](F& f) { f.text_.N29Click(); }},
        {.id = ID_N111, .menu = kListMenu, .run = [](F& f) { f.text_.N111Click(); }},
        {.id = ID_Y1, .menu = kListMenu, .run = [](F& f) { f.text_.Y1Click(); }},
        {.id = ID_N28, .menu = kListMenu, .run = [](F& f) { f.text_.N28Click(); }},
        // The notes menu's item.
        {.id = Unformat,
         .caption = L"Сброс форматирования",
         .menu = kNotesMenu,
         .run = [](F& f) { f.text_.UnformatClick(); }},
    };
    return kCommands;
}

bool FormattingController::onCommand(int id, int code, HWND) {
    return fontPicker_.onCommand(id, code) || program::runCommand(commands(), *this, id, code);
}

bool FormattingController::editorFocused() const {
    return note_.focused();
}

void FormattingController::selFontButtonClick() {
    fontPicker_.SelFontButtonClick();
}

void FormattingController::fontSizeChosen() {
    // The box's text becomes the chosen item's only after this notification;
    // the size is read from the text.
    const int index = bar_.SelFontSize.box().selected();
    if (index < 0)
        return;
    const std::u16string item(kFontSizeItems[static_cast<std::size_t>(index)]);
    SetWindowTextW(bar_.SelFontSize.hwnd(), win::toWide(item).c_str());
    SelFontSizeSelect();
}

void FormattingController::addShortcuts(std::vector<ACCEL>& shortcuts) {
    program::addAccelerators(commands(), shortcuts);
}

HMENU FormattingController::menuOf(int id) const {
    switch (program::menuIndexOf(commands(), id)) {
    case kHiddenMenu:
        return menus_.hidden();
    case kAdditMenu:
        return menus_.addit();
    case kListMenu:
        return menus_.listStyle();
    case kNotesMenu:
        return notesMenu_;
    default:
        return nullptr;
    }
}

DateKeyTexts FormattingController::dateKeyTexts() {
    const auto keyOf = [](int id) {
        return program::keyText(program::findCommand(commands(), id)->key);
    };
    return {keyOf(N23), keyOf(N30), keyOf(N26)};
}

// --- The 50 ms refresh -----------------------------------------------------------------

void FormattingController::addRefreshRows(program::RefreshTable& table) {
    using program::RefreshFacts;
    using program::RefreshStep;
    // The strip, the size box and the style buttons all mirror the
    // selection's character format, read once per tick: the control walks
    // every run of the selection for it (a whole note of 10,000 lines takes
    // 7-18 ms under Wine). The strip's row runs first and reads it, the
    // format bar's row, later in the same tick, uses it and lets it go.
    table.add(program::RefreshStep::CaretColour, [this](const program::RefreshFacts& f) {
        if (!f.editorFocused)
            return;
        const CHARFORMAT2W& format = tickFormat_.emplace(note_.charFormat());
        bar_.setStripColour((format.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT)
                                                               : format.crTextColor);
    });
    table.add(program::RefreshStep::EditorControls, [this](const program::RefreshFacts& f) {
        if ((IsWindowEnabled(bar_.SelFontSize.hwnd()) != FALSE) != f.editorEnabled)
            EnableWindow(bar_.SelFontSize.hwnd(), f.editorEnabled);
        bar_.AdvancedButton.setEnabled(f.editorFocused);
    });
    table.add(program::RefreshStep::FormatBar, [this](const program::RefreshFacts& f) {
        if (!f.editorFocused) {
            tickFormat_.reset();
            return;
        }
        const CHARFORMAT2W format = tickFormat_ ? *tickFormat_ : note_.charFormat();
        tickFormat_.reset();
        if (!sizeBoxFocused())
            showSizeOfSelection(format);
        showAlignmentOfParagraph();
        const DWORD effects = format.dwEffects;
        bar_.BoldButton.setDown(effects & kStyleBold);
        bar_.ItaButton.setDown(effects & kStyleItalic);
        bar_.UnderButton.setDown(effects & kStyleUnderline);
        bar_.StrikeButton.setDown(effects & kStyleStrikeOut);
    });
}

bool FormattingController::sizeBoxFocused() const {
    HWND focus = GetFocus();
    return focus && (focus == bar_.SelFontSize.hwnd() || IsChild(bar_.SelFontSize.hwnd(), focus));
}

void FormattingController::showSizeOfSelection(const CHARFORMAT2W& format) {
    const std::wstring size = std::to_wstring(pointsOfTwips(format.yHeight));
    if (win::windowText(bar_.SelFontSize.hwnd()) != size)
        SetWindowTextW(bar_.SelFontSize.hwnd(), size.c_str());
}

void FormattingController::showAlignmentOfParagraph() {
    if (const auto alignment = alignmentButton(note_.paraFormat().wAlignment)) {
        switch (*alignment) {
        case Alignment::Left:
            bar_.AlLeft.setDown(true);
            break;
        case Alignment::Center:
            bar_.AlCenter.setDown(true);
            break;
        case Alignment::Right:
            bar_.AlRight.setDown(true);
            break;
        }
    }
}

} // namespace quivra::editor
