#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <vector>

#include "framework/controls/win/HandleCount.h"
#include "SkinControlTestEnv.h"
#include "framework/graphics/BmpFormat.h"
#include "skin/controls/win/SkinButtons.h"
#include "framework/controls/win/Menus.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/model/win/SFSkinData_Win.h"
#include "skin/model/win/SFSkinRegion_Win.h"

using namespace guitest;
using namespace skintest;

namespace {

// Records what reaches the form's own procedure behind the component: hooked
// before the component, it sits between the component and the form.
class TOldProcSpy {
public:
    explicit TOldProcSpy(TCustomForm* Form)
    {
        FProc = [this](TMessage& M) {
            if (OnMessage) OnMessage(M);
            Seen.push_back(M.Msg);
            FHook.CallPrevious(M);
        };
        FHook.Hook(Form, TWndMethod::OfCallable(FProc));
    }
    bool Saw(UINT Msg) const { return std::find(Seen.begin(), Seen.end(), Msg) != Seen.end(); }
    std::vector<UINT> Seen;
    std::function<void(TMessage&)> OnMessage;

private:
    TWindowHook FHook;
    std::function<void(TMessage&)> FProc;
};

// An object painted in one colour (the frame draws it into its strips).
class TColourObject : public TsfActiveSkinObject {
public:
    TColourObject(TsfSkinForm* AParent, TColor AColour, TRect ASkinRect) : TsfActiveSkinObject(AParent), Colour(AColour)
    {
        SkinRect = ObjectRect = ASkinRect;
    }
    void Draw(TCanvas* Cnvs, bool) override
    {
        Cnvs->Brush()->SetColor(Colour);
        Cnvs->FillRect(ObjectRect);
    }
    TColor Colour;
};

// The frame painted into a memory context through the form's own message.
std::unique_ptr<TDib> FrameInto(TCustomForm* Form, LRESULT* Answer = nullptr)
{
    auto Dib = std::make_unique<TDib>(Form->Width(), Form->Height());
    const LRESULT R = SendMessageW(Form->Handle(), WM_PAINTFRAMEINTO, reinterpret_cast<WPARAM>(Dib->DC()), 0);
    if (Answer) *Answer = R;
    return Dib;
}

// Dib against the golden picture tests/data/skin/frame/<Name>.bmp, pixel for
// pixel; LM_UPDATE_GOLDEN writes it instead (only on purpose).
void ExpectGoldenFrame(const TDib& Dib, const std::string& Name)
{
    const char* Root = std::getenv("LM_TEST_DATA");
    const String File = UTF8ToString(std::string(Root ? Root : "tests/data") + "/skin/frame/" + Name + ".bmp");
    if (std::getenv("LM_UPDATE_GOLDEN")) {
        TDibImage Image;
        Image.Allocate(Dib.Width(), Dib.Height(), pf24bit);
        for (int y = 0; y < Dib.Height(); ++y)
            for (int x = 0; x < Dib.Width(); ++x) {
                const DWORD P = Dib.Pixel(x, y);
                uint8_t* Q = Image.ScanLine(y) + x * 3;
                Q[0] = P & 0xFF;
                Q[1] = (P >> 8) & 0xFF;
                Q[2] = (P >> 16) & 0xFF;
            }
        // Frames have few colours: kept as an 8-bit picture, without loss.
        TFileStream S(File, fmCreate);
        WriteBmp(&S, ConvertDib(Image, pf8bit));
        return;
    }
    TDibImage Golden;
    {
        TFileStream S(File, fmOpenRead);
        ReadBmp(&S, Golden);
    }
    ASSERT_EQ(Golden.Width, Dib.Width()) << Name;
    ASSERT_EQ(Golden.Height, Dib.Height()) << Name;
    std::vector<uint32_t> Row(Golden.Width);
    int Differ = 0;
    for (int y = 0; y < Golden.Height; ++y) {
        DecodeScanline(Golden.ScanLine(y), Golden.PixelFormat, Golden.Palette, Golden.Width, Row.data());
        for (int x = 0; x < Golden.Width; ++x)
            if ((Row[x] & 0xFFFFFF) != Dib.Pixel(x, y) && Differ++ < 5)
                ADD_FAILURE() << Name << " differs at " << x << ',' << y << ": " << std::hex << Dib.Pixel(x, y);
    }
    EXPECT_EQ(Differ, 0) << Name;
}

LRESULT HitAt(TCustomForm* Form, int X, int Y)
{
    RECT W;
    GetWindowRect(Form->Handle(), &W);
    return SendMessageW(Form->Handle(), WM_NCHITTEST, 0, Pos(W.left + X, W.top + Y));
}

TRect WindowRegionBox(HWND Wnd, int* Kind = nullptr)
{
    TRegion R(TRect{0, 0, 0, 0});
    const int K = GetWindowRgn(Wnd, R);
    if (Kind) *Kind = K;
    RECT B{};
    GetRgnBox(R, &B);
    return {B.left, B.top, B.right, B.bottom};
}

// The fade's alpha now, or -1 when the window is not layered.
int LayeredAlpha(HWND Wnd)
{
    if (!(GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED)) return -1;
    BYTE Alpha = 0;
    DWORD Flags = 0;
    COLORREF Key = 0;
    if (!GetLayeredWindowAttributes(Wnd, &Key, &Alpha, &Flags)) return -2;
    return Alpha;
}

class SkinForm : public SkinFormTest {
protected:
    // The caption object a skin describes over its caption rectangle (it is what drags the form).
    static void AddCaption(TsfSkinForm* C)
    {
        auto O = std::make_unique<TsfActiveSkinObject>(C);
        O->Kind = TsfFrameObjectKind::Caption;
        O->SkinRect = O->ObjectRect = C->SkinData()->CaptionRect;
        C->ObjectList.push_back(std::move(O));
        C->UpdateFrameLayout(true);
    }
    // A form of W x H at (100, 100) with its component, shown; a skin when named.
    TsfSkinForm* NewSkinnedForm(const char16_t* SkinName, int W = 200, int H = 150,
                                TFormBorderStyle Style = bsSizeable, bool Show = true)
    {
        TForm* F = NewForm(100, 100, 100, 100);
        F->SetBorderStyle(Style);
        F->SetCaption(u"Skinned");
        auto* C = new TsfSkinForm(F);
        if (SkinName) {
            C->SetSkinData(Skin(SkinName));
            AddCaption(C);
        }
        F->SetBounds(100, 100, W, H);
        if (Show) ShowAndWait(F);
        return C;
    }
};

} // namespace

