#include "dialogs/win/MakeThumbThread.h"

#include "Component/Raster32/Ras32_Resamplers.h"
#include "Component/Raster32/win/Ras32_GDI.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/HyFileUtils_Image.h"

namespace {
std::unique_ptr<TBitmap32> CopyOf(const TCustomBitmap32* B)
{
    if (!B) return nullptr;
    auto C = std::make_unique<TBitmap32>();
    C->Assign(const_cast<TCustomBitmap32*>(B));
    return C;
}
}  // namespace

TMakeThumbThread::TMakeThumbThread() = default;

TMakeThumbThread::~TMakeThumbThread() { Stop(); }

void TMakeThumbThread::TakeJob(bool& OK)
{
    if (!FGetThumbInfo) {
        OK = false;
        return;
    }
    TBitmap32* ThumbBmp = nullptr;
    TBitmap32* MaskBmp = nullptr;
    TRow* ThumbRow = nullptr;
    FFileName.clear();
    FGetThumbInfo(FType, FSubType, FFileName, ThumbBmp, MaskBmp, ThumbRow, FWidth, FHeight, OK);
    if (!OK) return;
    // Copies: the owner goes on changing its pictures and rows meanwhile.
    FSource.reset();
    FMask.reset();
    FPreset.reset();
    if (FType <= 0) {
        FSource = CopyOf(ThumbBmp);
        FMask = CopyOf(MaskBmp);
        if (ThumbRow) {
            FPreset = std::make_unique<TRow>();
            FPreset->CopyFrom(ThumbRow);
        }
    } else if (FSubType <= 3 && ThumbRow)
        FSource = CopyOf(ThumbRow->Data2().As<TCustomBitmap32>());
}

void TMakeThumbThread::Render()
{
    FResult = std::make_unique<TBitmap32>();
    if (FType <= 0) {
        if (FSource) FResult->Assign(FSource.get());
        // An effect that fails leaves the preview as far as it got.
        try {
            if (FApplyPresetEffect && FPreset) FApplyPresetEffect(*FResult, *FPreset, FMask.get());
        } catch (...) {
        }
    } else if (FSubType <= 2) {
        if (FSource) FResult->Assign(FSource.get());
    } else if (FSubType == 3) {
        if (FSource && !FSource->Empty() && FWidth > 0 && FHeight > 0) {
            FSource->SetResampler(new TDraftResampler());
            FResult->SetSize(FWidth, FHeight);
            FResult->Draw(TRect{0, 0, FWidth, FHeight}, TRect{0, 0, FSource->Width(), FSource->Height()},
                          FSource.get());
        }
    } else {
        Integer W = 0, H = 0;
        LoadThumbnailFile(FFileName, FResult.get(), FWidth, FHeight, true, W, H);
    }
}

void TMakeThumbThread::Deliver()
{
    TBitmap32* D = FResult.release();
    if (FSetThumbInfo)
        FSetThumbInfo(D->Width(), D->Height(), D);
    else
        delete D;
}

void TMakeThumbThread::Discard() { FResult.reset(); }
