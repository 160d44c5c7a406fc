// The skin helpers that draw on canvases and talk to windows: marks and
// glyphs read back from bitmaps, glyph faces, parent backgrounds behind a
// control on a shown form, text shortening, pictures, and the platform
// functions watched through interceptors.
#include <gtest/gtest.h>

#include <set>

#include "SkinPlatformTestEnv.h"
#include "framework/controls/win/GuiTest.h"
#include "framework/graphics/win/Jpeg.h"
#include "framework/runtime/SysUtils.h"
#include "skin/model/win/SFUtils_Win.h"

using namespace guitest;

namespace {

std::unique_ptr<TBitmap> WhiteBitmap(Integer W, Integer H) { return SolidBitmap(W, H); }

// Pixel counts per row (Rows) or per column of a pixel set.
std::vector<Integer> RowCounts(const std::set<std::pair<Integer, Integer>>& S, Integer From, Integer To, bool Rows)
{
    std::vector<Integer> N;
    for (Integer i = From; i <= To; ++i) {
        Integer n = 0;
        for (const auto& P : S) n += (Rows ? P.second : P.first) == i;
        N.push_back(n);
    }
    return N;
}

constexpr TColor Ink = 0x123456;

}  // namespace

TEST(SFUtilsWin, ArrowsPointTheirWayAndCentreOnTheRectangle)
{
    // R (0, 0, 20, 20): centre (10, 10).
    const struct { Integer Kind; TRect Bounds; bool ByRow; std::vector<Integer> Counts; } Cases[] = {
        {1, {8, 7, 12, 14}, false, {1, 3, 5, 7}},   // left: tip column at cx - 2
        {2, {9, 7, 13, 14}, false, {7, 5, 3, 1}},   // right: tip at cx + 2
        {3, {7, 8, 14, 12}, true, {1, 3, 5, 7}},    // up: tip row at cy - 2
        {4, {7, 9, 14, 13}, true, {7, 5, 3, 1}},    // down: tip at cy + 2
    };
    for (const auto& C : Cases) {
        auto B = WhiteBitmap(20, 20);
        DrawArrowImage(B->Canvas(), {0, 0, 20, 20}, Ink, C.Kind);
        const auto S = PixelsOf(B.get(), Ink);
        EXPECT_EQ(BoundsOf(S), C.Bounds) << C.Kind;
        const TRect& Bd = C.Bounds;
        EXPECT_EQ(RowCounts(S, C.ByRow ? Bd.Top : Bd.Left, (C.ByRow ? Bd.Bottom : Bd.Right) - 1, C.ByRow), C.Counts)
            << C.Kind;
    }
    // Another kind draws nothing but leaves the pen in the colour.
    auto B = WhiteBitmap(20, 20);
    B->Canvas()->Pen()->SetColor(clBlack);
    DrawArrowImage(B->Canvas(), {0, 0, 20, 20}, Ink, 5);
    EXPECT_TRUE(PixelsOf(B.get(), Ink).empty());
    EXPECT_EQ(B->Canvas()->Pen()->Color(), Ink);

    auto D = WhiteBitmap(20, 20);
    DrawDropArrowImage(D->Canvas(), {0, 0, 20, 20}, Ink);
    const auto S = PixelsOf(D.get(), Ink);
    EXPECT_EQ(BoundsOf(S), (TRect{8, 10, 13, 13}));
    EXPECT_EQ(RowCounts(S, 10, 12, true), (std::vector<Integer>{5, 3, 1}));
}

