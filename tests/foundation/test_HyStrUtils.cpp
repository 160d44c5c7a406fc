#include "foundation/HyStrUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

bool AllIn(const std::string& S, const std::string& Allowed)
{
    return S.find_first_not_of(Allowed) == std::string::npos;
}

const std::string Digits = "0123456789";
const std::string Upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const std::string Lower = "abcdefghijklmnopqrstuvwxyz";

}  // namespace

TEST(RandomStr, LengthAndCharacterClasses)
{
    struct Case {
        int32_t Flags;
        std::string Allowed;
    } Cases[] = {
        {0, Digits + Upper + Lower}, {1, Digits}, {2, Upper}, {4, Lower}, {3, Digits + Upper},
        {5, Digits + Lower},         {7, Digits + Upper + Lower},
        // No class named: the default set rather than a text that never ends.
        {8, Digits + Upper + Lower},
    };
    for (const Case& C : Cases) {
        std::string S = RandomStr(200, C.Flags);
        EXPECT_EQ(S.size(), 200u) << C.Flags;
        EXPECT_TRUE(AllIn(S, C.Allowed)) << C.Flags << ": " << S;
    }
    EXPECT_EQ(RandomStr(0, 0), "");
    EXPECT_EQ(RandomStr(-3, 0), "");
}

TEST(RandomStr, EveryAllowedCharacterTurnsUp)
{
    std::string S = RandomStr(20000, 0);
    EXPECT_EQ(std::set<char>(S.begin(), S.end()).size(), 62u);
}

TEST(RandomStr, CallsInATightLoopDiffer)
{
    std::set<std::string> Seen;
    for (int i = 0; i < 1000; ++i) Seen.insert(RandomStr(8, 0));
    EXPECT_EQ(Seen.size(), 1000u);
}

TEST(RandomStr, ThreadsStartingTogetherDrawDifferentSalts)
{
    const int Threads = 8;
    std::vector<std::string> Salts(Threads);
    std::vector<std::thread> Workers;
    for (int i = 0; i < Threads; ++i)
        Workers.emplace_back([&Salts, i] { Salts[i] = RandomStr(16, 0); });
    for (std::thread& T : Workers) T.join();
    EXPECT_EQ(std::set<std::string>(Salts.begin(), Salts.end()).size(), size_t(Threads));
}

TEST(HyStrUtils, SearchAndCount)
{
    EXPECT_EQ(LastPos(u"C:\\a\\b\\", u"\\"), 7);
    EXPECT_EQ(LastPos(u"aaa", u"aa"), 2);
    EXPECT_EQ(LastPos(u"abc", u"x"), 0);
    EXPECT_EQ(LastPos(u"abc", u""), 0);
    EXPECT_EQ(CountSubStr(u"aa", u"aaaa"), 3);
    EXPECT_EQ(CountSubStr(u"aaaaa", u"aa"), 0);
    EXPECT_EQ(CountSubStr(u"", u"aa"), 0);
    EXPECT_EQ(ChooseStr(true, u"y", u"n"), u"y");
    EXPECT_EQ(ChooseInt(false, 1, 2), 2);
}

TEST(HyStrUtils, SplitToVariant)
{
    struct Case {
        String Sep, S;
        bool ByChar;
        std::vector<String> Out;
    } Cases[] = {
        {u",", u"a,b,,c", false, {u"a", u"b", u"", u"c"}},
        {u"aa", u"aaa", false, {u"", u"a", u""}},
        {u",", u"", false, {}},
        {u",", u"abc", false, {u"abc"}},
        {u",", u"ab", true, {u"a", u"b"}},
        {u"", u"ab", false, {u"ab"}},
        {u"::", u"a::b::", false, {u"a", u"b", u""}},
    };
    for (const Case& C : Cases) EXPECT_EQ(SplitToVariant(C.Sep, C.S, C.ByChar), C.Out) << UTF8Encode(C.S);
}

TEST(HyStrUtils, ExtensionsPaddingAndNumberLists)
{
    const String Exts = u"jpg,png,gif,bmp";
    EXPECT_EQ(AddFilterExt(u"pic", Exts, 1, u""), u"pic.png");
    EXPECT_EQ(AddFilterExt(u"pic.PNG", Exts, 1, u""), u"pic.PNG.png");
    EXPECT_EQ(AddFilterExt(u"pic.png", Exts, 1, u""), u"pic.png");
    EXPECT_EQ(AddFilterExt(u"pic", u"*,png", 0, u"bmp"), u"pic.bmp");
    EXPECT_EQ(AddFilterExt(u"pic.x", u"*,png", 0, u"bmp"), u"pic.x");
    EXPECT_EQ(AddFilterExt(u"pic", u"*,png", 0, u""), u"pic");
    EXPECT_EQ(AddFilterExt(u"pic", Exts, 9, u""), u"pic");

    EXPECT_EQ(PadStr(u"7", 3, u'0', true), u"007");
    EXPECT_EQ(PadStr(u"7", 3, u'_', false), u"7__");
    EXPECT_EQ(PadStr(u"12345", 3, u'0', true), u"123");

    EXPECT_EQ(SetToNumberList(ByteSet({0, 2, 49, 50}), u",", 49), u"0,2,49");
    EXPECT_EQ(SetToNumberList(TByteSet(), u",", 255), u"");
    EXPECT_EQ(SetToNumberList(ByteSet({255}), u";", 1000), u"255");
    EXPECT_EQ(CountSetMembers(ByteSet({1, 2, 255})), 3);
    EXPECT_EQ(CountSetMembers(TByteSet().set()), 256);
    EXPECT_EQ(NumberRangeText(3, 6, u','), u"3,4,5,6");
    EXPECT_EQ(NumberRangeText(4, 4, u','), u"4");
    EXPECT_EQ(NumberRangeText(5, 4, u','), u"");
    EXPECT_EQ(NumberSequenceText(u",", 0, 3, 1), u"0,1,2");
    EXPECT_EQ(NumberSequenceText(u",", 5, 3, 0), u"5,4,3");
    EXPECT_EQ(NumberSequenceText(u",", 5, 0, 1), u"");
    EXPECT_EQ(NumberSequenceText(u"/", INT_MAX, 2, 1), u"2147483647/2147483648");
}
