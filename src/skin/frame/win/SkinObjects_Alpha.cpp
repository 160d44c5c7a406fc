// The frame objects drawn with per-pixel alpha into the 32-bit pictures of a
// layered border: caption buttons from their looks with the alpha of their
// masks, the caption's text opaque over a background that keeps its alpha.
#include <windows.h>

#include "skin/frame/SkinObjectsCore.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinObjects.h"
#include "skin/frame/win/SkinQuickButtons.h"
#include "skin/model/SFSkinData.h"
#include "skin/model/SFStackBlur.h"

namespace {

// Src (premultiplied) over Dst at (X, Y), alpha included: what the platform's
// per-pixel blend does with a constant alpha of 255.
void PremultipliedOver(TsfBitmap* Dst, Integer X, Integer Y, const TsfBitmap* Src)
{
    if (!Dst || !Src || Dst->Empty() || Src->Empty()) return;
    GdiFlush();
    const Integer X0 = std::max<Integer>(X, 0), Y0 = std::max<Integer>(Y, 0);
    const Integer X1 = std::min(X + Src->Width(), Dst->Width()), Y1 = std::min(Y + Src->Height(), Dst->Height());
    for (Integer DY = Y0; DY < Y1; ++DY)
        for (Integer DX = X0; DX < X1; ++DX) {
            const TsfColor S = *Src->PixelAddress(DX - X, DY - Y);
            TsfColor* D = Dst->PixelAddress(DX, DY);
            const Cardinal Keep = 255 - (S >> 24);
            TsfColor R = 0;
            for (int Shift = 0; Shift < 32; Shift += 8) {
                const Cardinal V = ((S >> Shift) & 0xFF) + (((*D >> Shift) & 0xFF) * Keep + 127) / 255;
                R |= TsfColor(std::min<Cardinal>(V, 255)) << Shift;
            }
            *D = R;
        }
}

// Rectangle R of P with the grey levels of the mask picture as alpha (opaque for -1).
std::unique_ptr<TsfBitmap> AlphaLook(TsfSkinData* SD, const TsfBitmap* P, const TRect& R, Integer MaskIndex)
{
    if (!P || P->Empty() || IsNullRect(R) || R.Width() <= 0 || R.Height() <= 0) return nullptr;
    auto B = std::make_unique<TsfBitmap>();
    B->SetSize(R.Width(), R.Height());
    GdiFlush();
    for (Integer Y = 0; Y < R.Height(); ++Y)
        for (Integer X = 0; X < R.Width(); ++X) B->SetPixel(X, Y, P->GetPixel(R.Left + X, R.Top + Y));
    B->SetAlphaBlend(true);
    TsfBitmap* M = MaskIndex == -1 || !SD ? nullptr : SD->ActiveBitmap(MaskIndex);
    if (!M || M->Empty()) {
        B->SetAlpha(255);
        return B;
    }
    // The mask's top-left part of the look's size.
    TsfBitmap Mask;
    Mask.SetSize(R.Width(), R.Height());
    Mask.Clear(0xFFFFFFFF);
    for (Integer Y = 0; Y < std::min(R.Height(), M->Height()); ++Y)
        for (Integer X = 0; X < std::min(R.Width(), M->Width()); ++X) Mask.SetPixel(X, Y, M->GetPixel(X, Y));
    SetAlphaFromGrayMask2(B.get(), &Mask);
    return B;
}

} // namespace

// ---------------------------------------------------------------------------
// Caption button

void TsfSkinStdButtonObject::InitAlphaImages()
{
    FAlphaImagesReady = true;
    const TsfBitmap* P = ActivePicture ? ActivePicture : Picture;
    FAlphaNormalImage = AlphaLook(SD, P, SkinRect, AlphaMaskPictureIndex);
    FAlphaActiveImage = AlphaLook(SD, P, ActiveSkinRect, AlphaMaskActivePictureIndex);
    FAlphaDownImage = AlphaLook(SD, P, DownRect, AlphaMaskActivePictureIndex);
    FAlphaRestoreNormalImage = AlphaLook(SD, P, RestoreRect, AlphaMaskPictureIndex);
    FAlphaRestoreActiveImage = AlphaLook(SD, P, RestoreActiveRect, AlphaMaskActivePictureIndex);
    FAlphaRestoreDownImage = AlphaLook(SD, P, RestoreDownRect, AlphaMaskActivePictureIndex);
    FAlphaInActiveImage = AlphaLook(SD, P, InActiveSkinRect, AlphaMaskInActivePictureIndex);
    FAlphaInActiveRestoreImage = AlphaLook(SD, P, RestoreInActiveRect, AlphaMaskInActivePictureIndex);
}

