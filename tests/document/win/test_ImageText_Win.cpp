// The text object painted through GDI+ under Wine: pixels read back from the
// bitmaps it draws on, a golden picture of texts whose pixels Wine draws the
// same every time, and a text drawn with the real mouse on a real image view.
// Wine draws geometry without anti-aliasing and text always with grey
// anti-aliasing whatever the hint, so the smoothing and hint rules are the
// host test's; here the samples keep to what Wine draws.
#include <cstdlib>
#include <filesystem>

#include "DocumentOnView.h"
#include "../GoldenPicture.h"
#include "Component/Raster32/win/Ras32_GDI.h"
#include "document/ImageText.h"
#include "document/win/ImageDraw_Win.h"
#include "framework/runtime/SysUtils.h"

namespace {
constexpr TColor32 White = 0xFFFFFFFF;
constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00;  // 0xBBGGRR

Integer R8(TColor32 C) { return (C >> 16) & 0xFF; }
Integer G8(TColor32 C) { return (C >> 8) & 0xFF; }
Integer B8(TColor32 C) { return C & 0xFF; }

// Where a bitmap differs from Background, and how.
struct TInk {
    TRect Box{1 << 30, 1 << 30, -1, -1};
    Integer Count = 0;
    bool Empty() const { return Count == 0; }
    Integer CentreX() const { return (Box.Left + Box.Right) / 2; }
    Integer CentreY() const { return (Box.Top + Box.Bottom) / 2; }
};
template <class F>
TInk InkWhere(const TCustomBitmap32& B, F Pred)
{
    TInk I;
    for (Integer y = 0; y < B.Height(); ++y)
        for (Integer x = 0; x < B.Width(); ++x)
            if (Pred(B.Pixel(x, y))) {
                ++I.Count;
                I.Box = TRect{std::min(I.Box.Left, x), std::min(I.Box.Top, y), std::max(I.Box.Right, x + 1),
                              std::max(I.Box.Bottom, y + 1)};
            }
    return I;
}
TInk Ink(const TCustomBitmap32& B, TColor32 Background = White)
{
    return InkWhere(B, [&](TColor32 C) { return C != Background; });
}

class TextWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallImageDrawHooks();
        Bitmap.SetSize(240, 120);
        Bitmap.Clear(White);
        T.SetSRect({20, 20, 220, 100});
        T.CalcCenterPoint();
        T.SetText(u"Hello");
        T.SetFontName(u"Arial");
        T.SetFontSize(30);
        T.SetFontColor(Red);
        T.SetOpacity(255);
        T.SetIsOutline(false);
        T.SetIsFill(false);
        T.SetColor(Blue);
        T.SetFillColor(Green);
        T.SetOutWidth(1);
        T.SetCreating(false);
    }
    void Redraw()
    {
        Bitmap.Clear(White);
        T.SetChanged2(true);
        T.Draw(nullptr);
    }

    TCustomBitmap32 Bitmap;
    TImgText T{nullptr, 1, &Bitmap};
};
}  // namespace

TEST_F(TextWin, AlignmentAndLayoutPlaceTheText)
{
    struct Case {
        Integer Alignment, Layout;
        // Where the ink lies: -1 near the start, 0 centred, 1 near the end.
        Integer Horizontal, Vertical;
    } Cases[] = {{0, 0, -1, -1}, {1, 1, 0, 0}, {2, 2, 1, 1}, {1, 0, 0, -1}, {0, 2, -1, 1}};
    for (const Case& C : Cases) {
        T.SetAlignment(C.Alignment);
        T.SetLayout(C.Layout);
        Redraw();
        const TInk I = Ink(Bitmap);
        ASSERT_FALSE(I.Empty());
        SCOPED_TRACE(testing::Message() << C.Alignment << " " << C.Layout << " ink " << I.Box.Left << ","
                                        << I.Box.Top << "-" << I.Box.Right << "," << I.Box.Bottom);
        // Never outside the frame.
        EXPECT_GE(I.Box.Left, 20);
        EXPECT_LE(I.Box.Right, 220);
        EXPECT_GE(I.Box.Top, 20);
        EXPECT_LE(I.Box.Bottom, 100);
        auto Where = [](Integer Lo, Integer Hi, Integer InkLo, Integer InkHi) {
            const Integer Mid = (Lo + Hi) / 2, InkMid = (InkLo + InkHi) / 2;
            if (std::abs(InkMid - Mid) <= 6) return 0;
            return InkMid < Mid ? -1 : 1;
        };
        EXPECT_EQ(Where(20, 220, I.Box.Left, I.Box.Right), C.Horizontal);
        EXPECT_EQ(Where(20, 100, I.Box.Top, I.Box.Bottom), C.Vertical);
        // The letters are red: their darkest pixel is pure red.
        EXPECT_TRUE(InkWhere(Bitmap, [](TColor32 P) { return P == 0xFFFF0000; }).Count > 20);
    }
}

