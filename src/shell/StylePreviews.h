// StylePreviews: the style strip's previews. Each style of a tool is shown by
// a real drawn object of the tool's class on the image's own bitmap, so the
// preview uses the document engine's drawing. The objects are made once per
// style and kept in the style table's rows; later builds only re-tag and
// redraw the images.
#pragma once

#include <array>
#include <memory>

#include "document/base/ImageDrawTypes.h"
#include "framework/runtime/System.h"
#include "framework/runtime/UITypes.h"

class TCustomBitmap32;
class TDataTable;
class TImgShape;
class TRow;

namespace StylePreviews {

constexpr Integer ImageCount = 18;

// A preview object of Tool's class for the style row Row, placed in Bitmap
// (an image of the style strip, already of its size). Null for a tool that
// has no previews.
std::unique_ptr<TImgShape> CreatePreview(TShapeType Tool, const TRow& Row, TCustomBitmap32* Bitmap);

// The strip: the images' bitmaps, their style ids and the pages.
class TStyleStrip {
public:
    TStyleStrip(TDataTable& Presets, const std::array<TCustomBitmap32*, ImageCount>& Bitmaps);

    // Makes the tool's missing previews and tags the images in the table's
    // order; the number of images shown (the rest hide).
    Integer Build(TShapeType Tool);
    // Marks the current style (framed), redraws every shown image over Back
    // and works out the pages.
    void Draw(Integer CurrentStyleId, TColor Back, Integer ColCount);
    // The pointer entered or left image Index: its hover frame, redrawn.
    void Hover(Integer Index, bool Inside, TColor Back);

    TShapeType Tool() const { return FTool; }
    Integer VisibleCount() const { return FVisible; }
    Integer Tag(Integer Index) const { return FTags[static_cast<size_t>(Index)]; }
    // The preview shown by image Index (null when hidden).
    TImgShape* Preview(Integer Index) const;
    Integer PageIndex() const { return FPageIndex; }
    Integer PageCount() const { return FPageCount; }
    // The polygon tool's kind follows its current style's object.
    Integer PolygonType() const { return FPolygonType; }

private:
    TRow* RowOf(Integer StyleId) const;

    TDataTable& FPresets;
    std::array<TCustomBitmap32*, ImageCount> FBitmaps;
    std::array<Integer, ImageCount> FTags{};
    TShapeType FTool = shNone;
    Integer FVisible = 0;
    Integer FPageIndex = 0, FPageCount = 0;
    Integer FPolygonType = 0;
};

}  // namespace StylePreviews
