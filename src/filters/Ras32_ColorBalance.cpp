#include "filters/Ras32_ColorBalance.h"

#include "filters/HSLKernels.h"
#include "filters/HSLRows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

struct TTransferTables {
    double HighlightLift[256], ShadowCut[256], Parabola[256], HighlightCut[256];
};

const TTransferTables GTransfer = [] {
    TTransferTables T{};
    for (Integer I = 0; I < 256; ++I) {
        T.HighlightLift[I] = 1.075 - 1 / (I / 16.0 + 1);
        const double D = (I - 127) / 127.0;
        T.Parabola[I] = 0.667 * (1 - D * D);
    }
    for (Integer I = 0; I < 256; ++I) T.ShadowCut[I] = T.HighlightLift[255 - I];
    return T;
}();

}  // namespace

const double (&HighlightLift)[256] = GTransfer.HighlightLift;
const double (&ShadowCut)[256] = GTransfer.ShadowCut;
const double (&ShadowLift)[256] = GTransfer.Parabola;
const double (&MidtoneLift)[256] = GTransfer.Parabola;
const double (&MidtoneCut)[256] = GTransfer.Parabola;
const double (&HighlightCut)[256] = GTransfer.Parabola;

TColorBalance::TColorBalance() : FSourceBitmap(std::make_unique<TCustomBitmap32>()) { ResetAllRanges(); }

TColorBalance::~TColorBalance() = default;

void TColorBalance::SetAxis(Integer (&Axis)[3], Integer Value)
{
    if (Axis[FTransferMode] == Value) return;
    Axis[FTransferMode] = Value;
    CreateLookupTables();
}

void TColorBalance::SetCyanRed(Integer Value) { SetAxis(FCyanRed, Value); }
void TColorBalance::SetMagentaGreen(Integer Value) { SetAxis(FMagentaGreen, Value); }
void TColorBalance::SetYellowBlue(Integer Value) { SetAxis(FYellowBlue, Value); }

void TColorBalance::SetSourceBitmap(TCustomBitmap32* Value)
{
    if (!Value) {
        FSourceBitmap->SetSize(0, 0);
        return;
    }
    FSourceBitmap->SetSize(Value->Width(), Value->Height());
    if (!Value->Empty())
        std::memcpy(FSourceBitmap->Bits(), Value->Bits(), sizeof(TColor32) * Value->Width() * Value->Height());
}

void TColorBalance::Reset()
{
    FCyanRed[FTransferMode] = 0;
    FMagentaGreen[FTransferMode] = 0;
    FYellowBlue[FTransferMode] = 0;
    CreateLookupTables();
}

void TColorBalance::ResetAllRanges()
{
    for (Integer R = 0; R < 3; ++R) FCyanRed[R] = FMagentaGreen[R] = FYellowBlue[R] = 0;
    CreateLookupTables();
}

void TColorBalance::CreateLookupTables()
{
    const double* Curves[3][2] = {{ShadowCut, ShadowLift}, {MidtoneCut, MidtoneLift}, {HighlightCut, HighlightLift}};
    auto Build = [&](const Integer (&Axis)[3], Byte* Lookup) {
        for (Integer I = 0; I < 256; ++I) {
            Integer N = I;
            for (Integer Range = 0; Range < 3; ++Range) {
                const double* T = Curves[Range][Axis[Range] > 0 ? 1 : 0];
                // Each range reads its curve at the value the previous one left.
                const Int64 Step = Round(static_cast<double>(Axis[Range]) * T[N]);
                N = static_cast<Integer>(std::clamp<Int64>(N + Step, 0, 255));
            }
            Lookup[I] = static_cast<Byte>(N);
        }
    };
    Build(FCyanRed, FRedLookup);
    Build(FMagentaGreen, FGreenLookup);
    Build(FYellowBlue, FBlueLookup);
}

void TColorBalance::Execute(TCustomBitmap32* Dest) { ApplyLookups(Dest); }

