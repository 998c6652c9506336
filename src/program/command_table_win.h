// A subsystem's commands, each written once: its identifier, its caption,
// its key, the menu that holds it, when it is enabled and what runs it. The
// menus, the accelerators, the key text of the captions, `menuOf` and the
// dispatch of WM_COMMAND are all made from the one table, so they cannot
// disagree.
#pragma once

#include "program/refresh_table.h"
#include "program/subsystem_win.h"

#include <windows.h>

#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace quivra::program {

// A key of a command: the accelerator's modifiers and virtual key. A key
// that is only shown is the control's own (the edit control's Ctrl+C):
// the caption names it, no accelerator is made for it.
struct Key {
    BYTE mods = 0; // FCONTROL | FSHIFT | FALT
    WORD vk = 0;
    bool accelerator = true;
    constexpr bool none() const { return vk == 0; }
};
constexpr Key alt(WORD vk) {
    return {FALT, vk};
}
constexpr Key ctrl(WORD vk) {
    return {FCONTROL, vk};
}
constexpr Key ctrlShift(WORD vk) {
    return {FCONTROL | FSHIFT, vk};
}
constexpr Key bare(WORD vk) {
    return {0, vk};
}
constexpr Key shownOnly(Key key) {
    return {key.mods, key.vk, false};
}

// The edit control's own keys, named in the captions of editing menus.
inline constexpr Key kCutKey = shownOnly(ctrl('X'));
inline constexpr Key kCopyKey = shownOnly(ctrl('C'));
inline constexpr Key kPasteKey = shownOnly(ctrl('V'));
inline constexpr Key kSelectAllKey = shownOnly(ctrl('A'));

// "Ctrl+Shift+F", "Alt+C", "F5": the key as a caption shows it after a tab.
std::wstring keyText(Key key);

// Any notification code runs the row (menu items, accelerators).
inline constexpr int kAnyCode = -1;
// A row without a menu.
inline constexpr int kNoMenu = -1;

// What a row runs: a handler of the owner, or a function given the owner for
// a handler that belongs to one of the owner's parts
// (`[](Owner& o) { o.part_.Handler(); }`), so the table stays the owner's
// while the handlers live where their state does.
template <class Owner> class Handler {
  public:
    constexpr Handler() = default;
    // Implicit, as the rows write them: `.run = &Owner::Handler`.
    constexpr Handler(void (Owner::*member)()) : member_(member) {}
    template <class F>
    requires std::is_convertible_v<F, void (*)(Owner&)>
    constexpr Handler(F call) : call_(call) {}
    constexpr explicit operator bool() const { return member_ != nullptr || call_ != nullptr; }
    void operator()(Owner& owner) const {
        if (member_)
            (owner.*member_)();
        else if (call_)
            call_(owner);
    }

  private:
    void (Owner::*member_)() = nullptr;
    void (*call_)(Owner&) = nullptr;
};

template <class Owner> struct Command {
    int id = 0; // 0 with a menu: a separator
    const wchar_t* caption = nullptr;
    Key key{};
    // The row whose key the caption names, when the key is another
    // command's (a menu item reached by the key of a hidden one).
    int keyOf = 0;
    int menu = kNoMenu; // the owner's index of the menu holding the item
    Handler<Owner> run{};
    // The control's notification that runs it; the others are ignored.
    int code = kAnyCode;
    // Whether a key may run it now (a key that works on one page only).
    bool (Owner::*keyAllowed)() const = nullptr;
    // Its enabled state, from the refresh's facts; null: always enabled.
    bool (*enabled)(const RefreshFacts&) = nullptr;
    UINT menuFlags = 0; // MF_MENUBREAK and the like
    // The line of the help page's key list, for a row with a key.
    const wchar_t* help = nullptr;
};

template <class Owner> using Commands = std::span<const Command<Owner>>;

// The row of id (the first one for a control with several notifications).
template <class Owner> const Command<Owner>* findCommand(Commands<Owner> table, int id) {
    for (const auto& row : table)
        if (row.id == id && id != 0)
            return &row;
    return nullptr;
}

// The caption as its menu shows it: the text, a tab and the key.
template <class Owner> std::wstring menuCaption(Commands<Owner> table, const Command<Owner>& row) {
    std::wstring text = row.caption ? row.caption : L"";
    Key key = row.key;
    if (row.keyOf)
        if (const auto* other = findCommand(table, row.keyOf))
            key = other->key;
    if (!key.none())
        text += L'\t' + keyText(key);
    return text;
}

template <class Owner> std::wstring menuCaption(Commands<Owner> table, int id) {
    const auto* row = findCommand(table, id);
    return row ? menuCaption(table, *row) : std::wstring();
}

// Appends the rows of one menu, in the table's order.
template <class Owner> void appendMenuItems(Commands<Owner> table, int menu, HMENU handle) {
    for (const auto& row : table) {
        if (row.menu != menu)
            continue;
        if (row.id == 0)
            AppendMenuW(handle, MF_SEPARATOR | row.menuFlags, 0, nullptr);
        else
            AppendMenuW(handle, MF_STRING | row.menuFlags, static_cast<UINT_PTR>(row.id),
                        menuCaption(table, row).c_str());
    }
}

template <class Owner> void addAccelerators(Commands<Owner> table, std::vector<ACCEL>& out) {
    for (const auto& row : table)
        if (!row.key.none() && row.key.accelerator)
            out.push_back({static_cast<BYTE>(row.key.mods | FVIRTKEY), row.key.vk,
                           static_cast<WORD>(row.id)});
}

// The owner's index of the menu holding id, kNoMenu when it has none.
template <class Owner> int menuIndexOf(Commands<Owner> table, int id) {
    const auto* row = findCommand(table, id);
    return row ? row->menu : kNoMenu;
}

// One line of the help page's key list: "  Alt+C\t\tзашифровать".
std::wstring helpLine(Key key, const wchar_t* help);

// The help page's lines of the table's keys, in the table's order.
template <class Owner> std::wstring helpLines(Commands<Owner> table) {
    std::wstring lines;
    for (const auto& row : table)
        if (row.help && !row.key.none())
            lines += helpLine(row.key, row.help);
    return lines;
}

// Runs the row of id and code. Answers whether id is the table's, run or
// not (a notification nothing listens to is still the owner's).
template <class Owner> bool runCommand(Commands<Owner> table, Owner& owner, int id, int code) {
    bool known = false;
    for (const auto& row : table) {
        if (row.id != id || id == 0)
            continue;
        known = true;
        if (row.code != kAnyCode && row.code != code)
            continue;
        if (code == kFromShortcut && row.keyAllowed && !(owner.*row.keyAllowed)())
            return true;
        if (row.run)
            row.run(owner);
        return true;
    }
    return known;
}

} // namespace quivra::program
