// SkinPanels: the skinned panel (background from the skin's "panel"
// description, an optional caption bar with a check mark, an image and a
// roll-up arrow, rolling up to the caption, a transparent and a group-box
// look, a background picture of the skin), the panel with a paint event, and
// the status bar with its size grip. State and geometry: SkinPanelCore.
#pragma once

#include "framework/controls/win/ImgList.h"
#include "skin/controls/SkinPanelCore.h"
#include "skin/controls/win/SkinCtrls.h"

enum TsfImagePosition : Byte { sfipDefault, sfipLeft };

class TsfSkinPanel : public TsfSkinCustomControl {
public:
    using inherited = TsfSkinCustomControl;
    explicit TsfSkinPanel(TComponent* AOwner);
    ~TsfSkinPanel() override;
    String ClassName() const override { return u"TsfSkinPanel"; }

    bool RibbonStyle() const { return FRibbonStyle; }
    void SetRibbonStyle(bool Value);
    TsfImagePosition ImagePosition() const { return FImagePosition; }
    void SetImagePosition(TsfImagePosition Value);
    bool TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(bool Value);
    TCustomImageList* CaptionImageList() const { return FCaptionImageList; }
    void SetCaptionImageList(TCustomImageList* Value);
    Integer CaptionImageIndex() const { return FCaptionImageIndex; }
    void SetCaptionImageIndex(Integer Value);
    // The height before rolling up, -1 when not rolled up.
    Integer RealHeight() const { return FRollUp.RealHeight(); }
    void SetRealHeight(Integer Value) { FRollUp.SetRealHeight(Value); }
    bool AutoEnabledControls() const { return FAutoEnabledControls; }
    void SetAutoEnabledControls(bool Value) { FAutoEnabledControls = Value; }
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    bool Checked() const { return FChecked; }
    // Fires OnChecked on every assignment, the same value too.
    void SetChecked(bool Value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    Integer NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(Integer Value);
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    Integer DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(Integer Value);
    TsfSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TsfSkinBorderStyle Value);
    bool CaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool Value);
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool Value);
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    void SetAlphaBlend(bool Value) override;
    void SetAlphaBlendValue(Byte Value) override;

    // (0, 0, Width, Height) through AdjustClientRect.
    TRect GetSkinClientRect();
    void DoRollUp(bool ARollUp);
    // Where the caption answers clicks for the current size.
    const TRect& CaptionRectNow() const { return NewCaptionRect; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TNotifyEvent OnChecked;
    TNotifyEvent OnChangeRollUpState;

protected:
    // Drawn on the off-screen canvas before it goes to the screen (transparent looks).
    virtual void PanelPaint(TCanvas* Canvas) { (void)Canvas; }
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AdjustClientRect(TRect& Rect) override;
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void WMMove(TMessage& Message) override;
    void CheckParentBackground() override;
    void CMTextChanged(TMessage& Message) override;

    // The caption's font: the description's with UseSkinFont, else DefaultFont.
    void SetCaptionFont(TCanvas* C);
    void DrawSkinCaption(TsfBitmap* B, TRect R);
    void DrawCaptionImage(TCanvas* C, Integer X, Integer Y);
    Integer CaptionImageWidth();
    Integer CaptionImageHeight();
    void PaintTransparent(TsfBitmap* B);
    void PaintGroupBox(TsfBitmap* B);
    void PaintBody(TsfBitmap* B);
    void PaintPicture(TsfBitmap* B, TsfBitmap* Picture, Integer W, Integer H);

    bool FUseSkinSize = true;
    bool FRibbonStyle = false;
    bool FInChangingRollUp = false;
    TsfImagePosition FImagePosition = sfipDefault;
    bool FTransparentMode = false;
    Integer FCMaxWidth = 0, FCMinWidth = 0, FCMaxHeight = 0, FCMinHeight = 0;
    bool FCheckedMode = false;
    bool FChecked = false;
    bool FAutoEnabledControls = true;
    std::unique_ptr<TBitmap> FGlyph;
    Integer FNumGlyphs = 1;
    Integer FSpacing = 2;
    TsfSkinPanelRollUp FRollUp;
    bool FRollUpState = false, FRollUpMode = false, FCaptionMode = false;
    TsfSkinBorderStyle FBorderStyle = TsfSkinBorderStyle::bvFrame;
    Integer FDefaultCaptionHeight = 22;
    TAlignment FDefaultAlignment = taLeftJustify;
    TCustomImageList* FCaptionImageList = nullptr;
    Integer FCaptionImageIndex = -1;
    bool FShowCaption = false;
    // Copies of the description.
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0;
    TAlignment Alignment = taCenter;
    TRect CaptionRect;
    TRect NewCaptionRect;
    Integer BGPictureIndex = -1;
    TRect CheckImageRect, UnCheckImageRect, MarkFrameRect, FrameRect;
    Integer FrameLeftOffset = 0, FrameRightOffset = 0;
    TRect FrameTextRect;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0xFF00FF;
};

using TsfPaintPanelEvent = TEvent<TObject* /*Sender*/, TCanvas* /*Cnvs*/, TRect /*R*/>;

// A panel whose OnPanelPaint draws into its off-screen image.
class TsfSkinPaintPanel : public TsfSkinPanel {
public:
    using inherited = TsfSkinPanel;
    explicit TsfSkinPaintPanel(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinPaintPanel"; }
    TsfPaintPanelEvent OnPanelPaint;

protected:
    void PanelPaint(TCanvas* Canvas) override;
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void WMEraseBkgnd(TMessage& Message) override;
};

// A bottom-aligned panel with a size grip.
class TsfSkinStatusBar : public TsfSkinPanel {
public:
    using inherited = TsfSkinPanel;
    explicit TsfSkinStatusBar(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinStatusBar"; }
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    bool ShowGrip() const { return FShowGrip; }
    void SetShowGrip(bool Value);
    // The children that are skinned controls take the same skin.
    void SetSkinData(TsfSkinData* Value) override;
    // The grip's rectangle in client coordinates (empty without a grip).
    TRect GripRect();

protected:
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void WMNCHitTest(TMessage& Message) override;

private:
    bool HasGripperPicture() const;
    void DrawGrip(TCanvas* C);
    bool FSizeGrip = false;
    bool FShowGrip = true;
};
