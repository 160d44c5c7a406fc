#include <gtest/gtest.h>

#include "framework/runtime/SysUtils.h"

TEST(System, RoundHalvesToEven)
{
    struct { double x; Int64 r; } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {127.5, 128}, {76.5, 76},
        {2.4999, 2}, {2.5001, 3}, {-0.4, 0}, {1e10 + 0.5, 10000000000}, {0, 0}};
    for (auto& c : cases) EXPECT_EQ(Round(c.x), c.r) << c.x;
    EXPECT_EQ(Round(2.5f), 2);
    EXPECT_EQ(Round(3.5L), 4);
}

TEST(System, TruncTowardZero)
{
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
}

TEST(System, RandomStaysInRangeAndRepeatsFromSeed)
{
    RandSeed() = 12345;
    std::vector<Integer> first;
    for (int i = 0; i < 1000; ++i) {
        Integer r = Random(75);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 75);
        first.push_back(r);
    }
    RandSeed() = 12345;
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(Random(75), first[i]);
    for (int i = 0; i < 1000; ++i) {
        double d = Random();
        ASSERT_GE(d, 0.0);
        ASSERT_LT(d, 1.0);
    }
    EXPECT_EQ(Random(0), 0);
}

TEST(System, AssertRaisesWithDefaultText)
{
    try {
        Assert(false);
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), u"Assertion failure");
    }
    EXPECT_NO_THROW(Assert(true));
}

// Interfaces: counting, query by id, freeing on the last release.
struct IFoo : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{1F2E3D4C-5B6A-4789-9ABC-DEF012345678}");
    virtual int Foo() = 0;
};
struct IBar : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{2F2E3D4C-5B6A-4789-9ABC-DEF012345678}");
    virtual int Bar() = 0;
};
struct IBaz : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{3F2E3D4C-5B6A-4789-9ABC-DEF012345678}");
};

static int Alive = 0;
class TFooBar : public TInterfacedObject, public IFoo, public IBar {
public:
    TFooBar() { ++Alive; }
    ~TFooBar() override { --Alive; }
    int Foo() override { return 1; }
    int Bar() override { return 2; }

protected:
    bool GetInterface(const TGUID& IID, void** Obj) override
    {
        return ImplementsInterfaces<IFoo, IBar>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
    }
};

TEST(System, InterfacesCountAndQuery)
{
    {
        TIntfPtr<IFoo> foo(new TFooBar);
        EXPECT_EQ(Alive, 1);
        EXPECT_EQ(foo->Foo(), 1);
        TIntfPtr<IBar> bar;
        ASSERT_TRUE(Supports<IBar>(foo, bar));
        EXPECT_EQ(bar->Bar(), 2);
        TIntfPtr<IBaz> baz;
        EXPECT_FALSE(Supports<IBaz>(foo, baz));
        EXPECT_FALSE(baz);
        EXPECT_THROW(IntfAs<IBaz>(foo), EIntfCastError);
        TIntfPtr<IInterface> unk = IntfAs<IInterface>(bar);
        EXPECT_TRUE(unk);
        foo.reset();
        EXPECT_EQ(Alive, 1);  // bar and unk still hold it
    }
    EXPECT_EQ(Alive, 0);
}

TEST(System, GuidParsesLikeWindows)
{
    constexpr TGUID g = StringToGUIDConst("{557CF406-1A04-11D3-9A73-0000F81EF32E}");
    EXPECT_EQ(g.D1, 0x557CF406u);
    EXPECT_EQ(g.D2, 0x1A04);
    EXPECT_EQ(g.D3, 0x11D3);
    EXPECT_EQ(g.D4[0], 0x9A);
    EXPECT_EQ(g.D4[7], 0x2E);
    static_assert(sizeof(TGUID) == 16);
}

#include "framework/runtime/Maths.h"

TEST(Maths, MinMaxRange)
{
    EXPECT_EQ(Min(3, 5), 3);
    EXPECT_EQ(Max(Int64(3), 5), 5);
    EXPECT_EQ(EnsureRange(300, 0, 255), 255);
    EXPECT_EQ(EnsureRange(-3, 0, 255), 0);
    EXPECT_EQ(EnsureRange(1.5, 0, 1), 1.0);
    EXPECT_TRUE(InRange(5, 5, 6));
    EXPECT_FALSE(InRange(7, 5, 6));
    EXPECT_EQ(Floor(-1.5), -2);
    EXPECT_EQ(Ceil(-1.5), -1);
}

// The same table passes against kernel32 under Windows and the host's own.
TEST(Maths, MulDivRoundsHalfAwayFromZero)
{
    struct { int a, b, c, r; } cases[] = {
        {5, 1, 2, 3}, {-5, 1, 2, -3}, {5, -1, 2, -3}, {5, 1, -2, -3}, {-5, -1, -2, -3},
        {7, 1, 3, 2}, {8, 1, 3, 3}, {-8, 1, 3, -3}, {100, 96, 72, 133}, {1, 1, 0, -1},
        {0x40000000, 4, 2, -1}, {0x40000000, 2, 1, -1}, {2147483647, 1, 1, 2147483647},
        {-2147483647, 1, 1, -2147483647}, {2147483647, 2147483647, 2147483647, 2147483647},
        {3, 3, 6, 2}, {-3, 3, 6, -2}, {0, 5, 7, 0}};
    for (auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.r) << c.a << "*" << c.b << "/" << c.c;
}
