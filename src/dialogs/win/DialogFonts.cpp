#include "dialogs/win/DialogFonts.h"

#include "foundation/Global.h"
#include "foundation/win/HySysUtils_Win.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/frame/win/SkinForm.h"

namespace {

void SetChineseFont(TFont* Font)
{
    Font->SetName(u"微软雅黑");
    Font->SetSize(9);
}

}  // namespace

bool UseChineseDialogFonts() { return LangColumn == 0 && Win32MajorVersion >= 6; }

void ApplyDialogFonts(TCustomForm* Form, TsfSkinForm* SkinForm, std::initializer_list<TControl*> Controls)
{
    if (!UseChineseDialogFonts()) return;
    SetChineseFont(Form->Font());
    if (SkinForm) {
        SkinForm->UseSkinFontInCaption = false;
        TFont Caption;
        Caption.Assign(SkinForm->DefCaptionFont());
        SetChineseFont(&Caption);
        SkinForm->SetDefCaptionFont(&Caption);
    }
    for (TControl* C : Controls) {
        SetChineseFont(C->Font());
        // A skinned control draws its built-in look with its default font.
        if (auto* S = dynamic_cast<TsfSkinCustomControl*>(C)) {
            SetChineseFont(S->DefaultFont());
        } else if (auto* G = dynamic_cast<TsfGraphicSkinCustomControl*>(C)) {
            SetChineseFont(G->DefaultFont());
        } else if (auto* L = dynamic_cast<TsfSkinStdLabel*>(C)) {
            SetChineseFont(L->DefaultFont());
        }
    }
}
