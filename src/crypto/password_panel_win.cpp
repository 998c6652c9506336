#include "crypto/password_panel_win.h"

#include "crypto/crypto_ids.h"
#include "win/announce_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/focus_watch_win.h"
#include "win/wide_win.h"

#include <oleacc.h>

namespace quivra::crypto {

namespace {

// The panel's designed heights; the Ok row is anchored to the bottom edge.
constexpr int kEncryptHeight = 159;
constexpr int kDecryptHeight = 112;
constexpr int kLabelTop = 38;
constexpr int kLabelHeight = 16;
constexpr COLORREF kRed = RGB(255, 0, 0);

bool hasStyle(HWND w, DWORD style) {
    return (GetWindowLongW(w, GWL_STYLE) & style) != 0;
}

void show(HWND w, bool shown) {
    ShowWindow(w, shown ? SW_SHOW : SW_HIDE);
}

win::UniqueFont titleFont(int heightPx) {
    LOGFONTW lf{};
    lf.lfHeight = -heightPx;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = RUSSIAN_CHARSET;
    wcscpy(lf.lfFaceName, L"Tahoma");
    return win::UniqueFont(CreateFontIndirectW(&lf));
}

} // namespace

int PasswordPanel::px(int designed) const {
    return win::scale(designed, static_cast<UINT>(dpi_));
}

void PasswordPanel::create(HWND editorArea, HWND commandTarget, int dpi) {
    editorArea_ = editorArea;
    commandTarget_ = commandTarget;
    dpi_ = dpi;
}

void PasswordPanel::build() {
    if (panel_.hwnd())
        return;
    panel_.create(editorArea_, commandTarget_, ID_ECPANEL, dpi_);
    HWND p = panel_.hwnd();
    ECCap = win::createLabel(p, ID_ECCAP, L"", {px(15), px(9), px(300), px(24)});
    caption_ = win::createLabel(p, ID_ECPANELCAPTION, L"", {0, 0, px(351), px(16)}, SS_CENTER);
    ECLabel =
        win::createLabel(p, ID_ECLABEL, L"", {px(13), px(kLabelTop), px(330), px(kLabelHeight)});
    ECEdit.edit = win::createEdit(p, ID_ECEDIT, L"", {px(13), px(57), px(330), px(21)},
                                  ES_PASSWORD | ES_READONLY);
    ECConfirmLabel = win::createLabel(p, ID_ECCONFIRMLABEL, L"", {px(13), px(84), px(330), px(16)});
    ECConfirmEdit.edit = win::createEdit(
        p, ID_ECCONFIRMEDIT, L"", {px(13), px(103), px(331), px(21)}, ES_PASSWORD | ES_READONLY);
    ECOk = win::createButton(p, ID_ECOK, L"Ok", {px(191), px(130), px(75), px(25)});
    ECCancel = win::createButton(p, ID_ECCANCEL, L"Отмена", {px(272), px(130), px(75), px(25)});
    ECInBuffer = win::createCheckBox(p, ID_ECINBUFFER, L"В буфер обмена",
                                     {px(13), px(133), px(100), px(20)});
    show(caption_, false);
    // A screen reader calls the panel by its title and the fields by their labels.
    panel_.setAccessibleName([this] { return win::windowText(ECCap); }, ROLE_SYSTEM_DIALOG);
    ECEdit.name.attach(ECEdit.edit, win::toWide(panel_text::kPassword));
    ECConfirmEdit.name.attach(ECConfirmEdit.edit, win::toWide(panel_text::kConfirm));
    capFont_ = titleFont(px(19));
    for (Field* f : {&ECEdit, &ECConfirmEdit}) {
        SendMessageW(f->edit, EM_SETPASSWORDCHAR, L'*', 0);
        f->events.attach(f->edit, [this, f](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
            return onFieldMessage(*f, msg, wp, lp, next);
        });
    }
    // The labels let the mouse through to the panel, which starts a drag; so
    // does the clipboard box.
    panel_.onMouseDown = [this](window::MouseButton button) { ECPanelMouseDown(button); };
    for (HWND label : {ECLabel, ECConfirmLabel, ECCap, caption_})
        panel_.addDragHandle(label);
    inBufferEvents_.attach(ECInBuffer, [this](UINT msg, WPARAM, LPARAM, const auto&) {
        const auto button = window::pressedButton(msg);
        if (!button)
            return std::optional<LRESULT>();
        ECPanelMouseDown(*button);
        return std::optional<LRESULT>(0);
    });
    panelEvents_.attach(p, [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
        return onPanelMessage(msg, wp, lp, next);
    });
    panels_.add(panel_);
    win::watchFocusLeaving(p, [this] { close(); });
}

void PasswordPanel::ECPanelMouseDown(window::MouseButton button) {
    panel_.startDrag(button);
}

HWND PasswordPanel::control(int id) const {
    return GetDlgItem(panel_.hwnd(), id);
}

void PasswordPanel::layout(int height) {
    const int shift = px(kEncryptHeight) - px(height);
    SetWindowPos(panel_.hwnd(), nullptr, 0, 0, px(353), px(height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(ECOk, px(191), px(130) - shift, px(75), px(25), TRUE);
    MoveWindow(ECCancel, px(272), px(130) - shift, px(75), px(25), TRUE);
    MoveWindow(ECInBuffer, px(13), px(133) - shift, px(100), px(20), TRUE);
    RECT rc;
    GetClientRect(panel_.hwnd(), &rc);
    MoveWindow(caption_, 0, (rc.bottom - px(16)) / 2, rc.right, px(16), TRUE);
}

void PasswordPanel::open(Use use, bool selectionNotEmpty) {
    build();
    const bool encrypt = use == Use::Encrypt;
    for (HWND w : {ECLabel, ECEdit.edit, ECOk, ECCancel})
        show(w, true);
    show(ECConfirmLabel, encrypt);
    show(ECConfirmEdit.edit, encrypt);
    show(ECInBuffer, !encrypt);
    if (use == Use::Decrypt) {
        win::setChecked(ECInBuffer, false);
        EnableWindow(ECInBuffer, selectionNotEmpty);
    } else if (use == Use::DecryptToClipboard) {
        win::setChecked(ECInBuffer, true); // its enabled state stays as it was
    }
    layout(encrypt ? kEncryptHeight : kDecryptHeight);
    setCaption(u"");
    SendMessageW(ECCap, WM_SETFONT, reinterpret_cast<WPARAM>(capFont_.get()), FALSE);
    SetWindowTextW(ECCap, encrypt ? L"Зашифровка" : L"Расшифровка");
    emptyField(ECEdit);
    if (use != Use::DecryptToClipboard)
        emptyField(ECConfirmEdit);
    say(PanelLabel::Password, panel_text::kPassword, false);
    say(PanelLabel::Confirm, panel_text::kConfirm, false);
    if (use == Use::Encrypt)
        step_ = 0;
    else if (use == Use::Decrypt)
        step_ = 2;
    panels_.open(panel_, use == Use::DecryptToClipboard ? window::PasswordUse::DecryptToClipboard
                                                        : window::PasswordUse::EncryptOrDecrypt);
    focusPasswordField();
    wipeTexts();
}

void PasswordPanel::close() {
    if (panel_.hwnd())
        ShowWindow(panel_.hwnd(), SW_HIDE);
    wipeTexts();
}

bool PasswordPanel::encryptionMode() const {
    return hasStyle(ECConfirmEdit.edit, WS_VISIBLE);
}

void PasswordPanel::wipeTexts() {
    ECEdit.entry.clear();
    ECConfirmEdit.entry.clear();
}

void PasswordPanel::emptyField(Field& field) {
    field.entry.clearFiller();
    SetWindowTextW(field.edit, L"");
    fieldChanged(field);
}

void PasswordPanel::emptyPasswordField() {
    emptyField(ECEdit);
}

bool PasswordPanel::inBufferTicked() const {
    return win::isChecked(ECInBuffer);
}

void PasswordPanel::say(PanelLabel label, std::u16string_view text, bool red) {
    const bool first = label == PanelLabel::Password;
    (first ? labelRed_ : confirmRed_) = red;
    HWND w = first ? ECLabel : ECConfirmLabel;
    SetWindowTextW(w, win::toWide(text).c_str());
    if (first)
        fitLabel();
    InvalidateRect(w, nullptr, TRUE);
    win::announce(w, red ? win::Announcement::Alert : win::Announcement::NameChanged);
}

void PasswordPanel::fitLabel() {
    // Once the fields are hidden and no caption shows, a long message may
    // take the panel's lower part.
    const bool roomy = !hasStyle(ECEdit.edit, WS_VISIBLE) && GetWindowTextLengthW(caption_) == 0;
    RECT rc;
    GetClientRect(panel_.hwnd(), &rc);
    const int height = roomy ? rc.bottom - px(kLabelTop) - px(4) : px(kLabelHeight);
    SetWindowPos(ECLabel, nullptr, 0, 0, px(330), height, SWP_NOMOVE | SWP_NOZORDER);
}

void PasswordPanel::setCaption(std::u16string_view caption) {
    SetWindowTextW(caption_, win::toWide(caption).c_str());
    show(caption_, !caption.empty());
    fitLabel();
}

void PasswordPanel::showProcessing(std::u16string_view caption) {
    // Hiding the focused field must not take the focus out of the panel.
    SetFocus(panel_.hwnd());
    for (HWND w : {ECConfirmLabel, ECEdit.edit, ECConfirmEdit.edit, ECOk, ECCancel})
        show(w, false);
    setCaption(caption);
    RedrawWindow(panel_.hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void PasswordPanel::showProgress(std::u16string_view text) {
    labelRed_ = false;
    SetWindowTextW(ECLabel, win::toWide(text).c_str());
    RedrawWindow(ECLabel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void PasswordPanel::focusPasswordField() {
    SetFocus(ECEdit.edit);
    const auto end = GetWindowTextLengthW(ECEdit.edit);
    SendMessageW(ECEdit.edit, EM_SETSEL, end, end);
}

void PasswordPanel::focusConfirmField() {
    SetFocus(ECConfirmEdit.edit);
    const auto end = GetWindowTextLengthW(ECConfirmEdit.edit);
    SendMessageW(ECConfirmEdit.edit, EM_SETSEL, end, end);
}

std::wstring PasswordPanel::labelText(PanelLabel label) const {
    return win::windowText(label == PanelLabel::Password ? ECLabel : ECConfirmLabel);
}

bool PasswordPanel::labelRed(PanelLabel label) const {
    return label == PanelLabel::Password ? labelRed_ : confirmRed_;
}

void PasswordPanel::fieldChanged(const Field& field) {
    // The password or its confirmation was edited.
    if (&field == &ECEdit)
        say(PanelLabel::Password, panel_text::kPassword, false);
    else
        say(PanelLabel::Confirm, panel_text::kConfirm, false);
}

void PasswordPanel::clickCommand(int id, HWND button) {
    SendMessageW(commandTarget_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

std::optional<LRESULT> PasswordPanel::onFieldMessage(Field& field, UINT msg, WPARAM wp, LPARAM lp,
                                                     const win::Subclass::Next& next) {
    switch (msg) {
    case WM_GETDLGCODE: {
        // Enter and Esc reach the field instead of the main window's dialog
        // keys.
        const auto* m = reinterpret_cast<const MSG*>(lp);
        if (m && (m->message == WM_KEYDOWN || m->message == WM_CHAR) &&
            (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
            return next() | DLGC_WANTMESSAGE;
        return std::nullopt;
    }
    case WM_CHAR: { // a key typed into either field
        std::wstring visible = win::windowText(field.edit);
        switch (field.entry.onChar(static_cast<char16_t>(wp))) {
        case PasswordEntry::Key::Typed:
            visible.push_back(static_cast<wchar_t>(field.entry.filler().back()));
            break;
        case PasswordEntry::Key::Erased:
            if (!visible.empty())
                visible.pop_back();
            break;
        case PasswordEntry::Key::Unchanged:
            return 0;
        case PasswordEntry::Key::Enter:
            if (&field == &ECEdit && encryptionMode() &&
                GetWindowTextLengthW(ECConfirmEdit.edit) == 0)
                focusConfirmField();
            else
                clickCommand(ID_ECOK, ECOk);
            return 0;
        case PasswordEntry::Key::Escape:
            clickCommand(ID_ECCANCEL, ECCancel);
            return 0;
        }
        SetWindowTextW(field.edit, visible.c_str());
        fieldChanged(field);
        SendMessageW(field.edit, EM_SETSEL, visible.size(), visible.size());
        return 0;
    }
    case WM_MBUTTONUP:
        if (&field == &ECEdit && onMiddleButton) {
            next();
            onMiddleButton(); // ECEditMouseUp
            return 0;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> PasswordPanel::onPanelMessage(UINT msg, WPARAM wp, LPARAM lp,
                                                     const win::Subclass::Next& next) {
    switch (msg) {
    case WM_CTLCOLORSTATIC: {
        const auto control = reinterpret_cast<HWND>(lp);
        const bool red =
            (control == ECLabel && labelRed_) || (control == ECConfirmLabel && confirmRed_);
        if (!red)
            return std::nullopt;
        const LRESULT brush = next();
        SetTextColor(reinterpret_cast<HDC>(wp), kRed);
        return brush;
    }
    case WM_KILLFOCUS: {
        // The panel itself holds the focus while a command runs and after it
        // stopped with a message.
        const LRESULT r = next();
        if (shown() && !win::isInside(reinterpret_cast<HWND>(wp), panel_.hwnd()))
            close();
        return r;
    }
    default:
        return std::nullopt;
    }
}

} // namespace quivra::crypto
