// GifImg: GIF pictures (TGIFImage), read and written with giflib. A picture is
// a logical screen with a global colour map and a list of frames; each frame
// has its own pixel indexes, an optional local colour map and its extensions
// (the graphic control extension with the transparent index among them).
#pragma once

#include "framework/graphics/win/Graphics.h"

LM_EXCEPTION_CLASS(EGIFError, EInvalidGraphic);

// How a bitmap's colours are reduced to a colour map when it is assigned.
enum TColorReduction {
    rmNone,     // its own colours when there are at most 256, else as rmQuantize with 8 bits
    rmQuantize  // an optimal map of 2^ReductionBits colours
};
enum TDitherMode { dmNearest, dmFloydSteinberg };

class TGIFImage;

// Colours of a map as TColor values.
class TGIFColorMap {
public:
    Integer Count() const { return static_cast<Integer>(FColors.size()); }
    // clBlack outside the map.
    TColor Colors(Integer Index) const;
    // Setting past the end grows the map (new entries black).
    void SetColors(Integer Index, TColor Value);
    void Add(TColor Value) { FColors.push_back(Value); }
    void Clear() { FColors.clear(); }

private:
    std::vector<TColor> FColors;
};

// An extension block kept as it was read: its function code and data sub-blocks.
class TGIFExtension {
public:
    explicit TGIFExtension(Byte FunctionCode) : FFunctionCode(FunctionCode) {}
    virtual ~TGIFExtension() = default;
    Byte FunctionCode() const { return FFunctionCode; }
    std::vector<std::vector<uint8_t>> Blocks;

private:
    Byte FFunctionCode;
};

// The graphic control extension (GIF89): delay, disposal and transparent index.
class TGIFGraphicControlExtension : public TGIFExtension {
public:
    TGIFGraphicControlExtension() : TGIFExtension(0xF9) {}
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }
    Byte TransparentColorIndex() const { return FTransparentColorIndex; }
    void SetTransparentColorIndex(Byte Value) { FTransparentColorIndex = Value; }
    Integer Delay() const { return FDelay; }  // hundredths of a second
    void SetDelay(Integer Value) { FDelay = Value; }
    Integer Disposal() const { return FDisposal; }  // 0 unspecified, 1 keep, 2 background, 3 previous
    void SetDisposal(Integer Value) { FDisposal = Value; }
    bool UserInput() const { return FUserInput; }
    void SetUserInput(bool Value) { FUserInput = Value; }

private:
    bool FTransparent = false;
    Byte FTransparentColorIndex = 0;
    Integer FDelay = 0;
    Integer FDisposal = 0;
    bool FUserInput = false;
};

class TGIFFrame {
public:
    explicit TGIFFrame(TGIFImage* Image) : FImage(Image) {}
    TGIFFrame(const TGIFFrame&) = delete;
    TGIFFrame& operator=(const TGIFFrame&) = delete;
    ~TGIFFrame();
    TGIFImage* Image() const { return FImage; }

    Integer Left() const { return FLeft; }
    Integer Top() const { return FTop; }
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    // Places the frame on the logical screen; a new size clears the pixels to index 0.
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    // Width x Height palette indexes, rows top to bottom.
    uint8_t* Data() { return FData.data(); }
    const uint8_t* Data() const { return FData.data(); }

    // The frame's own colour map (empty when it uses the global one).
    TGIFColorMap* ColorMap() { return &FColorMap; }
    // The map the frame is drawn with: its own, else the picture's global map.
    TGIFColorMap* ActiveColorMap();

    const std::vector<std::unique_ptr<TGIFExtension>>& Extensions() const { return FExtensions; }
    void AddExtension(std::unique_ptr<TGIFExtension> Extension);
    // The first graphic control extension, or nullptr.
    TGIFGraphicControlExtension* GraphicControlExtension() const;

    // The frame as a bitmap (pf32bit; alpha 0 at the transparent index with
    // afDefined), made on first use and kept until FreeBitmap.
    TBitmap* Bitmap();
    // Drops the kept bitmap, after Data, the colour maps or the extensions changed.
    void FreeBitmap();

private:
    friend class TGIFImage;
    TGIFImage* FImage;
    Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    std::vector<uint8_t> FData;
    TGIFColorMap FColorMap;
    std::vector<std::unique_ptr<TGIFExtension>> FExtensions;
    std::unique_ptr<TBitmap> FBitmap;
};

class TGIFImage : public TGraphic {
public:
    TGIFImage() = default;
    ~TGIFImage() override;
    String ClassName() const override { return u"TGIFImage"; }
    // From a TGIFImage (a copy), a TBitmap (one frame, colours reduced as
    // ColorReduction and DitherMode say) or nil (empty).
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FImages.empty(); }
    // The logical screen.
    Integer Width() const override { return FWidth; }
    Integer Height() const override { return FHeight; }
    // The size follows the picture; raises EInvalidGraphicOperation.
    void SetWidth(Integer Value) override;
    void SetHeight(Integer Value) override;
    bool Transparent() const override;

    // Draws the first frame.
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    // Reads the picture up to its trailer.
    void LoadFromStream(TStream* Stream) override;
    // Writes GIF89a when an extension needs it, else GIF87a; colour maps are
    // padded with black to a power of two, frames are written without interlacing.
    void SaveToStream(TStream* Stream) override;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TGIFImage>(); }

    const std::vector<std::unique_ptr<TGIFFrame>>& Images() const { return FImages; }
    TGIFFrame* AddFrame();
    void Clear();
    TGIFColorMap* GlobalColorMap() { return &FGlobalColorMap; }
    Byte BackgroundColorIndex() const { return FBackgroundColorIndex; }
    void SetBackgroundColorIndex(Byte Value) { FBackgroundColorIndex = Value; }

    TColorReduction ColorReduction() const { return FColorReduction; }
    void SetColorReduction(TColorReduction Value) { FColorReduction = Value; }
    // Bits of the reduced map for rmQuantize, 1..8.
    Integer ReductionBits() const { return FReductionBits; }
    void SetReductionBits(Integer Value);
    TDitherMode DitherMode() const { return FDitherMode; }
    void SetDitherMode(TDitherMode Value) { FDitherMode = Value; }

protected:
    // To a TBitmap: the first frame on the logical screen, pf32bit; with
    // transparency (or parts of the screen the frame leaves uncovered) afDefined.
    void AssignTo(TPersistent* Dest) override;

private:
    Integer FWidth = 0;
    Integer FHeight = 0;
    TGIFColorMap FGlobalColorMap;
    Byte FBackgroundColorIndex = 0;
    std::vector<std::unique_ptr<TGIFFrame>> FImages;
    std::vector<std::unique_ptr<TGIFExtension>> FTrailingExtensions;  // after the last frame
    TColorReduction FColorReduction = rmQuantize;
    Integer FReductionBits = 8;
    TDitherMode FDitherMode = dmFloydSteinberg;
};
