// ColorQuantizer: reduces 32-bit pixels to a palette of at most 256 colours
// and maps pixels onto a palette, with or without Floyd-Steinberg error
// diffusion. Used by the indexed bitmap formats and the GIF writer.
//
// Pixels and palette entries are 0xAARRGGBB values (in memory the bytes blue,
// green, red, alpha); the alpha byte is ignored throughout.
#pragma once

#include <vector>

#include "framework/runtime/System.h"

// A palette of at most MaxColors (1..256) entries for the pixels. Pictures with
// no more distinct colours than that get exactly those colours (in ascending
// order); others get the means of boxes of a median cut that splits, each time,
// the box with the largest squared error where the split lowers it most, then
// a few rounds of moving each colour to the mean of the pixels nearest to it.
std::vector<uint32_t> QuantizePalette(const uint32_t* Pixels, size_t Count, Integer MaxColors);

// Writes for each of the Width x Height pixels (rows top to bottom, no gaps)
// the index of the nearest palette colour. With Dither, each pixel's error is
// spread over its unvisited neighbours (7/16 ahead, 3/16, 5/16, 1/16 on the
// next row), rows scanned alternately left to right and right to left.
// A pixel whose colour is in the palette always gets that entry.
void MapToPalette(const uint32_t* Pixels, Integer Width, Integer Height, const std::vector<uint32_t>& Palette,
                  bool Dither, uint8_t* Indexes);
