// The fixture of the multiple-document window tests: an application main
// form (fsMDIForm) with a window menu and a frame component, and skinned
// children made on demand.
#pragma once

#include <windows.h>

#include <vector>

#include "SkinControlTestEnv.h"
#include "framework/controls/win/Menus.h"
#include "skin/frame/win/SkinForm.h"

namespace mditest {

class SkinFormMdi : public skintest::SkinFormTest {
protected:
    void SetUp() override
    {
        Main = Application->CreateForm<TForm>();
        Main->SetBounds(40, 40, 640, 480);
        Main->SetFormStyle(fsMDIForm);
        auto* Menu = new TMainMenu(Main);
        WindowItem = new TMenuItem(Main);
        WindowItem->SetCaption(u"Window");
        Menu->Items()->Add(WindowItem);
        Main->SetWindowMenu(WindowItem);
        MainC = new TsfSkinForm(Main);
        ShowAndWait(Main);
    }
    void TearDown() override
    {
        for (auto It = Kids.rbegin(); It != Kids.rend(); ++It) delete *It;
        Kids.clear();
        delete Main;
        SkinFormTest::TearDown();
    }
    TForm* NewChild(const String& Name, const String& Caption)
    {
        auto* F = new TForm(nullptr);
        F->SetName(Name);
        F->SetFormStyle(fsMDIChild);
        F->SetCaption(Caption);
        new TsfSkinForm(F);
        F->SetBounds(10 + 10 * Integer(Kids.size()), 10, 200, 150);
        Kids.push_back(F);
        F->Show();
        guitest::Pump();
        return F;
    }
    void NewChildren(int N)
    {
        for (int I = 1; I <= N; ++I) NewChild(u"Child" + IntToStr(I), u"Child " + IntToStr(I));
    }
    // Bounds of a child in the MDI client, as the window has them.
    static TRect ChildRect(TCustomForm* F)
    {
        RECT R;
        GetWindowRect(F->Handle(), &R);
        MapWindowPoints(nullptr, GetParent(F->Handle()), reinterpret_cast<POINT*>(&R), 2);
        return {R.left, R.top, R.right, R.bottom};
    }
    TForm* Main = nullptr;
    TsfSkinForm* MainC = nullptr;
    TMenuItem* WindowItem = nullptr;
    std::vector<TForm*> Kids;
};

} // namespace mditest
