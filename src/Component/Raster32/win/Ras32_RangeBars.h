// Ras32_RangeBars: scroll bars drawn by the program itself. TArrowBar has two
// arrow buttons, a track and a thumb with hot-tracking and auto-repeat, in
// the platform's look (themed when visual styles are on, classic otherwise)
// or a flat one of its own colours. TCustomRangeBar adds a floating-point
// position in an integer range with a visible window; the scrollable image
// view uses two of them. The geometry is in Ras32_RangeBarCore. Windows only.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32_RangeBarCore.h"
#include "framework/controls/win/Controls.h"
#include "framework/controls/win/ExtCtrls.h"

class TArrowBar : public TCustomControl {
public:
    // 100 x 16, horizontal, with a one-pixel border.
    explicit TArrowBar(TComponent* AOwner);
    ~TArrowBar() override;
    String ClassName() const override { return u"TArrowBar"; }

    TRBBackgnd Backgnd() const { return FBackgnd; }
    void SetBackgnd(TRBBackgnd Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    Integer ButtonSize() const { return FButtonSize; }
    void SetButtonSize(Integer Value);
    TColor HandleColor() const { return FHandleColor; }
    void SetHandleColor(TColor Value);
    TColor ButtonColor() const { return FButtoncolor; }
    void SetButtonColor(TColor Value);
    TColor HighLightColor() const { return FHighLightColor; }
    void SetHighLightColor(TColor Value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    bool ShowArrows() const { return FShowArrows; }
    void SetShowArrows(bool Value);
    bool ShowHandleGrip() const { return FShowHandleGrip; }
    void SetShowHandleGrip(bool Value);
    TRBStyle Style() const { return FStyle; }
    void SetStyle(TRBStyle Value);

    // What the bar's look depends on, from its client size and settings.
    TArrowBarGeometry Geometry();
    TRBZone DragZone() const { return FDragZone; }
    TRBZone HotZone() const { return FHotZone; }
    // The repeat and hot-tracking timer and its mode: 1 waiting for the first
    // repeat, 2 repeating, 3 polling the pointer.
    TTimer* Timer() const { return FTimer; }
    Integer TimerMode() const { return FTimerMode; }

    // Every position change; changes made by the user.
    TNotifyEvent OnChange;
    TNotifyEvent OnUserChange;

    virtual bool ShowsEnabled();
    virtual TRect GetThumbRect() { return TRect{}; }
    // One step of the timer (public so that tests can run it without waiting).
    virtual void HandleTimer();

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

    virtual void FireChange();
    virtual void DrawArrowButton(const TRect& R, Integer Direction, bool Pushed, bool Enabled, bool Hot);
    virtual void DrawThumb(const TRect& R, bool Horz, bool Pushed, bool Hot);
    virtual void DrawTrackPart(const TRect& R, Integer Direction, bool Pushed, bool Enabled, bool Hot);
    virtual void HandleMouseLeft();

    Integer ArrowButtonSize() { return Geometry().ArrowButtonSize(); }
    TRect ZoneRect(TRBZone Zone);
    TRBZone ZoneAt(Integer X, Integer Y);
    void BeginRepeat();
    void EndRepeat() { BeginHotPolling(); }
    void BeginHotPolling();
    void EndHotPolling();

    bool GenChange = false;
    TRBZone FDragZone = zNone;
    TRBZone FHotZone = zNone;
    TTimer* FTimer;
    Integer FTimerMode = 0;
    Integer StoredX = 0, StoredY = 0;
    Single PosBeforeDrag = 0;

private:
    void DrawMacArrowButton(HDC DC, TRect R, Integer Direction, bool Pushed, bool Enabled);
    void DrawMacTrackPart(HDC DC, TRect R, Integer Direction, bool Pushed, bool Enabled);
    void DrawMacThumb(HDC DC, TRect R, bool Horz, bool Hot);

    TRBBackgnd FBackgnd = bgPattern;
    TBorderStyle FBorderStyle = bsSingle;
    Integer FButtonSize = 0;
    TColor FHandleColor = clBtnShadow;
    TColor FButtoncolor = clBtnFace;
    TColor FHighLightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    TColor FBorderColor = clWindowFrame;
    TScrollBarKind FKind = sbHorizontal;
    bool FShowArrows = true;
    bool FShowHandleGrip = true;
    TRBStyle FStyle = rbsDefault;
};

class TCustomRangeBar : public TArrowBar {
public:
    explicit TCustomRangeBar(TComponent* AOwner);
    String ClassName() const override { return u"TCustomRangeBar"; }

    bool Centered() const { return FCentered; }
    void SetCentered(bool Value) { FCentered = Value; }
    // 1 .. 32768.
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value);
    Single Position() const { return FPosition; }
    void SetPosition(Single Value);
    Integer Range() const { return FRange; }
    void SetRange(Integer Value) { SetParams(Value, FWindow); }
    // 0: the bar's own length.
    Integer Window() const { return FWindow; }
    void SetWindow(Integer Value) { SetParams(FRange, Value); }
    Integer EffectiveWindow() const { return FEffectiveWindow; }
    // Range and window at once; a centred bar keeps its window's centre at
    // the same fraction of the range. Fires no change event.
    void SetParams(Integer NewRange, Integer NewWindow);

    bool ShowsEnabled() override;
    TRect GetThumbRect() override;
    void HandleTimer() override;

protected:
    void Resize() override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;

    void ClampPosition();
    void RefreshEffectiveWindow();
    TPoint ClampedCursorPos();

    bool FCentered = false;
    Integer FEffectiveWindow = 0;
    Integer FIncrement = 8;
    Single FPosition = 0;
    Integer FRange = 0;
    Integer FWindow = 0;
};

class TRangeBar : public TCustomRangeBar {
public:
    using TCustomRangeBar::TCustomRangeBar;
    String ClassName() const override { return u"TRangeBar"; }
};

// The look of two bars set at once: reads from Master, writes to both.
class TArrowBarAccess : public TPersistent {
public:
    String ClassName() const override { return u"TArrowBarAccess"; }
    TArrowBar* Master() const { return FMaster; }
    void SetMaster(TArrowBar* Value) { FMaster = Value; }
    TArrowBar* Slave() const { return FSlave; }
    void SetSlave(TArrowBar* Value) { FSlave = Value; }

