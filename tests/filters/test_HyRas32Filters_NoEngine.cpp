// The filters in a program that never installed the raster engine: a clear
// error, not a crash on the engine's missing class lists.
#include <gtest/gtest.h>

#include "Component/Raster32/Ras32_Resamplers.h"
#include "filters/HyRas32Filters.h"

TEST(FiltersWithoutEngine, ResizeRaisesAClearError)
{
    ASSERT_EQ(ResamplerClassList(), nullptr);  // nothing installed the engine
    TCustomBitmap32 Src, Dst;
    try {
        ResizeBitmap(&Src, &Dst, 4, 3);
        FAIL() << "resized without resamplers";
    } catch (const EBitmapException& E) {
        EXPECT_NE(E.Message().find(u"not installed"), String::npos);
    }
    EXPECT_EQ(Dst.Width(), 0);
}
