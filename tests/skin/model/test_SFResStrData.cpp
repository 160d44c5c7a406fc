#include <gtest/gtest.h>

#include "skin/model/SFResStrData.h"

TEST(SFResStrData, DefaultsAndLookup)
{
    TsfResourceStrData data(nullptr);
    EXPECT_EQ(data.ResStrings()->Count(), 133);
    EXPECT_EQ(data.CharSet(), 1);
    struct {
        const char16_t* name;
        const char16_t* text;
    } reads[] = {
        {u"mi_mincaption", u"Mi&nimize"},           // names ignore case
        {u"MI_MINCAPTION", u"Mi&nimize"},
        {u"FLV_LOOKIN", u"Look in: "},              // the trailing blank is kept
        {u"DB_DELETE_QUESTION", u"Delete record?"},
        {u"FIND_REPLACE_All", u"Replace All"},
        {u"DBNAV_REFRESH", u"REFRESH"},
        {u"PICKCOLOR", u""},                        // not among the defaults
        {u"COLORFORM_CAP", u""},
        {u"", u""},
    };
    for (auto& r : reads) EXPECT_EQ(data.GetResStr(r.name), r.text) << String(r.name).size();
    // The repeated names are found on their first lines.
    EXPECT_EQ(data.ResStrings()->IndexOf(u"DB_DELETE_QUESTION=Delete record?"), 65);
}

TEST(SFResStrData, AssignedListReplacesEverything)
{
    TsfResourceStrData data(nullptr);
    TStringList lines;
    lines.Add(u"A=B=C");
    lines.Add(u"no separator");
    lines.Add(u"PICKCOLOR=Pick");
    data.SetResStrings(&lines);
    EXPECT_EQ(data.ResStrings()->Count(), 3);
    EXPECT_EQ(data.GetResStr(u"a"), u"B=C");
    EXPECT_EQ(data.GetResStr(u"no separator"), u"");
    EXPECT_EQ(data.GetResStr(u"PickColor"), u"Pick");
    EXPECT_EQ(data.GetResStr(u"MI_MINCAPTION"), u"");  // no fallback to the defaults
}
