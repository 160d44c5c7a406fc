#include "skin/model/win/SFGlowText_Win.h"

#include <algorithm>

#include "skin/model/SFGlowText.h"
#include "skin/model/SFStackBlur.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

// A black, fully transparent work bitmap of W x H whose canvas has Canvas's
// font in the glow's red and a clear brush.
void PrepareGlowBitmap(TsfBitmap& B, TCanvas* Canvas, Integer W, Integer H)
{
    B.SetSize(std::max(W, 1), std::max(H, 1));
    TCanvas* C = B.Canvas();
    C->Font()->Assign(Canvas->Font());
    C->Font()->SetColor(sfGlowShapeColor);
    C->Brush()->SetStyle(bsClear);
}

Integer PlatformText(TCanvas* Canvas, const String& Text, TRect R, UINT Flags)
{
    Canvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
    return DrawTextW(Canvas->Handle(), reinterpret_cast<LPCWSTR>(Text.c_str()), static_cast<int>(Text.size()),
                     reinterpret_cast<RECT*>(&R), Flags);
}

TRect Moved(const TRect& R, Integer DX, Integer DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }

// The glow in B, blurred Passes times by Radius and coloured, drawn with its
// top-left corner at (X, Y).
void FinishGlow(TsfBitmap& B, TCanvas* Canvas, Integer X, Integer Y, Integer Radius, Integer Passes, TColor Color)
{
    for (Integer i = 0; i < Passes; ++i) StackBlur(&B, Radius);
    ColorGlowFromRed(&B, Color);
    B.Draw(Canvas, X, Y);
}

template <class DrawShape>
void DrawTextGlow(TCanvas* Canvas, const TRect& R, Integer GlowOffset, TColor GlowColor, Integer GlowSize,
                  DrawShape Shape)
{
    // A negative size would turn the margin inside out.
    const Integer M = std::max(GlowSize, 0);
    TsfBitmap B;
    PrepareGlowBitmap(B, Canvas, RectWidth(R) + 2 * M, RectHeight(R) + 2 * M);
    Shape(B.Canvas(), TRect{M, M, B.Width() - M, B.Height() - M});
    FinishGlow(B, Canvas, R.Left + GlowOffset - M, R.Top + GlowOffset - M, M, 1, GlowColor);
    Canvas->Brush()->SetStyle(bsClear);
}

Integer DrawVistaGlow(TCanvas* Canvas, const TRect& R, const String& Text, UINT Flags, TColor GlowColor,
                      Integer M, const TRect& Inset, Integer Radius)
{
    TsfBitmap B;
    PrepareGlowBitmap(B, Canvas, RectWidth(R) + 2 * M, RectHeight(R) + 2 * M);
    const TRect T{M, M, RectWidth(R) + M, RectHeight(R) + M};
    B.FillRect(TRect{T.Left + Inset.Left, T.Top + Inset.Top, T.Right - Inset.Right, T.Bottom - Inset.Bottom},
               0xFFFF0000);
    static constexpr TPoint Offsets[] = {{-1, -1}, {-2, -2}, {-1, 0}, {-2, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 2}, {0, 0}};
    for (const TPoint& O : Offsets) {
        TRect S = Moved(T, O.X, O.Y);
        DrawWideText(B.Canvas(), Text, S, Flags);
    }
    FinishGlow(B, Canvas, R.Left - M, R.Top - M, Radius, 2, GlowColor);
    Canvas->Brush()->SetStyle(bsClear);
    TRect Place = R;
    return DrawWideText(Canvas, Text, Place, Flags);
}

}  // namespace

Integer DrawGlowText(TCanvas* Canvas, TRect& R, const String& Text, UINT Flags, Integer GlowOffset, TColor GlowColor,
                     Integer GlowSize)
{
    DrawTextGlow(Canvas, R, GlowOffset, GlowColor, GlowSize, [&](TCanvas* C, TRect T) {
        DrawWideText(C, Text, T, Flags);
    });
    return DrawWideText(Canvas, Text, R, Flags);
}

Integer DrawGlowTextEx(TCanvas* Canvas, TRect& R, const String& Text, UINT Flags, Integer GlowOffset,
                       TColor GlowColor, Integer GlowSize)
{
    DrawTextGlow(Canvas, R, GlowOffset, GlowColor, GlowSize, [&](TCanvas* C, const TRect& T) {
        static constexpr TPoint Offsets[] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const TPoint& O : Offsets) PlatformText(C, Text, Moved(T, O.X, O.Y), Flags);
    });
    Canvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
    return DrawTextW(Canvas->Handle(), reinterpret_cast<LPCWSTR>(Text.c_str()), static_cast<int>(Text.size()),
                     reinterpret_cast<RECT*>(&R), Flags);
}

Integer DrawVistaGlowText(TCanvas* Canvas, const TRect& R, const String& Text, UINT Flags, TColor GlowColor)
{
    // The backdrop: 3 pixels wider on the left and right, 2 lower at the top and bottom.
    return DrawVistaGlow(Canvas, R, Text, Flags, GlowColor, 12, TRect{-3, 2, -3, 2}, 6);
}

Integer DrawVistaGlowText2(TCanvas* Canvas, const TRect& R, const String& Text, UINT Flags, TColor GlowColor)
{
    return DrawVistaGlow(Canvas, R, Text, Flags, GlowColor, 10, TRect{3, 3, 3, 3}, 5);
}

