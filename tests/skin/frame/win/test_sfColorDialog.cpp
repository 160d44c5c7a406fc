#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "SkinControlTestEnv.h"
#include "framework/controls/win/Hints.h"
#include "skin/controls/SkinColorCore.h"
#include "skin/controls/win/SkinExCtrls.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinHint.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/frame/win/sfColorDialog.h"

using namespace guitest;
using namespace skintest;

namespace {

// A message-only window: records the messages of interest and runs a task
// posted to it (inside whatever message loop is running then: a modal one).
class TSink {
public:
    TSink()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ColorDialogTestSink";
        RegisterClassW(&wc);
        Wnd = CreateWindowW(L"ColorDialogTestSink", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(Wnd, GWLP_USERDATA, LONG_PTR(this));
    }
    ~TSink() { DestroyWindow(Wnd); }
    // Task runs in the first message loop that sees Ready hold (a modal loop
    // that is not running yet). Polled by a timer, the lowest of messages, so
    // input is never starved while it waits.
    void Post(std::function<bool()> Ready, std::function<void()> Task)
    {
        FReady = std::move(Ready);
        FTask = std::move(Task);
        SetTimer(Wnd, 1, 5, nullptr);
    }
    HWND Wnd = nullptr;
    std::vector<std::pair<WPARAM, LPARAM>> Previews;  // 0x40C
    std::vector<std::pair<WPARAM, LPARAM>> Hovers;    // 0x40B

private:
    static LRESULT CALLBACK Proc(HWND W, UINT M, WPARAM WP, LPARAM LP)
    {
        auto* S = reinterpret_cast<TSink*>(GetWindowLongPtrW(W, GWLP_USERDATA));
        if (S && M == 0x40C) S->Previews.push_back({WP, LP});
        if (S && M == 0x40B) S->Hovers.push_back({WP, LP});
        if (S && M == WM_TIMER && S->FTask && S->FReady()) {
            KillTimer(W, 1);
            auto Task = std::move(S->FTask);
            S->FTask = nullptr;
            Task();
        }
        return DefWindowProcW(W, M, WP, LP);
    }
    std::function<bool()> FReady;
    std::function<void()> FTask;
};

void ClickAt(TPoint Screen)
{
    MovePointer(Screen);
    LeftButton(true);
    LeftButton(false);
    Pump();
}

TPoint Centre(TControl* C) { return C->ClientToScreen({C->Width() / 2, C->Height() / 2}); }

// Waits until the screen shows Expected at client point P of C.
::testing::AssertionResult ShowsAt(TControl* C, TPoint P, TColor Expected)
{
    const TPoint S = C->ClientToScreen(P);
    DWORD Got = 0;
    if (PumpUntil([&] {
            Got = CaptureScreen({S.X, S.Y, S.X + 1, S.Y + 1})->Pixel(0, 0);
            return Got == ScreenRGB(Expected);
        }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << P.X << "," << P.Y << std::hex << " screen 0x" << Got
                                         << ", expected 0x" << ScreenRGB(Expected);
}

TColor Inverted(const TsfRGB& C) { return RGBBytesToColor({Byte(~C.Red), Byte(~C.Green), Byte(~C.Blue)}); }

class ColorDialogTest : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        FOld = InstallSkinFrameMenuServices();
        MovePointer({1200, 760});
    }
    void TearDown() override
    {
        SkinFormTest::TearDown();
        InstallSkinMenuServices(FOld);
    }
    // Runs Body inside D's modal window once it shows; the window is
    // cancelled afterwards unless Body closed it.
    bool Run(TsfSkinColorDialog* D, std::function<void()> Body)
    {
        Sink.Post([&] { return D->DialogForm && D->DialogForm->Showing(); },
                  [&] {
                      Body();
                      if (D->DialogForm && D->DialogForm->ModalResult() == mrNone)
                          D->DialogForm->SetModalResult(mrCancel);
                  });
        return D->Execute();
    }
    std::vector<Integer> Fields(TsfSkinColorDialog* D)
    {
        return {D->REdit->Value(), D->GEdit->Value(), D->BEdit->Value(),
                D->HEdit->Value(), D->SEdit->Value(), D->LEdit->Value()};
    }
    TSink Sink;
    TsfSkinMenuServices* FOld = nullptr;
};

}  // namespace

