// ShowColorForm: TfrmShowColor, the small window that follows the pointer
// during a screen colour pick and shows the colour of the frozen screen under
// it, and TScreenColorPick, which runs one pick: it freezes the screen, gives
// the follower the mouse capture with a held left button (so the moves of a
// drag arrive there) and ends on a button release or on the loss of the
// capture, releasing the held button on every end but a left release.
#pragma once

#include <functional>
#include <memory>

#include "dialogs/ScreenCaptureCore.h"
#include "framework/controls/win/Forms.h"

class TfrmShowColor : public TForm {
public:
    explicit TfrmShowColor(TComponent* AOwner);
    String ClassName() const override { return u"TfrmShowColor"; }

    Integer FPickColorSource = 0;
    TBitmap* FDesktopBitmap = nullptr;  // not owned
    std::function<void(ScreenCapture::TPickEndCause)> FOnPickColorEnd;

    TColor Color() const { return FColor; }
    const String& RgbText() const { return FRgbText; }

protected:
    void WndProc(TMessage& Message) override;

private:
    void FormPaint(TObject*);
    void FormMouseMove(TObject*, TShiftState, Integer, Integer);
    void FormMouseUp(TObject*, TMouseButton Button, TShiftState, Integer, Integer);

    TColor FColor = 0;
    String FRgbText;
    bool FEnded = false;
};

class TScreenColorPick {
public:
    // Called once per pick: the source code, the colour and how it ended.
    using TEnd = std::function<void(Integer Code, TColor Color, const ScreenCapture::TPickEnd& Action)>;
    explicit TScreenColorPick(TEnd OnEnd) : FOnEnd(std::move(OnEnd)) {}
    ~TScreenColorPick();
    TScreenColorPick(const TScreenColorPick&) = delete;
    TScreenColorPick& operator=(const TScreenColorPick&) = delete;

    // Starts a pick for the colour button (or item) of that name; a name that
    // starts none, or a pick already running, does nothing.
    void Start(const String& SourceName);
    bool Running() const { return FPickColorSource != 0; }
    TfrmShowColor* Follower() const { return FFollower; }

private:
    void End(ScreenCapture::TPickEndCause Cause);

    TEnd FOnEnd;
    Integer FPickColorSource = 0;
    std::unique_ptr<TBitmap> FDesktopBitmap;
    TfrmShowColor* FFollower = nullptr;
};
