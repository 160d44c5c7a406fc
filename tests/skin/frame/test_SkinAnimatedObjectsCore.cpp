#include <gtest/gtest.h>

#include <vector>

#include "skin/frame/SkinAnimatedObjectsCore.h"

namespace {

// Frames seen after each of Ticks ticks (0 where a tick only gathered time).
std::vector<Integer> PlayTicks(TsfAnimateState& A, Integer Interval, Integer Count, bool Cycle, int Ticks)
{
    std::vector<Integer> Seen;
    for (int i = 0; i < Ticks && A.Active; ++i) Seen.push_back(AnimateChangeFrame(A, Interval, Count, Cycle) ? A.Frame : 0);
    return Seen;
}

}  // namespace

TEST(SkinAnimatedObjectsCore, AnimationStepsOnTheTimer)
{
    struct { const char* Name; Integer Interval, Count; bool Cycle, Forward; Integer StartFrame; std::vector<Integer> Want; bool ActiveAfter; } Cases[] = {
        // Below 25 ms: a frame per tick; stops on the last frame.
        {"fast", 10, 4, false, true, 1, {2, 3, 4}, false},
        // 75 ms: two ticks gather, the third steps.
        {"slow", 75, 3, false, true, 1, {0, 0, 2, 0, 0, 3}, false},
        {"cycle", 25, 3, true, true, 1, {2, 3, 1, 2}, true},
        // Played back from the last frame to frame 1 and stopped there.
        {"back", 25, 4, false, false, 4, {3, 2, 1}, false},
        // Backwards from frame 1 wraps to the last frame first.
        {"back wraps", 25, 3, true, false, 1, {3, 2, 1}, false},
    };
    for (const auto& C : Cases) {
        TsfAnimateState A;
        AnimateStart(A);
        A.Frame = C.StartFrame;
        A.Increment = C.Forward;
        EXPECT_EQ(PlayTicks(A, C.Interval, C.Count, C.Cycle, static_cast<int>(C.Want.size()) + (C.Cycle ? 0 : 3)), C.Want)
            << C.Name;
        EXPECT_EQ(A.Active, C.ActiveAfter) << C.Name;
    }
    TsfAnimateState A;
    AnimateStart(A);
    A.Frame = 3;
    AnimateStop(A, 5);
    EXPECT_EQ(A.Frame, 1);
    EXPECT_FALSE(A.Active);
    TRect R = AnimateFrameRect({10, 4}, 16, 12, 3);
    EXPECT_EQ(R.Left, 42);
    EXPECT_EQ(R.Right, 58);
    EXPECT_EQ(R.Bottom, 16);
}

TEST(SkinAnimatedObjectsCore, LabelTextPlace)
{
    struct { TAlignment A; Integer X; } Cases[] = {{taLeftJustify, 10}, {taRightJustify, 80}, {taCenter, 45}};
    for (const auto& C : Cases) {
        TPoint P = LabelTextPos({10, 0, 110, 21}, C.A, 30, 13);
        EXPECT_EQ(P.X, C.X);
        EXPECT_EQ(P.Y, 4);
    }
}

