#include "shell/RulerLayout.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "document/base/ViDuza.h"
#include "framework/runtime/SysUtils.h"

namespace {

// Rows where the minor ticks start (they all end at the bottom row).
constexpr Integer LongMinorTop = 11, ShortMinorTop = 13, HalfStepTop = 8;

bool IsRoundValue(double B) { return B > 0 && (B == 2 || B == 5 || std::fmod(B, 10) == 0); }

// The order in which a step of ten slots takes its extra pixels: spread out
// from both ends so that the longer minor steps never bunch together.
constexpr Integer TenSlotOrder[9] = {1, 9, 2, 8, 3, 7, 4, 6, 5};

// Value rounded to five significant digits, then written with Decimals
// decimals (scientific beyond five digits before the point).
String FiveDigits(double Value, Integer Decimals, char16_t DecimalSeparator)
{
    char Buf[32];
    std::snprintf(Buf, sizeof Buf, "%.4e", Value);
    String S = FloatToStrF(std::strtod(Buf, nullptr), ffFixed, 5, Decimals);
    for (char16_t& C : S)
        if (C == u'.') C = DecimalSeparator;
    return S;
}

}  // namespace

TRulerSpacing CalcRulerSpacing(Single Scale)
{
    TRulerSpacing R;
    const double K = Scale > 0 ? 1.0 / Scale : 1.0;
    double BestPenalty = 2;
    Integer BestDistance = 0;
    for (Integer S = 30; S <= 100; ++S) {
        const double X = S * K, B = std::nearbyint(X);
        const double Penalty = IsRoundValue(B) ? std::fabs(B - X) : 1;
        const Integer Distance = std::abs(S - 50);
        // The scale is a single-precision number (1 % is 0.0099999998): the
        // penalties of exact round values differ only by that noise and
        // must count as equal. Ascending s keeps the smaller on a full tie.
        constexpr double Noise = 1e-4;
        if (Penalty < BestPenalty - Noise || (Penalty <= BestPenalty + Noise && Distance < BestDistance)) {
            BestPenalty = Penalty;
            BestDistance = Distance;
            R.Spacing = S;
        }
    }
    const Integer C = R.Spacing;
    R.Value = static_cast<Integer>(std::nearbyint(C * K));
    if (R.Value > 0 && R.Value <= 10 && C % R.Value == 0 && C / R.Value >= 5)
        R.Divisions = R.Value;
    else if (C % 10 == 0)
        R.Divisions = C / 10 < 5 ? C / 10 : 10;
    else if (C % 5 == 0)
        R.Divisions = 5;
    else if (C % 2 == 0)
        R.Divisions = 2;
    else if (C < 50) {
        R.Divisions = 5;
        static constexpr bool FiveSlots[5][5] = {{}, {0, 1, 0, 0, 0}, {0, 1, 0, 0, 1}, {0, 1, 0, 1, 1}, {0, 1, 1, 1, 1}};
        for (Integer I = 0; I < 5; ++I) R.Extra[I] = FiveSlots[C % 5][I];
    } else {
        R.Divisions = 10;
        for (Integer I = 0; I < C % 10; ++I) R.Extra[TenSlotOrder[I]] = true;
    }
    R.Minor = C / R.Divisions;
    return R;
}

std::vector<TRulerTick> RulerTicks(const TRulerSpacing& S, Single OffsetHorz, Integer Width)
{
    std::vector<TRulerTick> Ticks;
    if (S.Divisions <= 0 || S.Minor <= 0) return Ticks;
    const Integer X0 = static_cast<Integer>(std::nearbyint(OffsetHorz)) + RulerThickness;
    Ticks.push_back({X0, 0, u"0"});

    Integer X = X0, Slot = 0, Running = 0;
    for (Integer I = 1; X < Width - S.Minor; ++I) {
        X += S.Minor + (S.Extra[Slot] ? 1 : 0);
        ++Slot;
        if (I % S.Divisions == 0) {
            Running += S.Value;
            Ticks.push_back({X, 0, IntToStr(Running)});
            Slot = 0;
        } else
            Ticks.push_back({X, I % 2 == 1 || S.Divisions <= 5 ? ShortMinorTop : LongMinorTop, String()});
    }

    X = X0, Running = 0;
    for (Integer J = 1; X > S.Minor + RulerThickness - 1; ++J) {
        X -= S.Minor;
        if (J % S.Divisions == 0) {
            Running += S.Value;
            Ticks.push_back({X, 0, IntToStr(Running)});
        } else
            Ticks.push_back({X, J % 2 == 1 ? ShortMinorTop : LongMinorTop, String()});
    }
    return Ticks;
}

