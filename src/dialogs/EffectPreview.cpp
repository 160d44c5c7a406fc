#include "dialogs/EffectPreview.h"

#include <algorithm>

#include "skin/controls/SkinClock.h"

namespace {
constexpr Cardinal FirstPreviewTimer = 1;
}

TEffectPreview::~TEffectPreview() { SkinClock()->StopTimers(this); }

void TEffectPreview::Shown()
{
    SkinClock()->StartTimer(this, FirstPreviewTimer, FirstPreviewDelay, [this] {
        SkinClock()->StopTimer(this, FirstPreviewTimer);
        if (FirstPreview) {
            FTarget.ProcessMessages();
            UpdatePreview(false);
        }
        if (OnFirstTick) OnFirstTick();
    });
}

void TEffectPreview::UpdatePreview(bool Tracking)
{
    if (FPreviewChecked && (!Tracking || IsFast())) DoPreview();
}

void TEffectPreview::DoPreview()
{
    if (FRunning) {
        // Reached from the messages a running preview lets through.
        FAgain = true;
        return;
    }
    FRunning = true;
    const bool Busy = !IsFast();
    if (Busy) FTarget.SetBusyCursor(true);
    do {
        FAgain = false;
        FTarget.PreviewOnce();
        ++FCount;
    } while (FAgain && FPreviewChecked);
    if (Busy) FTarget.SetBusyCursor(false);
    FRunning = false;
}

void TEffectPreview::ValueChange()
{
    if (Pending) return;
    FTarget.ProcessMessages();
    UpdatePreview(true);
}

void TEffectPreview::ValueChanged()
{
    if (!IsFast()) UpdatePreview(false);
}

void TEffectPreview::OptionChanged()
{
    if (!Pending) UpdatePreview(false);
}

void TEffectPreview::SetPreviewChecked(bool Checked)
{
    if (Checked == FPreviewChecked) return;
    FPreviewChecked = Checked;
    if (!Checked) {
        FTarget.EffectEnd(false);
        return;
    }
    FTarget.EffectBegin();
    DoPreview();
}

void TEffectPreview::Ok()
{
    // OK before the first preview was drawn (within the pause) would keep an
    // effect run that computed nothing: the preview is made now.
    const bool NotYet = FirstPreview && (SkinClock()->TimerRunning(this, FirstPreviewTimer) || FCount == 0);
    SkinClock()->StopTimer(this, FirstPreviewTimer);
    if (!FPreviewChecked)
        SetPreviewChecked(true);
    else if (NotYet)
        DoPreview();
}

// ---------------------------------------------------------------------------

TMosaicSetup MosaicSetupFor(TEffectMode Mode)
{
    TMosaicSetup S;
    auto Amount = [&S](Integer Min, Integer Max, Integer Initial) {
        S.NameIndex = 8;
        S.Min = Min, S.Max = Max, S.Initial = Initial;
    };
    switch (Mode) {
        case emBlur: S.Min = 1, S.Max = 80, S.KeptCell = 3; break;
        case emSharpen: S.Min = 1, S.Max = 5, S.KeptCell = 2; break;
        case emAddNoise:
            S.NameIndex = 16, S.Min = 1, S.Max = 100, S.KeptCell = 4;
            S.ShowOption = true;
            break;
        case emDenoising: S.Min = 1, S.Max = 50, S.Initial = 10; break;
        case emSoften: S.Min = 1, S.Max = 10, S.KeptCell = 1; break;
        case emIncreaseLight:
        case emReduceLight: Amount(0, 100, 50); break;
        case emColdBlue:
        case emColdGreen:
        case emWarmRed:
        case emWarmYellow: Amount(0, 100, 100); break;
        case emYellowing: Amount(0, 100, 80); break;
        case emFreeze: Amount(0, 100, 70); break;
        case emAttemper:
            S.Min = -100, S.Max = 100, S.Initial = 0;
            S.ShowAttemper = true;
            break;
        case emStyleSunshine:
        case emStyleHeart: Amount(0, 100, 60); break;
        case emStyleSunny:
        case emStyleDroplet:
        case emStyleSnow:
        case emStyleStar: Amount(0, 100, 100); break;
        case emRotate:
            S.NameGroup = 1, S.NameIndex = 182, S.Min = -90, S.Max = 90, S.Initial = 0;
            S.Degrees = true;
            break;
        case emSkew: S.NameGroup = 1, S.NameIndex = 180, S.Min = -150, S.Max = 150, S.Initial = 0; break;
        case emMosaic:
            S.Min = 1, S.Max = 50, S.KeptCell = 10;
            S.ShowOption = true;
            break;
        default: break;
    }
    return S;
}

Integer MosaicInitialValue(const TMosaicSetup& Setup, Integer Kept)
{
    return std::clamp(Setup.KeptCell >= 0 ? Kept : Setup.Initial, Setup.Min, Setup.Max);
}
