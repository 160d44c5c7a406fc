#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/sfColorCtrls.h"

using namespace skintest;

namespace {

class ColorCtrlsTest : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        guitest::MovePointer({1200, 760});
    }
    // A real click at client point P of C.
    void Click(TControl* C, TPoint P)
    {
        guitest::MovePointer(C->ClientToScreen(P));
        guitest::LeftButton(true);
        guitest::LeftButton(false);
        guitest::Pump();
    }
    // Waits until the screen shows Expected at client point P of C.
    ::testing::AssertionResult ShowsAt(TControl* C, TPoint P, TColor Expected)
    {
        const TPoint S = C->ClientToScreen(P);
        DWORD Got = 0;
        const bool Ok = guitest::PumpUntil([&] {
            Got = CaptureScreen({S.X, S.Y, S.X + 1, S.Y + 1})->Pixel(0, 0);
            return Got == ScreenRGB(Expected);
        });
        if (Ok) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << std::hex << "at " << std::dec << P.X << "," << P.Y << " screen 0x"
                                             << std::hex << Got << ", expected 0x" << ScreenRGB(Expected);
    }
    static TPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
};

// Records the messages a window receives.
struct TPreviewSink {
    TPreviewSink()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ColorPreviewSink";
        RegisterClassW(&wc);
        Wnd = CreateWindowW(L"ColorPreviewSink", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(Wnd, GWLP_USERDATA, LONG_PTR(this));
    }
    ~TPreviewSink() { DestroyWindow(Wnd); }
    static LRESULT CALLBACK Proc(HWND W, UINT M, WPARAM WP, LPARAM LP)
    {
        if (M == TsfColorViewer::WM_COLORPREVIEW)
            if (auto* S = reinterpret_cast<TPreviewSink*>(GetWindowLongPtrW(W, GWLP_USERDATA)))
                S->Colors.push_back(TColor(WP)), S->LParams.push_back(LP);
        return DefWindowProcW(W, M, WP, LP);
    }
    HWND Wnd = nullptr;
    std::vector<TColor> Colors;
    std::vector<LPARAM> LParams;
};

}  // namespace

// The dialog's layout: 6 columns, 8 rows in 167 x 195 without a border show
// the table in order; only colours of the table select a cell and fire
// OnChange; a real click selects the cell under it, a click between cells
// nothing.
TEST_F(ColorCtrlsTest, BasicGridShowsTableAndSelects)
{
    TForm* form = NewForm(100, 100, 200, 220);
    auto* G = new TsfSkinColorGrid(form);
    G->SetParent(form);
    G->SetBorderStyle(TsfSkinBorderStyle::bvNone);
    G->SetBounds(5, 5, 167, 195);
    G->SetColCount(6);
    G->SetRowCount(8);
    G->SetRowCount(0);  // refused: a row count of 0 would divide by zero
    EXPECT_EQ(G->RowCount(), 8);
    int Changes = 0;
    G->OnChange = [&](TObject*) { ++Changes; };
    ShowAndWait(form);

    const TsfColorGridLayout L = G->Layout();
    ASSERT_EQ(L.Cells(), 48);
    for (Integer N = 0; N < 48; ++N)
        EXPECT_TRUE(ShowsAt(G, Centre(L.SwatchRect(N, false)), sfBasicColors[size_t(N)])) << "cell " << N;

    G->SetColorValue(0x123456);  // not in the table
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(G->ColorValue(), TColor(0x123456));
    // Nothing selected: the corner of cell 4 (red) still shows the grid's face.
    const TRect Sel = L.SelectionRect(4);
    EXPECT_NE(CaptureControl(G)->Pixel(Sel.Left, Sel.Top), ScreenRGB(0x800000));
    G->SetColorValue(0x0000FF);
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(ShowsAt(G, {Sel.Left, Sel.Top}, 0x800000)) << "navy outline of the built-in selection";
    EXPECT_TRUE(ShowsAt(G, {Sel.Left + 2, Sel.Top + 2}, 0xB59385)) << "the selection's fill";
    EXPECT_TRUE(ShowsAt(G, Centre(L.SwatchRect(4, true)), 0x0000FF));
    SaveScreenshot(G, u"colorgrid_red");

    // A real click on cell 13 (dark green), then between cells 0 and 1.
    Click(G, Centre(L.HitRect(13)));
    EXPECT_EQ(G->ColorValue(), TColor(0x004000));
    EXPECT_EQ(Changes, 2);
    const TRect H0 = L.HitRect(0);
    Click(G, {H0.Right, (H0.Top + H0.Bottom) / 2});  // the right edge belongs to no cell
    EXPECT_EQ(G->ColorValue(), TColor(0x004000));
    EXPECT_EQ(Changes, 2);
    EXPECT_TRUE(ShowsAt(G, {L.SelectionRect(13).Left, L.SelectionRect(13).Top}, 0x800000));
}

