#include "Component/Raster32/Ras32_Backends_Generic.h"

#include <new>

#include "framework/runtime/SysUtils.h"

namespace {
// Rows start on cache-line boundaries for the wide row routines.
constexpr std::align_val_t SurfaceAlignment{64};
}  // namespace

void TMemoryBackend::AllocateSurface(Integer NewWidth, Integer NewHeight, bool ClearBuffer)
{
    Int64 Pixels = static_cast<Int64>(NewWidth) * NewHeight;
    if (NewWidth <= 0 || NewHeight <= 0 || Pixels > MaxBitmapPixels) throw EOutOfMemory(u"Out of memory");
    void* Block = ::operator new(static_cast<size_t>(Pixels) * sizeof(TColor32), SurfaceAlignment, std::nothrow);
    if (!Block) throw EOutOfMemory(u"Out of memory");
    FBits = static_cast<PColor32Array>(Block);
    if (ClearBuffer) FillDwords(FBits, static_cast<Integer>(Pixels), 0xFF000000);
}

void TMemoryBackend::ReleaseSurface()
{
    if (FBits) ::operator delete(FBits, SurfaceAlignment);
    FBits = nullptr;
}
