#include "framework/controls/win/ComCtrls.h"

#include <algorithm>
#include <cstring>

#include "framework/controls/win/Forms.h"
#include "framework/runtime/SysUtils.h"

namespace {

TRect ToRect(const RECT& R)
{
    return Rect(R.left, R.top, R.right, R.bottom);
}

void ListError(Integer Index)
{
    TList::Error(u"List index out of bounds (%d)", Index);
}

// A style bit changed on a live window: the control reads it again.
void ApplyStyle(HWND Wnd, DWORD Bit, bool On)
{
    LONG_PTR style = GetWindowLongPtrW(Wnd, GWL_STYLE);
    LONG_PTR next = On ? (style | static_cast<LONG_PTR>(Bit)) : (style & ~static_cast<LONG_PTR>(Bit));
    if (next == style) return;
    SetWindowLongPtrW(Wnd, GWL_STYLE, next);
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(Wnd, nullptr, TRUE);
}

// Asks an event that may refuse (through its last argument, true on entry).
template <class TAsk, class... TArgs>
bool Allowed(const TAsk& Event, TArgs... Args)
{
    bool allow = true;
    if (Event) Event(Args..., allow);
    return allow;
}

// Points Link at Value; the control's free notification moves from the list
// it had (unless Other, its other link, still shows that list) to Value.
// False when Link had Value already.
bool RelinkImages(TComponent* Control, TChangeLink& Link, TCustomImageList* Value, const TChangeLink* Other = nullptr)
{
    TCustomImageList* old = Link.Images();
    if (old == Value) return false;
    if (old && !(Other && Other->Images() == old)) old->RemoveFreeNotification(Control);
    Link.SetImages(Value);
    if (Value) Value->FreeNotification(Control);
    return true;
}

// Sends a range (Msg of the 32-bit kind: minimum, maximum) to the window, if made.
void SendRange(HWND Wnd, UINT Msg, Integer Min, Integer Max)
{
    if (Wnd) SendMessageW(Wnd, Msg, static_cast<WPARAM>(Min), static_cast<LPARAM>(Max));
}

// The item state bit of the keyboard focus (not every header names it).
constexpr UINT TreeItemFocused = 0x0001;

TCustomDrawState DrawStateOf(UINT ItemState)
{
    TCustomDrawState s = 0;
    if (ItemState & CDIS_SELECTED) s |= cdsSelected;
    if (ItemState & CDIS_GRAYED) s |= cdsGrayed;
    if (ItemState & CDIS_DISABLED) s |= cdsDisabled;
    if (ItemState & CDIS_CHECKED) s |= cdsChecked;
    if (ItemState & CDIS_FOCUS) s |= cdsFocused;
    if (ItemState & CDIS_DEFAULT) s |= cdsDefault;
    if (ItemState & CDIS_HOT) s |= cdsHot;
    if (ItemState & CDIS_MARKED) s |= cdsMarked;
    if (ItemState & CDIS_INDETERMINATE) s |= cdsIndeterminate;
    return s;
}

} // namespace

void InitComCtrl(DWORD ICC)
{
    static DWORD done = 0;
    if ((done & ICC) == ICC) return;
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC};
    if (InitCommonControlsEx(&init)) done |= ICC;
}

// ---------------------------------------------------------------------------
// The tab control's captions: kept here whatever the window does, and put
// into the window as they change.

class TTabStrings : public TStrings {
public:
    explicit TTabStrings(TCustomTabControl* AControl) : FControl(AControl) {}
    String ClassName() const override { return u"TTabStrings"; }
    Integer Count() const override { return static_cast<Integer>(FItems.size()); }
    String Strings(Integer Index) const override
    {
        Check(Index);
        return FItems[Index].Text;
    }
    void SetStrings(Integer Index, const String& S) override
    {
        Check(Index);
        FItems[Index].Text = S;
        FControl->NativeSetCaption(Index, S);
    }
    TObject* Objects(Integer Index) const override
    {
        Check(Index);
        return FItems[Index].Object;
    }
    void SetObjects(Integer Index, TObject* Obj) override
    {
        Check(Index);
        FItems[Index].Object = Obj;
    }
    void Insert(Integer Index, const String& S) override { InsertObject(Index, S, nullptr); }
    void InsertObject(Integer Index, const String& S, TObject* Obj) override
    {
        if (Index < 0 || Index > Count()) ListError(Index);
        FItems.insert(FItems.begin() + Index, TItem{S, Obj});
        FControl->NativeInsertTab(Index, S);
    }
    void Delete(Integer Index) override
    {
        Check(Index);
        FItems.erase(FItems.begin() + Index);
        FControl->NativeDeleteTab(Index);
    }
    void Clear() override
    {
        while (!FItems.empty()) Delete(Count() - 1);
    }

private:
    struct TItem {
        String Text;
        TObject* Object;
    };
    void Check(Integer Index) const
    {
        if (Index < 0 || Index >= Count()) ListError(Index);
    }
    TCustomTabControl* FControl;
    std::vector<TItem> FItems;
};

// ---------------------------------------------------------------------------
// TCustomTabControl

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner)
{
    InitComCtrl(ICC_TAB_CLASSES);
    SetControlStyle(csAcceptsControls | csDoubleClicks);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    FTabs = std::make_unique<TTabStrings>(this);
    FCanvas = std::make_unique<TCanvas>();
    FImageChangeLink.OnChange = [this](TObject* Sender) { ImageListChange(Sender); };
}

TCustomTabControl::~TCustomTabControl() = default;

TStrings* TCustomTabControl::Tabs() const
{
    return FTabs.get();
}

void TCustomTabControl::SetTabs(TStrings* Value)
{
    FTabs->Assign(Value);
}

Integer TCustomTabControl::TabIndex()
{
    if (HandleAllocated()) return static_cast<Integer>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
    return FSavedTabIndex;
}

void TCustomTabControl::SetTabIndex(Integer Value)
{
    if (Value < -1 || Value >= FTabs->Count()) Value = -1;
    FSavedTabIndex = Value;
    if (HandleAllocated()) SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomTabControl::SetTabPosition(TTabPosition Value)
{
    SetRecreating(FTabPosition, Value);
}

void TCustomTabControl::SetTabHeight(Integer Value)
{
    if (Value < 0) Value = 0;
    if (FTabHeight == Value) return;
    FTabHeight = Value;
    ApplyItemSize();
}

void TCustomTabControl::SetTabWidth(Integer Value)
{
    if (Value < 0) Value = 0;
    if (FTabWidth == Value) return;
    bool fixedChanged = (FTabWidth == 0) != (Value == 0);
    FTabWidth = Value;
    if (fixedChanged) RecreateWnd();
    else ApplyItemSize();
}

void TCustomTabControl::SetMultiLine(bool Value)
{
    SetRecreating(FMultiLine, Value);
}

void TCustomTabControl::SetStyle(TTabStyle Value)
{
    SetRecreating(FStyle, Value);
}

void TCustomTabControl::SetHotTrack(bool Value)
{
    SetRecreating(FHotTrack, Value);
}

void TCustomTabControl::SetOwnerDraw(bool Value)
{
    SetRecreating(FOwnerDraw, Value);
}

void TCustomTabControl::SetImages(TCustomImageList* Value)
{
    if (RelinkImages(this, FImageChangeLink, Value)) ImageListChange(Value);
}

void TCustomTabControl::ImageListChange(TObject*)
{
    if (!HandleAllocated()) return;
    SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Images() ? Images()->Handle() : nullptr));
    UpdateTabImages();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    // The list has let go of the link already; the window must not keep its handle.
    if (Operation == opRemove && dynamic_cast<TCustomImageList*>(AComponent) && HandleAllocated())
        SendMessageW(FHandle, TCM_SETIMAGELIST, 0, 0);
}

void TCustomTabControl::UpdateTabImages()
{
    if (!HandleAllocated()) return;
    for (Integer i = 0; i < FTabs->Count(); ++i) {
        TCITEMW item = {};
        item.mask = TCIF_IMAGE;
        item.iImage = GetImageIndex(i);
        SendMessageW(FHandle, TCM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

Integer TCustomTabControl::GetImageIndex(Integer TabIndex)
{
    Integer index = TabIndex;
    if (OnGetImageIndex) OnGetImageIndex(this, TabIndex, index);
    return index;
}

void TCustomTabControl::NativeInsertTab(Integer Index, const String& Caption)
{
    if (!HandleAllocated()) return;
    TCITEMW item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<wchar_t*>(WStr(Caption));
    item.iImage = GetImageIndex(Index);
    if (SendMessageW(FHandle, TCM_INSERTITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item)) < 0)
        throw EOutOfResources(u"Failed to create tab");
    // Later tabs moved up one: their images follow their places.
    if (OnGetImageIndex || TabsArePages()) UpdateTabImages();
    Realign();
}

void TCustomTabControl::NativeDeleteTab(Integer Index)
{
    if (!HandleAllocated()) return;
    SendMessageW(FHandle, TCM_DELETEITEM, static_cast<WPARAM>(Index), 0);
    if (OnGetImageIndex || TabsArePages()) UpdateTabImages();
    Realign();
}

void TCustomTabControl::NativeSetCaption(Integer Index, const String& Caption)
{
    if (!HandleAllocated()) return;
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(WStr(Caption));
    SendMessageW(FHandle, TCM_SETITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
    Realign();
}

void TCustomTabControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TABCONTROLW);
    Params.Style |= WS_CLIPCHILDREN;
    if (FMultiLine) Params.Style |= TCS_MULTILINE;
    if (FTabWidth > 0) Params.Style |= TCS_FIXEDWIDTH;
    if (FOwnerDraw) Params.Style |= TCS_OWNERDRAWFIXED;
    if (FHotTrack) Params.Style |= TCS_HOTTRACK;
    if (FStyle == tsButtons) Params.Style |= TCS_BUTTONS;
    if (FStyle == tsFlatButtons) Params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    switch (FTabPosition) {
    case tpTop: break;
    case tpBottom: Params.Style |= TCS_BOTTOM; break;
    case tpLeft: Params.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case tpRight: Params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
    }
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTabControl::CreateWnd()
{
    TWinControl::CreateWnd();
    if (Images()) SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Images()->Handle()));
    for (Integer i = 0; i < FTabs->Count(); ++i) NativeInsertTab(i, FTabs->Strings(i));
    ApplyItemSize();
    if (FSavedTabIndex >= 0 && FSavedTabIndex < FTabs->Count())
        SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FSavedTabIndex), 0);
}

