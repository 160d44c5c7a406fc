// ImageSmall: the picture object (TImgSmall), a bitmap placed on the document
// that is stretched to its rectangle, turned about its centre and blended
// with its opacity; the document's watermark layer places one too.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32_Transforms.h"
#include "document/ImgShape.h"

class TImgSmall : public TImgShape {
public:
    TImgSmall(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    ~TImgSmall() override;
    String ClassName() const override { return u"TImgSmall"; }

    void Draw(TCustomBitmap32* ToBitmap) override;
    TRect PictureBounds() override;
    bool PtInShape(Integer X, Integer Y) override;
    void AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;
    void MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;

    // While Changed2: FTmpBmp becomes the picture stretched to the object
    // rectangle, with the opacity as master alpha.
    void DrawPrepare();
    // The prepared picture with its top-left at (X, Y), turned about its own
    // centre; AlphaValue >= 0 becomes the master alpha first (and stays).
    void DrawByRect(TCustomBitmap32* DstBmp, Integer X, Integer Y, Integer AlphaValue);
    // The bounds of the picture as drawn at FRect (turned when Angle is not 0).
    TRect GetMaxRect();
    // Rotation about the centre of R (only when Angle is not 0).
    void PrepareTransformation(const TRect& R);
    Integer GetSrcWidth() const { return FSrcBmp->Width(); }
    Integer GetSrcHeight() const { return FSrcBmp->Height(); }

    TCustomBitmap32* SrcBmp() const { return FSrcBmp.get(); }
    TCustomBitmap32* TmpBmp() const { return FTmpBmp.get(); }
    const TRect& MaxRect() const { return FMaxRect; }

private:
    // The rounded transformed bounds of the transformation's source rectangle.
    TRect TransformedBounds();

    std::unique_ptr<TCustomBitmap32> FSrcBmp;
    std::unique_ptr<TCustomBitmap32> FTmpBmp;
    std::unique_ptr<TAffineTransformation> FTransformation;
    TRect FMaxRect;
};
