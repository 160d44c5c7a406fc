// The notices and the ticker without a window: the record's packed layout,
// a notice's layout by its buttons and title, the countdown text, the slots'
// places, the download reply (prefix, extra text, "ok", the table with its
// escapes), the rows sorted out against the log, the rotation (ticker texts
// come round again, notices once), and the main window's answers.
#include <gtest/gtest.h>

#include <cstddef>

#include "foundation/HyDataTable.h"
#include "shell/NoticeCore.h"

namespace {

using namespace Notices;

TEST(NoticeCore, TheRecordIsPackedInItsFieldOrder)
{
    EXPECT_EQ(offsetof(TMsgFormInfo, sCaption), 4u);
    EXPECT_EQ(offsetof(TMsgFormInfo, sTitle), 4u + 31);
    EXPECT_EQ(offsetof(TMsgFormInfo, sContent), 4u + 31 + 51);
    EXPECT_EQ(offsetof(TMsgFormInfo, ContentAlign), 4u + 31 + 51 + 256 + 101 + 11 + 11);
    EXPECT_EQ(sizeof(TMsgFormInfo), 4u + 31 + 51 + 256 + 101 + 11 + 11 + 3 + 4 + 2 + 2 + 1 + 4 + 4 + 1);
    TMsgFormInfo I;
    I.sCaption.Set(std::string(40, 'x'));
    EXPECT_EQ(I.sCaption.Len, 30);
    EXPECT_EQ(I.sCaption.Get(), std::string(30, 'x'));
    I.sConfirm.Set("OK");
    EXPECT_EQ(I.sConfirm.Get(), "OK");
}

TEST(NoticeCore, ALayoutForEachButtonModeAndTitle)
{
    TMsgFormInfo I;
    struct Case {
        Integer Mode;
        bool TitleEmpty;
        bool Confirm, Cancel;
        Integer CancelLeft, CancelWidth, Top, Height;
    } Cases[] = {
        {0, false, false, false, 93, 95, 30, 110}, {1, false, false, true, 93, 95, 30, 77},
        {2, false, true, true, 154, 70, 30, 77},   {0, true, false, false, 93, 95, 7, 135},
        {2, true, true, true, 154, 70, 7, 102},
    };
    for (const Case& C : Cases) {
        I.RespondMode = static_cast<std::uint8_t>(C.Mode);
        const TNoticeLayout L = NoticeLayout(I, C.TitleEmpty, true);
        EXPECT_EQ(L.ConfirmVisible, C.Confirm) << C.Mode;
        EXPECT_EQ(L.CancelVisible, C.Cancel) << C.Mode;
        if (C.Cancel) {
            EXPECT_EQ(L.CancelLeft, C.CancelLeft);
            EXPECT_EQ(L.CancelWidth, C.CancelWidth);
        }
        EXPECT_EQ(L.TitleVisible, !C.TitleEmpty);
        EXPECT_EQ(L.ContentTop, C.Top);
        EXPECT_EQ(L.ContentHeight, C.Height);
    }
    EXPECT_TRUE(NoticeLayout(I, false, false).HandCursor);
    // A countdown of 90 steps shows no number until 60 remain.
    I.CountDown = 90;
    EXPECT_EQ(NoticeLayout(I, false, true).Timelapse, u"");
    EXPECT_EQ(CountdownText(61), u"");
    EXPECT_EQ(CountdownText(60), u"( 60 )");
    EXPECT_EQ(CountdownText(3), u"( 3 )");
    I.CountDown = 0;
    EXPECT_EQ(NoticeLayout(I, false, true).Timelapse, u"");
    EXPECT_FALSE(CloseAllowed(1));
    EXPECT_TRUE(CloseAllowed(0));
    EXPECT_TRUE(CloseAllowed(2));
    EXPECT_TRUE(LabelClickEnds(0, false));
    EXPECT_FALSE(LabelClickEnds(1, false));
    EXPECT_FALSE(LabelClickEnds(0, true));
}

TEST(NoticeCore, SlotsStackTowardsTheTopLeft)
{
    EXPECT_EQ(NoticePlace(1920, 1080, 288, 200, 0), (TPoint{1920 - 288 - 10, 1080 - 200 - 35}));
    EXPECT_EQ(NoticePlace(1920, 1080, 288, 200, 2), (TPoint{1920 - 288 - 110, 1080 - 200 - 95}));
    EXPECT_EQ(ConfirmCaptions(2).Confirm, u"OK");
    EXPECT_EQ(ConfirmCaptions(0).Cancel, u"取 消");
}

TEST(NoticeCore, RepliesByTheirShape)
{
    struct Case {
        const char16_t* Text;
        TReply::TKind Kind;
        const char16_t* Table;
        const char16_t* Extra;
    } Cases[] = {
        {u"Trivane{ok}", TReply::Ok, u"", u""},
        {u"Trivane{ok}DSSTARTabcDSEND", TReply::Ok, u"", u"abc"},
        {u"Trivane{ok}DSSTARTDSEND", TReply::Ok, u"", u""},
        {u"Other!{ok}", TReply::Failed, u"", u""},
        {u"", TReply::Failed, u"", u""},
        {u"Trivane{}", TReply::Ignored, u"", u""},
        {u"Trivane{ok", TReply::Ignored, u"", u""},
        {u"Trivane{0,0,a/BR/b,c/#26/d}", TReply::Table, u"0,0,a\nb,c\x1A" u"d", u""},
        {u"Trivane{0,1|0,2}DSSTARTx,yDSEND", TReply::Table, u"0,1|0,2", u"x,y"},
    };
    for (const Case& C : Cases) {
        const TReply R = ParseReply(C.Text);
        EXPECT_EQ(R.Kind, C.Kind) << UTF8Encode(C.Text);
        EXPECT_EQ(R.TableText, C.Table) << UTF8Encode(C.Text);
        EXPECT_EQ(R.Extra, C.Extra) << UTF8Encode(C.Text);
    }
}

TEST(NoticeCore, ReplyRowsAreSortedOutAgainstTheLog)
{
    TDataTable Table, Log;
    Log.AddItem(u"-1,0,,seen,,http://a");
    Integer Commands = 0;
    TReplyHooks Hooks;
    Hooks.OnCommand = [&](TRow& Row) {
        ++Commands;
        EXPECT_EQ(Row.GetItem(2)->Text(), u"5");
    };
    Hooks.DataFolderExists = [](const String& P) { return P == u"Have"; };
    Hooks.OnUpgrade = [](const String& V) { return V == u"9.0"; };
    const bool Left = TakeReplyTable(Table, Log,
                                     u"0,0,,seen,,http://a|0,3,5,Feedback|0,4,,ad,,,,,Have|0,4,,ad2,,,,,Missing|"
                                     u"0,5,,up,,,,,1.0|0,6,,up2,,,,,9.0|0,1,T,notice",
                                     Hooks);
    ASSERT_EQ(Table.ItemCount(), 7);
    EXPECT_TRUE(Left);
    EXPECT_TRUE(RowDone(*Table.GetItem(0))) << "already shown";
    EXPECT_TRUE(RowDone(*Table.GetItem(1))) << "a command runs once";
    EXPECT_EQ(Commands, 1);
    EXPECT_TRUE(RowDone(*Table.GetItem(2))) << "that product is there";
    EXPECT_FALSE(RowDone(*Table.GetItem(3)));
    EXPECT_TRUE(RowDone(*Table.GetItem(4))) << "no upgrade wanted";
    EXPECT_FALSE(RowDone(*Table.GetItem(5)));
    EXPECT_FALSE(RowDone(*Table.GetItem(6)));
    // Logged: everything new but the command.
    EXPECT_EQ(Log.ItemCount(), 1 + 5);
}

TEST(NoticeCore, TickerTextsComeRoundAgainNoticesOnce)
{
    TDataTable Table;
    Table.Init(u"0,0,,text|0,1,T,notice|0,3,9,cmd|-1,0,,done");
    Integer Index = 0;
    TRotationStep S = NextMessage(Table, Index, false);
    EXPECT_EQ(S.Action, TRotationStep::Ticker);
    EXPECT_EQ(S.Row, 0);
    S = NextMessage(Table, Index, false);
    EXPECT_EQ(S.Action, TRotationStep::Notice);
    EXPECT_TRUE(RowDone(*Table.GetItem(1)));
    S = NextMessage(Table, Index, false);
    EXPECT_EQ(S.Action, TRotationStep::Logged);
    // Row 3 is done: round again to the ticker text.
    S = NextMessage(Table, Index, false);
    EXPECT_EQ(S.Action, TRotationStep::Ticker);
    EXPECT_EQ(S.Row, 0);
    // The pointer over the ticker pauses it.
    const Integer Before = Index;
    EXPECT_EQ(NextMessage(Table, Index, true).Action, TRotationStep::Nothing);
    EXPECT_EQ(Index, Before);
    // A click marks the text shown; then nothing is left.
    MarkCurrentShown(Table, Index, false);
    EXPECT_TRUE(RowDone(*Table.GetItem(0)));
    EXPECT_EQ(NextMessage(Table, Index, false).Action, TRotationStep::AllDone);
    TDataTable Empty;
    Integer Zero = 0;
    EXPECT_EQ(NextMessage(Empty, Zero, false).Action, TRotationStep::Nothing);
}

TEST(NoticeCore, TheMainWindowsAnswers)
{
    TDataTable Config;
    Config.SetPropCount(100);
    Config.GetProp(47)->SetValue(4);
    EXPECT_EQ(ApplyAccessExtra(Config, u"0,-1,two,three,back,five,six,seven", 2026, 12, 11), u"back");
    EXPECT_TRUE(Config.GetProp(77)->AsBool());
    EXPECT_EQ(Config.GetProp(76)->Text(), u"two");
    EXPECT_EQ(Config.GetProp(71)->Text(), u"three");
    EXPECT_EQ(Config.GetProp(75)->Text(), u"seven");
    EXPECT_EQ(Config.GetProp(35)->Value(), 2026);
    EXPECT_EQ(Config.GetProp(37)->Value(), 11);
    EXPECT_EQ(Config.GetProp(47)->Value(), 5);
    EXPECT_EQ(ApplyAccessExtra(Config, u"", 2026, 12, 12), u"");
    EXPECT_EQ(Config.GetProp(47)->Value(), 5) << "an empty extra text changes nothing";

    TRow Row;
    Row.Init(u"0,3,5,Feedback", u',');
    ApplyMsgCommand(Config, Row);
    EXPECT_EQ(Config.GetProp(60)->Text(), u"Feedback");
    Row.Init(u"0,3,8,x", u',');
    ApplyMsgCommand(Config, Row);  // not a command: nothing

    EXPECT_TRUE(UpgradeWanted(u"1.2.0", u"1.3"));
    EXPECT_FALSE(UpgradeWanted(u"1.3", u"1.3"));
    EXPECT_FALSE(UpgradeWanted(u"1.3", u"abc"));
    EXPECT_FALSE(UpgradeWanted(u"1.3", u""));
}

}  // namespace
