// The portable part of the image controls: stage lists, placement, mapping,
// buffer fitting and the standard stages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Component/Raster32/Ras32_ImageCore.h"
#include "Component/Raster32/Ras32_Resamplers.h"
#include "framework/runtime/SysUtils.h"

namespace {

struct TSizedBitmap : TCustomBitmap32 {
    TSizedBitmap(Integer W, Integer H, TColor32 C = 0xFF000000)
    {
        SetSize(W, H);
        Clear(C);
    }
};

}  // namespace

TEST(Ras32_ImageCore, DefaultStagesAndListEditing)
{
    TPaintStages S;
    BuildDefaultStages(S);
    ASSERT_EQ(S.Count(), 5);
    const Cardinal Codes[] = {PST_CLEAR_BACKGND, PST_CONTROL_FRAME, PST_DRAW_BITMAP, PST_BITMAP_FRAME, PST_DRAW_LAYERS};
    const bool RunTime[] = {true, false, true, false, true};
    for (Integer I = 0; I < 5; ++I) {
        EXPECT_EQ(S[I]->Stage, Codes[I]);
        EXPECT_TRUE(S[I]->DsgnTime);
        EXPECT_EQ(S[I]->RunTime, RunTime[I]);
    }
    EXPECT_EQ(S[4]->Parameter, LOB_VISIBLE);

    PPaintStage Custom = S.Insert(2);
    EXPECT_FALSE(Custom->DsgnTime);
    EXPECT_TRUE(Custom->RunTime);
    EXPECT_EQ(Custom->Stage, 0u);
    EXPECT_EQ(S[5]->Stage, PST_DRAW_LAYERS);
    S.Insert(-3)->Stage = 99;
    EXPECT_EQ(S[0]->Stage, 99u);
    S.Insert(S.Count() + 10)->Stage = 98;
    EXPECT_EQ(S[S.Count() - 1]->Stage, 98u);
    S.Delete(0);
    EXPECT_EQ(S[0]->Stage, PST_CLEAR_BACKGND);
    for (Integer Bad : {-1, S.Count()}) {
        try {
            S.Delete(Bad);
            FAIL() << "no exception";
        } catch (const EListError& E) {
            EXPECT_EQ(E.Message(), u"Invalid stage index");
        }
    }
    S.Clear();
    EXPECT_EQ(S.Count(), 0);
}

TEST(Ras32_ImageCore, BitmapSizeAndRectangleForEachMode)
{
    struct TCase {
        const char* Name;
        TScaleMode Mode;
        Single Scale;
        TBitmapAlign Align;
        TSize Bitmap, Viewport;
        TRect Expected;
    } Cases[] = {
        {"normal centred", smNormal, 1, baCenter, {101, 50}, {200, 100}, {49, 25, 150, 75}},
        {"scale 1.5", smScale, 1.5f, baTopLeft, {101, 50}, {200, 100}, {0, 0, 152, 75}},
        {"resize wide", smResize, 1, baTopLeft, {400, 100}, {200, 200}, {0, 0, 200, 50}},
        {"resize tall", smResize, 1, baTopLeft, {100, 400}, {200, 200}, {0, 0, 50, 200}},
        {"stretch", smStretch, 1, baTopLeft, {10, 10}, {200, 100}, {0, 0, 200, 100}},
        {"optimal small", smOptimal, 1, baTopLeft, {50, 40}, {200, 100}, {0, 0, 50, 40}},
        {"optimal large", smOptimal, 1, baTopLeft, {400, 100}, {200, 200}, {0, 0, 200, 50}},
        {"optimal scaled fits", smOptimalScaled, 2, baTopLeft, {50, 40}, {200, 100}, {0, 0, 100, 80}},
        {"optimal scaled too big", smOptimalScaled, 4, baTopLeft, {50, 40}, {200, 100}, {0, 0, 125, 100}},
        {"tiny scale rounds to nothing", smScale, 0.001f, baTopLeft, {100, 100}, {200, 100}, {0, 0, 0, 0}},
        {"empty bitmap", smNormal, 1, baCenter, {0, 10}, {200, 100}, {0, 0, 0, 0}},
    };
    for (const TCase& T : Cases) {
        TBitmapPlacement P;
        P.ScaleMode = T.Mode;
        P.ScaleX = P.ScaleY = T.Scale;
        P.Align = T.Align;
        EXPECT_EQ(GetBitmapRect(P, T.Bitmap, T.Viewport, T.Viewport), T.Expected) << T.Name;
    }
    // baCustom: the offsets, rounded halves to even.
    TBitmapPlacement P;
    P.Align = baCustom;
    P.OffsetHorz = 100.5f;
    P.OffsetVert = -2.5f;
    EXPECT_EQ(GetBitmapRect(P, {10, 10}, {200, 100}, {200, 100}), (TRect{100, -2, 110, 8}));
    // A control without width shows nothing.
    EXPECT_EQ(GetBitmapSize(P, {10, 10}, {0, 100}, {0, 100}), (TSize{0, 0}));
}

