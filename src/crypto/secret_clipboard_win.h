// The clipboard as the decryption into it uses it: opened with a few retries
// while another program holds it (or with one try that does not wait), its
// text read, and its whole content
// replaced by a text. A decrypted secret is put there with the formats that
// keep it out of the clipboard history, the cloud clipboard and clipboard
// monitors.
#pragma once

#include "win/handles_win.h"

#include <windows.h>

#include <new>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::crypto {

class OpenClipboardForText {
  public:
    // Throws the standard error "Cannot open clipboard: ..." when another
    // program keeps it open through every retry.
    explicit OpenClipboardForText(HWND owner);
    // One try that neither waits nor throws; isOpen() tells how it went.
    OpenClipboardForText(HWND owner, std::nothrow_t) { lock_.emplace(owner); }
    bool isOpen() const { return lock_ && lock_->isOpen(); }

    // The clipboard's text; nothing when it holds none.
    std::optional<std::u16string> text() const;
    // Empties the clipboard and puts the text there; a secret also gets the
    // formats that exclude it from history, cloud and monitors.
    void replace(std::u16string_view text, bool secret);

  private:
    std::optional<win::ClipboardLock> lock_;
};

} // namespace quivra::crypto
