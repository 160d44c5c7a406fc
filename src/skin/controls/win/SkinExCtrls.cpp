#include "skin/controls/win/SkinExCtrls.h"

#include <algorithm>

#include "framework/controls/win/Messages.h"
#include "skin/model/SFControlData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/win/SFGlowText_Win.h"
#include "skin/model/win/SFUtils_Win.h"

// ---------------------------------------------------------------------------
// Items

TsfSkinHorzItem::TsfSkinHorzItem(TCollection* Collection) : inherited(Collection)
{
    if (auto* Items = dynamic_cast<TsfSkinHorzItems*>(Collection); Items && Items->HorzListBox)
        Active = Index() == Items->HorzListBox->ItemIndex();
}

void TsfSkinHorzItem::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TsfSkinHorzItem*>(Source)) {
        FImageIndex = S->FImageIndex;
        FCaption = S->FCaption;
        FEnabled = S->FEnabled;
        Changed(false);
        return;
    }
    inherited::Assign(Source);
}

void TsfSkinHorzItem::SetImageIndex(Integer Value)
{
    FImageIndex = Value;
    Changed(false);
}

void TsfSkinHorzItem::SetCaption(const String& Value)
{
    FCaption = Value;
    Changed(false);
}

void TsfSkinHorzItem::SetEnabled(bool Value)
{
    FEnabled = Value;
    Changed(false);
}

TsfSkinHorzItems::TsfSkinHorzItems(TsfSkinHorzListBox* AListBox)
    : inherited([](TCollection* C) { return new TsfSkinHorzItem(C); }), HorzListBox(AListBox)
{
}

TPersistent* TsfSkinHorzItems::Owner() const { return HorzListBox; }

void TsfSkinHorzItems::Update(TCollectionItem* Item)
{
    inherited::Update(Item);
    if (!HorzListBox) return;
    HorzListBox->Invalidate();
    HorzListBox->UpdateScrollInfo();
}

// ---------------------------------------------------------------------------
// The list

TsfSkinHorzListBox::TsfSkinHorzListBox(TComponent* AOwner)
    : inherited(AOwner), FItems(std::make_unique<TsfSkinHorzItems>(this))
{
    SetControlStyle(ControlStyle() | csAcceptsControls | csReplicatable);
    SetBounds(Left(), Top(), 250, 100);
    SetSkinDataName(u"listbox");
}

TsfSkinHorzListBox::~TsfSkinHorzListBox()
{
    // The collection must not call back while the list goes.
    FItems->HorzListBox = nullptr;
}

void TsfSkinHorzListBox::SetItems(TsfSkinHorzItems* Value)
{
    FItems->Assign(Value);
    Invalidate();
    UpdateScrollInfo();
}

void TsfSkinHorzListBox::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TsfSkinHorzListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FScrollBar) FScrollBar = nullptr;
}

void TsfSkinHorzListBox::SetItemWidth(Integer Value)
{
    if (FCore.ItemWidth == Value) return;
    FCore.ItemWidth = Value;
    Invalidate();
}

void TsfSkinHorzListBox::SetShowGlow(bool Value)
{
    if (FShowGlow == Value) return;
    FShowGlow = Value;
    Invalidate();
}

void TsfSkinHorzListBox::SetShowItemTitles(bool Value)
{
    if (FShowItemTitles == Value) return;
    FShowItemTitles = Value;
    Invalidate();
}

void TsfSkinHorzListBox::SetItemLayout(TsfButtonLayout Value)
{
    FItemLayout = Value;
    Invalidate();
}

void TsfSkinHorzListBox::SetItemMargin(Integer Value)
{
    FItemMargin = Value;
    Invalidate();
}

void TsfSkinHorzListBox::SetItemSpacing(Integer Value)
{
    FItemSpacing = Value;
    Invalidate();
}

TRect TsfSkinHorzListBox::ItemArea() const
{
    return FIndex == -1 ? Rect(2, 2, Width() - 2, Height() - 2) : NewClRect;
}

