// The clipboard as the decryption into it uses it: opened and read as
// win/clipboard_text_win.h does, and its whole content replaced by a text.
// A decrypted secret is put there with the formats that keep it out of the
// clipboard history, the cloud clipboard and clipboard monitors.
#pragma once

#include "win/clipboard_text_win.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace quivra::crypto {

class OpenClipboardForText : public win::TextClipboard {
  public:
    using TextClipboard::TextClipboard;

    // Empties the clipboard and puts the text there; a secret also gets the
    // formats that exclude it from history, cloud and monitors.
    void replace(std::u16string_view text, bool secret);
};

} // namespace quivra::crypto
