#include "Component/Raster32/win/Ras32_RangeBars.h"

#include <algorithm>

#include "Component/Raster32/win/Ras32_XPThemes.h"
#include "framework/controls/win/Forms.h"

namespace {

// Arrow directions: 0 left, 1 up, 2 right, 3 down.
Integer PrevDirection(bool Horz) { return Horz ? 0 : 1; }
Integer NextDirection(bool Horz) { return Horz ? 2 : 3; }

COLORREF Rgb(TColor Color)
{
    return static_cast<COLORREF>(ColorToRGB(Color));
}

void FillSolid(HDC DC, const TRect& R, COLORREF Color)
{
    if (RectIsEmpty(R)) return;
    HBRUSH Brush = CreateSolidBrush(Color);
    RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    FillRect(DC, &Rc, Brush);
    DeleteObject(Brush);
}

// The 8 x 8 checkered pattern of two colours (one colour fills solid).
void FillPatternRect(HDC DC, const TRect& R, COLORREF C1, COLORREF C2)
{
    if (RectIsEmpty(R)) return;
    if (C1 == C2) {
        FillSolid(DC, R, C1);
        return;
    }
    struct {
        BITMAPINFOHEADER Header;
        DWORD Bits[64];
    } Pattern = {};
    Pattern.Header.biSize = sizeof(BITMAPINFOHEADER);
    Pattern.Header.biWidth = 8;
    Pattern.Header.biHeight = -8;
    Pattern.Header.biPlanes = 1;
    Pattern.Header.biBitCount = 32;
    auto Bgr = [](COLORREF C) { return static_cast<DWORD>(GetRValue(C) << 16 | GetGValue(C) << 8 | GetBValue(C)); };
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X) Pattern.Bits[Y * 8 + X] = ((X + Y) & 1) ? Bgr(C2) : Bgr(C1);
    HBRUSH Brush = CreateDIBPatternBrushPt(&Pattern, DIB_RGB_COLORS);
    RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    FillRect(DC, &Rc, Brush);
    DeleteObject(Brush);
}

// One-pixel lines on every side but the one facing the track; each takes its
// row or column off R.
void DrawSides(HDC DC, TRect& R, COLORREF Color, Integer Direction)
{
    if (Direction != 3) {
        FillSolid(DC, TRect{R.Left, R.Top, R.Right, R.Top + 1}, Color);
        ++R.Top;
    }
    if (Direction != 1) {
        FillSolid(DC, TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom}, Color);
        --R.Bottom;
    }
    if (Direction != 2) {
        FillSolid(DC, TRect{R.Left, R.Top, R.Left + 1, R.Bottom}, Color);
        ++R.Left;
    }
    if (Direction != 0) {
        FillSolid(DC, TRect{R.Right - 1, R.Top, R.Right, R.Bottom}, Color);
        --R.Right;
    }
}

// C1 along the left and top edges, C2 along the right and bottom.
void DrawBevel(HDC DC, const TRect& R, COLORREF C1, COLORREF C2)
{
    if (RectIsEmpty(R)) return;
    FillSolid(DC, TRect{R.Left, R.Top, R.Right, R.Top + 1}, C1);
    FillSolid(DC, TRect{R.Left, R.Top, R.Left + 1, R.Bottom}, C1);
    FillSolid(DC, TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom}, C2);
    FillSolid(DC, TRect{R.Right - 1, R.Top, R.Right, R.Bottom}, C2);
}

