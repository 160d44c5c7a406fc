#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "skin/frame/SkinValueObjectsCore.h"
#include "skin/model/SFObjectData.h"
#include "skin/model/SFSkinData.h"

TEST(SkinValueObjectsCore, TrackValueAndPositionBothWays)
{
    using K = TsfTrackKind;
    // Horizontal 10..110 over 0..100; vertical from the bottom (y 90) up to y 10 over 0..80.
    struct { K Kind; TPoint B, E; Integer Min, Max, Value; TPoint Pos; } Cases[] = {
        {K::Horizontal, {10, 5}, {110, 5}, 0, 100, 0, {10, 5}},
        {K::Horizontal, {10, 5}, {110, 5}, 0, 100, 37, {47, 5}},
        {K::Horizontal, {10, 5}, {110, 5}, 0, 100, 100, {110, 5}},
        {K::Vertical, {4, 90}, {4, 10}, 0, 80, 0, {4, 90}},
        {K::Vertical, {4, 90}, {4, 10}, 0, 80, 20, {4, 70}},
        {K::Vertical, {4, 90}, {4, 10}, 0, 80, 80, {4, 10}},
        {K::Horizontal, {0, 0}, {50, 0}, -50, 50, 0, {25, 0}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Value);
        EXPECT_EQ(TrackKindOf(C.B, C.E), C.Kind);
        TPoint P = TrackValueToPos(C.Kind, C.B, C.E, C.Value, C.Min, C.Max);
        EXPECT_EQ(P.X, C.Pos.X);
        EXPECT_EQ(P.Y, C.Pos.Y);
        EXPECT_EQ(TrackPosToValue(C.Kind, C.B, C.E, C.Pos, C.Min, C.Max), C.Value);
    }
    // Halves round to even: 0..3 over 2 pixels, pixel 1 is 1.5 -> 2; 0..1 over 2 pixels, 0.5 -> 0.
    EXPECT_EQ(TrackPosToValue(K::Horizontal, {0, 0}, {2, 0}, {1, 0}, 0, 3), 2);
    EXPECT_EQ(TrackPosToValue(K::Horizontal, {0, 0}, {2, 0}, {1, 0}, 0, 1), 0);
}

TEST(SkinValueObjectsCore, EmptyRangesAndTracksGiveTheMinimum)
{
    // Max = Min, or a track without length, would divide 0 by 0.
    EXPECT_EQ(ValueFraction(5, 5, 5), 0.0);
    TPoint P = TrackValueToPos(TsfTrackKind::Horizontal, {10, 3}, {60, 3}, 5, 5, 5);
    EXPECT_EQ(P.X, 10);
    EXPECT_EQ(TrackKindOf({7, 20}, {7, 20}), TsfTrackKind::Vertical);
    EXPECT_EQ(TrackPosToValue(TsfTrackKind::Vertical, {7, 20}, {7, 20}, {7, 20}, 0, 100), 0);
    EXPECT_EQ(TrackPosToValue(TsfTrackKind::Horizontal, {7, 20}, {7, 20}, {7, 20}, 3, 9), 3);
    P = GaugeFillPos(TsfGaugeKind::Vertical, 10, 40, 0, 0, 0);
    EXPECT_EQ(P.Y, 40);
}

TEST(SkinValueObjectsCore, ThumbJumpAndDragStayOnTheTrack)
{
    TRect T = TrackThumbRect({50, 10}, {0, 0, 9, 6});
    EXPECT_EQ(T.Left, 46);
    EXPECT_EQ(T.Top, 7);
    EXPECT_EQ(T.Width(), 9);
    EXPECT_EQ(T.Height(), 6);
    using K = TsfTrackKind;
    struct { K Kind; TPoint P, Jump; bool On; } Cases[] = {
        {K::Horizontal, {-5, 30}, {10, 5}, false},
        {K::Horizontal, {60, 0}, {60, 5}, true},
        {K::Horizontal, {200, 5}, {110, 5}, false},
        {K::Vertical, {0, 0}, {10, 10}, false},
        {K::Vertical, {99, 50}, {10, 50}, true},
        {K::Vertical, {0, 95}, {10, 90}, false},
    };
    for (const auto& C : Cases) {
        TPoint B = C.Kind == K::Horizontal ? TPoint{10, 5} : TPoint{10, 90};
        TPoint E = C.Kind == K::Horizontal ? TPoint{110, 5} : TPoint{10, 10};
        TPoint J = TrackJumpPos(C.Kind, B, E, C.P);
        EXPECT_EQ(J.X, C.Jump.X);
        EXPECT_EQ(J.Y, C.Jump.Y);
        EXPECT_EQ(TrackPosOnTrack(C.Kind, B, E, C.P), C.On);
    }
    EXPECT_EQ(ClampValue(120, 0, 100), 100);
    EXPECT_EQ(ClampValue(-3, 0, 100), 0);
}

