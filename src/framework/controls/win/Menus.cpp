#include "framework/controls/win/Menus.h"

#include <algorithm>

#include "framework/controls/win/Forms.h"

namespace {

// Native command identifiers: one per item, unique in the program, so that a
// WM_COMMAND names one item whichever menu it came from. 0 means none.
class TCommandPool {
public:
    Word Take()
    {
        for (size_t i = FNext; i < FUsed.size(); ++i)
            if (!FUsed[i]) return Use(i);
        for (size_t i = 1; i < FNext && i < FUsed.size(); ++i)
            if (!FUsed[i]) return Use(i);
        if (FUsed.size() < 0x10000) {
            FUsed.push_back(false);
            return Use(FUsed.size() - 1);
        }
        throw EMenuError(u"Too many menu items");
    }
    void Give(Word Command)
    {
        if (Command && Command < FUsed.size()) FUsed[Command] = false;
    }

private:
    Word Use(size_t i)
    {
        FUsed[i] = true;
        FNext = i + 1;
        return static_cast<Word>(i);
    }
    std::vector<bool> FUsed = std::vector<bool>(1, true);  // 0 is never given
    size_t FNext = 1;
};

TCommandPool& CommandPool()
{
    static TCommandPool Pool;
    return Pool;
}

// The font menus are drawn with on this system.
void SetMenuFont(TFont* Font)
{
    NONCLIENTMETRICSW Metrics = {};
    Metrics.cbSize = sizeof(Metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, 0))
        Font->SetHandle(CreateFontIndirectW(&Metrics.lfMenuFont));
}

// Gap between the caption and the short cut, and room for the image column.
constexpr Integer ShortCutGap = 24;
constexpr Integer ImageColumn = 22;

} // namespace

TShiftState KeyboardShiftState(Integer KeyData)
{
    TShiftState Shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) Shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) Shift |= ssCtrl;
    // The context bit of a key message says Alt was down when it was sent.
    if ((KeyData & 0x20000000) || GetKeyState(VK_MENU) < 0) Shift |= ssAlt;
    return Shift;
}

