// SkinValueObjectsCore: the arithmetic of the value-holding objects a skin can
// place on a form's frame (track bar, gauge, frame gauge, frame regulator),
// kept free of the window system. Points are relative to the object.
#pragma once

#include "framework/runtime/Types.h"

enum class TsfTrackKind : Byte { Horizontal, Vertical };
enum class TsfGaugeKind : Byte { Horizontal, Vertical };
enum class TsfFramesPlacement : Byte { Horizontal, Vertical };
enum class TsfRegulatorKind : Byte { Round, Horizontal, Vertical };

// Horizontal when the track runs more across than down.
TsfTrackKind TrackKindOf(const TPoint& BeginPoint, const TPoint& EndPoint);
// Where Value lies in [Min, Max] as 0..1; 0 when the range is empty.
double ValueFraction(Integer Value, Integer Min, Integer Max);
Integer ClampValue(Integer Value, Integer Min, Integer Max);

// The thumb centre for a value; BeginPoint is the minimum end (the bottom of a
// vertical track).
TPoint TrackValueToPos(TsfTrackKind Kind, const TPoint& BeginPoint, const TPoint& EndPoint, Integer Value,
                       Integer Min, Integer Max);
// The value at a thumb centre (rounded to nearest, halves to even); Min on a
// track without length.
Integer TrackPosToValue(TsfTrackKind Kind, const TPoint& BeginPoint, const TPoint& EndPoint, const TPoint& Pos,
                        Integer Min, Integer Max);
// The thumb picture's size centred on Pos.
TRect TrackThumbRect(const TPoint& Pos, const TRect& ButtonRect);
// A press on the track outside the thumb jumps to this point (clamped to the track).
TPoint TrackJumpPos(TsfTrackKind Kind, const TPoint& BeginPoint, const TPoint& EndPoint, const TPoint& P);
// A drag candidate is taken only between the ends (inclusive).
bool TrackPosOnTrack(TsfTrackKind Kind, const TPoint& BeginPoint, const TPoint& EndPoint, const TPoint& Pos);

// The fill edge of a gauge of the given size (vertical gauges fill from the bottom).
TPoint GaugeFillPos(TsfGaugeKind Kind, Integer Width, Integer Height, Integer Value, Integer Min, Integer Max);

// Frame size of a strip of Count equal frames (0 x 0 without frames).
void StripFrameSize(const TRect& Strip, Integer Count, TsfFramesPlacement Placement, Integer& FrameW,
                    Integer& FrameH);
// Frame Frame (1-based) of the strip.
TRect StripFrame(const TRect& Strip, Integer Frame, Integer FrameW, Integer FrameH, TsfFramesPlacement Placement);
// The 1-based frame shown for a value: one frame per (Max - Min) div (Count - 1)
// of value, kept within [1, Count].
Integer ValueToFrame(Integer Value, Integer Min, Integer Max, Integer Count);

// The pointer's angle around the object's centre in whole degrees: 0 below the
// centre, 90 left, 180 above, 270 right (0 on the centre itself).
Integer PointToAngle(const TPoint& P, Integer Width, Integer Height);

// Drag bookkeeping of a frame regulator.
struct TsfRegulatorDrag {
    Integer StartV = 0, CurV = 0, OldCurV = 0, TempValue = 0;
};
// The reading of a pointer for a kind: angle, X, or -Y (up increases).
Integer RegulatorReading(TsfRegulatorKind Kind, const TPoint& P, Integer Width, Integer Height);
// One move to reading CurV; true when TempValue changed (the caller applies it).
bool RegulatorStep(TsfRegulatorDrag& D, TsfRegulatorKind Kind, Integer CurV, Integer FrameW, Integer FrameH,
                   Integer CountFrames, Integer Min, Integer Max);
