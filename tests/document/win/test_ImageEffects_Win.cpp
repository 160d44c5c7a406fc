// Object fills, shadows and composition drawn with GDI+ (Wine on an X
// display): the fill kinds of a rectangle read back from its bitmap, and the
// composed document read back from a real image view's window painting.
#include "DocumentOnView.h"
#include "document/DocumentTestView.h"
#include "document/GoldenPicture.h"

#include <chrono>
#include <filesystem>

#include "document/ImageRectangle.h"
#include "document/ImageSmall.h"
#include "document/win/ImageEffects_Win.h"
#include "framework/runtime/SysUtils.h"

using namespace guitest;

namespace {
// A rectangle drawing into its own white bitmap.
class RectangleFill : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallImageDrawHooks();
        Target.SetSize(120, 80);
        Target.Clear(0xFFFFFFFF);
    }
    void TearDown() override { ClearTextureTable(); }
    std::unique_ptr<TImgRectangle> New(Integer Style, const TRect& R)
    {
        auto S = std::make_unique<TImgRectangle>(nullptr, 1, &Target);
        S->SetStyleId(Style);
        S->SetSRect(R);
        S->CalcCenterPoint();
        S->InitPoints(false);
        S->CalcPoints(true);
        S->SetOpacity(255);
        S->SetCreating(false);
        return S;
    }
    // A gradient fill of Kind from red to blue.
    std::unique_ptr<TImgRectangle> Gradient(Integer Kind, Integer Style = 0)
    {
        auto S = New(Style, {10, 10, 110, 70});
        S->SetGradientMode(0);
        S->SetGradientFillMode(Kind);
        S->SetGradientColor(u"255/16711680");
        S->SetGradientOpacity(u"100/100");
        S->SetGradientPosition(u"0/1");
        return S;
    }
    TColor32 At(Integer X, Integer Y) { return Target.Pixel(X, Y); }

    TCustomBitmap32 Target;
};
}  // namespace

TEST_F(RectangleFill, SolidFillOutlineAndOpacity)
{
    auto S = New(0, {10, 10, 110, 70});
    S->SetIsFill(true);
    S->SetFillColor(0x0000FF);
    S->Draw(nullptr);
    EXPECT_EQ(At(10, 10), 0xFFFF0000);
    EXPECT_EQ(At(109, 69), 0xFFFF0000);
    EXPECT_EQ(At(110, 70), 0xFFFFFFFF);
    EXPECT_EQ(At(9, 40), 0xFFFFFFFF);

    // Half opacity over white; a black outline 1 wide on the outer pixels.
    Target.Clear(0xFFFFFFFF);
    S->SetOpacity(128);
    S->SetIsOutline(true);
    S->SetOutWidth(1);
    S->SetColor(0x000000);
    S->Draw(nullptr);
    EXPECT_TRUE(NearColour(At(60, 40), 0xFFFF7F7F, 2));
    EXPECT_TRUE(NearColour(At(10, 40), 0xFF7F3F3F, 3));  // the outline at half opacity over the fill
    EXPECT_EQ(At(5, 40), 0xFFFFFFFF);

    // Draw modes of the edging: opaque outline colour, fill flags ignored.
    Target.Clear(0);
    S->SetColor(0x00FF00);
    S->SetDrawMode2(3);
    S->Draw(nullptr);
    EXPECT_EQ(At(60, 40), 0xFF00FF00);
    Target.Clear(0);
    S->SetDrawMode2(1);
    S->Draw(nullptr);
    EXPECT_EQ(At(60, 40), 0u);
    EXPECT_EQ(At(10, 40), 0xFF00FF00);
    S->SetDrawMode2(0);
}

