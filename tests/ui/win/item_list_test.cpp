// The combo-box and list-box wrappers against the real controls, and against
// the stand-in of a combo box made on first use, which must answer them
// alike without making the real control.
#include "win/combo_box_win.h"
#include "win/lazy_combo_win.h"
#include "win/list_box_win.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace quivra;

namespace {

class ItemListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                  nullptr, nullptr, nullptr, nullptr);
        combo_ = win::createComboList(window_, 1, {10, 10, 150, 200});
        list_ = win::createListBox(window_, 2, {10, 40, 150, 100});
        standIn_.create(window_, 3, {200, 10, 150, 200}, win::LazyCombo::Kind::List,
                        win::LazyCombo::Place::Here);
    }
    void TearDown() override {
        EXPECT_FALSE(standIn_.made()) << "a wrapper call made the real combo box";
        DestroyWindow(window_);
    }

    std::vector<std::pair<const char*, win::ItemList>> lists() const {
        return {{"combo box", win::ComboBox(combo_)},
                {"stand-in", standIn_.box()},
                {"list box", win::ListBox(list_)}};
    }
    std::vector<std::pair<const char*, win::ComboBox>> combos() const {
        return {{"combo box", win::ComboBox(combo_)}, {"stand-in", standIn_.box()}};
    }

    HWND window_ = nullptr;
    HWND combo_ = nullptr;
    HWND list_ = nullptr;
    win::LazyCombo standIn_;
};

} // namespace

TEST_F(ItemListTest, ItemsReadBackWholeInTheOrderAdded) {
    const std::wstring longName(300, L'ж');
    const std::vector<std::wstring> items{L"Дела", L"", longName, L"План на год"};
    for (const auto& [kind, list] : lists()) {
        SCOPED_TRACE(kind);
        list.reserve(items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(list.add(items[i].c_str()), static_cast<int>(i));
        for (std::size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(list.itemText(static_cast<int>(i)), items[i]);
        EXPECT_EQ(list.itemText(-1), L"");
        EXPECT_EQ(list.itemText(static_cast<int>(items.size())), L"");
    }
}

TEST_F(ItemListTest, SelectionFollowsSelectAndGoesWithTheItems) {
    for (const auto& [kind, list] : lists()) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(list.selected(), -1);
        for (const wchar_t* item : {L"Дела", L"План", L"Пароли"})
            list.add(item);
        list.select(2);
        EXPECT_EQ(list.selected(), 2);
        list.select(-1);
        EXPECT_EQ(list.selected(), -1);
        list.select(1);
        list.clear();
        EXPECT_EQ(list.selected(), -1);
        EXPECT_EQ(list.itemText(0), L"");
        list.select(0); // nothing to select
        EXPECT_EQ(list.selected(), -1);
    }
}

TEST_F(ItemListTest, ComboFindsWholeNamesIgnoringCaseAfterTheGivenItem) {
    for (const auto& [kind, combo] : combos()) {
        SCOPED_TRACE(kind);
        for (const wchar_t* item : {L"Дела", L"Планы", L"дела", L"План"})
            combo.add(item);
        EXPECT_EQ(combo.count(), 4);
        EXPECT_EQ(combo.findExact(L"ДЕЛА"), 0);
        EXPECT_EQ(combo.findExact(L"дела", 0), 2);
        EXPECT_EQ(combo.findExact(L"дела", 2), 0); // round to the start
        EXPECT_EQ(combo.findExact(L"план"), 3);    // not the longer name before it
        EXPECT_EQ(combo.findExact(L"Пла"), -1);
        EXPECT_FALSE(combo.droppedDown());
    }
}

TEST_F(ItemListTest, ComboDropsDownAndClosesAgain) {
    const win::ComboBox combo(combo_);
    combo.add(L"Дела");
    combo.showDropDown(true);
    EXPECT_TRUE(combo.droppedDown());
    combo.showDropDown(false);
    EXPECT_FALSE(combo.droppedDown());
}
