#include "skin/model/SFStackBlur.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

struct TRgb {
    Int64 R = 0, G = 0, B = 0;
    TRgb& operator+=(const TRgb& O) { R += O.R; G += O.G; B += O.B; return *this; }
    TRgb& operator-=(const TRgb& O) { R -= O.R; G -= O.G; B -= O.B; return *this; }
    TRgb operator*(Int64 K) const { return TRgb{R * K, G * K, B * K}; }
};

// One pass of the stack blur along a line of Count samples: Read(i) gives
// sample i (0 <= i < Count), Write(i, sums) stores output i. The window of
// 2r + 1 samples is weighted 1, 2, .., r + 1, .., 2, 1; its sum is kept
// running with the samples entering (in-sum) and leaving (out-sum).
// PrefillAdvances(i) tells whether the prefill moves to the next sample after
// window offset i (the horizontal pass clamps by index, the vertical pass
// stops advancing at the last row, as the published algorithm does).
template <class ReadF, class WriteF, class AdvanceF>
void BlurLine(Integer Count, Integer Radius, std::vector<TRgb>& Stack, const std::vector<Integer>& Next, ReadF Read,
              WriteF Write, AdvanceF PrefillIndex)
{
    const Integer Div = 2 * Radius + 1;
    TRgb Sum, InSum, OutSum;
    for (Integer i = -Radius; i <= Radius; ++i) {
        const TRgb P = Read(PrefillIndex(i));
        Stack[i + Radius] = P;
        Sum += P * (Radius + 1 - std::abs(i));
        if (i > 0) InSum += P;
        else OutSum += P;
    }
    Integer SP = Radius;
    for (Integer x = 0; x < Count; ++x) {
        Write(x, Sum);
        Sum -= OutSum;
        TRgb& Leaving = Stack[(SP + Radius + 1) % Div];
        OutSum -= Leaving;
        Leaving = Read(Next[x]);
        InSum += Leaving;
        Sum += InSum;
        SP = (SP + 1) % Div;
        const TRgb& Centre = Stack[SP];
        OutSum += Centre;
        InSum -= Centre;
    }
}

}  // namespace

void StackBlur(TsfBitmap* Bitmap, Integer Radius)
{
    if (Radius <= 0 || !Bitmap || Bitmap->Empty()) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height(), R = Radius;
    const Int64 DivSum = Int64(R + 1) * (R + 1);
    // The three planes of the horizontal result, interleaved.
    std::vector<uint8_t> Plane(static_cast<size_t>(W) * H * 3);
    std::vector<TRgb> Stack(static_cast<size_t>(2 * Int64(R) + 1));
    std::vector<Integer> Next(static_cast<size_t>(std::max(W, H)));
    // dv[sum] of the published algorithm is sum div (r + 1)^2 for sums below
    // 256 (r + 1)^2: the division itself gives the same values without the table.
    auto Dv = [DivSum](Int64 S) { return static_cast<TsfColor>(S / DivSum); };

    for (Integer x = 0; x < W; ++x) Next[x] = std::min(x + R + 1, W - 1);
    for (Integer y = 0; y < H; ++y) {
        const TsfColor* Row = Bitmap->ScanLineAddress(y);
        uint8_t* Out = Plane.data() + static_cast<size_t>(y) * W * 3;
        BlurLine(
            W, R, Stack, Next,
            [&](Integer i) {
                const TsfColor C = Row[i];
                return TRgb{(C >> 16) & 0xFF, (C >> 8) & 0xFF, C & 0xFF};
            },
            [&](Integer x, const TRgb& S) {
                Out[3 * x] = static_cast<uint8_t>(Dv(S.R));
                Out[3 * x + 1] = static_cast<uint8_t>(Dv(S.G));
                Out[3 * x + 2] = static_cast<uint8_t>(Dv(S.B));
            },
            [&](Integer i) { return std::clamp(i, 0, W - 1); });
    }
    for (Integer y = 0; y < H; ++y) Next[y] = std::min(y + R + 1, H - 1);
    for (Integer x = 0; x < W; ++x) {
        BlurLine(
            H, R, Stack, Next,
            [&](Integer i) {
                const uint8_t* P = Plane.data() + (static_cast<size_t>(i) * W + x) * 3;
                return TRgb{P[0], P[1], P[2]};
            },
            [&](Integer y, const TRgb& S) {
                *Bitmap->PixelAddress(x, y) = 0xFF000000u | (Dv(S.R) << 16) | (Dv(S.G) << 8) | Dv(S.B);
            },
            // Rows advance while the offset is below H - 1, then stay: row min(max(i, 0), ...) as published.
            [&](Integer i) { return std::max(0, std::min(i, H - 1)); });
    }
}

void SetAlphaFromGrayMask(TsfBitmap* Bitmap, TsfBitmap* Mask)
{
    if (!Bitmap || !Mask || Bitmap->Empty() || Mask->Empty()) return;
    // The mask should cover the bitmap; a smaller one changes only what it covers.
    const Integer W = std::min(Bitmap->Width(), Mask->Width()), H = std::min(Bitmap->Height(), Mask->Height());
    for (Integer y = 0; y < H; ++y) {
        TsfColor* P = Bitmap->ScanLineAddress(y);
        const TsfColor* M = Mask->ScanLineAddress(y);
        for (Integer x = 0; x < W; ++x) {
            const TsfColor G = (((M[x] >> 16) & 0xFF) + ((M[x] >> 8) & 0xFF) + (M[x] & 0xFF)) / 3;
            P[x] = (P[x] & 0x00FFFFFF) | (G << 24);
        }
    }
}

void SetAlphaFromGrayMask2(TsfBitmap* Bitmap, TsfBitmap* Mask)
{
    SetAlphaFromGrayMask(Bitmap, Mask);
    if (Bitmap) Bitmap->CheckRGBA2();
}
