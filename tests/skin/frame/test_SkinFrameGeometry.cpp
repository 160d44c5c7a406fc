#include <gtest/gtest.h>

#include "skin/frame/SkinFrameGeometry.h"
#include "skin/model/SFSkinData.h"

namespace {

// A 100 x 80 frame picture: 5-pixel side borders, a 25-pixel top with the
// caption at (5, 3, 95, 22), corner pieces 10 wide, 8-pixel sizing corners.
struct TTestSkin : TsfSkinContent {
    explicit TTestSkin(bool WithMask = false)
    {
        FPicture.Allocate(100, 80, pf24bit);
        LTPoint = {10, 25};
        RTPoint = {90, 25};
        LBPoint = {10, 75};
        RBPoint = {90, 75};
        ClRect = {5, 25, 95, 75};
        MaskRectArea = ClRect;
        CaptionRect = {5, 3, 95, 22};
        HitTestLTPoint = {8, 8};
        HitTestRTPoint = {92, 8};
        HitTestLBPoint = {8, 72};
        HitTestRBPoint = {92, 72};
        BorderW = 4;
        if (WithMask) {
            // Black inside the shape; the top two rows are outside it.
            FMask.Allocate(100, 80, pf24bit);
            for (Integer y = 0; y < 2; ++y) std::fill(FMask.ScanLine(y), FMask.ScanLine(y) + 300, uint8_t(255));
        }
    }
};

TsfFrameObjectPlace Button(TStdCommand C, TRect SkinRect = {0, 0, 17, 17})
{
    TsfFrameObjectPlace B;
    B.Kind = TsfFrameObjectKind::StdButton;
    B.Command = C;
    B.SkinRect = SkinRect;
    return B;
}

TsfFrameObjectPlace CaptionObject(TRect SkinRect)
{
    TsfFrameObjectPlace C;
    C.Kind = TsfFrameObjectKind::Caption;
    C.SkinRect = SkinRect;
    return C;
}

void Layout(TsfFrameGeometry& G, Integer W, Integer H, const TsfFrameObjectList& Objects = {})
{
    G.FormWidth = W;
    G.FormHeight = H;
    G.CalcFrameRects();
    G.CalcObjectRects(Objects);
    G.UpdateMask();
}

} // namespace

TEST(SkinFrameGeometry, DefaultFrameOfA200x150Form)
{
    TsfFrameGeometry G;
    G.FormWidth = 200;
    G.FormHeight = 150;
    G.CalcDefRects({});
    EXPECT_EQ(G.NewDefCaptionRect, (TRect{3, 3, 197, 22}));
    auto Close = Button(cmClose), Max = Button(cmMaximize), Min = Button(cmMinimize), Sys = Button(cmSysMenu);
    G.CalcDefRects({&Sys, &Min, &Max, &Close});
    EXPECT_EQ(Close.ObjectRect, (TRect{180, 4, 197, 21}));
    EXPECT_EQ(Max.ObjectRect, (TRect{163, 4, 180, 21}));
    EXPECT_EQ(Min.ObjectRect, (TRect{146, 4, 163, 21}));
    EXPECT_EQ(Sys.ObjectRect, (TRect{3, 4, 20, 21}));
    EXPECT_EQ(G.NewDefCaptionRect, (TRect{20, 3, 146, 22}));
    EXPECT_EQ(G.CalcNCClientRect({0, 0, 200, 150}), (TRect{3, 22, 197, 147}));
    // The whole caption bar drags, down to its last row.
    EXPECT_EQ(G.CalcDefHitTest({100, 21}), sfhtCaption);
    EXPECT_EQ(G.CalcDefHitTest({100, 22}), sfhtClient);
    // A tool window's smaller caption and buttons; an icon for the system menu.
    G.ToolWindow = true;
    G.ShowIcon = true;
    G.CalcDefRects({&Sys, &Close});
    EXPECT_EQ(Close.ObjectRect, (TRect{184, 4, 197, 17}));
    EXPECT_EQ(Sys.ObjectRect, (TRect{3, 4, 19, 20}));
    EXPECT_EQ(G.NewDefCaptionRect, (TRect{19, 3, 184, 18}));
    EXPECT_EQ(G.CalcNCClientRect({0, 0, 200, 150}), (TRect{3, 18, 197, 147}));
    // Smaller than the frame: the client rectangle collapses, never inverts.
    EXPECT_EQ(G.CalcNCClientRect({0, 0, 4, 10}), (TRect{3, 18, 3, 18}));
    // The caption text is centred with 5 pixels added to its width.
    EXPECT_EQ(TsfFrameGeometry::DefCaptionTextX(20, 146, 40), 20 + 63 - 22);
}

