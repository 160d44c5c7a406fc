// The program-wide set-up, settings upgrade, Share6.db, language table, web
// links and hotkey slots, over a platform the test plays itself. Every folder
// (APPDATA, the home folder, the program folder) is a temporary one.
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <set>

#include "win/ScopedEnv.h"
#include "TempFolder.h"
#include "foundation/Global.h"
#include "foundation/HyMediaPack.h"
#include "foundation/HyCrypUtils.h"

namespace {

class TFakePlatform : public TGlobalPlatform {
public:
    String ProgramFile;
    String Version = u"5.2.6.0";
    String AppDataFallback;
    String LangFile = Str(LM_DBLANG_FILE);
    Integer AllowCalls = 0;
    std::map<String, Word> Atoms;
    std::map<Word, std::pair<Integer, Integer>> Registered;  // id -> (modifiers, key)
    std::set<std::pair<Integer, Integer>> TakenByOthers;
    std::vector<String> Messages;
    Word NextAtom = 0xC000;

    String ProgramFileName() override { return ProgramFile; }
    String FileVersionText(const String&) override { return Version; }
    String SystemFolder() override { return u"C:\\windows\\system32\\"; }
    String ShellAppDataFolder() override { return AppDataFallback; }
    String OSVersionText() override { return u"617601 Service Pack 1"; }
    void AllowDropAndCopyData() override { ++AllowCalls; }
    std::unique_ptr<TStream> OpenResource(const String& Name) override
    {
        EXPECT_EQ(Name, u"DbLang");
        auto M = std::make_unique<TMemoryStream>();
        M->LoadFromFile(LangFile);
        return M;
    }
    Word FindOrAddAtom(const String& Name) override
    {
        auto It = Atoms.find(Name);
        if (It != Atoms.end()) return It->second;
        Word Atom = NextAtom++;
        Atoms[Name] = Atom;
        return Atom;
    }
    void DeleteAtom(Word Atom) override
    {
        for (auto It = Atoms.begin(); It != Atoms.end(); ++It)
            if (It->second == Atom) {
                Atoms.erase(It);
                return;
            }
        ADD_FAILURE() << "deleting an unknown atom";
    }
    bool RegisterHotKey(Word Id, Integer Modifiers, Integer Key) override
    {
        if (Registered.count(Id) || TakenByOthers.count({Modifiers, Key})) return false;
        for (const auto& R : Registered)
            if (R.second == std::make_pair(Modifiers, Key)) return false;
        Registered[Id] = {Modifiers, Key};
        return true;
    }
    void UnregisterHotKey(Word Id) override { Registered.erase(Id); }
    void ShowInfoMsg(const String& Text, const String& Caption) override { Messages.push_back(Caption + u"|" + Text); }
};

class GlobalTest : public testing::Test {
protected:
    TTempFolder Dir;
    const String AppData = Dir / u"AppData\\Roaming";
    const String Home = Dir / u"home";
    const String Program = Dir / u"Program Files\\Lumatra\\";
    TScopedEnv EnvAppData{u"APPDATA", AppData};
    TScopedEnv EnvDrive{u"HOMEDRIVE", ExtractFileDrive(Home)};
    TScopedEnv EnvPath{u"HOMEPATH", Home.substr(ExtractFileDrive(Home).size())};
    TFakePlatform Platform;

    void SetUp() override
    {
        ForceDirectories(AppData);
        ForceDirectories(Program);
        Platform.ProgramFile = Program + u"Lumatra.exe";
    }
    void TearDown() override { DoneGlobals(); }

    void Start() { InitGlobals(u"LumatraStd", 5, String(), Platform); }
    void Restart()
    {
        DoneGlobals();
        Start();
    }
    static TCell* Cfg(Integer Row, Integer Cell) { return ConfigTable->GetItem(Row)->GetItem(Cell); }
    static std::unique_ptr<TDataTable> LoadShare()
    {
        auto T = std::make_unique<TDataTable>();
        T->Load(ShareFileName);
        return T;
    }
};

RawByteString ReadBytes(const String& FileName)
{
    TMemoryStream M;
    M.LoadFromFile(FileName);
    return RawByteString(static_cast<const char*>(M.Memory()), static_cast<size_t>(M.Size()));
}

void WriteBytes(const String& FileName, const RawByteString& Bytes)
{
    TFileStream F(FileName, fmCreate);
    if (!Bytes.empty()) F.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
}

}  // namespace

