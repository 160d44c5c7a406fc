#include "document/ImageEffectBrush.h"

// Filters painted onto parts of the raster in round soft dabs from a source
// made once per strength, bokeh and colouring that change the whole raster
// and let the brush paint the picture back, the highlighter's multiplying
// pen, and the warps.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Component/Raster32/Ras32_Layers.h"
#include "document/ImageLines.h"
#include "filters/HyRas32Filters.h"
#include "filters/ImageWarping.h"
#include "filters/Ras32_BlendModes.h"
#include "filters/Ras32_Filters.h"
#include "filters/SharpenLib32.h"

namespace {
// The name undo states taken while the brush draws carry.
const String EffectDrawStateName = u"EffectDraw";
// The highlight layer multiplies over the picture.
constexpr Integer MultiplyBlendIndex = 1;
// No dab laid yet in this stroke.
constexpr Integer NoDab = -10000;
// Radii beyond any picture are cut here, so that the dab's corners and the
// highlighter's margins stay far inside the integer range.
constexpr Integer MaxBrushRadius = 1 << 16;

bool IsWarp(TEffectMode M) { return M == emWarping || M == emZooming || M == emTwirling; }

// The kinds whose source is a filtered copy of the unfiltered one, rebuilt
// for every strength.
bool IsFilteredCopy(TEffectMode M)
{
    switch (M) {
    case emMosaic:
    case emBlurring:
    case emSharpening:
    case emColorize:
    case emColorDodge:
    case emColorBurn:
    case emSaturation: return true;
    default: return false;
    }
}

TBrushTool WarpTool(TEffectMode M) { return M == emZooming ? btZoom : M == emTwirling ? btTwirl : btWarp; }

void Filter(TCustomBitmap32& B, TEffectMode M, Cardinal Value, bool CanvasTransparent, TColor32 CanvasColor)
{
    const Integer V = static_cast<Integer>(Value);
    switch (M) {
    case emMosaic: PixelateBitmap(&B, V, CanvasTransparent, CanvasColor); break;
    case emBlurring: ExponentialBlur(&B, V); break;
    case emSharpening:
        for (Integer i = 0; i < V; ++i) SharpenBitmap(&B, 0);
        break;
    case emColorize: TintBitmap(&B, Value, 100); break;
    case emColorDodge: TintBitmap(&B, 0xFFFFFFFF, V); break;
    case emColorBurn: TintBitmap(&B, 0xFF000000, V); break;
    case emSaturation: AdjustSaturation(&B, V); break;
    default: break;
    }
}

// The dab's alpha at its centre; it falls to 0 at radius R.
Integer DabPeak(TEffectMode M, Integer R, bool Erase)
{
    switch (M) {
    case emBokeh: return Erase ? 255 : 60;
    case emColoring:
    case emColorize:
    case emColorDodge:
    case emColorBurn:
    case emSaturation: return 100;
    case emRedEye: {
        // Full strength within six pixels of the centre (a smaller brush:
        // all but its outermost pixel), fading out toward the radius.
        const Int64 P = R > 6 ? Int64(255) * R / (R - 6) : Int64(255) * R;
        return static_cast<Integer>(std::clamp<Int64>(P, 0, Int64(255) * MaxBrushRadius));
    }
    default: return 255;
    }
}

// Src's pixels inside R (which lies inside Src), copied as they are.
void CopyPatch(TCustomBitmap32& Dst, TCustomBitmap32& Src, const TRect& R)
{
    const Integer W = R.Right - R.Left, H = R.Bottom - R.Top;
    Dst.SetSize(W, H);
    for (Integer y = 0; y < H; ++y)
        std::memcpy(Dst.GetPixelPtr(0, y), Src.GetPixelPtr(R.Left, R.Top + y), sizeof(TColor32) * static_cast<size_t>(W));
}

bool ClipTo(TRect& R, const TCustomBitmap32* A, const TCustomBitmap32* B)
{
    return A && B && IntersectRects(R, R, A->BoundsRect()) && IntersectRects(R, R, B->BoundsRect());
}
}  // namespace

TEffectBrush::TEffectBrush(TEffectBrushDocument& Document) : FDocument(Document) {}
TEffectBrush::~TEffectBrush() = default;

// ---------------------------------------------------------------------------
// Opening a run and its sources

