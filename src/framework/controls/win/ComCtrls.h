// ComCtrls: the common controls as thin wrappers over the platform's own
// (comctl32): the tab control, the page control with its sheets, the tree
// view with its nodes, the up-down, the track bar, the progress bar and the
// status bar with its panels. Each control keeps in fields what must outlive
// its window (tabs, nodes, ranges, panels) and puts it back when the window is
// made again. Windows only.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls/win/Controls.h"
#include "framework/controls/win/ImgList.h"

#include <commctrl.h>

// Registers the common-control window classes of ICC (ICC_ flags) once.
void InitComCtrl(DWORD ICC);

// Custom-draw states and stages shared by the controls that offer custom draw.
using TCustomDrawState = Word;
constexpr TCustomDrawState cdsSelected = 1 << 0;
constexpr TCustomDrawState cdsGrayed = 1 << 1;
constexpr TCustomDrawState cdsDisabled = 1 << 2;
constexpr TCustomDrawState cdsChecked = 1 << 3;
constexpr TCustomDrawState cdsFocused = 1 << 4;
constexpr TCustomDrawState cdsDefault = 1 << 5;
constexpr TCustomDrawState cdsHot = 1 << 6;
constexpr TCustomDrawState cdsMarked = 1 << 7;
constexpr TCustomDrawState cdsIndeterminate = 1 << 8;
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };

// ---------------------------------------------------------------------------
// Tab control: a row of tabs named by Tabs, the selected one TabIndex, and a
// client area (DisplayRect) holding ordinary child controls.
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

class TCustomTabControl;
using TTabChangingEvent = TEvent<TObject* /*Sender*/, bool& /*AllowChange*/>;
using TDrawTabEvent = TEvent<TCustomTabControl* /*Control*/, Integer /*TabIndex*/, const TRect& /*Rect*/, bool /*Active*/>;
using TTabGetImageEvent = TEvent<TObject* /*Sender*/, Integer /*TabIndex*/, Integer& /*ImageIndex*/>;

class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* AOwner);
    ~TCustomTabControl() override;
    String ClassName() const override { return u"TCustomTabControl"; }

    // The tabs' captions (their objects are the caller's).
    TStrings* Tabs() const;
    void SetTabs(TStrings* Value);
    // The selected tab, -1 none. Setting it by code fires no event.
    Integer TabIndex();
    void SetTabIndex(Integer Value);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition Value);
    // Fixed tab sizes; 0 lets the platform size tabs by their captions.
    Integer TabHeight() const { return FTabHeight; }
    void SetTabHeight(Integer Value);
    Integer TabWidth() const { return FTabWidth; }
    void SetTabWidth(Integer Value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle Value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    // Tabs drawn by DrawTab (OnDrawTab) instead of the platform.
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value);
    // Tab i shows image GetImageIndex(i) of Images (i unless OnGetImageIndex says).
    TCustomImageList* Images() const { return FImageChangeLink.Images(); }
    void SetImages(TCustomImageList* Value);

    // The client area left to the pages and child controls.
    TRect DisplayRect();
    // The tab at a client point, -1 none.
    Integer IndexOfTabAt(Integer X, Integer Y);
    // Tab Index's rectangle in client coordinates (empty when it is not shown).
    TRect TabRect(Integer Index);
    Integer RowCount();
    // The canvas OnDrawTab draws on.
    TCanvas* Canvas() const { return FCanvas.get(); }

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;
    TDrawTabEvent OnDrawTab;
    TTabGetImageEvent OnGetImageIndex;

protected:
    friend class TTabStrings;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void AdjustClientRect(TRect& Rect) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

    // OnChanging asks; false keeps the current tab.
    virtual bool CanChange();
    // After the user chose another tab: OnChange.
    virtual void Change();
    virtual void DrawTab(Integer TabIndex, const TRect& Rect, bool Active);
    virtual Integer GetImageIndex(Integer TabIndex);
    // Puts the tab list into the window again (after a change of tabs or images).
    void UpdateTabImages();
    // The window style bits the properties ask for.
    void ApplyItemSize();
    // Whether the tabs are a page control's (their objects are its sheets).
    virtual bool TabsArePages() const { return false; }

    void CNNotify(TMessage& Message) override;
    void CNDrawItem(TMessage& Message) override;
    virtual void WMSetFont(TMessage& Message);

