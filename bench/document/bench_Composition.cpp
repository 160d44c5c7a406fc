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
#include "document/ObjectKinds.h"
#include "document/ImageRectangle.h"
#include "document/win/ImageDraw_Win.h"

namespace {

struct TTimes {
    double Median = 0, Fastest = 0;
};

TTimes Time(Integer Steps, const std::function<void(Integer)>& Step)
{
    std::vector<double> Ms;
    for (Integer I = 0; I < Steps; ++I) {
        const double T0 = NowMs();
        Step(I);
        Ms.push_back(NowMs() - T0);
    }
    std::sort(Ms.begin(), Ms.end());
    return {Ms[Ms.size() / 2], Ms.front()};
}

// The document's view without a window: a 1280 x 800 viewport showing the
// picture from (1200, 1000), where the dragged object lies.
class TOffscreenView : public TImageDrawView {
public:
    TLayerCollection* Layers() override { return &FLayers; }
    TCustomBitmap32* Bitmap() override { return &FBitmap; }
    Single OffsetHorz() override { return -1200; }
    Single OffsetVert() override { return -1000; }
    TRect GetViewportRect() override { return TRect{0, 0, 1280, 800}; }

private:
    TLayerCollection FLayers{nullptr};
    TCustomBitmap32 FBitmap;
};

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
    TTimes Full, Release, Partial;
    Int64 Differ = 0;
};
// Shape dragged by Steps steps, each composed in full, and released (its
// effects rebuilt once); the same drag composing only what changed within
// what the view shows, released; then the pixels of the view where that
// picture and a full composition of the same state differ.
TDrag DragBothWays(TImageDraw& Doc, TImgShape& Shape, Integer Steps)
{
    TDrag D;
    D.Full = Time(Steps, [&](Integer I) {
        DragStep(Shape, I);
        Doc.Draw();
    });
    D.Release = Time(1, [&](Integer) {
        Shape.SetAdjusting(false);
        Doc.Draw();
    });
    const TRect Visible = Doc.VisibleImageRect();
    D.Partial = Time(Steps, [&](Integer I) {
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

    TOffscreenView View;
    TImageDraw Doc(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, nullptr, W, H, 0xC0A080,
                   false, 24);
    Doc.InitBitmap();
    // A raster with some content: bands of colour.
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x)
            Doc.SrcBmp()->SetPixel(x, y, 0xFF000000 | (static_cast<TColor32>(x * 255 / W) << 16) |
                                             (static_cast<TColor32>(y * 255 / H) << 8) | 0x60);

    std::vector<TImgRectangle*> Shapes;
    for (Integer I = 0; I < Objects; ++I) {
        TRow* Row = Doc.DT()->AddItem(u",,,,,,,,,,,,,");
        Row->GetItem(ObjCol::Id)->SetValue(I + 1);
        Row->GetItem(ObjCol::Kind)->SetValue(shRectangle);
        auto S = std::make_unique<TImgRectangle>(&Doc, I + 1, nullptr);
        const Integer X = 100 + (I % 10) * 380, Y = 100 + (I / 10) * 560;
        S->SetStyleId(I % 12);
        S->SetSRect({X, Y, X + 300, Y + 200});
        S->CalcCenterPoint();
        S->InitPoints(false);
        S->CalcPoints(true);
        S->SetIsFill(true);
        S->SetIsOutline(true);
        S->SetOutWidth(3);
        S->SetColor(0x202020);
        S->SetFillColor(0x3060F0 + I * 0x010203);
        S->SetOpacity(230);
        S->SetAntialias(false);  // Wine draws no anti-aliasing either way
        if (I % 2 == 0) {
            S->SetShadowMode(0);
            S->SetShadowColor(0);
            S->SetShadowOpacity(160);
            S->SetShadowDistance(12);
            S->SetShadowAngle(45);
            S->SetShadowBlurSize(3);
        }
        S->SetCreating(false);
        Shapes.push_back(S.get());
        Row->Data().Own(std::move(S));
    }
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
    const TTimes Raw = Time(Steps, [&](Integer I) {
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
    TOffscreenView KindsView;
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
