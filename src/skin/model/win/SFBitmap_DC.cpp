// The members of TsfBitmap and TsfBitmapLink that take a device context, a
// canvas or a platform picture (declared in SFBitmap.h).
#include <cstring>
#include <vector>

#include "Component/Raster32/Ras32_Types.h"
#include "framework/graphics/win/Clipbrd.h"
#include "framework/graphics/win/Graphics.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/win/SFKernels_Win.h"

namespace {

// Logical to device coordinates of DC for an in-memory draw into the pixels
// behind it: Rect is moved by the window and viewport origins and Clip
// becomes the context's clip box in device coordinates. False (leave it to
// GDI) when the context scales, transforms or clips to more than a rectangle.
bool MapToDevice(HDC DC, TRect& Rect, TRect& Clip)
{
    if (GetMapMode(DC) != MM_TEXT || GetGraphicsMode(DC) != GM_COMPATIBLE) return false;
    POINT Origin{0, 0};
    if (!LPtoDP(DC, &Origin, 1)) return false;
    RECT Box{};
    const int Kind = GetClipBox(DC, &Box);
    if (Kind == ERROR || Kind == COMPLEXREGION) return false;
    ShiftRect(Rect, Origin.x, Origin.y);
    Clip = Kind == NULLREGION ? TRect{} : TRect{Box.left + Origin.x, Box.top + Origin.y, Box.right + Origin.x,
                                                 Box.bottom + Origin.y};
    return true;
}

// The bitmap's pixels as a target in device coordinates of DC, when DC is a
// registered skin bitmap's and maps simply.
bool RegisteredTarget(HDC DC, TRect& DstRect, TsfPixelTarget& Target)
{
    TsfBitmap* T = FindSkinBitmapByDC(DC);
    if (!T) return false;
    Target = T->PixelTarget();
    if (!MapToDevice(DC, DstRect, Target.Clip)) return false;
    GdiFlush();  // GDI may still be drawing into those pixels
    return true;
}

// Whether the section behind DC (Bits, Width x Height as GetDCDib reports
// them) stores its rows bottom-up. The platform reports a positive height for
// top-down sections as well, so the rows are told apart by experiment: a
// marker put into the first memory row is looked for at device row 0.
bool SectionIsBottomUp(HDC DC, TsfColor* Bits, Integer Width, Integer Height)
{
    if (Height <= 1) return true;
    TsfColor* Last = Bits + static_cast<ptrdiff_t>(Height - 1) * Width;
    GdiFlush();
    const TsfColor Saved = Bits[0];
    Bits[0] = (~*Last & 0x00FFFFFF) | 0xFF000000;  // differs from the last memory row's first pixel
    POINT P{0, 0};
    DPtoLP(DC, &P, 1);
    TsfBitmap Probe;
    Probe.SetSize(1, 1);
    BitBlt(Probe.DC(), 0, 0, 1, 1, DC, P.x, P.y, SRCCOPY);
    GdiFlush();
    const bool TopDown = ((Probe.Bits()[0] ^ Bits[0]) & 0x00FFFFFF) == 0;
    Bits[0] = Saved;
    return !TopDown;
}

}  // namespace

TCanvas* TsfBitmap::Canvas()
{
    if (!FCanvas) {
        auto C = std::make_unique<TCanvas>();
        C->SetHandle(DC());
        FCanvas = std::move(C);
    }
    return static_cast<TCanvas*>(FCanvas.get());
}

// ---------------------------------------------------------------------------
// Drawing to device contexts

void TsfBitmap::Draw(HDC__* DC, Integer X, Integer Y)
{
    Draw(DC, TRect{X, Y, X + FWidth, Y + FHeight}, TRect{0, 0, FWidth, FHeight});
}

void TsfBitmap::Draw(HDC__* DC, Integer X, Integer Y, const TRect& SrcRect)
{
    Draw(DC, TRect{X, Y, X + SrcRect.Width(), Y + SrcRect.Height()}, SrcRect);
}

void TsfBitmap::Draw(HDC__* DC, const TRect& DstRect) { Draw(DC, DstRect, TRect{0, 0, FWidth, FHeight}); }

