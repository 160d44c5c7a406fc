#include "dialogs/win/ShowColorForm.h"

#include "foundation/win/HySysUtils_Win.h"

using namespace ScreenCapture;

TfrmShowColor::TfrmShowColor(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"frmShowColor");
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetDoubleBuffered(true);
    SetClientWidth(101);
    SetClientHeight(16);
    OnPaint = [this](TObject* S) { FormPaint(S); };
    OnMouseMove = [this](TObject* S, TShiftState Sh, Integer X, Integer Y) { FormMouseMove(S, Sh, X, Y); };
    OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Sh, Integer X, Integer Y) { FormMouseUp(S, B, Sh, X, Y); };
}

void TfrmShowColor::FormPaint(TObject*)
{
    TCanvas* C = Canvas();
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(TRect{0, 0, ClientWidth(), ClientHeight()});
    C->Brush()->SetColor(FColor);
    C->Pen()->SetColor(clBlack);
    C->Rectangle(1, 1, 16, 15);
    C->Brush()->SetStyle(bsClear);
    TRect R{21, 1, 98, 14};
    C->TextRect(R, R.Left + (R.Width() - C->TextWidth(FRgbText)) / 2, R.Top, FRgbText);
    C->Brush()->SetStyle(bsSolid);
}

void TfrmShowColor::FormMouseMove(TObject*, TShiftState, Integer, Integer)
{
    if (FPickColorSource <= 0 || !FDesktopBitmap) return;
    POINT P;
    ::GetCursorPos(&P);
    if (P.x >= 0 && P.y >= 0 && P.x < FDesktopBitmap->Width() && P.y < FDesktopBitmap->Height()) {
        const DWORD Px = static_cast<const DWORD*>(FDesktopBitmap->ScanLine(P.y))[P.x];
        FColor = static_cast<TColor>(RGB((Px >> 16) & 0xFF, (Px >> 8) & 0xFF, Px & 0xFF));
    }
    const TPoint At = ShowColorPlace(P.x, P.y, Width(), Height(), GetSystemMetrics(SM_CXSCREEN),
                                     GetSystemMetrics(SM_CYSCREEN));
    SetBounds(At.X, At.Y, Width(), Height());
    FRgbText = ColorRgbText(static_cast<uint32_t>(FColor));
    Invalidate();
}

void TfrmShowColor::FormMouseUp(TObject*, TMouseButton Button, TShiftState, Integer, Integer)
{
    if (FEnded) return;
    FEnded = true;
    if (FOnPickColorEnd) FOnPickColorEnd(Button == mbLeft ? peLeftUp : peOtherButtonUp);
}

void TfrmShowColor::WndProc(TMessage& Message)
{
    // The release ends the pick before the framework's own release of the
    // capture could read as a loss.
    if ((Message.Msg == WM_LBUTTONUP || Message.Msg == WM_RBUTTONUP || Message.Msg == WM_MBUTTONUP) && !FEnded &&
        FPickColorSource > 0) {
        FEnded = true;
        if (FOnPickColorEnd) FOnPickColorEnd(Message.Msg == WM_LBUTTONUP ? peLeftUp : peOtherButtonUp);
        return;
    }
    // Another window took the mouse: the pick cannot see its release.
    if (Message.Msg == WM_CAPTURECHANGED && !FEnded && FPickColorSource > 0 &&
        reinterpret_cast<HWND>(Message.LParam) != Handle()) {
        FEnded = true;
        if (FOnPickColorEnd) FOnPickColorEnd(peCaptureLost);
        return;
    }
    TForm::WndProc(Message);
}

namespace {
void SendLeft(bool Down)
{
    INPUT In = {};
    In.type = INPUT_MOUSE;
    In.mi.dwFlags = Down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    In.mi.time = GetTickCount();
    In.mi.dwExtraInfo = static_cast<ULONG_PTR>(GetMessageExtraInfo());
    SendInput(1, &In, sizeof(INPUT));
}
} // namespace

TScreenColorPick::~TScreenColorPick()
{
    if (Running()) End(peCaptureLost);
}

void TScreenColorPick::Start(const String& SourceName)
{
    const Integer Code = PickSourceCode(SourceName);
    if (Code == 0 || Running()) return;
    FDesktopBitmap = std::make_unique<TBitmap>();
    FDesktopBitmap->SetPixelFormat(pf32bit);
    CaptureScreenRect(*FDesktopBitmap, TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, false,
                      nullptr);
    FDesktopBitmap->SetPixelFormat(pf32bit);
    FPickColorSource = Code;
    FFollower = new TfrmShowColor(nullptr);
    FFollower->FPickColorSource = Code;
    FFollower->FDesktopBitmap = FDesktopBitmap.get();
    FFollower->FOnPickColorEnd = [this](TPickEndCause Cause) { End(Cause); };
    POINT P;
    ::GetCursorPos(&P);
    FFollower->SetBounds(P.x - 1, P.y - 1, FFollower->Width(), FFollower->Height());
    FFollower->Show();
    SetCapture(FFollower->Handle());
    SendLeft(true);
}

void TScreenColorPick::End(TPickEndCause Cause)
{
    if (!Running()) return;
    const Integer Code = FPickColorSource;
    const TColor Color = FFollower->Color();
    const TPickEnd Action = PickEndAction(Code, Cause);
    FPickColorSource = 0;
    FFollower->FPickColorSource = 0;
    if (GetCapture() == FFollower->Handle()) ReleaseCapture();
    FFollower->Hide();
    FFollower->Release();
    FFollower = nullptr;
    FDesktopBitmap.reset();
    if (Action.ReleaseLeft) SendLeft(false);
    if (FOnEnd) FOnEnd(Code, Color, Action);
}