void TCustomTabControl::DestroyWnd()
{
    FSavedTabIndex = TabIndex();
    TWinControl::DestroyWnd();
}

void TCustomTabControl::ApplyItemSize()
{
    if (!HandleAllocated()) return;
    SendMessageW(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
    Realign();
    Invalidate();
}

TRect TCustomTabControl::DisplayRect()
{
    RECT r = {0, 0, ClientWidth(), ClientHeight()};
    if (HandleAllocated()) SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return ToRect(r);
}

void TCustomTabControl::AdjustClientRect(TRect& Rect)
{
    if (HandleAllocated()) Rect = DisplayRect();
    TWinControl::AdjustClientRect(Rect);
}

Integer TCustomTabControl::IndexOfTabAt(Integer X, Integer Y)
{
    if (!HandleAllocated()) return -1;
    TCHITTESTINFO info = {{X, Y}, 0};
    return static_cast<Integer>(SendMessageW(FHandle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

TRect TCustomTabControl::TabRect(Integer Index)
{
    RECT r = {0, 0, 0, 0};
    if (HandleAllocated() &&
        !SendMessageW(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)))
        r = RECT{0, 0, 0, 0};
    return ToRect(r);
}

Integer TCustomTabControl::RowCount()
{
    return HandleAllocated() ? static_cast<Integer>(SendMessageW(FHandle, TCM_GETROWCOUNT, 0, 0)) : 0;
}

bool TCustomTabControl::CanChange()
{
    return Allowed(OnChanging, this);
}

void TCustomTabControl::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomTabControl::DrawTab(Integer TabIndex, const TRect& Rect, bool Active)
{
    if (OnDrawTab) OnDrawTab(this, TabIndex, Rect, Active);
    else FCanvas->FillRect(Rect);
}

void TCustomTabControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); return;
    case CN_DRAWITEM: CNDrawItem(Message); return;
    case WM_SETFONT: WMSetFont(Message); return;
    default: TWinControl::Dispatch(Message);
    }
}

void TCustomTabControl::WMSetFont(TMessage& Message)
{
    // The tabs' height follows the font, and the display area with it.
    DefaultHandler(Message);
    Realign();
}

void TCustomTabControl::CNNotify(TMessage& Message)
{
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (hdr->code) {
    case TCN_SELCHANGING: Message.Result = CanChange() ? 0 : 1; return;
    case TCN_SELCHANGE:
        FSavedTabIndex = TabIndex();
        Change();
        return;
    default: Message.Result = 0;
    }
}

void TCustomTabControl::CNDrawItem(TMessage& Message)
{
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    TCanvasPaintScope scope(FCanvas.get(), item->hDC, Font(), Brush()->Color());
    DrawTab(static_cast<Integer>(item->itemID), ToRect(item->rcItem), (item->itemState & ODS_SELECTED) != 0);
    Message.Result = 1;
}

// ---------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(csAcceptsControls | csDoubleClicks);
    SetAlign(alClient);
    SetVisible(false);
    SetColor(clBtnFace);
}

TTabSheet::~TTabSheet()
{
    Destroying();
    SetPageControl(nullptr);
}

void TTabSheet::SetParent(TWinControl* AParent)
{
    // A sheet belongs to a page control through its page list.
    if (auto* pages = dynamic_cast<TPageControl*>(AParent)) {
        if (FPageControl != pages) {
            SetPageControl(pages);
            return;
        }
    } else if (FPageControl && AParent != FPageControl) {
        FPageControl->RemovePage(this);
    }
    TWinControl::SetParent(AParent);
}

void TTabSheet::SetPageControl(TPageControl* Value)
{
    if (FPageControl == Value) return;
    if (FPageControl) FPageControl->RemovePage(this);
    if (Value) {
        Value->InsertPage(this);
        TWinControl::SetParent(Value);
        Value->UpdateTab(this);
        if (!Value->FActivePage) Value->SetActivePage(this);
    } else if (Parent() && !(ComponentState() & csDestroying)) {
        TWinControl::SetParent(nullptr);
    }
}

