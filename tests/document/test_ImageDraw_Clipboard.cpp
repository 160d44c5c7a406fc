// The document's clipboard commands on documents without a window, the
// system clipboard played by a recording stand-in: copying and pasting
// objects (between documents too), pictures and selected pixels, the two
// program-wide clipboards excluding each other, the property template, and
// the raster made the original.
#include <gtest/gtest.h>

#include <algorithm>

#include "DocumentTestView.h"
#include "GoldenPicture.h"
#include "document/ImageClipboard.h"
#include "document/ImageSelection.h"
#include "document/ImageSmall.h"
#include "document/ImageText.h"
#include "framework/runtime/SysUtils.h"

namespace {

// A system clipboard in memory: what was put, and a bitmap to hand out.
class TMemoryClipboard : public TSystemClipboard {
public:
    bool HasBitmap() override { return Bitmap != nullptr; }
    std::unique_ptr<TCustomBitmap32> GetBitmap() override
    {
        if (!Bitmap) return nullptr;
        auto B = std::make_unique<TCustomBitmap32>();
        B->Assign(Bitmap.get());
        return B;
    }
    void Clear() override
    {
        Bitmap.reset();
        Text.clear();
        ++Clears;
    }
    void SetBitmap(TCustomBitmap32& B) override
    {
        Bitmap = std::make_unique<TCustomBitmap32>();
        Bitmap->Assign(&B);
    }
    void SetText(const String& T) override { Text = T; }

    std::unique_ptr<TCustomBitmap32> Bitmap;
    String Text;
    Integer Clears = 0;
};

std::unique_ptr<TCustomBitmap32> Solid(Integer W, Integer H, TColor32 C)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    B->Clear(C);
    return B;
}

TRow& LastRow(TImageDraw& Doc) { return *Doc.DT()->GetItem(Doc.DT()->ItemCount() - 1); }
TImgShape& LastShape(TImageDraw& Doc) { return *TImageDraw::RowShape(&LastRow(Doc)); }

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto Board = std::make_unique<TMemoryClipboard>();
        System = Board.get();
        SetSystemClipboard(std::move(Board));
        ObjectClipboard().Clear();
        SetImageClipboard(nullptr);
        Doc = NewDoc(View);
    }
    void TearDown() override
    {
        SetSystemClipboard(nullptr);
        ObjectClipboard().Clear();
        SetImageClipboard(nullptr);
    }
    // An 800 x 600 document, its raster pixel (x, y) opaque with blue x mod
    // 256 and green y mod 256, canvas colour 0x123456.
    std::unique_ptr<TImageDraw> NewDoc(TTestView& V)
    {
        auto D = NewBlankDocument(V, 800, 600, false, 0x563412);
        D->InitBitmap();
        for (Integer y = 0; y < 600; ++y)
            for (Integer x = 0; x < 800; ++x) D->SrcBmp()->SetPixel(x, y, RasterPixel(x, y));
        D->SetPropDT(Defaults.get());
        return D;
    }
    static TColor32 RasterPixel(Integer x, Integer y)
    {
        return 0xFF000000 | (static_cast<TColor32>(y & 255) << 8) | static_cast<TColor32>(x & 255);
    }
    // A new object of Kind over (X1, Y1) - (X2, Y2).
    TImgShape* Draw(TShapeType Kind, Integer X1, Integer Y1, Integer X2, Integer Y2)
    {
        Doc->CreateShape(Kind);
        Doc->DrawShape(X1, Y1, X2, Y2);
        Doc->CreateShapeOver(false);
        return Doc->Shape();
    }
    TImgSelection* Select(const TRect& R) { return SelectRegion(*Doc, R); }

    static std::unique_ptr<TDataTable> MakeDefaults()
    {
        auto T = std::make_unique<TDataTable>();
        for (Integer k = 0; k < ShapeTypeCount; ++k) {
            TRow* R = T->AddItem(String(99, u','));
            for (auto [Col, Value] : {std::pair{14, 0xFF0000}, {15, 0x00FF00}, {16, 255}, {18, 2}, {20, -1},
                                      {21, -1}, {27, -1}, {28, -1}, {29, -1}, {98, 15}})
                R->GetItem(Col)->SetValue(Value);
        }
        return T;
    }

    std::unique_ptr<TDataTable> Defaults = MakeDefaults();
    TMemoryClipboard* System = nullptr;
    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
};

