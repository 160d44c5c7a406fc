// Pictures compared with the golden pictures under tests/data/document, for
// drawing whose pixels are the same on every run (Wine's GDI+ draws without
// anti-aliasing). With LM_UPDATE_GOLDEN set the picture is written instead.
// Also pixels compared with the colours expected at sample points, and
// colours that blending may leave a step or two off.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "Component/Raster32/Ras32.h"
#include "framework/runtime/SysUtils.h"

// Bitmap against tests/data/document/<Name>: every pixel equal. The first
// five differences are reported, and a differing picture is written beside
// the test as actual_<Name> to look at.
inline void ExpectGoldenPicture(TCustomBitmap32& Bitmap, const char* Name)
{
    const char* Root = std::getenv("LM_TEST_DATA");
    const String File = UTF8ToString(std::string(Root ? Root : "tests/data") + "/document/" + Name);
    if (std::getenv("LM_UPDATE_GOLDEN")) {
        Bitmap.SaveToFile(File, false);
        return;
    }
    TCustomBitmap32 Golden;
    ASSERT_NO_THROW(Golden.LoadFromFile(File)) << Name;
    ASSERT_EQ(Golden.Width(), Bitmap.Width()) << Name;
    ASSERT_EQ(Golden.Height(), Bitmap.Height()) << Name;
    Integer Differ = 0;
    for (Integer y = 0; y < Bitmap.Height(); ++y)
        for (Integer x = 0; x < Bitmap.Width(); ++x)
            if (Golden.Pixel(x, y) != Bitmap.Pixel(x, y) && Differ++ < 5)
                ADD_FAILURE() << Name << " differs at " << x << "," << y;
    if (Differ) Bitmap.SaveToFile(UTF8ToString(std::string("actual_") + Name), false);
    EXPECT_EQ(Differ, 0) << Name;
}

// Got within Steps of Want in every channel: blending an opaque colour over
// another, or GDI+'s rounding beside the raster engine's, may be a step off.
inline ::testing::AssertionResult NearColour(TColor32 Got, TColor32 Want, Integer Steps = 1)
{
    for (Integer Shift : {0, 8, 16, 24}) {
        const Integer G = (Got >> Shift) & 0xFF, W = (Want >> Shift) & 0xFF;
        if (G - W > Steps || W - G > Steps)
            return ::testing::AssertionFailure() << std::hex << Got << " is not near " << Want;
    }
    return ::testing::AssertionSuccess();
}

// A point of a picture and the colour it should have there.
struct TPixelSample {
    TPoint P;
    TColor32 Expected;
};

// Bitmap has each sample's colour at its point (What names the case).
inline void ExpectSamples(TCustomBitmap32& Bitmap, std::initializer_list<TPixelSample> Samples, const char* What)
{
    for (const TPixelSample& S : Samples)
        EXPECT_EQ(Bitmap.Pixel(S.P.X, S.P.Y), S.Expected) << What << " at " << S.P.X << "," << S.P.Y;
}
