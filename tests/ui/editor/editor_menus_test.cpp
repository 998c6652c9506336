// The additional menu's items and their enabled states, the list menu with
// its remembered type and style, and the item of the formatting reset.
#include "editor/editor_fixture.h"

#include "crypto/crypto_ids.h"
#include "notes/notes_controller_win.h"
#include "win/wide_win.h"

using namespace quivra;
using namespace quivra::test;
using namespace quivra::editor;

namespace {

struct Item {
    Item(std::wstring caption, UINT id = 0, std::vector<Item> sub = {}, bool newColumn = false)
        : caption(std::move(caption)), id(id), sub(std::move(sub)), newColumn(newColumn) {}
    std::wstring caption;
    UINT id; // 0 for a separator and a sub-menu
    std::vector<Item> sub;
    bool newColumn; // starts a column
    bool operator==(const Item&) const = default;
};

std::vector<Item> itemsOf(HMENU menu) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128]{};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        Item item{text, info.hSubMenu ? 0 : info.wID, {}, (info.fType & MFT_MENUBREAK) != 0};
        if (info.hSubMenu)
            item.sub = itemsOf(info.hSubMenu);
        items.push_back(item);
    }
    return items;
}

bool grey(HMENU menu, UINT item, UINT by = MF_BYCOMMAND) {
    return (GetMenuState(menu, item, by) & MF_GRAYED) != 0;
}

class EditorMenusTest : public EditorFixture {};

} // namespace

TEST_F(EditorMenusTest, AdditionalMenuHoldsEveryItemInOrderWithTheInsertionsInASecondColumn) {
    startWith({{L"A", kRtfA}});
    using namespace crypto;
    const std::vector<Item> expected{
        {L"Начало комментария", CommentStart},
        {L"Конец комментария", CommentEnd},
        {L"Закомментировать", Comment},
        {L"Раскомментировать", UnComment},
        {L"Выделить комментарий",
         0,
         {{L"С символами", C1}, {L"Только текст\tAlt+S", SelectOnlyTextComment}}},
        {L"", 0},
        {L"Шифровать\tAlt+C", EnCr},
        {L"Расшифровать\tAlt+D", DeCr},
        {L"Расшифровать в буфер обмена\tAlt+V", DeCrBuf},
        {L"Принудительно сохранить", notes::ID_IMMSAVE},
        {L"Вставить дату и время",
         0,
         {{L"ЧЧ:ММ ДД.ММ.ГГГГ\tF5", ID_INSERTDT},
          {L"ДД.ММ.ГГГГ ЧЧ:ММ:СС", ID_N12},
          {L"ДД месяца ГГГГ года в ЧЧ:ММ", ID_N18}},
         true},
        {L"Вставить дату",
         0,
         {{L"ДД.ММ.ГГГГ\tF6", ID_INSERTDATE},
          {L"ДД, Месяц, ГГГГ", ID_N14},
          {L"ДД месяца ГГГГ года", ID_N15}}},
        {L"Вставить время", 0, {{L"ЧЧ:ММ\tF7", ID_INSERTTIME}, {L"ЧЧ:ММ:СС", ID_N17}}},
        {L"Спец. вставка", 0, {{L"Буфер обмена как текст", N22}}},
        {L"Открыть текст из файла...", OpenText},
        {L"Вставить ссылку на файл", N32},
    };
    EXPECT_EQ(itemsOf(formatting().additMenu()), expected);
    // The first form of each date sub-menu is its bold default item.
    HMENU dates = GetSubMenu(formatting().additMenu(), 10);
    EXPECT_EQ(GetMenuDefaultItem(dates, FALSE, 0), static_cast<UINT>(ID_INSERTDT));
    // The function keys' hidden items.
    const auto hidden = itemsOf(formatting().hiddenMenu());
    ASSERT_EQ(hidden.size(), 3u);
    EXPECT_EQ(hidden[0].sub[0].id, static_cast<UINT>(N23));
    EXPECT_EQ(hidden[1].sub[0].id, static_cast<UINT>(N30));
    EXPECT_EQ(hidden[2].sub[0].caption, L"ЧЧ:ММ\tF7");
    // "Сброс форматирования" closes the notes menu.
    const auto notesItems = itemsOf(form->notes().notesMenu());
    EXPECT_EQ(notesItems.back(), (Item{L"Сброс форматирования", Unformat}));
}