TEST_F(Clipboard, CopiedObjectsPasteAsAGroupAtThePoint)
{
    TImgShape* A = Draw(shRectangle, 100, 50, 149, 89);
    TImgShape* B = Draw(shEllipse, 300, 200, 339, 229);
    A->SetColor(0x0000FF);  // changed on the object, not yet in its row
    Doc->ClickShape(selOne, A->Id());
    Doc->ClickShape(selMulti, B->Id());
    Doc->CopyShape();
    ASSERT_EQ(ObjectClipboard().ItemCount(), 2);
    EXPECT_TRUE(Doc->GetPasteEnabled());

    Doc->SetChangedFlag(false);
    Doc->Paste(10, 10, nullptr, false, false);
    ASSERT_EQ(Doc->DT()->ItemCount(), 4);
    TImgShape* A2 = TImageDraw::RowShape(Doc->DT()->GetItem(2));
    TImgShape* B2 = TImageDraw::RowShape(Doc->DT()->GetItem(3));
    EXPECT_EQ(A2->ShapeType(), shRectangle);
    EXPECT_EQ(A2->SRect(), (TRect{10, 10, 60, 50}));
    EXPECT_EQ(B2->ShapeType(), shEllipse);
    EXPECT_EQ(B2->SRect(), (TRect{210, 160, 250, 190}));
    EXPECT_EQ(A2->Color(), 0x0000FF);
    EXPECT_NE(A2->Id(), A->Id());
    EXPECT_TRUE(A2->Selected());
    EXPECT_TRUE(B2->Selected());
    // The pasted group alone is selected now.
    EXPECT_FALSE(A->Selected());
    EXPECT_FALSE(B->Selected());
    EXPECT_EQ(Doc->SelectedIds()->ItemCount(), 2);
    EXPECT_TRUE(Doc->Changed());

    // The clipboard is the program's: another document pastes the same
    // group, even after the first is gone.
    Doc.reset();
    TTestView View2;
    auto Other = NewDoc(View2);
    Other->Paste(500, 400, nullptr, false, false);
    ASSERT_EQ(Other->DT()->ItemCount(), 2);
    EXPECT_EQ(TImageDraw::RowShape(Other->DT()->GetItem(0))->SRect(), (TRect{500, 400, 550, 440}));
    EXPECT_EQ(TImageDraw::RowShape(Other->DT()->GetItem(1))->SRect(), (TRect{700, 550, 740, 580}));
}

TEST_F(Clipboard, CutDeletesAndPicturesTravelWithTheirRows)
{
    auto Picture = Solid(30, 20, 0x80FF0000);
    Picture->SetPixel(29, 19, 0xFF00FF00);
    Doc->Paste(40, 30, Picture.get(), false, false);
    ASSERT_EQ(LastShape(*Doc).ShapeType(), shSmall);
    const Integer SmallId = LastShape(*Doc).Id();
    // A crop frame or selection is never copied with the objects.
    Draw(shCrop, 0, 0, 399, 299);
    Select({0, 0, 50, 50});
    ASSERT_EQ(Doc->DT()->ItemCount(), 3);
    Doc->ClickShape(selMulti, SmallId);

    Doc->CutShape();
    ASSERT_EQ(ObjectClipboard().ItemCount(), 1);
    ASSERT_NE(ClipboardRowPicture(*ObjectClipboard().GetItem(0)), nullptr);
    EXPECT_EQ(Doc->IndexOfShapeId(SmallId), -1);

    Doc->Paste(0, 0, nullptr, false, false);
    auto* Pasted = dynamic_cast<TImgSmall*>(TImageDraw::RowShape(Doc->DT()->GetItem(Doc->DT()->ItemCount() - 1)));
    ASSERT_NE(Pasted, nullptr);
    EXPECT_EQ(Pasted->SRect(), (TRect{0, 0, 30, 20}));
    EXPECT_EQ(Pasted->SrcBmp()->Pixel(0, 0), 0x80FF0000u);
    EXPECT_EQ(Pasted->SrcBmp()->Pixel(29, 19), 0xFF00FF00u);
}

