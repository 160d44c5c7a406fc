// A maker for every kind of drawn object: each adds one object of its kind to
// a document, its place about the raster and its look (colours, outline up to
// 16 pixels, turn, shadow, reflection, style) drawn from a random source.
// The composition tests and the composition benchmark share them.
#pragma once

#include <random>

#include "DocumentTestView.h"
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

namespace objectkinds {
inline Integer Pick(std::mt19937& R, Integer N) { return Integer(R() % unsigned(N)); }
// A point about the raster, up to 20 pixels beyond its edges.
inline TPoint Anywhere(const TImageDraw& Doc, std::mt19937& R)
{
    return TPoint{Pick(R, Doc.SrcBmp()->Width() + 40) - 20, Pick(R, Doc.SrcBmp()->Height() + 40) - 20};
}

// A look drawn from R: colours, opacity, an outline up to 16 pixels wide,
// now and then a shadow or a reflection.
inline void Look(TImgShape& S, std::mt19937& R)
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
inline TRect SomeBox(const TImageDraw& Doc, std::mt19937& R)
{
    const TPoint P = Anywhere(Doc, R);
    return TRect{P.X, P.Y, P.X + 8 + Pick(R, 110), P.Y + 8 + Pick(R, 80)};
}

inline Single SomeTurn(std::mt19937& R)
{
    static const Single Turns[] = {0, 0, 30, 45, 90, 135, 200};
    return Turns[Pick(R, 7)];
}

template <class T>
inline T* Placed(TImageDraw& Doc, Integer Id, TShapeType Kind, std::mt19937& R)
{
    T* S = AddObject<T>(Doc, Id, Kind);
    Look(*S, R);
    return S;
}

inline void Boxed(TImgShape& S, const TRect& Box, Single Turn)
{
    S.SetSRect(Box);
    S.CalcCenterPoint();
    S.InitPoints(false);
    S.CalcPoints(true);
    S.SetAngle(Turn);
    S.SetCreating(false);
}

inline void AddRectangle(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgRectangle>(Doc, Id, shRectangle, R);
    S->SetStyleId(Pick(R, 12));
    Boxed(*S, SomeBox(Doc, R), SomeTurn(R));
}

inline void AddEllipse(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgEllipse>(Doc, Id, shEllipse, R);
    S->SetStyleId(Pick(R, 4));  // ellipse, arc, chord, pie
    Boxed(*S, SomeBox(Doc, R), SomeTurn(R));
}

inline void AddPolygon(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgPolygon>(Doc, Id, shPolygon, R);
    if (R() % 2) {
        // A free polygon with sharp spikes: the pen's miters reach far.
        S->SetStyleId(0);
        const TPoint P = Anywhere(Doc, R);
        for (Integer i = 0; i < 3 + Pick(R, 4); ++i) S->AddNewPoint(P.X + Pick(R, 120), P.Y + Pick(R, 90));
        S->AddNewPoint(P.X + 60, P.Y + 2);
        S->AddNewPoint(P.X + 61, P.Y + 70);
        S->SetCreating(false);
        S->CalcRect();
        S->CalcCenterPoint();
    } else {
        S->SetStyleId(1 + Pick(R, 4) + (R() % 2 ? 5 : 0));
        Boxed(*S, SomeBox(Doc, R), SomeTurn(R));
        S->CalcRect();
    }
}

inline void AddLine(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    const TShapeType Kind = R() % 2 ? shArrow : shLine;
    auto* S = Placed<TImgLine>(Doc, Id, Kind, R);
    S->SetShapeType(Kind);
    S->SetStyleId(Pick(R, 15));
    const TPoint A = Anywhere(Doc, R);
    S->SetPoint(1, A);
    S->SetPoint(4, TPoint{A.X + Pick(R, 160) - 80, A.Y + Pick(R, 120) - 60});
    S->CalcPoints(true);
    S->CalcRect();
    S->SetCreating(false);
}

inline void AddPencil(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgLines>(Doc, Id, shLines, R);
    const TPoint A = Anywhere(Doc, R);
    // A zigzag: sharp turns.
    for (Integer i = 0; i < 1 + Pick(R, 6); ++i) S->AddNewPoint(A.X + i * 12 + Pick(R, 8), A.Y + (i % 2) * (10 + Pick(R, 60)));
    S->SetStyleId(Pick(R, 12));
    S->CalcRect();
    S->CalcPointsRatio();
    S->SetCreating(false);
}

inline void AddText(TImageDraw& Doc, Integer Id, std::mt19937& R, TShapeType Kind)
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
    Boxed(*S, SomeBox(Doc, R), SomeTurn(R));
}

inline void AddFreeShape(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgFreeShape>(Doc, Id, shFreeShape, R);
    const TPoint A = Anywhere(Doc, R);
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

inline void AddPicture(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgSmall>(Doc, Id, shSmall, R);
    S->SrcBmp()->SetSize(20 + Pick(R, 40), 20 + Pick(R, 40));
    PaintDistinctPixels(*S->SrcBmp());
    Boxed(*S, SomeBox(Doc, R), SomeTurn(R));
    S->SetChanged2(true);
}

inline void AddHighlighter(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    auto* S = Placed<TImgHLRect>(Doc, Id, shHLRect, R);
    S->SetSRect(SomeBox(Doc, R));
    S->CalcCenterPoint();
    S->SetShadowMode(-1);
    S->SetReflectMode(-1);
    S->SetCreating(false);
}

// Lifted pixels on top (a document holds one selection, and a new one would
// put the old one's pixels down into the raster); then rectangles under them.
inline void AddSelection(TImageDraw& Doc, Integer Id, std::mt19937& R)
{
    if (Doc.SelectionExists()) {
        AddRectangle(Doc, Id, R);
        const Integer Last = Doc.DT()->ItemCount() - 1;
        Doc.DT()->MoveItem(Last, Last - 1);
        return;
    }
    TImgSelection* S = SelectRegion(Doc, SomeBox(Doc, R));
    if (!S) return;
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
inline const TKind Kinds[] = {
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
}  // namespace objectkinds
