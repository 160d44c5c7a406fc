// SFWindowData: the descriptions of whole windows (popup menu, layered border,
// hint), the named areas of the window frame and the ten skin colours. Each of
// the window descriptions and the colours reads and writes one fixed section.
// Portable.
#pragma once

#include "skin/model/SFIniCodecs.h"

class TsfDataSkinArea : public TObject {
public:
    TsfDataSkinArea(const String& AIDName, const TRect& ARect, bool AUseAnchors, bool AAnchorLeft, bool AAnchorTop,
                    bool AAnchorRight, bool AAnchorBottom)
        : IDName(AIDName), AreaRect(ARect), UseAnchors(AUseAnchors), AnchorLeft(AAnchorLeft), AnchorTop(AAnchorTop),
          AnchorRight(AAnchorRight), AnchorBottom(AAnchorBottom)
    {
    }
    String ClassName() const override { return u"TsfDataSkinArea"; }

    String IDName;
    TRect AreaRect;
    bool UseAnchors;
    bool AnchorLeft;
    bool AnchorTop;
    bool AnchorRight;
    bool AnchorBottom;
};

// Section "POPUPWINDOW".
class TsfDataSkinPopupWindow : public TObject {
public:
    String ClassName() const override { return u"TsfDataSkinPopupWindow"; }
    void LoadFromFile(const TCustomIniFile* IniFile);
    void SaveToFile(TCustomIniFile* IniFile) const;
    static const TSkinKeys<TsfDataSkinPopupWindow> Keys;

    Integer WindowPictureIndex = -1;
    Integer MaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ItemsRect;
    Integer ScrollMarkerColor = 0;
    Integer ScrollMarkerActiveColor = 0;
    Integer CursorIndex = -1;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TsfStretchType StretchType = sfstFull;
};

// Section "LAYERFRAME". A PictureIndex of -1 means no layered border.
class TsfDataSkinLayerFrame : public TObject {
public:
    String ClassName() const override { return u"TsfDataSkinLayerFrame"; }
    void LoadFromFile(const TCustomIniFile* IniFile);
    void SaveToFile(TCustomIniFile* IniFile) const;
    static const TSkinKeys<TsfDataSkinLayerFrame> Keys;

    Integer PictureIndex = -1;
    Integer MaskPictureIndex = -1;
    Integer InActivePictureIndex = -1;
    Integer InActiveMaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    Integer AlphaBlendValue = 255;
    Integer InActiveAlphaBlendValue = 255;
    TRect BorderRect;
    bool HitTestEnable = false;
    bool FullBorder = false;
    Integer HitTestSize = 0;
    TRect CaptionRect;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TRect ButtonsRect;
    TRect SysMenuButtonRect;
    bool FullStretch = false;
    Integer RollUpFormHeight = 0;
    Integer ButtonsTopOffset = 0;
    Integer SysButtonTopOffset = 0;
    Integer BlurMaskPictureIndex = -1;
    TRect IntersectBlurMaskRect;
    TRect ExcludeBlurMaskRect;
    Integer LeftOffset = 0;
    Integer TopOffset = 0;
    Integer WidthOffset = 0;
    Integer HeightOffset = 0;
};

// Section "HINTWINDOW".
class TsfDataSkinHintWindow : public TObject {
public:
    String ClassName() const override { return u"TsfDataSkinHintWindow"; }
    void LoadFromFile(const TCustomIniFile* IniFile);
    void SaveToFile(TCustomIniFile* IniFile) const;
    static const TSkinKeys<TsfDataSkinHintWindow> Keys;

    Integer WindowPictureIndex = -1;
    Integer MaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;  // the reader's default is 14
    TColor FontColor = 0;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TsfStretchType StretchType = sfstFull;
};

// Section "SKINCOLORS": the colours skinned controls use in place of the system's.
class TsfSkinColors : public TObject {
public:
    String ClassName() const override { return u"TsfSkinColors"; }
    // Writes the ten keys without erasing the section first.
    void LoadFromFile(const TCustomIniFile* IniFile);
    void SaveToFile(TCustomIniFile* IniFile) const;
    // The system colours (0xFF0000nn) of the ten roles.
    void SetColorsToDefault();
    static const TSkinKeys<TsfSkinColors> Keys;

    TColor cBtnFace() const { return FcBtnFace; }
    void SetcBtnFace(TColor Value) { FcBtnFace = Value; }
    TColor cBtnText() const { return FcBtnText; }
    void SetcBtnText(TColor Value) { FcBtnText = Value; }
    TColor cWindow() const { return FcWindow; }
    void SetcWindow(TColor Value) { FcWindow = Value; }
    TColor cWindowText() const { return FcWindowText; }
    void SetcWindowText(TColor Value) { FcWindowText = Value; }
    TColor cHighLight() const { return FcHighLight; }
    void SetcHighLight(TColor Value) { FcHighLight = Value; }
    TColor cHighLightText() const { return FcHighLightText; }
    void SetcHighLightText(TColor Value) { FcHighLightText = Value; }
    TColor cBtnHighLight() const { return FcBtnHighLight; }
    void SetcBtnHighLight(TColor Value) { FcBtnHighLight = Value; }
    TColor cBtnShadow() const { return FcBtnShadow; }
    void SetcBtnShadow(TColor Value) { FcBtnShadow = Value; }
    TColor c3DLight() const { return Fc3DLight; }
    void Setc3DLight(TColor Value) { Fc3DLight = Value; }
    TColor c3DDkShadow() const { return Fc3DDkShadow; }
    void Setc3DDkShadow(TColor Value) { Fc3DDkShadow = Value; }

protected:
    TColor FcBtnFace = 0;
    TColor FcBtnText = 0;
    TColor FcWindow = 0;
    TColor FcWindowText = 0;
    TColor FcHighLight = 0;
    TColor FcHighLightText = 0;
    TColor FcBtnHighLight = 0;
    TColor FcBtnShadow = 0;
    TColor Fc3DLight = 0;
    TColor Fc3DDkShadow = 0;
};
