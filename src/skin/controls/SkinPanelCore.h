// SkinPanelCore: the state and geometry of a skinned panel apart from its
// window: rolling up to the caption and back (each child gets back its own
// visibility), where the caption answers a click, where the children go, the
// status bar's size grip and its hit code, and where a background picture is
// laid. Portable.
#pragma once

#include <map>
#include <vector>

#include "framework/runtime/Types.h"
#include "skin/model/SFTypes.h"


// The hit codes of the size grip.
constexpr Integer SkinHitClient = 1;        // HTCLIENT
constexpr Integer SkinHitBottomRight = 17;  // HTBOTTOMRIGHT

class TsfSkinPanelRollUp {
public:
    // The height before rolling up, -1 when not rolled up.
    Integer RealHeight() const { return FRealHeight; }
    void SetRealHeight(Integer Value) { FRealHeight = Value; }
    bool RolledUp() const { return FRealHeight != -1; }
    // Rolling up from Height: remembers it and each child's own visibility.
    // Returns false (nothing changes) when already rolled up.
    bool RollUp(Integer Height, const std::vector<std::pair<const void*, bool>>& Children);
    // Unrolling: the height to restore (-1 when not rolled up). A child keeps
    // the visibility it had before; one added meanwhile is shown.
    Integer Unroll();
    bool WasVisible(const void* Child) const;

private:
    Integer FRealHeight = -1;
    std::map<const void*, bool> FVisible;
};

// The rolled-up height: the frame without the client area with the skin's
// size, else the caption bar.
Integer PanelRolledHeight(bool SkinSize, Integer Height, const TRect& NewClRect, Integer DefaultCaptionHeight);

// Whether a caption click at P counts: in NewCaptionRect with a description,
// else in (1, 1, Width - 1, DefaultCaptionHeight); edges included.
bool PanelCaptionHit(const TPoint& P, bool HasDescription, const TRect& NewCaptionRect, Integer Width,
                     Integer DefaultCaptionHeight);

// Where the children go (the panel's client rectangle adjusted).
struct TsfPanelClientInput {
    TRect Client;               // the platform's client rectangle
    bool HasDescription = false;
    bool Designing = false;
    bool TransparentMode = false;
    bool CaptionMode = false;
    bool RibbonStyle = false;
    bool UseSkinSize = true;
    TsfSkinBorderStyle BorderStyle = TsfSkinBorderStyle::bvFrame;
    Integer DefaultCaptionHeight = 22;
    Integer CaptionTextHeight = 0;  // of the caption in its font (transparent caption mode)
    Integer BGPictureIndex = -1;
    Integer ResizeMode = 0;
    TRect NewClRect;
};
TRect PanelClientRect(const TsfPanelClientInput& In);

// The size grip of a status bar beside the adjusted client rectangle Client:
// the skin's gripper size when it has one, else a square of the client height.
TRect StatusGripRect(const TRect& Client, bool HasGripperPicture, const TRect& GripperRect);
// The grip's width taken off the client rectangle.
Integer StatusGripWidth(const TRect& Client, bool HasGripperPicture, const TRect& GripperRect);
// SkinHitBottomRight inside Grip (edges included), else SkinHitClient.
Integer StatusGripHitTest(const TPoint& P, const TRect& Grip);

// Where a picture of PW x PH is drawn to cover a W x H panel: stretched over
// it (sfstFull; the whole panel, so no unpainted frame is left around a
// client area), repeated across at the panel's height (sfstHorz) or down at
// its width (sfstVert), or tiled from (0, 0) without StretchEffect. Empty for
// a picture or panel without area.
std::vector<TRect> PanelPictureRects(Integer W, Integer H, Integer PW, Integer PH, bool StretchEffect,
                                     TsfStretchType StretchType);
