#include "skin/model/SFControlData.h"

const TSkinKeys<TsfDataSkinControl> TsfDataSkinControl::Keys = {
    {u"pictureindex", &TsfDataSkinControl::PictureIndex, -1},
    {u"maskpictureindex", &TsfDataSkinControl::MaskPictureIndex, -1},
    {u"cursorindex", &TsfDataSkinControl::CursorIndex, -1},
    {u"skinrect", &TsfDataSkinControl::SkinRect},
};

void TsfDataSkinControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadSkinKeys(IniFile, IDName, *this, Keys);
}

void TsfDataSkinControl::SaveToFile(TCustomIniFile* IniFile)
{
    IniFile->EraseSection(IDName);
    WriteSkinKeys(IniFile, IDName, *this, Keys);
}

const TSkinKeys<TsfDataSkinCustomControl> TsfDataSkinCustomControl::Keys = {
    {u"lefttoppoint", &TsfDataSkinCustomControl::LTPoint},
    {u"righttoppoint", &TsfDataSkinCustomControl::RTPoint},
    {u"leftbottompoint", &TsfDataSkinCustomControl::LBPoint},
    {u"rightbottompoint", &TsfDataSkinCustomControl::RBPoint},
    {u"clientrect", &TsfDataSkinCustomControl::ClRect},
    {u"stretcheffect", &TsfDataSkinCustomControl::StretchEffect},
    {u"leftstretch", &TsfDataSkinCustomControl::LeftStretch},
    {u"topstretch", &TsfDataSkinCustomControl::TopStretch},
    {u"rightstretch", &TsfDataSkinCustomControl::RightStretch},
    {u"bottomstretch", &TsfDataSkinCustomControl::BottomStretch},
    {u"stretchtype", &TsfDataSkinCustomControl::StretchType},
};

void TsfDataSkinCustomControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinCustomControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinBevel> TsfDataSkinBevel::Keys = {
    {u"lightcolor", &TsfDataSkinBevel::LightColor},
    {u"darkcolor", &TsfDataSkinBevel::DarkColor},
};

void TsfDataSkinBevel::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinBevel::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinSlider> TsfDataSkinSlider::Keys = {
    {u"bgcolor", &TsfDataSkinSlider::BGColor},
    {u"hrulerrect", &TsfDataSkinSlider::HRulerRect},
    {u"hthumbrect", &TsfDataSkinSlider::HThumbRect},
    {u"vrulerrect", &TsfDataSkinSlider::VRulerRect},
    {u"vthumbrect", &TsfDataSkinSlider::VThumbRect},
    {u"edgesize", &TsfDataSkinSlider::EdgeSize},
    {u"pointscolor", &TsfDataSkinSlider::PointsColor},
};

void TsfDataSkinSlider::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinSlider::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinTreeView> TsfDataSkinTreeView::Keys = {
    {u"fontname", &TsfDataSkinTreeView::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinTreeView::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinTreeView::FontStyle},
    {u"fontcolor", &TsfDataSkinTreeView::FontColor},
    {u"bgcolor", &TsfDataSkinTreeView::BGColor},
    {u"expandimagerect", &TsfDataSkinTreeView::ExpandImageRect},
    {u"noexpandimagerect", &TsfDataSkinTreeView::NoExpandImageRect},
};

void TsfDataSkinTreeView::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinTreeView::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinListView> TsfDataSkinListView::Keys = {
    {u"fontname", &TsfDataSkinListView::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinListView::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinListView::FontStyle},
    {u"fontcolor", &TsfDataSkinListView::FontColor},
    {u"bgcolor", &TsfDataSkinListView::BGColor},
};

void TsfDataSkinListView::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinListView::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinRichEdit> TsfDataSkinRichEdit::Keys = {
    {u"fontname", &TsfDataSkinRichEdit::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinRichEdit::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinRichEdit::FontStyle},
    {u"fontcolor", &TsfDataSkinRichEdit::FontColor},
    {u"bgcolor", &TsfDataSkinRichEdit::BGColor},
};

void TsfDataSkinRichEdit::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinRichEdit::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinMainMenuBar> TsfDataSkinMainMenuBar::Keys = {
    {u"itemsrect", &TsfDataSkinMainMenuBar::ItemsRect},
    {u"menubaritem", &TsfDataSkinMainMenuBar::MenuBarItem},
    {u"closebutton", &TsfDataSkinMainMenuBar::CloseButton},
    {u"minbutton", &TsfDataSkinMainMenuBar::MinButton},
    {u"maxbutton", &TsfDataSkinMainMenuBar::MaxButton},
    {u"sysmenubutton", &TsfDataSkinMainMenuBar::SysMenuButton},
    {u"trackmarkcolor", &TsfDataSkinMainMenuBar::TrackMarkColor},
    {u"trackmarkactivecolor", &TsfDataSkinMainMenuBar::TrackMarkActiveColor},
    {u"stretcheffect", &TsfDataSkinMainMenuBar::StretchEffect},
    {u"itemtransparent", &TsfDataSkinMainMenuBar::ItemTransparent},
};

