#include "dialogs/win/ReadImageThread.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "gdiplus/win/GdiPlus.h"

void ReadImageThumbSize(Integer W, Integer H, Integer IW, Integer IH, Integer& TW, Integer& TH)
{
    if (W >= IW && H >= IH) {
        TW = IW, TH = IH;
    } else if (double(W) / H >= double(IW) / IH) {
        TW = static_cast<Integer>(double(H) / IH * IW), TH = H;
    } else {
        TW = W, TH = static_cast<Integer>(double(W) / IW * IH);
    }
    if (TW < 1) TW = 1;
    if (TH < 1) TH = 1;
}

TReadImageThread::TReadImageThread() = default;

TReadImageThread::~TReadImageThread() { Stop(); }

void TReadImageThread::TakeJob(bool& OK)
{
    if (!FGetImageInfo) {
        OK = false;
        return;
    }
    FGetImageInfo(FFileName, FBoxW, FBoxH, OK);
}

void TReadImageThread::Render()
{
    const Integer W = FBoxW > 0 ? FBoxW : 1, H = FBoxH > 0 ? FBoxH : 1;
    FResult = std::make_unique<TBitmap32>();
    FResult->SetSize(W, H);
    FResult->Clear(0xFFFFFFFF);
    FImageW = FThumbW = W;
    FImageH = FThumbH = H;
    FError = true;
    try {
        TGPPtr<IGPImage> Image = TGPImage::FromFile(FFileName);
        const Integer IW = Integer(Image->GetImageWidth()), IH = Integer(Image->GetImageHeight());
        if (IW <= 0 || IH <= 0) return;
        Integer TW = 0, TH = 0;
        ReadImageThumbSize(W, H, IW, IH, TW, TH);
        FResult->SetSize(TW, TH);
        FResult->Clear(0xFFFFFFFF);
        TGPPtr<IGPImage> Thumb = Image->GetImageThumbnail(Cardinal(TW), Cardinal(TH));
        TGPPtr<IGPBitmap> Target(new TGPBitmap(TW, TH, TW * 4, PixelFormat32bppARGB,
                                               reinterpret_cast<Byte*>(FResult->Bits())));
        TGPPtr<IGPGraphics> G = TGPGraphics::FromImage(Target);
        G->DrawImageRect(Thumb, 0, 0, Single(TW), Single(TH));
        FImageW = IW, FImageH = IH, FThumbW = TW, FThumbH = TH;
        FError = false;
    } catch (...) {
        // The white box of the requested size stands in.
        FResult->SetSize(W, H);
        FResult->Clear(0xFFFFFFFF);
        FImageW = FThumbW = W;
        FImageH = FThumbH = H;
        FError = true;
    }
}

void TReadImageThread::Deliver()
{
    TBitmap32* D = FResult.release();
    if (FSetImageInfo)
        FSetImageInfo(FImageW, FImageH, FThumbW, FThumbH, D, FError);
    else
        delete D;
}

void TReadImageThread::Discard() { FResult.reset(); }
