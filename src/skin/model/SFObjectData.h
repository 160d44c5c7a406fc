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

class TsfDataUserObject : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataUserObject"; }
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) const override;
    static const TSkinKeys<TsfDataUserObject> Keys;
};

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

class TsfDataSkinStdButton : public TsfDataSkinButton {
public:
    using inherited = TsfDataSkinButton;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinStdButton"; }
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

class TsfDataSkinMenuItem : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinMenuItem"; }
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

class TsfDataSkinTrackBar : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinTrackBar"; }
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

class TsfDataSkinBitLabel : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinBitLabel"; }
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

class TsfDataSkinAnimate : public TsfDataSkinObject {
public:
    using inherited = TsfDataSkinObject;
    using inherited::inherited;
    String ClassName() const override { return u"TsfDataSkinAnimate"; }
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
