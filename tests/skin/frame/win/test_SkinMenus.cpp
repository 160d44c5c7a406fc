#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SkinControlTestEnv.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/model/win/SFUtils_Win.h"

using namespace guitest;
using namespace skintest;

namespace {

// A windowed opener that records the menu messages it receives.
class TOpener : public TCustomControl {
public:
    TOpener(TComponent* AOwner, std::vector<std::string>* ALog) : TCustomControl(AOwner), Log(ALog)
    {
        SetBounds(10, 10, 60, 20);
    }
    std::vector<std::string>* Log;

protected:
    void Dispatch(TMessage& M) override
    {
        if (M.Msg == UINT(WM_SKINMENUCLOSE)) Log->push_back("opener close");
        if (M.Msg == UINT(WM_SKINMENUCOMMAND)) Log->push_back("opener command");
        TCustomControl::Dispatch(M);
    }
    void Paint() override {}
};

class SkinMenus : public SkinFormTest {
protected:
    void SetUp() override
    {
        Form = NewForm(40, 40, 500, 400);
        SF = new TsfSkinForm(Form);
        Menu = new TsfSkinPopupMenu(Form);
        ShowAndWait(Form);
    }
    TMenuItem* Add(TMenuItem* Parent, const String& Caption, const char* Name = nullptr)
    {
        auto* I = new TMenuItem(Menu);
        I->SetCaption(Caption);
        if (Name) I->OnClick = [this, Name](TObject*) { Log.push_back(Name); };
        Parent->Add(I);
        return I;
    }
    TsfSkinMenu* Engine() { return SF->SkinMenu(); }
    TsfSkinPopupWindow* Level(Integer i) { return Engine()->Level(i); }
    // Screen centre of row i of level L.
    TPoint RowCentre(Integer L, Integer i)
    {
        const TRect R = Level(L)->ItemList[size_t(i)]->ObjectRect;
        return {Level(L)->Left() + (R.Left + R.Right) / 2, Level(L)->Top() + (R.Top + R.Bottom) / 2};
    }
    // Moves the real pointer and lets the level's 50 ms poll see it.
    void Hover(const TPoint& P)
    {
        MovePointer(P);
        FClock.Clock.Advance(50);
        Pump();
    }
    void Key(Integer VK)
    {
        PostMessageW(Form->Handle(), WM_KEYDOWN, WPARAM(VK), 0);
        Pump();
    }
    TForm* Form = nullptr;
    TsfSkinForm* SF = nullptr;
    TsfSkinPopupMenu* Menu = nullptr;
    std::vector<std::string> Log;
};

}  // namespace

TEST_F(SkinMenus, DefaultLevelSizeLookAndFirstRow)
{
    for (Integer i = 0; i < 20; ++i) Add(Menu->Items(), u"Item " + IntToStr(i));
    Menu->Items()->Items(0)->SetEnabled(false);
    Menu->Popup(60, 60);
    Pump();
    ASSERT_EQ(Engine()->LevelCount(), 1);
    TsfSkinPopupWindow* L = Level(0);
    EXPECT_EQ(L->Height(), 406);
    EXPECT_FALSE(L->Scroll());
    EXPECT_EQ(L->Left(), 60);
    EXPECT_EQ(L->Top(), 60);
    // The first usable row is highlighted by the opening, without its submenu.
    EXPECT_EQ(L->ActiveItem, 1);
    EXPECT_TRUE(L->ItemList[1]->WaitCommand);
    EXPECT_TRUE(SF->InMenu);
    EXPECT_TRUE(SF->AppHooked());
    UpdateWindow(L->Handle());
    const TRect R = L->ItemList[1]->ObjectRect;
    EXPECT_EQ(ScreenPixel(L->Left() + R.Left + 30, L->Top() + R.Top + 3), 0xD2BDB6u);  // highlight fill
    EXPECT_EQ(ScreenPixel(L->Left() + R.Left, L->Top() + R.Top + 3), 0x800000u);       // its frame
    EXPECT_EQ(ScreenPixel(L->Left(), L->Top() + 50), ColorToRGB(clBtnShadow));         // the level's frame
    SaveScreenshot(TRect{L->Left(), L->Top(), L->Left() + L->Width(), L->Top() + L->Height()}, u"menu_default");

    // A click on the form closes the menu and leaves menu mode.
    SendMessageW(Form->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(300, 300));
    Pump();
    EXPECT_EQ(Engine()->LevelCount(), 0);
    EXPECT_FALSE(SF->InMenu);
    EXPECT_FALSE(SF->AppHooked());
}

