#include "skin/model/SFObjectData.h"

#include "skin/model/SFUtils.h"

namespace {

// A restore look without a hint of its own takes "Restore" when the button's
// hint and command are one of the three caption-button pairs (exact texts).
void DefaultRestoreHint(const String& Hint, TStdCommand Command, String& RestoreHint)
{
    if (!RestoreHint.empty()) return;
    if ((Hint == u"Maximize" && Command == cmMaximize) || (Hint == u"Minimize" && Command == cmMinimize) ||
        ((Hint == u"RollUp" || Hint == u"Roll Up") && Command == cmRollUp))
        RestoreHint = u"Restore";
}

}  // namespace

const TSkinKeys<TsfDataSkinObject> TsfDataSkinObject::Keys = {
    {u"hint", &TsfDataSkinObject::Hint},
    {u"rollup", &TsfDataSkinObject::RollUp},
    {u"activepictureindex", &TsfDataSkinObject::ActivePictureIndex, -1},
    {u"activemaskpictureindex", &TsfDataSkinObject::ActiveMaskPictureIndex, -1},
    {u"skinrectinapicture", &TsfDataSkinObject::SkinRectInAPicture},
    {u"cursorindex", &TsfDataSkinObject::CursorIndex, -1},
    {u"skinrect", &TsfDataSkinObject::SkinRect},
    {u"activeskinrect", &TsfDataSkinObject::ActiveSkinRect},
    {u"inactiveskinrect", &TsfDataSkinObject::InActiveSkinRect},
    {u"morphing", &TsfDataSkinObject::Morphing},
    {u"morphkind", &TsfDataSkinObject::MorphKind},
    {u"glowlayerpictureindex", &TsfDataSkinObject::GlowLayerPictureIndex, -1},
    {u"glowlayermaskpictureindex", &TsfDataSkinObject::GlowLayerMaskPictureIndex, -1},
    {u"glowlayeroffsetx", &TsfDataSkinObject::GlowLayerOffsetX},
    {u"glowlayeroffsety", &TsfDataSkinObject::GlowLayerOffsetY},
    {u"glowlayeralphablendvalue", &TsfDataSkinObject::GlowLayerAlphaBlendValue, 255},
};

void TsfDataSkinObject::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadSkinKeys(IniFile, IDName, *this, Keys);
}

void TsfDataSkinObject::SaveToFile(TCustomIniFile* IniFile) const
{
    IniFile->EraseSection(IDName);
    WriteSkinKeys(IniFile, IDName, *this, Keys);
}

const TSkinKeys<TsfDataUserObject> TsfDataUserObject::Keys = {
    {u"rollup", &TsfDataUserObject::RollUp},
    {u"skinrect", &TsfDataUserObject::SkinRect},
    {u"cursorindex", &TsfDataUserObject::CursorIndex, -1},
};

void TsfDataUserObject::LoadFromFile(const TCustomIniFile* IniFile)
{
    // Not the base reader: every other base field keeps its initial value.
    ReadSkinKeys(IniFile, IDName, *this, Keys);
}

void TsfDataUserObject::SaveToFile(TCustomIniFile* IniFile) const
{
    IniFile->EraseSection(IDName);
    WriteSkinKeys(IniFile, IDName, *this, Keys);
}

const TSkinKeys<TsfDataSkinButton> TsfDataSkinButton::Keys = {
    {u"downrect", &TsfDataSkinButton::DownRect},
    {u"disableskinrsect", &TsfDataSkinButton::DisableSkinRect},
    {u"groupindex", &TsfDataSkinButton::GroupIndex, -1},
    {u"alphamaskpictureindex", &TsfDataSkinButton::AlphaMaskPictureIndex, -1},
    {u"alphamaskactivepictureindex", &TsfDataSkinButton::AlphaMaskActivePictureIndex, -1},
    {u"alphamaskinactivepictureindex", &TsfDataSkinButton::AlphaMaskInActivePictureIndex, -1},
};

