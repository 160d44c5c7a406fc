#include "skin/controls/win/sfColorCtrls.h"

#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinClock_Win.h"
#include "skin/model/SFResStrData.h"

// ---------------------------------------------------------------------------
// TsfColorGridPanel

TsfColorGridPanel::TsfColorGridPanel(TComponent* AOwner) : inherited(AOwner)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    SetCaptionMode(true);
    SetBorderStyle(TsfSkinBorderStyle::bvFrame);
    SetBounds(Left(), Top(), 280, 115);
}

void TsfColorGridPanel::SetColCount(Integer Value)
{
    if (Value <= 0) return;
    FColCount = Value;
    Invalidate();
}

void TsfColorGridPanel::SetRowCount(Integer Value)
{
    if (Value <= 0) return;
    FRowCount = Value;
    Invalidate();
}

TsfColorGridLayout TsfColorGridPanel::Layout()
{
    return TsfColorGridLayout(GetSkinClientRect(), FColCount, FRowCount, ColorCount());
}

void TsfColorGridPanel::DrawColors(TCanvas* C)
{
    const TsfColorGridLayout L = Layout();
    C->Pen()->SetStyle(psClear);
    for (Integer N = 0; N < L.Cells(); ++N) {
        const bool Selected = CellSelected(N);
        if (Selected) DrawSelectedCell(C, L.SelectionRect(N));
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(CellColor(N));
        C->FillRect(L.SwatchRect(N, Selected));
    }
    C->Pen()->SetStyle(psSolid);
}

void TsfColorGridPanel::DrawSelectedCell(TCanvas* C, const TRect& F)
{
    const Integer W = F.Width(), H = F.Height();
    if (W <= 0 || H <= 0) return;
    TsfBitmap Face;
    Face.SetSize(W, H);
    if (FIndex == -1) {
        TCanvas* FC = Face.Canvas();
        FC->Pen()->SetStyle(psSolid);
        FC->Pen()->SetColor(0x800000);
        FC->Brush()->SetStyle(bsSolid);
        FC->Brush()->SetColor(0xB59385);
        FC->Rectangle(0, 0, W, H);
    } else {
        // The skin's resizable button face; a skin without one frames nothing.
        const Integer I = FSD->GetControlIndex(u"resizebutton");
        auto* D = I == -1 ? nullptr : dynamic_cast<TsfDataSkinButtonControl*>(FSD->CtrlList[size_t(I)].get());
        TsfBitmap* P = D ? FSD->ActiveBitmap(D->PictureIndex) : nullptr;
        if (!D || !P) return;
        DrawResizedButtonFace(&Face, D, P, IsNullRect(D->DownSkinRect) ? D->ActiveSkinRect : D->DownSkinRect);
    }
    Face.Draw(C, F.Left, F.Top);
}

void TsfColorGridPanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    const Integer N = Layout().HitTest(X, Y);
    if (N >= 0) CellClicked(N);
}

// ---------------------------------------------------------------------------
// TsfSkinColorGrid

TsfSkinColorGrid::TsfSkinColorGrid(TComponent* AOwner) : inherited(AOwner)
{
    SetCaption(u"Basic colors");
    FColCount = 12;
    FRowCount = 4;
}

void TsfSkinColorGrid::SetColorValue(TColor Value)
{
    FColorValue = Value;
    for (TColor C : sfBasicColors)
        if (C == Value) {
            if (OnChange) OnChange(this);
            Invalidate();
            return;
        }
}

// ---------------------------------------------------------------------------
// TsfSkinCustomColorGrid

TsfSkinCustomColorGrid::TsfSkinCustomColorGrid(TComponent* AOwner) : inherited(AOwner)
{
    SetCaption(u"Custom colors");
    FColCount = 6;
    FRowCount = 2;
}

void TsfSkinCustomColorGrid::AddColor(TColor AColor)
{
    FCustom.Add(AColor);
    Invalidate();
}

void TsfSkinCustomColorGrid::SetCustomColors(const TsfCustomColors& Value)
{
    FCustom.Set(Value.Values, Value.Count);
    Invalidate();
}

