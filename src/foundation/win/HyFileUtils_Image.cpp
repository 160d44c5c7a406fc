#include "foundation/win/HyFileUtils_Image.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "filters/HyRas32Filters.h"
#include "foundation/HyFileUtils_Decode.h"
#include "framework/graphics/ColorQuantizer.h"
#include "framework/graphics/PngEncoder.h"
#include "framework/graphics/win/Jpeg.h"
#include "framework/runtime/Maths.h"
#include "framework/runtime/win/Classes_Win.h"
#include "framework/graphics/win/PngImage.h"
#include "framework/runtime/SysUtils.h"

namespace {

// The depth a GDI+ pixel format stands for: indexed, 16-bit and 24-bit
// formats by their bits, everything else (alpha, 48 and 64 bits, CMYK) 32.
Integer BitDepthOfPixelFormat(Integer Format)
{
    switch (Format) {
        case PixelFormat1bppIndexed: return 1;
        case PixelFormat4bppIndexed: return 4;
        case PixelFormat8bppIndexed: return 8;
        case PixelFormat16bppGrayScale:
        case PixelFormat16bppRGB555:
        case PixelFormat16bppRGB565: return 16;
        case PixelFormat24bppRGB: return 24;
        default: return 32;
    }
}

// Converts the whole image to straight ARGB in Bits (Width x 4 bytes a row):
// GDI+ converts any pixel format, palette alpha included, so opaque sources
// come out with alpha 255 and transparent palette entries stay transparent.
// First straight into Bits, then through GDI+'s own buffer copied row by row
// at its real stride, last by drawing the image onto a transparent ARGB
// bitmap over Bits (what a converting lock cannot do, drawing can: metafiles).
bool CopyPixels(IGPBitmap* Image, Integer Width, Integer Height, TColor32* Bits)
{
    TGPRect Rect = MakeGPRect(0, 0, Width, Height);
    Gdiplus::BitmapData Data{};
    Data.Width = static_cast<UINT>(Width);
    Data.Height = static_cast<UINT>(Height);
    Data.Stride = Width * 4;
    Data.PixelFormat = PixelFormat32bppARGB;
    Data.Scan0 = Bits;
    if (Image->BitmapLockBits(Rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                              PixelFormat32bppARGB, Data) == Gdiplus::Ok) {
        Image->BitmapUnlockBits(Data);
        return true;
    }
    Data = Gdiplus::BitmapData{};
    if (Image->BitmapLockBits(Rect, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, Data) == Gdiplus::Ok) {
        const size_t RowBytes = static_cast<size_t>(Width) * 4;
        for (Integer Y = 0; Y < Height; ++Y)
            std::memcpy(Bits + static_cast<size_t>(Y) * Width,
                        static_cast<const Byte*>(Data.Scan0) + static_cast<ptrdiff_t>(Y) * Data.Stride, RowBytes);
        Image->BitmapUnlockBits(Data);
        return true;
    }
    std::fill_n(Bits, static_cast<size_t>(Width) * Height, TColor32(0));
    TGPPtr<IGPImage> Over(new TGPBitmap(Width, Height, Width * 4, PixelFormat32bppARGB, reinterpret_cast<Byte*>(Bits)));
    if (!Over->GetNativeHandle()) return false;
    TGPPtr<IGPGraphics> Graphics = TGPGraphics::FromImage(Over);
    return Graphics->DrawImageRectI(TGPPtr<IGPImage>(Image), 0, 0, Width, Height) == Gdiplus::Ok;
}

// libjpeg reports fatal errors through error_exit, which jumps back to the
// decoder; only C data lies between the jump and its target.
struct TJpegErrorJump {
    jpeg_error_mgr Manager;
    jmp_buf Jump;
};

void JumpOnError(j_common_ptr Info) { longjmp(reinterpret_cast<TJpegErrorJump*>(Info->err)->Jump, 1); }

void NoMessage(j_common_ptr) {}

// Brings the pages of a new, large bitmap into memory on every processor at
// once. The first write to each page of fresh memory costs a fault (and,
// under Wine, a good deal more than natively); done by the decoder's thread
// alone it was a third of opening a photo. The words written here are
// overwritten by the decoder before anyone sees the bitmap.
void TouchPagesInParallel(TColor32* Bits, size_t Count)
{
    constexpr size_t PageWords = 4096 / sizeof(TColor32), MinWords = size_t(8) << 18;  // from 8 MB
    const size_t Threads = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), 16);
    if (Count < MinWords || Threads < 2) return;
    const size_t Share = (Count / Threads + PageWords - 1) / PageWords * PageWords;
    auto Touch = [Bits, Count](size_t From, size_t To) {
        for (size_t I = From; I < std::min(To, Count); I += PageWords) Bits[I] = 0;
    };
    std::vector<std::thread> Pool;
    try {
        for (size_t T = 1; T < Threads; ++T) Pool.emplace_back(Touch, T * Share, (T + 1) * Share);
    } catch (const std::system_error&) {
        // Fewer helpers: the rest is touched here or by the decoder.
    }
    Touch(0, Share);
    for (std::thread& T : Pool) T.join();
}

