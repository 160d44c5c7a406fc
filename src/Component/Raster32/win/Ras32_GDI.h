// Ras32_GDI: TBitmap32, the program-wide raster image: a TCustomBitmap32 on
// the GDI backend, so that GDI, GDI+ and the canvas draw on it through its
// device context (Handle), text is written in its font, and it is copied to
// and tiled onto other device contexts. Windows only.
#pragma once

#include <vector>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/win/Ras32_Backends_GDI.h"

class TBitmap32 : public TCustomBitmap32 {
public:
    // On the GDI backend (NativeBackendClass).
    TBitmap32();
    ~TBitmap32() override;
    String ClassName() const override { return u"TBitmap32"; }

    // Hooks the font and canvas changes of a backend that has them.
    void SetBackend(TCustomBackend* Value) override;
    // Also the font, when both backends have one.
    void CopySettingsTo(TCustomBitmap32* Dst) override;

    // The backend's services. A backend without the service raises
    // EIntfCastError "Interface not supported".
    TCanvas* Canvas();
    bool CanvasAllocated();
    void DeleteCanvas();
    // The device context (0 for an empty bitmap).
    HDC Handle();
    HBITMAP BitmapHandle();
    BITMAPINFO BitmapInfo();
    TFont* Font();
    void SetFont(TFont* Value);
    void UpdateFont();

    // Text in the bitmap's font, transparent background. The DrawText form
    // (DT_ flags) works on a copy of DstRect.
    void Textout(Integer X, Integer Y, const String& Text);
    void Textout(Integer X, Integer Y, const TRect& ClipRect, const String& Text);
    void Textout(const TRect& DstRect, Cardinal Flags, const String& Text);
    void TextoutW(Integer X, Integer Y, const String& Text);
    void TextoutW(Integer X, Integer Y, const TRect& ClipRect, const String& Text);
    void TextoutW(const TRect& DstRect, Cardinal Flags, const String& Text);
    TSize TextExtent(const String& Text);
    TSize TextExtentW(const String& Text);
    Integer TextWidth(const String& Text) { return TextExtent(Text).cx; }
    Integer TextHeight(const String& Text) { return TextExtent(Text).cy; }
    Integer TextWidthW(const String& Text) { return TextExtentW(Text).cx; }
    Integer TextHeightW(const String& Text) { return TextExtentW(Text).cy; }
    // Anti-aliased text in Color (its alpha is the strength). AALevel 1 to 4
    // renders at 2^AALevel times the size and averages the blocks; 0 draws
    // aliased, -1 with the platform's anti-aliasing; values outside -1..4 are
    // limited to them. Combined by the bitmap's CombineMode.
    void RenderText(Integer X, Integer Y, const String& Text, Integer AALevel, TColor32 Color);
    void RenderTextW(Integer X, Integer Y, const String& Text, Integer AALevel, TColor32 Color);

    // Bitmap-to-bitmap drawing stays as TCustomBitmap32 has it.
    using TCustomBitmap32::Draw;
    using TCustomBitmap32::DrawTo;
    // SrcRect of another device context into DstRect of this bitmap (stretched).
    void Draw(const TRect& DstRect, const TRect& SrcRect, HDC hSrc);
    // The whole bitmap at (DstX, DstY) of a device context, one to one.
    void DrawTo(HDC hDst, Integer DstX, Integer DstY);
    void DrawTo(HDC hDst, const TRect& DstRect, const TRect& SrcRect);
    // SrcRect stretched onto DstRect of a device context through the
    // resampler and draw mode, in tiles of at most TileSize x TileSize pixels.
    void TileTo(HDC hDst, const TRect& DstRect, const TRect& SrcRect);
    static constexpr Integer TileSize = 1024;

    TNotifyEvent OnHandleChanged;

protected:
    virtual void NotifyHandleChanged();
    void HandleBackendChanging() override;
    void HandleBackendChanged() override;
    void DetachBackend() override;

private:
    void FontChangeReceived(TObject*) {}
    void CanvasChangeReceived(TObject*) { Changed(); }
};

// The tiles TileTo draws for a destination of Width x Height: rows of
// TileSize-square tiles from the top-left, cut at the right and bottom edges.
std::vector<TRect> TileRects(Integer Width, Integer Height);
