#include "editor/editor_menus_win.h"

#include "crypto/crypto_controller_win.h"
#include "crypto/crypto_ids.h"
#include "editor/date_forms.h"
#include "editor/editor_ids.h"
#include "notes/notes_ids.h"
#include "win/wide_win.h"

namespace quivra::editor {

namespace {

void append(HMENU menu, UINT flags, int id, std::u16string_view caption) {
    const std::wstring text = win::toWide(caption);
    AppendMenuW(menu, MF_STRING | flags, static_cast<UINT_PTR>(id), text.c_str());
}

// A sub-menu of date and time forms, the first one bold with its key.
HMENU dateMenu(std::initializer_list<DateTimeForm> forms, const std::wstring& key) {
    HMENU menu = CreatePopupMenu();
    bool first = true;
    for (DateTimeForm form : forms) {
        std::u16string caption(dateTimeFormCaption(form));
        if (first) {
            caption += u'\t';
            caption += win::toU16(key);
        }
        append(menu, 0, dateFormItem(form), caption);
        first = false;
    }
    SetMenuDefaultItem(menu, static_cast<UINT>(dateFormItem(*forms.begin())), FALSE);
    return menu;
}

int appendPopup(HMENU menu, UINT flags, HMENU sub, const wchar_t* caption) {
    AppendMenuW(menu, MF_POPUP | flags, reinterpret_cast<UINT_PTR>(sub), caption);
    return GetMenuItemCount(menu) - 1;
}

} // namespace

void EditorMenus::create(const DateKeyTexts& keys) {
    using namespace crypto;
    addit_.reset(CreatePopupMenu());
    HMENU m = addit_.get();
    using Crypto = CryptoController;
    Crypto::appendMenuItems(Crypto::kComments, m);
    HMENU select = CreatePopupMenu();
    Crypto::appendMenuItems(Crypto::kSelectComment, select);
    appendPopup(m, 0, select, L"Выделить комментарий");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    Crypto::appendMenuItems(Crypto::kCipher, m);
    append(m, 0, notes::ID_IMMSAVE, u"Принудительно сохранить");
    using F = DateTimeForm;
    InsertDateTime = appendPopup(
        m, MF_MENUBREAK,
        dateMenu({F::TimeAndDate, F::DateAndLongTime, F::DayMonthYearAtTime}, keys.dateTime),
        L"Вставить дату и время");
    InsertDateSub =
        appendPopup(m, 0, dateMenu({F::Date, F::DayCommaMonthYear, F::DayMonthYear}, keys.date),
                    L"Вставить дату");
    InsertTimeSub =
        appendPopup(m, 0, dateMenu({F::Time, F::LongTime}, keys.time), L"Вставить время");
    HMENU special = CreatePopupMenu();
    append(special, 0, N22, u"Буфер обмена как текст");
    InsertSpecialSub = appendPopup(m, 0, special, L"Спец. вставка");
    append(m, 0, OpenText, u"Открыть текст из файла...");
    append(m, 0, N32, u"Вставить ссылку на файл");

    listStyle_.reset(CreatePopupMenu());
    for (std::size_t i = 0; i < kListMenuItems.size(); ++i) {
        const ListMenuItem& item = kListMenuItems[i];
        if (item.kind == ListItemKind::Separator) {
            AppendMenuW(listStyle_.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        append(listStyle_.get(), item.name == u"G2" ? MF_MENUBREAK : 0, listMenuItem(i),
               item.caption);
    }
    tickListStyle(ListNumbering{});

    // The editor's keys for the date forms: "Дата и время", "Дата", "Время".
    hidden_.reset(CreatePopupMenu());
    const struct {
        const wchar_t* menu;
        int id;
        DateTimeForm form;
        const std::wstring& key;
    } items[] = {{L"Дата и время", N23, F::TimeAndDate, keys.dateTime},
                 {L"Дата", N30, F::Date, keys.date},
                 {L"Время", N26, F::Time, keys.time}};
    for (const auto& k : items) {
        HMENU sub = CreatePopupMenu();
        std::u16string caption(dateTimeFormCaption(k.form));
        caption += u'\t';
        caption += win::toU16(k.key);
        append(sub, 0, k.id, caption);
        appendPopup(hidden_.get(), 0, sub, k.menu);
    }
}

void EditorMenus::applyAdditRules(const AdditMenuRules& rules) {
    using namespace crypto;
    HMENU m = addit_.get();
    const auto enable = [m](int id, bool on) {
        EnableMenuItem(m, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    const auto enableAt = [m](int position, bool on) {
        EnableMenuItem(m, static_cast<UINT>(position),
                       MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(UnComment, rules.uncomment);
    enable(Comment, rules.comment);
    for (int id :
         {static_cast<int>(CommentStart), static_cast<int>(CommentEnd), static_cast<int>(OpenText)})
        enable(id, rules.editing);
    for (int at : {InsertDateTime, InsertDateSub, InsertTimeSub, InsertSpecialSub})
        enableAt(at, rules.editing);
    for (int id : {EnCr, DeCr, DeCrBuf})
        enable(id, rules.selectionCommands);
}

void EditorMenus::tickListStyle(const ListNumbering& remembered) {
    const ListMenuItem& ticked = tickedStyleItem(remembered);
    for (std::size_t i = 0; i < kListMenuItems.size(); ++i)
        if (&kListMenuItems[i] == &ticked)
            CheckMenuRadioItem(listStyle_.get(), static_cast<UINT>(ID_G2), static_cast<UINT>(ID_Y1),
                               static_cast<UINT>(listMenuItem(i)), MF_BYCOMMAND);
}

} // namespace quivra::editor
