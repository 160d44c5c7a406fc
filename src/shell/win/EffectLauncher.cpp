#include "shell/win/EffectLauncher.h"

#include <algorithm>
#include <memory>

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/ImageColorAdjust.h"
#include "dialogs/win/ImageDirection.h"
#include "dialogs/win/ImageEffects.h"
#include "dialogs/win/ImageMosaic.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/MainLayout.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ToolPanels.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"

namespace {
// Heights of the brush panel's parts, from the top.
constexpr TDrawEffectHeights Heights{28, 44, 50, 30, 28, 48};
constexpr Integer PanelWidth = 150;

// The ten swatches of the colourise brush.
constexpr TColor Swatches[10] = {0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0x808000,
                                 0xFF0000, 0x800080, 0xFF00FF, 0x808080, 0x000000};

// Makes a panel stacked from the top of Parent.
TsfSkinPanel* SubPanel(TfrmZezavEzazer& F, TWinControl* Parent, const String& Name, Integer Height)
{
    auto* P = new TsfSkinPanel(&F);
    P->SetName(Name);
    P->SetSkinData(F.SkinData());
    P->SetCaption(String());
    P->SetBounds(0, 1000, PanelWidth, Height);
    P->SetAlign(alTop);
    P->SetParent(Parent);
    return P;
}

TLabel* NewLabel(TfrmZezavEzazer& F, TWinControl* Parent, const String& Name, Integer X, Integer Y, Integer W)
{
    auto* L = new TLabel(&F);
    L->SetName(Name);
    L->SetAutoSize(false);
    L->SetCaption(String());
    L->SetBounds(X, Y, W, 16);
    L->SetParent(Parent);
    return L;
}

TsfSkinSpeedButton* NewSpeed(TfrmZezavEzazer& F, TWinControl* Parent, const String& Name, Integer X, Integer Y,
                             Integer W, const String& Caption, Integer Group)
{
    auto* B = new TsfSkinSpeedButton(&F);
    B->SetName(Name);
    B->SetSkinData(F.SkinData());
    B->SetUseSkinSize(false);
    B->SetFlat(true);
    B->SetCaption(Caption);
    B->SetGroupIndex(Group);
    B->SetBounds(X, Y, W, 24);
    B->SetParent(Parent);
    return B;
}

TsfSkinSlider* NewSlider(TfrmZezavEzazer& F, TWinControl* Parent, const String& Name, Integer Y)
{
    auto* S = new TsfSkinSlider(&F);
    S->SetName(Name);
    S->SetSkinData(F.SkinData());
    S->SetBounds(4, Y, PanelWidth - 8, 22);
    S->SetIncrement(1);
    S->SetParent(Parent);
    return S;
}
}  // namespace

TEffectLauncher::TEffectLauncher(TfrmZezavEzazer& AForm) : FForm(AForm) {}

TEffectLauncher::~TEffectLauncher() = default;

