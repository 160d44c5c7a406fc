// SkinObjects: the objects a skin draws on a form's frame besides the frame
// picture: the base (normal, hot, inactive and morphing looks, glow, mouse
// routed to the component's events), the user-drawn object, skin buttons,
// caption buttons with their commands and restore looks, and the caption with
// its text. The form component (win/SkinForm) keeps them in its object list,
// lays them out through their place (TsfFrameObjectPlace), draws them into the
// frame strips and hands them the mouse; the arithmetic is in
// skin/frame/SkinObjectsCore.
#pragma once

#include <memory>

#include "framework/controls/win/Controls.h"
#include "framework/controls/win/Menus.h"
#include "skin/frame/SkinFrameGeometry.h"
#include "skin/frame/SkinObjectsCore.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/SFObjectData.h"

class TsfSkinForm;
class TsfSkinData;

// Rectangle R of P stretched (nearest pixel) into D of the context DC.
void CopySkinPart(HDC DC, const TRect& D, const TsfBitmap* P, const TRect& R);

class TsfActiveSkinObject;
// A caption button's command on the form component (close, maximise, minimise,
// roll up, to the tray); Glow, when given, hides its glow before a state change.
// False for the commands that open a menu or belong to the application.
bool RunCaptionCommand(TsfSkinForm* P, TStdCommand Command, TsfActiveSkinObject* Glow);
// A caption button of that command shows its restore look now.
bool CaptionCommandMeansRestore(const TsfSkinForm* P, TStdCommand Command);

class TsfActiveSkinObject : public TObject, public TsfFrameObjectPlace {
public:
    // AData may be null (an object of the default frame, or a test's own).
    explicit TsfActiveSkinObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData = nullptr);
    String ClassName() const override { return u"TsfActiveSkinObject"; }

    // Whether an object-relative point counts as on the object.
    virtual bool InMask(Integer X, Integer Y);
    virtual void ShowLayer();
    virtual void HideLayer();
    // Per-pixel-alpha images and drawing for a layered border; nothing here.
    virtual void InitAlphaImages() {}
    virtual void DrawAlpha(TCanvas*, TsfBitmap*) {}
    // Draws the object on a canvas in window coordinates. UpDate: drawn alone
    // over a frame already on the screen (False: as part of a full frame
    // painting, whose picture already shows the normal look).
    virtual void Draw(TCanvas* Cnvs, bool UpDate);
    virtual void DblClick() {}
    virtual void MouseDown(Integer X, Integer Y, TMouseButton Button);
    virtual void MouseUp(Integer X, Integer Y, TMouseButton Button);
    virtual void MouseMove(Integer X, Integer Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool CanMorphing();

    bool EnableMorphing();
    void DoMorphing();
    void Redraw();
    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double Value);

    TsfSkinForm* Parent;
    bool FMouseIn = false;
    const TsfBitmap* Picture = nullptr;
    const TsfBitmap* ActivePicture = nullptr;
    const TsfBitmap* ActiveMaskPicture = nullptr;
    TsfSkinData* SD = nullptr;
    String IDName;
    String Hint;
    TRect ActiveSkinRect;  // empty without an active picture
    TRect InActiveSkinRect;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    bool Active = false;
    bool Enabled = true;
    Integer CursorIndex = -1;
    Integer GlowLayerPictureIndex = -1;
    Integer GlowLayerMaskPictureIndex = -1;
    Integer GlowLayerOffsetX = 0;
    Integer GlowLayerOffsetY = 0;
    Integer GlowLayerAlphaBlendValue = 255;

protected:
    bool SkinLoaded() const;
    // The object's rectangle on the screen (where a glow or a menu goes); OnLayerBorder:
    // on the top window of a full layered border while that carries the frame objects.
    TRect ScreenRect(bool OnLayerBorder = true) const;
    // R of P copied into ObjectRect.
    void CopyLook(TCanvas* Cnvs, const TsfBitmap* P, const TRect& R) const;
    // The normal look (NormalRect of NormalPic) morphed towards HotRect of ActivePicture by FMorphKf.
    void DrawMorph(TCanvas* Cnvs, const TsfBitmap* NormalPic, const TRect& NormalRect, const TRect& HotRect) const;
    // Two object-sized looks morphed by FMorphKf, drawn at ObjectRect's top-left.
    void DrawMorphOf(TCanvas* Cnvs, TsfBitmap& Normal, TsfBitmap& Hot) const;
    bool MorphInProgress();
    // The glow on the given layer manager.
    void ShowGlowOn(class TsfLayerManager* M, bool OnLayerBorder = true);
    void HideGlowOn(class TsfLayerManager* M);
    double FMorphKf = 0;
};

// An object the application draws in the component's OnPaintEvent.
class TsfUserObject : public TsfActiveSkinObject {
public:
    using TsfActiveSkinObject::TsfActiveSkinObject;
    String ClassName() const override { return u"TsfUserObject"; }
    void Draw(TCanvas* Cnvs, bool UpDate) override;
};

