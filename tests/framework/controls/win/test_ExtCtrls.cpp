// The timer component, the tray icon, and the extra controls (panel, bevel,
// shape, image, splitter, paint box) with the screen's cursors over them.
#include "GuiTest.h"
#include "HandleCount.h"
#include "ModalDriver.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/Menus.h"

using namespace guitest;

namespace {

TEST(ExtCtrls, ATimerCallsOnTimerWhileEnabled)
{
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    timer.SetInterval(10);
    int calls = 0;
    timer.OnTimer = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &timer);
        ++calls;
    };
    ASSERT_TRUE(PumpUntil([&] { return calls >= 3; }));
    timer.SetEnabled(false);
    int at = calls;
    PumpUntil([] { return false; }, 60);
    EXPECT_EQ(calls, at);
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return calls > at; }));
    // Interval 0 stops it too.
    timer.SetInterval(0);
    at = calls;
    PumpUntil([] { return false; }, 60);
    EXPECT_EQ(calls, at);
}

TEST(ExtCtrls, AnExceptionInOnTimerReachesTheApplicationAndTheTimerGoesOn)
{
    String seen;
    Application->OnException = [&](TObject*, Exception& E) { seen = E.Message(); };
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int calls = 0;
    timer.OnTimer = [&](TObject*) {
        if (++calls == 1) throw EConvertError(u"tick failed");
    };
    ASSERT_TRUE(PumpUntil([&] { return calls >= 3; }));
    EXPECT_EQ(seen, u"tick failed");
    Application->OnException = nullptr;
}

TEST(ExtCtrls, ATimerOwnedByAFormGoesWithIt)
{
    auto* form = new TForm(nullptr);
    auto* timer = new TTimer(form);
    timer->SetInterval(10);
    int calls = 0;
    timer->OnTimer = [&](TObject*) { ++calls; };
    ASSERT_TRUE(PumpUntil([&] { return calls >= 1; }));
    delete form;
    int at = calls;
    PumpUntil([] { return false; }, 60);
    EXPECT_EQ(calls, at);
}

// The message-only windows of the timer class this process has.
int TimerWindows()
{
    int n = 0;
    for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, L"TPTimerWindow", nullptr));) ++n;
    return n;
}

int ThreadWindows()
{
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND, LPARAM P) CALLBACK -> BOOL { return ++*reinterpret_cast<int*>(P), TRUE; },
                      reinterpret_cast<LPARAM>(&n));
    return n;
}

TEST(ExtCtrls, AThousandTimersShareOneWindowAndLeaveNoHandlesBehind)
{
    TTimer first(nullptr);  // the thread's timer window exists from here on
    ASSERT_NE(ThreadTimerWindow(), nullptr);
    const int windows = ThreadWindows(), timerWindows = TimerWindows(), timers = ThreadTimerCount();
    EXPECT_EQ(timerWindows, 1);
    const DWORD userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const DWORD gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int round = 0; round < 2; ++round) {
        auto* owner = new TComponent(nullptr);
        std::vector<TTimer*> list;
        for (int i = 0; i < 1000; ++i) {
            auto* t = new TTimer(owner);
            t->SetInterval(60000);
            list.push_back(t);
        }
        EXPECT_EQ(ThreadTimerCount(), timers + 1000);
        EXPECT_EQ(TimerWindows(), 1);
        EXPECT_EQ(ThreadWindows(), windows);
        // Half freed one by one, the rest with their owner.
        for (int i = 0; i < 1000; i += 2) FreeAndNil(list[i]);
        EXPECT_EQ(ThreadTimerCount(), timers + 500);
        delete owner;
        EXPECT_EQ(ThreadTimerCount(), timers);
    }
    EXPECT_EQ(TimerWindows(), 1);
    EXPECT_EQ(ThreadWindows(), windows);
    // (GetGuiResources answers 0 where the platform does not count.)
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userObjects);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiObjects);
}

TEST(ExtCtrls, ATimerThatStopsAndRestartsInItsOwnHandlerKeepsTicking)
{
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int calls = 0;
    timer.OnTimer = [&](TObject*) {
        ++calls;
        timer.SetEnabled(false);  // the entry goes while its message is handled...
        timer.SetEnabled(true);   // ...and comes back
    };
    ASSERT_TRUE(PumpUntil([&] { return calls >= 3; }));
}

// Whether the shell knows the icon: only a known icon can be modified.
bool ShellHasIcon(const TTrayIcon& Tray)
{
    NOTIFYICONDATAW Data = {};
    Data.cbSize = sizeof(Data);
    Data.hWnd = Tray.Handle();
    Data.uID = Tray.ID();
    return Shell_NotifyIconW(NIM_MODIFY, &Data) != FALSE;
}

