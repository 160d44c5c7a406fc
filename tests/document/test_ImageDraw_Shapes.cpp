// The document's objects: new objects from the default rows, their rows
// written and read back, the selection, the mouse steps of drawing, moving
// (with guides) and resizing, the cursor and the named style properties.
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "document/ImageEllipse.h"
#include "document/ImageLine.h"
#include "document/ImagePolygon.h"
#include "document/ImageRectangle.h"
#include "document/ImageSelection.h"
#include "document/ImageSmall.h"
#include "document/ImageText.h"
#include "framework/runtime/SysUtils.h"

namespace {
// A table of Count rows of Cells empty cells.
std::unique_ptr<TDataTable> Table(Integer Count, Integer Cells)
{
    auto T = std::make_unique<TDataTable>();
    for (Integer i = 0; i < Count; ++i) T->AddItem(String(static_cast<size_t>(Cells - 1), u','));
    return T;
}

// The text of a row of Count cells, the listed ones set.
String RowText(Integer Count, std::initializer_list<std::pair<Integer, const char16_t*>> Cells)
{
    TRow Row;
    Row.Init(String(static_cast<size_t>(Count - 1), u','), u',');
    for (auto [Index, Text] : Cells) Row.GetItem(Index)->SetText(Text);
    return Row.ToString(true);
}

class Shapes : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 800, 600, false);
        Doc->InitBitmap();
        Doc->DT()->GetProp(ObjProp::NextId)->SetValue(7);
        // The per-kind defaults: a blue outline, a green fill, every effect off.
        Defaults = Table(ShapeTypeCount, 100);
        for (Integer k = 0; k < ShapeTypeCount; ++k) {
            TRow* R = Defaults->GetItem(k);
            for (auto [Col, Value] : {std::pair{14, 0xFF0000}, {15, 0x00FF00}, {16, 255}, {18, 2}, {20, -1},
                                      {21, -1}, {27, -1}, {28, -1}, {29, -1}, {98, 15}})
                R->GetItem(Col)->SetValue(Value);
        }
        Doc->SetPropDT(Defaults.get());
        Doc->OnShapeSelected = [this](TImageDraw*) { ++Selected; };
        Doc->OnShapeModified = [this](TImageDraw*) { ++Modified; };
    }

    // Draws a new object of Kind from (X1, Y1) to (X2, Y2) and keeps it.
    TImgShape* Draw(TShapeType Kind, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer Style = 0)
    {
        Defaults->GetItem(Kind)->GetItem(24)->SetValue(Style);
        Doc->CreateShape(Kind);
        Doc->DrawShape(X1, Y1, X2, Y2);
        Doc->CreateShapeOver(false);
        return Doc->Shape();
    }
    TImgShape* ById(Integer Id) { return TImageDraw::RowShape(Doc->DT()->GetItem(Doc->IndexOfShapeId(Id))); }
    // The ids of the selected objects, in table order.
    std::vector<Integer> SelectedIds()
    {
        std::vector<Integer> Ids;
        for (Integer i = 0; i < Doc->DT()->ItemCount(); ++i)
            if (TImgShape* S = TImageDraw::RowShape(Doc->DT()->GetItem(i)); S && S->Selected()) Ids.push_back(S->Id());
        return Ids;
    }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    std::unique_ptr<TDataTable> Defaults;
    Integer Selected = 0, Modified = 0;
};

// Everything a row keeps of an object, as text to compare.
String Describe(TImgShape& S)
{
    const TRect& R = S.SRect();
    String D = Format(u"%d %d %d|%d %d %d %d|%s %s|%d %d %d %d %d %d %d %d|%s|%d %d %d",
                      {S.Id(), static_cast<Integer>(S.ShapeType()), S.StyleId(), R.Left, R.Top, R.Right, R.Bottom,
                       FloatToStr(S.CenterPoint().X), FloatToStr(S.CenterPoint().Y), S.Color(), S.FillColor(),
                       S.Opacity(), S.OutWidth(), S.PenStyle(), S.ShadowMode(), S.ReflectMode(), S.GradientMode(),
                       FloatToStr(S.Angle()), S.Fixed() ? 1 : 0, S.Hided() ? 1 : 0, S.IsFill() ? 1 : 0});
    D += Format(u"|%d %d %d %d %d %d %d|%d %d %d %d|%s %s %s %d %d %s %d %d %d %d %d",
                {S.ShadowAngle(), S.ShadowDistance(), S.ShadowZoomValue(), S.ShadowBlurSize(), S.ShadowColor(),
                 S.ShadowOpacity(), S.ShadowInner() ? 1 : 0, S.ReflectDistance(), S.ReflectBlurSize(),
                 S.ReflectOpacity(), S.ReflectHeight(), S.GradientColor(), S.GradientOpacity(), S.GradientPosition(),
                 S.GradientFillMode(), S.GradientLinearAngle(), S.GradientTextureFileName(), S.GradientEdgingWidth(),
                 S.GradientHatchMode(), S.GradientHatchForeColor(), S.GradientHatchBackColor(),
                 S.GradientGammaCorrected() ? 1 : 0});
    if (auto* L = dynamic_cast<TImgLine*>(&S))
        for (Integer i = 1; i <= 4; ++i)
            D += Format(u"|%d,%d", {L->GetPoint(i).X, L->GetPoint(i).Y}) + (i == 4 ? Format(u" a%d", {L->ArrowType()}) : String());
    if (auto* P = dynamic_cast<TImgRectangle*>(&S)) D += u"|" + P->GetPoints();
    if (auto* P = dynamic_cast<TImgEllipse*>(&S)) D += u"|" + P->GetPoints();
    if (auto* P = dynamic_cast<TImgPolygon*>(&S)) D += u"|" + P->GetPoints();
    if (auto* T = dynamic_cast<TImgText*>(&S))
        D += Format(u"|%s %d %s %d", {T->Text(), T->FontSize(), T->TextGradientTextureFileName(), T->PointsZone()});
    return D;
}
}  // namespace

