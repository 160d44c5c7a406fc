// SkinTrackBars: the skinned track bar (a track and a draggable thumb, with a
// filled-bar look when the skin has an active picture; "htrackbar" /
// "trackbar" or a built-in look) and the slider (ruler, thumb and tick marks,
// snapping to Increment, a held click on the ruler jumping every 400 ms, keys;
// "slider", an image list's thumb, or the program's four built-in pictures
// "SP_HTB", "SP_HRL", "SP_VTB", "SP_VRL"). Their state and geometry are in
// SkinSliderCore. Windows only.
#pragma once

#include <memory>

#include "skin/controls/SkinSliderCore.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/model/SFControlData.h"

class TsfSkinTrackBar : public TsfSkinCustomControl {
public:
    using inherited = TsfSkinCustomControl;
    // 100 x 20, 0..100 at 50, horizontal, SkinDataName "htrackbar".
    explicit TsfSkinTrackBar(TComponent* AOwner);
    ~TsfSkinTrackBar() override;
    String ClassName() const override { return u"TsfSkinTrackBar"; }

    Integer MinValue() const { return FCore.MinValue(); }
    void SetMinValue(Integer V) { FCore.SetMinValue(V); }
    Integer MaxValue() const { return FCore.MaxValue(); }
    void SetMaxValue(Integer V) { FCore.SetMaxValue(V); }
    Integer Value() const { return FCore.Value(); }
    void SetValue(Integer V) { FCore.SetValue(V); }
    bool Vertical() const { return FCore.Vertical(); }
    void SetVertical(bool V);
    bool MouseSupport() const { return FCore.MouseSupport(); }
    void SetMouseSupport(bool V) { FCore.SetMouseSupport(V); }
    bool JumpWhenClick() const { return FCore.JumpWhenClick(); }
    void SetJumpWhenClick(bool V) { FCore.SetJumpWhenClick(V); }
    bool CanFocused() const { return FCore.CanFocused(); }
    void SetCanFocused(bool V);
    TsfSkinTrackBarCore& Core() { return FCore; }

    void GetSkinData() override;
    void CalcSize(Integer& AWidth, Integer& AHeight) override;

    TNotifyEvent& OnChange;
    TNotifyEvent& OnLastChange;
    TNotifyEvent& OnStartDragButton;

protected:
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) override;
    void CMWantSpecialKey(TMessage& Message) override;
    // Outside a paint, the erase paints the control onto the erase DC.
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonDblClk(TWMMouse& Message) override;
    void CNCommand(TMessage& Message) override;

private:
    // The thumb placed for the look in use (what hit tests and painting use).
    void LayoutThumb();
    bool TakeFocusForClick();

    TsfSkinTrackBarCore FCore;
    bool FClicksDisabled = false;
    TsfDataSkinTrackBarControl FSkin{u""};
    bool FHasSkin = false;
    TRect NewTrackArea;
};

// The built-in pictures, in the order of the bits of UserImages.
enum TsfSliderImage { siHThumb, siHRuler, siVThumb, siVRuler };
enum TsfSliderOrientation { soHorizontal, soVertical };

class TsfSkinCustomSlider : public TsfSkinControl {
public:
    using inherited = TsfSkinControl;
    // 150 x 40, 0..100 by 10 at 0, horizontal, SkinDataName "slider".
    explicit TsfSkinCustomSlider(TComponent* AOwner);
    ~TsfSkinCustomSlider() override;
    String ClassName() const override { return u"TsfSkinCustomSlider"; }