TEST(TrayIcon, ShownToTheShellAndReAddedWhenItRestarts)
{
    TTrayIcon Tray(nullptr);
    Tray.SetHint(String(300, u'x'));  // longer than the shell's field: cut, not overrun
    EXPECT_FALSE(Tray.ShowBalloonHint());
    Tray.SetVisible(true);
    EXPECT_TRUE(ShellHasIcon(Tray));
    Tray.SetBalloonTitle(u"Title");
    Tray.SetBalloonHint(String(400, u'y'));
    Tray.SetBalloonFlags(bfWarning);
    EXPECT_TRUE(Tray.ShowBalloonHint());

    // The shell restarts: it forgot the icon and broadcasts "TaskbarCreated".
    NOTIFYICONDATAW Data = {};
    Data.cbSize = sizeof(Data);
    Data.hWnd = Tray.Handle();
    Data.uID = Tray.ID();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &Data));
    EXPECT_FALSE(ShellHasIcon(Tray));
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return ShellHasIcon(Tray); }));

    Tray.SetVisible(false);
    EXPECT_FALSE(ShellHasIcon(Tray));
    // Hidden, the broadcast adds nothing.
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    Pump();
    EXPECT_FALSE(ShellHasIcon(Tray));
}

TEST(TrayIcon, ClicksReachItsEvents)
{
    TTrayIcon Tray(nullptr);
    int Clicks = 0, DoubleClicks = 0, Chosen = 0;
    std::vector<TMouseButton> Downs;
    Tray.OnClick = [&](TObject*) { ++Clicks; };
    Tray.OnDblClick = [&](TObject*) { ++DoubleClicks; };
    Tray.OnMouseDown = [&](TObject*, TMouseButton B, TShiftState, Integer, Integer) { Downs.push_back(B); };
    Tray.SetVisible(true);

    // A real click on the icon in the shell's tray window.
    HWND TrayWindow = FindWindowW(L"Shell_TrayWnd", nullptr);
    HWND Standalone = FindWindowW(nullptr, L"Wine System Tray");
    if (Standalone && IsWindowVisible(Standalone)) {
        RECT R;
        GetClientRect(Standalone, &R);
        POINT P{8, (R.bottom - R.top) / 2};
        ClientToScreen(Standalone, &P);
        MovePointer(Point(P.x, P.y));
        LeftButton(true);
        LeftButton(false);
        EXPECT_TRUE(PumpUntil([&] { return Clicks == 1; }));
    } else {
        ADD_FAILURE() << "no tray window to click (Shell_TrayWnd " << TrayWindow << ")";
    }
    // The shell's callbacks: a double click, a right click with the popup menu.
    SendMessageW(Tray.Handle(), TTrayIcon::WM_TRAYNOTIFY, Tray.ID(), WM_LBUTTONDBLCLK);
    EXPECT_EQ(DoubleClicks, 1);
    TPopupMenu Menu(nullptr);
    auto* Item = new TMenuItem(&Menu);
    Item->SetCaption(u"Restore");
    Item->OnClick = [&](TObject*) { ++Chosen; };
    Menu.Items()->Add(Item);
    Tray.SetPopupMenu(&Menu);
    {
        TModalDriver Driver(TKeys{{VK_DOWN}, {VK_RETURN}});
        SendMessageW(Tray.Handle(), TTrayIcon::WM_TRAYNOTIFY, Tray.ID(), WM_RBUTTONDOWN);
        SendMessageW(Tray.Handle(), TTrayIcon::WM_TRAYNOTIFY, Tray.ID(), WM_RBUTTONUP);
    }
    Pump();
    EXPECT_EQ(Chosen, 1);
    EXPECT_EQ(Menu.PopupComponent(), &Tray);
    ASSERT_FALSE(Downs.empty());
    EXPECT_EQ(Downs.back(), mbRight);
    // Another icon's message is not ours.
    SendMessageW(Tray.Handle(), TTrayIcon::WM_TRAYNOTIFY, Tray.ID() + 100, WM_LBUTTONUP);
    EXPECT_EQ(Clicks, 1);
}

// ---------------------------------------------------------------------------
// The extra controls, on a real form

// 0x00RRGGBB of a colour, as the screen shows it.
DWORD Rgb(TColor Color)
{
    const COLORREF C = static_cast<COLORREF>(ColorToRGB(Color));
    return (GetRValue(C) << 16) | (GetGValue(C) << 8) | GetBValue(C);
}

// What the screen shows of a control's area, pixel for pixel.
std::unique_ptr<TDib> Capture(TControl* Control, int Width = -1, int Height = -1)
{
    const TPoint Origin = Control->ClientToScreen(Point(0, 0));
    return CaptureScreen(TRect{Origin.X, Origin.Y, Origin.X + (Width < 0 ? Control->Width() : Width),
                               Origin.Y + (Height < 0 ? Control->Height() : Height)});
}

