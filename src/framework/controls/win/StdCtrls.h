// StdCtrls: the standard controls as thin wrappers over the platform's own
// windows (edit, list box, combo box, buttons, scroll bar; common controls 6
// where the program's manifest asks for them), and the windowless label.
// Each control keeps its properties in fields while it has no window and
// hands them to the window when it is made; what the window holds (text,
// items, selection) is read from it while it exists. The platform's
// notifications come back reflected (CN_COMMAND ...) to named handlers.
// Windows only.
#pragma once

#include <memory>

#include "framework/controls/win/Controls.h"
#include "framework/controls/win/Forms.h"

// Makes the standard window classes of the common controls available (once).
void InitStdControls();

// True when Text marks Key as its accelerator ("&File" for f or F; "&&" is a
// plain "&").
bool IsAccel(Char Key, const String& Text);

// ---------------------------------------------------------------------------
// Sets and enumerations.
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TLeftRight { lrLeftJustify, lrRightJustify };
// The codes of a scroll bar's notifications, in the platform's order (SB_*).
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

// The state of an owner-drawn item: the platform's ODS_ flags.
using TOwnerDrawState = Cardinal;
constexpr TOwnerDrawState odSelected = 0x0001;
constexpr TOwnerDrawState odGrayed = 0x0002;
constexpr TOwnerDrawState odDisabled = 0x0004;
constexpr TOwnerDrawState odChecked = 0x0008;
constexpr TOwnerDrawState odFocused = 0x0010;
constexpr TOwnerDrawState odDefault = 0x0020;
constexpr TOwnerDrawState odHotLight = 0x0040;
constexpr TOwnerDrawState odInactive = 0x0080;
constexpr TOwnerDrawState odNoAccel = 0x0100;
constexpr TOwnerDrawState odNoFocusRect = 0x0200;
constexpr TOwnerDrawState odComboBoxEdit = 0x1000;

using TDrawItemEvent =
    TEvent<TWinControl* /*Control*/, Integer /*Index*/, const TRect& /*Rect*/, TOwnerDrawState /*State*/>;
using TMeasureItemEvent = TEvent<TWinControl* /*Control*/, Integer /*Index*/, Integer& /*Height*/>;
using TScrollEvent = TEvent<TObject* /*Sender*/, TScrollCode /*ScrollCode*/, Integer& /*ScrollPos*/>;

// ---------------------------------------------------------------------------
// A native control wrapper: the platform's window class as DefaultHandler,
// the common controls started, the platform's colours answered from Color
// and Font.
class TNativeControl : public TWinControl {
public:
    explicit TNativeControl(TComponent* AOwner);
    String ClassName() const override { return u"TNativeControl"; }

protected:
    // Subclasses ControlClassName (InitStdControls first).
    void CreateNative(TCreateParams& Params, const wchar_t* ControlClassName);
};

