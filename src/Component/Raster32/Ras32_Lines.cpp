// The line and frame drawing of TCustomBitmap32 (declared in Ras32.h): spans,
// Bresenham, anti-aliased, sub-pixel and stippled lines, the pens, frames,
// bevels, the stipple pattern and the outcode clipper.
//
// Every clipped form works out which steps of the unclipped line reach the
// clip rectangle (with 64-bit integer arithmetic, never by moving the end
// points) and runs exactly those steps with the unclipped arithmetic, so that
// clipping never shifts a pixel or changes its value.
#include <algorithm>
#include <cmath>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Math.h"

namespace {

// Floor and ceiling of A / B for B > 0.
inline Int64 FloorDiv(Int64 A, Int64 B)
{
    Int64 Q = A / B;
    return (A % B != 0 && A < 0) ? Q - 1 : Q;
}
inline Int64 CeilDiv(Int64 A, Int64 B)
{
    Int64 Q = A / B;
    return (A % B != 0 && A > 0) ? Q + 1 : Q;
}
// A / B rounded to nearest, halves to even (B > 0).
inline Int64 RoundDiv(Int64 A, Int64 B)
{
    Int64 Q = FloorDiv(A, B);
    Int64 R = A - Q * B;
    if (2 * R > B || (2 * R == B && (Q & 1))) ++Q;
    return Q;
}

// One axis of an integer line, mirrored so that the line runs U = 0, 1, 2 ...
// from its first end: D is the distance to the second end, S the direction
// (1 or -1) and Lo..Hi the clip rectangle's span of U (inclusive).
struct TAxis {
    Int64 D;
    Integer S;
    Int64 Lo, Hi;
};

TAxis MakeAxis(Integer A1, Integer A2, Integer ClipLo, Integer ClipHi)
{
    TAxis R;
    Int64 D = static_cast<Int64>(A2) - A1;
    R.S = D < 0 ? -1 : 1;
    R.D = D < 0 ? -D : D;
    if (R.S > 0) {
        R.Lo = static_cast<Int64>(ClipLo) - A1;
        R.Hi = static_cast<Int64>(ClipHi) - 1 - A1;
    } else {
        R.Lo = static_cast<Int64>(A1) - (static_cast<Int64>(ClipHi) - 1);
        R.Hi = static_cast<Int64>(A1) - ClipLo;
    }
    return R;
}

// The pixels of a Bresenham line (neither horizontal nor vertical) that a
// clip rectangle lets through. With the major axis the longer one (Y on a
// tie) and H = DMajor div 2, pixel i lies i steps along the major axis and
// floor((H + i * DMinor) / DMajor) along the minor one; i runs from 0 to
// DMajor - 1, and to DMajor when the end point is drawn.
struct TBresenhamRun {
    Integer Count = 0;  // 0: nothing inside
    Integer X = 0, Y = 0;
    Int64 Err = 0;  // (H + i * DMinor) mod DMajor at the first pixel
    Int64 DMajor = 0, DMinor = 0;
    NativeInt MajorStep = 0, MinorStep = 0;  // memory steps in pixels
};

TBresenhamRun BresenhamRun(Integer X1, Integer Y1, Integer X2, Integer Y2, bool L, const TRect* Clip, Integer Width)
{
    TBresenhamRun R;
    TRect C = Clip ? *Clip : TRect{};
    TAxis AX = MakeAxis(X1, X2, C.Left, C.Right);
    TAxis AY = MakeAxis(Y1, Y2, C.Top, C.Bottom);
    bool XMajor = AY.D < AX.D;
    const TAxis& Ma = XMajor ? AX : AY;
    const TAxis& Mi = XMajor ? AY : AX;
    // Every product below stays under 2^64 (each factor below 2^32), so the
    // unsigned arithmetic is exact.
    UInt64 DMaj = static_cast<UInt64>(Ma.D), DMin = static_cast<UInt64>(Mi.D), H = DMaj / 2;
    Int64 I0 = 0, I1 = static_cast<Int64>(DMaj) - (L ? 0 : 1);
    if (Clip) {
        I0 = std::max<Int64>(I0, Ma.Lo);
        I1 = std::min<Int64>(I1, Ma.Hi);
        if (I0 > I1 || Mi.Hi < 0 || Mi.Lo > static_cast<Int64>(DMin)) return R;
        if (Mi.Lo > 0) {
            // First i whose minor position reaches Lo: H + i * DMinor >= Lo * DMajor.
            UInt64 Need = static_cast<UInt64>(Mi.Lo) * DMaj - H;
            I0 = std::max<Int64>(I0, static_cast<Int64>((Need + DMin - 1) / DMin));
        }
        if (Mi.Hi < static_cast<Int64>(DMin)) {
            // Last i whose minor position stays at Hi: H + i * DMinor < (Hi + 1) * DMajor.
            UInt64 Limit = static_cast<UInt64>(Mi.Hi + 1) * DMaj - H - 1;
            I1 = std::min<Int64>(I1, static_cast<Int64>(Limit / DMin));
        }
    }
    if (I0 > I1) return R;
    UInt64 T = H + static_cast<UInt64>(I0) * DMin;
    Int64 Minor = static_cast<Int64>(T / DMaj);
    R.Count = static_cast<Integer>(I1 - I0 + 1);
    R.Err = static_cast<Int64>(T % DMaj);
    R.DMajor = static_cast<Int64>(DMaj);
    R.DMinor = static_cast<Int64>(DMin);
    R.X = static_cast<Integer>(X1 + AX.S * (XMajor ? I0 : Minor));
    R.Y = static_cast<Integer>(Y1 + AY.S * (XMajor ? Minor : I0));
    R.MajorStep = XMajor ? AX.S : static_cast<NativeInt>(AY.S) * Width;
    R.MinorStep = XMajor ? static_cast<NativeInt>(AY.S) * Width : AX.S;
    return R;
}

template <class TPlot>
void RunBresenham(PColor32 Bits, Integer Width, TBresenhamRun R, TPlot Plot)
{
    NativeInt Idx = static_cast<NativeInt>(R.X) + static_cast<NativeInt>(R.Y) * Width;
    for (Integer k = 0; k < R.Count; ++k) {
        Plot(Bits[Idx]);
        Idx += R.MajorStep;
        R.Err += R.DMinor;
        if (R.Err >= R.DMajor) {
            Idx += R.MinorStep;
            R.Err -= R.DMajor;
        }
    }
}

// The anti-aliased line (neither horizontal nor vertical) in mirrored form:
// Step = DMinor * 65536 div DMajor; after i steps the accumulator holds
// i * Step, the main pixel lies i along the major axis and (i * Step) shr 16
// along the minor one, weighted GammaCurve[255 - f], and its neighbour one
// further along the minor axis GammaCurve[f], with f = bits 8..15 of the
// accumulator. Step 0 is the start pixel alone.
struct TAARun {
    bool StartInside = false;
    Integer Count = 0;  // steps from I0 on
    Int64 I0 = 0;
    Int64 Minor = 0;  // minor position at I0
    Cardinal Acc = 0, Step = 0;
    Int64 MinorLo = 0, MinorHi = 0;  // clip span of the minor position
    NativeInt Idx = 0;  // main pixel at I0
    NativeInt MajorStep = 0, MinorStep = 0;
};

TAARun AARun(Integer X1, Integer Y1, Integer X2, Integer Y2, bool L, const TRect* Clip, Integer Width)
{
    TAARun R;
    TRect C = Clip ? *Clip : TRect{};
    TAxis AX = MakeAxis(X1, X2, C.Left, C.Right);
    TAxis AY = MakeAxis(Y1, Y2, C.Top, C.Bottom);
    bool XMajor = AY.D <= AX.D;
    const TAxis& Ma = XMajor ? AX : AY;
    const TAxis& Mi = XMajor ? AY : AX;
    Int64 M = Ma.D, Mn = Mi.D;
    // A 16-bit fraction, except that a diagonal steps a whole pixel each time.
    R.Step = static_cast<Cardinal>((static_cast<UInt64>(Mn) << 16) / static_cast<UInt64>(M));
    R.MajorStep = XMajor ? AX.S : static_cast<NativeInt>(AY.S) * Width;
    R.MinorStep = XMajor ? static_cast<NativeInt>(AY.S) * Width : AX.S;
    Int64 Last = L ? M : M - 1;
    Int64 I0 = 1, I1 = Last;
    if (Clip) {
        R.StartInside = Ma.Lo <= 0 && 0 <= Ma.Hi && Mi.Lo <= 0 && 0 <= Mi.Hi;
        R.MinorLo = Mi.Lo;
        R.MinorHi = Mi.Hi;
        I0 = std::max<Int64>(I0, Ma.Lo);
        I1 = std::min<Int64>(I1, Ma.Hi);
        // A step touches the clip rows when its neighbour reaches Lo and its
        // main pixel stays at or below Hi; the minor position never exceeds Mn.
        Int64 Lo = Mi.Lo - 1;
        if (Mi.Hi < 0 || Lo > Mn) return R;
        if (R.Step == 0) {
            if (Lo > 0) return R;
        } else {
            if (Lo > 0) I0 = std::max<Int64>(I0, CeilDiv(Lo << 16, R.Step));
            if (Mi.Hi < Mn) I1 = std::min<Int64>(I1, FloorDiv(((Mi.Hi + 1) << 16) - 1, R.Step));
        }
    } else {
        R.StartInside = true;
    }
    if (I0 > I1) return R;
    UInt64 A = static_cast<UInt64>(I0) * R.Step;
    R.I0 = I0;
    R.Count = static_cast<Integer>(I1 - I0 + 1);
    R.Minor = static_cast<Int64>(A >> 16);
    R.Acc = static_cast<Cardinal>(A & 0xFFFF);
    Int64 PX = X1 + AX.S * (XMajor ? I0 : R.Minor);
    Int64 PY = Y1 + AY.S * (XMajor ? R.Minor : I0);
    R.Idx = static_cast<NativeInt>(PX + PY * Width);
    return R;
}

template <bool Clipped>
void RunAA(PColor32 Bits, TAARun R, TColor32 Value, TBlendMemEx* Master)
{
    NativeInt Idx = R.Idx;
    Int64 Minor = R.Minor;
    Cardinal Acc = R.Acc;
    for (Integer k = 0; k < R.Count; ++k) {
        Cardinal F = Acc >> 8;
        if (!Clipped || (Minor >= R.MinorLo && Minor <= R.MinorHi))
            Master(Value, Bits[Idx], GammaCurve[255 - F]);
        if (!Clipped || (Minor + 1 >= R.MinorLo && Minor + 1 <= R.MinorHi))
            Master(Value, Bits[Idx + R.MinorStep], GammaCurve[F]);
        Idx += R.MajorStep;
        Acc += R.Step;
        if (Acc >= 0x10000) {
            Acc -= 0x10000;
            ++Minor;
            Idx += R.MinorStep;
        }
    }
}

// The steps of a sub-pixel line. Len is the length in 16.16 (plus 1.0 when
// the end point is drawn); N = Len div 1.0 plots one pixel apart start at
// the first end (rounded by +127 before the shift to 24.8), then the rest of
// the length, R, is plotted halfway between the last plot and the end with
// the alpha scaled by R.
struct TSubpixelLine {
    Int64 X = 0, Y = 0;    // first plot, 16.16
    Int64 SX = 0, SY = 0;  // one step, 16.16
    Integer N = 0;
    Int64 HX = 0, HY = 0;  // the last plot, 24.8
    Cardinal R = 0;
};

bool MakeSubpixelLine(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L, TSubpixelLine& S)
{
    Int64 DX = static_cast<Int64>(X2) - X1, DY = static_cast<Int64>(Y2) - Y1;
    // The length rounded like HypotRounded, in 64 bits (a 16.16 difference
    // may exceed the Integer range).
    Int64 Len = Round(std::sqrt(static_cast<double>(DX) * DX + static_cast<double>(DY) * DY));
    if (L) Len += 0x10000;
    if (Len < 256) return false;
    S.N = static_cast<Integer>(Len >> 16);
    S.SX = RoundDiv(DX * 0x10000, Len);
    S.SY = RoundDiv(DY * 0x10000, Len);
    S.X = static_cast<Int64>(X1) + 127;
    S.Y = static_cast<Int64>(Y1) + 127;
    S.R = static_cast<Cardinal>(Len - (static_cast<Int64>(S.N) << 16));
    if (S.N > 0) {
        // Halfway between the last full plot and the end.
        S.HX = (static_cast<Int64>(X2) + 127 + S.X + (S.N - 1) * S.SX) >> 9;
        S.HY = (static_cast<Int64>(Y2) + 127 + S.Y + (S.N - 1) * S.SY) >> 9;
    } else {
        // Shorter than a pixel: there is no last plot; the start stands for it.
        S.HX = S.X >> 8;
        S.HY = S.Y >> 8;
    }
    return true;
}

// Restricts K0..K1 to the steps k with Lo <= P0 + k * S <= Hi.
void RestrictSteps(Int64 P0, Int64 S, Int64 Lo, Int64 Hi, Int64& K0, Int64& K1)
{
    if (S == 0) {
        if (P0 < Lo || P0 > Hi) K1 = K0 - 1;
    } else if (S > 0) {
        K0 = std::max(K0, CeilDiv(Lo - P0, S));
        K1 = std::min(K1, FloorDiv(Hi - P0, S));
    } else {
        K0 = std::max(K0, CeilDiv(P0 - Hi, -S));
        K1 = std::min(K1, FloorDiv(P0 - Lo, -S));
    }
}

inline TColor32 ScaleAlpha(TColor32 C, Cardinal R) { return (C & 0x00FFFFFF) | ((((C >> 24) * R) >> 16) << 24); }

// Plots the steps of S: unclipped, or only the steps whose four pixels reach
// the clip rectangle (the others would write nothing), passing through the
// colour source for every step so that a stipple stays in phase.
template <bool Stippled, class TColorOf, class TSkip>
void RunSubpixel(TCustomBitmap32& B, const TSubpixelLine& S, bool Clipped, TColorOf ColorOf, TSkip Skip)
{
    Int64 K0 = 0, K1 = S.N - 1;
    bool Inside = true;
    if (Clipped) {
        const TRect& C = B.ClipRect();
        // A plot at pixel p touches p and p + 1: it reaches the clip when
        // Left - 1 <= p <= Right - 1, and stays wholly inside when
        // Left <= p <= Right - 2.
        auto In = [&](Int64 X, Int64 Y) {  // 16.16
            Int64 PX = X >> 16, PY = Y >> 16;
            return PX >= C.Left && PX <= C.Right - 2 && PY >= C.Top && PY <= C.Bottom - 2;
        };
        Inside = In(S.HX << 8, S.HY << 8) &&
                 (S.N == 0 || (In(S.X, S.Y) && In(S.X + (S.N - 1) * S.SX, S.Y + (S.N - 1) * S.SY)));
        if (!Inside) {
            RestrictSteps(S.X, S.SX, static_cast<Int64>(C.Left - 1) << 16,
                          (static_cast<Int64>(C.Right) << 16) - 1, K0, K1);
            RestrictSteps(S.Y, S.SY, static_cast<Int64>(C.Top - 1) << 16,
                          (static_cast<Int64>(C.Bottom) << 16) - 1, K0, K1);
        }
    }
    Int64 X = S.X, Y = S.Y;
    for (Int64 k = 0; k < S.N; ++k, X += S.SX, Y += S.SY) {
        if (k < K0 || k > K1) {
            Skip();
            continue;
        }
        TColor32 C = ColorOf();
        if (Inside)
            B.BlendSubpixel(static_cast<Integer>(X >> 8), static_cast<Integer>(Y >> 8), C);
        else
            B.BlendSubpixelClipped(static_cast<Integer>(X >> 8), static_cast<Integer>(Y >> 8), C);
        if (Stippled) EndPixelOps();
    }
    TColor32 C = ScaleAlpha(ColorOf(), S.R);
    if (Inside)
        B.BlendSubpixel(static_cast<Integer>(S.HX), static_cast<Integer>(S.HY), C);
    else
        B.BlendSubpixelClipped(static_cast<Integer>(S.HX), static_cast<Integer>(S.HY), C);
    EndPixelOps();
}

// One line (row or column) of a sub-pixel span with weight V: the first pixel
// A0 covered from F0, the full pixels after it, and the last one covered up
// to F1 (the pixel after A0 when both ends share a pixel). Pixels outside
// Lo..Hi are left out.
void SpanLine(PColor32 Base, NativeInt Stride, Integer A0, Integer A1, Cardinal V, Cardinal F0, Cardinal F1,
              TColor32 Value, Integer Lo, Integer Hi)
{
    Integer Last = A1 > A0 + 1 ? A1 : A0 + 1;
    if (A0 >= Lo && A0 <= Hi) CombinePixelInPlace(Value, Base[A0 * Stride], GammaCurve[(V * F0) >> 24]);
    Cardinal W = GammaCurve[V >> 8];
    for (Integer A = std::max(A0 + 1, Lo), E = std::min(Last - 1, Hi); A <= E; ++A)
        CombinePixelInPlace(Value, Base[A * Stride], W);
    if (Last >= Lo && Last <= Hi) CombinePixelInPlace(Value, Base[Last * Stride], GammaCurve[(V * F1) >> 24]);
}

// A sub-pixel span along the main axis (A1..A2, 16.16) at cross position P
// (16.16); Stride is one step along the main axis, CrossStride one across.
// Lines and pixels outside the given spans are left out.
void SubpixelSpan(PColor32 Bits, NativeInt Stride, NativeInt CrossStride, TFixed A1, TFixed P, TFixed A2,
                  TColor32 Value, Integer Lo, Integer Hi, Integer CrossLo, Integer CrossHi)
{
    Integer L0 = P >> 16;
    Cardinal Far = static_cast<Cardinal>(P) & 0xFFFF, Near = 0xFFFF - Far;
    Integer C0 = A1 >> 16, C1 = A2 >> 16;
    Cardinal F0 = 0xFFFF - (static_cast<Cardinal>(A1) & 0xFFFF), F1 = static_cast<Cardinal>(A2) & 0xFFFF;
    if (Near > 0 && L0 >= CrossLo && L0 <= CrossHi)
        SpanLine(Bits + L0 * CrossStride, Stride, C0, C1, Near, F0, F1, Value, Lo, Hi);
    if (Far > 0 && L0 + 1 >= CrossLo && L0 + 1 <= CrossHi)
        SpanLine(Bits + (L0 + 1) * CrossStride, Stride, C0, C1, Far, F0, F1, Value, Lo, Hi);
}

inline Int64 AbsDiff(Integer A, Integer B) { return A < B ? static_cast<Int64>(B) - A : static_cast<Int64>(A) - B; }

constexpr Integer NoLimitLo = INT32_MIN, NoLimitHi = INT32_MAX;

TRect LineArea(Integer X1, Integer Y1, Integer X2, Integer Y2) { return TRect{X1, Y1, X2, Y2}; }

TRect FixedLineArea(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2)
{
    return FixedRectToRect(FixedRectOf(X1, Y1, X2, Y2), rrClosest);
}

// Brings a stipple counter into 0..Length: a counter far out (a huge step,
// a stored value) is first reduced in one go, so that the wrap below never
// loops for long and a counter that is not a number starts over.
Single WrapCounter(Single Counter, Single Length)
{
    if (!std::isfinite(Counter)) return 0;
    if (std::fabs(Counter) >= 1024 * Length) Counter = std::fmod(Counter, Length);
    return WrapFloat(Counter, Length);
}

}  // namespace

