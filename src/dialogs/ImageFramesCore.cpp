#include "dialogs/ImageFramesCore.h"

#include <algorithm>
#include <vector>

#include "framework/runtime/SysUtils.h"

namespace FrameDialog {

namespace {
constexpr Integer Yellow = 65535;

void Rows(TFrameSetup& S, bool R2, bool R3)
{
    S.RowShown[1] = R2;
    S.RowShown[2] = R3;
}
void Colors(TFrameSetup& S, bool C2, bool C3)
{
    S.ColorShown[1] = C2;
    S.ColorShown[2] = C3;
}
void Names(TFrameSetup& S, Integer A, Integer B, Integer C)
{
    S.NameIndex[0] = A, S.NameIndex[1] = B, S.NameIndex[2] = C;
}

std::vector<String> SplitDots(const String& Text)
{
    std::vector<String> Out;
    size_t Start = 0;
    for (;;) {
        const size_t Dot = Text.find(u'.', Start);
        Out.push_back(Text.substr(Start, Dot == String::npos ? String::npos : Dot - Start));
        if (Dot == String::npos) break;
        Start = Dot + 1;
    }
    return Out;
}

void PadFrame(TFrameSetup& S, Integer Mode)
{
    S.Cell = Mode >= 1 && Mode <= 10 ? Mode - 1 : -1;
    switch (Mode) {
        case 2:
        case 6:
            Rows(S, true, true);
            Colors(S, true, true);
            if (Mode == 2) {
                Names(S, 1, 2, 3);
                S.DefaultList = u"10.13421619.5.16777164.1.16737843";
            } else {
                Names(S, 6, 7, 8);
                S.DefaultList = u"15.13421619.5.13421619.50.13421619";
            }
            break;
        case 3:
        case 9:
        case 10:
            Rows(S, true, true);
            Colors(S, true, false);
            Names(S, 1, 3, 4);
            S.DefaultList = Mode == 3 ? u"1.16711680.10.13421619.20" : u"1.16711680.20.13421619.50";
            S.Percent[2] = true;
            break;
        case 4:
            Rows(S, true, true);
            Colors(S, true, false);
            Names(S, 1, 3, 5);
            S.DefaultList = u"1.16711680.10.13421619.15";
            S.Percent[2] = true;
            break;
        case 5:
            Rows(S, true, false);
            Colors(S, true, false);
            Names(S, 6, 8, 0);
            S.DefaultList = u"5.13421619.50.13421619";
            break;
        case 7:
        case 8:
            Rows(S, true, false);
            Colors(S, true, false);
            Names(S, 1, 3, 0);
            S.DefaultList = u"1.16711680.0.13421619";
            S.Percent[1] = true;
            break;
        default:  // mode 1, and the one-band look for a mode the document does not draw
            Names(S, 1, 0, 0);
            S.DefaultList = u"10.13421619";
            break;
    }
}

void BandFrame(TFrameSetup& S, Integer Mode)
{
    S.Cell = Mode >= 1 && Mode <= 16 ? Mode + 19 : -1;
    Rows(S, Mode != 11 && Mode != 12, false);
    S.OptionRow = true;
    S.Max[0] = 50;
    S.Percent[1] = true;
    S.NameIndex[0] = 11;
    const bool Half = Mode == 1 || Mode == 2 || Mode == 5 || Mode == 6 || Mode == 15 || Mode == 16;
    S.NameIndex[1] = Mode == 2 ? 5 : (Half ? 4 : 12);
    S.DefaultList = u"5." + IntToStr(Yellow) + (Half ? u".50" : u".0");
}
}  // namespace

TFrameSetup FrameSetupFor(Integer FrameType, Integer FrameMode)
{
    TFrameSetup S;
    switch (FrameType) {
        case 0: PadFrame(S, FrameMode); break;
        case 1: BandFrame(S, FrameMode); break;
        case 2:
            Rows(S, true, true);
            Colors(S, false, true);
            S.StereoShown[0] = S.StereoShown[2] = true;
            Names(S, 1, 2, 3);
            break;
        default:
            Names(S, 9, 0, 0);
            S.DefaultList = u"100.16777215";
            S.FixedStart = true;
            break;
    }
    return S;
}

TFrameValues ParseFrameValues(const TFrameSetup& S, const String& Stored)
{
    const std::vector<String> Defaults = SplitDots(S.DefaultList);
    const std::vector<String> Items = Stored.empty() || S.FixedStart ? Defaults : SplitDots(Stored);
    TFrameValues V;
    size_t k = 0;
    auto Next = [&](Integer& Out) {
        Integer D = 0;
        if (k < Defaults.size()) TryStrToInt(Defaults[k], D);
        if (k >= Items.size() || !TryStrToInt(Items[k], Out)) Out = D;
        ++k;
    };
    for (Integer i = 0; i < 3; ++i) {
        if (!S.RowShown[i]) continue;
        Next(V.Value[i]);
        V.Value[i] = std::clamp(V.Value[i], S.Min[i], S.Max[i]);
        if (S.ColorShown[i]) {
            Integer C = 0;
            Next(C);
            V.Color[i] = static_cast<TColor>(C & 0xFFFFFF);
        }
    }
    return V;
}

String JoinFrameValues(const TFrameSetup& S, const TFrameValues& V)
{
    String Out;
    auto Add = [&](Integer X) {
        if (!Out.empty()) Out += u'.';
        Out += IntToStr(X);
    };
    for (Integer i = 0; i < 3; ++i) {
        if (!S.RowShown[i]) continue;
        Add(V.Value[i]);
        if (S.ColorShown[i]) Add(static_cast<Integer>(V.Color[i]));
    }
    return Out;
}

TFrameLayout FrameLayoutFor(const TFrameSetup& S, Integer BevelTop)
{
    TFrameLayout L;
    for (Integer i = 0; i < 3; ++i)
        L.Row[i] = S.RowShown[i] ? (S.StereoShown[i] ? StereoRowHeight : RowHeight) : 0;
    L.Option = S.OptionRow ? OptionRowHeight : 0;
    L.Bevel = std::max(100, L.Row[0] + L.Row[1] + L.Row[2] + L.Option + 8);
    L.Panel = L.Bevel - 4;
    L.Form = BevelTop + L.Bevel + 33;
    return L;
}

TTextureCheck CheckTextureSize(Integer Width, Integer Height)
{
    if (Width <= 0 || Height <= 0) return TTextureCheck::Empty;
    const Int64 Pixels = Int64(Width) * Height;
    if (Pixels > 2000000) return TTextureCheck::TooLarge;
    if (Pixels > 600000) return TTextureCheck::Ask;
    return TTextureCheck::Accept;
}

String TextureFolder(const String& Stored, const String& ProgramFolder)
{
    return Stored.empty() ? ProgramFolder + u"Texture\\" : Stored;
}

// ---------------------------------------------------------------------------

TFrameTableCopy::TFrameTableCopy(TDataTable* Source) : FSource(Source), FCopy(std::make_unique<TDataTable>())
{
    if (!Source) return;
    for (Integer i = 0; i < Source->ItemCount(); ++i) {
        TRow* From = Source->GetItem(i);
        auto Row = std::make_unique<TRow>();
        Row->CopyFrom(From);
        Row->Data().Ref(From->Data().Get());
        Row->Data2().Ref(From->Data2().Get());
        Row->Data3().Ref(From->Data3().Get());
        FCopy->AddItem(std::move(Row));
    }
}

TCell* TFrameTableCopy::Cell(Integer DialogRow, Integer Index) const
{
    const Integer R = 2 - DialogRow;
    if (DialogRow < 0 || DialogRow > 2 || R >= FCopy->ItemCount()) return nullptr;
    TRow* Row = FCopy->GetItem(R);
    // A short row of a pack grows to the cells the dialog edits.
    while (Row->ItemCount() <= Index) Row->AddItem(String());
    return Row->GetItem(Index);
}

bool TFrameTableCopy::HasRow(Integer DialogRow) const
{
    return DialogRow >= 0 && DialogRow <= 2 && 2 - DialogRow < FCopy->ItemCount();
}

Integer TFrameTableCopy::Width(Integer DialogRow) const
{
    TCell* C = Cell(DialogRow, 10);
    return C ? C->Value() : 0;
}

TColor TFrameTableCopy::Color(Integer DialogRow) const
{
    TCell* C = Cell(DialogRow, 2);
    return C ? static_cast<TColor>(C->Value() & 0xFFFFFF) : 0;
}

bool TFrameTableCopy::Stereo(Integer DialogRow) const
{
    TCell* C = Cell(DialogRow, 5);
    return C && C->AsBool();
}

Integer TFrameTableCopy::StereoWidth(Integer DialogRow) const
{
    TCell* C = Cell(DialogRow, 6);
    return std::clamp(C ? C->Value() : 1, 1, 9);
}

void TFrameTableCopy::SetWidth(Integer DialogRow, Integer Value)
{
    for (Integer i = 10; i <= 13; ++i)
        if (TCell* C = Cell(DialogRow, i)) C->SetValue(Value);
}

void TFrameTableCopy::SetColor(Integer DialogRow, TColor Value)
{
    if (TCell* C = Cell(DialogRow, 2)) C->SetValue(static_cast<Integer>(Value));
}

void TFrameTableCopy::SetStereo(Integer DialogRow, bool Value)
{
    if (TCell* C = Cell(DialogRow, 5)) C->SetAsBool(Value);
}

void TFrameTableCopy::SetStereoWidth(Integer DialogRow, Integer Value)
{
    if (TCell* C = Cell(DialogRow, 6)) C->SetValue(std::clamp(Value, 1, 9));
}

void TFrameTableCopy::Commit()
{
    if (!FSource) return;
    const Integer N = std::min(FSource->ItemCount(), FCopy->ItemCount());
    for (Integer r = 0; r < N && r < 3; ++r) {
        TRow* From = FCopy->GetItem(r);
        TRow* To = FSource->GetItem(r);
        for (Integer c : {2, 5, 6, 10, 11, 12, 13}) {
            if (c >= From->ItemCount()) continue;
            while (To->ItemCount() <= c) To->AddItem(String());
            To->GetItem(c)->SetText(From->GetItem(c)->Text());
        }
    }
}

}  // namespace FrameDialog
