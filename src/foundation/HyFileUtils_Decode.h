// HyFileUtils_Decode: the portable decoders of the image-file routines. PNG
// is read by libpng straight into the bitmap's rows, GIF (its first frame) by
// giflib, BMP by the framework's BMP reader. Each reports the bit-depth code
// and alpha flag of the pixel format the file really holds (the codes of the
// platform decoder's pixel-format table, so that a picture saved again at the
// depth it was read with keeps it). Files are hostile: every size is checked
// against the data, and only what a bitmap can hold is decoded.
#pragma once

#include "Component/Raster32/Ras32.h"
#include "foundation/HyFileUtils_ImageInfo.h"

// Sizes Bitmap to W x H (emptied first): ilrLoaded, or ilrTooLarge when a
// bitmap cannot hold that size or the memory cannot be had.
TImageLoadResult AllocateBitmap(TCustomBitmap32* Bitmap, Int64 W, Int64 H);

// Each decoder reads one picture from the stream's position into Bitmap.
// ilrLoaded: Bitmap holds the pixels as straight ARGB and HasAlpha and
// BitDepth are set; any other result: Bitmap is empty, HasAlpha and BitDepth
// are untouched. Never raises for bad data.

// PNG, any colour type, depth and interlacing. Depth codes: palette and grey
// 1, 4 (2- and 4-bit), 8; 16-bit grey 16; RGB 24; 16-bit RGB 32; alpha
// channel or transparent colour 32 with HasAlpha (a palette's transparent
// entries make pixels transparent without HasAlpha, as indexed formats do).
TImageLoadResult DecodePng(TStream* Stream, TCustomBitmap32* Bitmap, bool& HasAlpha, Integer& BitDepth);
// The PNG shrunk while it is read, by the largest whole factor that keeps it
// at least MinW x MinH (each output pixel is the alpha-weighted mean of its
// block), so that only a row of the full picture is ever held. An interlaced
// PNG is decoded whole. Width and Height receive the full size when the
// header was read (also when decoding then fails).
TImageLoadResult DecodePngReduced(TStream* Stream, Integer MinW, Integer MinH, TCustomBitmap32* Bitmap,
                                  Int64& Width, Int64& Height);
// GIF: the first frame on the logical screen (enlarged to hold the frame);
// the frames after it are not read, so damage there does not matter. Pixels
// of the transparent index and outside the frame have alpha 0. Depth 8,
// HasAlpha false (an indexed format).
TImageLoadResult DecodeGif(TStream* Stream, TCustomBitmap32* Bitmap, bool& HasAlpha, Integer& BitDepth);
// BMP, every header version and layout the BMP reader takes. Depth: the
// file's bits per pixel (RLE8 8, 5-6-5 16); alpha only where the header's
// masks hold it (V4 and V5 headers, bit fields), then depth 32 and HasAlpha.
// 32-bit pixels without an alpha mask are opaque.
TImageLoadResult DecodeBmp(TStream* Stream, TCustomBitmap32* Bitmap, bool& HasAlpha, Integer& BitDepth);
