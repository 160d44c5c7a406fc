// Composition while an object is dragged, timed by this program (there is
// no Google Benchmark for the Windows builds): run under Wine by
// scripts/bench-composition.sh.
//   bench_Composition [STEPS]
// A 4000 x 3000 raster with 50 rectangles of every style, half of them with
// a blurred shadow; one shadowed rectangle is dragged by STEPS mouse steps
// (default 100), the document recomposed after each, as the editor does:
// once in full (Draw) and once composing only what changed within what the
// view shows (DrawChanged).
//
// The peer, in the same run on the same bitmaps: the raw raster-engine blend
// of what a step shows: the raster copied, the cached shadow bitmaps and a
// bitmap of each object rendered once beforehand blended at their places.
// It stands for the least a compositor of these layers can do per step
// (nothing is drawn again, not even the dragged object), so the ratio tells
// what composition adds: drawing the dragged object anew with GDI+ and the
// bookkeeping of the object table. Quality: the share of pixels where the
// two results differ, and the largest difference of a channel.
//
// A second document of the same size holds 50 objects of every kind
// (rectangles, ellipses, polygons, lines and arrows, pencil strokes, texts,
// callouts, free shapes, pictures, highlighters; random looks, outlines up to
// 16 pixels, turns, shadows and reflections) gathered in the view; a text is
// dragged the same way, composed in full and composing only what changed,
// with the pixels of the view where the two differ.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestStartup.h"
#include "WinTiming.h"
#include "document/BenchDocument.h"
#include "document/ObjectKinds.h"
#include "document/ImageRectangle.h"
#include "document/win/ImageDraw_Win.h"

namespace {

// An object's picture as drawn at its place, over the area its drawing touches.
std::unique_ptr<TCustomBitmap32> Prerender(TImgShape& Shape)
{
    const TRect R = Shape.PictureBounds();
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(R.Right - R.Left, R.Bottom - R.Top);
    B->Clear(0);
    B->SetDrawMode(dmBlend);
    B->SetCombineMode(cmMerge);
    Shape.OffsetShape(-R.Left, -R.Top);
    Shape.Draw(B.get());
    Shape.OffsetShape(R.Left, R.Top);
    return B;
}
// One mouse step of a drag: 5 pixels right (left on every other ten steps)
// and 3 down.
void DragStep(TImgShape& Shape, Integer I)
{
    Shape.SetAdjusting(true);
    Shape.PrepareMove();
    Shape.MoveShape(0, 0, (I % 20) < 10 ? 5 : -5, 3);
    Shape.SetChanged2(true);
}

struct TDrag {
    TStepTimes Full, Release, Partial;
    Int64 Differ = 0;
};
// Shape dragged by Steps steps, each composed in full, and released (its
// effects rebuilt once); the same drag composing only what changed within
// what the view shows, released; then the pixels of the view where that
// picture and a full composition of the same state differ.
TDrag DragBothWays(TImageDraw& Doc, TImgShape& Shape, Integer Steps)
{
    TDrag D;
    D.Full = TimeSteps(Steps, [&](Integer I) {
        DragStep(Shape, I);
        Doc.Draw();
    });
    D.Release = TimeSteps(1, [&](Integer) {
        Shape.SetAdjusting(false);
        Doc.Draw();
    });
    const TRect Visible = Doc.VisibleImageRect();
    D.Partial = TimeSteps(Steps, [&](Integer I) {
        DragStep(Shape, I);
        Doc.DrawChanged(Visible);
    });
    Shape.SetAdjusting(false);
    Doc.DrawChanged(Visible);
    TCustomBitmap32 PartialPicture;
    PartialPicture.Assign(Doc.Bitmap());
    Doc.Draw();
    for (Integer y = Visible.Top; y < Visible.Bottom; ++y)
        for (Integer x = Visible.Left; x < Visible.Right; ++x)
            D.Differ += PartialPicture.Pixel(x, y) != Doc.Bitmap()->Pixel(x, y);
    return D;
}
}  // namespace

