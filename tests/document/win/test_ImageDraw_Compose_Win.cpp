// Composition of what changed, for every kind of object as the platform
// paints it: each kind's picture area holds every pixel its drawing touches
// (thick outlines at sharp corners, line ends, arrow heads, turned objects,
// letters overrunning their frame), and after random moves, drags, turns,
// style and order changes, composing only what changed leaves the view
// bitmap as a full composition makes it, byte for byte.
#include <gtest/gtest.h>

#include <random>

#include "../ComposedPair.h"
#include "document/ImageEllipse.h"
#include "document/ImageFreeShape.h"
#include "document/ImageHLRect.h"
#include "document/ImageLine.h"
#include "document/ImageLines.h"
#include "document/ImagePolygon.h"
#include "document/ImageRectangle.h"
#include "document/ImageSelection.h"
#include "document/ImageSmall.h"
#include "document/ImageText.h"
#include "document/win/ImageDraw_Win.h"

namespace {
constexpr Integer W = 320, H = 200;

Integer Pick(std::mt19937& R, Integer N) { return Integer(R() % unsigned(N)); }
TPoint Anywhere(std::mt19937& R) { return TPoint{Pick(R, W + 40) - 20, Pick(R, H + 40) - 20}; }

// A look drawn from R: colours, opacity, an outline up to 16 pixels wide,
// now and then a shadow or a reflection.
void Look(TImgShape& S, std::mt19937& R)
{
    S.SetColor(Integer(R() & 0xFFFFFF));
    S.SetFillColor(Integer(R() & 0xFFFFFF));
    S.SetOpacity(120 + Pick(R, 136));
    S.SetIsFill(R() % 3 != 0);
    S.SetIsOutline(R() % 4 != 0);
    S.SetOutWidth(1 + Pick(R, 16));
    S.SetGradientMode(-1);
    S.SetAntialias(R() % 2 == 0);
    if (R() % 3 == 0) {
        S.SetShadowMode(0);
        S.SetShadowOpacity(150);
        S.SetShadowDistance(Pick(R, 12));
        S.SetShadowAngle(Pick(R, 360));
        S.SetShadowBlurSize(Pick(R, 3));
    }
    if (R() % 4 == 0) {
        S.SetReflectMode(0);
        S.SetReflectOpacity(120);
        S.SetReflectDistance(Pick(R, 6));
        S.SetReflectHeight(60);
        S.SetReflectBlurSize(1);
    }
}

// A box of at least 8 x 8 somewhere about the raster.
TRect SomeBox(std::mt19937& R)
{
    const TPoint P = Anywhere(R);
    return TRect{P.X, P.Y, P.X + 8 + Pick(R, 110), P.Y + 8 + Pick(R, 80)};
}

Single SomeTurn(std::mt19937& R)
{
    static const Single Turns[] = {0, 0, 30, 45, 90, 135, 200};
    return Turns[Pick(R, 7)];
}

template <class T>
T* Placed(TImageDraw& Doc, Integer Id, TShapeType Kind, std::mt19937& R)
{
    T* S = AddObject<T>(Doc, Id, Kind);
    Look(*S, R);
    return S;
}

void Boxed(TImgShape& S, const TRect& Box, Single Turn)
{
    S.SetSRect(Box);
    S.CalcCenterPoint();
    S.InitPoints(false);
    S.CalcPoints(true);
    S.SetAngle(Turn);
    S.SetCreating(false);
}

void AddRectangle(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgRectangle>(Doc, Id, shRectangle, R);
    S->SetStyleId(Pick(R, 12));
    Boxed(*S, SomeBox(R), SomeTurn(R));
}

void AddEllipse(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgEllipse>(Doc, Id, shEllipse, R);
    S->SetStyleId(Pick(R, 4));  // ellipse, arc, chord, pie
    Boxed(*S, SomeBox(R), SomeTurn(R));
}

void AddPolygon(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgPolygon>(Doc, Id, shPolygon, R);
    if (R() % 2) {
        // A free polygon with sharp spikes: the pen's miters reach far.
        S->SetStyleId(0);
        const TPoint P = Anywhere(R);
        for (Integer i = 0; i < 3 + Pick(R, 4); ++i) S->AddNewPoint(P.X + Pick(R, 120), P.Y + Pick(R, 90));
        S->AddNewPoint(P.X + 60, P.Y + 2);
        S->AddNewPoint(P.X + 61, P.Y + 70);
        S->SetCreating(false);
        S->CalcRect();
        S->CalcCenterPoint();
    } else {
        S->SetStyleId(1 + Pick(R, 4) + (R() % 2 ? 5 : 0));
        Boxed(*S, SomeBox(R), SomeTurn(R));
        S->CalcRect();
    }
}

void AddLine(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    const TShapeType Kind = R() % 2 ? shArrow : shLine;
    auto* S = Placed<TImgLine>(Doc, Id, Kind, R);
    S->SetShapeType(Kind);
    S->SetStyleId(Pick(R, 15));
    const TPoint A = Anywhere(R);
    S->SetPoint(1, A);
    S->SetPoint(4, TPoint{A.X + Pick(R, 160) - 80, A.Y + Pick(R, 120) - 60});
    S->CalcPoints(true);
    S->CalcRect();
    S->SetCreating(false);
}

void AddPencil(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgLines>(Doc, Id, shLines, R);
    const TPoint A = Anywhere(R);
    // A zigzag: sharp turns.
    for (Integer i = 0; i < 1 + Pick(R, 6); ++i) S->AddNewPoint(A.X + i * 12 + Pick(R, 8), A.Y + (i % 2) * (10 + Pick(R, 60)));
    S->SetStyleId(Pick(R, 12));
    S->CalcRect();
    S->CalcPointsRatio();
    S->SetCreating(false);
}

void AddText(TImageDraw& Doc, Integer Id, std::mt19937& R, TShapeType Kind)
{
    auto* S = Placed<TImgText>(Doc, Id, Kind, R);
    S->SetShapeType(Kind);
    S->SetStyleId(Pick(R, Kind == shCallout ? 12 : 3));
    // Often more text than the frame holds: the letters overrun it.
    S->SetText(R() % 2 ? u"Wg" : u"Overflowing words\nover several\nlines Wg");
    S->SetFontName(u"Arial");
    S->SetFontSize(8 + Pick(R, 30));
    S->SetFontColor(Integer(R() & 0xFFFFFF));
    S->SetFontItalic(R() % 2 == 0);
    S->SetFontStroke(R() % 3 == 0);
    S->SetFontStrokeWidth(1 + Pick(R, 6));
    Boxed(*S, SomeBox(R), SomeTurn(R));
}

void AddFreeShape(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgFreeShape>(Doc, Id, shFreeShape, R);
    const TPoint A = Anywhere(R);
    // Segments S, C1, C2, E, the handles flung out: the curve bulges past its nodes.
    String Text = u"#2<-1<<<<<<<<" + String(R() % 2 ? u"-1" : u"0") + u"#";
    TPoint P = A;
    const Integer N = 1 + Pick(R, 3);
    for (Integer i = 0; i < N; ++i) {
        const TPoint E{A.X + Pick(R, 120), A.Y + Pick(R, 90)};
        const TPoint C1{P.X + Pick(R, 80) - 40, P.Y + Pick(R, 80) - 40}, C2{E.X + Pick(R, 80) - 40, E.Y + Pick(R, 80) - 40};
        if (i > 0) Text += u">";
        for (const TPoint& Q : {P, C1, C2, E}) Text += IntToStr(Q.X) + u"<" + IntToStr(Q.Y) + u"<";
        Text += i == 0 ? u"<0<<<0<0<<<<<<<<<<<" : u"<-1<<<0<0<<<<<<<<<<<";
        P = E;
    }
    S->SetLoading(true);
    S->SetPoints(Text);
    S->SetLoading(false);
    S->SetCreating(false);
    S->CalcRect();
    S->CalcCenterPoint();
    S->CalcPointsRatio();
    S->SetAngle(SomeTurn(R));
}

void AddPicture(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgSmall>(Doc, Id, shSmall, R);
    S->SrcBmp()->SetSize(20 + Pick(R, 40), 20 + Pick(R, 40));
    PaintDistinctPixels(*S->SrcBmp());
    Boxed(*S, SomeBox(R), SomeTurn(R));
    S->SetChanged2(true);
}

void AddHighlighter(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgHLRect>(Doc, Id, shHLRect, R);
    S->SetSRect(SomeBox(R));
    S->CalcCenterPoint();
    S->SetShadowMode(-1);
    S->SetReflectMode(-1);
    S->SetCreating(false);
}

// Lifted pixels on top (a document holds one selection, and a new one would
// put the old one's pixels down into the raster); then rectangles under them.
void AddSelection(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    if (Doc.SelectionExists()) {
        AddRectangle(Doc, Id, R);
        const Integer Last = Doc.DT()->ItemCount() - 1;
        Doc.DT()->MoveItem(Last, Last - 1);
        return;
    }
    TImgSelection* S = SelectRegion(Doc, SomeBox(R));
    ASSERT_NE(S, nullptr);
    auto Lifted = std::make_unique<TCustomBitmap32>();
    const TRect B = S->RegionHandle().Bounds();
    Lifted->SetSize(B.Right - B.Left, B.Bottom - B.Top);
    PaintDistinctPixels(*Lifted);
    S->SetSelBitmap(std::move(Lifted));
    S->SetCreating(false);
}

struct TKind {
    const char* Name;
    void (*Add)(TImageDraw& Doc, Integer Id, std::mt19937& R);
    // Whether the kind turns (a turn step applies to it).
    bool Turns;
};
const TKind Kinds[] = {
    {"rectangle", &AddRectangle, true},
    {"ellipse", &AddEllipse, true},
    {"polygon", &AddPolygon, true},
    {"line and arrow", &AddLine, false},
    {"pencil stroke", &AddPencil, false},
    {"text", [](TImageDraw& D, Integer Id, std::mt19937& R) { AddText(D, Id, R, shText); }, true},
    {"callout", [](TImageDraw& D, Integer Id, std::mt19937& R) { AddText(D, Id, R, shCallout); }, true},
    {"free shape", &AddFreeShape, true},
    {"picture", &AddPicture, true},
    {"highlighter", &AddHighlighter, false},
    {"selection", &AddSelection, false},
};

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
