#include "skin/model/SFSkinImage.h"

#include <algorithm>
#include <cstring>

namespace {

TRect Offset(const TRect& A, const TRect& R) { return {A.Left + R.Left, A.Top + R.Top, A.Right + R.Left, A.Bottom + R.Top}; }

void Resize(TsfBitmap* B, Integer W, Integer H)
{
    if (B) B->SetSize(std::max(W, 0), std::max(H, 0));
}

// Tiles a piece along x (Horz) or y: the source piece S (already in the
// picture's coordinates) laid from s to e, each copy cut at the far end.
void TileAlong(TsfBitmap* Dst, const TsfBitmap* Src, const TRect& S, Integer s, Integer e, Integer A0, Integer A1,
               bool Horz)
{
    if (!Dst) return;
    const Integer D = Horz ? S.Width() : S.Height();
    for (const TsfTileSpan& T : SkinTileSpans(s, e, D, 0, Horz ? Dst->Width() : Dst->Height())) {
        if (Horz)
            SkinCopyRect(Dst, {T.Pos, A0, T.Pos + T.Len, A1}, Src, {S.Left, S.Top, S.Left + T.Len, S.Bottom});
        else
            SkinCopyRect(Dst, {A0, T.Pos, A1, T.Pos + T.Len}, Src, {S.Left, S.Top, S.Right, S.Top + T.Len});
    }
}

} // namespace

std::vector<TsfTileSpan> SkinTileSpans(Integer S, Integer E, Integer D, Integer Lo, Integer Hi)
{
    std::vector<TsfTileSpan> Spans;
    if (D <= 0 || E < S) return Spans;
    // Skin geometry is outside data: tiles wholly outside Lo..Hi are skipped
    // without being counted, and the arithmetic is done wide.
    int64_t P = S;
    if (Lo > S) P += (static_cast<int64_t>(Lo) - S) / D * D;
    const int64_t End = std::min<int64_t>(E, Hi);
    for (; P <= E && P < End; P += D) {
        const int64_t Len = D - std::max<int64_t>(0, P + D - E);
        if (Len > 0) Spans.push_back({static_cast<Integer>(P), static_cast<Integer>(Len)});
    }
    return Spans;
}

void SkinCopyRect(TsfBitmap* Dst, const TRect& D, const TsfBitmap* Src, const TRect& S, const TRect& Clip)
{
    if (!Dst || !Src || Dst->Empty() || Src->Empty()) return;
    const Integer DW = D.Width(), DH = D.Height(), SW = S.Width(), SH = S.Height();
    if (DW <= 0 || DH <= 0 || SW <= 0 || SH <= 0) return;
    const Integer X0 = std::max({D.Left, Clip.Left, 0}), X1 = std::min({D.Right, Clip.Right, Dst->Width()});
    const Integer Y0 = std::max({D.Top, Clip.Top, 0}), Y1 = std::min({D.Bottom, Clip.Bottom, Dst->Height()});
    for (Integer Y = Y0; Y < Y1; ++Y) {
        const Integer SY = S.Top + static_cast<Integer>(static_cast<int64_t>(Y - D.Top) * SH / DH);
        if (SY < 0 || SY >= Src->Height()) continue;
        const TsfColor* SRow = Src->ScanLineAddress(SY);
        TsfColor* DRow = Dst->ScanLineAddress(Y);
        if (SW == DW) {
            // 1:1 along the row: one block, kept inside the source row.
            const Integer A = std::max(X0, D.Left - S.Left), Z = std::min(X1, D.Left - S.Left + Src->Width());
            if (Z > A) std::memmove(DRow + A, SRow + (S.Left + A - D.Left), sizeof(TsfColor) * (Z - A));
            continue;
        }
        for (Integer X = X0; X < X1; ++X) {
            const Integer SX = S.Left + static_cast<Integer>(static_cast<int64_t>(X - D.Left) * SW / DW);
            if (SX >= 0 && SX < Src->Width()) DRow[X] = SRow[SX];
        }
    }
}

