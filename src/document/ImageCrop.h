// ImageCrop: the crop frame (TImgCrop), a rectangle the user drags and sizes
// over the image, optionally held to an aspect ratio, with a size label and
// eight handles. Composition shows the raster dimmed outside a style-0 frame
// (from the darkened copy the frame keeps) and never draws the frame itself;
// the document cuts the raster to it (TImageDraw::Crop).
#pragma once

#include <memory>

#include "document/ImgShape.h"

// The name of the ratio preset CropRateIndex in the size label; empty for
// -1 and any value without a preset.
String CropRateName(Integer CropRateIndex);

// What composition needs of a crop object besides TImgShape (the document reads it): the copy of the
// raster darkened when the crop was created, shown outside its frame.
class TCropPicture {
public:
    virtual ~TCropPicture() = default;
    virtual TCustomBitmap32* AdjustSrcBmp() const = 0;
};

class TImgCrop : public TImgShape, public TCropPicture {
public:
    TImgCrop(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    ~TImgCrop() override;
    String ClassName() const override { return u"TImgCrop"; }

    // A stand-alone preview: the frame in its style over SRect.
    void Draw(TCustomBitmap32* ToBitmap) override;
    // The size label, frame and handles in view pixels; nothing while the
    // frame has no width or height.
    void DrawControlPoint(TCustomBitmap32* ToBitmap) override;
    void MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;

    // The frame of ARect in its style and its handles (which it lays out in
    // CtrRect); IsDrawStyle paints a preview (style 0 filled light yellow,
    // no middle handles). A null ToBitmap draws into the object's bitmap.
    void DrawDo(const TRect& ARect, bool IsDrawStyle, TCustomBitmap32* ToBitmap);
    // "W × H", then three spaces and the ratio's name when it has one.
    String LabelText() const;

    // The copy of the raster darkened by brightness -50 (composition's
    // surround); MakeAdjustSrcBmp takes it from Src when the frame is made.
    TCustomBitmap32* AdjustSrcBmp() const override { return FAdjustSrcBmp.get(); }
    void MakeAdjustSrcBmp(TCustomBitmap32* Src);

private:
    Single FixedRate() const;
    std::unique_ptr<TCustomBitmap32> FAdjustSrcBmp;
};
