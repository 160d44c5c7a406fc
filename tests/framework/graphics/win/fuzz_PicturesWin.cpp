// Fuzz target of the platform's picture readers, run under Wine: the first
// byte chooses the reader, the rest is its input.
//   0 TMetafile::LoadFromStream (EMF, placeable or plain WMF), drawn;
//   1 TPngImage, 2 TGIFImage, 3 TJPEGImage LoadFromStream, each then turned
//     into a bitmap;
//   4 the clipboard's CF_DIB read into a TBitmap;
//   5 the clipboard's CF_ENHMETAFILE and 6 its CF_METAFILEPICT (records made
//     by the system from the bytes) read into a TMetafile.
// A picture read is written, and what is written reads back to the same size
// and writes the same bytes again; a refused input raises EInvalidGraphic (or
// a stream error) and nothing else.
#include <windows.h>

#include <cstring>

#include "FuzzSupport.h"
#include "framework/graphics/win/Clipbrd.h"
#include "framework/graphics/win/GifImg.h"
#include "framework/graphics/win/Jpeg.h"
#include "framework/graphics/win/Metafile.h"
#include "framework/graphics/win/PngImage.h"

namespace {

RawByteString Written(TGraphic& G)
{
    TMemoryStream S;
    G.SaveToStream(&S);
    return RawByteString(static_cast<const char*>(S.Memory()), static_cast<size_t>(S.Size()));
}

// Loaded into G: written, read into a fresh one of its class and written again.
void CheckWriteRead(TGraphic& G, bool SameBytes)
{
    FuzzCheck(G.Width() > 0 && G.Height() > 0, "a picture read has no size");
    const RawByteString First = Written(G);
    std::unique_ptr<TGraphic> Again = G.NewOfSameClass();
    TMemoryStream S;
    FuzzStream(S, reinterpret_cast<const uint8_t*>(First.data()), First.size());
    Again->LoadFromStream(&S);
    FuzzCheck(Again->Width() == G.Width() && Again->Height() == G.Height(), "a written picture reads back another size");
    if (SameBytes) FuzzCheck(Written(*Again) == First, "a written picture writes other bytes");
}

// Every pixel of the picture through a bitmap (drawn for a metafile).
void Render(TGraphic& G)
{
    TBitmap B;
    if (dynamic_cast<TMetafile*>(&G)) {
        B.SetSize(std::min(G.Width(), 64), std::min(G.Height(), 64));
        B.Canvas()->StretchDraw(TRect{0, 0, B.Width(), B.Height()}, &G);
    } else {
        B.Assign(&G);
        FuzzCheck(B.Width() == G.Width() && B.Height() == G.Height(), "a picture becomes a bitmap of another size");
    }
}

template <class T>
void ReadPicture(const uint8_t* Data, size_t Size, bool SameBytes)
{
    T G;
    TMemoryStream S;
    FuzzStream(S, Data, Size);
    try {
        G.LoadFromStream(&S);
    } catch (const EInvalidGraphic&) {
        return;
    } catch (const EReadError&) {
        return;
    }
    if (G.Empty()) return;
    Render(G);
    CheckWriteRead(G, SameBytes);
}

// The clipboard holding Handle as Format alone, read into Dest.
void ReadClipboard(Word Format, HANDLE Handle, TPersistent* Dest)
{
    TClipboard* C = Clipboard();
    C->Open();
    C->Clear();
    C->SetAsHandle(Format, Handle);
    try {
        Dest->Assign(C);
    } catch (const EInvalidGraphic&) {
    }
    C->Clear();
    C->Close();
}

HGLOBAL GlobalOf(const void* Data, size_t Size)
{
    HGLOBAL H = GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(Size, 1));
    if (!H) return nullptr;
    if (Size) std::memcpy(GlobalLock(H), Data, Size), GlobalUnlock(H);
    return H;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 1 || Size > 65536) return 0;
    const uint8_t* In = Data + 1;
    const size_t N = Size - 1;
    switch (Data[0] % 7) {
    case 0: ReadPicture<TMetafile>(In, N, true); break;
    case 1: ReadPicture<TPngImage>(In, N, true); break;
    case 2: ReadPicture<TGIFImage>(In, N, true); break;
    case 3: ReadPicture<TJPEGImage>(In, N, true); break;
    case 4: {
        TBitmap B;
        if (HGLOBAL H = GlobalOf(In, N)) ReadClipboard(CF_DIB, H, &B);
        if (!B.Empty()) Render(B);
        break;
    }
    case 5: {
        TMetafile M;
        if (HENHMETAFILE H = SetEnhMetaFileBits(static_cast<UINT>(N), In)) ReadClipboard(CF_ENHMETAFILE, H, &M);
        if (!M.Empty()) CheckWriteRead(M, true);
        break;
    }
    default: {
        TMetafile M;
        HMETAFILE Wmf = SetMetaFileBitsEx(static_cast<UINT>(N), In);
        if (!Wmf) break;
        METAFILEPICT Pict{MM_ANISOTROPIC, 1000, 1000, Wmf};
        if (HGLOBAL H = GlobalOf(&Pict, sizeof Pict)) ReadClipboard(CF_METAFILEPICT, H, &M);
        else DeleteMetaFile(Wmf);
        if (!M.Empty()) CheckWriteRead(M, true);
        break;
    }
    }
    return 0;
}
