#include "Component/Raster32/win/Ras32_Backends_GDI.h"

#include "framework/runtime/SysUtils.h"

HFONT SystemFontHandle = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));

namespace {

// The native backend of the engine from start-up on.
struct TRegisterNativeBackend {
    TRegisterNativeBackend()
    {
        NativeBackendClass = []() -> TCustomBackend* { return new TGDIBackend; };
    }
} RegisterNativeBackend;

// A canvas that asks the backend for its context when it first draws, so
// that making the canvas does not make the context.
class TBackendCanvas : public TCanvas {
public:
    explicit TBackendCanvas(TGDIBackend* Backend) : FBackend(Backend) {}
    String ClassName() const override { return u"TBackendCanvas"; }

protected:
    void CreateHandle() override { SetHandle(FBackend->GetHandle()); }

private:
    TGDIBackend* FBackend;
};

RECT ToRECT(const TRect& R) { return RECT{R.Left, R.Top, R.Right, R.Bottom}; }

}  // namespace

TBitmap* MeasureBitmap()
{
    static const std::unique_ptr<TBitmap> Bitmap = [] {
        auto B = std::make_unique<TBitmap>();
        B->SetSize(8, 8);
        return B;
    }();
    return Bitmap.get();
}

// ---------------------------------------------------------------------------
// Life cycle and surface

TGDIBackend::TGDIBackend()
{
    InitializeCriticalSection(&FFontLock);
    BITMAPINFOHEADER& H = FBitmapInfo.bmiHeader;
    H.biSize = sizeof(BITMAPINFOHEADER);
    H.biPlanes = 1;
    H.biBitCount = 32;
    H.biCompression = BI_RGB;
    FFont = std::make_unique<TFont>();
    FFont->SetOwnerCriticalSection(&FFontLock);
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
}

TGDIBackend::~TGDIBackend()
{
    // The surface went in BeforeDestruction (TCustomBackend::Clear).
    DeleteCanvas();
    FFont.reset();
    DeleteCriticalSection(&FFontLock);
}

bool TGDIBackend::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<ITextSupport, IFontSupport, ICanvasSupport, IDeviceContextSupport,
                                IBitmapContextSupport, IPaintSupport>(this, IID, Obj) ||
           TCustomBackend::GetInterface(IID, Obj);
}

void TGDIBackend::AllocateSurface(Integer NewWidth, Integer NewHeight, bool)
{
    // A new section reads 0 everywhere, whatever ClearBuffer asks.
    BITMAPINFOHEADER& H = FBitmapInfo.bmiHeader;
    Int64 Bytes = static_cast<Int64>(NewWidth) * NewHeight * 4;
    H.biWidth = NewWidth;
    H.biHeight = -NewHeight;  // rows top-down: Bits row 0 is the top row
    H.biSizeImage = Bytes <= 0x7FFFFFFF ? static_cast<DWORD>(Bytes) : 0;
    PrepareSectionMemory(NewWidth, NewHeight);
    void* Bits = nullptr;
    HBITMAP Section = Bytes <= 0x7FFFFFFF
                          ? CreateDIBSection(nullptr, &FBitmapInfo, DIB_RGB_COLORS, &Bits, FMapHandle, 0)
                          : nullptr;
    if (!Section || !Bits) {
        if (Section) DeleteObject(Section);
        throw EOutOfResources(u"Can't allocate the DIB handle");
    }
    FBitmapHandle = Section;
    FBits = static_cast<PColor32Array>(Bits);
}

void TGDIBackend::ReleaseSurface()
{
    if (FHDC) {
        // Canvas objects and the font come out before the context goes.
        if (FCanvas) FCanvas->SetHandle(nullptr);
        DeselectFont();
        DeleteDC(FHDC);
        FHDC = nullptr;
    }
    if (FBitmapHandle) DeleteObject(FBitmapHandle);
    FBitmapHandle = nullptr;
    FBits = nullptr;
}

HDC TGDIBackend::GetHandle()
{
    if (!FHDC && FBitmapHandle) {
        HDC DC = CreateCompatibleDC(nullptr);
        if (!DC) throw EOutOfResources(u"Can't create compatible DC");
        if (!SelectObject(DC, FBitmapHandle)) {
            DeleteDC(DC);
            throw EOutOfResources(u"Can't select an object into DC");
        }
        FHDC = DC;
    }
    return FHDC;
}

void TGDIBackend::Changed()
{
    if (FCanvas) FCanvas->SetHandle(FHDC);
    TCustomBackend::Changed();
}

// ---------------------------------------------------------------------------
// Canvas and font

TCanvas* TGDIBackend::GetCanvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TBackendCanvas>(this);
        FCanvas->SetHandle(FHDC);
        FCanvas->OnChange = [this](TObject* Sender) {
            if (FOnCanvasChange) FOnCanvasChange(Sender);
        };
    }
    return FCanvas.get();
}

void TGDIBackend::DeleteCanvas()
{
    if (!FCanvas) return;
    FCanvas->SetHandle(nullptr);
    FCanvas.reset();
}

void TGDIBackend::SetFont(TFont* Font)
{
    FFont->Assign(Font);
    if (FOnFontChange) FOnFontChange(this);
}

void TGDIBackend::DeselectFont()
{
    if (FFontHandle && FHDC) SelectObject(FHDC, SystemFontHandle);
    FFontHandle = nullptr;
}

void TGDIBackend::FontChanged(TObject*)
{
    DeselectFont();
    if (FOnFontChange) FOnFontChange(this);
}