TEST_F(TextWin, StandingAloneTheTextFollowsTheOpacity)
{
    struct Case {
        bool Outline;
        Integer Opacity;
        Integer Green;  // of the inkiest pixel, over white
    } Cases[] = {{false, 255, 0}, {false, 128, 127}, {true, 128, 0}};
    for (const Case& C : Cases) {
        T.SetIsOutline(C.Outline);
        T.SetColor(0xFFFFFF);  // a white outline, out of the way on white
        T.SetOpacity(C.Opacity);
        Redraw();
        Integer Least = 255;
        for (Integer y = 30; y < 90; ++y)
            for (Integer x = 30; x < 210; ++x) Least = std::min(Least, G8(Bitmap.Pixel(x, y)));
        EXPECT_NEAR(Least, C.Green, 2) << C.Outline << " " << C.Opacity;
    }
}

TEST_F(TextWin, OutlinedLetters)
{
    T.SetFontSize(60);
    T.SetFontStrokeColor(Blue);
    auto Blues = [&] { return InkWhere(Bitmap, [](TColor32 P) { return B8(P) > 200 && R8(P) < 60; }).Count; };
    auto Reds = [&] { return InkWhere(Bitmap, [](TColor32 P) { return R8(P) > 200 && B8(P) < 60 && G8(P) < 60; }).Count; };
    // Filled in the text colour, outlined 1 pixel wide (a width of 0 is 1).
    T.SetFontStroke(true);
    T.SetFontStrokeWidth(0);
    Redraw();
    EXPECT_EQ(T.FontStrokeWidth(), 1);
    const Integer ThinBlue = Blues();
    EXPECT_GT(ThinBlue, 50);
    EXPECT_GT(Reds(), 50);
    // A wider outline covers more.
    T.SetFontStrokeWidth(4);
    Redraw();
    EXPECT_GT(Blues(), ThinBlue * 2);
    // The outline alone, even with a letter gradient set.
    T.SetFontStroke(false);
    T.SetFontStrokeEmpty(true);
    T.SetFontStrokeWidth(1);
    T.SetTextGradientMode(0);
    T.SetTextGradientFillMode(0);
    T.SetTextGradientColor(u"255/65280");
    T.SetTextGradientOpacity(u"100/100");
    T.SetTextGradientPosition(u"0/1");
    Redraw();
    EXPECT_GT(Blues(), 50);
    EXPECT_EQ(Reds(), 0);
    EXPECT_EQ(InkWhere(Bitmap, [](TColor32 P) { return G8(P) > 200 && R8(P) < 100 && B8(P) < 100; }).Count, 0);
}

