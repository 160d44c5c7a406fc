#include "filters/Ras32_Filters.h"

#include "Component/Raster32/Ras32_Bindings.h"
#include "filters/Ras32_Filters_Variants.h"
#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// Reference rows

namespace FiltersPas {

void AndRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count)
{
    for (Integer I = 0; I < Count; ++I) Dst[I] &= Mask;
}
void OrRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count)
{
    for (Integer I = 0; I < Count; ++I) Dst[I] |= Mask;
}
void XorRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count)
{
    for (Integer I = 0; I < Count; ++I) Dst[I] ^= Mask;
}
void AndRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask)
{
    for (Integer I = 0; I < Count; ++I) Dst[I] = Src[I] & Mask;
}
void OrRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask)
{
    for (Integer I = 0; I < Count; ++I) Dst[I] = Src[I] | Mask;
}
void XorRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask)
{
    for (Integer I = 0; I < Count; ++I) Dst[I] = Src[I] ^ Mask;
}

}  // namespace FiltersPas

// ---------------------------------------------------------------------------
// Bindings

TLogicalMaskLineInPlace* AndRowInPlace = FiltersPas::AndRowInPlace;
TLogicalMaskLineInPlace* OrRowInPlace = FiltersPas::OrRowInPlace;
TLogicalMaskLineInPlace* XorRowInPlace = FiltersPas::XorRowInPlace;
TLogicalMaskLine* AndRow = FiltersPas::AndRow;
TLogicalMaskLine* OrRow = FiltersPas::OrRow;
TLogicalMaskLine* XorRow = FiltersPas::XorRow;

// Indexed by TMaskOperation: XOR, AND, OR.
TLogicalMaskLineInPlace** const LogicalMaskLineInPlaceOf[3] = {&XorRowInPlace, &AndRowInPlace, &OrRowInPlace};
TLogicalMaskLine** const LogicalMaskLineOf[3] = {&XorRow, &AndRow, &OrRow};

