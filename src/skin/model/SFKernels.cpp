#include "skin/model/SFKernels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Component/Raster32/Ras32_Bindings.h"
#include "Component/Raster32/Ras32_Types.h"
#include "skin/model/SFKernels_Variants.h"

namespace {

// The row rule of both forms: alpha 0 skips, 255 copies, others blend.
template <TsfColor (*Pixel)(TsfColor, TsfColor)>
void BlendRowWith(const TsfColor* Src, TsfColor* Dst, Integer N)
{
    for (Integer i = 0; i < N; ++i) {
        const Cardinal A = Src[i] >> 24;
        if (A == 0) continue;
        Dst[i] = A == 255 ? Src[i] : Pixel(Src[i], Dst[i]);
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Reference of the vector form: every byte, alpha included, becomes
// (B * 256 + (F - B) * A) shr 8 = floor((F * A + B * (256 - A)) / 256).
namespace SfKernelsPas {

TsfColor BlendPixel(TsfColor F, TsfColor B)
{
    const Cardinal A = F >> 24;
    TsfColor R = 0;
    for (int Shift = 0; Shift < 32; Shift += 8) {
        const Cardinal Fc = (F >> Shift) & 0xFF, Bc = (B >> Shift) & 0xFF;
        R |= (((Fc * A + Bc * (256 - A)) >> 8) & 0xFF) << Shift;
    }
    return R;
}

void BlendRow(const TsfColor* Src, TsfColor* Dst, Integer N) { BlendRowWith<BlendPixel>(Src, Dst, N); }

}  // namespace SfKernelsPas

// The plain form: blue, green and red mixed by 255ths (truncated), alpha 255.
namespace SfKernelsPlain {

TsfColor BlendPixel(TsfColor F, TsfColor B)
{
    const Cardinal A = F >> 24;
    if (A == 255) return F;
    if (A == 0) return B;
    TsfColor R = 0xFF000000;
    for (int Shift = 0; Shift < 24; Shift += 8) {
        const Cardinal Fc = (F >> Shift) & 0xFF, Bc = (B >> Shift) & 0xFF;
        R |= (((Fc * A + Bc * (255 - A)) >> 8) & 0xFF) << Shift;
    }
    return R;
}

void BlendRow(const TsfColor* Src, TsfColor* Dst, Integer N) { BlendRowWith<BlendPixel>(Src, Dst, N); }

}  // namespace SfKernelsPlain

namespace {

void KeyRowImpl(const TsfColor* Src, TsfColor* Dst, Integer N)
{
    for (Integer i = 0; i < N; ++i)
        if (!IsKeyColor(Src[i])) Dst[i] = Src[i] | 0xFF000000;
}

void MoveRowImpl(const TsfColor* Src, TsfColor* Dst, Integer N)
{
    if (N > 0 && Src != Dst) std::memmove(Dst, Src, static_cast<size_t>(N) * sizeof(TsfColor));
}

void FillRowImpl(TsfColor* P, Integer N, TsfColor Color) { std::fill_n(P, std::max(N, 0), Color); }

void FillPixelRectImpl(TsfColor* Bits, Integer Width, Integer Height, TsfColor Color, Integer X1, Integer Y1,
                       Integer X2, Integer Y2)
{
    (void)Height;
    if (X2 < X1 || Y2 < Y1) return;
    for (Integer y = Y1; y <= Y2; ++y) FillRow(Bits + static_cast<ptrdiff_t>(y) * Width + X1, X2 - X1 + 1, Color);
}

void SetAlphaRowImpl(TsfColor* P, Integer N, uint8_t Alpha)
{
    const TsfColor A = static_cast<TsfColor>(Alpha) << 24;
    for (Integer i = 0; i < N; ++i) P[i] = (P[i] & 0x00FFFFFF) | A;
}

void SetAlphaRectImpl(TsfColor* Bits, Integer Width, Integer Height, uint8_t Alpha, Integer X1, Integer Y1,
                      Integer X2, Integer Y2)
{
    (void)Height;
    if (X2 < X1 || Y2 < Y1) return;
    for (Integer y = Y1; y <= Y2; ++y)
        SetAlphaRow(Bits + static_cast<ptrdiff_t>(y) * Width + X1, X2 - X1 + 1, Alpha);
}

void KeyAlphaRowImpl(TsfColor* P, Integer N, TsfColor Color)
{
    for (Integer i = 0; i < N; ++i)
        if (((P[i] ^ Color) & 0x00FFFFFF) == 0) P[i] &= 0x00FFFFFF;
}

enum { FID_BlendPixel, FID_BlendRow };

Integer GInstallCount = 0;
bool GMMX = false;
TFunctionRegistry* GRegistry = nullptr;

}  // namespace

// Constant-initialised to the reference forms until the start-up binds them.
TsfBlendPixel BlendPixel = SfKernelsPas::BlendPixel;
TsfRowProc BlendRow = SfKernelsPas::BlendRow;
TsfRowProc KeyRow = KeyRowImpl;
TsfRowProc MoveRow = MoveRowImpl;
TsfFillRow FillRow = FillRowImpl;
TsfFillPixelRect FillPixelRect = FillPixelRectImpl;
TsfSetAlphaRow SetAlphaRow = SetAlphaRowImpl;
TsfSetAlphaRect SetAlphaRect = SetAlphaRectImpl;
TsfKeyAlphaRow KeyAlphaRow = KeyAlphaRowImpl;
TsfShutdownProc SkinPlatformShutdown = nullptr;

void InstallSkinKernels()
{
    if (GInstallCount++ > 0) return;
    GMMX = CpuSupports(ciMMX);
    // Every processor gets the results of the vector form: x86_64 always has
    // it, and two forms giving different pixels on different machines would
    // make skins look different. The plain form stays behind the test switch.
    if (!GRegistry) {
        GRegistry = NewFunctionRegistry(u"SFKernels bindings");
        GRegistry->RegisterBinding(FID_BlendPixel, &::BlendPixel);
        GRegistry->Add(FID_BlendPixel, SfKernelsPas::BlendPixel);
        GRegistry->RegisterBinding(FID_BlendRow, &::BlendRow);
        GRegistry->Add(FID_BlendRow, SfKernelsPas::BlendRow);
#if defined(LM_SF_KERNELS_SSE2)
        GRegistry->Add(FID_BlendRow, SfKernelsSSE2::BlendRow, CpuFeature(ciSSE2));
#endif
    }
    GRegistry->RebindAll();
    KeyRow = KeyRowImpl;
    MoveRow = MoveRowImpl;
    FillRow = FillRowImpl;
    FillPixelRect = FillPixelRectImpl;
    SetAlphaRow = SetAlphaRowImpl;
    SetAlphaRect = SetAlphaRectImpl;
    KeyAlphaRow = KeyAlphaRowImpl;
}

void UninstallSkinKernels()
{
    if (GInstallCount == 0 || --GInstallCount > 0) return;
    if (SkinPlatformShutdown) SkinPlatformShutdown();
}

bool SkinKernelsMMX() { return GMMX; }

void BindPlainBlendKernels(bool Plain)
{
    if (Plain) {
        BlendPixel = SfKernelsPlain::BlendPixel;
        BlendRow = SfKernelsPlain::BlendRow;
    } else if (GRegistry) {
        GRegistry->RebindAll();
    } else {
        BlendPixel = SfKernelsPas::BlendPixel;
        BlendRow = SfKernelsPas::BlendRow;
    }
}

// ---------------------------------------------------------------------------
// Colours

TsfColor ColorRefToSpColor(Cardinal C)
{
    return 0xFF000000u | ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF);
}

TsfColor SpColorFromColor(Integer Color, uint8_t Alpha)
{
    // ColorToColor32 resolves system colours and gives the opaque colour;
    // the alpha is added on top, wrapping the alpha byte.
    return ColorToColor32(Color) + (static_cast<TsfColor>(Alpha) << 24);
}

TsfColor MakeSpColor(Integer R, Integer G, Integer B, Integer A)
{
    R = std::clamp(R, 0, 255);
    G = std::clamp(G, 0, 255);
    B = std::clamp(B, 0, 255);
    return (static_cast<TsfColor>(A) << 24) | (static_cast<TsfColor>(R) << 16) | (static_cast<TsfColor>(G) << 8) |
           static_cast<TsfColor>(B);
}

Integer HueToChannel(Single M1, Single M2, Single H)
{
    H = H - static_cast<Single>(std::floor(H));
    Single V;
    if (6 * H < 1) V = M1 + (M2 - M1) * 6 * H;
    else if (2 * H < 1) V = M2;
    else if (3 * H < 2) V = M1 + (M2 - M1) * (Single(2) / 3 - H) * 6;
    else V = M1;
    return static_cast<Integer>(Round(V * 255));
}

TsfColor HSLToSpColor(Single L, Single S, Single H)
{
    if (S == 0) {
        const Integer V = static_cast<Integer>(Round(L * 255));
        return MakeSpColor(V, V, V, 255);
    }
    const Single M2 = L <= Single(0.5) ? L * (1 + S) : L + S - L * S;
    const Single M1 = 2 * L - M2;
    return MakeSpColor(HueToChannel(M1, M2, H + Single(1) / 3), HueToChannel(M1, M2, H),
                       HueToChannel(M1, M2, H - Single(1) / 3), 255);
}

void SpColorToHSL(TsfColor C, Single& H, Single& S, Single& L)
{
    const Single R = static_cast<Single>((C >> 16) & 0xFF) / 255;
    const Single G = static_cast<Single>((C >> 8) & 0xFF) / 255;
    const Single B = static_cast<Single>(C & 0xFF) / 255;
    const Single Mx = std::max({R, G, B}), Mn = std::min({R, G, B});
    L = (Mx + Mn) / 2;
    if (Mx == Mn) {
        H = 0;
        S = 0;
        return;
    }
    const Single D = Mx - Mn;
    S = L < Single(0.5) ? D / (Mx + Mn) : D / (2 - Mx - Mn);
    if (R == Mx) H = (G - B) / D;
    else if (G != Mx) H = 4 + (R - G) / D;
    else H = 2 + (B - R) / D;
    H = H / 6;
    if (H < 0) H = H + 1;
}

TsfColor ChangeSpColorBrightness(TsfColor C, Integer Delta)
{
    return MakeSpColor(static_cast<Integer>((C >> 16) & 0xFF) + Delta, static_cast<Integer>((C >> 8) & 0xFF) + Delta,
                       static_cast<Integer>(C & 0xFF) + Delta, 255);
}

TsfColor SetSpColorHue(TsfColor C, Integer Hue)
{
    Single H, S, L;
    SpColorToHSL(C, H, S, L);
    return HSLToSpColor(L, S, static_cast<Single>(std::clamp(Hue, 0, 255)) / 255);
}

namespace {

// Delta plus the value in 255ths, wrapped into 0..255 the way the colour operations do.
Single WrapStep(Single Value, Integer Delta)
{
    Integer V = Delta + static_cast<Integer>(Round(Value * 255));
    if (V >= 256) V -= 255;
    else if (V < 0) V += 255;
    return static_cast<Single>(V) / 255;
}

}  // namespace

TsfColor ChangeSpColorSat(TsfColor C, Integer Delta)
{
    Single H, S, L;
    SpColorToHSL(C, H, S, L);
    return HSLToSpColor(L, WrapStep(S, Delta), H);
}

TsfColor ChangeSpColorHue(TsfColor C, Integer Delta)
{
    Single H, S, L;
    SpColorToHSL(C, H, S, L);
    return HSLToSpColor(L, S, WrapStep(H, Delta));
}

TCollectionItem* GetPngCollectionItem(TCollection* Collection, Integer Index) { return Collection->Items(Index); }