TEST_F(Shapes, NewObjectsTakeTheNextIds)
{
    Doc->CreateShape(shRectangle);
    EXPECT_EQ(Doc->ShapeId(), 7);
    EXPECT_TRUE(Doc->ShapeCreating());
    EXPECT_TRUE(Doc->Shape()->Creating());
    Doc->CreateShapeOver(false);
    Doc->CreateShape(shArrow);
    EXPECT_EQ(Doc->ShapeId(), 8);
    EXPECT_EQ(Doc->DT()->GetProp(ObjProp::NextId)->Value(), 9);
    TRow* Row = Doc->DT()->GetItem(1);
    EXPECT_EQ(Row->GetItem(ObjCol::Id)->Value(), 8);
    EXPECT_EQ(Row->GetItem(ObjCol::Kind)->Value(), shArrow);
    EXPECT_EQ(Row->ItemCount(), 100);
    ASSERT_NE(dynamic_cast<TImgLine*>(Doc->Shape()), nullptr);
    EXPECT_EQ(Doc->Shape()->ShapeType(), shArrow);
    EXPECT_EQ(Doc->ShapeType(), shArrow);
    EXPECT_EQ(Doc->Shape()->Color(), 0xFF0000);
    EXPECT_EQ(Doc->Shape()->OutWidth(), 2);
    EXPECT_FALSE(Doc->Shape()->Selected());  // not before it is finished

    // A tool kind has no object: refused, nothing added.
    EXPECT_THROW(Doc->CreateShape(shZoom), EImageDraw);
    EXPECT_EQ(Doc->DT()->ItemCount(), 2);
    EXPECT_EQ(Doc->DT()->GetProp(ObjProp::NextId)->Value(), 9);
}

TEST_F(Shapes, TheEffectPresetsOfANewObject)
{
    auto Shadows = Table(2, 7), Reflections = Table(2, 7), Gradients = Table(2, 10);
    Shadows->GetItem(1)->Init(u"45,9,100,4,255,128,-1", u',');
    Reflections->GetItem(0)->Init(u"x,12,x,3,x,200,50", u',');
    Gradients->GetItem(0)->Init(u"255/65280,255/255,0/100,,,1,90,c:\\tex.png,0,-1", u',');
    Doc->SetShadowDT(Shadows.get());
    Doc->SetReflectDT(Reflections.get());
    Doc->SetObjGradientDT(Gradients.get());
    TRow* Defaults_ = Defaults->GetItem(shEllipse);
    Defaults_->GetItem(27)->SetValue(2);
    Defaults_->GetItem(28)->SetValue(1);
    Defaults_->GetItem(29)->SetValue(1);
    Doc->CreateShape(shEllipse);
    TImgShape* S = Doc->Shape();
    TRow* Row = Doc->DT()->GetItem(0);
    EXPECT_EQ(Row->ToString(false, u',', 77, 70), u"45,9,100,4,255,128,-1");
    EXPECT_EQ(S->ShadowAngle(), 45);
    EXPECT_EQ(S->ShadowOpacity(), 128);
    EXPECT_TRUE(S->ShadowInner());
    EXPECT_EQ(S->ReflectDistance(), 12);
    EXPECT_EQ(S->ReflectBlurSize(), 3);
    EXPECT_EQ(S->ReflectOpacity(), 200);
    EXPECT_EQ(S->ReflectHeight(), 50);
    EXPECT_EQ(S->GradientColor(), u"255/65280");
    EXPECT_EQ(S->GradientPosition(), u"0/100");
    EXPECT_EQ(S->GradientFillMode(), 1);
    EXPECT_EQ(S->GradientLinearAngle(), 90);
    EXPECT_EQ(S->GradientTextureFileName(), u"c:\\tex.png");
    EXPECT_TRUE(S->GradientGammaCorrected());
    // A new object keeps an edging width of 0; rebuilt from its row, 0 reads as 15.
    EXPECT_EQ(S->GradientEdgingWidth(), 0);
    Doc->CreateShapeOver(false);
    Doc->StoreShapeGeometry();
    Doc->CreateShapeObjects(-1);
    EXPECT_EQ(Doc->Shape()->GradientEdgingWidth(), 15);

    // A mode past the end of its preset table copies nothing.
    Defaults_->GetItem(27)->SetValue(5);
    Doc->CreateShape(shEllipse);
    EXPECT_EQ(Doc->Shape()->ShadowAngle(), 0);
    EXPECT_EQ(Doc->Shape()->ShadowMode(), 5);
}