TEST(Ras32_ImageCore, MappingFollowsTheRoundedRectangle)
{
    TImageMapping M;
    M.Assign(TRect{0, 0, 152, 75}, TSize{101, 50});  // Scale 1.5 of a 101-pixel bitmap
    EXPECT_FLOAT_EQ(M.ScaleX, 152.0f / 101.0f);
    EXPECT_EQ(M.BitmapToControl(TPoint{100, 0}).X, 150);  // trunc(150.495...)

    M.Assign(TRect{0, 0, 20, 20}, TSize{10, 10});  // scale 2, shift 0
    EXPECT_EQ(M.ControlToBitmap(TPoint{-1, -1}), (TPoint{-1, -1}));  // floor of -0.5
    EXPECT_EQ(M.ControlToBitmap(TPoint{5, 19}), (TPoint{2, 9}));
    EXPECT_EQ(M.ControlToBitmap(TFloatPoint{5, 19}), (TFloatPoint{2.5f, 9.5f}));

    M.Assign(TRect{30, 40, 30, 50}, TSize{10, 10});  // zero width
    EXPECT_EQ(M.RecScaleX, 0);
    EXPECT_EQ(M.ControlToBitmap(TPoint{31, 41}).X, 0x7FFFFFFF);
    EXPECT_EQ(M.ControlToBitmap(TFloatPoint{31, 41}).X, 2147483648.0f);

    M.Assign(TRect{}, TSize{0, 0});
    EXPECT_EQ(M.ShiftX, 0);
    EXPECT_EQ(M.ScaleX, 1);
}

TEST(Ras32_ImageCore, ChangedBitmapAreasBecomeControlRectangles)
{
    TImageMapping M;
    M.Assign(TRect{0, 0, 100, 80}, TSize{100, 80});
    std::vector<TRect> Out;
    auto Emit = [&](const TRect& R) { Out.push_back(R); };
    // Scale 1, top-left, nearest resampler (width 1): grown by 2.
    BitmapAreaToControlRects(M, TRect{10, 10, 11, 11}, AreaInfoRect, 1, false, {200, 100}, Emit);
    EXPECT_EQ(Out, (std::vector<TRect>{{8, 8, 13, 13}}));
    // A backward line becomes its bounding rectangle, grown by its width too.
    Out.clear();
    BitmapAreaToControlRects(M, TRect{20, 30, 10, 5}, AreaInfoLine + 1, 1, false, {200, 100}, Emit);
    EXPECT_EQ(Out, (std::vector<TRect>{{7, 2, 23, 33}}));
    // Far below one control pixel per bitmap pixel the area still covers a pixel.
    Out.clear();
    TImageMapping Small;
    Small.Assign(TRect{1501, 200, 1568, 245}, TSize{6708, 4472});  // 1 %
    BitmapAreaToControlRects(Small, TRect{3354, 2236, 3364, 2246}, AreaInfoRect, 1, false, {3880, 2200}, Emit);
    ASSERT_EQ(Out.size(), 1u);
    EXPECT_FALSE(RectIsEmpty(Out[0]));
    EXPECT_EQ(Out[0], (TRect{1534, 222, 1535, 223}));
    // Scrolled partly off the left edge: the near side rounds down.
    Out.clear();
    TImageMapping Half;
    Half.Assign(TRect{-300, 0, -100, 100}, TSize{400, 200});  // scale 0.5
    BitmapAreaToControlRects(Half, TRect{1, 0, 2, 1}, AreaInfoRect, 0, false, {200, 100}, Emit);
    EXPECT_EQ(Out, (std::vector<TRect>{{-300, -1, -298, 1}}));
    // Tiled: once per tile of the buffer (200 / 100 + 1 columns, 100 / 80 + 1 rows).
    Out.clear();
    BitmapAreaToControlRects(M, TRect{10, 10, 11, 11}, AreaInfoRect, 1, true, {200, 100}, Emit);
    EXPECT_EQ(Out.size(), 6u);
    EXPECT_EQ(Out[5], (TRect{208, 88, 213, 93}));
}

