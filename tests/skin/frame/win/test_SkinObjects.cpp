#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "SkinControlTestEnv.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/HandleCount.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/model/SFMessages.h"
#include "skin/model/win/SFSkinData_Win.h"

using namespace guitest;
using namespace skintest;

namespace {

std::unique_ptr<TDib> FrameInto(TCustomForm* Form)
{
    auto Dib = std::make_unique<TDib>(Form->Width(), Form->Height());
    SendMessageW(Form->Handle(), WM_PAINTFRAMEINTO, reinterpret_cast<WPARAM>(Dib->DC()), 0);
    return Dib;
}

bool SameArea(const TDib& A, const TDib& B, const TRect& R)
{
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
    return true;
}

class SkinObjects : public SkinFormTest {
protected:
    TsfSkinForm* NewSkinnedForm(const char16_t* SkinName, int W = 300, int H = 200, TsfSkinData* Model = nullptr)
    {
        TForm* F = NewForm(100, 100, 100, 100);
        F->SetCaption(u"Skinned");
        auto* C = new TsfSkinForm(F);
        C->SetSkinData(Model ? Model : Skin(SkinName));
        F->SetBounds(100, 100, W, H);
        ShowAndWait(F);
        SetActiveWindow(F->Handle());
        return C;
    }
    template <class T = TsfActiveSkinObject>
    static T* Object(TsfSkinForm* C, const char16_t* Name)
    {
        for (const auto& O : C->ObjectList)
            if (O->IDName == Name) return dynamic_cast<T*>(O.get());
        return nullptr;
    }
    static TPoint ScreenCentre(TsfSkinForm* C, const TsfActiveSkinObject* O)
    {
        RECT W;
        GetWindowRect(C->Form()->Handle(), &W);
        return {W.left + (O->ObjectRect.Left + O->ObjectRect.Right) / 2, W.top + (O->ObjectRect.Top + O->ObjectRect.Bottom) / 2};
    }
};

// A user object of the application, found by hit tests.
std::unique_ptr<TsfUserObject> UserObject(TsfSkinForm* C, const char16_t* Name, TRect R)
{
    auto O = std::make_unique<TsfUserObject>(C, nullptr);
    O->IDName = Name;
    O->SkinRect = O->ObjectRect = R;
    return O;
}

} // namespace

TEST_F(SkinObjects, FactoryFollowsTheSkinsOrderAndEarlierObjectsWinOverlaps)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    std::vector<String> Names;
    for (const auto& O : C->ObjectList) Names.push_back(O->IDName);
    // Menu items and the menu bar's buttons are the menus' own.
    EXPECT_EQ(Names, (std::vector<String>{u"closebutton", u"maxbutton", u"minbutton", u"sysmenubutton",
                                          u"dialogclosebutton", u"caption"}));
    EXPECT_NE(Object<TsfSkinStdButtonObject>(C, u"closebutton"), nullptr);
    EXPECT_NE(Object<TsfSkinCaptionObject>(C, u"caption"), nullptr);

    // Two overlapping objects in the client strip; the first has a mask whose pixel (2, 2) is white.
    C->ObjectList.clear();
    C->ObjectList.push_back(UserObject(C, u"first", {40, 40, 60, 60}));
    C->ObjectList.push_back(UserObject(C, u"second", {40, 40, 70, 70}));
    TsfBitmap Mask;
    Mask.SetSize(20, 20);
    Mask.Clear(0xFF000000);
    Mask.SetPixel(2, 2, 0xFFFFFFFF);
    C->ObjectList[0]->ActiveMaskPicture = &Mask;
    struct { int X, Y; Integer Want; } Cases[] = {
        {45, 45, 0}, {42, 42, 1}, {65, 65, 1}, {60, 50, 1}, {39, 50, -1}, {70, 50, -1},
    };
    for (const auto& K : Cases) {
        C->FindActiveObject(K.X, K.Y, true);
        EXPECT_EQ(C->ActiveObject, K.Want) << K.X << ',' << K.Y;
    }
    // While one object holds the mouse another does not become hot.
    C->MouseCaptureObject = 1;
    C->FindActiveObject(45, 45, true);
    EXPECT_EQ(C->ActiveObject, -1);
    C->MouseCaptureObject = -1;
    C->FindActiveObject(-1, -1, false);
    C->ObjectList.clear();
}

