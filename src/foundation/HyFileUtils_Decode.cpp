#include "foundation/HyFileUtils_Decode.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

#include <gif_lib.h>
#include <png.h>

#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/SysUtils.h"

namespace {

// Reads exactly Count bytes from Stream; false at the end of the data or on
// a read error (never raises: the callers are C libraries).
bool ReadSome(TStream* Stream, void* Buffer, size_t Count)
{
    auto* P = static_cast<uint8_t*>(Buffer);
    while (Count > 0) {
        Integer Got = 0;
        try {
            Got = Stream->Read(P, static_cast<Integer>(std::min<size_t>(Count, size_t(1) << 30)));
        } catch (const Exception&) {
            return false;
        }
        if (Got <= 0) return false;
        P += Got;
        Count -= static_cast<size_t>(Got);
    }
    return true;
}

// ---------------------------------------------------------------------------
// PNG. libpng reports errors by longjmp: the functions that call it hold only
// C data between setjmp and the calls, and the C++ objects live in their callers.

void PngError(png_structp Png, png_const_charp) { png_longjmp(Png, 1); }
void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp Png, png_bytep Data, size_t Length)
{
    if (!ReadSome(static_cast<TStream*>(png_get_io_ptr(Png)), Data, Length)) png_error(Png, "truncated");
}

// Owns libpng's read structures.
struct TPngReader {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    explicit TPngReader(TStream* Stream)
    {
        Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
        if (Png) Info = png_create_info_struct(Png);
        if (Info) png_set_read_fn(Png, Stream, PngRead);
    }
    ~TPngReader() { png_destroy_read_struct(&Png, &Info, nullptr); }
    TPngReader(const TPngReader&) = delete;
    TPngReader& operator=(const TPngReader&) = delete;
};

struct TPngFacts {
    png_uint_32 Width, Height;
    Integer BitDepth;
    bool HasAlpha;
    int Passes;
    uint64_t RawBytes;  // the filtered rows the compressed data must give
};

// Deflate gives at most 1032 bytes for one compressed byte: a header that
// claims more rows than the rest of the file could hold is damaged, and is
// refused before its picture's memory is taken.
bool PngDataCanHold(TStream* Stream, const TPngFacts& Facts)
{
    const Int64 Left = Stream->Size() - Stream->Position();
    return Facts.RawBytes <= 1032 * static_cast<uint64_t>(std::max<Int64>(Left, 0)) + 1032;
}

