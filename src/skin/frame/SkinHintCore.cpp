#include "skin/frame/SkinHintCore.h"

#include <algorithm>

namespace {

// Bytes from the first byte that is not Blank to the end of the block.
std::size_t BytesFromFirstNot(const Byte* Block, std::size_t Len, Byte Blank)
{
    for (std::size_t i = 0; i < Len; ++i)
        if (Block[i] != Blank) return Len - i;
    return 0;
}

}  // namespace

Integer CursorMaskMargin(const Byte* Bits, std::size_t Size, Integer Width, Integer Height, Integer HotSpotY,
                         Integer Default)
{
    if (!Bits || Width <= 0 || Height <= 0) return Default;
    const std::size_t LineBytes = static_cast<std::size_t>((Width + 31) / 32) * 4;
    // AND over XOR when the mask is at least twice as tall as wide; the real
    // height counts, not the width (a short mask must not be read past its end).
    const bool TwoMasks = Height >= 2 * Width;
    const std::size_t Lines = static_cast<std::size_t>(TwoMasks ? Height / 2 : Height);
    const std::size_t Image = Lines * LineBytes;
    if (Image == 0 || Size < Image) return Default;
    const Byte* Last = Bits + (Size - Image);
    std::size_t Count = BytesFromFirstNot(Last, Image, 0xFF);
    if (Count == 0 && TwoMasks && Size >= 2 * Image) Count = BytesFromFirstNot(Last - Image, Image, 0x00);
    return static_cast<Integer>(Count / LineBytes) - HotSpotY;
}

TsfHintGeometry SkinHintGeometry(Integer W, Integer H, Integer PW, Integer PH, const TPoint& LT, const TPoint& RT,
                                 const TPoint& LB, const TPoint& RB, const TRect& ClRect)
{
    TsfHintGeometry G;
    G.Width = W + ClRect.Left + (PW - ClRect.Right);
    G.Height = H + ClRect.Top + (PH - ClRect.Bottom);
    Integer Dx = G.Width - PW, Dy = G.Height - PH;
    // A picture larger than the text: the hint grows rather than let the corners cross.
    if (RT.X + Dx < LT.X) {
        G.Width += LT.X - (RT.X + Dx);
        Dx = G.Width - PW;
    }
    if (RB.X + Dx < LB.X) {
        G.Width += LB.X - (RB.X + Dx);
        Dx = G.Width - PW;
    }
    if (LB.Y + Dy < LT.Y) {
        G.Height += LT.Y - (LB.Y + Dy);
        Dy = G.Height - PH;
    }
    if (RB.Y + Dy < RT.Y) {
        G.Height += RT.Y - (RB.Y + Dy);
        Dy = G.Height - PH;
    }
    G.NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right + Dx, ClRect.Bottom + Dy};
    G.NewLTPoint = LT;
    G.NewRTPoint = {RT.X + Dx, RT.Y};
    G.NewLBPoint = {LB.X, LB.Y + Dy};
    G.NewRBPoint = {RB.X + Dx, RB.Y + Dy};
    return G;
}

void HintContentSizeEx(Integer TW, Integer TH, bool HasTitle, Integer TitleW, Integer TitleH, bool HasImage,
                       Integer ImageW, Integer ImageH, Integer& W, Integer& H)
{
    W = TW;
    H = TH;
    if (!HasTitle) TitleH = 0;
    if (HasTitle) {
        H += TitleH + 10;
        W = std::max(W, TitleW);
    }
    if (HasImage) {
        W += ImageW + 10;
        H = std::max(H, ImageH + TitleH + 5);
    }
}

TRect HintPlace(const TRect& Anchor, Integer W, Integer H, bool FromRect, bool Top, const TRect& Bounds)
{
    Integer L = Anchor.Left, T = Anchor.Top;
    if (FromRect) {
        L = Anchor.Left + Anchor.Width() / 2 - W / 2;
        T = Top ? Anchor.Top - H : Anchor.Bottom;
    }
    if (L + W > Bounds.Right) L -= W + 2;
    if (T + H > Bounds.Bottom) T -= H + 2;
    return {L, T, L + W, T + H};
}

String ConvertLineSeparators(const String& Text, const String& Separator)
{
    if (Separator.empty()) return Text;
    String Out;
    for (std::size_t i = 0; i < Text.size();) {
        if (Text.compare(i, Separator.size(), Separator) == 0) {
            Out += u"\r\n";
            i += Separator.size();
        } else {
            Out += Text[i++];
        }
    }
    return Out;
}

Integer HintFadeStep(Byte AlphaBlendValue) { return std::max(AlphaBlendValue / 10, 1); }
