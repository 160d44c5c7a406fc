#include "foundation/HyPresets.h"

#include <vector>

#include "foundation/Global.h"
#include "foundation/HyMediaPack.h"
#include "framework/runtime/SysUtils.h"

std::unique_ptr<TDataTable> EffectPresetTable;
std::unique_ptr<TDataTable> FramePresetTable;
std::unique_ptr<TDataTable> PropertyTable;
std::unique_ptr<TDataTable> ShadowPresetTable;
std::unique_ptr<TDataTable> ReflectPresetTable;
std::unique_ptr<TDataTable> ObjGradientTable;
std::unique_ptr<TDataTable> GradientObjTable;
std::unique_ptr<TDataTable> GradientTable;
std::unique_ptr<TDataTable> StylePresetTable;
std::unique_ptr<TDataTable> SelectionTable;
std::unique_ptr<TDataTable> TextTemplateTable;
std::unique_ptr<TDataTable> BrushTable;

const char16_t* const PropertyFileName = u"Property1.db";
const char16_t* const ShadowPresetFileName = u"ShadowPreset.db";
const char16_t* const GradientObjFileName = u"GradientObj.db";
const char16_t* const GradientFileName = u"Gradient.db";
const char16_t* const SelectionFileName = u"Selection.db";
const char16_t* const TextTemplateFileName = u"TextTemplate.db";

