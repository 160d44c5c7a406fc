// Classes: events, TPersistent, streams, lists, string lists, components.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// Events: one delegate type, a std::function that may be empty. Test before calling.
template <class... Args>
using TEvent = std::function<void(Args...)>;
using TNotifyEvent = TEvent<TObject*>;

// ---------------------------------------------------------------------------
// Brackets: a pair of calls that must match (BeginUpdate/EndUpdate,
// Lock/Unlock), the second made when the scope goes, on every way out:
//   auto Update = UpdateScope(*Strings);   // Strings->BeginUpdate() ... EndUpdate()
//   auto Locked = LockScope(*Bitmap);      // Bitmap->Lock() ... Unlock()
// Cleanup errors while an exception leaves follow RunScopeCleanup (System).
template <class T, auto Begin, auto End>
class TBracket {
public:
    explicit TBracket(T& Object) : FObject(Object) { (FObject.*Begin)(); }
    TBracket(const TBracket&) = delete;
    TBracket& operator=(const TBracket&) = delete;
    ~TBracket() noexcept(false)
    {
        auto Close = [this] { (FObject.*End)(); };
        RunScopeCleanup(FExceptions, Close);
    }

private:
    T& FObject;
    int FExceptions = std::uncaught_exceptions();
};

template <class T>
[[nodiscard]] auto UpdateScope(T& Object)
{
    return TBracket<T, &T::BeginUpdate, &T::EndUpdate>(Object);
}

template <class T>
[[nodiscard]] auto LockScope(T& Object)
{
    return TBracket<T, &T::Lock, &T::Unlock>(Object);
}

// ---------------------------------------------------------------------------
// TPersistent: Assign copies from another object; a class that can copy itself
// into others overrides AssignTo.
class TPersistent : public TObject {
public:
    String ClassName() const override { return u"TPersistent"; }
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
    // Raises EConvertError "Cannot assign a <source class> to a <this class>".
    [[noreturn]] void AssignError(TPersistent* Source);
};

// ---------------------------------------------------------------------------
// Streams
enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };
constexpr Word soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2;

class TStream : public TObject {
public:
    String ClassName() const override { return u"TStream"; }
    // Read/Write move up to Count bytes and return how many moved.
    virtual Integer Read(void* Buffer, Integer Count) = 0;
    virtual Integer Write(const void* Buffer, Integer Count) = 0;
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

    // Raise EReadError "Stream read error" / EWriteError "Stream write error" on a short transfer.
    void ReadBuffer(void* Buffer, Integer Count);
    void WriteBuffer(const void* Buffer, Integer Count);
    // Count 0 copies all of Source from its position 0; returns the bytes copied.
    Int64 CopyFrom(TStream* Source, Int64 Count);

    Int64 Position() { return Seek(0, soCurrent); }
    void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
    virtual Int64 Size();
    virtual void SetSize(Int64 NewSize);

    // Little-endian scalars, the same bytes in every build.
    template <class T>
    T ReadValue()
    {
        static_assert(std::is_trivially_copyable_v<T>);
        T v;
        ReadBuffer(&v, sizeof v);
        return v;
    }
    template <class T>
    void WriteValue(const T& v)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        WriteBuffer(&v, sizeof v);
    }
};

