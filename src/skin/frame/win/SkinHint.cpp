#include "skin/frame/win/SkinHint.h"

#include <algorithm>

#include "framework/controls/win/Forms.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/SFUtils.h"
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFSkinRegion_Win.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

constexpr Cardinal HintTimerId = 1;
constexpr Cardinal FadeTimerId = 2;
constexpr Cardinal FadeInterval = 5;

TRect TextSize(TCanvas* C, const String& Text)
{
    TRect R{0, 0, 0, 0};
    DrawWideText(C, Text, R, DT_CALCRECT);
    return R;
}

} // namespace

TsfSkinHint* FindActiveSkinHint()
{
    TCustomForm* Main = Application ? Application->MainForm() : nullptr;
    if (!Main) return nullptr;
    for (Integer i = 0; i < Main->ComponentCount(); ++i)
        if (auto* H = dynamic_cast<TsfSkinHint*>(Main->Components(i)); H && H->Active()) return H;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Window

TsfSkinHintWindow::TsfSkinHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TsfSkinHintWindow::~TsfSkinHintWindow() { SkinClock()->StopTimers(this); }

void TsfSkinHintWindow::CreateParams(TCreateParams& Params)
{
    THintWindow::CreateParams(Params);
    Params.Style &= ~DWORD(WS_BORDER);
    if (IsWindowsXPOrLater()) Params.WindowClass.style |= CS_DROPSHADOW;
}

void TsfSkinHintWindow::WMNCPaint(TMessage& Message) { Message.Result = 0; }

void TsfSkinHintWindow::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

bool TsfSkinHintWindow::HasImage() const
{
    return FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count();
}

void TsfSkinHintWindow::SetHintFont(TCanvas* C) const
{
    const TsfDataSkinHintWindow* D = Data();
    if (D && FspHint->UseSkinFont) {
        C->Font()->SetHeight(D->FontHeight);
        C->Font()->SetName(D->FontName);
        C->Font()->SetStyle(D->FontStyle);
    } else {
        C->Font()->Assign(FspHint->DefaultFont());
    }
    if (FSD && FSD->ResourceStrData()) C->Font()->SetCharset(FSD->ResourceStrData()->CharSet());
    else C->Font()->SetCharset(FspHint->DefaultFont()->Charset());
}

void TsfSkinHintWindow::ActivateHint(const TRect& Rect, const String& AHint)
{
    AExtendedStyle = false;
    FspHint = FindActiveSkinHint();
    if (!FspHint) return;
    if (!FspHint->FHintTitle.empty() || FspHint->FHintImageList) {
        ActivateHintEx(Rect, FspHint->FHintTitle, FspHint->FHintImageList, FspHint->FHintImageIndex, AHint);
        return;
    }
    Show(Rect, AHint, false, false);
}

void TsfSkinHintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void*) { ActivateHint(Rect, AHint); }

void TsfSkinHintWindow::ActivateHintEx(const TRect& Rect, const String& AHintTitle, TCustomImageList* AImageList,
                                       Integer AImageIndex, const String& AHint)
{
    AExtendedStyle = true;
    FspHint = FindActiveSkinHint();
    if (!FspHint) return;
    FTitle = AHintTitle;
    FImageList = AImageList;
    FImageIndex = AImageIndex;
    Show(Rect, AHint, false, false);
}

void TsfSkinHintWindow::ActivateHintFromRect(const TRect& ARect, const String& AHint, bool ATop)
{
    AExtendedStyle = false;
    FspHint = FindActiveSkinHint();
    if (!FspHint) return;
    if (!FspHint->FHintTitle.empty() || FspHint->FHintImageList) {
        AExtendedStyle = true;
        FTitle = FspHint->FHintTitle;
        FImageList = FspHint->FHintImageList;
        FImageIndex = FspHint->FHintImageIndex;
    }
    Show(ARect, AHint, true, ATop);
}

void TsfSkinHintWindow::ContentSize(Integer& W, Integer& H)
{
    TCanvas* C = Canvas();
    const TRect T = TextSize(C, Caption());
    if (!AExtendedStyle) {
        W = T.Width();
        H = T.Height();
        return;
    }
    const TRect Title = FTitle.empty() ? TRect{} : TextSize(C, FTitle);
    const bool Image = HasImage();
    HintContentSizeEx(T.Width(), T.Height(), !FTitle.empty(), Title.Width(), Title.Height(), Image,
                      Image ? FImageList->Width() : 0, Image ? FImageList->Height() : 0, W, H);
}

