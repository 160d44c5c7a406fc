// The document's commands on its objects as a group (deleting, z-order,
// aligning, moving, shifting) and on the raster (turning, mirroring,
// resizing, the canvas).
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "document/ImageSmall.h"

namespace {
class Arrange : public ::testing::Test {
protected:
    void SetUp() override { Doc = NewBlankDocument(View, 100, 80, false, 0x0000FF); Doc->InitBitmap(); }
    // Objects named by the letters of Names from the bottom, ids 1, 2, ...;
    // those followed by "*" are selected, by "!" fixed.
    void MakeObjects(const std::string& Names)
    {
        Integer Id = 0;
        for (size_t i = 0; i < Names.size(); ++i) {
            if (Names[i] == '*' || Names[i] == '!') continue;
            const bool Fixed = i + 1 < Names.size() && Names[i + 1] == '!';
            TImgShape* S = AddObject(*Doc, ++Id, shRectangle, Fixed, false, String(1, static_cast<char16_t>(Names[i])));
            S->SetSRect({10 * Id, 5 * Id, 10 * Id + 20, 5 * Id + 10});
            if (i + 1 < Names.size() && Names[i + 1] == '*') S->Select();
        }
    }
    std::string Order() const
    {
        std::string S;
        for (Integer i = 0; i < Doc->DT()->ItemCount(); ++i)
            S += static_cast<char>(Doc->DT()->GetItem(i)->GetItem(ObjCol::Name)->Text()[0]);
        return S;
    }
    TImgShape* Object(Integer Id) const { return TImageDraw::RowShape(Doc->DT()->GetItem(Doc->IndexOfShapeId(Id))); }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
};

TEST_F(Arrange, ZOrder)
{
    const struct {
        const char* Start;
        void (TImageDraw::*Command)();
        const char* Want;
    } Cases[] = {
        {"AB*CD*", &TImageDraw::BringToFront, "ACBD"},
        {"AB*CD*", &TImageDraw::SendToBack, "BDAC"},
        {"AB*CD*", &TImageDraw::BringForward, "ACBD"},
        {"AB*CD*", &TImageDraw::SendBackward, "BADC"},
        {"A*BC", &TImageDraw::BringForward, "BAC"},
        {"ABC*", &TImageDraw::BringForward, "ABC"},      // already on top
        {"A*B*CD", &TImageDraw::BringForward, "CA" "BD"},  // adjacent ones climb together
        {"A*BC!D*", &TImageDraw::BringForward, "BAC" "D"},  // a fixed row in the top run stays
        {"AB*C*", &TImageDraw::SendBackward, "BCA"},
        {"A*BC", &TImageDraw::SendBackward, "ABC"},      // already at the bottom
        {"A*B", &TImageDraw::BringToFront, "BA"},
        {"A*B!", &TImageDraw::BringToFront, "AB"},       // one editable object: nothing
    };
    for (const auto& c : Cases) {
        SetUp();
        MakeObjects(c.Start);
        (Doc.get()->*c.Command)();
        EXPECT_EQ(Order(), c.Want) << c.Start;
    }
}

TEST_F(Arrange, ACropFrameOnTopStaysOnTop)
{
    MakeObjects("AB*C");
    TImgShape* Crop = AddObject(*Doc, 9, shCrop, false, false, u"X");
    Crop->Select();
    Doc->BringToFront();
    EXPECT_EQ(Order(), "ACBX");
    Doc->SendToBack();
    EXPECT_EQ(Order(), "BACX");
    EXPECT_TRUE(Doc->CropExists());
}

TEST_F(Arrange, Align)
{
    // One selected object aligns to the image (100 x 80), two or more to their union.
    const struct {
        const char* Objects;
        Integer Mode;
        TRect Want1;  // object 1 starts at (10, 5, 30, 15), object 2 at (20, 10, 40, 20)
    } Cases[] = {
        {"A*B", 0, {0, 5, 20, 15}},    {"A*B", 1, {40, 5, 60, 15}},   {"A*B", 2, {80, 5, 100, 15}},
        {"A*B", 3, {10, 0, 30, 10}},   {"A*B", 4, {10, 35, 30, 45}},  {"A*B", 5, {10, 70, 30, 80}},
        {"A*B*", 0, {10, 5, 30, 15}},  {"A*B*", 2, {20, 5, 40, 15}},  {"A*B*", 5, {10, 10, 30, 20}},
        {"A*B*", 1, {15, 5, 35, 15}},  {"A*B", 9, {10, 5, 30, 15}},
    };
    for (const auto& c : Cases) {
        SetUp();
        MakeObjects(c.Objects);
        Doc->AlignShape(c.Mode);
        EXPECT_EQ(Object(1)->SRect(), c.Want1) << c.Objects << " mode " << c.Mode;
    }
}

TEST_F(Arrange, ATurnedObjectAlignsByItsUnturnedRectangle)
{
    MakeObjects("A*");
    Object(1)->SetAngle(45);
    Doc->AlignShape(0);
    EXPECT_EQ(Object(1)->SRect().Left, 0);
}

TEST_F(Arrange, ArrowKeysNudgeSelectedObjectsAndFrames)
{
    MakeObjects("A*B");
    TImgShape* Crop = AddObject(*Doc, 9, shCrop);  // not selected
    Crop->SetSRect({1, 1, 5, 5});
    Integer Modified = 0;
    Doc->OnShapeModified = [&](TImageDraw*) { ++Modified; };
    const struct {
        Integer Key, DX, DY;
    } Keys[] = {{37, -1, 0}, {38, 0, -1}, {39, 1, 0}, {40, 0, 1}};
    TRect A = Object(1)->SRect();
    for (const auto& k : Keys) {
        Doc->MoveShapeByArrowKey(k.Key);
        A = TRect{A.Left + k.DX, A.Top + k.DY, A.Right + k.DX, A.Bottom + k.DY};
        EXPECT_EQ(Object(1)->SRect(), A) << k.Key;
    }
    EXPECT_EQ(Object(2)->SRect(), (TRect{20, 10, 40, 20}));
    EXPECT_EQ(Crop->SRect(), (TRect{1, 1, 5, 5}));  // moved left, up, right and down
    EXPECT_EQ(Modified, 4);                        // one object selected
}

TEST_F(Arrange, DragMovesEverySelectedObject)
{
    MakeObjects("A*BC*");
    Doc->SetModified(false);
    for (Integer Id : {1, 3}) Object(Id)->PrepareMove();
    Doc->MoveShapes(50, 50, 53, 52);
    Doc->MoveShapesOver(3, 2);
    EXPECT_EQ(Object(1)->SRect(), (TRect{13, 7, 33, 17}));
    EXPECT_EQ(Object(2)->SRect(), (TRect{20, 10, 40, 20}));
    EXPECT_EQ(Object(3)->SRect(), (TRect{33, 17, 53, 27}));
    EXPECT_TRUE(Doc->Modified());
}

TEST_F(Arrange, ShiftingMovesObjectsAndGuides)
{
    MakeObjects("AB");
    Doc->HorzGuidesRow()->AddItem(30);
    Doc->VertGuidesRow()->AddItem(40);
    Doc->SetChangedFlag(false);
    Doc->ResetShapeLocation(0, 0);
    EXPECT_FALSE(Doc->Changed());
    Doc->ResetShapeLocation(-5, 7);
    EXPECT_EQ(Object(2)->SRect(), (TRect{15, 17, 35, 27}));
    EXPECT_EQ(Doc->HorzGuidesRow()->GetItem(0)->Value(), 37);
    EXPECT_EQ(Doc->VertGuidesRow()->GetItem(0)->Value(), 35);
    EXPECT_TRUE(Doc->Changed());
}

TEST_F(Arrange, Deleting)
{
    MakeObjects("A*BC*");
    Integer Selected = 0;
    Doc->OnShapeSelected = [&](TImageDraw*) { ++Selected; };
    Doc->SetCurrentShape(3);
    EXPECT_FALSE(Doc->DeleteShapeById(-1));
    EXPECT_FALSE(Doc->DeleteShapeById(7));
    EXPECT_TRUE(Doc->DeleteShapeById(3));
    EXPECT_EQ(Doc->Shape(), nullptr);
    EXPECT_EQ(Doc->ObjectSelectedCount(), 1);
    EXPECT_EQ(Selected, 0);  // one object alone reports nothing
    Doc->DeleteShapes();
    EXPECT_EQ(Order(), "B");
    EXPECT_EQ(Selected, 1);
    TRow None;
    None.AddItem(42);
    Doc->DeleteShapes(None);
    EXPECT_EQ(Selected, 1);
}

TEST_F(Arrange, LookupsAndPencilStrokes)
{
    MakeObjects("ABA");
    EXPECT_EQ(Doc->GetShapeIdByName(u"A"), 1);  // the lower of two
    EXPECT_EQ(Doc->GetShapeIdByName(u"Z"), -1);
    // A damaged document's id that is no number names no object.
    Doc->DT()->GetItem(0)->GetItem(ObjCol::Id)->SetText(u"one");
    EXPECT_EQ(Doc->GetShapeIdByName(u"A"), -1);
    EXPECT_EQ(Doc->GetShapeIdByName(u"B"), 2);
    Doc->DT()->GetItem(0)->GetItem(ObjCol::Id)->SetText(u"1");
    TImgShape* Pencil = AddObject(*Doc, 8, shLines, true);
    Doc->SetPencilEditable(true);
    EXPECT_FALSE(Pencil->Fixed());
    EXPECT_FALSE(Object(1)->Fixed());
    Doc->SetPencilEditable(false);
    EXPECT_TRUE(Pencil->Fixed());
    EXPECT_FALSE(Doc->PencilEditable());
}

// ---------------------------------------------------------------------------
// The raster

class Canvas : public ::testing::Test {
protected:
    // A W x H raster: red, with the top-left pixel green and the top-right blue.
    void Make(Integer W, Integer H, bool Transparent = false)
    {
        Doc = NewBlankDocument(View, W, H, Transparent, 0x00FFFF);  // canvas yellow
        Reports.clear();
        Doc->SrcBmp()->Clear(Red);
        Doc->SrcBmp()->SetPixel(0, 0, Green);
        Doc->SrcBmp()->SetPixel(W - 1, 0, Blue);
        Doc->InitBitmap();
        Doc->OnProcessingDone = [this](TImageDraw*, TProcessingMode Mode, bool) { Reports.push_back(Mode); };
    }
    TColor32 At(Integer x, Integer y) const { return Doc->SrcBmp()->Pixel(x, y); }
    static constexpr TColor32 Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF, Yellow = 0xFFFFFF00;
    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    std::vector<TProcessingMode> Reports;
};

TEST_F(Canvas, TurnsAndMirrors)
{
    const struct {
        Integer Mode;
        TPoint GreenAt, BlueAt;
    } Turns[] = {{0, {0, 2}, {0, 0}}, {1, {1, 0}, {1, 2}}, {2, {2, 1}, {0, 1}}};
    for (const auto& t : Turns) {
        Make(3, 2);
        TImgShape* Object = AddObject(*Doc, 1, shRectangle);
        Object->SetSRect({0, 0, 2, 1});
        Doc->Rotate(t.Mode);
        const Integer W = t.Mode == 2 ? 3 : 2;
        EXPECT_EQ(Doc->SrcBmp()->Width(), W) << t.Mode;
        EXPECT_EQ(Doc->Width(), W);  // the view bitmap follows
        EXPECT_EQ(At(t.GreenAt.X, t.GreenAt.Y), Green) << t.Mode;
        EXPECT_EQ(At(t.BlueAt.X, t.BlueAt.Y), Blue) << t.Mode;
        EXPECT_EQ(Object->SRect(), (TRect{0, 0, 2, 1}));  // objects stay
        EXPECT_EQ(Reports, std::vector<TProcessingMode>{TProcessingMode::pmTransform});
    }
    Make(3, 2);
    Doc->Flip(0);
    EXPECT_EQ(At(2, 0), Green);
    EXPECT_EQ(At(0, 0), Blue);
    Doc->Flip(1);
    EXPECT_EQ(At(2, 1), Green);
    EXPECT_TRUE(Doc->SrcBmpChanged());
}

TEST_F(Canvas, ResizeImage)
{
    Make(10, 8);
    EXPECT_FALSE(Doc->ResizeImage(10, 8));
    EXPECT_FALSE(Doc->ResizeImage(0, 8));
    EXPECT_TRUE(Doc->ResizeImage(20, 4));
    EXPECT_EQ(Doc->SrcBmp()->Width(), 20);
    EXPECT_EQ(Doc->SrcBmp()->Height(), 4);
}

TEST_F(Canvas, ResizeCanvasCentresTheImage)
{
    Make(10, 8);
    EXPECT_FALSE(Doc->ResizeCanvas(10, 8));
    ASSERT_TRUE(Doc->ResizeCanvas(14, 11));  // 2 columns each side, 1 row above, 2 below
    EXPECT_EQ(At(1, 1), Yellow);
    EXPECT_EQ(At(2, 1), Green);
    EXPECT_EQ(At(11, 1), Blue);
    EXPECT_EQ(At(12, 1), Yellow);
    EXPECT_EQ(At(5, 0), Yellow);
    EXPECT_EQ(At(5, 8), Red);
    EXPECT_EQ(At(5, 9), Yellow);

    // Smaller: the centre stays, the edges are cut.
    Make(10, 8);
    Doc->SrcBmp()->SetPixel(5, 4, Green);
    ASSERT_TRUE(Doc->ResizeCanvas(4, 2));
    EXPECT_EQ(At(2, 1), Green);  // offsets (-3, -3)

    Make(10, 8, true);
    Doc->ResizeCanvas(12, 8);
    EXPECT_EQ(At(0, 0), 0x00FFFFFFu);  // a transparent canvas
}

TEST_F(Canvas, ExtendCanvas)
{
    const struct {
        Integer L, R, T, B;
        Integer W, H;
        TPoint GreenAt;
    } Cases[] = {
        {-5000, 0, 0, 0, 1, 8, {-99, 0}},  // a column of the image stays: its last
        {0, -5000, 0, 0, 1, 8, {0, 0}},
        {3, 2, 1, 0, 105, 9, {3, 1}},
        {0, 0, -9000, -9000, 100, 1, {0, -7}},
        {-10, 5, 0, 0, 95, 8, {-10, 0}},
    };
    for (const auto& c : Cases) {
        Make(100, 8);
        ASSERT_TRUE(Doc->ExtendCanvas(c.L, c.R, c.T, c.B));
        EXPECT_EQ(Doc->SrcBmp()->Width(), c.W) << c.L << "," << c.R << "," << c.T << "," << c.B;
        EXPECT_EQ(Doc->SrcBmp()->Height(), c.H);
        if (c.GreenAt.X >= 0 && c.GreenAt.Y >= 0) EXPECT_EQ(At(c.GreenAt.X, c.GreenAt.Y), Green);
    }
    Make(100, 8);
    EXPECT_FALSE(Doc->ExtendCanvas(0, 0, 0, 0));
    Doc->ExtendCanvas(-5000, 0, 0, 0);
    EXPECT_EQ(At(0, 0), Blue);  // the right-most column
    Make(100, 8);
    Doc->ExtendCanvas(2, 0, 0, 0);
    EXPECT_EQ(At(1, 0), Yellow);
}

TEST_F(Canvas, PictureObjectFlipAndReplace)
{
    Make(10, 8);
    Doc->FlipShape(0);  // no current object: nothing
    auto* Small = AddObject<TImgSmall>(*Doc, 1, shSmall);
    Small->SrcBmp()->SetSize(2, 1);
    Small->SrcBmp()->SetPixel(0, 0, Green);
    Small->SrcBmp()->SetPixel(1, 0, Blue);
    Small->SetSRect({3, 4, 7, 6});
    Doc->SetCurrentShape(1);
    Small->SetChanged2(false);
    Doc->FlipShape(0);
    EXPECT_EQ(Small->SrcBmp()->Pixel(0, 0), Blue);
    EXPECT_TRUE(Small->Changed2());
    TCustomBitmap32 Picture;
    Picture.SetSize(5, 3);
    Picture.Clear(Red);
    Doc->SmallReplaceBy(&Picture);
    EXPECT_EQ(Small->SrcBmp()->Pixel(4, 2), Red);
    EXPECT_EQ(Small->SRect(), (TRect{3, 4, 8, 7}));
}
}  // namespace
