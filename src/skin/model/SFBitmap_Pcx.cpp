// TsfBitmap::LoadFromPcxStream: 8-bit PCX pictures. The file is outside data:
// every size is checked against what the stream holds, and a picture that
// cannot be read leaves the bitmap as it was.
#include <vector>

#include "skin/model/SFBitmap.h"

namespace {

// The 16 colours of the system palette (version 3 files carry no palette);
// indexes above them read as black.
constexpr uint32_t SystemPalette16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

uint16_t Word16(const uint8_t* P) { return static_cast<uint16_t>(P[0] | (P[1] << 8)); }

}  // namespace

void TsfBitmap::LoadFromPcxStream(TStream* Stream)
{
    if (!Stream) return;
    const Int64 Start = Stream->Position();
    const Int64 Size = Stream->Size();
    uint8_t Header[128];
    if (Size - Start < 128 || Stream->Read(Header, 128) != 128) return;
    if (Header[0] != 10 && Header[0] != 205) return;
    const Int64 Xmin = Word16(Header + 4), Ymin = Word16(Header + 6), Xmax = Word16(Header + 8),
                Ymax = Word16(Header + 10);
    const Int64 W = Xmax - Xmin + 1, H = Ymax - Ymin + 1;
    const Int64 BytesPerLine = Int64(Header[65]) * Word16(Header + 66);
    // Each row's first W bytes are the picture: a line shorter than that is damage.
    if (W <= 0 || H <= 0 || BytesPerLine < W) return;

    // Palette: the last 769 bytes (a marker, then 256 red-green-blue triples).
    uint32_t Palette[256] = {};
    const Int64 DataStart = Start + 128;
    if (Header[1] == 3) {
        std::copy(std::begin(SystemPalette16), std::end(SystemPalette16), Palette);
    } else {
        if (Size - DataStart < 769) return;
        uint8_t Raw[769];
        Stream->SetPosition(Size - 769);
        if (Stream->Read(Raw, 769) != 769) return;
        for (int i = 0; i < 256; ++i)
            Palette[i] = (uint32_t(Raw[1 + 3 * i]) << 16) | (uint32_t(Raw[2 + 3 * i]) << 8) | Raw[3 + 3 * i];
        Stream->SetPosition(DataStart);
    }

    // The rest of the stream, decoded into H lines. Raw data must hold every
    // line; run-length data must at least be able to (a pair gives at most 63
    // bytes), so the picture never grows beyond what the file can describe.
    const Int64 Avail = Size - DataStart;
    const Int64 Need = H * BytesPerLine;
    const bool Rle = Header[2] == 1;
    if (Rle ? Need > (Avail / 2 + 1) * 63 : Need > Avail) return;
    if (Need > INT32_MAX || W * H > INT32_MAX / 4) return;
    std::vector<uint8_t> In(static_cast<size_t>(Avail));
    if (Avail && Stream->Read(In.data(), static_cast<Integer>(Avail)) != Avail) return;
    std::vector<uint8_t> Lines(static_cast<size_t>(Need));
    if (Rle) {
        size_t Out = 0, i = 0;
        while (Out < Lines.size() && i < In.size()) {
            const uint8_t B = In[i++];
            if (B < 192) {
                Lines[Out++] = B;
                continue;
            }
            if (i >= In.size()) break;
            const size_t Count = std::min<size_t>(B & 0x3F, Lines.size() - Out);
            std::fill_n(Lines.begin() + static_cast<ptrdiff_t>(Out), Count, In[i++]);
            Out += Count;
        }
    } else {
        std::copy_n(In.begin(), static_cast<ptrdiff_t>(Need), Lines.begin());
    }

    SetSize(static_cast<Integer>(W), static_cast<Integer>(H));
    for (Integer y = 0; y < FHeight; ++y) {
        const uint8_t* Src = Lines.data() + static_cast<size_t>(y) * static_cast<size_t>(BytesPerLine);
        TsfColor* Dst = ScanLineAddress(y);
        for (Integer x = 0; x < FWidth; ++x) Dst[x] = 0xFF000000u | Palette[Src[x]];
    }
}