void TsfSkinHintWindow::Show(const TRect& Anchor, const String& AHint, bool FromRect, bool Top)
{
    TsfSkinData* SD = FspHint->SkinData();
    FSD = SD && !SD->Empty && SD->HintWindow && SD->HintWindow->WindowPictureIndex != -1 &&
                  SD->ActiveBitmap(SD->HintWindow->WindowPictureIndex)
              ? SD
              : nullptr;
    HandleNeeded();
    SetHintFont(Canvas());
    SetCaption(ConvertLineSeparators(AHint, FspHint->LineSeparator()));
    Integer W = 0, H = 0;
    ContentSize(W, H);
    if (const TsfDataSkinHintWindow* D = Data()) {
        const TsfBitmap* P = FSD->ActiveBitmap(D->WindowPictureIndex);
        // A plain hint keeps 5 pixels of air; a titled one 10 across.
        W += AExtendedStyle ? 10 : 5;
        const TsfHintGeometry G =
            SkinHintGeometry(W, H, P->Width(), P->Height(), D->LTPoint, D->RTPoint, D->LBPoint, D->RBPoint, D->ClRect);
        W = G.Width;
        H = G.Height;
        NewClRect = G.NewClRect;
        NewLTPoint = G.NewLTPoint;
        NewRTPoint = G.NewRTPoint;
        NewLBPoint = G.NewLBPoint;
        NewRBPoint = G.NewRBPoint;
    } else {
        W += 4;
        H += 4;
    }
    // Kept within the work area of the active form's monitor.
    TRect Bounds{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    TCustomForm* Near = Screen ? Screen->ActiveCustomForm() : nullptr;
    if (!Near && Application->MainForm() && Application->MainForm()->Visible()) Near = Application->MainForm();
    if (Near && Near->HandleAllocated()) GetMonitorRect(Near->Handle(), true, Bounds);
    const TRect R = HintPlace(Anchor, W, H, FromRect, Top, Bounds);
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
    const HWND Wnd = Handle();
    const bool Support = FspHint->AlphaBlendSupport(), Alpha = FspHint->AlphaBlend;
    const bool Animation = FspHint->AlphaBlendAnimation;
    const Byte Value = FspHint->AlphaBlendValue;
    if (Support && Alpha != OldAlphaBlend) {
        const LONG_PTR Ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
        if (OldAlphaBlend) {
            SetWindowLongPtrW(Wnd, GWL_EXSTYLE, Ex & ~LONG_PTR(WS_EX_LAYERED));
        } else {
            SetWindowLongPtrW(Wnd, GWL_EXSTYLE, Ex | WS_EX_LAYERED);
            if (!Animation) SetWindowAlpha(Wnd, Value);
        }
        OldAlphaBlend = Alpha;
    }
    if (Support && Alpha && Animation) SetWindowAlpha(Wnd, 0);
    if (Value != OldAlphaBlendValue && Support && Alpha) {
        if (!Animation) SetWindowAlpha(Wnd, Value);
        OldAlphaBlendValue = Value;
    }
    if (Alpha && !Support) {
        SI = std::make_unique<TBitmap>();
        SI->SetSize(R.Width(), R.Height());
        GrabScreen(R.Left, R.Top, SI.get());
    } else {
        SI.reset();
    }
    SetHintRegion();
    SetWindowPos(Wnd, HWND_TOPMOST, R.Left, R.Top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    Repaint();
    SkinClock()->StopTimer(this, FadeTimerId);
    if (Support && Alpha && Animation) {
        // Stepped on the skin clock rather than in a busy loop.
        FFadeAlpha = 0;
        FadeStep();
        if (FFadeAlpha < Value) SkinClock()->StartTimer(this, FadeTimerId, FadeInterval, [this] { FadeStep(); });
    }
}

void TsfSkinHintWindow::FadeStep()
{
    const Byte Value = FspHint ? FspHint->AlphaBlendValue : 255;
    FFadeAlpha = std::min<Integer>(FFadeAlpha + HintFadeStep(Value), Value);
    if (HandleAllocated()) SetWindowAlpha(Handle(), static_cast<uint8_t>(FFadeAlpha));
    if (FFadeAlpha >= Value) SkinClock()->StopTimer(this, FadeTimerId);
}

void TsfSkinHintWindow::SetHintRegion()
{
    const TsfDataSkinHintWindow* D = Data();
    const TsfBitmap* Mask = D && D->MaskPictureIndex != -1 ? FSD->ActiveBitmap(D->MaskPictureIndex) : nullptr;
    if (Mask) {
        HRGN Rgn = nullptr;
        CreateSkinRegion(Rgn, D->LTPoint, D->RTPoint, D->LBPoint, D->RBPoint, D->ClRect, NewLTPoint, NewRTPoint,
                         NewLBPoint, NewRBPoint, NewClRect, Mask, Width(), Height());
        // The window owns the region from here on.
        SetWindowRgn(Handle(), Rgn, FALSE);
        FHasRegion = Rgn != nullptr;
    } else if (FHasRegion) {
        SetWindowRgn(Handle(), nullptr, FALSE);
        FHasRegion = false;
    }
}

void TsfSkinHintWindow::Paint()
{
    const Integer W = Width(), H = Height();
    if (W <= 0 || H <= 0 || !FspHint) return;
    TsfBitmap B;
    B.SetSize(W, H);
    TCanvas* C = B.Canvas();
    const TsfDataSkinHintWindow* D = Data();
    TRect Area{2, 2, W - 2, H - 1};
    if (D) {
        const TsfBitmap* P = FSD->ActiveBitmap(D->WindowPictureIndex);
        CreateSkinImage2(D->LTPoint, D->RTPoint, D->LBPoint, D->RBPoint, D->ClRect, NewLTPoint, NewRTPoint,
                         NewLBPoint, NewRBPoint, NewClRect, &B, P, {0, 0, P->Width(), P->Height()}, W, H, true,
                         D->LeftStretch, D->TopStretch, D->RightStretch, D->BottomStretch, D->StretchEffect,
                         D->StretchType);
        Area = NewClRect;
    } else {
        C->Brush()->SetColor(clInfoBk);
        C->FillRect({0, 0, W, H});
        TRect F{0, 0, W, H};
        Frame3D(C, F, clBtnShadow, clBtnShadow, 1);
    }
    SetHintFont(C);
    C->Font()->SetColor(D ? D->FontColor : clInfoText);
    C->Brush()->SetStyle(bsClear);
    const String Text = Caption();
    if (!AExtendedStyle) {
        if (D) {
            const TRect T = TextSize(C, Text);
            const Integer X = Area.Left + Area.Width() / 2 - T.Width() / 2;
            const Integer Y = Area.Top + Area.Height() / 2 - T.Height() / 2;
            TRect R{X, Y, X + T.Width(), Y + T.Height()};
            DrawWideText(C, Text, R, 0);
        } else {
            DrawWideText(C, Text, Area, 0);
        }
    } else {
        // Title line in bold, image at the left, text beside it.
        const Integer Inset = D ? 5 : 0;
        Integer TitleBlock = 0;
        if (!FTitle.empty()) {
            const TFontStyles Was = C->Font()->Style();
            C->Font()->SetStyle(Was | fsBold);
            TRect T = TextSize(C, FTitle);
            TRect R{Area.Left + Inset, Area.Top, Area.Left + Inset + T.Width(), Area.Top + T.Height()};
            DrawWideText(C, FTitle, R, 0);
            C->Font()->SetStyle(Was);
            TitleBlock = TextSize(C, FTitle).Height() + 5;
        }
        const TRect T = TextSize(C, Text);
        Integer X = Area.Left + Inset;
        if (HasImage()) {
            const Integer IY = TitleBlock ? Area.Top + TitleBlock
                                          : Area.Top + Area.Height() / 2 - FImageList->Height() / 2;
            FImageList->Draw(C, X, IY, FImageIndex, true);
            X += FImageList->Width() + (D ? 5 : 7);
        }
        const Integer Y = TitleBlock ? Area.Top + TitleBlock : Area.Top + Area.Height() / 2 - T.Height() / 2;
        TRect R{X, Y, D ? X + T.Width() : Area.Right, D ? Y + T.Height() : Area.Bottom};
        DrawWideText(C, Text, R, 0);
    }
    C->Brush()->SetStyle(bsSolid);
    // Transparency without layered windows: a blend with the screen behind.
    if (SI && FspHint->AlphaBlend && !FspHint->AlphaBlendSupport()) {
        GdiFlush();
        auto From = TsfEffectBmp::CreateFromhWnd(B.Handle());
        auto To = TsfEffectBmp::CreateFromhWnd(SI->Handle());
        if (From && To) {
            From->Morph(To.get(), 1.0 - FspHint->AlphaBlendValue / 255.0);
            From->Draw(B.DC(), 0, 0);
        }
    }
    B.Draw(Canvas(), 0, 0);
}

// ---------------------------------------------------------------------------
// Component

TsfSkinHint::TsfSkinHint(TComponent* AOwner) : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    HW = new TsfSkinHintWindow(this);
    if (ComponentState() & csDesigning) return;
    HintWindowClass = HintWindowClassOf<TsfSkinHintWindow>();
    // The application makes its hint window anew, of the new class.
    Application->SetShowHint(!Application->ShowHint());
    Application->SetShowHint(!Application->ShowHint());
    Application->OnShowHint = [this](String& S, bool& Can, THintInfo& I) { DoShowHint(S, Can, I); };
    Application->SetHintShortPause(100);
}

TsfSkinHint::~TsfSkinHint()
{
    SkinClock()->StopTimers(this);
    delete HW;
    HW = nullptr;
}

void TsfSkinHint::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) FSD = nullptr;
    if (Operation == opRemove && AComponent == HW) HW = nullptr;
}

