#include "framework/Graphics.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A 32-bit top-down DIB section in a memory DC, for reading back what a canvas drew.
class TDibDC {
public:
    TDibDC(int W, int H, uint32_t Fill = 0x00FFFFFF) : FWidth(W), FHeight(H)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = W;
        bi.bmiHeader.biHeight = -H;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        FBitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
        FDC = CreateCompatibleDC(nullptr);
        FOld = SelectObject(FDC, FBitmap);
        for (int i = 0; i < W * H; ++i) FBits[i] = Fill;
    }
    ~TDibDC()
    {
        SelectObject(FDC, FOld);
        DeleteDC(FDC);
        DeleteObject(FBitmap);
    }
    HDC DC() const { return FDC; }
    // 0x00RRGGBB without the alpha byte.
    uint32_t At(int X, int Y) const
    {
        GdiFlush();
        return FBits[Y * FWidth + X] & 0xFFFFFF;
    }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

private:
    int FWidth, FHeight;
    uint32_t* FBits = nullptr;
    HBITMAP FBitmap;
    HDC FDC;
    HGDIOBJ FOld;
};

}  // namespace

TEST(Colors, SystemColorsResolveOthersStay)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorToRGB(clWindowText), static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(ColorToRGB(clNavy), 0x800000);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
    EXPECT_LT(clBtnShadow, 0);
}

TEST(Font, SizeAndHeightFollowEachOther)
{
    TFont f;
    f.SetPixelsPerInch(96);
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
}

TEST(Font, ChangesNotifyAndRenewTheHandle)
{
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    HFONT h1 = f.Handle();
    f.SetColor(clRed);  // colour is drawn, not part of the handle
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f.Handle(), h1);
    f.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(changes, 2);
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(f.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    f.SetStyle(fsBold | fsItalic);  // same value: nothing
    EXPECT_EQ(changes, 2);

    TFont g;
    g.Assign(&f);
    EXPECT_EQ(g.Style(), fsBold | fsItalic);
    EXPECT_EQ(g.Color(), clRed);
    EXPECT_EQ(g.Name(), f.Name());
}

TEST(Font, HandleSetIsAdoptedWithItsProperties)
{
    LOGFONTW lf{};
    lf.lfHeight = -20;
    lf.lfUnderline = 1;
    wcscpy(lf.lfFaceName, L"Courier New");
    TFont f;
    f.SetHandle(CreateFontIndirectW(&lf));
    EXPECT_EQ(f.Height(), -20);
    EXPECT_EQ(f.Style(), fsUnderline);
    EXPECT_EQ(f.Name(), u"Courier New");
}

