// ImageSelection_Win: the selection object's platform services: the
// marching-ants timer on the user-interface thread's timer window, and the
// size label written with the target bitmap's font. Windows only.
#pragma once

#include "document/ImageSelection.h"

// Sets ImageSelectionHooks; InstallImageDrawHooks calls it.
void InstallImageSelectionHooks();
