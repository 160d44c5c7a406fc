// The document the Windows drag benchmarks compose: a raster of colour bands
// under a grid of rectangles, half of them with a blurred shadow, seen
// through a view without a window.
#pragma once

#include <memory>
#include <vector>

#include "document/ImageRectangle.h"
#include "document/ObjectKinds.h"
#include "document/ObjectRows.h"
#include "document/win/ImageDraw_Win.h"

// A 1280 x 800 viewport showing the picture from (X, Y).
class TOffscreenView : public TImageDrawView {
public:
    TOffscreenView(Integer X, Integer Y) : FX(X), FY(Y) {}
    TLayerCollection* Layers() override { return &FLayers; }
    TCustomBitmap32* Bitmap() override { return &FBitmap; }
    Single OffsetHorz() override { return static_cast<Single>(-FX); }
    Single OffsetVert() override { return static_cast<Single>(-FY); }
    TRect GetViewportRect() override { return TRect{0, 0, 1280, 800}; }

private:
    Integer FX, FY;
    TLayerCollection FLayers{nullptr};
    TCustomBitmap32 FBitmap;
};

// A raster with some content: bands of colour over the whole W x H.
inline void FillBands(TImageDraw& Doc, Integer W, Integer H)
{
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x)
            Doc.SrcBmp()->SetPixel(x, y, 0xFF000000 | (static_cast<TColor32>(x * 255 / W) << 16) |
                                             (static_cast<TColor32>(y * 255 / H) << 8) | 0x60);
}

// Count rectangles of Size, ten to a row from Origin at Pitch apart, every style in turn; the
// even ones have a blurred shadow. The document owns them through their rows.
inline std::vector<TImgRectangle*> AddRectangleGrid(TImageDraw& Doc, Integer Count, TPoint Origin, TPoint Pitch,
                                                    TPoint Size)
{
    std::vector<TImgRectangle*> Shapes;
    for (Integer I = 0; I < Count; ++I) {
        TRow* Row = Doc.DT()->AddItem(u",,,,,,,,,,,,,");
        Row->GetItem(ObjCol::Id)->SetValue(I + 1);
        Row->GetItem(ObjCol::Kind)->SetValue(shRectangle);
        auto S = std::make_unique<TImgRectangle>(&Doc, I + 1, nullptr);
        const Integer X = Origin.X + (I % 10) * Pitch.X, Y = Origin.Y + (I / 10) * Pitch.Y;
        S->SetStyleId(I % 12);
        S->SetSRect({X, Y, X + Size.X, Y + Size.Y});
        S->CalcCenterPoint();
        S->InitPoints(false);
        S->CalcPoints(true);
        S->SetIsFill(true);
        S->SetIsOutline(true);
        S->SetOutWidth(3);
        S->SetColor(0x202020);
        S->SetFillColor(0x3060F0 + I * 0x010203);
        S->SetOpacity(230);
        S->SetAntialias(false);  // Wine draws no anti-aliasing either way
        if (I % 2 == 0) {
            S->SetShadowMode(0);
            S->SetShadowColor(0);
            S->SetShadowOpacity(160);
            S->SetShadowDistance(12);
            S->SetShadowAngle(45);
            S->SetShadowBlurSize(3);
        }
        S->SetCreating(false);
        Shapes.push_back(S.get());
        Row->Data().Own(std::move(S));
    }
    return Shapes;
}
