// SkinScrollBar: the skinned scroll bar, a self-drawn bar with two arrow
// buttons, a track and a thumb whose length follows the page. It paints the
// skin's "hscrollbar" / "vscrollbar" description (or BothSkinDataName while
// it shares a corner with another bar) or a built-in look, and reports what
// the user does through its events; it never scrolls anything itself. The
// state, geometry and repeat live in TsfSkinScrollBarCore. Windows only.
#pragma once

#include "skin/controls/SkinScrollBarCore.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/model/SFControlData.h"

// Fades Part towards what Under shows at At (the part's place), by a
// control's AlphaBlendValue (255 keeps the part as it is).
void BlendPartOver(TsfBitmap* Part, TsfBitmap* Under, const TPoint& At, Byte AlphaBlendValue);

class TsfSkinScrollBar : public TsfSkinCustomControl {
public:
    using inherited = TsfSkinCustomControl;
    // Horizontal, 200 x 19, Min 0, Max 100, SkinDataName "hscrollbar".
    explicit TsfSkinScrollBar(TComponent* AOwner);
    ~TsfSkinScrollBar() override;
    String ClassName() const override { return u"TsfSkinScrollBar"; }

    TScrollBarKind Kind() const { return FCore.Vertical() ? sbVertical : sbHorizontal; }
    void SetKind(TScrollBarKind Value);
    Integer Min() const { return FCore.Min(); }
    void SetMin(Integer Value) { FCore.SetMin(Value); }
    Integer Max() const { return FCore.Max(); }
    void SetMax(Integer Value) { FCore.SetMax(Value); }
    Integer Position() const { return FCore.Position(); }
    void SetPosition(Integer Value) { FCore.SetPosition(Value); }
    void SimplySetPosition(Integer Value) { FCore.SimplySetPosition(Value); }
    void SetRange(Integer AMin, Integer AMax, Integer APosition, Integer APageSize)
    {
        FCore.SetRange(AMin, AMax, APosition, APageSize);
    }
    Integer SmallChange() const { return FCore.SmallChange(); }
    void SetSmallChange(Integer Value) { FCore.SetSmallChange(Value); }
    Integer LargeChange() const { return FCore.LargeChange(); }
    void SetLargeChange(Integer Value) { FCore.SetLargeChange(Value); }
    Integer PageSize() const { return FCore.PageSize(); }
    void SetPageSize(Integer Value) { FCore.SetPageSize(Value); }
    bool Both() const { return FCore.Both(); }
    void SetBoth(bool Value);
    const String& BothSkinDataName() const { return FBothSkinDataName; }
    void SetBothSkinDataName(const String& Value) { FBothSkinDataName = Value; }
    Integer BothMarkerWidth() const { return FCore.BothMarkerWidth(); }
    void SetBothMarkerWidth(Integer Value) { FCore.SetBothMarkerWidth(Value); }
    bool CanFocused() const { return FCore.CanFocused(); }
    void SetCanFocused(bool Value);

    // The portable state (read by tests and by the controls that link a bar).
    TsfSkinScrollBarCore& Core() { return FCore; }

    void GetSkinData() override;
    void CalcSize(Integer& AWidth, Integer& AHeight) override;

    // The bar's events (the bar is the sender).
    TNotifyEvent& OnChange;
    TNotifyEvent& OnLastChange;
    TNotifyEvent& OnUpButtonClick;
    TNotifyEvent& OnDownButtonClick;
    TNotifyEvent& OnPageUp;
    TNotifyEvent& OnPageDown;

protected:
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) override;
    void Resize() override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMWantSpecialKey(TMessage& Message) override;
    // Outside a paint, the erase paints the control onto the erase DC.
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonDblClk(TWMMouse& Message) override;
    void CNCommand(TMessage& Message) override;

private:
    // The focus first when the bar takes it; false when the click is dropped.
    bool TakeFocusForClick();
    void DrawSkinThumb(TsfBitmap* B);

    TsfSkinScrollBarCore FCore;
    String FNormalSkinDataName;
    String FBothSkinDataName = u"bothhscrollbar";
    bool FClicksDisabled = false;
    // The description's picture areas while one is in use.
    TsfDataSkinScrollBarControl FSkin{u""};
    bool FHasSkin = false;
};
