// The platform's side of the media packs and list helpers: every pack kind
// written with real picture files and read back through the installed
// decoders, the stock content decoded for real, and the highlight box.
#include <gtest/gtest.h>

#include "../TempFolder.h"
#include "foundation/Global.h"
#include "foundation/win/Global_Helpers_Win.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "foundation/win/HyMediaPack_Win.h"

namespace {

using TBytes8 = std::vector<uint8_t>;

TBytes8 FileBytes(const String& FileName)
{
    TMemoryStream M;
    M.LoadFromFile(FileName);
    const uint8_t* P = static_cast<const uint8_t*>(M.Memory());
    return TBytes8(P, P + M.Size());
}

// A W x H picture in one colour, as a file of the given format.
TBytes8 PictureFile(const TTempFolder& Dir, Integer W, Integer H, TColor32 Color, TImageFormat Format, Integer Param)
{
    TBitmap32 B;
    B.SetSize(W, H);
    B.Clear(Color);
    const String Name = Dir / (u"picture." + String(Format == ifJpg ? u"jpg" : Format == ifPng ? u"png" : u"bmp"));
    SaveBitmap32ToFile(&B, Name, Format, Param);
    return FileBytes(Name);
}

TBytes8 Bitmap32Stream(Integer W, Integer H, TColor32 Color)
{
    TCustomBitmap32 B;
    B.SetSize(W, H);
    B.Clear(Color);
    TMemoryStream S;
    B.SaveToStream(&S, false);
    const uint8_t* P = static_cast<const uint8_t*>(S.Memory());
    return TBytes8(P, P + S.Size());
}

bool Near(TColor32 A, TColor32 B, Integer Tolerance)
{
    for (Integer Shift = 0; Shift < 32; Shift += 8)
        if (std::abs(Integer((A >> Shift) & 0xFF) - Integer((B >> Shift) & 0xFF)) > Tolerance) return false;
    return true;
}

TCustomBitmap32* Pic(TDataSlot& Slot) { return Slot.As<TCustomBitmap32>(); }

class MediaPackWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        Old = ProgramFolder;
        ClearStockErrors();
    }
    void TearDown() override { ProgramFolder = Old; }
    String Old;
};

}  // namespace

TEST_F(MediaPackWin, TheDecoderIsInstalledAtStartUp)
{
    EXPECT_EQ(&MediaPictureDecoder(), &PlatformMediaDecoder());
    EXPECT_NE(dynamic_cast<TBitmap32*>(MediaPictureDecoder().NewBitmap().get()), nullptr);
}

