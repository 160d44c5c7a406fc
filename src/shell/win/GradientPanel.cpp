#include "shell/win/GradientPanel.h"

#include <cmath>

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/GradientStops.h"
#include "dialogs/win/GradientEditorForm.h"
#include "dialogs/win/GradientPaint.h"
#include "document/ImageDraw.h"
#include "document/ImageEffects.h"
#include "foundation/Global.h"
#include "foundation/Global_Helpers.h"
#include "foundation/HyPresets.h"
#include "framework/controls/win/ExtCtrls.h"
#include "shell/GradientPanelCore.h"
#include "shell/MainLayoutTable.h"
#include "shell/PropertyPanelsCore.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/MainLayout.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/PropertyPanels.h"
#include "shell/win/ToolPanels.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/controls/win/sfColorCtrls.h"

namespace {

constexpr Integer ListScrollWidth = 17;

TCell* SettingsCell(Integer Cell) { return ConfigTable->GetItem(1)->GetItem(Cell); }

TRow* PresetRow(Integer Index)
{
    return GradientTable && Index >= 0 && Index < GradientTable->ItemCount() ? GradientTable->GetItem(Index) : nullptr;
}

String CellText(TRow* Row, Integer C) { return Row && C < Row->ItemCount() ? Row->GetItem(C)->Text() : String(); }

}  // namespace

TColor GradientForeColor() { return SettingsCell(23)->Value(); }
TColor GradientBackColor() { return SettingsCell(24)->Value(); }

TGradientPanel::TGradientPanel(TfrmZezavEzazer& AForm) : FForm(AForm) {}

TGradientPanel::~TGradientPanel()
{
    FForm.CanvasInput().OnGradientDo = nullptr;
}

