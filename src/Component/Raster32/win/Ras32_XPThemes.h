// Ras32_XPThemes: the platform's visual-style library, loaded by name when
// it is there, and the scroll-bar theme the range bars draw with. A hidden
// window reopens the themes when the platform announces a theme change.
// Without the library, or with visual styles off, UseVisualStyles is false
// and the bars draw in the classic way. Windows only.
#pragma once

#include "framework/runtime/win/WinPlatform.h"

#include <uxtheme.h>

// The entry points, resolved from "uxtheme.dll" (all null while it is not loaded).
struct TVisualStyleApi {
    decltype(&::OpenThemeData) OpenThemeData = nullptr;
    decltype(&::CloseThemeData) CloseThemeData = nullptr;
    decltype(&::DrawThemeBackground) DrawThemeBackground = nullptr;
    decltype(&::DrawThemeEdge) DrawThemeEdge = nullptr;
    decltype(&::GetThemeColor) GetThemeColor = nullptr;
    decltype(&::GetThemeMetric) GetThemeMetric = nullptr;
    decltype(&::GetThemeMargins) GetThemeMargins = nullptr;
    decltype(&::SetWindowTheme) SetWindowTheme = nullptr;
    decltype(&::IsThemeActive) IsThemeActive = nullptr;
    decltype(&::IsAppThemed) IsAppThemed = nullptr;
    decltype(&::EnableTheming) EnableTheming = nullptr;
};
extern TVisualStyleApi VisualStyleApi;

// Loads the library when it is not loaded; false (and unloaded again) when it
// is missing or lacks one of the five entry points it cannot do without.
bool LoadVisualStyleApi();
void UnloadVisualStyleApi();
// Loaded, and the program and the platform both use visual styles.
bool VisualStylesActive();

// Whether the bars draw themed; the themes of the classes "SCROLLBAR" and
// "GLOBALS" while they do. Tests may switch UseVisualStyles off.
extern bool UseVisualStyles;
extern HTHEME ScrollBarTheme;
extern HTHEME GlobalsTheme;

// Owns the hidden window that follows theme changes. One exists for the
// program, made by the first ThemeNexus() and freed at its end.
class TThemeNexus {
public:
    TThemeNexus();
    ~TThemeNexus();
    TThemeNexus(const TThemeNexus&) = delete;
    TThemeNexus& operator=(const TThemeNexus&) = delete;
    HWND WindowHandle() const { return FWindowHandle; }
    void OpenThemes();
    void CloseThemes();

private:
    HWND FWindowHandle = nullptr;
};

TThemeNexus* ThemeNexus();
