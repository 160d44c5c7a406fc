// PNG decoding in memory: the program's decoder (libpng straight into the
// bitmap's rows, 8-bit BGRA) against Pillow decoding the same bytes
// (Image.open on the bytes, then load), on a 6000 x 4000 photo-like RGB PNG
// written with libpng's default compression and filters. Both decode every
// pixel; ours also expands to four bytes a pixel, which the editor needs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <png.h>

#include "PeerScripts.h"
#include "foundation/HyFileUtils_Decode.h"

namespace {

constexpr int W = 6000, H = 4000;

void PngAppend(png_structp Png, png_bytep Data, size_t Length)
{
    auto* Out = static_cast<std::string*>(png_get_io_ptr(Png));
    Out->append(reinterpret_cast<const char*>(Data), Length);
}
void PngNoFlush(png_structp) {}

// Smooth colour with grain: compresses about as a photo does.
const std::string& Photo()
{
    static const std::string Bytes = [] {
        std::string Out;
        png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop Info = png_create_info_struct(Png);
        png_set_write_fn(Png, &Out, PngAppend, PngNoFlush);
        png_set_IHDR(Png, Info, W, H, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(Png, Info);
        std::vector<png_byte> Row(size_t(W) * 3);
        uint32_t Seed = 7;
        for (int Y = 0; Y < H; ++Y) {
            for (int X = 0; X < W; ++X) {
                Seed = Seed * 1103515245u + 12345u;
                const int Grain = int(Seed >> 29) - 4;
                Row[3 * X] = png_byte(std::clamp(X * 255 / W + Grain, 0, 255));
                Row[3 * X + 1] = png_byte(std::clamp(Y * 255 / H + Grain, 0, 255));
                Row[3 * X + 2] = png_byte(std::clamp((X + Y) * 255 / (W + H) + Grain, 0, 255));
            }
            png_write_row(Png, Row.data());
        }
        png_write_end(Png, Info);
        png_destroy_write_struct(&Png, &Info);
        return Out;
    }();
    return Bytes;
}

void BM_DecodePng(benchmark::State& S)
{
    const std::string& Bytes = Photo();
    TMemoryStream Stream;
    Stream.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
    TCustomBitmap32 Bitmap;
    for (auto _ : S) {
        Stream.SetPosition(0);
        bool HasAlpha;
        Integer BitDepth;
        if (DecodePng(&Stream, &Bitmap, HasAlpha, BitDepth) != ilrLoaded) S.SkipWithError("not decoded");
        benchmark::DoNotOptimize(Bitmap.Bits());
    }
    S.SetItemsProcessed(S.iterations() * int64_t(W) * H);
}
BENCHMARK(BM_DecodePng)->Name("ours/decode_png")->Unit(benchmark::kMillisecond)->UseRealTime();

const char* const PillowScript = R"PY(
import io, sys, time
from PIL import Image
data = open(sys.argv[1], 'rb').read()
def decode():
    im = Image.open(io.BytesIO(data))
    im.load()
decode()
runs = []
for _ in range(5):
    t = time.perf_counter()
    decode()
    runs.append(time.perf_counter() - t)
runs.sort()
print('decode_png', runs[len(runs) // 2])
)PY";

void BM_PillowDecodePng(benchmark::State& S)
{
    static const std::map<std::string, double> Times = [] {
        std::map<std::string, double> T;
        const std::string Script = BenchTempPath("bench_Decode_pillow.py"), Path = BenchTempPath("bench_Decode.png");
        const std::string& Bytes = Photo();
        if (WriteBenchFile(Script, PillowScript, std::strlen(PillowScript)) &&
            WriteBenchFile(Path, Bytes.data(), Bytes.size()))
            T = RunTimingScript(Script, Path);
        std::remove(Path.c_str());
        std::remove(Script.c_str());
        return T;
    }();
    const auto It = Times.find("decode_png");
    if (It == Times.end()) {
        S.SkipWithError("Pillow did not run");
        return;
    }
    for (auto _ : S) S.SetIterationTime(It->second);
    S.SetItemsProcessed(S.iterations() * int64_t(W) * H);
}
BENCHMARK(BM_PillowDecodePng)->Name("pillow/decode_png")->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace
