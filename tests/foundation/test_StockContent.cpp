// The stock content as the build makes it: every pack reads with the rows,
// blobs and picture sizes the program expects, the clip-art pack unpacks, and
// (on the build machine) a second run of the tool gives the same bytes.
// Pictures the platform decodes (JPEG, PNG) are checked here by their
// headers; the Windows test decodes them for real.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "TempFolder.h"
#include "foundation/Global.h"
#include "foundation/HyFileUtils_Pack.h"
#include "foundation/HyMediaPack.h"

namespace {

uint32_t BigEndian(const uint8_t* P, int N)
{
    uint32_t V = 0;
    for (int I = 0; I < N; ++I) V = (V << 8) | P[I];
    return V;
}

// The size a JPEG or PNG file declares, as an empty bitmap of that size.
class THeaderDecoder : public TMediaPictureDecoder {
public:
    std::unique_ptr<TCustomBitmap32> Decode(TMediaPicture Kind, const uint8_t* Data, size_t Size) override
    {
        if (Kind == mpBmp || Kind == mpBitmap32) return TMediaPictureDecoder::Decode(Kind, Data, Size);
        Integer W = -1, H = -1;
        if (Size > 24 && std::memcmp(Data, "\x89PNG\r\n\x1a\n", 8) == 0 && std::memcmp(Data + 12, "IHDR", 4) == 0) {
            W = Integer(BigEndian(Data + 16, 4));
            H = Integer(BigEndian(Data + 20, 4));
        } else if (Size > 4 && Data[0] == 0xFF && Data[1] == 0xD8 && Data[Size - 2] == 0xFF && Data[Size - 1] == 0xD9) {
            for (size_t P = 2; P + 9 < Size && Data[P] == 0xFF;) {
                if (Data[P + 1] == 0xC0) {
                    H = Integer(BigEndian(Data + P + 5, 2));
                    W = Integer(BigEndian(Data + P + 7, 2));
                    break;
                }
                P += 2 + BigEndian(Data + P + 2, 2);
            }
        }
        if (W <= 0 || H <= 0) throw EInvalidGraphic(u"not a JPEG or PNG file");
        auto B = std::make_unique<TCustomBitmap32>();
        B->SetSize(W, H);
        return B;
    }
};

class StockContent : public ::testing::Test {
protected:
    void SetUp() override
    {
        OldProgramFolder = ProgramFolder;
        ProgramFolder = Str(LM_STOCK_PROGRAM_FOLDER);
        // The packs' names are in the Chinese code page (the host takes the
        // setting; Windows keeps its own page).
        OldCodePage = AnsiCodePage();
        SetDefaultAnsiCodePage(936);
        SetMediaPictureDecoder(&Decoder);
        ClearStockErrors();
    }
    void TearDown() override
    {
        EXPECT_TRUE(StockErrors().empty());
        SetMediaPictureDecoder(nullptr);
        ProgramFolder = OldProgramFolder;
        SetDefaultAnsiCodePage(OldCodePage);
    }
    static TCustomBitmap32* Pic(TDataSlot& Slot) { return Slot.As<TCustomBitmap32>(); }
    static void ExpectSize(TCustomBitmap32* B, Integer W, Integer H, const std::string& What)
    {
        ASSERT_NE(B, nullptr) << What;
        EXPECT_EQ(B->Width(), W) << What;
        EXPECT_EQ(B->Height(), H) << What;
    }

    THeaderDecoder Decoder;
    String OldProgramFolder;
    Cardinal OldCodePage = 0;
};

}  // namespace

TEST_F(StockContent, EffectsPatternsBrushesAndPreviews)
{
    TDataTable T;
    ASSERT_TRUE(LoadEffectsPack(&T));
    ASSERT_EQ(T.ItemCount(), 28);
    EXPECT_EQ(T.GetProp(2)->Text(), u" Basic.Stylized.Color.Scene");
    if (AnsiCodePage() == 936) {
        EXPECT_EQ(T.GetProp(0)->Text(), u"基本.风格.色彩.场景");
        EXPECT_EQ(T.GetItem(25)->GetItem(2)->Text(), u"心形");
    }
    Integer Scenes = 0;
    for (Integer i = 0; i < T.ItemCount(); ++i) {
        TRow* R = T.GetItem(i);
        EXPECT_EQ(R->ItemCount(), 17);
        if (R->GetItem(14)->Text().empty()) {
            EXPECT_FALSE(R->Data2());
            continue;
        }
        ++Scenes;
        EXPECT_GE(R->GetItem(5)->Value(), 27);
        ExpectSize(Pic(R->Data2()), 640, 480, UTF8Encode(R->GetItem(14)->Text()));
    }
    EXPECT_EQ(Scenes, 6);
    EXPECT_EQ(T.GetItem(25)->GetItem(4)->Text(), u"Heart");

    ASSERT_TRUE(LoadPatternPack(&T));
    ASSERT_GE(T.ItemCount(), 12);
    for (Integer i = 0; i < T.ItemCount(); ++i) ASSERT_NE(Pic(T.GetItem(i)->Data()), nullptr);
    ExpectSize(Pic(T.GetItem(0)->Data()), 128, 128, "first pattern");

    // Brushes: a style picture (black paints) and a list tip of 32 x 32.
    ASSERT_TRUE(LoadBrushPack(&T));
    ASSERT_GE(T.ItemCount(), 5);
    for (Integer i = 0; i < T.ItemCount(); ++i) {
        TRow* R = T.GetItem(i);
        TCustomBitmap32* Style = Pic(R->Data());
        ASSERT_NE(Style, nullptr);
        EXPECT_EQ(Style->Pixel(0, 0), 0xFFFFFFFFu) << "a style's corner stays unpainted";
        ExpectSize(Pic(R->Data2()), 32, 32, "tip");
        EXPECT_GT(R->GetItem(9)->Value(), 0) << "spacing";
    }
    // The soft round brush (the default) paints in its middle.
    EXPECT_EQ(T.GetItem(1)->Data().As<TCustomBitmap32>()->Pixel(32, 32) & 0xFFFFFF, 0u);

    // Shadow and reflection previews: rows 0, 1 and 2 are used.
    ASSERT_TRUE(LoadShadowPack(&T));
    ASSERT_GE(T.ItemCount(), 3);
    ExpectSize(Pic(T.GetItem(1)->Data2()), 32, 32, "shadow");
    ASSERT_TRUE(LoadReflectionPack(&T));
    ASSERT_GE(T.ItemCount(), 3);
    ExpectSize(Pic(T.GetItem(2)->Data2()), 32, 32, "reflection");
}

