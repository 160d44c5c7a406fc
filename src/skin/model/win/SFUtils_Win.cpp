#include "skin/model/win/SFUtils_Win.h"

#include <algorithm>

#include "framework/controls/win/Forms.h"
#include "framework/graphics/win/Jpeg.h"

TMonitorFromWindowProc SfMonitorFromWindow = nullptr;
TGetMonitorInfoAProc SfGetMonitorInfoA = nullptr;
TGetScrollBarInfoProc SfGetScrollBarInfo = nullptr;
TSetLayeredWindowAttributesProc SfSetLayeredWindowAttributes = nullptr;
TUpdateLayeredWindowProc SfUpdateLayeredWindow = nullptr;
TDwmIsCompositionEnabledProc SfDwmIsCompositionEnabled = nullptr;
TDwmSetWindowAttributeProc SfDwmSetWindowAttribute = nullptr;
TDwmEnableBlurBehindWindowProc SfDwmEnableBlurBehindWindow = nullptr;

namespace {

HMODULE GDwmApi = nullptr;
bool GIsNT = false;

template <class P>
void LookUp(HMODULE Module, const char* Name, P& Proc)
{
    Proc = Module ? reinterpret_cast<P>(reinterpret_cast<void*>(GetProcAddress(Module, Name))) : nullptr;
}

Cardinal PlatformVersion() { return GetVersion(); }

// PaintWindow is the parent's own painting, which the background of a
// see-through child needs without the parent's other children.
struct TPaintWindowAccess : TWinControl {
    static void PaintWindowOf(TWinControl* Control, HDC DC)
    {
        (Control->*(&TPaintWindowAccess::PaintWindow))(DC);
    }
};

void Line(TCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

void OutlineRect(TCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Canvas->Rectangle(X1, Y1, X2, Y2);
}

void DrawParentBackgroundBy(TControl* Control, Integer DX, Integer DY, TCanvas* Canvas)
{
    if (!Control || !Control->Parent()) return;
    TWinControl* Parent = Control->Parent();
    HDC DC = Canvas->Handle();
    {
        Parent->SetControlState(Parent->ControlState() | csPaintCopy);
        auto Clear = ScopeExit([&] { Parent->SetControlState(Parent->ControlState() & ~csPaintCopy); });
        TSavedDC Saved(DC);
        SetViewportOrgEx(DC, -Control->Left() - DX, -Control->Top() - DY, nullptr);
        IntersectClipRect(DC, 0, 0, Parent->ClientWidth(), Parent->ClientHeight());
        auto* Form = dynamic_cast<TCustomForm*>(Parent);
        if (Form && Form->FormStyle() == fsMDIForm) {
            if (HWND Client = FindWindowExW(Form->Handle(), nullptr, L"MDICLIENT", nullptr))
                SendMessageW(Client, WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
        } else if (auto* Tab = dynamic_cast<TsfSkinTabBackground*>(Parent)) {
            Tab->PaintBG(DC);
        } else {
            Parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
            if (!Form) TPaintWindowAccess::PaintWindowOf(Parent, DC);
        }
    }
    const TRect Bounds = Control->BoundsRect();
    for (Integer i = 0; i < Parent->ControlCount(); ++i) {
        TControl* Child = Parent->Controls(i);
        if (Child == Control) break;
        if (!dynamic_cast<TGraphicControl*>(Child) || !Child->Visible()) continue;
        const TRect CB = Child->BoundsRect();
        if (CB.Left >= Bounds.Right || Bounds.Left >= CB.Right || CB.Top >= Bounds.Bottom || Bounds.Top >= CB.Bottom)
            continue;
        Child->SetControlState(Child->ControlState() | csPaintCopy);
        auto Clear = ScopeExit([&] { Child->SetControlState(Child->ControlState() & ~csPaintCopy); });
        TSavedDC Saved(DC);
        SetViewportOrgEx(DC, CB.Left - Control->Left() - DX, CB.Top - Control->Top() - DY, nullptr);
        IntersectClipRect(DC, 0, 0, CB.Width(), CB.Height());
        Child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
}

}  // namespace

void LoadSkinPlatformFunctions()
{
    OSVERSIONINFOW Info{};
    Info.dwOSVersionInfoSize = sizeof(Info);
    GIsNT = GetVersionExW(&Info) && Info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    SfGetVersion = PlatformVersion;
    // user32 is loaded with every program: it is looked up, not loaded again.
    const HMODULE User32 = GetModuleHandleW(L"user32.dll");
    LookUp(User32, "MonitorFromWindow", SfMonitorFromWindow);
    LookUp(User32, "GetMonitorInfoA", SfGetMonitorInfoA);
    LookUp(User32, "GetScrollBarInfo", SfGetScrollBarInfo);
    LookUp(User32, "SetLayeredWindowAttributes", SfSetLayeredWindowAttributes);
    LookUp(User32, "UpdateLayeredWindow", SfUpdateLayeredWindow);
    LoadDwmApi();
}

void LoadDwmApi()
{
    if (!GDwmApi) GDwmApi = LoadLibraryW(L"dwmapi.dll");
    LookUp(GDwmApi, "DwmIsCompositionEnabled", SfDwmIsCompositionEnabled);
    LookUp(GDwmApi, "DwmSetWindowAttribute", SfDwmSetWindowAttribute);
    LookUp(GDwmApi, "DwmEnableBlurBehindWindow", SfDwmEnableBlurBehindWindow);
}

void FreeSkinPlatformFunctions()
{
    SfDwmIsCompositionEnabled = nullptr;
    SfDwmSetWindowAttribute = nullptr;
    SfDwmEnableBlurBehindWindow = nullptr;
    if (GDwmApi) FreeLibrary(GDwmApi);
    GDwmApi = nullptr;
    SfMonitorFromWindow = nullptr;
    SfGetMonitorInfoA = nullptr;
    SfGetScrollBarInfo = nullptr;
}

bool IsNTPlatform() { return GIsNT; }

// ---------------------------------------------------------------------------

void DrawParentBackground(TControl* Control, TCanvas* Canvas) { DrawParentBackgroundBy(Control, 0, 0, Canvas); }

void DrawParentBackgroundAt(TControl* Control, const TRect& R, TCanvas* Canvas)
{
    DrawParentBackgroundBy(Control, R.Left, R.Top, Canvas);
}

// ---------------------------------------------------------------------------

void DrawSkinFocusRect(TCanvas* Canvas, const TRect& R)
{
    const TColor Color = Canvas->Font()->Color();
    Canvas->Pen()->SetColor(Color);
    for (const TPoint& P : SkinFocusRectDots(R)) Canvas->SetPixels(P.X, P.Y, Color);
}

void DrawDropArrowImage(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    const Integer CX = R.Left + RectWidth(R) / 2, CY = R.Top + RectHeight(R) / 2;
    for (Integer N = 2; N >= 0; --N) Line(Canvas, CX - N, CY + 2 - N, CX + N + 1, CY + 2 - N);
}

void DrawArrowImage(TCanvas* Canvas, const TRect& R, TColor Color, Integer Kind)
{
    Canvas->Pen()->SetColor(Color);
    const Integer CX = R.Left + RectWidth(R) / 2, CY = R.Top + RectHeight(R) / 2;
    switch (Kind) {
    case 1:
        for (Integer i = 0; i <= 3; ++i) Line(Canvas, CX - 2 + i, CY - i, CX - 2 + i, CY + i + 1);
        break;
    case 2:
        for (Integer N = 3; N >= 0; --N) Line(Canvas, CX + 2 - N, CY + N, CX + 2 - N, CY - N - 1);
        break;
    case 3:
        for (Integer i = 0; i <= 3; ++i) Line(Canvas, CX - i, CY - 2 + i, CX + i + 1, CY - 2 + i);
        break;
    case 4:
        for (Integer N = 3; N >= 0; --N) Line(Canvas, CX - N, CY + 2 - N, CX + N + 1, CY + 2 - N);
        break;
    default:
        break;
    }
}

void DrawRadioImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetColor(Color);
    Canvas->Rectangle(X, Y, X + 6, Y + 6);
}

void DrawCheckImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    for (Integer i = 0; i <= 2; ++i) {
        Canvas->MoveTo(X, Y + 5 - i);
        Canvas->LineTo(X + 2, Y + 7 - i);
        Canvas->LineTo(X + 7, Y + 2 - i);
    }
}

void DrawCloseImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Line(Canvas, X + 1, Y + 1, X + 9, Y + 9);
    Line(Canvas, X + 9, Y + 1, X + 1, Y + 9);
    Line(Canvas, X + 2, Y + 1, X + 10, Y + 9);
    Line(Canvas, X + 8, Y + 1, X + 0, Y + 9);
}

void DrawSysMenuImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsClear);
    OutlineRect(Canvas, X + 1, Y + 3, X + 9, Y + 6);
}

void DrawMinimizeImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Line(Canvas, X + 1, Y + 8, X + 9, Y + 8);
    Line(Canvas, X + 1, Y + 9, X + 9, Y + 9);
}

void DrawMaximizeImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsClear);
    OutlineRect(Canvas, X, Y, X + 11, Y + 10);
    OutlineRect(Canvas, X, Y, X + 11, Y + 2);
}

void DrawRestoreImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsClear);
    OutlineRect(Canvas, X + 2, Y, X + 10, Y + 6);
    OutlineRect(Canvas, X + 2, Y, X + 10, Y + 2);
    OutlineRect(Canvas, X, Y + 4, X + 7, Y + 10);
    OutlineRect(Canvas, X, Y + 4, X + 7, Y + 6);
}

void DrawRollDownImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    for (Integer i = 0; i <= 3; ++i) Line(Canvas, X + 4 - i, Y + 5 - i, X + 6 + i, Y + 5 - i);
}

void DrawRollUpImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    for (Integer i = 0; i <= 3; ++i) Line(Canvas, X + 4 - i, Y + 3 + i, X + 6 + i, Y + 3 + i);
}

void DrawTrayImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Rectangle(X + 2, Y + 2, X + 7, Y + 7);
}

// ---------------------------------------------------------------------------

bool IsOddFontHeight(TCanvas* Canvas) { return Canvas->Font()->Height() % 2 != 0; }

TsfGlyphTextPlace PlaceGlyphAndText(TCanvas* Canvas, const TRect& R, Integer Margin, Integer Spacing,
                                    TsfButtonLayout Layout, const String& Caption, Integer GlyphWidth,
                                    Integer GlyphHeight, bool Pressed)
{
    TsfGlyphTextPlace P;
    if (!Caption.empty()) {
        TRect M{0, 0, RectWidth(R), RectHeight(R)};
        if (Layout == blGlyphLeft || Layout == blGlyphRight)
            M.Right -= GlyphWidth;
        else
            M.Bottom -= GlyphHeight;
        DrawWideText(Canvas, Caption, M, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        P.TextWidth = RectWidth(M);
        P.TextHeight = RectHeight(M);
    }
    Integer TextX = 0, TextY = 0;
    LayoutGlyphAndText(Layout, R, GlyphWidth, GlyphHeight, P.TextWidth, P.TextHeight, Spacing, Margin, TextX, TextY,
                       P.GlyphX, P.GlyphY);
    if (Pressed) {
        ++P.GlyphX;
        ++P.GlyphY;
        ++TextX;
        ++TextY;
    }
    P.TextRect = TRect{TextX, TextY, TextX + P.TextWidth + 2, TextY + P.TextHeight};
    if (IsOddFontHeight(Canvas)) --P.TextRect.Top;
    return P;
}

void DrawMarkerLines(TCanvas* Canvas, Integer X1, Integer X2, Integer Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    for (Integer D = 2; D >= 0; --D) Line(Canvas, X1, Y - D, X2, Y - D);
}

bool HasListImage(TCustomImageList* ImageList, Integer ImageIndex)
{
    return ImageList && ImageIndex >= 0 && ImageIndex < ImageList->Count();
}

void FillMarkerBar(TCanvas* Canvas, const TRect& Bar, TColor Color)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(Bar);
}

