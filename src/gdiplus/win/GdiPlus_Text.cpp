// Part of the GDI+ object layer (gdiplus/win/GdiPlus.h).
#include "gdiplus/win/GdiPlus_Private.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// TGPFontFamily

TGPFontFamily::TGPFontFamily(const String& Name, const TGPPtr<IGPFontCollection>& FontCollection)
{
    gp::GpFontFamily* F = nullptr;
    GdipCreateFontFamilyFromName(W(Name), Nat<gp::GpFontCollection>(FontCollection), &F);
    FNativeHandle = F;
}

TGPFontFamily::~TGPFontFamily() { GdipDeleteFontFamily(Nat<gp::GpFontFamily>(this)); }

bool TGPFontFamily::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPFontFamily>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
template <class TGet>
TGPPtr<IGPFontFamily> CachedFamily(TGPPtr<IGPFontFamily> TCaches::*Cell, TGet Get)
{
    TCaches& C = Caches();
    std::lock_guard<std::mutex> Guard(C.Lock);
    if (!(C.*Cell)) {
        gp::GpFontFamily* F = nullptr;
        Get(&F);
        C.*Cell = TGPPtr<IGPFontFamily>(new TGPFontFamily(F));
    }
    return C.*Cell;
}
}  // namespace

TGPPtr<IGPFontFamily> TGPFontFamily::GenericSansSerif()
{
    return CachedFamily(&TCaches::SansSerif, GdipGetGenericFontFamilySansSerif);
}

TGPPtr<IGPFontFamily> TGPFontFamily::GenericSerif()
{
    return CachedFamily(&TCaches::Serif, GdipGetGenericFontFamilySerif);
}

TGPPtr<IGPFontFamily> TGPFontFamily::GenericMonospace()
{
    return CachedFamily(&TCaches::Monospace, GdipGetGenericFontFamilyMonospace);
}

namespace {
gp::GpFontFamily* FamilyOf(IGPFontFamily* Family) { return Nat<gp::GpFontFamily>(Family); }

template <class TGet>
Word ReadMetric(IGPFontFamily* Family, TGPFontStyle Style, TGet Get)
{
    UINT16 R = 0;
    Get(FamilyOf(Family), Style, &R);
    return R;
}
}  // namespace

String IGPFontFamily::GetFamilyName(Word Language)
{
    WCHAR Name[LF_FACESIZE + 1] = {};
    GdipGetFamilyName(FamilyOf(this), Name, Language);
    Name[LF_FACESIZE] = 0;
    return FromWStr(Name);
}

TGPPtr<IGPFontFamily> IGPFontFamily::Clone()
{
    gp::GpFontFamily* F = nullptr;
    GdipCloneFontFamily(FamilyOf(this), &F);
    return TGPPtr<IGPFontFamily>(new TGPFontFamily(F));
}

bool IGPFontFamily::IsAvailable() { return GetNativeHandle() != nullptr; }

bool IGPFontFamily::IsStyleAvailable(TGPFontStyle Style)
{
    BOOL R = FALSE;
    if (GdipIsStyleAvailable(FamilyOf(this), Style, &R) != gp::Ok) return false;
    return R != FALSE;
}

Word IGPFontFamily::GetEmHeight(TGPFontStyle Style) { return ReadMetric(this, Style, GdipGetEmHeight); }
Word IGPFontFamily::GetCellAscent(TGPFontStyle Style) { return ReadMetric(this, Style, GdipGetCellAscent); }
Word IGPFontFamily::GetCellDescent(TGPFontStyle Style) { return ReadMetric(this, Style, GdipGetCellDescent); }
Word IGPFontFamily::GetLineSpacing(TGPFontStyle Style) { return ReadMetric(this, Style, GdipGetLineSpacing); }

// ---------------------------------------------------------------------------
// TGPFont

TGPFont::TGPFont(const TGPPtr<IGPFontFamily>& Family, Single EmSize, TGPFontStyle Style, TGPUnit MeasureUnit)
{
    gp::GpFont* F = nullptr;
    GdipCreateFont(Nat<gp::GpFontFamily>(Family), EmSize, Style, MeasureUnit, &F);
    FNativeHandle = F;
}

TGPFont::TGPFont(const String& FamilyName, Single EmSize, TGPFontStyle Style, TGPUnit MeasureUnit,
                 const TGPPtr<IGPFontCollection>& FontCollection)
{
    TGPPtr<IGPFontFamily> Family;
    try {
        Family = TGPPtr<IGPFontFamily>(new TGPFontFamily(FamilyName, FontCollection));
    } catch (const Exception&) {
        Family = TGPFontFamily::GenericSansSerif();
    }
    gp::GpFont* F = nullptr;
    GdipCreateFont(Nat<gp::GpFontFamily>(Family), EmSize, Style, MeasureUnit, &F);
    FNativeHandle = F;
}