TEST(SkinFrameGeometry, FrameRectsFollowTheFormSize)
{
    TTestSkin Skin;
    TsfFrameGeometry G;
    G.SetSkin(&Skin);
    Layout(G, 200, 160);
    EXPECT_EQ(G.NewLTPoint, (TPoint{10, 25}));
    EXPECT_EQ(G.NewRTPoint, (TPoint{190, 25}));
    EXPECT_EQ(G.NewLBPoint, (TPoint{10, 155}));
    EXPECT_EQ(G.NewRBPoint, (TPoint{190, 155}));
    EXPECT_EQ(G.NewClRect, (TRect{5, 25, 195, 155}));
    EXPECT_EQ(G.NewCaptionRect, (TRect{5, 3, 195, 22}));
    EXPECT_EQ(G.NewHitTestRBPoint, (TPoint{192, 152}));
    EXPECT_EQ(G.NewMaskRectArea, (TRect{5, 25, 195, 155}));
    EXPECT_EQ(G.CalcNCClientRect({0, 0, 200, 160}), (TRect{5, 25, 195, 155}));
    EXPECT_EQ(G.CalcNCClientRect({10, 20, 40, 50}), (TRect{15, 45, 35, 45}));

    // The buttons area keeps its place in the left half (Left up to W0 div 2) and follows the right edge beyond.
    struct { Integer Left; Integer Want; } Cases[] = {{50, 50}, {51, 151}, {10, 10}};
    for (const auto& C : Cases) {
        Skin.ButtonsRect = {C.Left, 3, C.Left + 30, 22};
        G.CalcFrameRects();
        EXPECT_EQ(G.NewButtonsRect.Left, C.Want) << C.Left;
    }
}

TEST(SkinFrameGeometry, ConvertSkinRectByCornerPieces)
{
    TTestSkin Skin;
    TsfFrameGeometry G;
    G.SetSkin(&Skin);
    Layout(G, 200, 160);  // ddx 100, ddy 80
    struct { TRect R, Want; const char* What; } Cases[] = {
        {{1, 1, 9, 9}, {1, 1, 9, 9}, "in the top-left piece"},
        {{91, 1, 99, 9}, {191, 1, 199, 9}, "in the top-right piece"},
        {{1, 76, 9, 79}, {1, 156, 9, 159}, "in the bottom-left piece"},
        {{91, 76, 99, 79}, {191, 156, 199, 159}, "in the bottom-right piece"},
        // The bottom-right corner on a piece's right or bottom edge is outside it.
        {{1, 1, 10, 9}, {1, 1, 10, 9}, "ends on the top-left piece's edge: spans, no rule"},
        {{91, 1, 100, 9}, {91, 1, 100, 9}, "ends on the picture's right edge: spans, no rule"},
        {{1, 1, 95, 9}, {1, 1, 195, 9}, "top-left to top-right: wider"},
        {{1, 1, 95, 78}, {1, 1, 195, 158}, "top-left to bottom-right: wider and taller"},
        {{1, 76, 95, 78}, {1, 156, 195, 158}, "bottom-left to bottom-right: wider, moved down"},
        {{1, 1, 9, 78}, {1, 1, 9, 158}, "top-left to bottom-left: taller"},
        {{91, 1, 99, 78}, {191, 1, 199, 158}, "top-right to bottom-right: moved right, taller"},
        {{30, 30, 40, 40}, {30, 30, 40, 40}, "in the middle: unchanged"},
    };
    for (const auto& C : Cases) EXPECT_EQ(G.ConvertSkinRect(C.R), C.Want) << C.What;
    // Anchored areas.
    EXPECT_EQ(G.CalcAreaRect({20, 30, 40, 50}, true, true, true, true, true), (TRect{20, 30, 140, 130}));
    EXPECT_EQ(G.CalcAreaRect({20, 30, 40, 50}, true, false, false, true, true), (TRect{120, 110, 140, 130}));
    EXPECT_EQ(G.CalcAreaRect({20, 30, 40, 50}, false, false, false, true, true), (TRect{20, 30, 40, 50}));
    // No corner pieces at all: every rectangle stays as drawn.
    Skin.LTPoint = {};
    Skin.RTPoint = {100, 0};
    Skin.LBPoint = {0, 80};
    Skin.RBPoint = {100, 80};
    G.CalcFrameRects();
    EXPECT_EQ(G.ConvertSkinRect({91, 1, 99, 9}), (TRect{91, 1, 99, 9}));
}

