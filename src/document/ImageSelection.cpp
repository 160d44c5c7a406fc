#include "document/ImageSelection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <utility>

#include "Component/Raster32/Ras32_Layers.h"
#include "document/ImageControlLayer.h"
#include "filters/HyRas32Filters.h"
#include "filters/Ras32_Filters.h"
#include "filters/SharpenLib32.h"
#include "framework/runtime/SysUtils.h"

TImageSelectionHooks ImageSelectionHooks;

namespace {

constexpr TColor32 ClearWhite = 0x00FFFFFF;

TRect Intersect(const TRect& A, const TRect& B)
{
    TRect R{Max(A.Left, B.Left), Max(A.Top, B.Top), Min(A.Right, B.Right), Min(A.Bottom, B.Bottom)};
    if (R.Right <= R.Left || R.Bottom <= R.Top) return TRect{};
    return R;
}

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// The pixels of Src inside Area (within Src), copied as they are.
std::unique_ptr<TCustomBitmap32> CopyArea(const TCustomBitmap32& Src, const TRect& Area)
{
    auto B = std::make_unique<TCustomBitmap32>();
    if (IsEmptyRect(Area)) return B;
    B->SetSize(Area.Width(), Area.Height());
    for (Integer y = 0; y < Area.Height(); ++y)
        for (Integer x = 0; x < Area.Width(); ++x) B->SetPixel(x, y, Src.Pixel(Area.Left + x, Area.Top + y));
    return B;
}

struct TPointLess {
    bool operator()(const TPoint& A, const TPoint& B) const { return A.Y != B.Y ? A.Y < B.Y : A.X < B.X; }
};

}  // namespace

// ---------------------------------------------------------------------------
// Pixel helpers

TArrayOfPoint GetRectCornerPixels(const std::vector<TRect>& Rects, bool Inclusive)
{
    const Integer f = Inclusive ? 1 : 0;
    TArrayOfPoint P;
    for (const TRect& R : Rects) {
        const bool Wide = R.Right - R.Left > 1;
        P.push_back({R.Left, R.Top});
        if (R.Bottom - R.Top <= 1) {
            if (Wide) P.push_back({R.Right - f, R.Top});
            continue;
        }
        P.push_back({R.Left, R.Bottom - f});
        if (Wide) {
            P.push_back({R.Right - f, R.Top});
            P.push_back({R.Right - f, R.Bottom - f});
        }
    }
    return P;
}

namespace {
// The inside columns of each row of the ellipse inscribed in Rect, as
// [first, last + 1) relative to Rect.Left (equal ends: none). Each row's
// inside pixels are contiguous: the half-heights rise to the middle column
// and fall after it.
std::vector<std::pair<Integer, Integer>> EllipseRowSpans(const TRect& Rect)
{
    const Integer W = Rect.Right - Rect.Left, H = Rect.Bottom - Rect.Top;
    std::vector<std::pair<Integer, Integer>> Spans;
    if (W <= 0 || H <= 0) return Spans;
    const Single rx = W / 2.0f, ry = H / 2.0f;
    auto RowDistance = [&](Integer r) -> Single {
        if (H % 2 == 0) return r < H / 2 ? ry - r - 0.5f : ry - (r + 1) + 0.5f;
        const Integer b = H / 2;
        if (r == 0) return ry - 0.5f;
        if (r < b) return ry - ry / b * r - 0.5f;
        if (r == b) return 0.0f;
        if (r == H - 1) return 0.5f - ry;
        return ry / b * (b - r) + 0.5f;
    };
    auto ColumnDistance = [&](Integer i) -> Single {
        if (W % 2 == 0) return i < W / 2 ? i - rx + 0.5f : (i + 1) - rx - 0.5f;
        const Integer c = W / 2;
        if (i == 0) return 0.5f - rx;
        if (i < c) return rx / c * i - rx + 0.5f;
        if (i == c) return 0.0f;
        if (i == W - 1) return rx - 0.5f;
        return rx / c * (i - c) - 0.5f;
    };
    // The outermost columns are admitted a little more strictly, so that the
    // small ellipses keep their shape.
    auto Tolerance = [&](Integer i) -> Single {
        if (W % 2 == 0) {
            if (i == 0 || i == W - 1) return 0.1f;
            if (i == 1 || i == W - 2) return 0.02f;
            return 0.0f;
        }
        return (i == 0 || i == W - 1) ? 0.15f : 0.0f;
    };
    std::vector<Single> Half(static_cast<size_t>(W));
    for (Integer i = 0; i < W; ++i)
        Half[static_cast<size_t>(i)] = EllipseHalfHeight(W, H, ColumnDistance(i)) - Tolerance(i);
    Spans.reserve(static_cast<size_t>(H));
    for (Integer r = 0; r < H; ++r) {
        const Single py = std::fabs(RowDistance(r));
        Integer First = 0;
        while (First < W && !(Half[static_cast<size_t>(First)] >= py)) ++First;
        Integer Last = First;
        while (Last < W && Half[static_cast<size_t>(Last)] >= py) ++Last;
        Spans.push_back({First, Last});
    }
    return Spans;
}

TImageRegion EllipseRegion(const TRect& Rect)
{
    std::vector<TRect> Rows;
    const auto Spans = EllipseRowSpans(Rect);
    for (size_t r = 0; r < Spans.size(); ++r) {
        const Integer y = Rect.Top + static_cast<Integer>(r);
        Rows.push_back(TRect{Rect.Left + Spans[r].first, y, Rect.Left + Spans[r].second, y + 1});
    }
    return TImageRegion::FromRects(Rows);
}
}  // namespace

