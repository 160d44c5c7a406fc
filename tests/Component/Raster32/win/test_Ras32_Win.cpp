// The bitmap's Windows part: bitmap resources of the module.
#include <gtest/gtest.h>

#include "Component/Raster32/Ras32.h"
#include "framework/runtime/win/Classes_Win.h"

namespace {

void ExpectSample(const TCustomBitmap32& B)
{
    ASSERT_EQ(B.Width(), 3);
    ASSERT_EQ(B.Height(), 2);
    const TColor32 Want[2][3] = {{0xFFFF0000, 0xFF00FF00, 0xFF0000FF}, {0xFFFFFFFF, 0xFF808080, 0xFF000000}};
    for (Integer Y = 0; Y < 2; ++Y)
        for (Integer X = 0; X < 3; ++X) EXPECT_EQ(B.Pixel(X, Y), Want[Y][X]) << X << "," << Y;
}

NativeUInt Module() { return reinterpret_cast<NativeUInt>(GetModuleHandleW(nullptr)); }

}  // namespace

TEST(Ras32_Win, BitmapResourcesByNameAndNumber)
{
    TCustomBitmap32 B;
    Integer Changes = 0;
    B.OnChange = [&](TObject*) { ++Changes; };
    B.LoadFromResourceName(Module(), u"RGB3X2");
    ExpectSample(B);
    EXPECT_GT(Changes, 0);
    TCustomBitmap32 C;
    C.LoadFromResourceID(Module(), 7);
    ExpectSample(C);
}

TEST(Ras32_Win, AMissingResourceRaisesAfterTellingListeners)
{
    TCustomBitmap32 B;
    B.SetSize(2, 2);
    Integer Changes = 0;
    B.OnChange = [&](TObject*) { ++Changes; };
    EXPECT_THROW(B.LoadFromResourceName(Module(), u"NO_SUCH_PICTURE"), EResNotFound);
    EXPECT_THROW(B.LoadFromResourceID(Module(), 4711), EResNotFound);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(B.Width(), 2);
}
