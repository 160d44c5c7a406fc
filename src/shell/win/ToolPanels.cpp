#include "shell/win/ToolPanels.h"

#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/HyPresets.h"
#include "framework/controls/win/Menus.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/ToolGlyphs.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/CanvasRulers.h"
#include "shell/win/EffectLauncher.h"
#include "shell/win/MainLayout.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/OpenFileStrip.h"
#include "shell/win/PresetPanel.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinExCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinMenus.h"

namespace {
constexpr Integer ToolButtonSize = 28, ToolPitch = 30;
constexpr Cardinal LongPressTimerId = 1;

// Where a group's buttons go: the panel and its columns.
const char16_t* GroupPanel(TToolGroup G)
{
    switch (G) {
        case TToolGroup::Shape: return u"pnlShape";
        case TToolGroup::Tools: return u"pnlTools";
        case TToolGroup::Selection: return u"pnlSelection";
        case TToolGroup::Magic: return u"pnlMagicTools";
    }
    return u"pnlShape";
}

// A glyph as a picture blended over what is below: Ink where the mask has
// ink, as much of it as the mask says.
std::unique_ptr<TBitmap> GlyphPicture(const TToolGlyphRows& Glyph, TColor Ink)
{
    const TColor RGB = ColorToRGB(Ink);
    const Integer R = RGB & 0xFF, G = (RGB >> 8) & 0xFF, B = (RGB >> 16) & 0xFF;
    auto Bmp = std::make_unique<TBitmap>();
    Bmp->SetPixelFormat(pf32bit);
    Bmp->SetSize(ToolGlyphSize, ToolGlyphSize);
    Bmp->SetAlphaFormat(afPremultiplied);
    for (Integer y = 0; y < ToolGlyphSize; ++y) {
        auto* P = static_cast<uint8_t*>(Bmp->ScanLine(y));
        for (Integer x = 0; x < ToolGlyphSize; ++x, P += 4) {
            const Integer A = ToolGlyphInk(Glyph, x, y);
            P[0] = static_cast<uint8_t>((B * A + 127) / 255);
            P[1] = static_cast<uint8_t>((G * A + 127) / 255);
            P[2] = static_cast<uint8_t>((R * A + 127) / 255);
            P[3] = static_cast<uint8_t>(A);
        }
    }
    return Bmp;
}

// The button shows its glyph instead of a caption, in the colour its caption
// would have (the skin's, the hot, down or disabled one). It sits in the
// middle of the whole button, so that it stays put when the skin's content
// rectangle differs between states.
void GiveGlyph(TsfSkinSpeedButton* Button)
{
    const TToolGlyphRows* Glyph = FindToolGlyph(Button->Name());
    if (!Glyph) return;
    Button->SetCaption(String());
    Button->OnPaint = [Glyph, Button](TObject*, TCanvas* C, const TRect&, bool, bool, bool& DrawDefault) {
        DrawDefault = false;
        auto Picture = GlyphPicture(*Glyph, C->Font()->Color());
        C->Draw((Button->Width() - ToolGlyphSize) / 2, (Button->Height() - ToolGlyphSize) / 2, Picture.get());
    };
}

// The stacked second button takes its partner's place.
Integer SlotOf(const TToolButtonDef& D)
{
    Integer Slot = 0;
    for (const TToolButtonDef& B : ToolButtonDefs()) {
        if (&B == &D) return Slot;
        if (B.Group == D.Group && (B.Visible || B.Pair == 0)) ++Slot;
    }
    return Slot;
}
}  // namespace

TToolPanels::TToolPanels(TfrmZezavEzazer& AForm) : FForm(AForm) {}

TToolPanels::~TToolPanels() { SkinClock()->StopTimers(this); }

// ---------------------------------------------------------------------------
// Making the controls

void TToolPanels::CreateControls()
{
    for (const TToolButtonDef& D : ToolButtonDefs()) MakeToolButton(D);
    for (Integer Pair = 1; Pair <= 4; ++Pair) MakePairMenu(Pair);
    MakePropertyBar();
    FTools.SetShapeStyleId(0);
    SyncShapeButtons();
}