void SkinCopyRect(TsfBitmap* Dst, const TRect& D, const TsfBitmap* Src, const TRect& S)
{
    SkinCopyRect(Dst, D, Src, S, D);
}

void CreateSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT, TPoint NLB,
                     TPoint NRB, TRect NCL, TsfBitmap* B, const TsfBitmap* SB, TRect R, Integer W, Integer H,
                     bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch,
                     bool StretchEffect, TsfStretchType StretchType)
{
    Resize(B, W, H);
    if (!B || RB.X == LT.X || RB.Y == LT.Y || !SB || SB->Empty()) return;
    const Integer RW = R.Width(), RH = R.Height();
    auto Copy = [&](const TRect& S, const TRect& D) { SkinCopyRect(B, D, SB, Offset(S, R)); };

    // Edges: stretched, or tiled from the new corner to the next.
    const TRect Top{LT.X, 0, RT.X, CL.Top}, Bottom{LB.X, CL.Bottom, RB.X, RH};
    const TRect Left{0, LT.Y, CL.Left, LB.Y}, Right{CL.Right, RT.Y, RW, RB.Y};
    if (TopStretch) Copy(Top, {NLT.X, 0, NRT.X, NCL.Top});
    else TileAlong(B, SB, Offset(Top, R), NLT.X, NRT.X, 0, NCL.Top, true);
    if (BottomStretch) Copy(Bottom, {NLB.X, NCL.Bottom, NRB.X, H});
    else TileAlong(B, SB, Offset(Bottom, R), NLB.X, NRB.X, NCL.Bottom, H, true);
    if (LeftStretch) Copy(Left, {0, NLT.Y, NCL.Left, NLB.Y});
    else TileAlong(B, SB, Offset({0, LT.Y, NCL.Left, LB.Y}, R), NLT.Y, NLB.Y, 0, NCL.Left, false);
    if (RightStretch) Copy(Right, {NCL.Right, NRT.Y, W, NRB.Y});
    else TileAlong(B, SB, Offset(Right, R), NRT.Y, NRB.Y, NCL.Right, W, false);

    // Corners over the edges, each as its two bands.
    Copy({0, 0, LT.X, CL.Top}, {0, 0, NLT.X, NCL.Top});
    Copy({0, CL.Top, CL.Left, LT.Y}, {0, NCL.Top, NCL.Left, NLT.Y});
    Copy({RT.X, 0, RW, CL.Top}, {NRT.X, 0, W, NCL.Top});
    Copy({CL.Right, CL.Top, RW, RT.Y}, {NCL.Right, NCL.Top, W, NRT.Y});
    Copy({0, LB.Y, CL.Left, RH}, {0, NLB.Y, NCL.Left, H});
    Copy({CL.Left, CL.Bottom, LB.X, RH}, {NCL.Left, NCL.Bottom, NLB.X, H});
    Copy({RB.X, CL.Bottom, RW, RH}, {NRB.X, NCL.Bottom, W, H});
    Copy({CL.Right, RB.Y, RW, CL.Bottom}, {NCL.Right, NRB.Y, W, NCL.Bottom});

    if (!DrawClient) return;
    const Integer w = CL.Width(), h = CL.Height(), NW = NCL.Width(), NH = NCL.Height();
    const TRect Piece = Offset(CL, R);
    if (StretchEffect) {
        if (NW <= 0 || NH <= 0) return;
        if (StretchType == sfstFull) {
            SkinCopyRect(B, NCL, SB, Piece);
        } else if (StretchType == sfstHorz) {
            for (const TsfTileSpan& T : SkinTileSpans(NCL.Left, NCL.Right, w, 0, W))
                SkinCopyRect(B, {T.Pos, NCL.Top, T.Pos + w, NCL.Bottom}, SB, Piece, NCL);
        } else {
            for (const TsfTileSpan& T : SkinTileSpans(NCL.Top, NCL.Bottom, h, 0, H))
                SkinCopyRect(B, {NCL.Left, T.Pos, NCL.Right, T.Pos + h}, SB, Piece, NCL);
        }
        return;
    }
    for (const TsfTileSpan& TY : SkinTileSpans(NCL.Top, NCL.Bottom, h, 0, H))
        for (const TsfTileSpan& TX : SkinTileSpans(NCL.Left, NCL.Right, w, 0, W))
            SkinCopyRect(B, {TX.Pos, TY.Pos, TX.Pos + TX.Len, TY.Pos + TY.Len}, SB,
                         {Piece.Left, Piece.Top, Piece.Left + TX.Len, Piece.Top + TY.Len});
}

