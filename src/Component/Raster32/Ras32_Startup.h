// The raster engine's start-up: what its units need before the first bitmap
// is drawn (processor detection, the gamma curve, the bound routines of each
// unit's registry, the resampler and kernel classes). Called by
// Application->Initialize and by every test program's main, before anything
// else of the engine runs; a second call does nothing.
#pragma once

void InstallRasterEngine();
