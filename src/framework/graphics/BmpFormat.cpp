#include "framework/graphics/BmpFormat.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "framework/graphics/ColorQuantizer.h"

namespace {

constexpr uint32_t BI_RGB_ = 0, BI_RLE8_ = 1, BI_RLE4_ = 2, BI_BITFIELDS_ = 3, BI_ALPHABITFIELDS_ = 6;
constexpr size_t FileHeaderSize = 14;
constexpr uint32_t MinInfoSize = 40, MaxInfoSize = 124;
// Headers after the first version hold the three colour masks in bytes 40..51.
constexpr uint32_t MaskedInfoSize = 52;

[[noreturn]] void Invalid() { throw EInvalidGraphic(u"Bitmap image is not valid"); }

uint16_t Rd16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Rd32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// What the info header says, and where the parts after it lie (offsets from
// the start of the info header).
struct TDibHeader {
    uint32_t Size = 0;
    Integer Width = 0;
    Integer Height = 0;  // rows, positive
    bool TopDown = false;
    uint16_t BitCount = 0;
    uint32_t Compression = 0;
    uint32_t SizeImage = 0;
    uint32_t Masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    size_t MaskBytes = 0;              // masks stored after a 40-byte header
    size_t PaletteCount = 0;           // entries stored
    uint64_t DataSize = 0;             // bytes of pixels (0 for run-lengths of unknown size)