Integer TsfSkinHorzListBox::BarHeight() const { return FScrollBar ? FScrollBar->Height() : 0; }

void TsfSkinHorzListBox::SyncItems()
{
    FCore.Items.resize(size_t(FItems->Count()));
    for (Integer I = 0; I < FItems->Count(); ++I) FCore.Items[size_t(I)].Enabled = FItems->Items(I)->Enabled();
}

void TsfSkinHorzListBox::CalcItemRects()
{
    SyncItems();
    FCore.CalcItemRects(ItemArea(), BarHeight());
}

void TsfSkinHorzListBox::GetScrollInfo(Integer& AMin, Integer& AMax, Integer& APage, Integer& APosition)
{
    SyncItems();
    FCore.GetScrollInfo(ItemArea(), BarHeight(), AMin, AMax, APage, APosition);
}

void TsfSkinHorzListBox::UpdateScrollInfo()
{
    if (FInUpdateItems) return;
    Integer AMin, AMax, APage, APosition;
    GetScrollInfo(AMin, AMax, APage, APosition);
    if (AMax != 0) {
        if (!FScrollBar) ShowScrollbar();
        FScrollBar->SetRange(AMin, AMax, APosition, APage);
        FScrollBar->SetLargeChange(APage);
    } else if (FScrollBar) {
        HideScrollBar();
    }
}

void TsfSkinHorzListBox::ShowScrollbar()
{
    if (FScrollBar) return;
    FScrollBar = new TsfSkinScrollBar(this);
    FScrollBar->SetVisible(false);
    FScrollBar->SetParent(this);
    FScrollBar->SetDefaultHeight(19);
    FScrollBar->SetDefaultWidth(0);
    FScrollBar->SetSmallChange(FCore.ItemWidth);
    FScrollBar->SetLargeChange(FCore.ItemWidth);
    FScrollBar->SetSkinDataName(u"hscrollbar");
    FScrollBar->SetKind(sbHorizontal);
    FScrollBar->SetSkinData(SkinData());
    FScrollBar->OnChange = [this](TObject*) { Scroll(FScrollBar->Position()); };
    AdjustScrollBar();
    FScrollBar->SetVisible(true);
    Invalidate();
}

void TsfSkinHorzListBox::HideScrollBar()
{
    if (!FScrollBar) return;
    FScrollBar->SetVisible(false);
    delete FScrollBar;
    FScrollBar = nullptr;
    Invalidate();
}

void TsfSkinHorzListBox::AdjustScrollBar()
{
    if (!FScrollBar) return;
    const TRect R = ItemArea();
    const Integer H = FScrollBar->Height();
    FScrollBar->SetBounds(R.Left, R.Bottom - H, R.Width(), H);
}

void TsfSkinHorzListBox::Scroll(Integer AScrollOffset)
{
    FCore.ScrollOffset = AScrollOffset;
    Invalidate();
    UpdateScrollInfo();
}

void TsfSkinHorzListBox::ScrollToItem(Integer Index)
{
    SyncItems();
    const Integer Old = FCore.ScrollOffset;
    FCore.ScrollToItem(Index, ItemArea(), BarHeight(), Width());
    if (FCore.ScrollOffset != Old) Invalidate();
    UpdateScrollInfo();
}

Integer TsfSkinHorzListBox::ItemAtPos(Integer X, Integer Y)
{
    CalcItemRects();
    return FCore.ItemAtPos(X, Y);
}

Integer TsfSkinHorzListBox::CalcWidth(Integer AItemsCount)
{
    SyncItems();
    return FCore.CalcWidth(AItemsCount, FIndex == -1 ? 5 : Width() - NewClRect.Width() + 1);
}

void TsfSkinHorzListBox::BeginUpdateItems()
{
    FInUpdateItems = true;
    if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, 0, 0);
}

void TsfSkinHorzListBox::EndUpdateItems()
{
    FInUpdateItems = false;
    if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, 1, 0);
    Invalidate();
    UpdateScrollInfo();
}