TEST(SkinAnimatedObjectsCore, BitLabelCells)
{
    const std::vector<String> Symbols = {u"0123456789", u"ABC:"};
    struct { const char* Name; String Text; Integer Width; std::vector<TRect> Sources; std::vector<Integer> DestX; } Cases[] = {
        {"digits", u"12", 50, {{18, 5, 26, 15}, {26, 5, 34, 15}}, {0, 8}},
        {"second line", u"B:", 50, {{18, 15, 26, 25}, {34, 15, 42, 25}}, {0, 8}},
        // An unknown character keeps its place empty.
        {"unknown", u"1?2", 50, {{18, 5, 26, 15}, {26, 5, 34, 15}}, {0, 16}},
        // Wider than the label: the third cell is cut at 20 and the text stops.
        {"cut", u"0123", 20, {{10, 5, 18, 15}, {18, 5, 26, 15}, {26, 5, 30, 15}}, {0, 8, 16}},
        {"empty", u"", 20, {}, {}},
    };
    for (const auto& C : Cases) {
        auto Cells = BitLabelCells(C.Text, Symbols, {10, 5}, 8, 10, C.Width);
        ASSERT_EQ(Cells.size(), C.Sources.size()) << C.Name;
        for (size_t i = 0; i < Cells.size(); ++i) {
            EXPECT_EQ(Cells[i].Source.Left, C.Sources[i].Left) << C.Name << i;
            EXPECT_EQ(Cells[i].Source.Top, C.Sources[i].Top) << C.Name << i;
            EXPECT_EQ(Cells[i].Source.Right, C.Sources[i].Right) << C.Name << i;
            EXPECT_EQ(Cells[i].Source.Bottom, C.Sources[i].Bottom) << C.Name << i;
            EXPECT_EQ(Cells[i].DestX, C.DestX[i]) << C.Name << i;
        }
    }
    EXPECT_TRUE(BitLabelCells(u"1", Symbols, {0, 0}, 0, 10, 50).empty());
}

TEST(SkinAnimatedObjectsCore, MainMenuItemsPlaceAndFit)
{
    EXPECT_EQ(MainMenuItemWidth(40, 30, 25), 37);
    EXPECT_EQ(MainMenuItemLeft(0, {60, 4, 300, 22}), 60);
    EXPECT_EQ(MainMenuItemLeft(97, {60, 4, 300, 22}), 97);

    // A disabled item squeezed out and back keeps disabled; an enabled one comes back enabled.
    for (bool WasEnabled : {true, false}) {
        TsfMainMenuItemFit F;
        F.Enabled = F.OldEnabled = WasEnabled;
        MainMenuItemFitTo(F, false);
        EXPECT_FALSE(F.Visible);
        EXPECT_FALSE(F.Enabled);
        MainMenuItemFitTo(F, false);  // still out: the saved state stays
        MainMenuItemFitTo(F, true);
        EXPECT_TRUE(F.Visible);
        EXPECT_EQ(F.Enabled, WasEnabled);
    }
}

TEST(SkinAnimatedObjectsCore, StretchKeepsTheEnds)
{
    struct Span { Integer S, D, W; };
    struct { const char* Name; Integer Src, Dest, LO, RO; std::vector<Span> Want; } Cases[] = {
        // Middle of 4 repeated over 10 columns, last copy cut to 2.
        {"tiled", 10, 16, 3, 3, {{0, 0, 3}, {3, 3, 4}, {3, 7, 4}, {3, 11, 2}, {7, 13, 3}}},
        {"same size", 10, 10, 3, 3, {{0, 0, 3}, {3, 3, 4}, {7, 7, 3}}},
        {"no ends", 4, 10, 0, 0, {{0, 0, 4}, {0, 4, 4}, {0, 8, 2}}},
        // Narrower than both ends: the left end first, then what is left of the right.
        {"narrow", 10, 4, 3, 3, {{0, 0, 3}, {9, 3, 1}}},
        // Ends wider than the picture are bounded by it.
        {"ends too wide", 6, 8, 5, 5, {{0, 0, 5}, {5, 7, 1}}},
        {"empty", 0, 10, 3, 3, {}},
    };
    for (const auto& C : Cases) {
        auto Got = StretchWithFixedEnds(C.Src, C.Dest, C.LO, C.RO);
        ASSERT_EQ(Got.size(), C.Want.size()) << C.Name;
        for (size_t i = 0; i < Got.size(); ++i) {
            EXPECT_EQ(Got[i].SourceX, C.Want[i].S) << C.Name << i;
            EXPECT_EQ(Got[i].DestX, C.Want[i].D) << C.Name << i;
            EXPECT_EQ(Got[i].Width, C.Want[i].W) << C.Name << i;
        }
    }
}