class TCustomMemoryStream : public TStream {
public:
    String ClassName() const override { return u"TCustomMemoryStream"; }
    Integer Read(void* Buffer, Integer Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    Int64 Size() override { return FSize; }
    void* Memory() const { return FMemory; }
    void SaveToStream(TStream* Stream);
    void SaveToFile(const String& FileName);

protected:
    void SetPointer(void* Ptr, Int64 Size);

    uint8_t* FMemory = nullptr;
    Int64 FSize = 0;
    Int64 FPosition = 0;
};

// A growable block of memory.
class TMemoryStream : public TCustomMemoryStream {
public:
    TMemoryStream() = default;
    TMemoryStream(const TMemoryStream&) = delete;
    TMemoryStream& operator=(const TMemoryStream&) = delete;
    ~TMemoryStream() override;
    String ClassName() const override { return u"TMemoryStream"; }
    Integer Write(const void* Buffer, Integer Count) override;
    void SetSize(Int64 NewSize) override;
    void Clear();
    void LoadFromStream(TStream* Stream);  // the whole stream, from position 0
    void LoadFromFile(const String& FileName);
    Int64 Capacity() const { return FCapacity; }
    void SetCapacity(Int64 NewCapacity);

protected:
    // Raises EOutOfMemory "Out of memory while expanding memory stream" when it cannot grow.
    virtual void* Realloc(Int64& NewCapacity);

private:
    Int64 FCapacity = 0;
};

class TBytesStream : public TMemoryStream {
public:
    TBytesStream() = default;
    explicit TBytesStream(const TBytes& Bytes);
    String ClassName() const override { return u"TBytesStream"; }
    TBytes Bytes() const;  // a copy of the Size bytes
};

// A stream over a string's bytes. The text is held as UTF-8 unless an ANSI
// code page (0 = the system's) is chosen.
class TStringStream : public TMemoryStream {
public:
    TStringStream() = default;
    explicit TStringStream(const String& S, bool Utf8 = true);
    explicit TStringStream(const RawByteString& Bytes);
    String ClassName() const override { return u"TStringStream"; }
    String DataString() const;  // the bytes decoded the same way
    RawByteString Bytes() const;
    void WriteString(const String& S);
    String ReadString(Integer Count);  // Count bytes from the position, decoded

private:
    bool FUtf8 = true;
};

// File modes: one of fmCreate / fmOpenRead / fmOpenWrite / fmOpenReadWrite,
// or'ed with a share mode.
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

// A file on disk (the share modes apply on Windows; the host has none). Create raises EFCreateError "Cannot create file "<name>". <reason>"
// or EFOpenError "Cannot open file "<name>". <reason>".
class TFileStream : public TStream {
public:
    TFileStream(const String& FileName, Word Mode);
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
    ~TFileStream() override;
    String ClassName() const override { return u"TFileStream"; }
    Integer Read(void* Buffer, Integer Count) override;
    Integer Write(const void* Buffer, Integer Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SetSize(Int64 NewSize) override;
    const String& FileName() const { return FFileName; }
    // Makes the system write what it holds of the file to the disk
    // (FlushFileBuffers, fsync); raises EWriteError "Cannot write file "<name>". <reason>".
    virtual void Flush();
    // Closes the file; a close the system reports as failed (data it could not
    // write) raises EWriteError as Flush does. The destructor closes silently.
    virtual void Close();

private:
    String FFileName;
    intptr_t FHandle = -1;
};

// The one way a user's file is saved: Write fills a temporary file beside
// FileName ("~<name>.<hex>.tmp"), which is flushed to the disk, closed and then
// put in FileName's place. Any failure on the way (a full disk, a failing
// flush or close, a refused replace) deletes the temporary, leaves the old
// file as it was and raises: EFCreateError naming FileName when the temporary
// cannot be made or cannot replace it, EWriteError when writing fails.
void SaveFileAtomically(const String& FileName, const std::function<void(TStream* Stream)>& Write);
// Test seam: makes the stream of the temporary (a failing disk in tests).
// Empty: a TFileStream created with fmCreate | fmShareExclusive.
using TSaveStreamFactory = std::function<std::unique_ptr<TFileStream>(const String& TempName)>;
extern TSaveStreamFactory SaveStreamFactory;

// ---------------------------------------------------------------------------
// Text encodings for string lists and byte conversion.
class TEncoding {
public:
    enum TKind { ekAnsi, ekUTF8, ekUnicode, ekBigEndianUnicode };
    static const TEncoding* Default();  // the system's ANSI code page
    static const TEncoding* ANSI();
    static const TEncoding* UTF8();
    static const TEncoding* Unicode();  // UTF-16 little endian
    static const TEncoding* BigEndianUnicode();
    static const TEncoding* GetCodePage(Cardinal CodePage);  // an ANSI page

    TKind Kind() const { return FKind; }
    Cardinal CodePage() const;
    TBytes GetPreamble() const;
    TBytes GetBytes(const String& S) const;
    String GetString(const uint8_t* Bytes, size_t Count) const;
    String GetString(const TBytes& Bytes) const { return GetString(Bytes.data(), Bytes.size()); }
    // Detects a byte-order mark at the start of Buffer: its encoding and length, or nullptr.
    static const TEncoding* GetBufferEncoding(const uint8_t* Buffer, size_t Count, size_t& PreambleLength);

