// The peers of the image-file benchmark (scripts/bench-images.sh), on the
// host, in one process each and in memory as the program's figures are:
// TurboJPEG decoding the JPEG's bytes (into a buffer that is new each time,
// as opening a picture makes a new bitmap, and into a reused one) and
// encoding them again at quality 80, libvips
// making thumbnails of the file (one process for all of them, its operation
// cache off), and Pillow (one Python process timing itself) saving the photo
// as PNG into memory at its default and other levels and opening the PNG
// from memory.
//   peers_Images PHOTO.jpg PHOTO.png [REPEATS]
// Prints the lines of bench_HyFileUtils_Image: name, median and fastest ms.
#include <turbojpeg.h>
#include <vips/vips.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "PeerScripts.h"

namespace {

void Time(const std::string& Name, int Repeats, const std::function<void()>& Operation)
{
    std::vector<double> Ms;
    for (int I = 0; I < Repeats; ++I) {
        const auto T0 = std::chrono::steady_clock::now();
        Operation();
        Ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - T0).count());
    }
    std::sort(Ms.begin(), Ms.end());
    std::printf("%-34s %9.1f %9.1f\n", Name.c_str(), Ms[Ms.size() / 2], Ms.front());
    std::fflush(stdout);
}

void Check(bool Ok, const char* What)
{
    if (!Ok) {
        std::fprintf(stderr, "failed: %s\n", What);
        std::exit(1);
    }
}

// Pillow on the same files: the picture decoded before the timing, PNG
// written into memory; Pillow works on one thread.
const char* const PillowScript = R"PY(
import io, sys, time
from PIL import Image
jpeg, png, reps = sys.argv[1], sys.argv[2], int(sys.argv[3])
im = Image.open(jpeg); im.load()
def timed(name, op, n=reps):
    op(); ts = []
    for _ in range(n):
        t0 = time.perf_counter(); op(); ts.append(time.perf_counter() - t0)
    ts.sort(); print(name, ts[len(ts) // 2], flush=True)
for level in (1, 6, 9):
    out = io.BytesIO()
    def save(level=level):
        out.seek(0); out.truncate(); im.save(out, 'PNG', compress_level=level)
    timed('pillow_png_level%d' % level, save, reps if level == 1 else max(1, reps // 2))
    print('pillow_png_level%d_bytes' % level, len(out.getvalue()), flush=True)
data = open(png, 'rb').read()
def open_png():
    i = Image.open(io.BytesIO(data)); i.load()
timed('pillow_open_png', open_png)
jdata = open(jpeg, 'rb').read()
def open_jpeg():
    i = Image.open(io.BytesIO(jdata)); i.load()
timed('pillow_open_jpeg', open_jpeg)
)PY";

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: peers_Images PHOTO.jpg PHOTO.png [REPEATS]\n");
        return 2;
    }
    const std::string Jpeg = argv[1], Png = argv[2];
    const int Repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    std::ifstream In(Jpeg, std::ios::binary);
    const std::vector<unsigned char> Data((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    Check(!Data.empty(), "reading the JPEG");

    tjhandle Tj = tjInitDecompress();
    int W = 0, H = 0, Sub = 0, Space = 0;
    Check(tjDecompressHeader3(Tj, Data.data(), Data.size(), &W, &H, &Sub, &Space) == 0, "JPEG header");
    const size_t Bytes = size_t(W) * H * 4;
    auto Decode = [&](unsigned char* Out) {
        Check(tjDecompress2(Tj, Data.data(), Data.size(), Out, W, W * 4, H, TJPF_BGRA, 0) == 0, "TurboJPEG");
    };
    Time("peer_turbojpeg_new_buffer", Repeats, [&] {
        std::vector<unsigned char> Out(Bytes);  // fresh pages, as a new bitmap has
        Decode(Out.data());
    });
    std::vector<unsigned char> Reused(Bytes);
    Decode(Reused.data());
    Time("peer_turbojpeg_reused_buffer", Repeats, [&] { Decode(Reused.data()); });
    tjDestroy(Tj);
    // Encoding at quality 80 with 4:2:0 chroma, as the program's writer does.
    tjhandle Enc = tjInitCompress();
    Time("peer_turbojpeg_encode_q80", Repeats, [&] {
        unsigned char* Jpeg = nullptr;
        unsigned long Size = 0;
        Check(tjCompress2(Enc, Reused.data(), W, W * 4, H, TJPF_BGRA, &Jpeg, &Size, TJSAMP_420, 80, 0) == 0,
              "TurboJPEG encode");
        tjFree(Jpeg);
    });
    tjDestroy(Enc);

    if (VIPS_INIT(argv[0]) == 0) {
        vips_cache_set_max(0);
        vips_concurrency_set(1);
        Time("peer_vips_thumbnail_1_thread", Repeats, [&] {
            VipsImage* T = nullptr;
            Check(vips_thumbnail(Jpeg.c_str(), &T, 160, "height", 120, nullptr) == 0, "vips_thumbnail");
            size_t Size = 0;
            void* Mem = vips_image_write_to_memory(T, &Size);
            g_free(Mem);
            g_object_unref(T);
        });
    }

    const std::string Script = BenchTempPath("peers_Images_pillow.py");
    Check(WriteBenchFile(Script, PillowScript, std::strlen(PillowScript)), "writing the Pillow script");
    for (const auto& [Name, Seconds] : RunTimingScript(Script, Jpeg + " " + Png + " " + std::to_string(Repeats))) {
        if (Name.size() > 6 && Name.compare(Name.size() - 6, 6, "_bytes") == 0)
            std::printf("%-34s %9.0f\n", Name.c_str(), Seconds);
        else
            std::printf("%-34s %9.1f %9.1f\n", Name.c_str(), Seconds * 1000, Seconds * 1000);
    }
    std::remove(Script.c_str());
    return 0;
}
