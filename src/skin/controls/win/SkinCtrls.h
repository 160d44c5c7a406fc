// SkinCtrls: the bases of every skinned control. A skinned control ties itself
// to a loaded skin (TsfSkinData) by the name of a description and paints
// through an off-screen skin bitmap: the skin look when the skin has the
// description, else the built-in look. TsfSkinControl (windowed) and
// TsfGraphicSkinControl (windowless) hold the lookup and the paint pipeline;
// TsfSkinCustomControl and TsfGraphicSkinCustomControl add the resizable
// geometry of the description (SkinCtrlGeometry), the default size and font of
// the built-in look and, windowed, the window region made from the mask.
// IsfSkinnedControl is what the frame's skin dispatch sees of any of them.
#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "framework/controls/win/Controls.h"
#include "framework/controls/win/ImgList.h"
#include "skin/controls/SkinCtrlGeometry.h"
#include "skin/model/SFMessages.h"
#include "skin/model/SFSkinData.h"

// What every skinned class offers the form's skin component: it walks a
// form's controls and switches each to a new skin through this.
class IsfSkinnedControl {
public:
    virtual TsfSkinData* SkinData() const = 0;
    virtual void SetSkinData(TsfSkinData* Value) = 0;
    virtual const String& SkinDataName() const = 0;
    virtual void SetSkinDataName(const String& Value) = 0;
    // While the old skin is still loaded (drop what points into it).
    virtual void BeforeChangeSkinData() = 0;
    // After the new skin is in place.
    virtual void ChangeSkinData() = 0;
    virtual TControl* SkinnedControl() = 0;

protected:
    ~IsfSkinnedControl() = default;
};

// The skinned class behind a control, or nullptr.
IsfSkinnedControl* AsSkinnedControl(TControl* Control);
// Every skinned control among Root's descendants, parents before their
// children, in z-order.
void CollectSkinnedControls(TWinControl* Root, std::vector<IsfSkinnedControl*>& List);
// Tells every child of Parent that its background changed: WM_PARENTBGCHANGED
// sent to a windowed child's window, performed on a windowless one.
void CheckControlsBackground(TWinControl* Parent);

// A colour as an opaque skin-bitmap pixel (system colours resolved).
TsfColor SkinColorOf(TColor Color);
// Rectangle R of Picture drawn into Dst at (X, Y), 1:1. Transparent: the
// pixels of the key colour are left out, the key being the piece's own
// bottom-left pixel when KeyColor is clNone. Nothing without a picture or area.
void DrawSkinPiece(TsfBitmap* Dst, Integer X, Integer Y, const TsfBitmap* Picture, const TRect& R,
                   bool Transparent = false, TColor KeyColor = clNone);
// The charset of the skin's interface strings for Font, when the skin has them
// (the font keeps its own otherwise).
void SetSkinCharset(TFont* Font, TsfSkinData* SD);
// The skin's colour for a role (cBtnFace ...), or Default without a skin.
TColor SkinRoleColor(TsfSkinData* SD, TColor (TsfSkinColors::*Role)() const, TColor Default);
// Rectangle Src of a button description's picture P resized into the whole of
// Face (which has its size) as the description resizes: corners kept, the
// bands between them stretched or tiled.
void DrawResizedButtonFace(TsfBitmap* Face, const TsfDataSkinButtonControl* D, const TsfBitmap* P, const TRect& Src);
// Copies S of Picture into B at (X, Y), leaving out the pixels of Key.
void DrawKeyed(TsfBitmap* B, const TsfBitmap* Picture, const TRect& S, Integer X, Integer Y, TColor Key);
// The button description Name of SD built to the whole of B (9-slice), in its
// down, hot or normal look; Color: that look's font colour. False without
// such a description or picture.
bool DrawSkinButtonPicture(TsfSkinData* SD, TsfBitmap* B, const String& Name, bool Down, bool MouseIn, TColor& Color);