void DrawImageAndText(TCanvas* Canvas, const TRect& R, Integer Margin, Integer Spacing, TsfButtonLayout Layout,
                      const String& Caption, Integer ImageIndex, TCustomImageList* ImageList, bool Pressed,
                      bool Enabled, bool DrawColorMarker, TColor MarkerColor)
{
    const bool HasGlyph = HasListImage(ImageList, ImageIndex);
    const Integer GW = HasGlyph ? ImageList->Width() : 0, GH = HasGlyph ? ImageList->Height() : 0;
    Canvas->Brush()->SetStyle(bsClear);
    const TsfGlyphTextPlace P = PlaceGlyphAndText(Canvas, R, Margin, Spacing, Layout, Caption, GW, GH, Pressed);
    if (!Caption.empty()) {
        TRect T = P.TextRect;
        DrawWideText(Canvas, Caption, T, SkinCaptionFormat);
    }
    if (HasGlyph) ImageList->Draw(Canvas, P.GlyphX, P.GlyphY, ImageIndex, Enabled);
    if (!DrawColorMarker) return;
    if (HasGlyph)
        DrawMarkerLines(Canvas, P.GlyphX, P.GlyphX + ImageList->Width(), P.GlyphY + GH, MarkerColor);
    else if (!Caption.empty())
        DrawMarkerLines(Canvas, P.TextRect.Left, P.TextRect.Right, P.TextRect.Bottom + 1, MarkerColor);
    else if (Pressed)
        FillMarkerBar(Canvas, TRect{R.Left + 2, R.Top + 5, R.Right - 2, R.Bottom - 3}, MarkerColor);
    else
        FillMarkerBar(Canvas, TRect{R.Left + 2, R.Top + 4, R.Right - 2, R.Bottom - 2}, MarkerColor);
}

void DrawGlyphAndText(TCanvas* Canvas, const TRect& R, Integer Margin, Integer Spacing, TsfButtonLayout Layout,
                      const String& Caption, TBitmap* Glyph, Integer NumGlyphs, Integer GlyphNum, bool Pressed,
                      bool DrawColorMarker, TColor MarkerColor)
{
    // A strip that claims no frames has no glyph to show (and nothing to divide by).
    const bool HasGlyph = Glyph && !Glyph->Empty() && NumGlyphs >= 1;
    const Integer GW = HasGlyph ? Glyph->Width() / NumGlyphs : 0, GH = HasGlyph ? Glyph->Height() : 0;
    if (!Caption.empty()) Canvas->Brush()->SetStyle(bsClear);
    const TsfGlyphTextPlace P = PlaceGlyphAndText(Canvas, R, Margin, Spacing, Layout, Caption, GW, GH, Pressed);
    if (!Caption.empty()) {
        TRect T = P.TextRect;
        DrawWideText(Canvas, Caption, T, SkinCaptionFormat);
    }
    if (HasGlyph) DrawBitmapGlyph(Canvas, P.GlyphX, P.GlyphY, Glyph, NumGlyphs, GlyphNum);
    if (!DrawColorMarker) return;
    if (HasGlyph) {
        DrawMarkerLines(Canvas, P.GlyphX, P.GlyphX + Glyph->Width(), P.GlyphY + GH, MarkerColor);
    } else if (!Caption.empty()) {
        DrawMarkerLines(Canvas, P.TextRect.Left, P.TextRect.Right, P.TextRect.Bottom + 1, MarkerColor);
    } else if (Pressed) {
        FillMarkerBar(Canvas, TRect{R.Left + 2, R.Top + 5, R.Right - 2, R.Bottom - 3}, MarkerColor);
    } else {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(MarkerColor);
        Canvas->Pen()->SetColor(clBtnFace);
        Canvas->Rectangle(TRect{R.Left + 2, R.Top + 4, R.Right - 2, R.Bottom - 2});
    }
}

