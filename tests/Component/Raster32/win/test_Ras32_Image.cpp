// The paint box, the image control and the scrollable view on real windows
// (Wine on an X display without a window manager): buffer sizing, placement
// and mapping, what reaches the repaint optimiser, the paint stages, mouse
// events through the layers, the view's scroll arithmetic, and a picture of
// a view with both bars.
#include "../../../framework/controls/win/GuiTest.h"

#include <string>
#include <vector>

#include "Component/Raster32/win/Ras32_Image.h"

using namespace guitest;

namespace {

// Records the repaint areas it is told about.
struct TSpyOptimizer : TMicroTilesRepaintOptimizer {
    using TMicroTilesRepaintOptimizer::TMicroTilesRepaintOptimizer;
    static inline std::vector<TRect> Areas;
    void AreaUpdateHandler(TObject* Sender, const TRect& Area, Cardinal Info) override
    {
        Areas.push_back(Area);
        TMicroTilesRepaintOptimizer::AreaUpdateHandler(Sender, Area, Info);
    }
};

// An image that logs its stage operations as "name@StageNum".
struct TStageLogImage : TImage32 {
    using TImage32::TImage32;
    std::vector<std::string> Log;
    void Note(const char* Name, Integer StageNum) { Log.push_back(std::string(Name) + "@" + std::to_string(StageNum)); }
    void ExecClearBackgnd(TBitmap32* D, Integer N) override { Note("background", N), TImage32::ExecClearBackgnd(D, N); }
    void ExecDrawBitmap(TBitmap32* D, Integer N) override { Note("bitmap", N), TImage32::ExecDrawBitmap(D, N); }
    void ExecDrawLayers(TBitmap32* D, Integer N) override { Note("layers", N), TImage32::ExecDrawLayers(D, N); }
    void ExecCustom(TBitmap32* D, Integer N) override { Note("custom", N), TImage32::ExecCustom(D, N); }
    void ExecControlFrame(TBitmap32* D, Integer N) override { Note("frame", N), TImage32::ExecControlFrame(D, N); }
    void ExecBitmapFrame(TBitmap32* D, Integer N) override { Note("bitmapframe", N), TImage32::ExecBitmapFrame(D, N); }
};

// A plain container for the layout tests.
struct TContainer : TCustomControl {
    explicit TContainer(TComponent* AOwner) : TCustomControl(AOwner) { SetControlStyle(ControlStyle() | csAcceptsControls); }
};

class ImageControls : public FormTest {
protected:
    TForm* Form = nullptr;
    void MakeForm(int ClientWidth = 500, int ClientHeight = 400)
    {
        Form = NewForm(50, 50, ClientWidth, ClientHeight);
        ShowAndWait(Form);
    }
    template <class T>
    T* Put(Integer W, Integer H)
    {
        T* C = new T(Form);
        C->SetParent(Form);
        C->SetBounds(0, 0, W, H);
        Pump();
        return C;
    }
    // Paints the control, and its windowed children at their places, into Dib.
    static void PaintInto(TWinControl* C, TDib& Dib)
    {
        HDC DC = Dib.DC();
        C->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        for (Integer I = 0; I < C->ControlCount(); ++I) {
            TControl* Child = C->Controls(I);
            if (!Child->Visible()) continue;
            POINT Old;
            SetWindowOrgEx(DC, -Child->Left(), -Child->Top(), &Old);
            Child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
            SetWindowOrgEx(DC, Old.x, Old.y, nullptr);
        }
    }
};

// A system colour as TDib reads it (0x00RRGGBB).
DWORD SysRgb(int Index)
{
    COLORREF C = GetSysColor(Index);
    return static_cast<DWORD>(GetRValue(C) << 16 | GetGValue(C) << 8 | GetBValue(C));
}

}  // namespace

