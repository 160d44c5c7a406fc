// SFUtils_Win: the skin library's helpers that draw on a canvas or talk to the
// window system: focus rectangle, arrows and marks of the default look, the
// default caption-button glyphs, glyph-and-caption faces, what lies behind a
// see-through control, wide text, window alpha, screen grabs, monitor
// rectangles, the desktop-composition switches, and the platform functions
// looked up at start-up because older systems lack them.
#pragma once

#include <functional>

#include "framework/controls/win/Controls.h"
#include "framework/controls/win/ImgList.h"
#include "framework/graphics/win/Graphics.h"
#include "framework/graphics/win/PngImage.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/SFUtils.h"

// ---------------------------------------------------------------------------
// The platform functions looked up at start-up (LoadSkinPlatformFunctions):
// null when the system lacks them, and every routine that needs one then does
// nothing or its fallback. Tests put their own in place to watch the calls.
using TMonitorFromWindowProc = HMONITOR(WINAPI*)(HWND, DWORD);
using TGetMonitorInfoAProc = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
using TGetScrollBarInfoProc = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TSetLayeredWindowAttributesProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using TUpdateLayeredWindowProc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                               DWORD);
using TDwmIsCompositionEnabledProc = HRESULT(WINAPI*)(BOOL*);
using TDwmSetWindowAttributeProc = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
// The blur-behind record as the platform lays it out.
struct TsfDwmBlurBehind {
    DWORD dwFlags;
    BOOL fEnable;
    HRGN hRgnBlur;
    BOOL fTransitionOnMaximized;
};
using TDwmEnableBlurBehindWindowProc = HRESULT(WINAPI*)(HWND, const TsfDwmBlurBehind*);

extern TMonitorFromWindowProc SfMonitorFromWindow;
extern TGetMonitorInfoAProc SfGetMonitorInfoA;
extern TGetScrollBarInfoProc SfGetScrollBarInfo;
extern TSetLayeredWindowAttributesProc SfSetLayeredWindowAttributes;
extern TUpdateLayeredWindowProc SfUpdateLayeredWindow;
extern TDwmIsCompositionEnabledProc SfDwmIsCompositionEnabled;
extern TDwmSetWindowAttributeProc SfDwmSetWindowAttribute;
extern TDwmEnableBlurBehindWindowProc SfDwmEnableBlurBehindWindow;

// Start-up (InstallSkinKernelsWin calls it): the user32 functions from the
// module already loaded, the NT flag, the version source, then LoadDwmApi.
void LoadSkinPlatformFunctions();
// Shut-down: dwmapi.dll released when it was loaded, the monitor and scroll-bar functions cleared.
void FreeSkinPlatformFunctions();
// Loads "dwmapi.dll" (absent before Windows 6) and looks up its three functions.
void LoadDwmApi();
// The platform is of the NT family (found at start-up).
bool IsNTPlatform();

// ---------------------------------------------------------------------------
// What a skinned tab control paints behind the controls on it: its client
// background over (0, 0, Width, Height) in the logical coordinates of DC,
// which the caller has already offset and clipped. The tab control derives
// from this; DrawParentBackground asks a parent that has it.
class TsfSkinTabBackground {
public:
    virtual ~TsfSkinTabBackground() = default;
    virtual void PaintBG(HDC DC) = 0;
};

// Paints into Canvas, in Control's coordinates, what its parent and the
// parent's earlier windowless children show under it. Nothing without a
// control or parent.
void DrawParentBackground(TControl* Control, TCanvas* Canvas);
// The same with the canvas origin moved further by R's top-left corner.
void DrawParentBackgroundAt(TControl* Control, const TRect& R, TCanvas* Canvas);

// ---------------------------------------------------------------------------
// Marks of the default look. Each sets the pen (and brush) colour it needs and
// leaves it so; lines leave out their end points, as LineTo does.
void DrawSkinFocusRect(TCanvas* Canvas, const TRect& R);
void DrawDropArrowImage(TCanvas* Canvas, const TRect& R, TColor Color);
// Kind 1 left, 2 right, 3 up, 4 down; any other draws nothing.
void DrawArrowImage(TCanvas* Canvas, const TRect& R, TColor Color, Integer Kind);
void DrawRadioImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
void DrawCheckImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color);

// The default caption-button glyphs, drawn from (X, Y).
void DrawCloseImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
void DrawSysMenuImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
void DrawMinimizeImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
void DrawMaximizeImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
void DrawRestoreImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
void DrawRollDownImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
void DrawRollUpImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
void DrawTrayImage(TCanvas* Canvas, Integer X, Integer Y, TColor Color);

// ---------------------------------------------------------------------------
// Glyph and caption faces.

