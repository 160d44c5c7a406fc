#include "dialogs/win/ImageFrames.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "dialogs/MainWindowServices.h"
#include "dialogs/win/OptionDialogs.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/Global_Win.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "framework/controls/win/Dialogs.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinForm.h"

using namespace FrameDialog;

namespace {
constexpr Integer BevelLeft = 8, BevelTop = 8, BevelWidth = 300, ClientW = 391;

template <class T>
T* Placed(T* C, TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H)
{
    C->SetParent(Parent);
    C->SetBounds(X, Y, W, H);
    return C;
}

const char16_t* const ImageFilter =
    u"Images (*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.tif;*.tiff)|*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.tif;*.tiff|*.*|*.*";
}  // namespace

TfrmImageFrames::TfrmImageFrames(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document,
                                 TDataTable& Config, TDataTable* FrameDT, TMainWindowServices* Services,
                                 TColor BackColor)
    : TForm(AOwner),
      FDocument(Document),
      FConfig(Config),
      FServices(Services),
      FType(Document.FrameType()),
      FMode(Document.FrameMode()),
      FSetup(FrameSetupFor(FType, FMode))
{
    SetName(u"frmImageFrames");
    SetBorderStyle(bsDialog);
    SetClientWidth(ClientW);
    SetClientHeight(330);
    SetCaption(GetLangText(5, 0));
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);
    if (FType == 2) FTable = std::make_unique<TFrameTableCopy>(FrameDT);
    if (TCell* C = ConfigCell(FolderRow, FolderCell)) FFolder = C->Text();

    bvBox = Placed(new TsfSkinBevel(this), this, BevelLeft, BevelTop, BevelWidth, 290);
    pnlParam = Placed(new TsfSkinPanel(this), this, BevelLeft + 2, BevelTop + 2, BevelWidth - 4, 286);
    pnlParam->SetCaption(String());
    pnlParam->SetColor(BackColor);
    const Integer W = BevelWidth - 4;
    for (Integer i = 0; i < 3; ++i) {
        auto* P = Placed(new TsfSkinPanel(this), pnlParam, 0, i * RowHeight, W, RowHeight);
        P->SetCaption(String());
        P->SetColor(BackColor);
        pnlParamRow[i] = P;
        lblParam[i] = Placed(new TLabel(this), P, 6, 10, 70, 16);
        lblParam[i]->SetAutoSize(false);
        sliderValue[i] = Placed(new TsfSkinSlider(this), P, 76, 7, 130, 22);
        sliderValue[i]->SetSkinData(SkinData);
        sliderValue[i]->SetIncrement(1);
        lblValue[i] = Placed(new TLabel(this), P, 208, 10, 38, 16);
        lblValue[i]->SetAutoSize(false);
        cbColor[i] = Placed(new TsfSkinColorButton(this), P, 246, 6, 46, 24);
        cbColor[i]->SetName(u"cbColor" + IntToStr(i + 1));
        cbColor[i]->SetSkinData(SkinData);
        cbColor[i]->SetUseSkinSize(false);
        chkStereo[i] = Placed(new TsfSkinCheckRadioBox(this), P, 76, 40, 120, 18);
        chkStereo[i]->SetSkinData(SkinData);
        chkStereo[i]->SetCaption(GetLangText(5, 10));
        cbStereoWidth[i] = Placed(new TsfSkinComboBox(this), P, 200, 38, 50, 22);
        cbStereoWidth[i]->SetSkinData(SkinData);
        for (Integer k = 1; k <= 9; ++k) cbStereoWidth[i]->Items()->Add(IntToStr(k));
        cbStereoWidth[i]->SetVisible(false);
        sliderValue[i]->OnChange = [this, i](TObject*) { sliderValueChange(i); };
        sliderValue[i]->OnChanged = [this, i](TObject*) { sliderValueChanged(i); };
        cbColor[i]->OnChangeColor = [this, i](TObject*) { cbColorChangeColor(i); };
        chkStereo[i]->OnClick = [this, i](TObject*) { chkStereoClick(i); };
        cbStereoWidth[i]->OnChange = [this, i](TObject*) { cbStereoWidthChange(i); };
        if (FServices) {
            TMainWindowServices* S = FServices;
            cbColor[i]->SetMainWindowHandle(reinterpret_cast<HWND>(S->MainWindowHandle()));
            cbColor[i]->OnShowTrackMenu = [S](TObject* Sender) { S->clColorShowTrackMenu(Sender); };
            cbColor[i]->OnHideTrackMenu = [S](TObject* Sender) { S->clColorHideTrackMenu(Sender); };
            cbColor[i]->OnColorDialogClose = [S](TObject* Sender) { S->clColorColorDialogClose(Sender); };
        }
    }
    pnlCheck = Placed(new TsfSkinPanel(this), pnlParam, 0, 3 * RowHeight, W, OptionRowHeight);
    pnlCheck->SetCaption(String());
    pnlCheck->SetColor(BackColor);
    chkOption1 = Placed(new TsfSkinCheckRadioBox(this), pnlCheck, 6, 6, 240, 18);
    chkOption1->SetSkinData(SkinData);
    editFile = Placed(new TEdit(this), pnlCheck, 6, 30, 236, 22);
    btnFile = Placed(new TsfSkinButton(this), pnlCheck, 246, 29, 44, 24);
    btnFile->SetSkinData(SkinData);
    btnFile->SetCaption(u"...");
    lblTextureMissing = Placed(new TLabel(this), pnlCheck, 6, 56, 284, 16);
    lblTextureMissing->SetAutoSize(false);
    lblTextureMissing->SetVisible(false);
    chkOption1->OnClick = [this](TObject* S) { chkOption1Click(S); };
    btnFile->OnClick = [this](TObject* S) { btnFileClick(S); };

    btnOk = Placed(new TsfSkinButton(this), this, BevelLeft + BevelWidth + 8, BevelTop, 68, 25);
    btnOk->SetDefault(true);
    btnCancel = Placed(new TsfSkinButton(this), this, BevelLeft + BevelWidth + 8, BevelTop + 30, 68, 25);
    for (TsfSkinButton* B : {btnOk, btnCancel}) B->SetSkinData(SkinData);
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel->SetCaption(GetLangText(1, 48));
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    ApplyChineseDialogFont(*this, *sfSkinForm1);

    FPreview = std::make_unique<TEffectPreview>(*this, emNone);
    OnShow = [this](TObject* S) { FormShow(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    ActiveFormWindow = Handle();
}

TfrmImageFrames::~TfrmImageFrames()
{
    if (HandleAllocated() && ActiveFormWindow == Handle()) ActiveFormWindow = nullptr;
}

TCell* TfrmImageFrames::ConfigCell(Integer Row, Integer Index) const
{
    if (Row < 0 || Row >= FConfig.ItemCount() || Index < 0) return nullptr;
    TRow* R = FConfig.GetItem(Row);
    while (R->ItemCount() <= Index) R->AddItem(String());
    return R->GetItem(Index);
}

void TfrmImageFrames::FormShow(TObject*)
{
    FPreview->Pending = true;
    SetupFrame();
    LayoutPanels();
    if (FType == 1) {
        chkOption1->SetCaption(GetLangText(5, 13));
        lblTextureMissing->SetCaption(GetLangText(2, 61));
        if (TCell* C = ConfigCell(SettingsRow, TextureFileCell)) editFile->SetText(UnescapeCellText(C->Text()));
        if (TCell* C = ConfigCell(SettingsRow, TextureOptionCell)) chkOption1->SetChecked(C->AsBool());
        ShowOptionRow();
    }
    FPreview->Pending = false;
    FPreview->Shown();
}

void TfrmImageFrames::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmImageFrames::SetupFrame()
{
    for (Integer i = 0; i < 3; ++i) {
        lblParam[i]->SetCaption(FSetup.RowShown[i] ? GetLangText(5, FSetup.NameIndex[i]) + u":" : String());
        sliderValue[i]->SetMinValue(FSetup.Min[i]);
        sliderValue[i]->SetMaxValue(FSetup.Max[i]);
    }
    if (FType == 2) {
        for (Integer i = 0; i < 3; ++i) {
            if (!FTable->HasRow(i)) continue;
            sliderValue[i]->SetValue(FTable->Width(i));
            cbColor[i]->SetColorValue(FTable->Color(i));
            chkStereo[i]->SetChecked(FTable->Stereo(i));
            cbStereoWidth[i]->SetItemIndex(FTable->StereoWidth(i) - 1);
        }
    } else {
        TCell* C = FSetup.Cell >= 0 ? ConfigCell(SettingsRow, FSetup.Cell) : nullptr;
        const TFrameValues V = ParseFrameValues(FSetup, C ? C->Text() : String());
        for (Integer i = 0; i < 3; ++i) {
            sliderValue[i]->SetValue(V.Value[i]);
            cbColor[i]->SetColorValue(V.Color[i]);
        }
    }
    for (Integer i = 0; i < 3; ++i) ShowValue(i);
}

void TfrmImageFrames::LayoutPanels()
{
    const TFrameLayout L = FrameLayoutFor(FSetup, BevelTop);
    Integer Y = 0;
    for (Integer i = 0; i < 3; ++i) {
        pnlParamRow[i]->SetVisible(FSetup.RowShown[i]);
        cbColor[i]->SetVisible(FSetup.ColorShown[i]);
        chkStereo[i]->SetVisible(FSetup.StereoShown[i]);
        cbStereoWidth[i]->SetVisible(FSetup.StereoShown[i] && chkStereo[i]->Checked());
        if (!FSetup.RowShown[i]) continue;
        pnlParamRow[i]->SetBounds(0, Y, pnlParamRow[i]->Width(), L.Row[i]);
        Y += L.Row[i];
    }
    pnlCheck->SetVisible(FSetup.OptionRow);
    pnlCheck->SetBounds(0, Y, pnlCheck->Width(), OptionRowHeight);
    bvBox->SetHeight(L.Bevel);
    pnlParam->SetHeight(L.Panel);
    SetClientHeight(L.Form);
}

void TfrmImageFrames::ShowValue(Integer Row)
{
    lblValue[Row]->SetCaption(IntToStr(sliderValue[Row]->Value()) + (FSetup.Percent[Row] ? u"%" : u""));
}

// The texture edit and its button while the option is ticked, the colour
// otherwise; the note when the named texture is gone.
void TfrmImageFrames::ShowOptionRow()
{
    const bool Texture = chkOption1->Checked();
    editFile->SetVisible(Texture);
    btnFile->SetVisible(Texture);
    cbColor[0]->SetVisible(!Texture && FSetup.ColorShown[0]);
    const String Name = editFile->Text();
    lblTextureMissing->SetVisible(Texture && !Name.empty() && !FileExists(Name));
}

void TfrmImageFrames::Recompute()
{
    if (FPreview->Pending) return;
    FPreview->OptionChanged();
}

void TfrmImageFrames::sliderValueChange(Integer Row)
{
    ShowValue(Row);
    if (FTable) FTable->SetWidth(Row, sliderValue[Row]->Value());
    FPreview->ValueChange();
}

void TfrmImageFrames::sliderValueChanged(Integer) { FPreview->ValueChanged(); }

void TfrmImageFrames::cbColorChangeColor(Integer Row)
{
    if (FTable) FTable->SetColor(Row, cbColor[Row]->ColorValue());
    Recompute();
}

void TfrmImageFrames::chkStereoClick(Integer Row)
{
    cbStereoWidth[Row]->SetVisible(FSetup.StereoShown[Row] && chkStereo[Row]->Checked());
    if (FTable) FTable->SetStereo(Row, chkStereo[Row]->Checked());
    Recompute();
}

void TfrmImageFrames::cbStereoWidthChange(Integer Row)
{
    if (FTable) FTable->SetStereoWidth(Row, cbStereoWidth[Row]->ItemIndex() + 1);
    Recompute();
}

void TfrmImageFrames::chkOption1Click(TObject*)
{
    ShowOptionRow();
    Recompute();
}

Integer TfrmImageFrames::Ask(const String& Text, Cardinal Flags)
{
    if (OnMessage) return OnMessage(Text, Flags);
    return Application->MessageBox(Text, EditionTitle, Flags);
}

void TfrmImageFrames::btnFileClick(TObject*)
{
    FFolder = FrameDialog::TextureFolder(FFolder, ProgramFolder);
    String File;
    if (OnChooseFile) {
        File = OnChooseFile(FFolder);
    } else {
        TOpenDialog D(nullptr);
        D.SetFilter(ImageFilter);
        D.SetFileName(String());
        if (DirectoryExists(FFolder)) D.SetInitialDir(FFolder);
        if (D.Execute()) File = D.FileName();
    }
    if (File.empty()) return;
    FFolder = ExtractFilePath(File);
    Application->ProcessMessages();
    Integer Width = 0, Height = 0;
    {
        Screen->SetCursor(crHourGlass);
        bool HasAlpha = false;
        Integer BitDepth = -1;
        const std::unique_ptr<TBitmap32> B = LoadImageToBitmap32(File, HasAlpha, BitDepth);
        if (B) Width = B->Width(), Height = B->Height();
        Screen->SetCursor(crDefault);
    }
    switch (CheckTextureSize(Width, Height)) {
        case TTextureCheck::TooLarge: Ask(GetLangText(1, 382), MB_OK | MB_ICONINFORMATION); return;
        case TTextureCheck::Empty: Ask(GetLangText(1, 395), MB_OK | MB_ICONINFORMATION); return;
        case TTextureCheck::Ask:
            if (Ask(GetLangText(1, 383), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
            break;
        case TTextureCheck::Accept: break;
    }
    editFile->SetText(File);
    lblTextureMissing->SetVisible(false);
    FPreview->OptionChanged();
}

void TfrmImageFrames::btnOkClick(TObject*)
{
    const bool Texture = FType == 1 && chkOption1->Checked();
    if (Texture && editFile->Text().empty()) {
        Ask(GetLangText(5, 14), MB_OK | MB_ICONINFORMATION);
        return;
    }
    FPreview->Ok();
    if (FType == 0 || FType == 1) {
        TFrameValues V;
        for (Integer i = 0; i < 3; ++i) {
            V.Value[i] = sliderValue[i]->Value();
            V.Color[i] = cbColor[i]->ColorValue();
        }
        if (TCell* C = FSetup.Cell >= 0 ? ConfigCell(SettingsRow, FSetup.Cell) : nullptr)
            C->SetText(JoinFrameValues(FSetup, V));
    }
    if (FType == 1) {
        if (TCell* C = ConfigCell(SettingsRow, TextureOptionCell)) C->SetAsBool(chkOption1->Checked());
        if (TCell* C = ConfigCell(SettingsRow, TextureFileCell)) C->SetText(EscapeCellText(editFile->Text()));
    }
    // What the dialog changed reaches the preset and the settings only now.
    if (FTable) FTable->Commit();
    if (TCell* C = ConfigCell(FolderRow, FolderCell); C && C->Text() != FFolder) C->SetText(FFolder);
    SetModalResult(mrOk);
}

void TfrmImageFrames::btnCancelClick(TObject*) { SetModalResult(mrCancel); }

// ---------------------------------------------------------------------------

void TfrmImageFrames::EffectBegin() { FDocument.FrameBegin(); }

void TfrmImageFrames::EffectEnd(bool IsApply) { FDocument.FrameEnd(IsApply); }

void TfrmImageFrames::PreviewOnce()
{
    auto V = [this](Integer i) { return sliderValue[i]->Value(); };
    auto C = [this](Integer i) { return cbColor[i]->ColorValue(); };
    switch (FType) {
        case 0: FDocument.FrameDo0(V(0), C(0), V(1), C(1), V(2), C(2), false); break;
        case 1: FDocument.FrameDo1(V(0), C(0), V(1), chkOption1->Checked() ? editFile->Text() : String()); break;
        case 2: FDocument.FrameDo2(FTable->Table()); break;
        default: FDocument.FrameDo3(V(0), C(0)); break;
    }
    FDocument.Draw();
}

void TfrmImageFrames::ProcessMessages() { Application->ProcessMessages(); }

void TfrmImageFrames::SetBusyCursor(bool Busy) { Screen->SetCursor(Busy ? crHourGlass : crDefault); }
