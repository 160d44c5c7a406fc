// Glows and reflections drawn on white bitmaps and read back, and the faces
// drawn from an image list (plain and with glows).
#include <gtest/gtest.h>

#include "SkinPlatformTestEnv.h"
#include "skin/model/win/SFGlowText_Win.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

std::unique_ptr<TBitmap> WhiteBitmap(Integer W, Integer H)
{
    auto B = SolidBitmap(W, H);
    TFont* F = B->Canvas()->Font();
    F->SetName(u"Arial");
    F->SetHeight(-16);
    F->SetColor(clBlack);
    F->SetQuality(fqNonAntialiased);
    return B;
}

TColor Px(TBitmap* B, Integer X, Integer Y)
{
    GdiFlush();
    return B->Canvas()->Pixels(X, Y);
}

// Tinted towards blue (the glows below are blue).
bool Bluish(TColor C) { return GetBValue(C) > GetRValue(C) + 10; }
bool Reddish(TColor C) { return GetRValue(C) > GetGValue(C) + 10; }
bool Dark(TColor C) { return GetRValue(C) < 80 && GetGValue(C) < 80 && GetBValue(C) < 80; }

// The rows of B that hold a pixel satisfying P.
template <class P>
std::vector<Integer> RowsWith(TBitmap* B, P Pred)
{
    GdiFlush();
    std::vector<Integer> Rows;
    for (Integer y = 0; y < B->Height(); ++y)
        for (Integer x = 0; x < B->Width(); ++x)
            if (Pred(B->Canvas()->Pixels(x, y))) {
                Rows.push_back(y);
                break;
            }
    return Rows;
}

}  // namespace

