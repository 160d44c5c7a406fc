#include "document/ImageFrameRun.h"

// The frame runs: bands, shaped openings, layers from a frame table and a
// coloured overlay, each recomputed from the pristine copy.
#include <algorithm>
#include <cmath>
#include <vector>

#include "document/ObjectRows.h"
#include "document/ImageEffects.h"
#include "document/ImageSmall.h"
#include "document/ImageUndo.h"
#include "filters/HyRas32Filters.h"
#include "filters/Ras32_Filters.h"
#include "foundation/HyFileUtils_ImageInfo.h"

using namespace ImageDrawRows;

TFrameHooks FrameHooks;

namespace {
namespace ActCol {
constexpr Integer UndoIndex = 0, Routine = 1, Arg = 2;
}
enum : Integer { rtFrameDo0 = 1, rtFrameDo1 = 2, rtFrameDo2 = 3, rtFrameDo3 = 4 };
const String NewFrameRow = u",,,,,,,,,,,,,,2";
// The frame table's cells.
namespace LayerCol {
constexpr Integer Enabled = 0, Solid = 1, Color = 2, AlongSides = 3, Shaded = 5, ShadeLines = 6, Top = 10, Left = 11,
                  Right = 12, Bottom = 13;
}
const TColor32 TransparentWhite = 0x00FFFFFF;

std::unique_ptr<TCustomBitmap32> CopyOf(const TCustomBitmap32* Src)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->Assign(const_cast<TCustomBitmap32*>(Src));
    return B;
}

Integer RoundInt(double V) { return static_cast<Integer>(Round(V)); }

// ---------------------------------------------------------------------------
// The opening's region: the path flattened to polygons, pixel centres tested
// by the alternate (even-odd) rule, every figure closed.

using TFigure = std::vector<TFloatPoint>;

void AppendArc(TFigure& F, Single X, Single Y, Single W, Single H, Single Start, Single Sweep)
{
    const double a = W / 2.0, b = H / 2.0, cx = X + a, cy = Y + b;
    const double Rad = 3.14159265358979323846 / 180.0;
    const Integer N = std::clamp(static_cast<Integer>(std::ceil(std::max(a, b) * std::fabs(Sweep) * Rad)) + 1, 2, 4096);
    for (Integer i = 0; i <= N; ++i) {
        // The sweep is measured on the ellipse itself, not on its parameter.
        const double th = (Start + Sweep * i / N) * Rad;
        const double t = std::atan2(a * std::sin(th), b * std::cos(th));
        F.push_back(TFloatPoint{static_cast<Single>(cx + a * std::cos(t)), static_cast<Single>(cy + b * std::sin(t))});
    }
}

void AppendBeziers(TFigure& F, const std::vector<TFloatPoint>& P)
{
    if (P.empty()) return;
    F.push_back(P[0]);
    for (size_t i = 0; i + 3 < P.size(); i += 3) {
        const TFloatPoint &p0 = P[i], &p1 = P[i + 1], &p2 = P[i + 2], &p3 = P[i + 3];
        const double Len = std::hypot(p1.X - p0.X, p1.Y - p0.Y) + std::hypot(p2.X - p1.X, p2.Y - p1.Y) +
                           std::hypot(p3.X - p2.X, p3.Y - p2.Y);
        const Integer N = std::clamp(static_cast<Integer>(std::ceil(Len)), 2, 4096);
        for (Integer k = 1; k <= N; ++k) {
            const double t = double(k) / N, u = 1 - t;
            const double A = u * u * u, B = 3 * u * u * t, C = 3 * u * t * t, D = t * t * t;
            F.push_back(TFloatPoint{static_cast<Single>(A * p0.X + B * p1.X + C * p2.X + D * p3.X),
                                    static_cast<Single>(A * p0.Y + B * p1.Y + C * p2.Y + D * p3.Y)});
        }
    }
}