void TsfSkinHint::SetSkinData(TsfSkinData* Value)
{
    if (FSD) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD) FSD->FreeNotification(this);
}

void TsfSkinHint::SetDefaultFont(TFont* Value)
{
    if (Value) FDefaultFont->Assign(Value);
}

void TsfSkinHint::SetAlphaBlendSupport(bool Value)
{
    FAlphaBlendSupport = Value && !(!(ComponentState() & csDesigning) && !IsWindows2000OrLater());
}

void TsfSkinHint::SetActive(bool Value)
{
    FActive = Value;
    if (Value && Application->MainForm()) {
        TCustomForm* Main = Application->MainForm();
        for (Integer i = 0; i < Main->ComponentCount(); ++i)
            if (auto* H = dynamic_cast<TsfSkinHint*>(Main->Components(i)); H && H != this && H->FActive)
                H->FActive = false;
    }
    if (FActive && !(ComponentState() & csDesigning))
        Application->OnShowHint = [this](String& S, bool& Can, THintInfo& I) { DoShowHint(S, Can, I); };
}

void TsfSkinHint::DoShowHint(String& HintStr, bool& CanShow, THintInfo& HintInfo)
{
    ClearTitleAndImage();
    if (auto* S = dynamic_cast<TsfSkinControl*>(HintInfo.HintControl)) {
        FHintTitle = S->HintTitle();
        FHintImageIndex = S->HintImageIndex();
        FHintImageList = S->HintImageList();
    } else if (auto* G = dynamic_cast<TsfGraphicSkinControl*>(HintInfo.HintControl)) {
        FHintTitle = G->HintTitle();
        FHintImageIndex = G->HintImageIndex();
        FHintImageList = G->HintImageList();
    }
    if (OnShowHint) OnShowHint(HintStr, CanShow, HintInfo);
}

