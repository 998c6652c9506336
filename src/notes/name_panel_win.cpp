#include "notes/name_panel_win.h"

#include "base/name_chars.h"
#include "win/accessible_win.h"
#include "win/controls_win.h"
#include "win/dialog_keys_win.h"
#include "win/dpi_win.h"
#include "win/focus_watch_win.h"
#include "win/wide_win.h"
#include "window/presenter_win.h"

#include <oleacc.h>

namespace quivra::notes {

void NamePanel::create(program::Host& host, HWND notesPage, HWND notifyTarget,
                       window::FloatingPanels& panels, Ids ids) {
    host_ = &host;
    notesPage_ = notesPage;
    notifyTarget_ = notifyTarget;
    ids_ = ids;
    panels_ = &panels;
    panels.add(*this);
}

void NamePanel::build() {
    if (hwnd())
        return;
    const int dpi = host_->scale(96);
    if (!FloatingPanelWindow::create(notesPage_, notifyTarget_, window::ID_NAMEPANEL, dpi))
        return;
    const auto px = [dpi](int v) { return win::scale(v, dpi); };
    HWND p = hwnd();
    prompt_ = win::createLabel(p, 0, L"", {px(11), px(11), px(279), px(16)});
    field_ = win::createEdit(p, ids_.field, L"", {px(11), px(30), px(279), px(21)});
    confirm_ = win::createButton(p, ids_.confirm, L"", {px(53), px(57), px(138), px(24)});
    cancel_ = win::createButton(p, ids_.cancel, L"Отмена", {px(197), px(57), px(93), px(24)});
    onMouseDown = [this](window::MouseButton button) { NL_EditMouseDown(button); };
    addDragHandle(prompt_);
    fieldKeys_.attach(field_, [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
        return onFieldMessage(msg, wp, lp, next);
    });
    win::watchFocusLeaving(p, [this] { close(); });
    host_->giveFont(p);
    win::nameByLabels(p); // the field by its prompt
    setAccessibleName([this] { return win::windowText(prompt_); }, ROLE_SYSTEM_DIALOG);
}

void NamePanel::open(NameTask task, std::u16string_view text) {
    build();
    task_ = task;
    const NameTaskTexts texts = nameTaskTexts(task);
    SetWindowTextW(field_, win::toWide(text).c_str());
    setConfirmEnabled(false);
    SetWindowTextW(confirm_, win::toWide(texts.confirm).c_str());
    SetWindowTextW(prompt_, win::toWide(texts.prompt).c_str());
    panels_->open(*this);
    SetFocus(field_);
    SendMessageW(field_, EM_SETSEL, 0, -1);
}

std::u16string NamePanel::text() const {
    return win::toU16(win::windowText(field_));
}

void NamePanel::setConfirmEnabled(bool enabled) {
    EnableWindow(confirm_, enabled);
}

bool NamePanel::confirmEnabled() const {
    return IsWindowEnabled(confirm_) != FALSE;
}

void NamePanel::close() {
    if (!shown())
        return;
    ShowWindow(hwnd(), SW_HIDE);
    if (onClosed)
        onClosed();
}

// The keys of the name field.
std::optional<LRESULT> NamePanel::onFieldMessage(UINT msg, WPARAM wp, LPARAM lp,
                                                 const win::Subclass::Next& next) {
    if (auto code = win::wantKeys(msg, lp, next, {VK_RETURN, VK_ESCAPE}))
        return code;
    if (msg != WM_CHAR)
        return std::nullopt;
    if (wp == 13) {
        if (confirmEnabled() && onEnterKey)
            onEnterKey();
        return 0;
    }
    if (wp == 27) {
        if (onEscKey)
            onEscKey();
        return 0;
    }
    if (!base::isAcceptedNameChar(static_cast<char16_t>(wp)))
        return 0;
    return std::nullopt;
}

} // namespace quivra::notes
