// Ras32_Bindings: the registries that bind the engine's processor-dependent
// routines. A unit registers each of its function-pointer variables under an
// id, adds every implementation of that id with the instruction sets it needs
// (portable first, newer sets after), and binds: among the usable
// implementations of equal priority the one added last wins.
#pragma once

#include <memory>
#include <vector>

#include "Component/Raster32/Ras32_System.h"
#include "framework/runtime/Classes.h"

// Type-erased code pointer; every bound routine is stored as one and cast back
// to its own type by the binding that receives it.
using TFunctionProc = void (*)();

struct TFunctionInfo {
    Integer FunctionID = 0;
    TFunctionProc Proc = nullptr;
    TCPUFeatures CPUFeatures = NoCpuFeatures;
    Integer Flags = 0;  // stored for the registering unit, never read here
};

// Lower is better; UnusablePriority means the implementation must not be bound.
using TFunctionPriority = Integer (*)(const TFunctionInfo& Info);
constexpr Integer UnusablePriority = 0x7FFFFFFF;

class TFunctionRegistry : public TPersistent {
public:
    TFunctionRegistry() = default;
    ~TFunctionRegistry() override { Clear(); }
    String ClassName() const override { return u"TFunctionRegistry"; }

    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }

    void Clear();
    template <class F>
    void Add(Integer FunctionID, F* Proc, TCPUFeatures CPUFeatures = NoCpuFeatures, Integer Flags = 0)
    {
        AddProc(FunctionID, reinterpret_cast<TFunctionProc>(Proc), CPUFeatures, Flags);
    }
    // BindVariable receives the chosen implementation (null when none is usable).
    template <class F>
    void RegisterBinding(Integer FunctionID, F** BindVariable)
    {
        FBindings.push_back(std::make_unique<TBindingInfo>(
            TBindingInfo{FunctionID, BindVariable, [](void* Var, TFunctionProc Proc) {
                             *static_cast<F**>(Var) = reinterpret_cast<F*>(Proc);
                         }}));
    }
    // A null PriorityCallback means DefaultPriority.
    TFunctionProc FindFunction(Integer FunctionID, TFunctionPriority PriorityCallback = nullptr) const;
    void Rebind(Integer FunctionID, TFunctionPriority PriorityCallback = nullptr);
    void RebindAll(TFunctionPriority PriorityCallback = nullptr);

    Integer ItemCount() const { return static_cast<Integer>(FItems.size()); }
    Integer BindingCount() const { return static_cast<Integer>(FBindings.size()); }

private:
    struct TBindingInfo {
        Integer FunctionID;
        void* BindVariable;
        void (*Store)(void* Var, TFunctionProc Proc);
    };
    void AddProc(Integer FunctionID, TFunctionProc Proc, TCPUFeatures CPUFeatures, Integer Flags);

    std::vector<std::unique_ptr<TFunctionInfo>> FItems;
    std::vector<std::unique_ptr<TBindingInfo>> FBindings;
    String FName;
};

// Every registry made by NewFunctionRegistry, in order of creation; it owns them
// and frees them (last to first) when the program ends.
const std::vector<std::unique_ptr<TFunctionRegistry>>& FunctionRegistries();
TFunctionRegistry* NewFunctionRegistry(const String& Name);

// 0 when the processor has every set the implementation needs, else UnusablePriority.
Integer DefaultPriority(const TFunctionInfo& Info);

// Test switch: rebinds every registry as if the processor had only the sets in
// Allowed (of those it really has), so that each variant of a routine can be
// run and compared with the portable one. NoCpuFeatures binds the portable forms.
void BindForCpuFeatures(TCPUFeatures Allowed);
// Rebinds every registry for the processor as it is (the start-up binding).
void BindForProcessor();
