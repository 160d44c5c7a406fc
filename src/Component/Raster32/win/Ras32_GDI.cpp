#include "Component/Raster32/win/Ras32_GDI.h"

#include <algorithm>

#include "Component/Raster32/win/Ras32_Pictures.h"
#include "Component/Raster32/Ras32_Resamplers.h"
#include "framework/runtime/SysUtils.h"

namespace {

// The platform's answers to the portable engine from start-up on: system
// colours for ColorToColor32, sizes of platform pictures for SetSizeFrom,
// picture files that are not BMPs, and Assign and AssignTo with the platform's
// pictures. Installed here because every program that has bitmaps on the
// platform has this unit.
struct TInstallPlatformHooks {
    TInstallPlatformHooks()
    {
        SysColorFunc = [](Integer Index) -> Cardinal { return GetSysColor(Index); };
        PlatformSizeOf = PlatformPictureSize;
        PictureFileLoader = LoadPictureFile;
        PlatformAssignFrom = ImportPlatformPicture;
        PlatformAssignTo = ExportPlatformPicture;
    }
} InstallPlatformHooks;

template <class T>
TIntfPtr<T> Service(TCustomBackend* Backend)
{
    return IntfAs<T>(Backend);
}

// Builds the font's handle again with the given quality (3 aliased, 4 anti-aliased, 0 default).
void SetFontQuality(TFont* Font, TFontQuality Quality) { Font->SetQuality(Quality); }

}  // namespace

// ---------------------------------------------------------------------------
// Life cycle and backend

TBitmap32::TBitmap32()
{
    // The base made a memory backend (a virtual call from its constructor
    // cannot reach this class); the native one replaces it.
    SetBackend(NativeBackendClass ? NativeBackendClass() : new TGDIBackend);
}

TBitmap32::~TBitmap32()
{
    // The base destructor detaches the backend without this class's part:
    // nothing must call back into a bitmap that is going.
    OnHandleChanged = nullptr;
    TIntfPtr<IFontSupport> Font;
    if (Supports<IFontSupport>(FBackend, Font)) Font->SetOnFontChange(nullptr);
    TIntfPtr<ICanvasSupport> Canvas;
    if (Supports<ICanvasSupport>(FBackend, Canvas)) Canvas->SetCanvasChange(nullptr);
}

void TBitmap32::SetBackend(TCustomBackend* Value)
{
    if (Value && Value != FBackend) {
        TIntfPtr<IFontSupport> Font;
        if (Supports<IFontSupport>(Value, Font))
            Font->SetOnFontChange([this](TObject* Sender) { FontChangeReceived(Sender); });
        TIntfPtr<ICanvasSupport> Canvas;
        if (Supports<ICanvasSupport>(Value, Canvas))
            Canvas->SetCanvasChange([this](TObject* Sender) { CanvasChangeReceived(Sender); });
    }
    TCustomBitmap32::SetBackend(Value);
}

void TBitmap32::DetachBackend()
{
    TIntfPtr<IFontSupport> Font;
    if (Supports<IFontSupport>(FBackend, Font)) Font->SetOnFontChange(nullptr);
    TIntfPtr<ICanvasSupport> Canvas;
    if (Supports<ICanvasSupport>(FBackend, Canvas)) Canvas->SetCanvasChange(nullptr);
    TCustomBitmap32::DetachBackend();
}

void TBitmap32::HandleBackendChanging()
{
    TCustomBitmap32::HandleBackendChanging();
    TIntfPtr<ICanvasSupport> Canvas;
    if (Supports<ICanvasSupport>(FBackend, Canvas)) Canvas->DeleteCanvas();
}

void TBitmap32::HandleBackendChanged()
{
    TCustomBitmap32::HandleBackendChanged();
    NotifyHandleChanged();
}

void TBitmap32::NotifyHandleChanged()
{
    if (OnHandleChanged) OnHandleChanged(this);
}

void TBitmap32::CopySettingsTo(TCustomBitmap32* Dst)
{
    TCustomBitmap32::CopySettingsTo(Dst);
    TIntfPtr<IFontSupport> Mine, Theirs;
    if (dynamic_cast<TBitmap32*>(Dst) && Supports<IFontSupport>(FBackend, Mine) &&
        Supports<IFontSupport>(Dst->Backend(), Theirs))
        Theirs->SetFont(Mine->GetFont());
}

// ---------------------------------------------------------------------------
// Services of the backend

