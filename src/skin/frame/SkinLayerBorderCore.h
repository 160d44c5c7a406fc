// SkinLayerBorderCore: the arithmetic of the layered border, the frame that a
// skin may draw outside the form in up to four layered windows: the frame's
// rectangle for the form, the four pieces' sizes and places, which sizing
// zone a point is in, one step of a resize by drag, and the fade-in's alpha
// steps. Portable: win/SkinLayerBorder builds the pictures and the windows.
#pragma once

#include <vector>

#include "framework/runtime/Types.h"

class TsfDataSkinLayerFrame;
class TsfBitmap;

enum TsfFormLayerBorderType { sfflLeft, sfflTop, sfflRight, sfflBottom };

// Hit codes of the border windows.
enum TsfLayerHit : Integer {
    lhNone = 0, lhLeft, lhTop, lhRight, lhBottom, lhTopLeft, lhTopRight, lhBottomLeft, lhBottomRight, lhCaption,
    lhObject
};

struct TsfLayerBorderGeometry {
    // From the description and its picture (PicW x PicH).
    Integer PicW = 0, PicH = 0;
    Integer LeftSize = 0, TopSize = 0, RightSize = 0, BottomSize = 0;  // the sizing band outside the form
    Integer HitTopLeftX = 0, HitTopLeftY = 0, HitTopRightX = 0, HitTopRightY = 0;
    Integer HitBottomLeftX = 0, HitBottomLeftY = 0, HitBottomRightX = 0, HitBottomRightY = 0;
    Integer HitTestSize = 0;
    bool Sliced = true;  // RBPoint (0, 0): one window with the whole picture
    Integer TopH = 0, BottomH = 0, LeftW = 0, RightW = 0;  // the pieces' thickness in the picture

    void Init(const TsfDataSkinLayerFrame& D, Integer APicW, Integer APicH);
    // The frame around a form at FormRect (screen), FormH instead of its height when not 0 (rolled up).
    TRect FrameRect(const TsfDataSkinLayerFrame& D, const TRect& FormRect, Integer RolledUpHeight = 0) const;
    // Heights of the top and bottom pieces for a frame H high (the bottom cut when they overlap).
    Integer TopHeight(Integer H) const;
    Integer BottomHeight(Integer H) const;
    // The four windows' rectangles for the frame F (empty for a side of no height).
    TRect PieceRect(TsfFormLayerBorderType T, const TRect& F) const;
    // The sizing zone of the screen point P over window T of the frame F
    // around the form FormRect (no full border; Sizeable: the form can be sized now).
    TsfLayerHit HitTest(TsfFormLayerBorderType T, const TRect& F, const TRect& FormRect, const TPoint& P,
                        bool Sizeable) const;
};

// One step of a resize by dragging zone Hit by (DX, DY) from the form's
// bounds B; MinW/MinH/MaxW/MaxH the form's limits (Max 0: none). The cursor
// Cursor must have reached the outer HitTestSize band of the frame F for an
// outward move. Returns the new bounds (B when nothing applies).
TRect LayerResizeStep(TsfLayerHit Hit, const TRect& B, Integer DX, Integer DY, Integer MinW, Integer MinH,
                      Integer MaxW, Integer MaxH, const TRect& F, const TPoint& Cursor, Integer HitTestSize);

// The fade-in's constant alphas from 0 to Target: steps of max(1, Target div 15), the last one to Target.
std::vector<Integer> LayerFadeSteps(Integer Target);
// The constant alpha in force for a form alpha (0..255): round(Value x FormAlpha / 255).
Integer LayerAlphaFor(Integer Value, Integer FormAlpha);

// Where the desktop's blur shows behind window T of a frame W x H (only with
// composition): the band between the layer frame's IntersectBlurMaskRect and
// ExcludeBlurMaskRect (both stretched with the frame: their right and bottom
// edges move by the frame's extra width and height; an empty outer rectangle
// is the whole frame, an empty inner one excludes nothing), less the black
// pixels of BlurMask (the frame picture's size, else unused) in the four
// corner pieces cut at the corner points, the right ones shifted by the extra
// width and the bottom ones by the extra height. Rectangles in the window's
// own coordinates, one band of equal rows at a time (empty: no blur).
std::vector<TRect> LayerBlurRects(const TsfDataSkinLayerFrame& D, const TsfLayerBorderGeometry& G,
                                  const TsfBitmap* BlurMask, TsfFormLayerBorderType T, Integer W, Integer H);

// Where a full border puts the caption and its buttons on the top window
// (top-image coordinates). Buttons: the sizes of the visible caption buttons
// the skin has, in the order close, maximise, minimise, roll-up, minimise to
// tray; they go leftwards from the right end of the caption area (or of the
// skin's buttons rectangle), ButtonsOffset apart. SysMenu: the size of the
// system menu button, empty for none; IconHidden: the form shows no icon.
struct TsfFullBorderCaption {
    TRect Caption;
    std::vector<TRect> Buttons;
    TRect SysMenu;
};
TsfFullBorderCaption LayoutFullBorderCaption(const TsfDataSkinLayerFrame& D, Integer PicW, Integer TopW,
                                             const std::vector<TPoint>& Buttons, Integer ButtonsOffset,
                                             TPoint SysMenu, bool IconHidden);
