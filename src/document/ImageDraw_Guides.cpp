// The document's guides and measuring ruler: made, dragged and cleared by the
// main window, kept in table properties 17 to 19 of the object table.
#include "document/ImageDraw.h"
#include "document/ObjectRows.h"

using namespace ImageDrawRows;

namespace {
// The stored texts join their values with ".".
constexpr Char Separator = u'.';

String JoinValues(const TRow& Row) { return Row.ToString(true, Separator); }
}  // namespace

void TImageDraw::ReadGuidesAndRuler()
{
    // A damaged document's value that is no number is left out (a guide) or
    // read as 0 (a ruler end).
    auto Split = [](TRow& Row, const String& Text) {
        Row.Clear();
        if (Text.empty()) return;
        TRow Values;
        Values.Init(Text, Separator);
        for (Integer i = 0; i < Values.ItemCount(); ++i) {
            Integer V;
            if (TryStrToInt(Trim(Values.GetItem(i)->Text()), V)) Row.AddItem(V);
        }
    };
    const TRow& Props = *FDT->PropertyRow();
    Split(*FHorzGuidesRow, TextOf(Props, ObjProp::HorzGuides));
    Split(*FVertGuidesRow, TextOf(Props, ObjProp::VertGuides));
    FHorzGuidesIndex = FVertGuidesIndex = -1;
    FRulerPickMode = -1;
    const String Ruler = TextOf(Props, ObjProp::Ruler);
    if (!Ruler.empty()) {
        TRow R;
        R.Init(Ruler, Separator);
        FRulerEnabled = BoolOf(R, 0);
        FRulerP1 = TPoint{IntOf(R, 1), IntOf(R, 2)};
        FRulerP2 = TPoint{IntOf(R, 3), IntOf(R, 4)};
    }
}

void TImageDraw::StoreGuidesAndRuler()
{
    TRow& Props = *FDT->PropertyRow();
    SetText(Props, ObjProp::HorzGuides, JoinValues(*FHorzGuidesRow));
    SetText(Props, ObjProp::VertGuides, JoinValues(*FVertGuidesRow));
    String Ruler;
    if (FRulerEnabled) {
        TRow R;
        R.Init(std::vector<Integer>{-1, FRulerP1.X, FRulerP1.Y, FRulerP2.X, FRulerP2.Y});
        Ruler = JoinValues(R);
    }
    SetText(Props, ObjProp::Ruler, Ruler);
}

void TImageDraw::CreateGuides(Integer X, Integer Y, bool IsHorzGuides)
{
    TRow& Guides = IsHorzGuides ? *FHorzGuidesRow : *FVertGuidesRow;
    const Integer Position = IsHorzGuides ? Y : X;
    for (Integer i = 0; i < Guides.ItemCount(); ++i)
        if (IntOf(Guides, i) == Position) return;
    Guides.AddItem(Position);
    SetChanged(false);
}

void TImageDraw::SetGuidesPosition(Integer X, Integer Y)
{
    if (FHorzGuidesIndex >= 0) {
        if (FHorzGuidesIndex < FHorzGuidesRow->ItemCount()) FHorzGuidesRow->GetItem(FHorzGuidesIndex)->SetValue(Y);
    } else if (FVertGuidesIndex >= 0 && FVertGuidesIndex < FVertGuidesRow->ItemCount()) {
        FVertGuidesRow->GetItem(FVertGuidesIndex)->SetValue(X);
    }
    SetChanged(false);
}

void TImageDraw::ClearGuides()
{
    FHorzGuidesRow->Clear();
    FVertGuidesRow->Clear();
    // No guide is left to drag.
    FHorzGuidesIndex = FVertGuidesIndex = -1;
    SetChanged(false);
}

void TImageDraw::CreateRuler(Integer X, Integer Y, Integer X2, Integer Y2)
{
    FRulerP1 = TPoint{X, Y};
    FRulerP2 = TPoint{X2, Y2};
    FRulerEnabled = true;
    SetChanged(false);
    RulerChanged();
}

void TImageDraw::BackupRulerPosition()
{
    FRulerP1_B = FRulerP1;
    FRulerP2_B = FRulerP2;
}

void TImageDraw::SetRulerPosition(Integer X, Integer Y, Integer X2, Integer Y2)
{
    const Integer DX = X2 - X, DY = Y2 - Y;
    if (FRulerPickMode == 0 || FRulerPickMode == 1) FRulerP1 = TPoint{FRulerP1_B.X + DX, FRulerP1_B.Y + DY};
    if (FRulerPickMode == 0 || FRulerPickMode == 2) FRulerP2 = TPoint{FRulerP2_B.X + DX, FRulerP2_B.Y + DY};
    SetChanged(false);
    RulerChanged();
}

void TImageDraw::RulerChanged()
{
    if (OnRulerChanged) OnRulerChanged(this, FRulerP1.X, FRulerP1.Y, FRulerP2.X, FRulerP2.Y);
}

void TImageDraw::ClearRuler()
{
    FRulerEnabled = false;
    SetChanged(false);
    RulerChanged();
}
