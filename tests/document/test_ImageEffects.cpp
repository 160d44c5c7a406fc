// Gradient blends, textures and paths, the shadow, reflection and edging
// bitmaps on an object that paints itself with the raster engine, reading
// the effect columns, and composition's order, flags and flattening.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "DocumentTestView.h"
#include "GoldenPicture.h"
#include "document/ImageCrop.h"
#include "document/ImageEffects.h"
#include "document/ImageSmall.h"
#include "framework/runtime/SysUtils.h"

namespace {
std::unique_ptr<TRow> RowOf(const String& List)
{
    auto R = std::make_unique<TRow>();
    SplitGradientList(List, *R);
    return R;
}

// An object that paints its rectangle in its fill colour at its opacity, and
// in the draw modes of the edging: a 1-pixel frame, a frame band 2 x the
// edging width, or the inside, all in its outline colour.
class TBoxShape : public TImgShape {
public:
    using TImgShape::TImgShape;
    void Draw(TCustomBitmap32* ToBitmap) override
    {
        TCustomBitmap32* B = ToBitmap ? ToBitmap : FBitmap;
        ++Draws;
        const TColor32 Line = ColorToColor32(FColor);
        switch (FDrawMode2) {
        case 1: B->FrameRectS(FRect, Line); break;
        case 2:
            for (Integer W = std::min(FGradientEdgingWidth, 50), k = -W; k < W; ++k)
                B->FrameRectS(FRect.Left + k, FRect.Top + k, FRect.Right - k, FRect.Bottom - k, Line);
            break;
        case 3: B->FillRectS(FRect, Line); break;
        default:
            B->FillRectS(FRect, (ColorToColor32(FFillColor) & 0x00FFFFFF) | (TColor32(FOpacity) << 24));
            break;
        }
    }
    Integer Draws = 0;
};

// An opaque box object at R drawing into Target.
std::unique_ptr<TBoxShape> Box(TCustomBitmap32& Target, const TRect& R, Integer Opacity = 255)
{
    auto S = std::make_unique<TBoxShape>(nullptr, 1, &Target);
    S->SetSRect(R);
    S->CalcCenterPoint();
    S->SetOpacity(Opacity);
    return S;
}

struct EffectsHooksGuard {
    TImageEffectsHooks SavedEffects = ImageEffectsHooks;
    TImageDrawHooks SavedDraw = ImageDrawHooks;
    ~EffectsHooksGuard()
    {
        ImageEffectsHooks = SavedEffects;
        ImageDrawHooks = SavedDraw;
        ClearTextureTable();
    }
};
}  // namespace

// ---------------------------------------------------------------------------
// Gradient blends