// Where a glyph of GlyphWidth x GlyphHeight and a word-wrapped caption go in
// R: the caption measured on Canvas, laid out by LayoutGlyphAndText, moved one
// pixel right and down when Pressed; TextRect is the rectangle the caption is
// drawn into (its top raised by 1 for an odd font height, 2 pixels wider).
struct TsfGlyphTextPlace {
    Integer GlyphX = 0, GlyphY = 0;
    Integer TextWidth = 0, TextHeight = 0;
    TRect TextRect;
};
TsfGlyphTextPlace PlaceGlyphAndText(TCanvas* Canvas, const TRect& R, Integer Margin, Integer Spacing,
                                    TsfButtonLayout Layout, const String& Caption, Integer GlyphWidth,
                                    Integer GlyphHeight, bool Pressed);
// The format the caption of a face is drawn with.
constexpr UINT SkinCaptionFormat = DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER;
// True when Font.Height div 2 differs from Font.Height / 2.
bool IsOddFontHeight(TCanvas* Canvas);
// The three marker lines from X1 (included) to X2 (left out) at Y - 2, Y - 1 and Y.
void DrawMarkerLines(TCanvas* Canvas, Integer X1, Integer X2, Integer Y, TColor Color);
// The marker of a face with neither glyph nor caption: Bar filled with a solid brush of Color.
void FillMarkerBar(TCanvas* Canvas, const TRect& Bar, TColor Color);

// Image ImageIndex of ImageList (none when the list is missing or the index
// outside it), drawn enabled or greyed by Enabled, with a word-wrapped caption.
void DrawImageAndText(TCanvas* Canvas, const TRect& R, Integer Margin, Integer Spacing, TsfButtonLayout Layout,
                      const String& Caption, Integer ImageIndex, TCustomImageList* ImageList, bool Pressed,
                      bool Enabled, bool DrawColorMarker, TColor MarkerColor);
// Whether ImageList has an image ImageIndex.
bool HasListImage(TCustomImageList* ImageList, Integer ImageIndex);
// Frame GlyphNum (from 1) of a strip of NumGlyphs glyphs, with a caption.
void DrawGlyphAndText(TCanvas* Canvas, const TRect& R, Integer Margin, Integer Spacing, TsfButtonLayout Layout,
                      const String& Caption, TBitmap* Glyph, Integer NumGlyphs, Integer GlyphNum, bool Pressed,
                      bool DrawColorMarker, TColor MarkerColor);
// Glyph AIndex (from 1) of a strip of ACount equal glyphs, keyed by the
// strip's own transparent colour, at (X, Y). Nothing for an empty strip, a
// count below 1 or an index outside the strip.
void DrawBitmapGlyph(TCanvas* Canvas, Integer X, Integer Y, TBitmap* B, Integer ACount, Integer AIndex);

// ---------------------------------------------------------------------------
// Wide text. DrawWideText returns DrawTextW's result (the text's height).
Integer DrawWideText(TCanvas* Canvas, const String& Text, TRect& R, UINT Flags);
Integer GetWideTextWidth(TCanvas* Canvas, const String& Text);
Integer GetWideTextHeight(TCanvas* Canvas, const String& Text);
void CutTextToWidth(TCanvas* Canvas, String& Text, Integer MaxWidth);
void DrawVCenterText(TCanvas* Canvas, const String& Text, TRect R);
void DrawClippedText(TCanvas* Canvas, const String& Text, const TRect& R);
void DrawClippedTextIndent(TCanvas* Canvas, const String& Text, const TRect& R, Integer Indent);

// ---------------------------------------------------------------------------
// Windows, screens and pictures.
void SetWindowAlpha(HWND Wnd, uint8_t Alpha);
// The screen area at (X, Y) of the bitmap's size, copied into it.
void GrabScreen(Integer X, Integer Y, TBitmap* Bitmap);
// The JPEG file drawn into Bitmap at its size; the reader's exception passes on.
void LoadJpegToBitmap(TBitmap* Bitmap, const String& FileName);
// Dest <- the PNG's pixels with its alpha (opaque without one), then
// Dest's alpha-blend flag from its pixels.
void AssignPngToSpBitmap(TsfBitmap* Dest, TPngImage* Png);

bool MultiMonitorAvailable();
void GetScreenRect(bool AWorkArea, TRect& R);
// The monitor nearest to Wnd (its work area or whole rectangle); with one
// monitor GetScreenRect. R stays as it is when the monitor query fails.
void GetMonitorRect(HWND Wnd, bool AWorkArea, TRect& R);

bool IsCompositionEnabled();
void SetDwmTransitions(HWND Wnd, bool AEnable);
void SetBlurBehind(HWND Wnd, bool AEnable, HRGN ARgn);
