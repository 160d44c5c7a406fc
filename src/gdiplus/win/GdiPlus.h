// GdiPlus: the program's object layer over the flat API of gdiplus.dll. Each
// GDI+ object (graphics, path, region, matrix, brush, pen, line cap, font
// family, font, string format, image, bitmap) is owned by one wrapper object
// and used through a counted interface named IGP...; the last reference frees
// the native object. Statuses are returned, never raised; getters return 0
// (or their stated initial value) when GDI+ fails; only misuse (an empty
// array, a nil object where one is required) raises the assertion failure.
//
// GDI+ starts with the first unit that includes this header and shuts down
// after the static objects of the last one are gone; the shared cached
// objects (generic font families and string formats, the standard encoders)
// are released just before.
//
// The operations of an interface are written as non-virtual members over the
// interface's native handle (GetNativeHandle): each interface has exactly one
// implementing class, so a virtual slot per operation would add nothing.
#pragma once

#include "gdiplus/win/GdiPlusHelpers.h"

struct IGPGraphics;
struct IGPGraphicsPath;
struct IGPRegion;
struct IGPMatrix;
struct IGPBrush;
struct IGPPen;
struct IGPCustomLineCap;
struct IGPFontFamily;
struct IGPFont;
struct IGPStringFormat;
struct IGPImage;
struct IGPBitmap;
struct IGPImageFormat;
struct IGPEncoderParameters;
struct IGPColorPalette;
struct IGPPropertyItem;
struct IGPBlend;
struct IGPColorBlend;
struct IGPPathData;

template <class I>
using TGPPtr = TIntfPtr<I>;

// ---------------------------------------------------------------------------
// Start-up and shut-down, counted over the units that include this header.
class TGdiplusStartup {
public:
    TGdiplusStartup();
    ~TGdiplusStartup();
    TGdiplusStartup(const TGdiplusStartup&) = delete;
    TGdiplusStartup& operator=(const TGdiplusStartup&) = delete;
};
static TGdiplusStartup GdiplusStartupOfThisUnit;

// ---------------------------------------------------------------------------
// The base of every wrapper with a native object.

struct IGdiplusBase : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{992B5C41-2AE7-4213-A3B9-07B9A4D334B9}");
    // The native GDI+ object; null when its creation failed.
    virtual void* GetNativeHandle() const = 0;
    // Replaces the native object without freeing the old one.
    virtual void SetNativeHandle(void* Value) = 0;
};

// Declared for the optional arguments that take them; no class of the
// program implements them, so they are always passed as nil.
struct IGPFontCollection : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{1FD98EB1-570B-41CA-8F17-EFBA9C19F940}");
};
struct IGPImageAttributes : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{5032E337-A066-461E-8ABE-CB918EA7FDA3}");
};

// Instance memory comes from GDI+'s allocator. A new object has no reference:
// hand it to a TIntfPtr at once.
class TGdiplusBase : public TInterfacedObject, public virtual IGdiplusBase {
public:
    String ClassName() const override { return u"TGdiplusBase"; }
    void* GetNativeHandle() const override { return FNativeHandle; }
    void SetNativeHandle(void* Value) override { FNativeHandle = Value; }
    static void* operator new(size_t Size);
    static void operator delete(void* P) noexcept;

protected:
    TGdiplusBase() = default;
    explicit TGdiplusBase(void* NativeHandle) : FNativeHandle(NativeHandle) {}
    bool GetInterface(const TGUID& IID, void** Obj) override;

    void* FNativeHandle = nullptr;
};

// ---------------------------------------------------------------------------
// Matrices

struct IGPMatrix : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{9878EC54-C06D-42CB-9D1E-F4B43209BE18}");
    TGPStatus GetMatrixElements(TGPMatrixElements& Elements);
    TGPStatus SetMatrixElements(const TGPMatrixElements& Elements);
    Single GetOffsetX();
    Single GetOffsetY();
    bool IsMatrixInvertible();
    bool IsMatrixIdentity();
    TGPPtr<IGPMatrix> Clone();
    // Back to the identity (1, 0, 0, 1, 0, 0).
    TGPStatus Reset();
    TGPStatus SetMatrixElements(Single M11, Single M12, Single M21, Single M22, Single DX, Single DY);
    // Order 0 prepends, 1 appends.
    TGPStatus MultiplyMatrix(const TGPPtr<IGPMatrix>& Matrix, Integer Order = 0);
    TGPStatus TranslateMatrix(Single OffsetX, Single OffsetY, Integer Order = 0);
    TGPStatus ScaleMatrix(Single ScaleX, Single ScaleY, Integer Order = 0);
    TGPStatus RotateMatrix(Single Angle, Integer Order = 0);
    // A rotation about Center: three steps, all in Order; the last status.
    TGPStatus RotateAt(Single Angle, const TGPPointF& Center, Integer Order = 0);
    TGPStatus ShearMatrix(Single ShearX, Single ShearY, Integer Order = 0);
    TGPStatus InvertMatrix();
    // In place.
    TGPStatus TransformPoint(TGPPointF& Point);
    TGPStatus TransformPointI(TGPPoint& Point);
    TGPStatus TransformPoints(std::span<TGPPointF> Points);
    TGPStatus TransformPointsI(std::span<TGPPoint> Points);
    TGPStatus VectorTransformPoint(TGPPointF& Point);
    TGPStatus VectorTransformPointI(TGPPoint& Point);
    TGPStatus VectorTransformPoints(std::span<TGPPointF> Points);
    TGPStatus VectorTransformPointsI(std::span<TGPPoint> Points);
    bool Equals(const TGPPtr<IGPMatrix>& Matrix);
};

class TGPMatrix : public TGdiplusBase, public virtual IGPMatrix {
public:
    TGPMatrix();  // the identity
    TGPMatrix(Single M11, Single M12, Single M21, Single M22, Single DX, Single DY);
    // The matrix that maps Rect onto the parallelogram.
    TGPMatrix(const TGPRectF& Rect, const TGPPlgPointsF& DstPlg);
    TGPMatrix(const TGPRect& Rect, const TGPPlgPoints& DstPlg);
    // Takes over a native matrix.
    explicit TGPMatrix(Gdiplus::GpMatrix* NativeMatrix) : TGdiplusBase(NativeMatrix) {}
    ~TGPMatrix() override;
    String ClassName() const override { return u"TGPMatrix"; }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

// ---------------------------------------------------------------------------
// Paths

struct IGPPathData : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{F86BDD9F-C805-4ACE-807B-DBDE45DF5667}");
    virtual Integer GetCount() const = 0;
    virtual void SetCount(Integer Value) = 0;
    virtual TGPPointF GetPoint(Integer Index) const = 0;
    virtual Byte GetType(Integer Index) const = 0;
    virtual TGPPointF* GetPoints() = 0;
    virtual Byte* GetTypes() = 0;
    // The record GDI+ fills: count, address of the points, address of the types.
    virtual void* GetNativePathData() = 0;
};

class TGPPathData : public TInterfacedObject, public virtual IGPPathData {
public:
    explicit TGPPathData(Integer Count);
    String ClassName() const override { return u"TGPPathData"; }
    Integer GetCount() const override { return static_cast<Integer>(FPoints.size()); }
    void SetCount(Integer Value) override;
    TGPPointF GetPoint(Integer Index) const override { return FPoints[static_cast<size_t>(Index)]; }
    Byte GetType(Integer Index) const override { return FTypes[static_cast<size_t>(Index)]; }
    TGPPointF* GetPoints() override { return FPoints.data(); }
    Byte* GetTypes() override { return FTypes.data(); }
    void* GetNativePathData() override;

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;

private:
    std::vector<TGPPointF> FPoints;
    std::vector<Byte> FTypes;
    struct {
        INT Count;
        TGPPointF* Points;
        Byte* Types;
    } FNative{};
};