Integer TTabSheet::PageIndex() const
{
    if (!FPageControl) return -1;
    auto& pages = FPageControl->FPages;
    return static_cast<Integer>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(Integer Value)
{
    if (FPageControl) FPageControl->MovePage(this, Value);
}

Integer TTabSheet::TabIndex() const
{
    if (!FTabShowing || !FPageControl) return -1;
    Integer index = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this) return index;
        if (page->FTabShowing) ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool Value)
{
    if (FTabVisible == Value) return;
    FTabVisible = Value;
    if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::SetImageIndex(Integer Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    if (FPageControl) FPageControl->UpdateTabImages();
}

void TTabSheet::CMTextChanged(TMessage& Message)
{
    TWinControl::CMTextChanged(Message);
    if (FPageControl && FTabShowing) {
        Integer index = TabIndex();
        FPageControl->Tabs()->SetStrings(index, Text());
    }
}

void TTabSheet::CMShowingChanged(TMessage& Message)
{
    TWinControl::CMShowingChanged(Message);
    if (Showing()) {
        if (OnShow) OnShow(this);
    } else if (OnHide) {
        OnHide(this);
    }
}

// ---------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl()
{
    Destroying();
    for (TTabSheet* page : FPages) page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(Integer Index) const
{
    if (Index < 0 || Index >= PageCount()) ListError(Index);
    return FPages[Index];
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    FPages.push_back(Page);
    Page->FPageControl = this;
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    auto it = std::find(FPages.begin(), FPages.end(), Page);
    if (it == FPages.end()) return;
    TTabSheet* next = nullptr;
    if (Page == FActivePage && !(ComponentState() & csDestroying)) {
        next = FindNextPage(Page, true, true);
        if (next == Page) next = nullptr;
    }
    Page->SetTabVisible(false);  // takes its tab away
    Page->FTabVisible = true;
    FPages.erase(std::find(FPages.begin(), FPages.end(), Page));
    Page->FPageControl = nullptr;
    if (Page == FActivePage) {
        FActivePage = nullptr;
        if (next) SetActivePage(next);
    }
}

void TPageControl::UpdateTab(TTabSheet* Page)
{
    bool show = Page->FTabVisible;
    if (show == Page->FTabShowing) {
        UpdateTabImages();
        return;
    }
    if (show) {
        Page->FTabShowing = true;
        Tabs()->InsertObject(Page->TabIndex(), Page->Text(), Page);
    } else {
        Integer index = Page->TabIndex();
        Page->FTabShowing = false;
        Tabs()->Delete(index);
    }
    // The selected tab follows the active page.
    SetTabIndex(FActivePage ? FActivePage->TabIndex() : -1);
}

void TPageControl::MovePage(TTabSheet* Page, Integer NewIndex)
{
    Integer count = PageCount();
    if (NewIndex < 0 || NewIndex >= count) ListError(NewIndex);
    bool showing = Page->FTabShowing;
    if (showing) {
        Page->FTabVisible = false;
        UpdateTab(Page);
        Page->FTabVisible = true;
    }
    FPages.erase(std::find(FPages.begin(), FPages.end(), Page));
    FPages.insert(FPages.begin() + NewIndex, Page);
    if (showing) UpdateTab(Page);
}

TTabSheet* TPageControl::PageOfTab(Integer Index) const
{
    if (Index < 0) return nullptr;
    for (TTabSheet* page : FPages)
        if (page->FTabShowing && Index-- == 0) return page;
    return nullptr;
}

Integer TPageControl::ActivePageIndex() const
{
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(Integer Value)
{
    SetActivePage(Value >= 0 && Value < PageCount() ? FPages[Value] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page && Page->FPageControl != this) return;
    ChangeActivePage(Page);
    SetTabIndex(Page ? Page->TabIndex() : -1);
}

void TPageControl::ChangeActivePage(TTabSheet* Page)
{
    if (FActivePage == Page) return;
    TTabSheet* old = FActivePage;
    FActivePage = Page;
    if (Page) {
        Page->BringToFront();
        Page->SetVisible(true);
    }
    if (old && old->FPageControl == this) old->SetVisible(false);
}

Integer TPageControl::GetImageIndex(Integer TabIndex)
{
    TTabSheet* page = PageOfTab(TabIndex);
    Integer index = page ? page->ImageIndex() : TabIndex;
    if (OnGetImageIndex) OnGetImageIndex(this, TabIndex, index);
    return index;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const
{
    Integer count = PageCount();
    if (count == 0) return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), CurPage);
    Integer start = it == FPages.end() ? (GoForward ? count - 1 : 0) : static_cast<Integer>(it - FPages.begin());
    Integer i = start;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = FPages[i];
        if (!CheckTabVisible || page->TabVisible()) return page;
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible)
{
    TTabSheet* page = FindNextPage(FActivePage, GoForward, CheckTabVisible);
    if (!page || page == FActivePage || !CanChange()) return;
    SetActivePage(page);
    Change();
}

void TPageControl::Change()
{
    // The user chose a tab: its page comes to the front first.
    if (HandleAllocated()) ChangeActivePage(PageOfTab(TabIndex()));
    TCustomTabControl::Change();
}

void TPageControl::CMDialogKey(TMessage& Message)
{
    // Ctrl+Tab and Ctrl+Shift+Tab go through the pages of the control that
    // holds the focus.
    if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && HandleAllocated()) {
        HWND focus = GetFocus();
        if (focus && (focus == FHandle || IsChild(FHandle, focus))) {
            SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
            Message.Result = 1;
            return;
        }
    }
    TCustomTabControl::CMDialogKey(Message);
}

// ---------------------------------------------------------------------------
// TTreeNode

TTreeNode::TTreeNode(TTreeNodes* AOwner) : FOwner(AOwner)
{
    ++FOwner->FCount;
}

TTreeNode::~TTreeNode()
{
    FDeleting = true;
    TCustomTreeView* tree = FOwner->FOwner;
    if (FItemId && tree->HandleAllocated()) {
        // The platform tells of every item that goes; the children are freed then.
        SendMessageW(tree->FHandle, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(FItemId));
    } else {
        auto& saved = FOwner->FSaved;
        auto it = std::find_if(saved.begin(), saved.end(), [&](const TTreeNodes::TSavedNode& S) { return S.Node == this; });
        if (it != saved.end()) {
            auto end = it + 1;
            while (end != saved.end() && end->Level > it->Level) ++end;
            std::vector<TTreeNode*> children;
            for (auto c = it + 1; c != end; ++c) children.push_back(c->Node);
            saved.erase(it, end);
            if (FOwner->FSavedSelected == this) FOwner->FSavedSelected = nullptr;
            if (FOwner->FSavedTop == this) FOwner->FSavedTop = nullptr;
            for (TTreeNode* c : children) {
                if (FOwner->FSavedSelected == c) FOwner->FSavedSelected = nullptr;
                if (FOwner->FSavedTop == c) FOwner->FSavedTop = nullptr;
                delete c;
            }
        }
    }
    --FOwner->FCount;
}

void TTreeNode::Assign(TPersistent* Source)
{
    if (auto* n = dynamic_cast<TTreeNode*>(Source)) {
        SetText(n->FText);
        FData = n->FData;
        SetImageIndex(n->FImageIndex);
        SetSelectedIndex(n->FSelectedIndex);
        SetStateIndex(n->FStateIndex);
        SetOverlayIndex(n->FOverlayIndex);
        return;
    }
    TPersistent::Assign(Source);
}

TCustomTreeView* TTreeNode::TreeView() const
{
    return FOwner->FOwner;
}

HWND TTreeNode::Handle() const
{
    return FOwner->Handle();
}

void TTreeNode::UpdateItem(UINT Mask)
{
    if (!FItemId || !TreeView()->HandleAllocated()) return;
    TVITEMW item = {};
    item.mask = Mask | TVIF_HANDLE;
    item.hItem = FItemId;
    item.pszText = const_cast<wchar_t*>(WStr(FText));
    item.iImage = FImageIndex;
    item.iSelectedImage = FSelectedIndex;
    if (Mask & TVIF_STATE) {
        item.stateMask = TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK;
        item.state = INDEXTOSTATEIMAGEMASK(FStateIndex >= 0 ? FStateIndex : 0) |
                     INDEXTOOVERLAYMASK(FOverlayIndex >= 0 ? FOverlayIndex : 0);
    }
    SendMessageW(TreeView()->FHandle, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetText(const String& Value)
{
    FText = Value;
    UpdateItem(TVIF_TEXT);
}

void TTreeNode::SetImageIndex(Integer Value)
{
    FImageIndex = Value;
    UpdateItem(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(Integer Value)
{
    FSelectedIndex = Value;
    UpdateItem(TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetStateIndex(Integer Value)
{
    FStateIndex = Value;
    UpdateItem(TVIF_STATE);
}

void TTreeNode::SetOverlayIndex(Integer Value)
{
    FOverlayIndex = Value;
    UpdateItem(TVIF_STATE);
}

bool TTreeNode::GetState(UINT StateMask) const
{
    if (!FItemId) return false;
    TVITEMW item = {};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = FItemId;
    item.stateMask = StateMask;
    SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return (item.state & StateMask) != 0;
}

void TTreeNode::SetState(UINT StateMask, bool Value)
{
    TVITEMW item = {};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = FItemId;
    item.stateMask = StateMask;
    item.state = Value ? StateMask : 0;
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

TTreeNode* TTreeNode::Related(UINT Code) const
{
    HWND wnd = Handle();
    if (!FItemId) return nullptr;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, Code, reinterpret_cast<LPARAM>(FItemId)));
    return FOwner->GetNode(item);
}

bool TTreeNode::Expanded() const
{
    return GetState(TVIS_EXPANDED);
}

void TTreeNode::SetExpanded(bool Value)
{
    if (Value) Expand(false);
    else Collapse(false);
}

void TTreeNode::Expand(bool Recurse)
{
    ExpandItem(true, Recurse);
}

void TTreeNode::Collapse(bool Recurse)
{
    ExpandItem(false, Recurse);
}

void TTreeNode::ExpandItem(bool AExpand, bool Recurse)
{
    TCustomTreeView* tree = TreeView();
    HWND wnd = Handle();
    if (AExpand != Expanded() && (HasChildren() || !AExpand)) {
        // The events come from here; the platform's own notifications of
        // this expansion are skipped.
        bool allow = AExpand ? tree->CanExpand(this) : tree->CanCollapse(this);
        if (allow && StillControlOf(tree, wnd)) {
            {
                tree->FManualNotify = true;
                auto Restore = ScopeExit([&] { tree->FManualNotify = false; });
                SendMessageW(wnd, TVM_EXPAND, AExpand ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItemId));
            }
            if (AExpand) tree->Expand(this);
            else tree->Collapse(this);
        }
    }
    if (Recurse)
        for (TTreeNode* c = getFirstChild(); c; c = c->GetNextSibling()) c->ExpandItem(AExpand, true);
}

bool TTreeNode::HasChildren() const
{
    if (!FItemId) return false;
    TVITEMW item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = FItemId;
    SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.cChildren > 0 || getFirstChild() != nullptr;
}

void TTreeNode::SetHasChildren(bool Value)
{
    TVITEMW item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = FItemId;
    item.cChildren = Value ? 1 : 0;
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool TTreeNode::Selected() const
{
    HWND wnd = Handle();
    return FItemId && reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_CARET, 0)) == FItemId;
}

void TTreeNode::SetSelected(bool Value)
{
    HWND wnd = Handle();
    if (Value) SendMessageW(wnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FItemId));
    else if (Selected()) SendMessageW(wnd, TVM_SELECTITEM, TVGN_CARET, 0);
}

bool TTreeNode::Focused() const
{
    return GetState(TreeItemFocused);
}

void TTreeNode::SetFocused(bool Value)
{
    SetState(TreeItemFocused, Value);
}

bool TTreeNode::DropTarget() const
{
    HWND wnd = Handle();
    return FItemId && reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0)) == FItemId;
}

void TTreeNode::SetDropTarget(bool Value)
{
    HWND wnd = Handle();
    if (Value) SendMessageW(wnd, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(FItemId));
    else if (DropTarget()) SendMessageW(wnd, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
}

bool TTreeNode::Cut() const
{
    return GetState(TVIS_CUT);
}

void TTreeNode::SetCut(bool Value)
{
    SetState(TVIS_CUT, Value);
}

bool TTreeNode::IsVisible() const
{
    for (TTreeNode* p = Parent(); p; p = p->Parent())
        if (!p->Expanded()) return false;
    return true;
}

TTreeNode* TTreeNode::Parent() const
{
    return Related(TVGN_PARENT);
}

TTreeNode* TTreeNode::getFirstChild() const
{
    return Related(TVGN_CHILD);
}

TTreeNode* TTreeNode::GetLastChild() const
{
    TTreeNode* last = getFirstChild();
    if (!last) return nullptr;
    while (TTreeNode* next = last->GetNextSibling()) last = next;
    return last;
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    return Related(TVGN_NEXT);
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    return Related(TVGN_PREVIOUS);
}

TTreeNode* TTreeNode::GetNextVisible() const
{
    return IsVisible() ? Related(TVGN_NEXTVISIBLE) : nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const
{
    return IsVisible() ? Related(TVGN_PREVIOUSVISIBLE) : nullptr;
}

TTreeNode* TTreeNode::GetNext() const
{
    if (TTreeNode* child = getFirstChild()) return child;
    for (const TTreeNode* n = this; n; n = n->Parent())
        if (TTreeNode* sibling = n->GetNextSibling()) return sibling;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const
{
    TTreeNode* prev = GetPrevSibling();
    if (!prev) return Parent();
    while (TTreeNode* last = prev->GetLastChild()) prev = last;
    return prev;
}

Integer TTreeNode::Count() const
{
    Integer n = 0;
    for (TTreeNode* c = getFirstChild(); c; c = c->GetNextSibling()) ++n;
    return n;
}

TTreeNode* TTreeNode::Item(Integer Index) const
{
    TTreeNode* c = Index >= 0 ? getFirstChild() : nullptr;
    for (Integer i = 0; c && i < Index; ++i) c = c->GetNextSibling();
    if (!c) ListError(Index);
    return c;
}

Integer TTreeNode::Level() const
{
    Integer level = 0;
    for (TTreeNode* p = Parent(); p; p = p->Parent()) ++level;
    return level;
}

Integer TTreeNode::Index() const
{
    Integer index = 0;
    for (TTreeNode* p = GetPrevSibling(); p; p = p->GetPrevSibling()) ++index;
    return index;
}

Integer TTreeNode::AbsoluteIndex() const
{
    Integer index = 0;
    for (TTreeNode* p = GetPrev(); p; p = p->GetPrev()) ++index;
    return index;
}

bool TTreeNode::HasAsParent(TTreeNode* Value) const
{
    if (!Value) return false;
    for (TTreeNode* p = Parent(); p; p = p->Parent())
        if (p == Value) return true;
    return false;
}

Integer TTreeNode::IndexOf(TTreeNode* Value) const
{
    Integer index = 0;
    for (TTreeNode* c = getFirstChild(); c; c = c->GetNextSibling(), ++index)
        if (c == Value) return index;
    return -1;
}

TRect TTreeNode::DisplayRect(bool TextOnly) const
{
    HWND wnd = Handle();
    // The item goes in where the rectangle comes back.
    RECT r = {};
    HTREEITEM item = FItemId;
    memcpy(&r, &item, sizeof(item));
    if (!FItemId || !SendMessageW(wnd, TVM_GETITEMRECT, TextOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&r)))
        return TRect();
    return ToRect(r);
}

void TTreeNode::MakeVisible()
{
    SendMessageW(Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItemId));
}

bool TTreeNode::EditText()
{
    TCustomTreeView* tree = TreeView();
    HWND wnd = Handle();
    // The platform edits only in a tree that has the focus.
    if (tree->CanFocus()) tree->SetFocus();
    return SendMessageW(wnd, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(FItemId)) != 0;
}

void TTreeNode::EndEdit(bool Cancel)
{
    SendMessageW(Handle(), TVM_ENDEDITLABELNOW, Cancel ? TRUE : FALSE, 0);
}

bool TTreeNode::AlphaSort(bool Recurse)
{
    return TreeView()->SortChildren(this, {}, 0, Recurse);
}

bool TTreeNode::CustomSort(TTVCompareEvent SortProc, Integer Data, bool Recurse)
{
    return TreeView()->SortChildren(this, SortProc, Data, Recurse);
}

void TTreeNode::DeleteChildren()
{
    while (TTreeNode* c = getFirstChild()) delete c;
}

void TTreeNode::MoveTo(TTreeNode* Destination, TNodeAttachMode Mode)
{
    if (Destination == this) return;
    if (Destination && Destination->HasAsParent(this))
        throw EInvalidOperation(u"A node cannot be moved under one of its own children");
    HWND wnd = Handle();
    // The new place, by nodes: they stay while this one's items go.
    TTreeNode* parent = nullptr;
    TTreeNode* after = nullptr;
    HTREEITEM afterSpecial = TVI_LAST;
    switch (Mode) {
    case naAdd:
    case naAddFirst:
        parent = Destination ? Destination->Parent() : nullptr;
        afterSpecial = Mode == naAdd ? TVI_LAST : TVI_FIRST;
        break;
    case naAddChild:
    case naAddChildFirst:
        parent = Destination;
        afterSpecial = Mode == naAddChild ? TVI_LAST : TVI_FIRST;
        break;
    case naInsert:
        parent = Destination ? Destination->Parent() : nullptr;
        after = Destination ? Destination->GetPrevSibling() : nullptr;
        if (after == this) after = GetPrevSibling();
        afterSpecial = Destination ? TVI_FIRST : TVI_LAST;
        break;
    }
    TCustomTreeView* tree = TreeView();
    bool wasSelected = Selected();
    std::vector<TTreeNodes::TSavedNode> list;
    FOwner->SaveSubtree(this, 0, list);
    {
        FOwner->FKeepNodes = true;
        auto Restore = ScopeExit([&] { FOwner->FKeepNodes = false; });
        SendMessageW(wnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(FItemId));
    }
    for (auto& s : list) s.Node->FItemId = nullptr;
    FOwner->RestoreSubtree(list, parent ? parent->FItemId : TVI_ROOT, after ? after->FItemId : afterSpecial);
    if (wasSelected) tree->SetSelected(this);
}

// ---------------------------------------------------------------------------
// TTreeNodes

TTreeNodes::TTreeNodes(TCustomTreeView* AOwner) : FOwner(AOwner) {}

TTreeNodes::~TTreeNodes()
{
    FreeSaved();
}

HWND TTreeNodes::Handle() const
{
    return FOwner->Handle();
}

TTreeNode* TTreeNodes::GetNode(HTREEITEM ItemId) const
{
    if (!ItemId || !FOwner->HandleAllocated()) return nullptr;
    TVITEMW item = {};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = ItemId;
    if (!SendMessageW(FOwner->FHandle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<TTreeNode*>(item.lParam);
}

TTreeNode* TTreeNodes::GetFirstNode() const
{
    HWND wnd = Handle();
    return GetNode(reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
}

TTreeNode* TTreeNodes::Item(Integer Index) const
{
    if (Index < 0 || Index >= FCount) ListError(Index);
    TTreeNode* n = GetFirstNode();
    for (Integer i = 0; n && i < Index; ++i) n = n->GetNext();
    if (!n) ListError(Index);
    return n;
}

void TTreeNodes::InsertPosition(TTreeNode* Relative, TNodeAttachMode Mode, HTREEITEM& Parent, HTREEITEM& After) const
{
    auto parentOf = [](TTreeNode* Node) {
        TTreeNode* p = Node ? Node->Parent() : nullptr;
        return p ? p->FItemId : TVI_ROOT;
    };
    switch (Mode) {
    case naAdd:
    case naAddFirst:
        Parent = parentOf(Relative);
        After = Mode == naAdd ? TVI_LAST : TVI_FIRST;
        break;
    case naAddChild:
    case naAddChildFirst:
        Parent = Relative ? Relative->FItemId : TVI_ROOT;
        After = Mode == naAddChild ? TVI_LAST : TVI_FIRST;
        break;
    case naInsert: {
        Parent = parentOf(Relative);
        TTreeNode* prev = Relative ? Relative->GetPrevSibling() : nullptr;
        After = prev ? prev->FItemId : (Relative ? TVI_FIRST : TVI_LAST);
        break;
    }
    }
}

void TTreeNodes::InsertItem(TTreeNode* Node, HTREEITEM Parent, HTREEITEM After)
{
    TVINSERTSTRUCTW is = {};
    is.hParent = Parent;
    is.hInsertAfter = After;
    is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    is.item.pszText = const_cast<wchar_t*>(WStr(Node->FText));
    is.item.lParam = reinterpret_cast<LPARAM>(Node);
    is.item.iImage = Node->FImageIndex;
    is.item.iSelectedImage = Node->FSelectedIndex;
    is.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK;
    is.item.state = INDEXTOSTATEIMAGEMASK(Node->FStateIndex >= 0 ? Node->FStateIndex : 0) |
                    INDEXTOOVERLAYMASK(Node->FOverlayIndex >= 0 ? Node->FOverlayIndex : 0);
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(FOwner->FHandle, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&is)));
    if (!item) throw EOutOfResources(u"Failed to create tree node");
    Node->FItemId = item;
}

TTreeNode* TTreeNodes::AddNode(TTreeNode* Relative, const String& S, void* Ptr, TNodeAttachMode Mode)
{
    Handle();
    HTREEITEM parent = TVI_ROOT, after = TVI_LAST;
    InsertPosition(Relative, Mode, parent, after);
    auto* node = new TTreeNode(this);
    node->FText = S;
    node->FData = Ptr;
    try {
        InsertItem(node, parent, after);
    } catch (...) {
        delete node;
        throw;
    }
    if (FOwner->FSortType == stText || FOwner->FSortType == stBoth)
        FOwner->SortChildren(GetNode(parent == TVI_ROOT ? nullptr : parent), {}, 0, false);
    FOwner->Added(node);
    return node;
}

void TTreeNodes::Clear()
{
    FreeSaved();
    if (FOwner->HandleAllocated() && FCount > 0) {
        auto Update = UpdateScope(*this);
        SendMessageW(FOwner->FHandle, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    }
}

void TTreeNodes::FreeSaved()
{
    std::vector<TSavedNode> saved;
    saved.swap(FSaved);
    FSavedSelected = nullptr;
    FSavedTop = nullptr;
    for (auto& s : saved) {
        s.Node->FItemId = nullptr;
        delete s.Node;
    }
}

void TTreeNodes::BeginUpdate()
{
    if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) SendMessageW(FOwner->FHandle, WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate()
{
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FOwner->HandleAllocated()) {
        SendMessageW(FOwner->FHandle, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(FOwner->FHandle, nullptr, TRUE);
    }
}

void TTreeNodes::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TTreeNodes*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    auto Update = UpdateScope(*this);
    Clear();
    // Copies level by level: each source node's copy goes under its parent's copy.
    std::vector<TTreeNode*> parents;
    for (TTreeNode* n = src->GetFirstNode(); n; n = n->GetNext()) {
        Integer level = n->Level();
        parents.resize(static_cast<size_t>(level));
        TTreeNode* copy = AddChildObject(level > 0 ? parents[static_cast<size_t>(level) - 1] : nullptr, n->Text(), n->Data());
        copy->Assign(n);
        parents.push_back(copy);
    }
}

void TTreeNodes::SaveSubtree(TTreeNode* Node, Integer Level, std::vector<TSavedNode>& List) const
{
    List.push_back(TSavedNode{Node, Level, Node->Expanded()});
    for (TTreeNode* c = Node->getFirstChild(); c; c = c->GetNextSibling()) SaveSubtree(c, Level + 1, List);
}

void TTreeNodes::RestoreSubtree(const std::vector<TSavedNode>& List, HTREEITEM Parent, HTREEITEM After)
{
    if (List.empty()) return;
    Integer base = List.front().Level;
    std::vector<HTREEITEM> levels;  // the last item put at each level
    for (const TSavedNode& s : List) {
        size_t depth = static_cast<size_t>(s.Level - base);
        HTREEITEM parent = depth == 0 ? Parent : levels[depth - 1];
        HTREEITEM after = depth == 0 ? (levels.empty() ? After : levels[0]) : TVI_LAST;
        InsertItem(s.Node, parent, after);
        levels.resize(depth + 1);
        levels[depth] = s.Node->FItemId;
    }
    FOwner->FManualNotify = true;
    auto Restore = ScopeExit([&] { FOwner->FManualNotify = false; });
    for (const TSavedNode& s : List)
        if (s.Expanded)
            SendMessageW(FOwner->FHandle, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(s.Node->FItemId));
}

// ---------------------------------------------------------------------------
// TCustomTreeView

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner)
{
    InitComCtrl(ICC_TREEVIEW_CLASSES);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    FTreeNodes = std::make_unique<TTreeNodes>(this);
    FCanvas = std::make_unique<TCanvas>();
    FImageChangeLink.OnChange = [this](TObject* Sender) { ImageListChange(Sender); };
    FStateChangeLink.OnChange = [this](TObject* Sender) { ImageListChange(Sender); };
}

TCustomTreeView::~TCustomTreeView()
{
    Destroying();
    FTreeNodes->Clear();
}

void TCustomTreeView::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TREEVIEWW);
    // Dragging is the framework's, not the platform's.
    Params.Style |= TVS_DISABLEDRAGDROP;
    if (FShowLines) Params.Style |= TVS_HASLINES;
    if (FShowRoot) Params.Style |= TVS_LINESATROOT;
    if (FShowButtons) Params.Style |= TVS_HASBUTTONS;
    if (!FReadOnly) Params.Style |= TVS_EDITLABELS;
    if (!FHideSelection) Params.Style |= TVS_SHOWSELALWAYS;
    if (FRowSelect) Params.Style |= TVS_FULLROWSELECT;
    if (FHotTrack) Params.Style |= TVS_TRACKSELECT;
    if (FAutoExpand) Params.Style |= TVS_SINGLEEXPAND;
    if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTreeView::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyColors();
    ApplyImages();
    if (FIndent >= 0) SendMessageW(FHandle, TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
    if (!FTreeNodes->FSaved.empty()) {
        std::vector<TTreeNodes::TSavedNode> saved;
        saved.swap(FTreeNodes->FSaved);
        TTreeNode* selected = FTreeNodes->FSavedSelected;
        TTreeNode* top = FTreeNodes->FSavedTop;
        FTreeNodes->FSavedSelected = nullptr;
        FTreeNodes->FSavedTop = nullptr;
        FTreeNodes->RestoreSubtree(saved, TVI_ROOT, TVI_LAST);
        if (selected) SendMessageW(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected->FItemId));
        if (top) SendMessageW(FHandle, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(top->FItemId));
    }
}

void TCustomTreeView::DestroyWnd()
{
    if (FTreeNodes->FCount > 0 && !(ComponentState() & csDestroying)) {
        // The nodes outlive the window: their order, levels and expansion are
        // kept and put back into the next window.
        std::vector<TTreeNodes::TSavedNode> saved;
        for (TTreeNode* n = FTreeNodes->GetFirstNode(); n; n = n->GetNextSibling()) FTreeNodes->SaveSubtree(n, 0, saved);
        FTreeNodes->FSavedSelected = Selected();
        FTreeNodes->FSavedTop = TopItem();
        {
            FTreeNodes->FKeepNodes = true;
            auto Restore = ScopeExit([&] { FTreeNodes->FKeepNodes = false; });
            TWinControl::DestroyWnd();
        }
        for (auto& s : saved) s.Node->FItemId = nullptr;
        FTreeNodes->FSaved = std::move(saved);
        return;
    }
    TWinControl::DestroyWnd();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && dynamic_cast<TCustomImageList*>(AComponent)) ApplyImages();
}