void TToolPanels::MakeToolButton(const TToolButtonDef& D)
{
    auto* Parent = FForm.Layout().PartAs<TWinControl>(GroupPanel(D.Group));
    auto* B = new TsfSkinSpeedButton(&FForm);
    B->SetName(D.Name);
    B->SetSkinData(FForm.SkinData());
    B->SetUseSkinSize(false);
    B->SetFlat(true);
    B->SetTag(D.Tag);
    B->SetGroupIndex(D.Group == TToolGroup::Magic ? 4 : static_cast<Integer>(D.Group) + 1);
    B->SetAllowAllUp(true);
    Integer Slot = D.Visible || D.Pair == 0 ? SlotOf(D) : SlotOf(*FindToolButton(ToolPairMenu(D.Pair).FirstButton));
    if (D.Group == TToolGroup::Shape)
        B->SetBounds(2 + Slot * ToolPitch, 2, ToolButtonSize, ToolButtonSize);
    else
        B->SetBounds(3 + (Slot % 2) * ToolPitch, 2 + (Slot / 2) * ToolPitch, ToolButtonSize, ToolButtonSize);
    B->SetVisible(D.Visible);
    B->SetParent(Parent);
    GiveGlyph(B);
    switch (D.Group) {
        case TToolGroup::Shape:
        case TToolGroup::Tools: B->OnClick = [this](TObject* S) { sbShape1Click(S); }; break;
        case TToolGroup::Selection: B->OnClick = [this](TObject* S) { sbSelection0Click(S); }; break;
        case TToolGroup::Magic: B->OnClick = [this](TObject* S) { FForm.Effects().sbToolMosaicClick(S); }; break;
    }
    if (D.Pair) {
        const Integer Pair = D.Pair;
        B->OnMouseDown = [this, Pair](TObject*, TMouseButton Button, TShiftState, Integer, Integer) {
            if (Button == mbLeft) StartLongPress(Pair);
        };
        B->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { StopLongPress(); };
    }
    FButtons[D.Name] = B;
}

void TToolPanels::MakePairMenu(Integer Pair)
{
    const TToolPairMenu& M = ToolPairMenu(Pair);
    auto* Menu = new TsfSkinPopupMenu(&FForm);
    Menu->SetName(M.Menu);
    Menu->SetSkinData(FForm.SkinData());
    const char16_t* Names[2] = {M.FirstItem, M.SecondItem};
    const Integer Tags[2] = {M.FirstTag, M.SecondTag};
    const char16_t* Buttons[2] = {M.FirstButton, M.SecondButton};
    for (Integer i = 0; i < 2; ++i) {
        auto* Item = new TMenuItem(Menu);
        Item->SetName(Names[i]);
        Item->SetTag(Tags[i]);
        Item->SetRadioItem(true);
        // The item shows its button's glyph; its text is the button's hint, taken when the menu opens.
        if (const TToolGlyphRows* Glyph = FindToolGlyph(Buttons[i]))
            Item->SetBitmap(GlyphPicture(*Glyph, clMenuText).get());
        const bool Second = i == 1;
        Item->OnClick = [this, Pair, Second](TObject*) { PairItemClick(Pair, Second); };
        Menu->Items()->Add(Item);
        FPairItems[Pair - 1][i] = Item;
    }
    Menu->OnPopup = [this, Pair](TObject*) { PairMenuPopup(Pair); };
    FPairMenus[Pair - 1] = Menu;
}

