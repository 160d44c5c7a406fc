// Ras32_VectorMaps: a width x height field of 16.16 displacement vectors,
// which the warp brush paints into and the remap transformation reads, with
// its mesh file.
#pragma once

#include <vector>

#include "Component/Raster32/Ras32.h"

using TArrayOfFixedVector = std::vector<TFixedPoint>;

enum TVectorCombineMode : Byte { vcmAdd, vcmReplace, vcmCustom };
// How a merged vector F combines with the base vector B; P runs from (-1, -1)
// at the merged area's top-left to (1, 1) at its bottom-right (16.16).
using TVectorCombineEvent = TEvent<TFixedPoint, TFixedPoint, TFixedPoint&>;

// A + (B - A) * W per component (W in 16.16).
TFixedPoint LerpFixedVector(const TFixedPoint& A, const TFixedPoint& B, TFixed W);

class TVectorMap : public TCustomMap {
public:
    TVectorMap() = default;
    ~TVectorMap() override;
    String ClassName() const override { return u"TVectorMap"; }

    // Entry (X, Y) is Vectors()[Y * Width() + X].
    const TArrayOfFixedVector& Vectors() const { return FVectors; }
    TFixedPoint* Bits() { return FVectors.empty() ? nullptr : FVectors.data(); }

    // All vectors (0, 0); no notification.
    void Clear();
    bool Empty() const override;
    TRect BoundsRect() const { return TRect{0, 0, FWidth, FHeight}; }

    TFixedPoint IntVector(Integer X, Integer Y) const { return FVectors[static_cast<size_t>(Y) * FWidth + X]; }
    // (0, 0) outside the map.
    TFixedPoint IntVectorSafe(Integer X, Integer Y) const;
    void SetIntVector(Integer X, Integer Y, const TFixedPoint& V) { FVectors[static_cast<size_t>(Y) * FWidth + X] = V; }
    // Bilinear between the four vectors around (X, Y) (16.16); (0, 0) when the
    // pixel is outside the map, and the last column and row are their own
    // right and lower neighbours.
    TFixedPoint FixedVector(TFixed X, TFixed Y) const;
    // Bilinear with the vectors outside the map counting as (0, 0).
    TFixedPoint FixedVectorSafe(TFixed X, TFixed Y) const;
    TFloatPoint FloatVector(Single X, Single Y) const;

    // Combines SrcRect of Src into this map at (DstLeft, DstTop) by Src's
    // VectorCombineMode. Raises "Src is empty!" / "Base is empty!".
    void Merge(Integer DstLeft, Integer DstTop, TVectorMap* Src, const TRect& SrcRect);
    // The smallest rectangle (Right and Bottom exclusive) holding every
    // non-zero vector; (0, 0, 0, 0) when there is none.
    TRect GetTrimmedBounds() const;

    // The mesh file: a 32-byte header naming the format ("yfqLhseM" in
    // UTF-16), the size, the vectors as pairs of Singles in pixels, 8 zero bytes.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName) const;

    TVectorCombineMode VectorCombineMode() const { return FVectorCombineMode; }
    void SetVectorCombineMode(TVectorCombineMode Value);
    TVectorCombineEvent OnVectorCombine;

protected:
    // Drops the vectors and allocates the new size, all (0, 0). Raises
    // "Can't allocate VectorMap!" for a size that cannot be had.
    void StoreSize(Integer& Width, Integer& Height, Integer NewWidth, Integer NewHeight) override;

private:
    TArrayOfFixedVector FVectors;
    TVectorCombineMode FVectorCombineMode = vcmAdd;
};