TEST_F(TextWin, GradientAndTextureLetters)
{
    T.SetFontSize(60);
    T.SetText(u"MMM");
    T.SetTextGradientMode(0);
    T.SetTextGradientColor(u"255/16711680");  // red to blue
    T.SetTextGradientOpacity(u"100/100");
    T.SetTextGradientPosition(u"0/1");
    T.SetTextGradientLinearAngle(0);
    T.SetTextGradientFillMode(0);
    Redraw();
    const TInk I = Ink(Bitmap);
    ASSERT_FALSE(I.Empty());
    // Left letters red, right letters blue: the ink of the first and last 15 columns.
    auto Sum = [&](Integer X0, Integer X1) {
        Integer R = 0, B = 0;
        for (Integer y = I.Box.Top; y < I.Box.Bottom; ++y)
            for (Integer x = X0; x < X1; ++x)
                if (Bitmap.Pixel(x, y) != White) {
                    R += R8(Bitmap.Pixel(x, y));
                    B += B8(Bitmap.Pixel(x, y));
                }
        return std::pair{R, B};
    };
    const auto [LeftR, LeftB] = Sum(I.Box.Left, I.Box.Left + 15);
    const auto [RightR, RightB] = Sum(I.Box.Right - 15, I.Box.Right);
    EXPECT_GT(LeftR, 2 * LeftB);
    EXPECT_GT(RightB, 2 * RightR);

    // Elliptic: filled, centre and rim of different colours.
    T.SetTextGradientFillMode(2);
    Redraw();
    EXPECT_GT(Ink(Bitmap).Count, 200);

    // Kinds 1, 3 and 4 draw nothing without a letter outline.
    for (Integer Kind : {1, 3, 4}) {
        T.SetTextGradientFillMode(Kind);
        Redraw();
        EXPECT_TRUE(Ink(Bitmap).Empty()) << Kind;
    }

    // A texture: the letters show the picture's green; a missing file fills nothing.
    const auto Dir = std::filesystem::temp_directory_path() / ("lm_text_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(Dir);
    auto Cleanup = ScopeExit([&] {
        ClearTextureTable();
        std::filesystem::remove_all(Dir);
    });
    TCustomBitmap32 Tile;
    Tile.SetSize(4, 4);
    Tile.Clear(0xFF00C000);
    const String File = UTF8ToString((Dir / "green.bmp").string());
    Tile.SaveToFile(File, false);
    T.SetTextGradientFillMode(5);
    T.SetTextGradientTextureFileName(File);
    Redraw();
    const TInk Greens = InkWhere(Bitmap, [](TColor32 P) { return P == 0xFF00C000; });
    EXPECT_GT(Greens.Count, 200);
    EXPECT_EQ(InkWhere(Bitmap, [](TColor32 P) { return P != White && P != 0xFF00C000; }).Count, 0);
    T.SetTextGradientTextureFileName(UTF8ToString((Dir / "missing.bmp").string()));
    Redraw();
    EXPECT_TRUE(Ink(Bitmap).Empty());
}

TEST_F(TextWin, FramesAndDrawModes)
{
    T.SetIsFill(true);
    T.SetIsOutline(true);
    T.SetAlignment(1);
    T.SetLayout(1);
    // The ellipse frame: filled inside, not at the rectangle's corner.
    T.SetStyleId(2);
    Redraw();
    EXPECT_EQ(Bitmap.Pixel(22, 22), White);
    EXPECT_EQ(Bitmap.Pixel(40, 60), 0xFF00FF00u);
    EXPECT_TRUE(InkWhere(Bitmap, [](TColor32 P) { return P == 0xFFFF0000; }).Count > 20);  // the text on it
    // No frame for an unknown style; the text is still drawn.
    T.SetStyleId(9);
    Redraw();
    EXPECT_EQ(Bitmap.Pixel(40, 60), White);
    EXPECT_FALSE(Ink(Bitmap).Empty());
    // Draw mode 3: the frame's inside in the outline colour, no text.
    T.SetStyleId(0);
    T.SetDrawMode2(3);
    Redraw();
    EXPECT_EQ(Bitmap.Pixel(120, 60), 0xFF0000FFu);
    EXPECT_EQ(InkWhere(Bitmap, [](TColor32 P) { return P != 0xFF0000FF && P != White; }).Count, 0);
    T.SetDrawMode2(0);
    // A font the system does not know: the frame without text.
    T.SetFontName(u"No Such Font Family");
    Redraw();
    EXPECT_EQ(Bitmap.Pixel(120, 60), 0xFF00FF00u);
    EXPECT_EQ(InkWhere(Bitmap, [](TColor32 P) { return R8(P) > 100 && G8(P) < 100; }).Count, 0);
}

// A damaged row's letters millions of pixels high (which overflowed the
// platform's stack) draw nothing visible and return.
TEST_F(TextWin, LettersOfAnyHeight)
{
    for (bool Stroke : {false, true}) {
        T.SetFontStroke(Stroke);
        T.SetFontSize(2000000);
        T.SetFontStrokeWidth(1000000);
        Redraw();
        EXPECT_TRUE(Ink(Bitmap).Empty()) << Stroke;
    }
}

TEST_F(TextWin, TurnedText)
{
    T.SetAlignment(1);
    T.SetLayout(1);
    Redraw();
    const TInk Upright = Ink(Bitmap);
    T.SetAngle(90);
    Redraw();
    const TInk Turned = Ink(Bitmap);
    ASSERT_FALSE(Turned.Empty());
    // Wider than high upright, higher than wide turned, about the same centre.
    EXPECT_GT(Upright.Box.Right - Upright.Box.Left, Upright.Box.Bottom - Upright.Box.Top);
    EXPECT_GT(Turned.Box.Bottom - Turned.Box.Top, Turned.Box.Right - Turned.Box.Left);
    EXPECT_NEAR(Turned.CentreX(), 120, 4);
    EXPECT_NEAR(Turned.CentreY(), 60, 4);
}

TEST_F(TextWin, DashedFrameWhileDraggedOut)
{
    T.SetText(u"");
    T.SetCreating(true);
    Redraw();
    Integer Red = 0, Other = 0;
    for (Integer x = 20; x <= 220; ++x) (Bitmap.Pixel(x, 20) == 0xFFFF0000 ? Red : Other)++;
    EXPECT_GT(Red, 60);    // dashes
    EXPECT_GT(Other, 20);  // and gaps
    EXPECT_EQ(Bitmap.Pixel(120, 60), White);
    Integer RightSide = 0;
    for (Integer y = 20; y <= 100; ++y) RightSide += Bitmap.Pixel(220, y) == 0xFFFF0000;
    EXPECT_GT(RightSide, 20);  // the frame's own right edge, on its last pixel
}

TEST_F(TextWin, StringTextSetsTheBitmapsCharacterSpacing)
{
    TBitmap32 Native;
    Native.SetSize(240, 120);
    Native.Clear(White);
    EXPECT_EQ(GetTextCharacterExtra(Native.Handle()), 0);
    T.Draw(&Native);
    EXPECT_EQ(GetTextCharacterExtra(Native.Handle()), 5);
    EXPECT_FALSE(Ink(Native).Empty());
}

// Texts of every kind of letter on one picture: Wine lays text out and
// rasterises it the same way every run, so the picture is compared whole.
TEST_F(TextWin, OutlinedLettersFarFromThePicturesCornerDraw)
{
    // Wine's GDI+ overflowed its stack flattening these letters' curves.
    TCustomBitmap32 Large;
    Large.SetSize(2000, 1500);
    Large.Clear(White);
    TImgText Far(nullptr, 1, &Large);
    Far.SetSRect({1300, 812, 1396, 918});
    Far.CalcCenterPoint();
    Far.SetText(u"Wg");
    Far.SetFontName(u"Arial");
    Far.SetFontSize(6);
    Far.SetFontStroke(true);
    Far.SetFontStrokeWidth(3);
    Far.SetFontStrokeColor(Blue);
    Far.SetIsFill(false);
    Far.SetIsOutline(false);
    Far.SetOpacity(255);
    Far.SetCreating(false);
    Far.Draw(nullptr);
    const TInk I = Ink(Large);
    ASSERT_FALSE(I.Empty());
    EXPECT_GE(I.Box.Left, 1295);
    EXPECT_GE(I.Box.Top, 807);
    EXPECT_LE(I.Box.Right, 1401);
    EXPECT_LE(I.Box.Bottom, 923);
}

TEST_F(TextWin, GoldenPicture)
{
    Bitmap.Clear(White);
    struct Item {
        TRect R;
        Integer Style;
        bool Fill, Outline, Stroke, Empty;
        Integer GradientFill;  // -1 none
        const char16_t* Text;
    } Items[] = {
        {{4, 4, 116, 56}, 0, true, true, false, false, -1, u"Plain\nlines"},
        {{124, 4, 236, 56}, 1, true, true, true, false, -1, u"Stroke"},
        {{4, 64, 116, 116}, 3, false, true, false, true, -1, u"Empty"},
        {{124, 64, 236, 116}, 5, false, false, false, false, 0, u"Grad"},
    };
    for (const Item& I : Items) {
        TImgText X(nullptr, 1, &Bitmap);
        X.SetSRect(I.R);
        X.CalcCenterPoint();
        X.SetStyleId(I.Style);
        X.SetIsFill(I.Fill);
        X.SetIsOutline(I.Outline);
        X.SetColor(Blue);
        X.SetFillColor(0xE0E0E0);
        X.SetOutWidth(2);
        X.SetOpacity(255);
        X.SetFontName(u"Arial");
        X.SetFontSize(20);
        X.SetFontColor(Red);
        X.SetFontBold(true);
        X.SetAlignment(1);
        X.SetLayout(1);
        X.SetFontStroke(I.Stroke);
        X.SetFontStrokeEmpty(I.Empty);
        X.SetFontStrokeColor(Blue);
        X.SetTextGradientMode(I.GradientFill);
        X.SetTextGradientFillMode(0);
        X.SetTextGradientColor(u"255/32768/16711680");
        X.SetTextGradientOpacity(u"100/100/100");
        X.SetTextGradientPosition(u"0/0.5/1");
        X.SetText(I.Text);
        X.SetCreating(false);
        X.Draw(nullptr);
    }
    ExpectGoldenPicture(Bitmap, "text_golden.bmp");
}

// ---------------------------------------------------------------------------
// A text drawn with the real mouse on a real image view

namespace {
class TextOnView : public DocumentOnView {
protected:
    void SetUp() override
    {
        DocumentOnView::SetUp();
        TRow* R = DefaultsFor(shText);
        const std::pair<Integer, const char16_t*> Cells[] = {
            {16, u"255"}, {20, u"0"},  {21, u"0"},  {27, u"-1"}, {28, u"-1"}, {29, u"-1"}, {40, u"Arial"},
            {41, u"20"},  {42, u"0"},  {46, u"1"},  {47, u"1"},  {59, u"-1"}, {98, u"15"}};
        for (auto [Col, Text] : Cells) R->GetItem(Col)->SetText(Text);
        View->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer X, Integer Y, TCustomLayer*) {
            Press = View->ControlToBitmap(TPoint{X, Y});
            Doc->SelectShape(selNone, 0);
            Doc->CreateShape(shText);
            Down = true;
        };
        View->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y, TCustomLayer*) {
            if (!Down) return;
            const TPoint P = View->ControlToBitmap(TPoint{X, Y});
            Doc->DrawShape(Press.X, Press.Y, P.X, P.Y);
            View->Bitmap()->Changed();
            ++Moves;
        };
        View->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer, TCustomLayer*) {
            Down = false;
            Doc->CreateShapeOver(false);
            Doc->Draw();
            View->Bitmap()->Changed();
        };
    }
    TPoint ToScreen(TPoint P) { return View->ClientToScreen(View->BitmapToControl(P)); }
    Integer Moves = 0;
};
}  // namespace