TMenuItem* FindMenuItem(TMenuItem* Root, const std::function<bool(TMenuItem*)>& Match)
{
    if (!Root) return nullptr;
    for (Integer i = 0; i < Root->Count(); ++i) {
        TMenuItem* Item = Root->Items(i);
        if (Match(Item)) return Item;
        if (TMenuItem* Found = FindMenuItem(Item, Match)) return Found;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(CommandPool().Take()) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    // Sub-items go first, newest first, each leaving this item.
    while (!FItems.empty()) {
        TMenuItem* Item = FItems.back();
        FItems.pop_back();
        Item->FParent = nullptr;
        delete Item;
    }
    if (FParent) FParent->Remove(this);
    if (FAction) FAction->UnRegisterChanges(this);
    CommandPool().Give(FCommand);
}

TMenuItem* TMenuItem::Items(Integer Index) const
{
    if (Index < 0 || Index >= Count()) throw EMenuError(Format(u"Menu index out of range (%d)", {Index}));
    return FItems[Index];
}

Integer TMenuItem::IndexOf(const TMenuItem* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

void TMenuItem::Insert(Integer Index, TMenuItem* Item)
{
    if (!Item) return;
    if (Item->FParent) throw EMenuError(u"Menu inserted twice");
    if (Index < 0 || Index > Count()) throw EMenuError(Format(u"Menu index out of range (%d)", {Index}));
    for (const TMenuItem* P = this; P; P = P->FParent)
        if (P == Item) throw EMenuError(u"A menu item cannot contain itself");
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    MenuChanged(true);
}

void TMenuItem::Delete(Integer Index)
{
    TMenuItem* Item = Items(Index);
    FItems.erase(FItems.begin() + Index);
    Item->FParent = nullptr;
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* Item)
{
    Integer Index = IndexOf(Item);
    if (Index < 0) throw EMenuError(u"Sub-menu is not in menu");
    Delete(Index);
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) delete FItems.back();
}

TMenuItem* TMenuItem::Find(const String& ACaption) const
{
    const String Wanted = StripHotkey(ACaption);
    for (TMenuItem* Item : FItems)
        if (AnsiSameText(StripHotkey(Item->FCaption), Wanted)) return Item;
    return nullptr;
}

void TMenuItem::SetMenuIndex(Integer Value)
{
    if (!FParent) return;
    TMenuItem* Parent = FParent;
    Integer Old = Parent->IndexOf(this);
    Value = std::clamp(Value, 0, Parent->Count() - 1);
    if (Value == Old) return;
    Parent->FItems.erase(Parent->FItems.begin() + Old);
    Parent->FItems.insert(Parent->FItems.begin() + Value, this);
    MenuChanged(true);
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* Item = this;
    while (Item->FParent) Item = Item->FParent;
    return Item->FMenu;
}

void TMenuItem::SetCaption(const String& Value)
{
    if (FCaption == Value) return;
    const bool WasLine = IsLine();
    FCaption = Value;
    MenuChanged(WasLine != IsLine());
}

void TMenuItem::SetShortCut(TShortCut Value)
{
    if (FShortCut == Value) return;
    FShortCut = Value;
    MenuChanged(false);
}

void TMenuItem::SetChecked(bool Value)
{
    if (FChecked == Value) return;
    FChecked = Value;
    if (Value && FRadioItem) CheckRadioGroup();
    MenuChanged(FRadioItem);
}

void TMenuItem::CheckRadioGroup()
{
    if (!FParent) return;
    for (TMenuItem* Item : FParent->FItems)
        if (Item != this && Item->FRadioItem && Item->FGroupIndex == FGroupIndex) Item->FChecked = false;
}

void TMenuItem::SetRadioItem(bool Value)
{
    if (FRadioItem == Value) return;
    FRadioItem = Value;
    if (FChecked && FRadioItem) CheckRadioGroup();
    MenuChanged(FChecked);
}

void TMenuItem::SetGroupIndex(Byte Value)
{
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    if (FChecked && FRadioItem) CheckRadioGroup();
    MenuChanged(FChecked && FRadioItem);
}

void TMenuItem::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value)
{
    if (FDefault == Value) return;
    if (Value && FParent)
        for (TMenuItem* Item : FParent->FItems) Item->FDefault = false;
    FDefault = Value;
    MenuChanged(FParent != nullptr);
}

TBitmap* TMenuItem::Bitmap()
{
    if (!FBitmap) {
        FBitmap = std::make_unique<TBitmap>();
        FBitmap->OnChange = [this](TObject*) { MenuChanged(false); };
    }
    return FBitmap.get();
}

void TMenuItem::SetBitmap(TBitmap* Value)
{
    Bitmap()->Assign(Value);
}

void TMenuItem::SetImageIndex(Integer Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    MenuChanged(false);
}

bool TMenuItem::RethinkLines()
{
    bool Changed = false;
    TMenuItem* LastVisible = nullptr;  // the last visible item kept so far
    for (TMenuItem* Item : FItems) {
        if (!Item->FVisible) continue;
        bool Hide = false;
        if (Item->IsLine()) Hide = !LastVisible || LastVisible->IsLine();
        if (Item->FHiddenLine != Hide) {
            Item->FHiddenLine = Hide;
            Changed = true;
        }
        if (!Hide) LastVisible = Item;
    }
    // A line that ends the visible items goes too.
    if (LastVisible && LastVisible->IsLine()) {
        LastVisible->FHiddenLine = true;
        Changed = true;
    }
    for (TMenuItem* Item : FItems)
        if (Item->RethinkLines()) Changed = true;
    return Changed;
}

bool TMenuItem::KeepAllLines()
{
    bool Changed = false;
    for (TMenuItem* Item : FItems) {
        if (Item->FHiddenLine) {
            Item->FHiddenLine = false;
            Changed = true;
        }
        if (Item->KeepAllLines()) Changed = true;
    }
    return Changed;
}

void TMenuItem::Click()
{
    if (!FEnabled) return;
    if (FAutoCheck) SetChecked(!FChecked);
    // A copy: the handler may free the item, and with it OnClick.
    TNotifyEvent Handler = OnClick;
    if (Handler) Handler(this);
    else if (FAction) FAction->Execute();
}

