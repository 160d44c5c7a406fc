#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SkinTestEnv.h"
#include "framework/runtime/SysUtils.h"
#include "skin/model/SFBitmap.h"

namespace {

// A bitmap whose pixels are given row by row.
std::unique_ptr<TsfBitmap> MakeBitmap(Integer W, Integer H, const std::vector<TsfColor>& Pixels)
{
    auto B = std::make_unique<TsfBitmap>();
    B->SetSize(W, H);
    for (Integer i = 0; i < W * H; ++i) B->Bits()[i] = Pixels[i];
    return B;
}

// Pixel x of a row holds x + 1 (opaque), so a sampled column reads as its number.
std::unique_ptr<TsfBitmap> ColumnRamp(Integer W, Integer H)
{
    auto B = std::make_unique<TsfBitmap>();
    B->SetSize(W, H);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) B->SetPixel(x, y, 0xFF000000u | static_cast<TsfColor>(x + 1 + 16 * y));
    return B;
}

std::vector<TsfColor> Row(const TsfBitmap& B, Integer Y)
{
    return std::vector<TsfColor>(B.ScanLineAddress(Y), B.ScanLineAddress(Y) + B.Width());
}

TEST(SFBitmap, SetSize)
{
    TsfBitmap B;
    EXPECT_TRUE(B.Empty());
    B.SetSize(20, 20);
    B.Clear(0x12345678);
    B.SetSize(0, 10);  // a zero keeps size and pixels
    EXPECT_EQ(B.Width(), 20);
    EXPECT_EQ(B.Height(), 20);
    EXPECT_EQ(B.GetPixel(19, 19), 0x12345678u);
    B.SetSize(20, 20);  // the same size keeps them too
    EXPECT_EQ(B.GetPixel(0, 0), 0x12345678u);
    B.SetSize(-20, -30);
    EXPECT_EQ(B.Width(), 20);
    EXPECT_EQ(B.Height(), 30);
    EXPECT_EQ(B.GetPixel(5, 29), 0u);  // fresh pixels
    EXPECT_EQ(B.GetPixel(20, 0), 0u);
    EXPECT_EQ(B.GetPixel(-1, 0), 0u);
    B.SetPixel(20, 0, 5);  // outside: ignored
    B.SetPixel(0, 0, 5);
    EXPECT_EQ(*B.PixelAddress(0, 0), 5u);
}

TEST(SFBitmap, AlphaAndKeyChecks)
{
    auto B = MakeBitmap(3, 1, {0x00840084, 0x00850084, 0xFF7A0084});
    B->CheckingTransparent(0x7F007F);
    EXPECT_EQ(Row(*B, 0), (std::vector<TsfColor>{0x007F007F, 0x00850084, 0x007F007F}));
    EXPECT_TRUE(B->Transparent());
    auto N = MakeBitmap(1, 1, {0xFF000000});
    N->SetTransparent(true);
    N->CheckingTransparent(0x7F007F);
    EXPECT_FALSE(N->Transparent());

    auto A = MakeBitmap(2, 1, {0x00000000, 0xFF000000});
    A->CheckingAlphaBlend();
    EXPECT_FALSE(A->AlphaBlend());
    A->SetPixel(0, 0, 0x01000000);
    A->CheckingAlphaBlend(TRect{5, 5, 6, 6});  // the rectangle is not used
    EXPECT_TRUE(A->AlphaBlend());

    auto C = MakeBitmap(2, 1, {0x80FF4020, 0x00FFFFFF});
    C->CheckRGBA();
    EXPECT_EQ(Row(*C, 0), (std::vector<TsfColor>{0x80804020, 0x00000000}));
    auto P = MakeBitmap(2, 1, {0x80FF4020, 0x03FFFF01});
    P->CheckRGBA2();
    // 128 * 255 / 255 = 128; 128 * 64 / 255 = 32.1; 128 * 32 / 255 = 16.06; 3 * 1 / 255 = 0.01
    EXPECT_EQ(Row(*P, 0), (std::vector<TsfColor>{0x80802010, 0x03030300}));

    auto S = MakeBitmap(2, 2, {1, 2, 3, 4});
    S->SetAlpha(128, TRect{-5, 0, 0, 10});  // not empty, but empty once clipped
    S->SetAlpha(128, TRect{1, 1, 1, 5});    // zero width
    EXPECT_EQ(Row(*S, 1), (std::vector<TsfColor>{3, 4}));
    S->SetAlpha(0x40, TRect{1, -3, 9, 9});
    EXPECT_EQ(Row(*S, 0), (std::vector<TsfColor>{1, 0x40000002}));
    S->SetAlpha(0xFF);
    EXPECT_EQ(S->GetPixel(0, 1), 0xFF000003u);
}

