// Menus through real native menus on the test display: keyboard choices,
// short cuts, owner drawing, items freed by their own clicks, handle counts.
#include "framework/controls/win/Menus.h"
#include "GuiTest.h"
#include "ModalDriver.h"

using namespace guitest;

namespace {

TMenuItem* NewItem(TComponent* Owner, const String& Caption, Integer* Clicks = nullptr, TShortCut Short = 0)
{
    auto* Item = new TMenuItem(Owner);
    Item->SetCaption(Caption);
    Item->SetShortCut(Short);
    if (Clicks) Item->OnClick = [Clicks](TObject*) { ++*Clicks; };
    return Item;
}

MENUITEMINFOW NativeInfo(HMENU Menu, UINT Position, wchar_t* Text = nullptr, UINT TextSize = 0)
{
    MENUITEMINFOW Info = {};
    Info.cbSize = sizeof(Info);
    Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    Info.dwTypeData = Text;
    Info.cch = TextSize;
    EXPECT_TRUE(GetMenuItemInfoW(Menu, Position, TRUE, &Info));
    return Info;
}

class Menus : public FormTest {};

} // namespace

TEST_F(Menus, PopupChosenByKeyboardClicksOnce)
{
    TForm* Form = NewForm();
    ShowAndWait(Form);
    SetForegroundWindow(Form->Handle());
    TPopupMenu Popup(nullptr);
    Integer Clicks[3] = {};
    std::vector<String> Events;
    for (Integer i = 0; i < 3; ++i) Popup.Items()->Add(NewItem(&Popup, u"Item " + IntToStr(i), &Clicks[i]));
    Popup.Items()->Items(1)->OnClick = [&](TObject*) {
        ++Clicks[1];
        Events.push_back(u"click");
    };
    Popup.OnPopup = [&](TObject*) { Events.push_back(u"popup"); };
    Popup.OnClose = [&](TObject*) { Events.push_back(u"close"); };
    {
        TModalDriver Driver(TKeys{{VK_DOWN}, {VK_DOWN}, {VK_RETURN}});
        Popup.Popup(150, 150);
    }
    Pump();
    EXPECT_EQ(Clicks[0], 0);
    EXPECT_EQ(Clicks[1], 1);
    EXPECT_EQ(Clicks[2], 0);
    EXPECT_EQ(Events, (std::vector<String>{u"popup", u"close", u"click"}));
    EXPECT_EQ(Popup.PopupPoint(), Point(150, 150));

    // The hotkey of a caption chooses its item; Escape chooses nothing.
    Popup.Items()->Items(2)->SetCaption(u"&Save");
    {
        TModalDriver Driver(TKeys{{u'S'}});
        Popup.Popup(150, 150);
    }
    {
        TModalDriver Driver(TKeys{{VK_ESCAPE}});
        Popup.Popup(150, 150);
    }
    Pump();
    EXPECT_EQ(Clicks[1], 1);
    EXPECT_EQ(Clicks[2], 1);
}

TEST_F(Menus, ItemFreedInItsOwnClick)
{
    TForm* Form = NewForm();
    ShowAndWait(Form);
    SetForegroundWindow(Form->Handle());
    auto* Popup = new TPopupMenu(Form);
    TMenuItem* Doomed = NewItem(Form, u"Doomed");
    Popup->Items()->Add(NewItem(Form, u"Stays"));
    Popup->Items()->Add(Doomed);
    bool Ran = false;
    // The handler captures enough that using its own storage after the free would show.
    std::vector<int> Payload(64, 7);
    Doomed->OnClick = [&Ran, Payload](TObject* Sender) {
        delete Sender;
        Ran = Payload[63] == 7;
    };
    {
        TModalDriver Driver(TKeys{{VK_UP}, {VK_RETURN}});
        Popup->Popup(120, 120);
    }
    Pump();
    EXPECT_TRUE(Ran);
    ASSERT_EQ(Popup->Items()->Count(), 1);
    EXPECT_EQ(GetMenuItemCount(Popup->Handle()), 1);

    // A popup menu freed by its own item's click.
    auto* Gone = new TPopupMenu(nullptr);
    Gone->Items()->Add(NewItem(Gone, u"Free the menu"));
    Gone->Items()->Items(0)->OnClick = [Gone](TObject*) { delete Gone; };
    bool Closed = false;
    Gone->OnClose = [&](TObject*) { Closed = true; };
    {
        TModalDriver Driver(TKeys{{VK_DOWN}, {VK_RETURN}});
        Gone->Popup(120, 120);
    }
    EXPECT_TRUE(Closed);
}

