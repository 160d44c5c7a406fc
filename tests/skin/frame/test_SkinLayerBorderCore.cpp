#include <gtest/gtest.h>

#include "skin/frame/SkinLayerBorderCore.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/SFWindowData.h"

namespace {

// A 100 x 80 frame picture: the form's part from (20, 30) to (80, 60), the
// top piece 30 high, the bottom 20, the sides 20 wide; a sizing band 8 wide.
TsfDataSkinLayerFrame Frame()
{
    TsfDataSkinLayerFrame D;
    D.PictureIndex = 0;
    D.ClRect = {20, 30, 80, 60};
    D.LTPoint = {20, 30};
    D.RTPoint = {80, 30};
    D.LBPoint = {20, 60};
    D.RBPoint = {80, 60};
    D.BorderRect = {12, 22, 88, 68};
    D.HitTestSize = 4;
    D.HitTestLTPoint = {24, 34};
    D.HitTestRTPoint = {76, 34};
    D.HitTestLBPoint = {24, 56};
    D.HitTestRBPoint = {76, 56};
    return D;
}

} // namespace

TEST(SkinLayerBorderCore, TheFrameAndItsFourPieces)
{
    const TsfDataSkinLayerFrame D = Frame();
    TsfLayerBorderGeometry G;
    G.Init(D, 100, 80);
    EXPECT_EQ(G.LeftSize, 8);
    EXPECT_EQ(G.TopSize, 8);
    EXPECT_EQ(G.HitTopLeftX, 12);
    EXPECT_EQ(G.HitBottomRightY, 12);
    // A 300 x 200 form at (100, 100): the frame reaches 20 left, 30 up, 20 right and 20 down.
    const TRect F = G.FrameRect(D, {100, 100, 400, 300});
    EXPECT_EQ(F, TRect(80, 70, 420, 320));
    EXPECT_EQ(G.PieceRect(sfflTop, F), TRect(80, 70, 420, 100));
    EXPECT_EQ(G.PieceRect(sfflBottom, F), TRect(80, 300, 420, 320));
    EXPECT_EQ(G.PieceRect(sfflLeft, F), TRect(80, 100, 100, 300));
    EXPECT_EQ(G.PieceRect(sfflRight, F), TRect(400, 100, 420, 300));
    // Rolled up to 24: the frame is 24 plus the picture's margins high.
    EXPECT_EQ(G.FrameRect(D, {100, 100, 400, 300}, 24).Height(), 24 + 50);
    // Lower than top and bottom together: the bottom is cut, the sides vanish.
    const TRect Low{0, 0, 200, 40};
    EXPECT_EQ(G.PieceRect(sfflBottom, Low).Height(), 10);
    EXPECT_EQ(G.PieceRect(sfflLeft, Low), TRect());
    // RBPoint (0, 0): one top window with the whole picture.
    TsfDataSkinLayerFrame One = D;
    One.RBPoint = {};
    G.Init(One, 100, 80);
    EXPECT_FALSE(G.Sliced);
    EXPECT_EQ(G.PieceRect(sfflTop, F), TRect(F.Left, F.Top, F.Left + 100, F.Top + 80));
    EXPECT_EQ(G.PieceRect(sfflLeft, F), TRect());
}