TEST(Ras32_ImageCore, BufferFollowsTheViewportWithOversize)
{
    struct TCase {
        Integer Viewport, Buffer, Oversize, Expected;
    } Cases[] = {
        {101, 100, 40, 141}, {70, 100, 40, 100}, {59, 100, 40, 59}, {60, 100, 40, 100},
        {0, 100, 40, 1},     {-5, 10, 0, 1},     {10, 10, 0, 10},   {11, 10, 0, 11},
    };
    for (const TCase& T : Cases)
        EXPECT_EQ(FitBufferSize({T.Viewport, T.Viewport}, {T.Buffer, T.Buffer}, T.Oversize),
                  (TSize{T.Expected, T.Expected}))
            << T.Viewport << " " << T.Buffer;
}

TEST(Ras32_ImageCore, BackgroundIsClearedWhereTheBitmapDoesNotCover)
{
    const TColor32 Back = 0xFF336699;
    TSizedBitmap Dest(20, 10);
    TSizedBitmap Opaque(5, 5);
    // Centred opaque bitmap: four bands around it.
    ClearBackgroundStage(&Dest, Back, &Opaque, TRect{5, 2, 10, 7}, false, nullptr, 20, 10);
    EXPECT_EQ(Dest.Pixel(0, 0), Back);
    EXPECT_EQ(Dest.Pixel(19, 9), Back);
    EXPECT_EQ(Dest.Pixel(4, 4), Back);
    EXPECT_EQ(Dest.Pixel(10, 4), Back);
    EXPECT_EQ(Dest.Pixel(5, 2), 0xFF000000u);  // under the bitmap
    EXPECT_EQ(Dest.Pixel(9, 6), 0xFF000000u);

    // Covering the control: nothing.
    Dest.Clear(0xFF000000);
    ClearBackgroundStage(&Dest, Back, &Opaque, TRect{0, 0, 20, 10}, false, nullptr, 20, 10);
    EXPECT_EQ(Dest.Pixel(0, 0), 0xFF000000u);

    // Translucent: the whole buffer.
    Opaque.SetDrawMode(dmBlend);
    ClearBackgroundStage(&Dest, Back, &Opaque, TRect{0, 0, 20, 10}, false, nullptr, 20, 10);
    EXPECT_EQ(Dest.Pixel(7, 5), Back);

    // Invalid rectangles: only those.
    Dest.Clear(0xFF000000);
    TRectList Rects;
    Rects.Add(TRect{1, 1, 3, 3});
    ClearBackgroundStage(&Dest, Back, &Opaque, TRect{0, 0, 20, 10}, false, &Rects, 20, 10);
    EXPECT_EQ(Dest.Pixel(2, 2), Back);
    EXPECT_EQ(Dest.Pixel(3, 3), 0xFF000000u);
}

