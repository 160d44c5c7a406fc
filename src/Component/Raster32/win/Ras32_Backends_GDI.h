// Ras32_Backends_GDI: the platform backend. A bitmap's pixels live in a
// top-down 32-bit DIB section, so GDI, GDI+ and the class library's canvas
// can draw on the bitmap through a device context, and the bitmap can be
// copied to windows and printers. Also the three service interfaces whose
// operations take GDI handles. Windows only.
#pragma once

#include <memory>
#include <vector>

#include "Component/Raster32/Ras32_Backends.h"
#include "framework/graphics/win/Graphics.h"

// A device context on the bitmap, and blits to and from other contexts.
struct IDeviceContextSupport : virtual IInterface {
    static constexpr TGUID IID = IID_IDeviceContextSupport;
    virtual HDC GetHandle() = 0;
    virtual void Draw(const TRect& DstRect, const TRect& SrcRect, HDC hSrc) = 0;
    virtual void DrawTo(HDC hDst, Integer DstX, Integer DstY) = 0;
    virtual void DrawTo(HDC hDst, const TRect& DstRect, const TRect& SrcRect) = 0;
};

// The bitmap as a GDI bitmap.
struct IBitmapContextSupport : virtual IInterface {
    static constexpr TGUID IID = IID_IBitmapContextSupport;
    virtual BITMAPINFO GetBitmapInfo() = 0;
    virtual HBITMAP GetBitmapHandle() = 0;
};

// Painting a buffer bitmap into a window (the paint box).
struct IPaintSupport : virtual IInterface {
    static constexpr TGUID IID = IID_IPaintSupport;
    virtual void ImageNeeded() = 0;
    virtual void CheckPixmap() = 0;
    // Copies the invalid rectangles of ABuffer to the same places on ACanvas;
    // with none, the whole viewport rectangle of the paint box.
    virtual void DoPaint(TCustomBitmap32* ABuffer, const std::vector<TRect>& AInvalidRects, TCanvas* ACanvas,
                         const TRect& ViewportRect) = 0;
};

// The stock system font: selected into a device context to take out a font
// that is about to change.
extern HFONT SystemFontHandle;

// An 8 x 8 picture whose canvas measures text for backends without a device
// context. Lock its canvas around every use: several threads measure.
TBitmap* MeasureBitmap();

// The DIB section backend. New pixels read 0x00000000 (transparent black).
//
// GDI handles are bounded per process (10000 by default on Windows, 65535 in
// all under Wine): the section costs one, and the device context, made the
// first time something needs it (Handle, the canvas, text output, blits from
// the bitmap), a second one. So bitmaps that are only ever read and written
// pixel by pixel (undo copies, most temporaries) take half the handles; once
// made, the context is kept for the life of the surface.
class TGDIBackend : public TCustomBackend,
                    public ITextSupport,
                    public IFontSupport,
                    public ICanvasSupport,
                    public IDeviceContextSupport,
                    public IBitmapContextSupport,
                    public IPaintSupport {
public:
    TGDIBackend();
    String ClassName() const override { return u"TGDIBackend"; }

    bool Empty() const override { return FBitmapHandle == nullptr; }
    // Points a canvas at the current context, then notifies.
    void Changed() override;
    // Whether the device context has been made.
    bool HandleAllocated() const { return FHDC != nullptr; }

    // IDeviceContextSupport. Raises EOutOfResources "Can't create compatible DC"
    // or "Can't select an object into DC" when GDI refuses the context.
    HDC GetHandle() override;
    // Nothing when the owner is empty; reports DstRect.
    void Draw(const TRect& DstRect, const TRect& SrcRect, HDC hSrc) override;
    void DrawTo(HDC hDst, Integer DstX, Integer DstY) override;
    void DrawTo(HDC hDst, const TRect& DstRect, const TRect& SrcRect) override;

    // IBitmapContextSupport
    BITMAPINFO GetBitmapInfo() override { return FBitmapInfo; }
    HBITMAP GetBitmapHandle() override { return FBitmapHandle; }

    // ITextSupport: in the backend's font, transparent background. Each form
    // reports the text rectangle plus one pixel (the DrawText form: the
    // rectangle DrawText leaves) to the owner; while the owner measures,
    // nothing is drawn.
    void Textout(Integer X, Integer Y, const String& Text) override;
    void Textout(Integer X, Integer Y, const TRect& ClipRect, const String& Text) override;
    void Textout(TRect& DstRect, Cardinal Flags, const String& Text) override;
    TSize TextExtent(const String& Text) override;
    void TextoutW(Integer X, Integer Y, const String& Text) override { Textout(X, Y, Text); }
    void TextoutW(Integer X, Integer Y, const TRect& ClipRect, const String& Text) override
    {
        Textout(X, Y, ClipRect, Text);
    }
    void TextoutW(TRect& DstRect, Cardinal Flags, const String& Text) override { Textout(DstRect, Flags, Text); }
    TSize TextExtentW(const String& Text) override { return TextExtent(Text); }

    // IFontSupport
    TNotifyEvent GetOnFontChange() override { return FOnFontChange; }
    void SetOnFontChange(const TNotifyEvent& Handler) override { FOnFontChange = Handler; }
    TFont* GetFont() override { return FFont.get(); }
    // Copies Font's properties, then fires OnFontChange.
    void SetFont(TFont* Font) override;
    // Selects the font into the context (with its colour and a transparent background).
    void UpdateFont() override;

    // ICanvasSupport: the canvas is made on first request.
    TNotifyEvent GetCanvasChange() override { return FOnCanvasChange; }
    void SetCanvasChange(const TNotifyEvent& Handler) override { FOnCanvasChange = Handler; }
    TCanvas* GetCanvas() override;
    void DeleteCanvas() override;
    bool CanvasAllocated() override { return FCanvas != nullptr; }

    // IPaintSupport
    void ImageNeeded() override {}
    void CheckPixmap() override {}
    void DoPaint(TCustomBitmap32* ABuffer, const std::vector<TRect>& AInvalidRects, TCanvas* ACanvas,
                 const TRect& ViewportRect) override;

protected:
    ~TGDIBackend() override;
    // Raises EOutOfResources "Can't allocate the DIB handle" when GDI gives no section.
    void AllocateSurface(Integer NewWidth, Integer NewHeight, bool ClearBuffer) override;
    void ReleaseSurface() override;
    // For a subclass that places the section in memory of its own (FMapHandle).
    virtual void PrepareSectionMemory(Integer, Integer) {}
    bool GetInterface(const TGUID& IID, void** Obj) override;

    BITMAPINFO FBitmapInfo{};
    HBITMAP FBitmapHandle = nullptr;
    HDC FHDC = nullptr;
    HANDLE FMapHandle = nullptr;  // memory from the system

private:
    void FontChanged(TObject* Sender);
    // Takes the font out of the context before it changes or the context goes.
    void DeselectFont();

    CRITICAL_SECTION FFontLock;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TCanvas> FCanvas;
    HFONT FFontHandle = nullptr;  // the font selected into FHDC, if any
    TNotifyEvent FOnFontChange;
    TNotifyEvent FOnCanvasChange;
};