// Opened on red: the fields, the basic grid's selection, both markers, the
// viewer and one preview message; the ring's left edge turns the hue to 63.
TEST_F(ColorDialogTest, OpensOnRedAndTheRingTurnsTheHue)
{
    auto* D = new TsfSkinColorDialog(nullptr);
    auto Free = ScopeExit([&] { delete D; });
    D->SetColor(0x0000FF);
    D->SetMainWindowHandle(Sink.Wnd);
    const bool Ok = Run(D, [&] {
        EXPECT_EQ(Fields(D), (std::vector<Integer>{255, 0, 0, 0, 100, 100}));
        EXPECT_EQ(D->ColorGrid->ColorValue(), TColor(0x0000FF));
        EXPECT_EQ(D->DialogForm->Width(), 384);
        EXPECT_EQ(D->DialogForm->Left(), 0) << "a top of 0 is not centred";
        TImage* P = D->PalettePSP;
        const auto Hues = PaletteHueTable();
        // The square's marker circles the right end of the middle row (its centre untouched)...
        EXPECT_TRUE(ShowsAt(P, {150, 97}, RGBBytesToColor(PaletteSquarePixel(0, 150, 97))));
        EXPECT_TRUE(ShowsAt(P, {145, 97}, Inverted(PaletteSquarePixel(0, 145, 97))));
        // ...the ring's marker the top of the ring.
        TsfRGB Ring;
        ASSERT_TRUE(PaletteRingPixel(Hues, 92, 10, Ring));
        EXPECT_TRUE(ShowsAt(P, {92, 10}, Inverted(Ring)));
        EXPECT_TRUE(ShowsAt(D->ColorViewer, {10, 5}, 0x0000FF));
        // One preview for the burst of changes at opening, with the colour then.
        FClock.Clock.Advance(100);
        EXPECT_EQ(Sink.Previews, (std::vector<std::pair<WPARAM, LPARAM>>{{0x0000FF, 0}}));

        // A real click on the ring's left edge.
        ClickAt(P->ClientToScreen({1, 97}));
        EXPECT_EQ(D->ClickZone(), TsfPaletteZone::None) << "the release ends the press";
        EXPECT_EQ(D->PaletteColor().HSLPSP().Hue, 63);
        const TsfRGB C = D->PaletteColor().RGBValue();
        EXPECT_EQ(Fields(D)[0], C.Red);
        EXPECT_EQ(Fields(D)[1], C.Green);
        EXPECT_EQ(Fields(D)[2], C.Blue);
        EXPECT_GT(C.Green, C.Red) << "yellow-green";
        EXPECT_GT(C.Red, C.Blue);
        EXPECT_EQ(D->HEdit->Value(), RGBToHSV(C).Hue);
        const double Hue = D->PaletteColor().HSL().Hue;
        EXPECT_TRUE(ShowsAt(P, {150, 97}, RGBBytesToColor(PaletteSquarePixel(Hue, 150, 97)))) << "the square follows";
        EXPECT_TRUE(ShowsAt(D->ColorViewer, {10, 5}, RGBBytesToColor(C)));
        EXPECT_TRUE(ShowsAt(D->ColorViewer, {10, D->ColorViewer->Height() - 5}, 0x0000FF)) << "the old colour";
        SaveScreenshot(D->DialogForm, u"colordialog_builtin");
    });
    EXPECT_FALSE(Ok);
    EXPECT_EQ(D->Color(), TColor(0x0000FF)) << "cancelled";
}