void TCustomTreeView::ImageListChange(TObject*)
{
    ApplyImages();
}

void TCustomTreeView::ApplyImages()
{
    if (!HandleAllocated()) return;
    SendMessageW(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(Images() ? Images()->Handle() : nullptr));
    SendMessageW(FHandle, TVM_SETIMAGELIST, TVSIL_STATE,
                 reinterpret_cast<LPARAM>(StateImages() ? StateImages()->Handle() : nullptr));
}

void TCustomTreeView::ApplyColors()
{
    if (!HandleAllocated()) return;
    SendMessageW(FHandle, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    SendMessageW(FHandle, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
}

void TCustomTreeView::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    ApplyColors();
}

void TCustomTreeView::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    ApplyColors();
}

void TCustomTreeView::SetImages(TCustomImageList* Value)
{
    if (RelinkImages(this, FImageChangeLink, Value, &FStateChangeLink)) ApplyImages();
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value)
{
    if (RelinkImages(this, FStateChangeLink, Value, &FImageChangeLink)) ApplyImages();
}

void TCustomTreeView::SetStyleBit(DWORD Bit, bool On)
{
    if (HandleAllocated()) ApplyStyle(FHandle, Bit, On);
}

void TCustomTreeView::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    SetStyleBit(TVS_EDITLABELS, !Value);
}

