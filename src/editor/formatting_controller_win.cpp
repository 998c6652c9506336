// The editor subsystem's controls and menus, its share of the refresh and of
// the shortcuts, the routing of its identifiers and the editor's focus.
#include "editor/formatting_controller_win.h"

#include "editor/insert_commands_win.h"
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
    : host_(host), state_(state), note_(note), options_(options), confirm_(confirm), needs_(needs),
      fontPicker_(host, note, options, panels) {}

void FormattingController::create(HWND editorArea, HWND notesPage, HMENU notesMenu) {
    HWND main = host_.mainWindow();
    const int dpi = host_.scale(96);
    bar_.create(editorArea, main, host_);
    palette_.create(editorArea, ID_COLORPAN, dpi);
    palette_.onPick = [this](std::size_t swatch) { colorPanClick(swatch); };
    palette_.onLeave = [this] { colorPanExit(); };
    bar_.colValue.onClick = [this] { colValueClick(); };
    bar_.SelFontColorButton.onRightUp = [this] { SelFontColorButtonMouseUp(); };
    bar_.SelFontButton.onRightUp = [this] {
        fontPicker_.SelFontButtonMouseUp(bar_.xOf(bar_.SelFontButton),
                                         bar_.yOf(bar_.SelFontButton));
    };
    menus_.create();
    fontPicker_.create(notesPage, editorArea, main, dpi);
    notesMenu_ = notesMenu;
    AppendMenuW(notesMenu_, MF_STRING, Unformat, L"Сброс форматирования");

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
    // SelFontSizeKeyPress: Enter applies the typed size; the main window's
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
    needs_.additMenuOpening();
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

bool FormattingController::onCommand(int id, int code, HWND) {
    using Handler = void (FormattingController::*)();
    static constexpr std::pair<int, Handler> kMenuItems[] = {
        {ID_INSERTDT, &FormattingController::InsertDTClick},
        {ID_N12, &FormattingController::N12Click},
        {ID_N18, &FormattingController::N18Click},
        {ID_INSERTDATE, &FormattingController::InsertDateClick},
        {ID_N14, &FormattingController::N14Click},
        {ID_N15, &FormattingController::N15Click},
        {ID_INSERTTIME, &FormattingController::InsertTimeClick},
        {ID_N17, &FormattingController::N17Click},
        {ID_F1, &FormattingController::F1Click},
        {ID_N9, &FormattingController::N9Click},
        {ID_N21, &FormattingController::N21Click},
        {ID_N25, &FormattingController::N25Click},
        {ID_A1, &FormattingController::A1Click},
        {ID_I1, &FormattingController::i1Click},
        {ID_I2, &FormattingController::I2Click},
        {ID_G2, &FormattingController::G2Click},
        {ID_N110, &FormattingController::N110Click},
        {ID_N29, &FormattingController::N29Click},
        {ID_N111, &FormattingController::N111Click},
        {ID_Y1, &FormattingController::Y1Click},
        {ID_N28, &FormattingController::N28Click},
    };
    for (const auto& [item, handler] : kMenuItems)
        if (id == item) {
            (this->*handler)();
            return true;
        }
    if (fontPicker_.onCommand(id, code))
        return true;
    switch (id) {
    case ID_BOLDBUTTON:
        BoldButtonClick();
        return true;
    case ID_ITABUTTON:
        ItaButtonClick();
        return true;
    case ID_UNDERBUTTON:
        UnderButtonClick();
        return true;
    case ID_STRIKEBUTTON:
        StrikeButtonClick();
        return true;
    case ID_ALLEFT:
        AlLeftClick();
        return true;
    case ID_ALCENTER:
        AlCenterClick();
        return true;
    case ID_ALRIGHT:
        AlRightClick();
        return true;
    case ID_SELFONTBUTTON:
        fontPicker_.SelFontButtonClick();
        return true;
    case ID_SELFONTCOLORBUTTON:
        SelFontColorButtonClick();
        return true;
    case ID_BGCOLORBUTTON:
        BGColorButtonClick();
        return true;
    case ID_ISLIST:
        isListClick();
        return true;
    case ID_ADVANCEDBUTTON:
        AdvancedButtonClick();
        return true;
    case ID_SELFONTSIZE:
        if (code == CBN_SELCHANGE) {
            // The box's text becomes the chosen item's only after this
            // notification; the size is read from the text.
            const int index = bar_.SelFontSize.box().selected();
            if (index >= 0) {
                const std::u16string item(kFontSizeItems[static_cast<std::size_t>(index)]);
                SetWindowTextW(bar_.SelFontSize.hwnd(), win::toWide(item).c_str());
                SelFontSizeSelect();
            }
        } else if (code == CBN_CLOSEUP) {
            SelFontSizeCloseUp();
        }
        return true;
    case act_bold:
        act_boldExecute();
        return true;
    case act_itallic:
        act_itallicExecute();
        return true;
    case act_underline:
        act_underlineExecute();
        return true;
    case act_strikeout:
        act_strikeoutExecute();
        return true;
    case act_al_left:
        act_al_leftExecute();
        return true;
    case act_al_right:
        act_al_rightExecute();
        return true;
    case act_al_center:
        act_al_centerExecute();
        return true;
    case N23:
    case N30:
    case N26:
        // The keys belong to the editor's menu: they work while it has the focus.
        if (code == program::kFromShortcut && !note_.focused())
            return true;
        if (id == N23)
            N23Click();
        else if (id == N30)
            N30Click();
        else
            N26Click();
        return true;
    case Unformat:
        UnformatClick();
        return true;
    case OpenText:
        OpenTextClick(host_, note_);
        return true;
    case N32:
        N32Click(host_, note_);
        return true;
    case N22:
        N22Click(host_, note_);
        return true;
    default:
        return false;
    }
}

void FormattingController::addShortcuts(std::vector<ACCEL>& shortcuts) {
    const BYTE ctrl = FCONTROL | FVIRTKEY;
    shortcuts.push_back({ctrl, 'B', act_bold});
    shortcuts.push_back({ctrl, 'I', act_itallic});
    shortcuts.push_back({ctrl, 'U', act_underline});
    shortcuts.push_back({ctrl, 'L', act_al_left});
    shortcuts.push_back({ctrl, 'R', act_al_right});
    shortcuts.push_back({ctrl, 'E', act_al_center});
    shortcuts.push_back({FVIRTKEY, VK_F5, N23});
    shortcuts.push_back({FVIRTKEY, VK_F6, N30});
    shortcuts.push_back({FVIRTKEY, VK_F7, N26});
}

HMENU FormattingController::menuOf(int id) const {
    // The format actions have no item: they run whatever the note's state.
    switch (id) {
    case N23:
    case N30:
    case N26:
        return menus_.hidden();
    case Unformat:
        return notesMenu_;
    default:
        if (isDateFormItem(id) || id == N22 || id == OpenText || id == N32)
            return menus_.addit();
        if (isListMenuItem(id))
            return menus_.listStyle();
        return nullptr;
    }
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