TArrayOfPoint GetEllipsePixels(const TRect& Rect)
{
    TArrayOfPoint Out;
    const auto Spans = EllipseRowSpans(Rect);
    for (size_t r = 0; r < Spans.size(); ++r)
        for (Integer i = Spans[r].first; i < Spans[r].second; ++i)
            Out.push_back({Rect.Left + i, Rect.Top + static_cast<Integer>(r)});
    return Out;
}

Integer AlphaNeighbourMask(const TCustomBitmap32& B, Integer X, Integer Y)
{
    auto Has = [&](Integer x, Integer y) {
        return x >= 0 && y >= 0 && x < B.Width() && y < B.Height() && (B.Pixel(x, y) >> 24) != 0;
    };
    return (Has(X - 1, Y) ? 1 : 0) | (Has(X, Y - 1) ? 2 : 0) | (Has(X + 1, Y) ? 4 : 0) | (Has(X, Y + 1) ? 8 : 0);
}

// ---------------------------------------------------------------------------
// TImgSelection

TImgSelection::TImgSelection(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : TImgShape(AOwner, ShapeId, ABitmap), FPoints(2)
{
    FShapeType = shSelection;
    FControlMode = 2;
    FTempBmpZ = std::make_unique<TCustomBitmap32>();
    FTempBmpF = std::make_unique<TCustomBitmap32>();
    FBrushBitmap = std::make_unique<TCustomBitmap32>();
    if (AOwner && AOwner->BrushBitmap()) FBrushBitmap->Assign(AOwner->BrushBitmap());
    if (ImageSelectionHooks.NewTimer)
        FTimerAnt = ImageSelectionHooks.NewTimer(100, [this] { AntTimerTick(); });
    else
        FTimerAnt = std::make_unique<TSelectionTimer>();
    FTimerAnt->SetEnabled(false);
}

TImgSelection::~TImgSelection()
{
    // The timer goes first: no tick may reach a half-destroyed object.
    FTimerAnt.reset();
}

TRect TImgSelection::RasterRect() const
{
    if (FParent && FParent->SrcBmp()) return FParent->SrcBmp()->BoundsRect();
    return FBitmap ? FBitmap->BoundsRect() : TRect{};
}

void TImgSelection::AddNewPoint(Integer X, Integer Y)
{
    if (FPointsCount > 0 && FPoints[static_cast<size_t>(FPointsCount - 1)] == TPoint{X, Y}) return;
    if (FPointsCount >= FPointsAllocatedCount) {
        FPointsAllocatedCount *= 2;
        FPoints.resize(static_cast<size_t>(FPointsAllocatedCount));
    }
    FPoints[static_cast<size_t>(FPointsCount++)] = TPoint{X, Y};
}

void TImgSelection::DeleteLastPoint()
{
    if (FPointsCount > 1) --FPointsCount;
}

TImageRegion TImgSelection::BuildRegion(Integer Style, const TRect& R, const TPoint* Pts, Integer Count,
                                        const TPoint& PMoved) const
{
    TRect N;
    NormalizeRect(R, N);
    const TRect Raster = RasterRect();
    switch (Style) {
    case 0: return TImageRegion(N);
    case 1: return EllipseRegion(N);
    case 2: case 3: case 4: return TImageRegion::FromPolygon(Pts, Count);
    case 5: return TImageRegion::FromPixelRuns(Pts, Count);
    case 9: return TImageRegion(TRect{Raster.Left, PMoved.Y, Raster.Right, PMoved.Y + 1});
    case 10: return TImageRegion(TRect{PMoved.X, Raster.Top, PMoved.X + 1, Raster.Bottom});
    default: return TImageRegion();
    }
}

bool TImgSelection::CheckRegion()
{
    if (FRegionH.Bounds().Width() != 0) return true;
    FRegionH = TImageRegion();
    return false;
}

bool TImgSelection::CreateRegion(bool IsAntialiasing)
{
    FRegionH = BuildRegion(FStyleId, FRect, FPoints.data(), FPointsCount, FPointMoved);
    if (!CheckRegion()) return false;
    if (FStyleId == 4) {
        BuildNodePoints();
        FRegionH = TImageRegion::FromPolygon(FNodePoints.data(), FNodeCount);
        if (!CheckRegion()) return false;
        FNodeAntialiasing = IsAntialiasing;
    }
    CalcRegionRects();
    if (FStyleId != 4) UpdateAliasPoints(FRegionH, true, IsAntialiasing);
    FDataChanged = true;
    return true;
}

bool TImgSelection::CreateRegionFromRects(bool IsAntialiasing, std::vector<TRect>& Rects)
{
    FRegionH = TImageRegion::FromRects(Rects);
    if (!CheckRegion()) return false;
    CalcRegionRects();
    UpdateAliasPoints(FRegionH, true, IsAntialiasing);
    FDataChanged = true;
    return true;
}

void TImgSelection::CombineRegion(bool IsAntialiasing, Integer RegionStyleId, const TRect& ARect,
                                  const TPoint* APoints, Integer APointsCount, const TPoint& PMoved)
{
    const bool Add = FParent && FParent->SelectionExpanding();
    FlattenBitmap(true);
    const TImageRegion Kept = FRegionH;
    // A node polygon merges as the plain polygon of its points.
    const TImageRegion Shape = BuildRegion(RegionStyleId, ARect, APoints, APointsCount, PMoved);
    FRegionH = FRegionH.Combined(Shape, Add ? rcOr : rcDiff);
    if (!Add && FRegionH.Empty()) {
        // A selection is never subtracted away to nothing.
        FRegionH = Kept;
        return;
    }
    UpdateAliasPoints(Shape, Add, IsAntialiasing);
    CalcRegionRects();
    FDataChanged = true;
}

bool TImgSelection::CombineRegionAuto(bool IsAntialiasing, bool bAll)
{
    FlattenBitmap(true);
    FAliasPoints.clear();
    FAliasPointsCount = 0;
    const TImageRegion Raster(RasterRect());
    if (bAll) {
        FRegionH = Raster;
    } else {
        FRegionH = Raster.Combined(FRegionH, rcDiff);
        UpdateAliasPoints(FRegionH, true, IsAntialiasing);
    }
    if (FRegionH.Empty()) return false;
    CalcRegionRects();
    FDataChanged = true;
    return true;
}

void TImgSelection::BuildNodePoints()
{
    const TArrayOfPoint Corners = GetRectCornerPixels(FRegionH.Rects(), false);
    const std::set<TPoint, TPointLess> CornerSet(Corners.begin(), Corners.end());
    TArrayOfPoint Kept;
    for (Integer i = 0; i < FPointsCount; ++i) {
        const TPoint& P = FPoints[static_cast<size_t>(i)];
        if (!FRegionH.Contains(P.X, P.Y) || CornerSet.count(P)) Kept.push_back(P);
    }
    TArrayOfPoint Nodes;
    const size_t n = Kept.size();
    if (n > 0) Nodes.push_back(Kept[0]);
    auto AngleDiff = [](Single A, Single B) {
        Single d = std::fabs(A - B);
        return d > 180 ? 360 - d : d;
    };
    for (size_t i = 1; i < n; ++i) {
        const TPoint& s = Nodes.back();
        const TPoint& P = Kept[i];
        // The last point's next is the first, so that the closing edge is
        // simplified too.
        const TPoint& Next = i + 1 < n ? Kept[i + 1] : Kept[0];
        const Single d = GPPointDistance(s, P);
        if (d < 3) continue;
        if (d < 10 && AngleDiff(CalcAngle(P.X, P.Y, static_cast<Single>(s.X), static_cast<Single>(s.Y)),
                                CalcAngle(Next.X, Next.Y, static_cast<Single>(s.X), static_cast<Single>(s.Y))) < 10)
            continue;
        if (i + 1 == n && Nodes.size() > 1 && GPPointDistance(P, Kept[0]) < 3) continue;
        Nodes.push_back(P);
    }
    FNodePoints = Nodes;
    FNodeCount = static_cast<Integer>(Nodes.size());
    FCtrRects.assign(Nodes.size(), TRect{});
}

void TImgSelection::AddNodePoint(Integer X, Integer Y)
{
    if (FNodeCount < 2) return;
    const TPoint P{X, Y};
    Single Best = 100000;
    Integer At = -1;
    for (Integer i = 0; i + 1 < FNodeCount; ++i) {
        const Single d = PointToSegmentDistance(FNodePoints[static_cast<size_t>(i)],
                                                FNodePoints[static_cast<size_t>(i + 1)], P);
        if (d < Best) {
            Best = d;
            At = i;
        }
    }
    if (PointToSegmentDistance(FNodePoints[static_cast<size_t>(FNodeCount - 1)], FNodePoints[0], P) < Best)
        At = FNodeCount - 1;
    if (At < 0) return;
    FNodePoints.insert(FNodePoints.begin() + At + 1, P);
    ++FNodeCount;
    FCtrRects.assign(static_cast<size_t>(FNodeCount), TRect{});
    FRegionH = TImageRegion::FromPolygon(FNodePoints.data(), FNodeCount);
    CalcRegionRects();
    FDataChanged = true;
}

void TImgSelection::UpdateAliasPoints(const TImageRegion& RH, bool Add, bool IsAntialiasing)
{
    FAliasPoints.resize(static_cast<size_t>(FAliasPointsCount));
    if (!Add && !IsAntialiasing) {
        TArrayOfPoint Inside;
        for (const TPoint& P : FAliasPoints)
            if (FRegionH.Contains(P.X, P.Y)) Inside.push_back(P);
        FAliasPoints = std::move(Inside);
        FAliasPointsCount = static_cast<Integer>(FAliasPoints.size());
        return;
    }
    if (IsAntialiasing) {
        const TArrayOfPoint Corners = GetRectCornerPixels(RH.Rects(), true);
        if (Add) {
            FAliasPoints.insert(FAliasPoints.end(), Corners.begin(), Corners.end());
        } else {
            // The new edge of what remains: the corners' neighbours outside the cut.
            for (const TPoint& C : Corners)
                for (const TPoint& N : {TPoint{C.X - 1, C.Y}, TPoint{C.X + 1, C.Y}, TPoint{C.X, C.Y - 1},
                                        TPoint{C.X, C.Y + 1}})
                    if (!RH.Contains(N.X, N.Y)) FAliasPoints.push_back(N);
        }
    }
    std::set<TPoint, TPointLess> Candidates;
    for (const TPoint& P : FAliasPoints)
        if (FRegionH.Contains(P.X, P.Y)) Candidates.insert(P);
    TArrayOfPoint Result;
    std::set<TPoint, TPointLess> Taken;
    for (const TPoint& C : GetRectCornerPixels(FRegionH.Rects(), true))
        if (Candidates.count(C) && Taken.insert(C).second) Result.push_back(C);
    FAliasPoints = std::move(Result);
    FAliasPointsCount = static_cast<Integer>(FAliasPoints.size());
}

String TImgSelection::GetRegionString() const { return RegionToText(FRegionH); }

void TImgSelection::GetRegionRects(const TImageRegion& RH, std::vector<TRect>& Rects) { Rects = RH.Rects(); }

String TImgSelection::RegionRectFileName() { return GetTempDirectory() + u"SelectionRegionRects.db"; }

void TImgSelection::WriteRegionRect() const
{
    TDataTable Table;
    for (const TRect& R : FRegionH.Rects())
        Table.AddItem(IntToStr(R.Left) + u"," + IntToStr(R.Top) + u"," + IntToStr(R.Right) + u"," + IntToStr(R.Bottom));
    Table.SaveAs(RegionRectFileName());
}

TImageRegion TImgSelection::CloneRegion(const TImageRegion& RH, Single Scale) { return RH.Scaled(Scale); }

void TImgSelection::CalcRegionRects()
{
    FHorzLines.clear();
    FVertLines.clear();
    const TImageRegion R = CloneRegion(FRegionH, ViewScale());
    const std::vector<TRect>& Rects = R.Rects();
    const TRect Box = R.Bounds();
    struct TBand {
        size_t First, Last;
        std::vector<std::pair<Integer, Integer>> Gaps;
    };
    std::vector<TBand> Bands;
    for (size_t i = 0; i < Rects.size();) {
        size_t j = i;
        while (j < Rects.size() && Rects[j].Top == Rects[i].Top) ++j;
        TBand B{i, j, {}};
        Integer From = Box.Left;
        for (size_t k = i; k < j; ++k) {
            B.Gaps.push_back({From, Rects[k].Left});
            From = Rects[k].Right;
        }
        B.Gaps.push_back({From, Box.Right});
        Bands.push_back(std::move(B));
        i = j;
    }
    auto AddHorz = [&](Integer X1, Integer X2, Integer Y) {
        if (X2 >= X1) FHorzLines.push_back({X1, Y, X2, Y});
    };
    // The parts of Rects[First, Last) that lie over Gaps, at row Y; both
    // lists run left to right, so one pass over each does.
    auto Overlaps = [&](size_t First, size_t Last, const std::vector<std::pair<Integer, Integer>>& Gaps, Integer Y) {
        size_t g = 0;
        for (size_t k = First; k < Last; ++k) {
            while (g < Gaps.size() && Gaps[g].second <= Rects[k].Left) ++g;
            for (size_t h = g; h < Gaps.size() && Gaps[h].first < Rects[k].Right; ++h)
                AddHorz(Max(Rects[k].Left, Gaps[h].first), Min(Rects[k].Right, Gaps[h].second) - 1, Y);
        }
    };
    for (size_t b = 0; b < Bands.size(); ++b) {
        const TBand& Band = Bands[b];
        const Integer Top = Rects[Band.First].Top, Bottom = Rects[Band.First].Bottom;
        const bool AboveTouches = b > 0 && Rects[Bands[b - 1].First].Bottom == Top;
        const bool BelowTouches = b + 1 < Bands.size() && Rects[Bands[b + 1].First].Top == Bottom;
        for (size_t k = Band.First; k < Band.Last; ++k) {
            const TRect& Rc = Rects[k];
            FVertLines.push_back({Rc.Left, Rc.Top, Rc.Left, Rc.Bottom - 1});
            FVertLines.push_back({Rc.Right - 1, Rc.Top, Rc.Right - 1, Rc.Bottom - 1});
            if (!AboveTouches) AddHorz(Rc.Left, Rc.Right - 1, Rc.Top);
            if (!BelowTouches) AddHorz(Rc.Left, Rc.Right - 1, Rc.Bottom - 1);
        }
        if (AboveTouches) {
            // This band's top shows under the upper band's gaps, and the
            // upper band's bottom over this band's gaps.
            const TBand& Up = Bands[b - 1];
            Overlaps(Band.First, Band.Last, Up.Gaps, Top);
            Overlaps(Up.First, Up.Last, Band.Gaps, Top - 1);
        }
    }
    FHorzLinesCount = static_cast<Integer>(FHorzLines.size());
    FVertLinesCount = static_cast<Integer>(FVertLines.size());
}

void TImgSelection::SetAliasPoints(const TPoint* PPoints, Integer Count)
{
    FAliasPoints.assign(PPoints, PPoints + Max(Count, 0));
    FAliasPointsCount = static_cast<Integer>(FAliasPoints.size());
}

void TImgSelection::SetNodePoints(const TPoint* PPoints, Integer Count)
{
    FNodePoints.assign(PPoints, PPoints + Max(Count, 0));
    FNodeCount = static_cast<Integer>(FNodePoints.size());
    FCtrRects.assign(FNodePoints.size(), TRect{});
}

void TImgSelection::CalcRect() { FRect = FRegionH.Bounds(); }

// ---------------------------------------------------------------------------
// Drawing

void TImgSelection::Draw(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Dst = ToBitmap ? ToBitmap : FBitmap;
    if (!FSelBitmap || !Dst) return;
    const TRect B = FRegionH.Bounds();
    Dst->Draw(B.Left - FSelBitmapOX, B.Top - FSelBitmapOY, FSelBitmap.get());
}

TRect TImgSelection::PictureBounds()
{
    // Only the lifted pixels are drawn into the picture (the outline goes
    // on the control layer).
    const TRect B = FRegionH.Bounds();
    if (!FSelBitmap || FSelBitmap->Empty()) return TRect{B.Left, B.Top, B.Left + 1, B.Top + 1};
    const Integer X = B.Left - FSelBitmapOX, Y = B.Top - FSelBitmapOY;
    return TRect{X, Y, X + FSelBitmap->Width(), Y + FSelBitmap->Height()};
}

void TImgSelection::DrawCreating(TCustomBitmap32& Dst)
{
    TRect N;
    NormalizeRect(FRect, N);
    const bool HasPointer = FPointMoved.X != NoStartPoint;
    bool Valid = false;
    switch (FStyleId) {
    case 0: Valid = N.Width() != 0 && N.Height() != 0; break;
    case 1: Valid = N.Width() >= 3 && N.Height() >= 3; break;
    case 2: case 4: case 9: case 10: Valid = HasPointer; break;
    case 3: Valid = FPointsCount >= 3; break;
    default: break;  // a pixel list never shows while it is made
    }
    if (!Valid) return;
    TPoint A{N.Left, N.Top}, B{N.Right, N.Bottom};
    PointToView(A);
    PointToView(B);
    const TRect V{A.X, A.Y, B.X, B.Y};
    if (FStyleId == 0 || FStyleId == 1) {
        const String Text = IntToStr(N.Width()) + u" \u00D7 " + IntToStr(N.Height());
        const Integer TextWidth = ControlLayerHooks.MeasureText ? ControlLayerHooks.MeasureText(Dst, Text, 9) : 0;
        const Integer y = V.Top <= 20 ? V.Top + 4 : V.Top - 17;
        Dst.FillRectS(V.Left + 5, y, V.Left + 10 + TextWidth, y + 14, 0xFFFFFFFF);
        if (ControlLayerHooks.WriteText) ControlLayerHooks.WriteText(Dst, V.Left + 8, y, Text, 9);
    }
    TInvertPen Pen(Dst);
    auto Polyline = [&](bool ToPointer) {
        std::vector<TPoint> Pts(FPoints.begin(), FPoints.begin() + FPointsCount);
        if (ToPointer) Pts.push_back(FPointMoved);
        for (TPoint& P : Pts) PointToView(P);
        for (size_t i = 0; i + 1 < Pts.size(); ++i) Pen.Line(Pts[i].X, Pts[i].Y, Pts[i + 1].X, Pts[i + 1].Y);
    };
    switch (FStyleId) {
    case 0: Pen.Rectangle(V.Left, V.Top, V.Right, V.Bottom); break;
    case 1: Pen.Ellipse(V.Left, V.Top, V.Right, V.Bottom); break;
    case 2: case 4: Polyline(true); break;
    case 3: Polyline(false); break;
    case 9: case 10: {
        // Across the raster: the pen leaves out the end point, which lies
        // just beyond it.
        const TRect Raster = RasterRect();
        TPoint P1 = FStyleId == 9 ? TPoint{Raster.Left, FPointMoved.Y} : TPoint{FPointMoved.X, Raster.Top};
        TPoint P2 = FStyleId == 9 ? TPoint{Raster.Right, FPointMoved.Y} : TPoint{FPointMoved.X, Raster.Bottom};
        PointToView(P1);
        PointToView(P2);
        Pen.Line(P1.X, P1.Y, P2.X, P2.Y);
        break;
    }
    default: break;
    }
}

void TImgSelection::DrawControlPoint(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Dst = ToBitmap ? ToBitmap : FBitmap;
    if (!Dst) return;
    if (FCreating) {
        DrawCreating(*Dst);
        return;
    }
    if (FStyleId == 4 && !(FParent && FParent->Busing()) && !FSelBitmap) {
        FCtrRects.assign(static_cast<size_t>(FNodeCount), TRect{});
        TInvertPen Pen(*Dst);
        for (Integer i = 0; i < FNodeCount; ++i) {
            TPoint P = FNodePoints[static_cast<size_t>(i)];
            PointToView(P);
            const TRect R{P.X - 3, P.Y - 3, P.X + 3, P.Y + 3};
            FCtrRects[static_cast<size_t>(i)] = R;
            Pen.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
        }
    }
    const Integer OX = ViewOffsetHorz(), OY = ViewOffsetVert();
    // The view repaints one clip rectangle at a time: ants beyond it would
    // stay behind in the buffer.
    const TRect Clip = Dst->ClipRect();
    const bool HasPattern = FBrushBitmap->Width() >= 8 && FBrushBitmap->Height() >= 8;
    auto Ant = [&](Integer x, Integer y) {
        // The pattern slides down one row a tick.
        const TColor32 C = HasPattern ? FBrushBitmap->Pixel(x % 8, (y - FTimerAntIndex + 8) % 8)
                                      : ((x + y - FTimerAntIndex + 8) % 8 < 4 ? 0xFF000000 : 0xFFFFFFFF);
        Dst->SetPixel(x, y, C);
    };
    for (const TSelectionLine& L : FHorzLines) {
        const Integer y = L.Y1 + OY;
        if (y < Clip.Top || y >= Clip.Bottom) continue;
        for (Integer x = Max(L.X1 + OX, Clip.Left); x <= Min(L.X2 + OX, Clip.Right - 1); ++x) Ant(x, y);
    }
    for (const TSelectionLine& L : FVertLines) {
        const Integer x = L.X1 + OX;
        if (x < Clip.Left || x >= Clip.Right) continue;
        for (Integer y = Max(L.Y1 + OY, Clip.Top); y <= Min(L.Y2 + OY, Clip.Bottom - 1); ++y) Ant(x, y);
    }
    FTimerAnt->SetEnabled(true);
}

void TImgSelection::AntTimerTick()
{
    if (FParent && FParent->Busing()) return;
    FTimerAntIndex = (FTimerAntIndex + 1) % 8;
    if (FParent && FParent->ControlLayer()) FParent->ControlLayer()->Changed();
}

// ---------------------------------------------------------------------------
// Hit tests and drags

bool TImgSelection::PtInControl(Integer X, Integer Y)
{
    if (FStyleId != 4) return false;
    for (Integer i = 0; i < FNodeCount && static_cast<size_t>(i) < FCtrRects.size(); ++i) {
        const TRect& R = FCtrRects[static_cast<size_t>(i)];
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) {
            FCurrentCtrIndex = i + 1;
            FCurrentCursor = crHandPoint;
            return true;
        }
    }
    return TImgShape::PtInControl(X, Y);
}