TEST_F(SkinMenus, LimitedRowsScroll)
{
    for (Integer i = 0; i < 8; ++i) Add(Menu->Items(), u"Row " + IntToStr(i));
    SF->MaxMenuItemsInWindow = 5;
    Menu->Popup(60, 60);
    Pump();
    TsfSkinPopupWindow* L = Level(0);
    EXPECT_EQ(L->Height(), 126);
    EXPECT_TRUE(L->Scroll());
    // Hovering the bottom marker scrolls a row every 100 ms until the last row shows.
    Hover({L->Left() + 40, L->Top() + L->Height() - 8});
    EXPECT_EQ(L->VisibleStartIndex(), 0);
    FClock.Clock.Advance(100);
    EXPECT_EQ(L->VisibleStartIndex(), 1);
    FClock.Clock.Advance(500);
    EXPECT_EQ(L->VisibleStartIndex(), 3);
    EXPECT_EQ(L->ScrollCode, 0);
}

TEST_F(SkinMenus, ChoiceOrderAndCloseOnce)
{
    auto* Opener = new TOpener(Form, &Log);
    Opener->SetParent(Form);
    Add(Menu->Items(), u"&Open", "click open");
    Add(Menu->Items(), u"-");
    Add(Menu->Items(), u"&Save", "click save");
    SF->OnSkinMenuClose = [this](TObject*) { Log.push_back("form close"); };
    Integer Closes = 0;
    Menu->OnMenuClose = [&](TObject*) { ++Closes; };
    Menu->PopupFromRect2(Opener, ScreenRect(Opener), false);
    Pump();
    ASSERT_EQ(Engine()->LevelCount(), 1);
    // Press and release on the third row (real input).
    Hover(RowCentre(0, 2));
    EXPECT_EQ(Level(0)->ActiveItem, 2);
    LeftButton(true);
    Pump();
    LeftButton(false);
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"opener close", "form close", "click save", "opener command"}));
    EXPECT_EQ(Closes, 1);
    EXPECT_EQ(Engine()->LevelCount(), 0);
    EXPECT_FALSE(SF->AppHooked());
    // A menu's glow layer goes with the menu.
    TBitmap Glow;
    Glow.SetSize(8, 8);
    Menu->Popup(80, 80);
    Pump();
    SF->MenuLayerManager()->Show(80, 60, &Glow, nullptr, 200);
    EXPECT_TRUE(SF->MenuLayerManager()->IsVisible());
    Key(VK_ESCAPE);
    EXPECT_FALSE(SF->MenuLayerManager()->IsVisible());
    Log.clear();
    // The one-shot close handler does not fire for a later menu without one.
    EXPECT_EQ(Closes, 2);
    Menu->OnMenuClose = nullptr;
    Menu->Popup(80, 80);
    Pump();
    Key(VK_ESCAPE);
    EXPECT_EQ(Closes, 2);
    // An accelerator runs its item at once, whichever row is highlighted.
    Log.clear();
    Menu->Popup(80, 80);
    Pump();
    Key('O');
    EXPECT_EQ(Log, (std::vector<std::string>{"form close", "click open"}));
}

