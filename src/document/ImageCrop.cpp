#include "document/ImageCrop.h"

#include "document/ImageControlLayer.h"
#include "filters/HyRas32Filters.h"
#include "framework/runtime/SysUtils.h"

namespace {
constexpr Integer HandleSize = 6;
// A side must be longer than this for its middle handles to be told from the corners.
constexpr Integer MiddleHandleMinLength = 20;
constexpr Integer LabelFontSize = 9;
constexpr Integer LabelBoxHeight = 14;
constexpr TColor32 Black = 0xFF000000, White = 0xFFFFFFFF, PreviewFill = 0xFFFFFFB4;
constexpr Integer DimBrightness = -50;
}  // namespace

String CropRateName(Integer CropRateIndex)
{
    static const char16_t* const Names[] = {u"W:H", u"1:1", u"2:3", u"3:4", u"4:5",
                                            u"5:7", u"3:2", u"4:3", u"16:9", u"16:10"};
    return CropRateIndex >= 0 && CropRateIndex <= 9 ? String(Names[CropRateIndex]) : String();
}

TImgCrop::TImgCrop(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : TImgShape(AOwner, ShapeId, ABitmap), FAdjustSrcBmp(std::make_unique<TCustomBitmap32>())
{
    FShapeType = shCrop;
    FControlMode = 3;
}

TImgCrop::~TImgCrop() = default;

Single TImgCrop::FixedRate() const { return FParent ? FParent->CropFixedRate() : -1.0f; }

void TImgCrop::MakeAdjustSrcBmp(TCustomBitmap32* Src)
{
    FAdjustSrcBmp->Assign(Src);
    if (!FAdjustSrcBmp->Empty()) AdjustBrightness(FAdjustSrcBmp.get(), DimBrightness);
}

void TImgCrop::Draw(TCustomBitmap32* ToBitmap) { DrawDo(FRect, true, ToBitmap); }

void TImgCrop::DrawDo(const TRect& ARect, bool IsDrawStyle, TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Dst = ToBitmap ? ToBitmap : FBitmap;
    if (!Dst) return;
    const TRect& R = ARect;
    if (IsDrawStyle && FStyleId == 0) Dst->FillRectS(R, PreviewFill);
    if (FStyleId == 1) {
        Dst->SetStipple({Black, Black, Black, White, White, White});
        Dst->SetStippleStep(1);
        Dst->MoveToF(static_cast<Single>(R.Left), static_cast<Single>(R.Top));
        Dst->LineToFSP(static_cast<Single>(R.Right - 1), static_cast<Single>(R.Top));
        Dst->LineToFSP(static_cast<Single>(R.Right - 1), static_cast<Single>(R.Bottom - 1));
        Dst->LineToFSP(static_cast<Single>(R.Left), static_cast<Single>(R.Bottom - 1));
        Dst->LineToFSP(static_cast<Single>(R.Left), static_cast<Single>(R.Top));
    }
    const Integer s = HandleSize;
    FCtrRect[1] = TRect{R.Left - s, R.Top - s, R.Left, R.Top};
    FCtrRect[2] = TRect{R.Right, R.Top - s, R.Right + s, R.Top};
    FCtrRect[3] = TRect{R.Right, R.Bottom, R.Right + s, R.Bottom + s};
    FCtrRect[4] = TRect{R.Left - s, R.Bottom, R.Left, R.Bottom + s};
    for (Integer i = 5; i <= 8; ++i) FCtrRect[i] = TRect{};
    if (!IsDrawStyle && FixedRate() == -1) {
        // A held ratio leaves only the corners to drag.
        const Integer W = R.Right - R.Left, H = R.Bottom - R.Top;
        if (W > MiddleHandleMinLength) {
            const Integer x = R.Left + (W - s) / 2;
            FCtrRect[5] = TRect{x, R.Top - s, x + s, R.Top};
            FCtrRect[6] = TRect{x, R.Bottom, x + s, R.Bottom + s};
        }
        if (H > MiddleHandleMinLength) {
            const Integer y = R.Top + (H - s) / 2;
            FCtrRect[7] = TRect{R.Left - s, y, R.Left, y + s};
            FCtrRect[8] = TRect{R.Right, y, R.Right + s, y + s};
        }
    }
    for (Integer i = 1; i <= 8; ++i) {
        const TRect& H = FCtrRect[i];
        if (H.Right <= H.Left || H.Bottom <= H.Top) continue;
        if (FStyleId == 0) {
            Dst->FillRectS(H, White);
            Dst->FrameRectS(H, Black);
        } else {
            Dst->FillRectS(H, Black);
        }
    }
}

String TImgCrop::LabelText() const
{
    String Text = IntToStr(Width()) + u" \u00D7 " + IntToStr(Height());
    const String Name = CropRateName(FParent ? FParent->CropRateIndex() : -1);
    if (!Name.empty()) Text += u"   " + Name;
    return Text;
}

void TImgCrop::DrawControlPoint(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Dst = ToBitmap ? ToBitmap : FBitmap;
    if (!Dst || Width() == 0 || Height() == 0) return;
    TRect R;
    GetViewRect(false, R);
    const String Text = LabelText();
    const Integer TextW = ControlLayerHooks.MeasureText ? ControlLayerHooks.MeasureText(*Dst, Text, LabelFontSize) : 0;
    // Near the top edge the label would be cut off above the frame: it goes inside.
    const Integer y = R.Top <= 20 ? R.Top + 4 : R.Top - 17;
    Dst->FillRectS(R.Left + 5, y, R.Left + 10 + TextW, y + LabelBoxHeight, White);
    if (ControlLayerHooks.WriteText) ControlLayerHooks.WriteText(*Dst, R.Left + 8, y, Text, LabelFontSize);
    DrawDo(R, false, Dst);
}

void TImgCrop::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::MoveShape(X1, Y1, X2, Y2);
    FStartX = X2;
    FStartY = Y2;
}