bool TImgSelection::PtInShape(Integer X, Integer Y)
{
    if (!FRegionH.Contains(X, Y)) return false;
    FCurrentCtrIndex = -1;
    FCurrentCursor = crSizeAll;
    return true;
}

void TImgSelection::Click()
{
    TImgShape::Click();
    FCopiedOnMoving = false;
    const Integer i = FCurrentCtrIndex;
    if (FStyleId == 4 && i >= 1 && i <= FNodeCount) {
        FStartX = FNodePoints[static_cast<size_t>(i - 1)].X;
        FStartY = FNodePoints[static_cast<size_t>(i - 1)].Y;
    }
}

void TImgSelection::AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    const Integer i = FCurrentCtrIndex;
    if (FStyleId != 4 || i < 1 || i > FNodeCount) return;
    FNodePoints[static_cast<size_t>(i - 1)] = TPoint{X2 - X1 + FStartX, Y2 - Y1 + FStartY};
    FRegionH = TImageRegion::FromPolygon(FNodePoints.data(), FNodeCount);
    CalcRegionRects();
    FDataChanged = true;
}

void TImgSelection::LiftForMove()
{
    if (!FUseMoveSelection || FCopiedOnMoving || !FParent) return;
    FCopiedOnMoving = true;
    if (!FSelBitmap) {
        TRect DestRect;
        FSelBitmap = GetSelectionBitmap(DestRect);
        if (FSelBitmap) {
            CalcRegionRects();
            FBitmapChanged = true;
            // Without Alt the pixels move: the hole is left behind.
            if (!FParent->PressAlt()) FParent->TempBmpZ_To_SrcBmp(DestRect);
        }
        CalcRect();
        CalcCenterPoint();
    } else if (FParent->PressAlt()) {
        FlattenBitmap(false);
    }
}

