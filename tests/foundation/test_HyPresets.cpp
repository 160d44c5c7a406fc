// Stock presets: the built-in rows of every table, the version steps of the
// object defaults and the saved selections, the shadow presets' move out of
// the temporary folder, and damaged files and packs that must not stop the
// program from starting.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "TempFolder.h"
#include "foundation/Global.h"
#include "foundation/HyMediaPack.h"
#include "foundation/HyPresets.h"

namespace {

// A row as the Part writes it: its cell count and "cell=value" pairs; every
// other cell is empty. "a-b=v" sets cells a to b.
struct TExpectedRow {
    Integer Cells;
    std::map<Integer, String> Values;
};

TExpectedRow Expect(Integer Cells, std::initializer_list<std::pair<const char*, const char16_t*>> Pairs)
{
    TExpectedRow R{Cells, {}};
    for (const auto& P : Pairs) {
        const std::string Key = P.first;
        const size_t Dash = Key.find('-');
        const Integer From = std::stoi(Key.substr(0, Dash));
        const Integer To = Dash == std::string::npos ? From : std::stoi(Key.substr(Dash + 1));
        for (Integer i = From; i <= To; ++i) R.Values[i] = P.second;
    }
    return R;
}

void ExpectRow(const TRow* Row, const TExpectedRow& E, const std::string& What)
{
    ASSERT_EQ(Row->ItemCount(), E.Cells) << What;
    for (Integer i = 0; i < E.Cells; ++i) {
        auto It = E.Values.find(i);
        EXPECT_EQ(Row->GetItem(i)->Text(), It == E.Values.end() ? String() : It->second)
            << What << ", cell " << i;
    }
}

// The effects block of cells 70 to 99 and the version steps' cells 87 to 89 and 98.
const std::initializer_list<std::pair<const char*, const char16_t*>> Block = {
    {"70", u"45"}, {"71", u"4"},   {"72", u"0"},  {"73", u"3"},  {"74", u"0"}, {"75", u"175"},
    {"80-84", u"0"}, {"85", u"175"}, {"86", u"66"}, {"87", u"3"}, {"88", u"255"}, {"89", u"65535"},
    {"90", u"26367/65535/26367"}, {"91", u"100/100/100"}, {"92", u"0/0.5/1"}, {"95", u"0"}, {"96", u"45"},
    {"98", u"15"}, {"99", u"0"}};

TExpectedRow With(TExpectedRow R, std::initializer_list<std::pair<const char*, const char16_t*>> More)
{
    const TExpectedRow M = Expect(R.Cells, More);
    for (const auto& [K, V] : M.Values) R.Values[K] = V;
    return R;
}

class Presets : public ::testing::Test {
protected:
    void SetUp() override
    {
        Saved = {DataFolder, TempFolder, ProgramFolder};
        SavedEdition = EditionCode;
        DataFolder = Dir / u"data\\";
        TempFolder = Dir / u"temp\\";
        ProgramFolder = Dir / u"program\\";
        EditionCode = 5;
        for (const String& F : {DataFolder, TempFolder, ProgramFolder + u"Media\\"}) ForceDirectories(F);
        // A language table with the two texts the object defaults take.
        LangTable = std::make_unique<TDataTable>();
        LangTable->GetProp(0)->SetValue(1);
        for (Integer i = 0; i < 1 + 162; ++i) LangTable->AddItem(u",,");
        LangTable->GetItem(1 + 160)->GetItem(LangColumn)->SetText(u"Hello");
        LangTable->GetItem(1 + 161)->GetItem(LangColumn)->SetText(u"Some Font");
        ClearStockErrors();
    }
    void TearDown() override
    {
        DonePresetTables();
        LangTable.reset();
        DataFolder = Saved[0];
        TempFolder = Saved[1];
        ProgramFolder = Saved[2];
        EditionCode = SavedEdition;
    }

    // Writes a table file as the program does: check bytes, enciphered.
    static void SaveTable(TDataTable& T, const String& FileName)
    {
        T.SetIsAddVerifyCode(true);
        T.SaveAs(FileName);
    }

