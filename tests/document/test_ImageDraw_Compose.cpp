// Composition of what changed: after random moves, drags, resizes, changes
// of order, style, visibility, new and deleted objects, DrawChanged leaves
// the view bitmap as Draw makes it, byte for byte, over the part it was told
// the view shows, and everywhere once the view shows everything.
#include <gtest/gtest.h>

#include <random>

#include "ComposedPair.h"
#include "document/ImageEffects.h"
#include "document/ImageRectangle.h"

namespace {
// The closed-shape painter where the platform has none: the object's
// rectangle filled with its fill colour at its opacity and framed in its
// colour, so that objects, pictures and effects all have pixels.
void PaintBox(TImgShape& Shape, TCustomBitmap32& Target, const TClosedShapeDraw&)
{
    const TRect R = Shape.SRect();
    const TColor32 A = static_cast<TColor32>(std::clamp(Shape.Opacity(), 0, 255)) << 24;
    Target.FillRectTS(R, (ColorToColor32(Shape.FillColor()) & 0x00FFFFFF) | A);
    Target.FrameRectTS(R, (ColorToColor32(Shape.Color()) & 0x00FFFFFF) | A);
}

constexpr Integer W = 320, H = 200;

// One document of the pair: the same steps go to both.
struct TSide : TComposedSide {
    TSide() : TComposedSide(W, H) {}
};

void AddBox(TSide& S, Integer Id, std::mt19937& R)
{
    auto* B = AddObject<TImgRectangle>(*S.Doc, Id, shRectangle);
    const Integer X = Integer(R() % (W - 20)) - 10, Y = Integer(R() % (H - 20)) - 10;
    B->SetSRect({X, Y, X + 8 + Integer(R() % 90), Y + 8 + Integer(R() % 70)});
    B->CalcCenterPoint();
    B->SetIsFill(true);
    B->SetIsOutline(true);
    B->SetOutWidth(1 + Integer(R() % 4));
    B->SetColor(Integer(R() & 0xFFFFFF));
    B->SetFillColor(Integer(R() & 0xFFFFFF));
    B->SetOpacity(120 + Integer(R() % 136));
    if (R() % 2) {
        B->SetShadowMode(0);
        B->SetShadowOpacity(150);
        B->SetShadowDistance(Integer(R() % 12));
        B->SetShadowAngle(Integer(R() % 360));
        B->SetShadowBlurSize(Integer(R() % 3));
    }
    if (R() % 3 == 0) {
        B->SetReflectMode(0);
        B->SetReflectOpacity(120);
        B->SetReflectDistance(Integer(R() % 6));
        B->SetReflectHeight(60);
        B->SetReflectBlurSize(1);
    }
    B->SetCreating(false);
}

}  // namespace

