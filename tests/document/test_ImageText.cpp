// The text object: its plain frames, the drawing plan (smoothing, text
// rendering hint, brushes, letter fills, the frame shown while it is dragged
// out), hit testing, moving, its row columns through the document, and the
// text properties the style panels set.
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "document/ImageText.h"
#include "framework/runtime/SysUtils.h"

namespace {
using TOp = TShapePath::TOp;
using TText = TTextDrawing::TText;

// A path item as text: "op x y w h start sweep" or "op x,y x,y ...".
String Describe(const TShapePath& Path)
{
    static const char16_t* Names[] = {u"rect", u"ellipse", u"arc", u"lines", u"polygon", u"beziers",
                                      u"curve", u"closedcurve", u"start", u"close"};
    String S;
    for (const TShapePath::TItem& I : Path.Items()) {
        if (!S.empty()) S += u" | ";
        S += Names[static_cast<int>(I.Op)];
        if (I.Op == TOp::Rectangle || I.Op == TOp::Ellipse || I.Op == TOp::Arc)
            S += Format(u" %d %d %d %d", {Integer(I.X), Integer(I.Y), Integer(I.Width), Integer(I.Height)});
        if (I.Op == TOp::Arc) S += Format(u" %d %d", {Integer(I.Start), Integer(I.Sweep)});
        for (const TFloatPoint& P : I.Points) S += Format(u" %d,%d", {Integer(P.X), Integer(P.Y)});
    }
    return S;
}

// A stand-alone text object in a 101 x 51 frame at (10, 20).
class TextObject : public ::testing::Test {
protected:
    void SetUp() override
    {
        T.SetSRect({10, 20, 111, 71});
        T.CalcCenterPoint();
        T.SetText(u"Ab");
        T.SetFontName(u"Arial");
        T.SetFontSize(24);
        T.SetFontColor(0x0000FF);  // red, 0xBBGGRR
        T.SetOpacity(255);
        T.SetIsOutline(true);
        T.SetCreating(false);
    }
    TCustomBitmap32 Bitmap;
    TImgText T{nullptr, 1, &Bitmap};
};
}  // namespace

TEST_F(TextObject, Construction)
{
    TImgText N(nullptr, 5, &Bitmap);
    EXPECT_EQ(N.ShapeType(), shText);
    EXPECT_EQ(N.ControlMode(), 3);
    EXPECT_EQ(N.MinSize(), 10);
    EXPECT_EQ(N.PointsCount(), 0);
    EXPECT_EQ(N.TextGradientMode(), -1);
    EXPECT_EQ(N.GetPoints(), u"");
}

TEST_F(TextObject, PlainFrames)
{
    struct Case {
        Integer Style, W, H;
        const char16_t* Path;
    } Cases[] = {
        {0, 101, 51, u"rect 10 20 101 51"},
        // Corner boxes of Round((W + H) x 0.15), no larger than a side.
        {1, 30, 10,
         u"start | arc 10 20 6 6 180 90 | arc 34 20 6 6 270 90 | arc 34 24 6 6 0 90 | arc 10 24 6 6 90 90 | close"},
        {1, 101, 51,
         u"start | arc 10 20 23 23 180 90 | arc 88 20 23 23 270 90 | arc 88 48 23 23 0 90 | arc 10 48 23 23 90 90 "
         u"| close"},
        {1, 100, 2, u"start | arc 10 20 2 2 180 90 | arc 108 20 2 2 270 90 | arc 108 20 2 2 0 90 | arc 10 20 2 2 90 90 | close"},
        {1, 1, 1, u"rect 10 20 1 1"},  // no room for an arc
        {2, 101, 51, u"ellipse 10 20 101 51"},
        // Whole divisions, truncated.
        {3, 101, 51, u"polygon 10,45 60,20 111,45 60,71"},
        {4, 101, 51, u"polygon 10,32 30,20 91,20 111,32 111,59 91,71 30,71 10,59"},
        {5, 101, 51, u"polygon 10,45 30,20 91,20 111,45 91,71 30,71"},
        {6, 101, 51, u""},
        {-1, 101, 51, u""},
    };
    for (const Case& C : Cases) {
        TShapePath Path;
        TImgText::PlainFramePath(C.Style, 10, 20, C.W, C.H, Path);
        EXPECT_EQ(Describe(Path), C.Path) << "style " << C.Style << " " << C.W << " x " << C.H;
    }
    // The object draws the frame of its style, around its rectangle.
    T.SetStyleId(2);
    EXPECT_EQ(Describe(T.BuildDrawing().Frame.Path), u"ellipse 10 20 101 51");
    const TShapeBounds F = T.BuildDrawing().Frame.Bounds;
    EXPECT_EQ(F, (TShapeBounds{10, 20, 101, 51}));
}