TEST(SkinFrameGeometry, CaptionButtonsLaidOutInTheirRow)
{
    TTestSkin Skin;
    Skin.ButtonsOffset = 2;
    TsfFrameGeometry G;
    G.SetSkin(&Skin);
    auto Close = Button(cmClose, {0, 0, 16, 14}), Min = Button(cmMinimize, {0, 0, 16, 14});
    auto Custom = Button(cmDefault, {0, 0, 10, 14}), Sys = Button(cmSysMenu, {0, 0, 16, 16});
    auto Hidden = Button(cmMaximize);
    Hidden.Visible = false;
    auto Caption = CaptionObject({5, 3, 95, 22});
    const TsfFrameObjectList Objects{&Caption, &Custom, &Sys, &Hidden, &Min, &Close};

    // Right, in the caption row: close, minimise, the custom one; the caption ends at the last.
    Layout(G, 200, 160, Objects);
    EXPECT_EQ(Close.ObjectRect, (TRect{179, 3, 195, 17}));
    EXPECT_EQ(Min.ObjectRect, (TRect{161, 3, 177, 17}));
    EXPECT_EQ(Custom.ObjectRect, (TRect{149, 3, 159, 17}));
    EXPECT_EQ(Caption.ObjectRect.Right, Custom.ObjectRect.Left);
    // The system menu at the caption's left, centred in it; the caption starts after it.
    EXPECT_EQ(Sys.ObjectRect, (TRect{5, 4, 21, 20}));
    EXPECT_EQ(Caption.ObjectRect.Left, 21);

    // Left: the caption starts one offset beyond the running edge.
    Skin.CapButtonsInLeft = true;
    Layout(G, 200, 160, Objects);
    EXPECT_EQ(Close.ObjectRect, (TRect{5, 3, 21, 17}));
    EXPECT_EQ(Min.ObjectRect, (TRect{23, 3, 39, 17}));
    EXPECT_EQ(Custom.ObjectRect, (TRect{41, 3, 51, 17}));
    EXPECT_EQ(Sys.ObjectRect, (TRect{53, 3, 69, 19}));
    EXPECT_EQ(Caption.ObjectRect.Left, 71 + 2);

    // A buttons area of its own (right half: follows the edge); the caption keeps its converted place.
    Skin.CapButtonsInLeft = false;
    Skin.ButtonsRect = {60, 4, 95, 20};
    G.ShowIcon = true;
    G.IconSize = {12, 12};
    Layout(G, 200, 160, Objects);
    EXPECT_EQ(Close.ObjectRect, (TRect{179, 4, 195, 18}));
    EXPECT_EQ(Caption.ObjectRect, (TRect{17, 3, 195, 22}));
    EXPECT_EQ(Sys.ObjectRect, (TRect{5, 6, 17, 18}));
}