// ---------------------------------------------------------------------------
// Set-up

TEST_F(GlobalTest, FirstRunCreatesFoldersConfigAndShareRow)
{
    Start();
    EXPECT_EQ(BaseFolder, AppData + u"\\Quorvan\\");
    EXPECT_EQ(ShareFileName, BaseFolder + u"Share6.db");
    EXPECT_EQ(DataFolder, BaseFolder + u"LumatraStd\\");
    EXPECT_TRUE(DirectoryExists(DataFolder));
    EXPECT_EQ(ConfigFileName, DataFolder + u"Config.db");
    EXPECT_EQ(ProgramFolder, Program);
    EXPECT_EQ(ProductVersion, u"5.2.6.0");
    EXPECT_EQ(EditionCode, 5);
    EXPECT_FALSE(IsZezavEzazerExe);

    TDataTable Saved;
    Saved.SetIsAddVerifyCode(true);
    Saved.Load(ConfigFileName);
    ASSERT_EQ(Saved.ItemCount(), 10);
    EXPECT_EQ(Saved.GetItem(9)->ItemCount(), 50);
    EXPECT_EQ(Saved.PropCount(), 100);
    EXPECT_EQ(Saved.GetProp(1)->Value(), static_cast<Integer>(AnsiCodePage()));
    EXPECT_EQ(Saved.GetProp(46)->Text(), u"617601 Service Pack 1");
    EXPECT_EQ(Saved.ToString(true), ConfigTable->ToString(true));
    EXPECT_EQ(LangColumn, AnsiCodePage() == 936 ? 0 : 2);

    std::unique_ptr<TDataTable> Share = LoadShare();
    ASSERT_EQ(Share->ItemCount(), 1);
    EXPECT_EQ(Share->GetItem(0)->ToString(true), u"LumatraStd,,,,,,,,,,,,,,");
    EXPECT_EQ(ProductShareRow->ToString(true), u"LumatraStd,,,,,,,,,,,,,,");
}

TEST_F(GlobalTest, LaterRunsKeepSettingsAndTheShareRow)
{
    Start();
    Cfg(1, 5)->SetText(u"kept");
    ConfigTable->GetProp(1)->SetValue(936);
    ConfigTable->Save(false);
    SetShareCells(u"LumatraStd", 14, u"gallery");
    Restart();
    EXPECT_EQ(Cfg(1, 5)->Text(), u"kept");
    EXPECT_EQ(LangColumn, 0);
    EXPECT_EQ(ProductShareRow->GetItem(14)->Text(), u"gallery");
    EXPECT_EQ(LoadShare()->ItemCount(), 1);

    ConfigTable->GetProp(1)->SetValue(950);
    ConfigTable->Save(false);
    Restart();
    EXPECT_EQ(LangColumn, 2);
}

TEST_F(GlobalTest, DamagedOrShortConfigIsBroughtToShape)
{
    ForceDirectories(AppData + u"\\Quorvan\\LumatraStd");
    const String File = AppData + u"\\Quorvan\\LumatraStd\\Config.db";
    // Valid check bytes around a body that does not decipher: a new table.
    const RawByteString Garbage =
        RawByteString("\x0a\x14\x1e", 3) + "garbage garbage garbage" + RawByteString("\x12\x77\x29", 3);
    WriteBytes(File, Garbage);
    ClearStockErrors();
    TableLogProc = LogStockError;  // as the program's start-up does
    Start();
    ASSERT_EQ(ConfigTable->ItemCount(), 10);
    EXPECT_EQ(ConfigTable->GetProp(46)->Text(), u"617601 Service Pack 1");
    // The user's file was kept beside the new one, and the log says so.
    TMemoryStream Kept;
    Kept.LoadFromFile(File + u".bad");
    EXPECT_EQ(RawByteString(static_cast<const char*>(Kept.Memory()), static_cast<size_t>(Kept.Size())), Garbage);
    ASSERT_FALSE(StockErrors().empty());
    EXPECT_EQ(StockErrors().back(), u"The table file " + File + u" cannot be read; it is kept as " + File + u".bad");
    TableLogProc = nullptr;

    // A readable table of the wrong size keeps its cells and gets the rest.
    TDataTable Short;
    Short.SetIsAddVerifyCode(true);
    Short.Init(u"#0,1252#a,b|c");
    Short.SaveAs(File);
    Restart();
    ASSERT_EQ(ConfigTable->ItemCount(), 10);
    EXPECT_EQ(Cfg(0, 1)->Text(), u"b");
    EXPECT_EQ(Cfg(9, 49)->Text(), u"");
    EXPECT_EQ(ConfigTable->PropCount(), 100);
    EXPECT_EQ(LangColumn, 2);
}