void TsfSkinHorzListBox::SetItemIndex(Integer Value)
{
    FItemIndex = Value;
    if (Value < 0) {
        Invalidate();
        return;
    }
    bool Marked = false;
    for (Integer I = 0; I < FItems->Count(); ++I) {
        FItems->Items(I)->Active = I == Value;
        Marked = Marked || I == Value;
    }
    Invalidate();
    ScrollToItem(Value);
    if (Marked && !(ComponentState() & (csDesigning | csLoading))) {
        if (TsfSkinHorzItem* It = FItems->Items(Value); It->OnClick) It->OnClick(this);
        if (OnItemClick) OnItemClick(this);
    }
}

void TsfSkinHorzListBox::SetActiveItem(Integer Index)
{
    FItemIndex = Index;
    for (Integer I = 0; I < FItems->Count(); ++I) FItems->Items(I)->Active = I == Index;
    Invalidate();
    ScrollToItem(Index);
}

void TsfSkinHorzListBox::FindUp()
{
    CalcItemRects();
    if (const Integer I = FCore.FindUp(FItemIndex); I != -1) SetItemIndex(I);
}

void TsfSkinHorzListBox::FindDown()
{
    CalcItemRects();
    if (const Integer I = FCore.FindDown(FItemIndex); I != -1) SetItemIndex(I);
}

void TsfSkinHorzListBox::FindPageUp()
{
    CalcItemRects();
    if (const Integer I = FCore.FindPageUp(FItemIndex); I != -1) SetItemIndex(I);
}

void TsfSkinHorzListBox::FindPageDown()
{
    CalcItemRects();
    if (const Integer I = FCore.FindPageDown(FItemIndex); I != -1) SetItemIndex(I);
}

void TsfSkinHorzListBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const Integer I = ItemAtPos(X, Y);
    if (I == -1) return;
    SetActiveItem(I);
    FMouseDown = true;
    FMouseActive = I;
}

void TsfSkinHorzListBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    FMouseDown = false;
    if (Button != mbLeft) return;
    if (const Integer I = ItemAtPos(X, Y); I != -1) SetItemIndex(I);
}

void TsfSkinHorzListBox::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseMove(Shift, X, Y);
    const Integer I = ItemAtPos(X, Y);
    if (I != -1 && (FMouseDown || FMouseMoveChangeIndex) && I != FMouseActive) {
        SetActiveItem(I);
        FMouseActive = I;
    }
}

void TsfSkinHorzListBox::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    switch (Key) {
    case VK_PRIOR:
        FindPageUp();
        break;
    case VK_NEXT:
        FindPageDown();
        break;
    case VK_LEFT:
    case VK_UP:
        FindUp();
        break;
    case VK_RIGHT:
    case VK_DOWN:
        FindDown();
        break;
    default:
        break;
    }
}

void TsfSkinHorzListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_MOUSEWHEEL:
        inherited::WndProc(Message);
        if (FScrollBar) {
            const short Delta = short(HIWORD(Message.WParam));
            FScrollBar->SetPosition(FScrollBar->Position() +
                                    (Delta < 0 ? FScrollBar->SmallChange() : -FScrollBar->SmallChange()));
        }
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The click takes the focus first; a click that could not take it is dropped.
        if (!Designing() && !Focused() && HandleAllocated()) {
            FClicksDisabled = true;
            ::SetFocus(Handle());
            FClicksDisabled = false;
            if (!Focused()) return;
        }
        break;
    case CN_COMMAND:
        if (FClicksDisabled) return;
        break;
    default:
        break;
    }
    inherited::WndProc(Message);
}

void TsfSkinHorzListBox::WMSetFocus(TMessage& Message)
{
    inherited::WMSetFocus(Message);
    Invalidate();
}

void TsfSkinHorzListBox::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    Invalidate();
}

