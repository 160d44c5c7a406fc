// Part of the GDI+ object layer (gdiplus/win/GdiPlus.h).
#include "gdiplus/win/GdiPlus_Private.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// Blends

TGPBlend::TGPBlend(std::span<const Single> Factors, std::span<const Single> Positions)
{
    NotEmpty(Factors);
    GPAssert(Factors.size() == Positions.size());
    FFactors.assign(Factors.begin(), Factors.end());
    FPositions.assign(Positions.begin(), Positions.end());
}

TGPBlend::TGPBlend(Integer Count)
    : FFactors(static_cast<size_t>(std::max(Count, 0))), FPositions(static_cast<size_t>(std::max(Count, 0)))
{
}

bool TGPBlend::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPBlend>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

TGPColorBlend::TGPColorBlend(std::span<const TGPColor> Colors, std::span<const Single> Positions)
{
    NotEmpty(Colors);
    GPAssert(Colors.size() == Positions.size());
    FColors.assign(Colors.begin(), Colors.end());
    FPositions.assign(Positions.begin(), Positions.end());
}

TGPColorBlend::TGPColorBlend(Integer Count)
    : FColors(static_cast<size_t>(std::max(Count, 0))), FPositions(static_cast<size_t>(std::max(Count, 0)))
{
}

bool TGPColorBlend::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPColorBlend>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

namespace {

// The blend a brush reports: GDI+ gives the count, then fills both arrays.
template <class TGetCount, class TGet>
TGPPtr<IGPBlend> ReadBlend(TGetCount GetCount, TGet Get)
{
    INT Count = 0;
    GetCount(&Count);
    auto* Blend = new TGPBlend(Count);
    TGPPtr<IGPBlend> Result(Blend);
    if (Count >= 1) Get(Blend->GetFactors(), Blend->GetPositions(), Count);
    return Result;
}

template <class TGetCount, class TGet>
TGPPtr<IGPColorBlend> ReadColorBlend(TGetCount GetCount, TGet Get)
{
    INT Count = 0;
    GetCount(&Count);
    auto* Blend = new TGPColorBlend(Count);
    TGPPtr<IGPColorBlend> Result(Blend);
    if (Count >= 1) Get(AC(Blend->GetColors()), Blend->GetPositions(), Count);
    return Result;
}


}  // namespace

// ---------------------------------------------------------------------------
// Brushes

TGPBrush::~TGPBrush() { GdipDeleteBrush(Nat<gp::GpBrush>(this)); }

bool TGPBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPBrush>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

Integer IGPBrush::GetBrushType()
{
    gp::BrushType R = static_cast<gp::BrushType>(-1);
    GdipGetBrushType(Nat<gp::GpBrush>(this), &R);
    return R;
}

TGPPtr<IGPBrush> IGPBrush::Clone()
{
    gp::GpBrush* B = nullptr;
    GdipCloneBrush(Nat<gp::GpBrush>(this), &B);
    return TGPPtr<IGPBrush>(new TGPBrush(B));
}

