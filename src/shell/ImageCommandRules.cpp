#include "shell/ImageCommandRules.h"

#include <cmath>

#include "framework/runtime/SysUtils.h"

TRect FitCropToRatio(const TRect& R, double Ratio)
{
    TRect Out = R;
    // Halves round to even, as the rest of the program rounds.
    if (Ratio > 1)
        Out.Bottom = R.Top + static_cast<Integer>(std::nearbyint(R.Width() / Ratio));
    else if (Ratio > 0)
        Out.Right = R.Left + static_cast<Integer>(std::nearbyint(R.Height() * Ratio));
    return Out;
}

double FixedCropRatio(Integer Index)
{
    static constexpr double Ratios[9] = {1.0, 2.0 / 3, 3.0 / 4, 4.0 / 5, 5.0 / 7, 3.0 / 2, 4.0 / 3, 16.0 / 9, 16.0 / 10};
    return Index >= 1 && Index <= 9 ? Ratios[Index - 1] : 0;
}

void SaveCropSize(TDataTable& Sizes, Integer Width, Integer Height)
{
    for (Integer I = 0; I < Sizes.ItemCount(); ++I) {
        const TRow* R = Sizes.GetItem(I);
        if (R->ItemCount() >= 2 && R->GetItem(0)->Value() == Width && R->GetItem(1)->Value() == Height) {
            Sizes.MoveItem(I, 0);
            return;
        }
    }
    Sizes.AddItem(IntToStr(Width) + u"," + IntToStr(Height));
    Sizes.MoveItem(Sizes.ItemCount() - 1, 0);
    while (Sizes.ItemCount() > MaxCropSizes) Sizes.RemoveItemByIndex(Sizes.ItemCount() - 1);
}

TCanvasSides CanvasDragSides(Integer Handle, Integer Dx, Integer Dy)
{
    switch (Handle) {
        case 1: return {-Dx, 0, -Dy, 0};
        case 2: return {0, Dx, -Dy, 0};
        case 3: return {0, Dx, 0, Dy};
        case 4: return {-Dx, 0, 0, Dy};
        case 5: return {0, 0, -Dy, 0};
        case 6: return {0, 0, 0, Dy};
        case 7: return {-Dx, 0, 0, 0};
        case 8: return {0, Dx, 0, 0};
        default: return {};
    }
}

bool PasteAtPointer(Integer X, Integer Y, Integer ImageWidth, Integer ImageHeight)
{
    return X > 0 && X < ImageWidth && Y > 0 && Y < ImageHeight;
}

bool GalleryBackupDue(const String& Stored, const String& Today) { return Stored != Today; }

bool ChangedAfterWatermark(Integer ModalResult, bool ChangedBefore)
{
    constexpr Integer Cancel = 2;
    return ModalResult == Cancel ? ChangedBefore : true;
}

namespace {

String CellText(const TRow& Row, Integer Index)
{
    return Index < Row.ItemCount() ? Row.GetItem(Index)->Text() : String();
}

Integer CellNumber(const TRow& Row, Integer Index) { return StrToIntDef(CellText(Row, Index), 0); }

}  // namespace

TWatermarkSettings ReadWatermarkSettings(const TRow& Settings)
{
    TWatermarkSettings W;
    W.Enabled = CellNumber(Settings, 0) != 0;
    W.FileName = UnescapeCellText(CellText(Settings, 11));
    W.LocationType = CellNumber(Settings, 2);
    W.Location = CellNumber(Settings, 3);
    W.LocationED1 = CellNumber(Settings, 4);
    W.LocationED2 = CellNumber(Settings, 5);
    W.LocationSD1 = CellNumber(Settings, 6);
    W.LocationSD2 = CellNumber(Settings, 7);
    W.Angle = CellNumber(Settings, 8);
    W.Opacity = CellNumber(Settings, 9);
    W.UseTC = CellNumber(Settings, 12) != 0;
    W.TC = CellNumber(Settings, 13);
    return W;
}

std::unique_ptr<TRow> BuildWatermarkRow(const TRow& Settings)
{
    const TWatermarkSettings W = ReadWatermarkSettings(Settings);
    auto Row = std::make_unique<TRow>();
    Row->AddItem(W.Enabled ? u"-1" : u"0");
    Row->AddItem(EscapeCellText(W.FileName));
    for (Integer V : {W.LocationType, W.Location, W.LocationED1, W.LocationED2, W.LocationSD1, W.LocationSD2, W.Angle,
                      W.Opacity})
        Row->AddItem(V);
    Row->AddItem(W.UseTC ? -1 : 0);
    Row->AddItem(W.TC);
    return Row;
}
