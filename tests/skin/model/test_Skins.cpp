// The program's skins as the build packs them: the ".skn" container and its
// body, the description every skinned control and the frame look up by name,
// the pictures those names point into, and the skin library's texts in
// Chinese and English.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <tuple>

#include "foundation/TempFolder.h"
#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/ZLibStreams.h"
#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinData.h"
#include "skin/model/SFSkinImage.h"
#include "SkinTestEnv.h"

namespace {

const char16_t* const SkinNames[] = {u"Rire", u"Charm", u"Laconic", u"Cool"};
const String SkinFolder = UTF8ToString(LM_SKIN_FOLDER);

// A ".skn" as the build packed it: the container's fields, the body, and
// the skin model that loaded it.
struct TPackedSkin {
    int32_t Container = 0;
    std::vector<uint8_t> Compressed;
    TsfSkinBody Body;
    TMemIniFile Ini{u""};
    TsfSkinData Model{nullptr};
    bool Loaded = false;

    // The description the skinned parts find under that name (the first).
    const TsfDataSkinControl* Control(const String& Name) const
    {
        const Integer i = Model.GetControlIndex(Name);
        return i < 0 ? nullptr : Model.CtrlList[size_t(i)].get();
    }
    const TsfDataSkinObject* Object(const String& Name) const
    {
        const Integer i = Model.GetIndex(Name);
        return i < 0 ? nullptr : Model.ObjectList[size_t(i)].get();
    }
};

// The list of a [SKINOBJECTS] or [SKINCONTROLS] section: IDName and kind.
std::vector<std::pair<String, String>> ListOf(const TMemIniFile& Ini, const String& Section)
{
    std::vector<std::pair<String, String>> List;
    const Integer Count = Ini.ReadInteger(Section, u"count", 0);
    for (Integer i = 0; i < Count; ++i) {
        const String Line = Ini.ReadString(Section, IntToStr(i), u"");
        const size_t Colon = Line.find(u':');
        List.emplace_back(Colon == String::npos ? String() : Line.substr(0, Colon),
                          Colon == String::npos ? String() : Line.substr(Colon + 1));
    }
    return List;
}

std::unique_ptr<TPackedSkin> ReadSkin(const String& FileName)
{
    auto Skin = std::make_unique<TPackedSkin>();
    TMemoryStream File;
    File.LoadFromFile(FileName);
    Skin->Container = File.ReadValue<int32_t>();
    const int32_t Count = File.ReadValue<int32_t>();
    if (Count != File.Size() - 8) throw Exception(u"the byte count does not cover the rest of the file");
    Skin->Compressed.resize(size_t(Count));
    File.ReadBuffer(Skin->Compressed.data(), Count);

    TsfCompressedStoredSkin Stored(nullptr);
    Stored.LoadFromCompressFile(FileName);
    TMemoryStream Body;
    Stored.DeCompressToStream(&Body);
    Body.SetPosition(0);
    ReadSkinBody(&Body, Skin->Body);
    TStringList Lines;
    SkinIniTextLines(Skin->Body.IniText, &Lines);
    Skin->Ini.SetStrings(&Lines);
    Skin->Loaded = Skin->Model.LoadFromCompressedFile(FileName);
    return Skin;
}

class Skins : public testing::TestWithParam<const char16_t*> {
protected:
    static void SetUpTestSuite()
    {
        for (const char16_t* Name : SkinNames) Loaded()[Name] = ReadSkin(SkinFolder + Name + u".skn");
    }
    static std::map<String, std::unique_ptr<TPackedSkin>>& Loaded()
    {
        static std::map<String, std::unique_ptr<TPackedSkin>> Map;
        return Map;
    }
    const TPackedSkin& Skin() const { return *Loaded().at(GetParam()); }
};

bool Inside(const TRect& R, Integer W, Integer H)
{
    return R.Left >= 0 && R.Top >= 0 && R.Right <= W && R.Bottom <= H && R.Left <= R.Right && R.Top <= R.Bottom;
}

bool Empty(const TRect& R)
{
    return R.Right <= R.Left || R.Bottom <= R.Top;
}

}  // namespace

TEST_P(Skins, ContainerAndBodyAsTheModelReadsThem)
{
    const TPackedSkin& S = Skin();
    EXPECT_EQ(S.Container, 2);
    ASSERT_GE(S.Compressed.size(), 2u);
    EXPECT_EQ(S.Compressed[0], 0x78);  // zlib at its highest level
    EXPECT_EQ(S.Compressed[1], 0xDA);
    EXPECT_EQ(S.Body.Version, 2);
    // A frame picture and its mask; no inactive or roll-up pictures.
    const bool Expected[FixedPictureCount] = {true, false, true, false, false};
    for (int i = 0; i < FixedPictureCount; ++i) EXPECT_EQ(!S.Body.Fixed[i].Empty(), Expected[i]) << i;
    EXPECT_TRUE(IsSkinIniFile(&S.Ini));

    // The model takes it whole, with no error, and every list line makes a
    // description: no unknown kind, no repeated control name.
    ASSERT_TRUE(S.Loaded) << UTF8Encode(S.Model.LoadError());
    EXPECT_FALSE(S.Model.Empty);
    EXPECT_EQ(S.Model.SkinName, GetParam());
    EXPECT_EQ(S.Model.FActivePictures.size(), S.Body.Pictures.size());
    EXPECT_EQ(S.Model.CtrlList.size(), ListOf(S.Ini, u"SKINCONTROLS").size());
    EXPECT_EQ(S.Model.ObjectList.size(), ListOf(S.Ini, u"SKINOBJECTS").size());
    std::set<String> Seen;
    for (const auto& D : S.Model.CtrlList) EXPECT_TRUE(Seen.insert(D->IDName).second) << UTF8Encode(D->IDName);
}

// The skin folder the ".skn" was packed from loads on the other road (an INI
// description with its picture files) into the same skin.
TEST_P(Skins, TheSkinFolderLoadsToTheSameSkin)
{
    const TPackedSkin& S = Skin();
    TsfSkinData FromFolder(nullptr);
    ASSERT_TRUE(FromFolder.LoadFromFile(UTF8ToString(LM_SKIN_SOURCES) + GetParam() + u"\\skin.ini"))
        << UTF8Encode(FromFolder.LoadError());
    EXPECT_EQ(FromFolder.CtrlList.size(), S.Model.CtrlList.size());
    EXPECT_EQ(FromFolder.ObjectList.size(), S.Model.ObjectList.size());
    ASSERT_EQ(FromFolder.FActivePictures.size(), S.Model.FActivePictures.size());
    for (size_t i = 0; i < FromFolder.FActivePictures.size(); ++i)
        EXPECT_EQ(FromFolder.FActivePictures[i].Bits, S.Model.FActivePictures[i].Bits) << i;
    EXPECT_EQ(FromFolder.FMask.Bits, S.Model.FMask.Bits);
}

