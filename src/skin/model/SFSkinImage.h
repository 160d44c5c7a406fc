// The skin-image builders: a rectangle cut from a skin picture resized to the
// size of the thing on screen (nine-slice, three-slice, the border strips on
// their own), the strips of a resized mask, and the region data of a mask's
// black pixels. Portable: they work on skin bitmaps; the regions themselves are
// made through the platform in win/SFSkinRegion_Win.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/runtime/Types.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/SFTypes.h"

// One tile of a piece of length d laid from s towards e: its start and the
// length kept (the last one is cut at e).
struct TsfTileSpan {
    Integer Pos = 0;
    Integer Len = 0;
    friend bool operator==(const TsfTileSpan&, const TsfTileSpan&) = default;
};

// The tiles of a piece of length D from S up to E. A piece of no length gives
// no tiles (counting them would divide by zero); so does E < S. Only the tiles
// that reach into Lo..Hi (the destination's extent) are listed.
std::vector<TsfTileSpan> SkinTileSpans(Integer S, Integer E, Integer D, Integer Lo = INT32_MIN,
                                       Integer Hi = INT32_MAX);

// The platform's rectangle copy: Src's rectangle S to Dst's rectangle D, scaled
// (nearest pixel) when the sizes differ; nothing outside either picture or
// outside Clip is touched.
void SkinCopyRect(TsfBitmap* Dst, const TRect& D, const TsfBitmap* Src, const TRect& S);
void SkinCopyRect(TsfBitmap* Dst, const TRect& D, const TsfBitmap* Src, const TRect& S, const TRect& Clip);

void CreateSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT, TPoint NLB,
                     TPoint NRB, TRect NCL, TsfBitmap* B, const TsfBitmap* SB, TRect R, Integer W, Integer H,
                     bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch,
                     bool StretchEffect, TsfStretchType StretchType);
// The same result as CreateSkinImage (the hint and popup windows call this one).
void CreateSkinImage2(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT, TPoint NLB,
                      TPoint NRB, TRect NCL, TsfBitmap* B, const TsfBitmap* SB, TRect R, Integer W, Integer H,
                      bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch,
                      bool StretchEffect, TsfStretchType StretchType);
// B keeps its size; CL's corners are the corner points, every band stretched.
void CreateStretchImage(TsfBitmap* B, const TsfBitmap* SB, TRect R, TRect CL, bool DrawClient);
// Horizontal three-slice: B becomes W x height of R (H is not used).
void CreateHSkinImage(Integer LO, Integer RO, TsfBitmap* B, const TsfBitmap* SB, TRect R, Integer W, Integer H,
                      bool Stretch);
// Vertical three-slice: B becomes width of R x H (W is not used).
void CreateVSkinImage(Integer TO, Integer BO, TsfBitmap* B, const TsfBitmap* SB, TRect R, Integer W, Integer H,
                      bool Stretch);
void CreateSkinBorderImages(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT,
                            TPoint NLB, TPoint NRB, TRect NCL, TsfBitmap* LeftB, TsfBitmap* TopB,
                            TsfBitmap* RightB, TsfBitmap* BottomB, const TsfBitmap* SB, TRect R, Integer W,
                            Integer H, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch);
// The four border strips of a mask (a whole picture of the frame) resized to W x H.
void CreateSkinMask(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT, TPoint NLB,
                    TPoint NRB, TRect NCL, const TsfBitmap* Mask, TsfBitmap* TopM, TsfBitmap* LeftM,
                    TsfBitmap* RightM, TsfBitmap* BottomM, Integer W, Integer H);

// Region data (the platform's RGNDATA layout: a 32-byte header, then 16-byte
// rectangles) of the mask's black pixels moved by X, Y: one rectangle per run
// of black pixels in a row, in scan order. Returns the size written to Data;
// 0 for an empty mask, Data untouched. The run list grows as needed.
size_t MaskToRgnData(const TsfBitmap* Mask, Integer X, Integer Y, std::vector<uint8_t>& Data);
