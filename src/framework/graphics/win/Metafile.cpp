#include "framework/graphics/win/Metafile.h"

#include <cstring>
#include <vector>

namespace {

// The header that programs put before a WMF to give its size.
constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr size_t PlaceableSize = 22;
// Metafiles are records of drawing calls: a few hundred megabytes is far
// beyond any real one, and GDI copies the bytes once more.
constexpr Int64 MaxMetafileBytes = Int64(256) << 20;

uint16_t Rd16(const uint8_t* P) { return static_cast<uint16_t>(P[0] | (P[1] << 8)); }
uint32_t Rd32(const uint8_t* P) { return Rd16(P) | (static_cast<uint32_t>(Rd16(P + 2)) << 16); }
void Put16(std::vector<uint8_t>& B, uint32_t V)
{
    B.push_back(static_cast<uint8_t>(V));
    B.push_back(static_cast<uint8_t>(V >> 8));
}

// Pixels per inch of the screen, across and down.
void ScreenResolution(Integer& X, Integer& Y)
{
    HDC Screen = GetDC(nullptr);
    X = GetDeviceCaps(Screen, LOGPIXELSX);
    Y = GetDeviceCaps(Screen, LOGPIXELSY);
    ReleaseDC(nullptr, Screen);
    if (X <= 0) X = 96;
    if (Y <= 0) Y = 96;
}

void Invalid() { throw EInvalidGraphic(u"Invalid metafile"); }

// The size H is drawn at, in pixels at the screen's resolution; 0 x 0 when
// it has no header.
void FrameSize(HENHMETAFILE H, Integer& Width, Integer& Height)
{
    Width = Height = 0;
    ENHMETAHEADER Header{};
    if (!H || !GetEnhMetaFileHeader(H, sizeof Header, &Header)) return;
    // The frame is in hundredths of a millimetre, both ends included.
    Integer X, Y;
    ScreenResolution(X, Y);
    Width = MulDiv(Header.rclFrame.right - Header.rclFrame.left, X, 2540);
    Height = MulDiv(Header.rclFrame.bottom - Header.rclFrame.top, Y, 2540);
}

}  // namespace

TMetafile::~TMetafile()
{
    if (FHandle) DeleteEnhMetaFile(FHandle);
}

void TMetafile::Reset(HENHMETAFILE Value)
{
    if (FHandle && FHandle != Value) DeleteEnhMetaFile(FHandle);
    FHandle = Value;
    FrameSize(FHandle, FWidth, FHeight);
    Changed();
}

void TMetafile::SetHandle(HENHMETAFILE Value) { Reset(Value); }

HENHMETAFILE TMetafile::ReleaseHandle()
{
    HENHMETAFILE H = FHandle;
    FHandle = nullptr;
    FWidth = FHeight = 0;
    Changed();
    return H;
}

void TMetafile::Assign(TPersistent* Source)
{
    if (!Source) {
        Reset(nullptr);
    } else if (auto* M = dynamic_cast<TMetafile*>(Source)) {
        if (M == this) return;
        Reset(M->FHandle ? CopyEnhMetaFile(M->FHandle, nullptr) : nullptr);
        FWidth = M->FWidth;
        FHeight = M->FHeight;
        FEnhanced = M->FEnhanced;
    } else {
        TGraphic::Assign(Source);
    }
}

void TMetafile::SetWidth(Integer Value)
{
    if (Value == FWidth) return;
    FWidth = Value;
    Changed();
}

void TMetafile::SetHeight(Integer Value)
{
    if (Value == FHeight) return;
    FHeight = Value;
    Changed();
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (!FHandle) return;
    const RECT Bounds{R.Left, R.Top, R.Right, R.Bottom};
    PlayEnhMetaFile(ACanvas->Handle(), FHandle, &Bounds);
}

