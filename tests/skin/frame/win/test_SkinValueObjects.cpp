#include <gtest/gtest.h>

#include "FrameObjectsTest.h"

using namespace frameobjects;

namespace {

class SkinValueObjects : public FrameObjectsTest {};

} // namespace

TEST_F(SkinValueObjects, TheFactoryMakesEveryKindOfTheSkin)
{
    TsfSkinForm* C = NewObjectsForm();
    struct { const char16_t* Name; const char16_t* Class; } Cases[] = {
        {u"track", u"TsfSkinTrackBarObject"},     {u"gauge", u"TsfSkinGaugeObject"},
        {u"regulator", u"TsfSkinFrameRegulatorObject"}, {u"switch", u"TsfSkinSwitchObject"},
        {u"anim", u"TsfSkinAnimateObject"},        {u"framegauge", u"TsfSkinFrameGaugeObject"},
        {u"bits", u"TsfSkinBitLabelObject"},       {u"textlabel", u"TsfSkinLabelObject"},
    };
    for (size_t i = 0; i < std::size(Cases); ++i) {
        ASSERT_LT(i, C->ObjectList.size());
        EXPECT_EQ(C->ObjectList[i]->IDName, Cases[i].Name);
        EXPECT_EQ(C->ObjectList[i]->ClassName(), Cases[i].Class);
    }
    // The main-menu item description makes no object without a main menu.
    EXPECT_EQ(C->GetIndex(u"MAINMENUITEM"), -1);
}

TEST_F(SkinValueObjects, FrameGaugeShowsTheFrameOfItsValue)
{
    TsfSkinForm* C = NewObjectsForm();
    auto* G = Object<TsfSkinFrameGaugeObject>(C, u"framegauge");
    ASSERT_NE(G, nullptr);
    // 5 frames over 0..100; a value outside the range is ignored.
    struct { Integer Set, Value, Frame; } Cases[] = {
        {0, 0, 1}, {24, 24, 1}, {25, 25, 2}, {49, 49, 2}, {50, 50, 3}, {99, 99, 4}, {100, 100, 5},
        {101, 100, 5}, {-1, 100, 5},
    };
    for (const auto& K : Cases) {
        C->FrameGaugeSetValue(u"framegauge", K.Set);
        EXPECT_EQ(G->Value(), K.Value) << K.Set;
        auto D = FrameInto(C->Form());
        EXPECT_EQ(PixelOf(*D, G, 5, 5), ScreenRGB(FrameGaugeFrames[K.Frame - 1])) << K.Set;
    }
    // Set by the application, it is drawn at once.
    C->FrameGaugeSetValue(u"framegauge", 30);
    EXPECT_TRUE(ScreenShows(C, G, 5, 5, FrameGaugeFrames[1]));
}

TEST_F(SkinValueObjects, GaugeFillsFromTheLeftAndClampsItsValue)
{
    TsfSkinForm* C = NewObjectsForm();
    auto* G = Object<TsfSkinGaugeObject>(C, u"gauge");
    ASSERT_NE(G, nullptr);
    const DWORD Fill = ScreenRGB(GaugeFill);
    // At its minimum a full painting leaves the frame's own picture.
    const DWORD Empty = PixelOf(*FrameInto(C->Form()), G, 2, 4);
    EXPECT_NE(Empty, Fill);
    struct { Integer Set, Value, Edge; } Cases[] = {{50, 50, 30}, {150, 100, 60}, {-7, 0, 0}, {25, 25, 15}};
    for (const auto& K : Cases) {
        C->GaugeSetValue(u"gauge", K.Set);
        EXPECT_EQ(G->Value(), K.Value);
        auto D = FrameInto(C->Form());
        if (K.Edge > 0) {
            EXPECT_EQ(PixelOf(*D, G, 0, 4), Fill) << K.Set;
            EXPECT_EQ(PixelOf(*D, G, K.Edge - 1, 4), Fill) << K.Set;
        }
        if (K.Edge < 60) EXPECT_EQ(PixelOf(*D, G, K.Edge, 4), Empty) << K.Set;
    }
    EXPECT_TRUE(ScreenShows(C, G, 14, 4, GaugeFill));
}

