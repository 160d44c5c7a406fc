#include "framework/graphics/win/PngImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <png.h>

#include "framework/graphics/PngEncoder.h"

namespace {

// Pictures above this many pixels are refused before anything is allocated.
constexpr uint64_t MaxPixels = MaxPicturePixels;

// libpng reports errors by longjmp. Everything it runs over is plain C data
// owned by these structures, released by whoever catches the jump; C++
// exceptions never pass through libpng.
struct TPngBuffer {
    uint8_t* Data = nullptr;
    size_t Size = 0;
    size_t Pos = 0;
};

struct TPngContext {
    TPngBuffer Buffer;
    char Message[200] = "";
};

void OnError(png_structp Png, png_const_charp Message)
{
    auto* ctx = static_cast<TPngContext*>(png_get_error_ptr(Png));
    std::snprintf(ctx->Message, sizeof ctx->Message, "%s", Message);
    png_longjmp(Png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadFromBuffer(png_structp Png, png_bytep Out, png_size_t Count)
{
    auto* ctx = static_cast<TPngContext*>(png_get_io_ptr(Png));
    if (ctx->Buffer.Size - ctx->Buffer.Pos < Count) png_error(Png, "unexpected end of data");
    std::memcpy(Out, ctx->Buffer.Data + ctx->Buffer.Pos, Count);
    ctx->Buffer.Pos += Count;
}

// The decoded picture: interleaved rows of blue, green, red (and alpha).
struct TDecoded {
    uint32_t Width = 0, Height = 0;
    bool Alpha = false;
    uint8_t* Pixels = nullptr;  // malloc'ed
    png_bytep* Rows = nullptr;  // malloc'ed
};

// False (with Ctx.Message) when the data is not a readable PNG.
bool Decode(TPngContext& Ctx, TDecoded& Out)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &Ctx, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        std::free(Out.Pixels);
        std::free(Out.Rows);
        Out.Pixels = nullptr;
        Out.Rows = nullptr;
        return false;
    }
    png_set_read_fn(png, &Ctx, ReadFromBuffer);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, type = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &type, &interlace, nullptr, nullptr);
    if (static_cast<uint64_t>(w) * h > MaxPixels) png_error(png, "picture too large");
    bool alpha = (type & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_scale_16(png);
    png_set_packing(png);
    if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != static_cast<size_t>(w) * (alpha ? 4 : 3)) png_error(png, "unexpected row layout");
    Out.Pixels = static_cast<uint8_t*>(std::malloc(rowBytes * h + 1));
    Out.Rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * h + 1));
    if (!Out.Pixels || !Out.Rows) png_error(png, "out of memory");
    for (png_uint_32 y = 0; y < h; ++y) Out.Rows[y] = Out.Pixels + rowBytes * y;
    png_read_image(png, Out.Rows);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    Out.Width = w;
    Out.Height = h;
    Out.Alpha = alpha;
    return true;
}

[[noreturn]] void Invalid(const char* Detail)
{
    throw EPNGError(u"PNG image is not valid" + (Detail && *Detail ? u" (" + Str(Detail) + u")" : String()));
}

uint32_t BigEndian32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}

}  // namespace

std::unique_ptr<TPngImage> TPngImage::CreateBlank(Cardinal ColorType, Cardinal BitDepth, Integer Width,
                                                  Integer Height)
{
    if ((ColorType != COLOR_RGB && ColorType != COLOR_RGBALPHA) || BitDepth != 8)
        throw EPNGError(u"Only 8-bit RGB and RGBA pictures can be created");
    if (Width <= 0 || Height <= 0) throw EPNGError(u"Invalid picture size");
    auto png = std::make_unique<TPngImage>();
    png->FColorType = static_cast<Byte>(ColorType);
    png->Resize(Width, Height);
    return png;
}