// The part the windowed and windowless skinned controls share: TBase is
// TCustomControl or TGraphicControl. Not used on its own.
template <class TBase>
class TsfSkinControlCommon : public TBase, public IsfSkinnedControl {
public:
    explicit TsfSkinControlCommon(TComponent* AOwner);
    ~TsfSkinControlCommon() override;

    TsfSkinData* SkinData() const override { return FSD; }
    // Stores; a loaded skin (not Empty) outside design time is applied at once.
    void SetSkinData(TsfSkinData* Value) override;
    const String& SkinDataName() const override { return FSkinDataName; }
    // Stores only: the next paint or skin change picks it up.
    void SetSkinDataName(const String& Value) override { FSkinDataName = Value; }
    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;
    TControl* SkinnedControl() override { return this; }

    const String& AreaName() const { return FAreaName; }
    void SetAreaName(const String& Value) { FAreaName = Value; }
    bool DrawDefault() const { return FDrawDefault; }
    void SetDrawDefault(bool Value);
    bool AlphaBlend() const { return FAlphaBlend; }
    virtual void SetAlphaBlend(bool Value);
    Byte AlphaBlendValue() const { return FAlphaBlendValue; }
    virtual void SetAlphaBlendValue(Byte Value);
    bool UseSkinCursor() const { return FUseSkinCursor; }
    void SetUseSkinCursor(bool Value) { FUseSkinCursor = Value; }
    const String& HintTitle() const { return FHintTitle; }
    void SetHintTitle(const String& Value) { FHintTitle = Value; }
    Integer HintImageIndex() const { return FHintImageIndex; }
    void SetHintImageIndex(Integer Value) { FHintImageIndex = Value; }
    TCustomImageList* HintImageList() const { return FHintImageList; }
    void SetHintImageList(TCustomImageList* Value);
    // The description's index in the skin's CtrlList, -1 without one.
    Integer SkinIndex() const { return FIndex; }
    // Looks the description up (-1 for a nil or empty skin, or a name it lacks).
    virtual void GetSkinData();

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Skin cursor number of this control, -1 for none.
    Integer CursorIndex = -1;

protected:
    // The two looks, drawn into B (already of the control's size).
    virtual void CreateControlDefaultImage(TsfBitmap* B) { (void)B; }
    virtual void CreateControlSkinImage(TsfBitmap* B) { (void)B; }
    // WM_PARENTBGCHANGED: a blending control repaints (and a windowed one
    // passes the message on to its children); others do nothing.
    virtual void CheckParentBackground();
    // The pipeline: the look into an off-screen bitmap, then copied, or blended
    // over what lies behind the control.
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    bool Designing() const { return (this->ComponentState() & csDesigning) != 0; }
    // The control's look composed off screen (without blending) into B.
    void DrawLook(TsfBitmap* B);
    // With UseSkinCursor: the skin's cursor of CursorIndex, the default one for -1.
    void ApplySkinCursor();

    TsfSkinData* FSD = nullptr;
    String FAreaName;
    String FSkinDataName;
    bool FDrawDefault = true;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 200;
    bool FUseSkinCursor = false;
    String FHintTitle;
    Integer FHintImageIndex = 0;
    TCustomImageList* FHintImageList = nullptr;
    Integer FIndex = -1;
};

extern template class TsfSkinControlCommon<TCustomControl>;
extern template class TsfSkinControlCommon<TGraphicControl>;

