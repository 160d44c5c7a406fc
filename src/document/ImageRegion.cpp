#include "document/ImageRegion.h"

#include <algorithm>
#include <cmath>

#include "framework/runtime/Maths.h"
#include "framework/runtime/SysUtils.h"

namespace {

struct TSpan {
    Integer L, R;
    bool operator==(const TSpan&) const = default;
};
using TSpans = std::vector<TSpan>;

// Appends the band [Top, Bottom) with Spans to Out, joining it to the band
// before when that one ends at Top with the same spans.
class TBandWriter {
public:
    explicit TBandWriter(std::vector<TRect>& Out) : FOut(Out) {}
    void Add(Integer Top, Integer Bottom, const TSpans& Spans)
    {
        if (Spans.empty() || Bottom <= Top) return;
        if (FLastTop != FNone && FLastBottom == Top && FLastSpans == Spans) {
            for (size_t i = FLastStart; i < FOut.size(); ++i) FOut[i].Bottom = Bottom;
            FLastBottom = Bottom;
            return;
        }
        FLastStart = FOut.size();
        for (const TSpan& S : Spans) FOut.push_back(TRect{S.L, Top, S.R, Bottom});
        FLastTop = Top;
        FLastBottom = Bottom;
        FLastSpans = Spans;
    }

private:
    static constexpr Integer FNone = -2147483647 - 1;
    std::vector<TRect>& FOut;
    size_t FLastStart = 0;
    Integer FLastTop = FNone, FLastBottom = FNone;
    TSpans FLastSpans;
};

// The bands of a region in banded form: [First, Last) index its rectangles.
struct TBand {
    Integer Top, Bottom;
    size_t First, Last;
};

std::vector<TBand> BandsOf(const std::vector<TRect>& Rects)
{
    std::vector<TBand> Bands;
    for (size_t i = 0; i < Rects.size();) {
        size_t j = i;
        while (j < Rects.size() && Rects[j].Top == Rects[i].Top) ++j;
        Bands.push_back(TBand{Rects[i].Top, Rects[i].Bottom, i, j});
        i = j;
    }
    return Bands;
}

bool Keeps(TRegionCombine Mode, bool InA, bool InB)
{
    switch (Mode) {
    case rcAnd: return InA && InB;
    case rcOr: return InA || InB;
    case rcXor: return InA != InB;
    case rcDiff: return InA && !InB;
    default: return InA;
    }
}

// The spans of one row of A combined with one of B (both sorted, not touching).
void CombineSpans(const std::vector<TRect>& A, size_t A0, size_t A1, const std::vector<TRect>& B, size_t B0,
                  size_t B1, TRegionCombine Mode, TSpans& Out)
{
    Out.clear();
    size_t ia = A0, ib = B0;
    bool InA = false, InB = false;
    Integer Start = 0;
    bool Open = false;
    // Walk every span edge of both rows from left to right.
    while (ia < A1 || ib < B1 || InA || InB) {
        const Integer XA = ia < A1 ? (InA ? A[ia].Right : A[ia].Left) : 2147483647;
        const Integer XB = ib < B1 ? (InB ? B[ib].Right : B[ib].Left) : 2147483647;
        const Integer X = Min(XA, XB);
        if (XA == X) {
            if (InA) ++ia;
            InA = !InA;
        }
        if (XB == X) {
            if (InB) ++ib;
            InB = !InB;
        }
        const bool In = Keeps(Mode, InA, InB);
        if (In && !Open) {
            if (!Out.empty() && Out.back().R == X) {
                Start = Out.back().L;  // touches the span before: one span
                Out.pop_back();
            } else {
                Start = X;
            }
            Open = true;
        } else if (!In && Open) {
            if (X > Start) Out.push_back(TSpan{Start, X});
            Open = false;
        }
    }
}

// The union of Rects[From, To), each a region of one rectangle, merged in halves.
std::vector<TRect> UnionOf(const std::vector<TRect>& Rects, size_t From, size_t To)
{
    if (To - From == 1) return std::vector<TRect>{Rects[From]};
    const size_t Mid = From + (To - From) / 2;
    TImageRegion A = TImageRegion::FromRects(std::vector<TRect>(Rects.begin() + From, Rects.begin() + Mid));
    TImageRegion B = TImageRegion::FromRects(std::vector<TRect>(Rects.begin() + Mid, Rects.begin() + To));
    return A.Combined(B, rcOr).Rects();
}

}  // namespace

