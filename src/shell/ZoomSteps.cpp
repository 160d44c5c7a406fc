#include "shell/ZoomSteps.h"

#include <algorithm>
#include <cmath>

const Integer ZoomSteps[ZoomStepCount] = {1, 5, 10, 25, 50, 100, 400, 800, 1600};

Integer ZoomStepOut(Integer Current)
{
    for (Integer I = ZoomStepCount - 1; I >= 0; --I)
        if (ZoomSteps[I] < Current) return ZoomSteps[I];
    return MinZoom;
}

Integer ZoomStepIn(Integer Current)
{
    for (Integer Step : ZoomSteps)
        if (Step > Current) return Step;
    return MaxZoom;
}

Integer ZoomToTrack(Integer Percent)
{
    // Halves round to even, as the rest of the program rounds.
    const Integer Position =
        Percent <= 100 ? Percent : static_cast<Integer>(std::nearbyint((Percent - 100) / 15.0)) + 100;
    return std::clamp(Position, TrackMin, TrackMax);
}

Integer TrackToZoom(Integer Position) { return Position <= 100 ? Position : Position * 15 - 1400; }

Integer FitZoom(Integer ViewWidth, Integer ViewHeight, Integer BitmapWidth, Integer BitmapHeight)
{
    // A view not laid out yet (or minimised) has no side to fit to.
    if (ViewWidth <= 0 || ViewHeight <= 0 || BitmapWidth <= 0 || BitmapHeight <= 0) return 100;
    const double ViewRatio = static_cast<double>(ViewWidth) / ViewHeight;
    const double BitmapRatio = static_cast<double>(BitmapWidth) / BitmapHeight;
    double Factor = ViewRatio >= BitmapRatio ? static_cast<double>(ViewHeight) / BitmapHeight
                                             : static_cast<double>(ViewWidth) / BitmapWidth;
    Factor = std::clamp(Factor, 0.01, 16.0);
    return static_cast<Integer>(std::nearbyint(Factor * 100));
}

TWheelAction WheelActionFor(Integer Mode, Integer BitmapHeight, Integer ViewportHeight, Integer OverSize)
{
    switch (Mode) {
        case 0: return BitmapHeight <= ViewportHeight - 2 * OverSize ? TWheelAction::Zoom : TWheelAction::Scroll;
        case 1: return TWheelAction::Scroll;
        case 2: return TWheelAction::Zoom;
        default: return TWheelAction::None;
    }
}

TPoint AutoScrollStep(TPoint P, TPoint Origin, Integer Width, Integer Height)
{
    const Integer Right = Origin.X + Width - AutoScrollMargin, Bottom = Origin.Y + Height - AutoScrollMargin;
    if (P.Y < Origin.Y) return {0, -AutoScrollPixels};
    if (P.Y > Bottom) return {0, AutoScrollPixels};
    if (P.X < Origin.X) return {-AutoScrollPixels, 0};
    if (P.X > Right) return {AutoScrollPixels, 0};
    return {0, 0};
}

TWheelTarget WheelTargetFor(const TWheelPanels& P)
{
    if (P.PresetBarVisible && P.RightVisible && P.OverRight) return TWheelTarget::PresetPanel;
    if (P.StripBarVisible && P.OverStrip) return TWheelTarget::OpenDocuments;
    if (P.TextVisible && P.MemoFocused && P.MemoLines > 4 && P.OverText) return TWheelTarget::TextMemo;
    return TWheelTarget::Canvas;
}