    size_t PaletteOffset() const { return Size + MaskBytes; }
    size_t PaletteEnd() const { return PaletteOffset() + PaletteCount * 4; }
    bool RunLength() const { return Compression == BI_RLE8_ || Compression == BI_RLE4_; }
};

// Reads the header from P (N bytes, at least the header's own size).
void ParseHeader(const uint8_t* P, size_t N, TDibHeader& H)
{
    if (N < 4) Invalid();
    H.Size = Rd32(P);
    if (H.Size < MinInfoSize || H.Size > MaxInfoSize || N < H.Size) Invalid();
    int32_t w = static_cast<int32_t>(Rd32(P + 4)), h = static_cast<int32_t>(Rd32(P + 8));
    H.BitCount = Rd16(P + 14);
    H.Compression = Rd32(P + 16);
    H.SizeImage = Rd32(P + 20);
    uint32_t clrUsed = Rd32(P + 32);
    if (w < 0 || h == INT32_MIN) Invalid();
    H.Width = w;
    H.TopDown = h < 0;
    H.Height = h < 0 ? -h : h;

    bool ok;
    switch (H.Compression) {
    case BI_RGB_:
        ok = H.BitCount == 1 || H.BitCount == 4 || H.BitCount == 8 || H.BitCount == 16 || H.BitCount == 24 ||
             H.BitCount == 32;
        break;
    case BI_RLE8_: ok = H.BitCount == 8 && !H.TopDown; break;
    case BI_RLE4_: ok = H.BitCount == 4 && !H.TopDown; break;
    case BI_BITFIELDS_:
    case BI_ALPHABITFIELDS_: ok = H.BitCount == 16 || H.BitCount == 32; break;
    default: ok = false;  // JPEG and PNG inside a BMP are not read
    }
    if (!ok) Invalid();

    if (H.Compression == BI_BITFIELDS_ || H.Compression == BI_ALPHABITFIELDS_) {
        size_t count = H.Compression == BI_ALPHABITFIELDS_ ? 4 : 3;
        if (H.Size == MinInfoSize) {
            H.MaskBytes = count * 4;
            if (N >= H.Size + H.MaskBytes)
                for (size_t i = 0; i < count; ++i) H.Masks[i] = Rd32(P + H.Size + 4 * i);
        } else {
            // Version 2 and later headers hold the masks themselves; a header
            // between the two sizes would leave them past its end.
            if (H.Size < MaskedInfoSize) Invalid();
            for (size_t i = 0; i < 3; ++i) H.Masks[i] = Rd32(P + 40 + 4 * i);
            if (H.Size >= 56) H.Masks[3] = Rd32(P + 52);
        }
    } else if (H.BitCount == 16) {
        H.Masks[0] = 0x7C00, H.Masks[1] = 0x03E0, H.Masks[2] = 0x001F;
    }

    if (H.BitCount <= 8) {
        size_t full = size_t(1) << H.BitCount;
        H.PaletteCount = clrUsed == 0 ? full : std::min<size_t>(clrUsed, full);
    } else {
        // An optional palette that true-colour pictures may carry: skipped.
        if (clrUsed > 65536) Invalid();
        H.PaletteCount = clrUsed;
    }

    // Run-lengths let a few bytes claim any size: every picture is held to
    // the pixel cap before anything is allocated.
    if (static_cast<uint64_t>(H.Width) * static_cast<uint64_t>(H.Height) > MaxPicturePixels) Invalid();
    if (H.Width == 0 || H.Height == 0) {
        H.DataSize = 0;
    } else if (H.RunLength()) {
        H.DataSize = H.SizeImage;
    } else {
        uint64_t stride = (static_cast<uint64_t>(H.Width) * H.BitCount + 31) / 32 * 4;
        H.DataSize = stride * static_cast<uint64_t>(H.Height);
        if (H.DataSize > 0x7FFFFFFF) Invalid();
    }
}

// Bits 8.. of a channel from a masked value, scaled to 0..255.
struct TMaskField {
    uint32_t Mask = 0;
    int Shift = 0;
    uint64_t Max = 0;
    explicit TMaskField(uint32_t M) : Mask(M)
    {
        if (!M) return;
        while (!((M >> Shift) & 1)) ++Shift;
        Max = static_cast<uint64_t>(M) >> Shift;
    }
    int Get(uint32_t Value) const
    {
        if (!Mask) return 0;
        uint64_t v = (Value & Mask) >> Shift;
        return static_cast<int>((v * 255 + Max / 2) / Max);
    }
};

void PutIndex(TDibImage& Image, Integer X, Integer Y, uint8_t Value)
{
    // Run-length rows count from the bottom.
    if (X < 0 || X >= Image.Width || Y < 0 || Y >= Image.Height) return;
    uint8_t* row = Image.ScanLine(Image.Height - 1 - Y);
    if (Image.PixelFormat == pf8bit) {
        row[X] = Value;
    } else {
        uint8_t& b = row[X >> 1];
        b = (X & 1) ? static_cast<uint8_t>((b & 0xF0) | (Value & 0x0F)) : static_cast<uint8_t>((b & 0x0F) | (Value << 4));
    }
}

// Run-length data: a damaged or short stream ends the picture where it breaks;
// what was not reached keeps index 0.
void DecodeRunLength(const uint8_t* D, size_t N, bool Four, TDibImage& Image)
{
    size_t pos = 0;
    Integer x = 0, y = 0;
    while (pos + 1 < N && y < Image.Height) {
        uint8_t count = D[pos], value = D[pos + 1];
        pos += 2;
        if (count > 0) {
            for (Integer k = 0; k < count; ++k, ++x)
                PutIndex(Image, x, y, Four ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of picture
            break;
        } else if (value == 2) {  // move
            if (pos + 1 >= N) break;
            x += D[pos];
            y += D[pos + 1];
            pos += 2;
        } else {  // literal run of `value` pixels, padded to whole words
            size_t bytes = Four ? (value + 1u) / 2 : value;
            if (pos + bytes > N) break;
            for (Integer k = 0; k < value; ++k, ++x) {
                uint8_t v = Four ? ((k & 1) ? (D[pos + k / 2] & 0x0F) : (D[pos + k / 2] >> 4)) : D[pos + k];
                PutIndex(Image, x, y, v);
            }
            pos += bytes + (bytes & 1);
        }
    }
}

// Decodes the picture: Pixels is its pixel data (DataSize bytes), Palette its colour table.
void DecodeDib(const TDibHeader& H, const uint8_t* Palette, const uint8_t* Pixels, size_t PixelBytes,
               TDibImage& Image)
{
    TPixelFormat format;
    bool generic = false;
    switch (H.BitCount) {
    case 1: format = pf1bit; break;
    case 4: format = pf4bit; break;
    case 8: format = pf8bit; break;
    case 16:
        // With an alpha mask (1-5-5-5, 4-4-4-4) the generic path keeps the alpha.
        if (H.Masks[3]) format = pf32bit, generic = true;
        else if (H.Masks[0] == 0x7C00 && H.Masks[1] == 0x03E0 && H.Masks[2] == 0x001F) format = pf15bit;
        else if (H.Masks[0] == 0xF800 && H.Masks[1] == 0x07E0 && H.Masks[2] == 0x001F) format = pf16bit;
        else format = pf32bit, generic = true;
        break;
    case 24: format = pf24bit; break;
    default:
        format = pf32bit;
        generic = H.Compression != BI_RGB_ &&
                  !(H.Masks[0] == 0xFF0000 && H.Masks[1] == 0xFF00 && H.Masks[2] == 0xFF &&
                    (H.Masks[3] == 0 || H.Masks[3] == 0xFF000000u));
    }
    Image.Allocate(H.Width, H.Height, format);
    Image.FileBitCount = H.BitCount;
    Image.FileAlpha = H.Masks[3] != 0 && (H.BitCount == 16 || H.BitCount == 32);
    if (IsIndexedFormat(format)) {
        // The colour table as stored; indexes past its end read as black.
        Image.Palette.assign(H.PaletteCount, 0);
        for (size_t i = 0; i < H.PaletteCount; ++i)
            Image.Palette[i] = Palette[4 * i] | (Palette[4 * i + 1] << 8) | (Palette[4 * i + 2] << 16);
    }
    if (Image.Empty()) return;
    if (H.RunLength()) {
        DecodeRunLength(Pixels, PixelBytes, H.Compression == BI_RLE4_, Image);
        return;
    }
    Integer srcStride = BytesPerScanline(H.Width, H.BitCount);
    if (!generic) {
        for (Integer y = 0; y < H.Height; ++y) {
            const uint8_t* src = Pixels + static_cast<size_t>(H.TopDown ? y : H.Height - 1 - y) * srcStride;
            std::memcpy(Image.ScanLine(y), src, static_cast<size_t>(srcStride));
        }
        return;
    }
    TMaskField r(H.Masks[0]), g(H.Masks[1]), b(H.Masks[2]), a(H.Masks[3]);
    for (Integer y = 0; y < H.Height; ++y) {
        const uint8_t* src = Pixels + static_cast<size_t>(H.TopDown ? y : H.Height - 1 - y) * srcStride;
        uint8_t* dst = Image.ScanLine(y);
        for (Integer x = 0; x < H.Width; ++x) {
            uint32_t v = H.BitCount == 16 ? Rd16(src + 2 * x) : Rd32(src + 4 * x);
            dst[4 * x] = static_cast<uint8_t>(b.Get(v));
            dst[4 * x + 1] = static_cast<uint8_t>(g.Get(v));
            dst[4 * x + 2] = static_cast<uint8_t>(r.Get(v));
            dst[4 * x + 3] = static_cast<uint8_t>(H.Masks[3] ? a.Get(v) : 255);
        }
    }
}

std::vector<uint8_t> InfoAndPixels(const TDibImage& Image, size_t& PixelOffset)
{
    TPixelFormat fmt = Image.PixelFormat;
    Integer bits = PixelFormatBits(fmt);
    Integer width = std::max(Image.Width, 0), height = std::max(Image.Height, 0);
    Integer stride = BytesPerScanline(width, bits);
    bool masks = fmt == pf16bit;
    size_t colors = IsIndexedFormat(fmt) ? std::min(Image.Palette.size(), size_t(1) << bits) : 0;

    std::vector<uint8_t> b;
    size_t pixelBytes = Image.Empty() ? 0 : static_cast<size_t>(stride) * height;
    b.reserve(40 + 12 + colors * 4 + pixelBytes);
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(width));
    Put32(b, static_cast<uint32_t>(height));  // bottom-up
    Put16(b, 1);
    Put16(b, static_cast<uint32_t>(bits));
    Put32(b, masks ? BI_BITFIELDS_ : BI_RGB_);
    Put32(b, static_cast<uint32_t>(pixelBytes));
    Put32(b, 0);  // resolution: not recorded
    Put32(b, 0);
    Put32(b, static_cast<uint32_t>(colors));
    Put32(b, 0);
    if (masks) {
        Put32(b, 0xF800);
        Put32(b, 0x07E0);
        Put32(b, 0x001F);
    }
    for (size_t i = 0; i < colors; ++i) Put32(b, Image.Palette[i] & 0xFFFFFF);
    PixelOffset = b.size();
    if (pixelBytes) {
        // Bytes past the last pixel of a row are written as zeros.
        size_t used = (static_cast<size_t>(width) * bits + 7) / 8;
        for (Integer y = height - 1; y >= 0; --y) {
            const uint8_t* row = Image.ScanLine(y);
            b.insert(b.end(), row, row + used);
            b.insert(b.end(), static_cast<size_t>(stride) - used, 0);
        }
    }
    return b;
}

}  // namespace

