// HyStrUtils: text routines without state: choice by condition, searching,
// counting, splitting, padding, number lists and random texts.
#pragma once

#include <cstdint>
#include <string>

// Count random characters from "0"-"9" (Flags bit 0), "A"-"Z" (bit 1) and
// "a"-"z" (bit 2); Flags 0 allows all three. Each thread draws from its own
// generator, seeded once from the system's entropy source, so salts made at
// the same moment on different threads (or in one clock tick) differ.
std::string RandomStr(int32_t Count, int32_t Flags);
