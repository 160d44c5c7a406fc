#include "skin/model/SFUtils.h"

#include "Component/Raster32/Ras32_Types.h"

namespace {

// The platform's PtInRect: left and top edges inside, right and bottom outside.
bool PtInRectExclusive(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

Cardinal DefaultVersion() { return 10; }

bool IsHighSurrogate(char16_t C) { return C >= 0xD800 && C <= 0xDBFF; }
bool IsLowSurrogate(char16_t C) { return C >= 0xDC00 && C <= 0xDFFF; }

}  // namespace

TsfGetVersionProc SfGetVersion = DefaultVersion;

bool IsNullRect(const TRect& R)
{
    return int64_t(R.Right) - R.Left <= 0 || int64_t(R.Bottom) - R.Top <= 0;
}

bool IsPointInRect(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}

bool RectInRect(const TRect& R1, const TRect& R2)
{
    return PtInRectExclusive(R2, {R1.Left, R1.Top}) && PtInRectExclusive(R2, {R1.Right, R1.Bottom});
}

bool RectTouchesRect(const TRect& R1, const TRect& R2)
{
    // Wide arithmetic: R2's edges may sit at the ends of the range.
    auto In = [&](int64_t X, Integer Y) { return X >= R2.Left && X < R2.Right && Y >= R2.Top && Y < R2.Bottom; };
    return In(int64_t(R2.Left) + 1, R1.Top) || In(int64_t(R2.Right) - 1, R1.Bottom);
}

TColor MixColors(TColor Color1, TColor Color2)
{
    const TColor32 C1 = ColorToColor32(Color1), C2 = ColorToColor32(Color2);
    auto Mean = [&](int Shift) { return ((((C1 >> Shift) & 0xFF) + ((C2 >> Shift) & 0xFF)) >> 1); };
    return static_cast<TColor>(Mean(16) | (Mean(8) << 8) | (Mean(0) << 16));  // RGB(r, g, b)
}

void LayoutGlyphAndText(TsfButtonLayout Layout, const TRect& R, Integer GlyphWidth, Integer GlyphHeight,
                        Integer TextWidth, Integer TextHeight, Integer Spacing, Integer Margin, Integer& TextX,
                        Integer& TextY, Integer& GlyphX, Integer& GlyphY)
{
    // Divisions truncate toward zero, as C++'s do.
    const Integer CX = R.Left + RectWidth(R) / 2, CY = R.Top + RectHeight(R) / 2;
    if (GlyphWidth == 0) Spacing = 0;
    const bool Horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    if (Horizontal) {
        GlyphY = CY - GlyphHeight / 2;
        TextY = CY - TextHeight / 2;
    } else {
        GlyphX = CX - GlyphWidth / 2;
        TextX = CX - TextWidth / 2;
    }
    if (Margin != -1) {
        switch (Layout) {
        case blGlyphLeft:
            GlyphX = R.Left + Margin;
            TextX = GlyphX + GlyphWidth + Spacing;
            break;
        case blGlyphRight:
            GlyphX = R.Right - GlyphWidth - Margin;
            TextX = GlyphX - Spacing - TextWidth;
            break;
        case blGlyphTop:
            GlyphY = R.Top + Margin;
            TextY = GlyphY + GlyphHeight + Spacing;
            break;
        case blGlyphBottom:
            GlyphY = R.Bottom - GlyphHeight - Margin;
            TextY = GlyphY - Spacing - TextHeight;
            break;
        }
        return;
    }
    const Integer HW = (GlyphWidth + TextWidth + Spacing) / 2, HH = (GlyphHeight + TextHeight + Spacing) / 2;
    switch (Layout) {
    case blGlyphLeft:
        GlyphX = CX - HW;
        TextX = CX + HW - TextWidth;
        break;
    case blGlyphRight:
        TextX = CX - HW;
        GlyphX = CX + HW - GlyphWidth;
        break;
    case blGlyphTop:
        GlyphY = CY - HH;
        TextY = CY + HH - TextHeight;
        break;
    case blGlyphBottom:
        TextY = CY - HH;
        GlyphY = CY + HH - GlyphHeight;
        break;
    }
}

void CutTextToWidth(String& Text, Integer MaxWidth, const TsfTextWidthFunc& TextWidth)
{
    if (TextWidth(Text) <= MaxWidth) return;
    while (!Text.empty()) {
        // A pair of surrogates is one character: cutting between them would
        // leave half a character to draw.
        size_t Cut = 1;
        if (Text.size() >= 2 && IsLowSurrogate(Text.back()) && IsHighSurrogate(Text[Text.size() - 2])) Cut = 2;
        Text.resize(Text.size() - Cut);
        if (TextWidth(Text + u"...") <= MaxWidth) break;
    }
    Text += u"...";
}

bool IsJpegFileName(const String& FileName)
{
    return FileName.find(u".jpg") != String::npos || FileName.find(u".jpeg") != String::npos;
}

std::vector<TPoint> SkinFocusRectDots(const TRect& R)
{
    std::vector<TPoint> Dots;
    if (R.Right <= R.Left || R.Bottom <= R.Top) return Dots;  // also keeps Right - 1 in range
    const Integer L = R.Left, T = R.Top, RR = R.Right - 1, B = R.Bottom - 1;
    const int64_t W = int64_t(RR) - L, H = int64_t(B) - T;
    bool Set = !(W % 2 == 0 && H % 2 == 0);
    // One edge from (X, Y) over Count + 1 pixels by (DX, DY); its first pixel
    // is the corner the previous edge ended on and repeats that decision.
    auto Edge = [&](Integer X, Integer Y, Integer DX, Integer DY, int64_t Count) {
        for (int64_t i = 0; i <= Count; ++i) {
            if (i > 0) Set = !Set;
            if (Set) Dots.push_back({static_cast<Integer>(X + DX * i), static_cast<Integer>(Y + DY * i)});
        }
    };
    Edge(L, T, 1, 0, W);
    Edge(RR, T, 0, 1, H);
    Edge(RR, B, -1, 0, W);
    Edge(L, B, 0, -1, H);
    return Dots;
}

void GetWindowsVersion(Integer& Major, Integer& Minor)
{
    const Cardinal Version = SfGetVersion();
    Major = static_cast<Integer>(Version & 0xFF);
    Minor = static_cast<Integer>((Version >> 8) & 0xFF);
}

bool IsWindows7()
{
    Integer Major, Minor;
    GetWindowsVersion(Major, Minor);
    return Major == 6 && Minor == 1;
}

bool IsWindowsVistaOrLater()
{
    Integer Major, Minor;
    GetWindowsVersion(Major, Minor);
    return Major >= 6;
}

bool IsWindowsXPOrLater()
{
    Integer Major, Minor;
    GetWindowsVersion(Major, Minor);
    return Major > 5 || (Major == 5 && Minor == 1);
}

bool IsWindows2000OrLater()
{
    Integer Major, Minor;
    GetWindowsVersion(Major, Minor);
    return Major > 5 || (Major == 5 && Minor <= 2);
}