TEST_F(TextObject, SmoothingOfTheFrame)
{
    struct Case {
        TShapeType Kind;
        Integer Style;
        Single Angle;
        bool Antialias, Smooth;
    } Cases[] = {
        {shText, 0, 0, true, false},    // an upright rectangle stays crisp
        {shText, 0, 1, true, true},     // turned by a degree it is smoothed
        {shText, 2, 0, true, true},     // every other frame is smoothed
        {shText, 7, 0, true, true},     // so is a text without frame
        {shText, 0, 1, false, false},   // unless the object is not anti-aliased
        {shCallout, 0, 0, true, true},  // the callout note is no plain rectangle
    };
    for (const Case& C : Cases) {
        T.SetShapeType(C.Kind);
        T.SetStyleId(C.Style);
        T.SetAngle(C.Angle);
        T.SetAntialias(C.Antialias);
        const TTextDrawing D = T.BuildDrawing();
        EXPECT_EQ(D.Frame.Smooth, C.Smooth) << int(C.Kind) << " style " << C.Style << " angle " << C.Angle;
        EXPECT_EQ(D.Frame.Angle, C.Angle);
    }
}

TEST_F(TextObject, TextRenderingHint)
{
    EXPECT_EQ(T.BuildDrawing().Text, TText::String);
    EXPECT_EQ(T.BuildDrawing().TextRenderingHint, 3);  // no document: the size alone
    T.SetFontSize(17);
    EXPECT_EQ(T.BuildDrawing().TextRenderingHint, 4);

    // In a document the Chinese interface always takes the plain hint.
    TTestView View;
    auto Doc = NewBlankDocument(View, 200, 100, false);
    TImgText D(Doc.get(), 1, nullptr);
    D.SetSRect({0, 0, 100, 40});
    D.SetText(u"x");
    D.SetCreating(false);
    struct Case {
        Integer Language, Size, Hint;
    } Cases[] = {{1, 24, 3}, {1, 12, 4}, {1, 18, 3}, {1, 17, 4}, {0, 24, 4}, {0, 12, 4}};
    for (const Case& C : Cases) {
        Doc->SetLanguageIndex(C.Language);
        D.SetFontSize(C.Size);
        EXPECT_EQ(D.BuildDrawing().TextRenderingHint, C.Hint) << C.Language << " " << C.Size;
    }
}

TEST_F(TextObject, TextBrushFollowsTheFrame)
{
    struct Case {
        bool Outline, Fill;
        Integer Opacity;
        TColor32 Color;
    } Cases[] = {
        {false, false, 128, 0x80FF0000},  // standing alone: the object's opacity
        {true, false, 128, 0xFFFF0000},   // framed: opaque
        {false, true, 128, 0xFFFF0000},
        {false, false, 300, 0xFFFF0000},  // clamped
        {false, false, -5, 0x00FF0000},
    };
    for (const Case& C : Cases) {
        T.SetIsOutline(C.Outline);
        T.SetIsFill(C.Fill);
        T.SetOpacity(C.Opacity);
        T.SetFontStroke(true);
        T.SetFontStrokeColor(0xFF0000);  // blue
        const TTextDrawing D = T.BuildDrawing();
        EXPECT_EQ(D.TextColor, C.Color) << C.Outline << C.Fill << " " << C.Opacity;
        EXPECT_EQ(D.StrokeColor, (C.Color & 0xFF000000) | 0x0000FF);
    }
}

TEST_F(TextObject, LettersAsShapes)
{
    T.SetTextGradientColor(u"255/16711680");
    T.SetTextGradientOpacity(u"100/50");
    T.SetTextGradientPosition(u"0/1");
    T.SetTextGradientTextureFileName(u"");
    struct Case {
        bool Stroke, Empty;
        Integer GradientMode, FillMode;
        TText Text;
        TLetterFill Fill;
        bool Outlined;
    } Cases[] = {
        {false, false, -1, 0, TText::String, TLetterFill::None, false},
        {true, false, -1, 0, TText::Shapes, TLetterFill::Solid, true},
        {false, true, -1, 0, TText::Shapes, TLetterFill::None, true},
        {true, true, -1, 0, TText::Shapes, TLetterFill::Solid, true},
        {false, false, 0, 0, TText::Shapes, TLetterFill::Linear, false},
        {false, false, 3, 2, TText::Shapes, TLetterFill::Elliptic, false},
        {true, false, 0, 2, TText::Shapes, TLetterFill::Elliptic, true},
        // An empty outline ignores the letter gradient.
        {false, true, 0, 0, TText::Shapes, TLetterFill::None, true},
        // Kinds 1, 3 and 4 leave the letters unfilled.
        {false, false, 0, 1, TText::Shapes, TLetterFill::None, false},
        {false, false, 0, 3, TText::Shapes, TLetterFill::None, false},
        {true, false, 0, 4, TText::Shapes, TLetterFill::None, true},
        // A texture without a file fills nothing.
        {true, false, 0, 5, TText::Shapes, TLetterFill::None, true},
    };
    for (const Case& C : Cases) {
        T.SetFontStroke(C.Stroke);
        T.SetFontStrokeEmpty(C.Empty);
        T.SetTextGradientMode(C.GradientMode);
        T.SetTextGradientFillMode(C.FillMode);
        T.SetFontStrokeWidth(3);
        const TTextDrawing D = T.BuildDrawing();
        const std::string What = std::to_string(C.Stroke) + std::to_string(C.Empty) + " " +
                                 std::to_string(C.GradientMode) + " " + std::to_string(C.FillMode);
        EXPECT_EQ(D.Text, C.Text) << What;
        EXPECT_EQ(D.LetterFill, C.Fill) << What;
        EXPECT_EQ(D.StrokeLetters, C.Outlined) << What;
        if (C.Outlined) EXPECT_EQ(D.StrokeWidth, 3) << What;
    }
    // The letter blend: the letters' own lists at the object's opacity.
    ASSERT_EQ(T.TextGradientColors().size(), 2u);
    EXPECT_EQ(T.TextGradientColors()[0], 0xFFFF0000u);
    EXPECT_EQ(T.TextGradientColors()[1], 0x800000FFu);
}

TEST_F(TextObject, StrokeWidthZeroIsOne)
{
    for (bool Empty : {false, true}) {
        T.SetFontStroke(!Empty);
        T.SetFontStrokeEmpty(Empty);
        T.SetFontStrokeWidth(0);
        EXPECT_EQ(T.BuildDrawing().StrokeWidth, 1);
        EXPECT_EQ(T.FontStrokeWidth(), 1);  // the object keeps it
    }
    // Without letter outlines the width stays what it is.
    T.SetFontStrokeEmpty(false);
    T.SetFontStrokeWidth(0);
    T.SetTextGradientMode(0);
    T.BuildDrawing();
    EXPECT_EQ(T.FontStrokeWidth(), 0);
}

TEST_F(TextObject, DrawnSizesOfADamagedRow)
{
    T.SetFontStroke(true);
    struct Case {
        Integer Size, Width;
        Single EmSize;
        Integer StrokeWidth;
    } Cases[] = {{24, 2, 24, 2}, {-50, -3, 0, -3}, {MaxTextDrawSize, MaxTextDrawSize, MaxTextDrawSize, MaxTextDrawSize},
                 {2000000, 1000000, MaxTextDrawSize, MaxTextDrawSize}};
    for (const Case& C : Cases) {
        T.SetFontSize(C.Size);
        T.SetFontStrokeWidth(C.Width);
        const TTextDrawing D = T.BuildDrawing();
        EXPECT_EQ(D.EmSize, C.EmSize) << C.Size;
        EXPECT_EQ(D.StrokeWidth, C.StrokeWidth) << C.Width;
        EXPECT_EQ(T.FontSize(), C.Size);  // the object keeps what its row holds
    }
}