TEST_F(SkinForm, OwnerMustBeAForm)
{
    TComponent Owner(nullptr);
    EXPECT_THROW(new TsfSkinForm(&Owner), EInvalidCast);
    EXPECT_EQ(Owner.ComponentCount(), 0);
    EXPECT_THROW(new TsfSkinForm(nullptr), EInvalidCast);
}

TEST_F(SkinForm, CaptionSetBeforeTheWindowMakesNoWindow)
{
    TForm* F = NewForm();
    auto* C = new TsfSkinForm(F);
    C->SetSkinData(Skin(u"Rire"));
    F->SetCaption(u"Early");
    EXPECT_FALSE(F->HandleAllocated());
    EXPECT_EQ(F->Caption(), u"Early");
}

TEST_F(SkinForm, HookComesAndGoesWithTheComponent)
{
    TForm* F = NewForm();
    F->HandleNeeded();
    const TWndMethod Own = F->WindowProc;
    const HWND Before = F->Handle();
    auto* C = new TsfSkinForm(F);
    EXPECT_NE(F->WindowProc, Own);
    EXPECT_NE(F->Handle(), Before);  // recreated: every message of the window passes the component
    EXPECT_EQ(GetSkinForm(F), C);
    delete C;
    EXPECT_EQ(F->WindowProc, Own);
    EXPECT_EQ(GetSkinForm(F), nullptr);
}

TEST_F(SkinForm, ShortCutsGoThroughTheComponent)
{
    TForm* F = NewForm();
    int FormCalls = 0, ComponentCalls = 0;
    F->OnShortCut = [&](TWMKey&, bool&) { ++FormCalls; };
    auto* C = new TsfSkinForm(F);
    TWMKey Key{};
    F->IsShortCut(Key);
    EXPECT_EQ(FormCalls, 0);
    C->OnShortCut = [&](TWMKey&, bool& Handled) {
        ++ComponentCalls;
        Handled = true;
    };
    EXPECT_TRUE(F->IsShortCut(Key));
    EXPECT_EQ(ComponentCalls, 1);
}

TEST_F(SkinForm, FirstShowCentresInTheMonitor)
{
    struct { TsfPositionInMonitor Where; int X, Y; } Cases[] = {
        {sfpDefault, 100, 100}, {sfpScreenCenter, 640 - 150, 400 - 100}, {sfpDesktopCenter, 640 - 150, 400 - 100}};
    for (const auto& K : Cases) {
        TsfSkinForm* C = NewSkinnedForm(u"Rire", 301, 201, bsSizeable, false);
        C->PositionInMonitor = K.Where;
        ShowAndWait(C->Form());
        RECT W;
        GetWindowRect(C->Form()->Handle(), &W);
        EXPECT_EQ(W.left, K.X) << K.Where;  // the half sizes are integer quotients
        EXPECT_EQ(W.top, K.Y) << K.Where;
        C->Form()->SetBounds(10, 10, 301, 201);
        C->Form()->Hide();
        ShowAndWait(C->Form());
        GetWindowRect(C->Form()->Handle(), &W);
        EXPECT_EQ(W.left, 10) << "only the first show";
        C->Form()->Hide();
    }
}

TEST_F(SkinForm, DefaultFrameOfA200x150Form)
{
    // Away from the form: a caption button under the pointer would be hot, and a hot object answers every hit test.
    SetCursorPos(1200, 780);
    TsfSkinForm* C = NewSkinnedForm(nullptr);
    TCustomForm* F = C->Form();
    EXPECT_EQ(F->ClientRect(), (TRect{0, 0, 194, 125}));
    TPoint Origin = F->ClientToScreen({0, 0});
    EXPECT_EQ(Origin, (TPoint{103, 122}));
    // The caption between the system-menu button and the four buttons at the right.
    EXPECT_EQ(C->GetDefCaptionRect(), (TRect{20, 3, 129, 22}));
    ASSERT_EQ(C->ObjectList.size(), 6u);
    EXPECT_EQ(C->ObjectList[0]->IDName, u"closebutton");
    EXPECT_EQ(C->ObjectList[0]->ObjectRect, (TRect{180, 4, 197, 21}));
    struct { int X, Y; LRESULT Want; } Cases[] = {
        {100, 10, HTCAPTION}, {100, 21, HTCAPTION}, {100, 80, HTCLIENT}, {1, 1, HTTOPLEFT},
        {198, 148, HTBOTTOMRIGHT}, {0, 80, HTLEFT}, {100, 149, HTBOTTOM},
    };
    for (const auto& K : Cases) EXPECT_EQ(HitAt(F, K.X, K.Y), K.Want) << K.X << ',' << K.Y;
    MINMAXINFO Info{};
    SendMessageW(F->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&Info));
    EXPECT_EQ(Info.ptMinTrackSize.x, 130);
    EXPECT_EQ(Info.ptMinTrackSize.y, 25);
    // The frame is on the window: the caption bar's face above its stripes, the outer ring.
    Pump();
    TWindowDC DC(F->Handle());
    EXPECT_EQ(GetPixel(DC, 10, 3), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(GetPixel(DC, 0, 0), static_cast<COLORREF>(ColorToRGB(cl3DLight)));
}

