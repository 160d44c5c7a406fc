#include "shell/win/PropertyPanels.h"

#include <windows.h>

#include <cmath>

#include "dialogs/TextTemplates.h"
#include "dialogs/win/FeatherAmountForm.h"
#include "dialogs/win/TextTemplateForm.h"
#include "document/ImageDraw.h"
#include "document/ImageFreeShape.h"
#include "document/ImagePolygon.h"
#include "document/ImageSelection.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/HyPresets.h"
#include "framework/controls/win/Menus.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/StylePages.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/ColorHandlers.h"
#include "shell/win/EditorCommands.h"
#include "shell/win/MainLayout.h"
#include "shell/win/MainLocale.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ToolPanels.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinMenus.h"

namespace {

namespace TC = TextPanel::Cell;

// Config row 1: the pencil and fill settings.
constexpr Integer PencilEditableCell = 12, FillToleranceCell = 14, PencilDebounceCell = 20;
constexpr Integer ButtonSize = 22;

TCell* SettingsCell(Integer Cell) { return ConfigTable->GetItem(1)->GetItem(Cell); }

String BoolText(bool Value) { return Value ? u"-1" : u"0"; }

// Today in the system's short date format.
String ShortDateToday()
{
    wchar_t Buffer[80] = {};
    const int N = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, Buffer, 80);
    if (N <= 1) return DateToStr(Date());
    return String(reinterpret_cast<const char16_t*>(Buffer), static_cast<size_t>(N - 1));
}

}  // namespace

TPropertyPanels::TPropertyPanels(TfrmZezavEzazer& AForm) : FForm(AForm) {}

TPropertyPanels::~TPropertyPanels()
{
    TToolPanels& Tools = FForm.ToolPanels();
    Tools.OnFillPanels = nullptr;
    Tools.OnDocumentBound = nullptr;
    FForm.CanvasInput().OnReleaseAddNodeButton = nullptr;
    if (TImageDraw* D = Doc()) D->OnShapeStateChanged = nullptr;
    // The controls outlive this group (the window owns them).
    if (txtText) txtText->OnChange = nullptr;
    if (cbFontName) cbFontName->OnChange = nullptr;
    if (cbFontSize) cbFontSize->OnChange = nullptr;
    for (auto* Spin : {editSelectionTolerance, editFillTolerance})
        if (Spin) Spin->OnChange = nullptr;
}

TImageDraw* TPropertyPanels::Doc() const { return FForm.Documents().Live(); }

bool TPropertyPanels::Pending() const { return FForm.ToolPanels().Pending(); }

TRow* TPropertyPanels::ToolRow() const
{
    TDataTable* T = PropertyTable.get();
    const TShapeType Tool = FForm.ToolPanels().Tools().ShapeType();
    return T && Tool < T->ItemCount() ? T->GetItem(Tool) : nullptr;
}

void TPropertyPanels::SetCell(Integer Cell, const String& Text)
{
    if (TRow* Row = ToolRow(); Row && Cell < Row->ItemCount()) Row->GetItem(Cell)->SetText(Text);
}

void TPropertyPanels::SetProperty(const String& Name, Integer Value)
{
    if (TImageDraw* D = Doc()) D->SetProperty(Name, Value, true);
}

void TPropertyPanels::SaveUndo()
{
    if (TImageDraw* D = Doc()) D->SaveUndo();
}

// ---------------------------------------------------------------------------
// Making the controls

void TPropertyPanels::CreateControls()
{
    TMainLayout& L = FForm.Layout();
    pnlText = L.PartAs<TsfSkinPanel>(u"pnlText");
    pnlPropPolygon = L.PartAs<TsfSkinPanel>(u"pnlPropPolygon");
    pnlPropFreeShape = L.PartAs<TsfSkinPanel>(u"pnlPropFreeShape");
    pnlPropSelection0 = L.PartAs<TsfSkinPanel>(u"pnlPropSelection0");
    pnlPropPencil = L.PartAs<TsfSkinPanel>(u"pnlPropPencil");
    pnlPropFill = L.PartAs<TsfSkinPanel>(u"pnlPropFill");
    MakeTextPanel();
    MakeNodePanels();
    MakeOptionPanels();

    TToolPanels& Tools = FForm.ToolPanels();
    Tools.OnFillPanels = [this](const TPropertyVisibility& V) { FillPanels(V); };
    Tools.OnDocumentBound = [this](TImageDraw& D) {
        D.OnShapeStateChanged = [this](TImageDraw*) { DocumentShapeStateChanged(); };
        // The document draws pencil strokes and fills as the panels say.
        D.SetPencilEditable(chkPencilEditable->Checked());
        D.SetPencilDebounce(chkPencilDebounce->Checked());
        D.SetFillTolerance(SettingsCell(FillToleranceCell)->Value());
    };
    // A node added on the canvas releases its add-node button.
    FForm.CanvasInput().OnReleaseAddNodeButton = [this](TShapeType Tool) {
        TsfSkinSpeedButton* B = Tool == shPolygon ? sbPolygonAddNode : sbFreeShapeAddNode;
        if (B) B->SetDown(false);
    };
}

