#include <gtest/gtest.h>

#include "framework/controls/MenusCore.h"
#include "framework/runtime/SysUtils.h"

TEST(ShortCuts, TextsOfKnownKeys)
{
    const struct {
        TShortCut ShortCut;
        const char16_t* Text;
    } Cases[] = {
        {TShortCut(u'S') | scCtrl | scShift, u"Ctrl+Shift+S"},
        {TShortCut(u'S') | scShift | scCtrl, u"Ctrl+Shift+S"},
        {0x73 | scAlt, u"Alt+F4"},
        {0x2E, u"Del"},
        {0x87, u"F24"},
        {u'0' | scCtrl | scAlt, u"Ctrl+Alt+0"},
        {0xBD | scCtrl, u"Ctrl+-"},
        {0x6B | scCtrl, u"Ctrl+Num +"},
        {0x0D | scShift | scCtrl | scAlt, u"Ctrl+Shift+Alt+Enter"},
        {0x07 | scCtrl, u""},  // no name: no text at all
        {scNone, u""},
    };
    for (const auto& C : Cases) EXPECT_EQ(ShortCutToText(C.ShortCut), C.Text) << C.ShortCut;
}

// Every text ShortCutToText writes reads back as the same short cut.
TEST(ShortCuts, EveryWrittenTextRoundTrips)
{
    int Named = 0;
    for (Word Key = 0; Key < 0x100; ++Key)
        for (TShortCut Mods : {TShortCut(0), scShift, scCtrl, scAlt, TShortCut(scCtrl | scShift),
                               TShortCut(scCtrl | scAlt), TShortCut(scShift | scAlt),
                               TShortCut(scCtrl | scShift | scAlt)}) {
            const TShortCut S = Key | Mods;
            const String Text = ShortCutToText(S);
            if (Text.empty()) continue;
            ++Named;
            EXPECT_EQ(TextToShortCut(Text), S) << UTF8Encode(Text);
        }
    EXPECT_GE(Named, 8 * (26 + 10 + 24 + 40));
}

TEST(ShortCuts, ReadingIsLenient)
{
    const struct {
        const char16_t* Text;
        TShortCut ShortCut;
    } Cases[] = {
        {u"shift+ctrl+s", TShortCut(u'S') | scCtrl | scShift},
        {u"ALT+f4", 0x73 | scAlt},
        {u"Ctrl+", scNone},
        {u"Ctrl+Foo", scNone},
        {u"", scNone},
        {u"Ctrl+Num Del", 0x6E | scCtrl},
        {u"Ctrl++", scNone},
    };
    for (const auto& C : Cases) EXPECT_EQ(TextToShortCut(C.Text), C.ShortCut) << UTF8Encode(C.Text);
}

TEST(ShortCuts, KeyAndStatesSplitAndJoin)
{
    Word Key = 0;
    TShiftState Shift = 0;
    ShortCutToKey(ShortCut(u'Q', ssCtrl | ssAlt), Key, Shift);
    EXPECT_EQ(Key, u'Q');
    EXPECT_EQ(Shift, ssCtrl | ssAlt);
    EXPECT_EQ(ShortCut(0x100, ssCtrl), scNone);  // not a key code
}

TEST(Hotkeys, CaptionMarks)
{
    const struct {
        const char16_t* Caption;
        const char16_t* Stripped;
        Char Hotkey;
    } Cases[] = {
        {u"&File", u"File", u'F'},
        {u"Save &as...", u"Save as...", u'A'},
        {u"Fish && Chips", u"Fish & Chips", 0},
        {u"&&&Go", u"&Go", u'G'},
        {u"文件(&f)", u"文件(f)", u'F'},
        {u"Trailing&", u"Trailing", 0},
        {u"", u"", 0},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(StripHotkey(C.Caption), C.Stripped) << UTF8Encode(C.Caption);
        EXPECT_EQ(GetHotkey(C.Caption), C.Hotkey) << UTF8Encode(C.Caption);
    }
    EXPECT_TRUE(IsAccel(u'F', u"&File"));
    EXPECT_TRUE(IsAccel(u'f', u"&File"));
    EXPECT_FALSE(IsAccel(u'I', u"&File"));
    EXPECT_FALSE(IsAccel(u'C', u"Fish && Chips"));
}
