// Media packs: every loader against packs from the writer, the order in which
// blobs are consumed, and damaged packs (no crash, nothing kept, logged).
// Pictures here are all the engine's own stream: a decoder of the test reads
// them for every kind and notes what it was asked for.
#include <gtest/gtest.h>

#include <random>

#include "TempFolder.h"
#include "foundation/Global.h"
#include "foundation/HyMediaPack.h"
#include "framework/graphics/BmpFormat.h"

namespace {

using TBytes8 = std::vector<uint8_t>;

// A W x H picture of the engine's stream whose pixels are all Color.
TBytes8 Picture32(Integer W, Integer H, TColor32 Color)
{
    TCustomBitmap32 B;
    B.SetSize(W, H);
    if (!B.Empty()) B.Clear(Color);
    TMemoryStream S;
    B.SaveToStream(&S, false);
    const uint8_t* P = static_cast<const uint8_t*>(S.Memory());
    return TBytes8(P, P + S.Size());
}

// A 24-bit BMP file.
TBytes8 Picture24(Integer W, Integer H, uint8_t Grey)
{
    TDibImage D;
    D.Allocate(W, H, pf24bit);
    std::fill(D.Bits.begin(), D.Bits.end(), Grey);
    TMemoryStream S;
    WriteBmp(&S, D);
    const uint8_t* P = static_cast<const uint8_t*>(S.Memory());
    return TBytes8(P, P + S.Size());
}

struct TAsked {
    TMediaPicture Kind;
    size_t Size;
    bool operator==(const TAsked&) const = default;
};

// Reads every kind as the engine's stream (or a BMP) and notes each request.
class TTestDecoder : public TMediaPictureDecoder {
public:
    std::vector<TAsked> Asked;
    std::unique_ptr<TCustomBitmap32> Decode(TMediaPicture Kind, const uint8_t* Data, size_t Size) override
    {
        Asked.push_back({Kind, Size});
        return TMediaPictureDecoder::Decode(Size > 28 && Data[1] == 'M' && Data[28] == 32 ? mpBitmap32 : mpBmp, Data, Size);
    }
};

class MediaPack : public ::testing::Test {
protected:
    void SetUp() override
    {
        OldProgramFolder = ProgramFolder;
        ProgramFolder = Dir.Path();
        ForceDirectories(Dir / u"Media\\");
        SetMediaPictureDecoder(&Decoder);
        ClearStockErrors();
    }
    void TearDown() override
    {
        SetMediaPictureDecoder(nullptr);
        ProgramFolder = OldProgramFolder;
    }

    // Writes a pack: Build adds the blobs and fills the rows of T.
    template <class F>
    void Write(const String& Name, TDataTable& T, F Build, Integer Tail = 0)
    {
        TFileStream S(Dir / (u"Media\\" + Name), fmCreate);
        TMediaPackWriter W(&S);
        Build(W);
        W.Finish(T, 0, Tail);
    }

    static TCustomBitmap32* Pic(TDataSlot& Slot) { return Slot.As<TCustomBitmap32>(); }

    TTempFolder Dir;
    TTestDecoder Decoder;
    String OldProgramFolder;
};

TColor32 Corner(TCustomBitmap32* B) { return B ? B->Pixel(0, 0) : 0; }

}  // namespace