void TCustomTreeView::SetShowLines(bool Value)
{
    FShowLines = Value;
    SetStyleBit(TVS_HASLINES, Value);
}

void TCustomTreeView::SetShowRoot(bool Value)
{
    FShowRoot = Value;
    SetStyleBit(TVS_LINESATROOT, Value);
}

void TCustomTreeView::SetShowButtons(bool Value)
{
    FShowButtons = Value;
    SetStyleBit(TVS_HASBUTTONS, Value);
}

void TCustomTreeView::SetHideSelection(bool Value)
{
    FHideSelection = Value;
    SetStyleBit(TVS_SHOWSELALWAYS, !Value);
}

void TCustomTreeView::SetRowSelect(bool Value)
{
    FRowSelect = Value;
    SetStyleBit(TVS_FULLROWSELECT, Value);
}

void TCustomTreeView::SetHotTrack(bool Value)
{
    FHotTrack = Value;
    SetStyleBit(TVS_TRACKSELECT, Value);
}

void TCustomTreeView::SetAutoExpand(bool Value)
{
    FAutoExpand = Value;
    SetStyleBit(TVS_SINGLEEXPAND, Value);
}

void TCustomTreeView::SetBorderStyle(TBorderStyle Value)
{
    SetRecreating(FBorderStyle, Value);
}

Integer TCustomTreeView::Indent()
{
    if (HandleAllocated()) return static_cast<Integer>(SendMessageW(FHandle, TVM_GETINDENT, 0, 0));
    return FIndent;
}

void TCustomTreeView::SetIndent(Integer Value)
{
    FIndent = Value;
    if (HandleAllocated()) SendMessageW(FHandle, TVM_SETINDENT, static_cast<WPARAM>(Value), 0);
}

void TCustomTreeView::SetSortType(TSortType Value)
{
    if (FSortType == Value) return;
    FSortType = Value;
    if (Value != stNone && HandleAllocated()) AlphaSort(true);
}