private:
    void ImageListChange(TObject* Sender);
    // The native tab list: insertion, removal and captions.
    void NativeInsertTab(Integer Index, const String& Caption);
    void NativeDeleteTab(Integer Index);
    void NativeSetCaption(Integer Index, const String& Caption);

    std::unique_ptr<TStrings> FTabs;
    Integer FSavedTabIndex = -1;
    TTabPosition FTabPosition = tpTop;
    Integer FTabHeight = 0;
    Integer FTabWidth = 0;
    bool FMultiLine = false;
    TTabStyle FStyle = tsTabs;
    bool FHotTrack = false;
    bool FOwnerDraw = false;
    TChangeLink FImageChangeLink;
    std::unique_ptr<TCanvas> FCanvas;
};

class TTabControl : public TCustomTabControl {
public:
    using TCustomTabControl::TCustomTabControl;
    String ClassName() const override { return u"TTabControl"; }
};

// ---------------------------------------------------------------------------
// Page control: a tab control whose tabs show its sheets; the active sheet
// fills the display area and the others are hidden.
class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    String ClassName() const override { return u"TTabSheet"; }

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    // The place among the page control's pages.
    Integer PageIndex() const;
    void SetPageIndex(Integer Value);
    // The place among the shown tabs, -1 while the tab is hidden.
    Integer TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    void SetParent(TWinControl* AParent) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void CMTextChanged(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    Integer FImageIndex = -1;
    bool FTabShowing = false;
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    String ClassName() const override { return u"TPageControl"; }

    Integer PageCount() const { return static_cast<Integer>(FPages.size()); }
    TTabSheet* Pages(Integer Index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    // Shows Page (one of this control's) and hides the one before. No event.
    void SetActivePage(TTabSheet* Page);
    Integer ActivePageIndex() const;
    void SetActivePageIndex(Integer Value);
    // The page after (or before) CurPage, wrapping; with CheckTabVisible only
    // pages whose tab shows. Null when there is none.
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    // Moves to the next page as a user would: OnChanging may refuse, OnChange follows.
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

protected:
    friend class TTabSheet;
    void Change() override;
    void CMDialogKey(TMessage& Message) override;
    bool TabsArePages() const override { return true; }
    Integer GetImageIndex(Integer TabIndex) override;

private:
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    // Shows or hides a page's tab as its TabVisible and place say.
    void UpdateTab(TTabSheet* Page);
    void MovePage(TTabSheet* Page, Integer NewIndex);
    // The page of shown tab Index.
    TTabSheet* PageOfTab(Integer Index) const;
    void ChangeActivePage(TTabSheet* Page);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

// ---------------------------------------------------------------------------
// Tree view.
class TTreeNode;
class TTreeNodes;
class TCustomTreeView;

enum TNodeAttachMode { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };
enum TSortType { stNone, stData, stText, stBoth };

// Where a point lies relative to the tree's items.
using THitTests = Word;
constexpr THitTests htAbove = 1 << 0;
constexpr THitTests htBelow = 1 << 1;
constexpr THitTests htNowhere = 1 << 2;
constexpr THitTests htOnItem = 1 << 3;
constexpr THitTests htOnButton = 1 << 4;
constexpr THitTests htOnIcon = 1 << 5;
constexpr THitTests htOnIndent = 1 << 6;
constexpr THitTests htOnLabel = 1 << 7;
constexpr THitTests htOnRight = 1 << 8;
constexpr THitTests htOnStateIcon = 1 << 9;
constexpr THitTests htToLeft = 1 << 10;
constexpr THitTests htToRight = 1 << 11;

using TTVChangingEvent = TEvent<TObject* /*Sender*/, TTreeNode* /*Node*/, bool& /*AllowChange*/>;
using TTVChangedEvent = TEvent<TObject* /*Sender*/, TTreeNode* /*Node*/>;
using TTVExpandingEvent = TEvent<TObject* /*Sender*/, TTreeNode* /*Node*/, bool& /*AllowExpansion*/>;
using TTVCollapsingEvent = TEvent<TObject* /*Sender*/, TTreeNode* /*Node*/, bool& /*AllowCollapse*/>;
using TTVExpandedEvent = TEvent<TObject* /*Sender*/, TTreeNode* /*Node*/>;
using TTVEditingEvent = TEvent<TObject* /*Sender*/, TTreeNode* /*Node*/, bool& /*AllowEdit*/>;
using TTVEditedEvent = TEvent<TObject* /*Sender*/, TTreeNode* /*Node*/, String& /*S*/>;
// Compare: negative when Node1 goes first.
using TTVCompareEvent = TEvent<TObject* /*Sender*/, TTreeNode* /*Node1*/, TTreeNode* /*Node2*/, Integer /*Data*/,
                               Integer& /*Compare*/>;
using TTVCustomDrawEvent = TEvent<TCustomTreeView* /*Sender*/, const TRect& /*ARect*/, bool& /*DefaultDraw*/>;
using TTVCustomDrawItemEvent =
    TEvent<TCustomTreeView* /*Sender*/, TTreeNode* /*Node*/, TCustomDrawState /*State*/, bool& /*DefaultDraw*/>;
using TTVAdvancedCustomDrawEvent =
    TEvent<TCustomTreeView* /*Sender*/, const TRect& /*ARect*/, TCustomDrawStage /*Stage*/, bool& /*DefaultDraw*/>;
using TTVAdvancedCustomDrawItemEvent =
    TEvent<TCustomTreeView* /*Sender*/, TTreeNode* /*Node*/, TCustomDrawState /*State*/, TCustomDrawStage /*Stage*/,
           bool& /*PaintImages*/, bool& /*DefaultDraw*/>;

// One item of a tree. It holds its item handle and its own data; where it
// stands (parent, children, order, expansion) is the native tree's. Freeing
// a node deletes its item and its children.
class TTreeNode : public TPersistent {
public:
    explicit TTreeNode(TTreeNodes* AOwner);
    ~TTreeNode() override;
    String ClassName() const override { return u"TTreeNode"; }
    void Assign(TPersistent* Source) override;

    TTreeNodes* Owner() const { return FOwner; }
    TCustomTreeView* TreeView() const;
    HWND Handle() const;
    HTREEITEM ItemId() const { return FItemId; }

    const String& Text() const { return FText; }
    void SetText(const String& Value);
    void* Data() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    Integer SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(Integer Value);
    Integer StateIndex() const { return FStateIndex; }
    void SetStateIndex(Integer Value);
    Integer OverlayIndex() const { return FOverlayIndex; }
    void SetOverlayIndex(Integer Value);

    bool Expanded() const;
    void SetExpanded(bool Value);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool HasChildren() const;
    // Shows a button even without children (children added on expansion).
    void SetHasChildren(bool Value);
    bool Selected() const;
    void SetSelected(bool Value);
    bool Focused() const;
    void SetFocused(bool Value);
    bool DropTarget() const;
    void SetDropTarget(bool Value);
    bool Cut() const;
    void SetCut(bool Value);
    // All parents expanded.
    bool IsVisible() const;

    TTreeNode* Parent() const;
    Integer Count() const;
    TTreeNode* Item(Integer Index) const;
    Integer Level() const;
    Integer Index() const;
    Integer AbsoluteIndex() const;
    bool IsFirstNode() const { return !Parent() && !GetPrevSibling(); }
    TTreeNode* getFirstChild() const;
    TTreeNode* GetLastChild() const;
    TTreeNode* GetNext() const;
    TTreeNode* GetPrev() const;
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    TTreeNode* GetNextVisible() const;
    TTreeNode* GetPrevVisible() const;
    TTreeNode* GetNextChild(TTreeNode* Value) const { return Value ? Value->GetNextSibling() : nullptr; }
    TTreeNode* GetPrevChild(TTreeNode* Value) const { return Value ? Value->GetPrevSibling() : nullptr; }
    bool HasAsParent(TTreeNode* Value) const;
    Integer IndexOf(TTreeNode* Value) const;

    // The item's rectangle in the tree's client coordinates (TextOnly: the label).
    TRect DisplayRect(bool TextOnly) const;
    void MakeVisible();
    // Starts in-place editing of the label; false when refused.
    bool EditText();
    void EndEdit(bool Cancel);
    bool AlphaSort(bool Recurse = false);
    bool CustomSort(TTVCompareEvent SortProc, Integer Data, bool Recurse = false);
    // Moves the node (with its children) relative to Destination.
    void MoveTo(TTreeNode* Destination, TNodeAttachMode Mode);
    void Delete() { delete this; }
    void DeleteChildren();

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    TTreeNode* Related(UINT Code) const;
    void ExpandItem(bool AExpand, bool Recurse);
    void SetState(UINT StateMask, bool Value);
    bool GetState(UINT StateMask) const;
    void UpdateItem(UINT Mask);

    TTreeNodes* FOwner;
    HTREEITEM FItemId = nullptr;
    String FText;
    void* FData = nullptr;
    Integer FImageIndex = 0;
    Integer FSelectedIndex = 0;
    Integer FStateIndex = -1;
    Integer FOverlayIndex = -1;
    bool FDeleting = false;
};

// The nodes of one tree view.
class TTreeNodes : public TPersistent {
public:
    explicit TTreeNodes(TCustomTreeView* AOwner);
    ~TTreeNodes() override;
    String ClassName() const override { return u"TTreeNodes"; }
    void Assign(TPersistent* Source) override;

    TCustomTreeView* Owner() const { return FOwner; }
    HWND Handle() const;
    // Every node of the tree.
    Integer Count() const { return FCount; }
    // The node at an absolute index (depth first); EListError outside.
    TTreeNode* Item(Integer Index) const;
    TTreeNode* operator[](Integer Index) const { return Item(Index); }
    TTreeNode* GetFirstNode() const;
    TTreeNode* GetNode(HTREEITEM ItemId) const;

    // New nodes: after Sibling's last sibling (Add), before all of them
    // (AddFirst), as Parent's last or first child, or before Sibling (Insert).
    // A null Sibling or Parent means the top level.
    TTreeNode* Add(TTreeNode* Sibling, const String& S) { return AddObject(Sibling, S, nullptr); }
    TTreeNode* AddObject(TTreeNode* Sibling, const String& S, void* Ptr) { return AddNode(Sibling, S, Ptr, naAdd); }
    TTreeNode* AddFirst(TTreeNode* Sibling, const String& S) { return AddNode(Sibling, S, nullptr, naAddFirst); }
    TTreeNode* AddChild(TTreeNode* Parent, const String& S) { return AddChildObject(Parent, S, nullptr); }
    TTreeNode* AddChildObject(TTreeNode* Parent, const String& S, void* Ptr)
    {
        return AddNode(Parent, S, Ptr, naAddChild);
    }
    TTreeNode* AddChildFirst(TTreeNode* Parent, const String& S) { return AddNode(Parent, S, nullptr, naAddChildFirst); }
    TTreeNode* Insert(TTreeNode* Sibling, const String& S) { return InsertObject(Sibling, S, nullptr); }
    TTreeNode* InsertObject(TTreeNode* Sibling, const String& S, void* Ptr) { return AddNode(Sibling, S, Ptr, naInsert); }
    TTreeNode* AddNode(TTreeNode* Relative, const String& S, void* Ptr, TNodeAttachMode Mode);
    void Delete(TTreeNode* Node) { delete Node; }
    void Clear();
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    // Where a node attached to Relative by Mode goes.
    void InsertPosition(TTreeNode* Relative, TNodeAttachMode Mode, HTREEITEM& Parent, HTREEITEM& After) const;
    void InsertItem(TTreeNode* Node, HTREEITEM Parent, HTREEITEM After);
    // A subtree in depth-first order with levels and expansion, to put back later.
    struct TSavedNode {
        TTreeNode* Node;
        Integer Level;
        bool Expanded;
    };
    void SaveSubtree(TTreeNode* Node, Integer Level, std::vector<TSavedNode>& List) const;
    void RestoreSubtree(const std::vector<TSavedNode>& List, HTREEITEM Parent, HTREEITEM After);
    // Frees the saved nodes (no window to delete them from).
    void FreeSaved();

    TCustomTreeView* FOwner;
    Integer FCount = 0;
    Integer FUpdateCount = 0;
    // While the window is gone: every node in order, the selection and the top.
    std::vector<TSavedNode> FSaved;
    TTreeNode* FSavedSelected = nullptr;
    TTreeNode* FSavedTop = nullptr;
    // Items going away that keep their nodes (window recreated, node moved).
    bool FKeepNodes = false;
};

class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;
    String ClassName() const override { return u"TCustomTreeView"; }

    TTreeNodes* Items() const { return FTreeNodes.get(); }
    void SetItems(TTreeNodes* Value) { FTreeNodes->Assign(Value); }
    TTreeNode* Selected();
    void SetSelected(TTreeNode* Value);
    TTreeNode* TopItem();
    void SetTopItem(TTreeNode* Value);
    TTreeNode* DropTarget();
    void SetDropTarget(TTreeNode* Value);
    // The node at a client point (on its row), null none.
    TTreeNode* GetNodeAt(Integer X, Integer Y);
    THitTests GetHitTestInfoAt(Integer X, Integer Y);
    bool IsEditing();
    // The in-place edit window while a label is edited.
    HWND EditHandle();

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool Value);
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool Value);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    // The selection covers the whole row (the platform draws it only without lines).
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    // Clicking a node expands it and collapses the others.
    bool AutoExpand() const { return FAutoExpand; }
    void SetAutoExpand(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TCustomImageList* Images() const { return FImageChangeLink.Images(); }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* StateImages() const { return FStateChangeLink.Images(); }
    void SetStateImages(TCustomImageList* Value);
    // Pixels each level is indented by.
    Integer Indent();
    void SetIndent(Integer Value);
    TSortType SortType() const { return FSortType; }
    void SetSortType(TSortType Value);
    TCanvas* Canvas() const { return FCanvas.get(); }

    void FullExpand();
    void FullCollapse();
    // Sorts the top level (and every level with Recurse) by OnCompare or the text.
    bool AlphaSort(bool Recurse = true);
    bool CustomSort(TTVCompareEvent SortProc, Integer Data, bool Recurse = true);

    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TNotifyEvent OnCancelEdit;
    TTVChangedEvent OnDeletion;
    TTVChangedEvent OnAddition;
    TTVCompareEvent OnCompare;
    TTVCustomDrawEvent OnCustomDraw;
    TTVCustomDrawItemEvent OnCustomDrawItem;
    TTVAdvancedCustomDrawEvent OnAdvancedCustomDraw;
    TTVAdvancedCustomDrawItemEvent OnAdvancedCustomDrawItem;

protected:
    friend class TTreeNode;
    friend class TTreeNodes;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

    virtual bool CanChange(TTreeNode* Node);
    virtual void Change(TTreeNode* Node);
    virtual bool CanExpand(TTreeNode* Node);
    virtual void Expand(TTreeNode* Node);
    virtual bool CanCollapse(TTreeNode* Node);
    virtual void Collapse(TTreeNode* Node);
    virtual bool CanEdit(TTreeNode* Node);
    virtual void Edit(const TVITEMW& Item);
    virtual void Delete(TTreeNode* Node);
    virtual void Added(TTreeNode* Node);
    bool IsCustomDrawn(TCustomDrawStage Stage, bool Item) const;
    virtual bool CustomDraw(const TRect& ARect, TCustomDrawStage Stage);
    virtual bool CustomDrawItem(TTreeNode* Node, TCustomDrawState State, TCustomDrawStage Stage, bool& PaintImages);

    void CNNotify(TMessage& Message) override;
    void CMWantSpecialKey(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;

private:
    void ImageListChange(TObject* Sender);
    void SetStyleBit(DWORD Bit, bool On);
    void ApplyImages();
    void ApplyColors();
    LRESULT DoCustomDraw(NMTVCUSTOMDRAW& Draw);
    // Sorts Node's children (the top level for null).
    bool SortChildren(TTreeNode* Node, const TTVCompareEvent& SortProc, Integer Data, bool Recurse);

    std::unique_ptr<TTreeNodes> FTreeNodes;
    std::unique_ptr<TCanvas> FCanvas;
    TChangeLink FImageChangeLink;
    TChangeLink FStateChangeLink;
    bool FReadOnly = false;
    bool FShowLines = true;
    bool FShowRoot = true;
    bool FShowButtons = true;
    bool FHideSelection = true;
    bool FRowSelect = false;
    bool FHotTrack = false;
    bool FAutoExpand = false;
    TBorderStyle FBorderStyle = bsSingle;
    Integer FIndent = -1;  // -1: the platform's default
    TSortType FSortType = stNone;
    // Expanding or collapsing from code fires the events itself: the
    // platform's notifications for it are skipped.
    bool FManualNotify = false;
    HWND FEditHandle = nullptr;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
    String ClassName() const override { return u"TTreeView"; }
};

// ---------------------------------------------------------------------------
// Up-down: two arrows stepping Position between Min and Max, optionally
// showing it in an associated control (an edit) it sits beside.
enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };
enum TUpDownDirection { updNone, updUp, updDown };
using TUDClickEvent = TEvent<TObject* /*Sender*/, TUDBtnType /*Button*/>;
using TUDChangingEvent = TEvent<TObject* /*Sender*/, bool& /*AllowChange*/>;
using TUDChangingEventEx =
    TEvent<TObject* /*Sender*/, bool& /*AllowChange*/, Integer /*NewValue*/, TUpDownDirection /*Direction*/>;

