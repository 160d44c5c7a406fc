#include "skin/frame/win/SkinValueObjects.h"

#include <algorithm>

#include "skin/frame/win/SkinForm.h"
#include "skin/model/SFUtils.h"

namespace {

// A skin colour (0x00BBGGRR) as the bitmap's pixels hold it (0xRRGGBB).
TsfColor PixelRGB(TColor C)
{
    const Cardinal c = static_cast<Cardinal>(C);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// R of Src onto Dst at (X, Y), leaving out the pixels of colour Key when UseKey; cut at Dst's edges.
void DrawKeyed(TsfBitmap& Dst, Integer X, Integer Y, const TsfBitmap* Src, const TRect& R, bool UseKey, TColor Key)
{
    if (!Src || IsNullRect(R)) return;
    GdiFlush();
    const TsfColor K = PixelRGB(Key);
    for (Integer y = 0; y < R.Height(); ++y)
        for (Integer x = 0; x < R.Width(); ++x) {
            const Integer SX = R.Left + x, SY = R.Top + y, DX = X + x, DY = Y + y;
            if (SX < 0 || SY < 0 || SX >= Src->Width() || SY >= Src->Height()) continue;
            if (DX < 0 || DY < 0 || DX >= Dst.Width() || DY >= Dst.Height()) continue;
            const TsfColor P = Src->GetPixel(SX, SY);
            if (UseKey && (P & 0xFFFFFF) == K) continue;
            Dst.SetPixel(DX, DY, P);
        }
}

// The part [From, To) of an object-sized bitmap along one axis, cut from R of P.
void CopySpan(TsfBitmap& B, bool Horizontal, Integer From, Integer To, const TsfBitmap* P, const TRect& R)
{
    if (To <= From) return;
    if (Horizontal)
        CopySkinPart(B.DC(), {From, 0, To, B.Height()}, P, {R.Left + From, R.Top, R.Left + To, R.Bottom});
    else
        CopySkinPart(B.DC(), {0, From, B.Width(), To}, P, {R.Left, R.Top + From, R.Right, R.Top + To});
}

TsfFramesPlacement Placement(TFramesPlacement P)
{
    return P == fpVertical ? TsfFramesPlacement::Vertical : TsfFramesPlacement::Horizontal;
}

} // namespace

// ---------------------------------------------------------------------------
// Track bar

TsfSkinTrackBarObject::TsfSkinTrackBarObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData)
    : TsfActiveSkinObject(AParent, AData)
{
    if (const auto* D = dynamic_cast<const TsfDataSkinTrackBar*>(AData)) {
        ButtonRect = D->ButtonRect;
        ActiveButtonRect = D->ActiveButtonRect;
        BeginPoint = D->BeginPoint;
        EndPoint = D->EndPoint;
        MinValue = D->MinValue;
        MaxValue = D->MaxValue;
        MouseDownChangeValue = D->MouseDownChangeValue;
        ButtonTransparent = D->ButtonTransparent;
        ButtonTransparentColor = D->ButtonTransparentColor;
    }
    TrackKind = TrackKindOf(BeginPoint, EndPoint);
    FValue = MinValue;
    FButtonPos = FOldButtonPos = TrackValueToPos(TrackKind, BeginPoint, EndPoint, FValue, MinValue, MaxValue);
}

void TsfSkinTrackBarObject::SimplySetValue(Integer AValue)
{
    FValue = ClampValue(AValue, MinValue, MaxValue);
    FOldButtonPos = FButtonPos;
    FButtonPos = TrackValueToPos(TrackKind, BeginPoint, EndPoint, FValue, MinValue, MaxValue);
    Parent->DoTrackBarChangeValue(IDName, FValue);
}

void TsfSkinTrackBarObject::SetValue(Integer Value)
{
    if (Value == FValue) return;
    FValue = ClampValue(Value, MinValue, MaxValue);
    FOldButtonPos = FButtonPos;
    FButtonPos = TrackValueToPos(TrackKind, BeginPoint, EndPoint, FValue, MinValue, MaxValue);
    Parent->DrawSkinObject(this);
    Parent->DoTrackBarChangeValue(IDName, FValue);
}

