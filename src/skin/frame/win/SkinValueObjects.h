// SkinValueObjects: the frame objects a skin may place on a form that hold a
// value or a state: the track bar, the two-state switch, the gauge, and the
// objects drawn from a strip of equal frames (the frame gauge and the frame
// regulator). The form component makes them from the skin's descriptions and
// hands them the mouse; the arithmetic is in skin/frame/SkinValueObjectsCore.
#pragma once

#include "skin/frame/SkinValueObjectsCore.h"
#include "skin/frame/win/SkinObjects.h"

enum TSwitchState : Byte { swsOn, swsOff };

class TsfSkinTrackBarObject : public TsfActiveSkinObject {
public:
    TsfSkinTrackBarObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData);
    String ClassName() const override { return u"TsfSkinTrackBarObject"; }
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(Integer X, Integer Y, TMouseButton Button) override;
    void MouseUp(Integer X, Integer Y, TMouseButton Button) override;
    void MouseMove(Integer X, Integer Y) override;

    // Clamped into the range; reports the value even when it stays; no redraw.
    void SimplySetValue(Integer AValue);
    // Redraws, then reports; nothing when the value stays.
    void SetValue(Integer Value);
    // The thumb to Pos (object-relative) and the value with it.
    void SetThumbPos(const TPoint& Pos);
    Integer Value() const { return FValue; }
    TPoint ButtonPos() const { return FButtonPos; }
    TRect ThumbRect() const { return TrackThumbRect(FButtonPos, ButtonRect); }

    TPoint FButtonPos, FOldButtonPos;
    Integer FValue = 0;
    bool MoveActive = false;
    TPoint FOldMPoint;
    TsfTrackKind TrackKind = TsfTrackKind::Horizontal;
    TRect ButtonRect, ActiveButtonRect;
    TPoint BeginPoint, EndPoint;
    Integer MinValue = 0, MaxValue = 0;
    bool MouseDownChangeValue = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

// On shows the active look; a left press toggles.
class TsfSkinSwitchObject : public TsfActiveSkinObject {
public:
    using TsfActiveSkinObject::TsfActiveSkinObject;
    String ClassName() const override { return u"TsfSkinSwitchObject"; }
    void MouseDown(Integer X, Integer Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void SetState(TSwitchState Value);
    // No redraw, no event.
    void SimpleSetState(TSwitchState Value);
    TSwitchState State() const { return FState; }

    TSwitchState FState = swsOff;
};

class TsfSkinGaugeObject : public TsfActiveSkinObject {
public:
    TsfSkinGaugeObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData);
    String ClassName() const override { return u"TsfSkinGaugeObject"; }
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void SimplySetValue(Integer AValue);
    void SetValue(Integer Value);
    Integer Value() const { return FValue; }

    TPoint FProgressPos, FOldProgressPos;
    Integer FValue = 0;
    Integer MinValue = 0, MaxValue = 0;
    TsfGaugeKind Kind = TsfGaugeKind::Horizontal;
};

// Shows frame FFrame of its strip (ActiveSkinRect in ActivePicture).
class TsfSkinFrameObject : public TsfActiveSkinObject {
public:
    using TsfActiveSkinObject::TsfActiveSkinObject;
    String ClassName() const override { return u"TsfSkinFrameObject"; }
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    Integer Frame() const { return FFrame; }

    Integer FFrame = 1;
    Integer FrameW = 0, FrameH = 0;
    Integer CountFrames = 0;
    TsfFramesPlacement FramesPlacement = TsfFramesPlacement::Horizontal;

protected:
    void SetStrip(Integer ACountFrames, TFramesPlacement APlacement);
};

// A value outside the range is ignored (not clamped).
class TsfSkinFrameGaugeObject : public TsfSkinFrameObject {
public:
    TsfSkinFrameGaugeObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData);
    String ClassName() const override { return u"TsfSkinFrameGaugeObject"; }
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void SimplySetValue(Integer AValue);
    void SetValue(Integer Value);
    Integer Value() const { return FValue; }

    Integer FValue = 0;
    Integer MinValue = 0, MaxValue = 0;
};

// A knob or slider turned by dragging: by the pointer's angle (round) or along X or Y.
class TsfSkinFrameRegulatorObject : public TsfSkinFrameObject {
public:
    TsfSkinFrameRegulatorObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData);
    String ClassName() const override { return u"TsfSkinFrameRegulatorObject"; }
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(Integer X, Integer Y, TMouseButton Button) override;
    void MouseUp(Integer X, Integer Y, TMouseButton Button) override;
    void MouseMove(Integer X, Integer Y) override;

    // Ignored outside the range; reports a taken value; no redraw.
    void SimplySetValue(Integer AValue);
    void SetValue(Integer Value);
    Integer Value() const { return FValue; }

    bool FDown = false;
    TsfRegulatorDrag Drag;
    Integer FValue = 0;
    Integer MinValue = 0, MaxValue = 0;
    TsfRegulatorKind Kind = TsfRegulatorKind::Round;

private:
    Integer Reading(Integer X, Integer Y) const;
};