class TCustomUpDown : public TWinControl {
public:
    explicit TCustomUpDown(TComponent* AOwner);
    ~TCustomUpDown() override;
    String ClassName() const override { return u"TCustomUpDown"; }

    Integer Min() const { return FMin; }
    void SetMin(Integer Value);
    Integer Max() const { return FMax; }
    void SetMax(Integer Value);
    Integer Position();
    void SetPosition(Integer Value);
    // The step of one click.
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value);
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* Value);
    TUDAlignButton AlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton Value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    // Past Max comes Min (and the other way round).
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value);
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool Value);
    bool Thousands() const { return FThousands; }
    void SetThousands(bool Value);

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;
    TUDChangingEventEx OnChangingEx;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    virtual bool CanChange();
    virtual bool DoCanChange(Integer NewVal, Integer Delta);
    virtual void Click(TUDBtnType Button);
    void CNNotify(TMessage& Message) override;
    virtual void CNScroll(TMessage& Message);

private:
    using TWinControl::Click;
    TWinControl* FAssociate = nullptr;
    Integer FMin = 0;
    Integer FMax = 100;
    Integer FPosition = 0;
    Integer FIncrement = 1;
    TUDAlignButton FAlignButton = udRight;
    TUDOrientation FOrientation = udVertical;
    bool FWrap = false;
    bool FArrowKeys = true;
    bool FThousands = true;
    Integer FLastDelta = 0;
    Integer FLastPosition = 0;
};

