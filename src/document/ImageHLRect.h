// ImageHLRect: the highlighter object (TImgHLRect): a block of the fill
// colour combined with the picture under it by the "Multiply" blend, so that
// it tints like a marker pen; the pixels under it keep their alpha.
#pragma once

#include "document/ImgShape.h"

class TImgHLRect : public TImgShape {
public:
    TImgHLRect(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    String ClassName() const override { return u"TImgHLRect"; }

    void Draw(TCustomBitmap32* ToBitmap) override;
    TRect PictureBounds() override;
    void MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;

    // Sizes the colour block to the rectangle (the part of it over ToBitmap), sets its master alpha to the
    // opacity and fills it with the fill colour.
    void DrawPrepare(TCustomBitmap32* ToBitmap);
    TCustomBitmap32* TmpBmp() const { return FTmpBmp.get(); }

private:
    TRect BlockRect(TCustomBitmap32* ToBitmap) const;

    std::unique_ptr<TCustomBitmap32> FTmpBmp;
};
