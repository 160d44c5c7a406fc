#include "dialogs/PrintLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace PrintLayout {

namespace {

constexpr double CmPerInch = 2.54;
// Far past any real page, yet small enough that sums of two stay in range.
constexpr double MaxDots = 1.0e9;

double Held(double V, double Lo, double Hi)
{
    if (std::isnan(V)) return Lo;
    return std::min(std::max(V, Lo), Hi);
}

Integer RoundDots(double V) { return static_cast<Integer>(std::llround(Held(V, -MaxDots, MaxDots))); }

// Round(A * B / C) in 64 bits, C > 0, A, B >= 0.
Integer MulDivRound(int64_t A, int64_t B, int64_t C) { return static_cast<Integer>((2 * A * B + C) / (2 * C)); }

// Two opposing margins shrunk in proportion so at least Keep dots remain.
void FitPair(Integer& A, Integer& B, Integer Page, Integer Keep)
{
    const int64_t Room = std::max<int64_t>(0, static_cast<int64_t>(Page) - Keep);
    const int64_t Sum = static_cast<int64_t>(A) + B;
    if (Sum <= Room) return;
    const int64_t NewA = A * Room / Sum;
    A = static_cast<Integer>(NewA);
    B = static_cast<Integer>(Room - NewA);
}

Integer KeepOf(Integer Page, Integer Dpi)
{
    return std::max<Integer>(1, std::min<Integer>(CmToDots(1.0, Dpi), Page / 10));
}

// The anchor's offset inside Room for a picture of Size: 0 start, 1 centre, 2 end.
Integer Along(Integer Part, Integer Room, Integer Size)
{
    if (Part == 0) return 0;
    if (Part == 1) return (Room - Size) / 2;
    return Room - Size;
}

}  // namespace

TPrinterMetrics Sanitized(const TPrinterMetrics& In)
{
    TPrinterMetrics M = In;
    if (M.DpiX <= 0) M.DpiX = M.DpiY > 0 ? M.DpiY : 300;
    if (M.DpiY <= 0) M.DpiY = M.DpiX;
    if (M.PhysWidth <= 0) M.PhysWidth = RoundDots(8.5 * M.DpiX);
    if (M.PhysHeight <= 0) M.PhysHeight = RoundDots(11.0 * M.DpiY);
    M.OffsetX = std::min(std::max(M.OffsetX, 0), M.PhysWidth / 2);
    M.OffsetY = std::min(std::max(M.OffsetY, 0), M.PhysHeight / 2);
    return M;
}

Integer CmToDots(double Cm, Integer Dpi) { return RoundDots(Held(Cm, 0, MaxCm) / CmPerInch * Dpi); }

double PixelsToCm(Integer Pixels, Integer ScreenDpi)
{
    if (ScreenDpi <= 0) ScreenDpi = 96;
    return Held(static_cast<double>(Pixels) / ScreenDpi * CmPerInch, MinCustomCm, MaxCm);
}

double ClampCustomCm(double Cm) { return Held(Cm, MinCustomCm, MaxCm); }

double HeightForWidth(double WidthCm, double Ratio)
{
    if (!(Ratio > 0) || std::isinf(Ratio)) Ratio = 1;
    return ClampCustomCm(ClampCustomCm(WidthCm) / Ratio);
}

double WidthForHeight(double HeightCm, double Ratio)
{
    if (!(Ratio > 0) || std::isinf(Ratio)) Ratio = 1;
    return ClampCustomCm(ClampCustomCm(HeightCm) * Ratio);
}

UnicodeString FormatCm(double Cm)
{
    const int64_t Hundredths = std::llround(Held(Cm, 0, MaxCm) * 100);
    std::string Text = std::to_string(Hundredths / 100);
    const int64_t Frac = Hundredths % 100;
    if (Frac != 0) {
        Text += '.';
        Text += static_cast<char>('0' + Frac / 10);
        if (Frac % 10 != 0) Text += static_cast<char>('0' + Frac % 10);
    }
    return UnicodeString(Text.begin(), Text.end());
}

double ParseCm(const UnicodeString& Text, double Default)
{
    size_t I = 0, N = Text.size();
    while (I < N && Text[I] == u' ') ++I;
    while (N > I && Text[N - 1] == u' ') --N;
    bool Negative = false;
    if (I < N && (Text[I] == u'-' || Text[I] == u'+')) Negative = Text[I++] == u'-';
    double Value = 0, Scale = 0;
    bool Digits = false, Separator = false;
    for (; I < N; ++I) {
        const char16_t C = Text[I];
        if (C >= u'0' && C <= u'9') {
            Digits = true;
            if (Separator) {
                Scale /= 10;
                Value += (C - u'0') * Scale;
            } else {
                Value = Value * 10 + (C - u'0');
                if (Value > 1e6) Value = 1e6;
            }
        } else if ((C == u'.' || C == u',') && !Separator) {
            Separator = true;
            Scale = 1;
        } else {
            return Default;
        }
    }
    if (!Digits) return Default;
    return Held(Negative ? -Value : Value, 0, MaxCm);
}

