#include "filters/Ras32_BlendModes.h"

#include "Component/Raster32/Ras32_Bindings.h"
#include "filters/HSLKernels.h"
#include "filters/HSLRows.h"
#include "filters/Ras32_BlendModes_Variants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

enum TMode : Integer {
    bmNormal, bmMultiply, bmScreen, bmOverlay, bmReflect, bmSoftLight, bmBrightLight, bmHardLight,
    bmColorDodge, bmColorBurn, bmLighten, bmDarken, bmAdditive, bmSubtractive, bmAverage, bmDifference,
    bmExclusion, bmNegation, bmGlow, bmHeat, bmFreeze, bmRed, bmGreen, bmBlue, bmHue, bmSaturation,
    bmLightness, bmCustomMap
};

struct TSqrtTable {
    Byte V[65536];
};
const TSqrtTable GSqrtTable = [] {
    TSqrtTable T{};
    // No integer has a square root ending in exactly .5, so any rounding agrees.
    for (Integer I = 0; I < 65536; ++I) T.V[I] = static_cast<Byte>(std::lround(std::sqrt(static_cast<double>(I))));
    return T;
}();

struct TCustomMap {
    TColor32 V[256][256];
};
const std::unique_ptr<const TCustomMap> GCustomMap = [] {
    auto T = std::make_unique<TCustomMap>();
    for (Integer F = 0; F < 256; ++F)
        for (Integer B = 0; B < 256; ++B) T->V[F][B] = static_cast<TColor32>(F) * 0x010101u;
    return std::unique_ptr<const TCustomMap>(std::move(T));
}();

inline Integer Min255(Integer V) { return V < 255 ? V : 255; }

// The target X of a channel for the modes that depend on f and b alone.
Integer TargetOf(Integer Mode, Integer f, Integer b)
{
    switch (Mode) {
    case bmMultiply: return (b * f) >> 8;
    case bmScreen: return 255 - (((255 - b) * (255 - f)) >> 8);
    case bmOverlay: return b >= 128 ? 255 - ((255 - b) * (255 - f)) / 128 : (b * f) >> 7;
    case bmReflect: return f == 255 ? 255 : Min255(b * b / (255 - f));
    case bmSoftLight: {
        const Integer m = (b * f) >> 8;
        const Integer s = 255 - (((255 - b) * (255 - f)) >> 8);
        return m + (((s - m) * b) >> 8);
    }
    case bmBrightLight: return GSqrtTable.V[f * b];
    case bmHardLight: return f >= 128 ? 255 - ((255 - f) * (255 - b)) / 128 : (b * f) >> 7;
    case bmColorDodge: return f == 255 ? 255 : Min255(b * 256 / (255 - f));
    case bmColorBurn: {
        if (f == 0) return 0;
        const Integer X = 255 - (256 * (255 - b)) / f;
        return X < 0 ? 0 : X;
    }
    case bmLighten: return f > b ? f : b;
    case bmDarken: return f < b ? f : b;
    case bmAdditive: return Min255(f + b);
    case bmSubtractive: return f + b - 256 < 0 ? 0 : f + b - 256;
    case bmAverage: return (f + b) >> 1;
    case bmDifference: return std::abs(b - f);
    case bmExclusion: return b + f - ((b * f) >> 7);
    case bmNegation: return 255 - std::abs(255 - b - f);
    case bmGlow: return b == 255 ? 255 : Min255(f * f / (255 - b));
    case bmHeat: return b == 0 ? 0 : 255 - Min255((255 - f) * (255 - f) / b);
    case bmFreeze: return f == 0 ? 0 : 255 - Min255((255 - b) * (255 - b) / f);
    default: return f;
    }
}

// X for every (f, b) of one mode, index f * 256 + b; built on first use.
template <Integer Mode>
const Byte* TargetTable()
{
    static const std::unique_ptr<Byte[]> Table = [] {
        std::unique_ptr<Byte[]> T(new Byte[65536]);
        for (Integer F = 0; F < 256; ++F)
            for (Integer B = 0; B < 256; ++B) T[F * 256 + B] = static_cast<Byte>(TargetOf(Mode, F, B));
        return T;
    }();
    return Table.get();
}

inline Integer Weight(TColor32 F, Cardinal M) { return static_cast<Integer>(((M & 255) * (F >> 24)) >> 8); }