// Every name the skinned controls, the frame and the menus look up, with the
// kind its description must have.
TEST_P(Skins, EveryNameLookedUpResolvesToItsKind)
{
    const TPackedSkin& S = Skin();
    const struct {
        const char16_t* Name;
        const char16_t* Kind;
    } Controls[] = {
        {u"button", u"button"},         {u"toolbutton", u"button"},       {u"resizebutton", u"button"},
        {u"resizetoolbutton", u"button"}, {u"bigtoolbutton", u"button"},  {u"editbutton", u"button"},
        {u"combobutton", u"button"},    {u"officequickbutton", u"button"}, {u"menuitembutton", u"button"},
        {u"htracktoolbutton", u"button"}, {u"vtracktoolbutton", u"button"}, {u"toolmenubutton", u"menubutton"},
        {u"panel", u"panel"},           {u"panel2", u"panel"},            {u"resizetoolpanel", u"panel"},
        {u"groupbox", u"panel"},        {u"statusbar", u"panel"},         {u"checkbox", u"checkradio"},
        {u"radiobox", u"checkradio"},   {u"htrackbar", u"trackbar"},      {u"trackbar", u"trackbar"},
        {u"slider", u"slider"},         {u"hscrollbar", u"scrollbar"},    {u"vscrollbar", u"scrollbar"},
        {u"bothhscrollbar", u"scrollbar"}, {u"hupdown", u"updown"},       {u"vupdown", u"updown"},
        {u"spinedit", u"spinedit"},     {u"edit", u"edit"},               {u"buttonedit", u"edit"},
        {u"memo", u"memo"},             {u"listbox", u"listbox"},         {u"combobox", u"combobox"},
        {u"scrollbox", u"scrollbox"},   {u"tab", u"tab"},                 {u"treeview", u"treeview"},
        {u"stdlabel", u"stdlabel"},     {u"label", u"label"},             {u"menuheader", u"label"},
        {u"bevel", u"bevel"},           {u"hsplitter", u"splitter"},      {u"vsplitter", u"splitter"},
        {u"mainmenubar", u"mainmenubar"},
    };
    for (const auto& C : Controls) {
        const TsfDataSkinControl* D = S.Control(C.Name);
        ASSERT_NE(D, nullptr) << UTF8Encode(C.Name);
        EXPECT_EQ(SkinControlKind(D), C.Kind) << UTF8Encode(C.Name);
    }
    const struct {
        const char16_t* Name;
        const char16_t* Kind;
        TStdCommand Command;
    } Objects[] = {
        {u"closebutton", u"stdbutton", cmClose},         {u"maxbutton", u"stdbutton", cmMaximize},
        {u"minbutton", u"stdbutton", cmMinimize},        {u"sysmenubutton", u"stdbutton", cmSysMenu},
        {u"dialogclosebutton", u"stdbutton", cmClose},   {u"caption", u"caption", cmClose},
        {u"menuitem", u"menuitem", cmClose},             {u"mainmenubaritem", u"mainmenubaritem", cmClose},
    };
    for (const auto& O : Objects) {
        const TsfDataSkinObject* D = S.Object(O.Name);
        ASSERT_NE(D, nullptr) << UTF8Encode(O.Name);
        EXPECT_EQ(SkinObjectKind(D), O.Kind) << UTF8Encode(O.Name);
        if (auto* B = dynamic_cast<const TsfDataSkinStdButton*>(D)) {
            EXPECT_EQ(B->Command, O.Command) << UTF8Encode(O.Name);
            EXPECT_TRUE(B->SkinRectInAPicture) << UTF8Encode(O.Name);  // laid out in the caption's row
        }
    }
    // The size grip's description.
    const TsfDataSkinControl* Status = S.Control(S.Ini.ReadString(u"FORMINFO", u"statusbarname", u""));
    ASSERT_NE(dynamic_cast<const TsfDataSkinPanelControl*>(Status), nullptr);
    EXPECT_FALSE(Empty(static_cast<const TsfDataSkinPanelControl*>(Status)->GripperRect));
}

// Names inside descriptions that name other descriptions.
TEST_P(Skins, CrossReferencesResolve)
{
    const TPackedSkin& S = Skin();
    auto* List = dynamic_cast<const TsfDataSkinListBox*>(S.Control(u"listbox"));
    ASSERT_NE(List, nullptr);
    for (const String& Bar : {List->HScrollBarName, List->VScrollBarName, List->BothScrollBarName})
        EXPECT_NE(dynamic_cast<const TsfDataSkinScrollBarControl*>(S.Control(Bar)), nullptr) << UTF8Encode(Bar);
    auto* Combo = dynamic_cast<const TsfDataSkinComboBox*>(S.Control(u"combobox"));
    ASSERT_NE(Combo, nullptr);
    EXPECT_NE(dynamic_cast<const TsfDataSkinListBox*>(S.Control(Combo->ListBoxName)), nullptr);
    auto* Tab = dynamic_cast<const TsfDataSkinTabControl*>(S.Control(u"tab"));
    ASSERT_NE(Tab, nullptr);
    EXPECT_NE(dynamic_cast<const TsfDataSkinUpDownControl*>(S.Control(Tab->UpDown)), nullptr);
    auto* Bar = dynamic_cast<const TsfDataSkinMainMenuBar*>(S.Control(u"mainmenubar"));
    ASSERT_NE(Bar, nullptr);
    EXPECT_NE(dynamic_cast<const TsfDataSkinMainMenuBarItem*>(S.Object(Bar->MenuBarItem)), nullptr);
    const std::pair<String, TStdCommand> Buttons[] = {{Bar->CloseButton, cmClose}, {Bar->MaxButton, cmMaximize},
                                                      {Bar->MinButton, cmMinimize}, {Bar->SysMenuButton, cmSysMenu}};
    for (const auto& [Name, Command] : Buttons) {
        auto* B = dynamic_cast<const TsfDataSkinMainMenuBarButton*>(S.Object(Name));
        ASSERT_NE(B, nullptr) << UTF8Encode(Name);
        EXPECT_EQ(B->Command, Command);
    }
}