    explicit TEncoding(TKind Kind, Cardinal CodePage = 0) : FKind(Kind), FCodePage(CodePage) {}

private:
    TKind FKind;
    Cardinal FCodePage;
};

// ---------------------------------------------------------------------------
// Lists
using TListSortCompare = std::function<Integer(void* Item1, void* Item2)>;
enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// An ordered list of untyped pointers. Index errors raise EListError
// "List index out of bounds (%d)".
class TList : public TObject {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    ~TList() override;
    String ClassName() const override { return u"TList"; }

    Integer Add(void* Item);
    void Insert(Integer Index, void* Item);
    void Delete(Integer Index);
    Integer Remove(void* Item);   // index it had, or -1
    void* Extract(void* Item);    // removed without freeing; nullptr when absent
    void Move(Integer CurIndex, Integer NewIndex);
    void Exchange(Integer Index1, Integer Index2);
    Integer IndexOf(void* Item) const;
    void* First() const;
    void* Last() const;
    virtual void Clear();
    void Pack();  // drops nil entries
    // Stable: equal items keep their order.
    void Sort(const TListSortCompare& Compare);

    Integer Count() const { return static_cast<Integer>(FList.size()); }
    void SetCount(Integer NewCount);
    Integer Capacity() const { return static_cast<Integer>(FList.capacity()); }
    void SetCapacity(Integer NewCapacity);
    void* Items(Integer Index) const;
    void SetItems(Integer Index, void* Item);
    void* operator[](Integer Index) const { return Items(Index); }
    void** List() { return FList.data(); }

    [[noreturn]] static void Error(const String& Msg, NativeInt Data);

protected:
    virtual void Notify(void* Ptr, TListNotification Action) { (void)Ptr, (void)Action; }
    void CheckIndex(Integer Index) const;

private:
    std::vector<void*> FList;
};

// A list of objects that frees its objects (when OwnsObjects) on Delete,
// Remove, Clear, replacement and destruction; Extract hands one back unfreed.
class TObjectList : public TList {
public:
    explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
    ~TObjectList() override;
    String ClassName() const override { return u"TObjectList"; }
    Integer Add(TObject* Obj) { return TList::Add(Obj); }
    void Insert(Integer Index, TObject* Obj) { TList::Insert(Index, Obj); }
    Integer Remove(TObject* Obj) { return TList::Remove(Obj); }
    TObject* Extract(TObject* Obj) { return static_cast<TObject*>(TList::Extract(Obj)); }
    Integer IndexOf(TObject* Obj) const { return TList::IndexOf(Obj); }
    TObject* Items(Integer Index) const { return static_cast<TObject*>(TList::Items(Index)); }
    void SetItems(Integer Index, TObject* Obj) { TList::SetItems(Index, Obj); }
    TObject* operator[](Integer Index) const { return Items(Index); }
    TObject* First() const { return static_cast<TObject*>(TList::First()); }
    TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

protected:
    void Notify(void* Ptr, TListNotification Action) override;

private:
    bool FOwnsObjects;
};

// A typed view of TObjectList for one class.
template <class T>
class TObjectListOf : public TObjectList {
public:
    using TObjectList::TObjectList;
    T* Items(Integer Index) const { return static_cast<T*>(TObjectList::Items(Index)); }
    T* operator[](Integer Index) const { return Items(Index); }
    T* First() const { return static_cast<T*>(TObjectList::First()); }
    T* Last() const { return static_cast<T*>(TObjectList::Last()); }
};

// ---------------------------------------------------------------------------
// String lists
enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
    String ClassName() const override { return u"TStrings"; }
    virtual Integer Count() const = 0;
    virtual String Strings(Integer Index) const = 0;
    virtual void SetStrings(Integer Index, const String& S);
    virtual TObject* Objects(Integer Index) const;
    virtual void SetObjects(Integer Index, TObject* Obj);
    String operator[](Integer Index) const { return Strings(Index); }

    virtual Integer Add(const String& S);
    virtual Integer AddObject(const String& S, TObject* Obj);
    virtual void Insert(Integer Index, const String& S) = 0;
    virtual void InsertObject(Integer Index, const String& S, TObject* Obj);
    virtual void Delete(Integer Index) = 0;
    virtual void Clear() = 0;
    virtual void Move(Integer CurIndex, Integer NewIndex);
    virtual void Exchange(Integer Index1, Integer Index2);
    virtual Integer IndexOf(const String& S) const;  // without case by default
    Integer IndexOfName(const String& Name) const;  // names compared without case
    Integer IndexOfObject(TObject* Obj) const;
    void AddStrings(TStrings* Strings);
    void Assign(TPersistent* Source) override;
    bool Equals(TStrings* Strings) const;