std::vector<TFigure> FlattenPath(const TShapePath& Path)
{
    std::vector<TFigure> Out;
    TFigure Cur;
    auto EndFigure = [&] {
        if (!Cur.empty()) Out.push_back(std::move(Cur));
        Cur.clear();
    };
    using TOp = TShapePath::TOp;
    for (const auto& It : Path.Items()) {
        switch (It.Op) {
        case TOp::Rectangle:
            EndFigure();
            Out.push_back({{It.X, It.Y}, {It.X + It.Width, It.Y}, {It.X + It.Width, It.Y + It.Height},
                           {It.X, It.Y + It.Height}});
            break;
        case TOp::Ellipse:
            EndFigure();
            AppendArc(Cur, It.X, It.Y, It.Width, It.Height, 0, 360);
            EndFigure();
            break;
        case TOp::Arc: AppendArc(Cur, It.X, It.Y, It.Width, It.Height, It.Start, It.Sweep); break;
        case TOp::Polygon:
            EndFigure();
            Out.push_back(It.Points);
            break;
        case TOp::Beziers: AppendBeziers(Cur, It.Points); break;
        case TOp::StartFigure:
        case TOp::CloseFigure: EndFigure(); break;
        default: Cur.insert(Cur.end(), It.Points.begin(), It.Points.end()); break;
        }
    }
    EndFigure();
    return Out;
}

// One byte per pixel of a W x H picture: 1 inside Path.
std::vector<Byte> PathInside(const TShapePath& Path, Integer W, Integer H)
{
    std::vector<Byte> Inside(static_cast<size_t>(W) * H, 0);
    std::vector<std::vector<Single>> Cross(static_cast<size_t>(H));
    for (const TFigure& F : FlattenPath(Path)) {
        const size_t n = F.size();
        for (size_t i = 0; i < n && n > 1; ++i) {
            const TFloatPoint a = F[i], b = F[(i + 1) % n];
            if (a.Y == b.Y) continue;
            const double y0 = std::min(a.Y, b.Y), y1 = std::max(a.Y, b.Y);
            // Rows whose centre lies in [y0, y1).
            const Integer r0 = std::max<Integer>(0, static_cast<Integer>(std::ceil(y0 - 0.5)));
            const Integer r1 = std::min<Integer>(H - 1, static_cast<Integer>(std::ceil(y1 - 0.5)) - 1);
            for (Integer r = r0; r <= r1; ++r) {
                const double yc = r + 0.5;
                Cross[r].push_back(static_cast<Single>(a.X + (yc - a.Y) * (b.X - a.X) / (b.Y - a.Y)));
            }
        }
    }
    for (Integer r = 0; r < H; ++r) {
        auto& C = Cross[r];
        std::sort(C.begin(), C.end());
        for (size_t i = 0; i + 1 < C.size(); i += 2) {
            const Integer x0 = std::max<Integer>(0, static_cast<Integer>(std::ceil(C[i] - 0.5)));
            const Integer x1 = std::min<Integer>(W, static_cast<Integer>(std::ceil(C[i + 1] - 0.5)));
            if (x1 > x0) std::fill_n(Inside.begin() + static_cast<ptrdiff_t>(r) * W + x0, x1 - x0, Byte(1));
        }
    }
    return Inside;
}

// A figure of D x D quarter arcs in the corners of (Left, Top, Right,
// Bottom); Corners bits 1 top-left, 2 top-right, 4 bottom-right, 8
// bottom-left; a square corner is a zero-length line at the corner point.
void RoundedFigure(TShapePath& Path, Single Left, Single Top, Single Right, Single Bottom, Single D, Integer Corners)
{
    const struct {
        Integer Bit;
        Single AX, AY, CX, CY, Start;
    } Corner[] = {{1, Left, Top, Left, Top, 180},
                  {2, Right - D, Top, Right, Top, 270},
                  {4, Right - D, Bottom - D, Right, Bottom, 0},
                  {8, Left, Bottom - D, Left, Bottom, 90}};
    for (const auto& c : Corner) {
        if (Corners & c.Bit)
            Path.AddArc(c.AX, c.AY, D, D, c.Start, 90);
        else
            Path.AddLine(c.CX, c.CY, c.CX, c.CY);
    }
    Path.CloseFigure();
}