void TImgSelection::ShiftBy(Integer DX, Integer DY)
{
    FRegionH.Offset(DX, DY);
    for (Integer i = 0; i < FAliasPointsCount; ++i) IncPoint(FAliasPoints[static_cast<size_t>(i)], DX, DY);
    for (Integer i = 0; i < FNodeCount; ++i) IncPoint(FNodePoints[static_cast<size_t>(i)], DX, DY);
    const Single S = ViewScale();
    const Integer VX = static_cast<Integer>(Round(static_cast<Extended>(DX) * S));
    const Integer VY = static_cast<Integer>(Round(static_cast<Extended>(DY) * S));
    for (auto* Lines : {&FHorzLines, &FVertLines})
        for (TSelectionLine& L : *Lines) {
            L.X1 += VX;
            L.X2 += VX;
            L.Y1 += VY;
            L.Y2 += VY;
        }
    FDataChanged = true;
}

void TImgSelection::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    LiftForMove();
    TImgShape::MoveShape(X1, Y1, X2, Y2);
    ShiftBy(X2 - FStartX, Y2 - FStartY);
    FStartX = X2;
    FStartY = Y2;
}

void TImgSelection::MoveShapeOver(Integer, Integer) {}

void TImgSelection::OffsetShape(Integer DX, Integer DY)
{
    LiftForMove();
    TImgShape::OffsetShape(DX, DY);
    ShiftBy(DX, DY);
}