TEST_F(RectangleFill, GradientKinds)
{
    // Linear at angle 0: from red at the left to blue at the right (Wine
    // runs an angled gradient along the diagonal, so only the direction and
    // the blend's colours are checked).
    auto L = Gradient(0);
    L->Draw(nullptr);
    const TColor32 Left = At(11, 40), Right = At(108, 40);
    EXPECT_GT((Left >> 16) & 0xFF, ((Right >> 16) & 0xFF) + 0x40);
    EXPECT_GT(Right & 0xFF, (Left & 0xFF) + 0x40);
    EXPECT_EQ(Left & 0xFF00, 0u);  // no green in a red-blue blend

    // Radial along the outline: the first stop at the outline, the last in the centre.
    Target.Clear(0xFFFFFFFF);
    auto R = Gradient(1);
    R->Draw(nullptr);
    EXPECT_TRUE(NearColour(At(60, 40), 0xFF0000FF, 12));
    EXPECT_TRUE(NearColour(At(11, 40), 0xFFFF0000, 24));

    // Elliptic: the ellipse encloses the rectangle, so its corners are filled too.
    Target.Clear(0xFFFFFFFF);
    auto E = Gradient(2);
    E->Draw(nullptr);
    EXPECT_TRUE(NearColour(At(60, 40), 0xFF0000FF, 24));
    EXPECT_NE(At(11, 11), 0xFFFFFFFF);
    EXPECT_EQ(At(5, 5), 0xFFFFFFFF);

    // The cached blend follows the object's opacity when it is marked changed.
    E->SetChanged2(false);
    E->SetOpacity(128);
    E->Draw(nullptr);
    EXPECT_EQ(E->GradientColors().front() >> 24, 0xFFu);
    E->SetChanged2(true);
    E->Draw(nullptr);
    EXPECT_EQ(E->GradientColors().front() >> 24, 0x80u);
}

TEST_F(RectangleFill, HatchIgnoresOpacity)
{
    auto H = New(0, {10, 10, 110, 70});
    H->SetGradientMode(0);
    H->SetGradientFillMode(4);
    H->SetGradientHatchMode(0);  // horizontal lines
    H->SetGradientHatchForeColor(0x000000);
    H->SetGradientHatchBackColor(0x0000FF);
    H->SetOpacity(10);
    H->Draw(nullptr);
    Integer Black = 0, Red = 0;
    for (Integer y = 10; y < 30; ++y) {
        const TColor32 C = At(50, y);
        Black += C == 0xFF000000;
        Red += C == 0xFFFF0000;
    }
    EXPECT_GT(Black, 0);
    EXPECT_GT(Red, Black);
    EXPECT_EQ(At(5, 5), 0xFFFFFFFF);
}

