// ReadImageThread: the gallery's worker: thumbnails of image files through
// the system's picture library, never enlarged, a white box for a file it
// cannot read.
#pragma once

#include <functional>
#include <memory>

#include "dialogs/win/ThumbWorkerThread.h"
#include "framework/runtime/Classes.h"

class TBitmap32;

using TGetImageInfoEvent =
    std::function<void(String& FileName, Integer& ThumbWidth, Integer& ThumbHeight, bool& OK)>;
// D belongs to the owner from the call on; Error when the file could not be read.
using TSetImageInfoEvent = std::function<void(Integer ImageWidth, Integer ImageHeight, Integer ThumbWidth,
                                              Integer ThumbHeight, TBitmap32* D, bool Error)>;

// The thumbnail size of an IW x IH image in a W x H box: the image's own
// size when it fits, else scaled to the box keeping its aspect ratio,
// truncated, each side at least 1.
void ReadImageThumbSize(Integer W, Integer H, Integer IW, Integer IH, Integer& TW, Integer& TH);

class TReadImageThread : public TThumbWorkerThread {
public:
    TReadImageThread();
    ~TReadImageThread() override;
    String ClassName() const override { return u"TReadImageThread"; }

    TGetImageInfoEvent FGetImageInfo;
    TSetImageInfoEvent FSetImageInfo;

protected:
    void TakeJob(bool& OK) override;
    void Render() override;
    void Deliver() override;
    void Discard() override;

private:
    String FFileName;
    Integer FBoxW = 0, FBoxH = 0;
    Integer FImageW = 0, FImageH = 0, FThumbW = 0, FThumbH = 0;
    bool FError = false;
    std::unique_ptr<TBitmap32> FResult;
};