const TColor FormColor = 0x00E0C8B4;  // none of the 3-D colours

class ExtControls : public FormTest {
protected:
    void SetUp() override { MovePointer(Point(Screen->Width() - 1, Screen->Height() - 1)); }
    void TearDown() override
    {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) LeftButton(false);
        FormTest::TearDown();
    }
    void MakeForm()
    {
        Form = NewForm();
        Form->SetFormStyle(fsStayOnTop);
        Form->SetColor(FormColor);
    }
    void Show()
    {
        ShowAndWait(Form);
        Settle();
    }
    // Paints what is invalid and lets the platform put it on the screen (it
    // copies the windows' pictures to the display when the thread would wait).
    void Settle()
    {
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
        Pump();
    }
    template <class T>
    T* Add(int Left, int Top, int Width, int Height, TAlign Align = alNone)
    {
        auto* C = new T(Form);
        C->SetParent(Form);
        C->SetBounds(Left, Top, Width, Height);
        if (Align != alNone) C->SetAlign(Align);
        return C;
    }
    TForm* Form = nullptr;
};

TEST_F(ExtControls, PanelRingsLieFromTheOutsideInAsTheBevelsSay)
{
    enum { F, H, S };  // face, highlight, shadow
    const struct {
        TPanelBevel Outer, Inner;
        int BevelWidth, BorderWidth;
        std::vector<int> Left, Right;  // colours of the rings from the edge in, then the inside
    } Cases[] = {
        {bvRaised, bvNone, 1, 0, {H, F}, {S, F}},
        {bvLowered, bvNone, 1, 0, {S, F}, {H, F}},
        {bvLowered, bvRaised, 2, 1, {S, S, F, H, H, F}, {H, H, F, S, S, F}},
        {bvSpace, bvLowered, 1, 0, {F, S, F}, {F, H, F}},
        {bvNone, bvNone, 1, 3, {F, F, F, F}, {F, F, F, F}},
    };
    MakeForm();
    auto* Panel = Add<TPanel>(10, 10, 60, 40);
    Show();
    const DWORD Colors[] = {Rgb(clBtnFace), Rgb(clBtnHighlight), Rgb(clBtnShadow)};
    for (const auto& c : Cases) {
        Panel->SetBevelOuter(c.Outer);
        Panel->SetBevelInner(c.Inner);
        Panel->SetBevelWidth(c.BevelWidth);
        Panel->SetBorderWidth(c.BorderWidth);
        Settle();
        auto Shot = Capture(Panel);
        SCOPED_TRACE(testing::Message() << "outer " << c.Outer << " inner " << c.Inner);
        for (size_t i = 0; i < c.Left.size(); ++i) {
            EXPECT_EQ(Shot->Pixel(int(i), 20), Colors[c.Left[i]]) << "left ring " << i;
            EXPECT_EQ(Shot->Pixel(59 - int(i), 20), Colors[c.Right[i]]) << "right ring " << i;
            EXPECT_EQ(Shot->Pixel(30, int(i)), Colors[c.Left[i]]) << "top ring " << i;
        }
        // The children go inside the rings.
        const int Frame = c.BorderWidth + (c.Outer != bvNone) * c.BevelWidth + (c.Inner != bvNone) * c.BevelWidth;
        EXPECT_EQ(Panel->InnerRect(), Rect(Frame, Frame, 60 - Frame, 40 - Frame));
    }
}

TEST_F(ExtControls, PanelCaptionFollowsBothAlignments)
{
    const struct {
        TAlignment Horizontal;
        TVerticalAlignment Vertical;
        int Column, Row;  // third of the panel where the ink's centre lies
    } Cases[] = {
        {taLeftJustify, taAlignTop, 0, 0},
        {taCenter, taVerticalCenter, 1, 1},
        {taRightJustify, taAlignBottom, 2, 2},
        {taLeftJustify, taAlignBottom, 0, 2},
    };
    MakeForm();
    auto* Panel = Add<TPanel>(10, 10, 150, 90);
    Panel->SetBevelOuter(bvNone);
    Panel->SetCaption(u"Wg");
    Show();
    for (const auto& c : Cases) {
        Panel->SetAlignment(c.Horizontal);
        Panel->SetVerticalAlignment(c.Vertical);
        Settle();
        auto Shot = Capture(Panel);
        int L = 1000, T = 1000, R = -1, B = -1;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 150; ++x)
                if (Shot->Pixel(x, y) != Rgb(clBtnFace)) {
                    L = std::min(L, x), T = std::min(T, y), R = std::max(R, x), B = std::max(B, y);
                }
        ASSERT_GE(R, 0) << "no caption drawn";
        EXPECT_EQ((L + R) / 2 / 50, c.Column) << c.Horizontal;
        EXPECT_EQ((T + B) / 2 / 30, c.Row) << c.Vertical;
    }
}