void DrawArrowGlyph(HDC DC, const TRect& R, Integer Direction, COLORREF Color)
{
    Integer CX = (R.Left + R.Right - 1) / 2, CY = (R.Top + R.Bottom - 1) / 2;
    Integer Sz = std::min(CX - R.Left, CY - R.Top) * 3 / 4 - 1;
    if (Sz <= 0) Sz = 1;
    POINT P[3];
    switch (Direction) {
    case 0: {
        Integer Tip = CX - Sz + (Sz + 1) / 3;
        P[0] = {Tip, CY};
        P[1] = {Tip + Sz, CY - Sz};
        P[2] = {Tip + Sz, CY + Sz};
        break;
    }
    case 1: {
        Integer Tip = CY - Sz + (Sz + 1) / 3;
        P[0] = {CX, Tip};
        P[1] = {CX + Sz, Tip + Sz};
        P[2] = {CX - Sz, Tip + Sz};
        break;
    }
    case 2: {
        Integer Tip = CX + Sz - Sz / 3;
        P[0] = {Tip, CY};
        P[1] = {Tip - Sz, CY + Sz};
        P[2] = {Tip - Sz, CY - Sz};
        break;
    }
    default: {
        Integer Tip = CY + Sz - Sz / 3;
        P[0] = {CX, Tip};
        P[1] = {CX - Sz, Tip - Sz};
        P[2] = {CX + Sz, Tip - Sz};
        break;
    }
    }
    HBRUSH Brush = CreateSolidBrush(Color);
    HPEN Pen = CreatePen(PS_SOLID, 1, Color);
    HGDIOBJ OldBrush = SelectObject(DC, Brush), OldPen = SelectObject(DC, Pen);
    Polygon(DC, P, 3);
    SelectObject(DC, OldBrush);
    SelectObject(DC, OldPen);
    DeleteObject(Brush);
    DeleteObject(Pen);
}

}  // namespace

// ---------------------------------------------------------------------------
// TArrowBar

TArrowBar::TArrowBar(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle((ControlStyle() & ~(csAcceptsControls | csDoubleClicks)) | csOpaque);
    SetBounds(0, 0, 100, 16);
    SetColor(clScrollBar);
    SetParentColor(false);
    FTimer = new TTimer(this);
    FTimer->OnTimer = [this](TObject*) { HandleTimer(); };
    ThemeNexus();  // the themes are followed from the first bar on
}

TArrowBar::~TArrowBar()
{
    FTimer->OnTimer = nullptr;
}

TArrowBarGeometry TArrowBar::Geometry()
{
    TArrowBarGeometry G;
    TRect C = ClientRect();
    G.Width = C.Width();
    G.Height = C.Height();
    G.Horizontal = FKind == sbHorizontal;
    G.ShowArrows = FShowArrows;
    G.ButtonSize = FButtonSize;
    G.Style = FStyle;
    return G;
}

TRect TArrowBar::ZoneRect(TRBZone Zone)
{
    return Geometry().ZoneRect(Zone, GetThumbRect(), ShowsEnabled());
}

TRBZone TArrowBar::ZoneAt(Integer X, Integer Y)
{
    return Geometry().ZoneAt(X, Y, GetThumbRect());
}

#define LM_ARROWBAR_SETTER(Name, Type, Field) \
    void TArrowBar::Set##Name(Type Value)     \
    {                                         \
        if (Value == Field) return;           \
        Field = Value;                        \
        Invalidate();                         \
    }
LM_ARROWBAR_SETTER(Backgnd, TRBBackgnd, FBackgnd)
LM_ARROWBAR_SETTER(ButtonSize, Integer, FButtonSize)
LM_ARROWBAR_SETTER(HandleColor, TColor, FHandleColor)
LM_ARROWBAR_SETTER(ButtonColor, TColor, FButtoncolor)
LM_ARROWBAR_SETTER(HighLightColor, TColor, FHighLightColor)
LM_ARROWBAR_SETTER(ShadowColor, TColor, FShadowColor)
LM_ARROWBAR_SETTER(BorderColor, TColor, FBorderColor)
LM_ARROWBAR_SETTER(ShowArrows, bool, FShowArrows)
LM_ARROWBAR_SETTER(ShowHandleGrip, bool, FShowHandleGrip)
#undef LM_ARROWBAR_SETTER

void TArrowBar::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();  // the non-client area changes
}

void TArrowBar::SetStyle(TRBStyle Value)
{
    FStyle = Value;
    if (HandleAllocated()) RecreateWnd();
    Invalidate();
}

