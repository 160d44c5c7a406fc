#include "foundation/HyStrUtils.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>
#include <thread>

String ChooseStr(bool Condition, const String& IfTrue, const String& IfFalse)
{
    return Condition ? IfTrue : IfFalse;
}

Integer ChooseInt(bool Condition, Integer IfTrue, Integer IfFalse)
{
    return Condition ? IfTrue : IfFalse;
}

Integer LastPos(const String& S, const String& SubStr)
{
    if (SubStr.empty() || SubStr.size() > S.size()) return 0;
    size_t P = S.rfind(SubStr);
    return P == String::npos ? 0 : static_cast<Integer>(P) + 1;
}

Integer CountSubStr(const String& SubStr, const String& S)
{
    if (SubStr.empty()) return 0;
    Integer Count = 0;
    for (size_t P = S.find(SubStr); P != String::npos; P = S.find(SubStr, P + 1)) ++Count;
    return Count;
}

std::vector<String> SplitToVariant(const String& Sep, const String& S, bool ByChar)
{
    std::vector<String> Result;
    if (S.empty()) return Result;
    if (ByChar) {
        for (Char C : S) Result.emplace_back(1, C);
        return Result;
    }
    if (Sep.empty()) return {S};
    Result.resize(static_cast<size_t>(CountSubStr(Sep, S)) + 1);
    size_t Piece = 0, Start = 0;
    for (size_t P = S.find(Sep); P != String::npos; P = S.find(Sep, Start)) {
        Result[Piece++] = S.substr(Start, P - Start);
        Start = P + Sep.size();
    }
    Result[Piece] = S.substr(Start);
    return Result;
}

static String WithExt(const String& FileName, const String& Ext)
{
    String R = FileName;
    R += u'.';
    R += Ext;
    return R;
}

String AddFilterExt(const String& FileName, const String& ExtList, Integer Index, const String& DefaultExt)
{
    std::vector<String> Exts = SplitToVariant(u",", ExtList, false);
    if (Index < 0 || static_cast<size_t>(Index) >= Exts.size()) return FileName;
    const String& Ext = Exts[static_cast<size_t>(Index)];
    if (Ext == u"*") {
        if (FileName.find(u'.') != String::npos || DefaultExt.empty()) return FileName;
        return WithExt(FileName, DefaultExt);
    }
    String Dotted(1, u'.');
    Dotted += Ext;
    if (EndsStr(Dotted, FileName)) return FileName;
    return WithExt(FileName, Ext);
}

String PadStr(const String& S, Integer Len, Char Ch, bool PadLeft)
{
    if (Len <= 0) return String();
    size_t N = static_cast<size_t>(Len);
    if (S.size() >= N) return S.substr(0, N);
    String Pad(N - S.size(), Ch);
    return PadLeft ? Pad + S : S + Pad;
}

String SetToNumberList(const TByteSet& Numbers, const String& Sep, Integer MaxValue)
{
    String Result;
    for (Integer I = 0; I <= std::min(MaxValue, 255); ++I)
        if (Numbers.test(static_cast<size_t>(I))) {
            if (!Result.empty()) Result += Sep;
            Result += IntToStr(I);
        }
    return Result;
}

String NumberRangeText(Integer From, Integer To, Char Sep)
{
    String Result;
    for (Int64 I = From; I <= To; ++I) {
        if (I > From) Result += Sep;
        Result += IntToStr(I);
    }
    return Result;
}

String NumberSequenceText(const String& Sep, Integer Start, Integer Count, Integer Direction)
{
    String Result;
    Int64 Step = Direction == 1 ? 1 : -1;
    for (Integer I = 0; I < Count; ++I) {
        if (I > 0) Result += Sep;
        Result += IntToStr(Start + Step * I);
    }
    return Result;
}

Integer CountSetMembers(const TByteSet& Numbers)
{
    return static_cast<Integer>(Numbers.count());
}

namespace {

std::mt19937& ThreadGenerator()
{
    // Seeded once per thread: reseeding from the clock on every call would hand
    // equal salts to calls made within one tick.
    thread_local std::mt19937 Generator = [] {
        std::random_device Device;
        auto Now = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        auto Thread = static_cast<uint64_t>(std::hash<std::thread::id>()(std::this_thread::get_id()));
        std::seed_seq Seed{Device(), Device(), Device(), Device(),
                           static_cast<uint32_t>(Now), static_cast<uint32_t>(Now >> 32),
                           static_cast<uint32_t>(Thread), static_cast<uint32_t>(Thread >> 32)};
        return std::mt19937(Seed);
    }();
    return Generator;
}

}  // namespace

AnsiString RandomStr(Integer Count, Integer Flags)
{
    // Flags naming none of the three classes would allow no character at all
    // (and never finish); they get the default set instead.
    if ((Flags & 7) == 0) Flags = 7;
    std::string Allowed;
    if (Flags & 1) Allowed += "0123456789";
    if (Flags & 2) Allowed += "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (Flags & 4) Allowed += "abcdefghijklmnopqrstuvwxyz";

    AnsiString Result;
    if (Count <= 0) return Result;
    Result.reserve(static_cast<size_t>(Count));
    // Uniform over the allowed characters: the same distribution as drawing
    // from "0".."z" and keeping only allowed ones.
    std::uniform_int_distribution<size_t> Pick(0, Allowed.size() - 1);
    std::mt19937& Generator = ThreadGenerator();
    for (Integer I = 0; I < Count; ++I) Result += Allowed[Pick(Generator)];
    return Result;
}