TEST_F(ImageControls, PaintBoxDefaultsAndBufferFitting)
{
    MakeForm();
    auto* Box = Put<TPaintBox32>(192, 192);
    Box->SetBounds(0, 0, 192, 192);
    EXPECT_EQ(Box->Width(), 192);
    EXPECT_EQ(Box->BufferOversize(), 40);
    EXPECT_EQ(Box->RepaintMode(), rmFull);
    EXPECT_FALSE(Box->RepaintOptimizer()->Enabled());

    // A buffer of 100 (59 + 40 after shrinking to 59): 101 grows it to 141,
    // 70 keeps it, 59 shrinks it to 59.
    struct TStep {
        Integer Size, Buffer;
    } Steps[] = {{59, 59}, {60, 100}, {101, 141}, {59, 59}, {60, 100}, {70, 100}, {59, 59}};
    for (const TStep& S : Steps) {
        Box->SetBounds(0, 0, S.Size, S.Size);
        EXPECT_EQ(Box->Buffer()->Width(), S.Buffer) << S.Size;
        EXPECT_EQ(Box->Buffer()->Height(), S.Buffer) << S.Size;
    }
    Box->SetBufferOversize(-5);
    EXPECT_EQ(Box->BufferOversize(), 0);

    // The host draws into the buffer; the picture reaches the window.
    Box->SetBounds(0, 0, 40, 30);
    Box->OnPaintBuffer = [Box](TObject*) { Box->Buffer()->Clear(0xFF2080C0); };
    Box->Invalidate();
    TDib Dib(40, 30);
    Box->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    EXPECT_EQ(Dib.Pixel(5, 5), 0x2080C0u);
    EXPECT_EQ(Dib.Pixel(39, 29), 0x2080C0u);

    // Arrow keys only with the option.
    EXPECT_EQ(Box->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, 0);
    Box->SetOptions(pboWantArrowKeys);
    EXPECT_NE(Box->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, 0);
}

TEST_F(ImageControls, PlacementAndMapping)
{
    MakeForm();
    auto* Img = Put<TImage32>(200, 100);
    Img->Bitmap()->SetSize(101, 50);
    Img->SetBitmapAlign(baCenter);
    EXPECT_EQ(Img->GetBitmapRect(), (TRect{49, 25, 150, 75}));

    Img->SetBitmapAlign(baTopLeft);
    Img->SetScaleMode(smScale);
    Img->SetScale(1.5f);
    EXPECT_EQ(Img->GetBitmapRect(), (TRect{0, 0, 152, 75}));
    EXPECT_EQ(Img->BitmapToControl(TPoint{100, 0}).X, 150);
    EXPECT_EQ(Img->ControlToBitmap(TPoint{151, 74}), (TPoint{100, 49}));

    Integer ScaleChanges = 0;
    Img->OnScaleChange = [&](TObject*) { ++ScaleChanges; };
    Img->SetScale(0);
    EXPECT_FLOAT_EQ(Img->Scale(), 0.001f);
    EXPECT_FLOAT_EQ(Img->ScaleY(), 0.001f);
    Img->SetScale(0.001f);
    EXPECT_EQ(ScaleChanges, 1);  // the same value again changes nothing
    EXPECT_EQ(Img->GetBitmapSize(), (TSize{0, 0}));

    Img->SetScaleMode(smResize);
    EXPECT_EQ(Img->GetBitmapRect(), (TRect{0, 0, 200, 99}));
}

TEST_F(ImageControls, AChangedBitmapAreaReachesTheOptimiserGrownByTheResampler)
{
    TRepaintOptimizerFactory Old = DefaultRepaintOptimizerClass;
    DefaultRepaintOptimizerClass = [](TCustomBitmap32* B, TRectList* R) -> TCustomRepaintOptimizer* {
        return new TSpyOptimizer(B, R);
    };
    MakeForm();
    auto* Img = Put<TImage32>(200, 100);
    DefaultRepaintOptimizerClass = Old;
    Img->Bitmap()->SetSize(100, 80);
    Img->Bitmap()->SetResamplerClassName(u"TNearestResampler");
    Img->SetRepaintMode(rmOptimizer);
    EXPECT_TRUE(Img->RepaintOptimizer()->Enabled());
    TSpyOptimizer::Areas.clear();
    Integer Changes = 0;
    Img->OnChange = [&](TObject*) { ++Changes; };
    Img->Bitmap()->Changed(TRect{10, 10, 11, 11});
    EXPECT_EQ(TSpyOptimizer::Areas, (std::vector<TRect>{{8, 8, 13, 13}}));
    EXPECT_EQ(Changes, 1);

    // In rmFull every change repaints the whole control.
    Img->SetRepaintMode(rmFull);
    EXPECT_FALSE(Img->RepaintOptimizer()->Enabled());
    TSpyOptimizer::Areas.clear();
    Img->Bitmap()->Changed(TRect{10, 10, 11, 11});
    EXPECT_TRUE(TSpyOptimizer::Areas.empty());
    EXPECT_EQ(Changes, 2);
    EXPECT_FALSE(Img->BufferValid());
}

