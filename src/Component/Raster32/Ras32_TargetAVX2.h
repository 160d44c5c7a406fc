// Compiles the code between LM_BEGIN_AVX2 and LM_END_AVX2 for AVX2 only, under
// GCC and clang alike. Include every header before LM_BEGIN_AVX2: an inline
// function of a header compiled for AVX2 could serve other code.
#pragma once

#include <immintrin.h>

#if defined(__clang__)
#define LM_BEGIN_AVX2 _Pragma("clang attribute push(__attribute__((target(\"avx2\"))), apply_to = function)")
#define LM_END_AVX2 _Pragma("clang attribute pop")
#else
#define LM_BEGIN_AVX2 _Pragma("GCC push_options") _Pragma("GCC target(\"avx2\")")
#define LM_END_AVX2 _Pragma("GCC pop_options")
#endif