    // Update brackets: nested; OnChange style notifications only at the outermost end.
    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }

    // Lines joined by CR LF (each line ends with one); setting splits at CR LF, LF or CR.
    virtual String Text() const;
    virtual void SetText(const String& Value);
    // Items joined by Delimiter; an item with a blank, quote, delimiter or control
    // character is quoted with QuoteChar (inner quotes doubled).
    String DelimitedText() const;
    void SetDelimitedText(const String& Value);
    String CommaText() const;  // DelimitedText with ',' and '"'
    void SetCommaText(const String& Value);
    Char Delimiter() const { return FDelimiter; }
    void SetDelimiter(Char Value) { FDelimiter = Value; }
    Char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(Char Value) { FQuoteChar = Value; }
    // When true, DelimitedText splits only at Delimiter, not also at blanks.
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
    String LineBreak() const { return FLineBreak; }
    void SetLineBreak(const String& Value) { FLineBreak = Value; }

    // Name=Value pairs, split at the first NameValueSeparator.
    String Names(Integer Index) const;
    String ValueFromIndex(Integer Index) const;
    void SetValueFromIndex(Integer Index, const String& Value);
    String Values(const String& Name) const;
    // An empty Value deletes the pair; an unknown name adds one.
    void SetValues(const String& Name, const String& Value);
    Char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(Char Value) { FNameValueSeparator = Value; }

    // Encoding by the byte-order mark, else the given encoding, else the ANSI code page.
    virtual void LoadFromStream(TStream* Stream, const TEncoding* Encoding = nullptr);
    void LoadFromFile(const String& FileName, const TEncoding* Encoding = nullptr);
    // Writes Text in Encoding (default: the encoding it was loaded with, else ANSI),
    // with the encoding's byte-order mark when WriteBOM.
    virtual void SaveToStream(TStream* Stream, const TEncoding* Encoding = nullptr);
    void SaveToFile(const String& FileName, const TEncoding* Encoding = nullptr);
    const TEncoding* Encoding() const { return FEncoding; }
    bool WriteBOM() const { return FWriteBOM; }
    void SetWriteBOM(bool Value) { FWriteBOM = Value; }

protected:
    virtual void SetUpdateState(bool Updating) { (void)Updating; }
    [[noreturn]] void Error(const String& Msg, Integer Data) const;
    virtual Integer CompareStrings(const String& S1, const String& S2) const;

    const TEncoding* FEncoding = nullptr;

private:
    Integer FUpdateCount = 0;
    Char FDelimiter = u',';
    Char FQuoteChar = u'"';
    Char FNameValueSeparator = u'=';
    bool FStrictDelimiter = false;
    bool FWriteBOM = true;
    String FLineBreak = u"\r\n";
};

using TStringListSortCompare = std::function<Integer(class TStringList* List, Integer Index1, Integer Index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;
    ~TStringList() override;
    String ClassName() const override { return u"TStringList"; }

    Integer Count() const override { return static_cast<Integer>(FList.size()); }
    String Strings(Integer Index) const override;
    void SetStrings(Integer Index, const String& S) override;
    TObject* Objects(Integer Index) const override;
    void SetObjects(Integer Index, TObject* Obj) override;
    Integer Add(const String& S) override;
    Integer AddObject(const String& S, TObject* Obj) override;
    void Insert(Integer Index, const String& S) override;
    void InsertObject(Integer Index, const String& S, TObject* Obj) override;
    void Delete(Integer Index) override;
    void Clear() override;
    void Exchange(Integer Index1, Integer Index2) override;
    void Move(Integer CurIndex, Integer NewIndex) override;
    Integer IndexOf(const String& S) const override;
    // In a sorted list: true and the index when found, else the insertion index.
    virtual bool Find(const String& S, Integer& Index) const;
    virtual void Sort();
    void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    Integer CompareStrings(const String& S1, const String& S2) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TItem {
        String FString;
        TObject* FObject = nullptr;
    };
    void InsertItem(Integer Index, const String& S, TObject* Obj);
    void CheckIndex(Integer Index) const;
    std::vector<TItem> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    TDuplicates FDuplicates = dupIgnore;
};

