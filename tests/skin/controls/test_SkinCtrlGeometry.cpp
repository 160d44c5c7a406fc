#include <gtest/gtest.h>

#include "skin/model/SkinTestEnv.h"
#include "skin/controls/SkinCtrlGeometry.h"

namespace {

// A nine-slice description over a 30 x 20 skin rectangle at (10, 5).
TsfSkinCtrlGeometry NineSlice()
{
    TsfSkinCtrlGeometry g;
    g.SkinRect = {10, 5, 40, 25};
    g.LTPt = {5, 4};
    g.RTPt = {25, 4};
    g.LBPt = {5, 16};
    g.RBPt = {25, 16};
    g.ClRect = {5, 4, 25, 16};
    g.ResizeMode = g.GetResizeMode();
    return g;
}

}  // namespace

TEST(SkinCtrlGeometry, ResizeModeFromTheCornerPoints)
{
    struct TCase {
        TRect SkinRect;
        TPoint RT, LB, RB;
        Integer Mode;
    } cases[] = {
        {{0, 0, 0, 10}, {1, 1}, {1, 1}, {1, 1}, -1},  // no area
        {{0, 0, 10, 10}, {1, 1}, {1, 1}, {3, 4}, 1},
        {{0, 0, 10, 10}, {3, 0}, {0, 0}, {3, 0}, 2},   // RB with one zero coordinate is not nine-slice
        {{0, 0, 10, 10}, {0, 0}, {0, 5}, {0, 0}, 3},
        {{0, 0, 10, 10}, {0, 0}, {0, 0}, {0, 0}, 0},
    };
    for (const auto& c : cases) {
        TsfSkinCtrlGeometry g;
        g.SkinRect = c.SkinRect;
        g.RTPt = c.RT;
        g.LBPt = c.LB;
        g.RBPt = c.RB;
        EXPECT_EQ(g.GetResizeMode(), c.Mode);
    }
}

TEST(SkinCtrlGeometry, CalcSizeByMode)
{
    struct TCase {
        Integer Mode;
        bool InUse;
        Integer W, H;            // asked
        Integer OutW, OutH;      // corrected
        TRect NewCl;
    } cases[] = {
        {1, true, 50, 30, 50, 30, {5, 4, 45, 26}},
        {2, true, 50, 30, 50, 20, {5, 4, 45, 16}},   // keeps the skin height
        {3, true, 50, 30, 30, 30, {5, 4, 25, 26}},   // keeps the skin width
        {0, true, 50, 30, 30, 20, {5, 4, 25, 16}},   // forces the skin size
        {0, false, 50, 30, 50, 30, {}},              // no description: nothing
        {-1, true, 50, 30, 50, 30, {}},
    };
    for (const auto& c : cases) {
        TsfSkinCtrlGeometry g = NineSlice();
        g.ResizeMode = c.Mode;
        Integer w = c.W, h = c.H;
        g.CalcGeometrySize(c.InUse, w, h);
        EXPECT_EQ(w, c.OutW) << c.Mode;
        EXPECT_EQ(h, c.OutH) << c.Mode;
        EXPECT_EQ(g.NewClRect, c.NewCl) << c.Mode;
    }
    TsfSkinCtrlGeometry g = NineSlice();
    Integer w = 50, h = 30;
    g.CalcGeometrySize(true, w, h);
    EXPECT_EQ(g.NewRTPoint, (TPoint{45, 4}));
    EXPECT_EQ(g.NewLBPoint, (TPoint{5, 26}));
    EXPECT_EQ(g.NewRBPoint, (TPoint{45, 26}));
    EXPECT_EQ(g.RealClientWidth(), 40);
    EXPECT_EQ(g.RealClientHeight(), 22);
}

TEST(SkinCtrlGeometry, CalcRectMovesAndStretchesByZone)
{
    // Control 50 x 30: dW 20, dH 10.
    struct TCase {
        Integer Mode;
        TRect R, NR;
    } cases[] = {
        {1, {1, 1, 3, 3}, {1, 1, 3, 3}},          // left-top stays
        {1, {26, 1, 28, 3}, {46, 1, 48, 3}},      // right-top moves right
        {1, {1, 17, 3, 19}, {1, 27, 3, 29}},      // left-bottom moves down
        {1, {26, 17, 28, 19}, {46, 27, 48, 29}},  // right-bottom moves both ways
        {1, {1, 1, 28, 19}, {1, 1, 48, 29}},      // left-top to right-bottom stretches
        {1, {1, 1, 28, 3}, {1, 1, 48, 3}},        // across the top
        {1, {1, 17, 28, 19}, {1, 27, 48, 29}},    // across the bottom: stretched and moved down
        {1, {1, 1, 3, 19}, {1, 1, 3, 29}},        // down the left
        {1, {26, 1, 28, 19}, {46, 1, 48, 29}},    // down the right
        {2, {2, 0, 30, 5}, {2, 0, 50, 5}},        // spans the middle
        {2, {26, 0, 28, 5}, {46, 0, 48, 5}},      // right end
        {2, {1, 0, 3, 5}, {1, 0, 3, 5}},
        {3, {0, 2, 5, 18}, {0, 2, 5, 28}},
        {3, {0, 17, 5, 19}, {0, 27, 5, 29}},
    };
    for (const auto& c : cases) {
        TsfSkinCtrlGeometry g = NineSlice();
        g.ResizeMode = c.Mode;
        TRect nr;
        g.CalcRect(c.R, nr, 50, 30);
        EXPECT_EQ(nr, c.NR) << c.Mode << " " << c.R.Left << "," << c.R.Top;
    }
}

