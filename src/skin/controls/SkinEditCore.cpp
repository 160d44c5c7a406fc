#include "skin/controls/SkinEditCore.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "framework/runtime/SysUtils.h"

namespace {

bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

Integer CountOf(const String& S, Char C)
{
    Integer N = 0;
    for (Char X : S) N += X == C;
    return N;
}

}  // namespace

bool SkinIsNumText(const String& Text, bool Float, Char DecSep)
{
    if (Text.empty() || Text == u"-") return false;
    for (size_t I = 0; I < Text.size(); ++I) {
        const Char C = Text[I];
        if (IsDigit(C)) continue;
        if (C == u'-' && I == 0) continue;
        if (Float && C == DecSep && I > 0) continue;
        return false;
    }
    return !Float || CountOf(Text, DecSep) <= 1;
}

bool SkinNumCharValid(Char Key, const String& Text, bool Float, Char DecSep, bool Locked)
{
    if (Key < 32) return Key != 13 && !(Locked && Key == 8);
    if (Locked) return false;
    if (IsDigit(Key)) return true;
    if (Key == u'-') return CountOf(Text, u'-') == 0;
    if (Float && Key == DecSep) return CountOf(Text, DecSep) == 0;
    return false;
}

double SkinClampValue(double V, double MinValue, double MaxValue)
{
    if (MinValue == MaxValue) return V;
    if (V < MinValue) return MinValue;
    if (V > MaxValue) return MaxValue;
    return V;
}

Integer SkinClampInt(Integer V, Integer MinValue, Integer MaxValue)
{
    if (MinValue == MaxValue) return V;
    return V < MinValue ? MinValue : V > MaxValue ? MaxValue : V;
}

bool SkinTextToInteger(const String& Text, Integer& V)
{
    size_t I = 0;
    const bool Neg = !Text.empty() && Text[0] == u'-';
    if (Neg) ++I;
    if (I >= Text.size()) return false;
    Int64 N = 0;
    const Int64 Limit = Neg ? -Int64(std::numeric_limits<Integer>::min()) : std::numeric_limits<Integer>::max();
    for (; I < Text.size(); ++I) {
        if (!IsDigit(Text[I])) return false;
        // Saturate instead of overflowing: the limit is reached and kept.
        N = std::min(Limit, N * 10 + (Text[I] - u'0'));
    }
    V = Integer(Neg ? -N : N);
    return true;
}

bool SkinTextToValue(const String& Text, bool Float, Char DecSep, double& V)
{
    if (!Float) {
        Integer I = 0;
        if (!SkinTextToInteger(Text, I)) return false;
        V = I;
        return true;
    }
    std::string A;
    A.reserve(Text.size());
    bool Digit = false;
    for (Char C : Text) {
        if (C == DecSep)
            A += '.';
        else if (IsDigit(C) || C == u'-')
            A += char(C), Digit = Digit || C != u'-';
        else
            return false;
    }
    if (!Digit) return false;
    double R = 0;
    const auto Res = std::from_chars(A.data(), A.data() + A.size(), R);
    if (Res.ptr != A.data() + A.size() && Res.ec == std::errc()) return false;
    if (Res.ec == std::errc::result_out_of_range) {
        // Only a huge magnitude gets here (a tiny one has no way to be typed
        // without an exponent): the largest finite value of its sign.
        R = A[0] == '-' ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    } else if (Res.ec != std::errc()) {
        return false;
    }
    V = R;
    return true;
}

String SkinFormatValue(double V, TsfValueType Type, Integer Decimal, Char DecSep)
{
    if (Type == vtInteger) {
        // The default rounding mode takes halves to the even neighbour.
        const double R = std::nearbyint(V);
        if (std::fabs(R) < 9.2e18) return IntToStr(Int64(R));
        return FloatToStrF(R, ffFixed, 15, 0);
    }
    String S = FloatToStrF(V, ffFixed, 15, std::max<Integer>(0, Decimal));
    if (DecSep != u'.')
        for (Char& C : S)
            if (C == u'.') C = DecSep;
    return S;
}

bool SkinValueNeedsRewrite(double C, double V, double MinValue, double MaxValue)
{
    const bool BothNegative = C < 0 && V < 0;
    return (!BothNegative && C < V) || (BothNegative && C > V) || (MinValue > 0 && V < 0) ||
           (MaxValue < 0 && V > 0);
}

Integer SkinWheelDelta(uint64_t WParam) { return int16_t(uint16_t(WParam >> 16)); }