    TTempFolder Dir;
    std::vector<String> Saved;
    Byte SavedEdition = 0;
};

}  // namespace

TEST_F(Presets, ObjectDefaultsWithoutAFile)
{
    InitPropertyTables();
    TDataTable* T = PropertyTable.get();
    ASSERT_EQ(T->ItemCount(), 23);
    EXPECT_EQ(T->GetProp(9)->Value(), 13);

    const auto Plain = Expect(70, {{"19", u"0"}, {"24", u"0"}, {"27-31", u"-1"}});
    const auto Outline = With(Expect(100, Block), {{"14", u"255"}, {"16", u"255"}, {"18", u"2"}, {"19", u"0"},
                                                   {"20", u"-1"}, {"24", u"0"}, {"27-31", u"-1"}});
    const auto Text = With(Expect(100, Block),
                           {{"16", u"255"}, {"17", u"0"}, {"18", u"3"}, {"19", u"0"}, {"24", u"0"}, {"27-31", u"-1"},
                            {"40", u"Some Font"}, {"41", u"24"}, {"42", u"255"}, {"46", u"1"}, {"47", u"1"},
                            {"50", u"16711680"}, {"54", u"Hello"}, {"55", u"0"}, {"56", u"1"}, {"59", u"-1"},
                            {"60", u"26367/65535/26367"}, {"61", u"100/100/100"}, {"62", u"0/0.5/1"},
                            {"64", u"45"}, {"65", u"15"}});
    std::map<Integer, TExpectedRow> Rows;
    for (Integer i : {0, 1, 6, 19, 20}) Rows[i] = Plain;
    for (Integer i : {2, 3, 5, 10, 15}) Rows[i] = Outline;
    Rows[4] = With(Outline, {{"18", u"3"}});
    Rows[7] = Expect(70, {{"18", u"5"}, {"19", u"0"}, {"24", u"0"}, {"27-31", u"-1"}});
    Rows[8] = With(Expect(100, Block), {{"16", u"255"}, {"19", u"0"}, {"24", u"0"}, {"27-31", u"-1"}});
    Rows[9] = Text;
    Rows[11] = Expect(70, {{"15", u"255"}, {"19", u"0"}, {"21", u"-1"}, {"24", u"0"}, {"27-31", u"-1"}});
    Rows[12] = Expect(70, {{"15", u"4259839"}, {"16", u"255"}, {"19", u"0"}, {"21", u"-1"}, {"24", u"0"},
                           {"27-31", u"-1"}});
    Rows[13] = With(Text, {{"14", u"901312"}, {"15", u"8454143"}, {"17", u""}, {"18", u"2"}, {"20", u"-1"},
                           {"21", u"-1"}});
    Rows[13].Values.erase(17);
    Rows[14] = Expect(70, {{"16", u"255"}, {"19", u"0"}, {"24", u"0"}, {"27-31", u"-1"}});
    Rows[16] = With(Expect(100, Block), {{"14", u"255"}, {"15", u"901312"}, {"16", u"255"}, {"18", u"2"},
                                         {"19", u"0"}, {"20", u"-1"}, {"21", u"0"}, {"24", u"0"}, {"27-31", u"-1"}});
    Rows[17] = Expect(70, {{"15", u"255"}, {"16", u"255"}, {"18", u"5"}, {"19", u"0"}, {"21", u"-1"}, {"24", u"0"},
                           {"27-31", u"-1"}});
    Rows[18] = Rows[21] = Expect(70, {{"15", u"255"}, {"16", u"255"}, {"18", u"35"}, {"19", u"0"}, {"20", u"0"},
                                      {"21", u"-1"}, {"24", u"0"}, {"27-31", u"-1"}, {"40", u"100"}});
    Rows[22] = Expect(70, {{"16", u"255"}, {"19", u"0"}, {"21", u"-1"}, {"24", u"0"}, {"27-31", u"-1"}});
    ASSERT_EQ(Rows.size(), 23u);
    for (const auto& [Index, Row] : Rows) ExpectRow(T->GetItem(Index), Row, "row " + std::to_string(Index));

    // Saved at exit (the table is new), and read back as it is.
    EXPECT_TRUE(T->DataChanged());
    T->Save();
    EXPECT_TRUE(FileExists(DataFolder + u"Property1.db"));
    const String Text1 = T->ToString(true);
    DonePresetTables();
    InitPropertyTables();
    EXPECT_EQ(PropertyTable->ToString(true), Text1);
    EXPECT_FALSE(PropertyTable->DataChanged());
    EXPECT_TRUE(StockErrors().empty());
}