void TGradientPanel::CreateControls()
{
    TsfSkinData* SkinData = FForm.SkinData();
    pnlPropGradient = new TsfSkinPanel(&FForm);
    pnlPropGradient->SetName(u"pnlPropGradient");
    pnlPropGradient->SetSkinData(SkinData);
    pnlPropGradient->SetCaption(String());
    pnlPropGradient->SetBounds(0, 0, 236, MainLayoutSize::PropHeight);
    pnlPropGradient->SetVisible(false);
    pnlPropGradient->SetParent(FForm.pnlProp);

    auto Colour = [&](const String& Name, Integer X) {
        auto* C = new TsfSkinColorButton(&FForm);
        C->SetName(Name);
        C->SetSkinData(SkinData);
        C->SetUseSkinSize(false);
        C->SetBounds(X, 34, 44, 24);
        C->SetParent(pnlPropGradient);
        return C;
    };
    clGradientForeColor = Colour(u"clGradientForeColor", 6);
    clGradientBackColor = Colour(u"clGradientBackColor", 54);
    clGradientForeColor->SetColorValue(GradientForeColor());
    clGradientBackColor->SetColorValue(GradientBackColor());
    clGradientForeColor->OnChangeColor = [this](TObject*) {
        SettingsCell(23)->SetValue(clGradientForeColor->ColorValue());
        if (FForm.MainWindowCreated()) DrawGradientPreview(FForm.ToolPanels().Props().Opacity);
    };
    clGradientBackColor->OnChangeColor = [this](TObject*) {
        SettingsCell(24)->SetValue(clGradientBackColor->ColorValue());
        if (FForm.MainWindowCreated()) DrawGradientPreview(FForm.ToolPanels().Props().Opacity);
    };

    imgGradient = new TImage32(&FForm);
    imgGradient->SetName(u"imgGradient");
    imgGradient->SetBounds(6, 8, 92, 17);
    imgGradient->Bitmap()->SetSize(92, 17);
    imgGradient->SetCursor(crHandPoint);
    imgGradient->SetParent(pnlPropGradient);
    imgGradient->OnClick = [this](TObject*) { imgGradientClick(); };

    auto Speed = [&](const String& Name, Integer X, Integer Y, Integer W, const String& Caption) {
        auto* B = new TsfSkinSpeedButton(&FForm);
        B->SetName(Name);
        B->SetSkinData(SkinData);
        B->SetUseSkinSize(false);
        B->SetFlat(true);
        B->SetCaption(Caption);
        B->SetBounds(X, Y, W, 24);
        B->SetParent(pnlPropGradient);
        return B;
    };
    sbGradientList = Speed(u"sbGradientList", 100, 4, 20, u"\u25BE");
    sbGradientList->SetGroupIndex(21);
    sbGradientList->SetAllowAllUp(true);
    sbGradientList->OnClick = [this](TObject*) { sbGradientListClick(); };
    sbGradientEdit = Speed(u"sbGradientEdit", 124, 4, 40, u"\u2026");
    sbGradientEdit->OnClick = [this](TObject*) { imgGradientClick(); };
    const char16_t* Shapes[5] = {u"\u25AD", u"\u25CE", u"", u"\u25EB", u"\u25C7"};
    for (Integer i = 0; i < 5; ++i) {
        sbGradientMode[i] = Speed(u"sbGradientMode" + IntToStr(i), 6 + i * 26, 64, 24, Shapes[i]);
        sbGradientMode[i]->SetTag(i);
        sbGradientMode[i]->SetGroupIndex(22);
        const Integer Tag = i;
        sbGradientMode[i]->OnClick = [this, Tag](TObject*) { sbGradientModeClick(Tag); };
    }
    sbGradientMode[2]->SetVisible(false);

    // The drop-down list of presets.
    pnlGradientList = new TsfSkinPanel(&FForm);
    pnlGradientList->SetName(u"pnlGradientList");
    pnlGradientList->SetSkinData(SkinData);
    pnlGradientList->SetCaption(String());
    pnlGradientList->SetBounds(0, 0, 261 + ListScrollWidth + 5 + 4, 136);
    pnlGradientList->SetVisible(false);
    pnlGradientList->SetParent(&FForm);
    pnlGradientThumb = new TsfSkinPanel(&FForm);
    pnlGradientThumb->SetSkinData(SkinData);
    pnlGradientThumb->SetCaption(String());
    pnlGradientThumb->SetBounds(2, 2, 261 + ListScrollWidth + 5, 132);
    pnlGradientThumb->SetParent(pnlGradientList);
    ScrollBarGra = new TsfSkinScrollBar(&FForm);
    ScrollBarGra->SetSkinData(SkinData);
    ScrollBarGra->SetKind(sbVertical);
    ScrollBarGra->SetBounds(pnlGradientThumb->Width() - ListScrollWidth, 0, ListScrollWidth, 132);
    ScrollBarGra->SetSmallChange(20);
    ScrollBarGra->SetLargeChange(80);
    ScrollBarGra->SetVisible(false);
    ScrollBarGra->SetParent(pnlGradientThumb);
    ScrollBarGra->OnChange = [this](TObject*) { DrawGradientList(-1); };
    TimerGradient = new TTimer(&FForm);
    TimerGradient->SetEnabled(false);
    TimerGradient->SetInterval(500);
    TimerGradient->OnTimer = [this](TObject*) { TimerGradientTimer(); };

    FGradientIndex = FGradientIndex_B =
        ClampPresetIndex(GradientTable ? GradientTable->GetProp(1)->Value() : 0, GradientTable ? GradientTable->ItemCount() : 0);
    const Integer Kind = GradientTable ? GradientTable->GetProp(2)->Value() : 0;
    if (Kind >= 0 && Kind < 5) sbGradientMode[Kind]->SetDown(true);

    FForm.CanvasInput().OnGradientDo = [this] { GradientDo(); };
    TToolPanels& Tools = FForm.ToolPanels();
    auto Before = Tools.OnFillPanels;
    Tools.OnFillPanels = [this, Before](const TPropertyVisibility& V) {
        if (Before) Before(V);
        Fill(V);
    };
}

