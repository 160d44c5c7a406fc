// The frame dialog's choices: rows, names and defaults by type and mode, the
// stored lists of settings row 5, the dialog's height, the texture size
// check, and the pattern frame's table edited on a copy that reaches the
// preset only when committed (a tile without pixels draws nothing).
#include <gtest/gtest.h>

#include "dialogs/ImageFramesCore.h"
#include "document/DocumentTestView.h"

using namespace FrameDialog;

TEST(FrameDialog, UnchangedValuesOfEveryPadModeStoreTheDefaultList)
{
    const struct {
        Integer Mode;
        const char16_t* List;
        Integer Rows, Colors, Cell;
    } Cases[] = {
        {1, u"10.13421619", 1, 1, 0},
        {2, u"10.13421619.5.16777164.1.16737843", 3, 3, 1},
        {3, u"1.16711680.10.13421619.20", 3, 2, 2},
        {4, u"1.16711680.10.13421619.15", 3, 2, 3},
        {5, u"5.13421619.50.13421619", 2, 2, 4},
        {6, u"15.13421619.5.13421619.50.13421619", 3, 3, 5},
        {7, u"1.16711680.0.13421619", 2, 2, 6},
        {8, u"1.16711680.0.13421619", 2, 2, 7},
        {9, u"1.16711680.20.13421619.50", 3, 2, 8},
        {10, u"1.16711680.20.13421619.50", 3, 2, 9},
    };
    for (const auto& c : Cases) {
        const TFrameSetup S = FrameSetupFor(0, c.Mode);
        EXPECT_EQ(S.Cell, c.Cell) << c.Mode;
        EXPECT_EQ(S.RowShown[0] + S.RowShown[1] + S.RowShown[2], c.Rows) << c.Mode;
        EXPECT_EQ(S.ColorShown[0] + S.ColorShown[1] + S.ColorShown[2], c.Colors) << c.Mode;
        EXPECT_EQ(JoinFrameValues(S, ParseFrameValues(S, String())), c.List) << c.Mode;
    }
    const TFrameValues V = ParseFrameValues(FrameSetupFor(0, 2), String());
    EXPECT_EQ(V.Value[0], 10);
    EXPECT_EQ(V.Value[1], 5);
    EXPECT_EQ(V.Value[2], 1);
    EXPECT_EQ(V.Color[2], TColor(16737843));
    EXPECT_TRUE(FrameSetupFor(0, 3).Percent[2]);
    EXPECT_TRUE(FrameSetupFor(0, 7).Percent[1]);
    EXPECT_FALSE(FrameSetupFor(0, 2).Percent[1]);
}

TEST(FrameDialog, StoredListsAreReadBackClampedAndCompletedFromTheDefaults)
{
    const TFrameSetup S = FrameSetupFor(0, 2);
    EXPECT_EQ(JoinFrameValues(S, ParseFrameValues(S, u"20.255.6.65280.2.16711680")), u"20.255.6.65280.2.16711680");
    EXPECT_EQ(JoinFrameValues(S, ParseFrameValues(S, u"500.255")), u"100.255.5.16777164.1.16737843");
    EXPECT_EQ(JoinFrameValues(S, ParseFrameValues(S, u"x.255.-4")), u"10.255.0.16777164.1.16737843");

    // The band frame: slider 1 up to 50, the second value in percent, row 2
    // hidden for modes 11 and 12, the option row always.
    const struct {
        Integer Mode;
        const char16_t* List;
        bool Row2;
        Integer Name2;
    } Bands[] = {{1, u"5.65535.50", true, 4}, {2, u"5.65535.50", true, 5}, {3, u"5.65535.0", true, 12},
                 {11, u"5.65535", false, 12}, {16, u"5.65535.50", true, 4}};
    for (const auto& b : Bands) {
        const TFrameSetup B = FrameSetupFor(1, b.Mode);
        EXPECT_EQ(B.Cell, b.Mode + 19);
        EXPECT_EQ(B.RowShown[1], b.Row2) << b.Mode;
        EXPECT_TRUE(B.OptionRow);
        EXPECT_EQ(B.Max[0], 50);
        if (b.Row2) EXPECT_EQ(B.NameIndex[1], b.Name2) << b.Mode;
        EXPECT_EQ(JoinFrameValues(B, ParseFrameValues(B, String())), b.List) << b.Mode;
    }
    EXPECT_EQ(ParseFrameValues(FrameSetupFor(1, 1), u"80.1.2").Value[0], 50);

    // The edge frame starts at 100 and white whatever is stored.
    const TFrameSetup E = FrameSetupFor(3, 4);
    EXPECT_EQ(E.Cell, -1);
    const TFrameValues EV = ParseFrameValues(E, u"3.0");
    EXPECT_EQ(EV.Value[0], 100);
    EXPECT_EQ(EV.Color[0], TColor(16777215));
}