void TsfDataSkinButton::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinButton::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinStdButton> TsfDataSkinStdButton::Keys = {
    {u"command", &TsfDataSkinStdButton::Command},
    {u"restorerect", &TsfDataSkinStdButton::RestoreRect},
    {u"restoreactiverect", &TsfDataSkinStdButton::RestoreActiveRect},
    {u"restoredownrect", &TsfDataSkinStdButton::RestoreDownRect},
    {u"restoreinactiverect", &TsfDataSkinStdButton::RestoreInActiveRect},
    {u"restorehint", &TsfDataSkinStdButton::RestoreHint},
};

void TsfDataSkinStdButton::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
    DefaultRestoreHint(Hint, Command, RestoreHint);
}

void TsfDataSkinStdButton::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinCaption> TsfDataSkinCaption::Keys = {
    {u"defaultcaption", &TsfDataSkinCaption::DefaultCaption},
    {u"textrect", &TsfDataSkinCaption::TextRct},
    {u"fontname", &TsfDataSkinCaption::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinCaption::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinCaption::FontStyle},
    {u"fontcolor", &TsfDataSkinCaption::FontColor},
    {u"activefontcolor", &TsfDataSkinCaption::ActiveFontColor},
    {u"alignment", &TsfDataSkinCaption::Alignment},
    {u"light", &TsfDataSkinCaption::Light},
    {u"lightcolor", &TsfDataSkinCaption::LightColor},
    {u"activelightcolor", &TsfDataSkinCaption::ActiveLightColor},
    {u"shadow", &TsfDataSkinCaption::Shadow},
    {u"shadowcolor", &TsfDataSkinCaption::ShadowColor},
    {u"activeshadowcolor", &TsfDataSkinCaption::ActiveShadowColor},
    {u"framerect", &TsfDataSkinCaption::FrameRect},
    {u"activeframerect", &TsfDataSkinCaption::ActiveFrameRect},
    {u"frametextrect", &TsfDataSkinCaption::FrameTextRect},
    {u"frameleftoffset", &TsfDataSkinCaption::FrameLeftOffset},
    {u"framerightoffset", &TsfDataSkinCaption::FrameRightOffset},
    {u"stretcheffect", &TsfDataSkinCaption::StretchEffect},
    {u"animateskinrect", &TsfDataSkinCaption::AnimateSkinRect},
    {u"framecount", &TsfDataSkinCaption::FrameCount},
    {u"animateinterval", &TsfDataSkinCaption::AnimateInterval, 25},
    {u"inactiveanimation", &TsfDataSkinCaption::InActiveAnimation},
    {u"fullframe", &TsfDataSkinCaption::FullFrame},
    {u"vistagloweffect", &TsfDataSkinCaption::VistaGlowEffect},
    {u"vistaglowinactiveeffect", &TsfDataSkinCaption::VistaGlowInActiveEffect},
    {u"gloweffect", &TsfDataSkinCaption::GlowEffect},
    {u"glowinactiveeffect", &TsfDataSkinCaption::GlowInActiveEffect},
    {u"glowsize", &TsfDataSkinCaption::GlowSize, 3},
    {u"glowcolor", &TsfDataSkinCaption::GlowColor},
    {u"glowactivecolor", &TsfDataSkinCaption::GlowActiveColor},
    {u"glowoffset", &TsfDataSkinCaption::GlowOffset},
    {u"reflectioneffect", &TsfDataSkinCaption::ReflectionEffect},
    {u"reflactioncolor", &TsfDataSkinCaption::ReflectionColor},
    {u"reflactionactivecolor", &TsfDataSkinCaption::ReflectionActiveColor},
    {u"reflectionoffset", &TsfDataSkinCaption::ReflectionOffset},
    {u"dividerrect", &TsfDataSkinCaption::DividerRect},
    {u"inactivedividerrect", &TsfDataSkinCaption::InActiveDividerRect},
    {u"dividertransparent", &TsfDataSkinCaption::DividerTransparent},
    {u"dividertransparentcolor", &TsfDataSkinCaption::DividerTransparentColor},
    {u"quickbuttonalphamaskpictureindex", &TsfDataSkinCaption::QuickButtonAlphaMaskPictureIndex, -1},
};

void TsfDataSkinCaption::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinCaption::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinMenuItem> TsfDataSkinMenuItem::Keys = {
    {u"itemleftoffset", &TsfDataSkinMenuItem::ItemLO},
    {u"itemrightoffset", &TsfDataSkinMenuItem::ItemRO},
    {u"dividerrect", &TsfDataSkinMenuItem::DividerRect},
    {u"dividerleftoffset", &TsfDataSkinMenuItem::DividerLO},
    {u"dividerrightoffset", &TsfDataSkinMenuItem::DividerRO},
    {u"textrect", &TsfDataSkinMenuItem::TextRct},
    {u"imagerect", &TsfDataSkinMenuItem::ImageRct},
    {u"fontname", &TsfDataSkinMenuItem::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinMenuItem::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinMenuItem::FontStyle},
    {u"fontcolor", &TsfDataSkinMenuItem::FontColor},
    {u"activefontcolor", &TsfDataSkinMenuItem::ActiveFontColor},
    {u"unenabledfontcolor", &TsfDataSkinMenuItem::UnEnabledFontColor},
    {u"stretcheffect", &TsfDataSkinMenuItem::StretchEffect},
    {u"inactivestretcheffect", &TsfDataSkinMenuItem::InActiveStretchEffect},
    {u"dividerstretcheffect", &TsfDataSkinMenuItem::DividerStretchEffect},
    {u"animateskinrect", &TsfDataSkinMenuItem::AnimateSkinRect},
    {u"framecount", &TsfDataSkinMenuItem::FrameCount},
    {u"animateinterval", &TsfDataSkinMenuItem::AnimateInterval, 25},
    {u"inactiveanimation", &TsfDataSkinMenuItem::InActiveAnimation},
    {u"useimagecolor", &TsfDataSkinMenuItem::UseImageColor},
    {u"imagecolor", &TsfDataSkinMenuItem::ImageColor},
    {u"activeimagecolor", &TsfDataSkinMenuItem::ActiveImageColor},
    {u"inactivetransparent", &TsfDataSkinMenuItem::InActiveTransparent},
    {u"checkimagerect", &TsfDataSkinMenuItem::CheckImageRect},
    {u"activecheckimagerect", &TsfDataSkinMenuItem::ActiveCheckImageRect},
    {u"radioimagerect", &TsfDataSkinMenuItem::RadioImageRect},
    {u"activeradioimagerect", &TsfDataSkinMenuItem::ActiveRadioImageRect},
    {u"arrowimagerect", &TsfDataSkinMenuItem::ArrowImageRect},
    {u"activearrowimagerect", &TsfDataSkinMenuItem::ActiveArrowImageRect},
};

void TsfDataSkinMenuItem::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
    // An empty active image stands for the normal one.
    if (IsNullRect(ActiveCheckImageRect)) ActiveCheckImageRect = CheckImageRect;
    if (IsNullRect(ActiveRadioImageRect)) ActiveRadioImageRect = RadioImageRect;
    if (IsNullRect(ActiveArrowImageRect)) ActiveArrowImageRect = ArrowImageRect;
}

