// Every description class: its writer and reader are mirrors, the kind words
// make it, a missing section gives its defaults, and the rules of particular
// classes hold.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <typeinfo>

#include "skin/model/SFControlData.h"
#include "skin/model/SFObjectData.h"
#include "skin/model/SFWindowData.h"

namespace {

template <class T>
concept HasParent = requires { typename T::inherited; };

// A keyed field of a description object: its key, codec and value.
struct TFieldRef {
    String Key;
    TSkinCodec Codec;
    void* Value;
};

// Every keyed field of O: the ancestors' keys first, then the class's.
template <class T, class Obj>
void AddFields(Obj& O, bool OwnKeysOnly, std::vector<TFieldRef>& Fields)
{
    if constexpr (HasParent<T>)
        if (!OwnKeysOnly) AddFields<typename T::inherited>(O, false, Fields);
    for (const auto& k : T::Keys) Fields.push_back({k.Key, k.Codec, k.AddressIn(static_cast<T&>(O))});
}
template <class T>
std::vector<TFieldRef> FieldsOf(T& O, bool OwnKeysOnly)
{
    std::vector<TFieldRef> Fields;
    AddFields<T>(O, OwnKeysOnly, Fields);
    return Fields;
}

const TSkinWords& WordsOf(TSkinCodec Codec)
{
    switch (Codec) {
    case TSkinCodec::Alignment: return SkinWordsOf(TAlignment{});
    case TSkinCodec::StretchType: return SkinWordsOf(TsfStretchType{});
    case TSkinCodec::InActiveEffect: return SkinWordsOf(TsfInActiveEffect{});
    case TSkinCodec::MorphKind: return SkinWordsOf(TMorphKind{});
    case TSkinCodec::FramesPlacement: return SkinWordsOf(TFramesPlacement{});
    case TSkinCodec::RegulatorKind: return SkinWordsOf(TRegulatorKind{});
    case TSkinCodec::GaugeKind: return SkinWordsOf(TGaugeKind{});
    default: return SkinWordsOf(TStdCommand{});
    }
}

String Show(const TFieldRef& F)
{
    switch (F.Codec) {
    case TSkinCodec::Integer: return IntToStr(*static_cast<const Integer*>(F.Value));
    case TSkinCodec::Boolean: return *static_cast<const bool*>(F.Value) ? u"true" : u"false";
    case TSkinCodec::Text: return u"\"" + *static_cast<const String*>(F.Value) + u"\"";
    case TSkinCodec::Rect: return RectToText(*static_cast<const TRect*>(F.Value));
    case TSkinCodec::Point: return PointToText(*static_cast<const TPoint*>(F.Value));
    case TSkinCodec::Lines: return static_cast<const TStringList*>(F.Value)->Text();
    default: return IntToStr(*static_cast<const Byte*>(F.Value));  // font styles and enumerations
    }
}

// Values a writer can carry: rectangles and points are never negative (the
// format drops signs); texts have no blanks at their ends.
String RandomText(std::mt19937& R)
{
    static const String chars = u"abcXYZ09=&;[]# \x4E2D";
    String s(1 + R() % 10, u'a');
    for (Char& c : s) c = chars[R() % chars.size()];
    if (s.front() == u' ') s.front() = u'x';
    if (s.back() == u' ') s.back() = u'y';
    return s;
}

void Fill(std::mt19937& R, const TFieldRef& F)
{
    switch (F.Codec) {
    case TSkinCodec::Integer: *static_cast<Integer*>(F.Value) = static_cast<Integer>(R()); break;
    case TSkinCodec::Boolean: *static_cast<bool*>(F.Value) = R() & 1; break;
    case TSkinCodec::Text: *static_cast<String*>(F.Value) = RandomText(R); break;
    case TSkinCodec::Rect: {
        TRect& V = *static_cast<TRect*>(F.Value);
        V.Left = R() % 100000;
        V.Top = R() % 100000;
        V.Right = V.Left + 1 + R() % 100000;
        V.Bottom = V.Top + 1 + R() % 100000;
        break;
    }
    case TSkinCodec::Point: *static_cast<TPoint*>(F.Value) = Point(R() % 0x7FFFFFFF, R() % 0x7FFFFFFF); break;
    case TSkinCodec::FontStyles: *static_cast<Byte*>(F.Value) = R() % 16; break;
    case TSkinCodec::Lines: {
        TStringList& V = *static_cast<TStringList*>(F.Value);
        V.Clear();
        for (unsigned n = R() % 4; n; --n) V.Add(R() % 4 ? RandomText(R) : String());
        break;
    }
    default:  // an enumeration: one of its words
        *static_cast<Byte*>(F.Value) = static_cast<Byte>(R() % WordsOf(F.Codec).Words.size());
    }
}

struct TRoundTrip {
    const char16_t* Kind;  // kind word, or the fixed section of a window description
    void (*Run)(const TRoundTrip& Case);
    // Keys whose value the reader sets by a rule of its own.
    std::initializer_list<const char16_t*> RuleKeys = {};
    bool OwnKeysOnly = false;  // a reader that skips its parent's keys
};

using TKeyValues = std::vector<std::pair<String, String>>;

template <class T>
TKeyValues KeyValues(const T& O, const TRoundTrip& Case)
{
    TKeyValues kv;
    for (const TFieldRef& f : FieldsOf(const_cast<T&>(O), Case.OwnKeysOnly)) kv.emplace_back(f.Key, Show(f));
    return kv;
}

// Random fields, written, read back from the written text: every field equal.
size_t FieldsCompared = 0;

template <class T>
void RoundTripOf(const TRoundTrip& Case, const std::function<std::unique_ptr<T>()>& Make)
{
    std::mt19937 rnd(1234);
    for (int trial = 0; trial < 8; ++trial) {
        std::unique_ptr<T> a = Make();
        for (const TFieldRef& f : FieldsOf(*a, Case.OwnKeysOnly)) Fill(rnd, f);
        TMemIniFile written(u"");
        a->SaveToFile(&written);
        TStringList text;
        written.GetStrings(&text);
        TMemIniFile reread(u"");
        reread.SetStrings(&text);
        std::unique_ptr<T> b = Make();
        b->LoadFromFile(&reread);

        const TKeyValues va = KeyValues(*a, Case), vb = KeyValues(*b, Case);
        ASSERT_EQ(va.size(), vb.size());
        ASSERT_FALSE(va.empty());
        for (size_t i = 0; i < va.size(); ++i) {
            if (std::find(Case.RuleKeys.begin(), Case.RuleKeys.end(), va[i].first) != Case.RuleKeys.end()) continue;
            EXPECT_EQ(va[i].second, vb[i].second) << UTF8Encode(String(Case.Kind) + u": " + va[i].first);
            ++FieldsCompared;
        }
    }
}

template <class T>
void ControlRoundTrip(const TRoundTrip& Case)
{
    RoundTripOf<T>(Case, [&] {
        std::unique_ptr<TsfDataSkinControl> d = CreateSkinControlData(Case.Kind, u"Section");
        EXPECT_TRUE(d && typeid(*d) == typeid(T)) << UTF8Encode(Case.Kind);
        EXPECT_EQ(SkinControlKind(d.get()), Case.Kind);
        return std::unique_ptr<T>(static_cast<T*>(d.release()));
    });
}

template <class T>
void ObjectRoundTrip(const TRoundTrip& Case)
{
    RoundTripOf<T>(Case, [&] {
        std::unique_ptr<TsfDataSkinObject> d = CreateSkinObjectData(Case.Kind, u"Section");
        EXPECT_TRUE(d && typeid(*d) == typeid(T)) << UTF8Encode(Case.Kind);
        EXPECT_EQ(SkinObjectKind(d.get()), Case.Kind);
        return std::unique_ptr<T>(static_cast<T*>(d.release()));
    });
}

template <class T>
void WindowRoundTrip(const TRoundTrip& Case)
{
    RoundTripOf<T>(Case, [] { return std::make_unique<T>(); });
}

}  // namespace

