#include "skin/model/SFWindowData.h"

const TSkinKeys<TsfDataSkinPopupWindow> TsfDataSkinPopupWindow::Keys = {
    {u"windowpictureindex", &TsfDataSkinPopupWindow::WindowPictureIndex, -1},
    {u"maskpictureindex", &TsfDataSkinPopupWindow::MaskPictureIndex, -1},
    {u"lefttoppoint", &TsfDataSkinPopupWindow::LTPoint},
    {u"righttoppoint", &TsfDataSkinPopupWindow::RTPoint},
    {u"leftbottompoint", &TsfDataSkinPopupWindow::LBPoint},
    {u"rightbottompoint", &TsfDataSkinPopupWindow::RBPoint},
    {u"itemsrect", &TsfDataSkinPopupWindow::ItemsRect},
    {u"cursorindex", &TsfDataSkinPopupWindow::CursorIndex, -1},
    {u"scrollmarkercolor", &TsfDataSkinPopupWindow::ScrollMarkerColor},
    {u"scrollmarkeractivecolor", &TsfDataSkinPopupWindow::ScrollMarkerActiveColor},
    {u"leftstretch", &TsfDataSkinPopupWindow::LeftStretch},
    {u"rightstretch", &TsfDataSkinPopupWindow::RightStretch},
    {u"topstretch", &TsfDataSkinPopupWindow::TopStretch},
    {u"bottomstretch", &TsfDataSkinPopupWindow::BottomStretch},
    {u"stretcheffect", &TsfDataSkinPopupWindow::StretchEffect},
    {u"stretchtype", &TsfDataSkinPopupWindow::StretchType},
};

void TsfDataSkinPopupWindow::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadSkinKeys(IniFile, u"POPUPWINDOW", *this, Keys);
}

void TsfDataSkinPopupWindow::SaveToFile(TCustomIniFile* IniFile) const
{
    IniFile->EraseSection(u"POPUPWINDOW");
    WriteSkinKeys(IniFile, u"POPUPWINDOW", *this, Keys);
}

const TSkinKeys<TsfDataSkinLayerFrame> TsfDataSkinLayerFrame::Keys = {
    {u"pictureindex", &TsfDataSkinLayerFrame::PictureIndex, -1},
    {u"maskpictureindex", &TsfDataSkinLayerFrame::MaskPictureIndex, -1},
    {u"inactivepictureindex", &TsfDataSkinLayerFrame::InActivePictureIndex, -1},
    {u"inactivemaskpictureindex", &TsfDataSkinLayerFrame::InActiveMaskPictureIndex, -1},
    {u"lefttoppoint", &TsfDataSkinLayerFrame::LTPoint},
    {u"righttoppoint", &TsfDataSkinLayerFrame::RTPoint},
    {u"leftbottompoint", &TsfDataSkinLayerFrame::LBPoint},
    {u"rightbottompoint", &TsfDataSkinLayerFrame::RBPoint},
    {u"clientrect", &TsfDataSkinLayerFrame::ClRect},
    {u"alphablendvalue", &TsfDataSkinLayerFrame::AlphaBlendValue, 255},
    {u"inactivealphablendvalue", &TsfDataSkinLayerFrame::InActiveAlphaBlendValue, 255},
    {u"borderrect", &TsfDataSkinLayerFrame::BorderRect},
    {u"hittestenable", &TsfDataSkinLayerFrame::HitTestEnable},
    {u"fullborder", &TsfDataSkinLayerFrame::FullBorder},
    {u"hittestsize", &TsfDataSkinLayerFrame::HitTestSize},
    {u"captionrect", &TsfDataSkinLayerFrame::CaptionRect},
    {u"hittestlefttoppoint", &TsfDataSkinLayerFrame::HitTestLTPoint},
    {u"hittestrighttoppoint", &TsfDataSkinLayerFrame::HitTestRTPoint},
    {u"hittestleftbottompoint", &TsfDataSkinLayerFrame::HitTestLBPoint},
    {u"hittestrightbottompoint", &TsfDataSkinLayerFrame::HitTestRBPoint},
    {u"buttonsrect", &TsfDataSkinLayerFrame::ButtonsRect},
    {u"sysmenubuttonrect", &TsfDataSkinLayerFrame::SysMenuButtonRect},
    {u"fullstretch", &TsfDataSkinLayerFrame::FullStretch},
    {u"rollupformheight", &TsfDataSkinLayerFrame::RollUpFormHeight},
    {u"buttonstopoffset", &TsfDataSkinLayerFrame::ButtonsTopOffset},
    {u"sysbuttontopoffset", &TsfDataSkinLayerFrame::SysButtonTopOffset},
    {u"blurmaskpictureindex", &TsfDataSkinLayerFrame::BlurMaskPictureIndex, -1},
    {u"intersectblurmaskrect", &TsfDataSkinLayerFrame::IntersectBlurMaskRect},
    {u"excludeblurmaskrect", &TsfDataSkinLayerFrame::ExcludeBlurMaskRect},
    {u"leftoffset", &TsfDataSkinLayerFrame::LeftOffset},
    {u"topoffset", &TsfDataSkinLayerFrame::TopOffset},
    {u"widthoffset", &TsfDataSkinLayerFrame::WidthOffset},
    {u"heightoffset", &TsfDataSkinLayerFrame::HeightOffset},
};

