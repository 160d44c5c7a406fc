// Methods: a method bound to its object, two pointers wide (the object and the
// code that calls the member on it), for paths that run for every message,
// such as a control's WindowProc. Copying one never allocates, and two of them
// compare equal when they call the same member of the same object, which is
// what lets a hook tell whether a saved value is still its own. Portable.
#pragma once

#include <cstddef>
#include <utility>

template <class Signature>
class TMethod;

template <class R, class... Args>
class TMethod<R(Args...)> {
public:
    TMethod() = default;
    TMethod(std::nullptr_t) {}

    // Member of Object: TWndMethod::Of<&THook::HookProc>(this). A virtual
    // member is called virtually.
    template <auto Member, class T>
    static TMethod Of(T* Object)
    {
        TMethod m;
        m.FData = Object;
        m.FCode = &CallMember<Member, T>;
        return m;
    }
    // A callable object the caller keeps alive for as long as the method is
    // in use (a lambda of a test or of a scope); it is not copied.
    template <class F>
    static TMethod OfCallable(F& Callable)
    {
        TMethod m;
        m.FData = &Callable;
        m.FCode = &CallCallable<F>;
        return m;
    }

    explicit operator bool() const { return FCode != nullptr; }
    R operator()(Args... A) const { return FCode(FData, std::forward<Args>(A)...); }
    bool operator==(const TMethod& Other) const = default;
    void* Data() const { return FData; }

private:
    using TCode = R (*)(void*, Args...);

    template <auto Member, class T>
    static R CallMember(void* Data, Args... A)
    {
        return (static_cast<T*>(Data)->*Member)(std::forward<Args>(A)...);
    }
    template <class F>
    static R CallCallable(void* Data, Args... A)
    {
        return (*static_cast<F*>(Data))(std::forward<Args>(A)...);
    }

    void* FData = nullptr;
    TCode FCode = nullptr;
};