TEST_F(SkinForm, DialogFrameKeepsTheSystemOut)
{
    TForm* F = NewForm(100, 100, 100, 100);
    F->SetBorderStyle(bsDialog);
    TOldProcSpy Spy(F);
    auto* C = new TsfSkinForm(F);
    C->Sizeable = false;
    C->SetSkinData(Skin(u"Rire"));
    F->SetBounds(100, 100, 260, 200);
    ShowAndWait(F);
    Spy.Seen.clear();
    EXPECT_EQ(SendMessageW(F->Handle(), WM_NCACTIVATE, FALSE, 0), 1);
    EXPECT_EQ(SendMessageW(F->Handle(), WM_NCACTIVATE, TRUE, 0), 1);
    SendMessageW(F->Handle(), WM_NCPAINT, 1, 0);
    EXPECT_FALSE(Spy.Saw(WM_NCACTIVATE));
    EXPECT_FALSE(Spy.Saw(WM_NCPAINT));
    // The skin's client rectangle: 4 pixels at the sides, 30 above, 4 below.
    EXPECT_EQ(F->ClientRect(), (TRect{0, 0, 252, 166}));
    // Not sizeable: the edges do not size.
    EXPECT_EQ(HitAt(F, 1, 100), HTOBJECT);
    EXPECT_EQ(HitAt(F, 100, 100), HTCLIENT);
}

TEST_F(SkinForm, BorderlessFormKeepsItsWholeWindow)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 200, 150, bsNone);
    EXPECT_EQ(C->Form()->ClientRect(), (TRect{0, 0, 200, 150}));
    int Kind = 0;
    WindowRegionBox(C->Form()->Handle(), &Kind);
    EXPECT_EQ(Kind, ERROR);  // no region
}

TEST_F(SkinForm, PrivateMessagesAndTheirAnswers)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    TCustomForm* F = C->Form();
    LRESULT Answer = 0;
    FrameInto(F, &Answer);
    EXPECT_EQ(Answer, 12851);
    EXPECT_EQ(SendMessageW(F->Handle(), WM_SKINFORMQUERY, 0, 0), 12853);
    TDib Dib(F->Width(), F->Height());
    EXPECT_EQ(SendMessageW(F->Handle(), WM_PAINTFRAMEINTO2, reinterpret_cast<WPARAM>(Dib.DC()), 16802), 16802);
    EXPECT_NE(SendMessageW(F->Handle(), WM_PAINTFRAMEINTO2, reinterpret_cast<WPARAM>(Dib.DC()), 16801), 16802);
    // A form the skin does not frame answers that it is not skinned (on systems from 6 on).
    C->SetSkinnableForm(false);
    EXPECT_EQ(SendMessageW(F->Handle(), WM_SKINFORMQUERY, 0, 0), 12852);
}

TEST_F(SkinForm, GoldenFrames)
{
    struct { const char16_t* Skin; int W, H; const char* Name; } Cases[] = {
        {u"Rire", 240, 180, "rire_240x180"}, {u"Rire", 300, 200, "rire_300x200"}, {u"Rire", 320, 90, "rire_320x90"},
        {nullptr, 200, 150, "default_200x150"}, {nullptr, 300, 120, "default_300x120"},
        {nullptr, 160, 60, "default_160x60"},
    };
    TForm* Other = NewForm(600, 100, 100, 100);
    ShowAndWait(Other);
    for (const auto& K : Cases) {
        TsfSkinForm* C = NewSkinnedForm(K.Skin, K.W, K.H);
        TCustomForm* F = C->Form();
        SetActiveWindow(F->Handle());
        ASSERT_TRUE(F->Active()) << K.Name;
        ExpectGoldenFrame(*FrameInto(F), std::string(K.Name) + "_active");
        SetActiveWindow(Other->Handle());
        ASSERT_FALSE(F->Active()) << K.Name;
        ExpectGoldenFrame(*FrameInto(F), std::string(K.Name) + "_inactive");
        F->Hide();
    }
}

TEST_F(SkinForm, InactiveFramePictureAndEffect)
{
    TsfSkinData* S = Skin(u"Rire");
    TForm* Other = NewForm(600, 100, 100, 100);
    ShowAndWait(Other);
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    TCustomForm* F = C->Form();
    std::vector<bool> Events;
    C->OnActivate = [&](TObject*) { Events.push_back(true); };
    C->OnDeActivate = [&](TObject*) { Events.push_back(false); };
    SetActiveWindow(Other->Handle());
    Events.clear();
    SetActiveWindow(F->Handle());
    ASSERT_TRUE(F->Active());
    ASSERT_FALSE(Events.empty());
    EXPECT_TRUE(Events.back());
    const DWORD Active = FrameInto(F)->Pixel(130, 12);
    // An effect on the inactive frame: inverted.
    S->AutoRenderingInActiveImage = true;
    S->InActiveEffect = ieInvert;
    SetActiveWindow(Other->Handle());
    ASSERT_FALSE(F->Active());
    EXPECT_FALSE(Events.back());
    EXPECT_EQ(FrameInto(F)->Pixel(130, 12), ~Active & 0xFFFFFF);
    // A picture of its own for the inactive frame (all black here) takes precedence over the active one.
    S->AutoRenderingInActiveImage = false;
    S->FInActivePicture.Allocate(S->FPicture.Width, S->FPicture.Height, pf24bit);
    C->ChangeSkinData();
    EXPECT_EQ(FrameInto(F)->Pixel(130, 12), 0u);
    SetActiveWindow(F->Handle());
    EXPECT_EQ(FrameInto(F)->Pixel(130, 12), Active);
    S->FInActivePicture = TDibImage();
    C->ChangeSkinData();
    C->OnActivate = C->OnDeActivate = nullptr;  // the events' list goes with the test
}

