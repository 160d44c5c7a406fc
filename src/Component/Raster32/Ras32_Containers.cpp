#include "Component/Raster32/Ras32_Containers.h"

#include <cstring>

#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// TPointerMap

TPointerMap::~TPointerMap() { Clear(); }

PPData TPointerMap::Add(void* NewItem, void* NewData)
{
    bool IsNew;
    return Add(NewItem, NewData, IsNew);
}

PPData TPointerMap::Add(void* NewItem, void* NewData, bool& IsNew)
{
    PPData Existing;
    if (Find(NewItem, Existing)) {
        IsNew = false;
        return Existing;
    }
    TPointerBucket& Bucket = FBuckets[BucketOf(NewItem)];
    Integer Capacity = static_cast<Integer>(Bucket.Items.size());
    if (Bucket.Count == Capacity) {
        Integer Delta = Capacity > 64 ? Capacity / 4 : (Capacity < 9 ? 4 : 16);
        Bucket.Items.resize(static_cast<size_t>(Capacity + Delta));
    }
    TPointerBucketItem& Entry = Bucket.Items[static_cast<size_t>(Bucket.Count)];
    Entry.Item = NewItem;
    Entry.Data = NewData;
    ++Bucket.Count;
    ++FCount;
    IsNew = true;
    return &Entry.Data;
}

bool TPointerMap::Find(void* Item, PPData& Data) const
{
    const TPointerBucket& Bucket = FBuckets[BucketOf(Item)];
    for (Integer i = 0; i < Bucket.Count; ++i)
        if (Bucket.Items[static_cast<size_t>(i)].Item == Item) {
            Data = const_cast<PPData>(&Bucket.Items[static_cast<size_t>(i)].Data);
            return true;
        }
    return false;
}

bool TPointerMap::Contains(void* Item) const
{
    PPData Data;
    return Find(Item, Data);
}

void* TPointerMap::GetData(void* Item) const
{
    PPData Data;
    if (!Find(Item, Data))
        throw EListError(Format(u"Item not found ($0%x)", {static_cast<UInt64>(reinterpret_cast<NativeUInt>(Item))}));
    return *Data;
}

void TPointerMap::SetData(void* Item, void* Data)
{
    PPData Slot;
    if (!Find(Item, Slot))
        throw EListError(Format(u"Item not found ($0%x)", {static_cast<UInt64>(reinterpret_cast<NativeUInt>(Item))}));
    *Slot = Data;
}

void* TPointerMap::Remove(void* Item)
{
    Integer BucketIndex = BucketOf(Item);
    const TPointerBucket& Bucket = FBuckets[BucketIndex];
    for (Integer i = 0; i < Bucket.Count; ++i)
        if (Bucket.Items[static_cast<size_t>(i)].Item == Item) return Delete(BucketIndex, i);
    return nullptr;
}

void* TPointerMap::Delete(Integer BucketIndex, Integer ItemIndex)
{
    TPointerBucket& Bucket = FBuckets[BucketIndex];
    void* Result = Bucket.Items[static_cast<size_t>(ItemIndex)].Data;
    if (FCount == 0) return Result;
    if (--Bucket.Count == 0) {
        Bucket.Items.clear();
        Bucket.Items.shrink_to_fit();
    } else {
        Bucket.Items.erase(Bucket.Items.begin() + ItemIndex);
        Bucket.Items.emplace_back();  // keeps the capacity
    }
    --FCount;
    return Result;
}

void TPointerMap::Clear()
{
    // With the count at 0 the deletions leave the entries alone; they are
    // only offered to an overriding Delete before the buckets go.
    FCount = 0;
    for (Integer b = 0; b < 256; ++b)
        for (Integer i = FBuckets[b].Count - 1; i >= 0; --i) Delete(b, i);
    for (TPointerBucket& Bucket : FBuckets) {
        Bucket.Count = 0;
        Bucket.Items.clear();
        Bucket.Items.shrink_to_fit();
    }
}

// ---------------------------------------------------------------------------
// TPointerMapIterator

bool TPointerMapIterator::Next()
{
    if (FCurItemIndex > 0) {
        --FCurItemIndex;
    } else {
        FCurItemIndex = -1;
        while (FCurItemIndex < 0 && FCurBucketIndex < 255) {
            ++FCurBucketIndex;
            FCurItemIndex = FSrcPointerMap->FBuckets[FCurBucketIndex].Count - 1;
        }
        if (FCurItemIndex < 0) return false;
    }
    const TPointerBucketItem& Entry =
        FSrcPointerMap->FBuckets[FCurBucketIndex].Items[static_cast<size_t>(FCurItemIndex)];
    FItem = Entry.Item;
    FData = Entry.Data;
    return true;
}

// ---------------------------------------------------------------------------
// TRectList

TRectList::~TRectList()
{
    SetCount(0);
    SetCapacity(0);
}

void TRectList::CheckIndex(Integer Index, Integer Limit) const
{
    if (Index < 0 || Index >= Limit) TList::Error(u"List index out of bounds (%d)", Index);
}