TEST(GlowText, GlowSurroundsTheTextWithinItsMargin)
{
    using TDrawer = Integer (*)(TCanvas*, TRect&, const String&, UINT, Integer, TColor, Integer);
    for (TDrawer Draw : {DrawGlowText, DrawGlowTextEx}) {
        auto B = WhiteBitmap(100, 60);
        TRect R{30, 20, 70, 40};
        const Integer Height = Draw(B->Canvas(), R, u"H", DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, clBlue, 4);
        EXPECT_GT(Height, 8);
        const TRect Text = TextExtentIn(B->Canvas(), u"H", {30, 20, 70, 40}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        // Beside the letter's strokes the glow shows; beyond the margin nothing was touched.
        EXPECT_TRUE(Bluish(Px(B.get(), Text.Left - 1, (Text.Top + Text.Bottom) / 2)));
        EXPECT_EQ(Px(B.get(), 30 - 5, 30), clWhite);
        EXPECT_EQ(Px(B.get(), 50, 20 - 5), clWhite);
        EXPECT_FALSE(RowsWith(B.get(), Dark).empty());  // the text itself on top
    }
    // An offset moves the glow: all of it by 6 pixels down and right.
    auto B = WhiteBitmap(100, 60);
    TRect R{30, 20, 70, 40};
    DrawGlowText(B->Canvas(), R, u"H", DT_CENTER | DT_VCENTER | DT_SINGLELINE, 6, clBlue, 4);
    EXPECT_EQ(Px(B.get(), 27, 25), clWhite);
    // A negative size draws no glow around the text.
    auto N = WhiteBitmap(100, 60);
    TRect RN{30, 20, 70, 40};
    DrawGlowText(N->Canvas(), RN, u"H", DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, clBlue, -3);
    EXPECT_TRUE(RowsWith(N.get(), Bluish).empty());
}

TEST(GlowText, VistaGlowPatchesCoverTheirRectangle)
{
    using TDrawer = Integer (*)(TCanvas*, const TRect&, const String&, UINT, TColor);
    const struct { TDrawer Draw; Integer Margin; } Cases[] = {{DrawVistaGlowText, 12}, {DrawVistaGlowText2, 10}};
    for (const auto& C : Cases) {
        auto B = WhiteBitmap(120, 80);
        const TRect R{30, 30, 90, 50};
        EXPECT_GT(C.Draw(B->Canvas(), R, u"i", DT_CENTER | DT_VCENTER | DT_SINGLELINE, clBlue), 8);
        EXPECT_TRUE(Bluish(Px(B.get(), 40, 40))) << C.Margin;  // the patch, away from the letter
        EXPECT_EQ(Px(B.get(), R.Left - C.Margin - 1, 40), clWhite) << C.Margin;
        EXPECT_EQ(Px(B.get(), 60, R.Top - C.Margin - 1), clWhite) << C.Margin;
    }
    // The first patch is wider than its rectangle, the second narrower.
    auto Wide = WhiteBitmap(120, 80), Narrow = WhiteBitmap(120, 80);
    DrawVistaGlowText(Wide->Canvas(), {30, 30, 90, 50}, u"", DT_SINGLELINE, clBlue);
    DrawVistaGlowText2(Narrow->Canvas(), {30, 30, 90, 50}, u"", DT_SINGLELINE, clBlue);
    EXPECT_GT(GetRValue(Px(Narrow.get(), 30, 40)), GetRValue(Px(Wide.get(), 30, 40)));
}

TEST(GlowText, ReflectionMirrorsTheTextBelowItsLastRow)
{
    for (const Integer Offset : {0, 5}) {
        auto B = WhiteBitmap(60, 70);
        const TRect R{0, 0, 60, 30};
        const UINT Flags = DT_SINGLELINE | DT_VCENTER;
        DrawReflectionText(B->Canvas(), R, u"H", Flags, Offset, clRed);
        const TRect Text = TextExtentIn(B->Canvas(), u"H", R, Flags);
        const auto Ink = RowsWith(B.get(), Dark), Mirror = RowsWith(B.get(), Reddish);
        ASSERT_FALSE(Ink.empty());
        ASSERT_FALSE(Mirror.empty());
        EXPECT_LT(Ink.back(), Text.Bottom);
        // The text's last row y comes back at 2 x bottom - 1 - y (plus the offset), the nearest first.
        EXPECT_EQ(Mirror.front(), 2 * Text.Bottom - 1 - Ink.back() + Offset) << Offset;
        EXPECT_GE(Mirror.front(), Text.Bottom + Offset);
        // Most opaque next to the text: the first mirrored row is the reddest.
        auto RedAt = [&](Integer Y) {
            Integer Best = 255;
            for (Integer x = 0; x < 60; ++x) Best = std::min<Integer>(Best, GetGValue(Px(B.get(), x, Y)));
            return Best;
        };
        EXPECT_LT(RedAt(Mirror.front()), RedAt(Mirror.back()));
        EXPECT_LT(RedAt(Mirror.front()), 160);  // well into the colour (the cell's last rows are blank)
    }
}

namespace {

// A list of 8 x 8 images: 0 red, 1 a 2 x 2 blue block at (3, 3) on a transparent ground.
std::unique_ptr<TImageList> TwoImages()
{
    auto IL = std::make_unique<TImageList>(nullptr);
    IL->SetSize(8, 8);
    TBitmap Red;
    Red.SetPixelFormat(pf24bit);
    Red.SetSize(8, 8);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect({0, 0, 8, 8});
    IL->Add(&Red);
    TBitmap Block;
    Block.SetPixelFormat(pf24bit);
    Block.SetSize(8, 8);
    Block.Canvas()->Brush()->SetColor(clWhite);
    Block.Canvas()->FillRect({0, 0, 8, 8});
    Block.Canvas()->Brush()->SetColor(clBlue);
    Block.Canvas()->FillRect({3, 3, 5, 5});
    IL->AddMasked(&Block, clWhite);
    return IL;
}

TRect BoundsOf(TBitmap* B, TColor C) { return ::BoundsOf(PixelsOf(B, C)); }

}  // namespace

TEST(GlyphFaces, ImageListFacesPlaceTheImageAndMarker)
{
    auto IL = TwoImages();
    const TColor Marker = 0x00C000;
    // Centred in (0, 0, 40, 20) with spacing 4 and no caption: (14, 6); pressed (15, 7).
    const struct { bool Pressed, Marker; TRect Red, Mark; } Cases[] = {
        {false, false, {14, 6, 22, 14}, {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}},
        {true, false, {15, 7, 23, 15}, {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}},
        {false, true, {14, 6, 22, 12}, {14, 12, 22, 15}},  // lines over the image's last rows
    };
    for (const auto& C : Cases) {
        auto B = WhiteBitmap(40, 20);
        DrawImageAndText(B->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", 0, IL.get(), C.Pressed, true, C.Marker,
                         Marker);
        EXPECT_EQ(BoundsOf(B.get(), clRed), C.Red) << C.Pressed << C.Marker;
        EXPECT_EQ(BoundsOf(B.get(), Marker), C.Mark) << C.Pressed << C.Marker;
        // The glow face lays out the same way.
        auto G = WhiteBitmap(40, 20);
        DrawImageAndTextGlow(G->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", 0, IL.get(), C.Pressed, true,
                             C.Marker, Marker, clBlue, 3);
        EXPECT_EQ(BoundsOf(G.get(), clRed), C.Red) << C.Pressed << C.Marker;
    }
    // The glow of an image follows its shape: around the block, not beyond the margin.
    auto G = WhiteBitmap(40, 20);
    DrawImageAndTextGlow(G->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", 1, IL.get(), false, true, false, Marker,
                         clLime, 3);
    EXPECT_EQ(BoundsOf(G.get(), clBlue), (TRect{17, 9, 19, 11}));
    const TColor Near = Px(G.get(), 16, 9);
    EXPECT_GT(GetGValue(Near), GetRValue(Near) + 10);
    EXPECT_EQ(Px(G.get(), 14 - 4, 9), clWhite);
    // Disabled: drawn grey, not red.
    auto D = WhiteBitmap(40, 20);
    DrawImageAndText(D->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", 0, IL.get(), false, false, false, Marker);
    EXPECT_EQ(BoundsOf(D.get(), clRed).Left, INT32_MAX);
    EXPECT_NE(Px(D.get(), 17, 9), clWhite);
    // An index the list does not have, or no list: no image; the marker is the bar.
    for (TCustomImageList* List : {static_cast<TCustomImageList*>(IL.get()), static_cast<TCustomImageList*>(nullptr)}) {
        auto N = WhiteBitmap(40, 20);
        DrawImageAndText(N->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", 7, List, false, true, true, Marker);
        EXPECT_EQ(BoundsOf(N.get(), Marker), (TRect{2, 4, 38, 18}));
        auto P = WhiteBitmap(40, 20);
        DrawImageAndText(P->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", -1, List, true, true, true, Marker);
        EXPECT_EQ(BoundsOf(P.get(), Marker), (TRect{2, 5, 38, 17}));
        // The glow face's bar does not move when pressed.
        auto G = WhiteBitmap(40, 20);
        DrawImageAndTextGlow(G->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", 7, List, true, true, true, Marker,
                             clBlue, 3);
        EXPECT_EQ(BoundsOf(G.get(), Marker), (TRect{2, 4, 38, 18}));
    }
    // With a caption: text after the image, the spacing between them.
    auto T = WhiteBitmap(80, 20);
    DrawImageAndText(T->Canvas(), {0, 0, 80, 20}, 2, 4, blGlyphLeft, u"Ab", 0, IL.get(), false, true, false, Marker);
    EXPECT_EQ(BoundsOf(T.get(), clRed), (TRect{2, 6, 10, 14}));
    EXPECT_GE(BoundsOf(T.get(), clBlack).Left, 14);
}

TEST(GlyphFaces, GlyphMaskIsTheShapeThreeTimesInRed)
{
    auto IL = TwoImages();
    TsfBitmap Dest;
    Dest.SetSize(12, 12);
    DrawGlyphMask(&Dest, IL.get(), 1, 2);
    // The block at (3, 3)-(4, 4) of the image, at offset 2 and one pixel either side: (4, 4)-(7, 7).
    for (Integer y = 0; y < 12; ++y)
        for (Integer x = 0; x < 12; ++x) {
            const bool In = x >= 4 && x <= 7 && y >= 4 && y <= 7 && std::abs(x - y) <= 1;
            EXPECT_EQ(Dest.GetPixel(x, y) == 0xFFFF0000u, In) << x << ',' << y;
            if (!In) EXPECT_EQ(Dest.GetPixel(x, y), 0u) << x << ',' << y;
        }
    // No such image, no list: nothing.
    TsfBitmap Untouched;
    Untouched.SetSize(4, 4);
    DrawGlyphMask(&Untouched, IL.get(), 2, 0);
    DrawGlyphMask(&Untouched, nullptr, 0, 0);
    for (Integer i = 0; i < 16; ++i) EXPECT_EQ(Untouched.Bits()[i], 0u);
}