namespace {

TsfSkinSpeedButton* NewSpeed(TfrmZezavEzazer& Form, TWinControl* Parent, const String& Name, Integer X, Integer Y,
                             Integer W, const String& Caption)
{
    auto* B = new TsfSkinSpeedButton(&Form);
    B->SetName(Name);
    B->SetSkinData(Form.SkinData());
    B->SetUseSkinSize(false);
    B->SetFlat(true);
    B->SetCaption(Caption);
    B->SetBounds(X, Y, W, ButtonSize);
    B->SetShowHint(true);
    B->SetParent(Parent);
    return B;
}

TsfSkinCheckRadioBox* NewCheck(TfrmZezavEzazer& Form, TWinControl* Parent, const String& Name, Integer X, Integer Y,
                               Integer W)
{
    auto* C = new TsfSkinCheckRadioBox(&Form);
    C->SetName(Name);
    C->SetSkinData(Form.SkinData());
    C->SetBounds(X, Y, W, 20);
    C->SetParent(Parent);
    return C;
}

TLabel* NewLabel(TfrmZezavEzazer& Form, TWinControl* Parent, const String& Name, Integer X, Integer Y, Integer W)
{
    auto* L = new TLabel(&Form);
    L->SetName(Name);
    L->SetAutoSize(false);
    L->SetTransparent(true);
    L->SetBounds(X, Y, W, 16);
    L->SetParent(Parent);
    return L;
}

TsfSkinSpinEdit* NewSpin(TfrmZezavEzazer& Form, TWinControl* Parent, const String& Name, Integer X, Integer Y)
{
    auto* E = new TsfSkinSpinEdit(&Form);
    E->SetName(Name);
    E->SetSkinData(Form.SkinData());
    E->SetBounds(X, Y, 60, 20);
    E->SetParent(Parent);
    E->SetMinValue(0);
    E->SetMaxValue(255);
    E->SetIncrement(1);
    return E;
}

}  // namespace