struct IGPGraphicsPath : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{123B028F-102F-4082-8CD7-28CCC1828508}");
    TGPFillMode GetPathFillMode();
    TGPStatus SetPathFillMode(TGPFillMode FillMode);
    TGPStatus GetPathData(TGPPtr<IGPPathData>& Data);
    Integer GetPointCount();
    TGPPtr<IGPArray<Byte>> GetPathTypes();
    TGPPtr<IGPArray<TGPPointF>> GetPathPoints();
    TGPPtr<IGPArray<TGPPoint>> GetPathPointsI();
    TGPStatus Clone(TGPPtr<IGPGraphicsPath>& Path);
    TGPStatus ResetPath();
    TGPStatus StartPathFigure();
    TGPStatus ClosePathFigure();
    TGPStatus ClosePathFigures();
    TGPStatus SetPathMarker();
    TGPStatus ClearPathMarkers();
    TGPStatus ReversePath();
    TGPStatus GetPathLastPoint(TGPPointF& Point);
    TGPStatus AddPathLine(const TGPPointF& Pt1, const TGPPointF& Pt2);
    TGPStatus AddPathLine(Single X1, Single Y1, Single X2, Single Y2);
    TGPStatus AddPathLineI(const TGPPoint& Pt1, const TGPPoint& Pt2);
    TGPStatus AddPathLineI(Integer X1, Integer Y1, Integer X2, Integer Y2);
    TGPStatus AddPathLine2(std::span<const TGPPointF> Points);
    TGPStatus AddPathLine2I(std::span<const TGPPoint> Points);
    TGPStatus AddPathArc(const TGPRectF& Rect, Single StartAngle, Single SweepAngle);
    TGPStatus AddPathArc(Single X, Single Y, Single Width, Single Height, Single StartAngle, Single SweepAngle);
    TGPStatus AddPathArcI(const TGPRect& Rect, Single StartAngle, Single SweepAngle);
    TGPStatus AddPathArcI(Integer X, Integer Y, Integer Width, Integer Height, Single StartAngle, Single SweepAngle);
    TGPStatus AddPathBezier(const TGPPointF& Pt1, const TGPPointF& Pt2, const TGPPointF& Pt3, const TGPPointF& Pt4);
    TGPStatus AddPathBezier(Single X1, Single Y1, Single X2, Single Y2, Single X3, Single Y3, Single X4, Single Y4);
    TGPStatus AddPathBezierI(const TGPPoint& Pt1, const TGPPoint& Pt2, const TGPPoint& Pt3, const TGPPoint& Pt4);
    TGPStatus AddPathBezierI(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
                             Integer Y4);
    TGPStatus AddPathBeziers(std::span<const TGPPointF> Points);
    TGPStatus AddPathBeziersI(std::span<const TGPPoint> Points);
    TGPStatus AddPathCurve(std::span<const TGPPointF> Points);
    TGPStatus AddPathCurve2(std::span<const TGPPointF> Points, Single Tension);
    TGPStatus AddPathCurve3(std::span<const TGPPointF> Points, Integer Offset, Integer NumberOfSegments,
                            Single Tension);
    TGPStatus AddPathCurveI(std::span<const TGPPoint> Points);
    TGPStatus AddPathCurve2I(std::span<const TGPPoint> Points, Single Tension);
    TGPStatus AddPathCurve3I(std::span<const TGPPoint> Points, Integer Offset, Integer NumberOfSegments,
                             Single Tension);
    TGPStatus AddPathClosedCurve(std::span<const TGPPointF> Points);
    TGPStatus AddPathClosedCurve2(std::span<const TGPPointF> Points, Single Tension);
    TGPStatus AddPathClosedCurveI(std::span<const TGPPoint> Points);
    TGPStatus AddPathClosedCurve2I(std::span<const TGPPoint> Points, Single Tension);
    TGPStatus AddPathRectangle(const TGPRectF& Rect);
    TGPStatus AddPathRectangleI(const TGPRect& Rect);
    TGPStatus AddPathRectangles(std::span<const TGPRectF> Rects);
    TGPStatus AddPathRectanglesI(std::span<const TGPRect> Rects);
    TGPStatus AddPathEllipse(const TGPRectF& Rect);
    TGPStatus AddPathEllipse(Single X, Single Y, Single Width, Single Height);
    TGPStatus AddPathEllipseI(const TGPRect& Rect);
    TGPStatus AddPathEllipseI(Integer X, Integer Y, Integer Width, Integer Height);
    TGPStatus AddPathPie(const TGPRectF& Rect, Single StartAngle, Single SweepAngle);
    TGPStatus AddPathPie(Single X, Single Y, Single Width, Single Height, Single StartAngle, Single SweepAngle);
    TGPStatus AddPathPieI(const TGPRect& Rect, Single StartAngle, Single SweepAngle);
    TGPStatus AddPathPieI(Integer X, Integer Y, Integer Width, Integer Height, Single StartAngle, Single SweepAngle);
    TGPStatus AddPathPolygon(std::span<const TGPPointF> Points);
    TGPStatus AddPathPolygonI(std::span<const TGPPoint> Points);
    TGPStatus AddPathPath(const TGPPtr<IGPGraphicsPath>& AddingPath, bool Connect);
    // Glyph outlines; Format may be nil.
    TGPStatus AddPathString(const String& Text, const TGPPtr<IGPFontFamily>& Family, TGPFontStyle Style,
                            Single EmSize, const TGPRectF& LayoutRect, const TGPPtr<IGPStringFormat>& Format);
    TGPStatus AddPathString(const String& Text, const TGPPtr<IGPFontFamily>& Family, TGPFontStyle Style,
                            Single EmSize, const TGPPointF& Origin, const TGPPtr<IGPStringFormat>& Format);
    TGPStatus AddPathStringI(const String& Text, const TGPPtr<IGPFontFamily>& Family, TGPFontStyle Style,
                             Single EmSize, const TGPRect& LayoutRect, const TGPPtr<IGPStringFormat>& Format);
    TGPStatus AddPathStringI(const String& Text, const TGPPtr<IGPFontFamily>& Family, TGPFontStyle Style,
                             Single EmSize, const TGPPoint& Origin, const TGPPtr<IGPStringFormat>& Format);
    // A nil matrix leaves the path as it is.
    TGPStatus TransformPath(const TGPPtr<IGPMatrix>& Matrix);
    // Matrix and pen may be nil.
    TGPStatus GetPathWorldBounds(TGPRectF& Bounds, const TGPPtr<IGPMatrix>& Matrix = nullptr,
                                 const TGPPtr<IGPPen>& Pen = nullptr);
    TGPStatus GetPathWorldBoundsI(TGPRect& Bounds, const TGPPtr<IGPMatrix>& Matrix = nullptr,
                                  const TGPPtr<IGPPen>& Pen = nullptr);
    TGPStatus FlattenPath(const TGPPtr<IGPMatrix>& Matrix = nullptr, Single Flatness = 0.25f);
    TGPStatus WidenPath(const TGPPtr<IGPPen>& Pen, const TGPPtr<IGPMatrix>& Matrix = nullptr, Single Flatness = 0.25f);
    TGPStatus WindingModeOutline(const TGPPtr<IGPMatrix>& Matrix = nullptr, Single Flatness = 0.25f);
    TGPStatus WarpPath(std::span<const TGPPointF> DestPoints, const TGPRectF& SrcRect,
                       const TGPPtr<IGPMatrix>& Matrix = nullptr, Integer WarpMode = 0, Single Flatness = 0.25f);
    // Graphics and pen may be nil.
    bool IsVisiblePathPoint(Single X, Single Y, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsVisiblePathPoint(const TGPPointF& Point, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsVisiblePathPointI(Integer X, Integer Y, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsVisiblePathPointI(const TGPPoint& Point, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsOutlineVisiblePathPoint(Single X, Single Y, const TGPPtr<IGPPen>& Pen,
                                   const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsOutlineVisiblePathPoint(const TGPPointF& Point, const TGPPtr<IGPPen>& Pen,
                                   const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsOutlineVisiblePathPointI(Integer X, Integer Y, const TGPPtr<IGPPen>& Pen,
                                    const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsOutlineVisiblePathPointI(const TGPPoint& Point, const TGPPtr<IGPPen>& Pen,
                                    const TGPPtr<IGPGraphics>& Graphics = nullptr);
};

class TGPGraphicsPath : public TGdiplusBase, public virtual IGPGraphicsPath {
public:
    explicit TGPGraphicsPath(TGPFillMode FillMode = FillModeAlternate);
    // Both arrays non-empty and of one length.
    TGPGraphicsPath(std::span<const TGPPointF> Points, std::span<const Byte> Types,
                    TGPFillMode FillMode = FillModeAlternate);
    TGPGraphicsPath(std::span<const TGPPoint> Points, std::span<const Byte> Types,
                    TGPFillMode FillMode = FillModeAlternate);
    explicit TGPGraphicsPath(Gdiplus::GpPath* NativePath) : TGdiplusBase(NativePath) {}
    ~TGPGraphicsPath() override;
    String ClassName() const override { return u"TGPGraphicsPath"; }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

// ---------------------------------------------------------------------------
// Regions

struct IGPRegion : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{E9C59DD7-9EBD-4F4A-AFD4-AE1DEA66B348}");
    TGPPtr<IGPRegion> Clone();
    TGPStatus MakeInfinite();
    TGPStatus MakeEmpty();
    // The region's data; a buffer of size 0 when GDI+ reports none.
    TGPPtr<IGPBuffer> GetRegionData();
    TGPStatus Intersect(const TGPRect& Rect);
    TGPStatus Intersect(const TGPRectF& Rect);
    TGPStatus Intersect(const TGPPtr<IGPGraphicsPath>& Path);
    TGPStatus Intersect(const TGPPtr<IGPRegion>& Region);
    TGPStatus Union(const TGPRect& Rect);
    TGPStatus Union(const TGPRectF& Rect);
    TGPStatus Union(const TGPPtr<IGPGraphicsPath>& Path);
    TGPStatus Union(const TGPPtr<IGPRegion>& Region);
    TGPStatus Xor(const TGPRect& Rect);
    TGPStatus Xor(const TGPRectF& Rect);
    TGPStatus Xor(const TGPPtr<IGPGraphicsPath>& Path);
    TGPStatus Xor(const TGPPtr<IGPRegion>& Region);
    TGPStatus Exclude(const TGPRect& Rect);
    TGPStatus Exclude(const TGPRectF& Rect);
    TGPStatus Exclude(const TGPPtr<IGPGraphicsPath>& Path);
    TGPStatus Exclude(const TGPPtr<IGPRegion>& Region);
    // The argument minus this region.
    TGPStatus Complement(const TGPRect& Rect);
    TGPStatus Complement(const TGPRectF& Rect);
    TGPStatus Complement(const TGPPtr<IGPGraphicsPath>& Path);
    TGPStatus Complement(const TGPPtr<IGPRegion>& Region);
    TGPStatus TranslateRegion(Single DX, Single DY);
    TGPStatus TranslateRegionI(Integer DX, Integer DY);
    TGPStatus TransformRegion(const TGPPtr<IGPMatrix>& Matrix);
    // These need a graphics for the device's resolution.
    TGPStatus GetRegionBoundsI(TGPRect& Rect, const TGPPtr<IGPGraphics>& Graphics);
    TGPStatus GetRegionBounds(TGPRectF& Rect, const TGPPtr<IGPGraphics>& Graphics);
    HRGN GetRegionHRgn(const TGPPtr<IGPGraphics>& Graphics);
    bool IsEmptyRegion(const TGPPtr<IGPGraphics>& Graphics);
    bool IsInfiniteRegion(const TGPPtr<IGPGraphics>& Graphics);
    // Graphics may be nil.
    bool IsVisiblePointI(Integer X, Integer Y, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsVisiblePointI(const TGPPoint& Point, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsVisiblePoint(Single X, Single Y, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsVisiblePoint(const TGPPointF& Point, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsVisibleRectI(Integer X, Integer Y, Integer Width, Integer Height,
                        const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsVisibleRectI(const TGPRect& Rect, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsVisibleRect(Single X, Single Y, Single Width, Single Height, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool IsVisibleRect(const TGPRectF& Rect, const TGPPtr<IGPGraphics>& Graphics = nullptr);
    bool Equals(const TGPPtr<IGPRegion>& Region, const TGPPtr<IGPGraphics>& Graphics);
    TGPPtr<IGPArray<TGPRectF>> GetRegionScans(const TGPPtr<IGPMatrix>& Matrix);
    TGPPtr<IGPArray<TGPRect>> GetRegionScansI(const TGPPtr<IGPMatrix>& Matrix);
};

class TGPRegion : public TGdiplusBase, public virtual IGPRegion {
public:
    TGPRegion();  // the infinite region
    explicit TGPRegion(const TGPRectF& Rect);
    explicit TGPRegion(const TGPRect& Rect);
    explicit TGPRegion(const TGPPtr<IGPGraphicsPath>& Path);
    TGPRegion(const Byte* RegionData, Integer Size);
    explicit TGPRegion(HRGN Rgn);
    explicit TGPRegion(Gdiplus::GpRegion* NativeRegion) : TGdiplusBase(NativeRegion) {}
    ~TGPRegion() override;
    String ClassName() const override { return u"TGPRegion"; }
    // Nil when GDI+ refuses the region.
    static TGPPtr<IGPRegion> FromHRGN(HRGN Rgn);

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

// ---------------------------------------------------------------------------
// Brushes and their blends

struct IGPBlend : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{FC8B0142-493A-44ED-8A8B-A316E2760BB6}");
    virtual Integer GetCount() const = 0;
    virtual Single GetFactor(Integer Index) const = 0;
    virtual void SetFactor(Integer Index, Single Value) = 0;
    virtual Single GetPosition(Integer Index) const = 0;
    virtual void SetPosition(Integer Index, Single Value) = 0;
    virtual Single* GetFactors() = 0;
    virtual Single* GetPositions() = 0;
};

class TGPBlend : public TInterfacedObject, public virtual IGPBlend {
public:
    // Non-empty arrays of one length.
    TGPBlend(std::span<const Single> Factors, std::span<const Single> Positions);
    explicit TGPBlend(Integer Count);
    String ClassName() const override { return u"TGPBlend"; }
    Integer GetCount() const override { return static_cast<Integer>(FFactors.size()); }
    Single GetFactor(Integer Index) const override { return FFactors[static_cast<size_t>(Index)]; }
    void SetFactor(Integer Index, Single Value) override { FFactors[static_cast<size_t>(Index)] = Value; }
    Single GetPosition(Integer Index) const override { return FPositions[static_cast<size_t>(Index)]; }
    void SetPosition(Integer Index, Single Value) override { FPositions[static_cast<size_t>(Index)] = Value; }
    Single* GetFactors() override { return FFactors.data(); }
    Single* GetPositions() override { return FPositions.data(); }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;

private:
    std::vector<Single> FFactors;
    std::vector<Single> FPositions;
};

struct IGPColorBlend : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{DC0C7C5F-D3EA-4233-B011-CB62AF17B2A0}");
    virtual Integer GetCount() const = 0;
    virtual TGPColor GetColor(Integer Index) const = 0;
    virtual void SetColor(Integer Index, TGPColor Value) = 0;
    virtual Single GetPosition(Integer Index) const = 0;
    virtual void SetPosition(Integer Index, Single Value) = 0;
    virtual TGPColor* GetColors() = 0;
    virtual Single* GetPositions() = 0;
};

class TGPColorBlend : public TInterfacedObject, public virtual IGPColorBlend {
public:
    // Non-empty arrays of one length; positions run from 0.0 to 1.0.
    TGPColorBlend(std::span<const TGPColor> Colors, std::span<const Single> Positions);
    explicit TGPColorBlend(Integer Count);
    String ClassName() const override { return u"TGPColorBlend"; }
    Integer GetCount() const override { return static_cast<Integer>(FColors.size()); }
    TGPColor GetColor(Integer Index) const override { return FColors[static_cast<size_t>(Index)]; }
    void SetColor(Integer Index, TGPColor Value) override { FColors[static_cast<size_t>(Index)] = Value; }
    Single GetPosition(Integer Index) const override { return FPositions[static_cast<size_t>(Index)]; }
    void SetPosition(Integer Index, Single Value) override { FPositions[static_cast<size_t>(Index)] = Value; }
    TGPColor* GetColors() override { return FColors.data(); }
    Single* GetPositions() override { return FPositions.data(); }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;

private:
    std::vector<TGPColor> FColors;
    std::vector<Single> FPositions;
};

struct IGPBrush : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{F72C5B86-F7CF-4BB6-8F88-B757F75F59D6}");
    // GDI+'s brush type; -1 when it cannot be read.
    Integer GetBrushType();
    // Always a plain brush, whatever the kind.
    TGPPtr<IGPBrush> Clone();
};

class TGPBrush : public TGdiplusBase, public virtual IGPBrush {
public:
    explicit TGPBrush(Gdiplus::GpBrush* NativeBrush) : TGdiplusBase(NativeBrush) {}
    ~TGPBrush() override;
    String ClassName() const override { return u"TGPBrush"; }

protected:
    TGPBrush() = default;  // no native brush yet
    bool GetInterface(const TGUID& IID, void** Obj) override;
    friend struct IGPPen;
};

struct IGPSolidBrush : virtual IGPBrush {
    static constexpr TGUID IID = StringToGUIDConst("{865B8383-EB72-46CE-92D1-01CE4221251E}");
    TGPColor GetSolidFillColor();
    TGPStatus SetSolidFillColor(TGPColor Color);
};

class TGPSolidBrush : public TGPBrush, public virtual IGPSolidBrush {
public:
    explicit TGPSolidBrush(TGPColor Color);
    String ClassName() const override { return u"TGPSolidBrush"; }

protected:
    TGPSolidBrush() = default;
    bool GetInterface(const TGUID& IID, void** Obj) override;
    friend struct IGPPen;
};

struct IGPTextureBrush : virtual IGPBrush {
    static constexpr TGUID IID = StringToGUIDConst("{26FB648D-FF57-43E3-80B2-FC18EC2A3687}");
    // A new matrix holding the transform.
    TGPStatus GetTextureTransform(TGPPtr<IGPMatrix>& Matrix);
    TGPStatus SetTextureTransform(const TGPPtr<IGPMatrix>& Matrix);
    TGPWrapMode GetTextureWrapMode();
    TGPStatus SetTextureWrapMode(TGPWrapMode WrapMode);
    TGPPtr<IGPImage> GetTextureImage();
    TGPStatus ResetTextureTransform();
    TGPStatus MultiplyTextureTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order = 0);
    TGPStatus TranslateTextureTransform(Single DX, Single DY, Integer Order = 0);
    TGPStatus ScaleTextureTransform(Single SX, Single SY, Integer Order = 0);
    TGPStatus RotateTextureTransform(Single Angle, Integer Order = 0);
};

class TGPTextureBrush : public TGPBrush, public virtual IGPTextureBrush {
public:
    explicit TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode = WrapModeTile);
    TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, const TGPRectF& DstRect);
    TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, const TGPRect& DstRect);
    TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, Single DstX, Single DstY, Single DstWidth,
                    Single DstHeight);
    TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, Integer DstX, Integer DstY,
                    Integer DstWidth, Integer DstHeight);
    // Attributes may be nil.
    TGPTextureBrush(const TGPPtr<IGPImage>& Image, const TGPRectF& DstRect,
                    const TGPPtr<IGPImageAttributes>& ImageAttributes);
    TGPTextureBrush(const TGPPtr<IGPImage>& Image, const TGPRect& DstRect,
                    const TGPPtr<IGPImageAttributes>& ImageAttributes);
    String ClassName() const override { return u"TGPTextureBrush"; }

protected:
    TGPTextureBrush() = default;
    bool GetInterface(const TGUID& IID, void** Obj) override;
    friend struct IGPPen;
};

struct IGPLinearGradientBrush : virtual IGPBrush {
    static constexpr TGUID IID = StringToGUIDConst("{39402FB3-98B0-459C-82C7-8CB393ABF081}");
    TGPStatus GetLineColors(std::array<TGPColor, 2>& Colors);
    TGPStatus SetLineColors(const std::array<TGPColor, 2>& Colors);
    TGPStatus GetLineRect(TGPRectF& Rect);
    TGPStatus GetLineRect(TGPRect& Rect);
    TGPStatus GetLineRectI(TGPRect& Rect);
    bool GetLineGammaCorrection();
    TGPStatus SetLineGammaCorrection(bool UseGammaCorrection);
    TGPPtr<IGPBlend> GetLineBlend();
    TGPStatus SetLineBlend(const TGPPtr<IGPBlend>& Blend);
    TGPPtr<IGPColorBlend> GetLinePresetBlend();
    TGPStatus SetLinePresetBlend(const TGPPtr<IGPColorBlend>& Blend);
    TGPStatus GetLineTransform(TGPPtr<IGPMatrix>& Matrix);
    TGPStatus SetLineTransform(const TGPPtr<IGPMatrix>& Matrix);
    TGPWrapMode GetLineWrapMode();
    TGPStatus SetLineWrapMode(TGPWrapMode WrapMode);
    TGPStatus SetLineSigmaBlend(Single Focus, Single Scale = 1.0f);
    TGPStatus SetLineLinearBlend(Single Focus, Single Scale = 1.0f);
    TGPStatus ResetLineTransform();
    TGPStatus MultiplyLineTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order = 0);
    TGPStatus TranslateLineTransform(Single DX, Single DY, Integer Order = 0);
    TGPStatus ScaleLineTransform(Single SX, Single SY, Integer Order = 0);
    TGPStatus RotateLineTransform(Single Angle, Integer Order = 0);
};

class TGPLinearGradientBrush : public TGPBrush, public virtual IGPLinearGradientBrush {
public:
    // Every form tiles (WrapModeTile).
    TGPLinearGradientBrush(const TGPPointF& Point1, const TGPPointF& Point2, TGPColor Color1, TGPColor Color2);
    TGPLinearGradientBrush(const TGPPoint& Point1, const TGPPoint& Point2, TGPColor Color1, TGPColor Color2);
    TGPLinearGradientBrush(const TGPRectF& Rect, TGPColor Color1, TGPColor Color2, TGPLinearGradientMode Mode);
    TGPLinearGradientBrush(const TGPRect& Rect, TGPColor Color1, TGPColor Color2, TGPLinearGradientMode Mode);
    TGPLinearGradientBrush(const TGPRectF& Rect, TGPColor Color1, TGPColor Color2, Single Angle,
                           bool IsAngleScalable);
    TGPLinearGradientBrush(const TGPRect& Rect, TGPColor Color1, TGPColor Color2, Single Angle, bool IsAngleScalable);
    String ClassName() const override { return u"TGPLinearGradientBrush"; }

protected:
    TGPLinearGradientBrush() = default;
    bool GetInterface(const TGUID& IID, void** Obj) override;
    friend struct IGPPen;
};

struct IGPHatchBrush : virtual IGPBrush {
    static constexpr TGUID IID = StringToGUIDConst("{4B2B93BD-2540-4B9E-8F30-44EB9B126C0C}");
    Integer GetHatchStyle();
    TGPColor GetHatchForegroundColor();
    TGPColor GetHatchBackgroundColor();
};

class TGPHatchBrush : public TGPBrush, public virtual IGPHatchBrush {
public:
    // The background defaults to opaque black.
    TGPHatchBrush(Integer HatchStyle, TGPColor ForeColor, TGPColor BackColor = TGPColor{0xFF000000});
    String ClassName() const override { return u"TGPHatchBrush"; }

protected:
    TGPHatchBrush() = default;
    bool GetInterface(const TGUID& IID, void** Obj) override;
    friend struct IGPPen;
};

struct IGPPathGradientBrush : virtual IGPBrush {
    static constexpr TGUID IID = StringToGUIDConst("{2E5251F7-3531-4D4E-B8DF-8AF865A24611}");
    TGPColor GetPathGradientCenterColor();
    TGPStatus SetPathGradientCenterColor(TGPColor Color);
    Integer GetPathGradientPointCount();
    // The surround colours; the array holds as many as GDI+ gave.
    TGPPtr<IGPArray<TGPColor>> GetPathGradientSurroundColorsWithCount();
    // The array's count becomes the number GDI+ accepted.
    TGPStatus SetPathGradientSurroundColorsWithCount(const TGPPtr<IGPArray<TGPColor>>& Colors);
    // An empty path object: GDI+ is given no path to fill.
    TGPPtr<IGPGraphicsPath> GetPathGradientPath();
    // Nothing for a nil path.
    TGPStatus SetPathGradientPath(const TGPPtr<IGPGraphicsPath>& Path);
    TGPStatus GetPathGradientCenterPoint(TGPPointF& Point);
    TGPStatus SetPathGradientCenterPoint(const TGPPointF& Point);
    TGPStatus GetPathGradientCenterPointI(TGPPoint& Point);
    TGPStatus SetPathGradientCenterPointI(const TGPPoint& Point);
    TGPStatus GetPathGradientRect(TGPRectF& Rect);
    TGPStatus GetPathGradientRectI(TGPRect& Rect);
    bool GetPathGradientGammaCorrection();
    TGPStatus SetPathGradientGammaCorrection(bool UseGammaCorrection);
    TGPPtr<IGPBlend> GetPathGradientBlend();
    TGPStatus SetPathGradientBlend(const TGPPtr<IGPBlend>& Blend);
    TGPPtr<IGPColorBlend> GetPathGradientPresetBlend();
    TGPStatus SetPathGradientPresetBlend(const TGPPtr<IGPColorBlend>& Blend);
    TGPStatus GetPathGradientTransform(TGPPtr<IGPMatrix>& Matrix);
    TGPStatus SetPathGradientTransform(const TGPPtr<IGPMatrix>& Matrix);
    TGPWrapMode GetPathGradientWrapMode();
    TGPStatus SetPathGradientWrapMode(TGPWrapMode WrapMode);
    TGPStatus SetPathGradientSigmaBlend(Single Focus, Single Scale = 1.0f);
    TGPStatus SetPathGradientLinearBlend(Single Focus, Single Scale = 1.0f);
    TGPStatus ResetPathGradientTransform();
    TGPStatus MultiplyPathGradientTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order = 0);
    TGPStatus TranslatePathGradientTransform(Single DX, Single DY, Integer Order = 0);
    TGPStatus ScalePathGradientTransform(Single SX, Single SY, Integer Order = 0);
    TGPStatus RotatePathGradientTransform(Single Angle, Integer Order = 0);
    TGPStatus GetPathGradientFocusScales(Single& XScale, Single& YScale);
    TGPStatus SetPathGradientFocusScales(Single XScale, Single YScale);
    // Colours given directly; Count reports the number GDI+ accepted.
    TGPStatus SetPathGradientSurroundColorsWithCount(std::span<const TGPColor> Colors, Integer& Count);
};

class TGPPathGradientBrush : public TGPBrush, public virtual IGPPathGradientBrush {
public:
    explicit TGPPathGradientBrush(const TGPPtr<IGPGraphicsPath>& Path);
    TGPPathGradientBrush(std::span<const TGPPointF> Points, TGPWrapMode WrapMode);
    TGPPathGradientBrush(std::span<const TGPPoint> Points, TGPWrapMode WrapMode);
    String ClassName() const override { return u"TGPPathGradientBrush"; }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

// ---------------------------------------------------------------------------
// Pens and line caps

struct IGPCustomLineCap : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{B1BB29E5-DCB0-40B0-81BC-60CF469857C7}");
    Integer GetCustomLineCapStrokeJoin();
    TGPStatus SetCustomLineCapStrokeJoin(Integer LineJoin);
    Integer GetCustomLineCapBaseCap();
    TGPStatus SetCustomLineCapBaseCap(Integer BaseCap);
    Single GetCustomLineCapBaseInset();
    TGPStatus SetCustomLineCapBaseInset(Single Inset);
    Single GetCustomLineCapWidthScale();
    TGPStatus SetCustomLineCapWidthScale(Single WidthScale);
    TGPPtr<IGPCustomLineCap> Clone();
    // Cap as both the start and the end cap.
    TGPStatus SetStrokeCap(Integer Cap);
    TGPStatus SetCustomLineCapStrokeCaps(Integer StartCap, Integer EndCap);
    TGPStatus GetCustomLineCapStrokeCaps(Integer& StartCap, Integer& EndCap);
};

class TGPCustomLineCap : public TGdiplusBase, public virtual IGPCustomLineCap {
public:
    // Either path may be nil.
    TGPCustomLineCap(const TGPPtr<IGPGraphicsPath>& FillPath, const TGPPtr<IGPGraphicsPath>& StrokePath,
                     Integer BaseCap = 0, Single BaseInset = 0);
    explicit TGPCustomLineCap(Gdiplus::GpCustomLineCap* NativeCap) : TGdiplusBase(NativeCap) {}
    ~TGPCustomLineCap() override;
    String ClassName() const override { return u"TGPCustomLineCap"; }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

struct IGPPen : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{AA65F28F-D91F-4F31-BCEE-909D8BCAAFDE}");
    Single GetPenWidth();
    TGPStatus SetPenWidth(Single Width);
    Integer GetPenStartCap();
    TGPStatus SetPenStartCap(Integer StartCap);
    Integer GetPenEndCap();
    TGPStatus SetPenEndCap(Integer EndCap);
    Integer GetPenDashCap197819();
    TGPStatus SetPenDashCap197819(Integer DashCap);
    Integer GetPenLineJoin();
    TGPStatus SetPenLineJoin(Integer LineJoin);
    TGPPtr<IGPCustomLineCap> GetPenCustomStartCap();
    TGPStatus SetPenCustomStartCap(const TGPPtr<IGPCustomLineCap>& CustomCap);
    TGPPtr<IGPCustomLineCap> GetPenCustomEndCap();
    TGPStatus SetPenCustomEndCap(const TGPPtr<IGPCustomLineCap>& CustomCap);
    Single GetPenMiterLimit();
    TGPStatus SetPenMiterLimit(Single MiterLimit);
    Integer GetPenMode();
    TGPStatus SetPenMode(Integer PenMode);
    TGPStatus GetPenTransform(TGPPtr<IGPMatrix>& Matrix);
    TGPStatus SetPenTransform(const TGPPtr<IGPMatrix>& Matrix);
    Integer GetPenFillType();
    TGPColor GetPenColor();
    TGPStatus SetPenColor(TGPColor Color);
    // A brush of the class of the pen's fill; nil for an unknown fill type.
    TGPPtr<IGPBrush> GetPenBrushFill();
    TGPStatus SetPenBrushFill(const TGPPtr<IGPBrush>& Brush);
    Integer GetPenDashStyle();
    TGPStatus SetPenDashStyle(Integer DashStyle);
    Single GetPenDashOffset();
    TGPStatus SetPenDashOffset(Single DashOffset);
    TGPPtr<IGPArray<Single>> GetPenDashArray();
    TGPStatus SetPenDashArray(std::span<const Single> Dashes);
    TGPPtr<IGPArray<Single>> GetPenCompoundArray();
    TGPStatus SetPenCompoundArray(const TGPPtr<IGPArray<Single>>& CompoundArray);
    TGPPtr<IGPPen> Clone();
    TGPStatus SetPenLineCap197819(Integer StartCap, Integer EndCap, Integer DashCap);
    TGPStatus ResetPenTransform();
    TGPStatus MultiplyPenTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order = 0);
    TGPStatus TranslatePenTransform(Single DX, Single DY, Integer Order = 0);
    TGPStatus ScalePenTransform(Single SX, Single SY, Integer Order = 0);
    TGPStatus RotatePenTransform(Single Angle, Integer Order = 0);
    TGPStatus SetPenDashArray(const TGPPtr<IGPArray<Single>>& Dashes);
};

class TGPPen : public TGdiplusBase, public virtual IGPPen {
public:
    // Widths in world units.
    explicit TGPPen(TGPColor Color, Single Width = 1.0f);
    explicit TGPPen(const TGPPtr<IGPBrush>& Brush, Single Width = 1.0f);
    explicit TGPPen(Gdiplus::GpPen* NativePen) : TGdiplusBase(NativePen) {}
    ~TGPPen() override;
    String ClassName() const override { return u"TGPPen"; }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

// ---------------------------------------------------------------------------
// Fonts and text formats

struct IGPFontFamily : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{4A0B6602-589E-4C97-B964-5CF725D49081}");
    // At most 32 characters.
    String GetFamilyName(Word Language = 0);
    TGPPtr<IGPFontFamily> Clone();
    bool IsAvailable();
    // False on any status but Ok.
    bool IsStyleAvailable(TGPFontStyle Style);
    Word GetEmHeight(TGPFontStyle Style);
    Word GetCellAscent(TGPFontStyle Style);
    Word GetCellDescent(TGPFontStyle Style);
    Word GetLineSpacing(TGPFontStyle Style);
};

class TGPFontFamily : public TGdiplusBase, public virtual IGPFontFamily {
public:
    TGPFontFamily() = default;  // no native family
    // Collection nil: the installed fonts. An unknown name leaves no native family.
    explicit TGPFontFamily(const String& Name, const TGPPtr<IGPFontCollection>& FontCollection = nullptr);
    explicit TGPFontFamily(Gdiplus::GpFontFamily* NativeFamily) : TGdiplusBase(NativeFamily) {}
    ~TGPFontFamily() override;
    String ClassName() const override { return u"TGPFontFamily"; }
    // Cached: every call returns the same object.
    static TGPPtr<IGPFontFamily> GenericSansSerif();
    static TGPPtr<IGPFontFamily> GenericSerif();
    static TGPPtr<IGPFontFamily> GenericMonospace();

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

struct IGPFont : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{C3AFA8B0-EA9D-4769-A2D3-D50A9875E37C}");
    TGPFontStyle GetFontStyle();
    Single GetFontSize();
    TGPUnit GetFontUnit();
    TGPPtr<IGPFontFamily> GetFamily();
    TGPPtr<IGPFont> Clone();
    // Graphics may be nil.
    TGPStatus GetLogFontA(const TGPPtr<IGPGraphics>& Graphics, LOGFONTA& LogFont);
    TGPStatus GetLogFontW(const TGPPtr<IGPGraphics>& Graphics, LOGFONTW& LogFont);
    bool IsAvailable();
    Single GetFontHeight(const TGPPtr<IGPGraphics>& Graphics = nullptr);
    Single GetFontHeightGivenDPI(Single Dpi);
};

class TGPFont : public TGdiplusBase, public virtual IGPFont {
public:
    TGPFont(const TGPPtr<IGPFontFamily>& Family, Single EmSize, TGPFontStyle Style = 0,
            TGPUnit MeasureUnit = UnitPoint);
    TGPFont(const String& FamilyName, Single EmSize, TGPFontStyle Style = 0, TGPUnit MeasureUnit = UnitPoint,
            const TGPPtr<IGPFontCollection>& FontCollection = nullptr);
    explicit TGPFont(HDC DC);
    TGPFont(HDC DC, const LOGFONTA& LogFont);
    TGPFont(HDC DC, const LOGFONTW& LogFont);
    // From the font's logical description; the DC's font when FontHandle is 0 or unreadable.
    TGPFont(HDC DC, HFONT FontHandle);
    explicit TGPFont(Gdiplus::GpFont* NativeFont) : TGdiplusBase(NativeFont) {}
    ~TGPFont() override;
    String ClassName() const override { return u"TGPFont"; }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

struct IGPStringFormat : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{4F8B4827-568D-48BF-912F-86B9FEB6FC87}");
    TGPStringFormatFlags GetStringFormatFlags();
    TGPStatus SetStringFormatFlags(TGPStringFormatFlags Flags);
    Integer GetStringFormatAlign();
    TGPStatus SetStringFormatAlign(Integer Align);
    Integer GetStringFormatLineAlign();
    TGPStatus SetStringFormatLineAlign(Integer Align);
    Integer GetStringFormatHotkeyPrefix();
    TGPStatus SetStringFormatHotkeyPrefix(Integer HotkeyPrefix);
    Word GetDigitSubstitutionLanguage();
    Integer GetDigitSubstitutionMethod();
    Integer GetStringFormatTrimming();
    TGPStatus SetStringFormatTrimming(Integer Trimming);
    Integer GetStringFormatMeasurableCharacterRangeCount();
    TGPPtr<IGPStringFormat> Clone();
    TGPPtr<IGPArray<Single>> GetStringFormatTabStops(Single& FirstTabOffset);
    TGPStatus SetStringFormatTabStops(Single FirstTabOffset, std::span<const Single> TabStops);
    TGPStatus SetStringFormatDigitSubstitution(Word Language, Integer Substitute);
    TGPStatus SetStringFormatMeasurableCharacterRanges(const TGPPtr<IGPArray<TGPCharacterRange>>& Ranges);
};

class TGPStringFormat : public TGdiplusBase, public virtual IGPStringFormat {
public:
    explicit TGPStringFormat(TGPStringFormatFlags FormatFlags = 0, Word Language = 0);
    // A copy of Format.
    explicit TGPStringFormat(const TGPPtr<IGPStringFormat>& Format);
    explicit TGPStringFormat(Gdiplus::GpStringFormat* NativeFormat) : TGdiplusBase(NativeFormat) {}
    ~TGPStringFormat() override;
    String ClassName() const override { return u"TGPStringFormat"; }
    // Cached: every call returns the same object.
    static TGPPtr<IGPStringFormat> GenericDefault();
    static TGPPtr<IGPStringFormat> GenericTypographic();

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

// ---------------------------------------------------------------------------
// Images, bitmaps and codecs

// A format identifier with the identifier of the encoder that writes it.
struct IGPImageFormat : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{ADFA1296-4AD3-4EB0-9AC6-CE6C0BDB4704}");
    virtual TGUID GetGuid() const = 0;
    virtual TGUID GetCodecId() const = 0;
};

class TGPImageFormat : public TInterfacedObject, public virtual IGPImageFormat {
public:
    explicit TGPImageFormat(const TGUID& Guid, const TGUID& CodecId = TGUID{}) : FGuid(Guid), FCodecId(CodecId) {}
    String ClassName() const override { return u"TGPImageFormat"; }
    TGUID GetGuid() const override { return FGuid; }
    TGUID GetCodecId() const override { return FCodecId; }
    // The standard format with that identifier (BMP, GIF, JPEG, PNG, TIFF), or nil.
    static TGPPtr<IGPImageFormat> FindByFormatId(const TGUID& FormatId);

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;

private:
    TGUID FGuid;
    TGUID FCodecId;
};

// GDI+'s image format identifiers.
constexpr TGUID ImageFormatBMP = StringToGUIDConst("{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}");
constexpr TGUID ImageFormatEMF = StringToGUIDConst("{B96B3CAC-0728-11D3-9D7B-0000F81EF32E}");
constexpr TGUID ImageFormatJPEG = StringToGUIDConst("{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}");
constexpr TGUID ImageFormatPNG = StringToGUIDConst("{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}");
constexpr TGUID ImageFormatGIF = StringToGUIDConst("{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}");
constexpr TGUID ImageFormatTIFF = StringToGUIDConst("{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}");
// The encoder parameter of JPEG quality (one long, 0 to 100).
constexpr TGUID EncoderQuality = StringToGUIDConst("{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}");

// The JPEG format object of the encoder lookup (which runs once per run).
TGPPtr<IGPImageFormat> GetJpegCodec();

class TGPEncoderParameterEnumerator;

// The option list handed to an encoder: GDI+'s own parameter records, their
// values in one block owned by the list.
struct IGPEncoderParameters : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{6F302D80-EC12-417C-83F4-2E0B5A5BCDB6}");
    virtual Integer GetCount() const = 0;
    virtual Gdiplus::EncoderParameter* GetParam(Integer Index) = 0;
    // The native list (its count, then the records); rebuilt after a change.
    virtual Gdiplus::EncoderParameters* GetNativeParams() = 0;
    TGPEncoderParameterEnumerator GetEnumerator();
    virtual void Clear() = 0;
    virtual void Add(const TGUID& ParamType, Integer Value) = 0;                      // one long
    virtual void Add(const TGUID& ParamType, std::span<const Integer> Values) = 0;    // longs
    virtual void Add(const TGUID& ParamType, Byte Value) = 0;                         // one byte
    virtual void Add(const TGUID& ParamType, std::span<const Byte> Values) = 0;       // bytes
    virtual void Add(const TGUID& ParamType, SmallInt Value) = 0;                     // one short
    virtual void Add(const TGUID& ParamType, std::span<const SmallInt> Values) = 0;   // shorts
    virtual void Add(const TGUID& ParamType, Cardinal Value) = 0;                     // one long
    virtual void Add(const TGUID& ParamType, std::span<const Cardinal> Values) = 0;   // longs
    virtual void Add(const TGUID& ParamType, Gdiplus::EncoderValue Value) = 0;        // one long
    virtual void Add(const TGUID& ParamType, std::span<const Int64> Values) = 0;      // low 32 bits, longs
    virtual void Add(const TGUID& ParamType, const String& Value) = 0;                // ASCII, 0-terminated
    virtual void Add(const TGUID& ParamType, Byte Value, bool Undefined) = 0;         // undefined or byte
    virtual void Add(const TGUID& ParamType, std::span<const Byte> Values, bool Undefined) = 0;
    virtual void Add(const TGUID& ParamType, Integer Numerator, Integer Denominator) = 0;  // rational
    virtual void Add(const TGUID& ParamType, std::span<const Integer> Numerators,
                     std::span<const Integer> Denominators) = 0;  // rationals
    virtual void AddRange(const TGUID& ParamType, Integer RangeBegin, Integer RangeEnd) = 0;  // long range
    virtual void AddRange(const TGUID& ParamType, std::span<const Integer> RangesBegin,
                          std::span<const Integer> RangesEnd) = 0;  // long ranges
    // The general form: NumberOfValues values of ValueType (1 to 8) copied from Values.
    virtual void Add(const TGUID& ParamType, Cardinal NumberOfValues, Cardinal ValueType, const void* Values) = 0;
    virtual void Add(const TGUID& ParamType, Integer Numerator1, Integer Denominator1, Integer Numerator2,
                     Integer Denominator2) = 0;  // rational range
    virtual void Add(const TGUID& ParamType, std::span<const Integer> Numerators1,
                     std::span<const Integer> Denominators1, std::span<const Integer> Numerators2,
                     std::span<const Integer> Denominators2) = 0;  // rational ranges
};

class TGPEncoderParameters : public TInterfacedObject, public virtual IGPEncoderParameters {
public:
    TGPEncoderParameters() = default;  // empty
    // A copy of every entry of a native list.
    explicit TGPEncoderParameters(const Gdiplus::EncoderParameters* NativeParams);
    ~TGPEncoderParameters() override;
    String ClassName() const override { return u"TGPEncoderParameters"; }

    Integer GetCount() const override { return FParamCount; }
    Gdiplus::EncoderParameter* GetParam(Integer Index) override { return &FParams[static_cast<size_t>(Index)]; }
    Gdiplus::EncoderParameters* GetNativeParams() override;
    void Clear() override;
    void Add(const TGUID& ParamType, Integer Value) override;
    void Add(const TGUID& ParamType, std::span<const Integer> Values) override;
    void Add(const TGUID& ParamType, Byte Value) override;
    void Add(const TGUID& ParamType, std::span<const Byte> Values) override;
    void Add(const TGUID& ParamType, SmallInt Value) override;
    void Add(const TGUID& ParamType, std::span<const SmallInt> Values) override;
    void Add(const TGUID& ParamType, Cardinal Value) override;
    void Add(const TGUID& ParamType, std::span<const Cardinal> Values) override;
    void Add(const TGUID& ParamType, Gdiplus::EncoderValue Value) override;
    void Add(const TGUID& ParamType, std::span<const Int64> Values) override;
    void Add(const TGUID& ParamType, const String& Value) override;
    void Add(const TGUID& ParamType, Byte Value, bool Undefined) override;
    void Add(const TGUID& ParamType, std::span<const Byte> Values, bool Undefined) override;
    void Add(const TGUID& ParamType, Integer Numerator, Integer Denominator) override;
    void Add(const TGUID& ParamType, std::span<const Integer> Numerators,
             std::span<const Integer> Denominators) override;
    void AddRange(const TGUID& ParamType, Integer RangeBegin, Integer RangeEnd) override;
    void AddRange(const TGUID& ParamType, std::span<const Integer> RangesBegin,
                  std::span<const Integer> RangesEnd) override;
    void Add(const TGUID& ParamType, Cardinal NumberOfValues, Cardinal ValueType, const void* Values) override;
    void Add(const TGUID& ParamType, Integer Numerator1, Integer Denominator1, Integer Numerator2,
             Integer Denominator2) override;
    void Add(const TGUID& ParamType, std::span<const Integer> Numerators1, std::span<const Integer> Denominators1,
             std::span<const Integer> Numerators2, std::span<const Integer> Denominators2) override;

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;

private:
    std::vector<Gdiplus::EncoderParameter> FParams;  // grown in steps of 4 entries
    Integer FParamCount = 0;
    Byte* FValues = nullptr;  // the values of all entries, one after another
    size_t FValueSize = 0;
    size_t FValueAllocated = 0;
    Gdiplus::EncoderParameters* FNativeParams = nullptr;
    bool FModified = false;
};

// Walks a parameter list: MoveNext before each entry; holds the list.
class TGPEncoderParameterEnumerator : public TObject {
public:
    explicit TGPEncoderParameterEnumerator(IGPEncoderParameters* Params) : FParams(Params) {}
    String ClassName() const override { return u"TGPEncoderParameterEnumerator"; }
    bool MoveNext();
    Gdiplus::EncoderParameter* GetCurrent() { return FParams->GetParam(FIndex); }

private:
    Integer FIndex = -1;
    TGPPtr<IGPEncoderParameters> FParams;
};

struct IGPColorPalette : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{E574677A-6599-4C02-9F3C-0839BD4768F4}");
    virtual TGPPaletteFlags GetFlags() const = 0;
    virtual void SetFlags(TGPPaletteFlags Value) = 0;
    virtual Integer GetCount() const = 0;
    virtual TGPColor GetEntry(Integer Index) const = 0;
    virtual void SetEntry(Integer Index, TGPColor Value) = 0;
    virtual TGPColor* GetEntries() = 0;
    virtual Gdiplus::ColorPalette* GetNativePalette() = 0;
};

