#include "dialogs/win/GradientEditorForm.h"

#include <algorithm>
#include <cmath>

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/MainWindowServices.h"
#include "dialogs/win/GradientPaint.h"
#include "dialogs/win/OptionDialogs.h"
#include "dialogs/win/ShadowReflectForms.h"
#include "foundation/Global.h"
#include "foundation/Global_Helpers.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/Menus.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"

namespace {

template <class T>
T* Placed(T* C, TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H)
{
    C->SetParent(Parent);
    C->SetBounds(X, Y, W, H);
    return C;
}

constexpr Integer BarLeft = 16, BarTop = 29, BarWidth = 368, BarHeight = 31;
constexpr Integer ScrollWidth = 17;

// The caret over a marker: an outlined one for every stop, a filled one for
// the selected stop.
void PaintCaret(TCanvas* C, bool Filled)
{
    C->Pen()->SetColor(clBlack);
    C->Brush()->SetColor(Filled ? clBlack : clWhite);
    const TPoint P[3] = {{5, 0}, {10, 5}, {0, 5}};
    C->Polygon(P, 3);
}

}  // namespace

TfrmGradientEditor::TfrmGradientEditor(TComponent* AOwner, TsfSkinData* SkinData, TMainWindowServices* Main,
                                       TDataTable& Table, TColor Fore, TColor Back)
    : TForm(AOwner), FMain(Main), FTable(Table), FStops(BarLeft, BarTop + BarHeight, BarWidth)
{
    SetName(u"frmGradientEditor");
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientWidth(418);
    SetClientHeight(389);
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);
    FStops.ForeColor = Fore;
    FStops.BackColor = Back;

    auto Panel = [&](TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H) {
        auto* P = Placed(new TsfSkinPanel(this), Parent, X, Y, W, H);
        P->SetSkinData(SkinData);
        P->SetCaption(String());
        return P;
    };
    auto Label = [&](TWinControl* Parent, Integer X, Integer Y, Integer W, const String& Caption) {
        auto* L = Placed(new TLabel(this), Parent, X, Y, W, 16);
        L->SetAutoSize(false);
        L->SetCaption(Caption);
        return L;
    };
    auto Button = [&](TWinControl* Parent, Integer X, Integer Y, Integer W, const String& Caption) {
        auto* B = Placed(new TsfSkinButton(this), Parent, X, Y, W, 25);
        B->SetSkinData(SkinData);
        B->SetCaption(Caption);
        return B;
    };

    // Presets.
    gbPreset = Panel(this, 8, 8, 300, 150);
    Label(gbPreset, 8, 4, 200, GetLangText(1, 361));
    pnlThumb = Panel(gbPreset, 8, 22, 261 + ScrollWidth + 5, 100);
    ScrollBar2 = Placed(new TsfSkinScrollBar(this), pnlThumb, pnlThumb->Width() - ScrollWidth, 0, ScrollWidth, 100);
    ScrollBar2->SetSkinData(SkinData);
    ScrollBar2->SetKind(sbVertical);
    ScrollBar2->SetSmallChange(20);
    ScrollBar2->SetLargeChange(80);
    ScrollBar2->SetVisible(false);
    ScrollBar2->OnChange = [this](TObject*) { DrawThumbs(-1); };
    lblGradientName = Label(gbPreset, 8, 128, 60, GetLangText(1, 364, true));
    editName = Placed(new TsfSkinEdit(this), gbPreset, 70, 125, 140, 22);
    editName->SetSkinData(SkinData);
    editName->SetMaxLength(50);
    btnCreateNew = Button(gbPreset, 216, 124, 76, GetLangText(1, 362));
    btnOk = Button(this, 320, 12, 90, GetLangText(1, 47));
    btnOk->SetDefault(true);
    btnCancel = Button(this, 320, 44, 90, GetLangText(1, 48));
    btnCancel->SetCancel(true);

    // The stop editor.
    gbEditor = Panel(this, 8, 166, 402, 215);
    Label(gbEditor, 8, 4, 200, GetLangText(1, 365));
    imgGradient = Placed(new TImage32(this), gbEditor, BarLeft, BarTop, BarWidth, BarHeight);
    imgGradient->Bitmap()->SetSize(BarWidth, BarHeight);
    imgGradient->SetCursor(crHandPoint);
    for (Integer i = 0; i < TGradientStops::MaxStops; ++i) {
        auto* Caret = Placed(new TPaintBox(this), gbEditor, 0, FStops.Strip().Top, 11, 6);
        Caret->OnPaint = [Caret](TObject*) { PaintCaret(Caret->Canvas(), false); };
        Caret->SetVisible(false);
        FArrowPoints[i] = Caret;
        auto* M = Placed(new TShape(this), gbEditor, 0, FStops.MarkerTop(), 9, 9);
        M->SetTag(i);
        M->SetVisible(false);
        M->OnMouseDown = [this, M](TObject*, TMouseButton, TShiftState, Integer X, Integer) {
            FMoving = true;
            FMovingMarker = true;
            FMoveX = X;
            FStops.Select(M->Tag());
            ShowStopValues();
        };
        M->OnMouseMove = [this, M](TObject*, TShiftState, Integer X, Integer) {
            if (FMoving) EditorMouseMove(X + M->Left(), 0);
        };
        M->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { EditorMouseUp(); };
        FColorPoints[i] = M;
    }
    FArrowPoint = Placed(new TPaintBox(this), gbEditor, 0, FStops.Strip().Top, 11, 6);
    FArrowPoint->OnPaint = [this](TObject*) { PaintCaret(FArrowPoint->Canvas(), true); };
    lblPointPosition = Placed(new TLabel(this), gbEditor, 0, FStops.Strip().Bottom + 2, 33, 16);
    lblPointPosition->SetAutoSize(false);
    lblPointPosition->SetAlignment(taCenter);
    lblPointPosition->SetHint(GetLangText(1, 366));
    gbEditor->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) { EditorMouseDown(X, Y); };
    gbEditor->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y) { EditorMouseMove(X, Y); };
    gbEditor->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { EditorMouseUp(); };
    imgGradient->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer X, Integer Y, TCustomLayer*) {
        TBitmap32* B = imgGradient->Bitmap();
        if (X < 0 || Y < 0 || X >= B->Width() || Y >= B->Height()) return;
        // The colour without its alpha; the stop's opacity stays.
        cbPointColor->SetColorValue(Color32ToWinColor(B->Pixel(X, Y)));
        cbPointColorChangeColor();
    };

    gbColorPoint = Panel(gbEditor, 8, 98, 386, 110);
    Label(gbColorPoint, 8, 4, 200, GetLangText(1, 367));
    lblPointColor = Label(gbColorPoint, 8, 30, 60, GetLangText(1, 368, true));
    cbPointColor = Placed(new TsfSkinColorButton(this), gbColorPoint, 70, 26, 60, 24);
    cbPointColor->SetName(u"cbPointColor");
    cbPointColor->SetSkinData(SkinData);
    rdoForeColor = Placed(new TsfSkinCheckRadioBox(this), gbColorPoint, 140, 28, 110, 20);
    rdoForeColor->SetSkinData(SkinData);
    rdoForeColor->SetCaption(GetLangText(1, 369));
    rdoBackColor = Placed(new TsfSkinCheckRadioBox(this), gbColorPoint, 256, 28, 110, 20);
    rdoBackColor->SetSkinData(SkinData);
    rdoBackColor->SetCaption(GetLangText(1, 370));
    lblPointOpacity = Label(gbColorPoint, 8, 64, 60, GetLangText(1, 371, true));
    sliderPointOpacity = Placed(new TsfSkinSlider(this), gbColorPoint, 70, 60, 180, 22);
    sliderPointOpacity->SetSkinData(SkinData);
    sliderPointOpacity->SetMinValue(0);
    sliderPointOpacity->SetMaxValue(100);
    sliderPointOpacity->SetIncrement(1);
    lblPointOpacityValue = Label(gbColorPoint, 254, 64, 40, String());
    btnDeletePoint = Button(gbColorPoint, 300, 60, 76, GetLangText(1, 363));

    pmThumb = new TsfSkinPopupMenu(this);
    pmThumb->SetSkinData(SkinData);
    muNew = new TMenuItem(pmThumb);
    muNew->SetCaption(GetLangText(1, 362));
    muDelete = new TMenuItem(pmThumb);
    muDelete->SetCaption(GetLangText(1, 363));
    pmThumb->Items()->Add(muNew);
    pmThumb->Items()->Add(muDelete);
    pmThumb->OnPopup = [this](TObject*) { muDelete->SetEnabled(FTable.ItemCount() > 1); };
    muNew->OnClick = [this](TObject*) { btnCreateNewClick(); };
    muDelete->OnClick = [this](TObject*) { muDeleteClick(); };

    SetCaption(GetLangText(1, 360));
    cbPointColor->SetMainWindowHandle(Handle());
    cbPointColor->OnChangeColor = [this](TObject*) { cbPointColorChangeColor(); };
    cbPointColor->OnShowTrackMenu = [this](TObject* S) {
        if (FMain) FMain->clColorShowTrackMenu(S);
        FColorButtonName = cbPointColor->Name();
        FStops.BeginColorPreview();
    };
    cbPointColor->OnHideTrackMenu = [this](TObject* S) {
        if (FMain) FMain->clColorHideTrackMenu(S);
        // No choice: the stop as it was, a word staying a word.
        if (FStops.EndColorPreview(FColorButtonName.empty())) {
            PlaceMarkers();
            ShowStopValues();
            DrawGradientBar();
        }
        FColorButtonName.clear();
    };
    cbPointColor->OnColorDialogClose = [this](TObject* S) {
        if (FMain) FMain->clColorColorDialogClose(S);
    };
    rdoForeColor->OnClick = [this](TObject*) { WordClick(true); };
    rdoBackColor->OnClick = [this](TObject*) { WordClick(false); };
    sliderPointOpacity->OnChange = [this](TObject*) {
        lblPointOpacityValue->SetCaption(IntToStr(std::lround(sliderPointOpacity->Value())) + u"%");
        if (FPending) return;
        FStops.SetCurrentOpacity(static_cast<Integer>(std::lround(sliderPointOpacity->Value())));
        DrawGradientBar();
    };
    btnDeletePoint->OnClick = [this](TObject*) { btnDeletePointClick(); };
    btnCreateNew->OnClick = [this](TObject*) { btnCreateNewClick(); };
    btnOk->OnClick = [this](TObject*) { btnOkClick(); };
    btnCancel->OnClick = [this](TObject*) { SetModalResult(mrCancel); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnClose = [](TObject*, TCloseAction&) { ActiveFormWindow = nullptr; };
    ActiveFormWindow = Handle();

    // A current preset past the end (rows deleted by a cancelled session) is
    // the last row.
    FGradientIndex = ClampPresetIndex(FTable.GetProp(1)->Value(), FTable.ItemCount());
    FGradientIndex_B = FGradientIndex;
    LoadStops();
    FStops.Select(0);
    ShowStopValues();
}

