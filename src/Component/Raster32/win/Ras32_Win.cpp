// The Windows part of TCustomBitmap32 (declared in Ras32.h): bitmap resources
// of a module. The packed bitmap of the resource goes through the same
// decoder as every other BMP the bitmap reads.
#include "Component/Raster32/Ras32.h"
#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/win/Classes_Win.h"

namespace {

template <class TName>
TDibImage ReadBitmapResource(NativeUInt Instance, const TName& Name)
{
    TResourceStream Resource(reinterpret_cast<HINSTANCE>(Instance), Name, RT_BITMAP);
    TDibImage Image;
    ReadPackedDib(static_cast<const uint8_t*>(Resource.Memory()), static_cast<size_t>(Resource.Size()), Image);
    return Image;
}

}  // namespace

void TCustomBitmap32::LoadFromResourceID(NativeUInt Instance, Integer ResID)
{
    try {
        AssignDib(ReadBitmapResource(Instance, ResID));
    } catch (...) {
        // Listeners hear of the attempt also when it fails.
        Changed();
        throw;
    }
}

void TCustomBitmap32::LoadFromResourceName(NativeUInt Instance, const String& ResName)
{
    try {
        AssignDib(ReadBitmapResource(Instance, ResName));
    } catch (...) {
        Changed();
        throw;
    }
}