TEST_F(GlobalTest, WithoutAppDataTheShellFolderIsUsed)
{
    TScopedEnv NoAppData(u"APPDATA");
    Platform.AppDataFallback = Dir / u"shell";
    Start();
    EXPECT_EQ(BaseFolder, Dir / u"shell\\Quorvan\\");
    EXPECT_TRUE(FileExists(ShareFileName));
}

TEST_F(GlobalTest, DataFolderOverrideAndDeveloperMode)
{
    Platform.ProgramFile = Program + u"ZezavEzazer.exe";
    InitGlobals(u"LumatraStd", 5, Dir / u"own data", Platform);
    EXPECT_EQ(DataFolder, Dir / u"own data\\");
    EXPECT_TRUE(FileExists(DataFolder + u"Config.db"));
    // The base folder is made for Share6.db even when the data lives elsewhere.
    EXPECT_TRUE(FileExists(ShareFileName));
    EXPECT_TRUE(IsZezavEzazerExe);
}

// ---------------------------------------------------------------------------
// Share6.db

TEST_F(GlobalTest, ShareRowsOfOtherProductsAndLetterCase)
{
    ForceDirectories(AppData + u"\\Quorvan");
    TDataTable Share;
    Share.AddItem(u"Gallery,1234,,,,,,,,,,,,,D:\\pics");
    Share.AddItem(u"lumatrastd,77");  // short, and in other letters
    Share.SaveAs(AppData + u"\\Quorvan\\Share6.db");
    Start();
    EXPECT_EQ(ProductShareRow->GetItem(1)->Text(), u"77");
    EXPECT_EQ(ProductShareRow->ItemCount(), 15);
    EXPECT_EQ(GetShareCell(u"Gallery", 14), u"D:\\pics");
    EXPECT_EQ(GetShareCell(u"Trivane", 1), u"");
    EXPECT_EQ(GetShareCell(u"LumatraStd", 40), u"");
    EXPECT_EQ(GetShareRow(u"Trivane"), nullptr);

    SetShareCells(u"LumatraStd", 1, u"4242", 14, u"E:\\g");
    std::unique_ptr<TDataTable> After = LoadShare();
    ASSERT_EQ(After->ItemCount(), 2);
    EXPECT_EQ(After->GetItem(0)->ToString(true), u"Gallery,1234,,,,,,,,,,,,,D:\\pics");
    EXPECT_EQ(After->GetItem(1)->ToString(true), u"lumatrastd,4242,,,,,,,,,,,,,E:\\g");

    // The same text again does not rewrite the file (its salt would change).
    const RawByteString Bytes = ReadBytes(ShareFileName);
    SetShareCells(u"LumatraStd", 1, u"4242");
    EXPECT_EQ(ReadBytes(ShareFileName), Bytes);

    SetShareCells(u"Trivane", 1, u"99");
    EXPECT_EQ(GetShareRow(u"TRIVANE")->ToString(true), u"Trivane,99,,,,,,,,,,,,,");
    TRow Row;
    Row.Init(u"Trivane,5", u',');
    SetShareRow(u"Trivane", &Row);
    EXPECT_EQ(GetShareCell(u"Trivane", 1), u"5");
    EXPECT_EQ(LoadShare()->ItemCount(), 3);
}

// ---------------------------------------------------------------------------
// Skins

