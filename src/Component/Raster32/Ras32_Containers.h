// Ras32_Containers: the raster engine's small containers: a hashed
// pointer-to-pointer map with its iterator, a growable list of rectangles,
// class lists looked up by name, and the copying of published properties
// between two objects of the engine.
#pragma once

#include <bitset>
#include <functional>
#include <memory>
#include <typeinfo>
#include <vector>

#include "framework/runtime/Classes.h"
#include "framework/runtime/Types.h"

// ---------------------------------------------------------------------------
// Pointer map: 256 buckets chosen by bits 8 to 15 of the key's address.

struct TPointerBucketItem {
    void* Item = nullptr;
    void* Data = nullptr;
};

struct TPointerBucket {
    Integer Count = 0;                       // entries in use
    std::vector<TPointerBucketItem> Items;   // its length is the capacity
};

using TPointerBucketArray = TPointerBucket[256];
using PPData = void**;

// Owns only its buckets, never the items or data it points to.
class TPointerMap : public TObject {
public:
    TPointerMap() = default;
    TPointerMap(const TPointerMap&) = delete;
    TPointerMap& operator=(const TPointerMap&) = delete;
    ~TPointerMap() override;
    String ClassName() const override { return u"TPointerMap"; }

    // A key already present keeps its data (NewData is not stored) and gives
    // IsNew false; the result points at the key's data either way.
    PPData Add(void* NewItem, void* NewData, bool& IsNew);
    PPData Add(void* NewItem) { return Add(NewItem, nullptr); }
    PPData Add(void* NewItem, bool& IsNew) { return Add(NewItem, nullptr, IsNew); }
    PPData Add(void* NewItem, void* NewData);
    bool Find(void* Item, PPData& Data) const;
    bool Contains(void* Item) const;
    // Raises EListError "Item not found ($0<address>)" for an absent key.
    void* GetData(void* Item) const;
    void SetData(void* Item, void* Data);
    // The removed entry's data, or nil when the key is absent.
    void* Remove(void* Item);
    void Clear();
    Integer Count() const { return FCount; }

    static Integer BucketOf(const void* Item)
    {
        return static_cast<Integer>((reinterpret_cast<NativeUInt>(Item) >> 8) & 0xFF);
    }

protected:
    virtual void* Delete(Integer BucketIndex, Integer ItemIndex);

private:
    TPointerBucketArray FBuckets;
    Integer FCount = 0;

    friend class TPointerMapIterator;
};

// Visits the entries of a map: buckets 0 to 255, each from its last entry to
// its first. Starts before the first entry.
class TPointerMapIterator : public TObject {
public:
    explicit TPointerMapIterator(TPointerMap* SrcPointerMap) : FSrcPointerMap(SrcPointerMap) {}
    String ClassName() const override { return u"TPointerMapIterator"; }
    bool Next();
    void* Item() const { return FItem; }
    void* Data() const { return FData; }

private:
    TPointerMap* FSrcPointerMap;
    void* FItem = nullptr;
    void* FData = nullptr;
    Integer FCurBucketIndex = -1;
    Integer FCurItemIndex = -1;
};

// ---------------------------------------------------------------------------
// Rectangle list: starts with no storage; grows by 8 below 9 entries, by 32
// up to 128 and by a quarter above.

using PPolyRects = TRect*;

class TRectList : public TObject {
public:
    TRectList() = default;
    TRectList(const TRectList&) = delete;
    TRectList& operator=(const TRectList&) = delete;
    ~TRectList() override;
    String ClassName() const override { return u"TRectList"; }

    Integer Add(const TRect& Rect);
    // Indexes are checked: a bad one raises EListError "List index out of bounds (%d)".
    void Insert(Integer Index, const TRect& Rect);
    void Delete(Integer Index);
    void Exchange(Integer Index1, Integer Index2);
    void Move(Integer CurIndex, Integer NewIndex);
    Integer IndexOf(const TRect& Rect) const;
    Integer Remove(const TRect& Rect);
    // Nil outside 0 .. Count - 1.
    TRect* GetItem(Integer Index);
    TRect* operator[](Integer Index) { return GetItem(Index); }
    void Pack();
    virtual void Clear();

    PPolyRects List() { return FList.data(); }
    Integer Count() const { return FCount; }
    // New entries are zero; fewer entries drop the last ones.
    void SetCount(Integer Value);
    Integer Capacity() const { return FCapacity; }
    // A capacity below the count lowers the count first.
    void SetCapacity(Integer Value);

protected:
    virtual void Grow();

private:
    void CheckIndex(Integer Index, Integer Limit) const;

    std::vector<TRect> FList;
    Integer FCount = 0;
    Integer FCapacity = 0;
};

// ---------------------------------------------------------------------------
// Class references and class lists

// A class reference of the engine: the name the class answers and a maker of
// new instances (the virtual constructor of the design).
struct TPersistentClassInfo {
    String ClassName;
    TClass ClassType;
    TPersistent* (*Create)();
    // Whether Obj is of this class or a subclass.
    bool (*IsInstance)(const TObject* Obj);
};
using TPersistentClass = const TPersistentClassInfo*;

template <class T>
TPersistentClass PersistentClassOf()
{
    static const TPersistentClassInfo Info{
        T().ClassName(), &typeid(T), []() -> TPersistent* { return new T; },
        [](const TObject* Obj) { return dynamic_cast<const T*>(Obj) != nullptr; }};
    return &Info;
}