// A rounded layout's opening: the figure inside the corner points (X - 1,
// Y - 1, Right, Bottom), or the rectangle (X, Y, W, H) when D is 1 or less;
// true when rounded.
bool RoundedOpening(TShapePath& Path, double D, Integer Corners, Integer X, Integer Y, Integer W, Integer H,
                    Integer Right, Integer Bottom)
{
    if (D <= 1) {
        Path.AddRectangle(static_cast<Single>(X), static_cast<Single>(Y), static_cast<Single>(W), static_cast<Single>(H));
        return false;
    }
    RoundedFigure(Path, static_cast<Single>(X - 1), static_cast<Single>(Y - 1), static_cast<Single>(Right),
                  static_cast<Single>(Bottom), static_cast<Single>(D), Corners);
    return true;
}

std::vector<TFloatPoint> Points(std::initializer_list<TPoint> P)
{
    std::vector<TFloatPoint> V;
    for (const TPoint& p : P) V.push_back(TFloatPoint{static_cast<Single>(p.X), static_cast<Single>(p.Y)});
    return V;
}

// The opening of a shaped frame FrameDo1 draws, for a W x H picture in a
// frame B wide; false for a mode without one.
bool ShapedOpening(TShapePath& Path, Integer Mode, Integer W, Integer H, Integer B, Integer Value2)
{
    const Integer W1 = W + 2 * B, H1 = H + 2 * B, m = std::min(W, H);
    const Integer c = static_cast<Integer>(std::trunc((m / 4) * Value2 / 100.0));
    const Integer hw = W1 / 2, hh = H1 / 2;
    auto rx = [&](double f) { return RoundInt(f * W1); };
    auto ry = [&](double f) { return RoundInt(f * H1); };
    switch (Mode) {
    case 1: case 5: case 6: case 15: case 16: {
        const Integer Corners = Mode == 1 ? 15 : Mode == 5 ? 1 | 4 : Mode == 6 ? 2 | 8 : Mode == 15 ? 1 | 2 : 4 | 8;
        RoundedOpening(Path, Value2 * double(m) / 100, Corners, B, B, W, H, W1 - B, H1 - B);
        return true;
    }
    case 2: {
        const Integer k = static_cast<Integer>(std::trunc(m / 2.0 * Value2 / 100));
        Path.AddPolygon(Points({{B, B + k}, {B + k, B}, {W1 - B - k - 1, B}, {W1 - B - 1, B + k},
                                {W1 - B - 1, H1 - B - k - 1}, {W1 - B - k - 1, H1 - B - 1}, {B + k, H1 - B - 1},
                                {B, H1 - B - k - 1}}));
        return true;
    }
    case 3: {
        const double r = (100 - Value2) / 100.0 * m / 2;
        Path.AddEllipse(static_cast<Single>(B + W / 2.0 - r), static_cast<Single>(B + H / 2.0 - r),
                        static_cast<Single>(2 * r), static_cast<Single>(2 * r));
        return true;
    }
    case 4: {
        const double ex = W / 2.0 * Value2 / 100, ey = H / 2.0 * Value2 / 100;
        Path.AddEllipse(static_cast<Single>(B + ex - 1), static_cast<Single>(B + ey - 1),
                        static_cast<Single>(W - 2 * ex + 1), static_cast<Single>(H - 2 * ey + 1));
        return true;
    }
    case 7:
        Path.AddPolygon(Points({{hw, B + c}, {B + c, hh}, {hw, H1 - B - c - 1}, {W1 - B - c - 1, hh}}));
        return true;
    case 8:
        Path.AddPolygon(Points({{hw, B + c}, {c + rx(0.32), c + ry(0.32)}, {B + c, hh}, {c + rx(0.32), ry(0.68) - c},
                                {hw, H1 - B - c - 1}, {rx(0.68) - c, ry(0.68) - c}, {W1 - B - c - 1, hh},
                                {rx(0.68) - c, c + ry(0.32)}}));
        return true;
    case 9:
        Path.AddPolygon(Points({{W1 / 4, B + c}, {B + c, hh}, {W1 / 4, H1 - B - c - 1}, {W1 - W1 / 4, H1 - B - c - 1},
                                {W1 - B - c - 1, hh}, {W1 - W1 / 4, B + c}}));
        return true;
    case 10:
        Path.AddPolygon(Points({{hw, B + c}, {c + rx(0.3), c + ry(0.2)}, {B + c, ry(0.3)}, {B + c + rx(0.1), hh},
                                {B + c, ry(0.7)}, {c + rx(0.3), ry(0.8) - c}, {hw, H1 - B - c - 1},
                                {rx(0.7) - c, ry(0.8) - c}, {W1 - B - c - 1, ry(0.7)},
                                {W1 - B - c - rx(0.1) - 1, hh}, {W1 - B - c - 1, ry(0.3)},
                                {rx(0.7) - c, c + ry(0.2)}}));
        return true;
    case 11: case 12: {
        const Integer e = B / 3;
        // The shield's points 2 to 12.
        const std::vector<TPoint> Mid = {{rx(0.06), B},          {-rx(0.04) - e, ry(0.25)}, {B + rx(0.03), ry(0.52)},
                                         {B + rx(0.1), ry(0.72)}, {hw, H1 - B - 1},          {hw, H1 - B - 1},
                                         {hw, H1 - B - 1},        {rx(0.9) - B, ry(0.72)},   {rx(0.97) - B, ry(0.52)},
                                         {e + rx(1.04), ry(0.25)}, {rx(0.94), B}};
        std::vector<TPoint> P;
        if (Mode == 11) {
            P.push_back({hw, B});
            P.insert(P.end(), Mid.begin(), Mid.end());
            P.push_back({hw, B});
        } else {
            P = {{hw, H1 / 4}, {hw, H1 / 4}, {hw, B}, {rx(0.3), B}};
            P.insert(P.end(), Mid.begin(), Mid.end());
            P.insert(P.end(), {{rx(0.7), B}, {hw, B}, {hw, H1 / 4}, {hw, H1 / 4}});
        }
        std::vector<TFloatPoint> F;
        for (const TPoint& p : P) F.push_back(TFloatPoint{static_cast<Single>(p.X), static_cast<Single>(p.Y)});
        Path.AddBeziers(std::move(F));
        Path.CloseFigure();
        return true;
    }
    case 13:
        Path.AddPolygon(Points({{hw, B + c}, {B + c, hh}, {B + c, H1 - B - c - 1}, {W1 - B - c - 1, H1 - B - c - 1},
                                {W1 - B - c - 1, hh}}));
        return true;
    case 14:
        Path.AddPolygon(Points({{B + c, B + c}, {B + c, hh}, {hw, H1 - B - c - 1}, {W1 - B - c - 1, hh},
                                {W1 - B - c - 1, B + c}}));
        return true;
    default: return false;
    }
}