// ---------------------------------------------------------------------------
// Edits.
class TCustomEdit : public TNativeControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    String ClassName() const override { return u"TCustomEdit"; }

    // Characters the user may type; 0 is no limit.
    Integer MaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer Value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Shown instead of every character; 0 shows the text.
    Char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(Char Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // The text changed since it was set (the user typed).
    bool Modified();
    void SetModified(bool Value);

    // The selection: its start (0 is before the first character), its length
    // and its text; setting SelText replaces the selection (undoable).
    Integer SelStart();
    void SetSelStart(Integer Value);
    Integer SelLength();
    void SetSelLength(Integer Value);
    String SelText();
    void SetSelText(const String& Value);
    void SelectAll();
    void ClearSelection();

    bool CanUndo();
    void Undo();
    void ClearUndo();
    void Clear() { SetText(String()); }
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change();
    void CNCommand(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

    Integer FMaxLength = 0;
    bool FAutoSelect = true;
    TEditCharCase FCharCase = ecNormal;
    bool FHideSelection = true;
    bool FReadOnly = false;
    Char FPasswordChar = 0;
    TBorderStyle FBorderStyle = bsSingle;
    TAlignment FAlignment = taLeftJustify;
    bool FModified = false;   // kept while there is no window
    bool FCreating = false;   // the window is being filled: no OnChange
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    String ClassName() const override { return u"TEdit"; }
};

class TCustomMemo;

// The lines of a memo, read from and written to its text. A line break is
// CR LF; the text after the last break is a line when it is not empty.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}
    String ClassName() const override { return u"TMemoStrings"; }
    Integer Count() const override;
    String Strings(Integer Index) const override;
    void SetStrings(Integer Index, const String& S) override;
    void Insert(Integer Index, const String& S) override;
    void Delete(Integer Index) override;
    void Clear() override;
    String Text() const override;
    void SetText(const String& Value) override;

private:
    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;
    String ClassName() const override { return u"TCustomMemo"; }

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* Value) { FLines->Assign(Value); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Enter makes a new line (else it reaches the default button); Tab is
    // typed (else it moves the focus).
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    // The caret's place: line (Y) and character in it (X), from 0.
    TPoint CaretPos();
    void SetCaretPos(const TPoint& Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMGetDlgCode(TMessage& Message) override;
    void WMChar(TWMKey& Message) override;

private:
    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
    String ClassName() const override { return u"TMemo"; }
};

// ---------------------------------------------------------------------------
// The items of a list box or a combo box, kept by the window while it exists
// and in a plain list while it does not.
class TCustomListControl;

class TListControlItems : public TStrings {
public:
    explicit TListControlItems(TCustomListControl* Control) : FControl(Control) {}
    String ClassName() const override { return u"TListControlItems"; }
    Integer Count() const override;
    String Strings(Integer Index) const override;
    void SetStrings(Integer Index, const String& S) override;
    TObject* Objects(Integer Index) const override;
    void SetObjects(Integer Index, TObject* Obj) override;
    Integer Add(const String& S) override;
    Integer AddObject(const String& S, TObject* Obj) override;
    void Insert(Integer Index, const String& S) override;
    void InsertObject(Integer Index, const String& S, TObject* Obj) override;
    void Delete(Integer Index) override;
    void Clear() override;
    Integer IndexOf(const String& S) const override;

protected:
    void SetUpdateState(bool Updating) override;

private:
    void CheckIndex(Integer Index) const;
    TCustomListControl* FControl;
};

// What a list box and a combo box share: items with objects, sorting, the
// item height, owner drawing through a canvas and the messages of both.
class TCustomListControl : public TNativeControl {
public:
    explicit TCustomListControl(TComponent* AOwner);
    ~TCustomListControl() override;
    String ClassName() const override { return u"TCustomListControl"; }

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    void AddItem(const String& Item, TObject* AObject) { FItems->AddObject(Item, AObject); }
    void Clear() { FItems->Clear(); }
    Integer Count() const { return FItems->Count(); }
    virtual Integer ItemIndex() = 0;
    virtual void SetItemIndex(Integer Value) = 0;
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    // Height of an owner-drawn fixed item (and of the platform's items once
    // the window exists).
    Integer ItemHeight();
    void SetItemHeight(Integer Value);
    // Drawing surface of the owner-drawn items (bound to the item's context
    // while OnDrawItem runs).
    TCanvas* Canvas() const { return FCanvas.get(); }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    friend class TListControlItems;
    // The platform's messages for the items (list box: LB_, combo box: CB_).
    struct TItemMessages {
        UINT GetCount, GetText, GetTextLen, AddString, InsertString, DeleteString, ResetContent, GetItemData,
            SetItemData, FindStringExact, GetItemHeight, SetItemHeight, Err;
    };
    virtual const TItemMessages& Messages() const = 0;
    virtual bool IsOwnerDraw() const = 0;
    virtual bool IsOwnerDrawVariable() const = 0;

    void CreateWnd() override;
    void DestroyWnd() override;
    // Draws item Index: OnDrawItem, else its text on the selection's colours.
    virtual void DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State);
    // The height of item Index of a variable owner-drawn list.
    virtual void MeasureItem(Integer Index, Integer& Height);
    void CNDrawItem(TMessage& Message) override;
    void CNMeasureItem(TMessage& Message) override;
    // Remembers what the window holds beyond the items (selection, top
    // item) before it goes, and gives it back once it is made again.
    virtual void SaveState() {}
    virtual void RestoreState() {}

    std::unique_ptr<TListControlItems> FItems;
    std::unique_ptr<TStringList> FSaved;  // the items while there is no window
    std::unique_ptr<TControlCanvas> FCanvas;
    bool FSorted = false;
    Integer FItemHeight = 16;
    Integer FSavedIndex = -1;
};