// Decodes Data straight into Bitmap's rows as opaque BGRA: libjpeg-turbo
// writes the final layout itself, with no picture-sized copy on the way.
// ScaleDenom 2, 4 or 8 decodes at that fraction of the size (the DCT's own
// scaling, for thumbnails). Data that ends early decodes with the missing
// part grey, as libjpeg fills it. ilrDamaged when libjpeg refuses the data
// or it is CMYK (which needs the JPEG class's conversion).
TImageLoadResult DecodeJpegRows(const std::vector<uint8_t>& Data, TBitmap32* Bitmap, unsigned ScaleDenom = 1)
{
    jpeg_decompress_struct Info;
    TJpegErrorJump Err;
    Info.err = jpeg_std_error(&Err.Manager);
    Err.Manager.error_exit = JumpOnError;
    Err.Manager.output_message = NoMessage;
    if (setjmp(Err.Jump)) {
        jpeg_destroy_decompress(&Info);
        Bitmap->SetSize(0, 0);
        return ilrDamaged;
    }
    jpeg_create_decompress(&Info);
    jpeg_mem_src(&Info, Data.data(), static_cast<unsigned long>(Data.size()));
    jpeg_read_header(&Info, TRUE);
    if (Info.jpeg_color_space == JCS_CMYK || Info.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&Info);
        return ilrDamaged;
    }
    Info.out_color_space = JCS_EXT_BGRA;  // the fourth byte comes out as 255
    Info.scale_num = 1;
    Info.scale_denom = ScaleDenom;
    jpeg_calc_output_dimensions(&Info);
    const JDIMENSION Width = Info.output_width, Height = Info.output_height;
    if (TImageLoadResult R = AllocateBitmap(Bitmap, Width, Height); R != ilrLoaded) {
        jpeg_destroy_decompress(&Info);
        return R;
    }
    TouchPagesInParallel(Bitmap->Bits(), static_cast<size_t>(Width) * Height);
    jpeg_start_decompress(&Info);
    if (Info.output_width != Width || Info.output_height != Height) longjmp(Err.Jump, 1);
    while (Info.output_scanline < Info.output_height) {
        JSAMPROW Rows[16];
        const JDIMENSION First = Info.output_scanline;
        const JDIMENSION Count = std::min<JDIMENSION>(16, Info.output_height - First);
        for (JDIMENSION I = 0; I < Count; ++I)
            Rows[I] = reinterpret_cast<JSAMPROW>(Bitmap->GetRowPtr(static_cast<Integer>(First + I)));
        jpeg_read_scanlines(&Info, Rows, Count);
    }
    jpeg_finish_decompress(&Info);
    jpeg_destroy_decompress(&Info);
    return ilrLoaded;
}

// The whole file, for the JPEG decoder; false when it cannot be read.
bool ReadWholeFile(const String& FileName, std::vector<uint8_t>& Data)
{
    try {
        TFileStream F(FileName, fmOpenRead | fmShareDenyWrite);
        const Int64 Size = F.Size();
        if (Size <= 0 || Size > 0x7FFFFFFF) return false;
        Data.resize(static_cast<size_t>(Size));
        F.ReadBuffer(Data.data(), static_cast<Integer>(Size));
        return true;
    } catch (const EStreamError&) {
        return false;
    }
}

