#include "shell/EffectLauncherCore.h"

TEffectDialogKind EffectDialogFor(TEffectMode Mode)
{
    switch (Mode) {
        case emMonochrome:
        case emLomo:
        case emGlow:
        case emOldPhoto:
        case emElegant:
        case emBlendMode: return TEffectDialogKind::MultiParameter;
        case emFade:
        case emTorn:
        case emBevel: return TEffectDialogKind::Direction;
        default: return TEffectDialogKind::OneSlider;
    }
}

namespace {
const TEffectBrushDef Brushes[] = {
    {0, emMosaic, 8, 200, 11, 2, 50, 10, 20, -1, true},
    {1, emColorize, 8, 200, 15, 0, 0, -1, 0, 16, true},
    {2, emColoring, 8, 200, 12, 0, 0, -1, 0, -1, true},
    {3, emBokeh, 8, 200, 13, 1, 80, 14, 21, -1, true},
    {4, emHighlighter, 2, 30, 17, 0, 0, -1, 0, 18, false},
    {5, emZooming, 8, 200, 22, 0, 100, 23, 6, -1, false},
    {6, emWarping, 8, 200, 20, 0, 100, 21, 6, -1, false},
    {7, emTwirling, 8, 200, 35, 0, 100, 36, 6, -1, false},
    {8, emRedEye, 8, 50, 19, 0, 0, -1, 0, -1, false},
    {9, emBlurring, 8, 200, 9, 1, 50, 8, 21, -1, true},
    {10, emColorDodge, 8, 200, 38, 10, 100, 37, 8, -1, true},
    {11, emColorBurn, 8, 200, 40, 10, 100, 39, 8, -1, true},
    {12, emSharpening, 8, 200, 42, 1, 5, 41, 27, -1, true},
    {13, emSaturation, 8, 200, 44, -100, 100, 43, 8, -1, true},
};
}  // namespace

const TEffectBrushDef* EffectBrushForTag(Integer Tag)
{
    for (const TEffectBrushDef& B : Brushes)
        if (B.Tag == Tag) return &B;
    return nullptr;
}

const TEffectBrushDef* EffectBrushForMode(TEffectMode Mode)
{
    for (const TEffectBrushDef& B : Brushes)
        if (B.Mode == Mode) return &B;
    return nullptr;
}

TEffectMode EffectModeOfBrushTag(Integer Tag)
{
    const TEffectBrushDef* B = EffectBrushForTag(Tag);
    return B ? B->Mode : emNone;
}

TDrawEffectPanels DrawEffectPanelsFor(TEffectMode Mode)
{
    TDrawEffectPanels P;
    const TEffectBrushDef* B = EffectBrushForMode(Mode);
    if (!B) return P;
    P.BrushEraser = B->BrushEraser;
    P.Value = BrushHasValue(*B);
    P.BrushColor = Mode == emColorize || Mode == emHighlighter;
    P.BrushStyle = Mode == emHighlighter;
    P.ColorizeColor = Mode == emColorize;
    return P;
}

Integer DrawEffectPanelHeight(const TDrawEffectPanels& P, const TDrawEffectHeights& H)
{
    return (P.BrushEraser ? H.BrushEraser : 0) + (P.BrushSize ? H.BrushSize : 0) + (P.Value ? H.Value : 0) +
           (P.BrushColor ? H.BrushColor : 0) + (P.BrushStyle ? H.BrushStyle : 0) +
           (P.ColorizeColor ? H.ColorizeColor : 0) + 4;
}

bool PresetAsksSize(TEffectMode Kind, bool OnBitmapObject, Int64 Pixels)
{
    if (OnBitmapObject) return false;
    const bool Slow = Kind == emBlur || Kind == emSharpen || Kind == emDenoising || Kind == emSoften ||
                      (Kind >= emColdBlue && Kind <= emWarmYellow);
    return Slow && Pixels > PresetLargePixels;
}
