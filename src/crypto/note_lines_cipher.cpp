#include "crypto/note_lines_cipher.h"

#include "crypto/cipher.h"
#include "crypto/comment_brackets.h"

#include <string_view>

namespace quivra::crypto {

namespace {

bool holds(std::u16string_view line, std::u16string_view marker) {
    return line.find(marker) != std::u16string_view::npos;
}

std::u16string decimal(std::size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

std::vector<std::size_t> linesOutsideComments(const std::vector<std::u16string>& lines) {
    std::vector<std::size_t> outside;
    bool inBlock = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (holds(lines[i], kCommentOpen))
            inBlock = true;
        if (holds(lines[i], kCommentClose))
            inBlock = false; // this line itself stays
        else if (!inBlock)
            outside.push_back(i);
    }
    return outside;
}

std::vector<std::size_t> lineStarts(const std::vector<std::u16string>& lines) {
    std::vector<std::size_t> starts(lines.size());
    for (std::size_t i = 1; i < lines.size(); ++i)
        starts[i] = starts[i - 1] + lines[i - 1].size() + 1;
    return starts;
}

std::vector<LineChange> cipherNoteLines(const std::vector<std::u16string>& lines,
                                        const KeySet& keys, CipherDirection direction) {
    const std::vector<std::size_t> starts = lineStarts(lines);
    std::vector<LineChange> changes;
    for (std::size_t i : linesOutsideComments(lines)) {
        const auto& t = lines[i];
        changes.push_back(
            {i, starts[i],
             direction == CipherDirection::Encrypt ? EncryptText(t, keys) : DecryptText(t, keys)});
    }
    return changes;
}

std::u16string lineProgressText(CipherDirection direction, std::size_t index,
                                std::size_t lineCount) {
    std::u16string text = direction == CipherDirection::Encrypt
                              ? u"Зашифровка... Обработка строки "
                              : u"Расшифровка... Обработка строки ";
    return text + decimal(index) + u"/" + decimal(lineCount);
}

} // namespace quivra::crypto