TEST_F(SkinValueObjects, TrackBarJumpsAndDragsWithinItsEnds)
{
    TsfSkinForm* C = NewObjectsForm();
    auto* T = Object<TsfSkinTrackBarObject>(C, u"track");
    ASSERT_NE(T, nullptr);
    std::vector<Integer> Reported;
    C->OnTrackBarChangeValueEvent = [&](const String& N, Integer V) {
        EXPECT_EQ(N, u"track");
        Reported.push_back(V);
    };
    EXPECT_EQ(T->Value(), 0);
    EXPECT_EQ(T->ButtonPos(), (TPoint{6, 6}));
    // A click on the track jumps there: x 30 is 24 pixels from the start, two units a pixel.
    Click(C, T, 30, 6);
    EXPECT_EQ(T->Value(), 48);
    EXPECT_EQ(C->TrackBarGetValue(u"track"), 48);
    EXPECT_EQ(Reported, (std::vector<Integer>{48}));
    // The track left of the thumb shows filled, the thumb its picture with the keyed corner.
    auto D = FrameInto(C->Form());
    EXPECT_EQ(PixelOf(*D, T, 10, 10), ScreenRGB(TrackFill));
    EXPECT_EQ(PixelOf(*D, T, 29, 5), ScreenRGB(Thumb));
    EXPECT_EQ(PixelOf(*D, T, 26, 2), ScreenRGB(TrackFill));  // the key shows the track behind
    EXPECT_NE(PixelOf(*D, T, 40, 10), ScreenRGB(TrackFill));
    // Dragging the thumb past the right end stops at the last position inside.
    MovePointer(ScreenPoint(C, T, 30, 6));
    LeftButton(true);
    Pump();
    EXPECT_TRUE(T->MoveActive);
    EXPECT_EQ(PixelOf(*FrameInto(C->Form()), T, 29, 5), ScreenRGB(ThumbDrag));
    MovePointer(ScreenPoint(C, T, 40, 6));
    EXPECT_EQ(T->Value(), 68);
    MovePointer(ScreenPoint(C, T, 54, 9));
    EXPECT_EQ(T->Value(), 96);
    MovePointer(ScreenPoint(C, T, 80, 6));  // beyond the end: refused, the thumb stays
    EXPECT_EQ(T->Value(), 96);
    EXPECT_EQ(T->ButtonPos(), (TPoint{54, 6}));
    LeftButton(false);
    Pump();
    EXPECT_FALSE(T->MoveActive);
    EXPECT_EQ(Reported, (std::vector<Integer>{48, 68, 96}));
    EXPECT_TRUE(ScreenShows(C, T, 50, 10, TrackFill));
    // The application's value is clamped; the quiet setter reports even an unchanged value.
    C->TrackBarSetValue(u"track", 500);
    EXPECT_EQ(T->Value(), 96);
    const size_t Count = Reported.size();
    T->SimplySetValue(96);
    EXPECT_EQ(Reported.size(), Count + 1);
}

TEST_F(SkinValueObjects, SwitchTogglesOnAClickAndReportsItsState)
{
    TsfSkinForm* C = NewObjectsForm();
    auto* S = Object<TsfSkinSwitchObject>(C, u"switch");
    ASSERT_NE(S, nullptr);
    std::vector<TSwitchState> Reported;
    C->OnSwitchChangeStateEvent = [&](const String&, TSwitchState V) { Reported.push_back(V); };
    EXPECT_EQ(C->SwitchGetState(u"switch"), swsOff);
    const DWORD Off = PixelOf(*FrameInto(C->Form()), S, 4, 4);
    Click(C, S, 4, 4);
    EXPECT_EQ(C->SwitchGetState(u"switch"), swsOn);
    EXPECT_TRUE(ScreenShows(C, S, 4, 4, SwitchOn));
    // Leaving it keeps the on look.
    MovePointer({50, 600});
    C->FindActiveObject(-1, -1, false);
    EXPECT_EQ(PixelOf(*FrameInto(C->Form()), S, 4, 4), ScreenRGB(SwitchOn));
    Click(C, S, 4, 4);
    EXPECT_EQ(C->SwitchGetState(u"switch"), swsOff);
    EXPECT_EQ(PixelOf(*FrameInto(C->Form()), S, 4, 4), Off);
    EXPECT_EQ(Reported, (std::vector<TSwitchState>{swsOn, swsOff}));
    // The application's setter draws the state and reports it.
    C->SwitchSetState(u"switch", swsOn);
    EXPECT_TRUE(ScreenShows(C, S, 4, 4, SwitchOn));
    EXPECT_EQ(Reported.back(), swsOn);
}