TCanvas* TBitmap32::Canvas() { return Service<ICanvasSupport>(FBackend)->GetCanvas(); }
bool TBitmap32::CanvasAllocated() { return Service<ICanvasSupport>(FBackend)->CanvasAllocated(); }
void TBitmap32::DeleteCanvas() { Service<ICanvasSupport>(FBackend)->DeleteCanvas(); }
HDC TBitmap32::Handle() { return Service<IDeviceContextSupport>(FBackend)->GetHandle(); }
HBITMAP TBitmap32::BitmapHandle() { return Service<IBitmapContextSupport>(FBackend)->GetBitmapHandle(); }
BITMAPINFO TBitmap32::BitmapInfo() { return Service<IBitmapContextSupport>(FBackend)->GetBitmapInfo(); }
TFont* TBitmap32::Font() { return Service<IFontSupport>(FBackend)->GetFont(); }
void TBitmap32::SetFont(TFont* Value) { Service<IFontSupport>(FBackend)->SetFont(Value); }
void TBitmap32::UpdateFont() { Service<IFontSupport>(FBackend)->UpdateFont(); }

void TBitmap32::Textout(Integer X, Integer Y, const String& Text) { Service<ITextSupport>(FBackend)->Textout(X, Y, Text); }

void TBitmap32::Textout(Integer X, Integer Y, const TRect& ClipRect, const String& Text)
{
    Service<ITextSupport>(FBackend)->Textout(X, Y, ClipRect, Text);
}

void TBitmap32::Textout(const TRect& DstRect, Cardinal Flags, const String& Text)
{
    TRect R = DstRect;
    Service<ITextSupport>(FBackend)->Textout(R, Flags, Text);
}

void TBitmap32::TextoutW(Integer X, Integer Y, const String& Text)
{
    Service<ITextSupport>(FBackend)->TextoutW(X, Y, Text);
}

void TBitmap32::TextoutW(Integer X, Integer Y, const TRect& ClipRect, const String& Text)
{
    Service<ITextSupport>(FBackend)->TextoutW(X, Y, ClipRect, Text);
}

void TBitmap32::TextoutW(const TRect& DstRect, Cardinal Flags, const String& Text)
{
    TRect R = DstRect;
    Service<ITextSupport>(FBackend)->TextoutW(R, Flags, Text);
}

TSize TBitmap32::TextExtent(const String& Text) { return Service<ITextSupport>(FBackend)->TextExtent(Text); }
TSize TBitmap32::TextExtentW(const String& Text) { return Service<ITextSupport>(FBackend)->TextExtentW(Text); }

void TBitmap32::Draw(const TRect& DstRect, const TRect& SrcRect, HDC hSrc)
{
    Service<IDeviceContextSupport>(FBackend)->Draw(DstRect, SrcRect, hSrc);
}

void TBitmap32::DrawTo(HDC hDst, Integer DstX, Integer DstY)
{
    if (Empty()) return;
    Service<IDeviceContextSupport>(FBackend)->DrawTo(hDst, DstX, DstY);
}

void TBitmap32::DrawTo(HDC hDst, const TRect& DstRect, const TRect& SrcRect)
{
    if (Empty()) return;
    Service<IDeviceContextSupport>(FBackend)->DrawTo(hDst, DstRect, SrcRect);
}

// ---------------------------------------------------------------------------
// Tiles

std::vector<TRect> TileRects(Integer Width, Integer Height)
{
    std::vector<TRect> Tiles;
    if (Width <= 0 || Height <= 0) return Tiles;
    constexpr Integer S = TBitmap32::TileSize;
    for (Integer T = 0; T < Height; T += S)
        for (Integer L = 0; L < Width; L += S) Tiles.push_back(TRect{L, T, std::min(L + S, Width), std::min(T + S, Height)});
    return Tiles;
}

void TBitmap32::TileTo(HDC hDst, const TRect& DstRect, const TRect& SrcRect)
{
    Integer W = DstRect.Width(), H = DstRect.Height();
    // One tile bitmap, reused: no intermediate bitmap grows beyond a tile.
    TBitmap32 Tile;
    for (const TRect& R : TileRects(W, H)) {
        Tile.SetSize(R.Width(), R.Height());
        Tile.Clear(0);
        TransferStretched(&Tile, TRect{-R.Left, -R.Top, W - R.Left, H - R.Top}, Tile.BoundsRect(), this, SrcRect,
                          Resampler(), DrawMode(), OnPixelCombine);
        Tile.DrawTo(hDst, TRect{DstRect.Left + R.Left, DstRect.Top + R.Top, DstRect.Left + R.Right,
                                DstRect.Top + R.Bottom},
                    Tile.BoundsRect());
    }
}

// ---------------------------------------------------------------------------
// Anti-aliased text

