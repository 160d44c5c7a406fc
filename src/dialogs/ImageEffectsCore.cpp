#include "dialogs/ImageEffectsCore.h"

#include <algorithm>

#include "filters/Ras32_BlendModes.h"
#include "foundation/HyDataTable.h"

namespace {
TEffectsSlider Fixed(const char16_t* Chinese, const char16_t* English, Integer Min, Integer Max, Integer Value)
{
    return {true, Chinese, English, Min, Max, Value, -1};
}

TEffectsSlider Kept(const char16_t* Chinese, const char16_t* English, Integer Min, Integer Max, Integer Cell)
{
    return {true, Chinese, English, Min, Max, 0, Cell};
}

bool HasCell(const TRow& Row, Integer Cell) { return Cell >= 0 && Cell < Row.ItemCount(); }
}  // namespace

TEffectsSetup EffectsSetupFor(TEffectMode Mode)
{
    TEffectsSetup S;
    auto& V = S.Sliders;
    switch (Mode) {
        case emMonochrome:
            V[0] = Fixed(u"强度:", u"Intensity:", 0, 100, 100);
            V[1] = Kept(u"色调:", u"Color:", 0, 360, 0);
            S.Hue = true;
            break;
        case emLomo:
            V[0] = Fixed(u"暗角范围:", u"Dark Range:", 10, 100, 80);
            V[1] = Fixed(u"噪点数量:", u"Noise:", 0, 100, 15);
            V[2] = Fixed(u"对比加强:", u"Contrast:", 0, 100, 50);
            V[3] = Fixed(u"色调:", u"Hue:", 0, 360, 25);
            S.Hue = true;
            break;
        case emGlow:
            V[0] = Fixed(u"晕影大小:", u"Range:", 5, 100, 80);
            V[1] = Fixed(u"晕影强度:", u"Intensity:", 0, 100, 70);
            S.Color = true;
            S.FixedColor = 0xFFFFFF;
            break;
        case emOldPhoto:
            V[0] = Fixed(u"程度:", u"Level:", 0, 100, 60);
            V[1] = Fixed(u"噪点:", u"Noise:", 0, 100, 40);
            break;
        case emElegant:
            V[0] = Fixed(u"强度:", u"Intensity:", 0, 100, 80);
            V[1] = Fixed(u"饱和度:", u"Saturation:", 0, 100, 80);
            break;
        case emBlendMode:
            V[0] = Kept(u"不透明度:", u"Opacity:", 0, 100, 46);
            S.Color = true;
            S.ColorCell = 47;
            S.BlendMode = true;
            S.BlendModeCell = 48;
            break;
        default: V[0].Shown = true; break;
    }
    return S;
}

String EffectsName(const char16_t* Chinese, const char16_t* English, Integer LangColumn)
{
    return LangColumn == 0 ? String(Chinese) : String(English);
}

String EffectsColorName(Integer LangColumn) { return EffectsName(u"颜色:", u"Color:", LangColumn); }
String EffectsBlendModeName(Integer LangColumn) { return EffectsName(u"混合模式:", u"BlendMode:", LangColumn); }

TEffectsValues EffectsValuesFrom(const TEffectsSetup& Setup, const TRow& Settings)
{
    TEffectsValues V;
    for (Integer i = 0; i < 4; ++i) {
        const TEffectsSlider& S = Setup.Sliders[i];
        if (!S.Shown) continue;
        const Integer Initial = HasCell(Settings, S.KeptCell) ? Settings.GetItem(S.KeptCell)->Value() : S.Fixed;
        V.Values[i] = std::clamp(Initial, S.Min, S.Max);
    }
    V.Color = HasCell(Settings, Setup.ColorCell) ? static_cast<TColor>(Settings.GetItem(Setup.ColorCell)->Value())
                                                 : Setup.FixedColor;
    if (HasCell(Settings, Setup.BlendModeCell)) {
        const Integer Mode = Settings.GetItem(Setup.BlendModeCell)->Value();
        V.BlendMode = Mode >= 0 && Mode < BlendModeCount ? Mode : 0;
    }
    return V;
}

void StoreEffectsValues(const TEffectsSetup& Setup, const TEffectsValues& Values, TRow& Settings)
{
    for (Integer i = 0; i < 4; ++i) {
        const TEffectsSlider& S = Setup.Sliders[i];
        if (S.Shown && HasCell(Settings, S.KeptCell)) Settings.GetItem(S.KeptCell)->SetValue(Values.Values[i]);
    }
    if (HasCell(Settings, Setup.ColorCell)) Settings.GetItem(Setup.ColorCell)->SetValue(static_cast<Integer>(Values.Color));
    if (HasCell(Settings, Setup.BlendModeCell)) Settings.GetItem(Setup.BlendModeCell)->SetValue(Values.BlendMode);
}

TEffectsLayout EffectsLayoutFor(const TEffectsSetup& Setup, Integer BoxTop)
{
    TEffectsLayout L;
    // Rows 1 and 2 always take their room, row 2 shown or not.
    L.RowsHeight = 2 * EffectsRowHeight;
    for (bool Shown : {Setup.Sliders[2].Shown, Setup.Sliders[3].Shown, Setup.Color, Setup.BlendMode})
        if (Shown) L.RowsHeight += EffectsRowHeight;
    if (Setup.Hue) L.RowsHeight += EffectsHueHeight;
    L.BoxHeight = std::max(L.RowsHeight + 8, EffectsMinBoxHeight);
    L.PanelHeight = L.BoxHeight - 4;
    L.FormHeight = BoxTop + L.BoxHeight + 32;
    return L;
}
