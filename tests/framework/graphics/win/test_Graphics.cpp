#include "framework/graphics/win/Graphics.h"

#include "framework/runtime/win/Classes_Win.h"

#include <gtest/gtest.h>

#include <cstring>

#include "SaveFaults.h"

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

// ---------------------------------------------------------------------------
// Pictures

namespace {

uint32_t PixelAt(TBitmap& B, int X, int Y)  // 0x00RRGGBB as GDI reads it
{
    TColor c = B.Canvas()->Pixels(X, Y);
    return static_cast<uint32_t>(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
}

uint32_t* Row32(TBitmap& B, int Y) { return static_cast<uint32_t*>(B.ScanLine(Y)); }

// The process's GDI objects: GetGuiResources where the system has it; else
// (Wine) the live entries of the GDI handle table the process environment
// block points to.
int GdiObjectCount()
{
    DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n) return static_cast<int>(n);
    struct TEntry {
        uint64_t Object;
        uint16_t ProcessId, Count, Unique;
        uint8_t Type, Flags;
        uint64_t User;
    };
    static_assert(sizeof(TEntry) == 24);
#ifdef _WIN64
    using TGetPeb = uint8_t* (WINAPI*)();
    auto getPeb = reinterpret_cast<TGetPeb>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetCurrentPeb")));
    if (!getPeb) return -1;
    auto* table = *reinterpret_cast<TEntry**>(getPeb() + 0xF8);
    if (!table) return -1;
    int count = 0;
    for (int i = 0; i < 0x10000; ++i)
        if (table[i].Type) ++count;
    return count;
#else
    return -1;
#endif
}

std::vector<uint8_t> Bytes(TMemoryStream& S)
{
    const uint8_t* p = static_cast<const uint8_t*>(S.Memory());
    return std::vector<uint8_t>(p, p + S.Size());
}

String TempDir()
{
    wchar_t buf[MAX_PATH];
    GetTempPathW(MAX_PATH, buf);
    String dir = FromWStr(buf) + u"lm_graphics_test\\";
    CreateDirectoryW(WStr(dir), nullptr);
    return dir;
}

}  // namespace

TEST(Bitmap, NewAreaIsWhiteAndResizingKeepsTheTopLeft)
{
    TBitmap b(4, 3);
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(b.PixelFormat(), pfDevice);
    EXPECT_EQ(PixelAt(b, 3, 2), 0xFFFFFFu);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 4, 3));
    b.SetSize(6, 5);
    EXPECT_EQ(PixelAt(b, 3, 2), 0xFF0000u);
    EXPECT_EQ(PixelAt(b, 4, 2), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(b, 0, 4), 0xFFFFFFu);
    b.SetSize(0, 5);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Height(), 5);
    EXPECT_THROW(b.ScanLine(0), EInvalidGraphic);
}

TEST(Bitmap, IndexedResizeKeepsPartlyUsedBytes)
{
    TBitmap b;
    b.SetPixelFormat(pf1bit);
    b.SetSize(3, 1);
    EXPECT_EQ(b.ColorTable(), (std::vector<uint32_t>{0x000000, 0xFFFFFF}));
    *static_cast<uint8_t*>(b.ScanLine(0)) = 0x40;  // black, white, black
    b.SetSize(10, 1);
    uint8_t row = *static_cast<uint8_t*>(b.ScanLine(0));
    EXPECT_EQ(row, 0x5F);  // 0 1 0 kept, the new pixels white (index 1)
}

TEST(Bitmap, PaletteHandleFollowsTheColourTable)
{
    TBitmap b(2, 2);
    EXPECT_EQ(b.Palette(), nullptr);  // not indexed
    b.SetPixelFormat(pf4bit);
    HPALETTE p = b.Palette();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(GetPaletteEntries(p, 0, 0, nullptr), b.ColorTable().size());
    b.SetColorTable({0x112233, 0x445566});
    PALETTEENTRY e[2]{};
    ASSERT_EQ(GetPaletteEntries(b.Palette(), 0, 2, e), 2u);
    EXPECT_EQ(e[1].peRed, 0x44);
    EXPECT_EQ(e[1].peBlue, 0x66);
}

