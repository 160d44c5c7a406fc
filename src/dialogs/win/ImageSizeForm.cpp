#include "dialogs/win/ImageSizeForm.h"

#include "dialogs/ImageSizeRules.h"
#include "dialogs/win/OptionDialogs.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinForm.h"

namespace {
TCell& Cell(Integer Index) { return *ConfigTable->GetItem(1)->GetItem(Index); }
}  // namespace

TfrmImageSize::TfrmImageSize(TComponent* AOwner, TsfSkinData* SkinData, Integer Width, Integer Height)
    : TForm(AOwner), InfoMessage(DefaultInfoMessage()), FRasterWidth(Width), FRasterHeight(Height)
{
    ActiveFormWindow = Handle();
    SetName(u"frmImageSize");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(347);
    SetClientHeight(129);
    SetCaption(GetLangText(1, 85));
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    gbImageSize = Placed(new TsfSkinPanel(this), this, 8, 8, 331, 82);
    gbImageSize->SetCaption(String());
    editImageWidth = Placed(new TsfSkinNumericEdit(this), gbImageSize, 12, 16, 80, 22);
    PlacedLabel(this, gbImageSize, 96, 20, u"×");
    editImageHeight = Placed(new TsfSkinNumericEdit(this), gbImageSize, 110, 16, 80, 22);
    cbImageUnit = Placed(new TsfSkinComboBox(this), gbImageSize, 198, 16, 100, 22);
    chkPreserveRatio = Placed(new TsfSkinCheckRadioBox(this), gbImageSize, 12, 50, 250, 20);
    chkPreserveRatio->SetCaption(GetLangText(4, 12));
    chkPreserveRatio->SetChecked(true);
    btnOk = Placed(new TsfSkinButton(this), this, 175, 98, 78, 25);
    btnOk->SetDefault(true);
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel = Placed(new TsfSkinButton(this), this, 261, 98, 78, 25);
    btnCancel->SetCaption(GetLangText(1, 48));
    ApplyChineseDialogFont(*this, *sfSkinForm1);

    FImageWidth = Width;
    FImageHeight = Height;
    FOriginalRatio = Height > 0 ? static_cast<Single>(Width) / static_cast<Single>(Height) : 1.0f;
    FormatSizeEdit(editImageWidth, UnitPixels);
    FormatSizeEdit(editImageHeight, UnitPixels);
    editImageWidth->SetValue(static_cast<double>(FImageWidth));
    editImageHeight->SetValue(static_cast<double>(FImageHeight));
    FillUnitList(cbImageUnit);
    FOldImageUnitIndex = UnitPixels;
    cbImageUnit->SetItemIndex(UnitPixels);
    editImageWidth->OnChange = [this](TObject* S) { editImageWidthChange(S); };
    editImageHeight->OnChange = [this](TObject* S) { editImageHeightChange(S); };
    cbImageUnit->OnChange = [this](TObject* S) { cbImageUnitChange(S); };
    cbImageUnit->SetItemIndex(ValidUnitIndex(Cell(6).Value()));
    FLoaded = true;
    chkPreserveRatio->OnClick = [this](TObject* S) { chkPreserveRatioClick(S); };
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
}

void TfrmImageSize::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmImageSize::editImageWidthChange(TObject*)
{
    if (!FLoaded || FPending) return;
    FPending = true;
    const Integer Unit = ValidUnitIndex(cbImageUnit->ItemIndex());
    FImageWidth = SizeInPixels(editImageWidth->Value(), Unit);
    if (chkPreserveRatio->Checked()) {
        FImageHeight = HeightForWidth(FImageWidth, FOriginalRatio);
        editImageHeight->SetValue(PixelsInUnit(FImageHeight, Unit));
    }
    FPending = false;
}

void TfrmImageSize::editImageHeightChange(TObject*)
{
    if (!FLoaded || FPending) return;
    FPending = true;
    const Integer Unit = ValidUnitIndex(cbImageUnit->ItemIndex());
    FImageHeight = SizeInPixels(editImageHeight->Value(), Unit);
    if (chkPreserveRatio->Checked()) {
        FImageWidth = WidthForHeight(FImageHeight, FOriginalRatio);
        editImageWidth->SetValue(PixelsInUnit(FImageWidth, Unit));
    }
    FPending = false;
}

// The pixel size stays exact: only what the edits show changes.
void TfrmImageSize::cbImageUnitChange(TObject*)
{
    const bool Was = FPending;
    FPending = true;
    const Integer Unit = ValidUnitIndex(cbImageUnit->ItemIndex());
    FormatSizeEdit(editImageWidth, Unit);
    FormatSizeEdit(editImageHeight, Unit);
    editImageWidth->SetValue(PixelsInUnit(FImageWidth, Unit));
    editImageHeight->SetValue(PixelsInUnit(FImageHeight, Unit));
    FOldImageUnitIndex = Unit;
    FPending = Was;
}

void TfrmImageSize::chkPreserveRatioClick(TObject*)
{
    if (!FLoaded || !chkPreserveRatio->Checked()) return;
    FImageWidth = FRasterWidth;
    FImageHeight = FRasterHeight;
    FPending = true;
    cbImageUnit->SetItemIndex(UnitPixels);  // shows the raster's size in pixels
    FPending = false;
}

void TfrmImageSize::btnOkClick(TObject*)
{
    if (const Integer Refusal = SizeRefusal(FImageWidth, FImageHeight)) {
        InfoMessage(GetLangText(1, Refusal));
        return;
    }
    Cell(6).SetValue(ValidUnitIndex(cbImageUnit->ItemIndex()));
    SetModalResult(mrOk);
}

void TfrmImageSize::btnCancelClick(TObject*) { SetModalResult(mrCancel); }