TEST_F(Clipboard, ThePastedPictureRow)
{
    // A 101 x 51 picture centred on (200, 200); the rectangle selected
    // before leaves the selection.
    TImgShape* Before = Draw(shRectangle, 10, 10, 40, 40);
    ASSERT_TRUE(Before->Selected());
    auto Picture = Solid(101, 51, 0xFF0000FF);
    Doc->Paste(200, 200, Picture.get(), false, true);
    EXPECT_FALSE(Before->Selected());
    EXPECT_TRUE(LastShape(*Doc).Selected());
    TRow& Row = LastRow(*Doc);
    EXPECT_EQ(LastShape(*Doc).SRect(), (TRect{150, 175, 251, 226}));
    EXPECT_EQ(Row.ItemCount(), 100);
    const std::pair<Integer, const char16_t*> Cells[] = {
        {1, u"8"},    {10, u"150"},  {11, u"175"}, {12, u"251"}, {13, u"226"}, {16, u"255"},
        {25, u"200.5"}, {26, u"200.5"}, {27, u"-1"}, {31, u"-1"}, {70, u"45"},  {75, u"175"},
        {85, u"175"}, {86, u"66"},   {90, u"26367/65535/26367"}, {91, u"100/100/100"},
        {92, u"0/0.5/1"}, {96, u"45"}, {99, u"0"},  {2, u""},     {97, u""},
    };
    for (auto [Index, Text] : Cells) EXPECT_EQ(Row.GetItem(Index)->Text(), Text) << "cell " << Index;
    EXPECT_TRUE(LastShape(*Doc).Selected());
}

TEST_F(Clipboard, TheTwoClipboardsExcludeEachOther)
{
    TImgShape* A = Draw(shRectangle, 10, 10, 59, 59);
    Doc->ClickShape(selOne, A->Id());
    Doc->CopyShape();
    Doc->Draw();
    Doc->CopyImage();
    ASSERT_NE(ImageClipboard(), nullptr);
    EXPECT_EQ(ObjectClipboard().ItemCount(), 0);
    EXPECT_EQ(ImageClipboard()->Width(), 800);

    struct Step {
        bool CopyObjects;
        TShapeType Pasted;
    } Steps[] = {{false, shSmall}, {true, shRectangle}};
    for (const Step& S : Steps) {
        if (S.CopyObjects) {
            Doc->ClickShape(selOne, A->Id());
            Doc->CopyShape();
            EXPECT_EQ(ImageClipboard(), nullptr);
        }
        Doc->Paste(5, 5, nullptr, false, false);
        EXPECT_EQ(LastShape(*Doc).ShapeType(), S.Pasted);
    }
    // The view bitmap as composed: the rectangle's outline is in the picture.
    Doc->CopyImage();
    Doc->Paste(0, 0, nullptr, false, false);
    auto& Picture = dynamic_cast<TImgSmall&>(LastShape(*Doc));
    EXPECT_EQ(Picture.SrcBmp()->Pixel(10, 10), Doc->Bitmap()->Pixel(10, 10));
    EXPECT_EQ(Picture.SRect(), (TRect{0, 0, 800, 600}));
}

TEST_F(Clipboard, PasteFromTheSystemClipboard)
{
    struct Case {
        bool SystemBitmap, ImageBitmap, FromClipboard;
        TColor32 Pasted;  // 0: nothing pasted
    } Cases[] = {
        {true, false, false, 0xFF111111},  // no image clipboard: the system's
        {true, true, false, 0xFF222222},   // the image clipboard first
        {true, true, true, 0xFF111111},    // unless asked for the system's
        {false, false, true, 0},           // an empty clipboard pastes nothing
        {false, false, false, 0},
    };
    for (const Case& C : Cases) {
        System->Bitmap = C.SystemBitmap ? Solid(7, 5, 0xFF111111) : nullptr;
        SetImageClipboard(C.ImageBitmap ? Solid(7, 5, 0xFF222222) : nullptr);
        EXPECT_EQ(Doc->GetPasteEnabled(), C.SystemBitmap || C.ImageBitmap);
        const Integer Before = Doc->DT()->ItemCount();
        Doc->SetChangedFlag(false);
        Doc->Paste(3, 4, nullptr, C.FromClipboard, false);
        if (!C.Pasted) {
            EXPECT_EQ(Doc->DT()->ItemCount(), Before);
            EXPECT_FALSE(Doc->Changed());
            continue;
        }
        auto& Picture = dynamic_cast<TImgSmall&>(LastShape(*Doc));
        EXPECT_EQ(Picture.SRect(), (TRect{3, 4, 10, 9}));
        EXPECT_EQ(Picture.SrcBmp()->Pixel(6, 4), C.Pasted);
    }
}

