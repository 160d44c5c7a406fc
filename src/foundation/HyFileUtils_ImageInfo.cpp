#include "foundation/HyFileUtils_ImageInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "filters/HyRas32Filters.h"
#include "framework/runtime/SysUtils.h"

TImageFormat GetImageTypeByExt(const String& FileName)
{
    struct TExt {
        const char16_t* Ext;
        TImageFormat Format;
    };
    static const TExt Exts[] = {
        {u".bmp", ifBmp}, {u".png", ifPng},  {u".jpg", ifJpg},  {u".jpe", ifJpg},
        {u".jpeg", ifJpg}, {u".gif", ifGif}, {u".emf", ifEmf}, {u".tif", ifTiff}, {u".tiff", ifTiff},
    };
    String Ext = ExtractFileExt(FileName);
    for (const TExt& E : Exts)
        if (SameText(Ext, E.Ext)) return E.Format;
    return ifUnknown;
}

void GetImageTypeExt(Byte Format, String& Ext)
{
    static const char16_t* const Exts[] = {u"bmp", u"png", u"jpg", u"gif", u"", u"wmf", u"emf", u"tiff", u"ico"};
    Byte F = Format & 0x7F;
    if (F < std::size(Exts)) Ext = Exts[F];
}

void FitSize(Integer W, Integer H, Integer BoxW, Integer BoxH, Integer& NewW, Integer& NewH)
{
    // The scaled side, truncated; a degenerate quotient (a zero side) gives
    // 0, which is raised to 1 below.
    auto Scaled = [](Extended Numerator, Extended Denominator, Integer Side, Integer Limit) {
        Extended V = Numerator / Denominator * Side;
        if (!std::isfinite(V) || V < 1) return Integer(0);
        return V >= Limit ? Limit : static_cast<Integer>(Trunc(V));
    };
    if (W <= BoxW && H <= BoxH) {
        NewW = W;
        NewH = H;
    } else if (static_cast<Extended>(BoxW) / BoxH >= static_cast<Extended>(W) / H) {
        // Relatively taller than the box: the height fills it.
        NewH = BoxH;
        NewW = Scaled(BoxH, H, W, W);
    } else {
        NewW = BoxW;
        NewH = Scaled(BoxW, W, H, H);
    }
    if (NewW < 1) NewW = 1;
    if (NewH < 1) NewH = 1;
}

bool ImageSizeAllocatable(Int64 W, Int64 H) { return W > 0 && H > 0 && W <= MaxBitmapPixels / H; }