// ---------------------------------------------------------------------------
// List boxes.
class TCustomListBox : public TCustomListControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    String ClassName() const override { return u"TCustomListBox"; }

    // The selected item (the focused one with MultiSelect); -1 for none.
    Integer ItemIndex() override;
    void SetItemIndex(Integer Value) override;
    Integer TopIndex();
    void SetTopIndex(Integer Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    // Columns of a list that scrolls sideways; 0 is one column scrolling down.
    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    // With MultiSelect: Shift and Ctrl extend the selection (else a click
    // toggles an item).
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // Selected items: -1 without MultiSelect.
    Integer SelCount();
    bool Selected(Integer Index);
    void SetSelected(Integer Index, bool Value);
    void SelectAll();
    void ClearSelection();
    void DeleteSelected();
    // Item Index's rectangle in client coordinates.
    TRect ItemRect(Integer Index);
    // The item at Pos (client coordinates): -1 outside the items when
    // Existing, else the item count.
    Integer ItemAtPos(const TPoint& Pos, bool Existing);

protected:
    const TItemMessages& Messages() const override;
    bool IsOwnerDraw() const override { return FStyle != lbStandard; }
    bool IsOwnerDrawVariable() const override { return FStyle == lbOwnerDrawVariable; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void SaveState() override;
    void RestoreState() override;
    void CNCommand(TMessage& Message) override;

private:
    TListBoxStyle FStyle = lbStandard;
    Integer FColumns = 0;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
    Integer FSavedTop = 0;
    std::vector<Integer> FSavedSelection;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    String ClassName() const override { return u"TListBox"; }
};

// ---------------------------------------------------------------------------
// Combo boxes.
class TCustomComboBox : public TCustomListControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    String ClassName() const override { return u"TCustomComboBox"; }

    Integer ItemIndex() override;
    void SetItemIndex(Integer Value) override;
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    // Items the dropped list shows without scrolling.
    Integer DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(Integer Value);
    bool DroppedDown();
    void SetDroppedDown(bool Value);
    Integer MaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer Value);
    // The selection in the edit part.
    Integer SelStart();
    void SetSelStart(Integer Value);
    Integer SelLength();
    void SetSelLength(Integer Value);
    void SelectAll();

    TNotifyEvent OnChange;       // the text changed (typed or chosen)
    TNotifyEvent OnSelect;       // the user chose an item
    TNotifyEvent OnDropDown;     // the list is about to open
    TNotifyEvent OnCloseUp;      // the list closed

protected:
    const TItemMessages& Messages() const override;
    bool IsOwnerDraw() const override { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
    bool IsOwnerDrawVariable() const override { return FStyle == csOwnerDrawVariable; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void SaveState() override;
    void RestoreState() override;
    void CNCommand(TMessage& Message) override;
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();

private:
    void AdjustDropDown();
    TComboBoxStyle FStyle = csDropDown;
    Integer FDropDownCount = 8;
    Integer FMaxLength = 0;
    bool FFilling = false;  // the window is being filled: no OnChange
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
    String ClassName() const override { return u"TComboBox"; }
};

// ---------------------------------------------------------------------------
// Buttons.
class TButtonControl : public TNativeControl {
public:
    explicit TButtonControl(TComponent* AOwner);
    String ClassName() const override { return u"TButtonControl"; }
    // The caption breaks into lines that fit.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    // Alt and the caption's accelerator click the button.
    void CMDialogChar(TMessage& Message) override;
    void CNCommand(TMessage& Message) override;
    // A click of the platform's button (BN_CLICKED).
    virtual void Clicked() { Click(); }
    bool FFocusOnAccel = true;  // the accelerator also focuses the button

private:
    bool FWordWrap = false;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);
    String ClassName() const override { return u"TButton"; }
    // Enter anywhere on the form clicks the default button (unless another
    // button has the focus); Escape clicks the cancel button.
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    // Given to the form by a click (a modal form then closes).
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    void Click() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CMDialogKey(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;

private:
    void SetButtonStyle(bool ADefault);
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;  // Enter clicks it now
    TModalResult FModalResult = mrNone;
};

class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);
    String ClassName() const override { return u"TCustomCheckBox"; }
    // Each click goes unchecked, checked, grayed (with AllowGrayed), unchecked.
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    // The caption's side: right of the box (taRightJustify) or left of it.
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Clicked() override { Toggle(); }
    virtual void Toggle();

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TLeftRight FAlignment = lrRightJustify;
};

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
    String ClassName() const override { return u"TCheckBox"; }
};