TEST_F(SkinMenus, SubmenuDelayKeysAndHook)
{
    Add(Menu->Items(), u"First", "first");
    TMenuItem* More = Add(Menu->Items(), u"More", "more");
    Add(More, u"Inner", "inner");
    Add(More, u"Inner 2", "inner 2");
    Integer OldHandlerCalls = 0, Wheels = 0;
    Application->OnMessage = [&](MSG&, bool&) { ++OldHandlerCalls; };
    TWindowHook Spy;
    std::function<void(TMessage&)> SpyProc = [&](TMessage& M) {
        if (M.Msg == WM_MOUSEWHEEL) ++Wheels;
        Spy.CallPrevious(M);
    };
    Spy.Hook(Form, TWndMethod::OfCallable(SpyProc));
    Menu->Popup(60, 60);
    Pump();
    OldHandlerCalls = 0;
    // Hover: the submenu opens after 500 ms on the skin clock, not before.
    Hover(RowCentre(0, 1));
    FClock.Clock.Advance(499);
    Pump();
    EXPECT_EQ(Engine()->LevelCount(), 1);
    FClock.Clock.Advance(1);
    Pump();
    ASSERT_EQ(Engine()->LevelCount(), 2);
    EXPECT_TRUE(Level(0)->ItemList[1]->Down);
    EXPECT_EQ(Level(1)->Left(), Level(0)->Left() + Level(0)->ItemList[1]->ObjectRect.Right + 1);
    // The wheel is swallowed; Down walks the submenu; Escape closes only it.
    PostMessageW(Form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    Pump();
    EXPECT_EQ(OldHandlerCalls, 0);
    EXPECT_EQ(Wheels, 0);
    EXPECT_EQ(Level(1)->ActiveItem, 0);
    Key(VK_DOWN);
    EXPECT_EQ(Level(1)->ActiveItem, 1);
    Key(VK_DOWN);  // from the last row Down starts again at the top
    EXPECT_EQ(Level(1)->ActiveItem, 0);
    Key(VK_ESCAPE);
    ASSERT_EQ(Engine()->LevelCount(), 1);
    EXPECT_TRUE(SF->AppHooked());
    // A click on an item with children opens its submenu at once and runs its OnClick.
    Log.clear();
    Hover(RowCentre(0, 1));
    LeftButton(true);
    LeftButton(false);
    Pump();
    EXPECT_EQ(Engine()->LevelCount(), 2);
    EXPECT_EQ(Log, (std::vector<std::string>{"more"}));
    Key(VK_LEFT);
    EXPECT_EQ(Engine()->LevelCount(), 1);
    // The last Escape gives the application its handler back.
    Key(VK_ESCAPE);
    EXPECT_EQ(Engine()->LevelCount(), 0);
    EXPECT_FALSE(SF->AppHooked());
    PostMessageW(Form->Handle(), WM_NULL, 0, 0);
    Pump();
    EXPECT_GT(OldHandlerCalls, 0);
    Application->OnMessage = nullptr;
    Spy.Unhook();
}

TEST_F(SkinMenus, PressDragReleaseRunsTheItem)
{
    Add(Menu->Items(), u"Hand", "hand");
    Add(Menu->Items(), u"Pencil", "pencil");
    Menu->SetSupportDirectlyMouseUp(true);
    // The button goes down on the opener; the menu opens while it is held.
    MovePointer({Form->Left() + 30, Form->Top() + 60});
    LeftButton(true);
    Pump();
    Menu->Popup(Form->Left() + 30, Form->Top() + 60);
    Pump();
    ASSERT_EQ(Engine()->LevelCount(), 1);
    Hover(RowCentre(0, 1));
    LeftButton(false);
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"pencil"}));
    EXPECT_EQ(Engine()->LevelCount(), 0);
}

TEST_F(SkinMenus, ScreenshotsInTheFourSkins)
{
    auto* Images = new TImageList(Form);
    Images->SetSize(16, 16);
    TBitmap B;
    B.SetSize(16, 16);
    B.Canvas()->Brush()->SetColor(clRed);
    B.Canvas()->FillRect({0, 0, 16, 16});
    Images->Add(&B);
    Menu->SetImages(Images);
    Add(Menu->Items(), u"New")->SetImageIndex(0);
    Add(Menu->Items(), u"Checked")->SetChecked(true);
    Add(Menu->Items(), u"-");
    TMenuItem* More = Add(Menu->Items(), u"More");
    Add(More, u"Inner");
    Add(Menu->Items(), u"Off")->SetEnabled(false);
    Add(Menu->Items(), u"-Header-")->SetEnabled(false);
    Add(Menu->Items(), u"Radio")->SetRadioItem(true);
    Menu->Items()->Items(6)->SetChecked(true);
    // The skin's own row height, then every row resized to the default height (the program's way).
    for (bool SkinSize : {true, false})
        for (const char16_t* Name : SkinNames) {
            SF->UseSkinSizeInMenu = SkinSize;
            Menu->SetSkinData(Skin(Name));
            Menu->Popup(60, 60);
            Pump();
            ASSERT_EQ(Engine()->LevelCount(), 1) << UTF8Encode(Name);
            TsfSkinPopupWindow* L = Level(0);
            EXPECT_TRUE(L->Skinned()) << UTF8Encode(Name);
            const Integer RowHeight = SkinSize ? L->DSMI->SkinRect.Height() : 20;
            EXPECT_EQ(L->ItemList[0]->ObjectRect.Height(), RowHeight) << UTF8Encode(Name);
            EXPECT_EQ(L->ItemList[2]->ObjectRect.Height(), L->DSMI->DividerRect.Height()) << UTF8Encode(Name);
            UpdateWindow(L->Handle());
            SaveScreenshot(TRect{L->Left(), L->Top(), L->Left() + L->Width(), L->Top() + L->Height()},
                           String(SkinSize ? u"menu_" : u"menu_resized_") + Name);
            Key(VK_ESCAPE);
            EXPECT_EQ(Engine()->LevelCount(), 0);
        }
}

