// Helpers of the window framework's tests: pumping messages until a condition
// holds, synthesised input, screen pixels read once the screen shows the
// windows' own, a message-box catcher and a small push-button control.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/win/Forms.h"
#include "framework/runtime/Threads.h"

namespace guitest {

// Handles messages until Done() holds or about Ms milliseconds have passed.
template <class F>
bool PumpUntil(F Done, DWORD Ms = 3000)
{
    DWORD start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (Done()) return true;
        if (GetTickCount() - start > Ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Handles what is waiting now, including what handling it posts.
inline void Pump()
{
    for (int i = 0; i < 20 && GetQueueStatus(QS_ALLINPUT); ++i) Application->ProcessMessages();
    Application->ProcessMessages();
}

inline LPARAM Pos(int X, int Y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(X)), static_cast<WORD>(static_cast<SHORT>(Y)));
}

// Moves the pointer to a screen point (the platform sends WM_MOUSEMOVE).
inline void MovePointer(const TPoint& P)
{
    SetCursorPos(P.X, P.Y);
    PumpUntil([&] {
        POINT c;
        GetCursorPos(&c);
        return c.x == P.X && c.y == P.Y;
    });
    Pump();
}

// Presses or releases the left button where the pointer is, through SendInput.
inline void LeftButton(bool Down)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = Down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof(INPUT));
}

