// The inverting pen and the anti-aliased frame of the control layer.
#include <gtest/gtest.h>

#include "PixelSets.h"
#include "document/ImageControlLayer.h"

namespace {
constexpr TColor32 Ground = 0x80406080;

struct TPaper {
    TCustomBitmap32 B;
    TPaper()
    {
        B.SetSize(60, 50);
        B.Clear(Ground);
    }
    // The pixels that are not the ground any more; each must be inverted
    // exactly once (alpha kept).
    TPixels Inverted() const
    {
        TPixels S;
        for (Integer y = 0; y < B.Height(); ++y)
            for (Integer x = 0; x < B.Width(); ++x) {
                TColor32 C = B.Pixel(x, y);
                if (C == Ground) continue;
                EXPECT_EQ(C, Ground ^ 0x00FFFFFFu) << x << "," << y;
                S.insert({x, y});
            }
        return S;
    }
};

// Every pixel of S reaches every other through side or corner neighbours.
bool Connected(const TPixels& S)
{
    if (S.empty()) return true;
    TPixels Seen{*S.begin()};
    std::vector<std::pair<Integer, Integer>> Todo{*S.begin()};
    while (!Todo.empty()) {
        auto [x, y] = Todo.back();
        Todo.pop_back();
        for (Integer dy = -1; dy <= 1; ++dy)
            for (Integer dx = -1; dx <= 1; ++dx)
                if (S.count({x + dx, y + dy}) && Seen.insert({x + dx, y + dy}).second) Todo.push_back({x + dx, y + dy});
    }
    return Seen.size() == S.size();
}
}  // namespace

TEST(InvertPen, EllipsesFillTheirBoxAsAClosedSymmetricRing)
{
    const TRect Boxes[] = {{10, 10, 29, 29}, {5, 5, 7, 7}, {3, 4, 4, 5}, {10, 20, 50, 27}, {20, 2, 25, 48}, {0, 0, 60, 50}};
    for (const TRect& Box : Boxes) {
        SCOPED_TRACE(testing::Message() << Box.Left << "," << Box.Top << "," << Box.Right << "," << Box.Bottom);
        TPaper P;
        TInvertPen(P.B).Ellipse(Box.Left, Box.Top, Box.Right, Box.Bottom);
        auto S = P.Inverted();
        // The right and bottom edges of the box are outside, as with the platform's pen.
        EXPECT_EQ(Bounds(S), Box);
        EXPECT_TRUE(Connected(S));
        for (auto [x, y] : S) {
            EXPECT_TRUE(S.count({Box.Left + Box.Right - 1 - x, y})) << "mirror of " << x << "," << y;
            EXPECT_TRUE(S.count({x, Box.Top + Box.Bottom - 1 - y})) << "mirror of " << x << "," << y;
        }
        // A ring, not a disc: the middle stays untouched in boxes with room for it.
        if (Box.Width() > 4 && Box.Height() > 4)
            EXPECT_FALSE(S.count({(Box.Left + Box.Right) / 2, (Box.Top + Box.Bottom) / 2}));
        // The same figure again restores the picture.
        TInvertPen(P.B).Ellipse(Box.Left, Box.Top, Box.Right, Box.Bottom);
        EXPECT_TRUE(P.Inverted().empty());
    }
}

TEST(InvertPen, LinesRectanglesPixelsAndCrosses)
{
    struct Case {
        const char* Name;
        void (*Draw)(TInvertPen&);
        size_t Count;
        TRect Bounds;
    };
    const Case Cases[] = {
        // The end point is not drawn.
        {"line right", [](TInvertPen& P) { P.Line(5, 5, 15, 5); }, 10, {5, 5, 15, 6}},
        {"line up-left", [](TInvertPen& P) { P.Line(15, 15, 5, 5); }, 10, {6, 6, 16, 16}},
        {"steep line", [](TInvertPen& P) { P.Line(5, 5, 8, 20); }, 15, {5, 5, 9, 20}},
        {"line of no length", [](TInvertPen& P) { P.Line(5, 5, 5, 5); }, 0, {100000, 100000, -100000, -100000}},
        {"rectangle", [](TInvertPen& P) { P.Rectangle(10, 10, 20, 15); }, 2 * (10 + 5) - 4, {10, 10, 20, 15}},
        {"rectangle one high", [](TInvertPen& P) { P.Rectangle(10, 10, 20, 11); }, 10, {10, 10, 20, 11}},
        {"pixel", [](TInvertPen& P) { P.Pixel(3, 4); }, 1, {3, 4, 4, 5}},
        // The middle is crossed twice and keeps its colour.
        {"cross 13", [](TInvertPen& P) { P.Cross(20, 20, 13); }, 24, {14, 14, 27, 27}},
        {"cross 7", [](TInvertPen& P) { P.Cross(20, 20, 7); }, 12, {17, 17, 24, 24}},
        // Outside the bitmap nothing is written.
        {"clipped", [](TInvertPen& P) { P.Rectangle(-10, -10, 5, 5); }, 9, {0, 0, 5, 5}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TPaper P;
        TInvertPen Pen(P.B);
        C.Draw(Pen);
        auto S = P.Inverted();
        EXPECT_EQ(S.size(), C.Count);
        EXPECT_EQ(Bounds(S), C.Bounds);
    }
}

TEST(InvertPen, KeepsToTheClipRectangle)
{
    TPaper P;
    P.B.SetClipRect({10, 10, 30, 30});
    TInvertPen Pen(P.B);
    Pen.Ellipse(0, 0, 60, 50);
    Pen.Line(0, 20, 60, 20);
    Pen.Rectangle(5, 5, 25, 25);
    auto S = P.Inverted();
    EXPECT_FALSE(S.empty());
    for (auto [x, y] : S) EXPECT_TRUE(x >= 10 && x < 30 && y >= 10 && y < 30) << x << "," << y;
}

TEST(FrameRectAntialiased, OnePixelPenAndTwoPixelPen)
{
    TCustomBitmap32 B;
    B.SetSize(40, 40);
    B.Clear(0xFF000000);
    FrameRectAntialiased(B, {10, 10, 20, 20}, 0xFFFF0000, 1);
    // The corner pixels themselves are drawn; nothing around them.
    EXPECT_EQ(B.Pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(B.Pixel(20, 20), 0xFFFF0000u);
    EXPECT_EQ(B.Pixel(15, 20), 0xFFFF0000u);
    EXPECT_EQ(B.Pixel(9, 15), 0xFF000000u);
    EXPECT_EQ(B.Pixel(11, 15), 0xFF000000u);

    B.Clear(0xFF000000);
    FrameRectAntialiased(B, {10, 10, 20, 20}, 0xFFFFFFFF, 2);
    EXPECT_EQ(B.Pixel(10, 15), 0xFFFFFFFFu);
    // Both neighbours half covered.
    for (TPoint Side : {TPoint{9, 15}, TPoint{11, 15}, TPoint{15, 21}, TPoint{15, 19}}) {
        TColor32 C = B.Pixel(Side.X, Side.Y);
        EXPECT_NEAR(static_cast<int>(C & 0xFF), 128, 2) << Side.X << "," << Side.Y;
    }
    EXPECT_EQ(B.Pixel(8, 15), 0xFF000000u);
    EXPECT_EQ(B.Pixel(15, 15), 0xFF000000u);
}
