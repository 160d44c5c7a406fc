// PngImage: PNG pictures (TPngImage), read and written with libpng. The
// picture is kept as 8-bit samples: rows of blue, green, red triples and, for
// pictures with transparency, a separate plane of alpha bytes.
#pragma once

#include "framework/graphics/win/Graphics.h"

LM_EXCEPTION_CLASS(EPNGError, EInvalidGraphic);

// Colour types of the PNG header.
constexpr Byte COLOR_GRAYSCALE = 0;
constexpr Byte COLOR_RGB = 2;
constexpr Byte COLOR_PALETTE = 3;
constexpr Byte COLOR_GRAYSCALEALPHA = 4;
constexpr Byte COLOR_RGBALPHA = 6;

class TPngImage : public TGraphic {
public:
    TPngImage() = default;
    String ClassName() const override { return u"TPngImage"; }
    // A picture of ColorType COLOR_RGB or COLOR_RGBALPHA with BitDepth 8, every
    // sample 0. Raises EPNGError for other types and depths or a size below 1.
    static std::unique_ptr<TPngImage> CreateBlank(Cardinal ColorType, Cardinal BitDepth, Integer Width,
                                                  Integer Height);
    // From a TPngImage (a copy), a TBitmap (with alpha when it is pf32bit with an
    // alpha format) or nil (empty).
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    Integer Width() const override { return FWidth; }
    Integer Height() const override { return FHeight; }
    // Resizing keeps the top-left part; new samples are 0.
    void SetWidth(Integer Value) override { Resize(Value, FHeight); }
    void SetHeight(Integer Value) override { Resize(FWidth, Value); }
    bool Transparent() const override { return FColorType == COLOR_RGBALPHA; }

    void Draw(TCanvas* ACanvas, const TRect& R) override;
    // Any PNG: palettes, grey levels and 16-bit samples become 8-bit colour;
    // transparency (an alpha channel or a transparent colour) becomes COLOR_RGBALPHA.
    // Reads the chunks up to IEND and no further.
    void LoadFromStream(TStream* Stream) override;
    // An 8-bit PNG of the colour type, with IHDR, IDAT and IEND only.
    void SaveToStream(TStream* Stream) override;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TPngImage>(); }

    Byte ColorType() const { return FColorType; }
    Byte BitDepth() const { return 8; }
    // Row Row (0 = top): Width triples of blue, green, red.
    uint8_t* Scanline(Integer Row);
    // Row Row of the alpha plane (Width bytes); nullptr when the picture has none.
    uint8_t* AlphaScanline(Integer Row);

protected:
    // To a TBitmap: pf24bit, or pf32bit with straight alpha (afDefined).
    void AssignTo(TPersistent* Dest) override;

private:
    void Resize(Integer AWidth, Integer AHeight);
    Integer FWidth = 0;
    Integer FHeight = 0;
    Byte FColorType = COLOR_RGB;
    std::vector<uint8_t> FRgb;
    std::vector<uint8_t> FAlpha;
};
