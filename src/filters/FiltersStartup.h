// The filters' start-up: the raster engine's, then the bound routines of each
// filter unit. Called by Application->Initialize and by every test program's
// main that has the filters; a second call does nothing.
#pragma once

void InstallFilters();
