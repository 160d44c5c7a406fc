// Crypt_PiTable: the first 1042 32-bit words of the fractional part of pi in
// binary (0x243F6A88 0x85A308D3 ...). Blowfish starts its P-array and S-boxes
// from all of them; HAVAL takes its initial state and round constants from
// the first 136.
#pragma once

#include <cstdint>

constexpr int PiFractionWords = 1042;
extern const uint32_t PiFraction[PiFractionWords];