TEST_F(Presets, VersionTwelveGetsOnlyTheLaterStep)
{
    TDataTable Old;
    FillPropertyDefaults(&Old);
    for (Integer Row : {9, 13})
        for (Integer Cell = 59; Cell <= 65; ++Cell) Old.GetItem(Row)->GetItem(Cell)->SetText(u"kept");
    Old.GetItem(2)->GetItem(98)->SetValue(7);
    Old.GetProp(9)->SetValue(12);
    SaveTable(Old, DataFolder + u"Property1.db");

    InitPropertyTables();
    TDataTable* T = PropertyTable.get();
    ASSERT_EQ(T->ItemCount(), 23);
    EXPECT_EQ(T->GetProp(9)->Value(), 13);
    EXPECT_EQ(T->GetItem(9)->GetItem(60)->Text(), u"kept");
    EXPECT_EQ(T->GetItem(13)->GetItem(65)->Text(), u"kept");
    EXPECT_EQ(T->GetItem(2)->GetItem(98)->Value(), 7);
    EXPECT_EQ(T->GetItem(2)->GetItem(87)->Value(), 3);
    EXPECT_EQ(T->GetItem(16)->GetItem(89)->Value(), 65535);
    EXPECT_EQ(T->GetItem(0)->ItemCount(), 70);
    EXPECT_EQ(T->GetItem(22)->ItemCount(), 70);
}

TEST_F(Presets, DamagedTableFilesAreRebuilt)
{
    // A table too short to index by object type, or with rows too short,
    // gives the built-in rows, logged; a body that passes its check bytes but
    // does not decipher reads as no rows and is refilled quietly. Nothing
    // raises.
    {
        TFileStream F(DataFolder + u"TextTemplate.db", fmCreate);
        const uint8_t Bytes[] = {10, 20, 30, 'j', 'u', 'n', 'k', uint8_t(30 - 12), uint8_t(20 + 99), uint8_t(10 + 31)};
        F.WriteBuffer(Bytes, sizeof Bytes);
    }
    TDataTable Few;
    Few.Init(3, 70);
    Few.GetProp(9)->SetValue(13);
    SaveTable(Few, DataFolder + u"Property1.db");
    TDataTable Short;
    Short.AddItem(u"1,2,3");
    Short.GetProp(9)->SetValue(13);
    SaveTable(Short, DataFolder + u"Selection.db");
    TDataTable BadVersion;
    FillGradientPresets(&BadVersion);
    BadVersion.GetItem(0)->Init(u"x", u',');
    SaveTable(BadVersion, DataFolder + u"Gradient.db");

    ASSERT_NO_THROW(InitPropertyTables());
    EXPECT_EQ(PropertyTable->ItemCount(), 23);
    EXPECT_EQ(PropertyTable->GetProp(9)->Value(), 13);
    EXPECT_EQ(SelectionTable->ItemCount(), 12);
    EXPECT_EQ(SelectionTable->GetProp(9)->Value(), 11);
    EXPECT_EQ(GradientTable->ItemCount(), 12);
    EXPECT_EQ(TextTemplateTable->ItemCount(), 5);
    EXPECT_EQ(StockErrors().size(), 3u);
    // The rebuilt tables keep their file names, so they are saved in place.
    EXPECT_EQ(PropertyTable->FileName(), DataFolder + u"Property1.db");
}