TEST_F(SkinObjects, CloseClosesOnlyOnAReleaseOverIt)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    TCustomForm* F = C->Form();
    auto* Close = Object<TsfSkinStdButtonObject>(C, u"closebutton");
    ASSERT_NE(Close, nullptr);
    const TPoint P = ScreenCentre(C, Close);
    MovePointer({P.X - 120, P.Y + 80});  // off the frame, wherever an earlier test left it
    C->FindActiveObject(-1, -1, false);
    std::vector<String> Events;
    C->OnMouseEnterEvent = [&](const String& N) { Events.push_back(u"enter " + N); };
    C->OnMouseLeaveEvent = [&](const String& N) { Events.push_back(u"leave " + N); };
    // Press, leave, release: the form stays.
    MovePointer(P);
    LeftButton(true);
    Pump();
    EXPECT_TRUE(Close->Down());
    MovePointer({P.X - 120, P.Y + 80});
    FClock.Clock.Advance(50);  // the cursor poll notices the leave
    LeftButton(false);
    Pump();
    EXPECT_FALSE(Close->Down());
    EXPECT_TRUE(IsWindowVisible(F->Handle()));
    EXPECT_EQ(Events, (std::vector<String>{u"enter closebutton", u"leave closebutton"}));
    // Press and release over it: closed.
    MovePointer(P);
    LeftButton(true);
    Pump();
    LeftButton(false);
    Pump();
    EXPECT_FALSE(IsWindowVisible(F->Handle()));
}

TEST_F(SkinObjects, MaximisedFormShowsTheRestoreLookAndHint)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    auto* Max = Object<TsfSkinStdButtonObject>(C, u"maxbutton");
    ASSERT_NE(Max, nullptr);
    ASSERT_FALSE(IsNullRect(Max->RestoreRect));
    auto LookIs = [&](const TRect& Look) {
        auto Dib = FrameInto(C->Form());
        const TRect& R = Max->ObjectRect;
        for (int y = 0; y < R.Height(); ++y)
            for (int x = 0; x < R.Width(); ++x)
                if (Dib->Pixel(R.Left + x, R.Top + y) != (Max->ActivePicture->GetPixel(Look.Left + x, Look.Top + y) & 0xFFFFFF))
                    return false;
        return true;
    };
    EXPECT_TRUE(LookIs(Max->SkinRect));
    C->FindActiveObject(Max->ObjectRect.Left + 3, Max->ObjectRect.Top + 3, true);
    EXPECT_EQ(Max->Hint, u"Maximize");
    C->FindActiveObject(-1, -1, false);
    C->SetWindowState(wsMaximized);
    Pump();
    EXPECT_TRUE(Max->MeansRestore());
    EXPECT_TRUE(LookIs(Max->RestoreRect));
    C->FindActiveObject(Max->ObjectRect.Left + 3, Max->ObjectRect.Top + 3, true);
    EXPECT_EQ(Max->Hint, u"Restore");
    if (!IsNullRect(Max->RestoreActiveRect)) EXPECT_TRUE(LookIs(Max->RestoreActiveRect));
    // A click restores the form.
    MovePointer(ScreenCentre(C, Max));
    LeftButton(true);
    Pump();
    LeftButton(false);
    Pump();
    EXPECT_EQ(C->WindowState(), wsNormal);
}

TEST_F(SkinObjects, SkinMessagesRebuildTheObjectsAndKeepTheClientWidth)
{
    InstallSkinDataWin();  // the model's messages go to the forms
    auto Model = LoadSkin(u"Rire");
    TsfSkinForm* C = NewSkinnedForm(nullptr, 300, 200, Model.get());
    TCustomForm* F = C->Form();
    ASSERT_FALSE(C->ObjectList.empty());
    SendMessageW(F->Handle(), WM_BEFORECHANGESKINDATA, reinterpret_cast<WPARAM>(Model.get()), 1000);
    EXPECT_TRUE(C->ObjectList.empty());
    SendMessageW(F->Handle(), WM_AFTERCHANGESKINDATA, reinterpret_cast<WPARAM>(Model.get()), 1000);
    EXPECT_EQ(C->ObjectList.size(), 6u);
    // A too small form grows to the skin's minimum.
    F->SetBounds(100, 100, 60, 30);
    C->ChangeSkinData();
    EXPECT_GE(F->Width(), C->GetMinWidth());
    EXPECT_GE(F->Height(), C->GetMinHeight());
    EXPECT_GT(F->Width(), 60);
    // The client width set on the component survives every skin and no skin.
    C->ClientWidth = 300;
    for (const char16_t* Name : SkinNames) {
        ASSERT_TRUE(Model->LoadFromCompressedFile(String(u"" LM_SKIN_FOLDER) + Name + u".skn"));
        EXPECT_EQ(F->ClientWidth(), 300) << std::string(UTF8Encode(Name));
    }
    Model->ClearSkin();
    EXPECT_EQ(F->ClientWidth(), 300);
    SfSkinMessageSender = nullptr;
}