TEST(SFBitmap, FillAndColourOperations)
{
    auto B = MakeBitmap(3, 1, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF});
    B->FillRect(TRect{1, -1, 9, 9}, 0x80FF0000);
    EXPECT_EQ(Row(*B, 0), (std::vector<TsfColor>{0xFF0000FF, 0x80FF0000, 0x80FF0000}));
    B->SetAlphaBlend(true);
    B->FillRect(TRect{0, 0, 1, 1}, 0x80FF0000);
    EXPECT_EQ(B->GetPixel(0, 0), BlendPixel(0x80FF0000, 0xFF0000FF));
    B->FillRect(TRect{2, 0, 2, 1}, 0);  // empty

    // Colour steps keep each pixel's alpha and skip transparent pixels.
    auto C = MakeBitmap(2, 1, {0x80102030, 0x00102030});
    C->ChangeBitmapBrightness(16);
    EXPECT_EQ(Row(*C, 0), (std::vector<TsfColor>{0x80203040, 0x00102030}));
    C->SetBitmapHue(0);
    EXPECT_EQ(C->GetPixel(0, 0), (SetSpColorHue(0x80203040, 0) & 0x00FFFFFF) | 0x80000000);
    const TsfColor Before = C->GetPixel(0, 0);
    C->ChangeBitmapSat(0);
    C->ChangeBitmapHue(0);
    EXPECT_EQ(C->GetPixel(0, 0), Before);
    C->ChangeBitmapHue(40);
    EXPECT_EQ(C->GetPixel(0, 0), (ChangeSpColorHue(Before, 40) & 0x00FFFFFF) | 0x80000000);
    C->ChangeBitmapSat(-20);
    EXPECT_EQ(C->GetPixel(1, 0), 0x00102030u);
}

TEST(SFBitmap, FlipAndReflections)
{
    struct {
        void (TsfBitmap::*Op)();
        std::vector<TsfColor> Alphas;
    } const Cases[] = {
        {&TsfBitmap::Reflection, {85, 42, 0, 0}},   // Round(127.5) = 128, div 3
        {&TsfBitmap::Reflection2, {63, 32, 0, 0}},
        {&TsfBitmap::Reflection3, {127, 64, 0, 0}},
    };
    for (const auto& C : Cases) {
        auto B = MakeBitmap(1, 4, {0xFF000001, 0xFF000002, 0xFF000003, 0x00000004});
        (B.get()->*C.Op)();
        for (Integer y = 0; y < 4; ++y) {
            EXPECT_EQ(B->GetPixel(0, y) & 0xFFFFFF, static_cast<TsfColor>(4 - y));  // flipped, colours kept
            EXPECT_EQ(B->GetPixel(0, y) >> 24, C.Alphas[y] * (y > 0)) << y;     // alpha-0 row stays 0
        }
    }
}

TEST(SFBitmap, KeyedBlendedAndPlainDraws)
{
    auto Src = MakeBitmap(3, 1, {0xFF7F007F, 0x007F0080, 0x40FFFFFF});
    auto Dst = MakeBitmap(3, 1, {0xFF112233, 0xFF112233, 0xFF112233});
    Src->SetTransparent(true);
    Src->Draw(Dst.get(), 0, 0);
    EXPECT_EQ(Row(*Dst, 0), (std::vector<TsfColor>{0xFF112233, 0xFF7F0080, 0xFFFFFFFF}));

    Dst->Clear(0xFF112233);
    Src->SetAlphaBlend(true);  // wins over Transparent
    Src->Draw(Dst.get(), 0, 0);
    EXPECT_EQ(Row(*Dst, 0), (std::vector<TsfColor>{0xFF7F007F, 0xFF112233, BlendPixel(0x40FFFFFF, 0xFF112233)}));

    Src->SetAlphaBlend(false);
    Src->SetTransparent(false);
    Src->Draw(Dst.get(), 1, 0);  // plain, clipped at the right
    EXPECT_EQ(Row(*Dst, 0), (std::vector<TsfColor>{0xFF7F007F, 0xFF7F007F, 0x007F0080}));
}