// A skin button: a pressed look, a group whose buttons latch one at a time, a
// menu that opens under it, a disabled look.
class TsfSkinButtonObject : public TsfActiveSkinObject {
public:
    TsfSkinButtonObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData);
    String ClassName() const override { return u"TsfSkinButtonObject"; }
    void ShowLayer() override;
    void HideLayer() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    bool CanMorphing() override;
    void MouseDown(Integer X, Integer Y, TMouseButton Button) override;
    void MouseUp(Integer X, Integer Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void SetDown(bool Value);
    bool Down() const { return FDown; }
    void ShowButtonMenu();
    void ReleaseGroupObjects();

    bool FDown = false;
    bool FPopupUp = false;
    TRect DownRect;
    TRect DisableSkinRect;
    Integer GroupIndex = -1;
    TMenuItem* MenuItem = nullptr;  // not owned

protected:
    bool HasMenu() const { return MenuItem && MenuItem->Count() > 0; }
};

// A caption button: a command carried out on release, restore looks and hint,
// and the plain look of the default frame.
class TsfSkinStdButtonObject : public TsfSkinButtonObject {
public:
    TsfSkinStdButtonObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData);
    String ClassName() const override { return u"TsfSkinStdButtonObject"; }
    bool InMask(Integer X, Integer Y) override;
    void ShowLayer() override;
    void HideLayer() override;
    bool CanMorphing() override;
    // Its looks with the alpha of their masks, for a layered border.
    void InitAlphaImages() override;
    // The look of the moment blended (per-pixel alpha) into ObjectRect of ABitMap.
    void DrawAlpha(TCanvas* Cnvs, TsfBitmap* ABitMap) override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DblClick() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(Integer X, Integer Y, TMouseButton Button) override;
    void MouseUp(Integer X, Integer Y, TMouseButton Button) override;

    void DefaultDraw(TCanvas* Cnvs);
    void ExecuteCommand();
    // The button shows its restore look and hint now.
    bool MeansRestore() const;
    // A system-menu button showing the form's icon.
    bool IsIconButton() const;

    bool FSkinSupport = false;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
    String RestoreHint;
    String FTempHint;
    Integer AlphaMaskPictureIndex = -1;
    Integer AlphaMaskActivePictureIndex = -1;
    Integer AlphaMaskInActivePictureIndex = -1;
    // Null until InitAlphaImages, and for a look the skin does not give.
    std::unique_ptr<TsfBitmap> FAlphaNormalImage, FAlphaActiveImage, FAlphaDownImage, FAlphaRestoreNormalImage,
        FAlphaRestoreActiveImage, FAlphaRestoreDownImage, FAlphaInActiveImage, FAlphaInActiveRestoreImage;

private:
    bool FAlphaImagesReady = false;
};

// The caption: the form's caption text in the skin's font, colours and
// effects over the caption's own active and inactive backgrounds.
class TsfSkinCaptionObject : public TsfActiveSkinObject {
public:
    TsfSkinCaptionObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData);
    String ClassName() const override { return u"TsfSkinCaptionObject"; }
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    // The text (and quick buttons) drawn opaque into ABitMap over a background that keeps its alpha.
    void DrawAlpha(TCanvas* Cnvs, TsfBitmap* ABitMap) override;
    void MouseDown(Integer X, Integer Y, TMouseButton Button) override;
    void MouseUp(Integer X, Integer Y, TMouseButton Button) override;
    void MouseMove(Integer X, Integer Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

    bool EnableAnimation() const;
    void SimpleSetTextValue(const String& Value) { FTextValue = Value; }
    void SetTextValue(const String& Value);
    const String& TextValue() const { return FTextValue; }
    // The text rectangle on the form (window coordinates) for the current place.
    TRect TextRectOnForm() const;

    Integer ActiveQuickButton = -1, OldActiveQuickButton = -1;
    Integer MouseCaptureQuickButton = -1, PopupMenuQuickButton = -1;
    String FontName;
    TFontStyles FontStyle = 0;
    Integer FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taLeftJustify;
    TRect TextRct;
    bool DefaultCaption = false;
    TRect FrameRect, ActiveFrameRect;
    Integer FrameLeftOffset = 0, FrameRightOffset = 0;
    TRect FrameTextRect;
    TColor LightColor = 0, ActiveLightColor = 0;
    bool Light = false;
    bool StretchEffect = false;
    TsfCaptionAnimation Animation;  // FIncTime and CurrentFrame
    TRect AnimateSkinRect;
    Integer FrameCount = 0, AnimateInterval = 0;
    bool InActiveAnimation = false;
    bool FullFrame = false;
    bool VistaGlowEffect = false, VistaGlowInActiveEffect = false;
    bool GlowEffect = false, GlowInActiveEffect = false;
    Integer GlowSize = 0;
    TColor GlowColor = 0, GlowActiveColor = 0;
    Integer GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0, ReflectionActiveColor = 0;
    Integer ReflectionOffset = 0;
    TRect DividerRect, InActiveDividerRect;
    bool DividerTransparent = false;
    TColor DividerTransparentColor = 0;
    Integer QuickButtonAlphaMaskPictureIndex = -1;

private:
    // The text in the look asked for; OnTop: drawn straight on the frame (moved by the object's place).
    void DrawCaptionText(TCanvas* Cnvs, const TRect& TR, bool AActive, bool OnTop);
    void SetCaptionFont(TCanvas* Cnvs, bool AActive);
    // The object-sized background of skin rectangle S in picture P.
    void MakeBackground(TsfBitmap& B, const TRect& S, const TsfBitmap* P, bool Horizontal) const;
    String FTextValue;
    // The alpha pass of DrawAlpha: every text layer in white, the frame picture a white block.
    bool FWhiteText = false;
};
