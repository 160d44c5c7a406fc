#include "document/win/ImageDraw_Win.h"

#include "document/win/ImageClipboard_Win.h"
#include "document/win/ImageControlLayer_Win.h"
#include "document/win/ImageEffects_Win.h"
#include "document/win/ImageFill_Win.h"
#include "document/win/ImageFreeShape_Win.h"
#include "document/win/ImageLines_Win.h"
#include "document/win/ImageSelection_Win.h"
#include "document/win/ImageShapes_Win.h"
#include "document/win/ImageText_Win.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "foundation/win/HySysUtils_Win.h"
#include "framework/runtime/win/Classes_Win.h"

TImgViewDrawView::TImgViewDrawView(TImgView32* AView) : FView(AView)
{
    TFont* Font = FView->Bitmap()->Font();
    Font->SetName(u"Tahoma");
    Font->SetSize(9);
}

namespace {
std::unique_ptr<TCustomBitmap32> LoadPicture(const String& FileName)
{
    bool HasAlpha = false;
    Integer BitDepth = -1;
    return LoadImageToBitmap32(FileName, HasAlpha, BitDepth);
}
// The image writer takes the platform's bitmap class: a copy of the picture.
void SaveImageFile(TCustomBitmap32* Bitmap, const String& FileName, TImageFormat Format, Integer Param)
{
    TBitmap32 Picture;
    Picture.Assign(Bitmap);
    SaveBitmap32ToFile(&Picture, FileName, Format, Param);
}

// A kept original file's bytes through the decoders the file was first
// opened with, from memory: the original reads back as it was read.
std::unique_ptr<TCustomBitmap32> DecodePicture(TMemoryStream& Bytes)
{
    bool HasAlpha = false;
    Integer BitDepth = -1;
    return LoadImageBytesToBitmap32(Bytes, HasAlpha, BitDepth);
}

Int64 JpegSize(TCustomBitmap32* Bitmap, Integer Quality)
{
    TBitmap Rgb;
    Rgb.SetPixelFormat(pf24bit);
    Rgb.SetSize(Bitmap->Width(), Bitmap->Height());
    for (Integer Y = 0; Y < Bitmap->Height(); ++Y) {
        const TColor32* Src = Bitmap->GetRowPtr(Y);
        Byte* Dst = static_cast<Byte*>(Rgb.ScanLine(Y));
        for (Integer X = 0; X < Bitmap->Width(); ++X, Dst += 3) {
            Dst[0] = static_cast<Byte>(Src[X]);
            Dst[1] = static_cast<Byte>(Src[X] >> 8);
            Dst[2] = static_cast<Byte>(Src[X] >> 16);
        }
    }
    TMemoryStream Encoded;
    auto* Adapter = new TStreamAdapter(&Encoded, soReference);
    Adapter->AddRef();
    auto Release = ScopeExit([Adapter] { Adapter->Release(); });
    if (!EncodeBitmapToStream(&Rgb, Quality, Adapter)) return -1;
    return Encoded.Size();
}
}  // namespace

void InstallImageDrawHooks()
{
    ImageDrawHooks.LoadPicture = &LoadPicture;
    ImageDrawHooks.AvailPhysMemory = &GetAvailPhysMemory;
    ImageDrawHooks.SaveImageFile = &SaveImageFile;
    ImageDrawHooks.DecodePicture = &DecodePicture;
    ImageDrawHooks.JpegSize = &JpegSize;
    InstallImageEffectsHooks();
    InstallImageFillHooks();
    InstallImageShapeHooks();
    InstallImageFreeShapeHooks();
    InstallImageLinesHooks();
    InstallImageTextHooks();
    InstallControlLayerHooks();
    InstallImageSelectionHooks();
    InstallImageClipboardHooks();
}