TEST_F(ImageControls, PaintStagesRunInOrderAndPerInvalidRectangle)
{
    MakeForm();
    auto* Img = Put<TStageLogImage>(200, 100);
    Img->Bitmap()->SetSize(50, 40);
    Img->Log.clear();  // the paint when it was shown
    TDib Dib(200, 100);
    Img->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    // The frames run only at design time.
    EXPECT_EQ(Img->Log, (std::vector<std::string>{"background@0", "bitmap@2", "layers@4"}));

    std::vector<Cardinal> Custom;
    Img->OnPaintStage = [&](TObject*, TBitmap32*, Cardinal StageNum) { Custom.push_back(StageNum); };
    PPaintStage S = Img->PaintStages()->Insert(2);
    S->Stage = PST_CUSTOM;
    EXPECT_EQ(Img->PaintStages()->GetItem(5)->Stage, PST_DRAW_LAYERS);
    Img->Log.clear();
    Img->Invalidate();
    Img->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    EXPECT_EQ(Img->Log, (std::vector<std::string>{"background@0", "custom@2", "bitmap@3", "layers@5"}));
    EXPECT_EQ(Custom, (std::vector<Cardinal>{2}));

    // Two invalid rectangles: every stage twice.
    Img->SetRepaintMode(rmOptimizer);
    Img->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib.DC()), 0);  // the full repaint after switching
    Pump();
    Img->Log.clear();
    Img->Bitmap()->Changed(TRect{2, 2, 3, 3});
    Img->Bitmap()->Changed(TRect{40, 30, 41, 31});
    Img->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    EXPECT_EQ(Img->Log, (std::vector<std::string>{"background@0", "custom@2", "bitmap@3", "layers@5", "background@0",
                                                  "custom@2", "bitmap@3", "layers@5"}));
    Pump();
}

// A change of the bitmap reaches the window through the optimiser (a posted
// paint that redraws and shows only the changed part) or, in rmDirect, at once.
TEST_F(ImageControls, ChangesReachTheWindowInEachRepaintMode)
{
    MakeForm();
    auto* Img = Put<TImage32>(120, 80);
    Img->Bitmap()->SetSize(120, 80);
    Img->Bitmap()->Clear(0xFF000080);
    for (TRepaintMode Mode : {rmOptimizer, rmDirect, rmFull}) {
        Img->SetRepaintMode(Mode);
        Img->Repaint();
        Pump();
        TColor32 Colour = Mode == rmOptimizer ? 0xFFFF8000 : Mode == rmDirect ? 0xFF00A0FF : 0xFF40FF40;
        Img->Bitmap()->FillRectS(TRect{30, 20, 40, 30}, Colour);
        ASSERT_TRUE(PumpUntil([&] { return Img->BufferValid(); })) << Mode;
        Pump();
        EXPECT_EQ(Img->Buffer()->Pixel(35, 25), Colour) << Mode;
        EXPECT_EQ(Img->Buffer()->Pixel(60, 60), 0xFF000080u) << Mode;
        // What the window shows.
        HDC DC = GetDC(Img->Handle());
        COLORREF C = GetPixel(DC, 35, 25);
        ReleaseDC(Img->Handle(), DC);
        EXPECT_EQ(static_cast<DWORD>(GetRValue(C) << 16 | GetGValue(C) << 8 | GetBValue(C)), Colour & 0xFFFFFF) << Mode;
    }
}

TEST_F(ImageControls, BitmapAndLayersAreDrawnWhereTheyBelong)
{
    MakeForm();
    auto* Img = Put<TImage32>(60, 40);
    Img->SetColor(static_cast<TColor>(0x00204060));  // 0x00BBGGRR
    Img->Bitmap()->SetSize(20, 10);
    Img->Bitmap()->Clear(0xFFFF0000);
    Img->SetBitmapAlign(baCenter);
    auto* L = Img->Layers()->Add<TPositionedLayer>();
    L->SetLayerOptions(LOB_VISIBLE);
    L->OnPaint = [](TObject*, TCustomBitmap32* B) { B->FillRectS(TRect{0, 0, 5, 5}, 0xFF00FF00); };
    TDib Dib(60, 40);
    Img->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    EXPECT_EQ(Dib.Pixel(2, 2), 0x00FF00u);       // the layer
    EXPECT_EQ(Dib.Pixel(30, 20), 0xFF0000u);     // the bitmap at (20, 15) - (40, 25)
    EXPECT_EQ(Dib.Pixel(19, 20), 0x604020u);     // the background around it
    EXPECT_EQ(Dib.Pixel(30, 26), 0x604020u);

    // PaintTo renders the stages into another bitmap, scaled to DestRect.
    TBitmap32 Out;
    Out.SetSize(40, 20);
    Out.Clear(0xFF000000);
    Img->PaintTo(&Out, TRect{0, 0, 40, 20});
    EXPECT_EQ(Out.Pixel(20, 10), 0xFFFF0000u);
    EXPECT_EQ(Out.Pixel(1, 1), 0xFF00FF00u);
    EXPECT_EQ(Img->RepaintMode(), rmFull);
}

