// Window regions from skin masks: the region data of the portable builders
// turned into platform regions.
#pragma once

#include <windows.h>

#include "skin/model/SFSkinImage.h"

// Rgn = the region of the mask's black pixels; nullptr for an empty mask.
void CreateRgnFromMask(HRGN& Rgn, const TsfBitmap* Mask);
// The window region of a frame resized to W x H from its mask: the new client
// rectangle joined with the regions of the mask's four resized border strips.
// nullptr (the window is not clipped) when the new corners cross or the new
// client rectangle has no area.
void CreateSkinRegion(HRGN& Rgn, TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT,
                      TPoint NLB, TPoint NRB, TRect NCL, const TsfBitmap* Mask, Integer W, Integer H);
