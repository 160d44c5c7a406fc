// SFLayerManager: the glow layer, a click-through popup with per-pixel alpha
// that fades in around a button or caption button, and the routines that fill
// a layered window from a skin bitmap.
#pragma once

#include <memory>

#include "framework/controls/win/Controls.h"
#include "framework/controls/win/ExtCtrls.h"
#include "skin/model/SFBitmap.h"

// A top-level popup that never takes focus or clicks: WS_POPUP alone,
// WS_EX_TOOLWINDOW and WS_EX_TRANSPARENT, CS_SAVEBITS.
class TsfLayerWindow : public TCustomControl {
public:
    explicit TsfLayerWindow(TComponent* AOwner);
    String ClassName() const override { return u"TsfLayerWindow"; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMMouseActivate(TMessage& Message) override;
};

// Dest <- AImage with each pixel's alpha from the grey level of AImageMask
// (opaque without a mask), each colour byte then capped at the alpha.
void MakeLayerBitmap(TBitmap* AImage, TBitmap* AImageMask, TsfBitmap* Dest);
// Bmp with constant Alpha as the content of Control's layered window at the
// control's position; nothing without the platform's UpdateLayeredWindow.
void UpdateLayeredBitmap(TsfBitmap* Bmp, uint8_t Alpha, TWinControl* Control);

// Idle (no window, no picture, timer off) or showing. Show fades the glow in
// from alpha 0 by a tenth of the target (at least 1) on each tick of its
// 25 ms timer; Hide returns to idle. Both do nothing before Windows 2000.
class TsfLayerManager : public TComponent {
public:
    explicit TsfLayerManager(TComponent* AOwner);
    ~TsfLayerManager() override;
    String ClassName() const override { return u"TsfLayerManager"; }

    // AAlphaBlendValue is the fade's target, a constant alpha (limited to 0..255).
    void Show(Integer X, Integer Y, TBitmap* AImage, TBitmap* AImageMask, Integer AAlphaBlendValue);
    void Hide();
    // Places a shown glow again at its own position (top-most or not), without activation.
    void Update();
    void StartTimer();
    void StopTimer();

    TsfLayerWindow* LayerWindow() const { return FLayerWindow; }
    TsfBitmap* Bmp() const { return FBmp.get(); }
    // The fade's timer; its OnTimer is the fade step, so a test can step the fade itself.
    TTimer* Timer() const { return FTimer; }
    Integer EndAlphaBlendValue() const { return FEndAlphaBlendValue; }
    Integer BeginAlphaBlendValue() const { return FBeginAlphaBlendValue; }
    Integer StepAlphaBlendValue() const { return FStepAlphaBlendValue; }
    bool IsVisible() const { return FIsVisible; }
    bool TopMostMode() const { return FTopMostMode; }
    void SetTopMostMode(bool Value) { FTopMostMode = Value; }

private:
    void OnTimerTick(TObject* Sender);
    void PlaceWindow(UINT Flags);

    TsfLayerWindow* FLayerWindow = nullptr;  // owned (a component of this manager)
    std::unique_ptr<TsfBitmap> FBmp;
    TTimer* FTimer = nullptr;  // owned (a component of this manager)
    Integer FEndAlphaBlendValue = 0;
    Integer FBeginAlphaBlendValue = 0;
    Integer FStepAlphaBlendValue = 0;
    bool FIsVisible = false;
    bool FTopMostMode = true;
};