// Every picture index is in the list and every picture area lies inside its
// picture; areas in the description's own coordinates lie inside its SkinRect.
TEST_P(Skins, PictureIndexesAndAreasAreInRange)
{
    const TPackedSkin& S = Skin();
    const Integer N = Integer(S.Model.FActivePictures.size());
    const TDibImage& Frame = S.Model.FPicture;
    const std::set<String> Relative = {u"clientrect", u"trackarea", u"upbuttonrect",
                                       u"checkimagearea", u"textarea", u"itemtextrect", u"captionrect",
                                       u"trackbuttonrect", u"itemsrect", u"buttonsarea", u"checkbuttonrect",
                                       u"textrect", u"imagerect", u"skintextrect", u"progressarea"};
    // Two keys change meaning with the class: "buttonrect" is the thumb's picture
    // in a track bar, and "downbuttonrect" the pressed button's picture in an
    // edit or combo box (elsewhere both are places inside the description).
    auto Check = [&](const String& Section, Integer Picture, bool SkinRectInFrame, bool ButtonRectRelative,
                     bool DownButtonRectRelative) {
        const String Where = Section;
        ASSERT_TRUE(Picture >= -1 && Picture < N) << UTF8Encode(Where);
        TStringList Keys;
        S.Ini.ReadSection(Section, &Keys);
        TRect Own;
        ReadRect(&S.Ini, Section, u"skinrect", Own);
        for (Integer k = 0; k < Keys.Count(); ++k) {
            const String Key = Keys[k];
            const String Value = S.Ini.ReadString(Section, Key, u"");
            if (std::count(Value.begin(), Value.end(), u',') != 3) continue;
            TRect R;
            ReadRect(&S.Ini, Section, Key, R);
            if (Empty(R)) continue;
            const bool Place = Key == u"buttonrect"       ? ButtonRectRelative
                               : Key == u"downbuttonrect" ? DownButtonRectRelative
                                                          : Relative.count(Key) > 0;
            if (Place) {
                EXPECT_TRUE(Inside(R, Own.Width(), Own.Height())) << UTF8Encode(Where + u"." + Key);
            } else if (Key == u"skinrect" && SkinRectInFrame) {
                EXPECT_TRUE(Inside(R, Frame.Width, Frame.Height)) << UTF8Encode(Where + u"." + Key);
            } else {
                ASSERT_NE(Picture, -1) << UTF8Encode(Where + u"." + Key);
                const TDibImage& P = S.Model.FActivePictures[size_t(Picture)];
                EXPECT_TRUE(Inside(R, P.Width, P.Height)) << UTF8Encode(Where + u"." + Key);
            }
        }
    };
    for (const auto& D : S.Model.CtrlList) {
        const bool EditLike = dynamic_cast<const TsfDataSkinEditControl*>(D.get()) ||
                              dynamic_cast<const TsfDataSkinComboBox*>(D.get());
        Check(D->IDName, D->PictureIndex, false, !dynamic_cast<const TsfDataSkinTrackBarControl*>(D.get()),
              !EditLike);
    }
    for (const auto& D : S.Model.ObjectList) Check(D->IDName, D->ActivePictureIndex, !D->SkinRectInAPicture, false, false);

    const TsfDataSkinPopupWindow& Popup = *S.Model.PopupWindow;
    const TsfDataSkinHintWindow& Hint = *S.Model.HintWindow;
    EXPECT_EQ(S.Model.LayerFrame->PictureIndex, -1);  // no layered border
    for (const auto& [Index, Corner] : {std::pair{Popup.WindowPictureIndex, Popup.RBPoint},
                                        std::pair{Hint.WindowPictureIndex, Hint.RBPoint}}) {
        ASSERT_TRUE(Index >= 0 && Index < N);
        const TDibImage& P = S.Model.FActivePictures[size_t(Index)];
        EXPECT_TRUE(Corner.X < P.Width && Corner.Y < P.Height);
    }
}

// The frame: a sizing border, a mask of the frame's size that keeps the client
// part, geometry inside the picture.
TEST_P(Skins, FrameGeometry)
{
    const TsfSkinData& M = Skin().Model;
    const TDibImage& Frame = M.FPicture;
    const TDibImage& Mask = M.FMask;
    EXPECT_GT(M.BorderW, 0);  // otherwise windows cannot be resized
    ASSERT_EQ(Mask.Width, Frame.Width);
    ASSERT_EQ(Mask.Height, Frame.Height);
    for (const TRect& R : {M.ClRect, M.ButtonsRect, M.CaptionRect, M.IconRect, M.SizeGripArea})
        EXPECT_TRUE(Inside(R, Frame.Width, Frame.Height));
    EXPECT_TRUE(M.LTPoint.X < M.RTPoint.X && M.LBPoint.X < M.RBPoint.X && M.LTPoint.Y < M.LBPoint.Y &&
                M.RTPoint.Y < M.RBPoint.Y);
    // The caption buttons sit in the right corner piece, which is never stretched.
    EXPECT_GE(M.ButtonsRect.Left, M.RTPoint.X);
    // Black (palette entry 0) inside: all of the client part and the caption's middle.
    auto Black = [&](Integer X, Integer Y) { return Mask.Palette[Mask.ScanLine(Y)[X]] == 0; };
    for (Integer y = M.ClRect.Top; y < M.ClRect.Bottom; y += 7)
        for (Integer x = M.ClRect.Left; x < M.ClRect.Right; x += 7) ASSERT_TRUE(Black(x, y)) << x << "," << y;
    EXPECT_TRUE(Black(Frame.Width / 2, 0));
}

// ---------------------------------------------------------------------------
// Legibility: the contrast, in the built pictures, of every text, check mark,
// arrow and outline against what it sits on. Text and check marks need 4.5:1,
// arrows, outlines and the inactive caption 3:1.

