// Notices and the ticker on real windows: a notice with only Cancel refuses
// the window's close and ends cancelled by its button; a countdown of 90
// steps shows no number until 60 remain and ends confirmed, telling the
// caller; a cancelled one tells nobody; five notices fill the slots and a
// sixth is dropped; the ticker takes a download's reply (failure, "ok", the
// extra text, a table), shows its texts again and again and its notices
// once, and pauses under the pointer.
#include <gtest/gtest.h>

#include "../../dialogs/win/DialogTest.h"

#include "foundation/HyDataTable.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/win/NoticeForms.h"
#include "skin/controls/win/SkinButtons.h"

namespace {

using namespace Notices;

TMsgFormInfo Record(Integer Mode, Integer CountDown, HWND Caller)
{
    TMsgFormInfo I;
    I.Msg = WM_NOTICE;
    I.sCaption.Set("Lumatra");
    I.sTitle.Set("Title");
    I.sContent.Set("Some text");
    I.sConfirm.Set("OK");
    I.sCancel.Set("Cancel");
    I.TimerInterval = 1000;
    I.CountDown = static_cast<std::uint16_t>(CountDown);
    I.RespondMode = static_cast<std::uint8_t>(Mode);
    I.CallerHandle = static_cast<std::uint32_t>(reinterpret_cast<uintptr_t>(Caller));
    I.SendToCaller = 99;
    return I;
}

class NoticeForms : public GlobalsTest {
protected:
    TForm* Caller = nullptr;
    void SetUp() override
    {
        GlobalsTest::SetUp();
        Caller = new TForm(nullptr);
        Caller->HandleNeeded();
    }
    void TearDown() override
    {
        delete Caller;
        GlobalsTest::TearDown();
    }
    void Show(THyMsgForm& F, const TMsgFormInfo& I)
    {
        F.SetFormPosition(100, 100, F.GetFormWidth(), F.GetFormHeight());
        F.SetActive(true);
        SendMessageW(F.GetMsgFormHandle(), WM_NOTICE, 0, reinterpret_cast<LPARAM>(&I));
        guitest::Pump();
    }
    // The confirmation the caller got, if any (its wParam), taken off its queue.
    Integer Confirmed()
    {
        MSG M;
        if (PeekMessageW(&M, Caller->Handle(), WM_NOTICE_CONFIRMED, WM_NOTICE_CONFIRMED, PM_REMOVE))
            return static_cast<Integer>(M.wParam);
        return -1;
    }
};

TEST_F(NoticeForms, ANoticeWithOnlyCancelRefusesTheCloseAndCancelEndsItCancelled)
{
    THyMsgForm F(nullptr);
    Show(F, Record(1, 0, Caller->Handle()));
    TfrmMsg* M = F.MsgForm();
    WaitShown(M);
    EXPECT_FALSE(M->sbConfirm->Visible());
    ASSERT_TRUE(M->sbCancel->Visible());
    EXPECT_EQ(M->sbCancel->Width(), 95);
    EXPECT_EQ(M->sbCancel->Caption(), u"Cancel");
    EXPECT_EQ(M->lblContent->Top(), 30);
    EXPECT_EQ(M->lblContent->Height(), 77);
    // The window's close button does nothing.
    SendMessageW(M->Handle(), WM_CLOSE, 0, 0);
    guitest::Pump();
    EXPECT_TRUE(F.Active());
    EXPECT_TRUE(IsWindowVisible(M->Handle()));
    Click(ScreenCentre(M->sbCancel));
    guitest::PumpUntil([&] { return !F.Active(); }, 2000);
    EXPECT_FALSE(F.Active());
    EXPECT_FALSE(IsWindowVisible(M->Handle()));
    EXPECT_EQ(M->MsgFormInfo().Canceled, 1);
    EXPECT_EQ(Confirmed(), -1) << "a cancelled notice tells nobody";
}

TEST_F(NoticeForms, ACountdownOf90ShowsNoNumberUntil60AndEndsConfirmed)
{
    THyMsgForm F(nullptr);
    Show(F, Record(2, 90, Caller->Handle()));
    TfrmMsg* M = F.MsgForm();
    EXPECT_TRUE(M->Timer1->Enabled());
    EXPECT_EQ(M->lblTimelapse->Caption(), u"");
    EXPECT_TRUE(M->sbConfirm->Visible());
    EXPECT_EQ(M->sbCancel->Left(), 154);
    for (Integer I = 0; I < 29; ++I) M->Timer1->OnTimer(M->Timer1);
    EXPECT_EQ(M->lblTimelapse->Caption(), u"");
    M->Timer1->OnTimer(M->Timer1);
    EXPECT_EQ(M->lblTimelapse->Caption(), u"( 60 )");
    for (Integer I = 0; I < 59; ++I) M->Timer1->OnTimer(M->Timer1);
    EXPECT_EQ(M->lblTimelapse->Caption(), u"( 1 )");
    EXPECT_TRUE(F.Active());
    M->Timer1->OnTimer(M->Timer1);
    EXPECT_FALSE(F.Active());
    EXPECT_FALSE(M->Timer1->Enabled());
    EXPECT_EQ(M->MsgFormInfo().Canceled, 0);
    EXPECT_EQ(Confirmed(), 99);
}

TEST_F(NoticeForms, TheTickerTakesRepliesShowsTextsAgainAndNoticesOnce)
{
    TForm Host(nullptr);
    Host.SetBounds(0, 0, 400, 100);
    auto* Ticker = new THyMsgText(&Host);
    Ticker->SetBounds(0, 0, 300, 20);
    Ticker->SetParent(&Host);
    Ticker->SetLangId(2);
    Ticker->PointerOver = [] { return false; };
    ASSERT_TRUE(Ticker->InitData(u"Lumatra", Dir.Path(), u"Rire", Dir.Path(), Caller->Handle()));
    bool Success = false;
    String Extra = u"none";
    Integer Calls = 0;
    Ticker->OnMsgAccessFinished = [&](TObject*, bool S, const String& E) {
        ++Calls;
        Success = S;
        Extra = E;
    };
    Ticker->MsgDataReceived(u"Nothing of ours");
    EXPECT_EQ(Calls, 1);
    EXPECT_FALSE(Success);
    Ticker->MsgDataReceived(u"Trivane{");
    EXPECT_EQ(Calls, 1) << "too short: no event";
    Ticker->MsgDataReceived(u"Trivane{ok}");
    EXPECT_TRUE(Success);
    EXPECT_EQ(Extra, u"");
    Ticker->MsgDataReceived(u"Trivane{ok}DSSTARTabcDSEND");
    EXPECT_EQ(Extra, u"abc");
    EXPECT_FALSE(Ticker->Rotating());

    Ticker->MsgDataReceived(u"Trivane{0,0,,Hello there,hint,http://example.invalid/|0,1,News,A notice}");
    EXPECT_TRUE(Ticker->Rotating());
    EXPECT_EQ(Ticker->Caption(), u"Hello there");
    EXPECT_EQ(Ticker->Url(), u"http://example.invalid/");
    Ticker->ShowNextMessage();
    ASSERT_NE(Ticker->Slot(0), nullptr);
    EXPECT_TRUE(Ticker->Slot(0)->Active());
    EXPECT_EQ(Ticker->Slot(0)->MsgForm()->lblContent->Caption(), u"A notice");
    EXPECT_EQ(Ticker->Slot(0)->MsgForm()->Caption(), u"Lumatra");
    Ticker->ShowNextMessage();
    EXPECT_EQ(Ticker->Caption(), u"Hello there") << "the text comes round again";
    Ticker->ShowNextMessage();
    EXPECT_EQ(Ticker->Slot(1), nullptr) << "the notice came once";
    // Under the pointer nothing moves on.
    const Integer Index = Ticker->MsgIndex();
    Ticker->PointerOver = [] { return true; };
    Ticker->ShowNextMessage();
    EXPECT_EQ(Ticker->MsgIndex(), Index);
    // Both rows are in the log; the same reply again shows nothing new.
    EXPECT_EQ(Ticker->ClickLog()->ItemCount(), 2);
    Ticker->SaveData();
    EXPECT_TRUE(FileExists(Dir / u"Message.db"));
    Ticker->Close();
    EXPECT_EQ(Ticker->Caption(), u"");
    EXPECT_FALSE(Ticker->Rotating());
}

TEST_F(NoticeForms, FiveNoticesFillTheSlotsAndASixthIsDropped)
{
    TForm Host(nullptr);
    auto* Ticker = new THyMsgText(&Host);
    Ticker->SetParent(&Host);
    Ticker->InitData(u"Lumatra", Dir.Path(), u"Rire", Dir.Path(), Caller->Handle());
    for (Integer I = 0; I < 6; ++I) Ticker->ShowMsgPopup(0, u"T", 0, String(), u"Text " + IntToStr(I));
    guitest::Pump();
    for (Integer I = 0; I < SlotCount; ++I) {
        ASSERT_NE(Ticker->Slot(I), nullptr);
        EXPECT_TRUE(Ticker->Slot(I)->Active());
        EXPECT_EQ(Ticker->Slot(I)->MsgForm()->lblContent->Caption(), u"Text " + IntToStr(I));
    }
    // Each further up and to the left.
    RECT A, B;
    GetWindowRect(Ticker->Slot(0)->GetMsgFormHandle(), &A);
    GetWindowRect(Ticker->Slot(1)->GetMsgFormHandle(), &B);
    EXPECT_EQ(A.left - B.left, 50);
    EXPECT_EQ(A.top - B.top, 30);
    // An ended notice frees its slot for the next.
    Ticker->Slot(2)->MsgForm()->EndNotice(true);
    Ticker->ShowMsgPopup(0, u"T", 0, String(), u"Again");
    EXPECT_EQ(Ticker->Slot(2)->MsgForm()->lblContent->Caption(), u"Again");
}

}  // namespace
