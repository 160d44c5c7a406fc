#include "dialogs/win/OptionDialogs.h"

#include "foundation/Global.h"
#include "foundation/win/HySysUtils_Win.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinForm.h"

TOptionDialogParts MakeOptionDialog(TForm& Form, TsfSkinData* SkinData, Integer ClientW, Integer ClientH,
                                    Integer GroupH)
{
    TOptionDialogParts P{};
    Form.SetBorderStyle(bsDialog);
    Form.SetPosition(poScreenCenter);
    Form.SetClientWidth(ClientW);
    Form.SetClientHeight(ClientH);
    P.SkinForm = new TsfSkinForm(&Form);
    P.SkinForm->SetSkinData(SkinData);

    P.Group = new TsfSkinPanel(&Form);
    P.Group->SetParent(&Form);
    P.Group->SetBounds(8, 8, ClientW - 16, GroupH);
    P.Group->SetCaptionMode(true);

    const Integer Top = GroupH + 16;
    P.Save = new TsfSkinButton(&Form);
    P.Save->SetParent(&Form);
    P.Save->SetBounds(ClientW - 176, Top, 80, 25);
    P.Save->SetDefault(true);
    P.Cancel = new TsfSkinButton(&Form);
    P.Cancel->SetParent(&Form);
    P.Cancel->SetBounds(ClientW - 88, Top, 80, 25);
    ApplyChineseDialogFont(Form, *P.SkinForm);
    return P;
}

void ApplyChineseDialogFont(TForm& Form, TsfSkinForm& SkinForm)
{
    if (LangColumn != 0 || Win32MajorVersion < 6) return;
    Form.Font()->SetName(u"微软雅黑");
    Form.Font()->SetSize(9);
    SkinForm.UseSkinFontInCaption = false;
    SkinForm.DefCaptionFont()->SetName(u"微软雅黑");
    SkinForm.DefCaptionFont()->SetSize(9);
}
