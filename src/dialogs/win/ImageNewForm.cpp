#include "dialogs/win/ImageNewForm.h"

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Types.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/ImageSizeRules.h"
#include "dialogs/win/OptionDialogs.h"
#include "filters/HyRas32Filters.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/HyMediaPack.h"
#include "foundation/win/Global_Win.h"
#include "foundation/win/HySysUtils_Win.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/ImgList.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"

namespace {

std::unique_ptr<TBitmap32>& PatternHolder()
{
    static std::unique_ptr<TBitmap32> Pattern;
    return Pattern;
}

TCell& Cell(Integer Index) { return *ConfigTable->GetItem(1)->GetItem(Index); }

constexpr Integer PatternThumbs = 6, ThumbSide = 53;

}  // namespace

TBitmap32* NewImagePattern() { return PatternHolder().get(); }

TBitmap32& MakeNewImagePattern()
{
    if (!PatternHolder()) PatternHolder() = std::make_unique<TBitmap32>();
    return *PatternHolder();
}

void FreeNewImagePattern() { PatternHolder().reset(); }

TfrmImageNew::TfrmImageNew(TComponent* AOwner, TsfSkinData* SkinData, TMainWindowServices* Services)
    : TForm(AOwner), InfoMessage(DefaultInfoMessage()), ChooseFile(DefaultChoosePicture()),
      FPatternDT(std::make_unique<TDataTable>())
{
    ActiveFormWindow = Handle();
    SetName(u"frmImageNew");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(371);
    SetClientHeight(258);
    SetCaption(GetLangText(1, 130));
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    lblPresets = PlacedLabel(this, this, 12, 14, GetLangText(1, 134) + u":");
    cbPresets = Placed(new TsfSkinComboBox(this), this, 96, 10, 180, 22);
    pnlImageInfo = Placed(new TsfSkinPanel(this), this, 8, 40, 355, 178);
    pnlImageInfo->SetCaption(String());
    if (ConfigTable->GetProp(2)->Text() == u"Charm") pnlImageInfo->SetSkinDataName(u"panel2");
    lblImageSize = PlacedLabel(this, pnlImageInfo, 10, 14, GetLangText(1, 83) + u":");
    editWidth = Placed(new TsfSkinNumericEdit(this), pnlImageInfo, 88, 10, 70, 22);
    PlacedLabel(this, pnlImageInfo, 162, 14, u"×");
    editHeight = Placed(new TsfSkinNumericEdit(this), pnlImageInfo, 176, 10, 70, 22);
    cbUnit = Placed(new TsfSkinComboBox(this), pnlImageInfo, 252, 10, 94, 22);
    if (LangColumn == 0) {
        lblPresets->SetAutoSize(false);
        lblPresets->SetWidth(70);
        lblImageSize->SetAutoSize(false);
        lblImageSize->SetWidth(70);
    }

    rbColor = Placed(new TsfSkinCheckRadioBox(this), pnlImageInfo, 10, 48, 90, 20);
    rbColor->SetCaption(GetLangText(1, 133));
    cbNewColor = Placed(new TsfSkinColorButton(this), pnlImageInfo, 104, 46, 40, 24);
    cbNewColor->SetName(u"cbNewColor");
    cbNewColor->SetDrawColorMarker(true);
    BindColorButton(cbNewColor, Services);
    rbPattern = Placed(new TsfSkinCheckRadioBox(this), pnlImageInfo, 10, 82, 90, 20);
    rbPattern->SetCaption(GetLangText(1, 132));
    mbPattern = Placed(new TsfSkinMenuSpeedButton(this), pnlImageInfo, 104, 80, 40, 24);
    mbPattern->SetHint(GetLangText(1, 263));
    btnSelectPattern = Placed(new TsfSkinSpeedButton(this), pnlImageInfo, 148, 80, 26, 24);
    btnSelectPattern->SetCaption(u"...");
    btnSelectPattern->SetHint(GetLangText(1, 264));
    Shape1 = Placed(new TShape(this), pnlImageInfo, 200, 46, 97, 71);
    Shape1->Brush()->SetStyle(bsClear);
    imgPattern = Placed(new TImage32(this), pnlImageInfo, 201, 47, 95, 69);
    rbTransparent = Placed(new TsfSkinCheckRadioBox(this), pnlImageInfo, 10, 116, 120, 20);
    rbTransparent->SetCaption(GetLangText(1, 137));
    for (TsfSkinCheckRadioBox* R : {rbColor, rbPattern, rbTransparent}) {
        R->SetRadio(true);
        R->SetGroupIndex(1);
    }

    chkFromClipboard = Placed(new TsfSkinCheckRadioBox(this), this, 12, 228, 170, 20);
    chkFromClipboard->SetCaption(GetLangText(1, 265));
    btnOk = Placed(new TsfSkinButton(this), this, 198, 226, 78, 25);
    btnOk->SetDefault(true);
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel = Placed(new TsfSkinButton(this), this, 284, 226, 78, 25);
    btnCancel->SetCaption(GetLangText(1, 48));

    ImageList1 = new TImageList(this);
    ImageList1->SetSize(ThumbSide, ThumbSide);
    sfSkinImagesMenu1 = new TsfSkinImagesMenu(this);
    sfSkinImagesMenu1->SetSkinData(SkinData);
    sfSkinImagesMenu1->SetImages(ImageList1);
    sfSkinImagesMenu1->SetColumnsCount(3);
    sfSkinImagesMenu1->ShowSelectedItem = false;
    mbPattern->SetSkinImagesMenu(sfSkinImagesMenu1);
    ApplyChineseDialogFont(*this, *sfSkinForm1);

    // 4. The stored choices.
    FOldUnitIndex = UnitPixels;
    FormatSizeEdit(editWidth, UnitPixels);
    FormatSizeEdit(editHeight, UnitPixels);
    editWidth->SetValue(Cell(0).Value());
    editHeight->SetValue(Cell(1).Value());
    cbNewColor->SetColorValue(static_cast<TColor>(Cell(2).Value()));
    const Integer Kind = Cell(3).Value();
    (Kind == 1 ? rbPattern : Kind == 2 ? rbTransparent : rbColor)->SetChecked(true);
    // 5. The clipboard.
    FHasClipboardBitmap = GetClipboardBitmapSize(FClipboardSize.cx, FClipboardSize.cy);
    chkFromClipboard->SetEnabled(FHasClipboardBitmap);
    // 6. The lists.
    cbPresets->Items()->Add(GetLangText(1, 266));
    cbPresets->Items()->Add(GetLangText(1, 267));
    for (Integer I = 2; I < PresetCount; ++I) cbPresets->Items()->Add(PresetCaption(I));
    cbPresets->SetItemIndex(0);
    FillUnitList(cbUnit);
    cbUnit->SetItemIndex(UnitPixels);
    FLoaded = true;
    cbPresets->OnChange = [this](TObject* S) { cbPresetsChange(S); };
    cbUnit->OnChange = [this](TObject* S) { cbUnitChange(S); };
    cbUnit->SetItemIndex(ValidUnitIndex(Cell(4).Value()));
    // 7. The patterns.
    LoadPatternPack(FPatternDT.get());
    MakeThumbnails();
    imgPattern->Bitmap()->SetSize(0, 0);
    if (rbPattern->Checked() && NewImagePattern()) DrawPatternPreview();

    for (TsfSkinCheckRadioBox* R : {rbColor, rbPattern, rbTransparent})
        R->OnClick = [this](TObject* S) { RadioClick(S); };
    chkFromClipboard->OnClick = [this](TObject* S) { chkFromClipboardClick(S); };
    sfSkinImagesMenu1->OnItemClick = [this](TObject*) { PatternItemClick(sfSkinImagesMenu1->ItemIndex()); };
    btnSelectPattern->OnClick = [this](TObject* S) { btnSelectPatternClick(S); };
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    UpdateControls();
}