TEST(SFUtilsWin, MarksAndCaptionButtonGlyphs)
{
    using TDraw = void (*)(TCanvas*, Integer, Integer, TColor);
    // Drawn at (3, 2): bounds (in glyph coordinates), pixel count, one pixel
    // that must be set and one that must not.
    const struct { const char* Name; TDraw Draw; TRect Bounds; Integer Count; TPoint On, Off; } Cases[] = {
        {"radio", DrawRadioImage, {0, 0, 6, 6}, 36, {3, 3}, {6, 0}},
        {"check", DrawCheckImage, {0, 1, 7, 8}, 21, {2, 6}, {0, 6}},
        {"close", DrawCloseImage, {1, 1, 10, 9}, 30, {5, 5}, {0, 0}},
        {"sysmenu", DrawSysMenuImage, {1, 3, 9, 6}, 18, {1, 4}, {4, 4}},
        {"minimize", DrawMinimizeImage, {1, 8, 9, 10}, 16, {8, 9}, {9, 9}},
        {"maximize", DrawMaximizeImage, {0, 0, 11, 10}, 47, {5, 1}, {5, 2}},
        {"restore", DrawRestoreImage, {0, 0, 10, 10}, 0, {2, 0}, {1, 0}},
        {"rolldown", DrawRollDownImage, {1, 2, 9, 6}, 20, {4, 5}, {3, 5}},
        {"rollup", DrawRollUpImage, {1, 3, 9, 7}, 20, {4, 3}, {3, 3}},
        {"tray", DrawTrayImage, {2, 2, 7, 7}, 25, {4, 4}, {7, 7}},
    };
    for (const auto& C : Cases) {
        auto B = WhiteBitmap(20, 20);
        C.Draw(B->Canvas(), 3, 2, Ink);
        const auto S = PixelsOf(B.get(), Ink);
        const TRect Bd = BoundsOf(S);
        EXPECT_EQ((TRect{Bd.Left - 3, Bd.Top - 2, Bd.Right - 3, Bd.Bottom - 2}), C.Bounds) << C.Name;
        if (C.Count) EXPECT_EQ(static_cast<Integer>(S.size()), C.Count) << C.Name;
        EXPECT_TRUE(S.count({C.On.X + 3, C.On.Y + 2})) << C.Name;
        EXPECT_FALSE(S.count({C.Off.X + 3, C.Off.Y + 2})) << C.Name;
    }
    // The check mark is three pixels thick: every column has three.
    auto B = WhiteBitmap(20, 20);
    DrawCheckImage(B->Canvas(), 0, 0, Ink);
    EXPECT_EQ(RowCounts(PixelsOf(B.get(), Ink), 0, 6, false), (std::vector<Integer>(7, 3)));
}

TEST(SFUtilsWin, FocusRectangleInTheFontColour)
{
    auto B = WhiteBitmap(8, 8);
    B->Canvas()->Font()->SetColor(Ink);
    DrawSkinFocusRect(B->Canvas(), {0, 0, 5, 5});
    std::set<std::pair<Integer, Integer>> Expected;
    for (const TPoint& P : SkinFocusRectDots({0, 0, 5, 5})) Expected.insert({P.X, P.Y});
    EXPECT_EQ(PixelsOf(B.get(), Ink), Expected);
    EXPECT_FALSE(Expected.count({0, 0}));
    EXPECT_TRUE(Expected.count({1, 0}));
}