void TsfDataSkinMainMenuBar::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinMainMenuBar::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinTabControl> TsfDataSkinTabControl::Keys = {
    {u"tabrect", &TsfDataSkinTabControl::TabRect},
    {u"activetabrect", &TsfDataSkinTabControl::ActiveTabRect},
    {u"focustabrect", &TsfDataSkinTabControl::FocusTabRect},
    {u"mouseintabrect", &TsfDataSkinTabControl::MouseInTabRect},
    {u"clientrect", &TsfDataSkinTabControl::ClRect},
    {u"bgpictureindex", &TsfDataSkinTabControl::BGPictureIndex, -1},
    {u"lefttoppoint", &TsfDataSkinTabControl::LTPoint},
    {u"righttoppoint", &TsfDataSkinTabControl::RTPoint},
    {u"leftbottompoint", &TsfDataSkinTabControl::LBPoint},
    {u"rightbottompoint", &TsfDataSkinTabControl::RBPoint},
    {u"tableftoffset", &TsfDataSkinTabControl::TabLeftOffset},
    {u"tabrightoffset", &TsfDataSkinTabControl::TabRightOffset},
    {u"tabsbgrect", &TsfDataSkinTabControl::TabsBGRect},
    {u"tabstretcheffect", &TsfDataSkinTabControl::TabStretchEffect},
    {u"leftstretch", &TsfDataSkinTabControl::LeftStretch},
    {u"topstretch", &TsfDataSkinTabControl::TopStretch},
    {u"rightstretch", &TsfDataSkinTabControl::RightStretch},
    {u"bottomstretch", &TsfDataSkinTabControl::BottomStretch},
    {u"stretcheffect", &TsfDataSkinTabControl::StretchEffect},
    {u"stretchtype", &TsfDataSkinTabControl::StretchType},
    {u"fontname", &TsfDataSkinTabControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinTabControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinTabControl::FontStyle},
    {u"fontcolor", &TsfDataSkinTabControl::FontColor},
    {u"activefontcolor", &TsfDataSkinTabControl::ActiveFontColor},
    {u"focusfontcolor", &TsfDataSkinTabControl::FocusFontColor},
    {u"mouseinfontcolor", &TsfDataSkinTabControl::MouseInFontColor},
    {u"updown", &TsfDataSkinTabControl::UpDown},
    {u"showfocus", &TsfDataSkinTabControl::ShowFocus},
    {u"focusoffsetx", &TsfDataSkinTabControl::FocusOffsetX},
    {u"focusoffsety", &TsfDataSkinTabControl::FocusOffsetY},
    {u"closebuttonrect", &TsfDataSkinTabControl::CloseButtonRect},
    {u"closebuttonactiverect", &TsfDataSkinTabControl::CloseButtonActiveRect},
    {u"closebuttondownrect", &TsfDataSkinTabControl::CloseButtonDownRect},
    {u"buttontransparent", &TsfDataSkinTabControl::ButtonTransparent},
    {u"buttontransparentcolor", &TsfDataSkinTabControl::ButtonTransparentColor},
    {u"tableftbottomactiverect", &TsfDataSkinTabControl::TabLeftBottomActiveRect},
    {u"tableftbottomfocusrect", &TsfDataSkinTabControl::TabLeftBottomFocusRect},
};

void TsfDataSkinTabControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinTabControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinGridControl> TsfDataSkinGridControl::Keys = {
    {u"fixedcellrect", &TsfDataSkinGridControl::FixedCellRect},
    {u"selectcellrect", &TsfDataSkinGridControl::SelectCellRect},
    {u"focuscellrect", &TsfDataSkinGridControl::FocusCellRect},
    {u"fixedcellleftoffset", &TsfDataSkinGridControl::FixedCellLeftOffset},
    {u"fixedcellrightoffset", &TsfDataSkinGridControl::FixedCellRightOffset},
    {u"fixedcelltextrect", &TsfDataSkinGridControl::FixedCellTextRect},
    {u"cellleftoffset", &TsfDataSkinGridControl::CellLeftOffset},
    {u"cellrightoffset", &TsfDataSkinGridControl::CellRightOffset},
    {u"celltextrect", &TsfDataSkinGridControl::CellTextRect},
    {u"linescolor", &TsfDataSkinGridControl::LinesColor},
    {u"bgcolor", &TsfDataSkinGridControl::BGColor},
    {u"bgpictureindex", &TsfDataSkinGridControl::BGPictureIndex, -1},
    {u"fontname", &TsfDataSkinGridControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinGridControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinGridControl::FontStyle},
    {u"fontcolor", &TsfDataSkinGridControl::FontColor},
    {u"selectfontcolor", &TsfDataSkinGridControl::SelectFontColor},
    {u"focusfontcolor", &TsfDataSkinGridControl::FocusFontColor},
    {u"fixedfontname", &TsfDataSkinGridControl::FixedFontName, u"Arial"},
    {u"fixedfontheight", &TsfDataSkinGridControl::FixedFontHeight, 14},
    {u"fixedfontstyle", &TsfDataSkinGridControl::FixedFontStyle},
    {u"fixedfontcolor", &TsfDataSkinGridControl::FixedFontColor},
    {u"cellstretcheffect", &TsfDataSkinGridControl::CellStretchEffect},
    {u"fixedcellstretcheffect", &TsfDataSkinGridControl::FixedCellStretchEffect},
    {u"showfocus", &TsfDataSkinGridControl::ShowFocus},
};

void TsfDataSkinGridControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinGridControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinFrameControl> TsfDataSkinFrameControl::Keys = {
    {u"framescount", &TsfDataSkinFrameControl::FramesCount, 1},
    {u"framesplacement", &TsfDataSkinFrameControl::FramesPlacement},
};

void TsfDataSkinFrameControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
    if (FramesCount < 1) FramesCount = 1;
}

void TsfDataSkinFrameControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinFrameRegulator> TsfDataSkinFrameRegulator::Keys = {
    {u"kind", &TsfDataSkinFrameRegulator::Kind},
};

void TsfDataSkinFrameRegulator::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinFrameRegulator::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinStdLabelControl> TsfDataSkinStdLabelControl::Keys = {
    {u"fontname", &TsfDataSkinStdLabelControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinStdLabelControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinStdLabelControl::FontStyle},
    {u"fontcolor", &TsfDataSkinStdLabelControl::FontColor},
    {u"activefontcolor", &TsfDataSkinStdLabelControl::ActiveFontColor, 16711680},
};

void TsfDataSkinStdLabelControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinStdLabelControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinButtonControl> TsfDataSkinButtonControl::Keys = {
    {u"fontname", &TsfDataSkinButtonControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinButtonControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinButtonControl::FontStyle},
    {u"fontcolor", &TsfDataSkinButtonControl::FontColor},
    {u"activefontcolor", &TsfDataSkinButtonControl::ActiveFontColor},
    {u"downfontcolor", &TsfDataSkinButtonControl::DownFontColor},
    {u"disabledfontcolor", &TsfDataSkinButtonControl::DisabledFontColor},
    {u"morphing", &TsfDataSkinButtonControl::Morphing},
    {u"morphkind", &TsfDataSkinButtonControl::MorphKind},
    {u"activeskinrect", &TsfDataSkinButtonControl::ActiveSkinRect},
    {u"downskinrect", &TsfDataSkinButtonControl::DownSkinRect},
    {u"focusedskinrect", &TsfDataSkinButtonControl::FocusedSkinRect},
    {u"disabledskinrect", &TsfDataSkinButtonControl::DisabledSkinRect},
    {u"animateskinrect", &TsfDataSkinButtonControl::AnimateSkinRect},
    {u"framecount", &TsfDataSkinButtonControl::FrameCount},
    {u"animateinterval", &TsfDataSkinButtonControl::AnimateInterval, 25},
    {u"showfocus", &TsfDataSkinButtonControl::ShowFocus},
    {u"menumarkerflatrect", &TsfDataSkinButtonControl::MenuMarkerFlatRect},
    {u"menumarkerrect", &TsfDataSkinButtonControl::MenuMarkerRect},
    {u"menumarkeractiverect", &TsfDataSkinButtonControl::MenuMarkerActiveRect},
    {u"menumarkerdownrect", &TsfDataSkinButtonControl::MenuMarkerDownRect},
    {u"menumarkertransparentcolor", &TsfDataSkinButtonControl::MenuMarkerTransparentColor},
    {u"glowlayerpictureindex", &TsfDataSkinButtonControl::GlowLayerPictureIndex, -1},
    {u"glowlayermaskpictureindex", &TsfDataSkinButtonControl::GlowLayerMaskPictureIndex, -1},
    {u"glowlayeroffsetleft", &TsfDataSkinButtonControl::GlowLayerOffsetLeft},
    {u"glowlayeroffsetright", &TsfDataSkinButtonControl::GlowLayerOffsetRight},
    {u"glowlayeroffsettop", &TsfDataSkinButtonControl::GlowLayerOffsetTop},
    {u"glowlayeroffsetbottom", &TsfDataSkinButtonControl::GlowLayerOffsetBottom},
    {u"glowlayershowoffsetx", &TsfDataSkinButtonControl::GlowLayerShowOffsetX},
    {u"glowlayershowoffsety", &TsfDataSkinButtonControl::GlowLayerShowOffsetY},
    {u"glowlayeralphablendvalue", &TsfDataSkinButtonControl::GlowLayerAlphaBlendValue, 255},
};

void TsfDataSkinButtonControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinButtonControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinMenuButtonControl> TsfDataSkinMenuButtonControl::Keys = {
    {u"trackbuttonrect", &TsfDataSkinMenuButtonControl::TrackButtonRect},
};

void TsfDataSkinMenuButtonControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinMenuButtonControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinCheckRadioControl> TsfDataSkinCheckRadioControl::Keys = {
    {u"fontname", &TsfDataSkinCheckRadioControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinCheckRadioControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinCheckRadioControl::FontStyle},
    {u"fontcolor", &TsfDataSkinCheckRadioControl::FontColor},
    {u"activefontcolor", &TsfDataSkinCheckRadioControl::ActiveFontColor},
    {u"unenabledfontcolor", &TsfDataSkinCheckRadioControl::UnEnabledFontColor},
    {u"framefontcolor", &TsfDataSkinCheckRadioControl::FrameFontColor},
    {u"morphing", &TsfDataSkinCheckRadioControl::Morphing},
    {u"morphkind", &TsfDataSkinCheckRadioControl::MorphKind},
    {u"activeskinrect", &TsfDataSkinCheckRadioControl::ActiveSkinRect},
    {u"checkimagearea", &TsfDataSkinCheckRadioControl::CheckImageArea},
    {u"textarea", &TsfDataSkinCheckRadioControl::TextArea},
    {u"checkimagerect", &TsfDataSkinCheckRadioControl::CheckImageRect},
    {u"uncheckimagerect", &TsfDataSkinCheckRadioControl::UnCheckImageRect},
    {u"activecheckimagerect", &TsfDataSkinCheckRadioControl::ActiveCheckImageRect},
    {u"activeuncheckimagerect", &TsfDataSkinCheckRadioControl::ActiveUnCheckImageRect},
    {u"unenabledcheckimagerect", &TsfDataSkinCheckRadioControl::UnEnabledCheckImageRect},
    {u"unenableduncheckimagerect", &TsfDataSkinCheckRadioControl::UnEnabledUnCheckImageRect},
    {u"grayedcheckimagerect", &TsfDataSkinCheckRadioControl::GrayedCheckImageRect},
    {u"activegrayedcheckimagerect", &TsfDataSkinCheckRadioControl::ActiveGrayedCheckImageRect},
};

void TsfDataSkinCheckRadioControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinCheckRadioControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinPanelControl> TsfDataSkinPanelControl::Keys = {
    {u"bgpictureindex", &TsfDataSkinPanelControl::BGPictureIndex, -1},
    {u"captionrect", &TsfDataSkinPanelControl::CaptionRect},
    {u"alignment", &TsfDataSkinPanelControl::Alignment},
    {u"fontname", &TsfDataSkinPanelControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinPanelControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinPanelControl::FontStyle},
    {u"fontcolor", &TsfDataSkinPanelControl::FontColor},
    {u"checkimagerect", &TsfDataSkinPanelControl::CheckImageRect},
    {u"uncheckimagerect", &TsfDataSkinPanelControl::UnCheckImageRect},
    {u"markframerect", &TsfDataSkinPanelControl::MarkFrameRect},
    {u"framerect", &TsfDataSkinPanelControl::FrameRect},
    {u"frametextrect", &TsfDataSkinPanelControl::FrameTextRect},
    {u"frameleftoffset", &TsfDataSkinPanelControl::FrameLeftOffset},
    {u"framerightoffset", &TsfDataSkinPanelControl::FrameRightOffset},
    {u"gripperrect", &TsfDataSkinPanelControl::GripperRect},
    {u"grippertransparent", &TsfDataSkinPanelControl::GripperTransparent},
    {u"grippertransparentcolor", &TsfDataSkinPanelControl::GripperTransparentColor},
};

void TsfDataSkinPanelControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinPanelControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinExPanelControl> TsfDataSkinExPanelControl::Keys = {
    {u"rollhskinrect", &TsfDataSkinExPanelControl::RollHSkinRect},
    {u"rollvskinrect", &TsfDataSkinExPanelControl::RollVSkinRect},
    {u"rollleftoffset", &TsfDataSkinExPanelControl::RollLeftOffset},
    {u"rollrightoffset", &TsfDataSkinExPanelControl::RollRightOffset},
    {u"rolltopoffset", &TsfDataSkinExPanelControl::RollTopOffset},
    {u"rollbottomoffset", &TsfDataSkinExPanelControl::RollBottomOffset},
    {u"rollvcaptionrect", &TsfDataSkinExPanelControl::RollVCaptionRect},
    {u"rollhcaptionrect", &TsfDataSkinExPanelControl::RollHCaptionRect},
    {u"closebuttonrect", &TsfDataSkinExPanelControl::CloseButtonRect},
    {u"closebuttonactiverect", &TsfDataSkinExPanelControl::CloseButtonActiveRect},
    {u"closebuttondownrect", &TsfDataSkinExPanelControl::CloseButtonDownRect},
    {u"hrollbuttonrect", &TsfDataSkinExPanelControl::HRollButtonRect},
    {u"hrollbuttonactiverect", &TsfDataSkinExPanelControl::HRollButtonActiveRect},
    {u"hrollbuttondownrect", &TsfDataSkinExPanelControl::HRollButtonDownRect},
    {u"hrestorebuttonrect", &TsfDataSkinExPanelControl::HRestoreButtonRect},
    {u"hrestorebuttonactiverect", &TsfDataSkinExPanelControl::HRestoreButtonActiveRect},
    {u"hrestorebuttondownrect", &TsfDataSkinExPanelControl::HRestoreButtonDownRect},
    {u"vrollbuttonrect", &TsfDataSkinExPanelControl::VRollButtonRect},
    {u"vrollbuttonactiverect", &TsfDataSkinExPanelControl::VRollButtonActiveRect},
    {u"vrollbuttondownrect", &TsfDataSkinExPanelControl::VRollButtonDownRect},
    {u"vrestorebuttonrect", &TsfDataSkinExPanelControl::VRestoreButtonRect},
    {u"vrestorebuttonactiverect", &TsfDataSkinExPanelControl::VRestoreButtonActiveRect},
    {u"vrestorebuttondownrect", &TsfDataSkinExPanelControl::VRestoreButtonDownRect},
    {u"captionrect", &TsfDataSkinExPanelControl::CaptionRect},
    {u"fontname", &TsfDataSkinExPanelControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinExPanelControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinExPanelControl::FontStyle},
    {u"fontcolor", &TsfDataSkinExPanelControl::FontColor},
    {u"buttonstransparent", &TsfDataSkinExPanelControl::ButtonsTransparent},
    {u"buttonstransparentcolor", &TsfDataSkinExPanelControl::ButtonsTransparentColor},
};

void TsfDataSkinExPanelControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinExPanelControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinScrollBoxControl> TsfDataSkinScrollBoxControl::Keys = {
    {u"bgpictureindex", &TsfDataSkinScrollBoxControl::BGPictureIndex, -1},
};

void TsfDataSkinScrollBoxControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinScrollBoxControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinGaugeControl> TsfDataSkinGaugeControl::Keys = {
    {u"progressarea", &TsfDataSkinGaugeControl::ProgressArea},
    {u"progressrect", &TsfDataSkinGaugeControl::ProgressRect},
    {u"beginoffset", &TsfDataSkinGaugeControl::BeginOffset},
    {u"endoffset", &TsfDataSkinGaugeControl::EndOffset},
    {u"vertical", &TsfDataSkinGaugeControl::Vertical},
    {u"fontname", &TsfDataSkinGaugeControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinGaugeControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinGaugeControl::FontStyle},
    {u"fontcolor", &TsfDataSkinGaugeControl::FontColor},
    {u"progresstransparent", &TsfDataSkinGaugeControl::ProgressTransparent},
    {u"progresstransparentcolor", &TsfDataSkinGaugeControl::ProgressTransparentColor},
    {u"progressstretch", &TsfDataSkinGaugeControl::ProgressStretch},
    {u"animationskinrect", &TsfDataSkinGaugeControl::AnimationSkinRect},
    {u"animationcountframes", &TsfDataSkinGaugeControl::AnimationCountFrames},
    {u"animationtimerinterval", &TsfDataSkinGaugeControl::AnimationTimerInterval},
    {u"progressanimationskinrect", &TsfDataSkinGaugeControl::ProgressAnimationSkinRect},
    {u"progressanimationcountframes", &TsfDataSkinGaugeControl::ProgressAnimationCountFrames},
    {u"progressanimationtimerinterval", &TsfDataSkinGaugeControl::ProgressAnimationTimerInterval},
    {u"animationbeginoffset", &TsfDataSkinGaugeControl::AnimationBeginOffset},
    {u"animationendoffset", &TsfDataSkinGaugeControl::AnimationEndOffset},
};

void TsfDataSkinGaugeControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinGaugeControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinSplitterControl> TsfDataSkinSplitterControl::Keys = {
    {u"gripperrect", &TsfDataSkinSplitterControl::GripperRect},
    {u"grippertransparent", &TsfDataSkinSplitterControl::GripperTransparent},
    {u"grippertransparentcolor", &TsfDataSkinSplitterControl::GripperTransparentColor},
};

void TsfDataSkinSplitterControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinSplitterControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinTrackBarControl> TsfDataSkinTrackBarControl::Keys = {
    {u"activeskinrect", &TsfDataSkinTrackBarControl::ActiveSkinRect},
    {u"trackarea", &TsfDataSkinTrackBarControl::TrackArea},
    {u"buttonrect", &TsfDataSkinTrackBarControl::ButtonRect},
    {u"activebuttonrect", &TsfDataSkinTrackBarControl::ActiveButtonRect},
    {u"vertical", &TsfDataSkinTrackBarControl::Vertical},
    {u"buttontransparent", &TsfDataSkinTrackBarControl::ButtonTransparent},
    {u"buttontransparentcolor", &TsfDataSkinTrackBarControl::ButtonTransparentColor},
};

void TsfDataSkinTrackBarControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinTrackBarControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinLabelControl> TsfDataSkinLabelControl::Keys = {
    {u"fontname", &TsfDataSkinLabelControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinLabelControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinLabelControl::FontStyle},
    {u"fontcolor", &TsfDataSkinLabelControl::FontColor},
};

void TsfDataSkinLabelControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinLabelControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinBitLabelControl> TsfDataSkinBitLabelControl::Keys = {
    {u"skintextrect", &TsfDataSkinBitLabelControl::SkinTextRect},
    {u"symbolwidth", &TsfDataSkinBitLabelControl::SymbolWidth},
    {u"symbolheight", &TsfDataSkinBitLabelControl::SymbolHeight},
    {u"symbols", &TsfDataSkinBitLabelControl::Symbols},
};

void TsfDataSkinBitLabelControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinBitLabelControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinScrollBarControl> TsfDataSkinScrollBarControl::Keys = {
    {u"trackarea", &TsfDataSkinScrollBarControl::TrackArea},
    {u"upbuttonrect", &TsfDataSkinScrollBarControl::UpButtonRect},
    {u"activeupbuttonrect", &TsfDataSkinScrollBarControl::ActiveUpButtonRect},
    {u"downupbuttonrect", &TsfDataSkinScrollBarControl::DownUpButtonRect},
    {u"downbuttonrect", &TsfDataSkinScrollBarControl::DownButtonRect},
    {u"activedownbuttonrect", &TsfDataSkinScrollBarControl::ActiveDownButtonRect},
    {u"downdownbuttonrect", &TsfDataSkinScrollBarControl::DownDownButtonRect},
    {u"thumbrect", &TsfDataSkinScrollBarControl::ThumbRect},
    {u"activethumbrect", &TsfDataSkinScrollBarControl::ActiveThumbRect},
    {u"downthumbrect", &TsfDataSkinScrollBarControl::DownThumbRect},
    {u"thumboffset1", &TsfDataSkinScrollBarControl::ThumbOffset1},
    {u"thumboffset2", &TsfDataSkinScrollBarControl::ThumbOffset2},
    {u"thumbtransparent", &TsfDataSkinScrollBarControl::ThumbTransparent},
    {u"thumbtransparentcolor", &TsfDataSkinScrollBarControl::ThumbTransparentColor},
    {u"thumbstretcheffect", &TsfDataSkinScrollBarControl::ThumbStretchEffect},
    {u"thumbminsize", &TsfDataSkinScrollBarControl::ThumbMinSize},
    {u"thumbminpagesize", &TsfDataSkinScrollBarControl::ThumbMinPageSize},
    {u"glyphrect", &TsfDataSkinScrollBarControl::GlyphRect},
    {u"activeglyphrect", &TsfDataSkinScrollBarControl::ActiveGlyphRect},
    {u"downglyphrect", &TsfDataSkinScrollBarControl::DownGlyphRect},
    {u"glyphtransparent", &TsfDataSkinScrollBarControl::GlyphTransparent},
    {u"glyphtransparentcolor", &TsfDataSkinScrollBarControl::GlyphTransparentColor},
};

void TsfDataSkinScrollBarControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinScrollBarControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinUpDownControl> TsfDataSkinUpDownControl::Keys = {
    {u"upbuttonrect", &TsfDataSkinUpDownControl::UpButtonRect},
    {u"activeupbuttonrect", &TsfDataSkinUpDownControl::ActiveUpButtonRect},
    {u"downupbuttonrect", &TsfDataSkinUpDownControl::DownUpButtonRect},
    {u"downbuttonrect", &TsfDataSkinUpDownControl::DownButtonRect},
    {u"activedownbuttonrect", &TsfDataSkinUpDownControl::ActiveDownButtonRect},
    {u"downdownbuttonrect", &TsfDataSkinUpDownControl::DownDownButtonRect},
};

void TsfDataSkinUpDownControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
    ClearGeometry();
}