TEST_F(MediaPackWin, EveryKindRoundTrips)
{
    TTempFolder Dir;
    ProgramFolder = Dir.Path();
    ForceDirectories(Dir / u"Media\\");
    auto Write = [&](const String& Name, TDataTable& T, auto Build, Integer Tail = 0) {
        TFileStream S(Dir / (u"Media\\" + Name), fmCreate);
        TMediaPackWriter W(&S);
        Build(W);
        W.Finish(T, 0, Tail);
    };

    // Effects and patterns: zlib JPEG.
    TDataTable E;
    E.AddItem(u"0,3,a,,A,27,,,,,100,,,,a.jpg,,");
    Write(u"Effects.dat", E, [&](TMediaPackWriter& W) {
        E.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(PictureFile(Dir, 40, 30, 0xFF2080C0, ifJpg, 9)));
        E.GetItem(0)->GetItem(16)->SetValue(W.AddZBlob(PictureFile(Dir, 20, 10, 0xFFC08020, ifJpg, 9)));
    });
    TDataTable T;
    ASSERT_TRUE(LoadEffectsPack(&T));
    ASSERT_NE(Pic(T.GetItem(0)->Data2()), nullptr);
    EXPECT_EQ(Pic(T.GetItem(0)->Data2())->Width(), 40);
    EXPECT_TRUE(Near(Pic(T.GetItem(0)->Data2())->Pixel(20, 15), 0xFF2080C0, 6));
    EXPECT_TRUE(Near(Pic(T.GetItem(0)->Data3())->Pixel(5, 5), 0xFFC08020, 6));
    EXPECT_NE(dynamic_cast<TBitmap32*>(Pic(T.GetItem(0)->Data2())), nullptr);

    // Brushes: zlib BMP, then a plain PNG with alpha (blended).
    TDataTable B;
    B.AddItem(u"0,,b,,B,,,,0,8,1,,,,b.bmp,,");
    Write(u"Brush.dat", B, [&](TMediaPackWriter& W) {
        B.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(PictureFile(Dir, 16, 16, 0xFF404040, ifBmp, 24)));
        B.GetItem(0)->GetItem(16)->SetValue(W.AddBlob(PictureFile(Dir, 8, 8, 0x80102030, ifPng, -1)));
    });
    ASSERT_TRUE(LoadBrushPack(&T));
    EXPECT_EQ(Pic(T.GetItem(0)->Data())->Pixel(3, 3), 0xFF404040u);
    TCustomBitmap32* Tip = Pic(T.GetItem(0)->Data2());
    ASSERT_NE(Tip, nullptr);
    EXPECT_EQ(Tip->DrawMode(), dmBlend);
    EXPECT_TRUE(Near(Tip->Pixel(4, 4), 0x80102030, 2));

    // A frame pack of each kind.
    TDataTable F0;
    F0.AddItem(u"1,0,a,,A,1,,,,,,,,,a,,,0");
    Write(u"frame0.dat", F0, [&](TMediaPackWriter& W) {
        F0.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(Bitmap32Stream(78, 66, 0x7F336699)));
    }, 7);
    ASSERT_TRUE(LoadMediaPack(&T, FramePackFileName(0)));
    EXPECT_EQ(Pic(T.GetItem(0)->Data2())->Pixel(77, 65), 0x7F336699u);

    TDataTable F3;
    F3.AddItem(u"1,3,m,,M,1,,,,,,,,,m.png,");
    Write(u"frame3.dat", F3, [&](TMediaPackWriter& W) {
        F3.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(PictureFile(Dir, 50, 40, 0xFFFFFFFF, ifPng, 0)));
    }, 7);
    ASSERT_TRUE(LoadGPImageMediaPack(&T, FramePackFileName(3)));
    TCustomBitmap32* Mask = Pic(T.GetItem(0)->Data2());
    ASSERT_NE(Mask, nullptr);
    EXPECT_EQ(Mask->Width(), 50);
    EXPECT_EQ(Mask->Pixel(25, 20) & 0xFFFFFF, 0xFFFFFFu);

    TDataTable N;
    N.SetPropCount(10);
    N.AddItem(u"-1,0,0,0,,0,0,,,,4,4,4,4,,,,,,");
    TMemoryStream Nested;
    {
        TMediaPackWriter W(&Nested);
        N.GetItem(0)->GetItem(19)->SetValue(W.AddZBlob(Bitmap32Stream(4, 4, 0xFF00FF00)));
        N.GetProp(9)->SetValue(W.AddZBlob(PictureFile(Dir, 78, 71, 0xFF808080, ifJpg, 9)));
        W.Finish(N);
    }
    TDataTable F2;
    F2.AddItem(u"1,2,g,,G,1,,,,,,,,,g.dat,");
    Write(u"frame2.dat", F2, [&](TMediaPackWriter& W) {
        const uint8_t* P = static_cast<const uint8_t*>(Nested.Memory());
        F2.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(TBytes8(P, P + Nested.Size())));
    }, 7);
    ASSERT_TRUE(LoadNestedMediaPack(&T, FramePackFileName(2)));
    EXPECT_TRUE(Near(Pic(T.GetItem(0)->Data2())->Pixel(40, 30), 0xFF808080, 4));
    EXPECT_EQ(T.GetItem(0)->Data3().As<TDataTable>()->GetItem(0)->Data().As<TCustomBitmap32>()->Pixel(0, 0),
              0xFF00FF00u);
    EXPECT_TRUE(StockErrors().empty());

    // A picture the decoders refuse: the pack gives no rows, and is logged.
    TDataTable Bad;
    Bad.AddItem(u"0,,,,,,,,,,,,,,p.jpg,,");
    Write(u"Pattern.dat", Bad, [&](TMediaPackWriter& W) {
        Bad.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(TBytes8{0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3}));
    });
    EXPECT_FALSE(LoadPatternPack(&T));
    EXPECT_EQ(T.ItemCount(), 0);
    EXPECT_EQ(StockErrors().size(), 1u);
}

