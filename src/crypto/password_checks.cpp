#include "crypto/password_checks.h"

namespace quivra::crypto {

namespace {

constexpr std::u16string_view kShort = u"Пароль должен быть минимум 4 символа";
constexpr std::u16string_view kEncryptShort = u"Зашифровка: Пароль должен быть минимум 4 символа";
constexpr std::u16string_view kDecryptShort = u"Расшифровка: Пароль должен быть минимум 4 символа";
constexpr std::u16string_view kDiffer = u"Введенные пароли не совпадают.";
constexpr std::u16string_view kEncryptDiffer = u"Зашифровка: Введенные пароли не совпадают.";

bool tooShort(std::u16string_view password) {
    return password.size() < kMinPasswordLength;
}

PanelMessage red(std::u16string_view text, PanelLabel label = PanelLabel::Password) {
    return {label, text, true};
}

} // namespace

std::optional<PanelMessage> encryptRefusal(std::u16string_view password,
                                           std::u16string_view confirm) {
    if (tooShort(password))
        return red(kShort);
    if (password != confirm)
        return red(kDiffer, PanelLabel::Confirm);
    return std::nullopt;
}

std::optional<PanelMessage> decryptRefusal(std::u16string_view password) {
    if (tooShort(password))
        return red(kDecryptShort);
    return std::nullopt;
}

MiddleOutcome middleButton(int step, std::u16string_view password, std::u16string_view confirm) {
    switch (step) {
    case 0:
        if (tooShort(password))
            return {MiddleAction::Refuse, red(kEncryptShort)};
        return {MiddleAction::AskRepeat,
                PanelMessage{PanelLabel::Password, panel_text::kRepeatPassword, false}};
    case 1:
        // What is typed after the prompt goes on to the first entry, which
        // Backspace may have shortened meanwhile.
        if (tooShort(password))
            return {MiddleAction::Refuse, red(kEncryptShort)};
        if (password != confirm)
            return {MiddleAction::Refuse, red(kEncryptDiffer)};
        return {MiddleAction::Encrypt, std::nullopt};
    case 2:
        if (tooShort(password))
            return {MiddleAction::Refuse, red(kDecryptShort)};
        return {MiddleAction::Decrypt, std::nullopt};
    default:
        return {MiddleAction::None, std::nullopt};
    }
}

} // namespace quivra::crypto