Integer PixelFormatBits(TPixelFormat Format)
{
    switch (Format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
    }
}

bool IsIndexedFormat(TPixelFormat Format) { return Format == pf1bit || Format == pf4bit || Format == pf8bit; }

Integer BytesPerScanline(Integer Width, Integer BitCount)
{
    return static_cast<Integer>((static_cast<int64_t>(Width) * BitCount + 31) / 32 * 4);
}

void TDibImage::Allocate(Integer AWidth, Integer AHeight, TPixelFormat AFormat)
{
    Width = std::max(AWidth, 0);
    Height = std::max(AHeight, 0);
    PixelFormat = AFormat;
    Bits.assign(Empty() ? 0 : static_cast<size_t>(Stride()) * Height, 0);
}

void ReadBmp(TStream* Stream, TDibImage& Image)
{
    Int64 start = Stream->Position();
    Int64 avail = Stream->Size() - start;
    if (avail < static_cast<Int64>(FileHeaderSize + MinInfoSize)) Invalid();
    uint8_t fh[FileHeaderSize + 4];
    Stream->ReadBuffer(fh, sizeof fh);
    if (fh[0] != 'B' || fh[1] != 'M') Invalid();
    uint32_t fileSize = Rd32(fh + 2), offBits = Rd32(fh + 10), infoSize = Rd32(fh + 14);
    if (infoSize < MinInfoSize || infoSize > MaxInfoSize || static_cast<Int64>(FileHeaderSize + infoSize) > avail)
        Invalid();

    // The header, then (once its sizes are known) the rest of the file.
    std::vector<uint8_t> data(infoSize);
    std::memcpy(data.data(), fh + FileHeaderSize, 4);
    Stream->ReadBuffer(data.data() + 4, static_cast<Integer>(infoSize - 4));
    TDibHeader h;
    ParseHeader(data.data(), data.size(), h);

    uint64_t headerEnd = FileHeaderSize + h.PaletteOffset();
    uint64_t pixelStart = FileHeaderSize + h.PaletteEnd();
    if (offBits >= headerEnd && offBits <= static_cast<uint64_t>(avail)) {
        // The pixels' own offset wins; a shorter colour table than announced is common.
        if (offBits < pixelStart && h.BitCount <= 8) h.PaletteCount = (offBits - headerEnd) / 4;
        else if (offBits < pixelStart) h.PaletteCount = 0;
        pixelStart = offBits;
    }
    if (h.RunLength() && h.DataSize == 0 && h.Width > 0 && h.Height > 0) {
        // No size given: the run-lengths reach to the file's end.
        uint64_t end = fileSize > pixelStart && fileSize <= static_cast<uint64_t>(avail) ? fileSize : avail;
        h.DataSize = end > pixelStart ? end - pixelStart : 0;
    }
    uint64_t required = pixelStart + h.DataSize;
    if (required > static_cast<uint64_t>(avail)) throw EInvalidGraphic(u"The bitmap's pixel data is incomplete");
    uint64_t consumed = fileSize >= required && fileSize <= static_cast<uint64_t>(avail) ? fileSize : required;
    if (consumed > 0x7FFFFFFF) Invalid();

    size_t have = data.size();
    data.resize(static_cast<size_t>(consumed - FileHeaderSize));
    if (data.size() > have) Stream->ReadBuffer(data.data() + have, static_cast<Integer>(data.size() - have));
    // Masks stored after a 40-byte header were not in the header's bytes.
    for (size_t i = 0; i < h.MaskBytes / 4; ++i) h.Masks[i] = Rd32(data.data() + h.Size + 4 * i);

    size_t pixelOffset = static_cast<size_t>(pixelStart - FileHeaderSize);
    DecodeDib(h, data.data() + h.PaletteOffset(), data.data() + pixelOffset,
              static_cast<size_t>(h.DataSize), Image);
}