TEST_F(ExtControls, PanelWithParentBackgroundShowsItsParentsColour)
{
    MakeForm();
    auto* Panel = Add<TPanel>(10, 10, 60, 40);
    Panel->SetBevelOuter(bvNone);
    Panel->SetParentBackground(true);
    Show();
    EXPECT_EQ(Capture(Panel)->Pixel(30, 20), Rgb(FormColor));
    Panel->SetParentBackground(false);
    Settle();
    EXPECT_EQ(Capture(Panel)->Pixel(30, 20), Rgb(clBtnFace));
}

TEST_F(ExtControls, BevelShapesDrawTheirLines)
{
    enum { G, H, S };  // the form's ground, highlight, shadow
    struct TProbe {
        int X, Y, Color;
    };
    const struct {
        TBevelShape Shape;
        TBevelStyle Style;
        std::vector<TProbe> Probes;
    } Cases[] = {
        {bsBox, bsLowered, {{0, 5, S}, {5, 0, S}, {19, 5, H}, {5, 19, H}, {10, 10, G}}},
        {bsBox, bsRaised, {{0, 5, H}, {19, 5, S}}},
        {bsFrame, bsLowered, {{0, 5, S}, {1, 5, H}, {18, 5, S}, {19, 5, H}, {10, 10, G}}},
        {bsTopLine, bsLowered, {{5, 0, S}, {5, 1, H}, {5, 2, G}, {5, 19, G}}},
        {bsBottomLine, bsLowered, {{5, 18, S}, {5, 19, H}, {5, 17, G}}},
        {bsLeftLine, bsRaised, {{0, 5, H}, {1, 5, S}, {2, 5, G}}},
        {bsRightLine, bsLowered, {{18, 5, S}, {19, 5, H}, {17, 5, G}}},
        {bsSpacer, bsLowered, {{0, 0, G}, {10, 10, G}, {19, 19, G}}},
    };
    MakeForm();
    auto* Bevel = Add<TBevel>(10, 10, 20, 20);
    Show();
    const DWORD Colors[] = {Rgb(FormColor), Rgb(clBtnHighlight), Rgb(clBtnShadow)};
    for (const auto& c : Cases) {
        Bevel->SetShape(c.Shape);
        Bevel->SetStyle(c.Style);
        Settle();
        auto Shot = Capture(Bevel);
        for (const auto& p : c.Probes)
            EXPECT_EQ(Shot->Pixel(p.X, p.Y), Colors[p.Color]) << "shape " << c.Shape << " at " << p.X << "," << p.Y;
    }
}

TEST_F(ExtControls, ShapesFillWithTheBrushAndOutlineWithThePen)
{
    enum { G, P, B };  // ground, pen, brush
    struct TProbe {
        int X, Y, Color;
    };
    const struct {
        TShapeKind Shape;
        std::vector<TProbe> Probes;
    } Cases[] = {
        {stRectangle, {{0, 0, P}, {39, 29, P}, {20, 15, B}}},
        {stSquare, {{2, 15, G}, {5, 15, P}, {20, 15, B}, {37, 15, G}}},
        {stRoundRect, {{0, 0, G}, {20, 0, P}, {20, 15, B}}},
        {stEllipse, {{1, 1, G}, {0, 15, P}, {20, 15, B}}},
        {stCircle, {{2, 15, G}, {20, 15, B}, {38, 15, G}}},
    };
    MakeForm();
    auto* Shape = Add<TShape>(10, 10, 40, 30);
    Shape->Pen()->SetColor(0x00FF0000);
    Shape->Brush()->SetColor(0x000000FF);
    Show();
    const DWORD Colors[] = {Rgb(FormColor), 0x0000FF, 0xFF0000};
    for (const auto& c : Cases) {
        Shape->SetShape(c.Shape);
        Settle();
        auto Shot = Capture(Shape);
        for (const auto& p : c.Probes)
            EXPECT_EQ(Shot->Pixel(p.X, p.Y), Colors[p.Color]) << "shape " << c.Shape << " at " << p.X << "," << p.Y;
    }
    // A change of the brush repaints.
    Shape->Brush()->SetColor(0x0000FF00);
    Settle();
    EXPECT_EQ(Capture(Shape)->Pixel(20, 15), 0x00FF00u);
}