String TMenuItem::NativeText() const
{
    if (!FShortCut) return FCaption;
    const String Text = ShortCutToText(FShortCut);
    return Text.empty() ? FCaption : FCaption + u"\t" + Text;
}

bool TMenuItem::IsOwnerDraw() const
{
    if (OnDrawItem || OnMeasureItem) return true;
    TMenu* Menu = GetParentMenu();
    return Menu && (Menu->OwnerDraw() || (Menu->Images() && FImageIndex >= 0));
}

Integer TMenuItem::ImageColumnWidth() const
{
    TMenu* Menu = GetParentMenu();
    return Menu && Menu->Images() ? std::max<Integer>(ImageColumn, Menu->Images()->Width() + 6) : ImageColumn;
}

void TMenuItem::MenuChanged(bool Rebuild)
{
    if (ComponentState() & csDestroying) return;
    if (TMenu* Menu = GetParentMenu()) Menu->MenuChanged(this, Rebuild);
}

void TMenuItem::SetAction(TBasicAction* Value)
{
    if (FAction == Value) return;
    if (FAction) {
        FAction->UnRegisterChanges(this);
        FAction->RemoveFreeNotification(this);
    }
    FAction = Value;
    if (FAction) {
        FAction->FreeNotification(this);
        FAction->RegisterChanges(this, [this] { ActionChange(); });
        ActionChange();
    }
}

void TMenuItem::ActionChange()
{
    auto* A = dynamic_cast<TCustomAction*>(FAction);
    if (!A) return;
    SetCaption(A->Caption());
    SetEnabled(A->Enabled());
    SetChecked(A->Checked());
    SetVisible(A->Visible());
    SetShortCut(A->ShortCut());
    SetImageIndex(A->ImageIndex());
    SetHint(A->Hint());
    SetGroupIndex(static_cast<Byte>(A->GroupIndex()));
}

void TMenuItem::UpdateActions()
{
    // A copy of the list: an update may change the items.
    std::vector<TMenuItem*> Items = FItems;
    for (TMenuItem* Item : Items) {
        if (IndexOf(Item) < 0) continue;
        if (Item->FAction) Item->FAction->Update();
        Item->UpdateActions();
    }
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAction) FAction = nullptr;
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected)
{
    if (OnDrawItem) {
        OnDrawItem(this, ACanvas, ARect, Selected);
        return;
    }
    SetMenuFont(ACanvas->Font());
    ACanvas->Brush()->SetColor(Selected ? clHighlight : clMenu);
    ACanvas->FillRect(ARect);
    if (IsLine()) {
        const Integer Y = (ARect.Top + ARect.Bottom) / 2;
        RECT R{ARect.Left + 2, Y - 1, ARect.Right - 2, Y + 1};
        DrawEdge(ACanvas->Handle(), &R, EDGE_ETCHED, BF_TOP);
        return;
    }
    const TColor TextColor = !FEnabled ? clGrayText : Selected ? clHighlightText : clMenuText;
    ACanvas->Font()->SetColor(TextColor);
    // The image column: the menu's image, the bitmap, else a check or radio mark.
    TMenu* Menu = GetParentMenu();
    TCustomImageList* Images = Menu ? Menu->Images() : nullptr;
    const Integer Column = ImageColumnWidth();
    TRect Image = Rect(ARect.Left, ARect.Top, ARect.Left + Column, ARect.Bottom);
    if (Images && FImageIndex >= 0 && FImageIndex < Images->Count()) {
        if (FChecked) {
            RECT R{Image.Left + 1, Image.Top + 1, Image.Right - 1, Image.Bottom - 1};
            DrawEdge(ACanvas->Handle(), &R, BDR_SUNKENOUTER, BF_RECT);
        }
        Images->Draw(ACanvas, Image.Left + (Column - Images->Width()) / 2,
                     Image.Top + (Image.Height() - Images->Height()) / 2, FImageIndex, FEnabled);
    } else if (FBitmap && !FBitmap->Empty()) {
        ACanvas->Draw(Image.Left + (Column - FBitmap->Width()) / 2,
                      Image.Top + (Image.Height() - FBitmap->Height()) / 2, FBitmap.get());
    } else if (FChecked) {
        RECT R{Image.Left + 3, Image.Top + (Image.Height() - 16) / 2, Image.Left + 19, 0};
        R.bottom = R.top + 16;
        DrawFrameControl(ACanvas->Handle(), &R, DFC_MENU, FRadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    ACanvas->RequiredState(csHandleValid | csFontValid);
    HDC DC = ACanvas->Handle();
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(TextColor));
    RECT Text{ARect.Left + Column + 4, ARect.Top, ARect.Right - 8, ARect.Bottom};
    UINT Flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (FDefault) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() | fsBold);
    DrawTextW(DC, WStr(FCaption), -1, &Text, Flags | DT_LEFT);
    if (FShortCut) DrawTextW(DC, WStr(ShortCutToText(FShortCut)), -1, &Text, Flags | DT_RIGHT);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height)
{
    SetMenuFont(ACanvas->Font());
    const Integer Column = ImageColumnWidth();
    if (IsLine()) {
        Width = Column;
        Height = 8;
    } else {
        TSize Caption = ACanvas->TextExtent(StripHotkey(FCaption));
        Width = Column + 4 + Caption.cx + 8;
        if (FShortCut) Width += ShortCutGap + ACanvas->TextWidth(ShortCutToText(FShortCut));
        Height = std::max<Integer>(Caption.cy + 4, GetSystemMetrics(SM_CYMENU));
        TMenu* Menu = GetParentMenu();
        if (Menu && Menu->Images()) Height = std::max<Integer>(Height, Menu->Images()->Height() + 4);
    }
    if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

// ---------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner)
{
    FItems = new TMenuItem(nullptr);
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    Destroying();
    DestroyHandle();
    FItems->Destroying();
    delete FItems;
}

void TMenu::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    MenuChanged(nullptr);
}

