#include <gtest/gtest.h>

#include "skin/controls/SkinColorCore.h"

namespace {

TEST(SkinColorCore, FieldModels)
{
    struct TCase {
        TsfRGB RGB;
        TsfHSV HSV;
    };
    // The dialog's fields: red opens as 0/100/100, grey 128 as 0/0/50.
    const TCase Cases[] = {
        {{255, 0, 0}, {0, 100, 100}},  {{128, 128, 128}, {0, 0, 50}}, {{0, 0, 0}, {0, 0, 0}},
        {{0, 255, 0}, {120, 100, 100}}, {{0, 0, 255}, {239, 100, 100}}, {{255, 255, 0}, {60, 100, 100}},
        {{255, 0, 255}, {299, 100, 100}},
    };
    for (const TCase& C : Cases) {
        EXPECT_EQ(RGBToHSV(C.RGB), C.HSV) << int(C.RGB.Red) << "," << int(C.RGB.Green) << "," << int(C.RGB.Blue);
    }
    // Back from the fields (hue 0..359 against 360 in the conversion).
    EXPECT_EQ(HSVToRGB({0, 100, 100}), (TsfRGB{255, 0, 0}));
    EXPECT_EQ(HSVToRGB({120, 100, 100}), (TsfRGB{0, 255, 0}));
    EXPECT_EQ(HSVToRGB({0, 0, 50}), (TsfRGB{128, 128, 128}));  // 127.5 rounds to even
    EXPECT_EQ(HSVToRGB({359, 100, 100}), (TsfRGB{255, 0, 4}));
}

TEST(SkinColorCore, PaletteColourStaysConsistent)
{
    TPSPColor P;
    P.SetRGB(0x0000FF);  // red as packed bytes
    EXPECT_EQ(P.RGBValue(), (TsfRGB{255, 0, 0}));
    EXPECT_EQ(P.HSLPSP(), (TsfHSLBytes{0, 255, 128}));
    P.SetRGB(0x808080);
    EXPECT_DOUBLE_EQ(P.HSL().Saturation, 0);
    EXPECT_EQ(P.HSLPSP().Lightness, 128);
    // Round trips through the bytes keep the colour within a step.
    for (Integer C : {0x123456, 0xFF8000, 0x00FF80, 0x4F4280, 0xFFFFFF}) {
        TPSPColor Q;
        Q.SetRGB(C);
        TPSPColor R;
        R.SetHSLPSP(Q.HSLPSP().Hue + 256 * Q.HSLPSP().Saturation + 65536 * Q.HSLPSP().Lightness);
        EXPECT_NEAR(R.RGBValue().Red, Q.RGBValue().Red, 2);
        EXPECT_NEAR(R.RGBValue().Green, Q.RGBValue().Green, 2);
        EXPECT_NEAR(R.RGBValue().Blue, Q.RGBValue().Blue, 2);
        TPSPColor S;
        S.SetHSL(Q.HSL());
        EXPECT_EQ(S.RGBValue(), Q.RGBValue());
    }
}

TEST(SkinColorCore, PaletteGeometry)
{
    // Ring: red at the top, yellow-green at the left; a left-edge press gives hue byte 63.
    EXPECT_EQ(RingHueByte(0, 97, 0), 63);
    EXPECT_EQ(RingHueByte(97, 2, 0), 255);  // straight up: (359 - 0) / 359
    EXPECT_EQ(PaletteAngle(98, 0, 98, 98), 0);
    EXPECT_EQ(PaletteAngle(195, 98, 98, 98), 90);
    EXPECT_EQ(PaletteAngle(98, 195, 98, 98), 180);
    const auto Hues = PaletteHueTable();
    TsfRGB C;
    ASSERT_TRUE(PaletteRingPixel(Hues, 98, 5, C));
    EXPECT_EQ(C.Red, 240);
    EXPECT_EQ(C.Green, 0);
    EXPECT_FALSE(PaletteRingPixel(Hues, 98, 98, C));
    EXPECT_FALSE(PaletteRingPixel(Hues, 0, 0, C));
    // Zones.
    struct TZ {
        Integer X, Y;
        TsfPaletteZone Z;
    };
    for (const TZ& Z : {TZ{44, 44, TsfPaletteZone::Square}, TZ{149, 149, TsfPaletteZone::Square},
                        TZ{150, 100, TsfPaletteZone::None}, TZ{5, 97, TsfPaletteZone::Circle},
                        TZ{97, 190, TsfPaletteZone::Circle}, TZ{0, 0, TsfPaletteZone::None},
                        TZ{30, 97, TsfPaletteZone::None}})
        EXPECT_EQ(PaletteZone(Z.X, Z.Y, 0, 0), Z.Z) << Z.X << "," << Z.Y;
    // A drag beyond the square clamps.
    Byte S, L;
    SquareBytes(-50, 400, 0, S, L);
    EXPECT_EQ(S, 0);
    EXPECT_EQ(L, 255);
    SquareBytes(300, 10, 0, S, L);
    EXPECT_EQ(S, 255);
    EXPECT_EQ(L, 0);
    // Red: the square's marker at the right end of the middle row, the ring's at the top.
    TPSPColor Red;
    Red.SetRGB(0x0000FF);
    EXPECT_EQ(SquareMarkerCentre(Red.HSL(), 0).X, 150);
    EXPECT_EQ(SquareMarkerCentre(Red.HSL(), 0).Y, 97);
    EXPECT_EQ(RingMarkerCentre(Red.HSL(), 0).X, 97);
    EXPECT_EQ(RingMarkerCentre(Red.HSL(), 0).Y, 10);
    // Square corners: black along the top, white along the bottom.
    EXPECT_EQ(PaletteSquarePixel(0, 100, 44), (TsfRGB{0, 0, 0}));
    EXPECT_EQ(PaletteSquarePixel(0, 100, 150), (TsfRGB{255, 255, 255}));
}

TEST(SkinColorCore, GridLayoutAndClamps)
{
    // The dialog's basic grid: 6 x 8 in a 167 x 195 panel less its caption.
    const TRect R{0, 20, 167, 195};
    TsfColorGridLayout G(R, 6, 8, sfBasicColorCount);
    EXPECT_EQ(G.Cells(), 48);
    EXPECT_EQ(G.CellWidth(), (167 - 12) / 6);
    EXPECT_EQ(G.CellHeight(), (175 - 16) / 8);
    for (Integer N : {0, 5, 6, 47}) {
        const TRect H = G.HitRect(N);
        EXPECT_EQ(G.HitTest(H.Left, H.Top), N);
        EXPECT_EQ(G.HitTest(H.Right - 1, H.Bottom - 1), N);
        EXPECT_NE(G.HitTest(H.Right, H.Top), N);  // right edge excluded
    }
    EXPECT_EQ(G.HitTest(G.HitRect(0).Right, G.HitRect(0).Top), -1);  // between cells
    EXPECT_EQ(G.Origin(7).Y, G.Origin(1).Y + G.CellHeight() + 2);
    const TRect Sel = G.SwatchRect(0, true), Unsel = G.SwatchRect(0, false);
    EXPECT_EQ(Sel.Left, Unsel.Left + 1);
    EXPECT_EQ(Sel.Right, Unsel.Right - 1);

    // Bad counts are clamped: no division by zero, never more cells than colours.
    struct TCase {
        Integer Cols, Rows, Colors, Cells;
    };
    for (const TCase& C : {TCase{6, 0, 48, 6}, TCase{12, 9, 48, 48}, TCase{6, 3, 12, 12}, TCase{0, 0, 12, 1},
                           TCase{20, 1, 12, 12}, TCase{5, -4, 12, 5}}) {
        TsfColorGridLayout L(R, C.Cols, C.Rows, C.Colors);
        EXPECT_EQ(L.Cells(), C.Cells) << C.Cols << "x" << C.Rows;
        EXPECT_LE(L.Cells(), C.Colors);
    }
    TsfColorGridLayout Tiny(TRect{0, 0, 3, 3}, 6, 2, 12);
    EXPECT_EQ(Tiny.HitTest(1, 1), -1);
}

TEST(SkinColorCore, CustomColoursWrap)
{
    TsfCustomColors C;
    EXPECT_EQ(C.Values[11], 0xFFFFFF);
    for (Integer I = 0; I < 13; ++I) C.Add(0x10 + I);
    EXPECT_EQ(C.Count, 1);
    EXPECT_EQ(C.Values[0], 0x10 + 12);
    EXPECT_EQ(C.Values[1], 0x11);
    std::array<TColor, 12> Src{};
    Src.fill(7);
    C.Set(Src, 40);  // unchecked counts are clamped
    EXPECT_EQ(C.Count, 12);
    C.Add(9);
    EXPECT_EQ(C.Values[0], 9);
    C.Set(Src, -3);
    EXPECT_EQ(C.Count, 0);
}

TEST(SkinColorCore, ColourMenuLayout)
{
    std::array<TColor, sfColorMenuColorCount> Colors = sfColorMenuColors;
    struct TCase {
        bool Auto, More, Pick;
        Integer Count;
    };
    for (const TCase& C : {TCase{true, true, true, 43}, TCase{false, false, false, 40}, TCase{false, true, true, 42},
                           TCase{true, true, false, 42}}) {
        TsfColorMenuLayout L{C.Auto, C.More, C.Pick};
        EXPECT_EQ(L.Count(), C.Count);
    }
    TsfColorMenuLayout All;
    EXPECT_EQ(All.Selection(Colors, 0x0000FF, true), 17);  // the seventeenth colour after "automatic"
    EXPECT_EQ(All.Selection(Colors, 0x0000FF, false), 0);  // marker off: the automatic entry
    EXPECT_EQ(All.Selection(Colors, 0x123456, true), 41);  // unknown: more colours
    TsfColorMenuLayout None{false, false, false};
    EXPECT_EQ(None.Selection(Colors, 0x0000FF, false), 16);
    EXPECT_EQ(None.Selection(Colors, 0x123456, true), -1);

    struct TChoice {
        TsfColorMenuLayout L;
        Integer K;
        TsfColorMenuChoice C;
    };
    for (const TChoice& C : {TChoice{All, 0, TsfColorMenuChoice::Automatic}, TChoice{All, 1, TsfColorMenuChoice::Color},
                             TChoice{All, 41, TsfColorMenuChoice::More}, TChoice{All, 42, TsfColorMenuChoice::Pick},
                             TChoice{All, -1, TsfColorMenuChoice::None}, TChoice{All, 43, TsfColorMenuChoice::None},
                             TChoice{None, 0, TsfColorMenuChoice::Color}, TChoice{None, 39, TsfColorMenuChoice::Color},
                             TChoice{{true, true, false}, 41, TsfColorMenuChoice::More},
                             TChoice{{true, false, true}, 41, TsfColorMenuChoice::Pick}})
        EXPECT_EQ(C.L.Choice(C.K), C.C) << C.K;
}

TEST(SkinColorCore, PenStylePictures)
{
    struct TCase {
        Integer Style;
        const char* Row;  // columns 0..43 of row 7: '#' black
    };
    const TCase Cases[] = {
        {0, "  ########################################  "},
        {1, "  #################      #################  "},
        {2, "  ###   ###   ###   ###   ###   ###   ###   "},
        {3, "       #########     ###     #########      "},
        {4, "     #########   ###   ###   #########      "},
    };
    for (const TCase& C : Cases) {
        const std::vector<TColor> P = PenStylePicture(C.Style);
        ASSERT_EQ(P.size(), 44u * 15);
        for (Integer X = 1; X < 43; ++X) {
            const bool Black = C.Row[X] == '#';
            for (Integer Y : {6, 7, 8}) EXPECT_EQ(P[Y * 44 + X], Black ? 0 : 0xFFFFFF) << C.Style << ":" << X << "," << Y;
            EXPECT_EQ(P[5 * 44 + X], 0xFFFFFF);
            EXPECT_EQ(P[9 * 44 + X], 0xFFFFFF);
        }
        EXPECT_EQ(P[0], 0xC0C0C0);
        EXPECT_EQ(P[14 * 44 + 43], 0xC0C0C0);
    }
    EXPECT_TRUE(PenStylePicture(5).empty());
}

TEST(SkinColorCore, TrackPart)
{
    const Integer W = 80, H = 25;
    const TRect T = DefaultTrackRect(W, H, false);
    struct TCase {
        bool Menu, Track;
        Integer X, Y;
        bool In;
    };
    for (const TCase& C : {TCase{true, true, W - 15, 5, true}, TCase{true, true, W - 16, 5, false},
                           TCase{true, true, W, H, true}, TCase{true, false, 0, 0, true},
                           TCase{false, false, W - 5, 5, false}})
        EXPECT_EQ(InTrackArea(C.Menu, C.Track, T, C.X, C.Y), C.In) << C.X;
    EXPECT_EQ(DefaultTrackRect(W, H, true), (TRect{0, H - 15, W, H}));
    const TRect Skin{0, 0, 60, 20}, Track{45, 0, 60, 20};
    EXPECT_EQ(TrackRectAtSize(Track, Skin, 2, 100, 30), (TRect{85, 0, 100, 20}));
    EXPECT_EQ(TrackRectAtSize(Track, Skin, 3, 100, 30), (TRect{45, 10, 60, 30}));
    EXPECT_EQ(TrackRectAtSize(Track, Skin, 0, 100, 30), Track);
}

}  // namespace