// Thirteen colours wrap to the first cell; a click selects a custom cell by number.
TEST_F(ColorCtrlsTest, CustomGridWrapsAndSelects)
{
    TForm* form = NewForm(100, 100, 200, 100);
    auto* G = new TsfSkinCustomColorGrid(form);
    G->SetParent(form);
    G->SetBounds(5, 5, 167, 68);
    EXPECT_EQ(G->Caption(), u"Custom colors");
    EXPECT_EQ(G->ColCount(), 6);
    EXPECT_EQ(G->RowCount(), 2);
    int Changes = 0;
    G->OnChange = [&](TObject*) { ++Changes; };
    for (Integer I = 0; I < 13; ++I) G->AddColor(0x010101 * (I + 1));
    EXPECT_EQ(G->CustomColors().Count, 1);
    EXPECT_EQ(G->CustomColors().Values[0], TColor(0x0D0D0D));
    EXPECT_EQ(G->CustomColors().Values[1], TColor(0x020202));
    ShowAndWait(form);

    const TsfColorGridLayout L = G->Layout();
    ASSERT_EQ(L.Cells(), 12);
    EXPECT_TRUE(ShowsAt(G, Centre(L.SwatchRect(0, false)), 0x0D0D0D));
    EXPECT_TRUE(ShowsAt(G, Centre(L.SwatchRect(11, false)), 0x0C0C0C));
    Click(G, Centre(L.HitRect(7)));
    EXPECT_EQ(G->ColorIndex(), 8);
    EXPECT_EQ(G->ColorValue(), TColor(0x080808));
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(ShowsAt(G, {L.SelectionRect(7).Left, L.SelectionRect(7).Top}, 0x800000));
    EXPECT_TRUE(ShowsAt(G, Centre(L.SwatchRect(7, true)), 0x080808));
}

// A burst of changes gives one preview message, 100 ms after the first
// change, with the colour current then; the viewer shows new over old.
TEST_F(ColorCtrlsTest, ViewerPreviewsOncePerBurst)
{
    TForm* form = NewForm(100, 100, 100, 100);
    auto* V = new TsfColorViewer(form);
    V->SetParent(form);
    V->SetBounds(10, 10, 40, 40);
    TPreviewSink Sink;
    V->SetMainWindowHandle(Sink.Wnd);
    V->SetOldColorValue(0x00FF00);
    ShowAndWait(form);

    V->SetColorValue(0x0000FF);
    FClock.Clock.Advance(50);
    V->SetColorValue(0xFF0000);
    FClock.Clock.Advance(49);
    EXPECT_TRUE(Sink.Colors.empty()) << "still inside the delay of the first change";
    FClock.Clock.Advance(1);
    EXPECT_EQ(Sink.Colors, std::vector<TColor>{0xFF0000});
    EXPECT_EQ(Sink.LParams, std::vector<LPARAM>{0});
    FClock.Clock.Advance(500);
    EXPECT_EQ(Sink.Colors.size(), 1u) << "the timer stops after its message";
    V->SetColorValue(0xFF0000);  // unchanged: no new message
    FClock.Clock.Advance(200);
    EXPECT_EQ(Sink.Colors.size(), 1u);

    EXPECT_TRUE(ShowsAt(V, {0, 0}, clBlack));
    EXPECT_TRUE(ShowsAt(V, {20, 10}, 0xFF0000)) << "new colour above";
    EXPECT_TRUE(ShowsAt(V, {20, 30}, 0x00FF00)) << "old colour below";
    EXPECT_TRUE(ShowsAt(V, {20, 20}, clBlack)) << "the new colour's outline at half height";
    EXPECT_TRUE(ShowsAt(V, {39, 39}, clBlack));
}

// The empty control erases nothing and answers the erase as done.
TEST_F(ColorCtrlsTest, EmptyControlLeavesBackground)
{
    TForm* form = NewForm(100, 100, 100, 100);
    auto* E = new TsfEmptyControl(form);
    E->SetParent(form);
    E->SetBounds(10, 10, 30, 30);
    ShowAndWait(form);
    guitest::TDib D(30, 30);
    SetPixel(D.DC(), 5, 5, RGB(1, 2, 3));
    EXPECT_EQ(SendMessageW(E->Handle(), WM_ERASEBKGND, WPARAM(D.DC()), 0), 1);
    EXPECT_EQ(GetPixel(D.DC(), 5, 5), RGB(1, 2, 3));
}

// The skinned looks (screenshots): the grids with each skin's group box and
// its resizable button as the selection.
TEST_F(ColorCtrlsTest, SkinnedGridsScreenshots)
{
    for (const char16_t* Name : SkinNames) {
        TForm* form = NewForm(100, 100, 200, 300);
        auto* G = new TsfSkinColorGrid(form);
        G->SetParent(form);
        G->SetSkinDataName(u"groupbox");
        G->SetBounds(5, 5, 167, 195);
        G->SetColCount(6);
        G->SetRowCount(8);
        G->SetSkinData(Skin(Name));
        G->SetColorValue(0x0000FF);
        auto* C = new TsfSkinCustomColorGrid(form);
        C->SetParent(form);
        C->SetSkinDataName(u"groupbox");
        C->SetBounds(5, 210, 167, 68);
        C->SetSkinData(Skin(Name));
        ShowAndWait(form);
        const TsfColorGridLayout L = G->Layout();
        EXPECT_TRUE(ShowsAt(G, Centre(L.SwatchRect(4, true)), 0x0000FF)) << UTF8Encode(Name);
        EXPECT_TRUE(ShowsAt(G, Centre(L.SwatchRect(0, false)), 0x000000)) << UTF8Encode(Name);
        SaveScreenshot(TRect{ScreenRect(G).Left, ScreenRect(G).Top, ScreenRect(C).Right, ScreenRect(C).Bottom},
                       String(u"colorgrids_") + Name);
        form->Hide();
    }
}