TEST_F(TextOnView, DragOutATextThenTypeIt)
{
    using namespace guitest;
    // No default text: while the frame is dragged out it shows red dashes.
    Doc->SetDefaultTextOnCreatingObject(u"");
    MovePointer(ToScreen({20, 20}));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return Down; }));
    MovePointer(ToScreen({100, 60}));
    MovePointer(ToScreen({180, 80}));
    ASSERT_TRUE(PumpUntil([&] { return Moves >= 1 && Doc->Shape() && Doc->Shape()->SRect().Right == 181; }));
    TDib Dib(317, 217);
    Paint(Dib);
    Integer Dashes = 0;
    for (Integer x = 20; x <= 180; ++x) Dashes += PaintedAt(Dib, {x, 20}) == 0xFF0000;
    EXPECT_GT(Dashes, 40);
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return !Down; }));

    auto* T = dynamic_cast<TImgText*>(Doc->Shape());
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->SRect(), (TRect{20, 20, 181, 81}));
    EXPECT_TRUE(T->Selected());
    // Finished, an empty text shows nothing; typed text shows in the frame's
    // middle (looked at without the selection's handles).
    Doc->SetPropertyStr(u"Text", u"Typed", false);
    EXPECT_EQ(T->Text(), u"Typed");
    Doc->SelectShape(selNone, 0);
    T->SetText(u"");
    Doc->Draw();
    Paint(Dib);
    EXPECT_EQ(PaintedAt(Dib, {60, 20}), 0x808080u);
    T->SetText(u"Typed");
    Doc->Draw();
    Paint(Dib);
    Integer Dark = 0;
    TRect Box{1000, 1000, -1, -1};
    for (Integer y = 10; y < 95; ++y)
        for (Integer x = 10; x < 195; ++x)
            if ((PaintedAt(Dib, {x, y}) & 0xFF) < 0x40) {
                ++Dark;
                Box = TRect{std::min(Box.Left, x), std::min(Box.Top, y), std::max(Box.Right, x), std::max(Box.Bottom, y)};
            }
    EXPECT_GT(Dark, 30);
    EXPECT_NEAR((Box.Left + Box.Right) / 2, 100, 6);
    EXPECT_NEAR((Box.Top + Box.Bottom) / 2, 50, 6);
}