TEST(GradientBlend, StopsAlphasAndPositions)
{
    struct Case {
        const char* Name;
        const char16_t *Colors, *Opacities, *Positions;
        Integer Opacity;
        std::vector<TColor32> WantColors;
        std::vector<Single> WantPositions;
    };
    const Case Cases[] = {
        // Two stops inside the range gain one at each end.
        {"inner stops", u"255/16711680", u"100/100", u"0.2/0.8", 255,
         {0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF}, {0, 0.2f, 0.8f, 1}},
        {"exact ends", u"255/16711680", u"100/100", u"0/1", 255, {0xFFFF0000, 0xFF0000FF}, {0, 1}},
        // "0.0" is not the text "0": a leading stop is added.
        {"0.0 is not 0", u"255/16711680", u"100/100", u"0.0/1", 255, {0xFFFF0000, 0xFFFF0000, 0xFF0000FF},
         {0, 0, 1}},
        // Round(127.5) = 128; at object opacity 128, 64.
        {"half at 255", u"0/0", u"50/50", u"0/1", 255, {0x80000000, 0x80000000}, {0, 1}},
        {"half at 128", u"0/0", u"50/50", u"0/1", 128, {0x40000000, 0x40000000}, {0, 1}},
        {"fore and back are black", u"ForeColor/BackColor", u"100/100", u"0/1", 255, {0xFF000000, 0xFF000000},
         {0, 1}},
        // Lists of different lengths in a damaged document: the shortest wins.
        {"short opacity list", u"255/65280/16711680", u"100", u"0/0.5/1", 255, {0xFFFF0000, 0xFFFF0000}, {0, 1}},
        {"short position list", u"255/65280/16711680", u"100/100/100", u"0/0.5", 255,
         {0xFFFF0000, 0xFF00FF00, 0xFF00FF00}, {0, 0.5f, 1}},
        {"comma position", u"255/16711680", u"100/100", u"0/0,5", 255, {0xFFFF0000, 0xFF0000FF, 0xFF0000FF},
         {0, 0.5f, 1}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        std::vector<TColor32> Colors{1, 2, 3};
        std::vector<Single> Positions{9};
        BuildGradientBlend(*RowOf(C.Colors), *RowOf(C.Opacities), *RowOf(C.Positions), C.Opacity, Colors, Positions,
                           0, 0);
        EXPECT_EQ(Colors, C.WantColors);
        EXPECT_EQ(Positions, C.WantPositions);
    }
}

TEST(GradientBlend, EmptyListsGiveNoStops)
{
    std::vector<TColor32> Colors{1};
    std::vector<Single> Positions{1};
    TRow Empty;
    BuildGradientBlend(Empty, *RowOf(u"100"), *RowOf(u"0"), 255, Colors, Positions, 0, 0);
    EXPECT_TRUE(Colors.empty());
    EXPECT_TRUE(Positions.empty());
}

TEST(GradientBlend, HatchStyles)
{
    const std::pair<Integer, Integer> Cases[] = {{0, 0}, {9, 9}, {10, 18}, {44, 52}};
    for (auto [Pattern, Style] : Cases) EXPECT_EQ(GdiHatchStyle(Pattern), Style) << Pattern;
}

// ---------------------------------------------------------------------------
// Textures

TEST(Texture, OnlyLocalPaths)
{
    EffectsHooksGuard Guard;
    const std::pair<const char16_t*, bool> Cases[] = {
        {u"C:\\Pictures\\wood.png", true},
        {u"wood.png", true},
        {u"/tmp/wood.png", true},
        {u"\\\\server\\share\\wood.png", false},
        {u"//server/share/wood.png", false},
        {u"\\/server\\share\\wood.png", false},
        {u"\\\\?\\UNC\\server\\share\\wood.png", false},
        {u"\\\\.\\pipe\\wood", false},
        {u"\\??\\C:\\wood.png", false},
        {u"http://example/wood.png", false},
        {u"C:\\Pictures\\CON", false},
        {u"C:\\Pictures\\nul.png", false},
        {u"com1.bmp", false},
        {u"lpt9", false},
        {u"C:\\Pictures\\com10.png", true},
        {u"", false},
    };
    for (auto [Path, Local] : Cases) EXPECT_EQ(IsLocalFilePath(Path), Local) << UTF8Encode(Path);
    // A drive the platform reports as remote is not local either.
    ImageEffectsHooks.IsRemoteDrive = [](const String& F) { return F.starts_with(u"Z:"); };
    EXPECT_FALSE(IsLocalFilePath(u"Z:\\wood.png"));
    EXPECT_TRUE(IsLocalFilePath(u"C:\\wood.png"));
}

TEST(Texture, RegisteredOnceFromLocalPictures)
{
    EffectsHooksGuard Guard;
    static Integer Decodes = 0;
    Decodes = 0;
    ImageDrawHooks.LoadPicture = [](const String& FileName) {
        ++Decodes;
        auto B = std::make_unique<TCustomBitmap32>();
        if (!FileName.ends_with(u"empty.bmp")) B->SetSize(2, 2);
        return B;
    };
    const auto Dir = std::filesystem::temp_directory_path() /
                     ("lm_texture_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(Dir);
    auto Cleanup = ScopeExit([&] { std::filesystem::remove_all(Dir); });
    auto Path = [&](const char* Name) { return UTF8ToString((Dir / Name).string()); };
    auto Write = [&](const char* Name, const std::string& Bytes) {
        std::ofstream(Dir / Name, std::ios::binary) << Bytes;
        return Path(Name);
    };
    // A real 2 x 2 picture file, and one whose header claims 100000 x 100000.
    TCustomBitmap32 Tile;
    Tile.SetSize(2, 2);
    Tile.SaveToFile(Path("wood.bmp"), false);
    const String Wood = Path("wood.bmp");
    Tile.SaveToFile(Path("empty.bmp"), false);
    const String Empty = Path("empty.bmp");
    std::string Huge;
    {
        std::ifstream In(Dir / "wood.bmp", std::ios::binary);
        Huge.assign(std::istreambuf_iterator<char>(In), {});
    }
    ASSERT_GT(Huge.size(), 26u);
    for (size_t Offset : {size_t(18), size_t(22)}) {
        const uint32_t V = 100000;
        for (size_t k = 0; k < 4; ++k) Huge[Offset + k] = static_cast<char>((V >> (8 * k)) & 0xFF);
    }
    const String Large = Write("large.bmp", Huge);

    const Integer Row = RegisterTexture(Wood);
    ASSERT_EQ(Row, 0);
    TRow* R = TextureTable().GetItem(Row);
    EXPECT_EQ(R->ItemCount(), 6);
    EXPECT_EQ(R->GetItem(0)->Text(), Wood);
    auto* Bytes = R->Data().As<TMemoryStream>();
    ASSERT_NE(Bytes, nullptr);
    EXPECT_EQ(Bytes->Size(), FileSizeOf(Wood));
    // Looked up, not reread.
    EXPECT_EQ(RegisterTexture(Wood), Row);
    EXPECT_EQ(Decodes, 1);

    EXPECT_EQ(RegisterTexture(Empty), -1);                           // decodes to nothing
    EXPECT_EQ(RegisterTexture(Large), -1);                           // never decoded
    EXPECT_EQ(RegisterTexture(Write("text.png", "not a picture")), -1);
    EXPECT_EQ(RegisterTexture(Write("zero.png", "")), -1);
    EXPECT_EQ(RegisterTexture(Path("missing.png")), -1);
    EXPECT_EQ(RegisterTexture(u"\\\\server\\share\\wood.bmp"), -1);  // never reached
    EXPECT_EQ(Decodes, 2);
    EXPECT_EQ(TextureTable().ItemCount(), 1);
}

// ---------------------------------------------------------------------------
// Effect bitmaps

TEST(EffectBitmaps, ReflectionFadeOut)
{
    TCustomBitmap32 B;
    B.SetSize(3, 100);
    B.Clear(0xFF102030);
    B.SetPixel(1, 25, 0x00102030);
    FadeReflection(B, 50);  // L = 50, k = 5.1
    EXPECT_EQ(AlphaOf(B.Pixel(0, 0)), 255);
    EXPECT_EQ(AlphaOf(B.Pixel(0, 25)), 255 - 128);
    EXPECT_EQ(AlphaOf(B.Pixel(1, 25)), 0);  // a transparent pixel stays so
    EXPECT_EQ(AlphaOf(B.Pixel(0, 49)), 255 - 250);
    for (Integer y : {50, 51, 99}) EXPECT_EQ(AlphaOf(B.Pixel(2, y)), 0) << y;
    EXPECT_EQ(B.Pixel(0, 25) & 0xFFFFFF, 0x102030u);

    TCustomBitmap32 Same;
    Same.SetSize(2, 10);
    Same.Clear(0xFF000000);
    FadeReflection(Same, 0);
    FadeReflection(Same, -20);
    EXPECT_EQ(AlphaOf(Same.Pixel(1, 9)), 255);
}

TEST(EffectBitmaps, ShadowZoomGrowth)
{
    const std::tuple<Integer, Integer, Integer> Cases[] = {{101, 0, 0}, {101, 10, 4}, {100, 10, 4}, {120, 10, 6},
                                                           {101, -10, -5}};  // a shrink: -5 mod 2 is -1, kept
    for (auto [Size, Zoom, Growth] : Cases) EXPECT_EQ(ShadowZoomGrowth(Size, Zoom), Growth) << Size << " " << Zoom;
}

TEST(EffectBitmaps, ShadowOfAnUnrotatedObject)
{
    // 83 wide, outline at most 1, no blur: E = 9, so the scratch is 101 wide.
    TCustomBitmap32 Target;
    Target.SetSize(300, 200);
    auto SPtr = Box(Target, {50, 40, 133, 80});
    TBoxShape& S = *SPtr;
    S.SetFillColor(0x0000FF);
    S.SetOpacity(255);
    S.SetOutWidth(1);
    S.SetShadowMode(0);
    S.SetShadowColor(0xFF0000);  // blue
    S.SetShadowOpacity(128);
    S.SetShadowZoomValue(10);
    S.SetShadowDistance(10);
    S.SetShadowAngle(90);
    S.PrepareShadow();
    ASSERT_NE(S.ShadowBmp(), nullptr);
    EXPECT_EQ(S.ShadowExtendLength(), 9);
    EXPECT_EQ(S.ShadowOffsetZoomLeft(), 4);
    EXPECT_EQ(S.ShadowBmp()->Width(), 101 + 8);
    EXPECT_EQ(S.ShadowOffsetAngleLeft(), 0);
    EXPECT_EQ(S.ShadowOffsetAngleTop(), 10);
    EXPECT_EQ(S.ShadowBmp()->MasterAlpha(), 128u);
    // The object is back where it was, and its shadow is blue.
    EXPECT_EQ(S.SRect(), (TRect{50, 40, 133, 80}));
    EXPECT_EQ(S.ShadowBmp()->Pixel(54, 31) & 0xFFFFFF, 0x0000FFu);

    // Drawn below the object: 10 pixels down, grown 4 on each side.
    Target.Clear(0xFFFFFFFF);
    S.DrawShadow(nullptr);
    const TColor32 Half = Target.Pixel(60, 85);  // half blue over white
    EXPECT_EQ(Half & 0xFF, 0xFFu);
    EXPECT_NEAR(static_cast<int>((Half >> 16) & 0xFF), 0x7F, 1);
    EXPECT_EQ(Target.Pixel(60, 95), 0xFFFFFFFF);
    EXPECT_EQ(Target.Pixel(20, 60), 0xFFFFFFFF);

    // Unchanged objects reuse their shadow; a negative offset gains 1.
    S.SetChanged2(false);
    const Integer Draws = S.Draws;
    S.PrepareShadow();
    EXPECT_EQ(S.Draws, Draws);
    S.SetChanged2(true);
    S.SetShadowAngle(180);
    S.SetShadowZoomValue(0);
    S.PrepareShadow();
    EXPECT_EQ(S.ShadowOffsetAngleLeft(), -9);
    EXPECT_EQ(S.ShadowBmp()->Width(), 101);
}

TEST(EffectBitmaps, ReflectionAndShadowReflection)
{
    TCustomBitmap32 Target;
    Target.SetSize(200, 200);
    Target.Clear(0xFFFFFFFF);
    auto SPtr = Box(Target, {20, 20, 60, 60});
    TBoxShape& S = *SPtr;
    S.SetFillColor(0x000000);
    S.SetOpacity(255);
    S.SetReflectMode(0);
    S.SetReflectOpacity(255);
    S.SetReflectHeight(100);
    S.SetReflectDistance(0);
    S.DrawReflection(nullptr);
    ASSERT_NE(S.ReflectBmp(), nullptr);
    EXPECT_EQ(S.ReflectExtendLength(), 9);
    // The mirrored object starts at the bottom edge and fades downwards.
    const TColor32 Near = Target.Pixel(40, 60), Far = Target.Pixel(40, 85);
    EXPECT_LT(Near & 0xFF, 0x40u);
    EXPECT_GT(Far & 0xFF, Near & 0xFF);
    EXPECT_EQ(Target.Pixel(40, 110), 0xFFFFFFFF);

    // The shadow's reflection needs the shadow: off, nothing is drawn.
    S.DrawShadowReflection(nullptr);
    EXPECT_EQ(S.ShadowReflectBmp(), nullptr);
    S.SetShadowMode(0);
    S.SetShadowOpacity(200);
    S.PrepareShadow();
    S.DrawShadowReflection(nullptr);
    ASSERT_NE(S.ShadowReflectBmp(), nullptr);
    EXPECT_EQ(S.ShadowReflectBmp()->MasterAlpha(), 200u);
    S.SetShadowMode(-1);
    Target.Clear(0xFFFFFFFF);
    S.DrawShadowReflection(nullptr);
    EXPECT_EQ(Target.Pixel(40, 62), 0xFFFFFFFF);
}

TEST(EffectBitmaps, EdgingGlowFadesInwards)
{
    TCustomBitmap32 Target;
    Target.SetSize(100, 100);
    auto SPtr = Box(Target, {10, 10, 50, 50});
    TBoxShape& S = *SPtr;
    S.SetColor(0x00FF00);
    S.SetOpacity(200);
    S.SetIsOutline(true);
    S.SetGradientMode(0);
    S.SetGradientFillMode(3);
    S.SetGradientEdgingWidth(10);
    S.PrepareGradientEdging();
    TCustomBitmap32* G = S.GradientEdgingBmp();
    ASSERT_NE(G, nullptr);
    EXPECT_EQ(S.GradientEdgingExtendLength(), 1);
    EXPECT_EQ(S.DrawMode2(), 0);
    EXPECT_EQ(G->Width(), 42);
    EXPECT_EQ(G->MasterAlpha(), 100u);
    // The object's left edge is column 1 of the glow; row 21 is mid-height.
    // 255 - Round(d * 25.5), ties to even: d = 1 loses 26, d = 5 loses 128.
    const std::pair<Integer, Integer> Alphas[] = {{1, 255}, {2, 229}, {6, 127}, {11, 0}, {21, 0}, {0, 0}};
    for (auto [X, A] : Alphas) EXPECT_EQ(AlphaOf(G->Pixel(X, 21)), A) << X;
    EXPECT_EQ(G->Pixel(2, 21) & 0xFFFFFF, 0x00FF00u);

    // Only for the edging kind with an outline.
    auto PlainPtr = Box(Target, {10, 10, 50, 50});
    TBoxShape& Plain = *PlainPtr;
    Plain.SetGradientMode(0);
    Plain.SetGradientFillMode(0);
    Plain.SetIsOutline(true);
    Plain.PrepareGradientEdging();
    EXPECT_EQ(Plain.GradientEdgingBmp(), nullptr);
}

TEST(EffectBitmaps, HostileSettingsAreBounded)
{
    // Settings of a document made elsewhere: no hang, no huge bitmap, no overflow.
    TCustomBitmap32 Target;
    Target.SetSize(100, 100);
    struct Case {
        const char* Name;
        TRect R;
        Integer Blur, Zoom, Distance, OutWidth, ReflectHeight;
        bool Shadow;
    };
    const Case Cases[] = {
        {"endless blur", {10, 10, 30, 30}, 2147483647, 0, 0, 1, 50, true},
        {"giant zoom", {10, 10, 30, 30}, 0, 2147483647, 0, 1, 50, false},
        {"shrunk to nothing", {10, 10, 30, 30}, 0, -1000, 0, 1, 50, false},
        {"far distance", {10, 10, 30, 30}, 0, 0, 2147483647, 1, 2147483647, true},
        {"giant object", {-1000000000, -1000000000, 1000000000, 1000000000}, 0, 0, 0, 1, 50, false},
        {"giant outline", {10, 10, 30, 30}, 0, 0, 0, 2147483647, -2147483647, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        auto SPtr = Box(Target, C.R);
        TBoxShape& S = *SPtr;
        S.SetOutWidth(C.OutWidth);
        S.SetShadowMode(0);
        S.SetReflectMode(0);
        S.SetShadowBlurSize(C.Blur);
        S.SetReflectBlurSize(C.Blur);
        S.SetShadowZoomValue(C.Zoom);
        S.SetShadowDistance(C.Distance);
        S.SetReflectHeight(C.ReflectHeight);
        S.SetGradientMode(0);
        S.SetGradientFillMode(3);
        S.SetIsOutline(true);
        S.SetGradientEdgingWidth(2147483647);
        S.PrepareGradientEdging();
        S.PrepareShadow();
        S.DrawShadowReflection(nullptr);
        S.DrawReflection(nullptr);
        S.DrawShadow(nullptr);
        EXPECT_EQ(!S.ShadowBmp()->Empty(), C.Shadow);
        EXPECT_LE(Int64(S.ShadowBmp()->Width()) * S.ShadowBmp()->Height(), Int64(64) << 20);
        EXPECT_LE(Int64(S.ReflectBmp()->Width()) * S.ReflectBmp()->Height(), Int64(64) << 20);
    }
}

// ---------------------------------------------------------------------------
// Reading the effect columns

TEST(EffectColumns, LongAndShortRows)
{
    TRow Long;
    Long.Init(std::vector<String>(100));
    const std::pair<Integer, const char16_t*> Cells[] = {
        {14, u"255"}, {15, u"65280"}, {16, u"200"}, {18, u"3"}, {20, u"-1"}, {21, u"0"}, {22, u"2"},
        {27, u"4"}, {28, u"-1"}, {29, u"1"}, {70, u"45"}, {71, u"12"}, {72, u"10"}, {73, u"2"},
        {74, u"8421504"}, {75, u"150"}, {76, u"-1"}, {81, u"5"}, {83, u"1"}, {85, u"90"}, {86, u"60"},
        {87, u"10"}, {88, u"255"}, {89, u"0"}, {90, u"255/0"}, {91, u"100/50"}, {92, u"0/1"}, {95, u"5"},
        {96, u"30"}, {97, u"C:\\a\\wood\\,1.png"}, {98, u"0"}, {99, u"-1"}};
    for (auto [I, T] : Cells) Long.GetItem(I)->SetText(T);
    TImgShape S(nullptr, 1, nullptr);
    S.SetChanged2(false);
    S.ReadEffectColumns(Long);
    EXPECT_EQ(S.Color(), 255);
    EXPECT_EQ(S.FillColor(), 65280);
    EXPECT_EQ(S.Opacity(), 200);
    EXPECT_EQ(S.OutWidth(), 3);
    EXPECT_TRUE(S.IsOutline());
    EXPECT_FALSE(S.IsFill());
    EXPECT_EQ(S.PenStyle(), 2);
    EXPECT_EQ(S.ShadowMode(), 4);
    EXPECT_EQ(S.ReflectMode(), -1);
    EXPECT_EQ(S.GradientMode(), 1);
    EXPECT_EQ(S.ShadowAngle(), 45);
    EXPECT_EQ(S.ShadowDistance(), 12);
    EXPECT_EQ(S.ShadowZoomValue(), 10);
    EXPECT_EQ(S.ShadowBlurSize(), 2);
    EXPECT_EQ(S.ShadowColor(), 8421504);
    EXPECT_EQ(S.ShadowOpacity(), 150);
    EXPECT_TRUE(S.ShadowInner());
    EXPECT_EQ(S.ReflectDistance(), 5);
    EXPECT_EQ(S.ReflectBlurSize(), 1);
    EXPECT_EQ(S.ReflectOpacity(), 90);
    EXPECT_EQ(S.ReflectHeight(), 60);
    EXPECT_EQ(S.GradientHatchMode(), 10);
    EXPECT_EQ(S.GradientHatchForeColor(), 255);
    EXPECT_EQ(S.GradientColor(), u"255/0");
    EXPECT_EQ(S.GradientOpacity(), u"100/50");
    EXPECT_EQ(S.GradientPosition(), u"0/1");
    EXPECT_EQ(S.GradientFillMode(), 5);
    EXPECT_EQ(S.GradientLinearAngle(), 30);
    EXPECT_EQ(S.GradientTextureFileName(), TImageDraw::ConvertCellEscapes(u"C:\\a\\wood\\,1.png", true));
    EXPECT_EQ(S.GradientEdgingWidth(), 15);  // a stored 0
    EXPECT_TRUE(S.GradientGammaCorrected());
    EXPECT_TRUE(S.Changed2());

    // A row of 70 cells or fewer leaves the later settings alone; a row cut
    // short reads its missing cells as empty.
    TRow Short;
    Short.Init(u"1,3,,0,0,,,,,,,,,,255,,100", u',');
    TImgShape T(nullptr, 2, nullptr);
    T.SetShadowDistance(7);
    T.ReadEffectColumns(Short);
    EXPECT_EQ(T.Opacity(), 100);
    EXPECT_EQ(T.ShadowMode(), 0);
    EXPECT_EQ(T.ShadowDistance(), 7);
    EXPECT_EQ(T.GradientEdgingWidth(), 15);

    // Cells that are no numbers read as 0 and false instead of raising.
    TRow Damaged;
    Damaged.Init(std::vector<String>(100, u"x1"));
    TImgShape D(nullptr, 3, nullptr);
    D.ReadEffectColumns(Damaged);
    EXPECT_EQ(D.Opacity(), 0);
    EXPECT_FALSE(D.IsOutline());
    EXPECT_EQ(D.GradientEdgingWidth(), 15);
}

// ---------------------------------------------------------------------------
// Composition

namespace {
class TFakeCrop : public TImgShape, public TCropPicture {
public:
    using TImgShape::TImgShape;
    TCustomBitmap32* AdjustSrcBmp() const override { return Dimmed.get(); }
    std::unique_ptr<TCustomBitmap32> Dimmed = std::make_unique<TCustomBitmap32>();
};

class Composition : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 120, 80, false, 0x808080);
        Doc->InitBitmap();
    }
    template <class T = TBoxShape>
    T* Add(Integer Id, TShapeType Kind, const TRect& R, TColor Fill)
    {
        TRow* Row = Doc->DT()->AddItem(u",,,,,,,,,,,,,");
        Row->GetItem(ObjCol::Id)->SetValue(Id);
        Row->GetItem(ObjCol::Kind)->SetValue(Kind);
        auto S = std::make_unique<T>(Doc.get(), Id, nullptr);
        S->SetShapeType(Kind);
        S->SetSRect(R);
        S->CalcCenterPoint();
        S->SetFillColor(Fill);
        S->SetOpacity(255);
        S->SetCreating(false);
        T* P = S.get();
        Row->Data().Own(std::move(S));
        return P;
    }
    TColor32 At(Integer X, Integer Y) { return Doc->Bitmap()->Pixel(X, Y); }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
};
}  // namespace

