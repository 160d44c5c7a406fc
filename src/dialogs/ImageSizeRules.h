// ImageSizeRules: the arithmetic of the new-image, canvas, image-size and
// watermark dialogs without their windows: the size units and their
// conversions, which sizes are refused, the preset sizes, the canvas a
// change gives, the kept aspect ratio, and the watermark's angle, opacity
// and distance rows.
#pragma once

#include "framework/runtime/Types.h"

// ---- Size units: 0 pixels, 1 inches (72 pixels), 2 millimetres (2.8346).
constexpr Integer UnitPixels = 0, UnitInches = 1, UnitMillimetres = 2, SizeUnitCount = 3;
struct TSizeUnit {
    double PixelsPerUnit;
    Byte Decimals;  // 0: whole numbers
    double Min, Max;
    Integer NameIndex;  // language text (1, n)
};
// The unit of Index; an index out of range (a damaged setting) is pixels.
const TSizeUnit& SizeUnit(Integer Index);
Integer ValidUnitIndex(Integer Index);
// A shown value in unit From as unit To shows it (not yet limited to To's range).
double ConvertSizeValue(double Value, Integer From, Integer To);
// A shown value in Unit as whole pixels: rounded to the nearest, halves to even.
Int64 SizeInPixels(double Shown, Integer Unit);
// Pixels as Unit shows them.
double PixelsInUnit(Int64 Pixels, Integer Unit);

// ---- Refusals. The language text (group 1) that refuses a W x H picture,
// 0 when it is accepted: 395 for a side of 0 or less, 123 above MaxImagePixels.
Integer SizeRefusal(Int64 Width, Int64 Height);

// ---- The new-image dialog's preset list: 0 the last size, 1 the clipboard
// picture's size (the last size without one), 2 to 11 fixed sizes.
constexpr Integer PresetCount = 12;
TSize PresetSize(Integer Index, TSize Last, const TSize* Clipboard);
// The caption of a fixed preset ("16×16"); empty for items 0 and 1.
String PresetCaption(Integer Index);

// ---- Canvas. The canvas a change gives and how far the objects move.
struct TCanvasChange {
    Int64 Width = 0, Height = 0;
    Integer Dx = 0, Dy = 0;
    friend bool operator==(const TCanvasChange&, const TCanvasChange&) = default;
};
// Margins added to (negative: taken from) each side of a W x H canvas.
TCanvasChange RelativeCanvas(Integer Width, Integer Height, Integer Left, Integer Right, Integer Top, Integer Bottom);
// A NewW x NewH canvas around the centred picture (half the growth, truncated toward zero).
TCanvasChange AbsoluteCanvas(Integer Width, Integer Height, Integer NewWidth, Integer NewHeight);

// ---- Image size with the ratio width / height kept (single precision, as
// the dialog keeps it): the other side, rounded.
Int64 HeightForWidth(Int64 Width, Single Ratio);
Int64 WidthForHeight(Int64 Height, Single Ratio);

// ---- Watermark.
// The angle as stored (0 to 359) from the slider's -90 to 90, and back.
Integer StoredWatermarkAngle(Integer SliderAngle);
Integer ShownWatermarkAngle(Integer Stored);
// The opacity 0 to 255 as a percentage.
Integer OpacityPercent(Integer Opacity);
// The two distance rows of a location type: 0 a single watermark (margins
// in percent), 1 tiled (gaps in pixels).
struct TWatermarkDistances {
    Integer Label1Top, Label2Top;
    Integer EditWidth;
    Integer Min1, Min2, Max;
    Integer Name1, Name2;  // language texts (3, n)
    Integer Cell1, Cell2;  // cells of the watermark row
};
const TWatermarkDistances& WatermarkDistances(Integer LocationType);
// The largest watermark picture, and the language text (group 1) refusing a
// picture of W x H: 381 above it, 395 with an empty side, 0 accepted.
constexpr Int64 MaxWatermarkPixels = 2000000;
Integer WatermarkPictureRefusal(Int64 Width, Int64 Height);