void TMetafile::LoadFromStream(TStream* Stream)
{
    const Int64 Size = Stream->Size() - Stream->Position();
    if (Size < 18 || Size > MaxMetafileBytes) Invalid();
    std::vector<uint8_t> Data(static_cast<size_t>(Size));
    Stream->ReadBuffer(Data.data(), static_cast<Integer>(Size));
    const uint8_t* P = Data.data();
    HENHMETAFILE Handle = nullptr;
    if (Size >= 88 && Rd32(P) == EMR_HEADER && Rd32(P + 40) == ENHMETA_SIGNATURE) {
        // GDI checks the records against their sizes itself.
        if (Rd32(P + 48) > Data.size()) Invalid();  // nBytes: the whole file
        Handle = SetEnhMetaFileBits(static_cast<UINT>(Rd32(P + 48)), P);
    } else {
        // A WMF, perhaps after its placeable header (size in units per inch).
        size_t Offset = 0;
        METAFILEPICT Pict{MM_ANISOTROPIC, 0, 0, nullptr};
        const METAFILEPICT* Size16 = nullptr;
        if (Rd32(P) == PlaceableKey) {
            if (Data.size() < PlaceableSize + 18) Invalid();
            const Integer Inch = Rd16(P + 14);
            const auto Left = static_cast<int16_t>(Rd16(P + 6)), Top = static_cast<int16_t>(Rd16(P + 8));
            const auto Right = static_cast<int16_t>(Rd16(P + 10)), Bottom = static_cast<int16_t>(Rd16(P + 12));
            if (Inch > 0 && Right > Left && Bottom > Top) {
                Pict.xExt = MulDiv(Right - Left, 2540, Inch);
                Pict.yExt = MulDiv(Bottom - Top, 2540, Inch);
                Size16 = &Pict;
            }
            Offset = PlaceableSize;
        }
        const uint8_t* W = P + Offset;
        // The WMF header: type 1 or 2, header size 9 words, version.
        if ((Rd16(W) != 1 && Rd16(W) != 2) || Rd16(W + 2) != 9) Invalid();
        Handle = SetWinMetaFileBits(static_cast<UINT>(Data.size() - Offset), W, nullptr, Size16);
    }
    if (!Handle) Invalid();
    // An inverted or empty frame (a placeable box upside down over records
    // that draw nothing, say) is a picture of no size: refused, and the
    // picture held before stays.
    Integer W, H;
    FrameSize(Handle, W, H);
    if (W <= 0 || H <= 0) {
        DeleteEnhMetaFile(Handle);
        throw EInvalidGraphic(u"Invalid metafile: its frame has no size");
    }
    Reset(Handle);
}

void TMetafile::SaveToStream(TStream* Stream)
{
    if (!FHandle) throw EInvalidGraphic(u"Cannot save an empty metafile");
    std::vector<uint8_t> Data;
    if (FEnhanced) {
        const UINT Size = GetEnhMetaFileBits(FHandle, 0, nullptr);
        Data.resize(Size);
        if (!Size || GetEnhMetaFileBits(FHandle, Size, Data.data()) != Size) Invalid();
    } else {
        HDC Screen = GetDC(nullptr);
        const UINT Size = GetWinMetaFileBits(FHandle, 0, nullptr, MM_ANISOTROPIC, Screen);
        std::vector<uint8_t> Bits(Size);
        const bool Ok = Size && GetWinMetaFileBits(FHandle, Size, Bits.data(), MM_ANISOTROPIC, Screen) == Size;
        ReleaseDC(nullptr, Screen);
        if (!Ok) Invalid();
        // The placeable header: the size in pixels at the screen's resolution.
        Integer X, Y;
        ScreenResolution(X, Y);
        Put16(Data, PlaceableKey & 0xFFFF);
        Put16(Data, PlaceableKey >> 16);
        Put16(Data, 0);  // handle
        Put16(Data, 0);
        Put16(Data, 0);
        Put16(Data, static_cast<uint32_t>(FWidth));
        Put16(Data, static_cast<uint32_t>(MulDiv(FHeight, X, Y)));
        Put16(Data, static_cast<uint32_t>(X));  // units per inch
        Put16(Data, 0);                         // reserved
        Put16(Data, 0);
        uint16_t Sum = 0;
        for (size_t I = 0; I < 20; I += 2) Sum ^= Rd16(Data.data() + I);
        Put16(Data, Sum);
        Data.insert(Data.end(), Bits.begin(), Bits.end());
    }
    Stream->WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
}

bool TMetafile::LoadFromOpenClipboard()
{
    if (HANDLE H = GetClipboardData(CF_ENHMETAFILE)) {
        // The clipboard keeps its own: the picture takes a copy.
        HENHMETAFILE Copy = CopyEnhMetaFile(static_cast<HENHMETAFILE>(H), nullptr);
        if (!Copy) return false;
        Reset(Copy);
        return true;
    }
    HANDLE H = GetClipboardData(CF_METAFILEPICT);
    if (!H) return false;
    const auto* Pict = static_cast<const METAFILEPICT*>(GlobalLock(H));
    if (!Pict) return false;
    HENHMETAFILE Converted = nullptr;
    if (const UINT Size = GetMetaFileBitsEx(Pict->hMF, 0, nullptr)) {
        std::vector<uint8_t> Bits(Size);
        if (GetMetaFileBitsEx(Pict->hMF, Size, Bits.data()) == Size)
            Converted = SetWinMetaFileBits(Size, Bits.data(), nullptr, Pict);
    }
    GlobalUnlock(H);
    if (!Converted) return false;
    Reset(Converted);
    return true;
}

void TMetafile::SaveToOpenClipboard() const
{
    if (!FHandle) return;
    HENHMETAFILE Copy = CopyEnhMetaFile(FHandle, nullptr);
    if (Copy && !SetClipboardData(CF_ENHMETAFILE, Copy)) DeleteEnhMetaFile(Copy);
}
