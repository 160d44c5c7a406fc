// SkinLayerBorder: the frame a skin may draw outside the form, a 32-bit
// picture with per-pixel alpha cut into up to four borderless layered
// windows around the form (left, top, right, bottom). They follow the form's
// moves, sizes, activation and fade-in, and size the form when their outer
// band is dragged. The arithmetic is skin/frame/SkinLayerBorderCore's.
#pragma once

#include <array>
#include <memory>

#include "skin/frame/SkinLayerBorderCore.h"
#include "skin/model/SFSkinData.h"
#include "skin/model/win/SFLayerManager.h"

class TsfSkinForm;
class TsfFormLayerBorder;
class TsfActiveSkinObject;

class TsfFormLayerWindow : public TsfLayerWindow {
public:
    TsfFormLayerWindow(TsfFormLayerBorder* ABorder, TsfFormLayerBorderType AType);
    String ClassName() const override { return u"TsfFormLayerWindow"; }

    TsfFormLayerBorder* FLayerBorder;
    TsfFormLayerBorderType BorderType;
    bool FDown = false;
    TPoint MousePos1{};
    TsfLayerHit FHitMode = lhNone;
    // Inside a mouse message: an object's action (closing the form) may hide the border meanwhile.
    Integer FBusy = 0;
    // The pending messages of a drag step are being processed.
    bool FInProcessMessages = false;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMMouseActivate(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

private:
    TsfLayerHit HitAtCursor() const;
};

class TsfFormLayerBorder : public TComponent {
public:
    // Owner: the form component.
    explicit TsfFormLayerBorder(TsfSkinForm* ADSF);
    ~TsfFormLayerBorder() override;
    String ClassName() const override { return u"TsfFormLayerBorder"; }

    // Takes the skin's layer frame (none for an empty skin or one without a picture).
    void InitFrame(TsfSkinData* ASD, TCustomForm* AForm);
    bool Usable() const { return FData != nullptr; }
    void Show(Integer X, Integer Y, Integer AHeight, Integer AWidth);
    void ShowWithForm();
    // Shown at alpha 0, then raised on the skin clock every 5 ms by a fifteenth of the target.
    void ShowWithFormAnimation();
    void Hide();
    void Update(Integer AHeight, Integer AWidth);
    void UpdateBorder();
    void SetBounds(Integer X, Integer Y, Integer AHeight, Integer AWidth);
    void SetBoundsWithForm();
    void SetBoundsWithForm2(Integer AFormWidth, Integer AFormHeight);
    void SetBoundsWithForm3(Integer ALeft, Integer ATop, Integer AHeight, Integer AWidth);
    void MoveWithForm();
    void MoveWithForm2(Integer ALeft, Integer ATop);
    void SetActive(bool AActive, bool AUpdate);
    void CheckFormAlpha(Integer AFormAlpha, bool AUpdate);
    void SetAlphaBlend();
    void SetAlphaBlend2();
    // The images for W x H painted into Canvas at their frame places from (X, Y).
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer AWidth, Integer AHeight);

    bool Visible() const { return FVisible; }
    bool Active() const { return FActive; }
    TsfFormLayerWindow* Window(TsfFormLayerBorderType T) const { return FWindows[T]; }
    const TsfBitmap* Image(TsfFormLayerBorderType T) const { return FImages[T].get(); }
    const TsfLayerBorderGeometry& Geometry() const { return FGeometry; }
    const TsfDataSkinLayerFrame* Data() const { return FData; }
    TsfSkinForm* DSF() const { return FDSF; }
    TCustomForm* Form() const { return FForm; }
    Integer CurrentAlpha() const { return FActive ? FCurrentAlphaBlendValue : FCurrentInActiveAlphaBlendValue; }
    // The frame around the form's bounds now.
    TRect FrameForForm() const;
    // The top window carries the caption and its buttons (the form's frame objects).
    bool FullBorder() const { return FData && FData->FullBorder; }
    // Full border: the caption objects laid out on the top window (top-image coordinates).
    const std::vector<TsfActiveSkinObject*>& PlacedObjects() const { return FPlaced; }
    // Placed object I while it is still one of the form's objects (a skin change frees them), else null.
    TsfActiveSkinObject* Placed(Integer I) const;
    // The placed object at P of the top window, -1 for none.
    Integer ObjectAt(const TPoint& P) const;
    // The objects put back in their places on the top window.
    void SyncPlaced();
    // Hover tracking over the placed objects (P outside the window: none).
    void TrackObjects(const TPoint& P);
    Integer ActiveObject = -1, OldActiveObject = -1, MouseCaptureObject = -1;
    // Desktop composition was on when the frame was taken.
    bool AeroEnabled() const { return FIsAeroEnabled; }
    // The desktop's blur shows behind the windows: composition, the skin's
    // blur option, and a form that is not alpha-blended itself.
    bool BlurApplies() const;

private:
    void BuildImages(Integer W, Integer H);
    void PushImages();
    void PlaceWindows(bool Show);
    void FreeWindows();
    void FadeStep();
    void BuildBlurRegions(Integer W, Integer H);
    void LayoutObjects(Integer TopW);
    void DrawObjects(TsfBitmap* Top);
    void MouseTimerTick();
    void FreeBlurRegions();
    void ApplyBlur(Integer T);

    TsfSkinForm* FDSF;
    TCustomForm* FForm = nullptr;
    TsfSkinData* FSD = nullptr;
    const TsfDataSkinLayerFrame* FData = nullptr;
    TsfLayerBorderGeometry FGeometry;
    bool FVisible = false;
    bool FActive = true;
    std::unique_ptr<TsfBitmap> FSourceBitmap, FSourceInActiveBitMap;
    std::array<std::unique_ptr<TsfBitmap>, 4> FImages;
    std::array<TsfFormLayerWindow*, 4> FWindows{};  // owned as components
    std::vector<TsfFormLayerWindow*> FRetired;      // hidden, deleted once out of their messages
    TRect FFrame{};
    Integer FCurrentAlphaBlendValue = -1, FCurrentInActiveAlphaBlendValue = -1;
    std::vector<TsfActiveSkinObject*> FPlaced;
    bool FIsAeroEnabled = false;
    std::unique_ptr<TsfBitmap> FBlurMask;
    std::array<TRegion, 4> FBlurRgn;  // per window, in its own coordinates; empty: no blur
    std::vector<Integer> FFade;
    size_t FFadeStep = 0;
};
