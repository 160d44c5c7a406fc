// Jpeg: JPEG pictures (TJPEGImage), compressed and decompressed with
// libjpeg-turbo. The picture holds the compressed data and/or a 24-bit bitmap
// and makes the one from the other when it is needed.
#pragma once

#include "framework/graphics/win/Graphics.h"

LM_EXCEPTION_CLASS(EJPEG, EInvalidGraphic);

using TJPEGQualityRange = Integer;  // 1..100

class TJPEGImage : public TGraphic {
public:
    TJPEGImage() = default;
    ~TJPEGImage() override;
    String ClassName() const override { return u"TJPEGImage"; }
    // From a TJPEGImage (a copy), a TBitmap (kept as 24 bits until compressed) or nil.
    void Assign(TPersistent* Source) override;

    bool Empty() const override;
    Integer Width() const override;
    Integer Height() const override;
    // The size follows the picture; raises EInvalidGraphicOperation.
    void SetWidth(Integer Value) override;
    void SetHeight(Integer Value) override;

    void Draw(TCanvas* ACanvas, const TRect& R) override;
    // Takes the rest of the stream as the compressed data and decodes it.
    void LoadFromStream(TStream* Stream) override;
    // Writes the compressed data, compressing the bitmap first when there is none.
    void SaveToStream(TStream* Stream) override;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TJPEGImage>(); }

    // 1 (smallest file) to 100 (best picture); values outside are clamped. Default 90.
    TJPEGQualityRange CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(TJPEGQualityRange Value);
    // Compresses the bitmap at the current quality, replacing the compressed data.
    void Compress();
    // Makes the bitmap from the compressed data when there is none.
    void DIBNeeded();
    // Makes the compressed data when there is none.
    void JPEGNeeded();

protected:
    // To a TBitmap: pf24bit.
    void AssignTo(TPersistent* Dest) override;

private:
    std::vector<uint8_t> FData;
    std::unique_ptr<TBitmap> FBitmap;
    TJPEGQualityRange FQuality = 90;
};
