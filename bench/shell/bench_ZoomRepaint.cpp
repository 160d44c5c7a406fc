// The canvas repainted at a new zoom, timed by this program (there is no
// Google Benchmark for the Windows builds): run under Wine by
// scripts/bench-zoom.sh.
//   bench_ZoomRepaint [REPEATS]
// A 6000 x 5000 picture (30 megapixels) in the editor's canvas view, 1280 x
// 800 on a shown form. Each step sets the zoom as the zoom commands do (the
// view's scale) and waits for the view to have painted the window, at 1 %
// (the whole picture shrunk into 60 x 50 pixels), at 100 % and at 1600 %
// (a 80 x 50 pixel part of the picture blown up), centred on the picture.
// The peer, in the same run: the platform's own stretching of the same
// pixels (StretchDIBits, colour-on-colour) into the same window area.
#include <cstdio>
#include <cstdlib>

#include "TestStartup.h"
#include "WinTiming.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "framework/controls/win/Forms.h"

namespace {

void Pump()
{
    MSG M;
    while (PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&M);
        DispatchMessageW(&M);
    }
}

// The platform stretching the picture's part that the view shows at Scale.
void PeerStretch(HWND Wnd, TBitmap32& B, Integer ViewW, Integer ViewH, double Scale)
{
    const Integer SrcW = std::min<Integer>(B.Width(), Integer(ViewW / Scale) + 1);
    const Integer SrcH = std::min<Integer>(B.Height(), Integer(ViewH / Scale) + 1);
    const Integer SrcX = (B.Width() - SrcW) / 2, SrcY = (B.Height() - SrcH) / 2;
    BITMAPINFO Info = {};
    Info.bmiHeader.biSize = sizeof(Info.bmiHeader);
    Info.bmiHeader.biWidth = B.Width();
    Info.bmiHeader.biHeight = -B.Height();
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    HDC DC = GetDC(Wnd);
    SetStretchBltMode(DC, COLORONCOLOR);
    const Integer DstW = Integer(SrcW * Scale), DstH = Integer(SrcH * Scale);
    // A bottom-up source row index for the top-down bitmap: StretchDIBits
    // counts source rows from the bottom.
    StretchDIBits(DC, 0, 0, std::min(DstW, ViewW), std::min(DstH, ViewH), SrcX, B.Height() - SrcY - SrcH, SrcW, SrcH,
                  B.Bits(), &Info, DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    ReleaseDC(Wnd, DC);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    InstallTestProgram();
    InstallImageControls();
    const int Repeats = argc > 1 ? std::max(1, _wtoi(argv[1])) : 20;
    constexpr Integer W = 6000, H = 5000, ViewW = 1280, ViewH = 800;

    auto* Form = new TForm(nullptr);
    Form->SetBounds(0, 0, ViewW + 40, ViewH + 60);
    Form->SetClientWidth(ViewW);
    Form->SetClientHeight(ViewH);
    auto* View = new TImgView32(Form);
    View->SetParent(Form);
    View->SetBounds(0, 0, ViewW, ViewH);
    View->Bitmap()->SetSize(W, H);
    // A picture with detail everywhere: every pixel a different colour.
    TColor32* P = View->Bitmap()->Bits();
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X) *P++ = 0xFF000000 | (Cardinal(X * 37) & 0xFF) << 16 | (Cardinal(Y * 59) & 0xFF) << 8 | Cardinal((X ^ Y) & 0xFF);
    Form->Show();
    Pump();

    std::printf("zoom repaint of a %d x %d picture in a %d x %d view, %d repeats (ms: median / fastest)\n", W, H,
                ViewW, ViewH, Repeats);
    for (const Integer Percent : {1, 100, 1600}) {
        const Single Scale = Percent / 100.0f;
        // Each step comes from another zoom, as a zoom command does.
        const auto [Median, Fastest] = TimeRepeats(Repeats, [&] {
            View->SetScale(Percent == 100 ? 0.5f : 1.0f);
            View->SetScale(Scale);
            View->ScrollToCenter(W / 2, H / 2);
            View->Repaint();
            GdiFlush();
        });
        const auto [PeerMedian, PeerFastest] =
            TimeRepeats(Repeats, [&] { PeerStretch(View->Handle(), *View->Bitmap(), ViewW, ViewH, Scale); });
        std::printf("  %5d %%: %8.2f / %8.2f   platform stretch %8.2f / %8.2f   ratio %.2f\n", Percent, Median,
                    Fastest, PeerMedian, PeerFastest, PeerMedian > 0 ? Median / PeerMedian : 0.0);
        std::fflush(stdout);
    }
    delete Form;
    return 0;
}
