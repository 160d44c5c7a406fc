// The style strip's previews as the platform draws them: every shown image of
// each tool holds a drawing of its own object, compared with golden pictures
// (the images of a tool side by side; Wine's GDI+ draws without smoothing, so
// the pixels are the same on every run).
#include <gtest/gtest.h>

#include "../../document/GoldenPicture.h"

#include "Component/Raster32/Ras32.h"
#include "document/ImgShape.h"
#include "document/win/ImageDraw_Win.h"
#include "foundation/HyDataTable.h"
#include "foundation/HyPresets.h"
#include "shell/StylePreviews.h"

namespace {

using namespace StylePreviews;

constexpr TColor Back = 0xE8E6E3;
constexpr TColor32 Back32 = 0xFFE3E6E8u;

TEST(StylePreviewsWin, EveryShownStyleIsDrawnByItsObject)
{
    InstallImageDrawHooks();
    TDataTable Presets;
    FillStylePresets(&Presets);
    std::array<TCustomBitmap32, ImageCount> Bitmaps;
    std::array<TCustomBitmap32*, ImageCount> Ptrs{};
    for (Integer I = 0; I < ImageCount; ++I) {
        Bitmaps[size_t(I)].SetSize(53, 62);
        Ptrs[size_t(I)] = &Bitmaps[size_t(I)];
    }
    TStyleStrip Strip(Presets, Ptrs);
    const std::pair<TShapeType, const char*> Tools[] = {
        {shCrop, "styles_crop.bmp"},         {shArrow, "styles_arrow.bmp"},   {shRectangle, "styles_rectangle.bmp"},
        {shLines, "styles_lines.bmp"},       {shLine, "styles_line.bmp"},     {shText, "styles_text.bmp"},
        {shPolygon, "styles_polygon.bmp"},   {shCallout, "styles_callout.bmp"}, {shEllipse, "styles_ellipse.bmp"},
    };
    for (const auto& [Tool, Name] : Tools) {
        SCOPED_TRACE(Name);
        const Integer N = Strip.Build(Tool);
        Strip.Draw(Strip.Tag(0), Back, 6);
        for (Integer I = 0; I < N; ++I) {
            Integer Ink = 0;
            for (Integer y = 1; y < 61; ++y)
                for (Integer x = 1; x < 52; ++x) Ink += Bitmaps[size_t(I)].Pixel(x, y) != Back32;
            EXPECT_GT(Ink, 20) << "image " << I;
        }
        TCustomBitmap32 All;
        All.SetSize(53 * N, 62);
        for (Integer I = 0; I < N; ++I) All.Draw(53 * I, 0, &Bitmaps[size_t(I)]);
        ExpectGoldenPicture(All, Name);
    }
}

}  // namespace
