// What the CNG (BCrypt) implementations of the core's primitives share:
// owners of algorithm and key handles, and one check of a status.
#pragma once

#include "win/handles_win.h"

#include <windows.h>

#include <bcrypt.h>

#include <climits>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace quivra::crypto::cng {

inline void closeAlgorithm(BCRYPT_ALG_HANDLE h) noexcept {
    BCryptCloseAlgorithmProvider(h, 0);
}
inline void destroyKey(BCRYPT_KEY_HANDLE h) noexcept {
    BCryptDestroyKey(h);
}
using UniqueAlgorithm =
    win::UniqueHandle<BCRYPT_ALG_HANDLE, win::NullTraits<BCRYPT_ALG_HANDLE, closeAlgorithm>>;
using UniqueKey =
    win::UniqueHandle<BCRYPT_KEY_HANDLE, win::NullTraits<BCRYPT_KEY_HANDLE, destroyKey>>;

inline void check(NTSTATUS status, const char* what) {
    if (!BCRYPT_SUCCESS(status))
        throw std::runtime_error(std::string("CNG ") + what + " failed, status " +
                                 std::to_string(static_cast<unsigned long>(status)));
}

inline ULONG checkedSize(std::size_t n) {
    if (n > static_cast<std::size_t>(ULONG_MAX))
        throw std::length_error("input too long for CNG");
    return static_cast<ULONG>(n);
}

// CNG takes its inputs through non-const pointers but does not write them.
inline PUCHAR input(const void* bytes) {
    return static_cast<PUCHAR>(const_cast<void*>(bytes));
}

inline UniqueAlgorithm openAlgorithm(LPCWSTR algorithm, ULONG flags = 0) {
    BCRYPT_ALG_HANDLE raw = nullptr;
    check(BCryptOpenAlgorithmProvider(&raw, algorithm, nullptr, flags), "open algorithm");
    return UniqueAlgorithm(raw);
}

// The size of the buffer a hash or key object of the algorithm lives in.
inline DWORD objectLength(BCRYPT_ALG_HANDLE alg) {
    DWORD size = 0;
    ULONG got = 0;
    check(BCryptGetProperty(alg, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&size),
                            sizeof(size), &got, 0),
          "object length");
    return size;
}

} // namespace quivra::crypto::cng