TEST_F(Composition, LayersInTableOrderWithEffectsBelow)
{
    TBoxShape* Lower = Add(1, shRectangle, {10, 10, 50, 50}, 0x0000FF);
    Lower->SetShadowMode(0);
    Lower->SetShadowColor(0x000000);
    Lower->SetShadowOpacity(255);
    Lower->SetShadowDistance(20);
    Add(2, shRectangle, {40, 20, 70, 40}, 0x00FF00);
    Add(3, shRectangle, {80, 10, 90, 20}, 0xFF0000)->SetHided(true);
    Doc->Draw();
    EXPECT_EQ(At(5, 5), 0xFF808080);     // the raster
    EXPECT_EQ(At(20, 20), 0xFFFF0000);   // the lower object
    EXPECT_EQ(At(45, 30), 0xFF00FF00);   // the upper one over it
    EXPECT_TRUE(NearColour(At(55, 45), 0xFF000000));  // the shadow, 20 to the right
    EXPECT_EQ(At(85, 15), 0xFF808080);   // hidden
    EXPECT_FALSE(Lower->Changed2());
}

TEST_F(Composition, NoEffectsWhileAdjusting)
{
    TBoxShape* S = Add(1, shRectangle, {10, 10, 50, 50}, 0x0000FF);
    S->SetShadowMode(0);
    S->SetShadowOpacity(255);
    S->SetShadowDistance(20);
    S->SetAdjusting(true);
    Doc->Draw();
    EXPECT_EQ(At(20, 20), 0xFFFF0000);
    EXPECT_EQ(At(55, 45), 0xFF808080);
    EXPECT_TRUE(S->Changed2());  // rebuilt once the drag ends
    EXPECT_EQ(S->ShadowBmp(), nullptr);
    S->SetAdjusting(false);
    Doc->Draw();
    EXPECT_TRUE(NearColour(At(55, 45), 0xFF000000));
    EXPECT_FALSE(S->Changed2());
}

