// The crop frame: its handles by style and ratio, the size label and where it
// sits, the preview, the move step and the darkened copy of the raster.
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "PixelSets.h"
#include "RecordingControlHooks.h"
#include "document/ImageCrop.h"

namespace {
constexpr TColor32 Grey = 0xFF808080, Black = 0xFF000000, White = 0xFFFFFFFF;

bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

class CropFrame : public ::testing::Test {
protected:
    // A crop frame over R on a 400 x 300 canvas shown unzoomed at view (0, 0).
    TImgCrop* Make(const TRect& R, Integer Style = 0)
    {
        Doc = NewBlankDocument(View, 400, 300, false);
        Doc->InitBitmap();
        TImgCrop* C = AddObject<TImgCrop>(*Doc, 1, shCrop);
        C->SetSRect(R);
        C->SetStyleId(Style);
        C->Select();
        Buffer.SetSize(500, 400);
        Buffer.Clear(Grey);
        return C;
    }
    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    TCustomBitmap32 Buffer;
};

TEST(CropRateName, PresetsAndOthers)
{
    const struct {
        Integer Index;
        const char16_t* Name;
    } Cases[] = {{0, u"W:H"}, {1, u"1:1"}, {5, u"5:7"}, {7, u"4:3"}, {8, u"16:9"}, {9, u"16:10"},
                 {-1, u""},   {10, u""},   {-2, u""}};
    for (const auto& C : Cases) EXPECT_EQ(CropRateName(C.Index), String(C.Name)) << C.Index;
}

TEST_F(CropFrame, MiddleHandlesNeedAFreeRatioAndRoom)
{
    const struct {
        Integer W, H;
        Single Rate;
        bool TopBottom, LeftRight;
    } Cases[] = {
        {20, 50, -1, false, true},  {21, 50, -1, true, true}, {50, 20, -1, true, false},
        {50, 21, -1, true, true},   {100, 100, 0, false, false}, {100, 100, 1.5f, false, false},
    };
    for (const auto& c : Cases) {
        TImgCrop* C = Make({50, 60, 50 + c.W, 60 + c.H});
        Doc->SetCropFixedRate(c.Rate);
        C->DrawControlPoint(&Buffer);
        SCOPED_TRACE(testing::Message() << c.W << "x" << c.H << " rate " << c.Rate);
        for (Integer i = 1; i <= 4; ++i) EXPECT_FALSE(IsEmpty(C->CtrRect()[i])) << i;
        EXPECT_EQ(!IsEmpty(C->CtrRect()[5]), c.TopBottom);
        EXPECT_EQ(!IsEmpty(C->CtrRect()[6]), c.TopBottom);
        EXPECT_EQ(!IsEmpty(C->CtrRect()[7]), c.LeftRight);
        EXPECT_EQ(!IsEmpty(C->CtrRect()[8]), c.LeftRight);
    }
}

TEST_F(CropFrame, HandlesSitOutsideTheCornersAndAreHitThere)
{
    TImgCrop* C = Make({50, 60, 150, 120});
    Doc->SetCropFixedRate(-1);
    C->DrawControlPoint(&Buffer);
    EXPECT_EQ(C->CtrRect()[1], (TRect{44, 54, 50, 60}));
    EXPECT_EQ(C->CtrRect()[2], (TRect{150, 54, 156, 60}));
    EXPECT_EQ(C->CtrRect()[3], (TRect{150, 120, 156, 126}));
    EXPECT_EQ(C->CtrRect()[4], (TRect{44, 120, 50, 126}));
    EXPECT_EQ(C->CtrRect()[5], (TRect{97, 54, 103, 60}));
    EXPECT_EQ(C->CtrRect()[7], (TRect{44, 87, 50, 93}));
    EXPECT_TRUE(C->PtInControl(155, 125));
    EXPECT_EQ(C->CurrentCtrIndex(), 3);
    EXPECT_FALSE(C->PtInControl(100, 100));
    EXPECT_TRUE(C->PtInShape(100, 100));
}

TEST_F(CropFrame, HandleColoursByStyle)
{
    for (Integer Style : {0, 1, 2}) {
        TImgCrop* C = Make({50, 60, 150, 120}, Style);
        C->DrawControlPoint(&Buffer);
        SCOPED_TRACE(Style);
        // Corner 3 spans (150, 120) - (156, 126): its rim and its middle.
        EXPECT_EQ(Buffer.Pixel(150, 120), Black);
        EXPECT_EQ(Buffer.Pixel(153, 123), Style == 0 ? White : Black);
    }
}

TEST_F(CropFrame, StyleOneDrawsADashedFrame)
{
    TImgCrop* C = Make({50, 60, 150, 120}, 1);
    C->DrawControlPoint(&Buffer);
    // Three black, three white along the top edge from its left end (the
    // pattern's colours mix a little between its entries).
    const bool Dark[] = {true, true, true, false, false, false, true};
    for (Integer i = 0; i < 7; ++i) {
        const Integer Blue = Buffer.Pixel(50 + i, 60) & 0xFF;
        EXPECT_EQ(Blue < 0x10, Dark[i]) << i;
        EXPECT_TRUE(Blue < 0x10 || Blue > 0xF0) << i;
    }
    EXPECT_NE(Buffer.Pixel(149, 90), Grey);  // the right edge is at Right - 1
    EXPECT_EQ(Buffer.Pixel(100, 90), Grey);  // nothing inside

    TImgCrop* Plain = Make({50, 60, 150, 120}, 0);
    Plain->DrawControlPoint(&Buffer);
    EXPECT_EQ(Buffer.Pixel(52, 60), Grey);  // the label box starts at Left + 5
}

TEST_F(CropFrame, LabelTextAndPlace)
{
    TRecordingHooks Hooks;
    const struct {
        Integer Top, TextY;
    } Cases[] = {{20, 24}, {0, 4}, {21, 4}, {100, 83}};
    for (const auto& c : Cases) {
        TImgCrop* C = Make({30, c.Top, 670, c.Top + 480});
        Hooks.Texts.clear();
        C->DrawControlPoint(&Buffer);
        ASSERT_EQ(Hooks.Texts.size(), 1u);
        // Within 20 view pixels of the top the label goes 4 pixels inside, else 17 above.
        EXPECT_EQ(Hooks.Texts[0].first, (TPoint{38, c.TextY})) << c.Top;
        EXPECT_EQ(Hooks.Texts[0].second, u"640 \u00D7 480");
    }
    // The white box: from Left + 5 to Left + 10 + the text's width, 14 high.
    TImgCrop* C = Make({30, 100, 670, 580});
    C->DrawControlPoint(&Buffer);
    const Integer TextW = 9 * 7;
    EXPECT_EQ(Buffer.Pixel(35, 83), White);
    EXPECT_EQ(Buffer.Pixel(34, 83), Grey);
    EXPECT_EQ(Buffer.Pixel(39 + TextW, 96), White);
    EXPECT_EQ(Buffer.Pixel(40 + TextW, 96), Grey);
    EXPECT_EQ(Buffer.Pixel(35, 97), Grey);
}

TEST_F(CropFrame, NothingWithoutWidthOrHeight)
{
    TRecordingHooks Hooks;
    TImgCrop* C = Make({50, 60, 50, 120});
    C->DrawControlPoint(&Buffer);
    EXPECT_TRUE(Hooks.Texts.empty());
    for (Integer y = 0; y < Buffer.Height(); y += 3)
        for (Integer x = 0; x < Buffer.Width(); x += 3) ASSERT_EQ(Buffer.Pixel(x, y), Grey);
}

TEST(CropFrameAlone, PreviewFillsStyleZeroLightYellow)
{
    TCustomBitmap32 Target;
    Target.SetSize(60, 40);
    for (Integer Style : {0, 2}) {
        Target.Clear(Grey);
        TImgCrop C(nullptr, 1, &Target);
        C.SetSRect({10, 10, 50, 30});
        C.SetStyleId(Style);
        C.Draw(nullptr);
        EXPECT_EQ(Target.Pixel(30, 20), Style == 0 ? 0xFFFFFFB4 : Grey) << Style;
        // A preview has no middle handles: its frame alone decides their room.
        EXPECT_TRUE(IsEmpty(C.CtrRect()[5]));
        EXPECT_EQ(C.LabelText(), u"40 \u00D7 20");  // no document: no ratio name
    }
}

TEST(CropFrameAlone, MoveStepsFromTheLastPoint)
{
    TImgCrop C(nullptr, 1, nullptr);
    C.SetSRect({10, 10, 50, 30});
    C.PrepareMove();
    C.MoveShape(0, 0, 5, 3);
    C.MoveShape(0, 0, 7, 3);
    EXPECT_EQ(C.SRect(), (TRect{17, 13, 57, 33}));
}

TEST(CropFrameAlone, DarkenedCopyOfTheRaster)
{
    TCustomBitmap32 Src;
    Src.SetSize(4, 3);
    Src.Clear(0xFFC8C8C8);
    TImgCrop C(nullptr, 1, nullptr);
    EXPECT_TRUE(C.AdjustSrcBmp()->Empty());
    C.MakeAdjustSrcBmp(&Src);
    ASSERT_EQ(C.AdjustSrcBmp()->Width(), 4);
    ASSERT_EQ(C.AdjustSrcBmp()->Height(), 3);
    const TColor32 P = C.AdjustSrcBmp()->Pixel(2, 1);
    EXPECT_LT(P & 0xFF, 0xC8u);
    EXPECT_EQ(Src.Pixel(2, 1), 0xFFC8C8C8u);  // the raster keeps its pixels
}
}  // namespace
