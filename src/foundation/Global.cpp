#include "foundation/Global.h"

#include <chrono>
#include <thread>

#include "foundation/HyCrypUtils.h"
#include "foundation/HyFileUtils.h"

String BaseFolder;
String ShareFileName;
String ProductName;
Byte EditionCode = 0;
String ProgramFolder;
String ProductVersion;
String SystemFolder;
String WindowsFolder;
String TempFolder;
String DataFolder;
String ConfigFileName;
bool IsZezavEzazerExe = false;
std::unique_ptr<TDataTable> ConfigTable;
std::unique_ptr<TRow> ProductShareRow;
Integer LangColumn = 2;
std::unique_ptr<TDataTable> SkinTable;
String EditionTitle;
std::unique_ptr<TDataTable> LangTable;
std::unique_ptr<TDataTable> HotkeyTable;

namespace {

TGlobalPlatform* Platform = nullptr;

// The shapes the program's code relies on when it indexes these tables.
constexpr Integer ConfigRows = 10, ConfigCells = 50, ConfigProps = 100;
constexpr Integer ShareCells = 15;
constexpr Integer HotkeyCells = 4;

// The site behind the "home" and "FAQ" links.
const char16_t* const DefaultWebBase = u"https://www.quorvan.example";

const char16_t* const SkinRows[] = {
    u"Charm,魅力淡蓝,15656669,6710532,16777215,0,16774887,8388608,15979701,13023362,,15984357,32768,16737843,,,,,,,,,,,,,,,,",
    u"Laconic,简明银灰,0,4671305,16777215,0,15790557,6697728,11776949,10066329,,15263978,6697728,16737843,,,,,,,,,,,,,,,,",
    u"Rire,曙光银白,0,8341319,16777215,0,16052702,6697728,12632256,10066329,,16777215,6697728,16737843,,,,,,,,,,,,,,,,",
    u"Cool,凉爽浅青,15656669,8947208,16777215,0,16379103,16323920,13814984,8421504,,15000806,6644737,0,,,,,,,,,,,,,,,,",
};

TGlobalPlatform& ThePlatform()
{
    if (!Platform) throw EInvalidOperation(u"InitGlobals has not run");
    return *Platform;
}

// Pads a row with empty cells up to Count.
void PadRow(TRow* Row, Integer Count)
{
    while (Row->ItemCount() < Count) Row->AddItem(String());
}

// Brings a loaded table to the shape its owner indexes: at least Rows rows of
// at least Cells cells and Props properties. A short or damaged file would
// otherwise make every later lookup of a missing cell raise.
void EnsureShape(TDataTable& Table, Integer Rows, Integer Cells, Integer Props)
{
    for (Integer R = 0; R < Rows; ++R) {
        if (R >= Table.ItemCount()) Table.AddItem(String(static_cast<size_t>(Cells - 1), u','));
        PadRow(Table.GetItem(R), Cells);
    }
    if (Table.PropCount() < Props) Table.AddPropCount(Props - Table.PropCount());
}

Integer IntOf(const String& Text)
{
    return StrToIntDef(Trim(Text), 0);
}

// Share6.db is also written by the maker's other programs; a file they hold
// open for a moment is tried again for about a second before giving up.
template <class Op>
void WithShareRetry(Op Operation)
{
    constexpr int Attempts = 20;
    for (int Attempt = 1;; ++Attempt) {
        try {
            Operation();
            return;
        } catch (const EFileStreamError&) {
            if (Attempt >= Attempts) throw;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

std::unique_ptr<TDataTable> LoadShareTable()
{
    auto Table = std::make_unique<TDataTable>();
    WithShareRetry([&] { Table->Load(ShareFileName, 0, 0); });
    return Table;
}

void SaveShareTable(TDataTable& Table)
{
    if (!Table.DataChanged()) return;
    ForceDirectories(BaseFolder);
    WithShareRetry([&] { Table.Save(false); });
}

String NewShareRowText(const String& AProductName)
{
    return AProductName + String(static_cast<size_t>(ShareCells - 1), u',');
}


TCell* Config(Integer Row, Integer Cell)
{
    return ConfigTable->GetItem(Row)->GetItem(Cell);
}

TCell* ConfigProp(Integer Index)
{
    return ConfigTable->GetProp(Index);
}

void SetConfig(Integer Row, std::initializer_list<std::pair<Integer, Integer>> Values)
{
    for (const auto& [Cell, Value] : Values) Config(Row, Cell)->SetValue(Value);
}

TRow* HotkeyRow(Integer Row)
{
    if (!HotkeyTable) throw EInvalidOperation(u"InitHotkeys has not run");
    return HotkeyTable->GetItem(Row);
}

}  // namespace

TGlobalPlatform* GlobalPlatform()
{
    return Platform;
}

// ---------------------------------------------------------------------------
// Set-up

void InitGlobals(const String& AProductName, Byte AEditionCode, const String& DataFolderOverride,
                 TGlobalPlatform& APlatform)
{
    Platform = &APlatform;
    String AppData = GetEnvironmentVariable(u"APPDATA");
    // Without APPDATA the folders would land in "\Quorvan\" on the current drive.
    if (AppData.empty()) AppData = APlatform.ShellAppDataFolder();
    BaseFolder = (AppData.empty() ? String() : IncludeTrailingPathDelimiter(AppData)) + u"Quorvan\\";
    ShareFileName = BaseFolder + u"Share6.db";
    ProductName = AProductName;
    EditionCode = AEditionCode;
    const String ProgramFile = APlatform.ProgramFileName();
    ProgramFolder = ExtractFilePath(ProgramFile);
    ProductVersion = APlatform.FileVersionText(ProgramFile);
    SystemFolder = APlatform.SystemFolder();
    WindowsFolder = GetEnvironmentVariable(u"WINDIR") + u"\\";
    TempFolder = GetEnvironmentVariable(u"TEMP") + u"\\";

    DataFolder = DataFolderOverride.empty() ? BaseFolder + ProductName + u"\\"
                                            : IncludeTrailingPathDelimiter(DataFolderOverride);
    if (!DirectoryExists(DataFolder)) ForceDirectories(DataFolder);
    ConfigFileName = DataFolder + u"Config.db";
    IsZezavEzazerExe = Pos(u"ZezavEzazer.exe", ProgramFile) > 0;

    ConfigTable = std::make_unique<TDataTable>();
    ConfigTable->SetIsAddVerifyCode(true);
    ConfigTable->Load(ConfigFileName, 0, 0);
    if (ConfigTable->ItemCount() == 0) {
        ConfigTable->Init(ConfigRows, ConfigCells);
        ConfigTable->SetPropCount(ConfigProps);
        ConfigTable->GetProp(1)->SetValue(static_cast<Integer>(AnsiCodePage()));
        ConfigTable->GetProp(46)->SetText(APlatform.OSVersionText());
        ConfigTable->SaveAs(ConfigFileName);
    } else {
        EnsureShape(*ConfigTable, ConfigRows, ConfigCells, ConfigProps);
    }

    // The shared table belongs to every program of the maker: when it stays
    // locked or unwritable, this program starts anyway with its row in memory.
    try {
        ProductShareRow = GetShareRow(ProductName);
    } catch (const Exception&) {
        ProductShareRow.reset();
    }
    if (!ProductShareRow) {
        ProductShareRow = std::make_unique<TRow>(nullptr);
        ProductShareRow->Init(NewShareRowText(ProductName), u',');
        try {
            SetShareRow(ProductName, ProductShareRow.get());
        } catch (const Exception&) {
        }
    }

    LangColumn = IntOf(ConfigTable->GetProp(1)->Text()) == 936 ? 0 : 2;
}

void DoneGlobals()
{
    HotkeyTable.reset();
    LangTable.reset();
    SkinTable.reset();
    ProductShareRow.reset();
    ConfigTable.reset();
    Platform = nullptr;
}

void InitSkinTable(bool AllowMessages)
{
    if (AllowMessages) ThePlatform().AllowDropAndCopyData();
    SkinTable = std::make_unique<TDataTable>();
    for (const char16_t* Row : SkinRows) SkinTable->AddItem(Row);
    if (ConfigProp(2)->Text().empty()) ConfigProp(2)->SetText(u"Rire");
}

void ValidateSkinName()
{
    const String Name = ConfigProp(2)->Text();
    // "Rire" is built into the main window and needs no file.
    if (Name != u"Rire" && !FileExists(ProgramFolder + u"Skin\\" + Name + u".skn")) ConfigProp(2)->SetText(u"Rire");
}

// ---------------------------------------------------------------------------
// Settings upgrade: each step writes only the cells introduced with it, so a
// table written by an older program keeps the values its user chose.

void UpgradeConfigDefaults()
{
    const Integer V = IntOf(ConfigProp(0)->Text());
    auto Step = [&](Integer Number, auto Body) {
        if (V >= Number) return;
        Body();
        ConfigProp(0)->SetValue(Number);
    };

    Step(1, [] {
        ConfigProp(77)->SetAsBool(true);
        SetConfig(1, {{0, 600}, {1, 400}, {2, 16777215}});
        Config(1, 13)->SetText(u"120.320.120.240");
        Config(1, 12)->SetAsBool(true);
        Config(1, 20)->SetAsBool(true);
        SetConfig(1, {{35, 0}, {23, 255}, {24, 65535}});
        Config(1, 47)->SetAsBool(true);
        Config(1, 34)->SetText(LangColumn == 0 ? u"请输入文本" : u"Please enter the text");

        // Paths are kept escaped: the settings columns are not, and a "," in
        // a user's folder name would split the cell.
        const String HomeFolder =
            GetEnvironmentVariable(u"HOMEDRIVE") + GetEnvironmentVariable(u"HOMEPATH") + u"\\Quorvan\\";
        if (!DirectoryExists(HomeFolder)) ForceDirectories(HomeFolder);
        const String Sample = HomeFolder + u"Sample" + IntToStr(EditionCode) + u".jpg";
        CopyFileNoOverwrite(ProgramFolder + u"Media\\Sample.jpg", Sample);
        if (FileExists(Sample)) {
            Config(1, 31)->SetText(EscapeCellText(Sample));
            Config(1, 33)->SetText(EscapeCellText(Sample));
            Config(1, 30)->SetAsBool(true);
        }
        const String WMSample = HomeFolder + u"WMSample.png";
        CopyFileNoOverwrite(ProgramFolder + u"Media\\WMSample.png", WMSample);
        if (FileExists(WMSample)) Config(3, 11)->SetText(EscapeCellText(WMSample));

        SetConfig(3, {{3, 3}, {4, 10}, {5, 10}, {6, 50}, {7, 50}, {9, 127}, {13, 16777215}});
        Config(4, 1)->SetValue(1);
        Config(4, 3)->SetText(u"0.81");
        Config(4, 4)->SetText(u"0.81");
        Config(4, 5)->SetText(u"0.76");
        Config(4, 6)->SetText(u"0.76");
        SetConfig(2, {{10, 8}, {4, 30}, {3, 3}, {2, 1}, {1, 3}, {10, 10}, {11, 60}, {14, 20}, {13, 80}, {12, 60},
                      {15, 60}, {16, 255}, {17, 10}, {18, 65535}, {19, 20}, {20, 80}, {21, 50}, {22, 80}, {23, 50}});
        Config(6, 2)->SetValue(110);
        Config(6, 4)->SetAsBool(true);
        Config(6, 6)->SetValue(180);
    });
    Step(2, [] { Config(1, 22)->SetValue(1); });
    Step(4, [] { Config(1, 10)->SetValue(-100000); });
    Step(5, [] {
        SetConfig(2, {{25, 120}, {26, 12}, {27, 9}, {28, 12}, {29, 1}, {30, 15}, {31, 15}});
        for (Integer Cell : {32, 33, 34}) Config(2, Cell)->SetText(u"8.140.140.8.8.8.140.140");
    });
    Step(7, [] {
        Config(1, 46)->SetAsBool(true);
        SetConfig(2, {{35, 80}, {36, 50}, {8, 12}, {9, 50}, {41, 1}, {42, 60}, {37, 50}, {38, 60}, {39, 50}, {40, 60}});
    });
    // Enciphered as a salted text, which may hold a ","; kept escaped.
    Step(8, [] { ConfigProp(49)->SetText(EscapeCellText(PwdEncryptStr(DefaultWebBase, String(), 0, 0))); });
    Step(9, [] { SetConfig(2, {{43, 50}, {44, 60}}); });
    Step(10, [] {});
    Step(11, [] { Config(4, 30)->SetValue(31); });
    Config(1, 3)->SetValue(0);
}

// ---------------------------------------------------------------------------
// Share6.db

void SetShareCells(const String& AProductName, Integer Index, const String& Text, Integer Index2,
                   const String& Text2)
{
    std::unique_ptr<TDataTable> Table = LoadShareTable();
    Integer R = Table->IndexOfText(0, AProductName);
    if (R < 0) {
        Table->AddItem(NewShareRowText(AProductName));
        R = Table->ItemCount() - 1;
    }
    TRow* Row = Table->GetItem(R);
    PadRow(Row, std::max({ShareCells, Index + 1, Index2 + 1}));
    Row->GetItem(Index)->SetText(Text);
    if (Index2 >= 0) Row->GetItem(Index2)->SetText(Text2);
    SaveShareTable(*Table);
}

void SetShareRow(const String& AProductName, const TRow* ARow)
{
    std::unique_ptr<TDataTable> Table = LoadShareTable();
    Integer R = Table->IndexOfText(0, AProductName);
    if (R >= 0)
        Table->GetItem(R)->CopyFrom(ARow);
    else
        Table->AddItem(const_cast<TRow*>(ARow), true);
    SaveShareTable(*Table);
}

String GetShareCell(const String& AProductName, Integer Index)
{
    std::unique_ptr<TRow> Row = GetShareRow(AProductName);
    return Row && Index >= 0 && Index < Row->ItemCount() ? Row->GetItem(Index)->Text() : String();
}

std::unique_ptr<TRow> GetShareRow(const String& AProductName)
{
    std::unique_ptr<TDataTable> Table = LoadShareTable();
    Integer R = Table->IndexOfText(0, AProductName);
    if (R < 0) return nullptr;
    auto Row = std::make_unique<TRow>(nullptr);
    Row->CopyFrom(Table->GetItem(R));
    PadRow(Row.get(), ShareCells);
    return Row;
}

// ---------------------------------------------------------------------------
// Language table and web links

void LoadLangTable()
{
    std::unique_ptr<TStream> Resource = ThePlatform().OpenResource(u"DbLang");
    LangTable = std::make_unique<TDataTable>(String(), ColumnRange(0, 9));
    LangTable->SetReserveLFSet(ColumnRange(0, 9));
    LangTable->LoadFromStream(Resource.get());
}

String GetLangText(Integer Group, Integer Index, bool AddColon)
{
    if (!LangTable) throw EInvalidOperation(u"The language table is not loaded");
    // The group sizes are read from the table: summed wide, so that no sizes
    // can wrap the row number round to a row that exists.
    Int64 Row = Index;
    for (Integer G = 0; G < Group; ++G) Row += IntOf(LangTable->GetProp(G)->Text());
    if (Row < 0 || Row >= LangTable->ItemCount())
        throw EListError(Format(u"List index out of bounds (%d)", {Row}));
    String Text = LangTable->GetItem(static_cast<Integer>(Row))->GetItem(LangColumn)->Text();
    if (AddColon) Text += u':';
    return Text;
}

String BuildWebLink(const String& Action)
{
    String Name = ProductName;
    if (Pos(u"Lumatra", Name) > 0) Name = Copy(Name, 1, static_cast<Integer>(Name.size()) - 3);
    String Link = PwdDecryptStr(UnescapeCellText(ConfigProp(49)->Text()), String());
    Link += u"/index.php?n=";
    Link += LowerCase(Name);
    Link += u"&v=";
    Link += StringReplace(ProductVersion, u".", u"", rfReplaceAll);
    Link += u"&l=";
    Link += IntToStr(LangColumn);
    Link += u"&s=";
    Link += Copy(ConfigProp(46)->Text(), 1, 2);
    Link += u"&a=";
    Link += LowerCase(Action);
    return Link;
}

// ---------------------------------------------------------------------------
// Global hotkeys

void InitHotkeys(Integer RowCount, const TByteSet& Rows, const std::vector<Integer>& Modifiers,
                 const std::vector<Integer>& Keys)
{
    HotkeyTable = std::make_unique<TDataTable>();
    HotkeyTable->SetIsAddVerifyCode(true);
    HotkeyTable->Load(DataFolder + u"Hotkey.db", 0, 0);
    if (HotkeyTable->ItemCount() == 0)
        for (Integer R = 0; R < RowCount; ++R) HotkeyTable->AddItem(u"0,0,0,0");
    else
        EnsureShape(*HotkeyTable, RowCount, HotkeyCells, 0);
    size_t K = 0;
    for (Integer I = 0; I < RowCount && I < 256; ++I) {
        if (!Rows.test(static_cast<size_t>(I))) continue;
        TRow* Row = HotkeyTable->GetItem(I);
        // The modifiers are the defaults at every start; a stored key is kept.
        if (K < Modifiers.size()) Row->GetItem(1)->SetValue(Modifiers[K]);
        if (IntOf(Row->GetItem(2)->Text()) == 0 && K < Keys.size()) Row->GetItem(2)->SetValue(Keys[K]);
        Row->GetItem(0)->SetAsBool(RegisterHotkeyRow(I, 0));
        ++K;
    }
}

void DoneHotkeys()
{
    if (!HotkeyTable) return;
    // Every slot holding an atom, registered or not: a failed registration
    // keeps its atom, which would otherwise stay in the system's table.
    for (Integer R = 0; R < HotkeyTable->ItemCount(); ++R)
        if (HotkeyTable->GetItem(R)->ItemCount() >= HotkeyCells) UnregisterHotkeyRow(R);
    HotkeyTable->Save(false);
    HotkeyTable.reset();
}

bool RegisterHotkeyRow(Integer Row, Integer Key)
{
    TRow* R = HotkeyRow(Row);
    const Word Atom = ThePlatform().FindOrAddAtom(u"Quorvan_HK_" + IntToStr(Row));
    R->GetItem(3)->SetValue(Atom);
    if (Atom == 0) return false;
    if (Key == 0) Key = IntOf(R->GetItem(2)->Text());
    if (!ThePlatform().RegisterHotKey(Atom, IntOf(R->GetItem(1)->Text()), Key)) return false;
    R->GetItem(2)->SetValue(Key);
    return true;
}

void UnregisterHotkeyRow(Integer Row)
{
    TRow* R = HotkeyRow(Row);
    const Integer Atom = IntOf(R->GetItem(3)->Text());
    if (Atom < 1 || Atom > 0xFFFF) return;
    ThePlatform().UnregisterHotKey(static_cast<Word>(Atom));
    ThePlatform().DeleteAtom(static_cast<Word>(Atom));
    R->GetItem(3)->SetValue(0);
}

void SetHotkeyEnabled(Integer Row, bool& Enabled)
{
    if (!Enabled) {
        UnregisterHotkeyRow(Row);
    } else if (!RegisterHotkeyRow(Row, 0)) {
        ThePlatform().ShowInfoMsg(GetLangText(0, 106), EditionTitle);
        Enabled = false;
    }
    HotkeyRow(Row)->GetItem(0)->SetAsBool(Enabled);
}

void SetHotkeyKey(Integer Row, Char& Key)
{
    // Letters and digits only: their character codes are their virtual keys.
    // Other characters' codes name other keys ("[" would be the Windows key).
    if (Key >= u'a' && Key <= u'z')
        Key = static_cast<Char>(Key - 32);
    else if (!((Key >= u'0' && Key <= u'9') || (Key >= u'A' && Key <= u'Z'))) {
        Key = 0;
        return;
    }
    TRow* R = HotkeyRow(Row);
    if (!R->GetItem(0)->AsBool()) {
        R->GetItem(2)->SetValue(Key);
        return;
    }
    UnregisterHotkeyRow(Row);
    if (RegisterHotkeyRow(Row, Key)) return;
    ThePlatform().ShowInfoMsg(GetLangText(0, 107), EditionTitle);
    Key = 0;
    // The slot goes back to its old key rather than staying enabled with
    // nothing registered.
    if (!RegisterHotkeyRow(Row, 0)) R->GetItem(0)->SetAsBool(false);
}

String HotkeyMenuCaption(const String& Caption, Integer Row)
{
    if (HotkeyRow(Row)->GetItem(0)->AsBool()) return Caption;
    return Caption + u"    [" + GetLangText(0, 105) + u"]";
}

Word HotkeyShortCut(Integer Row)
{
    TRow* R = HotkeyRow(Row);
    if (!R->GetItem(0)->AsBool()) return 0;
    const Integer Modifiers = IntOf(R->GetItem(1)->Text());
    Integer ShortCut = IntOf(R->GetItem(2)->Text()) & 0xFF;
    if (Modifiers & HotkeyCtrl) ShortCut += 0x4000;
    if (Modifiers & HotkeyShift) ShortCut += 0x2000;
    if (Modifiers & HotkeyAlt) ShortCut += 0x8000;
    return static_cast<Word>(ShortCut);
}
