#include "Component/Raster32/Ras32_Blend.h"

#include <cstring>

#include "Component/Raster32/Ras32_Bindings.h"
#include "Component/Raster32/Ras32_Blend_Variants.h"

// ---------------------------------------------------------------------------
// Tables

namespace {

struct TByteTable {
    Byte V[256][256];
};

struct alignas(16) TWeightTable {
    Word V[256][8];
};

constexpr TByteTable MakeProductTable()
{
    TByteTable T{};
    // round(a * b / 255); 255 is odd, so there are no ties.
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) T.V[a][b] = static_cast<Byte>((2 * a * b + 255) / 510);
    return T;
}

constexpr TByteTable MakeQuotientTable()
{
    TByteTable T{};
    for (int d = 1; d < 256; ++d)
        for (int n = 0; n < 256; ++n) {
            // round(n * 255 / d) with halves to even.
            int Num = 2 * n * 255 + d;
            int Q = Num / (2 * d);
            if (Num % (2 * d) == 0 && (Q & 1) != 0) --Q;
            T.V[d][n] = static_cast<Byte>(Q & 0xFF);
        }
    return T;
}

constexpr TWeightTable MakeWeightTable()
{
    TWeightTable T{};
    for (int i = 0; i < 256; ++i)
        for (int k = 0; k < 8; ++k) T.V[i][k] = static_cast<Word>(i);
    return T;
}

constexpr TByteTable GProductTable = MakeProductTable();
constexpr TByteTable GQuotientTable = MakeQuotientTable();
constexpr TWeightTable GWeightTable = MakeWeightTable();

}  // namespace

const Byte (&ProductTable)[256][256] = GProductTable.V;
const Byte (&QuotientTable)[256][256] = GQuotientTable.V;
const Word (&AlphaWeightTable)[256][8] = GWeightTable.V;

bool MmxBlendActive() { return HasCpuFeature(GetCpuFeatures(), ciMMX); }

// ---------------------------------------------------------------------------
// The portable reference

namespace {

// mix(y, x, w) on all four channels: (256 y + 128 + (x - y) w) shr 8, written
// as (y (256 - w) + x w + 128) shr 8, with the full weight 255 taken as 256 so
// that it gives x itself (255 alone would leave an opaque 255 over 0 at 254).
// Two channels share a 32-bit word, each in a 16-bit lane: a lane's sum is at
// most 255 * 256 + 128 = 65408, so no carry crosses into the next one.
inline TColor32 Mix(TColor32 X, TColor32 Y, Cardinal W)
{
    W += (W + 1) >> 8;
    Cardinal V = 256 - W;
    Cardinal RB = (((Y & 0x00FF00FF) * V + (X & 0x00FF00FF) * W + 0x00800080) >> 8) & 0x00FF00FF;
    Cardinal AG = (((Y >> 8) & 0x00FF00FF) * V + ((X >> 8) & 0x00FF00FF) * W + 0x00800080) & 0xFF00FF00;
    return AG | RB;
}

inline Cardinal Limit255(Cardinal V) { return V > 255 ? 255 : V; }

template <class Op>
inline TColor32 PerChannel(TColor32 C1, TColor32 C2, Op Channel)
{
    TColor32 R = 0;
    for (int Shift = 0; Shift < 32; Shift += 8)
        R |= static_cast<Cardinal>(Channel((C1 >> Shift) & 0xFF, (C2 >> Shift) & 0xFF)) << Shift;
    return R;
}

}  // namespace