TGPFont::TGPFont(HDC DC)
{
    gp::GpFont* F = nullptr;
    GdipCreateFontFromDC(DC, &F);
    FNativeHandle = F;
}

TGPFont::TGPFont(HDC DC, const LOGFONTA& LogFont)
{
    gp::GpFont* F = nullptr;
    GdipCreateFontFromLogfontA(DC, &LogFont, &F);
    FNativeHandle = F;
}

TGPFont::TGPFont(HDC DC, const LOGFONTW& LogFont)
{
    gp::GpFont* F = nullptr;
    GdipCreateFontFromLogfontW(DC, &LogFont, &F);
    FNativeHandle = F;
}

TGPFont::TGPFont(HDC DC, HFONT FontHandle)
{
    gp::GpFont* F = nullptr;
    LOGFONTA LogFont{};
    if (FontHandle && GetObjectA(FontHandle, sizeof(LogFont), &LogFont) == sizeof(LogFont))
        GdipCreateFontFromLogfontA(DC, &LogFont, &F);
    else
        GdipCreateFontFromDC(DC, &F);
    FNativeHandle = F;
}

TGPFont::~TGPFont() { GdipDeleteFont(Nat<gp::GpFont>(this)); }

bool TGPFont::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPFont>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpFont* FontOf(IGPFont* Font) { return Nat<gp::GpFont>(Font); }
}  // namespace

TGPFontStyle IGPFont::GetFontStyle()
{
    INT R = 0;
    GdipGetFontStyle(FontOf(this), &R);
    return R;
}

Single IGPFont::GetFontSize()
{
    Single R = 0;
    GdipGetFontSize(FontOf(this), &R);
    return R;
}

TGPUnit IGPFont::GetFontUnit()
{
    gp::Unit R = UnitWorld;
    GdipGetFontUnit(FontOf(this), &R);
    return R;
}

TGPPtr<IGPFontFamily> IGPFont::GetFamily()
{
    gp::GpFontFamily* F = nullptr;
    GdipGetFamily(FontOf(this), &F);
    return TGPPtr<IGPFontFamily>(new TGPFontFamily(F));
}

TGPPtr<IGPFont> IGPFont::Clone()
{
    gp::GpFont* F = nullptr;
    GdipCloneFont(FontOf(this), &F);
    return TGPPtr<IGPFont>(new TGPFont(F));
}

TGPStatus IGPFont::GetLogFontA(const TGPPtr<IGPGraphics>& Graphics, LOGFONTA& LogFont)
{
    return GdipGetLogFontA(FontOf(this), Nat<gp::GpGraphics>(Graphics), &LogFont);
}

TGPStatus IGPFont::GetLogFontW(const TGPPtr<IGPGraphics>& Graphics, LOGFONTW& LogFont)
{
    return GdipGetLogFontW(FontOf(this), Nat<gp::GpGraphics>(Graphics), &LogFont);
}

bool IGPFont::IsAvailable() { return GetNativeHandle() != nullptr; }

Single IGPFont::GetFontHeight(const TGPPtr<IGPGraphics>& Graphics)
{
    Single R = 0;
    GdipGetFontHeight(FontOf(this), Nat<gp::GpGraphics>(Graphics), &R);
    return R;
}

Single IGPFont::GetFontHeightGivenDPI(Single Dpi)
{
    Single R = 0;
    GdipGetFontHeightGivenDPI(FontOf(this), Dpi, &R);
    return R;
}

// ---------------------------------------------------------------------------
// TGPStringFormat

TGPStringFormat::TGPStringFormat(TGPStringFormatFlags FormatFlags, Word Language)
{
    gp::GpStringFormat* F = nullptr;
    GdipCreateStringFormat(FormatFlags, Language, &F);
    FNativeHandle = F;
}

TGPStringFormat::TGPStringFormat(const TGPPtr<IGPStringFormat>& Format)
{
    gp::GpStringFormat* F = nullptr;
    GdipCloneStringFormat(Nat<gp::GpStringFormat>(Format), &F);
    FNativeHandle = F;
}

TGPStringFormat::~TGPStringFormat() { GdipDeleteStringFormat(Nat<gp::GpStringFormat>(this)); }

bool TGPStringFormat::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPStringFormat>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
template <class TGet>
TGPPtr<IGPStringFormat> CachedFormat(TGPPtr<IGPStringFormat> TCaches::*Cell, TGet Get)
{
    TCaches& C = Caches();
    std::lock_guard<std::mutex> Guard(C.Lock);
    if (!(C.*Cell)) {
        gp::GpStringFormat* F = nullptr;
        Get(&F);
        C.*Cell = TGPPtr<IGPStringFormat>(new TGPStringFormat(F));
    }
    return C.*Cell;
}

gp::GpStringFormat* FormatOf(IGPStringFormat* Format) { return Nat<gp::GpStringFormat>(Format); }
}  // namespace

TGPPtr<IGPStringFormat> TGPStringFormat::GenericDefault()
{
    return CachedFormat(&TCaches::GenericDefault, GdipStringFormatGetGenericDefault);
}