TEST(SFBitmap, SourceRectangleOutsideDrawsNothing)
{
    auto Src = ColumnRamp(4, 2);
    for (const TRect& R : {TRect{1, 0, 5, 2}, TRect{-1, 0, 2, 2}, TRect{0, 0, 4, 3}, TRect{2, 0, 2, 2}}) {
        TsfBitmap Dst;
        Dst.SetSize(8, 8);
        Src->Draw(&Dst, TRect{0, 0, 8, 8}, R);
        Src->Draw(&Dst, 0, 0, R);
        for (Integer y = 0; y < 8; ++y) EXPECT_EQ(Row(Dst, y), std::vector<TsfColor>(8, 0));
    }
}

TEST(SFBitmap, StretchSamplesByTruncation)
{
    struct {
        TRect Dst;
        std::vector<TsfColor> Columns;  // source column numbers, 1-based
    } const Cases[] = {
        {{0, 0, 5, 1}, {1, 1, 2, 2, 3}},  // factor 0.5
        {{0, 0, 1, 1}, {2}},              // one pixel: the middle column
        {{-2, 0, 3, 1}, {2, 2, 3}},       // clipped: columns 2..4 of the 5-wide stretch
        {{0, 0, 2, 1}, {1, 3}},
    };
    for (const auto& C : Cases) {
        auto Src = ColumnRamp(3, 1);
        TsfBitmap Dst;
        Dst.SetSize(static_cast<Integer>(C.Columns.size()), 1);
        for (bool Keyed : {false, true}) {
            Src->SetTransparent(Keyed);
            Dst.Clear(0);
            Src->Draw(&Dst, C.Dst);
            std::vector<TsfColor> Got;
            for (TsfColor P : Row(Dst, 0)) Got.push_back(P & 0xFFFF);
            EXPECT_EQ(Got, C.Columns) << C.Dst.Left << "," << C.Dst.Right << " keyed " << Keyed;
        }
    }
    // Rows alike: 2 rows to 4 (factor 1/3) sample 0, 0, 0, 1; repeated rows copy the row above.
    auto Src = ColumnRamp(2, 2);
    TsfBitmap Dst;
    Dst.SetSize(4, 4);
    Src->Draw(&Dst, TRect{0, 0, 4, 4});
    for (Integer y = 0; y < 4; ++y) EXPECT_EQ(Dst.GetPixel(3, y) & 0xFF, y < 3 ? 2u : 18u) << y;
}

TEST(SFBitmap, TileAndTileClip)
{
    auto Src = ColumnRamp(10, 10);
    TsfBitmap Dst;
    Dst.SetSize(27, 12);
    Src->Tile(&Dst, TRect{1, 1, 26, 11}, TRect{0, 0, 10, 10});  // two full tiles and one 5 wide
    for (Integer x = 0; x < 27; ++x) {
        const TsfColor Want = x == 0 || x == 26 ? 0 : 0xFF000000u | static_cast<TsfColor>((x - 1) % 10 + 1);
        EXPECT_EQ(Dst.GetPixel(x, 1), Want) << x;
    }
    EXPECT_EQ(Dst.GetPixel(5, 11), 0u);
    Src->Tile(&Dst, TRect{0, 0, 5, 5}, TRect{0, 0, 0, 10});  // a zero-wide tile: nothing

    // TileClip draws only the tiles that meet the clip, each whole.
    TsfBitmap Clip;
    Clip.SetSize(30, 10);
    Src->TileClip(&Clip, TRect{0, 0, 30, 10}, TRect{12, 0, 13, 1}, TRect{0, 0, 10, 10});
    EXPECT_EQ(Clip.GetPixel(9, 0), 0u);
    EXPECT_EQ(Clip.GetPixel(10, 9), 0xFF000091u);
    EXPECT_EQ(Clip.GetPixel(19, 0), 0xFF00000Au);
    EXPECT_EQ(Clip.GetPixel(20, 0), 0u);
    Src->TileClip(&Clip, TRect{0, 0, 30, 10}, TRect{}, TRect{0, 0, 10, 10});  // empty clip: every tile
    EXPECT_EQ(Clip.GetPixel(25, 0), 0xFF000006u);
}

TEST(SFBitmap, MergeDraw)
{
    auto Under = MakeBitmap(2, 1, {0x80ABCDEF, 0xFF0000FF});
    auto B = MakeBitmap(3, 1, {0x00000000, 0xFF111111, 0x80FF0000});
    B->MergeDraw(Under.get(), 0, 0, TRect{-1, 0, 5, 1});  // clipped to the source; lands one to the right
    EXPECT_EQ(Row(*B, 0), (std::vector<TsfColor>{0x00000000, 0xFF111111, BlendPixel(0x80FF0000, 0xFF0000FF)}));
    auto C = MakeBitmap(2, 1, {0x00000000, 0x00000000});
    C->MergeDraw(Under.get(), 0, 0, TRect{0, 0, 2, 1});
    EXPECT_EQ(Row(*C, 0), (std::vector<TsfColor>{0x80ABCDEF, 0xFF0000FF}));  // alpha included
}

TEST(SFBitmap, AssignCopiesPixelsNameAndFlags)
{
    auto Src = MakeBitmap(2, 1, {1, 2});
    Src->SetName(u"frame");
    Src->SetAlphaBlend(true);
    TsfBitmap Dst;
    Dst.Assign(Src.get());
    EXPECT_EQ(Row(Dst, 0), (std::vector<TsfColor>{1, 2}));
    EXPECT_EQ(Dst.Name(), u"frame");
    EXPECT_TRUE(Dst.AlphaBlend());
    TsfBitmap Empty;
    Dst.Assign(&Empty);  // nothing from an empty bitmap
    EXPECT_EQ(Dst.Width(), 2);
    TsfBitmapLink Link;
    EXPECT_THROW(Dst.Assign(&Link), EConvertError);
}

TEST(SFBitmap, StreamRoundTripAndFlippedHeight)
{
    auto Src = MakeBitmap(2, 2, {1, 2, 3, 4});
    Src->SetName(u"caption");
    TMemoryStream M;
    Src->SaveToStream(&M);
    EXPECT_EQ(M.Size(), 4 + 14 + 8 + 16);
    M.SetPosition(0);
    TsfBitmap Back;
    Back.LoadFromStream(&M);
    EXPECT_EQ(Back.Name(), u"caption");
    EXPECT_EQ(Row(Back, 0), (std::vector<TsfColor>{1, 2}));
    EXPECT_EQ(Row(Back, 1), (std::vector<TsfColor>{3, 4}));

    // A negated height: the rows are stored bottom row first.
    const int32_t Negated = -2;
    M.SetPosition(4 + 14 + 4);
    M.WriteBuffer(&Negated, 4);
    M.SetPosition(0);
    TsfBitmap Flipped;
    Flipped.LoadFromStream(&M);
    EXPECT_EQ(Row(Flipped, 0), (std::vector<TsfColor>{3, 4}));
    EXPECT_EQ(Row(Flipped, 1), (std::vector<TsfColor>{1, 2}));
}

// Headers that claim more than the stream holds are refused before anything
// is allocated, and the bitmap stays as it was.
TEST(SFBitmap, HostileStreamIsRefused)
{
    struct {
        const char* What;
        std::vector<int32_t> Fields;  // name length, then width and height (no name characters)
    } const Cases[] = {
        {"name longer than the stream", {0x40000000, 1, 1}},
        {"negative name length", {-1, 1, 1}},
        {"pixels beyond the end", {0, 1000, 1000}},
        {"product that overflows 32 bits", {0, 0x10000, 0x10000}},
        {"most negative height", {0, 1, INT32_MIN}},
        {"most negative width", {0, INT32_MIN, 1}},
    };
    for (const auto& C : Cases) {
        TMemoryStream M;
        for (int32_t V : C.Fields) M.WriteValue<int32_t>(V);
        M.WriteValue<int32_t>(0x11111111);
        M.SetPosition(0);
        auto B = MakeBitmap(1, 1, {7});
        EXPECT_THROW(B->LoadFromStream(&M), EReadError) << C.What;
        EXPECT_EQ(B->Width(), 1) << C.What;
        EXPECT_EQ(B->GetPixel(0, 0), 7u) << C.What;
        EXPECT_EQ(B->Name(), u"") << C.What;
    }
}

