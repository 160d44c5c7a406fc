// The document on a real image view (Wine on an X display): the control
// layer paints the current object's handles into the window, and watermark
// pictures are decoded by the image-file routines.
#include "DocumentOnView.h"

#include <filesystem>

#include "document/ImageSmall.h"
#include "foundation/win/HyFileUtils_Image.h"

using namespace guitest;

TEST_F(DocumentOnView, HandlesOfTheCurrentObjectInTheWindow)
{
    EXPECT_EQ(View->Bitmap()->Width(), 200);
    EXPECT_EQ(View->Bitmap()->Font()->Name(), u"Tahoma");
    ASSERT_EQ(View->Layers()->Count(), 1);

    TRow* Row = Doc->DT()->AddItem(u"1,8,,0,0");
    auto Picture = std::make_unique<TImgSmall>(Doc.get(), 1, nullptr);
    Picture->SetSRect({20, 20, 80, 60});
    Picture->CalcCenterPoint();
    Picture->SetCreating(false);
    TImgSmall* P = Picture.get();
    Row->Data().Own(std::move(Picture));
    P->Select();
    Doc->SetCurrentShape(1);

    TDib Dib(317, 217);
    View->Invalidate();
    View->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    // The corner handles are yellow discs centred on the corners; the middle
    // handles of a picture are not shown.
    TPoint TopLeft = P->CtrPoints()[1];
    EXPECT_EQ(TopLeft, (TPoint{Doc->OffsetHorz() + 20, Doc->OffsetVert() + 20}));
    EXPECT_EQ(Dib.Pixel(TopLeft.X, TopLeft.Y), 0xFFFF00u);
    TPoint BottomRight = P->CtrPoints()[3];
    EXPECT_EQ(Dib.Pixel(BottomRight.X, BottomRight.Y), 0xFFFF00u);
    TPoint TopMiddle = P->CtrPoints()[5];
    EXPECT_EQ(Dib.Pixel(TopMiddle.X, TopMiddle.Y), 0x808080u);
    EXPECT_EQ(P->CtrRect()[5], TRect{});
    // A hit on the handle picks it with the handle's cursor.
    ASSERT_TRUE(P->PtInControl(BottomRight.X, BottomRight.Y));
    EXPECT_EQ(P->CurrentCtrIndex(), 3);
    EXPECT_EQ(P->CurrentCursor(), crSizeNWSE);

    // Another mode hides the object handles.
    Doc->SetControlMode(cmProcess);
    View->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    EXPECT_EQ(Dib.Pixel(TopLeft.X, TopLeft.Y), 0x808080u);
}

TEST_F(DocumentOnView, WatermarkFromAPictureFile)
{
    std::filesystem::path File = std::filesystem::temp_directory_path() / "lm_wm_test.png";
    String Name = UTF8ToString(File.string());
    TBitmap32 Mark;
    Mark.SetSize(20, 10);
    Mark.Clear(0xFFFF0000);
    SaveBitmap32ToFile(&Mark, Name, ifPng, -1);
    Doc->AddWatermark(Name, 0, 4, 0, 0, 0, 0, 0, 255, false, 0);
    ASSERT_TRUE(Doc->WatermarkEnabled());
    Doc->InitBitmap();
    EXPECT_EQ(Doc->WMShape()->SRect(), (TRect{90, 45, 110, 55}));
    EXPECT_EQ(Doc->WMBmp()->Pixel(100, 50), 0xFFFF0000u);
    std::filesystem::remove(File);
    // A file that does not decode switches the watermark off.
    Doc->AddWatermark(Name, 0, 4, 0, 0, 0, 0, 0, 255, false, 0);
    EXPECT_FALSE(Doc->WatermarkEnabled());
}
