// The skin model: the three loads and their announcement, the staging that
// keeps the old skin when a new one cannot be read, the reading rules of
// [FORMINFO], [SKINAREAS] and the factories, the lookups, the writers, the
// property setters. Messages are recorded by a sender installed for the test.
#include <gtest/gtest.h>

#include <vector>

#include "SaveFaults.h"
#include "SkinTestData.h"
#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinData.h"

using namespace skintest;

namespace {

struct TSeen {
    Integer Msg;  // 0: OnLoadData
    bool Empty;
    bool Changing;
    size_t Controls;
    String SkinName;
};
std::vector<TSeen> GSeen;

void Record(TsfSkinData* Data, Integer Msg)
{
    GSeen.push_back({Msg, Data->Empty, Data->ChangeSkinDataProcess, Data->CtrlList.size(), Data->SkinName});
}

class SkinModel : public testing::Test {
protected:
    void SetUp() override
    {
        GSeen.clear();
        SfSkinMessageSender = Record;
    }
    void TearDown() override
    {
        SfSkinMessageSender = nullptr;
        SfSkinCursorLoader = nullptr;
    }
    std::vector<Integer> Messages() const
    {
        std::vector<Integer> m;
        for (const TSeen& s : GSeen) m.push_back(s.Msg);
        return m;
    }
};

const std::vector<Integer> FullAnnouncement = {1225, 1226, 1227};

// A later section of the same name replaces an earlier one: Pictures adds
// keys to [PICTURES] itself.
RawByteString Ini(const char* SkinName, const char* Extra = "", const char* Pictures = "")
{
    return RawByteString("[VERSION]\r\nskinname=") + SkinName +
           "\r\n[PICTURES]\r\npicture=frame.bmp\r\nmask=mask.bmp\r\n" + Pictures +
           "[FORMINFO]\r\nclientrect=4,20,96,76\r\n"
           "[SKINOBJECTS]\r\ncount=1\r\n0=close:stdbutton\r\n"
           "[SKINCONTROLS]\r\ncount=2\r\n0=button:button\r\n1=edit:edit\r\n" +
           Extra;
}

const bool FrameAndMask[FixedPictureCount] = {true, false, true, false, false};

// A stored skin holding Data compressed as it is.
void Store(TsfCompressedStoredSkin& Skin, const RawByteString& Compressed)
{
    TMemoryStream s;
    s.WriteBuffer(Compressed.data(), static_cast<Integer>(Compressed.size()));
    s.SetPosition(0);
    Skin.ReadCompressedData(&s);
}

void LoadBody(TsfSkinData& Model, const RawByteString& Body)
{
    TsfCompressedStoredSkin stored(nullptr);
    Store(stored, Compress(Body));
    ASSERT_TRUE(Model.LoadCompressedStoredSkin(&stored)) << UTF8Encode(Model.LoadError());
}

TEST_F(SkinModel, LoadAnnouncesAroundTheSwap)
{
    TsfSkinData model(nullptr);
    EXPECT_TRUE(model.Empty);
    LoadBody(model, BodyBytes(2, FrameAndMask, 1, Ini("Old")));
    GSeen.clear();
    model.OnLoadData = [](TObject* Sender) { Record(static_cast<TsfSkinData*>(Sender), 0); };
    TsfCompressedStoredSkin stored(nullptr);
    Store(stored, Compress(BodyBytes(2, FrameAndMask, 2, Ini("New", "[SKINCONTROLS]\r\ncount=1\r\n0=b:button\r\n"))));
    ASSERT_TRUE(model.LoadCompressedStoredSkin(&stored));

    ASSERT_EQ(Messages(), (std::vector<Integer>{1225, 0, 1226, 1227}));
    // 1225: still the old skin, marked empty and changing.
    EXPECT_TRUE(GSeen[0].Empty);
    EXPECT_TRUE(GSeen[0].Changing);
    EXPECT_EQ(GSeen[0].SkinName, u"Old");
    EXPECT_EQ(GSeen[0].Controls, 2u);
    // OnLoadData and 1226: the new skin in place, still changing.
    EXPECT_FALSE(GSeen[2].Empty);
    EXPECT_TRUE(GSeen[2].Changing);
    EXPECT_EQ(GSeen[2].SkinName, u"New");
    EXPECT_EQ(GSeen[2].Controls, 1u);
    EXPECT_FALSE(GSeen[3].Changing);
    EXPECT_EQ(model.FActivePictures.size(), 2u);
    EXPECT_FALSE(model.FPicture.Empty());
    EXPECT_TRUE(model.FInActivePicture.Empty());
    EXPECT_EQ(model.FPictureName, u"frame.bmp");
    EXPECT_TRUE(model.LoadError().empty());
}

TEST_F(SkinModel, SkinsThatCannotBeReadKeepTheOldOne)
{
    const RawByteString good = BodyBytes(2, FrameAndMask, 1, Ini("New"));
    RawByteString version4 = good;
    version4[0] = 4;
    RawByteString damaged = Compress(good);
    for (size_t i = 20; i < 40; ++i) damaged[i] = static_cast<char>(damaged[i] ^ 0x55);
    RawByteString badPicture = good;
    badPicture[5] = 'X';  // the frame picture's "BM"
    const RawByteString badRect = BodyBytes(2, FrameAndMask, 0, Ini("New", "[FORMINFO]\r\nclientrect=1,2,,4\r\n"));
    const RawByteString z = Compress(good);
    const auto c = static_cast<int32_t>(z.size());
    struct Case {
        const char* Name;
        RawByteString File;  // a ".skn" file
        bool Reported;       // LoadError says why
    };
    const Case cases[] = {
        {"layout version 4", Container(2, static_cast<int32_t>(Compress(version4).size()), Compress(version4)), true},
        {"damaged zlib data", Container(2, static_cast<int32_t>(damaged.size()), damaged), true},
        {"zlib data cut short", Container(2, c / 2, z.substr(0, c / 2)), true},
        {"a damaged picture",
         Container(2, static_cast<int32_t>(Compress(badPicture).size()), Compress(badPicture)), true},
        {"a malformed rectangle", Container(2, static_cast<int32_t>(Compress(badRect).size()), Compress(badRect)),
         true},
        {"byte count 0", Container(2, 0, z), true},
        {"byte count past the end", Container(2, c + 100, z), true},
        {"container version 4", Container(4, c, z), false},
    };
    for (const Case& k : cases) {
        TsfSkinData model(nullptr);
        LoadBody(model, BodyBytes(2, FrameAndMask, 1, Ini("Old")));
        GSeen.clear();
        const String name = TempName(u"bad") + u".skn";
        WriteFile(name, k.File);
        bool loaded = true;
        EXPECT_NO_THROW(loaded = model.LoadFromCompressedFile(name)) << k.Name;
        DeleteFile(name);
        EXPECT_FALSE(loaded) << k.Name;
        EXPECT_EQ(!model.LoadError().empty(), k.Reported) << k.Name << ": " << UTF8Encode(model.LoadError());
        EXPECT_TRUE(GSeen.empty()) << k.Name;
        EXPECT_EQ(model.SkinName, u"Old") << k.Name;
        EXPECT_EQ(model.CtrlList.size(), 2u) << k.Name;
        EXPECT_FALSE(model.Empty) << k.Name;
        EXPECT_FALSE(model.ChangeSkinDataProcess) << k.Name;
        EXPECT_TRUE(model.FSkinFileName.empty()) << k.Name;
    }
    // A version 3 container of a good body loads.
    TsfSkinData model(nullptr);
    const String name = TempName(u"v3") + u".skn";
    WriteFile(name, Container(3, c, z));
    EXPECT_TRUE(model.LoadFromCompressedFile(name));
    EXPECT_EQ(model.FSkinFileName, name);
    EXPECT_EQ(Messages(), FullAnnouncement);
    DeleteFile(name);
    // An empty stored skin: nothing at all.
    GSeen.clear();
    TsfCompressedStoredSkin empty(nullptr);
    EXPECT_FALSE(model.LoadCompressedStoredSkin(&empty));
    EXPECT_TRUE(GSeen.empty());
    EXPECT_EQ(model.SkinName, u"New");
}

// Pictures of every depth, descriptions of several kinds, areas, geometry:
// written to a ".skn" file and read back, the model writes the same body.
TEST_F(SkinModel, ModelToSknToModelIsLossless)
{
    TsfSkinData a(nullptr);
    a.FPicture = Picture(40, 30, pf24bit, 1);
    a.FInActivePicture = Picture(40, 30, pf32bit, 2);
    a.FMask = Picture(40, 30, pf8bit, 3);
    a.FRollUpMask = Picture(40, 8, pf1bit, 4);
    a.FPictureName = u"frame.bmp";
    a.FMaskName = u"mask.bmp";
    a.FRollUpMaskName = u"rmask.bmp";
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
        a.FActivePictures.push_back(Picture(7, 5, f, f));
        a.FActivePicturesNames->Add(u"p" + IntToStr(f) + u".bmp");
    }
    a.SkinName = u"Lossless";
    a.SkinAuthor = u"Tests";
    a.LTPoint = {5, 21};
    a.RTPoint = {90, 21};
    a.LBPoint = {5, 70};
    a.RBPoint = {90, 70};
    a.ClRect = {4, 20, 96, 76};
    a.MaskRectArea = {0, 0, 100, 80};  // holds the client rectangle: read back as it is
    a.HitTestLTPoint = {3, 3};
    a.HitTestRTPoint = {3, 3};
    a.HitTestLBPoint = {3, 3};
    a.HitTestRBPoint = {3, 3};
    a.InActiveEffect = ieNoise;
    a.StretchType = sfstVert;
    a.StatusBarName = u"status";
    a.BGPictureIndex = 2;
    a.AddSkinArea(u"grip", {1, 2, 3, 4}, true, false, true, false, true);
    a.ObjectList.push_back(CreateSkinObjectData(u"caption", u"cap"));
    a.ObjectList.push_back(CreateSkinObjectData(u"stdbutton", u"close"));
    a.CtrlList.push_back(CreateSkinControlData(u"edit", u"edit"));
    a.CtrlList.push_back(CreateSkinControlData(u"listbox", u"lb"));
    a.CtrlList.push_back(CreateSkinControlData(u"scrollbar", u"hscroll"));
    a.HintWindow->FontName = u"Tahoma";
    a.FSkinColors->SetcBtnFace(0x123456);