TEST_F(SkinForm, NoFrameBelowTheMinimumSize)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    TCustomForm* F = C->Form();
    C->MinWidth = 300;  // the platform keeps a window above its tracking minimum: raise the minimum instead
    TDib Dib(260, 200);
    PatBlt(Dib.DC(), 0, 0, 260, 200, WHITENESS);
    SendMessageW(F->Handle(), WM_PAINTFRAMEINTO, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    EXPECT_EQ(Dib.Pixel(130, 12), 0xFFFFFFu);  // untouched until the form is large enough again
    C->MinWidth = 0;
    EXPECT_NE(FrameInto(F)->Pixel(130, 12), 0xFFFFFFu);
}

TEST_F(SkinForm, SingleObjectRedrawnOnTheWindow)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200, bsSizeable, false);
    auto Own = std::make_unique<TColourObject>(C, clLime, TRect{60, 8, 70, 18});
    TColourObject* O = Own.get();
    C->ObjectList.push_back(std::move(Own));
    ShowAndWait(C->Form());
    O->Colour = clRed;
    C->DrawSkinObject(O);
    // Read from the window's own surface: the screen shows it only after the platform's next flush.
    TWindowDC DC(C->Form()->Handle());
    EXPECT_EQ(GetPixel(DC, 65, 12), RGB(255, 0, 0));
}

TEST_F(SkinForm, FormMenuGivesWayToTheSkin)
{
    TForm* F = NewForm(100, 100, 100, 100);
    auto* Menu = new TMainMenu(F);
    F->SetMenu(Menu);
    auto* C = new TsfSkinForm(F);
    C->SetSkinData(Skin(u"Rire"));
    ShowAndWait(F);
    EXPECT_EQ(F->Menu(), nullptr);
    EXPECT_EQ(GetMenu(F->Handle()), nullptr);
}

TEST_F(SkinForm, FormNotFramedByTheSkinKeepsThePlatformFrame)
{
    TForm* Plain = NewForm(100, 100, 100, 100);
    Plain->SetBounds(100, 100, 260, 200);
    ShowAndWait(Plain);
    const TRect PlainClient = Plain->ClientRect();
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    C->SetSkinnableForm(false);
    EXPECT_EQ(C->Form()->ClientRect(), PlainClient);
    int Kind = 0;
    WindowRegionBox(C->Form()->Handle(), &Kind);
    EXPECT_EQ(Kind, ERROR);
    C->SetSkinnableForm(true);
    EXPECT_EQ(C->Form()->ClientRect(), (TRect{0, 0, 252, 166}));
    C->SetUseRibbon(true);  // leaves the frame to the platform as well
    EXPECT_FALSE(C->GetSkinnableForm());
    EXPECT_EQ(C->Form()->ClientRect(), PlainClient);
}

TEST_F(SkinForm, ObjectsDrawnIntoTheStrips)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 300, 200, bsSizeable, false);
    // One object on the caption (top strip), one below the client area (bottom strip).
    C->ObjectList.push_back(std::make_unique<TColourObject>(C, clRed, TRect{60, 8, 70, 18}));
    C->ObjectList.push_back(std::make_unique<TColourObject>(C, clBlue, TRect{5, 177, 15, 179}));
    ShowAndWait(C->Form());
    auto Dib = FrameInto(C->Form());
    EXPECT_EQ(Dib->Pixel(65, 12), 0xFF0000u);
    EXPECT_EQ(Dib->Pixel(10, 197), 0x0000FFu);  // in the bottom-left corner piece: 20 lower on a form 20 taller
}

TEST_F(SkinForm, MaskRegionAndItsRemoval)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 300, 220);
    TCustomForm* F = C->Form();
    TsfSkinData* S = Skin(u"Rire");
    const TsfFrameGeometry& G = C->Geometry();
    // The same shape made by the skin model's own region builder.
    HRGN Want = nullptr;
    CreateSkinRegion(Want, S->LTPoint, S->RTPoint, S->LBPoint, S->RBPoint, S->MaskRectArea, G.NewLTPoint,
                     G.NewRTPoint, G.NewLBPoint, G.NewRBPoint, G.NewMaskRectArea, &G.MaskPicture(), 300, 220);
    TRegion Expected;
    Expected.Reset(Want);
    TRegion Got(TRect{0, 0, 0, 0});
    ASSERT_NE(GetWindowRgn(F->Handle(), Got), ERROR);
    EXPECT_TRUE(EqualRgn(Got, Expected));
    EXPECT_EQ(GetWindowRgn(F->Handle(), Got), COMPLEXREGION);  // the rounded corners
    // A size set from code takes the region along.
    F->SetBounds(100, 100, 360, 240);
    EXPECT_EQ(WindowRegionBox(F->Handle()), (TRect{0, 0, 360, 240}));
    // No skin: a plain rectangle of the form's size.
    C->SetSkinData(nullptr);
    int Kind = 0;
    EXPECT_EQ(WindowRegionBox(F->Handle(), &Kind), (TRect{0, 0, 360, 240}));
    EXPECT_EQ(Kind, SIMPLEREGION);
    MINMAXINFO Info{};
    C->SetSkinData(Skin(u"Rire"));
    SendMessageW(F->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&Info));
    EXPECT_EQ(Info.ptMinTrackSize.x, 200);  // the skin's own minimum
    EXPECT_EQ(Info.ptMinTrackSize.y, 58);
}

