// ImageDrawHooks: what the document engine takes from units beside or above
// it (the platform's picture decoder and writer, the memory probe), installed
// at start-up. A header of its own, so that the drawn objects' units reach the
// picture decoder without the document's header.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32.h"
#include "foundation/HyFileUtils_ImageInfo.h"

class TImageDraw;
class TStream;
class TMemoryStream;

// What the document takes from units beside or above it, installed at start-up.
struct TImageDrawHooks {
    // Decodes an image file; an empty bitmap when nothing decodes. Unset:
    // every picture counts as undecodable.
    std::unique_ptr<TCustomBitmap32> (*LoadPicture)(const String& FileName) = nullptr;
    // Stand-ins for the document's own readers, for tests that hand the
    // constructor a document of their own making: a document stream into the
    // document (tables, selections, original image, raster, objects), and the
    // image's document file (false without one). Unset, as in the program:
    // the constructor calls TImageDraw::LoadDocumentStream and LoadSidecar.
    void (*ReadDocumentStream)(TImageDraw& Document, TStream& Stream) = nullptr;
    bool (*ReadSidecar)(TImageDraw& Document) = nullptr;
    // The physical memory available now, in bytes (undo drops old states
    // when it runs low). Unset: memory counts as plentiful.
    UInt64 (*AvailPhysMemory)() = nullptr;

    // ---- The document file and stream (ImageDraw_File.cpp) ----
    // Writes Bitmap as an image file by Format with the image writer's
    // parameter (BMP bits, PNG -1 with alpha, JPEG quality step, GIF unused);
    // raises on any failure. Unset: no image file can be written.
    void (*SaveImageFile)(TCustomBitmap32* Bitmap, const String& FileName, TImageFormat Format,
                          Integer Param) = nullptr;
    // Decodes the bytes of an image file; an empty bitmap when nothing
    // decodes. Unset: kept original files are not decoded.
    std::unique_ptr<TCustomBitmap32> (*DecodePicture)(TMemoryStream& Bytes) = nullptr;
    // The byte size of Bitmap (opaque) encoded as JPEG at Quality 0..100, -1
    // when it cannot be encoded. Unset: sizes read -1.
    Int64 (*JpegSize)(TCustomBitmap32* Bitmap, Integer Quality) = nullptr;
};
inline TImageDrawHooks ImageDrawHooks;
