#include "dialogs/GradientStops.h"

#include <algorithm>
#include <cmath>

#include "framework/runtime/SysUtils.h"

const char16_t* const GradientForeWord = u"ForeColor";
const char16_t* const GradientBackWord = u"BackColor";

namespace {

// Thousandths, halves to even.
Int64 Thousandths(Extended Value) { return static_cast<Int64>(std::nearbyint(Value * 1000.0)); }

String DecimalText(Int64 Scaled, Integer Decimals)
{
    Int64 Div = 1;
    for (Integer i = 0; i < Decimals; ++i) Div *= 10;
    const bool Negative = Scaled < 0;
    const Int64 A = Negative ? -Scaled : Scaled;
    String S = (Negative ? u"-" : u"") + IntToStr(A / Div);
    Int64 Frac = A % Div;
    if (Frac == 0) return S;
    Integer Digits = Decimals;
    while (Frac % 10 == 0) Frac /= 10, --Digits;
    String F = IntToStr(Frac);
    while (static_cast<Integer>(F.size()) < Digits) F = u"0" + F;
    return S + u"." + F;
}

}  // namespace

String GradientPositionText(Extended Value) { return DecimalText(Thousandths(Value), 3); }

Extended RoundPosition(Extended Value) { return static_cast<Extended>(Thousandths(Value)) / 1000.0; }

String GradientPercentText(Extended Position)
{
    // Position x 100 to one decimal: tenths of a percent are thousandths.
    return DecimalText(Thousandths(Position), 1) + u"%";
}

Extended GradientPositionOf(const String& Text)
{
    // Stored rows always use "."; parse without the locale.
    std::string A;
    for (Char C : Text) {
        if (C > 127) return 0;
        A.push_back(static_cast<char>(C));
    }
    if (A.empty()) return 0;
    char* End = nullptr;
    const double V = std::strtod(A.c_str(), &End);
    if (End == A.c_str() || *End != '\0' || !std::isfinite(V)) return 0;
    return V;
}

// ---------------------------------------------------------------------------

TGradientStops::TGradientStops(Integer BarLeft, Integer StripTop, Integer Width)
    : FStrip{BarLeft, StripTop, BarLeft + Width, StripTop + 15}, FWidth(Width)
{
}

void TGradientStops::Load(const String& Colors, const String& Opacities, const String& Positions)
{
    FColorRow.Init(Colors, u'/');
    FOpacityRow.Init(Opacities, u'/');
    FPositionRow.Init(Positions, u'/');
    Integer N = std::min({FColorRow.ItemCount(), FOpacityRow.ItemCount(), FPositionRow.ItemCount()});
    if (Colors.empty() || Opacities.empty() || Positions.empty()) N = 0;
    if (N < MinStops) {
        FColorRow.Init(String(GradientForeWord) + u"/" + GradientBackWord, u'/');
        FOpacityRow.Init(u"100/100", u'/');
        FPositionRow.Init(u"0/1", u'/');
        N = MinStops;
    }
    N = std::min(N, MaxStops);
    for (TRow* R : {&FColorRow, &FOpacityRow, &FPositionRow})
        while (R->ItemCount() > N) R->RemoveItemByIndex(R->ItemCount() - 1);
    FIndex = 0;
    FPreviewOpen = false;
    LayOut();
}

Integer TGradientStops::LeftOfPosition(Extended Position) const
{
    const Extended P = std::clamp<Extended>(Position, 0, 1);
    return static_cast<Integer>(std::nearbyint(FWidth * P)) + FStrip.Left - 4;
}

void TGradientStops::LayOut()
{
    FLefts.clear();
    for (Integer i = 0; i < Count(); ++i) FLefts.push_back(LeftOfPosition(PositionOf(i)));
}

void TGradientStops::Select(Integer Index) { FIndex = std::clamp(Index, 0, Count() - 1); }

TColor TGradientStops::ColorOf(Integer i) const
{
    const String E = ColorEntry(i);
    if (E == GradientForeWord) return ForeColor;
    if (E == GradientBackWord) return BackColor;
    return StrToIntDef(E, 0);
}

bool TGradientStops::AddStopAt(Integer X, Integer Y, TColor Color)
{
    if (X < FStrip.Left || X >= FStrip.Right || Y < FStrip.Top || Y >= FStrip.Bottom) return false;
    if (Count() >= MaxStops) return false;
    FColorRow.AddItem(IntToStr(Color));
    FOpacityRow.AddItem(u"100");
    FPositionRow.AddItem(GradientPositionText(RoundPosition(static_cast<Extended>(X - FStrip.Left) / FWidth)));
    FLefts.push_back(X - 4);
    FIndex = Count() - 1;
    for (Integer k = Count() - 2; k >= 0; --k)
        if (X < FLefts[static_cast<size_t>(k)]) MoveCurrentStop(k);
    return true;
}