void TsfSkinCustomColorGrid::CellClicked(Integer N)
{
    FColorValue = FCustom.Values[size_t(N)];
    FColorIndex = N + 1;
    Invalidate();
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TsfColorViewer

TsfColorViewer::TsfColorViewer(TComponent* AOwner) : inherited(AOwner)
{
    EnsureSkinWindowClock();
    SetControlStyle(ControlStyle() | csOpaque);
}

TsfColorViewer::~TsfColorViewer() { SkinClock()->StopTimers(this); }

void TsfColorViewer::SetColorValue(TColor Value)
{
    if (Value == FColorValue) return;
    FColorValue = Value;
    Invalidate();
    // The first change of a burst starts the delay; later ones ride along.
    if (!SkinClock()->TimerRunning(this, 1)) SkinClock()->StartTimer(this, 1, PreviewDelay, [this] { TimerTick(); });
}

void TsfColorViewer::TimerTick()
{
    SkinClock()->StopTimer(this, 1);
    if (FMainWindowHandle) SendMessageW(FMainWindowHandle, WM_COLORPREVIEW, WPARAM(FColorValue), 0);
}

void TsfColorViewer::Paint()
{
    const Integer W = Width(), H = Height();
    if (W <= 0 || H <= 0) return;
    TsfBitmap B;
    B.SetSize(W, H);
    TCanvas* C = B.Canvas();
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(clBlack);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FOldColorValue);
    C->Rectangle(0, 0, W, H);
    C->Brush()->SetColor(FColorValue);
    C->Rectangle(1, 1, W - 1, H / 2 + 1);
    B.Draw(Canvas(), 0, 0);
}

// ---------------------------------------------------------------------------
// TsfSkinColorButton

TsfSkinColorButton::TsfSkinColorButton(TComponent* AOwner) : inherited(AOwner)
{
    SetDrawColorMarker(true);
    FColorMarkerValue = 0;
    FColorImages = new TImageList(this);
    if (TsfSkinMenuServices* S = SkinMenuServices()) FColorMenu = S->CreateSkinImagesMenu(this);
    FOwnMenu = FColorMenu;
    if (FColorMenu) {
        FColorMenu->SetImages(FColorImages);
        FColorMenu->SetOnItemClick([this](TObject*) { ItemClick(); });
        FColorMenu->SetOnMenuPopup([this](TObject*) { MenuPopup(); });
        FColorMenu->SetOnItemIndexChanged([this](TObject*, Integer Index) {
            if (OnItemIndexChanged) OnItemIndexChanged(this, Index);
        });
    }
    InitColors();
}

TsfSkinColorButton::~TsfSkinColorButton()
{
    SetSkinImagesMenu(nullptr);
    FColorImages->Clear();
}

void TsfSkinColorButton::Loaded()
{
    inherited::Loaded();
    InitColors();
}

void TsfSkinColorButton::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && FColorDialog && AComponent == FColorDialog->DialogComponent()) {
        FColorDialog = nullptr;
        FOwnDialog = false;
    }
}

void TsfSkinColorButton::SetColorValue(TColor Value)
{
    if (Value == FColorMarkerValue && DrawColorMarker() == FDrawColorMarker_B) return;
    FColorMarkerValue = Value;
    Invalidate();
    if (!(ComponentState() & (csDesigning | csLoading)) && OnChangeColor) OnChangeColor(this);
}

void TsfSkinColorButton::SetShow(bool TsfColorMenuLayout::*Flag, bool Value)
{
    if (FLayout.*Flag == Value) return;
    FLayout.*Flag = Value;
    if (!(ComponentState() & (csDesigning | csLoading))) InitColors();
}

void TsfSkinColorButton::SetShowAutoColor(bool Value) { SetShow(&TsfColorMenuLayout::Auto, Value); }
void TsfSkinColorButton::SetShowMoreColor(bool Value) { SetShow(&TsfColorMenuLayout::More, Value); }
void TsfSkinColorButton::SetShowPickColor(bool Value) { SetShow(&TsfColorMenuLayout::Pick, Value); }

void TsfSkinColorButton::SetColorDialog(TsfSkinColorDialogLink* Value)
{
    if (Value == FColorDialog) return;
    if (FColorDialog && FOwnDialog) delete FColorDialog->DialogComponent();
    FColorDialog = Value;
    FOwnDialog = false;
    if (Value) Value->DialogComponent()->FreeNotification(this);
}

void TsfSkinColorButton::SetMainWindowHandle(HWND Value)
{
    FMainWindowHandle = Value;
    if (FColorMenu) FColorMenu->SetMainWindowHandle(Value);
}

String TsfSkinColorButton::MenuText(const char16_t* Key, const char16_t* English) const
{
    TsfSkinData* SD = FColorMenu ? FColorMenu->MenuSkinData() : nullptr;
    const TsfResourceStrData* Table = SD ? SD->ResourceStrData() : nullptr;
    return Table ? Table->GetResStr(Key) : String(English);
}

