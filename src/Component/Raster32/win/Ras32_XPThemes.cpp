#include "Component/Raster32/win/Ras32_XPThemes.h"

#include <memory>

#include "framework/controls/win/Messages.h"

TVisualStyleApi VisualStyleApi;
bool UseVisualStyles = false;
HTHEME ScrollBarTheme = nullptr;
HTHEME GlobalsTheme = nullptr;

namespace {

HMODULE VisualStyleLibrary = nullptr;

template <class F>
void Resolve(F& Proc, const char* Name)
{
    Proc = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(VisualStyleLibrary, Name)));
}

}  // namespace

bool LoadVisualStyleApi()
{
    if (VisualStyleLibrary) return true;
    VisualStyleLibrary = LoadLibraryW(L"uxtheme.dll");
    if (!VisualStyleLibrary) return false;
    TVisualStyleApi& A = VisualStyleApi;
    Resolve(A.OpenThemeData, "OpenThemeData");
    Resolve(A.CloseThemeData, "CloseThemeData");
    Resolve(A.DrawThemeBackground, "DrawThemeBackground");
    Resolve(A.DrawThemeEdge, "DrawThemeEdge");
    Resolve(A.GetThemeColor, "GetThemeColor");
    Resolve(A.GetThemeMetric, "GetThemeMetric");
    Resolve(A.GetThemeMargins, "GetThemeMargins");
    Resolve(A.SetWindowTheme, "SetWindowTheme");
    Resolve(A.IsThemeActive, "IsThemeActive");
    Resolve(A.IsAppThemed, "IsAppThemed");
    Resolve(A.EnableTheming, "EnableTheming");
    if (!A.OpenThemeData || !A.CloseThemeData || !A.IsThemeActive || !A.IsAppThemed || !A.EnableTheming) {
        UnloadVisualStyleApi();
        return false;
    }
    return true;
}

void UnloadVisualStyleApi()
{
    if (!VisualStyleLibrary) return;
    FreeLibrary(VisualStyleLibrary);
    VisualStyleLibrary = nullptr;
    VisualStyleApi = TVisualStyleApi{};
}

bool VisualStylesActive()
{
    return VisualStyleLibrary && VisualStyleApi.IsAppThemed() && VisualStyleApi.IsThemeActive();
}

TThemeNexus::TThemeNexus()
{
    FWindowHandle = AllocateHWnd([this](TMessage& Message) {
        if (Message.Msg == WM_THEMECHANGED) {
            CloseThemes();
            OpenThemes();
        }
        Message.Result = DefWindowProcW(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
    });
    OpenThemes();
}

TThemeNexus::~TThemeNexus()
{
    CloseThemes();
    if (FWindowHandle) DeallocateHWnd(FWindowHandle);
}

void TThemeNexus::OpenThemes()
{
    UseVisualStyles = false;
    if (LoadVisualStyleApi()) UseVisualStyles = VisualStylesActive();
    if (UseVisualStyles) {
        ScrollBarTheme = VisualStyleApi.OpenThemeData(FWindowHandle, L"SCROLLBAR");
        GlobalsTheme = VisualStyleApi.OpenThemeData(FWindowHandle, L"GLOBALS");
    }
}

void TThemeNexus::CloseThemes()
{
    if (VisualStylesActive()) {
        if (ScrollBarTheme) VisualStyleApi.CloseThemeData(ScrollBarTheme);
        if (GlobalsTheme) VisualStyleApi.CloseThemeData(GlobalsTheme);
    }
    ScrollBarTheme = nullptr;
    GlobalsTheme = nullptr;
    UnloadVisualStyleApi();
}

TThemeNexus* ThemeNexus()
{
    static std::unique_ptr<TThemeNexus> Nexus = std::make_unique<TThemeNexus>();
    return Nexus.get();
}