TEST_F(Shapes, DrawingANewObject)
{
    struct Case {
        TShapeType Kind;
        bool Shift;
        TPoint From, To;
        TRect Rect;   // the object's rectangle after the step
        TPoint End;   // a line's point 4, a polygon's moving point
    };
    const Case Cases[] = {
        {shRectangle, false, {10, 10}, {5, 20}, {5, 10, 11, 21}, {}},
        {shEllipse, false, {10, 10}, {5, 20}, {5, 10, 11, 21}, {}},
        // Shift: a square of the larger side from the top-left corner.
        {shRectangle, true, {0, 0}, {30, 10}, {0, 0, 31, 31}, {}},
        {shEllipse, true, {40, 40}, {30, 60}, {30, 40, 51, 61}, {}},
        // Shift keeps a line to its longer axis; a tie is vertical.
        {shLine, true, {0, 0}, {10, 10}, {0, 0, 11, 11}, {0, 10}},
        {shLine, true, {0, 0}, {11, 10}, {0, 0, 12, 11}, {11, 0}},
        {shArrow, false, {0, 0}, {11, 10}, {0, 0, 12, 11}, {11, 10}},
        {shPolygon, true, {5, 5}, {6, 30}, {5, 5, 7, 31}, {5, 30}},
        {shPolygon, false, {5, 5}, {6, 30}, {5, 5, 7, 31}, {6, 30}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << "kind " << int(C.Kind) << " shift " << C.Shift);
        Doc->CreateShape(C.Kind);
        Doc->SetPressSht(C.Shift);
        const Integer Before = Modified;
        Doc->DrawShape(C.From.X, C.From.Y, C.To.X, C.To.Y);
        EXPECT_EQ(Modified, Before + 1);
        TImgShape* S = Doc->Shape();
        EXPECT_EQ(S->SRect(), C.Rect);
        EXPECT_TRUE(S->Changed2());
        if (auto* L = dynamic_cast<TImgLine*>(S)) {
            EXPECT_EQ(L->GetPoint(1), C.From);
            EXPECT_EQ(L->GetPoint(4), C.End);
        }
        if (auto* P = dynamic_cast<TImgPolygon*>(S)) EXPECT_EQ(P->PointMoved(), C.End);
        Doc->CreateShapeOver(true);
        Doc->SetPressSht(false);
    }
    EXPECT_EQ(Doc->DT()->ItemCount(), 0);
}

TEST_F(Shapes, CropFrameWithAFixedRatio)
{
    // The crop frame's class is not part of the document yet: a plain object of its kind stands in.
    TRow* Row = Doc->DT()->AddItem(u"1,1");
    auto Crop = std::make_unique<TImgShape>(Doc.get(), 1, nullptr);
    Crop->SetShapeType(shCrop);
    Row->Data().Own(std::move(Crop));
    Doc->SetCurrentShape(1);
    Doc->SetShapeCreating(true);
    Doc->SetCropRateIndex(8);  // 16 : 9
    Doc->DrawShape(0, 0, 159, 50);
    EXPECT_EQ(Doc->Shape()->SRect(), (TRect{0, 0, 160, 90}));  // Y2 = 89
    Doc->DrawShape(0, 100, 159, 50);
    EXPECT_EQ(Doc->Shape()->SRect(), (TRect{0, 11, 160, 101}));  // upwards: Y2 = 11
    Doc->SetCropRateIndex(-1);
    Doc->DrawShape(0, 0, 159, 50);
    EXPECT_EQ(Doc->Shape()->SRect(), (TRect{0, 0, 160, 51}));
}

TEST_F(Shapes, CropRatios)
{
    const std::pair<Integer, Single> Cases[] = {
        {0, 800.0f / 600}, {1, 1}, {2, 2.0f / 3}, {3, 0.75f}, {4, 0.8f}, {5, 5.0f / 7},
        {6, 1.5f}, {7, 4.0f / 3}, {8, 16.0f / 9}, {9, 1.6f}, {-1, -1},
    };
    EXPECT_EQ(Doc->CropRateIndex(), -2);
    for (auto [Index, Rate] : Cases) {
        Doc->SetCropRateIndex(Index);
        EXPECT_EQ(Doc->CropRateIndex(), Index);
        EXPECT_FLOAT_EQ(Doc->CropFixedRate(), Rate) << Index;
    }
    Doc->SetCropRateIndex(3);
    Doc->SetCropRateIndex(42);  // stored, the ratio stays
    EXPECT_EQ(Doc->CropRateIndex(), 42);
    EXPECT_FLOAT_EQ(Doc->CropFixedRate(), 0.75f);
}

TEST_F(Shapes, FinishingOrDiscardingANewObject)
{
    Doc->SetModified(false);
    TImgShape* S = Draw(shRectangle, 10, 10, 50, 40);
    EXPECT_TRUE(S->Selected());
    EXPECT_FALSE(S->Creating());
    EXPECT_FALSE(Doc->ShapeCreating());
    EXPECT_TRUE(Doc->Modified());
    EXPECT_EQ(Selected, 1);
    EXPECT_EQ(S->CenterPoint().X, 30.5f);

    // A line gets the rectangle of its points when it is finished.
    TImgShape* L = Draw(shLine, 100, 100, 60, 140);
    EXPECT_EQ(L->SRect(), (TRect{60, 100, 101, 141}));
    EXPECT_EQ(SelectedIds(), (std::vector<Integer>{7, 8}));

    Doc->SetModified(false);
    Doc->CreateShape(shEllipse);
    Doc->DrawShape(0, 0, 3, 3);
    const Integer Before = Modified;
    Doc->CreateShapeOver(true);
    EXPECT_EQ(Doc->DT()->ItemCount(), 2);
    EXPECT_EQ(Doc->Shape(), nullptr);
    EXPECT_EQ(Modified, Before + 1);
    EXPECT_FALSE(Doc->Modified());
    EXPECT_FALSE(Doc->ShapeCreating());
}