TEST(SFUtilsWin, WideTextIsMeasuredAndCut)
{
    auto B = WhiteBitmap(100, 40);
    TCanvas* C = B->Canvas();
    C->Font()->SetName(u"Arial");
    C->Font()->SetHeight(-12);
    const Integer W = GetWideTextWidth(C, u"Hello world");
    EXPECT_GT(W, 20);
    EXPECT_GT(GetWideTextHeight(C, u"Hello"), 8);
    EXPECT_EQ(GetWideTextWidth(C, u""), 0);

    const struct { Integer Max; bool Cut; } Cases[] = {{W, false}, {W - 1, true}, {1, true}, {0, true}};
    for (const auto& K : Cases) {
        String S = u"Hello world";
        CutTextToWidth(C, S, K.Max);
        if (!K.Cut) {
            EXPECT_TRUE(S == u"Hello world");
            continue;
        }
        EXPECT_TRUE(S.size() >= 3 && S.substr(S.size() - 3) == u"...");
        EXPECT_TRUE(S == u"..." || GetWideTextWidth(C, S) <= K.Max) << K.Max;
    }
    String Tiny = u"Hello world";
    CutTextToWidth(C, Tiny, 1);
    EXPECT_TRUE(Tiny == u"...");

    // DrawWideText draws in the font colour and returns the text's height.
    C->Font()->SetColor(clBlack);
    C->Brush()->SetStyle(bsClear);
    TRect R{0, 0, 100, 40};
    EXPECT_EQ(DrawWideText(C, u"Hello", R, DT_SINGLELINE), GetWideTextHeight(C, u"Hello"));
    EXPECT_FALSE(PixelsOf(B.get(), clBlack).empty());
    // One line, clipped to R, starting 1 (or Indent + 2) pixels in; centred vertically.
    const struct { Integer Indent; } Lines[] = {{-1}, {0}, {6}};
    for (const auto& L : Lines) {
        auto T = WhiteBitmap(60, 40);
        TCanvas* TC = T->Canvas();
        TC->Font()->SetName(u"Arial");
        TC->Font()->SetHeight(-12);
        TC->Font()->SetColor(clBlack);
        TC->Font()->SetQuality(fqNonAntialiased);
        TC->Brush()->SetStyle(bsClear);
        const TRect Box{10, 5, 40, 35};
        if (L.Indent < 0)
            DrawClippedText(TC, u"IIIIIIIIIIIIIIIIIIII", Box);
        else
            DrawClippedTextIndent(TC, u"IIIIIIIIIIIIIIIIIIII", Box, L.Indent);
        const TRect Ink = BoundsOf(PixelsOf(T.get(), clBlack));
        EXPECT_GE(Ink.Left, Box.Left + (L.Indent < 0 ? 1 : L.Indent + 2)) << L.Indent;
        EXPECT_LE(Ink.Left, Box.Left + (L.Indent < 0 ? 1 : L.Indent + 2) + 2) << L.Indent;
        EXPECT_LE(Ink.Right, Box.Right) << L.Indent;  // cut at the edge
        EXPECT_GT(Ink.Right, Box.Right - 5) << L.Indent;
        EXPECT_LE(std::abs((Ink.Top + Ink.Bottom) - (Box.Top + Box.Bottom)), 6) << L.Indent;
    }
    auto V = WhiteBitmap(60, 40);
    V->Canvas()->Font()->SetColor(clBlack);
    V->Canvas()->Brush()->SetStyle(bsClear);
    DrawVCenterText(V->Canvas(), u"III", {0, 0, 60, 40});
    const TRect VInk = BoundsOf(PixelsOf(V.get(), clBlack));
    EXPECT_LE(std::abs((VInk.Top + VInk.Bottom) - 40), 6);
    // Nothing for an empty text.
    auto E = WhiteBitmap(20, 20);
    DrawVCenterText(E->Canvas(), u"", {0, 0, 20, 20});
    DrawClippedText(E->Canvas(), u"", {0, 0, 20, 20});
    EXPECT_EQ(PixelsOf(E.get(), clWhite).size(), 400u);
}