TEST_F(Menus, MainMenuCommandsAndShortCuts)
{
    TForm* Form = NewForm();
    auto* Menu = new TMainMenu(Form);
    TMenuItem* File = NewItem(Form, u"&File");
    Menu->Items()->Add(File);
    Integer Opened = 0, Saved = 0, Exited = 0, Hidden = 0, Freed = 0;
    File->Add(NewItem(Form, u"&Open", &Opened, TShortCut(u'O') | scCtrl));
    File->Add(NewItem(Form, u"Save &as", &Saved, TShortCut(u'S') | scCtrl | scShift));
    File->Add(NewItem(Form, u"E&xit", &Exited, TShortCut(u'X') | scAlt));
    TMenuItem* Invisible = NewItem(Form, u"Hidden", &Hidden, TShortCut(u'H') | scCtrl);
    Invisible->SetVisible(false);
    File->Add(Invisible);
    TMenuItem* Doomed = NewItem(Form, u"&Doomed");
    Doomed->OnClick = [&](TObject* Sender) {
        delete Sender;
        ++Freed;
    };
    File->Add(Doomed);
    Form->SetMenu(Menu);
    ShowAndWait(Form);
    SetForegroundWindow(Form->Handle());
    ASSERT_EQ(GetMenu(Form->Handle()), Menu->Handle());

    // Short cuts, the Alt one arriving as WM_SYSKEYDOWN; an invisible item's never.
    Chord({VK_CONTROL, VK_SHIFT, u'S'});
    Chord({VK_MENU, u'X'});
    Chord({VK_CONTROL, u'H'});
    PumpUntil([&] { return Saved && Exited; }, 2000);
    Pump();
    EXPECT_EQ(Saved, 1);
    EXPECT_EQ(Exited, 1);
    EXPECT_EQ(Hidden, 0);
    EXPECT_EQ(Opened, 0);

    // The menu bar by its hotkeys: WM_COMMAND reaches the item.
    {
        TModalDriver Driver(TKeys{{u'O'}});
        Chord({VK_MENU, u'F'});
        PumpUntil([&] { return Driver.Found() && Opened; }, 5000);
    }
    EXPECT_EQ(Opened, 1);
    {
        TModalDriver Driver(TKeys{{u'D'}});
        Chord({VK_MENU, u'F'});
        PumpUntil([&] { return Driver.Found() && Freed; }, 5000);
    }
    Pump();
    EXPECT_EQ(Freed, 1);
    EXPECT_EQ(File->Count(), 4);
    EXPECT_EQ(GetMenuItemCount(File->Handle()), 3);  // the invisible one is not there

    // Freeing the menu takes it off the form first.
    delete Menu;
    EXPECT_EQ(Form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(Form->Handle()), nullptr);
}

