// The glow layer through a real window on the display, with the platform's
// UpdateLayeredWindow intercepted (layered windows never look translucent
// under this platform): the attributes, the alpha sequence of the fade driven
// tick by tick through the fade timer's event, and the life of the window.
#include <gtest/gtest.h>

#include "SkinPlatformTestEnv.h"
#include "framework/controls/win/GuiTest.h"
#include "skin/model/win/SFLayerManager.h"
#include "skin/model/win/SFUtils_Win.h"

using namespace guitest;

namespace {

struct TUpdate {
    HWND Wnd;
    POINT Dst;
    SIZE Size;
    BYTE Alpha, Format;
    DWORD Flags;
};
std::vector<TUpdate> GUpdates;

BOOL WINAPI FakeUpdateLayeredWindow(HWND Wnd, HDC, POINT* Dst, SIZE* Size, HDC Src, POINT*, COLORREF,
                                    BLENDFUNCTION* Blend, DWORD Flags)
{
    EXPECT_NE(Src, nullptr);
    GUpdates.push_back({Wnd, *Dst, *Size, Blend->SourceConstantAlpha, Blend->AlphaFormat, Flags});
    return TRUE;
}

std::vector<HWND> LayerWindows()
{
    std::vector<HWND> List;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Wnd, LPARAM L) CALLBACK -> BOOL {
            wchar_t Name[64];
            GetClassNameW(Wnd, Name, 64);
            if (std::wstring(Name) == L"TsfLayerWindow") reinterpret_cast<std::vector<HWND>*>(L)->push_back(Wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&List));
    return List;
}

class LayerManager : public FormTest {
protected:
    void SetUp() override
    {
        GUpdates.clear();
        FSaved = SfUpdateLayeredWindow;
        SfUpdateLayeredWindow = FakeUpdateLayeredWindow;
    }
    void TearDown() override
    {
        Manager.reset();
        SfUpdateLayeredWindow = FSaved;
        SfGetVersion = FSavedVersion;
        FormTest::TearDown();
    }
    // Steps the fade by one tick of its timer; the test never pumps the
    // timer's own messages meanwhile.
    void Tick() { Manager->Timer()->OnTimer(Manager->Timer()); }
    std::vector<Integer> AlphasSinceShow() const
    {
        std::vector<Integer> A;
        for (size_t i = 1; i < GUpdates.size(); ++i) A.push_back(GUpdates[i].Alpha);
        return A;
    }
    std::unique_ptr<TsfLayerManager> Manager = std::make_unique<TsfLayerManager>(nullptr);
    std::unique_ptr<TBitmap> Image = SolidBitmap(20, 10, clRed), Mask = SolidBitmap(20, 10, clWhite);
    TUpdateLayeredWindowProc FSaved = nullptr;
    TsfGetVersionProc FSavedVersion = SfGetVersion;
};

}  // namespace

TEST_F(LayerManager, ShowMakesAClickThroughTopMostPopupFilledAtAlphaZero)
{
    TForm* Form = NewForm(100, 100, 200, 150);
    ShowAndWait(Form);
    SetForegroundWindow(Form->Handle());
    Pump();
    const HWND Before = GetForegroundWindow();

    Manager->Show(130, 140, Image.get(), Mask.get(), 255);
    ASSERT_NE(Manager->LayerWindow(), nullptr);
    const HWND Wnd = Manager->LayerWindow()->Handle();
    EXPECT_TRUE(Manager->IsVisible());
    EXPECT_TRUE(IsWindowVisible(Wnd));
    EXPECT_EQ(GetForegroundWindow(), Before);  // shown without activation
    const LONG_PTR Style = GetWindowLongPtrW(Wnd, GWL_STYLE), Ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
    EXPECT_EQ(Style & (WS_POPUP | WS_CHILD | WS_CAPTION), WS_POPUP);
    EXPECT_EQ(Ex & (WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED | WS_EX_TOPMOST),
              WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED | WS_EX_TOPMOST);
    EXPECT_TRUE(GetClassLongPtrW(Wnd, GCL_STYLE) & CS_SAVEBITS);
    EXPECT_EQ(SendMessageW(Wnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Form->Handle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    RECT R;
    GetWindowRect(Wnd, &R);
    EXPECT_EQ((TRect{R.left, R.top, R.right, R.bottom}), (TRect{130, 140, 150, 150}));

    // The content went in once, at alpha 0, at the window's place and the picture's size.
    ASSERT_EQ(GUpdates.size(), 1u);
    EXPECT_EQ(GUpdates[0].Wnd, Wnd);
    EXPECT_EQ(GUpdates[0].Alpha, 0);
    EXPECT_EQ(GUpdates[0].Format, AC_SRC_ALPHA);
    EXPECT_EQ(GUpdates[0].Flags, static_cast<DWORD>(ULW_ALPHA));
    EXPECT_EQ(GUpdates[0].Dst.x, 130);
    EXPECT_EQ(GUpdates[0].Dst.y, 140);
    EXPECT_EQ(GUpdates[0].Size.cx, 20);
    EXPECT_EQ(GUpdates[0].Size.cy, 10);
    EXPECT_TRUE(Manager->Timer()->Enabled());
    EXPECT_EQ(Manager->Timer()->Interval(), 25u);
    // The picture: opaque where the mask is white, colours kept.
    EXPECT_EQ(Manager->Bmp()->GetPixel(3, 3), 0xFFFF0000u);

    // Not top-most when asked: Update places it again without the band.
    Manager->SetTopMostMode(false);
    Manager->Update();
    EXPECT_FALSE(GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(Wnd));
}

TEST_F(LayerManager, ClicksGoThroughToTheWindowBelow)
{
    TForm* Form = NewForm(100, 100, 200, 150);
    Form->SetFormStyle(fsStayOnTop);
    Integer Downs = 0;
    Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++Downs; };
    ShowAndWait(Form);
    POINT Origin{0, 0};
    ClientToScreen(Form->Handle(), &Origin);
    Manager->Show(Origin.x + 20, Origin.y + 20, Image.get(), Mask.get(), 255);
    const HWND Wnd = Manager->LayerWindow()->Handle();
    Pump();
    MovePointer(Point(Origin.x + 30, Origin.y + 25));
    LeftButton(true);
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return Downs == 1; }));
    EXPECT_NE(GetForegroundWindow(), Wnd);
    EXPECT_TRUE(IsWindowVisible(Wnd));
}