void TToolPanels::MakePropertyBar()
{
    TWinControl* Bar = FForm.Layout().PartAs<TWinControl>(u"pnlShape");
    auto Speed = [&](const String& Name, Integer X, Integer Y, Integer W, const String& Caption) {
        auto* B = new TsfSkinSpeedButton(&FForm);
        B->SetName(Name);
        B->SetSkinData(FForm.SkinData());
        B->SetUseSkinSize(false);
        B->SetFlat(true);
        B->SetCaption(Caption);
        B->SetBounds(X, Y, W, 24);
        B->SetParent(Bar);
        GiveGlyph(B);
        return B;
    };
    auto Label = [&](const String& Name, Integer X, Integer Y, Integer W) {
        auto* L = new TLabel(&FForm);
        L->SetName(Name);
        L->SetAutoSize(false);
        L->SetCaption(String());
        L->SetBounds(X, Y, W, 16);
        L->SetParent(Bar);
        return L;
    };
    for (Integer i = 0; i < 5; ++i) {
        sbWidth[i] = Speed(u"sbWidthPx" + IntToStr(i + 1), 2 + i * 21, 34, 20, IntToStr(i + 1));
        sbWidth[i]->SetTag(i + 1);
        sbWidth[i]->SetGroupIndex(11);
        // On a page without the current width every button is up.
        sbWidth[i]->SetAllowAllUp(true);
        const Integer Tag = i + 1;
        sbWidth[i]->OnClick = [this, Tag](TObject*) { sbWidthClick(Tag); };
    }
    // The page buttons, stacked beside the five widths.
    sbWidthPageUp = Speed(u"sbWidthPageUp", 108, 34, 14, u"\u25B4");
    sbWidthPageUp->SetHeight(12);
    sbWidthPageUp->OnClick = [this](TObject*) { sbWidthPageUpClick(); };
    sbWidthPageDown = Speed(u"sbWidthPageDown", 108, 46, 14, u"\u25BE");
    sbWidthPageDown->SetHeight(12);
    sbWidthPageDown->OnClick = [this](TObject*) { sbWidthPageDownClick(); };
    sliderOpacity = new TsfSkinSlider(&FForm);
    sliderOpacity->SetName(u"sliderOpacity");
    sliderOpacity->SetSkinData(FForm.SkinData());
    sliderOpacity->SetBounds(126, 35, 120, 22);
    sliderOpacity->SetParent(Bar);
    sliderOpacity->SetMinValue(0);
    sliderOpacity->SetMaxValue(255);
    sliderOpacity->SetIncrement(1);
    sliderOpacity->OnChange = [this](TObject*) { sliderOpacityChange(); };
    sliderOpacity->OnChanged = [this](TObject*) { sliderOpacityChanged(); };
    lblOpacity = Label(u"lblOpacity", 250, 38, 46);

    auto Colour = [&](const String& Name, Integer X, Integer W) {
        auto* C = new TsfSkinColorButton(&FForm);
        C->SetName(Name);
        C->SetSkinData(FForm.SkinData());
        C->SetUseSkinSize(false);
        C->SetBounds(X, 64, W, 24);
        C->SetParent(Bar);
        C->SetDrawColorMarker(true);
        return C;
    };
    // Wide enough for their captions beside the drop-down arrow.
    clColor = Colour(u"clColor", 2, 62);
    clColor->OnChangeColor = [this](TObject*) { clColorChangeColor(); };
    clFillColor = Colour(u"clFillColor", 66, 46);
    clFillColor->OnChangeColor = [this](TObject*) { clFillColorChangeColor(); };
    for (Integer i = 0; i < 3; ++i) {
        sbArrow[i] = Speed(u"sbArrow" + IntToStr(i), 114 + i * 24, 64, 23, String());
        sbArrow[i]->SetTag(i);
        sbArrow[i]->SetGroupIndex(12);
        const Integer Tag = i;
        sbArrow[i]->OnClick = [this, Tag](TObject*) { sbArrowClick(Tag); };
    }
    btnPenStyle = new TsfSkinPenStyleButton(&FForm);
    btnPenStyle->SetName(u"btnPenStyle");
    btnPenStyle->SetSkinData(FForm.SkinData());
    btnPenStyle->SetUseSkinSize(false);
    btnPenStyle->SetBounds(188, 64, 44, 24);
    btnPenStyle->SetParent(Bar);
    btnPenStyle->OnHideTrackMenu = [this](TObject*) { btnPenStyleHideTrackMenu(); };
    // The selected object's place, size and angle sit in the status bar, left of the picture's size.
    Bar = FForm.Layout().PartAs<TWinControl>(u"pnlStatus");
    if (auto* Size = FForm.Layout().PartAs<TControl>(u"lblImageSize")) {
        // Right-aligned labels keep the order of their right edges.
        lblAngle = Label(u"lblAngle", Size->Left() - 50, 0, 50);
        lblObject = Label(u"lblObject", Size->Left() - 220, 0, 170);
        for (TLabel* L : {lblAngle, lblObject}) {
            L->SetHeight(Bar->ClientHeight());
            L->SetAlign(alRight);
        }
    }
    // Save, undo and redo sit left of the tool buttons.
    Bar = FForm.pnlProp;
    sbSave = Speed(u"sbSave", 2, 2, 60, String());
    sbSave->OnClick = [this](TObject*) { FForm.CanvasKeyCommand(TCanvasKeyAction::Save); };
    sbUndo = Speed(u"sbUndo", 2, 30, 29, String());
    sbUndo->OnClick = [this](TObject*) { FForm.CanvasKeyCommand(TCanvasKeyAction::Undo); };
    sbRedo = Speed(u"sbRedo", 33, 30, 29, String());
    sbRedo->OnClick = [this](TObject*) { FForm.CanvasKeyCommand(TCanvasKeyAction::Redo); };
    btnRestore = Speed(u"btnRestore", 2, 60, 60, u"0");
    btnRestore->OnClick = [this](TObject* S) { btnRestoreClick(S); };
    for (auto* B : {sbSave, sbUndo, sbRedo}) B->SetEnabled(false);

    // The switch of the preset panel fills its strip of the bar.
    Bar = FForm.pnlShowRight;
    sbShowRight = Speed(u"sbShowRight", 0, 0, Bar->Width(), u"\u00BB");
    sbShowRight->SetHeight(Bar->Height());
    sbShowRight->SetAlign(alClient);
    sbShowRight->SetGroupIndex(13);
    sbShowRight->SetAllowAllUp(true);
    sbShowRight->OnClick = [this](TObject* S) { sbShowRightClick(S); };
}

