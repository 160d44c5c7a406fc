// The document's control layer painted on a back buffer: object handles,
// paint-tool and effect-brush outlines, the canvas handles and a canvas
// drag's frame and size label, guides, a gradient drag and the ruler, in
// view pixels whatever the zoom.
#include <gtest/gtest.h>

#include <cstdlib>

#include "DocumentTestView.h"
#include "GoldenPicture.h"
#include "PixelSets.h"
#include "RecordingControlHooks.h"
#include "document/ImageControlLayer.h"
#include "framework/runtime/System.h"

namespace {
constexpr TColor32 Grey = 0xFF808080;
constexpr TColor32 InvertedGrey = 0xFF7F7F7F;

class ControlLayer : public ::testing::Test {
protected:
    // A W x H canvas shown at Scale with its top-left corner at view (50, 40).
    void Make(Integer W, Integer H, Single Scale = 1)
    {
        View.OffsetX = 50;
        View.OffsetY = 40;
        Doc = NewBlankDocument(View, W, H, false);
        Doc->InitBitmap();
        Doc->SetScale(Scale);
        Buffer.SetSize(800, 600);
    }
    // The same canvas, 100 x 50, read from a document stream with a ruler.
    void MakeWithRuler(Single Scale, TPoint P1, TPoint P2)
    {
        RulerText = u"-1." + IntToStr(P1.X) + u"." + IntToStr(P1.Y) + u"." + IntToStr(P2.X) + u"." + IntToStr(P2.Y);
        const TImageDrawHooks Saved = ImageDrawHooks;
        auto Restore = ScopeExit([&] { ImageDrawHooks = Saved; });
        ImageDrawHooks.ReadDocumentStream = [](TImageDraw& D, TStream&) {
            D.FileDT()->Init(5, 20);
            D.DT()->SetPropCount(50);
            D.DT()->GetProp(ObjProp::Ruler)->SetText(RulerText);
            D.SrcBmp()->SetSize(100, 50);
        };
        TMemoryStream Stream;
        View.OffsetX = 50;
        View.OffsetY = 40;
        Doc = std::make_unique<TImageDraw>(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false,
                                           &Stream, 1, 1, 0, false, 24);
        Doc->InitBitmap();
        Doc->SetScale(Scale);
        Buffer.SetSize(800, 600);
    }
    static inline String RulerText;

    // A selected rectangle object of id Id on the document.
    void AddSelectedRectangle(Integer Id, const TRect& R)
    {
        TRow* Row = Doc->DT()->AddItem(IntToStr(Id) + u",3,,0,0");
        auto Shape = std::make_unique<TImgShape>(Doc.get(), Id, nullptr);
        Shape->SetShapeType(shRectangle);
        Shape->SetSRect(R);
        Shape->SetCreating(false);
        TImgShape* S = Shape.get();
        Row->Data().Own(std::move(Shape));
        S->Select();
    }

    // The buffer against the picture Name under tests/data/document; with
    // LM_UPDATE_GOLDEN set the picture is written instead.
    void ExpectGolden(const char* Name) { ExpectGoldenPicture(Buffer, Name); }

    void Paint()
    {
        Buffer.Clear(Grey);
        Doc->PaintControlLayer(nullptr, &Buffer);
    }
    // What painting adds to Base (a copy of the buffer painted before).
    TPixels Diff(const TCustomBitmap32& Base) const
    {
        TPixels S;
        for (Integer y = 0; y < Buffer.Height(); ++y)
            for (Integer x = 0; x < Buffer.Width(); ++x)
                if (Buffer.Pixel(x, y) != Base.Pixel(x, y)) S.insert({x, y});
        return S;
    }
    // Paints with and without Setting applied; the pixels it changes.
    template <class F>
    TPixels PaintedBy(F Setting)
    {
        Paint();
        TCustomBitmap32 Base;
        Base.Assign(&Buffer);
        Setting();
        Paint();
        return Diff(Base);
    }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    TCustomBitmap32 Buffer;
};

}  // namespace