// JPEG files are decoded with libjpeg-turbo: several times faster than GDI+
// under Wine, and as fast elsewhere. The depths are the ones GDI+ reports:
// grey 8 (an indexed grey palette), colour 24, CMYK 32.
TImageLoadResult DecodeJpegData(const std::vector<uint8_t>& Data, const TImageHeader& Header, TBitmap32* Bitmap,
                                bool& HasAlpha, Integer& BitDepth)
{
    TImageLoadResult Result = DecodeJpegRows(Data, Bitmap);
    if (Result == ilrDamaged && Header.Components == 4) {
        // CMYK: the JPEG class inverts and converts it.
        TBitmap Rgb;
        try {
            TJPEGImage Jpeg;
            TMemoryStream Stream;
            Stream.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
            Stream.SetPosition(0);
            Jpeg.LoadFromStream(&Stream);
            Rgb.Assign(&Jpeg);
        } catch (const EInvalidGraphic&) {
            return ilrDamaged;
        }
        const Integer W = Rgb.Width(), H = Rgb.Height();
        if (Rgb.PixelFormat() != pf24bit) return ilrDamaged;
        if ((Result = AllocateBitmap(Bitmap, W, H)) != ilrLoaded) return Result;
        for (Integer Y = 0; Y < H; ++Y) {
            const Byte* Src = static_cast<const Byte*>(Rgb.ScanLine(Y));
            TColor32* Dst = Bitmap->GetRowPtr(Y);
            for (Integer X = 0; X < W; ++X, Src += 3)
                Dst[X] = 0xFF000000u | (TColor32(Src[2]) << 16) | (TColor32(Src[1]) << 8) | Src[0];
        }
    }
    if (Result != ilrLoaded) return Result;
    HasAlpha = false;
    BitDepth = Header.Components == 1 ? 8 : Header.Components == 4 ? 32 : 24;
    return ilrLoaded;
}

TImageLoadResult DecodeJpeg(const String& FileName, const TImageHeader& Header, TBitmap32* Bitmap, bool& HasAlpha,
                            Integer& BitDepth)
{
    std::vector<uint8_t> Data;
    if (!ReadWholeFile(FileName, Data)) return ilrMissing;
    return DecodeJpegData(Data, Header, Bitmap, HasAlpha, BitDepth);
}

// Decodes the file into Bitmap: JPEG, PNG, GIF and BMP through the program's
// own decoders, anything else (TIFF, icons, metafiles) through GDI+. The
// status carries the claimed size whenever the header could be read; a size
// no bitmap can hold is refused before anything is decoded.
TImageLoadStatus DecodeFile(const String& FileName, TBitmap32* Bitmap, bool& HasAlpha, Integer& BitDepth)
{
    TImageLoadStatus Status;
    Bitmap->SetSize(0, 0);
    TImageHeader Header;
    {
        std::unique_ptr<TFileStream> File;
        try {
            File = std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyWrite);
        } catch (const EStreamError&) {
            return Status;  // ilrMissing
        }
        if (ReadImageHeader(File.get(), Header)) {
            Status.Width = Header.Width;
            Status.Height = Header.Height;
            if (!ImageSizeAllocatable(Header.Width, Header.Height)) {
                Status.Result = ilrTooLarge;
                return Status;
            }
        }
        File->SetPosition(0);
        switch (Header.Format) {
            case ifPng: Status.Result = DecodePng(File.get(), Bitmap, HasAlpha, BitDepth); return Status;
            case ifGif: Status.Result = DecodeGif(File.get(), Bitmap, HasAlpha, BitDepth); return Status;
            case ifBmp: Status.Result = DecodeBmp(File.get(), Bitmap, HasAlpha, BitDepth); return Status;
            default: break;
        }
    }
    if (Header.Format == ifJpg) {
        Status.Result = DecodeJpeg(FileName, Header, Bitmap, HasAlpha, BitDepth);
        return Status;
    }
    std::unique_ptr<TBitmap32> Picture = GPBitmapToBitmap32(TGPBitmap::FromFile(FileName, false), HasAlpha, BitDepth);
    if (Picture->Empty()) {
        Status.Result = Header.Format == ifUnknown ? ilrUnsupported : ilrDamaged;
        return Status;
    }
    Status.Width = Picture->Width();
    Status.Height = Picture->Height();
    Status.Result = ilrLoaded;
    Bitmap->Assign(Picture.get());
    return Status;
}

// DecodeFile on a file's bytes already in memory.
TImageLoadStatus DecodeBytes(TMemoryStream& Bytes, TBitmap32* Bitmap, bool& HasAlpha, Integer& BitDepth)
{
    TImageLoadStatus Status;
    Bitmap->SetSize(0, 0);
    TImageHeader Header;
    Bytes.SetPosition(0);
    auto Rewind = ScopeExit([&] { Bytes.SetPosition(0); });
    if (ReadImageHeader(&Bytes, Header)) {
        Status.Width = Header.Width;
        Status.Height = Header.Height;
        if (!ImageSizeAllocatable(Header.Width, Header.Height)) {
            Status.Result = ilrTooLarge;
            return Status;
        }
    }
    Bytes.SetPosition(0);
    switch (Header.Format) {
        case ifPng: Status.Result = DecodePng(&Bytes, Bitmap, HasAlpha, BitDepth); return Status;
        case ifGif: Status.Result = DecodeGif(&Bytes, Bitmap, HasAlpha, BitDepth); return Status;
        case ifBmp: Status.Result = DecodeBmp(&Bytes, Bitmap, HasAlpha, BitDepth); return Status;
        case ifJpg: {
            const auto* P = static_cast<const uint8_t*>(Bytes.Memory());
            const std::vector<uint8_t> Data(P, P + Bytes.Size());
            Status.Result = DecodeJpegData(Data, Header, Bitmap, HasAlpha, BitDepth);
            return Status;
        }
        default: break;
    }
    auto* Adapter = new TStreamAdapter(&Bytes, soReference);
    Adapter->AddRef();
    auto Release = ScopeExit([Adapter] { Adapter->Release(); });
    std::unique_ptr<TBitmap32> Picture = GPBitmapToBitmap32(TGPBitmap::FromStream(Adapter, false), HasAlpha, BitDepth);
    if (Picture->Empty()) {
        Status.Result = Header.Format == ifUnknown ? ilrUnsupported : ilrDamaged;
        return Status;
    }
    Status.Width = Picture->Width();
    Status.Height = Picture->Height();
    Status.Result = ilrLoaded;
    Bitmap->Assign(Picture.get());
    return Status;
}