void TToolPanels::btnRestoreClick(TObject*)
{
    FForm.EndEffectDrawing();
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return;
    Doc->DeleteCropShape();
    Doc->ImageRestore();
    Doc->Draw();
    Doc->SaveUndo();
    // Batch processing replays these rows: none of them holds any more.
    if (TDataTable* Actions = Doc->ActionDT())
        for (Integer i = Actions->ItemCount() - 1; i >= 0; --i) {
            TImageDraw::ClearActionData(Actions->GetItem(i));
            Actions->RemoveItemByIndex(i);
        }
    // The first picture may have had another size.
    DocumentProcessingDone(TProcessingMode::pmResize, false);
}

void TToolPanels::sbShowRightClick(TObject*)
{
    const bool Show = sbShowRight->Down();
    FForm.pnlRight->SetVisible(Show);
    if (Show) FForm.Presets().ShowPresetPage();
}

TsfSkinSpeedButton* TToolPanels::Button(const String& Name) const
{
    auto It = FButtons.find(Name);
    return It == FButtons.end() ? nullptr : It->second;
}

// ---------------------------------------------------------------------------
// Tool selection

TToolTables TToolPanels::Tables() const { return {PropertyTable.get(), FForm.Documents().LiveRow()}; }

TRow* TToolPanels::ToolRow() const
{
    TDataTable* T = PropertyTable.get();
    const TShapeType Tool = FTools.ShapeType();
    return T && Tool < T->ItemCount() ? T->GetItem(Tool) : nullptr;
}

void TToolPanels::SelectTool(TShapeType Tool)
{
    bool ShowAutoColor = true;
    FTools.SelectTool(FForm.Documents().Live(), Tool, Tables(), ShowAutoColor);
    if (clFillColor) clFillColor->SetShowAutoColor(ShowAutoColor);
    ToolSelected();
}

void TToolPanels::ToolSelected()
{
    TCanvasTool& T = FForm.CanvasInput().Tool();
    T.Type = FTools.ShapeType();
    T.StyleId = FTools.ShapeStyleId();
    T.PolygonType = FTools.ShapeType() == shPolygon ? FProps.StyleId : 0;
    T.OutWidth = FProps.OutWidth;
    T.Opacity = FProps.Opacity;
    T.FillColor = FProps.FillColor;
    if (OnToolSelected) OnToolSelected();
}

void TToolPanels::SyncShapeButtons()
{
    auto Sync = [this](TToolGroup G, auto Decide) {
        std::vector<TToolButtonState> States;
        std::vector<TsfSkinSpeedButton*> Buttons;
        for (const TToolButtonDef& D : ToolButtonDefs()) {
            if (D.Group != G) continue;
            TsfSkinSpeedButton* B = Button(D.Name);
            States.push_back({D.Tag, B->Visible(), B->Down(), B->AllowAllUp()});
            Buttons.push_back(B);
        }
        Decide(States);
        for (size_t i = 0; i < Buttons.size(); ++i) {
            Buttons[i]->SetAllowAllUp(States[i].AllowAllUp);
            if (Buttons[i]->Down() != States[i].Down) Buttons[i]->SetDown(States[i].Down);
        }
    };
    Sync(TToolGroup::Shape, [this](auto& S) { FTools.SyncShapeButtons(S); });
    auto ShowPair = [this](TToolSelection::TStacked Which, const char16_t* First, const char16_t* Second) {
        if (Which == TToolSelection::TStacked::Unchanged) return;
        Button(First)->SetVisible(Which == TToolSelection::TStacked::First);
        Button(Second)->SetVisible(Which == TToolSelection::TStacked::Second);
    };
    ShowPair(FTools.HandPair(), u"sbToolHand", u"sbToolRuler");
    ShowPair(FTools.PencilPair(), u"sbToolPencil", u"sbToolBrush");
    Sync(TToolGroup::Tools, [this](auto& S) { FTools.SyncToolButtons(S); });
    Sync(TToolGroup::Selection, [this](auto& S) { FTools.SyncSelectionButtons(S); });
}

