#include "skin/frame/SkinFormFade.h"

Integer TsfFormFade::TargetAlpha(bool AlphaBlend, bool Animation, Integer AlphaBlendValue)
{
    return Animation && !AlphaBlend ? 255 : AlphaBlendValue;
}

void TsfFormFade::Start(Integer ATarget)
{
    FTarget = ATarget < 0 ? 0 : ATarget > 255 ? 255 : ATarget;
    FStep = StepOf(FTarget);
    FAlpha = 0;
    FRunning = FTarget > 0;
}

Integer TsfFormFade::Next()
{
    if (!FRunning) return FAlpha;
    FAlpha = FAlpha + FStep >= FTarget ? FTarget : FAlpha + FStep;
    if (FAlpha == FTarget) FRunning = false;
    return FAlpha;
}