TEST_F(Presets, ShadowPresetsMoveToTheDataFolderOnce)
{
    // Without any file: six rows, version 10, kept in the data folder.
    InitPropertyTables();
    ASSERT_EQ(ShadowPresetTable->ItemCount(), 6);
    EXPECT_EQ(ShadowPresetTable->GetProp(9)->Value(), 10);
    EXPECT_EQ(ShadowPresetTable->GetItem(1)->ToString(true), u"135,4,0,3,0,175,,,,");
    EXPECT_EQ(ShadowPresetTable->GetItem(5)->ToString(true), u"45,0,8,20,0,255,,,,");
    EXPECT_EQ(ShadowPresetTable->FileName(), DataFolder + u"ShadowPreset.db");
    DonePresetTables();

    // The old file in the temporary folder is imported and written at once.
    TDataTable Old;
    FillShadowPresets(&Old);
    Old.GetItem(0)->GetItem(0)->SetValue(90);
    SaveTable(Old, TempFolder + u"shadow005.tmp");
    EXPECT_EQ(OldShadowPresetFileName(), TempFolder + u"shadow005.tmp");
    InitPropertyTables();
    EXPECT_EQ(ShadowPresetTable->GetItem(0)->GetItem(0)->Value(), 90);
    EXPECT_TRUE(FileExists(DataFolder + u"ShadowPreset.db"));
    ShadowPresetTable->GetItem(0)->GetItem(0)->SetValue(180);
    ShadowPresetTable->Save();
    DonePresetTables();

    // From then on the data folder's file is the one read.
    InitPropertyTables();
    EXPECT_EQ(ShadowPresetTable->GetItem(0)->GetItem(0)->Value(), 180);
}

TEST_F(Presets, GradientsReflectionsSelectionsTemplates)
{
    InitPropertyTables();
    ASSERT_EQ(GradientTable->ItemCount(), 12);
    EXPECT_EQ(GradientTable->GetProp(9)->Value(), 10);
    EXPECT_EQ(GradientTable->GetProp(1)->Text(), u"0");
    EXPECT_EQ(GradientTable->GetProp(2)->Text(), u"0");
    TRow* Row4 = GradientTable->GetItem(4);
    EXPECT_EQ(Row4->ItemCount(), 20);
    EXPECT_EQ(Row4->GetItem(12)->Text(), u"Blue,Red,Yellow");
    EXPECT_EQ(Row4->GetItem(10)->Text(), u"蓝色，红色，黄色");
    EXPECT_EQ(Row4->ToString(true), u",16711680/255/65535,100/100/100,0/0.5/1,,,,,,,蓝色，红色，黄色,,Blue\x1aRed\x1aYellow,,,,,,,");
    EXPECT_EQ(GradientTable->GetItem(11)->GetItem(2)->Text(), u"100/0/0/100/100/0/0/100/100/0/0/100/100/0");
    EXPECT_EQ(GradientTable->GetItem(9)->GetItem(12)->Text(), u"Spectrum");

    ASSERT_EQ(GradientObjTable->ItemCount(), 10);
    EXPECT_EQ(GradientObjTable->GetItem(0)->ToString(true), u",3355443/16777215,100/100,0/1,,,,,,,,,,,,,,,,");
    EXPECT_EQ(GradientObjTable->GetItem(8)->GetItem(1)->Text(), u"26367/65535/26367");
    EXPECT_EQ(GradientObjTable->GetItem(9)->GetItem(3)->Text(), u"0.312/1");

    ASSERT_EQ(ObjGradientTable->ItemCount(), 9);
    EXPECT_EQ(ObjGradientTable->GetItem(5)->ToString(true), u"16542462/65535,80/40,0/1,,,1,0,,15,0");
    ASSERT_EQ(ReflectPresetTable->ItemCount(), 6);
    EXPECT_EQ(ReflectPresetTable->GetItem(4)->ToString(true), u"0,0,0,2,0,175,60,,,");

    ASSERT_EQ(SelectionTable->ItemCount(), 12);
    EXPECT_EQ(SelectionTable->GetProp(9)->Value(), 11);
    for (Integer i = 0; i < 12; ++i) {
        EXPECT_EQ(SelectionTable->GetItem(i)->ItemCount(), 20);
        EXPECT_EQ(SelectionTable->GetItem(i)->GetItem(0)->AsBool(), i >= 1 && i <= 4) << i;
        EXPECT_EQ(SelectionTable->GetItem(i)->GetItem(2)->AsBool(), i == 5) << i;
    }
    ASSERT_EQ(TextTemplateTable->ItemCount(), 5);
    EXPECT_EQ(TextTemplateTable->GetItem(4)->ToString(true), u",,,,,,,,,,,,,,,,,,,");
}

