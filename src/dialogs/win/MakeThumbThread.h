// MakeThumbThread: the worker that renders the main window's thumbnails:
// preset previews (a copy of the given picture with a preset's effect) and
// the open documents' file thumbnails.
#pragma once

#include <functional>
#include <memory>

#include "dialogs/win/ThumbWorkerThread.h"
#include "framework/runtime/Classes.h"

class TBitmap32;
class TRow;

// The owner's job: all arguments by reference; OK false when there is none.
// ThumbBmp, MaskBmp and ThumbRow stay the owner's and are only read.
using TGetThumbInfoEvent =
    std::function<void(Integer& ThumbType, Integer& ThumbSubType, String& FileName, TBitmap32*& ThumbBmp,
                       TBitmap32*& MaskBmp, TRow*& ThumbRow, Integer& ThumbWidth, Integer& ThumbHeight, bool& OK)>;
// The result: D belongs to the owner from the call on.
using TSetThumbInfoEvent = std::function<void(Integer ThumbWidth, Integer ThumbHeight, TBitmap32* D)>;
// Applies a preset's effect (its row: cell 5 the effect, cell 10 the value;
// Mask the picture some effects blend in) to Bitmap; installed by the owner
// of the presets. It runs on the worker over copies.
using TPresetEffectProc = std::function<void(TBitmap32& Bitmap, const TRow& Preset, TBitmap32* Mask)>;

class TMakeThumbThread : public TThumbWorkerThread {
public:
    TMakeThumbThread();
    ~TMakeThumbThread() override;
    String ClassName() const override { return u"TMakeThumbThread"; }

    TGetThumbInfoEvent FGetThumbInfo;
    TSetThumbInfoEvent FSetThumbInfo;
    TPresetEffectProc FApplyPresetEffect;

protected:
    void TakeJob(bool& OK) override;
    void Render() override;
    void Deliver() override;
    void Discard() override;

private:
    // The job, copied on the user-interface thread.
    Integer FType = 0, FSubType = 0, FWidth = 0, FHeight = 0;
    String FFileName;
    std::unique_ptr<TBitmap32> FSource, FMask;
    std::unique_ptr<TRow> FPreset;
    std::unique_ptr<TBitmap32> FResult;
};