TEST_F(ExtControls, ImagePlacesItsPictureByStretchCenterAndProportional)
{
    const struct {
        int PictureWidth, PictureHeight;
        bool Stretch, Center, Proportional;
        TRect Expected;  // in a 100 x 80 control
    } Cases[] = {
        {40, 20, false, false, false, {0, 0, 40, 20}},
        {40, 20, false, true, false, {30, 30, 70, 50}},
        {40, 20, true, false, false, {0, 0, 100, 80}},
        {40, 20, true, false, true, {0, 0, 100, 50}},
        {40, 20, true, true, true, {0, 15, 100, 65}},
        {20, 40, true, true, true, {30, 0, 70, 80}},
        {40, 20, false, false, true, {0, 0, 40, 20}},   // smaller: left as it is
        {200, 100, false, false, true, {0, 0, 100, 50}},  // larger: shrunk
        {200, 100, false, false, false, {0, 0, 200, 100}},
    };
    TImage Image(nullptr);
    Image.SetBounds(0, 0, 100, 80);
    for (const auto& c : Cases) {
        TBitmap Picture(c.PictureWidth, c.PictureHeight);
        Image.Picture()->SetGraphic(&Picture);
        Image.SetStretch(c.Stretch);
        Image.SetCenter(c.Center);
        Image.SetProportional(c.Proportional);
        EXPECT_EQ(Image.DestRect(), c.Expected) << c.PictureWidth << "x" << c.PictureHeight << " stretch " << c.Stretch
                                                << " center " << c.Center << " proportional " << c.Proportional;
    }
}

TEST_F(ExtControls, ImageCanvasDrawsIntoItsBitmapAndTheScreenFollows)
{
    MakeForm();
    auto* Image = Add<TImage>(10, 10, 50, 40);
    Show();
    EXPECT_EQ(Image->Picture()->Graphic(), nullptr);
    TCanvas* Canvas = Image->Canvas();
    auto* Bitmap = dynamic_cast<TBitmap*>(Image->Picture()->Graphic());
    ASSERT_NE(Bitmap, nullptr);
    EXPECT_EQ(Bitmap->Width(), 50);
    EXPECT_EQ(Bitmap->Height(), 40);
    Canvas->Brush()->SetColor(0x000000FF);
    Canvas->FillRect(Rect(10, 10, 20, 20));
    Settle();
    auto Shot = Capture(Image);
    EXPECT_EQ(Shot->Pixel(15, 15), 0xFF0000u);
    EXPECT_EQ(Shot->Pixel(30, 30), 0xFFFFFFu);  // a new bitmap is white
    // Transparent: the colour of the bottom-left pixel lets the form through.
    Image->SetTransparent(true);
    Settle();
    Shot = Capture(Image);
    EXPECT_EQ(Shot->Pixel(15, 15), 0xFF0000u);
    EXPECT_EQ(Shot->Pixel(30, 30), Rgb(FormColor));
    // AutoSize takes the picture's size.
    TBitmap Small(30, 20);
    Image->Picture()->SetGraphic(&Small);
    Image->SetAutoSize(true);
    EXPECT_EQ(Image->Width(), 30);
    EXPECT_EQ(Image->Height(), 20);
    // An icon cannot be drawn on.
    Image->Picture()->Icon()->SetHandle(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    try {
        Image->Canvas();
        ADD_FAILURE() << "no exception";
    } catch (EInvalidOperation& E) {
        EXPECT_EQ(E.Message(), u"Can only modify an image if it contains a bitmap");
    }
}

TEST_F(ExtControls, PaintBoxPaintsThroughOnPaint)
{
    MakeForm();
    auto* Box = Add<TPaintBox>(10, 10, 30, 30);
    int Paints = 0;
    Box->OnPaint = [&](TObject* Sender) {
        ++Paints;
        EXPECT_EQ(Sender, Box);
        Box->Canvas()->Brush()->SetColor(0x0000FF00);
        Box->Canvas()->FillRect(Rect(5, 5, 25, 25));
    };
    Show();
    EXPECT_GE(Paints, 1);
    auto Shot = Capture(Box);
    EXPECT_EQ(Shot->Pixel(15, 15), 0x00FF00u);
    EXPECT_EQ(Shot->Pixel(1, 1), Rgb(FormColor));
}

// A 32-bit picture file, top-down, with no compression.
void WriteBmp(const std::string& Path, const TDib& Dib)
{
    std::ofstream Out(Path, std::ios::binary);
    BITMAPFILEHEADER File = {};
    BITMAPINFOHEADER Info = {};
    const DWORD Size = DWORD(Dib.Width() * Dib.Height() * 4);
    File.bfType = 0x4D42;
    File.bfOffBits = sizeof(File) + sizeof(Info);
    File.bfSize = File.bfOffBits + Size;
    Info.biSize = sizeof(Info);
    Info.biWidth = Dib.Width();
    Info.biHeight = -Dib.Height();
    Info.biPlanes = 1;
    Info.biBitCount = 32;
    Out.write(reinterpret_cast<const char*>(&File), sizeof(File));
    Out.write(reinterpret_cast<const char*>(&Info), sizeof(Info));
    for (int y = 0; y < Dib.Height(); ++y)
        for (int x = 0; x < Dib.Width(); ++x) {
            const DWORD P = Dib.Pixel(x, y);
            Out.write(reinterpret_cast<const char*>(&P), 4);
        }
}

// The pixels of a file WriteBmp wrote; empty when it is missing or not of that shape.
std::vector<DWORD> ReadBmp(const std::string& Path, int Width, int Height)
{
    std::ifstream In(Path, std::ios::binary);
    BITMAPFILEHEADER File = {};
    BITMAPINFOHEADER Info = {};
    In.read(reinterpret_cast<char*>(&File), sizeof(File));
    In.read(reinterpret_cast<char*>(&Info), sizeof(Info));
    if (!In || File.bfType != 0x4D42 || Info.biWidth != Width || Info.biHeight != -Height || Info.biBitCount != 32)
        return {};
    std::vector<DWORD> Pixels(size_t(Width) * Height);
    In.read(reinterpret_cast<char*>(Pixels.data()), std::streamsize(Pixels.size() * 4));
    return In ? Pixels : std::vector<DWORD>{};
}

TEST_F(ExtControls, PanelsBevelsAndShapesMatchTheGoldenPicture)
{
    MakeForm();
    auto* Panel = Add<TPanel>(10, 10, 80, 50);
    Panel->SetBevelInner(bvLowered);
    Panel->SetBevelWidth(2);
    Panel->SetBorderWidth(2);
    Add<TBevel>(100, 10, 40, 40)->SetShape(bsFrame);
    auto* Line = Add<TBevel>(100, 60, 80, 10);
    Line->SetShape(bsTopLine);
    Line->SetStyle(bsRaised);
    auto* Circle = Add<TShape>(150, 10, 40, 40);
    Circle->SetShape(stCircle);
    Circle->Pen()->SetWidth(2);
    Circle->Pen()->SetColor(0x00800000);
    Circle->Brush()->SetColor(0x000000C0);
    auto* Round = Add<TShape>(10, 70, 60, 40);
    Round->SetShape(stRoundRect);
    Round->Brush()->SetStyle(bsDiagCross);
    Show();
    auto Shot = Capture(Form, 200, 120);
    const char* Root = std::getenv("LM_TEST_DATA");
    const std::string Golden = std::string(Root ? Root : "tests/data") + "/framework/ExtCtrls_golden.bmp";
    if (std::getenv("LM_UPDATE_GOLDEN")) WriteBmp(Golden, *Shot);
    const std::vector<DWORD> Expected = ReadBmp(Golden, 200, 120);
    ASSERT_FALSE(Expected.empty()) << "cannot read " << Golden;
    int Differences = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x)
            if (Shot->Pixel(x, y) != Expected[size_t(y) * 200 + x] && Differences++ < 5)
                ADD_FAILURE() << "pixel " << x << "," << y;
    if (Differences) {
        WriteBmp("ExtCtrls_actual.bmp", *Shot);  // beside the test, to look at
        FAIL() << Differences << " pixels differ";
    }
}