TEST_F(GlobalTest, SkinTableAndSkinFallback)
{
    Start();
    InitSkinTable(true);
    EXPECT_EQ(Platform.AllowCalls, 1);
    ASSERT_EQ(SkinTable->ItemCount(), 4);
    const char16_t* Names[] = {u"Charm", u"Laconic", u"Rire", u"Cool"};
    for (Integer I = 0; I < 4; ++I) {
        EXPECT_EQ(SkinTable->GetItem(I)->GetItem(0)->Text(), Names[I]);
        EXPECT_EQ(SkinTable->GetItem(I)->ItemCount(), 30);
    }
    EXPECT_EQ(SkinTable->GetItem(0)->GetItem(1)->Text(), u"魅力淡蓝");
    EXPECT_EQ(ConfigTable->GetProp(2)->Text(), u"Rire");
    ValidateSkinName();
    EXPECT_EQ(ConfigTable->GetProp(2)->Text(), u"Rire");

    ConfigTable->GetProp(2)->SetText(u"Charm");
    ValidateSkinName();
    EXPECT_EQ(ConfigTable->GetProp(2)->Text(), u"Rire");

    ForceDirectories(Program + u"Skin");
    WriteBytes(Program + u"Skin\\Charm.skn", "x");
    ConfigTable->GetProp(2)->SetText(u"Charm");
    InitSkinTable(false);
    EXPECT_EQ(Platform.AllowCalls, 1);
    ValidateSkinName();
    EXPECT_EQ(ConfigTable->GetProp(2)->Text(), u"Charm");
}

// ---------------------------------------------------------------------------
// Settings upgrade

namespace {

struct TExpectedCell {
    Integer Row, Cell;  // Row -1: the property row
    const char16_t* Text;
};

// A new table after every step (sample paths checked apart).
const TExpectedCell NewTableDefaults[] = {
    {-1, 0, u"11"}, {-1, 77, u"-1"},
    {1, 0, u"600"}, {1, 1, u"400"}, {1, 2, u"16777215"}, {1, 3, u"0"}, {1, 10, u"-100000"}, {1, 12, u"-1"},
    {1, 13, u"120.320.120.240"}, {1, 20, u"-1"}, {1, 22, u"1"}, {1, 23, u"255"}, {1, 24, u"65535"},
    {1, 34, u"Please enter the text"}, {1, 35, u"0"}, {1, 46, u"-1"}, {1, 47, u"-1"},
    {2, 1, u"3"}, {2, 2, u"1"}, {2, 3, u"3"}, {2, 4, u"30"}, {2, 8, u"12"}, {2, 9, u"50"}, {2, 10, u"10"},
    {2, 11, u"60"}, {2, 12, u"60"}, {2, 13, u"80"}, {2, 14, u"20"}, {2, 15, u"60"}, {2, 16, u"255"},
    {2, 17, u"10"}, {2, 18, u"65535"}, {2, 19, u"20"}, {2, 20, u"80"}, {2, 21, u"50"}, {2, 22, u"80"},
    {2, 23, u"50"}, {2, 25, u"120"}, {2, 26, u"12"}, {2, 27, u"9"}, {2, 28, u"12"}, {2, 29, u"1"},
    {2, 30, u"15"}, {2, 31, u"15"}, {2, 32, u"8.140.140.8.8.8.140.140"}, {2, 33, u"8.140.140.8.8.8.140.140"},
    {2, 34, u"8.140.140.8.8.8.140.140"}, {2, 35, u"80"}, {2, 36, u"50"}, {2, 37, u"50"}, {2, 38, u"60"},
    {2, 39, u"50"}, {2, 40, u"60"}, {2, 41, u"1"}, {2, 42, u"60"}, {2, 43, u"50"}, {2, 44, u"60"},
    {3, 3, u"3"}, {3, 4, u"10"}, {3, 5, u"10"}, {3, 6, u"50"}, {3, 7, u"50"}, {3, 9, u"127"}, {3, 13, u"16777215"},
    {4, 1, u"1"}, {4, 3, u"0.81"}, {4, 4, u"0.81"}, {4, 5, u"0.76"}, {4, 6, u"0.76"}, {4, 30, u"31"},
    {6, 2, u"110"}, {6, 4, u"-1"}, {6, 6, u"180"},
};

}  // namespace

