#include "dialogs/win/ImageWatermarkForm.h"

#include <algorithm>

#include "dialogs/ImageSizeRules.h"
#include "dialogs/MainWindowServices.h"
#include "dialogs/win/OptionDialogs.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/Global_Win.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinForm.h"

namespace {

TCell& WM(Integer Index) { return *ConfigTable->GetItem(3)->GetItem(Index); }
TCell& Editor(Integer Index) { return *ConfigTable->GetItem(1)->GetItem(Index); }
String Colon(Integer Group, Integer Index) { return GetLangText(Group, Index) + u":"; }

TsfSkinCheckRadioBox* Box(TComponent* Owner, TWinControl* Parent, Integer X, Integer Y, Integer W, const String& Caption)
{
    auto* B = Placed(new TsfSkinCheckRadioBox(Owner), Parent, X, Y, W, 20);
    B->SetCaption(Caption);
    return B;
}

}  // namespace

TfrmImageWatermark::TfrmImageWatermark(TComponent* AOwner, TsfSkinData* SkinData, TMainWindowServices* Services)
    : TForm(AOwner), InfoMessage(DefaultInfoMessage()), ChooseFile(DefaultChoosePicture()), FServices(Services)
{
    ActiveFormWindow = Handle();
    SetName(u"frmImageWatermark");
    SetBorderStyle(bsDialog);
    SetClientWidth(360);
    SetClientHeight(348);
    SetCaption(GetLangText(3, 0));
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    lblEnableWatermark = PlacedLabel(this, this, 14, 16, Colon(3, 1));
    chkEnable = Box(this, this, 110, 14, 200, String());
    pnlWMImage = Placed(new TsfSkinPanel(this), this, 8, 42, 344, 264);
    pnlWMImage->SetCaption(String());

    lblWatermarkLocation = PlacedLabel(this, pnlWMImage, 10, 12, Colon(3, 3));
    rbLocationType1 = Box(this, pnlWMImage, 100, 10, 110, GetLangText(3, 19));
    rbLocationType2 = Box(this, pnlWMImage, 216, 10, 110, GetLangText(3, 21));
    for (TsfSkinCheckRadioBox* R : {rbLocationType1, rbLocationType2}) {
        R->SetRadio(true);
        R->SetGroupIndex(1);
    }
    cbLocation = Placed(new TsfSkinComboBox(this), pnlWMImage, 100, 40, 150, 22);
    for (Integer I = 4; I <= 8; ++I) cbLocation->Items()->Add(GetLangText(3, I));
    lblDistance1 = PlacedLabel(this, pnlWMImage, 10, 91, String());
    lblDistance2 = PlacedLabel(this, pnlWMImage, 10, 120, String());
    editDistance1 = Placed(new TsfSkinSpinEdit(this), pnlWMImage, 100, 89, 37, 22);
    editDistance2 = Placed(new TsfSkinSpinEdit(this), pnlWMImage, 100, 118, 37, 22);
    lblPercent1 = PlacedLabel(this, pnlWMImage, 142, 90, u"%");
    lblPercent2 = PlacedLabel(this, pnlWMImage, 142, 119, u"%");

    lblWatermarkAngle = PlacedLabel(this, pnlWMImage, 10, 166, Colon(3, 23));
    sliderAngle = Placed(new TsfSkinSlider(this), pnlWMImage, 100, 162, 180, 22);
    sliderAngle->SetMinValue(-90);
    sliderAngle->SetMaxValue(90);
    sliderAngle->SetIncrement(1);
    lblAngle = PlacedLabel(this, pnlWMImage, 290, 166, String());
    lblWatermarkOpacity = PlacedLabel(this, pnlWMImage, 10, 194, Colon(3, 24));
    sliderOpacity = Placed(new TsfSkinSlider(this), pnlWMImage, 100, 190, 180, 22);
    sliderOpacity->SetMinValue(0);
    sliderOpacity->SetMaxValue(255);
    sliderOpacity->SetValue(77);
    lblOpacity = PlacedLabel(this, pnlWMImage, 290, 194, String());
    lblWatermarkFile = PlacedLabel(this, pnlWMImage, 10, 222, Colon(3, 25));
    editFile = Placed(new TsfSkinEdit(this), pnlWMImage, 100, 218, 200, 22);
    btnFile = Placed(new TsfSkinSpeedButton(this), pnlWMImage, 304, 218, 30, 22);
    btnFile->SetCaption(u"...");
    chkUseTransparentColor = Box(this, pnlWMImage, 100, 244, 180, GetLangText(3, 27));
    clWMTransColor = Placed(new TsfSkinColorButton(this), pnlWMImage, 290, 240, 40, 22);
    clWMTransColor->SetName(u"clWMTransColor");
    clWMTransColor->SetDrawColorMarker(true);
    BindColorButton(clWMTransColor, Services);
    // The text kind is not offered: the watermark is always a picture.
    rbWatermarkType1 = Box(this, this, 0, 0, 10, String());
    rbWatermarkType2 = Box(this, this, 0, 0, 10, String());
    rbWatermarkType1->SetVisible(false);
    rbWatermarkType2->SetVisible(false);

    btnOk = Placed(new TsfSkinButton(this), this, 188, 316, 78, 25);
    btnOk->SetDefault(true);
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel = Placed(new TsfSkinButton(this), this, 274, 316, 78, 25);
    btnCancel->SetCaption(GetLangText(1, 48));
    ApplyChineseDialogFont(*this, *sfSkinForm1);

    chkEnable->OnClick = [this](TObject* S) { chkEnableClick(S); };
    rbLocationType1->OnClick = [this](TObject* S) { rbLocationTypeClick(S); };
    rbLocationType2->OnClick = [this](TObject* S) { rbLocationTypeClick(S); };
    editDistance1->OnChange = [this](TObject* S) { editDistanceChange(S); };
    editDistance2->OnChange = [this](TObject* S) { editDistanceChange(S); };
    sliderAngle->OnChange = [this](TObject* S) { sliderAngleChange(S); };
    sliderOpacity->OnChange = [this](TObject* S) { sliderOpacityChange(S); };
    cbLocation->OnChange = [this](TObject*) { ApplyWatermark(); };
    editFile->OnChange = [this](TObject*) { ApplyWatermark(); };
    clWMTransColor->OnChangeColor = [this](TObject*) { ApplyWatermark(); };
    chkUseTransparentColor->OnClick = [this](TObject* S) { chkUseTransparentColorClick(S); };
    btnFile->OnClick = [this](TObject* S) { btnFileClick(S); };
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };

    // 2. to 5.: the stored settings.
    for (Integer I = 0; I < 4; ++I) FDistances[I] = WM(4 + I).Value();
    chkEnable->SetChecked(WM(0).AsBool());
    FLocationType = WM(2).Value() == 1 ? 1 : 0;
    (FLocationType == 1 ? rbLocationType2 : rbLocationType1)->SetChecked(true);
    LayOut();
    cbLocation->SetItemIndex(std::clamp(WM(3).Value(), 0, 4));
    const Integer Angle = WM(8).Value();
    sliderAngle->SetValue(ShownWatermarkAngle(Angle));
    sliderOpacity->SetValue(WM(9).Value());
    editFile->SetText(UnescapeCellText(WM(11).Text()));
    chkUseTransparentColor->SetChecked(WM(12).AsBool());
    clWMTransColor->SetColorValue(static_cast<TColor>(WM(13).Value()));
    const bool Picture = WM(1).Value() == 0;
    for (TControl* C : std::initializer_list<TControl*>{lblWatermarkFile, editFile, btnFile, chkUseTransparentColor})
        C->SetVisible(Picture);
    chkEnableClick(chkEnable);
    chkUseTransparentColorClick(chkUseTransparentColor);
    sliderAngleChange(sliderAngle);
    sliderOpacityChange(sliderOpacity);
    LoadSettings();
    FLoaded = true;
}