void TEffectLauncher::CreateControls()
{
    pnlDrawEffect = new TsfSkinPanel(&FForm);
    pnlDrawEffect->SetName(u"pnlDrawEffect");
    pnlDrawEffect->SetSkinData(FForm.SkinData());
    pnlDrawEffect->SetCaption(String());
    pnlDrawEffect->SetVisible(false);
    pnlDrawEffect->SetBounds(0, 0, PanelWidth + 4, 100);
    pnlDrawEffect->SetParent(&FForm);

    pnlDrawEffectBrushEraser = SubPanel(FForm, pnlDrawEffect, u"pnlDrawEffectBrushEraser", Heights.BrushEraser);
    sbDrawEffectBrush = NewSpeed(FForm, pnlDrawEffectBrushEraser, u"sbDrawEffectBrush", 4, 2, 70,
                                 GetLangText(2, 28), 21);
    sbDrawEffectEraser = NewSpeed(FForm, pnlDrawEffectBrushEraser, u"sbDrawEffectEraser", 76, 2, 70,
                                  GetLangText(2, 29), 21);
    for (auto* B : {sbDrawEffectBrush, sbDrawEffectEraser})
        B->OnClick = [this](TObject*) {
            if (!FPending) ApplyEffectDrawSettings();
        };

    pnlDrawEffectBrushSize = SubPanel(FForm, pnlDrawEffect, u"pnlDrawEffectBrushSize", Heights.BrushSize);
    NewLabel(FForm, pnlDrawEffectBrushSize, u"lblDrawEffectBrushSize", 6, 2, 90)->SetCaption(GetLangText(2, 9));
    lblDrawEffectBrushValue = NewLabel(FForm, pnlDrawEffectBrushSize, u"lblDrawEffectBrushValue", 100, 2, 46);
    sliderDrawEffectBrushSize = NewSlider(FForm, pnlDrawEffectBrushSize, u"sliderDrawEffectBrushSize", 18);
    sliderDrawEffectBrushSize->OnChange = [this](TObject*) { sliderDrawEffectBrushSizeChange(); };
    sliderDrawEffectBrushSize->OnChanged = [this](TObject*) { sliderDrawEffectBrushSizeChanged(); };

    pnlDrawEffectValue1 = SubPanel(FForm, pnlDrawEffect, u"pnlDrawEffectValue1", Heights.Value);
    lblDrawEffectData1 = NewLabel(FForm, pnlDrawEffectValue1, u"lblDrawEffectData1", 6, 2, 90);
    lblDrawEffectValue1 = NewLabel(FForm, pnlDrawEffectValue1, u"lblDrawEffectValue1", 100, 2, 46);
    sliderDrawEffectData1 = NewSlider(FForm, pnlDrawEffectValue1, u"sliderDrawEffectData1", 18);
    sliderDrawEffectData1->OnChange = [this](TObject*) { sliderDrawEffectData1Change(); };
    sliderDrawEffectData1->OnChanged = [this](TObject*) { sliderDrawEffectData1Changed(); };

    pnlDrawEffectBrushColor = SubPanel(FForm, pnlDrawEffect, u"pnlDrawEffectBrushColor", Heights.BrushColor);
    lblDrawEffectBrushColor = NewLabel(FForm, pnlDrawEffectBrushColor, u"lblDrawEffectBrushColor", 6, 8, 60);
    lblDrawEffectBrushColor->SetCaption(GetLangText(2, 30));
    cbDrawEffectBrushColor = new TsfSkinColorButton(&FForm);
    cbDrawEffectBrushColor->SetName(u"cbDrawEffectBrushColor");
    cbDrawEffectBrushColor->SetSkinData(FForm.SkinData());
    cbDrawEffectBrushColor->SetUseSkinSize(false);
    // The colour button sits a little above its label.
    cbDrawEffectBrushColor->SetBounds(70, lblDrawEffectBrushColor->Top() - 3, 50, 24);
    cbDrawEffectBrushColor->SetDrawColorMarker(true);
    cbDrawEffectBrushColor->SetParent(pnlDrawEffectBrushColor);
    cbDrawEffectBrushColor->OnChangeColor = [this](TObject*) { cbDrawEffectBrushColorChangeColor(); };

    pnlDrawEffectBrushStyle = SubPanel(FForm, pnlDrawEffect, u"pnlDrawEffectBrushStyle", Heights.BrushStyle);
    for (Integer i = 0; i < 4; ++i) {
        sbDrawEffectHLStyle[i] = NewSpeed(FForm, pnlDrawEffectBrushStyle, u"sbDrawEffectHLStyle" + IntToStr(i),
                                          4 + i * 36, 2, 34, IntToStr(i + 1), 22);
        sbDrawEffectHLStyle[i]->SetTag(i);
        const Integer Tag = i;
        sbDrawEffectHLStyle[i]->OnClick = [this, Tag](TObject*) {
            SetCell(HighlighterStyleCell, Tag);
            ApplyEffectDrawSettings();
        };
    }

    pnlDrawEffectColorizeColor = SubPanel(FForm, pnlDrawEffect, u"pnlDrawEffectColorizeColor", Heights.ColorizeColor);
    for (Integer i = 0; i < 10; ++i) {
        auto* S = new TShape(&FForm);
        S->SetName(u"Shape" + IntToStr(i + 1));
        S->Brush()->SetColor(Swatches[i]);
        S->SetBounds(6 + (i % 5) * 28, 2 + (i / 5) * 22, 24, 20);
        S->SetParent(pnlDrawEffectColorizeColor);
        S->OnMouseDown = [this, i](TObject*, TMouseButton, TShiftState, Integer, Integer) { SwatchDown(i); };
        Shapes[i] = S;
    }
}

// ---------------------------------------------------------------------------
// Effect dialogs