// ---------------------------------------------------------------------------
// Lifted pixels

bool TImgSelection::FlattenBitmap(bool bFree)
{
    if (!FSelBitmap) return false;
    if (FParent) {
        TCustomBitmap32* Raster = FParent->SrcBmp();
        Draw(Raster);
        FParent->SetSrcBmpChanged(true);
        FParent->SetChanged(true);
    }
    if (bFree) {
        FSelBitmap.reset();
        FBitmapChanged = true;
    }
    return true;
}

bool TImgSelection::DiscardBitmap()
{
    if (!FSelBitmap) return false;
    FSelBitmap.reset();
    FBitmapChanged = true;
    if (FParent) FParent->SetChanged(true);
    return true;
}

void TImgSelection::MakeWorkBitmaps(TRect& DestRect)
{
    const TRect Raster = RasterRect();
    const Integer Margin = FFeatherAmount > 0 ? 3 * FFeatherAmount : 1;
    TRect Box = FRegionH.Bounds();
    Box = TRect{Box.Left - Margin, Box.Top - Margin, Box.Right + Margin, Box.Bottom + Margin};
    DestRect = FRegionH.Empty() ? TRect{} : Intersect(Box, Raster);
    TCustomBitmap32* Src = FParent ? FParent->SrcBmp() : FBitmap;
    FTempBmpZ = CopyArea(*Src, DestRect);
    FTempBmpF = CopyArea(*Src, DestRect);
    if (IsEmptyRect(DestRect)) return;
    const Integer W = DestRect.Width(), H = DestRect.Height();
    if (FFeatherAmount <= 0) {
        for (Integer y = 0; y < H; ++y)
            for (Integer x = 0; x < W; ++x) {
                if (FRegionH.Contains(DestRect.Left + x, DestRect.Top + y))
                    FTempBmpZ->SetPixel(x, y, ClearWhite);
                else
                    FTempBmpF->SetPixel(x, y, ClearWhite);
            }
        AntiAliasing(DestRect.Left, DestRect.Top);
        return;
    }
    TCustomBitmap32 Mask;
    Mask.SetSize(W, H);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x)
            Mask.SetPixel(x, y, FRegionH.Contains(DestRect.Left + x, DestRect.Top + y) ? 0xFF000000 : 0xFFFFFFFF);
    ExponentialBlur(&Mask, static_cast<Integer>(Round(FFeatherAmount * 1.5)));
    TCustomBitmap32 A;
    A.Assign(FTempBmpZ.get());
    AlphaFromIntensity(FTempBmpZ.get(), &Mask);
    MultiplyAlphaInRect(FTempBmpZ.get(), &A, FTempBmpZ->BoundsRect());
    InvertColorChannels(&Mask, &Mask);
    AlphaFromIntensity(FTempBmpF.get(), &Mask);
    MultiplyAlphaInRect(FTempBmpF.get(), &A, FTempBmpF->BoundsRect());
}

