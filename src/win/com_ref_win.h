// An owner of one COM reference: released when the owner goes, moved but
// never copied.
#pragma once

#include <unknwn.h>

#include <utility>

namespace quivra::win {

template <class T> class ComRef {
  public:
    ComRef() = default;
    // Takes over a reference the caller already holds.
    explicit ComRef(T* p) noexcept : p_(p) {}
    ~ComRef() { reset(); }
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // For functions that hand out a reference through a T** (or void**).
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }
    void reset() noexcept {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }

  private:
    T* p_ = nullptr;
};

} // namespace quivra::win