void TGradientStops::MoveCurrentStop(Integer Dest)
{
    if (Dest == FIndex || Dest < 0 || Dest >= Count()) return;
    FColorRow.MoveItem(FIndex, Dest);
    FOpacityRow.MoveItem(FIndex, Dest);
    FPositionRow.MoveItem(FIndex, Dest);
    // The markers move like the rows' cells, so that marker i stays stop i.
    const Integer L = FLefts[static_cast<size_t>(FIndex)];
    FLefts.erase(FLefts.begin() + FIndex);
    FLefts.insert(FLefts.begin() + Dest, L);
    FIndex = Dest;
}

void TGradientStops::DragTo(Integer L)
{
    L = std::clamp(L, FStrip.Left - 4, FStrip.Right - 4);
    FLefts[static_cast<size_t>(FIndex)] = L;
    for (Integer i = FIndex - 1; i >= 0; --i)
        if (L < FLefts[static_cast<size_t>(i)]) MoveCurrentStop(i);
    for (Integer j = FIndex + 1; j < Count(); ++j)
        if (FLefts[static_cast<size_t>(j)] < L) MoveCurrentStop(j);
    FPositionRow.GetItem(FIndex)->SetText(
        GradientPositionText(RoundPosition(static_cast<Extended>(L - FStrip.Left + 4) / FWidth)));
}

bool TGradientStops::DeleteCurrent()
{
    if (!CanDelete()) return false;
    for (Integer i = FIndex + 1; i < Count(); ++i) MoveCurrentStop(i);
    const Integer Last = Count() - 1;
    for (TRow* R : {&FColorRow, &FOpacityRow, &FPositionRow}) R->RemoveItemByIndex(Last);
    FLefts.pop_back();
    FIndex = Count() - 1;
    return true;
}

void TGradientStops::SetCurrentColor(TColor Color) { SetEntry(FIndex, IntToStr(Color)); }

void TGradientStops::SetCurrentForeWord(bool On, TColor Color)
{
    SetEntry(FIndex, On ? String(GradientForeWord) : IntToStr(Color));
}

void TGradientStops::SetCurrentBackWord(bool On, TColor Color)
{
    SetEntry(FIndex, On ? String(GradientBackWord) : IntToStr(Color));
}

void TGradientStops::SetCurrentOpacity(Integer Percent)
{
    FOpacityRow.GetItem(FIndex)->SetValue(std::clamp(Percent, 0, 100));
}

void TGradientStops::BeginColorPreview()
{
    FPreviewOpen = true;
    FPreviewIndex = FIndex;
    FPreviewEntry = ColorEntry(FIndex);
}

void TGradientStops::PreviewColor(TColor Color) { SetEntry(FIndex, IntToStr(Color)); }

bool TGradientStops::EndColorPreview(bool Chosen)
{
    const bool Restore = FPreviewOpen && !Chosen && FPreviewIndex >= 0 && FPreviewIndex < Count();
    // The entry as it was, a word staying a word.
    if (Restore) SetEntry(FPreviewIndex, FPreviewEntry);
    FPreviewOpen = false;
    FPreviewIndex = -1;
    return Restore;
}

// ---------------------------------------------------------------------------

Integer ThumbColumns(Integer PanelWidth, Integer ScrollBarWidth, Integer Pitch)
{
    const Integer C = (PanelWidth - ScrollBarWidth - 5) / Pitch;
    return C > 0 ? C : 1;
}

TPoint ThumbPlace(Integer i, Integer Columns, Integer ScrollPos, Integer Pitch)
{
    return TPoint{(i % Columns) * Pitch, (i / Columns) * Pitch - ScrollPos};
}

Integer ClampPresetIndex(Integer Index, Integer Rows)
{
    if (Rows <= 0) return -1;
    return std::clamp(Index, 0, Rows - 1);
}

Integer AppendGradientPreset(TDataTable& Table, const String& Colors, const String& Opacities,
                             const String& Positions, Integer NameCell, const String& Name)
{
    TRow* Row = Table.AddItem(u",,,,,,,,,,,,,,,,,,,");
    Row->GetItem(1)->SetText(Colors);
    Row->GetItem(2)->SetText(Opacities);
    Row->GetItem(3)->SetText(Positions);
    if (NameCell >= 0 && NameCell < Row->ItemCount()) Row->GetItem(NameCell)->SetText(Name);
    return Table.ItemCount() - 1;
}

void StoreGradientPreset(TDataTable& Table, Integer Index, const String& Colors, const String& Opacities,
                         const String& Positions, Integer NameCell, const String& Name)
{
    if (Index < 0 || Index >= Table.ItemCount()) return;
    TRow* Row = Table.GetItem(Index);
    while (Row->ItemCount() < 20) Row->AddItem(String());
    Row->GetItem(1)->SetText(Colors);
    Row->GetItem(2)->SetText(Opacities);
    Row->GetItem(3)->SetText(Positions);
    if (NameCell >= 0) Row->GetItem(NameCell)->SetText(Name);
}

Integer DeleteGradientPreset(TDataTable& Table, Integer Index)
{
    if (Index >= 0 && Index < Table.ItemCount()) Table.RemoveItemByIndex(Index);
    return ClampPresetIndex(Index, Table.ItemCount());
}