// ---------------------------------------------------------------------------
// Collections: a TCollection owns its items; an item knows its collection and
// its index. Items are made by the collection's item factory.
class TCollection;
enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    // Adds itself to Collection (when given).
    explicit TCollectionItem(TCollection* Collection);
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;
    ~TCollectionItem() override;  // leaves its collection
    String ClassName() const override { return u"TCollectionItem"; }
    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* Value);
    Integer Index() const;
    virtual void SetIndex(Integer Value);
    Integer ID() const { return FID; }
    virtual String DisplayName() const { return ClassName(); }

protected:
    // Tells the collection that this item (or, with AllItems, every item) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    Integer FID = 0;
};

using TCollectionItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;

class TCollection : public TPersistent {
public:
    explicit TCollection(TCollectionItemFactory ItemFactory);
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;
    ~TCollection() override;
    String ClassName() const override { return u"TCollection"; }

    TCollectionItem* Add();
    TCollectionItem* Insert(Integer Index);
    void Delete(Integer Index);
    void Clear();
    void Exchange(Integer Index1, Integer Index2);
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    TCollectionItem* Items(Integer Index) const;  // EListError when out of bounds
    TCollectionItem* operator[](Integer Index) const { return Items(Index); }
    TCollectionItem* FindItemID(Integer ID) const;
    // Clears and copies: one new item per source item, each Assign'ed from it.
    void Assign(TPersistent* Source) override;
    virtual TPersistent* Owner() const { return nullptr; }

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }

    TNotifyEvent OnChange;  // after each change outside update brackets

protected:
    // Item is the changed one, or nullptr when the change is not about one item.
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) { (void)Item, (void)Action; }
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);

    TCollectionItemFactory FItemFactory;
    std::vector<TCollectionItem*> FItems;
    Integer FNextID = 0;
    Integer FUpdateCount = 0;
};

// A collection of items of class T (constructed as T(Collection)).
template <class T>
class TOwnedCollectionOf : public TCollection {
public:
    explicit TOwnedCollectionOf(TPersistent* AOwner = nullptr)
        : TCollection([](TCollection* c) -> TCollectionItem* { return new T(c); }), FOwner(AOwner)
    {
    }
    T* Add() { return static_cast<T*>(TCollection::Add()); }
    T* Insert(Integer Index) { return static_cast<T*>(TCollection::Insert(Index)); }
    T* Items(Integer Index) const { return static_cast<T*>(TCollection::Items(Index)); }
    T* operator[](Integer Index) const { return Items(Index); }
    TPersistent* Owner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};

// ---------------------------------------------------------------------------
// Components: an owner frees what it owns, in reverse order of creation.
enum TOperation { opInsert, opRemove };
enum TComponentStateFlag : Word {
    csLoading = 1 << 0,
    csReading = 1 << 1,
    csWriting = 1 << 2,
    csDestroying = 1 << 3,
    csDesigning = 1 << 4,
    csAncestor = 1 << 5,
    csUpdating = 1 << 6,
    csFixups = 1 << 7,
    csFreeNotification = 1 << 8,
    csInline = 1 << 9,
    csDesignInstance = 1 << 10,
};
using TComponentState = Word;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    ~TComponent() override;
    String ClassName() const override { return u"TComponent"; }
    // Marks the component and those it owns as going (Destroying).
    void BeforeDestruction() override { Destroying(); }

    TComponent* Owner() const { return FOwner; }
    Integer ComponentCount() const { return static_cast<Integer>(FComponents.size()); }
    TComponent* Components(Integer Index) const;  // in order of insertion
    Integer ComponentIndex() const;
    TComponent* FindComponent(const String& AName) const;  // names compared without case
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();

    const String& Name() const { return FName; }
    // Raises EComponentError for an invalid identifier or a name taken among the owner's components.
    virtual void SetName(const String& NewName);
    NativeInt Tag() const { return FTag; }
    void SetTag(NativeInt Value) { FTag = Value; }
    TComponentState ComponentState() const { return FComponentState; }

    // AComponent will tell this one (Notification opRemove) when it goes.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Marks the component as loading (csLoading) until Loaded.
    void BeginLoading() { FComponentState |= csLoading; }
    virtual void Loaded();
    void SetDesigning(bool Value, bool SetChildren = true);
    // Sets csDestroying here and in the owned components.
    void Destroying();

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
    void SetComponentState(TComponentState Value) { FComponentState = Value; }

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    String FName;
    NativeInt FTag = 0;
    TComponentState FComponentState = 0;
};

bool IsValidIdent(const String& Ident);