void TArrowBar::SetKind(TScrollBarKind Value)
{
    if (Value == FKind) return;
    FKind = Value;
    if ((ComponentState() & csDesigning) && !(ComponentState() & csLoading)) SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TArrowBar::FireChange()
{
    if (OnChange) OnChange(this);
    if (GenChange && OnUserChange) OnUserChange(this);
}

bool TArrowBar::ShowsEnabled()
{
    return Enabled();
}

void TArrowBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = -1;  // the bar paints all of itself
        return;
    case WM_NCCALCSIZE: {
        DefaultHandler(Message);
        if (FBorderStyle == bsSingle) {
            auto* R = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                     : reinterpret_cast<RECT*>(Message.LParam);
            InflateRect(R, -1, -1);
        }
        return;
    }
    case WM_NCPAINT: {
        DefaultHandler(Message);
        if (FBorderStyle == bsSingle && HandleAllocated()) {
            HDC DC = GetWindowDC(Handle());
            RECT R;
            GetWindowRect(Handle(), &R);
            OffsetRect(&R, -R.left, -R.top);
            DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT);
            ReleaseDC(Handle(), DC);
        }
        return;
    }
    }
    TCustomControl::Dispatch(Message);
}

void TArrowBar::CMEnabledChanged(TMessage& Message)
{
    TCustomControl::CMEnabledChanged(Message);
    Invalidate();
}

void TArrowBar::CMMouseLeave(TMessage& Message)
{
    TCustomControl::CMMouseLeave(Message);
    HandleMouseLeft();
}

void TArrowBar::HandleMouseLeft()
{
    EndHotPolling();
}

void TArrowBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FDragZone = ZoneAt(X, Y);
    Invalidate();
    StoredX = X;
    StoredY = Y;
    BeginRepeat();
}

void TArrowBar::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FDragZone != zNone || !ShowsEnabled()) return;
    TRBZone Z = ZoneAt(X, Y);
    if (Z == FHotZone) return;
    FHotZone = Z;
    if (Z != zNone) BeginHotPolling();
    Invalidate();
}

void TArrowBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FDragZone = zNone;
    Invalidate();
    EndRepeat();
}

void TArrowBar::BeginRepeat()
{
    FTimer->SetInterval(600);
    FTimerMode = 2;
    HandleTimer();  // the first step at once
    FTimerMode = 1;
    FTimer->SetEnabled(true);
}

void TArrowBar::BeginHotPolling()
{
    FTimer->SetInterval(150);
    FTimerMode = 3;
    FTimer->SetEnabled(true);
}

void TArrowBar::EndHotPolling()
{
    FTimer->SetEnabled(false);
    FHotZone = zNone;
    Invalidate();
}

void TArrowBar::HandleTimer()
{
    switch (FTimerMode) {
    case 1:
        FTimer->SetInterval(100);
        FTimerMode = 2;
        break;
    case 3: {
        TPoint P = ScreenToClient(Mouse->CursorPos());
        TRect C = ClientRect();
        if (P.X < C.Left || P.X >= C.Right || P.Y < C.Top || P.Y >= C.Bottom) {
            EndHotPolling();
            Invalidate();
        }
        break;
    }
    }
}

void TArrowBar::Paint()
{
    bool Horz = FKind == sbHorizontal;
    bool E = ShowsEnabled();
    Integer S = ArrowButtonSize();
    if (FShowArrows && S > 0) {
        DrawArrowButton(ZoneRect(zBtnPrev), PrevDirection(Horz), FDragZone == zBtnPrev, E, FHotZone == zBtnPrev);
        DrawArrowButton(ZoneRect(zBtnNext), NextDirection(Horz), FDragZone == zBtnNext, E, FHotZone == zBtnNext);
    }
    TRect H = E ? GetThumbRect() : TRect{};
    DrawTrackPart(ZoneRect(zTrackPrev), PrevDirection(Horz), FDragZone == zTrackPrev, E, FHotZone == zTrackPrev);
    DrawTrackPart(ZoneRect(zTrackNext), NextDirection(Horz), FDragZone == zTrackNext, E, FHotZone == zTrackNext);
    if (!RectIsEmpty(H)) DrawThumb(H, Horz, FDragZone == zHandle, FHotZone == zHandle);
}