    Integer MinValue() const { return FCore.MinValue(); }
    void SetMinValue(Integer V) { FCore.SetMinValue(V); }
    Integer MaxValue() const { return FCore.MaxValue(); }
    void SetMaxValue(Integer V) { FCore.SetMaxValue(V); }
    Integer Increment() const { return FCore.Increment(); }
    void SetIncrement(Integer V) { FCore.SetIncrement(V); }
    Integer Value() const { return FCore.Value(); }
    void SetValue(Integer V) { FCore.SetValue(V); }
    TsfSliderOptions Options() const { return FCore.Options(); }
    void SetOptions(TsfSliderOptions V) { FCore.SetOptions(V); }
    TsfSliderOrientation Orientation() const { return FCore.Vertical() ? soVertical : soHorizontal; }
    void SetOrientation(TsfSliderOrientation V);
    Integer NumThumbStates() const { return FNumThumbStates; }
    void SetNumThumbStates(Integer V);
    Integer EdgeSize() const { return FEdgeSize; }
    void SetEdgeSize(Integer V);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool V);
    bool UseSkinThumb() const { return FUseSkinThumb; }
    void SetUseSkinThumb(bool V);
    bool ReadOnly() const { return FCore.ReadOnly(); }
    void SetReadOnly(bool V) { FCore.SetReadOnly(V); }
    TCustomImageList* ThumbImageList() const { return FThumbImageList; }
    void SetThumbImageList(TCustomImageList* V);
    Integer ThumbImageIndex() const { return FThumbImageIndex; }
    void SetThumbImageIndex(Integer V);
    Integer ThumbActiveImageIndex() const { return FThumbActiveImageIndex; }
    void SetThumbActiveImageIndex(Integer V);
    // The four pictures: a user's bitmap (copied), or nullptr for the built-in one.
    TBitmap* Image(TsfSliderImage Which) const { return FImages[Which].get(); }
    void SetImage(TsfSliderImage Which, TBitmap* Value);
    Byte UserImages() const { return FUserImages; }
    TsfSkinSliderCore& Core() { return FCore; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    // What a derived slider may replace.
    virtual bool AllowValueChange() { return true; }
    virtual void GetSliderBounds(TRect& R) { R = {0, 0, Width(), Height()}; }
    virtual Integer GetCurrentValue() { return FCore.Value(); }
    virtual void RebuildLayout();
    virtual void RangeChanged() {}
    virtual void DefaultDrawPoints(Integer PointsStep, Integer PointsHeight, Integer ExtremePointsHeight);
    virtual void StartThumbDrag(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void DragThumb(TShiftState Shift, Integer X, Integer Y);
    virtual void EndThumbDrag(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);

    TNotifyEvent& OnChange;
    TNotifyEvent& OnChanged;
    // Replaces the tick marks; draws on PointsCanvas().
    TNotifyEvent OnDrawPoints;
    // The canvas being painted (for OnDrawPoints).
    TCanvas* PointsCanvas() const { return FPaintCanvas; }

protected:
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMMove(TMessage& Message) override;

private:
    void LoadBuiltInImage(TsfSliderImage Which);
    TBitmap* ThumbPicture() const { return FImages[FCore.Vertical() ? siVThumb : siHThumb].get(); }
    TBitmap* RulerPicture() const { return FImages[FCore.Vertical() ? siVRuler : siHRuler].get(); }
    bool SkinThumb() const { return FSkinInUse && FUseSkinThumb && FSkinPicture; }
    void DrawThumb(TCanvas* C);

    TsfSkinSliderCore FCore;
    TCustomImageList* FThumbImageList = nullptr;
    Integer FThumbImageIndex = 0, FThumbActiveImageIndex = 1;
    bool FUseSkinThumb = true;
    bool FTransparent = false;
    Byte FUserImages = 0;
    std::unique_ptr<TBitmap> FImages[4];
    Integer FEdgeSize = 2;
    // The ruler built for the current size, and the pictures ready to draw:
    // as they are and with their background keyed out.
    std::unique_ptr<TsfBitmap> FRuler, FRulerKeyed;
    std::unique_ptr<TsfBitmap> FThumb, FThumbKeyed;
    Integer FNumThumbStates = 2;
    bool FCreating = true;
    TCanvas* FPaintCanvas = nullptr;
    // The description while one is in use.
    bool FSkinInUse = false;
    TsfDataSkinSlider FSkin{u""};
    TsfBitmap* FSkinPicture = nullptr;
};

class TsfSkinSlider : public TsfSkinCustomSlider {
public:
    using TsfSkinCustomSlider::TsfSkinCustomSlider;
    String ClassName() const override { return u"TsfSkinSlider"; }
};
