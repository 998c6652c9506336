// What the password panel says: its prompts and titles, and the checks of
// its Ok button and of the middle-button confirmation with the refusal each
// one shows (which label, which text, red or the normal text colour).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace quivra::crypto {

inline constexpr std::size_t kMinPasswordLength = 4;

namespace panel_text {
inline constexpr std::u16string_view kPassword = u"Пароль:";
inline constexpr std::u16string_view kConfirm = u"Повтор пароля:";
inline constexpr std::u16string_view kEncryptTitle = u"Зашифровка";
inline constexpr std::u16string_view kDecryptTitle = u"Расшифровка";
inline constexpr std::u16string_view kEncrypting = u"Зашифровка...";
inline constexpr std::u16string_view kDecrypting = u"Расшифровка...";
inline constexpr std::u16string_view kEncryptMarker =
    u"Зашифровка: В выделенном тексте присутствует символ комментария";
// Shown in the normal colour.
inline constexpr std::u16string_view kDecryptMarker =
    u"В выделенном тексте присутствует символ комментария";
inline constexpr std::u16string_view kRepeatPassword = u"Зашифровка: Повторите пароль";
// While the strong cipher's key is derived.
inline constexpr std::u16string_view kDerivingKey = u"Вычисление ключа…";
} // namespace panel_text

// The two labels that carry messages: ECLabel above the password field and
// ECConfirmLabel above the repeat field.
enum class PanelLabel { Password, Confirm };

struct PanelMessage {
    PanelLabel label;
    std::u16string_view text;
    bool red;
    bool operator==(const PanelMessage&) const = default;
};

// Ok in encryption mode: a short password, then a repeat that differs.
std::optional<PanelMessage> encryptRefusal(std::u16string_view password,
                                           std::u16string_view confirm);
// Ok in decryption mode.
std::optional<PanelMessage> decryptRefusal(std::u16string_view password);

// The middle button released over the password field, by the field's step:
// 0 after opening for encryption, 1 once the repeat was asked for, 2 after
// opening for decryption.
enum class MiddleAction {
    None,      // nothing happens (another step)
    Refuse,    // the message says why
    AskRepeat, // the field is emptied, the typed password kept; step 1
    Encrypt,   // the passwords match
    Decrypt,   // the password is long enough
};
struct MiddleOutcome {
    MiddleAction action;
    std::optional<PanelMessage> message;
    bool operator==(const MiddleOutcome&) const = default;
};
MiddleOutcome middleButton(int step, std::u16string_view password, std::u16string_view confirm);

} // namespace quivra::crypto