    const String name = TempName(u"lossless") + u".skn";
    a.SaveToCompressedFile(name);
    TsfSkinData b(nullptr);
    ASSERT_TRUE(b.LoadFromCompressedFile(name)) << UTF8Encode(b.LoadError());
    DeleteFile(name);

    TMemoryStream bodyA, bodyB;
    WriteSkinBody(&bodyA, a.MakeBody());
    WriteSkinBody(&bodyB, b.MakeBody());
    EXPECT_TRUE(Bytes(bodyA) == Bytes(bodyB));
    ExpectSamePicture(b.FInActivePicture, a.FInActivePicture, "inactive");
    ExpectSamePicture(b.FActivePictures[4], a.FActivePictures[4], "32-bit list picture");
    EXPECT_EQ(b.GetControlIndex(u"hscroll"), 2);
    EXPECT_EQ(b.HintWindow->FontName, u"Tahoma");
    EXPECT_EQ(b.FSkinColors->cBtnFace(), 0x123456);
}

TEST_F(SkinModel, FactoryLinesAndLookups)
{
    TsfSkinData model(nullptr);
    LoadBody(model, BodyBytes(0, FrameAndMask, 0,
                              "[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n"
                              "[SKINOBJECTS]\r\ncount=3\r\n0=close:stdbutton\r\n1=close:caption\r\n2=x:nosuchkind\r\n"
                              "[SKINCONTROLS]\r\ncount=6\r\n0=myedit:edit\r\n1=scrollbar\r\n2=a:b:edit\r\n"
                              "3=button:button\r\n4=button:checkradio\r\n5=:panel\r\n"
                              "[myedit]\r\nfontheight=21\r\n"));
    ASSERT_EQ(model.CtrlList.size(), 4u);  // "scrollbar" and "a:b:edit" add nothing
    auto* edit = dynamic_cast<TsfDataSkinEditControl*>(model.CtrlList[0].get());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->IDName, u"myedit");
    EXPECT_EQ(edit->FontHeight, 21);  // its own section was read

    struct Case {
        const char16_t* Name;
        Integer Control, Object;
    };
    const Case cases[] = {
        {u"button", 1, -1},  // the first of two wins
        {u"Button", -1, -1}, // case-sensitive
        {u"close", -1, 0},
        {u"", 3, -1},        // an empty name matches an empty IDName
        {u"butto", -1, -1},  // whole names only
    };
    for (const Case& c : cases) {
        EXPECT_EQ(model.GetControlIndex(c.Name), c.Control) << UTF8Encode(c.Name);
        EXPECT_EQ(model.GetIndex(c.Name), c.Object) << UTF8Encode(c.Name);
    }
    EXPECT_EQ(model.ObjectList.size(), 2u);
    TsfSkinData none(nullptr);
    EXPECT_EQ(none.GetControlIndex(u"button"), -1);
    EXPECT_EQ(none.GetAreaIndex(u""), -1);
}

