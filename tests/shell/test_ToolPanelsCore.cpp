// The property bar's model: the controls each tool shows, the width pages,
// a tool's defaults read from its row and an object's properties written
// back to its tool's row, the bar's texts and the idle pass's buttons; the
// tool buttons' table and the effect launcher's choices.
#include <gtest/gtest.h>

#include <set>

#include "document/DocumentTestView.h"
#include "document/ImageText.h"
#include "shell/EffectLauncherCore.h"
#include "shell/ToolPanelsCore.h"
#include "shell/ToolSelection.h"

namespace {

TEST(ToolPanelsCore, EachToolShowsItsControls)
{
    struct Case {
        TShapeType Tool;
        Integer Style;
        bool Width, Opacity, PenStyle, Outline, Fill;
        bool Pencil, FillPanel, Brush, Gradient, Arrow, Selection;
    };
    const Case Cases[] = {
        {shNone, 0, false, false, false, false, false, false, false, false, false, false, false},
        {shRectangle, 0, true, true, true, true, true, false, false, false, false, false, false},
        {shArrow, 0, true, true, true, true, false, false, false, false, false, true, false},
        {shLines, 0, true, true, false, true, false, true, false, false, false, false, false},
        {shPencil, 0, true, true, false, false, true, false, false, false, false, false, false},
        {shEraser, 0, true, false, false, false, false, false, false, false, false, false, false},
        {shBrush, 0, false, true, false, false, true, false, false, true, false, false, false},
        {shCloneStamp, 0, false, true, false, false, false, false, false, true, false, false, false},
        {shFill, 0, false, false, false, false, true, false, true, false, false, false, false},
        {shGradientFill, 0, false, true, false, false, false, false, false, false, true, false, false},
        {shSelection, 0, false, false, false, false, false, false, false, false, false, false, true},
        {shSelection, 7, false, false, false, false, false, false, false, false, false, false, false},
        {shSelection, 10, false, false, false, false, false, false, false, false, false, false, true},
        {shHand, 0, false, false, false, false, false, false, false, false, false, false, false},
    };
    for (const Case& C : Cases) {
        const TPropertyVisibility V = PropertyVisibilityFor(C.Tool, C.Style, nullptr, 0);
        const auto Tell = testing::Message() << "tool " << Integer(C.Tool) << " style " << C.Style;
        EXPECT_EQ(V.Width, C.Width) << Tell;
        EXPECT_EQ(V.Opacity, C.Opacity) << Tell;
        EXPECT_EQ(V.PenStyle, C.PenStyle) << Tell;
        EXPECT_EQ(V.OutlineColor, C.Outline) << Tell;
        EXPECT_EQ(V.FillColor, C.Fill) << Tell;
        EXPECT_EQ(V.Pencil, C.Pencil) << Tell;
        EXPECT_EQ(V.Fill, C.FillPanel) << Tell;
        EXPECT_EQ(V.Brush, C.Brush) << Tell;
        EXPECT_EQ(V.GradientPanel, C.Gradient) << Tell;
        EXPECT_EQ(V.Arrow, C.Arrow) << Tell;
        EXPECT_EQ(V.Selection, C.Selection) << Tell;
    }
}

TEST(ToolPanelsCore, TheTextPanelNeedsExactlyOneTextSelected)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, 100, 80, false);
    auto* Text = AddObject<TImgText>(*Doc, 1, shText);
    EXPECT_TRUE(PropertyVisibilityFor(shText, 0, Text, 1).Text);
    EXPECT_FALSE(PropertyVisibilityFor(shText, 0, Text, 2).Text);
    EXPECT_FALSE(PropertyVisibilityFor(shText, 0, nullptr, 1).Text);
    auto* Rect = AddObject(*Doc, 2, shRectangle);
    EXPECT_FALSE(PropertyVisibilityFor(shRectangle, 0, Rect, 1).Text);
}

TEST(ToolPanelsCore, WidthPagesAndTexts)
{
    EXPECT_EQ(WidthOfButton(3, 1), 8);  // page 1 shows 6 to 10
    EXPECT_EQ(WidthOfButton(1, 0), 1);
    for (auto [Width, Page] : {std::pair{1, 0}, {5, 0}, {6, 1}, {10, 1}, {11, 2}, {0, 0}})
        EXPECT_EQ(WidthPageOf(Width), Page) << Width;
    EXPECT_EQ(OpacityText(255), u"100%");
    EXPECT_EQ(OpacityText(102), u"40%");
    EXPECT_EQ(OpacityText(0), u"0%");
}

class ToolRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddEmptyDefaultRows(Rows);
        Doc = NewBlankDocument(View, 200, 100, false);
    }
    TTestView View;
    TDataTable Rows;
    std::unique_ptr<TImageDraw> Doc;
};