class TGPColorPalette : public TInterfacedObject, public virtual IGPColorPalette {
public:
    // Flags 0 and Count entries of 0.
    explicit TGPColorPalette(Integer Count);
    // Takes over a palette block GDI+ filled.
    explicit TGPColorPalette(std::vector<Byte> NativeBlock);
    String ClassName() const override { return u"TGPColorPalette"; }
    TGPPaletteFlags GetFlags() const override { return Native()->Flags; }
    void SetFlags(TGPPaletteFlags Value) override { Native()->Flags = Value; }
    Integer GetCount() const override { return static_cast<Integer>(Native()->Count); }
    TGPColor GetEntry(Integer Index) const override { return GetEntriesOf()[Index]; }
    void SetEntry(Integer Index, TGPColor Value) override { GetEntries()[Index] = Value; }
    TGPColor* GetEntries() override { return const_cast<TGPColor*>(GetEntriesOf()); }
    Gdiplus::ColorPalette* GetNativePalette() override { return Native(); }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;

private:
    Gdiplus::ColorPalette* Native() const
    {
        return reinterpret_cast<Gdiplus::ColorPalette*>(const_cast<Byte*>(FData.data()));
    }
    const TGPColor* GetEntriesOf() const { return reinterpret_cast<const TGPColor*>(Native()->Entries); }
    std::vector<Byte> FData;
};