void TToolPanels::sbShape1Click(TObject* Sender)
{
    FForm.EndEffectDrawing();
    TImageDraw* Doc = FForm.Documents().Live();
    if (Doc && !Doc->SelectionExists()) {
        Doc->SelectShape(selNone, -1);
        Doc->Draw();
    }
    SelectTool(static_cast<TShapeType>(dynamic_cast<TComponent*>(Sender)->Tag()));
    LoadToolProperties();
    SyncShapeButtons();
}

void TToolPanels::sbSelection0Click(TObject* Sender)
{
    FForm.EndEffectDrawing();
    TImageDraw* Doc = FForm.Documents().Live();
    if (Doc && !Doc->SelectionExists()) {
        Doc->SelectShape(selNone, -1);
        Doc->Draw();
    }
    bool ShowAutoColor = true;
    FTools.SelectSelectionStyle(Doc, dynamic_cast<TComponent*>(Sender)->Tag(), Tables(), ShowAutoColor);
    if (clFillColor) clFillColor->SetShowAutoColor(ShowAutoColor);
    LoadToolProperties();
    SyncShapeButtons();
}

void TToolPanels::DocumentShapeSelected()
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return;
    bool ShowAutoColor = true;
    const Integer Count = Doc->ObjectSelectedCount();
    FTools.FollowSelection(Doc, Tables(), ShowAutoColor);
    if (clFillColor) clFillColor->SetShowAutoColor(ShowAutoColor);
    if (Count == 1 && Doc->Shape()) {
        TakeShapeProperties();
        RefreshPropertyControls();
        DocumentShapeModified();
        ToolSelected();
    } else {
        LoadToolProperties();
        if (lblObject) lblObject->SetCaption(String());
        if (lblAngle) lblAngle->SetCaption(String());
    }
    SyncShapeButtons();
}

void TToolPanels::DocumentProcessingDone(TProcessingMode Mode, bool Value)
{
    if (Mode == TProcessingMode::pmCrop) FRemindReplaceOriginal = Value;
    if (Mode == TProcessingMode::pmResize || Mode == TProcessingMode::pmTransform || Mode == TProcessingMode::pmCrop)
        FForm.Documents().ShowImageSizeInfo();
}

void TToolPanels::DocumentLoaded()
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return;
    Doc->OnShapeSelected = [this](TImageDraw*) { DocumentShapeSelected(); };
    Doc->OnShapeModified = [this](TImageDraw*) { DocumentShapeModified(); };
    Doc->OnGodoStart = [this](TImageDraw*, const String& State) { FForm.Effects().DocumentGodoStart(State); };
    Doc->OnProcessingDone = [this](TImageDraw*, TProcessingMode Mode, bool Value) {
        DocumentProcessingDone(Mode, Value);
    };
    Doc->OnCountChanged = [this](TObject*) {
        if (TImageDraw* D = FForm.Documents().Live()) btnRestore->SetCaption(IntToStr(D->Count()));
    };
    btnRestore->SetCaption(IntToStr(Doc->Count()));
    Doc->OnTimeStringChanged = [this](TObject*) {
        if (TImageDraw* D = FForm.Documents().Live()) FForm.Layout().PartAs<TLabel>(u"lblMsg1")->SetCaption(D->TimeString());
    };
    if (OnDocumentBound) OnDocumentBound(*Doc);
    // The document remembers its tool and its selection style.
    TRow* Row = FForm.Documents().LiveRow();
    TShapeType Tool = FTools.ShapeType();
    if (Row && ToolCell::OpenFileTool < Row->ItemCount() && !Row->GetItem(ToolCell::OpenFileTool)->Text().empty()) {
        const Integer Kept = Row->GetItem(ToolCell::OpenFileTool)->Value();
        if (Kept >= 0 && Kept < shCustomStyle) Tool = static_cast<TShapeType>(Kept);
    }
    if (Tool == shSelection && Row && ToolCell::OpenFileSelectionStyle < Row->ItemCount()) {
        bool ShowAutoColor = true;
        FTools.SelectSelectionStyle(Doc, Row->GetItem(ToolCell::OpenFileSelectionStyle)->Value(), Tables(),
                                    ShowAutoColor);
        ToolSelected();
    } else {
        SelectTool(Tool);
    }
    LoadToolProperties();
    SyncShapeButtons();
}