TTreeNode* TCustomTreeView::Selected()
{
    if (!HandleAllocated()) return FTreeNodes->FSavedSelected;
    return FTreeNodes->GetNode(reinterpret_cast<HTREEITEM>(SendMessageW(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* Value)
{
    if (Value) Value->SetSelected(true);
    else if (HandleAllocated()) SendMessageW(FHandle, TVM_SELECTITEM, TVGN_CARET, 0);
}

TTreeNode* TCustomTreeView::TopItem()
{
    if (!HandleAllocated()) return FTreeNodes->FSavedTop;
    return FTreeNodes->GetNode(
        reinterpret_cast<HTREEITEM>(SendMessageW(FHandle, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

void TCustomTreeView::SetTopItem(TTreeNode* Value)
{
    if (Value) SendMessageW(Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(Value->FItemId));
}

TTreeNode* TCustomTreeView::DropTarget()
{
    if (!HandleAllocated()) return nullptr;
    return FTreeNodes->GetNode(reinterpret_cast<HTREEITEM>(SendMessageW(FHandle, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0)));
}

void TCustomTreeView::SetDropTarget(TTreeNode* Value)
{
    if (Value) Value->SetDropTarget(true);
    else if (HandleAllocated()) SendMessageW(FHandle, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
}

TTreeNode* TCustomTreeView::GetNodeAt(Integer X, Integer Y)
{
    TVHITTESTINFO info = {};
    info.pt = POINT{X, Y};
    SendMessageW(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    return FTreeNodes->GetNode(info.hItem);
}

THitTests TCustomTreeView::GetHitTestInfoAt(Integer X, Integer Y)
{
    TVHITTESTINFO info = {};
    info.pt = POINT{X, Y};
    SendMessageW(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    static const struct {
        UINT Flag;
        THitTests Test;
    } map[] = {
        {TVHT_ABOVE, htAbove},           {TVHT_BELOW, htBelow},         {TVHT_NOWHERE, htNowhere},
        {TVHT_ONITEMBUTTON, htOnButton}, {TVHT_ONITEMICON, htOnIcon},   {TVHT_ONITEMINDENT, htOnIndent},
        {TVHT_ONITEMLABEL, htOnLabel},   {TVHT_ONITEMRIGHT, htOnRight}, {TVHT_ONITEMSTATEICON, htOnStateIcon},
        {TVHT_TOLEFT, htToLeft},         {TVHT_TORIGHT, htToRight},
    };
    THitTests result = 0;
    for (const auto& m : map)
        if (info.flags & m.Flag) result |= m.Test;
    if (info.flags & TVHT_ONITEM) result |= htOnItem;
    return result;
}

bool TCustomTreeView::IsEditing()
{
    return EditHandle() != nullptr;
}

HWND TCustomTreeView::EditHandle()
{
    if (!HandleAllocated()) return nullptr;
    return reinterpret_cast<HWND>(SendMessageW(FHandle, TVM_GETEDITCONTROL, 0, 0));
}

void TCustomTreeView::FullExpand()
{
    for (TTreeNode* n = FTreeNodes->GetFirstNode(); n; n = n->GetNextSibling()) n->Expand(true);
}

void TCustomTreeView::FullCollapse()
{
    for (TTreeNode* n = FTreeNodes->GetFirstNode(); n; n = n->GetNextSibling()) n->Collapse(true);
}

bool TCustomTreeView::AlphaSort(bool Recurse)
{
    return SortChildren(nullptr, {}, 0, Recurse);
}

bool TCustomTreeView::CustomSort(TTVCompareEvent SortProc, Integer Data, bool Recurse)
{
    return SortChildren(nullptr, SortProc, Data, Recurse);
}

namespace {

struct TSortContext {
    TCustomTreeView* Tree;
    const TTVCompareEvent* Proc;
    Integer Data;
};

int CALLBACK CompareNodes(LPARAM Item1, LPARAM Item2, LPARAM Context)
{
    auto* ctx = reinterpret_cast<TSortContext*>(Context);
    auto* n1 = reinterpret_cast<TTreeNode*>(Item1);
    auto* n2 = reinterpret_cast<TTreeNode*>(Item2);
    Integer result = 0;
    if (ctx->Proc && *ctx->Proc) (*ctx->Proc)(ctx->Tree, n1, n2, ctx->Data, result);
    else if (ctx->Tree->OnCompare) ctx->Tree->OnCompare(ctx->Tree, n1, n2, ctx->Data, result);
    else result = AnsiCompareText(n1->Text(), n2->Text());
    return result;
}

} // namespace

bool TCustomTreeView::SortChildren(TTreeNode* Node, const TTVCompareEvent& SortProc, Integer Data, bool Recurse)
{
    HWND wnd = Handle();
    TSortContext ctx{this, &SortProc, Data};
    TVSORTCB sort = {};
    sort.hParent = Node ? Node->FItemId : TVI_ROOT;
    sort.lpfnCompare = CompareNodes;
    sort.lParam = reinterpret_cast<LPARAM>(&ctx);
    bool ok = SendMessageW(wnd, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)) != 0;
    if (Recurse) {
        TTreeNode* c = Node ? Node->getFirstChild() : FTreeNodes->GetFirstNode();
        for (; c; c = c->GetNextSibling())
            if (c->getFirstChild()) ok = SortChildren(c, SortProc, Data, true) && ok;
    }
    return ok;
}

bool TCustomTreeView::CanChange(TTreeNode* Node)
{
    return Allowed(OnChanging, this, Node);
}

void TCustomTreeView::Change(TTreeNode* Node)
{
    if (OnChange) OnChange(this, Node);
}

bool TCustomTreeView::CanExpand(TTreeNode* Node)
{
    return Allowed(OnExpanding, this, Node);
}

void TCustomTreeView::Expand(TTreeNode* Node)
{
    if (OnExpanded) OnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node)
{
    return Allowed(OnCollapsing, this, Node);
}

void TCustomTreeView::Collapse(TTreeNode* Node)
{
    if (OnCollapsed) OnCollapsed(this, Node);
}

bool TCustomTreeView::CanEdit(TTreeNode* Node)
{
    bool allow = !FReadOnly;
    if (allow && OnEditing) OnEditing(this, Node, allow);
    return allow;
}

void TCustomTreeView::Edit(const TVITEMW& Item)
{
    TTreeNode* node = FTreeNodes->GetNode(Item.hItem);
    if (!node) return;
    HWND wnd = FHandle;
    if (!Item.pszText) {
        if (OnCancelEdit) OnCancelEdit(this);
        return;
    }
    String s = FromWStr(Item.pszText);
    if (OnEdited) OnEdited(this, node, s);
    // The handler may have freed the tree or the node.
    if (StillControlOf(this, wnd) && FTreeNodes->GetNode(Item.hItem) == node) node->SetText(s);
}

void TCustomTreeView::Delete(TTreeNode* Node)
{
    if (OnDeletion) OnDeletion(this, Node);
}

void TCustomTreeView::Added(TTreeNode* Node)
{
    if (OnAddition) OnAddition(this, Node);
}

void TCustomTreeView::CMWantSpecialKey(TMessage& Message)
{
    // While a label is edited, Enter, Escape and Tab are the edit's.
    if (IsEditing() && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE || Message.WParam == VK_TAB)) {
        Message.Result = 1;
        return;
    }
    TWinControl::CMWantSpecialKey(Message);
}

void TCustomTreeView::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_NOTIFY) {
        CNNotify(Message);
        return;
    }
    TWinControl::Dispatch(Message);
}

void TCustomTreeView::CNNotify(TMessage& Message)
{
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    Message.Result = 0;
    switch (hdr->code) {
    case TVN_SELCHANGINGW:
    case TVN_SELCHANGINGA: {
        auto* nm = reinterpret_cast<NMTREEVIEWW*>(hdr);
        Message.Result = CanChange(FTreeNodes->GetNode(nm->itemNew.hItem)) ? 0 : 1;
        return;
    }
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA: {
        auto* nm = reinterpret_cast<NMTREEVIEWW*>(hdr);
        Change(FTreeNodes->GetNode(nm->itemNew.hItem));
        return;
    }
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDINGA: {
        if (FManualNotify) return;
        auto* nm = reinterpret_cast<NMTREEVIEWW*>(hdr);
        TTreeNode* node = FTreeNodes->GetNode(nm->itemNew.hItem);
        if (!node) return;
        bool allow = nm->action == TVE_EXPAND ? CanExpand(node) : CanCollapse(node);
        Message.Result = allow ? 0 : 1;
        return;
    }
    case TVN_ITEMEXPANDEDW:
    case TVN_ITEMEXPANDEDA: {
        if (FManualNotify) return;
        auto* nm = reinterpret_cast<NMTREEVIEWW*>(hdr);
        TTreeNode* node = FTreeNodes->GetNode(nm->itemNew.hItem);
        if (!node) return;
        if (nm->action == TVE_EXPAND) Expand(node);
        else if (nm->action == TVE_COLLAPSE) Collapse(node);
        return;
    }
    case TVN_BEGINLABELEDITW: {
        auto* nm = reinterpret_cast<NMTVDISPINFOW*>(hdr);
        TTreeNode* node = FTreeNodes->GetNode(nm->item.hItem);
        Message.Result = node && CanEdit(node) ? 0 : 1;
        return;
    }
    case TVN_ENDLABELEDITW: {
        // The node's text is set by Edit (after OnEdited may change it), so
        // the platform is told not to set its own.
        Edit(reinterpret_cast<NMTVDISPINFOW*>(hdr)->item);
        Message.Result = 0;
        return;
    }
    case TVN_DELETEITEMW:
    case TVN_DELETEITEMA: {
        auto* node = reinterpret_cast<TTreeNode*>(reinterpret_cast<NMTREEVIEWW*>(hdr)->itemOld.lParam);
        if (!node) return;
        node->FItemId = nullptr;
        if (FTreeNodes->FKeepNodes) return;
        Delete(node);
        if (!node->FDeleting) delete node;
        return;
    }
    case NM_CUSTOMDRAW:
        Message.Result = DoCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(hdr));
        return;
    default: return;
    }
}

bool TCustomTreeView::IsCustomDrawn(TCustomDrawStage Stage, bool Item) const
{
    if (Item) return (Stage == cdPrePaint && OnCustomDrawItem) || static_cast<bool>(OnAdvancedCustomDrawItem);
    return (Stage == cdPrePaint && OnCustomDraw) || static_cast<bool>(OnAdvancedCustomDraw);
}

bool TCustomTreeView::CustomDraw(const TRect& ARect, TCustomDrawStage Stage)
{
    bool defaultDraw = true;
    if (Stage == cdPrePaint && OnCustomDraw) OnCustomDraw(this, ARect, defaultDraw);
    if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, ARect, Stage, defaultDraw);
    return defaultDraw;
}

bool TCustomTreeView::CustomDrawItem(TTreeNode* Node, TCustomDrawState State, TCustomDrawStage Stage,
                                     bool& PaintImages)
{
    bool defaultDraw = true;
    if (Stage == cdPrePaint && OnCustomDrawItem) OnCustomDrawItem(this, Node, State, defaultDraw);
    if (OnAdvancedCustomDrawItem) OnAdvancedCustomDrawItem(this, Node, State, Stage, PaintImages, defaultDraw);
    return defaultDraw;
}

LRESULT TCustomTreeView::DoCustomDraw(NMTVCUSTOMDRAW& Draw)
{
    NMCUSTOMDRAW& cd = Draw.nmcd;
    switch (cd.dwDrawStage) {
    case CDDS_PREPAINT: {
        LRESULT result = CDRF_DODEFAULT;
        if (IsCustomDrawn(cdPrePaint, false)) {
            TCanvasPaintScope scope(FCanvas.get(), cd.hdc, Font(), Color());
            if (!CustomDraw(ToRect(cd.rc), cdPrePaint)) return CDRF_SKIPDEFAULT;
        }
        if (IsCustomDrawn(cdPrePaint, true) || IsCustomDrawn(cdPostPaint, true)) result |= CDRF_NOTIFYITEMDRAW;
        if (IsCustomDrawn(cdPostPaint, false)) result |= CDRF_NOTIFYPOSTPAINT;
        return result;
    }
    case CDDS_POSTPAINT: {
        TCanvasPaintScope scope(FCanvas.get(), cd.hdc);
        CustomDraw(ToRect(cd.rc), cdPostPaint);
        return CDRF_DODEFAULT;
    }
    case CDDS_ITEMPREPAINT:
    case CDDS_ITEMPOSTPAINT: {
        auto* node = reinterpret_cast<TTreeNode*>(cd.lItemlParam);
        if (!node) return CDRF_DODEFAULT;
        TCustomDrawStage stage = cd.dwDrawStage == CDDS_ITEMPREPAINT ? cdPrePaint : cdPostPaint;
        TCanvasPaintScope scope(FCanvas.get(), cd.hdc);
        // The colours the platform would use; the handler may change them.
        FCanvas->Font()->SetColor(static_cast<TColor>(Draw.clrText));
        FCanvas->Brush()->SetColor(static_cast<TColor>(Draw.clrTextBk));
        bool paintImages = true;
        bool defaultDraw = CustomDrawItem(node, DrawStateOf(cd.uItemState), stage, paintImages);
        if (stage == cdPostPaint) return CDRF_DODEFAULT;
        LRESULT result = OnAdvancedCustomDrawItem ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
        if (!defaultDraw) return result | CDRF_SKIPDEFAULT;
        Draw.clrText = static_cast<COLORREF>(ColorToRGB(FCanvas->Font()->Color()));
        Draw.clrTextBk = static_cast<COLORREF>(ColorToRGB(FCanvas->Brush()->Color()));
        return result | CDRF_NEWFONT;
    }
    default: return CDRF_DODEFAULT;
    }
}

// ---------------------------------------------------------------------------
// TCustomUpDown

TCustomUpDown::TCustomUpDown(TComponent* AOwner) : TWinControl(AOwner)
{
    InitComCtrl(ICC_UPDOWN_CLASS);
    SetBounds(0, 0, GetSystemMetrics(SM_CXVSCROLL), 25);
}

TCustomUpDown::~TCustomUpDown()
{
    Destroying();
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
}

void TCustomUpDown::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, UPDOWN_CLASSW);
    Params.Style |= UDS_SETBUDDYINT;
    Params.Style |= FAlignButton == udRight ? UDS_ALIGNRIGHT : UDS_ALIGNLEFT;
    if (FOrientation == udHorizontal) Params.Style |= UDS_HORZ;
    if (FArrowKeys) Params.Style |= UDS_ARROWKEYS;
    if (!FThousands) Params.Style |= UDS_NOTHOUSANDS;
    if (FWrap) Params.Style |= UDS_WRAP;
}

void TCustomUpDown::CreateWnd()
{
    TWinControl::CreateWnd();
    SendRange(FHandle, UDM_SETRANGE32, FMin, FMax);
    UDACCEL accel{0, static_cast<UINT>(FIncrement)};
    SendMessageW(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    if (FAssociate) SendMessageW(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->Handle()), 0);
    SendMessageW(FHandle, UDM_SETPOS32, 0, static_cast<LPARAM>(FPosition));
}

void TCustomUpDown::DestroyWnd()
{
    FPosition = Position();
    TWinControl::DestroyWnd();
}

void TCustomUpDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociate) {
        FAssociate = nullptr;
        if (HandleAllocated()) SendMessageW(FHandle, UDM_SETBUDDY, 0, 0);
    }
}

