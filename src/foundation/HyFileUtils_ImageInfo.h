// HyFileUtils_ImageInfo: what the image-file routines know about a picture
// file without decoding it: its kind by extension, the size its header
// claims, and the size a picture takes in a box. Portable; the decoders and
// writers over GDI+ and the picture classes are in HyFileUtils_Image.
#pragma once

#include "framework/runtime/Classes.h"

class TCustomBitmap32;

// Image file kinds. The values are stored in documents and passed between
// subsystems: never reorder them.
enum TImageFormat : Byte { ifBmp, ifPng, ifJpg, ifGif, ifUnknown, ifWmf, ifEmf, ifTiff, ifIco };

// The largest picture the document takes: the open command and the document
// engine refuse larger ones with a message that names the size. The decoders
// themselves apply no such limit.
constexpr Int64 MaxImagePixels = 30000000;
// The largest picture a decoder makes: 256 MB of pixels at 4 bytes a pixel,
// one block that a 32-bit process can count on finding beside the decoder's
// own rows and the program; larger ones are refused from the header.
constexpr Int64 MaxBitmapPixels = Int64(1) << 26;

// Why a picture file gave no picture, for the callers' messages.
enum TImageLoadResult : Byte {
    ilrLoaded,       // decoded
    ilrMissing,      // the file does not exist or cannot be opened
    ilrDamaged,      // a known kind whose data cannot be decoded
    ilrTooLarge,     // the claimed size cannot be held in memory
    ilrUnsupported,  // no decoder knows the data
};
// What a decoder found: the result and the size the file claims (0 x 0 when
// not even a header was read), given also when decoding was refused.
struct TImageLoadStatus {
    TImageLoadResult Result = ilrMissing;
    Int64 Width = 0;
    Int64 Height = 0;
};

// By the extension, without regard to case: ".bmp", ".png", ".jpg"/".jpe"/
// ".jpeg", ".gif", ".emf", ".tif"/".tiff"; anything else (".wmf" and ".ico"
// too) is ifUnknown.
TImageFormat GetImageTypeByExt(const String& FileName);
// The extension text of Format without a dot ("bmp", "png", "jpg", "gif", "",
// "wmf", "emf", "tiff", "ico"). Only the low 7 bits of Format count; a value
// above 8 leaves Ext as it was.
void GetImageTypeExt(Byte Format, String& Ext);

// The size that fits W x H into BoxW x BoxH keeping the aspect ratio, never
// larger than the picture and at least 1 x 1. The quotient is taken first and
// then multiplied, then truncated.
void FitSize(Integer W, Integer H, Integer BoxW, Integer BoxH, Integer& NewW, Integer& NewH);
// Dst := Src shrunk with ResizeBitmap to the FitSize of the box when Src is
// wider or taller than the box, else a copy of Src. Always true.
bool FitBitmap32(TCustomBitmap32* Src, TCustomBitmap32* Dst, Integer BoxW, Integer BoxH);

// True when a picture of W x H pixels can be decoded into a bitmap: both
// sides above 0 and at most MaxBitmapPixels pixels (checked without overflow).
bool ImageSizeAllocatable(Int64 W, Int64 H);

// What a picture file's header says, read without decoding anything.
struct TImageHeader {
    TImageFormat Format = ifUnknown;  // by the signature: ifBmp, ifPng, ifJpg, ifGif or ifTiff
    Int64 Width = 0;                  // the size the header claims
    Int64 Height = 0;
    Integer Components = 0;           // JPEG: components of the frame (1 grey, 3 colour, 4 CMYK)
};

// Reads the header of a BMP, PNG, JPEG, GIF or TIFF picture from the
// stream's position (for a GIF the size is the larger of the logical screen
// and the first frame). False when the data is none of those or ends before
// the size. Leaves the position anywhere.
bool ReadImageHeader(TStream* Stream, TImageHeader& Header);
// The same for a file; false when it cannot be opened.
bool ReadImageFileHeader(const String& FileName, TImageHeader& Header);
