#include "dialogs/win/AboutForm.h"

#include "dialogs/AboutVersion.h"
#include "dialogs/win/DialogFonts.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/graphics/win/Jpeg.h"
#include "framework/runtime/win/Classes_Win.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/frame/win/SkinForm.h"

const char16_t* const AboutDisplayName = u"Quorvan Lumatra";

namespace {

constexpr Integer SideWidth = 160, TextLeft = SideWidth + 24;

// A picture resource the program may lack (a test program has none): the
// box then shows without it.
void LoadJpegResource(TImage* Image, const String& Name)
{
    try {
        TResourceStream Stream(GetModuleHandleW(nullptr), Name);
        TJPEGImage Picture;
        Picture.LoadFromStream(&Stream);
        Image->Picture()->SetGraphic(&Picture);
    } catch (const Exception&) {
    }
}

void LoadBitmapResource(TImage* Image, const String& Name)
{
    try {
        TBitmap Picture;
        Picture.LoadFromResourceName(GetModuleHandleW(nullptr), Name);
        Image->Picture()->SetGraphic(&Picture);
    } catch (const Exception&) {
    }
}

}  // namespace

TfrmAbout::TfrmAbout(TComponent* AOwner, TsfSkinData* ASkinData) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(480);
    SetClientHeight(230);
    sfSkinForm1 = new TsfSkinForm(this);
    // A dialog's frame: no sizing, only the close button.
    sfSkinForm1->Sizeable = false;
    sfSkinForm1->SetBorderIcons(sfbiSystemMenu);
    sfSkinForm1->SetSkinData(ASkinData);

    Image1 = new TImage(this);
    Image1->SetBounds(0, 0, SideWidth, 230);
    Image1->SetParent(this);
    imgName = new TImage(this);
    imgName->SetAutoSize(true);
    imgName->SetBounds(TextLeft, 40, 10, 10);
    imgName->SetParent(this);
    auto MakeLabel = [&](Integer Top) {
        auto* L = new TsfSkinStdLabel(this);
        L->SetAutoSize(true);
        L->SetLeft(TextLeft);
        L->SetTop(Top);
        L->SetParent(this);
        L->SetSkinData(ASkinData);
        return L;
    };
    lblName = MakeLabel(40);
    lblName->Font()->SetSize(14);
    lblName->Font()->SetStyle(fsBold);
    lblVersion = MakeLabel(44);
    lblEdition = MakeLabel(90);
    btnClose = new TsfSkinButton(this);
    btnClose->SetBounds(480 - 96, 230 - 40, 80, 26);
    btnClose->SetParent(this);
    btnClose->SetSkinData(ASkinData);
    btnClose->SetCaption(u"&Close");
    btnClose->SetCancel(true);
    btnClose->OnClick = [this](TObject* Sender) { btnCloseClick(Sender); };

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    Loaded();
}

TfrmAbout::~TfrmAbout()
{
    if (HandleAllocated() && ActiveFormWindow == Handle()) ActiveFormWindow = nullptr;
}

void TfrmAbout::FormCreate(TObject*)
{
    ActiveFormWindow = Handle();
    SetCaption(GetLangText(0, 150));
    ApplyDialogFonts(this, sfSkinForm1, {lblName, lblVersion, lblEdition, btnClose});
    LoadJpegResource(Image1, u"ImageLeft" + IntToStr(LangColumn));

    const String Version = AboutVersionText(ProductVersion);
    if (LangColumn != 0) {
        imgName->SetVisible(false);
        lblName->SetCaption(AboutDisplayName);
        lblVersion->SetCaption(u"Ver " + Version);
        lblVersion->SetLeft(lblName->Left() + lblName->Width() + 20);
        lblVersion->SetTop(lblName->Top() + lblName->Height() - lblVersion->Height() - 2);
    } else {
        lblName->SetVisible(false);
        LoadBitmapResource(imgName, u"ImageName");
        lblVersion->SetCaption(u"版本号 " + Version);
        lblVersion->Font()->SetStyle(0);
        lblVersion->SetLeft(imgName->Left() + imgName->Width() + 20);
        lblVersion->SetTop(imgName->Top() + (imgName->Height() - lblVersion->Height()) / 2 + 2);
        btnClose->SetCaption(u"关闭");
    }
    lblEdition->SetCaption(GetLangText(0, 155));
}

void TfrmAbout::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmAbout::btnCloseClick(TObject*) { Close(); }