void TsfDataSkinUpDownControl::SaveToFile(TCustomIniFile* IniFile)
{
    ClearGeometry();
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinEditControl> TsfDataSkinEditControl::Keys = {
    {u"activeskinrect", &TsfDataSkinEditControl::ActiveSkinRect},
    {u"fontname", &TsfDataSkinEditControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinEditControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinEditControl::FontStyle},
    {u"fontcolor", &TsfDataSkinEditControl::FontColor},
    {u"activefontcolor", &TsfDataSkinEditControl::ActiveFontColor},
    {u"disabledfontcolor", &TsfDataSkinEditControl::DisabledFontColor},
    {u"buttonrect", &TsfDataSkinEditControl::ButtonRect},
    {u"activebuttonrect", &TsfDataSkinEditControl::ActiveButtonRect},
    {u"downbuttonrect", &TsfDataSkinEditControl::DownButtonRect},
    {u"unenabledbuttonrect", &TsfDataSkinEditControl::UnEnabledButtonRect},
};

void TsfDataSkinEditControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinEditControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinMemoControl> TsfDataSkinMemoControl::Keys = {
    {u"bgcolor", &TsfDataSkinMemoControl::BGColor},
    {u"activebgcolor", &TsfDataSkinMemoControl::ActiveBGColor},
};

void TsfDataSkinMemoControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinMemoControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinSpinEditControl> TsfDataSkinSpinEditControl::Keys = {
    {u"activeskinrect", &TsfDataSkinSpinEditControl::ActiveSkinRect},
    {u"fontname", &TsfDataSkinSpinEditControl::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinSpinEditControl::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinSpinEditControl::FontStyle},
    {u"fontcolor", &TsfDataSkinSpinEditControl::FontColor},
    {u"activefontcolor", &TsfDataSkinSpinEditControl::ActiveFontColor},
    {u"disabledfontcolor", &TsfDataSkinSpinEditControl::DisabledFontColor},
    {u"upbuttonrect", &TsfDataSkinSpinEditControl::UpButtonRect},
    {u"activeupbuttonrect", &TsfDataSkinSpinEditControl::ActiveUpButtonRect},
    {u"downupbuttonrect", &TsfDataSkinSpinEditControl::DownUpButtonRect},
    {u"downbuttonrect", &TsfDataSkinSpinEditControl::DownButtonRect},
    {u"activedownbuttonrect", &TsfDataSkinSpinEditControl::ActiveDownButtonRect},
    {u"downdownbuttonrect", &TsfDataSkinSpinEditControl::DownDownButtonRect},
};

void TsfDataSkinSpinEditControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinSpinEditControl::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinComboBox> TsfDataSkinComboBox::Keys = {
    {u"activeskinrect", &TsfDataSkinComboBox::ActiveSkinRect},
    {u"itemrect", &TsfDataSkinComboBox::SItemRect},
    {u"activeitemrect", &TsfDataSkinComboBox::ActiveItemRect},
    {u"focusitemrect", &TsfDataSkinComboBox::FocusItemRect},
    {u"itemleftoffset", &TsfDataSkinComboBox::ItemLeftOffset},
    {u"itemrightoffset", &TsfDataSkinComboBox::ItemRightOffset},
    {u"itemtextrect", &TsfDataSkinComboBox::ItemTextRect},
    {u"fontname", &TsfDataSkinComboBox::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinComboBox::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinComboBox::FontStyle},
    {u"fontcolor", &TsfDataSkinComboBox::FontColor},
    {u"focusfontcolor", &TsfDataSkinComboBox::FocusFontColor},
    {u"activefontcolor", &TsfDataSkinComboBox::ActiveFontColor},
    {u"buttonrect", &TsfDataSkinComboBox::ButtonRect},
    {u"activebuttonrect", &TsfDataSkinComboBox::ActiveButtonRect},
    {u"downbuttonrect", &TsfDataSkinComboBox::DownButtonRect},
    {u"unenabledbuttonrect", &TsfDataSkinComboBox::UnEnabledButtonRect},
    {u"listboxname", &TsfDataSkinComboBox::ListBoxName},
    {u"itemstretcheffect", &TsfDataSkinComboBox::ItemStretchEffect},
    {u"focusitemstretcheffect", &TsfDataSkinComboBox::FocusItemStretchEffect},
    {u"showfocus", &TsfDataSkinComboBox::ShowFocus},
};

void TsfDataSkinComboBox::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinComboBox::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinListBox> TsfDataSkinListBox::Keys = {
    {u"itemrect", &TsfDataSkinListBox::SItemRect},
    {u"activeitemrect", &TsfDataSkinListBox::ActiveItemRect},
    {u"focusitemrect", &TsfDataSkinListBox::FocusItemRect},
    {u"itemleftoffset", &TsfDataSkinListBox::ItemLeftOffset},
    {u"itemrightoffset", &TsfDataSkinListBox::ItemRightOffset},
    {u"itemtextrect", &TsfDataSkinListBox::ItemTextRect},
    {u"fontname", &TsfDataSkinListBox::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinListBox::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinListBox::FontStyle},
    {u"fontcolor", &TsfDataSkinListBox::FontColor},
    {u"activefontcolor", &TsfDataSkinListBox::ActiveFontColor},
    {u"focusfontcolor", &TsfDataSkinListBox::FocusFontColor},
    {u"captionrect", &TsfDataSkinListBox::CaptionRect},
    {u"captionfontname", &TsfDataSkinListBox::CaptionFontName, u"Arial"},
    {u"captionfontheight", &TsfDataSkinListBox::CaptionFontHeight, 14},
    {u"captionfontstyle", &TsfDataSkinListBox::CaptionFontStyle},
    {u"captionfontcolor", &TsfDataSkinListBox::CaptionFontColor},
    {u"upbuttonrect", &TsfDataSkinListBox::UpButtonRect},
    {u"activeupbuttonrect", &TsfDataSkinListBox::ActiveUpButtonRect},
    {u"downupbuttonrect", &TsfDataSkinListBox::DownUpButtonRect},
    {u"downbuttonrect", &TsfDataSkinListBox::DownButtonRect},
    {u"activedownbuttonrect", &TsfDataSkinListBox::ActiveDownButtonRect},
    {u"downdownbuttonrect", &TsfDataSkinListBox::DownDownButtonRect},
    {u"checkbuttonrect", &TsfDataSkinListBox::CheckButtonRect},
    {u"activecheckbuttonrect", &TsfDataSkinListBox::ActiveCheckButtonRect},
    {u"downcheckbuttonrect", &TsfDataSkinListBox::DownCheckButtonRect},
    {u"vscrollbarname", &TsfDataSkinListBox::VScrollBarName, u"vscrollbar"},
    {u"hscrollbarname", &TsfDataSkinListBox::HScrollBarName, u"hscrollbar"},
    {u"bothhscrollbarname", &TsfDataSkinListBox::BothScrollBarName, u"bothhscrollbar"},
    {u"showfocus", &TsfDataSkinListBox::ShowFocus},
    {u"disabledbuttonsrect", &TsfDataSkinListBox::DisabledButtonsRect},
    {u"buttonsarea", &TsfDataSkinListBox::ButtonsArea},
};

void TsfDataSkinListBox::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinListBox::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinCheckListBox> TsfDataSkinCheckListBox::Keys = {
    {u"itemcheckrect", &TsfDataSkinCheckListBox::ItemCheckRect},
    {u"uncheckimagerect", &TsfDataSkinCheckListBox::UnCheckImageRect},
    {u"checkimagerect", &TsfDataSkinCheckListBox::CheckImageRect},
};

void TsfDataSkinCheckListBox::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinCheckListBox::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}