TEST_F(Menus, ControlsOpenTheirPopupMenus)
{
    TForm* Form = NewForm();
    auto* Button = new TTestButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(20, 20, 120, 40);
    auto* Popup = new TPopupMenu(Form);
    Integer Chosen = 0, Short = 0;
    Popup->Items()->Add(NewItem(Form, u"Choose", &Chosen));
    Popup->Items()->Add(NewItem(Form, u"By key", &Short, TShortCut(u'K') | scCtrl));
    Button->SetPopupMenu(Popup);
    std::vector<TPoint> Asked;
    bool Refuse = false;
    Button->OnContextPopup = [&](TObject*, TPoint P, bool& Handled) {
        Asked.push_back(P);
        Handled = Refuse;
    };
    ShowAndWait(Form);
    SetForegroundWindow(Form->Handle());
    Form->FocusControl(Button);
    Pump();

    // A right click on the control: the platform's WM_CONTEXTMENU at the point.
    const TPoint At = Button->ClientToScreen(Point(30, 10));
    {
        TModalDriver Driver(TKeys{{VK_DOWN}, {VK_RETURN}});
        PostMessageW(Button->Handle(), WM_CONTEXTMENU, WPARAM(Button->Handle()), Pos(At.X, At.Y));
        PumpUntil([&] { return Chosen == 1; }, 5000);
    }
    EXPECT_EQ(Chosen, 1);
    EXPECT_EQ(Popup->PopupComponent(), Button);
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0], Point(30, 10));
    EXPECT_EQ(Popup->PopupPoint(), At);

    // The menu key: the menu opens at the control's corner.
    {
        TModalDriver Driver(TKeys{{VK_DOWN}, {VK_RETURN}});
        PostMessageW(Button->Handle(), WM_CONTEXTMENU, WPARAM(Button->Handle()), -1);
        PumpUntil([&] { return Chosen == 2; }, 5000);
    }
    EXPECT_EQ(Chosen, 2);
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1], Point(-1, -1));
    EXPECT_EQ(Popup->PopupPoint(), Button->ClientToScreen(Point(0, 0)));

    // The popup menu's short cuts work while the control has the focus.
    Chord({VK_CONTROL, u'K'});
    PumpUntil([&] { return Short == 1; }, 2000);
    EXPECT_EQ(Short, 1);

    // OnContextPopup may keep the menu shut; a freed menu is forgotten.
    Refuse = true;
    PostMessageW(Button->Handle(), WM_CONTEXTMENU, WPARAM(Button->Handle()), -1);
    Pump();
    EXPECT_EQ(Asked.size(), 3u);
    EXPECT_EQ(FindProcessWindow(L"#32768"), nullptr);
    delete Popup;
    EXPECT_EQ(Button->PopupMenu(), nullptr);
}

TEST_F(Menus, ItemsFollowTheirActions)
{
    TForm* Form = NewForm();
    TAction Save(nullptr);
    Save.SetCaption(u"&Save");
    Save.SetShortCut(0x74);  // F5
    bool Allowed = false;
    Integer Executed = 0, Updates = 0;
    Save.OnUpdate = [&](TObject*) {
        ++Updates;
        Save.SetEnabled(Allowed);
    };
    Save.OnExecute = [&](TObject*) { ++Executed; };

    auto* Menu = new TMainMenu(Form);
    TMenuItem* File = NewItem(Form, u"&File");
    Menu->Items()->Add(File);
    File->Add(NewItem(Form, u"&New"));
    TMenuItem* Item = NewItem(Form, u"");
    File->Add(Item);
    Item->SetAction(&Save);
    EXPECT_EQ(Item->Caption(), u"&Save");
    EXPECT_EQ(Item->ShortCut(), 0x74);
    Form->SetMenu(Menu);
    ShowAndWait(Form);
    SetForegroundWindow(Form->Handle());
    const HMENU Level = File->Handle();

    // Changes of the action reach the open native menu in place.
    Save.SetEnabled(false);
    EXPECT_EQ(File->Handle(), Level);
    EXPECT_TRUE(GetMenuState(Level, 1, MF_BYPOSITION) & MF_GRAYED);
    wchar_t Text[32] = {};
    GetMenuStringW(Level, 1, Text, 32, MF_BYPOSITION);
    EXPECT_EQ(FromWStr(Text), u"&Save\tF5");

    // A short cut asks the action first: refused while it says no.
    TWMKey Key;
    Key.Msg = WM_KEYDOWN;
    Key.WParam = 0x74;
    EXPECT_FALSE(Menu->IsShortCut(Key));
    Allowed = true;
    EXPECT_TRUE(Menu->IsShortCut(Key));
    EXPECT_EQ(Executed, 1);

    // Opening the level updates the actions; choosing the item executes it.
    Allowed = false;
    Save.Update();
    Allowed = true;
    const Integer Before = Updates;
    {
        TModalDriver Driver(TKeys{{u'S'}});
        Chord({VK_MENU, u'F'});
        PumpUntil([&] { return Driver.Found() && Executed == 2; }, 5000);
    }
    EXPECT_GT(Updates, Before);
    EXPECT_EQ(Executed, 2);

    // The action goes: the item keeps what it showed.
    {
        TAction Gone(nullptr);
        Gone.SetCaption(u"Temporary");
        Item->SetAction(&Gone);
    }
    EXPECT_EQ(Item->Action(), nullptr);
    EXPECT_EQ(Item->Caption(), u"Temporary");
    Item->Click();  // nothing to execute, nothing happens
}