TEST_F(Clipboard, CopyingSelectedPixels)
{
    Doc->SetAntialiasing(false);
    // An opaque red picture over (20, 20) - (30, 30).
    auto Red = Solid(10, 10, 0xFFFF0000);
    Doc->Paste(20, 20, Red.get(), false, false);
    struct Case {
        bool Merged;
        Integer Feather;
        TColor32 At25;  // pixel (25, 25) of the copy
    } Cases[] = {{false, 0, RasterPixel(25, 25)}, {true, 0, 0xFFFF0000}, {false, 2, RasterPixel(25, 25)},
                 {true, 2, 0xFFFF0000}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << "merged " << C.Merged << " feather " << C.Feather);
        ObjectClipboard().AddItem(u"1,3");
        TImgSelection* Sel = Select({10, 10, 40, 30});
        Sel->SetFeatherAmount(C.Feather);
        const TRect From = Doc->CopySelection(C.Merged);
        // The work area: a pixel around the region, or three times the feather.
        const Integer M = C.Feather ? 3 * C.Feather : 1, Margin = C.Feather ? M : 0;
        EXPECT_EQ(From, (TRect{10 - M, 10 - M, 40 + M, 30 + M}));
        // A feathered copy keeps its soft margin.
        ASSERT_NE(ImageClipboard(), nullptr);
        EXPECT_EQ(ImageClipboard()->Width(), 30 + 2 * Margin);
        EXPECT_EQ(ImageClipboard()->Height(), 20 + 2 * Margin);
        // The colours (a feathered copy's alpha fades toward the edge).
        auto Opaque = [](TColor32 P) { return P | 0xFF000000; };
        EXPECT_TRUE(NearColour(Opaque(ImageClipboard()->Pixel(Margin + 15, Margin + 15)), C.At25, 1));
        EXPECT_TRUE(NearColour(Opaque(ImageClipboard()->Pixel(Margin + 5, Margin + 5)), RasterPixel(15, 15), 1));
        if (!C.Feather) EXPECT_EQ(ImageClipboard()->Pixel(0, 0), RasterPixel(10, 10));
        else EXPECT_LT(ImageClipboard()->Pixel(0, 0) >> 24, 8u);
        EXPECT_EQ(ObjectClipboard().ItemCount(), 0);
        ASSERT_NE(System->Bitmap, nullptr);
        EXPECT_TRUE(NearColour(System->Bitmap->Pixel(Margin + 15, Margin + 15), C.At25, 2));
        // Copying touches neither the raster nor the selection.
        EXPECT_EQ(Doc->SrcBmp()->Pixel(25, 25), RasterPixel(25, 25));
        EXPECT_EQ(Sel->SelBitmap(), nullptr);
    }
}

TEST_F(Clipboard, TransparentPixelsGoToTheSystemClipboardOverTheCanvasColour)
{
    Doc->SetAntialiasing(false);
    Doc->SrcBmp()->FillRect(10, 10, 12, 12, 0x00000000);
    Doc->SrcBmp()->SetPixel(12, 10, 0x80FFFFFF);
    Select({10, 10, 14, 12});
    Doc->CopySelection(false);
    ASSERT_NE(System->Bitmap, nullptr);
    EXPECT_EQ(System->Bitmap->Pixel(0, 0), 0xFF123456u);
    // Half white over the canvas colour.
    const TColor32 Half = System->Bitmap->Pixel(2, 0);
    EXPECT_EQ(Half >> 24, 0xFFu);
    EXPECT_NEAR(static_cast<int>((Half >> 16) & 0xFF), (0x12 + 0xFF) / 2, 1);
    // The image clipboard keeps the alpha.
    EXPECT_EQ(ImageClipboard()->Pixel(0, 0), 0x00000000u);
}