// A property of an image (EXIF and the like). An item made for an absent
// property has no block: its getters answer 0 and its setters do nothing.
struct IGPPropertyItem : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{24E8F728-8FCA-444F-9508-681A2A719715}");
    virtual Cardinal GetId() const = 0;
    virtual void SetId(Cardinal Value) = 0;
    virtual Cardinal GetLength() const = 0;
    virtual void SetLength(Cardinal Value) = 0;
    virtual Word GetValueType() const = 0;
    virtual void SetValueType(Word Value) = 0;
    virtual void* GetValue() const = 0;
    virtual void SetValue(void* Value) = 0;
    virtual Gdiplus::PropertyItem* GetNativeItem() = 0;
};

class TGPPropertyItem : public TInterfacedObject, public virtual IGPPropertyItem {
public:
    TGPPropertyItem();  // a header block of zeros
    // Takes over a block that starts with the item's header (none: an absent property).
    explicit TGPPropertyItem(std::vector<Byte> NativeBlock);
    String ClassName() const override { return u"TGPPropertyItem"; }
    Cardinal GetId() const override { return Item() ? Item()->id : 0; }
    void SetId(Cardinal Value) override;
    Cardinal GetLength() const override { return Item() ? Item()->length : 0; }
    void SetLength(Cardinal Value) override;
    Word GetValueType() const override { return Item() ? Item()->type : 0; }
    void SetValueType(Word Value) override;
    void* GetValue() const override { return Item() ? Item()->value : nullptr; }
    void SetValue(void* Value) override;
    Gdiplus::PropertyItem* GetNativeItem() override { return Item(); }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;

private:
    Gdiplus::PropertyItem* Item() const
    {
        return FData.empty() ? nullptr : reinterpret_cast<Gdiplus::PropertyItem*>(const_cast<Byte*>(FData.data()));
    }
    std::vector<Byte> FData;
};

