#include "document/win/ImageSelection_Win.h"

#include "framework/controls/win/ExtCtrls.h"

namespace {

class TAntTimer : public TSelectionTimer {
public:
    TAntTimer(Cardinal Interval, std::function<void()> Tick)
        : FTimer(std::make_unique<TTimer>(nullptr)), FTick(std::move(Tick))
    {
        FTimer->SetEnabled(false);
        FTimer->SetInterval(Interval);
        FTimer->OnTimer = [this](TObject*) {
            if (FTick) FTick();
        };
    }
    void SetEnabled(bool Value) override
    {
        TSelectionTimer::SetEnabled(Value);
        FTimer->SetEnabled(Value);
    }

private:
    std::unique_ptr<TTimer> FTimer;
    std::function<void()> FTick;
};

std::unique_ptr<TSelectionTimer> NewAntTimer(Cardinal Interval, std::function<void()> Tick)
{
    return std::make_unique<TAntTimer>(Interval, std::move(Tick));
}

}  // namespace

void InstallImageSelectionHooks()
{
    ImageSelectionHooks.NewTimer = &NewAntTimer;
}