TEST_F(GlobalTest, UpgradeOfANewTableWritesEveryDefault)
{
    ForceDirectories(Program + u"Media");
    WriteBytes(Program + u"Media\\Sample.jpg", "sample");
    WriteBytes(Program + u"Media\\WMSample.png", "watermark");
    Start();
    UpgradeConfigDefaults();

    std::set<std::pair<Integer, Integer>> Listed;
    for (const TExpectedCell& E : NewTableDefaults) {
        SCOPED_TRACE(testing::Message() << "row " << E.Row << " cell " << E.Cell);
        TCell* C = E.Row < 0 ? ConfigTable->GetProp(E.Cell) : Cfg(E.Row, E.Cell);
        EXPECT_EQ(C->Text(), E.Text);
        Listed.insert({E.Row, E.Cell});
    }
    const String Sample = Home + u"\\Quorvan\\Sample5.jpg";
    EXPECT_EQ(ReadBytes(Sample), "sample");
    EXPECT_EQ(UnescapeCellText(Cfg(1, 31)->Text()), Sample);
    EXPECT_EQ(UnescapeCellText(Cfg(1, 33)->Text()), Sample);
    EXPECT_EQ(Cfg(1, 30)->Text(), u"-1");
    EXPECT_EQ(UnescapeCellText(Cfg(3, 11)->Text()), Home + u"\\Quorvan\\WMSample.png");
    EXPECT_EQ(PwdDecryptStr(UnescapeCellText(ConfigTable->GetProp(49)->Text()), u""), u"https://www.quorvan.example");
    for (auto Extra : {std::pair{1, 30}, {1, 31}, {1, 33}, {3, 11}}) Listed.insert(Extra);
    Listed.insert({-1, 1});   // code page
    Listed.insert({-1, 46});  // Windows version
    Listed.insert({-1, 49});  // web address

    // Nothing else is written.
    for (Integer P = 0; P < ConfigTable->PropCount(); ++P) {
        if (!Listed.count({-1, P})) {
            EXPECT_EQ(ConfigTable->GetProp(P)->Text(), u"") << "property " << P;
        }
    }
    for (Integer R = 0; R < 10; ++R) {
        for (Integer C = 0; C < 50; ++C) {
            if (!Listed.count({R, C})) {
                EXPECT_EQ(Cfg(R, C)->Text(), u"") << "row " << R << " cell " << C;
            }
        }
    }
}

TEST_F(GlobalTest, UpgradeCopiesTheSampleOnceAndNeverOverIt)
{
    ForceDirectories(Program + u"Media");
    WriteBytes(Program + u"Media\\Sample.jpg", "new sample");
    ForceDirectories(Home + u"\\Quorvan");
    WriteBytes(Home + u"\\Quorvan\\Sample5.jpg", "the user's own");
    Start();
    UpgradeConfigDefaults();
    EXPECT_EQ(ReadBytes(Home + u"\\Quorvan\\Sample5.jpg"), "the user's own");
    EXPECT_EQ(UnescapeCellText(Cfg(1, 31)->Text()), Home + u"\\Quorvan\\Sample5.jpg");
    // No watermark sample in the program folder: its cell stays empty.
    EXPECT_EQ(Cfg(3, 11)->Text(), u"");
    EXPECT_FALSE(FileExists(Home + u"\\Quorvan\\WMSample.png"));
}

TEST_F(GlobalTest, UpgradeRunsOnlyTheMissingSteps)
{
    Start();
    ConfigTable->GetProp(0)->SetValue(4);
    Cfg(1, 10)->SetValue(7);
    Cfg(1, 3)->SetValue(5);
    UpgradeConfigDefaults();
    EXPECT_EQ(ConfigTable->GetProp(0)->Text(), u"11");
    EXPECT_EQ(Cfg(1, 10)->Text(), u"7");  // step 4 did not run
    EXPECT_EQ(Cfg(1, 0)->Text(), u"");    // nor step 1
    EXPECT_EQ(Cfg(2, 25)->Text(), u"120");
    EXPECT_EQ(Cfg(2, 43)->Text(), u"50");
    EXPECT_EQ(Cfg(4, 30)->Text(), u"31");
    EXPECT_EQ(Cfg(1, 3)->Text(), u"0");
    EXPECT_NE(ConfigTable->GetProp(49)->Text(), u"");

    for (Integer Version : {11, 12}) {
        SCOPED_TRACE(Version);
        Restart();
        ConfigTable->GetProp(0)->SetValue(Version);
        Cfg(1, 3)->SetValue(5);
        const String Before = ConfigTable->ToString(true);
        UpgradeConfigDefaults();
        EXPECT_EQ(Cfg(1, 3)->Text(), u"0");
        Cfg(1, 3)->SetValue(5);
        EXPECT_EQ(ConfigTable->ToString(true), Before);
    }
}