// A list of class references. Item access with a bad index raises the list's
// index error.
class TClassList : public TList {
public:
    String ClassName() const override { return u"TClassList"; }
    Integer Add(TPersistentClass AClass) { return TList::Add(const_cast<TPersistentClassInfo*>(AClass)); }
    void Insert(Integer Index, TPersistentClass AClass)
    {
        TList::Insert(Index, const_cast<TPersistentClassInfo*>(AClass));
    }
    Integer Remove(TPersistentClass AClass) { return TList::Remove(const_cast<TPersistentClassInfo*>(AClass)); }
    TPersistentClass Extract(TPersistentClass AClass)
    {
        return static_cast<TPersistentClass>(TList::Extract(const_cast<TPersistentClassInfo*>(AClass)));
    }
    Integer IndexOf(TPersistentClass AClass) const
    {
        return TList::IndexOf(const_cast<TPersistentClassInfo*>(AClass));
    }
    TPersistentClass First() const { return static_cast<TPersistentClass>(TList::First()); }
    TPersistentClass Last() const { return static_cast<TPersistentClass>(TList::Last()); }
    TPersistentClass Items(Integer Index) const { return static_cast<TPersistentClass>(TList::Items(Index)); }
    TPersistentClass operator[](Integer Index) const { return Items(Index); }
    // The first class named exactly AClassName (case matters), or nil.
    TPersistentClass Find(const String& AClassName) const;
    // Appends every class name, in list order.
    void GetClassNames(TStrings* Strings) const;
};

// ---------------------------------------------------------------------------
// Published properties
//
// A class with published properties derives from TPublishedProperties as well
// and lists them, its base's first, in ListProperties. Values travel as text
// for enumerations, sets and strings, as numbers for ordinals and floats, and
// as a pointer for objects.

enum TTypeKind : Byte {
    tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
    tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray,
    tkUString, TypeKindCount
};
using TTypeKinds = std::bitset<TypeKindCount>;
TTypeKinds TypeKinds(std::initializer_list<TTypeKind> Kinds);
// Every kind but tkUnknown and tkMethod: what the engine's AssignTo copies
// (event properties are never copied).
TTypeKinds PropertyKindsToCopy();

struct TPropValue {
    Int64 Ordinal = 0;
    Extended Float = 0;
    String Text;
    TPersistent* Object = nullptr;
};

struct TPropInfo {
    String Name;
    TTypeKind Kind;
    std::function<TPropValue(TPersistent* Instance)> Get;
    // Unused for objects, whose content is copied through Assign.
    std::function<void(TPersistent* Instance, const TPropValue& Value)> Set;
};
using TPropList = std::vector<TPropInfo>;

class TPublishedProperties {
public:
    virtual void ListProperties(TPropList& List) const = 0;

protected:
    ~TPublishedProperties() = default;
};

// The published properties of Obj's class (none for a class that lists none).
TPropList GetPropList(const TObject* Obj);

// For every published property of Src whose kind is in Kinds: an object
// property has the destination's object Assign the source's (when both
// exist); any other is written to Dst's property of the same name, when Dst
// has one of that name and kind.
void AssignPublishedProperties(TPersistent* Src, TPersistent* Dst, const TTypeKinds& Kinds);

// Building blocks for ListProperties.
template <class T, class V>
TPropInfo IntegerProperty(const String& Name, V (T::*Getter)() const, void (T::*Setter)(V))
{
    return TPropInfo{Name, tkInteger,
                     [Getter](TPersistent* I) {
                         TPropValue R;
                         R.Ordinal = static_cast<Int64>((static_cast<T*>(I)->*Getter)());
                         return R;
                     },
                     [Setter](TPersistent* I, const TPropValue& Value) {
                         (static_cast<T*>(I)->*Setter)(static_cast<V>(Value.Ordinal));
                     }};
}

template <class T, class V>
TPropInfo FloatProperty(const String& Name, V (T::*Getter)() const, void (T::*Setter)(V))
{
    return TPropInfo{Name, tkFloat,
                     [Getter](TPersistent* I) {
                         TPropValue R;
                         R.Float = (static_cast<T*>(I)->*Getter)();
                         return R;
                     },
                     [Setter](TPersistent* I, const TPropValue& Value) {
                         (static_cast<T*>(I)->*Setter)(static_cast<V>(Value.Float));
                     }};
}

// Values travel as their names; Names lists them in the enumeration's order.
template <class T, class E>
TPropInfo EnumProperty(const String& Name, E (T::*Getter)() const, void (T::*Setter)(E),
                       std::vector<String> Names)
{
    return TPropInfo{Name, tkEnumeration,
                     [Getter, Names](TPersistent* I) {
                         TPropValue R;
                         size_t Index = static_cast<size_t>((static_cast<T*>(I)->*Getter)());
                         if (Index < Names.size()) R.Text = Names[Index];
                         return R;
                     },
                     [Setter, Names](TPersistent* I, const TPropValue& V) {
                         for (size_t Index = 0; Index < Names.size(); ++Index)
                             if (Names[Index] == V.Text) (static_cast<T*>(I)->*Setter)(static_cast<E>(Index));
                     }};
}

template <class T>
TPropInfo StringProperty(const String& Name, String (T::*Getter)() const, void (T::*Setter)(const String&))
{
    return TPropInfo{Name, tkUString,
                     [Getter](TPersistent* I) {
                         TPropValue R;
                         R.Text = (static_cast<T*>(I)->*Getter)();
                         return R;
                     },
                     [Setter](TPersistent* I, const TPropValue& Value) { (static_cast<T*>(I)->*Setter)(Value.Text); }};
}

template <class T, class O>
TPropInfo ObjectProperty(const String& Name, O* (T::*Getter)() const)
{
    return TPropInfo{Name, tkClass,
                     [Getter](TPersistent* I) {
                         TPropValue R;
                         R.Object = (static_cast<T*>(I)->*Getter)();
                         return R;
                     },
                     nullptr};
}
