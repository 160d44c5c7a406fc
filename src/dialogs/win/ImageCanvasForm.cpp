#include "dialogs/win/ImageCanvasForm.h"

#include "dialogs/ImageSizeRules.h"
#include "dialogs/win/OptionDialogs.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinForm.h"

namespace {

TCell& Cell(Integer Index) { return *ConfigTable->GetItem(1)->GetItem(Index); }

TsfSkinNumericEdit* MarginEdit(TComponent* Owner, TWinControl* Parent, Integer X, Integer Y)
{
    auto* E = Placed(new TsfSkinNumericEdit(Owner), Parent, X, Y, 52, 22);
    E->SetValueType(vtInteger);
    E->SetMinValue(-1000);
    E->SetMaxValue(1000);
    E->SetValue(0);
    return E;
}

Integer Rounded(TsfSkinNumericEdit* E) { return static_cast<Integer>(Round(E->Value())); }

}  // namespace

TfrmImageCanvas::TfrmImageCanvas(TComponent* AOwner, TsfSkinData* SkinData, TMainWindowServices* Services,
                                 TImageDraw& Document)
    : TForm(AOwner), InfoMessage(DefaultInfoMessage()), FDocument(Document)
{
    ActiveFormWindow = Handle();
    SetName(u"frmImageCanvas");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(347);
    SetClientHeight(213);
    SetCaption(GetLangText(1, 80));
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    gbCanvasColor = Placed(new TsfSkinPanel(this), this, 8, 8, 331, 54);
    gbCanvasColor->SetCaptionMode(true);
    gbCanvasColor->SetCaption(GetLangText(1, 81));
    cbCanvasColor = Placed(new TsfSkinColorButton(this), gbCanvasColor, 12, 22, 40, 24);
    cbCanvasColor->SetName(u"cbCanvasColor");
    BindColorButton(cbCanvasColor, Services);
    chkCanvasTransparent = Placed(new TsfSkinCheckRadioBox(this), gbCanvasColor, 70, 24, 180, 20);
    chkCanvasTransparent->SetCaption(GetLangText(1, 137));

    gbCanvasSize = Placed(new TsfSkinPanel(this), this, 8, 68, 331, 108);
    gbCanvasSize->SetCaptionMode(true);
    gbCanvasSize->SetCaption(GetLangText(1, 82));
    chkRelativePosition = Placed(new TsfSkinCheckRadioBox(this), gbCanvasSize, 12, 22, 250, 20);
    chkRelativePosition->SetCaption(GetLangText(1, 84));
    editCanvasWidth = Placed(new TsfSkinNumericEdit(this), gbCanvasSize, 12, 64, 80, 22);
    lblTimes = PlacedLabel(this, gbCanvasSize, 96, 68, u"×");
    editCanvasHeight = Placed(new TsfSkinNumericEdit(this), gbCanvasSize, 110, 64, 80, 22);
    cbCanvasUnit = Placed(new TsfSkinComboBox(this), gbCanvasSize, 198, 64, 100, 22);
    // The margin labels 10 pixels above the absolute edits, their edits 21
    // pixels below the labels, the unit 1 pixel below the edits' top.
    const Integer LabelTop = editCanvasWidth->Top() - 10, EditTop = LabelTop + 21;
    lblTop = PlacedLabel(this, gbCanvasSize, 12, LabelTop, GetLangText(1, 118));
    lblBottom = PlacedLabel(this, gbCanvasSize, 72, LabelTop, GetLangText(1, 119));
    lblLeft = PlacedLabel(this, gbCanvasSize, 132, LabelTop, GetLangText(1, 120));
    lblRight = PlacedLabel(this, gbCanvasSize, 192, LabelTop, GetLangText(1, 121));
    editTop = MarginEdit(this, gbCanvasSize, 12, EditTop);
    editBottom = MarginEdit(this, gbCanvasSize, 72, EditTop);
    editLeft = MarginEdit(this, gbCanvasSize, 132, EditTop);
    editRight = MarginEdit(this, gbCanvasSize, 192, EditTop);
    lblUnit = PlacedLabel(this, gbCanvasSize, 252, EditTop + 1, GetLangText(1, 16));

    btnOk = Placed(new TsfSkinButton(this), this, 175, 182, 78, 25);
    btnOk->SetDefault(true);
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel = Placed(new TsfSkinButton(this), this, 261, 182, 78, 25);
    btnCancel->SetCaption(GetLangText(1, 48));
    ApplyChineseDialogFont(*this, *sfSkinForm1);

    // 2. The document's canvas colour and transparency.
    TDataTable& DT = *Document.DT();
    chkCanvasTransparent->SetChecked(DT.GetProp(ObjProp::CanvasTransparent)->AsBool());
    cbCanvasColor->SetColorValue(static_cast<TColor>(DT.GetProp(ObjProp::CanvasColor)->Value()));
    cbCanvasColor->SetDrawColorMarker(!chkCanvasTransparent->Checked());
    // 3, 4. The size in pixels, then in the kept unit.
    FCanvasWidth = Document.Width();
    FCanvasHeight = Document.Height();
    FormatSizeEdit(editCanvasWidth, UnitPixels);
    FormatSizeEdit(editCanvasHeight, UnitPixels);
    editCanvasWidth->SetValue(FCanvasWidth);
    editCanvasHeight->SetValue(FCanvasHeight);
    FillUnitList(cbCanvasUnit);
    FOldCanvasUnitIndex = UnitPixels;
    cbCanvasUnit->SetItemIndex(UnitPixels);
    cbCanvasUnit->OnChange = [this](TObject* S) { cbCanvasUnitChange(S); };
    editCanvasWidth->OnChange = [this](TObject* S) { editSizeChange(S); };
    editCanvasHeight->OnChange = [this](TObject* S) { editSizeChange(S); };
    chkRelativePosition->OnClick = [this](TObject* S) { chkRelativePositionClick(S); };
    // The unit's conversion refreshes the pixel size through the edits, so
    // it runs as if loaded; the pixel size stays exact while it does.
    FLoaded = true;
    cbCanvasUnit->SetItemIndex(ValidUnitIndex(Cell(5).Value()));
    FCanvasWidth = Document.Width();
    FCanvasHeight = Document.Height();
    // 5. The relative mode first.
    chkRelativePosition->SetChecked(true);
    chkRelativePositionClick(chkRelativePosition);
    chkCanvasTransparent->OnClick = [this](TObject* S) { chkCanvasTransparentClick(S); };
    cbCanvasColor->OnChangeColor = [this](TObject* S) { cbCanvasColorChange(S); };
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
}