// Checking a radio button unchecks the other radio buttons on its parent.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    String ClassName() const override { return u"TRadioButton"; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Clicked() override { SetChecked(true); }
    // Focus that comes from the keyboard (the arrows within a group) checks
    // the button.
    void WMSetFocus(TMessage& Message) override;

private:
    bool FChecked = false;
    TLeftRight FAlignment = lrRightJustify;
};

// A frame with a caption around other controls.
class TCustomGroupBox : public TNativeControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    String ClassName() const override { return u"TCustomGroupBox"; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& Rect) override;
    // The platform's group box lets the mouse through to its parent; this
    // one keeps it for the controls on it.
    void WMNCHitTest(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
    String ClassName() const override { return u"TGroupBox"; }
};

// ---------------------------------------------------------------------------
// The label: text drawn on its parent, with an accelerator that focuses
// FocusControl.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    String ClassName() const override { return u"TCustomLabel"; }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TEllipsisPosition EllipsisPosition() const { return FEllipsisPosition; }
    void SetEllipsisPosition(TEllipsisPosition Value);
    // The parent shows through (else the label fills itself with Color).
    bool Transparent() const { return (FControlStyle & csOpaque) == 0; }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    void SetAutoSize(bool Value) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    // Draws (or with DT_CALCRECT measures into Rect) the caption with the
    // label's flags added to Flags; a disabled label in two tones.
    virtual void DoDrawText(TRect& Rect, UINT Flags);
    virtual String GetLabelText() { return Text(); }
    // Sizes the label to its text, keeping the side its alignment names.
    void AdjustBounds();
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;

private:
    UINT DrawFlags() const;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    TEllipsisPosition FEllipsisPosition = epNone;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
    String ClassName() const override { return u"TLabel"; }
};

// ---------------------------------------------------------------------------
// The platform's scroll bar as a control of its own.
class TScrollBar : public TNativeControl {
public:
    explicit TScrollBar(TComponent* AOwner);
    String ClassName() const override { return u"TScrollBar"; }

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    Integer Min() const { return FMin; }
    void SetMin(Integer Value) { SetParams(FPosition, Value, FMax); }
    Integer Max() const { return FMax; }
    void SetMax(Integer Value) { SetParams(FPosition, FMin, Value); }
    // Kept within Min .. Max - PageSize + 1 (Min .. Max without a page).
    Integer Position() const { return FPosition; }
    void SetPosition(Integer Value) { SetParams(Value, FMin, FMax); }
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer Value);
    Integer SmallChange() const { return FSmallChange; }
    void SetSmallChange(Integer Value) { FSmallChange = Value; }
    Integer LargeChange() const { return FLargeChange; }
    void SetLargeChange(Integer Value) { FLargeChange = Value; }
    // Sets the three at once; EInvalidOperation when Max is below Min or
    // below the page.
    void SetParams(Integer APosition, Integer AMin, Integer AMax);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, Integer& ScrollPos);
    void CNHScroll(TMessage& Message) override;
    void CNVScroll(TMessage& Message) override;

private:
    void DoScroll(TMessage& Message);
    void UpdateScrollInfo();
    Integer Highest() const { return FPageSize > 0 ? FMax - FPageSize + 1 : FMax; }
    TScrollBarKind FKind = sbHorizontal;
    Integer FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
    Integer FSmallChange = 1, FLargeChange = 1;
};