TMarginsCm DefaultMargins() { return TMarginsCm{}; }

TRect PreviewRect(const TPrinterMetrics& In)
{
    const TPrinterMetrics M = Sanitized(In);
    const int64_t W = M.PhysWidth, H = M.PhysHeight;
    if (W * PreviewMaxHeight <= H * PreviewMaxWidth) {
        const Integer Width = std::max<Integer>(1, MulDivRound(W, PreviewMaxHeight, H));
        const Integer Left = PreviewLeft + (PreviewMaxWidth - Width) / 2;
        return Rect(Left, PreviewTop, Left + Width, PreviewTop + PreviewMaxHeight);
    }
    const Integer Height = std::max<Integer>(1, MulDivRound(H, PreviewMaxWidth, W));
    const Integer Top = PreviewTop + (PreviewMaxHeight - Height) / 2;
    return Rect(PreviewLeft, Top, PreviewLeft + PreviewMaxWidth, Top + Height);
}

TRect MarginDots(const TMarginsCm& Cm, const TPrinterMetrics& In)
{
    const TPrinterMetrics M = Sanitized(In);
    TRect R{CmToDots(Cm.Left, M.DpiX), CmToDots(Cm.Top, M.DpiY), CmToDots(Cm.Right, M.DpiX),
            CmToDots(Cm.Bottom, M.DpiY)};
    FitPair(R.Left, R.Right, M.PhysWidth, KeepOf(M.PhysWidth, M.DpiX));
    FitPair(R.Top, R.Bottom, M.PhysHeight, KeepOf(M.PhysHeight, M.DpiY));
    return R;
}

TPlan MakePlan(const TPrintSettings& S, const TPrinterMetrics& In, Integer ImageWidth, Integer ImageHeight)
{
    TPlan P;
    P.Metrics = Sanitized(In);
    const TPrinterMetrics& M = P.Metrics;
    const int64_t IW = std::max(ImageWidth, 1), IH = std::max(ImageHeight, 1);
    const Integer Screen = S.ScreenDpi > 0 ? S.ScreenDpi : 96;
    P.Margins = MarginDots(S.Margins, M);
    P.PrintWidth = M.PhysWidth - P.Margins.Left - P.Margins.Right;
    P.PrintHeight = M.PhysHeight - P.Margins.Top - P.Margins.Bottom;
    const int64_t AW = P.PrintWidth, AH = P.PrintHeight;
    // The picture's shape on paper: screen pixels are square, printer dots
    // need not be.
    const int64_t ShapeW = IW * M.DpiX, ShapeH = IH * M.DpiY;
    int64_t W = 0, H = 0;
    if (S.SizeMode == smActual) {
        W = MulDivRound(IW, M.DpiX, Screen);
        H = MulDivRound(IH, M.DpiY, Screen);
    } else if (S.SizeMode == smCustom) {
        W = CmToDots(ClampCustomCm(S.CustomWidthCm), M.DpiX);
        H = CmToDots(ClampCustomCm(S.CustomHeightCm), M.DpiY);
    } else {
        bool ByWidth = S.FitMode == fmWidth;
        if (S.FitMode != fmWidth && S.FitMode != fmHeight)
            ByWidth = static_cast<double>(ShapeW) / ShapeH > static_cast<double>(AW) / AH;
        if (ByWidth) {
            W = AW;
            H = std::llround(static_cast<double>(AW) * ShapeH / ShapeW);
        } else {
            H = AH;
            W = std::llround(static_cast<double>(AH) * ShapeW / ShapeH);
        }
    }
    W = std::min<int64_t>(std::max<int64_t>(W, 1), static_cast<int64_t>(MaxDots));
    H = std::min<int64_t>(std::max<int64_t>(H, 1), static_cast<int64_t>(MaxDots));
    P.ImageWidthDots = static_cast<Integer>(W);
    P.ImageHeightDots = static_cast<Integer>(H);
    P.Columns = static_cast<Integer>((W + AW - 1) / AW);
    P.Rows = static_cast<Integer>((H + AH - 1) / AH);
    P.Position = S.Position >= 0 && S.Position <= 8 ? S.Position : 0;
    if (P.PageCount() > 1 && P.Position > 2) P.Position = 0;
    return P;
}