namespace BlendPas {

void EndPixelOps() {}

TColor32 MergePixel(TColor32 F, TColor32 B)
{
    Cardinal Fa = F >> 24;
    Cardinal Ba = B >> 24;
    if (Fa == 0) return B;
    if (Ba == 255) return Mix(F, B, Fa) | 0xFF000000;
    if (Fa == 255 || Ba == 0) return F;
    Cardinal Ra = Fa + Ba - ProductTable[Ba][Fa];
    const Byte* PF = ProductTable[Fa];
    const Byte* PB = ProductTable[Ba];
    const Byte* QR = QuotientTable[Ra];
    // Premultiplied channel p = bw + Fa (f - bw) / 255 (never above Ra), then back to straight.
    TColor32 Result = Ra << 24;
    for (int Shift = 0; Shift < 24; Shift += 8) {
        Cardinal f = (F >> Shift) & 0xFF;
        Cardinal bw = PB[(B >> Shift) & 0xFF];
        Cardinal p = f >= bw ? bw + PF[f - bw] : bw - PF[bw - f];
        Result |= static_cast<Cardinal>(QR[p]) << Shift;
    }
    return Result;
}

void MergePixelInPlace(TColor32 F, TColor32& B) { B = MergePixel(F, B); }

void MergeRow(const TColor32* Src, TColor32* Dst, Integer Count)
{
    for (Integer i = 0; i < Count; ++i) Dst[i] = MergePixel(Src[i], Dst[i]);
}

TColor32 MergePixelMaster(TColor32 F, TColor32 B, Cardinal M)
{
    Cardinal Fa = ProductTable[Limit255(M)][F >> 24];
    return MergePixel((F & 0x00FFFFFF) | (Fa << 24), B);
}

void MergePixelMasterInPlace(TColor32 F, TColor32& B, Cardinal M) { B = MergePixelMaster(F, B, M); }

void MergeRowMaster(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    for (Integer i = 0; i < Count; ++i) Dst[i] = MergePixelMaster(Src[i], Dst[i], M);
}

TColor32 CombinePixel(TColor32 X, TColor32 Y, Cardinal W) { return Mix(X, Y, Limit255(W)); }

void CombinePixelInPlace(TColor32 X, TColor32& Y, Cardinal W)
{
    W = Limit255(W);
    if (W == 0) return;
    Y = W == 255 ? X : Mix(X, Y, W);
}

void CombineRow(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal W)
{
    W = Limit255(W);
    if (W == 0 || Count <= 0) return;
    if (W == 255) {
        if (Src != Dst) std::memmove(Dst, Src, static_cast<size_t>(Count) * sizeof(TColor32));
        return;
    }
    for (Integer i = 0; i < Count; ++i) Dst[i] = Mix(Src[i], Dst[i], W);
}

TColor32 BlendPixel(TColor32 F, TColor32 B) { return Mix(F, B, F >> 24); }

void BlendPixelInPlace(TColor32 F, TColor32& B)
{
    Cardinal Fa = F >> 24;
    if (Fa == 0) return;
    B = Fa == 255 ? F : Mix(F, B, Fa);
}

void BlendRow(const TColor32* Src, TColor32* Dst, Integer Count)
{
    for (Integer i = 0; i < Count; ++i) BlendPixelInPlace(Src[i], Dst[i]);
}

TColor32 BlendPixelMaster(TColor32 F, TColor32 B, Cardinal M)
{
    Cardinal W = ((Limit255(M) + 1) * (F >> 24)) >> 8;
    return W == 0 ? B : Mix(F, B, W);
}

void BlendPixelMasterInPlace(TColor32 F, TColor32& B, Cardinal M) { B = BlendPixelMaster(F, B, M); }

void BlendRowMaster(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    M = Limit255(M);
    for (Integer i = 0; i < Count; ++i) {
        // The +1 goes to the pixel's alpha here, to the master in the pixel forms.
        Cardinal W = (((Src[i] >> 24) + 1) * M) >> 8;
        if (W != 0) Dst[i] = Mix(Src[i], Dst[i], W);
    }
}

TColor32 ChannelMax(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](Cardinal a, Cardinal b) { return a > b ? a : b; });
}

TColor32 ChannelMin(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](Cardinal a, Cardinal b) { return a < b ? a : b; });
}

TColor32 ChannelAverage(TColor32 C1, TColor32 C2)
{
    // floor((c1 + c2) / 2) on every channel at once.
    return (((C1 ^ C2) >> 1) & 0x7F7F7F7F) + (C1 & C2);
}

TColor32 ChannelAdd(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](Cardinal a, Cardinal b) { return Limit255(a + b); });
}

TColor32 ChannelSubtract(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](Cardinal a, Cardinal b) { return a > b ? a - b : 0; });
}

TColor32 ChannelDivide(TColor32 C1, TColor32 C2)
{
    // Divides the second argument by the first.
    return PerChannel(C1, C2, [](Cardinal a, Cardinal b) { return a == 0 ? 255 : Limit255((b * 256) / a); });
}

TColor32 ChannelModulate(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](Cardinal a, Cardinal b) { return (a * b) >> 8; });
}

TColor32 ChannelDifference(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](Cardinal a, Cardinal b) { return a > b ? a - b : b - a; });
}

TColor32 ChannelExclusion(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](Cardinal a, Cardinal b) { return a + b - ((a * b) >> 7); });
}

TColor32 ChannelScale(TColor32 C, Cardinal W)
{
    W = Limit255(W);
    return PerChannel(C, 0, [W](Cardinal a, Cardinal) { return (a * W) >> 8; });
}

TColor32 LightenColor(TColor32 C, Integer Amount)
{
    auto Channel = [Amount](Integer Shift, TColor32 V) {
        Int64 c = static_cast<Int64>((V >> Shift) & 0xFF) + Amount;
        return static_cast<Cardinal>(c < 0 ? 0 : (c > 255 ? 255 : c)) << Shift;
    };
    return (C & 0xFF000000) | Channel(16, C) | Channel(8, C) | Channel(0, C);
}

}  // namespace BlendPas

// ---------------------------------------------------------------------------
// Bindings. Constant-initialised to the reference, so that code running before
// this unit's start-up still gets correct results; the registry then binds the
// best variant.

