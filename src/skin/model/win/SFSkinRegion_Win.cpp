#include "skin/model/win/SFSkinRegion_Win.h"

namespace {

HRGN RegionOf(const TsfBitmap* Mask, Integer X, Integer Y)
{
    std::vector<uint8_t> Data;
    const size_t Size = MaskToRgnData(Mask, X, Y, Data);
    if (Size == 0) return nullptr;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(Size), reinterpret_cast<const RGNDATA*>(Data.data()));
}

} // namespace

void CreateRgnFromMask(HRGN& Rgn, const TsfBitmap* Mask)
{
    Rgn = RegionOf(Mask, 0, 0);
}

void CreateSkinRegion(HRGN& Rgn, TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT,
                      TPoint NLB, TPoint NRB, TRect NCL, const TsfBitmap* Mask, Integer W, Integer H)
{
    Rgn = nullptr;
    if (NLT.X > NRT.X || NLT.Y > NLB.Y) return;
    TsfBitmap TopM, LeftM, RightM, BottomM;
    CreateSkinMask(LT, RT, LB, RB, CL, NLT, NRT, NLB, NRB, NCL, Mask, &TopM, &LeftM, &RightM, &BottomM, W, H);
    if (NCL.Width() <= 0 || NCL.Height() <= 0) return;
    Rgn = CreateRectRgn(NCL.Left, NCL.Top, NCL.Right, NCL.Bottom);
    const struct { const TsfBitmap* M; Integer X, Y; } Strips[] = {
        {&TopM, 0, 0}, {&BottomM, 0, NCL.Bottom}, {&LeftM, 0, NCL.Top}, {&RightM, NCL.Right, NCL.Top}};
    for (const auto& S : Strips) {
        if (S.M->Width() <= 0 || S.M->Height() <= 0) continue;
        if (HRGN Part = RegionOf(S.M, S.X, S.Y)) {
            CombineRgn(Rgn, Rgn, Part, RGN_OR);
            DeleteObject(Part);
        }
    }
}
