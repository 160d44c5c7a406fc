#include "Component/Raster32/Ras32_Backends.h"

TBackendFactory NativeBackendClass = nullptr;

namespace {

bool HasInterface(TCustomBackend* Backend, const TGUID& IID)
{
    if (!Backend) return false;
    void* Obj = nullptr;
    if (Backend->QueryInterface(IID, &Obj) != S_OK_ || !Obj) return false;
    Backend->_Release();  // Obj is the interface's own part, not an IInterface
    return true;
}

}  // namespace

void RequireBackendInterfaces(TCustomBitmap32* TargetBitmap, const std::vector<TGUID>& RequiredInterfaces,
                              TRequireOperatorMode Mode, bool Destructive, TCustomBackend*& SavedBackend)
{
    SavedBackend = nullptr;
    if (!TargetBitmap) return;
    // The walk stops at the first missing identifier (romAnd) or the first
    // present one (romOr); the answer there decides. Nothing required: present.
    bool Present = true;
    for (const TGUID& IID : RequiredInterfaces) {
        Present = HasInterface(TargetBitmap->Backend(), IID);
        if (Mode == romAnd ? !Present : Present) break;
    }
    if (Present || !NativeBackendClass) return;
    if (Destructive) TargetBitmap->SetSize(0, 0);
    TCustomBackend* Native = NativeBackendClass();
    SavedBackend = TargetBitmap->ReleaseBackend();
    // If the bitmap keeps its backend, the extra reference goes back.
    auto Undo = ScopeExit([&] {
        if (SavedBackend) SavedBackend->_Release();
        SavedBackend = nullptr;
    });
    TargetBitmap->SetBackend(Native);
    Undo.Dismiss();
}

void ReinstallBackend(TCustomBitmap32* TargetBitmap, TCustomBackend* SavedBackend)
{
    if (!SavedBackend) return;
    // The caller's reference (from ReleaseBackend) ends here, installed or not.
    TIntfPtr<TCustomBackend> Saved(SavedBackend);
    SavedBackend->_Release();
    if (TargetBitmap) TargetBitmap->SetBackend(SavedBackend);
}
