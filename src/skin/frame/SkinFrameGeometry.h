// SkinFrameGeometry: the window frame of a skinned form for its current size:
// where the skin's frame picture puts the client area, caption, caption
// buttons, sizing zones and mask strips once the form is wider or taller than
// the picture, the default frame drawn without a skin, the form's size limits,
// the three hit tests and the shape of the window region. Portable: the form
// component (win/SkinForm) fills the inputs from its form and turns the
// results into window messages and regions.
#pragma once

#include <memory>
#include <vector>

#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/Types.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/SFSkinData.h"
#include "skin/model/SFTypes.h"

// The platform's hit-test codes the frame answers.
constexpr Integer sfhtClient = 1;
constexpr Integer sfhtCaption = 2;
constexpr Integer sfhtLeft = 10;
constexpr Integer sfhtRight = 11;
constexpr Integer sfhtTop = 12;
constexpr Integer sfhtTopLeft = 13;
constexpr Integer sfhtTopRight = 14;
constexpr Integer sfhtBottom = 15;
constexpr Integer sfhtBottomLeft = 16;
constexpr Integer sfhtBottomRight = 17;
constexpr Integer sfhtObject = 19;

// The window states in the framework's order (wsNormal, wsMinimized, wsMaximized).
enum TsfFormWindowState : Byte { sfwsNormal, sfwsMinimized, sfwsMaximized };

// What the layout reads and writes of one frame object. The frame objects
// derive from it; the layout sees only this part.
enum class TsfFrameObjectKind : Byte { Other, StdButton, Animate, Caption, MainMenuItem };
struct TsfFrameObjectPlace {
    TsfFrameObjectKind Kind = TsfFrameObjectKind::Other;
    TStdCommand Command = cmDefault;  // of a standard button or an animation
    bool Visible = true;
    bool SkinRectInAPicture = true;
    bool RollUp = false;  // shown in the rolled-up state (client mode)
    TRect SkinRect;       // in the frame picture
    TRect ObjectRect;     // in the window, for the current size
};
using TsfFrameObjectList = std::vector<TsfFrameObjectPlace*>;

// What SetFormRegion puts on the window.
enum class TsfFormRegionKind : Byte {
    Remove,     // no region: the whole window
    Rectangle,  // (0, 0, RegionWidth, RegionHeight)
    Strips,     // NewMaskRectArea joined with the four mask strips
    WholeMask,  // the mask picture at its own size
};

class TsfFrameGeometry {
public:
    TsfFrameGeometry();
    ~TsfFrameGeometry();
    TsfFrameGeometry(const TsfFrameGeometry&) = delete;
    TsfFrameGeometry& operator=(const TsfFrameGeometry&) = delete;

    // ---- Inputs, set by the form component before it asks.
    // The loaded skin, or null (no skin, or an empty one).
    void SetSkin(const TsfSkinContent* ASkin);
    const TsfSkinContent* Skin() const { return FSkin; }
    bool SkinLoaded() const { return FSkin != nullptr; }
    // The skin's pictures changed in place (a new skin in the same model).
    void SkinChanged();

    bool SupportNCArea = true;      // the frame in the non-client area (NC mode)
    bool ToolWindow = false;        // border style bsToolWindow or bsSizeToolWin
    bool Sizeable = true;           // IsSizeAble
    bool RollUpState = false;
    TsfFormWindowState WindowState = sfwsNormal;      // applied
    TsfFormWindowState WindowStateInit = sfwsNormal;  // requested
    Integer MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    TSize MonitorSize;              // the nearest monitor (work area, or whole with MaximizeOnFullScreen)
    bool NCDraggAble = true;
    bool ShowIcon = false;
    TSize IconSize{16, 16};         // the system's small-icon size
    Integer QuickButtonCount = 0;   // shown only with an image list: 0 without one
    Integer QuickImageWidth = 0;
    bool LayerBorderFull = false;   // a layered full border is in use
    bool ObjectHot = false;         // an object is under the mouse (ActiveObject <> -1)
    bool SizeMove = false;          // inside a move or size loop
    Integer FormWidth = 0, FormHeight = 0;

