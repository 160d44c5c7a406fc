#include "skin/model/win/SFLayerManager.h"

#include <algorithm>

#include "skin/model/SFStackBlur.h"
#include "skin/model/win/SFUtils_Win.h"

TsfLayerWindow::TsfLayerWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
}

void TsfLayerWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT;
    Params.WndParent = nullptr;
    Params.WindowClass.style |= CS_SAVEBITS;
}

void TsfLayerWindow::WMMouseActivate(TMessage& Message) { Message.Result = MA_NOACTIVATE; }

void MakeLayerBitmap(TBitmap* AImage, TBitmap* AImageMask, TsfBitmap* Dest)
{
    Dest->Assign(AImage);
    if (AImageMask && !AImageMask->Empty()) {
        TsfBitmap Mask;
        Mask.Assign(AImageMask);
        SetAlphaFromGrayMask(Dest, &Mask);
    } else {
        Dest->SetAlpha(255);
    }
    Dest->CheckRGBA();
}

void UpdateLayeredBitmap(TsfBitmap* Bmp, uint8_t Alpha, TWinControl* Control)
{
    if (!SfUpdateLayeredWindow || !Bmp || !Control) return;
    POINT Dst{Control->Left(), Control->Top()}, Src{0, 0};
    SIZE Size{Bmp->Width(), Bmp->Height()};
    BLENDFUNCTION Blend{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
    SfUpdateLayeredWindow(Control->Handle(), nullptr, &Dst, &Size, Bmp->DC(), &Src, 0, &Blend, ULW_ALPHA);
}

TsfLayerManager::TsfLayerManager(TComponent* AOwner) : TComponent(AOwner)
{
    FTimer = new TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(25);
    FTimer->OnTimer = [this](TObject* Sender) { OnTimerTick(Sender); };
}

TsfLayerManager::~TsfLayerManager()
{
    // The timer and the window are components of this manager and go with it;
    // the timer must not tick into a half-destroyed manager meanwhile.
    FTimer->SetEnabled(false);
    FTimer->OnTimer = nullptr;
}

void TsfLayerManager::PlaceWindow(UINT Flags)
{
    SetWindowPos(FLayerWindow->Handle(), FTopMostMode ? HWND_TOPMOST : HWND_NOTOPMOST, FLayerWindow->Left(),
                 FLayerWindow->Top(), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | Flags);
}

void TsfLayerManager::Show(Integer X, Integer Y, TBitmap* AImage, TBitmap* AImageMask, Integer AAlphaBlendValue)
{
    if (!IsWindows2000OrLater() || !AImage) return;
    Hide();
    FIsVisible = true;
    FLayerWindow = new TsfLayerWindow(this);
    FLayerWindow->SetBounds(X, Y, AImage->Width(), AImage->Height());
    const HWND Wnd = FLayerWindow->Handle();
    SetWindowLongPtrW(Wnd, GWL_EXSTYLE, GetWindowLongPtrW(Wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    FBmp = std::make_unique<TsfBitmap>();
    MakeLayerBitmap(AImage, AImageMask, FBmp.get());
    UpdateLayeredBitmap(FBmp.get(), 0, FLayerWindow);
    PlaceWindow(0);
    // A constant alpha is a byte: a target outside 0..255 would wrap.
    FEndAlphaBlendValue = std::clamp(AAlphaBlendValue, 0, 255);
    // A target below 10 would give a step of 0 and a fade that never ends.
    FStepAlphaBlendValue = std::max(FEndAlphaBlendValue / 10, 1);
    StartTimer();
}

void TsfLayerManager::Hide()
{
    if (!IsWindows2000OrLater()) return;
    StopTimer();
    FBmp.reset();
    FIsVisible = false;
    if (!FLayerWindow) return;
    if (FLayerWindow->HandleAllocated())
        SetWindowPos(FLayerWindow->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    delete FLayerWindow;
    FLayerWindow = nullptr;
}

void TsfLayerManager::Update()
{
    if (FIsVisible && FLayerWindow) PlaceWindow(0);
}

void TsfLayerManager::StartTimer()
{
    FBeginAlphaBlendValue = 0;
    FTimer->SetEnabled(true);
}

void TsfLayerManager::StopTimer() { FTimer->SetEnabled(false); }

void TsfLayerManager::OnTimerTick(TObject*)
{
    if (!FBmp || !FLayerWindow) return;
    FBeginAlphaBlendValue = std::min(FBeginAlphaBlendValue + FStepAlphaBlendValue, FEndAlphaBlendValue);
    UpdateLayeredBitmap(FBmp.get(), static_cast<uint8_t>(FBeginAlphaBlendValue), FLayerWindow);
    if (FBeginAlphaBlendValue >= FEndAlphaBlendValue) StopTimer();
}
