// The crop frame on a real image view (Wine on an X display), read back from
// the screen: the raster dimmed outside a style-0 frame and not outside
// others, the frame's handles and its size label's box.
#include "DocumentOnView.h"

#include "document/ImageCrop.h"

using namespace guitest;

namespace {
constexpr COLORREF ScreenGrey = 0x808080, ScreenWhite = 0xFFFFFF, ScreenBlack = 0x000000;

Integer RedOf(COLORREF C) { return static_cast<Integer>(C & 0xFF); }
bool IsGreyTone(COLORREF C) { return (C & 0xFF) == ((C >> 8) & 0xFF) && (C & 0xFF) == ((C >> 16) & 0xFF); }
}  // namespace

class CropOnView : public DocumentOnView {
protected:
    TImgCrop* AddCrop(const TRect& R, Integer Style)
    {
        auto Crop = std::make_unique<TImgCrop>(Doc.get(), 1, nullptr);
        TImgCrop* C = Crop.get();
        TRow* Row = Doc->DT()->AddItem(u"1,1,,0,0");
        Row->Data().Own(std::move(Crop));
        C->SetSRect(R);
        C->SetStyleId(Style);
        C->SetCreating(false);
        C->MakeAdjustSrcBmp(Doc->SrcBmp());
        C->Select();
        Doc->SetCurrentShape(1);
        return C;
    }
    // A pixel of the picture, in image coordinates (unzoomed).
    COLORREF Img(Integer X, Integer Y) const { return At(X + Doc->OffsetHorz(), Y + Doc->OffsetVert()); }
};

TEST_F(CropOnView, OutsideAStyleZeroFrameIsDimmed)
{
    AddCrop({50, 40, 150, 80}, 0);
    Show();
    EXPECT_EQ(Img(100, 60), ScreenGrey);  // inside
    EXPECT_EQ(Img(50, 40), ScreenGrey);
    EXPECT_EQ(Img(149, 79), ScreenGrey);
    for (TPoint P : {TPoint{10, 10}, TPoint{100, 90}, TPoint{30, 60}, TPoint{170, 60}}) {
        const COLORREF C = Img(P.X, P.Y);
        EXPECT_TRUE(IsGreyTone(C)) << P.X << "," << P.Y;
        EXPECT_LT(RedOf(C), 0x80) << P.X << "," << P.Y;
    }
    // Corner handle 3, white framed in black, just outside the bottom-right corner.
    EXPECT_EQ(Img(150, 80), ScreenBlack);
    EXPECT_EQ(Img(152, 82), ScreenWhite);
    // The size label's white box above the frame: from Left + 5, 17 pixels up.
    EXPECT_EQ(Img(55, 23), ScreenWhite);
}

TEST_F(CropOnView, OtherStylesLeaveTheSurround)
{
    AddCrop({50, 40, 150, 80}, 1);
    Show();
    EXPECT_EQ(Img(10, 10), ScreenGrey);
    EXPECT_EQ(Img(100, 90), ScreenGrey);
    EXPECT_EQ(Img(152, 82), ScreenBlack);  // black handles
    EXPECT_LT(RedOf(Img(50, 40)), 0x10);   // the dashed frame starts black
}