TMeasureTexts MeasureTexts(bool Exists, Integer X1, Integer Y1, Integer X2, Integer Y2, char16_t DecimalSeparator)
{
    if (!Exists) return {u"X: ", u"Y: ", u"W: ", u"H: ", u"A: ", u"D: "};
    const double A = CalcAngle(X2, Y2, static_cast<Single>(X1), static_cast<Single>(Y1));
    // Screen angles run clockwise: shown so that upward lines are positive.
    const double Shown = A < 180 ? -A : 360 - A;
    const double Distance = GPPointDistance(TPoint{X1, Y1}, TPoint{X2, Y2});
    return {u"X: " + IntToStr(X1),
            u"Y: " + IntToStr(Y1),
            u"W: " + IntToStr(X2 - X1),
            u"H: " + IntToStr(Y2 - Y1),
            u"A: " + FiveDigits(Shown, 1, DecimalSeparator) + u"°",
            u"D: " + FiveDigits(Distance, 2, DecimalSeparator)};
}

namespace {

// A value of the unit ruler: up to three decimals, without trailing zeros.
String UnitLabel(double Value, char16_t DecimalSeparator)
{
    String S = FloatToStrF(Value, ffFixed, 15, 3);
    const size_t Point = S.find(u'.');
    if (Point != String::npos) {
        while (S.back() == u'0') S.pop_back();
        if (S.back() == u'.') S.pop_back();
        else S[Point] = DecimalSeparator;
    }
    return S;
}

}  // namespace

TUnitRulerSpacing CalcUnitRulerSpacing(Integer Unit, Single Scale)
{
    static constexpr double InchSteps[] = {0.125, 0.25, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
    static constexpr double MillimetreSteps[] = {1,   2,   5,    10,   20,   50,    100,  200,
                                                 500, 1000, 2000, 5000, 10000, 20000, 50000};
    TUnitRulerSpacing R;
    if ((Unit != RulerUnitInches && Unit != RulerUnitMillimetres) || !(Scale > 0)) return R;
    const bool Inches = Unit == RulerUnitInches;
    const double ScreenPerUnit = (Inches ? RulerPixelsPerInch : RulerPixelsPerInch / 25.4) * Scale;
    const double* First = Inches ? std::begin(InchSteps) : std::begin(MillimetreSteps);
    const double* Last = Inches ? std::end(InchSteps) : std::end(MillimetreSteps);
    R.Value = Last[-1];
    for (const double* V = First; V != Last; ++V)
        if (*V * ScreenPerUnit >= 30) {
            R.Value = *V;
            break;
        }
    R.Spacing = R.Value * ScreenPerUnit;
    // The natural parts of the step, finest first.
    std::vector<Integer> Parts;
    if (Inches && R.Value == 1) Parts = {8, 4, 2};
    else if (Inches && R.Value < 1) Parts = {static_cast<Integer>(std::nearbyint(R.Value * 8)), 2};
    else {
        const double Lead = R.Value / std::pow(10.0, std::floor(std::log10(R.Value) + 1e-9));
        if (std::nearbyint(Lead) == 2) Parts = {4, 2};
        else if (std::nearbyint(Lead) == 5) Parts = {5};
        else Parts = {10, 5, 2};
    }
    R.Divisions = 1;
    for (Integer N : Parts)
        if (N > 1 && R.Spacing / N >= 4) {
            R.Divisions = N;
            break;
        }
    return R;
}

std::vector<TRulerTick> UnitRulerTicks(const TUnitRulerSpacing& S, Single OffsetHorz, Integer Width,
                                       char16_t DecimalSeparator)
{
    std::vector<TRulerTick> Ticks;
    if (S.Divisions <= 0 || !(S.Spacing > 0)) return Ticks;
    const double X0 = std::nearbyint(OffsetHorz) + RulerThickness;
    const double Minor = S.Spacing / S.Divisions;
    // Closer than a pixel the ticks would only blacken the ruler.
    if (Minor < 1) return Ticks;
    auto Tick = [&](Integer I, Integer X) {
        const Integer InStep = I % S.Divisions;
        if (InStep == 0) {
            Ticks.push_back({X, 0, UnitLabel(I / S.Divisions * S.Value, DecimalSeparator)});
            return;
        }
        Integer Top = InStep % 2 == 1 || S.Divisions <= 5 ? ShortMinorTop : LongMinorTop;
        if (S.Divisions % 2 == 0 && InStep == S.Divisions / 2) Top = HalfStepTop;
        Ticks.push_back({X, Top, String()});
    };
    Ticks.push_back({static_cast<Integer>(X0), 0, u"0"});
    for (Integer I = 1;; ++I) {
        const Integer X = static_cast<Integer>(std::nearbyint(X0 + I * Minor));
        if (X >= Width) break;
        Tick(I, X);
    }
    for (Integer J = 1;; ++J) {
        const Integer X = static_cast<Integer>(std::nearbyint(X0 - J * Minor));
        if (X < RulerThickness) break;
        Tick(J, X);
    }
    return Ticks;
}