TEST_F(Presets, StylePresets)
{
    InitPropertyTables();
    TDataTable* T = StylePresetTable.get();
    ASSERT_EQ(T->ItemCount(), 82);
    std::map<Integer, std::vector<Integer>> Styles;
    std::map<Integer, Integer> Cells;
    for (Integer i = 0; i < T->ItemCount(); ++i) {
        TRow* R = T->GetItem(i);
        const Integer Type = R->GetItem(1)->Value();
        EXPECT_EQ(R->GetItem(0)->Value(), Integer(Styles[Type].size()));
        Styles[Type].push_back(R->GetItem(2)->Value());
        Cells[Type] = R->ItemCount();
    }
    EXPECT_EQ(Styles[3], (std::vector<Integer>{0, 1, 3, 6, 4, 2, 7, 5, 8, 9, 10, 11}));
    EXPECT_EQ(Styles[9], (std::vector<Integer>{0, 1, 4, 5, 2, 3}));
    EXPECT_EQ(Styles[10], (std::vector<Integer>{0, 5, 1, 8, 9, 2, 3, 10, 11, 12, 6, 4, 7, 13, 14}));
    EXPECT_EQ(Styles[13], (std::vector<Integer>{0, 1, 2, 4, 3, 5, 8, 9, 11, 6, 7, 10}));
    EXPECT_EQ(Styles[2].size(), 15u);
    EXPECT_EQ(Styles[15].size(), 4u);
    EXPECT_EQ(Cells, (std::map<Integer, Integer>{{1, 26}, {2, 26}, {3, 32}, {4, 31}, {5, 26}, {9, 57}, {10, 32},
                                                 {13, 57}, {15, 32}}));

    ExpectRow(T->GetItem(0), Expect(26, {{"0", u"0"}, {"1", u"1"}, {"2", u"0"}, {"14", u"255"}, {"16", u"255"},
                                         {"17", u"0"}, {"18", u"2"}, {"19", u"0"}, {"21", u"-1"}, {"25", u"0"}}),
              "first style");
    // Callout preset 5 (rows of type 13 start after 2 + 15 + 12 + 4 + 12 + 6 + 15 rows).
    ExpectRow(T->GetItem(66 + 5),
              Expect(57, {{"0", u"5"}, {"1", u"13"}, {"2", u"5"}, {"14", u"8767365"}, {"15", u"255"}, {"16", u"255"},
                          {"17", u"0"}, {"18", u"2"}, {"19", u"0"}, {"20", u"0"}, {"21", u"-1"}, {"24", u"0"},
                          {"27-31", u"-1"}, {"40", u"Tahoma"}, {"41", u"18"}, {"42", u"6750207"}, {"46", u"1"},
                          {"47", u"1"}, {"54", u"Ab"}}),
              "callout 5");
    EXPECT_EQ(T->GetItem(66 + 11)->GetItem(16)->Value(), 23260);
    EXPECT_EQ(T->GetItem(66 + 4)->GetItem(54)->Text(), u"");
}