namespace {

// The blue byte of each white-on-black text pixel is its coverage: it
// becomes the alpha of Color's RGB; untouched pixels stay 0.
void CoverageToColor(TCustomBitmap32& T, TColor32 RGB)
{
    PColor32 P = T.Bits();
    for (Integer I = 0, N = T.Width() * T.Height(); I < N; ++I)
        if (P[I] != 0) P[I] = RGB + (P[I] << 24);
}

// Each pixel of T is the mean coverage of a F x F block of the supersampled
// text B (F = 2^Level): (sum of the block's blue bytes) shr Level shr Level.
void AverageBlocks(TCustomBitmap32& T, const TCustomBitmap32& B, Integer Level, TColor32 RGB)
{
    const Integer F = 1 << Level;
    for (Integer Y = 0; Y < T.Height(); ++Y)
        for (Integer X = 0; X < T.Width(); ++X) {
            Cardinal Sum = 0;
            for (Integer J = 0; J < F; ++J) {
                const TColor32* Row = B.GetPixelPtr(X * F, Y * F + J);
                for (Integer I = 0; I < F; ++I) Sum += Row[I] & 0xFF;
            }
            T.SetPixel(X, Y, RGB + (((Sum >> Level) >> Level) << 24));
        }
}

}  // namespace

void TBitmap32::RenderText(Integer X, Integer Y, const String& Text, Integer AALevel, TColor32 Color)
{
    if (Empty()) return;
    Cardinal Alpha = Color >> 24;
    TColor32 RGB = Color & 0xFFFFFF;
    AALevel = ConstrainLow(AALevel, -1, 4);
    String Measured = Text + u" ";
    SetFontQuality(Font(), AALevel == -1 ? fqAntialiased : fqNonAntialiased);
    try {
        TBitmap32 T;
        if (AALevel > 0) {
            const Integer F = 1 << AALevel;
            TBitmap32 B;
            B.Font()->Assign(Font());
            B.Font()->SetHeight(Font()->Height() * F);
            B.Font()->SetColor(clWhite);
            // B has no surface yet: it measures on the shared picture.
            TSize Size = B.TextExtent(Measured);
            Integer Cx = Size.cx + F, Cy = Size.cy + F;
            B.SetSize(Cx, Cy);
            B.Clear(0);
            B.Textout(0, 0, Text);
            T.SetSize(Cx >> AALevel, Cy >> AALevel);
            AverageBlocks(T, B, AALevel, RGB);
        } else {
            TSize Size = TextExtent(Measured);
            T.SetSize(std::min(Size.cx, Width()), std::min(Size.cy, Height()));
            T.Font()->Assign(Font());
            T.Clear(0);
            T.Font()->SetColor(clWhite);
            T.Textout(0, 0, Text);
            CoverageToColor(T, RGB);
        }
        T.SetDrawMode(dmBlend);
        T.SetMasterAlpha(Alpha);
        T.SetCombineMode(CombineMode());
        T.DrawTo(this, X, Y);
    } catch (...) {
        SetFontQuality(Font(), fqDefault);
        throw;
    }
    SetFontQuality(Font(), fqDefault);
}

void TBitmap32::RenderTextW(Integer X, Integer Y, const String& Text, Integer AALevel, TColor32 Color)
{
    if (Empty()) return;
    Cardinal Alpha = Color >> 24;
    TColor32 RGB = Color & 0xFFFFFF;
    AALevel = ConstrainLow(AALevel, -1, 4);
    String Measured = Text + u" ";
    SetFontQuality(Font(), AALevel == -1 ? fqAntialiased : fqNonAntialiased);
    try {
        TBitmap32 T;
        // The wide form supersamples for AALevel > 0 too, measuring with the
        // enlarged font on the shared picture, in whole blocks plus one.
        if (AALevel > 0) {
            const Integer F = 1 << AALevel;
            TBitmap32 B;
            B.Font()->Assign(Font());
            B.Font()->SetHeight(Font()->Height() * F);
            B.Font()->SetColor(clWhite);
            TSize Size = B.TextExtentW(Measured);
            Integer Cx = ((Size.cx >> AALevel) + 1) << AALevel;
            Integer Cy = ((Size.cy >> AALevel) + 1) << AALevel;
            B.SetSize(Cx, Cy);
            B.Clear(0);
            B.TextoutW(0, 0, Text);
            T.SetSize(Cx >> AALevel, Cy >> AALevel);
            AverageBlocks(T, B, AALevel, RGB);
        } else {
            TSize Size = TextExtentW(Measured);
            T.SetSize(Size.cx, Size.cy);
            T.Font()->Assign(Font());
            T.Clear(0);
            T.Font()->SetColor(clWhite);
            T.TextoutW(0, 0, Text);
            CoverageToColor(T, RGB);
        }
        T.SetDrawMode(dmBlend);
        T.SetMasterAlpha(Alpha);
        T.SetCombineMode(CombineMode());
        T.DrawTo(this, X, Y);
    } catch (...) {
        SetFontQuality(Font(), fqDefault);
        throw;
    }
    SetFontQuality(Font(), fqDefault);
}
