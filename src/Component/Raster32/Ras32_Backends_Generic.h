// Ras32_Backends_Generic: the plain memory backend, a heap block of
// Width * Height pixels.
#pragma once

#include "Component/Raster32/Ras32.h"

class TMemoryBackend : public TCustomBackend {
public:
    String ClassName() const override { return u"TMemoryBackend"; }

protected:
    ~TMemoryBackend() override = default;
    // New pixels are opaque black when ClearBuffer is set, undefined otherwise.
    // A size whose pixels could not be addressed, or memory that cannot be had,
    // raises EOutOfMemory before anything is allocated.
    void AllocateSurface(Integer NewWidth, Integer NewHeight, bool ClearBuffer) override;
    void ReleaseSurface() override;
};

// The most pixels a bitmap may have: pixel offsets (X + Y * Width) stay
// 32-bit and the block below 2 GB.
constexpr Int64 MaxBitmapPixels = 0x1FFFFFFF;
