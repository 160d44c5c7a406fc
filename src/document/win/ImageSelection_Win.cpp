#include "document/win/ImageSelection_Win.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "framework/controls/win/ExtCtrls.h"

namespace {

class TAntTimer : public TSelectionTimer {
public:
    TAntTimer(Cardinal Interval, std::function<void()> Tick) : FTimer(nullptr), FTick(std::move(Tick))
    {
        FTimer.SetEnabled(false);
        FTimer.SetInterval(Interval);
        FTimer.OnTimer = [this](TObject*) {
            if (FTick) FTick();
        };
    }
    void SetEnabled(bool Value) override
    {
        TSelectionTimer::SetEnabled(Value);
        FTimer.SetEnabled(Value);
    }

private:
    TTimer FTimer;
    std::function<void()> FTick;
};

std::unique_ptr<TSelectionTimer> NewAntTimer(Cardinal Interval, std::function<void()> Tick)
{
    return std::make_unique<TAntTimer>(Interval, std::move(Tick));
}

// The label's font on a bitmap that writes text; null for one that cannot.
TBitmap32* LabelBitmap(TCustomBitmap32& Target)
{
    auto* B = dynamic_cast<TBitmap32*>(&Target);
    if (!B) return nullptr;
    if (B->Font()->Size() != 9) B->Font()->SetSize(9);
    return B;
}

Integer LabelWidth(TCustomBitmap32& Target, const String& Text)
{
    TBitmap32* B = LabelBitmap(Target);
    return B ? B->TextWidthW(Text) : 6 * static_cast<Integer>(Text.size());
}

void LabelOut(TCustomBitmap32& Target, Integer X, Integer Y, const String& Text)
{
    if (TBitmap32* B = LabelBitmap(Target)) B->TextoutW(X, Y, Text);
}

}  // namespace

void InstallImageSelectionHooks()
{
    ImageSelectionHooks.NewTimer = &NewAntTimer;
    ImageSelectionHooks.LabelWidth = &LabelWidth;
    ImageSelectionHooks.LabelOut = &LabelOut;
}
