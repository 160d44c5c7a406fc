// GdiPlusHelpers: the plain values of the GDI+ object layer. The point,
// rectangle and colour records with their constructors and conversions, the
// enumerations handed to GDI+, the layer's argument assertion, and the two
// counted containers GDI+ fills or reads: the generic array and the byte
// buffer. Windows only (the enumerations are the platform's own).
#pragma once

#include <source_location>
#include <span>
#include <vector>

#include "framework/runtime/win/WinPlatform.h"
// GDI+'s headers: the flat API and its records, in namespace Gdiplus.
#include <gdiplus.h>

#include "Component/Raster32/Ras32_Types.h"
#include "framework/runtime/Types.h"

// ---------------------------------------------------------------------------
// Value records. Each has the layout of the GDI+ record of the same kind, so
// an array of them is handed to GDI+ as it is.

struct TGPPoint {
    Integer X = 0;
    Integer Y = 0;
    friend bool operator==(const TGPPoint&, const TGPPoint&) = default;
};

struct TGPPointF {
    Single X = 0;
    Single Y = 0;
    friend bool operator==(const TGPPointF&, const TGPPointF&) = default;
};

struct TGPRect {
    Integer X = 0;
    Integer Y = 0;
    Integer Width = 0;
    Integer Height = 0;
    friend bool operator==(const TGPRect&, const TGPRect&) = default;
};

struct TGPRectF {
    Single X = 0;
    Single Y = 0;
    Single Width = 0;
    Single Height = 0;
    friend bool operator==(const TGPRectF&, const TGPRectF&) = default;
};

// The layout size of the size form of MeasureString.
struct TGPSizeF {
    Single Width = 0;
    Single Height = 0;
};

// 32-bit ARGB: alpha in bits 24 to 31, then red, green, blue; the bits of a TColor32.
struct TGPColor {
    Cardinal FArgb = 0;
    friend bool operator==(const TGPColor&, const TGPColor&) = default;
};

// A run of characters to measure: its first character and its length.
struct TGPCharacterRange {
    Integer First = 0;
    Integer Length = 0;
};

// The six elements of a 3 x 2 matrix in GDI+'s order.
struct TGPMatrixElements {
    Single M11 = 1, M12 = 0, M21 = 0, M22 = 1, DX = 0, DY = 0;
};

// A destination parallelogram: its upper-left, upper-right and lower-left corners.
using TGPPlgPointsF = TGPPointF[3];
using TGPPlgPoints = TGPPoint[3];

static_assert(sizeof(TGPPoint) == sizeof(Gdiplus::Point) && sizeof(TGPPointF) == sizeof(Gdiplus::PointF));
static_assert(sizeof(TGPRect) == sizeof(Gdiplus::Rect) && sizeof(TGPRectF) == sizeof(Gdiplus::RectF));
static_assert(sizeof(TGPColor) == sizeof(Gdiplus::ARGB) && sizeof(TGPCharacterRange) == sizeof(Gdiplus::CharacterRange));
static_assert(sizeof(TGPMatrixElements) == 6 * sizeof(Single));

// ---------------------------------------------------------------------------
// Enumerations and statuses: GDI+'s own, under the layer's names.

using TGPStatus = Gdiplus::GpStatus;  // Gdiplus::Ok = 0
using TGPFillMode = Gdiplus::FillMode;
using TGPUnit = Gdiplus::Unit;
using TGPWrapMode = Gdiplus::WrapMode;
using TGPLinearGradientMode = Gdiplus::LinearGradientMode;
using Gdiplus::FillModeAlternate;
using Gdiplus::FillModeWinding;
using Gdiplus::UnitWorld;
using Gdiplus::UnitDisplay;
using Gdiplus::UnitPixel;
using Gdiplus::UnitPoint;
using Gdiplus::UnitInch;
using Gdiplus::UnitDocument;
using Gdiplus::UnitMillimeter;
using Gdiplus::WrapModeTile;
using Gdiplus::WrapModeTileFlipX;
using Gdiplus::WrapModeTileFlipY;
using Gdiplus::WrapModeTileFlipXY;
using Gdiplus::WrapModeClamp;
using Gdiplus::LinearGradientModeHorizontal;
using Gdiplus::LinearGradientModeVertical;
using Gdiplus::LinearGradientModeForwardDiagonal;
using Gdiplus::LinearGradientModeBackwardDiagonal;

// Sets passed as GDI+'s bit masks (FontStyleBold = 1, StringFormatFlagsDirectionVertical = 2, ...).
using TGPFontStyle = Integer;
using TGPStringFormatFlags = Integer;
using TGPPaletteFlags = Cardinal;

// ---------------------------------------------------------------------------
// Constructors and conversions

