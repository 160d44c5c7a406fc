// Ras32_OrdinalMaps: a width x height map of 32-bit integers (the kernel
// resampler's weight table).
#pragma once

#include <vector>

#include "Component/Raster32/Ras32.h"

class TIntegerMap : public TCustomMap {
public:
    TIntegerMap() = default;
    TIntegerMap(Integer Width, Integer Height) { SetSize(Width, Height); }
    String ClassName() const override { return u"TIntegerMap"; }

    // Entry (X, Y) is Bits()[Y * Width() + X]; nil when the map is empty.
    Integer* Bits() { return FBits.empty() ? nullptr : FBits.data(); }
    const Integer* Bits() const { return FBits.empty() ? nullptr : FBits.data(); }
    Integer Value(Integer X, Integer Y) const { return FBits[static_cast<size_t>(Y) * FWidth + X]; }
    void SetValue(Integer X, Integer Y, Integer V) { FBits[static_cast<size_t>(Y) * FWidth + X] = V; }
    Integer* ValPtr(Integer X, Integer Y) { return &FBits[static_cast<size_t>(Y) * FWidth + X]; }

    // Every entry := FillValue, then Changed.
    void Clear(Integer FillValue);
    bool Empty() const override { return FBits.empty(); }

protected:
    // Entries keep their index; entries beyond the old length are 0. A size
    // whose entries cannot be addressed raises EOutOfMemory.
    void StoreSize(Integer& Width, Integer& Height, Integer NewWidth, Integer NewHeight) override;

private:
    std::vector<Integer> FBits;
};