void TPropertyPanels::MakeTextPanel()
{
    TWinControl* P = pnlText;
    lblText = NewLabel(FForm, P, u"lblText", 0, 0, P->Width());
    lblText->SetHeight(18);
    lblText->SetCursor(crSizeAll);
    lblText->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) { lblTextMouseDown(X, Y); };
    lblText->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y) { lblTextMouseMove(X, Y); };
    lblText->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { lblTextMouseUp(); };

    cbFontName = new TsfSkinFontComboBox(&FForm);
    cbFontName->SetName(u"cbFontName");
    cbFontName->SetSkinData(FForm.SkinData());
    cbFontName->SetBounds(4, 20, 134, 22);
    cbFontName->SetParent(P);
    cbFontName->OnChange = [this](TObject*) { cbFontNameChange(); };
    cbFontSize = new TsfSkinFontSizeComboBox(&FForm);
    cbFontSize->SetName(u"cbFontSize");
    cbFontSize->SetSkinData(FForm.SkinData());
    cbFontSize->SetBounds(142, 20, 74, 22);
    cbFontSize->SetParent(P);
    cbFontSize->OnChange = [this](TObject*) { cbFontSizeChange(); };

    auto Colour = [&](const String& Name, Integer X, Integer Y) {
        auto* C = new TsfSkinColorButton(&FForm);
        C->SetName(Name);
        C->SetSkinData(FForm.SkinData());
        C->SetUseSkinSize(false);
        C->SetBounds(X, Y, 40, ButtonSize);
        C->SetParent(P);
        C->SetDrawColorMarker(true);
        return C;
    };
    clFontColor = Colour(u"clFontColor", 4, 46);
    clFontColor->OnChangeColor = [this](TObject*) { clFontColorChangeColor(); };
    auto Toggle = [&](const String& Name, Integer X, Integer Y, const String& Caption) {
        TsfSkinSpeedButton* B = NewSpeed(FForm, P, Name, X, Y, ButtonSize, Caption);
        B->SetAllowAllUp(true);
        return B;
    };
    sbFontBold = Toggle(u"sbFontBold", 48, 46, u"B");
    sbFontItalic = Toggle(u"sbFontItalic", 72, 46, u"I");
    sbFontUnderline = Toggle(u"sbFontUnderline", 96, 46, u"U");
    sbTextVertical = Toggle(u"sbTextVertical", 120, 46, u"\u2193");
    Integer Group = 21;
    for (TsfSkinSpeedButton* B : {sbFontBold, sbFontItalic, sbFontUnderline, sbTextVertical}) {
        B->SetGroupIndex(Group++);
        B->OnClick = [this, B](TObject*) { sbFontStyleClick(B); };
    }

    const char16_t* AlignNames[3] = {u"sbAlignLeft", u"sbAlignCenter", u"sbAlignRight"};
    const char16_t* AlignGlyphs[3] = {u"\u2190", u"\u2194", u"\u2192"};
    for (Integer I = 0; I < 3; ++I) {
        sbAlign[I] = NewSpeed(FForm, P, AlignNames[I], 4 + I * 24, 72, ButtonSize, AlignGlyphs[I]);
        sbAlign[I]->SetTag(I);
        sbAlign[I]->SetGroupIndex(31);
        sbAlign[I]->OnClick = [this, I](TObject*) { sbAlignLeftClick(I); };
    }
    // Only the middle layout shows: down centres the text, up puts it at the top.
    const char16_t* LayoutNames[3] = {u"sbAlignTop", u"sbAlignMiddle", u"sbAlignBottom"};
    for (Integer I = 0; I < 3; ++I) {
        sbAlignLayout[I] = Toggle(LayoutNames[I], 78, 72, u"\u2195");
        sbAlignLayout[I]->SetTag(I);
        sbAlignLayout[I]->SetGroupIndex(32);
        sbAlignLayout[I]->SetVisible(I == 1);
        sbAlignLayout[I]->OnClick = [this](TObject*) { sbAlignMiddleClick(); };
    }
    sbFontStroke = Toggle(u"sbFontStroke", 106, 72, u"\u25A0");
    sbFontStroke->SetGroupIndex(33);
    sbFontStroke->OnClick = [this](TObject*) { sbFontStrokeClick(false); };
    sbFontStrokeEmpty = Toggle(u"sbFontStrokeEmpty", 130, 72, u"\u25A1");
    sbFontStrokeEmpty->SetGroupIndex(34);
    sbFontStrokeEmpty->OnClick = [this](TObject*) { sbFontStrokeClick(true); };
    clFontStrokeColor = Colour(u"clFontStrokeColor", 154, 72);
    clFontStrokeColor->SetWidth(36);
    clFontStrokeColor->OnChangeColor = [this](TObject*) { clFontStrokeColorChangeColor(); };
    sbFontStrokeWidth = NewSpeed(FForm, P, u"sbFontStrokeWidth", 192, 72, 24, u"1");

    pmStrokeWidth = new TsfSkinPopupMenu(&FForm);
    pmStrokeWidth->SetName(u"pmStrokeWidth");
    pmStrokeWidth->SetSkinData(FForm.SkinData());
    for (Integer I = 0; I < 9; ++I) {
        auto* Item = new TMenuItem(pmStrokeWidth);
        Item->SetName(u"muStrokeWidth" + IntToStr(I + 1));
        Item->SetCaption(IntToStr(I + 1));
        Item->SetRadioItem(true);
        const Integer Width = I + 1;
        Item->OnClick = [this, Width](TObject*) { muStrokeWidthClick(Width); };
        pmStrokeWidth->Items()->Add(Item);
        muStrokeWidth[I] = Item;
    }
    pmStrokeWidth->OnPopup = [this](TObject*) { pmStrokeWidthPopup(); };
    sbFontStrokeWidth->OnClick = [this](TObject*) {
        const TPoint At = sbFontStrokeWidth->ClientToScreen(TPoint{0, sbFontStrokeWidth->Height()});
        pmStrokeWidth->Popup(At.X, At.Y);
    };

    txtText = new TMemo(&FForm);
    txtText->SetName(u"txtText");
    txtText->SetBounds(4, 98, P->Width() - 8, 44);
    txtText->SetParent(P);
    txtText->OnChange = [this](TObject*) { txtTextChange(); };

    for (Integer I = 0; I < 3; ++I) {
        sbTextTemplate[I] =
            NewSpeed(FForm, P, u"sbTextTemplate" + IntToStr(I + 1), 4 + I * 26, 146, 24, IntToStr(I + 1));
        sbTextTemplate[I]->SetTag(I);
        sbTextTemplate[I]->OnClick = [this, I](TObject*) { sbTextTemplateClick(I); };
    }
    sbTextTemplateDate = NewSpeed(FForm, P, u"sbTextTemplateDate", 82, 146, 24, u"31");
    sbTextTemplateDate->OnClick = [this](TObject*) { sbTextTemplateDateClick(); };
    sbTextTemplateSettings = NewSpeed(FForm, P, u"sbTextTemplateSettings", 108, 146, 24, u"\u2026");
    sbTextTemplateSettings->OnClick = [this](TObject*) { sbTextTemplateSettingsClick(); };
}

