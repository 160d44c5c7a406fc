// The highlighter brush under Wine: its pen paints through GDI+ into the
// highlight layer, which multiplies over the picture. Wine's GDI+ draws
// without anti-aliasing, so the samples keep clear of the stroke's edges.
#include <gtest/gtest.h>

#include "../DocumentTestView.h"
#include "document/win/ImageDraw_Win.h"
#include "filters/Ras32_BlendModes.h"

namespace {
constexpr TColor Yellow = 0x00FFFF;  // 0xBBGGRR
constexpr TColor32 Grey = 0xC0808080;  // half grey, partly transparent

class EffectBrushWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallImageDrawHooks();
        Doc = NewBlankDocument(View, 80, 50, false, 0xFFFFFF);
        Doc->SrcBmp()->Clear(Grey);
        Doc->SetUndoDT(&UndoDT);
        Doc->InitBitmap();
        Doc->SaveUndoFirst();
        Doc->SetEffectMode(emHighlighter);
        Doc->SetEffectDrawColor(Yellow);
        Doc->SetEffectDrawRadius(4);  // an 8-pixel pen
        Doc->EffectDrawBegin(0);
    }
    void Stroke(std::initializer_list<TPoint> Points)
    {
        const TPoint First = *Points.begin();
        Doc->EffectDrawDo(false, 0, First.X, First.Y);
        Doc->EffectDrawPrepare(ssLeft, First.X, First.Y);
        for (const TPoint& P : Points) Doc->EffectDrawDo(true, ssLeft, P.X, P.Y);
        Doc->EffectDrawEnd();
        Doc->SaveUndo();
    }

    TTestView View;
    TDataTable UndoDT;
    std::unique_ptr<TImageDraw> Doc;
};
}  // namespace

TEST_F(EffectBrushWin, TheStrokeMultipliesItsColourOverThePictureOnce)
{
    Stroke({{10, 20}, {40, 20}, {70, 20}});
    // Grey times yellow: red and green stay, blue goes; the alpha is the picture's.
    TColor32 Highlighted = Grey;
    BlendMultiply(0xFFFFFF00, Highlighted, 255);
    ASSERT_NE(Highlighted, Grey);
    const struct {
        TPoint P;
        TColor32 Want;
    } Samples[] = {{{10, 20}, Highlighted}, {{40, 21}, Highlighted}, {{70, 19}, Highlighted},
                   {{40, 10}, Grey},        {{40, 30}, Grey},        {{76, 20}, Grey}};
    for (const auto& S : Samples) EXPECT_EQ(Doc->SrcBmp()->Pixel(S.P.X, S.P.Y), S.Want) << S.P.X << "," << S.P.Y;
    // A second stroke across the first darkens nothing twice: the layer
    // holds the colour once.
    Stroke({{40, 5}, {40, 45}});
    EXPECT_EQ(Doc->SrcBmp()->Pixel(40, 20), Highlighted);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(40, 40), Highlighted);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(20, 40), Grey);
    // The strokes are one state, taken when the brush is left.
    EXPECT_EQ(Doc->UndoCount(), 1);
    Doc->EffectDrawOver(false);
    EXPECT_EQ(Doc->UndoCount(), 2);
    Doc->Undo();
    EXPECT_EQ(Doc->SrcBmp()->Pixel(40, 20), Grey);
    Doc->Redo();
    EXPECT_EQ(Doc->SrcBmp()->Pixel(40, 20), Highlighted);
}