// ---------------------------------------------------------------------------
// Long press on a stacked button

void TToolPanels::StartLongPress(Integer Pair)
{
    FLongPressPair = Pair;
    SkinClock()->StartTimer(this, LongPressTimerId, ToolLongPress, [this] { LongPressTimer(); });
}

void TToolPanels::StopLongPress() { SkinClock()->StopTimer(this, LongPressTimerId); }

void TToolPanels::LongPressTimer()
{
    StopLongPress();
    const Integer Pair = FLongPressPair;
    if (Pair < 1 || Pair > 4) return;
    TsfSkinSpeedButton* B = Button(ToolPairMenu(Pair).FirstButton);
    TsfSkinSpeedButton* Other = Button(ToolPairMenu(Pair).SecondButton);
    TsfSkinSpeedButton* Shown = B->Visible() ? B : Other;
    const TPoint P = Shown->ClientToScreen({Shown->Width(), 0});
    PairMenu(Pair)->Popup(P.X, P.Y);
}

void TToolPanels::PairMenuPopup(Integer Pair)
{
    const TToolPairMenu& M = ToolPairMenu(Pair);
    PairItem(Pair, false)->SetCaption(Button(M.FirstButton)->Hint());
    PairItem(Pair, true)->SetCaption(Button(M.SecondButton)->Hint());
    const bool SecondShown = Button(M.SecondButton)->Visible();
    PairItem(Pair, false)->SetChecked(!SecondShown);
    PairItem(Pair, true)->SetChecked(SecondShown);
}

void TToolPanels::PairItemClick(Integer Pair, bool Second)
{
    const TToolPairMenu& M = ToolPairMenu(Pair);
    TsfSkinSpeedButton* Chosen = Button(Second ? M.SecondButton : M.FirstButton);
    TsfSkinSpeedButton* Partner = Button(Second ? M.FirstButton : M.SecondButton);
    if (Pair <= 2) {
        sbShape1Click(Chosen);
        return;
    }
    // The effect-brush pairs: the chosen brush shows and starts.
    if (Chosen->Visible() && Chosen->Down()) return;
    Chosen->SetVisible(true);
    Partner->SetVisible(false);
    Chosen->SetDown(true);
    FForm.Effects().sbToolMosaicClick(Chosen);
}

// ---------------------------------------------------------------------------
// Property bar

void TToolPanels::LoadToolProperties()
{
    FProps = LoadToolProps(PropertyTable.get(), FTools.ShapeType());
    FTools.SetShapeStyleId(FProps.StyleId);
    ToolSelected();
    RefreshPropertyControls();
}

void TToolPanels::TakeShapeProperties()
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc || !Doc->Shape()) return;
    FProps = TakeShapeProps(*Doc->Shape(), PropertyTable.get());
    FTools.SetShapeStyleId(FProps.StyleId);
}