bool TEffectLauncher::ShowEffectDialog(const String& Caption)
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return false;
    bool Ok = false;
    if (TRow* Row = Settings()) {
        std::unique_ptr<TForm> Dialog;
        // The multi-parameter dialog remembers a place of its own; the
        // others share one.
        Integer* Left = &FForm.FEffectWindowLeft;
        Integer* Top = &FForm.FEffectWindowTop;
        switch (EffectDialogFor(Doc->EffectMode())) {
            case TEffectDialogKind::MultiParameter:
                Dialog = std::make_unique<TfrmImageEffects>(Application, FForm.SkinData(), *Doc, *Row, &FForm);
                Left = &FForm.FEffectsWindowLeft, Top = &FForm.FEffectsWindowTop;
                break;
            case TEffectDialogKind::Direction:
                Dialog = std::make_unique<TfrmImageDirection>(Application, FForm.SkinData(), *Doc, *Row);
                break;
            case TEffectDialogKind::OneSlider:
                Dialog = std::make_unique<TfrmImageMosaic>(Application, FForm.SkinData(), *Doc, *Row);
                break;
        }
        Dialog->SetLeft(*Left);
        Dialog->SetTop(*Top);
        Dialog->SetCaption(Caption);
        Ok = RunEffectDialog(*Dialog, *Doc);
        *Left = Dialog->Left();
        *Top = Dialog->Top();
        Dialog.reset();
        AfterModalDialog();
    }
    Doc->SetEffectMode(emNone);
    return Ok;
}

bool TEffectLauncher::RunEffectDialog(TForm& Dialog, TImageDraw& Doc)
{
    if (OnDialogShown) {
        TForm* D = &Dialog;
        auto Test = OnDialogShown;
        auto Prior = Dialog.OnShow;
        Dialog.OnShow = [D, Test, Prior](TObject* S) {
            if (Prior) Prior(S);
            Test(*D);
        };
    }
    Doc.EffectBegin();
    const bool Ok = Dialog.ShowModal() == mrOk;
    Doc.EffectEnd(Ok);
    return Ok;
}

bool TEffectLauncher::ShowColorAdjustDialog(TImageDraw& Doc)
{
    auto Dialog = std::make_unique<TfrmImageColorAdjust>(Application, FForm.SkinData(), Doc, &FForm);
    Dialog->SetLeft(FForm.FColorAdjustWindowLeft);
    Dialog->SetTop(FForm.FColorAdjustWindowTop);
    const bool Ok = RunEffectDialog(*Dialog, Doc);
    FForm.FColorAdjustWindowLeft = Dialog->Left();
    FForm.FColorAdjustWindowTop = Dialog->Top();
    return Ok;
}

void TEffectLauncher::AfterModalDialog()
{
    TCanvasInputCore& Core = FForm.CanvasInput().Core();
    if (Core.PressAlt()) Core.SetModifierKeyState(18, false);
}

// ---------------------------------------------------------------------------
// Effect brushes

TRow* TEffectLauncher::Settings() const
{
    return ConfigTable && ConfigTable->ItemCount() > 2 ? ConfigTable->GetItem(2) : nullptr;
}

Integer TEffectLauncher::Cell(Integer Index) const
{
    TRow* R = Settings();
    return R && Index >= 0 && Index < R->ItemCount() ? R->GetItem(Index)->Value() : 0;
}

void TEffectLauncher::SetCell(Integer Index, Integer Value)
{
    TRow* R = Settings();
    if (R && Index >= 0 && Index < R->ItemCount()) R->GetItem(Index)->SetValue(Value);
}

TsfSkinSpeedButton* TEffectLauncher::ModeButton(TEffectMode Mode) const
{
    const TEffectBrushDef* B = EffectBrushForMode(Mode);
    if (!B) return nullptr;
    for (const TToolButtonDef& D : ToolButtonDefs())
        if (D.Group == TToolGroup::Magic && D.Tag == B->Tag) return FForm.ToolPanels().Button(D.Name);
    return nullptr;
}

void TEffectLauncher::sbToolMosaicClick(TObject* Sender)
{
    auto* B = dynamic_cast<TsfSkinSpeedButton*>(Sender);
    TImageDraw* Doc = FForm.Documents().Live();
    if (!B) return;
    // Not while an object is being drawn: the button springs back.
    if (!Doc || Doc->ShapeCreating()) {
        B->SetDown(false);
        return;
    }
    const TEffectMode Mode = EffectModeOfBrushTag(B->Tag());
    FEffectWillReStart = B->Down() && FEffectDrawing;
    EndEffectDrawing();
    if (B->Down()) StartEffectDrawing(Mode);
}