TEST_F(Composition, CropFrameDimsOutsideOnlyForStyleZero)
{
    TFakeCrop* Crop = Add<TFakeCrop>(9, shCrop, {20, 20, 60, 60}, 0);
    Crop->Dimmed->SetSize(120, 80);
    Crop->Dimmed->Clear(0xFF404040);
    Doc->SetCurrentShape(9);
    Doc->Draw();
    EXPECT_EQ(At(5, 5), 0xFF404040);
    EXPECT_EQ(At(30, 30), 0xFF808080);
    EXPECT_EQ(At(60, 60), 0xFF404040);
    Crop->SetStyleId(1);
    Doc->Draw();
    EXPECT_EQ(At(5, 5), 0xFF808080);
}

namespace {
// A box that lets composition keep its picture.
class TPictureBox : public TBoxShape {
public:
    using TBoxShape::TBoxShape;
    TRect PictureBounds() override { return FRect; }
    bool CachesPicture() const override { return true; }
};
}  // namespace

TEST_F(Composition, UnchangedObjectsAreDrawnFromTheirPicture)
{
    TPictureBox* S = Add<TPictureBox>(1, shRectangle, {10, 10, 50, 50}, 0x0000FF);
    Doc->Draw();
    EXPECT_EQ(S->Draws, 1);
    ASSERT_NE(S->Picture(), nullptr);
    EXPECT_TRUE(NearColour(At(20, 20), 0xFFFF0000));  // blended: a step may go
    Doc->Draw();  // unchanged: blended, not drawn
    EXPECT_EQ(S->Draws, 1);
    EXPECT_TRUE(NearColour(At(20, 20), 0xFFFF0000));  // blended: a step may go

    // A change marked as every change is: drawn again.
    S->SetFillColor(0x00FF00);
    S->SetChanged2(true);
    Doc->Draw();
    EXPECT_EQ(S->Draws, 2);
    EXPECT_TRUE(NearColour(At(20, 20), 0xFF00FF00));

    // Moved by a drag: drawn on every step, without a picture.
    S->SetAdjusting(true);
    S->OffsetShape(30, 0);
    Doc->Draw();
    Doc->Draw();
    EXPECT_EQ(S->Draws, 4);
    EXPECT_EQ(S->Picture(), nullptr);
    EXPECT_EQ(At(20, 20), 0xFF808080);
    EXPECT_EQ(At(50, 20), 0xFF00FF00);
    S->SetAdjusting(false);
    Doc->Draw();
    EXPECT_EQ(S->Draws, 5);
    EXPECT_NE(S->Picture(), nullptr);

    // Too large a picture is not kept: drawn directly every time.
    TPictureBox* Huge = Add<TPictureBox>(2, shRectangle, {-2000, -2000, 2000, 2000}, 0xFF0000);
    Doc->Draw();
    Doc->Draw();
    EXPECT_EQ(Huge->Draws, 2);
    EXPECT_EQ(Huge->Picture(), nullptr);
}

