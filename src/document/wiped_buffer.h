// A buffer that held a note's text is zeroed when the scope ends: the note
// may be a decrypted view, whose plain text must not stay in freed memory.
#pragma once

#include <cstddef>

namespace quivra::document {

// Zeroes a buffer that held the note's text when the scope ends, through a
// volatile pointer so that the stores are kept although the buffer dies.
template <typename Buffer> class WipedOnExit {
  public:
    explicit WipedOnExit(Buffer& buffer) noexcept : buffer_(buffer) {}
    ~WipedOnExit() {
        volatile auto* unit = buffer_.data();
        for (std::size_t i = 0; i < buffer_.size(); ++i)
            unit[i] = 0;
    }
    WipedOnExit(const WipedOnExit&) = delete;
    WipedOnExit& operator=(const WipedOnExit&) = delete;

  private:
    Buffer& buffer_;
};

} // namespace quivra::document