void TsfSkinTrackBarObject::SetThumbPos(const TPoint& Pos)
{
    if (Pos.X == FButtonPos.X && Pos.Y == FButtonPos.Y) return;
    FOldButtonPos = FButtonPos;
    FButtonPos = Pos;
    FValue = TrackPosToValue(TrackKind, BeginPoint, EndPoint, Pos, MinValue, MaxValue);
    Parent->DrawSkinObject(this);
    Parent->DoTrackBarChangeValue(IDName, FValue);
}

void TsfSkinTrackBarObject::Draw(TCanvas* Cnvs, bool)
{
    if (!SkinLoaded()) return;
    const Integer W = ObjectRect.Width(), H = ObjectRect.Height();
    if (W <= 0 || H <= 0) return;
    const TsfBitmap* NormalPic = SkinRectInAPicture ? ActivePicture : Picture;
    TsfBitmap B;
    B.SetSize(W, H);
    const bool Horizontal = TrackKind == TsfTrackKind::Horizontal;
    const Integer Len = Horizontal ? W : H;
    if (IsNullRect(ActiveSkinRect)) {
        CopySpan(B, Horizontal, 0, Len, NormalPic, SkinRect);
    } else {
        // The track behind the thumb shows filled: left of it, or below it on a vertical track.
        const Integer Edge = std::clamp(Horizontal ? FButtonPos.X : FButtonPos.Y, 0, Len);
        if (Horizontal) {
            CopySpan(B, true, 0, Edge, ActivePicture, ActiveSkinRect);
            CopySpan(B, true, Edge, Len, NormalPic, SkinRect);
        } else {
            CopySpan(B, false, 0, Edge, NormalPic, SkinRect);
            CopySpan(B, false, Edge, Len, ActivePicture, ActiveSkinRect);
        }
    }
    const TRect Thumb = ThumbRect();
    const TRect& Look = MoveActive && !IsNullRect(ActiveButtonRect) ? ActiveButtonRect : ButtonRect;
    DrawKeyed(B, Thumb.Left, Thumb.Top, ActivePicture, Look, ButtonTransparent, ButtonTransparentColor);
    B.Draw(Cnvs, ObjectRect.Left, ObjectRect.Top);
}

void TsfSkinTrackBarObject::MouseDown(Integer X, Integer Y, TMouseButton Button)
{
    const TPoint P{X - ObjectRect.Left, Y - ObjectRect.Top};
    if (Button == mbLeft) {
        const TRect T = ThumbRect();
        if (P.X >= T.Left && P.X < T.Right && P.Y >= T.Top && P.Y < T.Bottom) {
            MoveActive = true;
            FOldMPoint = P;
            if (!IsNullRect(ActiveButtonRect)) Parent->DrawSkinObject(this);
        } else if (MouseDownChangeValue) {
            SetThumbPos(TrackJumpPos(TrackKind, BeginPoint, EndPoint, P));
        }
    }
    TsfActiveSkinObject::MouseDown(X, Y, Button);
}

void TsfSkinTrackBarObject::MouseMove(Integer X, Integer Y)
{
    const TPoint P{X - ObjectRect.Left, Y - ObjectRect.Top};
    if (MoveActive) {
        TPoint Pos = FButtonPos;
        if (TrackKind == TsfTrackKind::Horizontal) Pos.X += P.X - FOldMPoint.X;
        else Pos.Y += P.Y - FOldMPoint.Y;
        if (TrackPosOnTrack(TrackKind, BeginPoint, EndPoint, Pos)) SetThumbPos(Pos);
        FOldMPoint = P;
    }
    TsfActiveSkinObject::MouseMove(X, Y);
}

void TsfSkinTrackBarObject::MouseUp(Integer X, Integer Y, TMouseButton Button)
{
    if (Button == mbLeft && MoveActive) {
        MoveActive = false;
        if (!IsNullRect(ActiveButtonRect)) Parent->DrawSkinObject(this);
    }
    TsfActiveSkinObject::MouseUp(X, Y, Button);
}

// ---------------------------------------------------------------------------
// Switch

