#include "skin/frame/win/SkinClientInActivePanel.h"

#include <windows.h>

#include "framework/controls/win/Forms.h"
#include "framework/graphics/win/Graphics.h"
#include "skin/model/SFStackBlur.h"

namespace {

// The faded look: the form's background over the snapshot at this opacity.
constexpr uint8_t FadeAlpha = 170;
constexpr Integer BlurRadius = 3;

}  // namespace

TsfClientInActivePanel::TsfClientInActivePanel(TComponent* AOwner) : inherited(AOwner) { SetVisible(false); }

TsfClientInActivePanel::~TsfClientInActivePanel() = default;

void TsfClientInActivePanel::ShowPanel(TCustomForm* AForm, TsfClientInActiveEffect AEffect)
{
    if (!AForm || !AForm->Visible() || AForm->ClientWidth() == 0 || AForm->ClientHeight() == 0) return;
    HidePanel();
    SetParent(AForm);
    const Integer W = AForm->ClientWidth(), H = AForm->ClientHeight();
    SetBounds(0, 0, W, H);
    FBuffer = std::make_unique<TsfBitmap>();
    FBuffer->SetSize(W, H);
    const HWND Wnd = AForm->Handle();
    {
        // Pending paints are done first, and the client read through a plain
        // context: a paint bracket taken here would swallow them.
        RedrawWindow(Wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        TClientDC DC(Wnd);
        BitBlt(FBuffer->DC(), 0, 0, W, H, DC, 0, 0, SRCCOPY);
    }
    if (AEffect == sfieBlur) {
        StackBlur(FBuffer.get(), BlurRadius);
    } else {
        TsfBitmap BG;
        BG.SetSize(W, H);
        SendMessageW(Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(BG.DC()), 0);
        GdiFlush();
        BG.SetAlphaBlend(true);
        BG.SetAlpha(FadeAlpha);
        BG.Draw(FBuffer.get(), 0, 0);
    }
    SetVisible(true);
}

void TsfClientInActivePanel::HidePanel()
{
    SetVisible(false);
    FBuffer.reset();
}

void TsfClientInActivePanel::PanelPaint(TCanvas* Canvas)
{
    if (FBuffer) FBuffer->Draw(Canvas, 0, 0);
}