void TGDIBackend::UpdateFont()
{
    if (!FHDC) return;
    if (!FFontHandle) FFontHandle = FFont->Handle();
    SelectObject(FHDC, FFontHandle);
    SetTextColor(FHDC, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
    SetBkMode(FHDC, TRANSPARENT);
}

// ---------------------------------------------------------------------------
// Text

TSize TGDIBackend::TextExtent(const String& Text)
{
    SIZE Size{0, 0};  // a failed measurement reports (0, 0)
    if (FHDC) {
        UpdateFont();
        GetTextExtentPoint32W(FHDC, WStr(Text), static_cast<int>(Text.size()), &Size);
    } else {
        // No context yet: measure on the shared picture rather than make one.
        TCanvas* Canvas = MeasureBitmap()->Canvas();
        Canvas->Lock();
        try {
            HDC DC = Canvas->Handle();
            HGDIOBJ Old = SelectObject(DC, FFont->Handle());
            GetTextExtentPoint32W(DC, WStr(Text), static_cast<int>(Text.size()), &Size);
            SelectObject(DC, Old);
        } catch (...) {
            Canvas->Unlock();
            throw;
        }
        Canvas->Unlock();
    }
    return TSize{Size.cx, Size.cy};
}

void TGDIBackend::Textout(Integer X, Integer Y, const String& Text)
{
    if (FOwner && !FOwner->MeasuringMode() && GetHandle()) {
        UpdateFont();
        if (FOwner->Clipping()) {
            RECT Clip = ToRECT(FOwner->ClipRect());
            ExtTextOutW(FHDC, X, Y, ETO_CLIPPED, &Clip, WStr(Text), static_cast<UINT>(Text.size()), nullptr);
        } else {
            ExtTextOutW(FHDC, X, Y, 0, nullptr, WStr(Text), static_cast<UINT>(Text.size()), nullptr);
        }
        // GDI batches: the pixels are read directly right after.
        GdiFlush();
    }
    TSize Extent = TextExtent(Text);
    if (FOwner) FOwner->Changed(TRect{X, Y, X + Extent.cx + 1, Y + Extent.cy + 1}, AreaInfoRect);
}

void TGDIBackend::Textout(Integer X, Integer Y, const TRect& ClipRect, const String& Text)
{
    if (FOwner && !FOwner->MeasuringMode() && GetHandle()) {
        UpdateFont();
        RECT Clip = ToRECT(ClipRect);
        ExtTextOutW(FHDC, X, Y, ETO_CLIPPED, &Clip, WStr(Text), static_cast<UINT>(Text.size()), nullptr);
        GdiFlush();
    }
    TSize Extent = TextExtent(Text);
    if (FOwner) FOwner->Changed(TRect{X, Y, X + Extent.cx + 1, Y + Extent.cy + 1}, AreaInfoRect);
}

void TGDIBackend::Textout(TRect& DstRect, Cardinal Flags, const String& Text)
{
    if (FOwner && !FOwner->MeasuringMode() && GetHandle()) {
        UpdateFont();
        RECT R = ToRECT(DstRect);
        DrawTextW(FHDC, WStr(Text), static_cast<int>(Text.size()), &R, Flags);
        GdiFlush();
        DstRect = TRect{R.left, R.top, R.right, R.bottom};
    }
    if (FOwner) FOwner->Changed(DstRect, AreaInfoRect);
}

// ---------------------------------------------------------------------------
// Blits

void TGDIBackend::Draw(const TRect& DstRect, const TRect& SrcRect, HDC hSrc)
{
    if (!FOwner || FOwner->Empty()) return;
    if (!FOwner->MeasuringMode()) {
        StretchBlt(GetHandle(), DstRect.Left, DstRect.Top, DstRect.Width(), DstRect.Height(), hSrc, SrcRect.Left,
                   SrcRect.Top, SrcRect.Width(), SrcRect.Height(), SRCCOPY);
        GdiFlush();
    }
    FOwner->Changed(DstRect, AreaInfoRect);
}

void TGDIBackend::DrawTo(HDC hDst, Integer DstX, Integer DstY)
{
    if (!FOwner || !FBits) return;
    Integer W = FOwner->Width(), H = FOwner->Height();
    StretchDIBits(hDst, DstX, DstY, W, H, 0, 0, W, H, FBits, &FBitmapInfo, DIB_RGB_COLORS, SRCCOPY);
}

void TGDIBackend::DrawTo(HDC hDst, const TRect& DstRect, const TRect& SrcRect)
{
    if (!FBitmapHandle) return;
    StretchBlt(hDst, DstRect.Left, DstRect.Top, DstRect.Width(), DstRect.Height(), GetHandle(), SrcRect.Left,
               SrcRect.Top, SrcRect.Width(), SrcRect.Height(), SRCCOPY);
}

void TGDIBackend::DoPaint(TCustomBitmap32* ABuffer, const std::vector<TRect>& AInvalidRects, TCanvas* ACanvas,
                          const TRect& ViewportRect)
{
    if (!ABuffer || !ACanvas) return;
    TIntfPtr<IDeviceContextSupport> Buffer;
    if (!Supports<IDeviceContextSupport>(ABuffer, Buffer)) return;
    HDC Src = Buffer->GetHandle();
    HDC Dst = ACanvas->Handle();
    if (AInvalidRects.empty()) {
        const TRect& R = ViewportRect;
        BitBlt(Dst, R.Left, R.Top, R.Width(), R.Height(), Src, R.Left, R.Top, SRCCOPY);
        return;
    }
    for (const TRect& R : AInvalidRects) BitBlt(Dst, R.Left, R.Top, R.Width(), R.Height(), Src, R.Left, R.Top, SRCCOPY);
}