class TUpDown : public TCustomUpDown {
public:
    using TCustomUpDown::TCustomUpDown;
    String ClassName() const override { return u"TUpDown"; }
};

// ---------------------------------------------------------------------------
// Track bar: a thumb moved along a scale between Min and Max.
enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);
    String ClassName() const override { return u"TTrackBar"; }

    Integer Min() const { return FMin; }
    void SetMin(Integer Value);
    Integer Max() const { return FMax; }
    void SetMax(Integer Value);
    void SetRange(Integer AMin, Integer AMax);
    Integer Position();
    // Sets the position (kept within the range); OnChange follows a change.
    void SetPosition(Integer Value);
    // Ticks every Frequency values (tsAuto).
    Integer Frequency() const { return FFrequency; }
    void SetFrequency(Integer Value);
    // The step of an arrow key, and of a page key or a click beside the thumb.
    Integer LineSize() const { return FLineSize; }
    void SetLineSize(Integer Value);
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer Value);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation Value);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle Value);
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark Value);
    // The selected range shown on the channel; both 0 shows none.
    Integer SelStart() const { return FSelStart; }
    void SetSelStart(Integer Value);
    Integer SelEnd() const { return FSelEnd; }
    void SetSelEnd(Integer Value);
    Integer ThumbLength() const { return FThumbLength; }
    void SetThumbLength(Integer Value);
    bool SliderVisible() const { return FSliderVisible; }
    void SetSliderVisible(bool Value);
    // A tick at Value (tsManual).
    void SetTick(Integer Value);
    // The thumb's and the channel's rectangles in client coordinates.
    TRect ThumbRect();
    TRect ChannelRect();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void Changed();
    virtual void CNScroll(TMessage& Message);

