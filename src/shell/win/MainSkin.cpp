#include "shell/win/MainSkin.h"

#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "framework/runtime/win/Classes_Win.h"
#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFSkinData.h"

TMainSkin::TMainSkin(TComponent* Owner, TsfSkinData* SkinData) : FSkinData(SkinData)
{
    sfCompressedStoredSkin1 = new TsfCompressedStoredSkin(Owner);
    try {
        TResourceStream Stream(GetModuleHandleW(nullptr), u"Rire");
        sfCompressedStoredSkin1->LoadFromCompressStream(&Stream);
    } catch (const Exception&) {
        // No built-in skin (a test program): the windows keep the plain look.
    }
}

void TMainSkin::LoadSkin(const String& Name)
{
    Integer Index = -1;
    for (Integer I = 0; SkinTable && I < SkinTable->ItemCount(); ++I)
        if (SameText(SkinTable->GetItem(I)->GetItem(0)->Text(), Name)) {
            Index = I;
            break;
        }
    if (Index < 0) return;
    if (Name == u"Rire")
        FSkinData->LoadCompressedStoredSkin(sfCompressedStoredSkin1);
    else
        FSkinData->LoadFromCompressedFile(ProgramFolder + u"Skin\\" + Name + u".skn");
    ConfigTable->GetProp(2)->SetText(Name);
    FSkinIndex = Index;
}