TEST(SkinCtrlGeometry, DescriptionLoadFallsBackOnBadSkinData)
{
    TsfSkinData sd(nullptr);
    sd.Empty = false;
    TDibImage pic;
    pic.Allocate(8, 6, pf24bit);
    sd.FActivePictures.push_back(pic);
    auto custom = std::make_unique<TsfDataSkinCustomControl>(u"panel");
    custom->SkinRect = {0, 0, 8, 6};
    custom->PictureIndex = 0;
    custom->MaskPictureIndex = 7;  // outside the list
    custom->CursorIndex = 3;
    sd.CtrlList.push_back(std::move(custom));
    sd.CtrlList.push_back(std::make_unique<TsfDataSkinBevel>(u"bevel"));

    TsfSkinCtrlGeometry g;
    Integer cursor = -1;
    g.LoadDescription(&sd, 0, cursor, true);
    EXPECT_EQ(g.Picture, sd.ActiveBitmap(0));
    ASSERT_NE(g.Picture, nullptr);
    EXPECT_EQ(g.Picture->Width(), 8);
    EXPECT_EQ(g.MaskPicture, nullptr);
    EXPECT_EQ(cursor, 3);
    EXPECT_EQ(g.ResizeMode, 0);

    // Another class under the name: mode 0, no pictures, and no size forced.
    g.ResizeMode = 1;
    g.LoadDescription(&sd, 1, cursor, true);
    EXPECT_EQ(g.ResizeMode, 0);
    EXPECT_EQ(g.Picture, nullptr);
    Integer w = 50, h = 30;
    g.CalcGeometrySize(true, w, h);
    EXPECT_EQ(w, 50);
    EXPECT_EQ(h, 30);

    EXPECT_EQ(sd.ActiveBitmap(-1), nullptr);
    EXPECT_EQ(sd.ActiveBitmap(1), nullptr);
    // A new skin content drops the bitmaps made from the old one.
    sd.ClearObjects();
    EXPECT_EQ(sd.ActiveBitmap(0), nullptr);
}

TEST(SkinCtrlGeometry, ClientPiecesNeverDivideByAnEmptyRectangle)
{
    struct TCase {
        TRect Cl, NewCl;
        bool Stretch;
        TsfStretchType Type;
        size_t Count;
    } cases[] = {
        {{5, 4, 5, 16}, {5, 4, 45, 26}, false, sfstFull, 0},   // no client width in the skin
        {{5, 4, 25, 4}, {5, 4, 45, 26}, true, sfstVert, 0},    // no client height
        {{5, 4, 25, 16}, {5, 4, 5, 26}, false, sfstFull, 0},   // nothing to fill
        {{5, 4, 25, 16}, {5, 4, 45, 26}, false, sfstFull, 3 * 2},  // 40 / 20 + 1 columns, 22 / 12 + 1 rows
        {{5, 4, 25, 16}, {5, 4, 45, 26}, true, sfstFull, 1},
        {{5, 4, 25, 16}, {5, 4, 45, 26}, true, sfstHorz, 3},
        {{5, 4, 25, 16}, {5, 4, 45, 26}, true, sfstVert, 2},
    };
    for (const auto& c : cases) {
        TsfSkinCtrlGeometry g;
        g.ClRect = c.Cl;
        g.NewClRect = c.NewCl;
        g.StretchEffect = c.Stretch;
        g.StretchType = c.Type;
        EXPECT_EQ(g.ClientPieceRects().size(), c.Count);
    }
    TsfSkinCtrlGeometry g;
    g.ClRect = {5, 4, 25, 16};
    g.NewClRect = {5, 4, 45, 26};
    g.StretchEffect = true;
    g.StretchType = sfstHorz;
    EXPECT_EQ(g.ClientPieceRects()[1], (TRect{25, 4, 45, 26}));
}

TEST(SkinCtrlGeometry, FixedImageIsCopiedAtTheSkinSize)
{
    TsfBitmap pic;
    pic.SetSize(20, 10);
    pic.FillRect({4, 2, 10, 6}, 0xFF112233);
    TsfSkinCtrlGeometry g;
    g.SkinRect = {4, 2, 10, 6};
    g.ResizeMode = 0;
    TsfBitmap b;
    b.SetSize(50, 50);
    g.CreateSkinControlImage(&b, &pic, g.SkinRect, 50, 50, false);
    EXPECT_EQ(b.Width(), 6);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_EQ(b.GetPixel(5, 3), 0xFF112233u);
    // No picture: nothing drawn, nothing resized.
    TsfBitmap c;
    c.SetSize(7, 7);
    g.CreateSkinControlImage(&c, nullptr, g.SkinRect, 7, 7, false);
    EXPECT_EQ(c.Width(), 7);
}
