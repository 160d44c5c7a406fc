#include <gtest/gtest.h>

#include "SkinControlTestEnv.h"
#include "skin/frame/win/SkinTrayIcon.h"

using namespace guitest;
using namespace skintest;

namespace {

class SkinTrayIcon : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        Form = NewForm(100, 100, 200, 100);
        Tray = new TsfTrayIcon(Form);
        Tray->OnClick = [this](TObject*) { Log.push_back("click"); };
        Tray->OnDblClick = [this](TObject*) { Log.push_back("dblclick"); };
        Tray->OnBalloonHintClick = [this](TObject*) { Log.push_back("balloon"); };
    }
    // What the shell sends through the icon's callback message.
    void Shell(UINT Mouse) { SendMessageW(Tray->Handle(), TTrayIcon::WM_TRAYNOTIFY, Tray->ID(), Mouse); }
    TForm* Form = nullptr;
    TsfTrayIcon* Tray = nullptr;
    std::vector<std::string> Log;
};

} // namespace

TEST_F(SkinTrayIcon, SingleClickWaitsForTheDoubleClickTimeAndADoubleClickIsNoClick)
{
    EXPECT_EQ(TTrayIcon::WM_TRAYNOTIFY, 0x800u);
    const Cardinal Dbl = GetDoubleClickTime();
    Shell(WM_LBUTTONDOWN);
    Shell(WM_LBUTTONUP);
    EXPECT_TRUE(Log.empty());
    FClock.Clock.Advance(Dbl);
    EXPECT_EQ(Log, (std::vector<std::string>{"click"}));
    Log.clear();
    // A double click: the shell sends down, up, double click, up.
    Shell(WM_LBUTTONDOWN);
    Shell(WM_LBUTTONUP);
    Shell(WM_LBUTTONDBLCLK);
    Shell(WM_LBUTTONUP);
    FClock.Clock.Advance(Dbl);
    EXPECT_EQ(Log, (std::vector<std::string>{"dblclick"}));
    Log.clear();
    // Released after the double-click time: the click counts at once.
    Shell(WM_LBUTTONDOWN);
    FClock.Clock.Advance(Dbl);
    Shell(WM_LBUTTONUP);
    EXPECT_EQ(Log, (std::vector<std::string>{"click"}));
    Log.clear();
    // The balloon's click; nothing at all while disabled.
    Shell(0x405);
    EXPECT_EQ(Log, (std::vector<std::string>{"balloon"}));
    Tray->Enabled = false;
    Shell(WM_LBUTTONDOWN);
    Shell(WM_LBUTTONUP);
    Shell(WM_LBUTTONDBLCLK);
    Shell(0x405);
    FClock.Clock.Advance(Dbl);
    EXPECT_EQ(Log, (std::vector<std::string>{"balloon"}));
}

TEST_F(SkinTrayIcon, DoubleClickRunsTheMenusDefaultItem)
{
    auto* Menu = new TsfSkinPopupMenu(Form);
    int Runs[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        auto* I = new TMenuItem(Menu);
        I->SetCaption(i ? u"Second" : u"First");
        I->OnClick = [&Runs, i](TObject*) { ++Runs[i]; };
        Menu->Items()->Add(I);
    }
    Menu->Items()->Items(1)->SetDefault(true);
    Tray->SetSkinPopupMenu(Menu);
    EXPECT_EQ(Tray->TrayPopupMenu(), Menu);
    Shell(WM_LBUTTONDBLCLK);
    EXPECT_EQ(Runs[0], 0);
    EXPECT_EQ(Runs[1], 1);
    // Opened by the left button the menu takes no default action.
    Tray->PopupByLeftButton = true;
    Shell(WM_LBUTTONDBLCLK);
    EXPECT_EQ(Runs[1], 1);
    delete Menu;
    EXPECT_EQ(Tray->TrayPopupMenu(), nullptr);
}

TEST_F(SkinTrayIcon, IconsCycleThroughTheListAndWrap)
{
    auto* List = new TImageList(Form);
    List->SetSize(16, 16);
    for (TColor C : {clRed, clLime, clBlue}) {
        TBitmap B(16, 16);
        B.Canvas()->Brush()->SetColor(C);
        B.Canvas()->FillRect({0, 0, 16, 16});
        List->Add(&B);
    }
    Tray->SetIconList(List);
    Tray->SetIconIndex(10);
    EXPECT_EQ(Tray->IconIndex(), 2);  // the last image
    std::vector<Integer> Next;
    Tray->OnCycle = [&](TObject*, Integer I) { Next.push_back(I); };
    Tray->SetAnimateTimerInterval(100);
    Tray->SetCycleIcons(true);
    EXPECT_EQ(Tray->IconIndex(), 0);
    ASSERT_TRUE(Tray->AnimateTimerRunning());
    FClock.Clock.Advance(400);
    EXPECT_EQ(Next, (std::vector<Integer>{1, 2, 0, 1}));
    Tray->SetCycleIcons(false);
    EXPECT_FALSE(Tray->AnimateTimerRunning());
    // Without a list the index stays 0.
    Tray->SetIconList(nullptr);
    Tray->SetIconIndex(3);
    EXPECT_EQ(Tray->IconIndex(), 0);
}

TEST_F(SkinTrayIcon, MinimisingTheApplicationSendsTheMainFormToTheTray)
{
    TForm* Main = Application->CreateForm<TForm>();
    struct TFree {
        TForm* F;
        ~TFree() { delete F; }
    } Free{Main};
    auto* Icon = new TsfTrayIcon(Main);
    Main->SetBounds(100, 100, 200, 100);
    ShowAndWait(Main);
    Icon->SetHint(u"Lumatra");
    Icon->SetMinimizeToTray(true);
    Application->OnMinimize(Application);
    EXPECT_FALSE(Main->Visible());
    EXPECT_TRUE(Icon->IconVisible());
    EXPECT_TRUE(Icon->ShowBalloonHint(u"Title", String(300, u'x'), sfbitInfo));
    Icon->ShowMainForm();
    EXPECT_TRUE(Main->Visible());
    EXPECT_EQ(Main->Tag(), TrayRestoreTag);
    Icon->SetIconVisible(false);
    delete Icon;
}
