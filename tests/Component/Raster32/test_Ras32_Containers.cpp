// The pointer map, the rectangle list, class lists and published properties.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Component/Raster32/Ras32_Containers.h"
#include "framework/runtime/SysUtils.h"

namespace {

void* Address(NativeUInt A) { return reinterpret_cast<void*>(A); }

}  // namespace

// ---------------------------------------------------------------------------
// TPointerMap

TEST(Ras32_PointerMap, AddFindRemoveAndData)
{
    TPointerMap Map;
    int Data1 = 1, Data2 = 2;
    // Addresses that differ only above bit 15 share bucket 0x12.
    void* A = Address(0x00011200);
    void* B = Address(0x7FFF1234);
    EXPECT_EQ(TPointerMap::BucketOf(A), TPointerMap::BucketOf(B));

    bool IsNew = false;
    PPData Slot = Map.Add(A, &Data1, IsNew);
    EXPECT_TRUE(IsNew);
    EXPECT_EQ(*Slot, &Data1);
    Map.Add(B, &Data2, IsNew);
    EXPECT_TRUE(IsNew);
    EXPECT_EQ(Map.Count(), 2);

    // An existing key keeps its data; the count stays.
    Slot = Map.Add(A, &Data2, IsNew);
    EXPECT_FALSE(IsNew);
    EXPECT_EQ(*Slot, &Data1);
    EXPECT_EQ(Map.Count(), 2);

    EXPECT_TRUE(Map.Contains(B));
    EXPECT_EQ(Map.GetData(B), &Data2);
    EXPECT_EQ(Map.Remove(A), &Data1);
    EXPECT_EQ(Map.Remove(A), nullptr);
    EXPECT_FALSE(Map.Contains(A));
    EXPECT_EQ(Map.Count(), 1);
    try {
        Map.GetData(A);
        FAIL() << "no exception";
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message(), u"Item not found ($011200)");
    }
    Map.Clear();
    EXPECT_EQ(Map.Count(), 0);
    EXPECT_FALSE(Map.Contains(B));
}

TEST(Ras32_PointerMap, IteratorVisitsEveryEntryBucketByBucketLastFirst)
{
    TPointerMap Map;
    // Bucket 0xFF (bits 8 to 15 all set) must be visited too; many entries
    // in one bucket make it grow past its first capacities.
    std::vector<void*> Keys;
    for (NativeUInt i = 1; i <= 40; ++i) Keys.push_back(Address((i << 16) | 0xFF00));
    for (NativeUInt i = 1; i <= 5; ++i) Keys.push_back(Address((i << 16) | 0x0100));
    for (void* K : Keys) Map.Add(K, K);
    ASSERT_EQ(Map.Count(), 45);

    std::vector<void*> Seen;
    TPointerMapIterator It(&Map);
    while (It.Next()) {
        EXPECT_EQ(It.Data(), It.Item());
        Seen.push_back(It.Item());
    }
    ASSERT_EQ(Seen.size(), 45u);
    // Bucket 1 first, its last entry first; then bucket 0xFF likewise.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Seen[static_cast<size_t>(i)], Keys[static_cast<size_t>(44 - i)]);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(Seen[static_cast<size_t>(5 + i)], Keys[static_cast<size_t>(39 - i)]);
}

// ---------------------------------------------------------------------------
// TRectList

TEST(Ras32_RectList, CapacityGrowsInTheDesignedSteps)
{
    TRectList List;
    EXPECT_EQ(List.Capacity(), 0);
    EXPECT_EQ(List.List(), nullptr);
    std::vector<Integer> Capacities{List.Capacity()};
    for (Integer i = 0; i < 150; ++i) {
        List.Add(TRect{i, 0, i + 1, 1});
        if (List.Capacity() != Capacities.back()) Capacities.push_back(List.Capacity());
    }
    EXPECT_EQ(Capacities, (std::vector<Integer>{0, 8, 16, 48, 80, 112, 144, 180}));
    EXPECT_EQ(List.Count(), 150);
    EXPECT_EQ(*List.GetItem(149), (TRect{149, 0, 150, 1}));
    List.Clear();
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(List.Capacity(), 10);
}

TEST(Ras32_RectList, EditingOperations)
{
    TRectList List;
    const TRect A{0, 0, 1, 1}, B{1, 1, 2, 2}, C{2, 2, 3, 3}, D{3, 3, 4, 4};
    List.Add(A);
    List.Add(C);
    List.Insert(1, B);   // A B C
    List.Insert(3, D);   // A B C D
    List.Exchange(0, 3); // D B C A
    List.Move(0, 2);     // B C D A
    EXPECT_EQ(*List[0], B);
    EXPECT_EQ(*List[1], C);
    EXPECT_EQ(*List[2], D);
    EXPECT_EQ(*List[3], A);
    EXPECT_EQ(List.IndexOf(D), 2);
    EXPECT_EQ(List.Remove(D), 2);
    EXPECT_EQ(List.Remove(D), -1);
    EXPECT_EQ(List.Count(), 3);
    EXPECT_EQ(List.GetItem(-1), nullptr);
    EXPECT_EQ(List.GetItem(3), nullptr);
    List.Pack();
    EXPECT_EQ(List.Count(), 3);
    List.SetCount(5);
    EXPECT_EQ(*List[4], TRect{});
    List.SetCapacity(2);  // lowers the count with it
    EXPECT_EQ(List.Count(), 2);
    // Indexes are checked rather than trusted.
    EXPECT_THROW(List.Delete(2), EListError);
    EXPECT_THROW(List.Exchange(0, 5), EListError);
    EXPECT_THROW(List.Insert(4, A), EListError);
}