namespace {

// Reads exactly Count bytes; false at the end of the data.
bool ReadExact(TStream* S, void* Buffer, Integer Count) { return S->Read(Buffer, Count) == Count; }

uint32_t BigEndian16(const uint8_t* P) { return (uint32_t(P[0]) << 8) | P[1]; }
uint32_t BigEndian32(const uint8_t* P) { return (BigEndian16(P) << 16) | BigEndian16(P + 2); }
uint32_t LittleEndian16(const uint8_t* P) { return (uint32_t(P[1]) << 8) | P[0]; }
uint32_t LittleEndian32(const uint8_t* P) { return (LittleEndian16(P + 2) << 16) | LittleEndian16(P); }

bool PngSize(TStream* S, Int64& W, Int64& H)
{
    // Signature (8), IHDR length and type (8), then width and height.
    uint8_t B[16];
    if (!ReadExact(S, B, 16) || std::memcmp(B + 4, "IHDR", 4) != 0) return false;
    W = BigEndian32(B + 8);
    H = BigEndian32(B + 12);
    return true;
}

bool JpegSize(TStream* S, Int64& W, Int64& H, Integer& Components)
{
    // Passes over the bytes up to and including the next FF, in chunks (a
    // damaged file may hold many); false at the end.
    auto SkipPastFF = [S] {
        uint8_t Chunk[256];
        for (;;) {
            const Int64 At = S->Position();
            const Integer Got = S->Read(Chunk, sizeof Chunk);
            if (Got <= 0) return false;
            if (const void* Hit = std::memchr(Chunk, 0xFF, static_cast<size_t>(Got))) {
                const Int64 After = At + (static_cast<const uint8_t*>(Hit) - Chunk) + 1;
                return S->Seek(After, soBeginning) == After;
            }
        }
    };
    // The next marker as the decoder finds it: bytes before its FF (after a
    // segment whose length falls short of its data) and FF 00 pairs are
    // passed over, FF fill bytes skipped. A file the decoder reads must not
    // go to another reader for want of a size here.
    auto NextMarker = [S, &SkipPastFF](uint8_t& Marker) {
        for (;;) {
            if (!SkipPastFF()) return false;
            do
                if (!ReadExact(S, &Marker, 1)) return false;
            while (Marker == 0xFF);
            if (Marker != 0) return true;
        }
    };
    // Walk the marker segments up to the first start of frame (SOF0..SOF15
    // without DHT C4, JPG C8 and DAC CC).
    for (Integer Segments = 0; Segments < 4096; ++Segments) {
        uint8_t Marker;
        if (!NextMarker(Marker)) return false;
        if (Marker == 0xD8 || Marker == 0x01 || (Marker >= 0xD0 && Marker <= 0xD7)) continue;  // no length
        if (Marker == 0xD9 || Marker == 0xDA) return false;  // end of image or scan before a frame
        uint8_t L[2];
        if (!ReadExact(S, L, 2)) return false;
        uint32_t Length = BigEndian16(L);
        if (Length < 2) return false;
        if (Marker >= 0xC0 && Marker <= 0xCF && Marker != 0xC4 && Marker != 0xC8 && Marker != 0xCC) {
            uint8_t F[6];  // precision, height, width, components
            if (Length < 8 || !ReadExact(S, F, 6)) return false;
            H = BigEndian16(F + 1);
            W = BigEndian16(F + 3);
            Components = F[5];
            return true;
        }
        Int64 Next = S->Position() + Length - 2;
        if (Next > S->Size() || S->Seek(Next, soBeginning) != Next) return false;
    }
    return false;
}

bool GifSize(TStream* S, Int64& W, Int64& H)
{
    uint8_t B[7];  // after the 6-byte signature: screen width, height, flags, background, aspect
    if (!ReadExact(S, B, 7)) return false;
    W = LittleEndian16(B);
    H = LittleEndian16(B + 2);
    auto SkipColorTable = [S](uint8_t Flags) {
        if (!(Flags & 0x80)) return true;
        Int64 Next = S->Position() + 3 * (Int64(2) << (Flags & 7));
        return Next <= S->Size() && S->Seek(Next, soBeginning) == Next;
    };
    if (!SkipColorTable(B[4])) return true;
    // Extensions up to the first image descriptor, whose frame may reach
    // beyond the logical screen.
    for (Integer Blocks = 0; Blocks < 65536; ++Blocks) {
        uint8_t Intro;
        if (!ReadExact(S, &Intro, 1)) return true;
        if (Intro == 0x2C) {
            uint8_t D[8];  // left, top, width, height
            if (!ReadExact(S, D, 8)) return true;
            W = std::max<Int64>(W, Int64(LittleEndian16(D)) + LittleEndian16(D + 4));
            H = std::max<Int64>(H, Int64(LittleEndian16(D + 2)) + LittleEndian16(D + 6));
            return true;
        }
        if (Intro != 0x21) return true;
        uint8_t Label;
        if (!ReadExact(S, &Label, 1)) return true;
        for (;;) {  // data sub-blocks up to the empty one
            uint8_t Size;
            if (!ReadExact(S, &Size, 1)) return true;
            if (Size == 0) break;
            Int64 Next = S->Position() + Size;
            if (Next > S->Size() || S->Seek(Next, soBeginning) != Next) return true;
        }
    }
    return true;
}

bool BmpSize(TStream* S, Int64& W, Int64& H)
{
    uint8_t B[24];  // the rest of the file header (12 bytes), then the start of the info header
    if (!ReadExact(S, B, 12 + 12)) return false;
    uint32_t HeaderSize = LittleEndian32(B + 12);
    if (HeaderSize == 12) {  // the old core header: 16-bit sides
        W = LittleEndian16(B + 16);
        H = LittleEndian16(B + 18);
        return true;
    }
    if (HeaderSize < 16) return false;
    W = std::abs(Int64(int32_t(LittleEndian32(B + 16))));
    H = std::abs(Int64(int32_t(LittleEndian32(B + 20))));  // negative: rows top-down
    return true;
}

bool TiffSize(TStream* S, bool BigEndian, Int64& W, Int64& H)
{
    auto U16 = [BigEndian](const uint8_t* P) { return BigEndian ? BigEndian16(P) : LittleEndian16(P); };
    auto U32 = [BigEndian](const uint8_t* P) { return BigEndian ? BigEndian32(P) : LittleEndian32(P); };
    uint8_t B[4];  // after the 4-byte signature: offset of the first directory
    if (!ReadExact(S, B, 4)) return false;
    Int64 Ifd = U32(B);
    if (Ifd > S->Size() || S->Seek(Ifd, soBeginning) != Ifd || !ReadExact(S, B, 2)) return false;
    uint32_t Count = U16(B);
    bool HasW = false, HasH = false;
    for (uint32_t I = 0; I < Count && !(HasW && HasH); ++I) {
        uint8_t E[12];  // tag, type, count, value
        if (!ReadExact(S, E, 12)) return false;
        uint32_t Tag = U16(E), Type = U16(E + 2);
        if (Tag != 256 && Tag != 257) continue;
        Int64 V;
        if (Type == 3) V = U16(E + 8);       // SHORT
        else if (Type == 4) V = U32(E + 8);  // LONG
        else return false;
        (Tag == 256 ? W : H) = V;
        (Tag == 256 ? HasW : HasH) = true;
    }
    return HasW && HasH;
}

}  // namespace

