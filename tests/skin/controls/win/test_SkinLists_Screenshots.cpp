// The list box, combo box, font combo, tree view and horizontal image list on
// one form, in the built-in look and in each of the four skins, kept as
// screenshots (looked at, not compared).
#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinExCtrls.h"
#include "skin/controls/win/SkinTreeView.h"

using namespace skintest;

namespace {

class SkinListsScreenshots : public SkinFormTest {};

}  // namespace

TEST_F(SkinListsScreenshots, InTheFourSkins)
{
    const char16_t* Looks[] = {u"none", SkinNames[0], SkinNames[1], SkinNames[2], SkinNames[3]};
    for (const char16_t* Look : Looks) {
        TForm* Form = NewForm(50, 50, 560, 300);
        TsfSkinData* SD = String(Look) == u"none" ? nullptr : Skin(Look);
        auto Place = [&](auto* C, Integer X, Integer Y, Integer W, Integer H) {
            C->SetParent(Form);
            C->SetBounds(X, Y, W, H);
            return C;
        };
        auto* L = Place(new TsfSkinListBox(Form), 10, 10, 150, 150);
        for (Integer I = 0; I < 12; ++I) L->Items()->Add(u"List item " + IntToStr(I));
        auto* Cap = Place(new TsfSkinListBox(Form), 170, 10, 150, 110);
        Cap->SetCaptionMode(true);
        Cap->SetCaption(u"Caption");
        for (Integer I = 0; I < 3; ++I) Cap->Items()->Add(u"Row " + IntToStr(I));
        auto* C = Place(new TsfSkinComboBox(Form), 10, 170, 150, 20);
        for (const char16_t* S : {u"Pixels", u"Inches", u"Centimetres"}) C->Items()->Add(S);
        auto* Open = Place(new TsfSkinComboBox(Form), 170, 130, 150, 20);
        for (Integer I = 0; I < 12; ++I) Open->Items()->Add(u"Choice " + IntToStr(I));
        auto* F = Place(new TsfSkinFontComboBox(Form), 10, 200, 150, 20);
        auto* Tool = Place(new TsfSkinComboBox(Form), 10, 230, 150, 24);
        Tool->SetToolButtonStyle(true);
        auto* Tall = Place(new TsfSkinComboBox(Form), 10, 262, 150, 28);
        Tall->SetUseSkinSize(false);
        Tall->SetStyle(sfcbEditStyle);
        for (auto* X : {Tool, Tall})
            for (const char16_t* S : {u"Fit to window", u"Actual size"}) X->Items()->Add(S);
        auto* T = Place(new TsfSkinTreeView(Form), 330, 10, 210, 150);
        T->SetDrawSkin(true);
        for (Integer I = 0; I < 3; ++I) {
            TTreeNode* N = T->Items()->Add(nullptr, u"Folder " + IntToStr(I));
            for (Integer K = 0; K < 2; ++K) T->Items()->AddChild(N, u"Child " + IntToStr(K));
        }
        T->Items()->Item(0)->Expand(false);
        auto* H = Place(new TsfSkinHorzListBox(Form), 170, 170, 370, 100);
        for (Integer I = 0; I < 7; ++I) H->Items()->Add()->SetCaption(u"Preset " + IntToStr(I));
        ShowAndWait(Form);
        if (SD) {
            L->SetSkinData(SD);
            Cap->SetSkinData(SD);
            C->SetSkinData(SD);
            Open->SetSkinData(SD);
            F->SetSkinData(SD);
            Tool->SetSkinData(SD);
            Tall->SetSkinData(SD);
            T->SetSkinData(SD);
            H->SetSkinData(SD);
        }
        L->SetItemIndex(2);
        C->SetItemIndex(1);
        Tool->SetItemIndex(0);
        Tall->SetItemIndex(1);
        F->SetFontName(u"Arial");
        T->SetSelected(T->Items()->Item(1));
        H->SetItemIndex(2);
        Open->SetItemIndex(4);
        Open->DropDown();
        guitest::Pump();
        TRect R = ScreenRect(Form);
        R.Bottom += 200;
        CaptureControl(Form);
        if (Open->ListBox()->HandleAllocated()) UpdateWindow(Open->ListBox()->Handle());
        SaveScreenshot(R, String(u"Lists_") + Look);
        Open->CloseUp(false);
    }
}
