// Cropping a document to its crop frame or selection: the raster kept, the
// objects and guides shifted, what is reported; the dimmed surround of the
// frame in composition; deleting the frame or the selection.
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "document/ImageCrop.h"
#include "document/ImageRegion.h"
#include "document/ImageSelection.h"

namespace {
// A raster whose every pixel tells its position: 0xFF, x, y, 0.
TColor32 PositionColour(Integer x, Integer y)
{
    return 0xFF000000u | (static_cast<TColor32>(x & 0xFF) << 16) | (static_cast<TColor32>(y & 0xFF) << 8);
}

class DocumentCrop : public ::testing::Test {
protected:
    void Make(Integer W, Integer H, bool Coded = true)
    {
        Doc = NewBlankDocument(View, W, H, false);
        if (Coded)
            for (Integer y = 0; y < H; ++y)
                for (Integer x = 0; x < W; ++x) Doc->SrcBmp()->SetPixel(x, y, PositionColour(x, y));
        Doc->InitBitmap();
        Doc->OnProcessingDone = [this](TImageDraw*, TProcessingMode Mode, bool BoolData) {
            Reports.push_back({Mode, BoolData});
        };
    }
    // The darkened copy only where composition is looked at: it is a
    // whole-raster pass.
    TImgCrop* AddCrop(const TRect& R, Integer Style = 0, bool Dimmed = false)
    {
        TImgCrop* C = AddObject<TImgCrop>(*Doc, 99, shCrop);
        C->SetSRect(R);
        C->SetStyleId(Style);
        if (Dimmed) C->MakeAdjustSrcBmp(Doc->SrcBmp());
        C->Select();
        Doc->SetCurrentShape(99);
        return C;
    }
    TImgSelection* Select(const TRect& R) { return SelectRegion(*Doc, R); }
    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    std::vector<std::pair<TProcessingMode, bool>> Reports;
};

TEST_F(DocumentCrop, KeepsThePartInsideTheRaster)
{
    const struct {
        TRect Frame, Kept;
    } Cases[] = {
        {{10, 20, 40, 35}, {10, 20, 40, 35}},
        {{-5, -8, 12, 9}, {0, 0, 12, 9}},      // partly above and left
        {{50, 40, 90, 80}, {50, 40, 64, 48}},  // partly beyond the right and bottom
        {{40, 30, 10, 5}, {10, 5, 40, 30}},    // corners swapped by a drag up and left
    };
    for (const auto& c : Cases) {
        Make(64, 48);
        AddCrop(c.Frame);
        ASSERT_TRUE(Doc->CropEnabled());
        Doc->SetChangedFlag(false);
        Doc->Crop();
        const TRect& K = c.Kept;
        ASSERT_EQ(Doc->SrcBmp()->Width(), K.Right - K.Left);
        ASSERT_EQ(Doc->SrcBmp()->Height(), K.Bottom - K.Top);
        EXPECT_EQ(Doc->Width(), K.Right - K.Left);  // the view bitmap follows
        EXPECT_EQ(Doc->SrcBmp()->Pixel(0, 0), PositionColour(K.Left, K.Top));
        EXPECT_EQ(Doc->SrcBmp()->Pixel(K.Right - K.Left - 1, K.Bottom - K.Top - 1),
                  PositionColour(K.Right - 1, K.Bottom - 1));
        EXPECT_TRUE(Doc->SrcBmpChanged());
        EXPECT_TRUE(Doc->Modified());
        EXPECT_TRUE(Doc->CropExists());  // the caller deletes the frame
    }
}

TEST_F(DocumentCrop, AFrameOutsideTheRasterCropsNothing)
{
    Make(64, 48);
    EXPECT_FALSE(Doc->CropEnabled());  // no frame, no selection
    AddCrop({70, 10, 90, 30});
    EXPECT_FALSE(Doc->CropEnabled());
    Doc->Crop();
    EXPECT_EQ(Doc->SrcBmp()->Width(), 64);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(DocumentCrop, ASelectionCropsToItsBounds)
{
    Make(64, 48);
    Select({8, 4, 24, 20});
    ASSERT_TRUE(Doc->CropEnabled());
    Doc->Crop();
    EXPECT_EQ(Doc->SrcBmp()->Width(), 16);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(0, 0), PositionColour(8, 4));
}

TEST_F(DocumentCrop, ReportsALargeOriginalCutBelowHalf)
{
    const struct {
        Integer W, H;
        TRect Frame;
        bool BoolData;
    } Cases[] = {
        {4000, 3000, {0, 0, 1000, 1000}, true},
        {1000, 1000, {0, 0, 10, 10}, false},        // the original is not over 2,560,000 pixels
        {2000, 1281, {0, 0, 2000, 640}, true},      // 2,562,000 pixels, half is 1,281,000
        {2000, 1281, {0, 0, 2000, 641}, false},     // 1,282,000 kept
        {1600, 1600, {0, 0, 1600, 799}, false},     // exactly 2,560,000 is not over it
    };
    for (const auto& c : Cases) {
        Make(c.W, c.H, false);
        AddCrop(c.Frame);
        Doc->Crop();
        ASSERT_EQ(Reports.size(), 1u);
        EXPECT_EQ(Reports[0].first, TProcessingMode::pmCrop);
        EXPECT_EQ(Reports[0].second, c.BoolData) << c.W << "x" << c.H;
        Reports.clear();
    }
}

TEST_F(DocumentCrop, ObjectsAndGuidesShiftWithTheCrop)
{
    Make(800, 600, false);
    TImgShape* Object = AddObject(*Doc, 1, shRectangle);
    Object->SetSRect({500, 400, 560, 450});
    Doc->HorzGuidesRow()->AddItem(400);
    Doc->VertGuidesRow()->AddItem(500);
    AddCrop({100, 100, 700, 500});
    Doc->Crop();
    EXPECT_EQ(Object->SRect(), (TRect{400, 300, 460, 350}));
    EXPECT_EQ(Doc->HorzGuidesRow()->GetItem(0)->Value(), 300);
    EXPECT_EQ(Doc->VertGuidesRow()->GetItem(0)->Value(), 400);
}

TEST_F(DocumentCrop, CompositionDimsOutsideAStyleZeroFrame)
{
    for (Integer Style : {0, 1}) {
        Make(40, 30, false);
        Doc->SrcBmp()->Clear(0xFFC8C8C8);
        AddCrop({10, 10, 30, 20}, Style, true);
        Doc->Draw();
        SCOPED_TRACE(Style);
        const TColor32 Inside = Doc->Bitmap()->Pixel(15, 15), Outside = Doc->Bitmap()->Pixel(5, 5);
        EXPECT_EQ(Inside, 0xFFC8C8C8u);
        if (Style == 0) {
            EXPECT_LT(Outside & 0xFF, 0xC8u);
            EXPECT_EQ(Doc->Bitmap()->Pixel(29, 19), 0xFFC8C8C8u);  // the frame's last pixel is inside
            EXPECT_EQ(Doc->Bitmap()->Pixel(30, 19), Outside);
        } else {
            EXPECT_EQ(Outside, 0xFFC8C8C8u);
        }
    }
}

TEST_F(DocumentCrop, DeletingTheFrameOrTheSelection)
{
    Make(40, 30, false);
    Integer Selected = 0;
    Doc->OnShapeSelected = [&](TImageDraw*) { ++Selected; };
    EXPECT_FALSE(Doc->DeleteCropShape());
    EXPECT_FALSE(Doc->DeleteSelectionCropShape(false));
    AddObject(*Doc, 1, shRectangle);
    AddCrop({1, 1, 5, 5});
    Doc->SetModified(false);
    EXPECT_TRUE(Doc->DeleteCropShape());
    EXPECT_FALSE(Doc->CropExists());
    EXPECT_EQ(Doc->Shape(), nullptr);
    EXPECT_EQ(Doc->ObjectSelectedCount(), 0);
    EXPECT_TRUE(Doc->Modified());
    EXPECT_EQ(Selected, 1);
    EXPECT_EQ(Doc->DT()->ItemCount(), 1);

    // A selection, its lifted pixels stamped into the raster or dropped.
    for (bool Flatten : {false, true}) {
        Make(64, 48);
        Doc->SetAntialiasing(false);
        TImgSelection* Sel = Select({2, 2, 10, 10});
        Sel->SetUseMoveSelection(true);
        Sel->Click();
        Sel->MoveShape(5, 5, 25, 5);  // lifted and carried 20 to the right
        EXPECT_FALSE(Doc->DeleteCropShape());
        EXPECT_TRUE(Doc->DeleteSelectionCropShape(Flatten));
        EXPECT_FALSE(Doc->SelectionExists());
        EXPECT_EQ(Doc->SrcBmp()->Pixel(25, 5), Flatten ? PositionColour(5, 5) : PositionColour(25, 5)) << Flatten;
    }
}

// A damaged document's id that is no number names no object: the frame on
// top is left, and nothing raises.
TEST_F(DocumentCrop, DeletingAFrameWhoseIdIsDamaged)
{
    for (const char16_t* Id : {u"x", u"7.5", u""}) {
        Make(40, 30, false);
        AddCrop({1, 1, 5, 5});
        Doc->DT()->GetItem(0)->GetItem(ObjCol::Id)->SetText(Id);
        Doc->SetModified(false);
        EXPECT_FALSE(Doc->DeleteCropShape());
        EXPECT_FALSE(Doc->DeleteSelectionCropShape(false));
        EXPECT_TRUE(Doc->CropExists());
        EXPECT_FALSE(Doc->Modified());
    }
}

TEST_F(DocumentCrop, SizePresetsSetTheCurrentObjectsSize)
{
    Make(400, 300, false);
    TImgCrop* C = AddCrop({10, 20, 30, 40});
    Integer Modified = 0;
    Doc->OnShapeModified = [&](TImageDraw*) { ++Modified; };
    Doc->SetChangedFlag(false);
    Doc->ShapeSetSize(20, 20);  // unchanged
    EXPECT_EQ(Modified, 0);
    EXPECT_FALSE(Doc->Changed());
    Doc->ShapeSetSize(320, 240);
    EXPECT_EQ(C->SRect(), (TRect{10, 20, 330, 260}));
    EXPECT_EQ(Modified, 1);
    EXPECT_TRUE(Doc->Modified());
}
}  // namespace