TEST(Bitmap, ScanLinesAndCanvasShareThePixels)
{
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(3, 3);
    Row32(b, 1)[2] = 0x00123456;
    EXPECT_EQ(PixelAt(b, 2, 1), 0x123456u);
    b.Canvas()->SetPixels(0, 2, static_cast<TColor>(0x0000FF));  // red
    EXPECT_EQ(Row32(b, 2)[0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_THROW(b.ScanLine(3), EInvalidGraphic);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);

    // The handle leaves the canvas's DC, so it can be selected into another one.
    HBITMAP h = b.Handle();
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, h);
    EXPECT_NE(old, nullptr);
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0x12, 0x34, 0x56));
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(PixelAt(b, 2, 1), 0x123456u);  // and the canvas comes back
}

TEST(Bitmap, EveryPixelFormatSavesAndLoadsBack)
{
    const uint32_t colors[5] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF80, 0x2040C0};
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(f);
        TBitmap b;
        b.SetPixelFormat(pf32bit);
        b.SetSize(7, 2);
        for (int i = 0; i < 14; ++i) Row32(b, i / 7)[i % 7] = 0xFF000000u | colors[i % 5];
        b.SetPixelFormat(f);
        EXPECT_EQ(b.PixelFormat(), f);
        TMemoryStream ms;
        b.SaveToStream(&ms);
        ms.SetPosition(0);
        TBitmap c;
        c.LoadFromStream(&ms);
        EXPECT_EQ(c.PixelFormat(), f);
        EXPECT_EQ(ms.Position(), ms.Size());
        for (int i = 0; i < 14; ++i) {
            uint32_t got = PixelAt(c, i % 7, i / 7), want = colors[i % 5];
            if (f == pf1bit) {
                EXPECT_TRUE(got == 0 || got == 0xFFFFFF);
                continue;
            }
            int tolerance = f == pf15bit || f == pf16bit ? 4 : 0;
            for (int k = 0; k < 24; k += 8)
                EXPECT_NEAR(static_cast<int>((got >> k) & 0xFF), static_cast<int>((want >> k) & 0xFF), tolerance)
                    << "pixel " << i;
        }
    }
}