TEST_F(Menus, NativeMenuFollowsTheItems)
{
    TPopupMenu Popup(nullptr);
    TMenuItem* Root = Popup.Items();
    const struct {
        const char16_t* Caption;
        bool Visible, Enabled, Checked, Radio, Default;
        TShortCut Short;
    } Items[] = {
        {u"-", true, true, false, false, false, 0},          // leading line: left out
        {u"&Plain", true, true, false, false, false, 0},
        {u"Off", true, false, false, false, false, 0},
        {u"-", true, true, false, false, false, 0},
        {u"Invisible", false, true, false, false, false, 0},
        {u"-", true, true, false, false, false, 0},          // doubled line: left out
        {u"Ticked", true, true, true, false, true, u'T' | scCtrl},
        {u"Dot", true, true, true, true, false, 0},
        {u"-", true, true, false, false, false, 0},          // trailing line: left out
    };
    for (const auto& I : Items) {
        TMenuItem* Item = NewItem(&Popup, I.Caption, nullptr, I.Short);
        Item->SetVisible(I.Visible);
        Item->SetEnabled(I.Enabled);
        Item->SetRadioItem(I.Radio);
        Item->SetChecked(I.Checked);
        Item->SetDefault(I.Default);
        Root->Add(Item);
    }
    const struct {
        const char16_t* Text;
        UINT Type, State;
    } Native[] = {
        {u"&Plain", MFT_STRING, 0},
        {u"Off", MFT_STRING, MFS_DISABLED},
        {u"", MFT_SEPARATOR, 0},
        {u"Ticked\tCtrl+T", MFT_STRING, MFS_CHECKED | MFS_DEFAULT},
        {u"Dot", MFT_RADIOCHECK, MFS_CHECKED},
    };
    HMENU Menu = Popup.Handle();
    ASSERT_EQ(GetMenuItemCount(Menu), Integer(std::size(Native)));
    for (UINT i = 0; i < std::size(Native); ++i) {
        wchar_t Text[64] = {};
        MENUITEMINFOW Info = NativeInfo(Menu, i, Text, 64);
        EXPECT_EQ(FromWStr(Text), Native[i].Text) << i;
        EXPECT_EQ(Info.fType, Native[i].Type) << i;
        EXPECT_EQ(Info.fState & (MFS_CHECKED | MFS_DISABLED | MFS_DEFAULT), Native[i].State) << i;
    }
    // Manual line reduction shows every line of the visible items; automatic again leaves them out.
    Popup.SetAutoLineReduction(maManual);
    EXPECT_EQ(GetMenuItemCount(Popup.Handle()), 8);
    EXPECT_FALSE(Root->Items(0)->IsHiddenLine());
    Popup.SetAutoLineReduction(maAutomatic);
    Menu = Popup.Handle();
    EXPECT_EQ(GetMenuItemCount(Menu), Integer(std::size(Native)));

    // Radio items of one group: checking one unchecks the others, in place.
    TMenuItem* Radio2 = NewItem(&Popup, u"Dot 2");
    Radio2->SetRadioItem(true);
    Root->Add(Radio2);
    Radio2->SetChecked(true);
    EXPECT_FALSE(Root->Items(7)->Checked());
    EXPECT_EQ(Popup.Handle(), Menu);
    EXPECT_EQ(GetMenuState(Menu, 4, MF_BYPOSITION) & MF_CHECKED, 0u);

    // AutoCheck toggles before the click; a disabled item does not click.
    Integer Clicks = 0;
    TMenuItem* Toggle = NewItem(&Popup, u"Toggle", &Clicks);
    Toggle->SetAutoCheck(true);
    Root->Add(Toggle);
    Toggle->Click();
    EXPECT_TRUE(Toggle->Checked());
    Toggle->SetEnabled(false);
    Toggle->Click();
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Popup.DispatchCommand(Radio2->Command()));
    EXPECT_FALSE(Popup.DispatchCommand(0));

    // Sub-menus and the item tree.
    TMenuItem* Sub = NewItem(&Popup, u"More");
    Root->Insert(0, Sub);
    Sub->Add(NewItem(&Popup, u"Inner"));
    EXPECT_NE(Sub->Handle(), nullptr);
    EXPECT_EQ(NativeInfo(Menu, 0).hSubMenu, Sub->Handle());
    EXPECT_EQ(Sub->Items(0)->GetParentMenu(), &Popup);
    EXPECT_EQ(Root->Find(u"more"), Sub);
    EXPECT_THROW(Sub->Add(Root->Items(1)), EMenuError);
    EXPECT_THROW(Sub->Items(0)->Add(Sub), EMenuError);
    EXPECT_THROW(Root->Items(99), EMenuError);
    Sub->SetMenuIndex(3);
    EXPECT_EQ(Root->IndexOf(Sub), 3);
}