TfrmGradientEditor::~TfrmGradientEditor()
{
    if (HandleAllocated() && ActiveFormWindow == Handle()) ActiveFormWindow = nullptr;
}

Integer TfrmGradientEditor::NameCell() const { return 10 + LangColumn; }

void TfrmGradientEditor::FormShow(TObject*)
{
    ApplyChineseDialogFont(*this, *sfSkinForm1);
    DrawGradientBar();
    CreateThumbs();
    RefreshThumbs(true);
    if (ScrollBar2->Visible() && FGradientIndex >= 0)
        ScrollBar2->SetPosition((FGradientIndex / FThumbColCount) * 32);
}

// ---------------------------------------------------------------------------
// Stops

void TfrmGradientEditor::LoadStops()
{
    if (FGradientIndex >= 0 && FGradientIndex < FTable.ItemCount()) {
        TRow* Row = FTable.GetItem(FGradientIndex);
        auto Cell = [Row](Integer C) { return C < Row->ItemCount() ? Row->GetItem(C)->Text() : String(); };
        FStops.Load(Cell(1), Cell(2), Cell(3));
        editName->SetText(Cell(NameCell()));
    } else {
        FStops.Load(String(), String(), String());
        editName->SetText(String());
    }
    PlaceMarkers();
}

void TfrmGradientEditor::PlaceMarkers()
{
    for (Integer i = 0; i < TGradientStops::MaxStops; ++i) {
        const bool Shown = i < FStops.Count();
        TShape* M = FColorPoints[i];
        if (Shown) {
            M->SetBounds(FStops.MarkerLeft(i), FStops.MarkerTop(), 9, 9);
            M->Brush()->SetColor(FStops.ColorOf(i));
            M->SetTag(i);
            FArrowPoints[i]->SetLeft(FStops.MarkerLeft(i) - 1);
        }
        M->SetVisible(Shown);
        FArrowPoints[i]->SetVisible(Shown);
    }
    btnDeletePoint->SetEnabled(FStops.CanDelete());
}