TEST_F(Shapes, EveryKindRoundTripsThroughItsRow)
{
    struct Case {
        TShapeType Kind;
        Integer Style;
    };
    const Case Cases[] = {{shArrow, 3}, {shLine, 0},      {shLine, 10},  {shRectangle, 4}, {shRectangle, 0},
                          {shEllipse, 2}, {shPolygon, 0}, {shPolygon, 4}, {shHLRect, 0},   {shSmall, 0},
                          {shText, 3}};
    Integer k = 0;
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << "kind " << int(C.Kind) << " style " << C.Style);
        Defaults->GetItem(C.Kind)->GetItem(24)->SetValue(C.Style);
        Doc->CreateShape(C.Kind);
        Doc->DrawShape(20 + k, 30, 120, 90 + k);
        if (auto* P = dynamic_cast<TImgPolygon*>(Doc->Shape()); P && C.Style == 0)
            for (TPoint N : {TPoint{20, 30}, TPoint{120, 40}, TPoint{70, 90}}) P->AddNewPoint(N.X, N.Y);
        Doc->CreateShapeOver(false);
        TImgShape* S = Doc->Shape();
        S->SetAngle(12.5f + k);
        S->SetFillColor(0x123456 + k);
        S->SetShadowMode(0);
        S->SetShadowDistance(7 + k);
        S->SetShadowInner(true);
        S->SetReflectHeight(33);
        S->SetGradientColor(u"255/16711680");
        S->SetGradientTextureFileName(u"c:\\a,b|c.png");
        S->SetGradientHatchMode(3);
        S->SetGradientGammaCorrected(true);
        S->SetHided(k % 2 == 1);
        if (auto* L = dynamic_cast<TImgLine*>(S)) L->SetArrowType(2);
        if (auto* T = dynamic_cast<TImgText*>(S)) {
            T->SetText(u"a,b|c");
            T->SetFontSize(31);
            T->SetTextGradientTextureFileName(u"d:\\x,y.png");
        }
        ++k;
    }
    Doc->StoreShapeGeometry();
    std::vector<String> Objects, Rows;
    for (Integer i = 0; i < Doc->DT()->ItemCount(); ++i) {
        Objects.push_back(Describe(*TImageDraw::RowShape(Doc->DT()->GetItem(i))));
        Rows.push_back(Doc->DT()->GetItem(i)->ToString(true));
    }
    // The texture name keeps its comma inside its cell.
    EXPECT_EQ(Doc->DT()->GetItem(0)->ItemCount(), 100);
    TImgShape* Current = Doc->Shape();
    Doc->CreateShapeObjects(-1);
    EXPECT_NE(Doc->Shape(), Current);  // the current object is the rebuilt one
    EXPECT_EQ(Doc->Shape(), TImageDraw::RowShape(Doc->DT()->GetItem(Doc->DT()->ItemCount() - 1)));
    EXPECT_EQ(Doc->ObjectSelectedCount(), 0);  // the replaced objects left the selection
    Doc->StoreShapeGeometry();
    for (Integer i = 0; i < Doc->DT()->ItemCount(); ++i) {
        TImgShape* S = TImageDraw::RowShape(Doc->DT()->GetItem(i));
        EXPECT_FALSE(S->Creating());
        EXPECT_FALSE(S->Loading());
        EXPECT_EQ(Describe(*S), Objects[static_cast<size_t>(i)]);
        EXPECT_EQ(Doc->DT()->GetItem(i)->ToString(true), Rows[static_cast<size_t>(i)]);
    }
    // One row alone.
    TImgShape* Before = TImageDraw::RowShape(Doc->DT()->GetItem(3));
    Doc->CreateShapeObjects(3);
    EXPECT_NE(TImageDraw::RowShape(Doc->DT()->GetItem(3)), Before);
    EXPECT_EQ(Describe(*TImageDraw::RowShape(Doc->DT()->GetItem(3))), Objects[3]);
}

TEST_F(Shapes, DamagedRowsRebuildWithoutReadingPastThem)
{
    const String Rows[] = {
        u"",                                                    // no id, no kind
        RowText(14, {{0, u"x"}, {1, u"3"}}),                   // an id that is no number
        RowText(25, {{0, u"2"}, {1, u"3"}, {11, u"abc"}, {24, u"4"}}),  // no points, a top that is no number
        u"3,5,,1",                                              // a line cut short
        RowText(25, {{0, u"4"}, {1, u"10"}, {24, u"4"}}),      // a star without nodes
        RowText(42, {{0, u"5"}, {1, u"15"}, {24, u"1"}, {41, u"9.9.9"}}),  // an arc with an odd points text
        u"6,99,keep,me",                                        // a kind no program knows
        u"7,6",                                                 // a tool, not an object
        RowText(100, {{0, u"8"}, {1, u"8"}, {70, u"x"}, {97, u"y"}, {98, u"-"}}),  // effects that are no numbers
    };
    for (const String& R : Rows) Doc->DT()->AddItem(R);
    Doc->CreateShapeObjects(-1);
    const bool HasObject[] = {false, true, true, true, true, true, false, false, true};
    for (Integer i = 0; i < Doc->DT()->ItemCount(); ++i)
        EXPECT_EQ(TImageDraw::RowShape(Doc->DT()->GetItem(i)) != nullptr, HasObject[i]) << i;
    // The row without a usable id got the next one.
    EXPECT_EQ(Doc->DT()->GetItem(1)->GetItem(ObjCol::Id)->Value(), 7);
    EXPECT_EQ(Doc->IndexOfShapeId(7), 1);
    EXPECT_EQ(dynamic_cast<TImgPolygon*>(TImageDraw::RowShape(Doc->DT()->GetItem(4)))->PointsCount(), 10);
    Doc->StoreShapeGeometry();
    EXPECT_EQ(Doc->DT()->GetItem(3)->ItemCount(), 51);  // grown to the line's last column
    EXPECT_EQ(Doc->DT()->GetItem(6)->ToString(true), u"6,99,keep,me");
    Doc->CreateShapeObjects(-1);
    Doc->CreateShapeObjects(99);  // no such row
}