TEST_F(ControlLayer, CanvasHandlesKeepTheirSizeAtEveryZoom)
{
    for (Single Scale : {0.5f, 1.0f, 3.7f, 6.0f}) {
        SCOPED_TRACE(Scale);
        Make(44, 42, Scale);
        Paint();
        const TRect R{50, 40, 50 + Doc->ScaleWidth(), 40 + Doc->ScaleHeight()};
        const TRect Expected[8] = {
            {R.Left - 6, R.Top - 6, R.Left, R.Top},         {R.Right, R.Top - 6, R.Right + 6, R.Top},
            {R.Right, R.Bottom, R.Right + 6, R.Bottom + 6}, {R.Left - 6, R.Bottom, R.Left, R.Bottom + 6},
            {R.Left + (R.Width() - 6) / 2, R.Top - 6, R.Left + (R.Width() - 6) / 2 + 6, R.Top},
            {R.Left + (R.Width() - 6) / 2, R.Bottom, R.Left + (R.Width() - 6) / 2 + 6, R.Bottom + 6},
            {R.Left - 6, R.Top + (R.Height() - 6) / 2, R.Left, R.Top + (R.Height() - 6) / 2 + 6},
            {R.Right, R.Top + (R.Height() - 6) / 2, R.Right + 6, R.Top + (R.Height() - 6) / 2 + 6},
        };
        for (Integer i = 1; i <= 8; ++i) {
            const TRect& H = Doc->CanvasCtrRect(i);
            EXPECT_EQ(H, Expected[i - 1]) << "handle " << i;
            // The white handle picture with its black border, 6 x 6 on screen.
            EXPECT_EQ(Buffer.Pixel(H.Left, H.Top), 0xFF000000u);
            EXPECT_EQ(Buffer.Pixel(H.Right - 1, H.Bottom - 1), 0xFF000000u);
            EXPECT_EQ(Buffer.Pixel(H.Left + 2, H.Top + 3), 0xFFFFFFFFu);
            EXPECT_EQ(Buffer.Pixel(H.Left - 1, H.Top + 3), Grey);
            EXPECT_EQ(Buffer.Pixel(H.Right, H.Top + 3), Grey);
        }
    }
}

TEST_F(ControlLayer, MiddleHandlesOnlyOnSidesLongerThanTwentyPixels)
{
    struct Case {
        Integer W, H;
        Single Scale;
        bool TopAndBottom, LeftAndRight;
    };
    const Case Cases[] = {
        {20, 20, 1, false, false}, {21, 20, 1, true, false}, {20, 21, 1, false, true},
        {10, 11, 2, false, true},  {42, 40, 0.5f, true, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.W << " x " << C.H << " at " << C.Scale);
        Make(C.W, C.H, C.Scale);
        Paint();
        auto Shown = [&](Integer i) { return Doc->CanvasCtrRect(i).Width() > 0; };
        for (Integer i = 1; i <= 4; ++i) EXPECT_TRUE(Shown(i)) << i;
        EXPECT_EQ(Shown(5), C.TopAndBottom);
        EXPECT_EQ(Shown(6), C.TopAndBottom);
        EXPECT_EQ(Shown(7), C.LeftAndRight);
        EXPECT_EQ(Shown(8), C.LeftAndRight);
    }
}