TGPSolidBrush::TGPSolidBrush(TGPColor Color)
{
    gp::GpSolidFill* B = nullptr;
    GdipCreateSolidFill(Color.FArgb, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

bool TGPSolidBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPSolidBrush>(this, IID, Obj) || TGPBrush::GetInterface(IID, Obj);
}

namespace {
// The native brush of a kind (GDI+'s brush classes all derive from GpBrush).
template <class T>
T* BrushOf(IGPBrush* Brush)
{
    return static_cast<T*>(Nat<gp::GpBrush>(Brush));
}
}  // namespace

TGPColor IGPSolidBrush::GetSolidFillColor()
{
    TGPColor R;
    GdipGetSolidFillColor(BrushOf<gp::GpSolidFill>(this), AC(&R));
    return R;
}

TGPStatus IGPSolidBrush::SetSolidFillColor(TGPColor Color)
{
    return GdipSetSolidFillColor(BrushOf<gp::GpSolidFill>(this), Color.FArgb);
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode)
{
    gp::GpTexture* B = nullptr;
    GdipCreateTexture(Nat<gp::GpImage>(Image), WrapMode, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, const TGPRectF& DstRect)
    : TGPTextureBrush(Image, WrapMode, DstRect.X, DstRect.Y, DstRect.Width, DstRect.Height)
{
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, const TGPRect& DstRect)
    : TGPTextureBrush(Image, WrapMode, DstRect.X, DstRect.Y, DstRect.Width, DstRect.Height)
{
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, Single DstX, Single DstY,
                                 Single DstWidth, Single DstHeight)
{
    gp::GpTexture* B = nullptr;
    GdipCreateTexture2(Nat<gp::GpImage>(Image), WrapMode, DstX, DstY, DstWidth, DstHeight, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, Integer DstX, Integer DstY,
                                 Integer DstWidth, Integer DstHeight)
{
    gp::GpTexture* B = nullptr;
    GdipCreateTexture2I(Nat<gp::GpImage>(Image), WrapMode, DstX, DstY, DstWidth, DstHeight, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, const TGPRectF& DstRect,
                                 const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    gp::GpTexture* B = nullptr;
    GdipCreateTextureIA(Nat<gp::GpImage>(Image), Nat<gp::GpImageAttributes>(ImageAttributes), DstRect.X, DstRect.Y,
                        DstRect.Width, DstRect.Height, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, const TGPRect& DstRect,
                                 const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    gp::GpTexture* B = nullptr;
    GdipCreateTextureIAI(Nat<gp::GpImage>(Image), Nat<gp::GpImageAttributes>(ImageAttributes), DstRect.X, DstRect.Y,
                         DstRect.Width, DstRect.Height, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

bool TGPTextureBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPTextureBrush>(this, IID, Obj) || TGPBrush::GetInterface(IID, Obj);
}

TGPStatus IGPTextureBrush::GetTextureTransform(TGPPtr<IGPMatrix>& Matrix)
{
    return ReadTransform(Matrix, [this](gp::GpMatrix* M) { return GdipGetTextureTransform(BrushOf<gp::GpTexture>(this), M); });
}

TGPStatus IGPTextureBrush::SetTextureTransform(const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipSetTextureTransform(BrushOf<gp::GpTexture>(this), Nat<gp::GpMatrix>(Matrix));
}

TGPWrapMode IGPTextureBrush::GetTextureWrapMode()
{
    gp::WrapMode R = WrapModeTile;
    GdipGetTextureWrapMode(BrushOf<gp::GpTexture>(this), &R);
    return R;
}

TGPStatus IGPTextureBrush::SetTextureWrapMode(TGPWrapMode WrapMode)
{
    return GdipSetTextureWrapMode(BrushOf<gp::GpTexture>(this), WrapMode);
}

TGPPtr<IGPImage> IGPTextureBrush::GetTextureImage()
{
    gp::GpImage* I = nullptr;
    GdipGetTextureImage(BrushOf<gp::GpTexture>(this), &I);
    return TGPPtr<IGPImage>(new TGPImage(I));
}

TGPStatus IGPTextureBrush::ResetTextureTransform() { return GdipResetTextureTransform(BrushOf<gp::GpTexture>(this)); }

TGPStatus IGPTextureBrush::MultiplyTextureTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order)
{
    return GdipMultiplyTextureTransform(BrushOf<gp::GpTexture>(this), Nat<gp::GpMatrix>(Matrix), MO(Order));
}

TGPStatus IGPTextureBrush::TranslateTextureTransform(Single DX, Single DY, Integer Order)
{
    return GdipTranslateTextureTransform(BrushOf<gp::GpTexture>(this), DX, DY, MO(Order));
}

TGPStatus IGPTextureBrush::ScaleTextureTransform(Single SX, Single SY, Integer Order)
{
    return GdipScaleTextureTransform(BrushOf<gp::GpTexture>(this), SX, SY, MO(Order));
}

TGPStatus IGPTextureBrush::RotateTextureTransform(Single Angle, Integer Order)
{
    return GdipRotateTextureTransform(BrushOf<gp::GpTexture>(this), Angle, MO(Order));
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& Point1, const TGPPointF& Point2, TGPColor Color1,
                                               TGPColor Color2)
{
    gp::GpLineGradient* B = nullptr;
    GdipCreateLineBrush(PF(&Point1), PF(&Point2), Color1.FArgb, Color2.FArgb, WrapModeTile, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& Point1, const TGPPoint& Point2, TGPColor Color1,
                                               TGPColor Color2)
{
    gp::GpLineGradient* B = nullptr;
    GdipCreateLineBrushI(PI(&Point1), PI(&Point2), Color1.FArgb, Color2.FArgb, WrapModeTile, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& Rect, TGPColor Color1, TGPColor Color2,
                                               TGPLinearGradientMode Mode)
{
    gp::GpLineGradient* B = nullptr;
    GdipCreateLineBrushFromRect(RF(&Rect), Color1.FArgb, Color2.FArgb, Mode, WrapModeTile, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& Rect, TGPColor Color1, TGPColor Color2,
                                               TGPLinearGradientMode Mode)
{
    gp::GpLineGradient* B = nullptr;
    GdipCreateLineBrushFromRectI(RI(&Rect), Color1.FArgb, Color2.FArgb, Mode, WrapModeTile, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& Rect, TGPColor Color1, TGPColor Color2, Single Angle,
                                               bool IsAngleScalable)
{
    gp::GpLineGradient* L = nullptr;
    GdipCreateLineBrushFromRectWithAngle(RF(&Rect), Color1.FArgb, Color2.FArgb, Angle, B(IsAngleScalable),
                                         WrapModeTile, &L);
    FNativeHandle = static_cast<gp::GpBrush*>(L);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& Rect, TGPColor Color1, TGPColor Color2, Single Angle,
                                               bool IsAngleScalable)
{
    gp::GpLineGradient* L = nullptr;
    GdipCreateLineBrushFromRectWithAngleI(RI(&Rect), Color1.FArgb, Color2.FArgb, Angle, B(IsAngleScalable),
                                          WrapModeTile, &L);
    FNativeHandle = static_cast<gp::GpBrush*>(L);
}

bool TGPLinearGradientBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPLinearGradientBrush>(this, IID, Obj) || TGPBrush::GetInterface(IID, Obj);
}

namespace {
gp::GpLineGradient* LineOf(IGPLinearGradientBrush* Brush) { return BrushOf<gp::GpLineGradient>(Brush); }
}  // namespace

TGPStatus IGPLinearGradientBrush::GetLineColors(std::array<TGPColor, 2>& Colors)
{
    return GdipGetLineColors(LineOf(this), AC(Colors.data()));
}

TGPStatus IGPLinearGradientBrush::SetLineColors(const std::array<TGPColor, 2>& Colors)
{
    return GdipSetLineColors(LineOf(this), Colors[0].FArgb, Colors[1].FArgb);
}

TGPStatus IGPLinearGradientBrush::GetLineRect(TGPRectF& Rect) { return GdipGetLineRect(LineOf(this), RF(&Rect)); }
TGPStatus IGPLinearGradientBrush::GetLineRect(TGPRect& Rect) { return GdipGetLineRectI(LineOf(this), RI(&Rect)); }
TGPStatus IGPLinearGradientBrush::GetLineRectI(TGPRect& Rect) { return GdipGetLineRectI(LineOf(this), RI(&Rect)); }

bool IGPLinearGradientBrush::GetLineGammaCorrection()
{
    BOOL R = FALSE;
    GdipGetLineGammaCorrection(LineOf(this), &R);
    return R != FALSE;
}

TGPStatus IGPLinearGradientBrush::SetLineGammaCorrection(bool UseGammaCorrection)
{
    return GdipSetLineGammaCorrection(LineOf(this), UseGammaCorrection ? -1 : 0);
}

TGPPtr<IGPBlend> IGPLinearGradientBrush::GetLineBlend()
{
    gp::GpLineGradient* L = LineOf(this);
    return ReadBlend([L](INT* N) { return GdipGetLineBlendCount(L, N); },
                     [L](Single* F, Single* P, INT N) { return GdipGetLineBlend(L, F, P, N); });
}

TGPStatus IGPLinearGradientBrush::SetLineBlend(const TGPPtr<IGPBlend>& Blend)
{
    GPAssert(Blend != nullptr);
    return GdipSetLineBlend(LineOf(this), Blend->GetFactors(), Blend->GetPositions(), Blend->GetCount());
}

TGPPtr<IGPColorBlend> IGPLinearGradientBrush::GetLinePresetBlend()
{
    gp::GpLineGradient* L = LineOf(this);
    return ReadColorBlend([L](INT* N) { return GdipGetLinePresetBlendCount(L, N); },
                          [L](gp::ARGB* C, Single* P, INT N) { return GdipGetLinePresetBlend(L, C, P, N); });
}

TGPStatus IGPLinearGradientBrush::SetLinePresetBlend(const TGPPtr<IGPColorBlend>& Blend)
{
    GPAssert(Blend != nullptr);
    return GdipSetLinePresetBlend(LineOf(this), AC(Blend->GetColors()), Blend->GetPositions(), Blend->GetCount());
}

TGPStatus IGPLinearGradientBrush::GetLineTransform(TGPPtr<IGPMatrix>& Matrix)
{
    return ReadTransform(Matrix, [this](gp::GpMatrix* M) { return GdipGetLineTransform(LineOf(this), M); });
}

TGPStatus IGPLinearGradientBrush::SetLineTransform(const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipSetLineTransform(LineOf(this), Nat<gp::GpMatrix>(Matrix));
}

TGPWrapMode IGPLinearGradientBrush::GetLineWrapMode()
{
    gp::WrapMode R = WrapModeTile;
    GdipGetLineWrapMode(LineOf(this), &R);
    return R;
}

TGPStatus IGPLinearGradientBrush::SetLineWrapMode(TGPWrapMode WrapMode)
{
    return GdipSetLineWrapMode(LineOf(this), WrapMode);
}

TGPStatus IGPLinearGradientBrush::SetLineSigmaBlend(Single Focus, Single Scale)
{
    return GdipSetLineSigmaBlend(LineOf(this), Focus, Scale);
}

TGPStatus IGPLinearGradientBrush::SetLineLinearBlend(Single Focus, Single Scale)
{
    return GdipSetLineLinearBlend(LineOf(this), Focus, Scale);
}

TGPStatus IGPLinearGradientBrush::ResetLineTransform() { return GdipResetLineTransform(LineOf(this)); }

TGPStatus IGPLinearGradientBrush::MultiplyLineTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order)
{
    return GdipMultiplyLineTransform(LineOf(this), Nat<gp::GpMatrix>(Matrix), MO(Order));
}

TGPStatus IGPLinearGradientBrush::TranslateLineTransform(Single DX, Single DY, Integer Order)
{
    return GdipTranslateLineTransform(LineOf(this), DX, DY, MO(Order));
}

TGPStatus IGPLinearGradientBrush::ScaleLineTransform(Single SX, Single SY, Integer Order)
{
    return GdipScaleLineTransform(LineOf(this), SX, SY, MO(Order));
}

TGPStatus IGPLinearGradientBrush::RotateLineTransform(Single Angle, Integer Order)
{
    return GdipRotateLineTransform(LineOf(this), Angle, MO(Order));
}

TGPHatchBrush::TGPHatchBrush(Integer HatchStyle, TGPColor ForeColor, TGPColor BackColor)
{
    gp::GpHatch* B = nullptr;
    GdipCreateHatchBrush(static_cast<gp::HatchStyle>(HatchStyle), ForeColor.FArgb, BackColor.FArgb, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

bool TGPHatchBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPHatchBrush>(this, IID, Obj) || TGPBrush::GetInterface(IID, Obj);
}

Integer IGPHatchBrush::GetHatchStyle()
{
    gp::HatchStyle R = static_cast<gp::HatchStyle>(0);
    GdipGetHatchStyle(BrushOf<gp::GpHatch>(this), &R);
    return R;
}

TGPColor IGPHatchBrush::GetHatchForegroundColor()
{
    TGPColor R;
    GdipGetHatchForegroundColor(BrushOf<gp::GpHatch>(this), AC(&R));
    return R;
}

TGPColor IGPHatchBrush::GetHatchBackgroundColor()
{
    TGPColor R;
    GdipGetHatchBackgroundColor(BrushOf<gp::GpHatch>(this), AC(&R));
    return R;
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPPtr<IGPGraphicsPath>& Path)
{
    gp::GpPathGradient* B = nullptr;
    GdipCreatePathGradientFromPath(Nat<gp::GpPath>(Path), &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPPathGradientBrush::TGPPathGradientBrush(std::span<const TGPPointF> Points, TGPWrapMode WrapMode)
{
    NotEmpty(Points);
    gp::GpPathGradient* B = nullptr;
    GdipCreatePathGradient(PF(Points.data()), Len(Points), WrapMode, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPPathGradientBrush::TGPPathGradientBrush(std::span<const TGPPoint> Points, TGPWrapMode WrapMode)
{
    NotEmpty(Points);
    gp::GpPathGradient* B = nullptr;
    GdipCreatePathGradientI(PI(Points.data()), Len(Points), WrapMode, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

bool TGPPathGradientBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPPathGradientBrush>(this, IID, Obj) || TGPBrush::GetInterface(IID, Obj);
}

namespace {
gp::GpPathGradient* PathGradientOf(IGPPathGradientBrush* Brush) { return BrushOf<gp::GpPathGradient>(Brush); }
}  // namespace

TGPColor IGPPathGradientBrush::GetPathGradientCenterColor()
{
    TGPColor R;
    GdipGetPathGradientCenterColor(PathGradientOf(this), AC(&R));
    return R;
}

TGPStatus IGPPathGradientBrush::SetPathGradientCenterColor(TGPColor Color)
{
    return GdipSetPathGradientCenterColor(PathGradientOf(this), Color.FArgb);
}

Integer IGPPathGradientBrush::GetPathGradientPointCount()
{
    INT R = 0;
    GdipGetPathGradientPointCount(PathGradientOf(this), &R);
    return R;
}

TGPPtr<IGPArray<TGPColor>> IGPPathGradientBrush::GetPathGradientSurroundColorsWithCount()
{
    INT Count = 0;
    GdipGetPathGradientSurroundColorCount(PathGradientOf(this), &Count);
    auto Result = NewGPArray<TGPColor>(Count);
    if (Count >= 1) {
        GdipGetPathGradientSurroundColorsWithCount(PathGradientOf(this), AC(Result->GetItems()), &Count);
        Result->SetCount(Count);
    }
    return Result;
}

TGPStatus IGPPathGradientBrush::SetPathGradientSurroundColorsWithCount(const TGPPtr<IGPArray<TGPColor>>& Colors)
{
    GPAssert(Colors != nullptr);
    INT Count = Colors->GetCount();
    TGPStatus Status = GdipSetPathGradientSurroundColorsWithCount(PathGradientOf(this), AC(Colors->GetItems()), &Count);
    Colors->SetCount(Count);
    return Status;
}

TGPStatus IGPPathGradientBrush::SetPathGradientSurroundColorsWithCount(std::span<const TGPColor> Colors,
                                                                      Integer& Count)
{
    NotEmpty(Colors);
    INT N = Len(Colors);
    TGPStatus Status = GdipSetPathGradientSurroundColorsWithCount(PathGradientOf(this), AC(Colors.data()), &N);
    Count = N;
    return Status;
}

TGPPtr<IGPGraphicsPath> IGPPathGradientBrush::GetPathGradientPath()
{
    // GDI+ wants a path to fill; the layer hands it none, as its callers never ask.
    GdipGetPathGradientPath(PathGradientOf(this), nullptr);
    return TGPPtr<IGPGraphicsPath>(new TGPGraphicsPath(static_cast<gp::GpPath*>(nullptr)));
}

TGPStatus IGPPathGradientBrush::SetPathGradientPath(const TGPPtr<IGPGraphicsPath>& Path)
{
    if (!Path) return gp::Ok;
    return GdipSetPathGradientPath(PathGradientOf(this), Nat<gp::GpPath>(Path));
}

TGPStatus IGPPathGradientBrush::GetPathGradientCenterPoint(TGPPointF& Point)
{
    return GdipGetPathGradientCenterPoint(PathGradientOf(this), PF(&Point));
}

TGPStatus IGPPathGradientBrush::SetPathGradientCenterPoint(const TGPPointF& Point)
{
    return GdipSetPathGradientCenterPoint(PathGradientOf(this), PF(&Point));
}

TGPStatus IGPPathGradientBrush::GetPathGradientCenterPointI(TGPPoint& Point)
{
    return GdipGetPathGradientCenterPointI(PathGradientOf(this), PI(&Point));
}

TGPStatus IGPPathGradientBrush::SetPathGradientCenterPointI(const TGPPoint& Point)
{
    return GdipSetPathGradientCenterPointI(PathGradientOf(this), PI(&Point));
}

TGPStatus IGPPathGradientBrush::GetPathGradientRect(TGPRectF& Rect)
{
    return GdipGetPathGradientRect(PathGradientOf(this), RF(&Rect));
}

TGPStatus IGPPathGradientBrush::GetPathGradientRectI(TGPRect& Rect)
{
    return GdipGetPathGradientRectI(PathGradientOf(this), RI(&Rect));
}

bool IGPPathGradientBrush::GetPathGradientGammaCorrection()
{
    BOOL R = FALSE;
    GdipGetPathGradientGammaCorrection(PathGradientOf(this), &R);
    return R != FALSE;
}

TGPStatus IGPPathGradientBrush::SetPathGradientGammaCorrection(bool UseGammaCorrection)
{
    return GdipSetPathGradientGammaCorrection(PathGradientOf(this), UseGammaCorrection ? -1 : 0);
}

TGPPtr<IGPBlend> IGPPathGradientBrush::GetPathGradientBlend()
{
    gp::GpPathGradient* G = PathGradientOf(this);
    return ReadBlend([G](INT* N) { return GdipGetPathGradientBlendCount(G, N); },
                     [G](Single* F, Single* P, INT N) { return GdipGetPathGradientBlend(G, F, P, N); });
}

TGPStatus IGPPathGradientBrush::SetPathGradientBlend(const TGPPtr<IGPBlend>& Blend)
{
    GPAssert(Blend != nullptr);
    return GdipSetPathGradientBlend(PathGradientOf(this), Blend->GetFactors(), Blend->GetPositions(),
                                    Blend->GetCount());
}

TGPPtr<IGPColorBlend> IGPPathGradientBrush::GetPathGradientPresetBlend()
{
    gp::GpPathGradient* G = PathGradientOf(this);
    return ReadColorBlend([G](INT* N) { return GdipGetPathGradientPresetBlendCount(G, N); },
                          [G](gp::ARGB* C, Single* P, INT N) { return GdipGetPathGradientPresetBlend(G, C, P, N); });
}

TGPStatus IGPPathGradientBrush::SetPathGradientPresetBlend(const TGPPtr<IGPColorBlend>& Blend)
{
    // Checked like the linear form: a nil blend would otherwise be read.
    GPAssert(Blend != nullptr);
    return GdipSetPathGradientPresetBlend(PathGradientOf(this), AC(Blend->GetColors()), Blend->GetPositions(),
                                          Blend->GetCount());
}

TGPStatus IGPPathGradientBrush::GetPathGradientTransform(TGPPtr<IGPMatrix>& Matrix)
{
    return ReadTransform(Matrix,
                         [this](gp::GpMatrix* M) { return GdipGetPathGradientTransform(PathGradientOf(this), M); });
}

TGPStatus IGPPathGradientBrush::SetPathGradientTransform(const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipSetPathGradientTransform(PathGradientOf(this), Nat<gp::GpMatrix>(Matrix));
}

TGPWrapMode IGPPathGradientBrush::GetPathGradientWrapMode()
{
    gp::WrapMode R = WrapModeTile;
    GdipGetPathGradientWrapMode(PathGradientOf(this), &R);
    return R;
}

TGPStatus IGPPathGradientBrush::SetPathGradientWrapMode(TGPWrapMode WrapMode)
{
    return GdipSetPathGradientWrapMode(PathGradientOf(this), WrapMode);
}

TGPStatus IGPPathGradientBrush::SetPathGradientSigmaBlend(Single Focus, Single Scale)
{
    return GdipSetPathGradientSigmaBlend(PathGradientOf(this), Focus, Scale);
}

TGPStatus IGPPathGradientBrush::SetPathGradientLinearBlend(Single Focus, Single Scale)
{
    return GdipSetPathGradientLinearBlend(PathGradientOf(this), Focus, Scale);
}

TGPStatus IGPPathGradientBrush::ResetPathGradientTransform()
{
    return GdipResetPathGradientTransform(PathGradientOf(this));
}

TGPStatus IGPPathGradientBrush::MultiplyPathGradientTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order)
{
    return GdipMultiplyPathGradientTransform(PathGradientOf(this), Nat<gp::GpMatrix>(Matrix), MO(Order));
}

TGPStatus IGPPathGradientBrush::TranslatePathGradientTransform(Single DX, Single DY, Integer Order)
{
    return GdipTranslatePathGradientTransform(PathGradientOf(this), DX, DY, MO(Order));
}

TGPStatus IGPPathGradientBrush::ScalePathGradientTransform(Single SX, Single SY, Integer Order)
{
    return GdipScalePathGradientTransform(PathGradientOf(this), SX, SY, MO(Order));
}

TGPStatus IGPPathGradientBrush::RotatePathGradientTransform(Single Angle, Integer Order)
{
    return GdipRotatePathGradientTransform(PathGradientOf(this), Angle, MO(Order));
}

TGPStatus IGPPathGradientBrush::GetPathGradientFocusScales(Single& XScale, Single& YScale)
{
    return GdipGetPathGradientFocusScales(PathGradientOf(this), &XScale, &YScale);
}

TGPStatus IGPPathGradientBrush::SetPathGradientFocusScales(Single XScale, Single YScale)
{
    return GdipSetPathGradientFocusScales(PathGradientOf(this), XScale, YScale);
}

// ---------------------------------------------------------------------------
// TGPCustomLineCap

TGPCustomLineCap::TGPCustomLineCap(const TGPPtr<IGPGraphicsPath>& FillPath, const TGPPtr<IGPGraphicsPath>& StrokePath,
                                   Integer BaseCap, Single BaseInset)
{
    gp::GpCustomLineCap* C = nullptr;
    GdipCreateCustomLineCap(Nat<gp::GpPath>(FillPath), Nat<gp::GpPath>(StrokePath), static_cast<gp::LineCap>(BaseCap),
                            BaseInset, &C);
    FNativeHandle = C;
}

TGPCustomLineCap::~TGPCustomLineCap() { GdipDeleteCustomLineCap(Nat<gp::GpCustomLineCap>(this)); }

bool TGPCustomLineCap::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPCustomLineCap>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpCustomLineCap* CapOf(IGPCustomLineCap* Cap) { return Nat<gp::GpCustomLineCap>(Cap); }
}  // namespace

Integer IGPCustomLineCap::GetCustomLineCapStrokeJoin()
{
    gp::LineJoin R = static_cast<gp::LineJoin>(0);
    GdipGetCustomLineCapStrokeJoin(CapOf(this), &R);
    return R;
}

TGPStatus IGPCustomLineCap::SetCustomLineCapStrokeJoin(Integer LineJoin)
{
    return GdipSetCustomLineCapStrokeJoin(CapOf(this), static_cast<gp::LineJoin>(LineJoin));
}

Integer IGPCustomLineCap::GetCustomLineCapBaseCap()
{
    gp::LineCap R = static_cast<gp::LineCap>(0);
    GdipGetCustomLineCapBaseCap(CapOf(this), &R);
    return R;
}

TGPStatus IGPCustomLineCap::SetCustomLineCapBaseCap(Integer BaseCap)
{
    return GdipSetCustomLineCapBaseCap(CapOf(this), static_cast<gp::LineCap>(BaseCap));
}

Single IGPCustomLineCap::GetCustomLineCapBaseInset()
{
    Single R = 0;
    GdipGetCustomLineCapBaseInset(CapOf(this), &R);
    return R;
}

TGPStatus IGPCustomLineCap::SetCustomLineCapBaseInset(Single Inset)
{
    return GdipSetCustomLineCapBaseInset(CapOf(this), Inset);
}

Single IGPCustomLineCap::GetCustomLineCapWidthScale()
{
    Single R = 0;
    GdipGetCustomLineCapWidthScale(CapOf(this), &R);
    return R;
}

TGPStatus IGPCustomLineCap::SetCustomLineCapWidthScale(Single WidthScale)
{
    return GdipSetCustomLineCapWidthScale(CapOf(this), WidthScale);
}

TGPPtr<IGPCustomLineCap> IGPCustomLineCap::Clone()
{
    gp::GpCustomLineCap* C = nullptr;
    GdipCloneCustomLineCap(CapOf(this), &C);
    return TGPPtr<IGPCustomLineCap>(new TGPCustomLineCap(C));
}

TGPStatus IGPCustomLineCap::SetStrokeCap(Integer Cap) { return SetCustomLineCapStrokeCaps(Cap, Cap); }

TGPStatus IGPCustomLineCap::SetCustomLineCapStrokeCaps(Integer StartCap, Integer EndCap)
{
    return GdipSetCustomLineCapStrokeCaps(CapOf(this), static_cast<gp::LineCap>(StartCap),
                                          static_cast<gp::LineCap>(EndCap));
}

TGPStatus IGPCustomLineCap::GetCustomLineCapStrokeCaps(Integer& StartCap, Integer& EndCap)
{
    gp::LineCap S = static_cast<gp::LineCap>(0), E = static_cast<gp::LineCap>(0);
    TGPStatus Status = GdipGetCustomLineCapStrokeCaps(CapOf(this), &S, &E);
    StartCap = S;
    EndCap = E;
    return Status;
}

// ---------------------------------------------------------------------------
// TGPPen

TGPPen::TGPPen(TGPColor Color, Single Width)
{
    gp::GpPen* P = nullptr;
    GdipCreatePen1(Color.FArgb, Width, UnitWorld, &P);
    FNativeHandle = P;
}

TGPPen::TGPPen(const TGPPtr<IGPBrush>& Brush, Single Width)
{
    gp::GpPen* P = nullptr;
    GdipCreatePen2(Nat<gp::GpBrush>(Brush), Width, UnitWorld, &P);
    FNativeHandle = P;
}

TGPPen::~TGPPen() { GdipDeletePen(Nat<gp::GpPen>(this)); }

bool TGPPen::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPPen>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpPen* PenOf(IGPPen* Pen) { return Nat<gp::GpPen>(Pen); }

}  // namespace

Single IGPPen::GetPenWidth()
{
    Single R = 0;
    GdipGetPenWidth(PenOf(this), &R);
    return R;
}

TGPStatus IGPPen::SetPenWidth(Single Width) { return GdipSetPenWidth(PenOf(this), Width); }

Integer IGPPen::GetPenStartCap()
{
    return ReadEnum<gp::LineCap>([this](gp::LineCap* R) { return GdipGetPenStartCap(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenStartCap(Integer StartCap)
{
    return GdipSetPenStartCap(PenOf(this), static_cast<gp::LineCap>(StartCap));
}

Integer IGPPen::GetPenEndCap()
{
    return ReadEnum<gp::LineCap>([this](gp::LineCap* R) { return GdipGetPenEndCap(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenEndCap(Integer EndCap) { return GdipSetPenEndCap(PenOf(this), static_cast<gp::LineCap>(EndCap)); }

Integer IGPPen::GetPenDashCap197819()
{
    return ReadEnum<gp::DashCap>([this](gp::DashCap* R) { return GdipGetPenDashCap197819(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenDashCap197819(Integer DashCap)
{
    return GdipSetPenDashCap197819(PenOf(this), static_cast<gp::DashCap>(DashCap));
}

Integer IGPPen::GetPenLineJoin()
{
    return ReadEnum<gp::LineJoin>([this](gp::LineJoin* R) { return GdipGetPenLineJoin(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenLineJoin(Integer LineJoin)
{
    return GdipSetPenLineJoin(PenOf(this), static_cast<gp::LineJoin>(LineJoin));
}

TGPPtr<IGPCustomLineCap> IGPPen::GetPenCustomStartCap()
{
    gp::GpCustomLineCap* C = nullptr;
    GdipGetPenCustomStartCap(PenOf(this), &C);
    return TGPPtr<IGPCustomLineCap>(new TGPCustomLineCap(C));
}

TGPStatus IGPPen::SetPenCustomStartCap(const TGPPtr<IGPCustomLineCap>& CustomCap)
{
    return GdipSetPenCustomStartCap(PenOf(this), Nat<gp::GpCustomLineCap>(CustomCap));
}

TGPPtr<IGPCustomLineCap> IGPPen::GetPenCustomEndCap()
{
    gp::GpCustomLineCap* C = nullptr;
    GdipGetPenCustomEndCap(PenOf(this), &C);
    return TGPPtr<IGPCustomLineCap>(new TGPCustomLineCap(C));
}

TGPStatus IGPPen::SetPenCustomEndCap(const TGPPtr<IGPCustomLineCap>& CustomCap)
{
    return GdipSetPenCustomEndCap(PenOf(this), Nat<gp::GpCustomLineCap>(CustomCap));
}

Single IGPPen::GetPenMiterLimit()
{
    Single R = 0;
    GdipGetPenMiterLimit(PenOf(this), &R);
    return R;
}

TGPStatus IGPPen::SetPenMiterLimit(Single MiterLimit) { return GdipSetPenMiterLimit(PenOf(this), MiterLimit); }

Integer IGPPen::GetPenMode()
{
    return ReadEnum<gp::PenAlignment>([this](gp::PenAlignment* R) { return GdipGetPenMode(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenMode(Integer PenMode)
{
    return GdipSetPenMode(PenOf(this), static_cast<gp::PenAlignment>(PenMode));
}

TGPStatus IGPPen::GetPenTransform(TGPPtr<IGPMatrix>& Matrix)
{
    return ReadTransform(Matrix, [this](gp::GpMatrix* M) { return GdipGetPenTransform(PenOf(this), M); });
}

TGPStatus IGPPen::SetPenTransform(const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipSetPenTransform(PenOf(this), Nat<gp::GpMatrix>(Matrix));
}

Integer IGPPen::GetPenFillType()
{
    return ReadEnum<gp::PenType>([this](gp::PenType* R) { return GdipGetPenFillType(PenOf(this), R); });
}

TGPColor IGPPen::GetPenColor()
{
    TGPColor R;
    GdipGetPenColor(PenOf(this), AC(&R));
    return R;
}

TGPStatus IGPPen::SetPenColor(TGPColor Color) { return GdipSetPenColor(PenOf(this), Color.FArgb); }

TGPPtr<IGPBrush> IGPPen::GetPenBrushFill()
{
    TGPBrush* Brush = nullptr;
    switch (GetPenFillType()) {
    case gp::PenTypeSolidColor: Brush = new TGPSolidBrush(); break;
    case gp::PenTypeHatchFill: Brush = new TGPHatchBrush(); break;
    case gp::PenTypeTextureFill: Brush = new TGPTextureBrush(); break;
    case gp::PenTypePathGradient: Brush = new TGPBrush(); break;
    case gp::PenTypeLinearGradient: Brush = new TGPLinearGradientBrush(); break;
    default: return nullptr;
    }
    TGPPtr<IGPBrush> Result(Brush);
    gp::GpBrush* Native = nullptr;
    GdipGetPenBrushFill(PenOf(this), &Native);
    Result->SetNativeHandle(Native);
    return Result;
}

TGPStatus IGPPen::SetPenBrushFill(const TGPPtr<IGPBrush>& Brush)
{
    return GdipSetPenBrushFill(PenOf(this), Nat<gp::GpBrush>(Brush));
}

Integer IGPPen::GetPenDashStyle()
{
    return ReadEnum<gp::DashStyle>([this](gp::DashStyle* R) { return GdipGetPenDashStyle(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenDashStyle(Integer DashStyle)
{
    return GdipSetPenDashStyle(PenOf(this), static_cast<gp::DashStyle>(DashStyle));
}

Single IGPPen::GetPenDashOffset()
{
    Single R = 0;
    GdipGetPenDashOffset(PenOf(this), &R);
    return R;
}

TGPStatus IGPPen::SetPenDashOffset(Single DashOffset) { return GdipSetPenDashOffset(PenOf(this), DashOffset); }

TGPPtr<IGPArray<Single>> IGPPen::GetPenDashArray()
{
    INT Count = 0;
    GdipGetPenDashCount(PenOf(this), &Count);
    auto Result = NewGPArray<Single>(Count);
    if (Count >= 1) GdipGetPenDashArray(PenOf(this), Result->GetItems(), Count);
    return Result;
}

TGPStatus IGPPen::SetPenDashArray(std::span<const Single> Dashes)
{
    NotEmpty(Dashes);
    return GdipSetPenDashArray(PenOf(this), Dashes.data(), Len(Dashes));
}

TGPStatus IGPPen::SetPenDashArray(const TGPPtr<IGPArray<Single>>& Dashes)
{
    GPAssert(Dashes != nullptr);
    return GdipSetPenDashArray(PenOf(this), Dashes->GetItems(), Dashes->GetCount());
}

TGPPtr<IGPArray<Single>> IGPPen::GetPenCompoundArray()
{
    INT Count = 0;
    GdipGetPenCompoundCount(PenOf(this), &Count);
    auto Result = NewGPArray<Single>(Count);
    if (Count >= 1) GdipGetPenCompoundArray(PenOf(this), Result->GetItems(), Count);
    return Result;
}

TGPStatus IGPPen::SetPenCompoundArray(const TGPPtr<IGPArray<Single>>& CompoundArray)
{
    GPAssert(CompoundArray != nullptr);
    return GdipSetPenCompoundArray(PenOf(this), CompoundArray->GetItems(), CompoundArray->GetCount());
}

TGPPtr<IGPPen> IGPPen::Clone()
{
    gp::GpPen* P = nullptr;
    GdipClonePen(PenOf(this), &P);
    return TGPPtr<IGPPen>(new TGPPen(P));
}

TGPStatus IGPPen::SetPenLineCap197819(Integer StartCap, Integer EndCap, Integer DashCap)
{
    return GdipSetPenLineCap197819(PenOf(this), static_cast<gp::LineCap>(StartCap), static_cast<gp::LineCap>(EndCap),
                                   static_cast<gp::DashCap>(DashCap));
}

TGPStatus IGPPen::ResetPenTransform() { return GdipResetPenTransform(PenOf(this)); }

TGPStatus IGPPen::MultiplyPenTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order)
{
    return GdipMultiplyPenTransform(PenOf(this), Nat<gp::GpMatrix>(Matrix), MO(Order));
}

TGPStatus IGPPen::TranslatePenTransform(Single DX, Single DY, Integer Order)
{
    return GdipTranslatePenTransform(PenOf(this), DX, DY, MO(Order));
}

TGPStatus IGPPen::ScalePenTransform(Single SX, Single SY, Integer Order)
{
    return GdipScalePenTransform(PenOf(this), SX, SY, MO(Order));
}

TGPStatus IGPPen::RotatePenTransform(Single Angle, Integer Order)
{
    return GdipRotatePenTransform(PenOf(this), Angle, MO(Order));
}