// A grey; a drag in the square beyond its corner clamps to white; the grids
// and the H, S, L fields bring the others in line; Add and OK hand the
// choice back, Cancel only the position.
TEST_F(ColorDialogTest, FieldsGridsSquareAndTheClosingButtons)
{
    auto* D = new TsfSkinColorDialog(nullptr);
    auto Free = ScopeExit([&] { delete D; });
    D->SetColor(0x808080);
    D->SetDialogFormPos(30, 40);
    bool Ok = Run(D, [&] {
        EXPECT_EQ(Fields(D), (std::vector<Integer>{128, 128, 128, 0, 0, 50}));
        EXPECT_EQ(D->DialogForm->Left(), 30);
        // Drag from inside the square to beyond its bottom-left corner.
        MovePointer(D->PalettePSP->ClientToScreen({100, 100}));
        LeftButton(true);
        Pump();
        EXPECT_EQ(D->ClickZone(), TsfPaletteZone::Square);
        MovePointer(D->PalettePSP->ClientToScreen({20, 190}));
        LeftButton(false);
        Pump();
        EXPECT_EQ(D->PaletteColor().HSLPSP(), (TsfHSLBytes{0, 0, 255}));
        EXPECT_EQ(Fields(D), (std::vector<Integer>{255, 255, 255, 0, 0, 100}));

        // The H, S, L (value) fields: pure blue-violet at hue 240.
        D->HEdit->SetValue(240);
        D->SEdit->SetValue(100);
        D->LEdit->SetValue(100);
        EXPECT_EQ(Fields(D), (std::vector<Integer>{0, 0, 255, 240, 100, 100}));
        EXPECT_EQ(D->ColorViewer->ColorValue(), TColor(0xFF0000));
        EXPECT_EQ(D->PaletteColor().RGBValue(), (TsfRGB{0, 0, 255}));

        // A real click on a basic cell (row 3, first column: $408080).
        const TsfColorGridLayout L = D->ColorGrid->Layout();
        const TRect Cell = L.HitRect(12);
        ClickAt(D->ColorGrid->ClientToScreen({(Cell.Left + Cell.Right) / 2, (Cell.Top + Cell.Bottom) / 2}));
        EXPECT_EQ(Fields(D), (std::vector<Integer>{0x80, 0x80, 0x40, 60, 50, 50}));
        EXPECT_EQ(D->ColorViewer->ColorValue(), TColor(0x408080));
        EXPECT_EQ(D->PaletteColor().RGBValue(), (TsfRGB{0x80, 0x80, 0x40}));

        ClickAt(Centre(D->AddCustomColorButton));
        EXPECT_EQ(D->CustomColorGrid->CustomColors().Count, 1);
        D->DialogForm->SetLeft(50);
        ClickAt(Centre(D->OkButton));
    });
    EXPECT_TRUE(Ok);
    EXPECT_EQ(D->Color(), TColor(0x408080));
    EXPECT_EQ(D->CustomColors().Count, 1);
    EXPECT_EQ(D->CustomColors().Values[0], TColor(0x408080));
    EXPECT_EQ(D->DialogFormLeft(), 50);
    EXPECT_EQ(D->DialogForm, nullptr);

    Ok = Run(D, [&] {
        EXPECT_EQ(D->CustomColorGrid->CustomColors().Values[0], TColor(0x408080)) << "the custom colours come back";
        ClickAt(Centre(D->AddCustomColorButton));
        D->DialogForm->SetLeft(70);
        ClickAt(Centre(D->CancelButton));
    });
    EXPECT_FALSE(Ok);
    EXPECT_EQ(D->Color(), TColor(0x408080));
    EXPECT_EQ(D->CustomColors().Count, 1);
    EXPECT_EQ(D->DialogFormLeft(), 70);
}