void TsfSkinHorzListBox::WMSize(TMessage& Message)
{
    inherited::WMSize(Message);
    if (FOldWidth != -1 && FOldWidth != Width()) {
        SyncItems();
        if (FCore.WidthChanged(ItemArea(), BarHeight())) Invalidate();
    }
    AdjustScrollBar();
    UpdateScrollInfo();
    FOldWidth = Width();
}

void TsfSkinHorzListBox::Loaded()
{
    inherited::Loaded();
    if (FItemIndex != -1) ScrollToItem(FItemIndex);
}

void TsfSkinHorzListBox::ChangeSkinData()
{
    inherited::ChangeSkinData();
    FDisabledFontColor = TColor(0x808080);
    if (TsfSkinData* SD = SkinData(); SD && !SD->Empty) {
        const Integer E = SD->GetControlIndex(u"edit");
        auto* D = E != -1 ? dynamic_cast<TsfDataSkinEditControl*>(SD->CtrlList[E].get()) : nullptr;
        FDisabledFontColor = D ? D->DisabledFontColor : SkinRoleColor(SD, &TsfSkinColors::cBtnShadow, clBtnShadow);
    }
    if (FScrollBar) {
        FScrollBar->SetSkinData(SkinData());
        AdjustScrollBar();
    }
    CalcItemRects();
    Invalidate();
}

// ---------------------------------------------------------------------------
// Painting

void TsfSkinHorzListBox::DrawItems(TsfBitmap* B)
{
    CalcItemRects();
    TCanvas* C = B->Canvas();
    const TRect& A = FCore.ItemsRect;
    TSavedDC Saved(C->Handle());
    IntersectClipRect(C->Handle(), A.Left, A.Top, A.Right, A.Bottom);
    for (Integer I = 0; I < FItems->Count(); ++I)
        if (FCore.Items[size_t(I)].IsVisible) DrawItem(I, C);
}

void TsfSkinHorzListBox::CreateControlDefaultImage(TsfBitmap* B)
{
    TCanvas* C = B->Canvas();
    C->Brush()->SetColor(clWindow);
    C->FillRect(Rect(0, 0, Width(), Height()));
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect(Rect(0, 0, Width(), Height()));
    DrawItems(B);
}

void TsfSkinHorzListBox::CreateControlSkinImage(TsfBitmap* B)
{
    inherited::CreateControlSkinImage(B);
    DrawItems(B);
}

void TsfSkinHorzListBox::DrawItem(Integer Index, TCanvas* Cnvs)
{
    if (FIndex == -1) DefaultDrawItem(Index, Cnvs);
    else SkinDrawItem(Index, Cnvs);
}

void TsfSkinHorzListBox::DefaultDrawItem(Integer Index, TCanvas* Cnvs)
{
    TsfSkinHorzItem* It = FItems->Items(Index);
    const TRect IR = ItemRect(Index);
    const bool Highlight = It->Active && !FShowGlow;
    Cnvs->Font()->Assign(DefaultFont());
    Cnvs->Font()->SetColor(Highlight ? clHighlightText : It->Enabled() ? clWindowText : TColor(0x808080));
    TSavedDC Saved(Cnvs->Handle());
    IntersectClipRect(Cnvs->Handle(), IR.Left, IR.Top, IR.Right, IR.Bottom);
    Cnvs->Brush()->SetStyle(bsSolid);
    Cnvs->Brush()->SetColor(Highlight ? clHighlight : clWindow);
    Cnvs->FillRect(IR);
    Cnvs->Brush()->SetStyle(bsClear);
    const TRect R = Rect(IR.Left + 2, IR.Top + 2, IR.Right - 2, IR.Bottom - 2);
    if (OnDrawItem) OnDrawItem(Cnvs, Index, R);
    else if (FShowGlow && It->Active)
        DrawImageAndTextGlow(Cnvs, R, FItemMargin, FItemSpacing, FItemLayout, It->Caption(), It->ImageIndex(), FImages,
                             false, It->Enabled(), false, clNone, TColor(0xFFFF00), 7);
    else
        DrawImageAndText(Cnvs, R, FItemMargin, FItemSpacing, FItemLayout, It->Caption(), It->ImageIndex(), FImages,
                         false, It->Enabled(), false, clNone);
    if (It->Active && Focused()) {
        RECT r{IR.Left, IR.Top, IR.Right, IR.Bottom};
        ::DrawFocusRect(Cnvs->Handle(), &r);
    }
}

