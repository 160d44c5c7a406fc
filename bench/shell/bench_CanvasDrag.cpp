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
#include "document/BenchDocument.h"
#include "document/ImageRectangle.h"
#include "document/ObjectRows.h"
#include "document/win/ImageDraw_Win.h"
#include "shell/CanvasInputCore.h"

namespace {

constexpr Integer ViewX = 1200, ViewY = 1000;

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

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    InstallTestProgram();
    InstallImageDrawHooks();
    const Integer Steps = argc > 1 ? std::max(2, _wtoi(argv[1])) : 100;
    constexpr Integer W = 6000, H = 5000, Objects = 50;

    TOffscreenView View(ViewX, ViewY);
    TImageDraw Doc(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, nullptr, W, H, 0xC0A080,
                   false, 24);
    TDataTable UndoDT, ActionDT;
    Doc.SetUndoDT(&UndoDT);
    Doc.SetActionDT(&ActionDT);
    Doc.InitBitmap();
    FillBands(Doc, W, H);
    Doc.SaveUndoFirst();

    const std::vector<TImgRectangle*> Shapes = AddRectangleGrid(Doc, Objects, {150, 150}, {580, 960}, {400, 300});
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
        const TStepTimes T = TimeSteps(Steps, [&](Integer I) {
            const Integer DX = (I % 20) < 10 ? (I % 10) * 5 : (10 - I % 10) * 5;
            Last = {X + 5 + DX, Y + 3 + I % 7};
            Canvas.MouseMove(ssLeft, Last.X, Last.Y);
            if (WholePicture) Doc.Draw();
        });
        Canvas.MouseUp(mbLeft, 0, Last.X, Last.Y);
        return T;
    };
    const TRect Before = Dragged->SRect();
    const TStepTimes Step = Drag(false);
    // A drag that moved nothing would time nothing.
    if (Dragged->SRect() == Before) {
        std::printf("the object did not move\n");
        return 1;
    }
    const TStepTimes Whole = Drag(true);
    std::printf("%-48s %9s %9s %9s\n", "drag on 6000 x 5000, 50 objects", "median", "fastest", "slowest");
    std::printf("%-48s %9.2f %9.2f %9.2f ms/move\n", "canvas: a pointer move while dragging", Step.Median, Step.Fastest,
                Step.Slowest);
    std::printf("%-48s %9.2f %9.2f %9.2f ms/move\n", "peer: the same with the whole picture composed", Whole.Median,
                Whole.Fastest, Whole.Slowest);
    std::printf("%-48s %9s\n", "goal: under 16 ms a move", Step.Median < 16 ? "met" : "missed");
    return 0;
}
