#include "dialogs/win/JpgOptionForm.h"

#include "dialogs/FileOptions.h"
#include "dialogs/win/OptionDialogs.h"
#include "foundation/Global.h"
#include "foundation/HySysUtils.h"
#include "foundation/win/Global_Win.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinForm.h"

namespace {
constexpr Cardinal Timer1 = 1;

TLabel* NewLabel(TWinControl* Parent, Integer X, Integer Y, Integer W, const String& Caption)
{
    auto* L = new TLabel(Parent);
    L->SetParent(Parent);
    L->SetAutoSize(false);
    L->SetBounds(X, Y + 3, W, 16);
    L->SetCaption(Caption);
    return L;
}
}  // namespace

TfrmJpgOption::TfrmJpgOption(TComponent* AOwner, TsfSkinData* SkinData, TRow& Options, TJpgSizeEstimate Estimate)
    : TForm(AOwner), FOptions(Options), FEstimate(std::move(Estimate))
{
    SetName(u"frmJpgOption");
    const TOptionDialogParts P = MakeOptionDialog(*this, SkinData, 300, 150, 100);
    sfSkinForm1 = P.SkinForm;
    gbImageOption = P.Group;
    btnSave = P.Save;
    btnCancel = P.Cancel;

    lblQuality = NewLabel(gbImageOption, 12, 24, 90, GetLangText(1, 282) + u":");
    cbQuality = new TsfSkinComboBox(this);
    cbQuality->SetParent(gbImageOption);
    cbQuality->SetBounds(106, 24, 70, 20);
    for (Integer I = 1; I <= 10; ++I) cbQuality->Items()->Add(IntToStr(I));
    lblFileSize = NewLabel(gbImageOption, 12, 50, 90, GetLangText(1, 283) + u":");
    lblSize = NewLabel(gbImageOption, 106, 50, 160, String());
    chkSameOnNext = new TsfSkinCheckRadioBox(this);
    chkSameOnNext->SetParent(gbImageOption);
    chkSameOnNext->SetBounds(12, 74, gbImageOption->Width() - 24, 18);

    SetCaption(GetLangText(1, 280));
    gbImageOption->SetCaption(GetLangText(1, 281));
    chkSameOnNext->SetCaption(GetLangText(1, 284));
    btnSave->SetCaption(GetLangText(1, 47));
    btnCancel->SetCaption(GetLangText(1, 48));

    cbQuality->OnChange = [this](TObject* S) { cbQualityChange(S); };
    btnSave->OnClick = [this](TObject* S) { btnSaveClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    ActiveFormWindow = Handle();
}

TfrmJpgOption::~TfrmJpgOption() { SkinClock()->StopTimers(this); }

void TfrmJpgOption::StartTimer1()
{
    // Started only when it is not running: changes in quick succession give
    // one estimate, 200 ms after the first.
    if (!SkinClock()->TimerRunning(this, Timer1))
        SkinClock()->StartTimer(this, Timer1, EstimateDelay, [this] { Timer1Timer(); });
}

void TfrmJpgOption::FormShow(TObject*)
{
    StartTimer1();
    cbQuality->SetItemIndex(InitialJpegStep(FOptions) - 1);
}

void TfrmJpgOption::FormClose(TObject*, TCloseAction&)
{
    SkinClock()->StopTimer(this, Timer1);
    ActiveFormWindow = nullptr;
}

void TfrmJpgOption::cbQualityChange(TObject*) { StartTimer1(); }

void TfrmJpgOption::Timer1Timer()
{
    SkinClock()->StopTimer(this, Timer1);
    lblSize->SetCaption(u"...");
    Application->ProcessMessages();
    const Integer Step = cbQuality->ItemIndex() + 1;
    if (FEstimate) lblSize->SetCaption(FormatFileSize(FEstimate(Step * 10)));
}

void TfrmJpgOption::btnSaveClick(TObject*)
{
    FOptions.GetItem(FileOptionCol::SameOnNext)->SetAsBool(chkSameOnNext->Checked());
    FOptions.GetItem(FileOptionCol::JpegStep)->SetValue(cbQuality->ItemIndex() + 1);
    SetModalResult(mrOk);
}

void TfrmJpgOption::btnCancelClick(TObject*) { SetModalResult(mrCancel); }
