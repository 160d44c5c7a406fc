#include "dialogs/win/ImageDirection.h"

#include "dialogs/win/OptionDialogs.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/StdCtrls.h"
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

// The option row's height: without it the bevel and the form are shorter.
constexpr Integer OptionRowHeight = 9;
}  // namespace

TfrmImageDirection::TfrmImageDirection(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document,
                                       TRow& Settings)
    : TForm(AOwner), FDocument(Document), FSettings(Settings), FSetup(DirectionSetupFor(Document.EffectMode()))
{
    SetName(u"frmImageDirection");
    SetBorderStyle(bsDialog);
    SetClientWidth(323);
    SetClientHeight(166);
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    Bevel1 = Placed(new TsfSkinPanel(this), this, 8, 8, 222, 150);
    Bevel1->SetCaption(String());
    lblParam = Placed(new TLabel(this), Bevel1, 10, 10, 60, 16);
    lblParam->SetAutoSize(false);
    sliderSize = Placed(new TsfSkinSlider(this), Bevel1, 70, 6, 100, 22);
    sliderSize->SetIncrement(1);
    lblParamValue = Placed(new TLabel(this), Bevel1, 172, 10, 40, 16);
    lblParamValue->SetAutoSize(false);
    lblParamValue->SetAlignment(taCenter);
    lblDirection = Placed(new TLabel(this), Bevel1, 10, 40, 80, 16);
    lblDirection->SetAutoSize(false);
    lblDirection->SetCaption(GetLangText(2, 71) + u":");

    // The edge buttons as a cross; one group in which every button toggles
    // on its own.
    auto Edge = [this](const char16_t* Name, const char16_t* Glyph, Integer X, Integer Y, TDirectionEdge Bit) {
        auto* B = Placed(new TsfSkinSpeedButton(this), Bevel1, X, Y, 26, 26);
        B->SetName(Name);
        B->SetUseSkinSize(false);
        B->SetCaption(Glyph);
        B->SetGroupIndex(1);
        B->SetAllowAllUp(true);
        B->SetTag(Bit);
        B->OnClick = [this](TObject* S) { sbDirectionClick(S); };
        return B;
    };
    sbTop = Edge(u"sbTop", u"↑", 98, 46, deTop);
    sbLeft = Edge(u"sbLeft", u"←", 70, 74, deLeft);
    sbRight = Edge(u"sbRight", u"→", 126, 74, deRight);
    sbBottom = Edge(u"sbBottom", u"↓", 98, 102, deBottom);
    chkOption1 = Placed(new TsfSkinCheckRadioBox(this), Bevel1, 10, 128, 200, 18);

    btnOk = Placed(new TsfSkinButton(this), this, 238, 8, 78, 25);
    btnOk->SetDefault(true);
    btnCancel = Placed(new TsfSkinButton(this), this, 238, 38, 78, 25);
    chkPreview = Placed(new TsfSkinCheckRadioBox(this), this, 238, 72, 82, 18);
    chkPreview->SetChecked(true);
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel->SetCaption(GetLangText(1, 48));
    chkPreview->SetCaption(GetLangText(2, 14));
    ApplyChineseDialogFont(*this, *sfSkinForm1);

    FPreview = std::make_unique<TEffectPreview>(*this, Document.EffectMode());
    sliderSize->OnChange = [this](TObject* S) { sliderSizeChange(S); };
    sliderSize->OnChanged = [this](TObject* S) { sliderSizeChanged(S); };
    chkOption1->OnClick = [this](TObject* S) { chkOption1Click(S); };
    chkPreview->OnClick = [this](TObject* S) { chkPreviewClick(S); };
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    ActiveFormWindow = Handle();
}

TfrmImageDirection::~TfrmImageDirection() = default;

Integer TfrmImageDirection::DirectionMask() const
{
    Integer Mask = 0;
    for (TsfSkinSpeedButton* B : {sbLeft, sbTop, sbRight, sbBottom})
        if (B->Down()) Mask |= static_cast<Integer>(B->Tag());
    return Mask;
}

void TfrmImageDirection::FormShow(TObject*)
{
    FPreview->Pending = true;
    lblParam->SetCaption(GetLangText(2, 70) + u":");
    sliderSize->SetMinValue(FSetup.Min);
    sliderSize->SetMaxValue(FSetup.Max);
    const TDirectionValues V = DirectionValuesFrom(FSetup, FSettings);
    sliderSize->SetValue(V.Value);
    lblParamValue->SetCaption(IntToStr(sliderSize->Value()));
    for (TsfSkinSpeedButton* B : {sbLeft, sbTop, sbRight, sbBottom}) B->SetDown((V.Mask & B->Tag()) != 0);
    const bool Option = FSetup.OptionCell >= 0;
    if (Option) {
        chkOption1->SetCaption(GetLangText(2, 72));
        chkOption1->SetChecked(V.Option);
    }
    if (chkOption1->Visible() != Option) {
        chkOption1->SetVisible(Option);
        if (!Option) {
            Bevel1->SetHeight(Bevel1->Height() - OptionRowHeight);
            SetHeight(Height() - OptionRowHeight);
        }
    }
    FPreview->Pending = false;
    FPreview->Shown();
}

void TfrmImageDirection::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmImageDirection::sliderSizeChange(TObject*)
{
    lblParamValue->SetCaption(IntToStr(sliderSize->Value()));
    FPreview->ValueChange();
}

void TfrmImageDirection::sliderSizeChanged(TObject*) { FPreview->ValueChanged(); }

void TfrmImageDirection::sbDirectionClick(TObject*) { FPreview->OptionChanged(); }

void TfrmImageDirection::chkOption1Click(TObject*) { FPreview->OptionChanged(); }

void TfrmImageDirection::chkPreviewClick(TObject*) { FPreview->SetPreviewChecked(chkPreview->Checked()); }

void TfrmImageDirection::btnOkClick(TObject*)
{
    if (!chkPreview->Checked()) chkPreview->SetChecked(true);
    FPreview->Ok();
    StoreDirectionValues(FSetup, {sliderSize->Value(), DirectionMask(), chkOption1->Checked()}, FSettings);
    SetModalResult(mrOk);
}

void TfrmImageDirection::btnCancelClick(TObject*) { SetModalResult(mrCancel); }

// ---------------------------------------------------------------------------

void TfrmImageDirection::EffectBegin() { FDocument.EffectBegin(); }

void TfrmImageDirection::EffectEnd(bool IsApply) { FDocument.EffectEnd(IsApply); }

void TfrmImageDirection::PreviewOnce()
{
    FDocument.EffectDoDirection(sliderSize->Value(), DirectionMask(), chkOption1->Checked());
    FDocument.Draw();
}

void TfrmImageDirection::ProcessMessages() { Application->ProcessMessages(); }

void TfrmImageDirection::SetBusyCursor(bool Busy) { Screen->SetCursor(Busy ? crHourGlass : crDefault); }
