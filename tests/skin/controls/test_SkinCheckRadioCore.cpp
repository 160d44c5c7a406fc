#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/SkinCheckRadioCore.h"

namespace {

// Boxes of one parent; each click is logged by the box's name.
struct TBoxes {
    std::vector<std::unique_ptr<TsfCheckRadioCore>> Boxes;
    std::string Log;
    TsfCheckRadioCore* Add(char Name, bool Radio, Integer Group)
    {
        auto b = std::make_unique<TsfCheckRadioCore>();
        b->Radio = Radio;
        b->GroupIndex = Group;
        b->OnClick = [this, Name] { Log += Name; };
        b->GroupPeers = [this] {
            std::vector<TsfCheckRadioCore*> v;
            for (auto& x : Boxes) v.push_back(x.get());
            return v;
        };
        Boxes.push_back(std::move(b));
        return Boxes.back().get();
    }
};

}  // namespace

TEST(SkinCheckRadioCore, GroupsAndTheirEventOrder)
{
    TBoxes s;
    auto* r1 = s.Add('1', true, 1);
    auto* r2 = s.Add('2', true, 1);
    auto* c1 = s.Add('a', false, 2);
    auto* c2 = s.Add('b', false, 2);
    auto* other = s.Add('x', true, 3);
    struct TStep {
        TsfCheckRadioCore* Box;
        bool Value;
        std::string Log;  // the clicks this step fires, in order
    } steps[] = {
        {r1, true, "1"},
        {r2, true, "2"},      // r1 is unchecked without a click
        {r2, true, "2"},      // the same value fires again
        {r2, false, ""},      // an unchecked radio fires nothing
        {other, true, "x"},   // another group leaves the rest alone
        {c1, true, "a"},
        {c2, true, "ab"},     // the other check box's click comes first
        {c2, true, "b"},
        {c2, false, "b"},     // a check box fires on False too
    };
    for (const auto& st : steps) {
        s.Log.clear();
        st.Box->SetChecked(st.Value);
        EXPECT_EQ(s.Log, st.Log) << &st - steps;
    }
    EXPECT_FALSE(r1->Checked());
    EXPECT_FALSE(r2->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_FALSE(c1->Checked());
}

TEST(SkinCheckRadioCore, ClicksAndTheGrayedCycle)
{
    TBoxes s;
    auto* c = s.Add('c', false, 0);
    c->AllowGrayed = true;
    auto click = [&](TsfCheckRadioCore* B) {
        B->LeftDown();
        B->LeftUp();
    };
    const TsfCheckState cycle[] = {TsfCheckState::Grayed, TsfCheckState::Checked, TsfCheckState::Unchecked,
                                   TsfCheckState::Grayed};
    for (TsfCheckState expected : cycle) {
        s.Log.clear();
        click(c);
        EXPECT_EQ(c->State(), expected);
        EXPECT_EQ(c->Checked(), expected == TsfCheckState::Checked);
        EXPECT_EQ(s.Log, "c");
    }
    // Grayed by code clears Checked; Checked := False keeps it grayed.
    c->SetState(TsfCheckState::Grayed);
    EXPECT_FALSE(c->Checked());
    c->SetChecked(false);
    EXPECT_EQ(c->State(), TsfCheckState::Grayed);

    // A radio box clicked while checked stays checked and fires nothing.
    auto* r = s.Add('r', true, 0);
    click(r);
    s.Log.clear();
    click(r);
    EXPECT_TRUE(r->Checked());
    EXPECT_EQ(s.Log, "");

    // Pressing, dragging off and releasing does not toggle.
    auto* d = s.Add('d', false, 0);
    d->LeftDown();
    d->SetMouseIn(false);
    d->LeftUp();
    EXPECT_FALSE(d->Checked());
    EXPECT_FALSE(d->Down());
    // Back on before the release: it toggles.
    d->LeftDown();
    d->SetMouseIn(false);
    d->SetMouseIn(true);
    d->LeftUp();
    EXPECT_TRUE(d->Checked());
}
