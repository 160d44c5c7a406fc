// The built-in skin's frame on a real window: the region its mask gives a
// window larger than the frame picture keeps the rounded corners of the mask
// and all of the border and client between them, and a window clipped by it
// shows what lies below at its cut corners.
#include <gtest/gtest.h>

#include "SkinPlatformTestEnv.h"
#include "framework/controls/win/GuiTest.h"
#include "skin/model/SFSkinData.h"
#include "skin/model/win/SFSkinRegion_Win.h"

using namespace guitest;

namespace {

const String SkinFolder = UTF8ToString(LM_SKIN_FOLDER);

// The model's 8-bit mask as the region builders read it.
void MaskBitmap(const TDibImage& Mask, TsfBitmap& Out)
{
    ASSERT_EQ(Mask.PixelFormat, pf8bit);
    Out.SetSize(Mask.Width, Mask.Height);
    for (Integer y = 0; y < Mask.Height; ++y)
        for (Integer x = 0; x < Mask.Width; ++x)
            *Out.PixelAddress(x, y) = 0xFF000000u | Mask.Palette[Mask.ScanLine(y)[x]];
}

bool Black(const TsfBitmap& M, Integer X, Integer Y) { return (M.GetPixel(X, Y) & 0xFFFFFF) == 0; }

// The region of the skin's frame resized to W x H: the corner pieces keep
// their size, the edges and the client grow.
TRegion FrameRegion(const TsfSkinData& Skin, const TsfBitmap& Mask, Integer W, Integer H)
{
    const Integer DW = W - Mask.Width(), DH = H - Mask.Height();
    const TRect CL = Skin.ClRect;
    HRGN Rgn = nullptr;
    CreateSkinRegion(Rgn, Skin.LTPoint, Skin.RTPoint, Skin.LBPoint, Skin.RBPoint, CL, Skin.LTPoint,
                     {Skin.RTPoint.X + DW, Skin.RTPoint.Y}, {Skin.LBPoint.X, Skin.LBPoint.Y + DH},
                     {Skin.RBPoint.X + DW, Skin.RBPoint.Y + DH}, {CL.Left, CL.Top, CL.Right + DW, CL.Bottom + DH},
                     &Mask, W, H);
    TRegion Region;
    Region.Reset(Rgn);
    return Region;
}

class BuiltInSkinFrame : public FormTest {};

}  // namespace

TEST_F(BuiltInSkinFrame, RegionKeepsTheMasksCornersAtAnySize)
{
    TsfSkinData Skin(nullptr);
    ASSERT_TRUE(Skin.LoadFromCompressedFile(SkinFolder + u"Rire.skn")) << UTF8Encode(Skin.LoadError());
    TsfBitmap Mask;
    MaskBitmap(Skin.FMask, Mask);
    const Integer FW = Mask.Width(), FH = Mask.Height();
    // The corner pieces the frame keeps as they are: the top ones down to the
    // side edges' start, the bottom ones from their end.
    const Integer CW = std::min(Skin.LTPoint.X, FW - Skin.RTPoint.X);
    const Integer TopH = Skin.LTPoint.Y, BottomH = FH - Skin.LBPoint.Y;
    ASSERT_GE(CW, 4);
    ASSERT_GE(std::min(TopH, BottomH), 4);
    // The top corners are cut: the frame is rounded there.
    ASSERT_FALSE(Black(Mask, 0, 0));
    ASSERT_FALSE(Black(Mask, FW - 1, 0));

    const struct {
        Integer W, H;
    } Sizes[] = {{FW, FH}, {FW + 173, FH + 95}, {FW + 1, FH + 1}, {3 * FW, 2 * FH}};
    for (const auto& S : Sizes) {
        SCOPED_TRACE(testing::Message() << S.W << " x " << S.H);
        const TRegion Rgn = FrameRegion(Skin, Mask, S.W, S.H);
        ASSERT_NE(Rgn.Handle(), nullptr);
        // Each corner piece as the mask has it.
        for (Integer j = 0; j < std::max(TopH, BottomH); ++j)
            for (Integer i = 0; i < CW; ++i) {
                const struct {
                    bool Check;
                    Integer X, Y, MX, MY;
                } Corners[] = {{j < TopH, i, j, i, j},
                               {j < TopH, S.W - 1 - i, j, FW - 1 - i, j},
                               {j < BottomH, i, S.H - 1 - j, i, FH - 1 - j},
                               {j < BottomH, S.W - 1 - i, S.H - 1 - j, FW - 1 - i, FH - 1 - j}};
                for (const auto& C : Corners)
                    if (C.Check)
                        ASSERT_EQ(PtInRegion(Rgn, C.X, C.Y) != 0, Black(Mask, C.MX, C.MY)) << C.X << ',' << C.Y;
            }
        // The edges' middles, the client and nothing outside the window.
        const TPoint Inside[] = {
            {S.W / 2, 0}, {S.W / 2, S.H - 1}, {0, S.H / 2}, {S.W - 1, S.H / 2}, {S.W / 2, S.H / 2}};
        for (const TPoint& P : Inside) EXPECT_TRUE(PtInRegion(Rgn, P.X, P.Y)) << P.X << ',' << P.Y;
        const TPoint Outside[] = {{S.W, S.H / 2}, {S.W / 2, S.H}, {-1, 0}};
        for (const TPoint& P : Outside) EXPECT_FALSE(PtInRegion(Rgn, P.X, P.Y)) << P.X << ',' << P.Y;
    }
}

