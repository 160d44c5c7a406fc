// The short version of the About box, computed by number.
#include <gtest/gtest.h>

#include "dialogs/AboutVersion.h"
#include "framework/runtime/SysUtils.h"

TEST(AboutVersion, ByNumber)
{
    struct {
        const char16_t* Version;
        const char16_t* Shown;
    } const Cases[] = {
        {u"5.2.6.0", u"5.26"},
        {u"5.0.0.0", u"5.0"},
        {u"5.2.0.0", u"5.20"},
        {u"5.0.3.0", u"5.03"},
        // Parts of two digits keep both digits.
        {u"5.10.0.0", u"5.100"},
        {u"12.3.15.2", u"12.315"},
        {u"5", u"5.0"},
        {u"5.2", u"5.20"},
        {u"", u""},
        {u"x.1.2", u""},
        {u"5.x.2", u"5.02"},
    };
    for (const auto& C : Cases) EXPECT_EQ(AboutVersionText(C.Version), C.Shown) << UTF8Encode(C.Version);
}
