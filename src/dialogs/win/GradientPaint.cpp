#include "dialogs/win/GradientPaint.h"

#include "document/ImageEffects.h"
#include "document/win/ImageEffects_Win.h"
#include "foundation/Global_Helpers.h"

TGradientBlend GradientBlendOf(const TRow& Colors, const TRow& Opacities, const TRow& Positions, Integer Opacity,
                               TColor Fore, TColor Back)
{
    std::vector<TColor32> C;
    std::vector<Single> P;
    BuildGradientBlend(Colors, Opacities, Positions, Opacity, C, P, Fore, Back);
    TGradientBlend B;
    for (TColor32 X : C) B.Colors.push_back(TGPColor{X});
    B.Positions = std::move(P);
    return B;
}

TGradientBlend GradientBlendOf(const String& Colors, const String& Opacities, const String& Positions,
                               Integer Opacity, TColor Fore, TColor Back)
{
    TRow C, O, P;
    SplitGradientList(Colors, C);
    SplitGradientList(Opacities, O);
    SplitGradientList(Positions, P);
    return GradientBlendOf(C, O, P, Opacity, Fore, Back);
}

void PaintGradient(TCustomBitmap32& Bitmap, const TRect& R, const TGradientBlend& Blend, bool Diagonal)
{
    FillLinearGradient(Bitmap, R, Blend.Colors, Blend.Positions,
                       Diagonal ? LinearGradientModeForwardDiagonal : LinearGradientModeHorizontal);
}

void PaintGradientTile(TCustomBitmap32& Bitmap, const TGradientBlend& Blend, bool Current)
{
    Bitmap.SetSize(33, 33);
    Bitmap.Clear(0xFFFFFFFF);
    DrawCheckerboard(&Bitmap, TRect{0, 0, 33, 33}, 4);
    Bitmap.FrameRectS(0, 0, 33, 33, 0xFF000000);
    Bitmap.FrameRectS(1, 1, 32, 32, Current ? 0xFF000000 : 0xFFFFFFFF);
    PaintGradient(Bitmap, TRect{2, 2, 31, 31}, Blend, true);
}
