#include "dialogs/win/ImageColorAdjust.h"

#include <cmath>

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/ColorAdjustCore.h"
#include "dialogs/MainWindowServices.h"
#include "dialogs/win/OptionDialogs.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/frame/win/SkinForm.h"

namespace {
template <class T>
T* Placed(T* C, TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H)
{
    C->SetParent(Parent);
    C->SetBounds(X, Y, W, H);
    return C;
}

TLabel* NewLabel(TForm* Owner, TWinControl* Parent, Integer X, Integer Y, Integer W, const String& Caption)
{
    auto* L = Placed(new TLabel(Owner), Parent, X, Y, W, 16);
    L->SetAutoSize(false);
    L->SetCaption(Caption);
    return L;
}

TsfSkinPanel* NewGroup(TForm* Owner, Integer Y, Integer H, const String& Caption)
{
    auto* G = Placed(new TsfSkinPanel(Owner), Owner, 8, Y, 320, H);
    G->SetCaptionMode(true);
    G->SetCaption(Caption);
    return G;
}
}  // namespace

TfrmImageColorAdjust::TfrmImageColorAdjust(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document,
                                           TMainWindowServices* Services)
    : TForm(AOwner), FDocument(Document)
{
    SetName(u"frmImageColorAdjust");
    SetBorderStyle(bsDialog);
    SetClientWidth(336);
    SetClientHeight(589);
    SetCaption(GetLangText(1, 318));
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    static const char16_t* const SliderNames[adCount] = {
        u"sliderHue",        u"sliderSaturation",   u"sliderLightness",    u"sliderBrightness",
        u"sliderContrast",   u"sliderBalanceRed",   u"sliderBalanceGreen", u"sliderBalanceBlue"};
    static const char16_t* const EditNames[adCount] = {
        u"editHue",      u"editSaturation",   u"editLightness",    u"editBrightness",
        u"editContrast", u"editBalanceRed",   u"editBalanceGreen", u"editBalanceBlue"};
    static const Integer Ranges[adCount] = {HueRange,        SaturationRange, LightnessRange, BrightnessRange,
                                            ContrastRange,   BalanceRange,    BalanceRange,   BalanceRange};
    auto Pair = [&](TAdjust A, TWinControl* Parent, Integer SliderX, Integer SliderY, Integer SliderW, Integer EditX,
                    Integer EditY) {
        auto* S = Placed(new TsfSkinSlider(this), Parent, SliderX, SliderY, SliderW, 22);
        S->SetName(SliderNames[A]);
        S->SetIncrement(1);
        S->SetMinValue(-Ranges[A]);
        S->SetMaxValue(Ranges[A]);
        S->SetValue(0);
        auto* E = Placed(new TsfSkinSpinEdit(this), Parent, EditX, EditY, 60, 22);
        E->SetName(EditNames[A]);
        E->SetUseSkinSize(false);
        E->SetValueType(vtInteger);
        E->SetIncrement(1);
        E->SetMinValue(-Ranges[A]);
        E->SetMaxValue(Ranges[A]);
        E->SimpleSetValue(0);
        Sliders[A] = S;
        Edits[A] = E;
    };

    GroupBox1 = NewGroup(this, 8, 206, GetLangText(1, 322));
    lblHue = NewLabel(this, GroupBox1, 12, 30, 200, GetLangText(1, 213, true));
    Pair(adHue, GroupBox1, 8, 48, 304, 248, 26);
    lblSaturation = NewLabel(this, GroupBox1, 12, 80, 200, GetLangText(1, 212, true));
    Pair(adSaturation, GroupBox1, 8, 98, 304, 248, 76);
    lblLightness = NewLabel(this, GroupBox1, 12, 130, 200, GetLangText(1, 207, true));
    Pair(adLightness, GroupBox1, 8, 148, 304, 248, 126);
    imgHue = Placed(new TImage32(this), GroupBox1, 16, 180, 287, 12);
    imgHue->SetName(u"imgHue");
    imgHue->Bitmap()->SetSize(imgHue->Width(), imgHue->Height());

    GroupBox2 = NewGroup(this, 222, 130, GetLangText(1, 320));
    lblBrightness = NewLabel(this, GroupBox2, 12, 30, 200, GetLangText(1, 210, true));
    Pair(adBrightness, GroupBox2, 8, 48, 304, 248, 26);
    lblContrast = NewLabel(this, GroupBox2, 12, 80, 200, GetLangText(1, 211, true));
    Pair(adContrast, GroupBox2, 8, 98, 304, 248, 76);

    GroupBox3 = NewGroup(this, 360, 180, GetLangText(1, 321));
    lblCyan = NewLabel(this, GroupBox3, 8, 62, 52, GetLangText(1, 242));
    lblRed = NewLabel(this, GroupBox3, 264, 62, 52, GetLangText(1, 243));
    Pair(adRed, GroupBox3, 60, 58, 200, 56, 28);
    lblMagenta = NewLabel(this, GroupBox3, 8, 92, 52, GetLangText(1, 244));
    lblGreen = NewLabel(this, GroupBox3, 264, 92, 52, GetLangText(1, 245));
    Pair(adGreen, GroupBox3, 60, 88, 200, 130, 28);
    lblYellow = NewLabel(this, GroupBox3, 8, 122, 52, GetLangText(1, 246));
    lblBlue = NewLabel(this, GroupBox3, 264, 122, 52, GetLangText(1, 247));
    Pair(adBlue, GroupBox3, 60, 118, 200, 204, 28);
    chkPreserveLuminosity = Placed(new TsfSkinCheckRadioBox(this), GroupBox3, 12, 152, 250, 18);
    chkPreserveLuminosity->SetCaption(GetLangText(1, 248));
    chkPreserveLuminosity->SetChecked(true);
    if (Services)
        for (TsfSkinPanel* G : {GroupBox1, GroupBox2, GroupBox3}) G->SetColor(Services->PanelBackColor());

    chkPreview = Placed(new TsfSkinCheckRadioBox(this), this, 8, 554, 90, 18);
    chkPreview->SetChecked(true);
    chkPreview->SetCaption(GetLangText(2, 14));
    btnDefault = Placed(new TsfSkinButton(this), this, 100, 550, 72, 25);
    btnDefault->SetCaption(GetLangText(1, 46));
    btnOk = Placed(new TsfSkinButton(this), this, 178, 550, 72, 25);
    btnOk->SetDefault(true);
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel = Placed(new TsfSkinButton(this), this, 256, 550, 72, 25);
    btnCancel->SetCaption(GetLangText(1, 48));
    ApplyChineseDialogFont(*this, *sfSkinForm1);

    FPreview = std::make_unique<TEffectPreview>(*this, emColorAdjust);
    FPreview->FastEffects = ColorAdjustFastEffects(Document.Width(), Document.Height());
    // Every value is 0 at first: the picture is unchanged, nothing to show.
    FPreview->FirstPreview = false;
    FPreview->OnFirstTick = [this] { BringToFront(); };
    for (Integer i = 0; i < adCount; ++i) {
        const TAdjust A = static_cast<TAdjust>(i);
        Sliders[i]->OnChange = [this, A](TObject*) { sliderChange(A); };
        Sliders[i]->OnChanged = [this, A](TObject*) { sliderChanged(A); };
        Edits[i]->OnChange = [this, A](TObject*) { editChange(A); };
    }
    chkPreserveLuminosity->OnClick = [this](TObject* S) { chkPreserveLuminosityClick(S); };
    chkPreview->OnClick = [this](TObject* S) { chkPreviewClick(S); };
    btnDefault->OnClick = [this](TObject* S) { btnDefaultClick(S); };
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    ActiveFormWindow = Handle();
}

