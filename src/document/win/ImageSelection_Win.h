// ImageSelection_Win: the selection object's marching-ants timer on the
// user-interface thread's timer window. Windows only.
#pragma once

#include "document/ImageSelection.h"

// Sets ImageSelectionHooks; InstallImageDrawHooks calls it.
void InstallImageSelectionHooks();