void TMenu::SetOwnerDraw(bool Value)
{
    if (FOwnerDraw == Value) return;
    FOwnerDraw = Value;
    MenuChanged(nullptr);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        MenuChanged(nullptr);
    }
}

HMENU TMenu::CreateMenuHandle()
{
    return CreatePopupMenu();
}

HMENU TMenu::Handle()
{
    if (!FHandle) {
        FHandle = CreateMenuHandle();
        if (!FHandle) throw EOSError(u"Cannot create a menu");
        Populate(FHandle, FItems);
    }
    return FHandle;
}

void TMenu::DestroyHandle()
{
    if (!FHandle) return;
    DestroyMenu(FHandle);  // the sub-menus go with it
    FHandle = nullptr;
    FindMenuItem(FItems, [](TMenuItem* Item) {
        Item->FHandle = nullptr;
        return false;
    });
}

void TMenu::SetAutoLineReduction(TMenuAutoFlag Value)
{
    if (FAutoLineReduction == Value) return;
    FAutoLineReduction = Value;
    MenuChanged(nullptr);
}

void TMenu::ReduceLines(TMenuItem* Parent)
{
    if (FAutoLineReduction == maAutomatic) Parent->RethinkLines();
    else Parent->KeepAllLines();
}

void TMenu::Populate(HMENU Menu, TMenuItem* Parent)
{
    ReduceLines(Parent);
    UINT Position = 0;
    for (TMenuItem* Item : Parent->FItems) {
        Item->FHandle = nullptr;
        Item->FShownNatively = false;
        if (!Item->FVisible || Item->FHiddenLine) continue;
        MENUITEMINFOW Info = {};
        String Text;
        FillItemInfo(Item, Info, Text);
        if (Item->Count() > 0) {
            Item->FHandle = CreatePopupMenu();
            if (!Item->FHandle) throw EOSError(u"Cannot create a menu");
            Populate(Item->FHandle, Item);
            Info.fMask |= MIIM_SUBMENU;
            Info.hSubMenu = Item->FHandle;
        }
        if (!InsertMenuItemW(Menu, Position, TRUE, &Info)) {
            if (Item->FHandle) DestroyMenu(Item->FHandle);
            Item->FHandle = nullptr;
            throw EOSError(u"Cannot add a menu item");
        }
        Item->FShownNatively = true;
        ++Position;
    }
}

