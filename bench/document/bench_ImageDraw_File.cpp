// Saving a 4000 x 3000 document with 20 objects (16 vector objects, 4
// pictures of 256 x 256) and reopening it from its document file. Its
// document file holds two rasters: the image as first loaded and the working one. The peer is
// zlib at level 9 (what "gzip -9" runs) compressing, and inflating, the same
// raster's bytes alone: the floor of any writer and reader of this layout,
// whose raster block is exactly that. The image file itself is left out (an
// empty file is written): the image codecs have benchmarks of their own.
#include <benchmark/benchmark.h>

#include <random>

#include "../../tests/document/DocumentTestView.h"
#include "framework/runtime/SysUtils.h"
#include "framework/runtime/ZLibStreams.h"

namespace {
constexpr Integer W = 4000, H = 3000;

void NoImage(TCustomBitmap32*, const String& FileName, TImageFormat, Integer) { TFileStream(FileName, fmCreate); }

// A photograph-like raster: smooth light with a little grain.
std::unique_ptr<TCustomBitmap32> Raster()
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    std::mt19937 Random(3);
    for (Integer y = 0; y < H; ++y) {
        TColor32* Row = B->GetRowPtr(y);
        for (Integer x = 0; x < W; ++x) {
            const uint32_t g = Random() & 7;
            const uint32_t r = (x * 255 / W + g) & 0xFF, gr = (y * 255 / H + g) & 0xFF, b = ((x + y) / 28 + g) & 0xFF;
            Row[x] = 0xFF000000u | (r << 16) | (gr << 8) | b;
        }
    }
    return B;
}

struct TFixture {
    TTestView View;
    String Folder, Image;
    std::unique_ptr<TCustomBitmap32> Picture = Raster();
    std::unique_ptr<TImageDraw> Doc;
    TMemoryStream RasterBytes, Compressed;

    TFixture()
    {
        ImageDrawHooks.SaveImageFile = &NoImage;
        Folder = GetTempDirectory() + u"lm_bench_docfile\\";
        ForceDirectories(Folder);
        Image = Folder + u"big.png";
        NoImage(nullptr, Image, ifPng, 0);
        DeleteFile(Image + u".vuxa");
        Doc = std::make_unique<TImageDraw>(&View, nullptr, Picture.get(), nullptr, nullptr, Image, 0, false, false,
                                           nullptr, 1, 1, 0, false, 24);
        Doc->InitBitmap();
        std::mt19937 Random(5);
        for (Integer i = 0; i < 20; ++i) {
            TRow Row;
            Row.Init(String(99, u','), u',');
            static const TShapeType Kinds[] = {shRectangle, shEllipse, shLine, shSmall, shArrow};
            const TShapeType K = Kinds[i % 5];
            const Integer X = static_cast<Integer>(Random() % 3600), Y = static_cast<Integer>(Random() % 2600);
            for (auto [Col, Value] : {std::pair{1, Integer(K)}, {10, X}, {11, Y}, {12, X + 300}, {13, Y + 200},
                                      {14, 0xFF}, {15, 0xFF00}, {16, 255}, {18, 3}, {27, -1}, {28, -1}, {29, -1}})
                Row.GetItem(Col)->SetValue(Value);
            auto Small = std::make_unique<TCustomBitmap32>();
            Small->SetSize(256, 256);
            for (Integer y = 0; y < 256; ++y)
                for (Integer x = 0; x < 256; ++x) Small->SetPixel(x, y, 0xFF000000u | (x << 16) | (y << 8) | i);
            Doc->CreateShapeAuto(Row.ToString(true), Small.get(), 0, 0);
        }
        Doc->Draw();
        Picture->SaveToStream(&RasterBytes, true);
        ZCompressStream(&RasterBytes, &Compressed);
    }
    ~TFixture()
    {
        Doc.reset();
        DeleteFile(Image);
        DeleteFile(Image + u".vuxa");
        RemoveDir(ExcludeTrailingPathDelimiter(Folder));
    }
};

TFixture& Fixture()
{
    static TFixture F;
    return F;
}

void BM_SaveDocument(benchmark::State& State)
{
    TFixture& F = Fixture();
    for (auto _ : State) {
        F.Doc->SetChangedFlag(true);
        if (!F.Doc->Save()) State.SkipWithError("not saved");
    }
    State.counters["file_MB"] = static_cast<double>(FileSizeOf(F.Image + u".vuxa")) / 1e6;
    State.counters["objects"] = F.Doc->DT()->ItemCount();
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Zlib9Raster(benchmark::State& State)
{
    TFixture& F = Fixture();
    for (auto _ : State) {
        TMemoryStream Out;
        ZCompressStream(&F.RasterBytes, &Out);
        benchmark::DoNotOptimize(Out.Size());
    }
    State.counters["raster_MB"] = static_cast<double>(F.RasterBytes.Size()) / 1e6;
    State.counters["zlib_MB"] = static_cast<double>(F.Compressed.Size()) / 1e6;
}
BENCHMARK(BM_Zlib9Raster)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReopenDocument(benchmark::State& State)
{
    TFixture& F = Fixture();
    F.Doc->SetChangedFlag(true);
    F.Doc->Save();
    Integer Objects = 0;
    for (auto _ : State) {
        TImageDraw Again(&F.View, nullptr, F.Picture.get(), nullptr, nullptr, F.Image, 0, false, false, nullptr, 1, 1,
                         0, false, -1);
        Objects = Again.DT()->ItemCount();
        if (!Again.MsgString().empty()) State.SkipWithError("not read");
    }
    State.counters["objects"] = Objects;
}
BENCHMARK(BM_ReopenDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_InflateRaster(benchmark::State& State)
{
    TFixture& F = Fixture();
    for (auto _ : State) {
        TMemoryStream Out;
        ZDecompressStream(&Out, &F.Compressed);
        benchmark::DoNotOptimize(Out.Size());
    }
}
BENCHMARK(BM_InflateRaster)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace
