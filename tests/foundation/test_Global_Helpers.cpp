// The shared list and drawing helpers: row comparers, colour text, the
// checkerboard and the whitening outside a mask.
#include <gtest/gtest.h>

#include "foundation/Global_Helpers.h"

namespace {

std::unique_ptr<TRow> Row(const char16_t* Text)
{
    auto R = std::make_unique<TRow>();
    R->Init(Text, u',');
    return R;
}


}  // namespace

TEST(GlobalHelpers, CompareRowValues)
{
    auto A = Row(u"10,3"), B = Row(u"20,5"), C = Row(u"10,5");
    EXPECT_LT(CompareRowValues(A.get(), B.get(), 0, true, 1), 0);
    EXPECT_GT(CompareRowValues(A.get(), B.get(), 0, false, 1), 0);
    EXPECT_EQ(CompareRowValues(A.get(), B.get(), 0, true, 1), -10);
    // Equal keys: the tie column decides, ascending whatever the order.
    EXPECT_LT(CompareRowValues(A.get(), C.get(), 0, true, 1), 0);
    EXPECT_LT(CompareRowValues(A.get(), C.get(), 0, false, 1), 0);
    EXPECT_EQ(CompareRowValues(C.get(), C.get(), 0, true, 1), 0);
    // Differences beyond the integer range keep their sign.
    auto Low = Row(u"-2147483648,0"), High = Row(u"2147483647,0");
    EXPECT_LT(CompareRowValues(Low.get(), High.get(), 0, true, 1), 0);
    EXPECT_GT(CompareRowValues(Low.get(), High.get(), 0, false, 1), 0);
}

TEST(GlobalHelpers, CompareRowDates)
{
    auto A = Row(u"45000.5,1"), B = Row(u"45001.25,2"), Near = Row(u"45000.5000000001,7");
    EXPECT_EQ(CompareRowDates(A.get(), B.get(), 0, true, 1), -1);
    EXPECT_EQ(CompareRowDates(A.get(), B.get(), 0, false, 1), 1);
    // Less than a millisecond apart: equal, so the tie column decides.
    EXPECT_EQ(CompareRowDates(A.get(), Near.get(), 0, true, 1), -6);
    EXPECT_EQ(CompareRowDates(Near.get(), A.get(), 0, false, 1), 6);
    auto Bad = Row(u"soon,1"), Far = Row(u"1e12,1");
    EXPECT_THROW(CompareRowDates(A.get(), Bad.get(), 0, true, 1), EConvertError);
    EXPECT_THROW(CompareRowDates(Far.get(), A.get(), 0, true, 1), EConvertError);
}

TEST(GlobalHelpers, Color32ToText)
{
    EXPECT_EQ(Color32ToText(0x80FF0000, false), u"128, 255, 0, 0");
    EXPECT_EQ(Color32ToText(0x80FF0000, true), u"(128, 255, 0, 0)");
    EXPECT_EQ(Color32ToText(0xFF0080FF, false), u"255, 0, 128, 255");
}

TEST(GlobalHelpers, DrawCheckerboard)
{
    const TColor32 Face = ColorToColor32(Integer(0xFF00000Fu)), Grey = 0xFFCCCCCC, White = 0xFFFFFFFF;
    TCustomBitmap32 B;
    B.SetSize(24, 22);
    B.Clear(0xFF123456);
    DrawCheckerboard(&B, TRect{0, 0, 20, 20}, 8);
    // Three by three squares, the last row and column 4 pixels wide.
    const TColor32 Expected[3][3] = {{Grey, White, Grey}, {White, Grey, White}, {Grey, White, Grey}};
    for (Integer Y = 0; Y < 22; ++Y)
        for (Integer X = 0; X < 24; ++X) {
            const TColor32 Want = X < 20 && Y < 20 ? Expected[Y / 8][X / 8] : Face;
            ASSERT_EQ(B.Pixel(X, Y), Want) << X << ", " << Y;
        }

    // A rectangle reaching outside the bitmap is cut at it.
    B.SetSize(10, 10);
    DrawCheckerboard(&B, TRect{-4, -4, 30, 30}, 8);
    EXPECT_EQ(B.Pixel(0, 0), Grey);
    EXPECT_EQ(B.Pixel(4, 0), White);
    EXPECT_EQ(B.Pixel(4, 4), Grey);
    // No squares for a size of 0, only the face colour.
    DrawCheckerboard(&B, TRect{0, 0, 10, 10}, 0);
    EXPECT_EQ(B.Pixel(5, 5), Face);
}

TEST(GlobalHelpers, WhitenOutsideMask)
{
    TCustomBitmap32 B, M;
    B.SetSize(6, 3);
    M.SetSize(6, 3);
    B.Clear(0xFF102030);
    M.Clear(0);
    // Row 0: marked at 2 and 4, with a hole between; row 1: nothing marked;
    // row 2: all marked.
    M.SetPixel(2, 0, 0x01);
    M.SetPixel(4, 0, 0xFFFFFF01);
    for (Integer X = 0; X < 6; ++X) M.SetPixel(X, 2, 0x000000FF);
    M.SetPixel(3, 2, 0xFFFFFF00);  // blue byte 0 inside: stays
    WhitenOutsideMask(&B, &M);
    const TColor32 W = 0x00FFFFFF, O = 0xFF102030;
    const TColor32 Want[3][6] = {{W, W, O, O, O, W}, {W, W, W, W, W, W}, {O, O, O, O, O, O}};
    for (Integer Y = 0; Y < 3; ++Y)
        for (Integer X = 0; X < 6; ++X) EXPECT_EQ(B.Pixel(X, Y), Want[Y][X]) << X << ", " << Y;
}
