#include "dialogs/ShadowReflect.h"

#include <algorithm>
#include <cmath>

#include "document/ImageText.h"
#include "document/ImgShape.h"

namespace {

Integer RoundEven(Extended V) { return static_cast<Integer>(std::nearbyint(V)); }

Integer Cell(const TRow& Row, Integer Index, Integer Default)
{
    return Index < Row.ItemCount() ? Row.GetItem(Index)->Value() : Default;
}

void Grow(TRow& Row, Integer Index)
{
    while (Row.ItemCount() <= Index) Row.AddItem(String());
}

void Put(TRow& Row, Integer Index, Integer Value)
{
    Grow(Row, Index);
    Row.GetItem(Index)->SetValue(Value);
}

}  // namespace

Integer OpacityToPercent(Integer Stored) { return RoundEven(std::clamp(Stored, 0, 255) / 255.0 * 100.0); }

Integer PercentToOpacity(Integer Percent) { return RoundEven(std::clamp(Percent, 0, 100) * 255.0 / 100.0); }

TShadowValues ShadowValuesOf(const TImgShape& S)
{
    TShadowValues V;
    V.Enabled = S.ShadowMode() >= 0;
    V.Inner = S.ShadowInner();
    V.Color = S.ShadowColor();
    V.Angle = S.ShadowAngle();
    V.Distance = S.ShadowDistance();
    V.Zoom = S.ShadowZoomValue();
    V.Blur = S.ShadowBlurSize();
    V.OpacityPercent = OpacityToPercent(S.ShadowOpacity());
    return V;
}

TShadowValues ShadowValuesOf(const TRow& R)
{
    TShadowValues V;
    V.Enabled = Cell(R, ShadowCell::Mode, -1) >= 0;
    V.Inner = Cell(R, ShadowCell::Inner, 0) != 0;
    V.Color = Cell(R, ShadowCell::Color, 0);
    V.Angle = Cell(R, ShadowCell::Angle, 45);
    V.Distance = Cell(R, ShadowCell::Distance, 5);
    V.Zoom = Cell(R, ShadowCell::Zoom, 0);
    V.Blur = Cell(R, ShadowCell::Blur, 3);
    V.OpacityPercent = OpacityToPercent(Cell(R, ShadowCell::Opacity, 175));
    return V;
}

TReflectValues ReflectValuesOf(const TImgShape& S)
{
    TReflectValues V;
    V.Enabled = S.ReflectMode() >= 0;
    V.Distance = S.ReflectDistance();
    V.Blur = S.ReflectBlurSize();
    V.OpacityPercent = OpacityToPercent(S.ReflectOpacity());
    V.Height = S.ReflectHeight();
    return V;
}

TReflectValues ReflectValuesOf(const TRow& R)
{
    TReflectValues V;
    V.Enabled = Cell(R, ReflectCell::Mode, -1) >= 0;
    V.Distance = Cell(R, ReflectCell::Distance, 0);
    V.Blur = Cell(R, ReflectCell::Blur, 0);
    V.OpacityPercent = OpacityToPercent(Cell(R, ReflectCell::Opacity, 175));
    V.Height = Cell(R, ReflectCell::Height, 50);
    return V;
}

void ApplyShadow(TImgShape& S, const TShadowValues& V)
{
    S.SetShadowMode(V.Enabled ? 0 : -1);
    S.SetShadowColor(V.Color);
    S.SetShadowAngle(V.Angle);
    S.SetShadowDistance(V.Distance);
    S.SetShadowBlurSize(V.Blur);
    S.SetShadowZoomValue(V.Zoom);
    S.SetShadowOpacity(PercentToOpacity(V.OpacityPercent));
    S.SetChanged2(true);
}

void ApplyReflect(TImgShape& S, const TReflectValues& V)
{
    S.SetReflectMode(V.Enabled ? 0 : -1);
    S.SetReflectDistance(V.Distance);
    S.SetReflectOpacity(PercentToOpacity(V.OpacityPercent));
    S.SetReflectBlurSize(V.Blur);
    S.SetReflectHeight(V.Height);
    S.SetChanged2(true);
}

void StoreShadow(TRow& R, const TShadowValues& V)
{
    Put(R, ShadowCell::Mode, V.Enabled ? 0 : -1);
    Grow(R, ShadowCell::Inner);
    R.GetItem(ShadowCell::Inner)->SetAsBool(V.Inner);
    Put(R, ShadowCell::Color, V.Color);
    Put(R, ShadowCell::Angle, V.Angle);
    Put(R, ShadowCell::Opacity, PercentToOpacity(V.OpacityPercent));
    Put(R, ShadowCell::Distance, V.Distance);
    Put(R, ShadowCell::Zoom, V.Zoom);
    Put(R, ShadowCell::Blur, V.Blur);
}