void DrawBitmapGlyph(TCanvas* Canvas, Integer X, Integer Y, TBitmap* B, Integer ACount, Integer AIndex)
{
    // A count of 0 or an index off the strip would copy from outside it.
    if (!B || B->Empty() || ACount < 1 || AIndex < 1 || AIndex > ACount) return;
    const Integer W = B->Width() / ACount, H = B->Height();
    if (W < 1) return;
    TBitmap Part;
    Part.SetPixelFormat(pf24bit);
    Part.SetSize(W, H);
    BitBlt(Part.Canvas()->Handle(), 0, 0, W, H, B->Canvas()->Handle(), W * (AIndex - 1), 0, SRCCOPY);
    Part.SetTransparentColor(B->TransparentColor());
    Part.SetTransparent(true);
    Canvas->Draw(X, Y, &Part);
}

// ---------------------------------------------------------------------------

Integer DrawWideText(TCanvas* Canvas, const String& Text, TRect& R, UINT Flags)
{
    // The wide call serves every platform this program runs on; the older
    // family's conversion between string forms left the text as it was.
    Canvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
    return DrawTextW(Canvas->Handle(), reinterpret_cast<LPCWSTR>(Text.c_str()), static_cast<int>(Text.size()),
                     reinterpret_cast<RECT*>(&R), Flags);
}

Integer GetWideTextWidth(TCanvas* Canvas, const String& Text)
{
    TRect R;
    DrawWideText(Canvas, Text, R, DT_CALCRECT);
    return RectWidth(R);
}

Integer GetWideTextHeight(TCanvas* Canvas, const String& Text)
{
    TRect R;
    DrawWideText(Canvas, Text, R, DT_CALCRECT);
    return RectHeight(R);
}

void CutTextToWidth(TCanvas* Canvas, String& Text, Integer MaxWidth)
{
    CutTextToWidth(Text, MaxWidth, [Canvas](const String& S) { return GetWideTextWidth(Canvas, S); });
}

