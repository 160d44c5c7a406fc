#include "framework/graphics/win/Clipbrd.h"

#include <gtest/gtest.h>

TEST(Clipboard, TextComesBackEqual)
{
    const String text = u"Hello, \u4E2D\u6587 text";
    Clipboard()->SetAsText(text);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_EQ(Clipboard()->AsText(), text);
    EXPECT_NE(Clipboard()->GetAsHandle(CF_UNICODETEXT), nullptr);
}

TEST(Clipboard, BitmapComesBackEqual)
{
    for (TPixelFormat f : {pf24bit, pf32bit, pf8bit}) {
        SCOPED_TRACE(f);
        TBitmap b;
        b.SetPixelFormat(pf32bit);
        b.SetSize(7, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                static_cast<uint32_t*>(b.ScanLine(y))[x] = 0x80000000u | static_cast<uint32_t>(x * 30 << 16 | y * 50);
        b.SetPixelFormat(f);
        Clipboard()->Assign(&b);
        EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
        EXPECT_TRUE(Clipboard()->HasFormat(CF_DIB));
        TBitmap c;
        c.Assign(Clipboard());
        EXPECT_EQ(c.PixelFormat(), f);
        ASSERT_EQ(c.Width(), 7);
        ASSERT_EQ(c.Height(), 5);
        TDibImage x, y;
        b.GetDib(x);
        c.GetDib(y);
        EXPECT_EQ(x.Bits, y.Bits);
        EXPECT_EQ(x.Palette, y.Palette);
    }
}

TEST(Clipboard, FormatsPutTogetherBetweenOpenAndClose)
{
    TBitmap b(3, 2);
    Clipboard()->Open();
    Clipboard()->SetAsText(u"both");
    Clipboard()->Assign(&b);
    Clipboard()->Close();
    EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));

    // A single put outside empties what was there.
    Clipboard()->SetAsText(u"alone");
    EXPECT_FALSE(Clipboard()->HasFormat(CF_BITMAP));

    UINT own = RegisterClipboardFormatW(L"Lumatra test format");
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4);
    *static_cast<uint32_t*>(GlobalLock(h)) = 0x12345678;
    GlobalUnlock(h);
    Clipboard()->SetAsHandle(static_cast<Word>(own), h);
    HANDLE got = Clipboard()->GetAsHandle(static_cast<Word>(own));
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(*static_cast<uint32_t*>(GlobalLock(got)), 0x12345678u);
    GlobalUnlock(got);
}

TEST(Clipboard, DeviceBitmapOnlyAndNothingAtAll)
{
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 4, 3);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, ddb);
    PatBlt(dc, 0, 0, 4, 3, WHITENESS);
    SetPixel(dc, 3, 2, RGB(10, 20, 30));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    Clipboard()->SetAsHandle(CF_BITMAP, ddb);
    TBitmap b;
    b.Assign(Clipboard());
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Canvas()->Pixels(3, 2), static_cast<TColor>(RGB(10, 20, 30)));
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clWhite);

    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_BITMAP));
    EXPECT_EQ(Clipboard()->AsText(), u"");
    EXPECT_THROW(b.Assign(Clipboard()), EInvalidGraphic);
}

TEST(Clipboard, PicturesAndOtherGraphics)
{
    TPicture p;
    p.Bitmap()->SetSize(2, 2);
    p.Bitmap()->Canvas()->SetPixels(1, 1, clRed);
    Clipboard()->Assign(&p);
    TPicture q;
    q.Assign(Clipboard());
    ASSERT_NE(dynamic_cast<TBitmap*>(q.Graphic()), nullptr);
    EXPECT_EQ(q.Bitmap()->Canvas()->Pixels(1, 1), clRed);
}