void TsfSkinSwitchObject::SetState(TSwitchState Value)
{
    FState = Value;
    Active = Value == swsOn;
    Redraw();
    Parent->DoSwitchChangeState(IDName, FState);
}

void TsfSkinSwitchObject::SimpleSetState(TSwitchState Value)
{
    FState = Value;
    Active = Value == swsOn;
    if (Value == swsOn) SetMorphKf(1);
}

void TsfSkinSwitchObject::MouseDown(Integer X, Integer Y, TMouseButton Button)
{
    if (Button == mbLeft) SetState(FState == swsOn ? swsOff : swsOn);
    TsfActiveSkinObject::MouseDown(X, Y, Button);
}

// Hovering keeps the look: the active look is the on state.
void TsfSkinSwitchObject::MouseEnter()
{
    FMouseIn = true;
    Parent->DoMouseEnterEvent(IDName);
}

void TsfSkinSwitchObject::MouseLeave()
{
    FMouseIn = false;
    Parent->DoMouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------
// Gauge

TsfSkinGaugeObject::TsfSkinGaugeObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData)
    : TsfActiveSkinObject(AParent, AData)
{
    if (const auto* D = dynamic_cast<const TsfDataSkinGauge*>(AData)) {
        MinValue = D->MinValue;
        MaxValue = D->MaxValue;
        Kind = D->Kind == gkVertical ? TsfGaugeKind::Vertical : TsfGaugeKind::Horizontal;
    }
    FValue = MinValue;
    FProgressPos = FOldProgressPos = GaugeFillPos(Kind, SkinRect.Width(), SkinRect.Height(), FValue, MinValue, MaxValue);
}

void TsfSkinGaugeObject::SimplySetValue(Integer AValue)
{
    if (AValue == FValue) return;
    FValue = ClampValue(AValue, MinValue, MaxValue);
    FOldProgressPos = FProgressPos;
    FProgressPos = GaugeFillPos(Kind, SkinRect.Width(), SkinRect.Height(), FValue, MinValue, MaxValue);
}

void TsfSkinGaugeObject::SetValue(Integer Value)
{
    SimplySetValue(Value);
    Parent->DrawSkinObject(this);
}

void TsfSkinGaugeObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!SkinLoaded()) return;
    // The frame picture already shows the empty gauge.
    if (!UpDate && FValue == MinValue) return;
    const Integer W = ObjectRect.Width(), H = ObjectRect.Height();
    if (W <= 0 || H <= 0) return;
    const TsfBitmap* NormalPic = SkinRectInAPicture ? ActivePicture : Picture;
    TsfBitmap B;
    B.SetSize(W, H);
    if (Kind == TsfGaugeKind::Horizontal) {
        const Integer Edge = std::clamp(FProgressPos.X, 0, W);
        CopySpan(B, true, 0, Edge, ActivePicture, ActiveSkinRect);
        CopySpan(B, true, Edge, W, NormalPic, SkinRect);
    } else {
        const Integer Edge = std::clamp(FProgressPos.Y, 0, H);
        CopySpan(B, false, 0, Edge, NormalPic, SkinRect);
        CopySpan(B, false, Edge, H, ActivePicture, ActiveSkinRect);
    }
    B.Draw(Cnvs, ObjectRect.Left, ObjectRect.Top);
}

void TsfSkinGaugeObject::MouseEnter()
{
    FMouseIn = Active = true;
    Parent->DoMouseEnterEvent(IDName);
}

void TsfSkinGaugeObject::MouseLeave()
{
    FMouseIn = Active = false;
    Parent->DoMouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------
// Frame objects

void TsfSkinFrameObject::SetStrip(Integer ACountFrames, TFramesPlacement APlacement)
{
    CountFrames = ACountFrames;
    FramesPlacement = Placement(APlacement);
    StripFrameSize(ActiveSkinRect, CountFrames, FramesPlacement, FrameW, FrameH);
}

void TsfSkinFrameObject::Draw(TCanvas* Cnvs, bool)
{
    if (!SkinLoaded() || FrameW <= 0 || FrameH <= 0) return;
    CopyLook(Cnvs, ActivePicture, StripFrame(ActiveSkinRect, FFrame, FrameW, FrameH, FramesPlacement));
}

TsfSkinFrameGaugeObject::TsfSkinFrameGaugeObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData)
    : TsfSkinFrameObject(AParent, AData)
{
    if (const auto* D = dynamic_cast<const TsfDataSkinFrameGaugeObject*>(AData)) {
        MinValue = D->MinValue;
        MaxValue = D->MaxValue;
        SetStrip(D->CountFrames, D->FramesPlacement);
    }
}

