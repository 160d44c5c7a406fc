// BmpFormat: the pixel layouts of device-independent bitmaps and the BMP file
// format that stores them. Reading accepts every common variant (1, 4, 8, 16,
// 24 and 32 bits per pixel, RLE4 and RLE8, bit fields, bottom-up and top-down
// rows, 40- to 124-byte headers); writing produces a plain BMP of the image's
// own layout. Portable: the picture classes put the result into a GDI bitmap.
#pragma once

#include <vector>

#include "framework/runtime/Classes.h"

// Pixel layouts. pfDevice and pfCustom are kept as 32 bits per pixel.
// pf15bit is 5-5-5 and pf16bit 5-6-5 (red in the high bits of the 16-bit word).
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// The most pixels a decoder of the framework accepts in one picture (256 MB
// at 4 bytes a pixel, what a 32-bit process can count on holding in one
// block); larger ones are refused before anything is allocated.
constexpr uint64_t MaxPicturePixels = uint64_t(1) << 26;

Integer PixelFormatBits(TPixelFormat Format);
bool IsIndexedFormat(TPixelFormat Format);  // pf1bit, pf4bit, pf8bit
// Bytes of one row: whole 32-bit words.
Integer BytesPerScanline(Integer Width, Integer BitCount);

// A picture in one of the layouts: rows top to bottom, each BytesPerScanline
// long (the layout of a top-down DIB section). Indexed layouts carry a palette
// of 0x00RRGGBB entries, at most 2^bits of them.
struct TDibImage {
    Integer Width = 0;
    Integer Height = 0;
    TPixelFormat PixelFormat = pf24bit;
    std::vector<uint32_t> Palette;
    std::vector<uint8_t> Bits;
    // What a file read into the image stored: its bits per pixel, and whether
    // its bit-field masks include alpha (0 and false for images made here).
    Integer FileBitCount = 0;
    bool FileAlpha = false;

    Integer Stride() const { return BytesPerScanline(Width, PixelFormatBits(PixelFormat)); }
    uint8_t* ScanLine(Integer Y) { return Bits.data() + static_cast<size_t>(Y) * Stride(); }
    const uint8_t* ScanLine(Integer Y) const { return Bits.data() + static_cast<size_t>(Y) * Stride(); }
    bool Empty() const { return Width <= 0 || Height <= 0; }
    // Sizes Bits for Width x Height (zero-filled).
    void Allocate(Integer AWidth, Integer AHeight, TPixelFormat AFormat);
};

// Reads the BMP file that starts at the stream's position and leaves the
// position at its end: the size its file header gives, or where its pixels end
// when that size is too small or runs past the stream. Raises EInvalidGraphic
// for anything that is not a readable BMP, including pixels the stream does
// not hold. Layouts: 1, 4, 8 bits (and RLE4, RLE8) keep their indexes and
// palette; 16 bits 5-5-5 or 5-6-5, 24 and 32 bits (with the standard masks)
// keep their bytes; other bit fields become pf32bit, with 255 as alpha unless
// the header has an alpha mask.
void ReadBmp(TStream* Stream, TDibImage& Image);
// The same for a packed DIB (header, masks, colour table and pixels without the
// file header), as in bitmap resources and on the clipboard.
void ReadPackedDib(const uint8_t* Data, size_t Size, TDibImage& Image);

// Writes a complete BMP: file header, 40-byte header (5-6-5 masks for
// pf16bit), the palette of an indexed image, rows bottom-up.
void WriteBmp(TStream* Stream, const TDibImage& Image);
// The same without the file header.
std::vector<uint8_t> MakePackedDib(const TDibImage& Image);

// Width pixels of a row in Format to 0xAARRGGBB; formats without alpha give 255.
void DecodeScanline(const uint8_t* Src, TPixelFormat Format, const std::vector<uint32_t>& Palette, Integer Width,
                    uint32_t* Dst);
// Width 0xAARRGGBB pixels to a row of a non-indexed Format.
void EncodeScanline(const uint32_t* Src, TPixelFormat Format, Integer Width, uint8_t* Dst);
// Width palette indexes to a row of an indexed Format.
void PackIndexes(const uint8_t* Indexes, TPixelFormat Format, Integer Width, uint8_t* Dst);

// The image in another layout. Reducing to an indexed layout picks an optimal
// palette for the picture (its own colours when they fit) and spreads the
// rounding error (Floyd-Steinberg); pf1bit uses black and white. Alpha becomes
// 255 when a layout without alpha turns into pf32bit.
TDibImage ConvertDib(const TDibImage& Src, TPixelFormat NewFormat);

// A default palette for a new indexed image: black and white, the 16 VGA
// colours, or a 6x6x6 colour cube followed by 40 greys.
std::vector<uint32_t> DefaultPalette(TPixelFormat Format);
