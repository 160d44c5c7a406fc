// Shared by the benchmarks with libvips as a peer: a result written into
// memory that the caller keeps from run to run, as our destination bitmaps are.
#pragma once

#include <vips/vips.h>

#include <cstdint>
#include <vector>

// Computes Result into Out (resized to fit) and releases Result; false on an error.
inline bool VipsWriteInto(VipsImage* Result, std::vector<uint8_t>& Out)
{
    Out.resize(VIPS_IMAGE_SIZEOF_IMAGE(Result));
    VipsImage* Memory =
        vips_image_new_from_memory(Out.data(), Out.size(), Result->Xsize, Result->Ysize, Result->Bands, Result->BandFmt);
    const int Failed = vips_image_write(Result, Memory);
    g_object_unref(Memory);
    g_object_unref(Result);
    return Failed == 0;
}