TEST_F(Clipboard, CuttingAndDeletingSelectedPixels)
{
    Doc->SetAntialiasing(false);
    struct Case {
        bool Cut;
        bool Lifted;
        TRect Region;
        bool Cleared;  // raster pixel (12, 12) becomes transparent white
        bool Copied;
    } Cases[] = {
        {true, false, {10, 10, 20, 20}, true, true},
        {false, false, {10, 10, 20, 20}, true, false},
        // Lifted: the floating pixels go (copied when cut), the raster under
        // them is not touched again.
        {true, true, {10, 10, 20, 20}, false, true},
        {false, true, {10, 10, 20, 20}, false, false},
        {true, false, {900, 700, 950, 750}, false, false},  // wholly off the raster
        {false, false, {900, 700, 950, 750}, false, false},
    };
    for (const Case& C : Cases) {
        SetUp();
        Doc->SetAntialiasing(false);
        TImgSelection* Sel = Select(C.Region);
        if (C.Lifted) {
            TRect D;
            Sel->SetSelBitmap(Sel->GetSelectionBitmap(D));
            Doc->SrcBmp()->SetPixel(12, 12, 0xFF445566);  // what lies under the lifted pixels
        }
        const TColor32 Before = Doc->SrcBmp()->Pixel(12, 12);
        Doc->SetChangedFlag(false);
        if (C.Cut) Doc->CutSelection();
        else Doc->DeleteSelection();
        EXPECT_EQ(Doc->SrcBmp()->Pixel(12, 12), C.Cleared ? 0x00FFFFFFu : Before) << C.Cut << C.Lifted;
        EXPECT_EQ(Doc->SrcBmp()->Pixel(20, 20), RasterPixel(20, 20));
        EXPECT_EQ(Doc->Changed(), C.Cleared || C.Lifted);
        EXPECT_EQ(Sel->SelBitmap(), nullptr);
        EXPECT_EQ(ImageClipboard() != nullptr, C.Copied);
        if (C.Copied) EXPECT_EQ(ImageClipboard()->Pixel(2, 2), RasterPixel(12, 12));
    }
}

