// The notice dialog: the caller's layout, and the box and buttons used with
// the mouse while the dialog is modal.
#include <gtest/gtest.h>

#include "DialogTest.h"
#include "dialogs/win/RemindConfirmForm.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinPanels.h"

namespace {

class RemindConfirm : public GlobalsTest {};

}  // namespace

TEST_F(RemindConfirm, LayoutAsTheCallerAsks)
{
    struct {
        const char* Name;
        Integer MsgHeight;
        bool Ticked, CancelVisible, CheckVisible, IsClose;
        TAlignment Alignment;
        Integer ContinueText;
    } const Cases[] = {
        {"the close notice", 70, true, false, true, false, taLeftJustify, 58},
        {"the edging notice", 50, false, false, true, true, taLeftJustify, 59},
        {"a question", 90, false, true, false, false, taCenter, 58},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TfrmRemindConfirm Dlg(nullptr, nullptr);
        Dlg.AdjustLayout(C.MsgHeight, C.Ticked, C.CancelVisible, C.Alignment, C.CheckVisible, C.IsClose);
        EXPECT_EQ(Dlg.ClientHeight(), C.MsgHeight + Dlg.pnlButton->Height());
        EXPECT_EQ(Dlg.pnlMsg->Height(), C.MsgHeight);
        EXPECT_EQ(Dlg.btnCancel->Visible(), C.CancelVisible);
        EXPECT_EQ(Dlg.chkNotRemind->Visible(), C.CheckVisible);
        EXPECT_EQ(Dlg.chkNotRemind->Checked(), C.Ticked);
        EXPECT_EQ(Dlg.lblMsg->Alignment(), C.Alignment);
        EXPECT_EQ(Dlg.btnContinue->Caption(), GetLangText(0, C.ContinueText));
        EXPECT_EQ(Dlg.btnCancel->Caption(), GetLangText(0, 7));
        EXPECT_EQ(Dlg.chkNotRemind->Caption(), GetLangText(0, 57));
        EXPECT_EQ(Dlg.Caption(), GetLangText(0, 1));
    }
}

TEST_F(RemindConfirm, TheBoxAndTheButtonsByMouse)
{
    struct {
        const char* Name;
        bool Untick;      // a click on the box first
        bool ByCancel;    // Cancel instead of Continue
        TModalResult Result;
        bool Ticked;
    } const Cases[] = {
        {"continue with the box ticked", false, false, mrOk, true},
        {"unticked, then continue", true, false, mrOk, false},
        {"cancel keeps the box as it is", false, true, mrCancel, true},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TfrmRemindConfirm Dlg(nullptr, nullptr);
        Dlg.AdjustLayout(70, true, true, taLeftJustify, true, false);
        Dlg.lblMsg->SetCaption(GetLangText(0, 197));
        Dlg.SetPosition(poDesigned);  // where the clicks expect it
        Dlg.SetLeft(200);
        Dlg.SetTop(150);
        HWND WhileShown = nullptr;
        WhenModal(&Dlg, [&] {
            WhileShown = ActiveFormWindow;
            if (C.Untick) Click(ScreenCentre(Dlg.chkNotRemind));
            Click(ScreenCentre(C.ByCancel ? Dlg.btnCancel : Dlg.btnContinue));
        });
        EXPECT_EQ(Dlg.ShowModal(), C.Result);
        EXPECT_EQ(Dlg.chkNotRemind->Checked(), C.Ticked);
        EXPECT_EQ(WhileShown, Dlg.Handle());
        EXPECT_EQ(ActiveFormWindow, nullptr);
    }
}

TEST_F(RemindConfirm, FreedUnshownItLeavesNoDialogBehind)
{
    {
        TfrmRemindConfirm Dlg(nullptr, nullptr);
        EXPECT_EQ(ActiveFormWindow, Dlg.Handle());
    }
    EXPECT_EQ(ActiveFormWindow, nullptr);
}