void TColorBalance::ApplyLookups(TCustomBitmap32* Dest)
{
    if (!Dest) return;
    Dest->SetSize(FSourceBitmap->Width(), FSourceBitmap->Height());
    const Integer Count = FSourceBitmap->Width() * FSourceBitmap->Height();
    const TColor32* S = FSourceBitmap->Bits();
    TColor32* D = Dest->Bits();
    // The picture's own alpha is kept (a freshly sized Dest holds none worth keeping).
    if (!FPreserveLuminosity) {
        for (Integer I = 0; I < Count; ++I) {
            const TColor32 C = S[I];
            D[I] = (C & 0xFF000000) | static_cast<TColor32>(FRedLookup[(C >> 16) & 0xFF]) << 16 |
                   static_cast<TColor32>(FGreenLookup[(C >> 8) & 0xFF]) << 8 | FBlueLookup[C & 0xFF];
        }
        return;
    }
    // The looked-up colours split into hue, saturation and lightness, their
    // lightness replaced by the source's, (max + min) shr 1, and rebuilt; in
    // runs, through the bound rows.
    const HSLKernels::TTables& T = HSLKernels::Tables();
    constexpr Integer Run = 256;
    TColor32 Looked[Run];
    Single H[Run], Sat[Run], L[Run];
    for (Integer Start = 0; Start < Count; Start += Run) {
        const Integer N = std::min(Run, Count - Start);
        for (Integer I = 0; I < N; ++I) {
            const TColor32 C = S[Start + I];
            const Integer r = RedOf(C), g = GreenOf(C), b = BlueOf(C);
            Looked[I] = static_cast<TColor32>(FRedLookup[r]) << 16 | static_cast<TColor32>(FGreenLookup[g]) << 8 |
                        FBlueLookup[b];
        }
        ColorsToHSL(Looked, N, H, Sat, L);
        for (Integer I = 0; I < N; ++I) {
            const TColor32 C = S[Start + I];
            L[I] = T.Unit[(MaxOf3(RedOf(C), GreenOf(C), BlueOf(C)) + MinOf3(RedOf(C), GreenOf(C), BlueOf(C))) >> 1];
        }
        HSLToColors(H, Sat, L, Looked, N);
        for (Integer I = 0; I < N; ++I) D[Start + I] = (S[Start + I] & 0xFF000000) | Looked[I];
    }
}

bool TColorBalance::LoadFromStream(TMemoryStream* AStream)
{
    if (!AStream || AStream->Size() - AStream->Position() < ColorBalanceStreamSize) return false;
    Integer Values[9];
    Byte Lookups[768];
    Byte Preserve;
    Integer Mode;
    AStream->ReadBuffer(Values, sizeof Values);
    AStream->ReadBuffer(Lookups, sizeof Lookups);
    AStream->ReadBuffer(&Preserve, 1);
    AStream->ReadBuffer(&Mode, 4);
    const Byte ModeByte = static_cast<Byte>(Mode & 0xFF);
    if (ModeByte > tmHighlights) {
        AStream->Seek(-ColorBalanceStreamSize, soCurrent);
        return false;
    }
    for (Integer R = 0; R < 3; ++R) {
        FCyanRed[R] = Values[R * 3];
        FMagentaGreen[R] = Values[R * 3 + 1];
        FYellowBlue[R] = Values[R * 3 + 2];
    }
    for (Integer I = 0; I < 256; ++I) {
        FRedLookup[I] = Lookups[I * 3];
        FGreenLookup[I] = Lookups[I * 3 + 1];
        FBlueLookup[I] = Lookups[I * 3 + 2];
    }
    FPreserveLuminosity = Preserve != 0;
    FTransferMode = static_cast<TTransferMode>(ModeByte);
    return true;
}

void TColorBalance::SaveToStream(TMemoryStream* AStream)
{
    if (!AStream) return;
    for (Integer R = 0; R < 3; ++R) {
        AStream->WriteValue<int32_t>(FCyanRed[R]);
        AStream->WriteValue<int32_t>(FMagentaGreen[R]);
        AStream->WriteValue<int32_t>(FYellowBlue[R]);
    }
    Byte Lookups[768];
    for (Integer I = 0; I < 256; ++I) {
        Lookups[I * 3] = FRedLookup[I];
        Lookups[I * 3 + 1] = FGreenLookup[I];
        Lookups[I * 3 + 2] = FBlueLookup[I];
    }
    AStream->WriteBuffer(Lookups, sizeof Lookups);
    AStream->WriteValue<Byte>(FPreserveLuminosity ? 1 : 0);
    AStream->WriteValue<int32_t>(FTransferMode);
}
