#include "document/ImagePaint.h"

// Pencil, eraser, brush and clone stamp writing into the raster along the
// mouse's path.
//
// Brush and stamp dabs accumulate at the flow on a stroke layer of the
// raster's size; every dab then recomposes its rectangle from the raster as
// it was at the press with the stroke layer over it at the stroke opacity,
// so a stroke never gets darker than its opacity by crossing itself.
#include <algorithm>
#include <cmath>
#include <vector>

#include "Component/Raster32/Ras32_Blend.h"
#include "Component/Raster32/Ras32_Layers.h"
#include "document/ObjectRows.h"
#include "filters/HyRas32Filters.h"
#include "filters/Ras32_Filters.h"
#include "foundation/HyPresets.h"

using namespace ImageDrawRows;

std::unique_ptr<TCustomBitmap32> StampSourceBitmap;
TPoint StampSourcePoint;

namespace {
// The cells of a brush-style row the paint tools read.
namespace BrushCol {
constexpr Integer FixedSpacing = 8, Spacing = 9, Addend = 10;
}
// The soft round style, whose dab gets a margin of 0.3 of the width for its fading edge.
constexpr Integer SoftBrushStyle = 1;

std::unique_ptr<TCustomBitmap32> NewLayer(Integer W, Integer H)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    B->Clear(0);
    B->SetDrawMode(dmBlend);
    B->SetCombineMode(cmMerge);
    return B;
}

Cardinal ClampAlpha(Int64 Value) { return static_cast<Cardinal>(std::clamp<Int64>(Value, 0, 255)); }

// The part of the rectangle (X, Y, X + W, Y + H) inside B; computed wide, so
// that no corner far off the raster overflows.
TRect ClipToBitmap(const TCustomBitmap32& B, Int64 X, Int64 Y, Int64 W, Int64 H)
{
    const auto Clamp = [](Int64 V, Integer Hi) { return static_cast<Integer>(std::clamp<Int64>(V, 0, Hi)); };
    return TRect{Clamp(X, B.Width()), Clamp(Y, B.Height()), Clamp(X + W, B.Width()), Clamp(Y + H, B.Height())};
}
}  // namespace

void TPaintTools::ProcessBitmapBegin(Integer X, Integer Y, Integer Opacity, TColor FillColor, Integer StyleIndex)
{
    FProcessStyleIndex = StyleIndex;
    FProcessOpacity = static_cast<Integer>(ClampAlpha(Opacity));
    FProcessFillColor = (ColorToColor32(FillColor) & 0x00FFFFFF) | (TColor32(FProcessOpacity) << 24);
    const bool Dabbed = FProcessMode == pbmBrush || FProcessMode == pbmStamp;
    if (FProcessMode != pbmEraser) {
        FPressRaster = std::make_unique<TCustomBitmap32>();
        FPressRaster->Assign(FSurface.SrcBmp());
        FPressRaster->SetDrawMode(dmOpaque);
    }
    if (FProcessMode == pbmStamp && FProcessStampStartX == NoStartPoint) {
        FProcessStampStartX = X;
        FProcessStampStartY = Y;
    }
    if (!Dabbed) return;

    // A style row comes from a pack the user may have replaced: a missing
    // row, a divisor or spacing below 1 and a picture of no size are taken
    // as "no picture" and the least spacing, never divided by.
    TRow* Row = BrushTable && StyleIndex >= 0 && StyleIndex < BrushTable->ItemCount() ? BrushTable->GetItem(StyleIndex)
                                                                                      : nullptr;
    const Integer W = std::clamp(FProcessWidth, 0, MaxProcessWidth);
    Integer Step = 1;
    if (Row && BoolOf(*Row, BrushCol::FixedSpacing))
        Step = IntOf(*Row, BrushCol::Spacing);
    else if (Row)
        Step = W / std::max(IntOf(*Row, BrushCol::Spacing), 1) + IntOf(*Row, BrushCol::Addend);
    FProcessStep = std::max(Step, 1);
    FProcessLastX = NoStartPoint;
    FProcessBrushOffset = StyleIndex == SoftBrushStyle ? static_cast<Integer>(Round(0.3 * W)) : 0;
    const Integer Side = W + 2 * FProcessBrushOffset;
    FProcessBrush = NewLayer(Side, Side);
    FProcessBrush->SetMasterAlpha(ClampAlpha(Round(FProcessBrushFlow * 2.55)));
    TCustomBitmap32* Picture = Row ? Row->Data().As<TCustomBitmap32>() : nullptr;
    FProcessBrushMask.reset();
    if (Picture && !Picture->Empty() && Side > 0) {
        FProcessBrushMask = std::make_unique<TCustomBitmap32>();
        FProcessBrushMask->Assign(Picture);
        InvertColorChannels(FProcessBrushMask.get(), FProcessBrushMask.get());
        ResizeBitmap(FProcessBrushMask.get(), FProcessBrushMask.get(), Side, Side);
        // Its alpha carries its intensity: dark parts of the style paint.
        AlphaFromIntensity(FProcessBrushMask.get(), FProcessBrushMask.get());
        if (FProcessMode == pbmBrush) {
            FProcessBrush->Clear(ColorToColor32(FillColor) | 0xFF000000);
            AlphaFromIntensity(FProcessBrush.get(), FProcessBrushMask.get());
        }
    }
    FStrokeLayer = NewLayer(FSurface.SrcBmp()->Width(), FSurface.SrcBmp()->Height());
    FStrokeLayer->SetMasterAlpha(static_cast<Cardinal>(FProcessOpacity));
}