TEST_F(SkinForm, SetTextLeavesThePlatformCaptionUnpainted)
{
    TForm* F = NewForm(100, 100, 100, 100);
    TOldProcSpy Spy(F);
    bool VisibleInside = true;
    Spy.OnMessage = [&](TMessage& M) {
        if (M.Msg == WM_SETTEXT) VisibleInside = IsWindowVisible(F->Handle()) != 0;
    };
    auto* C = new TsfSkinForm(F);
    C->SetSkinData(Skin(u"Rire"));
    F->SetBounds(100, 100, 260, 200);
    ShowAndWait(F);
    F->SetCaption(u"Another caption");
    EXPECT_TRUE(Spy.Saw(WM_SETTEXT));
    EXPECT_FALSE(VisibleInside);
    EXPECT_TRUE(IsWindowVisible(F->Handle()));
    wchar_t Text[64] = {};
    GetWindowTextW(F->Handle(), Text, 64);
    EXPECT_STREQ(Text, L"Another caption");
}

TEST_F(SkinForm, SystemCommandsMaskTheirLowBits)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    TCustomForm* F = C->Form();
    int Restores = 0;
    C->OnRestore = [&](TObject*) { ++Restores; };
    SendMessageW(F->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    SendMessageW(F->Handle(), WM_SYSCOMMAND, SC_RESTORE | 2, 0);  // from a caption double-click
    EXPECT_EQ(Restores, 2);
}

TEST_F(SkinForm, CaptionDoubleClickMaximisesAndRestores)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    TCustomForm* F = C->Form();
    RECT W;
    GetWindowRect(F->Handle(), &W);
    const RECT Normal = W;
    const LPARAM OnCaption = Pos(W.left + 80, W.top + 15);
    SendMessageW(F->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, OnCaption);
    EXPECT_EQ(C->WindowState(), wsMaximized);
    // The component fills the work area itself; the platform's state stays normal.
    // A work area as large as the screen (no taskbar shown) keeps a 1-pixel margin.
    EXPECT_FALSE(IsZoomed(F->Handle()));
    RECT Want;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &Want, 0);
    if (Want.left == 0 && Want.top == 0 && Want.right == GetSystemMetrics(SM_CXSCREEN) &&
        Want.bottom == GetSystemMetrics(SM_CYSCREEN))
        InflateRect(&Want, -1, -1);
    GetWindowRect(F->Handle(), &W);
    EXPECT_TRUE(EqualRect(&W, &Want)) << W.left << "," << W.top << "," << W.right << "," << W.bottom;
    SendMessageW(F->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, Pos(W.left + 80, W.top + 15));
    EXPECT_EQ(C->WindowState(), wsNormal);
    EXPECT_FALSE(IsZoomed(F->Handle()));
    GetWindowRect(F->Handle(), &W);
    EXPECT_TRUE(EqualRect(&W, &Normal));
    // Without maximise among the border icons the double-click leaves the size alone.
    C->SetBorderIcons(sfbiSystemMenu);
    SendMessageW(F->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, OnCaption);
    EXPECT_EQ(C->WindowState(), wsNormal);
}

TEST_F(SkinForm, FormCursorOverTheFrameButSizingCursorsOnItsEdges)
{
    TForm* F = NewForm(100, 100, 100, 100);
    TOldProcSpy Spy(F);
    WORD Code = 0;
    Spy.OnMessage = [&](TMessage& M) {
        if (M.Msg == WM_SETCURSOR) Code = LOWORD(M.LParam);
    };
    auto* C = new TsfSkinForm(F);
    C->SetSkinData(Skin(u"Rire"));
    C->UseFormCursorInNCArea = true;
    ShowAndWait(F);
    struct { WORD In, Out; } Cases[] = {{HTCAPTION, HTCLIENT}, {HTOBJECT, HTCLIENT}, {HTCLIENT, HTCLIENT},
                                        {HTLEFT, HTLEFT}, {HTBOTTOMRIGHT, HTBOTTOMRIGHT}};
    for (const auto& K : Cases) {
        SendMessageW(F->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(F->Handle()), MAKELPARAM(K.In, WM_MOUSEMOVE));
        EXPECT_EQ(Code, K.Out) << K.In;
    }
}

TEST_F(SkinForm, KeyMenuReachesTheFormWithoutCaptionMenus)
{
    TForm* F = NewForm(100, 100, 100, 100);
    TOldProcSpy Spy(F);
    auto* C = new TsfSkinForm(F);
    C->SetSkinData(Skin(u"Rire"));
    ShowAndWait(F);
    for (WPARAM Cmd : {WPARAM(SC_KEYMENU), WPARAM(SC_KEYMENU | 1)}) {
        Spy.Seen.clear();
        SendMessageW(F->Handle(), WM_SYSCOMMAND, Cmd, 0);
        EXPECT_TRUE(Spy.Saw(WM_SYSCOMMAND)) << std::hex << Cmd;
    }
}

