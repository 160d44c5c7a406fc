#include "dialogs/win/ImageSizeEdits.h"

#include "dialogs/ImageSizeRules.h"
#include "dialogs/MainWindowServices.h"
#include "foundation/Global.h"
#include "foundation/win/HySysUtils_Win.h"
#include "framework/controls/win/Dialogs.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/sfColorCtrls.h"

TLabel* PlacedLabel(TComponent* Owner, TWinControl* Parent, Integer X, Integer Y, const String& Caption)
{
    auto* L = new TLabel(Owner);
    L->SetParent(Parent);
    L->SetLeft(X);
    L->SetTop(Y);
    L->SetCaption(Caption);
    return L;
}

void FormatSizeEdit(TsfSkinNumericEdit* Edit, Integer Unit)
{
    const TSizeUnit& U = SizeUnit(Unit);
    Edit->SetValueType(U.Decimals > 0 ? vtFloat : vtInteger);
    Edit->SetDecimal(U.Decimals);
    Edit->SetMinValue(U.Min);
    Edit->SetMaxValue(U.Max);
}

void FillUnitList(TsfSkinComboBox* List)
{
    List->Items()->Clear();
    for (Integer I = 0; I < SizeUnitCount; ++I) List->Items()->Add(GetLangText(1, SizeUnit(I).NameIndex));
}

void ConvertSizeEdits(TsfSkinNumericEdit* Width, TsfSkinNumericEdit* Height, Integer From, Integer To)
{
    const double W = Width->Value(), H = Height->Value();
    FormatSizeEdit(Width, To);
    FormatSizeEdit(Height, To);
    Width->SetValue(ConvertSizeValue(W, From, To));
    Height->SetValue(ConvertSizeValue(H, From, To));
}

void BindColorButton(TsfSkinColorButton* Button, TMainWindowServices* Services)
{
    if (!Services) return;
    Button->SetMainWindowHandle(reinterpret_cast<HWND>(Services->MainWindowHandle()));
    Button->OnShowTrackMenu = [Services](TObject* S) { Services->clColorShowTrackMenu(S); };
    Button->OnHideTrackMenu = [Services](TObject* S) { Services->clColorHideTrackMenu(S); };
    Button->OnColorDialogClose = [Services](TObject* S) { Services->clColorColorDialogClose(S); };
}

TInfoMessage DefaultInfoMessage()
{
    return [](const String& Text) { ShowInfoMsg(Text, EditionTitle); };
}

TChooseFile DefaultChoosePicture()
{
    return [](const String& InitialDir) {
        TOpenDialog D(nullptr);
        D.SetFilter(u"Pictures (*.bmp;*.jpg;*.jpe;*.jpeg;*.png;*.gif)|*.bmp;*.jpg;*.jpe;*.jpeg;*.png;*.gif");
        D.SetInitialDir(InitialDir);
        return D.Execute() ? D.FileName() : String();
    };
}
