#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/ActnList.h"

TEST(Actions, ExecuteAndUpdateRunTheirEvents)
{
    TAction Action(nullptr);
    EXPECT_FALSE(Action.Execute());
    EXPECT_FALSE(Action.Update());
    int Executed = 0, Updated = 0;
    Action.OnExecute = [&](TObject*) { ++Executed; };
    Action.OnUpdate = [&](TObject*) { ++Updated; };
    EXPECT_TRUE(Action.Execute());
    EXPECT_TRUE(Action.Update());
    EXPECT_EQ(Executed, 1);
    EXPECT_EQ(Updated, 1);
    // AutoCheck toggles before OnExecute sees it.
    Action.SetAutoCheck(true);
    bool SeenChecked = false;
    Action.OnExecute = [&](TObject* Sender) { SeenChecked = static_cast<TAction*>(Sender)->Checked(); };
    Action.Execute();
    EXPECT_TRUE(SeenChecked);
    Action.Execute();
    EXPECT_FALSE(Action.Checked());
}

TEST(Actions, ClientsFollowEveryChangeOnce)
{
    auto Action = std::make_unique<TAction>(nullptr);
    TObject A, B;
    int ChangesA = 0, ChangesB = 0;
    Action->RegisterChanges(&A, [&] { ++ChangesA; });
    Action->RegisterChanges(&B, [&] { ++ChangesB; });
    Action->RegisterChanges(&A, [&] { ++ChangesA; });  // again: replaces, not adds
    Action->SetCaption(u"Save");
    Action->SetCaption(u"Save");  // no change, no call
    Action->SetEnabled(false);
    EXPECT_EQ(ChangesA, 2);
    EXPECT_EQ(ChangesB, 2);
    // A client that takes another out while it follows a change: the other is not called.
    Action->RegisterChanges(&A, [&] {
        ++ChangesA;
        Action->UnRegisterChanges(&B);
    });
    Action->RegisterChanges(&B, [&] { ++ChangesB; });  // now after A
    Action->SetChecked(true);
    EXPECT_EQ(ChangesA, 3);
    EXPECT_EQ(ChangesB, 2);
    // An action freed by its own handler.
    TAction* Own = new TAction(nullptr);
    Own->OnExecute = [Own](TObject*) { delete Own; };
    EXPECT_TRUE(Own->Execute());
}