namespace {
TEST_F(DocumentCrop, DrawingANewFrameHoldsItsRatio)
{
    Make(400, 300, false);
    TDataTable Defaults;
    AddEmptyDefaultRows(Defaults);
    Doc->SetPropDT(&Defaults);
    Doc->SrcBmp()->Clear(0xFFC8C8C8);
    const struct {
        Integer RateIndex, Y2;
        const char16_t* Label;
    } Cases[] = {{8, 89, u"160 \u00D7 90   16:9"}, {-1, 50, u"160 \u00D7 51"}, {7, 119, u"160 \u00D7 120   4:3"}};
    for (const auto& c : Cases) {
        Doc->SetCropRateIndex(c.RateIndex);
        Doc->CreateShape(shCrop);
        Doc->DrawShape(0, 0, 159, 50);
        auto* Frame = dynamic_cast<TImgCrop*>(Doc->Shape());
        ASSERT_NE(Frame, nullptr);
        EXPECT_EQ(Frame->SRect().Bottom - 1, c.Y2) << c.RateIndex;
        EXPECT_EQ(Frame->LabelText(), String(c.Label));
        // The dimmed copy is made when the frame is.
        ASSERT_EQ(Frame->AdjustSrcBmp()->Width(), 400);
        EXPECT_LT(Frame->AdjustSrcBmp()->Pixel(5, 5) & 0xFF, 0xC8u);
        Doc->CreateShapeOver(false);
        EXPECT_TRUE(Doc->DeleteCropShape());
    }
    Doc->SetPropDT(nullptr);
}
}  // namespace