void CreateSkinImage2(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT, TPoint NLB,
                      TPoint NRB, TRect NCL, TsfBitmap* B, const TsfBitmap* SB, TRect R, Integer W, Integer H,
                      bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch,
                      bool StretchEffect, TsfStretchType StretchType)
{
    CreateSkinImage(LT, RT, LB, RB, CL, NLT, NRT, NLB, NRB, NCL, B, SB, R, W, H, DrawClient, LeftStretch, TopStretch,
                    RightStretch, BottomStretch, StretchEffect, StretchType);
}

void CreateStretchImage(TsfBitmap* B, const TsfBitmap* SB, TRect R, TRect CL, bool DrawClient)
{
    if (!B) return;
    const Integer W = B->Width(), H = B->Height();
    const TRect NCL{CL.Left, CL.Top, W - (R.Width() - CL.Right), H - (R.Height() - CL.Bottom)};
    CreateSkinImage({CL.Left, CL.Top}, {CL.Right, CL.Top}, {CL.Left, CL.Bottom}, {CL.Right, CL.Bottom}, CL,
                    {NCL.Left, NCL.Top}, {NCL.Right, NCL.Top}, {NCL.Left, NCL.Bottom}, {NCL.Right, NCL.Bottom}, NCL,
                    B, SB, R, W, H, DrawClient, true, true, true, true, true, sfstFull);
}

void CreateHSkinImage(Integer LO, Integer RO, TsfBitmap* B, const TsfBitmap* SB, TRect R, Integer W, Integer,
                      bool Stretch)
{
    const Integer RW = R.Width(), RH = R.Height();
    Resize(B, W, RH);
    if (!B) return;
    if (LO != 0) SkinCopyRect(B, {0, 0, LO, RH}, SB, Offset({0, 0, LO, RH}, R));
    if (RO != 0) SkinCopyRect(B, {W - RO, 0, W, RH}, SB, Offset({RW - RO, 0, RW, RH}, R));
    const TRect Mid = Offset({LO, 0, RW - RO, RH}, R);
    if (Stretch) SkinCopyRect(B, {LO, 0, W - RO, RH}, SB, Mid);
    else TileAlong(B, SB, Mid, LO, W - RO, 0, RH, true);
}

void CreateVSkinImage(Integer TO, Integer BO, TsfBitmap* B, const TsfBitmap* SB, TRect R, Integer, Integer H,
                      bool Stretch)
{
    const Integer RW = R.Width(), RH = R.Height();
    Resize(B, RW, H);
    if (!B) return;
    if (TO != 0) SkinCopyRect(B, {0, 0, RW, TO}, SB, Offset({0, 0, RW, TO}, R));
    if (BO != 0) SkinCopyRect(B, {0, H - BO, RW, H}, SB, Offset({0, RH - BO, RW, RH}, R));
    const TRect Mid = Offset({0, TO, RW, RH - BO}, R);
    if (Stretch) SkinCopyRect(B, {0, TO, RW, H - BO}, SB, Mid);
    else TileAlong(B, SB, Mid, TO, H - BO, 0, RW, false);
}