TEST(Bitmap, LoadsBmpVariantsAsGdiSeesThem)
{
    // A 5-6-5 file and a run-length file: GDI must read the section with the
    // file's masks and colour table.
    const uint8_t rgb565[] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 66, 0, 0, 0,
                              40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 16, 0, 3, 0, 0, 0,
                              4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                              0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0,
                              0xE0, 0x07, 0x1F, 0x00};
    TMemoryStream ms;
    ms.WriteBuffer(rgb565, sizeof rgb565);
    ms.SetPosition(0);
    TBitmap b;
    b.LoadFromStream(&ms);
    EXPECT_EQ(b.PixelFormat(), pf16bit);
    EXPECT_EQ(PixelAt(b, 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(b, 1, 0), 0x0000FFu);

    const uint8_t rle8[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
                            40, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 1, 0, 8, 0, 1, 0, 0, 0,
                            6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                            0, 0, 0xFF, 0, 0xFF, 0, 0, 0,  // red, blue
                            2, 1, 1, 0, 0, 1};
    TMemoryStream rs;
    rs.WriteBuffer(rle8, sizeof rle8);
    rs.SetPosition(0);
    b.LoadFromStream(&rs);
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    EXPECT_EQ(PixelAt(b, 0, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(b, 1, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(b, 2, 0), 0xFF0000u);
}

TEST(Bitmap, DamagedFileRaisesAndLeavesTheBitmap)
{
    TBitmap b(2, 2);
    const uint8_t liar[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                            40, 0, 0, 0, 0x10, 0x27, 0, 0, 0x10, 0x27, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4};
    TMemoryStream ms;
    ms.WriteBuffer(liar, sizeof liar);
    ms.SetPosition(0);
    EXPECT_THROW(b.LoadFromStream(&ms), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_FALSE(b.Empty());
}

TEST(Bitmap, LoadFromResource)
{
    TBitmap b;
    b.LoadFromResourceName(GetModuleHandleW(nullptr), u"TINY8");
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    ASSERT_EQ(b.Width(), 3);
    EXPECT_EQ(PixelAt(b, 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(b, 2, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(b, 0, 1), 0xFFFFFFu);
    TBitmap c;
    c.LoadFromResourceID(GetModuleHandleW(nullptr), 101);
    EXPECT_EQ(PixelAt(c, 1, 0), 0x00FF00u);
    EXPECT_THROW(c.LoadFromResourceName(GetModuleHandleW(nullptr), u"MISSING"), EResNotFound);
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixel)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(2, 2);
    b.Canvas()->Brush()->SetColor(clLime);
    b.Canvas()->FillRect(Rect(0, 0, 2, 2));
    b.Canvas()->SetPixels(1, 0, clRed);
    EXPECT_EQ(b.TransparentMode(), tmAuto);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparent(true);
    TDibDC d(4, 4, 0x000000FF);
    TCanvas c;
    c.SetHandle(d.DC());
    c.Draw(1, 1, &b);
    EXPECT_EQ(d.At(1, 1), 0x0000FFu);  // lime left out
    EXPECT_EQ(d.At(2, 1), 0xFF0000u);

    b.SetTransparentColor(clRed);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    b.SetTransparentColor(clDefault);
    EXPECT_EQ(b.TransparentMode(), tmAuto);
}

TEST(Bitmap, AlphaFormatBlendsWhenDrawn)
{
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(1, 1);
    Row32(b, 0)[0] = 0x80FF0000;  // half-transparent red, straight alpha
    b.SetAlphaFormat(afDefined);
    TDibDC d(2, 1, 0x00FFFFFF);
    TCanvas c;
    c.SetHandle(d.DC());
    c.Draw(0, 0, &b);
    uint32_t p = d.At(0, 0);
    EXPECT_EQ((p >> 16) & 0xFF, 0xFFu);
    EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), 127, 2);
    EXPECT_EQ(Row32(b, 0)[0], 0x80FF0000u);  // the bitmap itself stays straight
    c.StretchDraw(Rect(1, 0, 2, 1), &b);
    EXPECT_NEAR(static_cast<int>(d.At(1, 0) & 0xFF), 127, 2);
}

TEST(Bitmap, AdoptsSectionsAndDeviceBitmaps)
{
    // A bottom-up 24-bit section, as GDI+ hands them out.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = 2;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    uint8_t* bits = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    bits[0] = 0xFF;  // bottom-left blue
    bits[8 + 2] = 0xFF;  // top-left red (second stored row)
    TBitmap b;
    b.SetHandle(h);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(static_cast<uint8_t*>(b.ScanLine(0))[2], 0xFF);  // row 0 is the top
    EXPECT_EQ(PixelAt(b, 0, 1), 0x0000FFu);
    TMemoryStream ms;
    b.SaveToStream(&ms);
    ms.SetPosition(0);
    TBitmap c;
    c.LoadFromStream(&ms);
    EXPECT_EQ(PixelAt(c, 0, 0), 0xFF0000u);

    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 3, 2);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, ddb);
    SetPixel(dc, 2, 1, RGB(1, 2, 3));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    b.SetHandle(ddb);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(PixelAt(b, 2, 1), 0x010203u);
    EXPECT_NE(b.Handle(), ddb);  // copied into a section
}

TEST(Bitmap, AssignCopiesAndNilEmpties)
{
    TBitmap a(2, 2);
    a.Canvas()->SetPixels(0, 0, clBlue);
    a.SetTransparent(true);
    TBitmap b;
    b.Assign(&a);
    a.Canvas()->SetPixels(0, 0, clRed);
    EXPECT_EQ(PixelAt(b, 0, 0), 0x0000FFu);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.PixelFormat(), a.PixelFormat());
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    TFont f;
    EXPECT_THROW(b.Assign(&f), EConvertError);
}

TEST(Bitmap, ChangesReachOnChange)
{
    TBitmap b(2, 2);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Canvas()->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(changes, 1);
    b.SetSize(3, 3);
    EXPECT_EQ(changes, 2);
}