    TColor Color() const { return FMaster->Color(); }
    void SetColor(TColor Value) { Both([&](TArrowBar* B) { B->SetColor(Value); }); }
    TRBBackgnd Backgnd() const { return FMaster->Backgnd(); }
    void SetBackgnd(TRBBackgnd Value) { Both([&](TArrowBar* B) { B->SetBackgnd(Value); }); }
    Integer ButtonSize() const { return FMaster->ButtonSize(); }
    void SetButtonSize(Integer Value) { Both([&](TArrowBar* B) { B->SetButtonSize(Value); }); }
    TColor HandleColor() const { return FMaster->HandleColor(); }
    void SetHandleColor(TColor Value) { Both([&](TArrowBar* B) { B->SetHandleColor(Value); }); }
    TColor ButtonColor() const { return FMaster->ButtonColor(); }
    void SetButtonColor(TColor Value) { Both([&](TArrowBar* B) { B->SetButtonColor(Value); }); }
    TColor HighLightColor() const { return FMaster->HighLightColor(); }
    void SetHighLightColor(TColor Value) { Both([&](TArrowBar* B) { B->SetHighLightColor(Value); }); }
    TColor ShadowColor() const { return FMaster->ShadowColor(); }
    void SetShadowColor(TColor Value) { Both([&](TArrowBar* B) { B->SetShadowColor(Value); }); }
    TColor BorderColor() const { return FMaster->BorderColor(); }
    void SetBorderColor(TColor Value) { Both([&](TArrowBar* B) { B->SetBorderColor(Value); }); }
    bool ShowArrows() const { return FMaster->ShowArrows(); }
    void SetShowArrows(bool Value) { Both([&](TArrowBar* B) { B->SetShowArrows(Value); }); }
    bool ShowHandleGrip() const { return FMaster->ShowHandleGrip(); }
    void SetShowHandleGrip(bool Value) { Both([&](TArrowBar* B) { B->SetShowHandleGrip(Value); }); }
    TRBStyle Style() const { return FMaster->Style(); }
    void SetStyle(TRBStyle Value) { Both([&](TArrowBar* B) { B->SetStyle(Value); }); }

protected:
    template <class F>
    void Both(F Set)
    {
        Set(FMaster);
        if (FSlave) Set(FSlave);
    }

    TArrowBar* FMaster = nullptr;
    TArrowBar* FSlave = nullptr;
};
