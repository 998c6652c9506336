// Identifiers of the encryption subsystem: its items of the additional menu
// (the format bar's "..." menu, which the editor builds with these
// identifiers), the hidden items that carry its shortcuts, the password
// panel's controls and the clipboard countdown's timer.
#pragma once

#include "program/id_blocks.h"

namespace quivra::crypto {

enum CryptoId : int {
    // Items of the additional menu.
    CommentStart = program::kCryptoIds.first, // "Начало комментария"
    CommentEnd,                               // "Конец комментария"
    Comment,                                  // "Закомментировать"
    UnComment,                                // "Раскомментировать"
    C1,                    // "Выделить комментарий" > "С символами"
    SelectOnlyTextComment, // "Выделить комментарий" > "Только текст" (Alt+S)
    EnCr,                  // "Шифровать" (Alt+C)
    DeCr,                  // "Расшифровать" / "Вернуть шифр" (Alt+D / Alt+R)
    DeCrBuf,               // "Расшифровать в буфер обмена" (Alt+V)
    // Shortcuts that reach the commands above (the hidden items).
    N10, // Alt+C: encrypt
    N11, // Alt+D: decrypt, in state 0
    N13, // Alt+R: return the cipher, in state 1
    D2,  // Alt+S: select the comment's text
    H1,  // Alt+V: decrypt to the clipboard
    // The action menu of a Ctrl+click comment selection.
    N45, // "Расшифровать"
    ID_COPYONLY,
    // The password panel.
    ID_ECPANEL,
    ID_ECCAP,
    ID_ECLABEL,
    ID_ECEDIT,
    ID_ECCONFIRMLABEL,
    ID_ECCONFIRMEDIT,
    ID_ECOK,
    ID_ECCANCEL,
    ID_ECINBUFFER,
    // The clipboard countdown.
    kTPTimer,
    // The action menu's "Расшифровать в буфер обмена".
    H2,
    // The password panel's own caption, shown while a command runs.
    ID_ECPANELCAPTION,
    // Posted when the window is called in after a return of the cipher had
    // something to say.
    ID_RETURNNOTICE,
    ID_CRYPTO_SPARE_FIRST, // free for the subsystem's further controls
    ID_CRYPTO_LAST = program::kCryptoIds.last,
};
static_assert(ID_CRYPTO_SPARE_FIRST <= program::kCryptoIds.last);

} // namespace quivra::crypto