bool ReadImageHeader(TStream* Stream, TImageHeader& Header)
{
    Header = TImageHeader();
    TImageHeader& H = Header;
    uint8_t Sig[8];
    bool Known = false;
    if (!ReadExact(Stream, Sig, 2)) {
    } else if (Sig[0] == 'B' && Sig[1] == 'M') {
        H.Format = ifBmp;
        Known = BmpSize(Stream, H.Width, H.Height);
    } else if (Sig[0] == 0xFF && Sig[1] == 0xD8) {
        H.Format = ifJpg;
        Known = JpegSize(Stream, H.Width, H.Height, H.Components);
    } else if (!ReadExact(Stream, Sig + 2, 2)) {
    } else if (std::memcmp(Sig, "II*\0", 4) == 0 || std::memcmp(Sig, "MM\0*", 4) == 0) {
        H.Format = ifTiff;
        Known = TiffSize(Stream, Sig[0] == 'M', H.Width, H.Height);
    } else if (!ReadExact(Stream, Sig + 4, 2)) {
    } else if (std::memcmp(Sig, "GIF87a", 6) == 0 || std::memcmp(Sig, "GIF89a", 6) == 0) {
        H.Format = ifGif;
        Known = GifSize(Stream, H.Width, H.Height);
    } else if (ReadExact(Stream, Sig + 6, 2) && std::memcmp(Sig, "\x89PNG\r\n\x1A\n", 8) == 0) {
        H.Format = ifPng;
        Known = PngSize(Stream, H.Width, H.Height);
    }
    if (!Known) Header = TImageHeader();
    return Known;
}

bool ReadImageFileHeader(const String& FileName, TImageHeader& Header)
{
    Header = TImageHeader();
    try {
        TFileStream F(FileName, fmOpenRead | fmShareDenyNone);
        return ReadImageHeader(&F, Header);
    } catch (const EStreamError&) {
        return false;
    }
}

bool FitBitmap32(TCustomBitmap32* Src, TCustomBitmap32* Dst, Integer BoxW, Integer BoxH)
{
    if (Src->Width() > BoxW || Src->Height() > BoxH) {
        Integer W, H;
        FitSize(Src->Width(), Src->Height(), BoxW, BoxH, W, H);
        ResizeBitmap(Src, Dst, W, H);
    } else {
        Dst->Assign(Src);
    }
    return true;
}
