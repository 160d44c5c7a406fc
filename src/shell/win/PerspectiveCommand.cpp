#include "shell/win/PerspectiveCommand.h"

#include <memory>

#include "dialogs/win/ImageTransform.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "shell/win/MainLocale.h"
#include "shell/win/ZezavEzazerForm.h"

bool ShowTransformDialog(TfrmZezavEzazer& Form, TImageDraw& Doc)
{
    if (!ConfigTable || ConfigTable->ItemCount() <= 2) return false;
    auto Dialog = std::make_unique<TfrmImageTransform>(Application, Form.SkinData(), Doc, *ConfigTable->GetItem(2),
                                                       Form.Locale().BackColor());
    Dialog->SetLeft(Form.FTransformWindowLeft);
    Dialog->SetTop(Form.FTransformWindowTop);
    Doc.EffectBegin();
    const bool Ok = Dialog->ShowModal() == mrOk;
    Doc.EffectEnd(Ok);
    Form.FTransformWindowLeft = Dialog->Left();
    Form.FTransformWindowTop = Dialog->Top();
    return Ok;
}
