// The table text reader under arbitrary input: shared by the libFuzzer target
// (fuzz_TableText, clang host build) and the corpus-replay test that runs in
// every build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Runs one input; returns an empty text, or what went wrong.
std::string FuzzTableText(const uint8_t* Data, size_t Size);
