// SkinBoxCtrls: the skinned up-down (two arrow buttons stepping a position,
// with auto-repeat; "hupdown" / "vupdown", the skin's "resizebutton" when it
// does not take the skin's size, or a built-in look) and the skinned scroll
// box (a container whose children are scrolled by skinned scroll bars placed
// outside it). Their state lives in SkinUpDownCore and SkinScrollBoxCore.
// Windows only.
#pragma once

#include "framework/controls/win/ComCtrls.h"
#include "skin/controls/SkinScrollBoxCore.h"
#include "skin/controls/SkinUpDownCore.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/controls/win/SkinScrollBar.h"

class TsfSkinUpDown : public TsfSkinCustomControl {
public:
    using inherited = TsfSkinCustomControl;
    // 25 x 50, horizontal, 0..100 by 1, SkinDataName "hupdown".
    explicit TsfSkinUpDown(TComponent* AOwner);
    ~TsfSkinUpDown() override;
    String ClassName() const override { return u"TsfSkinUpDown"; }

    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool V);
    TUDOrientation Orientation() const { return FCore.Vertical() ? udVertical : udHorizontal; }
    void SetOrientation(TUDOrientation V);
    Integer Min() const { return FCore.Min(); }
    void SetMin(Integer V) { FCore.SetMin(V); }
    Integer Max() const { return FCore.Max(); }
    void SetMax(Integer V) { FCore.SetMax(V); }
    Integer Increment() const { return FCore.Increment(); }
    void SetIncrement(Integer V) { FCore.SetIncrement(V); }
    Integer Position() const { return FCore.Position(); }
    void SetPosition(Integer V) { FCore.SetPosition(V); }
    TsfSkinUpDownCore& Core() { return FCore; }

    void GetSkinData() override;
    void CalcSize(Integer& AWidth, Integer& AHeight) override;

    TNotifyEvent& OnChange;
    TNotifyEvent& OnUpButtonClick;
    TNotifyEvent& OnDownButtonClick;

protected:
    void SetControlRegion() override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void WMSize(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    void CalcRects();
    void DrawButton(TsfBitmap* B, Integer I);
    void DrawResizeButton(TsfBitmap* B, Integer I);
    Integer ArrowKind(Integer I) const;

    TsfSkinUpDownCore FCore;
    bool FUseSkinSize = true;
    bool FHasSkin = false;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TsfSkinScrollBox : public TsfSkinCustomControl {
public:
    using inherited = TsfSkinCustomControl;
    // 150 x 150, bordered, SkinDataName "scrollbox".
    explicit TsfSkinScrollBox(TComponent* AOwner);
    ~TsfSkinScrollBox() override;
    String ClassName() const override { return u"TsfSkinScrollBox"; }

    // The outside bars (not owned): a linked bar is hidden, unfocusable and
    // reports its moves to the box.
    TsfSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TsfSkinScrollBar* Value);
    TsfSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TsfSkinScrollBar* Value);
    TsfSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TsfSkinBorderStyle Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);

    // The bars' ranges from the visible children (after adding or removing some).
    void UpdateScrollRange();
    void GetHRange();
    void GetVRange();
    void HScroll(Integer APosition);
    void VScroll(Integer APosition);
    // Brings a direct child into view.
    void ScrollToControl(TControl* C);
    TsfSkinScrollBoxCore& Core() { return FCore; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TNotifyEvent OnVScroll;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AdjustClientRect(TRect& Rect) override;
    void Dispatch(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMWindowPosChanging(TMessage& Message) override;
    void WMNCCalcSize(TMessage& Message) override;
    void WMNCPaint(TMessage& Message) override;
    void WMNCHitTest(TMessage& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonDblClk(TWMMouse& Message) override;
    void CNCommand(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;

private:
    void LinkBar(TsfSkinScrollBar*& Field, TsfSkinScrollBar* Value, bool Vertical);
    // Whether the non-client border is there, and painting it into DC.
    bool HasBorder();
    void PaintBorder(HDC DC);
    bool TakeFocusForClick();

    TsfSkinScrollBoxCore FCore;
    TsfSkinScrollBar* FVScrollBar = nullptr;
    TsfSkinScrollBar* FHScrollBar = nullptr;
    TsfSkinBorderStyle FBorderStyle = TsfSkinBorderStyle::bvFrame;
    bool FCanFocused = false;
    bool FClicksDisabled = false;
    Integer BGPictureIndex = -1;
};