// ---------------------------------------------------------------------------
// Horizontal and vertical lines

void TCustomBitmap32::HorzLine(Integer X1, Integer Y, Integer X2, TColor32 Value)
{
    // X2 < X1 would be a negative count.
    if (X2 < X1) return;
    FillDwords(GetPixelPtr(X1, Y), X2 - X1 + 1, Value);
}

void TCustomBitmap32::HorzLineS(Integer X1, Integer Y, Integer X2, TColor32 Value)
{
    if (FMeasuringMode) {
        Changed(TRect{X1, Y, X2, Y + 1}, AreaInfoRect);
    } else if (Y >= FClipRect.Top && Y < FClipRect.Bottom && ClipSpan(X1, X2, FClipRect.Left, FClipRect.Right)) {
        HorzLine(X1, Y, X2, Value);
        Changed(TRect{X1, Y, X2, Y + 1}, AreaInfoRect);
    }
}

void TCustomBitmap32::HorzLineT(Integer X1, Integer Y, Integer X2, TColor32 Value)
{
    if (X2 < X1) return;
    PColor32 P = GetPixelPtr(X1, Y);
    for (Integer X = X1; X <= X2; ++X) BlendProc(Value, *P++);
    EndPixelOps();
}

void TCustomBitmap32::HorzLineTS(Integer X1, Integer Y, Integer X2, TColor32 Value)
{
    if (FMeasuringMode) {
        Changed(TRect{X1, Y, X2, Y + 1}, AreaInfoRect);
    } else if (Y >= FClipRect.Top && Y < FClipRect.Bottom && ClipSpan(X1, X2, FClipRect.Left, FClipRect.Right)) {
        HorzLineT(X1, Y, X2, Value);
        Changed(TRect{X1, Y, X2, Y + 1}, AreaInfoRect);
    }
}