std::unique_ptr<TCustomBitmap32> TImgSelection::GetSelectionBitmap(TRect& DestRect)
{
    DestRect = TRect{};
    const TRect Raster = RasterRect();
    if (IsEmptyRect(Intersect(FRegionH.Bounds(), Raster))) return nullptr;
    // The part inside the raster, and the bounds of that part: the bounds of
    // the whole region cut to the raster can reach beyond the work bitmaps.
    FRegionH = FRegionH.Combined(TImageRegion(Raster), rcAnd);
    const TRect Clip = FRegionH.Bounds();
    if (IsEmptyRect(Clip)) return nullptr;
    MakeWorkBitmaps(DestRect);
    std::unique_ptr<TCustomBitmap32> Result;
    if (FFeatherAmount > 0) {
        FSelBitmapOX = Clip.Left - DestRect.Left;
        FSelBitmapOY = Clip.Top - DestRect.Top;
        Result = std::make_unique<TCustomBitmap32>();
        Result->Assign(FTempBmpF.get());
    } else {
        FSelBitmapOX = FSelBitmapOY = 0;
        Result = CopyArea(*FTempBmpF,
                          TRect{Clip.Left - DestRect.Left, Clip.Top - DestRect.Top, Clip.Right - DestRect.Left,
                                Clip.Bottom - DestRect.Top});
    }
    Result->SetDrawMode(dmBlend);
    Result->SetCombineMode(cmMerge);
    return Result;
}

