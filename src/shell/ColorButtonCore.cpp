#include "shell/ColorButtonCore.h"

#include "framework/runtime/SysUtils.h"

namespace ColorButtons {

TsfCustomColors ParseCustomColors(const String& Cell)
{
    TsfCustomColors Colors;
    if (Cell.empty()) return Colors;
    std::array<TColor, sfCustomColorCount> Values{};
    Integer Count = 0;
    size_t Start = 0;
    while (Count < sfCustomColorCount) {
        const size_t Dot = Cell.find(u'.', Start);
        const String Part = Cell.substr(Start, Dot == String::npos ? String::npos : Dot - Start);
        Integer V = 0;
        // A damaged cell offers nothing rather than black swatches.
        if (!TryStrToInt(Part, V)) return TsfCustomColors();
        Values[static_cast<size_t>(Count++)] = V;
        if (Dot == String::npos) break;
        Start = Dot + 1;
    }
    Colors.Set(Values, Count);
    return Colors;
}

String JoinCustomColors(const TsfCustomColors& Colors)
{
    String Text;
    for (Integer I = 0; I < Colors.Count; ++I) {
        if (I > 0) Text += u'.';
        Text += IntToStr(Colors.Values[static_cast<size_t>(I)]);
    }
    return Text;
}

namespace {

// The colour and on/off properties a button previews.
struct TButtonProps {
    const char16_t* Button;
    const char16_t* Color;
    const char16_t* Flag;  // nullptr: the button has no on/off flag
};
constexpr TButtonProps Props[] = {
    {u"clColor", u"Color", u"IsOutline"},
    {u"clFillColor", u"FillColor", u"IsFill"},
    {u"clFontColor", u"FontColor", nullptr},
    {u"clFontStrokeColor", u"FontStrokeColor", nullptr},
};

const TButtonProps* PropsOf(const String& Name)
{
    for (const TButtonProps& P : Props)
        if (Name == P.Button) return &P;
    return nullptr;
}

}  // namespace

TChanges HoverChanges(const String& ButtonName, TColor Color, Integer Index)
{
    if (Color == 0 && Index > 10) return {};
    const TButtonProps* P = PropsOf(ButtonName);
    if (!P) return {};
    if (!P->Flag) return {{P->Color, Color, true}};
    TChanges Changes;
    if (Index > 0) Changes.push_back({P->Color, Color, false});
    Changes.push_back({P->Flag, Index > 0 ? -1 : 0, true});
    return Changes;
}

TChanges TrackChanges(const String& ButtonName, TColor Color)
{
    const TButtonProps* P = PropsOf(ButtonName);
    if (!P) return {};
    return {{P->Color, Color, true}};
}

TChanges RestoreChanges(const String& ButtonName, TColor Color, bool DrawMarker)
{
    const TButtonProps* P = PropsOf(ButtonName);
    if (!P) return {};
    if (!P->Flag) return {{P->Color, Color, true}};
    return {{P->Color, Color, false}, {P->Flag, DrawMarker ? -1 : 0, true}};
}

}  // namespace ColorButtons
