// The start-up of a test or benchmark program: the installs of the libraries
// it links, in the order the program's Application->Initialize makes them.
// Compiled into each program, so the LM_HAS_* flags its libraries pass on
// (see their CMakeLists.txt) say which installs exist.
#include "TestStartup.h"

#if defined(LM_HAS_RASTER_ENGINE)
#include "Component/Raster32/Ras32_Startup.h"
#endif
#if defined(LM_HAS_FILTERS)
#include "filters/FiltersStartup.h"
#endif
#if defined(LM_HAS_RASTER_PLATFORM)
#include "Component/Raster32/win/Ras32_GDI.h"
#endif
#if defined(LM_HAS_IMAGE_CONTROLS)
#include "Component/Raster32/win/Ras32_Image.h"
#endif
#if defined(LM_HAS_MEDIA_PACK_PLATFORM)
#include "foundation/win/HyMediaPack_Win.h"
#endif

void InstallTestProgram()
{
#if defined(LM_HAS_RASTER_ENGINE)
    InstallRasterEngine();
#endif
#if defined(LM_HAS_FILTERS)
    InstallFilters();
#endif
#if defined(LM_HAS_RASTER_PLATFORM)
    InstallRasterPlatform();
#endif
#if defined(LM_HAS_IMAGE_CONTROLS)
    InstallImageControls();
#endif
#if defined(LM_HAS_MEDIA_PACK_PLATFORM)
    InstallMediaPackPlatform();
#endif
}
