// The micro-tile repaint optimiser: what reaches the invalid-rectangle list
// from areas, layers and list changes, and its adaptive levels.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Component/Raster32/Ras32_RepaintOpt.h"

namespace {

// A layer that paints one box.
struct TBoxLayer : TCustomLayer {
    using TCustomLayer::TCustomLayer;
    TRect Box{0, 0, 0, 0};
    void PaintLayer(TCustomBitmap32* Buffer) override { Buffer->FillRectS(Box, 0xFF00FF00); }
    void MoveTo(const TRect& R)
    {
        Box = R;
        Changed();
    }
};

// The optimiser on a clock the test sets.
struct TClockedOptimizer : TMicroTilesRepaintOptimizer {
    using TMicroTilesRepaintOptimizer::TMicroTilesRepaintOptimizer;
    Cardinal Tick = 1000;
    Int64 Elapsed = 0;
    Cardinal ReadTickCount() override { return Tick; }
    Int64 ReadElapsedTime() override { return Elapsed; }
};

bool Covers(const std::vector<TRect>& Out, const TRect& R);

struct TFixture {
    TCustomBitmap32 Buffer;
    TRectList Rects;
    TClockedOptimizer Opt{&Buffer, &Rects};
    TLayerCollection Layers{nullptr};

    explicit TFixture(Integer W = 200, Integer H = 100)
    {
        Buffer.SetSize(W, H);
        Opt.RegisterLayerCollection(&Layers);
        Opt.SetEnabled(true);
    }
    ~TFixture() { Opt.UnregisterLayerCollection(&Layers); }

    // One repaint as the paint box runs it: collect, then redraw the buffer
    // taking Elapsed; the rectangles it redrew.
    std::vector<TRect> Repaint(Int64 Elapsed = 0)
    {
        Rects.Clear();
        if (Opt.UpdatesAvailable()) Opt.PerformOptimization();
        std::vector<TRect> Result;
        for (Integer I = 0; I < Rects.Count(); ++I) Result.push_back(*Rects[I]);
        Opt.Elapsed = Elapsed;
        Opt.BeginPaintBuffer();
        Opt.EndPaintBuffer();
        return Result;
    }
    void Area(const TRect& R) { Opt.AreaUpdateHandler(nullptr, R, AreaInfoRect); }
};

bool Covers(const std::vector<TRect>& Out, const TRect& R)
{
    for (Integer Y = R.Top; Y < R.Bottom; ++Y)
        for (Integer X = R.Left; X < R.Right; ++X) {
            bool In = false;
            for (const TRect& O : Out) In = In || (X >= O.Left && X < O.Right && Y >= O.Top && Y < O.Bottom);
            if (!In) return false;
        }
    return true;
}

}  // namespace

TEST(Ras32_RepaintOpt, EnablingRepaintsEverythingOnce)
{
    TFixture F;
    EXPECT_TRUE(F.Opt.Enabled());
    EXPECT_EQ(F.Repaint(), (std::vector<TRect>{{0, 0, 200, 100}}));
    EXPECT_FALSE(F.Opt.UpdatesAvailable());
    EXPECT_TRUE(F.Repaint().empty());

    F.Opt.BufferResizedHandler(150, 40);
    EXPECT_EQ(F.Repaint(), (std::vector<TRect>{{0, 0, 150, 40}}));
}

TEST(Ras32_RepaintOpt, AForcedFullRepaintSettlesWhatWasMarked)
{
    TFixture F;
    // The control's first paint is forced full: no optimisation, no rectangles.
    F.Opt.BeginPaintBuffer();
    F.Opt.EndPaintBuffer();
    F.Area(TRect{10, 10, 11, 11});
    EXPECT_EQ(F.Repaint(), (std::vector<TRect>{{10, 10, 11, 11}}));
}

TEST(Ras32_RepaintOpt, ReportedAreasBecomeRectangles)
{
    TFixture F;
    F.Opt.SetAdaptiveMode(false);
    F.Repaint();
    F.Area(TRect{10, 10, 11, 11});
    F.Area(TRect{150, 60, 170, 70});
    EXPECT_EQ(F.Repaint(), (std::vector<TRect>{{10, 10, 11, 11}, {150, 60, 170, 70}}));
    // A line area: its end points grown by its width, then a chain of
    // segments each grown by twice the width.
    F.Opt.AreaUpdateHandler(nullptr, TRect{20, 50, 20, 90}, AreaInfoLine + 1);
    auto Out = F.Repaint();
    EXPECT_TRUE(Covers(Out, TRect{18, 48, 22, 92}));
    for (const TRect& R : Out) EXPECT_TRUE(R.Left >= 15 && R.Right <= 25 && R.Top >= 45 && R.Bottom <= 100);
}

