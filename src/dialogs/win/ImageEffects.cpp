#include "dialogs/win/ImageEffects.h"

#include "Component/Raster32/Ras32.h"
#include "dialogs/MainWindowServices.h"
#include "dialogs/win/OptionDialogs.h"
#include "document/ImageDraw.h"
#include "filters/Ras32_BlendModes.h"
#include "foundation/Global.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinForm.h"

namespace {
template <class T>
T* Placed(T* C, TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H)
{
    C->SetParent(Parent);
    C->SetBounds(X, Y, W, H);
    return C;
}

constexpr Integer BoxTop = 8, BoxWidth = 352, RowWidth = BoxWidth - 4;

// A row stacked from the top of the parameter panel (Order keeps the rows'
// order when hidden ones close up).
TsfSkinPanel* Row(TForm* Owner, TWinControl* Parent, const char16_t* Name, Integer Order, Integer Height)
{
    auto* P = Placed(new TsfSkinPanel(Owner), Parent, 0, Order * 40, RowWidth, Height);
    P->SetName(Name);
    P->SetCaption(String());
    P->SetAlign(alTop);
    return P;
}

TLabel* RowLabel(TForm* Owner, TWinControl* Parent, Integer X, Integer W)
{
    auto* L = Placed(new TLabel(Owner), Parent, X, 10, W, 16);
    L->SetAutoSize(false);
    return L;
}
}  // namespace