TEST(SFUtilsWin, GlyphFacesPlaceGlyphCaptionAndMarker)
{
    // A strip of two 8 x 8 frames: red, then blue; laid out centred in
    // (0, 0, 40, 20) with no caption (the spacing still counts beside a
    // glyph) the glyph goes to (20 - (8 + 4) div 2, 10 - 4) = (14, 6).
    TBitmap Strip;
    Strip.SetPixelFormat(pf24bit);
    Strip.SetSize(16, 8);
    Strip.Canvas()->Brush()->SetColor(clRed);
    Strip.Canvas()->FillRect({0, 0, 8, 8});
    Strip.Canvas()->Brush()->SetColor(clBlue);
    Strip.Canvas()->FillRect({8, 0, 16, 8});
    Strip.Canvas()->Pixels(8, 7);  // the bottom-left pixel (red) is the strip's key
    const TColor Marker = 0x00C000;
    const struct { bool Pressed; TPoint Glyph; } Cases[] = {{false, {14, 6}}, {true, {15, 7}}};
    for (const auto& K : Cases) {
        auto B = WhiteBitmap(40, 20);
        DrawGlyphAndText(B->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", &Strip, 2, 2, K.Pressed, true, Marker);
        EXPECT_EQ(BoundsOf(PixelsOf(B.get(), clBlue)),
                  (TRect{K.Glyph.X, K.Glyph.Y, K.Glyph.X + 8, K.Glyph.Y + 6})) << K.Pressed;
        // Three marker lines over the glyph's last rows, as wide as the whole strip.
        EXPECT_EQ(BoundsOf(PixelsOf(B.get(), Marker)),
                  (TRect{K.Glyph.X, K.Glyph.Y + 6, std::min(K.Glyph.X + 16, 40), K.Glyph.Y + 9})) << K.Pressed;
    }
    // Neither glyph nor caption: a bar in the marker colour.
    auto B = WhiteBitmap(40, 20);
    DrawGlyphAndText(B->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", nullptr, 1, 1, false, true, Marker);
    EXPECT_EQ(BoundsOf(PixelsOf(B.get(), Marker)), (TRect{3, 5, 37, 17}));  // inside a button-face pen
    auto P = WhiteBitmap(40, 20);
    DrawGlyphAndText(P->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", nullptr, 1, 1, true, true, Marker);
    EXPECT_EQ(BoundsOf(PixelsOf(P.get(), Marker)), (TRect{2, 5, 38, 17}));
    // A strip that claims no frames shows no glyph (and divides by nothing).
    auto Z = WhiteBitmap(40, 20);
    DrawGlyphAndText(Z->Canvas(), {0, 0, 40, 20}, -1, 4, blGlyphLeft, u"", &Strip, 0, 1, false, false, Marker);
    EXPECT_EQ(PixelsOf(Z.get(), clWhite).size(), 800u);

    // With a caption, the text is drawn word-wrapped and centred on its place.
    auto T = WhiteBitmap(60, 20);
    T->Canvas()->Font()->SetColor(clBlack);
    DrawGlyphAndText(T->Canvas(), {0, 0, 60, 20}, -1, 4, blGlyphLeft, u"Ab", &Strip, 2, 2, false, false, Marker);
    const TRect Glyph = BoundsOf(PixelsOf(T.get(), clBlue));
    const auto Text = PixelsOf(T.get(), clBlack);
    ASSERT_FALSE(Text.empty());
    EXPECT_GE(BoundsOf(Text).Left, Glyph.Right + 4);  // the spacing between them
}

TEST(SFUtilsWin, BitmapGlyphIsOneFrameOfTheStripKeyed)
{
    // A 64-pixel strip of 4 frames whose columns all differ; frame 2 is columns 16..31.
    TBitmap Strip;
    Strip.SetPixelFormat(pf24bit);
    Strip.SetSize(64, 4);
    for (Integer x = 0; x < 64; ++x) {
        Strip.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(x * 3, 40, 200)));
        Strip.Canvas()->FillRect({x, 0, x + 1, 4});
    }
    // The key is the bottom-left pixel's colour (column 0): column 20 in it stays undrawn.
    Strip.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(0, 40, 200)));
    Strip.Canvas()->FillRect({20, 0, 21, 4});
    auto B = WhiteBitmap(20, 4);
    DrawBitmapGlyph(B->Canvas(), 0, 0, &Strip, 4, 2);
    GdiFlush();
    for (Integer x = 0; x < 20; ++x) {
        const TColor Expected = x == 4 || x >= 16 ? clWhite : static_cast<TColor>(RGB((16 + x) * 3, 40, 200));
        EXPECT_EQ(B->Canvas()->Pixels(x, 2), Expected) << x;
    }
    // No frames, no such frame, an empty strip: nothing drawn.
    for (const auto& [Count, Index] : {std::pair{0, 1}, {4, 5}, {4, 0}, {-1, 1}}) {
        auto N = WhiteBitmap(20, 4);
        DrawBitmapGlyph(N->Canvas(), 0, 0, &Strip, Count, Index);
        EXPECT_EQ(PixelsOf(N.get(), clWhite).size(), 80u) << Count << ' ' << Index;
    }
    TBitmap Empty;
    auto N = WhiteBitmap(20, 4);
    DrawBitmapGlyph(N->Canvas(), 0, 0, &Empty, 1, 1);
    EXPECT_EQ(PixelsOf(N.get(), clWhite).size(), 80u);
}

