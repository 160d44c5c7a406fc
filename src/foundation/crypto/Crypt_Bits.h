// Crypt_Bits: byte-order loads and stores, rotations, key wiping and the
// UTF-16LE byte view of a text, shared by every unit of the cipher suite.
// Words are assembled byte by byte so that no unaligned or type-punned access
// happens and both builds read the same bytes the same way.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/runtime/System.h"

namespace CryptBits {

inline uint32_t LoadBE32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

inline uint32_t LoadLE32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline uint64_t LoadBE64(const uint8_t* p)
{
    return uint64_t(LoadBE32(p)) << 32 | LoadBE32(p + 4);
}

inline void StoreBE32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

inline void StoreLE32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

inline void StoreBE64(uint8_t* p, uint64_t v)
{
    StoreBE32(p, uint32_t(v >> 32));
    StoreBE32(p + 4, uint32_t(v));
}

// std::rotl takes any count and reduces it modulo 32, so a count of 0 or 32 is defined.
inline uint32_t Rol32(uint32_t x, uint32_t n) { return std::rotl(x, int(n & 31)); }
inline uint32_t Ror32(uint32_t x, uint32_t n) { return std::rotr(x, int(n & 31)); }
inline uint64_t Ror64(uint64_t x, uint32_t n) { return std::rotr(x, int(n & 63)); }

// Overwrites key material through a volatile pointer so that the stores are
// not dropped as dead before the memory is released.
inline void Wipe(void* p, size_t n, uint8_t Value)
{
    volatile uint8_t* q = static_cast<volatile uint8_t*>(p);
    while (n--) *q++ = Value;
}

// The UTF-16LE bytes of a text (two per character, no terminator).
inline AnsiString Utf16LeBytes(const String& s)
{
    AnsiString r(s.size() * 2, '\0');
    for (size_t i = 0; i < s.size(); ++i) {
        r[2 * i] = char(uint8_t(s[i]));
        r[2 * i + 1] = char(uint8_t(s[i] >> 8));
    }
    return r;
}

// The text whose UTF-16LE bytes start at p, Chars characters long.
inline String FromUtf16LeBytes(const uint8_t* p, size_t Chars)
{
    String r(Chars, u'\0');
    for (size_t i = 0; i < Chars; ++i) r[i] = char16_t(p[2 * i] | p[2 * i + 1] << 8);
    return r;
}

// The bytes written in hexadecimal (two digits a byte, either case); for the
// known-answer data of the self-tests.
inline AnsiString HexToBytes(const char* Hex)
{
    auto Digit = [](char c) -> int {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c - 'A' + 10;
    };
    AnsiString r;
    for (; Hex[0] && Hex[1]; Hex += 2) r += char(Digit(Hex[0]) << 4 | Digit(Hex[1]));
    return r;
}

}  // namespace CryptBits