TEST_F(SkinValueObjects, RoundRegulatorStepsAQuarterTurnAtATime)
{
    TsfSkinForm* C = NewObjectsForm();
    auto* R = Object<TsfSkinFrameRegulatorObject>(C, u"regulator");
    ASSERT_NE(R, nullptr);
    std::vector<Integer> Reported;
    C->OnFrameRegulatorChangeValueEvent = [&](const String&, Integer V) { Reported.push_back(V); };
    // 4 frames over 0..100: 90 degrees and 25 units a step; clockwise from the bottom goes up.
    MovePointer(ScreenPoint(C, R, 8, 15));  // below the centre: 0 degrees
    LeftButton(true);
    Pump();
    MovePointer(ScreenPoint(C, R, 0, 8));  // left: 90
    EXPECT_EQ(C->FrameRegulatorGetValue(u"regulator"), 25);
    MovePointer(ScreenPoint(C, R, 8, 0));  // above: 180
    EXPECT_EQ(C->FrameRegulatorGetValue(u"regulator"), 50);
    MovePointer(ScreenPoint(C, R, 2, 2));  // back to 135: less than a step
    EXPECT_EQ(R->Value(), 50);
    LeftButton(false);
    Pump();
    EXPECT_EQ(Reported, (std::vector<Integer>{25, 50}));
    EXPECT_EQ(PixelOf(*FrameInto(C->Form()), R, 8, 8), ScreenRGB(RegulatorFrames[1]));
    // After the release moves do nothing.
    MovePointer(ScreenPoint(C, R, 15, 8));
    EXPECT_EQ(R->Value(), 50);
    // The application's value: ignored outside the range, reported inside it.
    C->FrameRegulatorSetValue(u"regulator", 101);
    EXPECT_EQ(R->Value(), 50);
    C->FrameRegulatorSetValue(u"regulator", 100);
    EXPECT_EQ(Reported.back(), 100);
    EXPECT_TRUE(ScreenShows(C, R, 8, 8, RegulatorFrames[3]));
}

TEST_F(SkinValueObjects, NamedAccessTakesTheFirstObjectOfTheRightKind)
{
    TsfSkinForm* C = NewObjectsForm();
    // Getters of missing names or names of another kind read neutral values; setters do nothing.
    struct { const char16_t* Name; } Cases[] = {{u"missing"}, {u"gauge"}, {u"TRACK"}};
    for (const auto& K : Cases) {
        EXPECT_EQ(C->TrackBarGetValue(K.Name), 0) << UTF8Encode(K.Name);
        EXPECT_EQ(C->FrameRegulatorGetValue(K.Name), 0);
        EXPECT_EQ(C->SwitchGetState(K.Name), swsOff);
        C->TrackBarSetValue(K.Name, 10);
        C->SwitchSetState(K.Name, swsOn);
        C->FrameRegulatorSetValue(K.Name, 10);
        C->LabelSetText(K.Name, u"x");
        C->BitLabelSetText(K.Name, u"1");
        C->AnimateStart(K.Name);
    }
    C->GaugeSetValue(u"track", 40);
    C->FrameGaugeSetValue(u"gauge", 40);
    EXPECT_EQ(Object<TsfSkinTrackBarObject>(C, u"track")->Value(), 0);
    EXPECT_EQ(Object<TsfSkinGaugeObject>(C, u"gauge")->Value(), 0);
    EXPECT_FALSE(C->AnimateTimerRunning());
    // A second object of the same name is never reached.
    auto Second = std::make_unique<TsfSkinSwitchObject>(C, nullptr);
    Second->IDName = u"switch";
    auto* SecondRaw = Second.get();
    C->ObjectList.push_back(std::move(Second));
    C->SwitchSetState(u"switch", swsOn);
    EXPECT_EQ(Object<TsfSkinSwitchObject>(C, u"switch")->State(), swsOn);
    EXPECT_EQ(SecondRaw->State(), swsOff);
    C->ObjectList.pop_back();
}