namespace {

// A tab control's stand-in: its background is a left-to-right ramp; it notes
// whether it was marked as being painted into a copy while it painted.
class TTabFixture : public TCustomControl, public TsfSkinTabBackground {
public:
    using TCustomControl::TCustomControl;
    void PaintBG(HDC DC) override
    {
        ++Paints;
        SawPaintCopy = (ControlState() & csPaintCopy) != 0;
        for (Integer x = 0; x < Width(); ++x) {
            TSolidBrush Brush(static_cast<TColor>(RGB(x, 100, 50)));
            RECT R{x, 0, x + 1, Height()};
            FillRect(DC, &R, Brush);
        }
    }
    Integer Paints = 0;
    bool SawPaintCopy = false;
};

// A plain parent: erased in its colour, then paints a black square at (5, 5, 15, 15).
class TPlainParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clBlack);
        Canvas()->FillRect({5, 5, 15, 15});
    }
};

class TSolid : public TGraphicControl {
public:
    TSolid(TComponent* AOwner, TColor C) : TGraphicControl(AOwner), Fill(C) {}
    Integer Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect({0, 0, Width(), Height()});
    }
    TColor Fill;
};

}  // namespace

class ParentBackground : public FormTest {};

TEST_F(ParentBackground, TabParentPaintsItsBackgroundThenTheEarlierOverlappingSiblings)
{
    TForm* Form = NewForm(100, 100, 300, 200);
    auto* Tab = new TTabFixture(Form);
    Tab->SetParent(Form);
    Tab->SetBounds(10, 10, 200, 100);
    // Siblings in z-order: one before the control overlapping it, one before
    // it but hidden, one before it elsewhere, one after it overlapping.
    auto* Before = new TSolid(Form, clRed);
    Before->SetParent(Tab);
    Before->SetBounds(40, 20, 20, 10);
    auto* Hidden = new TSolid(Form, clYellow);
    Hidden->SetParent(Tab);
    Hidden->SetBounds(35, 25, 10, 10);
    Hidden->SetVisible(false);
    auto* Away = new TSolid(Form, clFuchsia);
    Away->SetParent(Tab);
    Away->SetBounds(150, 60, 10, 10);
    auto* Control = new TSolid(Form, clWhite);
    Control->SetParent(Tab);
    Control->SetBounds(30, 15, 40, 30);
    auto* After = new TSolid(Form, clBlue);
    After->SetParent(Tab);
    After->SetBounds(30, 15, 10, 10);
    ShowAndWait(Form);
    Before->Paints = Hidden->Paints = Away->Paints = After->Paints = 0;

    auto B = WhiteBitmap(40, 30);
    DrawParentBackground(Control, B->Canvas());
    GdiFlush();
    EXPECT_EQ(Tab->Paints, 1);
    EXPECT_TRUE(Tab->SawPaintCopy);
    EXPECT_EQ(Tab->ControlState() & csPaintCopy, 0u);
    EXPECT_EQ(B->Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(30, 100, 50)));   // the tab at (30, 15)
    EXPECT_EQ(B->Canvas()->Pixels(39, 29), static_cast<TColor>(RGB(69, 100, 50)));
    EXPECT_EQ(B->Canvas()->Pixels(10, 5), clRed);    // Before at (40, 20)
    EXPECT_EQ(B->Canvas()->Pixels(29, 14), clRed);
    EXPECT_EQ(B->Canvas()->Pixels(9, 5), static_cast<TColor>(RGB(39, 100, 50)));
    EXPECT_EQ(Before->Paints, 1);
    EXPECT_EQ(Hidden->Paints + Away->Paints + After->Paints, 0);

    // At: the part R of the control drawn with its corner at the canvas origin.
    auto Part = WhiteBitmap(10, 10);
    DrawParentBackgroundAt(Control, {5, 3, 15, 13}, Part->Canvas());
    GdiFlush();
    EXPECT_EQ(Part->Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(35, 100, 50)));
    EXPECT_EQ(Part->Canvas()->Pixels(5, 2), clRed);  // (40, 20) of the tab

    // No control, no parent: nothing.
    auto None = WhiteBitmap(4, 4);
    DrawParentBackground(nullptr, None->Canvas());
    TSolid Orphan(nullptr, clRed);
    DrawParentBackground(&Orphan, None->Canvas());
    EXPECT_EQ(PixelsOf(None.get(), clWhite).size(), 16u);
}