namespace {

#if defined(LM_RAS32_FILTERS_SSE2)
#define LM_FILTER_REGISTER(Name)                                      \
    Registry->RegisterBinding(FID_##Name, &::Name);                   \
    Registry->Add(FID_##Name, FiltersPas::Name);                      \
    Registry->Add(FID_##Name, FiltersSSE2::Name, CpuFeature(ciSSE2)); \
    Registry->Add(FID_##Name, FiltersAVX2::Name, CpuFeature(ciAVX2))
#else
#define LM_FILTER_REGISTER(Name)                    \
    Registry->RegisterBinding(FID_##Name, &::Name); \
    Registry->Add(FID_##Name, FiltersPas::Name)
#endif

void RegisterFilterBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"Ras32_Filters bindings");
    LM_FILTER_REGISTER(AndRowInPlace);
    LM_FILTER_REGISTER(OrRowInPlace);
    LM_FILTER_REGISTER(XorRowInPlace);
    LM_FILTER_REGISTER(AndRow);
    LM_FILTER_REGISTER(OrRow);
    LM_FILTER_REGISTER(XorRow);
    Registry->RebindAll();
}

#undef LM_FILTER_REGISTER

const bool GFiltersBound = (RegisterFilterBindings(), true);

}  // namespace

// ---------------------------------------------------------------------------
// Filters

TColor32 ChannelMask(TChannelSet Channels)
{
    TColor32 Mask = 0;
    if (Channels & chBlue) Mask |= 0x000000FF;
    if (Channels & chGreen) Mask |= 0x0000FF00;
    if (Channels & chRed) Mask |= 0x00FF0000;
    if (Channels & chAlpha) Mask |= 0xFF000000;
    return Mask;
}

void CheckFilterParams(TCustomBitmap32* Dst, TCustomBitmap32* Src, bool ResizeDst)
{
    if (!Src) throw Exception(u"The source is nil");
    if (!Dst) throw Exception(u"Destination is nil");
    if (ResizeDst) Dst->SetSize(Src->Width(), Src->Height());
}

void AlphaFromIntensity(TCustomBitmap32* Dst, TCustomBitmap32* Src)
{
    CheckFilterParams(Dst, Src);
    const Integer Count = Src->Width() * Src->Height();
    const TColor32* S = Src->Bits();
    TColor32* D = Dst->Bits();
    for (Integer I = 0; I < Count; ++I)
        D[I] = (D[I] & 0x00FFFFFF) | (static_cast<TColor32>(IntensityOf(S[I])) << 24);
    Dst->Changed();
}

void InvertChannels(TCustomBitmap32* Dst, TCustomBitmap32* Src, TChannelSet Channels)
{
    if ((Channels & 0x0F) == 0) return;
    if (Dst == Src) {
        CheckFilterParams(Dst, Src, false);
        ApplyChannelMaskInPlace(Src, Src->BoundsRect(), ChannelMask(Channels), moXor);
    } else {
        CheckFilterParams(Dst, Src, true);
        ApplyChannelMask(Dst, 0, 0, Src, Src->BoundsRect(), ChannelMask(Channels), moXor);
    }
}

void InvertColorChannels(TCustomBitmap32* Src, TCustomBitmap32* Dst) { InvertChannels(Dst, Src, RGBChannels); }

void GrayscaleBitmap(TCustomBitmap32* Dst, TCustomBitmap32* Src, bool PreserveAlpha)
{
    CheckFilterParams(Dst, Src);
    const Integer Count = Src->Width() * Src->Height();
    const TColor32* S = Src->Bits();
    TColor32* D = Dst->Bits();
    for (Integer I = 0; I < Count; ++I) {
        const TColor32 C = S[I];
        const TColor32 Alpha = PreserveAlpha ? (C & 0xFF000000) : 0xFF000000;
        D[I] = Alpha | static_cast<TColor32>(IntensityOf(C)) * 0x010101u;
    }
    Dst->Changed();
}

void MakeColorTransparent(TCustomBitmap32* Bitmap, TColor32 Color)
{
    if (!Bitmap) return;
    const Integer Count = Bitmap->Width() * Bitmap->Height();
    TColor32* P = Bitmap->Bits();
    const TColor32 Key = Color & 0x00FFFFFF;
    for (Integer I = 0; I < Count; ++I)
        if ((P[I] & 0x00FFFFFF) == Key) P[I] = Key;
    Bitmap->Changed();
}

void ApplyChannelMask(TCustomBitmap32* Dst, Integer DstX, Integer DstY, TCustomBitmap32* Src, const TRect& SrcRect,
                      TColor32 Mask, TMaskOperation Operation)
{
    CheckFilterParams(Dst, Src, false);
    if (Operation > moOr) return;
    TLogicalMaskLine* Row = *LogicalMaskLineOf[Operation];
    if (!Row) return;

    TRect S;
    IntersectRects(S, SrcRect, Src->BoundsRect());
    if (S.Right < S.Left || S.Bottom < S.Top) return;

    DstX = ClampRange(DstX, 0, Dst->Width());
    DstY = ClampRange(DstY, 0, Dst->Height());
    TRect D{DstX, DstY, DstX + (S.Right - S.Left), DstY + (S.Bottom - S.Top)};
    IntersectRects(D, D, Dst->BoundsRect());
    IntersectRects(D, D, Dst->ClipRect());
    if (D.Right < D.Left || D.Bottom < D.Top) return;

    if (!Dst->MeasuringMode()) {
        Dst->BeginUpdate();
        try {
            const Integer W = D.Right - D.Left;
            for (Integer Y = 0; Y < D.Bottom - D.Top; ++Y)
                Row(Src->GetPixelPtr(S.Left, S.Top + Y), Dst->GetPixelPtr(D.Left, D.Top + Y), W, Mask);
        } catch (...) {
            Dst->EndUpdate();
            throw;
        }
        Dst->EndUpdate();
    }
    Dst->Changed(D);
}

void ApplyChannelMaskInPlace(TCustomBitmap32* Bitmap, const TRect& Rect, TColor32 Mask, TMaskOperation Operation)
{
    if (!Bitmap) throw Exception(u"The bitmap is nil");
    if (Operation > moOr) return;
    TLogicalMaskLineInPlace* Row = *LogicalMaskLineInPlaceOf[Operation];
    if (!Row) return;

    TRect R;
    IntersectRects(R, Rect, Bitmap->BoundsRect());
    IntersectRects(R, R, Bitmap->ClipRect());
    if (RectIsEmpty(R)) return;

    if (!Bitmap->MeasuringMode()) {
        Bitmap->BeginUpdate();
        const Integer W = R.Right - R.Left;
        if (W == Bitmap->Width())
            Row(Bitmap->GetRowPtr(R.Top), Mask, W * (R.Bottom - R.Top));
        else
            for (Integer Y = R.Top; Y < R.Bottom; ++Y) Row(Bitmap->GetPixelPtr(R.Left, Y), Mask, W);
        Bitmap->EndUpdate();
    }
    Bitmap->Changed(R);
}
