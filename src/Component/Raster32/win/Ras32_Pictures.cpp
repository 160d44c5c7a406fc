#include "Component/Raster32/win/Ras32_Pictures.h"

#include "Component/Raster32/win/Ras32_Backends_GDI.h"
#include "framework/graphics/BmpFormat.h"
#include "framework/graphics/win/Clipbrd.h"
#include "framework/graphics/win/Metafile.h"
#include "framework/controls/win/Controls.h"
#include "framework/runtime/SysUtils.h"

namespace {

// A platform bitmap: its pixels exactly as they are stored (formats without
// alpha give 255), then its transparent colour keyed out. Read directly, not
// drawn: drawing would blend a 32-bit bitmap marked with alpha and key out a
// transparent one before its colour could be found.
void ImportPlatformBitmap(TCustomBitmap32* Bitmap, TBitmap* Source)
{
    TDibImage Image;
    Source->GetDib(Image);
    Bitmap->SetSize(Image.Width, Image.Height);
    if (!Bitmap->Empty())
        for (Integer Y = 0; Y < Bitmap->Height(); ++Y)
            DecodeScanline(Image.ScanLine(Y), Image.PixelFormat, Image.Palette, Bitmap->Width(), Bitmap->GetRowPtr(Y));
    if (Source->Transparent() && !Bitmap->Empty()) {
        TColor32 Key = ColorToColor32(Source->TransparentColor()) & 0xFFFFFF;
        PColor32 P = Bitmap->Bits();
        for (Integer I = 0, N = Bitmap->Width() * Bitmap->Height(); I < N; ++I)
            if ((P[I] & 0xFFFFFF) == Key) P[I] &= 0xFFFFFF;
    }
    TIntfPtr<IFontSupport> Font;
    if (Supports<IFontSupport>(Bitmap->Backend(), Font)) Font->SetFont(Source->Canvas()->Font());
}

void ImportGraphic(TCustomBitmap32* Bitmap, TGraphic* Graphic)
{
    if (auto* Platform = dynamic_cast<TBitmap*>(Graphic)) {
        ImportPlatformBitmap(Bitmap, Platform);
    } else if (auto* Icon = dynamic_cast<TIcon*>(Graphic)) {
        // The icon's own pixels with straight alpha; an icon without alpha
        // takes it from its mask, so what the icon covers is opaque.
        TBitmap Pixels;
        Pixels.Assign(Icon);
        ImportPlatformBitmap(Bitmap, &Pixels);
    } else if (dynamic_cast<TMetafile*>(Graphic)) {
        ImportGraphicMasked(Bitmap, Graphic);
    } else {
        DrawGraphicInto(Bitmap, Graphic, 0xFFFFFFFF, true);
    }
}

void ExportToPlatformBitmap(TCustomBitmap32* Bitmap, TBitmap* Dest)
{
    TDibImage Image;
    Image.Allocate(Bitmap->Width(), Bitmap->Height(), pf32bit);
    if (!Bitmap->Empty())
        for (Integer Y = 0; Y < Bitmap->Height(); ++Y)
            std::copy_n(Bitmap->GetRowPtr(Y), Bitmap->Width(), reinterpret_cast<TColor32*>(Image.ScanLine(Y)));
    Dest->SetDib(Image);
    TIntfPtr<IFontSupport> Font;
    if (Supports<IFontSupport>(Bitmap->Backend(), Font)) Dest->Canvas()->Font()->Assign(Font->GetFont());
}

}  // namespace

