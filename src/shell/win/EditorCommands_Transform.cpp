// The perspective command of TEditorCommands: the dialog over an effect run
// on the whole picture, at its remembered place.
#include "shell/win/EditorCommands.h"

#include <memory>

#include "dialogs/win/ImageTransform.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "shell/win/MainLocale.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ZezavEzazerForm.h"

void TEditorCommands::muImageTransformClick(TObject*)
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc || !ConfigTable || ConfigTable->ItemCount() <= 2) return;
    FForm.EndEffectDrawing();
    auto Dialog = std::make_unique<TfrmImageTransform>(Application, FForm.SkinData(), *Doc, *ConfigTable->GetItem(2),
                                                       FForm.Locale().BackColor());
    Dialog->SetLeft(FForm.FTransformWindowLeft);
    Dialog->SetTop(FForm.FTransformWindowTop);
    Doc->SetEffectSmall(false);
    Doc->SetEffectMode(emTransform);
    Doc->EffectBegin();
    const bool Ok = Dialog->ShowModal() == mrOk;
    Doc->EffectEnd(Ok);
    Doc->SetEffectMode(emNone);
    FForm.FTransformWindowLeft = Dialog->Left();
    FForm.FTransformWindowTop = Dialog->Top();
    Dialog.reset();
    FForm.AfterModalDialog();
}
