#include "filters/FiltersStartup.h"

#include <mutex>

#include "Component/Raster32/Ras32_Startup.h"
#include "filters/HSLRows.h"
#include "filters/HueSaturationRows.h"
#include "filters/Ras32_BlendModes.h"
#include "filters/Ras32_Convolution.h"
#include "filters/Ras32_Filters.h"
#include "filters/SharpenLib32.h"

void InstallFilters()
{
    static std::once_flag Once;
    std::call_once(Once, [] {
        InstallRasterEngine();
        RegisterFilterBindings();
        RegisterConvolutionBindings();
        RegisterSharpenBindings();
        RegisterBlendModeBindings();
        RegisterHSLRowBindings();
        RegisterHueSaturationBindings();
    });
}