TfrmImageEffects::TfrmImageEffects(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document, TRow& Settings,
                                   TMainWindowServices* Services)
    : TForm(AOwner), FDocument(Document), FSettings(Settings), FServices(Services),
      FSetup(EffectsSetupFor(Document.EffectMode()))
{
    SetName(u"frmImageEffects");
    SetBorderStyle(bsDialog);
    SetClientWidth(464);
    SetClientHeight(289);
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    bvBox = Placed(new TsfSkinPanel(this), this, 8, BoxTop, BoxWidth, 272);
    bvBox->SetCaption(String());
    pnlParam = Placed(new TsfSkinPanel(this), bvBox, 2, 2, RowWidth, 268);
    pnlParam->SetCaption(String());
    if (FServices) pnlParam->SetColor(FServices->PanelBackColor());

    static const char16_t* const Names[4] = {u"pnlParam1", u"pnlParam2", u"pnlParam3", u"pnlParam4"};
    for (Integer i = 0; i < 4; ++i) {
        pnlParams[i] = Row(this, pnlParam, Names[i], i, EffectsRowHeight);
        lblParams[i] = RowLabel(this, pnlParams[i], 8, 92);
        sliderValues[i] = Placed(new TsfSkinSlider(this), pnlParams[i], 100, 6, 200, 22);
        sliderValues[i]->SetIncrement(1);
        sliderValues[i]->SetMinValue(-100);
        sliderValues[i]->SetValue(UnusedEffectsValue);
        lblValues[i] = RowLabel(this, pnlParams[i], 304, 40);
        sliderValues[i]->OnChange = [this, i](TObject*) { sliderValueChange(i); };
        sliderValues[i]->OnChanged = [this, i](TObject*) { sliderValueChanged(i); };
    }
    pnlHue = Row(this, pnlParam, u"pnlHue", 4, EffectsHueHeight);
    imgHue = Placed(new TPaintBox(this), pnlHue, 100 + 6, 2, 223, 10);
    imgHue->OnPaint = [this](TObject* S) { imgHuePaint(S); };
    pnlParam5 = Row(this, pnlParam, u"pnlParam5", 5, EffectsRowHeight);
    lblParam5 = RowLabel(this, pnlParam5, 8, 92);
    cbColor = Placed(new TsfSkinColorButton(this), pnlParam5, 100, 6, 60, 24);
    cbColor->SetName(u"cbColor");
    cbColor->SetUseSkinSize(false);
    cbColor->SetDrawColorMarker(true);
    cbColor->OnChangeColor = [this](TObject* S) { cbColorChangeColor(S); };
    if (FServices) {
        // The drop-down and the colour dialog share the main window's
        // custom colours and dialog place.
        cbColor->OnShowTrackMenu = [this](TObject* S) { FServices->clColorShowTrackMenu(S); };
        cbColor->OnHideTrackMenu = [this](TObject* S) { FServices->clColorHideTrackMenu(S); };
        cbColor->OnColorDialogClose = [this](TObject* S) { FServices->clColorColorDialogClose(S); };
    }
    pnlParam6 = Row(this, pnlParam, u"pnlParam6", 6, EffectsRowHeight);
    lblParam6 = RowLabel(this, pnlParam6, 8, 92);
    cbBlendMode = Placed(new TsfSkinComboBox(this), pnlParam6, 100, 6, 200, 22);
    cbBlendMode->SetName(u"cbBlendMode");
    {
        std::unique_ptr<TStringList> Modes(GetBlendModeNames());
        cbBlendMode->Items()->Assign(Modes.get());
    }
    cbBlendMode->OnClick = [this](TObject* S) { cbBlendModeClick(S); };
    // The option row is never shown; its box stays unticked.
    pnlCheck = Row(this, pnlParam, u"pnlCheck", 7, 24);
    pnlCheck->SetVisible(false);
    chkOption1 = Placed(new TsfSkinCheckRadioBox(this), pnlCheck, 8, 3, 200, 18);
    for (TsfSkinPanel* P : {pnlParams[0], pnlParams[1], pnlParams[2], pnlParams[3], pnlHue, pnlParam5, pnlParam6, pnlCheck})
        P->SetColor(pnlParam->Color());

    btnOk = Placed(new TsfSkinButton(this), this, 372, 8, 84, 25);
    btnOk->SetDefault(true);
    btnCancel = Placed(new TsfSkinButton(this), this, 372, 38, 84, 25);
    btnDefault = Placed(new TsfSkinButton(this), this, 372, 68, 84, 25);
    chkPreview = Placed(new TsfSkinCheckRadioBox(this), this, 372, 102, 84, 18);
    chkPreview->SetChecked(true);
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel->SetCaption(GetLangText(1, 48));
    btnDefault->SetCaption(GetLangText(1, 46));
    chkPreview->SetCaption(GetLangText(2, 14));
    ApplyChineseDialogFont(*this, *sfSkinForm1);

    FPreview = std::make_unique<TEffectPreview>(*this, Document.EffectMode());
    FPreview->OnFirstTick = [this] {
        if (FDocument.EffectMode() == emBlendMode) FocusBlendMode();
    };
    chkPreview->OnClick = [this](TObject* S) { chkPreviewClick(S); };
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    btnDefault->OnClick = [this](TObject* S) { btnDefaultClick(S); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    ActiveFormWindow = Handle();
}

TfrmImageEffects::~TfrmImageEffects() = default;

TEffectsValues TfrmImageEffects::Values() const
{
    TEffectsValues V;
    for (Integer i = 0; i < 4; ++i) V.Values[i] = sliderValues[i]->Value();
    V.Color = cbColor->ColorValue();
    V.BlendMode = cbBlendMode->ItemIndex();
    return V;
}

void TfrmImageEffects::FormShow(TObject*)
{
    cbColor->SetMainWindowHandle(Handle());
    SetupParams();
    LayoutPanels();
    FPreview->Pending = true;
    chkOption1->SetChecked(false);
    FPreview->Pending = false;
    FPreview->Shown();
}

void TfrmImageEffects::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmImageEffects::SetupParams()
{
    FPreview->Pending = true;
    const TEffectsValues V = EffectsValuesFrom(FSetup, FSettings);
    for (Integer i = 0; i < 4; ++i) {
        const TEffectsSlider& S = FSetup.Sliders[i];
        if (!S.Shown) continue;
        lblParams[i]->SetCaption(EffectsName(S.Chinese, S.English, LangColumn));
        sliderValues[i]->SetMinValue(S.Min);
        sliderValues[i]->SetMaxValue(S.Max);
        sliderValues[i]->SetValue(V.Values[i]);
        lblValues[i]->SetCaption(IntToStr(sliderValues[i]->Value()));
    }
    if (FSetup.Color) {
        lblParam5->SetCaption(EffectsColorName(LangColumn));
        cbColor->SetColorValue(V.Color);
    }
    if (FSetup.BlendMode) {
        lblParam6->SetCaption(EffectsBlendModeName(LangColumn));
        cbBlendMode->SetItemIndex(V.BlendMode);
    }
    FPreview->Pending = false;
}

void TfrmImageEffects::LayoutPanels()
{
    // Hidden rows close up: the shown ones keep their order from the top.
    for (Integer i = 1; i < 4; ++i) pnlParams[i]->SetVisible(FSetup.Sliders[i].Shown);
    pnlHue->SetVisible(FSetup.Hue);
    pnlParam5->SetVisible(FSetup.Color);
    pnlParam6->SetVisible(FSetup.BlendMode);
    const TEffectsLayout L = EffectsLayoutFor(FSetup, bvBox->Top());
    bvBox->SetHeight(L.BoxHeight);
    pnlParam->SetHeight(L.PanelHeight);
    SetHeight(L.FormHeight);
}

void TfrmImageEffects::FocusBlendMode()
{
    if (cbBlendMode->Visible() && cbBlendMode->CanFocus()) cbBlendMode->SetFocus();
}

void TfrmImageEffects::sliderValueChange(Integer Index)
{
    lblValues[Index]->SetCaption(IntToStr(sliderValues[Index]->Value()));
    FPreview->ValueChange();
}

void TfrmImageEffects::sliderValueChanged(Integer)
{
    FPreview->ValueChanged();
    if (FDocument.EffectMode() == emBlendMode) FocusBlendMode();
}

void TfrmImageEffects::cbColorChangeColor(TObject*)
{
    if (FPreview->Pending) return;
    FPreview->UpdatePreview(false);
    if (FDocument.EffectMode() == emBlendMode) FocusBlendMode();
}

void TfrmImageEffects::cbBlendModeClick(TObject*) { FPreview->OptionChanged(); }

void TfrmImageEffects::btnDefaultClick(TObject*)
{
    SetupParams();
    FPreview->UpdatePreview(false);
}

void TfrmImageEffects::chkPreviewClick(TObject*) { FPreview->SetPreviewChecked(chkPreview->Checked()); }

void TfrmImageEffects::btnOkClick(TObject*)
{
    if (!chkPreview->Checked()) chkPreview->SetChecked(true);
    FPreview->Ok();
    // The kept values are stored only now: Cancel leaves them as they were.
    StoreEffectsValues(FSetup, Values(), FSettings);
    SetModalResult(mrOk);
}

void TfrmImageEffects::btnCancelClick(TObject*) { SetModalResult(mrCancel); }

// Red through yellow, green, cyan, blue and magenta back to red.
void TfrmImageEffects::imgHuePaint(TObject*)
{
    TCanvas* C = imgHue->Canvas();
    const Integer W = imgHue->Width(), H = imgHue->Height();
    for (Integer x = 0; x < W; ++x) {
        const TColor32 P = HSLToColor32(W > 1 ? Single(x) / Single(W - 1) * 359.0f / 360.0f : 0.0f, 1, 0.5f);
        C->Brush()->SetColor(static_cast<TColor>(RedOf(P) | GreenOf(P) << 8 | BlueOf(P) << 16));
        C->FillRect({x, 0, x + 1, H});
    }
}

// ---------------------------------------------------------------------------

void TfrmImageEffects::EffectBegin() { FDocument.EffectBegin(); }

void TfrmImageEffects::EffectEnd(bool IsApply) { FDocument.EffectEnd(IsApply); }

void TfrmImageEffects::PreviewOnce()
{
    const TEffectsValues V = Values();
    FDocument.EffectDo2(V.Values[0], V.Values[1], V.Values[2], V.Values[3], V.Color, V.BlendMode,
                        chkOption1->Checked());
    FDocument.Draw();
}

void TfrmImageEffects::ProcessMessages() { Application->ProcessMessages(); }

void TfrmImageEffects::SetBusyCursor(bool Busy) { Screen->SetCursor(Busy ? crHourGlass : crDefault); }
