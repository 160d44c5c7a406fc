#include "framework/controls/win/AppEvnts.h"

#include <algorithm>
#include <vector>

namespace {

// Lives as long as the program: a slot it once took may be saved and put back
// by someone else, so its handlers must stay callable after the last component.
class TAppEventsCaster {
public:
    void Add(TApplicationEvents* Events)
    {
        if (!FInstalled) Install();
        FList.push_back(Events);
    }
    void Remove(TApplicationEvents* Events) { FList.erase(std::remove(FList.begin(), FList.end(), Events), FList.end()); }

private:
    // Runs Call for each component, newest first, on a copy of the list: a
    // handler may free a component.
    template <class F>
    void Each(F Call)
    {
        std::vector<TApplicationEvents*> List = FList;
        for (auto it = List.rbegin(); it != List.rend(); ++it)
            if (std::find(FList.begin(), FList.end(), *it) != FList.end() && Call(**it)) return;
    }
    void Install()
    {
        FInstalled = true;
        TApplication* App = Application;
        FPrevious.OnMessage = App->OnMessage;
        FPrevious.OnIdle = App->OnIdle;
        FPrevious.OnException = App->OnException;
        FPrevious.OnActivate = App->OnActivate;
        FPrevious.OnDeactivate = App->OnDeactivate;
        FPrevious.OnMinimize = App->OnMinimize;
        FPrevious.OnRestore = App->OnRestore;
        App->OnMessage = [this](MSG& Msg, bool& Handled) {
            Each([&](TApplicationEvents& E) {
                if (E.OnMessage) E.OnMessage(Msg, Handled);
                return Handled;
            });
            if (!Handled && FPrevious.OnMessage) FPrevious.OnMessage(Msg, Handled);
        };
        App->OnIdle = [this](TObject* Sender, bool& Done) {
            Each([&](TApplicationEvents& E) {
                if (E.OnIdle) E.OnIdle(Sender, Done);
                return false;
            });
            if (FPrevious.OnIdle) FPrevious.OnIdle(Sender, Done);
        };
        App->OnException = [this](TObject* Sender, Exception& Error) {
            bool Reported = false;
            Each([&](TApplicationEvents& E) {
                if (E.OnException) {
                    E.OnException(Sender, Error);
                    Reported = true;
                }
                return false;
            });
            if (FPrevious.OnException) FPrevious.OnException(Sender, Error);
            else if (!Reported) Application->ShowException(Error);
        };
        auto Notify = [this](TNotifyEvent TApplicationEvents::*Event, TNotifyEvent& Previous) {
            return [this, Event, &Previous](TObject* Sender) {
                Each([&](TApplicationEvents& E) {
                    if (E.*Event) (E.*Event)(Sender);
                    return false;
                });
                if (Previous) Previous(Sender);
            };
        };
        App->OnActivate = Notify(&TApplicationEvents::OnActivate, FPrevious.OnActivate);
        App->OnDeactivate = Notify(&TApplicationEvents::OnDeactivate, FPrevious.OnDeactivate);
        App->OnMinimize = Notify(&TApplicationEvents::OnMinimize, FPrevious.OnMinimize);
        App->OnRestore = Notify(&TApplicationEvents::OnRestore, FPrevious.OnRestore);
    }

    bool FInstalled = false;
    std::vector<TApplicationEvents*> FList;
    struct {
        TMessageEvent OnMessage;
        TIdleEvent OnIdle;
        TExceptionEvent OnException;
        TNotifyEvent OnActivate, OnDeactivate, OnMinimize, OnRestore;
    } FPrevious;
};

TAppEventsCaster& Caster()
{
    static TAppEventsCaster* Instance = new TAppEventsCaster;  // never freed: see above
    return *Instance;
}

} // namespace

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner)
{
    Caster().Add(this);
}

TApplicationEvents::~TApplicationEvents()
{
    Caster().Remove(this);
}