void TsfDataSkinMenuItem::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinMainMenuItem> TsfDataSkinMainMenuItem::Keys = {
    {u"itemleftoffset", &TsfDataSkinMainMenuItem::ItemLO},
    {u"itemrightoffset", &TsfDataSkinMainMenuItem::ItemRO},
    {u"downrect", &TsfDataSkinMainMenuItem::DownRect},
    {u"textrect", &TsfDataSkinMainMenuItem::TextRct},
    {u"fontname", &TsfDataSkinMainMenuItem::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinMainMenuItem::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinMainMenuItem::FontStyle},
    {u"fontcolor", &TsfDataSkinMainMenuItem::FontColor},
    {u"activefontcolor", &TsfDataSkinMainMenuItem::ActiveFontColor},
    {u"downfontcolor", &TsfDataSkinMainMenuItem::DownFontColor},
    {u"unenabledfontColor", &TsfDataSkinMainMenuItem::UnEnabledFontColor},
    {u"stretcheffect", &TsfDataSkinMainMenuItem::StretchEffect},
    {u"animateskinrect", &TsfDataSkinMainMenuItem::AnimateSkinRect},
    {u"framecount", &TsfDataSkinMainMenuItem::FrameCount},
    {u"animateinterval", &TsfDataSkinMainMenuItem::AnimateInterval, 25},
    {u"inactiveanimation", &TsfDataSkinMainMenuItem::InActiveAnimation},
};

void TsfDataSkinMainMenuItem::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinMainMenuItem::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinTrackBar> TsfDataSkinTrackBar::Keys = {
    {u"buttonrect", &TsfDataSkinTrackBar::ButtonRect},
    {u"activebuttonrect", &TsfDataSkinTrackBar::ActiveButtonRect},
    {u"beginpoint", &TsfDataSkinTrackBar::BeginPoint},
    {u"endpoint", &TsfDataSkinTrackBar::EndPoint},
    {u"minvalue", &TsfDataSkinTrackBar::MinValue},
    {u"maxvalue", &TsfDataSkinTrackBar::MaxValue},
    {u"mousedownchangevalue", &TsfDataSkinTrackBar::MouseDownChangeValue},
    {u"buttontransparent", &TsfDataSkinTrackBar::ButtonTransparent},
    {u"buttontransparentcolor", &TsfDataSkinTrackBar::ButtonTransparentColor},
};

void TsfDataSkinTrackBar::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
    Morphing = false;
}

void TsfDataSkinTrackBar::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinGauge> TsfDataSkinGauge::Keys = {
    {u"minvalue", &TsfDataSkinGauge::MinValue},
    {u"maxvalue", &TsfDataSkinGauge::MaxValue},
    {u"kind", &TsfDataSkinGauge::Kind},
};

void TsfDataSkinGauge::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinGauge::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinFrameGaugeObject> TsfDataSkinFrameGaugeObject::Keys = {
    {u"minvalue", &TsfDataSkinFrameGaugeObject::MinValue},
    {u"maxvalue", &TsfDataSkinFrameGaugeObject::MaxValue},
    {u"countframes", &TsfDataSkinFrameGaugeObject::CountFrames},
    {u"framesplacement", &TsfDataSkinFrameGaugeObject::FramesPlacement},
};

void TsfDataSkinFrameGaugeObject::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinFrameGaugeObject::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinFrameRegulatorObject> TsfDataSkinFrameRegulatorObject::Keys = {
    {u"minvalue", &TsfDataSkinFrameRegulatorObject::MinValue},
    {u"maxvalue", &TsfDataSkinFrameRegulatorObject::MaxValue},
    {u"countframes", &TsfDataSkinFrameRegulatorObject::CountFrames},
    {u"framesplacement", &TsfDataSkinFrameRegulatorObject::FramesPlacement},
    {u"kind", &TsfDataSkinFrameRegulatorObject::Kind},
};

void TsfDataSkinFrameRegulatorObject::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinFrameRegulatorObject::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinLabel> TsfDataSkinLabel::Keys = {
    // The reader asks for "fontName", the writer writes "fontname": one key, as keys match without case.
    {u"fontname", &TsfDataSkinLabel::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinLabel::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinLabel::FontStyle},
    {u"fontcolor", &TsfDataSkinLabel::FontColor},
    {u"activefontcolor", &TsfDataSkinLabel::ActiveFontColor},
    {u"alignment", &TsfDataSkinLabel::Alignment},
    {u"textvalue", &TsfDataSkinLabel::TextValue},
};

