// The editor's menus: the additional menu `AdditMenu` of the "..." button
// (every item in its order, the comment and encryption items with the
// encryption subsystem's identifiers), the list menu `ListStyleMenu` of the
// list button, and the never shown menu whose items carry F5, F6 and F7.
#pragma once

#include "editor/format_rules.h"
#include "editor/list_styles.h"
#include "win/handles_win.h"

#include <windows.h>

#include <string>

namespace quivra::editor {

// The keys of the three date commands, as the captions show them.
struct DateKeyTexts {
    std::wstring dateTime, date, time;
};

class EditorMenus {
  public:
    void create(const DateKeyTexts& keys);

    HMENU addit() const noexcept { return addit_.get(); }
    HMENU listStyle() const noexcept { return listStyle_.get(); }
    // "Скрытые": never shown; its items only carry shortcuts.
    HMENU hidden() const noexcept { return hidden_.get(); }

    // The enabled states the additional menu takes when it opens; the items
    // the rules do not name keep theirs.
    void applyAdditRules(const AdditMenuRules& rules);
    // The radio tick of the list menu on the remembered style's item.
    void tickListStyle(const ListNumbering& remembered);

  private:
    win::UniqueMenu addit_;
    win::UniqueMenu listStyle_;
    win::UniqueMenu hidden_;
    // The positions of the additional menu's sub-menu items, enabled by
    // position.
    int InsertDateTime = 0, InsertDateSub = 0, InsertTimeSub = 0, InsertSpecialSub = 0;
};

} // namespace quivra::editor
