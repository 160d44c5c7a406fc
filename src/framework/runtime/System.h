// System: the basic widths, String, TObject, reference-counted interfaces and
// the few routines every unit needs (Round, Trunc, Random, Assert, FreeAndNil).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------
// Widths: the same in every build (never `long`, which differs).
using Integer = int32_t;
using Cardinal = uint32_t;
using ShortInt = int8_t;
using SmallInt = int16_t;
using Byte = uint8_t;
using Word = uint16_t;
using LongWord = uint32_t;
using Int64 = int64_t;
using UInt64 = uint64_t;
using NativeInt = intptr_t;
using NativeUInt = uintptr_t;
using Single = float;
using Double = double;
using Extended = long double;
using Boolean = bool;
using Char = char16_t;
using WideChar = char16_t;
using AnsiChar = char;
using PByte = uint8_t*;
using Pointer = void*;
using HResult = int32_t;

// UTF-16 code units in every build, so lengths, indexes and encodings agree.
using String = std::u16string;
using UnicodeString = std::u16string;
using WideString = std::u16string;
// Byte strings: ANSI text, UTF-8 text or raw bytes.
using AnsiString = std::string;
using RawByteString = std::string;
using UTF8String = std::string;
using TBytes = std::vector<uint8_t>;

constexpr HResult S_OK_ = 0;
constexpr HResult E_NOINTERFACE_ = static_cast<HResult>(0x80004002u);

// Same layout as the Windows GUID, so it can be handed to the platform as is.
struct TGUID {
    uint32_t D1;
    uint16_t D2;
    uint16_t D3;
    uint8_t D4[8];
    friend bool operator==(const TGUID& a, const TGUID& b)
    {
        if (a.D1 != b.D1 || a.D2 != b.D2 || a.D3 != b.D3) return false;
        for (int i = 0; i < 8; ++i)
            if (a.D4[i] != b.D4[i]) return false;
        return true;
    }
};

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" at compile time.
consteval TGUID StringToGUIDConst(const char* s)
{
    auto hex = [](char c) -> uint32_t {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c - 'A' + 10;
    };
    auto num = [&](int from, int digits) -> uint32_t {
        uint32_t v = 0;
        for (int i = 0; i < digits; ++i) v = v * 16 + hex(s[from + i]);
        return v;
    };
    TGUID g{};
    g.D1 = num(1, 8);
    g.D2 = static_cast<uint16_t>(num(10, 4));
    g.D3 = static_cast<uint16_t>(num(15, 4));
    g.D4[0] = static_cast<uint8_t>(num(20, 2));
    g.D4[1] = static_cast<uint8_t>(num(22, 2));
    for (int i = 0; i < 6; ++i) g.D4[2 + i] = static_cast<uint8_t>(num(25 + 2 * i, 2));
    return g;
}

// ---------------------------------------------------------------------------
// TObject: the root of the class tree. ClassName() answers the class's own
// name; every class whose name is shown or compared overrides it.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    virtual ~TObject() = default;
    virtual String ClassName() const { return u"TObject"; }
    bool ClassNameIs(const String& Name) const;
    // AfterConstruction is called by whoever makes an object that needs it
    // (NewThread). BeforeDestruction runs on the whole object before any
    // destructor whenever an object is freed with delete (an owner freeing
    // its components, FreeAndNil, a form's Release, the application's end):
    // virtual calls made there still reach the most derived class.
    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}

    // Every delete of a TObject comes here (a destroying delete): first
    // BeforeDestruction, then the destructors, then the memory, given back
    // the way the object's own class took it.
    void operator delete(TObject* Object, std::destroying_delete_t)
    {
        Object->BeforeDestruction();
        TDeallocator deallocate = Object->InstanceDeallocator();
        void* block = dynamic_cast<void*>(Object);
        Object->~TObject();
        deallocate(block);
    }

protected:
    // A class with an operator new of its own answers its operator delete here:
    // the destroying delete above is found through the static type, so the
    // class's own operator delete would not be.
    using TDeallocator = void (*)(void*);
    virtual TDeallocator InstanceDeallocator() const { return &DefaultDeallocate; }

