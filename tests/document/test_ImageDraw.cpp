#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "DocumentTestView.h"
#include "document/ImageSmall.h"
#include "framework/runtime/SysUtils.h"

namespace {
// Restores the hooks a test replaced.
struct HooksGuard {
    TImageDrawHooks Saved = ImageDrawHooks;
    ~HooksGuard() { ImageDrawHooks = Saved; }
};

std::unique_ptr<TCustomBitmap32> SolidPicture(Integer W, Integer H, TColor32 Color)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    B->Clear(Color);
    return B;
}
}  // namespace

TEST(ImageDraw, BlankCanvas)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, 40, 30, true);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 40);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(0, 0), 0x00FFFFFFu);  // transparent white, not black
    EXPECT_EQ(Doc->SrcBmp()->Pixel(39, 29), 0x00FFFFFFu);
    EXPECT_TRUE(Doc->OriBmp()->SameContent(Doc->SrcBmp()));
    EXPECT_TRUE(Doc->Changed());  // a new document
    EXPECT_FALSE(Doc->Modified());
    EXPECT_EQ(Doc->FileDT()->ItemCount(), 5);
    EXPECT_EQ(Doc->FileDT()->GetItem(0)->ItemCount(), 20);
    EXPECT_EQ(Doc->DT()->PropCount(), 50);
    EXPECT_TRUE(Doc->DT()->GetProp(ObjProp::CanvasTransparent)->AsBool());
    EXPECT_EQ(Doc->FileType(), ifUnknown);
    EXPECT_EQ(Doc->ShapeId(), -1);
    EXPECT_EQ(Doc->CropRateIndex(), -2);
    EXPECT_EQ(Doc->GradientStartX(), NoStartPoint);
    Doc->InitBitmap();
    EXPECT_EQ(Doc->CanvasColor(), 0xFFFFFFFFu);
    EXPECT_TRUE(Doc->CanvasTransparent());
    EXPECT_EQ(Doc->Bitmap()->Width(), 40);
    EXPECT_EQ(Doc->SrcBmpRect(), (TRect{0, 0, 40, 30}));

    auto Red = NewBlankDocument(View, 4, 4, false, 0x0000FF);
    EXPECT_EQ(Red->SrcBmp()->Pixel(1, 1), 0xFFFF0000u);
    Red->InitBitmap();
    EXPECT_EQ(Red->CanvasColor(), 0xFFFF0000u);
    EXPECT_FALSE(Red->CanvasTransparent());

    // A pattern is tiled from the top-left corner.
    TCustomBitmap32 Pattern;
    Pattern.SetSize(2, 2);
    Pattern.Clear(0xFF00FF00);
    Pattern.SetPixel(0, 0, 0xFF0000FF);
    TImageDraw Tiled(&View, nullptr, nullptr, &Pattern, nullptr, String(), 0, false, false, nullptr, 5, 5, 0, false,
                     24);
    EXPECT_EQ(Tiled.SrcBmp()->Pixel(2, 2), 0xFF0000FFu);
    EXPECT_EQ(Tiled.SrcBmp()->Pixel(3, 2), 0xFF00FF00u);
    EXPECT_EQ(Tiled.SrcBmp()->Pixel(4, 4), 0xFF0000FFu);
}