TEST_F(SkinObjects, DialogWithOnlyTheSystemMenuShowsTheDialogCloseButton)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    struct { TsfBorderIcons Icons; bool Dialog; } Cases[] = {
        {sfbiSystemMenu, true}, {sfbiSystemMenu | sfbiMinimize, false}, {0, true},
    };
    for (const auto& K : Cases) {
        C->SetBorderIcons(K.Icons);
        C->UpdateCaptionButtons();
        auto* Normal = Object(C, u"closebutton");
        auto* Dialog = Object(C, u"dialogclosebutton");
        EXPECT_EQ(Dialog->Visible && Dialog->Enabled, K.Dialog) << int(K.Icons);
        EXPECT_EQ(Normal->Visible && Normal->Enabled, !K.Dialog) << int(K.Icons);
        EXPECT_EQ(Object(C, u"minbutton")->Enabled, (K.Icons & sfbiMinimize) != 0);
    }
}

TEST_F(SkinObjects, CaptionTextIsCutAtItsRectangleAndFollowsTheWidth)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 300, 200);
    TCustomForm* F = C->Form();
    auto* Cap = Object<TsfSkinCaptionObject>(C, u"caption");
    ASSERT_NE(Cap, nullptr);
    const TRect TR = Cap->TextRectOnForm();
    ASSERT_FALSE(IsNullRect(TR));
    F->SetCaption(u"");
    auto Blank = FrameInto(F);
    // The rightmost column where the frame differs from the frame without text.
    auto RightmostText = [&](const TDib& D) {
        int Right = -1;
        for (int y = TR.Top; y < TR.Bottom; ++y)
            for (int x = 0; x < F->Width(); ++x)
                if (D.Pixel(x, y) != Blank->Pixel(x, y)) Right = std::max(Right, x);
        return Right;
    };
    F->SetCaption(String(200, u'W'));
    auto Long = FrameInto(F);
    const int Right = RightmostText(*Long);
    EXPECT_LT(Right, TR.Right);
    EXPECT_GE(Right, TR.Right - 6);  // "..." ends at the rectangle's edge
    // The dots: the last pixels of text are low, not a full-height letter.
    int Top = TR.Bottom;
    for (int y = TR.Top; y < TR.Bottom; ++y)
        if (Long->Pixel(Right, y) != Blank->Pixel(Right, y)) Top = std::min(Top, y);
    EXPECT_GT(Top, TR.Top + TR.Height() / 2 - 2);

    // 100 more pixels of form: the right edge moves 100 pixels.
    F->SetBounds(100, 100, 400, 200);
    Pump();
    EXPECT_EQ(Cap->TextRectOnForm().Right, TR.Right + 100);

    // An empty text rectangle draws nothing.
    F->SetBounds(100, 100, 300, 200);
    Pump();
    Cap->TextRct = {};
    EXPECT_TRUE(SameArea(*FrameInto(F), *Blank, {0, 0, 300, 30}));

    // OnCaptionPaint replaces the text, not the rest.
    Object<TsfSkinCaptionObject>(C, u"caption")->TextRct = Object<TsfSkinCaptionObject>(C, u"caption")->TextRct;
    C->ChangeSkinData();
    Cap = Object<TsfSkinCaptionObject>(C, u"caption");
    int Calls = 0;
    C->OnCaptionPaint = [&](TCanvas* Cnvs, TRect R, bool Active) {
        ++Calls;
        EXPECT_EQ(R, Cap->ObjectRect);
        EXPECT_TRUE(Active);
        Cnvs->Brush()->SetColor(clRed);
        Cnvs->FillRect({R.Left, R.Top, R.Left + 4, R.Top + 4});
    };
    auto Painted = FrameInto(F);
    EXPECT_GE(Calls, 1);
    EXPECT_EQ(Painted->Pixel(Cap->ObjectRect.Left, Cap->ObjectRect.Top), 0xFF0000u);
    TRect Rest = Cap->ObjectRect;
    Rest.Left += 4;
    EXPECT_TRUE(SameArea(*Painted, *Blank, Rest));  // no text: the handler drew instead
    C->OnCaptionPaint = nullptr;
}

