#include "foundation/HySysUtils.h"

#include <gtest/gtest.h>

TEST(HySysUtils, FormatFileSize)
{
    struct Case {
        Int64 Size;
        const char16_t* Text;
    } Cases[] = {
        {0, u"0 Bytes"},
        {-5, u"-5 Bytes"},
        {1023, u"1023 Bytes"},
        {1024, u"1 KB"},
        {1536, u"2 KB"},            // 1.5 to the even 2
        {2560, u"2 KB"},            // 2.5 to the even 2
        {1048575, u"1024 KB"},
        {1048576, u"1 MB"},
        {2621440, u"2.5 MB"},
        {1310720, u"1.2 MB"},       // 1.25 to the even 1.2
        {157286400, u"150 MB"},
        {105381888, u"100 MB"},     // 100.5 is above 100: a whole number, 100 (even)
        {1073741824, u"1 GB"},
        {5368709120LL, u"5 GB"},
        {1610612736, u"1.5 GB"},
    };
    for (const Case& C : Cases) EXPECT_EQ(FormatFileSize(C.Size), C.Text) << C.Size;
}

TEST(HySysUtils, CompareVersion)
{
    struct Case {
        const char16_t *V1, *V2, *Result;
    } Cases[] = {
        {u"2.0.1.3", u"2.0.10.0", u"<"}, {u"5.2.6.0", u"5.2.6.0", u"="}, {u"1.0", u"1.0.0", u"<"},
        {u"1.0.0", u"1.0", u">"},         {u"3", u"2.9", u">"},            {u"", u"1", u""},
        {u"1", u"", u""},                 {u"1..2", u"1.0.2", u"="},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(CompareVersion(C.V1, C.V2), C.Result) << UTF8Encode(C.V1) << " " << UTF8Encode(C.V2);
    EXPECT_THROW(CompareVersion(u"1.a", u"1.0"), EConvertError);
}
