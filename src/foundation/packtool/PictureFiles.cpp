#include "PictureFiles.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/Classes.h"

namespace Files {

namespace {

using Bytes = std::vector<uint8_t>;

Bytes StreamBytes(TMemoryStream& Stream)
{
    const auto* P = static_cast<const uint8_t*>(Stream.Memory());
    return Bytes(P, P + Stream.Size());
}

// Row Y as R, G, B (and A) bytes.
void RowBytes(const Kit::TImage& Image, int Y, bool Alpha, uint8_t* Out)
{
    for (int X = 0; X < Image.Width(); ++X) {
        const TColor32 C = Image.Pixel(X, Y);
        *Out++ = uint8_t(C >> 16);
        *Out++ = uint8_t(C >> 8);
        *Out++ = uint8_t(C);
        if (Alpha) *Out++ = uint8_t(C >> 24);
    }
}

// The libraries' errors end the tool: nothing is unwound through their C frames.
[[noreturn]] void Fail(const char* Library, const char* Message)
{
    std::fprintf(stderr, "MakeStockContent: %s: %s\n", Library, Message);
    std::exit(1);
}

[[noreturn]] void JpegError(j_common_ptr Info)
{
    char Text[JMSG_LENGTH_MAX];
    (*Info->err->format_message)(Info, Text);
    Fail("libjpeg", Text);
}

// A compressor destroyed on every way out.
struct TJpegCompressor {
    jpeg_compress_struct Info{};
    jpeg_error_mgr Errors{};
    TJpegCompressor()
    {
        Info.err = jpeg_std_error(&Errors);
        Errors.error_exit = JpegError;
        jpeg_create_compress(&Info);
    }
    ~TJpegCompressor() { jpeg_destroy_compress(&Info); }
};

struct TPngWriter {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    TPngWriter()
    {
        Png = png_create_write_struct(
            PNG_LIBPNG_VER_STRING, nullptr, [](png_structp, png_const_charp Message) { Fail("libpng", Message); },
            nullptr);
        if (!Png) Fail("libpng", "out of memory");
        Info = png_create_info_struct(Png);
    }
    ~TPngWriter() { png_destroy_write_struct(&Png, &Info); }
};

}  // namespace

Bytes EncodeJpeg(const Kit::TImage& Image, int Quality)
{
    const int W = Image.Width(), H = Image.Height();
    if (W <= 0 || H <= 0) throw std::runtime_error("JPEG: empty picture");
    TJpegCompressor C;
    unsigned char* Out = nullptr;
    unsigned long OutSize = 0;
    jpeg_mem_dest(&C.Info, &Out, &OutSize);
    C.Info.image_width = JDIMENSION(W);
    C.Info.image_height = JDIMENSION(H);
    C.Info.input_components = 3;
    C.Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&C.Info);
    jpeg_set_quality(&C.Info, Quality, TRUE);
    // 4:2:0 for larger pictures, full colour for the small ones.
    const int Sampling = W * H >= 100000 ? 2 : 1;
    C.Info.comp_info[0].h_samp_factor = C.Info.comp_info[0].v_samp_factor = Sampling;
    C.Info.optimize_coding = TRUE;
    C.Info.dct_method = JDCT_ISLOW;  // the same bits on every processor
    jpeg_start_compress(&C.Info, TRUE);
    std::vector<uint8_t> Row(size_t(W) * 3);
    while (C.Info.next_scanline < C.Info.image_height) {
        RowBytes(Image, int(C.Info.next_scanline), false, Row.data());
        JSAMPROW P = Row.data();
        jpeg_write_scanlines(&C.Info, &P, 1);
    }
    jpeg_finish_compress(&C.Info);
    Bytes Result(Out, Out + OutSize);
    std::free(Out);
    return Result;
}

Bytes EncodePng(const Kit::TImage& Image, bool Alpha)
{
    const int W = Image.Width(), H = Image.Height();
    if (W <= 0 || H <= 0) throw std::runtime_error("PNG: empty picture");
    TPngWriter P;
    Bytes Result;
    png_set_write_fn(
        P.Png, &Result,
        [](png_structp Png, png_bytep Data, png_size_t Size) {
            auto* Out = static_cast<Bytes*>(png_get_io_ptr(Png));
            Out->insert(Out->end(), Data, Data + Size);
        },
        nullptr);
    png_set_IHDR(P.Png, P.Info, png_uint_32(W), png_uint_32(H), 8, Alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(P.Png, 9);
    png_write_info(P.Png, P.Info);
    std::vector<uint8_t> Row(size_t(W) * (Alpha ? 4 : 3));
    for (int Y = 0; Y < H; ++Y) {
        RowBytes(Image, Y, Alpha, Row.data());
        png_write_row(P.Png, Row.data());
    }
    png_write_end(P.Png, nullptr);
    return Result;
}

Bytes EncodeBmp24(const Kit::TImage& Image)
{
    const Kit::TImage Flat = Image.Flattened(Kit::Rgb(0xFFFFFF));
    TDibImage Dib;
    Dib.Allocate(Flat.Width(), Flat.Height(), pf24bit);
    for (int Y = 0; Y < Flat.Height(); ++Y)
        EncodeScanline(Flat.Bitmap()->GetPixelPtr(0, Y), pf24bit, Flat.Width(), Dib.ScanLine(Y));
    TMemoryStream Stream;
    WriteBmp(&Stream, Dib);
    return StreamBytes(Stream);
}

Bytes EncodeBitmap32(const Kit::TImage& Image)
{
    TMemoryStream Stream;
    Image.Bitmap()->SaveToStream(&Stream, false);
    return StreamBytes(Stream);
}

}  // namespace Files
