// ImageSelection: the selection object (TImgSelection), the one object of
// kind shSelection that holds a document's pixel selection as a region in
// image pixels: built from a rectangle, an ellipse, a polygon, freehand
// points, editable nodes, a pixel list, a row or a column; combined with
// new shapes, inverted or set to the whole raster; outlined by marching
// ants; its pixels lifted off the raster (work bitmaps Z and F, feathering,
// stair-step smoothing) and moved. Portable: the ants timer comes from the
// platform through ImageSelectionHooks, the size label's text through the
// control layer's hooks.
#pragma once

#include <functional>
#include <memory>

#include "document/ImgShape.h"
#include "document/ImageRegion.h"

// The marching-ants timer. The base never ticks by itself: it only records
// whether it runs (what the host build and tests get).
class TSelectionTimer {
public:
    virtual ~TSelectionTimer() = default;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value) { FEnabled = Value; }

private:
    bool FEnabled = false;
};

struct TImageSelectionHooks {
    // A timer calling Tick every Interval milliseconds on the user-interface
    // thread while enabled; it starts disabled. Unset: a TSelectionTimer.
    std::unique_ptr<TSelectionTimer> (*NewTimer)(Cardinal Interval, std::function<void()> Tick) = nullptr;
};
extern TImageSelectionHooks ImageSelectionHooks;

// The largest feather a selection takes: the margin of a feathered lift is
// three times the feather, and must stay within what a raster can be.
constexpr Integer MaxFeatherAmount = 1000;

// One outline segment of the ants, both ends inclusive.
struct TSelectionLine {
    Integer X1, Y1, X2, Y2;
    bool operator==(const TSelectionLine&) const = default;
};

// Corner pixels of rectangles: a one-row rectangle gives (Left, Top) and,
// when wider than 1, (Right - f, Top); a taller one (Left, Top),
// (Left, Bottom - f) and, when wider than 1, (Right - f, Top) and
// (Right - f, Bottom - f); f is 1 when Inclusive, else 0.
TArrayOfPoint GetRectCornerPixels(const std::vector<TRect>& Rects, bool Inclusive);
// The pixels of the ellipse inscribed in Rect, row by row, left to right.
TArrayOfPoint GetEllipsePixels(const TRect& Rect);
// Bits 1 (left), 2 (up), 4 (right), 8 (down) for each neighbour of (X, Y)
// inside B with a non-zero alpha.
Integer AlphaNeighbourMask(const TCustomBitmap32& B, Integer X, Integer Y);

