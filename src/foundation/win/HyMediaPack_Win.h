// HyMediaPack_Win: the platform's side of the media packs. Its decoder reads
// JPEG pictures with the platform's JPEG picture, BMP files through a
// platform bitmap, and everything GDI+ reads; the pictures it makes are
// TBitmap32 objects. This unit's start-up code installs the decoder for the
// media pack loaders and sends stock-content errors to the debugger's
// output; lm_foundation_win links it into every program that uses it.
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