inline TGPPoint MakeGPPoint(Integer X, Integer Y) { return TGPPoint{X, Y}; }
inline void InitGPPoint(TGPPoint& Point, Integer X, Integer Y) { Point = TGPPoint{X, Y}; }
inline TGPPointF MakeGPPointF(Single X, Single Y) { return TGPPointF{X, Y}; }
inline TGPRect MakeGPRect(Integer X, Integer Y, Integer Width, Integer Height)
{
    return TGPRect{X, Y, Width, Height};
}
inline void InitGPRect(TGPRect& Rect, Integer X, Integer Y, Integer Width, Integer Height)
{
    Rect = TGPRect{X, Y, Width, Height};
}
inline TGPRectF MakeGPRectF(Single X, Single Y, Single Width, Single Height)
{
    return TGPRectF{X, Y, Width, Height};
}
inline TGPRect GPRectFromRect(const TRect& R) { return TGPRect{R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top}; }
inline Integer GPRectRight(const TGPRect& R) { return R.X + R.Width; }
inline Integer GPRectBottom(const TGPRect& R) { return R.Y + R.Height; }

inline TGPColor MakeGPColor(Byte A, Byte R, Byte G, Byte B)
{
    return TGPColor{(Cardinal(A) << 24) | (Cardinal(R) << 16) | (Cardinal(G) << 8) | B};
}
inline TGPColor GPColorFromRGB(Byte R, Byte G, Byte B) { return MakeGPColor(255, R, G, B); }
// The identity conversions: the same bits, alpha in the top byte.
inline TGPColor GPColorFromARGB(Cardinal Argb) { return TGPColor{Argb}; }
inline TGPColor GPColorFromColor32(TColor32 Color) { return TGPColor{Color}; }
inline Cardinal GPColorToARGB(TGPColor Color) { return Color.FArgb; }

// ---------------------------------------------------------------------------
// Argument checks of the layer: a failed one raises EAssertionFailed
// "Assertion failure (<unit>, line <n>)" naming the caller's source line.
void GPAssert(bool Condition, std::source_location Where = std::source_location::current());

// ---------------------------------------------------------------------------
// TGPArray: a counted array that GDI+ fills or reads through the address of
// its first element. Indexes are not range-tested. Interface elements are held
// as TIntfPtr, so storing one takes a reference.

template <class T>
class TGPArrayEnumerator;

template <class T>
struct IGPArray : virtual IInterface {
    virtual Integer GetCount() const = 0;
    // Resizes only when the count differs: kept elements stay, new ones are zero.
    virtual void SetCount(Integer Value) = 0;
    virtual T GetItem(Integer Index) const = 0;
    virtual void SetItem(Integer Index, const T& Value) = 0;
    virtual T* GetItems() = 0;
    TGPArrayEnumerator<T> GetEnumerator() { return TGPArrayEnumerator<T>(this); }
};

template <class T>
class TGPArray : public TInterfacedObject, public virtual IGPArray<T> {
public:
    explicit TGPArray(Integer Count) : FItems(Count > 0 ? static_cast<size_t>(Count) : 0) {}
    String ClassName() const override { return u"TGPArray"; }
    Integer GetCount() const override { return static_cast<Integer>(FItems.size()); }
    void SetCount(Integer Value) override
    {
        if (Value < 0) Value = 0;
        if (Value != GetCount()) FItems.resize(static_cast<size_t>(Value));
    }
    T GetItem(Integer Index) const override { return FItems[static_cast<size_t>(Index)]; }
    void SetItem(Integer Index, const T& Value) override { FItems[static_cast<size_t>(Index)] = Value; }
    T* GetItems() override { return FItems.data(); }

protected:
    std::vector<T> FItems;
};

// Walks an array: MoveNext before each item; the array is not held.
template <class T>
class TGPArrayEnumerator {
public:
    explicit TGPArrayEnumerator(IGPArray<T>* AArray) : FArray(AArray) {}
    bool MoveNext()
    {
        if (FIndex >= FArray->GetCount()) return false;
        ++FIndex;
        return FIndex < FArray->GetCount();
    }
    T GetCurrent() const { return FArray->GetItem(FIndex); }

private:
    IGPArray<T>* FArray;
    Integer FIndex = -1;
};

template <class T>
inline TIntfPtr<IGPArray<T>> NewGPArray(Integer Count)
{
    return TIntfPtr<IGPArray<T>>(new TGPArray<T>(Count));
}

// ---------------------------------------------------------------------------
// TGPBuffer: a block of bytes GDI+ wrote (region data), owned by the buffer.

struct IGPBuffer : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{9AB5E33F-A592-4852-BD77-53405BF5711C}");
    virtual const Byte* GetData() const = 0;
    virtual Cardinal GetSize() const = 0;
};

class TGPBuffer : public TInterfacedObject, public virtual IGPBuffer {
public:
    // Takes the bytes over.
    explicit TGPBuffer(std::vector<Byte> Data) : FData(std::move(Data)) {}
    String ClassName() const override { return u"TGPBuffer"; }
    // Null when the buffer is empty.
    const Byte* GetData() const override { return FData.empty() ? nullptr : FData.data(); }
    Cardinal GetSize() const override { return static_cast<Cardinal>(FData.size()); }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override
    {
        return ImplementsInterfaces<IGPBuffer>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
    }

private:
    std::vector<Byte> FData;
};