void TfrmGradientEditor::ShowStopValues()
{
    FPending = true;
    const Integer I = FStops.Index();
    cbPointColor->SetColorValue(FStops.ColorOf(I));
    rdoForeColor->SetChecked(FStops.IsForeWord(I));
    rdoBackColor->SetChecked(FStops.IsBackWord(I));
    sliderPointOpacity->SetValue(FStops.OpacityOf(I));
    lblPointOpacityValue->SetCaption(IntToStr(FStops.OpacityOf(I)) + u"%");
    lblPointPosition->SetCaption(GradientPercentText(FStops.PositionOf(I)));
    lblPointPosition->SetLeft(FStops.MarkerLeft(I) - 12);
    FArrowPoint->SetLeft(FStops.MarkerLeft(I) - 1);
    FArrowPoint->BringToFront();
    FPending = false;
}

void TfrmGradientEditor::DrawGradientBar()
{
    TBitmap32* B = imgGradient->Bitmap();
    B->Clear(0xFFFFFFFF);
    DrawCheckerboard(B, TRect{0, 0, B->Width(), B->Height()}, 8);
    PaintGradient(*B,
                  TRect{0, 0, B->Width(), B->Height()},
                  GradientBlendOf(FStops.ColorRow(), FStops.OpacityRow(), FStops.PositionRow(), 255, FStops.ForeColor,
                                  FStops.BackColor),
                  false);
    imgGradient->Invalidate();
}