private:
    void UpdateSelection();

    Integer FMin = 0;
    Integer FMax = 10;
    Integer FPosition = 0;
    Integer FFrequency = 1;
    Integer FLineSize = 1;
    Integer FPageSize = 2;
    TTrackBarOrientation FOrientation = trHorizontal;
    TTickStyle FTickStyle = tsAuto;
    TTickMark FTickMarks = tmBottomRight;
    Integer FSelStart = 0;
    Integer FSelEnd = 0;
    Integer FThumbLength = 20;
    bool FSliderVisible = true;
    std::vector<Integer> FTicks;
};

// ---------------------------------------------------------------------------
// Progress bar.
enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* AOwner);
    String ClassName() const override { return u"TProgressBar"; }

    Integer Min() const { return FMin; }
    void SetMin(Integer Value);
    Integer Max() const { return FMax; }
    void SetMax(Integer Value);
    Integer Position();
    void SetPosition(Integer Value);
    Integer Step() const { return FStep; }
    void SetStep(Integer Value);
    // Advances by Step; past Max it starts again from Min, as the platform's does.
    void StepIt();
    // Advances by Delta, held at Min and Max.
    void StepBy(Integer Delta);
    TProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation Value);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    Integer FMin = 0;
    Integer FMax = 100;
    Integer FPosition = 0;
    Integer FStep = 10;
    TProgressBarOrientation FOrientation = pbHorizontal;
    bool FSmooth = false;
};