void ReadPackedDib(const uint8_t* Data, size_t Size, TDibImage& Image)
{
    TDibHeader h;
    ParseHeader(Data, Size, h);
    size_t pixelStart = h.PaletteEnd();
    if (pixelStart > Size) Invalid();
    if (h.RunLength() && h.DataSize == 0 && h.Width > 0 && h.Height > 0) h.DataSize = Size - pixelStart;
    if (pixelStart + h.DataSize > Size) throw EInvalidGraphic(u"The bitmap's pixel data is incomplete");
    DecodeDib(h, Data + h.PaletteOffset(), Data + pixelStart, static_cast<size_t>(h.DataSize), Image);
}

void WriteBmp(TStream* Stream, const TDibImage& Image)
{
    size_t pixelOffset = 0;
    std::vector<uint8_t> body = InfoAndPixels(Image, pixelOffset);
    std::vector<uint8_t> fh;
    fh.push_back('B');
    fh.push_back('M');
    Put32(fh, static_cast<uint32_t>(FileHeaderSize + body.size()));
    Put32(fh, 0);
    Put32(fh, static_cast<uint32_t>(FileHeaderSize + pixelOffset));
    Stream->WriteBuffer(fh.data(), static_cast<Integer>(fh.size()));
    Stream->WriteBuffer(body.data(), static_cast<Integer>(body.size()));
}