TEST_F(ImageControls, MouseEventsGoThroughTheLayersInControlCoordinates)
{
    MakeForm();
    auto* Img = Put<TImage32>(200, 100);
    auto* L = Img->Layers()->Add<TPositionedLayer>();
    L->SetLocation(TFloatRect{20, 20, 60, 60});
    std::vector<std::string> Log;
    auto Name = [L](TCustomLayer* Layer) { return std::string(Layer == L ? "L" : Layer ? "?" : "-"); };
    auto Xy = [](Integer X, Integer Y) { return std::to_string(X) + "," + std::to_string(Y); };
    Img->OnMouseDown = [&](TObject*, TMouseButton, TShiftState S, Integer X, Integer Y, TCustomLayer* Layer) {
        Log.push_back("down " + Xy(X, Y) + " " + Name(Layer) + (S & ssDouble ? " double" : ""));
    };
    Img->OnMouseMove = [&](TObject*, TShiftState, Integer X, Integer Y, TCustomLayer* Layer) {
        Log.push_back("move " + Xy(X, Y) + " " + Name(Layer));
    };
    Img->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer X, Integer Y, TCustomLayer* Layer) {
        Log.push_back("up " + Xy(X, Y) + " " + Name(Layer));
    };
    HWND W = Img->Handle();
    PostMessageW(W, WM_LBUTTONDOWN, MK_LBUTTON, Pos(30, 30));
    PostMessageW(W, WM_MOUSEMOVE, MK_LBUTTON, Pos(150, 80));
    PostMessageW(W, WM_LBUTTONUP, 0, Pos(150, 80));
    PostMessageW(W, WM_MOUSEMOVE, 0, Pos(151, 80));
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"down 30,30 L", "move 150,80 L", "up 150,80 L", "move 151,80 -"}));
    EXPECT_EQ(Img->Layers()->MouseListener(), nullptr);

    // A double click ends the capture with a release where the pointer was.
    Log.clear();
    PostMessageW(W, WM_LBUTTONDOWN, MK_LBUTTON, Pos(40, 45));
    PostMessageW(W, WM_LBUTTONUP, 0, Pos(40, 45));
    PostMessageW(W, WM_LBUTTONDBLCLK, MK_LBUTTON, Pos(40, 45));
    PostMessageW(W, WM_LBUTTONUP, 0, Pos(40, 45));
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"down 40,45 L", "up 40,45 L", "up 40,45 L", "down 40,45 L double",
                                             "up 40,45 L"}));
    EXPECT_EQ(Img->Layers()->MouseListener(), nullptr);

    // Without layer mouse events the events carry no layer.
    Log.clear();
    Img->Layers()->SetMouseEvents(false);
    PostMessageW(W, WM_LBUTTONDOWN, MK_LBUTTON, Pos(30, 30));
    PostMessageW(W, WM_LBUTTONUP, 0, Pos(30, 30));
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"down 30,30 -", "up 30,30 -"}));
}

// ---------------------------------------------------------------------------
// The scrollable view

TEST_F(ImageControls, ViewRangesAndCentring)
{
    MakeForm(600, 500);
    auto* View = Put<TImgView32>(417, 317);  // a viewport of 400 x 300 beside bars of 17
    ASSERT_EQ(View->ScrollBarExtent(), 17);
    EXPECT_EQ(View->GetViewportRect(), (TRect{0, 0, 400, 300}));
    View->SetOverSize(30);
    View->Bitmap()->SetSize(200, 100);
    EXPECT_EQ(View->HScroll()->Range(), 260);
    EXPECT_EQ(View->VScroll()->Range(), 160);
    EXPECT_EQ(View->GetBitmapRect().Left, 100);
    EXPECT_EQ(View->GetBitmapRect().Top, 100);

    View->Bitmap()->SetSize(1000, 800);
    EXPECT_EQ(View->HScroll()->Range(), 1060);
    View->ScrollToCenter(500, 400);
    EXPECT_EQ(View->HScroll()->Position(), 330.0f);
    EXPECT_EQ(View->GetBitmapRect().Left, -300);
    EXPECT_EQ(View->VScroll()->Position(), 280.0f);
    EXPECT_EQ(View->GetBitmapRect().Top, -250);

    // Zooming keeps the centre: the ranges double, the centred bars follow.
    View->SetScale(2);
    EXPECT_EQ(View->HScroll()->Range(), 2120);
    EXPECT_FLOAT_EQ(View->HScroll()->Position(), 2120 * (530.0f / 1060) - 200);
}