TEST(ImageDraw, ControlLayerAndHandlePictures)
{
    TTestView View;
    {
        auto Doc = NewBlankDocument(View, 10, 10, false);
        ASSERT_EQ(View.Layers()->Count(), 1);
        EXPECT_EQ(Doc->ControlLayer()->LayerOptions(), LOB_VISIBLE);
        EXPECT_EQ(Doc->ControlMode(), cmObject);
        EXPECT_EQ(Doc->CtrBmpY()->Width(), 7);
        EXPECT_EQ(Doc->CtrBmpY()->Pixel(3, 3), 0xFFFFFF00u);
        EXPECT_EQ(Doc->CtrBmpY()->Pixel(0, 3), 0xFF000000u);
        EXPECT_EQ(Doc->CtrBmpW()->Width(), 6);
        EXPECT_EQ(Doc->CtrBmpB()->Pixel(3, 3), 0xFF87CEEBu);
        EXPECT_EQ(Doc->CtrBmpW2()->Pixel(3, 3), 0xFFFFFFFFu);  // the disc's middle
        EXPECT_LT(Doc->CtrBmpW2()->Pixel(0, 0) >> 24, 128u);    // the corner, mostly outside
        EXPECT_EQ(Doc->CtrBmpG2()->DrawMode(), dmBlend);
        // The discs and the diamond are centred on their middle pixel: each is
        // its own mirror image, and the handles drawn 3 (4) pixels up and left
        // of a point sit on it.
        for (TCustomBitmap32* Round : {Doc->CtrBmpW2(), Doc->CtrBmpY2(), Doc->CtrBmpG2(), Doc->CtrBmpY3()}) {
            const Integer N = Round->Width();
            for (Integer y = 0; y < N; ++y)
                for (Integer x = 0; x < N; ++x) {
                    EXPECT_EQ(Round->Pixel(x, y), Round->Pixel(N - 1 - x, y)) << N << ": " << x << "," << y;
                    EXPECT_EQ(Round->Pixel(x, y), Round->Pixel(x, N - 1 - y)) << N << ": " << x << "," << y;
                }
            EXPECT_EQ(Round->Pixel(0, N / 2) & 0x00FFFFFF, 0u);  // the black rim at the sides
        }
        EXPECT_EQ(Doc->CtrBmpY2()->Pixel(3, 3), 0xFFFFFF00u);
        EXPECT_EQ(Doc->CtrBmpY3()->Pixel(4, 4), 0xFFFFFF00u);
        EXPECT_EQ(Doc->CtrBmpAH()->Pixel(0, 3), 0xFF0000FFu);
        EXPECT_EQ(Doc->CtrBmpAH()->Pixel(12, 1), 0xFF0000FFu);
        EXPECT_EQ(Doc->CtrBmpAH()->Pixel(6, 0) >> 24, 0u);
        EXPECT_EQ(Doc->CtrBmpAV()->Width(), 7);
        EXPECT_EQ(Doc->CtrBmpAV()->Height(), 15);
        EXPECT_EQ(Doc->CtrBmpAV()->Pixel(3, 0), 0xFF0000FFu);
        for (Integer y = 0; y < 8; ++y)
            for (Integer x = 0; x < 8; ++x)
                EXPECT_EQ(Doc->BrushBitmap()->Pixel(x, y), (x + y) % 8 < 4 ? 0xFF000000u : 0xFFFFFFFFu);
    }
    EXPECT_EQ(View.Layers()->Count(), 0);  // the layer leaves with the document
}

TEST(ImageDraw, LastRowDecidesCropAndSelection)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, 10, 10, false);
    EXPECT_FALSE(Doc->CropExists());
    AddObject(*Doc, 1, shCrop);
    AddObject(*Doc, 2, shRectangle);
    EXPECT_FALSE(Doc->CropExists());  // a crop below the top row does not count
    AddObject(*Doc, 3, shSelection);
    EXPECT_TRUE(Doc->SelectionExists());
    EXPECT_FALSE(Doc->CropExists());
    for (Integer Id : {1, 2, 3})
        TImageDraw::RowShape(Doc->DT()->GetItem(Doc->IndexOfShapeId(Id)))->Select();
    EXPECT_EQ(Doc->ObjectSelectedCount(), 3);
    EXPECT_EQ(Doc->ShapeSelectedCount(), 2);  // only the top row counts
}

TEST(ImageDraw, Counts)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, 10, 10, false);
    TImgShape* Pencil = AddObject(*Doc, 1, shLines);
    AddObject(*Doc, 2, shSmall);
    AddObject(*Doc, 3, shRectangle, false, true);  // hidden
    AddObject(*Doc, 4, shCrop);
    struct Want {
        Integer Shape, Editable, Vector, Bitmap;
    };
    auto Check = [&](Want W) {
        EXPECT_EQ(Doc->ShapeCount(), W.Shape);
        EXPECT_EQ(Doc->ShapeEditableCount(), W.Editable);
        EXPECT_EQ(Doc->VectorObjectCount(), W.Vector);
        EXPECT_EQ(Doc->BitmapObjectCount(), W.Bitmap);
    };
    Check({2, 2, 1, 1});
    Pencil->SetFixed(true);  // a fixed pencil stroke counts in ShapeCount only
    Check({2, 1, 0, 1});
    // A row without its object yet is judged by its cells.
    TRow* Row = Doc->DT()->AddItem(u"9,15,,0,0");
    (void)Row;
    Check({3, 2, 1, 1});
}

