#include "document/win/ImageControlLayer_Win.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "framework/runtime/System.h"

namespace {
// The buffer's font at FontSize in black for the scope; the buffer keeps its
// own font for whoever writes on it next.
class TLabelFont {
public:
    TLabelFont(TBitmap32& Buffer, Integer FontSize) : FFont(Buffer.Font()), FSize(FFont->Size()), FColor(FFont->Color())
    {
        FFont->SetSize(FontSize);
        FFont->SetColor(clBlack);
    }
    ~TLabelFont()
    {
        FFont->SetSize(FSize);
        FFont->SetColor(FColor);
    }
    TLabelFont(const TLabelFont&) = delete;
    TLabelFont& operator=(const TLabelFont&) = delete;

private:
    TFont* FFont;
    Integer FSize;
    TColor FColor;
};

void FocusRect(TCustomBitmap32& Buffer, const TRect& R)
{
    auto* B = dynamic_cast<TBitmap32*>(&Buffer);
    if (!B) return;
    // The view paints its invalid rectangles one by one with the clip set to
    // each: outside it the frame would be inverted again on every pass.
    const HDC DC = B->Canvas()->Handle();
    TRegion Clip(B->ClipRect());
    SelectClipRgn(DC, Clip);
    auto Unclip = ScopeExit([&] { SelectClipRgn(DC, nullptr); });
    B->Canvas()->DrawFocusRect(R);
    // The layers after this one write the pixels directly.
    GdiFlush();
}

Integer MeasureText(TCustomBitmap32& Buffer, const String& Text, Integer FontSize)
{
    auto* B = dynamic_cast<TBitmap32*>(&Buffer);
    if (!B) return 0;
    TLabelFont Font(*B, FontSize);
    return B->TextWidth(Text);
}

void WriteText(TCustomBitmap32& Buffer, Integer X, Integer Y, const String& Text, Integer FontSize)
{
    auto* B = dynamic_cast<TBitmap32*>(&Buffer);
    if (!B) return;
    TLabelFont Font(*B, FontSize);
    B->Textout(X, Y, Text);
    GdiFlush();
}
}  // namespace

void InstallControlLayerHooks()
{
    ControlLayerHooks.FocusRect = &FocusRect;
    ControlLayerHooks.MeasureText = &MeasureText;
    ControlLayerHooks.WriteText = &WriteText;
}