TEST_F(MediaPack, EffectsPatternBrushShadowReflection)
{
    TDataTable Effects;
    Effects.AddItem(u"0,0,a,,A,9,,,,,0,,,,,,");  // no pictures
    Effects.AddItem(u"0,3,b,,B,27,,,,,100,,,,one.jpg,,");
    Effects.AddItem(u"0,3,c,,C,28,,,,,100,,,,two.jpg,,");
    Write(u"Effects.dat", Effects, [&](TMediaPackWriter& W) {
        Effects.GetItem(1)->GetItem(15)->SetValue(W.AddZBlob(Picture32(3, 2, 0xFF112233)));
        Effects.GetItem(2)->GetItem(15)->SetValue(W.AddZBlob(Picture32(4, 4, 0xFF445566)));
        Effects.GetItem(2)->GetItem(16)->SetValue(W.AddZBlob(Picture32(5, 5, 0xFF778899)));
    });
    TDataTable T;
    ASSERT_TRUE(LoadEffectsPack(&T));
    ASSERT_EQ(T.ItemCount(), 3);
    EXPECT_FALSE(T.GetItem(0)->Data2());
    EXPECT_EQ(Corner(Pic(T.GetItem(1)->Data2())), 0xFF112233u);
    EXPECT_FALSE(T.GetItem(1)->Data3());
    EXPECT_EQ(Corner(Pic(T.GetItem(2)->Data2())), 0xFF445566u);
    EXPECT_EQ(Pic(T.GetItem(2)->Data3())->Width(), 5);
    EXPECT_EQ(Decoder.Asked.size(), 3u);
    EXPECT_EQ(Decoder.Asked[0].Kind, mpJpeg);

    TDataTable Patterns;
    Patterns.AddItem(u"0,,,,,,,,,,,,,,p.jpg,,");
    Write(u"Pattern.dat", Patterns,
          [&](TMediaPackWriter& W) { Patterns.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(Picture32(8, 8, 0xFF010203))); });
    ASSERT_TRUE(LoadPatternPack(&T));
    EXPECT_EQ(Corner(Pic(T.GetItem(0)->Data())), 0xFF010203u);

    // Brushes: a zlib BMP (24 bits, opaque) and a plain image.
    TDataTable Brushes;
    Brushes.AddItem(u"0,,b,,B,,,,-1,10,0,,,,b.bmp,,");
    Brushes.AddItem(u"1,,c,,C,,,,0,4,1,,,,c.bmp,,");
    Write(u"Brush.dat", Brushes, [&](TMediaPackWriter& W) {
        Brushes.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(Picture24(6, 6, 0x40)));
        Brushes.GetItem(0)->GetItem(16)->SetValue(W.AddBlob(Picture32(2, 2, 0x80FFFFFF)));
        Brushes.GetItem(1)->GetItem(15)->SetValue(W.AddZBlob(Picture24(7, 3, 0x00)));
    });
    Decoder.Asked.clear();
    ASSERT_TRUE(LoadBrushPack(&T));
    EXPECT_EQ(Corner(Pic(T.GetItem(0)->Data())), 0xFF404040u);
    EXPECT_EQ(Corner(Pic(T.GetItem(0)->Data2())), 0x80FFFFFFu);
    EXPECT_EQ(Pic(T.GetItem(1)->Data())->Width(), 7);
    EXPECT_FALSE(T.GetItem(1)->Data2());
    EXPECT_EQ(Decoder.Asked[0].Kind, mpBmp);
    EXPECT_EQ(Decoder.Asked[1].Kind, mpGdiBitmap);

    // Shadow and reflection: only cell 16; a row with cell 16 = 0 consumes
    // nothing, so the next row still finds its own picture.
    for (const char16_t* Name : {u"Shadow.dat", u"Reflection.dat"}) {
        TDataTable S;
        S.AddItem(u"0,,,,,,,,,,,,,,none.png,,0");
        S.AddItem(u"1,,,,,,,,,,,,,,some.png,,");
        Write(Name, S, [&](TMediaPackWriter& W) { S.GetItem(1)->GetItem(16)->SetValue(W.AddBlob(Picture32(3, 3, 0xFFABCDEF))); });
        TDataTable R;
        ASSERT_TRUE(String(Name) == u"Shadow.dat" ? LoadShadowPack(&R) : LoadReflectionPack(&R));
        EXPECT_FALSE(R.GetItem(0)->Data2());
        EXPECT_EQ(Corner(Pic(R.GetItem(1)->Data2())), 0xFFABCDEFu);
    }
    EXPECT_TRUE(StockErrors().empty());
}