TEST(Ras32_RepaintOpt, ChangedLayersInvalidateOldAndNewFootprints)
{
    TFixture F;
    F.Opt.SetAdaptiveMode(false);
    auto* L = F.Layers.Add<TBoxLayer>();
    L->MoveTo(TRect{40, 40, 50, 50});
    F.Repaint();
    L->MoveTo(TRect{100, 40, 110, 50});
    EXPECT_TRUE(L->IsInvalid());
    auto Out = F.Repaint();
    EXPECT_FALSE(L->IsInvalid());
    EXPECT_EQ(Out, (std::vector<TRect>{{40, 40, 50, 50}, {100, 40, 110, 50}}));

    // Reported twice before a repaint: listed once.
    L->MoveTo(TRect{0, 0, 5, 5});
    L->MoveTo(TRect{0, 0, 6, 6});
    EXPECT_EQ(F.Repaint(), (std::vector<TRect>{{0, 0, 6, 6}, {100, 40, 110, 50}}));

    // Hiding repaints the old area.
    L->SetVisible(false);
    EXPECT_EQ(F.Repaint(), (std::vector<TRect>{{0, 0, 6, 6}}));
}

TEST(Ras32_RepaintOpt, DeletedAndClearedLayersInvalidateWhatTheyCovered)
{
    TFixture F;
    F.Opt.SetAdaptiveMode(false);
    auto* A = F.Layers.Add<TBoxLayer>();
    auto* B = F.Layers.Add<TBoxLayer>();
    A->MoveTo(TRect{10, 10, 20, 20});
    B->MoveTo(TRect{120, 70, 130, 80});
    F.Repaint();

    delete A;
    EXPECT_EQ(F.Repaint(), (std::vector<TRect>{{10, 10, 20, 20}}));

    auto* C = F.Layers.Add<TBoxLayer>();
    C->MoveTo(TRect{60, 10, 64, 14});
    F.Repaint();
    F.Layers.Clear();
    auto Out = F.Repaint();
    EXPECT_TRUE(Covers(Out, TRect{120, 70, 130, 80}));
    EXPECT_TRUE(Covers(Out, TRect{60, 10, 64, 14}));
    EXPECT_EQ(Out.size(), 2u);
}

TEST(Ras32_RepaintOpt, ALayerChangedBeforeTheFirstRepaintIsMeasuredAtTheRebuild)
{
    TFixture F;
    F.Opt.SetEnabled(false);
    auto* L = F.Layers.Add<TBoxLayer>();
    L->Box = TRect{30, 30, 40, 40};
    F.Opt.SetEnabled(true);  // the rebuild measures every layer
    F.Repaint();
    L->MoveTo(TRect{150, 30, 160, 40});
    EXPECT_EQ(F.Repaint(), (std::vector<TRect>{{30, 30, 40, 40}, {150, 30, 160, 40}}));
}

TEST(Ras32_RepaintOpt, DisabledItCollectsNothingAndDropsItsTiles)
{
    TFixture F;
    auto* L = F.Layers.Add<TBoxLayer>();
    F.Opt.SetEnabled(false);
    EXPECT_FALSE(F.Opt.Enabled());
    L->MoveTo(TRect{1, 1, 2, 2});
    EXPECT_FALSE(L->IsInvalid());
    EXPECT_EQ(F.Layers.OnLayerUpdated, nullptr);
    F.Opt.SetEnabled(true);
    EXPECT_NE(F.Layers.OnLayerUpdated, nullptr);
}

// Whatever is reported, the rectangles cover it.
TEST(Ras32_RepaintOpt, OutputCoversEveryReportedArea)
{
    std::mt19937 Rng(3);
    TFixture F(300, 200);
    std::vector<TBoxLayer*> Boxes;
    for (Integer I = 0; I < 3; ++I) Boxes.push_back(F.Layers.Add<TBoxLayer>());
    F.Repaint();
    auto RandomRect = [&] {
        Integer X = static_cast<Integer>(Rng() % 290), Y = static_cast<Integer>(Rng() % 190);
        return TRect{X, Y, X + 1 + static_cast<Integer>(Rng() % 40), Y + 1 + static_cast<Integer>(Rng() % 40)};
    };
    for (Integer Round = 0; Round < 40; ++Round) {
        std::vector<TRect> Must;
        for (TBoxLayer* B : Boxes) {
            if (Rng() % 2) continue;
            Must.push_back(B->Box);  // the old place
            B->MoveTo(RandomRect());
            Must.push_back(B->Box);
        }
        for (Integer I = static_cast<Integer>(Rng() % 3); I > 0; --I) {
            Must.push_back(RandomRect());
            F.Area(Must.back());
        }
        // The clock says fine-grained repaints are slow now and then, so
        // whole tiles and full repaints take turns with exact ones.
        F.Opt.Tick += 700;
        auto Out = F.Repaint(Round % 4 == 0 ? 0 : Integer(Rng() % 3));
        bool Full = Out.empty();
        for (const TRect& R : Must) {
            TRect Clipped{std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, 300), std::min(R.Bottom, 200)};
            EXPECT_TRUE(Full || Covers(Out, Clipped)) << "round " << Round;
        }
    }
}

