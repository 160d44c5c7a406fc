// ScreenSnapForm: TfrmSnapScreen, the full-screen selection window of a
// screen capture. It shows a frozen screenshot and lets the user mark a
// rectangle (two presses, or Enter twice with the arrow keys moving the
// pointer), a fixed-size rectangle or a polygon's box; Esc or a right-button
// release cancels. After an OK the marked pixels are in FBitmap.
#pragma once

#include <memory>

#include "dialogs/ScreenCaptureCore.h"
#include "framework/controls/win/Forms.h"

class TfrmSnapScreen : public TForm {
public:
    explicit TfrmSnapScreen(TComponent* AOwner);
    ~TfrmSnapScreen() override;
    String ClassName() const override { return u"TfrmSnapScreen"; }

    // Freezes the screen (with the cursor when IncludeCursor).
    void SnapScreen(bool IncludeCursor);
    void SetSnapMode(ScreenCapture::TSnapMode Mode, Integer W, Integer H);
    const ScreenCapture::TSnapSelection& Selection() const { return FSel; }

    // The result, not owned (the capture front end's bitmap).
    TBitmap* FBitmap = nullptr;

private:
    void FormShow(TObject*);
    void FormPaint(TObject*);
    void FormMouseMove(TObject*, TShiftState, Integer X, Integer Y);
    void FormMouseDown(TObject*, TMouseButton Button, TShiftState, Integer X, Integer Y);
    void FormMouseUp(TObject*, TMouseButton Button, TShiftState, Integer X, Integer Y);
    void FormDblClick(TObject*);
    void FormKeyDown(TObject*, Word& Key, TShiftState);
    void Settle();

    std::unique_ptr<TBitmap> FBitScreen;
    ScreenCapture::TSnapSelection FSel;
};