std::unique_ptr<TCustomBitmap32> TImgSelection::RegionToBitmap(TCustomBitmap32* Src, bool UseSrcSize,
                                                               bool IsClearOutRegion, TPoint& OriginPoint)
{
    auto Result = std::make_unique<TCustomBitmap32>();
    OriginPoint = TPoint{0, 0};
    if (!Src) return Result;
    const TRect R = Intersect(FRegionH.Bounds(), RasterRect());
    if (UseSrcSize) {
        Result->Assign(Src);
        for (Integer y = 0; y < Result->Height(); ++y)
            for (Integer x = 0; x < Result->Width(); ++x) {
                const bool In = x >= R.Left && x < R.Right && y >= R.Top && y < R.Bottom && FRegionH.Contains(x, y);
                if (!In) Result->SetPixel(x, y, 0);
            }
        return Result;
    }
    const TRect Part = Intersect(R, Src->BoundsRect());
    Result = CopyArea(*Src, Part);
    OriginPoint = TPoint{R.Left, R.Top};
    if (IsClearOutRegion)
        for (Integer y = 0; y < Result->Height(); ++y)
            for (Integer x = 0; x < Result->Width(); ++x)
                if (!FRegionH.Contains(Part.Left + x, Part.Top + y)) Result->SetPixel(x, y, 0);
    return Result;
}

// ---------------------------------------------------------------------------
// Edge smoothing