void TMenu::FillItemInfo(TMenuItem* Item, MENUITEMINFOW& Info, String& Text)
{
    Info = {};
    Info.cbSize = sizeof(Info);
    Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    Info.wID = Item->FCommand;
    Info.dwItemData = reinterpret_cast<ULONG_PTR>(Item);
    if (Item->IsLine()) Info.fType |= MFT_SEPARATOR;
    if (Item->FRadioItem) Info.fType |= MFT_RADIOCHECK;
    if (Item->IsOwnerDraw()) Info.fType |= MFT_OWNERDRAW;
    if (Item->FChecked) Info.fState |= MFS_CHECKED;
    if (!Item->FEnabled) Info.fState |= MFS_DISABLED;
    if (Item->FDefault) Info.fState |= MFS_DEFAULT;
    // The text is kept for owner-drawn items too: the hotkeys still work.
    Text = Item->NativeText();
    if (!Item->IsLine()) {
        Info.fMask |= MIIM_STRING;
        Info.dwTypeData = const_cast<wchar_t*>(WStr(Text));
    }
    if (Item->FBitmap && !Item->FBitmap->Empty() && !(Info.fType & MFT_OWNERDRAW)) {
        Info.fMask |= MIIM_BITMAP;
        Info.hbmpItem = Item->FBitmap->Handle();
    }
}

void TMenu::MenuChanged(TMenuItem* Source, bool Rebuild)
{
    if (ComponentState() & csDestroying) return;
    HMENU Native = Source && Source->FParent ? (Source->FParent == FItems ? FHandle : Source->FParent->FHandle) : nullptr;
    if (!Rebuild && Native && Source->FShownNatively && Source->FVisible) {
        MENUITEMINFOW Info;
        String Text;
        FillItemInfo(Source, Info, Text);
        Info.fMask &= ~MIIM_ID;  // found by it
        if (!Info.hbmpItem) {
            Info.fMask |= MIIM_BITMAP;  // a bitmap taken away goes from the entry too
        }
        if (SetMenuItemInfoW(Native, Source->FCommand, FALSE, &Info)) {
            if (OnChange) OnChange(this);
            return;
        }
    }
    if (FHandle) {
        // Rebuilt in place: the window showing the menu keeps its handle.
        while (GetMenuItemCount(FHandle) > 0) DeleteMenu(FHandle, 0, MF_BYPOSITION);
        Populate(FHandle, FItems);
    }
    if (OnChange) OnChange(this);
}

TMenuItem* TMenu::FindItemOfCommand(Word ACommand) const
{
    if (!ACommand) return nullptr;
    return FindMenuItem(FItems, [ACommand](TMenuItem* Item) { return Item->FCommand == ACommand; });
}

TMenuItem* TMenu::FindItemOfHandle(HMENU AHandle) const
{
    if (!AHandle) return nullptr;
    if (AHandle == FHandle) return FItems;
    return FindMenuItem(FItems, [AHandle](TMenuItem* Item) { return Item->FHandle == AHandle; });
}

bool TMenu::DispatchCommand(Word ACommand)
{
    TMenuItem* Item = FindItemOfCommand(ACommand);
    if (!Item) return false;
    Item->Click();  // may free the item or this menu: nothing is touched after it
    return true;
}

bool TMenu::IsShortCut(TWMKey& Message)
{
    const TShortCut Wanted = ::ShortCut(Message.CharCode(), KeyboardShiftState(Message.KeyData()));
    if (!(Wanted & 0xFF)) return false;
    FItems->UpdateActions();
    // Only items the user could reach: every parent enabled and visible.
    std::function<TMenuItem*(TMenuItem*)> Find = [&](TMenuItem* Parent) -> TMenuItem* {
        for (TMenuItem* Item : Parent->FItems) {
            if (!Item->FEnabled || !Item->FVisible) continue;
            if (Item->FShortCut == Wanted) return Item;
            if (TMenuItem* Found = Find(Item)) return Found;
        }
        return nullptr;
    };
    TMenuItem* Item = Find(FItems);
    if (!Item) return false;
    Item->Click();
    return true;
}

