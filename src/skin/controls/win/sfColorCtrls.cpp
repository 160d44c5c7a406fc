#include "skin/controls/win/sfColorCtrls.h"

#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinClock_Win.h"

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