// A windowed skinned control.
class TsfSkinControl : public TsfSkinControlCommon<TCustomControl> {
public:
    using inherited = TsfSkinControlCommon<TCustomControl>;
    explicit TsfSkinControl(TComponent* AOwner);
    ~TsfSkinControl() override;
    String ClassName() const override { return u"TsfSkinControl"; }

protected:
    void WMPaint(TWMPaint& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMMove(TMessage& Message) override;

    // True while the inherited WM_PAINT handling runs.
    bool FromWMPaint = false;
    // The window region set on the window; the system owns it once set, so it
    // is never deleted here (0 when none).
    HRGN FRgn = nullptr;
};

// A windowless skinned control.
class TsfGraphicSkinControl : public TsfSkinControlCommon<TGraphicControl> {
public:
    using inherited = TsfSkinControlCommon<TGraphicControl>;
    explicit TsfGraphicSkinControl(TComponent* AOwner);
    ~TsfGraphicSkinControl() override;
    String ClassName() const override { return u"TsfGraphicSkinControl"; }
};

// The part the two resizable bases share: TBase is TsfSkinControl or
// TsfGraphicSkinControl. Not used on its own.
template <class TBase>
class TsfSkinCustomCommon : public TBase, public TsfSkinCtrlGeometry {
public:
    explicit TsfSkinCustomCommon(TComponent* AOwner);
    ~TsfSkinCustomCommon() override;

    // Font of the built-in look: "Arial", no style, height 14.
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    // The size taken without a description (0 keeps the size).
    Integer DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(Integer Value);
    Integer DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(Integer Value);

    void GetSkinData() override;
    void ChangeSkinData() override;
    // A description in use corrects the size asked (a fixed skin keeps its
    // skin size, a horizontal one its height, a vertical one its width).
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    // The new-size geometry for AWidth x AHeight, correcting them where the skin fixes them.
    virtual void CalcSize(Integer& AWidth, Integer& AHeight);
    // R in skin-rectangle coordinates mapped onto the current size.
    void CalcRect(const TRect& R, TRect& NR) const;

protected:
    virtual void OnDefaultFontChange() {}
    // The window region from the mask (windowed controls only).
    virtual void SetControlRegion() {}
    // clBtnFace over the client rectangle.
    void CreateControlDefaultImage(TsfBitmap* B) override;
    // Picture's SkinRect at the control's size.
    void CreateControlSkinImage(TsfBitmap* B) override;
    // SkinR of SkinPicture at the control's size, by ResizeMode (other state
    // pictures of the same geometry use other rectangles).
    void CreateSkinControlImage(TsfBitmap* B, const TsfBitmap* SkinPicture, const TRect& SkinR);
    // Whether the border strips and the client area are painted apart (windowed only).
    virtual bool ForceBackground() const { return false; }

    Integer FDefaultWidth = 0;
    Integer FDefaultHeight = 0;
    std::unique_ptr<TFont> FDefaultFont;
    bool FUseSkinFont = true;

private:
    void DefaultFontChange(TObject* Sender);
};

extern template class TsfSkinCustomCommon<TsfSkinControl>;
extern template class TsfSkinCustomCommon<TsfGraphicSkinControl>;

// A windowed skinned control with the resizable geometry and the mask region.
class TsfSkinCustomControl : public TsfSkinCustomCommon<TsfSkinControl> {
public:
    using inherited = TsfSkinCustomCommon<TsfSkinControl>;
    explicit TsfSkinCustomControl(TComponent* AOwner);
    ~TsfSkinCustomControl() override;
    String ClassName() const override { return u"TsfSkinCustomControl"; }

protected:
    // The region from the mask for the current size; removed without a mask.
    void SetControlRegion() override;
    void Paint() override;
    void CreateWnd() override;
    bool ForceBackground() const override { return FForceBackground; }

    // Paint the border strips and the client area apart (the list box does).
    bool FForceBackground = false;
    // In that mode, fill the client area from the picture too.
    bool FDrawbackground = true;

private:
    void PaintBorderStrips();
};

// A windowless skinned control with the resizable geometry.
class TsfGraphicSkinCustomControl : public TsfSkinCustomCommon<TsfGraphicSkinControl> {
public:
    using inherited = TsfSkinCustomCommon<TsfGraphicSkinControl>;
    explicit TsfGraphicSkinCustomControl(TComponent* AOwner);
    ~TsfGraphicSkinCustomControl() override;
    String ClassName() const override { return u"TsfGraphicSkinCustomControl"; }
};