TEST_F(SkinObjects, SkinSwitchesKeepHandleCountsFlat)
{
    InstallSkinDataWin();
    auto Model = LoadSkin(u"Rire");
    TsfSkinForm* C = NewSkinnedForm(nullptr, 500, 400, Model.get());
    TCustomForm* F = C->Form();
    for (int i = 0; i < 30; ++i) {
        auto* B = new TsfSkinButton(F);
        B->SetParent(F);
        B->SetBounds(10 + (i % 6) * 80, 10 + (i / 6) * 40, 75, 30);
        B->SetSkinData(Model.get());
        B->SetCaption(u"B");
    }
    Pump();
    auto Switch = [&](int i) {
        ASSERT_TRUE(Model->LoadFromCompressedFile(String(u"" LM_SKIN_FOLDER) + SkinNames[i % 4] + u".skn"));
        Pump();
    };
    for (int i = 0; i < 8; ++i) Switch(i);  // caches and first-use allocations settle
    const int Gdi = LiveGdiObjects(), User = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    const int Windows = ThreadWindowCount();
    const auto Start = std::chrono::steady_clock::now();
    for (int i = 0; i < 200; ++i) Switch(i);
    const auto Ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
    std::printf("skin switch with 30 skinned controls: %.1f ms each\n", Ms / 200);
    EXPECT_LE(LiveGdiObjects(), Gdi + 4);
    EXPECT_LE(static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), User + 4);
    EXPECT_EQ(ThreadWindowCount(), Windows);
    SfSkinMessageSender = nullptr;
}

TEST_F(SkinObjects, ScreenshotsOfCaptionAndButtonsInTheFourSkins)
{
    for (const char16_t* Name : SkinNames) {
        TsfSkinForm* C = NewSkinnedForm(Name, 320, 160);
        TCustomForm* F = C->Form();
        auto* Max = Object(C, u"maxbutton");
        C->FindActiveObject(Max->ObjectRect.Left + 3, Max->ObjectRect.Top + 3, true);  // hot
        Pump();
        RECT W;
        GetWindowRect(F->Handle(), &W);
        SaveScreenshot(TRect{W.left - 10, W.top - 10, W.right + 10, W.bottom + 10}, String(u"objects_") + Name);
        C->FindActiveObject(-1, -1, false);
        F->Hide();
    }
}

TEST_F(SkinObjects, MorphFadesBackFromWhereItIsOnTheMorphTimer)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    auto* Min = Object<TsfSkinStdButtonObject>(C, u"minbutton");
    Min->Morphing = true;
    ASSERT_TRUE(Min->EnableMorphing());
    C->FindActiveObject(Min->ObjectRect.Left + 3, Min->ObjectRect.Top + 3, true);
    EXPECT_TRUE(C->MorphTimerRunning());
    FClock.Clock.Advance(50);  // two steps
    EXPECT_NEAR(Min->MorphKf(), 0.4, 1e-9);
    // Half-way the look is neither the normal nor the hot one.
    auto Dib = FrameInto(C->Form());
    const TRect& R = Min->ObjectRect;
    bool Normal = true, Hot = true;
    for (int y = 0; y < R.Height(); ++y)
        for (int x = 0; x < R.Width(); ++x) {
            const DWORD P = Dib->Pixel(R.Left + x, R.Top + y);
            Normal = Normal && P == (Min->ActivePicture->GetPixel(Min->SkinRect.Left + x, Min->SkinRect.Top + y) & 0xFFFFFF);
            Hot = Hot && P == (Min->ActivePicture->GetPixel(Min->ActiveSkinRect.Left + x, Min->ActiveSkinRect.Top + y) & 0xFFFFFF);
        }
    EXPECT_FALSE(Normal);
    EXPECT_FALSE(Hot);
    C->FindActiveObject(-1, -1, false);
    FClock.Clock.Advance(25);
    EXPECT_NEAR(Min->MorphKf(), 0.2, 1e-9);  // back from 0.4, not from 1
    FClock.Clock.Advance(25);
    EXPECT_EQ(Min->MorphKf(), 0.0);
    FClock.Clock.Advance(25);
    EXPECT_FALSE(C->MorphTimerRunning());  // stops once nothing steps
}