void TPropertyPanels::MakeNodePanels()
{
    TWinControl* P = pnlPropPolygon;
    sbPolygonAddNode = NewSpeed(FForm, P, u"sbPolygonAddNode", 4, 34, 24, u"+");
    sbPolygonAddNode->SetGroupIndex(1);
    sbPolygonAddNode->SetAllowAllUp(true);
    sbPolygonAddNode->OnClick = [this](TObject*) { FForm.Commands().sbPolygonAddNodeClick(sbPolygonAddNode->Down()); };
    sbPolygonDeleteNode = NewSpeed(FForm, P, u"sbPolygonDeleteNode", 30, 34, 24, u"\u2212");
    sbPolygonDeleteNode->SetEnabled(false);
    sbPolygonDeleteNode->OnClick = [this](TObject* S) { FForm.Commands().sbPolygonDeleteNodeClick(S); };

    P = pnlPropFreeShape;
    const char16_t* ModeNames[3] = {u"sbFreeShapeControlMode1", u"sbFreeShapeControlMode2",
                                    u"sbFreeShapeControlMode4"};
    const char16_t* ModeGlyphs[3] = {u"\u25A1", u"\u25CA", u"\u2571"};
    for (Integer I = 0; I < 3; ++I) {
        sbFreeShapeControlMode[I] = NewSpeed(FForm, P, ModeNames[I], 4 + I * 26, 6, 24, ModeGlyphs[I]);
        sbFreeShapeControlMode[I]->SetGroupIndex(41);
        sbFreeShapeControlMode[I]->OnClick = [this](TObject*) { sbFreeShapeControlModeClick(); };
    }
    sbFreeShapeAddNode = NewSpeed(FForm, P, u"sbFreeShapeAddNode", 4, 34, 24, u"+");
    sbFreeShapeAddNode->SetGroupIndex(42);
    sbFreeShapeAddNode->SetAllowAllUp(true);
    sbFreeShapeAddNode->OnClick = [this](TObject*) { sbFreeShapeAddNodeClick(); };
    sbFreeShapeDeleteNode = NewSpeed(FForm, P, u"sbFreeShapeDeleteNode", 30, 34, 24, u"\u2212");
    sbFreeShapeDeleteNode->OnClick = [this](TObject*) { sbFreeShapeDeleteNodeClick(); };
    sbFreeShapeSetCommonTangent = NewSpeed(FForm, P, u"sbFreeShapeSetCommonTangent", 56, 34, 24, u"\u2229");
    sbFreeShapeSetCommonTangent->SetTag(0);
    sbFreeShapeSetCommonTangent->OnClick = [this](TObject*) { sbFreeShapeSetCommonTangentClick(true); };
    sbFreeShapeSetSingleTangent = NewSpeed(FForm, P, u"sbFreeShapeSetSingleTangent", 82, 34, 24, u"^");
    sbFreeShapeSetSingleTangent->SetTag(1);
    sbFreeShapeSetSingleTangent->OnClick = [this](TObject*) { sbFreeShapeSetCommonTangentClick(false); };
    sbFreeShapeHideTangent = NewSpeed(FForm, P, u"sbFreeShapeHideTangent", 108, 34, 24, u"\u2022");
    sbFreeShapeHideTangent->OnClick = [this](TObject*) { sbFreeShapeHideTangentClick(); };
    sbFreeShapeCloseShape = NewSpeed(FForm, P, u"sbFreeShapeCloseShape", 4, 62, 24, u"\u25CB");
    sbFreeShapeCloseShape->OnClick = [this](TObject*) { sbFreeShapeCloseShapeClick(); };
    sbFreeShapeBreakNode = NewSpeed(FForm, P, u"sbFreeShapeBreakNode", 30, 62, 24, u"\u00F7");
    sbFreeShapeBreakNode->OnClick = [this](TObject*) { sbFreeShapeBreakNodeClick(); };
}

void TPropertyPanels::MakeOptionPanels()
{
    TWinControl* P = pnlPropSelection0;
    chkSelectionAntialiasing = NewCheck(FForm, P, u"chkSelectionAntialiasing", 6, 8, 176);
    chkSelectionAntialiasing->OnClick = [this](TObject*) { chkSelectionAntialiasingClick(); };
    btnSelectionFeather = new TsfSkinButton(&FForm);
    btnSelectionFeather->SetName(u"btnSelectionFeather");
    btnSelectionFeather->SetSkinData(FForm.SkinData());
    btnSelectionFeather->SetBounds(6, 40, 120, 24);
    btnSelectionFeather->SetParent(P);
    btnSelectionFeather->OnClick = [this](TObject*) { btnSelectionFeatherClick(); };
    lblSelectionTolerance = NewLabel(FForm, P, u"lblSelectionTolerance", 196, 11, 80);
    editSelectionTolerance = NewSpin(FForm, P, u"editSelectionTolerance", 280, 8);
    editSelectionTolerance->OnChange = [this](TObject*) { editSelectionToleranceChange(); };
    chkSelectionContinuous = NewCheck(FForm, P, u"chkSelectionContinuous", 196, 42, 180);
    chkSelectionContinuous->OnClick = [this](TObject*) { chkSelectionContinuousClick(); };

    P = pnlPropPencil;
    chkPencilEditable = NewCheck(FForm, P, u"chkPencilEditable", 6, 14, 110);
    chkPencilDebounce = NewCheck(FForm, P, u"chkPencilDebounce", 6, 44, 110);
    P = pnlPropFill;
    lblFillTolerance = NewLabel(FForm, P, u"lblFillTolerance", 6, 14, 80);
    editFillTolerance = NewSpin(FForm, P, u"editFillTolerance", 6, 36);

    // The settings the panels start with; the handlers come after, so that
    // reading them changes nothing else.
    chkPencilEditable->SetChecked(SettingsCell(PencilEditableCell)->AsBool());
    chkPencilDebounce->SetChecked(SettingsCell(PencilDebounceCell)->AsBool());
    editFillTolerance->SimpleSetValue(std::clamp(SettingsCell(FillToleranceCell)->Value(), 0, 255));
    chkPencilEditable->OnClick = [this](TObject*) { chkPencilEditableClick(); };
    chkPencilDebounce->OnClick = [this](TObject*) { chkPencilDebounceClick(); };
    editFillTolerance->OnChange = [this](TObject*) { editFillToleranceChange(); };
}