void FillWhite(TBitmap32* Bitmap, Integer W, Integer H)
{
    Bitmap->SetSize(W, H);
    Bitmap->Clear(0xFFFFFFFF);
}

// The pixels of Bitmap in a 32-bit platform bitmap, colour and alpha bytes
// as they are.
void CopyToPlatformBitmap(TBitmap32* Bitmap, TBitmap& Dst)
{
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    Dst.SetPixelFormat(pf32bit);
    Dst.SetSize(W, H);
    for (Integer Y = 0; Y < H; ++Y)
        std::memcpy(Dst.ScanLine(Y), Bitmap->GetRowPtr(Y), static_cast<size_t>(W) * 4);
}

// Compresses Height rows of Width pixels in InSpace (Row gives row Y) with
// libjpeg's standard settings at Quality: the settings of the JPEG picture
// class, so the bytes are the ones it writes. Out is malloc'ed by libjpeg
// (the caller frees it, also after a failure). False when libjpeg fails.
bool CompressRows(Integer Width, Integer Height, J_COLOR_SPACE InSpace, int Components, Integer Quality,
                  const std::function<JSAMPROW(Integer)>& Row, unsigned char** Out, unsigned long* OutSize)
{
    jpeg_compress_struct Info;
    TJpegErrorJump Err;
    Info.err = jpeg_std_error(&Err.Manager);
    Err.Manager.error_exit = JumpOnError;
    Err.Manager.output_message = NoMessage;
    if (setjmp(Err.Jump)) {
        jpeg_destroy_compress(&Info);
        return false;
    }
    jpeg_create_compress(&Info);
    jpeg_mem_dest(&Info, Out, OutSize);
    Info.image_width = static_cast<JDIMENSION>(Width);
    Info.image_height = static_cast<JDIMENSION>(Height);
    Info.input_components = Components;
    Info.in_color_space = InSpace;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, Quality, TRUE);
    jpeg_start_compress(&Info, TRUE);
    while (Info.next_scanline < Info.image_height) {
        JSAMPROW Rows[16];
        const JDIMENSION First = Info.next_scanline;
        const JDIMENSION Count = std::min<JDIMENSION>(16, Info.image_height - First);
        for (JDIMENSION I = 0; I < Count; ++I) Rows[I] = Row(static_cast<Integer>(First + I));
        jpeg_write_scanlines(&Info, Rows, Count);
    }
    jpeg_finish_compress(&Info);
    jpeg_destroy_compress(&Info);
    return true;
}

// The one JPEG encoder of the program: the file writer and the size
// measurement both use it, so the measured size is the file's size. Quality
// is limited to 1..100. Straight from the caller's rows: no copy of the picture.
std::vector<uint8_t> EncodeJpeg(Integer Width, Integer Height, J_COLOR_SPACE InSpace, int Components,
                                Integer Quality, const std::function<JSAMPROW(Integer)>& Row)
{
    if (Width <= 0 || Height <= 0) throw EJPEG(u"There is no picture to compress");
    unsigned char* Out = nullptr;
    unsigned long Size = 0;
    const bool Ok = CompressRows(Width, Height, InSpace, Components, EnsureRange(Quality, 1, 100), Row, &Out, &Size);
    std::unique_ptr<unsigned char, decltype(&std::free)> Hold(Out, &std::free);
    if (!Ok || !Out) throw EJPEG(u"Cannot compress the JPEG image");
    return std::vector<uint8_t>(Out, Out + Size);
}

