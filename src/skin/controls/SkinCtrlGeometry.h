// SkinCtrlGeometry: the resizable geometry every skinned control copies from
// its description: the corner points, skin and client rectangles, how they
// move when the control has another size than its skin rectangle, and the
// control's image built from the skin picture at that size. The windowed and
// windowless skinned control bases (win/SkinCtrls) inherit it; it is kept
// apart so that it is tested without a window. Portable.
#pragma once

#include <vector>

#include "skin/model/SFSkinData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/SFUtils.h"

// Src of Picture (one state picture of description D) drawn over the whole of
// B as a nine-slice: D's corner points and client rectangle moved by the size
// difference, every band stretched. The resizable buttons of other controls
// are drawn this way. Nothing without a picture or with an empty B.
void CreateDescriptionImage(TsfBitmap* B, const TsfBitmap* Picture, const TsfDataSkinCustomControl& D,
                            const TRect& Src);

class TsfSkinCtrlGeometry {
public:
    virtual ~TsfSkinCtrlGeometry() = default;

    // The description's corner points, in skin-rectangle coordinates.
    TPoint LTPt, RTPt, LBPt, RBPt;
    TRect SkinRect;
    TRect ClRect;
    // The same for the control's current size (CalcGeometrySize).
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    // Entries of the skin's pictures, not owned; nullptr when the index is -1 or outside the list.
    TsfBitmap* Picture = nullptr;
    TsfBitmap* MaskPicture = nullptr;
    // -1 empty skin rectangle, 0 fixed size, 1 nine-slice, 2 horizontal, 3 vertical.
    Integer ResizeMode = 0;
    bool StretchEffect = false;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    TsfStretchType StretchType = sfstFull;

    // From the corner points and the skin rectangle.
    Integer GetResizeMode() const;
    // Copies the description CtrlList[Index] of SD (Index valid). A description
    // of another class than the nine-slice one gives ResizeMode 0, no
    // pictures and no skin rectangle (so it fixes no size); else the geometry, the pictures (the mask only when UseMask)
    // and the description's cursor number into CursorIndex.
    void LoadDescription(const TsfSkinData* SD, Integer Index, Integer& CursorIndex, bool UseMask);
    // The new-size geometry for W x H, correcting W and H where the mode fixes
    // them; nothing without a description (InUse false) or with mode -1.
    void CalcGeometrySize(bool InUse, Integer& W, Integer& H);
    // R (skin-rectangle coordinates) mapped onto a control of W x H.
    void CalcRect(const TRect& R, TRect& NR, Integer W, Integer H) const;
    // SkinR of SkinPicture drawn into B for a control of W x H by the mode
    // (mode 1 only when not ForceBackground). Nothing without a picture.
    void CreateSkinControlImage(TsfBitmap* B, const TsfBitmap* SkinPicture, const TRect& SkinR, Integer W,
                                Integer H, bool ForceBackground) const;
    // Where the border-strip paint puts copies of the client piece (ClRect of
    // the picture) inside NewClRect: one stretched rectangle, a row, a column
    // or a grid of tiles. Empty when either rectangle has no area: a skin with
    // an empty client rectangle leaves the client area as it is.
    std::vector<TRect> ClientPieceRects() const;
    // RealClientLeft, ... of the controls: NewClRect.
    Integer RealClientWidth() const { return RectWidth(NewClRect); }
    Integer RealClientHeight() const { return RectHeight(NewClRect); }
    Integer RealClientLeft() const { return NewClRect.Left; }
    Integer RealClientTop() const { return NewClRect.Top; }
};
