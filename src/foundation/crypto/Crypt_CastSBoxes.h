// Crypt_CastSBoxes: the eight substitution boxes of CAST-128 (S1..S8 at 0..7).
// CAST-256 uses the first four unchanged.
#pragma once

#include <cstdint>

#include "foundation/crypto/Crypt_Bits.h"

extern const uint32_t CastSBox[8][256];

// The three round functions shared by CAST-128 and CAST-256 (I's bytes from the top).
namespace CastRound {

using CryptBits::Rol32;

inline uint32_t F1(uint32_t D, uint32_t Km, uint32_t Kr)
{
    const uint32_t I = Rol32(Km + D, Kr);
    return ((CastSBox[0][I >> 24] ^ CastSBox[1][(I >> 16) & 0xFF]) - CastSBox[2][(I >> 8) & 0xFF]) +
           CastSBox[3][I & 0xFF];
}

inline uint32_t F2(uint32_t D, uint32_t Km, uint32_t Kr)
{
    const uint32_t I = Rol32(Km ^ D, Kr);
    return ((CastSBox[0][I >> 24] - CastSBox[1][(I >> 16) & 0xFF]) + CastSBox[2][(I >> 8) & 0xFF]) ^
           CastSBox[3][I & 0xFF];
}

inline uint32_t F3(uint32_t D, uint32_t Km, uint32_t Kr)
{
    const uint32_t I = Rol32(Km - D, Kr);
    return ((CastSBox[0][I >> 24] + CastSBox[1][(I >> 16) & 0xFF]) ^ CastSBox[2][(I >> 8) & 0xFF]) -
           CastSBox[3][I & 0xFF];
}

}  // namespace CastRound