TEST_F(Shapes, PastedObjectsStartInsideThePicture)
{
    struct Case {
        TPoint Offset;
        TPoint TopLeft;
    };
    // The row's rectangle is (100, 50) - (150, 80) in an 800 x 600 picture.
    const Case Cases[] = {
        {{800, 0}, {780, 50}},   // left 900: pulled back to 20 inside
        {{700, 0}, {780, 50}},   // left 800, the first column outside
        {{699, 0}, {799, 50}},
        {{10, 600}, {110, 580}},
        {{0, 0}, {100, 50}},
    };
    for (const Case& C : Cases) {
        const String Row = RowText(30, {{1, u"3"}, {10, u"100"}, {11, u"50"}, {12, u"150"}, {13, u"80"},
                                        {16, u"255"}, {21, u"-1"}, {25, u"125"}, {26, u"65"}});
        ASSERT_TRUE(Doc->CreateShapeAuto(Row, nullptr, C.Offset.X, C.Offset.Y));
        TImgShape* S = TImageDraw::RowShape(Doc->DT()->GetItem(Doc->DT()->ItemCount() - 1));
        EXPECT_EQ((TPoint{S->SRect().Left, S->SRect().Top}), C.TopLeft) << C.Offset.X << "," << C.Offset.Y;
        EXPECT_EQ(S->Width(), 50);
        EXPECT_TRUE(S->Selected());
        EXPECT_FALSE(S->Creating());
    }
    EXPECT_EQ(Doc->DT()->GetProp(ObjProp::NextId)->Value(), 12);

    // A picture object takes the pasted picture; a fixed one is not selected.
    TCustomBitmap32 Picture;
    Picture.SetSize(3, 2);
    Picture.Clear(0xFF00FF00);
    ASSERT_TRUE(Doc->CreateShapeAuto(RowText(14, {{1, u"8"}, {3, u"-1"}, {12, u"3"}, {13, u"2"}}), &Picture, 0, 0));
    auto* Small = dynamic_cast<TImgSmall*>(TImageDraw::RowShape(Doc->DT()->GetItem(5)));
    ASSERT_NE(Small, nullptr);
    EXPECT_EQ(Small->SrcBmp()->Width(), 3);
    EXPECT_EQ(Small->SrcBmp()->Pixel(2, 1), 0xFF00FF00u);
    EXPECT_FALSE(Small->Selected());
    // A kind without an object class keeps its row.
    EXPECT_FALSE(Doc->CreateShapeAuto(u"0,20", nullptr, 5, 5));
    EXPECT_EQ(Doc->DT()->ItemCount(), 7);
}

TEST_F(Shapes, MovesSnapToGuides)
{
    struct Case {
        bool Horizontal;  // a horizontal guide (moves in y), else a vertical one
        Integer Size;     // the object's height (width)
        Integer Guide;
        Integer D;        // the move so far
        Integer Start;    // the object's top (left) after the step
    };
    // The object starts at 100; with a size of 20 the reach c is 10.
    const Case Cases[] = {
        {true, 20, 150, 21, 130},   // bottom 9 away: on the guide
        {true, 20, 150, 20, 120},   // 10 away: free
        {true, 20, 150, 45, 150},   // the bottom 15 past it, the top 5 before it
        {true, 20, 80, -11, 80},    // the top 9 away
        {false, 20, 150, 21, 130},
        {false, 20, 150, 20, 120},
        {true, 3, 104, 0, 100},     // 3 high: c = 1, never pulled
        {true, 4, 105, 0, 101},     // 4 high: c = 2, the bottom 1 away
        {true, 4, 106, 0, 100},
        // 60 high: c = 15; the middle (130 + D) within c - 4 = 11, the edges farther.
        {true, 60, 200, 60, 170},   // middle 190: 10 away, snaps
        {true, 60, 201, 60, 160},   // 11 away: free
        {true, 60, 160, 0, 100},    // the bottom on it already
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << "guide " << C.Guide << " size " << C.Size << " move " << C.D);
        Doc->ClearGuides();
        Doc->CreateGuides(C.Guide, C.Guide, C.Horizontal);
        TImgShape* S = Draw(shRectangle, 100, 100, 100 + C.Size - 1, 100 + C.Size - 1);
        ASSERT_EQ(S->Height(), C.Size);
        Doc->SelectShape(selNone, 0);
        Doc->ClickShape(selOne, S->Id());
        Doc->MovePrepare();
        if (C.Horizontal)
            Doc->MoveShape(0, 0, 0, C.D);
        else
            Doc->MoveShape(0, 0, C.D, 0);
        EXPECT_EQ(C.Horizontal ? S->SRect().Top : S->SRect().Left, C.Start);
        EXPECT_EQ(C.Horizontal ? S->SRect().Left : S->SRect().Top, 100);
        EXPECT_EQ(S->Height(), C.Size);
    }
}

TEST_F(Shapes, MovingAndResizingTheCurrentObject)
{
    TImgShape* S = Draw(shRectangle, 10, 10, 49, 29);
    Doc->SetChangedFlag(false);
    Doc->MovePrepare();
    Doc->MoveShape(5, 5, 8, 9);
    Doc->MoveShape(5, 5, 10, 12);  // from the press point, not cumulative
    EXPECT_EQ(S->SRect(), (TRect{15, 17, 55, 37}));
    EXPECT_TRUE(Doc->Changed());
    // Not selected: nothing moves.
    Doc->SelectShape(selNone, 0);
    Doc->SetCurrentShape(S->Id());
    Doc->MoveShape(0, 0, 50, 50);
    EXPECT_EQ(S->SRect().Left, 15);

    // A handle drag: the bottom-right corner by (10, 5).
    Doc->ClickShape(selOne, S->Id());
    S->CalcControlPoints();
    S->SetCurrentCtrIndex(3);
    S->Click();
    Doc->DrawShape(55, 37, 65, 42);
    EXPECT_EQ(S->SRect(), (TRect{15, 17, 65, 42}));
    EXPECT_TRUE(S->Adjusting());
    Doc->AdjustShapeOver();
    EXPECT_FALSE(S->Adjusting());
    // The rotation handle turns it towards the point: straight below the centre is 180.
    S->SetCurrentCtrIndex(0);
    Doc->DrawShape(0, 0, 40, 200);
    EXPECT_FLOAT_EQ(S->Angle(), 180.0f);
    EXPECT_TRUE(S->Rotated2());
}