TEST_F(TextObject, LetterBlendIsCachedUntilChanged)
{
    T.SetTextGradientMode(0);
    T.SetTextGradientColor(u"255/16711680");
    T.SetTextGradientOpacity(u"100/100");
    T.SetTextGradientPosition(u"0/1");
    T.BuildDrawing();
    ASSERT_EQ(T.TextGradientColors().size(), 2u);
    T.SetChanged2(false);
    T.SetTextGradientColor(u"65280/65280/65280");
    T.SetTextGradientOpacity(u"100/100/100");
    T.SetTextGradientPosition(u"0/0.5/1");
    T.BuildDrawing();
    EXPECT_EQ(T.TextGradientColors().size(), 2u);  // the cache until the next edit
    T.SetChanged2(true);
    T.BuildDrawing();
    ASSERT_EQ(T.TextGradientColors().size(), 3u);
    EXPECT_EQ(T.TextGradientColors()[1], 0xFF00FF00u);
    EXPECT_FLOAT_EQ(T.TextGradientPositions()[1], 0.5f);
}

TEST_F(TextObject, FrameWhileDraggedOut)
{
    struct Case {
        bool Creating;
        const char16_t* Text;
        TShapeType Kind;
        bool Outline;
        TText Expected;
    } Cases[] = {
        {true, u"", shText, false, TText::CreatingFrame},
        {true, u"Ab", shText, false, TText::String},  // once typed, only the text
        {true, u"", shCallout, false, TText::None},   // a callout shows its own frame
        {true, u"", shText, true, TText::None},       // and so does an outlined text
        {false, u"", shText, false, TText::None},
    };
    for (const Case& C : Cases) {
        T.SetCreating(C.Creating);
        T.SetText(C.Text);
        T.SetShapeType(C.Kind);
        T.SetIsOutline(C.Outline);
        EXPECT_EQ(T.BuildDrawing().Text, C.Expected) << C.Creating << " " << int(C.Kind) << " " << C.Outline;
    }
}

TEST_F(TextObject, DrawModesPaintTheFrameAlone)
{
    for (Integer Mode : {1, 2, 3}) {
        T.SetDrawMode2(Mode);
        const TTextDrawing D = T.BuildDrawing();
        EXPECT_TRUE(D.FrameOnly) << Mode;
        EXPECT_EQ(D.Text, TText::None) << Mode;
    }
    T.SetDrawMode2(0);
    EXPECT_FALSE(T.BuildDrawing().FrameOnly);
}

TEST_F(TextObject, LayoutAndFormat)
{
    T.SetAlignment(2);
    T.SetLayout(1);
    T.SetDirectionVertical(true);
    T.SetFontBold(true);
    T.SetFontUnderline(true);
    const TTextDrawing D = T.BuildDrawing();
    EXPECT_EQ(D.Alignment, 2);
    EXPECT_EQ(D.LineAlignment, 1);
    EXPECT_TRUE(D.Vertical);
    EXPECT_EQ(D.FontStyle, 5);
    EXPECT_EQ(D.LayoutX, 10);
    EXPECT_EQ(D.LayoutY, 20);
    EXPECT_EQ(D.LayoutWidth, 101);
    EXPECT_EQ(D.LayoutHeight, 51);
}

