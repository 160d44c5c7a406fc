#include "skin/controls/SkinColorCore.h"
#include "skin/controls/win/SkinExCtrls.h"

TsfSkinGraphicButton::TsfSkinGraphicButton(TComponent* AOwner) : inherited(AOwner)
{
    SetWidth(65);
    FGraphicImages = new TImageList(this);
    if (TsfSkinMenuServices* S = SkinMenuServices()) FGraphicMenu = S->CreateSkinImagesMenu(this);
    FOwnMenu = FGraphicMenu;
    if (FGraphicMenu) {
        FGraphicMenu->SetImages(FGraphicImages);
        SetSkinImagesMenu(FGraphicMenu);
    }
    SetUseImagesMenuImage(true);
}

TsfSkinGraphicButton::~TsfSkinGraphicButton()
{
    SetSkinImagesMenu(nullptr);
    FGraphicImages->Clear();
}

void TsfSkinGraphicButton::Fill()
{
    CreateGraphicImages();
    CreateGraphicItems();
}

void TsfSkinGraphicButton::Loaded()
{
    inherited::Loaded();
    if (FGraphicMenu) {
        SetSkinImagesMenu(FGraphicMenu);
        FGraphicMenu->SetSkinData(SkinData());
    }
}

Integer TsfSkinGraphicButton::ItemIndex() const { return FGraphicMenu ? FGraphicMenu->ItemIndex() : -1; }

void TsfSkinGraphicButton::SetItemIndex(Integer Value)
{
    if (FGraphicMenu) FGraphicMenu->StoreItemIndex(Value);
    Invalidate();
}

TsfSkinPenStyleButton::TsfSkinPenStyleButton(TComponent* AOwner) : TsfSkinGraphicButton(AOwner) { Fill(); }

void TsfSkinPenStyleButton::CreateGraphicImages()
{
    TBitmap B;
    B.SetPixelFormat(pf24bit);
    B.SetSize(sfPenPictureWidth, sfPenPictureHeight);
    FGraphicImages->SetSize(sfPenPictureWidth, sfPenPictureHeight);
    for (Integer Style = 0; Style < sfPenStyleCount; ++Style) {
        const std::vector<TColor> P = PenStylePicture(Style);
        for (Integer Y = 0; Y < sfPenPictureHeight; ++Y)
            for (Integer X = 0; X < sfPenPictureWidth; ++X)
                B.Canvas()->SetPixels(X, Y, P[size_t(Y * sfPenPictureWidth + X)]);
        FGraphicImages->Add(&B);
    }
}

void TsfSkinPenStyleButton::CreateGraphicItems()
{
    if (!FGraphicMenu) return;
    for (Integer I = 0; I < sfPenStyleCount; ++I) FGraphicMenu->AddItem(I, String(), false, clNone);
    FGraphicMenu->SetColumnsCount(1);
    FGraphicMenu->StoreItemIndex(0);
}
