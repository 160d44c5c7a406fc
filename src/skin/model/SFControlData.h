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

// Nine-slice base: four corner points and a client rectangle that divide the SkinRect part of the
// picture, one stretch-or-tile flag per edge, and how the client part is filled.
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

// Colours of the light and dark lines of a bevel.
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

// Ruler and thumb rectangles of a slider in both orientations, the edge size and two colours.
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

// Font, background colour and the expand and no-expand images of a tree view.
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

// Font and background colour of a list view.
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

// Font and background colour of a rich-text editor.
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

// Main menu bar of a skinned window: the rectangle for the items, the IDNames of the frame-object
// descriptions used for its items and its four buttons, two track-mark colours and two flags.
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

// Tab and page controls: rectangles of the tab states, nine-slice fields of its own (corner points,
// ClRect, stretch flags and stretch type, as in TsfDataSkinCustomControl but declared here), tab
// offsets, fonts per state, the IDName of the up-down description used with the tabs, focus options
// and the tab close button.
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

// Grids: fixed, selected and focused cell images with their offsets and text rectangles, line and
// background colours, background picture, and separate fonts for normal and fixed cells.
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

// Controls drawn from a strip of equal frames inside SkinRect: the number of frames and whether they
// lie side by side or one below the other.
class TsfDataSkinFrameControl : public TsfDataSkinControl {
public:
    using inherited = TsfDataSkinControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinFrameControl"; }
    // A frame count below 1 is read as 1.
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

// Frame strip used as a regulator: round, horizontal or vertical.
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

// Font of a plain label and its colour while active.
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

// Push and tool buttons: fonts per state, the picture parts of the active, down, focused and disabled
// states, morphing between states, an animation strip, the focus flag, the four menu-marker images
// with their transparent colour, and a glow layer (its picture and mask picture, four edge offsets,
// two show offsets and an alpha value).
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

// A button with a separate drop-down track part: all keys of TsfDataSkinButtonControl plus the track
// part's rectangle.
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

// Check boxes and radio buttons: fonts per state, morphing, the active picture part, the check-image
// area and text area inside the control, and the check images for checked, unchecked, active, disabled
// ("unenabled") and grayed states.
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

// Panels, group boxes and status panels: background picture, caption rectangle and alignment, font,
// check and uncheck images of a caption check box, a mark frame, a text frame with its text rectangle
// and offsets, and a gripper image.
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

// Panels that roll up horizontally or vertically: the rolled-up picture parts for both directions with
// their offsets and caption rectangles, the close, roll and restore buttons of both directions in
// normal, active and down state, the caption rectangle, font and button transparency.
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

// Scroll boxes: a background picture.
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

// Progress gauges: progress area and progress image with transparency and stretching, orientation,
// begin and end offsets, font, and two animation strips (for the whole gauge and for the progress
// part) with frame counts, timer intervals and offsets.
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

// Splitters: the gripper image and its transparency.
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

// Track bars: the active picture part, the track area, the thumb button in normal and active state,
// orientation and button transparency.
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

// Labels drawn on a nine-slice background: font only.
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

// Labels whose text is drawn from a picture of symbols: the text rectangle, the size of one symbol and
// the list of symbol rows.
class TsfDataSkinBitLabelControl : public TsfDataSkinCustomControl {
public:
    using inherited = TsfDataSkinCustomControl;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinBitLabelControl"; }
    // The symbol lines are appended to Symbols.
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    static const TSkinKeys<TsfDataSkinBitLabelControl> Keys;

    TRect SkinTextRect;
    Integer SymbolWidth = 0;
    Integer SymbolHeight = 0;
    TStringList Symbols;
};

// Scroll bars: the track area, both arrow buttons in normal, active and down state, the thumb in three
// states with its two offsets, transparency, stretching and two minimum sizes, and the thumb glyph in
// three states with its transparency.
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

// Up-down buttons: the up and down buttons in normal, active and down state.
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

// Edit boxes: the active picture part, font and colours (normal, active, disabled), and the rectangles
// of an embedded button in normal, active, down and disabled ("unenabled") state.
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

// Memos: all keys of TsfDataSkinEditControl plus a normal and an active background colour.
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

// Spin edits: the active picture part, font and colours (normal, active, disabled), and the up and
// down buttons in normal, active and down state.
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

// Combo boxes: the active picture part, the item images (normal, active, focused) with their offsets
// and text rectangle, font and colours, the drop-down button in four states, the IDName of the list-
// box description used for the drop-down list, two item stretch flags and the focus flag.
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

// List boxes: the item images (normal, active, focused) with offsets and text rectangle, font and
// colours, a caption with its own font, the up and down buttons and a check button each in three
// states, the IDNames of three scroll-bar descriptions, the focus flag, a disabled-buttons image and
// the buttons area.
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

// Check list boxes: all keys of TsfDataSkinListBox plus the checked and unchecked images and the check
// rectangle inside an item.
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

// Control bars: the band image with its offsets, stretching and transparency, a background picture,
// horizontal and vertical grip images with offsets and transparency.
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
