// SkinClientModeCore: the arithmetic of a form whose skin is drawn in its
// client area (client mode): the form's size against the skin picture, the
// roll-up picture's size and the frame objects' places on it. Portable: the
// form component (win/SkinForm_ClientMode) applies the results.
#pragma once

#include "framework/runtime/Types.h"

// The client size a skin change gives: a 9-slice skin only grows the client
// to the picture (nothing when both minimums are set); a fixed skin makes it
// exactly the picture. Sizeable says whether the form stays sizeable.
struct TsfClientFit {
    bool Change = false;
    Integer Width = 0, Height = 0;
    bool FixedSize = false;  // the form is no longer sizeable
};
TsfClientFit FitClientToPicture(bool NineSlice, bool MinWidthSet, bool MinHeightSet, Integer ClientW, Integer ClientH,
                                Integer PictureW, Integer PictureH);

// The roll-up picture is stretchable between LeftX and RightX when LeftX < RightX.
struct TsfRollUpPlace {
    bool Stretch = false;
    Integer Width = 0, Height = 0;  // the rolled-up form
    Integer D = 0;                  // how much wider than the picture
};
TsfRollUpPlace RollUpPlace(Integer FormW, Integer PictureW, Integer PictureH, Integer LeftX, Integer RightX);
// A roll-up object's rectangle on the rolled-up form: moved right by D when
// it starts at or right of RightX; widened by D when it spans from at or left
// of LeftX to at or right of RightX; else as in the skin.
TRect RollUpObjectRect(const TRect& SkinRect, Integer D, Integer LeftX, Integer RightX);