void TEffectLauncher::StartEffectDrawing(TEffectMode Mode)
{
    TImageDraw* Doc = FForm.Documents().Live();
    const TEffectBrushDef* Def = EffectBrushForMode(Mode);
    if (!Doc || !Def) return;
    if (Doc->DeleteSelectionCropShape(true)) {
        Doc->SaveUndo();
        Doc->Draw();
    }
    TToolPanels& Tools = FForm.ToolPanels();
    Tools.SelectTool(shNone);
    Tools.LoadToolProperties();
    Tools.SyncShapeButtons();

    Doc->SetEffectMode(Mode);
    sbDrawEffectBrush->SetDown(true);
    FEffectDrawing = true;
    FPending = true;
    sliderDrawEffectBrushSize->SetMinValue(Def->SizeMin);
    sliderDrawEffectBrushSize->SetMaxValue(Def->SizeMax);
    if (BrushHasValue(*Def)) {
        sliderDrawEffectData1->SetMinValue(Def->ValueMin);
        sliderDrawEffectData1->SetMaxValue(Def->ValueMax);
        sliderDrawEffectData1->SetValue(Cell(Def->ValueCell));
        sliderDrawEffectData1Change();
    }
    sliderDrawEffectBrushSize->SetValue(Cell(Def->SizeCell));
    lblDrawEffectBrushValue->SetCaption(IntToStr(sliderDrawEffectBrushSize->Value()));
    Cardinal Value = BrushHasValue(*Def) ? static_cast<Cardinal>(sliderDrawEffectData1->Value()) : 0;
    if (Def->ColorCell >= 0) cbDrawEffectBrushColor->SetColorValue(static_cast<TColor>(Cell(Def->ColorCell)));
    if (Mode == emColorize) Value = static_cast<Cardinal>(ColorToRGB(cbDrawEffectBrushColor->ColorValue()));
    if (Mode == emHighlighter) {
        const Integer Style = std::clamp(Cell(HighlighterStyleCell), 0, 3);
        sbDrawEffectHLStyle[Style]->SetDown(true);
    }
    ApplyEffectDrawSettings();
    Doc->EffectDrawBegin(Value);
    LayoutPanel(Mode);
    Doc->SetControlMode(cmEffectDraw);
    FPending = false;
}

void TEffectLauncher::LayoutPanel(TEffectMode Mode)
{
    const TDrawEffectPanels P = DrawEffectPanelsFor(Mode);
    // Stacked from the top in their order: each is placed below the last.
    Integer Top = 0;
    const std::pair<TsfSkinPanel*, bool> Parts[] = {
        {pnlDrawEffectBrushEraser, P.BrushEraser}, {pnlDrawEffectBrushSize, P.BrushSize},
        {pnlDrawEffectValue1, P.Value},           {pnlDrawEffectBrushColor, P.BrushColor},
        {pnlDrawEffectBrushStyle, P.BrushStyle},   {pnlDrawEffectColorizeColor, P.ColorizeColor},
    };
    for (auto [Panel, Show] : Parts) {
        Panel->SetVisible(Show);
        if (Show) {
            Panel->SetTop(Top);
            Top += Panel->Height();
        }
    }
    auto* Magic = FForm.Layout().Part(u"pnlMagicTools");
    pnlDrawEffect->SetBounds(FForm.pnlLeft->Width() + 3,
                             FForm.Layout().Part(u"pnlShape")->Height() + Magic->Top(), PanelWidth + 4,
                             DrawEffectPanelHeight(P, Heights));
    pnlDrawEffect->SetVisible(true);
    pnlDrawEffect->BringToFront();
}

void TEffectLauncher::FinishEffectDrawing(bool IsUndo)
{
    if (!FEffectDrawing) return;
    TImageDraw* Doc = FForm.Documents().Live();
    if (Doc)
        if (TsfSkinSpeedButton* B = ModeButton(Doc->EffectMode())) B->SetDown(false);
    pnlDrawEffect->SetVisible(false);
    if (!FEffectWillReStart) {
        TToolPanels& Tools = FForm.ToolPanels();
        Tools.SelectTool(Tools.Tools().ShapeTypeB());
        Tools.LoadToolProperties();
        Tools.SyncShapeButtons();
    }
    FEffectWillReStart = false;
    if (Doc) {
        Doc->EffectDrawOver(IsUndo);
        Doc->SetEffectMode(emNone);
        Doc->Draw();
        Doc->ClearUndoStateName(u"EffectDraw");
    }
    FEffectDrawing = false;
}

