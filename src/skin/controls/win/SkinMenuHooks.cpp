#include "skin/controls/win/SkinMenuHooks.h"

namespace {
TsfSkinMenuServices* GServices = nullptr;
}

TsfSkinMenuServices* SkinMenuServices() { return GServices; }

TsfSkinMenuServices* InstallSkinMenuServices(TsfSkinMenuServices* Services)
{
    TsfSkinMenuServices* previous = GServices;
    GServices = Services;
    return previous;
}

void DeliverSkinMenuMessage(TControl* Control, Integer Msg)
{
    if (!Control) return;
    if (auto* win = dynamic_cast<TWinControl*>(Control)) {
        if (win->HandleAllocated()) SendMessageW(win->Handle(), UINT(Msg), 0, 0);
        return;
    }
    Control->Perform(UINT(Msg), 0, 0);
}
