// HyMediaPack_Win: the platform's side of the media packs. Its decoder reads
// JPEG pictures with the platform's JPEG picture, BMP files through a
// platform bitmap, and everything GDI+ reads; the pictures it makes are
// TBitmap32 objects. InstallMediaPackPlatform (start-up) installs the decoder
// for the media pack loaders and sends stock-content errors to the debugger's
// output.
#pragma once

#include "foundation/HyMediaPack.h"

class TPlatformMediaDecoder : public TMediaPictureDecoder {
public:
    // A TBitmap32.
    std::unique_ptr<TCustomBitmap32> NewBitmap() override;
    std::unique_ptr<TCustomBitmap32> Decode(TMediaPicture Kind, const uint8_t* Data, size_t Size) override;
};

// The decoder this unit installs.
TPlatformMediaDecoder& PlatformMediaDecoder();

// Start-up: the raster engine's platform side, then this unit's decoder and
// the debugger as the stock-content log. A second call does nothing.
void InstallMediaPackPlatform();
