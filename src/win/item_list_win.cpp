#include "win/item_list_win.h"

namespace quivra::win {

struct ItemList::Messages {
    UINT reset, initStorage, add, getCurSel, setCurSel, textLength, text, setItemHeight;
};

const ItemList::Messages& ItemList::messages() const noexcept {
    static constexpr Messages kByKind[] = {
        {CB_RESETCONTENT, CB_INITSTORAGE, CB_ADDSTRING, CB_GETCURSEL, CB_SETCURSEL, CB_GETLBTEXTLEN,
         CB_GETLBTEXT, CB_SETITEMHEIGHT},
        {LB_RESETCONTENT, LB_INITSTORAGE, LB_ADDSTRING, LB_GETCURSEL, LB_SETCURSEL, LB_GETTEXTLEN,
         LB_GETTEXT, LB_SETITEMHEIGHT},
    };
    return kByKind[static_cast<int>(kind_)];
}

void ItemList::clear() const {
    send(messages().reset, 0, 0);
}

void ItemList::reserve(std::size_t items) const {
    // Room for names of about sixteen characters each.
    send(messages().initStorage, items, static_cast<LPARAM>(items * 32));
}

int ItemList::add(const wchar_t* text) const {
    return static_cast<int>(send(messages().add, 0, reinterpret_cast<LPARAM>(text)));
}

int ItemList::selected() const {
    return static_cast<int>(send(messages().getCurSel, 0, 0));
}

void ItemList::select(int index) const {
    send(messages().setCurSel, static_cast<WPARAM>(index), 0);
}

std::wstring ItemList::itemText(int index) const {
    if (index < 0)
        return {};
    const auto length = send(messages().textLength, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto got =
        send(messages().text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

void ItemList::setItemHeight(int index, int height) const {
    send(messages().setItemHeight, static_cast<WPARAM>(index), height);
}

} // namespace quivra::win