TEST_F(RectangleFill, TextureFromALocalFileOnly)
{
    const auto Dir = std::filesystem::temp_directory_path() /
                     ("lm_tex_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(Dir);
    auto Cleanup = ScopeExit([&] { std::filesystem::remove_all(Dir); });
    const String File = UTF8ToString((Dir / "tile.bmp").string());
    TCustomBitmap32 Tile;
    Tile.SetSize(2, 2);
    Tile.SetPixel(0, 0, 0xFFFF0000);
    Tile.SetPixel(1, 0, 0xFF00FF00);
    Tile.SetPixel(0, 1, 0xFF0000FF);
    Tile.SetPixel(1, 1, 0xFF000000);
    Tile.SaveToFile(File, false);

    auto T = New(0, {11, 11, 111, 71});
    T->SetGradientMode(0);
    T->SetGradientFillMode(5);
    T->SetGradientTextureFileName(File);
    T->Draw(nullptr);
    // Tiled from the rectangle's corner.
    EXPECT_EQ(At(11, 11), 0xFFFF0000);
    EXPECT_EQ(At(12, 11), 0xFF00FF00);
    EXPECT_EQ(At(13, 12), 0xFF0000FF);
    EXPECT_EQ(At(51, 51), 0xFFFF0000);
    EXPECT_EQ(At(52, 52), 0xFF000000);
    EXPECT_EQ(TextureTable().ItemCount(), 1);

    // A network path, a missing file or no name: no fill.
    for (const String& Name : {String(u"\\\\server\\share\\tile.bmp"), File + u".gone", String()}) {
        Target.Clear(0xFFFFFFFF);
        T->SetGradientTextureFileName(Name);
        T->Draw(nullptr);
        EXPECT_EQ(At(51, 51), 0xFFFFFFFF);
    }
    EXPECT_EQ(TextureTable().ItemCount(), 1);
}

TEST_F(RectangleFill, EdgingGlowInsideTheOutline)
{
    auto S = New(0, {10, 10, 110, 70});
    S->SetGradientMode(0);
    S->SetGradientFillMode(3);
    S->SetIsOutline(true);
    S->SetIsFill(true);
    S->SetOutWidth(1);
    S->SetFillColor(0xFFFFFF);
    S->SetColor(0xFF0000);  // blue
    S->SetGradientEdgingWidth(10);
    S->PrepareGradientEdging();
    ASSERT_NE(S->GradientEdgingBmp(), nullptr);
    S->Draw(nullptr);
    // Strong blue next to the outline, fading to the white fill.
    const TColor32 Near1 = At(12, 40), Near5 = At(16, 40), Far = At(60, 40);
    EXPECT_LT((Near1 >> 16) & 0xFF, (Near5 >> 16) & 0xFF);
    EXPECT_EQ(Far, 0xFFFFFFFF);
    // While adjusting the glow is left out.
    Target.Clear(0xFFFFFFFF);
    S->SetAdjusting(true);
    S->Draw(nullptr);
    EXPECT_EQ(At(12, 40), 0xFFFFFFFF);
}

TEST_F(RectangleFill, StylesAndTurns)
{
    struct Case {
        Integer Style;
        Single Angle;
        TPoint Filled, Empty;
    };
    const Case Cases[] = {
        {2, 0, {60, 40}, {11, 11}},     // the ellipse leaves the corners
        {1, 0, {60, 12}, {10, 10}},     // rounded corners
        {8, 0, {100, 12}, {12, 12}},    // leaning right: the top-left is cut by the slant
        {0, 90, {60, 15}, {15, 40}},    // 100 x 60 turned a quarter: 60 x 100
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Style);
        Target.Clear(0xFFFFFFFF);
        auto S = New(C.Style, {10, 10, 110, 70});
        S->SetIsFill(true);
        S->SetFillColor(0x0000FF);
        S->SetAngle(C.Angle);
        S->Draw(nullptr);
        EXPECT_EQ(At(C.Filled.X, C.Filled.Y), 0xFFFF0000);
        EXPECT_EQ(At(C.Empty.X, C.Empty.Y), 0xFFFFFFFF);
    }
}

TEST(GradientPreview, FillsTheRectangle)
{
    InstallImageDrawHooks();
    TCustomBitmap32 B;
    B.SetSize(100, 10);
    B.Clear(0xFFFFFFFF);
    const TGPColor Colors[] = {MakeGPColor(255, 255, 0, 0), MakeGPColor(255, 0, 0, 255)};
    const Single Positions[] = {0, 1};
    FillLinearGradient(B, TRect{0, 0, 100, 5}, Colors, Positions, LinearGradientModeHorizontal);
    EXPECT_TRUE(NearColour(B.Pixel(0, 2), 0xFFFF0000, 8));
    EXPECT_TRUE(NearColour(B.Pixel(99, 2), 0xFF0000FF, 8));
    EXPECT_EQ(B.Pixel(50, 7), 0xFFFFFFFF);
    // Mismatched lists and empty bitmaps draw nothing.
    FillLinearGradient(B, TRect{0, 5, 100, 10}, Colors, std::span<const Single>(Positions, 1),
                       LinearGradientModeHorizontal);
    EXPECT_EQ(B.Pixel(50, 7), 0xFFFFFFFF);
    TCustomBitmap32 Empty;
    FillLinearGradient(Empty, TRect{0, 0, 10, 10}, Colors, Positions, LinearGradientModeHorizontal);
}

// ---------------------------------------------------------------------------
// Composition in a real image view

