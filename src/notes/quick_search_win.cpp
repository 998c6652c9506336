#include "notes/quick_search_win.h"

#include "notes/quick_field.h"
#include "platform/controls_win.h"
#include "platform/dialog_keys_win.h"
#include "platform/dpi_win.h"
#include "platform/wide_win.h"

namespace quivra::notes {

bool QuickSearchPanel::create(HWND notesPage, HWND notifyTarget, int dpi, int listId) {
    const auto px = [dpi](int v) { return win::scale(v, dpi); };
    if (!Panel::create(notesPage, notifyTarget, 0, 0, px(kQuickSearchWidth), px(kQuickSearchHeight),
                       WS_BORDER))
        return false;
    ShowWindow(hwnd(), SW_HIDE);
    list_ = win::createListBox(hwnd(), listId, {px(11), px(8), px(222), px(177)});
    listKeys_.attach(list_,
                     [this](UINT msg, WPARAM wp, LPARAM lp,
                            const win::Subclass::Next& next) -> std::optional<LRESULT> {
                         if (auto code = win::wantKeys(msg, lp, next, {VK_RETURN}))
                             return code;
                         if (msg == WM_CHAR && wp == 13) {
                             if (onEnterKey)
                                 onEnterKey();
                             return 0;
                         }
                         return std::nullopt;
                     });
    return true;
}

void QuickSearchPanel::showNames(const std::vector<std::u16string>& names, POINT topLeft) {
    names_ = names;
    {
        win::RedrawSuspension redraw(list_);
        SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        for (const auto& name : names_)
            SendMessageW(list_, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(win::toWide(name).c_str()));
    }
    SetWindowPos(hwnd(), HWND_TOP, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void QuickSearchPanel::hide() {
    if (shown())
        ShowWindow(hwnd(), SW_HIDE);
}

bool QuickSearchPanel::shown() const {
    return (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void QuickSearchPanel::pick(std::size_t index) {
    SendMessageW(list_, LB_SETCURSEL, index, 0);
    SetFocus(list_);
}

std::u16string QuickSearchPanel::selectedName() const {
    const auto index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size())
        return {};
    return names_[static_cast<std::size_t>(index)];
}

} // namespace quivra::notes
