// SkinBoxCtrls: the skinned up-down (two arrow buttons stepping a position,
// with auto-repeat; "hupdown" / "vupdown", the skin's "resizebutton" when it
// does not take the skin's size, or a built-in look) and the skinned scroll
// box (a container whose children are scrolled by skinned scroll bars placed
// outside it). Their state lives in SkinUpDownCore and SkinScrollBoxCore.
// The edits (SkinBoxCtrls_Edits.cpp, rules in SkinEditCore): the plain edit
// used inside other controls, the skinned edit with its frame drawn in the
// non-client area, the numeric edit, the spin edit and the track edit.
// Windows only.
#pragma once

#include "framework/controls/win/ComCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/SkinEditCore.h"
#include "skin/controls/SkinListCore.h"
#include "skin/controls/SkinScrollBoxCore.h"
#include "skin/controls/SkinUpDownCore.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/controls/win/SkinTrackBars.h"

class TsfSkinPopupMenuLink;

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

// ---------------------------------------------------------------------------
// Edits

// The plain edit inside other skinned controls: its own read-only mode (the
// window stays writable, so the text can still be selected and copied), a
// transparent mode showing the parent's drawing behind the text, Enter and
// Esc passed to the form as dialog keys, and a skinned context menu.
class TsfCustomEdit : public TCustomEdit {
public:
    using inherited = TCustomEdit;
    explicit TsfCustomEdit(TComponent* AOwner);
    ~TsfCustomEdit() override;
    String ClassName() const override { return u"TsfCustomEdit"; }

    bool ReadOnly() const { return FEditReadOnly; }
    void SetReadOnly(bool Value) { FEditReadOnly = Value; }
    bool EditTransparent() const { return FEditTransparent; }
    void SetEditTransparent(bool Value);
    // The parent's area under the edit and the edit with its frame.
    void Invalidate() override;
    // The context menu while it is open (nullptr otherwise).
    TPopupMenu* SysPopupMenu() const;

    // Hooks for an owning control.
    TNotifyEvent OnUp, OnDown, OnKillFocus;
    // After cancel mode, with the control that took the focus.
    std::function<void(TObject* Sender, TControl* C)> OnEditCancelMode;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Change() override;
    void WMChar(TWMKey& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMMouseMove(TWMMouse& Message) override;
    void WMMove(TMessage& Message) override;
    void WMSetText(TMessage& Message) override;
    void WMContextMenu(TMessage& Message) override;
    void CNCtlColorEdit(TMessage& Message) override;
    void CNCtlColorStatic(TMessage& Message) override;
    void CMCancelMode(TMessage& Message) override;
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }
    // Characters typed into the window (Esc and Enter never are). Read-only
    // lets the control characters through but Backspace: copying is one, and
    // the cut, paste and undo they lead to are refused as messages.
    virtual bool AcceptChar(Char Key) { return !FEditReadOnly || (Key < 32 && Key != 8); }
    void CreateSysPopupMenu();
    void FreeSysPopupMenu();

    bool FDown = false;
    bool FEditReadOnly = false;
    bool FEditTransparent = false;
    TsfSkinPopupMenuLink* FSysPopupMenu = nullptr;

private:
    void TransparentColor(TMessage& Message);
};

// An edit that is a skinned control of its own: its frame from the skin's
// "edit" or "buttonedit" description (or a built-in look) in the non-client
// area, an optional edit button and two images at its ends.
class TsfSkinCustomEdit : public TsfCustomEdit, public IsfSkinnedControl {
public:
    using inherited = TsfCustomEdit;
    explicit TsfSkinCustomEdit(TComponent* AOwner);
    ~TsfSkinCustomEdit() override;
    String ClassName() const override { return u"TsfSkinCustomEdit"; }

    TsfSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TsfSkinData* Value) override;
    const String& SkinDataName() const override { return FSkinDataName; }
    void SetSkinDataName(const String& Value) override { FSkinDataName = Value; }
    void BeforeChangeSkinData() override {}
    void ChangeSkinData() override;
    TControl* SkinnedControl() override { return this; }
    Integer SkinIndex() const { return FIndex; }

    bool ButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool Value);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    Integer DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(Integer Value);
    Integer DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(Integer Value);
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    Byte AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    Integer ButtonImageIndex() const { return FButtonImageIndex; }
    void SetButtonImageIndex(Integer Value);
    Integer LeftImageIndex() const { return FLeftImageIndex; }
    void SetLeftImageIndex(Integer Value);
    Integer RightImageIndex() const { return FRightImageIndex; }
    void SetRightImageIndex(Integer Value);
    Integer LeftImageHotIndex = -1, LeftImageDownIndex = -1, RightImageHotIndex = -1, RightImageDownIndex = -1;

    // The look in use: the description's geometry (nullptr for the built-in look).
    const TsfEditSkinGeometry* Geometry() const { return FIndex == -1 ? nullptr : &FGeometry; }
    const TRect& ButtonRect() const { return FButtonRect; }
    const TRect& EditRect() const { return FEditRect; }
    bool MouseIn() const { return FMouseIn; }
    // The frame again (WM_NCPAINT).
    void RedrawFrame();
    void Invalidate() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    Integer CalcEditHeight();
    void AdjustHeight();
    virtual void GetSkinData();

    TNotifyEvent OnButtonClick, OnLeftButtonClick, OnRightButtonClick;
    TNotifyEvent OnMouseEnter, OnMouseLeave;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void WMNCCalcSize(TMessage& Message) override;
    void WMNCPaint(TMessage& Message) override;
    void WMNCHitTest(TMessage& Message) override;
    void WMNCLButtonDown(TWMMouse& Message) override;
    void WMNCLButtonDblClk(TWMMouse& Message) override;
    void WMNCLButtonUp(TWMMouse& Message) override;
    void WMNCMouseMove(TWMMouse& Message) override;
    void WMMouseMove(TWMMouse& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMPaint(TWMPaint& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

    void CalcEditRect();
    void CalcImageRects(bool SetRect);
    // The frame (with the edit rectangle) drawn into DC at the window's origin.
    void PaintFrame(HDC DC, bool ExcludeEdit);
    void DrawFrame(TsfBitmap* B);
    void PaintClient(HDC DC);
    void DrawImages(HDC DC);
    void DrawButtonImage(TsfBitmap* B);
    void DrawResizeButton(TsfBitmap* B);
    void DrawDisabledText(HDC DC);
    TColor CurrentFontColor();
    bool Focused_() const;
    void DoMouseEnter();
    void DoMouseLeave();
    bool NeedMouseTimer() const;
    void HoverTimer();

    bool FFromWMErase = false;
    bool FStopDraw = false;
    TsfCBButtonX LeftButton, RightButton;
    TColor FDefaultColor = clWindow;
    TRect FButtonRect, FEditRect;
    bool FButtonMode = false, FButtonDown = false, FButtonActive = false;
    bool FMouseIn = false;
    Integer FIndex = -1;
    TsfSkinData* FSD = nullptr;
    String FSkinDataName = u"edit";
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 0;
    TsfBitmap* Picture = nullptr;
    std::unique_ptr<TFont> FDefaultFont;
    bool FUseSkinFont = true;
    Integer FDefaultWidth = 0, FDefaultHeight = 0;
    TCustomImageList* FImages = nullptr;
    Integer FButtonImageIndex = -1, FLeftImageIndex = -1, FRightImageIndex = -1;
    Integer LOffset = 0, ROffset = 0;
    TsfEditSkinGeometry FGeometry;
    TRect ActiveSkinRect;
    String FontName;
    TFontStyles FontStyle = 0;
    Integer FontHeight = 0;
    TColor FontColor = clBlack, DisabledFontColor = clGray, ActiveFontColor = clBlack;
    TRect ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    bool StretchEffect = false;
    std::unique_ptr<TsfBitmap> ParentImage;

private:
    void DefaultFontChange(TObject* Sender);
};

// The published form of the skinned edit.
class TsfSkinEdit : public TsfSkinCustomEdit {
public:
    using TsfSkinCustomEdit::TsfSkinCustomEdit;
    String ClassName() const override { return u"TsfSkinEdit"; }
};

// The decimal separator of the user's locale settings.
Char SkinDecimalSeparator();

// The skinned edit for numbers: typed characters filtered, a Double Value
// held within MinValue..MaxValue (equal limits: none), shown as an integer or
// with Decimal digits.
class TsfSkinNumericEdit : public TsfSkinCustomEdit {
public:
    using inherited = TsfSkinCustomEdit;
    explicit TsfSkinNumericEdit(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinNumericEdit"; }

    double Value() const { return FValue; }
    void SetValue(double X);
    double MinValue() const { return FMinValue; }
    void SetMinValue(double V) { FMinValue = V; }
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double V) { FMaxValue = V; }
    TsfValueType ValueType() const { return FValueType; }
    void SetValueType(TsfValueType V) { FValueType = V; }
    Byte Decimal() const { return FDecimal; }
    void SetDecimal(Byte V) { FDecimal = V; }
    double Increment() const { return FIncrement; }
    void SetIncrement(double V) { FIncrement = V; }
    bool SupportUpDownKeys() const { return FSupportUpDownKeys; }
    void SetSupportUpDownKeys(bool V) { FSupportUpDownKeys = V; }
    bool IsNumText(const String& AText) const;

protected:
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void WMKillFocus(TMessage& Message) override;
    String Format(double V) const;

    bool StopCheck = false, FromEdit = false;
    double FMinValue = 0, FMaxValue = 0, FValue = 0;
    Byte FDecimal = 2;
    TsfValueType FValueType = vtInteger;
    double FIncrement = 1;
    bool FSupportUpDownKeys = false;
};

// The spin edit's inner edit: filters typed characters and turns the arrow
// keys and the wheel into steps.
class TsfSkinNumEdit : public TsfCustomEdit {
public:
    using inherited = TsfCustomEdit;
    explicit TsfSkinNumEdit(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinNumEdit"; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool V) { FEditorEnabled = V; }
    bool IsValidChar(Char Key);

    TNotifyEvent OnUpClick, OnDownClick;
    TNotifyEvent OnMouseEnter, OnMouseLeave;
    bool Float = false;

protected:
    void KeyPress(Char& Key) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMMouseWheel(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    bool FEditorEnabled = true;
};

// A number field with up and down buttons and an inner numeric edit
// ("spinedit", or a built-in look).
class TsfSkinSpinEdit : public TsfSkinCustomControl {
public:
    using inherited = TsfSkinCustomControl;
    explicit TsfSkinSpinEdit(TComponent* AOwner);
    ~TsfSkinSpinEdit() override;
    String ClassName() const override { return u"TsfSkinSpinEdit"; }

    double Value() const { return FValue; }
    void SetValue(double V);
    // Value and text without OnChange.
    void SimpleSetValue(double V);
    double MinValue() const { return FMinValue; }
    void SetMinValue(double V);
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double V);
    double Increment() const { return FIncrement; }
    void SetIncrement(double V) { FIncrement = V; }
    TsfValueType ValueType() const { return FValueType; }
    void SetValueType(TsfValueType V);
    Byte Decimal() const { return FDecimal; }
    void SetDecimal(Byte V) { FDecimal = V; }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool V) { FUseSkinSize = V; }
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor V);
    bool EditorEnabled() const { return FEdit->EditorEnabled(); }
    void SetEditorEnabled(bool V) { FEdit->SetEditorEnabled(V); }
    Integer MaxLength() const { return FEdit->MaxLength(); }
    void SetMaxLength(Integer V) { FEdit->SetMaxLength(V); }
    bool IsNumText(const String& AText) const;
    TsfSkinNumEdit* Edit() const { return FEdit; }
    TsfSkinUpDownCore& Core() { return FCore; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcSize(Integer& AWidth, Integer& AHeight) override;
    void Invalidate() override;

    TNotifyEvent OnChange;
    TNotifyEvent& OnUpButtonClick;
    TNotifyEvent& OnDownButtonClick;
    TKeyEvent OnEditKeyDown, OnEditKeyUp;
    TKeyPressEvent OnEditKeyPress;
    TNotifyEvent OnEditEnter, OnEditExit;

protected:
    virtual void EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void EditKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void EditKeyPress(TObject* Sender, Char& Key);
    virtual void EditEnter(TObject* Sender);
    virtual void EditExit(TObject* Sender);
    virtual void Change();
    void OnDefaultFontChange() override;
    void SetControlRegion() override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    void CalcRects();
    void AdjustEditHeight();
    void EditChange(TObject* Sender);
    void EditMouseEnter(TObject* Sender);
    void EditMouseLeave(TObject* Sender);
    void Step(double Delta);
    String Format(double V) const;
    void SetEditFontColor();
    void DrawButton(TsfBitmap* B, Integer I);
    void DrawResizeButton(TsfBitmap* B, Integer I);
    bool HasActivePicture() const;

    TsfSkinUpDownCore FCore;
    TColor FDefaultColor = clWindow;
    bool FUseSkinSize = true;
    bool FMouseIn = false, FEditFocused = false;
    bool StopCheck = false, FromEdit = false;
    Byte FDecimal = 2;
    double FMinValue = 0, FMaxValue = 0, FIncrement = 1, FValue = 0;
    TsfValueType FValueType = vtInteger;
    bool FHasSkin = false;
    TsfSpinSkinGeometry FGeometry;
    TRect ActiveSkinRect;
    String FontName;
    TFontStyles FontStyle = 0;
    Integer FontHeight = 0;
    TColor FontColor = clBlack, DisabledFontColor = clGray, ActiveFontColor = clBlack;
    TRect ActiveUpButtonRect, DownUpButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    Integer LOffset = 0, ROffset = 0;
    TsfSkinNumEdit* FEdit = nullptr;
};

class TsfSkinTrackEdit;
enum TsfTrackBarPopupKind { tbpRight, tbpLeft };

// The track edit's drop-down: a horizontal skinned track bar in a popup
// window that never takes the activation.
class TsfSkinPopupTrackBar : public TsfSkinTrackBar {
public:
    using inherited = TsfSkinTrackBar;
    explicit TsfSkinPopupTrackBar(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinPopupTrackBar"; }
    TsfSkinTrackEdit* TrackEdit = nullptr;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMMouseActivate(TMessage& Message) override;
};

// An integer edit whose button drops down a track bar.
class TsfSkinTrackEdit : public TsfSkinCustomEdit {
public:
    using inherited = TsfSkinCustomEdit;
    explicit TsfSkinTrackEdit(TComponent* AOwner);
    ~TsfSkinTrackEdit() override;
    String ClassName() const override { return u"TsfSkinTrackEdit"; }

    Integer Value() const { return FValue; }
    void SetValue(Integer V);
    Integer MinValue() const { return FMinValue; }
    void SetMinValue(Integer V) { FMinValue = V; }
    Integer MaxValue() const { return FMaxValue; }
    void SetMaxValue(Integer V) { FMaxValue = V; }
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer V) { FIncrement = V; }
    bool SupportUpDownKeys() const { return FSupportUpDownKeys; }
    void SetSupportUpDownKeys(bool V) { FSupportUpDownKeys = V; }
    TsfTrackBarPopupKind PopupKind() const { return FPopupKind; }
    void SetPopupKind(TsfTrackBarPopupKind V) { FPopupKind = V; }
    Integer TrackBarWidth() const { return FTrackBarWidth; }
    void SetTrackBarWidth(Integer V) { FTrackBarWidth = V; }
    const String& TrackBarSkinDataName() const { return FTrackBarSkinDataName; }
    void SetTrackBarSkinDataName(const String& V) { FTrackBarSkinDataName = V; }
    bool JumpWhenClick() const { return FPopupTrackBar->JumpWhenClick(); }
    void SetJumpWhenClick(bool V) { FPopupTrackBar->SetJumpWhenClick(V); }
    bool TrackBarAlphaBlend = false;
    Byte TrackBarAlphaBlendValue = 0;
    bool TrackBarAlphaBlendAnimation = false;
    bool IsNumText(const String& AText) const;
    TsfSkinPopupTrackBar* PopupTrackBar() const { return FPopupTrackBar; }
    bool PopupShowing() const;
    void ShowPopup();
    void ClosePopup();

protected:
    void ButtonClick(TObject* Sender);
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMMouseWheel(TMessage& Message) override;
    void CMCancelMode(TMessage& Message) override;
    void WMChar(TWMKey& Message) override;

private:
    void TrackBarChange(TObject* Sender);
    void FadeStep();
    void StepBy(Integer Delta);

    Integer FIncrement = 1;
    bool FSupportUpDownKeys = true;
    TsfTrackBarPopupKind FPopupKind = tbpRight;
    Integer FTrackBarWidth = 0;
    String FTrackBarSkinDataName = u"htrackbar";
    bool StopCheck = false, FromEdit = false;
    Integer FMinValue = 0, FMaxValue = 100, FValue = 0;
    TsfSkinPopupTrackBar* FPopupTrackBar = nullptr;
    Integer FFadeAlpha = 0;
};

// The skinned list box, combo box and font combos (SkinBoxCtrls_Lists.cpp):
// an outer skinned frame around an owner-drawn inner list whose native
// scroll state is mirrored by skinned bars created only while needed; the
// combo box shows the selection of such a list opened as a popup. Their
// geometry, bar ranges, keys and searches live in SkinListCore.

// Draws the content of one item: Cnvs is the item's off-screen bitmap, filled
// with its background and set up with its font and colour.
using TsfDrawSkinItemEvent = std::function<void(TCanvas* Cnvs, Integer Index, Integer ItemWidth,
                                                Integer ItemHeight, const TRect& TxtRect, TOwnerDrawState State)>;

class TsfSkinCustomListBox;

// The inner list: a platform list box without a non-client area whose items
// and background the outer control paints.
class TsfListBox : public TCustomListBox {
public:
    using inherited = TCustomListBox;
    explicit TsfListBox(TComponent* AOwner);
    String ClassName() const override { return u"TsfListBox"; }

    TsfSkinCustomListBox* SkinListBox = nullptr;
    // The horizontal scroll offset of the item texts in pixels.
    Integer FHorizontalExtentValue = 0;

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    // odSelected (+ odFocused with the focus) for the selection, odSelected for
    // the other selected items of a multi-selection.
    TOwnerDrawState GetItemState(Integer Index);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void PaintWindow(HDC DC) override;
    void CNDrawItem(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Click() override;
    void DblClick() override;
    void DoEnter() override;
    void DoExit() override;

private:
    friend class TsfSkinCustomListBox;
    void PaintBG(HDC DC, const TRect& R);
};

class TsfSkinCustomListBox : public TsfSkinCustomControl {
public:
    using inherited = TsfSkinCustomControl;
    // 120 x 120, item height 20, SkinDataName "listbox".
    explicit TsfSkinCustomListBox(TComponent* AOwner);
    ~TsfSkinCustomListBox() override;
    String ClassName() const override { return u"TsfSkinCustomListBox"; }

    TsfListBox* ListBox() const { return FListBox; }
    TsfSkinScrollBar* ScrollBar() const { return FScrollBar; }
    TsfSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    TCanvas* ListBoxCanvas() const { return FListBox->Canvas(); }

    TStrings* Items() const { return FListBox->Items(); }
    void SetItems(TStrings* Value);
    Integer ItemIndex() const { return FListBox->ItemIndex(); }
    void SetItemIndex(Integer Value) { FListBox->SetItemIndex(Value); }
    Integer TopIndex() const { return FListBox->TopIndex(); }
    void SetTopIndex(Integer Value) { FListBox->SetTopIndex(Value); }
    Integer SelCount() const { return FListBox->SelCount(); }
    bool Sorted() const { return FListBox->Sorted(); }
    void SetSorted(bool Value);
    bool MultiSelect() const { return FListBox->MultiSelect(); }
    void SetMultiSelect(bool Value) { FListBox->SetMultiSelect(Value); }
    Integer Columns() const { return FListBox->Columns(); }
    void SetColumns(Integer Value);
    Integer RowCount() const { return FRowCount; }
    void SetRowCount(Integer Value);
    bool HorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool Value);
    bool UseSkinItemHeight() const { return FUseSkinItemHeight; }
    void SetUseSkinItemHeight(bool Value) { FUseSkinItemHeight = Value; }
    Integer DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(Integer Value);
    Integer DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(Integer Value);
    TFont* DefaultCaptionFont() const { return FDefaultCaptionFont.get(); }
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool Value);
    bool ShowCaptionButtons() const { return FShowCaptionButtons; }
    void SetShowCaptionButtons(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TStrings* TabWidths() const { return FTabWidths.get(); }
    void SetTabWidths(TStrings* Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TFont* ListBoxFont() const { return FListBox->Font(); }
    bool ExtandedSelect() const { return FListBox->ExtendedSelect(); }
    void SetExtandedSelect(bool Value) { FListBox->SetExtendedSelect(Value); }
    Integer ListBoxTabOrder() const { return FListBox->TabOrder(); }
    void SetListBoxTabOrder(Integer Value) { FListBox->SetTabOrder(Value); }
    bool ListBoxTabStop() const { return FListBox->TabStop(); }
    void SetListBoxTabStop(bool Value) { FListBox->SetTabStop(Value); }
    TPopupMenu* ListBoxPopupMenu() const { return FListBox->PopupMenu(); }
    void SetListBoxPopupMenu(TPopupMenu* Value) { FListBox->SetPopupMenu(Value); }
    // The caption's glyph: a strip of NumGlyphs (1 or 2) frames, the second
    // shown while disabled, Spacing pixels before the caption text.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    Integer NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(Integer Value);
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer Value);
    // Typing searches the items: the keys typed within 500 ms of each other
    // add up to a prefix. Off, the platform's own one-letter search.
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    // The inner list's own drag settings and events (a drag starts from and
    // drops onto the inner list, which is Sender, Source and Target).
    TDragMode ListBoxDragMode() const { return FListBox->DragMode(); }
    void SetListBoxDragMode(TDragMode Value) { FListBox->SetDragMode(Value); }
    TCursor ListBoxDragCursor() const { return FListBox->DragCursor(); }
    void SetListBoxDragCursor(TCursor Value) { FListBox->SetDragCursor(Value); }
    TDragDropEvent& OnListBoxDragDrop() { return FListBox->OnDragDrop; }
    TDragOverEvent& OnListBoxDragOver() { return FListBox->OnDragOver; }
    TStartDragEvent& OnListBoxStartDrag() { return FListBox->OnStartDrag; }
    TEndDragEvent& OnListBoxEndDrag() { return FListBox->OnEndDrag; }

    // The height that shows AItemsCount items.
    Integer CalcHeight(Integer AItemsCount);
    void Clear();
    Integer ItemAtPos(const TPoint& Pos, bool Existing) { return FListBox->ItemAtPos(Pos, Existing); }
    TRect ItemRect(Integer Index) { return FListBox->ItemRect(Index); }
    // Creates, ranges or removes the skinned bars after the inner list changed.
    void UpDateScrollBar();
    // The inner list's item height in use.
    Integer ItemHeight() { return SafeItemHeight(FListBox->ItemHeight()); }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TNotifyEvent OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick;
    TNotifyEvent OnListBoxClick, OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown, OnListBoxMouseUp;
    TMouseMoveEvent OnListBoxMouseMove;
    TKeyEvent OnListBoxKeyDown, OnListBoxKeyUp;
    TKeyPressEvent OnListBoxKeyPress;
    TsfDrawSkinItemEvent OnDrawItem;

protected:
    friend class TsfListBox;
    virtual Integer GetItemTextWidth(Integer Index, TCanvas* Canvas);
    virtual void ListBoxMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void ListBoxMouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void ListBoxMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(Word& Key, TShiftState Shift);
    virtual void ListBoxKeyUp(Word& Key, TShiftState Shift);
    virtual void ListBoxKeyPress(Char& Key);
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    // Runs before the inner list handles any message; Continue false keeps it from the list.
    virtual void ListBoxWProc(TMessage& Message, bool& Continue);
    virtual void ListBoxCreateWnd() {}

    void CreateParams(TCreateParams& Params) override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void OnDefaultFontChange() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void WMSize(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

    // Lays out the inner list and the bars.
    void CalcRects();
    // Paints item Index of the inner list onto DC at R.
    void PaintItem(HDC DC, Integer Index, const TRect& R, TOwnerDrawState State);
    bool HasListSkin() const { return FIndex != -1 && FHasSkin; }
    // The font of the items (skin or DefaultFont / the control's Font) onto C.
    void SetItemFont(TCanvas* C);

    TsfListBox* FListBox = nullptr;
    TsfSkinScrollBar* FScrollBar = nullptr;
    TsfSkinScrollBar* FHScrollBar = nullptr;
    bool FHasSkin = false;
    // Copies of the description.
    TsfDataSkinListBox FSkin{u""};
    TRect ListRect, NewCaptionRect;
    TsfCBButtonX Buttons[3];

private:
    void ShowScrollBar();
    void HideScrollBar();
    void ShowHScrollBar();
    void HideHScrollBar();
    void SBChange(TObject* Sender);
    void HSBChange(TObject* Sender);
    void DrawDefaultItem(TCanvas* C, Integer Index, Integer W, Integer H, TOwnerDrawState State);
    void DrawSkinItem(TsfBitmap* B, Integer Index, Integer W, Integer H, TOwnerDrawState State, bool Stretch);
    void DrawItemContent(TCanvas* C, Integer Index, const TRect& TextRect, TOwnerDrawState State, bool Skinned,
                         Integer W, Integer H);
    void DrawButton(TsfBitmap* B, Integer I);
    void DrawCaption(TCanvas* C, const TRect& R, bool Skinned);
    // The skin's caption band stretched over the caption buttons it has drawn.
    void CoverCaptionButtons(TsfBitmap* B);
    // Typed Key searched among the items (AutoComplete); true when handled.
    bool SearchKey(Char Key);
    void TestActive(Integer X, Integer Y);
    void ButtonUp(Integer I, Integer X, Integer Y);
    void StepItem(Integer Delta);
    void RepeatTimer();

    bool FShowCaptionButtons = true;
    std::unique_ptr<TStringList> FTabWidths;
    std::unique_ptr<TBitmap> FGlyph;
    Integer FNumGlyphs = 1;
    Integer FSpacing = 2;
    bool FAutoComplete = true;
    TsfTypeAhead FTypeAhead;
    bool FUseSkinItemHeight = true;
    bool FHorizontalExtent = false;
    bool FStopUpDateHScrollBar = false;
    Integer FRowCount = 0;
    TCustomImageList* FImages = nullptr;
    Integer FImageIndex = -1;
    Integer FDefaultItemHeight = 20;
    Integer FDefaultCaptionHeight = 20;
    std::unique_ptr<TFont> FDefaultCaptionFont;
    bool FCaptionMode = false;
    TAlignment FAlignment = taLeftJustify;
    Integer ActiveButton = -1, OldActiveButton = -1, CaptureButton = -1;
    Integer TimerMode = 0;
    bool WaitMode = false;
    bool FInUpdate = false;
};

class TsfSkinListBox : public TsfSkinCustomListBox {
public:
    using TsfSkinCustomListBox::TsfSkinCustomListBox;
    String ClassName() const override { return u"TsfSkinListBox"; }
};

class TsfSkinCustomComboBox;

// The combo's drop-down: a list box shown as a non-activating popup window.
class TsfPopupListBox : public TsfSkinListBox {
public:
    using inherited = TsfSkinListBox;
    explicit TsfPopupListBox(TComponent* AOwner);
    String ClassName() const override { return u"TsfPopupListBox"; }
    // Shown at Origin (screen) without activation or resizing.
    void Show(const TPoint& Origin);
    void Hide();
    bool IsShown() const;
    // The alpha last applied to the window (255 while it is not layered).
    Byte CurrentAlpha() const { return FAlpha; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

private:
    void FadeStep(Integer Target);

    bool FOldAlphaBlend = false;
    Byte FOldAlphaBlendValue = 0;
    Integer FAlpha = 255;
};

enum TsfSkinCustomComboBoxStyle { sfcbEditStyle, sfcbFixedStyle };

class TsfSkinCustomComboBox : public TsfSkinCustomControl {
public:
    using inherited = TsfSkinCustomControl;
    // 120 x 20, fixed style, 8 rows, SkinDataName "combobox".
    explicit TsfSkinCustomComboBox(TComponent* AOwner);
    ~TsfSkinCustomComboBox() override;
    String ClassName() const override { return u"TsfSkinCustomComboBox"; }

    TStrings* Items() const { return FListBox->Items(); }
    void SetItems(TStrings* Value) { FListBox->Items()->Assign(Value); }
    Integer ItemIndex() const { return FListBox->ItemIndex(); }
    // Selects Value, shows its text and fires OnClick (not while loading).
    void SetItemIndex(Integer Value);
    TsfSkinCustomComboBoxStyle Style() const { return FStyle; }
    // Switching creates or frees the inner edit; the current style again does nothing.
    void SetStyle(TsfSkinCustomComboBoxStyle Value);
    Integer DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(Integer Value)
    {
        if (Value > 0) FDropDownCount = Value;
    }
    Integer ListBoxWidth() const { return FListBoxWidth; }
    void SetListBoxWidth(Integer Value) { FListBoxWidth = Value; }
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    // The whole control drawn as a tool button that opens the list; forces
    // the fixed style and UseSkinSize off.
    bool ToolButtonStyle() const { return FToolButtonStyle; }
    void SetToolButtonStyle(bool Value);
    // Height and item area from the skin; off, the skin is stretched to any height.
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value);
    // Given to the inner edit of the edit style.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    // A translucent drop-down, optionally fading in on the skin clock.
    bool ListBoxAlphaBlend() const { return FListBoxAlphaBlend; }
    void SetListBoxAlphaBlend(bool Value) { FListBoxAlphaBlend = Value; }
    bool ListBoxAlphaBlendAnimation() const { return FListBoxAlphaBlendAnimation; }
    void SetListBoxAlphaBlendAnimation(bool Value) { FListBoxAlphaBlendAnimation = Value; }
    Byte ListBoxAlphaBlendValue() const { return FListBoxAlphaBlendValue; }
    void SetListBoxAlphaBlendValue(Byte Value) { FListBoxAlphaBlendValue = Value; }
    // The drop-down list's own look.
    String ListBoxCaption() const { return FListBox->Caption(); }
    void SetListBoxCaption(const String& Value) { FListBox->SetCaption(Value); }
    bool ListBoxCaptionMode() const { return FListBox->CaptionMode(); }
    void SetListBoxCaptionMode(bool Value) { FListBox->SetCaptionMode(Value); }
    TAlignment ListBoxCaptionAlignment() const { return FListBox->Alignment(); }
    void SetListBoxCaptionAlignment(TAlignment Value) { FListBox->SetAlignment(Value); }
    bool ListBoxUseSkinFont() const { return FListBox->UseSkinFont(); }
    void SetListBoxUseSkinFont(bool Value) { FListBox->SetUseSkinFont(Value); }
    bool ListBoxUseSkinItemHeight() const { return FListBox->UseSkinItemHeight(); }
    void SetListBoxUseSkinItemHeight(bool Value) { FListBox->SetUseSkinItemHeight(Value); }
    TFont* ListBoxDefaultFont() const { return FListBox->DefaultFont(); }
    void SetListBoxDefaultFont(TFont* Value) { FListBox->SetDefaultFont(Value); }
    TFont* ListBoxDefaultCaptionFont() const { return FListBox->DefaultCaptionFont(); }
    void SetListBoxDefaultCaptionFont(TFont* Value) { FListBox->DefaultCaptionFont()->Assign(Value); }
    Integer ListBoxDefaultItemHeight() const { return FListBox->DefaultItemHeight(); }
    void SetListBoxDefaultItemHeight(Integer Value) { FListBox->SetDefaultItemHeight(Value); }
    bool Sorted() const { return FListBox->Sorted(); }
    void SetSorted(bool Value) { FListBox->SetSorted(Value); }
    // The drop-down list's; the item area shows the same images and tabs.
    TStrings* TabWidths() const { return FListBox->TabWidths(); }
    void SetTabWidths(TStrings* Value) { FListBox->SetTabWidths(Value); }
    TCustomImageList* Images() const { return FListBox->Images(); }
    void SetImages(TCustomImageList* Value)
    {
        FListBox->SetImages(Value);
        Invalidate();
    }
    Integer ImageIndex() const { return FListBox->ImageIndex(); }
    void SetImageIndex(Integer Value)
    {
        FListBox->SetImageIndex(Value);
        Invalidate();
    }
    bool HorizontalExtent() const { return FListBox->HorizontalExtent(); }
    void SetHorizontalExtent(bool Value) { FListBox->SetHorizontalExtent(Value); }
    // Draws the content of the drop-down list's items (the list's own OnDrawItem).
    TsfDrawSkinItemEvent& OnListBoxDrawItem() { return FListBox->OnDrawItem; }
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TsfPopupListBox* ListBox() const { return FListBox; }
    TsfCustomEdit* Edit() const { return FEdit; }
    Integer SelStart() const { return FEdit ? FEdit->SelStart() : 0; }
    Integer SelLength() const { return FEdit ? FEdit->SelLength() : 0; }
    bool IsPopupVisible() const { return FListBox->IsShown(); }
    bool CanCancelDropDown();

    void DropDown();
    void CloseUp(bool AcceptValue);

    void GetSkinData() override;
    void ChangeSkinData() override;
    // Without UseSkinSize the height stays as asked and the geometry follows the width.
    void CalcSize(Integer& AWidth, Integer& AHeight) override;

    TNotifyEvent OnChange, OnClick, OnCloseUp, OnDropDown;
    TsfDrawSkinItemEvent OnComboBoxDrawItem;

protected:
    virtual void DoChange() {}
    virtual void EditWndProc(TMessage& Message);
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void SetControlRegion() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void WndProc(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMCancelMode(TMessage& Message) override;
    void CMWantSpecialKey(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

    void CalcRects();
    void DrawItemArea(TsfBitmap* B, bool Skinned);
    // The button stretched from a button description (UseSkinSize off).
    void DrawResizeButton(TsfBitmap* B);
    void DrawToolButton(TsfBitmap* B, bool Skinned);
    // The item shown in the item area, -1 for none.
    Integer ShownIndex() const;
    void ShowEditor();
    void HideEditor();
    void EditChange();
    // The edit's key release: completion by the charset's rule.
    void EditKeyUp(TMessage& Message, bool SysKey);
    // Completes the edit's text to the first item it starts, the added part selected.
    void EditAutoComplete();
    // The edit's font (skin or not) and its text colour for the current state.
    void UpdateEditFont();
    void UpdateEditColor();
    // A skin whose combo has an active look: the edit's text colour follows it.
    bool HasActiveLook() const;
    // The charset of the skin's interface strings, else DefaultFont's.
    Byte ItemCharset() const;
    void CloseUpFrom(TControl* C);
    void ProcessListBox(Integer X, Integer Y);
    void ListBoxWndProc(TMessage& Message);
    void ScrollTimer();

    TsfPopupListBox* FListBox = nullptr;
    TsfCustomEdit* FEdit = nullptr;
    TsfCBButtonX Button;
    TRect CBItemR;
    TOwnerDrawState CBItemState = 0;
    TsfDataSkinComboBox FSkin{u""};
    bool FHasSkin = false;
    TsfSkinCustomComboBoxStyle FStyle = sfcbFixedStyle;
    bool FToolButtonStyle = false;
    bool FUseSkinSize = true;
    // The inner edit of the edit style is a numeric one.
    bool FNumEdit = false;
    Integer FDropDownCount = 8;
    Integer FListBoxWidth = 0;
    bool FAutoComplete = true;
    bool FListBoxAlphaBlend = false;
    bool FListBoxAlphaBlendAnimation = false;
    Byte FListBoxAlphaBlendValue = 200;
    TColor FDefaultColor = clWindow;
    bool FMouseIn = false;
    Integer FOldItemIndex = -1;
    bool FLBDown = false;
    bool WasInLB = false;
    Integer TimerMode = 0;
    bool FromEdit = false;
    bool FDropDown = false;
    bool FHideSelection = true;
    TEditCharCase FCharCase = ecNormal;
    TsfTypeAhead FTypeAhead;
    TsfEditCompletion FEditCompletion;
    TWndMethod FListBoxWindowProc;
    TWndMethod FEditWindowProc;
};

class TsfSkinComboBox : public TsfSkinCustomComboBox {
public:
    using TsfSkinCustomComboBox::TsfSkinCustomComboBox;
    String ClassName() const override { return u"TsfSkinComboBox"; }
};

// The font families of the screen (and the printer), each shown in its own face.
enum TsfFontDevice { fdScreen, fdPrinter, fdBoth };

class TsfSkinFontComboBox : public TsfSkinCustomComboBox {
public:
    using inherited = TsfSkinCustomComboBox;
    explicit TsfSkinFontComboBox(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinFontComboBox"; }
    TsfFontDevice Device() const { return FDevice; }
    void SetDevice(TsfFontDevice Value);
    TsfFontListOptions Options() const { return FOptions; }
    void SetOptions(TsfFontListOptions Value);
    // The foTrueTypeOnly member of Options.
    bool TrueTypeOnly() const { return (FOptions & foTrueTypeOnly) != 0; }
    void SetTrueTypeOnly(bool Value) { SetOptions(Value ? FOptions | foTrueTypeOnly : FOptions & ~foTrueTypeOnly); }
    // Kept for forms that set it; the list always shows each family in its own face.
    bool UseFonts() const { return FUseFonts; }
    void SetUseFonts(bool Value);
    String FontName() { return Text(); }
    // Selects the family equal to Value ignoring case (its own spelling shown).
    void SetFontName(const String& Value);
    // The enumeration's type bits of item Index (+ sfNotSymbolFlag).
    Integer FontType(Integer Index) const;
    void PopulateList();

protected:
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;

private:
    void RebuildList();
    void FireChange();
    TsfFontDevice FDevice = fdScreen;
    TsfFontListOptions FOptions = 0;
    bool FUpdate = false;
    bool FUseFonts = false;
};

// The point sizes of one font family.
class TsfSkinFontSizeComboBox : public TsfSkinCustomComboBox {
public:
    using inherited = TsfSkinCustomComboBox;
    explicit TsfSkinFontSizeComboBox(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinFontSizeComboBox"; }
    const String& FontName() const { return FFontName; }
    // Rebuilds the list every time, also for the same name.
    void SetFontName(const String& Value);
    Integer SizeValue() const;

private:
    void BuildSizeList();
    String FFontName;
    Integer PixelsPerInch = 96;
};

// Selects the first item of Combo equal to Text (letter case counted); nothing when none.
void SelectComboItemByText(TsfSkinCustomComboBox* Combo, const String& Text);
// One wheel step of a skinned bar: Handled always set; an enabled bar moves by SmallChange.
void ScrollBarWheelStep(TsfSkinScrollBar* ScrollBar, bool Down, bool& Handled, const TPoint& MousePos);
