// SkinButtons: the skinned buttons. TsfSkinSpeedButton is the windowless tool
// button (flat or not, grouped, checked, repeating, with a glyph strip or an
// image list, a colour strip and a small arrow); TsfSkinButton is the windowed
// push button of the dialogs (focus, Space and Enter, the default and cancel
// roles, a modal result and a glow layer while the mouse is over it). Their
// state machine and timers are the portable TsfSkinButtonCore; these classes
// turn messages into its calls and draw the looks it names.
#pragma once

#include <memory>

#include "framework/controls/ActnList.h"
#include "framework/controls/win/Forms.h"
#include "skin/controls/SkinButtonCore.h"
#include "skin/controls/SkinColorCore.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/controls/win/SkinMenuHooks.h"
#include "skin/model/win/SFLayerManager.h"
#include "skin/model/win/SFUtils_Win.h"

// OnPaint of every skinned button: R is the content rectangle; a handler that
// clears DrawDefault suppresses the caption and image.
using TsfButtonPaintEvent = TEvent<TObject* /*Sender*/, TCanvas* /*Cnvs*/, const TRect& /*R*/, bool /*ADown*/,
                                   bool /*AMouseIn*/, bool& /*DrawDefault*/>;

// What the tool and push buttons share; TBase is TsfGraphicSkinCustomControl
// or TsfSkinCustomControl. Not used on its own.
template <class TBase>
class TsfSkinButtonCommon : public TBase, protected TsfButtonHost {
public:
    explicit TsfSkinButtonCommon(TComponent* AOwner, TsfButtonKind Kind);
    ~TsfSkinButtonCommon() override;

    TsfSkinButtonCore& Core() { return FCore; }
    const TsfButtonSkinLook& Look() const { return FCore.Look; }

    bool Down() const { return FCore.Down(); }
    virtual void SetDown(bool Value) { FCore.SetDown(Value); }
    Integer GroupIndex() const { return FCore.GroupIndex(); }
    virtual void SetGroupIndex(Integer Value) { FCore.SetGroupIndex(Value); }
    bool AllowAllUp() const { return FCore.AllowAllUp(); }
    void SetAllowAllUp(bool Value) { FCore.SetAllowAllUp(Value); }
    bool CheckedMode() const { return FCore.CheckedMode(); }
    void SetCheckedMode(bool Value) { FCore.SetCheckedMode(Value); }
    bool RepeatMode() const { return FCore.RepeatMode(); }
    void SetRepeatMode(bool Value) { FCore.SetRepeatMode(Value); }
    Integer RepeatInterval() const { return FCore.RepeatInterval(); }
    void SetRepeatInterval(Integer Value) { FCore.SetRepeatInterval(Value); }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value);
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool Value);

    // A strip of NumGlyphs glyphs (a copy is kept).
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    Integer NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(Integer Value);
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);
    Integer ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(Integer Value);
    Integer Margin() const { return FMargin; }
    void SetMargin(Integer Value);
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer Value);
    TsfButtonLayout Layout() const { return FLayout; }
    void SetLayout(TsfButtonLayout Value);
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);
    // The images menu whose selected item the button shows (nil: none).
    TsfSkinImagesMenuLink* SkinImagesMenu() const { return FSkinImagesMenu; }
    void SetSkinImagesMenu(TsfSkinImagesMenuLink* Value);
    bool UseImagesMenuImage() const { return FUseImagesMenuImage; }
    void SetUseImagesMenuImage(bool Value);
    bool UseImagesMenuCaption() const { return FUseImagesMenuCaption; }
    void SetUseImagesMenuCaption(bool Value);

    // Mouse-in and down cleared, the morph and animation back at rest, repaint.
    void RefreshButton() { FCore.Refresh(); }
    // Runs the click: OnClick, or the linked action.
    virtual void ButtonClick() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcSize(Integer& AWidth, Integer& AHeight) override;

    TsfButtonPaintEvent OnPaint;