// ---------------------------------------------------------------------------
// The splitter, dragged with the mouse

class Splitters : public ExtControls {
protected:
    // A neighbour of 100 pixels on the Align side, the splitter, a client panel.
    void MakeSplit(TAlign Align, TResizeStyle Style = rsUpdate)
    {
        MakeForm();
        Neighbour = Add<TPanel>(0, 0, 100, 100, Align);
        const bool Across = Align == alLeft || Align == alRight;
        Neighbour->SetBounds(Align == alRight ? 300 : 0, Align == alBottom ? 200 : 0, 100, 100);
        Split = new TSplitter(Form);
        Split->SetParent(Form);
        // Placed beside the neighbour, so that the layout keeps it there.
        Split->SetAlign(Align);
        if (Across) Split->SetBounds(Align == alLeft ? 100 : 297, 0, 3, 300);
        else Split->SetBounds(0, Align == alTop ? 100 : 197, 400, 3);
        Split->SetResizeStyle(Style);
        Split->OnMoved = [this](TObject*) { ++Moved; };
        Split->OnPaint = [this](TObject*) {
            ++Paints;
            EXPECT_EQ(Split->Canvas()->Pixels(0, 0), ColorToRGB(Split->Color()));  // the bar is filled first
        };
        Rest = Add<TPanel>(0, 0, 10, 10, alClient);
        Show();
        Sizes.clear();
    }
    Integer Size() const
    {
        return Split->Align() == alLeft || Split->Align() == alRight ? Neighbour->Width() : Neighbour->Height();
    }
    TPoint Middle() const { return Split->ClientToScreen(Point(Split->Width() / 2, Split->Height() / 2)); }
    // Presses on the splitter, moves by Delta along its axis in steps, records
    // the size after each, and releases unless told not to.
    void Drag(int Delta, bool Release = true)
    {
        const TPoint Start = Middle();
        const bool Across = Split->Align() == alLeft || Split->Align() == alRight;
        MovePointer(Start);
        LeftButton(true);
        Pump();
        for (int step = 1; step <= 2; ++step) {
            const int d = Delta * step / 2;
            MovePointer(Across ? Point(Start.X + d, Start.Y) : Point(Start.X, Start.Y + d));
            Sizes.push_back(Size());
        }
        if (!Release) return;
        LeftButton(false);
        Pump();
    }
    TPanel* Neighbour = nullptr;
    TPanel* Rest = nullptr;
    TSplitter* Split = nullptr;
    int Moved = 0;
    int Paints = 0;
    std::vector<Integer> Sizes;
};

