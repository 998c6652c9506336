#include "crypto/strong_note_lines.h"

#include "crypto/cipher.h"

namespace quivra::crypto {

std::vector<LineChange> encryptNoteLinesStrong(const std::vector<std::u16string>& lines,
                                               StrongKeys& keys) {
    const std::vector<std::size_t> starts = lineStarts(lines);
    std::vector<LineChange> changes;
    for (std::size_t i : linesOutsideComments(lines))
        if (!lines[i].empty())
            changes.push_back({i, starts[i], encryptStrongText(keys, lines[i])});
    return changes;
}

NoteLinesPlan decryptNoteLines(const std::vector<std::u16string>& lines, const KeySet& compatible,
                               StrongKeys& strong) {
    const std::vector<std::size_t> starts = lineStarts(lines);
    NoteLinesPlan plan;
    for (std::size_t i : linesOutsideComments(lines)) {
        if (!isStrongToken(lines[i])) {
            planLineChange(plan, {i, starts[i], DecryptText(lines[i], compatible)});
            continue;
        }
        std::optional<std::u16string> plain = decryptStrongToken(strong, lines[i]);
        if (!plain)
            plan.failed.push_back(i);
        else if (!editorKeepsSelectionText(*plain))
            plan.left.push_back(i);
        else
            plan.changes.push_back({i, starts[i], std::move(*plain)});
    }
    return plan;
}

} // namespace quivra::crypto