void StrokePath(TCustomBitmap32& Target, const TShapePath& Path, Single Width, TColor32 Color, Integer Texture)
{
    if (FrameHooks.StrokePath) FrameHooks.StrokePath(Target, Path, Width, Color, Texture);
}

// A frame table's width cell; outside data, so a negative width counts as 0.
Integer LayerWidth(const TRow& Row, Integer Col) { return std::max(0, IntOf(Row, Col)); }
}  // namespace

// ---------------------------------------------------------------------------
// The run

void TFrameRun::FrameBegin()
{
    FActionRow = std::make_unique<TRow>();
    FActionRow->Init(NewFrameRow, u',');
    FPristine.reset();
    FSrcBmpChangedAtBegin = FDocument.SrcBmpChanged();
    if (FFrameSmall) {
        // Without a current picture object no run opens: previews do nothing.
        if (auto* Small = dynamic_cast<TImgSmall*>(FDocument.Shape())) FPristine = CopyOf(Small->SrcBmp());
    } else {
        FPristine = CopyOf(FDocument.SrcBmp());
        FLastMoveOffsetX = 0;
        FLastMoveOffsetY = 0;
        FFrameModified = FDocument.Modified();
    }
}

TCustomBitmap32* TFrameRun::FrameTarget() const
{
    if (FDocument.CustomBmp()) return FDocument.CustomBmp();
    if (!FPristine) return nullptr;
    if (!FFrameSmall) return FDocument.SrcBmp();
    auto* Small = dynamic_cast<TImgSmall*>(FDocument.Shape());
    return Small ? Small->SrcBmp() : nullptr;
}