bool TMenu::DrawItemMessage(const DRAWITEMSTRUCT& Draw)
{
    if (Draw.CtlType != ODT_MENU) return false;
    auto* Item = reinterpret_cast<TMenuItem*>(Draw.itemData);
    if (!Item || Item->GetParentMenu() != this) return false;
    TCanvas Canvas;
    Canvas.SetHandle(Draw.hDC);
    auto Release = ScopeExit([&] { Canvas.SetHandle(nullptr); });
    TSavedDC Saved(Draw.hDC);
    Item->DrawItem(&Canvas, Rect(Draw.rcItem.left, Draw.rcItem.top, Draw.rcItem.right, Draw.rcItem.bottom),
                   (Draw.itemState & ODS_SELECTED) != 0);
    return true;
}

bool TMenu::MeasureItemMessage(MEASUREITEMSTRUCT& Measure)
{
    if (Measure.CtlType != ODT_MENU) return false;
    auto* Item = reinterpret_cast<TMenuItem*>(Measure.itemData);
    if (!Item || Item->GetParentMenu() != this) return false;
    TClientDC Screen(nullptr);
    TCanvas Canvas;
    Canvas.SetHandle(Screen);
    auto Release = ScopeExit([&] { Canvas.SetHandle(nullptr); });
    Integer Width = 0, Height = 0;
    Item->MeasureItem(&Canvas, Width, Height);
    Measure.itemWidth = static_cast<UINT>(std::max<Integer>(Width, 0));
    Measure.itemHeight = static_cast<UINT>(std::max<Integer>(Height, 0));
    return true;
}

// ---------------------------------------------------------------------------
// TMainMenu

HMENU TMainMenu::CreateMenuHandle()
{
    return CreateMenu();
}

void TMainMenu::SetWindowHandle(HWND Value)
{
    FWindowHandle = Value;
}

void TMainMenu::MenuChanged(TMenuItem* Source, bool Rebuild)
{
    TMenu::MenuChanged(Source, Rebuild);
    if (FWindowHandle && FHandle) DrawMenuBar(FWindowHandle);
}

// ---------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner), FAlive(std::make_shared<bool>(true)) {}

TPopupMenu::~TPopupMenu()
{
    *FAlive = false;
    if (FWindow) DeallocateHWnd(FWindow);
}

void TPopupMenu::SetPopupComponent(TComponent* Value)
{
    if (FPopupComponent == Value) return;
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = Value;
    if (FPopupComponent) FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender)
{
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::DoClose()
{
    if (OnClose) OnClose(this);
}

void TPopupMenu::Popup(Integer X, Integer Y)
{
    std::shared_ptr<bool> Alive = FAlive;
    FPopupPoint = Point(X, Y);
    DoPopup(this);
    if (!*Alive) return;
    FItems->UpdateActions();
    if (!*Alive) return;
    if (!FWindow) FWindow = AllocateHWnd(TWndMethod::Of<&TPopupMenu::WndProc>(this));
    UINT Flags = TPM_RETURNCMD | TPM_RIGHTBUTTON;
    switch (FAlignment) {
    case paLeft: Flags |= TPM_LEFTALIGN; break;
    case paRight: Flags |= TPM_RIGHTALIGN; break;
    case paCenter: Flags |= TPM_CENTERALIGN; break;
    }
    // The chosen command comes back rather than as a posted WM_COMMAND, so the
    // item is clicked exactly once, after the menu has gone.
    const Word Command = static_cast<Word>(TrackPopupMenuEx(Handle(), Flags, X, Y, FWindow, nullptr));
    if (!*Alive) return;
    DoClose();
    if (!*Alive) return;
    if (Command) DispatchCommand(Command);
}

void TPopupMenu::WndProc(TMessage& Message)
{
    try {
        switch (Message.Msg) {
        case WM_DRAWITEM:
            if (DrawItemMessage(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam))) {
                Message.Result = TRUE;
                return;
            }
            break;
        case WM_MEASUREITEM:
            if (MeasureItemMessage(*reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam))) {
                Message.Result = TRUE;
                return;
            }
            break;
        }
    } catch (...) {
        HandleWindowProcException(this);
        return;
    }
    Message.Result = DefWindowProcW(FWindow, Message.Msg, Message.WParam, Message.LParam);
}