// b + floor((X - b) * c / 256), the arithmetic shift giving the floor.
inline TColor32 Toward(Integer b, Integer X, Integer c) { return static_cast<TColor32>(b + (((X - b) * c) >> 8)); }

// One pixel of a mode whose three targets come from the table.
inline void TablePixel(const Byte* T, TColor32 F, TColor32& B, Integer c)
{
    const TColor32 Bv = B;
    const Integer fr = (F >> 16) & 0xFF, fg = (F >> 8) & 0xFF, fb = F & 0xFF;
    const Integer br = (Bv >> 16) & 0xFF, bg = (Bv >> 8) & 0xFF, bb = Bv & 0xFF;
    B = (Bv & 0xFF000000) | Toward(br, T[fr << 8 | br], c) << 16 | Toward(bg, T[fg << 8 | bg], c) << 8 |
        Toward(bb, T[fb << 8 | bb], c);
}

inline void GlowPixel(const Byte* T, TColor32 F, TColor32& B, Integer c)
{
    const TColor32 Bv = B;
    auto Channel = [&](Integer Shift) {
        const Integer f = (F >> Shift) & 0xFF, b = (Bv >> Shift) & 0xFF;
        return static_cast<TColor32>((c * T[f << 8 | b] + (255 - c) * b) >> 8) << Shift;
    };
    B = (Bv & 0xFF000000) | Channel(16) | Channel(8) | Channel(0);
}

inline void SingleChannelPixel(Integer Shift, TColor32 F, TColor32& B, Integer c)
{
    const Integer f = (F >> Shift) & 0xFF, b = (B >> Shift) & 0xFF;
    B = (B & ~(0xFFu << Shift)) | Toward(b, f, c) << Shift;
}

inline void HslPixel(Integer Mode, TColor32 F, TColor32& B, Integer c)
{
    using namespace HSLKernels;
    const TTables& T = Tables();
    Single Hf, Sf, Lf, Hb, Sb, Lb;
    ToHSL(T, (F >> 16) & 0xFF, (F >> 8) & 0xFF, F & 0xFF, Hf, Sf, Lf);
    ToHSL(T, (B >> 16) & 0xFF, (B >> 8) & 0xFF, B & 0xFF, Hb, Sb, Lb);
    TColor32 X;
    if (Mode == bmHue)
        X = FromHSL(Hf, Sb, Lb);
    else if (Mode == bmSaturation)
        X = FromHSL(Hb, Sf, Lb);
    else
        X = FromHSL(Hb, Sb, Lf);
    const TColor32 Bv = B;
    auto Channel = [&](Integer Shift) {
        return Toward((Bv >> Shift) & 0xFF, (X >> Shift) & 0xFF, c) << Shift;
    };
    B = (Bv & 0xFF000000) | Channel(16) | Channel(8) | Channel(0);
}

inline void CustomMapPixel(TColor32 F, TColor32& B, Integer c)
{
    const TColor32 Bv = B;
    auto Channel = [&](Integer Shift) {
        const Integer f = (F >> Shift) & 0xFF, b = (Bv >> Shift) & 0xFF;
        return Toward(b, (GCustomMap->V[f][b] >> Shift) & 0xFF, c) << Shift;
    };
    B = (Bv & 0xFF000000) | Channel(16) | Channel(8) | Channel(0);
}

// Normal is the common frame with X = f, written as (f c + b (256 - c)) shr 8.
inline void NormalPixel(TColor32 F, TColor32& B, Integer c)
{
    const TColor32 Bv = B;
    auto Channel = [&](Integer Shift) {
        const Integer f = (F >> Shift) & 0xFF, b = (Bv >> Shift) & 0xFF;
        return static_cast<TColor32>((f * c + b * (256 - c)) >> 8) << Shift;
    };
    B = (Bv & 0xFF000000) | Channel(16) | Channel(8) | Channel(0);
}