void TFrameRun::FrameFinish(TCustomBitmap32& T, Integer DX, Integer DY)
{
    if (FDocument.CustomBmp()) return;
    if (FFrameSmall) {
        if (auto* Small = dynamic_cast<TImgSmall*>(FDocument.Shape())) {
            const TRect R = Small->SRect();
            Small->SetSRect(TRect{R.Left, R.Top, R.Left + T.Width(), R.Top + T.Height()});
            Small->SetDataChanged(true);
            Small->SetChanged2(true);
        }
        return;
    }
    FDocument.ResetShapeLocation(DX - FLastMoveOffsetX, DY - FLastMoveOffsetY);
    FLastMoveOffsetX = DX;
    FLastMoveOffsetY = DY;
    FDocument.SetSrcBmpChanged(true);
    FDocument.InitBitmap();
    FDocument.ProcessingDone(TProcessingMode::pmResize);
}

TRow* TFrameRun::FrameActionRow(Integer Routine)
{
    // Only the raster's frames are replayed by batch processing.
    if (FDocument.CustomBmp() || FFrameSmall || !FActionRow) return nullptr;
    SetInt(*FActionRow, ActCol::UndoIndex, FDocument.UndoIndex() + 1);
    SetInt(*FActionRow, ActCol::Routine, Routine);
    return FActionRow.get();
}

void TFrameRun::FrameEnd(bool IsApply)
{
    if (!FPristine) {
        FActionRow.reset();
        return;
    }
    if (IsApply) {
        if (!FFrameSmall) FDocument.SetSrcBmpChanged(true);
        FDocument.SetChanged(true);
        FDocument.SaveUndo();
    } else if (FFrameSmall) {
        if (auto* Small = dynamic_cast<TImgSmall*>(FDocument.Shape())) {
            Small->SrcBmp()->Assign(FPristine.get());
            FrameFinish(*Small->SrcBmp(), 0, 0);
        }
        FDocument.Draw();
    } else {
        FDocument.SrcBmp()->Assign(FPristine.get());
        FDocument.ResetShapeLocation(-FLastMoveOffsetX, -FLastMoveOffsetY);
        FLastMoveOffsetX = 0;
        FLastMoveOffsetY = 0;
        // The raster and the objects are as they were when the run opened,
        // change flag and due undo state included.
        FDocument.SetSrcBmpChanged(FSrcBmpChangedAtBegin);
        FDocument.SetModified(FFrameModified);
        FDocument.InitBitmap();
        FDocument.Draw();
        FDocument.ProcessingDone(TProcessingMode::pmResize);
    }
    FPristine.reset();
    FDocument.CloseActionRow(std::move(FActionRow), IsApply);
}

// ---------------------------------------------------------------------------
// The four kinds