// ---------------------------------------------------------------------------

namespace {

class TColourWindow : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::pair<WPARAM, LPARAM>> Hovers;

protected:
    void Dispatch(TMessage& M) override
    {
        if (M.Msg == UINT(WM_IMAGESMENUHOVER)) Hovers.push_back({M.WParam, M.LParam});
        TCustomControl::Dispatch(M);
    }
    void Paint() override {}
};

class ImagesMenu : public SkinFormTest {
protected:
    void SetUp() override
    {
        Form = NewForm(40, 40, 300, 300);
        Images = new TImageList(Form);
        Images->SetSize(16, 16);
        const TColor Colours[] = {clRed, clGreen, clBlue, clYellow, clFuchsia, clAqua};
        for (TColor C : Colours) {
            TBitmap B;
            B.SetSize(16, 16);
            B.Canvas()->Brush()->SetColor(C);
            B.Canvas()->FillRect({0, 0, 16, 16});
            Images->Add(&B);
        }
        M = new TsfSkinImagesMenu(Form);
        M->SetImages(Images);
        M->SetColumnsCount(4);
        for (Integer i = 0; i < 6; ++i) {
            TsfImagesMenuItem* I = M->ImagesItems()->Add();
            I->SetImageIndex(i);
            I->Color = TColor(0x100 + i);
            I->OnClick = [this, i](TObject*) { Log.push_back("cell " + std::to_string(i)); };
        }
        M->OnItemClick = [this](TObject*) { Log.push_back("item click"); };
        M->OnChange = [this](TObject*) { Log.push_back("change"); };
        M->OnMenuClose = [this](TObject*) { Log.push_back("close"); };
        ShowAndWait(Form);
    }
    // Opens the grid with the pointer away from where it shows.
    void Open()
    {
        MovePointer({Form->Left() + 250, Form->Top() + 250});
        M->Popup(Form->Left() + 20, Form->Top() + 40);
        Pump();
    }
    TPoint CellCentre(Integer i)
    {
        TsfSkinImagesMenuPopupWindow* W = M->PopupWindow();
        const TRect R = M->ImagesItems()->GetItem(i)->ItemRect;
        return {W->Left() + (R.Left + R.Right) / 2, W->Top() + (R.Top + R.Bottom) / 2};
    }
    TForm* Form = nullptr;
    TImageList* Images = nullptr;
    TsfSkinImagesMenu* M = nullptr;
    std::vector<std::string> Log;
};

}  // namespace

TEST_F(ImagesMenu, GridSizeEventsAndHover)
{
    auto* Main = new TColourWindow(Form);
    Main->SetParent(Form);
    M->MainWindowHandle = Main->Handle();
    std::vector<Integer> Hovered;
    M->OnItemIndexChanged = [&](TObject*, Integer Index) { Hovered.push_back(Index); };
    Open();
    TsfSkinImagesMenuPopupWindow* W = M->PopupWindow();
    ASSERT_NE(W, nullptr);
    EXPECT_EQ(W->Width(), 114);
    EXPECT_EQ(M->ImagesItems()->GetItem(0)->ItemRect, (TRect{5, 5, 31, 31}));
    EXPECT_TRUE(W->Hooked());
    // Hovering a cell tells the main window at once (colour, index).
    MovePointer(CellCentre(2));
    EXPECT_EQ(Main->Hovers, (std::vector<std::pair<WPARAM, LPARAM>>{{0x102, 2}}));
    EXPECT_EQ(Hovered, (std::vector<Integer>{2}));
    EXPECT_EQ(W->MouseInItem, 2);
    UpdateWindow(W->Handle());
    const TRect R = M->ImagesItems()->GetItem(2)->ItemRect;
    EXPECT_EQ(ScreenPixel(W->Left() + R.Left + 2, W->Top() + R.Top + 2), 0xD2BDB6u);  // hot look
    EXPECT_EQ(ScreenPixel(W->Left() + R.Left + 8, W->Top() + R.Top + 8), ColorToRGB(clBlue));
    SaveScreenshot(TRect{W->Left(), W->Top(), W->Left() + W->Width(), W->Top() + W->Height()}, u"images_default");
    LeftButton(true);
    Pump();
    LeftButton(false);
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"cell 2", "item click", "change", "close"}));
    EXPECT_EQ(M->ItemIndex(), 2);
    EXPECT_EQ(M->PopupWindow(), nullptr);
    // The same cell again: no change; Escape closes without choosing.
    Log.clear();
    Open();
    MovePointer(CellCentre(2));
    LeftButton(true);
    Pump();
    LeftButton(false);
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"cell 2", "item click", "close"}));
    Log.clear();
    Open();
    PostMessageW(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"close"}));
    // Keys walk the grid; Enter chooses.
    Log.clear();
    Open();
    for (Integer K : {VK_RIGHT, VK_DOWN}) PostMessageW(Form->Handle(), WM_KEYDOWN, WPARAM(K), 0);
    PostMessageW(Form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(M->ItemIndex(), 4);
    EXPECT_EQ(Log, (std::vector<std::string>{"cell 4", "item click", "change", "close"}));
}

