// The stock pictures, each made by code from a name. The pack tables in
// resources/media name them in cell 14 of their rows.
#pragma once

#include <map>
#include <string>

#include "Raster.h"

namespace Stock {

using Kit::TImage;

// A small landscape photograph (sky, sun, hills, a lake) of any size, the
// picture inside the frame previews.
TImage Landscape(int W, int H);

// Effect scene pictures: "sunshine", "sunny", "droplet", "heart", "snow", "star".
TImage Scene(const std::string& Name);
// The sample picture of a first run: a landscape of 800 x 600.
TImage SamplePicture();
// The watermark sample: a badge with a camera and "SAMPLE" on transparency.
TImage WatermarkSample();

// Fill patterns, seamless tiles.
TImage Pattern(const std::string& Name);

// Brush styles: black paints, white does not.
TImage BrushStyle(const std::string& Name);
// The 32 x 32 tip shown in the brush list: the style in dark grey on transparency.
TImage BrushTip(const TImage& Style);
// The 32 x 32 previews of the shadow and reflection pickers.
TImage EffectIcon(const std::string& Name);

// Frame previews of frame packs 0 and 1 (78 x 66, on white): "pad<mode>", "band<mode>".
TImage FramePreview(const std::string& Name);
// Tiles of the layered frames (frame pack 2), Size pixels square.
TImage FrameTile(const std::string& Name, int Size);
// The mask pictures of frame pack 3: dark where the frame colour shows.
TImage FrameMask(const std::string& Name);

// Clip-art pictures (128 x 128, transparent).
TImage Clipart(const std::string& Name);

}  // namespace Stock