void TsfDataSkinLayerFrame::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadSkinKeys(IniFile, u"LAYERFRAME", *this, Keys);
}

void TsfDataSkinLayerFrame::SaveToFile(TCustomIniFile* IniFile) const
{
    IniFile->EraseSection(u"LAYERFRAME");
    WriteSkinKeys(IniFile, u"LAYERFRAME", *this, Keys);
}

const TSkinKeys<TsfDataSkinHintWindow> TsfDataSkinHintWindow::Keys = {
    {u"windowpictureindex", &TsfDataSkinHintWindow::WindowPictureIndex, -1},
    {u"maskpictureindex", &TsfDataSkinHintWindow::MaskPictureIndex, -1},
    {u"lefttoppoint", &TsfDataSkinHintWindow::LTPoint},
    {u"righttoppoint", &TsfDataSkinHintWindow::RTPoint},
    {u"leftbottompoint", &TsfDataSkinHintWindow::LBPoint},
    {u"rightbottompoint", &TsfDataSkinHintWindow::RBPoint},
    {u"clientrect", &TsfDataSkinHintWindow::ClRect},
    {u"fontname", &TsfDataSkinHintWindow::FontName, u"Arial"},
    {u"fontheight", &TsfDataSkinHintWindow::FontHeight, 14},
    {u"fontstyle", &TsfDataSkinHintWindow::FontStyle},
    {u"fontcolor", &TsfDataSkinHintWindow::FontColor},
    {u"leftstretch", &TsfDataSkinHintWindow::LeftStretch},
    {u"rightstretch", &TsfDataSkinHintWindow::RightStretch},
    {u"topstretch", &TsfDataSkinHintWindow::TopStretch},
    {u"bottomstretch", &TsfDataSkinHintWindow::BottomStretch},
    {u"stretcheffect", &TsfDataSkinHintWindow::StretchEffect},
    {u"stretchtype", &TsfDataSkinHintWindow::StretchType},
};

void TsfDataSkinHintWindow::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadSkinKeys(IniFile, u"HINTWINDOW", *this, Keys);
}

void TsfDataSkinHintWindow::SaveToFile(TCustomIniFile* IniFile) const
{
    IniFile->EraseSection(u"HINTWINDOW");
    WriteSkinKeys(IniFile, u"HINTWINDOW", *this, Keys);
}

const TSkinKeys<TsfSkinColors> TsfSkinColors::Keys = {
    {u"cbtnface", &TsfSkinColors::FcBtnFace},
    {u"cbtntext", &TsfSkinColors::FcBtnText},
    {u"cwindow", &TsfSkinColors::FcWindow},
    {u"cwindowtext", &TsfSkinColors::FcWindowText},
    {u"chighlight", &TsfSkinColors::FcHighLight},
    {u"chighlighttext", &TsfSkinColors::FcHighLightText},
    {u"cbtnhighlight", &TsfSkinColors::FcBtnHighLight},
    {u"cbtnshadow", &TsfSkinColors::FcBtnShadow},
    {u"c3dlight", &TsfSkinColors::Fc3DLight},
    {u"c3ddkshadow", &TsfSkinColors::Fc3DDkShadow},
};

void TsfSkinColors::LoadFromFile(const TCustomIniFile* IniFile)
{
    ReadSkinKeys(IniFile, u"SKINCOLORS", *this, Keys);
}

void TsfSkinColors::SaveToFile(TCustomIniFile* IniFile) const
{
    WriteSkinKeys(IniFile, u"SKINCOLORS", *this, Keys);
}

void TsfSkinColors::SetColorsToDefault()
{
    // 0xFF0000nn stands for system colour nn.
    constexpr auto System = [](Integer Index) { return static_cast<TColor>(0xFF000000u | Index); };
    FcBtnFace = System(15);
    FcBtnText = System(18);
    FcWindow = System(5);
    FcWindowText = System(8);
    FcHighLight = System(13);
    FcHighLightText = System(14);
    FcBtnHighLight = System(20);
    FcBtnShadow = System(16);
    Fc3DLight = System(22);
    Fc3DDkShadow = System(21);
}