TEST(SFBitmap, BitmapLinks)
{
    TsfBitmap B;
    B.SetName(u"skin");
    struct {
        const char16_t* Text;
        TRect Want;
    } const Cases[] = {
        {u"10,20,30,40", {10, 20, 30, 40}}, {u"10, 20, 30, 40", {10, 20, 30, 40}},
        {u"5;6;7;8", {5, 6, 7, 8}},         {u"5,x,7,8", {}},
        {u"(10,20,30,40)", {}},             {u"1 2 3", {}},
    };
    for (const auto& C : Cases) {
        std::unique_ptr<TsfBitmapLink> L(B.GetBitmapLink(String(C.Text)));
        EXPECT_EQ(L->Rect(), C.Want);
        EXPECT_EQ(L->Image(), &B);
        EXPECT_EQ(L->Name(), u"skin");
    }

    std::unique_ptr<TsfBitmapLink> L(B.GetBitmapLink(TRect{1, 2, 3, 4}));
    EXPECT_TRUE(L->Assigned());
    L->SetRect(TRect{0, 0, 0x10000, 0x10000});  // the 32-bit product is 0
    EXPECT_FALSE(L->Assigned());
    L->SetRect(TRect{1, 2, 3, 4});
    TMemoryStream M;
    L->SaveToStream(&M);
    M.SetPosition(0);
    TsfBitmapLink Back;
    Back.LoadFromStream(&M);
    EXPECT_EQ(Back.Rect(), L->Rect());
    EXPECT_EQ(Back.Name(), u"skin");
    EXPECT_EQ(Back.Image(), nullptr);
    TsfBitmapLink Copy;
    Copy.Assign(L.get());
    EXPECT_EQ(Copy.Image(), &B);
}

TEST(SFBitmap, LinkDrawsItsRectangle)
{
    auto Src = ColumnRamp(4, 1);
    std::unique_ptr<TsfBitmapLink> L(Src->GetBitmapLink(TRect{2, 0, 4, 1}));
    TsfBitmap Dst;
    Dst.SetSize(3, 1);
    L->Draw(&Dst, 1, 0);
    EXPECT_EQ(Row(Dst, 0), (std::vector<TsfColor>{0, 0xFF000003, 0xFF000004}));
}

TEST(SFBitmap, CheckingMasked)
{
    // 6 x 6, opaque but for the pixels the cases set.
    struct {
        TPoint SeeThrough;
        TRect Margin;
        bool Masked, Border, Angles;
    } const Cases[] = {
        {{3, 3}, {}, true, false, false},       {{0, 0}, {2, 2, 2, 2}, false, false, true},
        {{3, 0}, {2, 2, 2, 2}, false, true, false}, {{3, 3}, {2, 2, 2, 2}, true, false, false},
        {{-1, -1}, {2, 2, 2, 2}, false, false, false},
    };
    for (const auto& C : Cases) {
        TsfBitmap B;
        B.SetSize(6, 6);
        B.Clear(0xFF102030);
        B.SetPixel(C.SeeThrough.X, C.SeeThrough.Y, 0x007F007F);
        B.SetPixel(5, 5, 0x33333333);  // this exact value is not see-through
        std::unique_ptr<TsfBitmapLink> L(B.GetBitmapLink(TRect{0, 0, 6, 6}));
        L->CheckingMasked(C.Margin);
        EXPECT_EQ(L->Masked(), C.Masked) << C.SeeThrough.X;
        EXPECT_EQ(L->MaskedBorder(), C.Border) << C.SeeThrough.X;
        EXPECT_EQ(L->MaskedAngles(), C.Angles) << C.SeeThrough.X;
    }
    // Outside the image reads as see-through.
    TsfBitmap B;
    B.SetSize(2, 2);
    B.Clear(0xFF000000);
    std::unique_ptr<TsfBitmapLink> L(B.GetBitmapLink(TRect{0, 0, 3, 2}));
    L->CheckingMasked();
    EXPECT_TRUE(L->Masked());
}

}  // namespace