TEST_F(Splitters, DraggingResizesTheNeighbourLiveOnEachSide)
{
    const struct {
        TAlign Align;
        int Delta;
        Integer Halfway, Final;
    } Cases[] = {
        {alLeft, 40, 120, 140},
        {alRight, 40, 80, 60},
        {alTop, -40, 80, 60},
        {alBottom, -40, 120, 140},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "align " << c.Align);
        MakeSplit(c.Align);
        EXPECT_EQ(Split->Cursor(), c.Align == alLeft || c.Align == alRight ? crHSplit : crVSplit);
        Drag(c.Delta);
        ASSERT_EQ(Sizes.size(), 2u);
        EXPECT_EQ(Sizes[0], c.Halfway);  // while the button is still down
        EXPECT_EQ(Sizes[1], c.Final);
        EXPECT_EQ(Size(), c.Final);
        EXPECT_GE(Moved, 3);  // each applied step, and the end
        EXPECT_GE(Paints, 1);
        // The splitter stays against its neighbour and the rest fills up.
        if (c.Align == alLeft) EXPECT_EQ(Split->Left(), Neighbour->Width());
        if (c.Align == alBottom) EXPECT_EQ(Split->Top() + Split->Height(), Neighbour->Top());
        EXPECT_EQ(Split->ResizeControl(), nullptr);
        TearDown();
        Moved = 0;
    }
}

TEST_F(Splitters, MinSizeAutoSnapAndOnCanResizeBoundTheSize)
{
    enum TRule { None, RefuseAbove150, RoundTo50 };
    const struct {
        Integer MinSize;
        bool AutoSnap;
        TRule Rule;
        int Delta;
        Integer Expected;
    } Cases[] = {
        {30, true, None, -90, 0},     // below MinSize: snapped shut
        {30, false, None, -90, 30},   // held at MinSize
        {60, false, None, -50, 60},
        {30, true, None, 400, 367},   // the rest keeps MinSize: 400 - 30 - 3
        {30, true, RefuseAbove150, 80, 140},
        {30, true, RoundTo50, 30, 150},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "min " << c.MinSize << " snap " << c.AutoSnap << " rule " << c.Rule
                                        << " delta " << c.Delta);
        MakeSplit(alLeft);
        Split->SetMinSize(c.MinSize);
        Split->SetAutoSnap(c.AutoSnap);
        int Asked = 0;
        if (c.Rule == RefuseAbove150)
            Split->OnCanResize = [&](TObject*, Integer& NewSize, bool& Accept) {
                ++Asked;
                Accept = NewSize <= 150;
            };
        if (c.Rule == RoundTo50)
            Split->OnCanResize = [&](TObject*, Integer& NewSize, bool&) {
                ++Asked;
                NewSize = (NewSize + 25) / 50 * 50;
            };
        Drag(c.Delta);
        EXPECT_EQ(Size(), c.Expected);
        if (c.Rule != None) EXPECT_GE(Asked, 2);
        TearDown();
    }
}

TEST_F(Splitters, AHiddenControlOnTheSameSideTakesNoRoomFromTheDrag)
{
    for (TAlign Align : {alTop, alLeft}) {
        SCOPED_TRACE(testing::Message() << "align " << Align);
        MakeSplit(Align);
        auto* Hidden = Add<TPanel>(0, 0, 50, 50, Align);
        Hidden->SetVisible(false);
        Drag(400);
        // All but MinSize and the bar itself: 300 - 30 - 3 high, 400 - 30 - 3 wide.
        EXPECT_EQ(Size(), Align == alTop ? 267 : 367);
        TearDown();
    }
}

TEST_F(Splitters, ALineStyleResizesOnReleaseAndEscapeDropsTheDrag)
{
    MakeSplit(alLeft, rsLine);
    Drag(30, false);
    EXPECT_EQ(Sizes, (std::vector<Integer>{100, 100}));
    LeftButton(false);
    Pump();
    EXPECT_EQ(Size(), 130);
    // Escape on the focused control ends a drag where it is.
    auto* Button = new TTestButton(Form);
    Button->SetParent(Rest);
    Form->SetActiveControl(Button);
    Pump();
    int Keys = 0;
    Button->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++Keys; };
    Moved = 0;
    Drag(30, false);
    EXPECT_NE(Split->ResizeControl(), nullptr);
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    ASSERT_TRUE(PumpUntil([&] { return Split->ResizeControl() == nullptr; }));
    EXPECT_EQ(Moved, 1);
    LeftButton(false);
    Pump();
    EXPECT_EQ(Size(), 130);
    // The focused control has its own key handler back.
    Key('A', true);
    Key('A', false);
    ASSERT_TRUE(PumpUntil([&] { return Keys == 1; }));
}

