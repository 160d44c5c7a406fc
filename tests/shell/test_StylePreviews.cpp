// The style strip's previews: each style of a tool is a real drawn object of
// the tool's class, made once and kept in its style row; the strip shows as
// many images as the tool has styles, frames the current one and pages by
// rows. (Their drawing goes through the platform: win/test_StylePreviews_Win.)
#include <gtest/gtest.h>

#include "Component/Raster32/Ras32.h"
#include "document/ImgShape.h"
#include "foundation/HyDataTable.h"
#include "foundation/HyPresets.h"
#include "shell/StylePreviews.h"

namespace {

using namespace StylePreviews;

constexpr TColor Back = 0xE8E6E3;

class StyleStrip : public testing::Test {
protected:
    void SetUp() override
    {
        FillStylePresets(&Presets);
        std::array<TCustomBitmap32*, ImageCount> Ptrs{};
        for (Integer I = 0; I < ImageCount; ++I) {
            Bitmaps[size_t(I)].SetSize(53, 62);
            Ptrs[size_t(I)] = &Bitmaps[size_t(I)];
        }
        Strip = std::make_unique<TStyleStrip>(Presets, Ptrs);
    }
    TDataTable Presets;
    std::array<TCustomBitmap32, ImageCount> Bitmaps;
    std::unique_ptr<TStyleStrip> Strip;
};

TEST_F(StyleStrip, EachToolShowsItsStylesInTheTablesOrder)
{
    struct Case {
        TShapeType Tool;
        std::vector<Integer> Ids;
    } Cases[] = {
        {shCrop, {0, 1}},
        {shArrow, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {shRectangle, {0, 1, 3, 6, 4, 2, 7, 5, 8, 9, 10, 11}},
        {shLines, {0, 1, 2, 3}},
        {shPolygon, {0, 5, 1, 8, 9, 2, 3, 10, 11, 12, 6, 4, 7, 13, 14}},
        {shEllipse, {0, 1, 2, 3}},
        {shText, {0, 1, 4, 5, 2, 3}},
        {shCallout, {0, 1, 2, 4, 3, 5, 8, 9, 11, 6, 7, 10}},
        // A tool without styles hides every image.
        {shPencil, {}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(int(C.Tool));
        ASSERT_EQ(Strip->Build(C.Tool), Integer(C.Ids.size()));
        for (size_t I = 0; I < C.Ids.size(); ++I) {
            EXPECT_EQ(Strip->Tag(Integer(I)), C.Ids[I]);
            ASSERT_NE(Strip->Preview(Integer(I)), nullptr);
            EXPECT_EQ(Strip->Preview(Integer(I))->StyleId(), C.Ids[I]);
            EXPECT_EQ(Strip->Preview(Integer(I))->Bitmap32(), &Bitmaps[I]);
        }
        EXPECT_EQ(Strip->Preview(Integer(C.Ids.size())), nullptr);
    }
}

TEST_F(StyleStrip, PreviewsAreMadeOnceAndKeptInTheirRows)
{
    Strip->Build(shRectangle);
    TImgShape* First = Strip->Preview(0);
    Strip->Build(shEllipse);
    Strip->Build(shRectangle);
    EXPECT_EQ(Strip->Preview(0), First);
}

TEST_F(StyleStrip, TheCurrentStyleIsFramedAndPagesFollowIt)
{
    Strip->Build(shPolygon);
    Strip->Draw(10, Back, 6);  // style 10 is the eighth image: page 1
    EXPECT_EQ(Strip->PageIndex(), 1);
    EXPECT_EQ(Strip->PageCount(), 3);
    EXPECT_EQ(Strip->PolygonType(), 10);
    EXPECT_EQ(Strip->Preview(7)->SelectMode(), 2);
    EXPECT_EQ(Strip->Preview(0)->SelectMode(), 0);
    // Navy frame on the current style, the panel colour elsewhere at the corner.
    EXPECT_EQ(Bitmaps[7].Pixel(0, 0), 0xFF000080u);
    EXPECT_EQ(Bitmaps[0].Pixel(0, 0), TColor32(0xFFE3E6E8u));
    // Hovering frames red over the current frame; leaving restores it.
    Strip->Hover(7, true, Back);
    EXPECT_EQ(Bitmaps[7].Pixel(0, 0), 0xFFFF0000u);
    Strip->Hover(7, false, Back);
    EXPECT_EQ(Bitmaps[7].Pixel(0, 0), 0xFF000080u);
}

}  // namespace