void TsfBitmap::Draw(HDC__* DC, const TRect& DstRect, const TRect& SrcRect)
{
    if (Empty() || !DC) return;
    // Another skin bitmap's context: drawn in memory, honouring the context's
    // origins and clip rectangle (nested off-screen drawing never goes through GDI).
    TRect Dst = DstRect;
    TsfPixelTarget Target;
    if (RegisteredTarget(DC, Dst, Target)) {
        DrawToPixels(Target, Dst, SrcRect);
        return;
    }
    if (RectIsEmpty(DstRect) || RectIsEmpty(SrcRect)) return;
    if (FAlphaBlend) {
        DrawThroughTemporaryBitmap(this, DC, DstRect, SrcRect);
    } else if (FTransparent) {
        DCKeyedRoute(this, DC, DstRect, SrcRect);
    } else {
        SetStretchBltMode(DC, COLORONCOLOR);
        StretchBlt(DC, DstRect.Left, DstRect.Top, DstRect.Width(), DstRect.Height(), this->DC(), SrcRect.Left,
                   SrcRect.Top, SrcRect.Width(), SrcRect.Height(), SRCCOPY);
    }
}

void TsfBitmap::Draw(TCanvas* Canvas, Integer X, Integer Y) { Draw(Canvas->Handle(), X, Y); }
void TsfBitmap::Draw(TCanvas* Canvas, Integer X, Integer Y, const TRect& SrcRect)
{
    Draw(Canvas->Handle(), X, Y, SrcRect);
}
void TsfBitmap::Draw(TCanvas* Canvas, const TRect& DstRect) { Draw(Canvas->Handle(), DstRect); }
void TsfBitmap::Draw(TCanvas* Canvas, const TRect& DstRect, const TRect& SrcRect)
{
    Draw(Canvas->Handle(), DstRect, SrcRect);
}

void TsfBitmap::Tile(HDC__* DC, const TRect& DstRect, const TRect& SrcRect)
{
    if (Empty() || !DC) return;
    if (!FindSkinBitmapByDC(DC)) {
        // A bottom-up 32-bit section behind the context: the tiles go straight
        // into its memory, in device coordinates and inside its clip box.
        Integer W, H, Bpp;
        auto* Bits = static_cast<TsfColor*>(GetDCDib(DC, W, H, Bpp));
        TRect Dst = DstRect;
        TsfPixelTarget Target{nullptr, -static_cast<ptrdiff_t>(W), W, H, TRect{0, 0, W, H}};
        if (Bits && Bpp == 32 && H > 0 && MapToDevice(DC, Dst, Target.Clip) && SectionIsBottomUp(DC, Bits, W, H)) {
            GdiFlush();
            Target.Row0 = Bits + static_cast<ptrdiff_t>(H - 1) * W;
            ForEachSkinTile(Dst, SrcRect,
                            [&](const TRect& T, const TRect& S) { DrawToPixels(Target, T, S, true); });
            return;
        }
    }
    ForEachSkinTile(DstRect, SrcRect, [&](const TRect& T, const TRect& S) { Draw(DC, T, S); });
}

void TsfBitmap::Tile(TCanvas* Canvas, const TRect& DstRect, const TRect& SrcRect)
{
    Tile(Canvas->Handle(), DstRect, SrcRect);
}

void TsfBitmap::TileClip(HDC__* DC, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect)
{
    if (Empty() || !DC) return;
    ForEachSkinTile(DstRect, SrcRect, [&](const TRect& T, const TRect& S) {
        if (TileMeetsClip(T, DstClip)) Draw(DC, T, S);
    });
}

void TsfBitmap::TileClip(TCanvas* Canvas, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect)
{
    TileClip(Canvas->Handle(), DstRect, DstClip, SrcRect);
}

void TsfBitmapLink::Draw(TCanvas* Canvas, Integer X, Integer Y)
{
    if (FImage && !FImage->Empty() && FRect.Width() > 0 && FRect.Height() > 0) FImage->Draw(Canvas, X, Y, FRect);
}

// ---------------------------------------------------------------------------
// Platform pictures

void TsfBitmap::DrawGraphic(TGraphic* Graphic, const TRect& DstRect)
{
    if (Empty() || !Graphic) return;
    // A background of a colour graphics hardly ever use marks what the graphic left alone.
    TBitmap Temp;
    Temp.SetPixelFormat(pf32bit);
    Temp.SetSize(FWidth, FHeight);
    TCanvas* C = Temp.Canvas();
    C->Brush()->SetColor(static_cast<TColor>(0xFF00FF));
    C->FillRect(TRect{-1, -1, FWidth + 1, FHeight + 1});
    C->StretchDraw(DstRect, Graphic);
    GdiFlush();
    for (Integer y = 0; y < FHeight; ++y) {
        const auto* Row = static_cast<const TsfColor*>(Temp.ScanLine(y));
        for (Integer x = 0; x < FWidth; ++x)
            if ((Row[x] & 0x00FFFFFF) != 0x00FF00FF) SetPixel(x, y, Row[x]);
    }
}

