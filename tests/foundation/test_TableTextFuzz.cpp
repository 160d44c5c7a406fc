// Replays a corpus through the table text fuzz body in every build: a few
// hand-made inputs and many pseudo-random ones from a fixed seed.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "TableTextFuzz.h"

namespace {

std::vector<uint8_t> Input(uint8_t Mode, const std::u16string& Text, const std::vector<uint8_t>& Ops = {})
{
    std::vector<uint8_t> In{Mode};
    for (char16_t C : Text) {
        In.push_back(static_cast<uint8_t>(C & 0xFF));
        In.push_back(static_cast<uint8_t>(C >> 8));
    }
    In.push_back(0xFF);
    In.push_back(0xFF);
    In.insert(In.end(), Ops.begin(), Ops.end());
    return In;
}

}  // namespace

TEST(TableTextFuzz, HandMadeInputs)
{
    const std::vector<uint8_t> Ops{0, 1, 0, 1, 0, 2, 3, 0, 1, 2, 1, 0, 4, 2, 0, 5, 1, 0, 6, 2, 0, 7, 0, 0, 2, 0, 0};
    const std::u16string Texts[] = {
        u"",        u"#",          u"##",         u"#a,#1,x|2,",         u"#abc",      u"x|",
        u"|||",     u",,,",        u"#p#\r\n|q", std::u16string(u"a\0b|c", 5), u"\x1A\x1B\x1C#", u"{a,b}&#c#d&",
        u"#\x1C#\x1C|#", u"a,b\tc|\x01\x02",
    };
    for (uint8_t Mode : {0x00, 0x09, 0x41, 0x7F})
        for (const std::u16string& T : Texts) {
            std::vector<uint8_t> In = Input(Mode, T, Ops);
            EXPECT_EQ(FuzzTableText(In.data(), In.size()), "") << int(Mode) << " " << T.size();
        }
}

TEST(TableTextFuzz, RandomInputs)
{
    std::mt19937 Gen(20240611);
    // Mostly the characters that mean something to the format.
    const char16_t Alphabet[] = u"#|,{}&\r\n\t \x1A\x1B\x1C" u"0a-";
    for (int Round = 0; Round < 3000; ++Round) {
        std::u16string Text;
        int Len = static_cast<int>(Gen() % 40);
        for (int I = 0; I < Len; ++I)
            Text += Gen() % 8 ? Alphabet[Gen() % (sizeof(Alphabet) / sizeof(char16_t) - 1)]
                              : static_cast<char16_t>(Gen() % 0xFFFF);
        std::vector<uint8_t> Ops(Gen() % 60);
        for (uint8_t& B : Ops) B = static_cast<uint8_t>(Gen());
        std::vector<uint8_t> In = Input(static_cast<uint8_t>(Gen()), Text, Ops);
        std::string Error = FuzzTableText(In.data(), In.size());
        ASSERT_EQ(Error, "") << "round " << Round;
    }
}