TEST_F(SkinModel, AreaLines)
{
    struct Case {
        const char* Line;
        const char16_t* Name;
        TRect Rect;
        bool Flags[5];
    };
    const Case cases[] = {
        {"grip:1,2,3,4;1,0,1,0,1", u"grip", {1, 2, 3, 4}, {true, false, true, false, true}},
        {"grip:1,2,3,4;1,0,1", u"grip", {1, 2, 3, 4}, {}},
        {"sizegrip:100,90,120,110", u"sizegrip", {100, 90, 120, 110}, {}},
        {"a:b:5,6,7,8;0,1,0,1,0", u"a:b", {5, 6, 7, 8}, {false, true, false, true, false}},
        {"nocolon", u"", {}, {}},
        // The flags are what follows the last ";", even before the ":".
        {"semi;x:1,1,2,2", u"semi;x", {1, 1, 2, 2}, {false, true, true, false, false}},
    };
    RawByteString text = "[VERSION]\r\n[SKINAREAS]\r\ncount=6\r\n";
    for (size_t i = 0; i < std::size(cases); ++i) text += std::to_string(i) + "=" + cases[i].Line + "\r\n";
    TsfSkinData model(nullptr);
    LoadBody(model, BodyBytes(0, FrameAndMask, 0, text));
    ASSERT_EQ(model.AreaList.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const TsfDataSkinArea& a = *model.AreaList[i];
        const Case& c = cases[i];
        EXPECT_EQ(a.IDName, c.Name) << c.Line;
        EXPECT_EQ(a.AreaRect, c.Rect) << c.Line;
        const bool got[5] = {a.UseAnchors, a.AnchorLeft, a.AnchorTop, a.AnchorRight, a.AnchorBottom};
        for (Integer k = 0; k < 5; ++k) EXPECT_EQ(got[k], c.Flags[k]) << c.Line << " flag " << k;
    }
    EXPECT_EQ(model.GetAreaIndex(u"grip"), 0);

    // The writer's line reads back as the same area.
    TMemIniFile ini(u"");
    model.SaveToCustomIniFile(&ini);
    EXPECT_EQ(ini.ReadString(u"SKINAREAS", u"0", u""), u"grip:1,2,3,4;1,0,1,0,1");
}