void TEffectBrush::EffectDrawBegin(Cardinal Value)
{
    FEffectDrawing = true;
    FSource = std::make_unique<TCustomBitmap32>();
    FUnfiltered = std::make_unique<TCustomBitmap32>();
    FHighlightPen.reset();
    FImgWarping.reset();
    FUndoTempCount = 0;
    const Integer R = std::clamp(FEffectDrawRadius, 0, MaxBrushRadius);
    switch (FDocument.EffectMode()) {
    case emBokeh:
        FSource->Assign(FDocument.SrcBmp());
        EffectDrawReBegin(Value, true);
        break;
    case emColoring:
        FSource->Assign(FDocument.SrcBmp());
        GrayscaleBitmap(FDocument.SrcBmp(), FDocument.SrcBmp(), true);
        FUnfiltered->Assign(FDocument.SrcBmp());
        FDocument.SetSrcBmpChanged(true);
        FDocument.SetChanged(true);
        FDocument.Draw();
        FDocument.SaveUndo();
        break;
    case emHighlighter:
        FUnfiltered->Assign(FDocument.SrcBmp());
        FSource->SetSize(FDocument.SrcBmp()->Width(), FDocument.SrcBmp()->Height());
        FSource->Clear(0x00FFFFFF);
        FSource->SetDrawMode(dmCustom);
        GetBlendProc(MultiplyBlendIndex, FSource->OnPixelCombine);
        FHighlightPen = std::make_unique<TImgLines>(nullptr, -1, FSource.get());
        FHighlightPen->SetOpacity(255);
        break;
    case emWarping:
    case emZooming:
    case emTwirling:
        FUnfiltered->Assign(FDocument.SrcBmp());
        FImgWarping = std::make_unique<TImgWarping>(FDocument.SrcBmp(), FDocument.SrcBmp(), WarpTool(FDocument.EffectMode()));
        FImgWarping->UpdateBrush(2 * R, static_cast<Integer>(Value));
        break;
    case emRedEye:
        FSource->Assign(FDocument.SrcBmp());
        ReduceRedEye(FSource.get());
        // The eraser paints this back, as with every other filtered kind.
        FUnfiltered->Assign(FDocument.SrcBmp());
        break;
    default:
        if (!IsFilteredCopy(FDocument.EffectMode())) break;
        FUnfiltered->Assign(FDocument.SrcBmp());
        EffectDrawReBegin(Value, true);
        break;
    }
    FEffectDrawDone = false;
    FEffectDrawLastX = NoDab;
    FUndoTempCount = 0;
}

void TEffectBrush::EffectDrawReBegin(Cardinal Value, bool bFirstBegin)
{
    if (!FEffectDrawing) return;
    if (IsFilteredCopy(FDocument.EffectMode())) {
        FSource->Assign(FUnfiltered.get());
        Filter(*FSource, FDocument.EffectMode(), Value, FDocument.CanvasTransparent(), FDocument.CanvasColor());
    } else if (FDocument.EffectMode() == emBokeh) {
        if (!bFirstBegin) {
            // Blurred anew from the sharp picture: what was painted goes.
            FDocument.SrcBmp()->Assign(FSource.get());
            ++FUndoTempCount;
        }
        ExponentialBlur(FDocument.SrcBmp(), static_cast<Integer>(Value));
        FUnfiltered->Assign(FDocument.SrcBmp());
        FDocument.SetSrcBmpChanged(true);
        FDocument.SetChanged(true);
        FDocument.Draw();
        FDocument.SaveUndo();
    } else if (IsWarp(FDocument.EffectMode()) && FImgWarping) {
        FImgWarping->UpdateBrush(2 * std::clamp(FEffectDrawRadius, 0, MaxBrushRadius), static_cast<Integer>(Value));
    }
}

// ---------------------------------------------------------------------------
// Strokes

void TEffectBrush::EffectDrawPrepare(TShiftState Shift, Integer X, Integer Y)
{
    if (FEffectDrawing && IsWarp(FDocument.EffectMode()) && FImgWarping) FImgWarping->MouseDown(Shift, X, Y);
}

void TEffectBrush::EffectDrawDo(bool IsDo, TShiftState Shift, Integer X, Integer Y)
{
    const Integer R = std::clamp(FEffectDrawRadius, 0, MaxBrushRadius);
    FEffectDrawRect = TRect{X - R, Y - R, X + R, Y + R};
    bool Painted = false, Recorded = true;
    if (!IsDo) {
        if (FDocument.EffectMode() == emHighlighter) FHighlightLastPoint = TPoint{X, Y};
    } else if (FEffectDrawing && R > 0) {
        // A brush without a radius covers no pixel.
        if (FDocument.EffectMode() == emHighlighter) {
            Painted = EffectDrawHighlight(X, Y, R);
            Recorded = false;
        } else if (IsWarp(FDocument.EffectMode())) {
            if (FImgWarping) {
                FImgWarping->MouseMove(Shift, X, Y);
                FDocument.SetSrcBmpChanged(true);
                Painted = true;
            }
            Recorded = false;
        } else {
            Painted = EffectDrawDab(X, Y, R);
        }
    }
    if (!Painted) {
        if (TPositionedLayer* Layer = FDocument.ControlLayer()) Layer->Changed();
        return;
    }
    FDocument.SetChanged(true);
    FDocument.Draw();
    // Highlighter and warp strokes become one state when the run closes.
    if (!Recorded) FDocument.SetModified(false);
}