TImageRegion::TImageRegion(const TRect& R)
{
    if (R.Right > R.Left && R.Bottom > R.Top) FRects.push_back(R);
}

TImageRegion TImageRegion::FromRects(const std::vector<TRect>& Rects)
{
    std::vector<TRect> Valid;
    Valid.reserve(Rects.size());
    for (const TRect& R : Rects)
        if (R.Right > R.Left && R.Bottom > R.Top) Valid.push_back(R);
    TImageRegion Result;
    if (Valid.empty()) return Result;
    // Halving keeps the work near n log n for the many small rectangles of a
    // pixel list.
    if (Valid.size() == 1)
        Result.FRects = Valid;
    else
        Result.FRects = UnionOf(Valid, 0, Valid.size());
    return Result;
}

TImageRegion TImageRegion::FromPixelRuns(const TPoint* Points, Integer Count)
{
    std::vector<TRect> Runs;
    for (Integer i = 0; i < Count;) {
        Integer j = i;
        while (j + 1 < Count && Points[j + 1].Y == Points[i].Y && Points[j + 1].X == Points[j].X + 1) ++j;
        Runs.push_back(TRect{Points[i].X, Points[i].Y, Points[j].X + 1, Points[i].Y + 1});
        i = j + 1;
    }
    return FromRects(Runs);
}

TImageRegion TImageRegion::FromPolygon(const TPoint* Points, Integer Count)
{
    TImageRegion Result;
    if (Count < 3) return Result;
    Integer MinY = Points[0].Y, MaxY = Points[0].Y;
    for (Integer i = 1; i < Count; ++i) {
        MinY = Min(MinY, Points[i].Y);
        MaxY = Max(MaxY, Points[i].Y);
    }
    struct TCrossing {
        double X;
        Integer Dir;
    };
    std::vector<TCrossing> Crossings;
    TSpans Spans;
    TBandWriter Writer(Result.FRects);
    for (Integer y = MinY; y < MaxY; ++y) {
        // Rows are sampled at their pixel centres.
        const double cy = y + 0.5;
        Crossings.clear();
        for (Integer i = 0; i < Count; ++i) {
            const TPoint& A = Points[i];
            const TPoint& B = Points[(i + 1) % Count];
            if (A.Y == B.Y) continue;
            const double y0 = Min(A.Y, B.Y), y1 = Max(A.Y, B.Y);
            if (cy < y0 || cy >= y1) continue;
            const double x = A.X + (cy - A.Y) * static_cast<double>(B.X - A.X) / (B.Y - A.Y);
            Crossings.push_back(TCrossing{x, B.Y > A.Y ? 1 : -1});
        }
        std::sort(Crossings.begin(), Crossings.end(),
                  [](const TCrossing& P, const TCrossing& Q) { return P.X < Q.X; });
        Spans.clear();
        Integer Winding = 0;
        double Start = 0;
        for (const TCrossing& C : Crossings) {
            const Integer Before = Winding;
            Winding += C.Dir;
            if (Before == 0 && Winding != 0) Start = C.X;
            if (Before != 0 && Winding == 0) {
                // Pixels whose centre lies in [Start, X).
                const Integer L = static_cast<Integer>(std::ceil(Start - 0.5));
                const Integer R = static_cast<Integer>(std::ceil(C.X - 0.5));
                if (R <= L) continue;
                if (!Spans.empty() && Spans.back().R >= L)
                    Spans.back().R = Max(Spans.back().R, R);
                else
                    Spans.push_back(TSpan{L, R});
            }
        }
        Writer.Add(y, y + 1, Spans);
    }
    return Result;
}

TRect TImageRegion::Bounds() const
{
    if (FRects.empty()) return TRect{};
    TRect B{FRects.front().Left, FRects.front().Top, FRects.front().Right, FRects.back().Bottom};
    for (const TRect& R : FRects) {
        B.Left = Min(B.Left, R.Left);
        B.Right = Max(B.Right, R.Right);
    }
    return B;
}

bool TImageRegion::Contains(Integer X, Integer Y) const
{
    // Bands run down the region: the first rectangle ending below Y starts
    // the only band that can hold the row.
    auto It = std::upper_bound(FRects.begin(), FRects.end(), Y,
                               [](Integer V, const TRect& R) { return V < R.Bottom; });
    for (; It != FRects.end() && It->Top <= Y; ++It) {
        if (X < It->Left) return false;
        if (X < It->Right) return true;
    }
    return false;
}

void TImageRegion::Offset(Integer DX, Integer DY)
{
    for (TRect& R : FRects) {
        R.Left += DX;
        R.Right += DX;
        R.Top += DY;
        R.Bottom += DY;
    }
}

