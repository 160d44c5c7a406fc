#include "dialogs/ImageDirectionCore.h"

#include <algorithm>

#include "foundation/HyDataTable.h"

namespace {
Integer CellValue(const TRow& Row, Integer Cell)
{
    return Cell >= 0 && Cell < Row.ItemCount() ? Row.GetItem(Cell)->Value() : 0;
}

void SetCellValue(TRow& Row, Integer Cell, Integer Value)
{
    if (Cell >= 0 && Cell < Row.ItemCount()) Row.GetItem(Cell)->SetValue(Value);
}
}  // namespace

TDirectionSetup DirectionSetupFor(TEffectMode Mode)
{
    TDirectionSetup S;
    switch (Mode) {
        case emFade: S.Min = 0, S.Max = 400, S.ValueCell = 25, S.MaskCell = 26; break;
        case emTorn: S.Min = 5, S.Max = 15, S.ValueCell = 27, S.MaskCell = 28, S.OptionCell = 29; break;
        case emBevel: S.Min = 0, S.Max = 100, S.ValueCell = 30, S.MaskCell = 31; break;
        default: break;
    }
    return S;
}

TDirectionValues DirectionValuesFrom(const TDirectionSetup& Setup, const TRow& Settings)
{
    TDirectionValues V;
    V.Value = std::clamp(CellValue(Settings, Setup.ValueCell), Setup.Min, Setup.Max);
    V.Mask = CellValue(Settings, Setup.MaskCell) & AllEdges;
    V.Option = Setup.OptionCell >= 0 && CellValue(Settings, Setup.OptionCell) == 1;
    return V;
}

void StoreDirectionValues(const TDirectionSetup& Setup, const TDirectionValues& Values, TRow& Settings)
{
    SetCellValue(Settings, Setup.ValueCell, Values.Value);
    SetCellValue(Settings, Setup.MaskCell, Values.Mask);
    if (Setup.OptionCell >= 0) SetCellValue(Settings, Setup.OptionCell, Values.Option ? 1 : 0);
}
