// The skin bitmap on the platform: its section and context, the drawing
// routes to device contexts (another skin bitmap's, a bottom-up section's,
// a platform bitmap's), the exchange with platform pictures and resources.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <cstring>
#include <vector>

#include "SkinPlatformTestEnv.h"
#include "framework/graphics/win/Graphics.h"
#include "framework/runtime/SysUtils.h"
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFKernels_Win.h"

namespace {

std::vector<TsfColor> Pixels(const TsfBitmap& B)
{
    GdiFlush();
    return std::vector<TsfColor>(B.Bits(), B.Bits() + B.Width() * B.Height());
}

// A source with every kind of pixel the flags treat differently: key colour,
// clear, half and opaque pixels, in a 4 x 3 pattern.
void FillPattern(TsfBitmap& B)
{
    B.SetSize(4, 3);
    const TsfColor P[12] = {0xFF7F007F, 0x007F007F, 0x80FF0000, 0xFF00FF00, 0x00123456, 0x400000FF,
                            0xFFFFFFFF, 0xC0808080, 0xFF102030, 0x7F007F00, 0x01FFFFFF, 0xFE7F0080};
    std::copy(P, P + 12, B.Bits());
}

// A background that is neither clear nor opaque, so every route shows.
void FillBackground(TsfBitmap& B, Integer W, Integer H)
{
    B.SetSize(W, H);
    for (Integer i = 0; i < W * H; ++i) B.Bits()[i] = 0xA0000000u | static_cast<TsfColor>(i * 0x010307);
}

enum TFlags { fPlain, fKeyed, fBlend };

void SetFlags(TsfBitmap& B, TFlags F)
{
    B.SetTransparent(F == fKeyed);
    B.SetAlphaBlend(F == fBlend);
}

TEST(SFBitmapWin, SectionContextAndRegistry)
{
    EXPECT_TRUE(IsMsImgLoaded());
    EXPECT_GE(ScreenColorDepth(), 24);
    const size_t Before = SkinBitmapRegistry().size();
    {
        TsfBitmap B;
        EXPECT_EQ(B.DC(), nullptr);
        B.SetSize(5, 3);
        ASSERT_NE(B.DC(), nullptr);
        ASSERT_NE(B.Handle(), nullptr);
        EXPECT_EQ(FindSkinBitmapByDC(B.DC()), &B);
        EXPECT_EQ(Pixels(B), std::vector<TsfColor>(15, 0));
        B.SetSize(6, 3);
        EXPECT_EQ(SkinBitmapRegistry().size(), Before + 1);  // once, with its new context
        EXPECT_EQ(FindSkinBitmapByDC(B.DC()), &B);

        Integer W, H, Bpp;
        EXPECT_EQ(GetDCDib(B.DC(), W, H, Bpp), B.Bits());
        EXPECT_EQ(W, 6);
        EXPECT_EQ(std::abs(H), 3);  // positive on the platform even for a top-down section
        EXPECT_EQ(Bpp, 32);
    }
    EXPECT_EQ(SkinBitmapRegistry().size(), Before);
    HDC Plain = CreateCompatibleDC(nullptr);  // holds the stock 1 x 1 monochrome bitmap
    Integer W, H, Bpp;
    EXPECT_EQ(GetDCDib(Plain, W, H, Bpp), nullptr);
    EXPECT_EQ(W + H + Bpp, 0);
    DeleteDC(Plain);
}

TEST(SFBitmapWin, CanvasDrawsOnThePixelsAndFollowsTheContext)
{
    TsfBitmap B;
    B.SetSize(4, 4);
    B.Canvas()->Brush()->SetColor(static_cast<TColor>(0x0000FF));
    B.Canvas()->FillRect(TRect{0, 0, 2, 2});
    EXPECT_EQ(Pixels(B)[0] & 0xFFFFFF, 0xFF0000u);
    B.SetSize(8, 8);
    EXPECT_EQ(B.Canvas()->Handle(), B.DC());
    B.Canvas()->FillRect(TRect{7, 7, 8, 8});
    EXPECT_EQ(Pixels(B)[63] & 0xFFFFFF, 0xFF0000u);
}

// Drawing to another skin bitmap's context is the in-memory draw, for every
// flag, stretched or not, also when the context has moved origins and a clip
// rectangle: the draw lands where GDI would put it and stays inside the clip.
TEST(SFBitmapWin, RegisteredContextEqualsInMemoryDraw)
{
    TsfBitmap Src;
    FillPattern(Src);
    const TRect Dsts[] = {{1, 1, 5, 4}, {-2, 3, 9, 11}, {2, 0, 3, 1}};
    struct {
        POINT Window, Viewport;
        RECT Clip;  // logical; empty: none
    } const Contexts[] = {
        {{0, 0}, {0, 0}, {0, 0, 0, 0}},
        {{3, 1}, {0, 0}, {0, 0, 0, 0}},
        {{0, 0}, {4, 2}, {0, 0, 0, 0}},
        {{2, -1}, {5, 3}, {1, 2, 6, 7}},
    };
    for (TFlags F : {fPlain, fKeyed, fBlend})
        for (const TRect& D : Dsts)
            for (const auto& C : Contexts) {
                SetFlags(Src, F);
                TsfBitmap Target, Want;
                FillBackground(Target, 12, 12);
                FillBackground(Want, 12, 12);
                HDC DC = Target.DC();
                const int Saved = SaveDC(DC);
                SetWindowOrgEx(DC, C.Window.x, C.Window.y, nullptr);
                SetViewportOrgEx(DC, C.Viewport.x, C.Viewport.y, nullptr);
                if (C.Clip.right > C.Clip.left) IntersectClipRect(DC, C.Clip.left, C.Clip.top, C.Clip.right, C.Clip.bottom);
                Src.Draw(DC, D, TRect{0, 0, 4, 3});
                RestoreDC(DC, Saved);

                // The same draw in memory, moved to device coordinates and clipped.
                const Integer Dx = C.Viewport.x - C.Window.x, Dy = C.Viewport.y - C.Window.y;
                TsfPixelTarget T = Want.PixelTarget();
                if (C.Clip.right > C.Clip.left)
                    T.Clip = TRect{C.Clip.left + Dx, C.Clip.top + Dy, C.Clip.right + Dx, C.Clip.bottom + Dy};
                Src.DrawToPixels(T, TRect{D.Left + Dx, D.Top + Dy, D.Right + Dx, D.Bottom + Dy}, TRect{0, 0, 4, 3});
                EXPECT_EQ(Pixels(Target), Pixels(Want)) << "flags " << F << " dst " << D.Left << "," << D.Top
                                                        << " window " << C.Window.x << " viewport " << C.Viewport.x;
            }
}

// A platform bitmap's context (not a skin bitmap's): the blend and the
// temporary-bitmap keyed route give the in-memory result alpha included; the
// platform's stretching copy and transparent copy give the same colours (they
// may clear the alpha bytes: compared without them).
TEST(SFBitmapWin, PlatformContextRoutes)
{
    TsfBitmap Src;
    FillPattern(Src);
    for (TFlags F : {fPlain, fKeyed, fBlend})
        for (bool TransparentBlt : {false, true})
            for (bool Stretched : {false, true}) {
            // GDI's own stretching samples other columns than the skin
            // bitmap's table: the routes through it are compared unstretched.
            const bool ThroughGdi = F == fPlain || (F == fKeyed && TransparentBlt);
            if (Stretched && ThroughGdi) continue;
            SetFlags(Src, F);
            BindDCKeyedRoute(TransparentBlt);
            // Wine's transparent copy compares the alpha byte with the key
            // too; skin pictures reach it with keys CheckingTransparent made
            // (alpha 0), as this one then has.
            Src.SetPixel(0, 0, F == fKeyed && TransparentBlt ? 0x007F007F : 0xFF7F007F);
            TsfBitmap Bg;
            FillBackground(Bg, 10, 8);
            TBitmap Platform;
            Platform.SetPixelFormat(pf32bit);
            Platform.SetSize(10, 8);
            GdiFlush();
            for (Integer y = 0; y < 8; ++y)
                std::memcpy(Platform.ScanLine(y), Bg.ScanLineAddress(y), 40);
            const TRect Dst = Stretched ? TRect{1, 2, 9, 8} : TRect{3, 2, 7, 5};
            Src.Draw(Platform.Canvas(), Dst, TRect{0, 0, 4, 3});
            Src.Draw(&Bg, Dst, TRect{0, 0, 4, 3});
            GdiFlush();
            const bool ColourOnly = ThroughGdi;
            for (Integer y = 0; y < 8; ++y) {
                const auto* Row = static_cast<const TsfColor*>(Platform.ScanLine(y));
                for (Integer x = 0; x < 10; ++x) {
                    const TsfColor Mask = ColourOnly ? 0x00FFFFFF : 0xFFFFFFFF;
                    ASSERT_EQ(Row[x] & Mask, *Bg.PixelAddress(x, y) & Mask)
                        << "flags " << F << " TransparentBlt " << TransparentBlt << " at " << x << "," << y;
                }
            }
        }
    BindDCKeyedRoute(true);
}

// A context holding a bottom-up 32-bit section: Tile writes the section's
// memory directly (row y at memory row height - 1 - y), in device
// coordinates, inside the clip box.
TEST(SFBitmapWin, TileIntoBottomUpSection)
{
    TsfBitmap Src;
    FillPattern(Src);
    for (TFlags F : {fPlain, fKeyed, fBlend}) {
        SetFlags(Src, F);
        BITMAPINFO Info{};
        Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        Info.bmiHeader.biWidth = 13;
        Info.bmiHeader.biHeight = 9;  // bottom-up
        Info.bmiHeader.biPlanes = 1;
        Info.bmiHeader.biBitCount = 32;
        void* Bits = nullptr;
        HBITMAP Section = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
        ASSERT_NE(Section, nullptr);
        HDC DC = CreateCompatibleDC(nullptr);
        HGDIOBJ Old = SelectObject(DC, Section);
        TsfBitmap Want;
        FillBackground(Want, 13, 9);
        auto* Mem = static_cast<TsfColor*>(Bits);
        for (Integer y = 0; y < 9; ++y) std::memcpy(Mem + (8 - y) * 13, Want.ScanLineAddress(y), 13 * 4);

        SetWindowOrgEx(DC, 1, 0, nullptr);
        IntersectClipRect(DC, 0, 0, 11, 8);  // device 0..10 x 0..8
        Src.Tile(DC, TRect{1, 1, 14, 9}, TRect{1, 0, 4, 3});
        GdiFlush();

        TsfPixelTarget T = Want.PixelTarget();
        T.Clip = TRect{0, 0, 10, 8};
        ForEachSkinTile(TRect{0, 1, 13, 9}, TRect{1, 0, 4, 3},
                        [&](const TRect& Tile, const TRect& S) { Src.DrawToPixels(T, Tile, S); });
        for (Integer y = 0; y < 9; ++y)
            for (Integer x = 0; x < 13; ++x)
                ASSERT_EQ(Mem[(8 - y) * 13 + x], *Want.PixelAddress(x, y)) << "flags " << F << " at " << x << "," << y;
        SelectObject(DC, Old);
        DeleteDC(DC);
        DeleteObject(Section);
    }
}

// A top-down section reports a positive height too: its rows must not be
// written upside down.
TEST(SFBitmapWin, TileIntoTopDownPlatformBitmap)
{
    TsfBitmap Src, Want;
    FillPattern(Src);
    TBitmap Platform;
    Platform.SetPixelFormat(pf32bit);
    Platform.SetSize(9, 7);
    FillBackground(Want, 9, 7);
    GdiFlush();
    for (Integer y = 0; y < 7; ++y) std::memcpy(Platform.ScanLine(y), Want.ScanLineAddress(y), 9 * 4);
    Src.SetAlphaBlend(true);
    Src.Tile(Platform.Canvas(), TRect{0, 1, 9, 7}, TRect{0, 0, 4, 3});
    Src.Tile(&Want, TRect{0, 1, 9, 7}, TRect{0, 0, 4, 3});
    GdiFlush();
    for (Integer y = 0; y < 7; ++y)
        for (Integer x = 0; x < 9; ++x)
            ASSERT_EQ(static_cast<const TsfColor*>(Platform.ScanLine(y))[x], *Want.PixelAddress(x, y)) << x << "," << y;
}

TEST(SFBitmapWin, TileAndTileClipThroughAContext)
{
    TsfBitmap Src, Target, Want;
    FillPattern(Src);
    FillBackground(Target, 12, 7);
    FillBackground(Want, 12, 7);
    Src.TileClip(Target.DC(), TRect{0, 0, 12, 7}, TRect{5, 4, 6, 5}, TRect{0, 0, 4, 3});
    Src.TileClip(&Want, TRect{0, 0, 12, 7}, TRect{5, 4, 6, 5}, TRect{0, 0, 4, 3});
    EXPECT_EQ(Pixels(Target), Pixels(Want));
    Src.Tile(Target.Canvas(), TRect{1, 1, 11, 6}, TRect{0, 0, 4, 3});
    Src.Tile(&Want, TRect{1, 1, 11, 6}, TRect{0, 0, 4, 3});
    EXPECT_EQ(Pixels(Target), Pixels(Want));
}

TEST(SFBitmapWin, AssignFromPlatformPictures)
{
    // A 32-bit platform bitmap keeps its alpha and decides AlphaBlend.
    TBitmap P32;
    P32.SetPixelFormat(pf32bit);
    P32.SetSize(2, 1);
    GdiFlush();
    static_cast<TsfColor*>(P32.ScanLine(0))[0] = 0x80112233;
    static_cast<TsfColor*>(P32.ScanLine(0))[1] = 0xFF445566;
    TsfBitmap B;
    B.Assign(&P32);
    EXPECT_EQ(Pixels(B), (std::vector<TsfColor>{0x80112233, 0xFF445566}));
    EXPECT_TRUE(B.AlphaBlend());

    // Other depths are copied through the context and made opaque.
    TBitmap P24;
    P24.SetPixelFormat(pf24bit);
    P24.SetSize(2, 1);
    P24.Canvas()->Brush()->SetColor(static_cast<TColor>(0x0000FF));
    P24.Canvas()->FillRect(TRect{0, 0, 2, 1});
    TsfBitmap C;
    C.Assign(&P24);
    EXPECT_EQ(Pixels(C), (std::vector<TsfColor>{0xFFFF0000, 0xFFFF0000}));

    // A picture's bitmap takes the context route whatever its depth.
    TPicture Pic;
    Pic.Bitmap()->Assign(&P32);
    TsfBitmap D;
    D.Assign(&Pic);
    EXPECT_EQ(Pixels(D), (std::vector<TsfColor>{0xFF112233, 0xFF445566}));
    TPicture None;
    D.Assign(&None);  // no graphic: nothing changes
    EXPECT_EQ(D.Width(), 2);

    TFont Font;
    EXPECT_THROW(D.Assign(&Font), EConvertError);
}

TEST(SFBitmapWin, AssignToPlatformBitmapDrawsByTheFlags)
{
    TsfBitmap B;
    B.SetSize(2, 1);
    B.Bits()[0] = 0x00FFFFFF;
    B.Bits()[1] = 0xFF102030;
    TBitmap Out;
    Out.Assign(&B);
    ASSERT_EQ(Out.PixelFormat(), pf32bit);
    GdiFlush();
    EXPECT_EQ(static_cast<TsfColor*>(Out.ScanLine(0))[1] & 0xFFFFFF, 0x102030u);
    EXPECT_EQ(static_cast<TsfColor*>(Out.ScanLine(0))[0] & 0xFFFFFF, 0xFFFFFFu);  // plain copy
    B.SetAlphaBlend(true);
    TBitmap Fresh;
    Fresh.SetPixelFormat(pf32bit);
    Fresh.SetSize(2, 1);
    TBitmap Blended;
    Blended.Assign(&B);  // alpha 0 leaves the new bitmap's initial pixels
    GdiFlush();
    EXPECT_EQ(static_cast<TsfColor*>(Blended.ScanLine(0))[0], static_cast<TsfColor*>(Fresh.ScanLine(0))[0]);
    EXPECT_EQ(static_cast<TsfColor*>(Blended.ScanLine(0))[1], 0xFF102030u);
    TPicture Pic;
    Pic.Assign(&B);
    EXPECT_EQ(Pic.Width(), 2);
}

TEST(SFBitmapWin, DrawGraphicKeepsWhatTheGraphicLeaves)
{
    TBitmap G;
    G.SetPixelFormat(pf24bit);
    G.SetSize(2, 2);
    G.Canvas()->Brush()->SetColor(static_cast<TColor>(0x00FF00));
    G.Canvas()->FillRect(TRect{0, 0, 2, 2});
    TsfBitmap B;
    B.SetSize(4, 1);
    B.Clear(0x12345678);
    B.DrawGraphic(&G, TRect{1, 0, 3, 1});
    const std::vector<TsfColor> P = Pixels(B);
    EXPECT_EQ(P[0], 0x12345678u);
    EXPECT_EQ(P[1] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(P[2] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(P[3], 0x12345678u);
}

TEST(SFBitmapWin, LoadFromResource)
{
    wchar_t Self[MAX_PATH];
    GetModuleFileNameW(nullptr, Self, MAX_PATH);
    TsfBitmap B;
    B.LoadFromResource(FromWStr(Self), u"RGB3X2");
    EXPECT_EQ(Pixels(B), (std::vector<TsfColor>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF808080,
                                                0xFF000000}));
    TsfBitmap Missing;
    Missing.LoadFromResource(FromWStr(Self), u"NOSUCH");
    Missing.LoadFromResource(u"C:\\no\\such.dll", u"RGB3X2");
    EXPECT_TRUE(Missing.Empty());
}

// The effect bitmap is a 24-bit section: a copy of any bitmap, drawn and
// stretched through the platform.
TEST(SFBitmapWin, EffectBitmapThroughTheContext)
{
    TsfBitmap Src;
    Src.SetSize(3, 2);
    for (Integer i = 0; i < 6; ++i) Src.Bits()[i] = 0xFF000000u | static_cast<TsfColor>(0x102030 * (i + 1));
    std::unique_ptr<TsfEffectBmp> E = TsfEffectBmp::CreateFromhWnd(Src.Handle());
    ASSERT_NE(E->Handle, nullptr);
    ASSERT_EQ(E->Width, 3);
    ASSERT_EQ(E->Height, 2);
    for (Integer i = 0; i < 6; ++i) EXPECT_EQ(E->GetPixel(i % 3, i / 3), (Src.Bits()[i] & 0xFFFFFF)) << i;

    E->Invert();
    TsfBitmap Out;
    Out.SetSize(5, 4);
    E->Draw(Out.DC(), 1, 1);
    GdiFlush();
    EXPECT_EQ(Out.GetPixel(1, 1) & 0xFFFFFF, ~Src.Bits()[0] & 0xFFFFFF);
    EXPECT_EQ(Out.GetPixel(3, 2) & 0xFFFFFF, ~Src.Bits()[5] & 0xFFFFFF);
    EXPECT_EQ(Out.GetPixel(0, 0), 0u);

    TsfBitmap Big;
    Big.SetSize(6, 4);
    E->Stretch(Big.DC(), 0, 0, 6, 4);  // each pixel doubled both ways
    GdiFlush();
    EXPECT_EQ(Big.GetPixel(5, 3) & 0xFFFFFF, ~Src.Bits()[5] & 0xFFFFFF);
    EXPECT_EQ(Big.GetPixel(1, 1) & 0xFFFFFF, ~Src.Bits()[0] & 0xFFFFFF);

    std::unique_ptr<TsfEffectBmp> None = TsfEffectBmp::CreateFromhWnd(nullptr);
    EXPECT_EQ(None->Bits, nullptr);
    None->Draw(Out.DC(), 0, 0);
}

}  // namespace