void TsfDataSkinLabel::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinLabel::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinBitLabel> TsfDataSkinBitLabel::Keys = {
    {u"textvalue", &TsfDataSkinBitLabel::TextValue},
    {u"symbolwidth", &TsfDataSkinBitLabel::SymbolWidth},
    {u"symbolheight", &TsfDataSkinBitLabel::SymbolHeight},
    {u"symbols", &TsfDataSkinBitLabel::Symbols},
    {u"transparent", &TsfDataSkinBitLabel::Transparent},
    {u"transparentcolor", &TsfDataSkinBitLabel::TransparentColor, 16711935},
};

void TsfDataSkinBitLabel::LoadFromFile(const TCustomIniFile* IniFile)
{
    inherited::LoadFromFile(IniFile);
    Morphing = false;
    ReadSkinKeys(IniFile, IDName, *this, Keys);
}

void TsfDataSkinBitLabel::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinAnimate> TsfDataSkinAnimate::Keys = {
    {u"countframes", &TsfDataSkinAnimate::CountFrames, 1},
    {u"cycle", &TsfDataSkinAnimate::Cycle},
    {u"buttonstyle", &TsfDataSkinAnimate::ButtonStyle},
    {u"timerinterval", &TsfDataSkinAnimate::TimerInterval, 50},
    {u"command", &TsfDataSkinAnimate::Command},
    {u"downskinrect", &TsfDataSkinAnimate::DownSkinRect},
    {u"restorerect", &TsfDataSkinAnimate::RestoreRect},
    {u"restoreactiverect", &TsfDataSkinAnimate::RestoreActiveRect},
    {u"restoredownrect", &TsfDataSkinAnimate::RestoreDownRect},
    {u"restoreinactiverect", &TsfDataSkinAnimate::RestoreInActiveRect},
    {u"restorehint", &TsfDataSkinAnimate::RestoreHint},
};

void TsfDataSkinAnimate::LoadFromFile(const TCustomIniFile* IniFile)
{
    inherited::LoadFromFile(IniFile);
    Morphing = false;
    ReadSkinKeys(IniFile, IDName, *this, Keys);
    DefaultRestoreHint(Hint, Command, RestoreHint);
}

void TsfDataSkinAnimate::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteParentAndKeys(*this, IniFile);
}


// ---------------------------------------------------------------------------

namespace {

template <class C>
constexpr TSkinKind<TsfDataSkinObject> Kind(const char16_t* Word)
{
    return SkinKind<TsfDataSkinObject, C>(Word);
}

constexpr TSkinKind<TsfDataSkinObject> ObjectKinds[] = {
    Kind<TsfDataSkinMenuItem>(u"menuitem"),
    Kind<TsfDataSkinMainMenuBarItem>(u"mainmenubaritem"),
    Kind<TsfDataSkinMainMenuItem>(u"mainmenuitem"),
    Kind<TsfDataSkinMainMenuBarButton>(u"mainmenubarbutton"),
    Kind<TsfDataSkinStdButton>(u"stdbutton"),
    Kind<TsfDataSkinButton>(u"button"),
    Kind<TsfDataSkinCaption>(u"caption"),
    Kind<TsfDataSkinTrackBar>(u"trackbar"),
    Kind<TsfDataSkinGauge>(u"gauge"),
    Kind<TsfDataSkinFrameGaugeObject>(u"framegauge"),
    Kind<TsfDataSkinFrameRegulatorObject>(u"frameregulator"),
    Kind<TsfDataSkinLabel>(u"label"),
    Kind<TsfDataSkinBitLabel>(u"bitlabel"),
    Kind<TsfDataSkinSwitch>(u"switch"),
    Kind<TsfDataSkinAnimate>(u"animate"),
    Kind<TsfDataUserObject>(u"userobject"),
};

}  // namespace

std::unique_ptr<TsfDataSkinObject> CreateSkinObjectData(const String& Kind, const String& IDName)
{
    return CreateSkinData(ObjectKinds, Kind, IDName);
}

String SkinObjectKind(const TsfDataSkinObject* Data)
{
    return SkinKindOf(ObjectKinds, Data);
}
