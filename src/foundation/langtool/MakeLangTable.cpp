// MakeLangTable TEXTS OUTPUT
//
// Reads the interface texts (UTF-8, one text per line: group, index, Chinese
// text, English text, separated by tabs; "\n", "\t" and "\\" stand for a line
// break, a tab and a backslash; empty lines and lines starting with "#" are
// skipped) and writes the language table the program carries as its RCDATA
// resource "DbLang": columns 0 (Chinese) and 2 (English) escaped and keeping
// line breaks, the group sizes in the property row, enciphered in the salted
// stream format under the empty key, without check bytes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "foundation/HyCrypUtils.h"
#include "foundation/HyDataTable.h"

namespace {

// Each group holds at least one row more than the highest index the program
// asks for; a group grows when the texts go beyond it.
const Integer MinGroupSizes[] = {198, 401, 93, 95, 29, 44, 100, 68};
constexpr Integer GroupCount = 8;

struct TText {
    String Chinese, English;
};

[[noreturn]] void Fail(const String& Where, const String& Message)
{
    std::fprintf(stderr, "MakeLangTable: %s: %s\n", UTF8Encode(Where).c_str(), UTF8Encode(Message).c_str());
    std::exit(1);
}

String Unescape(const String& S, const String& Where)
{
    String R;
    for (size_t I = 0; I < S.size(); ++I) {
        if (S[I] != u'\\') {
            R += S[I];
            continue;
        }
        if (++I == S.size()) Fail(Where, u"a text ends with a lone backslash");
        switch (S[I]) {
            case u'n': R += u'\n'; break;
            case u't': R += u'\t'; break;
            case u'\\': R += u'\\'; break;
            default: Fail(Where, u"unknown escape \\" + String(1, S[I]));
        }
    }
    return R;
}

std::vector<String> Split(const String& S, Char Sep)
{
    std::vector<String> Parts;
    size_t Start = 0;
    for (;;) {
        size_t Stop = S.find(Sep, Start);
        Parts.push_back(S.substr(Start, Stop == String::npos ? String::npos : Stop - Start));
        if (Stop == String::npos) return Parts;
        Start = Stop + 1;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeLangTable TEXTS OUTPUT\n");
        return 2;
    }
    const String Source = Str(argv[1]), Output = Str(argv[2]);
    try {
        TMemoryStream File;
        File.LoadFromFile(Source);
        const String Text = UTF8ToString(
            UTF8String(static_cast<const char*>(File.Memory()), static_cast<size_t>(File.Size())));
        if (Text.find(u'\uFFFD') != String::npos) Fail(Source, u"the file is not valid UTF-8");

        std::map<std::pair<Integer, Integer>, TText> Texts;
        std::vector<Integer> Sizes(MinGroupSizes, MinGroupSizes + GroupCount);
        Integer LineNo = 0;
        for (String Line : Split(Text, u'\n')) {
            ++LineNo;
            const String Where = Source + u":" + IntToStr(LineNo);
            if (!Line.empty() && Line.back() == u'\r') Line.pop_back();
            if (Line.empty() || Line[0] == u'#') continue;
            std::vector<String> Fields = Split(Line, u'\t');
            if (Fields.size() != 4) Fail(Where, u"expected group, index, Chinese and English text separated by tabs");
            Integer Group, Index;
            if (!TryStrToInt(Fields[0], Group) || Group < 0 || Group >= GroupCount)
                Fail(Where, u"the group is not a number from 0 to 7");
            if (!TryStrToInt(Fields[1], Index) || Index < 0) Fail(Where, u"the index is not a number");
            TText T{Unescape(Fields[2], Where), Unescape(Fields[3], Where)};
            if (T.Chinese.empty() != T.English.empty()) Fail(Where, u"a text must be given in both languages");
            if (!Texts.emplace(std::make_pair(Group, Index), T).second)
                Fail(Where, Format(u"(%d, %d) is given twice", {Group, Index}));
            Sizes[static_cast<size_t>(Group)] = std::max(Sizes[static_cast<size_t>(Group)], Index + 1);
        }

        TDataTable Table(String(), ColumnRange(0, 9));
        Table.SetReserveLFSet(ColumnRange(0, 9));
        Table.SetIOMode(2);
        Table.SetPropCount(GroupCount);
        for (Integer G = 0; G < GroupCount; ++G) {
            Table.GetProp(G)->SetValue(Sizes[static_cast<size_t>(G)]);
            for (Integer I = 0; I < Sizes[static_cast<size_t>(G)]; ++I) {
                // Filled after it is added, so that the cells are escaped.
                TRow* Row = Table.AddItem(u",,");
                auto It = Texts.find({G, I});
                if (It == Texts.end()) continue;
                Row->GetItem(0)->SetText(It->second.Chinese);
                Row->GetItem(2)->SetText(It->second.English);
            }
        }
        // The same texts give the same bytes in every build.
        uint32_t Seed = 2166136261u;  // FNV-1a over the source
        for (Char C : Text) Seed = (Seed ^ C) * 16777619u;
        SeedSalts(Seed);
        Table.SaveAs(Output);
    } catch (const Exception& E) {
        Fail(Source, E.Message());
    }
    return 0;
}