void TImgSelection::AntiAliasing(Integer DX, Integer DY)
{
    if (FStyleId == 4) UpdateAliasPoints(FRegionH, true, FNodeAntialiasing);
    if (FAliasPointsCount == 0) return;
    TCustomBitmap32& Z = *FTempBmpZ;
    TCustomBitmap32& F = *FTempBmpF;
    const Integer W = Z.Width(), H = Z.Height();
    if (W == 0 || H == 0 || F.Width() != W || F.Height() != H) return;
    TArrayOfPoint L;
    for (Integer i = 0; i < FAliasPointsCount; ++i) {
        const TPoint P{FAliasPoints[static_cast<size_t>(i)].X - DX, FAliasPoints[static_cast<size_t>(i)].Y - DY};
        if (P.X >= 0 && P.Y >= 0 && P.X < W && P.Y < H) L.push_back(P);
    }
    const size_t Size = static_cast<size_t>(W) * static_cast<size_t>(H);
    auto At = [W](Integer x, Integer y) { return static_cast<size_t>(y) * static_cast<size_t>(W) + static_cast<size_t>(x); };
    std::vector<uint8_t> AZ(Size), AF(Size);
    std::vector<TColor32> CZ(Size, 0), CF(Size, 0);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) {
            AZ[At(x, y)] = static_cast<uint8_t>(Z.Pixel(x, y) >> 24);
            AF[At(x, y)] = static_cast<uint8_t>(F.Pixel(x, y) >> 24);
        }
    const size_t MaxRun = static_cast<size_t>(Max(W, H));
    auto Inside = [&](Integer x, Integer y) { return x >= 0 && y >= 0 && x < W && y < H; };
    auto Selected = [&](Integer x, Integer y) { return (Z.Pixel(x, y) >> 24) == 0; };
    using TMaskSet = std::array<Integer, 2>;
    auto In = [](Integer m, const TMaskSet& Set) { return m == Set[0] || m == Set[1]; };
    struct TCase {
        Integer HDir;                      // run H's step in x (Ho goes the other way)
        TMaskSet HSet, HoSet;
        TPoint HOut;                       // the horizontal outside neighbour
        Integer VDir;                      // run V's step in y
        TMaskSet VSet, VoSet;
        TPoint VOut;
        Integer HEdge, VEdge;              // the mask that ends a run on the straight edge
    };
    auto CaseOf = [](Integer m, TCase& C) {
        switch (m) {
        case 3: C = {1, {{2, 6}}, {{8, 12}}, {-1, 0}, 1, {{1, 9}}, {{4, 12}}, {0, -1}, 2, 1}; return true;
        case 6: C = {-1, {{2, 3}}, {{8, 9}}, {1, 0}, 1, {{4, 12}}, {{1, 9}}, {0, -1}, 2, 4}; return true;
        case 9: C = {1, {{8, 12}}, {{2, 6}}, {-1, 0}, -1, {{1, 3}}, {{4, 6}}, {0, 1}, 8, 1}; return true;
        case 12: C = {-1, {{8, 9}}, {{2, 3}}, {1, 0}, -1, {{4, 6}}, {{1, 3}}, {0, 1}, 8, 4}; return true;
        default: return false;
        }
    };
    std::vector<TPoint> RunH, RunV, Ho, Vo;
    for (const TPoint& p : L) {
        const Integer x = p.X, y = p.Y;
        if (AZ[At(x, y)] != 0) continue;
        const Integer m = AlphaNeighbourMask(Z, x, y);
        TCase C;
        if (!CaseOf(m, C)) continue;
        // Run H / run V: selected pixels along the edge from p.
        auto Walk = [&](Integer sx, Integer sy, const TMaskSet& Set, std::vector<TPoint>& Run,
                        Integer& Last) {
            Run.assign(1, p);
            Last = m;
            Integer cx = x + sx, cy = y + sy;
            while (Run.size() < MaxRun && Inside(cx, cy) && Selected(cx, cy)) {
                const Integer cm = AlphaNeighbourMask(Z, cx, cy);
                if (!In(cm, Set)) break;
                Run.push_back({cx, cy});
                Last = cm;
                cx += sx;
                cy += sy;
            }
        };
        // Ho / Vo: outside pixels walked back from p.
        auto WalkBack = [&](Integer sx, Integer sy, const TMaskSet& Set, size_t Limit,
                            std::vector<TPoint>& Out) {
            Out.clear();
            Integer cx = x + sx, cy = y + sy;
            while (Out.size() < Limit && Out.size() < MaxRun && Inside(cx, cy) && !Selected(cx, cy) &&
                   In(AlphaNeighbourMask(F, cx, cy), Set)) {
                Out.push_back({cx, cy});
                cx += sx;
                cy += sy;
            }
        };
        Integer eH = m, eV = m;
        Walk(C.HDir, 0, C.HSet, RunH, eH);
        Walk(0, C.VDir, C.VSet, RunV, eV);
        Integer j = static_cast<Integer>(RunH.size()), k = static_cast<Integer>(RunV.size());
        WalkBack(-C.HDir, 0, C.HoSet, static_cast<size_t>(j / 4 + 1), Ho);
        WalkBack(0, -C.VDir, C.VoSet, static_cast<size_t>(k / 4 + 1), Vo);
        const TColor32 cH = Z.Pixel(x + C.HOut.X, y + C.HOut.Y);
        const TColor32 cV = Z.Pixel(x + C.VOut.X, y + C.VOut.Y);
        const TColor32 cF = F.Pixel(x, y);
        const bool Horizontal = j > 1 && k == 1, Vertical = j == 1 && k > 1;
        // The fade: the walked-back outside pixels from the farthest in,
        // then the first half of the run from p out, each a step lower.
        auto Smooth = [&](Integer Len, const std::vector<TPoint>& Back, const std::vector<TPoint>& Run,
                          TColor32 cOut) {
            const Integer P = Len / 2 + static_cast<Integer>(Back.size());
            const Integer Step = 275 / (P + 1);
            Integer v = 255;
            for (auto It = Back.rbegin(); It != Back.rend(); ++It) {
                v -= Step;
                const size_t i = At(It->X, It->Y);
                AZ[i] = static_cast<uint8_t>(EnsureRange(v, 0, 255));
                AF[i] = static_cast<uint8_t>(255 - AZ[i]);
                CF[i] = cF;
            }
            for (Integer r = 0; r < Len / 2 && r < static_cast<Integer>(Run.size()); ++r) {
                v = Max(v - Step, 0);
                const size_t i = At(Run[static_cast<size_t>(r)].X, Run[static_cast<size_t>(r)].Y);
                AZ[i] = static_cast<uint8_t>(v);
                AF[i] = static_cast<uint8_t>(255 - v);
                CZ[i] = cOut;
            }
        };
        if (!Vertical) {
            Integer jj = j == 1 ? 2 : j;
            if ((j == 2 || j == 3) && k == 1 && eH == C.HEdge) jj = 4;
            Smooth(jj, Ho, RunH, cH);
        }
        if (!Horizontal) {
            Integer kk = k == 1 ? 2 : k;
            if ((k == 2 || k == 3) && eV == C.VEdge) kk = 4;
            Smooth(kk, Vo, RunV, cV);
        }
    }
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) {
            const size_t i = At(x, y);
            const TColor32 z = CZ[i] != 0 ? CZ[i] : Z.Pixel(x, y);
            const TColor32 f = CF[i] != 0 ? CF[i] : F.Pixel(x, y);
            Z.SetPixel(x, y, (z & 0x00FFFFFF) | (static_cast<TColor32>(AZ[i]) << 24));
            F.SetPixel(x, y, (f & 0x00FFFFFF) | (static_cast<TColor32>(AF[i]) << 24));
        }
    // A selected pixel sticking out between three outside ones takes half
    // their alpha and their average colour.
    for (const TPoint& p : L) {
        if ((Z.Pixel(p.X, p.Y) >> 24) != 0) continue;
        const Integer m = AlphaNeighbourMask(Z, p.X, p.Y);
        if (m != 7 && m != 11 && m != 13 && m != 14) continue;
        Integer MinA = 255, R = 0, G = 0, B = 0;
        const TPoint Ns[4] = {{p.X - 1, p.Y}, {p.X, p.Y - 1}, {p.X + 1, p.Y}, {p.X, p.Y + 1}};
        for (Integer b = 0; b < 4; ++b) {
            if ((m & (1 << b)) == 0) continue;
            const TColor32 c = Z.Pixel(Ns[b].X, Ns[b].Y);
            MinA = Min(MinA, static_cast<Integer>(c >> 24));
            R += (c >> 16) & 0xFF;
            G += (c >> 8) & 0xFF;
            B += c & 0xFF;
        }
        Z.SetPixel(p.X, p.Y, (static_cast<TColor32>(MinA / 2) << 24) | (static_cast<TColor32>(R / 3) << 16) |
                                 (static_cast<TColor32>(G / 3) << 8) | static_cast<TColor32>(B / 3));
    }
}
