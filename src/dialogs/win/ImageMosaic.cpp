#include "dialogs/win/ImageMosaic.h"

#include "dialogs/win/OptionDialogs.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/ExtCtrls.h"
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
}  // namespace

TfrmImageMosaic::TfrmImageMosaic(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document, TRow& Settings)
    : TForm(AOwner), FDocument(Document), FSettings(Settings), FSetup(MosaicSetupFor(Document.EffectMode()))
{
    SetName(u"frmImageMosaic");
    SetBorderStyle(bsDialog);
    SetClientWidth(352);
    SetClientHeight(104);
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    Bevel16 = Placed(new TsfSkinPanel(this), this, 8, 8, 250, 88);
    Bevel16->SetCaption(String());
    lblCaption = Placed(new TLabel(this), Bevel16, 10, 8, 230, 16);
    lblCaption->SetAutoSize(false);
    lblCaption->SetHint(GetLangText(FSetup.NameGroup, FSetup.NameIndex) + u":");
    sliderSize = Placed(new TsfSkinSlider(this), Bevel16, 8, 28, 234, 22);
    sliderSize->SetIncrement(1);
    imgAttemper = Placed(new TPaintBox(this), Bevel16, 13, 54, 223, 10);
    imgAttemper->OnPaint = [this](TObject* S) { imgAttemperPaint(S); };
    chkOption1 = Placed(new TsfSkinCheckRadioBox(this), Bevel16, 10, 64, 200, 18);
    chkOption1->SetCaption(u"羽化");

    btnOk = Placed(new TsfSkinButton(this), this, 266, 8, 78, 25);
    btnOk->SetDefault(true);
    btnCancel = Placed(new TsfSkinButton(this), this, 266, 38, 78, 25);
    chkPreview = Placed(new TsfSkinCheckRadioBox(this), this, 266, 72, 82, 18);
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

TfrmImageMosaic::~TfrmImageMosaic() = default;

void TfrmImageMosaic::FormShow(TObject*)
{
    FPreview->Pending = true;
    sliderSize->SetMinValue(FSetup.Min);
    sliderSize->SetMaxValue(FSetup.Max);
    const Integer Kept = FSetup.KeptCell >= 0 && FSetup.KeptCell < FSettings.ItemCount()
                             ? FSettings.GetItem(FSetup.KeptCell)->Value()
                             : 0;
    sliderSize->SetValue(MosaicInitialValue(FSetup, Kept));
    chkOption1->SetVisible(FSetup.ShowOption);
    chkOption1->SetChecked(false);
    imgAttemper->SetVisible(FSetup.ShowAttemper);
    ShowCaption();
    FPreview->Pending = false;
    FPreview->Shown();
}

void TfrmImageMosaic::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmImageMosaic::ShowCaption()
{
    lblCaption->SetCaption(lblCaption->Hint() + u"     " + IntToStr(sliderSize->Value()) +
                           (FSetup.Degrees ? u"°" : u""));
}

void TfrmImageMosaic::sliderSizeChange(TObject*)
{
    ShowCaption();
    FPreview->ValueChange();
}

void TfrmImageMosaic::sliderSizeChanged(TObject*) { FPreview->ValueChanged(); }

void TfrmImageMosaic::chkOption1Click(TObject*) { FPreview->OptionChanged(); }

void TfrmImageMosaic::chkPreviewClick(TObject*) { FPreview->SetPreviewChecked(chkPreview->Checked()); }

void TfrmImageMosaic::btnOkClick(TObject*)
{
    if (!chkPreview->Checked()) chkPreview->SetChecked(true);
    FPreview->Ok();
    if (FSetup.KeptCell >= 0 && FSetup.KeptCell < FSettings.ItemCount())
        FSettings.GetItem(FSetup.KeptCell)->SetValue(sliderSize->Value());
    SetModalResult(mrOk);
}

void TfrmImageMosaic::btnCancelClick(TObject*) { SetModalResult(mrCancel); }

// Cool blue on the left through white to warm orange on the right.
void TfrmImageMosaic::imgAttemperPaint(TObject*)
{
    TCanvas* C = imgAttemper->Canvas();
    const Integer W = imgAttemper->Width(), H = imgAttemper->Height();
    for (Integer x = 0; x < W; ++x) {
        const Integer T = W > 1 ? x * 510 / (W - 1) : 255;  // 0..510, white at 255
        Integer R, G, B;
        if (T < 255) {
            R = 80 + T * 175 / 255, G = 140 + T * 115 / 255, B = 255;
        } else {
            const Integer U = T - 255;
            R = 255, G = 255 - U * 100 / 255, B = 255 - U * 215 / 255;
        }
        C->Brush()->SetColor(static_cast<TColor>(R | G << 8 | B << 16));
        C->FillRect({x, 0, x + 1, H});
    }
}

// ---------------------------------------------------------------------------

void TfrmImageMosaic::EffectBegin() { FDocument.EffectBegin(); }

void TfrmImageMosaic::EffectEnd(bool IsApply) { FDocument.EffectEnd(IsApply); }

void TfrmImageMosaic::PreviewOnce()
{
    const Integer V = sliderSize->Value();
    switch (FDocument.EffectMode()) {
        case emRotate: FDocument.EffectDoRotate(static_cast<Single>(V)); break;
        case emSkew: FDocument.EffectDoSkew(V, 0); break;
        default:
            FDocument.EffectDo(V, chkOption1->Checked());
            FDocument.Draw();
            break;
    }
}

void TfrmImageMosaic::ProcessMessages() { Application->ProcessMessages(); }

void TfrmImageMosaic::SetBusyCursor(bool Busy) { Screen->SetCursor(Busy ? crHourGlass : crDefault); }