TEST(SkinDescriptions, WriterAndReaderAreMirrors)
{
    const TRoundTrip cases[] = {
        // The 33 control kinds.
        {u"slider", ControlRoundTrip<TsfDataSkinSlider>},
        {u"bevel", ControlRoundTrip<TsfDataSkinBevel>},
        {u"panel", ControlRoundTrip<TsfDataSkinPanelControl>},
        {u"expanel", ControlRoundTrip<TsfDataSkinExPanelControl>},
        {u"menubutton", ControlRoundTrip<TsfDataSkinMenuButtonControl>},
        {u"button", ControlRoundTrip<TsfDataSkinButtonControl>},
        {u"checkradio", ControlRoundTrip<TsfDataSkinCheckRadioControl>},
        {u"gauge", ControlRoundTrip<TsfDataSkinGaugeControl>},
        {u"splitter", ControlRoundTrip<TsfDataSkinSplitterControl>},
        {u"trackbar", ControlRoundTrip<TsfDataSkinTrackBarControl>},
        {u"label", ControlRoundTrip<TsfDataSkinLabelControl>},
        {u"stdlabel", ControlRoundTrip<TsfDataSkinStdLabelControl>},
        {u"bitlabel", ControlRoundTrip<TsfDataSkinBitLabelControl>},
        {u"frameregulator", ControlRoundTrip<TsfDataSkinFrameRegulator>, {u"framescount"}},
        {u"framegauge", ControlRoundTrip<TsfDataSkinFrameGauge>, {u"framescount"}},
        {u"animate", ControlRoundTrip<TsfDataSkinAnimateControl>, {u"framescount"}},
        {u"updown", ControlRoundTrip<TsfDataSkinUpDownControl>},
        {u"switch", ControlRoundTrip<TsfDataSkinSwitchControl>, {u"framescount"}},
        {u"grid", ControlRoundTrip<TsfDataSkinGridControl>},
        {u"tab", ControlRoundTrip<TsfDataSkinTabControl>},
        {u"mainmenubar", ControlRoundTrip<TsfDataSkinMainMenuBar>},
        {u"controlbar", ControlRoundTrip<TsfDataSkinControlBar>},
        {u"memo", ControlRoundTrip<TsfDataSkinMemoControl>},
        {u"edit", ControlRoundTrip<TsfDataSkinEditControl>},
        {u"checklistbox", ControlRoundTrip<TsfDataSkinCheckListBox>},
        {u"listbox", ControlRoundTrip<TsfDataSkinListBox>},
        {u"combobox", ControlRoundTrip<TsfDataSkinComboBox>},
        {u"scrollbar", ControlRoundTrip<TsfDataSkinScrollBarControl>},
        {u"spinedit", ControlRoundTrip<TsfDataSkinSpinEditControl>},
        {u"scrollbox", ControlRoundTrip<TsfDataSkinScrollBoxControl>},
        {u"treeview", ControlRoundTrip<TsfDataSkinTreeView>},
        {u"listview", ControlRoundTrip<TsfDataSkinListView>},
        {u"richedit", ControlRoundTrip<TsfDataSkinRichEdit>},
        // The 16 frame-object kinds.
        {u"menuitem", ObjectRoundTrip<TsfDataSkinMenuItem>},
        {u"mainmenubaritem", ObjectRoundTrip<TsfDataSkinMainMenuBarItem>},
        {u"mainmenuitem", ObjectRoundTrip<TsfDataSkinMainMenuItem>},
        {u"stdbutton", ObjectRoundTrip<TsfDataSkinStdButton>},
        {u"mainmenubarbutton", ObjectRoundTrip<TsfDataSkinMainMenuBarButton>},
        {u"button", ObjectRoundTrip<TsfDataSkinButton>},
        {u"caption", ObjectRoundTrip<TsfDataSkinCaption>},
        {u"trackbar", ObjectRoundTrip<TsfDataSkinTrackBar>, {u"morphing"}},
        {u"gauge", ObjectRoundTrip<TsfDataSkinGauge>},
        {u"framegauge", ObjectRoundTrip<TsfDataSkinFrameGaugeObject>},
        {u"frameregulator", ObjectRoundTrip<TsfDataSkinFrameRegulatorObject>},
        {u"label", ObjectRoundTrip<TsfDataSkinLabel>},
        {u"bitlabel", ObjectRoundTrip<TsfDataSkinBitLabel>, {u"morphing"}},
        {u"switch", ObjectRoundTrip<TsfDataSkinSwitch>},
        {u"animate", ObjectRoundTrip<TsfDataSkinAnimate>, {u"morphing"}},
        {u"userobject", ObjectRoundTrip<TsfDataUserObject>, {}, true},
        // The window descriptions and the colours.
        {u"POPUPWINDOW", WindowRoundTrip<TsfDataSkinPopupWindow>},
        {u"LAYERFRAME", WindowRoundTrip<TsfDataSkinLayerFrame>},
        {u"HINTWINDOW", WindowRoundTrip<TsfDataSkinHintWindow>},
        {u"SKINCOLORS", WindowRoundTrip<TsfSkinColors>},
    };
    for (const TRoundTrip& c : cases) c.Run(c);
    std::printf("%zu descriptions, %zu fields compared\n", std::size(cases), FieldsCompared);

    EXPECT_EQ(CreateSkinControlData(u"Edit", u"x"), nullptr);
    EXPECT_EQ(CreateSkinControlData(u"b:edit", u"x"), nullptr);
    EXPECT_EQ(CreateSkinObjectData(u"userObject", u"x"), nullptr);
    EXPECT_EQ(CreateSkinObjectData(u"", u"x"), nullptr);
}

