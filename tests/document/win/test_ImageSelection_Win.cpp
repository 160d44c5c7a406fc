// The selection on the platform: the banded region against the platform's
// own regions (the same rectangles in the same order for random
// combinations), and the marching ants of a selection painted by a real
// image view, stepped by an injected tick.
#include "DocumentOnView.h"

#include <random>

#include "document/ImageSelection.h"

using namespace guitest;

namespace {

using TRgn = TGdiObject<HRGN>;

std::vector<TRect> PlatformRects(HRGN Rgn)
{
    const DWORD Size = GetRegionData(Rgn, 0, nullptr);
    std::vector<uint8_t> Buffer(Size);
    auto* Data = reinterpret_cast<RGNDATA*>(Buffer.data());
    EXPECT_EQ(GetRegionData(Rgn, Size, Data), Size);
    std::vector<TRect> Rects;
    const auto* R = reinterpret_cast<const RECT*>(Data->Buffer);
    for (DWORD i = 0; i < Data->rdh.nCount; ++i) Rects.push_back(TRect{R[i].left, R[i].top, R[i].right, R[i].bottom});
    return Rects;
}

// The same random union of rectangles as a platform region and as ours.
void RandomPair(std::mt19937& Rng, TRgn& Platform, TImageRegion& Ours)
{
    std::uniform_int_distribution<Integer> Coord(-5, 60), Count(1, 6);
    std::vector<TRect> Rects;
    Platform = TRgn(CreateRectRgn(0, 0, 0, 0));
    for (Integer n = Count(Rng); n > 0; --n) {
        Integer a = Coord(Rng), b = Coord(Rng), c = Coord(Rng), d = Coord(Rng);
        TRect R{Min(a, b), Min(c, d), Max(a, b), Max(c, d)};
        Rects.push_back(R);
        TRgn One(CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom));
        CombineRgn(Platform.Handle(), Platform.Handle(), One.Handle(), RGN_OR);
    }
    Ours = TImageRegion::FromRects(Rects);
}

}  // namespace

TEST(ImageRegionOnPlatform, SameRectanglesInTheSameOrderAsPlatformRegions)
{
    std::mt19937 Rng(2026);
    Integer Compared = 0;
    for (Integer Round = 0; Round < 300; ++Round) {
        TRgn PA, PB;
        TImageRegion A, B;
        RandomPair(Rng, PA, A);
        RandomPair(Rng, PB, B);
        ASSERT_EQ(A.Rects(), PlatformRects(PA.Handle())) << "round " << Round;
        for (TRegionCombine Mode : {rcAnd, rcOr, rcXor, rcDiff}) {
            TRgn PR(CreateRectRgn(0, 0, 0, 0));
            CombineRgn(PR.Handle(), PA.Handle(), PB.Handle(), static_cast<int>(Mode));
            ASSERT_EQ(A.Combined(B, Mode).Rects(), PlatformRects(PR.Handle())) << "round " << Round << " mode " << Mode;
            ++Compared;
        }
    }
    std::printf("compared %d combinations with the platform's regions\n", static_cast<int>(Compared));
}

TEST_F(DocumentOnView, MarchingAntsOnTheViewStepWithTheTick)
{
    struct THooksGuard {
        TImageSelectionHooks Saved = ImageSelectionHooks;
        ~THooksGuard() { ImageSelectionHooks = Saved; }
    } Guard;
    EXPECT_NE(ImageSelectionHooks.NewTimer, nullptr) << "the platform's timer is installed";
    static std::function<void()> Tick;
    ImageSelectionHooks.NewTimer = [](Cardinal, std::function<void()> OnTick) {
        Tick = std::move(OnTick);
        return std::make_unique<TSelectionTimer>();
    };
    Doc->SelectionDT()->AddItem(u"x")->Init(std::vector<String>{u"Box", u"20.10.60.40", u"0", u"0"});
    ASSERT_TRUE(Doc->LoadSelection(u"Box"));
    ASSERT_TRUE(Tick);
    TImgSelection* S = Doc->SelectionShape();
    const Integer OX = Doc->OffsetHorz(), OY = Doc->OffsetVert();

    TDib Dib(317, 217);
    auto Paint = [&] {
        View->Invalidate();
        View->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    };
    // Black where (x + y - phase) mod 8 < 4 along the edge, the raster inside.
    auto ExpectAnts = [&](Integer Phase) {
        Integer Black = 0, White = 0;
        for (Integer x = 20; x < 60; ++x)
            for (Integer y : {10, 39}) {
                const Integer vx = x + OX, vy = y + OY;
                const bool IsBlack = (vx % 8 + (vy - Phase + 8) % 8) % 8 < 4;
                ASSERT_EQ(Dib.Pixel(vx, vy), IsBlack ? 0x000000u : 0xFFFFFFu) << x << "," << y << " phase " << Phase;
                (IsBlack ? Black : White)++;
            }
        for (Integer y = 10; y < 40; ++y) {
            const Integer vx = 20 + OX, vy = y + OY;
            const bool IsBlack = (vx % 8 + (vy - Phase + 8) % 8) % 8 < 4;
            ASSERT_EQ(Dib.Pixel(vx, vy), IsBlack ? 0x000000u : 0xFFFFFFu);
        }
        EXPECT_GT(Black, 0);
        EXPECT_GT(White, 0);
        EXPECT_EQ(Dib.Pixel(40 + OX, 25 + OY), 0x808080u);
        EXPECT_EQ(Dib.Pixel(19 + OX, 25 + OY), 0x808080u);
    };
    Paint();
    ExpectAnts(0);
    EXPECT_TRUE(S->TimerAnt()->Enabled());
    // The top edge's pixel where a stripe begins turns from white to black.
    Integer x = 20;
    while ((x + OX + 10 + OY) % 8 != 4) ++x;
    EXPECT_EQ(Dib.Pixel(x + OX, 10 + OY), 0xFFFFFFu);
    Tick();
    Paint();
    ExpectAnts(1);
    EXPECT_EQ(Dib.Pixel(x + OX, 10 + OY), 0x000000u) << "the pattern moved";
    Tick = nullptr;
}