void TfrmImageWatermark::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmImageWatermark::ApplyWatermark()
{
    if (!FLoaded || editFile->Text().empty()) return;
    ++FApplied;
    if (!FServices) return;
    FServices->AddWatermark(chkEnable->Checked(), editFile->Text(), FLocationType, cbLocation->ItemIndex(),
                            FDistances[0], FDistances[1], FDistances[2], FDistances[3], sliderAngle->Value(),
                            sliderOpacity->Value(), chkUseTransparentColor->Checked(), clWMTransColor->ColorValue());
}

// The labels, edits and ranges of the distance rows of the location type.
void TfrmImageWatermark::LayOut()
{
    const TWatermarkDistances& D = WatermarkDistances(FLocationType);
    lblDistance1->SetTop(D.Label1Top);
    lblDistance2->SetTop(D.Label2Top);
    editDistance1->SetBounds(editDistance1->Left(), D.Label1Top - 2, D.EditWidth, editDistance1->Height());
    editDistance2->SetBounds(editDistance2->Left(), D.Label2Top - 2, D.EditWidth, editDistance2->Height());
    const Integer PercentLeft = editDistance1->Left() + D.EditWidth + 4;
    lblPercent1->SetBounds(PercentLeft, D.Label1Top - 1, lblPercent1->Width(), lblPercent1->Height());
    lblPercent2->SetBounds(PercentLeft, D.Label2Top - 1, lblPercent2->Width(), lblPercent2->Height());
    editDistance1->SetMinValue(D.Min1);
    editDistance1->SetMaxValue(D.Max);
    editDistance2->SetMinValue(D.Min2);
    editDistance2->SetMaxValue(D.Max);
    cbLocation->SetVisible(FLocationType == 0);
}