namespace {

// The property that holds a table's version.
constexpr Integer pVersion = 9;

// One cell of a built-in row: its index and text.
struct TCellValue {
    Integer Index;
    String Text;
    TCellValue(Integer I, Integer V) : Index(I), Text(IntToStr(V)) {}
    TCellValue(Integer I, const char16_t* V) : Index(I), Text(V) {}
    TCellValue(Integer I, String V) : Index(I), Text(std::move(V)) {}
};
using TCells = std::vector<TCellValue>;

TCells& operator+=(TCells& A, const TCells& B)
{
    A.insert(A.end(), B.begin(), B.end());
    return A;
}
TCells operator+(TCells A, const TCells& B) { return A += B; }

// Cells From..To all holding V.
TCells Range(Integer From, Integer To, Integer V)
{
    TCells R;
    for (Integer i = From; i <= To; ++i) R.emplace_back(i, V);
    return R;
}

// Appends a row of Count empty cells and sets the given ones through the
// cell's setter, so that escaped columns are escaped.
TRow* AddRow(TDataTable* T, Integer Count, const TCells& Cells)
{
    TRow* Row = T->AddItem(String(size_t(Count - 1), u','));
    for (const TCellValue& C : Cells) Row->GetItem(C.Index)->SetText(C.Text);
    return Row;
}

void SetVersion(TDataTable* T, Integer Version) { T->GetProp(pVersion)->SetValue(Version); }
Integer Version(const TDataTable* T) { return T->PropCount() > pVersion ? T->GetProp(pVersion)->Value() : 0; }

// The language text, or Fallback when the language table cannot give it.
String LangTextOr(Integer Group, Integer Index, const char16_t* Fallback)
{
    try {
        String S = GetLangText(Group, Index);
        if (!S.empty()) return S;
    } catch (const Exception&) {
    }
    return Fallback;
}

// Does every row have at least MinCells cells, and are there MinRows rows?
bool HasShape(const TDataTable* T, Integer MinRows, Integer MinCells)
{
    if (T->ItemCount() < MinRows) return false;
    for (Integer i = 0; i < T->ItemCount(); ++i)
        if (T->GetItem(i)->ItemCount() < MinCells) return false;
    return true;
}

// A persistent preset table: loaded from FileName, refilled when it has no
// rows, rebuilt when it is damaged, then upgraded. Nothing raises.
template <class TFill, class TUpgrade>
void LoadPresetTable(TDataTable* T, const String& FileName, Integer MinRows, Integer MinCells, TFill Fill,
                     TUpgrade Upgrade, const String& ReadFrom = String())
{
    try {
        T->Load(ReadFrom.empty() ? FileName : ReadFrom);
        if (T->ItemCount() == 0)
            Fill(T);
        else if (!HasShape(T, MinRows, MinCells)) {
            LogStockError(Format(u"The preset table %s is damaged; its built-in rows are used", {FileName}));
            // The built-in rows will be saved over it: the user's file is kept first.
            if (FileExists(FileName)) KeepUnreadableTableFile(FileName);
            Fill(T);
        }
        Upgrade(T);
        if (!HasShape(T, MinRows, MinCells)) throw EInvalidOperation(u"unusable after its upgrade");
    } catch (const std::exception& E) {
        const Exception* LE = dynamic_cast<const Exception*>(&E);
        LogStockError(Format(u"The preset table %s cannot be read (%s); its built-in rows are used",
                             {FileName, LE ? LE->Message() : Str(E.what())}));
        try {
            Fill(T);
            Upgrade(T);
        } catch (const std::exception&) {
            // The built-in rows always upgrade; nothing else can fail here.
        }
        // A file that could not be opened may still be good: it is not
        // overwritten with the built-in rows unless the user changes them.
        T->SetDataChanged(false);
    }
    T->SetFileName(FileName);
}

void NoUpgrade(TDataTable*) {}

std::unique_ptr<TDataTable> NewTable(const TColumnSet& ConvertSet = TColumnSet(), bool CheckBytes = false)
{
    auto T = std::make_unique<TDataTable>(String(), ConvertSet);
    T->SetIsAddVerifyCode(CheckBytes);
    return T;
}

// Starts a fill: no rows, a fresh property row of the default ten cells.
void Reset(TDataTable* T)
{
    T->Clear();
    T->SetPropCount(10);
}

// ---------------------------------------------------------------------------
// Object defaults

// Cells 70 to 99: one shadow, one reflection and one gradient record.
const TCells& EffectsBlock()
{
    static const TCells Block = TCells{{70, 45}, {71, 4}, {72, 0}, {73, 3}, {74, 0}, {75, 175}} + Range(80, 84, 0) +
                                TCells{{85, 175},
                                       {86, 66},
                                       {90, u"26367/65535/26367"},
                                       {91, u"100/100/100"},
                                       {92, u"0/0.5/1"},
                                       {95, 0},
                                       {96, 45},
                                       {99, 0}};
    return Block;
}

const TCells& NoEffects()
{
    static const TCells C = Range(27, 31, -1);
    return C;
}

TCells Plain() { return TCells{{19, 0}, {24, 0}} + NoEffects(); }
TCells Outline()
{
    return TCells{{14, 255}, {16, 255}, {18, 2}, {19, 0}, {20, -1}, {24, 0}} + NoEffects() + EffectsBlock();
}

TCells TextRow()
{
    return TCells{{16, 255},
                  {17, 0},
                  {18, 3},
                  {19, 0},
                  {24, 0},
                  {40, LangTextOr(1, 161, u"Tahoma")},
                  {41, 24},
                  {42, 255},
                  {46, 1},
                  {47, 1},
                  {50, 16711680},
                  {54, LangTextOr(1, 160, u"Text")},
                  {55, 0},
                  {56, 1}} +
           NoEffects() + EffectsBlock();
}

void AddPropertyRow(TDataTable* T, Integer Type)
{
    switch (Type) {
    case 0: case 1: case 6: case 19: case 20:
        AddRow(T, 70, Plain());
        break;
    case 2: case 3: case 5: case 10: case 15:
        AddRow(T, 100, Outline());
        break;
    case 4:
        AddRow(T, 100, Outline() + TCells{{18, 3}});
        break;
    case 7:
        AddRow(T, 70, TCells{{18, 5}, {19, 0}, {24, 0}} + NoEffects());
        break;
    case 8:
        AddRow(T, 100, TCells{{16, 255}, {19, 0}, {24, 0}} + NoEffects() + EffectsBlock());
        break;
    case 9:
        AddRow(T, 100, TextRow());
        break;
    case 11:
        AddRow(T, 70, TCells{{15, 255}, {19, 0}, {21, -1}, {24, 0}} + NoEffects());
        break;
    case 12:
        AddRow(T, 70, TCells{{15, 4259839}, {16, 255}, {19, 0}, {21, -1}, {24, 0}} + NoEffects());
        break;
    case 13:
        // The text row with the callout's colours; its cell 17 stays empty.
        AddRow(T, 100, TextRow() + TCells{{14, 901312}, {15, 8454143}, {17, u""}, {18, 2}, {20, -1}, {21, -1}});
        break;
    case 14:
        AddRow(T, 70, TCells{{16, 255}, {19, 0}, {24, 0}} + NoEffects());
        break;
    case 16:
        AddRow(T, 100,
               TCells{{14, 255}, {15, 901312}, {16, 255}, {18, 2}, {19, 0}, {20, -1}, {21, 0}, {24, 0}} + NoEffects() +
                   EffectsBlock());
        break;
    case 17:
        AddRow(T, 70, TCells{{15, 255}, {16, 255}, {18, 5}, {19, 0}, {21, -1}, {24, 0}} + NoEffects());
        break;
    case 18: case 21:
        AddRow(T, 70,
               TCells{{15, 255}, {16, 255}, {18, 35}, {19, 0}, {20, 0}, {21, -1}, {24, 0}, {40, 100}} + NoEffects());
        break;
    case 22:
        AddRow(T, 70, TCells{{16, 255}, {19, 0}, {21, -1}, {24, 0}} + NoEffects());
        break;
    }
}

// ---------------------------------------------------------------------------
// Effect presets

struct TEffectRow {
    Integer Category;
    const char16_t* Chinese;
    const char16_t* English;
    Integer Mode;  // a TEffectMode ordinal
    Integer Value;
    const char16_t* Scene;
};

const TEffectRow EffectRows[] = {
    {0, u"补光", u"Increase light", 9, 0, u""},
    {0, u"减光", u"Reduce light", 10, 0, u""},
    {0, u"单色", u"Colorize", 8, 60, u""},
    {0, u"柔化", u"Soften", 7, 3, u""},
    {0, u"模糊", u"Blur", 1, 3, u""},
    {0, u"锐化", u"Sharpen", 2, 1, u""},
    {0, u"增噪", u"Add noise", 3, 16, u""},
    {0, u"降噪", u"Denoising", 4, 5, u""},
    {1, u"LOMO", u"LOMO", 12, 0, u""},
    {1, u"旧照片", u"Old", 14, 0, u""},
    {1, u"晕影", u"Vignette", 13, 0, u""},
    {1, u"淡出", u"Fade", 15, 0, u""},
    {1, u"立体感", u"Bevel", 17, 0, u""},
    {1, u"撕裂", u"Torn", 16, 0, u""},
    {2, u"冷蓝", u"Cold Blue", 18, 100, u""},
    {2, u"冷绿", u"Cold Green", 19, 100, u""},
    {2, u"暖红", u"Warm Red", 20, 100, u""},
    {2, u"暖黄", u"Warm Yellow", 21, 100, u""},
    {2, u"淡雅", u"Elegant", 23, 100, u""},
    {2, u"冰冻", u"Freeze", 24, 0, u""},
    {2, u"调温", u"Attemperation", 25, 0, u""},
    {2, u"泛黄", u"Yellowing", 22, 100, u""},
    {3, u"日照", u"Sunshine", 27, 100, u"sunshine.jpg"},
    {3, u"阳光", u"Sunny", 28, 100, u"sunny.jpg"},
    {3, u"水珠", u"Droplet", 29, 100, u"droplet.jpg"},
    {3, u"心形", u"Heart", 32, 60, u"heart.jpg"},
    {3, u"雪花", u"Snow", 30, 100, u"snow.jpg"},
    {3, u"星空", u"Star", 31, 100, u"star.jpg"},
};

// ---------------------------------------------------------------------------
// Gradients

const char16_t* const ObjGradientRows[] = {
    u"3355443/16777215,100/100,0/1,,,0,45,,15,0",
    u"52479/10092543/16777164,100/100/100,0/0.5/1,,,0,45,,15,0",
    u"10079487/16776960/10079487,100/50/100,0/0.5/1,,,0,45,,15,0",
    u"10962245/16764057,100/100,0/0.802,,,1,45,,15,0",
    u"52479/10092543/16777215,100/100/100,0/0.652/1,,,1,45,,15,0",
    u"16542462/65535,80/40,0/1,,,1,0,,15,0",
    u"6723891/13434828,100/100,0.155/1,,,2,45,,15,0",
    u"39423/10092543,100/100,0.261/1,,,2,45,,15,0",
    u"16558444/10079487,100/62,0.312/1,,,2,45,,15,0",
};

struct TGradientRow {
    const char16_t* Colours;
    const char16_t* Opacities;
    const char16_t* Positions;
    const char16_t* Chinese;
    const char16_t* English;
};

const TGradientRow GradientRows[] = {
    {u"ForeColor/BackColor", u"100/100", u"0/1", u"前景到背景", u"Foreground to Background"},
    {u"ForeColor/BackColor", u"100/0", u"0/1", u"前景到透明", u"Foreground to Transparent"},
    {u"0/16777215", u"100/100", u"0/1", u"黑色到白色", u"Black to White"},
    {u"8388736/26367", u"100/100", u"0/1", u"紫色到橙色", u"Purple to Orange"},
    {u"16711680/255/65535", u"100/100/100", u"0/0.5/1", u"蓝色，红色，黄色", u"Blue,Red,Yellow"},
    {u"16711680/65535/16711680", u"100/100/100", u"0.15/0.5/0.85", u"蓝色，黄色，蓝色", u"Blue,Yellow,Blue"},
    {u"26367/65535/26367", u"100/100/100", u"0/0.5/1", u"橙色，黄色，橙色", u"Orange,Yellow,Orange"},
    {u"16711935/32768/26367", u"100/100/100", u"0/0.5/1", u"紫色，绿色，橙色", u"Purple,Green,Orange"},
    {u"65535/16711935/26367/16711680", u"100/100/100/100", u"0/0.33/0.66/1", u"黄色，紫色，橙色，蓝色",
     u"Yellow,Purple,Orange,Blue"},
    {u"255/16711935/16711680/16776960/65280/65535/255", u"100/100/100/100/100/100/100",
     u"0/0.16/0.34/0.52/0.69/0.85/1", u"色谱", u"Spectrum"},
    {u"255/255/255/65535/65280/16776960/16711680/16711935/16711935/16711935", u"0/79/100/100/100/100/100/100/80/0",
     u"0/0.07/0.12/0.27/0.42/0.58/0.74/0.88/0.93/1", u"透明彩虹", u"Transparent Rainbow"},
    {u"ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/"
     u"ForeColor/ForeColor/ForeColor/ForeColor",
     u"100/0/0/100/100/0/0/100/100/0/0/100/100/0",
     u"0.128/0.128/0.253/0.253/0.383/0.383/0.503/0.503/0.633/0.633/0.764/0.764/0.883/0.886", u"透明条纹",
     u"Transparent Stripes"},
};

// ---------------------------------------------------------------------------
// Style presets

struct TStyleGroup {
    Integer Type;
    std::vector<Integer> Styles;  // cell 2 for the group's presets 0, 1, 2, ...
};

const TStyleGroup StyleGroups[] = {
    {1, {0, 1}},
    {2, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
    {3, {0, 1, 3, 6, 4, 2, 7, 5, 8, 9, 10, 11}},
    {4, {0, 1, 2, 3}},
    {5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    {9, {0, 1, 4, 5, 2, 3}},
    {10, {0, 5, 1, 8, 9, 2, 3, 10, 11, 12, 6, 4, 7, 13, 14}},
    {13, {0, 1, 2, 4, 3, 5, 8, 9, 11, 6, 7, 10}},
    {15, {0, 1, 2, 3}},
};

// Cells 14, 15, 16, 18, 20, 42 and 54 of the callout styles, by preset number.
struct TCalloutStyle {
    Integer C14, C15, C16, C18, C20, C42;
    const char16_t* C54;
};
const TCalloutStyle CalloutStyles[] = {
    {901312, 8454143, 255, 1, -1, 255, u"Ab"},      {5734655, 11467515, 255, 2, -1, 255, u"Ab"},
    {14470546, 16777215, 255, 2, -1, 255, u"Ab"},   {8767365, 16777215, 255, 2, -1, 255, u"Ab"},
    {617699, 6750207, 255, 2, -1, 255, u""},        {8767365, 255, 255, 2, 0, 6750207, u"Ab"},
    {967865, 16777215, 255, 2, -1, 255, u"Ab"},     {8128233, 16777215, 255, 2, -1, 255, u"Ab"},
    {8128233, 104959, 255, 2, 0, 16777215, u"Ab"},  {8767365, 14270346, 255, 2, 0, 6750207, u""},
    {8767365, 14270346, 255, 2, 0, 6750207, u""},   {8767365, 23260, 23260, 2, 0, 6750207, u"Ab"},
};

TCells StyleCells(Integer Type, Integer Number, Integer& Count)
{
    const TCells Shape = {{14, 255}, {16, 255}, {17, 0}, {18, 2}, {19, 0}, {21, -1}};
    const TCells Text = TCells{{14, 255}, {16, 255}, {17, 0}, {18, 2}, {19, 0}, {20, -1}, {24, 0}} + NoEffects() +
                        TCells{{40, u"Tahoma"}, {41, 18}, {42, 255}, {46, 1}, {47, 1}, {54, u"Ab"}};
    switch (Type) {
    case 1: case 2: case 5:
        Count = 26;
        return Shape + TCells{{25, 0}};
    case 3: case 10: case 15:
        Count = 32;
        return Shape + TCells{{26, 0}};
    case 4:
        Count = 31;
        return TCells{{14, 255}, {16, 255}, {17, 0}, {18, 5}, {19, 0}, {21, -1}};
    case 9:
        Count = 57;
        return Text;
    default: {  // 13, the callouts
        Count = 57;
        const TCalloutStyle& S = CalloutStyles[Number];
        return Text + TCells{{14, S.C14}, {15, S.C15}, {16, S.C16}, {18, S.C18}, {20, S.C20}, {21, -1},
                             {42, S.C42}, {54, S.C54}};
    }
    }
}

}  // namespace

// ---------------------------------------------------------------------------

String OldShadowPresetFileName() { return TempFolder + u"shadow00" + IntToStr(EditionCode) + u".tmp"; }

void FillEffectPresets(TDataTable* T)
{
    T->BeginUpdate();
    Reset(T);
    T->GetProp(0)->SetText(u"基本.风格.色彩.场景");
    T->GetProp(2)->SetText(u" Basic.Stylized.Color.Scene");
    T->GetProp(9)->SetAsBool(true);
    for (const TEffectRow& R : EffectRows)
        AddRow(T, 17,
               {{0, 0}, {1, R.Category}, {2, R.Chinese}, {4, R.English}, {5, R.Mode}, {10, R.Value}, {14, R.Scene}});
    T->EndUpdate(cmTableInit);
}

void FillPropertyDefaults(TDataTable* T)
{
    T->BeginUpdate();
    Reset(T);
    for (Integer Type = 0; Type <= 21; ++Type) AddPropertyRow(T, Type);
    SetVersion(T, 10);
    T->EndUpdate(cmTableInit);
}

void UpgradePropertyTable(TDataTable* T)
{
    if (Version(T) < 12) {
        for (Integer i = 0; i < T->ItemCount(); ++i)
            if (T->GetItem(i)->ItemCount() > 70) T->GetItem(i)->GetItem(98)->SetValue(15);
        for (Integer Index : {9, 13}) {
            TRow* Row = T->GetItem(Index);
            Row->GetItem(59)->SetValue(-1);
            Row->GetItem(60)->SetText(u"26367/65535/26367");
            Row->GetItem(61)->SetText(u"100/100/100");
            Row->GetItem(62)->SetText(u"0/0.5/1");
            Row->GetItem(64)->SetValue(45);
            Row->GetItem(65)->SetValue(15);
        }
        SetVersion(T, 12);
    }
    if (Version(T) < 13) {
        AddPropertyRow(T, 22);
        for (Integer i = 0; i < T->ItemCount(); ++i) {
            TRow* Row = T->GetItem(i);
            if (Row->ItemCount() <= 70) continue;
            Row->GetItem(87)->SetValue(3);
            Row->GetItem(88)->SetValue(255);
            Row->GetItem(89)->SetValue(65535);
        }
        SetVersion(T, 13);
    }
}

void FillShadowPresets(TDataTable* T)
{
    T->BeginUpdate();
    Reset(T);
    SetVersion(T, 10);
    for (const char16_t* Row : {u"45,4,0,3,0,175,,,,", u"135,4,0,3,0,175,,,,", u"225,4,0,3,0,175,,,,",
                                u"315,4,0,3,0,175,,,,", u"45,0,3,10,0,200,,,,", u"45,0,8,20,0,255,,,,"})
        T->AddItem(Row);
    T->EndUpdate(cmTableInit);
}

void FillReflectPresets(TDataTable* T)
{
    T->BeginUpdate();
    Reset(T);
    for (const char16_t* Row : {u"0,0,0,0,0,175,50,,,", u"0,0,0,0,0,175,60,,,", u"0,0,0,0,0,175,75,,,",
                                u"0,0,0,0,0,175,90,,,", u"0,0,0,2,0,175,60,,,", u"0,0,0,2,0,175,75,,,"})
        T->AddItem(Row);
    T->EndUpdate(cmTableInit);
}

void FillObjGradients(TDataTable* T)
{
    T->BeginUpdate();
    Reset(T);
    for (const char16_t* Row : ObjGradientRows) T->AddItem(Row);
    T->EndUpdate(cmTableInit);
}

void FillGradientObjPresets(TDataTable* T)
{
    T->BeginUpdate();
    Reset(T);
    // The colour, opacity and position lists of object gradients 0 to 7, an
    // orange one, then those of object gradient 8.
    auto Add = [T](const String& Lists) {
        TRow Parts;
        Parts.Init(Lists, u',');
        AddRow(T, 20, {{1, Parts.GetItem(0)->Text()}, {2, Parts.GetItem(1)->Text()}, {3, Parts.GetItem(2)->Text()}});
    };
    for (Integer i = 0; i <= 7; ++i) Add(ObjGradientRows[i]);
    Add(u"26367/65535/26367,100/100/100,0/0.5/1");
    Add(ObjGradientRows[8]);
    T->EndUpdate(cmTableInit);
}

void FillGradientPresets(TDataTable* T)
{
    T->BeginUpdate();
    Reset(T);
    SetVersion(T, 10);
    T->GetProp(1)->SetValue(0);
    T->GetProp(2)->SetValue(0);
    for (const TGradientRow& R : GradientRows)
        AddRow(T, 20, {{1, R.Colours}, {2, R.Opacities}, {3, R.Positions}, {10, R.Chinese}, {12, R.English}});
    T->EndUpdate(cmTableInit);
}

void FillStylePresets(TDataTable* T)
{
    T->BeginUpdate();
    Reset(T);
    for (const TStyleGroup& G : StyleGroups)
        for (Integer Number = 0; Number < Integer(G.Styles.size()); ++Number) {
            Integer Count = 0;
            const TCells Cells = StyleCells(G.Type, Number, Count);
            AddRow(T, Count, TCells{{0, Number}, {1, G.Type}, {2, G.Styles[size_t(Number)]}} + Cells);
        }
    T->EndUpdate(cmTableInit);
}

void FillSelections(TDataTable* T)
{
    T->BeginUpdate();
    Reset(T);
    SetVersion(T, 10);
    T->Init(12, 20);
    for (Integer i = 1; i <= 4; ++i) T->GetItem(i)->GetItem(0)->SetAsBool(true);
    T->EndUpdate(cmTableInit);
}

void UpgradeSelectionTable(TDataTable* T)
{
    if (Version(T) < 11) {
        T->GetItem(5)->GetItem(2)->SetAsBool(true);
        SetVersion(T, 11);
    }
}

void FillTextTemplates(TDataTable* T)
{
    T->BeginUpdate();
    Reset(T);
    for (Integer i = 0; i < 5; ++i) T->AddItem(u",,,,,,,,,,,,,,,,,,,");
    T->EndUpdate(cmTableInit);
}

void InitEffectFrameTables()
{
    EffectPresetTable = NewTable();
    LoadEffectsPack(EffectPresetTable.get());
    if (EffectPresetTable->ItemCount() == 0) FillEffectPresets(EffectPresetTable.get());

    FramePresetTable = NewTable();
    FramePresetTable->GetProp(0)->SetText(u"填充.描边.图案.边饰");
    FramePresetTable->GetProp(2)->SetText(u" Pad . Band.Pattern. Edge");

    BrushTable = NewTable();
    LoadBrushPack(BrushTable.get());
}

void InitPropertyTables()
{
    PropertyTable = NewTable(TColumnSet(), true);
    LoadPresetTable(
        PropertyTable.get(), DataFolder + PropertyFileName, PropertyTableRows - 1, 70, FillPropertyDefaults,
        [](TDataTable* T) {
            // A table that claims the last version but lacks its last row
            // cannot be indexed by object type.
            if (Version(T) >= PropertyTableVersion && T->ItemCount() < PropertyTableRows)
                throw EInvalidOperation(u"rows missing");
            UpgradePropertyTable(T);
        });

    // The shadow presets live in the data folder; older versions kept them in
    // the temporary folder, read here once.
    ShadowPresetTable = NewTable(TColumnSet(), true);
    const String ShadowFile = DataFolder + ShadowPresetFileName;
    const bool Import = !FileExists(ShadowFile) && FileExists(OldShadowPresetFileName());
    LoadPresetTable(ShadowPresetTable.get(), ShadowFile, 1, 7, FillShadowPresets, NoUpgrade,
                    Import ? OldShadowPresetFileName() : String());
    if (Import) {
        try {
            ShadowPresetTable->SaveAs(ShadowFile);
        } catch (const Exception& E) {
            // Saved when the program closes, if the folder can be written then.
            ShadowPresetTable->SetDataChanged(true);
            LogStockError(Format(u"The shadow presets cannot be written to %s: %s", {ShadowFile, E.Message()}));
        }
    }

    ReflectPresetTable = NewTable();
    FillReflectPresets(ReflectPresetTable.get());
    ObjGradientTable = NewTable();
    FillObjGradients(ObjGradientTable.get());

    GradientObjTable = NewTable(ColumnRange(10, 19), true);
    LoadPresetTable(GradientObjTable.get(), DataFolder + GradientObjFileName, 1, 4, FillGradientObjPresets,
                    NoUpgrade);
    GradientTable = NewTable(ColumnRange(10, 19), true);
    LoadPresetTable(GradientTable.get(), DataFolder + GradientFileName, 1, 13, FillGradientPresets, NoUpgrade);

    StylePresetTable = NewTable();
    FillStylePresets(StylePresetTable.get());

    SelectionTable = NewTable(TColumnSet(), true);
    LoadPresetTable(SelectionTable.get(), DataFolder + SelectionFileName, 12, 20, FillSelections,
                    UpgradeSelectionTable);
    TextTemplateTable = NewTable(TColumnSet(), true);
    LoadPresetTable(TextTemplateTable.get(), DataFolder + TextTemplateFileName, 1, 20, FillTextTemplates, NoUpgrade);
}

void DonePresetTables()
{
    for (auto* T : {&EffectPresetTable, &FramePresetTable, &PropertyTable, &ShadowPresetTable, &ReflectPresetTable,
                    &ObjGradientTable, &GradientObjTable, &GradientTable, &StylePresetTable, &SelectionTable,
                    &TextTemplateTable, &BrushTable})
        T->reset();
}