struct IGPImage : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{C20817F9-5BEC-448F-BDD0-9B3661D9F496}");
    Integer GetImageType();
    Cardinal GetImageWidth();
    Cardinal GetImageHeight();
    Single GetImageHorizontalResolution();
    Single GetImageVerticalResolution();
    Cardinal GetImageFlags();
    TGPStatus GetImageRawFormat(TGUID& Format);
    Integer GetImagePixelFormat();
    // A palette of count 0 when the image has none.
    TGPPtr<IGPColorPalette> GetImagePalette();
    TGPStatus SetImagePalette(const TGPPtr<IGPColorPalette>& Palette);
    TGPPtr<IGPArray<Cardinal>> GetPropertyIdList();
    TGPPtr<IGPArray<TGPPtr<IGPPropertyItem>>> GetAllPropertyItems();
    TGPPtr<IGPImage> Clone();
    // Encodes with the encoder of Format (Params may be nil).
    TGPStatus Save(const String& FileName, const TGPPtr<IGPImageFormat>& Format,
                   const TGPPtr<IGPEncoderParameters>& Params = nullptr);
    TGPStatus Save(IStream* Stream, const TGPPtr<IGPImageFormat>& Format,
                   const TGPPtr<IGPEncoderParameters>& Params = nullptr);
    // Encodes with the encoder named by its identifier.
    TGPStatus Save(const String& FileName, const TGUID& EncoderClsid,
                   const TGPPtr<IGPEncoderParameters>& Params = nullptr);
    TGPStatus Save(IStream* Stream, const TGUID& EncoderClsid, const TGPPtr<IGPEncoderParameters>& Params = nullptr);
    TGPStatus SaveAdd(const TGPPtr<IGPEncoderParameters>& Params);
    TGPStatus SaveAdd(const TGPPtr<IGPImage>& NewImage, const TGPPtr<IGPEncoderParameters>& Params);
    TGPStatus GetImageDimension(Single& Width, Single& Height);
    TGPStatus GetImageBounds(TGPRectF& Rect, TGPUnit& Unit);
    TGPPtr<IGPImage> GetImageThumbnail(Cardinal ThumbWidth, Cardinal ThumbHeight,
                                       Gdiplus::GetThumbnailImageAbort Callback = nullptr,
                                       void* CallbackData = nullptr);
    TGPPtr<IGPArray<TGUID>> ImageGetFrameDimensionsList();
    Cardinal ImageGetFrameCount(const TGUID& DimensionId);
    TGPStatus ImageSelectActiveFrame(const TGUID& DimensionId, Cardinal FrameIndex);
    TGPStatus ImageRotateFlip(Integer RotateFlipType);
    TGPPtr<IGPPropertyItem> GetPropertyItem(Cardinal PropId);
    TGPStatus SetPropertyItem(const TGPPtr<IGPPropertyItem>& Item);
    TGPStatus RemovePropertyItem(Cardinal PropId);
    // Empty when GDI+ cannot say.
    TGPPtr<IGPEncoderParameters> GetEncoderParameterList(const TGUID& ClsidEncoder);
};

