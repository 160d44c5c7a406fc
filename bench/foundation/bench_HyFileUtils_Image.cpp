// Whole image-file operations on one large picture, timed by this program
// (there is no Google Benchmark for the Windows builds): run under Wine by
// scripts/bench-images.sh, which times the reference tools beside it.
//   bench_HyFileUtils_Image PHOTO.jpg PHOTO.png OUTFOLDER [REPEATS]
// Prints one line per operation: name, median and fastest time in ms.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "foundation/win/HyFileUtils_Image.h"
#include "framework/runtime/Maths.h"
#include "framework/runtime/SysUtils.h"

namespace {

double NowMs()
{
    LARGE_INTEGER F, C;
    QueryPerformanceFrequency(&F);
    QueryPerformanceCounter(&C);
    return static_cast<double>(C.QuadPart) * 1000.0 / static_cast<double>(F.QuadPart);
}

void Time(const char* Name, Integer Repeats, const std::function<void()>& Operation)
{
    std::vector<double> Ms;
    for (Integer I = 0; I < Repeats; ++I) {
        double T0 = NowMs();
        Operation();
        Ms.push_back(NowMs() - T0);
    }
    std::sort(Ms.begin(), Ms.end());
    std::printf("%-28s %9.1f %9.1f\n", Name, Ms[Ms.size() / 2], Ms.front());
    std::fflush(stdout);
}

void Check(bool Ok, const char* What)
{
    if (!Ok) {
        std::fprintf(stderr, "failed: %s\n", What);
        std::exit(1);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_HyFileUtils_Image PHOTO.jpg PHOTO.png OUTFOLDER [REPEATS]\n");
        return 2;
    }
    const String Jpeg = reinterpret_cast<const char16_t*>(argv[1]);
    const String Png = reinterpret_cast<const char16_t*>(argv[2]);
    const String Out = IncludeTrailingPathDelimiter(reinterpret_cast<const char16_t*>(argv[3]));
    const Integer Repeats = argc > 4 ? Max(1, _wtoi(argv[4])) : 5;

    bool HasAlpha;
    Integer BitDepth;
    std::unique_ptr<TBitmap32> Photo = LoadImageToBitmap32(Jpeg, HasAlpha, BitDepth);
    Check(!Photo->Empty(), "decoding the JPEG");
    std::printf("# %dx%d, %d repeats; operation, median ms, fastest ms\n", Photo->Width(), Photo->Height(), Repeats);

    Time("decode_jpeg", Repeats, [&] { Check(!LoadImageToBitmap32(Jpeg, HasAlpha, BitDepth)->Empty(), "jpeg"); });
    Time("decode_jpeg_gdiplus", Repeats, [&] {
        Check(!GPBitmapToBitmap32(TGPBitmap::FromFile(Jpeg), HasAlpha, BitDepth)->Empty(), "jpeg through GDI+");
    });
    Time("decode_png", Repeats, [&] { Check(!LoadImageToBitmap32(Png, HasAlpha, BitDepth)->Empty(), "png"); });
    Time("save_jpeg_q80", Repeats, [&] { SaveBitmap32ToFile(Photo.get(), Out + u"out.jpg", ifJpg, 8); });
    Time("save_png", Repeats, [&] { SaveBitmap32ToFile(Photo.get(), Out + u"out.png", ifPng, 0); });
    Time("thumbnail_160x120_full", Repeats, [&] {
        TBitmap32 Thumb;
        Integer W, H;
        Check(LoadThumbnailFile(Jpeg, &Thumb, 160, 120, true, W, H), "full thumbnail");
    });
    Time("thumbnail_160x120_quick", Repeats, [&] {
        TBitmap32 Thumb;
        Integer W, H;
        Check(LoadThumbnailFile(Jpeg, &Thumb, 160, 120, false, W, H), "quick thumbnail");
    });
    return 0;
}
