// Known answers shared by the native tests and the tests of the Windows
// build: the published digest vectors (RFC 1321, RFC 2202), PBKDF2-HMAC-SHA256
// and AES-256-GCM vectors, key sets that notes written by earlier versions
// depend on, and a strong cipher token made by another implementation.
#pragma once

#include "crypto/key_set.h"

#include <cstdint>
#include <string>
#include <string_view>
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

inline std::vector<std::uint8_t> bytesFromHex(std::string_view hex) {
    auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(nibble(hex[i]) << 4 | nibble(hex[i + 1])));
    return bytes;
}

// The derived key is as long as `hex` says.
struct Pbkdf2Vector {
    const char* source;
    std::string password;
    std::string salt;
    std::uint32_t iterations;
    std::string hex;
};

inline const std::vector<Pbkdf2Vector> kPbkdf2Sha256Vectors = {
    {"RFC 7914 section 11, first", "passwd", "salt", 1,
     "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
     "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"},
    {"RFC 7914 section 11, second", "Password", "NaCl", 80'000,
     "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
     "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d"},
    // The RFC 6070 inputs with SHA-256, as widely published.
    {"RFC 6070 inputs, c=1", "password", "salt", 1,
     "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"},
    {"RFC 6070 inputs, c=2", "password", "salt", 2,
     "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"},
    {"RFC 6070 inputs, c=4096", "password", "salt", 4096,
     "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"},
    {"RFC 6070 inputs, two blocks", "passwordPASSWORDpassword",
     "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096,
     "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1c635518c7dac47e9"},
    {"RFC 6070 inputs, NUL bytes", std::string("pass\0word", 9), std::string("sa\0lt", 5), 4096,
     "89b69d0516f829893c696226650a8687"},
};

// The 256-bit test cases of McGrew and Viega's GCM specification (also in
// NIST's GCM validation), in hexadecimal.
struct GcmVector {
    int testCase;
    std::string key, nonce, plain, associated, cipherText, tag;
};

inline const std::string kGcmKey =
    "feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308";
inline const std::string kGcmPlain =
    "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a72"
    "1c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de657ba637b391aafd255";
inline const std::string kGcmCipherText =
    "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa"
    "8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a0abcc9f662898015ad";

inline const std::vector<GcmVector> kAes256GcmVectors = {
    {13, std::string(64, '0'), std::string(24, '0'), "", "", "",
     "530f8afbc74536b9a963b4f1c4cb738b"},
    {14, std::string(64, '0'), std::string(24, '0'), std::string(32, '0'), "",
     "cea7403d4d606b6e074ec5d3baf39d18", "d0d1c8a799996bf0265b98b5d48ab919"},
    {15, kGcmKey, "cafebabefacedbaddecaf888", kGcmPlain, "", kGcmCipherText,
     "b094dac5d93471bdec1a502270e3cc6c"},
    {16, kGcmKey, "cafebabefacedbaddecaf888", kGcmPlain.substr(0, 120),
     "feedfacedeadbeeffeedfacedeadbeefabaddad2", kGcmCipherText.substr(0, 120),
     "76fc6ece0f4e1768cddf8853bb2d551b"},
};

// A token written by an independent implementation (Python's hashlib and the
// cryptography package) with the program's 600,000 iterations: salt 00..0f,
// nonce a0..ab. Its text holds a tab, a surrogate pair and a lone surrogate.
struct StrongTokenVector {
    std::u16string password;
    std::u16string token;
    std::u16string text;
};

inline const StrongTokenVector kStrongTokenVector = {
    u"Пароль заметок",
    u"QV1:AAECAwQFBgcICQoLDA0OD6ChoqOkpaanqKmqq9fbMpZKd6CVVBO0jEBoUPTMP9IuCMNmtFZlqNRR77deuP7Tc"
    u"WoeKZ64voViWB7UKYVl",
    u"Ключ: 42\t\U0001F511 \xD800 end",
};

} // namespace quivra::crypto::test
