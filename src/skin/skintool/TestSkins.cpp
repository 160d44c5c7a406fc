#include "TestSkins.h"

#include <memory>

#include "skin/model/SFObjectData.h"

namespace {

// Colours of the pieces (0x00BBGGRR, as the descriptions hold colours).
constexpr TColor TrackFill = 0x0000C0, Thumb = 0xC00000, ThumbDrag = 0x00C000, ThumbKey = 0xFF00FF;
constexpr TColor GaugeFill = 0x0080FF, SwitchOn = 0x00E0E0, LabelHot = 0x404040;
constexpr TColor FrameGaugeFrames[5] = {0x100000, 0x200000, 0x300000, 0x400000, 0x500000};
constexpr TColor RegulatorFrames[4] = {0x001000, 0x002000, 0x003000, 0x004000};
constexpr TColor AnimateFrames[3] = {0x000011, 0x000022, 0x000033};
constexpr TColor AnimateDown = 0x000044;
constexpr TColor BitCells[6] = {0x606000, 0x707000, 0x808000, 0x909000, 0xA0A000, 0xB0B000};
constexpr TColor Black = 0x000000, White = 0xFFFFFF, Navy = 0x800000, Gray = 0x808080;
constexpr TColor MenuItemNormal = 0xE0E0E0, MenuItemHot = 0xF0C080, MenuItemDown = 0xA06020;

void FillPiece(TDibImage& Pic, const TRect& R, TColor C)
{
    for (Integer y = R.Top; y < R.Bottom; ++y)
        for (Integer x = R.Left; x < R.Right; ++x) {
            uint8_t* p = Pic.ScanLine(y) + 3 * x;
            p[0] = uint8_t(C >> 16);
            p[1] = uint8_t(C >> 8);
            p[2] = uint8_t(C);
        }
}

template <class T>
T* AddObject(std::vector<std::unique_ptr<TsfDataSkinObject>>& List, const char16_t* Name, Integer Picture,
             TRect SkinRect, TRect ActiveSkinRect)
{
    auto D = std::make_unique<T>(Name);
    D->ActivePictureIndex = Picture;
    D->SkinRect = SkinRect;
    D->ActiveSkinRect = ActiveSkinRect;
    T* Raw = D.get();
    List.push_back(std::move(D));
    return Raw;
}

// Object places in the frame picture (240 x 180, caption 30 high): the left
// corner piece (x below 40) and the middle of the caption (40 to 120) keep
// their place at every form width; the right piece moves with the right edge.
void DescribeFrameObjects(TsfSkinData& S)
{
    TDibImage Pic;
    Pic.Allocate(200, 60, pf24bit);
    FillPiece(Pic, {0, 0, 200, 60}, 0x808080);
    FillPiece(Pic, {0, 0, 60, 12}, TrackFill);
    FillPiece(Pic, {60, 0, 68, 8}, Thumb);
    FillPiece(Pic, {60, 0, 62, 2}, ThumbKey);  // the thumb's top-left corner is keyed out
    FillPiece(Pic, {68, 0, 76, 8}, ThumbDrag);
    FillPiece(Pic, {0, 12, 60, 20}, GaugeFill);
    for (int i = 0; i < 5; ++i) FillPiece(Pic, {i * 10, 20, i * 10 + 10, 30}, FrameGaugeFrames[i]);
    for (int i = 0; i < 4; ++i) FillPiece(Pic, {i * 16, 30, i * 16 + 16, 46}, RegulatorFrames[i]);
    FillPiece(Pic, {80, 0, 96, 10}, SwitchOn);
    for (int i = 0; i < 3; ++i) FillPiece(Pic, {100 + i * 12, 0, 112 + i * 12, 12}, AnimateFrames[i]);
    FillPiece(Pic, {136, 0, 148, 12}, AnimateDown);
    FillPiece(Pic, {80, 12, 140, 32}, LabelHot);
    for (int i = 0; i < 6; ++i)
        FillPiece(Pic, {150 + (i % 3) * 6, (i / 3) * 8, 156 + (i % 3) * 6, (i / 3) * 8 + 8}, BitCells[i]);
    FillPiece(Pic, {0, 46, 30, 60}, MenuItemNormal);
    FillPiece(Pic, {30, 46, 60, 60}, MenuItemHot);
    FillPiece(Pic, {60, 46, 90, 60}, MenuItemDown);
    S.FActivePicturesNames->Add(u"frameobjects.bmp");
    S.FActivePictures.push_back(std::move(Pic));
    const Integer P = Integer(S.FActivePictures.size()) - 1;

    std::vector<std::unique_ptr<TsfDataSkinObject>> L;
    auto* Track = AddObject<TsfDataSkinTrackBar>(L, u"track", P, {42, 4, 102, 16}, {0, 0, 60, 12});
    Track->ButtonRect = {60, 0, 68, 8};
    Track->ActiveButtonRect = {68, 0, 76, 8};
    Track->BeginPoint = {6, 6};
    Track->EndPoint = {54, 6};
    Track->MinValue = 0;
    Track->MaxValue = 96;  // two units a pixel
    Track->MouseDownChangeValue = true;
    Track->ButtonTransparent = true;
    Track->ButtonTransparentColor = ThumbKey;
    auto* Gauge = AddObject<TsfDataSkinGauge>(L, u"gauge", P, {42, 18, 102, 26}, {0, 12, 60, 20});
    Gauge->MinValue = 0;
    Gauge->MaxValue = 100;
    auto* Regulator = AddObject<TsfDataSkinFrameRegulatorObject>(L, u"regulator", P, {102, 4, 118, 20}, {0, 30, 64, 46});
    Regulator->MinValue = 0;
    Regulator->MaxValue = 100;
    Regulator->CountFrames = 4;
    Regulator->Kind = rkRound;
    AddObject<TsfDataSkinSwitch>(L, u"switch", P, {6, 4, 22, 14}, {80, 0, 96, 10});
    auto* Anim = AddObject<TsfDataSkinAnimate>(L, u"anim", P, {24, 4, 36, 16}, {100, 0, 136, 12});
    Anim->CountFrames = 3;
    Anim->TimerInterval = 50;
    Anim->Command = cmDefault;
    Anim->ButtonStyle = true;
    Anim->DownSkinRect = {136, 0, 148, 12};
    auto* FrameGauge = AddObject<TsfDataSkinFrameGaugeObject>(L, u"framegauge", P, {6, 16, 16, 26}, {0, 20, 50, 30});
    FrameGauge->MinValue = 0;
    FrameGauge->MaxValue = 100;
    FrameGauge->CountFrames = 5;
    auto* Bits = AddObject<TsfDataSkinBitLabel>(L, u"bits", P, {18, 18, 38, 26}, {150, 0, 168, 16});
    Bits->SymbolWidth = 6;
    Bits->SymbolHeight = 8;
    Bits->Symbols.Add(u"012");
    Bits->Symbols.Add(u"345");
    // Not "label": an object and a control of one name would share one INI section.
    auto* Label = AddObject<TsfDataSkinLabel>(L, u"textlabel", P, {124, 2, 184, 14}, {80, 12, 140, 24});
    Label->FontName = u"Arial";
    Label->FontHeight = 12;
    Label->FontColor = Black;
    Label->ActiveFontColor = White;
    Label->Alignment = taCenter;
    Label->TextValue = u"Lbl";
    // The caption main menu: items 30 x 14 whose text sits between 4-pixel ends.
    auto* Item = AddObject<TsfDataSkinMainMenuItem>(L, u"MAINMENUITEM", P, {0, 46, 30, 60}, {30, 46, 60, 60});
    Item->DownRect = {60, 46, 90, 60};
    Item->TextRct = {4, 0, 26, 14};
    Item->ItemLO = Item->ItemRO = 4;
    Item->FontName = u"Arial";
    Item->FontHeight = 11;
    Item->FontColor = Black;
    Item->ActiveFontColor = Navy;
    Item->DownFontColor = White;
    Item->UnEnabledFontColor = Gray;
    S.MainMenuRect = {120, 16, 236, 30};
    for (auto& O : S.ObjectList) {
        if (dynamic_cast<TsfDataSkinStdButton*>(O.get())) continue;
        if (auto* Cap = dynamic_cast<TsfDataSkinCaption*>(O.get())) {
            // Presses on the caption move the window: it keeps clear of the objects.
            Cap->SkinRect = {186, 1, 236, 15};
            Cap->TextRct = {0, 0, Cap->SkinRect.Width(), Cap->SkinRect.Height()};
        }
        L.push_back(std::move(O));
    }
    S.ObjectList = std::move(L);
    S.SkinName = u"FrameObjects";
    S.SkinComments = u"A test skin: every kind of frame object in plain colours.";
}

}  // namespace

const char16_t* TestSkinBase(const String& Name) { return Name == u"FrameObjects" ? u"Rire" : nullptr; }

void DescribeTestSkin(const String& Name, TsfSkinData& Skin)
{
    if (Name == u"FrameObjects") DescribeFrameObjects(Skin);
}