TEST_F(ParentBackground, PlainParentIsErasedAndPaintsItself)
{
    TForm* Form = NewForm(100, 100, 300, 200);
    auto* Parent = new TPlainParent(Form);
    Parent->SetParent(Form);
    Parent->SetBounds(10, 10, 100, 80);
    Parent->SetColor(clLime);
    auto* Control = new TSolid(Form, clWhite);
    Control->SetParent(Parent);
    Control->SetBounds(10, 10, 20, 20);
    ShowAndWait(Form);

    auto B = WhiteBitmap(20, 20);
    DrawParentBackground(Control, B->Canvas());
    GdiFlush();
    EXPECT_EQ(B->Canvas()->Pixels(0, 0), clBlack);    // the parent's square reaches (14, 14)
    EXPECT_EQ(B->Canvas()->Pixels(4, 4), clBlack);
    EXPECT_EQ(B->Canvas()->Pixels(5, 5), clLime);     // erased in its colour
    EXPECT_EQ(B->Canvas()->Pixels(19, 19), clLime);
}

TEST_F(ParentBackground, MultipleDocumentFormErasesThroughItsClientWindow)
{
    TForm* Form = NewForm(100, 100, 200, 150);
    Form->SetFormStyle(fsMDIForm);
    Form->SetColor(clLime);
    CLIENTCREATESTRUCT Create{nullptr, 0xFF00};
    const HWND Client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200, 150,
                                        Form->Handle(), nullptr, GetModuleHandleW(nullptr), &Create);
    ASSERT_NE(Client, nullptr);
    auto* Control = new TSolid(Form, clWhite);
    Control->SetParent(Form);
    Control->SetBounds(10, 10, 20, 20);
    ShowAndWait(Form);
    auto B = WhiteBitmap(20, 20);
    DrawParentBackground(Control, B->Canvas());
    GdiFlush();
    // The client window's own background, not the form's colour.
    const TColor Work = static_cast<TColor>(GetSysColor(COLOR_APPWORKSPACE));
    EXPECT_EQ(B->Canvas()->Pixels(0, 0), Work);
    EXPECT_EQ(B->Canvas()->Pixels(19, 19), Work);
    DestroyWindow(Client);
}