TEST_F(Clipboard, PicturesAndTextToTheSystemClipboard)
{
    Doc->SrcBmp()->SetPixel(0, 0, 0x00FFFFFF);
    Doc->Draw();
    Doc->Bitmap()->SetPixel(1, 0, 0xFF0000FF);  // only in the composed view

    Doc->CopyImageToClipboard(false);
    ASSERT_NE(System->Bitmap, nullptr);
    EXPECT_EQ(System->Clears, 1);
    EXPECT_EQ(System->Bitmap->Pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(System->Bitmap->Pixel(1, 0), RasterPixel(1, 0));
    EXPECT_EQ(Doc->SrcBmp()->DrawMode(), dmOpaque);
    EXPECT_EQ(Doc->SrcBmp()->CombineMode(), cmBlend);

    Doc->CopyImageToClipboard(true);
    EXPECT_TRUE(NearColour(System->Bitmap->Pixel(1, 0), 0xFF0000FF, 1));
    EXPECT_EQ(Doc->Bitmap()->CombineMode(), cmBlend);

    // The current picture object as prepared, over opaque white.
    auto Picture = Solid(4, 4, 0x00000000);
    Doc->Paste(0, 0, Picture.get(), false, false);
    Doc->SetCurrentShape(LastShape(*Doc).Id());
    Doc->CopySmallToClipboard();
    EXPECT_EQ(System->Bitmap->Width(), 4);
    EXPECT_EQ(System->Bitmap->Pixel(1, 1), 0xFFFFFFFFu);

    Doc->CopyText(u"图 1, \"a\"");
    EXPECT_EQ(System->Text, u"图 1, \"a\"");
}

TEST_F(Clipboard, PastingPropertiesGroupByGroup)
{
    TImgShape* From = Draw(shRectangle, 0, 0, 9, 9);
    From->SetColor(0x010203);
    From->SetIsOutline(false);
    From->SetOutWidth(7);
    From->SetPenStyle(2);
    From->SetFillColor(0x040506);
    From->SetIsFill(false);
    From->SetOpacity(99);
    From->SetShadowMode(3);
    From->SetShadowDistance(12);
    From->SetShadowInner(true);
    From->SetReflectMode(2);
    From->SetReflectHeight(44);
    From->SetGradientMode(0);
    From->SetGradientColor(u"1/2/3");
    From->SetGradientTextureFileName(u"c:\\a,b|c.png");
    Doc->SetCurrentShape(From->Id());
    Doc->CopyProperty();
    EXPECT_EQ(Doc->CopyProp()->Tag(), shRectangle);

    using Reader = Integer (*)(TImgShape&);
    struct Case {
        Integer Mode;
        std::vector<Reader> Changed;
    };
    const Reader Color = [](TImgShape& S) { return S.Color(); };
    const Reader Outline = [](TImgShape& S) { return Integer(S.IsOutline()); };
    const Reader Width = [](TImgShape& S) { return S.OutWidth(); };
    const Reader Pen = [](TImgShape& S) { return S.PenStyle(); };
    const Reader Fill = [](TImgShape& S) { return S.FillColor(); };
    const Reader IsFill = [](TImgShape& S) { return Integer(S.IsFill()); };
    const Reader Opacity = [](TImgShape& S) { return S.Opacity(); };
    const Reader Shadow = [](TImgShape& S) { return S.ShadowMode(); };
    const Reader ShadowDistance = [](TImgShape& S) { return S.ShadowDistance(); };
    const Reader ShadowInner = [](TImgShape& S) { return Integer(S.ShadowInner()); };
    const Reader Reflect = [](TImgShape& S) { return S.ReflectMode(); };
    const Reader ReflectHeight = [](TImgShape& S) { return S.ReflectHeight(); };
    const Reader Gradient = [](TImgShape& S) { return S.GradientMode(); };
    const Reader GradientColor = [](TImgShape& S) { return Integer(S.GradientColor() == u"1/2/3"); };
    const Reader Texture = [](TImgShape& S) { return Integer(S.GradientTextureFileName() == u"c:\\a,b|c.png"); };
    const std::vector<Reader> All = {Color,          Outline,     Width,   Pen,           Fill,
                                     IsFill,         Opacity,     Shadow,  ShadowDistance, ShadowInner,
                                     Reflect,        ReflectHeight, Gradient, GradientColor, Texture};
    const Case Cases[] = {
        {1, {Color, Outline}}, {2, {Width}},   {3, {Pen}},
        {4, {Fill, IsFill}},   {5, {Opacity}}, {6, {Shadow, ShadowDistance, ShadowInner}},
        {7, {Reflect, ReflectHeight}}, {8, {Gradient, GradientColor, Texture}}, {0, All},
    };
    for (const Case& C : Cases) {
        TImgShape* To = Draw(shRectangle, 50, 50, 59, 59);
        TImgShape* Other = Draw(shRectangle, 70, 70, 79, 79);
        Doc->ClickShape(selOne, To->Id());
        To->SetChanged2(false);
        Doc->SetChangedFlag(false);
        ASSERT_TRUE(Doc->GetPastePropEnabled());
        Doc->PasteProperty(C.Mode);
        for (Reader R : All) {
            const bool Expected = std::find(C.Changed.begin(), C.Changed.end(), R) != C.Changed.end();
            EXPECT_EQ(R(*To) == R(*From), Expected) << "mode " << C.Mode;
            EXPECT_EQ(R(*Other) == R(*From), false) << "unselected, mode " << C.Mode;
        }
        EXPECT_TRUE(To->Changed2());
        EXPECT_TRUE(Doc->Changed());
    }
}

TEST_F(Clipboard, PastingEverythingOntoATextCopiesTheFontButNotTheText)
{
    auto* From = dynamic_cast<TImgText*>(Draw(shText, 0, 0, 99, 49));
    auto* To = dynamic_cast<TImgText*>(Draw(shText, 200, 0, 299, 49));
    ASSERT_NE(From, nullptr);
    ASSERT_NE(To, nullptr);
    From->SetText(u"From, with a comma");
    To->SetText(u"To");
    From->SetFontName(u"Courier New");
    From->SetFontSize(31);
    From->SetFontBold(true);
    From->SetOpacity(77);
    Doc->SetCurrentShape(From->Id());
    Doc->CopyProperty();
    Doc->ClickShape(selOne, To->Id());
    ASSERT_TRUE(Doc->GetPastePropEnabled());
    // One group alone leaves the font.
    Doc->PasteProperty(5);
    EXPECT_EQ(To->Opacity(), 77);
    EXPECT_NE(To->FontName(), u"Courier New");
    Doc->PasteProperty(0);
    EXPECT_EQ(To->FontName(), u"Courier New");
    EXPECT_EQ(To->FontSize(), 31);
    EXPECT_TRUE(To->FontBold());
    EXPECT_EQ(To->Text(), u"To");
}

TEST_F(Clipboard, WhenPropertiesCanBePasted)
{
    TImgShape* Rect = Draw(shRectangle, 0, 0, 9, 9);
    TImgShape* Rect2 = Draw(shRectangle, 20, 0, 29, 9);
    TImgShape* Ellipse = Draw(shEllipse, 40, 0, 49, 9);
    Doc->SelectShape(selNone, 0);
    EXPECT_FALSE(Doc->GetPastePropEnabled());  // no template
    Doc->SetCurrentShape(Rect->Id());
    Doc->CopyProperty();
    struct Case {
        std::vector<TImgShape*> Selected;
        bool Enabled;
    } Cases[] = {
        {{}, false}, {{Rect2}, true}, {{Rect, Rect2}, true}, {{Ellipse}, false}, {{Rect2, Ellipse}, false},
    };
    for (const Case& C : Cases) {
        Doc->SelectShape(selNone, 0);
        for (TImgShape* S : C.Selected) Doc->ClickShape(selMulti, S->Id());
        EXPECT_EQ(Doc->GetPastePropEnabled(), C.Enabled) << C.Selected.size();
    }
    // Nothing is copied without a current object in the table.
    Doc->SetCurrentShape(Ellipse->Id());
    TRow Ids;
    Ids.AddItem(Ellipse->Id());
    Doc->DeleteShapes(Ids);
    Doc->CopyProperty();
    EXPECT_EQ(Doc->CopyProp()->Tag(), shRectangle);
}

TEST_F(Clipboard, AShortTemplatePastesOnlyTheModes)
{
    TImgShape* To = Draw(shRectangle, 0, 0, 9, 9);
    To->SetShadowDistance(5);
    To->SetReflectHeight(6);
    To->SetGradientColor(u"9");
    // A template of 70 cells (from an old document): the modes only.
    Doc->CopyProp()->Init(String(69, u','), u',');
    for (auto [Col, Value] : {std::pair{27, 4}, {28, 3}, {29, 2}}) Doc->CopyProp()->GetItem(Col)->SetValue(Value);
    Doc->CopyProp()->SetTag(shRectangle);
    Doc->ClickShape(selOne, To->Id());
    Doc->PasteProperty(0);
    EXPECT_EQ(To->ShadowMode(), 4);
    EXPECT_EQ(To->ShadowDistance(), 5);
    EXPECT_EQ(To->ReflectMode(), 3);
    EXPECT_EQ(To->ReflectHeight(), 6);
    EXPECT_EQ(To->GradientMode(), 2);
    EXPECT_EQ(To->GradientColor(), u"9");
}

TEST_F(Clipboard, TheRasterBecomesTheOriginal)
{
    Doc->DT()->GetProp(ObjProp::OriFileName)->SetText(u"c:\\photo.jpg");
    Doc->SrcBmp()->SetPixel(3, 3, 0xFF0000FF);
    Doc->SetOriBmpThumbChanged(false);
    Doc->SetModified(false);
    Integer Fired = 0;
    Doc->OnOriBmpChanged = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Doc.get());
        ++Fired;
    };
    Doc->SrcBmpToOriBmp();
    EXPECT_EQ(Doc->OriBmp()->Width(), 800);
    EXPECT_EQ(Doc->OriBmp()->Pixel(3, 3), 0xFF0000FFu);
    EXPECT_TRUE(Doc->OriBmpThumbChanged());
    EXPECT_TRUE(Doc->Changed());
    EXPECT_FALSE(Doc->Modified());
    EXPECT_EQ(Doc->DT()->GetProp(ObjProp::OriFileName)->Text(), u"");
    EXPECT_EQ(Fired, 1);
}

}  // namespace