private:
    static void DefaultDeallocate(void* Block) { ::operator delete(Block); }
};

using TClass = const std::type_info*;

template <class T>
inline void FreeAndNil(T*& p)
{
    T* q = p;
    p = nullptr;
    delete q;
}

// ---------------------------------------------------------------------------
// Reference-counted interfaces. An interface derives virtually from
// IInterface and declares its id:
//     struct IFoo : virtual IInterface {
//         static constexpr TGUID IID = StringToGUIDConst("{...}");
//         virtual void Bar() = 0;
//     };
// An implementing class derives from TInterfacedObject and the interfaces and
// answers their ids in GetInterface (see ImplementsInterfaces below).
struct IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{00000000-0000-0000-C000-000000000046}");
    virtual HResult QueryInterface(const TGUID& IID, void** Obj) = 0;
    virtual Integer _AddRef() = 0;
    virtual Integer _Release() = 0;

protected:
    virtual ~IInterface() = default;
};

// Answers IID with this object seen as one of Is..., or false.
template <class... Is, class Self>
inline bool ImplementsInterfaces(Self* self, const TGUID& IID, void** Obj)
{
    bool found = false;
    ((!found && IID == Is::IID ? (*Obj = static_cast<Is*>(self), found = true) : false), ...);
    return found;
}

class TInterfacedObject : public TObject, public virtual IInterface {
public:
    TInterfacedObject() = default;
    TInterfacedObject(const TInterfacedObject&) = delete;
    TInterfacedObject& operator=(const TInterfacedObject&) = delete;
    ~TInterfacedObject() override = default;
    String ClassName() const override { return u"TInterfacedObject"; }

    HResult QueryInterface(const TGUID& IID, void** Obj) override
    {
        *Obj = nullptr;
        if (!GetInterface(IID, Obj)) return E_NOINTERFACE_;
        _AddRef();
        return S_OK_;
    }
    Integer _AddRef() override { return ++FRefCount; }
    Integer _Release() override
    {
        Integer n = --FRefCount;
        if (n == 0) delete this;
        return n;
    }
    Integer RefCount() const { return FRefCount; }

protected:
    // Overridden by each implementing class: answer its interfaces, then ask the base.
    // The pointer stored must be the interface's own pointer (static_cast to it).
    virtual bool GetInterface(const TGUID& IID, void** Obj)
    {
        if (IID == IInterface::IID) {
            *Obj = static_cast<IInterface*>(this);
            return true;
        }
        return false;
    }

private:
    std::atomic<Integer> FRefCount{0};
};