void TGradientPanel::Fill(const TPropertyVisibility& V)
{
    pnlPropGradient->SetVisible(V.GradientPanel);
    if (!V.GradientPanel) {
        pnlGradientList->SetVisible(false);
        return;
    }
    // The panel takes the option panels' place between the tool's panel and the styles.
    auto* Shape = FForm.Layout().Part(u"pnlShape");
    const TBarPlaces B = ::ArrangeBar(Shape->Left() + Shape->Width(), pnlPropGradient->Width(),
                                      FForm.pnlStyles->Width(), FForm.pnlShowRight->Width(),
                                      FForm.pnlProp->ClientWidth());
    pnlPropGradient->SetLeft(Shape->Left() + Shape->Width() + 3);
    FForm.pnlStyles->SetLeft(B.StylesLeft);
    FForm.pnlStyles->SetWidth(B.StylesWidth);
    FForm.pnlShowRight->SetLeft(B.SwitchLeft);
    if (GradientTable) FGradientIndex = ClampPresetIndex(FGradientIndex, GradientTable->ItemCount());
    DrawGradientPreview(FForm.ToolPanels().Props().Opacity);
}

void TGradientPanel::DrawGradientPreview(Integer Opacity)
{
    TRow* Row = PresetRow(FGradientIndex);
    TRow C, O, P;
    SplitGradientList(CellText(Row, 1), C);
    SplitGradientList(CellText(Row, 2), O);
    SplitGradientList(CellText(Row, 3), P);
    FGradientColors.clear();
    FGradientPositions.clear();
    BuildGradientBlend(C, O, P, Opacity, FGradientColors, FGradientPositions, GradientForeColor(),
                       GradientBackColor());
    TBitmap32* B = imgGradient->Bitmap();
    B->Clear(0xFFFFFFFF);
    DrawCheckerboard(B, TRect{0, 0, B->Width(), B->Height()}, 4);
    TGradientBlend Blend;
    for (TColor32 X : FGradientColors) Blend.Colors.push_back(TGPColor{X});
    Blend.Positions = FGradientPositions;
    PaintGradient(*B, TRect{0, 0, B->Width(), B->Height()}, Blend, false);
    imgGradient->Invalidate();
}

void TGradientPanel::sbGradientModeClick(Integer Tag)
{
    if (GradientTable) GradientTable->GetProp(2)->SetValue(Tag);
}

void TGradientPanel::imgGradientClick()
{
    TimerGradient->SetEnabled(false);
    pnlGradientList->SetVisible(false);
    sbGradientList->SetDown(false);
    if (!GradientTable) return;
    Integer Result;
    {
        auto Dialog = std::make_unique<TfrmGradientEditor>(Application, FForm.SkinData(), &FForm, *GradientTable,
                                                           GradientForeColor(), GradientBackColor());
        if (OnDialogShown) OnDialogShown(*Dialog);
        Result = Dialog->ShowModal();
    }
    // After a Cancel that followed deletions the kept index may be past the end.
    const Integer Rows = GradientTable->ItemCount();
    if (Result == mrOk) FGradientIndex = FGradientIndex_B = ClampPresetIndex(GradientTable->GetProp(1)->Value(), Rows);
    FGradientIndex = ClampPresetIndex(FGradientIndex, Rows);
    FGradientIndex_B = ClampPresetIndex(FGradientIndex_B, Rows);
    DrawGradientPreview(FForm.ToolPanels().Props().Opacity);
    FForm.AfterModalDialog();
}

void TGradientPanel::CreateGradientListImages()
{
    if (!GradientTable) return;
    while (static_cast<Integer>(FGradientThumbBox.size()) < GradientTable->ItemCount()) {
        const Integer Index = static_cast<Integer>(FGradientThumbBox.size());
        auto* T = new TImage32(&FForm);
        T->SetBounds(0, 0, 33, 33);
        T->Bitmap()->SetSize(33, 33);
        T->SetTag(Index);
        T->SetShowHint(true);
        T->SetCursor(crHandPoint);
        T->SetVisible(false);
        T->SetParent(pnlGradientThumb);
        T->OnMouseDown = [this, Index](TObject*, TMouseButton, TShiftState, Integer, Integer, TCustomLayer*) {
            GradientListClick(Index);
        };
        T->OnMouseEnter = [T, Index](TObject*) { T->SetHint(CellText(PresetRow(Index), 10 + LangColumn)); };
        FGradientThumbBox.push_back(T);
    }
}

