// Known answers shared by the native tests and the tests of the Windows
// build: the published digest vectors (RFC 1321, RFC 2202) and key sets that
// notes written by earlier versions depend on.
#pragma once

#include "crypto/key_set.h"

#include <string>
#include <vector>

namespace quivra::crypto::test {

struct DigestVector {
    std::string key; // empty for plain MD5
    std::string message;
    std::u16string hex;
};

inline std::string bytesFrom1To25() {
    std::string key;
    for (char c = 1; c <= 25; ++c)
        key.push_back(c);
    return key;
}

inline const std::vector<DigestVector> kMd5Vectors = {
    {"", "", u"d41d8cd98f00b204e9800998ecf8427e"},
    {"", "a", u"0cc175b9c0f1b6a831c399e269772661"},
    {"", "abc", u"900150983cd24fb0d6963f7d28e17f72"},
    {"", "message digest", u"f96b697d7cb7938d525a2f31aaf161d0"},
    {"", "abcdefghijklmnopqrstuvwxyz", u"c3fcd3d76192e4007dfb496cca67e13b"},
    {"", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     u"d174ab98d277d9f5a5611c2c9f419d9f"},
    {"",
     "1234567890123456789012345678901234567890123456789012345678901234567890123456789"
     "0",
     u"57edf4a22be3c955ac49da2e2107b67a"},
};

inline const std::string kLongKeyMessage1 =
    "Test Using Larger Than Block-Size Key - Hash Key First";
inline const std::string kLongKeyMessage2 =
    "Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data";

inline const std::vector<DigestVector> kHmacMd5Vectors = {
    {std::string(16, '\x0b'), "Hi There", u"9294727a3638bb1c13f48ef8158bfc9d"},
    {"Jefe", "what do ya want for nothing?", u"750c783e6ab0b503eaa86e310a5db738"},
    {std::string(16, '\xaa'), std::string(50, '\xdd'), u"56be34521d144c88dbb8c733f0e8b3f6"},
    {bytesFrom1To25(), std::string(50, '\xcd'), u"697eaf0aca3a3aea3a75164746ffaa79"},
    {std::string(16, '\x0c'), "Test With Truncation", u"56461ef2342edc00f9bab995690efd4c"},
    {std::string(80, '\xaa'), kLongKeyMessage1, u"6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd"},
    {std::string(80, '\xaa'), kLongKeyMessage2, u"6f630fad67cda0ee1fb1f562db3aa53e"},
};

inline const std::vector<DigestVector> kHmacSha1Vectors = {
    {std::string(20, '\x0b'), "Hi There", u"b617318655057264e28bc0b6fb378c8ef146be00"},
    {"Jefe", "what do ya want for nothing?", u"effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
    {std::string(20, '\xaa'), std::string(50, '\xdd'), u"125d7342b9ac11cd91a39af48aa17b4f63f175d3"},
    {bytesFrom1To25(), std::string(50, '\xcd'), u"4c9007f4026250c6bc8414f9bf50c86c2d7235da"},
    {std::string(20, '\x0c'), "Test With Truncation", u"4c1a03424b55e07fe7f27be1d58bb9324a9a5a04"},
    {std::string(80, '\xaa'), kLongKeyMessage1, u"aa4ae5e15272d00e95705637ce8a3b55ed402112"},
    {std::string(80, '\xaa'), kLongKeyMessage2, u"e8e99d0f45237d786d6bbaa7965c7808bbff1a91"},
};

// Passwords whose bytes are the same under Windows-1251 on every platform.
struct KeySetVector {
    std::u16string password;
    KeySet keys;
};

inline const std::vector<KeySetVector> kKeySetVectors = {
    {u"password",
     {265823410822601203, 152901574, 3287075738967834917, -7135600906989572144,
      -7135600906989572042}},
    {u"пароль",
     {761444360058313646, 1264319126, -116950129576433878, 1654661791545695610,
      1654661791545695710}},
    // "№" and the quotes are in the code page; K1 is negative.
    {u"Ключ№1 «x»",
     {-653900666080437027, 38852857821667, 1619675633136627051, -7416881936773887851,
      -7416881936773887802}},
};

} // namespace quivra::crypto::test