void DrawVCenterText(TCanvas* Canvas, const String& Text, TRect R)
{
    if (Text.empty()) return;
    if (IsOddFontHeight(Canvas)) --R.Top;
    DrawWideText(Canvas, Text, R, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
}

namespace {

void DrawClippedAt(TCanvas* Canvas, const String& Text, const TRect& R, Integer X)
{
    if (Text.empty()) return;
    Integer Y = R.Top + RectHeight(R) / 2 - Canvas->TextHeight(Text) / 2;
    if (IsOddFontHeight(Canvas)) --Y;
    Canvas->TextRect(R, X, Y, Text);
}

}  // namespace

void DrawClippedText(TCanvas* Canvas, const String& Text, const TRect& R)
{
    DrawClippedAt(Canvas, Text, R, R.Left + 1);
}

void DrawClippedTextIndent(TCanvas* Canvas, const String& Text, const TRect& R, Integer Indent)
{
    DrawClippedAt(Canvas, Text, R, R.Left + Indent + 2);
}

// ---------------------------------------------------------------------------

void SetWindowAlpha(HWND Wnd, uint8_t Alpha)
{
    if (SfSetLayeredWindowAttributes) SfSetLayeredWindowAttributes(Wnd, 0, Alpha, LWA_ALPHA);
}

void GrabScreen(Integer X, Integer Y, TBitmap* Bitmap)
{
    TClientDC Screen(nullptr);
    BitBlt(Bitmap->Canvas()->Handle(), 0, 0, Bitmap->Width(), Bitmap->Height(), Screen, X, Y, SRCCOPY);
}

void LoadJpegToBitmap(TBitmap* Bitmap, const String& FileName)
{
    TJPEGImage Jpeg;
    Jpeg.LoadFromFile(FileName);
    Bitmap->SetSize(Jpeg.Width(), Jpeg.Height());
    Bitmap->Canvas()->Draw(0, 0, &Jpeg);
}

void AssignPngToSpBitmap(TsfBitmap* Dest, TPngImage* Png)
{
    const Integer W = Png->Width(), H = Png->Height();
    Dest->SetSize(W, H);
    if (Dest->Empty()) return;
    for (Integer y = 0; y < H; ++y) {
        const uint8_t* Rgb = Png->Scanline(y);
        const uint8_t* A = Png->AlphaScanline(y);
        TsfColor* D = Dest->ScanLineAddress(y);
        for (Integer x = 0; x < W; ++x, Rgb += 3)
            D[x] = (TsfColor(A ? A[x] : 255) << 24) | (TsfColor(Rgb[2]) << 16) | (TsfColor(Rgb[1]) << 8) | Rgb[0];
    }
    Dest->CheckingAlphaBlend();
}

// ---------------------------------------------------------------------------

bool MultiMonitorAvailable() { return GetSystemMetrics(SM_CMONITORS) > 1 && SfGetMonitorInfoA != nullptr; }

void GetScreenRect(bool AWorkArea, TRect& R)
{
    RECT W;
    // Without a work area the whole screen stands for it: R is always set.
    if (AWorkArea && SystemParametersInfoW(SPI_GETWORKAREA, 0, &W, 0))
        R = TRect{W.left, W.top, W.right, W.bottom};
    else
        R = TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void GetMonitorRect(HWND Wnd, bool AWorkArea, TRect& R)
{
    MONITORINFO Info{};
    Info.cbSize = sizeof(Info);
    const HMONITOR Monitor =
        MultiMonitorAvailable() && SfMonitorFromWindow ? SfMonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST) : nullptr;
    // A lookup that fails (no monitor for a window already gone, say) leaves
    // the screen's rectangle rather than whatever R held.
    if (!Monitor || !SfGetMonitorInfoA(Monitor, &Info)) {
        GetScreenRect(AWorkArea, R);
        return;
    }
    const RECT& M = AWorkArea ? Info.rcWork : Info.rcMonitor;
    R = TRect{M.left, M.top, M.right, M.bottom};
}

bool IsCompositionEnabled()
{
    BOOL Enabled = FALSE;
    return GDwmApi && SfDwmIsCompositionEnabled && SUCCEEDED(SfDwmIsCompositionEnabled(&Enabled)) && Enabled;
}

void SetDwmTransitions(HWND Wnd, bool AEnable)
{
    if (!SfDwmSetWindowAttribute) return;
    constexpr DWORD DWMWA_TRANSITIONS_FORCEDISABLED_ = 3;
    const LONG Value = AEnable ? 0 : -1;
    SfDwmSetWindowAttribute(Wnd, DWMWA_TRANSITIONS_FORCEDISABLED_, &Value, 4);
}

void SetBlurBehind(HWND Wnd, bool AEnable, HRGN ARgn)
{
    if (!SfDwmEnableBlurBehindWindow) return;
    constexpr DWORD BB_ENABLE = 1, BB_BLURREGION = 2;
    const TsfDwmBlurBehind Blur{BB_ENABLE | (ARgn ? BB_BLURREGION : 0u), AEnable ? TRUE : FALSE, ARgn, FALSE};
    SfDwmEnableBlurBehindWindow(Wnd, &Blur);
}