bool TEffectBrush::EffectDrawDab(Integer X, Integer Y, Integer R)
{
    const Integer Spacing = FDocument.EffectMode() == emMosaic ? 2 : 4;
    if (FEffectDrawLastX != NoDab && std::abs(FEffectDrawLastX - X) < Spacing &&
        std::abs(FEffectDrawLastY - Y) < Spacing)
        return false;
    FEffectDrawLastX = X;
    FEffectDrawLastY = Y;
    TCustomBitmap32* Src = FEffectDrawErase ? FUnfiltered.get() : FSource.get();
    TRect Clip = FEffectDrawRect;
    if (!ClipTo(Clip, FDocument.SrcBmp(), Src)) return false;
    TCustomBitmap32 Patch;
    CopyPatch(Patch, *Src, Clip);
    FadeAlphaInCircle(&Patch, FEffectDrawRect, DabPeak(FDocument.EffectMode(), R, FEffectDrawErase));
    Patch.SetDrawMode(dmBlend);
    Patch.SetCombineMode(cmMerge);
    // The raster keeps its own alpha: the blur and sharpen sources have
    // their alpha filtered too, so it cannot come from the source.
    const Integer W = Clip.Right - Clip.Left, H = Clip.Bottom - Clip.Top;
    std::vector<Byte> Alpha(static_cast<size_t>(W) * static_cast<size_t>(H));
    for (Integer y = 0; y < H; ++y) {
        const TColor32* Row = FDocument.SrcBmp()->GetPixelPtr(Clip.Left, Clip.Top + y);
        for (Integer x = 0; x < W; ++x) Alpha[static_cast<size_t>(y) * W + x] = static_cast<Byte>(Row[x] >> 24);
    }
    FDocument.SrcBmp()->Draw(Clip.Left, Clip.Top, &Patch);
    for (Integer y = 0; y < H; ++y) {
        TColor32* Row = FDocument.SrcBmp()->GetPixelPtr(Clip.Left, Clip.Top + y);
        for (Integer x = 0; x < W; ++x)
            Row[x] = (Row[x] & 0x00FFFFFF) | TColor32(Alpha[static_cast<size_t>(y) * W + x]) << 24;
    }
    FDocument.SetSrcBmpChanged(true);
    return true;
}

bool TEffectBrush::EffectDrawHighlight(Integer X, Integer Y, Integer R)
{
    auto* Pen = dynamic_cast<TImgLines*>(FHighlightPen.get());
    if (!Pen || !FSource || !FUnfiltered) return false;
    Pen->AddNewPoint(X, Y);
    Pen->SetOutWidth(2 * R);
    Pen->SetColor(FEffectDrawColor);
    Pen->SetStyleId(FEffectDrawStyle);
    Pen->Draw(FSource.get());
    const TPoint Last = FHighlightLastPoint;
    FHighlightLastPoint = TPoint{X, Y};
    // The pen is 2R wide: the step's pixels lie within 2R of both points.
    TRect Clip{Min(Last.X, X) - 2 * R, Min(Last.Y, Y) - 2 * R, Max(Last.X, X) + 2 * R, Max(Last.Y, Y) + 2 * R};
    if (!ClipTo(Clip, FDocument.SrcBmp(), FUnfiltered.get()) || !ClipTo(Clip, FSource.get(), FSource.get())) return false;
    // Recomposed from the unfiltered copy, so the layer multiplies once
    // however often the strokes cross.
    TCustomBitmap32 Patch;
    CopyPatch(Patch, *FUnfiltered, Clip);
    Patch.Draw(0, 0, Clip, FSource.get());
    for (Integer y = 0; y < Patch.Height(); ++y)
        std::memcpy(FDocument.SrcBmp()->GetPixelPtr(Clip.Left, Clip.Top + y), Patch.GetPixelPtr(0, y),
                    sizeof(TColor32) * static_cast<size_t>(Patch.Width()));
    FDocument.SetSrcBmpChanged(true);
    return true;
}

void TEffectBrush::EffectDrawEnd()
{
    if (!FEffectDrawing) return;
    FEffectDrawDone = true;
    FEffectDrawLastX = NoDab;
    // The next stroke is a polyline of its own; the layer keeps this one.
    if (auto* Pen = dynamic_cast<TImgLines*>(FHighlightPen.get())) Pen->ClearPoints();
}

// ---------------------------------------------------------------------------
// Closing the run

void TEffectBrush::EffectDrawOver(bool IsUndo)
{
    // The pristine copy may belong to an effect run: without a brush run
    // there is nothing of the brush's to close.
    if (!FEffectDrawing) return;
    if (!IsUndo && FEffectDrawDone) {
        if (FDocument.EffectMode() == emHighlighter || IsWarp(FDocument.EffectMode())) {
            FDocument.SetChanged(true);
            FDocument.SaveUndo();
        }
    } else if (!IsUndo && (FDocument.EffectMode() == emBokeh || FDocument.EffectMode() == emColoring) && FSource) {
        // Nothing painted: the picture as it was, and none of the states the
        // whole-raster changes took (redo must not reach them; an undo
        // inside the run may have left the index among them).
        FDocument.SrcBmp()->Assign(FSource.get());
        FDocument.SetSrcBmpChanged(false);
        FDocument.RemoveUndoStatesNamed(EffectDrawStateName, FUndoTempCount + 1);
    }
    FHighlightPen.reset();
    FImgWarping.reset();
    FSource.reset();
    FUnfiltered.reset();
    FEffectDrawing = false;
    FDocument.SetEffectMode(emNone);
    FDocument.Draw();
    FDocument.ClearUndoStateName(EffectDrawStateName);
}