TEST_F(Shapes, ClickAndSelectModes)
{
    TImgShape* A = Draw(shRectangle, 0, 0, 9, 9);
    TImgShape* B = Draw(shEllipse, 20, 0, 29, 9);
    TImgShape* C = Draw(shRectangle, 40, 0, 49, 9);
    TImgShape* F = Draw(shRectangle, 60, 0, 69, 9);
    F->SetFixed(true);
    Doc->SelectShape(selNone, 0);
    EXPECT_EQ(Doc->Shape(), nullptr);
    struct Step {
        bool Click;  // ClickShape, else SelectShape
        TSelectMode Mode;
        TImgShape* On;
        std::vector<Integer> After;
        bool Reported;  // OnShapeSelected fired
    };
    const Step Steps[] = {
        {true, selOne, B, {8}, true},
        {true, selOne, B, {8}, false},  // unchanged: nothing reported
        {true, selMulti, A, {7, 8}, true},
        {true, selOneInvert, B, {7}, true},
        {true, selOneInvert, B, {7, 8}, true},
        {true, selOne, C, {9}, true},
        {true, selInvert, A, {9}, false},
        {false, selAll, A, {7, 8, 9}, true},
        {false, selSame, A, {7, 9}, true},
        {false, selSame, B, {8}, true},
        {false, selNone, A, {}, true},
    };
    for (const Step& S : Steps) {
        SCOPED_TRACE(testing::Message() << "mode " << int(S.Mode) << " on " << S.On->Id());
        const Integer Before = Selected;
        if (S.Click) Doc->ClickShape(S.Mode, S.On->Id());
        else Doc->SelectShape(S.Mode, S.On->Id());
        EXPECT_EQ(SelectedIds(), S.After);
        EXPECT_EQ(Selected, Before + (S.Reported ? 1 : 0));
        for (Integer Id : S.After) EXPECT_TRUE(Doc->IsSelected(Id));
    }
    // A lone selected object becomes current.
    Doc->ClickShape(selOne, A->Id());
    EXPECT_EQ(Doc->Shape(), A);
    EXPECT_FALSE(Doc->IsSelected(F->Id()));
    EXPECT_FALSE(Doc->IsSelected(1234));
}

TEST_F(Shapes, LocateFindsTheTopmostObject)
{
    TImgShape* Low = Draw(shRectangle, 0, 0, 99, 99);
    TImgShape* High = Draw(shRectangle, 50, 50, 149, 149);
    TImgShape* Fixed = Draw(shRectangle, 60, 60, 79, 79);
    Fixed->SetFixed(true);
    EXPECT_TRUE(Doc->LocateShape(-1000, -1000, 70, 70));
    EXPECT_EQ(Doc->Shape(), High);
    EXPECT_TRUE(Doc->LocateShape(-1000, -1000, 10, 10));
    EXPECT_EQ(Doc->Shape(), Low);
    EXPECT_FALSE(Doc->LocateShape(-1000, -1000, 300, 300));
    EXPECT_EQ(Doc->Shape(), nullptr);
    EXPECT_EQ(Doc->ShapeId(), -1);
    // The handles of a selected object win over the body of one above it.
    Doc->ClickShape(selOne, Low->Id());
    Low->CalcControlPoints();
    Low->DrawControlPoint(Doc->Bitmap());
    const TPoint Corner = Low->CtrPoints()[3];  // (100, 100) in view pixels
    EXPECT_TRUE(Doc->LocateShape(Corner.X, Corner.Y, 99, 99));
    EXPECT_EQ(Doc->Shape(), Low);
    EXPECT_EQ(Low->CurrentCtrIndex(), 3);
}

