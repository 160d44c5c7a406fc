// PngEncoder: 8-bit RGB and RGBA PNG files written from rows the caller
// supplies. The rows are filtered row by row (the filter with the smallest
// sum of absolute differences, as common writers choose it) and compressed
// with libdeflate in slices of about 2 MB on every processor; the slices are
// joined into the one zlib stream a PNG holds. The slicing depends only on
// the picture, so the file is the same whatever the number of threads.
// Portable: the picture classes and the image writer save the bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/runtime/SysUtils.h"

// Fills Out with row Y (0 = top) as PNG samples: red, green, blue (and alpha),
// Width x 3 (or x 4) bytes. Called from several threads at once.
using TPngRowReader = std::function<void(Integer Y, uint8_t* Out)>;

// The compression levels: 1 fastest .. 12 smallest; 6 is the default.
constexpr Integer PngFastestLevel = 1;
constexpr Integer PngDefaultLevel = 6;
constexpr Integer PngMaxLevel = 12;

// Receives the file's bytes in order, a chunk at a time.
using TPngSink = std::function<void(const uint8_t* Data, size_t Size)>;

// The whole file to Sink: signature, IHDR, IDAT chunks and IEND. Level is limited to
// 1 .. 12; Threads 0 uses every processor. Raises Exception for a size below 1
// or above 2^31 - 1 and EOutOfMemory when the buffers cannot be had.
// Nothing reaches Sink when the encoding fails.
void EncodePng(Integer Width, Integer Height, bool Alpha, const TPngRowReader& Row, const TPngSink& Sink,
               Integer Level = PngDefaultLevel, Integer Threads = 0);
// The same file in memory.
std::vector<uint8_t> EncodePng(Integer Width, Integer Height, bool Alpha, const TPngRowReader& Row,
                               Integer Level = PngDefaultLevel, Integer Threads = 0);