void TsfSkinFrameGaugeObject::SimplySetValue(Integer AValue)
{
    if (AValue != FValue && AValue >= MinValue && AValue <= MaxValue) FValue = AValue;
}

void TsfSkinFrameGaugeObject::SetValue(Integer Value)
{
    if (Value == FValue || Value < MinValue || Value > MaxValue) return;
    FValue = Value;
    Parent->DrawSkinObject(this);
}

void TsfSkinFrameGaugeObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    FFrame = ValueToFrame(FValue, MinValue, MaxValue, CountFrames);
    TsfSkinFrameObject::Draw(Cnvs, UpDate);
}

void TsfSkinFrameGaugeObject::MouseEnter()
{
    FMouseIn = Active = true;
    Parent->DoMouseEnterEvent(IDName);
}

void TsfSkinFrameGaugeObject::MouseLeave()
{
    FMouseIn = Active = false;
    Parent->DoMouseLeaveEvent(IDName);
}

TsfSkinFrameRegulatorObject::TsfSkinFrameRegulatorObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData)
    : TsfSkinFrameObject(AParent, AData)
{
    if (const auto* D = dynamic_cast<const TsfDataSkinFrameRegulatorObject*>(AData)) {
        MinValue = D->MinValue;
        MaxValue = D->MaxValue;
        SetStrip(D->CountFrames, D->FramesPlacement);
        Kind = D->Kind == rkHorizontal ? TsfRegulatorKind::Horizontal
               : D->Kind == rkVertical ? TsfRegulatorKind::Vertical
                                       : TsfRegulatorKind::Round;
    }
    FValue = ClampValue(0, MinValue, MaxValue);
}

void TsfSkinFrameRegulatorObject::SimplySetValue(Integer AValue)
{
    if (AValue == FValue || AValue < MinValue || AValue > MaxValue) return;
    FValue = AValue;
    Parent->DoFrameRegulatorChangeValue(IDName, FValue);
}

void TsfSkinFrameRegulatorObject::SetValue(Integer Value)
{
    if (Value == FValue || Value < MinValue || Value > MaxValue) return;
    FValue = Value;
    Parent->DrawSkinObject(this);
    Parent->DoFrameRegulatorChangeValue(IDName, FValue);
}

void TsfSkinFrameRegulatorObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    FFrame = ValueToFrame(FValue, MinValue, MaxValue, CountFrames);
    TsfSkinFrameObject::Draw(Cnvs, UpDate);
}

Integer TsfSkinFrameRegulatorObject::Reading(Integer X, Integer Y) const
{
    return RegulatorReading(Kind, {X - ObjectRect.Left, Y - ObjectRect.Top}, ObjectRect.Width(), ObjectRect.Height());
}

void TsfSkinFrameRegulatorObject::MouseDown(Integer X, Integer Y, TMouseButton Button)
{
    FDown = true;
    Drag.TempValue = FValue;
    Drag.StartV = Drag.CurV = Drag.OldCurV = Reading(X, Y);
    TsfActiveSkinObject::MouseDown(X, Y, Button);
}

void TsfSkinFrameRegulatorObject::MouseMove(Integer X, Integer Y)
{
    if (FDown && RegulatorStep(Drag, Kind, Reading(X, Y), FrameW, FrameH, CountFrames, MinValue, MaxValue))
        SetValue(Drag.TempValue);
    TsfActiveSkinObject::MouseMove(X, Y);
}

void TsfSkinFrameRegulatorObject::MouseUp(Integer X, Integer Y, TMouseButton Button)
{
    FDown = false;
    TsfActiveSkinObject::MouseUp(X, Y, Button);
}