TEST(Canvas, WithoutAContextItRefusesToDraw)
{
    TCanvas c;
    EXPECT_THROW(c.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Canvas, FillFrameAndLinesExcludeTheEndPoint)
{
    TDibDC d(20, 20);
    TCanvas c;
    c.SetHandle(d.DC());
    c.Brush()->SetColor(clRed);
    c.FillRect(Rect(2, 2, 6, 6));
    EXPECT_EQ(d.At(2, 2), 0xFF0000u);
    EXPECT_EQ(d.At(5, 5), 0xFF0000u);
    EXPECT_EQ(d.At(6, 6), 0xFFFFFFu);

    c.Brush()->SetColor(clBlue);
    c.FrameRect(Rect(10, 10, 15, 15));
    EXPECT_EQ(d.At(10, 12), 0x0000FFu);
    EXPECT_EQ(d.At(12, 12), 0xFFFFFFu);

    c.Pen()->SetColor(clLime);
    c.MoveTo(0, 18);
    c.LineTo(10, 18);
    EXPECT_EQ(d.At(0, 18), 0x00FF00u);
    EXPECT_EQ(d.At(9, 18), 0x00FF00u);
    EXPECT_EQ(d.At(10, 18), 0xFFFFFFu);
    EXPECT_EQ(c.PenPos(), Point(10, 18));

    c.SetPixels(19, 0, clYellow);
    EXPECT_EQ(c.Pixels(19, 0), clYellow);
    c.SetHandle(nullptr);
}

TEST(Canvas, PenModes)
{
    struct Case {
        TPenMode Mode;
        uint32_t Background;  // 0x00RRGGBB
        uint32_t Expected;
    } cases[] = {
        {pmCopy, 0xFFFFFF, 0x0000FF},  {pmBlack, 0xFFFFFF, 0x000000}, {pmWhite, 0x000000, 0xFFFFFF},
        {pmNot, 0x123456, 0xEDCBA9},   {pmXor, 0x0000FF, 0x000000},   {pmNotXor, 0x0000FF, 0xFFFFFF},
        {pmNop, 0x123456, 0x123456},
    };
    for (const Case& k : cases) {
        TDibDC d(8, 4, k.Background);
        TCanvas c;
        c.SetHandle(d.DC());
        c.Pen()->SetColor(clBlue);  // 0x0000FF as RGB
        c.Pen()->SetMode(k.Mode);
        c.MoveTo(0, 1);
        c.LineTo(8, 1);
        EXPECT_EQ(d.At(3, 1), k.Expected) << "mode " << k.Mode;
        EXPECT_EQ(d.At(3, 2), k.Background) << "mode " << k.Mode;
    }
}

TEST(Canvas, ShapesUseBrushAndPen)
{
    TDibDC d(40, 40);
    TCanvas c;
    c.SetHandle(d.DC());
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(clRed);
    c.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(d.At(0, 0), 0x000000u);
    EXPECT_EQ(d.At(5, 5), 0xFF0000u);
    EXPECT_EQ(d.At(10, 10), 0xFFFFFFu);

    c.Brush()->SetStyle(bsClear);
    c.Ellipse(12, 0, 32, 20);
    EXPECT_EQ(d.At(22, 10), 0xFFFFFFu);  // hollow inside
    EXPECT_EQ(d.At(12, 10), 0x000000u);

    c.Brush()->SetColor(clLime);  // a colour makes the clear brush solid again
    EXPECT_EQ(c.Brush()->Style(), bsSolid);
    c.Polygon({{0, 20}, {20, 20}, {20, 39}, {0, 39}});
    EXPECT_EQ(d.At(10, 30), 0x00FF00u);
}

TEST(Canvas, TextWidthMatchesTheDrawnText)
{
    TDibDC d(300, 40);
    TCanvas c;
    c.SetHandle(d.DC());
    c.Font()->SetHeight(-12);
    c.Brush()->SetColor(clBlack);  // the text cell background is painted with the brush
    const String text = u"Hello, Canvas";
    c.TextOut(5, 5, text);
    int w = c.TextWidth(text);
    int h = c.TextHeight(text);
    EXPECT_GT(w, 0);
    int first = -1, last = -1;
    for (int x = 0; x < d.Width(); ++x)
        if (d.At(x, 5 + h / 2) != 0xFFFFFFu) {
            if (first < 0) first = x;
            last = x;
        }
    EXPECT_EQ(first, 5);
    EXPECT_EQ(last - first + 1, w);
    EXPECT_EQ(c.PenPos().X, 5 + w);

    // A bigger font while the old one is selected: the canvas picks up the change.
    c.Font()->SetHeight(-24);
    EXPECT_GT(c.TextWidth(text), w);
}

TEST(Canvas, ClearBrushDrawsTransparentText)
{
    TDibDC d(100, 30, 0x00FF0000);
    TCanvas c;
    c.SetHandle(d.DC());
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(clWhite);
    c.TextOut(0, 0, u"WWW");
    int white = 0, red = 0;
    for (int y = 0; y < c.TextHeight(u"W"); ++y)
        for (int x = 0; x < c.TextWidth(u"WWW"); ++x) {
            if (d.At(x, y) == 0xFF0000u) ++red;
            else ++white;
        }
    EXPECT_GT(red, 0);
    EXPECT_GT(white, 0);
}

TEST(Canvas, TextRectClipsAndFills)
{
    TDibDC d(100, 30);
    TCanvas c;
    c.SetHandle(d.DC());
    c.Brush()->SetColor(clBlue);
    c.TextRect(Rect(10, 5, 30, 25), 10, 5, u"Long text beyond the rectangle");
    EXPECT_EQ(d.At(29, 24), 0x0000FFu);  // filled inside
    EXPECT_EQ(d.At(30, 10), 0xFFFFFFu);  // nothing right of it
}

TEST(Canvas, CopyRectStretchesWithCopyMode)
{
    TDibDC src(4, 4, 0x00FF0000), dst(8, 8);
    TCanvas a, b;
    a.SetHandle(src.DC());
    b.SetHandle(dst.DC());
    b.CopyRect(Rect(0, 0, 8, 8), &a, Rect(0, 0, 4, 4));
    EXPECT_EQ(dst.At(7, 7), 0xFF0000u);
    b.SetCopyMode(cmNotSrcCopy);
    b.CopyRect(Rect(0, 0, 2, 2), &a, Rect(0, 0, 2, 2));
    EXPECT_EQ(dst.At(0, 0), 0x00FFFFu);
}

TEST(Canvas, Frame3DDrawsNestedFramesAndShrinksTheRect)
{
    TDibDC d(20, 20);
    TCanvas c;
    c.SetHandle(d.DC());
    TRect r = Rect(2, 2, 12, 12);
    Frame3D(&c, r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(4, 4, 10, 10));
    EXPECT_EQ(d.At(2, 2), 0xFF0000u);    // top-left corner: top colour
    EXPECT_EQ(d.At(11, 2), 0x0000FFu);   // top-right corner: bottom colour
    EXPECT_EQ(d.At(2, 11), 0x0000FFu);   // bottom-left corner: bottom colour
    EXPECT_EQ(d.At(11, 11), 0x0000FFu);
    EXPECT_EQ(d.At(3, 3), 0xFF0000u);    // second frame
    EXPECT_EQ(d.At(10, 10), 0x0000FFu);
    EXPECT_EQ(d.At(5, 5), 0xFFFFFFu);
}

TEST(Canvas, ChangeEventsAroundDrawing)
{
    TDibDC d(4, 4);
    TCanvas c;
    c.SetHandle(d.DC());
    std::string log;
    c.OnChanging = [&](TObject*) { log += "<"; };
    c.OnChange = [&](TObject*) { log += ">"; };
    c.FillRect(Rect(0, 0, 1, 1));
    c.TextExtent(u"x");  // measuring changes nothing
    EXPECT_EQ(log, "<>");
}

TEST(Canvas, LockNests)
{
    TCanvas c;
    c.Lock();
    c.Lock();
    EXPECT_EQ(c.LockCount(), 2);
    EXPECT_TRUE(c.TryLock());
    c.Unlock();
    c.Unlock();
    c.Unlock();
    EXPECT_EQ(c.LockCount(), 0);
}