TEST_F(ToolRows, AToolsDefaultsComeFromItsRow)
{
    TRow& R = *Rows.GetItem(shRectangle);
    for (auto [Cell, Value] : {std::pair{14, 0x0000FF}, {15, 0x00FF00}, {16, 128}, {18, 7}, {20, -1}, {21, 0}, {22, 2},
                               {24, 3}, {27, 1}, {28, -1}, {29, 4}})
        R.GetItem(Cell)->SetValue(Value);
    R.GetItem(19)->SetText(u"12.5");
    const TShapeProps P = LoadToolProps(&Rows, shRectangle);
    EXPECT_EQ(P.Color, 0x0000FF);
    EXPECT_EQ(P.FillColor, 0x00FF00);
    EXPECT_EQ(P.Opacity, 128);
    EXPECT_EQ(P.OutWidth, 7);
    EXPECT_FLOAT_EQ(P.Angle, 12.5f);
    EXPECT_TRUE(P.IsOutline);
    EXPECT_FALSE(P.IsFill);
    EXPECT_EQ(P.PenStyle, 2);
    EXPECT_EQ(P.StyleId, 3);
    EXPECT_EQ(P.ShadowMode, 1);
    EXPECT_EQ(P.GradientMode, 4);
    // No table: the built-in defaults.
    EXPECT_EQ(LoadToolProps(nullptr, shRectangle).Opacity, 255);
}

TEST_F(ToolRows, AnObjectsPropertiesBecomeItsToolsDefaultsButNotItsOpacity)
{
    auto* S = AddObject(*Doc, 1, shEllipse);
    S->SetColor(0x123456);
    S->SetFillColor(0x654321);
    S->SetOutWidth(9);
    S->SetOpacity(77);
    S->SetIsOutline(false);
    S->SetIsFill(true);
    S->SetStyleId(4);
    Rows.GetItem(shEllipse)->GetItem(16)->SetValue(200);
    const TShapeProps P = TakeShapeProps(*S, &Rows);
    EXPECT_EQ(P.Opacity, 77);
    TRow& R = *Rows.GetItem(shEllipse);
    EXPECT_EQ(R.GetItem(14)->Value(), 0x123456);
    EXPECT_EQ(R.GetItem(15)->Value(), 0x654321);
    EXPECT_EQ(R.GetItem(18)->Value(), 9);
    EXPECT_EQ(R.GetItem(20)->Value(), 0);
    EXPECT_EQ(R.GetItem(21)->Value(), -1);
    EXPECT_EQ(R.GetItem(24)->Value(), 4);
    EXPECT_EQ(R.GetItem(16)->Value(), 200) << "opacity is not written back";
    EXPECT_EQ(Rows.GetItem(shRectangle)->GetItem(14)->Text(), u"") << "only the object's own tool row";
}

TEST_F(ToolRows, ObjectAndAngleTexts)
{
    auto* S = AddObject(*Doc, 1, shRectangle);
    S->SetSRect({10, 20, 40, 60});
    S->SetAngle(30);
    EXPECT_EQ(ObjectText(*S), u"10, 20   30 \u00D7 40");
    EXPECT_EQ(AngleText(*S), u"330\u00B0");
    S->SetAngle(0);
    EXPECT_EQ(AngleText(*S), u"0\u00B0");
    auto* L = AddObject(*Doc, 2, shLine);
    EXPECT_EQ(ObjectText(*L), u"");
    EXPECT_EQ(AngleText(*L), u"");
}

TEST_F(ToolRows, UndoAndRedoButtonsFollowTheUndoStates)
{
    TDataTable UndoDT, ActionDT;
    Doc->SetUndoDT(&UndoDT);
    Doc->SetActionDT(&ActionDT);
    Doc->InitBitmap();
    Doc->SaveUndoFirst();
    TIdleButtons B = IdleButtonsFor(Doc.get());
    EXPECT_FALSE(B.Undo);
    EXPECT_FALSE(B.Redo);
    AddObject(*Doc, 1, shRectangle);
    Doc->SetModified(true);
    Doc->SaveUndo();
    B = IdleButtonsFor(Doc.get());
    EXPECT_TRUE(B.Undo);
    EXPECT_FALSE(B.Redo);
    Doc->Undo();
    B = IdleButtonsFor(Doc.get());
    EXPECT_FALSE(B.Undo) << "after the last undo step";
    EXPECT_TRUE(B.Redo);
    EXPECT_FALSE(IdleButtonsFor(nullptr).Save);
}