void TCustomUpDown::SetMin(Integer Value)
{
    FMin = Value;
    SendRange(FHandle, UDM_SETRANGE32, FMin, FMax);
}

void TCustomUpDown::SetMax(Integer Value)
{
    FMax = Value;
    SendRange(FHandle, UDM_SETRANGE32, FMin, FMax);
}

Integer TCustomUpDown::Position()
{
    if (HandleAllocated()) {
        BOOL error = FALSE;
        auto pos = static_cast<Integer>(SendMessageW(FHandle, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)));
        if (!error) FPosition = pos;
    }
    return FPosition;
}

void TCustomUpDown::SetPosition(Integer Value)
{
    Integer lo = std::min(FMin, FMax), hi = std::max(FMin, FMax);
    FPosition = std::clamp(Value, lo, hi);
    if (HandleAllocated()) SendMessageW(FHandle, UDM_SETPOS32, 0, static_cast<LPARAM>(FPosition));
}

void TCustomUpDown::SetIncrement(Integer Value)
{
    FIncrement = Value;
    if (!HandleAllocated()) return;
    UDACCEL accel{0, static_cast<UINT>(FIncrement)};
    SendMessageW(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TCustomUpDown::SetAssociate(TWinControl* Value)
{
    if (Value == this) throw EInvalidOperation(u"An up-down cannot be its own associate");
    if (FAssociate == Value) return;
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
    FAssociate = Value;
    if (Value) Value->FreeNotification(this);
    if (!HandleAllocated()) return;
    SendMessageW(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Value ? Value->Handle() : nullptr), 0);
    // The associate shows the position from now on.
    SendMessageW(FHandle, UDM_SETPOS32, 0, static_cast<LPARAM>(FPosition));
}

void TCustomUpDown::SetAlignButton(TUDAlignButton Value)
{
    SetRecreating(FAlignButton, Value);
}

void TCustomUpDown::SetOrientation(TUDOrientation Value)
{
    SetRecreating(FOrientation, Value);
}

void TCustomUpDown::SetWrap(bool Value)
{
    SetRecreating(FWrap, Value);
}

void TCustomUpDown::SetArrowKeys(bool Value)
{
    SetRecreating(FArrowKeys, Value);
}

void TCustomUpDown::SetThousands(bool Value)
{
    SetRecreating(FThousands, Value);
}

bool TCustomUpDown::CanChange()
{
    return Allowed(OnChanging, this);
}

bool TCustomUpDown::DoCanChange(Integer NewVal, Integer Delta)
{
    HWND wnd = FHandle;
    bool allow = CanChange();
    if (!StillControlOf(this, wnd)) return false;
    if (OnChangingEx) {
        TUpDownDirection direction = Delta < 0 ? updDown : (Delta > 0 ? updUp : updNone);
        OnChangingEx(this, allow, NewVal, direction);
    }
    return allow;
}

void TCustomUpDown::Click(TUDBtnType Button)
{
    if (OnClick) OnClick(this, Button);
}

void TCustomUpDown::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); return;
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); return;
    default: TWinControl::Dispatch(Message);
    }
}

void TCustomUpDown::CNNotify(TMessage& Message)
{
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    Message.Result = 0;
    if (hdr->code != UDN_DELTAPOS) return;
    auto* nm = reinterpret_cast<NMUPDOWN*>(hdr);
    FLastDelta = nm->iDelta;
    FLastPosition = nm->iPos;
    Message.Result = DoCanChange(nm->iPos + nm->iDelta, nm->iDelta) ? 0 : 1;
}

void TCustomUpDown::CNScroll(TMessage& Message)
{
    Message.Result = 0;
    if (LOWORD(Message.WParam) != SB_THUMBPOSITION) return;
    // A refused step still ends in a scroll message: no click then.
    if (Position() == FLastPosition) return;
    // The sign of the step tells the arrow (a wrap turns the value around).
    Click(FLastDelta >= 0 ? btNext : btPrev);
}

// ---------------------------------------------------------------------------
// TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner)
{
    InitComCtrl(ICC_BAR_CLASSES);
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, TRACKBAR_CLASSW);
    Params.Style |= TBS_FIXEDLENGTH | TBS_ENABLESELRANGE;
    Params.Style |= FOrientation == trVertical ? TBS_VERT : TBS_HORZ;
    switch (FTickStyle) {
    case tsNone: Params.Style |= TBS_NOTICKS; break;
    case tsAuto: Params.Style |= TBS_AUTOTICKS; break;
    case tsManual: break;
    }
    switch (FTickMarks) {
    case tmBottomRight: Params.Style |= TBS_BOTTOM; break;
    case tmTopLeft: Params.Style |= TBS_TOP; break;
    case tmBoth: Params.Style |= TBS_BOTH; break;
    }
    if (!FSliderVisible) Params.Style |= TBS_NOTHUMB;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TTrackBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(FHandle, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(FMin));
    SendMessageW(FHandle, TBM_SETRANGEMAX, FALSE, static_cast<LPARAM>(FMax));
    SendMessageW(FHandle, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(FThumbLength), 0);
    SendMessageW(FHandle, TBM_SETLINESIZE, 0, static_cast<LPARAM>(FLineSize));
    SendMessageW(FHandle, TBM_SETPAGESIZE, 0, static_cast<LPARAM>(FPageSize));
    SendMessageW(FHandle, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    for (Integer tick : FTicks) SendMessageW(FHandle, TBM_SETTIC, 0, static_cast<LPARAM>(tick));
    UpdateSelection();
    SendMessageW(FHandle, TBM_SETPOS, TRUE, static_cast<LPARAM>(FPosition));
}

void TTrackBar::DestroyWnd()
{
    FPosition = Position();
    TWinControl::DestroyWnd();
}

void TTrackBar::SetMin(Integer Value)
{
    SetRange(Value, std::max(Value, FMax));
}

void TTrackBar::SetMax(Integer Value)
{
    SetRange(std::min(Value, FMin), Value);
}

void TTrackBar::SetRange(Integer AMin, Integer AMax)
{
    if (AMax < AMin) AMax = AMin;
    FMin = AMin;
    FMax = AMax;
    if (HandleAllocated()) {
        SendMessageW(FHandle, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(FMin));
        SendMessageW(FHandle, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(FMax));
    }
    Integer pos = Position();
    if (pos < FMin || pos > FMax) SetPosition(pos);
}

Integer TTrackBar::Position()
{
    if (HandleAllocated()) FPosition = static_cast<Integer>(SendMessageW(FHandle, TBM_GETPOS, 0, 0));
    return FPosition;
}

void TTrackBar::SetPosition(Integer Value)
{
    Value = std::clamp(Value, FMin, FMax);
    if (Value == Position()) return;
    FPosition = Value;
    if (HandleAllocated()) SendMessageW(FHandle, TBM_SETPOS, TRUE, static_cast<LPARAM>(Value));
    Changed();
}

void TTrackBar::SetFrequency(Integer Value)
{
    FFrequency = Value;
    if (HandleAllocated()) SendMessageW(FHandle, TBM_SETTICFREQ, static_cast<WPARAM>(Value), 0);
}

void TTrackBar::SetLineSize(Integer Value)
{
    FLineSize = Value;
    if (HandleAllocated()) SendMessageW(FHandle, TBM_SETLINESIZE, 0, static_cast<LPARAM>(Value));
}

