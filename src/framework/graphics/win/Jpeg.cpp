#include "framework/graphics/win/Jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace {

constexpr uint64_t MaxPixels = MaxPicturePixels;

// libjpeg reports fatal errors through error_exit, which jumps back here; only
// C data lies between the jump and its target.
struct TJpegError {
    jpeg_error_mgr Manager;
    jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
    uint8_t* Row = nullptr;  // malloc'ed work row, freed after a jump too
};

void OnErrorExit(j_common_ptr Info)
{
    auto* err = reinterpret_cast<TJpegError*>(Info->err);
    err->Manager.format_message(Info, err->Message);
    longjmp(err->Jump, 1);
}

void OnOutputMessage(j_common_ptr) {}

[[noreturn]] void Invalid(const char* Detail)
{
    throw EJPEG(u"JPEG image is not valid" + (Detail && *Detail ? u" (" + Str(Detail) + u")" : String()));
}

// Decodes into Image (pf24bit); false with Err.Message on failure.
bool Decode(const uint8_t* Data, size_t Size, TDibImage& Image, TJpegError& Err)
{
    jpeg_decompress_struct cinfo;
    cinfo.err = jpeg_std_error(&Err.Manager);
    Err.Manager.error_exit = OnErrorExit;
    Err.Manager.output_message = OnOutputMessage;
    Err.Message[0] = 0;
    if (setjmp(Err.Jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::free(Err.Row);
        Err.Row = nullptr;
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, Data, static_cast<unsigned long>(Size));
    jpeg_read_header(&cinfo, TRUE);
    bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    uint64_t pixels = static_cast<uint64_t>(cinfo.output_width) * cinfo.output_height;
    if (pixels > MaxPixels || pixels == 0) {
        std::snprintf(Err.Message, sizeof Err.Message, "unsupported size");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    // Allocation may throw: no libjpeg code is running now, but its state must go.
    try {
        Image.Allocate(static_cast<Integer>(cinfo.output_width), static_cast<Integer>(cinfo.output_height), pf24bit);
    } catch (...) {
        jpeg_destroy_decompress(&cinfo);
        throw;
    }
    if (cmyk) {
        Err.Row = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(cinfo.output_width) * 4));
        if (!Err.Row) {
            jpeg_destroy_decompress(&cinfo);
            throw EOutOfMemory(u"Out of memory");
        }
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        Integer y = static_cast<Integer>(cinfo.output_scanline);
        JSAMPROW row = cmyk ? Err.Row : Image.ScanLine(y);
        jpeg_read_scanlines(&cinfo, &row, 1);
        if (cmyk) {
            // Adobe writes CMYK inverted (255 = no ink); others store ink amounts.
            const uint8_t* src = Err.Row;
            uint8_t* dst = Image.ScanLine(y);
            for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
                int c = src[4 * x], m = src[4 * x + 1], ye = src[4 * x + 2], k = src[4 * x + 3];
                if (!cinfo.saw_Adobe_marker) c = 255 - c, m = 255 - m, ye = 255 - ye, k = 255 - k;
                // Each colour: (1 - ink) * (1 - black), as bytes with rounding.
                dst[3 * x + 2] = static_cast<uint8_t>((c * k + 127) / 255);
                dst[3 * x + 1] = static_cast<uint8_t>((m * k + 127) / 255);
                dst[3 * x] = static_cast<uint8_t>((ye * k + 127) / 255);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::free(Err.Row);
    Err.Row = nullptr;
    return true;
}

// Encodes pf24bit Image; Out is malloc'ed by libjpeg (free it). False on failure.
bool Encode(const TDibImage& Image, int Quality, unsigned char** Out, unsigned long* OutSize, TJpegError& Err)
{
    jpeg_compress_struct cinfo;
    cinfo.err = jpeg_std_error(&Err.Manager);
    Err.Manager.error_exit = OnErrorExit;
    Err.Manager.output_message = OnOutputMessage;
    Err.Message[0] = 0;
    if (setjmp(Err.Jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, Out, OutSize);
    cinfo.image_width = static_cast<JDIMENSION>(Image.Width);
    cinfo.image_height = static_cast<JDIMENSION>(Image.Height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, Quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(Image.ScanLine(static_cast<Integer>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::Empty() const { return FData.empty() && (!FBitmap || FBitmap->Empty()); }

Integer TJPEGImage::Width() const { return FBitmap ? FBitmap->Width() : 0; }

Integer TJPEGImage::Height() const { return FBitmap ? FBitmap->Height() : 0; }

void TJPEGImage::SetWidth(Integer Value)
{
    if (Value != Width()) throw EInvalidGraphicOperation(u"Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(Integer Value)
{
    if (Value != Height()) throw EInvalidGraphicOperation(u"Cannot change the size of a JPEG image");
}

void TJPEGImage::SetCompressionQuality(TJPEGQualityRange Value) { FQuality = std::clamp<Integer>(Value, 1, 100); }

void TJPEGImage::Assign(TPersistent* Source)
{
    if (!Source) {
        FData.clear();
        FBitmap.reset();
        Changed();
        return;
    }
    if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
        if (j == this) return;
        FData = j->FData;
        FQuality = j->FQuality;
        if (j->FBitmap) {
            FBitmap = std::make_unique<TBitmap>();
            FBitmap->Assign(j->FBitmap.get());
        } else {
            FBitmap.reset();
        }
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(b);
        copy->SetPixelFormat(pf24bit);
        FBitmap = std::move(copy);
        FData.clear();
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest)
{
    if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
        DIBNeeded();
        if (FBitmap) b->Assign(FBitmap.get());
        else b->Assign(nullptr);
        return;
    }
    TGraphic::AssignTo(Dest);
}

void TJPEGImage::DIBNeeded()
{
    if (FBitmap || FData.empty()) return;
    TDibImage img;
    TJpegError err;
    if (!Decode(FData.data(), FData.size(), img, err)) Invalid(err.Message);
    auto b = std::make_unique<TBitmap>();
    b->SetDib(img);
    FBitmap = std::move(b);
}

void TJPEGImage::Compress()
{
    if (!FBitmap || FBitmap->Empty()) throw EJPEG(u"There is no picture to compress");
    TDibImage img;
    FBitmap->GetDib(img);
    if (img.PixelFormat != pf24bit) img = ConvertDib(img, pf24bit);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    TJpegError err;
    bool ok = Encode(img, FQuality, &out, &size, err);
    std::unique_ptr<unsigned char, decltype(&std::free)> hold(out, &std::free);
    if (!ok) throw EJPEG(u"Cannot compress the JPEG image (" + Str(err.Message) + u")");
    FData.assign(out, out + size);
}

void TJPEGImage::JPEGNeeded()
{
    if (FData.empty()) Compress();
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& R)
{
    DIBNeeded();
    if (FBitmap) FBitmap->Draw(ACanvas, R);
}

void TJPEGImage::LoadFromStream(TStream* Stream)
{
    Int64 n = Stream->Size() - Stream->Position();
    if (n <= 0 || n > 0x7FFFFFFF) Invalid("no data");
    std::vector<uint8_t> data(static_cast<size_t>(n));
    Stream->ReadBuffer(data.data(), static_cast<Integer>(n));
    TDibImage img;
    TJpegError err;
    if (!Decode(data.data(), data.size(), img, err)) Invalid(err.Message);
    auto b = std::make_unique<TBitmap>();
    b->SetDib(img);
    FBitmap = std::move(b);
    FData = std::move(data);
    Changed();
}

void TJPEGImage::SaveToStream(TStream* Stream)
{
    JPEGNeeded();
    Stream->WriteBuffer(FData.data(), static_cast<Integer>(FData.size()));
}