void TToolPanels::RefreshPropertyControls()
{
    if (!sliderOpacity) return;
    FPending = true;
    TImageDraw* Doc = FForm.Documents().Live();
    const TPropertyVisibility V = PropertyVisibilityFor(FTools.ShapeType(), FTools.ShapeStyleId(),
                                                        Doc ? Doc->Shape() : nullptr,
                                                        Doc ? Doc->ObjectSelectedCount() : 0);
    for (auto* B : sbWidth) B->SetVisible(V.Width);
    sbWidthPageUp->SetVisible(V.Width);
    sbWidthPageDown->SetVisible(V.Width);
    sliderOpacity->SetVisible(V.Opacity);
    lblOpacity->SetVisible(V.Opacity);
    clColor->SetVisible(V.OutlineColor);
    clFillColor->SetVisible(V.FillColor);
    for (auto* B : sbArrow) B->SetVisible(V.Arrow);
    btnPenStyle->SetVisible(V.PenStyle);
    // The panels that exist so far show by the same table.
    const std::pair<const char16_t*, bool> Panels[] = {
        {u"pnlPropPencil", V.Pencil},      {u"pnlPropFill", V.Fill},         {u"pnlPropBrush", V.Brush},
        {u"pnlPropGradient", V.GradientPanel}, {u"pnlPropSelection0", V.Selection}, {u"pnlPropPolygon", V.Polygon},
        {u"pnlPropFreeShape", V.FreeShape},
    };
    for (auto [Name, Show] : Panels)
        if (FindMainPart(Name)) FForm.Layout().Part(Name)->SetVisible(Show);

    FWidthPageIndex = WidthPageOf(FProps.OutWidth);
    ShowWidthPage();
    sliderOpacity->SetValue(FProps.Opacity);
    lblOpacity->SetCaption(OpacityText(FProps.Opacity));
    clColor->SetDrawColorMarker(FProps.IsOutline);
    if (FProps.IsOutline) clColor->SetColorValue(FProps.Color);
    clFillColor->SetDrawColorMarker(FProps.IsFill);
    if (FProps.IsFill) clFillColor->SetColorValue(FProps.FillColor);
    for (Integer i = 0; i < 3; ++i) sbArrow[i]->SetDown(FProps.ArrowType == i);
    btnPenStyle->SetItemIndex(FProps.PenStyle);
    if (OnFillPanels) OnFillPanels(V);
    FPending = false;
}

void TToolPanels::SetProperty(const String& Name, Integer Value, bool IsDraw)
{
    if (TImageDraw* Doc = FForm.Documents().Live()) Doc->SetProperty(Name, Value, IsDraw);
}

void TToolPanels::ShowWidthPage()
{
    // The buttons are narrow: the number alone, the current width down.
    for (Integer i = 0; i < 5; ++i) {
        const Integer W = WidthOfButton(i + 1, FWidthPageIndex);
        sbWidth[i]->SetCaption(IntToStr(W));
        sbWidth[i]->SetHint(IntToStr(W) + u" px");
        sbWidth[i]->SetDown(W == FProps.OutWidth);
    }
    sbWidthPageUp->SetEnabled(FWidthPageIndex > 0);
}

void TToolPanels::sbWidthPageUpClick()
{
    if (FWidthPageIndex > 0) --FWidthPageIndex;
    ShowWidthPage();
}

void TToolPanels::sbWidthPageDownClick()
{
    ++FWidthPageIndex;
    ShowWidthPage();
}

void TToolPanels::sbWidthClick(Integer Tag)
{
    const Integer W = WidthOfButton(Tag, FWidthPageIndex);
    FProps.OutWidth = W;
    if (FTools.ShapeType() != shNone)
        if (TRow* Row = ToolRow()) Row->GetItem(PropCell::OutWidth)->SetValue(W);
    ToolSelected();
    // A click on the width already down keeps it down.
    ShowWidthPage();
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return;
    Doc->SetProcessWidth(W);
    Doc->SetProperty(u"OutWidth", W, true);
    Doc->SaveUndo();
}

void TToolPanels::sliderOpacityChange()
{
    if (FPending) return;
    const Integer V = sliderOpacity->Value();
    lblOpacity->SetCaption(OpacityText(V));
    SetProperty(u"Opacity", V, true);
}

void TToolPanels::sliderOpacityChanged()
{
    if (FPending) return;
    FProps.Opacity = sliderOpacity->Value();
    if (FTools.ShapeType() != shNone)
        if (TRow* Row = ToolRow()) Row->GetItem(PropCell::Opacity)->SetValue(FProps.Opacity);
    ToolSelected();
    if (TImageDraw* Doc = FForm.Documents().Live()) Doc->SaveUndo();
}

void TToolPanels::clColorChangeColor()
{
    if (FPending) return;
    FProps.Color = clColor->ColorValue();
    FProps.IsOutline = clColor->DrawColorMarker();
    if (FTools.ShapeType() != shNone)
        if (TRow* Row = ToolRow()) {
            Row->GetItem(PropCell::Color)->SetValue(static_cast<Integer>(FProps.Color));
            Row->GetItem(PropCell::IsOutline)->SetValue(FProps.IsOutline ? -1 : 0);
        }
    if (FProps.IsOutline) SetProperty(u"Color", static_cast<Integer>(FProps.Color), false);
    SetProperty(u"IsOutline", FProps.IsOutline ? -1 : 0, true);
    if (TImageDraw* Doc = FForm.Documents().Live()) Doc->SaveUndo();
}