TEST_F(ImageControls, ViewScrollEvents)
{
    MakeForm(600, 500);
    auto* View = Put<TImgView32>(417, 317);
    View->SetOverSize(30);
    View->Bitmap()->SetSize(1000, 800);
    Integer Scrolls = 0;
    View->OnScroll = [&](TObject*) { ++Scrolls; };

    View->ScrollToCenter(500, 400);
    EXPECT_EQ(Scrolls, 0);
    View->Scroll(1000, 0);
    EXPECT_EQ(View->HScroll()->Position(), 660.0f);  // range 1060 less the window 400
    EXPECT_EQ(Scrolls, 1);
    View->Scroll(10, 0);  // at the end: unchanged, still announced
    EXPECT_EQ(View->HScroll()->Position(), 660.0f);
    EXPECT_EQ(Scrolls, 2);
    EXPECT_EQ(View->GetBitmapRect().Left, 30 - 660);

    // Dragging the thumb scrolls the picture and fires OnScroll.
    View->ScrollToCenter(500, 400);
    Scrolls = 0;
    TRect T = View->HScroll()->GetThumbRect();
    Integer X = (T.Left + T.Right) / 2, Y = (T.Top + T.Bottom) / 2;
    HWND Bar = View->HScroll()->Handle();
    PostMessageW(Bar, WM_LBUTTONDOWN, MK_LBUTTON, Pos(X, Y));
    PostMessageW(Bar, WM_MOUSEMOVE, MK_LBUTTON, Pos(X + 20, Y));
    PostMessageW(Bar, WM_LBUTTONUP, 0, Pos(X + 20, Y));
    Pump();
    EXPECT_GT(View->HScroll()->Position(), 330.0f);
    EXPECT_GE(Scrolls, 1);
    EXPECT_EQ(View->GetBitmapRect().Left, static_cast<Integer>(Round(30 - View->HScroll()->Position())));
}

TEST_F(ImageControls, AutoBarsAppearWhenThePictureOutgrowsTheView)
{
    MakeForm(600, 500);
    auto* View = Put<TImgView32>(417, 317);
    View->ScrollBars()->SetVisibility(svAuto);
    View->Bitmap()->SetSize(50, 50);
    EXPECT_FALSE(View->ScrollBarsShown());
    EXPECT_FALSE(View->HScroll()->Visible());
    EXPECT_EQ(View->GetViewportRect(), (TRect{0, 0, 417, 317}));
    View->SetScale(20);
    EXPECT_TRUE(View->ScrollBarsShown());
    EXPECT_TRUE(View->HScroll()->Visible());
    EXPECT_EQ(View->GetViewportRect(), (TRect{0, 0, 400, 300}));

    View->ScrollBars()->SetIncrement(5);
    EXPECT_EQ(View->VScroll()->Increment(), 5);
    View->ScrollBars()->SetSize(20);
    EXPECT_EQ(View->GetViewportRect(), (TRect{0, 0, 397, 297}));
}

TEST_F(ImageControls, SizeGripFollowsTheAlignmentUpToTheForm)
{
    MakeForm(400, 300);
    auto* Panel = new TContainer(Form);
    Panel->SetParent(Form);
    Panel->SetAlign(alClient);
    auto* View = new TImgView32(Form);
    View->SetParent(Panel);
    View->SetAlign(alClient);
    Pump();
    EXPECT_TRUE(View->SizeGripShown());
    EXPECT_EQ(View->SizeGripRect(), (TRect{383, 283, 400, 300}));
    Panel->SetAlign(alTop);
    EXPECT_FALSE(View->SizeGripShown());
    View->SetSizeGrip(sgAlways);
    EXPECT_TRUE(View->SizeGripShown());
    View->SetSizeGrip(sgNone);
    EXPECT_FALSE(View->SizeGripShown());
}