TEST(SkinFrameGeometry, SizeLimits)
{
    TTestSkin Skin;
    struct {
        bool WithSkin, NC;
        Integer FormMinW, FormMinH, MinW, MinH;
        bool RolledUp;
        TsfFormWindowState State;
        Integer WantW, WantH;
        const char* What;
    } Cases[] = {
        {false, true, 0, 0, 0, 0, false, sfwsNormal, 130, 25, "no skin"},
        {false, true, 0, 0, 150, 40, false, sfwsNormal, 150, 40, "no skin, own limits"},
        {false, true, 0, 0, 150, 40, true, sfwsNormal, 150, 25, "no skin, rolled up"},
        {true, true, 0, 0, 0, 0, false, sfwsNormal, 100, 30, "the frame picture and its border heights"},
        {true, true, 0, 0, 120, 60, false, sfwsNormal, 120, 60, "own limits above the picture"},
        {true, true, 0, 0, 120, 60, false, sfwsMinimized, 100, 30, "minimised"},
        {true, true, 70, 45, 0, 0, false, sfwsNormal, 70, 45, "the skin's own minimum"},
        {true, true, 70, 45, 90, 50, false, sfwsNormal, 90, 50, "own limits above the skin's"},
        {true, true, 70, 45, 90, 50, true, sfwsNormal, 90, 45, "rolled up: the skin's height"},
        {false, false, 0, 0, 0, 0, false, sfwsNormal, 0, 0, "client mode without skin"},
        {true, false, 0, 0, 0, 0, false, sfwsNormal, 100, 80, "client mode: the picture"},
        {true, false, 0, 0, 60, 200, false, sfwsNormal, 60, 80, "client mode: the smaller"},
    };
    for (const auto& C : Cases) {
        Skin.FormMinWidth = C.FormMinW;
        Skin.FormMinHeight = C.FormMinH;
        TsfFrameGeometry G;
        G.SetSkin(C.WithSkin ? &Skin : nullptr);
        G.SupportNCArea = C.NC;
        G.MinWidth = C.MinW;
        G.MinHeight = C.MinH;
        G.RollUpState = C.RolledUp;
        G.WindowState = C.State;
        EXPECT_EQ(G.GetMinWidth(), C.WantW) << C.What;
        EXPECT_EQ(G.GetMinHeight(), C.WantH) << C.What;
    }
    TsfFrameGeometry G;
    G.MonitorSize = {1280, 800};
    EXPECT_EQ(G.GetMaxWidth(), 1280);
    G.MaxHeight = 600;
    EXPECT_EQ(G.GetMaxHeight(), 600);
}