void TFrameRun::FrameDo0(Integer Value1, TColor Color1, Integer Value2, TColor Color2, Integer Value3,
                          TColor Color3, bool OptionChecked)
{
    TCustomBitmap32* T = FrameTarget();
    if (!T || FFrameMode < 1 || FFrameMode > 10) return;
    const auto S = CopyOf(FDocument.CustomBmp() ? FDocument.CustomBmp() : FPristine.get());
    const Integer W = S->Width(), H = S->Height();
    const TColor32 C1 = ColorToColor32(Color1), C2 = ColorToColor32(Color2), C3 = ColorToColor32(Color3);
    Integer P = Value1, Q = Value1, FW = 0, FH = 0;
    switch (FFrameMode) {
    case 2: P = Q = Value1 + Value2 + Value3; break;
    case 3: case 4: case 9: case 10: P = Q = Value1 + Value2; break;
    case 6: P = Value2; Q = Value1; break;
    default: break;
    }
    FW = W + 2 * P;
    FH = H + 2 * Q;
    if (FFrameMode == 5) FH = H + Value1 + Value2;
    if (FFrameMode == 6) FH = H + Value1 + Value3;
    if (FW <= 0 || FH <= 0 || Int64(FW) * FH > MaxImagePixels) return;
    TCustomBitmap32 F;
    F.SetSize(FW, FH);
    switch (FFrameMode) {
    case 2:
        F.Clear(C1);
        F.FillRectS(Value1, Value1, FW - Value1, FH - Value1, C2);
        F.FillRectS(Value1 + Value2, Value1 + Value2, FW - Value1 - Value2, FH - Value1 - Value2, C3);
        break;
    case 5:
        F.Clear(C1);
        F.FillRectS(0, FH - Value2, FW, FH, C2);
        break;
    case 6:
        F.Clear(C2);
        F.FillRectS(0, 0, FW, Value1, C1);
        F.FillRectS(0, FH - Value3, FW, FH, C3);
        break;
    case 1: F.Clear(C1); break;
    default:
        F.Clear(C1);
        F.FillRectS(Value1, Value1, FW - Value1, FH - Value1, C2);
        break;
    }
    TShapePath Opening;
    bool Outlined = false;
    switch (FFrameMode) {
    case 3: case 9: case 10: {
        const Integer Corners = FFrameMode == 3 ? 15 : FFrameMode == 9 ? 1 | 4 : 2 | 8;
        Outlined = RoundedOpening(Opening, Value3 * double(std::min(W, H)) / 100, Corners, P, Q, W, H, FW - P, FH - P);
        break;
    }
    case 4: {
        const Integer c = static_cast<Integer>(std::trunc(std::min(W, H) / 2.0 * Value3 / 100));
        Opening.AddPolygon(Points({{P, P + c}, {P + c, P}, {FW - P - c, P}, {FW - P, P + c}, {FW - P, FH - P - c},
                                   {FW - P - c, FH - P}, {P + c, FH - P}, {P, FH - P - c}}));
        break;
    }
    case 7: {
        const double r = (100 - Value2) / 100.0 * std::max(W, H) / 2;
        Opening.AddEllipse(static_cast<Single>(Value1 + W / 2.0 - r), static_cast<Single>(Value1 + H / 2.0 - r),
                           static_cast<Single>(2 * r), static_cast<Single>(2 * r));
        Outlined = true;
        break;
    }
    case 8: {
        const double ex = W / 2.0 * Value2 / 100, ey = H / 2.0 * Value2 / 100;
        Opening.AddEllipse(static_cast<Single>(Value1 + ex - 1), static_cast<Single>(Value1 + ey - 1),
                           static_cast<Single>(W - 2 * ex + 1), static_cast<Single>(H - 2 * ey + 1));
        Outlined = true;
        break;
    }
    default:
        Opening.AddRectangle(static_cast<Single>(P), static_cast<Single>(Q), static_cast<Single>(W),
                             static_cast<Single>(H));
        break;
    }
    const std::vector<Byte> Inside = PathInside(Opening, FW, FH);
    TColor32* Px = F.Bits();
    for (size_t i = 0; i < Inside.size(); ++i)
        if (Inside[i]) Px[i] &= 0x00FFFFFF;
    if (Outlined) StrokePath(F, Opening, 1, C2, -1);
    F.SetDrawMode(dmBlend);
    F.SetCombineMode(cmMerge);
    T->SetSize(FW, FH);
    T->Clear(C1);
    T->Draw(P, Q, S.get());
    T->Draw(0, 0, &F);
    if (FFrameMode == 7 && P > 0) {
        // What of the circle lay beyond the picture is cut off.
        T->FillRectS(0, 0, P, FH, C1);
        T->FillRectS(0, 0, FW, Q, C1);
        T->FillRectS(0, FH - Q, FW, FH, C1);
        T->FillRectS(FW - P, 0, FW, FH, C1);
    }
    FrameFinish(*T, P, Q);
    if (TRow* Row = FrameActionRow(rtFrameDo0)) {
        SetInt(*Row, ActCol::Arg, FFrameMode);
        SetInt(*Row, 3, Value1);
        SetInt(*Row, 4, Color1);
        SetInt(*Row, 5, Value2);
        SetInt(*Row, 6, Color2);
        SetInt(*Row, 7, Value3);
        SetInt(*Row, 8, Color3);
        SetBool(*Row, 9, OptionChecked);
    }
}

