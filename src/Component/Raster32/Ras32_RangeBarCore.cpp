#include "Component/Raster32/Ras32_RangeBarCore.h"

#include <algorithm>

Integer TArrowBarGeometry::ArrowButtonSize() const
{
    if (!ShowArrows) return 0;
    Integer S = ButtonSize != 0 ? ButtonSize : std::min(Thickness(), 32);
    if (2 * S >= Length()) S = Length() / 2;
    if (Style == rbsMac) --S;
    return S <= 1 ? 0 : S;
}

TRect TArrowBarGeometry::TrackRect() const
{
    Integer S = ArrowButtonSize();
    TRect R = ClientRect();
    if (Horizontal) {
        R.Left += S;
        R.Right -= S;
    } else {
        R.Top += S;
        R.Bottom -= S;
    }
    return R;
}

TRect TArrowBarGeometry::ZoneRect(TRBZone Zone, const TRect& Thumb, bool ShownEnabled) const
{
    Integer S = ArrowButtonSize();
    TRect R = ClientRect();
    switch (Zone) {
    case zNone: return TRect{};
    case zBtnPrev:
        if (Horizontal) R.Right = S;
        else R.Bottom = S;
        return R;
    case zBtnNext:
        if (Horizontal) R.Left = R.Right - S;
        else R.Top = R.Bottom - S;
        return R;
    default: break;
    }
    TRect T = TrackRect();
    TRect H = Thumb;
    if (!ShownEnabled || RectIsEmpty(H)) {
        Integer CX = (T.Left + T.Right) / 2, CY = (T.Top + T.Bottom) / 2;
        H = TRect{CX, CY, CX, CY};
    }
    if (Zone == zHandle) return H;
    if (Horizontal) {
        if (Zone == zTrackPrev) T.Right = H.Left;
        else T.Left = H.Right;
    } else {
        if (Zone == zTrackPrev) T.Bottom = H.Top;
        else T.Top = H.Bottom;
    }
    return T;
}

TRBZone TArrowBarGeometry::ZoneAt(Integer X, Integer Y, const TRect& Thumb) const
{
    if (X < 0 || Y < 0 || X >= Width || Y >= Height) return zNone;
    Integer S = ArrowButtonSize();
    Integer P = Horizontal ? X : Y;
    Integer Len = Length();
    if (P < S) return zBtnPrev;
    if (P >= Len - S) return zBtnNext;
    if (X >= Thumb.Left && X < Thumb.Right && Y >= Thumb.Top && Y < Thumb.Bottom) return zHandle;
    Integer Start = Horizontal ? Thumb.Left : Thumb.Top;
    Integer End = Horizontal ? Thumb.Right : Thumb.Bottom;
    if (P > 0 && P < Start) return zTrackPrev;
    if (P >= End && P < Len - 1) return zTrackNext;
    return zNone;
}

TRect RangeBarThumbRect(const TArrowBarGeometry& G, Integer Range, Integer Window, Single Position)
{
    TRect T = G.TrackRect();
    Integer L = G.Horizontal ? T.Width() : T.Height();
    if (L <= RangeBarMinThumb) return TRect{};
    if (Window >= Range) return T;
    Integer Size = static_cast<Integer>(Round(static_cast<double>(static_cast<Int64>(L) * Window) / Range));
    Integer Offset;
    if (Size < RangeBarMinThumb) {
        Size = RangeBarMinThumb;
        Offset = static_cast<Integer>(Round((L - RangeBarMinThumb) * Position / (Range - Window)));
    } else {
        Offset = static_cast<Integer>(Round(Position * L / Range));
    }
    if (G.Horizontal) {
        T.Left += Offset;
        T.Right = T.Left + Size;
    } else {
        T.Top += Offset;
        T.Bottom = T.Top + Size;
    }
    return T;
}

Single ClampRangeBarPosition(Single Position, Integer Range, Integer Window)
{
    Position = std::min(Position, static_cast<Single>(Range - Window));
    return std::max(Position, 0.0f);
}

Single RecentredPosition(Integer OldRange, Integer OldWindow, Single Position, Integer NewRange, Integer NewWindow)
{
    Single Fraction = 0.5f;
    if (OldRange != 0 && OldWindow < OldRange)
        Fraction = (static_cast<Single>(OldWindow) * 0.5f + Position) / static_cast<Single>(OldRange);
    return static_cast<Single>(NewRange) * Fraction - static_cast<Single>(NewWindow) * 0.5f;
}

Single ThumbDragDelta(Integer ClientLength, Integer ButtonSize, bool Bordered, Integer Range, Integer Window,
                      Integer D)
{
    Integer L = ClientLength - 2 * ButtonSize - (Bordered ? 2 : 0);
    if (L <= 0 || Range <= 0) return 0;
    if (Round(static_cast<double>(Window) * L / Range) > 16)
        return static_cast<Single>(static_cast<double>(Range) * D / L);
    // A minimum-size thumb moves over what is left of the track.
    if (L - RangeBarMinThumb <= 0) return 0;
    return static_cast<Single>(Round(static_cast<double>(D) * (Range - Window) / (L - RangeBarMinThumb)));
}

Integer MixColors(Integer A, Integer B, Integer W)
{
    Assert(W < 256, u"Assertion failure");
    Integer Result = 0;
    for (Integer Shift = 0; Shift < 24; Shift += 8) {
        Integer CA = (A >> Shift) & 0xFF, CB = (B >> Shift) & 0xFF;
        Result |= (((W * CA + (255 - W) * CB) >> 8) & 0xFF) << Shift;
    }
    return Result;
}

Integer ShiftColor(Integer Color, Integer Delta)
{
    Integer Result = 0;
    for (Integer Shift = 0; Shift < 24; Shift += 8)
        Result |= std::clamp(((Color >> Shift) & 0xFF) + Delta, 0, 255) << Shift;
    return Result;
}
