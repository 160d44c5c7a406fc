// SkinBoxCtrls: the skinned up-down (two arrow buttons stepping a position,
// with auto-repeat; "hupdown" / "vupdown", the skin's "resizebutton" when it
// does not take the skin's size, or a built-in look) and the skinned scroll
// box (a container whose children are scrolled by skinned scroll bars placed
// outside it). Their state lives in SkinUpDownCore and SkinScrollBoxCore.
// Windows only.
#pragma once

#include "framework/controls/win/ComCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/SkinListCore.h"
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

// ---------------------------------------------------------------------------
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
    void TestActive(Integer X, Integer Y);
    void ButtonUp(Integer I, Integer X, Integer Y);
    void StepItem(Integer Delta);
    void RepeatTimer();

    bool FShowCaptionButtons = true;
    std::unique_ptr<TStringList> FTabWidths;
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

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
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
    bool Sorted() const { return FListBox->Sorted(); }
    void SetSorted(bool Value) { FListBox->SetSorted(Value); }
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TsfPopupListBox* ListBox() const { return FListBox; }
    TCustomEdit* Edit() const { return FEdit; }
    Integer SelStart() const { return FEdit ? FEdit->SelStart() : 0; }
    Integer SelLength() const { return FEdit ? FEdit->SelLength() : 0; }
    bool IsPopupVisible() const { return FListBox->IsShown(); }
    bool CanCancelDropDown();

    void DropDown();
    void CloseUp(bool AcceptValue);

    void GetSkinData() override;
    void ChangeSkinData() override;

    TNotifyEvent OnChange, OnClick, OnCloseUp, OnDropDown;
    TsfDrawSkinItemEvent OnComboBoxDrawItem;

protected:
    virtual void DoChange() {}
    virtual void EditWndProc(TMessage& Message);
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void WndProc(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMCancelMode(TMessage& Message) override;
    void CMWantSpecialKey(TMessage& Message) override;

    void CalcRects();
    void DrawItemArea(TsfBitmap* B, bool Skinned);
    void ShowEditor();
    void HideEditor();
    void EditChange();
    void ProcessListBox(Integer X, Integer Y);
    void ListBoxWndProc(TMessage& Message);
    void ScrollTimer();

    TsfPopupListBox* FListBox = nullptr;
    TCustomEdit* FEdit = nullptr;
    TsfCBButtonX Button;
    TRect CBItemR;
    TOwnerDrawState CBItemState = 0;
    TsfDataSkinComboBox FSkin{u""};
    bool FHasSkin = false;
    TsfSkinCustomComboBoxStyle FStyle = sfcbFixedStyle;
    Integer FDropDownCount = 8;
    Integer FListBoxWidth = 0;
    bool FAutoComplete = true;
    TColor FDefaultColor = clWindow;
    bool FMouseIn = false;
    Integer FOldItemIndex = -1;
    bool FLBDown = false;
    bool WasInLB = false;
    Integer TimerMode = 0;
    bool FromEdit = false;
    bool FDropDown = false;
    TsfTypeAhead FTypeAhead;
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
