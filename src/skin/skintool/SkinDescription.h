// The description of a skin: the model (TsfSkinData) filled with the drawn
// pictures, the frame geometry, the window and colour sections and every
// control and frame-object description, made through the model's factories.
// The model's own writers turn it into the INI text. Pieces are referred to by
// name (SkinArt).
#pragma once

#include "SkinArt.h"
#include "skin/model/SFSkinData.h"

void DescribeSkin(const TSkinTheme& Theme, const TSkinArt& Art, TsfSkinData& Skin);