TEST_F(MediaPack, FramePacksReadTheirBlobsInOrder)
{
    // Frame packs 0 and 1: cell 15 of every row, then cell 17 when above 0.
    // A second blob of exactly 1,000 bytes: incompressible bytes whose zlib
    // stream is that long.
    std::mt19937 Random(7);
    TBytes8 Noise = Picture32(200, 1, 0);
    for (size_t i = 54; i < Noise.size(); ++i) Noise[i] = uint8_t(Random());
    const uint8_t First[4] = {0xFF, 0x00, 0x00, 0xFF};  // pixel (0, 0): 0xFF0000FF
    std::copy(First, First + 4, Noise.begin() + 54);
    TBytes8 Z = ZlibBytes(Noise);
    while (Z.size() < 1000) {
        Noise.push_back(uint8_t(Random()));
        Z = ZlibBytes(Noise);
    }
    ASSERT_EQ(Z.size(), 1000u);
    TDataTable F;
    F.AddItem(u"1,0,a,,A,1,,,,,,,,,a,,,0");
    F.AddItem(u"1,0,b,,B,2,,,,,,,,,b,,,1000");
    const TBytes8 P0 = Picture32(2, 1, 0xFF000001), P1 = Picture32(3, 1, 0xFF000002);
    String Path = Dir / u"Media\\frame0.dat";
    Write(u"frame0.dat", F, [&](TMediaPackWriter& W) {
        F.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(P0));
        F.GetItem(1)->GetItem(15)->SetValue(W.AddZBlob(P1));
        EXPECT_EQ(W.AddBlob(Z), 1000);
    }, 7);
    TDataTable T;
    ASSERT_TRUE(LoadMediaPack(&T, Path));
    EXPECT_EQ(Decoder.Asked, (std::vector<TAsked>{{mpBitmap32, P0.size()}, {mpBitmap32, P1.size()}, {mpJpeg, Noise.size()}}));
    EXPECT_EQ(Corner(Pic(T.GetItem(1)->Data2())), 0xFF000002u);
    EXPECT_EQ(Corner(Pic(T.GetItem(1)->Data3())), 0xFF0000FFu);
    EXPECT_FALSE(T.GetItem(0)->Data3());
    EXPECT_FALSE(LoadMediaPack(&T, Dir / u"Media\\frame9.dat"));
    EXPECT_EQ(T.ItemCount(), 2);  // a missing pack changes nothing

    // Frame pack 3: the zlib image of cell 15, drawn through GDI+.
    TDataTable G;
    G.AddItem(u"1,3,m,,M,0,,,,,,,,,m.png,");
    Write(u"frame3.dat", G, [&](TMediaPackWriter& W) { G.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(P0)); }, 7);
    Decoder.Asked.clear();
    ASSERT_TRUE(LoadGPImageMediaPack(&T, Dir / u"Media\\frame3.dat"));
    EXPECT_EQ(Decoder.Asked, (std::vector<TAsked>{{mpGdiImage, P0.size()}}));
    EXPECT_EQ(T.ItemCount(), 1);
}

TEST_F(MediaPack, NestedPacks)
{
    // Two frames: one whose nested pack has a preview and a texture layer,
    // one without a preview (property 9 = 0).
    auto Nested = [&](bool WithPreview) {
        TDataTable N;
        N.SetPropCount(10);
        N.AddItem(u"-1,-1,255,0,,-1,3,,,,8,8,8,8,,,,,,");       // solid: no tile
        N.AddItem(u"-1,0,0,-1,,0,0,,,,12,12,12,12,,,,,,");      // texture
        N.AddItem(u"-1,-1,16777215,0,,-1,2,,,,4,4,4,4,,,,,,");
        TMemoryStream S;
        TMediaPackWriter W(&S);
        N.GetItem(1)->GetItem(19)->SetValue(W.AddZBlob(Picture32(4, 4, 0xFF336699)));
        N.GetProp(9)->SetValue(WithPreview ? W.AddZBlob(Picture32(78, 71, 0xFFEEDDCC)) : 0);
        W.Finish(N);
        const uint8_t* P = static_cast<const uint8_t*>(S.Memory());
        return TBytes8(P, P + S.Size());
    };
    TDataTable F;
    F.AddItem(u"1,2,a,,A,1,,,,,,,,,a.dat,");
    F.AddItem(u"1,2,b,,B,2,,,,,,,,,b.dat,");
    Write(u"frame2.dat", F, [&](TMediaPackWriter& W) {
        F.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(Nested(true)));
        F.GetItem(1)->GetItem(15)->SetValue(W.AddZBlob(Nested(false)));
    }, 7);
    TDataTable T;
    ASSERT_TRUE(LoadNestedMediaPack(&T, FramePackFileName(2)));
    ASSERT_EQ(T.ItemCount(), 2);
    TDataTable* Frame = T.GetItem(0)->Data3().As<TDataTable>();
    ASSERT_NE(Frame, nullptr);
    ASSERT_EQ(Frame->ItemCount(), 3);
    EXPECT_FALSE(Frame->GetItem(0)->Data());
    EXPECT_EQ(Corner(Pic(Frame->GetItem(1)->Data())), 0xFF336699u);
    EXPECT_EQ(Frame->GetItem(2)->GetItem(2)->Value(), 16777215);
    TCustomBitmap32* Preview = Pic(T.GetItem(0)->Data2());
    ASSERT_NE(Preview, nullptr);
    EXPECT_EQ(Preview->Width(), 78);
    EXPECT_EQ(Corner(Preview), 0xFFEEDDCCu);
    // The outer row's preview is a copy: the nested table keeps its own.
    EXPECT_NE(Preview, Frame->Data().As<TCustomBitmap32>());
    // Without a preview the second slot holds an empty bitmap.
    ASSERT_NE(Pic(T.GetItem(1)->Data2()), nullptr);
    EXPECT_TRUE(Pic(T.GetItem(1)->Data2())->Empty());
    EXPECT_NE(T.GetItem(1)->Data3().As<TDataTable>(), nullptr);
}