TEST_F(Menus, OwnerDrawnItemsArePaintedByTheirEvents)
{
    TForm* Form = NewForm();
    ShowAndWait(Form);
    SetForegroundWindow(Form->Handle());
    TPopupMenu Popup(nullptr);
    TMenuItem* Red = NewItem(&Popup, u"Red");
    Red->OnMeasureItem = [](TObject*, TCanvas*, Integer& W, Integer& H) {
        W = 120;
        H = 40;
    };
    Red->OnDrawItem = [](TObject*, TCanvas* C, const TRect& R, bool) {
        C->Brush()->SetColor(0x0000FF);
        C->FillRect(R);
    };
    Popup.Items()->Add(Red);
    // The default drawing puts the menu's image in the image column.
    TCustomImageList Images(nullptr, 16, 16);
    TBitmap Green;
    Green.SetSize(16, 16);
    Green.Canvas()->Brush()->SetColor(0x00FF00);
    Green.Canvas()->FillRect(Rect(0, 0, 16, 16));
    Images.Add(&Green);
    TMenuItem* Pictured = NewItem(&Popup, u"Default drawn");
    Pictured->SetImageIndex(0);
    Popup.Items()->Add(Pictured);
    Popup.SetImages(&Images);
    Popup.SetOwnerDraw(true);
    COLORREF Seen = 0, SeenImage = 0;
    RECT Bounds = {};
    {
        TModalDriver Driver(L"#32768", [&](HWND Wnd) {
            GetWindowRect(Wnd, &Bounds);
            // The second item starts below the first one's 40 pixels.
            const int Y = Bounds.top + 40 + (GetSystemMetrics(SM_CYMENU) + 4) / 2;
            // The menu paints itself in its own loop once it shows: look until its pixels come.
            WaitUntil(
                [&] {
                    Seen = ScreenPixelNow(Bounds.left + 30, Bounds.top + 20);
                    for (int X = Bounds.left; X < Bounds.left + 30 && SeenImage != RGB(0, 255, 0); ++X)
                        SeenImage = ScreenPixelNow(X, Y);
                    return Seen == RGB(255, 0, 0) && SeenImage == RGB(0, 255, 0);
                },
                10000);
            Chord({VK_ESCAPE});
        });
        Popup.Popup(200, 200);
    }
    EXPECT_EQ(Seen, RGB(255, 0, 0));
    EXPECT_EQ(SeenImage, RGB(0, 255, 0));
    EXPECT_GE(Bounds.right - Bounds.left, 120);
    EXPECT_GE(Bounds.bottom - Bounds.top, 40 + GetSystemMetrics(SM_CYMENU) - 2);
}

TEST(MenuHandles, ThousandBuildsLeaveUserHandlesFlat)
{
    auto Build = [] {
        TPopupMenu Popup(nullptr);
        for (Integer i = 0; i < 5; ++i) {
            TMenuItem* Item = NewItem(&Popup, u"Item");
            Popup.Items()->Add(Item);
            if (i == 2)
                for (Integer j = 0; j < 3; ++j) Item->Add(NewItem(&Popup, u"Sub"));
        }
        HMENU Root = Popup.Handle(), Sub = Popup.Items()->Items(2)->Handle();
        Popup.Items()->Items(0)->SetCaption(u"Changed");  // a rebuild in place
        return std::make_pair(Root, Sub);
    };
    Build();  // whatever is made once per program
    const DWORD Before = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (Integer i = 0; i < 1000; ++i) {
        auto [Root, Sub] = Build();
        ASSERT_FALSE(IsMenu(Root)) << i;
        ASSERT_FALSE(IsMenu(Sub)) << i;
    }
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), Before + 2);
}