TEST_F(SkinForm, SkinChangeReachesTheFrame)
{
    InstallSkinDataWin();  // the model's messages go to the forms
    auto Model = LoadSkin(u"Rire");
    TForm* F = NewForm(100, 100, 100, 100);
    auto* C = new TsfSkinForm(F);
    C->SetSkinData(Model.get());
    F->SetBounds(100, 100, 260, 200);
    ShowAndWait(F);
    const DWORD RireCaption = FrameInto(F)->Pixel(130, 12);
    ASSERT_TRUE(Model->LoadFromCompressedFile(String(u"" LM_SKIN_FOLDER) + u"Cool.skn"));
    EXPECT_TRUE(C->SkinSupport());
    const DWORD CoolCaption = FrameInto(F)->Pixel(130, 12);
    EXPECT_NE(CoolCaption, RireCaption);
    EXPECT_EQ(CoolCaption, FrameInto(NewSkinnedForm(u"Cool", 260, 200)->Form())->Pixel(130, 12));
    Model->ClearSkin();
    EXPECT_FALSE(C->SkinSupport());
    EXPECT_EQ(F->ClientRect(), (TRect{0, 0, 254, 175}));  // the default frame's client area
    int Kind = 0;
    EXPECT_EQ(WindowRegionBox(F->Handle(), &Kind), (TRect{0, 0, 260, 200}));
    EXPECT_EQ(Kind, SIMPLEREGION);
    delete C;
    SfSkinMessageSender = nullptr;
}

TEST_F(SkinForm, BackgroundFromTheSkin)
{
    TsfSkinData* S = Skin(u"Rire");
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    TCustomForm* F = C->Form();
    auto Background = [&] {
        auto Dib = std::make_unique<TDib>(F->ClientWidth(), F->ClientHeight());
        SendMessageW(F->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(Dib->DC()), 0);
        return Dib;
    };
    const DWORD Client = Background()->Pixel(100, 80);
    EXPECT_EQ(Client, Background()->Pixel(10, 10));
    // A background picture the skin does not have: the client part as before, no fault.
    const Integer Saved = S->BGPictureIndex;
    S->BGPictureIndex = 99;
    EXPECT_EQ(Background()->Pixel(100, 80), Client);
    // Picture 0 as a tiled background.
    S->BGPictureIndex = 0;
    S->StretchEffect = false;
    const TsfBitmap* P = S->ActiveBitmap(0);
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(Background()->Pixel(5, 7), P->GetPixel(5, 7) & 0xFFFFFF);
    S->BGPictureIndex = Saved;
    S->StretchEffect = true;
    // A client part with no width: the plain face.
    const TRect Cl = S->ClRect;
    S->ClRect.Right = S->ClRect.Left;
    C->ChangeSkinData();
    EXPECT_EQ(Background()->Pixel(100, 80), static_cast<DWORD>(ColorToRGB(clBtnFace)) & 0xFFFFFF);
    S->ClRect = Cl;
    C->ChangeSkinData();
}

TEST_F(SkinForm, RegionChangesKeepTheHandleCountFlat)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    TCustomForm* F = C->Form();
    F->SetBounds(100, 100, 270, 210);
    const int Before = LiveGdiObjects();
    for (int i = 0; i < 100; ++i) F->SetBounds(100, 100, 260 + i % 20, 200 + i % 7);
    F->SetBounds(100, 100, 270, 210);
    Pump();
    EXPECT_LE(LiveGdiObjects(), Before + 2);
}

TEST_F(SkinForm, ClientModeDrawsTheWholePictureInTheClientArea)
{
    TForm* F = NewForm(100, 100, 100, 100);
    F->SetBorderStyle(bsNone);
    auto* C = new TsfSkinForm(F);
    C->SetSupportNCArea(false);
    C->SetSkinData(Skin(u"Rire"));
    F->SetBounds(100, 100, 240, 180);
    ShowAndWait(F);
    EXPECT_EQ(F->ClientRect(), (TRect{0, 0, 240, 180}));
    TDib Dib(240, 180);
    SendMessageW(F->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    const TsfBitmap& Frame = C->Geometry().FramePicture();
    // The skin's objects are drawn over the picture: only the points they leave free are the picture's.
    auto UnderObject = [&](const TPoint& P) {
        for (const auto& O : C->ObjectList)
            if (O->Visible && P.X >= O->ObjectRect.Left && P.X < O->ObjectRect.Right && P.Y >= O->ObjectRect.Top &&
                P.Y < O->ObjectRect.Bottom)
                return true;
        return false;
    };
    int Checked = 0;
    for (TPoint P : {TPoint{120, 10}, TPoint{2, 100}, TPoint{120, 100}, TPoint{1, 120}, TPoint{238, 120}}) {
        if (UnderObject(P)) continue;
        ++Checked;
        EXPECT_EQ(Dib.Pixel(P.X, P.Y), Frame.GetPixel(P.X, P.Y) & 0xFFFFFF) << P.X << ',' << P.Y;
    }
    EXPECT_GE(Checked, 3);
    RECT W;
    GetWindowRect(F->Handle(), &W);
    EXPECT_EQ(SendMessageW(F->Handle(), WM_NCHITTEST, 0, Pos(W.left + 120, W.top + 100)), HTCLIENT);
    EXPECT_EQ(SendMessageW(F->Handle(), WM_NCHITTEST, 0, Pos(W.left + 230, W.top + 170)), HTBOTTOMRIGHT);  // the size grip
    // The first hit after the mouse came in starts the poll; with the mouse away it ends at its first tick.
    EXPECT_TRUE(C->MouseIn);
    EXPECT_TRUE(C->MouseTimerRunning());
    SetCursorPos(1200, 780);
    FClock.Clock.Advance(50);
    EXPECT_FALSE(C->MouseIn);
    EXPECT_FALSE(C->MouseTimerRunning());
}

TEST_F(SkinForm, DisplayChangeRefitsAFormAboveItsMaximum)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    C->MaxWidth = 230;
    SendMessageW(C->Form()->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 800));
    EXPECT_LE(C->Form()->Width(), 230);
}