void DrawGraphicInto(TCustomBitmap32* Bitmap, TGraphic* Graphic, TColor32 Background, bool ResetAlphaAfter)
{
    if (!Graphic) return;
    TCustomBackend* Saved = nullptr;
    RequireBackendInterfaces(Bitmap, {IDeviceContextSupport::IID, ICanvasSupport::IID}, romOr, true, Saved);
    try {
        Bitmap->SetSize(Graphic->Width(), Graphic->Height());
        if (!Bitmap->Empty()) {
            Bitmap->Clear(Background);
            TIntfPtr<IDeviceContextSupport> Context;
            TIntfPtr<ICanvasSupport> BackendCanvas;
            const TRect Bounds = Bitmap->BoundsRect();
            if (Supports<IDeviceContextSupport>(Bitmap->Backend(), Context)) {
                TCanvas Canvas;
                Canvas.Lock();
                try {
                    Canvas.SetHandle(Context->GetHandle());
                    Graphic->Draw(&Canvas, Bounds);
                    Canvas.SetHandle(nullptr);
                } catch (...) {
                    Canvas.Unlock();
                    throw;
                }
                Canvas.Unlock();
            } else if (Supports<ICanvasSupport>(Bitmap->Backend(), BackendCanvas)) {
                Graphic->Draw(BackendCanvas->GetCanvas(), Bounds);
            } else {
                throw Exception(u"Inpropriate Backend");
            }
            GdiFlush();
            if (ResetAlphaAfter) Bitmap->ResetAlpha(255);
        }
    } catch (...) {
        ReinstallBackend(Bitmap, Saved);
        throw;
    }
    ReinstallBackend(Bitmap, Saved);
}

void ImportGraphicMasked(TCustomBitmap32* Bitmap, TGraphic* Graphic)
{
    DrawGraphicInto(Bitmap, Graphic, 0xFFFFFFFF, false);
    if (Bitmap->Empty()) return;
    TCustomBitmap32 OverRed;
    DrawGraphicInto(&OverRed, Graphic, 0xFFFF0000, false);
    PColor32 P = Bitmap->Bits();
    const PColor32 Q = OverRed.Bits();
    for (Integer I = 0, N = Bitmap->Width() * Bitmap->Height(); I < N; ++I) {
        // A colour that changed with the background was not drawn.
        const TColor32 Rgb = P[I] & 0xFFFFFF;
        P[I] = Rgb == (Q[I] & 0xFFFFFF) ? Rgb | 0xFF000000u : Rgb;
    }
    Bitmap->Changed();
}

bool ImportPlatformPicture(TCustomBitmap32* Bitmap, TPersistent* Source)
{
    if (auto* Graphic = dynamic_cast<TGraphic*>(Source)) {
        ImportGraphic(Bitmap, Graphic);
        return true;
    }
    if (auto* Picture = dynamic_cast<TPicture*>(Source)) {
        // An empty container leaves an empty bitmap, not the old picture.
        if (Picture->Graphic())
            ImportGraphic(Bitmap, Picture->Graphic());
        else
            Bitmap->SetSize(0, 0);
        return true;
    }
    if (auto* Board = dynamic_cast<TClipboard*>(Source)) {
        TPicture Picture;
        Picture.Assign(Board);
        ImportPlatformPicture(Bitmap, &Picture);
        return true;
    }
    return false;
}

bool ExportPlatformPicture(TCustomBitmap32* Bitmap, TPersistent* Dest)
{
    if (auto* Platform = dynamic_cast<TBitmap*>(Dest)) {
        ExportToPlatformBitmap(Bitmap, Platform);
        return true;
    }
    if (auto* Picture = dynamic_cast<TPicture*>(Dest)) {
        ExportToPlatformBitmap(Bitmap, Picture->Bitmap());
        return true;
    }
    if (auto* Board = dynamic_cast<TClipboard*>(Dest)) {
        TBitmap Platform;
        ExportToPlatformBitmap(Bitmap, &Platform);
        Board->Assign(&Platform);
        return true;
    }
    return false;
}

void LoadPictureFile(TCustomBitmap32* Bitmap, const String& FileName)
{
    TPicture Picture;
    Picture.LoadFromFile(FileName);
    Bitmap->Assign(&Picture);
}

bool PlatformPictureSize(TPersistent* Source, Integer& Width, Integer& Height)
{
    if (auto* Graphic = dynamic_cast<TGraphic*>(Source)) {
        Width = Graphic->Width();
        Height = Graphic->Height();
        return true;
    }
    if (auto* Picture = dynamic_cast<TPicture*>(Source)) {
        Width = Picture->Width();
        Height = Picture->Height();
        return true;
    }
    if (auto* Control = dynamic_cast<TControl*>(Source)) {
        Width = Control->Width();
        Height = Control->Height();
        return true;
    }
    return false;
}