TEST_F(BuiltInSkinFrame, ClippedWindowShowsWhatLiesBelowAtItsCorners)
{
    TsfSkinData Skin(nullptr);
    ASSERT_TRUE(Skin.LoadFromCompressedFile(SkinFolder + u"Rire.skn")) << UTF8Encode(Skin.LoadError());
    TsfBitmap Mask;
    MaskBitmap(Skin.FMask, Mask);
    const Integer FW = Mask.Width(), FH = Mask.Height(), W = FW + 120, H = FH + 80;

    constexpr COLORREF Green = RGB(10, 200, 30), Red = RGB(220, 20, 40);
    TForm* Below = NewForm(60, 60, W + 40, H + 40);
    Below->SetBorderStyle(bsNone);
    Below->SetBounds(60, 60, W + 40, H + 40);
    Below->SetColor(static_cast<TColor>(Green));
    ShowAndWait(Below);
    TForm* Window = NewForm(80, 80, W, H);
    Window->SetBorderStyle(bsNone);
    Window->SetBounds(80, 80, W, H);
    Window->SetFormStyle(fsStayOnTop);
    Window->SetColor(static_cast<TColor>(Red));
    ShowAndWait(Window);
    RECT R;
    GetWindowRect(Window->Handle(), &R);
    ASSERT_EQ(R.right - R.left, W);
    ASSERT_EQ(R.bottom - R.top, H);

    TRegion Rgn = FrameRegion(Skin, Mask, W, H);
    ASSERT_NE(Rgn.Handle(), nullptr);
    ASSERT_NE(SetWindowRgn(Window->Handle(), Rgn, TRUE), 0);
    Rgn.Release();  // the window owns it now
    RedrawWindow(Below->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();

    // The window keeps the region it was given.
    const TRegion Kept(TRect{0, 0, 0, 0});
    ASSERT_EQ(GetWindowRgn(Window->Handle(), Kept), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(Kept, 0, 0));
    EXPECT_TRUE(PtInRegion(Kept, W / 2, H / 2));

    // On the screen: the corners cut by the mask show the window below, the
    // rest of the frame the window itself.
    auto Corner = [&](Integer MX, Integer MY) { return Black(Mask, MX, MY) ? Red : Green; };
    const struct {
        Integer X, Y;
        COLORREF Want;
    } Points[] = {
        {0, 0, Green},
        {W - 1, 0, Green},
        {0, H - 1, Corner(0, FH - 1)},
        {W - 1, H - 1, Corner(FW - 1, FH - 1)},
        {W / 2, 0, Red},     {W / 2, H - 1, Red}, {0, H / 2, Red},     {W - 1, H / 2, Red},
        {W / 2, H / 2, Red},
    };
    for (const auto& P : Points) {
        COLORREF Seen = CLR_INVALID;
        EXPECT_TRUE(PumpUntil([&] { return (Seen = ScreenPixel(R.left + P.X, R.top + P.Y)) == P.Want; }))
            << P.X << ',' << P.Y << " shows " << std::hex << Seen;
    }
}