TEST_F(ImagesMenu, ClosesOnDeactivationOutsideClicksAndEmptyLists)
{
    Open();
    ASSERT_NE(M->PopupWindow(), nullptr);
    // Another program becoming active sends, not posts: the grid still closes.
    SendMessageW(M->PopupWindow()->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    Pump();
    EXPECT_EQ(M->PopupWindow(), nullptr);
    EXPECT_EQ(Log, (std::vector<std::string>{"close"}));
    // A press outside the grid closes it without choosing.
    Log.clear();
    Open();
    MovePointer({Form->Left() + 250, Form->Top() + 250});
    LeftButton(true);
    LeftButton(false);
    Pump();
    EXPECT_EQ(M->PopupWindow(), nullptr);
    EXPECT_EQ(Log, (std::vector<std::string>{"close"}));
    // No images: OnMenuPopup only. ColumnsCount outside 1..50 is ignored.
    Integer Popups = 0;
    M->OnMenuPopup = [&](TObject*) { ++Popups; };
    M->SetImages(nullptr);
    M->Popup(10, 10);
    EXPECT_EQ(Popups, 1);
    EXPECT_EQ(M->PopupWindow(), nullptr);
    M->SetColumnsCount(0);
    M->SetColumnsCount(51);
    EXPECT_EQ(M->ColumnsCount(), 4);
}

TEST_F(ImagesMenu, ScreenshotsInTheFourSkins)
{
    TsfImagesMenuItem* B = M->ImagesItems()->Insert(0) ? M->ImagesItems()->GetItem(0) : nullptr;
    B->Button = true;
    B->SetCaption(u"Default");
    for (const char16_t* Name : SkinNames) {
        M->SetSkinData(Skin(Name));
        M->Popup(Form->Left() + 20, Form->Top() + 40);
        Pump();
        TsfSkinImagesMenuPopupWindow* W = M->PopupWindow();
        ASSERT_NE(W, nullptr);
        EXPECT_TRUE(W->FSkinSupport) << UTF8Encode(Name);
        MovePointer(CellCentre(1));
        UpdateWindow(W->Handle());
        SaveScreenshot(TRect{W->Left(), W->Top(), W->Left() + W->Width(), W->Top() + W->Height()},
                       String(u"images_") + Name);
        M->Hide();
        EXPECT_EQ(M->PopupWindow(), nullptr);
    }
}

TEST_F(SkinMenus, ServicesForTheControls)
{
    // A skinned form puts them in place when nobody has.
    TsfSkinMenuServices* Before = InstallSkinMenuServices(nullptr);
    TForm Other(nullptr);
    new TsfSkinForm(&Other);
    TsfSkinMenuServices* S = SkinMenuServices();
    ASSERT_NE(S, nullptr);
    EXPECT_EQ(S->GetSkinForm(Form), static_cast<TsfSkinFormLink*>(SF));
    EXPECT_EQ(S->AsSkinImagesMenu(Form), nullptr);
    auto* Images = new TsfSkinImagesMenu(Form);
    EXPECT_EQ(S->AsSkinImagesMenu(Images), static_cast<TsfSkinImagesMenuLink*>(Images));
    EXPECT_EQ(Images->SelectedImageIndex(), -1);
    TPopupMenu Plain(nullptr);
    EXPECT_EQ(S->AsSkinPopupMenu(&Plain), nullptr);
    TsfSkinPopupMenuLink* Link = S->AsSkinPopupMenu(Menu);
    ASSERT_NE(Link, nullptr);
    // A control's menu through the link: the opener hears the close.
    auto* Opener = new TOpener(Form, &Log);
    Opener->SetParent(Form);
    Add(Menu->Items(), u"One", "one");
    Link->PopupFromRect2(Opener, ScreenRect(Opener), false);
    Pump();
    EXPECT_EQ(Engine()->LevelCount(), 1);
    EXPECT_EQ(Engine()->PopupCtrl(), Opener);
    Key(VK_ESCAPE);
    EXPECT_EQ(Log, (std::vector<std::string>{"opener close"}));
    // An edit's context menu made through the services belongs to its owner.
    TsfSkinPopupMenuLink* Made = S->CreateSkinPopupMenu(Form);
    EXPECT_EQ(Made->Menu()->Owner(), Form);
    InstallSkinMenuServices(Before);
}

TEST_F(SkinMenus, TallMenuIsCutAndPlacedBeside)
{
    for (Integer i = 0; i < 60; ++i) Add(Menu->Items(), u"Row " + IntToStr(i));
    TRect A;
    GetMonitorRect(Form->Handle(), true, A);
    Menu->Popup(200, 300);
    Pump();
    TsfSkinPopupWindow* L = Level(0);
    EXPECT_EQ(L->Height(), A.Height());
    EXPECT_TRUE(L->Scroll());
    EXPECT_FALSE(L->Scroll2());
    EXPECT_EQ(L->Top(), A.Top);
    EXPECT_EQ(L->Left(), 201);
    // Both markers are drawn: the down arrow dark while the up one is pale.
    EXPECT_LT(L->VisibleCount(), 60);
    UpdateWindow(L->Handle());
    SaveScreenshot(TRect{L->Left(), L->Top(), L->Left() + L->Width(), L->Top() + 60}, u"menu_tall_top");
    // Down past the last shown row scrolls the level along.
    const Integer Shown = L->VisibleCount();
    for (Integer i = 0; i < Shown; ++i) Key(VK_DOWN);
    EXPECT_EQ(L->ActiveItem, Shown);
    EXPECT_EQ(L->VisibleStartIndex(), 1);
    EXPECT_TRUE(L->ItemList[size_t(Shown)]->FVisible);
    // Up from the first row wraps to the last page.
    for (Integer i = 0; i < Shown; ++i) Key(VK_UP);
    EXPECT_EQ(L->ActiveItem, 0);
    Key(VK_UP);
    EXPECT_EQ(L->ActiveItem, 59);
    EXPECT_TRUE(L->ItemList[59]->FVisible);
}

TEST_F(SkinMenus, FadeInOnTheSkinClock)
{
    Add(Menu->Items(), u"One");
    SF->MenusAlphaBlend = true;
    SF->MenusAlphaBlendAnimation = true;
    SF->MenusAlphaBlendValue = 200;
    Menu->Popup(60, 60);
    Pump();
    TsfSkinPopupWindow* L = Level(0);
    auto Alpha = [&] {
        BYTE A = 0;
        DWORD Flags = 0;
        GetLayeredWindowAttributes(L->Handle(), nullptr, &A, &Flags);
        return Integer(A);
    };
    EXPECT_NE(GetWindowLongW(L->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(Alpha(), 0);
    FClock.Clock.Advance(5);
    EXPECT_EQ(Alpha(), 13);  // a fifteenth of 200 per 5 ms
    FClock.Clock.Advance(5 * 14);
    EXPECT_EQ(Alpha(), 195);
    FClock.Clock.Advance(5);
    EXPECT_EQ(Alpha(), 200);
    EXPECT_FALSE(L->Fade().Running());
    // Without the animation the level shows at its opacity at once.
    Key(VK_ESCAPE);
    SF->MenusAlphaBlendAnimation = false;
    Menu->Popup(60, 60);
    Pump();
    L = Level(0);
    EXPECT_EQ(Alpha(), 200);
}

TEST_F(SkinMenus, EscapeKeepsTheParentRowAndAClickMayFreeTheMenu)
{
    TMenuItem* More = Add(Menu->Items(), u"More");
    Add(More, u"Inner");
    Menu->Popup(60, 60);
    Pump();
    Key(VK_RIGHT);
    ASSERT_EQ(Engine()->LevelCount(), 2);
    Key(VK_ESCAPE);
    ASSERT_EQ(Engine()->LevelCount(), 1);
    EXPECT_EQ(Level(0)->ActiveItem, 0);
    EXPECT_TRUE(Level(0)->ItemList[0]->Active);
    EXPECT_FALSE(Level(0)->ItemList[0]->Down);
    Key(VK_ESCAPE);
    EXPECT_EQ(Engine()->LevelCount(), 0);

    // A command that frees its own popup menu while the menu's level handles the release.
    auto* Own = new TsfSkinPopupMenu(Form);
    auto* Opener = new TOpener(Form, &Log);
    Opener->SetParent(Form);
    auto* Bye = new TMenuItem(Own);
    Bye->SetCaption(u"Bye");
    Bye->OnClick = [&](TObject*) {
        Log.push_back("bye");
        delete Own;
    };
    Own->Items()->Add(Bye);
    Own->PopupFromRect2(Opener, ScreenRect(Opener), false);
    Pump();
    Hover(RowCentre(0, 0));
    LeftButton(true);
    LeftButton(false);
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"opener close", "bye", "opener command"}));
    EXPECT_EQ(Engine()->LevelCount(), 0);

    // A command that frees the whole form (its component, engine and menus), chosen
    // by a release on the level and by a key.
    for (bool ByKey : {false, true}) {
        TForm* Doomed = NewForm(60, 60, 300, 200);
        new TsfSkinForm(Doomed);
        auto* Popup = new TsfSkinPopupMenu(Doomed);
        auto* Quit = new TMenuItem(Popup);
        Quit->SetCaption(u"&Quit");
        Quit->OnClick = [&, Doomed](TObject*) {
            Log.push_back("quit");
            Forget(Doomed);
            delete Doomed;
        };
        Popup->Items()->Add(Quit);
        ShowAndWait(Doomed);
        Log.clear();
        Popup->Popup(Doomed->Left() + 20, Doomed->Top() + 40);
        Pump();
        TsfSkinPopupWindow* L = GetSkinForm(Doomed)->SkinMenu()->Level(0);
        if (ByKey) {
            L->PopupKeyDown('Q');
        } else {
            Hover({L->Left() + 20, L->Top() + 10});
            LeftButton(true);
            LeftButton(false);
        }
        Pump();
        EXPECT_EQ(Log, (std::vector<std::string>{"quit"})) << ByKey;
    }
}