TEST_F(StockContent, FramePacks)
{
    const Integer Modes[2] = {10, 16};
    for (Integer Pack = 0; Pack < 2; ++Pack) {
        TDataTable T;
        ASSERT_TRUE(LoadMediaPack(&T, FramePackFileName(Pack)));
        ASSERT_EQ(T.ItemCount(), Modes[Pack]);
        for (Integer i = 0; i < T.ItemCount(); ++i) {
            TRow* R = T.GetItem(i);
            EXPECT_EQ(R->GetItem(1)->Value(), Pack);
            EXPECT_EQ(R->GetItem(5)->Value(), i + 1);  // every frame mode once
            ExpectSize(Pic(R->Data2()), 78, 66, "frame preview");
            EXPECT_FALSE(R->Data3());
        }
    }

    TDataTable T;
    ASSERT_TRUE(LoadNestedMediaPack(&T, FramePackFileName(2)));
    ASSERT_GE(T.ItemCount(), 5);
    for (Integer i = 0; i < T.ItemCount(); ++i) {
        TRow* R = T.GetItem(i);
        ExpectSize(Pic(R->Data2()), 78, 71, "layered frame preview");
        TDataTable* Layers = R->Data3().As<TDataTable>();
        ASSERT_NE(Layers, nullptr);
        // Three layers as the frame dialog edits them: solid inside and
        // outside, a texture between them.
        ASSERT_EQ(Layers->ItemCount(), 3);
        for (Integer k = 0; k < 3; ++k) {
            TRow* L = Layers->GetItem(k);
            EXPECT_TRUE(L->GetItem(0)->AsBool());
            EXPECT_EQ(L->GetItem(1)->AsBool(), k != 1);
            EXPECT_GT(L->GetItem(10)->Value(), 0);
            EXPECT_EQ(bool(L->Data()), k == 1);
        }
        TCustomBitmap32* Tile = Layers->GetItem(1)->Data().As<TCustomBitmap32>();
        if (Layers->GetItem(1)->GetItem(3)->AsBool())  // along the sides: square, as wide as the layer
            ExpectSize(Tile, Layers->GetItem(1)->GetItem(10)->Value(), Layers->GetItem(1)->GetItem(10)->Value(), "tile");
    }

    ASSERT_TRUE(LoadGPImageMediaPack(&T, FramePackFileName(3)));
    ASSERT_GE(T.ItemCount(), 5);
    for (Integer i = 0; i < T.ItemCount(); ++i) ExpectSize(Pic(T.GetItem(i)->Data2()), 400, 300, "mask");
}

TEST_F(StockContent, ClipartsAndSamples)
{
    TTempFolder Dir;
    ASSERT_TRUE(ReadFilePack(ProgramFolder + u"Media\\Cliparts.dat", Dir.Path(), String()));
    for (const char16_t* Category : {u"0", u"1", u"2"}) {
        TSearchRec F;
        Integer Count = 0;
        if (FindFirst(Dir / (u"Media\\Cliparts\\" + String(Category) + u"\\*.png"), faAnyFile, F) == 0) {
            do ++Count;
            while (FindNext(F) == 0);
            FindClose(F);
        }
        EXPECT_GE(Count, 6) << UTF8Encode(Category);
    }
    EXPECT_GT(FileSizeOf(ProgramFolder + u"Media\\Sample.jpg"), 10000);
    EXPECT_GT(FileSizeOf(ProgramFolder + u"Media\\WMSample.png"), 1000);
}

#ifdef LM_PACKTOOL
TEST_F(StockContent, TheToolMakesTheSameBytesEveryRun)
{
    TTempFolder Dir;
    const std::string Command = std::string(LM_PACKTOOL) + " " + LM_MEDIA_SOURCES + " " + HostPath(Dir.Path());
    ASSERT_EQ(std::system(Command.c_str()), 0);
    for (const char16_t* Name : {u"Effects.dat", u"Pattern.dat", u"Brush.dat", u"Shadow.dat", u"Reflection.dat",
                                 u"frame0.dat", u"frame1.dat", u"frame2.dat", u"frame3.dat", u"Cliparts.dat",
                                 u"Sample.jpg", u"WMSample.png"}) {
        TMemoryStream A, B;
        A.LoadFromFile(ProgramFolder + u"Media\\" + Name);
        B.LoadFromFile(Dir / Name);
        ASSERT_EQ(A.Size(), B.Size()) << UTF8Encode(Name);
        EXPECT_EQ(std::memcmp(A.Memory(), B.Memory(), size_t(A.Size())), 0) << UTF8Encode(Name);
    }
}
#endif