// A 32-bit top-down picture with its own memory context.
class TDib {
public:
    TDib(int Width, int Height) : FWidth(Width), FHeight(Height)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = Width;
        bi.bmiHeader.biHeight = -Height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        FDC = CreateCompatibleDC(nullptr);
        FBitmap = CreateDIBSection(FDC, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
        FOld = SelectObject(FDC, FBitmap);
    }
    ~TDib()
    {
        SelectObject(FDC, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    TDib(const TDib&) = delete;
    TDib& operator=(const TDib&) = delete;
    HDC DC() const { return FDC; }
    // 0x00RRGGBB
    DWORD Pixel(int X, int Y) const
    {
        GdiFlush();
        return FBits[Y * FWidth + X] & 0xFFFFFF;
    }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

private:
    int FWidth, FHeight;
    HDC FDC;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
    DWORD* FBits = nullptr;
};

// Screen pixels. Wine copies what a window paints to the X display when the
// window's thread next waits for messages, so on a loaded machine the screen
// can still show the old pixels (or none) just after a paint. A test reads
// the screen only once it shows what the windows there hold: every reader
// below waits for that (a condition, never a fixed time).

// The screen under R (screen coordinates) as it is now.
inline std::unique_ptr<TDib> ReadScreen(const TRect& R)
{
    auto Dib = std::make_unique<TDib>(R.Width(), R.Height());
    HDC Screen = GetDC(nullptr);
    BitBlt(Dib->DC(), 0, 0, R.Width(), R.Height(), Screen, R.Left, R.Top, SRCCOPY);
    ReleaseDC(nullptr, Screen);
    return Dib;
}

// How many pixels under R (screen coordinates) the screen shows otherwise
// than the windows there hold them: at each point the topmost visible
// top-level window of this process, its own pixels within its window region.
// Points of no window, of another process's window or of a layered one
// (which the screen shows blended) are not compared.
inline int ScreenPixelsBehind(const TRect& Area)
{
    const TRect Screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const TRect R{std::max(Area.Left, Screen.Left), std::max(Area.Top, Screen.Top),
                  std::min(Area.Right, Screen.Right), std::min(Area.Bottom, Screen.Bottom)};
    if (R.Left >= R.Right || R.Top >= R.Bottom) return 0;
    TDib Want(R.Width(), R.Height()), Known(R.Width(), R.Height());
    std::vector<HWND> Windows;  // topmost first
    for (HWND W = GetTopWindow(nullptr); W; W = GetWindow(W, GW_HWNDNEXT))
        if (IsWindowVisible(W) && !IsIconic(W)) Windows.push_back(W);
    for (auto It = Windows.rbegin(); It != Windows.rend(); ++It) {  // each over the ones below
        RECT WR;
        GetWindowRect(*It, &WR);
        if (WR.right <= R.Left || WR.left >= R.Right || WR.bottom <= R.Top || WR.top >= R.Bottom) continue;
        const int X = WR.left - R.Left, Y = WR.top - R.Top, W = WR.right - WR.left, H = WR.bottom - WR.top;
        HRGN Shape = CreateRectRgn(0, 0, W, H);
        GetWindowRgn(*It, Shape);  // left whole when the window has no region
        OffsetRgn(Shape, X, Y);
        SelectClipRgn(Want.DC(), Shape);
        SelectClipRgn(Known.DC(), Shape);
        DWORD Process = 0;
        GetWindowThreadProcessId(*It, &Process);
        const bool Own = Process == GetCurrentProcessId() && !(GetWindowLongW(*It, GWL_EXSTYLE) & WS_EX_LAYERED);
        if (Own) {
            HDC Dc = GetDCEx(*It, nullptr, DCX_WINDOW | DCX_CACHE);
            BitBlt(Want.DC(), X, Y, W, H, Dc, 0, 0, SRCCOPY);
            ReleaseDC(*It, Dc);
        }
        PatBlt(Known.DC(), X, Y, W, H, Own ? WHITENESS : BLACKNESS);
        SelectClipRgn(Want.DC(), nullptr);
        SelectClipRgn(Known.DC(), nullptr);
        DeleteObject(Shape);
    }
    const std::unique_ptr<TDib> Seen = ReadScreen(R);
    int Behind = 0;
    for (int Y = 0; Y < R.Height(); ++Y)
        for (int X = 0; X < R.Width(); ++X)
            if (Known.Pixel(X, Y) && Seen->Pixel(X, Y) != Want.Pixel(X, Y)) ++Behind;
    return Behind;
}

// Handles messages until the screen under R shows what the windows there
// hold, or about Ms milliseconds have passed (then says so on the error
// output). On another thread than the windows' (a driver of a modal loop) it
// only waits: the windows' thread copies their pixels out in its own loop.
inline bool WaitForScreen(const TRect& R, DWORD Ms = 10000)
{
    const DWORD Start = GetTickCount();
    for (;;) {
        const int Behind = ScreenPixelsBehind(R);
        if (Behind == 0) return true;
        if (GetTickCount() - Start > Ms) {
            // The test's own checks then judge what the screen shows.
            std::fprintf(stderr, "the screen under (%d,%d)-(%d,%d) still differs from its windows in %d pixels\n",
                         R.Left, R.Top, R.Right, R.Bottom, Behind);
            return false;
        }
        if (IsMainThread()) Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// The screen under R once it shows the windows' pixels.
inline std::unique_ptr<TDib> CaptureScreen(const TRect& R)
{
    WaitForScreen(R);
    return ReadScreen(R);
}

// One pixel of the screen (a COLORREF) as it is now: for a loop that waits
// for pixels it knows itself.
inline COLORREF ScreenPixelNow(int X, int Y)
{
    HDC Screen = GetDC(nullptr);
    const COLORREF C = GetPixel(Screen, X, Y);
    ReleaseDC(nullptr, Screen);
    return C;
}

// One pixel of the screen (a COLORREF) once it shows the windows' pixels.
inline COLORREF ScreenPixel(int X, int Y)
{
    WaitForScreen(TRect{X, Y, X + 1, Y + 1});
    return ScreenPixelNow(X, Y);
}

// Catches the message boxes that open while it lives: records caption and
// text and closes each one.
class TMessageBoxCatcher {
public:
    struct TBox {
        std::wstring Caption;
        std::wstring Text;
    };
    TMessageBoxCatcher()
    {
        Current = this;
        FHook = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    }
    ~TMessageBoxCatcher()
    {
        UnhookWindowsHookEx(FHook);
        Current = nullptr;
    }
    TMessageBoxCatcher(const TMessageBoxCatcher&) = delete;
    TMessageBoxCatcher& operator=(const TMessageBoxCatcher&) = delete;
    const std::vector<TBox>& Boxes() const { return FBoxes; }

private:
    static LRESULT CALLBACK CbtProc(int Code, WPARAM WParam, LPARAM LParam)
    {
        if (Code == HCBT_ACTIVATE && Current) {
            auto wnd = reinterpret_cast<HWND>(WParam);
            wchar_t cls[64] = {};
            GetClassNameW(wnd, cls, 64);
            if (std::wstring(cls) == L"#32770") {
                TBox box;
                wchar_t buf[512] = {};
                GetWindowTextW(wnd, buf, 512);
                box.Caption = buf;
                buf[0] = 0;
                GetDlgItemTextW(wnd, 0xFFFF, buf, 512);  // the box's text
                box.Text = buf;
                Current->FBoxes.push_back(box);
                PostMessageW(wnd, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(nullptr, Code, WParam, LParam);
    }
    static inline TMessageBoxCatcher* Current = nullptr;
    HHOOK FHook;
    std::vector<TBox> FBoxes;
};

// A push button: Enter reaches it when it is the default button, Escape when
// it is the cancel button; a click sets its form's ModalResult.
class TTestButton : public TCustomControl {
public:
    explicit TTestButton(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetTabStop(true);
        SetBounds(0, 0, 75, 25);
    }
    String ClassName() const override { return u"TTestButton"; }
    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    using TCustomControl::Click;

protected:
    void Click() override
    {
        if (TCustomForm* form = GetParentForm(this))
            if (ModalResult != mrNone) form->SetModalResult(ModalResult);
        TCustomControl::Click();
    }
    void CMDialogKey(TMessage& Message) override
    {
        if ((Message.WParam == VK_RETURN && Default) || (Message.WParam == VK_ESCAPE && Cancel)) {
            Click();
            Message.Result = 1;
            return;
        }
        TCustomControl::CMDialogKey(Message);
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clBtnFace);
        Canvas()->FillRect(ClientRect());
    }
};

// A windowless square painted in its colour.
class TColourSquare : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    String ClassName() const override { return u"TColourSquare"; }

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

// The form of a test, freed at its end.
class FormTest : public testing::Test {
protected:
    void TearDown() override
    {
        for (auto it = FForms.rbegin(); it != FForms.rend(); ++it) delete *it;
        FForms.clear();
        Pump();
    }
    template <class T = TForm>
    T* NewForm(int Left = 100, int Top = 100, int ClientWidth = 400, int ClientHeight = 300)
    {
        T* form = new T(nullptr);
        form->SetBounds(Left, Top, 200, 200);
        form->SetClientWidth(ClientWidth);
        form->SetClientHeight(ClientHeight);
        FForms.push_back(form);
        return form;
    }
    void Forget(TCustomForm* Form) { FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end()); }
    void ShowAndWait(TCustomForm* Form)
    {
        Form->Show();
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Form->Handle()) != 0; }));
        UpdateWindow(Form->Handle());
        Pump();
    }

private:
    std::vector<TCustomForm*> FForms;
};

} // namespace guitest