TEST(SkinLayerBorderCore, SizingZones)
{
    const TsfDataSkinLayerFrame D = Frame();
    TsfLayerBorderGeometry G;
    G.Init(D, 100, 80);
    const TRect Form{100, 100, 400, 300};
    const TRect F = G.FrameRect(D, Form);
    // The band runs from 92 to 408 across and 92 to 308 down.
    struct {
        TsfFormLayerBorderType T;
        TPoint P;
        TsfLayerHit Hit;
    } Cases[] = {
        {sfflLeft, {92, 200}, lhLeft},       {sfflLeft, {85, 200}, lhNone},        // outside the band
        {sfflRight, {408, 200}, lhRight},    {sfflRight, {415, 200}, lhNone},
        {sfflTop, {93, 93}, lhTopLeft},      {sfflTop, {405, 93}, lhTopRight},
        {sfflTop, {200, 93}, lhTop},         {sfflTop, {200, 97}, lhNone},         // below the top band
        {sfflBottom, {93, 306}, lhBottomLeft},
        {sfflBottom, {200, 306}, lhBottom},  {sfflBottom, {405, 306}, lhBottomRight},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(G.HitTest(C.T, F, Form, C.P, true), C.Hit) << C.T << " " << C.P.X << "," << C.P.Y;
    EXPECT_EQ(G.HitTest(sfflLeft, F, Form, {92, 200}, false), lhNone);  // not sizeable now
    // No sizing band: no zones.
    TsfDataSkinLayerFrame NoBand = D;
    NoBand.BorderRect = {};
    G.Init(NoBand, 100, 80);
    EXPECT_EQ(G.LeftSize, 0);
    EXPECT_EQ(G.HitTopLeftX, 0);
}

TEST(SkinLayerBorderCore, ResizeSteps)
{
    const TRect B{100, 100, 400, 300};
    const TRect F{80, 70, 420, 320};
    // The left edge dragged right: down to the minimum width, the right edge fixed.
    TRect N = LayerResizeStep(lhLeft, B, 50, 0, 200, 100, 0, 0, F, {130, 200}, 4);
    EXPECT_EQ(N, TRect(150, 100, 400, 300));
    N = LayerResizeStep(lhLeft, N, 80, 0, 200, 100, 0, 0, F, {230, 200}, 4);
    EXPECT_EQ(N, TRect(200, 100, 400, 300));
    EXPECT_EQ(LayerResizeStep(lhLeft, N, 10, 0, 200, 100, 0, 0, F, {240, 200}, 4), N);  // at the minimum: stops
    // Outward only once the cursor reached the outer band.
    EXPECT_EQ(LayerResizeStep(lhRight, B, 10, 0, 0, 0, 0, 0, F, {410, 200}, 4), B);
    EXPECT_EQ(LayerResizeStep(lhRight, B, 10, 0, 0, 0, 0, 0, F, {417, 200}, 4), TRect(100, 100, 410, 300));
    // A corner: each axis on its own; the maximum holds.
    EXPECT_EQ(LayerResizeStep(lhBottomRight, B, -20, 500, 0, 0, 0, 350, F, {400, 330}, 4),
              TRect(100, 100, 380, 450));
    EXPECT_EQ(LayerResizeStep(lhTop, B, 0, 0, 0, 0, 0, 0, F, {200, 70}, 4), B);  // no move on the axis
}

TEST(SkinLayerBorderCore, FadeSteps)
{
    // 200: fifteen steps of 13, then the last to 200.
    const std::vector<Integer> S = LayerFadeSteps(200);
    ASSERT_EQ(S.size(), 16u);
    EXPECT_EQ(S[0], 13);
    EXPECT_EQ(S[14], 195);
    EXPECT_EQ(S[15], 200);
    EXPECT_EQ(LayerFadeSteps(10).size(), 10u);  // steps of at least 1
    EXPECT_EQ(LayerFadeSteps(0), std::vector<Integer>{0});
    EXPECT_EQ(LayerAlphaFor(200, 128), 100);
    EXPECT_EQ(LayerAlphaFor(255, 255), 255);
}

TEST(SkinLayerBorderCore, BlurBandLessTheBlackCornerPixels)
{
    TsfDataSkinLayerFrame D = Frame();
    D.IntersectBlurMaskRect = {2, 2, 98, 78};
    D.ExcludeBlurMaskRect = {20, 30, 80, 60};
    TsfLayerBorderGeometry G;
    G.Init(D, 100, 80);
    // The mask is white but for a black 5 x 5 square in each upper corner.
    TsfBitmap Mask;
    Mask.SetSize(100, 80);
    Mask.FillRect({0, 0, 100, 80}, 0xFFFFFFFF);
    Mask.FillRect({0, 0, 5, 5}, 0xFF000000);
    Mask.FillRect({95, 0, 100, 5}, 0xFF000000);
    using V = std::vector<TRect>;
    // A 200 x 120 frame: 100 wider and 40 higher than the picture.
    EXPECT_EQ(LayerBlurRects(D, G, &Mask, sfflTop, 200, 120), (V{{5, 2, 195, 5}, {2, 5, 198, 30}}));
    EXPECT_EQ(LayerBlurRects(D, G, &Mask, sfflLeft, 200, 120), (V{{2, 0, 20, 70}}));
    EXPECT_EQ(LayerBlurRects(D, G, &Mask, sfflRight, 200, 120), (V{{0, 0, 18, 70}}));
    EXPECT_EQ(LayerBlurRects(D, G, &Mask, sfflBottom, 200, 120), (V{{2, 0, 198, 18}}));
    // A lower corner piece of the mask shapes the bottom window.
    Mask.FillRect({0, 75, 3, 80}, 0xFF000000);
    EXPECT_EQ(LayerBlurRects(D, G, &Mask, sfflBottom, 200, 120), (V{{2, 0, 198, 15}, {3, 15, 198, 18}}));
    // A mask of another size shapes nothing; no rectangles: the whole window.
    TsfBitmap Small;
    Small.SetSize(10, 10);
    EXPECT_EQ(LayerBlurRects(D, G, &Small, sfflTop, 200, 120), (V{{2, 2, 198, 30}}));
    D.IntersectBlurMaskRect = D.ExcludeBlurMaskRect = {};
    EXPECT_EQ(LayerBlurRects(D, G, nullptr, sfflLeft, 200, 120), (V{{0, 0, 20, 70}}));
    // A window of no height has no blur.
    EXPECT_TRUE(LayerBlurRects(D, G, nullptr, sfflLeft, 200, 50).empty());
}

TEST(SkinLayerBorderCore, FullBorderCaptionLayout)
{
    TsfDataSkinLayerFrame D = Frame();
    D.CaptionRect = {10, 4, 90, 24};  // in the 100-wide picture
    const std::vector<TPoint> Three{{16, 14}, {16, 14}, {12, 14}};  // close, maximise, minimise
    // A top window 300 wide: the caption area reaches 290; buttons 2 apart from its right end.
    TsfFullBorderCaption L = LayoutFullBorderCaption(D, 100, 300, Three, 2, {16, 16}, false);
    ASSERT_EQ(L.Buttons.size(), 3u);
    EXPECT_EQ(L.Buttons[0], TRect(274, 4, 290, 18));
    EXPECT_EQ(L.Buttons[1], TRect(256, 4, 272, 18));
    EXPECT_EQ(L.Buttons[2], TRect(242, 4, 254, 18));
    // The system menu button at the area's left, centred; the caption between it and the buttons.
    EXPECT_EQ(L.SysMenu, TRect(10, 6, 26, 22));
    EXPECT_EQ(L.Caption, TRect(26, 4, 240, 24));
    // The buttons' own rectangle and top; the system menu button's own place and top without icon.
    D.ButtonsRect = {50, 8, 80, 20};
    D.SysMenuButtonRect = {2, 2, 20, 22};
    D.SysButtonTopOffset = 1;
    L = LayoutFullBorderCaption(D, 100, 300, {{16, 14}}, 2, {16, 16}, true);
    EXPECT_EQ(L.Buttons[0], TRect(264, 8, 280, 22));
    EXPECT_EQ(L.SysMenu, TRect(2, 1, 18, 17));
    EXPECT_EQ(L.Caption, TRect(10, 4, 262, 24));  // the caption keeps the area's left
    // The buttons' top offset without a buttons rectangle; no buttons, no system menu button.
    D.ButtonsRect = {};
    D.ButtonsTopOffset = 3;
    L = LayoutFullBorderCaption(D, 100, 200, {{10, 10}}, 0, {}, false);
    EXPECT_EQ(L.Buttons[0], TRect(180, 3, 190, 13));
    EXPECT_EQ(L.Caption, TRect(10, 4, 180, 24));
    L = LayoutFullBorderCaption(D, 100, 200, {}, 4, {}, false);
    EXPECT_EQ(L.Caption, TRect(10, 4, 190, 24));
}