void CreateSkinBorderImages(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT,
                            TPoint NLB, TPoint NRB, TRect NCL, TsfBitmap* LeftB, TsfBitmap* TopB,
                            TsfBitmap* RightB, TsfBitmap* BottomB, const TsfBitmap* SB, TRect R, Integer W,
                            Integer H, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch)
{
    const Integer RW = R.Width(), RH = R.Height();
    auto Copy = [&](TsfBitmap* Dst, const TRect& S, const TRect& D) { SkinCopyRect(Dst, D, SB, Offset(S, R)); };
    if (TopB && W > 0 && NCL.Top > 0 && RT.X > LT.X) {
        const Integer t = NCL.Top;
        Resize(TopB, W, t);
        const TRect Mid{LT.X, 0, RT.X, t};
        if (TopStretch) Copy(TopB, Mid, {NLT.X, 0, NRT.X, t});
        else TileAlong(TopB, SB, Offset(Mid, R), 0, W, 0, t, true);
        Copy(TopB, {0, 0, LT.X, t}, {0, 0, NLT.X, t});
        Copy(TopB, {RT.X, 0, RW, t}, {NRT.X, 0, W, t});
    }
    const Integer b = H - NCL.Bottom;
    if (BottomB && W > 0 && b > 0 && RB.X > LB.X) {
        Resize(BottomB, W, b);
        const TRect Mid{LB.X, RH - b, RB.X, RH};
        if (BottomStretch) Copy(BottomB, Mid, {NLB.X, 0, NRB.X, b});
        else TileAlong(BottomB, SB, Offset(Mid, R), 0, W, 0, b, true);
        Copy(BottomB, {0, RH - b, LB.X, RH}, {0, 0, NLB.X, b});
        Copy(BottomB, {RB.X, RH - b, RW, RH}, {NRB.X, 0, W, b});
    }
    const Integer h = H - (BottomB ? BottomB->Height() : 0) - (TopB ? TopB->Height() : 0);
    if (LeftB && NCL.Left > 0 && h > 0 && LB.Y > LT.Y) {
        const Integer l = NCL.Left;
        Resize(LeftB, l, h);
        const TRect Mid{0, LT.Y, l, LB.Y};
        if (LeftStretch) Copy(LeftB, Mid, {0, LT.Y - CL.Top, l, h + LB.Y - CL.Bottom});
        else TileAlong(LeftB, SB, Offset(Mid, R), 0, h, 0, l, false);
        if (LT.Y > CL.Top) Copy(LeftB, {0, CL.Top, l, LT.Y}, {0, 0, l, LT.Y - CL.Top});
        if (CL.Bottom > LB.Y) Copy(LeftB, {0, LB.Y, l, CL.Bottom}, {0, h + LB.Y - CL.Bottom, l, h});
    }
    const Integer r = W - NCL.Right;
    if (RightB && r >= 1 && h >= 1 && RB.Y > RT.Y) {
        Resize(RightB, r, h);
        const TRect Mid{CL.Right, RT.Y, RW, RB.Y};
        if (RightStretch) Copy(RightB, Mid, {0, RT.Y - CL.Top, r, h + RB.Y - CL.Bottom});
        else TileAlong(RightB, SB, Offset(Mid, R), 0, h, 0, r, false);
        if (RT.Y > CL.Top) Copy(RightB, {CL.Right, CL.Top, RW, RT.Y}, {0, 0, r, RT.Y - CL.Top});
        if (CL.Bottom > RB.Y) Copy(RightB, {CL.Right, RB.Y, RW, CL.Bottom}, {0, h + RB.Y - CL.Bottom, r, h});
    }
}

