#include "Component/Raster32/Ras32_Startup.h"

#include <mutex>

#include "Component/Raster32/Ras32_Blend.h"
#include "Component/Raster32/Ras32_LowLevel.h"
#include "Component/Raster32/Ras32_MicroTiles.h"
#include "Component/Raster32/Ras32_Resamplers.h"
#include "Component/Raster32/Ras32_System.h"
#include "Component/Raster32/Ras32_Transforms.h"
#include "Component/Raster32/Ras32_Types.h"

void InstallRasterEngine()
{
    static std::once_flag Once;
    std::call_once(Once, [] {
        // The processor first: every registry binds by its features.
        DetectCpuFeatures();
        BuildGammaCurve(0.7f);
        RegisterLowLevelBindings();
        RegisterBlendBindings();
        RegisterTransformsBindings();
        RegisterMicroTilesBindings();
        StartResamplers();
    });
}