// ---------------------------------------------------------------------------
// Filling

void TPropertyPanels::FillPanels(const TPropertyVisibility& V)
{
    pnlText->SetVisible(V.Text);
    if (V.Text) FillTextPanel();
    if (V.Polygon || V.FreeShape) FillNodePanels();
    if (V.Selection) FillSelectionPanel();
    ArrangeBar();
}

void TPropertyPanels::ArrangeBar()
{
    auto* Shape = FForm.Layout().Part(u"pnlShape");
    if (FStylesLeft < 0) {
        // The places the window was given at creation are the ones without a panel.
        FStylesLeft = FForm.pnlStyles->Left();
        FStylesWidth = FForm.pnlStyles->Width();
        FSwitchLeft = FForm.pnlShowRight->Left();
    }
    Integer OptionWidth = 0;
    for (TsfSkinPanel* P : {pnlPropPencil, pnlPropFill, pnlPropSelection0, pnlPropPolygon, pnlPropFreeShape})
        if (P->Visible()) {
            P->SetBounds(Shape->Left() + Shape->Width() + 3, 0, P->Width(), P->Height());
            OptionWidth = P->Width();
        }
    if (OptionWidth == 0) {
        FForm.pnlStyles->SetBounds(FStylesLeft, FForm.pnlStyles->Top(), FStylesWidth, FForm.pnlStyles->Height());
        FForm.pnlShowRight->SetLeft(FSwitchLeft);
        return;
    }
    const TBarPlaces B = ::ArrangeBar(Shape->Left() + Shape->Width(), OptionWidth, FStylesWidth,
                                      FForm.pnlShowRight->Width(), FForm.pnlProp->ClientWidth());
    FForm.pnlStyles->SetBounds(B.StylesLeft, FForm.pnlStyles->Top(), B.StylesWidth, FForm.pnlStyles->Height());
    FForm.pnlShowRight->SetLeft(B.SwitchLeft);
}

void TPropertyPanels::FillTextPanel()
{
    const TShapeProps& Props = FForm.ToolPanels().ShapeProps();
    TRow* Row = ToolRow();
    auto Cell = [Row](Integer C) { return Row && C < Row->ItemCount() ? Row->GetItem(C)->Text() : String(); };
    auto Flag = [Row](Integer C) { return Row && C < Row->ItemCount() && Row->GetItem(C)->AsBool(); };
    if (txtText->Text() != Props.TextStr) txtText->SetText(Props.TextStr);
    cbFontName->SetFontName(Cell(TC::FontName));
    cbFontSize->SetFontName(cbFontName->FontName());
    clFontColor->SetColorValue(static_cast<TColor>(StrToIntDef(Cell(TC::FontColor), 0)));
    SelectComboItemByText(cbFontSize, Cell(TC::FontSize));
    cbFontSize->SetText(Cell(TC::FontSize));
    sbFontBold->SetDown(Flag(TC::Bold));
    sbFontItalic->SetDown(Flag(TC::Italic));
    sbFontUnderline->SetDown(Flag(TC::Underline));
    sbFontStroke->SetDown(Flag(TC::Stroke));
    sbFontStrokeEmpty->SetDown(Flag(TC::StrokeEmpty));
    clFontStrokeColor->SetColorValue(static_cast<TColor>(StrToIntDef(Cell(TC::StrokeColor), 0)));
    sbFontStrokeWidth->SetCaption(TextPanel::StrokeWidthCaption(Cell(TC::StrokeWidth)));
    const bool StrokeControls = sbFontStroke->Down() || sbFontStrokeEmpty->Down();
    clFontStrokeColor->SetVisible(StrokeControls);
    sbFontStrokeWidth->SetVisible(StrokeControls);
    sbTextVertical->SetDown(Flag(TC::Vertical));
    for (Integer I = 0; I < 3; ++I) {
        sbAlign[I]->SetDown(Props.TextAlign == I);
        sbAlignLayout[I]->SetDown(Props.TextLayout == I);
    }
}

void TPropertyPanels::FillNodePanels()
{
    TImageDraw* D = Doc();
    TImgShape* S = D ? D->Shape() : nullptr;
    if (auto* Poly = dynamic_cast<TImgPolygon*>(S)) sbPolygonAddNode->SetDown(Poly->PointAdding());
    if (auto* Free = dynamic_cast<TImgFreeShape*>(S)) {
        sbFreeShapeAddNode->SetDown(Free->PointAdding());
        const Integer Modes[3] = {1, 2, 4};
        for (Integer I = 0; I < 3; ++I)
            if (Free->ControlMode() == Modes[I]) sbFreeShapeControlMode[I]->SetDown(true);
    }
    DocumentShapeStateChanged();
}

