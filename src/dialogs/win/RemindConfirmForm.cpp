#include "dialogs/win/RemindConfirmForm.h"

#include "dialogs/win/DialogFonts.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/ExtCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinForm.h"

namespace {

constexpr Integer FormClientWidth = 400, ButtonPanelHeight = 44;
constexpr Integer IconSize = 32, TextLeft = 64;

template <class T>
T* Place(T* C, TWinControl* Parent, Integer L, Integer T0, Integer W, Integer H)
{
    C->SetBounds(L, T0, W, H);
    C->SetParent(Parent);
    return C;
}

}  // namespace

TfrmRemindConfirm::TfrmRemindConfirm(TComponent* AOwner, TsfSkinData* ASkinData) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(FormClientWidth);
    sfSkinForm1 = new TsfSkinForm(this);
    // A dialog's frame: no sizing, only the close button.
    sfSkinForm1->Sizeable = false;
    sfSkinForm1->SetBorderIcons(sfbiSystemMenu);
    sfSkinForm1->SetSkinData(ASkinData);

    pnlMsg = new TsfSkinPanel(this);
    pnlMsg->SetCaption(String());
    pnlMsg->SetAlign(alTop);
    pnlMsg->SetHeight(70);
    pnlMsg->SetParent(this);
    Image1 = Place(new TImage(this), pnlMsg, 16, 14, IconSize, IconSize);
    Image1->Picture()->Bitmap()->SetSize(IconSize, IconSize);
    Image1->Picture()->Bitmap()->Canvas()->Brush()->SetColor(clBtnFace);
    Image1->Picture()->Bitmap()->Canvas()->FillRect(TRect{0, 0, IconSize, IconSize});
    DrawIconEx(Image1->Picture()->Bitmap()->Canvas()->Handle(), 0, 0, LoadIconW(nullptr, IDI_INFORMATION), IconSize,
               IconSize, 0, nullptr, DI_NORMAL);
    lblMsg = new TsfSkinStdLabel(this);
    lblMsg->SetAutoSize(false);
    lblMsg->SetWordWrap(true);
    lblMsg->SetAnchors(akLeft | akTop | akRight | akBottom);
    Place(lblMsg, pnlMsg, TextLeft, 10, FormClientWidth - TextLeft - 12, 50);
    Bevel1 = new TsfSkinBevel(this);
    Bevel1->SetAlign(alBottom);
    Bevel1->SetHeight(2);
    Bevel1->SetParent(pnlMsg);
    Bevel2 = new TsfSkinBevel(this);
    Bevel2->SetAlign(alTop);
    Bevel2->SetHeight(2);
    Bevel2->SetParent(pnlMsg);

    pnlButton = new TsfSkinPanel(this);
    pnlButton->SetCaption(String());
    pnlButton->SetAlign(alBottom);
    pnlButton->SetHeight(ButtonPanelHeight);
    pnlButton->SetParent(this);
    chkNotRemind = Place(new TsfSkinCheckRadioBox(this), pnlButton, 12, 12, 200, 20);
    btnContinue = Place(new TsfSkinButton(this), pnlButton, FormClientWidth - 182, 9, 80, 26);
    btnCancel = Place(new TsfSkinButton(this), pnlButton, FormClientWidth - 92, 9, 80, 26);
    btnContinue->SetDefault(true);
    btnCancel->SetCancel(true);
    btnContinue->OnClick = [this](TObject* Sender) { btnContinueClick(Sender); };
    btnCancel->OnClick = [this](TObject* Sender) { btnCancelClick(Sender); };
    for (IsfSkinnedControl* C : std::initializer_list<IsfSkinnedControl*>{lblMsg, Bevel1, Bevel2, chkNotRemind,
                                                                            btnContinue, btnCancel})
        C->SetSkinData(ASkinData);
    pnlMsg->SetSkinData(ASkinData);
    pnlButton->SetSkinData(ASkinData);

    ApplyDialogFonts(this, sfSkinForm1, {btnCancel, btnContinue, chkNotRemind, lblMsg});
    SetCaption(GetLangText(0, 1));
    chkNotRemind->SetCaption(GetLangText(0, 57));
    btnCancel->SetCaption(GetLangText(0, 7));
    btnContinue->SetCaption(GetLangText(0, 58));
    SetClientHeight(pnlMsg->Height() + pnlButton->Height());

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    Loaded();
    ActiveFormWindow = Handle();
}

TfrmRemindConfirm::~TfrmRemindConfirm()
{
    // Freed without being closed: the main window must not bring a gone window forward.
    if (HandleAllocated() && ActiveFormWindow == Handle()) ActiveFormWindow = nullptr;
}

void TfrmRemindConfirm::AdjustLayout(Integer MsgHeight, bool NoRemindChecked, bool CancelVisible,
                                     TAlignment Alignment, bool CheckVisible, bool IsCloseButton)
{
    btnCancel->SetVisible(CancelVisible);
    lblMsg->SetAlignment(Alignment);
    pnlMsg->SetHeight(MsgHeight);
    chkNotRemind->SetVisible(CheckVisible);
    chkNotRemind->SetChecked(NoRemindChecked);
    if (IsCloseButton) btnContinue->SetCaption(GetLangText(0, 59));
    SetClientHeight(pnlMsg->Height() + pnlButton->Height());
}

void TfrmRemindConfirm::FormShow(TObject*)
{
    ActiveFormWindow = Handle();
    if (btnContinue->CanFocus()) btnContinue->SetFocus();
}

void TfrmRemindConfirm::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmRemindConfirm::btnContinueClick(TObject*) { SetModalResult(mrOk); }

void TfrmRemindConfirm::btnCancelClick(TObject*) { SetModalResult(mrCancel); }