void TArrowBar::DrawArrowButton(const TRect& R, Integer Direction, bool Pushed, bool Enabled, bool Hot)
{
    HDC DC = Canvas()->Handle();
    if (FStyle == rbsMac) {
        DrawMacArrowButton(DC, R, Direction, Pushed, Enabled);
        return;
    }
    RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    if (UseVisualStyles && ScrollBarTheme) {
        static const int Base[4] = {9, 1, 13, 5};
        int State = Base[Direction] + (!Enabled ? 3 : Pushed ? 2 : Hot ? 1 : 0);
        VisualStyleApi.DrawThemeBackground(ScrollBarTheme, DC, 1, State, &Rc, nullptr);
        return;
    }
    static const UINT Arrow[4] = {DFCS_SCROLLLEFT, DFCS_SCROLLUP, DFCS_SCROLLRIGHT, DFCS_SCROLLDOWN};
    UINT Flags = Arrow[Direction];
    if (!Enabled) Flags |= DFCS_INACTIVE;
    if (Pushed) Flags |= DFCS_PUSHED | DFCS_FLAT;
    DrawFrameControl(DC, &Rc, DFC_SCROLL, Flags);
}

void TArrowBar::DrawTrackPart(const TRect& R, Integer Direction, bool Pushed, bool Enabled, bool Hot)
{
    (void)Hot;
    if (RectIsEmpty(R)) return;
    HDC DC = Canvas()->Handle();
    if (FStyle == rbsMac) {
        DrawMacTrackPart(DC, R, Direction, Pushed, Enabled);
        return;
    }
    if (UseVisualStyles && ScrollBarTheme) {
        static const int Part[4] = {4, 6, 5, 7};
        RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
        VisualStyleApi.DrawThemeBackground(ScrollBarTheme, DC, Part[Direction], Pushed ? 3 : 1, &Rc, nullptr);
        return;
    }
    if (Pushed) FillSolid(DC, R, Rgb(clWindowFrame));
    else FillPatternRect(DC, R, Rgb(clBtnHighlight), Rgb(Color()));
}