// ---------------------------------------------------------------------------
// Status bar: a row of panels, or one simple text across it.
enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusBar;

class TStatusPanel : public TCollectionItem {
public:
    explicit TStatusPanel(TCollection* Collection);
    String ClassName() const override { return u"TStatusPanel"; }
    void Assign(TPersistent* Source) override;
    String DisplayName() const override { return FText.empty() ? TCollectionItem::DisplayName() : FText; }

    const String& Text() const { return FText; }
    void SetText(const String& Value);
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel Value);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle Value);

private:
    String FText;
    Integer FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
    TStatusPanelStyle FStyle = psText;
};

class TStatusPanels : public TOwnedCollectionOf<TStatusPanel> {
public:
    explicit TStatusPanels(TStatusBar* AOwner);
    String ClassName() const override { return u"TStatusPanels"; }
    TStatusBar* StatusBar() const { return FStatusBar; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TStatusBar* FStatusBar;
};

using TDrawPanelEvent = TEvent<TStatusBar* /*StatusBar*/, TStatusPanel* /*Panel*/, const TRect& /*Rect*/>;

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;
    String ClassName() const override { return u"TStatusBar"; }

    TStatusPanels* Panels() const { return FPanels.get(); }
    void SetPanels(TStatusPanels* Value) { FPanels->Assign(Value); }
    // One text across the bar instead of the panels.
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool Value);
    const String& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const String& Value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    // Panel Index's rectangle in client coordinates (empty outside).
    TRect PanelRect(Integer Index);
    TCanvas* Canvas() const { return FCanvas.get(); }

    TDrawPanelEvent OnDrawPanel;

protected:
    friend class TStatusPanels;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);
    void CNDrawItem(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;

private:
    // Puts the panels' widths, texts and styles into the window.
    void UpdatePanels(TStatusPanel* Only = nullptr);
    void UpdateSimpleText();

    std::unique_ptr<TStatusPanels> FPanels;
    std::unique_ptr<TCanvas> FCanvas;
    bool FSimplePanel = false;
    String FSimpleText;
    bool FSizeGrip = true;
};