void TsfSkinHint::ClearTitleAndImage()
{
    FHintTitle.clear();
    FHintImageIndex = 0;
    FHintImageList = nullptr;
}

bool TsfSkinHint::IsVisible() const { return HW && HW->HandleAllocated() && IsWindowVisible(HW->Handle()); }

bool TsfSkinHint::HintTimerRunning() const { return SkinClock()->TimerRunning(this, HintTimerId); }

Integer TsfSkinHint::GetCursorHeightMargin() const
{
    const Integer Default = GetSystemMetrics(SM_CYCURSOR);
    ICONINFO Info{};
    if (!GetIconInfo(GetCursor(), &Info)) return Default;
    // Both bitmaps the query made are ours to delete, whatever happens below.
    const TGdiObject<HBITMAP> Mask(Info.hbmMask), Color(Info.hbmColor);
    Integer Result = Default;
    if (Info.hbmMask) {
        BITMAP BM{};
        if (GetObjectW(Info.hbmMask, sizeof(BM), &BM) && BM.bmBitsPixel == 1 && BM.bmWidth > 0 && BM.bmHeight > 0) {
            // The mask as a bottom-up 1-bit DIB, read into a buffer of exactly its size.
            struct {
                BITMAPINFOHEADER H;
                RGBQUAD Colors[2];
            } BI{};
            BI.H.biSize = sizeof(BITMAPINFOHEADER);
            BI.H.biWidth = BM.bmWidth;
            BI.H.biHeight = BM.bmHeight;
            BI.H.biPlanes = 1;
            BI.H.biBitCount = 1;
            const std::size_t Line = (static_cast<std::size_t>(BM.bmWidth) + 31) / 32 * 4;
            std::vector<Byte> Bits(Line * static_cast<std::size_t>(BM.bmHeight));
            const int Lines = GetDIBits(TClientDC(nullptr), Info.hbmMask, 0, static_cast<UINT>(BM.bmHeight),
                                        Bits.data(), reinterpret_cast<BITMAPINFO*>(&BI), DIB_RGB_COLORS);
            if (Lines > 0)
                Result = CursorMaskMargin(Bits.data(), Line * static_cast<std::size_t>(Lines), BM.bmWidth, Lines,
                                          static_cast<Integer>(Info.yHotspot), Default);
        }
    }
    return Result;
}

