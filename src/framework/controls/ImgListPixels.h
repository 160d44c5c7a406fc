// ImgListPixels: the pixel work of the image lists, on 32-bit pixels held as
// 0xAARRGGBB (the byte order of a 32-bit DIB on little-endian machines).
// Portable.
#pragma once

#include <cstddef>
#include <cstdint>

namespace imglist {

// Pixels of colour Rgb (0x00RRGGBB) become fully transparent black; the
// others keep their alpha.
void MaskByColor(uint32_t* Pixels, size_t Count, uint32_t Rgb);
// Every pixel fully opaque (a picture whose fourth byte is not alpha).
void MakeOpaque(uint32_t* Pixels, size_t Count);
// True when some pixel has an alpha other than 0: a picture whose alpha bytes
// are all 0 carries no alpha at all.
bool HasAlpha(const uint32_t* Pixels, size_t Count);
// Premultiplied colours to straight ones, and back. Rounded to nearest.
void Unpremultiply(uint32_t* Pixels, size_t Count);
void Premultiply(uint32_t* Pixels, size_t Count);
// The look of a disabled image, on straight pixels: grey of the same
// lightness, half as opaque.
void DisabledLook(uint32_t* Pixels, size_t Count);

}  // namespace imglist
