// Whole image-file operations on one large picture, timed by this program
// (there is no Google Benchmark for the Windows builds): run under Wine by
// scripts/bench-images.sh, which times the peers on the host beside it.
//   bench_HyFileUtils_Image PHOTO.jpg PHOTO.png OUTFOLDER [REPEATS [PHOTO36.jpg]]
// Prints one line per operation: name, median and fastest time in ms, and
// for the PNG writer the file's size in bytes. With a 36-megapixel JPEG
// (beyond the document's size limit, which the decoders do not apply) it also
// times opening it and its thumbnail.
//   bench_HyFileUtils_Image --peak none|thumbnail|open PHOTO36.jpg
// does only that one thing and ends: scripts/bench-images.sh takes each
// run's peak memory from outside (the system's count of the process) and
// subtracts the run that does nothing.
//
// Besides the program's own operations (file in, bitmap out; bitmap in, file
// out) it times the parts a peer's in-memory figure stands for: the JPEG
// decoded from bytes in memory into a bitmap that is new each time (what
// opening does) and into one that is reused, and the PNG encoded in memory
// on one thread and on every processor at each compression level.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <csetjmp>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "filters/FiltersStartup.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "foundation/win/HyMediaPack_Win.h"
#include "framework/graphics/PngEncoder.h"
#include "framework/runtime/Maths.h"
#include "framework/runtime/SysUtils.h"
#include "WinTiming.h"

