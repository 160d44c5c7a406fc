// Composition of what changed, for every kind of object as the platform
// paints it: each kind's picture area holds every pixel its drawing touches
// (thick outlines at sharp corners, line ends, arrow heads, turned objects,
// letters overrunning their frame), and after random moves, drags, turns,
// style and order changes, composing only what changed leaves the view
// bitmap as a full composition makes it, byte for byte.
#include <gtest/gtest.h>

#include <random>

#include "../ComposedPair.h"
#include "../ObjectKinds.h"
#include "document/win/ImageDraw_Win.h"

using namespace objectkinds;

namespace {
constexpr Integer W = 320, H = 200;

// One document of the pair: the same steps go to both.
struct TSide : TComposedSide {
    TSide() : TComposedSide(W, H) {}
};

class ComposeWin : public ::testing::Test {
protected:
    void SetUp() override { InstallImageDrawHooks(); }
};
}  // namespace

TEST_F(ComposeWin, EveryKindDrawsInsideItsPictureArea)
{
    for (const TKind& K : Kinds) {
        SCOPED_TRACE(K.Name);
        for (unsigned Seed = 1; Seed <= 40; ++Seed) {
            SCOPED_TRACE(Seed);
            TSide S;
            std::mt19937 R(Seed);
            K.Add(*S.Doc, 1, R);
            TImgShape* Shape = S.Object(S.Doc->DT()->ItemCount() - 1);
            for (const bool Editing : {false, true}) {
                Shape->SetAdjusting(Editing);
                const TRect Area = Shape->PictureBounds();
                ASSERT_LT(Area.Left, Area.Right);
                ASSERT_LT(Area.Top, Area.Bottom);
                TCustomBitmap32 B;
                B.SetSize(W, H);
                B.Clear(0);
                Shape->SetChanged2(true);
                Shape->Draw(&B);
                Integer Outside = 0;
                TPoint First;
                for (Integer y = 0; y < H; ++y)
                    for (Integer x = 0; x < W; ++x)
                        if (B.Pixel(x, y) != 0 && !(x >= Area.Left && x < Area.Right && y >= Area.Top && y < Area.Bottom))
                            if (Outside++ == 0) First = TPoint{x, y};
                EXPECT_EQ(Outside, 0) << "first at " << First.X << "," << First.Y << ", area " << Area.Left << ","
                                      << Area.Top << " - " << Area.Right << "," << Area.Bottom
                                      << (Editing ? " while dragged" : "");
                if (Outside > 0) break;
            }
        }
    }
}

TEST_F(ComposeWin, ComposingWhatChangedEqualsAFullCompositionForEveryKind)
{
    for (const TKind& K : Kinds) {
        SCOPED_TRACE(K.Name);
        TSide Partial, Full;
        std::mt19937 RP(7), RF(7);
        Integer NextId = 1;
        for (Integer i = 0; i < 8; ++i) {
            K.Add(*Partial.Doc, NextId, RP);
            K.Add(*Full.Doc, NextId++, RF);
        }
        Partial.Doc->Draw();
        Full.Doc->Draw();
        std::mt19937 R(11);
        Integer Composed = 0;
        for (Integer Step = 0; Step < 120; ++Step) {
            const Integer Count = Partial.Doc->DT()->ItemCount();
            const Integer Index = Count > 0 ? Pick(R, Count) : 0;
            const Integer Op = Pick(R, 10);
            const Integer DX = Pick(R, 31) - 15, DY = Pick(R, 31) - 15, To = Count > 0 ? Pick(R, Count) : 0;
            const unsigned NewSeed = unsigned(R());
            for (TSide* S : {&Partial, &Full}) {
                if (Count == 0 && Op != 9) break;
                TImgShape* O = Count > 0 ? S->Object(Index) : nullptr;
                // The selection stays on top of the table.
                const bool Top = dynamic_cast<TImgSelection*>(O) != nullptr;
                switch (Op) {
                case 0: O->OffsetShape(DX, DY); break;  // a move by the keys
                case 1:                                  // a mouse drag step
                    O->SetAdjusting(true);
                    O->PrepareMove();
                    O->MoveShape(0, 0, DX, DY);
                    break;
                case 2: O->SetAdjusting(false); break;  // the release
                case 3:                                  // turned
                    if (!K.Turns || Top) break;
                    O->SetAngle(O->Angle() + 15 * DX);
                    O->SetRotated2(true);
                    break;
                case 4:  // another place in the order
                    if (!Top && !dynamic_cast<TImgSelection*>(S->Object(To))) S->Doc->DT()->MoveItem(Index, To);
                    break;
                case 5:  // a style change
                    O->SetColor(DX * 0x10307 & 0xFFFFFF);
                    O->SetOpacity(100 + (DY + 15) * 5);
                    O->SetOutWidth(1 + (DX + 15) / 2);
                    O->SetChanged2(true);
                    break;
                case 6:  // a shadow switched
                    O->SetShadowMode(O->ShadowMode() == -1 && !Top ? 0 : -1);
                    O->SetShadowDistance(DX + 15);
                    O->SetChanged2(true);
                    break;
                case 7: O->SetHided(!O->Hided()); break;
                case 8:
                    if (!Top) S->Doc->DT()->RemoveItemByIndex(Index);
                    break;
                case 9: {
                    std::mt19937 New(NewSeed);
                    K.Add(*S->Doc, 100 + Step, New);
                    break;
                }
                }
            }
            const bool All = Step % 4 != 3;
            const TRect Visible = All ? TRect{} : TRect{DX + 40, DY + 30, DX + 240, DY + 150};
            const TRect Area = Partial.Doc->DrawChanged(Visible);
            Composed += Area != TRect{0, 0, W, H};
            Full.Doc->Draw();
            ASSERT_EQ(Differences(Partial, Full, All ? TRect{0, 0, W, H} : Visible), 0) << "step " << Step << " op " << Op;
        }
        // The kind names its area: composition did not fall back to full ones.
        EXPECT_GT(Composed, 100);
    }
}