TEST(ImageDraw, ChangeFlagsAndEvents)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, 10, 10, false);
    String Log;
    Doc->OnChanged = [&](TObject*) { Log += u"C"; };
    Doc->OnShapeStateChanged = [&](TImageDraw*) { Log += u"S"; };
    Doc->OnTimeStringChanged = [&](TObject*) { Log += u"T"; };
    Doc->SetChangedFlag(false);
    Doc->SetChanged(false);
    EXPECT_TRUE(Doc->Changed());
    EXPECT_FALSE(Doc->Modified());
    Doc->SetChanged(true);
    EXPECT_TRUE(Doc->Modified());
    Doc->ShapeStateChanged();
    Doc->SetTimeString(u"1 s");
    EXPECT_EQ(Log, u"CCSCT");
    EXPECT_EQ(Doc->TimeString(), u"1 s");
}

TEST(ImageDraw, CurrentShapeAndLookups)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, 10, 10, false);
    TImgShape* A = AddObject(*Doc, 5, shEllipse, false, false, u"Logo");
    EXPECT_EQ(Doc->GetShapeByName(u"Logo"), A);
    EXPECT_EQ(Doc->GetShapeByName(u"None"), nullptr);
    EXPECT_EQ(Doc->IndexOfShapeId(5), 0);
    EXPECT_EQ(Doc->IndexOfShapeId(6), -1);
    Doc->SetCurrentShape(5);
    EXPECT_EQ(Doc->Shape(), A);
    EXPECT_EQ(Doc->ShapeType(), shEllipse);
    A->SetSRect({0, 0, 4, 5});
    EXPECT_EQ(Doc->SelectionSize(), 20);
    Doc->SetCurrentShape(-1);
    EXPECT_EQ(Doc->Shape(), nullptr);
    EXPECT_EQ(Doc->ShapeType(), shNone);
    EXPECT_EQ(TImageDraw::ConvertCellEscapes(u"a,b|c", false), u"a\x1A" u"b\x1B" u"c");
    EXPECT_EQ(TImageDraw::ConvertCellEscapes(u"a\x1A" u"b\x1B" u"c", true), u"a,b|c");
}

TEST(ImageDraw, FloatCellsUseAPointAndReadBoth)
{
    EXPECT_EQ(FloatToCellText(12.34567, 3), u"12.346");
    EXPECT_EQ(FloatToCellText(-0.5, 3), u"-0.5");
    EXPECT_FLOAT_EQ(CellTextToFloat(u"1.25"), 1.25f);
    EXPECT_FLOAT_EQ(CellTextToFloat(u"1,25"), 1.25f);  // written under a comma locale
    EXPECT_FLOAT_EQ(CellTextToFloat(u"x", 7), 7.0f);
    EXPECT_FLOAT_EQ(CellTextToFloat(u""), 0.0f);
}

TEST(ImageDraw, FromClipboardAndFromFile)
{
    TTestView View;
    auto Pic = SolidPicture(6, 4, 0xFF123456);
    TImageDraw Clip(&View, Pic.get(), nullptr, nullptr, nullptr, String(), 1, true, false, nullptr, 0, 0, 0, true, 24);
    EXPECT_TRUE(Clip.SrcBmp()->SameContent(Pic.get()));
    EXPECT_TRUE(Clip.Changed());
    EXPECT_FALSE(Clip.DT()->GetProp(ObjProp::CanvasTransparent)->AsBool());
    EXPECT_EQ(Clip.DT()->GetProp(ObjProp::CanvasColor)->Value(), 0xFFFFFF);
    EXPECT_EQ(Clip.LanguageIndex(), 1);

    std::filesystem::path File = std::filesystem::temp_directory_path() / "lm_doc,one.png";
    { std::ofstream(File, std::ios::binary) << "PNGBYTES"; }
    String Name = UTF8ToString(File.string());
    TImageDraw Doc(&View, nullptr, Pic.get(), nullptr, nullptr, Name, 0, false, false, nullptr, 0, 0, 0, true, 24);
    EXPECT_FALSE(Doc.Changed());  // opened from a file
    EXPECT_EQ(Doc.FileType(), ifPng);
    EXPECT_EQ(Doc.Profile(), Name + u".vuxa");
    EXPECT_EQ(Doc.DT()->GetProp(ObjProp::OriFileName)->Text(), u"lm_doc\x1A" u"one.png");
    ASSERT_NE(Doc.OriBmpFileMS(), nullptr);
    EXPECT_EQ(Doc.OriBmpFileMS()->Size(), 8);
    EXPECT_TRUE(Doc.DT()->GetProp(ObjProp::CanvasTransparent)->AsBool());
    EXPECT_TRUE(Doc.SrcBmp()->SameContent(Pic.get()));
    std::filesystem::remove(File);

    // A file that does not exist counts as none: a blank canvas.
    TImageDraw Gone(&View, nullptr, Pic.get(), nullptr, nullptr, Name, 0, false, false, nullptr, 3, 2, 0, false, 24);
    EXPECT_EQ(Gone.SrcBmp()->Width(), 3);
    EXPECT_TRUE(Gone.Changed());
}