TEST_F(SkinObjects, CaptionAnimatesEveryIntervalOnTheAnimationTimer)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    auto* Cap = Object<TsfSkinCaptionObject>(C, u"caption");
    Cap->AnimateSkinRect = {Cap->SkinRect.Left, Cap->SkinRect.Top, Cap->SkinRect.Right,
                            Cap->SkinRect.Top + 3 * Cap->SkinRect.Height()};
    Cap->FrameCount = 3;
    Cap->AnimateInterval = 100;
    ASSERT_TRUE(Cap->EnableAnimation());
    Cap->Active = true;
    Cap->Animation = {};
    C->StartAnimateTimer();
    std::vector<Integer> Frames;
    for (int i = 0; i < 12; ++i) {
        FClock.Clock.Advance(25);
        Frames.push_back(Cap->Animation.CurrentFrame);
    }
    EXPECT_EQ(Frames, (std::vector<Integer>{0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2}));
    for (int i = 0; i < 20; ++i) FClock.Clock.Advance(25);
    EXPECT_FALSE(C->AnimateTimerRunning());  // past the last frame: nothing more to do
    // Deactivated (keeping the animated look): it runs back down to 0, one frame per interval.
    Cap->InActiveAnimation = true;
    TForm* Other = NewForm(600, 100, 100, 100);
    ShowAndWait(Other);
    SetActiveWindow(Other->Handle());
    Pump();
    ASSERT_FALSE(C->Form()->Active());
    EXPECT_TRUE(C->AnimateTimerRunning());
    std::vector<Integer> Back;
    for (int i = 0; i < 40 && C->AnimateTimerRunning(); ++i) {
        FClock.Clock.Advance(25);
        if (Back.empty() || Back.back() != Cap->Animation.CurrentFrame) Back.push_back(Cap->Animation.CurrentFrame);
    }
    EXPECT_EQ(Back.back(), 0);
    EXPECT_FALSE(C->AnimateTimerRunning());
}

TEST_F(SkinObjects, GroupedButtonsLatchOneAtATime)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    const TsfDataSkinButton* None = nullptr;
    auto Make = [&](const char16_t* Name, TRect R) {
        auto B = std::make_unique<TsfSkinButtonObject>(C, None);
        B->IDName = Name;
        B->GroupIndex = 1;
        B->SkinRect = B->ObjectRect = R;
        return B;
    };
    C->ObjectList.push_back(Make(u"one", {40, 60, 60, 80}));
    C->ObjectList.push_back(Make(u"two", {70, 60, 90, 80}));
    auto* One = Object<TsfSkinButtonObject>(C, u"one");
    auto* Two = Object<TsfSkinButtonObject>(C, u"two");
    std::vector<String> Ups;
    C->OnMouseUpEvent = [&](const String& N, Integer, Integer, TRect, TMouseButton) { Ups.push_back(N); };
    auto Click = [&](int X, int Y) {
        C->ObjectsMouseDown(mbLeft, X, Y);
        C->ObjectsMouseUp(mbLeft, X, Y);
    };
    Click(45, 65);
    EXPECT_TRUE(One->Down());
    Click(75, 65);
    EXPECT_FALSE(One->Down());
    EXPECT_TRUE(Two->Down());  // the release leaves it down
    EXPECT_EQ(Ups, (std::vector<String>{u"one", u"two"}));
    // A release after the mouse left fires nothing.
    C->ObjectsMouseDown(mbLeft, 45, 65);
    C->FindActiveObject(-1, -1, false);
    C->ObjectsMouseUp(mbLeft, 0, 0);
    EXPECT_EQ(Ups.size(), 2u);
    C->ObjectList.pop_back();
    C->ObjectList.pop_back();
}

TEST_F(SkinObjects, UserObjectIsDrawnByTheApplication)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    TCustomForm* F = C->Form();
    const auto Before = FrameInto(F);
    C->ObjectList.push_back(UserObject(C, u"user", {40, 8, 60, 20}));
    EXPECT_TRUE(SameArea(*FrameInto(F), *Before, {0, 0, 300, 30}));  // without a handler the frame shows
    C->OnPaintEvent = [&](const String& N, TCanvas* Cnvs, TRect R) {
        EXPECT_EQ(N, u"user");
        Cnvs->Brush()->SetColor(clLime);
        Cnvs->FillRect(R);
    };
    auto After = FrameInto(F);
    EXPECT_EQ(After->Pixel(45, 10), 0x00FF00u);
    C->OnPaintEvent = nullptr;
    C->ObjectList.pop_back();
}