void TPaintTools::ProcessBitmap(bool IsMove, Integer X, Integer Y)
{
    bool Paint = FSurface.LeftMouseDown();
    if (FSurface.LeftMouseDown() && !IsMove) {
        FProcessDownX = X;
        FProcessDownY = Y;
        FProcessDirection = 0;
        if (!FSurface.PressSht() || FProcessX == NoStartPoint) {
            FProcessX = X;
            FProcessY = Y;
        }
    } else if (FSurface.LeftMouseDown()) {
        // A move with no line end (no press seen) starts the line here.
        if (FProcessX == NoStartPoint) {
            FProcessX = X;
            FProcessY = Y;
        }
        if (!FSurface.PressSht()) {
            FProcessDirection = 0;
        } else if (FProcessDirection == 0) {
            const double DX = double(X) - FProcessDownX, DY = double(Y) - FProcessDownY;
            if (std::sqrt(DX * DX + DY * DY) >= 5.0) {
                const Single A = CalcAngle(X, Y, static_cast<Single>(FProcessDownX), static_cast<Single>(FProcessDownY));
                FProcessDirection = A > 315 || A < 45 || (A > 135 && A < 225) ? 1 : 2;
            } else {
                Paint = false;
            }
        }
    }
    const Integer W = std::clamp(FProcessWidth, 0, MaxProcessWidth);
    if (!Paint || RectIsEmpty(ClipToBitmap(*FSurface.SrcBmp(), X, Y, W, W))) {
        // Only the tool's outline follows the mouse.
        if (TPositionedLayer* Layer = FSurface.ControlLayer()) Layer->Changed();
        return;
    }
    if (FProcessDirection != 0) {
        if (FProcessDirection == 1)
            Y = FProcessDownY;
        else
            X = FProcessDownX;
        FProcessX = FProcessDownX;
        FProcessY = FProcessDownY;
    }
    ProcessBitmapByLine(X, Y);
    FSurface.SetChanged(true);
    FSurface.Draw();
}

void TPaintTools::ProcessBitmapByLine(Integer X, Integer Y)
{
    const Integer PX = FProcessX, PY = FProcessY;
    const Integer SX = X >= PX ? 1 : -1, SY = Y >= PY ? 1 : -1;
    if (X == PX) {
        for (Integer y = PY;; y += SY) {
            ProcessBitmapDo(X, y);
            if (y == Y) break;
        }
    } else if (Y == PY) {
        for (Integer x = PX;; x += SX) {
            ProcessBitmapDo(x, Y);
            if (x == X) break;
        }
    } else {
        // The slope in single precision, as the steps have always been placed.
        const Single K = static_cast<Single>(Y - PY) / static_cast<Single>(X - PX);
        if (std::abs(Int64(Y) - PY) < std::abs(Int64(X) - PX)) {
            for (Integer x = PX;; x += SX) {
                ProcessBitmapDo(x, static_cast<Integer>(Round(K * static_cast<Single>(x - PX))) + PY);
                if (x == X) break;
            }
        } else {
            for (Integer y = PY;; y += SY) {
                ProcessBitmapDo(static_cast<Integer>(Round(static_cast<Single>(y - PY) / K)) + PX, y);
                if (y == Y) break;
            }
        }
    }
    FProcessX = X;
    FProcessY = Y;
}

