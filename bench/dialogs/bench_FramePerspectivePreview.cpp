// The preview latency of the perspective and frame dialogs on a 12-megapixel
// picture, timed by this program (there is no Google Benchmark for the
// Windows builds): run under Wine by scripts/bench-dialog-previews.sh.
//   bench_FramePerspectivePreview [REPEATS]
// A 4000 x 3000 picture seen through a 1280 x 800 view. One step is what a
// dialog does for one preview: the perspective dialog's corners turned into
// fractions and EffectDoTransform (which redraws by itself); the frame
// dialog's FrameDo0 .. FrameDo3 with the values a fresh installation opens
// with, then Draw. Every preview starts again from the run's copy, as in
// the dialogs. The baseline in the same run: copying the picture's pixels
// once (the least any preview from a copy costs). Goal: under 300 ms.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "TestStartup.h"
#include "WinTiming.h"
#include "dialogs/ImageFramesCore.h"
#include "dialogs/ImageTransformCore.h"
#include "document/BenchDocument.h"

namespace {

void Report(const char* Name, std::pair<double, double> T, double Copy)
{
    std::printf("  %-34s %8.1f / %8.1f   x%.1f of a copy   %s\n", Name, T.first, T.second,
                Copy > 0 ? T.first / Copy : 0.0, T.first < 300 ? "under 300 ms" : "OVER 300 ms");
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    InstallTestProgram();
    InstallImageDrawHooks();
    const int Repeats = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
    constexpr Integer W = 4000, H = 3000;

    TOffscreenView View(1000, 1000);
    TImageDraw Doc(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, nullptr, W, H, 0xFFFFFF,
                   false, 24);
    TDataTable UndoDT, ActionDT;
    Doc.SetUndoDT(&UndoDT);
    Doc.SetActionDT(&ActionDT);
    Doc.InitBitmap();
    FillBands(Doc, W, H);
    Doc.SaveUndoFirst();
    Doc.Draw();

    TCustomBitmap32 Copy;
    const auto CopyTime = TimeRepeats(Repeats, [&] { Copy.Assign(Doc.SrcBmp()); });
    std::printf("preview of a %d x %d picture, %d repeats (ms: median / fastest)\n", W, H, Repeats);
    Report("copy of the picture (baseline)", CopyTime, CopyTime.first);

    // The perspective dialog.
    Doc.SetEffectMode(emTransform);
    Doc.EffectBegin();
    auto Transform = [&](const String& Corners, Integer ScaleX, Integer ScaleY) {
        const TransformHandles::TFractions F = TransformHandles::Fractions(TransformHandles::ParseCorners(Corners));
        return TimeRepeats(Repeats, [&] {
            Doc.EffectDoTransform(F.X[0], F.Y[0], F.X[1], F.Y[1], F.X[2], F.Y[2], F.X[3], F.Y[3], ScaleX, ScaleY);
        });
    };
    Report("perspective, corners at home", Transform(u"8.140.140.8.8.8.140.140", 100, 100), CopyTime.first);
    Report("perspective, top shortened", Transform(TransformHandles::BuiltInShape(4), 100, 100), CopyTime.first);
    Report("perspective, turned square", Transform(TransformHandles::BuiltInShape(0), 100, 100), CopyTime.first);
    Report("perspective, leaning, 150 x 80 %", Transform(TransformHandles::BuiltInShape(5), 150, 80), CopyTime.first);
    Doc.EffectEnd(false);
    Doc.SetEffectMode(emNone);

    // The frame dialog, each type with what a fresh installation opens.
    TCustomBitmap32 Tile, Mask;
    Tile.SetSize(24, 24);
    for (Integer y = 0; y < 24; ++y)
        for (Integer x = 0; x < 24; ++x) Tile.SetPixel(x, y, (x + y) % 8 < 4 ? 0xFF806040 : 0xFFE0C090);
    Mask.SetSize(400, 300);
    for (Integer y = 0; y < 300; ++y)
        for (Integer x = 0; x < 400; ++x) Mask.SetPixel(x, y, x < 40 || y < 30 || x >= 360 || y >= 270 ? 0xFF000000 : 0xFFFFFFFF);
    TDataTable Pattern;
    for (Integer r = 0; r < 3; ++r) {
        TRow* Row = Pattern.AddItem(u"-1,-1,255,0,0,-1,3,0,0,0,12,12,12,12");
        if (r == 1) {
            Row->GetItem(1)->SetAsBool(false);
            Row->Data().Ref(&Tile);
        }
    }
    Doc.SetFrameMaskBmp(&Mask);
    const struct {
        const char* Name;
        Integer Type, Mode;
    } Frames[] = {{"frame, pad bands (three)", 0, 2}, {"frame, pad with a rounded opening", 0, 3},
                  {"frame, band outline", 1, 1},      {"frame, band shape", 1, 3},
                  {"frame, pattern layers", 2, 1},    {"frame, edge mask", 3, 1}};
    for (const auto& Fr : Frames) {
        const FrameDialog::TFrameSetup S = FrameDialog::FrameSetupFor(Fr.Type, Fr.Mode);
        const FrameDialog::TFrameValues V = FrameDialog::ParseFrameValues(S, String());
        FrameDialog::TFrameTableCopy Table(&Pattern);
        Doc.SetFrameType(Fr.Type);
        Doc.SetFrameMode(Fr.Mode);
        Doc.FrameBegin();
        const auto T = TimeRepeats(Repeats, [&] {
            switch (Fr.Type) {
                case 0: Doc.FrameDo0(V.Value[0], V.Color[0], V.Value[1], V.Color[1], V.Value[2], V.Color[2], false); break;
                case 1: Doc.FrameDo1(V.Value[0], V.Color[0], V.Value[1], String()); break;
                case 2: Doc.FrameDo2(Table.Table()); break;
                default: Doc.FrameDo3(V.Value[0], V.Color[0]); break;
            }
            Doc.Draw();
        });
        // How much of a step the view's redraw alone takes.
        const auto Redraw = TimeRepeats(Repeats, [&] { Doc.Draw(); });
        Doc.FrameEnd(false);
        Report(Fr.Name, T, CopyTime.first);
        std::printf("  %-34s %8.1f / %8.1f\n", "  of which the redraw", Redraw.first, Redraw.second);
    }
    Doc.SetFrameMaskBmp(nullptr);
    return 0;
}