TfrmImageNew::~TfrmImageNew() = default;

void TfrmImageNew::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

// The first six pictures of the pack, each tiled into a thumbnail.
void TfrmImageNew::MakeThumbnails()
{
    TBitmap32 Tile;
    TBitmap B;
    B.SetPixelFormat(pf24bit);
    for (Integer I = 0; I < PatternThumbs; ++I) {
        Tile.SetSize(ThumbSide, ThumbSide);
        Tile.Clear(0xFFFFFFFF);
        if (I < FPatternDT->ItemCount())
            if (auto* P = FPatternDT->GetItem(I)->Data().As<TBitmap32>())
                DrawTiledFrame(P, &Tile, TRect{0, 0, ThumbSide, ThumbSide}, false);
        B.Assign(&Tile);
        ImageList1->Add(&B);
        sfSkinImagesMenu1->AddItem(I, String(), false, clNone);
    }
}

void TfrmImageNew::UpdateControls()
{
    const bool Presets = !chkFromClipboard->Checked();
    cbPresets->SetEnabled(Presets);
    for (TControl* C : {static_cast<TControl*>(editWidth), static_cast<TControl*>(editHeight),
                        static_cast<TControl*>(rbColor), static_cast<TControl*>(rbPattern),
                        static_cast<TControl*>(rbTransparent)})
        C->SetEnabled(Presets);
    cbNewColor->SetVisible(Presets && rbColor->Checked());
    const bool Pattern = Presets && rbPattern->Checked();
    mbPattern->SetVisible(Pattern);
    btnSelectPattern->SetVisible(Pattern);
    imgPattern->SetVisible(Pattern);
    Shape1->SetVisible(Pattern);
}