TsfEditMenuState SkinEditMenuState(bool CanUndo, Integer SelStart, Integer SelLength, Integer TextLength,
                                   bool ReadOnly, bool ClipboardHasText)
{
    TsfEditMenuState S;
    const bool Sel = SelLength > 0;
    S.Undo = CanUndo;
    S.Cut = Sel && !ReadOnly;
    S.Copy = Sel;
    S.Paste = ClipboardHasText && !ReadOnly;
    S.Delete = Sel && !ReadOnly;
    S.SelectAll = !(SelStart == 0 && SelLength == TextLength);
    return S;
}

void SkinEditRects(Integer W, Integer H, bool ButtonMode, bool UseSkinFont, const TsfEditSkinGeometry* D,
                   TRect& EditR, TRect& ButtonR)
{
    if (!D) {
        ButtonR = ButtonMode ? TRect{W - H, 0, W, H} : TRect{};
        EditR = {2, 2, (ButtonMode ? ButtonR.Left : W) - 2, H - 2};
        return;
    }
    const Integer DW = W - D->SkinRect.Width();
    EditR = D->ClRect;
    EditR.Right += DW;
    ButtonR = D->ButtonRect;
    // A button in the right end moves with it.
    if (D->ButtonRect.Left >= D->RTPoint.X) {
        ButtonR.Left += DW;
        ButtonR.Right += DW;
    }
    if (!UseSkinFont) {
        const Integer DH = H - D->SkinRect.Height();
        EditR.Bottom += DH;
        ButtonR.Bottom += DH;
    }
}

TRect SkinEditInsets(Integer H, bool ButtonMode, const TsfEditSkinGeometry* D)
{
    if (!D) return {2, 2, ButtonMode ? H + 2 : 2, 2};
    return {D->ClRect.Left, D->ClRect.Top, D->SkinRect.Width() - D->ClRect.Right,
            D->SkinRect.Height() - D->ClRect.Bottom};
}

Integer SkinEditHeight(Integer TextH, Integer ImageH, const TsfEditSkinGeometry* D)
{
    if (!D) return ImageH > TextH + 2 ? ImageH : TextH + 6;
    const Integer H = std::max(TextH, ImageH);
    return D->SkinRect.Height() + H - D->ClRect.Height();
}

void SkinEditImageRects(const TRect& R, Integer ImageW, bool Left, bool Right, TRect& LeftR, TRect& RightR,
                        TRect& TextR)
{
    LeftR = RightR = TRect{};
    TextR = R;
    if (Left) {
        LeftR = {TextR.Left, TextR.Top, TextR.Left + ImageW, TextR.Bottom};
        TextR.Left += ImageW + 2;
    }
    if (Right) {
        RightR = {TextR.Right - ImageW, TextR.Top, TextR.Right, TextR.Bottom};
        TextR.Right -= ImageW + 2;
    }
}

void SkinSpinRects(Integer W, Integer H, const TsfSpinSkinGeometry* D, bool UseSkinSize, TRect& UpR, TRect& DownR,
                   TRect& TextR)
{
    if (!D) {
        UpR = {W - 17, 2, W - 2, H / 2};
        DownR = {W - 17, H / 2, W - 2, H - 2};
        TextR = {2, 0, W - 17, H};
        return;
    }
    const Integer DW = W - D->SkinRect.Width();
    auto Place = [&](TRect R) {
        if (R.Left >= D->RTPoint.X) R.Left += DW, R.Right += DW;
        return R;
    };
    UpR = Place(D->UpButtonRect);
    DownR = Place(D->DownButtonRect);
    TextR = D->ClRect;
    TextR.Right += DW;
    if (UseSkinSize) return;
    const Integer DH = H - D->SkinRect.Height();
    TextR.Bottom += DH;
    if (DownR.Bottom >= UpR.Bottom) {
        // One above the other: both share the grown height in halves.
        const TRect B{UpR.Left, UpR.Top, DownR.Right, DownR.Bottom + DH};
        const Integer M = B.Top + B.Height() / 2;
        UpR = {B.Left, B.Top, B.Right, M};
        DownR = {B.Left, M, B.Right, B.Bottom};
    } else {
        UpR.Bottom += DH;
        DownR.Bottom += DH;
    }
}

TRect SkinSpinEditPlace(const TRect& R, Integer EditH)
{
    const Integer Top = R.Top + R.Height() / 2 - EditH / 2;
    return {R.Left, Top, R.Right, Top + EditH};
}

TPoint SkinTrackPopupOrigin(const TRect& Edit, Integer PopupW, Integer PopupH, bool AlignRight, const TRect& Work)
{
    Integer X = AlignRight && PopupW != Edit.Width() ? Edit.Right - PopupW : Edit.Left;
    if (X + PopupW > Work.Right)
        X = Work.Right - PopupW;
    else if (X < Work.Left)
        X = Work.Left;
    Integer Y = Edit.Bottom;
    if (Y + PopupH > Work.Bottom) Y = Edit.Top - PopupH;
    return {X, Y};
}
