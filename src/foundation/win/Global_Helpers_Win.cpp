#include "foundation/win/Global_Helpers_Win.h"

#include "gdiplus/win/GdiPlus.h"

namespace {

TGPPtr<IGPBrush> SolidBrush(Byte R, Byte G, Byte B) { return TGPPtr<IGPBrush>(new TGPSolidBrush(GPColorFromRGB(R, G, B))); }
TGPPtr<IGPPen> Pen(Byte R, Byte G, Byte B) { return TGPPtr<IGPPen>(new TGPPen(GPColorFromRGB(R, G, B), 1)); }

TGPPtr<IGPBrush> VerticalGradient(Single X, Single Y1, Single Y2, TGPColor C1, TGPColor C2)
{
    return TGPPtr<IGPBrush>(new TGPLinearGradientBrush(TGPPointF{X, Y1}, TGPPointF{X, Y2}, C1, C2));
}

}  // namespace

void DrawItemHighlight(TBitmap32* Bitmap, Integer Left, Integer Top, Integer Right, Integer Bottom, Integer Style)
{
    const HDC DC = Bitmap->Handle();
    if (!DC) return;
    TGPPtr<IGPGraphics> G = TGPGraphics::FromHDC(DC);
    const Single X = Single(Left), Y = Single(Top), W = Single(Right - Left - 1), H = Single(Bottom - Top - 1);
    if (Style == 3 || Style == 4) {
        G->FillRectangle(Style == 3 ? SolidBrush(244, 254, 253) : SolidBrush(252, 252, 140), X, Y, W, H);
        G->DrawRectangle(Style == 3 ? Pen(151, 204, 254) : Pen(252, 252, 140), X, Y, W, H);
    } else {
        // Quarter arcs in 6 x 6 boxes at the corners; the figure runs back
        // up the left edge.
        TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath());
        Path->AddPathArc(X, Y, 6, 6, 180, 90);
        Path->AddPathArc(X + W - 6, Y, 6, 6, 270, 90);
        Path->AddPathArc(X + W - 6, Y + H - 6, 6, 6, 0, 90);
        Path->AddPathArc(X, Y + H - 6, 6, 6, 90, 90);
        if (H > 6) Path->AddPathLine(X, Y + H - 3, X, Y + 3);
        if (Style == 1) {
            G->FillPath(VerticalGradient(X, Y, Y + H, GPColorFromRGB(238, 247, 253), GPColorFromRGB(221, 238, 253)),
                        Path);
            G->FillRectangle(
                VerticalGradient(X, Y + 2, Y + H - 2, GPColorFromRGB(220, 235, 252), GPColorFromRGB(193, 219, 252)),
                X + 2, Y + 2, W - 3, H - 3);
            G->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
            G->DrawPath(Pen(125, 162, 206), Path);
        } else {
            G->FillPath(VerticalGradient(X, Y, Y + H, GPColorFromRGB(250, 251, 253), GPColorFromRGB(235, 243, 253)),
                        Path);
            G->DrawPath(Pen(184, 214, 251), Path);
        }
    }
    G = nullptr;
    Bitmap->Changed();
}

void WhitenOutsideMask(TBitmap* Bitmap, TBitmap* Mask)
{
    if (Bitmap->PixelFormat() != pf32bit || Mask->PixelFormat() != pf32bit) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    if (W != Mask->Width() || H != Mask->Height() || W <= 0 || H <= 0) return;
    // Rows one by one: the platform bitmap's rows need not be adjacent.
    for (Integer Y = 0; Y < H; ++Y)
        WhitenOutsideMask(static_cast<uint8_t*>(Bitmap->ScanLine(Y)), static_cast<const uint8_t*>(Mask->ScanLine(Y)),
                          W, 1, W * 4, W * 4);
}