void TTrackBar::SetPageSize(Integer Value)
{
    FPageSize = Value;
    if (HandleAllocated()) SendMessageW(FHandle, TBM_SETPAGESIZE, 0, static_cast<LPARAM>(Value));
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value)
{
    if (FOrientation == Value) return;
    FOrientation = Value;
    // The control turns with its orientation.
    SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle Value)
{
    SetRecreating(FTickStyle, Value);
}

void TTrackBar::SetTickMarks(TTickMark Value)
{
    SetRecreating(FTickMarks, Value);
}

void TTrackBar::SetSelStart(Integer Value)
{
    FSelStart = Value;
    UpdateSelection();
}

void TTrackBar::SetSelEnd(Integer Value)
{
    FSelEnd = Value;
    UpdateSelection();
}

void TTrackBar::UpdateSelection()
{
    if (!HandleAllocated()) return;
    if (FSelStart == 0 && FSelEnd == 0) {
        SendMessageW(FHandle, TBM_CLEARSEL, TRUE, 0);
        return;
    }
    SendMessageW(FHandle, TBM_SETSELSTART, FALSE, static_cast<LPARAM>(FSelStart));
    SendMessageW(FHandle, TBM_SETSELEND, TRUE, static_cast<LPARAM>(FSelEnd));
}

void TTrackBar::SetThumbLength(Integer Value)
{
    FThumbLength = Value;
    if (HandleAllocated()) SendMessageW(FHandle, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(Value), 0);
}

void TTrackBar::SetSliderVisible(bool Value)
{
    SetRecreating(FSliderVisible, Value);
}

void TTrackBar::SetTick(Integer Value)
{
    FTicks.push_back(Value);
    if (HandleAllocated()) SendMessageW(FHandle, TBM_SETTIC, 0, static_cast<LPARAM>(Value));
}

TRect TTrackBar::ThumbRect()
{
    RECT r = {};
    SendMessageW(Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    return ToRect(r);
}

TRect TTrackBar::ChannelRect()
{
    RECT r = {};
    SendMessageW(Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
    return ToRect(r);
}

void TTrackBar::Changed()
{
    if (OnChange) OnChange(this);
}

void TTrackBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
        CNScroll(Message);
        return;
    }
    TWinControl::Dispatch(Message);
}

void TTrackBar::CNScroll(TMessage& Message)
{
    Message.Result = 0;
    Integer old = FPosition;
    if (Position() != old) Changed();
}

// ---------------------------------------------------------------------------
// TProgressBar

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner)
{
    InitComCtrl(ICC_PROGRESS_CLASS);
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, PROGRESS_CLASSW);
    if (FOrientation == pbVertical) Params.Style |= PBS_VERTICAL;
    if (FSmooth) Params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendRange(FHandle, PBM_SETRANGE32, FMin, FMax);
    SendMessageW(FHandle, PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
    SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::DestroyWnd()
{
    FPosition = Position();
    TWinControl::DestroyWnd();
}

void TProgressBar::SetMin(Integer Value)
{
    FMin = Value;
    if (FMax < FMin) FMax = FMin;
    SendRange(FHandle, PBM_SETRANGE32, FMin, FMax);
    SetPosition(Position());
}

void TProgressBar::SetMax(Integer Value)
{
    FMax = Value;
    if (FMin > FMax) FMin = FMax;
    SendRange(FHandle, PBM_SETRANGE32, FMin, FMax);
    SetPosition(Position());
}

Integer TProgressBar::Position()
{
    if (HandleAllocated()) FPosition = static_cast<Integer>(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
    return FPosition;
}

void TProgressBar::SetPosition(Integer Value)
{
    FPosition = std::clamp(Value, FMin, FMax);
    if (HandleAllocated()) SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetStep(Integer Value)
{
    FStep = Value;
    if (HandleAllocated()) SendMessageW(FHandle, PBM_SETSTEP, static_cast<WPARAM>(Value), 0);
}

void TProgressBar::StepIt()
{
    if (HandleAllocated()) {
        SendMessageW(FHandle, PBM_STEPIT, 0, 0);
        return;
    }
    // As the platform's: a step past the end starts again from the beginning.
    Integer range = FMax - FMin;
    Integer pos = FPosition + FStep;
    if (range > 0 && (pos > FMax || pos < FMin)) pos = FMin + ((pos - FMin) % range + range) % range;
    FPosition = range > 0 ? pos : FMin;
}

void TProgressBar::StepBy(Integer Delta)
{
    SetPosition(Position() + Delta);
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value)
{
    SetRecreating(FOrientation, Value);
}

void TProgressBar::SetSmooth(bool Value)
{
    SetRecreating(FSmooth, Value);
}

// ---------------------------------------------------------------------------
// TStatusPanel, TStatusPanels

TStatusPanel::TStatusPanel(TCollection* Collection) : TCollectionItem(nullptr)
{
    // Joins only now: the collection's update reads the fields.
    SetCollection(Collection);
}

void TStatusPanel::Assign(TPersistent* Source)
{
    if (auto* p = dynamic_cast<TStatusPanel*>(Source)) {
        FText = p->FText;
        FWidth = p->FWidth;
        FAlignment = p->FAlignment;
        FBevel = p->FBevel;
        FStyle = p->FStyle;
        Changed(true);
        return;
    }
    TCollectionItem::Assign(Source);
}

void TStatusPanel::SetText(const String& Value)
{
    if (FText == Value) return;
    FText = Value;
    Changed(false);
}

void TStatusPanel::SetWidth(Integer Value)
{
    if (Value < 0) Value = 0;
    if (FWidth == Value) return;
    FWidth = Value;
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value)
{
    if (FBevel == Value) return;
    FBevel = Value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    Changed(false);
}

TStatusPanels::TStatusPanels(TStatusBar* AOwner) : TOwnedCollectionOf<TStatusPanel>(AOwner), FStatusBar(AOwner) {}

void TStatusPanels::Update(TCollectionItem* Item)
{
    FStatusBar->UpdatePanels(static_cast<TStatusPanel*>(Item));
    TCollection::Update(Item);
}

// ---------------------------------------------------------------------------
// TStatusBar

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner)
{
    InitComCtrl(ICC_BAR_CLASSES);
    FPanels = std::make_unique<TStatusPanels>(this);
    FCanvas = std::make_unique<TCanvas>();
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar()
{
    Destroying();
}

void TStatusBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, STATUSCLASSNAMEW);
    // The framework places the bar (Align), not the platform.
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (FSizeGrip) Params.Style |= SBARS_SIZEGRIP;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TStatusBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(FHandle, SB_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    UpdatePanels();
    UpdateSimpleText();
    SendMessageW(FHandle, SB_SIMPLE, FSimplePanel ? TRUE : FALSE, 0);
}

void TStatusBar::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    if (HandleAllocated()) SendMessageW(FHandle, SB_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
}

void TStatusBar::UpdatePanels(TStatusPanel* Only)
{
    if (!HandleAllocated() || !FPanels) return;
    Integer count = FPanels->Count();
    if (!Only) {
        std::vector<int> edges(static_cast<size_t>(std::max<Integer>(count, 1)), -1);
        Integer right = 0;
        for (Integer i = 0; i + 1 < count; ++i) {
            right += FPanels->Items(i)->Width();
            edges[static_cast<size_t>(i)] = right;
        }
        SendMessageW(FHandle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        if (count == 0) SendMessageW(FHandle, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
    }
    for (Integer i = 0; i < count; ++i) {
        TStatusPanel* panel = FPanels->Items(i);
        if (Only && panel != Only) continue;
        WPARAM flags = static_cast<WPARAM>(i);
        if (panel->Bevel() == pbNone) flags |= SBT_NOBORDERS;
        if (panel->Bevel() == pbRaised) flags |= SBT_POPOUT;
        if (panel->Style() == psOwnerDraw) {
            SendMessageW(FHandle, SB_SETTEXTW, flags | SBT_OWNERDRAW, static_cast<LPARAM>(i));
            continue;
        }
        // The platform centres text after one tab and right-aligns it after two.
        String text = panel->Text();
        if (panel->Alignment() == taCenter) text = u"\t" + text;
        else if (panel->Alignment() == taRightJustify) text = u"\t\t" + text;
        SendMessageW(FHandle, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(WStr(text)));
    }
}

void TStatusBar::UpdateSimpleText()
{
    if (HandleAllocated())
        SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(WStr(FSimpleText)));
}

void TStatusBar::SetSimplePanel(bool Value)
{
    if (FSimplePanel == Value) return;
    FSimplePanel = Value;
    if (HandleAllocated()) SendMessageW(FHandle, SB_SIMPLE, Value ? TRUE : FALSE, 0);
}

void TStatusBar::SetSimpleText(const String& Value)
{
    FSimpleText = Value;
    UpdateSimpleText();
}

void TStatusBar::SetSizeGrip(bool Value)
{
    SetRecreating(FSizeGrip, Value);
}

TRect TStatusBar::PanelRect(Integer Index)
{
    RECT r = {};
    if (!SendMessageW(Handle(), SB_GETRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r))) return TRect();
    return ToRect(r);
}

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect)
{
    if (OnDrawPanel) OnDrawPanel(this, Panel, Rect);
    else FCanvas->FillRect(Rect);
}

void TStatusBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_DRAWITEM) {
        CNDrawItem(Message);
        return;
    }
    TWinControl::Dispatch(Message);
}

void TStatusBar::CNDrawItem(TMessage& Message)
{
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    Message.Result = 1;
    auto index = static_cast<Integer>(item->itemID);
    if (index < 0 || index >= FPanels->Count()) return;
    TCanvasPaintScope scope(FCanvas.get(), item->hDC, Font(), Color());
    DrawPanel(FPanels->Items(index), ToRect(item->rcItem));
}