// Smart pointer over an interface: adds a reference when it takes the pointer,
// releases it when it lets go.
template <class T>
class TIntfPtr {
public:
    TIntfPtr() = default;
    TIntfPtr(std::nullptr_t) {}
    TIntfPtr(T* p) : FPtr(p)
    {
        if (FPtr) FPtr->_AddRef();
    }
    TIntfPtr(const TIntfPtr& o) : TIntfPtr(o.FPtr) {}
    TIntfPtr(TIntfPtr&& o) noexcept : FPtr(o.FPtr) { o.FPtr = nullptr; }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    TIntfPtr(const TIntfPtr<U>& o) : TIntfPtr(static_cast<T*>(o.get()))
    {
    }
    ~TIntfPtr()
    {
        if (FPtr) FPtr->_Release();
    }
    TIntfPtr& operator=(TIntfPtr o) noexcept
    {
        std::swap(FPtr, o.FPtr);
        return *this;
    }
    T* get() const { return FPtr; }
    T* operator->() const { return FPtr; }
    T& operator*() const { return *FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    void reset() { *this = TIntfPtr(); }
    // Takes a pointer whose reference the caller already holds (an out parameter).
    static TIntfPtr Attach(T* p)
    {
        TIntfPtr r;
        r.FPtr = p;
        return r;
    }
    T* Detach()
    {
        T* p = FPtr;
        FPtr = nullptr;
        return p;
    }
    friend bool operator==(const TIntfPtr& a, const TIntfPtr& b) { return a.FPtr == b.FPtr; }
    friend bool operator==(const TIntfPtr& a, std::nullptr_t) { return a.FPtr == nullptr; }

private:
    T* FPtr = nullptr;
};

// Queries Instance for the interface T; true and Intf set when it has it.
template <class T, class I>
inline bool Supports(I* Instance, TIntfPtr<T>& Intf)
{
    Intf.reset();
    if (!Instance) return false;
    void* p = nullptr;
    if (static_cast<IInterface*>(Instance)->QueryInterface(T::IID, &p) != S_OK_ || !p) return false;
    Intf = TIntfPtr<T>::Attach(static_cast<T*>(p));
    return true;
}
template <class T, class I>
inline bool Supports(const TIntfPtr<I>& Instance, TIntfPtr<T>& Intf)
{
    return Supports<T>(Instance.get(), Intf);
}
template <class T, class I>
inline bool Supports(I* Instance)
{
    TIntfPtr<T> tmp;
    return Supports<T>(Instance, tmp);
}

// ---------------------------------------------------------------------------
// Numbers.

// To nearest, halves to even (Round(2.5) = 2, Round(3.5) = 4, Round(-2.5) = -2).
template <class F, class = std::enable_if_t<std::is_floating_point_v<F>>>
inline Int64 Round(F x)
{
    F f = x < 0 ? -x : x;
    // Split into integer part and fraction without calling floor (keeps long double exact).
    Int64 i = static_cast<Int64>(f);
    F frac = f - static_cast<F>(i);
    if (frac > F(0.5) || (frac == F(0.5) && (i & 1))) ++i;
    return x < 0 ? -i : i;
}

// Toward zero.
template <class F, class = std::enable_if_t<std::is_floating_point_v<F>>>
inline Int64 Trunc(F x)
{
    return static_cast<Int64>(x);
}

// Per-thread pseudo-random numbers (a 32-bit linear congruential generator:
// fast and reproducible from a seed).
Cardinal& RandSeed();
void Randomize();
Integer Random(Integer Range);  // 0 <= result < Range (0 when Range <= 0)
Double Random();                // 0 <= result < 1

// ---------------------------------------------------------------------------
// Assertions: a failed one raises EAssertionFailed with the given text
// (default "Assertion failure"), as an ordinary exception.
void AssertFailed(const String& Msg);
inline void Assert(bool Condition, const String& Msg = u"Assertion failure")
{
    if (!Condition) AssertFailed(Msg);
}

// ---------------------------------------------------------------------------
// Scopes: cleanup that runs however a scope is left, instead of
// catch (...) { cleanup; throw; } (which stays for code that translates or
// reports an exception).

// Runs a scope's cleanup. While an exception that started inside the scope is
// leaving it, an exception from the cleanup is dropped: the first failure is
// the one the caller hears of, and a destructor never throws during unwinding.
template <class F>
void RunScopeCleanup(int ExceptionsAtStart, F& Cleanup)
{
    if (std::uncaught_exceptions() == ExceptionsAtStart) {
        Cleanup();
        return;
    }
    try {
        Cleanup();
    } catch (...) {
        // Dropped: see above.
    }
}

// Runs Cleanup when the scope goes, unless dismissed:
//   auto Restore = ScopeExit([&] { FBusy = false; });
//   auto Remove = ScopeExit([&] { DeleteFile(Temp); });  ... Remove.Dismiss();  // kept on success
template <class F>
class TScopeGuard {
public:
    explicit TScopeGuard(F Cleanup) : FCleanup(std::move(Cleanup)) {}
    TScopeGuard(const TScopeGuard&) = delete;
    TScopeGuard& operator=(const TScopeGuard&) = delete;
    ~TScopeGuard() noexcept(false)
    {
        if (FActive) RunScopeCleanup(FExceptions, FCleanup);
    }
    // Nothing to undo any more.
    void Dismiss() { FActive = false; }

private:
    F FCleanup;
    int FExceptions = std::uncaught_exceptions();
    bool FActive = true;
};

template <class F>
[[nodiscard]] TScopeGuard<F> ScopeExit(F Cleanup)
{
    return TScopeGuard<F>(std::move(Cleanup));
}