TEST(Bitmap, BrushWithAPatternBitmap)
{
    TBitmap pattern;
    pattern.SetPixelFormat(pf24bit);
    pattern.SetSize(8, 8);
    pattern.Canvas()->Brush()->SetColor(clRed);
    pattern.Canvas()->FillRect(Rect(0, 0, 8, 8));
    TDibDC d(4, 4);
    TCanvas c;
    c.SetHandle(d.DC());
    c.Brush()->SetBitmap(&pattern);
    c.FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(d.At(3, 3), 0xFF0000u);
    c.Brush()->SetBitmap(nullptr);
}

TEST(Graphic, SaveToFileReplacesOnlyWhenComplete)
{
    String dir = TempDir();
    String name = dir + u"keep.bmp";
    TBitmap b(3, 3);
    b.SaveToFile(name);
    Int64 size = FileSizeOf(name);
    EXPECT_GT(size, 54);

    struct TFailing : TBitmap {
        void SaveToStream(TStream* Stream) override
        {
            Stream->WriteBuffer("BM", 2);
            throw EWriteError(u"Stream write error");
        }
    } failing;
    failing.SetSize(50, 50);
    EXPECT_THROW(failing.SaveToFile(name), EWriteError);
    EXPECT_EQ(FileSizeOf(name), size);  // the old file is untouched
    // A disk that fills, and one whose close fails.
    for (bool failClose : {false, true}) {
        TScopedSaveFault fault(failClose ? Int64(1) << 40 : 100, failClose);
        TBitmap big(50, 50);
        EXPECT_THROW(big.SaveToFile(name), EWriteError);
        EXPECT_EQ(FileSizeOf(name), size);
    }
    TSearchRec sr;
    EXPECT_NE(FindFirst(dir + u"~*", faAnyFile, sr), 0);  // no temporary file left
    FindClose(sr);

    EXPECT_THROW(b.SaveToFile(dir + u"no such folder\\x.bmp"), EFCreateError);
    DeleteFileW(WStr(name));
}

TEST(Icon, SavesLoadsAndBecomesABitmap)
{
    // A 16 x 16 icon: opaque red with a half-transparent blue corner.
    std::vector<uint32_t> px(16 * 16, 0xFFFF0000);
    px[0] = 0x800000FF;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::memcpy(bits, px.data(), px.size() * 4);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO ii{TRUE, 0, 0, mask, color};
    TIcon icon;
    icon.SetHandle(CreateIconIndirect(&ii));
    DeleteObject(color);
    DeleteObject(mask);
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_THROW(icon.SetWidth(32), EInvalidGraphicOperation);

    TMemoryStream ms;
    icon.SaveToStream(&ms);
    ms.WriteBuffer("tail", 4);
    ms.SetPosition(0);
    TIcon back;
    back.LoadFromStream(&ms);
    EXPECT_EQ(ms.Position(), ms.Size() - 4);
    EXPECT_EQ(back.Height(), 16);

    TBitmap b;
    b.Assign(&back);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(b.AlphaFormat(), afDefined);
    EXPECT_EQ(Row32(b, 0)[0], 0x800000FFu);
    EXPECT_EQ(Row32(b, 5)[5], 0xFFFF0000u);

    // Saving what was loaded writes the same file.
    TMemoryStream again;
    back.SaveToStream(&again);
    std::vector<uint8_t> all = Bytes(ms);
    all.resize(all.size() - 4);
    EXPECT_EQ(Bytes(again), all);

    const uint8_t junk[] = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 0xFF, 0xFF, 0, 0, 22, 0, 0, 0};
    TMemoryStream js;
    js.WriteBuffer(junk, sizeof junk);
    js.SetPosition(0);
    EXPECT_THROW(back.LoadFromStream(&js), EInvalidGraphic);
}

