// SFObjectData: the frame-object descriptions of a skin (caption buttons,
// caption, menu items, ornaments), one class per kind of the "SKINOBJECTS"
// list, and the factory that makes them from the kind words. The skinned window
// frame and the menus find theirs by name and read the public fields. Portable.
#pragma once

#include <memory>

#include "skin/model/SFIniCodecs.h"

// Base of every frame-object description; reads and writes the section IDName.
class TsfDataSkinObject : public TObject {
public:
    explicit TsfDataSkinObject(const String& AIDName) : IDName(AIDName) {}
    String ClassName() const override { return u"TsfDataSkinObject"; }
    // Reads every key, the parent's first; a malformed rectangle or point
    // raises EConvertError with the fields read so far set.
    virtual void LoadFromFile(const TCustomIniFile* IniFile);
    // Erases the section, then writes every key, the parent's first.
    virtual void SaveToFile(TCustomIniFile* IniFile) const;
    static const TSkinKeys<TsfDataSkinObject> Keys;

    String IDName;
    String Hint;
    bool SkinRectInAPicture = false;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect InActiveSkinRect;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    Integer ActivePictureIndex = -1;
    Integer ActiveMaskPictureIndex = -1;
    Integer CursorIndex = -1;
    bool RollUp = false;
    Integer GlowLayerPictureIndex = -1;
    Integer GlowLayerMaskPictureIndex = -1;
    Integer GlowLayerOffsetX = 0;
    Integer GlowLayerOffsetY = 0;
    Integer GlowLayerAlphaBlendValue = 255;
};

// A plain user object: only a roll-up flag, a rectangle and a cursor.
class TsfDataUserObject : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataUserObject"; }
    // Only these three keys, without the base reader (or writer).
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataUserObject> Keys;
};

// Buttons on the frame: the down and disabled picture parts, a group index, and alpha-mask pictures
// for the normal, active and inactive states.
class TsfDataSkinButton : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinButton"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinButton> Keys;

    Integer GroupIndex = -1;
    TRect DownRect;
    TRect DisableSkinRect;
    Integer AlphaMaskPictureIndex = -1;
    Integer AlphaMaskActivePictureIndex = -1;
    Integer AlphaMaskInActivePictureIndex = -1;
};

// Caption buttons and main-menu-bar buttons: the command the button carries out, the picture parts of
// the restore look in four states, and the hint shown in the restore look.
class TsfDataSkinStdButton : public TsfDataSkinButton {
public:
    using inherited = TsfDataSkinButton;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinStdButton"; }
    // An empty RestoreHint becomes "Restore" for the maximize, minimize and roll-up buttons.
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinStdButton> Keys;

    TStdCommand Command = cmClose;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;
    String RestoreHint;
};

// A button of the main menu bar: a standard button under its own kind word.
class TsfDataSkinMainMenuBarButton : public TsfDataSkinStdButton {
public:
    using inherited = TsfDataSkinStdButton;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinMainMenuBarButton"; }
};

// The window caption: default-caption flag, text rectangle, font and colours, alignment, shadow and
// light flags with their colours, a caption frame image with text rectangle and offsets, stretching,
// an animation strip, a full-frame flag, four glow flags (Vista glow and glow, each for the active and
// the inactive window) with glow size, colours and offset, a reflection effect with colours and
// offset, a divider image in two forms with transparency, and the alpha-mask picture of the quick
// buttons.
class TsfDataSkinCaption : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinCaption"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinCaption> Keys;

    String FontName;
    Integer FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taLeftJustify;
    TRect TextRct;
    bool DefaultCaption = false;
    TRect FrameRect;
    TRect ActiveFrameRect;
    Integer FrameLeftOffset = 0;
    Integer FrameRightOffset = 0;
    TRect FrameTextRect;
    bool Light = false;
    TColor LightColor = 0;
    TColor ActiveLightColor = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    Integer FrameCount = 0;
    Integer AnimateInterval = 0;
    bool InActiveAnimation = false;
    bool FullFrame = false;
    bool VistaGlowEffect = false;
    bool VistaGlowInActiveEffect = false;
    bool GlowEffect = false;
    bool GlowInActiveEffect = false;
    Integer GlowSize = 0;
    TColor GlowColor = 0;
    TColor GlowActiveColor = 0;
    Integer GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0;
    TColor ReflectionActiveColor = 0;
    Integer ReflectionOffset = 0;
    TRect DividerRect;
    TRect InActiveDividerRect;
    bool DividerTransparent = false;
    TColor DividerTransparentColor = 0;
    Integer QuickButtonAlphaMaskPictureIndex = 0;
};

