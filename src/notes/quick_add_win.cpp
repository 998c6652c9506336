// The quick-add field under the note list: the quick search while typing and
// the quick add of Enter.
#include "notes/notes_controller_win.h"

#include "base/name_chars.h"
#include "notes/quick_field.h"
#include "win/controls_win.h"
#include "win/dialog_keys_win.h"
#include "win/wide_win.h"

namespace quivra::notes {

void NotesController::QuickAddEnter() {
    SetWindowTextW(QuickAdd, L"");
}

void NotesController::QuickAddExit() {
    // The results stay, so that the user can move to them and pick one.
    SetWindowTextW(QuickAdd, L"");
}

void NotesController::QuickAddKeyUp() {
    const auto names = quickListNames(noteNames(), win::toU16(win::windowText(QuickAdd)));
    if (names.empty()) {
        quickSearch_.hide();
        return;
    }
    RECT field;
    GetWindowRect(QuickAdd, &field);
    MapWindowPoints(nullptr, notesPage_, reinterpret_cast<POINT*>(&field), 2);
    quickSearch_.showNames(names, {field.left, field.top - host_.scale(kQuickSearchHeight) -
                                                   host_.scale(kQuickSearchGap)});
}

void NotesController::QuickAddEnterKey() {
    const std::u16string typed = win::toU16(win::windowText(QuickAdd));
    const QuickAddStep step = quickAddOnEnter(typed, quickSearch_.shown(), quickSearch_.names());
    switch (step.action) {
    case QuickAddAction::SelectFieldText:
        SendMessageW(QuickAdd, EM_SETSEL, 0, -1);
        return;
    case QuickAddAction::PickListed:
        quickSearch_.pick(step.listIndex);
        return;
    case QuickAddAction::AddNote:
        if (addNote(typed) && note_.enabled())
            note_.focus(); // the field then empties itself
        return;
    }
}

void NotesController::QuickAddEscKey() {
    if (note_.enabled())
        note_.focus();
    else
        SetFocus(NotesNamesList.hwnd());
}

void NotesController::QuickListDblClick() {
    const std::u16string chosen = quickSearch_.selectedName();
    if (chosen.empty())
        return;
    // The entry spelled exactly so, letter case respected.
    const int count = noteCount();
    for (int i = 0; i < count; ++i)
        if (noteNameAt(i) == chosen) {
            NotesNamesList.box().select(i);
            OpenNote();
            return;
        }
}

// The keys of the quick-add field.
std::optional<LRESULT> NotesController::onQuickAddMessage(UINT msg, WPARAM wp, LPARAM lp,
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