TEST_F(MediaPackWin, TheStockContentDecodes)
{
    ProgramFolder = Str(LM_STOCK_PROGRAM_FOLDER);
    TDataTable T;
    ASSERT_TRUE(LoadEffectsPack(&T));
    TCustomBitmap32* Sun = Pic(T.GetItem(22)->Data2());
    ASSERT_NE(Sun, nullptr);
    EXPECT_EQ(Sun->Width(), 640);
    // Sunshine: bright where the light comes in, darker far from it.
    EXPECT_GT(Sun->Pixel(2, 2) & 0xFF, 200u);
    EXPECT_LT(Sun->Pixel(639, 479) & 0xFF, 160u);
    ASSERT_TRUE(LoadPatternPack(&T));
    EXPECT_EQ(Pic(T.GetItem(0)->Data())->Width(), 128);
    ASSERT_TRUE(LoadBrushPack(&T));
    TCustomBitmap32* Tip = Pic(T.GetItem(0)->Data2());
    EXPECT_EQ(Tip->Width(), 32);
    EXPECT_GT(Tip->Pixel(16, 16) >> 24, 200u);  // the round tip is solid in the middle
    EXPECT_LT(Tip->Pixel(0, 0) >> 24, 30u);     // and clear in the corners
    ASSERT_TRUE(LoadShadowPack(&T));
    EXPECT_EQ(Pic(T.GetItem(1)->Data2())->Height(), 32);
    ASSERT_TRUE(LoadGPImageMediaPack(&T, FramePackFileName(3)));
    TCustomBitmap32* Oval = Pic(T.GetItem(0)->Data2());
    EXPECT_EQ(Oval->Width(), 400);
    EXPECT_EQ(Oval->Pixel(200, 150) & 0xFF, 0xFFu);  // the picture shows in the middle
    EXPECT_EQ(Oval->Pixel(0, 0) & 0xFF, 0x00u);      // the frame's colour in the corners
    ASSERT_TRUE(LoadNestedMediaPack(&T, FramePackFileName(2)));
    EXPECT_EQ(Pic(T.GetItem(0)->Data2())->Width(), 78);
    EXPECT_TRUE(StockErrors().empty());
}

TEST(GlobalHelpersWin, DrawItemHighlight)
{
    TBitmap32 B;
    B.SetSize(80, 60);
    auto Rgb = [&](Integer X, Integer Y) { return B.Pixel(X, Y) & 0xFFFFFF; };
    // Plain boxes: fill and outline exactly.
    B.Clear(0xFF000000);
    DrawItemHighlight(&B, 0, 0, 80, 60, 3);
    EXPECT_EQ(Rgb(40, 30), 0xF4FEFDu);
    EXPECT_EQ(Rgb(40, 0), 0x97CCFEu);
    EXPECT_EQ(Rgb(0, 30), 0x97CCFEu);
    EXPECT_EQ(Rgb(79, 30), 0x97CCFEu);  // the outline of W = Right - Left - 1 ends on the last column
    B.Clear(0xFF000000);
    DrawItemHighlight(&B, 0, 0, 80, 60, 4);
    EXPECT_EQ(Rgb(40, 30), 0xFCFC8Cu);
    // Hot: a pale vertical gradient outlined without anti-aliasing.
    B.Clear(0xFF000000);
    DrawItemHighlight(&B, 0, 0, 80, 60, 2);
    EXPECT_EQ(Rgb(40, 0), 0xB8D6FBu);
    EXPECT_EQ(Rgb(0, 30), 0xB8D6FBu);
    EXPECT_TRUE(Near(B.Pixel(40, 2), 0xFFFAFBFD, 3));
    EXPECT_TRUE(Near(B.Pixel(40, 56), 0xFFEBF3FD, 3));
    EXPECT_EQ(Rgb(0, 0), 0x000000u);  // the rounded corner leaves the corner pixel
    // Selected: the inner gradient and the outline.
    B.Clear(0xFF000000);
    DrawItemHighlight(&B, 0, 0, 80, 60, 1);
    EXPECT_TRUE(Near(B.Pixel(40, 4), 0xFFDCEBFC, 4));
    EXPECT_TRUE(Near(B.Pixel(40, 54), 0xFFC1DBFC, 4));
    EXPECT_TRUE(Near(B.Pixel(40, 0), 0xFF7DA2CE, 24));
}

TEST(GlobalHelpersWin, WhitenOutsideMaskOnPlatformBitmaps)
{
    TBitmap B, M;
    for (TBitmap* P : {&B, &M}) {
        P->SetPixelFormat(pf32bit);
        P->SetSize(4, 1);
    }
    uint32_t* BRow = static_cast<uint32_t*>(B.ScanLine(0));
    uint32_t* MRow = static_cast<uint32_t*>(M.ScanLine(0));
    for (Integer X = 0; X < 4; ++X) BRow[X] = 0xFF112233, MRow[X] = X == 2 ? 0x01 : 0;
    WhitenOutsideMask(&B, &M);
    EXPECT_EQ(BRow[0], 0x00FFFFFFu);
    EXPECT_EQ(BRow[1], 0x00FFFFFFu);
    EXPECT_EQ(BRow[2], 0xFF112233u);
    EXPECT_EQ(BRow[3], 0x00FFFFFFu);
}
