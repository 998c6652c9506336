// Bullets and numbering: the list menu's items, the numbering type and style
// remembered for the whole run (not per note, not saved), and the paragraph
// numbering an item applies. Types and styles are the rich-text control's
// wNumbering and wNumberingStyle values.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quivra::editor {

// Numbering types.
inline constexpr int kListNone = 0;
inline constexpr int kListBullet = 1;
inline constexpr int kListArabic = 2;   // 1, 2, 3 ...
inline constexpr int kListLcLetter = 3; // a, b, c
inline constexpr int kListUcLetter = 4; // A, B, C
inline constexpr int kListLcRoman = 5;  // i, ii, iii
inline constexpr int kListUcRoman = 6;  // I, II, III

// Numbering styles.
inline constexpr int kStyleParen = 0x000;      // 1)
inline constexpr int kStyleParens = 0x100;     // (1)
inline constexpr int kStylePeriod = 0x200;     // 1.
inline constexpr int kStylePlain = 0x300;      // 1 (the number alone)
inline constexpr int kStyleNoNumber = 0x400;   // in the list, but nothing shown
inline constexpr int kStyleNewNumber = 0x8000; // restarts the numbering at 1

// Every numbering is written with these: the mask PFM_NUMBERING |
// PFM_NUMBERINGSTYLE | PFM_NUMBERINGTAB | PFM_NUMBERINGSTART, numbers from 1,
// a quarter inch (360 twips) between the number and the text. Indents are
// never touched.
inline constexpr unsigned kNumberingMask = 0xE020;
inline constexpr int kNumberingStart = 1;
inline constexpr int kNumberingTab = 360;

enum class ListItemKind {
    Type,      // remembers its value as the type
    Style,     // remembers its value as the style (a radio item)
    Restart,   // remembers nothing; applies kStyleNewNumber once
    Separator, // not an item that runs
};

struct ListMenuItem {
    std::u16string_view name;
    std::u16string_view caption;
    ListItemKind kind;
    int value;
};

// The menu in order; "G2" starts its second column.
inline constexpr std::array<ListMenuItem, 14> kListMenuItems{{
    {u"F1", u"Нет списка", ListItemKind::Type, kListNone},
    {u"N9", u"•, •, •", ListItemKind::Type, kListBullet},
    {u"N21", u"1, 2, 3", ListItemKind::Type, kListArabic},
    {u"N25", u"a, b, c", ListItemKind::Type, kListLcLetter},
    {u"A1", u"A, B, C", ListItemKind::Type, kListUcLetter},
    {u"i1", u"i, ii, iii", ListItemKind::Type, kListLcRoman},
    {u"I2", u"I, II, III", ListItemKind::Type, kListUcRoman},
    {u"G2", u"Нет стиля", ListItemKind::Style, kStyleNoNumber},
    {u"N110", u"x)", ListItemKind::Style, kStyleParen},
    {u"N29", u"(x)", ListItemKind::Style, kStyleParens},
    {u"N111", u"x.", ListItemKind::Style, kStylePeriod},
    {u"Y1", u"x", ListItemKind::Style, kStylePlain},
    {u"N31", u"", ListItemKind::Separator, 0},
    {u"N28", u"Продолжить", ListItemKind::Restart, 0},
}};

// A numbering type and style: what the menu remembers (ListNumberingType and
// ListNumberingStyle, both 0 at start) and what it applies.
struct ListNumbering {
    int type = kListNone;
    int style = kStyleParen;
    friend bool operator==(const ListNumbering&, const ListNumbering&) = default;
};

// Runs a menu item: remembers what it sets and returns the numbering to apply
// to the selected paragraphs (type and style always from the remembered values
// or the item, never read from the paragraph). A separator gives none.
std::optional<ListNumbering> chooseListItem(ListNumbering& remembered, const ListMenuItem& item);

// The style item whose radio tick is shown: the one of the remembered style
// ("x)" for a style no item has).
const ListMenuItem& tickedStyleItem(const ListNumbering& remembered);

} // namespace quivra::editor