    // ---- Results for the current size.
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect, NewCaptionRect, NewButtonsRect;
    Integer NewButtonsOffset = 0;
    bool NewButtonsInLeft = false;
    TPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    TRect NewMaskRectArea, NewIconRect, NewMainMenuRect;
    TRect SizeGripArea;
    TRect NewDefCaptionRect;

    // The frame picture's size (W0 x H0); 0 x 0 without a skin.
    Integer PictureWidth() const;
    Integer PictureHeight() const;
    // The skin's pictures in the skin library's layout (empty without a skin
    // or when the skin lacks them).
    const TsfBitmap& FramePicture() const { return *FFrame; }
    const TsfBitmap& InActivePicture() const { return *FInActive; }
    const TsfBitmap& MaskPicture() const { return *FMask; }
    bool HasMask() const { return !FMask->Empty(); }
    // A skin frame in NC mode: a skin whose client rectangle is not empty.
    bool HasSkinFrame() const;
    bool HasSkinFrameGeometry() const;

    // ---- Layout.
    void CalcFrameRects();
    TRect ConvertSkinRect(const TRect& R) const;
    TRect CalcAreaRect(const TRect& R, bool UseAnchors, bool AnchorLeft, bool AnchorTop, bool AnchorRight,
                       bool AnchorBottom) const;
    // Every object's ObjectRect, the size grip and (NC mode) the caption-button row.
    void CalcObjectRects(const TsfFrameObjectList& Objects);
    // The default frame: caption bar and the standard buttons right to left.
    void CalcDefRects(const TsfFrameObjectList& Objects);
    Integer DefCaptionHeight() const { return ToolWindow ? 15 : 19; }
    Integer DefButtonSize() const { return ToolWindow ? 13 : 17; }
    // The window rectangle R shrunk to the client area of the skin or the default frame.
    TRect CalcNCClientRect(const TRect& R) const;
    bool IsObjectInRollUpState(bool ARollUp) const;
    // Where the default frame's caption text starts between L and R.
    static Integer DefCaptionTextX(Integer L, Integer R, Integer TextWidth);

    // ---- Size limits.
    Integer GetMinWidth() const;
    Integer GetMinHeight() const;
    Integer GetMaxWidth() const;
    Integer GetMaxHeight() const;

    // ---- Hit tests (P in window coordinates; client coordinates in client mode).
    Integer CalcNCHitTest(const TPoint& P, const TsfFrameObjectList& Objects) const;
    Integer CalcDefHitTest(const TPoint& P) const;
    Integer CalcClientHitTest(const TPoint& P) const;
    bool PointInCaption(const TPoint& P, const TsfFrameObjectList& Objects) const;
    bool PointNearFrameEdge(const TPoint& P) const;
    bool PointInMaskArea(const TPoint& P) const;

    // ---- Window region.
    // The mask cut like the frame into four strips for the current size.
    void UpdateMask();
    const TsfBitmap& RMTop() const { return *FRMTop; }
    const TsfBitmap& RMBottom() const { return *FRMBottom; }
    const TsfBitmap& RMLeft() const { return *FRMLeft; }
    const TsfBitmap& RMRight() const { return *FRMRight; }
    void ClearMaskStrips();
    // What the region should be. Skinnable: the form is framed by the skin at
    // all; BorderNone: border style bsNone; PlainRect: a maximised MDI child.
    TsfFormRegionKind FormRegionKind(bool Skinnable, bool BorderNone, bool PlainRect, bool AUpdateMask) const;
    struct TStripPlace {
        const TsfBitmap* Strip;
        Integer X, Y;
    };
    // The four strips and where they go (only those with pixels).
    std::vector<TStripPlace> MaskStripPlaces() const;

private:
    TsfFrameObjectPlace* FindCaptionButton(const TsfFrameObjectList& Objects, TStdCommand C, bool StdOnly) const;
    TSize ButtonSize(const TsfFrameObjectPlace* B) const;
    Integer SizingCode(const TPoint& P) const;

    const TsfSkinContent* FSkin = nullptr;
    // Never null; an empty bitmap stands for a missing picture.
    std::unique_ptr<TsfBitmap> FFrame, FInActive, FMask;
    std::unique_ptr<TsfBitmap> FRMTop, FRMBottom, FRMLeft, FRMRight;
};