TEST_F(ImageControls, PictureOfAViewWithBothBars)
{
    MakeForm(400, 300);
    auto* View = Put<TImgView32>(300, 200);  // viewport 283 x 183
    View->SetSizeGrip(sgNone);
    View->Bitmap()->SetSize(400, 300);
    View->Bitmap()->FillRect(0, 0, 200, 300, 0xFFFF0000);
    View->Bitmap()->FillRect(200, 0, 400, 300, 0xFF0000FF);
    View->Bitmap()->FillRect(0, 150, 400, 300, 0xFF00C000);
    // Centred on (200, 150): the picture's left edge at round(-58.5) = -58, its top at -58.
    ASSERT_EQ(View->GetBitmapRect(), (TRect{-58, -58, 342, 242}));

    TDib Dib(300, 200);
    PaintInto(View, Dib);
    EXPECT_EQ(Dib.Pixel(10, 10), 0xFF0000u);
    EXPECT_EQ(Dib.Pixel(141, 91), 0xFF0000u);
    EXPECT_EQ(Dib.Pixel(142, 10), 0x0000FFu);
    EXPECT_EQ(Dib.Pixel(282, 91), 0x0000FFu);
    EXPECT_EQ(Dib.Pixel(10, 92), 0x00C000u);
    EXPECT_EQ(Dib.Pixel(282, 182), 0x00C000u);
    // The bars along the right and bottom edges, and the square between them.
    const DWORD Picture[] = {0xFF0000u, 0x0000FFu, 0x00C000u};
    for (TPoint P : {TPoint{150, 191}, TPoint{20, 195}, TPoint{291, 100}, TPoint{295, 20}}) {
        DWORD C = Dib.Pixel(P.X, P.Y);
        for (DWORD Pic : Picture) EXPECT_NE(C, Pic) << P.X << "," << P.Y;
    }
    EXPECT_EQ(Dib.Pixel(291, 191), SysRgb(COLOR_BTNFACE));
    // The bars show the scroll positions: each thumb sits mid-track.
    TRect H = View->HScroll()->GetThumbRect(), V = View->VScroll()->GetThumbRect();
    EXPECT_NEAR((H.Left + H.Right) / 2, 283 / 2, 2);
    EXPECT_NEAR((V.Top + V.Bottom) / 2, 183 / 2, 2);

    // With the grip shown, the square holds the grip's marks, also after a repaint.
    View->SetSizeGrip(sgAlways);
    TDib WithGrip(300, 200);
    PaintInto(View, WithGrip);
    bool Marks = false;
    for (Integer Y = 183; Y < 200; ++Y)
        for (Integer X = 283; X < 300; ++X) Marks = Marks || WithGrip.Pixel(X, Y) != SysRgb(COLOR_BTNFACE);
    EXPECT_TRUE(Marks);
}

// ---------------------------------------------------------------------------
// Drag and drop from and onto the image controls

TEST_F(ImageControls, AnImageDraggedOntoAPaintBoxIsDroppedWithTheImagesDragCursor)
{
    MakeForm();
    Form->SetFormStyle(fsStayOnTop);
    auto* Img = Put<TImage32>(200, 100);
    Img->SetDragMode(dmAutomatic);
    Img->SetDragCursor(crHandPoint);
    auto* Box = Put<TPaintBox32>(150, 100);
    Box->SetLeft(250);
    std::vector<std::string> Log;
    auto Xy = [](Integer X, Integer Y) { return std::to_string(X) + "," + std::to_string(Y); };
    Img->OnStartDrag = [&](TObject*, TDragObject*&) { Log.push_back("start"); };
    Img->OnEndDrag = [&](TObject*, TObject* Target, Integer X, Integer Y) {
        Log.push_back(std::string("end ") + (Target == Box ? "box " : "none ") + Xy(X, Y));
    };
    Box->OnDragOver = [&](TObject*, TObject* Source, Integer, Integer, TDragState, bool& Accept) {
        Accept = Source == Img;
    };
    Box->OnDragDrop = [&](TObject*, TObject*, Integer X, Integer Y) { Log.push_back("drop " + Xy(X, Y)); };

    MovePointer(Img->ClientToScreen(Point(50, 50)));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return Img->Dragging(); }));
    MovePointer(Box->ClientToScreen(Point(20, 30)));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return !Log.empty() && Log.back().rfind("end", 0) == 0; }));
    EXPECT_EQ(Log, (std::vector<std::string>{"start", "drop 20,30", "end box 20,30"}));
    EXPECT_FALSE(Img->Dragging());
}
