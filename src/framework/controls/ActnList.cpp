#include "framework/controls/ActnList.h"

#include <algorithm>

TBasicAction::~TBasicAction()
{
    // The clients hear of it through FreeNotification; the list just goes.
    FClients.clear();
}

bool TBasicAction::Execute()
{
    if (!OnExecute) return false;
    TNotifyEvent Handler = OnExecute;  // the handler may free the action
    Handler(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterChanges(TObject* Client, std::function<void()> Changed)
{
    UnRegisterChanges(Client);
    FClients.push_back({Client, std::move(Changed)});
}

void TBasicAction::UnRegisterChanges(TObject* Client)
{
    FClients.erase(std::remove_if(FClients.begin(), FClients.end(), [&](const TClient& C) { return C.Client == Client; }),
                   FClients.end());
}

void TBasicAction::Change()
{
    // A copy: a client may unregister while it follows the change.
    std::vector<TClient> Clients = FClients;
    for (const TClient& C : Clients) {
        const bool Still = std::any_of(FClients.begin(), FClients.end(), [&](const TClient& K) { return K.Client == C.Client; });
        if (Still && C.Changed) C.Changed();
    }
}

bool TCustomAction::Execute()
{
    if (FAutoCheck) SetChecked(!FChecked);
    return TBasicAction::Execute();
}