void TFrameRun::FrameDo1(Integer Value1, TColor Color1, Integer Value2, const String& TextureFileName)
{
    TCustomBitmap32* T = FrameTarget();
    if (!T) return;
    const auto S = CopyOf(FDocument.CustomBmp() ? FDocument.CustomBmp() : FPristine.get());
    const Integer B = std::max(0, Value1), W = S->Width(), H = S->Height();
    const Integer W1 = W + 2 * B, H1 = H + 2 * B;
    TShapePath Opening;
    if (W1 <= 0 || H1 <= 0 || Int64(W1) * H1 > MaxImagePixels ||
        !ShapedOpening(Opening, FFrameMode, W, H, B, Value2))
        return;
    T->SetSize(W1, H1);
    T->Clear(TransparentWhite);
    T->Draw(B, B, S.get());
    const std::vector<Byte> Inside = PathInside(Opening, W1, H1);
    TColor32* Px = T->Bits();
    for (size_t i = 0; i < Inside.size(); ++i)
        if (!Inside[i]) Px[i] = TransparentWhite;
    if (B != 0 || !FDocument.CanvasTransparent()) {
        const Integer Texture = TextureFileName.empty() ? -1 : RegisterTexture(TextureFileName);
        if (B < 1)
            StrokePath(*T, Opening, 1, FDocument.CanvasColor(), Texture);
        else
            StrokePath(*T, Opening, static_cast<Single>(B), ColorToColor32(Color1), Texture);
    }
    T->Changed();
    FrameFinish(*T, B, B);
    if (TRow* Row = FrameActionRow(rtFrameDo1)) {
        SetInt(*Row, ActCol::Arg, FFrameMode);
        SetInt(*Row, 3, Value1);
        SetInt(*Row, 4, Color1);
        SetInt(*Row, 5, Value2);
        SetText(*Row, 6, TextureFileName);
    }
}

