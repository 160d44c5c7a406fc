// The files the packs carry, written from the tool's pictures: JPEG through
// libjpeg-turbo, PNG through libpng, 24-bit BMP through the runtime's BMP
// writer and the raster engine's own stream (a top-down 32-bit BMP). JPEG and
// BMP have no alpha: flatten the picture first. Fixed settings and no
// timestamps, so the same picture gives the same bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "Raster.h"

namespace Files {

std::vector<uint8_t> EncodeJpeg(const Kit::TImage& Image, int Quality);
std::vector<uint8_t> EncodePng(const Kit::TImage& Image, bool Alpha);
// Onto white where the picture is not opaque.
std::vector<uint8_t> EncodeBmp24(const Kit::TImage& Image);
std::vector<uint8_t> EncodeBitmap32(const Kit::TImage& Image);

}  // namespace Files
