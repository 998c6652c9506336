#include "editor/format_bar_win.h"

#include "editor/editor_ids.h"
#include "editor/format_rules.h"
#include "win/controls_win.h"
#include "win/fonts_win.h"
#include "win/high_contrast_win.h"

#include <commctrl.h>
#include <oleacc.h>

namespace quivra::editor {

namespace {

using Kind = win::SpeedButton::Kind;

win::UniqueFont faceFont(int pixelHeight, int weight, bool italic, bool underline, bool strike) {
    return win::tahomaFont(pixelHeight, weight, {italic, underline, strike});
}

constexpr const wchar_t* kSizeBoxHint = L"Размер шрифта";

// In high contrast the glyphs take the system's text colour too.
COLORREF glyphColour(bool enabled, COLORREF colour) {
    if (enabled && win::highContrast())
        return GetSysColor(COLOR_BTNTEXT);
    return enabled ? colour : GetSysColor(COLOR_GRAYTEXT);
}

void drawLetter(HDC dc, RECT r, const wchar_t* text, HFONT font, COLORREF colour) {
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

void fill(HDC dc, RECT r, COLORREF colour) {
    win::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush.get());
}

} // namespace

void FormatBar::create(HWND editorArea, HWND notifyTarget, program::Host& host) {
    const auto px = [&host](int v) { return host.scale(v); };
    panel_.create(editorArea, notifyTarget, 0, 0, px(400), px(kHeight), 0, 0, ID_FORMATBAR);
    HWND bar = panel_.hwnd();
    panel_.setAccessibleName([] { return std::wstring(L"Панель форматирования"); },
                             ROLE_SYSTEM_TOOLBAR);
    const int letter = px(13);
    boldFont_ = faceFont(letter, FW_BOLD, false, false, false);
    italicFont_ = faceFont(letter, FW_NORMAL, true, false, false);
    underlineFont_ = faceFont(letter, FW_NORMAL, false, true, false);
    strikeFont_ = faceFont(letter, FW_NORMAL, false, false, true);
    plainFont_ = faceFont(px(11), FW_NORMAL, false, false, false);

    const int y = px(2);
    const int s = px(22);
    struct Button {
        win::SpeedButton& button;
        int id;
        int x;
        Kind kind;
        const wchar_t* face;
        HFONT font;
        const wchar_t* hint;
    } buttons[] = {
        {BoldButton, ID_BOLDBUTTON, 5, Kind::Toggle, L"B", boldFont_.get(), L"Жирный"},
        {ItaButton, ID_ITABUTTON, 29, Kind::Toggle, L"I", italicFont_.get(), L"Курсив"},
        {UnderButton, ID_UNDERBUTTON, 53, Kind::Toggle, L"U", underlineFont_.get(),
         L"Подчеркнутый"},
        {StrikeButton, ID_STRIKEBUTTON, 76, Kind::Toggle, L"S", strikeFont_.get(), L"Зачеркнутый"},
        {AlLeft, ID_ALLEFT, 106, Kind::Radio, L"|--", plainFont_.get(),
         L"Выровнять по левому краю"},
        {AlCenter, ID_ALCENTER, 129, Kind::Radio, L"-|-", plainFont_.get(), L"Выровнять по центру"},
        {AlRight, ID_ALRIGHT, 152, Kind::Radio, L"--|", plainFont_.get(),
         L"Выровнять по правому краю"},
        {SelFontButton, ID_SELFONTBUTTON, 180, Kind::Push, L"A", plainFont_.get(), L"Шрифт"},
        {BGColorButton, ID_BGCOLORBUTTON, 226, Kind::Push, L"", plainFont_.get(), L"Фон текста"},
        {isList, ID_ISLIST, 249, Kind::Push, L"", plainFont_.get(), L"Список"},
        {AdvancedButton, ID_ADVANCEDBUTTON, 326, Kind::Push, L"...", boldFont_.get(),
         L"Дополнительно"},
    };
    // All but "..." start disabled: they act on a note, and none is open yet.
    for (auto& b : buttons) {
        b.button.create(panel_, b.id, {px(b.x), y, s, s}, b.kind, b.face,
                        &b.button == &AdvancedButton);
        b.button.setFaceFont(b.font);
        b.button.setHint(b.hint);
        host.addHint(bar, b.id, b.button.rect(), b.button.hint().c_str());
    }
    SelFontColorButton.create(panel_, ID_SELFONTCOLORBUTTON, {px(204), y, px(20), px(18)},
                              Kind::Push, L"", false);
    SelFontColorButton.setHint(L"Цвет текста\r\nПравый щелчок мышки - сбросить");
    host.addHint(bar, ID_SELFONTCOLORBUTTON, SelFontColorButton.rect(),
                 SelFontColorButton.hint().c_str());
    colValue.create(bar, notifyTarget, px(204), px(21), px(20), px(3), 0, 0, ID_COLVALUE);
    setStripColour(RGB(0, 0, 0));
    win::SpeedButton::makeGroup({&AlLeft, &AlCenter, &AlRight});
    AlLeft.setDown(true);

    // Glyphs: a letter over the colour strip, a marked letter, a bulleted list.
    SelFontColorButton.drawGlyph = [this](HDC dc, const RECT& r, bool enabled) {
        drawLetter(dc, r, L"A", boldFont_.get(), glyphColour(enabled, RGB(0, 0, 0)));
    };
    BGColorButton.drawGlyph = [this, px](HDC dc, const RECT& r, bool enabled) {
        RECT mark{r.left + px(4), r.top + px(5), r.right - px(4), r.bottom - px(5)};
        if (!win::highContrast()) // the letters alone, in the text colour
            fill(dc, mark, glyphColour(enabled, RGB(255, 255, 0)));
        drawLetter(dc, r, L"ab", plainFont_.get(), glyphColour(enabled, RGB(0, 0, 0)));
    };
    isList.drawGlyph = [px](HDC dc, const RECT& r, bool enabled) {
        const COLORREF c = glyphColour(enabled, RGB(0, 0, 0));
        for (int i = 0; i < 3; ++i) {
            const int top = r.top + px(5) + i * px(5);
            fill(dc, {r.left + px(4), top, r.left + px(6), top + px(2)}, c);
            fill(dc, {r.left + px(8), top, r.right - px(4), top + px(1)}, c);
        }
    };

    SelFontSize.create(bar, ID_SELFONTSIZE, {px(274), px(3), px(46), px(200)},
                       win::LazyCombo::Kind::Editable, win::LazyCombo::Place::Here);
    HWND sizeBox = SelFontSize.hwnd();
    for (std::u16string_view size : kFontSizeItems)
        SelFontSize.box().add(std::wstring(size.begin(), size.end()).c_str());
    SetWindowTextW(sizeBox, L"8");
    host.addHint(sizeBox, kSizeBoxHint);
    SelFontSize.onMade = [this, &host](HWND combo) {
        host.addHint(combo, kSizeBoxHint);
        if (onSizeBoxMade)
            onSizeBoxMade(combo);
    };
}

void FormatBar::layout(int width, bool shown) {
    RECT r;
    GetClientRect(panel_.hwnd(), &r);
    SetWindowPos(panel_.hwnd(), HWND_TOP, 0, 0, width, r.bottom,
                 SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

bool FormatBar::shown() const {
    return (GetWindowLongW(panel_.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::array<win::SpeedButton*, 11> FormatBar::elevenButtons() {
    return {&BoldButton,    &ItaButton,          &UnderButton,   &StrikeButton,
            &SelFontButton, &SelFontColorButton, &BGColorButton, &isList,
            &AlLeft,        &AlCenter,           &AlRight};
}

void FormatBar::setStripColour(COLORREF colour) {
    if (colour == strip_ && colValue.hwnd())
        return;
    strip_ = colour;
    colValue.setBackground(colour);
}

} // namespace quivra::editor