void TPropertyPanels::DocumentShapeStateChanged()
{
    TImageDraw* D = Doc();
    TImgShape* S = D ? D->Shape() : nullptr;
    if (auto* Poly = dynamic_cast<TImgPolygon*>(S)) {
        sbPolygonDeleteNode->SetEnabled(NodePanel::PolygonDeleteEnabled(Poly->PointIndex()));
    } else if (auto* Free = dynamic_cast<TImgFreeShape*>(S)) {
        const NodePanel::TFreeShapeButtons B =
            NodePanel::FreeShapeButtons(Free->ControlMode(), Free->SelectPointIndex(), Free->Closed(),
                                        Free->SelectPointCount());
        sbFreeShapeAddNode->SetEnabled(B.AddNode);
        sbFreeShapeDeleteNode->SetEnabled(B.DeleteNode);
        sbFreeShapeSetCommonTangent->SetEnabled(B.CommonTangent);
        sbFreeShapeSetSingleTangent->SetEnabled(B.SingleTangent);
        sbFreeShapeHideTangent->SetEnabled(B.HideTangent);
        sbFreeShapeCloseShape->SetEnabled(B.CloseShape);
        sbFreeShapeBreakNode->SetEnabled(B.BreakNode);
    }
}

void TPropertyPanels::FillSelectionPanel()
{
    const Integer Style = FForm.ToolPanels().Tools().ShapeStyleId();
    const SelectionPanel::TSelectionOptions O = SelectionPanel::OptionsFor(SelectionTable.get(), Style);
    lblSelectionTolerance->SetVisible(O.WandControls);
    editSelectionTolerance->SetVisible(O.WandControls);
    chkSelectionContinuous->SetVisible(O.WandControls);
    pnlPropSelection0->SetWidth(O.PanelWidth);
    chkSelectionAntialiasing->SetChecked(O.Antialiasing);
    chkSelectionAntialiasing->SetEnabled(O.AntialiasingEnabled);
    btnSelectionFeather->SetEnabled(SelectionPanel::FeatherEnabled(Doc()));
    ShowSelectionFeather();
    if (O.WandControls) {
        editSelectionTolerance->SimpleSetValue(O.Tolerance);
        chkSelectionContinuous->SetChecked(O.Continuous);
    }
}

void TPropertyPanels::ShowSelectionFeather()
{
    if (!pnlPropSelection0->Visible()) return;
    TImageDraw* D = Doc();
    const TImgSelection* S = D && D->SelectionExists() ? D->SelectionShape() : nullptr;
    btnSelectionFeather->SetCaption(
        SelectionPanel::FeatherCaption(GetLangText(1, 237), S != nullptr, S ? S->FeatherAmount() : 0));
}

// ---------------------------------------------------------------------------
// Text panel

void TPropertyPanels::txtTextChange()
{
    if (Pending()) return;
    const String Text = txtText->Text();
    FForm.ToolPanels().ShapeProps().TextStr = Text;
    if (TImageDraw* D = Doc()) {
        D->SetPropertyStr(u"Text", Text, true);
        D->SaveUndo();
    }
}

void TPropertyPanels::cbFontNameChange()
{
    if (Pending()) return;
    const String Name = cbFontName->FontName();
    SetCell(TC::FontName, Name);
    if (TImageDraw* D = Doc()) {
        D->SetPropertyStr(u"FontName", Name, true);
        D->SaveUndo();
    }
}

void TPropertyPanels::cbFontSizeChange()
{
    if (Pending()) return;
    const Integer Size = cbFontSize->SizeValue();
    if (Size <= 0) return;
    SetCell(TC::FontSize, IntToStr(Size));
    SetProperty(u"FontSize", Size);
    SaveUndo();
}

void TPropertyPanels::clFontColorChangeColor()
{
    if (Pending()) return;
    const Integer Colour = static_cast<Integer>(clFontColor->ColorValue());
    SetCell(TC::FontColor, IntToStr(Colour));
    SetProperty(u"FontColor", Colour);
    FForm.ColorHandlers().ColorChosen();
    SaveUndo();
}

void TPropertyPanels::clFontStrokeColorChangeColor()
{
    if (Pending()) return;
    const Integer Colour = static_cast<Integer>(clFontStrokeColor->ColorValue());
    SetCell(TC::StrokeColor, IntToStr(Colour));
    SetProperty(u"FontStrokeColor", Colour);
    FForm.ColorHandlers().ColorChosen();
    SaveUndo();
}

void TPropertyPanels::sbFontStyleClick(TsfSkinSpeedButton* Button)
{
    if (Pending()) return;
    Integer Cell = TC::Bold;
    const char16_t* Name = u"FontBold";
    if (Button == sbFontItalic) Cell = TC::Italic, Name = u"FontItalic";
    if (Button == sbFontUnderline) Cell = TC::Underline, Name = u"FontUnderline";
    if (Button == sbTextVertical) Cell = TC::Vertical, Name = u"DirectionVertical";
    const bool Down = Button->Down();
    SetCell(Cell, BoolText(Down));
    SetProperty(Name, Down ? -1 : 0);
    SaveUndo();
}