TEST_F(GlobalTest, UpgradeWritesTheChineseDefaultText)
{
    Start();
    ConfigTable->GetProp(1)->SetValue(936);
    ConfigTable->Save(false);
    Restart();
    UpgradeConfigDefaults();
    EXPECT_EQ(Cfg(1, 34)->Text(), u"请输入文本");
}

// ---------------------------------------------------------------------------
// Language table and web links

TEST_F(GlobalTest, LanguageTableGroupsAndColumns)
{
    Start();
    LoadLangTable();
    // Every group has at least one row more than the highest index used.
    const Integer Highest[] = {197, 400, 92, 94, 28, 43, 99, 67};
    Integer Rows = 0;
    for (Integer G = 0; G < 8; ++G) {
        EXPECT_GT(LangTable->GetProp(G)->Value(), Highest[G]) << "group " << G;
        Rows += LangTable->GetProp(G)->Value();
    }
    EXPECT_EQ(LangTable->ItemCount(), Rows);
    EXPECT_NE(GetLangText(0, 163).find(u"- Quorvan Lumatra Standard"), String::npos);
    EXPECT_EQ(GetLangText(0, 105, true), u"Off:");
    EXPECT_EQ(GetLangText(7, Highest[7]), u"");
    EXPECT_THROW(GetLangText(7, LangTable->GetProp(7)->Value()), EListError);
    LangColumn = 0;
    EXPECT_NE(GetLangText(0, 163).find(u"- 阔文卢玛特拉"), String::npos);
    EXPECT_EQ(GetLangText(0, 105), u"已关闭");
}

TEST_F(GlobalTest, LanguageGroupSizesThatWrapAreOutsideTheTable)
{
    // Two groups of 2^31 - 1 rows put group 2's index 3 at row 2^32 + 1: it
    // must not wrap round to row 1.
    Start();
    const Integer Max = std::numeric_limits<Integer>::max();
    LangTable = std::make_unique<TDataTable>();
    LangTable->AddItem(u"zero,,zero");
    LangTable->AddItem(u"one,,one");
    LangTable->SetPropCount(3);
    LangTable->GetProp(0)->SetValue(Max);
    LangTable->GetProp(1)->SetValue(Max);
    LangTable->GetProp(2)->SetValue(-Max);
    EXPECT_EQ(GetLangText(0, 1), u"one");
    EXPECT_THROW(GetLangText(2, 3), EListError);
    EXPECT_THROW(GetLangText(3, 2), EListError);
}

TEST_F(GlobalTest, LanguageTextsKeepCommasBarsAndLineBreaks)
{
    Platform.LangFile = Str(LM_LANG_FIXTURE_FILE);
    Start();
    LoadLangTable();
    EXPECT_EQ(GetLangText(0, 5), u"a, b | c\nsecond line");
    EXPECT_EQ(GetLangText(0, 0), u"zero");
    EXPECT_EQ(GetLangText(2, 0), u"first of group 2");
    EXPECT_EQ(GetLangText(2, 0, true), u"first of group 2:");
    EXPECT_EQ(GetLangText(1, 0, true), u"first of group 1:");
    EXPECT_EQ(GetLangText(1, 450), u"past the minimum");
    EXPECT_EQ(GetLangText(2, 1), u"tab\there, backslash \\");
    LangColumn = 0;
    EXPECT_EQ(GetLangText(0, 5), u"甲，乙 | 丙\n第二行");
}

TEST_F(GlobalTest, WebLinks)
{
    Start();
    UpgradeConfigDefaults();
    const String Link = BuildWebLink(u"FAQ");
    EXPECT_EQ(Link, u"https://www.quorvan.example/index.php?n=lumatra&v=5260&l=2&s=61&a=faq");
    EXPECT_TRUE(EndsStr(u"&s=61&a=home", BuildWebLink(u"home")));

    ConfigTable->GetProp(49)->SetText(u"not enciphered");
    EXPECT_EQ(BuildWebLink(u"home").substr(0, 11), u"/index.php?");
}