TEST(SkinFrameGeometry, NCHitTest)
{
    TTestSkin Skin;
    auto Caption = CaptionObject({5, 3, 95, 22});
    const TsfFrameObjectList Objects{&Caption};
    struct TCase { TPoint P; Integer Want; };
    auto Check = [&](TsfFrameGeometry& G, std::initializer_list<TCase> Cases, const char* What) {
        for (const TCase& C : Cases)
            EXPECT_EQ(G.CalcNCHitTest(C.P, Objects), C.Want) << What << " at " << C.P.X << ',' << C.P.Y;
    };
    TsfFrameGeometry G;
    G.SetSkin(&Skin);
    Layout(G, 200, 160, Objects);
    Check(G,
          {{{1, 1}, sfhtTopLeft}, {{198, 1}, sfhtTopRight}, {{1, 158}, sfhtBottomLeft},
           {{198, 158}, sfhtBottomRight}, {{100, 1}, sfhtTop}, {{100, 158}, sfhtBottom}, {{1, 80}, sfhtLeft},
           {{198, 80}, sfhtRight}, {{100, 10}, sfhtCaption}, {{100, 80}, sfhtClient}, {{100, 23}, sfhtObject}},
          "normal");
    G.RollUpState = true;
    Check(G, {{{1, 1}, sfhtObject}, {{198, 158}, sfhtObject}, {{100, 10}, sfhtCaption}, {{100, 80}, sfhtObject}},
          "rolled up: caption and objects only");
    G.RollUpState = false;
    G.WindowStateInit = sfwsMinimized;
    Check(G, {{{1, 1}, sfhtObject}, {{100, 10}, sfhtCaption}, {{100, 80}, sfhtObject}}, "minimised");
    G.WindowStateInit = sfwsMaximized;
    Check(G, {{{1, 1}, sfhtObject}, {{100, 10}, sfhtCaption}, {{100, 80}, sfhtClient}}, "maximised: no sizing");
    G.WindowStateInit = sfwsNormal;
    G.ObjectHot = true;
    Check(G, {{{100, 23}, sfhtObject}, {{1, 1}, sfhtObject}, {{100, 10}, sfhtCaption}, {{100, 80}, sfhtClient}},
          "an object hot");
    G.SizeMove = true;
    Check(G, {{{1, 1}, sfhtTopLeft}}, "an object hot inside a size loop");
    G.ObjectHot = G.SizeMove = false;
    G.QuickButtonCount = 2;
    G.QuickImageWidth = 16;
    Check(G, {{{50, 10}, sfhtObject}, {{60, 10}, sfhtCaption}}, "quick buttons take the caption's left");
    G.QuickButtonCount = 0;
    G.NCDraggAble = false;
    Check(G, {{{100, 10}, sfhtObject}}, "not draggable");

    // With a mask the probes ask the mask: its top two rows are outside the shape.
    TTestSkin Masked(true);
    TsfFrameGeometry M;
    M.SetSkin(&Masked);
    Layout(M, 200, 160, Objects);
    G.NCDraggAble = true;
    Check(M, {{{100, 5}, sfhtTop}, {{100, 10}, sfhtCaption}, {{100, 80}, sfhtClient}}, "masked");
    Check(G, {{{100, 5}, sfhtCaption}}, "unmasked");
}

TEST(SkinFrameGeometry, DefaultAndClientHitTests)
{
    TsfFrameGeometry G;
    G.FormWidth = 200;
    G.FormHeight = 150;
    G.CalcDefRects({});
    struct { TPoint P; Integer Normal, NotSizeable; } Cases[] = {
        {{1, 1}, sfhtTopLeft, sfhtObject},     {{198, 2}, sfhtTopRight, sfhtObject},
        {{0, 149}, sfhtBottomLeft, sfhtObject}, {{199, 148}, sfhtBottomRight, sfhtObject},
        {{2, 80}, sfhtLeft, sfhtObject},       {{100, 0}, sfhtTop, sfhtObject},
        {{198, 80}, sfhtRight, sfhtObject},    {{100, 148}, sfhtBottom, sfhtObject},
        {{100, 10}, sfhtCaption, sfhtCaption}, {{100, 80}, sfhtClient, sfhtClient},
    };
    for (const auto& C : Cases) {
        G.Sizeable = true;
        EXPECT_EQ(G.CalcDefHitTest(C.P), C.Normal) << C.P.X << ',' << C.P.Y;
        G.Sizeable = false;
        EXPECT_EQ(G.CalcDefHitTest(C.P), C.NotSizeable) << C.P.X << ',' << C.P.Y;
    }

    // Client mode: the size grip answers 17 whatever the mask says.
    TTestSkin Skin(true);
    Skin.SizeGripArea = {80, 60, 90, 70};
    TsfFrameGeometry C;
    C.SetSkin(&Skin);
    C.SupportNCArea = false;
    Layout(C, 200, 160);
    EXPECT_EQ(C.SizeGripArea, (TRect{80, 60, 90, 70}));
    EXPECT_EQ(C.CalcClientHitTest({85, 65}), sfhtBottomRight);
    EXPECT_EQ(C.CalcClientHitTest({100, 80}), sfhtClient);
    EXPECT_EQ(C.CalcClientHitTest({100, 3}), sfhtTop);
    C.RollUpState = true;
    EXPECT_EQ(C.CalcClientHitTest({100, 3}), sfhtClient);
}

