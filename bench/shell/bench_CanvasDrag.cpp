// The canvas while an object is dragged, timed by this program (there is no
// Google Benchmark for the Windows builds): run under Wine by
// scripts/bench-canvas-drag.sh.
//   bench_CanvasDrag [STEPS]
// A 6000 x 5000 picture with 50 rectangles (half with a blurred shadow) in a
// 1280 x 800 view; the select tool presses on one and drags it by STEPS
// mouse moves (default 100). Each move is the canvas's own handling of a
// pointer move during a drag (the object moved, the picture composed again
// as the document does on a drag step). The peer is the same drag with the
// whole picture composed after every move. The window side drops moves that
// queued up behind a slow one, so only the newest move is ever handled.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "TestStartup.h"
#include "WinTiming.h"
#include "document/ImageRectangle.h"
#include "document/ObjectRows.h"
#include "document/win/ImageDraw_Win.h"
#include "shell/CanvasInputCore.h"

namespace {

constexpr Integer ViewX = 1200, ViewY = 1000;

class TOffscreenView : public TImageDrawView {
public:
    TLayerCollection* Layers() override { return &FLayers; }
    TCustomBitmap32* Bitmap() override { return &FBitmap; }
    Single OffsetHorz() override { return -ViewX; }
    Single OffsetVert() override { return -ViewY; }
    TRect GetViewportRect() override { return TRect{0, 0, 1280, 800}; }

private:
    TLayerCollection FLayers{nullptr};
    TCustomBitmap32 FBitmap;
};

// What the canvas asks of the main window, answered as a window would
// without drawing anything itself.
class TBenchHost : public TCanvasInputHost {
public:
    TImageDraw* Doc = nullptr;
    TImageDraw* Document() override { return Doc; }
    TCanvasViewGeometry ViewGeometry() override
    {
        return {-static_cast<Single>(ViewX), -static_cast<Single>(ViewY), 1, {-ViewX, -ViewY, 6000 - ViewX, 5000 - ViewY}};
    }
    void FocusCanvas() override {}
    void SetAutoScroll(bool) override {}
    void ShowNoStampSource() override {}
    void PopupEditMenu(Integer, Integer) override {}
    void ScrollViewBy(Integer, Integer) override {}
    bool ZoomClickAllowed() override { return true; }
    void ZoomClick(bool, Integer, Integer) override {}
    void SetCanvasCursor(TCursor) override {}
    void ShowPointer(const String&, const String&) override {}
    bool ShowPixelValue() override { return false; }
    void DrawRulers(bool) override {}
    void LoadToolProperties() override {}
    bool SelectionAntialiasing() override { return false; }
    void WandOptions(Integer&, bool&) override {}
    void GradientDo() override {}
    void ApplyCanvasDrag() override {}
    void FocusTextBox() override {}
    void ReleaseAddNodeButton(TShapeType) override {}
};

struct TTimes {
    double Median = 0, Fastest = 0, Slowest = 0;
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
    return {Ms[Ms.size() / 2], Ms.front(), Ms.back()};
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    InstallTestProgram();
    InstallImageDrawHooks();
    const Integer Steps = argc > 1 ? std::max(2, _wtoi(argv[1])) : 100;
    constexpr Integer W = 6000, H = 5000, Objects = 50;

    TOffscreenView View;
    TImageDraw Doc(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, nullptr, W, H, 0xC0A080,
                   false, 24);
    TDataTable UndoDT, ActionDT;
    Doc.SetUndoDT(&UndoDT);
    Doc.SetActionDT(&ActionDT);
    Doc.InitBitmap();
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x)
            Doc.SrcBmp()->SetPixel(x, y, 0xFF000000 | (static_cast<TColor32>(x * 255 / W) << 16) |
                                             (static_cast<TColor32>(y * 255 / H) << 8) | 0x60);
    Doc.SaveUndoFirst();

    std::vector<TImgRectangle*> Shapes;
    for (Integer I = 0; I < Objects; ++I) {
        TRow* Row = Doc.DT()->AddItem(u",,,,,,,,,,,,,");
        Row->GetItem(ObjCol::Id)->SetValue(I + 1);
        Row->GetItem(ObjCol::Kind)->SetValue(shRectangle);
        auto S = std::make_unique<TImgRectangle>(&Doc, I + 1, nullptr);
        const Integer X = 150 + (I % 10) * 580, Y = 150 + (I / 10) * 960;
        S->SetStyleId(I % 12);
        S->SetSRect({X, Y, X + 400, Y + 300});
        S->CalcCenterPoint();
        S->InitPoints(false);
        S->CalcPoints(true);
        S->SetIsFill(true);
        S->SetIsOutline(true);
        S->SetOutWidth(3);
        S->SetColor(0x202020);
        S->SetFillColor(0x3060F0 + I * 0x010203);
        S->SetOpacity(230);
        S->SetAntialias(false);
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
    Doc.Draw();

    TBenchHost Host;
    Host.Doc = &Doc;
    TCanvasInputCore Canvas(Host);
    Canvas.Tool.Type = shNone;
    // One of the objects the view shows (1310..1710 x 1110..1410), grabbed in its middle.
    TImgRectangle* Dragged = Shapes[12];

    auto Drag = [&](bool WholePicture) {
        const TRect At = Dragged->SRect();
        const Integer X = (At.Left + At.Right) / 2 - ViewX, Y = (At.Top + At.Bottom) / 2 - ViewY;
        Canvas.MouseDown(mbLeft, ssLeft, X, Y);
        TPoint Last{X, Y};
        const TTimes T = Time(Steps, [&](Integer I) {
            const Integer DX = (I % 20) < 10 ? (I % 10) * 5 : (10 - I % 10) * 5;
            Last = {X + 5 + DX, Y + 3 + I % 7};
            Canvas.MouseMove(ssLeft, Last.X, Last.Y);
            if (WholePicture) Doc.Draw();
        });
        Canvas.MouseUp(mbLeft, 0, Last.X, Last.Y);
        return T;
    };
    const TRect Before = Dragged->SRect();
    const TTimes Step = Drag(false);
    // A drag that moved nothing would time nothing.
    if (Dragged->SRect() == Before) {
        std::printf("the object did not move\n");
        return 1;
    }
    const TTimes Whole = Drag(true);
    std::printf("%-48s %9s %9s %9s\n", "drag on 6000 x 5000, 50 objects", "median", "fastest", "slowest");
    std::printf("%-48s %9.2f %9.2f %9.2f ms/move\n", "canvas: a pointer move while dragging", Step.Median, Step.Fastest,
                Step.Slowest);
    std::printf("%-48s %9.2f %9.2f %9.2f ms/move\n", "peer: the same with the whole picture composed", Whole.Median,
                Whole.Fastest, Whole.Slowest);
    std::printf("%-48s %9s\n", "goal: under 16 ms a move", Step.Median < 16 ? "met" : "missed");
    return 0;
}