TEST_F(SkinForm, FirstObjectHitStartsTheMouseTimerOnce)
{
    SetCursorPos(1200, 780);  // away from the form: the timer's first tick ends it
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    TCustomForm* F = C->Form();
    EXPECT_FALSE(C->MouseTimerRunning());
    EXPECT_EQ(HitAt(F, 130, 29), HTOBJECT);  // between the caption and the client area
    EXPECT_TRUE(C->MouseTimerRunning());
    FClock.Clock.Advance(30);
    EXPECT_EQ(HitAt(F, 130, 29), HTOBJECT);
    FClock.Clock.Advance(20);  // 50 ms after the first answer, not after the second
    EXPECT_FALSE(C->MouseTimerRunning());
}

TEST_F(SkinForm, CaptionDragMovesTheForm)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    TCustomForm* F = C->Form();
    auto Drag = [&](int DX, int DY) {
        RECT W;
        GetWindowRect(F->Handle(), &W);
        const int X = W.left + 80, Y = W.top + 15;  // on the caption
        MovePointer({X, Y});
        // The whole gesture is queued first: the move loop reads it from the queue.
        INPUT In[4] = {};
        for (INPUT& I : In) I.type = INPUT_MOUSE;
        const int SW = GetSystemMetrics(SM_CXSCREEN) - 1, SH = GetSystemMetrics(SM_CYSCREEN) - 1;
        auto Abs = [&](INPUT& I, int PX, int PY, DWORD Flags) {
            I.mi.dx = PX * 65535 / SW;
            I.mi.dy = PY * 65535 / SH;
            I.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE;
        };
        Abs(In[0], X, Y, MOUSEEVENTF_LEFTDOWN);
        Abs(In[1], X + DX / 2, Y + DY / 2, MOUSEEVENTF_MOVE);
        Abs(In[2], X + DX, Y + DY, MOUSEEVENTF_MOVE);
        Abs(In[3], X + DX, Y + DY, MOUSEEVENTF_LEFTUP);
        SendInput(4, In, sizeof(INPUT));
        Pump();
    };
    ASSERT_EQ(HitAt(F, 80, 15), HTCAPTION);
    Drag(60, 40);
    RECT W;
    GetWindowRect(F->Handle(), &W);
    EXPECT_EQ(W.left, 160);
    EXPECT_EQ(W.top, 140);
    // A maximised form stays where it is.
    C->SetWindowState(wsMaximized);
    Pump();
    RECT Max;
    GetWindowRect(F->Handle(), &Max);
    Drag(60, 40);
    GetWindowRect(F->Handle(), &W);
    EXPECT_EQ(W.left, Max.left);
    EXPECT_EQ(W.top, Max.top);
}

TEST_F(SkinForm, CornerDragSizesTheFrame)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200);
    TCustomForm* F = C->Form();
    ASSERT_EQ(HitAt(F, 258, 198), HTBOTTOMRIGHT);
    const int X = 100 + 258, Y = 100 + 198;
    MovePointer({X, Y});
    INPUT In[4] = {};
    const int SW = GetSystemMetrics(SM_CXSCREEN) - 1, SH = GetSystemMetrics(SM_CYSCREEN) - 1;
    // Inwards: input queued before the loop takes the mouse goes to the window under each point.
    const int Points[4][2] = {{X, Y}, {X - 20, Y - 15}, {X - 40, Y - 30}, {X - 40, Y - 30}};
    const DWORD Flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MOVE, MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 4; ++i) {
        In[i].type = INPUT_MOUSE;
        In[i].mi.dx = Points[i][0] * 65535 / SW;
        In[i].mi.dy = Points[i][1] * 65535 / SH;
        In[i].mi.dwFlags = Flags[i] | MOUSEEVENTF_ABSOLUTE;
    }
    SendInput(4, In, sizeof(INPUT));
    Pump();
    RECT W;
    GetWindowRect(F->Handle(), &W);
    EXPECT_EQ(W.right - W.left, 220);
    EXPECT_EQ(W.bottom - W.top, 170);
    EXPECT_EQ(F->ClientRect(), (TRect{0, 0, 212, 136}));
    EXPECT_EQ(C->Geometry().NewClRect, (TRect{4, 30, 216, 166}));
    EXPECT_EQ(WindowRegionBox(F->Handle()), (TRect{0, 0, 220, 170}));
    // Never below the skin's minimum size.
    F->SetBounds(100, 100, 50, 20);
    GetWindowRect(F->Handle(), &W);
    EXPECT_GE(W.right - W.left, 200);
}