// A skin with texts: the window caption from the frame's skin, the rest
// from the controls' skin; the four skins' looks as screenshots.
TEST_F(ColorDialogTest, SkinnedLooks)
{
    for (const char16_t* Name : SkinNames) {
        auto* D = new TsfSkinColorDialog(nullptr);
        auto Free = ScopeExit([&] { delete D; });
        D->SetSkinData(Skin(Name));
        D->SetCtrlSkinData(Skin(Name));
        D->SetColor(0x00C0FF);
        Run(D, [&] {
            EXPECT_TRUE(ShowsAt(D->ColorViewer, {10, 5}, 0x00C0FF)) << UTF8Encode(Name);
            SaveScreenshot(D->DialogForm, String(u"colordialog_") + Name);
        });
    }
}

// The colour button: the menu's entries, the selection at opening, the
// automatic entry, a colour, the hover message and the more-colours dialog.
TEST_F(ColorDialogTest, ColorButtonMenu)
{
    TForm* Form = NewForm(100, 100, 200, 100);
    auto* B = new TsfSkinColorButton(Form);
    B->SetParent(Form);
    B->SetBounds(10, 10, 40, 25);
    B->SetMainWindowHandle(Sink.Wnd);
    auto* M = static_cast<TsfSkinImagesMenu*>(B->ColorMenu());
    ASSERT_NE(M, nullptr);
    EXPECT_EQ(M->ItemCount(), 43);
    EXPECT_EQ(B->ColorImages()->Count(), 41);
    EXPECT_EQ(M->ColumnsCount(), 8);
    EXPECT_EQ(M->ImagesItems()->GetItem(0)->Caption(), u"Automatic");
    EXPECT_EQ(M->ImagesItems()->GetItem(41)->Caption(), u"More Colors...");
    EXPECT_EQ(M->ImagesItems()->GetItem(42)->Caption(), u"Select Color From Screen");
    int Changes = 0, Picks = 0;
    B->OnChangeColor = [&](TObject*) { ++Changes; };
    B->OnStartPickColor = [&](TObject*) { ++Picks; };
    ShowAndWait(Form);

    auto Open = [&] {
        ClickAt(Centre(B));
        ASSERT_TRUE(PumpUntil([&] { return M->PopupWindow() && IsWindowVisible(M->PopupWindow()->Handle()); }));
    };
    auto Cell = [&](Integer I) {
        const TRect R = M->ImagesItems()->GetItem(I)->ItemRect;
        return TPoint{M->PopupWindow()->Left() + (R.Left + R.Right) / 2, M->PopupWindow()->Top() + (R.Top + R.Bottom) / 2};
    };
    B->SetColorValue(0x0000FF);
    EXPECT_EQ(Changes, 1) << "before the first opening even a colour fires";
    Open();
    EXPECT_EQ(M->ItemIndex(), 17) << "red is the seventeenth colour";
    MovePointer(Cell(9));
    EXPECT_EQ(Sink.Hovers, (std::vector<std::pair<WPARAM, LPARAM>>{{0x000080, 9}}));
    // The automatic entry: the strip goes off, the colour stays.
    ClickAt(Cell(0));
    EXPECT_FALSE(B->DrawColorMarker());
    EXPECT_EQ(B->ColorValue(), TColor(0x0000FF));
    EXPECT_EQ(Changes, 2);
    // Opening again selects the automatic entry; red again turns the strip on.
    Open();
    EXPECT_EQ(M->ItemIndex(), 0);
    ClickAt(Cell(17));
    EXPECT_TRUE(B->DrawColorMarker());
    EXPECT_EQ(Changes, 3);
    Open();
    ClickAt(Cell(17));
    EXPECT_EQ(Changes, 3) << "the same colour with the strip on: nothing";
    Open();
    ClickAt(Cell(42));
    EXPECT_EQ(Picks, 1);

    // More colours: the dialog opens on the button's colour; OK takes its colour.
    int Closes = 0;
    B->OnColorDialogClose = [&](TObject*) { ++Closes; };
    Open();
    MovePointer(Cell(41));
    TsfSkinColorDialog* D = nullptr;
    Sink.Post(
        [&] {
            D = dynamic_cast<TsfSkinColorDialog*>(B->ColorDialog());
            return D && D->DialogForm && D->DialogForm->Showing();
        },
        [&] {
        EXPECT_EQ(D->REdit->Value(), 255);
        D->GEdit->SetValue(128);
        ClickAt(Centre(D->AddCustomColorButton));
        ClickAt(Centre(D->OkButton));
    });
    LeftButton(true);
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return Closes == 1; }));
    EXPECT_EQ(B->ColorValue(), TColor(0x0080FF));
    EXPECT_EQ(B->CustomColors().Count, 1);
    EXPECT_EQ(B->CustomColors().Values[0], TColor(0x0080FF));

    // Without the automatic entry and the more-colours entry: 41 items, image numbers kept.
    B->SetShowAutoColor(false);
    B->SetShowMoreColor(false);
    EXPECT_EQ(M->ItemCount(), 41);
    EXPECT_EQ(M->ImagesItems()->GetItem(0)->ImageIndex(), 1);
    B->SetShowPickColor(false);
    EXPECT_EQ(M->ItemCount(), 40);
    EXPECT_EQ(B->ColorImages()->Count(), 41);
}