TPoint TsfSkinHint::CursorPoint() const
{
    POINT P{};
    GetCursorPos(&P);
    return {P.x, P.y + GetCursorHeightMargin()};
}

void TsfSkinHint::ActivateHint(const TPoint& P, const String& AHint)
{
    if (!HW) return;
    ClearTitleAndImage();
    HW->ActivateHint({P.X, P.Y, P.X, P.Y}, AHint);
}

void TsfSkinHint::ActivateHintEx(const TPoint& P, const String& AHintTitle, TCustomImageList* AImageList,
                                 Integer AImageIndex, const String& AHint)
{
    if (HW) HW->ActivateHintEx({P.X, P.Y, P.X, P.Y}, AHintTitle, AImageList, AImageIndex, AHint);
}

void TsfSkinHint::Arm(void (TsfSkinHint::*Show)())
{
    SkinClock()->StopTimer(this, HintTimerId);
    SkinClock()->StartTimer(this, HintTimerId, static_cast<Cardinal>(std::max(Application->HintPause(), 1)),
                            [this, Show] { (this->*Show)(); });
}

void TsfSkinHint::ActivateHint2(const String& AHint)
{
    HintText = AHint;
    ClearTitleAndImage();
    Arm(&TsfSkinHint::HintTimerShow);
}

void TsfSkinHint::ActivateHintEx2(const String& AHintTitle, const String& AHint, TCustomImageList* AImageList,
                                  Integer AImageIndex)
{
    HintText = AHint;
    FHintTitle = AHintTitle;
    FHintImageList = AImageList;
    FHintImageIndex = AImageIndex;
    Arm(&TsfSkinHint::HintTimerShowEx);
}

void TsfSkinHint::ActivateHint3(const TRect& AFromRect, const String& AHint, bool ATop)
{
    FromRect = AFromRect;
    Top = ATop;
    HintText = AHint;
    ClearTitleAndImage();
    Arm(&TsfSkinHint::HintTimerShowFromRect);
}

void TsfSkinHint::ArmHide()
{
    SkinClock()->StopTimer(this, HintTimerId);
    SkinClock()->StartTimer(this, HintTimerId, static_cast<Cardinal>(std::max(Application->HintHidePause(), 1)),
                            [this] { HideHint(); });
}

void TsfSkinHint::HintTimerShow()
{
    if (!HW) return;
    const TPoint P = CursorPoint();
    HW->ActivateHint({P.X, P.Y, P.X, P.Y}, HintText);
    ArmHide();
}

void TsfSkinHint::HintTimerShowEx()
{
    if (!HW) return;
    const TPoint P = CursorPoint();
    HW->ActivateHintEx({P.X, P.Y, P.X, P.Y}, FHintTitle, FHintImageList, FHintImageIndex, HintText);
    ArmHide();
}

void TsfSkinHint::HintTimerShowFromRect()
{
    if (!HW) return;
    HW->ActivateHintFromRect(FromRect, HintText, Top);
    ArmHide();
}

void TsfSkinHint::HideHint()
{
    SkinClock()->StopTimer(this, HintTimerId);
    if (!IsVisible()) return;
    HW->SetVisible(false);
    SetWindowPos(HW->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    ClearTitleAndImage();
}
