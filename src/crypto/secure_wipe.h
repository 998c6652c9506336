// Overwrites buffers that held secrets (password bytes and what is derived
// from them) so that they do not linger in freed memory.
#pragma once

#include <cstddef>

namespace quivra::crypto {

// Zeroes the bytes through a volatile pointer, a store the compiler must keep.
void secureWipe(void* data, std::size_t size) noexcept;

// Any contiguous container: std::string, std::u16string, std::array, std::vector.
template <typename Container> void secureWipe(Container& c) noexcept {
    secureWipe(c.data(), c.size() * sizeof(typename Container::value_type));
}

// Wipes a container when the scope ends, also when an exception leaves it.
template <typename Container> class WipeOnExit {
  public:
    explicit WipeOnExit(Container& c) noexcept : c_(c) {}
    ~WipeOnExit() { secureWipe(c_); }
    WipeOnExit(const WipeOnExit&) = delete;
    WipeOnExit& operator=(const WipeOnExit&) = delete;

  private:
    Container& c_;
};

} // namespace quivra::crypto
