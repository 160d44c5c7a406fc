#include "shell/win/ImageDialogs.h"

#include <memory>

#include "Component/Raster32/win/Ras32_GDI.h"
#include "dialogs/win/ImageCanvasForm.h"
#include "dialogs/win/ImageNewForm.h"
#include "dialogs/win/ImageSizeForm.h"
#include "dialogs/win/ImageWatermarkForm.h"
#include "document/ImageDraw.h"
#include "shell/win/EditorCommands.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinCheckCtrls.h"

void BindImageDialogs(TfrmZezavEzazer& Form)
{
    TEditorCommands& C = Form.Commands();
    TfrmZezavEzazer* F = &Form;
    C.OnNewImageDialog = [F](TNewImageRequest& Request) {
        auto Dialog = std::make_unique<TfrmImageNew>(Application, F->SkinData(), F);
        if (Dialog->ShowModal() != mrOk) return false;
        Request.FromClipboard = Dialog->chkFromClipboard->Checked();
        if (!Request.FromClipboard && Dialog->rbPattern->Checked() && NewImagePattern()) {
            auto Pattern = std::make_unique<TBitmap32>();
            Pattern->Assign(NewImagePattern());
            Request.Pattern = std::move(Pattern);
        }
        return true;
    };
    C.OnCanvasDialog = [F](TCanvasRequest& Request) {
        TImageDraw* Doc = F->Documents().Live();
        if (!Doc) return false;
        auto Dialog = std::make_unique<TfrmImageCanvas>(Application, F->SkinData(), F, *Doc);
        if (Dialog->ShowModal() != mrOk) return false;
        // The canvas colour the dialog stored fills the margins the command adds.
        Doc->InitBitmap();
        Request.Relative = Dialog->chkRelativePosition->Checked();
        Request.Left = Dialog->MarginLeft();
        Request.Right = Dialog->MarginRight();
        Request.Top = Dialog->MarginTop();
        Request.Bottom = Dialog->MarginBottom();
        Request.Width = Dialog->FCanvasWidth;
        Request.Height = Dialog->FCanvasHeight;
        return true;
    };
    C.OnImageSizeDialog = [F](Integer& Width, Integer& Height) {
        auto Dialog = std::make_unique<TfrmImageSize>(Application, F->SkinData(), Width, Height);
        if (Dialog->ShowModal() != mrOk) return false;
        Width = static_cast<Integer>(Dialog->FImageWidth);
        Height = static_cast<Integer>(Dialog->FImageHeight);
        return true;
    };
    C.OnWatermarkDialog = [F](TImageDraw&) {
        auto Dialog = std::make_unique<TfrmImageWatermark>(Application, F->SkinData(), F);
        Dialog->SetLeft(F->FWatermarkWindowLeft);
        Dialog->SetTop(F->FWatermarkWindowTop);
        const Integer Result = Dialog->ShowModal();
        F->FWatermarkWindowLeft = Dialog->Left();
        F->FWatermarkWindowTop = Dialog->Top();
        return Result;
    };
}
