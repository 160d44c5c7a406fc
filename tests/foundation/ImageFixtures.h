// Picture files made by the tests themselves: PNG of any colour type, depth
// and interlacing (libpng), animated GIF (giflib), BMP with a V5 header and
// bit fields. All in memory, as the file's bytes.
#pragma once

#include <string>
#include <vector>

#include <gif_lib.h>
#include <png.h>

namespace ImageFixtures {

struct TPngSpec {
    int Width, Height, Type, Depth;
    bool Interlaced = false;
    std::vector<png_color> Palette = {};
    std::vector<png_byte> PaletteAlpha = {};
    bool Key = false;
    png_color_16 KeyColor{};
};

inline void PngWrite(png_structp Png, png_bytep Data, size_t Length)
{
    auto* Out = static_cast<std::string*>(png_get_io_ptr(Png));
    Out->append(reinterpret_cast<const char*>(Data), Length);
}
inline void PngFlush(png_structp) {}

// A PNG whose row Y is Row(Y) (raw samples in the file's layout).
template <typename TRow>
std::string MakePng(const TPngSpec& S, TRow Row)
{
    std::string Out;
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop Info = png_create_info_struct(Png);
    png_set_write_fn(Png, &Out, PngWrite, PngFlush);
    png_set_compression_level(Png, 1);
    png_set_IHDR(Png, Info, S.Width, S.Height, S.Depth, S.Type,
                 S.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!S.Palette.empty()) png_set_PLTE(Png, Info, S.Palette.data(), static_cast<int>(S.Palette.size()));
    if (!S.PaletteAlpha.empty())
        png_set_tRNS(Png, Info, S.PaletteAlpha.data(), static_cast<int>(S.PaletteAlpha.size()), nullptr);
    if (S.Key) png_set_tRNS(Png, Info, nullptr, 0, const_cast<png_color_16*>(&S.KeyColor));
    png_write_info(Png, Info);
    const int Passes = png_set_interlace_handling(Png);
    for (int P = 0; P < Passes; ++P)
        for (int Y = 0; Y < S.Height; ++Y) {
            std::vector<png_byte> R = Row(Y);
            png_write_row(Png, R.data());
        }
    png_write_end(Png, Info);
    png_destroy_write_struct(&Png, &Info);
    return Out;
}

// Rows of W samples of Depth bits each, all Value (packed for depths below 8,
// big-endian for 16).
inline std::vector<png_byte> Samples(int Count, int Depth, unsigned Value)
{
    std::vector<png_byte> R((static_cast<size_t>(Count) * Depth + 7) / 8, 0);
    for (int I = 0; I < Count; ++I) {
        if (Depth == 16) {
            R[2 * I] = static_cast<png_byte>(Value >> 8);
            R[2 * I + 1] = static_cast<png_byte>(Value);
        } else if (Depth == 8) {
            R[I] = static_cast<png_byte>(Value);
        } else {
            const int Bit = I * Depth;
            R[Bit / 8] |= static_cast<png_byte>(Value << (8 - Depth - Bit % 8));
        }
    }
    return R;
}

inline int GifWrite(GifFileType* Gif, const GifByteType* Data, int Length)
{
    static_cast<std::string*>(Gif->UserData)->append(reinterpret_cast<const char*>(Data), size_t(Length));
    return Length;
}

// An animated GIF: Frames frames of W x H, frame F filled with index F + 1
// (red, green, blue) except its top-left pixel, which has index 0: transparent
// when Transparent, else black.
inline std::string MakeAnimatedGif(int W, int H, int Frames, bool Interlaced, bool Transparent = true)
{
    std::string Out;
    int Error = 0;
    GifFileType* Gif = EGifOpen(&Out, GifWrite, &Error);
    GifColorType Colors[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ColorMapObject* Map = GifMakeMapObject(4, Colors);
    EGifSetGifVersion(Gif, true);
    EGifPutScreenDesc(Gif, W, H, 2, 0, Map);
    for (int F = 0; F < Frames; ++F) {
        GraphicsControlBlock Gcb{};
        Gcb.TransparentColor = Transparent ? 0 : NO_TRANSPARENT_COLOR;
        Gcb.DelayTime = 10;
        GifByteType Ext[4];
        EGifGCBToExtension(&Gcb, Ext);
        EGifPutExtension(Gif, GRAPHICS_EXT_FUNC_CODE, 4, Ext);
        EGifPutImageDesc(Gif, 0, 0, W, H, Interlaced, nullptr);
        std::vector<GifPixelType> Line(static_cast<size_t>(W), GifPixelType(F % 3 + 1));
        for (int Y = 0; Y < H; ++Y) {
            Line[0] = Y == 0 ? 0 : GifPixelType(F % 3 + 1);
            EGifPutLine(Gif, Line.data(), W);
        }
    }
    EGifCloseFile(Gif, &Error);
    GifFreeMapObject(Map);
    return Out;
}

inline std::string Le16(uint32_t V) { return {char(V & 0xFF), char(V >> 8)}; }
inline std::string Le32(uint32_t V) { return Le16(V & 0xFFFF) + Le16(V >> 16); }

// A BMP with a V5 (124-byte) header, bit fields and the given masks; Pixels
// are the stored words, bottom row first.
inline std::string MakeV5Bmp(int W, int H, int Bits, const uint32_t (&Masks)[4], const std::string& Pixels)
{
    std::string Info = Le32(124) + Le32(uint32_t(W)) + Le32(uint32_t(H)) + Le16(1) + Le16(uint32_t(Bits)) +
                       Le32(3) + Le32(uint32_t(Pixels.size())) + Le32(2835) + Le32(2835) + Le32(0) + Le32(0);
    for (uint32_t M : Masks) Info += Le32(M);
    Info += Le32(0x73524742);  // sRGB
    Info += std::string(124 - Info.size(), '\0');
    return "BM" + Le32(uint32_t(14 + Info.size() + Pixels.size())) + Le32(0) + Le32(uint32_t(14 + Info.size())) +
           Info + Pixels;
}

}  // namespace ImageFixtures