void TCustomBitmap32::VertLine(Integer X, Integer Y1, Integer Y2, TColor32 Value)
{
    if (Y2 < Y1) return;
    PColor32 P = GetPixelPtr(X, Y1);
    for (Integer Y = Y1; Y <= Y2; ++Y, P += FWidth) *P = Value;
}

void TCustomBitmap32::VertLineS(Integer X, Integer Y1, Integer Y2, TColor32 Value)
{
    if (FMeasuringMode) {
        Changed(TRect{X, Y1, X + 1, Y2}, AreaInfoRect);
    } else if (X >= FClipRect.Left && X < FClipRect.Right && ClipSpan(Y1, Y2, FClipRect.Top, FClipRect.Bottom)) {
        VertLine(X, Y1, Y2, Value);
        Changed(TRect{X, Y1, X + 1, Y2}, AreaInfoRect);
    }
}

void TCustomBitmap32::VertLineT(Integer X, Integer Y1, Integer Y2, TColor32 Value)
{
    if (Y2 < Y1) return;
    PColor32 P = GetPixelPtr(X, Y1);
    for (Integer Y = Y1; Y <= Y2; ++Y, P += FWidth) BlendProc(Value, *P);
    EndPixelOps();
}

void TCustomBitmap32::VertLineTS(Integer X, Integer Y1, Integer Y2, TColor32 Value)
{
    if (FMeasuringMode) {
        Changed(TRect{X, Y1, X + 1, Y2}, AreaInfoRect);
    } else if (X >= FClipRect.Left && X < FClipRect.Right && ClipSpan(Y1, Y2, FClipRect.Top, FClipRect.Bottom)) {
        VertLineT(X, Y1, Y2, Value);
        Changed(TRect{X, Y1, X + 1, Y2}, AreaInfoRect);
    }
}