void TPropertyPanels::sbFontStrokeClick(bool Hollow)
{
    if (Pending()) return;
    TsfSkinSpeedButton* Clicked = Hollow ? sbFontStrokeEmpty : sbFontStroke;
    TsfSkinSpeedButton* Other = Hollow ? sbFontStroke : sbFontStrokeEmpty;
    const TextPanel::TStrokeState After =
        TextPanel::StrokeClicked({sbFontStroke->Down(), sbFontStrokeEmpty->Down()}, Hollow, Clicked->Down());
    SetCell(Hollow ? TC::StrokeEmpty : TC::Stroke, BoolText(Clicked->Down()));
    SetProperty(Hollow ? u"FontStrokeEmpty" : u"FontStroke", Clicked->Down() ? -1 : 0);
    if (Clicked->Down()) {
        // The other kind of stroke goes: released and cleared.
        if (Other->Down()) Other->SetDown(false);
        SetCell(Hollow ? TC::Stroke : TC::StrokeEmpty, BoolText(false));
    }
    clFontStrokeColor->SetVisible(After.StrokeControlsVisible());
    sbFontStrokeWidth->SetVisible(After.StrokeControlsVisible());
    SaveUndo();
}

void TPropertyPanels::muStrokeWidthClick(Integer Width)
{
    if (Pending()) return;
    SetCell(TC::StrokeWidth, IntToStr(Width));
    SetProperty(u"FontStrokeWidth", Width);
    sbFontStrokeWidth->SetCaption(IntToStr(Width));
    SaveUndo();
}

void TPropertyPanels::pmStrokeWidthPopup()
{
    for (TMenuItem* Item : muStrokeWidth) Item->SetChecked(Item->Caption() == sbFontStrokeWidth->Caption());
}

void TPropertyPanels::sbAlignLeftClick(Integer Tag)
{
    if (Pending()) return;
    FForm.ToolPanels().ShapeProps().TextAlign = Tag;
    SetProperty(u"Alignment", Tag);
    SaveUndo();
}

void TPropertyPanels::sbAlignMiddleClick()
{
    if (Pending()) return;
    const Integer Layout = TextPanel::TextLayoutOf(sbAlignLayout[1]->Down());
    FForm.ToolPanels().ShapeProps().TextLayout = Layout;
    SetProperty(u"Layout", Layout);
    SaveUndo();
}

void TPropertyPanels::ReplaceMemoText(const String& Text)
{
    // The whole text goes, not only a selection in it; the memo's change
    // handler sends the new text on.
    txtText->SetText(Text);
    txtText->SetSelStart(static_cast<Integer>(Text.size()));
    txtText->SetSelLength(0);
    if (txtText->CanFocus()) txtText->SetFocus();
}

void TPropertyPanels::sbTextTemplateClick(Integer Tag)
{
    if (!TextTemplateTable) return;
    ReplaceMemoText(TextTemplate(*TextTemplateTable, Tag));
}

void TPropertyPanels::sbTextTemplateDateClick() { ReplaceMemoText(ShortDateToday()); }

void TPropertyPanels::sbTextTemplateSettingsClick()
{
    if (!TextTemplateTable) return;
    auto Dialog =
        std::make_unique<TfrmTextTemplate>(Application, FForm.SkinData(), *TextTemplateTable, FForm.Locale().BackColor());
    if (OnDialogShown) OnDialogShown(*Dialog);
    Dialog->ShowModal();
    Dialog.reset();
    FForm.AfterModalDialog();
}

void TPropertyPanels::lblTextMouseDown(Integer X, Integer Y)
{
    FMovePanel = true;
    FMoveX = X;
    FMoveY = Y;
}

void TPropertyPanels::lblTextMouseMove(Integer X, Integer Y)
{
    if (!FMovePanel) return;
    const StylePages::TDragBounds B{FForm.pnlImage->Left(), FForm.pnlImage->Top(), FForm.pnlImage->Height(),
                                    FForm.pnlRight->Left()};
    const TPoint At = StylePages::DraggedTextPanel({pnlText->Left(), pnlText->Top()},
                                                   {pnlText->Width(), pnlText->Height()}, {X - FMoveX, Y - FMoveY}, B);
    pnlText->SetBounds(At.X, At.Y, pnlText->Width(), pnlText->Height());
}

void TPropertyPanels::lblTextMouseUp() { FMovePanel = false; }

// ---------------------------------------------------------------------------
// Node panels

void TPropertyPanels::sbFreeShapeAddNodeClick()
{
    if (Pending()) return;
    TImageDraw* D = Doc();
    if (auto* Free = D ? dynamic_cast<TImgFreeShape*>(D->Shape()) : nullptr)
        Free->SetPointAdding(sbFreeShapeAddNode->Down());
}