// ---------------------------------------------------------------------------
// Hotkeys

namespace {

const TByteSet CaptureRows = ByteSet({5, 6, 7, 8});
const std::vector<Integer> CaptureModifiers = {6, 6, 6, 6};
const std::vector<Integer> CaptureKeys = {83, 77, 65, 70};

}  // namespace

TEST_F(GlobalTest, HotkeysFirstRunRegistersTheDefaults)
{
    Start();
    LoadLangTable();
    Platform.TakenByOthers.insert({6, 77});  // Ctrl+Shift+M
    InitHotkeys(10, CaptureRows, CaptureModifiers, CaptureKeys);
    ASSERT_EQ(HotkeyTable->ItemCount(), 10);
    const char16_t* Expected[] = {u"-1,6,83,", u"0,6,77,", u"-1,6,65,", u"-1,6,70,"};
    for (Integer Row = 5; Row <= 8; ++Row) {
        TRow* R = HotkeyTable->GetItem(Row);
        const Word Atom = Platform.Atoms.at(u"Quorvan_HK_" + IntToStr(Row));
        EXPECT_EQ(R->ToString(true), Expected[Row - 5] + IntToStr(Atom));
    }
    EXPECT_EQ(HotkeyTable->GetItem(0)->ToString(true), u"0,0,0,0");
    EXPECT_EQ(Platform.Registered.size(), 3u);
    EXPECT_TRUE(Platform.Messages.empty());  // silent at start

    // The menu items: Ctrl + Shift + S for an enabled slot, the mark for one that is off.
    struct TItem {
        String Caption;
        Word ShortCut = 1;
        void SetCaption(const String& Value) { Caption = Value; }
        void SetShortCut(Word Value) { ShortCut = Value; }
    } Item;
    SetHotkeyMenuItem(&Item, u"Rectangle", 5);
    EXPECT_EQ(Item.Caption, u"Rectangle");
    EXPECT_EQ(Item.ShortCut, 0x4000 + 0x2000 + 83);
    SetHotkeyMenuItem(&Item, u"Menu", 6);
    EXPECT_EQ(Item.Caption, u"Menu    [Off]");
    EXPECT_EQ(Item.ShortCut, 0);
    HotkeyTable->GetItem(5)->GetItem(1)->SetValue(HotkeyAlt);
    EXPECT_EQ(HotkeyShortCut(5), 0x8000 + 83);
    HotkeyTable->GetItem(5)->GetItem(1)->SetValue(6);

    DoneHotkeys();
    EXPECT_TRUE(Platform.Registered.empty());
    EXPECT_TRUE(Platform.Atoms.empty());
    EXPECT_EQ(HotkeyTable, nullptr);
    TDataTable Saved;
    Saved.SetIsAddVerifyCode(true);
    Saved.Load(DataFolder + u"Hotkey.db");
    EXPECT_EQ(Saved.GetItem(5)->ToString(true), u"-1,6,83,0");
    EXPECT_EQ(Saved.GetItem(6)->ToString(true), u"0,6,77,0");
}

TEST_F(GlobalTest, HotkeysKeepTheUsersKeyAcrossRuns)
{
    Start();
    LoadLangTable();
    InitHotkeys(10, CaptureRows, CaptureModifiers, CaptureKeys);
    bool Enabled = false;
    SetHotkeyEnabled(7, Enabled);
    EXPECT_EQ(HotkeyTable->GetItem(7)->ToString(true), u"0,6,65,0");
    Char Key = u'q';
    SetHotkeyKey(7, Key);
    EXPECT_EQ(Key, u'Q');
    EXPECT_EQ(HotkeyTable->GetItem(7)->GetItem(2)->Text(), u"81");
    HotkeyTable->GetItem(7)->GetItem(1)->SetValue(1);  // the user's own modifiers are not kept
    DoneHotkeys();

    InitHotkeys(10, CaptureRows, CaptureModifiers, CaptureKeys);
    EXPECT_EQ(HotkeyTable->GetItem(7)->GetItem(0)->Text(), u"-1");
    EXPECT_EQ(HotkeyTable->GetItem(7)->GetItem(1)->Text(), u"6");
    EXPECT_EQ(HotkeyTable->GetItem(7)->GetItem(2)->Text(), u"81");
    const Word Atom = Platform.Atoms.at(u"Quorvan_HK_7");
    EXPECT_EQ(Platform.Registered.at(Atom), std::make_pair(6, 81));
}