TEST_F(Presets, EffectsAndFrames)
{
    // Without the effects pack: the 28 built-in rows.
    InitEffectFrameTables();
    TDataTable* E = EffectPresetTable.get();
    ASSERT_EQ(E->ItemCount(), 28);
    EXPECT_EQ(E->GetProp(0)->Text(), u"基本.风格.色彩.场景");
    EXPECT_EQ(E->GetProp(2)->Text(), u" Basic.Stylized.Color.Scene");
    EXPECT_TRUE(E->GetProp(9)->AsBool());
    EXPECT_EQ(E->GetItem(0)->ToString(true), u"0,0,补光,,Increase light,9,,,,,0,,,,,,");
    EXPECT_EQ(E->GetItem(9)->ToString(true), u"0,1,旧照片,,Old,14,,,,,0,,,,,,");
    EXPECT_EQ(E->GetItem(21)->ToString(true), u"0,2,泛黄,,Yellowing,22,,,,,100,,,,,,");
    EXPECT_EQ(E->GetItem(25)->ToString(true), u"0,3,心形,,Heart,32,,,,,60,,,,heart.jpg,,");
    EXPECT_EQ(E->GetItem(27)->ToString(true), u"0,3,星空,,Star,31,,,,,100,,,,star.jpg,,");
    EXPECT_EQ(FramePresetTable->GetProp(0)->Text(), u"填充.描边.图案.边饰");
    EXPECT_EQ(FramePresetTable->GetProp(2)->Text(), u" Pad . Band.Pattern. Edge");
    EXPECT_EQ(FramePresetTable->ItemCount(), 0);
    DonePresetTables();

    // A pack's rows and categories replace them (a row without pictures here).
    {
        TDataTable P;
        P.GetProp(0)->SetText(u"a.b");
        P.GetProp(2)->SetText(u"A.B");
        P.AddItem(u"0,1,x,,X,5,,,,,0,,,,,,");
        TFileStream F(MediaPackFileName(u"Effects.dat"), fmCreate);
        TMediaPackWriter W(&F);
        W.Finish(P);
    }
    InitEffectFrameTables();
    ASSERT_EQ(EffectPresetTable->ItemCount(), 1);
    EXPECT_EQ(EffectPresetTable->GetProp(2)->Text(), u"A.B");
    DonePresetTables();

    // A damaged pack: the built-in rows, and a line in the log.
    {
        TFileStream F(MediaPackFileName(u"Effects.dat"), fmCreate);
        F.WriteValue<int32_t>(1000);
    }
    ASSERT_NO_THROW(InitEffectFrameTables());
    EXPECT_EQ(EffectPresetTable->ItemCount(), 28);
    EXPECT_EQ(EffectPresetTable->GetProp(2)->Text(), u" Basic.Stylized.Color.Scene");
    EXPECT_EQ(StockErrors().size(), 1u);
}

TEST_F(Presets, BrushStyles)
{
    // Without the brush pack: a table with no styles (the brush paints nothing).
    InitEffectFrameTables();
    ASSERT_TRUE(BrushTable);
    EXPECT_EQ(BrushTable->ItemCount(), 0);
    DonePresetTables();
    EXPECT_FALSE(BrushTable);

    // A pack's rows, with the style's picture in the row's data slot.
    {
        TDataTable P;
        P.AddItem(u"0,,a,,A,,,,-1,10,0,,,,a.bmp,,");
        P.AddItem(u"1,,b,,B,,,,0,4,1,,,,,,");
        TCustomBitmap32 Style;
        Style.SetSize(5, 3);
        Style.Clear(0xFF000000);
        TMemoryStream Bmp;
        Style.SaveToStream(&Bmp, true);
        TFileStream F(MediaPackFileName(u"Brush.dat"), fmCreate);
        TMediaPackWriter W(&F);
        std::vector<uint8_t> Bytes(size_t(Bmp.Size()));
        std::memcpy(Bytes.data(), Bmp.Memory(), Bytes.size());
        P.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(Bytes));
        W.Finish(P);
    }
    InitEffectFrameTables();
    ASSERT_EQ(BrushTable->ItemCount(), 2);
    EXPECT_EQ(BrushTable->GetItem(0)->GetItem(9)->Text(), u"10");
    auto* Picture = BrushTable->GetItem(0)->Data().As<TCustomBitmap32>();
    ASSERT_TRUE(Picture);
    EXPECT_EQ(Picture->Width(), 5);
    EXPECT_FALSE(BrushTable->GetItem(1)->Data());
}
