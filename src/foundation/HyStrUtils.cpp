#include "foundation/HyStrUtils.h"

#include <chrono>
#include <functional>
#include <random>
#include <thread>

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

std::string RandomStr(int32_t Count, int32_t Flags)
{
    // Flags naming none of the three classes would allow no character at all
    // (and never finish); they get the default set instead.
    if ((Flags & 7) == 0) Flags = 7;
    std::string Allowed;
    if (Flags & 1) Allowed += "0123456789";
    if (Flags & 2) Allowed += "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (Flags & 4) Allowed += "abcdefghijklmnopqrstuvwxyz";

    std::string Result;
    if (Count <= 0) return Result;
    Result.reserve(static_cast<size_t>(Count));
    // Uniform over the allowed characters: the same distribution as drawing
    // from "0".."z" and keeping only allowed ones.
    std::uniform_int_distribution<size_t> Pick(0, Allowed.size() - 1);
    std::mt19937& Generator = ThreadGenerator();
    for (int32_t i = 0; i < Count; ++i) Result += Allowed[Pick(Generator)];
    return Result;
}