void TfrmImageCanvas::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

Integer TfrmImageCanvas::MarginLeft() const { return Rounded(editLeft); }
Integer TfrmImageCanvas::MarginRight() const { return Rounded(editRight); }
Integer TfrmImageCanvas::MarginTop() const { return Rounded(editTop); }
Integer TfrmImageCanvas::MarginBottom() const { return Rounded(editBottom); }

void TfrmImageCanvas::chkRelativePositionClick(TObject*)
{
    const bool Relative = chkRelativePosition->Checked();
    for (TControl* C : std::initializer_list<TControl*>{lblTop, lblBottom, lblLeft, lblRight, lblUnit, editTop,
                                                        editBottom, editLeft, editRight})
        C->SetVisible(Relative);
    for (TControl* C : std::initializer_list<TControl*>{editCanvasWidth, editCanvasHeight, lblTimes, cbCanvasUnit})
        C->SetVisible(!Relative);
}

void TfrmImageCanvas::editSizeChange(TObject* Sender)
{
    if (!FLoaded) return;
    const Integer Unit = ValidUnitIndex(cbCanvasUnit->ItemIndex());
    auto* E = static_cast<TsfSkinNumericEdit*>(Sender);
    const Integer Px = static_cast<Integer>(SizeInPixels(E->Value(), Unit));
    (E == editCanvasWidth ? FCanvasWidth : FCanvasHeight) = Px;
}

void TfrmImageCanvas::cbCanvasUnitChange(TObject*)
{
    const Integer Unit = ValidUnitIndex(cbCanvasUnit->ItemIndex());
    ConvertSizeEdits(editCanvasWidth, editCanvasHeight, FOldCanvasUnitIndex, Unit);
    FOldCanvasUnitIndex = Unit;
}

void TfrmImageCanvas::chkCanvasTransparentClick(TObject*)
{
    if (!FLoaded) return;
    cbCanvasColor->SetDrawColorMarker(!chkCanvasTransparent->Checked());
    cbCanvasColor->Invalidate();
}

void TfrmImageCanvas::cbCanvasColorChange(TObject*)
{
    if (!FLoaded) return;
    chkCanvasTransparent->SetChecked(false);
}

// The size checked is the one the chosen mode gives: margins can make a
// canvas too large or without a side as well as an absolute size can.
void TfrmImageCanvas::btnOkClick(TObject*)
{
    const TCanvasChange C =
        chkRelativePosition->Checked()
            ? RelativeCanvas(FDocument.Width(), FDocument.Height(), MarginLeft(), MarginRight(), MarginTop(),
                             MarginBottom())
            : TCanvasChange{FCanvasWidth, FCanvasHeight, 0, 0};
    if (const Integer Refusal = SizeRefusal(C.Width, C.Height)) {
        InfoMessage(GetLangText(1, Refusal));
        return;
    }
    Cell(5).SetValue(ValidUnitIndex(cbCanvasUnit->ItemIndex()));
    TDataTable& DT = *FDocument.DT();
    DT.GetProp(ObjProp::CanvasColor)->SetValue(static_cast<Integer>(cbCanvasColor->ColorValue()));
    DT.GetProp(ObjProp::CanvasTransparent)->SetAsBool(chkCanvasTransparent->Checked());
    SetModalResult(mrOk);
}

void TfrmImageCanvas::btnCancelClick(TObject*) { SetModalResult(mrCancel); }
