#include "dialogs/ImageSizeRules.h"

#include "foundation/HyFileUtils_ImageInfo.h"
#include "framework/runtime/SysUtils.h"

namespace {

const TSizeUnit Units[SizeUnitCount] = {
    {1, 0, 1, 30000, 260},
    {72, 3, 0.014, 416.666, 261},
    {2.8346, 2, 0.36, 10583.33, 262},
};

const TSize FixedPresets[PresetCount - 2] = {{16, 16},   {32, 32},   {48, 48},    {120, 100},  {240, 160},
                                             {640, 480}, {800, 600}, {1024, 768}, {1366, 768}, {1280, 800}};

const TWatermarkDistances Distances[2] = {
    {91, 120, 37, 1, 0, 99, 14, 15, 4, 5},
    {105, 134, 50, 0, 0, 999, 16, 17, 6, 7},
};

}  // namespace

Integer ValidUnitIndex(Integer Index) { return Index >= 0 && Index < SizeUnitCount ? Index : UnitPixels; }

const TSizeUnit& SizeUnit(Integer Index) { return Units[ValidUnitIndex(Index)]; }

double ConvertSizeValue(double Value, Integer From, Integer To)
{
    From = ValidUnitIndex(From);
    To = ValidUnitIndex(To);
    if (From == To) return Value;
    // The millimetre-inch pair goes by 25.4, not by the ratio of the pixel
    // factors (25.4003), so that inches and millimetres agree with a ruler.
    if (From == UnitMillimetres && To == UnitInches) return Value / 25.4;
    if (From == UnitInches && To == UnitMillimetres) return Value * 25.4;
    if (From == UnitPixels) return Value / Units[To].PixelsPerUnit;
    return Value * Units[From].PixelsPerUnit;  // to pixels
}

Int64 SizeInPixels(double Shown, Integer Unit) { return Round(Shown * SizeUnit(Unit).PixelsPerUnit); }

double PixelsInUnit(Int64 Pixels, Integer Unit) { return static_cast<double>(Pixels) / SizeUnit(Unit).PixelsPerUnit; }

Integer SizeRefusal(Int64 Width, Int64 Height)
{
    if (Width <= 0 || Height <= 0) return 395;
    // Each side is at most a few million here, so the product fits.
    if (Width * Height > MaxImagePixels) return 123;
    return 0;
}

TSize PresetSize(Integer Index, TSize Last, const TSize* Clipboard)
{
    if (Index == 1 && Clipboard) return *Clipboard;
    if (Index >= 2 && Index < PresetCount) return FixedPresets[Index - 2];
    return Last;
}

String PresetCaption(Integer Index)
{
    if (Index < 2 || Index >= PresetCount) return String();
    const TSize& S = FixedPresets[Index - 2];
    return IntToStr(S.cx) + u"×" + IntToStr(S.cy);
}

TCanvasChange RelativeCanvas(Integer Width, Integer Height, Integer Left, Integer Right, Integer Top, Integer Bottom)
{
    return {Int64(Width) + Left + Right, Int64(Height) + Top + Bottom, Left, Top};
}

TCanvasChange AbsoluteCanvas(Integer Width, Integer Height, Integer NewWidth, Integer NewHeight)
{
    return {NewWidth, NewHeight, (NewWidth - Width) / 2, (NewHeight - Height) / 2};
}

Int64 HeightForWidth(Int64 Width, Single Ratio)
{
    return Ratio > 0 ? Round(static_cast<double>(Width) / static_cast<double>(Ratio)) : 0;
}

Int64 WidthForHeight(Int64 Height, Single Ratio)
{
    return Round(static_cast<double>(Height) * static_cast<double>(Ratio));
}

Integer StoredWatermarkAngle(Integer SliderAngle) { return SliderAngle < 0 ? SliderAngle + 360 : SliderAngle; }

Integer ShownWatermarkAngle(Integer Stored) { return Stored <= 180 ? Stored : Stored - 360; }

Integer OpacityPercent(Integer Opacity) { return static_cast<Integer>(Round(Opacity / 255.0 * 100)); }

const TWatermarkDistances& WatermarkDistances(Integer LocationType) { return Distances[LocationType == 1 ? 1 : 0]; }

Integer WatermarkPictureRefusal(Int64 Width, Int64 Height)
{
    if (Width * Height > MaxWatermarkPixels) return 381;
    if (Width <= 0 || Height <= 0) return 395;
    return 0;
}