TEST(Ras32_ImageCore, BitmapIsDrawnScaledOrTiled)
{
    TSizedBitmap Dest(9, 7, 0xFF000000);
    TSizedBitmap Pic(2, 2, 0xFFFF0000);
    Pic.SetPixel(1, 1, 0xFF00FF00);
    Pic.SetResamplerClassName(u"TNearestResampler");
    ASSERT_EQ(Pic.ResamplerClassName(), u"TNearestResampler");
    DrawBitmapStage(&Dest, &Pic, TRect{1, 1, 5, 5}, false);
    EXPECT_EQ(Dest.Pixel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(Dest.Pixel(4, 4), 0xFF00FF00u);
    EXPECT_EQ(Dest.Pixel(5, 5), 0xFF000000u);
    EXPECT_EQ(Pic.LockCount(), 0);

    Dest.Clear(0xFF000000);
    DrawBitmapStage(&Dest, &Pic, TRect{0, 0, 2, 2}, true);
    for (Integer Y = 0; Y < 7; ++Y)
        for (Integer X = 0; X < 9; ++X)
            EXPECT_EQ(Dest.Pixel(X, Y), (X % 2 && Y % 2) ? 0xFF00FF00u : 0xFFFF0000u) << X << "," << Y;

    // Within the clip rectangle only.
    Dest.Clear(0xFF000000);
    Dest.SetClipRect(TRect{0, 0, 3, 3});
    DrawBitmapStage(&Dest, &Pic, TRect{0, 0, 9, 7}, false);
    EXPECT_EQ(Dest.Pixel(2, 2), 0xFFFF0000u);
    EXPECT_EQ(Dest.Pixel(3, 3), 0xFF000000u);
}

TEST(Ras32_ImageCore, LayersArePaintedByTheirMask)
{
    struct TFill : TCustomLayer {
        using TCustomLayer::TCustomLayer;
        std::string* Log = nullptr;
        std::string Name;
        void PaintLayer(TCustomBitmap32*) override { *Log += Name; }
    };
    TLayerCollection C(nullptr);
    std::string Log;
    const char* Names[] = {"a", "b", "c"};
    for (const char* N : Names) {
        auto* L = C.Add<TFill>();
        L->Log = &Log;
        L->Name = N;
    }
    static_cast<TFill*>(C.LayerAt(1))->SetVisible(false);
    C.LayerAt(2)->SetLayerOptions(LOB_VISIBLE | 4);
    TSizedBitmap Dest(4, 4);
    const struct {
        Cardinal Mask;
        const char* Expected;
    } Cases[] = {{LOB_VISIBLE, "ac"}, {0, ""}, {0xFFFFFFFF, "ac"}, {4, "c"}};
    for (const auto& T : Cases) {
        Log.clear();
        DrawLayersStage(&Dest, &C, T.Mask);
        EXPECT_EQ(Log, T.Expected) << T.Mask;
    }
    // A hidden layer with some other option bit is painted by a mask that has it.
    C.LayerAt(1)->SetLayerOptions(8);
    Log.clear();
    DrawLayersStage(&Dest, &C, 0xFFFFFFFF);
    EXPECT_EQ(Log, "abc");
}

TEST(Ras32_ImageCore, StagesRunOncePerInvalidRectangleClippedToIt)
{
    TSizedBitmap Buffer(50, 40);
    std::vector<std::string> Log;
    std::vector<TStageRun> Runs;
    for (Integer Num : {0, 2, 4})
        Runs.push_back({[&Log](TCustomBitmap32* B, Integer N) {
                            const TRect& C = B->ClipRect();
                            Log.push_back(std::to_string(N) + "@" + std::to_string(C.Left) + "," +
                                          std::to_string(C.Top) + "," + std::to_string(C.Right) + "," +
                                          std::to_string(C.Bottom));
                        },
                        Num});
    TRectList Rects;
    RunPaintStages(&Buffer, Runs, &Rects, TRect{0, 0, 30, 20});
    EXPECT_EQ(Log, (std::vector<std::string>{"0@0,0,30,20", "2@0,0,30,20", "4@0,0,30,20"}));
    Log.clear();
    Rects.Add(TRect{1, 2, 3, 4});
    Rects.Add(TRect{10, 10, 20, 15});
    RunPaintStages(&Buffer, Runs, &Rects, TRect{0, 0, 30, 20});
    EXPECT_EQ(Log, (std::vector<std::string>{"0@1,2,3,4", "2@1,2,3,4", "4@1,2,3,4", "0@10,10,20,15",
                                             "2@10,10,20,15", "4@10,10,20,15"}));
    EXPECT_EQ(Buffer.ClipRect(), (TRect{0, 0, 30, 20}));
    EXPECT_EQ(Buffer.UpdateCount(), 0);
}

TEST(Ras32_ImageCore, ScrollOffsetsOfTheView)
{
    // Viewport 400 wide, bitmap 200, margin 30, centred: (400 - 200) / 2.
    EXPECT_EQ(ScrollOffset(400, 200, 30, 0, true), 100.0f);
    // Too wide to centre (400 <= 1060): the margin less the bar position.
    EXPECT_EQ(ScrollOffset(400, 1000, 30, 330, true), -300.0f);
    EXPECT_EQ(ScrollOffset(400, 200, 30, 0, false), 30.0f);
    EXPECT_EQ(ScrollOffset(401, 200, 30, 0, true), 100.5f);
}
