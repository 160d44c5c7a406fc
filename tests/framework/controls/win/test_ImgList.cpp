// Image lists: adding in every way, drawing with alpha, reading images back,
// reordering, links of the controls, and no handles left behind.
#include "GuiTest.h"
#include "HandleCount.h"

#include "framework/controls/win/ImgList.h"

using namespace guitest;

namespace {

// A W x H 32-bit picture filled by F(x, y) -> 0xAARRGGBB.
template <class F>
std::unique_ptr<TBitmap> Picture(Integer W, Integer H, F Fill, TAlphaFormat Alpha = afDefined)
{
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf32bit);
    b->SetSize(W, H);
    for (Integer y = 0; y < H; ++y) {
        auto row = static_cast<uint32_t*>(b->ScanLine(y));
        for (Integer x = 0; x < W; ++x) row[x] = Fill(x, y);
    }
    b->SetAlphaFormat(Alpha);
    return b;
}

uint32_t PixelOf(TBitmap& B, Integer X, Integer Y)
{
    return static_cast<const uint32_t*>(B.ScanLine(Y))[X];
}

// The colour of one image, read back through GetBitmap at (X, Y).
uint32_t ImagePixel(TCustomImageList& L, Integer Index, Integer X = 0, Integer Y = 0)
{
    TBitmap b;
    EXPECT_TRUE(L.GetBitmap(Index, &b));
    return PixelOf(b, X, Y);
}

TEST(ImgList, AddCutsWidePicturesAndKeepsStraightAlpha)
{
    TImageList list(nullptr, 4, 4);
    EXPECT_EQ(list.Count(), 0);
    // Three images side by side: red, green, and a half-transparent blue.
    auto wide = Picture(12, 4, [](Integer x, Integer) -> uint32_t {
        return x < 4 ? 0xFFFF0000 : x < 8 ? 0xFF00FF00 : 0x800000FF;
    });
    EXPECT_EQ(list.Add(wide.get()), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(ImagePixel(list, 0), 0xFFFF0000u);
    EXPECT_EQ(ImagePixel(list, 1), 0xFF00FF00u);
    EXPECT_EQ(ImagePixel(list, 2), 0x800000FFu);
    // A premultiplied picture is taken as its straight colours.
    auto pre = Picture(4, 4, [](Integer, Integer) -> uint32_t { return 0x80400000; }, afPremultiplied);
    EXPECT_EQ(list.Add(pre.get()), 3);
    EXPECT_EQ(ImagePixel(list, 3), 0x80800000u);  // 0x40 * 255 / 0x80 = 127.5, rounded up
    // A narrower picture is padded with transparency, one image.
    auto narrow = Picture(2, 4, [](Integer, Integer) -> uint32_t { return 0xFF123456; });
    EXPECT_EQ(list.Add(narrow.get()), 4);
    EXPECT_EQ(ImagePixel(list, 4, 1, 0), 0xFF123456u);
    EXPECT_EQ(ImagePixel(list, 4, 3, 0) >> 24, 0u);
    EXPECT_FALSE(list.GetBitmap(5, nullptr));
    TBitmap untouched;
    EXPECT_FALSE(list.GetBitmap(-1, &untouched));
    EXPECT_TRUE(untouched.Empty());
}

TEST(ImgList, MasksFromAColourOrABitmapMakePixelsTransparent)
{
    TImageList list(nullptr, 4, 4);
    // A picture with no alpha: magenta is the key, bottom-left is magenta.
    auto keyed = Picture(4, 4, [](Integer x, Integer) -> uint32_t { return x < 2 ? 0x00FF00FF : 0x0000FF00; },
                         afIgnored);
    struct Case {
        const char* Name;
        std::function<Integer()> Add;
    } cases[] = {
        {"named colour", [&] { return list.AddMasked(keyed.get(), RGB(0xFF, 0x00, 0xFF)); }},
        {"bottom-left colour", [&] { return list.AddMasked(keyed.get(), clDefault); }},
        {"mask bitmap", [&] {
             auto mask = Picture(4, 4, [](Integer x, Integer) -> uint32_t { return x < 2 ? 0xFFFFFF : 0; }, afIgnored);
             return list.Add(keyed.get(), mask.get());
         }},
    };
    for (const Case& c : cases) {
        Integer i = c.Add();
        ASSERT_GE(i, 0) << c.Name;
        EXPECT_EQ(ImagePixel(list, i, 0, 0) >> 24, 0u) << c.Name;
        EXPECT_EQ(ImagePixel(list, i, 3, 3), 0xFF00FF00u) << c.Name;
    }
}

TEST(ImgList, DrawBlendsByAlphaAndADisabledImageIsGreyAndFainter)
{
    TImageList list(nullptr, 4, 4);
    list.Add(Picture(4, 4, [](Integer x, Integer) -> uint32_t { return x < 2 ? 0xFFFF0000 : 0x00000000; }).get());
    list.Add(Picture(4, 4, [](Integer, Integer) -> uint32_t { return 0x800000FF; }).get());
    TDib dib(16, 4);
    PatBlt(dib.DC(), 0, 0, 16, 4, WHITENESS);
    TCanvas canvas;
    canvas.SetHandle(dib.DC());
    list.Draw(&canvas, 0, 0, 0);
    list.Draw(&canvas, 4, 0, 1);
    list.Draw(&canvas, 8, 0, 0, false);
    list.Draw(&canvas, 12, 0, 7);  // outside the list: nothing
    struct {
        int X;
        DWORD Rgb;
    } expect[] = {
        {0, 0xFF0000},  // opaque red
        {3, 0xFFFFFF},  // transparent: the white stays
        {5, 0x7F7FFF},  // half blue over white
        {8, 0xA6A6A6},  // grey of red (0x4D) at half over white
        {11, 0xFFFFFF},
        {13, 0xFFFFFF},
    };
    for (auto e : expect) {
        DWORD p = dib.Pixel(e.X, 1);
        for (int shift : {0, 8, 16})
            EXPECT_NEAR(static_cast<int>((p >> shift) & 0xFF), static_cast<int>((e.Rgb >> shift) & 0xFF), 2)
                << "x " << e.X << " got " << std::hex << p;
    }
    canvas.SetHandle(nullptr);
}

TEST(ImgList, InsertMoveDeleteAndReplaceKeepTheOrder)
{
    TImageList list(nullptr, 2, 2);
    auto solid = [](uint32_t C) { return Picture(2, 2, [C](Integer, Integer) { return C; }); };
    const uint32_t A = 0xFF0000AA, B = 0xFF0000BB, C = 0xFF0000CC, D = 0xFF0000DD;
    list.Add(solid(A).get());
    list.Add(solid(B).get());
    list.Add(solid(C).get());
    auto order = [&] {
        std::vector<uint32_t> v;
        for (Integer i = 0; i < list.Count(); ++i) v.push_back(ImagePixel(list, i));
        return v;
    };
    list.Insert(1, solid(D).get());
    EXPECT_EQ(order(), (std::vector<uint32_t>{A, D, B, C}));
    list.Insert(4, solid(D).get());  // at the end
    EXPECT_EQ(order(), (std::vector<uint32_t>{A, D, B, C, D}));
    list.Move(0, 3);
    EXPECT_EQ(order(), (std::vector<uint32_t>{D, B, C, A, D}));
    list.Move(3, 1);
    EXPECT_EQ(order(), (std::vector<uint32_t>{D, A, B, C, D}));
    list.Delete(0);
    list.Replace(3, solid(A).get());
    EXPECT_EQ(order(), (std::vector<uint32_t>{A, B, C, A}));
    EXPECT_THROW(list.Delete(4), EInvalidOperation);
    EXPECT_THROW(list.Insert(6, solid(A).get()), EInvalidOperation);
    EXPECT_THROW(list.Move(0, 4), EInvalidOperation);
    EXPECT_THROW(list.Add(nullptr), EInvalidOperation);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImgList, IconsGoInAndComeOutAndMaskedCanChangeWithTheImagesKept)
{
    TImageList list(nullptr, 16, 16);
    list.Add(Picture(16, 16, [](Integer, Integer) -> uint32_t { return 0xFF00FF00; }).get());
    TIcon icon;
    ASSERT_TRUE(list.GetIcon(0, &icon));
    EXPECT_FALSE(icon.Empty());
    EXPECT_FALSE(list.GetIcon(1, &icon));
    EXPECT_EQ(list.AddIcon(&icon), 1);
    EXPECT_EQ(ImagePixel(list, 1, 8, 8) & 0xFFFFFF, 0x00FF00u);
    list.SetMasked(false);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(ImagePixel(list, 0, 8, 8), 0xFF00FF00u);
    // A new size empties the list.
    list.SetSize(8, 8);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.SetWidth(0), EInvalidOperation);
}

