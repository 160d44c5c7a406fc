#include "foundation/win/HyMediaPack_Win.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "foundation/HyFileUtils_ImageInfo.h"
#include "framework/runtime/win/Classes_Win.h"
#include "framework/graphics/win/Jpeg.h"
#include "framework/runtime/win/WinPlatform.h"
#include "gdiplus/win/GdiPlus.h"

namespace {

// The picture's bytes as a stream, and the same as a COM stream for GDI+
// (which reads it for as long as the image lives).
class TPictureBytes {
public:
    TPictureBytes(const uint8_t* Data, size_t Size)
    {
        if (Size > 0) FStream.WriteBuffer(Data, Integer(Size));
        FStream.SetPosition(0);
    }
    TPictureBytes(const TPictureBytes&) = delete;
    TPictureBytes& operator=(const TPictureBytes&) = delete;
    ~TPictureBytes()
    {
        if (FAdapter) FAdapter->Release();
    }
    TMemoryStream& Stream() { return FStream; }
    IStream* ComStream()
    {
        if (!FAdapter) {
            FAdapter = new TStreamAdapter(&FStream);
            FAdapter->AddRef();
        }
        FStream.SetPosition(0);
        return FAdapter;
    }
    // The size the header claims, refused when it is too large to decode.
    void CheckSize()
    {
        TImageHeader Header;
        FStream.SetPosition(0);
        if (ReadImageHeader(&FStream, Header) && Header.Width * Header.Height > MaxMediaPixels)
            throw EInvalidGraphic(u"The picture is too large");
        FStream.SetPosition(0);
    }

private:
    TMemoryStream FStream;
    TStreamAdapter* FAdapter = nullptr;
};

void CheckImage(const TGPPtr<IGPImage>& Image)
{
    if (!Image || !Image->GetNativeHandle()) throw EInvalidGraphic(u"GDI+ cannot read the picture");
    const Int64 W = Image->GetImageWidth(), H = Image->GetImageHeight();
    if (W <= 0 || H <= 0 || W * H > MaxMediaPixels) throw EInvalidGraphic(u"The picture has no usable size");
}

void SendToDebugger(const String& Message) { ::OutputDebugStringW(WStr(Message + u"\n")); }

// Installed at start-up.
struct TInstaller {
    TInstaller()
    {
        SetMediaPictureDecoder(&PlatformMediaDecoder());
        StockLogProc = SendToDebugger;
    }
} Installer;

}  // namespace

TPlatformMediaDecoder& PlatformMediaDecoder()
{
    static TPlatformMediaDecoder Decoder;
    return Decoder;
}

std::unique_ptr<TCustomBitmap32> TPlatformMediaDecoder::NewBitmap() { return std::make_unique<TBitmap32>(); }

std::unique_ptr<TCustomBitmap32> TPlatformMediaDecoder::Decode(TMediaPicture Kind, const uint8_t* Data, size_t Size)
{
    TPictureBytes Bytes(Data, Size);
    switch (Kind) {
    case mpBitmap32:
        return TMediaPictureDecoder::Decode(Kind, Data, Size);
    case mpJpeg: {
        // The JPEG picture, a platform bitmap, then the raster bitmap.
        Bytes.CheckSize();
        TJPEGImage Jpeg;
        Jpeg.LoadFromStream(&Bytes.Stream());
        TBitmap Platform;
        Platform.Assign(&Jpeg);
        auto Result = std::make_unique<TBitmap32>();
        Result->Assign(&Platform);
        return Result;
    }
    case mpBmp: {
        Bytes.CheckSize();
        TBitmap Platform;
        Platform.LoadFromStream(&Bytes.Stream());
        auto Result = std::make_unique<TBitmap32>();
        Result->Assign(&Platform);
        return Result;
    }
    case mpGdiImage: {
        // Drawn at its own size onto a new bitmap (transparent where the
        // picture is), colour management off.
        Bytes.CheckSize();
        TGPPtr<IGPImage> Image = TGPImage::FromStream(Bytes.ComStream(), false);
        CheckImage(Image);
        const Integer W = Integer(Image->GetImageWidth()), H = Integer(Image->GetImageHeight());
        auto Result = std::make_unique<TBitmap32>();
        Result->SetSize(W, H);
        Result->Clear(0);
        {
            TGPPtr<IGPBitmap> Surface = TGPPtr<IGPBitmap>(
                new TGPBitmap(W, H, W * 4, PixelFormat32bppARGB, reinterpret_cast<Byte*>(Result->Bits())));
            TGPPtr<IGPGraphics> Graphics = TGPGraphics::FromImage(Surface);
            if (!Graphics || Graphics->DrawImageRect(Image, 0, 0, Single(W), Single(H)) != Gdiplus::Ok)
                throw EInvalidGraphic(u"GDI+ cannot draw the picture");
        }
        Result->Changed();
        return Result;
    }
    case mpGdiBitmap: {
        Bytes.CheckSize();
        TGPPtr<IGPBitmap> Image = TGPPtr<IGPBitmap>(new TGPBitmap(Bytes.ComStream(), false));
        CheckImage(Image);
        bool HasAlpha = false;
        Integer BitDepth = -1;
        std::unique_ptr<TBitmap32> Result = GPBitmapToBitmap32(Image, HasAlpha, BitDepth);
        if (!Result || Result->Empty()) throw EInvalidGraphic(u"GDI+ cannot read the picture");
        Result->SetDrawMode(dmBlend);
        return Result;
    }
    }
    throw EInvalidGraphic(u"Unknown picture kind");
}