TImageRegion TImageRegion::Combined(const TImageRegion& B, TRegionCombine Mode) const
{
    if (Mode == rcCopy) return *this;
    const std::vector<TBand> BA = BandsOf(FRects), BB = BandsOf(B.FRects);
    TImageRegion Result;
    TBandWriter Writer(Result.FRects);
    TSpans Spans;
    size_t ia = 0, ib = 0;
    Integer y = 0;
    bool Started = false;
    while (ia < BA.size() || ib < BB.size()) {
        if (!Started) {
            y = ia < BA.size() ? BA[ia].Top : BB[ib].Top;
            if (ib < BB.size()) y = Min(y, BB[ib].Top);
            Started = true;
        }
        // Skip to the next band edge when both lie wholly below y's gap.
        const bool InA = ia < BA.size() && BA[ia].Top <= y;
        const bool InB = ib < BB.size() && BB[ib].Top <= y;
        if (!InA && !InB) {
            y = ia < BA.size() ? BA[ia].Top : 2147483647;
            if (ib < BB.size()) y = Min(y, BB[ib].Top);
            continue;
        }
        Integer Next = 2147483647;
        if (ia < BA.size()) Next = Min(Next, InA ? BA[ia].Bottom : BA[ia].Top);
        if (ib < BB.size()) Next = Min(Next, InB ? BB[ib].Bottom : BB[ib].Top);
        const size_t A0 = InA ? BA[ia].First : 0, A1 = InA ? BA[ia].Last : 0;
        const size_t B0 = InB ? BB[ib].First : 0, B1 = InB ? BB[ib].Last : 0;
        CombineSpans(FRects, A0, A1, B.FRects, B0, B1, Mode, Spans);
        Writer.Add(y, Next, Spans);
        y = Next;
        if (ia < BA.size() && BA[ia].Bottom <= y) ++ia;
        if (ib < BB.size() && BB[ib].Bottom <= y) ++ib;
    }
    return Result;
}

TImageRegion TImageRegion::Scaled(Single Scale) const
{
    if (Scale == 1) return *this;
    std::vector<TRect> Rects;
    Rects.reserve(FRects.size());
    auto S = [Scale](Integer V) { return static_cast<Integer>(Round(static_cast<Extended>(V) * Scale)); };
    for (const TRect& R : FRects) Rects.push_back(TRect{S(R.Left), S(R.Top), S(R.Right), S(R.Bottom)});
    return FromRects(Rects);
}

// ---------------------------------------------------------------------------
// Region texts

String RegionToText(const TImageRegion& Region)
{
    String S;
    for (const TRect& R : Region.Rects())
        for (Integer V : {R.Left, R.Top, R.Right, R.Bottom}) {
            if (!S.empty()) S += u'.';
            S += IntToStr(V);
        }
    return S;
}

bool TextToRegionRects(const String& Text, std::vector<TRect>& Rects, String* Error)
{
    Rects.clear();
    auto Fail = [&](const String& Why) {
        Rects.clear();
        if (Error) *Error = Why;
        return false;
    };
    constexpr Integer Limit = 1 << 27;  // the platform's region coordinates
    std::vector<Integer> Values;
    size_t i = 0;
    const size_t n = Text.size();
    while (i < n) {
        bool Negative = false;
        if (Text[i] == u'-') {
            Negative = true;
            ++i;
        }
        Int64 V = 0;
        size_t Digits = 0;
        while (i < n && Text[i] >= u'0' && Text[i] <= u'9') {
            V = V * 10 + (Text[i] - u'0');
            ++i;
            if (++Digits > 10 || V > Limit) return Fail(u"The region text holds a coordinate out of range");
        }
        if (Digits == 0) return Fail(u"The region text holds something that is not a number");
        Values.push_back(static_cast<Integer>(Negative ? -V : V));
        if (i == n) break;
        if (Text[i] != u'.') return Fail(u"The region text holds something that is not a number");
        ++i;  // the separator, or the dot older texts put after the last number
    }
    if (Values.size() % 4 != 0) return Fail(u"The region text is not a whole number of rectangles");
    for (size_t k = 0; k < Values.size(); k += 4) {
        TRect R{Values[k], Values[k + 1], Values[k + 2], Values[k + 3]};
        if (R.Right <= R.Left || R.Bottom <= R.Top) return Fail(u"The region text holds an empty rectangle");
        Rects.push_back(R);
    }
    return true;
}