TEST_F(TextObject, HitTestAndMoving)
{
    T.SetCurrentCtrIndex(3);
    struct Case {
        Single Angle;
        TPoint P;
        bool Hit;
    } Cases[] = {
        {0, {10, 20}, true}, {0, {110, 70}, true}, {0, {111, 40}, false}, {0, {50, 71}, false},
        // Turned a quarter about (60.5, 45.5): the frame stands upright.
        {90, {60, 0}, true}, {90, {15, 45}, false},
    };
    for (const Case& C : Cases) {
        T.SetAngle(C.Angle);
        T.SetCurrentCursor(0);
        EXPECT_EQ(T.PtInShape(C.P.X, C.P.Y), C.Hit) << C.Angle << " " << C.P.X << "," << C.P.Y;
        if (C.Hit) {
            EXPECT_EQ(T.CurrentCursor(), crSizeAll);
            EXPECT_EQ(T.CurrentCtrIndex(), -1);
        }
    }
    T.SetAngle(0);
    T.PrepareMove();
    T.MoveShape(0, 0, 5, 6);
    T.MoveShape(0, 0, 7, 8);
    EXPECT_EQ(T.SRect(), (TRect{17, 28, 118, 79}));
    T.OffsetShape(-7, -8);
    EXPECT_EQ(T.SRect(), (TRect{10, 20, 111, 71}));
}

TEST_F(TextObject, APlainFrameStoresNoPoints)
{
    T.SetPoints(u"10.30.20.40");
    EXPECT_EQ(T.PointsCount(), 0);
    EXPECT_EQ(T.GetPoints(), u"");
}

// ---------------------------------------------------------------------------
// Through the document

namespace {
TCell* ImageDrawTestCell(TRow& Row, Integer Index)
{
    while (Row.ItemCount() <= Index) Row.AddItem(String());
    return Row.GetItem(Index);
}

class TextInDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 400, 300, false);
        Doc->InitBitmap();
        Defaults = std::make_unique<TDataTable>();
        AddEmptyDefaultRows(*Defaults);
        TRow* R = Defaults->GetItem(shText);
        const std::pair<Integer, const char16_t*> Cells[] = {
            {14, u"0"},      {16, u"255"},      {20, u"0"},   {21, u"0"},    {24, u"0"},          {27, u"-1"},
            {28, u"-1"},     {29, u"-1"},       {40, u"Arial"}, {41, u"36"}, {42, u"255"},        {43, u"-1"},
            {44, u"0"},      {45, u"0"},        {46, u"1"},   {47, u"1"},    {48, u"0"},          {49, u"0"},
            {50, u"65280"},  {55, u"0"},        {56, u"2"},   {59, u"-1"},   {60, u"255/65280"},  {61, u"100/100"},
            {62, u"0/1"},    {63, u"2"},        {64, u"45"},  {65, u"15"},   {66, u"-1"},         {67, u"c:\\t\x1a" u"x.png"},
            {54, u"from the row"}, {53, u"1.2.3.4"}, {51, u"5"}, {98, u"15"}};
        for (auto [Col, Text] : Cells) R->GetItem(Col)->SetText(Text);
        Doc->SetPropDT(Defaults.get());
        Doc->SetDefaultTextOnCreatingObject(u"Text\x1a here\x1b");
    }
    TImgText* NewText(Integer X1, Integer Y1, Integer X2, Integer Y2)
    {
        Doc->CreateShape(shText);
        Doc->DrawShape(X1, Y1, X2, Y2);
        Doc->CreateShapeOver(false);
        return dynamic_cast<TImgText*>(Doc->Shape());
    }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    std::unique_ptr<TDataTable> Defaults;
};
}  // namespace

TEST_F(TextInDocument, ANewTextFromTheDefaults)
{
    Doc->CreateShape(shText);
    auto* T = dynamic_cast<TImgText*>(Doc->Shape());
    ASSERT_NE(T, nullptr);
    EXPECT_TRUE(T->Creating());
    // While dragged out with no text, the red frame would show; the default text is there.
    EXPECT_EQ(T->Text(), u"Text, here|");
    EXPECT_EQ(T->FontName(), u"Arial");
    EXPECT_EQ(T->FontSize(), 36);
    EXPECT_EQ(T->FontColor(), 255);
    EXPECT_TRUE(T->FontBold());
    EXPECT_FALSE(T->FontItalic());
    EXPECT_EQ(T->Alignment(), 1);
    EXPECT_EQ(T->Layout(), 1);
    EXPECT_EQ(T->FontStrokeColor(), 65280);
    EXPECT_EQ(T->FontStrokeWidth(), 2);
    EXPECT_EQ(T->TextGradientColor(), u"255/65280");
    EXPECT_EQ(T->TextGradientFillMode(), 2);
    EXPECT_EQ(T->TextGradientLinearAngle(), 45);
    EXPECT_TRUE(T->TextGradientGammaCorrected());
    EXPECT_EQ(T->TextGradientTextureFileName(), u"c:\\t,x.png");
    EXPECT_EQ(T->PointsCount(), 0);  // the row's points are not a new text's
    Doc->DrawShape(30, 40, 130, 90);
    EXPECT_EQ(T->SRect(), (TRect{30, 40, 131, 91}));
    Doc->CreateShapeOver(false);
    EXPECT_FALSE(T->Creating());
    EXPECT_TRUE(T->Selected());
}