namespace {

constexpr double TextContrast = 4.5, GraphicContrast = 3.0;

// 0xRRGGBB of a skin colour (blue in its high byte).
uint32_t RgbOf(TColor C)
{
    return uint32_t((C & 0xFF) << 16 | (C & 0xFF00) | (C >> 16 & 0xFF));
}

uint32_t PixelAt(const TDibImage& P, Integer X, Integer Y)
{
    std::vector<uint32_t> Row(size_t(X) + 1);
    DecodeScanline(P.ScanLine(Y), P.PixelFormat, P.Palette, X + 1, Row.data());
    return Row[size_t(X)] & 0xFFFFFF;
}

double Luminance(uint32_t C)
{
    auto Linear = [](uint32_t Byte) {
        const double V = Byte / 255.0;
        return V <= 0.04045 ? V / 12.92 : std::pow((V + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * Linear(C >> 16 & 0xFF) + 0.7152 * Linear(C >> 8 & 0xFF) + 0.0722 * Linear(C & 0xFF);
}

double Contrast(uint32_t A, uint32_t B)
{
    const double La = Luminance(A), Lb = Luminance(B);
    return (std::max(La, Lb) + 0.05) / (std::min(La, Lb) + 0.05);
}

TRect Shrunk(const TRect& R, Integer By)
{
    return {R.Left + By, R.Top + By, R.Right - By, R.Bottom - By};
}

TRect Moved(const TRect& R, const TRect& By)
{
    return {R.Left + By.Left, R.Top + By.Top, R.Right + By.Left, R.Bottom + By.Top};
}

// Text of a colour over an area: the worst pixel it may land on.
double WorstUnderText(const TDibImage& P, const TRect& Area, uint32_t Font)
{
    double Worst = 21;
    for (Integer y = Area.Top; y < Area.Bottom; ++y)
        for (Integer x = Area.Left; x < Area.Right; ++x) Worst = std::min(Worst, Contrast(Font, PixelAt(P, x, y)));
    return Worst;
}

// A glyph inside a box whose border pixels are its ground: the glyph's
// strongest pixel against the weakest of the ground (the pixels next to the
// box's corners are left out: rounded outlines may reach them).
double GlyphOnGround(const TDibImage& P, const TRect& Box)
{
    std::vector<uint32_t> Ground;
    for (Integer y = Box.Top; y < Box.Bottom; ++y)
        for (Integer x = Box.Left; x < Box.Right; ++x) {
            const bool Ring = x == Box.Left || x == Box.Right - 1 || y == Box.Top || y == Box.Bottom - 1;
            const bool NearCorner = (x <= Box.Left + 1 || x >= Box.Right - 2) && (y <= Box.Top + 1 || y >= Box.Bottom - 2);
            if (Ring && !NearCorner) Ground.push_back(PixelAt(P, x, y));
        }
    double Best = 1;
    for (Integer y = Box.Top + 1; y < Box.Bottom - 1; ++y)
        for (Integer x = Box.Left + 1; x < Box.Right - 1; ++x) {
            double Worst = 21;
            for (uint32_t G : Ground) Worst = std::min(Worst, Contrast(PixelAt(P, x, y), G));
            Best = std::max(Best, Worst);
        }
    return Best;
}

// A keyed glyph (hard pixels on a key colour) drawn on a ground colour.
double KeyedGlyphOn(const TDibImage& P, const TRect& R, uint32_t Key, uint32_t Ground)
{
    double Best = 1;
    for (Integer y = R.Top; y < R.Bottom; ++y)
        for (Integer x = R.Left; x < R.Right; ++x)
            if (const uint32_t C = PixelAt(P, x, y); C != Key) Best = std::max(Best, Contrast(C, Ground));
    return Best;
}

// A piece's outline against a ground: its left edge, in the middle third.
double OutlineOn(const TDibImage& P, const TRect& R, uint32_t Ground)
{
    double Best = 1;
    for (Integer y = R.Top + R.Height() / 3; y < R.Bottom - R.Height() / 3; ++y)
        for (Integer x = R.Left; x < R.Left + 2; ++x) Best = std::max(Best, Contrast(PixelAt(P, x, y), Ground));
    return Best;
}

uint32_t CentreOf(const TDibImage& P, const TRect& R)
{
    return PixelAt(P, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

struct TLegibility {
    std::vector<std::pair<std::string, double>> Below;  // what fell short, and its contrast
    int Checked = 0;
    void Need(const std::string& What, double Value, double Min)
    {
        ++Checked;
        if (Value < Min) Below.emplace_back(What, Value);
    }
};

std::string Named(const String& Owner, const char* What)
{
    return UTF8Encode(Owner) + "." + What;
}

void CheckTexts(const TsfSkinData& M, TLegibility& L)
{
    auto Pic = [&](Integer i) -> const TDibImage& { return M.FActivePictures.at(size_t(i)); };
    // The frame's caption: the text rectangle inside the caption object.
    for (const auto& O : M.ObjectList) {
        if (auto* Cap = dynamic_cast<const TsfDataSkinCaption*>(O.get())) {
            const TRect Area = Moved(Cap->TextRct, Cap->SkinRect);
            L.Need(Named(Cap->IDName, "active"), WorstUnderText(M.FPicture, Area, RgbOf(Cap->ActiveFontColor)),
                   TextContrast);
            // An inactive window's caption recedes on purpose, but stays readable.
            L.Need(Named(Cap->IDName, "inactive"), WorstUnderText(M.FPicture, Area, RgbOf(Cap->FontColor)),
                   GraphicContrast);
        }
        if (auto* Item = dynamic_cast<const TsfDataSkinMenuItem*>(O.get()))
            for (const auto& [What, R, Font] : {std::tuple{"normal", Item->SkinRect, Item->FontColor},
                                                std::tuple{"hot", Item->ActiveSkinRect, Item->ActiveFontColor}})
                L.Need(Named(Item->IDName, What), WorstUnderText(Pic(Item->ActivePictureIndex), Shrunk(R, 3), RgbOf(Font)),
                       TextContrast);
        if (auto* Bar = dynamic_cast<const TsfDataSkinMainMenuItem*>(O.get()))
            for (const auto& [What, R, Font] : {std::tuple{"normal", Bar->SkinRect, Bar->FontColor},
                                                std::tuple{"hot", Bar->ActiveSkinRect, Bar->ActiveFontColor},
                                                std::tuple{"down", Bar->DownRect, Bar->DownFontColor}})
                L.Need(Named(Bar->IDName, What), WorstUnderText(Pic(Bar->ActivePictureIndex), Shrunk(R, 3), RgbOf(Font)),
                       TextContrast);
    }
    for (const auto& D : M.CtrlList) {
        const String& N = D->IDName;
        if (auto* B = dynamic_cast<const TsfDataSkinButtonControl*>(D.get())) {
            for (const auto& [What, R, Font] : {std::tuple{"normal", B->SkinRect, B->FontColor},
                                                std::tuple{"hot", B->ActiveSkinRect, B->ActiveFontColor},
                                                std::tuple{"down", B->DownSkinRect, B->DownFontColor},
                                                std::tuple{"focused", B->FocusedSkinRect, B->FontColor}})
                if (!Empty(R))
                    L.Need(Named(N, What), WorstUnderText(Pic(B->PictureIndex), Moved(B->ClRect, R), RgbOf(Font)),
                           TextContrast);
        } else if (auto* E = dynamic_cast<const TsfDataSkinEditControl*>(D.get())) {
            L.Need(Named(N, "text"), WorstUnderText(Pic(E->PictureIndex), Moved(E->ClRect, E->SkinRect), RgbOf(E->FontColor)),
                   TextContrast);
            L.Need(Named(N, "active"),
                   WorstUnderText(Pic(E->PictureIndex), Moved(E->ClRect, E->ActiveSkinRect), RgbOf(E->ActiveFontColor)),
                   TextContrast);
        } else if (auto* C = dynamic_cast<const TsfDataSkinCheckRadioControl*>(D.get())) {
            L.Need(Named(N, "text"), WorstUnderText(Pic(C->PictureIndex), Moved(C->TextArea, C->SkinRect), RgbOf(C->FontColor)),
                   TextContrast);
            L.Need(Named(N, "hot"),
                   WorstUnderText(Pic(C->PictureIndex), Moved(C->TextArea, C->ActiveSkinRect), RgbOf(C->ActiveFontColor)),
                   TextContrast);
        } else if (auto* P = dynamic_cast<const TsfDataSkinPanelControl*>(D.get())) {
            const TRect Area = Empty(P->CaptionRect) ? Shrunk(P->ClRect, 1) : Shrunk(P->CaptionRect, 2);
            L.Need(Named(N, "caption"), WorstUnderText(Pic(P->PictureIndex), Moved(Area, P->SkinRect), RgbOf(P->FontColor)),
                   TextContrast);
        } else if (auto* La = dynamic_cast<const TsfDataSkinLabelControl*>(D.get())) {
            L.Need(Named(N, "text"), WorstUnderText(Pic(La->PictureIndex), Shrunk(La->SkinRect, 2), RgbOf(La->FontColor)),
                   TextContrast);
        } else if (auto* Tab = dynamic_cast<const TsfDataSkinTabControl*>(D.get())) {
            for (const auto& [What, R, Font] : {std::tuple{"normal", Tab->TabRect, Tab->FontColor},
                                                std::tuple{"active", Tab->ActiveTabRect, Tab->ActiveFontColor},
                                                std::tuple{"hot", Tab->MouseInTabRect, Tab->MouseInFontColor}})
                L.Need(Named(N, What), WorstUnderText(Pic(Tab->PictureIndex), Shrunk(R, 3), RgbOf(Font)), TextContrast);
        } else if (auto* Std = dynamic_cast<const TsfDataSkinStdLabelControl*>(D.get())) {
            const uint32_t Face = RgbOf(M.SkinColors()->cBtnFace());
            L.Need(Named(N, "text"), Contrast(RgbOf(Std->FontColor), Face), TextContrast);
            L.Need(Named(N, "hot"), Contrast(RgbOf(Std->ActiveFontColor), Face), TextContrast);
        } else if (auto* Tv = dynamic_cast<const TsfDataSkinTreeView*>(D.get())) {
            L.Need(Named(N, "text"), Contrast(RgbOf(Tv->FontColor), RgbOf(Tv->BGColor)), TextContrast);
        }
        // Items of lists and combo boxes: plain, selected, selected with the focus.
        auto Items = [&](const auto* I) {
            for (const auto& [What, R, Font] : {std::tuple{"item", I->SItemRect, I->FontColor},
                                                std::tuple{"selected", I->ActiveItemRect, I->ActiveFontColor},
                                                std::tuple{"focused", I->FocusItemRect, I->FocusFontColor}})
                L.Need(Named(N, What), WorstUnderText(Pic(I->PictureIndex), Shrunk(R, 3), RgbOf(Font)), TextContrast);
        };
        if (auto* Lb = dynamic_cast<const TsfDataSkinListBox*>(D.get())) Items(Lb);
        if (auto* Cb = dynamic_cast<const TsfDataSkinComboBox*>(D.get())) Items(Cb);
    }
    const TsfDataSkinHintWindow& Hint = *M.HintWindow;
    L.Need("hint.text", WorstUnderText(Pic(Hint.WindowPictureIndex), Hint.ClRect, RgbOf(Hint.FontColor)), TextContrast);
    const TsfSkinColors& Colors = *M.SkinColors();
    L.Need("colors.btntext", Contrast(RgbOf(Colors.cBtnText()), RgbOf(Colors.cBtnFace())), TextContrast);
    L.Need("colors.windowtext", Contrast(RgbOf(Colors.cWindowText()), RgbOf(Colors.cWindow())), TextContrast);
    L.Need("colors.highlighttext", Contrast(RgbOf(Colors.cHighLightText()), RgbOf(Colors.cHighLight())), TextContrast);
}

void CheckGlyphs(const TsfSkinData& M, TLegibility& L)
{
    auto Pic = [&](Integer i) -> const TDibImage& { return M.FActivePictures.at(size_t(i)); };
    // Arrows of buttons drawn into a control's picture (places in its SkinRect)
    // and their hot and pressed pictures, each with a margin around the arrow.
    auto Arrows = [&](const String& N, const TDibImage& P, const TRect& Skin,
                      std::initializer_list<TRect> Places, std::initializer_list<TRect> Pictures, Integer Margin) {
        for (const TRect& R : Places)
            if (!Empty(R)) L.Need(Named(N, "arrow"), GlyphOnGround(P, Shrunk(Moved(R, Skin), Margin)), GraphicContrast);
        for (const TRect& R : Pictures)
            if (!Empty(R)) L.Need(Named(N, "arrow.hot"), GlyphOnGround(P, Shrunk(R, Margin)), GraphicContrast);
    };
    for (const auto& D : M.CtrlList) {
        const String& N = D->IDName;
        if (auto* S = dynamic_cast<const TsfDataSkinScrollBarControl*>(D.get()))
            Arrows(N, Pic(S->PictureIndex), S->SkinRect, {S->UpButtonRect, S->DownButtonRect},
                   {S->ActiveUpButtonRect, S->DownUpButtonRect, S->ActiveDownButtonRect, S->DownDownButtonRect}, 3);
        if (auto* U = dynamic_cast<const TsfDataSkinUpDownControl*>(D.get()))
            Arrows(N, Pic(U->PictureIndex), U->SkinRect, {U->UpButtonRect, U->DownButtonRect},
                   {U->ActiveUpButtonRect, U->DownUpButtonRect, U->ActiveDownButtonRect, U->DownDownButtonRect}, 3);
        if (auto* Sp = dynamic_cast<const TsfDataSkinSpinEditControl*>(D.get()))
            for (const TRect& Skin : {Sp->SkinRect, Sp->ActiveSkinRect})
                Arrows(N, Pic(Sp->PictureIndex), Skin, {Sp->UpButtonRect, Sp->DownButtonRect},
                       {Sp->ActiveUpButtonRect, Sp->DownUpButtonRect, Sp->ActiveDownButtonRect, Sp->DownDownButtonRect}, 2);
        auto SideButton = [&](const auto* E, Integer Margin) {
            for (const TRect& Skin : {E->SkinRect, E->ActiveSkinRect})
                Arrows(N, Pic(E->PictureIndex), Skin, {E->ButtonRect}, {E->ActiveButtonRect, E->DownButtonRect}, Margin);
        };
        // An edit's button holds a wide ellipsis, a combo box's a small arrow.
        if (auto* E = dynamic_cast<const TsfDataSkinEditControl*>(D.get()); E && !Empty(E->ButtonRect)) SideButton(E, 1);
        if (auto* Co = dynamic_cast<const TsfDataSkinComboBox*>(D.get())) SideButton(Co, 4);
        // A round box still shows its outline one pixel in from the square's edge.
        if (auto* C = dynamic_cast<const TsfDataSkinCheckRadioControl*>(D.get()))
            for (const TRect& R : {C->CheckImageRect, C->ActiveCheckImageRect, C->GrayedCheckImageRect,
                                   C->ActiveGrayedCheckImageRect})
                if (!Empty(R))
                    L.Need(Named(N, "mark"), GlyphOnGround(Pic(C->PictureIndex), Shrunk(R, N == u"radiobox" ? 2 : 1)),
                           TextContrast);
        // Drop markers are keyed: on the face of the button they mark.
        if (auto* B = dynamic_cast<const TsfDataSkinButtonControl*>(D.get()); B && !Empty(B->MenuMarkerRect)) {
            const TDibImage& P = Pic(B->PictureIndex);
            const uint32_t Key = RgbOf(B->MenuMarkerTransparentColor);
            for (const auto& [Marker, Under] : {std::pair{B->MenuMarkerRect, CentreOf(P, B->SkinRect)},
                                                std::pair{B->MenuMarkerActiveRect, CentreOf(P, B->ActiveSkinRect)},
                                                std::pair{B->MenuMarkerDownRect, CentreOf(P, B->DownSkinRect)},
                                                std::pair{B->MenuMarkerFlatRect, RgbOf(M.SkinColors()->cBtnFace())}})
                L.Need(Named(N, "marker"), KeyedGlyphOn(P, Marker, Key, Under), GraphicContrast);
        }
        // The tabs' close buttons, keyed, on each look of a tab.
        if (auto* Tab = dynamic_cast<const TsfDataSkinTabControl*>(D.get()); Tab && !Empty(Tab->CloseButtonRect)) {
            const TDibImage& P = Pic(Tab->PictureIndex);
            for (const TRect& Button : {Tab->CloseButtonRect, Tab->CloseButtonActiveRect, Tab->CloseButtonDownRect})
                for (const TRect& Under : {Tab->TabRect, Tab->ActiveTabRect, Tab->MouseInTabRect})
                    L.Need(Named(N, "close"), KeyedGlyphOn(P, Button, RgbOf(Tab->ButtonTransparentColor), CentreOf(P, Under)),
                           GraphicContrast);
        }
    }
    for (const auto& O : M.ObjectList) {
        const String& N = O->IDName;
        if (auto* Item = dynamic_cast<const TsfDataSkinMenuItem*>(O.get())) {
            const TDibImage& P = Pic(Item->ActivePictureIndex);
            for (const TRect& R : {Item->CheckImageRect, Item->ActiveCheckImageRect, Item->RadioImageRect,
                                   Item->ActiveRadioImageRect})
                L.Need(Named(N, "mark"), GlyphOnGround(P, Shrunk(R, 2)), TextContrast);
            for (const TRect& R : {Item->ArrowImageRect, Item->ActiveArrowImageRect})
                L.Need(Named(N, "arrow"), GlyphOnGround(P, Shrunk(R, 1)), GraphicContrast);
        }
        // Caption buttons: a box around the glyph in the button's middle; the
        // inactive window's look recedes like its caption.
        if (auto* B = dynamic_cast<const TsfDataSkinStdButton*>(O.get())) {
            const TDibImage& P = B->SkinRectInAPicture ? Pic(B->ActivePictureIndex) : M.FPicture;
            const bool Small = dynamic_cast<const TsfDataSkinMainMenuBarButton*>(O.get()) != nullptr;
            auto Around = [Small](const TRect& R) {
                if (Small) return Shrunk(R, 1);
                const Integer X = (R.Left + R.Right) / 2, Y = (R.Top + R.Bottom) / 2;
                return TRect{X - 7, Y - 7, X + 7, Y + 7};
            };
            for (const auto& [R, Min] : {std::pair{B->SkinRect, TextContrast}, std::pair{B->ActiveSkinRect, TextContrast},
                                         std::pair{B->DownRect, TextContrast}, std::pair{B->RestoreRect, TextContrast},
                                         std::pair{B->RestoreActiveRect, TextContrast},
                                         std::pair{B->RestoreDownRect, TextContrast},
                                         std::pair{B->InActiveSkinRect, GraphicContrast},
                                         std::pair{B->RestoreInActiveRect, GraphicContrast}})
                if (!Empty(R)) L.Need(Named(N, "glyph"), GlyphOnGround(P, Around(R)), Min);
        }
    }
}

void CheckOutlines(const TsfSkinData& M, TLegibility& L)
{
    auto Pic = [&](Integer i) -> const TDibImage& { return M.FActivePictures.at(size_t(i)); };
    // Controls sit on the form's face or on a tab page.
    const uint32_t Face = RgbOf(M.SkinColors()->cBtnFace());
    uint32_t Page = Face;
    if (auto* Tab = dynamic_cast<const TsfDataSkinTabControl*>(M.CtrlList[size_t(M.GetControlIndex(u"tab"))].get()))
        Page = CentreOf(Pic(Tab->PictureIndex), Tab->SkinRect);
    auto Outline = [&](const String& N, const TDibImage& P, const TRect& R) {
        if (!Empty(R)) L.Need(Named(N, "outline"), std::min(OutlineOn(P, R, Face), OutlineOn(P, R, Page)), GraphicContrast);
    };
    for (const auto& D : M.CtrlList) {
        const String& N = D->IDName;
        if (D->PictureIndex < 0) continue;
        const TDibImage& P = Pic(D->PictureIndex);
        if (auto* B = dynamic_cast<const TsfDataSkinButtonControl*>(D.get())) {
            // A flat tool button shows its outline only under the pointer.
            const bool Flat = CentreOf(P, B->SkinRect) == Face;
            for (const TRect& R : {Flat ? TRect{} : B->SkinRect, B->ActiveSkinRect, B->DownSkinRect, B->FocusedSkinRect})
                Outline(N, P, R);
        } else if (auto* E = dynamic_cast<const TsfDataSkinEditControl*>(D.get())) {
            for (const TRect& R : {E->SkinRect, E->ActiveSkinRect}) Outline(N, P, R);
        } else if (auto* Sp = dynamic_cast<const TsfDataSkinSpinEditControl*>(D.get())) {
            for (const TRect& R : {Sp->SkinRect, Sp->ActiveSkinRect}) Outline(N, P, R);
        } else if (auto* Co = dynamic_cast<const TsfDataSkinComboBox*>(D.get())) {
            for (const TRect& R : {Co->SkinRect, Co->ActiveSkinRect}) Outline(N, P, R);
        } else if (dynamic_cast<const TsfDataSkinListBox*>(D.get()) || dynamic_cast<const TsfDataSkinScrollBoxControl*>(D.get()) ||
                   dynamic_cast<const TsfDataSkinUpDownControl*>(D.get())) {
            Outline(N, P, D->SkinRect);
        } else if (auto* C = dynamic_cast<const TsfDataSkinCheckRadioControl*>(D.get())) {
            for (const TRect& R : {C->CheckImageRect, C->UnCheckImageRect, C->ActiveCheckImageRect, C->ActiveUnCheckImageRect,
                                   C->GrayedCheckImageRect, C->ActiveGrayedCheckImageRect})
                Outline(N, P, R);
        } else if (auto* Tb = dynamic_cast<const TsfDataSkinTrackBarControl*>(D.get())) {
            for (const TRect& R : {Tb->ButtonRect, Tb->ActiveButtonRect}) Outline(N, P, R);
        } else if (auto* S = dynamic_cast<const TsfDataSkinScrollBarControl*>(D.get())) {
            // The thumb against the track it runs on.
            for (const TRect& R : {S->ThumbRect, S->ActiveThumbRect, S->DownThumbRect})
                L.Need(Named(N, "thumb"), Contrast(CentreOf(P, R), PixelAt(P, R.Left, R.Top)), GraphicContrast);
        }
    }
}

}  // namespace

TEST_P(Skins, TextGlyphsAndOutlinesStandOut)
{
    const TsfSkinData& M = Skin().Model;
    TLegibility L;
    CheckTexts(M, L);
    CheckGlyphs(M, L);
    CheckOutlines(M, L);
    EXPECT_GT(L.Checked, 150);
    for (const auto& [What, Value] : L.Below) ADD_FAILURE() << What << ": " << Value << ":1";
}

// ---------------------------------------------------------------------------
// Rounded corners: a windowed control whose piece has an outline and corners
// of the face's colour has a mask; its region, built as the controls build it,
// leaves nothing of the face around the corners on a dark or a light ground.

namespace {

void BitmapOf(const TDibImage& P, TsfBitmap& B)
{
    B.SetSize(P.Width, P.Height);
    for (Integer y = 0; y < P.Height; ++y)
        DecodeScanline(P.ScanLine(y), P.PixelFormat, P.Palette, P.Width, B.ScanLineAddress(y));
}

// The rectangles of region data.
std::vector<TRect> RectsOf(const std::vector<uint8_t>& Data, size_t Size)
{
    std::vector<TRect> Rects;
    if (Size == 0) return Rects;
    int32_t Count = 0;
    std::memcpy(&Count, Data.data() + 8, 4);
    for (int32_t i = 0; i < Count; ++i) {
        int32_t V[4];
        std::memcpy(V, Data.data() + 32 + 16 * size_t(i), 16);
        Rects.push_back({V[0], V[1], V[2], V[3]});
    }
    return Rects;
}

// The piece of a description drawn at W x H as its control draws it, what its
// region keeps of it, and the ground elsewhere. With no mask, all of it.
std::unique_ptr<TsfBitmap> OnGround(const TsfSkinData& M, const TsfDataSkinCustomControl& D, Integer W, Integer H,
                                    TsfColor Ground, bool UseMask)
{
    TsfBitmap Picture;
    BitmapOf(M.FActivePictures.at(size_t(D.PictureIndex)), Picture);
    const Integer dW = W - D.SkinRect.Width(), dH = H - D.SkinRect.Height();
    const TPoint NLT = D.LTPoint, NRT{D.RTPoint.X + dW, D.RTPoint.Y}, NLB{D.LBPoint.X, D.LBPoint.Y + dH},
                 NRB{D.RBPoint.X + dW, D.RBPoint.Y + dH};
    const TRect NCL{D.ClRect.Left, D.ClRect.Top, D.ClRect.Right + dW, D.ClRect.Bottom + dH};
    TsfBitmap Piece;
    CreateSkinImage(D.LTPoint, D.RTPoint, D.LBPoint, D.RBPoint, D.ClRect, NLT, NRT, NLB, NRB, NCL, &Piece, &Picture,
                    D.SkinRect, W, H, true, D.LeftStretch, D.TopStretch, D.RightStretch, D.BottomStretch,
                    D.StretchEffect, D.StretchType);
    std::vector<TRect> Inside;
    if (!UseMask || D.MaskPictureIndex < 0) {
        Inside.push_back({0, 0, W, H});
    } else {
        TsfBitmap Mask;
        BitmapOf(M.FActivePictures.at(size_t(D.MaskPictureIndex)), Mask);
        // The strips of the mask around the client rectangle, which is inside.
        TsfBitmap Top, Left, Right, Bottom;
        CreateSkinMask(D.LTPoint, D.RTPoint, D.LBPoint, D.RBPoint, D.ClRect, NLT, NRT, NLB, NRB, NCL, &Mask, &Top, &Left,
                       &Right, &Bottom, W, H);
        Inside.push_back(NCL);
        for (const auto& [Strip, X, Y] : {std::tuple{&Top, 0, 0}, std::tuple{&Bottom, 0, NCL.Bottom},
                                          std::tuple{&Left, 0, NCL.Top}, std::tuple{&Right, NCL.Right, NCL.Top}}) {
            std::vector<uint8_t> Data;
            const size_t Size = Strip->Empty() ? 0 : MaskToRgnData(Strip, X, Y, Data);
            for (const TRect& R : RectsOf(Data, Size)) Inside.push_back(R);
        }
    }
    auto Out = std::make_unique<TsfBitmap>();
    Out->SetSize(W, H);
    Out->Clear(Ground);
    for (const TRect& R : Inside)
        for (Integer y = std::max(R.Top, 0); y < std::min(R.Bottom, H); ++y)
            for (Integer x = std::max(R.Left, 0); x < std::min(R.Right, W); ++x) *Out->PixelAddress(x, y) = Piece.GetPixel(x, y);
    return Out;
}

// Mostly the face's colour: within 12 per channel (a pixel the outline covers
// by half is far further off).
bool FaceLike(uint32_t C, uint32_t Face)
{
    for (int Shift : {0, 8, 16})
        if (std::abs(int(C >> Shift & 0xFF) - int(Face >> Shift & 0xFF)) > 12) return false;
    return true;
}

// Pixels of the face's colour outside the outline at the corners: each of the
// first Rows rows from the top and the bottom is walked in from both ends over
// the ground and the face until the outline.
int FaceAtCorners(const TsfBitmap& B, uint32_t Face, TsfColor Ground, Integer Rows)
{
    int Count = 0;
    for (Integer r = 0; r < Rows; ++r)
        for (Integer y : {r, B.Height() - 1 - r})
            for (Integer Step : {1, -1})
                for (Integer x = Step > 0 ? 0 : B.Width() - 1; x >= 0 && x < B.Width(); x += Step) {
                    const uint32_t C = B.GetPixel(x, y) & 0xFFFFFF;
                    if (FaceLike(C, Face)) ++Count;
                    else if (C != (Ground & 0xFFFFFF)) break;
                }
    return Count;
}

}  // namespace

TEST_P(Skins, RoundedPiecesLeaveNoFaceAroundTheirCorners)
{
    const TsfSkinData& M = Skin().Model;
    const uint32_t Face = RgbOf(M.SkinColors()->cBtnFace());
    int Rounded = 0;
    for (const auto& Data : M.CtrlList) {
        auto* D = dynamic_cast<const TsfDataSkinCustomControl*>(Data.get());
        if (!D || D->PictureIndex < 0 || Empty(D->SkinRect)) continue;
        const std::string N = UTF8Encode(D->IDName);
        const TDibImage& P = M.FActivePictures.at(size_t(D->PictureIndex));
        const TRect& R = D->SkinRect;
        // A piece with rounded corners: the face at its corner, an outline of its
        // own along its edges ...
        if (!FaceLike(PixelAt(P, R.Left, R.Top), Face) || FaceLike(PixelAt(P, R.Left, R.Top + R.Height() / 4), Face) ||
            FaceLike(PixelAt(P, R.Left + R.Width() / 4, R.Top), Face))
            continue;
        if (D->MaskPictureIndex >= 0) {
            const TDibImage& Mask = M.FActivePictures.at(size_t(D->MaskPictureIndex));
            EXPECT_EQ(Mask.Width, R.Width()) << N;
            EXPECT_EQ(Mask.Height, R.Height()) << N;
        }
        // ... at its own size and grown (by the corner points, or as it is when it
        // has none), on black and on white.
        const bool Grows = D->RBPoint.X != 0 && D->RBPoint.Y != 0;
        for (const auto& [W, H] : {std::pair{R.Width(), R.Height()}, std::pair{R.Width() + (Grows ? 43 : 0), R.Height() + (Grows ? 7 : 0)}})
            for (TsfColor Ground : {0xFF000000u, 0xFFFFFFFFu}) {
                Rounded += FaceAtCorners(*OnGround(M, *D, W, H, Ground, false), Face, Ground, 4) > 0;
                EXPECT_EQ(FaceAtCorners(*OnGround(M, *D, W, H, Ground, true), Face, Ground, 4), 0)
                    << N << " " << W << "x" << H;
            }
    }
    // The skins with rounded corners have such pieces; square ones have none.
    EXPECT_EQ(Rounded > 0, std::u16string(GetParam()) != u"Laconic");
}

// Check and radio images are copied keyed on their bottom-left pixel: that
// colour is nowhere on the outline, and on a dark or a light ground nothing of
// the face is left around the box.
TEST_P(Skins, CheckImagesKeyOnTheirCornerPixel)
{
    const TsfSkinData& M = Skin().Model;
    const uint32_t Face = RgbOf(M.SkinColors()->cBtnFace());
    int Checked = 0;
    for (const auto& Data : M.CtrlList) {
        auto* C = dynamic_cast<const TsfDataSkinCheckRadioControl*>(Data.get());
        if (!C) continue;
        const TDibImage& P = M.FActivePictures.at(size_t(C->PictureIndex));
        for (const TRect& R : {C->CheckImageRect, C->UnCheckImageRect, C->ActiveCheckImageRect, C->ActiveUnCheckImageRect,
                               C->UnEnabledCheckImageRect, C->UnEnabledUnCheckImageRect, C->GrayedCheckImageRect,
                               C->ActiveGrayedCheckImageRect}) {
            if (Empty(R)) continue;
            ++Checked;
            const std::string N = UTF8Encode(C->IDName) + " at " + std::to_string(R.Left) + "," + std::to_string(R.Top);
            const uint32_t Key = PixelAt(P, R.Left, R.Bottom - 1);
            const Integer X = (R.Left + R.Right) / 2, Y = (R.Top + R.Bottom) / 2;
            for (const TPoint& Edge : {TPoint{R.Left, Y}, TPoint{R.Right - 1, Y}, TPoint{X, R.Top}, TPoint{X, R.Bottom - 1}})
                EXPECT_NE(PixelAt(P, Edge.X, Edge.Y), Key) << N << ": the outline at " << Edge.X << "," << Edge.Y;
            for (TsfColor Ground : {0xFF000000u, 0xFFFFFFFFu}) {
                TsfBitmap Keyed;
                Keyed.SetSize(R.Width(), R.Height());
                for (Integer y = 0; y < R.Height(); ++y)
                    for (Integer x = 0; x < R.Width(); ++x) {
                        const uint32_t Px = PixelAt(P, R.Left + x, R.Top + y);
                        *Keyed.PixelAddress(x, y) = Px == Key ? Ground : 0xFF000000u | Px;
                    }
                EXPECT_EQ(FaceAtCorners(Keyed, Face, Ground, 4), 0) << N;
            }
        }
    }
    EXPECT_EQ(Checked, 14);  // eight looks of the check box, six of the radio box
}

INSTANTIATE_TEST_SUITE_P(EachSkin, Skins, testing::ValuesIn(SkinNames),
                         [](const testing::TestParamInfo<const char16_t*>& I) { return UTF8Encode(I.param); });

// Switching skins must show: the captions and the faces differ pairwise.
TEST(SkinSet, TheSkinsDifferVisibly)
{
    std::vector<std::unique_ptr<TPackedSkin>> All;
    for (const char16_t* Name : SkinNames) All.push_back(ReadSkin(SkinFolder + Name + u".skn"));
    auto CaptionPixel = [](const TPackedSkin& S) {
        const TDibImage& F = S.Model.FPicture;
        const uint8_t* P = F.ScanLine(12) + 3 * (F.Width / 2);
        return uint32_t(P[0] | P[1] << 8 | P[2] << 16);
    };
    for (size_t i = 0; i < All.size(); ++i)
        for (size_t j = i + 1; j < All.size(); ++j) {
            EXPECT_NE(CaptionPixel(*All[i]), CaptionPixel(*All[j])) << i << " " << j;
            EXPECT_NE(All[i]->Model.SkinColors()->cBtnFace(), All[j]->Model.SkinColors()->cBtnFace()) << i << " " << j;
        }
}

#ifdef LM_SKINTOOL
// The packer is run again into a folder of the test's own: the same bytes.
TEST(SkinSet, ThePackerMakesTheSameBytesEveryRun)
{
    TTempFolder Dir(u"lm_skins_");
    const std::string Command = std::string(LM_SKINTOOL) + " " + HostPath(Dir.Path()) + " " +
                                HostPath(Dir.Path() + u"work") + " Rire Charm Laconic Cool";
    ASSERT_EQ(std::system(Command.c_str()), 0);
    for (const char16_t* Name : SkinNames) {
        TMemoryStream A, B;
        A.LoadFromFile(SkinFolder + Name + u".skn");
        B.LoadFromFile(Dir.Path() + Name + u".skn");
        ASSERT_EQ(A.Size(), B.Size()) << UTF8Encode(Name);
        EXPECT_EQ(std::memcmp(A.Memory(), B.Memory(), size_t(A.Size())), 0) << UTF8Encode(Name);
    }
}
#endif

// The two stored tables of interface texts: the English one is the defaults
// plus the two texts the defaults lack; the Chinese one has every name once,
// with a text of its own and the same accelerators.
TEST(SkinStrings, TheStoredTablesCoverEveryName)
{
    auto Load = [](const char16_t* File) {
        TMemoryStream S;
        S.LoadFromFile(UTF8ToString(LM_SKIN_STRINGS) + File);
        auto Lines = std::make_unique<TStringList>();
        Lines->SetText(UTF8ToString(UTF8String(static_cast<const char*>(S.Memory()), size_t(S.Size()))));
        return Lines;
    };
    const auto En = Load(u"SkinStrings_en.txt"), Zh = Load(u"SkinStrings_zh.txt");
    TsfResourceStrData Defaults(nullptr), English(nullptr), Chinese(nullptr);
    English.SetResStrings(En.get());
    Chinese.SetResStrings(Zh.get());
    const TStrings* D = Defaults.ResStrings();
    ASSERT_EQ(En->Count(), D->Count() + 2);
    for (Integer i = 0; i < D->Count(); ++i) EXPECT_EQ(En->Strings(i), D->Strings(i)) << i;

    std::set<String> Names;
    for (Integer i = 0; i < Zh->Count(); ++i) {
        const String Line = Zh->Strings(i);
        const size_t Eq = Line.find(u'=');
        ASSERT_NE(Eq, String::npos) << i;
        EXPECT_TRUE(Names.insert(UpperCase(Line.substr(0, Eq))).second) << UTF8Encode(Line);
    }
    for (Integer i = 0; i < En->Count(); ++i) {
        const String Line = En->Strings(i);
        const String Name = Line.substr(0, Line.find(u'='));
        EXPECT_TRUE(Names.count(UpperCase(Name))) << UTF8Encode(Name);
        const String E = English.GetResStr(Name), C = Chinese.GetResStr(Name);
        ASSERT_FALSE(C.empty()) << UTF8Encode(Name);
        EXPECT_TRUE(std::any_of(C.begin(), C.end(), [](char16_t Ch) { return Ch >= 0x4E00 && Ch <= 0x9FFF; }))
            << UTF8Encode(Name);
        EXPECT_EQ(E.find(u'&') != String::npos, C.find(u'&') != String::npos) << UTF8Encode(Name);
        EXPECT_EQ(E.back() == u' ', C.back() == u' ') << UTF8Encode(Name);
    }
    EXPECT_EQ(Names.size(), 133u);
}