std::vector<uint8_t> MakePackedDib(const TDibImage& Image)
{
    size_t pixelOffset = 0;
    return InfoAndPixels(Image, pixelOffset);
}

void DecodeScanline(const uint8_t* Src, TPixelFormat Format, const std::vector<uint32_t>& Palette, Integer Width,
                    uint32_t* Dst)
{
    auto color = [&](size_t i) { return (i < Palette.size() ? Palette[i] & 0xFFFFFF : 0) | 0xFF000000u; };
    // 5 bits to 8: the top bits repeated below, so 0 and 31 become 0 and 255.
    auto five = [](uint32_t c) { return (c << 3) | (c >> 2); };
    for (Integer x = 0; x < Width; ++x) {
        switch (Format) {
        case pf1bit: Dst[x] = color((Src[x >> 3] >> (7 - (x & 7))) & 1); break;
        case pf4bit: Dst[x] = color((x & 1) ? (Src[x >> 1] & 0x0F) : (Src[x >> 1] >> 4)); break;
        case pf8bit: Dst[x] = color(Src[x]); break;
        case pf15bit: {
            uint32_t v = Rd16(Src + 2 * x);
            Dst[x] = 0xFF000000u | (five((v >> 10) & 31) << 16) | (five((v >> 5) & 31) << 8) | five(v & 31);
            break;
        }
        case pf16bit: {
            uint32_t v = Rd16(Src + 2 * x), g = (v >> 5) & 63;
            Dst[x] = 0xFF000000u | (five((v >> 11) & 31) << 16) | (((g << 2) | (g >> 4)) << 8) | five(v & 31);
            break;
        }
        case pf24bit:
            Dst[x] = 0xFF000000u | (Src[3 * x + 2] << 16) | (Src[3 * x + 1] << 8) | Src[3 * x];
            break;
        default: Dst[x] = Rd32(Src + 4 * x);
        }
    }
}

void EncodeScanline(const uint32_t* Src, TPixelFormat Format, Integer Width, uint8_t* Dst)
{
    // 8 bits to 5 or 6, rounded to nearest.
    auto to5 = [](uint32_t c) { return (c * 31 + 127) / 255; };
    auto to6 = [](uint32_t c) { return (c * 63 + 127) / 255; };
    for (Integer x = 0; x < Width; ++x) {
        uint32_t c = Src[x], r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
        switch (Format) {
        case pf15bit: {
            uint32_t v = (to5(r) << 10) | (to5(g) << 5) | to5(b);
            Dst[2 * x] = static_cast<uint8_t>(v);
            Dst[2 * x + 1] = static_cast<uint8_t>(v >> 8);
            break;
        }
        case pf16bit: {
            uint32_t v = (to5(r) << 11) | (to6(g) << 5) | to5(b);
            Dst[2 * x] = static_cast<uint8_t>(v);
            Dst[2 * x + 1] = static_cast<uint8_t>(v >> 8);
            break;
        }
        case pf24bit:
            Dst[3 * x] = static_cast<uint8_t>(b);
            Dst[3 * x + 1] = static_cast<uint8_t>(g);
            Dst[3 * x + 2] = static_cast<uint8_t>(r);
            break;
        case pf1bit:
        case pf4bit:
        case pf8bit: break;  // indexed rows are made with PackIndexes
        default:
            Dst[4 * x] = static_cast<uint8_t>(b);
            Dst[4 * x + 1] = static_cast<uint8_t>(g);
            Dst[4 * x + 2] = static_cast<uint8_t>(r);
            Dst[4 * x + 3] = static_cast<uint8_t>(c >> 24);
        }
    }
}

