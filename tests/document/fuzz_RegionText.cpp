// Fuzz target of the saved-selection row of a document: byte 0 gives the
// feather (bits 0-2) and the smoothing flag (bit 3), the rest is the region
// text. A text that reads gives rectangles that are neither empty nor
// inverted and writes back to a text that reads to the same region; loading
// it makes a selection whose pixels can be lifted from a small raster. A
// text that does not read makes no selection.
#include "Component/Raster32/Ras32_Startup.h"
#include "DocumentTestView.h"
#include "FuzzSupport.h"
#include "document/ImageSelection.h"
#include "filters/FiltersStartup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static const bool Started = (InstallRasterEngine(), InstallFilters(), true);
    (void)Started;
    if (Size < 1) return 0;
    String Text;
    for (size_t i = 1; i < Size; ++i) Text += static_cast<char16_t>(Data[i]);
    std::vector<TRect> Rects;
    String Error;
    const bool Reads = TextToRegionRects(Text, Rects, &Error);
    FuzzCheck(Reads || (Rects.empty() && !Error.empty()), "a refused text left rectangles or no reason");
    for (const TRect& R : Rects) FuzzCheck(R.Right > R.Left && R.Bottom > R.Top, "an empty rectangle was read");
    const TImageRegion Region = TImageRegion::FromRects(Rects);
    std::vector<TRect> Again;
    FuzzCheck(TextToRegionRects(RegionToText(Region), Again), "a written text does not read");
    FuzzCheck(TImageRegion::FromRects(Again) == Region, "the region text does not round-trip");

    TTestView View;
    TImageDraw Doc(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, nullptr, 24, 16, 0x336699,
                   false, 24);
    Doc.InitBitmap();
    Doc.SelectionDT()->AddItem(u"x")->Init(
        std::vector<String>{u"Saved", Text, (Data[0] & 8) ? u"-1" : u"0", IntToStr(Data[0] & 7)});
    const bool Loaded = Doc.LoadSelection(u"Saved");
    FuzzCheck(Loaded == (Reads && !Region.Empty()), "a selection loaded from a text that does not read");
    FuzzCheck(Doc.SelectionExists() == Loaded, "a selection left over");
    if (!Loaded) return 0;
    TImgSelection* S = Doc.SelectionShape();
    FuzzCheck(S->RegionHandle() == Region, "the loaded region differs");
    TRect D;
    auto Lifted = S->GetSelectionBitmap(D);
    FuzzCheck(D.Left >= 0 && D.Top >= 0 && D.Right <= 24 && D.Bottom <= 16, "work bitmaps beyond the raster");
    if (Lifted) Doc.TempBmpZ_To_SrcBmp(D);
    Doc.SelectImage(false);
    return 0;
}
