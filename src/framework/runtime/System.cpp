#include "framework/runtime/System.h"

#include <chrono>

#include "framework/runtime/SysUtils.h"

bool TObject::ClassNameIs(const String& Name) const
{
    return SameText(ClassName(), Name);
}

Cardinal& RandSeed()
{
    thread_local Cardinal Seed = 0;
    return Seed;
}

void Randomize()
{
    auto t = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    RandSeed() = static_cast<Cardinal>(t ^ (t >> 32));
}

static Cardinal NextRandom()
{
    // Multiplier and increment of the classic 32-bit generator.
    Cardinal& s = RandSeed();
    s = s * 0x08088405u + 1u;
    return s;
}

Integer Random(Integer Range)
{
    Cardinal r = NextRandom();
    if (Range <= 0) return 0;
    // The high bits of the product are the best-distributed ones.
    return static_cast<Integer>((static_cast<UInt64>(r) * static_cast<UInt64>(Range)) >> 32);
}

Double Random()
{
    return static_cast<Double>(NextRandom()) / 4294967296.0;
}

void AssertFailed(const String& Msg)
{
    throw EAssertionFailed(Msg);
}
