#include "Component/Raster32/Ras32_Bindings.h"

namespace {

// Freed at exit in reverse order of creation; bound variables keep their values.
struct TRegistryList {
    std::vector<std::unique_ptr<TFunctionRegistry>> Items;
    ~TRegistryList()
    {
        while (!Items.empty()) Items.pop_back();
    }
};

TRegistryList& Registries()
{
    static TRegistryList List;
    return List;
}

TCPUFeatures GAllowedFeatures = 0xFF;

Integer AllowedPriority(const TFunctionInfo& Info)
{
    TCPUFeatures Usable = GetCpuFeatures() & GAllowedFeatures;
    return (Info.CPUFeatures & ~Usable) == 0 ? 0 : UnusablePriority;
}

}  // namespace

void TFunctionRegistry::Clear()
{
    FItems.clear();
    FBindings.clear();
}

void TFunctionRegistry::AddProc(Integer FunctionID, TFunctionProc Proc, TCPUFeatures CPUFeatures, Integer Flags)
{
    FItems.push_back(std::make_unique<TFunctionInfo>(TFunctionInfo{FunctionID, Proc, CPUFeatures, Flags}));
}

TFunctionProc TFunctionRegistry::FindFunction(Integer FunctionID, TFunctionPriority PriorityCallback) const
{
    if (!PriorityCallback) PriorityCallback = DefaultPriority;
    Integer Best = UnusablePriority;
    TFunctionProc Result = nullptr;
    // From the last added to the first, replacing only on a strictly better
    // priority: of equal ones the last added wins.
    for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
        const TFunctionInfo& Info = **it;
        if (Info.FunctionID != FunctionID) continue;
        Integer P = PriorityCallback(Info);
        if (P < Best) {
            Best = P;
            Result = Info.Proc;
        }
    }
    return Result;
}

void TFunctionRegistry::Rebind(Integer FunctionID, TFunctionPriority PriorityCallback)
{
    for (auto& Binding : FBindings)
        if (Binding->FunctionID == FunctionID)
            Binding->Store(Binding->BindVariable, FindFunction(FunctionID, PriorityCallback));
}

void TFunctionRegistry::RebindAll(TFunctionPriority PriorityCallback)
{
    for (auto& Binding : FBindings)
        Binding->Store(Binding->BindVariable, FindFunction(Binding->FunctionID, PriorityCallback));
}

const std::vector<std::unique_ptr<TFunctionRegistry>>& FunctionRegistries() { return Registries().Items; }

TFunctionRegistry* NewFunctionRegistry(const String& Name)
{
    auto Registry = std::make_unique<TFunctionRegistry>();
    Registry->SetName(Name);
    Registries().Items.push_back(std::move(Registry));
    return Registries().Items.back().get();
}

Integer DefaultPriority(const TFunctionInfo& Info)
{
    return (Info.CPUFeatures & ~GetCpuFeatures()) == 0 ? 0 : UnusablePriority;
}

void BindForCpuFeatures(TCPUFeatures Allowed)
{
    GAllowedFeatures = Allowed;
    for (auto& Registry : Registries().Items) Registry->RebindAll(AllowedPriority);
}

void BindForProcessor()
{
    GAllowedFeatures = 0xFF;
    for (auto& Registry : Registries().Items) Registry->RebindAll(nullptr);
}
