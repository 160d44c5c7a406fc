// The program's skins as the build packs them: the ".skn" container and its
// body, the description every skinned control and the frame look up by name,
// the pictures those names point into, and the skin library's texts in
// Chinese and English.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "foundation/TempFolder.h"
#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/ZLibStreams.h"
#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinData.h"

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
