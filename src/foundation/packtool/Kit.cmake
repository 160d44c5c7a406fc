# The drawing kit of the build tools (MakeStockContent, MakeSkins): the
# pictures are the raster engine's bitmaps, drawn by Raster.cpp, filtered by
# the filters and written by PictureFiles.cpp through the build machine's
# libjpeg-turbo and libpng and the runtime's BMP writer. Included by the
# tools' project (cmake/hosttools) with `src` set to the repository's src
# folder; sets LM_KIT_SOURCES (the kit, the raster engine's portable units with
# their vector forms and the filters; the portable runtime they stand on is a
# library of its own there) and LM_KIT_DIR.
set(LM_KIT_DIR ${CMAKE_CURRENT_LIST_DIR})
set(kit_raster Ras32_System Ras32_Bindings Ras32_Types Ras32_LowLevel Ras32_Math Ras32_Blend Ras32_Blend_SSE2
    Ras32_Blend_AVX2 Ras32 Ras32_Lines Ras32_Backends Ras32_Backends_Generic Ras32_Containers Ras32_OrdinalMaps
    Ras32_VectorMaps Ras32_Transforms Ras32_Resamplers Ras32_Resamplers_SSE2 Ras32_Rasterizers Ras32_Startup
    Ras32_MicroTiles Ras32_MicroTiles_SSE2)
list(TRANSFORM kit_raster PREPEND ${src}/Component/Raster32/)
list(TRANSFORM kit_raster APPEND .cpp)
file(GLOB kit_filters CONFIGURE_DEPENDS ${src}/filters/*.cpp)
set(LM_KIT_SOURCES
  ${LM_KIT_DIR}/Raster.cpp
  ${LM_KIT_DIR}/PictureFiles.cpp
  ${kit_raster}
  ${kit_filters}
  ${src}/document/base/ViDuza.cpp
  ${src}/framework/graphics/BmpFormat.cpp
  ${src}/framework/graphics/ColorQuantizer.cpp
  ${src}/framework/runtime/ZLibStreams.cpp)