void StoreReflect(TRow& R, const TReflectValues& V)
{
    Put(R, ReflectCell::Mode, V.Enabled ? 0 : -1);
    Put(R, ReflectCell::Distance, V.Distance);
    Put(R, ReflectCell::Opacity, PercentToOpacity(V.OpacityPercent));
    Put(R, ReflectCell::Blur, V.Blur);
    Put(R, ReflectCell::Height, V.Height);
}

TShadowFields KeepShadow(const TImgShape& S)
{
    return {S.ShadowMode(), S.ShadowAngle(), S.ShadowDistance(), S.ShadowZoomValue(),
            S.ShadowOpacity(), S.ShadowBlurSize(), S.ShadowColor()};
}

void RestoreShadow(TImgShape& S, const TShadowFields& F)
{
    S.SetShadowMode(F.Mode);
    S.SetShadowAngle(F.Angle);
    S.SetShadowDistance(F.Distance);
    S.SetShadowZoomValue(F.Zoom);
    S.SetShadowOpacity(F.Opacity);
    S.SetShadowBlurSize(F.Blur);
    S.SetShadowColor(F.Color);
    S.SetChanged2(true);
}

TReflectFields KeepReflect(const TImgShape& S)
{
    return {S.ReflectMode(), S.ReflectDistance(), S.ReflectOpacity(), S.ReflectBlurSize(), S.ReflectHeight()};
}

void RestoreReflect(TImgShape& S, const TReflectFields& F)
{
    S.SetReflectMode(F.Mode);
    S.SetReflectDistance(F.Distance);
    S.SetReflectOpacity(F.Opacity);
    S.SetReflectBlurSize(F.Blur);
    S.SetReflectHeight(F.Height);
    S.SetChanged2(true);
}

TGradientFields KeepGradient(const TImgShape& S, bool IsText)
{
    TGradientFields F;
    if (IsText) {
        const auto* T = dynamic_cast<const TImgText*>(&S);
        if (!T) return F;
        F.Mode = T->TextGradientMode();
        F.Colors = T->TextGradientColor();
        F.Opacities = T->TextGradientOpacity();
        F.Positions = T->TextGradientPosition();
        F.FillMode = T->TextGradientFillMode();
        F.Angle = T->TextGradientLinearAngle();
        F.Texture = T->TextGradientTextureFileName();
        F.EdgingWidth = T->TextGradientEdgingWidth();
        F.Gamma = T->TextGradientGammaCorrected();
        return F;
    }
    F.Mode = S.GradientMode();
    F.Colors = S.GradientColor();
    F.Opacities = S.GradientOpacity();
    F.Positions = S.GradientPosition();
    F.FillMode = S.GradientFillMode();
    F.Angle = S.GradientLinearAngle();
    F.Texture = S.GradientTextureFileName();
    F.EdgingWidth = S.GradientEdgingWidth();
    F.HatchMode = S.GradientHatchMode();
    F.HatchFore = S.GradientHatchForeColor();
    F.HatchBack = S.GradientHatchBackColor();
    F.Gamma = S.GradientGammaCorrected();
    return F;
}

void RestoreGradient(TImgShape& S, const TGradientFields& F, bool IsText)
{
    if (IsText) {
        auto* T = dynamic_cast<TImgText*>(&S);
        if (!T) return;
        T->SetTextGradientMode(F.Mode);
        T->SetTextGradientColor(F.Colors);
        T->SetTextGradientOpacity(F.Opacities);
        T->SetTextGradientPosition(F.Positions);
        T->SetTextGradientFillMode(F.FillMode);
        T->SetTextGradientLinearAngle(F.Angle);
        T->SetTextGradientTextureFileName(F.Texture);
        T->SetTextGradientEdgingWidth(F.EdgingWidth);
        T->SetTextGradientGammaCorrected(F.Gamma);
    } else {
        S.SetGradientMode(F.Mode);
        S.SetGradientColor(F.Colors);
        S.SetGradientOpacity(F.Opacities);
        S.SetGradientPosition(F.Positions);
        S.SetGradientFillMode(F.FillMode);
        S.SetGradientLinearAngle(F.Angle);
        S.SetGradientTextureFileName(F.Texture);
        S.SetGradientEdgingWidth(F.EdgingWidth);
        S.SetGradientHatchMode(F.HatchMode);
        S.SetGradientHatchForeColor(F.HatchFore);
        S.SetGradientHatchBackColor(F.HatchBack);
        S.SetGradientGammaCorrected(F.Gamma);
    }
    S.SetChanged2(true);
}
