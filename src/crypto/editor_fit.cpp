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

namespace {

// "строка 3" or "строки 3, 7 и ещё 2": the lines counted from 1 for the user.
std::u16string namedLines(const std::vector<std::size_t>& lines) {
    std::u16string text = lines.size() == 1 ? u"строка " : u"строки ";
    for (std::size_t i = 0; i < lines.size() && i < kNamedLines; ++i) {
        if (i > 0)
            text += u", ";
        text += decimal(lines[i] + 1);
    }
    if (lines.size() > kNamedLines)
        text += u" и ещё " + decimal(lines.size() - kNamedLines);
    return text;
}

} // namespace

std::u16string leftLinesMessage(CipherDirection direction, const std::vector<std::size_t>& left) {
    const bool encrypt = direction == CipherDirection::Encrypt;
    std::u16string text = encrypt ? u"Зашифровка: " : u"Расшифровка: ";
    text += namedLines(left);
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

std::u16string failedTokensMessage(const std::vector<std::size_t>& failed) {
    std::u16string text(kWrongPasswordOrDamaged);
    if (!failed.empty())
        text += u": " + namedLines(failed) +
                (failed.size() == 1 ? u" оставлена как была" : u" оставлены как были");
    return text;
}

std::u16string paddedLinesMessage(std::size_t padded) {
    return u"Зашифровано. Строк, к которым добавлен пробел в конце, чтобы заметка могла "
           u"хранить их шифр: " +
           decimal(padded);
}

std::u16string refusedLineMessage(std::optional<std::size_t> line) {
    std::u16string text = u"Зашифровка: ";
    text += line ? u"строку " + decimal(*line + 1) : std::u16string(u"выделенный текст");
    text += u" нельзя зашифровать так, чтобы заметка могла хранить шифр, даже с пробелами в "
            u"конце. Ничего не изменено.";
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