TEST_F(Composition, FlattenBurnsAndDeletes)
{
    TBoxShape* A = Add(1, shRectangle, {10, 10, 20, 20}, 0x0000FF);
    Add(2, shRectangle, {30, 10, 40, 20}, 0x00FF00);
    Integer Changes = 0;
    Doc->OnChanged = [&](TObject*) { ++Changes; };

    // Nothing selected: nothing deleted, still changed.
    Doc->Flatten(false);
    EXPECT_EQ(Doc->DT()->ItemCount(), 2);
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Doc->SrcBmpChanged());

    A->Select();
    Doc->SetCurrentShape(1);
    Doc->Flatten(false);
    EXPECT_EQ(Doc->DT()->ItemCount(), 1);
    EXPECT_EQ(Doc->Shape(), nullptr);
    EXPECT_EQ(Doc->ObjectSelectedCount(), 0);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(15, 15), 0xFFFF0000);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(35, 15), 0xFF808080);

    Doc->Flatten(true);
    EXPECT_EQ(Doc->DT()->ItemCount(), 0);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(35, 15), 0xFF00FF00);
    // Each flatten reports a change; one that deletes objects reports their deletion too.
    EXPECT_EQ(Changes, 5);
}

TEST_F(Composition, FlattenSelection)
{
    Integer Changes = 0;
    Doc->OnChanged = [&](TObject*) { ++Changes; };
    Doc->FlattenSelection();  // none: nothing at all
    EXPECT_EQ(Changes, 0);
    EXPECT_FALSE(Doc->SrcBmpChanged());

    // A selection with nothing lifted draws nothing and still marks the raster.
    TImgShape* Empty = nullptr;
    {
        TRow* Row = Doc->DT()->AddItem(u"5,14,,0,0");
        auto S = std::make_unique<TImgShape>(Doc.get(), 5, nullptr);
        S->SetShapeType(shSelection);
        Empty = S.get();
        Row->Data().Own(std::move(S));
    }
    ASSERT_NE(Empty, nullptr);
    Doc->FlattenSelection();
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Doc->SrcBmpChanged());
    EXPECT_EQ(Doc->SrcBmp()->Pixel(10, 10), 0xFF808080);
    EXPECT_EQ(Doc->DT()->ItemCount(), 1);  // the selection stays
}