void TPngImage::Resize(Integer AWidth, Integer AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == FWidth && AHeight == FHeight) return;
    std::vector<uint8_t> rgb(static_cast<size_t>(AWidth) * AHeight * 3, 0);
    std::vector<uint8_t> alpha(FColorType == COLOR_RGBALPHA ? static_cast<size_t>(AWidth) * AHeight : 0, 0);
    Integer w = std::min(AWidth, FWidth);
    for (Integer y = 0; y < std::min(AHeight, FHeight); ++y) {
        std::memcpy(&rgb[static_cast<size_t>(y) * AWidth * 3], &FRgb[static_cast<size_t>(y) * FWidth * 3],
                    static_cast<size_t>(w) * 3);
        if (!alpha.empty())
            std::memcpy(&alpha[static_cast<size_t>(y) * AWidth], &FAlpha[static_cast<size_t>(y) * FWidth],
                        static_cast<size_t>(w));
    }
    FRgb = std::move(rgb);
    FAlpha = std::move(alpha);
    FWidth = AWidth;
    FHeight = AHeight;
    Changed();
}

uint8_t* TPngImage::Scanline(Integer Row)
{
    if (Row < 0 || Row >= FHeight) throw EInvalidGraphic(u"Scan line index out of range");
    return FRgb.data() + static_cast<size_t>(Row) * FWidth * 3;
}

uint8_t* TPngImage::AlphaScanline(Integer Row)
{
    if (FColorType != COLOR_RGBALPHA) return nullptr;
    if (Row < 0 || Row >= FHeight) throw EInvalidGraphic(u"Scan line index out of range");
    return FAlpha.data() + static_cast<size_t>(Row) * FWidth;
}