void TfrmGradientEditor::EditorMouseDown(Integer X, Integer Y)
{
    if (!FStops.AddStopAt(X, Y, cbPointColor->ColorValue())) return;
    PlaceMarkers();
    ShowStopValues();
    DrawGradientBar();
    FMoving = true;
    FMovingMarker = false;
    FMoveX = X;
}

void TfrmGradientEditor::EditorMouseMove(Integer X, Integer)
{
    if (!FMoving) return;
    FStops.DragTo(FMovingMarker ? FStops.DragLeftFromMarker(X - FStops.MarkerLeft(FStops.Index()), FMoveX)
                                : FStops.DragLeftFromStrip(X));
    PlaceMarkers();
    ShowStopValues();
    DrawGradientBar();
}

void TfrmGradientEditor::EditorMouseUp() { FMoving = false; }

void TfrmGradientEditor::cbPointColorChangeColor()
{
    FColorButtonName.clear();
    if (FPending) return;
    FStops.SetCurrentColor(cbPointColor->ColorValue());
    FColorPoints[FStops.Index()]->Brush()->SetColor(cbPointColor->ColorValue());
    FPending = true;
    rdoForeColor->SetChecked(false);
    rdoBackColor->SetChecked(false);
    FPending = false;
    DrawGradientBar();
}

void TfrmGradientEditor::WordClick(bool Fore)
{
    if (FPending) return;
    FPending = true;
    TsfSkinCheckRadioBox* Box = Fore ? rdoForeColor : rdoBackColor;
    TsfSkinCheckRadioBox* Other = Fore ? rdoBackColor : rdoForeColor;
    const bool On = Box->Checked();
    if (Fore)
        FStops.SetCurrentForeWord(On, cbPointColor->ColorValue());
    else
        FStops.SetCurrentBackWord(On, cbPointColor->ColorValue());
    if (On) {
        Other->SetChecked(false);
        cbPointColor->SetColorValue(FStops.ColorOf(FStops.Index()));
    }
    FColorPoints[FStops.Index()]->Brush()->SetColor(FStops.ColorOf(FStops.Index()));
    FPending = false;
    DrawGradientBar();
}

void TfrmGradientEditor::PreviewColor(TColor Color)
{
    if (!FStops.ColorPreviewOpen()) return;
    FStops.PreviewColor(Color);
    FColorPoints[FStops.Index()]->Brush()->SetColor(Color);
    DrawGradientBar();
}

void TfrmGradientEditor::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_COLORPREVIEWHOVER) {
        if (IsGridPreviewColor(static_cast<Integer>(Message.WParam), static_cast<Integer>(Message.LParam)))
            PreviewColor(static_cast<TColor>(Message.WParam));
        return;
    }
    if (Message.Msg == WM_COLORPREVIEWTRACK) {
        PreviewColor(static_cast<TColor>(Message.WParam));
        return;
    }
    TForm::Dispatch(Message);
}

void TfrmGradientEditor::btnDeletePointClick()
{
    if (!FStops.DeleteCurrent()) return;
    PlaceMarkers();
    ShowStopValues();
    DrawGradientBar();
}

// ---------------------------------------------------------------------------
// Presets

void TfrmGradientEditor::SavePreset()
{
    StoreGradientPreset(FTable, FGradientIndex, FStops.ColorsText(), FStops.OpacitiesText(), FStops.PositionsText(),
                        NameCell(), editName->Text());
}

