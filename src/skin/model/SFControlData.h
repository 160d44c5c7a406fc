// SFControlData: the control descriptions of a skin, one class per control kind
// of the "SKINCONTROLS" list, and the factory that makes them from the kind
// words. Skinned controls find theirs by name and read the public fields.
// Portable.
#pragma once

#include <memory>

#include "skin/model/SFIniCodecs.h"

// Base of every control description; reads and writes the section IDName.
class TsfDataSkinControl : public TObject {
public:
    explicit TsfDataSkinControl(const String& AIDName) : IDName(AIDName) {}
    String ClassName() const override { return u"TsfDataSkinControl"; }
    // Reads every key, the parent's first; a malformed rectangle or point
    // raises EConvertError with the fields read so far set.
    virtual void LoadFromFile(const TCustomIniFile* IniFile);
    // Erases the section, then writes every key, the parent's first.
    virtual void SaveToFile(TCustomIniFile* IniFile);
    static const TSkinKeys<TsfDataSkinControl> Keys;

    String IDName;
    Integer PictureIndex = -1;
    Integer MaskPictureIndex = -1;
    TRect SkinRect;
    Integer CursorIndex = -1;
};

class TsfDataSkinCustomControl : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinCustomControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinCustomControl> Keys;

    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
    bool StretchEffect = false;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    TsfStretchType StretchType = sfstFull;
};

class TsfDataSkinBevel : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinBevel"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinBevel> Keys;

    TColor LightColor = 0;
    TColor DarkColor = 0;
};

class TsfDataSkinSlider : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinSlider"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinSlider> Keys;

    TRect HRulerRect;
    TRect HThumbRect;
    TRect VRulerRect;
    TRect VThumbRect;
    Integer EdgeSize = 0;
    TColor BGColor = 0;
    TColor PointsColor = 0;
};

class TsfDataSkinTreeView : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinTreeView"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinTreeView> Keys;

    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 14;
    TColor FontColor = 0;
    TColor BGColor = 16777215;
    TRect ExpandImageRect;
    TRect NoExpandImageRect;
};

class TsfDataSkinListView : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinListView"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinListView> Keys;

    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 14;
    TColor FontColor = 0;
    TColor BGColor = 16777215;
};

class TsfDataSkinRichEdit : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinRichEdit"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinRichEdit> Keys;

    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 14;
    TColor FontColor = 0;
    TColor BGColor = 16777215;
};

class TsfDataSkinMainMenuBar : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinMainMenuBar"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinMainMenuBar> Keys;

    TRect ItemsRect;
    String MenuBarItem;
    String CloseButton;
    String MaxButton;
    String MinButton;
    String SysMenuButton;
    Integer TrackMarkColor = 0;
    Integer TrackMarkActiveColor = 0;
    bool StretchEffect = false;
    bool ItemTransparent = false;
};

class TsfDataSkinTabControl : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinTabControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinTabControl> Keys;

    TRect TabRect;
    TRect ActiveTabRect;
    TRect FocusTabRect;
    TRect MouseInTabRect;
    TRect ClRect;
    TRect TabsBGRect;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    Integer TabLeftOffset = 0;
    Integer TabRightOffset = 0;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TColor MouseInFontColor = 0;
    String UpDown;
    Integer BGPictureIndex = -1;
    bool TabStretchEffect = false;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool ShowFocus = false;
    Integer FocusOffsetX = 0;
    Integer FocusOffsetY = 0;
    bool StretchEffect = false;
    TsfStretchType StretchType = sfstFull;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 16711935;
    TRect TabLeftBottomActiveRect;
    TRect TabLeftBottomFocusRect;
};

class TsfDataSkinGridControl : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinGridControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinGridControl> Keys;

    TRect FixedCellRect;
    TRect SelectCellRect;
    TRect FocusCellRect;
    Integer FixedCellLeftOffset = 0;
    Integer FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    Integer CellLeftOffset = 0;
    Integer CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0;
    TColor BGColor = 0;
    Integer BGPictureIndex = -1;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 14;
    TColor FontColor = 0;
    TColor SelectFontColor = 0;
    TColor FocusFontColor = 0;
    String FixedFontName = u"Arial";
    TFontStyles FixedFontStyle = 0;
    Integer FixedFontHeight = 14;
    TColor FixedFontColor = 0;
    bool FixedCellStretchEffect = false;
    bool CellStretchEffect = false;
    bool ShowFocus = false;
};

class TsfDataSkinFrameControl : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinFrameControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinFrameControl> Keys;

    Integer FramesCount = 1;
    TFramesPlacement FramesPlacement = fpHorizontal;
};