TPiece PageAt(const TPlan& P, Integer Index, Integer ImageWidth, Integer ImageHeight)
{
    const int64_t IW = std::max(ImageWidth, 1), IH = std::max(ImageHeight, 1);
    const int64_t W = P.ImageWidthDots, H = P.ImageHeightDots;
    Index = std::min(std::max(Index, 0), P.PageCount() - 1);
    const int64_t Col = Index % P.Columns, Row = Index / P.Columns;
    const int64_t X0 = Col * P.PrintWidth, X1 = std::min<int64_t>(W, X0 + P.PrintWidth);
    const int64_t Y0 = Row * P.PrintHeight, Y1 = std::min<int64_t>(H, Y0 + P.PrintHeight);
    const Integer BandW = static_cast<Integer>(X1 - X0), BandH = static_cast<Integer>(Y1 - Y0);
    TPiece Piece;
    Integer X = P.Margins.Left, Y = P.Margins.Top;
    if (P.Columns == 1) X += Along(P.Position % 3, P.PrintWidth, BandW);
    if (P.Rows == 1) Y += Along(P.Position / 3, P.PrintHeight, BandH);
    Piece.Dest = Rect(X, Y, X + BandW, Y + BandH);
    auto Src = [](int64_t Dot, int64_t Dots, int64_t Pixels) { return MulDivRound(Dot, Pixels, Dots); };
    Piece.Source = Rect(Src(X0, W, IW), Src(Y0, H, IH), Src(X1, W, IW), Src(Y1, H, IH));
    // A picture blown up past a page per pixel still shows its pixel.
    if (Piece.Source.Right == Piece.Source.Left) {
        if (Piece.Source.Right < IW) ++Piece.Source.Right; else --Piece.Source.Left;
    }
    if (Piece.Source.Bottom == Piece.Source.Top) {
        if (Piece.Source.Bottom < IH) ++Piece.Source.Bottom; else --Piece.Source.Top;
    }
    return Piece;
}

TPoint DrawOrigin(const TPlan& P, const TPiece& Piece)
{
    TPoint At = Point(Piece.Dest.Left - P.Metrics.OffsetX, Piece.Dest.Top - P.Metrics.OffsetY);
    if (P.PageCount() == 1) {
        At.X = std::max(At.X, 0);
        At.Y = std::max(At.Y, 0);
    }
    return At;
}

std::vector<TPiece> Bands(const TPiece& Piece, Integer MaxRows)
{
    MaxRows = std::max(MaxRows, 1);
    std::vector<TPiece> Out;
    const int64_t DH = Piece.Dest.Height(), SH = Piece.Source.Height();
    if (DH <= 0) return Out;
    int64_t PrevSrc = 0;
    for (int64_t Y = 0; Y < DH; Y += MaxRows) {
        const int64_t Y1 = std::min<int64_t>(DH, Y + MaxRows);
        int64_t S0 = PrevSrc, S1 = Y1 == DH ? SH : MulDivRound(Y1, SH, DH);
        // Every strip keeps at least one source row (even when it shares it).
        if (S1 <= S0) {
            S0 = std::min(S0, SH - 1);
            S1 = S0 + 1;
        }
        TPiece Band;
        Band.Dest = Rect(Piece.Dest.Left, Piece.Dest.Top + static_cast<Integer>(Y), Piece.Dest.Right,
                         Piece.Dest.Top + static_cast<Integer>(Y1));
        Band.Source = Rect(Piece.Source.Left, Piece.Source.Top + static_cast<Integer>(S0), Piece.Source.Right,
                           Piece.Source.Top + static_cast<Integer>(S1));
        Out.push_back(Band);
        PrevSrc = std::max(PrevSrc, S1);
    }
    return Out;
}

TPreview PreviewOf(const TPlan& P)
{
    const TRect R = PreviewRect(P.Metrics);
    TPreview V;
    V.Width = R.Width();
    V.Height = R.Height();
    V.MarginLeft = MulDivRound(P.Margins.Left, V.Width, P.Metrics.PhysWidth);
    V.MarginRight = MulDivRound(P.Margins.Right, V.Width, P.Metrics.PhysWidth);
    V.MarginTop = MulDivRound(P.Margins.Top, V.Height, P.Metrics.PhysHeight);
    V.MarginBottom = MulDivRound(P.Margins.Bottom, V.Height, P.Metrics.PhysHeight);
    return V;
}

TRect PreviewDest(const TPlan& P, const TPiece& Piece)
{
    const TPreview V = PreviewOf(P);
    auto X = [&](Integer Dot) { return MulDivRound(std::max(Dot, 0), V.Width, P.Metrics.PhysWidth); };
    auto Y = [&](Integer Dot) { return MulDivRound(std::max(Dot, 0), V.Height, P.Metrics.PhysHeight); };
    TRect R = Rect(X(Piece.Dest.Left), Y(Piece.Dest.Top), X(Piece.Dest.Right), Y(Piece.Dest.Bottom));
    // A sliver of a page still shows.
    if (R.Right == R.Left) ++R.Right;
    if (R.Bottom == R.Top) ++R.Bottom;
    return R;
}

UnicodeString PageInfo(Integer Index, Integer Count)
{
    const std::string Text = std::to_string(Index + 1) + "/" + std::to_string(Count);
    return UnicodeString(Text.begin(), Text.end());
}

}  // namespace PrintLayout