TEST(ImageDraw, ReadersOfSidecarsAndStreams)
{
    HooksGuard Guard;
    TTestView View;
    TMemoryStream Stream;
    // No stand-in: the document's own reader, and an empty stream is damaged.
    ImageDrawHooks.ReadDocumentStream = nullptr;
    EXPECT_THROW(TImageDraw(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, &Stream, 1, 1, 0,
                            false, 24),
                 EImageDraw);

    // What a reader leaves: file information, rows with their objects (a
    // watermark row of the older layout and a selection on top), guides and a ruler.
    static auto Fill = [](TImageDraw& Doc) {
        Doc.FileDT()->Init(5, 20);
        Doc.FileDT()->GetItem(0)->GetItem(9)->SetValue(32);
        Doc.DT()->SetPropCount(50);
        Doc.DT()->GetProp(ObjProp::HorzGuides)->SetText(u"10.20");
        Doc.DT()->GetProp(ObjProp::Ruler)->SetText(u"-1.1.2.3.4");
        Doc.SrcBmp()->SetSize(8, 8);
        AddObject(Doc, 1, shSmall, false, false, u"Watermark");
        AddObject(Doc, 2, shSelection);
    };
    ImageDrawHooks.ReadDocumentStream = [](TImageDraw& Doc, TStream&) { Fill(Doc); };
    TImageDraw FromStream(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, &Stream, 1, 1, 0,
                          false, -1);
    EXPECT_EQ(FromStream.SrcBmpBitsPixelPer(), 32);
    EXPECT_TRUE(FromStream.Changed());
    ASSERT_EQ(FromStream.DT()->ItemCount(), 1);  // the watermark row is gone
    EXPECT_TRUE(FromStream.SelectionExists());  // kept from a stream, and current
    EXPECT_EQ(FromStream.ShapeId(), 2);
    EXPECT_EQ(FromStream.ObjectSelectedCount(), 1);
    EXPECT_EQ(FromStream.HorzGuidesRow()->ItemCount(), 2);
    EXPECT_EQ(FromStream.HorzGuidesRow()->GetItem(1)->Value(), 20);
    EXPECT_EQ(FromStream.VertGuidesRow()->ItemCount(), 0);
    EXPECT_TRUE(FromStream.RulerEnabled());
    EXPECT_EQ(FromStream.RulerP2(), (TPoint{3, 4}));

    std::filesystem::path File = std::filesystem::temp_directory_path() / "lm_doc_sidecar.jpg";
    { std::ofstream(File, std::ios::binary) << "x"; }
    ImageDrawHooks.ReadSidecar = [](TImageDraw& Doc) {
        Fill(Doc);
        return true;
    };
    TImageDraw FromSidecar(&View, nullptr, nullptr, nullptr, nullptr, UTF8ToString(File.string()), 0, false, false,
                           nullptr, 1, 1, 0, false, 24);
    EXPECT_EQ(FromSidecar.SrcBmpBitsPixelPer(), 24);
    EXPECT_EQ(FromSidecar.DT()->ItemCount(), 0);  // selections are not restored from a sidecar
    EXPECT_FALSE(FromSidecar.Changed());
    EXPECT_EQ(FromSidecar.OriBmpFileMS(), nullptr);
    std::filesystem::remove(File);
}