TEST_F(ControlLayer, CanvasDragShowsTheFrameAndTheNewSize)
{
    TRecordingHooks Hooks;
    struct Case {
        Integer Handle;
        String Text;
        TRect Frame;  // the shown canvas (50, 40, 150, 90) moved by the view drag (-20, 10)
    };
    const Case Cases[] = {
        {1, u"130 \u00D7 45", {30, 50, 150, 90}}, {2, u"70 \u00D7 45", {50, 50, 130, 90}},
        {3, u"70 \u00D7 55", {50, 40, 130, 100}}, {4, u"130 \u00D7 55", {30, 40, 150, 100}},
        {5, u"100 \u00D7 45", {50, 50, 150, 90}}, {6, u"100 \u00D7 55", {50, 40, 150, 100}},
        {7, u"130 \u00D7 50", {30, 40, 150, 90}}, {8, u"70 \u00D7 50", {50, 40, 130, 90}},
    };
    Make(100, 50);
    Doc->SetLeftMouseDown(true);
    Doc->SetCanvasCtrDx(-20);
    Doc->SetCanvasCtrDy(10);
    Doc->SetCanvasDx(-30);
    Doc->SetCanvasDy(5);
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Handle);
        Hooks.Frames.clear();
        Hooks.Texts.clear();
        Doc->SetCanvasCtrIndex(C.Handle);
        Paint();
        ASSERT_EQ(Hooks.Frames.size(), 1u);
        EXPECT_EQ(Hooks.Frames[0], C.Frame);
        ASSERT_EQ(Hooks.Texts.size(), 1u);
        EXPECT_EQ(Hooks.Texts[0].second, C.Text);
        // Centred in the 800 x 600 control on a light yellow box 15 high,
        // 3 pixels wider than the text on each side.
        const Integer TextW = static_cast<Integer>(C.Text.size()) * 7;
        const TPoint At{(800 - TextW) / 2, (600 - 15) / 2};
        EXPECT_EQ(Hooks.Texts[0].first, At);
        EXPECT_EQ(Buffer.Pixel(At.X - 3, At.Y), 0xFFFFFF80u);
        EXPECT_EQ(Buffer.Pixel(At.X + TextW + 2, At.Y + 14), 0xFFFFFF80u);
        EXPECT_EQ(Buffer.Pixel(At.X - 4, At.Y), Grey);
        EXPECT_EQ(Buffer.Pixel(At.X, At.Y + 15), Grey);
    }
}

TEST_F(ControlLayer, CanvasDragKeepsAtLeastOnePixel)
{
    TRecordingHooks Hooks;
    Make(100, 50);
    Doc->SetLeftMouseDown(true);
    Doc->SetCanvasCtrIndex(8);
    Doc->SetCanvasCtrDx(-500);
    Doc->SetCanvasDx(-500);
    Paint();
    ASSERT_EQ(Hooks.Frames.size(), 1u);
    EXPECT_EQ(Hooks.Frames[0], (TRect{50, 40, 51, 90}));
    EXPECT_EQ(Hooks.Texts.at(0).second, u"1 \u00D7 50");
    // Without the left button nothing of the drag is shown.
    Doc->SetLeftMouseDown(false);
    Hooks.Frames.clear();
    Paint();
    EXPECT_TRUE(Hooks.Frames.empty());
}

TEST_F(ControlLayer, GuidesAcrossTheWholeBuffer)
{
    Make(100, 50, 2);
    Doc->HorzGuidesRow()->AddItem(10);
    Doc->HorzGuidesRow()->AddItem(200);  // below the buffer: not drawn
    Doc->VertGuidesRow()->AddItem(-30);  // left of the buffer: not drawn
    Doc->VertGuidesRow()->AddItem(7);
    Paint();
    // Image y 10 at zoom 2 below offset 40; image x 7 right of offset 50.
    for (Integer x : {0, 200, 799}) EXPECT_EQ(Buffer.Pixel(x, 60), 0x004A84FFu) << x;
    for (Integer y : {0, 150, 599}) EXPECT_EQ(Buffer.Pixel(64, y), 0x004A84FFu) << y;
    EXPECT_EQ(Buffer.Pixel(0, 59), Grey);
    EXPECT_EQ(Buffer.Pixel(65, 0), Grey);
    EXPECT_EQ(Buffer.Pixel(0, 0), Grey);
}

