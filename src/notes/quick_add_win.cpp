// The quick-add field under the note list: the quick search while typing and
// the quick add of Enter.
#include "notes/quick_add_win.h"

#include "base/name_chars.h"
#include "notes/notes_ids.h"
#include "notes/quick_field.h"
#include "win/controls_win.h"
#include "win/dialog_keys_win.h"
#include "win/wide_win.h"

namespace quivra::notes {

void QuickAddField::create(HWND notesPage, HWND mainWindow) {
    notesPage_ = notesPage;
    quickSearch_.create(host_, notesPage, mainWindow, ID_QUICKLIST);
    quickSearch_.onEnterKey = [this] { QuickListDblClick(); };
    fieldEvents_.attach(lists_.quickAddField(),
                        [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
                            return onFieldMessage(msg, wp, lp, next);
                        });
}

void QuickAddField::QuickAddEnter() {
    SetWindowTextW(lists_.quickAddField(), L"");
}

void QuickAddField::QuickAddExit() {
    // The results stay, so that the user can move to them and pick one.
    SetWindowTextW(lists_.quickAddField(), L"");
}

void QuickAddField::QuickAddKeyUp() {
    const auto names =
        quickListNames(lists_.noteNames(), win::toU16(win::windowText(lists_.quickAddField())));
    if (names.empty()) {
        quickSearch_.hide();
        return;
    }
    RECT field;
    GetWindowRect(lists_.quickAddField(), &field);
    MapWindowPoints(nullptr, notesPage_, reinterpret_cast<POINT*>(&field), 2);
    quickSearch_.showNames(names, {field.left, field.top - host_.scale(kQuickSearchHeight) -
                                                   host_.scale(kQuickSearchGap)});
}

void QuickAddField::QuickAddEnterKey() {
    const std::u16string typed = win::toU16(win::windowText(lists_.quickAddField()));
    const QuickAddStep step = quickAddOnEnter(typed, quickSearch_.shown(), quickSearch_.names());
    switch (step.action) {
    case QuickAddAction::SelectFieldText:
        SendMessageW(lists_.quickAddField(), EM_SETSEL, 0, -1);
        return;
    case QuickAddAction::PickListed:
        quickSearch_.pick(step.listIndex);
        return;
    case QuickAddAction::AddNote:
        if (commands_.addNote(typed) && note_.enabled())
            note_.focus(); // the field then empties itself
        return;
    }
}

void QuickAddField::QuickAddEscKey() {
    if (note_.enabled())
        note_.focus();
    else
        SetFocus(lists_.namesList());
}

void QuickAddField::QuickListDblClick() {
    const std::u16string chosen = quickSearch_.selectedName();
    if (chosen.empty())
        return;
    // The entry spelled exactly so, letter case respected.
    switching_.openListedNote(chosen);
}

// The keys of the quick-add field.
std::optional<LRESULT> QuickAddField::onFieldMessage(UINT msg, WPARAM wp, LPARAM lp,
                                                     const win::Subclass::Next& next) {
    if (auto code = win::wantKeys(msg, lp, next, {VK_RETURN, VK_ESCAPE}))
        return code;
    switch (msg) {
    case WM_CHAR:
        if (wp == 13) {
            QuickAddEnterKey();
            return 0;
        }
        if (wp == 27) {
            QuickAddEscKey();
            return 0;
        }
        if (!base::isAcceptedNameChar(static_cast<char16_t>(wp)))
            return 0;
        return std::nullopt;
    case WM_KEYUP: {
        const LRESULT r = next();
        QuickAddKeyUp();
        return r;
    }
    default:
        return std::nullopt;
    }
}

} // namespace quivra::notes