TEST_F(LayerManager, FadeStepsToItsTargetAndStops)
{
    const struct { Integer Target; std::vector<Integer> Alphas; } Cases[] = {
        {255, {25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}},  // 11 ticks
        {0, {0}},                                                      // stops at once
        {5, {1, 2, 3, 4, 5}},                                          // a step of at least 1
        {19, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
        {100, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
        {300, {25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}},  // a byte at most
        {-5, {0}},
    };
    for (const auto& C : Cases) {
        GUpdates.clear();
        Manager->Show(10, 10, Image.get(), Mask.get(), C.Target);
        for (size_t i = 0; i < C.Alphas.size(); ++i) {
            EXPECT_TRUE(Manager->Timer()->Enabled()) << C.Target << " tick " << i;
            Tick();
        }
        EXPECT_FALSE(Manager->Timer()->Enabled()) << C.Target;
        EXPECT_EQ(AlphasSinceShow(), C.Alphas) << C.Target;
        EXPECT_EQ(Manager->BeginAlphaBlendValue(), C.Alphas.back());
        Tick();  // a stray tick after the end changes nothing
        EXPECT_EQ(AlphasSinceShow().back(), C.Alphas.back());
    }
}

TEST_F(LayerManager, ShowTwiceLeavesOneWindowAndHideReturnsToIdle)
{
    Manager->Show(10, 10, Image.get(), Mask.get(), 200);
    const HWND First = Manager->LayerWindow()->Handle();
    Manager->Show(40, 10, Image.get(), Mask.get(), 200);
    const HWND Second = Manager->LayerWindow()->Handle();
    EXPECT_FALSE(IsWindow(First));
    EXPECT_EQ(LayerWindows(), std::vector<HWND>{Second});
    Tick();

    Manager->Hide();
    EXPECT_FALSE(IsWindow(Second));
    EXPECT_TRUE(LayerWindows().empty());
    EXPECT_EQ(Manager->LayerWindow(), nullptr);
    EXPECT_EQ(Manager->Bmp(), nullptr);
    EXPECT_FALSE(Manager->IsVisible());
    EXPECT_FALSE(Manager->Timer()->Enabled());
    // Idle: hiding, updating and ticking again do nothing.
    const size_t Calls = GUpdates.size();
    Manager->Hide();
    Manager->Update();
    Tick();
    EXPECT_EQ(GUpdates.size(), Calls);

    // Freeing a manager that shows a glow takes the window with it.
    Manager->Show(10, 10, Image.get(), Mask.get(), 200);
    const HWND Third = Manager->LayerWindow()->Handle();
    Manager.reset();
    EXPECT_FALSE(IsWindow(Third));
}

TEST_F(LayerManager, NothingBeforeWindows2000)
{
    SfGetVersion = [] { return Cardinal(0x0004); };
    Manager->Show(10, 10, Image.get(), Mask.get(), 255);
    EXPECT_EQ(Manager->LayerWindow(), nullptr);
    EXPECT_FALSE(Manager->IsVisible());
    EXPECT_TRUE(GUpdates.empty());
}

TEST(LayerBitmap, AlphaFromTheMaskAndColoursCapped)
{
    auto Image = SolidBitmap(2, 1, static_cast<TColor>(RGB(200, 100, 50)));
    auto Mask = SolidBitmap(2, 1, clWhite);
    Mask->Canvas()->Pixels(0, 0);
    Mask->Canvas()->SetPixels(1, 0, static_cast<TColor>(RGB(128, 128, 128)));
    TsfBitmap Dest;
    MakeLayerBitmap(Image.get(), Mask.get(), &Dest);
    EXPECT_EQ(Dest.GetPixel(0, 0), 0xFFC86432u);
    EXPECT_EQ(Dest.GetPixel(1, 0), 0x80806432u);  // red capped at the alpha

    // Without the platform function nothing is called (and nothing breaks).
    const TUpdateLayeredWindowProc Saved = SfUpdateLayeredWindow;
    SfUpdateLayeredWindow = nullptr;
    TsfLayerWindow Window(nullptr);
    UpdateLayeredBitmap(&Dest, 255, &Window);
    EXPECT_FALSE(Window.HandleAllocated());
    SfUpdateLayeredWindow = Saved;
}