void TsfSkinStdButtonObject::DrawAlpha(TCanvas*, TsfBitmap* ABitMap)
{
    if (!ABitMap || ABitMap->Empty() || !SkinLoaded()) return;
    if (IsIconButton()) {
        const TSize S = Parent->GetIconSize();
        TsfBitmap Icon;
        Icon.SetSize(S.cx, S.cy);
        if (Parent->IconHasAlpha()) {
            // Drawn on nothing the icon keeps its own (premultiplied) alpha.
            Icon.Clear(0);
            Parent->DrawFormIcon(Icon.Canvas(), 0, 0);
        } else {
            Icon.Clear(sfTransparent);
            Parent->DrawFormIcon(Icon.Canvas(), 0, 0);
            GdiFlush();
            for (Integer I = 0; I < S.cx * S.cy; ++I)
                Icon.Bits()[I] = IsKeyColor(Icon.Bits()[I]) ? 0 : Icon.Bits()[I] | 0xFF000000u;
        }
        PremultipliedOver(ABitMap, ObjectRect.Left, ObjectRect.Top, &Icon);
        return;
    }
    if (!FAlphaImagesReady) InitAlphaImages();
    const bool Restore = MeansRestore();
    auto Either = [&](const std::unique_ptr<TsfBitmap>& Plain, const std::unique_ptr<TsfBitmap>& Restored) {
        return Restore && Restored ? Restored.get() : Plain.get();
    };
    const TsfBitmap* Look = nullptr;
    if (Parent->FormActiveFlag() || IsNullRect(InActiveSkinRect)) {
        if (FDown && !IsNullRect(DownRect) && (FMouseIn || Command == cmSysMenu))
            Look = Either(FAlphaDownImage, FAlphaRestoreDownImage);
        else if (FMouseIn && !IsNullRect(ActiveSkinRect))
            Look = Either(FAlphaActiveImage, FAlphaRestoreActiveImage);
        else
            Look = Either(FAlphaNormalImage, FAlphaRestoreNormalImage);
    } else {
        Look = Either(FAlphaInActiveImage, FAlphaInActiveRestoreImage);
    }
    // Drawn at the object's size: a look of another size is cut or leaves the rest.
    if (Look) PremultipliedOver(ABitMap, ObjectRect.Left, ObjectRect.Top, Look);
}

// ---------------------------------------------------------------------------
// Caption

void TsfSkinCaptionObject::DrawAlpha(TCanvas*, TsfBitmap* ABitMap)
{
    if (!ABitMap || ABitMap->Empty() || !SkinLoaded()) return;
    const TRect Area{std::max<Integer>(ObjectRect.Left, 0), std::max<Integer>(ObjectRect.Top, 0),
                     std::min(ObjectRect.Right, ABitMap->Width()), std::min(ObjectRect.Bottom, ABitMap->Height())};
    if (Area.Width() <= 0 || Area.Height() <= 0) return;
    Active = Parent->FormActiveFlag();
    TsfCaptionLayoutInput In;
    In.ObjectRect = ObjectRect;
    In.SkinRect = SkinRect;
    In.TextRct = TextRct;
    In.FrameRect = FrameRect;
    In.FrameTextRect = FrameTextRect;
    In.QuickButtonCount = Parent->QuickButtonsShown();
    In.QuickImageWidth = Parent->QuickImageList ? Parent->QuickImageList->Width() : 0;
    TRect TR = CaptionTextRect(In);
    // Room for the glow around the text.
    if (VistaGlowEffect && (Active || VistaGlowInActiveEffect)) {
        TR.Left += 3;
        TR.Right -= 6;
    } else if (GlowEffect && (Active || GlowInActiveEffect)) {
        TR.Left += 3;
        TR.Right -= 3;
    }
    const Integer W = ABitMap->Width(), H = ABitMap->Height();
    GdiFlush();
    // Colour: the picture as it is; grey: its alpha.
    TsfBitmap Colour, Grey;
    Colour.SetSize(W, H);
    Grey.SetSize(W, H);
    for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
        for (Integer X = Area.Left; X < Area.Right; ++X) {
            const TsfColor P = ABitMap->GetPixel(X, Y);
            const Cardinal A = P >> 24;
            Colour.SetPixel(X, Y, P);
            Grey.SetPixel(X, Y, 0xFF000000u | (A << 16) | (A << 8) | A);
        }
    // Quick buttons and the application's own painting: what they change is opaque.
    const TRect& Icon = Parent->Geometry().NewIconRect;
    const bool HasIcon = Parent->ShowIcon() && Icon.Width() > 0 && Icon.Left >= ObjectRect.Left &&
                         Icon.Right <= ObjectRect.Right;
    const bool Quick = LayoutCaptionQuickButtons(Parent, ObjectRect, HasIcon ? Icon.Right : -1);
    if (Quick || Parent->OnCaptionPaint) {
        if (Quick) DrawCaptionQuickButtons(Parent, Colour.Canvas());
        if (Parent->OnCaptionPaint) Parent->OnCaptionPaint(Colour.Canvas(), ObjectRect, Active);
        GdiFlush();
        for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
            for (Integer X = Area.Left; X < Area.Right; ++X)
                if ((Colour.GetPixel(X, Y) ^ ABitMap->GetPixel(X, Y)) & 0x00FFFFFF) Grey.SetPixel(X, Y, 0xFFFFFFFFu);
    }
    if (!Parent->OnCaptionPaint) {
        DrawCaptionText(Colour.Canvas(), TR, Active, true);
        FWhiteText = true;
        try {
            DrawCaptionText(Grey.Canvas(), TR, Active, true);
        } catch (...) {
            FWhiteText = false;
            throw;
        }
        FWhiteText = false;
    }
    GdiFlush();
    for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
        for (Integer X = Area.Left; X < Area.Right; ++X)
            ABitMap->SetPixel(X, Y, (Colour.GetPixel(X, Y) & 0x00FFFFFF) | ((Grey.GetPixel(X, Y) & 0xFF) << 24));
}
