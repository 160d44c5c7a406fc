// The Windows system routines with the real calls: version and folders, key
// states, the clipboard bitmap, screen capture, the download, the message box.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <map>
#include <thread>

#include "ChildProcess.h"
#include "foundation/win/HySysUtils_Win.h"
#include "framework/controls/win/Forms.h"
#include "framework/controls/win/GuiTest.h"

namespace {

// A plain top-level popup painted white with a red 10 x 10 square at (60, 30).
LRESULT CALLBACK PaintProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_PAINT) {
        PAINTSTRUCT Ps;
        HDC Dc = BeginPaint(Wnd, &Ps);
        RECT All = {0, 0, 2000, 2000}, Square = {60, 30, 70, 40};
        FillRect(Dc, &All, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HBRUSH Red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(Dc, &Square, Red);
        DeleteObject(Red);
        EndPaint(Wnd, &Ps);
        return 0;
    }
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

// A 32 x 32 cursor that draws solid black, hot spot at its top-left.
HCURSOR BlackCursor()
{
    static HCURSOR Cursor = [] {
        Byte And[32 * 4] = {}, Xor[32 * 4] = {};
        return CreateCursor(GetModuleHandleW(nullptr), 0, 0, 32, 32, And, Xor);
    }();
    return Cursor;
}

class TTestWindow {
public:
    TTestWindow(Integer X, Integer Y, Integer W, Integer H)
    {
        static const wchar_t* Class = [] {
            WNDCLASSW Wc = {};
            Wc.lpfnWndProc = PaintProc;
            Wc.hInstance = GetModuleHandleW(nullptr);
            Wc.hCursor = BlackCursor();
            Wc.lpszClassName = L"LmSysUtilsTest";
            RegisterClassW(&Wc);
            return L"LmSysUtilsTest";
        }();
        Handle = CreateWindowExW(WS_EX_TOPMOST, Class, L"capture", WS_POPUP | WS_VISIBLE, X, Y, W, H, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(Handle);
        UpdateWindow(Handle);
        guitest::WaitForScreen(TRect{X, Y, X + W, Y + H});
    }
    ~TTestWindow() { DestroyWindow(Handle); }
    HWND Handle;
};

COLORREF PixelAt(TBitmap& Bmp, Integer X, Integer Y)
{
    return GetPixel(Bmp.Canvas()->Handle(), X, Y) & 0xFFFFFF;
}

constexpr COLORREF White = 0xFFFFFF, Red = 0x0000FF, Black = 0;

void SendKey(WORD Key, bool Up)
{
    INPUT In = {};
    In.type = INPUT_KEYBOARD;
    In.ki.wVk = Key;
    In.ki.dwFlags = (Up ? KEYEVENTF_KEYUP : 0) | (Key == VK_RCONTROL || Key == VK_RMENU ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &In, sizeof(In));
}

}  // namespace

TEST(HySysUtilsWin, VersionFoldersAndMemory)
{
    EXPECT_GE(Win32MajorVersion, 6);
    const String Text = GetOSVersionText();
    EXPECT_TRUE(StartsStr(IntToStr(Win32MajorVersion), Text)) << UTF8Encode(Text);
    const String Digits = Text.substr(0, Text.find(u' '));
    EXPECT_GE(Digits.size(), 3u);
    EXPECT_EQ(Digits.find_first_not_of(u"0123456789"), String::npos);
    if (Text.size() > Digits.size()) EXPECT_GT(Text.size(), Digits.size() + 1);  // a blank and the service pack

    const String Windows = GetWindowsFolder(), System = GetSystemFolder();
    EXPECT_TRUE(EndsStr(u"\\", Windows));
    EXPECT_TRUE(EndsStr(u"\\", System));
    EXPECT_TRUE(DirectoryExists(Windows));
    EXPECT_TRUE(DirectoryExists(System));
    EXPECT_EQ(GetWindowsDrive(), Windows.substr(0, 1));
    EXPECT_GT(GetAvailPhysMemory(), 0u);
    AllowDropAndCopyData();
}

TEST(HySysUtilsWin, KeyStates)
{
    TTestWindow Window(100, 100, 50, 50);
    struct {
        WORD Key;
        bool (*Check)();
    } const Cases[] = {{VK_LCONTROL, IsLeftCtrlDown}, {VK_RCONTROL, IsRightCtrlDown}, {VK_LCONTROL, IsCtrlDown},
                       {VK_RCONTROL, IsCtrlDown},     {VK_LSHIFT, IsShiftDown},       {VK_RSHIFT, IsShiftDown},
                       {VK_LMENU, IsAltDown},         {VK_F10, IsF10Down}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Key);
        // The keys reach the thread of the window that has the focus.
        SetForegroundWindow(Window.Handle);
        SetFocus(Window.Handle);
        ASSERT_TRUE(
            guitest::PumpUntil([&] { return GetForegroundWindow() == Window.Handle && GetFocus() == Window.Handle; }));
        SendKey(C.Key, false);
        EXPECT_TRUE(guitest::PumpUntil(C.Check));
        SendKey(C.Key, true);
        EXPECT_TRUE(guitest::PumpUntil([&] { return !C.Check(); }));
    }
    SendKey(VK_LSHIFT, false);
    ASSERT_TRUE(guitest::PumpUntil(IsShiftDown));
    EXPECT_FALSE(IsCtrlDown());
    EXPECT_FALSE(IsRightCtrlDown());
    SendKey(VK_LSHIFT, true);
    EXPECT_TRUE(guitest::PumpUntil([] { return !IsShiftDown(); }));
}

