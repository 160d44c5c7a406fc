// Ras32_ColorBalance: shifts the colour balance of a picture separately in
// shadows, midtones and highlights along three axes (cyan-red,
// magenta-green, yellow-blue) through three 256-entry lookup tables,
// optionally keeping each pixel's lightness.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32.h"
#include "framework/runtime/Classes.h"

enum TTransferMode : Byte { tmShadows, tmMidtones, tmHighlights };

// The transfer curves, 256 entries each, built once at start.
extern const double (&HighlightLift)[256];
extern const double (&ShadowCut)[256];
extern const double (&ShadowLift)[256];
extern const double (&MidtoneLift)[256];
extern const double (&MidtoneCut)[256];
extern const double (&HighlightCut)[256];

// Size of the stream SaveToStream writes and LoadFromStream reads.
constexpr Integer ColorBalanceStreamSize = 809;

class TColorBalance : public TObject {
public:
    TColorBalance();
    ~TColorBalance() override;
    String ClassName() const override { return u"TColorBalance"; }

    // The axis values of the current TransferMode; a new value rebuilds the lookups.
    Integer CyanRed() const { return FCyanRed[FTransferMode]; }
    void SetCyanRed(Integer Value);
    Integer MagentaGreen() const { return FMagentaGreen[FTransferMode]; }
    void SetMagentaGreen(Integer Value);
    Integer YellowBlue() const { return FYellowBlue[FTransferMode]; }
    void SetYellowBlue(Integer Value);

    TCustomBitmap32* SourceBitmap() const { return FSourceBitmap.get(); }
    // Copies Value's size and pixels into the object's own picture.
    void SetSourceBitmap(TCustomBitmap32* Value);
    bool PreserveLuminosity() const { return FPreserveLuminosity; }
    void SetPreserveLuminosity(bool Value) { FPreserveLuminosity = Value; }
    TTransferMode TransferMode() const { return FTransferMode; }
    void SetTransferMode(TTransferMode Value) { FTransferMode = Value; }

    const Byte* RedLookup() const { return FRedLookup; }
    const Byte* GreenLookup() const { return FGreenLookup; }
    const Byte* BlueLookup() const { return FBlueLookup; }

    // The three values of the current range back to 0, lookups rebuilt.
    void Reset();
    // All nine values 0: the lookups become the identity.
    void ResetAllRanges();
    // Dest takes the picture's size; each pixel the looked-up colour with the
    // picture's own alpha. Changed is not called.
    void Execute(TCustomBitmap32* Dest);

    // The 809-byte record. Loading returns false and changes nothing for a
    // nil stream, one with fewer than 809 bytes left, or a transfer mode
    // outside 0..2; the stored lookups are used as read.
    bool LoadFromStream(TMemoryStream* AStream);
    void SaveToStream(TMemoryStream* AStream);

protected:
    void CreateLookupTables();
    void ApplyLookups(TCustomBitmap32* Dest);

private:
    void SetAxis(Integer (&Axis)[3], Integer Value);

    std::unique_ptr<TCustomBitmap32> FSourceBitmap;
    Byte FRedLookup[256];
    Byte FGreenLookup[256];
    Byte FBlueLookup[256];
    Integer FCyanRed[3] = {};
    Integer FMagentaGreen[3] = {};
    Integer FYellowBlue[3] = {};
    bool FPreserveLuminosity = true;
    TTransferMode FTransferMode = tmMidtones;
};