namespace {

void AddSwatch(TCustomImageList* Images, TColor TopLeft, TColor TopRight)
{
    // Top-left and bottom-right quarters in TopLeft, the other two in TopRight.
    TBitmap B;
    B.SetPixelFormat(pf24bit);
    B.SetSize(12, 12);
    TCanvas* C = B.Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(TopLeft);
    C->FillRect({0, 0, 12, 12});
    C->Brush()->SetColor(TopRight);
    C->FillRect({6, 0, 12, 6});
    C->FillRect({0, 6, 6, 12});
    Images->Add(&B);
}

}  // namespace

void TsfSkinColorButton::InitColors()
{
    if (!FColorMenu) return;
    SetSkinImagesMenu(FColorMenu);
    SetSkinPopupMenu(nullptr);
    FColorImages->Clear();
    FColorMenu->ClearItems();
    FColorMenu->SetColumnsCount(8);
    FColorMenu->SetSkinData(SkinData());
    FColorMenu->StoreItemIndex(0);
    FColorImages->SetSize(12, 12);
    if (FLayout.Auto) {
        FColorMenu->AddItem(0, MenuText(u"AUTOCOLOR", u"Automatic"), true, FAutoColor);
        AddSwatch(FColorImages, 0xFFFFFF, 0xE9E9E9);  // the transparency pattern
    } else {
        AddSwatch(FColorImages, clBlack, clBlack);  // keeps the colours at images 1 to 40
    }
    for (Integer I = 0; I < sfColorMenuColorCount; ++I) {
        const TColor C = sfColorMenuColors[size_t(I)];
        FColorMenu->AddItem(I + 1, String(), false, C);
        AddSwatch(FColorImages, C, C);
    }
    if (FLayout.More) FColorMenu->AddItem(-1, MenuText(u"MORECOLORS", u"More Colors..."), true, clNone);
    if (FLayout.Pick) FColorMenu->AddItem(-1, MenuText(u"PICKCOLOR", u"Select Color From Screen"), true, clNone);
}

void TsfSkinColorButton::ReadCaptions()
{
    if (FLayout.Auto) FColorMenu->SetItemCaption(0, MenuText(u"AUTOCOLOR", u"Automatic"));
    if (FLayout.More) FColorMenu->SetItemCaption(FLayout.MoreIndex(), MenuText(u"MORECOLORS", u"More Colors..."));
    if (FLayout.Pick)
        FColorMenu->SetItemCaption(FLayout.PickIndex(), MenuText(u"PICKCOLOR", u"Select Color From Screen"));
}

void TsfSkinColorButton::MenuPopup()
{
    std::array<TColor, sfColorMenuColorCount> Resolved;
    for (Integer I = 0; I < sfColorMenuColorCount; ++I)
        Resolved[size_t(I)] = ColorToRGB(FColorMenu->ItemColor(FLayout.FirstColor() + I));
    FColorMenu->StoreItemIndex(FLayout.Selection(Resolved, ColorToRGB(ColorValue()), DrawColorMarker()));
    FDrawColorMarker_B = DrawColorMarker();
    FColorMenu->SetSkinData(SkinData());
    // A change of the interface language shows at the next opening.
    ReadCaptions();
}

void TsfSkinColorButton::ItemClick()
{
    const Integer K = FColorMenu->ItemIndex();
    switch (FLayout.Choice(K)) {
    case TsfColorMenuChoice::None:
        break;
    case TsfColorMenuChoice::More:
        MoreColors();
        break;
    case TsfColorMenuChoice::Pick:
        if (OnStartPickColor) OnStartPickColor(this);
        break;
    case TsfColorMenuChoice::Automatic:
        SetDrawColorMarker(false);
        SetColorValue(ColorValue());
        break;
    case TsfColorMenuChoice::Color:
        SetDrawColorMarker(true);
        SetColorValue(FColorMenu->ItemColor(K));
        break;
    }
}

void TsfSkinColorButton::MoreColors()
{
    if (!FColorDialog) {
        TsfSkinMenuServices* S = SkinMenuServices();
        FColorDialog = S ? S->CreateSkinColorDialog(this) : nullptr;
        if (!FColorDialog) return;
        FOwnDialog = true;
        FColorDialog->SetSkinData(SkinData());
        FColorDialog->SetCtrlSkinData(SkinData());
    }
    TsfSkinColorDialogLink* D = FColorDialog;
    D->SetMainWindowHandle(FMainWindowHandle);
    D->SetDialogFormPos(FDialogFormLeft, FDialogFormTop);
    D->SetCustomColors(FCustom);
    D->SetColor(ColorValue());
    const bool Ok = D->Execute();
    if (Ok) {
        SetDrawColorMarker(true);
        SetColorValue(D->Color());
        SetCustomColors(D->CustomColors());
        if (OnColorDialogClose) OnColorDialogClose(this);
    }
    FDialogFormLeft = D->DialogFormLeft();
    FDialogFormTop = D->DialogFormTop();
}