TEST(Ras32_RepaintOpt, AdaptiveLevelsFollowTheRepaintTimes)
{
    TFixture F(640, 480);
    auto& O = F.Opt;
    F.Repaint();  // the whole buffer after enabling, as fast as the (unknown) full repaint
    // A full repaint (empty list) sets the time to beat: 100.
    F.Rects.Clear();
    O.Elapsed = 100;
    O.BeginPaintBuffer();
    O.EndPaintBuffer();
    EXPECT_EQ(O.PerformanceLevel(), 0);

    // Exact tiles, slower than a full repaint: up to whole tiles.
    F.Area(TRect{5, 5, 6, 6});
    EXPECT_EQ(F.Repaint(150), (std::vector<TRect>{{5, 5, 6, 6}}));
    EXPECT_EQ(O.PerformanceLevel(), 1);

    // Whole tiles now. No check was scheduled yet, so this optimisation
    // checks at once (back to 0); still slow: up again, next check after
    // 1000 + 250 ms.
    F.Area(TRect{5, 5, 6, 6});
    EXPECT_EQ(F.Repaint(150), (std::vector<TRect>{{0, 0, 32, 32}}));
    EXPECT_EQ(O.PerformanceLevel(), 1);

    // Before the check: slow again, up to full repaints.
    O.Tick = 1500;
    F.Area(TRect{5, 5, 6, 6});
    F.Repaint(200);
    EXPECT_EQ(O.PerformanceLevel(), 2);

    // Level 2: every optimisation empties the list (a full repaint), whose
    // time becomes the new time to beat.
    O.Tick = 1600;
    F.Area(TRect{5, 5, 6, 6});
    EXPECT_TRUE(F.Repaint(120).empty());
    EXPECT_EQ(O.PerformanceLevel(), 2);

    // The check at 2250 comes: down one level; fast now, so the next check is 1000 ms on.
    O.Tick = 2300;
    F.Area(TRect{5, 5, 6, 6});
    EXPECT_EQ(F.Repaint(50), (std::vector<TRect>{{0, 0, 32, 32}}));
    EXPECT_EQ(O.PerformanceLevel(), 1);

    // Many rectangles at level 1, slow: up to 2, remembering 20 rectangles.
    O.Tick = 2400;
    auto Scatter = [&](Integer N) {
        for (Integer I = 0; I < N; ++I) F.Area(TRect{64 * (I % 10) + 5, 64 * (I / 10) + 5, 64 * (I % 10) + 6, 64 * (I / 10) + 6});
    };
    Scatter(20);
    EXPECT_EQ(F.Repaint(500).size(), 20u);
    EXPECT_EQ(O.PerformanceLevel(), 2);
    // The timed check at 3300 takes it down to 1; a fast repaint clears the failure.
    O.Tick = 3400;
    Scatter(1);
    F.Repaint(10);
    EXPECT_EQ(O.PerformanceLevel(), 1);
    // Far fewer rectangles than at the climb (5 < 20 - 10): down to exact tiles.
    O.Tick = 3500;
    Scatter(5);
    F.Repaint(10);
    EXPECT_EQ(O.PerformanceLevel(), 0);

    // Leaving adaptive mode restarts at exact tiles.
    O.Tick = 3600;
    Scatter(20);
    F.Repaint(500);
    EXPECT_EQ(O.PerformanceLevel(), 1);
    O.SetAdaptiveMode(false);
    EXPECT_EQ(O.PerformanceLevel(), 0);
    Scatter(20);
    F.Repaint(500);
    EXPECT_EQ(O.PerformanceLevel(), 0);
}

TEST(Ras32_RepaintOpt, TheDefaultClassIsTheMicroTileOptimiser)
{
    TCustomBitmap32 Buffer;
    TRectList Rects;
    std::unique_ptr<TCustomRepaintOptimizer> Opt(DefaultRepaintOptimizerClass(&Buffer, &Rects));
    EXPECT_EQ(Opt->ClassName(), u"TMicroTilesRepaintOptimizer");
    EXPECT_FALSE(Opt->Enabled());
    TLayerCollection Layers(nullptr);
    Opt->RegisterLayerCollection(&Layers);
    EXPECT_NE(Layers.OnListNotify, nullptr);
    EXPECT_EQ(Layers.OnLayerUpdated, nullptr);  // only while enabled
    Opt.reset();  // unregisters
    EXPECT_EQ(Layers.OnListNotify, nullptr);
}