namespace {
class ComposedView : public DocumentOnView {
protected:
    TImgRectangle* AddRect(Integer Id, const TRect& R, TColor Fill)
    {
        TRow* Row = Doc->DT()->AddItem(u",,,,,,,,,,,,,");
        Row->GetItem(ObjCol::Id)->SetValue(Id);
        Row->GetItem(ObjCol::Kind)->SetValue(shRectangle);
        auto S = std::make_unique<TImgRectangle>(Doc.get(), Id, nullptr);
        S->SetSRect(R);
        S->CalcCenterPoint();
        S->InitPoints(false);
        S->SetIsFill(true);
        S->SetFillColor(Fill);
        S->SetOpacity(255);
        S->SetCreating(false);
        TImgRectangle* P = S.get();
        Row->Data().Own(std::move(S));
        return P;
    }
    // The window's painting of the composed document, as 0xRRGGBB at image point (X, Y).
    struct Shot {
        std::unique_ptr<TDib> Dib;
        Integer OX, OY;
        unsigned At(Integer X, Integer Y) const { return Dib->Pixel(OX + X, OY + Y); }
    };
    Shot Compose()
    {
        Doc->Draw();
        Shot S{std::make_unique<TDib>(317, 217), Doc->OffsetHorz(), Doc->OffsetVert()};
        View->Invalidate();
        View->Perform(WM_PAINT, reinterpret_cast<WPARAM>(S.Dib->DC()), 0);
        return S;
    }

};
}  // namespace

TEST_F(ComposedView, LayerOrderAndShadowWhileAdjusting)
{
    TImgRectangle* A = AddRect(1, {20, 20, 80, 70}, 0x0000FF);  // red, shadowed
    A->SetShadowMode(0);
    A->SetShadowColor(0x000000);
    A->SetShadowOpacity(255);
    A->SetShadowDistance(20);
    A->SetShadowAngle(0);
    TImgRectangle* B = AddRect(2, {60, 40, 120, 90}, 0x00FF00);  // green, reflected
    B->SetReflectMode(0);
    B->SetReflectOpacity(255);
    B->SetReflectHeight(0);
    B->SetReflectDistance(2);

    // Golden samples: raster, lower object, upper object over it, shadow
    // beside the lower object, reflection under the upper one.
    struct Sample {
        const char* Name;
        TPoint P;
        unsigned Colour;
    };
    const Sample Golden[] = {
        {"raster", {5, 5}, 0x808080},
        {"lower object", {30, 30}, 0xFF0000},
        {"upper over lower", {70, 50}, 0x00FF00},
        {"shadow", {90, 30}, 0x010101},
        {"upper over shadow", {95, 50}, 0x00FF00},
        {"reflection", {90, 95}, 0x00FF00},
        {"beyond everything", {190, 5}, 0x808080},
    };
    Shot S = Compose();
    for (const Sample& G : Golden) EXPECT_TRUE(NearColour(S.At(G.P.X, G.P.Y), G.Colour, 2)) << G.Name;

    // Dragging a handle of the lower object hides its shadow until release.
    A->SetAdjusting(true);
    A->SetChanged2(true);  // as every drag step does
    S = Compose();
    EXPECT_TRUE(NearColour(S.At(90, 30), 0x808080, 2)) << "no shadow while adjusting";
    EXPECT_TRUE(A->Changed2());
    A->SetAdjusting(false);
    S = Compose();
    EXPECT_TRUE(NearColour(S.At(90, 30), 0x010101, 2)) << "shadow after release";
    EXPECT_FALSE(A->Changed2());

    // A turned shadowed object: its shadow turns with it.
    A->SetAngle(90);
    A->SetChanged2(true);
    A->SetRotated2(true);
    S = Compose();
    // Turned, the object spans (25, 15) - (75, 75), its shadow 20 further right.
    EXPECT_TRUE(NearColour(S.At(50, 17), 0xFF0000, 2)) << "turned object";
    EXPECT_TRUE(NearColour(S.At(90, 17), 0x010101, 2)) << "turned shadow";
    EXPECT_TRUE(NearColour(S.At(22, 40), 0x808080, 2)) << "raster where the unturned object was";
}