// A count of two billion in a list section stops at the bound every skin
// count has, instead of reading two billion missing lines.
TEST_F(SkinModel, HostileListCountsStop)
{
    TsfSkinData model(nullptr);
    LoadBody(model, BodyBytes(0, FrameAndMask, 0,
                              "[VERSION]\r\n[SKINAREAS]\r\ncount=2000000000\r\n"
                              "[SKINCONTROLS]\r\ncount=2000000000\r\n0=e:edit\r\n"
                              "[SKINOBJECTS]\r\ncount=2000000000\r\n"));
    EXPECT_EQ(model.AreaList.size(), static_cast<size_t>(MaxSkinListCount));
    EXPECT_EQ(model.CtrlList.size(), 1u);
    EXPECT_TRUE(model.ObjectList.empty());
}

TEST_F(SkinModel, FormInfoAdjustments)
{
    struct Case {
        const char* Name;
        const char* Keys;  // [FORMINFO] lines
        bool WithMask;
        TRect MaskRect;
        TPoint HitLT, HitRB, LT, RB;
    };
    const Case cases[] = {
        {"empty mask area becomes the client rectangle",
         "lefttoppoint=10,10\r\nrightbottompoint=80,60\r\nclientrect=5,20,90,70\r\nmaskrectarea=0,0,0,0\r\n"
         "hittestlefttoppoint=0,12\r\nhittestrightbottompoint=7,7\r\n",
         true, {5, 20, 90, 70}, {10, 10}, {7, 7}, {10, 20}, {80, 60}},
        {"mask area widened to hold the client rectangle",
         "lefttoppoint=10,30\r\nrightbottompoint=95,60\r\nclientrect=5,20,90,70\r\nmaskrectarea=8,8,50,80\r\n",
         true, {5, 8, 90, 80}, {10, 30}, {95, 60}, {10, 30}, {90, 60}},
        {"no mask: areas and hit tests as read",
         "clientrect=5,20,90,70\r\nmaskrectarea=0,0,0,0\r\nhittestlefttoppoint=0,12\r\n",
         false, {0, 0, 0, 0}, {0, 12}, {0, 0}, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        RawByteString text = "[VERSION]\r\n[PICTURES]\r\n";
        if (c.WithMask) text += "mask=m.bmp\r\n";
        text += RawByteString("[FORMINFO]\r\n") + c.Keys;
        TsfSkinData model(nullptr);
        LoadBody(model, BodyBytes(0, FrameAndMask, 0, text));
        EXPECT_EQ(model.MaskRectArea, c.MaskRect) << c.Name;
        EXPECT_EQ(model.HitTestLTPoint, c.HitLT) << c.Name;
        EXPECT_EQ(model.HitTestRBPoint, c.HitRB) << c.Name;
        EXPECT_EQ(model.LTPoint, c.LT) << c.Name;
        EXPECT_EQ(model.RBPoint, c.RB) << c.Name;
        EXPECT_EQ(model.BGPictureIndex, -1) << c.Name;
        EXPECT_EQ(model.CursorIndex, -1) << c.Name;
    }
}

TEST_F(SkinModel, ClearSkinAnnouncesBeforeItClears)
{
    TsfSkinData model(nullptr);
    LoadBody(model, BodyBytes(2, FrameAndMask, 1, Ini("Old")));
    GSeen.clear();
    model.ClearSkin();
    ASSERT_EQ(Messages(), FullAnnouncement);
    EXPECT_TRUE(GSeen[0].Empty);
    EXPECT_EQ(GSeen[0].Controls, 2u);  // still there for the receivers of 1225
    EXPECT_EQ(GSeen[1].Controls, 0u);
    EXPECT_TRUE(GSeen[1].Empty);
    EXPECT_TRUE(model.Empty);
    EXPECT_TRUE(model.FPicture.Empty());
    EXPECT_TRUE(model.FActivePictures.empty());
    EXPECT_TRUE(model.FPictureName.empty());
}

TEST_F(SkinModel, PropertySetters)
{
    TsfSkinData model(nullptr);
    model.SetSkinIndex(5);  // no list: stored
    EXPECT_EQ(model.SkinIndex(), 5);
    model.SetSkinIndex(0);

    TsfCompressedSkinList list(nullptr);
    for (const char* name : {"One", "Two", "Three"}) {
        TsfSkinListItem* item = list.Skins()->Add();
        Store(*item->Skin(), Compress(BodyBytes(2, FrameAndMask, 0, Ini(name))));
    }
    model.SetSkinList(&list);  // loads item 0
    EXPECT_EQ(model.SkinName, u"One");
    GSeen.clear();
    model.SetSkinIndex(5);
    EXPECT_EQ(model.SkinIndex(), 0);
    EXPECT_TRUE(GSeen.empty());
    model.SetSkinIndex(2);
    EXPECT_EQ(model.SkinName, u"Three");
    EXPECT_EQ(Messages(), FullAnnouncement);

    struct Case {
        const char* Name;
        void (*Change)(TsfSkinData&);
        std::vector<Integer> Sent;
    };
    static TsfResourceStrData strings(nullptr);
    const Case cases[] = {
        {"layered borders unchanged", [](TsfSkinData& M) { M.SetShowLayeredBorders(true); }, {}},
        {"layered borders", [](TsfSkinData& M) { M.SetShowLayeredBorders(false); }, {1427}},
        {"skinnable form", [](TsfSkinData& M) { M.SetSkinnableForm(false); }, {1294}},
        {"blur", [](TsfSkinData& M) { M.SetAeroBlurEnabled(false); }, {1428}},
        {"the same string table twice",
         [](TsfSkinData& M) {
             M.SetResourceStrData(&strings);
             M.SetResourceStrData(&strings);
         },
         {1274, 1274}},
        {"nothing in build mode",
         [](TsfSkinData& M) {
             M.BuildMode = true;
             M.SetAeroBlurEnabled(false);
             M.ClearSkin();
         },
         {}},
        {"nothing while loading form data",
         [](TsfSkinData& M) {
             M.BeginLoading();
             M.SetSkinnableForm(false);
         },
         {}},
    };
    for (const Case& c : cases) {
        TsfSkinData m(nullptr);
        GSeen.clear();
        c.Change(m);
        EXPECT_EQ(Messages(), c.Sent) << c.Name;
    }
    {
        // A string table that goes is forgotten.
        auto* table = new TsfResourceStrData(nullptr);
        TsfSkinData m(nullptr);
        m.SetResourceStrData(table);
        delete table;
        EXPECT_EQ(m.ResourceStrData(), nullptr);
    }
    model.SetSkinList(nullptr);
}

TEST_F(SkinModel, FolderSkinAndItsStoredForm)
{
    const String dir = TempName(u"folder") + u"\\";
    ForceDirectories(dir);
    const TDibImage frame = Picture(30, 20, pf24bit, 1), mask = Picture(30, 20, pf8bit, 2),
                    listed = Picture(6, 6, pf4bit, 3);
    auto bmp = [&](const char16_t* Name, const TDibImage& P) {
        SaveFileAtomically(dir + Name, [&](TStream* S) { WriteBmp(S, P); });
    };
    bmp(u"frame.bmp", frame);
    bmp(u"mask.bmp", mask);
    bmp(u"b.bmp", listed);
    const RawByteString ini = Ini("Folder",
                                  "[CURSORS]\r\nstartcursorindex=-4\r\ncursorscount=2\r\n0=a.cur\r\n1=b.cur\r\n",
                                  "activepicturescount=1\r\n0=b.bmp\r\n");
    WriteFile(dir + u"skin.ini", ini);

    static std::vector<std::pair<String, Integer>> cursors;
    cursors.clear();
    SfSkinCursorLoader = [](const String& Path, Integer Slot) { cursors.emplace_back(ExtractFileName(Path), Slot); };
    TsfSkinData model(nullptr);
    ASSERT_TRUE(model.LoadFromFile(dir + u"skin.ini")) << UTF8Encode(model.LoadError());
    EXPECT_EQ(Messages(), FullAnnouncement);
    EXPECT_EQ(model.FSkinFileName, dir + u"skin.ini");
    ExpectSamePicture(model.FPicture, frame, "frame");
    ExpectSamePicture(model.FMask, mask, "mask");
    ASSERT_EQ(model.FActivePictures.size(), 1u);
    ExpectSamePicture(model.FActivePictures[0], listed, "listed");
    EXPECT_EQ(model.StartCursorIndex, 1);  // below 1 becomes 1
    EXPECT_EQ(cursors, (std::vector<std::pair<String, Integer>>{{u"a.cur", 1}, {u"b.cur", 2}}));

    // The stored form of the same folder reads into the same skin.
    TsfCompressedStoredSkin stored(nullptr);
    stored.LoadFromIniFile(dir + u"skin.ini");
    TsfSkinData fromStored(nullptr);
    ASSERT_TRUE(fromStored.LoadCompressedStoredSkin(&stored)) << UTF8Encode(fromStored.LoadError());
    ExpectSamePicture(fromStored.FMask, mask, "stored mask");
    EXPECT_EQ(fromStored.CtrlList.size(), model.CtrlList.size());
    EXPECT_EQ(fromStored.SkinName, u"Folder");
    TMemoryStream body;
    stored.DeCompressToStream(&body);
    EXPECT_EQ(Bytes(body).substr(body.Size() - ini.size()), ini);  // the description's own bytes

    // A missing picture keeps the loaded skin (and the stored skin's content).
    WriteFile(dir + u"broken.ini", Ini("Broken", "", "rollupmask=missing.bmp\r\n"));
    GSeen.clear();
    EXPECT_FALSE(model.LoadFromFile(dir + u"broken.ini"));
    EXPECT_FALSE(model.LoadError().empty());
    EXPECT_TRUE(GSeen.empty());
    EXPECT_EQ(model.SkinName, u"Folder");
    const Int64 before = stored.CompressedStream()->Size();
    EXPECT_THROW(stored.LoadFromIniFile(dir + u"broken.ini"), EFOpenError);
    EXPECT_EQ(stored.CompressedStream()->Size(), before);
    // Not a skin description: nothing at all.
    WriteFile(dir + u"other.ini", "[VERSION]\r\n[PICTURES]\r\n");
    EXPECT_FALSE(model.LoadFromFile(dir + u"other.ini"));
    EXPECT_TRUE(model.LoadError().empty());
    stored.LoadFromIniFile(dir + u"other.ini");
    EXPECT_EQ(stored.CompressedStream()->Size(), before);

    // The writers put the description and every named picture in a folder.
    const String out = TempName(u"stored") + u"\\";
    ForceDirectories(out);
    model.StoreToDisk(out + u"skin.ini");
    TsfSkinData again(nullptr);
    ASSERT_TRUE(again.LoadFromFile(out + u"skin.ini")) << UTF8Encode(again.LoadError());
    ExpectSamePicture(again.FActivePictures[0], listed, "stored to disk");
    EXPECT_EQ(again.CtrlList.size(), model.CtrlList.size());
}

// Every file of a folder with its bytes, temporaries included.
std::vector<std::pair<String, RawByteString>> FolderFiles(const String& Dir)
{
    std::vector<std::pair<String, RawByteString>> files;
    TSearchRec r;
    if (FindFirst(Dir + u"*", faAnyFile, r) == 0) {
        do {
            if (r.Name == u"." || r.Name == u"..") continue;
            TMemoryStream m;
            m.LoadFromFile(Dir + r.Name);
            files.emplace_back(r.Name, Bytes(m));
        } while (FindNext(r) == 0);
        FindClose(r);
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The folder is replaced as a whole or not at all: a disk that fills at any
// point, or loses a file late, leaves the old skin's files as they were.
TEST_F(SkinModel, StoreToDiskReplacesTheFolderWhole)
{
    const String dir = TempName(u"whole") + u"\\";
    ForceDirectories(dir);
    auto skin = [](const char* Name, uint32_t Seed) {
        auto m = std::make_unique<TsfSkinData>(nullptr);
        LoadBody(*m, BodyBytes(2, FrameAndMask, 2, Ini(Name, "", "activepicturescount=2\r\n0=a.bmp\r\n1=b.bmp\r\n")));
        m->FixedPicture(fpPicture) = Picture(30, 20, pf24bit, Seed);
        m->FixedPicture(fpMask) = Picture(30, 20, pf8bit, Seed + 1);
        m->FActivePictures[0] = Picture(6, 6, pf4bit, Seed + 2);
        m->FActivePictures[1] = Picture(40, 30, pf24bit, Seed + 3);
        return m;
    };
    auto older = skin("Older", 1), newer = skin("Newer", 7);
    ASSERT_FALSE(newer->Empty);
    older->StoreToDisk(dir + u"skin.ini");
    const auto before = FolderFiles(dir);
    ASSERT_EQ(before.size(), 5u);
    // Limits below each file's size in turn, so that each one is the first to fail.
    std::vector<Int64> limits{0};
    {
        const String probe = TempName(u"probe") + u"\\";
        ForceDirectories(probe);
        newer->StoreToDisk(probe + u"skin.ini");
        for (const auto& [name, bytes] : FolderFiles(probe)) {
            limits.push_back(static_cast<Int64>(bytes.size()) - 1);
            DeleteFile(probe + name);
        }
        RemoveDir(ExcludeTrailingPathDelimiter(probe));
    }
    for (const Int64 limit : limits)
        for (const bool failClose : {false, true}) {
            SCOPED_TRACE("limit " + std::to_string(limit) + (failClose ? ", failing close" : ""));
            TScopedSaveFault fault(failClose ? std::numeric_limits<Int64>::max() : limit, failClose);
            EXPECT_THROW(newer->StoreToDisk(dir + u"skin.ini"), Exception);
            EXPECT_EQ(FolderFiles(dir), before);
        }
    newer->StoreToDisk(dir + u"skin.ini");
    const auto after = FolderFiles(dir);
    ASSERT_EQ(after.size(), 5u);
    TsfSkinData again(nullptr);
    ASSERT_TRUE(again.LoadFromFile(dir + u"skin.ini")) << UTF8Encode(again.LoadError());
    EXPECT_EQ(again.SkinName, u"Newer");
    ExpectSamePicture(again.FActivePictures[1], newer->FActivePictures[1], "stored");
}

// Pictures within the cap one by one but not together: refused from their
// headers on both folder roads, with a message naming the limit.
TEST_F(SkinModel, FolderPicturesBeyondTheSumAreRefused)
{
    const String dir = TempName(u"sum") + u"\\";
    ForceDirectories(dir);
    // A run-length picture of 4096 x 4096 in 60 bytes: palette of one, end of picture.
    RawByteString rle = RawByteString("BM") + RawByteString(12, '\0');
    const int32_t info[10] = {40, 4096, 4096, 1 | (8 << 16), 1, 2, 0, 0, 1, 0};
    rle += RawByteString(reinterpret_cast<const char*>(info), sizeof info) + RawByteString(4, '\0') + RawByteString("\0\1", 2);
    rle[10] = 58;
    for (const char16_t* name : {u"frame.bmp", u"mask.bmp", u"a.bmp"}) WriteFile(dir + name, rle);
    WriteFile(dir + u"skin.ini", Ini("Large", "", "activepicturescount=1\r\n0=a.bmp\r\n"));
    TsfSkinData model(nullptr);
    EXPECT_FALSE(model.LoadFromFile(dir + u"skin.ini"));
    EXPECT_NE(model.LoadError().find(IntToStr(MaxSkinPixels)), String::npos) << UTF8Encode(model.LoadError());
    TsfCompressedStoredSkin stored(nullptr);
    EXPECT_THROW(stored.LoadFromIniFile(dir + u"skin.ini"), EInvalidGraphic);
}

TEST_F(SkinModel, GlobalChangeFont)
{
    TsfSkinData model(nullptr);
    model.ObjectList.push_back(CreateSkinObjectData(u"caption", u"cap"));
    model.ObjectList.push_back(CreateSkinObjectData(u"stdbutton", u"close"));
    model.CtrlList.push_back(CreateSkinControlData(u"grid", u"grid"));
    model.CtrlList.push_back(CreateSkinControlData(u"memo", u"memo"));
    model.CtrlList.push_back(CreateSkinControlData(u"bevel", u"bevel"));
    const Integer hint = model.HintWindow->FontHeight;
    auto* grid = static_cast<TsfDataSkinGridControl*>(model.CtrlList[0].get());
    auto* memo = static_cast<TsfDataSkinEditControl*>(model.CtrlList[1].get());
    const Integer gridFixed = grid->FixedFontHeight, memoHeight = memo->FontHeight;
    GSeen.clear();
    model.GlobalChangeFont(u"Tahoma", 2);
    EXPECT_EQ(model.HintWindow->FontName, u"Tahoma");
    EXPECT_EQ(model.HintWindow->FontHeight, hint + 2);
    EXPECT_EQ(static_cast<TsfDataSkinCaption*>(model.ObjectList[0].get())->FontName, u"Tahoma");
    EXPECT_EQ(grid->FixedFontName, u"Tahoma");
    EXPECT_EQ(grid->FixedFontHeight, gridFixed + 2);
    EXPECT_EQ(memo->FontName, u"Tahoma");  // a memo is an edit control
    EXPECT_EQ(memo->FontHeight, memoHeight + 2);
    EXPECT_TRUE(GSeen.empty());
}

}  // namespace
