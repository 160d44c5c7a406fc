// The text templates in their table: what the user wrote comes back the same
// after the table was saved and read again, commas, bars and line breaks
// included; a short table grows to the row the templates live in.
#include <gtest/gtest.h>

#include "TempFolder.h"

#include "dialogs/TextTemplates.h"
#include "foundation/HyDataTable.h"
#include "foundation/HyPresets.h"

namespace {

TEST(TextTemplates, SurviveSavingAndReading)
{
    TTempFolder Dir;
    const String File = Dir / u"TextTemplate.db";
    const String Texts[] = {u"Hello, world | again", u"Line one\r\nLine two, with a comma", u""};
    {
        TDataTable T;
        T.SetIsAddVerifyCode(true);
        FillTextTemplates(&T);
        for (Integer I = 0; I < 3; ++I) SetTextTemplate(T, I, Texts[I]);
        // The separators never reach the cell.
        EXPECT_EQ(T.GetItem(2)->GetItem(0)->Text().find(u','), String::npos);
        EXPECT_EQ(T.GetItem(2)->GetItem(0)->Text().find(u'|'), String::npos);
        EXPECT_EQ(T.GetItem(2)->ItemCount(), 20);
        T.SaveAs(File);
    }
    TDataTable Back;
    Back.SetIsAddVerifyCode(true);
    Back.Load(File);
    ASSERT_EQ(Back.ItemCount(), 5);
    for (Integer I = 0; I < 3; ++I) EXPECT_EQ(TextTemplate(Back, I), Texts[I]) << I;
    EXPECT_EQ(Back.GetItem(2)->ItemCount(), 20);
}

TEST(TextTemplates, AShortTableReadsEmptyAndGrowsWhenWritten)
{
    TDataTable T;
    T.AddItem(u"a,b");
    EXPECT_EQ(TextTemplate(T, 0), u"");
    EXPECT_EQ(TextTemplate(T, 3), u"");
    SetTextTemplate(T, 1, u"x,y");
    EXPECT_EQ(T.ItemCount(), 3);
    EXPECT_EQ(TextTemplate(T, 1), u"x,y");
    EXPECT_EQ(TextTemplate(T, 0), u"");
    EXPECT_EQ(T.GetItem(0)->GetItem(1)->Text(), u"b");
}

TEST(TextTemplates, FeatherProposesTenForNoRadius)
{
    EXPECT_EQ(FeatherStartValue(0), 10);
    EXPECT_EQ(FeatherStartValue(3), 3);
    EXPECT_EQ(FeatherStartValue(200), 200);
}

}  // namespace