const TSkinKeys<TsfDataSkinControlBar> TsfDataSkinControlBar::Keys = {
    {u"itemrect", &TsfDataSkinControlBar::ItemRect},
    {u"bgpictureindex", &TsfDataSkinControlBar::BGPictureIndex, -1},
    {u"hgriprect", &TsfDataSkinControlBar::HGripRect},
    {u"vgriprect", &TsfDataSkinControlBar::VGripRect},
    {u"gripoffset1", &TsfDataSkinControlBar::GripOffset1},
    {u"gripoffset2", &TsfDataSkinControlBar::GripOffset2},
    {u"itemoffset1", &TsfDataSkinControlBar::ItemOffset1, 3},
    {u"itemoffset2", &TsfDataSkinControlBar::ItemOffset2, 3},
    {u"itemstretcheffect", &TsfDataSkinControlBar::ItemStretchEffect},
    {u"itemtransparent", &TsfDataSkinControlBar::ItemTransparent},
    {u"itemtransparentcolor", &TsfDataSkinControlBar::ItemTransparentColor},
    {u"griptransparent", &TsfDataSkinControlBar::GripTransparent},
    {u"griptransparentcolor", &TsfDataSkinControlBar::GripTransparentColor},
};

void TsfDataSkinControlBar::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadParentAndKeys(*this, IniFile);
}

void TsfDataSkinControlBar::SaveToFile(TCustomIniFile* IniFile)
{
    WriteParentAndKeys(*this, IniFile);
}


// The up-down buttons are drawn whole: no corner points, no client part.
void TsfDataSkinUpDownControl::ClearGeometry()
{
    LTPoint = RTPoint = LBPoint = RBPoint = TPoint();
    ClRect = TRect();
}

// ---------------------------------------------------------------------------

namespace {

template <class C>
constexpr TSkinKind<TsfDataSkinControl> Kind(const char16_t* Word)
{
    return SkinKind<TsfDataSkinControl, C>(Word);
}

constexpr TSkinKind<TsfDataSkinControl> ControlKinds[] = {
    Kind<TsfDataSkinSlider>(u"slider"),
    Kind<TsfDataSkinBevel>(u"bevel"),
    Kind<TsfDataSkinPanelControl>(u"panel"),
    Kind<TsfDataSkinExPanelControl>(u"expanel"),
    Kind<TsfDataSkinMenuButtonControl>(u"menubutton"),
    Kind<TsfDataSkinButtonControl>(u"button"),
    Kind<TsfDataSkinCheckRadioControl>(u"checkradio"),
    Kind<TsfDataSkinGaugeControl>(u"gauge"),
    Kind<TsfDataSkinSplitterControl>(u"splitter"),
    Kind<TsfDataSkinTrackBarControl>(u"trackbar"),
    Kind<TsfDataSkinLabelControl>(u"label"),
    Kind<TsfDataSkinStdLabelControl>(u"stdlabel"),
    Kind<TsfDataSkinBitLabelControl>(u"bitlabel"),
    Kind<TsfDataSkinFrameRegulator>(u"frameregulator"),
    Kind<TsfDataSkinFrameGauge>(u"framegauge"),
    Kind<TsfDataSkinAnimateControl>(u"animate"),
    Kind<TsfDataSkinUpDownControl>(u"updown"),
    Kind<TsfDataSkinSwitchControl>(u"switch"),
    Kind<TsfDataSkinGridControl>(u"grid"),
    Kind<TsfDataSkinTabControl>(u"tab"),
    Kind<TsfDataSkinMainMenuBar>(u"mainmenubar"),
    Kind<TsfDataSkinControlBar>(u"controlbar"),
    Kind<TsfDataSkinMemoControl>(u"memo"),
    Kind<TsfDataSkinEditControl>(u"edit"),
    Kind<TsfDataSkinCheckListBox>(u"checklistbox"),
    Kind<TsfDataSkinListBox>(u"listbox"),
    Kind<TsfDataSkinComboBox>(u"combobox"),
    Kind<TsfDataSkinScrollBarControl>(u"scrollbar"),
    Kind<TsfDataSkinSpinEditControl>(u"spinedit"),
    Kind<TsfDataSkinScrollBoxControl>(u"scrollbox"),
    Kind<TsfDataSkinTreeView>(u"treeview"),
    Kind<TsfDataSkinListView>(u"listview"),
    Kind<TsfDataSkinRichEdit>(u"richedit"),
};

}  // namespace

std::unique_ptr<TsfDataSkinControl> CreateSkinControlData(const String& Kind, const String& IDName)
{
    return CreateSkinData(ControlKinds, Kind, IDName);
}

String SkinControlKind(const TsfDataSkinControl* Data)
{
    return SkinKindOf(ControlKinds, Data);
}