TEST(ImageDraw, ShortRowsFromAReaderReadAsEmpty)
{
    // A damaged document: rows, properties and file information shorter than
    // their layout, a ruler of two values.
    HooksGuard Guard;
    ImageDrawHooks.ReadDocumentStream = [](TImageDraw& Doc, TStream&) {
        Doc.DT()->AddItem(u"1");
        Doc.DT()->SetPropCount(18);
        Doc.DT()->GetProp(ObjProp::Ruler)->SetText(u"-1.5");
    };
    TTestView View;
    TMemoryStream Stream;
    TRow ShortWatermark;
    ShortWatermark.Init(u"-1,x", u',');
    TImageDraw Doc(&View, nullptr, nullptr, nullptr, &ShortWatermark, String(), 0, false, false, &Stream, 1, 1, 0,
                   false, -1);
    EXPECT_EQ(Doc.SrcBmpBitsPixelPer(), 0);
    EXPECT_EQ(Doc.ShapeCount(), 1);
    EXPECT_FALSE(Doc.CropExists());
    EXPECT_EQ(Doc.GetShapeByName(u"Watermark"), nullptr);
    EXPECT_TRUE(Doc.RulerEnabled());
    EXPECT_EQ(Doc.RulerP1(), (TPoint{5, 0}));
    EXPECT_EQ(Doc.RulerP2(), (TPoint{0, 0}));
    EXPECT_FALSE(Doc.WatermarkEnabled());  // no decoder: nothing to show
    Doc.InitBitmap();
    EXPECT_FALSE(Doc.CanvasTransparent());
}

TEST(ImageDraw, WatermarkPlacement)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, 1000, 800, false);
    auto Pic = SolidPicture(100, 50, 0xFFFF0000);
    Doc->SetChangedFlag(false);
    Doc->AddWatermarkPicture(Pic.get(), 0, 3, 5, 5, 0, 0, 0, 200, false, 0);
    EXPECT_TRUE(Doc->WatermarkEnabled());
    EXPECT_TRUE(Doc->Changed());
    EXPECT_FALSE(Doc->Modified());
    Doc->InitBitmap();
    EXPECT_EQ(Doc->WMShape()->SRect(), (TRect{850, 710, 950, 760}));
    EXPECT_EQ(Doc->WMBmp()->MasterAlpha(), 200u);
    EXPECT_EQ(Doc->WMBmp()->Pixel(850, 710), 0xFFFF0000u);
    EXPECT_EQ(Doc->WMBmp()->Pixel(849, 710), 0x00FFFFFFu);
    EXPECT_EQ(Doc->WMBmp()->Pixel(949, 759), 0xFFFF0000u);

    struct Case {
        Integer Location;
        TPoint Corner;
    };
    const Case Cases[] = {{0, {50, 40}}, {1, {850, 40}}, {2, {50, 710}}, {4, {450, 375}}};
    for (const Case& C : Cases) {
        Doc->AddWatermarkPicture(Pic.get(), 0, C.Location, 5, 5, 0, 0, 0, 255, false, 0);
        Doc->InitBitmap();
        EXPECT_EQ(Doc->WMShape()->SRect().Left, C.Corner.X) << C.Location;
        EXPECT_EQ(Doc->WMShape()->SRect().Top, C.Corner.Y) << C.Location;
    }

    // A picture of size 0 switches the watermark off.
    TCustomBitmap32 Empty;
    Doc->AddWatermarkPicture(&Empty, 0, 0, 0, 0, 0, 0, 0, 255, false, 0);
    EXPECT_FALSE(Doc->WatermarkEnabled());
    Doc->InitBitmap();
    EXPECT_EQ(Doc->WMBmp()->Pixel(50, 40), 0x00FFFFFFu);
}