TEST_F(SkinMenus, FormComponentPopupsAndMenuMode)
{
    Add(Menu->Items(), u"One");
    TPopupMenu Other(nullptr);
    auto* Two = new TMenuItem(&Other);
    Two->SetCaption(u"Two");
    Other.Items()->Add(Two);
    Integer Opens = 0;
    TObject* PopupSender = nullptr;
    SF->OnSkinMenuOpen = [&](TObject*) { ++Opens; };
    SF->OnSkinMenuClose = [&](TObject*) { Log.push_back("form close"); };
    Other.OnPopup = [&](TObject* Sender) { PopupSender = Sender; };
    SF->PopupSkinMenu(Menu, {60, 60});
    Pump();
    ASSERT_EQ(Engine()->LevelCount(), 1);
    EXPECT_EQ(Level(0)->ItemList[0]->MenuItem->Caption(), u"One");
    EXPECT_EQ(Opens, 1);
    // Another menu while one is open: the first is closed and menu mode starts again.
    SF->DoPopupMenu(&Other, 70, 70);
    Pump();
    EXPECT_EQ(PopupSender, SF);
    ASSERT_EQ(Engine()->LevelCount(), 1);
    EXPECT_EQ(Level(0)->ItemList[0]->MenuItem->Caption(), u"Two");
    EXPECT_EQ(Log, (std::vector<std::string>{"form close"}));
    EXPECT_EQ(Opens, 2);
    EXPECT_TRUE(SF->AppHooked());
    // Moving the form closes the menu.
    Form->SetBounds(Form->Left() + 5, Form->Top(), Form->Width(), Form->Height());
    Pump();
    EXPECT_EQ(Engine()->LevelCount(), 0);
    EXPECT_FALSE(SF->InMenu);
    EXPECT_FALSE(SF->AppHooked());
    // Upwards beside a rectangle: the level ends at the rectangle's top.
    SF->PopupSkinMenu1(Menu, {100, 400, 180, 420}, true);
    Pump();
    EXPECT_EQ(Level(0)->Top() + Level(0)->Height(), 400);
    Key(VK_ESCAPE);
}