protected:
    // The look of one state drawn into B: the picture R at the button's size,
    // then the caption and image in the content rectangle.
    virtual void CreateButtonImage(TsfBitmap* B, const TRect& R, bool ADown, bool AMouseIn);
    // The same when the button does not take its skin's size.
    void CreateStretchButtonImage(TsfBitmap* B, const TRect& R, bool ADown, bool AMouseIn);
    // The paint pipeline's two looks: the face of the state from the skin, or the built-in face.
    void CreateControlSkinImage(TsfBitmap* B) override;
    void CreateControlDefaultImage(TsfBitmap* B) override;
    // The caption font, its colour, the focus rectangle (push button), OnPaint and the content in CR.
    void DrawFace(TCanvas* C, const TRect& CR, bool ADown, bool AMouseIn);
    // The face of the current state (or the morph between the normal and hot
    // looks) into B, of the control's size.
    void ComposeFace(TsfBitmap* B);
    // Whether the look comes from the skin (a description with a picture).
    bool SkinLook() const;
    // Caption and image in R with the state: the images menu's item, the image
    // list's image or the glyph of the state.
    void DrawContent(TCanvas* C, const TRect& R, bool ADown, bool AMouseIn);
    // The caption drawn with the content.
    virtual String ContentCaption() { return this->Caption(); }
    // Whether the image list's image is shown rather than the glyph.
    virtual bool ShowsListImage() const { return FGlyph->Empty() && FImageList; }
    // The colour strip (tool buttons only).
    virtual bool MarkerShown() const { return false; }
    virtual TColor MarkerValue() const { return 0; }
    // Font of the skin look (with UseSkinFont) or DefaultFont, with the skin's charset.
    void SetButtonFont(TCanvas* C);
    // The state of the built-in look.
    bool DownShown() const { return FCore.StateFace().Picture == TsfButtonPicture::Down; }
    // Whether the images menu has an item to show.
    bool ImagesMenuShows() const;

    // TsfButtonHost
    TsfButtonEnv ButtonEnv() const override;
    void RepaintButton() override { this->Invalidate(); }

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    // Whether the button may answer its accelerator now.
    virtual bool CanAnswerAccelerator();
    // The release's own handling (the push button skips it for a hidden or lost window).
    virtual bool RunsInheritedMouseUp() { return true; }
    virtual bool FocusedNow() const { return false; }

    TsfSkinButtonCore FCore;
    bool FUseSkinSize = true;
    bool FUseSkinFontColor = true;
    std::unique_ptr<TBitmap> FGlyph;
    Integer FNumGlyphs = 1;
    TCustomImageList* FImageList = nullptr;
    Integer FImageIndex = 0;
    Integer FMargin = -1;
    Integer FSpacing = 1;
    TsfButtonLayout FLayout = blGlyphLeft;
    TBasicAction* FAction = nullptr;
    TsfSkinImagesMenuLink* FSkinImagesMenu = nullptr;
    bool FUseImagesMenuImage = false;
    bool FUseImagesMenuCaption = false;
};

extern template class TsfSkinButtonCommon<TsfGraphicSkinCustomControl>;
extern template class TsfSkinButtonCommon<TsfSkinCustomControl>;

// The windowless tool button.
class TsfSkinSpeedButton : public TsfSkinButtonCommon<TsfGraphicSkinCustomControl> {
public:
    using inherited = TsfSkinButtonCommon<TsfGraphicSkinCustomControl>;
    explicit TsfSkinSpeedButton(TComponent* AOwner);
    ~TsfSkinSpeedButton() override;
    String ClassName() const override { return u"TsfSkinSpeedButton"; }
    void Loaded() override;

    bool Flat() const { return FCore.Flat(); }
    void SetFlat(bool Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    Integer WidthWithCaption() const { return FWidthWithCaption; }
    void SetWidthWithCaption(Integer Value) { FWidthWithCaption = Value; }
    Integer WidthWithoutCaption() const { return FWidthWithoutCaption; }
    void SetWidthWithoutCaption(Integer Value) { FWidthWithoutCaption = Value; }
    bool DrawColorMarker() const { return FDrawColorMarker; }
    void SetDrawColorMarker(bool Value);
    TColor ColorMarkerValue() const { return FColorMarkerValue; }
    Integer ArrowMode() const { return FArrowMode; }
    void SetArrowMode(Integer Value);
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor Value);
    void SetImageIndex(Integer Value) override;

    // True takes the opaque style off so that the parent shows through.
    virtual void SetTransparentStyle(bool Value) override;
    bool TransparentStyle() const override;

protected:
    void Paint() override;
    void ReleaseGroup() override;
    String ContentCaption() override { return FShowCaption ? Caption() : String(); }
    bool MarkerShown() const override { return FDrawColorMarker; }
    TColor MarkerValue() const override { return FColorMarkerValue; }

    // Set by subclasses (the colour button): the colour of the strip.
    TColor FColorMarkerValue = 0;

private:
    void PaintFlatIdle();
    void PaintArrow();

    bool FShowCaption = true;
    Integer FWidthWithCaption = 0;
    Integer FWidthWithoutCaption = 0;
    bool FDrawColorMarker = false;
    Integer FArrowMode = 0;
    TColor FArrowColor = 0x808080;
};