void TGradientPanel::sbGradientListClick()
{
    if (!sbGradientList->Down()) {
        pnlGradientList->SetVisible(false);
        TimerGradient->SetEnabled(false);
        return;
    }
    CreateGradientListImages();
    ScrollGradientList(true);
    if (ScrollBarGra->Visible())
        ScrollBarGra->SetPosition(ListScrollFor(FGradientIndex, FGradientThumbColCount, 32, ScrollBarGra->Max()));
    const TPoint Origin = FForm.ScreenToClient(sbGradientList->ClientToScreen(TPoint{0, 0}));
    pnlGradientList->SetLeft(std::max(Origin.X - 80, 0));
    pnlGradientList->SetTop(FForm.pnlProp->Top() + FForm.pnlProp->Height());
    pnlGradientList->SetVisible(true);
    pnlGradientList->BringToFront();
    TimerGradient->SetEnabled(true);
}

void TGradientPanel::TimerGradientTimer()
{
    POINT P;
    GetCursorPos(&P);
    auto Inside = [&](TWinControl* C) {
        RECT R;
        ::GetClientRect(C->Handle(), &R);
        ::MapWindowPoints(C->Handle(), nullptr, reinterpret_cast<POINT*>(&R), 2);
        return ::PtInRect(&R, P) != 0;
    };
    if (Inside(pnlPropGradient) || (pnlGradientList->Visible() && Inside(pnlGradientList))) return;
    TimerGradient->SetEnabled(false);
    pnlGradientList->SetVisible(false);
    sbGradientList->SetDown(false);
}

void TGradientPanel::GradientListClick(Integer Index)
{
    if (Index == FGradientIndex || !GradientTable || Index >= GradientTable->ItemCount()) return;
    FGradientIndex = Index;
    DrawGradientList(FGradientIndex_B);
    DrawGradientList(FGradientIndex);
    FGradientIndex_B = FGradientIndex;
    GradientTable->GetProp(1)->SetValue(Index);
    DrawGradientPreview(FForm.ToolPanels().Props().Opacity);
}

void TGradientPanel::ScrollGradientList(bool Reset)
{
    if (!GradientTable) return;
    const Integer Columns = ThumbColumns(pnlGradientThumb->Width(), ListScrollWidth);
    const Integer Rows = (GradientTable->ItemCount() + Columns - 1) / Columns;
    const Integer Range = Rows * 32 + 1 - pnlGradientThumb->Height();
    ScrollBarGra->SetVisible(Range > 0);
    if (Range > 0) ScrollBarGra->SetMax(Range);
    if (Reset || Range <= 0) ScrollBarGra->SetPosition(0);
    DrawGradientList(-1);
}

void TGradientPanel::DrawGradientList(Integer Index)
{
    if (!GradientTable) return;
    FGradientThumbColCount = ThumbColumns(pnlGradientThumb->Width(), ListScrollWidth);
    for (Integer i = 0; i < static_cast<Integer>(FGradientThumbBox.size()); ++i) {
        if (Index >= 0 && i != Index) continue;
        TImage32* T = FGradientThumbBox[static_cast<size_t>(i)];
        const bool Shown = i < GradientTable->ItemCount();
        T->SetVisible(Shown);
        if (!Shown) continue;
        const TPoint P =
            ThumbPlace(i, FGradientThumbColCount, ScrollBarGra->Visible() ? ScrollBarGra->Position() : 0);
        T->SetBounds(P.X, P.Y, 33, 33);
        TRow* Row = PresetRow(i);
        PaintGradientTile(*T->Bitmap(),
                          GradientBlendOf(CellText(Row, 1), CellText(Row, 2), CellText(Row, 3), 255,
                                          GradientForeColor(), GradientBackColor()),
                          i == FGradientIndex);
        T->Invalidate();
    }
}

void TGradientPanel::GradientDo()
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return;
    DrawGradientPreview(FForm.ToolPanels().Props().Opacity);
    Doc->GradientDo(GradientTable ? GradientTable->GetProp(2)->Value() : 0, FGradientColors, FGradientPositions);
    Doc->Draw();
}