TEST(SFUtilsWin, PicturesFromPngJpegAndTheScreen)
{
    auto Png = TPngImage::CreateBlank(COLOR_RGBALPHA, 8, 2, 1);
    uint8_t* Rgb = Png->Scanline(0);
    const uint8_t Pixels[6] = {10, 20, 30, 40, 50, 60};  // blue, green, red
    std::copy(Pixels, Pixels + 6, Rgb);
    Png->AlphaScanline(0)[0] = 255;
    Png->AlphaScanline(0)[1] = 128;
    TsfBitmap Dest;
    AssignPngToSpBitmap(&Dest, Png.get());
    ASSERT_EQ(Dest.Width(), 2);
    EXPECT_EQ(Dest.GetPixel(0, 0), 0xFF1E140Au);
    EXPECT_EQ(Dest.GetPixel(1, 0), 0x803C3228u);
    EXPECT_TRUE(Dest.AlphaBlend());
    auto Opaque = TPngImage::CreateBlank(COLOR_RGB, 8, 1, 1);
    AssignPngToSpBitmap(&Dest, Opaque.get());
    EXPECT_EQ(Dest.GetPixel(0, 0) >> 24, 255u);
    EXPECT_FALSE(Dest.AlphaBlend());

    // A JPEG file drawn into a bitmap of its size.
    wchar_t Dir[MAX_PATH];
    GetTempPathW(MAX_PATH, Dir);
    const String Name = FromWStr(Dir) + u"sfutils_test.jpg";
    {
        auto Src = WhiteBitmap(24, 16);
        TJPEGImage Jpeg;
        Jpeg.Assign(Src.get());
        Jpeg.SaveToFile(Name);
    }
    auto ScopeDelete = ScopeExit([&] { DeleteFile(Name); });
    TBitmap Loaded;
    LoadJpegToBitmap(&Loaded, Name);
    EXPECT_EQ(Loaded.Width(), 24);
    EXPECT_EQ(Loaded.Height(), 16);
    EXPECT_GT(GetRValue(Loaded.Canvas()->Pixels(5, 5)), 240);
    EXPECT_ANY_THROW(LoadJpegToBitmap(&Loaded, Name + u".missing"));
}

class ScreenGrab : public FormTest {};

TEST_F(ScreenGrab, CopiesTheScreenUnderTheBitmap)
{
    TForm* Form = NewForm(120, 110, 100, 80);
    Form->SetFormStyle(fsStayOnTop);
    Form->SetColor(static_cast<TColor>(RGB(10, 200, 30)));
    ShowAndWait(Form);
    POINT Origin{0, 0};
    ClientToScreen(Form->Handle(), &Origin);
    auto B = WhiteBitmap(10, 10);
    GrabScreen(Origin.x + 20, Origin.y + 20, B.get());
    GdiFlush();
    EXPECT_EQ(B->Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(10, 200, 30)));
    EXPECT_EQ(B->Canvas()->Pixels(9, 9), static_cast<TColor>(RGB(10, 200, 30)));
}

namespace {

struct TCalls {
    std::vector<std::vector<intptr_t>> List;
};
TCalls GCalls;

BOOL WINAPI FakeSetLayeredWindowAttributes(HWND Wnd, COLORREF Key, BYTE Alpha, DWORD Flags)
{
    GCalls.List.push_back({reinterpret_cast<intptr_t>(Wnd), intptr_t(Key), Alpha, intptr_t(Flags)});
    return TRUE;
}
HRESULT WINAPI FakeBlurBehind(HWND Wnd, const TsfDwmBlurBehind* B)
{
    GCalls.List.push_back({reinterpret_cast<intptr_t>(Wnd), intptr_t(B->dwFlags), B->fEnable,
                           reinterpret_cast<intptr_t>(B->hRgnBlur), B->fTransitionOnMaximized});
    return S_OK;
}
HRESULT WINAPI FakeSetWindowAttribute(HWND Wnd, DWORD Attribute, LPCVOID Value, DWORD Size)
{
    GCalls.List.push_back({reinterpret_cast<intptr_t>(Wnd), intptr_t(Attribute), *static_cast<const LONG*>(Value),
                           intptr_t(Size)});
    return S_OK;
}

// Puts P in place of the looked-up function for the scope.
template <class P>
auto Intercept(P& Slot, P Fake)
{
    GCalls.List.clear();
    const P Saved = Slot;
    Slot = Fake;
    return ScopeExit([&Slot, Saved] { Slot = Saved; });
}

}  // namespace

