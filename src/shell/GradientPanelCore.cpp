#include "shell/GradientPanelCore.h"

#include <algorithm>

#include "Component/Raster32/Ras32.h"

Integer ClampBrushIndex(Integer Stored, Integer Count)
{
    if (Count <= 0) return -1;
    return std::clamp(Stored, 0, Count - 1);
}

TCustomBitmap32* PreviewPicture(const TDataTable* Table, Integer Row)
{
    if (!Table || Row < 0 || Row >= Table->ItemCount()) return nullptr;
    return Table->GetItem(Row)->Data2().As<TCustomBitmap32>();
}

Integer TextGradientMenuItem(Integer Mode)
{
    if (Mode < 0) return 0;
    return Mode == 0 ? 1 : Mode + 2;
}

Integer TextGradientModeOfItem(Integer Item)
{
    if (Item <= 0) return -1;
    return Item == 1 ? 0 : Item - 2;
}

Integer ListScrollFor(Integer Index, Integer Columns, Integer Pitch, Integer Max)
{
    if (Index < 0 || Columns <= 0) return 0;
    return std::clamp((Index / Columns) * Pitch, 0, std::max(Max, 0));
}
