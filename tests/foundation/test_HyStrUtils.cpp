#include "foundation/HyStrUtils.h"

#include <gtest/gtest.h>

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