TEST(ImageDraw, WatermarkTiles)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, 500, 300, false);
    auto Pic = SolidPicture(100, 60, 0xFF00FF00);
    Pic->SetPixel(0, 0, 0xFF0000FF);  // marks each tile's corner
    Doc->AddWatermarkPicture(Pic.get(), 1, 0, 0, 0, 20, 10, 0, 255, false, 0);
    Doc->InitBitmap();
    const TCustomBitmap32* L = Doc->WMBmp();
    for (Integer y = 0; y < 300; ++y)
        for (Integer x = 0; x < 500; ++x) {
            bool Corner = L->Pixel(x, y) == 0xFF0000FFu;
            bool Expected = (x == 0 || x == 120 || x == 240 || x == 360) && (y == 0 || y == 70 || y == 140 || y == 210);
            ASSERT_EQ(Corner, Expected) << x << "," << y;
        }
    // Spacing that undoes the tile's width still steps forward (a settings
    // file may hold anything): one tile per pixel column, and it ends.
    auto Small = NewBlankDocument(View, 40, 30, false);
    auto Dot = SolidPicture(4, 4, 0xFF00FF00);
    Dot->SetPixel(0, 0, 0xFF0000FF);
    Small->AddWatermarkPicture(Dot.get(), 1, 0, 0, 0, -10, -10, 0, 255, false, 0);
    Small->InitBitmap();
    // Tiles overlap here, and merging at full alpha may lose a step: judge by the main channel.
    TColor32 Corner = Small->WMBmp()->Pixel(38, 28), Inside = Small->WMBmp()->Pixel(39, 29);
    EXPECT_GT(Corner & 0xFF, 0xF0u);
    EXPECT_LT((Corner >> 8) & 0xFF, 0x10u);
    EXPECT_GT((Inside >> 8) & 0xFF, 0xF0u);
    EXPECT_LT(Inside & 0xFF, 0x10u);
    // A transparent colour key.
    Doc->AddWatermarkPicture(Pic.get(), 0, 0, 0, 0, 0, 0, 0, 255, true, 0x00FF00);
    Doc->InitBitmap();
    EXPECT_EQ(Doc->WMShape()->SrcBmp()->Pixel(5, 5) >> 24, 0u);
    EXPECT_EQ(Doc->WMShape()->SrcBmp()->Pixel(0, 0), 0xFF0000FFu);
}

TEST(ImageDraw, WatermarkRowAtCreation)
{
    HooksGuard Guard;
    ImageDrawHooks.LoadPicture = [](const String& FileName) {
        return FileName == u"wm,1.png" ? SolidPicture(10, 10, 0xFFFFFFFF) : std::make_unique<TCustomBitmap32>();
    };
    TTestView View;
    TRow Off;
    Off.Init(u"0,wm\x1A" u"1.png,0,3,5,5,0,0,0,255,0,0", u',');
    auto A = NewBlankDocument(View, 100, 100, false, 0xFFFFFF, &Off);
    EXPECT_FALSE(A->WatermarkEnabled());
    TRow On;
    On.Init(u"-1,wm\x1A" u"1.png,0,3,5,5,0,0,0,255,0,0", u',');
    auto B = NewBlankDocument(View, 100, 100, false, 0xFFFFFF, &On);
    EXPECT_TRUE(B->WatermarkEnabled());
    B->InitBitmap();
    EXPECT_EQ(B->WMShape()->SRect(), (TRect{85, 85, 95, 95}));
}

TEST(ImageDraw, OriginalThumbnail)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, 400, 200, false, 0x00FF00);
    EXPECT_TRUE(Doc->OriBmpThumbChanged());
    Doc->MakeThumbOfOriBmp(100, 100);
    EXPECT_EQ(Doc->OriBmpThumb()->Width(), 100);
    EXPECT_EQ(Doc->OriBmpThumb()->Height(), 50);
    EXPECT_FALSE(Doc->OriBmpThumbChanged());
    Doc->MakeThumbOfOriBmp(10, 10);  // not stale: kept
    EXPECT_EQ(Doc->OriBmpThumb()->Width(), 100);
}

TEST(ImageDraw, ThumbnailWorkerEndsBeforeTheDocument)
{
    // The worker reads the original image while the document is switched
    // away; the document waits for it before it frees anything (the
    // sanitizers see any read after the free).
    TTestView View;
    std::atomic<Integer> Done{0};
    for (Integer i = 0; i < 10; ++i) {
        auto Doc = NewBlankDocument(View, 300, 200, false);
        Doc->MakeThumbOfOriBmpAsync(64, 64, [&] { ++Done; });
        if (i % 2 == 0) {
            // The reader takes the lock while the worker may be writing.
            auto Lock = Doc->LockOriBmp();
            EXPECT_LE(Doc->OriBmpThumb()->Width(), 64);
        }
    }
    EXPECT_EQ(Done.load(), 10);
}