TEST(HySysUtilsWin, ClipboardBitmapSize)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    Integer W = 0, H = 0;
    EXPECT_FALSE(GetClipboardBitmapSize(W, H));
    EXPECT_EQ(W, -1);
    EXPECT_EQ(H, -1);

    HDC Screen = GetDC(nullptr);
    HBITMAP Bmp = CreateCompatibleBitmap(Screen, 32, 16);
    ReleaseDC(nullptr, Screen);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, Bmp);
    CloseClipboard();
    EXPECT_TRUE(GetClipboardBitmapSize(W, H));
    EXPECT_EQ(W, 32);
    EXPECT_EQ(H, 16);
}

TEST(HySysUtilsWin, CaptureOfTheScreenCopiesTheRectangle)
{
    TTestWindow Window(100, 100, 200, 100);
    TBitmap Bmp;
    EXPECT_TRUE(CaptureScreenRect(Bmp, TRect(100, 100, 300, 200), false, nullptr));
    ASSERT_EQ(Bmp.Width(), 200);
    ASSERT_EQ(Bmp.Height(), 100);
    EXPECT_EQ(PixelAt(Bmp, 5, 5), White);
    EXPECT_EQ(PixelAt(Bmp, 65, 35), Red);
    EXPECT_EQ(PixelAt(Bmp, 75, 35), White);

    // The cursor, drawn where it is.
    guitest::MovePointer(TPoint{200, 180});
    SetCursor(BlackCursor());
    EXPECT_TRUE(CaptureScreenRect(Bmp, TRect(100, 100, 300, 200), true, nullptr));
    EXPECT_EQ(PixelAt(Bmp, 105, 85), Black);
    EXPECT_EQ(PixelAt(Bmp, 95, 75), White);
}

TEST(HySysUtilsWin, CaptureOfAWindowLeftOfTheScreen)
{
    TTestWindow Window(-50, 100, 200, 100);
    RECT Wr;
    GetWindowRect(Window.Handle, &Wr);
    ASSERT_EQ(Wr.left, -50);
    guitest::MovePointer(TPoint{80, 170});
    SetCursor(BlackCursor());

    TBitmap Bmp;
    EXPECT_TRUE(CaptureScreenRect(Bmp, TRect(Wr.left, Wr.top, Wr.right, Wr.bottom), true, Window.Handle));
    // The part on the screen: window columns 50 to 199.
    ASSERT_EQ(Bmp.Width(), 150);
    ASSERT_EQ(Bmp.Height(), 100);
    EXPECT_EQ(PixelAt(Bmp, 15, 35), Red);  // window column 65
    EXPECT_EQ(PixelAt(Bmp, 5, 5), White);
    // The cursor at screen (80, 170) is at (80, 70) of the copy, not 50 pixels
    // to the left of it.
    EXPECT_EQ(PixelAt(Bmp, 85, 75), Black);
    EXPECT_EQ(PixelAt(Bmp, 35, 75), White);
}

// ---------------------------------------------------------------------------
// Download, against a small HTTP server of the test's own on 127.0.0.1.

namespace {

class TLocalServer {
public:
    std::map<std::string, std::string> Pages;