TEST_F(Composition, EmptyTableGivesRasterAndWatermark)
{
    Doc->Draw();
    EXPECT_EQ(At(0, 0), 0xFF808080);
    EXPECT_EQ(At(119, 79), 0xFF808080);
}

// ---------------------------------------------------------------------------
// Recorded paths

TEST(ShapePath, RecordsFiguresInOrder)
{
    TShapePath P;
    EXPECT_TRUE(P.Empty());
    P.StartFigure();
    P.AddArc(1, 2, 8, 8, 180, 90);
    P.AddLine(5, 5, 5, 5);
    P.AddPolygon({{0, 0}, {4, 0}, {4, 4}});
    P.CloseFigure();
    ASSERT_EQ(P.Items().size(), 5u);
    using TOp = TShapePath::TOp;
    EXPECT_EQ(P.Items()[0].Op, TOp::StartFigure);
    EXPECT_EQ(P.Items()[1].Op, TOp::Arc);
    EXPECT_EQ(P.Items()[1].Start, 180);
    EXPECT_EQ(P.Items()[1].Sweep, 90);
    EXPECT_EQ(P.Items()[2].Op, TOp::Lines);
    EXPECT_EQ(P.Items()[2].Points.size(), 2u);
    EXPECT_EQ(P.Items()[3].Points.size(), 3u);
    EXPECT_EQ(P.Items()[4].Op, TOp::CloseFigure);
}