TEST_F(GlobalTest, HotkeyKeysAreLettersAndDigitsOnly)
{
    Start();
    LoadLangTable();
    InitHotkeys(10, CaptureRows, CaptureModifiers, CaptureKeys);
    struct {
        Char Typed, Back;
    } const Cases[] = {{u'#', 0}, {u'[', 0}, {u'\\', 0}, {u']', 0}, {u'`', 0}, {u' ', 0},
                       {u'7', u'7'}, {u'z', u'Z'}, {u'D', u'D'}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(static_cast<int>(C.Typed));
        Char Key = C.Typed;
        SetHotkeyKey(5, Key);
        EXPECT_EQ(Key, C.Back);
        const Word Atom = Platform.Atoms.at(u"Quorvan_HK_5");
        EXPECT_EQ(HotkeyTable->GetItem(5)->GetItem(2)->Value(), C.Back ? C.Back : Platform.Registered.at(Atom).second);
    }
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(GlobalTest, HotkeyFailuresTellTheUserAndKeepTheOldKey)
{
    Start();
    LoadLangTable();
    EditionTitle = u"Lumatra";
    InitHotkeys(10, CaptureRows, CaptureModifiers, CaptureKeys);

    // A new key already taken elsewhere: the message, Key 0, the old hotkey kept.
    Platform.TakenByOthers.insert({6, u'X'});
    Char Key = u'x';
    SetHotkeyKey(5, Key);
    EXPECT_EQ(Key, 0);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], u"Lumatra|" + GetLangText(0, 107));
    EXPECT_EQ(HotkeyTable->GetItem(5)->GetItem(2)->Text(), u"83");
    EXPECT_EQ(HotkeyTable->GetItem(5)->GetItem(0)->Text(), u"-1");
    EXPECT_EQ(Platform.Registered.at(Platform.Atoms.at(u"Quorvan_HK_5")), std::make_pair(6, 83));

    // Switching on a slot whose keys another program took meanwhile.
    bool Enabled = false;
    SetHotkeyEnabled(6, Enabled);
    EXPECT_EQ(Platform.Atoms.count(u"Quorvan_HK_6"), 0u);
    EXPECT_EQ(HotkeyTable->GetItem(6)->GetItem(3)->Text(), u"0");
    Platform.TakenByOthers.insert({6, 77});
    Enabled = true;
    SetHotkeyEnabled(6, Enabled);
    EXPECT_FALSE(Enabled);
    EXPECT_EQ(HotkeyTable->GetItem(6)->GetItem(0)->Text(), u"0");
    ASSERT_EQ(Platform.Messages.size(), 2u);
    EXPECT_EQ(Platform.Messages[1], u"Lumatra|" + GetLangText(0, 106));

    // Unregistering a slot without an atom does nothing.
    UnregisterHotkeyRow(0);
    EXPECT_EQ(HotkeyTable->GetItem(0)->ToString(true), u"0,0,0,0");
    DoneHotkeys();
    EXPECT_TRUE(Platform.Atoms.empty());
}

TEST_F(GlobalTest, AShortHotkeyFileIsPadded)
{
    Start();
    TDataTable Short;
    Short.SetIsAddVerifyCode(true);
    Short.Init(u"#a#-1,2,80,0|0");
    Short.SaveAs(DataFolder + u"Hotkey.db");
    InitHotkeys(10, CaptureRows, CaptureModifiers, CaptureKeys);
    ASSERT_EQ(HotkeyTable->ItemCount(), 10);
    EXPECT_EQ(HotkeyTable->GetItem(0)->ToString(true), u"-1,2,80,0");
    EXPECT_EQ(HotkeyTable->GetItem(1)->ToString(true), u"0,,,");
    EXPECT_EQ(HotkeyTable->GetItem(8)->GetItem(2)->Text(), u"70");
    DoneHotkeys();
}