Integer TRectList::Add(const TRect& Rect)
{
    if (FCount == FCapacity) Grow();
    FList[static_cast<size_t>(FCount)] = Rect;
    return FCount++;
}

void TRectList::Insert(Integer Index, const TRect& Rect)
{
    CheckIndex(Index, FCount + 1);
    if (FCount == FCapacity) Grow();
    std::memmove(&FList[static_cast<size_t>(Index) + 1], &FList[static_cast<size_t>(Index)],
                 static_cast<size_t>(FCount - Index) * sizeof(TRect));
    FList[static_cast<size_t>(Index)] = Rect;
    ++FCount;
}

void TRectList::Delete(Integer Index)
{
    CheckIndex(Index, FCount);
    --FCount;
    std::memmove(&FList[static_cast<size_t>(Index)], &FList[static_cast<size_t>(Index) + 1],
                 static_cast<size_t>(FCount - Index) * sizeof(TRect));
}

void TRectList::Exchange(Integer Index1, Integer Index2)
{
    CheckIndex(Index1, FCount);
    CheckIndex(Index2, FCount);
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
}

void TRectList::Move(Integer CurIndex, Integer NewIndex)
{
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex, FCount);
    CheckIndex(NewIndex, FCount);
    TRect Item = FList[static_cast<size_t>(CurIndex)];
    Delete(CurIndex);
    Insert(NewIndex, Item);
}

Integer TRectList::IndexOf(const TRect& Rect) const
{
    for (Integer i = 0; i < FCount; ++i)
        if (FList[static_cast<size_t>(i)] == Rect) return i;
    return -1;
}

Integer TRectList::Remove(const TRect& Rect)
{
    Integer Index = IndexOf(Rect);
    if (Index >= 0) Delete(Index);
    return Index;
}

TRect* TRectList::GetItem(Integer Index)
{
    if (Index < 0 || Index >= FCount) return nullptr;
    return &FList[static_cast<size_t>(Index)];
}

void TRectList::Pack()
{
    for (Integer i = FCount - 1; i >= 0; --i)
        if (!GetItem(i)) Delete(i);
}

void TRectList::Clear()
{
    SetCount(0);
    SetCapacity(10);
}

void TRectList::SetCount(Integer Value)
{
    if (Value < 0) TList::Error(u"List count out of bounds (%d)", Value);
    if (Value > FCapacity) SetCapacity(Value);
    for (Integer i = FCount; i < Value; ++i) FList[static_cast<size_t>(i)] = TRect{};
    FCount = Value;
}

void TRectList::SetCapacity(Integer Value)
{
    if (Value < 0) TList::Error(u"List capacity out of bounds (%d)", Value);
    if (Value == FCapacity) return;
    if (Value < FCount) FCount = Value;
    FList.resize(static_cast<size_t>(Value));
    FList.shrink_to_fit();
    FCapacity = Value;
}

void TRectList::Grow()
{
    Integer Delta = FCapacity > 128 ? FCapacity / 4 : (FCapacity < 9 ? 8 : 32);
    SetCapacity(FCapacity + Delta);
}

// ---------------------------------------------------------------------------
// TClassList

TPersistentClass TClassList::Find(const String& AClassName) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (Items(i)->ClassName == AClassName) return Items(i);
    return nullptr;
}

void TClassList::GetClassNames(TStrings* Strings) const
{
    for (Integer i = 0; i < Count(); ++i) Strings->Add(Items(i)->ClassName);
}

// ---------------------------------------------------------------------------
// Published properties

TTypeKinds TypeKinds(std::initializer_list<TTypeKind> Kinds)
{
    TTypeKinds Result;
    for (TTypeKind Kind : Kinds) Result.set(Kind);
    return Result;
}

TTypeKinds PropertyKindsToCopy()
{
    TTypeKinds Result;
    Result.set();
    Result.reset(tkUnknown);
    Result.reset(tkMethod);
    return Result;
}

TPropList GetPropList(const TObject* Obj)
{
    TPropList List;
    if (auto* Published = dynamic_cast<const TPublishedProperties*>(Obj)) Published->ListProperties(List);
    return List;
}

void AssignPublishedProperties(TPersistent* Src, TPersistent* Dst, const TTypeKinds& Kinds)
{
    if (!Src || !Dst) return;
    TPropList DstProps = GetPropList(Dst);
    for (const TPropInfo& Prop : GetPropList(Src)) {
        if (!Kinds.test(Prop.Kind)) continue;
        const TPropInfo* Target = nullptr;
        for (const TPropInfo& Candidate : DstProps)
            if (Candidate.Name == Prop.Name && Candidate.Kind == Prop.Kind) {
                Target = &Candidate;
                break;
            }
        if (!Target) continue;
        TPropValue Value = Prop.Get(Src);
        if (Prop.Kind == tkClass) {
            TPersistent* DstObject = Target->Get(Dst).Object;
            if (Value.Object && DstObject) DstObject->Assign(Value.Object);
        } else if (Target->Set) {
            Target->Set(Dst, Value);
        }
    }
}