TEST(FrameDialog, HeightsOfTheDialogAndTheTextureChecks)
{
    const struct {
        Integer Type, Mode;
        Integer Bevel;
    } Cases[] = {
        {0, 1, 100},                 // 36 + 8, at least 100
        {0, 2, 3 * 36 + 8},
        {1, 1, 36 + 36 + 78 + 8},
        {1, 11, 36 + 78 + 8},
        {2, 1, 68 + 36 + 68 + 8},    // stereo boxes on the outer and inner rows
        {3, 1, 100},
    };
    for (const auto& c : Cases) {
        const TFrameLayout L = FrameLayoutFor(FrameSetupFor(c.Type, c.Mode), 8);
        EXPECT_EQ(L.Bevel, c.Bevel) << c.Type << "/" << c.Mode;
        EXPECT_EQ(L.Panel, c.Bevel - 4);
        EXPECT_EQ(L.Form, 8 + c.Bevel + 33);
    }
    const struct {
        Integer W, H;
        TTextureCheck Check;
    } Sizes[] = {{2000, 1001, TTextureCheck::TooLarge}, {2000, 1000, TTextureCheck::Ask},
                 {1000, 700, TTextureCheck::Ask},       {1000, 600, TTextureCheck::Accept},
                 {0, 0, TTextureCheck::Empty},          {0, 500, TTextureCheck::Empty},
                 {100000, 0, TTextureCheck::Empty},     {65536, 65536, TTextureCheck::TooLarge}};
    for (const auto& s : Sizes) EXPECT_EQ(s.Check, CheckTextureSize(s.W, s.H)) << s.W << "x" << s.H;
    EXPECT_EQ(TextureFolder(String(), u"C:\\P\\"), u"C:\\P\\Texture\\");
    EXPECT_EQ(TextureFolder(u"D:\\T\\", u"C:\\P\\"), u"D:\\T\\");
}

namespace {
// A pattern preset's table: three layers, innermost first.
void PatternTable(TDataTable& DT, TCustomBitmap32* Tile)
{
    for (Integer r = 0; r < 3; ++r) {
        TRow* R = DT.AddItem(u"-1,-1,255,0,0,0,1,0,0,0,4,4,4,4");
        if (r == 1) {
            R->GetItem(1)->SetAsBool(false);  // the middle layer tiles a picture
            R->Data().Ref(Tile);
        }
    }
}
}  // namespace

TEST(FrameDialog, PatternEditsStayOnTheCopyUntilCommitted)
{
    TCustomBitmap32 Tile;
    Tile.SetSize(3, 3);
    TDataTable Preset;
    PatternTable(Preset, &Tile);
    TFrameTableCopy Copy(&Preset);
    ASSERT_EQ(Copy.Table()->ItemCount(), 3);
    EXPECT_EQ(Copy.Table()->GetItem(1)->Data().Get(), &Tile) << "the copy shares the preset's picture";
    EXPECT_EQ(Copy.Width(0), 4);
    Copy.SetWidth(0, 9);         // the outer layer: table row 2
    Copy.SetColor(2, 0x00FF00);  // the inner layer: table row 0
    Copy.SetStereo(0, true);
    Copy.SetStereoWidth(0, 12);
    for (Integer c = 10; c <= 13; ++c) EXPECT_EQ(Copy.Table()->GetItem(2)->GetItem(c)->Value(), 9);
    EXPECT_EQ(Copy.StereoWidth(0), 9);
    EXPECT_EQ(Preset.GetItem(2)->GetItem(10)->Value(), 4) << "the preset keeps its table until OK";
    EXPECT_FALSE(Preset.GetItem(2)->GetItem(5)->AsBool());
    EXPECT_EQ(Preset.GetItem(0)->GetItem(2)->Value(), 255);
    Copy.Commit();
    for (Integer c = 10; c <= 13; ++c) EXPECT_EQ(Preset.GetItem(2)->GetItem(c)->Value(), 9);
    EXPECT_TRUE(Preset.GetItem(2)->GetItem(5)->AsBool());
    EXPECT_EQ(Preset.GetItem(2)->GetItem(6)->Value(), 9);
    EXPECT_EQ(Preset.GetItem(0)->GetItem(2)->Value(), 0x00FF00);
    EXPECT_EQ(Preset.GetItem(1)->GetItem(10)->Value(), 4);

    // A short table: the rows it lacks are not edited.
    TDataTable One;
    One.AddItem(u"-1,-1,255");
    TFrameTableCopy Short(&One);
    EXPECT_TRUE(Short.HasRow(2));
    EXPECT_FALSE(Short.HasRow(0));
    Short.SetWidth(0, 5);
    Short.SetWidth(2, 6);
    Short.Commit();
    EXPECT_EQ(One.GetItem(0)->GetItem(10)->Value(), 6);
}

TEST(FrameDialog, APackLayerTileWithoutWidthOrHeightDrawsNothing)
{
    for (const TSize Size : {TSize{0, 4}, TSize{4, 0}, TSize{0, 0}}) {
        TProcessingDocument P;
        P.Make(20, 10);
        TCustomBitmap32 Tile;
        Tile.SetSize(Size.cx, Size.cy);
        TDataTable Preset;
        PatternTable(Preset, &Tile);
        TFrameTableCopy Copy(&Preset);
        P.Doc->SetFrameType(2);
        P.Doc->FrameBegin();
        P.Doc->FrameDo2(Copy.Table());
        TCustomBitmap32& B = *P.Doc->SrcBmp();
        ASSERT_EQ(B.Width(), 20 + 24);
        ASSERT_EQ(B.Height(), 10 + 24);
        // The middle band (4 to 8 from the edge) is the canvas colour: no tile.
        EXPECT_EQ(B.Pixel(6, 20), 0xFFFFFFFFu) << Size.cx << "x" << Size.cy;
        EXPECT_EQ(B.Pixel(1, 20), 0xFFFF0000u);
        P.Doc->FrameEnd(false);
        EXPECT_EQ(P.Doc->SrcBmp()->Width(), 20);
    }
}
