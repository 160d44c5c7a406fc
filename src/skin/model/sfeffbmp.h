// sfeffbmp: TsfEffectBmp, the skin library's 24-bit working surface for
// transitions (morphs) and image effects. The pixels and every operation on
// them are portable; on Windows the pixels are a DIB section, and the members
// that take a bitmap handle or a device context are defined by the Windows
// part (skin/model/win/sfeffbmp_DC.cpp).
#pragma once

#include <cstdint>
#include <memory>

#include "framework/runtime/Types.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/SFTypes.h"  // TMorphKind: one transition each

// Pixel memory of a TsfEffectBmp: zeroed memory by default, a DIB section on Windows.
class TsfEffectSurface {
public:
    virtual ~TsfEffectSurface() = default;
    virtual uint8_t* Bits() const = 0;
    virtual HBITMAP__* Handle() const { return nullptr; }
};
using TsfEffectSurfaceFactory = std::unique_ptr<TsfEffectSurface> (*)(Integer Width, Integer Height);
extern TsfEffectSurfaceFactory SfEffectSurfaceFactory;

class TsfEffectBmp : public TObject {
public:
    // A zeroed (black) picture of cx x cy.
    TsfEffectBmp(Integer cx, Integer cy);
    // CreateCopy: the same size and pixels.
    TsfEffectBmp(const TsfEffectBmp& hBmp);
    TsfEffectBmp& operator=(const TsfEffectBmp&) = delete;
    String ClassName() const override { return u"TsfEffectBmp"; }
    // Windows only: a 24-bit copy of any bitmap (the name is historical: it takes a bitmap handle).
    static std::unique_ptr<TsfEffectBmp> CreateFromhWnd(HBITMAP__* hBmp);

    HBITMAP__* Handle = nullptr;
    Integer Width = 0;
    Integer Height = 0;
    Integer Size = 0;  // stride x Height
    uint8_t* Bits = nullptr;

    // Bytes of one row: Width x 3 rounded up to a multiple of 4.
    Integer Stride() const { return Width * 3 + Width % 4; }

    // Windows only: output to a device context.
    void Draw(HDC__* hDC, Integer x, Integer y);
    void Stretch(HDC__* hDC, Integer x, Integer y, Integer cx, Integer cy);
    void DrawRect(HDC__* hDC, Integer hx, Integer hy, Integer x, Integer y, Integer cx, Integer cy);

    // Rows and pixels (3 bytes B, G, R); no checks.
    void GetScanLine(Integer y, uint8_t* Line) const;
    void SetScanLine(Integer y, const uint8_t* Line);
    uint8_t* ScanLineAddress(Integer y) const { return Bits + static_cast<ptrdiff_t>(y) * Stride(); }
    uint32_t GetPixel(Integer x, Integer y) const;
    void SetPixel(Integer x, Integer y, uint32_t Value);

    // Transitions towards BMP; nothing unless BMP has this size (but MorphRect and CopyRect).
    void Morph(TsfEffectBmp* BMP, double Kf);
    void MorphRect(TsfEffectBmp* BMP, double Kf, const TRect& Rct, Integer StartX, Integer StartY);
    void CopyRect(TsfEffectBmp* BMP, const TRect& Rct, Integer StartX, Integer StartY);
    void MorphGrad(TsfEffectBmp* BMP, double Kf);
    void MorphHGrad(TsfEffectBmp* BMP, double Kf);
    void MorphVGrad(TsfEffectBmp* BMP, double Kf);
    void MorphLeftGrad(TsfEffectBmp* BMP, double Kf);
    void MorphRightGrad(TsfEffectBmp* BMP, double Kf);
    void MorphLeftSlide(TsfEffectBmp* BMP, double Kf);
    void MorphRightSlide(TsfEffectBmp* BMP, double Kf);
    void MorphPush(TsfEffectBmp* BMP, double Kf);
    // The transition of a kind.
    void MorphBy(TMorphKind Kind, TsfEffectBmp* BMP, double Kf);

    // Effects in place.
    void ChangeBrightness(double Kf);
    void ChangeDarkness(double Kf);
    void GrayScale();
    void Invert();
    void SplitBlur(Integer Amount);
    void Mosaic(Integer ASize);
    void AddMonoNoise(Integer Amount);
    void AddColorNoise(Integer Amount);
    void Wave(Integer XDIV, Integer YDIV, Integer RatioVal);
    void MaskAntialiasing(TsfEffectBmp* Msk, Integer Amount);
    void MaskBlur(TsfEffectBmp* Msk, Integer Amount);
    // C is a platform colour (system colours resolved).
    void MaskFillColor(TsfEffectBmp* Msk, Integer C, double kf);

    // Geometry into Dst; nothing when Dst has not the size the operation needs.
    void Rotate90_1(TsfEffectBmp* Dst);
    void Rotate90_2(TsfEffectBmp* Dst);
    void FlipVert(TsfEffectBmp* Dst);
    void Resize(TsfEffectBmp* Dst);

private:
    std::unique_ptr<TsfEffectSurface> FSurface;

    void Allocate(Integer cx, Integer cy);
    bool SameSize(const TsfEffectBmp* BMP) const;
    // The four-point average of SplitBlur, with the sample points clamped into the picture.
    void BlurPass(Integer Amount, const TsfEffectBmp* Msk, bool Antialias);
};