// ---------------------------------------------------------------------------
// Class lists and published properties

namespace {

enum TShade : Byte { shLight, shDark };

// A persistent with one property of each kind the engine publishes.
class TSample : public TPersistent, public TPublishedProperties {
public:
    String ClassName() const override { return u"TSample"; }
    Integer Count() const { return FCount; }
    void SetCount(Integer Value) { FCount = Value; }
    Single Ratio() const { return FRatio; }
    void SetRatio(Single Value) { FRatio = Value; }
    TShade Shade() const { return FShade; }
    void SetShade(TShade Value) { FShade = Value; }
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    TSample* Child() const { return FChild.get(); }
    void AddChild() { FChild = std::make_unique<TSample>(); }

    void ListProperties(TPropList& List) const override
    {
        List.push_back(IntegerProperty(u"Count", &TSample::Count, &TSample::SetCount));
        List.push_back(FloatProperty(u"Ratio", &TSample::Ratio, &TSample::SetRatio));
        List.push_back(EnumProperty(u"Shade", &TSample::Shade, &TSample::SetShade, {u"shLight", u"shDark"}));
        List.push_back(StringProperty(u"Caption", &TSample::Caption, &TSample::SetCaption));
        List.push_back(ObjectProperty(u"Child", &TSample::Child));
    }

protected:
    void AssignTo(TPersistent* Dest) override
    {
        if (dynamic_cast<TSample*>(Dest)) {
            AssignPublishedProperties(this, Dest, PropertyKindsToCopy());
            return;
        }
        TPersistent::AssignTo(Dest);
    }

private:
    Integer FCount = 0;
    Single FRatio = 0;
    TShade FShade = shLight;
    String FCaption;
    std::unique_ptr<TSample> FChild;
};

// Another class with only some of the names, one of them of another kind.
class TPartial : public TPersistent, public TPublishedProperties {
public:
    String ClassName() const override { return u"TPartial"; }
    Integer Count() const { return FCount; }
    void SetCount(Integer Value) { FCount = Value; }
    String Ratio() const { return FRatio; }
    void SetRatio(const String& Value) { FRatio = Value; }
    void ListProperties(TPropList& List) const override
    {
        List.push_back(IntegerProperty(u"Count", &TPartial::Count, &TPartial::SetCount));
        List.push_back(StringProperty(u"Ratio", &TPartial::Ratio, &TPartial::SetRatio));
    }

private:
    Integer FCount = 0;
    String FRatio = u"kept";
};

}  // namespace

TEST(Ras32_ClassList, FindIsExactAndNamesComeInOrder)
{
    TClassList List;
    List.Add(PersistentClassOf<TSample>());
    List.Add(PersistentClassOf<TPartial>());
    EXPECT_EQ(List.Find(u"TPartial"), PersistentClassOf<TPartial>());
    EXPECT_EQ(List.Find(u"tsample"), nullptr);
    EXPECT_EQ(List.IndexOf(PersistentClassOf<TPartial>()), 1);
    TStringList Names;
    List.GetClassNames(&Names);
    ASSERT_EQ(Names.Count(), 2);
    EXPECT_EQ(Names[0], u"TSample");
    EXPECT_EQ(Names[1], u"TPartial");
    EXPECT_THROW(List.Items(2), EListError);

    std::unique_ptr<TPersistent> Made(List.Find(u"TSample")->Create());
    EXPECT_EQ(Made->ClassName(), u"TSample");
    EXPECT_TRUE(PersistentClassOf<TSample>()->IsInstance(Made.get()));
    EXPECT_FALSE(PersistentClassOf<TPartial>()->IsInstance(Made.get()));
}

TEST(Ras32_PublishedProperties, AssignCopiesByNameAndKindAndAssignsObjects)
{
    TSample Src, Dst;
    Src.SetCount(7);
    Src.SetRatio(0.25f);
    Src.SetShade(shDark);
    Src.SetCaption(u"text");
    Src.AddChild();
    Src.Child()->SetCount(3);

    // Without a destination object the object property is skipped.
    Dst.Assign(&Src);
    EXPECT_EQ(Dst.Count(), 7);
    EXPECT_EQ(Dst.Ratio(), 0.25f);
    EXPECT_EQ(Dst.Shade(), shDark);
    EXPECT_EQ(Dst.Caption(), u"text");
    EXPECT_EQ(Dst.Child(), nullptr);
    // With one, its content is assigned, not the object.
    Dst.AddChild();
    Dst.Assign(&Src);
    ASSERT_NE(Dst.Child(), nullptr);
    EXPECT_NE(Dst.Child(), Src.Child());
    EXPECT_EQ(Dst.Child()->Count(), 3);

    // Only the kinds asked for; only names Dst has, of the same kind.
    TSample Some;
    AssignPublishedProperties(&Src, &Some, TypeKinds({tkInteger, tkEnumeration}));
    EXPECT_EQ(Some.Count(), 7);
    EXPECT_EQ(Some.Shade(), shDark);
    EXPECT_EQ(Some.Caption(), u"");
    TPartial Partial;
    AssignPublishedProperties(&Src, &Partial, PropertyKindsToCopy());
    EXPECT_EQ(Partial.Count(), 7);
    EXPECT_EQ(Partial.Ratio(), u"kept");
    EXPECT_FALSE(PropertyKindsToCopy().test(tkMethod));
    EXPECT_EQ(GetPropList(&Partial).size(), 2u);
}