    TLocalServer()
    {
        WSADATA Wsa;
        WSAStartup(MAKEWORD(2, 2), &Wsa);
        FListen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in Addr = {};
        Addr.sin_family = AF_INET;
        Addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(FListen, reinterpret_cast<sockaddr*>(&Addr), sizeof(Addr));
        int Len = sizeof(Addr);
        getsockname(FListen, reinterpret_cast<sockaddr*>(&Addr), &Len);
        Port = ntohs(Addr.sin_port);
        listen(FListen, 8);
    }
    ~TLocalServer()
    {
        FStop = true;
        closesocket(FListen);
        if (FThread.joinable()) FThread.join();
        WSACleanup();
    }
    void Start()
    {
        FThread = std::thread([this] { Serve(); });
    }
    String Url(const char* Path) const { return u"http://127.0.0.1:" + IntToStr(Port) + Str(Path); }
    Integer Port = 0;

private:
    void Serve()
    {
        while (!FStop) {
            SOCKET Client = accept(FListen, nullptr, nullptr);
            if (Client == INVALID_SOCKET) return;
            std::string Request;
            char Buf[1024];
            while (Request.find("\r\n\r\n") == std::string::npos) {
                int N = recv(Client, Buf, sizeof(Buf), 0);
                if (N <= 0) break;
                Request.append(Buf, static_cast<size_t>(N));
            }
            const size_t Start = Request.find(' ') + 1;
            const std::string Path = Request.substr(Start, Request.find(' ', Start) - Start);
            auto It = Pages.find(Path);
            std::string Body = It == Pages.end() ? "" : It->second;
            std::string Response = (It == Pages.end() ? "HTTP/1.1 404 Not Found\r\n" : "HTTP/1.1 200 OK\r\n");
            Response += "Content-Type: application/octet-stream\r\nConnection: close\r\nContent-Length: " +
                        std::to_string(Body.size()) + "\r\n\r\n" + Body;
            for (size_t Sent = 0; Sent < Response.size();) {
                int N = send(Client, Response.data() + Sent, static_cast<int>(Response.size() - Sent), 0);
                if (N <= 0) break;
                Sent += static_cast<size_t>(N);
            }
            shutdown(Client, SD_SEND);
            closesocket(Client);
        }
    }

    SOCKET FListen;
    std::thread FThread;
    std::atomic<bool> FStop{false};
};

}  // namespace

TEST(HySysUtilsWin, DownloadAndTextEncodings)
{
    TLocalServer Server;
    Server.Pages["/utf8bom"] = "\xEF\xBB\xBF" "caf\xC3\xA9";
    Server.Pages["/utf16le"] = std::string("\xFF\xFE" "h\0\x2D\x4E", 6);
    Server.Pages["/utf16be"] = std::string("\xFE\xFF\0h\x4E\x2D", 6);
    Server.Pages["/utf8"] = "\xE4\xB8\xAD\xE6\x96\x87 text";
    Server.Pages["/ascii"] = "plain, text";
    Server.Pages["/ansi"] = "caf\xE9";  // not UTF-8: the ANSI code page
    Server.Pages["/empty"] = "";
    Server.Pages["/big"] = std::string(10000, 'x');
    Server.Start();

    struct {
        const char* Path;
        String Text;
    } const Cases[] = {{"/utf8bom", u"café"},   {"/utf16le", u"h中"},        {"/utf16be", u"h中"},
                       {"/utf8", u"中文 text"}, {"/ascii", u"plain, text"}, {"/ansi", AnsiToString("caf\xE9")},
                       {"/empty", u""},         {"/big", String(10000, u'x')}};
    for (const auto& C : Cases) EXPECT_EQ(GetUrlText(Server.Url(C.Path)), C.Text) << C.Path;

    TMemoryStream Data;
    std::vector<Int64> Seen;
    EXPECT_TRUE(DownloadUrl(Server.Url("/big"), &Data, [&](bool&, Int64 Received) { Seen.push_back(Received); }));
    EXPECT_EQ(Data.Size(), 10000);
    ASSERT_FALSE(Seen.empty());
    EXPECT_EQ(Seen.back(), 10000);
    EXPECT_TRUE(std::is_sorted(Seen.begin(), Seen.end()));

    TMemoryStream Cancelled;
    EXPECT_FALSE(DownloadUrl(Server.Url("/big"), &Cancelled, [](bool& Cancel, Int64) { Cancel = true; }));
    EXPECT_LT(Cancelled.Size(), 10000);

    // Nobody listens there.
    EXPECT_EQ(GetUrlText(u"http://127.0.0.1:1/none"), u"");
}

TEST(HySysUtilsWin, InformationBoxTakesTheApplicationTitle)
{
    Application->SetTitle(u"Lumatra Test");
    std::atomic<bool> Found{false};
    String SeenText;
    std::thread Closer([&] {
        for (int I = 0; I < 500 && !Found; ++I) {
            HWND Box = FindWindowW(L"#32770", L"Lumatra Test");
            if (Box) {
                wchar_t Text[256] = {};
                GetDlgItemTextW(Box, 0xFFFF, Text, 256);
                SeenText = FromWStr(Text);
                Found = true;
                PostMessageW(Box, WM_COMMAND, IDOK, 0);
            }
            Sleep(20);
        }
    });
    ShowInfoMsg(u"Saved.");
    Closer.join();
    EXPECT_TRUE(Found);
    EXPECT_EQ(SeenText, u"Saved.");
}