namespace {

// Reads one description from Text and writes it back; the written lines.
TStringList* WrittenBack(bool Object, const String& Kind, const String& IDName, const String& Text)
{
    static TStringList lines;
    TMemIniFile in(u""), out(u"");
    in.SetText(Text);
    if (Object) {
        auto d = CreateSkinObjectData(Kind, IDName);
        d->LoadFromFile(&in);
        d->SaveToFile(&out);
    } else {
        auto d = CreateSkinControlData(Kind, IDName);
        d->LoadFromFile(&in);
        d->SaveToFile(&out);
    }
    out.GetStrings(&lines);
    return &lines;
}

bool HasLine(const TStrings* Lines, const String& Line)
{
    for (Integer i = 0; i < Lines->Count(); ++i)
        if (Lines->Strings(i) == Line) return true;  // exact: the key's spelling counts
    return false;
}

bool HasKey(const TStrings* Lines, const String& Key)
{
    for (Integer i = 0; i < Lines->Count(); ++i)
        if (SameText(Lines->Names(i), Key)) return true;
    return false;
}

}  // namespace

// Each row: a section read by a description of the kind, and lines its writer
// must give back ("!key": the key must not be written).
TEST(SkinDescriptions, DefaultsAndReaderRules)
{
    struct {
        bool object;
        const char16_t* kind;
        const char16_t* text;
        std::initializer_list<const char16_t*> lines;
    } rows[] = {
        // A missing section: every key's default, the misspelt keys as they are.
        {false, u"button", u"",
         {u"[sec]", u"pictureindex=-1", u"maskpictureindex=-1", u"cursorindex=-1", u"skinrect=0,0,0,0",
          u"lefttoppoint=0,0", u"clientrect=0,0,0,0", u"stretchtype=stfull", u"fontname=Arial", u"fontheight=14",
          u"fontstyle=", u"morphkind=mkdefault", u"animateinterval=25", u"glowlayerpictureindex=-1",
          u"glowlayeralphablendvalue=255"}},
        {false, u"listbox", u"",
         {u"vscrollbarname=vscrollbar", u"hscrollbarname=hscrollbar", u"bothhscrollbarname=bothhscrollbar",
          u"captionfontname=Arial", u"captionfontheight=14"}},
        {false, u"controlbar", u"", {u"itemoffset1=3", u"itemoffset2=3", u"bgpictureindex=-1"}},
        {false, u"animate", u"", {u"framescount=1", u"framesplacement=fphorizontal"}},
        {false, u"frameregulator", u"", {u"framescount=1", u"kind=rkround"}},
        {false, u"stdlabel", u"", {u"fontheight=14", u"activefontcolor=16711680"}},
        {false, u"tab", u"", {u"bgpictureindex=-1", u"buttontransparentcolor=0", u"updown="}},
        {false, u"panel", u"", {u"alignment=tacenter", u"grippertransparentcolor=0"}},
        {false, u"treeview", u"", {u"bgcolor=0", u"fontheight=14"}},
        {true, u"button", u"", {u"hint=", u"disableskinrsect=0,0,0,0", u"groupindex=-1", u"!pictureindex"}},
        {true, u"caption", u"",
         {u"reflactioncolor=0", u"reflactionactivecolor=0", u"reflectioneffect=0", u"glowsize=3",
          u"animateinterval=25", u"alignment=tacenter", u"quickbuttonalphamaskpictureindex=-1"}},
        {true, u"mainmenuitem", u"", {u"unenabledfontColor=0", u"fontname=Arial"}},
        {true, u"bitlabel", u"", {u"transparentcolor=16711935", u"symbolslinecount=0"}},
        {true, u"animate", u"", {u"countframes=1", u"timerinterval=50", u"command=cmdefault", u"restorehint="}},
        {true, u"gauge", u"", {u"kind=gkhorizontal"}},
        {true, u"stdbutton", u"", {u"command=cmdefault", u"restorehint=", u"glowlayeralphablendvalue=255"}},
        // Sections and keys match without case; values do not.
        {false, u"button", u"[SEC]\r\nSkinRect=-3,4,10,20\r\nStretchType=STFULL\r\n",
         {u"skinrect=3,4,10,20", u"stretchtype=sthorz"}},
        {true, u"label", u"[sec]\r\nFONTNAME=Tahoma\r\nalignment=center\r\n",
         {u"fontname=Tahoma", u"alignment=tarightjustify"}},
        {true, u"label", u"[sec]\r\nfontname=\r\n", {u"fontname="}},
        {true, u"gauge", u"[sec]\r\nkind=\r\n", {u"kind=gkvertical"}},
        {true, u"stdbutton", u"[sec]\r\ncommand=close\r\n", {u"command=cmminimizetotray"}},
        // The restore hint of caption buttons.
        {true, u"stdbutton", u"[sec]\r\nhint=Maximize\r\ncommand=cmmaximize\r\n", {u"restorehint=Restore"}},
        {true, u"stdbutton", u"[sec]\r\nhint=maximize\r\ncommand=cmmaximize\r\n", {u"restorehint="}},
        {true, u"stdbutton", u"[sec]\r\nhint=Maximize\r\ncommand=cmmaximize\r\nrestorehint=Back\r\n",
         {u"restorehint=Back"}},
        {true, u"stdbutton", u"[sec]\r\nhint=Roll Up\r\ncommand=cmrollup\r\nrestorehint=\r\n",
         {u"restorehint=Restore"}},
        {true, u"stdbutton", u"[sec]\r\nhint=Roll Up\r\ncommand=cmminimize\r\n", {u"restorehint="}},
        {true, u"mainmenubarbutton", u"[sec]\r\nhint=Minimize\r\ncommand=cmminimize\r\n", {u"restorehint=Restore"}},
        {true, u"animate", u"[sec]\r\nhint=RollUp\r\ncommand=cmrollup\r\nmorphing=1\r\n",
         {u"restorehint=Restore", u"morphing=0"}},
        // Menu items: an empty active image takes the normal one.
        {true, u"menuitem",
         u"[sec]\r\ncheckimagerect=1,2,3,4\r\nradioimagerect=5,6,7,8\r\nactiveradioimagerect=9,9,20,20\r\n"
         u"arrowimagerect=1,1,5,5\r\nactivearrowimagerect=4,1,4,9\r\n",
         {u"activecheckimagerect=1,2,3,4", u"activeradioimagerect=9,9,20,20", u"activearrowimagerect=1,1,5,5"}},
        // Morphing off whatever the text says.
        {true, u"trackbar", u"[sec]\r\nmorphing=1\r\n", {u"morphing=0"}},
        {true, u"bitlabel", u"[sec]\r\nmorphing=1\r\nsymbolslinecount=3\r\nsymbolsline0=a\r\nsymbolsline1=b\r\n"
                            u"symbolsline2=c\r\n",
         {u"morphing=0", u"symbolslinecount=3", u"symbolsline0=a", u"symbolsline2=c"}},
        {true, u"button", u"[sec]\r\nmorphing=1\r\n", {u"morphing=1"}},
        // A user object reads and writes three keys only.
        {true, u"userobject", u"[sec]\r\nhint=H\r\nactiveskinrect=1,2,3,4\r\nrollup=1\r\nskinrect=1,2,3,4\r\n",
         {u"rollup=1", u"skinrect=1,2,3,4", u"cursorindex=-1", u"!hint", u"!activeskinrect"}},
        // Frame strips have at least one frame.
        {false, u"switch", u"[sec]\r\nframescount=0\r\nframesplacement=vertical\r\n",
         {u"framescount=1", u"framesplacement=fpvertical"}},
        {false, u"framegauge", u"[sec]\r\nframescount=-3\r\n", {u"framescount=1"}},
        {false, u"animate", u"[sec]\r\nframescount=7\r\n", {u"framescount=7"}},
        // Up-down buttons have no nine-slice geometry; the stretch type stays.
        {false, u"updown", u"[sec]\r\nlefttoppoint=3,4\r\nrightbottompoint=5,6\r\nclientrect=1,2,3,4\r\n"
                           u"stretchtype=stvert\r\nupbuttonrect=1,2,3,4\r\n",
         {u"lefttoppoint=0,0", u"rightbottompoint=0,0", u"clientrect=0,0,0,0", u"stretchtype=stvert",
          u"upbuttonrect=1,2,3,4"}},
        // The menu bar's button names land in their own fields.
        {false, u"mainmenubar", u"[sec]\r\nmaxbutton=mx\r\nminbutton=mn\r\n",
         {u"minbutton=mn", u"maxbutton=mx"}},
        // A key spelt with one h is not read.
        {false, u"listbox", u"[sec]\r\nbothscrollbarname=x\r\n", {u"bothhscrollbarname=bothhscrollbar"}},
        {false, u"checklistbox", u"[sec]\r\nitemrect=1,2,3,4\r\n",
         {u"itemrect=1,2,3,4", u"checkimagerect=0,0,0,0", u"vscrollbarname=vscrollbar"}},
    };
    for (auto& r : rows) {
        const TStrings* lines = WrittenBack(r.object, r.kind, u"sec", r.text);
        for (const char16_t* l : r.lines) {
            if (l[0] == u'!') EXPECT_FALSE(HasKey(lines, l + 1)) << UTF8Encode(String(r.kind) + u" " + l);
            else EXPECT_TRUE(HasLine(lines, l)) << UTF8Encode(String(r.kind) + u" " + r.text + u" -> " + l);
        }
    }
}