// Bytes encoded already, or an encoder that writes them into the stream, so
// that they are written as every picture is: by TGraphic::SaveToFile, into a
// temporary file that replaces the target only once complete.
class TEncodedPicture : public TGraphic {
public:
    using TWriter = std::function<void(TStream*)>;
    explicit TEncodedPicture(std::vector<uint8_t> Bytes) : FBytes(std::move(Bytes)) {}
    explicit TEncodedPicture(TWriter Writer) : FWriter(std::move(Writer)) {}
    String ClassName() const override { return u"TEncodedPicture"; }
    bool Empty() const override { return FBytes.empty() && !FWriter; }
    Integer Width() const override { return 0; }
    Integer Height() const override { return 0; }
    void SetWidth(Integer) override {}
    void SetHeight(Integer) override {}
    void Draw(TCanvas*, const TRect&) override {}
    void LoadFromStream(TStream*) override { throw EInvalidGraphicOperation(u"Encoded bytes are only written"); }
    void SaveToStream(TStream* Stream) override
    {
        if (FWriter)
            FWriter(Stream);
        else
            Stream->WriteBuffer(FBytes.data(), static_cast<Integer>(FBytes.size()));
    }
    std::unique_ptr<TGraphic> NewOfSameClass() const override
    {
        return std::make_unique<TEncodedPicture>(std::vector<uint8_t>());
    }

private:
    std::vector<uint8_t> FBytes;
    TWriter FWriter;
};

TPixelFormat BmpPixelFormat(Integer Bits)
{
    switch (Bits) {
        case 1: return pf1bit;
        case 4: return pf4bit;
        case 8: return pf8bit;
        case 16: return pf16bit;
        case 24: return pf24bit;
        default: return pf32bit;
    }
}

TColor32 Alpha(TColor32 C) { return C >> 24; }

}  // namespace

// ---------------------------------------------------------------------------
// Decoding

std::unique_ptr<TBitmap32> GPBitmapToBitmap32(TGPPtr<IGPBitmap> Image, bool& HasAlpha, Integer& BitDepth)
{
    TGPPtr<IGPBitmap> Held = std::move(Image);  // released on the way out
    try {
        auto Result = std::make_unique<TBitmap32>();
        if (!Held) return Result;
        const Int64 W = Held->GetImageWidth(), H = Held->GetImageHeight();
        if (!ImageSizeAllocatable(W, H)) return Result;
        const Integer Format = Held->GetImagePixelFormat();
        Result->SetSize(static_cast<Integer>(W), static_cast<Integer>(H));
        if (Result->Empty() ||
            !CopyPixels(Held.get(), static_cast<Integer>(W), static_cast<Integer>(H), Result->Bits())) {
            Result->SetSize(0, 0);
            return Result;
        }
        HasAlpha = (Format & PixelFormatAlpha) != 0;
        BitDepth = BitDepthOfPixelFormat(Format);
        return Result;
    } catch (const Exception&) {
    } catch (const std::bad_alloc&) {
    }
    return std::make_unique<TBitmap32>();
}

namespace {

// Runs one decode into a new bitmap: a damaged or too large picture gives an
// empty bitmap and says why, never an exception.
template <class TDecode>
std::unique_ptr<TBitmap32> LoadToBitmap32(TDecode&& Decode, bool& HasAlpha, Integer& BitDepth,
                                          TImageLoadStatus* Status)
{
    HasAlpha = false;
    BitDepth = -1;
    auto Result = std::make_unique<TBitmap32>();
    TImageLoadStatus S;
    try {
        S = Decode(Result.get());
    } catch (const Exception&) {
        S.Result = ilrDamaged;
    } catch (const std::bad_alloc&) {
        S.Result = ilrTooLarge;
    }
    if (S.Result != ilrLoaded) {
        Result->SetSize(0, 0);
        HasAlpha = false;
        BitDepth = -1;
    }
    if (Status) *Status = S;
    return Result;
}

} // namespace

std::unique_ptr<TBitmap32> LoadImageToBitmap32(const String& FileName, bool& HasAlpha, Integer& BitDepth,
                                               TImageLoadStatus* Status)
{
    return LoadToBitmap32([&](TBitmap32* B) { return DecodeFile(FileName, B, HasAlpha, BitDepth); }, HasAlpha,
                          BitDepth, Status);
}

std::unique_ptr<TBitmap32> LoadImageBytesToBitmap32(TMemoryStream& Bytes, bool& HasAlpha, Integer& BitDepth,
                                                    TImageLoadStatus* Status)
{
    return LoadToBitmap32([&](TBitmap32* B) { return DecodeBytes(Bytes, B, HasAlpha, BitDepth); }, HasAlpha,
                          BitDepth, Status);
}