TEST_F(ControlLayer, RulerCrossesAndLine)
{
    struct Case {
        Single Scale;
        TPoint P1, P2;
        size_t Count;
        TRect Bounds;
    };
    const Case Cases[] = {
        // Ends that coincide show only the larger cross.
        {1, {10, 10}, {10, 10}, 20, {55, 45, 66, 56}},
        // Zoomed in, the ends move to the middle of their pixels (+2 at zoom 4).
        {4, {10, 10}, {10, 10}, 20, {87, 77, 98, 88}},
        // Crosses of 11 and 7 and the 30-pixel line between them: where it
        // runs over the crosses' arms (5 and 3 pixels) they are inverted
        // back, and it inverts the first cross's middle.
        {1, {10, 10}, {40, 10}, 20 + 12 + 30 - 2 * 5 - 2 * 3, {55, 45, 94, 56}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Scale << " " << C.P2.X);
        MakeWithRuler(C.Scale, C.P1, C.P2);
        ASSERT_TRUE(Doc->RulerEnabled());
        Doc->SetRulerEnabled(false);
        auto S = PaintedBy([&] { Doc->SetRulerEnabled(true); });
        EXPECT_EQ(S.size(), C.Count);
        EXPECT_EQ(Bounds(S), C.Bounds);
        for (auto [x, y] : S) EXPECT_EQ(Buffer.Pixel(x, y), InvertedGrey) << x << "," << y;
    }
}

TEST_F(ControlLayer, GradientDragCrossAndLine)
{
    Make(100, 50, 2);
    Doc->SetMovedX(30);
    Doc->SetMovedY(5);
    auto S = PaintedBy([&] {
        Doc->SetGradientStartX(10);
        Doc->SetGradientStartY(5);
    });
    // A 13-pixel cross at view (70, 50) and the line on to (110, 50).
    EXPECT_EQ(Bounds(S), (TRect{64, 44, 110, 57}));
    EXPECT_TRUE(S.count({109, 50}));
    EXPECT_TRUE(S.count({69, 50}));
    EXPECT_FALSE(S.count({71, 44}));
    EXPECT_TRUE(S.count({65, 50}));
    EXPECT_FALSE(S.count({72, 50}));  // the arm under the line, inverted twice
}