TEST(SkinDescriptions, MalformedRectangleStopsTheReader)
{
    TMemIniFile ini(u"");
    ini.SetText(u"[b]\r\npictureindex=4\r\nskinrect=1,2,3\r\nlefttoppoint=5,6\r\n");
    TsfDataSkinButtonControl d(u"b");
    EXPECT_THROW(d.LoadFromFile(&ini), EConvertError);
    EXPECT_EQ(d.PictureIndex, 4);             // read before the bad key
    EXPECT_EQ(d.LTPoint, TPoint());           // not reached
    EXPECT_EQ(d.FontHeight, 12);              // the initial value, not the reader's 14
}

TEST(SkinDescriptions, WindowsAndColours)
{
    TMemIniFile empty(u"");
    TsfDataSkinHintWindow hint;
    EXPECT_EQ(hint.FontHeight, 12);
    hint.LoadFromFile(&empty);
    EXPECT_EQ(hint.FontName, u"Arial");
    EXPECT_EQ(hint.FontHeight, 14);
    EXPECT_EQ(hint.WindowPictureIndex, -1);

    TsfDataSkinLayerFrame layer;
    TMemIniFile ini(u"");
    ini.SetText(u"[LAYERFRAME]\r\nalphablendvalue=300\r\npictureindex=2\r\n");
    layer.LoadFromFile(&ini);
    EXPECT_EQ(layer.AlphaBlendValue, 300);  // not clamped
    EXPECT_EQ(layer.InActiveAlphaBlendValue, 255);
    EXPECT_EQ(layer.PictureIndex, 2);
    layer.LoadFromFile(&empty);
    EXPECT_EQ(layer.PictureIndex, -1);

    TsfSkinColors colours;
    colours.SetColorsToDefault();
    EXPECT_EQ(colours.cBtnFace(), static_cast<TColor>(0xFF00000F));
    EXPECT_EQ(colours.c3DDkShadow(), static_cast<TColor>(0xFF000015));
    colours.LoadFromFile(&empty);  // no section: black, not the system colours
    EXPECT_EQ(colours.cBtnFace(), 0);
    EXPECT_EQ(colours.cHighLightText(), 0);

    // The colours' writer adds to the section; the window writers replace theirs.
    TMemIniFile out(u"");
    out.WriteString(u"SKINCOLORS", u"extra", u"1");
    out.WriteString(u"POPUPWINDOW", u"extra", u"1");
    colours.SaveToFile(&out);
    TsfDataSkinPopupWindow().SaveToFile(&out);
    EXPECT_EQ(out.ReadString(u"SKINCOLORS", u"extra", u""), u"1");
    EXPECT_EQ(out.ReadString(u"POPUPWINDOW", u"extra", u""), u"");
    EXPECT_EQ(out.ReadString(u"SKINCOLORS", u"cbtnface", u""), u"0");

    TsfDataSkinArea area(u"grip", {1, 2, 3, 4}, true, false, true, false, true);
    EXPECT_EQ(area.AreaRect, Rect(1, 2, 3, 4));
    EXPECT_TRUE(area.AnchorBottom);
    EXPECT_FALSE(area.AnchorRight);
}
