// The clipboard opened for its text: with a few short retries while another
// program holds it open (or with one try that does not wait), and its text
// read as CF_UNICODETEXT.
#pragma once

#include "win/handles_win.h"

#include <windows.h>

#include <new>
#include <optional>
#include <string>

namespace quivra::win {

class TextClipboard {
  public:
    // Throws the standard error "Cannot open clipboard: ..." when another
    // program keeps it open through every retry.
    explicit TextClipboard(HWND owner);
    // One try that neither waits nor throws; isOpen() tells how it went.
    TextClipboard(HWND owner, std::nothrow_t) { lock_.emplace(owner); }
    bool isOpen() const { return lock_ && lock_->isOpen(); }

    // The clipboard's text; nothing when it holds none.
    std::optional<std::u16string> text() const;

  private:
    std::optional<ClipboardLock> lock_;
};

} // namespace quivra::win