TEST(ImgList, ChangeLinksHearChangesAndForgetAListThatGoes)
{
    auto* list = new TImageList(nullptr, 2, 2);
    TChangeLink link;
    int changes = 0;
    link.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, list);
        ++changes;
    };
    link.SetImages(list);
    list->Add(Picture(4, 2, [](Integer, Integer) -> uint32_t { return 0xFF000000; }).get());
    EXPECT_EQ(changes, 1);
    list->BeginUpdate();
    list->Delete(0);
    list->Delete(0);
    EXPECT_EQ(changes, 1);
    list->EndUpdate();
    EXPECT_EQ(changes, 2);
    // A copy of another list's images.
    TImageList copy(nullptr);
    copy.Assign(list);
    EXPECT_EQ(copy.Width(), 2);
    delete list;
    EXPECT_EQ(link.Images(), nullptr);
}

TEST(ImgList, ListsMadeAndFreedInALoopLeaveNoGdiObjects)
{
    auto image = Picture(48, 16, [](Integer x, Integer y) -> uint32_t { return 0x80000000u | (x * 5 << 8) | y; });
    auto once = [&] {
        TImageList list(nullptr, 16, 16);
        list.Add(image.get());
        list.AddMasked(image.get(), clDefault);
        TIcon icon;
        list.GetIcon(0, &icon);
        list.AddIcon(&icon);
        TBitmap b;
        list.GetBitmap(1, &b);
        TDib dib(32, 32);
        TCanvas canvas;
        canvas.SetHandle(dib.DC());
        list.Draw(&canvas, 0, 0, 0, true);
        list.Draw(&canvas, 0, 0, 2, false);
        canvas.SetHandle(nullptr);
        list.SetMasked(false);
    };
    once();  // the platform's own first-use objects
    const int gdi = LiveGdiObjects();
    ASSERT_GT(gdi, 0);
    for (int i = 0; i < 300; ++i) once();
    EXPECT_EQ(LiveGdiObjects(), gdi);
}

}  // namespace