void TEffectLauncher::EndEffectDrawing()
{
    if (FEffectDrawing) FinishEffectDrawing(false);
}

void TEffectLauncher::ApplyEffectDrawSettings()
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!FEffectDrawing || !Doc) return;
    Doc->SetEffectDrawRadius(sliderDrawEffectBrushSize->Value() / 2);
    Doc->SetEffectDrawColor(cbDrawEffectBrushColor->ColorValue());
    Doc->SetEffectDrawErase(sbDrawEffectEraser->Down());
    if (Doc->EffectMode() == emHighlighter) Doc->SetEffectDrawStyle(Cell(HighlighterStyleCell));
}

void TEffectLauncher::DocumentGodoStart(const String& State)
{
    if (FEffectDrawing && State != u"EffectDraw") FinishEffectDrawing(true);
}

void TEffectLauncher::sliderDrawEffectBrushSizeChange()
{
    lblDrawEffectBrushValue->SetCaption(IntToStr(sliderDrawEffectBrushSize->Value()));
    if (FPending) return;
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return;
    ApplyEffectDrawSettings();
    // The new outline shows under the view's centre.
    TImgView32& View = *FForm.Image;
    const TRect VP = View.GetViewportRect();
    const TPoint C = View.ControlToBitmap(TPoint{(VP.Left + VP.Right) / 2, (VP.Top + VP.Bottom) / 2});
    Doc->EffectDrawDo(false, TShiftState(), C.X, C.Y);
    if (const TEffectBrushDef* Def = EffectBrushForMode(Doc->EffectMode()))
        SetCell(Def->SizeCell, sliderDrawEffectBrushSize->Value());
}

void TEffectLauncher::sliderDrawEffectBrushSizeChanged()
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (FPending || !Doc) return;
    const TEffectMode M = Doc->EffectMode();
    if (M == emWarping || M == emZooming || M == emTwirling)
        Doc->EffectDrawReBegin(static_cast<Cardinal>(sliderDrawEffectData1->Value()), false);
}

void TEffectLauncher::sliderDrawEffectData1Change()
{
    lblDrawEffectValue1->SetCaption(IntToStr(sliderDrawEffectData1->Value()));
    TImageDraw* Doc = FForm.Documents().Live();
    if (const TEffectBrushDef* Def = Doc ? EffectBrushForMode(Doc->EffectMode()) : nullptr)
        if (Def->CaptionIndex) lblDrawEffectData1->SetCaption(GetLangText(2, Def->CaptionIndex));
}

void TEffectLauncher::sliderDrawEffectData1Changed()
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (FPending || !Doc) return;
    Doc->EffectDrawReBegin(static_cast<Cardinal>(sliderDrawEffectData1->Value()), false);
    if (const TEffectBrushDef* Def = EffectBrushForMode(Doc->EffectMode()))
        SetCell(Def->ValueCell, sliderDrawEffectData1->Value());
}

void TEffectLauncher::cbDrawEffectBrushColorChangeColor()
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (FPending || !Doc) return;
    ApplyEffectDrawSettings();
    const TColor C = cbDrawEffectBrushColor->ColorValue();
    if (Doc->EffectMode() == emColorize) {
        Doc->EffectDrawReBegin(static_cast<Cardinal>(ColorToRGB(C)), false);
        SetCell(16, static_cast<Integer>(C));
    } else if (Doc->EffectMode() == emHighlighter) {
        SetCell(18, static_cast<Integer>(C));
    }
}

void TEffectLauncher::SwatchDown(Integer Index)
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc || !FEffectDrawing) return;
    const TColor C = Shapes[Index]->Brush()->Color();
    FPending = true;
    cbDrawEffectBrushColor->SetColorValue(C);
    FPending = false;
    Doc->EffectDrawReBegin(static_cast<Cardinal>(ColorToRGB(C)), false);
    SetCell(16, static_cast<Integer>(C));
    ApplyEffectDrawSettings();
}