std::unique_ptr<TBitmap> LoadImageToBitmap(const String& FileName, TImageLoadStatus* Status)
{
    auto Result = std::make_unique<TBitmap>();
    bool HasAlpha;
    Integer BitDepth;
    std::unique_ptr<TBitmap32> Picture = LoadImageToBitmap32(FileName, HasAlpha, BitDepth, Status);
    if (Picture->Empty()) return Result;
    try {
        // Over opaque white; with the colours already composited the only
        // consistent alpha is 255 (what a paste target that reads alpha needs).
        TDibImage Image;
        Image.Allocate(Picture->Width(), Picture->Height(), pf32bit);
        for (Integer Y = 0; Y < Image.Height; ++Y) {
            const TColor32* Src = Picture->GetRowPtr(Y);
            auto* Dst = reinterpret_cast<TColor32*>(Image.ScanLine(Y));
            for (Integer X = 0; X < Image.Width; ++X) {
                // Each channel (c * a + 255 * (255 - a)) / 255, rounded.
                const TColor32 C = Src[X], A = C >> 24, White = 255 * (255 - A) + 127;
                Dst[X] = 0xFF000000u | ((((C >> 16) & 0xFF) * A + White) / 255) << 16 |
                         ((((C >> 8) & 0xFF) * A + White) / 255) << 8 | (((C & 0xFF) * A + White) / 255);
            }
        }
        Picture.reset();
        Result->SetDib(Image);
        Result->SetAlphaFormat(afDefined);
    } catch (const Exception&) {
        Result->Assign(nullptr);
        if (Status) Status->Result = ilrTooLarge;
    } catch (const std::bad_alloc&) {
        Result->Assign(nullptr);
        if (Status) Status->Result = ilrTooLarge;
    }
    return Result;
}

// ---------------------------------------------------------------------------
// Thumbnails

namespace {

// A JPEG or PNG much larger than the box is decoded reduced: JPEG at 1/2,
// 1/4 or 1/8 of its size by the DCT itself, PNG shrunk row by row while it is
// read (never below the thumbnail's size): the thumbnail workers go through
// whole folders, and a picture's full size may cost far more memory than its
// thumbnail. ilrLoaded: Reduced holds the picture at a size between the full
// one and the thumbnail's.
TImageLoadStatus DecodeReduced(const String& FileName, const TImageHeader& Header, Integer BoxW, Integer BoxH,
                               TBitmap32* Reduced)
{
    TImageLoadStatus Status;
    Status.Width = Header.Width;
    Status.Height = Header.Height;
    if (!ImageSizeAllocatable(Header.Width, Header.Height)) {
        Status.Result = ilrTooLarge;
        return Status;
    }
    const Integer FullW = static_cast<Integer>(Header.Width), FullH = static_cast<Integer>(Header.Height);
    Integer W, H;
    FitSize(FullW, FullH, BoxW, BoxH, W, H);
    if (Header.Format == ifPng) {
        try {
            TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
            Status.Result = DecodePngReduced(&File, W, H, Reduced, Status.Width, Status.Height);
        } catch (const EStreamError&) {
            Status.Result = ilrMissing;
        }
        return Status;
    }
    Integer Denom = 8;
    while (Denom > 1 && ((FullW + Denom - 1) / Denom < W || (FullH + Denom - 1) / Denom < H)) Denom /= 2;
    std::vector<uint8_t> Data;
    if (!ReadWholeFile(FileName, Data)) {
        Status.Result = ilrMissing;
        return Status;
    }
    Status.Result = DecodeJpegRows(Data, Reduced, static_cast<unsigned>(Denom));
    return Status;
}

}  // namespace