// Popup-menu items: item and divider offsets, divider, text and image rectangles, font and colours,
// three stretch flags, an animation strip, image colouring, and the check, radio and arrow images in
// normal and active form.
class TsfDataSkinMenuItem : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinMenuItem"; }
    // An empty active check, radio or arrow image takes the normal one.
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinMenuItem> Keys;

    TRect DividerRect;
    Integer DividerLO = 0;
    Integer DividerRO = 0;
    Integer ItemLO = 0;
    Integer ItemRO = 0;
    String FontName;
    Integer FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor UnEnabledFontColor = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TRect TextRct;
    bool StretchEffect = false;
    bool DividerStretchEffect = false;
    bool InActiveStretchEffect = false;
    TRect AnimateSkinRect;
    Integer FrameCount = 0;
    Integer AnimateInterval = 0;
    bool InActiveAnimation = false;
    TRect ImageRct;
    bool UseImageColor = false;
    TColor ImageColor = 0;
    TColor ActiveImageColor = 0;
    bool InActiveTransparent = false;
    TRect CheckImageRect;
    TRect ActiveCheckImageRect;
    TRect RadioImageRect;
    TRect ActiveRadioImageRect;
    TRect ArrowImageRect;
    TRect ActiveArrowImageRect;
};

// Main-menu items: offsets, the down picture part, text rectangle, font and four colours, stretching
// and an animation strip.
class TsfDataSkinMainMenuItem : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinMainMenuItem"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinMainMenuItem> Keys;

    TRect DownRect;
    String FontName;
    Integer FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect TextRct;
    Integer ItemLO = 0;
    Integer ItemRO = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    Integer FrameCount = 0;
    Integer AnimateInterval = 0;
    bool InActiveAnimation = false;
};

// An item of the main menu bar: a main-menu item under its own kind word.
class TsfDataSkinMainMenuBarItem : public TsfDataSkinMainMenuItem {
public:
    using inherited = TsfDataSkinMainMenuItem;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinMainMenuBarItem"; }
};

// A track bar on the frame: the thumb button in normal and active state, the begin and end points of
// its path, the value range, whether a mouse press changes the value, and button transparency.
class TsfDataSkinTrackBar : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinTrackBar"; }
    // Morphing is off after reading, whatever the text says.
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinTrackBar> Keys;

    TRect ButtonRect;
    TRect ActiveButtonRect;
    TPoint BeginPoint;
    TPoint EndPoint;
    Integer MinValue = 0;
    Integer MaxValue = 0;
    bool MouseDownChangeValue = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

// A gauge on the frame: the value range and orientation.
class TsfDataSkinGauge : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinGauge"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinGauge> Keys;

    Integer MinValue = 0;
    Integer MaxValue = 0;
    TGaugeKind Kind = gkHorizontal;
};

// A gauge drawn from a strip of frames: the value range, the number of frames and their placement.
class TsfDataSkinFrameGaugeObject : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinFrameGaugeObject"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinFrameGaugeObject> Keys;

    Integer MinValue = 0;
    Integer MaxValue = 0;
    Integer CountFrames = 0;
    TFramesPlacement FramesPlacement = fpHorizontal;
};

// A regulator drawn from a strip of frames: the value range, the number of frames, their placement and
// the regulator kind.
class TsfDataSkinFrameRegulatorObject : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinFrameRegulatorObject"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinFrameRegulatorObject> Keys;

    Integer MinValue = 0;
    Integer MaxValue = 0;
    Integer CountFrames = 0;
    TFramesPlacement FramesPlacement = fpHorizontal;
    TRegulatorKind Kind = rkRound;
};

// A text label on the frame: font, colours, alignment and the text.
class TsfDataSkinLabel : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinLabel"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinLabel> Keys;

    String FontName;
    Integer FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TAlignment Alignment = taLeftJustify;
    String TextValue;
};

// A label drawn from a picture of symbols: the text, the symbol size, the symbol rows and
// transparency.
class TsfDataSkinBitLabel : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinBitLabel"; }
    // Morphing is off; the symbol lines are appended to Symbols.
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinBitLabel> Keys;

    TStringList Symbols;
    String TextValue;
    Integer SymbolWidth = 0;
    Integer SymbolHeight = 0;
    bool Transparent = false;
    TColor TransparentColor = 16711935;
};

// An animated frame object (it can also act as a caption button): the number of frames, cycling,
// button style, timer interval, the command, the down picture part, the restore look in four states
// and the restore hint.
class TsfDataSkinAnimate : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinAnimate"; }
    // Morphing is off; the restore hint as for a standard button.
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataSkinAnimate> Keys;

    Integer CountFrames = 0;
    bool Cycle = false;
    bool ButtonStyle = false;
    Integer TimerInterval = 0;
    TStdCommand Command = cmClose;
    TRect DownSkinRect;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;
    String RestoreHint;
};

// A two-state switch: the base keys only.
class TsfDataSkinSwitch : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinSwitch"; }
};


// The description made for a kind word of the "SKINOBJECTS" list (compared
// exactly; null for any other word), and the word a writer gives a description:
// that of the first kind whose class it is an instance of, subclasses first.
std::unique_ptr<TsfDataSkinObject> CreateSkinObjectData(const String& Kind, const String& IDName);
String SkinObjectKind(const TsfDataSkinObject* Data);