TEST_F(ControlLayer, PaintToolOutlines)
{
    struct Case {
        const char* Name;
        TProcessBitmapMode Mode;
        Integer Width;
        Single Scale;
        bool Alt;
        size_t Count;  // 0: not checked
        TRect Bounds;
    };
    // The mouse at image (10, 5): view (60, 45) at zoom 1, (70, 50) at 2, (90, 60) at 4.
    const Case Cases[] = {
        {"1-pixel pencil at zoom 4", pbmPencil, 1, 4, false, 1, {90, 60, 91, 61}},
        {"1-pixel pencil at zoom 2 marks it", pbmPencil, 1, 2, false, 5, {64, 44, 77, 57}},
        {"pencil square hangs from the mouse", pbmPencil, 10, 1, false, 36, {60, 45, 70, 55}},
        {"eraser square at zoom 2", pbmEraser, 5, 2, false, 36, {70, 50, 80, 60}},
        {"brush circle centred", pbmBrush, 10, 1, false, 0, {55, 40, 65, 50}},
        {"brush circle scaled", pbmBrush, 6, 2, false, 0, {64, 44, 76, 56}},
        {"stamp without a series", pbmStamp, 9, 1, false, 0, {56, 41, 65, 50}},
        {"stamp picking a source", pbmStamp, 9, 1, true, 0, {51, 36, 70, 55}},
        {"less than a pixel on screen", pbmBrush, 1, 0.5f, false, 5, {49, 36, 62, 49}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Make(100, 50, C.Scale);
        Doc->SetMovedX(10);
        Doc->SetMovedY(5);
        Doc->SetProcessMode(C.Mode);
        Doc->SetProcessWidth(C.Width);
        Doc->SetPressAlt(C.Alt);
        auto S = PaintedBy([&] { Doc->SetControlMode(cmProcess); });
        if (C.Count) EXPECT_EQ(S.size(), C.Count);
        EXPECT_EQ(Bounds(S), C.Bounds);
        for (auto [x, y] : S) EXPECT_EQ(Buffer.Pixel(x, y), InvertedGrey) << x << "," << y;
    }
}

TEST_F(ControlLayer, CloneSourceCrossFollowsTheStroke)
{
    Make(100, 50);
    const TPoint SavedSource = StampSourcePoint;
    auto Restore = ScopeExit([&] { StampSourcePoint = SavedSource; });
    StampSourcePoint = TPoint{40, 20};
    Doc->SetControlMode(cmProcess);
    Doc->SetProcessMode(pbmStamp);
    Doc->SetProcessWidth(1);
    // The series began with the dab at (10, 10); the mouse is 5 right and 2
    // down of it: the stamp copies from 5 right and 2 down of the source.
    Doc->SetMovedX(15);
    Doc->SetMovedY(12);
    auto S = PaintedBy([&] {
        Doc->SetProcessStampStartX(10);
        Doc->SetProcessStampStartY(10);
    });
    EXPECT_EQ(S.size(), 28u);  // a 15-pixel cross, its middle untouched
    EXPECT_EQ(Bounds(S), (TRect{50 + 45 - 7, 40 + 22 - 7, 50 + 45 + 8, 40 + 22 + 8}));
}

TEST_F(ControlLayer, EffectBrushFrameByEffect)
{
    struct Case {
        TEffectMode Mode;
        TColor32 Edge;
        bool Wide;
    };
    const Case Cases[] = {{emBokeh, 0xFFFFFFFF, true}, {emHighlighter, 0xFF0000FF, true}, {emMosaic, 0xFFFF0000, false}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(static_cast<int>(C.Mode));
        Make(100, 50, 2);
        Doc->SetControlMode(cmEffectDraw);
        Doc->SetEffectMode(C.Mode);
        Doc->SetEffectDrawColor(0xFF0000);  // blue, as the platform writes colours
        Doc->SetEffectDrawRect({5, 5, 15, 10});
        Paint();
        // (5, 5) - (15, 10) at zoom 2: view (60, 50) - (80, 60).
        EXPECT_EQ(Buffer.Pixel(60, 55), C.Edge);
        EXPECT_EQ(Buffer.Pixel(80, 60), C.Edge);
        EXPECT_EQ(Buffer.Pixel(70, 55), Grey);
        EXPECT_EQ(Buffer.Pixel(59, 55) != Grey, C.Wide);
        EXPECT_EQ(Buffer.Pixel(58, 55), Grey);
    }
}

TEST_F(ControlLayer, ObjectHandlesUnlessAnotherObjectIsBeingDrawn)
{
    Make(100, 50);
    AddSelectedRectangle(1, {20, 10, 60, 40});
    struct Case {
        TControlMode Mode;
        bool Creating;
        TShapeType Kind;
        bool Shown;
    };
    const Case Cases[] = {
        {cmObject, false, shNone, true},       {cmObject, true, shRectangle, false},
        {cmObject, true, shCrop, true},        {cmObject, true, shSelection, true},
        {cmObject, true, shFreeShape, true},   {cmProcess, false, shNone, false},
        {cmEffectDraw, false, shNone, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << int(C.Mode) << " " << C.Creating << " " << int(C.Kind));
        Doc->SetControlMode(C.Mode);
        Doc->SetShapeCreating(C.Creating);
        // The kind of the object being drawn is that of the current object.
        TRow* Other = nullptr;
        if (C.Kind != shNone) {
            Other = Doc->DT()->AddItem(u"2," + IntToStr(C.Kind) + u",,0,0");
            auto O = std::make_unique<TImgShape>(Doc.get(), 2, nullptr);
            O->SetShapeType(C.Kind);
            Other->Data().Own(std::move(O));
            Doc->SetCurrentShape(2);
        }
        Paint();
        // The white disc on the top-left corner (view 70, 50).
        EXPECT_EQ(Buffer.Pixel(70, 50) == 0xFFFFFFFFu, C.Shown);
        if (Other) {
            Doc->SetCurrentShape(-1);
            Doc->DT()->RemoveItemByIndex(1);
        }
    }
}

TEST_F(ControlLayer, RepaintRequests)
{
    Make(100, 50);
    std::vector<TRect> Areas;
    Integer Layers = 0;
    View.Layers()->OnAreaUpdated = [&](TObject*, const TRect& R, Cardinal) { Areas.push_back(R); };
    View.Layers()->OnLayerUpdated = [&](TObject*, TCustomLayer* L) { Layers += L == Doc->ControlLayer(); };
    Doc->SetControlMode(cmProcess);
    Doc->SetControlMode(cmProcess);  // unchanged: no repaint
    ASSERT_EQ(Areas.size(), 1u);
    EXPECT_EQ(Areas[0], View.GetViewportRect());
    Doc->Draw();
    EXPECT_EQ(Layers, 1);
    // The view paints the layer through its paint handler.
    Buffer.SetSize(800, 600);
    Buffer.Clear(Grey);
    Doc->ControlLayer()->RenderLayer(&Buffer);
    EXPECT_EQ(Buffer.Pixel(Doc->CanvasCtrRect(1).Left + 2, Doc->CanvasCtrRect(1).Top + 2), 0xFFFFFFFFu);
}

// Whole layers of each control mode at zoom 1.5 against pictures checked by
// eye: a selected object's handles, the canvas handles, two guides, the
// ruler and a gradient drag; a clone stamp under way; a highlighter dab.
TEST_F(ControlLayer, WholeLayerOfEachMode)
{
    const TPoint SavedSource = StampSourcePoint;
    auto Restore = ScopeExit([&] { StampSourcePoint = SavedSource; });
    struct Case {
        const char* Name;
        TControlMode Mode;
    };
    for (const Case& C : {Case{"control_layer_object.bmp", cmObject}, Case{"control_layer_process.bmp", cmProcess},
                          Case{"control_layer_effect.bmp", cmEffectDraw}}) {
        SCOPED_TRACE(C.Name);
        MakeWithRuler(1.5f, {60, 40}, {90, 10});
        View.OffsetX = 10;
        View.OffsetY = 10;
        Buffer.SetSize(172, 100);
        AddSelectedRectangle(1, {10, 8, 40, 30});
        Doc->HorzGuidesRow()->AddItem(45);
        Doc->VertGuidesRow()->AddItem(70);
        Doc->SetMovedX(50);
        Doc->SetMovedY(20);
        Doc->SetControlMode(C.Mode);
        if (C.Mode == cmObject) {
            Doc->SetGradientStartX(20);
            Doc->SetGradientStartY(40);
        } else if (C.Mode == cmProcess) {
            Doc->SetProcessMode(pbmStamp);
            Doc->SetProcessWidth(12);
            StampSourcePoint = TPoint{20, 30};
            Doc->SetProcessStampStartX(40);
            Doc->SetProcessStampStartY(10);
        } else {
            Doc->SetEffectMode(emHighlighter);
            Doc->SetEffectDrawColor(0x00C000);
            Doc->SetEffectDrawRect({42, 12, 58, 28});
        }
        // Over a ramp of colours, so that the inverted figures show.
        for (Integer y = 0; y < Buffer.Height(); ++y)
            for (Integer x = 0; x < Buffer.Width(); ++x)
                Buffer.SetPixel(x, y, 0xFF000040 | TColor32(x * 255 / Buffer.Width()) << 16 |
                                          TColor32(y * 255 / Buffer.Height()) << 8);
        Doc->PaintControlLayer(nullptr, &Buffer);
        ExpectGolden(C.Name);
    }
}