namespace {

void AssignFromPlainBitmap(TsfBitmap* B, TBitmap* Source)
{
    B->SetSize(Source->Width(), Source->Height());
    if (B->Empty()) return;
    BitBlt(B->DC(), 0, 0, B->Width(), B->Height(), Source->Canvas()->Handle(), 0, 0, SRCCOPY);
    GdiFlush();
    B->SetAlpha(255);
}

void AssignFromGraphic(TsfBitmap* B, TGraphic* Source)
{
    B->SetSize(Source->Width(), Source->Height());
    if (B->Empty()) return;
    B->DrawGraphic(Source, TRect{0, 0, B->Width(), B->Height()});
    B->SetAlpha(255);
}

// A 32-bit platform bitmap of the skin bitmap's size with the skin bitmap drawn
// onto it by its flags.
void FillPlatformBitmap(TsfBitmap* B, TBitmap* Dest)
{
    Dest->SetPixelFormat(pf32bit);
    Dest->SetSize(B->Width(), B->Height());
    B->Draw(Dest->Canvas(), 0, 0);
    GdiFlush();
}

}  // namespace

bool SkinBitmapAssignFrom(TsfBitmap* B, TPersistent* Source)
{
    if (auto* P = dynamic_cast<TPicture*>(Source)) {
        if (auto* Bmp = dynamic_cast<TBitmap*>(P->Graphic())) AssignFromPlainBitmap(B, Bmp);
        else if (P->Graphic()) AssignFromGraphic(B, P->Graphic());
        return true;
    }
    if (auto* Bmp = dynamic_cast<TBitmap*>(Source)) {
        if (Bmp->PixelFormat() != pf32bit || Bmp->HandleType() != bmDIB) {
            AssignFromPlainBitmap(B, Bmp);
            return true;
        }
        B->SetSize(Bmp->Width(), Bmp->Height());
        if (B->Empty()) return true;
        GdiFlush();
        for (Integer y = 0; y < B->Height(); ++y)
            std::memcpy(B->ScanLineAddress(y), Bmp->ScanLine(y), static_cast<size_t>(B->Width()) * 4);
        B->CheckingAlphaBlend();
        return true;
    }
    if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        AssignFromGraphic(B, G);
        return true;
    }
    return false;
}

bool SkinBitmapAssignTo(TsfBitmap* B, TPersistent* Dest)
{
    if (auto* P = dynamic_cast<TPicture*>(Dest)) {
        FillPlatformBitmap(B, P->Bitmap());
        return true;
    }
    if (auto* Bmp = dynamic_cast<TBitmap*>(Dest)) {
        FillPlatformBitmap(B, Bmp);
        return true;
    }
    if (auto* Clip = dynamic_cast<TClipboard*>(Dest)) {
        TBitmap Temp;
        FillPlatformBitmap(B, &Temp);
        Clip->Assign(&Temp);
        return true;
    }
    return false;
}

void TsfBitmap::LoadFromResource(const String& ResFileName, const String& ResName)
{
    HMODULE Module = LoadLibraryExW(WStr(ResFileName), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!Module) return;
    struct TFree {
        HMODULE M;
        ~TFree() { FreeLibrary(M); }
    } Free{Module};
    HRSRC Res = FindResourceW(Module, WStr(ResName), MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (!Res) return;
    HGLOBAL Data = LoadResource(Module, Res);
    const auto* Header = Data ? static_cast<const BITMAPINFOHEADER*>(LockResource(Data)) : nullptr;
    if (!Header || SizeofResource(Module, Res) < sizeof(BITMAPINFOHEADER)) return;
    TBitmap Bmp;
    if (Header->biBitCount == 32) {
        Bmp.LoadFromResourceName(Module, ResName);  // keeps the alpha
        Assign(&Bmp);
        return;
    }
    if (HBITMAP H = LoadBitmapW(Module, WStr(ResName))) Bmp.SetHandle(H);
    else Bmp.LoadFromResourceName(Module, ResName);
    // A device bitmap has no alpha to keep, whatever depth the platform's
    // picture class gives it: copied through the context and made opaque.
    AssignFromPlainBitmap(this, &Bmp);
}