// Frame strips under their own kind words.
class TsfDataSkinAnimateControl : public TsfDataSkinFrameControl {
public:
    using inherited = TsfDataSkinFrameControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinAnimateControl"; }
};

class TsfDataSkinSwitchControl : public TsfDataSkinFrameControl {
public:
    using inherited = TsfDataSkinFrameControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinSwitchControl"; }
};

class TsfDataSkinFrameGauge : public TsfDataSkinFrameControl {
public:
    using inherited = TsfDataSkinFrameControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinFrameGauge"; }
};

class TsfDataSkinFrameRegulator : public TsfDataSkinFrameControl {
public:
    using inherited = TsfDataSkinFrameControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinFrameRegulator"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinFrameRegulator> Keys;

    TRegulatorKind Kind = rkRound;
};

class TsfDataSkinStdLabelControl : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinStdLabelControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinStdLabelControl> Keys;

    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0;
    TColor ActiveFontColor = 16711680;
};

class TsfDataSkinButtonControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinButtonControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinButtonControl> Keys;

    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    TRect ActiveSkinRect;
    TRect DownSkinRect;
    TRect DisabledSkinRect;
    TRect FocusedSkinRect;
    TRect AnimateSkinRect;
    Integer FrameCount = 0;
    Integer AnimateInterval = 0;
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect;
    TRect MenuMarkerRect;
    TRect MenuMarkerActiveRect;
    TRect MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;
    Integer GlowLayerPictureIndex = -1;
    Integer GlowLayerMaskPictureIndex = -1;
    Integer GlowLayerOffsetLeft = 0;
    Integer GlowLayerOffsetRight = 0;
    Integer GlowLayerOffsetTop = 0;
    Integer GlowLayerOffsetBottom = 0;
    Integer GlowLayerShowOffsetX = 0;
    Integer GlowLayerShowOffsetY = 0;
    Integer GlowLayerAlphaBlendValue = 255;
};

class TsfDataSkinMenuButtonControl : public TsfDataSkinButtonControl {
public:
    using inherited = TsfDataSkinButtonControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinMenuButtonControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinMenuButtonControl> Keys;

    TRect TrackButtonRect;
};

class TsfDataSkinCheckRadioControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinCheckRadioControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinCheckRadioControl> Keys;

    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    TRect ActiveSkinRect;
    TRect CheckImageArea;
    TRect TextArea;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect ActiveCheckImageRect;
    TRect ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect;
    TRect UnEnabledUnCheckImageRect;
    TRect GrayedCheckImageRect;
    TRect ActiveGrayedCheckImageRect;
    TColor FrameFontColor = 0;
};

class TsfDataSkinPanelControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinPanelControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinPanelControl> Keys;

    TRect CaptionRect;
    TAlignment Alignment = taCenter;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0;
    Integer BGPictureIndex = -1;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect MarkFrameRect;
    TRect FrameRect;
    Integer FrameLeftOffset = 0;
    Integer FrameRightOffset = 0;
    TRect FrameTextRect;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 16711935;
};

class TsfDataSkinExPanelControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinExPanelControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinExPanelControl> Keys;

    TRect RollHSkinRect;
    TRect RollVSkinRect;
    Integer RollLeftOffset = 0;
    Integer RollRightOffset = 0;
    Integer RollTopOffset = 0;
    Integer RollBottomOffset = 0;
    TRect RollVCaptionRect;
    TRect RollHCaptionRect;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    TRect HRollButtonRect;
    TRect HRollButtonActiveRect;
    TRect HRollButtonDownRect;
    TRect HRestoreButtonRect;
    TRect HRestoreButtonActiveRect;
    TRect HRestoreButtonDownRect;
    TRect VRollButtonRect;
    TRect VRollButtonActiveRect;
    TRect VRollButtonDownRect;
    TRect VRestoreButtonRect;
    TRect VRestoreButtonActiveRect;
    TRect VRestoreButtonDownRect;
    TRect CaptionRect;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0;
    bool ButtonsTransparent = false;
    TColor ButtonsTransparentColor = 16711935;
};

class TsfDataSkinScrollBoxControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinScrollBoxControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinScrollBoxControl> Keys;

    Integer BGPictureIndex = -1;
};

class TsfDataSkinGaugeControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinGaugeControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinGaugeControl> Keys;

    TRect ProgressArea;
    TRect ProgressRect;
    bool ProgressTransparent = false;
    TColor ProgressTransparentColor = 16711935;
    bool ProgressStretch = false;
    bool Vertical = false;
    Integer BeginOffset = 0;
    Integer EndOffset = 0;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 14;
    TColor FontColor = 0;
    TRect AnimationSkinRect;
    Integer AnimationCountFrames = 0;
    Integer AnimationTimerInterval = 0;
    TRect ProgressAnimationSkinRect;
    Integer ProgressAnimationCountFrames = 0;
    Integer ProgressAnimationTimerInterval = 0;
    Integer AnimationBeginOffset = 0;
    Integer AnimationEndOffset = 0;
};

class TsfDataSkinSplitterControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinSplitterControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinSplitterControl> Keys;

    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 16711935;
};

class TsfDataSkinTrackBarControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinTrackBarControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinTrackBarControl> Keys;

    TRect ActiveSkinRect;
    TRect TrackArea;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    bool Vertical = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 16711935;
};

class TsfDataSkinLabelControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinLabelControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinLabelControl> Keys;

    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0;
};

class TsfDataSkinBitLabelControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinBitLabelControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinBitLabelControl> Keys;

    TRect SkinTextRect;
    Integer SymbolWidth = 0;
    Integer SymbolHeight = 0;
    TStringList Symbols;
};

class TsfDataSkinScrollBarControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinScrollBarControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinScrollBarControl> Keys;

    TRect TrackArea;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
    TRect ThumbRect;
    TRect ActiveThumbRect;
    TRect DownThumbRect;
    Integer ThumbOffset1 = 0;
    Integer ThumbOffset2 = 0;
    TRect GlyphRect;
    TRect ActiveGlyphRect;
    TRect DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 16711935;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 16711935;
    bool ThumbStretchEffect = false;
    Integer ThumbMinSize = 0;
    Integer ThumbMinPageSize = 0;
};

class TsfDataSkinUpDownControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinUpDownControl"; }
    // Both zero the corner points and ClRect (the writer in this object too).
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinUpDownControl> Keys;

    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;

private:
    void ClearGeometry();
};

class TsfDataSkinEditControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinEditControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinEditControl> Keys;

    TRect ActiveSkinRect;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0;
    TColor DisabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
};

class TsfDataSkinMemoControl : public TsfDataSkinEditControl {
public:
    using inherited = TsfDataSkinEditControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinMemoControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinMemoControl> Keys;

    TColor BGColor = 0;
    TColor ActiveBGColor = 0;
};

class TsfDataSkinSpinEditControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinSpinEditControl"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinSpinEditControl> Keys;

    TRect ActiveSkinRect;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
};

class TsfDataSkinComboBox : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinComboBox"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinComboBox> Keys;

    TRect SItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    Integer ItemLeftOffset = 0;
    Integer ItemRightOffset = 0;
    TRect ItemTextRect;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 14;
    TColor FontColor = 0;
    TColor FocusFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
    bool ItemStretchEffect = false;
    bool FocusItemStretchEffect = false;
    TRect ActiveSkinRect;
    bool ShowFocus = false;
    String ListBoxName;
};

class TsfDataSkinListBox : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinListBox"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinListBox> Keys;

    TRect SItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    Integer ItemLeftOffset = 0;
    Integer ItemRightOffset = 0;
    TRect ItemTextRect;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TRect CaptionRect;
    String CaptionFontName = u"Arial";
    TFontStyles CaptionFontStyle = 0;
    Integer CaptionFontHeight = 14;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
    TRect CheckButtonRect;
    TRect ActiveCheckButtonRect;
    TRect DownCheckButtonRect;
    String HScrollBarName;
    String VScrollBarName;
    String BothScrollBarName;
    bool ShowFocus = false;
    TRect DisabledButtonsRect;
    TRect ButtonsArea;
};

class TsfDataSkinCheckListBox : public TsfDataSkinListBox {
public:
    using inherited = TsfDataSkinListBox;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinCheckListBox"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinCheckListBox> Keys;

    TRect UnCheckImageRect;
    TRect CheckImageRect;
    TRect ItemCheckRect;
};

class TsfDataSkinControlBar : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinControlBar"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinControlBar> Keys;

    TRect ItemRect;
    Integer BGPictureIndex = -1;
    TRect HGripRect;
    TRect VGripRect;
    Integer GripOffset1 = 0;
    Integer GripOffset2 = 0;
    bool ItemStretchEffect = false;
    Integer ItemOffset1 = 0;
    Integer ItemOffset2 = 0;
    bool ItemTransparent = false;
    TColor ItemTransparentColor = 0;
    bool GripTransparent = false;
    TColor GripTransparentColor = 0;
};


// The description made for a kind word of the "SKINCONTROLS" list (compared
// exactly; null for any other word), and the word a writer gives a description:
// that of the first kind whose class it is an instance of, subclasses first.
std::unique_ptr<TsfDataSkinControl> CreateSkinControlData(const String& Kind, const String& IDName);
String SkinControlKind(const TsfDataSkinControl* Data);
