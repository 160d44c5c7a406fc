// The size units, refusals, presets, canvas changes, kept ratio and the
// watermark's numbers of the image dialogs.
#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/ImageSizeRules.h"

TEST(ImageSizeRules, UnitConversionsShowAndRoundAsTheDialogsDo)
{
    const struct {
        double Value;
        Integer From, To;
        double Shown;
    } Rows[] = {
        {600, UnitPixels, UnitInches, 8.3333333}, {400, UnitPixels, UnitInches, 5.5555556},
        {600.0 / 72, UnitInches, UnitPixels, 600}, {100, UnitMillimetres, UnitPixels, 283.46},
        {25.4, UnitMillimetres, UnitInches, 1},   {1, UnitInches, UnitMillimetres, 25.4},
        {283.46, UnitPixels, UnitMillimetres, 100}, {7, UnitPixels, UnitPixels, 7},
        {7, UnitPixels, 9, 7},  // a damaged unit setting is pixels
    };
    for (const auto& R : Rows)
        EXPECT_NEAR(ConvertSizeValue(R.Value, R.From, R.To), R.Shown, 1e-6) << R.Value << " " << R.From << ">" << R.To;

    EXPECT_EQ(SizeInPixels(100, UnitMillimetres), 283);
    EXPECT_EQ(SizeInPixels(8.333, UnitInches), 600);  // as the edit shows it, 599.976
    EXPECT_EQ(SizeInPixels(5.556, UnitInches), 400);
    // Halves go to the even neighbour.
    EXPECT_EQ(SizeInPixels(0.03125, UnitInches), 2);   // 2.25
    EXPECT_EQ(SizeInPixels(2.5 / 72, UnitInches), 2);  // 2.5
    EXPECT_EQ(SizeInPixels(3.5 / 72, UnitInches), 4);  // 3.5

    EXPECT_EQ(SizeUnit(UnitInches).Decimals, 3);
    EXPECT_EQ(SizeUnit(UnitMillimetres).Decimals, 2);
    EXPECT_EQ(SizeUnit(UnitPixels).Max, 30000);
    EXPECT_EQ(SizeUnit(-1).PixelsPerUnit, 1);
}

TEST(ImageSizeRules, SwitchingUnitsAndBackKeepsTheSize)
{
    for (Integer Unit : {UnitInches, UnitMillimetres})
        for (Int64 Px : {1, 283, 400, 600, 30000}) {
            const double Shown = ConvertSizeValue(static_cast<double>(Px), UnitPixels, Unit);
            EXPECT_EQ(SizeInPixels(Shown, Unit), Px) << Unit;
            EXPECT_EQ(SizeInPixels(PixelsInUnit(Px, Unit), Unit), Px) << Unit;
        }
}

TEST(ImageSizeRules, SizesAboveThirtyMegapixelsOrWithAnEmptySideAreRefused)
{
    const struct {
        Int64 W, H;
        Integer Text;
    } Rows[] = {{6000, 5001, 123}, {6000, 5000, 0}, {10000, 3001, 123}, {1, 1, 0},   {0, 400, 395},
                {600, 0, 395},     {-5, 400, 395},  {600, -1, 395},     {30000, 30000, 123}};
    for (const auto& R : Rows) EXPECT_EQ(SizeRefusal(R.W, R.H), R.Text) << R.W << "x" << R.H;
}

TEST(ImageSizeRules, PresetsGiveTheLastTheClipboardOrAFixedSize)
{
    const TSize Last{600, 400}, Clip{123, 45};
    EXPECT_EQ(PresetSize(0, Last, &Clip), Last);
    EXPECT_EQ(PresetSize(1, Last, &Clip), Clip);
    EXPECT_EQ(PresetSize(1, Last, nullptr), Last);
    EXPECT_EQ(PresetSize(2, Last, nullptr), (TSize{16, 16}));
    EXPECT_EQ(PresetSize(10, Last, nullptr), (TSize{1366, 768}));
    EXPECT_EQ(PresetSize(11, Last, nullptr), (TSize{1280, 800}));
    EXPECT_EQ(PresetCaption(10), u"1366×768");
    EXPECT_EQ(PresetCaption(0), u"");
}

TEST(ImageSizeRules, CanvasChangesGiveTheSizeAndTheObjectsMove)
{
    EXPECT_EQ(RelativeCanvas(600, 400, 10, 10, -20, 0), (TCanvasChange{620, 380, 10, -20}));
    EXPECT_EQ(RelativeCanvas(600, 400, 0, 0, 0, 0), (TCanvasChange{600, 400, 0, 0}));
    EXPECT_EQ(RelativeCanvas(600, 400, -300, -300, 0, 0).Width, 0);
    EXPECT_EQ(SizeRefusal(RelativeCanvas(600, 400, -300, -300, 0, 0).Width, 400), 395);
    EXPECT_EQ(RelativeCanvas(30, 20, -1000, 0, 0, 0).Width, -970);
    EXPECT_EQ(AbsoluteCanvas(600, 400, 800, 600), (TCanvasChange{800, 600, 100, 100}));
    // Half the growth, truncated toward zero either way.
    EXPECT_EQ(AbsoluteCanvas(600, 400, 601, 397), (TCanvasChange{601, 397, 0, -1}));
}

TEST(ImageSizeRules, TheKeptRatioRoundsHalvesToEven)
{
    const Single R = 600.0f / 400.0f;
    EXPECT_EQ(HeightForWidth(300, R), 200);
    EXPECT_EQ(WidthForHeight(101, R), 152);  // 151.5
    EXPECT_EQ(WidthForHeight(99, R), 148);   // 148.5
    // A very wide picture: one pixel of width leaves no height (refused).
    const Single Wide = 1000.0f / 1.0f;
    EXPECT_EQ(HeightForWidth(1, Wide), 0);
    EXPECT_EQ(SizeRefusal(1, HeightForWidth(1, Wide)), 395);
}

TEST(ImageSizeRules, WatermarkAngleOpacityAndDistances)
{
    const struct {
        Integer Slider, Stored;
    } Angles[] = {{-30, 330}, {-90, 270}, {-1, 359}, {0, 0}, {90, 90}};
    for (const auto& A : Angles) {
        EXPECT_EQ(StoredWatermarkAngle(A.Slider), A.Stored);
        EXPECT_EQ(ShownWatermarkAngle(A.Stored), A.Slider);
    }
    EXPECT_EQ(ShownWatermarkAngle(180), 180);
    EXPECT_EQ(ShownWatermarkAngle(181), -179);

    EXPECT_EQ(OpacityPercent(127), 50);
    EXPECT_EQ(OpacityPercent(77), 30);
    EXPECT_EQ(OpacityPercent(255), 100);
    EXPECT_EQ(OpacityPercent(0), 0);

    const TWatermarkDistances& Single1 = WatermarkDistances(0);
    EXPECT_EQ(Single1.Cell1, 4);
    EXPECT_EQ(Single1.Min1, 1);
    EXPECT_EQ(Single1.Max, 99);
    EXPECT_EQ(Single1.Label1Top, 91);
    const TWatermarkDistances& Tiled = WatermarkDistances(1);
    EXPECT_EQ(Tiled.Cell2, 7);
    EXPECT_EQ(Tiled.Max, 999);
    EXPECT_EQ(Tiled.EditWidth, 50);
    EXPECT_EQ(&WatermarkDistances(7), &Single1);

    EXPECT_EQ(WatermarkPictureRefusal(1500, 1500), 381);
    EXPECT_EQ(WatermarkPictureRefusal(1000, 2000), 0);
    EXPECT_EQ(WatermarkPictureRefusal(0, 10), 395);
}