void TPropertyPanels::sbFreeShapeDeleteNodeClick()
{
    if (Pending()) return;
    TImageDraw* D = Doc();
    if (!D) return;
    D->FreeShapeDeleteNode();
    D->Draw();
    D->SaveUndo();
}

void TPropertyPanels::sbFreeShapeHideTangentClick()
{
    if (Pending()) return;
    TImageDraw* D = Doc();
    if (!D || !D->FreeShapeHideTangent()) return;
    D->Draw();
    D->SaveUndo();
}

void TPropertyPanels::sbFreeShapeSetCommonTangentClick(bool Common)
{
    if (Pending()) return;
    TImageDraw* D = Doc();
    if (!D || !D->FreeShapeSetCommonTangent(Common)) return;
    D->Draw();
    D->SaveUndo();
}

void TPropertyPanels::sbFreeShapeCloseShapeClick()
{
    if (Pending()) return;
    TImageDraw* D = Doc();
    if (!D) return;
    D->FreeShapeCloseShape();
    D->Draw();
    D->SaveUndo();
}

void TPropertyPanels::sbFreeShapeBreakNodeClick()
{
    if (Pending()) return;
    TImageDraw* D = Doc();
    if (!D) return;
    D->FreeShapeBreakNode();
    D->Draw();
    D->SaveUndo();
}

void TPropertyPanels::sbFreeShapeControlModeClick()
{
    if (Pending()) return;
    TImageDraw* D = Doc();
    const Integer Mode =
        NodePanel::ControlModeOf(sbFreeShapeControlMode[0]->Down(), sbFreeShapeControlMode[1]->Down());
    if (!D || !D->FreeShapeSetControlMode(Mode)) return;
    sbFreeShapeAddNode->SetDown(false);
    D->Draw();
    D->SaveUndo();
    DocumentShapeStateChanged();
}

// ---------------------------------------------------------------------------
// Selection, pencil and fill panels

void TPropertyPanels::chkSelectionAntialiasingClick()
{
    if (Pending()) return;
    SelectionPanel::StoreOption(SelectionTable.get(), FForm.ToolPanels().Tools().ShapeStyleId(),
                                SelectionPanel::Cell::Antialiasing, BoolText(chkSelectionAntialiasing->Checked()));
}

void TPropertyPanels::chkSelectionContinuousClick()
{
    if (Pending()) return;
    SelectionPanel::StoreOption(SelectionTable.get(), FForm.ToolPanels().Tools().ShapeStyleId(),
                                SelectionPanel::Cell::Continuous, BoolText(chkSelectionContinuous->Checked()));
}

void TPropertyPanels::editSelectionToleranceChange()
{
    if (Pending()) return;
    SelectionPanel::StoreOption(SelectionTable.get(), FForm.ToolPanels().Tools().ShapeStyleId(),
                                SelectionPanel::Cell::Tolerance,
                                IntToStr(static_cast<Integer>(std::lround(editSelectionTolerance->Value()))));
}

void TPropertyPanels::btnSelectionFeatherClick()
{
    if (Pending()) return;
    TImageDraw* D = Doc();
    TImgSelection* S = D && D->SelectionExists() ? D->SelectionShape() : nullptr;
    if (!S) return;
    const Integer Before = S->FeatherAmount();
    auto Dialog = std::make_unique<TfrmFeatherAmount>(Application, FForm.SkinData());
    Dialog->FValue = FeatherStartValue(Before);
    if (OnDialogShown) OnDialogShown(*Dialog);
    if (Dialog->ShowModal() == mrOk)
        S->SetFeatherAmount(static_cast<Integer>(std::lround(Dialog->editFeatherAmount->Value())));
    Dialog.reset();
    if (S->FeatherAmount() != Before) {
        D->SetChanged(true);
        D->SaveUndo();
        ShowSelectionFeather();
    }
    FForm.AfterModalDialog();
}

void TPropertyPanels::chkPencilEditableClick()
{
    if (!FForm.MainWindowCreated() || Pending()) return;
    const bool Checked = chkPencilEditable->Checked();
    SettingsCell(PencilEditableCell)->SetText(BoolText(Checked));
    TImageDraw* D = Doc();
    if (!D) return;
    D->SetPencilEditable(Checked);
    D->SelectShape(selNone, -1);
    D->Draw();
}

void TPropertyPanels::chkPencilDebounceClick()
{
    if (!FForm.MainWindowCreated() || Pending()) return;
    const bool Checked = chkPencilDebounce->Checked();
    SettingsCell(PencilDebounceCell)->SetText(BoolText(Checked));
    if (TImageDraw* D = Doc()) D->SetPencilDebounce(Checked);
}

void TPropertyPanels::editFillToleranceChange()
{
    if (Pending()) return;
    SettingsCell(FillToleranceCell)->SetValue(
        std::clamp(static_cast<Integer>(std::lround(editFillTolerance->Value())), 0, 255));
    if (TImageDraw* D = Doc()) D->SetFillTolerance(SettingsCell(FillToleranceCell)->Value());
}