void TFrameRun::FrameDo2(TDataTable* DT)
{
    TCustomBitmap32* T = FrameTarget();
    if (!T || !DT || DT->ItemCount() > MaxFrameLayers) return;
    const auto S = CopyOf(FDocument.CustomBmp() ? FDocument.CustomBmp() : FPristine.get());
    const Integer W = S->Width(), H = S->Height(), N = DT->ItemCount();
    Integer L = 0, Tp = 0, Rt = 0, Bt = 0;
    for (Integer i = 0; i < N; ++i) {
        const TRow& R = *DT->GetItem(i);
        if (!BoolOf(R, LayerCol::Enabled)) continue;
        L += LayerWidth(R, LayerCol::Left);
        Tp += LayerWidth(R, LayerCol::Top);
        Rt += LayerWidth(R, LayerCol::Right);
        Bt += LayerWidth(R, LayerCol::Bottom);
    }
    const Int64 FW = Int64(W) + L + Rt, FH = Int64(H) + Tp + Bt;
    if (FW * FH > MaxImagePixels) return;
    if (L + Tp + Rt + Bt == 0) {
        T->Assign(S.get());
    } else {
        // Rects[i + 1]: row i's outer edge; a disabled row passes it on.
        std::vector<TRect> Rects{TRect{L, Tp, L + W, Tp + H}};
        for (Integer i = 0; i < N; ++i) {
            const TRow& R = *DT->GetItem(i);
            TRect X = Rects.back();
            if (BoolOf(R, LayerCol::Enabled)) {
                X.Left -= LayerWidth(R, LayerCol::Left);
                X.Top -= LayerWidth(R, LayerCol::Top);
                X.Right += LayerWidth(R, LayerCol::Right);
                X.Bottom += LayerWidth(R, LayerCol::Bottom);
            }
            Rects.push_back(X);
        }
        TCustomBitmap32 F;
        F.SetSize(static_cast<Integer>(FW), static_cast<Integer>(FH));
        F.Clear(FDocument.CanvasColor());
        for (Integer i = N - 1; i >= 0; --i) {
            const TRow& R = *DT->GetItem(i);
            if (!BoolOf(R, LayerCol::Enabled) ||
                LayerWidth(R, LayerCol::Left) + LayerWidth(R, LayerCol::Top) + LayerWidth(R, LayerCol::Right) +
                        LayerWidth(R, LayerCol::Bottom) == 0)
                continue;
            const TRect& X = Rects[static_cast<size_t>(i) + 1];
            if (BoolOf(R, LayerCol::Solid)) {
                F.FillRectS(X, ColorToColor32(IntOf(R, LayerCol::Color)));
                if (BoolOf(R, LayerCol::Shaded))
                    DrawShadedFrame(&F, X, LayerWidth(R, LayerCol::Left), std::max(0, IntOf(R, LayerCol::ShadeLines)));
            } else {
                F.FillRectS(X, FDocument.CanvasColor());
                if (auto* Tile = DT->GetItem(i)->Data().As<TCustomBitmap32>())
                    DrawTiledFrame(Tile, &F, X, BoolOf(R, LayerCol::AlongSides));
            }
        }
        T->SetSize(F.Width(), F.Height());
        F.SetDrawMode(dmOpaque);
        T->Draw(0, 0, &F);
        T->Draw(L, Tp, S.get());
    }
    FrameFinish(*T, L, Tp);
    if (TRow* Row = FrameActionRow(rtFrameDo2)) {
        TUndoHistory::ClearActionData(Row);
        auto Copy = std::make_unique<TDataTable>();
        Copy->CopyFrom(DT, true);
        for (Integer i = 0; i < N; ++i) {
            TRow& R = *Copy->GetItem(i);
            R.Data().Clear();
            auto* Tile = DT->GetItem(i)->Data().As<TCustomBitmap32>();
            if (BoolOf(R, LayerCol::Enabled) && !BoolOf(R, LayerCol::Solid) && Tile) R.Data().Own(CopyOf(Tile));
        }
        Row->Data().Own(std::move(Copy));
    }
}

void TFrameRun::FrameDo3(Integer Value1, TColor Color1)
{
    TCustomBitmap32* T = FrameTarget();
    if (!T) return;
    if (!FDocument.CustomBmp()) T->Assign(FPristine.get());
    if (FFrameMaskBmp && !FFrameMaskBmp->Empty() && !T->Empty()) {
        TCustomBitmap32 F;
        F.SetSize(T->Width(), T->Height());
        F.Clear(ColorToColor32(Color1));
        F.SetDrawMode(dmBlend);
        F.SetCombineMode(cmMerge);
        F.SetMasterAlpha(static_cast<Cardinal>(std::clamp<Int64>(Round(Value1 * 2.55), 0, 255)));
        auto M = CopyOf(FFrameMaskBmp);
        InvertColorChannels(M.get(), M.get());
        ResizeBitmap(M.get(), M.get(), T->Width(), T->Height());
        AlphaFromIntensity(&F, M.get());
        T->Draw(0, 0, &F);
    }
    if (FDocument.CustomBmp()) return;
    if (FFrameSmall) {
        if (auto* Small = dynamic_cast<TImgSmall*>(FDocument.Shape())) {
            Small->SetDataChanged(true);
            Small->SetChanged2(true);
        }
        return;
    }
    FDocument.SetSrcBmpChanged(true);
    if (TRow* Row = FrameActionRow(rtFrameDo3)) {
        SetInt(*Row, 2, Value1);
        SetInt(*Row, 3, Color1);
        if (FFrameMaskBmp && !Row->Data()) Row->Data().Own(CopyOf(FFrameMaskBmp));
    }
}
