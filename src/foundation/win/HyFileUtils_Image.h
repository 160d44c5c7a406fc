// HyFileUtils_Image: image files to TBitmap32 pictures and back. JPEG is
// decoded by libjpeg-turbo and PNG, GIF and BMP by the portable decoders of
// HyFileUtils_Decode, each straight into the bitmap and reporting the depth
// code of the file's own pixel format; GDI+ reads the other kinds. One writer
// picks the format by TImageFormat and always writes through a temporary file
// that replaces the target only when complete; JPEG is encoded by
// libjpeg-turbo with the JPEG picture class's settings, and the size
// measurement uses that same encoder. Thumbnails of large JPEG and PNG files
// are decoded reduced. No state: safe on worker threads.
#pragma once

#include <memory>

#include "foundation/HyFileUtils_ImageInfo.h"
#include "framework/runtime/win/WinPlatform.h"
#include "framework/graphics/win/GifImg.h"
#include "gdiplus/win/GdiPlus.h"
#include "Component/Raster32/win/Ras32_GDI.h"

// Decodes the file into a new bitmap. Never raises: a missing, unreadable or
// unsupported file, or one whose size no bitmap can hold, gives an empty
// bitmap, HasAlpha false and BitDepth -1; Status (when given) says which, with
// the size the file claims. No other size limit applies (the callers refuse
// pictures too large for a document). Otherwise BitDepth is the code of the
// file's pixel format (1, 4, 8, 16, 24; 32 for alpha, more than 8 bits a
// colour channel or CMYK) and HasAlpha whether that format holds alpha.
// Pixels arrive as straight ARGB; transparent palette entries stay transparent.
std::unique_ptr<TBitmap32> LoadImageToBitmap32(const String& FileName, bool& HasAlpha, Integer& BitDepth,
                                               TImageLoadStatus* Status = nullptr);
// LoadImageToBitmap32 on a file's bytes already read into memory: the same
// decoders, the same results, no file opened.
std::unique_ptr<TBitmap32> LoadImageBytesToBitmap32(TMemoryStream& Bytes, bool& HasAlpha, Integer& BitDepth,
                                                    TImageLoadStatus* Status = nullptr);
// The pixels of an already decoded GDI+ bitmap. HasAlpha and BitDepth are
// written only when pixels are decoded (the caller sets false and -1 first).
// Takes over the caller's reference to Image.
std::unique_ptr<TBitmap32> GPBitmapToBitmap32(TGPPtr<IGPBitmap> Image, bool& HasAlpha, Integer& BitDepth);
// A 32-bit platform bitmap marked straight alpha (afDefined) holding the
// picture composited over opaque white, every alpha 255, for the clipboard;
// empty when nothing decodes (Status as for LoadImageToBitmap32).
std::unique_ptr<TBitmap> LoadImageToBitmap(const String& FileName, TImageLoadStatus* Status = nullptr);

// Bitmap := a thumbnail of the file fitting BoxW x BoxH, of any size of
// picture; OrigW and OrigH the picture's size (0 when nothing decodes). JPEG
// and PNG files are decoded reduced on both paths; the other kinds the
// program decodes itself are decoded whole and shrunk; for the rest FullLoad
// false asks GDI+ for a quick thumbnail drawn over transparent white. Nothing
// decoded: false and a white BoxW x BoxH bitmap, which with FullLoad carries a
// missing file's name in grey; Status as for LoadImageToBitmap32.
bool LoadThumbnailFile(const String& FileName, TBitmap32* Bitmap, Integer BoxW, Integer BoxH, bool FullLoad,
                       Integer& OrigW, Integer& OrigH, TImageLoadStatus* Status = nullptr);

// Writes Bitmap as FileName in Format; Param by format: ifBmp the bits per
// pixel (1, 4, 8, 16 or 24; anything else 32); ifPng -1 with alpha, anything
// else without; ifJpg the quality step 1..10 (quality Param x 10); ifGif
// unused. Other formats write nothing. Errors of the picture classes and of
// the file pass to the caller; a failed write leaves an existing file as it was.
void SaveBitmap32ToFile(TBitmap32* Bitmap, const String& FileName, TImageFormat Format, Integer Param);
// A one-frame GIF of the bitmap (colours quantised with Floyd-Steinberg
// dithering). Pixels with alpha below AlphaThreshold become transparent
// through a palette index no opaque pixel uses, whose colour is set to
// TransparentColor; without such pixels there is no transparency at all.
std::unique_ptr<TGIFImage> MakeGifImage(TBitmap32* Bitmap, Byte AlphaThreshold, TColor TransparentColor);
// Writes into Stream the JPEG that SaveBitmap32ToFile would write for this
// 24-bit picture at Quality (0..100): the same encoder, so the stream's size
// is the file's size. False on any error (Stream keeps what was written).
bool EncodeBitmapToStream(TBitmap* Bitmap, Integer Quality, IStream* Stream);