TEST_F(TextInDocument, RowsRoundTripWithEscapedTexts)
{
    TImgText* T = NewText(10, 10, 200, 80);
    T->SetText(u"a, b | c\r\nd");
    T->SetTextGradientTextureFileName(u"c:\\x|y,z.png");
    T->SetFontStroke(true);
    T->SetFontStrokeWidth(4);
    T->SetTextGradientMode(0);
    T->SetDirectionVertical(true);
    T->SetStyleId(4);
    Doc->StoreShapeGeometry();
    TRow* Row = Doc->DT()->GetItem(0);
    // No comma or bar in a stored text: the document's cell escapes.
    EXPECT_EQ(Row->GetItem(TextCol::Text)->Text(), u"a\x1a b \x1b c\r\nd");
    EXPECT_EQ(Row->GetItem(TextCol::GradientTextureFileName)->Text(), u"c:\\x\x1by\x1az.png");
    EXPECT_EQ(Row->GetItem(TextCol::FontStroke)->Text(), u"-1");
    EXPECT_EQ(Row->GetItem(TextCol::FontStrokeWidth)->Text(), u"4");
    EXPECT_EQ(Row->GetItem(TextCol::Points)->Text(), u"");
    const String Stored = Row->ToString(true);

    Doc->CreateShapeObjects(-1);
    auto* R = dynamic_cast<TImgText*>(TImageDraw::RowShape(Row));
    ASSERT_NE(R, nullptr);
    EXPECT_NE(R, T);
    EXPECT_EQ(R->Text(), u"a, b | c\r\nd");
    EXPECT_EQ(R->TextGradientTextureFileName(), u"c:\\x|y,z.png");
    EXPECT_TRUE(R->FontStroke());
    EXPECT_TRUE(R->DirectionVertical());
    EXPECT_EQ(R->StyleId(), 4);
    EXPECT_EQ(R->SRect(), (TRect{10, 10, 201, 81}));
    Doc->StoreShapeGeometry();
    EXPECT_EQ(Row->ToString(true), Stored);

    // Columns 52, 57 and 58 are not the text's: they stay as they are.
    Row->GetItem(52)->SetText(u"k52");
    Row->GetItem(57)->SetText(u"k57");
    Doc->CreateShapeObjects(0);
    Doc->StoreShapeGeometry();
    EXPECT_EQ(Row->GetItem(52)->Text(), u"k52");
    EXPECT_EQ(Row->GetItem(57)->Text(), u"k57");
}

TEST_F(TextInDocument, ShortAndDamagedRows)
{
    Doc->DT()->AddItem(u"1,9,,0,0,,,,,,10,10,60,40");               // no text columns at all
    Doc->DT()->AddItem(u"2,13,,0,0,,,,,,10,10,60,40,,,,,,,,,,,3");  // a callout, as short
    // Numbers that are none, and a cut-off gradient.
    TRow* Z = Doc->DT()->AddItem(u"3,9,,0,0,,,,,,0,0,50,50");
    for (auto [Col, Text] : {std::pair{40, u"x"}, {41, u"y"}, {42, u"z"}, {56, u"-"}, {59, u"0"}, {60, u"1/2/"}})
        ImageDrawTestCell(*Z, Col)->SetText(Text);
    Doc->CreateShapeObjects(-1);
    for (Integer i = 0; i < Doc->DT()->ItemCount(); ++i) {
        auto* T = dynamic_cast<TImgText*>(TImageDraw::RowShape(Doc->DT()->GetItem(i)));
        ASSERT_NE(T, nullptr) << i;
        EXPECT_EQ(T->Text(), u"") << i;
        T->BuildDrawing();
    }
    EXPECT_EQ(TImageDraw::RowShape(Doc->DT()->GetItem(1))->ShapeType(), shCallout);
    auto* ZT = dynamic_cast<TImgText*>(TImageDraw::RowShape(Z));
    EXPECT_EQ(ZT->FontName(), u"x");
    EXPECT_EQ(ZT->FontSize(), 0);
    Doc->StoreShapeGeometry();
    EXPECT_EQ(Doc->DT()->GetItem(0)->ItemCount(), TextCol::GradientTextureFileName + 1);
}

