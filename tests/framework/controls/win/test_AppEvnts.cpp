// Several application-event components hear the application's events,
// newest first, beside the handler the application had before.
#include "GuiTest.h"

#include "framework/controls/win/AppEvnts.h"

using namespace guitest;

TEST(ApplicationEvents, EveryComponentHearsTheApplication)
{
    std::vector<std::string> Heard;
    // A handler the application had before any component.
    Application->OnMessage = [&](MSG& Msg, bool&) {
        if (Msg.message == WM_APP + 7) Heard.push_back("app");
    };
    auto* First = new TApplicationEvents(nullptr);
    auto* Second = new TApplicationEvents(nullptr);
    bool SecondHandles = false;
    First->OnMessage = [&](MSG& Msg, bool&) {
        if (Msg.message == WM_APP + 7) Heard.push_back("first");
    };
    Second->OnMessage = [&](MSG& Msg, bool& Handled) {
        if (Msg.message != WM_APP + 7) return;
        Heard.push_back("second");
        Handled = SecondHandles;
    };
    PostMessageW(Application->Handle(), WM_APP + 7, 0, 0);
    Pump();
    EXPECT_EQ(Heard, (std::vector<std::string>{"second", "first", "app"}));

    // Handled stops the older ones; a freed component hears nothing.
    Heard.clear();
    SecondHandles = true;
    PostMessageW(Application->Handle(), WM_APP + 7, 0, 0);
    Pump();
    EXPECT_EQ(Heard, (std::vector<std::string>{"second"}));
    Heard.clear();
    delete Second;
    PostMessageW(Application->Handle(), WM_APP + 7, 0, 0);
    Pump();
    EXPECT_EQ(Heard, (std::vector<std::string>{"first", "app"}));

    // Exceptions reach the component and no message box opens.
    std::vector<String> Errors;
    First->OnException = [&](TObject*, Exception& E) { Errors.push_back(E.Message()); };
    {
        TMessageBoxCatcher Boxes;
        try {
            throw EInvalidOperation(u"went wrong");
        } catch (...) {
            Application->HandleException(nullptr);
        }
        EXPECT_TRUE(Boxes.Boxes().empty());
    }
    EXPECT_EQ(Errors, (std::vector<String>{u"went wrong"}));

    // Idle, activation, minimising and restoring the main form.
    int Idle = 0, Active = 0, Inactive = 0, Minimized = 0, Restored = 0;
    First->OnIdle = [&](TObject*, bool& Done) {
        ++Idle;
        Done = false;  // no wait for a message
    };
    First->OnActivate = [&](TObject*) { ++Active; };
    First->OnDeactivate = [&](TObject*) { ++Inactive; };
    First->OnMinimize = [&](TObject*) { ++Minimized; };
    First->OnRestore = [&](TObject*) { ++Restored; };
    Application->HandleMessage();
    Pump();
    Application->HandleMessage();
    EXPECT_GE(Idle, 1);
    TForm* Main = Application->CreateForm<TForm>();
    ASSERT_EQ(Application->MainForm(), Main);
    Main->SetBounds(100, 100, 300, 200);
    Main->Show();
    Pump();
    SendMessageW(Main->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    SendMessageW(Main->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(Inactive, 1);
    EXPECT_GE(Active, 1);
    Application->Minimize();
    EXPECT_TRUE(PumpUntil([&] { return Minimized == 1; }));
    Application->Restore();
    EXPECT_TRUE(PumpUntil([&] { return Restored == 1; }));
    delete Main;
    delete First;
    Application->OnMessage = nullptr;
}