void CreateSkinMask(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT, TPoint NLB,
                    TPoint NRB, TRect NCL, const TsfBitmap* Mask, TsfBitmap* TopM, TsfBitmap* LeftM,
                    TsfBitmap* RightM, TsfBitmap* BottomM, Integer W, Integer)
{
    if (!Mask) return;
    const Integer MW = Mask->Width(), MH = Mask->Height(), NH = NCL.Height();
    // A side strip: the band X0..X1 of the mask, its edge tiled from the top, the
    // corner parts copied over both ends.
    auto Side = [&](TsfBitmap* M, Integer X0, Integer X1, Integer Y0, Integer Y1) {
        const Integer w = X1 - X0;
        Resize(M, w, NH);
        if (Y1 != Y0) TileAlong(M, Mask, {X0, Y0, X1, Y1}, 0, NH, 0, w, false);
        if (Y0 > CL.Top) SkinCopyRect(M, {0, 0, w, Y0 - CL.Top}, Mask, {X0, CL.Top, X1, Y0});
        if (CL.Bottom > Y1) SkinCopyRect(M, {0, NH - (CL.Bottom - Y1), w, NH}, Mask, {X0, Y1, X1, CL.Bottom});
    };
    if (LeftM && CL.Left > 0 && NH > 0) Side(LeftM, 0, CL.Left, LT.Y, LB.Y);
    if (RightM && MW - CL.Right > 0 && NH > 0) Side(RightM, CL.Right, MW, RT.Y, RB.Y);
    if (TopM && W > 0 && CL.Top > 0) {
        Resize(TopM, W, CL.Top);
        if (RT.X != LT.X) TileAlong(TopM, Mask, {LT.X, 0, RT.X, CL.Top}, NLT.X, NRT.X, 0, CL.Top, true);
        SkinCopyRect(TopM, {0, 0, LT.X, CL.Top}, Mask, {0, 0, LT.X, CL.Top});
        SkinCopyRect(TopM, {NRT.X, 0, W, CL.Top}, Mask, {RT.X, 0, MW, CL.Top});
    }
    const Integer b = MH - CL.Bottom;
    if (BottomM && W >= 1 && b >= 1) {
        Resize(BottomM, W, b);
        if (RB.X != LB.X) TileAlong(BottomM, Mask, {LB.X, CL.Bottom, RB.X, MH}, NLB.X, NRB.X, 0, b, true);
        SkinCopyRect(BottomM, {0, 0, LB.X, b}, Mask, {0, CL.Bottom, LB.X, MH});
        SkinCopyRect(BottomM, {NRB.X, 0, W, b}, Mask, {RB.X, CL.Bottom, MW, MH});
    }
}

size_t MaskToRgnData(const TsfBitmap* Mask, Integer X, Integer Y, std::vector<uint8_t>& Data)
{
    if (!Mask || Mask->Empty() || Mask->Width() <= 0 || Mask->Height() <= 0) return 0;
    const Integer MW = Mask->Width(), MH = Mask->Height();
    // Grows with the mask: a picture with more runs than any fixed bound still
    // gets all of them.
    std::vector<int32_t> Rects;
    for (Integer y = 0; y < MH; ++y) {
        const TsfColor* Row = Mask->ScanLineAddress(y);
        Integer x = 0;
        while (x < MW) {
            if ((Row[x] & 0xFFFFFF) != 0) { ++x; continue; }
            const Integer x0 = x;
            while (x < MW && (Row[x] & 0xFFFFFF) == 0) ++x;
            Rects.insert(Rects.end(), {X + x0, Y + y, X + x, Y + y + 1});
        }
    }
    const size_t Count = Rects.size() / 4;
    const size_t Size = 32 + 16 * Count;
    Data.assign(Size, 0);
    const int32_t Header[8] = {32, 1, static_cast<int32_t>(Count), 0, X, Y, X + MW, Y + MH};
    std::memcpy(Data.data(), Header, sizeof Header);
    if (Count) std::memcpy(Data.data() + 32, Rects.data(), Rects.size() * sizeof(int32_t));
    return Size;
}