TRect TextExtentIn(TCanvas* Canvas, const String& Text, const TRect& R, UINT Flags)
{
    TRect M{0, 0, RectWidth(R), RectHeight(R)};
    DrawWideText(Canvas, Text, M, (Flags | DT_CALCRECT) & ~static_cast<UINT>(DT_VCENTER | DT_BOTTOM));
    const Integer W = RectWidth(M), H = RectHeight(M);
    Integer X = R.Left, Y = R.Top;
    if (Flags & DT_CENTER)
        X = R.Left + (RectWidth(R) - W) / 2;
    else if (Flags & DT_RIGHT)
        X = R.Right - W;
    if (Flags & DT_SINGLELINE) {
        if (Flags & DT_VCENTER)
            Y = R.Top + (RectHeight(R) - H) / 2;
        else if (Flags & DT_BOTTOM)
            Y = R.Bottom - H;
    }
    return TRect{X, Y, X + W, Y + H};
}

void DrawReflectionText(TCanvas* Canvas, const TRect& R, const String& Text, UINT Flags, Integer ReflectionOffset,
                        TColor Color)
{
    const Integer W = RectWidth(R), H = RectHeight(R);
    if (W > 0 && H > 0) {
        TsfBitmap B;
        PrepareGlowBitmap(B, Canvas, W, H);
        TRect Local{0, 0, W, H};
        DrawWideText(B.Canvas(), Text, Local, Flags);
        // The text's rows in the work bitmap, and in R.
        const TRect InB = TextExtentIn(B.Canvas(), Text, TRect{0, 0, W, H}, Flags);
        const TRect InR = TextExtentIn(Canvas, Text, R, Flags);
        if (InB.Bottom > InB.Top) {
            FadeReflectionRows(&B, InB.Top, InB.Bottom, Color);
            B.FlipVert();
            // Row y lands on H - 1 - y: the text's last row comes just below its own.
            B.Draw(Canvas, R.Left, InR.Bottom + InB.Bottom + ReflectionOffset - H);
        }
    }
    Canvas->Brush()->SetStyle(bsClear);
    TRect Place = R;
    DrawWideText(Canvas, Text, Place, Flags);
}

void DrawGlyphMask(TsfBitmap* Dest, TCustomImageList* ImageList, Integer Index, Integer Offset)
{
    if (!Dest || !HasListImage(ImageList, Index)) return;
    TBitmap Image;
    if (!ImageList->GetBitmap(Index, &Image) || Image.Empty()) return;
    GdiFlush();
    const Integer W = Image.Width(), H = Image.Height();
    const uint32_t Key = *static_cast<const uint32_t*>(Image.ScanLine(0));
    // The shape keyed by its top-left colour, put in three times one pixel apart.
    for (Integer y = 0; y < H; ++y) {
        const uint32_t* Row = static_cast<const uint32_t*>(Image.ScanLine(y));
        for (Integer x = 0; x < W; ++x) {
            if (Row[x] == Key) continue;
            for (Integer D = -1; D <= 1; ++D) Dest->SetPixel(x + Offset + D, y + Offset + D, 0xFFFF0000);
        }
    }
}

void DrawImageAndTextGlow(TCanvas* Canvas, const TRect& R, Integer Margin, Integer Spacing, TsfButtonLayout Layout,
                          const String& Caption, Integer ImageIndex, TCustomImageList* ImageList, bool Pressed,
                          bool Enabled, bool DrawColorMarker, TColor MarkerColor, TColor GlowColor, Integer GlowSize)
{
    const bool HasGlyph = HasListImage(ImageList, ImageIndex);
    const Integer GW = HasGlyph ? ImageList->Width() : 0, GH = HasGlyph ? ImageList->Height() : 0;
    const TsfGlyphTextPlace P = PlaceGlyphAndText(Canvas, R, Margin, Spacing, Layout, Caption, GW, GH, Pressed);
    const Integer M = std::max(GlowSize, 0);
    if (HasGlyph) {
        TsfBitmap B;
        B.SetSize(GW + 2 * M, GH + 2 * M);
        DrawGlyphMask(&B, ImageList, ImageIndex, M);
        FinishGlow(B, Canvas, P.GlyphX - M, P.GlyphY - M, M, 1, GlowColor);
    }
    if (!Caption.empty()) {
        TRect T = P.TextRect;
        DrawGlowTextEx(Canvas, T, Caption, SkinCaptionFormat, 0, GlowColor, GlowSize);
    }
    if (HasGlyph) ImageList->Draw(Canvas, P.GlyphX, P.GlyphY, ImageIndex, Enabled);
    if (!DrawColorMarker) return;
    if (HasGlyph) {
        DrawMarkerLines(Canvas, P.GlyphX, P.GlyphX + GW, P.GlyphY + GH, MarkerColor);
    } else if (!Caption.empty()) {
        DrawMarkerLines(Canvas, P.TextRect.Left, P.TextRect.Right, P.TextRect.Bottom + 1, MarkerColor);
    } else {
        FillMarkerBar(Canvas, TRect{R.Left + 2, R.Top + 4, R.Right - 2, R.Bottom - 2}, MarkerColor);  // pressed or not
    }
}