void TPngImage::Assign(TPersistent* Source)
{
    if (!Source) {
        FWidth = FHeight = 0;
        FRgb.clear();
        FAlpha.clear();
        FColorType = COLOR_RGB;
        Changed();
        return;
    }
    if (auto* p = dynamic_cast<TPngImage*>(Source)) {
        if (p == this) return;
        FWidth = p->FWidth;
        FHeight = p->FHeight;
        FColorType = p->FColorType;
        FRgb = p->FRgb;
        FAlpha = p->FAlpha;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        TDibImage img;
        b->GetDib(img);
        bool alpha = PixelFormatBits(img.PixelFormat) == 32 && b->AlphaFormat() != afIgnored;
        bool premultiplied = b->AlphaFormat() == afPremultiplied;
        FColorType = alpha ? COLOR_RGBALPHA : COLOR_RGB;
        FWidth = img.Empty() ? 0 : img.Width;
        FHeight = img.Empty() ? 0 : img.Height;
        FRgb.assign(static_cast<size_t>(FWidth) * FHeight * 3, 0);
        FAlpha.assign(alpha ? static_cast<size_t>(FWidth) * FHeight : 0, 0);
        std::vector<uint32_t> row(static_cast<size_t>(FWidth));
        for (Integer y = 0; y < FHeight; ++y) {
            DecodeScanline(img.ScanLine(y), img.PixelFormat, img.Palette, FWidth, row.data());
            uint8_t* rgb = Scanline(y);
            for (Integer x = 0; x < FWidth; ++x) {
                uint32_t c = row[x], a = c >> 24;
                uint32_t bgr[3] = {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF};
                for (int k = 0; k < 3; ++k) {
                    // Premultiplied colours back to straight ones: c * 255 / a, rounded.
                    uint32_t v = premultiplied && a ? std::min<uint32_t>((bgr[k] * 255 + a / 2) / a, 255) : bgr[k];
                    rgb[3 * x + k] = static_cast<uint8_t>(v);
                }
                if (alpha) FAlpha[static_cast<size_t>(y) * FWidth + x] = static_cast<uint8_t>(a);
            }
        }
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TPngImage::AssignTo(TPersistent* Dest)
{
    auto* b = dynamic_cast<TBitmap*>(Dest);
    if (!b) {
        TGraphic::AssignTo(Dest);
        return;
    }
    bool alpha = FColorType == COLOR_RGBALPHA;
    TDibImage img;
    img.Allocate(FWidth, FHeight, alpha ? pf32bit : pf24bit);
    for (Integer y = 0; y < FHeight && !img.Empty(); ++y) {
        const uint8_t* rgb = FRgb.data() + static_cast<size_t>(y) * FWidth * 3;
        uint8_t* dst = img.ScanLine(y);
        if (!alpha) {
            std::memcpy(dst, rgb, static_cast<size_t>(FWidth) * 3);
            continue;
        }
        const uint8_t* a = FAlpha.data() + static_cast<size_t>(y) * FWidth;
        for (Integer x = 0; x < FWidth; ++x) {
            dst[4 * x] = rgb[3 * x];
            dst[4 * x + 1] = rgb[3 * x + 1];
            dst[4 * x + 2] = rgb[3 * x + 2];
            dst[4 * x + 3] = a[x];
        }
    }
    b->SetDib(img);
    b->SetAlphaFormat(alpha ? afDefined : afIgnored);
}

void TPngImage::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (Empty()) return;
    TBitmap b;
    AssignTo(&b);
    b.Draw(ACanvas, R);
}

void TPngImage::LoadFromStream(TStream* Stream)
{
    // The chunks up to IEND, so that a PNG inside a larger stream is read exactly.
    Int64 avail = Stream->Size() - Stream->Position();
    static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (avail < 8) Invalid("too short");
    std::vector<uint8_t> data(8);
    Stream->ReadBuffer(data.data(), 8);
    if (std::memcmp(data.data(), Signature, 8) != 0) Invalid("no PNG signature");
    for (;;) {
        size_t at = data.size();
        if (static_cast<Int64>(at + 12) > avail) Invalid("unexpected end of data");
        data.resize(at + 8);
        Stream->ReadBuffer(data.data() + at, 8);
        uint64_t length = BigEndian32(data.data() + at);
        if (length > 0x7FFFFFFF || static_cast<Int64>(at + 12 + length) > avail) Invalid("unexpected end of data");
        data.resize(at + 12 + static_cast<size_t>(length));
        Stream->ReadBuffer(data.data() + at + 8, static_cast<Integer>(length + 4));
        if (std::memcmp(data.data() + at + 4, "IEND", 4) == 0) break;
    }

    TPngContext ctx;
    ctx.Buffer.Data = data.data();
    ctx.Buffer.Size = data.size();
    TDecoded out;
    if (!Decode(ctx, out)) Invalid(ctx.Message);
    FWidth = static_cast<Integer>(out.Width);
    FHeight = static_cast<Integer>(out.Height);
    FColorType = out.Alpha ? COLOR_RGBALPHA : COLOR_RGB;
    size_t n = static_cast<size_t>(FWidth) * FHeight;
    FRgb.resize(n * 3);
    FAlpha.assign(out.Alpha ? n : 0, 0);
    if (!out.Alpha) {
        std::memcpy(FRgb.data(), out.Pixels, n * 3);
    } else {
        for (size_t i = 0; i < n; ++i) {
            std::memcpy(&FRgb[3 * i], out.Pixels + 4 * i, 3);
            FAlpha[i] = out.Pixels[4 * i + 3];
        }
    }
    std::free(out.Pixels);
    std::free(out.Rows);
    Changed();
}

void TPngImage::SaveToStream(TStream* Stream)
{
    if (Empty()) throw EPNGError(u"Cannot save an empty PNG image");
    const bool alpha = FColorType == COLOR_RGBALPHA;
    EncodePng(
        FWidth, FHeight, alpha,
        [&](Integer y, uint8_t* out) {
            const uint8_t* bgr = FRgb.data() + static_cast<size_t>(y) * FWidth * 3;
            const uint8_t* a = alpha ? FAlpha.data() + static_cast<size_t>(y) * FWidth : nullptr;
            for (Integer x = 0; x < FWidth; ++x, bgr += 3) {
                *out++ = bgr[2];
                *out++ = bgr[1];
                *out++ = bgr[0];
                if (a) *out++ = a[x];
            }
        },
        [Stream](const uint8_t* data, size_t size) { Stream->WriteBuffer(data, static_cast<Integer>(size)); });
}
