#include "dialogs/win/ScreenSnapForm.h"

#include "foundation/win/HySysUtils_Win.h"

using namespace ScreenCapture;

TfrmSnapScreen::TfrmSnapScreen(TComponent* AOwner)
    : TForm(AOwner), FBitScreen(std::make_unique<TBitmap>()),
      FSel(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))
{
    SetName(u"frmSnapScreen");
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetDoubleBuffered(true);
    SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetKeyPreview(true);
    OnShow = [this](TObject* S) { FormShow(S); };
    OnPaint = [this](TObject* S) { FormPaint(S); };
    OnMouseMove = [this](TObject* S, TShiftState Sh, Integer X, Integer Y) { FormMouseMove(S, Sh, X, Y); };
    OnMouseDown = [this](TObject* S, TMouseButton B, TShiftState Sh, Integer X, Integer Y) { FormMouseDown(S, B, Sh, X, Y); };
    OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Sh, Integer X, Integer Y) { FormMouseUp(S, B, Sh, X, Y); };
    OnDblClick = [this](TObject* S) { FormDblClick(S); };
    OnKeyDown = [this](TObject* S, Word& K, TShiftState Sh) { FormKeyDown(S, K, Sh); };
}

TfrmSnapScreen::~TfrmSnapScreen() = default;

void TfrmSnapScreen::SnapScreen(bool IncludeCursor)
{
    CaptureScreenRect(*FBitScreen, TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                      IncludeCursor, nullptr);
}

void TfrmSnapScreen::SetSnapMode(TSnapMode Mode, Integer W, Integer H)
{
    FSel.SetSnapMode(Mode, W, H);
    SetCursor(Mode == smPolygon || Mode == smFixRect ? crCross : crArrow);
}

void TfrmSnapScreen::FormShow(TObject*)
{
    POINT P;
    ::GetCursorPos(&P);
    FSel.MouseMove(P.x, P.y);
}

void TfrmSnapScreen::FormPaint(TObject*)
{
    TCanvas* C = Canvas();
    if (!FBitScreen->Empty()) C->Draw(0, 0, FBitScreen.get());
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetWidth(1);
    const TPoint Cur = FSel.CurPoint();
    switch (FSel.Mode()) {
    case smRect:
        if (!FSel.Started()) {
            // Cross-hair lines that invert what they cross.
            C->Pen()->SetColor(clBlack);
            C->Pen()->SetMode(pmNot);
            C->MoveTo(0, Cur.Y);
            C->LineTo(Width(), Cur.Y);
            C->MoveTo(Cur.X, 0);
            C->LineTo(Cur.X, Height());
            break;
        }
        [[fallthrough]];
    case smFixRect:
        C->Pen()->SetColor(static_cast<TColor>(255));
        C->Pen()->SetMode(pmNotXor);
        C->Rectangle(FSel.CurRect());
        break;
    case smPolygon:
        if (!FSel.Points().empty()) {
            C->Pen()->SetColor(static_cast<TColor>(255));
            C->Pen()->SetMode(pmNotXor);
            C->MoveTo(FSel.Points()[0].X, FSel.Points()[0].Y);
            for (const TPoint& P : FSel.Points()) C->LineTo(P.X, P.Y);
            C->LineTo(Cur.X, Cur.Y);
        }
        break;
    default:
        break;
    }
    C->Pen()->SetMode(pmCopy);
    C->Brush()->SetStyle(bsSolid);
}

void TfrmSnapScreen::FormMouseMove(TObject*, TShiftState, Integer X, Integer Y)
{
    if (FSel.MouseMove(X, Y)) Invalidate();
}

void TfrmSnapScreen::FormMouseDown(TObject*, TMouseButton Button, TShiftState, Integer X, Integer Y)
{
    if (Button == mbRight) return;
    FSel.PressLeft(X, Y);
    Settle();
    Invalidate();
}

void TfrmSnapScreen::FormMouseUp(TObject*, TMouseButton Button, TShiftState, Integer, Integer)
{
    if (Button != mbRight) return;
    FSel.ReleaseRight();
    Settle();
}

void TfrmSnapScreen::FormDblClick(TObject*)
{
    FSel.DoubleClick();
    Settle();
}

void TfrmSnapScreen::FormKeyDown(TObject*, Word& Key, TShiftState)
{
    const TKeyAction A = FSel.Key(Key);
    if (!A.Handled) return;
    Key = 0;
    if (A.Cancel) {
        FSel.Cancel();
    } else if (A.Press) {
        FSel.PressLeft(-1, -1);
    } else {
        // The moves arrive as mouse moves.
        POINT P;
        ::GetCursorPos(&P);
        ::SetCursorPos(P.x + A.Dx, P.y + A.Dy);
        return;
    }
    Settle();
    Invalidate();
}

// Ends the modal run when the selection has ended; an OK copies the marked
// pixels of the frozen screen (outside a polygon's corners they stay white).
void TfrmSnapScreen::Settle()
{
    if (FSel.Result() == srRunning) return;
    if (FSel.Result() == srOk && FBitmap && !FBitScreen->Empty()) {
        const TRect R = FSel.CurRect();
        FBitmap->SetPixelFormat(pf32bit);
        FBitmap->SetSize(R.Width(), R.Height());
        TCanvas* D = FBitmap->Canvas();
        if (FSel.Mode() == smPolygon) {
            D->Brush()->SetColor(clWhite);
            D->FillRect(TRect{0, 0, R.Width(), R.Height()});
            std::vector<POINT> Pts;
            for (const TPoint& P : FSel.Points()) Pts.push_back(POINT{P.X - R.Left, P.Y - R.Top});
            const TGdiObject<HRGN> Rgn(CreatePolygonRgn(Pts.data(), static_cast<int>(Pts.size()), WINDING));
            SelectClipRgn(D->Handle(), Rgn);
            D->CopyRect(TRect{0, 0, R.Width(), R.Height()}, FBitScreen->Canvas(), R);
            SelectClipRgn(D->Handle(), nullptr);
        } else {
            D->CopyRect(TRect{0, 0, R.Width(), R.Height()}, FBitScreen->Canvas(), R);
        }
    }
    SetModalResult(FSel.Result() == srOk ? mrOk : mrCancel);
}