bool LoadThumbnailFile(const String& FileName, TBitmap32* Bitmap, Integer BoxW, Integer BoxH, bool FullLoad,
                       Integer& OrigW, Integer& OrigH, TImageLoadStatus* Status)
{
    OrigW = OrigH = 0;
    TImageLoadStatus S;
    TImageHeader Header;
    const bool Known = ReadImageFileHeader(FileName, Header);
    auto Done = [&](bool Result) {
        if (Status) *Status = S;
        return Result;
    };
    auto Failed = [&]() {
        OrigW = OrigH = 0;
        FillWhite(Bitmap, BoxW, BoxH);
        if (FullLoad && !FileExists(FileName)) {
            // Measured at the canvas's font, then drawn at 8 points.
            String Name = ExtractFileName(FileName);
            Integer TextW = Bitmap->Canvas()->TextWidth(Name);
            Bitmap->Font()->SetSize(8);
            Bitmap->RenderText((Bitmap->Width() - TextW) / 2, 22, Name, 0, 0xFF7F7F7F);
        }
        return Done(false);
    };
    try {
        if (Known && ((Header.Format == ifJpg && Header.Components != 4) || Header.Format == ifPng)) {
            // On both paths: the reduced decode is as quick as the platform's thumbnail.
            TBitmap32 Reduced;
            S = DecodeReduced(FileName, Header, BoxW, BoxH, &Reduced);
            if (S.Result != ilrLoaded) return Failed();
            OrigW = static_cast<Integer>(S.Width);
            OrigH = static_cast<Integer>(S.Height);
            Integer W, H;
            FitSize(OrigW, OrigH, BoxW, BoxH, W, H);
            if (Reduced.Width() == W && Reduced.Height() == H)
                Bitmap->Assign(&Reduced);
            else
                ResizeBitmap(&Reduced, Bitmap, W, H);
            return Done(true);
        }
        if (FullLoad || Header.Format != ifUnknown) {
            // The program's own decoders: every path treats a damaged file alike.
            bool HasAlpha;
            Integer BitDepth;
            std::unique_ptr<TBitmap32> Picture = LoadImageToBitmap32(FileName, HasAlpha, BitDepth, &S);
            if (Picture->Empty()) return Failed();
            OrigW = Picture->Width();
            OrigH = Picture->Height();
            FitBitmap32(Picture.get(), Bitmap, BoxW, BoxH);
            return Done(true);
        }
        // The quick path for what only GDI+ reads: its own thumbnail.
        TGPPtr<IGPImage> Image = TGPImage::FromFile(FileName, false);
        OrigW = static_cast<Integer>(Image->GetImageWidth());
        OrigH = static_cast<Integer>(Image->GetImageHeight());
        if (OrigW <= 0 || OrigH <= 0) {
            S.Result = FileExists(FileName) ? ilrUnsupported : ilrMissing;
            return Failed();
        }
        S = {ilrLoaded, OrigW, OrigH};
        Integer W, H;
        FitSize(OrigW, OrigH, BoxW, BoxH, W, H);
        FillWhite(Bitmap, W, H);
        Bitmap->ResetAlpha(0);
        TGPPtr<IGPImage> Thumb = Image->GetImageThumbnail(static_cast<Cardinal>(W), static_cast<Cardinal>(H));
        {
            TGPPtr<IGPGraphics> Graphics = TGPGraphics::FromHDC(Bitmap->Handle());
            Graphics->DrawImageRectI(Thumb, 0, 0, W, H);
        }  // the graphics goes before the pixels are announced
        Bitmap->Changed();
        return Done(true);
    } catch (const std::bad_alloc&) {
        S.Result = ilrTooLarge;
    } catch (const Exception&) {
        S.Result = ilrDamaged;
    }
    return Failed();
}

// ---------------------------------------------------------------------------
// Writing

std::unique_ptr<TGIFImage> MakeGifImage(TBitmap32* Bitmap, Byte AlphaThreshold, TColor TransparentColor)
{
    auto Gif = std::make_unique<TGIFImage>();
    Gif->SetColorReduction(rmQuantize);
    Gif->SetReductionBits(8);
    Gif->SetDitherMode(dmFloydSteinberg);
    {
        TBitmap Platform;
        CopyToPlatformBitmap(Bitmap, Platform);
        Gif->Assign(&Platform);
    }
    if (Gif->Images().empty()) return Gif;
    TGIFFrame* Frame = Gif->Images()[0].get();
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    const size_t Count = static_cast<size_t>(W) * H;
    const TColor32* Pixels = Bitmap->Bits();
    if (std::none_of(Pixels, Pixels + Count, [&](TColor32 C) { return Alpha(C) < AlphaThreshold; })) return Gif;

    // The transparent index must be one that no opaque pixel uses: the first
    // free one, else the colours are reduced to 255 so that one is free.
    auto FreeIndex = [&]() {
        std::array<size_t, 256> Uses{};
        const uint8_t* Data = Frame->Data();
        for (size_t I = 0; I < Count; ++I)
            if (Alpha(Pixels[I]) >= AlphaThreshold) ++Uses[Data[I]];
        auto Free = std::find(Uses.begin(), Uses.end(), size_t(0));
        return Free == Uses.end() ? -1 : static_cast<Integer>(Free - Uses.begin());
    };
    Integer Index = FreeIndex();
    if (Index < 0) {
        std::vector<uint32_t> Palette = QuantizePalette(Pixels, Count, 255);
        MapToPalette(Pixels, W, H, Palette, true, Frame->Data());
        TGIFColorMap* Map = Gif->GlobalColorMap();
        Map->Clear();
        for (uint32_t C : Palette)  // 0xRRGGBB to a TColor (0xBBGGRR)
            Map->Add(static_cast<TColor>(((C >> 16) & 0xFF) | (C & 0xFF00) | ((C & 0xFF) << 16)));
        Index = FreeIndex();
    }
    uint8_t* Data = Frame->Data();
    for (size_t I = 0; I < Count; ++I)
        if (Alpha(Pixels[I]) < AlphaThreshold) Data[I] = static_cast<uint8_t>(Index);
    auto Control = std::make_unique<TGIFGraphicControlExtension>();
    Control->SetTransparent(true);
    Control->SetTransparentColorIndex(static_cast<Byte>(Index));
    Frame->AddExtension(std::move(Control));
    Frame->ActiveColorMap()->SetColors(Index, TransparentColor);
    Frame->FreeBitmap();
    return Gif;
}