TEST(SkinFrameGeometry, MaskStripsAndRegionKind)
{
    TTestSkin Skin(true);
    TsfFrameGeometry G;
    G.SetSkin(&Skin);
    Layout(G, 200, 160);
    const auto Places = G.MaskStripPlaces();
    ASSERT_EQ(Places.size(), 4u);
    EXPECT_EQ(Places[0].Strip->Width(), 200);
    EXPECT_EQ(Places[0].Strip->Height(), 25);
    EXPECT_EQ(Places[1].Y, 155);  // the bottom strip below the mask's inner rectangle
    EXPECT_EQ(Places[3].X, 195);  // the right strip beside it
    EXPECT_FALSE(G.PointInMaskArea({150, 1}));
    EXPECT_TRUE(G.PointInMaskArea({150, 2}));
    EXPECT_TRUE(G.PointInMaskArea({197, 100}));
    EXPECT_FALSE(G.PointInMaskArea({200, 100}));

    struct { bool Skinned, Masked, Skinnable, BorderNone, PlainRect, UpdateMask; TsfFormRegionKind Want; } Cases[] = {
        {true, true, false, false, false, true, TsfFormRegionKind::Remove},
        {true, true, true, true, false, true, TsfFormRegionKind::Remove},
        {true, true, true, false, false, true, TsfFormRegionKind::Strips},
        {true, true, true, false, false, false, TsfFormRegionKind::WholeMask},
        {true, true, true, false, true, true, TsfFormRegionKind::Rectangle},
        {true, false, true, false, false, true, TsfFormRegionKind::Rectangle},
        // Removing the skin leaves a plain rectangle, not the last mask.
        {false, false, true, false, false, true, TsfFormRegionKind::Rectangle},
    };
    TTestSkin Plain;
    for (const auto& C : Cases) {
        TsfFrameGeometry R;
        R.SetSkin(C.Skinned ? (C.Masked ? &Skin : &Plain) : nullptr);
        EXPECT_EQ(R.FormRegionKind(C.Skinnable, C.BorderNone, C.PlainRect, C.UpdateMask), C.Want);
    }
    G.SetSkin(nullptr);
    EXPECT_TRUE(G.MaskStripPlaces().empty());
}

TEST(SkinFrameGeometry, DamagedPicturesGiveNoFrame)
{
    TTestSkin Skin;
    Skin.FPicture.Bits.resize(10);  // fewer bytes than its size says
    TsfFrameGeometry G;
    G.SetSkin(&Skin);
    EXPECT_TRUE(G.FramePicture().Empty());
    EXPECT_EQ(G.PictureWidth(), 0);
    Layout(G, 200, 160);  // lays out against a 0 x 0 picture without failing
    EXPECT_FALSE(G.HasMask());
}

#ifdef LM_SKIN_FOLDER
// The program's own skins: every edge of a skinned form sizes that edge, and
// only the corners size two ways.
TEST(SkinFrameGeometry, BuiltSkinsSizeFromEveryEdgeAndCorner)
{
    for (const char* Name : {"Rire", "Charm", "Laconic", "Cool"}) {
        TsfSkinData Skin(nullptr);
        ASSERT_TRUE(Skin.LoadFromCompressedFile(UTF8ToString(std::string(LM_SKIN_FOLDER) + Name + ".skn")));
        TsfFrameGeometry G;
        G.SetSkin(&Skin);
        Layout(G, 600, 400);
        const Integer B = Skin.BorderW;
        ASSERT_GT(B, 0);
        const struct { TPoint P; Integer Want; } Cases[] = {
            {{300, 0}, sfhtTop},           {{300, 399}, sfhtBottom},       {{0, 200}, sfhtLeft},
            {{599, 200}, sfhtRight},       {{0, 0}, sfhtTopLeft},          {{599, 0}, sfhtTopRight},
            {{0, 399}, sfhtBottomLeft},    {{599, 399}, sfhtBottomRight},  {{30, 0}, sfhtTop},
            {{0, 30}, sfhtLeft},           {{599, 370}, sfhtRight},        {{570, 399}, sfhtBottom},
        };
        for (const auto& C : Cases)
            EXPECT_EQ(G.CalcNCHitTest(C.P, {}), C.Want) << Name << " at " << C.P.X << ',' << C.P.Y;
    }
}
#endif