TEST_F(SkinMenus, RowTransitionsOnTheSkinClock)
{
    Add(Menu->Items(), u"One");
    Add(Menu->Items(), u"Two");
    TsfSkinData* SD = Skin(u"Rire");
    SD->EnableSkinEffects = true;
    TsfDataSkinMenuItem* Row = FindMenuItemData(SD, true);
    ASSERT_NE(Row, nullptr);
    Row->Morphing = true;
    Menu->SetSkinData(SD);
    MovePointer({Form->Left() + 450, Form->Top() + 350});
    Menu->Popup(60, 60);
    Pump();
    TsfSkinPopupWindow* L = Level(0);
    TsfSkinMenuItem* One = L->ItemList[0].get();
    TsfSkinMenuItem* Two = L->ItemList[1].get();
    // The first row morphs in from its opening: a fifth per 20 ms tick, then the timer stops.
    for (Integer i = 1; i <= 5; ++i) {
        FClock.Clock.Advance(20);
        EXPECT_NEAR(One->MorphKf(), 0.2 * i, 1e-9) << i;
    }
    FClock.Clock.Advance(20);
    EXPECT_FALSE(FClock.Clock.TimerRunning(L, 2));
    // Moving to the second row: it morphs in while the first morphs out.
    // (120 ms have passed: the level's poll sees the pointer at 150.)
    MovePointer(RowCentre(0, 1));
    FClock.Clock.Advance(30);
    FClock.Clock.Advance(40);
    EXPECT_NEAR(Two->MorphKf(), 0.4, 1e-9);
    EXPECT_NEAR(One->MorphKf(), 0.6, 1e-9);
    FClock.Clock.Advance(100);
    EXPECT_EQ(Two->MorphKf(), 1.0);
    EXPECT_EQ(One->MorphKf(), 0.0);
    Key(VK_ESCAPE);

    // Skin effects off: no transition, the row shows its state at once.
    SD->EnableSkinEffects = false;
    Menu->Popup(60, 60);
    Pump();
    EXPECT_FALSE(FClock.Clock.TimerRunning(Level(0), 2));
    EXPECT_EQ(Level(0)->ItemList[0]->MorphKf(), 0.0);
    Key(VK_ESCAPE);

    // An animated row steps through its frames while highlighted and back when left.
    SD->EnableSkinEffects = true;
    Row->Morphing = false;
    Row->AnimateSkinRect = {Row->SkinRect.Left, Row->SkinRect.Top, Row->SkinRect.Left + Row->SkinRect.Width() * 3,
                            Row->SkinRect.Bottom};
    Row->FrameCount = 3;
    Row->AnimateInterval = 30;
    MovePointer({Form->Left() + 450, Form->Top() + 350});
    Menu->Popup(60, 60);
    Pump();
    L = Level(0);
    EXPECT_EQ(FClock.Clock.TimerInterval(L, 2), 30u);
    FClock.Clock.Advance(60);
    EXPECT_EQ(L->ItemList[0]->CurrentFrame, 2);
    FClock.Clock.Advance(90);
    EXPECT_EQ(L->ItemList[0]->CurrentFrame, 4);  // one past the last frame: the highlighted picture
    // Left, a row without InActiveAnimation shows its first frame at once.
    Hover(RowCentre(0, 1));
    EXPECT_EQ(L->ItemList[0]->CurrentFrame, 0);
    Key(VK_ESCAPE);
}