TEST(ComposingWhatChanged, EqualsAFullCompositionAfterRandomSteps)
{
    const TImageEffectsHooks Saved = ImageEffectsHooks;
    auto Restore = ScopeExit([&] { ImageEffectsHooks = Saved; });
    ImageEffectsHooks.DrawClosedShape = &PaintBox;
    for (const unsigned Seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(Seed);
        TSide Partial, Full;
        std::mt19937 RP(Seed), RF(Seed);
        Integer NextId = 1;
        for (Integer i = 0; i < 12; ++i) {
            AddBox(Partial, NextId, RP);
            AddBox(Full, NextId++, RF);
        }
        Partial.Doc->Draw();
        Full.Doc->Draw();
        std::mt19937 R(Seed * 7919);
        Integer Composed = 0;
        for (Integer Step = 0; Step < 300; ++Step) {
            const Integer Count = Partial.Doc->DT()->ItemCount();
            const Integer K = Count > 0 ? Integer(R() % Count) : 0;
            const Integer Op = Integer(R() % 10);
            const Integer DX = Integer(R() % 31) - 15, DY = Integer(R() % 31) - 15;
            const Integer To = Count > 0 ? Integer(R() % Count) : 0;
            const Integer Pick = Integer(R() % 1000);
            for (TSide* S : {&Partial, &Full}) {
                if (Count == 0 && Op != 9) break;
                TImgShape* B = Count > 0 ? S->Object(K) : nullptr;
                switch (Op) {
                case 0: B->OffsetShape(DX, DY); break;  // a move by the keys
                case 1:                                  // a mouse drag step, without effects
                    B->SetAdjusting(true);
                    B->PrepareMove();
                    B->MoveShape(0, 0, DX, DY);
                    break;
                case 2: B->SetAdjusting(false); break;  // the release: effects come back
                case 3: {                               // resized
                    const TRect Rc = B->SRect();
                    B->SetSRect({Rc.Left, Rc.Top, Rc.Right + DX / 2 + 8, Rc.Bottom + DY / 2 + 8});
                    B->CalcCenterPoint();
                    B->SetChanged2(true);
                    break;
                }
                case 4: S->Doc->DT()->MoveItem(K, To); break;  // another place in the order
                case 5:                                           // a style change
                    B->SetFillColor(Pick * 0x10307);
                    B->SetOpacity(100 + Pick % 156);
                    B->SetChanged2(true);
                    break;
                case 6:  // an effect switched
                    B->SetShadowMode(B->ShadowMode() == -1 ? 0 : -1);
                    B->SetShadowDistance(Pick % 10);
                    B->SetChanged2(true);
                    break;
                case 7: B->SetHided(!B->Hided()); break;
                case 8: S->Doc->DT()->RemoveItemByIndex(K); break;
                case 9: {
                    std::mt19937 New(Seed * 1000 + static_cast<unsigned>(Step));
                    AddBox(*S, 100 + Step, New);
                    break;
                }
                }
            }
            // Mostly the whole picture in view; now and then only a part (what
            // changed outside it waits for a later step).
            const bool All = Step % 4 != 3;
            const TRect Visible =
                All ? TRect{} : TRect{Integer(Pick % 120) - 20, Integer(Pick % 80) - 20, Integer(Pick % 120) + 180, Integer(Pick % 80) + 140};
            const TRect Area = Partial.Doc->DrawChanged(Visible);
            Composed += Area.Right > Area.Left;
            Full.Doc->Draw();
            ASSERT_EQ(Differences(Partial, Full, All ? TRect{0, 0, W, H} : Visible), 0)
                << "step " << Step << " op " << Op;
        }
        EXPECT_GT(Composed, 50);  // the partial path was taken, not only full ones
    }
}

TEST(ComposingWhatChanged, ComposesOnlyTheUnionOfTheOldAndNewPlace)
{
    const TImageEffectsHooks Saved = ImageEffectsHooks;
    auto Restore = ScopeExit([&] { ImageEffectsHooks = Saved; });
    ImageEffectsHooks.DrawClosedShape = &PaintBox;
    TSide S;
    std::mt19937 R(5);
    AddBox(S, 1, R);
    TImgShape* B = S.Object(0);
    B->SetShadowMode(-1);
    B->SetReflectMode(-1);
    // The path runs on the last pixels inside the rectangle; the pen's corner
    // reaches 1.41 beyond it, anti-aliasing 2 more, rounded outward.
    B->SetOutWidth(2);
    B->SetSRect({50, 40, 90, 70});
    B->CalcCenterPoint();
    EXPECT_EQ(S.Doc->DrawChanged(TRect{}), (TRect{0, 0, W, H}));  // before any Draw: a full one
    EXPECT_EQ(S.Doc->DrawChanged(TRect{}), TRect{});             // nothing changed
    B->OffsetShape(10, 5);
    EXPECT_EQ(S.Doc->DrawChanged(TRect{}), (TRect{46, 36, 103, 78}));
    // Outside the view: nothing now, the stale part when the view reaches it.
    B->OffsetShape(100, 0);
    EXPECT_EQ(S.Doc->DrawChanged(TRect{0, 0, 40, 40}), TRect{});
    EXPECT_EQ(S.Doc->DrawChanged(TRect{0, 0, W, H}), (TRect{56, 41, 203, 78}));
    EXPECT_EQ(S.Doc->DrawChanged(TRect{}), TRect{});
}
