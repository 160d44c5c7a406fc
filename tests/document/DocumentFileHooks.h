// The platform's side of document files where there is no platform: kept
// original files are decoded as the BMP files the tests and fuzz targets
// write (anything else decodes to an empty picture).
#pragma once

#include <memory>

#include "Component/Raster32/Ras32.h"

inline std::unique_ptr<TCustomBitmap32> DecodeBmpPicture(TMemoryStream& Bytes)
{
    auto B = std::make_unique<TCustomBitmap32>();
    try {
        B->LoadFromStream(&Bytes);
    } catch (const Exception&) {
        B->SetSize(0, 0);
    }
    return B;
}
