#include "notes/name_rules.h"

#include "base/text_match.h"
#include "notes/note_names.h"

namespace quivra::notes {

NameTaskTexts nameTaskTexts(NameTask task) {
    if (task == NameTask::Add)
        return {u"Введите имя новой заметки", u"Добавить"};
    return {u"Введите новое имя заметки", u"Переименовать"};
}

bool nameConfirmable(NameTask task, std::u16string_view typed,
                     std::span<const std::u16string> listed, bool noteFileExists) {
    if (!isNoteNameForAFile(typed) || base::indexIgnoringCase(listed, typed))
        return false;
    return task == NameTask::Add || !noteFileExists;
}

} // namespace quivra::notes