// ---------------------------------------------------------------------------
// Cursors over the controls

TEST_F(ExtControls, RegisteredCursorsShowOverControlsAndTheScreenCursorOverridesThem)
{
    // The stock cursors all exist; those drawn here differ from each other.
    const TCursor Stock[] = {crArrow, crCross, crIBeam, crSize, crSizeNESW, crSizeNS, crSizeNWSE, crSizeWE,
                             crUpArrow, crHourGlass, crDrag, crNoDrop, crHSplit, crVSplit, crMultiDrag,
                             crSQLWait, crNo, crAppStart, crHelp, crHandPoint, crSizeAll};
    for (TCursor c : Stock) EXPECT_NE(Screen->Cursors(c), nullptr) << c;
    const HCURSOR Drawn[] = {Screen->Cursors(crDrag), Screen->Cursors(crMultiDrag), Screen->Cursors(crHSplit),
                             Screen->Cursors(crVSplit)};
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = i + 1; j < 4; ++j) EXPECT_NE(Drawn[i], Drawn[j]);

    MakeForm();
    auto* Panel = Add<TPanel>(0, 0, 150, 100, alLeft);
    auto* Split = Add<TSplitter>(150, 0, 3, 100, alLeft);
    auto* Shape = Add<TShape>(250, 50, 40, 40);
    const TCursor Own = 7;
    HCURSOR Custom = CopyCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_CROSS)));
    Screen->SetCursors(Own, Custom);
    Panel->SetCursor(Own);
    Shape->SetCursor(crHandPoint);
    auto* Other = NewForm(520, 100, 100, 100);
    Show();
    ShowAndWait(Other);
    auto cursorAt = [](const TPoint& P) {
        MovePointer(P);
        return GetCursor();
    };
    const struct {
        TControl* Over;
        HCURSOR Expected;
    } Cases[] = {
        {Panel, Custom},
        {Split, Screen->Cursors(crHSplit)},
        {Shape, Screen->Cursors(crHandPoint)},
    };
    for (const auto& c : Cases)
        EXPECT_EQ(cursorAt(c.Over->ClientToScreen(Point(1, c.Over->Height() / 2))), c.Expected) << UTF8Encode(c.Over->ClassName());
    // A busy cursor shows over every form until it is reset.
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(GetCursor(), Screen->Cursors(crHourGlass));  // at once, without a move
    for (const auto& c : Cases)
        EXPECT_EQ(cursorAt(c.Over->ClientToScreen(Point(2, c.Over->Height() / 2))), Screen->Cursors(crHourGlass));
    EXPECT_EQ(cursorAt(Other->ClientToScreen(Point(50, 50))), Screen->Cursors(crHourGlass));
    Screen->SetCursor(crDefault);
    EXPECT_EQ(cursorAt(Panel->ClientToScreen(Point(3, 3))), Custom);
    Screen->SetCursors(Own, nullptr);
}

// ---------------------------------------------------------------------------
// Handles

TEST_F(ExtControls, MakingAndFreeingTheControlsLeavesTheHandleCountsFlat)
{
    TBitmap Picture(16, 16);
    auto round = [&] {
        MakeForm();
        auto* Panel = Add<TPanel>(0, 0, 100, 100, alLeft);
        Panel->SetCaption(u"Panel");
        Panel->SetBevelInner(bvLowered);
        Add<TSplitter>(100, 0, 3, 100, alLeft);
        Add<TBevel>(150, 10, 40, 40);
        Add<TShape>(200, 10, 40, 40)->SetShape(stCircle);
        auto* Image = Add<TImage>(250, 10, 40, 40);
        Image->Picture()->SetGraphic(&Picture);
        Image->Canvas()->Ellipse(0, 0, 10, 10);
        Add<TPaintBox>(300, 10, 40, 40);
        auto* Inner = new TPanel(Panel);
        Inner->SetParent(Panel);
        Inner->SetAlign(alClient);
        Show();
        FormTest::TearDown();
    };
    round();  // the classes are registered and the caches filled
    const int Gdi = LiveGdiObjects(), Windows = ThreadWindowCount();
    for (int i = 0; i < 20; ++i) round();
    EXPECT_EQ(LiveGdiObjects(), Gdi);
    EXPECT_EQ(ThreadWindowCount(), Windows);
}

} // namespace