// The graphic and colour buttons hand their menu properties to the grid they
// own (the font as a copy); the graphic button's selected item follows ItemIndex.
TEST_F(ColorDialogTest, ButtonsPassMenuPropertiesThrough)
{
    TForm* Form = NewForm(100, 100, 200, 100);
    auto* G = new TsfSkinPenStyleButton(Form);
    auto* C = new TsfSkinColorButton(Form);
    const std::pair<TsfImagesMenuProperties*, TsfSkinImagesMenu*> Buttons[] = {
        {G, static_cast<TsfSkinImagesMenu*>(G->GraphicMenu())},
        {C, static_cast<TsfSkinImagesMenu*>(C->ColorMenu())}};
    for (auto [B, M] : Buttons) {
        ASSERT_NE(M, nullptr);
        B->SetMenuShowHints(false);
        B->SetMenuUseSkinFont(false);
        B->SetMenuAlphaBlend(true);
        B->SetMenuAlphaBlendValue(99);
        B->SetMenuAlphaBlendAnimation(true);
        TFont F;
        F.SetName(u"Courier New");
        B->SetMenuDefaultFont(&F);
        F.SetName(u"Arial");
        auto* Hint = new TsfSkinHint(Form);
        // The hint component takes over the application's hint window: given back below.
        auto Restore = ScopeExit([] {
            HintWindowClass = HintWindowClassOf<THintWindow>();
            Application->OnShowHint = nullptr;
        });
        B->SetMenuSkinHint(Hint);
        EXPECT_FALSE(M->ShowHints);
        EXPECT_FALSE(M->UseSkinFont);
        EXPECT_TRUE(M->AlphaBlend);
        EXPECT_EQ(M->AlphaBlendValue, 99);
        EXPECT_TRUE(M->AlphaBlendAnimation);
        EXPECT_EQ(M->DefaultFont()->Name(), u"Courier New") << "copied, not shared";
        EXPECT_EQ(B->MenuSkinHint(), Hint);
        B->SetMenuSkinHint(nullptr);
        EXPECT_EQ(M->SkinHint(), nullptr);
    }
    G->SetItemIndex(3);
    ASSERT_NE(G->SelectedItem(), nullptr);
    EXPECT_EQ(static_cast<TsfImagesMenuItem*>(G->SelectedItem())->ImageIndex(), 3);
    EXPECT_EQ(G->GraphicItems()->Count(), 5);
    G->SetItemIndex(7);
    EXPECT_EQ(G->SelectedItem(), nullptr);
}