TEST(SkinValueObjectsCore, GaugeFillsFromTheLeftOrTheBottom)
{
    struct { TsfGaugeKind Kind; Integer Value; Integer X, Y; } Cases[] = {
        {TsfGaugeKind::Horizontal, 0, 0, 0},   {TsfGaugeKind::Horizontal, 50, 40, 0},
        {TsfGaugeKind::Horizontal, 100, 80, 0}, {TsfGaugeKind::Vertical, 0, 0, 20},
        {TsfGaugeKind::Vertical, 25, 0, 15},   {TsfGaugeKind::Vertical, 100, 0, 0},
    };
    for (const auto& C : Cases) {
        TPoint P = GaugeFillPos(C.Kind, 80, 20, C.Value, 0, 100);
        EXPECT_EQ(P.X, C.X) << C.Value;
        EXPECT_EQ(P.Y, C.Y) << C.Value;
    }
}

TEST(SkinValueObjectsCore, FramesOfAStripAndTheFrameOfAValue)
{
    Integer W, H;
    StripFrameSize({10, 20, 110, 40}, 5, TsfFramesPlacement::Horizontal, W, H);
    EXPECT_EQ(W, 20);
    EXPECT_EQ(H, 20);
    TRect F = StripFrame({10, 20, 110, 40}, 3, W, H, TsfFramesPlacement::Horizontal);
    EXPECT_EQ(F.Left, 50);
    EXPECT_EQ(F.Right, 70);
    EXPECT_EQ(F.Top, 20);
    StripFrameSize({0, 0, 16, 64}, 4, TsfFramesPlacement::Vertical, W, H);
    EXPECT_EQ(W, 16);
    EXPECT_EQ(H, 16);
    F = StripFrame({0, 0, 16, 64}, 4, W, H, TsfFramesPlacement::Vertical);
    EXPECT_EQ(F.Top, 48);
    EXPECT_EQ(F.Bottom, 64);
    StripFrameSize({0, 0, 16, 64}, 0, TsfFramesPlacement::Vertical, W, H);
    EXPECT_EQ(W + H, 0);

    // Five frames over 0..100: 0-24 frame 1, 25-49 frame 2, 100 frame 5.
    struct { Integer Value, Min, Max, Count, Frame; } Cases[] = {
        {0, 0, 100, 5, 1},  {24, 0, 100, 5, 1}, {25, 0, 100, 5, 2}, {49, 0, 100, 5, 2},
        {99, 0, 100, 5, 4}, {100, 0, 100, 5, 5}, {7, 0, 100, 1, 1},  {7, 0, 2, 5, 1},
        // A frame gauge starts at 0 even when its range does not hold 0.
        {0, 500, 600, 5, 5}, {0, 0, 0, 3, 1},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(ValueToFrame(C.Value, C.Min, C.Max, C.Count), C.Frame) << C.Value << " in " << C.Min << ".." << C.Max;
}

TEST(SkinValueObjectsCore, AngleAroundTheCentre)
{
    struct { TPoint P; Integer Angle; } Cases[] = {
        {{20, 40}, 0}, {{0, 20}, 90}, {{20, 0}, 180}, {{40, 20}, 270},
        {{0, 40}, 45}, {{0, 0}, 135}, {{40, 0}, 225}, {{40, 40}, 315},
        {{-50, 20}, 90}, {{20, 500}, 0}, {{20, 20}, 0},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(PointToAngle(C.P, 40, 40), C.Angle) << C.P.X << "," << C.P.Y;
}

TEST(SkinValueObjectsCore, RegulatorSteps)
{
    // Round, 4 frames over 0..100: one step of 25 per 90 degrees, clockwise from the bottom up.
    TsfRegulatorDrag D;
    D.TempValue = 0;
    D.StartV = D.OldCurV = 0;
    struct { Integer Angle; bool Changed; Integer Value; } Round[] = {
        {45, false, 0}, {89, false, 0}, {90, true, 25}, {170, false, 25}, {185, true, 50}, {90, true, 25},
    };
    for (const auto& S : Round) {
        EXPECT_EQ(RegulatorStep(D, TsfRegulatorKind::Round, S.Angle, 40, 40, 4, 0, 100), S.Changed) << S.Angle;
        EXPECT_EQ(D.TempValue, S.Value) << S.Angle;
    }
    // Across the seam below the centre: 10 -> 350 is a step down at once, 350 -> 5 one up.
    D = {};
    D.StartV = D.OldCurV = 10;
    D.TempValue = 50;
    EXPECT_TRUE(RegulatorStep(D, TsfRegulatorKind::Round, 350, 40, 40, 4, 0, 100));
    EXPECT_EQ(D.TempValue, 25);
    EXPECT_TRUE(RegulatorStep(D, TsfRegulatorKind::Round, 5, 40, 40, 4, 0, 100));
    EXPECT_EQ(D.TempValue, 50);

    // Linear, 5 frames 40 wide over 0..100: 10 pixels per step of 25, clamped at the ends.
    D = {};
    struct { Integer V; Integer Value; } Lin[] = {{9, 0}, {10, 25}, {25, 50}, {60, 75}, {90, 100}, {200, 100}, {0, 75}};
    for (const auto& S : Lin) {
        RegulatorStep(D, TsfRegulatorKind::Horizontal, S.V, 40, 10, 5, 0, 100);
        EXPECT_EQ(D.TempValue, S.Value) << S.V;
    }
    EXPECT_EQ(RegulatorReading(TsfRegulatorKind::Vertical, {3, 7}, 10, 10), -7);
    EXPECT_EQ(RegulatorReading(TsfRegulatorKind::Horizontal, {3, 7}, 10, 10), 3);
    // A single-frame strip steps by one pixel and one unit instead of dividing by zero.
    D = {};
    EXPECT_TRUE(RegulatorStep(D, TsfRegulatorKind::Vertical, 1, 40, 0, 1, 0, 10));
    EXPECT_EQ(D.TempValue, 10);
}

// The frame-object test skin as the skin tool wrote it (tests/data/skin/FrameObjects.skn): every kind of
// object reads back from its description with what the tests rely on.
TEST(SkinValueObjectsCore, TheTestSkinReadsBackEveryKindOfObject)
{
    const char* Root = std::getenv("LM_TEST_DATA");
    const String File = UTF8ToString(std::string(Root ? Root : "tests/data") + "/skin/FrameObjects.skn");
    TsfSkinData S(nullptr);
    ASSERT_TRUE(S.LoadFromCompressedFile(File)) << UTF8Encode(S.LoadError());
    auto Find = [&](const char16_t* Name) -> TsfDataSkinObject* {
        const Integer I = S.GetIndex(Name);
        return I >= 0 && I < Integer(S.ObjectList.size()) ? S.ObjectList[size_t(I)].get() : nullptr;
    };
    const Integer Pieces = Integer(S.FActivePictures.size()) - 1;
    ASSERT_GE(Pieces, 0);
    EXPECT_EQ(S.FActivePictures.back().Width, 200);
    EXPECT_EQ(S.FActivePictures.back().Height, 60);
    auto* Track = dynamic_cast<TsfDataSkinTrackBar*>(Find(u"track"));
    ASSERT_TRUE(Track);
    EXPECT_EQ(Track->ActivePictureIndex, Pieces);
    EXPECT_EQ(Track->BeginPoint, TPoint(6, 6));
    EXPECT_EQ(Track->EndPoint, TPoint(54, 6));
    EXPECT_EQ(Track->MaxValue, 96);
    EXPECT_TRUE(Track->MouseDownChangeValue);
    EXPECT_TRUE(Track->ButtonTransparent);
    auto* Gauge = dynamic_cast<TsfDataSkinGauge*>(Find(u"gauge"));
    ASSERT_TRUE(Gauge);
    EXPECT_EQ(Gauge->MaxValue, 100);
    auto* Regulator = dynamic_cast<TsfDataSkinFrameRegulatorObject*>(Find(u"regulator"));
    ASSERT_TRUE(Regulator);
    EXPECT_EQ(Regulator->CountFrames, 4);
    EXPECT_EQ(Regulator->Kind, rkRound);
    EXPECT_TRUE(dynamic_cast<TsfDataSkinSwitch*>(Find(u"switch")));
    auto* Anim = dynamic_cast<TsfDataSkinAnimate*>(Find(u"anim"));
    ASSERT_TRUE(Anim);
    EXPECT_EQ(Anim->CountFrames, 3);
    EXPECT_EQ(Anim->TimerInterval, 50);
    EXPECT_EQ(Anim->Command, cmDefault);
    EXPECT_TRUE(Anim->ButtonStyle);
    EXPECT_EQ(Anim->DownSkinRect, TRect(136, 0, 148, 12));
    auto* FrameGauge = dynamic_cast<TsfDataSkinFrameGaugeObject*>(Find(u"framegauge"));
    ASSERT_TRUE(FrameGauge);
    EXPECT_EQ(FrameGauge->CountFrames, 5);
    auto* Bits = dynamic_cast<TsfDataSkinBitLabel*>(Find(u"bits"));
    ASSERT_TRUE(Bits);
    ASSERT_EQ(Bits->Symbols.Count(), 2);
    EXPECT_EQ(Bits->Symbols.Strings(1), u"345");
    auto* Label = dynamic_cast<TsfDataSkinLabel*>(Find(u"textlabel"));
    ASSERT_TRUE(Label);
    EXPECT_EQ(Label->TextValue, u"Lbl");
    EXPECT_EQ(Label->Alignment, taCenter);
    auto* Item = dynamic_cast<TsfDataSkinMainMenuItem*>(Find(u"MAINMENUITEM"));
    ASSERT_TRUE(Item);
    EXPECT_EQ(Item->TextRct, TRect(4, 0, 26, 14));
    EXPECT_EQ(S.MainMenuRect, TRect(120, 16, 236, 30));
    // The frame objects come first; the skin's caption buttons are gone.
    EXPECT_EQ(S.GetIndex(u"track"), 0);
    for (const auto& O : S.ObjectList) EXPECT_FALSE(dynamic_cast<TsfDataSkinStdButton*>(O.get())) << UTF8Encode(O->IDName);
}