void TfrmImageWatermark::LoadSettings()
{
    const TWatermarkDistances& D = WatermarkDistances(FLocationType);
    const bool Was = FPending;
    FPending = true;
    lblDistance1->SetCaption(Colon(3, D.Name1));
    lblDistance2->SetCaption(Colon(3, D.Name2));
    editDistance1->SetValue(FDistances[D.Cell1 - 4]);
    editDistance2->SetValue(FDistances[D.Cell2 - 4]);
    FPending = Was;
}

void TfrmImageWatermark::chkEnableClick(TObject*)
{
    pnlWMImage->SetVisible(chkEnable->Checked());
    ApplyWatermark();
}

void TfrmImageWatermark::rbLocationTypeClick(TObject* Sender)
{
    auto* R = static_cast<TsfSkinCheckRadioBox*>(Sender);
    if (!R->Checked()) return;  // the button that was unticked: the other one follows
    FLocationType = R == rbLocationType2 ? 1 : 0;
    LayOut();
    LoadSettings();
    ApplyWatermark();
}

void TfrmImageWatermark::editDistanceChange(TObject*)
{
    if (!FLoaded || FPending) return;
    const TWatermarkDistances& D = WatermarkDistances(FLocationType);
    FDistances[D.Cell1 - 4] = static_cast<Integer>(Round(editDistance1->Value()));
    FDistances[D.Cell2 - 4] = static_cast<Integer>(Round(editDistance2->Value()));
    ApplyWatermark();
}

void TfrmImageWatermark::sliderAngleChange(TObject*)
{
    lblAngle->SetCaption(IntToStr(sliderAngle->Value()) + u"°");
    ApplyWatermark();
}

void TfrmImageWatermark::sliderOpacityChange(TObject*)
{
    lblOpacity->SetCaption(IntToStr(OpacityPercent(sliderOpacity->Value())) + u"%");
    ApplyWatermark();
}

void TfrmImageWatermark::chkUseTransparentColorClick(TObject*)
{
    clWMTransColor->SetVisible(chkUseTransparentColor->Checked());
    ApplyWatermark();
}

void TfrmImageWatermark::btnFileClick(TObject*)
{
    const String Kept = UnescapeCellText(Editor(40).Text());
    const String Folder = !FChosenFolder.empty() ? FChosenFolder : Kept;
    const String FileName = ChooseFile ? ChooseFile(DirectoryExists(Folder) ? Folder : String()) : String();
    if (FileName.empty()) return;
    FChosenFolder = ExtractFilePath(FileName);
    bool HasAlpha = false;
    Integer BitDepth = -1;
    TImageLoadStatus Status;
    Screen->SetCursor(crHourGlass);
    std::unique_ptr<TBitmap32> Picture = LoadImageToBitmap32(FileName, HasAlpha, BitDepth, &Status);
    Screen->SetCursor(crDefault);
    const bool Decoded = Picture && !Picture->Empty();
    const Int64 W = Decoded ? Picture->Width() : Status.Width, H = Decoded ? Picture->Height() : Status.Height;
    if (const Integer Refusal = WatermarkPictureRefusal(W, H)) {
        InfoMessage(GetLangText(1, Refusal));
        return;
    }
    editFile->SetText(FileName);
}

void TfrmImageWatermark::btnOkClick(TObject*)
{
    if (chkEnable->Checked() && !FileExists(editFile->Text())) {
        InfoMessage(GetLangText(3, 26));
        return;
    }
    WM(0).SetAsBool(chkEnable->Checked());
    WM(1).SetValue(0);
    WM(2).SetValue(FLocationType);
    WM(3).SetValue(cbLocation->ItemIndex());
    for (Integer I = 0; I < 4; ++I) WM(4 + I).SetValue(FDistances[I]);
    WM(8).SetValue(StoredWatermarkAngle(sliderAngle->Value()));
    WM(9).SetValue(sliderOpacity->Value());
    WM(11).SetText(EscapeCellText(editFile->Text()));
    WM(12).SetAsBool(chkUseTransparentColor->Checked());
    WM(13).SetValue(static_cast<Integer>(clWMTransColor->ColorValue()));
    if (!FChosenFolder.empty()) Editor(40).SetText(EscapeCellText(FChosenFolder));
    SetModalResult(mrOk);
}

void TfrmImageWatermark::btnCancelClick(TObject*) { SetModalResult(mrCancel); }
