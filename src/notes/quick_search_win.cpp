#include "notes/quick_search_win.h"

#include "notes/quick_field.h"
#include "win/controls_win.h"
#include "win/dialog_keys_win.h"
#include "win/dpi_win.h"
#include "win/list_box_win.h"
#include "win/wide_win.h"

namespace quivra::notes {

void QuickSearchPanel::create(program::Host& host, HWND notesPage, HWND notifyTarget, int listId) {
    host_ = &host;
    notesPage_ = notesPage;
    notifyTarget_ = notifyTarget;
    listId_ = listId;
}

void QuickSearchPanel::build() {
    if (hwnd())
        return;
    const auto px = [this](int v) { return host_->scale(v); };
    if (!Panel::create(notesPage_, notifyTarget_, 0, 0, px(kQuickSearchWidth),
                       px(kQuickSearchHeight), WS_BORDER))
        return;
    ShowWindow(hwnd(), SW_HIDE);
    list_ = win::createListBox(hwnd(), listId_, {px(11), px(8), px(222), px(177)});
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
    host_->giveFont(hwnd());
}

void QuickSearchPanel::showNames(const std::vector<std::u16string>& names, POINT topLeft) {
    build();
    names_ = names;
    {
        win::RedrawSuspension redraw(list_);
        const win::ListBox list(list_);
        list.clear();
        for (const auto& name : names_)
            list.add(win::toWide(name).c_str());
    }
    SetWindowPos(hwnd(), HWND_TOP, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void QuickSearchPanel::hide() {
    if (shown())
        ShowWindow(hwnd(), SW_HIDE);
}

bool QuickSearchPanel::shown() const {
    return hwnd() && (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void QuickSearchPanel::pick(std::size_t index) {
    if (!list_)
        return;
    win::ListBox(list_).select(static_cast<int>(index));
    SetFocus(list_);
}

std::u16string QuickSearchPanel::selectedName() const {
    const int index = win::ListBox(list_).selected();
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size())
        return {};
    return names_[static_cast<std::size_t>(index)];
}

} // namespace quivra::notes