void TfrmGradientEditor::CreateThumbs()
{
    while (static_cast<Integer>(FThumbBox.size()) < FTable.ItemCount()) {
        const Integer Index = static_cast<Integer>(FThumbBox.size());
        auto* T = new TImage32(this);
        T->SetBounds(0, 0, 33, 33);
        T->Bitmap()->SetSize(33, 33);
        T->SetTag(Index);
        T->SetShowHint(true);
        T->SetVisible(false);
        T->SetParent(pnlThumb);
        T->OnMouseDown = [this, Index](TObject*, TMouseButton Button, TShiftState, Integer X, Integer Y,
                                       TCustomLayer*) {
            ThumbMouseDown(Index, Button == mbRight);
            if (Button == mbRight) {
                const TPoint P = FThumbBox[static_cast<size_t>(Index)]->ClientToScreen(TPoint{X, Y});
                pmThumb->Popup(P.X, P.Y);
            }
        };
        T->OnMouseEnter = [this, T, Index](TObject*) {
            if (Index < FTable.ItemCount() && NameCell() < FTable.GetItem(Index)->ItemCount())
                T->SetHint(FTable.GetItem(Index)->GetItem(NameCell())->Text());
        };
        FThumbBox.push_back(T);
    }
}

void TfrmGradientEditor::DrawThumbs(Integer Index)
{
    FThumbColCount = ThumbColumns(pnlThumb->Width(), ScrollWidth);
    for (Integer i = 0; i < static_cast<Integer>(FThumbBox.size()); ++i) {
        if (Index >= 0 && i != Index) continue;
        TImage32* T = FThumbBox[static_cast<size_t>(i)];
        const bool Shown = i < FTable.ItemCount();
        T->SetVisible(Shown);
        if (!Shown) continue;
        const TPoint P = ThumbPlace(i, FThumbColCount, ScrollBar2->Visible() ? ScrollBar2->Position() : 0);
        T->SetBounds(P.X, P.Y, 33, 33);
        TRow* Row = FTable.GetItem(i);
        auto Cell = [Row](Integer C) { return C < Row->ItemCount() ? Row->GetItem(C)->Text() : String(); };
        PaintGradientTile(*T->Bitmap(),
                          GradientBlendOf(Cell(1), Cell(2), Cell(3), 255, FStops.ForeColor, FStops.BackColor),
                          i == FGradientIndex);
        T->Invalidate();
    }
}

void TfrmGradientEditor::RefreshThumbs(bool ResetScroll)
{
    const Integer Columns = ThumbColumns(pnlThumb->Width(), ScrollWidth);
    const Integer Rows = (FTable.ItemCount() + Columns - 1) / Columns;
    const Integer Range = Rows * 32 + 1 - pnlThumb->Height();
    ScrollBar2->SetVisible(Range > 0);
    if (Range > 0) ScrollBar2->SetMax(Range);
    if (ResetScroll || Range <= 0) ScrollBar2->SetPosition(0);
    DrawThumbs(-1);
}

void TfrmGradientEditor::ThumbMouseDown(Integer Index, bool)
{
    if (Index == FGradientIndex || Index >= FTable.ItemCount()) return;
    SavePreset();
    FGradientIndex_B = FGradientIndex;
    FGradientIndex = Index;
    DrawThumbs(FGradientIndex_B);
    DrawThumbs(FGradientIndex);
    LoadStops();
    FStops.Select(0);
    ShowStopValues();
    DrawGradientBar();
}

void TfrmGradientEditor::btnCreateNewClick()
{
    const Integer New = AppendGradientPreset(FTable, FStops.ColorsText(), FStops.OpacitiesText(),
                                             FStops.PositionsText(), NameCell(), editName->Text());
    CreateThumbs();
    FGradientIndex = FGradientIndex_B = New;
    RefreshThumbs(false);
    if (ScrollBar2->Visible()) ScrollBar2->SetPosition(ScrollBar2->Max());
    DrawThumbs(-1);
}

void TfrmGradientEditor::muDeleteClick()
{
    if (FTable.ItemCount() <= 1) return;
    FGradientIndex = DeleteGradientPreset(FTable, FGradientIndex);
    FGradientIndex_B = FGradientIndex;
    RefreshThumbs(false);
    LoadStops();
    FStops.Select(0);
    ShowStopValues();
    DrawGradientBar();
}

void TfrmGradientEditor::btnOkClick()
{
    SavePreset();
    FTable.GetProp(1)->SetValue(FGradientIndex);
    SetModalResult(mrOk);
}