void TPaintTools::ProcessBitmapDo(Integer X, Integer Y)
{
    const Integer W = std::clamp(FProcessWidth, 0, MaxProcessWidth);
    TCustomBitmap32& Raster = *FSurface.SrcBmp();
    FSurface.SetSrcBmpChanged(true);
    switch (FProcessMode) {
    case pbmPencil: {
        const TRect R = ClipToBitmap(Raster, X, Y, W, W);
        if (RectIsEmpty(R)) return;
        if (FProcessOpacity == 255) {
            Raster.FillRectS(R, FProcessFillColor);
            return;
        }
        if (!FPressRaster) return;  // no stroke begun: nothing to compose from
        // The colour merged over the raster as it was at the press, so that
        // dabs of one stroke never darken each other. Only where the press's
        // copy reaches: the raster may have been resized since.
        TRect C;
        if (!IntersectRects(C, R, FPressRaster->BoundsRect())) return;
        const Integer N = C.Right - C.Left;
        const std::vector<TColor32> Ink(static_cast<size_t>(N), FProcessFillColor);
        for (Integer y = C.Top; y < C.Bottom; ++y) {
            TColor32* D = Raster.GetPixelPtr(C.Left, y);
            std::copy_n(FPressRaster->GetPixelPtr(C.Left, y), N, D);
            MergeRow(Ink.data(), D, N);
        }
        Raster.Changed(C);
        return;
    }
    case pbmEraser: Raster.FillRectS(ClipToBitmap(Raster, X, Y, W, W), 0x00FFFFFF); return;
    case pbmBrush:
    case pbmStamp: break;
    }
    // A dab with no stroke begun has nothing to be drawn from.
    if (!FProcessBrush || !FPressRaster || !FStrokeLayer) return;
    if (FProcessLastX != NoStartPoint) {
        const double DX = double(X) - FProcessLastX, DY = double(Y) - FProcessLastY;
        if (std::sqrt(DX * DX + DY * DY) < FProcessStep) return;
    }
    TCustomBitmap32& Dab = *FProcessBrush;
    const Integer Off = FProcessBrushOffset;
    if (FProcessMode == pbmStamp) {
        Dab.Clear(0);
        if (StampSourceBitmap && FProcessBrushMask) {
            const Int64 SX = Int64(X) + StampSourcePoint.X - FProcessStampStartX - W / 2 - Off;
            const Int64 SY = Int64(Y) + StampSourcePoint.Y - FProcessStampStartY - W / 2 - Off;
            const TRect S = ClipToBitmap(*StampSourceBitmap, SX, SY, Dab.Width(), Dab.Height());
            if (!RectIsEmpty(S)) {
                const TDrawMode Mode = StampSourceBitmap->DrawMode();
                StampSourceBitmap->SetDrawMode(dmOpaque);
                auto Restore = ScopeExit([&] { StampSourceBitmap->SetDrawMode(Mode); });
                Dab.Draw(static_cast<Integer>(S.Left - SX), static_cast<Integer>(S.Top - SY), S,
                         StampSourceBitmap.get());
            }
            // The style's shape scales the source's own alpha: a soft edge
            // of the source stays soft where it is cloned.
            MultiplyAlphaInRect(&Dab, FProcessBrushMask.get(), Dab.BoundsRect());
        }
    }
    FStrokeLayer->Draw(X - Off, Y - Off, &Dab);
    const TRect R = ClipToBitmap(Raster, Int64(X) - Off, Int64(Y) - Off, Dab.Width(), Dab.Height());
    if (!RectIsEmpty(R)) {
        Raster.Draw(R.Left, R.Top, R, FPressRaster.get());
        Raster.Draw(R.Left, R.Top, R, FStrokeLayer.get());
    }
    FProcessLastX = X;
    FProcessLastY = Y;
}

void TPaintTools::ProcessBitmapEnd()
{
    FProcessBrush.reset();
    FProcessBrushMask.reset();
    FPressRaster.reset();
    FStrokeLayer.reset();
}

void TPaintTools::TakeStampSource(Integer X, Integer Y)
{
    if (!StampSourceBitmap) StampSourceBitmap = std::make_unique<TCustomBitmap32>();
    StampSourceBitmap->Assign(FSurface.SrcBmp());
    StampSourceBitmap->SetDrawMode(dmOpaque);
    StampSourcePoint = TPoint{X, Y};
    FProcessStampStartX = NoStartPoint;
}