TGPPtr<IGPStringFormat> TGPStringFormat::GenericTypographic()
{
    return CachedFormat(&TCaches::GenericTypographic, GdipStringFormatGetGenericTypographic);
}

TGPStringFormatFlags IGPStringFormat::GetStringFormatFlags()
{
    INT R = 0;
    GdipGetStringFormatFlags(FormatOf(this), &R);
    return R;
}

TGPStatus IGPStringFormat::SetStringFormatFlags(TGPStringFormatFlags Flags)
{
    return GdipSetStringFormatFlags(FormatOf(this), Flags);
}

Integer IGPStringFormat::GetStringFormatAlign()
{
    return ReadEnum<gp::StringAlignment>(
        [this](gp::StringAlignment* R) { return GdipGetStringFormatAlign(FormatOf(this), R); });
}

TGPStatus IGPStringFormat::SetStringFormatAlign(Integer Align)
{
    return GdipSetStringFormatAlign(FormatOf(this), static_cast<gp::StringAlignment>(Align));
}

Integer IGPStringFormat::GetStringFormatLineAlign()
{
    return ReadEnum<gp::StringAlignment>(
        [this](gp::StringAlignment* R) { return GdipGetStringFormatLineAlign(FormatOf(this), R); });
}

TGPStatus IGPStringFormat::SetStringFormatLineAlign(Integer Align)
{
    return GdipSetStringFormatLineAlign(FormatOf(this), static_cast<gp::StringAlignment>(Align));
}

Integer IGPStringFormat::GetStringFormatHotkeyPrefix()
{
    INT R = 0;
    GdipGetStringFormatHotkeyPrefix(FormatOf(this), &R);
    return R;
}

TGPStatus IGPStringFormat::SetStringFormatHotkeyPrefix(Integer HotkeyPrefix)
{
    return GdipSetStringFormatHotkeyPrefix(FormatOf(this), HotkeyPrefix);
}

Word IGPStringFormat::GetDigitSubstitutionLanguage()
{
    LANGID R = 0;
    GdipGetStringFormatDigitSubstitution(FormatOf(this), &R, nullptr);
    return R;
}

Integer IGPStringFormat::GetDigitSubstitutionMethod()
{
    return ReadEnum<gp::StringDigitSubstitute>([this](gp::StringDigitSubstitute* R) {
        return GdipGetStringFormatDigitSubstitution(FormatOf(this), nullptr, R);
    });
}

Integer IGPStringFormat::GetStringFormatTrimming()
{
    return ReadEnum<gp::StringTrimming>(
        [this](gp::StringTrimming* R) { return GdipGetStringFormatTrimming(FormatOf(this), R); });
}

TGPStatus IGPStringFormat::SetStringFormatTrimming(Integer Trimming)
{
    return GdipSetStringFormatTrimming(FormatOf(this), static_cast<gp::StringTrimming>(Trimming));
}

Integer IGPStringFormat::GetStringFormatMeasurableCharacterRangeCount()
{
    INT R = 0;
    GdipGetStringFormatMeasurableCharacterRangeCount(FormatOf(this), &R);
    return R;
}

TGPPtr<IGPStringFormat> IGPStringFormat::Clone()
{
    gp::GpStringFormat* F = nullptr;
    GdipCloneStringFormat(FormatOf(this), &F);
    return TGPPtr<IGPStringFormat>(new TGPStringFormat(F));
}

TGPPtr<IGPArray<Single>> IGPStringFormat::GetStringFormatTabStops(Single& FirstTabOffset)
{
    INT Count = 0;
    GdipGetStringFormatTabStopCount(FormatOf(this), &Count);
    auto Result = NewGPArray<Single>(Count);
    FirstTabOffset = 0;
    if (Count > 0) GdipGetStringFormatTabStops(FormatOf(this), Count, &FirstTabOffset, Result->GetItems());
    return Result;
}

TGPStatus IGPStringFormat::SetStringFormatTabStops(Single FirstTabOffset, std::span<const Single> TabStops)
{
    NotEmpty(TabStops);
    return GdipSetStringFormatTabStops(FormatOf(this), FirstTabOffset, Len(TabStops), TabStops.data());
}

TGPStatus IGPStringFormat::SetStringFormatDigitSubstitution(Word Language, Integer Substitute)
{
    return GdipSetStringFormatDigitSubstitution(FormatOf(this), Language,
                                                static_cast<gp::StringDigitSubstitute>(Substitute));
}

TGPStatus IGPStringFormat::SetStringFormatMeasurableCharacterRanges(
    const TGPPtr<IGPArray<TGPCharacterRange>>& Ranges)
{
    GPAssert(Ranges != nullptr);
    return GdipSetStringFormatMeasurableCharacterRanges(
        FormatOf(this), Ranges->GetCount(), reinterpret_cast<const gp::CharacterRange*>(Ranges->GetItems()));
}