TEST_F(TextInDocument, TextPropertiesOfTheSelectedTexts)
{
    TImgText* A = NewText(0, 0, 99, 49);
    TImgText* B = NewText(0, 60, 99, 99);
    Defaults->GetItem(shRectangle)->GetItem(14)->SetValue(7);
    Doc->CreateShape(shRectangle);
    Doc->DrawShape(0, 0, 9, 9);
    Doc->CreateShapeOver(false);
    TImgShape* Rect = Doc->Shape();
    Doc->ClickShape(selOne, A->Id());
    Doc->ClickShape(selMulti, Rect->Id());
    struct Case {
        const char16_t* Name;
        Integer Value;
        std::function<Integer(TImgText&)> Read;
    };
    const Case Cases[] = {
        {u"FontSize", 50, [](TImgText& T) { return T.FontSize(); }},
        {u"FontColor", 0x123456, [](TImgText& T) { return T.FontColor(); }},
        {u"Alignment", 2, [](TImgText& T) { return T.Alignment(); }},
        {u"Layout", 2, [](TImgText& T) { return T.Layout(); }},
        {u"DirectionVertical", 1, [](TImgText& T) { return T.DirectionVertical() ? 1 : 0; }},
        {u"FontStrokeColor", 0x654321, [](TImgText& T) { return T.FontStrokeColor(); }},
        {u"FontStrokeWidth", 6, [](TImgText& T) { return T.FontStrokeWidth(); }},
        {u"FontBold", 0, [](TImgText& T) { return T.FontBold() ? 1 : 0; }},
        {u"FontItalic", 1, [](TImgText& T) { return T.FontItalic() ? 1 : 0; }},
        {u"FontUnderline", 1, [](TImgText& T) { return T.FontUnderline() ? 1 : 0; }},
        {u"TextGradientMode", 3, [](TImgText& T) { return T.TextGradientMode(); }},
    };
    for (const Case& K : Cases) {
        const Integer Before = K.Read(*B);
        Doc->SetProperty(K.Name, K.Value, false);
        EXPECT_EQ(K.Read(*A), K.Value) << UTF8Encode(K.Name);
        EXPECT_EQ(K.Read(*B), Before) << UTF8Encode(K.Name);  // not selected
    }
    EXPECT_EQ(Rect->Color(), 7);  // the rectangle has no text values

    // Filled and empty letter outlines exclude each other.
    Doc->SetProperty(u"FontStroke", 1, false);
    EXPECT_TRUE(A->FontStroke());
    Doc->SetProperty(u"FontStrokeEmpty", 1, false);
    EXPECT_TRUE(A->FontStrokeEmpty());
    EXPECT_FALSE(A->FontStroke());
    Doc->SetProperty(u"FontStroke", 1, false);
    EXPECT_FALSE(A->FontStrokeEmpty());
    Doc->SetProperty(u"FontStroke", 0, false);
    EXPECT_FALSE(A->FontStroke());
    EXPECT_FALSE(A->FontStrokeEmpty());

    A->SetChanged2(false);
    Rect->SetChanged2(false);
    Doc->SetPropertyStr(u"Text", u"new, text", false);
    Doc->SetPropertyStr(u"FontName", u"Courier New", false);
    EXPECT_EQ(A->Text(), u"new, text");
    EXPECT_EQ(A->FontName(), u"Courier New");
    EXPECT_EQ(B->Text(), u"Text, here|");
    EXPECT_TRUE(A->Changed2());
    EXPECT_TRUE(Rect->Changed2());
}
