// SkinCheckCtrls: the skinned check box and radio button (one class): flat
// over the parent's background (the default) or as a skinned body with a
// hover transition; groups, the grayed state and their events in
// SkinCheckRadioCore.
#pragma once

#include "framework/controls/win/ImgList.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/SkinCheckRadioCore.h"
#include "skin/controls/win/SkinCtrls.h"

class TsfSkinCheckRadioBox : public TsfSkinCustomControl {
public:
    using inherited = TsfSkinCustomControl;
    explicit TsfSkinCheckRadioBox(TComponent* AOwner);
    ~TsfSkinCheckRadioBox() override;
    String ClassName() const override { return u"TsfSkinCheckRadioBox"; }

    bool Checked() const { return FCore.Checked(); }
    void SetChecked(bool Value) { FCore.SetChecked(Value); }
    TCheckBoxState State() const { return TCheckBoxState(FCore.State()); }
    void SetState(TCheckBoxState Value) { FCore.SetState(TsfCheckState(Value)); }
    bool Radio() const { return FCore.Radio; }
    void SetRadio(bool Value);
    Integer GroupIndex() const { return FCore.GroupIndex; }
    void SetGroupIndex(Integer Value) { FCore.GroupIndex = Value; }
    bool AllowGrayed() const { return FCore.AllowGrayed; }
    void SetAllowGrayed(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool Value) { FUseSkinFontColor = Value; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    bool MouseIn() const { return FCore.MouseIn(); }
    // The hover transition's position, 0 (normal) to 1 (active).
    double MorphKf() const { return FMorphKf; }

    // The click action.
    virtual void Toggle() { FCore.Toggle(); }
    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void CalcSize(Integer& AWidth, Integer& AHeight) override;

    TNotifyEvent OnClick;

    TsfCheckRadioCore& Core() { return FCore; }

protected:
    void Paint() override;
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CheckParentBackground() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMMove(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CNCommand(TMessage& Message) override;

private:
    bool Active();
    void StartMorph();
    void MorphStep();
    void StopMorph();
    void SetCaptionFont(TCanvas* C);
    // The check picture for the state (grayed brightened when the skin has none).
    void DrawCheckPicture(TsfBitmap* B, Integer X, Integer CentreY);
    TRect CheckPictureRect(bool& Brighten);
    void DrawDefaultMark(TCanvas* C, Integer H);
    void DrawImageAndCaption(TsfBitmap* B, Integer X, const TRect& R, TColor Colour);
    void PaintFlat(TsfBitmap* B);
    void PaintBody(TsfBitmap* B, bool Active);

    TsfCheckRadioCore FCore;
    bool FUseSkinFontColor = true;
    bool FWordWrap = false;
    bool FFlat = true;
    bool FClicksDisabled = false;
    bool FCanFocused = true;
    TCustomImageList* FImages = nullptr;
    Integer FImageIndex = -1;
    TRect CIRect, NewTextArea;
    double FMorphKf = 0;
    bool FMorphRunning = false;
    // Copies of the description.
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0, ActiveFontColor = 0, FrameFontColor = 0, UnEnabledFontColor = 0;
    TRect ActiveSkinRect, CheckImageArea, TextArea, CheckImageRect, UnCheckImageRect, ActiveCheckImageRect,
        ActiveUnCheckImageRect, UnEnabledCheckImageRect, UnEnabledUnCheckImageRect, GrayedCheckImageRect,
        ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
};