template <Integer Mode>
inline void ModePixel(const Byte* T, TColor32 F, TColor32& B, Cardinal M)
{
    if constexpr (Mode == bmNormal) {
        if (F == B) return;
    }
    const Integer c = Weight(F, M);
    if (c == 0) return;
    if constexpr (Mode == bmNormal)
        NormalPixel(F, B, c);
    else if constexpr (Mode == bmGlow)
        GlowPixel(T, F, B, c);
    else if constexpr (Mode == bmRed)
        SingleChannelPixel(16, F, B, c);
    else if constexpr (Mode == bmGreen)
        SingleChannelPixel(8, F, B, c);
    else if constexpr (Mode == bmBlue)
        SingleChannelPixel(0, F, B, c);
    else if constexpr (Mode == bmHue || Mode == bmSaturation || Mode == bmLightness)
        HslPixel(Mode, F, B, c);
    else if constexpr (Mode == bmCustomMap)
        CustomMapPixel(F, B, c);
    else
        TablePixel(T, F, B, c);
}

template <Integer Mode>
constexpr bool UsesTable()
{
    return Mode >= bmMultiply && Mode <= bmFreeze;
}

template <Integer Mode>
void Pixel(TColor32 F, TColor32& B, Cardinal M)
{
    const Byte* T = nullptr;
    if constexpr (UsesTable<Mode>()) T = TargetTable<Mode>();
    ModePixel<Mode>(T, F, B, M);
}

// The HSL modes in runs: both colours split through the bound rows, the
// target rebuilt from the chosen components, then the common frame.
template <Integer Mode>
void HslRow(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    constexpr Integer Run = 256;
    Single Hf[Run], Sf[Run], Lf[Run], Hb[Run], Sb[Run], Lb[Run];
    TColor32 X[Run];
    for (Integer Start = 0; Start < Count; Start += Run) {
        const Integer N = std::min(Run, Count - Start);
        ColorsToHSL(Src + Start, N, Hf, Sf, Lf);
        ColorsToHSL(Dst + Start, N, Hb, Sb, Lb);
        if constexpr (Mode == bmHue)
            HSLToColors(Hf, Sb, Lb, X, N);
        else if constexpr (Mode == bmSaturation)
            HSLToColors(Hb, Sf, Lb, X, N);
        else
            HSLToColors(Hb, Sb, Lf, X, N);
        for (Integer I = 0; I < N; ++I) {
            const Integer c = Weight(Src[Start + I], M);
            if (c == 0) continue;
            TColor32& B = Dst[Start + I];
            const TColor32 Bv = B, T = X[I];
            auto Channel = [&](Integer Shift) {
                return Toward((Bv >> Shift) & 0xFF, (T >> Shift) & 0xFF, c) << Shift;
            };
            B = (Bv & 0xFF000000) | Channel(16) | Channel(8) | Channel(0);
        }
    }
}

template <Integer Mode>
void Row(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    if constexpr (Mode == bmHue || Mode == bmSaturation || Mode == bmLightness) {
        HslRow<Mode>(Src, Dst, Count, M);
        return;
    }
    const Byte* T = nullptr;
    if constexpr (UsesTable<Mode>()) T = TargetTable<Mode>();
    for (Integer I = 0; I < Count; ++I) ModePixel<Mode>(T, Src[I], Dst[I], M);
}

template <Integer... Modes>
constexpr std::array<TBlendModeRow*, sizeof...(Modes)> RowsOf(std::integer_sequence<Integer, Modes...>)
{
    return {Row<Modes>...};
}

const std::array<TBlendModeRow*, BlendModeCount> GRows = RowsOf(std::make_integer_sequence<Integer, BlendModeCount>());

const char16_t* const ModeNames[BlendModeCount] = {
    u"Normal", u"Multiply", u"Screen", u"Overlay", u"Reflect", u"Soft Light", u"Bright Light",
    u"Hard Light", u"Color Dodge", u"Color Burn", u"Lighten", u"Darken", u"Additive", u"Subtractive",
    u"Average", u"Difference", u"Exclusion", u"Negation", u"Glow", u"Heat", u"Freeze", u"Red",
    u"Green", u"Blue", u"Hue", u"Saturation", u"Lightness", u"Custom BlendMap"};

}  // namespace

const Byte (&BlendModeSqrtTable)[65536] = GSqrtTable.V;
const TColor32 (&CustomBlendMap)[256][256] = GCustomMap->V;