TEST_F(Shapes, CursorOverTheDocument)
{
    EXPECT_EQ(Doc->GetShapeCursor(10, 10, 10, 10), NoDocumentCursor);
    EXPECT_EQ(Doc->CanvasCtrIndex(), 0);
    // The canvas handles as the control layer laid them out.
    Doc->CalcCanvasCtrRects();
    const TCursor CanvasCursors[] = {crSizeNWSE, crSizeNESW, crSizeNWSE, crSizeNESW, crSizeNS, crSizeNS, crSizeWE, crSizeWE};
    for (Integer i = 1; i <= 8; ++i) {
        const TRect R = Doc->CanvasCtrRect(i);
        ASSERT_FALSE(R.Right <= R.Left) << i;
        EXPECT_EQ(Doc->GetShapeCursor(R.Left, R.Bottom - 1, -50, -50), CanvasCursors[i - 1]) << i;
        EXPECT_EQ(Doc->CanvasCtrIndex(), i);
        EXPECT_EQ(Doc->GetShapeCursor(R.Right, R.Bottom, -50, -50), NoDocumentCursor) << i;
        EXPECT_EQ(Doc->CanvasCtrIndex(), 0);
    }
    TImgShape* S = Draw(shRectangle, 100, 100, 199, 149);
    EXPECT_EQ(Doc->GetShapeCursor(120, 120, 120, 120), crSizeAll);
    S->CalcControlPoints();
    S->DrawControlPoint(Doc->Bitmap());
    const TPoint Corner = S->CtrPoints()[2];
    EXPECT_EQ(Doc->GetShapeCursor(Corner.X, Corner.Y, -50, -50), crSizeNESW);
    // Handles count only while a single object is selected.
    Draw(shRectangle, 300, 300, 310, 310);
    Doc->ClickShape(selMulti, S->Id());
    EXPECT_EQ(Doc->GetShapeCursor(Corner.X, Corner.Y, -50, -50), NoDocumentCursor);

    // Guides: exactly on the guide's view line, while they are not locked.
    View.OffsetX = 5;
    View.OffsetY = 7;
    Doc->SetScale(2);
    Doc->CreateGuides(0, 30, true);
    Doc->CreateGuides(40, 0, false);
    EXPECT_EQ(Doc->GetShapeCursor(0, 67, -50, -50), crVSplit);
    EXPECT_EQ(Doc->HorzGuidesIndex(), 0);
    EXPECT_EQ(Doc->GetShapeCursor(85, 0, -50, -50), crHSplit);
    EXPECT_EQ(Doc->VertGuidesIndex(), 0);
    EXPECT_EQ(Doc->HorzGuidesIndex(), -1);
    EXPECT_EQ(Doc->GetShapeCursor(0, 68, -50, -50), NoDocumentCursor);
    Doc->SetLockGuides(true);
    EXPECT_EQ(Doc->GetShapeCursor(0, 67, -50, -50), NoDocumentCursor);
}

TEST_F(Shapes, CursorPicksTheRuler)
{
    View.OffsetX = 10;
    Doc->SetScale(2);
    Doc->CreateRuler(10, 10, 60, 10);  // (30, 20) - (130, 20) in view pixels
    struct Case {
        TPoint At;
        TCursor Cursor;
        Integer Pick;
    };
    const Case Cases[] = {
        {{80, 29}, crRulerPick, 0},     // 9 from the body
        {{80, 30}, NoDocumentCursor, -1},
        {{33, 25}, crRulerPick, 1},
        {{125, 14}, crRulerPick, 2},
        {{21, 20}, crRulerPick, 1},     // beyond the end, 9 from it
        {{20, 20}, NoDocumentCursor, -1},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(Doc->GetShapeCursor(C.At.X, C.At.Y, -50, -50), C.Cursor) << C.At.X << "," << C.At.Y;
        EXPECT_EQ(Doc->RulerPickMode(), C.Pick) << C.At.X << "," << C.At.Y;
    }
    Doc->ClearRuler();
    EXPECT_EQ(Doc->GetShapeCursor(80, 20, -50, -50), NoDocumentCursor);
}

TEST_F(Shapes, CursorWhileNodesAreAdded)
{
    Defaults->GetItem(shPolygon)->GetItem(24)->SetValue(0);
    Doc->CreateShape(shPolygon);
    auto* P = dynamic_cast<TImgPolygon*>(Doc->Shape());
    for (TPoint N : {TPoint{10, 10}, TPoint{110, 10}, TPoint{60, 80}}) P->AddNewPoint(N.X, N.Y);
    Doc->CreateShapeOver(false);
    P->SetPointAdding(true);
    EXPECT_EQ(Doc->GetShapeCursor(-9, -9, 60, 11), crAddPointOn);
    EXPECT_EQ(Doc->GetShapeCursor(-9, -9, 60, 40), crAddPointOff);
}

TEST_F(Shapes, NamedPropertiesOfTheSelectedObjects)
{
    TImgShape* A = Draw(shRectangle, 0, 0, 99, 49, 4);
    TImgShape* B = Draw(shArrow, 0, 0, 99, 49);
    TImgShape* C = Draw(shEllipse, 0, 0, 9, 9);
    Doc->SelectShape(selNone, 0);
    Doc->SetChangedFlag(false);
    Doc->SetModified(false);
    Doc->SetProperty(u"Color", 0x00FFFF, true);  // nothing selected
    EXPECT_FALSE(Doc->Changed());
    EXPECT_FALSE(Doc->Modified());

    Doc->ClickShape(selOne, A->Id());
    Doc->ClickShape(selMulti, B->Id());
    for (TImgShape* S : {A, B, C}) S->SetChanged2(false);
    struct Case {
        const char16_t* Name;
        Integer Value;
        std::function<Integer(TImgShape&)> Read;
        Integer Unchanged;  // what the unselected C keeps
    };
    const Case Cases[] = {
        {u"Color", 0x00FFFF, [](TImgShape& S) { return S.Color(); }, 0xFF0000},
        {u"FillColor", 0x0000FF, [](TImgShape& S) { return S.FillColor(); }, 0x00FF00},
        {u"IsOutline", 0, [](TImgShape& S) { return S.IsOutline() ? 1 : 0; }, 1},
        {u"IsFill", 0, [](TImgShape& S) { return S.IsFill() ? 1 : 0; }, 1},
        {u"OutWidth", 9, [](TImgShape& S) { return S.OutWidth(); }, 2},
        {u"Opacity", 100, [](TImgShape& S) { return S.Opacity(); }, 255},
        {u"ShadowMode", 0, [](TImgShape& S) { return S.ShadowMode(); }, -1},
        {u"ReflectMode", 0, [](TImgShape& S) { return S.ReflectMode(); }, -1},
        {u"GradientMode", 2, [](TImgShape& S) { return S.GradientMode(); }, -1},
        {u"Angle", 45, [](TImgShape& S) { return static_cast<Integer>(S.Angle()); }, 0},
        {u"PenStyle", 3, [](TImgShape& S) { return S.PenStyle(); }, 0},
    };
    for (const Case& K : Cases) {
        Doc->SetProperty(K.Name, K.Value, false);
        EXPECT_EQ(K.Read(*A), K.Value) << UTF8Encode(K.Name);
        EXPECT_EQ(K.Read(*B), K.Value) << UTF8Encode(K.Name);
        EXPECT_EQ(K.Read(*C), K.Unchanged) << UTF8Encode(K.Name);
    }
    EXPECT_TRUE(A->Changed2());
    EXPECT_TRUE(A->Rotated2());
    EXPECT_FALSE(C->Changed2());
    EXPECT_TRUE(Doc->Modified());
    // Names are exact and some apply to their kinds only; the objects count as changed anyway.
    A->SetChanged2(false);
    Doc->SetProperty(u"ArrowType", 2, false);
    EXPECT_EQ(dynamic_cast<TImgLine*>(B)->ArrowType(), 2);
    EXPECT_TRUE(A->Changed2());
    Doc->SetProperty(u"color", 1, false);
    EXPECT_EQ(A->Color(), 0x00FFFF);

    // A new style lays the rectangle's style points out afresh.
    auto* R = dynamic_cast<TImgRectangle*>(A);
    EXPECT_EQ(R->PointsCount(), 2);
    Doc->SetProperty(u"StyleId", 1, false);
    EXPECT_EQ(R->StyleId(), 1);
    EXPECT_EQ(R->PointsCount(), 1);
    // A text value for objects that have no text: they count as changed all the same.
    B->SetChanged2(false);
    Doc->SetChangedFlag(false);
    Doc->SetPropertyStr(u"Text", u"abc", false);
    EXPECT_TRUE(B->Changed2());
    EXPECT_TRUE(Doc->Changed());
}