TEST_F(MediaPack, DamagedPacksLeaveNothingAndAreLogged)
{
    TDataTable Good;
    Good.AddItem(u"0,,,,,,,,,,,,,,p.jpg,,");
    Good.AddItem(u"1,,,,,,,,,,,,,,q.jpg,,");
    TMemoryStream S;
    {
        TMediaPackWriter W(&S);
        Good.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(Picture32(2, 2, 0xFF000000)));
        Good.GetItem(1)->GetItem(15)->SetValue(W.AddZBlob(Picture32(2, 2, 0xFF000000)));
        W.Finish(Good);
    }
    const TBytes8 Bytes(static_cast<const uint8_t*>(S.Memory()), static_cast<const uint8_t*>(S.Memory()) + S.Size());
    const size_t BlobEnd = size_t(Good.GetItem(0)->GetItem(15)->Value() + Good.GetItem(1)->GetItem(15)->Value());

    auto Patch = [&](size_t At, std::initializer_list<uint8_t> New) {
        TBytes8 B = Bytes;
        std::copy(New.begin(), New.end(), B.begin() + At);
        return B;
    };
    auto WithTable = [&](const String& Rows) {
        // The good blobs under another table.
        TDataTable T;
        T.Init(Rows);
        TMemoryStream M;
        TMediaPackWriter W(&M);
        W.AddBlob(TBytes8(Bytes.begin(), Bytes.begin() + BlobEnd));
        W.Finish(T);
        const uint8_t* P = static_cast<const uint8_t*>(M.Memory());
        return TBytes8(P, P + M.Size());
    };
    const String L0 = IntToStr(Good.GetItem(0)->GetItem(15)->Value());
    TBytes8 Huge = Picture32(1, 1, 0);
    const int32_t Big = 100000;
    memcpy(Huge.data() + 18, &Big, 4);
    memcpy(Huge.data() + 22, &Big, 4);
    TMemoryStream HugeS;
    {
        TDataTable T;
        T.AddItem(u"0,,,,,,,,,,,,,,p.jpg,,");
        TMediaPackWriter W(&HugeS);
        T.GetItem(0)->GetItem(15)->SetValue(W.AddZBlob(Huge));
        W.Finish(T);
    }
    const struct {
        const char* What;
        TBytes8 Pack;
    } Cases[] = {
        {"three bytes", TBytes8{1, 2, 3}},
        {"truncated", TBytes8(Bytes.begin() + 10, Bytes.end())},
        {"cut before the length", TBytes8(Bytes.begin(), Bytes.end() - 1)},
        {"length too long", Patch(Bytes.size() - 4, {0xFF, 0xFF, 0x00, 0x00})},
        {"negative length", Patch(Bytes.size() - 4, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"damaged zlib", Patch(3, {0x00, 0xFF, 0x13, 0x37})},
        {"blob past the table", WithTable(u"0,,,,,,,,,,,,,,p,99999,")},
        {"negative blob", WithTable(u"0,,,,,,,,,,,,,,p,-5,")},
        {"blob length no number", WithTable(u"0,,,,,,,,,,,,,,p,x,")},
        {"blob ends early", WithTable(u"0,,,,,,,,,,,,,,p," + L0 + u",|1,,,,,,,,,,,,,,q,2,")},
        {"huge picture", TBytes8(static_cast<const uint8_t*>(HugeS.Memory()), static_cast<const uint8_t*>(HugeS.Memory()) + HugeS.Size())},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.What);
        {
            TFileStream F(Dir / u"Media\\Pattern.dat", fmCreate);
            F.WriteBuffer(C.Pack.data(), Integer(C.Pack.size()));
        }
        ClearStockErrors();
        TDataTable T;
        T.AddItem(u"old");
        EXPECT_FALSE(LoadPatternPack(&T));
        EXPECT_EQ(T.ItemCount(), 0);
        ASSERT_EQ(StockErrors().size(), 1u);
        EXPECT_NE(StockErrors()[0].find(u"Pattern.dat"), String::npos);
    }

    // Without the platform's decoders a JPEG is refused the same way.
    SetMediaPictureDecoder(nullptr);
    {
        TFileStream F(Dir / u"Media\\Pattern.dat", fmCreate);
        F.WriteBuffer(Bytes.data(), Integer(Bytes.size()));
    }
    TDataTable T;
    EXPECT_FALSE(LoadPatternPack(&T));
    EXPECT_EQ(T.ItemCount(), 0);

    // A missing pack is no error and changes nothing.
    DeleteFile(Dir / u"Media\\Pattern.dat");
    ClearStockErrors();
    T.AddItem(u"kept");
    EXPECT_FALSE(LoadPatternPack(&T));
    EXPECT_EQ(T.ItemCount(), 1);
    EXPECT_TRUE(StockErrors().empty());
}