TEST_F(ComposedView, DrawToModeOneDrawsOnlyPictures)
{
    // Blue pictures and red rectangles.
    auto AddPicture = [&](Integer Id, const TRect& R) {
        TRow* Row = Doc->DT()->AddItem(u",8,,0,0");
        Row->GetItem(ObjCol::Id)->SetValue(Id);
        auto Picture = std::make_unique<TImgSmall>(Doc.get(), Id, nullptr);
        Picture->SrcBmp()->SetSize(4, 4);
        Picture->SrcBmp()->Clear(0xFF0000FF);
        Picture->SetSRect(R);
        Picture->SetOpacity(255);
        Picture->SetCreating(false);
        TImgSmall* P = Picture.get();
        Row->Data().Own(std::move(Picture));
        return P;
    };
    AddPicture(1, {10, 10, 40, 40});
    AddRect(2, {50, 10, 90, 40}, 0x0000FF);
    AddRect(3, {100, 10, 140, 40}, 0x0000FF)->SetShapeType(shSelection);  // never drawn by DrawTo
    AddPicture(4, {150, 10, 190, 40})->SetHided(true);

    struct Case {
        Integer Mode;
        bool Picture, Rectangle;
    };
    for (const Case& C : {Case{0, true, true}, Case{1, true, false}, Case{2, false, true}}) {
        SCOPED_TRACE(C.Mode);
        TCustomBitmap32 Out;
        Out.SetSize(200, 50);
        Out.Clear(0xFFFFFFFF);
        Doc->DrawTo(&Out, C.Mode);
        EXPECT_EQ(NearColour(Out.Pixel(25, 25), 0xFF0000FF, 2), C.Picture);
        EXPECT_EQ(Out.Pixel(70, 25) == 0xFFFF0000, C.Rectangle);
        EXPECT_EQ(Out.Pixel(120, 25), 0xFFFFFFFF);  // the selection
        EXPECT_EQ(Out.Pixel(170, 25), 0xFFFFFFFF);  // the hidden picture
    }
}

// A shaped frame's outline: a pen of the frame's width centred on the
// opening, or the band it covers filled with a texture file's tiles.
TEST(FrameOutline, StrokedOrTextured)
{
    InstallImageDrawHooks();
    auto Cleanup = ScopeExit([] { ClearTextureTable(); });
    const auto Dir = std::filesystem::temp_directory_path() /
                     ("lm_frame_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(Dir);
    auto Remove = ScopeExit([&] { std::filesystem::remove_all(Dir); });
    const String File = UTF8ToString((Dir / "tile.bmp").string());
    TCustomBitmap32 Tile;
    Tile.SetSize(2, 2);
    Tile.Clear(0xFF0000FF);
    Tile.SaveToFile(File, false);

    TTestView View;
    auto Doc = NewBlankDocument(View, 40, 30, false, 0x808080);
    Doc->InitBitmap();
    Doc->SetFrameType(1);
    Doc->SetFrameMode(1);
    const struct {
        String Texture;
        TColor32 OnTheLine;
    } Cases[] = {{String(), 0xFFFF0000}, {File, 0xFF0000FF}, {File + u".gone", 0xFFFF0000}};
    for (const auto& c : Cases) {
        Doc->FrameBegin();
        Doc->FrameDo1(4, 0x0000FF, 0, c.Texture);
        TCustomBitmap32& B = *Doc->SrcBmp();
        ASSERT_EQ(B.Width(), 48);
        EXPECT_EQ(B.Pixel(0, 19), 0x00FFFFFFu);
        EXPECT_TRUE(NearColour(B.Pixel(3, 19), c.OnTheLine, 2));
        EXPECT_TRUE(NearColour(B.Pixel(24, 19), 0xFF808080, 2));
        Doc->FrameEnd(false);
    }
}
