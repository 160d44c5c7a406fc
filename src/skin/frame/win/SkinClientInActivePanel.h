// SkinClientInActivePanel: the panel that covers an inactive form's client
// area with a processed snapshot of it (blurred, or faded towards the form's
// background), until the form is active again.
#pragma once

#include <memory>

#include "skin/controls/win/SkinPanels.h"

enum TsfClientInActiveEffect : Byte { sfieSemiTransparent, sfieBlur };

class TsfClientInActivePanel : public TsfSkinPaintPanel {
public:
    using inherited = TsfSkinPaintPanel;
    explicit TsfClientInActivePanel(TComponent* AOwner);
    ~TsfClientInActivePanel() override;
    String ClassName() const override { return u"TsfClientInActivePanel"; }

    // Takes the snapshot of AForm's client area, processes it and shows it over
    // the area. Nothing for a missing, hidden or empty form.
    void ShowPanel(TCustomForm* AForm, TsfClientInActiveEffect AEffect);
    void HidePanel();
    // The processed snapshot while shown (nil otherwise).
    TsfBitmap* Buffer() const { return FBuffer.get(); }

protected:
    void PanelPaint(TCanvas* Canvas) override;

private:
    std::unique_ptr<TsfBitmap> FBuffer;
};