namespace {

void Time(const std::string& Name, Integer Repeats, const std::function<void()>& Operation,
          const std::function<std::string()>& Extra = {})
{
    std::vector<double> Ms;
    for (Integer I = 0; I < Repeats; ++I) {
        double T0 = NowMs();
        Operation();
        Ms.push_back(NowMs() - T0);
    }
    std::sort(Ms.begin(), Ms.end());
    std::printf("%-34s %9.1f %9.1f %s\n", Name.c_str(), Ms[Ms.size() / 2], Ms.front(), Extra ? Extra().c_str() : "");
    std::fflush(stdout);
}

void Check(bool Ok, const char* What)
{
    if (!Ok) {
        std::fprintf(stderr, "failed: %s\n", What);
        std::exit(1);
    }
}

std::vector<uint8_t> ReadFile(const String& Name)
{
    TFileStream F(Name, fmOpenRead | fmShareDenyNone);
    std::vector<uint8_t> Data(static_cast<size_t>(F.Size()));
    F.ReadBuffer(Data.data(), static_cast<Integer>(Data.size()));
    return Data;
}

struct TJumpError {
    jpeg_error_mgr Manager;
    jmp_buf Jump;
};

// The decoder's settings of the program's JPEG path (libjpeg-turbo, BGRA
// rows straight into the bitmap), from bytes in memory.
void DecodeInto(const std::vector<uint8_t>& Data, TBitmap32& Bitmap)
{
    jpeg_decompress_struct Info;
    TJumpError Err;
    Info.err = jpeg_std_error(&Err.Manager);
    Err.Manager.error_exit = [](j_common_ptr C) { std::longjmp(reinterpret_cast<TJumpError*>(C->err)->Jump, 1); };
    if (setjmp(Err.Jump)) Check(false, "jpeg data");
    jpeg_create_decompress(&Info);
    jpeg_mem_src(&Info, Data.data(), static_cast<unsigned long>(Data.size()));
    jpeg_read_header(&Info, TRUE);
    Info.out_color_space = JCS_EXT_BGRA;
    jpeg_calc_output_dimensions(&Info);
    if (Bitmap.Width() != Integer(Info.output_width) || Bitmap.Height() != Integer(Info.output_height))
        Bitmap.SetSize(Integer(Info.output_width), Integer(Info.output_height));
    jpeg_start_decompress(&Info);
    while (Info.output_scanline < Info.output_height) {
        JSAMPROW Rows[16];
        const JDIMENSION Count = std::min<JDIMENSION>(16, Info.output_height - Info.output_scanline);
        for (JDIMENSION I = 0; I < Count; ++I)
            Rows[I] = reinterpret_cast<JSAMPROW>(Bitmap.GetRowPtr(Integer(Info.output_scanline + I)));
        jpeg_read_scanlines(&Info, Rows, Count);
    }
    jpeg_finish_decompress(&Info);
    jpeg_destroy_decompress(&Info);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"--peak") {
        InstallFilters();
        InstallMediaPackPlatform();
        const std::wstring Mode = argv[2];
        const String Large = reinterpret_cast<const char16_t*>(argv[3]);
        bool HasAlpha;
        Integer BitDepth, W, H;
        TBitmap32 Thumb;
        if (Mode == L"thumbnail") Check(LoadThumbnailFile(Large, &Thumb, 160, 120, true, W, H), "36 MP thumbnail");
        if (Mode == L"open") Check(!LoadImageToBitmap32(Large, HasAlpha, BitDepth)->Empty(), "36 MP");
        return 0;
    }
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_HyFileUtils_Image PHOTO.jpg PHOTO.png OUTFOLDER [REPEATS]\n");
        return 2;
    }
    InstallFilters();
    InstallMediaPackPlatform();
    const String Jpeg = reinterpret_cast<const char16_t*>(argv[1]);
    const String Png = reinterpret_cast<const char16_t*>(argv[2]);
    const String Out = IncludeTrailingPathDelimiter(reinterpret_cast<const char16_t*>(argv[3]));
    const Integer Repeats = argc > 4 ? Max(1, _wtoi(argv[4])) : 5;

    bool HasAlpha;
    Integer BitDepth;
    std::unique_ptr<TBitmap32> Photo = LoadImageToBitmap32(Jpeg, HasAlpha, BitDepth);
    Check(!Photo->Empty(), "decoding the JPEG");
    std::printf("# %dx%d, %d repeats; operation, median ms, fastest ms\n", Photo->Width(), Photo->Height(), Repeats);

    const std::vector<uint8_t> JpegBytes = ReadFile(Jpeg);
    Time("open_jpeg", Repeats, [&] { Check(!LoadImageToBitmap32(Jpeg, HasAlpha, BitDepth)->Empty(), "jpeg"); });
    Time("jpeg_memory_new_bitmap", Repeats, [&] {
        TBitmap32 B;
        DecodeInto(JpegBytes, B);
    });
    TBitmap32 Reused;
    DecodeInto(JpegBytes, Reused);
    Time("jpeg_memory_reused_bitmap", Repeats, [&] { DecodeInto(JpegBytes, Reused); });
    Time("new_bitmap_first_touch", Repeats, [&] {
        TBitmap32 B;
        B.SetSize(Photo->Width(), Photo->Height());
        const size_t Words = size_t(B.Width()) * B.Height();
        for (size_t I = 0; I < Words; I += 1024) B.Bits()[I] = 0;
    });
    Time("open_jpeg_gdiplus", Repeats, [&] {
        Check(!GPBitmapToBitmap32(TGPBitmap::FromFile(Jpeg), HasAlpha, BitDepth)->Empty(), "jpeg through GDI+");
    });
    Time("open_png", Repeats, [&] { Check(!LoadImageToBitmap32(Png, HasAlpha, BitDepth)->Empty(), "png"); });
    Time("save_jpeg_q80", Repeats, [&] { SaveBitmap32ToFile(Photo.get(), Out + u"out.jpg", ifJpg, 8); });
    Time("save_png", Repeats, [&] { SaveBitmap32ToFile(Photo.get(), Out + u"out.png", ifPng, 0); });

    // The encoder alone, in memory, with the file's size.
    const Integer W = Photo->Width();
    const TPngRowReader Rgb = [&](Integer Y, uint8_t* Row) {
        const TColor32* Src = Photo->GetRowPtr(Y);
        for (Integer X = 0; X < W; ++X) {
            *Row++ = static_cast<uint8_t>(Src[X] >> 16);
            *Row++ = static_cast<uint8_t>(Src[X] >> 8);
            *Row++ = static_cast<uint8_t>(Src[X]);
        }
    };
    for (Integer Level : {PngFastestLevel, PngDefaultLevel, 9, PngMaxLevel})
        for (Integer Threads : {1, 0}) {
            size_t Size = 0;
            const std::string Name = "png_memory_level" + std::to_string(Level) + (Threads ? "_1_thread" : "_all_threads");
            // Level 12 on one thread takes long: fewer repeats.
            const Integer N = Level == PngMaxLevel && Threads == 1 ? 1 : Repeats;
            Time(Name, N, [&] { Size = EncodePng(W, Photo->Height(), false, Rgb, Level, Threads).size(); },
                 [&] { return "bytes=" + std::to_string(Size); });
        }
    Time("thumbnail_160x120_full", Repeats, [&] {
        TBitmap32 Thumb;
        Integer TW, TH;
        Check(LoadThumbnailFile(Jpeg, &Thumb, 160, 120, true, TW, TH), "full thumbnail");
    });
    Time("thumbnail_160x120_quick", Repeats, [&] {
        TBitmap32 Thumb;
        Integer TW, TH;
        Check(LoadThumbnailFile(Jpeg, &Thumb, 160, 120, false, TW, TH), "quick thumbnail");
    });
    if (argc > 5) {
        const String Large = reinterpret_cast<const char16_t*>(argv[5]);
        std::unique_ptr<TBitmap32> Whole = LoadImageToBitmap32(Large, HasAlpha, BitDepth);
        Check(!Whole->Empty(), "decoding the 36 MP JPEG");
        std::printf("# 36 MP: %dx%d\n", Whole->Width(), Whole->Height());
        Whole.reset();
        Time("open_jpeg_36mp", Repeats, [&] { Check(!LoadImageToBitmap32(Large, HasAlpha, BitDepth)->Empty(), "36 MP"); });
        Time("thumbnail_36mp_full", Repeats, [&] {
            TBitmap32 Thumb;
            Integer W, H;
            Check(LoadThumbnailFile(Large, &Thumb, 160, 120, true, W, H), "36 MP thumbnail");
        });
    }
    return 0;
}