class TGPImage : public TGdiplusBase, public virtual IGPImage {
public:
    // A file or stream GDI+ cannot decode leaves no native image (width, height
    // and pixel format then read 0).
    explicit TGPImage(const String& FileName, bool UseEmbeddedColorManagement = false);
    explicit TGPImage(IStream* Stream, bool UseEmbeddedColorManagement = false);
    explicit TGPImage(Gdiplus::GpImage* NativeImage) : TGdiplusBase(NativeImage) {}
    ~TGPImage() override;
    String ClassName() const override { return u"TGPImage"; }
    static TGPPtr<IGPImage> FromFile(const String& FileName, bool UseEmbeddedColorManagement = false);
    static TGPPtr<IGPImage> FromStream(IStream* Stream, bool UseEmbeddedColorManagement = false);

protected:
    TGPImage() = default;
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

struct IGPBitmap : virtual IGPImage {
    static constexpr TGUID IID = StringToGUIDConst("{6FC02C3F-1A40-425F-8C65-7729C474FEFF}");
    TGPColor BitmapGetPixel(Integer X, Integer Y);
    TGPStatus BitmapSetPixel(Integer X, Integer Y, TGPColor Color);
    // The whole bitmap in its own pixel format, or a part in Format.
    TGPPtr<IGPBitmap> Clone();
    TGPPtr<IGPBitmap> Clone(const TGPRect& Rect, Integer Format);
    TGPPtr<IGPBitmap> Clone(Integer X, Integer Y, Integer Width, Integer Height, Integer Format);
    TGPPtr<IGPBitmap> Clone(const TGPRectF& Rect, Integer Format);
    TGPPtr<IGPBitmap> Clone(Single X, Single Y, Single Width, Single Height, Integer Format);
    TGPStatus BitmapLockBits(const TGPRect& Rect, Cardinal Flags, Integer Format, Gdiplus::BitmapData& LockedData);
    TGPStatus BitmapUnlockBits(Gdiplus::BitmapData& LockedData);
    TGPStatus BitmapSetResolution(Single DpiX, Single DpiY);
    // The pixels over ColorBackground as a new GDI bitmap (0 on failure).
    HBITMAP GetHBitmap(TGPColor ColorBackground);
    HICON GetHIcon();
};

class TGPBitmap : public TGPImage, public virtual IGPBitmap {
public:
    explicit TGPBitmap(const String& FileName, bool UseEmbeddedColorManagement = false);
    explicit TGPBitmap(IStream* Stream, bool UseEmbeddedColorManagement = false);
    TGPBitmap(HBITMAP BitmapHandle, HPALETTE Palette);
    // GDI+ allocates the pixels, all 0.
    TGPBitmap(Integer Width, Integer Height, Integer Format = PixelFormat32bppARGB);
    // Over the caller's pixels, which must outlive the bitmap.
    TGPBitmap(Integer Width, Integer Height, Integer Stride, Integer Format, Byte* Scan0);
    TGPBitmap(Integer Width, Integer Height, const TGPPtr<IGPGraphics>& Target);
    TGPBitmap(const BITMAPINFO& BitmapInfo, void* BitmapData);
    TGPBitmap(HINSTANCE Instance, const String& BitmapName);
    explicit TGPBitmap(HICON IconHandle);
    // Asserts that the surface is a version-7 DirectDraw surface.
    explicit TGPBitmap(IUnknown* DirectDrawSurface7);
    explicit TGPBitmap(Gdiplus::GpBitmap* NativeBitmap) : TGPImage(NativeBitmap) {}
    String ClassName() const override { return u"TGPBitmap"; }
    static TGPPtr<IGPBitmap> FromFile(const String& FileName, bool UseEmbeddedColorManagement = false);
    static TGPPtr<IGPBitmap> FromStream(IStream* Stream, bool UseEmbeddedColorManagement = false);
    static TGPPtr<IGPBitmap> FromHBitmap(HBITMAP BitmapHandle, HPALETTE Palette);
    static TGPPtr<IGPBitmap> FromHIcon(HICON IconHandle);
    static TGPPtr<IGPBitmap> FromResource(HINSTANCE Instance, const String& BitmapName);
    static TGPPtr<IGPBitmap> FromBitmapInfo(const BITMAPINFO& BitmapInfo, void* BitmapData);
    static TGPPtr<IGPBitmap> FromDirectDrawSurface7(IUnknown* Surface);

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

// ---------------------------------------------------------------------------
// The drawing surface

struct IGPGraphics : virtual IGdiplusBase {
    static constexpr TGUID IID = StringToGUIDConst("{E0143C9C-6A97-4E42-8DB2-6B9F24B8C42B}");
    TGPStatus GetRenderingOrigin(Integer& X, Integer& Y);
    TGPStatus SetRenderingOrigin(Integer X, Integer Y);
    Integer GetCompositingMode();
    TGPStatus SetCompositingMode(Integer CompositingMode);
    Integer GetCompositingQuality();
    TGPStatus SetCompositingQuality(Integer CompositingQuality);
    Integer GetTextRenderingHint();
    TGPStatus SetTextRenderingHint(Integer Hint);
    Cardinal GetTextContrast();
    TGPStatus SetTextContrast(Cardinal Contrast);
    Integer GetInterpolationMode();
    TGPStatus SetInterpolationMode(Integer InterpolationMode);
    Integer GetSmoothingMode();
    TGPStatus SetSmoothingMode(Integer SmoothingMode);
    Integer GetPixelOffsetMode();
    TGPStatus SetPixelOffsetMode(Integer PixelOffsetMode);
    // A new matrix holding the transform.
    TGPStatus GetWorldTransform(TGPPtr<IGPMatrix>& Matrix);
    TGPStatus SetWorldTransform(const TGPPtr<IGPMatrix>& Matrix);
    TGPUnit GetPageUnit();
    TGPStatus SetPageUnit(TGPUnit Unit);
    Single GetPageScale();
    TGPStatus SetPageScale(Single Scale);
    Single GetDpiX();
    Single GetDpiY();
    // A new region holding the clip.
    TGPStatus GetClip(TGPPtr<IGPRegion>& Region);
    TGPStatus GetClipBounds(TGPRectF& Rect);
    TGPStatus GetClipBoundsI(TGPRect& Rect);
    bool IsClipEmpty();
    TGPStatus GetVisibleClipBounds(TGPRectF& Rect);
    TGPStatus GetVisibleClipBoundsI(TGPRect& Rect);
    bool IsVisibleClipEmpty();
    TGPStatus Flush(Integer Intention = 0);
    // The device context (0 when GDI+ gives none); give it back with ReleaseDC.
    HDC GetDC();
    TGPStatus ReleaseDC(HDC DC);
    TGPStatus GetRenderingOrigin(TGPPoint& Origin);
    TGPStatus SetRenderingOrigin(const TGPPoint& Origin);
    TGPStatus ResetWorldTransform();
    // Order 0 prepends, 1 appends.
    TGPStatus MultiplyWorldTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order = 0);
    TGPStatus TranslateWorldTransform(Single DX, Single DY, Integer Order = 0);
    TGPStatus ScaleWorldTransform(Single SX, Single SY, Integer Order = 0);
    TGPStatus RotateWorldTransform(Single Angle, Integer Order = 0);
    TGPStatus TransformPoints(Integer DestSpace, Integer SrcSpace, std::span<TGPPointF> Points);
    TGPStatus TransformPointsI(Integer DestSpace, Integer SrcSpace, std::span<TGPPoint> Points);
    TGPColor GetNearestColor(TGPColor Color);

    TGPStatus DrawLine(const TGPPtr<IGPPen>& Pen, Single X1, Single Y1, Single X2, Single Y2);
    TGPStatus DrawLine(const TGPPtr<IGPPen>& Pen, const TGPPointF& Pt1, const TGPPointF& Pt2);
    TGPStatus DrawLineI(const TGPPtr<IGPPen>& Pen, Integer X1, Integer Y1, Integer X2, Integer Y2);
    TGPStatus DrawLineI(const TGPPtr<IGPPen>& Pen, const TGPPoint& Pt1, const TGPPoint& Pt2);
    TGPStatus DrawLines(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points);
    // The first Count points (at least one, at most the array's length).
    TGPStatus DrawLinesI(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points, Integer Count);
    TGPStatus DrawArc(const TGPPtr<IGPPen>& Pen, Single X, Single Y, Single Width, Single Height, Single StartAngle,
                      Single SweepAngle);
    TGPStatus DrawArc(const TGPPtr<IGPPen>& Pen, const TGPRectF& Rect, Single StartAngle, Single SweepAngle);
    TGPStatus DrawArcI(const TGPPtr<IGPPen>& Pen, Integer X, Integer Y, Integer Width, Integer Height,
                       Single StartAngle, Single SweepAngle);
    TGPStatus DrawArcI(const TGPPtr<IGPPen>& Pen, const TGPRect& Rect, Single StartAngle, Single SweepAngle);
    TGPStatus DrawBezier(const TGPPtr<IGPPen>& Pen, Single X1, Single Y1, Single X2, Single Y2, Single X3,
                         Single Y3, Single X4, Single Y4);
    TGPStatus DrawBezier(const TGPPtr<IGPPen>& Pen, const TGPPointF& Pt1, const TGPPointF& Pt2, const TGPPointF& Pt3,
                         const TGPPointF& Pt4);
    TGPStatus DrawBezierI(const TGPPtr<IGPPen>& Pen, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3,
                          Integer Y3, Integer X4, Integer Y4);
    TGPStatus DrawBezierI(const TGPPtr<IGPPen>& Pen, const TGPPoint& Pt1, const TGPPoint& Pt2, const TGPPoint& Pt3,
                          const TGPPoint& Pt4);
    TGPStatus DrawBeziers(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points);
    TGPStatus DrawBeziersI(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points);
    TGPStatus DrawRectangle(const TGPPtr<IGPPen>& Pen, const TGPRectF& Rect);
    TGPStatus DrawRectangleI(const TGPPtr<IGPPen>& Pen, const TGPRect& Rect);
    TGPStatus DrawRectangle(const TGPPtr<IGPPen>& Pen, Single X, Single Y, Single Width, Single Height);
    TGPStatus DrawRectangleI(const TGPPtr<IGPPen>& Pen, Integer X, Integer Y, Integer Width, Integer Height);
    TGPStatus DrawRectangles(const TGPPtr<IGPPen>& Pen, std::span<const TGPRectF> Rects);
    TGPStatus DrawRectanglesI(const TGPPtr<IGPPen>& Pen, std::span<const TGPRect> Rects);
    TGPStatus DrawEllipse(const TGPPtr<IGPPen>& Pen, const TGPRectF& Rect);
    TGPStatus DrawEllipse(const TGPPtr<IGPPen>& Pen, Single X, Single Y, Single Width, Single Height);
    TGPStatus DrawEllipseI(const TGPPtr<IGPPen>& Pen, const TGPRect& Rect);
    TGPStatus DrawEllipseI(const TGPPtr<IGPPen>& Pen, Integer X, Integer Y, Integer Width, Integer Height);
    TGPStatus DrawPie(const TGPPtr<IGPPen>& Pen, const TGPRectF& Rect, Single StartAngle, Single SweepAngle);
    TGPStatus DrawPie(const TGPPtr<IGPPen>& Pen, Single X, Single Y, Single Width, Single Height, Single StartAngle,
                      Single SweepAngle);
    TGPStatus DrawPieI(const TGPPtr<IGPPen>& Pen, const TGPRect& Rect, Single StartAngle, Single SweepAngle);
    TGPStatus DrawPieI(const TGPPtr<IGPPen>& Pen, Integer X, Integer Y, Integer Width, Integer Height,
                       Single StartAngle, Single SweepAngle);
    TGPStatus DrawPolygon(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points);
    // The first Count points (at least one, at most the array's length).
    TGPStatus DrawPolygonI(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points, Integer Count);
    TGPStatus DrawPath(const TGPPtr<IGPPen>& Pen, const TGPPtr<IGPGraphicsPath>& Path);
    TGPStatus DrawCurve(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points);
    TGPStatus DrawCurve2(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points, Single Tension);
    TGPStatus DrawCurve3(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points, Integer Offset,
                         Integer NumberOfSegments, Single Tension);
    TGPStatus DrawCurveI(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points);
    TGPStatus DrawCurve2I(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points, Single Tension);
    TGPStatus DrawCurve3I(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points, Integer Offset,
                          Integer NumberOfSegments, Single Tension);
    TGPStatus DrawClosedCurve(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points);
    TGPStatus DrawClosedCurve2(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points, Single Tension);
    TGPStatus DrawClosedCurveI(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points);
    TGPStatus DrawClosedCurve2I(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points, Single Tension);
    TGPStatus Clear(TGPColor Color);
    TGPStatus FillRectangle(const TGPPtr<IGPBrush>& Brush, const TGPRectF& Rect);
    TGPStatus FillRectangleI(const TGPPtr<IGPBrush>& Brush, const TGPRect& Rect);
    TGPStatus FillRectangle(const TGPPtr<IGPBrush>& Brush, Single X, Single Y, Single Width, Single Height);
    TGPStatus FillRectangleI(const TGPPtr<IGPBrush>& Brush, Integer X, Integer Y, Integer Width, Integer Height);
    TGPStatus FillRectangles(const TGPPtr<IGPBrush>& Brush, std::span<const TGPRectF> Rects);
    TGPStatus FillRectanglesI(const TGPPtr<IGPBrush>& Brush, std::span<const TGPRect> Rects);
    TGPStatus FillPolygon(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPointF> Points,
                          TGPFillMode FillMode = FillModeAlternate);
    // The first Count points (at least one, at most the array's length).
    TGPStatus FillPolygonI(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPoint> Points, Integer Count,
                           TGPFillMode FillMode = FillModeAlternate);
    TGPStatus FillEllipse(const TGPPtr<IGPBrush>& Brush, const TGPRectF& Rect);
    TGPStatus FillEllipse(const TGPPtr<IGPBrush>& Brush, Single X, Single Y, Single Width, Single Height);
    TGPStatus FillEllipseI(const TGPPtr<IGPBrush>& Brush, const TGPRect& Rect);
    TGPStatus FillEllipseI(const TGPPtr<IGPBrush>& Brush, Integer X, Integer Y, Integer Width, Integer Height);
    TGPStatus FillPie(const TGPPtr<IGPBrush>& Brush, const TGPRectF& Rect, Single StartAngle, Single SweepAngle);
    TGPStatus FillPie(const TGPPtr<IGPBrush>& Brush, Single X, Single Y, Single Width, Single Height,
                      Single StartAngle, Single SweepAngle);
    TGPStatus FillPieI(const TGPPtr<IGPBrush>& Brush, const TGPRect& Rect, Single StartAngle, Single SweepAngle);
    TGPStatus FillPieI(const TGPPtr<IGPBrush>& Brush, Integer X, Integer Y, Integer Width, Integer Height,
                       Single StartAngle, Single SweepAngle);
    TGPStatus FillPath(const TGPPtr<IGPBrush>& Brush, const TGPPtr<IGPGraphicsPath>& Path);
    TGPStatus FillClosedCurve(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPointF> Points);
    TGPStatus FillClosedCurve2(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPointF> Points, Single Tension,
                               TGPFillMode FillMode = FillModeAlternate);
    TGPStatus FillClosedCurveI(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPoint> Points);
    TGPStatus FillClosedCurve2I(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPoint> Points, Single Tension,
                                TGPFillMode FillMode = FillModeAlternate);
    TGPStatus FillRegion(const TGPPtr<IGPBrush>& Brush, const TGPPtr<IGPRegion>& Region);