// The windowed push button.
class TsfSkinButton : public TsfSkinButtonCommon<TsfSkinCustomControl> {
public:
    using inherited = TsfSkinButtonCommon<TsfSkinCustomControl>;
    explicit TsfSkinButton(TComponent* AOwner);
    ~TsfSkinButton() override;
    String ClassName() const override { return u"TsfSkinButton"; }

    bool Default() const { return FCore.Default(); }
    void SetDefault(bool Value);
    bool Cancel() const { return FCore.Cancel(); }
    void SetCancel(bool Value) { FCore.SetCancel(Value); }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    bool CanFocused() const { return FCore.CanFocused(); }
    void SetCanFocused(bool Value);
    void SetGroupIndex(Integer Value) override;
    bool AlwaysShowLayeredFrame() const { return FAlwaysShowGlowFrame; }
    void SetAlwaysShowLayeredFrame(bool Value) { FAlwaysShowGlowFrame = Value; }
    // Set by the form's skin component on its active control: the next morph tick jumps to the end.
    void SetStopAnimate(bool Value) { FCore.SetStopAnimate(Value); }
    TsfLayerManager* LayerManager() const { return FLayerManager; }

    void ButtonClick() override;
    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;
    // The glow window around the button (1424 and 1425 run them).
    void ShowLayer();
    void HideLayer();

protected:
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void Click() override;
    void ReleaseGroup() override;
    // The image list wins over a glyph when it has the image.
    bool ShowsListImage() const override { return HasListImage(FImageList, FImageIndex); }
    void WMEraseBkgnd(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    bool CanAnswerAccelerator() override;
    bool RunsInheritedMouseUp() override;
    bool FocusedNow() const override;

private:
    // The glow picture and mask resized like the button; false when the skin has none that fits.
    bool MakeGlowImages(TBitmap* Image, TBitmap* Mask);
    bool GlowAllowed() const;

    TsfLayerManager* FLayerManager = nullptr;  // owned (a component of this button)
    bool FAlwaysShowGlowFrame = false;
    TModalResult FModalResult = mrNone;
    bool FClicksDisabled = false;
};

// What the menu button and the menu speed button share: a drop-down part
// (the whole button, or its 15-pixel track part in track mode) that opens a
// skinned popup menu and/or an images menu below the button; the button
// stays down until the menu reports that it closed (WM_SKINMENUCLOSE, or the
// images menu's close notification). TBase is TsfSkinSpeedButton or TsfSkinButton.
template <class TBase>
class TsfSkinMenuButtonCommon : public TBase {
public:
    explicit TsfSkinMenuButtonCommon(TComponent* AOwner);
    ~TsfSkinMenuButtonCommon() override;

    TsfSkinPopupMenuLink* SkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TsfSkinPopupMenuLink* Value);
    bool TrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool Value);
    bool MenuTracked() const { return FMenuTracked; }
    // The drop-down part in control coordinates.
    virtual TRect TrackPartRect() const;
    // Whether a press at (X, Y) opens the menu.
    bool InTrackArea(Integer X, Integer Y) const;
    // Opens the menus below the button.
    virtual void TrackMenu();

    TNotifyEvent OnShowTrackMenu;
    TNotifyEvent OnHideTrackMenu;

protected:
    void GetSkinData() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CreateButtonImage(TsfBitmap* B, const TRect& R, bool ADown, bool AMouseIn) override;
    // The menu closed: tracking ends, the button lifts.
    virtual void MenuClosed(bool FromImagesMenu);
    // Whether the cursor is over the button now.
    virtual bool CursorOver();
    // The marker in R: the skin's drop marker picture, or a drawn drop arrow.
    void DrawMarker(TCanvas* C, const TRect& R, bool AFlat, bool ADown, bool AHot, TColor TextColor);
    // Whether the description is one of the resizable button looks (the built-in 15-pixel part).
    bool ResizeLook() const;
    // The resizable looks in track mode: the body and the 15-pixel track part,
    // each resized from the picture of its own state.
    void DrawTrackModeParts(TsfBitmap* B, bool Pressed, bool MouseIn);

    bool FTrackButtonMode = false;
    bool FMenuTracked = false;
    TsfSkinPopupMenuLink* FSkinPopupMenu = nullptr;
    TRect TrackButtonRect;
};

extern template class TsfSkinMenuButtonCommon<TsfSkinSpeedButton>;
extern template class TsfSkinMenuButtonCommon<TsfSkinButton>;

