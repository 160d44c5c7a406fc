// The program's entry. Until the editor's main window exists it shows a plain
// window with the product name, so that the program can be started and seen.
#include <windows.h>

namespace {

const wchar_t* const ProductName = L"Quorvan Lumatra Standard";

LRESULT CALLBACK StartWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Wnd, &ps);
        RECT r;
        GetClientRect(Wnd, &r);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, ProductName, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(Wnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE Instance, HINSTANCE, LPWSTR, int CmdShow)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = StartWndProc;
    wc.hInstance = Instance;
    wc.hIcon = LoadIconW(Instance, L"MAINICON");
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TLumatraStart";
    RegisterClassExW(&wc);
    HWND wnd = CreateWindowExW(0, wc.lpszClassName, ProductName, WS_OVERLAPPEDWINDOW,
                               CW_USEDEFAULT, CW_USEDEFAULT, 640, 400, nullptr, nullptr, Instance, nullptr);
    ShowWindow(wnd, CmdShow);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
