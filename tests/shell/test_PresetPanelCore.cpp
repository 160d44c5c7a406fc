// The preset panel's model: tile sizes and places, the rows of a page, a
// rendered thumbnail matched to its own row when a pack repeats a kind, the
// tab captions, and the previews of the effect presets.
#include <gtest/gtest.h>

#include "shell/PresetPanelCore.h"

namespace {

Byte RedComponent(TColor32 C) { return static_cast<Byte>(C >> 16); }
Byte GreenComponent(TColor32 C) { return static_cast<Byte>(C >> 8); }
Byte BlueComponent(TColor32 C) { return static_cast<Byte>(C); }
Byte AlphaComponent(TColor32 C) { return static_cast<Byte>(C >> 24); }
TColor32 Color32(Byte R, Byte G, Byte B) { return 0xFF000000u | TColor32(R) << 16 | TColor32(G) << 8 | B; }

TEST(PresetPanelCore, TileSizesAndPlaces)
{
    struct Case {
        Integer Type, SubType;
        bool Caption;
        Integer ThumbH, TileW, TileH, PitchW, PitchH;
    };
    const Case Cases[] = {
        {0, 0, true, 78, 84, 103, 86, 105},
        {0, 3, true, 78, 84, 103, 86, 105},
        {1, 0, false, 66, 84, 71, 86, 73},
        {1, 1, false, 66, 84, 71, 86, 73},
        {1, 2, false, 71, 84, 76, 86, 78},
        {1, 3, false, 71, 84, 76, 86, 78},
    };
    for (const Case& C : Cases) {
        const TPresetThumbSize S = PresetThumbSizeFor(C.Type, C.SubType, C.Caption);
        EXPECT_EQ(S.ThumbWidth, 78);
        EXPECT_EQ(S.ThumbHeight, C.ThumbH);
        EXPECT_EQ(S.TileWidth, C.TileW);
        EXPECT_EQ(S.TileHeight, C.TileH);
        EXPECT_EQ(S.PitchWidth, C.PitchW);
        EXPECT_EQ(S.PitchHeight, C.PitchH);
        EXPECT_EQ(S.SmallChange, C.PitchH / 2);
        EXPECT_EQ(S.LargeChange, C.PitchH);
    }
    const TPresetThumbSize S = PresetThumbSizeFor(0, 0, true);
    EXPECT_EQ(PresetTileBounds(0, S, 0), (TRect{4, 3, 88, 106}));
    EXPECT_EQ(PresetTileBounds(3, S, 10), (TRect{90, 98, 174, 201}));
    EXPECT_EQ(PresetPageHeight(3, S), 2 * 105 + 3);
}

TEST(PresetPanelCore, ARepeatedKindStillGetsItsOwnThumbnail)
{
    TDataTable T;
    // type, sub type, zh, -, en, kind
    for (const char16_t* Row : {u"0,0,a,,A,1", u"0,1,b,,B,2", u"0,0,c,,C,1", u"0,0,d,,D,5"}) T.AddItem(Row);
    std::vector<TRow*> Page = FilterPresetRows(T, 0);
    ASSERT_EQ(Page.size(), 3u);
    EXPECT_EQ(Page[1], T.GetItem(2));
    // The page's rows have every cell it writes (the thumbnail size, the pointer).
    for (TRow* R : Page) EXPECT_EQ(R->ItemCount(), PresetRowCells);
    EXPECT_EQ(T.GetItem(1)->ItemCount(), 6) << "rows of other pages stay as they are";
    // Two rows of kind 1: each is a job of its own until it has a picture.
    TRow* Job = NextPresetJob(Page);
    EXPECT_EQ(Job, T.GetItem(0));
    Job->Data().Own(std::make_unique<TCustomBitmap32>());
    Job = NextPresetJob(Page);
    EXPECT_EQ(Job, T.GetItem(2)) << "the second row of the same kind";
    Job->Data().Own(std::make_unique<TCustomBitmap32>());
    EXPECT_EQ(NextPresetJob(Page), T.GetItem(3));
    T.GetItem(3)->Data().Own(std::make_unique<TCustomBitmap32>());
    EXPECT_EQ(NextPresetJob(Page), nullptr);
    // A page change meanwhile: the result's row is no longer shown.
    EXPECT_TRUE(PresetRowOnPage(Page, T.GetItem(2)));
    EXPECT_FALSE(PresetRowOnPage(FilterPresetRows(T, 1), T.GetItem(2)));
    EXPECT_FALSE(PresetRowOnPage(Page, nullptr));
}

TEST(PresetPanelCore, TabCaptions)
{
    EXPECT_EQ(PresetTabCaptions(u" Pad . Band.Pattern. Edge"),
              (std::vector<String>{u"Pad", u"Band", u"Pattern", u"Edge"}));
    EXPECT_EQ(PresetTabCaptions(u"基本.风格.色彩.场景").size(), 4u);
    EXPECT_TRUE(PresetTabCaptions(u"").empty());
}

class PresetPreview : public ::testing::Test {
protected:
    void SetUp() override
    {
        P.SetSize(40, 30);
        for (Integer y = 0; y < 30; ++y)
            for (Integer x = 0; x < 40; ++x)
                P.SetPixel(x, y, Color32(static_cast<Byte>(60 + x * 3), static_cast<Byte>(90 + y * 2), 120));
        Before.Assign(&P);
    }
    bool Unchanged()
    {
        for (Integer y = 0; y < 30; ++y)
            for (Integer x = 0; x < 40; ++x)
                if (P.Pixel(x, y) != Before.Pixel(x, y)) return false;
        return true;
    }
    static Integer Luma(TColor32 C) { return RedComponent(C) + GreenComponent(C) + BlueComponent(C); }
    TCustomBitmap32 P, Before;
};

TEST_F(PresetPreview, KindsWithoutARecipeLeaveThePicture)
{
    for (Integer Kind : {0, 11, 33, 36, 49}) {
        SetUp();
        ApplyPresetPreview(P, Kind, 50, nullptr);
        EXPECT_TRUE(Unchanged()) << Kind;
    }
    // The style kinds without their picture.
    for (Integer Kind : {27, 28, 31}) {
        SetUp();
        ApplyPresetPreview(P, Kind, 50, nullptr);
        EXPECT_TRUE(Unchanged()) << Kind;
    }
}

TEST_F(PresetPreview, RecipesChangeThePictureTheWayTheirKindSays)
{
    ApplyPresetPreview(P, 5, 0, nullptr);  // grey
    for (TPoint At : {TPoint{3, 3}, TPoint{30, 20}}) {
        const TColor32 C = P.Pixel(At.X, At.Y);
        EXPECT_EQ(RedComponent(C), GreenComponent(C));
        EXPECT_EQ(GreenComponent(C), BlueComponent(C));
    }
    SetUp();
    ApplyPresetPreview(P, 6, 0, nullptr);  // inverted
    EXPECT_EQ(RedComponent(P.Pixel(0, 0)), 255 - 60);
    SetUp();
    ApplyPresetPreview(P, 9, 0, nullptr);  // lighter
    EXPECT_GT(Luma(P.Pixel(10, 10)), Luma(Before.Pixel(10, 10)));
    SetUp();
    ApplyPresetPreview(P, 10, 0, nullptr);  // darker
    EXPECT_LT(Luma(P.Pixel(10, 10)), Luma(Before.Pixel(10, 10)));
    SetUp();
    ApplyPresetPreview(P, 15, 0, nullptr);  // the right edge fades out
    EXPECT_EQ(AlphaComponent(P.Pixel(0, 10)), 255);
    EXPECT_LT(AlphaComponent(P.Pixel(39, 10)), 64);
    SetUp();
    ApplyPresetPreview(P, 18, 200, nullptr);  // cold blue: grey, then tinted blue
    EXPECT_GT(BlueComponent(P.Pixel(20, 15)), RedComponent(P.Pixel(20, 15)));
    SetUp();
    ApplyPresetPreview(P, 20, 200, nullptr);  // warm red
    EXPECT_GT(RedComponent(P.Pixel(20, 15)), BlueComponent(P.Pixel(20, 15)));
    SetUp();
    ApplyPresetPreview(P, 2, 0, nullptr);  // sharpen no times
    EXPECT_TRUE(Unchanged());
    ApplyPresetPreview(P, 1, 0, nullptr);
    EXPECT_FALSE(Unchanged());
}

TEST_F(PresetPreview, AStylePresetBlendsItsPictureByTheValue)
{
    TCustomBitmap32 Mask;
    Mask.SetSize(8, 8);
    Mask.Clear(0xFFFFFFFF);
    ApplyPresetPreview(P, 28, 0, &Mask);  // screen at alpha 0
    EXPECT_TRUE(Unchanged());
    ApplyPresetPreview(P, 28, 100, &Mask);  // screen with white: (nearly) white
    const TColor32 C = P.Pixel(20, 15);
    for (Byte Channel : {RedComponent(C), GreenComponent(C), BlueComponent(C)}) EXPECT_GE(Channel, 0xF8);
}

TEST(PresetPanelCore, FrameGroundBecomesTransparent)
{
    TCustomBitmap32 B;
    B.SetSize(4, 1);
    B.SetPixel(0, 0, 0xFFFFFFFF);
    B.SetPixel(1, 0, 0xFFF9FDFD);
    B.SetPixel(2, 0, 0xFFE6E6E6);
    B.SetPixel(3, 0, 0xFFE6E6E5);
    ClearFrameGround(B);
    EXPECT_EQ(B.Pixel(0, 0), 0u);
    EXPECT_EQ(B.Pixel(1, 0), 0u);
    EXPECT_EQ(B.Pixel(2, 0), 0u);
    EXPECT_EQ(B.Pixel(3, 0), 0xFFE6E6E5u);
}

}  // namespace