// Selections drawn with the mouse: a new one builds its region, one drawn
// while another exists merges into it, one enclosing nothing is dropped; the
// lasso follows the mouse; a rebuilt selection reads its lift offset and
// feather from its row.
TEST_F(Shapes, SelectionsDrawnWithTheMouse)
{
    Doc->SetAntialiasing(false);
    Doc->SetSelectionExpanding(true);
    auto* First = dynamic_cast<TImgSelection*>(Draw(shSelection, 10, 10, 19, 19));
    ASSERT_NE(First, nullptr);
    EXPECT_EQ(First->RegionRect(), (TRect{10, 10, 20, 20}));
    EXPECT_TRUE(First->Selected());
    EXPECT_FALSE(Doc->ShapeCreating());
    EXPECT_TRUE(Doc->SelectionExists());

    // A second one adds to the first and goes; the first stays current.
    EXPECT_EQ(Draw(shSelection, 30, 10, 39, 19), First);
    EXPECT_EQ(Doc->DT()->ItemCount(), 1);
    EXPECT_EQ(First->RegionRect(), (TRect{10, 10, 40, 20}));
    EXPECT_TRUE(Doc->SelectionExists());

    // A lasso collects the points the mouse passes.
    Doc->DT()->Clear();
    Doc->SetCurrentShape(-1);
    Defaults->GetItem(shSelection)->GetItem(24)->SetValue(3);
    Doc->CreateShape(shSelection);
    auto* Lasso = dynamic_cast<TImgSelection*>(Doc->Shape());
    ASSERT_NE(Lasso, nullptr);
    Lasso->AddNewPoint(100, 100);
    for (TPoint P : {TPoint{140, 100}, TPoint{140, 130}, TPoint{100, 130}}) Doc->DrawShape(100, 100, P.X, P.Y);
    EXPECT_EQ(Lasso->PointsCount(), 4);
    EXPECT_EQ(Lasso->PointMoved(), (TPoint{100, 130}));
    Doc->CreateShapeOver(false);
    EXPECT_EQ(Lasso->RegionRect(), (TRect{100, 100, 140, 130}));

    // One enclosing nothing is dropped and reported.
    Doc->DT()->Clear();
    Doc->SetCurrentShape(-1);
    Defaults->GetItem(shSelection)->GetItem(24)->SetValue(0);
    Doc->CreateShape(shSelection);
    const Integer Before = Modified;
    Doc->CreateShapeOver(false);
    EXPECT_EQ(Doc->DT()->ItemCount(), 0);
    EXPECT_EQ(Doc->Shape(), nullptr);
    EXPECT_EQ(Modified, Before + 1);
    EXPECT_FALSE(Doc->ShapeCreating());

    // Columns 45 to 47 hold the lift offset and the feather.
    auto* S = dynamic_cast<TImgSelection*>(Draw(shSelection, 0, 0, 9, 9));
    S->SetSelBitmapOX(12);
    S->SetSelBitmapOY(13);
    S->SetFeatherAmount(4);
    Doc->StoreShapeGeometry();
    TRow& Row = *Doc->DT()->GetItem(0);
    EXPECT_EQ(Row.GetItem(45)->Text(), u"12");
    EXPECT_EQ(Row.GetItem(47)->Text(), u"4");
    Row.GetItem(47)->SetText(u"999999");  // damaged: kept within what a raster can be
    Doc->CreateShapeObjects(0);
    auto* Rebuilt = dynamic_cast<TImgSelection*>(TImageDraw::RowShape(&Row));
    ASSERT_NE(Rebuilt, nullptr);
    EXPECT_NE(Rebuilt, S);
    EXPECT_TRUE(Rebuilt->Selected());
    EXPECT_EQ(Rebuilt->SelBitmapOX(), 12);
    EXPECT_EQ(Rebuilt->SelBitmapOY(), 13);
    EXPECT_EQ(Rebuilt->FeatherAmount(), MaxFeatherAmount);
}