void TToolPanels::clFillColorChangeColor()
{
    if (FPending) return;
    FProps.FillColor = clFillColor->ColorValue();
    FProps.IsFill = clFillColor->DrawColorMarker();
    if (FTools.ShapeType() != shNone)
        if (TRow* Row = ToolRow()) {
            Row->GetItem(PropCell::FillColor)->SetValue(static_cast<Integer>(FProps.FillColor));
            Row->GetItem(PropCell::IsFill)->SetValue(FProps.IsFill ? -1 : 0);
        }
    ToolSelected();
    if (FProps.IsFill) SetProperty(u"FillColor", static_cast<Integer>(FProps.FillColor), false);
    SetProperty(u"IsFill", FProps.IsFill ? -1 : 0, true);
    if (TImageDraw* Doc = FForm.Documents().Live()) Doc->SaveUndo();
}

void TToolPanels::sbArrowClick(Integer Tag)
{
    if (FPending) return;
    FProps.ArrowType = Tag;
    if (TRow* Row = ToolRow()) Row->GetItem(PropCell::ArrowType)->SetValue(Tag);
    SetProperty(u"ArrowType", Tag, true);
    if (TImageDraw* Doc = FForm.Documents().Live()) Doc->SaveUndo();
}

void TToolPanels::btnPenStyleHideTrackMenu()
{
    if (FPending) return;
    FProps.PenStyle = btnPenStyle->ItemIndex();
    if (FTools.ShapeType() != shNone)
        if (TRow* Row = ToolRow()) Row->GetItem(PropCell::PenStyle)->SetValue(FProps.PenStyle);
    SetProperty(u"PenStyle", FProps.PenStyle, true);
    if (TImageDraw* Doc = FForm.Documents().Live()) Doc->SaveUndo();
}

void TToolPanels::DocumentShapeModified()
{
    if (!lblObject) return;
    TImageDraw* Doc = FForm.Documents().Live();
    TImgShape* S = Doc ? Doc->Shape() : nullptr;
    lblObject->SetCaption(S ? ObjectText(*S) : String());
    lblAngle->SetCaption(S ? AngleText(*S) : String());
}

namespace {
void ShowWhen(TControl* C, bool Visible)
{
    if (C && C->Visible() != Visible) C->SetVisible(Visible);
}
}  // namespace

void TToolPanels::IdleUpdate()
{
    if (!sbSave) return;
    TImageDraw* Doc = FForm.Documents().Live();
    // Status texts take room only while they say something.
    if (auto* L = FForm.Layout().PartAs<TLabel>(u"lblMsg1")) ShowWhen(L, !L->Caption().empty());
    if (auto* P = dynamic_cast<TControl*>(FForm.FindComponent(u"pnlMessage")))
        if (auto* L = FForm.Layout().PartAs<TLabel>(u"lblMessage")) ShowWhen(P, !L->Caption().empty());
    // The measuring panel: with the ruler tool, and as long as a measurement stands.
    const bool RulerOn = Doc && Doc->RulerEnabled();
    TCanvasRulers& Rulers = FForm.Rulers();
    if (TControl* Panel = Rulers.pnlPropRuler) {
        const bool Show = RulerOn || FTools.ShapeType() == shRuler;
        if (Show && !Panel->Visible()) PlaceRulerPanel();
        ShowWhen(Panel, Show);
    }
    if (Rulers.btnRulerClear && Rulers.btnRulerClear->Enabled() != RulerOn) Rulers.btnRulerClear->SetEnabled(RulerOn);
    const TIdleButtons B = IdleButtonsFor(Doc);
    if (sbSave->Enabled() != B.Save) sbSave->SetEnabled(B.Save);
    if (sbUndo->Enabled() != B.Undo) sbUndo->SetEnabled(B.Undo);
    if (sbRedo->Enabled() != B.Redo) sbRedo->SetEnabled(B.Redo);
    if (TOpenFileStrip* Strip = FForm.Documents().Strip()) Strip->TrackOpenFileDrag();
}

void TToolPanels::PlaceRulerPanel()
{
    // The window's layout puts it at the foot of the canvas, in its middle.
    FForm.Layout().LayoutRightPanel();
    if (TControl* Panel = FForm.Rulers().pnlPropRuler) Panel->BringToFront();
}