// The header, the depth code and alpha flag of the file's pixel format, and
// the transformations that give 8-bit blue, green, red, alpha in that order
// for every colour type. False on a libpng error.
bool ReadPngHeader(png_structp Png, png_infop Info, TPngFacts& Facts)
{
    if (setjmp(png_jmpbuf(Png))) return false;
    png_read_info(Png, Info);
    Facts.Width = png_get_image_width(Png, Info);
    Facts.Height = png_get_image_height(Png, Info);
    const int Type = png_get_color_type(Png, Info), Depth = png_get_bit_depth(Png, Info);
    const bool Key = png_get_valid(Png, Info, PNG_INFO_tRNS) != 0;
    Facts.RawBytes = (uint64_t(Facts.Width) * png_get_channels(Png, Info) * Depth + 7) / 8 * Facts.Height + Facts.Height;
    // 2-bit samples have no code of their own: the next indexed format holds them.
    const Integer Indexed = Depth == 1 ? 1 : Depth <= 4 ? 4 : 8;
    switch (Type) {
        case PNG_COLOR_TYPE_PALETTE: Facts.BitDepth = Indexed, Facts.HasAlpha = false; break;
        case PNG_COLOR_TYPE_GRAY:
            Facts.HasAlpha = Key;
            Facts.BitDepth = Key ? 32 : Depth == 16 ? 16 : Indexed;
            break;
        case PNG_COLOR_TYPE_RGB:
            Facts.HasAlpha = Key;
            Facts.BitDepth = Key || Depth == 16 ? 32 : 24;
            break;
        default: Facts.BitDepth = 32, Facts.HasAlpha = true; break;  // grey or colour with alpha
    }
    if (Type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(Png);
    if (Type == PNG_COLOR_TYPE_GRAY && Depth < 8) png_set_expand_gray_1_2_4_to_8(Png);
    if (Key) png_set_tRNS_to_alpha(Png);
    if (Depth == 16) png_set_scale_16(Png);
    if (!(Type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(Png);
    png_set_bgr(Png);
    if (!(Type & PNG_COLOR_MASK_ALPHA) && !Key) png_set_filler(Png, 0xFF, PNG_FILLER_AFTER);
    Facts.Passes = png_set_interlace_handling(Png);
    png_read_update_info(Png, Info);
    return png_get_rowbytes(Png, Info) == size_t(Facts.Width) * 4;
}

// Where row Y goes, and what happens once it is there (per row: a plain
// function pointer, no exceptions).
struct TPngRows {
    png_bytep (*Target)(void* Context, png_uint_32 Y);
    void (*Done)(void* Context, png_uint_32 Y);
    void* Context;
};

bool ReadPngRows(png_structp Png, const TPngFacts& Facts, const TPngRows& Rows)
{
    if (setjmp(png_jmpbuf(Png))) return false;
    // Interlaced pictures: every pass adds its pixels to the rows in place.
    for (int Pass = 0; Pass < Facts.Passes; ++Pass)
        for (png_uint_32 Y = 0; Y < Facts.Height; ++Y) {
            png_read_row(Png, Rows.Target(Rows.Context, Y), nullptr);
            if (Rows.Done && Pass == Facts.Passes - 1) Rows.Done(Rows.Context, Y);
        }
    return true;
}

png_bytep BitmapRow(void* Context, png_uint_32 Y)
{
    return reinterpret_cast<png_bytep>(static_cast<TCustomBitmap32*>(Context)->GetRowPtr(static_cast<Integer>(Y)));
}

// Shrinking by Factor while reading: the rows of a block are summed into
// Sums (alpha, and the colours weighted by alpha), then written out.
struct TPngShrink {
    TCustomBitmap32* Out;
    png_uint_32 Width, Height, Factor;
    uint8_t* Row;    // one row of the full picture
    uint64_t* Sums;  // 4 per output pixel: alpha, blue, green, red
};

png_bytep ShrinkRow(void* Context, png_uint_32) { return static_cast<TPngShrink*>(Context)->Row; }

void ShrinkDone(void* Context, png_uint_32 Y)
{
    auto& S = *static_cast<TPngShrink*>(Context);
    const uint8_t* P = S.Row;
    for (png_uint_32 X = 0; X < S.Width; ++X, P += 4) {
        uint64_t* Sum = S.Sums + 4 * (X / S.Factor);
        const uint64_t A = P[3];
        Sum[0] += A;
        Sum[1] += P[0] * A;
        Sum[2] += P[1] * A;
        Sum[3] += P[2] * A;
    }
    const png_uint_32 Band = Y / S.Factor;
    if (Y + 1 != S.Height && (Y + 1) % S.Factor != 0) return;
    const png_uint_32 Rows = Y + 1 - Band * S.Factor;
    TColor32* Dst = S.Out->GetRowPtr(static_cast<Integer>(Band));
    for (Integer X = 0; X < S.Out->Width(); ++X) {
        uint64_t* Sum = S.Sums + 4 * X;
        const uint64_t Cols = std::min<uint64_t>(S.Factor, S.Width - uint64_t(X) * S.Factor);
        const uint64_t N = Cols * Rows, A = Sum[0];
        // Rounded means: alpha over the block, colours over the alpha.
        TColor32 C = static_cast<TColor32>((A + N / 2) / N) << 24;
        if (A)
            C |= static_cast<TColor32>((Sum[3] + A / 2) / A) << 16 | static_cast<TColor32>((Sum[2] + A / 2) / A) << 8 |
                 static_cast<TColor32>((Sum[1] + A / 2) / A);
        Dst[X] = C;
        Sum[0] = Sum[1] = Sum[2] = Sum[3] = 0;
    }
}

// ---------------------------------------------------------------------------
// GIF

int GifRead(GifFileType* Gif, GifByteType* Buffer, int Length)
{
    return ReadSome(static_cast<TStream*>(Gif->UserData), Buffer, static_cast<size_t>(Length)) ? Length : 0;
}

struct TGifCloser {
    void operator()(GifFileType* Gif) const
    {
        int Error = 0;
        DGifCloseFile(Gif, &Error);
    }
};

}  // namespace

// ---------------------------------------------------------------------------

TImageLoadResult AllocateBitmap(TCustomBitmap32* Bitmap, Int64 W, Int64 H)
{
    Bitmap->SetSize(0, 0);
    if (!ImageSizeAllocatable(W, H)) return ilrTooLarge;
    try {
        Bitmap->SetSize(static_cast<Integer>(W), static_cast<Integer>(H));
    } catch (const std::bad_alloc&) {
        Bitmap->SetSize(0, 0);
        return ilrTooLarge;
    } catch (const Exception&) {  // a backend that cannot get its memory
        Bitmap->SetSize(0, 0);
        return ilrTooLarge;
    }
    return Bitmap->Empty() ? ilrTooLarge : ilrLoaded;
}

TImageLoadResult DecodePng(TStream* Stream, TCustomBitmap32* Bitmap, bool& HasAlpha, Integer& BitDepth)
{
    Bitmap->SetSize(0, 0);
    TPngReader Reader(Stream);
    if (!Reader.Info) return ilrTooLarge;  // libpng could not allocate its state
    TPngFacts Facts{};
    if (!ReadPngHeader(Reader.Png, Reader.Info, Facts)) return ilrDamaged;
    if (!ImageSizeAllocatable(Facts.Width, Facts.Height)) return ilrTooLarge;
    if (!PngDataCanHold(Stream, Facts)) return ilrDamaged;
    if (TImageLoadResult R = AllocateBitmap(Bitmap, Facts.Width, Facts.Height); R != ilrLoaded) return R;
    if (!ReadPngRows(Reader.Png, Facts, {BitmapRow, nullptr, Bitmap})) {
        Bitmap->SetSize(0, 0);
        return ilrDamaged;
    }
    HasAlpha = Facts.HasAlpha;
    BitDepth = Facts.BitDepth;
    return ilrLoaded;
}

TImageLoadResult DecodePngReduced(TStream* Stream, Integer MinW, Integer MinH, TCustomBitmap32* Bitmap,
                                  Int64& Width, Int64& Height)
{
    Bitmap->SetSize(0, 0);
    Width = Height = 0;
    TPngReader Reader(Stream);
    if (!Reader.Info) return ilrTooLarge;
    TPngFacts Facts{};
    if (!ReadPngHeader(Reader.Png, Reader.Info, Facts)) return ilrDamaged;
    Width = Facts.Width;
    Height = Facts.Height;
    if (!ImageSizeAllocatable(Width, Height)) return ilrTooLarge;
    if (!PngDataCanHold(Stream, Facts)) return ilrDamaged;
    png_uint_32 Factor = 1;
    auto Fits = [&](png_uint_32 F) {
        return (Facts.Width + F - 1) / F >= png_uint_32(std::max(MinW, 1)) &&
               (Facts.Height + F - 1) / F >= png_uint_32(std::max(MinH, 1));
    };
    if (Facts.Passes == 1)
        while (Factor < Facts.Width && Factor < Facts.Height && Fits(Factor + 1)) ++Factor;
    if (Factor == 1) {
        if (TImageLoadResult R = AllocateBitmap(Bitmap, Width, Height); R != ilrLoaded) return R;
        if (ReadPngRows(Reader.Png, Facts, {BitmapRow, nullptr, Bitmap})) return ilrLoaded;
        Bitmap->SetSize(0, 0);
        return ilrDamaged;
    }
    const png_uint_32 OutW = (Facts.Width + Factor - 1) / Factor, OutH = (Facts.Height + Factor - 1) / Factor;
    std::vector<uint8_t> Row;
    std::vector<uint64_t> Sums;
    try {
        Row.resize(size_t(Facts.Width) * 4);
        Sums.assign(size_t(OutW) * 4, 0);
    } catch (const std::bad_alloc&) {
        return ilrTooLarge;
    }
    if (TImageLoadResult R = AllocateBitmap(Bitmap, OutW, OutH); R != ilrLoaded) return R;
    TPngShrink Shrink{Bitmap, Facts.Width, Facts.Height, Factor, Row.data(), Sums.data()};
    if (ReadPngRows(Reader.Png, Facts, {ShrinkRow, ShrinkDone, &Shrink})) return ilrLoaded;
    Bitmap->SetSize(0, 0);
    return ilrDamaged;
}

TImageLoadResult DecodeGif(TStream* Stream, TCustomBitmap32* Bitmap, bool& HasAlpha, Integer& BitDepth)
{
    Bitmap->SetSize(0, 0);
    int Error = 0;
    std::unique_ptr<GifFileType, TGifCloser> Gif(DGifOpen(Stream, GifRead, &Error));
    if (!Gif) return ilrDamaged;
    // Extensions up to the first image: only its graphic control counts.
    int Transparent = -1;
    for (;;) {
        GifRecordType Type;
        if (DGifGetRecordType(Gif.get(), &Type) == GIF_ERROR) return ilrDamaged;
        if (Type == IMAGE_DESC_RECORD_TYPE) break;
        if (Type == TERMINATE_RECORD_TYPE) return ilrDamaged;  // no frame at all
        if (Type != EXTENSION_RECORD_TYPE) continue;
        int Code = 0;
        GifByteType* Block = nullptr;
        if (DGifGetExtension(Gif.get(), &Code, &Block) == GIF_ERROR) return ilrDamaged;
        if (Code == GRAPHICS_EXT_FUNC_CODE && Block && Block[0] >= 4)
            Transparent = (Block[1] & 1) ? Block[4] : -1;
        while (Block)
            if (DGifGetExtensionNext(Gif.get(), &Block) == GIF_ERROR) return ilrDamaged;
    }
    if (DGifGetImageDesc(Gif.get()) == GIF_ERROR) return ilrDamaged;
    const GifImageDesc& Frame = Gif->Image;
    if (Frame.Width <= 0 || Frame.Height <= 0 || Frame.Left < 0 || Frame.Top < 0) return ilrDamaged;
    const Int64 W = std::max<Int64>(Gif->SWidth, Int64(Frame.Left) + Frame.Width);
    const Int64 H = std::max<Int64>(Gif->SHeight, Int64(Frame.Top) + Frame.Height);
    // A 12-bit LZW code stands for at most 4096 pixels: a frame larger than
    // the rest of the file could hold is damaged, refused before its memory
    // is taken.
    if (!ImageSizeAllocatable(W, H)) return ilrTooLarge;
    if (Int64(Frame.Width) * Frame.Height > 4096 * std::max<Int64>(Stream->Size() - Stream->Position(), 0) + 4096)
        return ilrDamaged;
    if (TImageLoadResult R = AllocateBitmap(Bitmap, W, H); R != ilrLoaded) return R;
    Bitmap->Clear(0);

    // The frame's own colours, else the global ones; indexes past the end are black.
    TColor32 Colors[256];
    std::fill_n(Colors, 256, TColor32(0xFF000000));
    if (const ColorMapObject* Map = Frame.ColorMap ? Frame.ColorMap : Gif->SColorMap)
        for (int I = 0; I < std::min(Map->ColorCount, 256); ++I)
            Colors[I] = 0xFF000000u | TColor32(Map->Colors[I].Red) << 16 | TColor32(Map->Colors[I].Green) << 8 |
                        Map->Colors[I].Blue;
    if (Transparent >= 0) Colors[Transparent] &= 0xFFFFFF;

    std::vector<GifPixelType> Line(static_cast<size_t>(Frame.Width));
    auto PutLine = [&](Integer Y) {
        if (DGifGetLine(Gif.get(), Line.data(), Frame.Width) == GIF_ERROR) return false;
        TColor32* Dst = Bitmap->GetRowPtr(Frame.Top + Y) + Frame.Left;
        for (Integer X = 0; X < Frame.Width; ++X) Dst[X] = Colors[Line[static_cast<size_t>(X)]];
        return true;
    };
    bool Whole = true;
    if (Frame.Interlace) {
        static const Integer Start[4] = {0, 4, 2, 1}, Step[4] = {8, 8, 4, 2};
        for (Integer Pass = 0; Pass < 4 && Whole; ++Pass)
            for (Integer Y = Start[Pass]; Y < Frame.Height && Whole; Y += Step[Pass]) Whole = PutLine(Y);
    } else {
        for (Integer Y = 0; Y < Frame.Height && Whole; ++Y) Whole = PutLine(Y);
    }
    if (!Whole) {
        Bitmap->SetSize(0, 0);
        return ilrDamaged;
    }
    HasAlpha = false;
    BitDepth = 8;
    return ilrLoaded;
}

TImageLoadResult DecodeBmp(TStream* Stream, TCustomBitmap32* Bitmap, bool& HasAlpha, Integer& BitDepth)
{
    Bitmap->SetSize(0, 0);
    TDibImage Dib;
    try {
        ReadBmp(Stream, Dib);
    } catch (const std::bad_alloc&) {
        return ilrTooLarge;
    } catch (const Exception&) {
        return ilrDamaged;
    }
    if (TImageLoadResult R = AllocateBitmap(Bitmap, Dib.Width, Dib.Height); R != ilrLoaded) return R;
    for (Integer Y = 0; Y < Dib.Height; ++Y) {
        TColor32* Dst = Bitmap->GetRowPtr(Y);
        DecodeScanline(Dib.ScanLine(Y), Dib.PixelFormat, Dib.Palette, Dib.Width, Dst);
        // The fourth byte of 32-bit pixels is alpha only under an alpha mask.
        if (!Dib.FileAlpha && Dib.PixelFormat == pf32bit)
            for (Integer X = 0; X < Dib.Width; ++X) Dst[X] |= 0xFF000000u;
    }
    HasAlpha = Dib.FileAlpha;
    BitDepth = Dib.FileAlpha ? 32 : Dib.FileBitCount;
    return ilrLoaded;
}