    // Text in a layout rectangle, or unbounded from an origin; Format may be nil.
    TGPStatus DrawString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPRectF& LayoutRect,
                         const TGPPtr<IGPStringFormat>& Format, const TGPPtr<IGPBrush>& Brush);
    TGPStatus DrawString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPPointF& Origin,
                         const TGPPtr<IGPStringFormat>& Format, const TGPPtr<IGPBrush>& Brush);
    TGPStatus DrawString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPPointF& Origin,
                         const TGPPtr<IGPBrush>& Brush);
    TGPStatus MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPRectF& LayoutRect,
                            const TGPPtr<IGPStringFormat>& Format, TGPRectF& BoundingBox, Integer& CodepointsFitted,
                            Integer& LinesFilled);
    TGPStatus MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPRectF& LayoutRect,
                            const TGPPtr<IGPStringFormat>& Format, TGPRectF& BoundingBox);
    TGPStatus MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPRectF& LayoutRect,
                            TGPRectF& BoundingBox);
    TGPStatus MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPPointF& Origin,
                            const TGPPtr<IGPStringFormat>& Format, TGPRectF& BoundingBox);
    TGPStatus MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPPointF& Origin,
                            TGPRectF& BoundingBox);
    TGPStatus MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPSizeF& LayoutRectSize,
                            const TGPPtr<IGPStringFormat>& Format, TGPSizeF& Size, Integer& CodepointsFitted,
                            Integer& LinesFilled);
    TGPStatus MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPSizeF& LayoutRectSize,
                            const TGPPtr<IGPStringFormat>& Format, TGPSizeF& Size);
    // One region per measurable character range of Format.
    TGPPtr<IGPArray<TGPPtr<IGPRegion>>> MeasureCharacterRanges(const String& Text, const TGPPtr<IGPFont>& Font,
                                                               const TGPRectF& LayoutRect,
                                                               const TGPPtr<IGPStringFormat>& Format);
    TGPStatus DrawDriverString(std::span<const Word> Text, const TGPPtr<IGPFont>& Font,
                               const TGPPtr<IGPBrush>& Brush, const TGPPointF* Positions, Integer Flags,
                               const TGPPtr<IGPMatrix>& Matrix);
    TGPStatus MeasureDriverString(std::span<const Word> Text, const TGPPtr<IGPFont>& Font,
                                  const TGPPointF* Positions, Integer Flags, const TGPPtr<IGPMatrix>& Matrix,
                                  TGPRectF& BoundingBox);
    // CachedBitmap: a native cached bitmap made outside this layer.
    TGPStatus DrawCachedBitmap(Gdiplus::GpCachedBitmap* CachedBitmap, Integer X, Integer Y);

    TGPStatus DrawImage(const TGPPtr<IGPImage>& Image, Single X, Single Y);
    TGPStatus DrawImage(const TGPPtr<IGPImage>& Image, const TGPPointF& Point);
    TGPStatus DrawImageRect(const TGPPtr<IGPImage>& Image, Single X, Single Y, Single Width, Single Height);
    TGPStatus DrawImageRect(const TGPPtr<IGPImage>& Image, const TGPRectF& Rect);
    TGPStatus DrawImageI(const TGPPtr<IGPImage>& Image, Integer X, Integer Y);
    TGPStatus DrawImageI(const TGPPtr<IGPImage>& Image, const TGPPoint& Point);
    TGPStatus DrawImageRectI(const TGPPtr<IGPImage>& Image, const TGPRect& Rect);
    TGPStatus DrawImageRectI(const TGPPtr<IGPImage>& Image, Integer X, Integer Y, Integer Width, Integer Height);
    // Onto the parallelogram of the first three points.
    TGPStatus DrawImagePoints(const TGPPtr<IGPImage>& Image, std::span<const TGPPointF> DestPoints);
    TGPStatus DrawImagePointsI(const TGPPtr<IGPImage>& Image, std::span<const TGPPoint> DestPoints);
    TGPStatus DrawImagePointRect(const TGPPtr<IGPImage>& Image, Single X, Single Y, Single SrcX, Single SrcY,
                                 Single SrcWidth, Single SrcHeight, TGPUnit SrcUnit);
    // Attributes may be nil.
    TGPStatus DrawImageRectRect(const TGPPtr<IGPImage>& Image, const TGPRectF& DestRect, Single SrcX, Single SrcY,
                                Single SrcWidth, Single SrcHeight, TGPUnit SrcUnit,
                                const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr,
                                Gdiplus::DrawImageAbort Callback = nullptr, void* CallbackData = nullptr);
    TGPStatus DrawImageRectRect(const TGPPtr<IGPImage>& Image, Single DstX, Single DstY, Single DstWidth,
                                Single DstHeight, Single SrcX, Single SrcY, Single SrcWidth, Single SrcHeight,
                                TGPUnit SrcUnit, const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr,
                                Gdiplus::DrawImageAbort Callback = nullptr, void* CallbackData = nullptr);
    TGPStatus DrawImagePointsRect(const TGPPtr<IGPImage>& Image, std::span<const TGPPointF> DestPoints, Single SrcX,
                                  Single SrcY, Single SrcWidth, Single SrcHeight, TGPUnit SrcUnit,
                                  const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr,
                                  Gdiplus::DrawImageAbort Callback = nullptr, void* CallbackData = nullptr);
    TGPStatus DrawImagePointRectI(const TGPPtr<IGPImage>& Image, Integer X, Integer Y, Integer SrcX, Integer SrcY,
                                  Integer SrcWidth, Integer SrcHeight, TGPUnit SrcUnit);
    TGPStatus DrawImageRectRectI(const TGPPtr<IGPImage>& Image, const TGPRect& DestRect, Integer SrcX, Integer SrcY,
                                 Integer SrcWidth, Integer SrcHeight, TGPUnit SrcUnit,
                                 const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr,
                                 Gdiplus::DrawImageAbort Callback = nullptr, void* CallbackData = nullptr);
    TGPStatus DrawImageRectRectI(const TGPPtr<IGPImage>& Image, Integer DstX, Integer DstY, Integer DstWidth,
                                 Integer DstHeight, Integer SrcX, Integer SrcY, Integer SrcWidth, Integer SrcHeight,
                                 TGPUnit SrcUnit, const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr,
                                 Gdiplus::DrawImageAbort Callback = nullptr, void* CallbackData = nullptr);
    TGPStatus DrawImagePointsRectI(const TGPPtr<IGPImage>& Image, std::span<const TGPPoint> DestPoints, Integer SrcX,
                                   Integer SrcY, Integer SrcWidth, Integer SrcHeight, TGPUnit SrcUnit,
                                   const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr,
                                   Gdiplus::DrawImageAbort Callback = nullptr, void* CallbackData = nullptr);

    // Metafile playback through a record callback; ImageAttributes may be nil.
    TGPStatus EnumerateMetafileDestPoint(const TGPPtr<IGPImage>& Metafile, const TGPPointF& DestPoint,
                                         Gdiplus::EnumerateMetafileProc Callback, void* CallbackData = nullptr,
                                         const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileDestPointI(const TGPPtr<IGPImage>& Metafile, const TGPPoint& DestPoint,
                                          Gdiplus::EnumerateMetafileProc Callback, void* CallbackData = nullptr,
                                          const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileDestRect(const TGPPtr<IGPImage>& Metafile, const TGPRectF& DestRect,
                                        Gdiplus::EnumerateMetafileProc Callback, void* CallbackData = nullptr,
                                        const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileDestRectI(const TGPPtr<IGPImage>& Metafile, const TGPRect& DestRect,
                                         Gdiplus::EnumerateMetafileProc Callback, void* CallbackData = nullptr,
                                         const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileDestPoints(const TGPPtr<IGPImage>& Metafile, std::span<const TGPPointF> DestPoints,
                                          Gdiplus::EnumerateMetafileProc Callback, void* CallbackData = nullptr,
                                          const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileDestPointsI(const TGPPtr<IGPImage>& Metafile, std::span<const TGPPoint> DestPoints,
                                           Gdiplus::EnumerateMetafileProc Callback, void* CallbackData = nullptr,
                                           const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileSrcRectDestPoint(const TGPPtr<IGPImage>& Metafile, const TGPPointF& DestPoint,
                                                const TGPRectF& SrcRect, TGPUnit SrcUnit,
                                                Gdiplus::EnumerateMetafileProc Callback, void* CallbackData = nullptr,
                                                const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileSrcRectDestPointI(const TGPPtr<IGPImage>& Metafile, const TGPPoint& DestPoint,
                                                 const TGPRect& SrcRect, TGPUnit SrcUnit,
                                                 Gdiplus::EnumerateMetafileProc Callback, void* CallbackData = nullptr,
                                                 const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileSrcRectDestRect(const TGPPtr<IGPImage>& Metafile, const TGPRectF& DestRect,
                                               const TGPRectF& SrcRect, TGPUnit SrcUnit,
                                               Gdiplus::EnumerateMetafileProc Callback, void* CallbackData = nullptr,
                                               const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileSrcRectDestRectI(const TGPPtr<IGPImage>& Metafile, const TGPRect& DestRect,
                                                const TGPRect& SrcRect, TGPUnit SrcUnit,
                                                Gdiplus::EnumerateMetafileProc Callback, void* CallbackData = nullptr,
                                                const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileSrcRectDestPoints(const TGPPtr<IGPImage>& Metafile,
                                                 std::span<const TGPPointF> DestPoints, const TGPRectF& SrcRect,
                                                 TGPUnit SrcUnit, Gdiplus::EnumerateMetafileProc Callback,
                                                 void* CallbackData = nullptr,
                                                 const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);
    TGPStatus EnumerateMetafileSrcRectDestPointsI(const TGPPtr<IGPImage>& Metafile,
                                                  std::span<const TGPPoint> DestPoints, const TGPRect& SrcRect,
                                                  TGPUnit SrcUnit, Gdiplus::EnumerateMetafileProc Callback,
                                                  void* CallbackData = nullptr,
                                                  const TGPPtr<IGPImageAttributes>& ImageAttributes = nullptr);

    // Clip: CombineMode 0 replace, 1 intersect, 2 union, 3 xor, 4 exclude, 5 complement.
    TGPStatus SetClip(const TGPPtr<IGPGraphics>& Graphics, Integer CombineMode = 0);
    TGPStatus SetClip(const TGPRectF& Rect, Integer CombineMode = 0);
    TGPStatus SetClip(const TGPRect& Rect, Integer CombineMode = 0);
    TGPStatus SetClip(const TGPPtr<IGPGraphicsPath>& Path, Integer CombineMode = 0);
    TGPStatus SetClip(const TGPPtr<IGPRegion>& Region, Integer CombineMode = 0);
    TGPStatus SetClip(HRGN Rgn, Integer CombineMode = 0);
    TGPStatus IntersectClip(const TGPRectF& Rect);
    TGPStatus IntersectClip(const TGPRect& Rect);
    TGPStatus IntersectClip(const TGPPtr<IGPRegion>& Region);
    TGPStatus ExcludeClip(const TGPRectF& Rect);
    TGPStatus ExcludeClip(const TGPRect& Rect);
    TGPStatus ExcludeClip(const TGPPtr<IGPRegion>& Region);
    TGPStatus ResetClip();
    TGPStatus TranslateClip(Single DX, Single DY);
    TGPStatus TranslateClipI(Integer DX, Integer DY);
    bool IsVisiblePointI(Integer X, Integer Y);
    bool IsVisiblePointI(const TGPPoint& Point);
    bool IsVisibleRectI(Integer X, Integer Y, Integer Width, Integer Height);
    bool IsVisibleRectI(const TGPRect& Rect);
    bool IsVisiblePoint(Single X, Single Y);
    bool IsVisiblePoint(const TGPPointF& Point);
    bool IsVisibleRect(Single X, Single Y, Single Width, Single Height);
    bool IsVisibleRect(const TGPRectF& Rect);
    Cardinal SaveGraphics();
    TGPStatus RestoreGraphics(Cardinal State);
    Cardinal BeginContainer(const TGPRectF& DstRect, const TGPRectF& SrcRect, TGPUnit Unit);
    Cardinal BeginContainerI(const TGPRect& DstRect, const TGPRect& SrcRect, TGPUnit Unit);
    Cardinal BeginContainer();
    TGPStatus EndContainer(Cardinal State);
    TGPStatus Comment(std::span<const Byte> Data);
};

class TGPGraphics : public TGdiplusBase, public virtual IGPGraphics {
public:
    // Draws into the image (asserts that it is not nil).
    explicit TGPGraphics(const TGPPtr<IGPImage>& Image);
    // Draws straight into the context: release the graphics before the
    // context's bitmap is read or drawn by other means.
    explicit TGPGraphics(HDC DC);
    TGPGraphics(HDC DC, HANDLE Device);
    TGPGraphics(HWND Window, bool ICM);
    explicit TGPGraphics(Gdiplus::GpGraphics* NativeGraphics) : TGdiplusBase(NativeGraphics) {}
    ~TGPGraphics() override;
    String ClassName() const override { return u"TGPGraphics"; }
    static TGPPtr<IGPGraphics> FromHDC(HDC DC);
    static TGPPtr<IGPGraphics> FromHDC(HDC DC, HANDLE Device);
    static TGPPtr<IGPGraphics> FromHWnd(HWND Window, bool ICM = false);
    static TGPPtr<IGPGraphics> FromImage(const TGPPtr<IGPImage>& Image);

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override;
};

// ---------------------------------------------------------------------------
// Bookkeeping for tests: wrapper objects with a native object made and freed
// since start-up. Every native object a wrapper owns is freed with it.
struct TGPObjectCounts {
    Int64 Created = 0;
    Int64 Freed = 0;
};
TGPObjectCounts GPObjectCounts();