void TfrmImageNew::DrawPatternPreview()
{
    TBitmap32 Preview;
    Preview.SetSize(imgPattern->Width(), imgPattern->Height());
    Preview.Clear(ColorToColor32(imgPattern->Color()));
    if (TBitmap32* P = NewImagePattern()) DrawTiledFrame(P, &Preview, TRect{0, 0, Preview.Width(), Preview.Height()}, false);
    imgPattern->SetBitmap(&Preview);
}

void TfrmImageNew::RadioClick(TObject*)
{
    UpdateControls();
    if (rbColor->Checked())
        imgPattern->Bitmap()->SetSize(0, 0);
    else if (NewImagePattern())
        DrawPatternPreview();
    imgPattern->Invalidate();
}

void TfrmImageNew::chkFromClipboardClick(TObject*)
{
    if (chkFromClipboard->Checked()) cbPresets->SetItemIndex(1);
    UpdateControls();
}

void TfrmImageNew::cbPresetsChange(TObject*)
{
    if (!FLoaded) return;
    if (cbUnit->ItemIndex() != UnitPixels) cbUnit->SetItemIndex(UnitPixels);
    const TSize S = PresetSize(cbPresets->ItemIndex(), TSize{Cell(0).Value(), Cell(1).Value()},
                               FHasClipboardBitmap ? &FClipboardSize : nullptr);
    editWidth->SetValue(S.cx);
    editHeight->SetValue(S.cy);
}

void TfrmImageNew::cbUnitChange(TObject*)
{
    if (!FLoaded) return;
    const Integer Unit = ValidUnitIndex(cbUnit->ItemIndex());
    ConvertSizeEdits(editWidth, editHeight, FOldUnitIndex, Unit);
    FOldUnitIndex = Unit;
}

// A pack with fewer pictures than the menu has items: such a click is ignored.
void TfrmImageNew::PatternItemClick(Integer Index)
{
    if (Index < 0 || Index >= FPatternDT->ItemCount()) return;
    auto* P = FPatternDT->GetItem(Index)->Data().As<TBitmap32>();
    if (!P) return;
    MakeNewImagePattern().Assign(P);
    DrawPatternPreview();
}

void TfrmImageNew::btnSelectPatternClick(TObject*)
{
    TCell& Folder = Cell(42);
    const String Start = DirectoryExists(UnescapeCellText(Folder.Text())) ? UnescapeCellText(Folder.Text()) : String();
    const String FileName = ChooseFile ? ChooseFile(Start) : String();
    if (FileName.empty()) return;
    Application->ProcessMessages();
    // Read into a picture of its own first: a file that cannot be read or
    // holds no pixels leaves the pattern as it was.
    TBitmap32 Loaded;
    try {
        Screen->SetCursor(crHourGlass);
        Loaded.LoadFromFile(FileName);
        Screen->SetCursor(crDefault);
    } catch (const Exception& E) {
        Screen->SetCursor(crDefault);
        InfoMessage(E.Message());
        return;
    }
    if (Loaded.Empty()) {
        InfoMessage(GetLangText(1, 395));
        return;
    }
    MakeNewImagePattern().Assign(&Loaded);
    DrawPatternPreview();
    Folder.SetText(EscapeCellText(ExtractFilePath(FileName)));
}

void TfrmImageNew::btnOkClick(TObject*)
{
    if (rbPattern->Checked() && !chkFromClipboard->Checked() && !NewImagePattern()) {
        InfoMessage(GetLangText(1, 131));
        return;
    }
    const Integer Unit = ValidUnitIndex(cbUnit->ItemIndex());
    const Int64 W = SizeInPixels(editWidth->Value(), Unit), H = SizeInPixels(editHeight->Value(), Unit);
    if (const Integer Refusal = SizeRefusal(W, H)) {
        InfoMessage(GetLangText(1, Refusal));
        return;
    }
    Cell(0).SetValue(static_cast<Integer>(W));
    Cell(1).SetValue(static_cast<Integer>(H));
    Cell(4).SetValue(Unit);
    Cell(2).SetValue(static_cast<Integer>(cbNewColor->ColorValue()));
    Cell(3).SetValue(rbPattern->Checked() ? 1 : rbTransparent->Checked() ? 2 : 0);
    SetModalResult(mrOk);
}

void TfrmImageNew::btnCancelClick(TObject*) { SetModalResult(mrCancel); }