TEST(SFUtilsWin, PlatformFunctionsAreCalledAsLookedUp)
{
    // Wine's user32 has every function looked up.
    EXPECT_NE(SfUpdateLayeredWindow, nullptr);
    EXPECT_NE(SfSetLayeredWindowAttributes, nullptr);
    EXPECT_NE(SfMonitorFromWindow, nullptr);
    EXPECT_TRUE(IsNTPlatform());

    const HWND Wnd = reinterpret_cast<HWND>(intptr_t(0x1234));
    {
        auto Restore = Intercept(SfSetLayeredWindowAttributes, &FakeSetLayeredWindowAttributes);
        SetWindowAlpha(Wnd, 77);
        ASSERT_EQ(GCalls.List.size(), 1u);
        EXPECT_EQ(GCalls.List[0], (std::vector<intptr_t>{0x1234, 0, 77, LWA_ALPHA}));
        SfSetLayeredWindowAttributes = nullptr;
        SetWindowAlpha(Wnd, 10);  // without the function: nothing
        EXPECT_EQ(GCalls.List.size(), 1u);
    }
    {
        auto Restore = Intercept(SfDwmEnableBlurBehindWindow, &FakeBlurBehind);
        const HRGN Rgn = reinterpret_cast<HRGN>(intptr_t(0x88));
        SetBlurBehind(Wnd, true, Rgn);
        SetBlurBehind(Wnd, false, nullptr);
        ASSERT_EQ(GCalls.List.size(), 2u);
        EXPECT_EQ(GCalls.List[0], (std::vector<intptr_t>{0x1234, 1 | 2, TRUE, 0x88, FALSE}));  // enable and region
        EXPECT_EQ(GCalls.List[1], (std::vector<intptr_t>{0x1234, 1, FALSE, 0, FALSE}));        // enable only
        SfDwmEnableBlurBehindWindow = nullptr;
        SetBlurBehind(Wnd, true, nullptr);
        EXPECT_EQ(GCalls.List.size(), 2u);
    }
    {
        auto Restore = Intercept(SfDwmSetWindowAttribute, &FakeSetWindowAttribute);
        SetDwmTransitions(Wnd, true);
        SetDwmTransitions(Wnd, false);
        ASSERT_EQ(GCalls.List.size(), 2u);
        EXPECT_EQ(GCalls.List[0], (std::vector<intptr_t>{0x1234, 3, 0, 4}));
        EXPECT_EQ(GCalls.List[1], (std::vector<intptr_t>{0x1234, 3, -1, 4}));  // transitions off
    }
    {
        auto Restore = Intercept(SfDwmIsCompositionEnabled, TDwmIsCompositionEnabledProc(nullptr));
        EXPECT_FALSE(IsCompositionEnabled());
    }
    // Shut-down clears the monitor, scroll-bar and composition functions; the
    // routines fall back, and a new start-up finds them again.
    FreeSkinPlatformFunctions();
    EXPECT_EQ(SfMonitorFromWindow, nullptr);
    EXPECT_EQ(SfGetScrollBarInfo, nullptr);
    EXPECT_EQ(SfDwmSetWindowAttribute, nullptr);
    EXPECT_FALSE(IsCompositionEnabled());
    TRect Screen, Monitor;
    GetScreenRect(false, Screen);
    GetMonitorRect(GetDesktopWindow(), false, Monitor);
    EXPECT_EQ(Monitor, Screen);
    SetDwmTransitions(Wnd, false);  // nothing to call
    LoadSkinPlatformFunctions();
    EXPECT_NE(SfMonitorFromWindow, nullptr);
    EXPECT_NE(SfGetScrollBarInfo, nullptr);
}

TEST(SFUtilsWin, ScreenAndMonitorRectangles)
{
    TRect Screen, Work, Monitor{1, 2, 3, 4};
    GetScreenRect(false, Screen);
    EXPECT_EQ(Screen, (TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
    GetScreenRect(true, Work);
    EXPECT_FALSE(IsNullRect(Work));
    // One monitor on the test display: the monitor rectangle is the screen's.
    EXPECT_FALSE(MultiMonitorAvailable());
    GetMonitorRect(GetDesktopWindow(), false, Monitor);
    EXPECT_EQ(Monitor, Screen);
    GetMonitorRect(GetDesktopWindow(), true, Monitor);
    EXPECT_EQ(Monitor, Work);
}
