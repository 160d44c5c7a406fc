#include "dialogs/ImageTransformCore.h"

#include <algorithm>
#include <cstdlib>

#include "framework/runtime/SysUtils.h"

namespace TransformHandles {

namespace {
const char16_t* const Shapes[7] = {
    u"64.140.66.8.8.67.140.82",  u"8.140.140.8.8.41.107.140", u"8.140.140.8.41.8.140.107",
    u"8.140.107.41.8.8.140.140", u"41.107.140.8.8.8.140.140", u"74.140.73.8.8.8.140.140",
    u"8.73.140.74.8.8.140.140",
};

// Max after Min: an impossible range gives its lower end, never undefined.
Integer Clamp(Integer V, Integer Lo, Integer Hi) { return std::max(Lo, std::min(Hi, V)); }

bool OnOwnEdge(const TCorners& C, Integer i)
{
    const TPoint P = C[size_t(i)];
    const bool Left = P.X == Near, Right = P.X == Far, Top = P.Y == Near, Bottom = P.Y == Far;
    switch (i) {
        case 0: return Left || Top;
        case 1: return Right || Top;
        case 2: return Right || Bottom;
        default: return Left || Bottom;
    }
}
}  // namespace

TCorners HomeCorners() { return {TPoint{Near, Near}, TPoint{Far, Near}, TPoint{Far, Far}, TPoint{Near, Far}}; }

const char16_t* BuiltInShape(Integer Item) { return Item >= 0 && Item < 7 ? Shapes[Item] : u""; }

Integer CellOfItem(Integer Item)
{
    switch (Item) {
        case -1: return LastCell;
        case 7: return UserCell1;
        case 8: return UserCell2;
        default: return -1;
    }
}

TCorners ParseCorners(const String& Text)
{
    Integer V[8];
    Integer n = 0;
    size_t Start = 0;
    for (;;) {
        const size_t Dot = Text.find(u'.', Start);
        const String Part = Text.substr(Start, Dot == String::npos ? String::npos : Dot - Start);
        if (n == 8 || !TryStrToInt(Part, V[n])) return HomeCorners();
        ++n;
        if (Dot == String::npos) break;
        Start = Dot + 1;
    }
    if (n != 8) return HomeCorners();
    TCorners C;
    for (Integer i = 0; i < 4; ++i) {
        if (V[i] < Near || V[i] > Far || V[i + 4] < Near || V[i + 4] > Far) return HomeCorners();
        C[size_t(i)] = TPoint{V[i], V[i + 4]};
    }
    for (Integer i = 0; i < 4; ++i)
        if (!OnOwnEdge(C, i)) return HomeCorners();
    // The drag keeps neighbours 7 apart; a text that breaks it would leave a
    // handle no drag can clamp.
    if (C[1].X - C[0].X < Gap || C[2].X - C[3].X < Gap || C[3].Y - C[0].Y < Gap || C[2].Y - C[1].Y < Gap)
        return HomeCorners();
    return C;
}

String FormatCorners(const TCorners& C)
{
    String S;
    for (Integer i = 0; i < 8; ++i) {
        if (i) S += u'.';
        S += IntToStr(i < 4 ? C[size_t(i)].X : C[size_t(i - 4)].Y);
    }
    return S;
}

TPoint DragCorner(const TCorners& Current, const TPoint& Start, Integer Index, Integer DX, Integer DY)
{
    TPoint P{Start.X + DX, Start.Y + DY};
    const bool AlongX = std::abs(DX) > std::abs(DY);  // strict: an equal move follows the side edge
    switch (Index) {
        case 0:
            if (Start.X > Near) P.Y = Near;
            else if (Start.Y > Near) P.X = Near;
            else if (AlongX) P.Y = Near;
            else P.X = Near;
            P.X = Clamp(P.X, Near, Current[1].X - Gap);
            P.Y = Clamp(P.Y, Near, Current[3].Y - Gap);
            break;
        case 1:
            if (Start.X < Far) P.Y = Near;
            else if (Start.Y > Near) P.X = Far;
            else if (AlongX) P.Y = Near;
            else P.X = Far;
            P.X = Clamp(P.X, Current[0].X + Gap, Far);
            P.Y = Clamp(P.Y, Near, Current[2].Y - Gap);
            break;
        case 2:
            if (Start.X < Far) P.Y = Far;
            else if (Start.Y < Far) P.X = Far;
            else if (AlongX) P.Y = Far;
            else P.X = Far;
            P.X = Clamp(P.X, Current[3].X + Gap, Far);
            P.Y = Clamp(P.Y, Current[1].Y + Gap, Far);
            break;
        case 3:
            if (Start.X > Near) P.Y = Far;
            else if (Start.Y < Far) P.X = Near;
            else if (AlongX) P.Y = Far;
            else P.X = Near;
            P.X = Clamp(P.X, Near, Current[2].X - Gap);
            P.Y = Clamp(P.Y, Current[0].Y + Gap, Far);
            break;
        default: return Start;
    }
    return P;
}

TRect HandleRect(const TPoint& P)
{
    return TRect{P.X - HandleHalf, P.Y - HandleHalf, P.X + HandleHalf, P.Y + HandleHalf};
}

Integer HandleAt(const TCorners& C, Integer X, Integer Y)
{
    for (Integer i = 0; i < 4; ++i) {
        const TRect R = HandleRect(C[size_t(i)]);
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) return i;
    }
    return -1;
}

String EdgePercentText(const TCorners& C, Integer Index)
{
    const TPoint P = C[size_t(std::clamp(Index, 0, 3))];
    Integer Offset = 0;
    switch (Index) {
        case 0: Offset = P.X == Near ? P.Y - Near : P.X - Near; break;
        case 1: Offset = P.X == Far ? P.Y - Near : P.X - (Near - 1); break;
        case 2: Offset = P.X == Far ? P.Y - (Near - 1) : P.X - (Near - 1); break;
        default: Offset = P.X == Near ? P.Y - (Near - 1) : P.X - Near; break;
    }
    return IntToStr(static_cast<Integer>(Round(Offset / double(Size) * 100))) + u"%";
}

TFractions Fractions(const TCorners& C)
{
    // The far corners count from 7, so a corner at 140 gives 133 / 133 = 1.
    const Integer OX[4] = {Near, Near - 1, Near - 1, Near}, OY[4] = {Near, Near, Near - 1, Near - 1};
    TFractions F;
    for (Integer i = 0; i < 4; ++i) {
        F.X[i] = static_cast<Single>(C[size_t(i)].X - OX[i]) / Size;
        F.Y[i] = static_cast<Single>(C[size_t(i)].Y - OY[i]) / Size;
    }
    return F;
}

}  // namespace TransformHandles