TPixelOpsProc* EndPixelOps = BlendPas::EndPixelOps;
TBlendReg* MergePixel = BlendPas::MergePixel;
TBlendMem* MergePixelInPlace = BlendPas::MergePixelInPlace;
TBlendLine* MergeRow = BlendPas::MergeRow;
TBlendRegEx* MergePixelMaster = BlendPas::MergePixelMaster;
TBlendMemEx* MergePixelMasterInPlace = BlendPas::MergePixelMasterInPlace;
TBlendLineEx* MergeRowMaster = BlendPas::MergeRowMaster;
TCombineReg* CombinePixel = BlendPas::CombinePixel;
TCombineMem* CombinePixelInPlace = BlendPas::CombinePixelInPlace;
TCombineLine* CombineRow = BlendPas::CombineRow;
TBlendReg* BlendPixel = BlendPas::BlendPixel;
TBlendMem* BlendPixelInPlace = BlendPas::BlendPixelInPlace;
TBlendLine* BlendRow = BlendPas::BlendRow;
TBlendRegEx* BlendPixelMaster = BlendPas::BlendPixelMaster;
TBlendMemEx* BlendPixelMasterInPlace = BlendPas::BlendPixelMasterInPlace;
TBlendLineEx* BlendRowMaster = BlendPas::BlendRowMaster;
TBlendReg* ChannelMax = BlendPas::ChannelMax;
TBlendReg* ChannelMin = BlendPas::ChannelMin;
TBlendReg* ChannelAverage = BlendPas::ChannelAverage;
TBlendReg* ChannelAdd = BlendPas::ChannelAdd;
TBlendReg* ChannelSubtract = BlendPas::ChannelSubtract;
TBlendReg* ChannelDivide = BlendPas::ChannelDivide;
TBlendReg* ChannelModulate = BlendPas::ChannelModulate;
TBlendReg* ChannelDifference = BlendPas::ChannelDifference;
TBlendReg* ChannelExclusion = BlendPas::ChannelExclusion;
TScaleReg* ChannelScale = BlendPas::ChannelScale;
TLightenReg* LightenColor = BlendPas::LightenColor;

TBlendMem** const CombineInPlaceOf[2] = {&BlendPixelInPlace, &MergePixelInPlace};
TBlendMemEx** const CombineMasterInPlaceOf[2] = {&BlendPixelMasterInPlace, &MergePixelMasterInPlace};
TBlendLine** const CombineRowOf[2] = {&BlendRow, &MergeRow};
TBlendLineEx** const CombineRowMasterOf[2] = {&BlendRowMaster, &MergeRowMaster};

namespace {

// Registers one operation: its binding, the reference first, then the SIMD
// forms in order of newer instruction sets, so the newest usable one wins.
#if defined(LM_RAS32_BLEND_SSE2)
#define LM_BLEND_REGISTER(Name)                                     \
    Registry->RegisterBinding(FID_##Name, &::Name);                 \
    Registry->Add(FID_##Name, BlendPas::Name);                      \
    Registry->Add(FID_##Name, BlendSSE2::Name, CpuFeature(ciSSE2))
#define LM_BLEND_REGISTER_AVX2(Name) \
    LM_BLEND_REGISTER(Name);         \
    Registry->Add(FID_##Name, BlendAVX2::Name, CpuFeature(ciAVX2))
#else
#define LM_BLEND_REGISTER(Name)                     \
    Registry->RegisterBinding(FID_##Name, &::Name); \
    Registry->Add(FID_##Name, BlendPas::Name)
#define LM_BLEND_REGISTER_AVX2(Name) LM_BLEND_REGISTER(Name)
#endif

}  // namespace

void RegisterBlendBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"Ras32_Blend bindings");
    LM_BLEND_REGISTER(EndPixelOps);
    LM_BLEND_REGISTER(MergePixel);
    LM_BLEND_REGISTER(MergePixelInPlace);
    LM_BLEND_REGISTER_AVX2(MergeRow);
    LM_BLEND_REGISTER(MergePixelMaster);
    LM_BLEND_REGISTER(MergePixelMasterInPlace);
    LM_BLEND_REGISTER_AVX2(MergeRowMaster);
    LM_BLEND_REGISTER(CombinePixel);
    LM_BLEND_REGISTER(CombinePixelInPlace);
    LM_BLEND_REGISTER_AVX2(CombineRow);
    LM_BLEND_REGISTER(BlendPixel);
    LM_BLEND_REGISTER(BlendPixelInPlace);
    LM_BLEND_REGISTER_AVX2(BlendRow);
    LM_BLEND_REGISTER(BlendPixelMaster);
    LM_BLEND_REGISTER(BlendPixelMasterInPlace);
    LM_BLEND_REGISTER_AVX2(BlendRowMaster);
    LM_BLEND_REGISTER(ChannelMax);
    LM_BLEND_REGISTER(ChannelMin);
    LM_BLEND_REGISTER(ChannelAverage);
    LM_BLEND_REGISTER(ChannelAdd);
    LM_BLEND_REGISTER(ChannelSubtract);
    LM_BLEND_REGISTER(ChannelDivide);
    LM_BLEND_REGISTER(ChannelModulate);
    LM_BLEND_REGISTER(ChannelDifference);
    LM_BLEND_REGISTER(ChannelExclusion);
    LM_BLEND_REGISTER(ChannelScale);
    LM_BLEND_REGISTER(LightenColor);
    Registry->RebindAll();
}

#undef LM_BLEND_REGISTER
#undef LM_BLEND_REGISTER_AVX2
