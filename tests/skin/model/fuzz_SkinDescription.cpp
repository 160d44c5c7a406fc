// Fuzz target of the skin description reader: an INI text whose list sections
// name descriptions by kind word, every description (and the window
// descriptions and colours) read from its section; then what the writers make
// of them must read back into descriptions that write the same text again.
// A libFuzzer program in a clang build (LM_FUZZ), replayed over its corpus in
// the host build (lm_fuzz).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skin/model/SFControlData.h"
#include "skin/model/SFObjectData.h"
#include "skin/model/SFWindowData.h"

namespace {

struct TDescriptions {
    std::vector<std::unique_ptr<TsfDataSkinObject>> Objects;
    std::vector<std::unique_ptr<TsfDataSkinControl>> Controls;
    TsfDataSkinPopupWindow PopupWindow;
    TsfDataSkinLayerFrame LayerFrame;
    TsfDataSkinHintWindow HintWindow;
    TsfSkinColors Colors;
};

// A malformed rectangle or point stops one reader; the next one goes on.
template <class F>
void Read(F&& Reader)
{
    try {
        Reader();
    } catch (const EConvertError&) {
    }
}

// Entries "IDName:kind" of a list section, split at the first ":".
template <class D, class Create>
void ReadList(const TCustomIniFile* Ini, const String& Section, Create&& Make, std::vector<std::unique_ptr<D>>& Out)
{
    TStringList entries;
    ReadIndexedList(Ini, Section, u"", &entries);
    for (Integer i = 0; i < entries.Count(); ++i) {
        const String e = entries[i];
        const size_t colon = e.find(u':');
        if (colon == String::npos) continue;
        if (auto d = Make(e.substr(colon + 1), e.substr(0, colon))) Out.push_back(std::move(d));
    }
}

void ReadAll(const TCustomIniFile* Ini, TDescriptions& D)
{
    Read([&] { D.PopupWindow.LoadFromFile(Ini); });
    Read([&] { D.LayerFrame.LoadFromFile(Ini); });
    Read([&] { D.HintWindow.LoadFromFile(Ini); });
    Read([&] { D.Colors.LoadFromFile(Ini); });
    for (auto& o : D.Objects) Read([&] { o->LoadFromFile(Ini); });
    for (auto& c : D.Controls) Read([&] { c->LoadFromFile(Ini); });
}

String WriteAll(const TDescriptions& D)
{
    TMemIniFile out(u"");
    D.PopupWindow.SaveToFile(&out);
    D.LayerFrame.SaveToFile(&out);
    D.HintWindow.SaveToFile(&out);
    D.Colors.SaveToFile(&out);
    for (auto& o : D.Objects) o->SaveToFile(&out);
    for (auto& c : D.Controls) c->SaveToFile(&out);
    TStringList lines;
    out.GetStrings(&lines);
    return lines.Text();
}

// The same kinds and names, read afresh from Ini.
void ReadAgain(const TDescriptions& From, const TCustomIniFile* Ini, TDescriptions& D)
{
    for (auto& o : From.Objects) D.Objects.push_back(CreateSkinObjectData(SkinObjectKind(o.get()), o->IDName));
    for (auto& c : From.Controls) D.Controls.push_back(CreateSkinControlData(SkinControlKind(c.get()), c->IDName));
    ReadAll(Ini, D);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TStringStream src{RawByteString(reinterpret_cast<const char*>(Data), Size)};
    TStringList lines;
    lines.LoadFromStream(&src);
    TMemIniFile ini(u"");
    ini.SetStrings(&lines);
    IsSkinIniFile(&ini);

    TDescriptions first;
    ReadList(&ini, u"SKINOBJECTS", CreateSkinObjectData, first.Objects);
    ReadList(&ini, u"SKINCONTROLS", CreateSkinControlData, first.Controls);
    ReadAll(&ini, first);
    const String written = WriteAll(first);

    TMemIniFile again(u"");
    again.SetText(written);
    TDescriptions second;
    ReadAgain(first, &again, second);
    if (WriteAll(second) != written) std::abort();
    return 0;
}