TEST_F(SkinObjects, DefaultFrameButtonsLookHotOnlyWhileHovered)
{
    TForm* F = NewForm(100, 100, 100, 100);
    F->SetCaption(u"Default");
    auto* C = new TsfSkinForm(F);
    F->SetBounds(100, 100, 200, 150);
    ShowAndWait(F);
    SetActiveWindow(F->Handle());
    FrameInto(F);  // the first painting makes the buttons
    auto* Close = Object<TsfSkinStdButtonObject>(C, u"closebutton");
    ASSERT_NE(Close, nullptr);
    const TRect R = Close->ObjectRect;
    EXPECT_EQ(FrameInto(F)->Pixel(R.Left, R.Top), static_cast<DWORD>(ColorToRGB(clBtnFace)));
    C->FindActiveObject(R.Left + 3, R.Top + 3, true);
    auto Hot = FrameInto(F);
    EXPECT_EQ(Hot->Pixel(R.Left, R.Top), 0x000080u);   // navy frame
    EXPECT_EQ(Hot->Pixel(R.Left + 1, R.Top + 1), 0xB6BDD2u);  // hot face
    C->FindActiveObject(-1, -1, false);
    // A button whose border icon is off draws its glyph in the shadow colour.
    C->SetBorderIcons(sfbiSystemMenu);
    C->UpdateCaptionButtons();
    auto* Max = Object<TsfSkinStdButtonObject>(C, u"maxbutton");
    EXPECT_FALSE(Max->Enabled);
    EXPECT_FALSE(Max->Visible);
}

TEST_F(SkinObjects, SystemMenuButtonDoubleClickClosesTheForm)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    auto* Sys = Object(C, u"sysmenubutton");
    ASSERT_TRUE(Sys->Visible);
    const TPoint P = ScreenCentre(C, Sys);
    MovePointer(P);
    for (int i = 0; i < 2; ++i) {
        LeftButton(true);
        LeftButton(false);
    }
    Pump();
    EXPECT_FALSE(IsWindowVisible(C->Form()->Handle()));
}

TEST_F(SkinObjects, SkinChangeReappliesOnlyTheControlsOfThatSkin)
{
    // Counts the calls the skin change makes on a skinned button.
    class TCountingButton : public TsfSkinButton {
    public:
        using TsfSkinButton::TsfSkinButton;
        void BeforeChangeSkinData() override
        {
            ++Before;
            TsfSkinButton::BeforeChangeSkinData();
        }
        void ChangeSkinData() override
        {
            ++After;
            TsfSkinButton::ChangeSkinData();
        }
        int Before = 0, After = 0;
    };
    InstallSkinDataWin();
    auto First = LoadSkin(u"Rire");
    auto Second = LoadSkin(u"Cool");
    TsfSkinForm* C = NewSkinnedForm(nullptr, 300, 200, First.get());
    auto* Panel = new TPanel(C->Form());
    Panel->SetParent(C->Form());
    auto* Mine = new TCountingButton(C->Form());
    Mine->SetParent(Panel);  // reached through its parent
    Mine->SetSkinData(First.get());
    auto* Other = new TCountingButton(C->Form());
    Other->SetParent(C->Form());
    Other->SetSkinData(Second.get());
    Mine->Before = Mine->After = Other->Before = Other->After = 0;  // setting the skin applies it
    ASSERT_TRUE(First->LoadFromCompressedFile(String(u"" LM_SKIN_FOLDER) + u"Laconic.skn"));
    EXPECT_EQ(Mine->Before, 1);
    EXPECT_EQ(Mine->After, 1);
    EXPECT_EQ(Other->Before, 0);
    EXPECT_EQ(Other->After, 0);
    // A reload of the other skin reaches its control, and leaves this form's frame alone.
    const size_t Objects = C->ObjectList.size();
    ASSERT_TRUE(Second->LoadFromCompressedFile(String(u"" LM_SKIN_FOLDER) + u"Charm.skn"));
    EXPECT_EQ(Other->After, 1);
    EXPECT_EQ(Mine->After, 1);
    EXPECT_EQ(C->ObjectList.size(), Objects);
    SfSkinMessageSender = nullptr;
}