void SaveBitmap32ToFile(TBitmap32* Bitmap, const String& FileName, TImageFormat Format, Integer Param)
{
    if (!Bitmap) throw Exception(u"The bitmap is nil");
    // Every picture class writes through TGraphic::SaveToFile: a temporary
    // file beside the target replaces it only once complete.
    switch (Format) {
        case ifBmp: {
            TBitmap Platform;
            CopyToPlatformBitmap(Bitmap, Platform);
            Platform.SetPixelFormat(BmpPixelFormat(Param));
            Platform.SaveToFile(FileName);
            break;
        }
        case ifPng: {
            // Straight from the bitmap's rows into the file, as the PNG class
            // would write them: colour type 6 for -1, else 2; no other chunk.
            const bool WithAlpha = Param == -1;
            const Integer Width = Bitmap->Width(), Height = Bitmap->Height();
            if (Width <= 0 || Height <= 0) throw EPNGError(u"Cannot save an empty PNG image");
            TEncodedPicture([&](TStream* Stream) {
                EncodePng(
                    Width, Height, WithAlpha,
                    [&](Integer Y, uint8_t* Out) {
                        const TColor32* Src = Bitmap->GetRowPtr(Y);
                        for (Integer X = 0; X < Width; ++X) {
                            *Out++ = static_cast<uint8_t>(Src[X] >> 16);
                            *Out++ = static_cast<uint8_t>(Src[X] >> 8);
                            *Out++ = static_cast<uint8_t>(Src[X]);
                            if (WithAlpha) *Out++ = static_cast<uint8_t>(Src[X] >> 24);
                        }
                    },
                    [Stream](const uint8_t* Data, size_t Size) {
                        Stream->WriteBuffer(Data, static_cast<Integer>(Size));
                    });
            }).SaveToFile(FileName);
            break;
        }
        case ifJpg: {
            // Encoded in memory first: a failing encoder leaves the target alone.
            // Param x 10 as the quality (the callers pass 1..10).
            const Integer Quality = static_cast<Integer>(EnsureRange(Int64(Param) * 10, 1, 100));
            TEncodedPicture(EncodeJpeg(Bitmap->Width(), Bitmap->Height(), JCS_EXT_BGRA, 4, Quality, [&](Integer Y) {
                return reinterpret_cast<JSAMPROW>(Bitmap->GetRowPtr(Y));
            })).SaveToFile(FileName);
            break;
        }
        case ifGif: MakeGifImage(Bitmap, 32, 0xFFFFFF)->SaveToFile(FileName); break;
        default: break;
    }
}

bool EncodeBitmapToStream(TBitmap* Bitmap, Integer Quality, IStream* Stream)
{
    try {
        if (!Bitmap || !Stream || Bitmap->Empty()) return false;
        // The writer's 24-bit rows; another layout is converted first, as the
        // JPEG picture class would.
        TBitmap Converted;
        TBitmap* Rgb = Bitmap;
        if (Bitmap->PixelFormat() != pf24bit) {
            Converted.Assign(Bitmap);
            Converted.SetPixelFormat(pf24bit);
            Rgb = &Converted;
        }
        const std::vector<uint8_t> Data = EncodeJpeg(Rgb->Width(), Rgb->Height(), JCS_EXT_BGR, 3, Quality,
                                                     [&](Integer Y) { return static_cast<JSAMPROW>(Rgb->ScanLine(Y)); });
        const Byte* P = Data.data();
        size_t Left = Data.size();
        while (Left > 0) {
            ULONG Written = 0;
            const ULONG Chunk = static_cast<ULONG>(std::min<size_t>(Left, size_t(1) << 30));
            if (FAILED(Stream->Write(P, Chunk, &Written)) || Written == 0) return false;
            P += Written;
            Left -= Written;
        }
        return true;
    } catch (...) {
        // Measuring must never disturb the caller: any failure is only "no size".
        return false;
    }
}