TfrmImageColorAdjust::~TfrmImageColorAdjust() = default;

void TfrmImageColorAdjust::FormShow(TObject*)
{
    DrawColorStrips();
    FPreview->Shown();
}

void TfrmImageColorAdjust::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmImageColorAdjust::DrawColorStrips()
{
    DrawColorStrip(*imgHue->Bitmap(), Sliders[adSaturation]->Value(), Sliders[adLightness]->Value());
    imgHue->Bitmap()->Changed();
    imgHue->Invalidate();
}

void TfrmImageColorAdjust::sliderChange(TAdjust Which)
{
    const Integer V = Sliders[Which]->Value();
    if (static_cast<Integer>(Edits[Which]->Value()) != V) Edits[Which]->SimpleSetValue(V);
    if (Which == adSaturation || Which == adLightness) DrawColorStrips();
    FPreview->ValueChange();
}

void TfrmImageColorAdjust::sliderChanged(TAdjust) { FPreview->ValueChanged(); }

void TfrmImageColorAdjust::editChange(TAdjust Which)
{
    // The slider follows; it announces the change only when its value moves.
    // Recomputed here without letting messages run first: the edit is still
    // inside its change, and the next typed key would be lost.
    const Integer V = static_cast<Integer>(std::nearbyint(Edits[Which]->Value()));
    if (Sliders[Which]->Value() == V) return;
    const bool WasPending = FPreview->Pending;
    FPreview->Pending = true;
    Sliders[Which]->SetValue(V);
    FPreview->Pending = WasPending;
    if (!WasPending) FPreview->UpdatePreview(false);
}

void TfrmImageColorAdjust::chkPreserveLuminosityClick(TObject*) { FPreview->OptionChanged(); }

void TfrmImageColorAdjust::btnDefaultClick(TObject*)
{
    FPreview->Pending = true;
    for (TAdjust A : {adHue, adSaturation, adLightness, adRed, adGreen, adBlue}) Sliders[A]->SetValue(0);
    chkPreserveLuminosity->SetChecked(true);
    for (TAdjust A : {adBrightness, adContrast}) Sliders[A]->SetValue(0);
    FPreview->Pending = false;
    FPreview->UpdatePreview(false);
}

void TfrmImageColorAdjust::chkPreviewClick(TObject*) { FPreview->SetPreviewChecked(chkPreview->Checked()); }

void TfrmImageColorAdjust::btnOkClick(TObject*)
{
    if (!chkPreview->Checked()) chkPreview->SetChecked(true);
    FPreview->Ok();
    SetModalResult(mrOk);
}

void TfrmImageColorAdjust::btnCancelClick(TObject*) { SetModalResult(mrCancel); }

// ---------------------------------------------------------------------------

void TfrmImageColorAdjust::EffectBegin() { FDocument.EffectBegin(); }

void TfrmImageColorAdjust::EffectEnd(bool IsApply) { FDocument.EffectEnd(IsApply); }

void TfrmImageColorAdjust::PreviewOnce()
{
    auto V = [this](TAdjust A) { return Sliders[A]->Value(); };
    FDocument.ImageAdjust(V(adBrightness), ColorAdjustContrastAmount(V(adContrast)), V(adLightness),
                          V(adSaturation), V(adHue), V(adRed), V(adGreen), V(adBlue),
                          chkPreserveLuminosity->Checked());
    FDocument.Draw();
}

void TfrmImageColorAdjust::ProcessMessages() { Application->ProcessMessages(); }

void TfrmImageColorAdjust::SetBusyCursor(bool Busy) { Screen->SetCursor(Busy ? crHourGlass : crDefault); }