TEST_F(EditorMenusTest, AdditionalMenuEnablesByTheSelectionAndReadOnlyAsItOpens) {
    startWith({{L"A", "{\\rtf1\\ansi ##[hidden]## plain\\par}"}});
    HMENU m = formatting().additMenu();
    using namespace crypto;
    select(0, 12); // "##[hidden]##"
    formatting().updateAdditMenu();
    EXPECT_FALSE(grey(m, UnComment));
    EXPECT_TRUE(grey(m, Comment));
    EXPECT_FALSE(grey(m, EnCr));
    EXPECT_FALSE(grey(m, 10, MF_BYPOSITION)); // "Вставить дату и время"

    select(13, 13);
    form->notes().view().sett_roClick();
    formatting().updateAdditMenu();
    EXPECT_TRUE(grey(m, UnComment));
    EXPECT_TRUE(grey(m, Comment));
    EXPECT_TRUE(grey(m, CommentStart));
    EXPECT_TRUE(grey(m, OpenText));
    for (UINT at : {10u, 11u, 12u, 13u})
        EXPECT_TRUE(grey(m, at, MF_BYPOSITION)) << at;
    for (UINT id : {EnCr, DeCr, DeCrBuf})
        EXPECT_TRUE(grey(m, id)) << id;
    // The link, the forced save and the comment selection keep their state.
    EXPECT_FALSE(grey(m, N32));
    EXPECT_FALSE(grey(m, notes::ID_IMMSAVE));
    EXPECT_FALSE(grey(m, C1));

    // "..." opens the menu (dismissed here by Esc) with those states set.
    form->notes().view().sett_roClick();
    select(0, 3);
    PostMessageW(form->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    formatting().AdvancedButtonClick();
    EXPECT_FALSE(grey(m, EnCr));
    EXPECT_TRUE(grey(m, Comment)); // starts with "##["
}

TEST_F(EditorMenusTest, ListMenuAppliesTheRememberedTypeAndStyleToTheSelectedParagraphs) {
    startWith({{L"A", "{\\rtf1\\ansi\\li720 one\\par two\\par three\\par}"}, {L"B", kRtfA}});
    HMENU m = formatting().listStyleMenu();
    const auto ticked = [m](int id) {
        return (GetMenuState(m, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_TRUE(ticked(ID_N110));
    EXPECT_TRUE(itemsOf(m)[7].newColumn); // "Нет стиля" starts the second column
    const long indent = note().paraFormat().dxStartIndent;

    select(0, 5); // "one" and "two"
    command(ID_N21);
    PARAFORMAT2 p = note().paraFormat();
    EXPECT_EQ(p.wNumbering, PFN_ARABIC);
    EXPECT_EQ(p.wNumberingStyle, 0);
    EXPECT_EQ(p.wNumberingStart, 1);
    EXPECT_EQ(p.wNumberingTab, 360);
    select(9, 9);
    EXPECT_EQ(note().paraFormat().wNumbering, 0); // "three" is left alone

    // A style alone applies the remembered type.
    select(0, 5);
    command(ID_N29);
    EXPECT_EQ(note().paraFormat().wNumberingStyle, 0x100);
    EXPECT_TRUE(ticked(ID_N29));
    EXPECT_FALSE(ticked(ID_N110));
    command(ID_F1);
    EXPECT_EQ(note().paraFormat().wNumbering, 0);
    EXPECT_EQ(note().paraFormat().dxStartIndent, indent); // indents are kept
    command(ID_N111);                                     // type 0 remembered: still no list
    EXPECT_EQ(note().paraFormat().wNumbering, 0);

    // Remembered across notes.
    open(L"B");
    note().focus();
    select(0, 0);
    command(ID_N25);
    EXPECT_EQ(note().paraFormat().wNumbering, PFN_LCLETTER);
    EXPECT_EQ(note().paraFormat().wNumberingStyle, 0x200);
    EXPECT_EQ(formatting().textCommands().listNumbering(),
              (ListNumbering{kListLcLetter, kStylePeriod}));
    command(ID_N28); // restarts at 1; the style stays remembered
    EXPECT_EQ(note().paraFormat().wNumbering, PFN_LCLETTER);
    EXPECT_EQ(formatting().textCommands().listNumbering(),
              (ListNumbering{kListLcLetter, kStylePeriod}));
    EXPECT_TRUE(ticked(ID_N111));
}