void PackIndexes(const uint8_t* Indexes, TPixelFormat Format, Integer Width, uint8_t* Dst)
{
    switch (Format) {
    case pf1bit:
        std::memset(Dst, 0, static_cast<size_t>((Width + 7) / 8));
        for (Integer x = 0; x < Width; ++x)
            if (Indexes[x] & 1) Dst[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
        break;
    case pf4bit:
        std::memset(Dst, 0, static_cast<size_t>((Width + 1) / 2));
        for (Integer x = 0; x < Width; ++x)
            Dst[x >> 1] |= static_cast<uint8_t>((x & 1) ? (Indexes[x] & 0x0F) : (Indexes[x] << 4));
        break;
    case pf8bit: std::memcpy(Dst, Indexes, static_cast<size_t>(Width)); break;
    default: break;
    }
}

TDibImage ConvertDib(const TDibImage& Src, TPixelFormat NewFormat)
{
    TDibImage dst;
    dst.Allocate(Src.Width, Src.Height, NewFormat);
    if (PixelFormatBits(NewFormat) == PixelFormatBits(Src.PixelFormat) &&
        (NewFormat == Src.PixelFormat || PixelFormatBits(NewFormat) == 32)) {
        dst.Palette = Src.Palette;
        dst.Bits = Src.Bits;
        return dst;
    }
    if (dst.Empty()) {
        if (IsIndexedFormat(NewFormat)) dst.Palette = DefaultPalette(NewFormat);
        return dst;
    }
    size_t w = static_cast<size_t>(Src.Width);
    std::vector<uint32_t> px(w * Src.Height);
    for (Integer y = 0; y < Src.Height; ++y)
        DecodeScanline(Src.ScanLine(y), Src.PixelFormat, Src.Palette, Src.Width, px.data() + y * w);

    if (!IsIndexedFormat(NewFormat)) {
        for (Integer y = 0; y < Src.Height; ++y) EncodeScanline(px.data() + y * w, NewFormat, Src.Width, dst.ScanLine(y));
        return dst;
    }
    Integer maxColors = 1 << PixelFormatBits(NewFormat);
    if (NewFormat == pf1bit) {
        // Two colours of its own stay; anything richer becomes black and white.
        std::unordered_set<uint32_t> seen;
        for (uint32_t c : px) {
            seen.insert(c & 0xFFFFFF);
            if (seen.size() > 2) break;
        }
        dst.Palette = seen.size() <= 2 ? QuantizePalette(px.data(), px.size(), 2) : DefaultPalette(pf1bit);
    } else {
        dst.Palette = QuantizePalette(px.data(), px.size(), maxColors);
    }
    std::vector<uint8_t> idx(px.size());
    MapToPalette(px.data(), Src.Width, Src.Height, dst.Palette, true, idx.data());
    for (Integer y = 0; y < Src.Height; ++y) PackIndexes(idx.data() + y * w, NewFormat, Src.Width, dst.ScanLine(y));
    return dst;
}

std::vector<uint32_t> DefaultPalette(TPixelFormat Format)
{
    switch (Format) {
    case pf1bit: return {0x000000, 0xFFFFFF};
    case pf4bit:
        return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    case pf8bit: {
        std::vector<uint32_t> p;
        for (uint32_t r = 0; r < 6; ++r)
            for (uint32_t g = 0; g < 6; ++g)
                for (uint32_t b = 0; b < 6; ++b) p.push_back((r * 51 << 16) | (g * 51 << 8) | (b * 51));
        for (uint32_t i = 1; i <= 40; ++i) {
            uint32_t v = i * 255 / 41;
            p.push_back((v << 16) | (v << 8) | v);
        }
        return p;
    }
    default: return {};
    }
}