class TImgSelection : public TImgShape {
public:
    TImgSelection(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    ~TImgSelection() override;
    String ClassName() const override { return u"TImgSelection"; }

    void Draw(TCustomBitmap32* ToBitmap) override;
    TRect PictureBounds() override;
    void DrawControlPoint(TCustomBitmap32* ToBitmap) override;
    bool PtInControl(Integer X, Integer Y) override;
    bool PtInShape(Integer X, Integer Y) override;
    void Click() override;
    void AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;
    void MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;
    void MoveShapeOver(Integer DX, Integer DY) override;
    void OffsetShape(Integer DX, Integer DY) override;
    void CalcRect() override;

    // Points collected while drawing; a point equal to the last is ignored.
    void AddNewPoint(Integer X, Integer Y);
    // Drops the last point unless only one is left.
    void DeleteLastPoint();
    // The region of the style at the end of drawing; false (no region) when
    // it is empty.
    bool CreateRegion(bool IsAntialiasing);
    // The union of Rects; false when empty. Rects are kept.
    bool CreateRegionFromRects(bool IsAntialiasing, std::vector<TRect>& Rects);
    // Adds (the document's SelectionExpanding) or subtracts the shape of
    // RegionStyleId (0, 1, 2, 3, 5, 9, 10) made from ARect, APoints or
    // PMoved. Subtracting everything leaves the region as it was.
    void CombineRegion(bool IsAntialiasing, Integer RegionStyleId, const TRect& ARect, const TPoint* APoints,
                       Integer APointsCount, const TPoint& PMoved);
    // The whole raster (bAll) or the inverse; false when that is empty.
    bool CombineRegionAuto(bool IsAntialiasing, bool bAll);
    // Splits the node edge nearest to (X, Y) with a new node there.
    void AddNodePoint(Integer X, Integer Y);
    String GetRegionString() const;
    static void GetRegionRects(const TImageRegion& RH, std::vector<TRect>& Rects);
    // A diagnostic dump of the region: a table file at RegionRectFileName()
    // with one row per rectangle, its Left, Top, Right and Bottom. A file
    // that cannot be written raises the stream's error.
    void WriteRegionRect() const;
    static String RegionRectFileName();
    // The ants outline from the region at the document's zoom.
    void CalcRegionRects();
    void SetAliasPoints(const TPoint* PPoints, Integer Count);
    void SetNodePoints(const TPoint* PPoints, Integer Count);
    // RH scaled by Scale about the origin.
    static TImageRegion CloneRegion(const TImageRegion& RH, Single Scale);
    // One marching-ants step: the pattern moves one row (not while the
    // document is busy).
    void AntTimerTick();

    // The lifted pixels: a new bitmap of the selected pixels, or none when
    // the selection lies wholly outside the raster; DestRect is the area of
    // the work bitmaps. Clips the region to the raster.
    std::unique_ptr<TCustomBitmap32> GetSelectionBitmap(TRect& DestRect);
    // Fills Z and F from the raster around the region (the region's box grown
    // by three times the feather, or by 1, clipped to the raster): DestRect.
    void MakeWorkBitmaps(TRect& DestRect);
    // Stair-step smoothing of Z and F, which lie at image position (DX, DY).
    void AntiAliasing(Integer DX, Integer DY);
    // The part of Src under the selection (see the source).
    std::unique_ptr<TCustomBitmap32> RegionToBitmap(TCustomBitmap32* Src, bool UseSrcSize, bool IsClearOutRegion,
                                                    TPoint& OriginPoint);
    // Drops the lifted pixels into the raster; with bFree frees them. False
    // when nothing is lifted.
    bool FlattenBitmap(bool bFree);
    // Frees the lifted pixels without putting them down (the raster keeps
    // whatever lifting left there). False when nothing is lifted.
    bool DiscardBitmap();

    const TImageRegion& RegionHandle() const { return FRegionH; }
    void SetRegionHandle(const TImageRegion& Value) { FRegionH = Value; }
    TRect RegionRect() const { return FRegionH.Bounds(); }
    const TArrayOfPoint& Points() const { return FPoints; }
    Integer PointsCount() const { return FPointsCount; }
    const TArrayOfPoint& AliasPoints() const { return FAliasPoints; }
    Integer AliasPointsCount() const { return FAliasPointsCount; }
    const TArrayOfPoint& NodePoints() const { return FNodePoints; }
    Integer NodeCount() const { return FNodeCount; }
    const TArrayOfRect& CtrRects() const { return FCtrRects; }
    const TPoint& PointMoved() const { return FPointMoved; }
    void SetPointMoved(const TPoint& Value) { FPointMoved = Value; }
    bool NodeAntialiasing() const { return FNodeAntialiasing; }
    void SetNodeAntialiasing(bool Value) { FNodeAntialiasing = Value; }
    TCustomBitmap32* SelBitmap() const { return FSelBitmap.get(); }
    void SetSelBitmap(std::unique_ptr<TCustomBitmap32> Value) { FSelBitmap = std::move(Value); }
    Integer SelBitmapOX() const { return FSelBitmapOX; }
    void SetSelBitmapOX(Integer Value) { FSelBitmapOX = Value; }
    Integer SelBitmapOY() const { return FSelBitmapOY; }
    void SetSelBitmapOY(Integer Value) { FSelBitmapOY = Value; }
    TCustomBitmap32* TempBmpZ() const { return FTempBmpZ.get(); }
    TCustomBitmap32* TempBmpF() const { return FTempBmpF.get(); }
    bool UseMoveSelection() const { return FUseMoveSelection; }
    void SetUseMoveSelection(bool Value) { FUseMoveSelection = Value; }
    bool BitmapChanged() const { return FBitmapChanged; }
    void SetBitmapChanged(bool Value) { FBitmapChanged = Value; }
    Integer FeatherAmount() const { return FFeatherAmount; }
    void SetFeatherAmount(Integer Value) { FFeatherAmount = Value; }
    const std::vector<TSelectionLine>& HorzLines() const { return FHorzLines; }
    const std::vector<TSelectionLine>& VertLines() const { return FVertLines; }
    Integer HorzLinesCount() const { return FHorzLinesCount; }
    Integer VertLinesCount() const { return FVertLinesCount; }
    Integer TimerAntIndex() const { return FTimerAntIndex; }
    TSelectionTimer* TimerAnt() const { return FTimerAnt.get(); }

private:
    // The shape of Style from R, Points or PMoved.
    TImageRegion BuildRegion(Integer Style, const TRect& R, const TPoint* Pts, Integer Count,
                             const TPoint& PMoved) const;
    // A region with no width is released; false then.
    bool CheckRegion();
    void BuildNodePoints();
    void UpdateAliasPoints(const TImageRegion& RH, bool Add, bool IsAntialiasing);
    void LiftForMove();
    // The region, alias points, nodes and ants outline moved by (DX, DY).
    void ShiftBy(Integer DX, Integer DY);
    TRect RasterRect() const;
    // The outline being drawn, inverted, while the selection is created.
    void DrawCreating(TCustomBitmap32& Dst);

    TArrayOfPoint FAliasPoints;
    Integer FAliasPointsCount = 0;
    TArrayOfRect FCtrRects;
    TArrayOfPoint FPoints;
    Integer FPointsCount = 0;
    Integer FPointsAllocatedCount = 2;
    TArrayOfPoint FNodePoints;
    Integer FNodeCount = 0;
    bool FNodeAntialiasing = false;
    TPoint FPointMoved{NoStartPoint, 0};
    TImageRegion FRegionH;
    std::unique_ptr<TCustomBitmap32> FSelBitmap;
    Integer FSelBitmapOX = 0, FSelBitmapOY = 0;
    std::unique_ptr<TCustomBitmap32> FTempBmpZ;
    std::unique_ptr<TCustomBitmap32> FTempBmpF;
    std::unique_ptr<TSelectionTimer> FTimerAnt;
    Integer FTimerAntIndex = 0;
    std::unique_ptr<TCustomBitmap32> FBrushBitmap;
    bool FUseMoveSelection = false;
    bool FCopiedOnMoving = false;
    bool FBitmapChanged = false;
    std::vector<TSelectionLine> FHorzLines, FVertLines;
    Integer FVertLinesCount = 0, FHorzLinesCount = 0;
    Integer FFeatherAmount = 0;
};