TEST_F(SkinMenus, TransparencyWithoutLayeredWindows)
{
    Add(Menu->Items(), u"One");
    Add(Menu->Items(), u"Two");
    SF->MenusAlphaBlend = true;
    SF->MenusAlphaBlendValue = 128;
    SkinMenuLayeredWindows = false;
    auto Restore = ScopeExit([] { SkinMenuLayeredWindows = true; });
    // A dark form under the menu, so that the blend shows.
    Form->SetColor(clMaroon);
    Form->Invalidate();
    UpdateWindow(Form->Handle());
    Pump();
    // What the screen shows where the second row's window-coloured part will be.
    const TPoint At{Form->Left() + 30, Form->Top() + 60};
    Menu->Popup(At.X, At.Y);
    TsfSkinPopupWindow* L = Level(0);
    const TRect R = L->ItemList[1]->ObjectRect;
    const TPoint P{L->Left() + R.Right - 6, L->Top() + R.Top + 2};
    const COLORREF Before = ScreenPixel(P.X, P.Y);
    EXPECT_NE(Before, ColorToRGB(clWindow));
    // Not layered; shown 100 ms later over a copy of the screen, the first row highlighted.
    EXPECT_FALSE(IsWindowVisible(L->Handle()));
    FClock.Clock.Advance(100);
    Pump();
    EXPECT_TRUE(IsWindowVisible(L->Handle()));
    EXPECT_EQ(GetWindowLongW(L->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(L->ActiveItem, 0);
    ASSERT_NE(L->ESc, nullptr);
    EXPECT_EQ(L->ESc->Width(), L->Width() + 1);
    UpdateWindow(L->Handle());
    const COLORREF After = ScreenPixel(P.X, P.Y);
    const COLORREF Window = ColorToRGB(clWindow);
    for (Integer Shift : {0, 8, 16}) {
        const Integer W = (Window >> Shift) & 0xFF, B = (Before >> Shift) & 0xFF, A = (After >> Shift) & 0xFF;
        EXPECT_NEAR(A, (W * 128 + B * 127) / 255, 3) << Shift;
    }
    Key(VK_ESCAPE);
}
