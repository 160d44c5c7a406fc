// ImageControlLayer_Win: the control layer's platform drawing on the view's
// back buffer (a TBitmap32): the focus frame and the size label's text.
#pragma once

#include "document/ImageControlLayer.h"

// Installs them as ControlLayerHooks. Called once at start-up
// (InstallImageDrawHooks).
void InstallControlLayerHooks();