void TArrowBar::DrawThumb(const TRect& R, bool Horz, bool Pushed, bool Hot)
{
    HDC DC = Canvas()->Handle();
    if (FStyle == rbsMac) {
        DrawMacThumb(DC, R, Horz, Hot);
        return;
    }
    RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    if (UseVisualStyles && ScrollBarTheme) {
        int State = 1 + (!Enabled() ? 3 : Pushed ? 2 : Hot ? 1 : 0);
        VisualStyleApi.DrawThemeBackground(ScrollBarTheme, DC, Horz ? 2 : 3, State, &Rc, nullptr);
        if (FShowHandleGrip) VisualStyleApi.DrawThemeBackground(ScrollBarTheme, DC, Horz ? 8 : 9, 0, &Rc, nullptr);
        return;
    }
    DrawEdge(DC, &Rc, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
}

void TArrowBar::DrawMacArrowButton(HDC DC, TRect R, Integer Direction, bool Pushed, bool Enabled)
{
    COLORREF Border = Rgb(FBorderColor), Button = Rgb(FButtoncolor);
    COLORREF Highlight = Rgb(FHighLightColor), Shadow = Rgb(FShadowColor);
    if (!Enabled) {
        DrawSides(DC, R, Shadow, Direction);
        FillSolid(DC, R, Button);
        GrowRect(R, -1, -1);
        TRect Engraved = R;
        ShiftRect(Engraved, 1, 1);
        DrawArrowGlyph(DC, Engraved, Direction, Highlight);
        DrawArrowGlyph(DC, R, Direction, Shadow);
        return;
    }
    DrawSides(DC, R, Border, Direction);
    if (Pushed) {
        FillSolid(DC, R, Button);
        ShiftRect(R, 1, 1);
        GrowRect(R, -1, -1);
    } else {
        DrawBevel(DC, R, Highlight, Shadow);
        GrowRect(R, -1, -1);
        FillSolid(DC, R, Button);
    }
    DrawArrowGlyph(DC, R, Direction, Border);
}

void TArrowBar::DrawMacTrackPart(HDC DC, TRect R, Integer Direction, bool Pushed, bool Enabled)
{
    COLORREF Border = Rgb(FBorderColor), Highlight = Rgb(FHighLightColor), Back = Rgb(Color());
    DrawSides(DC, R, Enabled ? Border : Rgb(FShadowColor), Direction);
    if (Pushed) {
        FillPatternRect(DC, R, Border, Border);
        return;
    }
    if (!Enabled) {
        FillSolid(DC, R, Rgb(FButtoncolor));
        return;
    }
    COLORREF Shade = static_cast<COLORREF>(
        MixColors(static_cast<Integer>(Border), MixColors(static_cast<Integer>(Highlight), static_cast<Integer>(Back), 127),
                  32));
    bool Prev = Direction == 0 || Direction == 1;
    bool Horz = Direction == 0 || Direction == 2;
    if (Prev || Horz) {  // the top edge
        FillSolid(DC, TRect{R.Left, R.Top, R.Right, R.Top + 1}, Shade);
        ++R.Top;
    }
    if (Prev || !Horz) {  // the left edge
        FillSolid(DC, TRect{R.Left, R.Top, R.Left + 1, R.Bottom}, Shade);
        ++R.Left;
    }
    if (FBackgnd == bgSolid) FillPatternRect(DC, R, Back, Back);
    else FillPatternRect(DC, R, Highlight, Back);
}

void TArrowBar::DrawMacThumb(HDC DC, TRect R, bool Horz, bool Hot)
{
    Integer Handle = static_cast<Integer>(Rgb(FHandleColor)), Border = static_cast<Integer>(Rgb(FBorderColor));
    HBRUSH Frame = CreateSolidBrush(static_cast<COLORREF>(Border));
    RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    FrameRect(DC, &Rc, Frame);
    DeleteObject(Frame);
    GrowRect(R, -1, -1);
    if (Hot) DrawBevel(DC, R, static_cast<COLORREF>(ShiftColor(Handle, -24)), static_cast<COLORREF>(Handle));
    else
        DrawBevel(DC, R, static_cast<COLORREF>(ShiftColor(Handle, 24)),
                  static_cast<COLORREF>(MixColors(Border, Handle, 96)));
    GrowRect(R, -1, -1);
    FillSolid(DC, R, static_cast<COLORREF>(Handle));
    if (!FShowHandleGrip) return;
    TRect T = R;
    GrowRect(T, 1, 1);  // the thumb before the bevel
    if (Hot) ShiftRect(T, 1, 1);
    Integer Start = Horz ? T.Left : T.Top, End = Horz ? T.Right : T.Bottom;
    Integer C = (Start + End) / 2;
    static const Integer Long[] = {-4, -1, 2, 5}, Short[] = {-1, 2};
    const Integer* Offsets = End - Start <= 10 ? Short : Long;
    Integer Count = End - Start <= 10 ? 2 : 4;
    COLORREF Light = static_cast<COLORREF>(ShiftColor(Handle, 24)), Dark = static_cast<COLORREF>(ShiftColor(Handle, -24));
    for (Integer I = 0; I < Count; ++I) {
        Integer P = C + Offsets[I];
        TRect Mark = Horz ? TRect{P, T.Top + 1, P + 2, T.Bottom - 1} : TRect{T.Left + 1, P, T.Right - 1, P + 2};
        DrawBevel(DC, Mark, Light, Dark);
    }
}

// ---------------------------------------------------------------------------
// TCustomRangeBar

TCustomRangeBar::TCustomRangeBar(TComponent* AOwner) : TArrowBar(AOwner)
{
    RefreshEffectiveWindow();
}

void TCustomRangeBar::SetIncrement(Integer Value)
{
    FIncrement = std::clamp(Value, 1, 32768);
}

void TCustomRangeBar::SetParams(Integer NewRange, Integer NewWindow)
{
    NewRange = std::max(NewRange, 0);
    NewWindow = std::max(NewWindow, 0);
    if (NewRange == FRange && NewWindow == FEffectiveWindow) return;
    Integer OldRange = FRange, OldWindow = FEffectiveWindow;
    FRange = NewRange;
    FWindow = NewWindow;
    RefreshEffectiveWindow();
    if (FCentered && FEffectiveWindow < FRange)
        FPosition = RecentredPosition(OldRange, OldWindow, FPosition, FRange, FEffectiveWindow);
    ClampPosition();
    Invalidate();
}

void TCustomRangeBar::SetPosition(Single Value)
{
    if (Value == FPosition) return;
    Single Old = FPosition;
    FPosition = Value;
    ClampPosition();
    if (FPosition == Old) return;
    Invalidate();
    FireChange();
}

void TCustomRangeBar::ClampPosition()
{
    FPosition = ClampRangeBarPosition(FPosition, FRange, FEffectiveWindow);
}

void TCustomRangeBar::RefreshEffectiveWindow()
{
    FEffectiveWindow = FWindow > 0 ? FWindow : (Kind() == sbVertical ? Height() : Width());
}

bool TCustomRangeBar::ShowsEnabled()
{
    return Enabled() && FEffectiveWindow < FRange;
}

TRect TCustomRangeBar::GetThumbRect()
{
    return RangeBarThumbRect(Geometry(), FRange, FEffectiveWindow, FPosition);
}

void TCustomRangeBar::Resize()
{
    if (FCentered) {
        Integer OldWindow = FEffectiveWindow;
        RefreshEffectiveWindow();
        if (FEffectiveWindow < FRange)
            FPosition = RecentredPosition(FRange, OldWindow, FPosition, FRange, FEffectiveWindow);
    }
    ClampPosition();
    TArrowBar::Resize();
}

bool TCustomRangeBar::DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos)
{
    if (!TArrowBar::DoMouseWheel(Shift, WheelDelta, MousePos)) {
        // The wheel is the user's doing, like a drag: the owner follows it.
        GenChange = true;
        try {
            SetPosition(FPosition + static_cast<Single>(WheelDelta) * static_cast<Single>(FIncrement) / 120);
        } catch (...) {
            GenChange = false;
            throw;
        }
        GenChange = false;
    }
    return true;
}

void TCustomRangeBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (FEffectiveWindow >= FRange) {
        FDragZone = zNone;  // nothing to scroll: presses are ignored
        return;
    }
    TArrowBar::MouseDown(Button, Shift, X, Y);
    if (FDragZone == zHandle) {
        EndRepeat();  // hot polling instead of repeating
        PosBeforeDrag = FPosition;
    }
}

void TCustomRangeBar::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TArrowBar::MouseMove(Shift, X, Y);
    if (FDragZone != zHandle || FRange <= FEffectiveWindow) return;
    bool Horz = Kind() == sbHorizontal;
    Integer D = Horz ? X - StoredX : Y - StoredY;
    TRect C = ClientRect();
    Single Delta = ThumbDragDelta(Horz ? C.Width() : C.Height(), ArrowButtonSize(), BorderStyle() == bsSingle, FRange,
                                  FEffectiveWindow, D);
    GenChange = true;
    try {
        SetPosition(PosBeforeDrag + Delta);
    } catch (...) {
        GenChange = false;
        throw;
    }
    GenChange = false;
}

TPoint TCustomRangeBar::ClampedCursorPos()
{
    TPoint P = ScreenToClient(Mouse->CursorPos());
    TRect C = ClientRect();
    P.X = std::clamp(P.X, 0, std::max(C.Width() - 1, 0));
    P.Y = std::clamp(P.Y, 0, std::max(C.Height() - 1, 0));
    return P;
}

void TCustomRangeBar::HandleTimer()
{
    TArrowBar::HandleTimer();
    GenChange = true;
    try {
        auto PointerIn = [this](TRBZone A, TRBZone B) {
            TPoint P = ClampedCursorPos();
            TRBZone Z = ZoneAt(P.X, P.Y);
            return Z == A || Z == B;
        };
        Single Old = FPosition;
        switch (FDragZone) {
        case zBtnPrev:
            SetPosition(FPosition - static_cast<Single>(FIncrement));
            if (FPosition == Old) EndRepeat();
            break;
        case zTrackPrev:
            if (PointerIn(zBtnPrev, zTrackPrev)) SetPosition(FPosition - static_cast<Single>(FEffectiveWindow));
            break;
        case zTrackNext:
            if (PointerIn(zTrackNext, zBtnNext)) SetPosition(FPosition + static_cast<Single>(FEffectiveWindow));
            break;
        case zBtnNext:
            SetPosition(FPosition + static_cast<Single>(FIncrement));
            if (FPosition == Old) EndRepeat();
            break;
        default: break;
        }
    } catch (...) {
        GenChange = false;
        throw;
    }
    GenChange = false;
}
