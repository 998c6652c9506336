#include "crypto/editor_fit.h"

#include "crypto/cipher.h"
#include "crypto/secure_wipe.h"

#include <string>

namespace quivra::crypto {

namespace {

constexpr std::size_t kNamedLines = 10;

std::u16string decimal(std::size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

bool editorKeepsLineText(std::u16string_view text) {
    return text.find_first_of(std::u16string_view(u"\0\n\r", 3)) == std::u16string_view::npos;
}

bool editorKeepsSelectionText(std::u16string_view decrypted) {
    return decrypted.find_first_of(std::u16string_view(u"\0\n", 2)) == std::u16string_view::npos;
}

void planLineChange(NoteLinesPlan& plan, LineChange change) {
    if (change.text.empty())
        return;
    if (editorKeepsLineText(change.text))
        plan.changes.push_back(std::move(change));
    else
        plan.left.push_back(change.index);
}

NoteLinesPlan planNoteLines(const std::vector<std::u16string>& lines, const KeySet& keys,
                            CipherDirection direction) {
    NoteLinesPlan plan;
    for (auto& change : cipherNoteLines(lines, keys, direction))
        planLineChange(plan, std::move(change));
    return plan;
}

std::optional<KeptCipherText> encryptForEditor(std::u16string_view plain, const KeySet& keys) {
    std::u16string padded(plain);
    WipeOnExit wipePadded(padded);
    for (std::size_t spaces = 0; spaces <= kMostPaddingSpaces; ++spaces) {
        std::u16string cipherText = EncryptText(padded, keys);
        if (editorKeepsLineText(cipherText))
            return KeptCipherText{std::move(cipherText), spaces};
        padded.push_back(u' ');
    }
    return std::nullopt;
}

CompatibleEncryptionPlan planCompatibleEncryption(const std::vector<std::u16string>& lines,
                                                  const KeySet& keys) {
    CompatibleEncryptionPlan plan;
    const std::vector<std::size_t> starts = lineStarts(lines);
    for (std::size_t i : linesOutsideComments(lines)) {
        if (lines[i].empty())
            continue;
        auto kept = encryptForEditor(lines[i], keys);
        if (!kept) {
            for (auto& change : plan.changes)
                secureWipe(change.text);
            return {{}, 0, i};
        }
        if (kept->spaces > 0)
            ++plan.paddedLines;
        plan.changes.push_back({i, starts[i], std::move(kept->text)});
    }
    return plan;
}

std::u16string leftLinesMessage(CipherDirection direction, const std::vector<std::size_t>& left) {
    const bool encrypt = direction == CipherDirection::Encrypt;
    std::u16string text = encrypt ? u"Зашифровка: " : u"Расшифровка: ";
    text += left.size() == 1 ? u"строка " : u"строки ";
    for (std::size_t i = 0; i < left.size() && i < kNamedLines; ++i) {
        if (i > 0)
            text += u", ";
        text += decimal(left[i] + 1);
    }
    if (left.size() > kNamedLines)
        text += u" и ещё " + decimal(left.size() - kNamedLines);
    if (encrypt)
        text += left.size() == 1 ? u" оставлена открытой: её шифр содержал бы символы, которые "
                                   u"заметка не может хранить."
                                 : u" оставлены открытыми: их шифр содержал бы символы, которые "
                                   u"заметка не может хранить.";
    else
        text += left.size() == 1
                    ? u" не расшифрована: получились бы символы, которых не бывает в тексте "
                      u"заметки. Возможно, пароль неверен."
                    : u" не расшифрованы: получились бы символы, которых не бывает в тексте "
                      u"заметки. Возможно, пароль неверен.";
    return text;
}

std::u16string_view selectionLeftMessage(CipherDirection direction) {
    if (direction == CipherDirection::Encrypt)
        return u"Зашифровка: шифр выделенного текста содержал бы символы, которые заметка не "
               u"может хранить. Текст оставлен открытым; выделите его немного иначе.";
    return u"Расшифровка: получились бы символы, которых не бывает в тексте заметки. Текст "
           u"оставлен как был. Возможно, пароль неверен.";
}

} // namespace quivra::crypto