TEST(Picture, ChoosesTheClassByExtension)
{
    String dir = TempDir();
    TBitmap b(2, 1);
    b.Canvas()->SetPixels(1, 0, clBlue);
    b.SaveToFile(dir + u"pic.BMP");
    TPicture p;
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    p.LoadFromFile(dir + u"pic.BMP");
    ASSERT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
    EXPECT_EQ(p.Width(), 2);
    EXPECT_GE(changes, 1);
    EXPECT_EQ(PixelAt(*p.Bitmap(), 1, 0), 0x0000FFu);
    try {
        p.LoadFromFile(dir + u"pic.xyz");
        ADD_FAILURE();
    } catch (EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), u"Unknown picture file extension (.xyz)");
    }

    // Assigning copies; the picture's bitmap can be assigned to a bitmap.
    TPicture q;
    q.Assign(&p);
    EXPECT_NE(q.Graphic(), p.Graphic());
    TBitmap c;
    c.Assign(&q);
    EXPECT_EQ(PixelAt(c, 1, 0), 0x0000FFu);
    q.Icon();
    EXPECT_NE(dynamic_cast<TIcon*>(q.Graphic()), nullptr);
    q.Assign(nullptr);
    EXPECT_EQ(q.Graphic(), nullptr);
    DeleteFileW(WStr(dir + u"pic.BMP"));
}

TEST(Gdi, NoHandlesLeakOverManyCycles)
{
    auto cycle = [](int i) {
        TFont f;
        f.SetHeight(-10 - i % 7);
        TPen p;
        p.SetColor(i);
        TBrush br;
        br.SetColor(i * 3);
        TBitmap b(8, 8);
        b.Canvas()->SetFont(&f);
        b.Canvas()->SetPen(&p);
        b.Canvas()->SetBrush(&br);
        b.Canvas()->Rectangle(0, 0, 8, 8);
        b.Canvas()->TextOut(0, 0, u"x");
        b.Canvas()->Font()->SetStyle(fsBold);  // replaced while selected
        b.Canvas()->TextOut(0, 0, u"y");
        (void)f.Handle(), (void)p.Handle(), (void)br.Handle();
        b.SetPixelFormat(pf8bit);
        (void)b.Palette();
        (void)b.Handle();
    };
    cycle(0);  // first use makes a few stock objects
    int before = GdiObjectCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 10000; ++i) cycle(i);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(ScopedGdi, EachScopeGivesBackWhatItTook)
{
    TBitmap target;
    target.SetSize(20, 20);
    HDC dc = target.Canvas()->Handle();
    HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_BORDER, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    auto cycle = [&] {
        HGDIOBJ brushBefore = GetCurrentObject(dc, OBJ_BRUSH), penBefore = GetCurrentObject(dc, OBJ_PEN);
        {
            TSolidBrush brush(clRed);
            TSolidPen pen(clBlue, 2);
            TSelectedObject useBrush(dc, brush), usePen(dc, pen);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush.Handle());
            TSavedDC saved(dc);
            SetViewportOrgEx(dc, 5, 5, nullptr);
            TRegion clip(Rect(0, 0, 4, 4));
            SelectClipRgn(dc, clip);
            Rectangle(dc, 0, 0, 4, 4);
        }
        // Origin, clip and objects are back.
        POINT org;
        GetViewportOrgEx(dc, &org);
        EXPECT_EQ(org.x, 0);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brushBefore);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), penBefore);
        { TMemoryDC memory(dc); TCompatibleBitmap bitmap(dc, 4, 4); TSelectedObject use(memory, bitmap); }
        { TClientDC screen(nullptr); TClientDC client(wnd, DCX_CACHE); TWindowDC frame(wnd); }
        {
            TNonClientCanvas canvas(wnd);
            EXPECT_EQ(canvas.WindowRect(), Rect(0, 0, 40, 30));
            canvas.Brush()->SetColor(clLime);
            canvas.FrameRect(canvas.WindowRect());
        }
        // Handed over: no longer deleted by the scope.
        TGdiObject<HBRUSH> kept(TSolidBrush(clBlack).Release());
        HBRUSH raw = kept.Release();
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
        TGdiObject<HBRUSH> again(raw);
    };
    cycle();
    int before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) cycle();
    EXPECT_EQ(GdiObjectCount(), before);
    DestroyWindow(wnd);
}
