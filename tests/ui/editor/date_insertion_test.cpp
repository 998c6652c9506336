// The eight date and time forms inserted at the caret from their menu items
// and from F5, F6 and F7, and the platform's locale formats behind them.
#include "editor/editor_fixture.h"

using namespace quivra;
using namespace quivra::test;
using namespace quivra::editor;

namespace {

class DateInsertion : public EditorFixture {
  protected:
    // 8 December 2015, 09:05:07, in a locale that writes dd.MM.yyyy, HH:mm:ss.
    void useFixedClock(base::DateTime now = {2015, 12, 8, 9, 5, 7}) {
        DateSource source;
        source.now = [now] { return now; };
        source.shortDate = [](const base::DateTime&) { return std::u16string(u"08.12.2015"); };
        source.longTime = [](const base::DateTime&) { return std::u16string(u"09:05:07"); };
        formatting().textCommands().setDateSource(source);
    }
};

} // namespace

TEST_F(DateInsertion, EachMenuItemInsertsItsFormAtTheCaret) {
    startWith({{L"A", kRtfA}});
    useFixedClock();
    const std::pair<int, std::u16string_view> forms[] = {
        {ID_INSERTDT, u"09:05 08.12.2015"},
        {ID_N12, u"08.12.2015 09:05:07"},
        {ID_N18, u"08 декабря 2015 года в 09:05"},
        {ID_INSERTDATE, u"08.12.2015"},
        {ID_N14, u"08, Декабрь, 2015"},
        {ID_N15, u"08 декабря 2015 года"},
        {ID_INSERTTIME, u"09:05"},
        {ID_N17, u"09:05:07"},
    };
    for (const auto& [item, text] : forms) {
        select(0, 0);
        command(item);
        EXPECT_EQ(note().text().substr(0, text.size() + 5), std::u16string(text) + u"Alpha");
        EXPECT_EQ(note().selection().start, static_cast<long>(text.size())); // caret after it
        note().setPlainText(u"Alpha");
    }
}

TEST_F(DateInsertion, FunctionKeysWorkInTheFocusedEditorUnlessTheNoteIsReadOnly) {
    startWith({{L"A", kRtfA}});
    useFixedClock({2016, 5, 1, 0, 7, 0});
    select(0, 5); // "Alpha" is replaced
    press(note().hwnd(), VK_F6);
    EXPECT_EQ(note().text().substr(0, 10), u"08.12.2015");
    select(0, 0);
    press(note().hwnd(), VK_F7);
    EXPECT_EQ(note().text().substr(0, 5), u"00:07");
    select(0, 0);
    press(note().hwnd(), VK_F5);
    EXPECT_EQ(note().text().substr(0, 16), u"00:07 08.12.2015");
    command(ID_N18);
    EXPECT_NE(note().text().find(u"01 мая 2016 года в 00:07"), std::u16string::npos);

    // Without the editor's focus the keys do nothing.
    const std::u16string before = note().text();
    SetFocus(form->notes().lists().listBox());
    press(form->notes().lists().listBox(), VK_F5);
    EXPECT_EQ(note().text(), before);
    // Nor in a read-only note, neither the keys nor their bold items.
    note().focus();
    form->notes().view().sett_roClick();
    press(note().hwnd(), VK_F5);
    press(note().hwnd(), VK_F6);
    command(ID_INSERTTIME);
    EXPECT_EQ(note().text(), before);
}

TEST_F(DateInsertion, LocaleFormsComeFromThePlatformTheOthersAreFixed) {
    const DateSource system = DateSource::system();
    const base::DateTime day{2015, 12, 8, 9, 5, 7};
    // The tests run in the Russian locale: day.month.year, 24 hours.
    EXPECT_EQ(system.shortDate(day), u"08.12.2015");
    const std::u16string time = system.longTime(day);
    EXPECT_EQ(time.substr(time.size() - 6), u":05:07");
    EXPECT_NE(time.find(u'9'), std::u16string::npos);
    // The clock reads the local time.
    SYSTEMTIME st;
    GetLocalTime(&st);
    const base::DateTime now = system.now();
    EXPECT_EQ(now.year, st.wYear);
    EXPECT_EQ(now.month, st.wMonth);
}