TEST(ToolButtons, ThirtyToolButtonsFourteenBrushesFourPairs)
{
    std::set<String> Names;
    Integer Tools = 0, Brushes = 0;
    for (const TToolButtonDef& B : ToolButtonDefs()) {
        EXPECT_TRUE(Names.insert(B.Name).second) << "twice: " << UTF8Encode(B.Name);
        (B.Group == TToolGroup::Magic ? Brushes : Tools) += 1;
        if (B.Group == TToolGroup::Magic) EXPECT_NE(EffectBrushForTag(B.Tag), nullptr) << UTF8Encode(B.Name);
    }
    EXPECT_EQ(Tools, 30);
    EXPECT_EQ(Brushes, 14);
    for (Integer Pair = 1; Pair <= 4; ++Pair) {
        const TToolPairMenu& M = ToolPairMenu(Pair);
        const TToolButtonDef* First = FindToolButton(M.FirstButton);
        const TToolButtonDef* Second = FindToolButton(M.SecondButton);
        ASSERT_TRUE(First && Second) << Pair;
        EXPECT_TRUE(First->Visible);
        EXPECT_FALSE(Second->Visible) << "the second of a pair is hidden at first";
        EXPECT_EQ(First->Pair, Pair);
        EXPECT_EQ(Second->Pair, Pair);
    }
    EXPECT_EQ(FindToolButton(u"sbToolBlurring")->Tag, ToolPairMenu(3).FirstTag);
    EXPECT_EQ(FindToolButton(u"sbToolSharpening")->Tag, ToolPairMenu(3).SecondTag);
    EXPECT_THROW(ToolPairMenu(5), EListError);
}

TEST(EffectLauncherCore, DialogsBrushesAndPanels)
{
    EXPECT_EQ(EffectDialogFor(emBlur), TEffectDialogKind::OneSlider);
    EXPECT_EQ(EffectDialogFor(emRotate), TEffectDialogKind::OneSlider);
    EXPECT_EQ(EffectDialogFor(emLomo), TEffectDialogKind::MultiParameter);
    EXPECT_EQ(EffectDialogFor(emTorn), TEffectDialogKind::Direction);
    EXPECT_EQ(EffectModeOfBrushTag(9), emBlurring);
    EXPECT_EQ(EffectModeOfBrushTag(14), emNone);
    EXPECT_EQ(EffectModeOfBrushTag(-1), emNone);
    EXPECT_EQ(EffectBrushForMode(emHighlighter)->SizeMax, 30);
    EXPECT_EQ(EffectBrushForMode(emRedEye)->SizeMax, 50);
    struct Case {
        TEffectMode Mode;
        bool Eraser, Value, Color, Style, Swatches;
        Integer Height;  // sub-panels 30, 40, 50, 35, 30, 60
    };
    const Case Cases[] = {
        {emMosaic, true, true, false, false, false, 30 + 40 + 50 + 4},
        {emColorize, true, false, true, false, true, 30 + 40 + 35 + 60 + 4},
        {emHighlighter, false, false, true, true, false, 40 + 35 + 30 + 4},
        {emWarping, false, true, false, false, false, 40 + 50 + 4},
        {emRedEye, false, false, false, false, false, 40 + 4},
        {emSaturation, true, true, false, false, false, 30 + 40 + 50 + 4},
    };
    for (const Case& C : Cases) {
        const TDrawEffectPanels P = DrawEffectPanelsFor(C.Mode);
        EXPECT_EQ(P.BrushEraser, C.Eraser) << C.Mode;
        EXPECT_EQ(P.Value, C.Value) << C.Mode;
        EXPECT_EQ(P.BrushColor, C.Color) << C.Mode;
        EXPECT_EQ(P.BrushStyle, C.Style) << C.Mode;
        EXPECT_EQ(P.ColorizeColor, C.Swatches) << C.Mode;
        EXPECT_EQ(DrawEffectPanelHeight(P, {30, 40, 50, 35, 30, 60}), C.Height) << C.Mode;
    }
}

TEST(EffectLauncherCore, SlowPresetsOnLargePicturesAsk)
{
    const Int64 Small = 4000 * 2000, Large = 4000 * 2001;
    for (TEffectMode K : {emBlur, emSharpen, emDenoising, emSoften, emColdBlue, emColdGreen, emWarmRed, emWarmYellow}) {
        EXPECT_FALSE(PresetAsksSize(K, false, Small)) << K;
        EXPECT_TRUE(PresetAsksSize(K, false, Large)) << K;
        EXPECT_FALSE(PresetAsksSize(K, true, Large)) << K << " on a bitmap object";
    }
    for (TEffectMode K : {emAddNoise, emGrayscale, emMonochrome, emYellowing, emMosaic})
        EXPECT_FALSE(PresetAsksSize(K, false, Large)) << K;
}

}  // namespace