int wmain(int argc, wchar_t** argv)
{
    InstallTestProgram();
    InstallImageDrawHooks();
    const Integer Steps = argc > 1 ? std::max(1, _wtoi(argv[1])) : 100;
    constexpr Integer W = 4000, H = 3000, Objects = 50;

    TOffscreenView View(1200, 1000);
    TImageDraw Doc(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, nullptr, W, H, 0xC0A080,
                   false, 24);
    Doc.InitBitmap();
    FillBands(Doc, W, H);

    const std::vector<TImgRectangle*> Shapes = AddRectangleGrid(Doc, Objects, {100, 100}, {380, 560}, {300, 200});
    const double Build0 = NowMs();
    Doc.Draw();  // builds every shadow once
    const double BuildMs = NowMs() - Build0;

    // The dragged object: a shadowed one in the middle.
    TImgRectangle* Dragged = Shapes[24];
    const TDrag Rects = DragBothWays(Doc, *Dragged, Steps);

    // The peer's layers, made once from the same objects and shadows.
    std::vector<std::unique_ptr<TCustomBitmap32>> Pictures;
    for (TImgRectangle* S : Shapes) Pictures.push_back(Prerender(*S));
    TCustomBitmap32 Peer;
    Peer.SetSize(W, H);
    Peer.SetDrawMode(dmBlend);
    Doc.SrcBmp()->SetDrawMode(dmOpaque);
    auto Blend = [&] {
        Peer.Draw(0, 0, Doc.SrcBmp());
        for (size_t K = 0; K < Shapes.size(); ++K) {
            TImgRectangle* S = Shapes[K];
            const TRect R = S->RotateRect();
            if (S->ShadowBmp() && S != Dragged)
                Peer.Draw(R.Left + S->ShadowOffsetAngleLeft() - S->ShadowExtendLength() - S->ShadowOffsetZoomLeft(),
                          R.Top + S->ShadowOffsetAngleTop() - S->ShadowExtendLength() - S->ShadowOffsetZoomTop(),
                          S->ShadowBmp());
            const TRect P = S->PictureBounds();
            Peer.Draw(P.Left, P.Top, Pictures[K].get());
        }
    };
    const TStepTimes Raw = TimeSteps(Steps, [&](Integer I) {
        DragStep(*Dragged, I);
        Blend();
    });

    // Quality: the same step from both, the dragged object's shadow left out
    // of both (composition leaves it out while dragging).
    DragStep(*Dragged, 0);
    Doc.Draw();
    Blend();
    Int64 Differ = 0;
    Integer MaxDiff = 0;
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) {
            const TColor32 A = Doc.Bitmap()->Pixel(x, y), B = Peer.Pixel(x, y);
            if (A == B) continue;
            ++Differ;
            for (Integer Shift : {0, 8, 16})
                MaxDiff = std::max(MaxDiff, std::abs(Integer((A >> Shift) & 0xFF) - Integer((B >> Shift) & 0xFF)));
        }

    // Every kind: 50 objects in a grid of 10 x 5 cells over the view.
    TOffscreenView KindsView(1200, 1000);
    TImageDraw Kinds(&KindsView, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, nullptr, W, H,
                     0xC0A080, false, 24);
    Kinds.InitBitmap();
    Kinds.SrcBmp()->Assign(Doc.SrcBmp());
    std::mt19937 R(1);
    constexpr Integer KindCount = 10;  // every kind but the selection
    for (Integer I = 0; I < Objects; ++I) {
        objectkinds::Kinds[I % KindCount].Add(Kinds, I + 1, R);
        TImgShape* S = TImageDraw::RowShape(Kinds.DT()->GetItem(I));
        const TRect B = S->SRect();
        S->OffsetShape(1200 + (I % 10) * 128 - B.Left, 1000 + (I / 10) * 160 - B.Top);
    }
    Kinds.Draw();
    // The dragged object: a text in the middle.
    const TDrag Every = DragBothWays(Kinds, *TImageDraw::RowShape(Kinds.DT()->GetItem(25)), Steps);

    std::printf("%-44s %9s %9s\n", "composition, 4000 x 3000, 50 objects", "median", "fastest");
    std::printf("%-44s %9.2f %9.2f ms/step\n", "TImageDraw.Draw while dragging", Rects.Full.Median, Rects.Full.Fastest);
    std::printf("%-44s %9.2f %9.2f ms/step\n", "TImageDraw.DrawChanged while dragging", Rects.Partial.Median,
                Rects.Partial.Fastest);
    std::printf("%-44s %9.2f %9.2f ms/step\n", "peer: raster-engine blend of cached layers", Raw.Median, Raw.Fastest);
    std::printf("%-44s %9.2f\n", "ratio (composition / peer, medians)", Rects.Full.Median / Raw.Median);
    std::printf("%-44s %9.2f ms\n", "first composition (every shadow built)", BuildMs);
    std::printf("%-44s %9.2f ms\n", "release (the dragged shadow rebuilt)", Rects.Release.Median);
    std::printf("%-44s %lld pixels of the view differ\n", "quality: DrawChanged vs Draw",
                static_cast<long long>(Rects.Differ));
    std::printf("%-44s %9.2f %9.2f ms/step\n", "every kind: TImageDraw.Draw while dragging", Every.Full.Median,
                Every.Full.Fastest);
    std::printf("%-44s %9.2f %9.2f ms/step\n", "every kind: TImageDraw.DrawChanged while dragging",
                Every.Partial.Median, Every.Partial.Fastest);
    std::printf("%-44s %lld pixels of the view differ\n", "quality: every kind, DrawChanged vs Draw",
                static_cast<long long>(Every.Differ));
    std::printf("%-44s %8.4f%% of pixels, largest channel difference %d\n", "quality: composition vs peer",
                100.0 * static_cast<double>(Differ) / (static_cast<double>(W) * H), MaxDiff);
    return 0;
}
