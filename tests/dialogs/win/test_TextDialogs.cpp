// The feather and text-template dialogs on real windows: the feather dialog
// proposes the caller's value within its limits; the template dialog shows
// the stored templates, writes them and their file on OK, and leaves the file
// untouched on Cancel.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "DialogTest.h"
#include "dialogs/TextTemplates.h"
#include "dialogs/win/FeatherAmountForm.h"
#include "dialogs/win/TextTemplateForm.h"
#include "foundation/HyDataTable.h"
#include "foundation/HyPresets.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinPanels.h"

namespace {

class TextDialogs : public GlobalsTest {
protected:
    template <class T>
    void Place(T& Dlg)
    {
        Dlg.SetPosition(poDesigned);
        Dlg.SetLeft(200);
        Dlg.SetTop(150);
    }
};

std::string FileBytes(const String& Name)
{
    std::ifstream In(UTF8Encode(Name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), {});
}

TEST_F(TextDialogs, FeatherProposesTheValueAndKeepsItsLimits)
{
    struct {
        const char* Name;
        Integer Value;
        bool ByCancel;
        TModalResult Result;
    } const Cases[] = {{"the radius, OK", 25, false, mrOk}, {"no radius proposes 10, Cancel", 0, true, mrCancel}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TfrmFeatherAmount Dlg(nullptr, nullptr);
        Place(Dlg);
        Dlg.FValue = FeatherStartValue(C.Value);
        double Shown = -1;
        HWND WhileShown = nullptr;
        WhenModal(&Dlg, [&] {
            Shown = Dlg.editFeatherAmount->Value();
            WhileShown = ActiveFormWindow;
            Click(ScreenCentre(C.ByCancel ? Dlg.btnCancel : Dlg.btnSave));
        });
        EXPECT_EQ(Dlg.ShowModal(), C.Result);
        EXPECT_EQ(Shown, FeatherStartValue(C.Value));
        EXPECT_EQ(WhileShown, Dlg.Handle());
        EXPECT_EQ(ActiveFormWindow, nullptr);
        EXPECT_EQ(Dlg.Caption(), GetLangText(1, 330));
        EXPECT_EQ(Dlg.lblFeatherAmount->Caption(), GetLangText(1, 331) + u":");
        // The edit's limits.
        Dlg.editFeatherAmount->SetValue(500);
        EXPECT_EQ(Dlg.editFeatherAmount->Value(), FeatherMax);
        Dlg.editFeatherAmount->SetValue(-3);
        EXPECT_EQ(Dlg.editFeatherAmount->Value(), FeatherMin);
    }
}

TEST_F(TextDialogs, TemplatesAreWrittenOnOkAndLeftAloneOnCancel)
{
    const String File = Dir / u"TextTemplate.db";
    TDataTable Table;
    Table.SetIsAddVerifyCode(true);
    FillTextTemplates(&Table);
    SetTextTemplate(Table, 0, u"Dear Sir, | Madam");
    Table.SaveAs(File);
    const std::string Before = FileBytes(File);

    {
        TfrmTextTemplate Dlg(nullptr, nullptr, Table, 0xE8E6E3);
        Place(Dlg);
        EXPECT_EQ(Dlg.txtText[0]->Text(), u"Dear Sir, | Madam");
        EXPECT_EQ(Dlg.gbTemplate->Color(), 0xE8E6E3);
        WhenModal(&Dlg, [&] {
            Dlg.txtText[1]->SetText(u"changed, but cancelled");
            Click(ScreenCentre(Dlg.btnCancel));
        });
        EXPECT_EQ(Dlg.ShowModal(), mrCancel);
    }
    EXPECT_EQ(FileBytes(File), Before);
    EXPECT_EQ(TextTemplate(Table, 1), u"");

    {
        TfrmTextTemplate Dlg(nullptr, nullptr, Table, 0xE8E6E3);
        Place(Dlg);
        WhenModal(&Dlg, [&] {
            Dlg.txtText[1]->SetText(u"Two lines,\r\nwith | bars");
            Dlg.txtText[2]->SetText(u"Third");
            Click(ScreenCentre(Dlg.btnSave));
        });
        EXPECT_EQ(Dlg.ShowModal(), mrOk);
    }
    TDataTable Back;
    Back.SetIsAddVerifyCode(true);
    Back.Load(File);
    EXPECT_EQ(TextTemplate(Back, 0), u"Dear Sir, | Madam");
    EXPECT_EQ(TextTemplate(Back, 1), u"Two lines,\r\nwith | bars");
    EXPECT_EQ(TextTemplate(Back, 2), u"Third");
}

}  // namespace
