#include "Component/Raster32/Ras32_OrdinalMaps.h"

#include "Component/Raster32/Ras32_Backends_Generic.h"
#include "framework/runtime/SysUtils.h"

void TIntegerMap::StoreSize(Integer& Width, Integer& Height, Integer NewWidth, Integer NewHeight)
{
    Int64 Count = static_cast<Int64>(NewWidth) * NewHeight;
    if (Count > MaxBitmapPixels) throw EOutOfMemory(u"Out of memory");
    FBits.resize(static_cast<size_t>(Count));
    TCustomMap::StoreSize(Width, Height, NewWidth, NewHeight);
}

void TIntegerMap::Clear(Integer FillValue)
{
    if (!FBits.empty())
        FillDwords(reinterpret_cast<Cardinal*>(FBits.data()), static_cast<Integer>(FBits.size()),
                   static_cast<Cardinal>(FillValue));
    Changed();
}