void BlendNormal(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmNormal>(F, B, M); }
void BlendMultiply(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmMultiply>(F, B, M); }
void BlendScreen(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmScreen>(F, B, M); }
void BlendOverlay(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmOverlay>(F, B, M); }
void BlendReflect(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmReflect>(F, B, M); }
void BlendSoftLight(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmSoftLight>(F, B, M); }
void BlendBrightLight(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmBrightLight>(F, B, M); }
void BlendHardLight(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmHardLight>(F, B, M); }
void BlendColorDodge(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmColorDodge>(F, B, M); }
void BlendColorBurn(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmColorBurn>(F, B, M); }
void BlendLighten(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmLighten>(F, B, M); }
void BlendDarken(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmDarken>(F, B, M); }
void BlendAdditive(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmAdditive>(F, B, M); }
void BlendSubtractive(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmSubtractive>(F, B, M); }
void BlendAverage(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmAverage>(F, B, M); }
void BlendDifference(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmDifference>(F, B, M); }
void BlendExclusion(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmExclusion>(F, B, M); }
void BlendNegation(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmNegation>(F, B, M); }
void BlendGlow(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmGlow>(F, B, M); }
void BlendHeat(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmHeat>(F, B, M); }
void BlendFreeze(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmFreeze>(F, B, M); }
void BlendRed(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmRed>(F, B, M); }
void BlendGreen(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmGreen>(F, B, M); }
void BlendBlue(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmBlue>(F, B, M); }
void BlendHue(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmHue>(F, B, M); }
void BlendSaturation(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmSaturation>(F, B, M); }
void BlendLightness(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmLightness>(F, B, M); }
void BlendCustomMap(TColor32 F, TColor32& B, Cardinal M) { Pixel<bmCustomMap>(F, B, M); }

TBlendModeProc* const BlendModeProcs[BlendModeCount] = {
    BlendNormal, BlendMultiply, BlendScreen, BlendOverlay, BlendReflect, BlendSoftLight, BlendBrightLight,
    BlendHardLight, BlendColorDodge, BlendColorBurn, BlendLighten, BlendDarken, BlendAdditive,
    BlendSubtractive, BlendAverage, BlendDifference, BlendExclusion, BlendNegation, BlendGlow, BlendHeat,
    BlendFreeze, BlendRed, BlendGreen, BlendBlue, BlendHue, BlendSaturation, BlendLightness, BlendCustomMap};

namespace BlendModesPas {
TBlendModeRow* const Rows[BlendModeCount] = {
    GRows[0], GRows[1], GRows[2], GRows[3], GRows[4], GRows[5], GRows[6], GRows[7], GRows[8], GRows[9],
    GRows[10], GRows[11], GRows[12], GRows[13], GRows[14], GRows[15], GRows[16], GRows[17], GRows[18], GRows[19],
    GRows[20], GRows[21], GRows[22], GRows[23], GRows[24], GRows[25], GRows[26], GRows[27]};
}

TBlendModeRow* BlendModeRows[BlendModeCount] = {
    GRows[0], GRows[1], GRows[2], GRows[3], GRows[4], GRows[5], GRows[6], GRows[7], GRows[8], GRows[9],
    GRows[10], GRows[11], GRows[12], GRows[13], GRows[14], GRows[15], GRows[16], GRows[17], GRows[18], GRows[19],
    GRows[20], GRows[21], GRows[22], GRows[23], GRows[24], GRows[25], GRows[26], GRows[27]};

void RegisterBlendModeBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"Ras32_BlendModes bindings");
    for (Integer Mode = 0; Mode < BlendModeCount; ++Mode) {
        Registry->RegisterBinding(Mode, &BlendModeRows[Mode]);
        Registry->Add(Mode, BlendModesPas::Rows[Mode]);
#if defined(LM_RAS32_BLENDMODES_SSE2)
        if (BlendModesSSE2::Rows[Mode]) Registry->Add(Mode, BlendModesSSE2::Rows[Mode], CpuFeature(ciSSE2));
        if (BlendModesAVX2::Rows[Mode]) Registry->Add(Mode, BlendModesAVX2::Rows[Mode], CpuFeature(ciAVX2));
#endif
    }
    Registry->RebindAll();
}

TStringList* GetBlendModeNames()
{
    auto* List = new TStringList();
    for (const char16_t* Name : ModeNames) List->Add(Name);
    return List;
}

void GetBlendProc(Integer Index, TPixelCombineEvent& Event)
{
    if (Index >= 0 && Index < BlendModeCount)
        Event = BlendModeProcs[Index];
    else if (Index == -1)
        Event = nullptr;
}