// ---------------------------------------------------------------------------
// Bresenham lines

void TCustomBitmap32::Line(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L)
{
    if (X1 == X2 || Y1 == Y2) {
        if (X1 != X2)
            HorzLine(X1 < X2 ? X1 : X2 + 1, Y1, X1 < X2 ? X2 - 1 : X1, Value);
        else if (Y1 != Y2)
            VertLine(X1, Y1 < Y2 ? Y1 : Y2 + 1, Y1 < Y2 ? Y2 - 1 : Y1, Value);
        if (L) SetPixel(X2, Y2, Value);
    } else {
        RunBresenham(FBits, FWidth, BresenhamRun(X1, Y1, X2, Y2, L, nullptr, FWidth), [Value](TColor32& P) { P = Value; });
    }
    Changed(LineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
}

void TCustomBitmap32::LineS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L)
{
    if (FMeasuringMode) {
        Changed(LineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
        return;
    }
    if (X1 == X2 || Y1 == Y2) {
        if (X1 != X2)
            HorzLineS(X1 < X2 ? X1 : X2 + 1, Y1, X1 < X2 ? X2 - 1 : X1, Value);
        else if (Y1 != Y2)
            VertLineS(X1, Y1 < Y2 ? Y1 : Y2 + 1, Y1 < Y2 ? Y2 - 1 : Y1, Value);
        if (L) SetPixelClipped(X2, Y2, Value);
        Changed();
        return;
    }
    TBresenhamRun R = BresenhamRun(X1, Y1, X2, Y2, L, &FClipRect, FWidth);
    if (R.Count == 0) return;
    RunBresenham(FBits, FWidth, R, [Value](TColor32& P) { P = Value; });
    Changed(LineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
}

void TCustomBitmap32::LineT(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L)
{
    if (X1 == X2 || Y1 == Y2) {
        if (X1 != X2)
            HorzLineT(X1 < X2 ? X1 : X2 + 1, Y1, X1 < X2 ? X2 - 1 : X1, Value);
        else if (Y1 != Y2)
            VertLineT(X1, Y1 < Y2 ? Y1 : Y2 + 1, Y1 < Y2 ? Y2 - 1 : Y1, Value);
        if (L) BlendProc(Value, FBits[X2 + Y2 * FWidth]);
    } else {
        TBlendMem* Blend = BlendProc;
        RunBresenham(FBits, FWidth, BresenhamRun(X1, Y1, X2, Y2, L, nullptr, FWidth),
                     [Value, Blend](TColor32& P) { Blend(Value, P); });
    }
    EndPixelOps();
    Changed(LineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
}

void TCustomBitmap32::LineTS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L)
{
    if (FMeasuringMode) {
        Changed(LineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
        return;
    }
    if (X1 == X2 || Y1 == Y2) {
        if (X1 != X2)
            HorzLineTS(X1 < X2 ? X1 : X2 + 1, Y1, X1 < X2 ? X2 - 1 : X1, Value);
        else if (Y1 != Y2)
            VertLineTS(X1, Y1 < Y2 ? Y1 : Y2 + 1, Y1 < Y2 ? Y2 - 1 : Y1, Value);
        if (L) SetPixelTS(X2, Y2, Value);
        Changed();
        return;
    }
    TBresenhamRun R = BresenhamRun(X1, Y1, X2, Y2, L, &FClipRect, FWidth);
    if (R.Count == 0) return;
    TBlendMem* Blend = BlendProc;
    RunBresenham(FBits, FWidth, R, [Value, Blend](TColor32& P) { Blend(Value, P); });
    EndPixelOps();
    Changed(LineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
}

// ---------------------------------------------------------------------------
// Anti-aliased lines

void TCustomBitmap32::LineA(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L)
{
    if (X1 == X2 || Y1 == Y2) {
        LineT(X1, Y1, X2, Y2, Value, L);
        return;
    }
    BlendProc(Value, FBits[X1 + Y1 * FWidth]);
    RunAA<false>(FBits, AARun(X1, Y1, X2, Y2, L, nullptr, FWidth), Value, *CombineMasterInPlaceOf[FCombineMode]);
    EndPixelOps();
    Changed(LineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
}

void TCustomBitmap32::LineAS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L)
{
    if (FClipRect.Right <= FClipRect.Left || FClipRect.Bottom <= FClipRect.Top) return;
    if (FMeasuringMode) {
        Changed(LineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
        return;
    }
    Int64 DX = static_cast<Int64>(X2) - X1, DY = static_cast<Int64>(Y2) - Y1;
    if (DX == DY || DX == -DY) {
        // A diagonal (or a point) has no partial coverage.
        LineTS(X1, Y1, X2, Y2, Value, L);
        return;
    }
    if (DX == 0 || DY == 0) {
        if (DX != 0)
            HorzLineTS(X1 < X2 ? X1 : X2 + 1, Y1, X1 < X2 ? X2 - 1 : X1, Value);
        else
            VertLineTS(X1, Y1 < Y2 ? Y1 : Y2 + 1, Y1 < Y2 ? Y2 - 1 : Y1, Value);
        if (L) SetPixelTS(X2, Y2, Value);
    } else {
        TAARun R = AARun(X1, Y1, X2, Y2, L, &FClipRect, FWidth);
        if (R.Count == 0 && !R.StartInside) return;  // misses the clip rectangle
        if (R.StartInside) BlendProc(Value, FBits[X1 + Y1 * FWidth]);
        RunAA<true>(FBits, R, Value, *CombineMasterInPlaceOf[FCombineMode]);
        EndPixelOps();
    }
    Changed(LineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
}

// ---------------------------------------------------------------------------
// Sub-pixel lines

void TCustomBitmap32::LineX(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L)
{
    TSubpixelLine S;
    if (MakeSubpixelLine(X1, Y1, X2, Y2, L, S))
        RunSubpixel<false>(*this, S, false, [Value] { return Value; }, [] {});
    Changed(FixedLineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
}

void TCustomBitmap32::LineF(Single X1, Single Y1, Single X2, Single Y2, TColor32 Value, bool L)
{
    LineX(FloatToFixed(X1), FloatToFixed(Y1), FloatToFixed(X2), FloatToFixed(Y2), Value, L);
}

void TCustomBitmap32::LineXS(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L)
{
    TSubpixelLine S;
    if (!FMeasuringMode && MakeSubpixelLine(X1, Y1, X2, Y2, L, S))
        RunSubpixel<false>(*this, S, true, [Value] { return Value; }, [] {});
    Changed(FixedLineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
}

void TCustomBitmap32::LineFS(Single X1, Single Y1, Single X2, Single Y2, TColor32 Value, bool L)
{
    LineXS(FloatToFixed(X1), FloatToFixed(Y1), FloatToFixed(X2), FloatToFixed(Y2), Value, L);
}

void TCustomBitmap32::LineXP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L)
{
    TSubpixelLine S;
    if (MakeSubpixelLine(X1, Y1, X2, Y2, L, S))
        RunSubpixel<true>(*this, S, false, [this] { return GetStippleColor(); }, [this] { SkipStippleColor(); });
    Changed(FixedLineArea(X1, Y1, X2, Y2), AreaInfoLine + 2);
}

void TCustomBitmap32::LineFP(Single X1, Single Y1, Single X2, Single Y2, bool L)
{
    LineXP(FloatToFixed(X1), FloatToFixed(Y1), FloatToFixed(X2), FloatToFixed(Y2), L);
}

void TCustomBitmap32::LineXSP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L)
{
    // The steps cut off by the clip rectangle still take their colours, so
    // that the pattern stays in phase with the unclipped line (also for a
    // line wholly outside, so that the next segment continues it).
    TSubpixelLine S;
    if (!FMeasuringMode && MakeSubpixelLine(X1, Y1, X2, Y2, L, S))
        RunSubpixel<true>(*this, S, true, [this] { return GetStippleColor(); }, [this] { SkipStippleColor(); });
    Changed(FixedLineArea(X1, Y1, X2, Y2), AreaInfoLine + 4);
}

void TCustomBitmap32::LineFSP(Single X1, Single Y1, Single X2, Single Y2, bool L)
{
    LineXSP(FloatToFixed(X1), FloatToFixed(Y1), FloatToFixed(X2), FloatToFixed(Y2), L);
}

void TCustomBitmap32::HorzLineX(TFixed X1, TFixed Y, TFixed X2, TColor32 Value)
{
    if (X1 > X2) SwapValues(X1, X2);
    SubpixelSpan(FBits, 1, FWidth, X1, Y, X2, Value, NoLimitLo, NoLimitHi, NoLimitLo, NoLimitHi);
    EndPixelOps();
    Changed(FixedLineArea(X1, Y, X2, Y + 1), AreaInfoLine + 2);
}

void TCustomBitmap32::HorzLineXS(TFixed X1, TFixed Y, TFixed X2, TColor32 Value)
{
    // Exactly HorzLineX inside the clip rectangle.
    if (X1 > X2) SwapValues(X1, X2);
    if (!FMeasuringMode && !RectIsEmpty(FClipRect)) {
        SubpixelSpan(FBits, 1, FWidth, X1, Y, X2, Value, FClipRect.Left, FClipRect.Right - 1, FClipRect.Top,
                     FClipRect.Bottom - 1);
        EndPixelOps();
    }
    Changed(FixedLineArea(X1, Y, X2, Y + 1), AreaInfoLine + 2);
}

void TCustomBitmap32::VertLineX(TFixed X, TFixed Y1, TFixed Y2, TColor32 Value)
{
    if (Y1 > Y2) SwapValues(Y1, Y2);
    SubpixelSpan(FBits, FWidth, 1, Y1, X, Y2, Value, NoLimitLo, NoLimitHi, NoLimitLo, NoLimitHi);
    EndPixelOps();
    Changed(FixedLineArea(X, Y1, X + 1, Y2), AreaInfoLine + 2);
}

void TCustomBitmap32::VertLineXS(TFixed X, TFixed Y1, TFixed Y2, TColor32 Value)
{
    if (Y1 > Y2) SwapValues(Y1, Y2);
    if (!FMeasuringMode && !RectIsEmpty(FClipRect)) {
        SubpixelSpan(FBits, FWidth, 1, Y1, X, Y2, Value, FClipRect.Top, FClipRect.Bottom - 1, FClipRect.Left,
                     FClipRect.Right - 1);
        EndPixelOps();
    }
    Changed(FixedLineArea(X, Y1, X + 1, Y2), AreaInfoLine + 2);
}

// ---------------------------------------------------------------------------
// Stippled one-pixel lines

namespace {

// Where a stippled span A1..A2 (both inclusive, either direction) meets the
// clip span Lo..Hi - 1: the first and last pixel drawn, and the pixels cut
// off before and after them. False when the span misses.
bool ClipStippleSpan(Integer A1, Integer A2, Integer Lo, Integer Hi, Integer& Start, Integer& End, Int64& CutBefore,
                     Int64& CutAfter)
{
    // An empty clip span has no pixel to start or end on.
    if (Hi <= Lo || (A1 < Lo && A2 < Lo) || (A1 >= Hi && A2 >= Hi)) return false;
    Start = A1;
    CutBefore = 0;
    if (A1 < Lo) {
        CutBefore = static_cast<Int64>(Lo) - A1;
        Start = Lo;
    } else if (A1 >= Hi) {
        CutBefore = static_cast<Int64>(A1) - Hi + 1;
        Start = Hi - 1;
    }
    End = A2;
    CutAfter = 0;
    if (A2 < Lo) {
        CutAfter = static_cast<Int64>(Lo) - A2;
        End = Lo;
    } else if (A2 >= Hi) {
        CutAfter = static_cast<Int64>(A2) - Hi + 1;
        End = Hi - 1;
    }
    return true;
}

}  // namespace

void TCustomBitmap32::HorzLineTSP(Integer X1, Integer Y, Integer X2)
{
    if (FMeasuringMode) {
        Changed(TRect{X1, Y, X2, Y + 1}, AreaInfoRect);
        return;
    }
    if (Empty()) return;
    Integer Start, End;
    Int64 CutBefore, CutAfter;
    if (Y < FClipRect.Top || Y >= FClipRect.Bottom ||
        !ClipStippleSpan(X1, X2, FClipRect.Left, FClipRect.Right, Start, End, CutBefore, CutAfter)) {
        AdvanceStippleCounter(static_cast<Single>(AbsDiff(X1, X2) + 1));
        return;
    }
    if (CutBefore > 0) AdvanceStippleCounter(static_cast<Single>(CutBefore));
    Integer Dir = End >= Start ? 1 : -1;
    for (Integer X = Start;; X += Dir) {
        SetPixelT(X, Y, GetStippleColor());
        if (X == End) break;
    }
    Changed(TRect{Start, Y, End, Y + 1}, AreaInfoRect);
    if (CutAfter > 0) AdvanceStippleCounter(static_cast<Single>(CutAfter));
}

void TCustomBitmap32::VertLineTSP(Integer X, Integer Y1, Integer Y2)
{
    if (FMeasuringMode) {
        Changed(TRect{X, Y1, X + 1, Y2}, AreaInfoRect);
        return;
    }
    if (Empty()) return;
    Integer Start, End;
    Int64 CutBefore, CutAfter;
    if (X < FClipRect.Left || X >= FClipRect.Right ||
        !ClipStippleSpan(Y1, Y2, FClipRect.Top, FClipRect.Bottom, Start, End, CutBefore, CutAfter)) {
        AdvanceStippleCounter(static_cast<Single>(AbsDiff(Y1, Y2) + 1));
        return;
    }
    if (CutBefore > 0) AdvanceStippleCounter(static_cast<Single>(CutBefore));
    Integer Dir = End >= Start ? 1 : -1;
    for (Integer Y = Start;; Y += Dir) {
        SetPixelT(X, Y, GetStippleColor());
        if (Y == End) break;
    }
    Changed(TRect{X, Start, X + 1, End}, AreaInfoRect);
    if (CutAfter > 0) AdvanceStippleCounter(static_cast<Single>(CutAfter));
}

// ---------------------------------------------------------------------------
// Pens

void TCustomBitmap32::MoveTo(Integer X, Integer Y)
{
    RasterX = X;
    RasterY = Y;
}

void TCustomBitmap32::LineToS(Integer X, Integer Y)
{
    LineS(RasterX, RasterY, X, Y, FPenColor, false);
    MoveTo(X, Y);
}

void TCustomBitmap32::LineToTS(Integer X, Integer Y)
{
    LineTS(RasterX, RasterY, X, Y, FPenColor, false);
    MoveTo(X, Y);
}

void TCustomBitmap32::LineToAS(Integer X, Integer Y)
{
    LineAS(RasterX, RasterY, X, Y, FPenColor, false);
    MoveTo(X, Y);
}

void TCustomBitmap32::MoveToX(TFixed X, TFixed Y)
{
    RasterXF = X;
    RasterYF = Y;
}

void TCustomBitmap32::MoveToF(Single X, Single Y) { MoveToX(FloatToFixed(X), FloatToFixed(Y)); }

void TCustomBitmap32::LineToXS(TFixed X, TFixed Y)
{
    LineXS(RasterXF, RasterYF, X, Y, FPenColor, false);
    MoveToX(X, Y);
}

void TCustomBitmap32::LineToFS(Single X, Single Y) { LineToXS(FloatToFixed(X), FloatToFixed(Y)); }

void TCustomBitmap32::LineToXSP(TFixed X, TFixed Y)
{
    LineXSP(RasterXF, RasterYF, X, Y, false);
    MoveToX(X, Y);
}

void TCustomBitmap32::LineToFSP(Single X, Single Y) { LineToXSP(FloatToFixed(X), FloatToFixed(Y)); }

// ---------------------------------------------------------------------------
// Frames and bevels

void TCustomBitmap32::FrameRectS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value)
{
    if (X2 <= X1 || Y2 <= Y1 || X1 >= FClipRect.Right || Y1 >= FClipRect.Bottom || X2 <= FClipRect.Left ||
        Y2 <= FClipRect.Top)
        return;
    HorzLineS(X1, Y1, X2 - 1, Value);
    if (Y2 - 1 > Y1) HorzLineS(X1, Y2 - 1, X2 - 1, Value);
    if (Y1 + 1 < Y2 - 1) {
        VertLineS(X1, Y1 + 1, Y2 - 2, Value);
        if (X2 - 1 > X1) VertLineS(X2 - 1, Y1 + 1, Y2 - 2, Value);
    }
}

void TCustomBitmap32::FrameRectS(const TRect& ARect, TColor32 Value)
{
    FrameRectS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value);
}

void TCustomBitmap32::FrameRectTS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value)
{
    if (X2 <= X1 || Y2 <= Y1 || X1 >= FClipRect.Right || Y1 >= FClipRect.Bottom || X2 <= FClipRect.Left ||
        Y2 <= FClipRect.Top)
        return;
    HorzLineTS(X1, Y1, X2 - 1, Value);
    if (Y2 - 1 > Y1) HorzLineTS(X1, Y2 - 1, X2 - 1, Value);
    if (Y1 + 1 < Y2 - 1) {
        VertLineTS(X1, Y1 + 1, Y2 - 2, Value);
        if (X2 - 1 > X1) VertLineTS(X2 - 1, Y1 + 1, Y2 - 2, Value);
    }
}

void TCustomBitmap32::FrameRectTS(const TRect& ARect, TColor32 Value)
{
    FrameRectTS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value);
}

void TCustomBitmap32::FrameRectTSP(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    if (X2 <= X1 || Y2 <= Y1 || X1 >= FWidth || Y1 >= FHeight || X2 <= 0 || Y2 <= 0) return;
    if (X2 - X1 == 1 && Y2 - Y1 == 1) {
        // Within the bitmap but maybe outside the clip rectangle, which binds
        // every S form.
        if (!FMeasuringMode) SetPixelTS(X1, Y1, GetStippleColor());
        Changed(TRect{X1, Y1, X2, Y2}, AreaInfoRect);
    } else if (X2 - X1 == 1) {
        VertLineTSP(X1, Y1, Y2 - 1);
    } else if (Y2 - Y1 == 1) {
        HorzLineTSP(X1, Y1, X2 - 1);
    } else {
        HorzLineTSP(X1, Y1, X2 - 2);
        VertLineTSP(X2 - 1, Y1, Y2 - 2);
        HorzLineTSP(X2 - 1, Y2 - 1, X1 + 1);
        VertLineTSP(X1, Y2 - 1, Y1 + 1);
    }
}

void TCustomBitmap32::RaiseRectTS(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer Contrast)
{
    if (X2 <= X1 || Y2 <= Y1 || X1 >= FClipRect.Right || Y1 >= FClipRect.Bottom || X2 <= FClipRect.Left ||
        Y2 <= FClipRect.Top || Contrast == 0)
        return;
    auto Alpha = [](Int64 A) { return static_cast<TColor32>(A > 255 ? 255 : (A < 0 ? 0 : A)) << 24; };
    Int64 C = Contrast;
    TColor32 Light, Dark;
    if (C > 0) {
        Light = 0x00FFFFFF | Alpha(C * 512 / 100);
        Dark = Alpha(C * 255 / 100);
    } else {
        Light = Alpha(-C * 255 / 100);
        Dark = 0x00FFFFFF | Alpha(-C * 512 / 100);
    }
    HorzLineTS(X1, Y1, X2 - 1, Light);
    HorzLineTS(X1, Y2 - 1, X2 - 1, Dark);
    // Under three rows there is no side between top and bottom; the ordered
    // span would otherwise reach outside the rectangle.
    if (Y1 + 1 <= Y2 - 2) {
        VertLineTS(X1, Y1 + 1, Y2 - 2, Light);
        VertLineTS(X2 - 1, Y1 + 1, Y2 - 2, Dark);
    }
}

void TCustomBitmap32::RaiseRectTS(const TRect& ARect, Integer Contrast)
{
    RaiseRectTS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Contrast);
}

// ---------------------------------------------------------------------------
// Stipple

void TCustomBitmap32::SetStipple(const TArrayOfColor32& NewStipple)
{
    FStippleCounter = 0;
    FStipplePattern = NewStipple;
}

void TCustomBitmap32::SetStipple(std::initializer_list<TColor32> NewStipple)
{
    FStippleCounter = 0;
    FStipplePattern.assign(NewStipple.begin(), NewStipple.end());
}

void TCustomBitmap32::AdvanceStippleCounter(Single LengthPixels)
{
    if (FStipplePattern.empty()) return;
    Single Delta = LengthPixels * FStippleStep;
    if (Delta == 0) return;
    Single Length = static_cast<Single>(FStipplePattern.size());
    Single Counter = FStippleCounter + Delta;
    Counter -= Length * std::floor(Counter / Length);
    FStippleCounter = std::isfinite(Counter) ? Counter : 0;
}

TColor32 TCustomBitmap32::GetStippleColor()
{
    if (FStipplePattern.empty()) return 0xFF000000;
    Integer Length = static_cast<Integer>(FStipplePattern.size());
    Single Counter = WrapCounter(FStippleCounter, static_cast<Single>(Length));
    Integer Prev = static_cast<Integer>(Round(Counter - 0.5f));
    Prev = Prev < 0 ? 0 : (Prev >= Length ? Length - 1 : Prev);
    Integer NextWeight = static_cast<Integer>(Round((Counter - static_cast<Single>(Prev)) * 255.0f));
    Integer PrevWeight = 255 - (NextWeight < 0 ? 0 : (NextWeight > 255 ? 255 : NextWeight));
    Integer Next = Prev + 1 < Length ? Prev + 1 : 0;
    TColor32 Result;
    if (PrevWeight == 255) {
        Result = FStipplePattern[Prev];
    } else {
        Result = CombinePixel(FStipplePattern[Prev], FStipplePattern[Next], static_cast<Cardinal>(PrevWeight));
        EndPixelOps();
    }
    FStippleCounter = Counter + FStippleStep;
    return Result;
}

void TCustomBitmap32::SkipStippleColor()
{
    if (FStipplePattern.empty()) return;
    FStippleCounter = WrapCounter(FStippleCounter, static_cast<Single>(FStipplePattern.size())) + FStippleStep;
}

// ---------------------------------------------------------------------------
// Outcode clipping

bool ClipLineSegment(Integer& X1, Integer& Y1, Integer& X2, Integer& Y2, Integer MinX, Integer MinY, Integer MaxX,
                     Integer MaxY)
{
    auto Code = [&](Integer X, Integer Y) {
        return (X < MinX ? 1 : 0) | (X > MaxX ? 2 : 0) | (Y < MinY ? 4 : 0) | (Y > MaxY ? 8 : 0);
    };
    // A + B * C / D rounded half away from zero: the point of the line at a
    // given coordinate. The quotient lies between the two ends, so 64 bits
    // hold every step even where the differences leave the Integer range.
    auto Along = [](Integer A, Int64 B, Int64 C, Int64 D) {
        if (D == 0) return A;  // only with a clip box whose minimum exceeds its maximum
        bool Negative = ((B < 0) != (C < 0)) != (D < 0);
        UInt64 P = static_cast<UInt64>(B < 0 ? -B : B) * static_cast<UInt64>(C < 0 ? -C : C);
        UInt64 M = static_cast<UInt64>(D < 0 ? -D : D);
        UInt64 Q = P / M;
        if (2 * (P % M) >= M) ++Q;
        return static_cast<Integer>(A + (Negative ? -static_cast<Int64>(Q) : static_cast<Int64>(Q)));
    };
    Integer C1 = Code(X1, Y1), C2 = Code(X2, Y2);
    if ((C1 | C2) == 0) return true;
    if (C1 & C2) return false;
    if (C1 & 12) {
        Integer V = (C1 & 8) ? MaxY : MinY;
        X1 = Along(X1, static_cast<Int64>(V) - Y1, static_cast<Int64>(X2) - X1, static_cast<Int64>(Y2) - Y1);
        Y1 = V;
        C1 = Code(X1, Y1) & 3;
    }
    if (C2 & 12) {
        Integer V = (C2 & 8) ? MaxY : MinY;
        X2 = Along(X2, static_cast<Int64>(V) - Y2, static_cast<Int64>(X2) - X1, static_cast<Int64>(Y2) - Y1);
        Y2 = V;
        C2 = Code(X2, Y2) & 3;
    }
    if (C1 & C2) return false;
    if (C1) {
        Integer V = C1 == 1 ? MinX : MaxX;
        Y1 = Along(Y1, static_cast<Int64>(V) - X1, static_cast<Int64>(Y2) - Y1, static_cast<Int64>(X2) - X1);
        X1 = V;
    }
    if (C2) {
        Integer V = C2 == 1 ? MinX : MaxX;
        Y2 = Along(Y2, static_cast<Int64>(V) - X2, static_cast<Int64>(Y2) - Y1, static_cast<Int64>(X2) - X1);
        X2 = V;
    }
    return true;
}