TEST_F(SkinObjects, MaximisedFormStaysMaximisedAcrossTheSkinnableSwitch)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    TCustomForm* F = C->Form();
    C->SetWindowState(wsMaximized);
    Pump();
    C->SetSkinnableForm(false);
    Pump();
    EXPECT_EQ(F->WindowState(), wsMaximized);
    EXPECT_TRUE(IsZoomed(F->Handle()));
    EXPECT_TRUE(IsWindowVisible(F->Handle()));
    EXPECT_TRUE(C->ObjectList.empty());  // the platform's frame: no skin objects
    C->SetSkinnableForm(true);
    Pump();
    EXPECT_EQ(C->WindowState(), wsMaximized);
    EXPECT_TRUE(IsWindowVisible(F->Handle()));
    EXPECT_EQ(C->ObjectList.size(), 6u);
    EXPECT_TRUE(Object<TsfSkinStdButtonObject>(C, u"maxbutton")->MeansRestore());
}

TEST_F(SkinObjects, ObjectsAreReachedByTheirFirstNameAndKind)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire");
    const size_t SkinObjectCount = C->ObjectList.size();
    const TsfDataSkinButton* None = nullptr;
    auto Button = [&](const char16_t* Name, TRect R) {
        auto B = std::make_unique<TsfSkinButtonObject>(C, None);
        B->IDName = Name;
        B->SkinRect = B->ObjectRect = R;
        return B;
    };
    C->ObjectList.push_back(Button(u"b", {40, 60, 60, 80}));
    C->ObjectList.push_back(Button(u"b", {70, 60, 90, 80}));
    C->ObjectList.push_back(UserObject(C, u"x", {100, 60, 120, 80}));
    C->ObjectList.push_back(Button(u"x", {130, 60, 150, 80}));
    auto* First = C->ObjectList[SkinObjectCount].get();
    auto* Second = C->ObjectList[SkinObjectCount + 1].get();
    auto* LaterX = C->ObjectList[SkinObjectCount + 3].get();
    std::vector<String> Painted;
    C->OnPaintEvent = [&](const String& N, TCanvas*, TRect) { Painted.push_back(N); };

    EXPECT_EQ(C->GetIndex(u"b"), static_cast<Integer>(SkinObjectCount));
    EXPECT_EQ(C->GetIndex(u"B"), -1);  // names are case-sensitive
    C->ButtonSetDown(u"b", true);
    EXPECT_TRUE(C->ButtonGetDown(u"b"));
    EXPECT_FALSE(static_cast<TsfSkinButtonObject*>(Second)->Down());
    // "x" is first a user object: button calls pass it by, even with a later button of that name.
    C->ButtonSetDown(u"x", true);
    EXPECT_FALSE(C->ButtonGetDown(u"x"));
    EXPECT_FALSE(static_cast<TsfSkinButtonObject*>(LaterX)->Down());
    C->UserObjectDraw(u"x");
    C->UserObjectDraw(u"b");
    EXPECT_EQ(Painted, (std::vector<String>{u"x"}));
    // Missing names: nothing happens, neutral values read.
    C->ButtonSetDown(u"missing", true);
    C->UserObjectDraw(u"missing");
    C->SetEnabled(u"missing", false);
    C->CaptionSetText(u"missing", u"t");
    EXPECT_FALSE(C->ButtonGetDown(u"missing"));
    EXPECT_EQ(C->GetIndex(u"missing"), -1);
    // SetEnabled reaches every kind, the skin's caption buttons too.
    C->SetEnabled(u"b", false);
    EXPECT_FALSE(First->Enabled);
    EXPECT_TRUE(Second->Enabled);
    TsfSkinStdButtonObject* Std = nullptr;
    TsfSkinCaptionObject* Caption = nullptr;
    for (size_t i = 0; i < SkinObjectCount; ++i) {
        if (!Std) Std = dynamic_cast<TsfSkinStdButtonObject*>(C->ObjectList[i].get());
        if (!Caption) Caption = dynamic_cast<TsfSkinCaptionObject*>(C->ObjectList[i].get());
    }
    ASSERT_TRUE(Std && Caption);
    C->SetEnabled(Std->IDName, false);
    EXPECT_FALSE(Std->Enabled);
    C->SetEnabled(Std->IDName, true);
    C->CaptionSetText(Caption->IDName, u"Named text");
    EXPECT_EQ(Caption->TextValue(), u"Named text");
    C->OnPaintEvent = nullptr;
    C->ObjectList.resize(SkinObjectCount);
}