// The windowed push button with a drop-down.
class TsfSkinMenuButton : public TsfSkinMenuButtonCommon<TsfSkinButton> {
public:
    using inherited = TsfSkinMenuButtonCommon<TsfSkinButton>;
    explicit TsfSkinMenuButton(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinMenuButton"; }

protected:
    void WndProc(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
};

enum TsfTrackPosition { sftpRight, sftpBottom };

// The windowless tool button with a drop-down.
class TsfSkinMenuSpeedButton : public TsfSkinMenuButtonCommon<TsfSkinSpeedButton> {
public:
    using inherited = TsfSkinMenuButtonCommon<TsfSkinSpeedButton>;
    explicit TsfSkinMenuSpeedButton(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinMenuSpeedButton"; }

    bool NewStyle() const { return FNewStyle; }
    void SetNewStyle(bool Value);
    TsfTrackPosition TrackPosition() const { return FTrackPosition; }
    void SetTrackPosition(TsfTrackPosition Value);
    // A plain arrow of kind ArrowType (1 left, 2 right, 3 up, 4 down) instead of the marker.
    bool DrawStandardArrow() const { return FDrawStandardArrow; }
    void SetDrawStandardArrow(bool Value, Integer ArrowType);
    TRect TrackPartRect() const override;
    void TrackMenu() override;

protected:
    void Paint() override;
    bool CursorOver() override { return false; }
    void CreateButtonImage(TsfBitmap* B, const TRect& R, bool ADown, bool AMouseIn) override;

private:
    // The new style: the skin's resizable tool button as the body and, while
    // hot in track mode, its own track description for the drop-down strip.
    void CreateNewStyleButtonImage(TsfBitmap* B, bool ADown, bool AMouseIn);
    // Description D's picture of the state resized into R of B.
    void DrawSkinDescription(const TsfDataSkinButtonControl* D, TsfBitmap* B, bool ADown, bool AMouseIn,
                             const TRect& R);
    const TsfDataSkinButtonControl* SkinDescription(const char16_t* Name) const;

    bool FNewStyle = false;
    TsfTrackPosition FTrackPosition = sftpRight;
    bool FDrawStandardArrow = false;
    Integer FArrowType = 4;
};

// The properties of an images menu that a button owning one passes through
// (the graphic and colour buttons). Without a menu they read as the menu's
// defaults and their setters do nothing.
class TsfImagesMenuProperties {
public:
    TComponent* MenuSkinHint() const { return FOwnMenu ? FOwnMenu->MenuSkinHint() : nullptr; }
    void SetMenuSkinHint(TComponent* Value)
    {
        if (FOwnMenu) FOwnMenu->SetMenuSkinHint(Value);
    }
    bool MenuShowHints() const { return Options().ShowHints; }
    void SetMenuShowHints(bool Value) { Change(&TsfImagesMenuOptions::ShowHints, Value); }
    bool MenuUseSkinFont() const { return Options().UseSkinFont; }
    void SetMenuUseSkinFont(bool Value) { Change(&TsfImagesMenuOptions::UseSkinFont, Value); }
    TFont* MenuDefaultFont() const { return FOwnMenu ? FOwnMenu->MenuDefaultFont() : nullptr; }
    // Copies Value.
    void SetMenuDefaultFont(TFont* Value)
    {
        if (FOwnMenu) FOwnMenu->MenuDefaultFont()->Assign(Value);
    }
    bool MenuAlphaBlend() const { return Options().AlphaBlend; }
    void SetMenuAlphaBlend(bool Value) { Change(&TsfImagesMenuOptions::AlphaBlend, Value); }
    Byte MenuAlphaBlendValue() const { return Options().AlphaBlendValue; }
    void SetMenuAlphaBlendValue(Byte Value) { Change(&TsfImagesMenuOptions::AlphaBlendValue, Value); }
    bool MenuAlphaBlendAnimation() const { return Options().AlphaBlendAnimation; }
    void SetMenuAlphaBlendAnimation(bool Value) { Change(&TsfImagesMenuOptions::AlphaBlendAnimation, Value); }

protected:
    ~TsfImagesMenuProperties() = default;
    TsfSkinImagesMenuLink* FOwnMenu = nullptr;  // the owning button's menu

private:
    TsfImagesMenuOptions Options() const { return FOwnMenu ? FOwnMenu->Options() : TsfImagesMenuOptions{}; }
    template <class T>
    void Change(T TsfImagesMenuOptions::*Field, T Value)
    {
        if (!FOwnMenu) return;
        TsfImagesMenuOptions O = FOwnMenu->Options();
        O.*Field = Value;
        FOwnMenu->SetOptions(O);
    }
};