TEST_F(SkinForm, FadeIn)
{
    struct { bool AlphaBlend; int Value; int Steps; int Last; } Cases[] = {
        {false, 200, 15, -1},   // the animation alone ends opaque, not layered
        {true, 128, 16, 128},   // with a constant alpha it ends layered at that value
        {true, 10, 10, 10},     // a small target: steps of 1
    };
    for (const auto& K : Cases) {
        TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200, bsSizeable, false);
        TCustomForm* F = C->Form();
        C->SetAlphaBlendAnimation(true);
        C->SetAlphaBlendValue(static_cast<Byte>(K.Value));
        C->SetAlphaBlend(K.AlphaBlend);
        F->Show();
        Pump();
        EXPECT_EQ(LayeredAlpha(F->Handle()), 0);
        std::vector<int> Seen;
        FClock.Clock.Advance(1);
        Seen.push_back(LayeredAlpha(F->Handle()));
        for (int i = 0; i < 40 && C->Fade().Running(); ++i) {
            if (i == 2) {
                // Between two steps the form answers its messages.
                EXPECT_EQ(SendMessageW(F->Handle(), WM_SKINFORMQUERY, 0, 0), 12853);
                bool Posted = false;
                PostMessageW(F->Handle(), WM_NULL, 0, 0);
                Posted = PumpUntil([&] { return !GetQueueStatus(QS_POSTMESSAGE); }, 500);
                EXPECT_TRUE(Posted);
                EXPECT_TRUE(C->Fade().Running());
            }
            FClock.Clock.Advance(TsfFormFade::StepInterval);
            Seen.push_back(LayeredAlpha(F->Handle()));
        }
        EXPECT_EQ(static_cast<int>(Seen.size()), K.Steps) << K.Value;
        EXPECT_EQ(Seen.back(), K.Last) << K.Value;
        F->Hide();
    }
    // A constant alpha without the animation: set once at the first tick; the
    // form's focused push button is told to stop morphing.
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 260, 200, bsSizeable, false);
    auto* Button = new TsfSkinButton(C->Form());
    Button->SetParent(C->Form());
    C->Form()->SetActiveControl(Button);
    C->SetAlphaBlendValue(200);
    C->SetAlphaBlend(true);
    C->Form()->Show();
    Pump();
    EXPECT_EQ(LayeredAlpha(C->Form()->Handle()), 0);
    FClock.Clock.Advance(1);
    EXPECT_EQ(LayeredAlpha(C->Form()->Handle()), 200);
    EXPECT_TRUE(Button->Core().StopAnimatePending());
}

TEST_F(SkinForm, ShadowIsAClassStyle)
{
    TsfSkinForm* C = NewSkinnedForm(nullptr);
    const HWND Wnd = C->Form()->Handle();
    C->EnableShadow(true, false);
    EXPECT_TRUE(GetClassLongPtrW(Wnd, GCL_STYLE) & CS_DROPSHADOW);
    C->EnableShadow(true, false);  // unchanged: nothing
    EXPECT_TRUE(C->HaveShadow());
    C->EnableShadow(false, true);
    EXPECT_FALSE(GetClassLongPtrW(Wnd, GCL_STYLE) & CS_DROPSHADOW);
    EXPECT_TRUE(IsWindowVisible(Wnd));
}

TEST_F(SkinForm, ScreenshotsInTheFourSkins)
{
    for (const char16_t* Name : SkinNames) {
        TsfSkinForm* C = NewSkinnedForm(Name, 320, 220);
        TCustomForm* F = C->Form();
        Pump();
        RECT W;
        GetWindowRect(F->Handle(), &W);
        SaveScreenshot(TRect{W.left - 10, W.top - 10, W.right + 10, W.bottom + 10}, String(u"form_") + Name);
        F->Hide();
    }
}

namespace {

// Buttons that note every skin change and whether it reached a live one.
std::set<const void*> LiveButtons;
int ChangesOfFreedButtons = 0;

class TNotingButton : public TsfSkinButton {
public:
    explicit TNotingButton(TComponent* AOwner) : TsfSkinButton(AOwner) { LiveButtons.insert(this); }
    ~TNotingButton() override { LiveButtons.erase(this); }
    void ChangeSkinData() override
    {
        if (!LiveButtons.count(this)) {
            ++ChangesOfFreedButtons;
            return;
        }
        ++Changes;
        TsfSkinButton::ChangeSkinData();
    }
    int Changes = 0;
};

// A button whose skin change frees other controls, as a panel rebuilding its items does.
class TFreeingButton : public TNotingButton {
public:
    using TNotingButton::TNotingButton;
    void ChangeSkinData() override
    {
        TNotingButton::ChangeSkinData();
        for (TControl* C : Victims) delete C;
        Victims.clear();
    }
    std::vector<TControl*> Victims;
};

} // namespace

TEST_F(SkinForm, ASkinChangeThatFreesControlsReachesOnlyLiveOnes)
{
    TsfSkinForm* C = NewSkinnedForm(u"Rire", 320, 220);
    TCustomForm* F = C->Form();
    auto Add = [&](TNotingButton* B) {
        B->SetParent(F);
        B->SetSkinData(C->SkinData());
        return B;
    };
    ChangesOfFreedButtons = 0;
    TNotingButton* Before = Add(new TNotingButton(nullptr));
    auto* Freeing = static_cast<TFreeingButton*>(Add(new TFreeingButton(nullptr)));
    TNotingButton* After = Add(new TNotingButton(nullptr));
    TNotingButton* Kept = Add(new TNotingButton(nullptr));
    // Whichever order the walk takes, one of the two freed buttons comes after the freeing one.
    Freeing->Victims = {Before, After};
    const int KeptBefore = Kept->Changes, FreeingBefore = Freeing->Changes;
    TsfSkinForm::ChangeSkinDataOfControls(nullptr, F);
    EXPECT_EQ(ChangesOfFreedButtons, 0);
    EXPECT_EQ(Kept->Changes, KeptBefore + 1);
    EXPECT_EQ(Freeing->Changes, FreeingBefore + 1);
    delete Freeing;
    delete Kept;
}