void TsfSkinHorzListBox::SkinDrawItem(Integer Index, TCanvas* Cnvs)
{
    TsfSkinData* SD = SkinData();
    const Integer LI = SD ? SD->GetControlIndex(u"listbox") : -1;
    auto* D = LI != -1 ? dynamic_cast<TsfDataSkinListBox*>(SD->CtrlList[LI].get()) : nullptr;
    if (!D) return;
    TsfSkinHorzItem* It = FItems->Items(Index);
    const TRect IR = ItemRect(Index);
    const TRect R = Rect(IR.Left + 2, IR.Top + 2, IR.Right - 2, IR.Bottom - 2);
    Cnvs->Brush()->SetStyle(bsClear);
    if (D->FontColor == FDisabledFontColor && D->FontColor == 0) FDisabledFontColor = TColor(0x808080);
    auto SetFont = [&](TCanvas* C, TColor Color) {
        if (UseSkinFont()) {
            C->Font()->SetName(D->FontName);
            C->Font()->SetHeight(D->FontHeight);
            C->Font()->SetStyle(D->FontStyle);
        } else {
            C->Font()->Assign(DefaultFont());
        }
        C->Font()->SetColor(Color);
        SetSkinCharset(C->Font(), SD);
    };
    const bool OwnColours = SkinDataName() == u"listbox" || SkinDataName() == u"memo";
    const TColor Enabled = OwnColours ? D->FontColor : SkinRoleColor(SD, &TsfSkinColors::cBtnText, clBtnText);
    SetFont(Cnvs, It->Enabled() ? Enabled : FDisabledFontColor);
    if (It->Active && It->Enabled() && !FShowGlow) {
        TsfBitmap Item;
        Item.SetSize(IR.Width(), IR.Height());
        if (Picture) CreateStretchImage(&Item, Picture, Focused() ? D->FocusItemRect : D->ActiveItemRect,
                                        D->ItemTextRect, true);
        TCanvas* IC = Item.Canvas();
        SetFont(IC, Focused() ? D->FocusFontColor : D->ActiveFontColor);
        IC->Brush()->SetStyle(bsClear);
        const TRect CR = Rect(2, 2, Item.Width() - 2, Item.Height() - 2);
        if (OnDrawItem) OnDrawItem(IC, Index, CR);
        else
            DrawImageAndText(IC, CR, FItemMargin, FItemSpacing, FItemLayout, It->Caption(), It->ImageIndex(),
                             FImages, false, It->Enabled(), false, clNone);
        BitBlt(Cnvs->Handle(), IR.Left, IR.Top, Item.Width(), Item.Height(), Item.DC(), 0, 0, SRCCOPY);
        return;
    }
    TSavedDC Saved(Cnvs->Handle());
    IntersectClipRect(Cnvs->Handle(), IR.Left, IR.Top, IR.Right, IR.Bottom);
    if (OnDrawItem) OnDrawItem(Cnvs, Index, R);
    else if (It->Active && It->Enabled() && FShowGlow)
        DrawImageAndTextGlow(Cnvs, R, FItemMargin, FItemSpacing, FItemLayout, It->Caption(), It->ImageIndex(), FImages,
                             false, this->Enabled(), false, clNone,
                             SkinRoleColor(SD, &TsfSkinColors::cHighLight, clHighlight), 7);
    else
        DrawImageAndText(Cnvs, R, FItemMargin, FItemSpacing, FItemLayout, It->Caption(), It->ImageIndex(), FImages,
                         false, It->Enabled(), false, clNone);
}
