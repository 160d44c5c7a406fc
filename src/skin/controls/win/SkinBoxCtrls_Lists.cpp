// The skinned list box, combo box and font combos of SkinBoxCtrls.
#include <algorithm>

#include "framework/controls/win/Forms.h"
#include "framework/controls/win/Messages.h"
#include "framework/controls/win/Printers.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

// The drop-down fades in one step every 5 ms.
constexpr Cardinal PopupFadeTimer = 9;
constexpr Cardinal PopupFadeInterval = 5;

bool HasArea(const TRect& R) { return !IsNullRect(R); }

void OffsetRect(TRect& R, Integer DX, Integer DY)
{
    R.Left += DX;
    R.Right += DX;
    R.Top += DY;
    R.Bottom += DY;
}

void InflateRect(TRect& R, Integer DX, Integer DY)
{
    R.Left -= DX;
    R.Right += DX;
    R.Top -= DY;
    R.Bottom += DY;
}

// The look of a caption button of the built-in look by its state.
void DrawDefaultCaptionButtonFace(TCanvas* C, const TRect& R, TsfPartState State)
{
    if (State == psNormal) {
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(R);
        return;
    }
    C->Brush()->SetColor(State == psPressed ? TColor(0xB59385) : TColor(0xD2BDB6));
    C->FillRect(R);
    C->Brush()->SetColor(TColor(0x800000));
    C->FrameRect(R);
}

// Item text: tabbed with tab stops, else clipped on one line, centred vertically.
void DrawItemText(TCanvas* C, const String& Text, const TRect& R, Integer Indent, const std::vector<Integer>& Tabs)
{
    if (!Tabs.empty()) {
        std::vector<INT> Stops(Tabs.begin(), Tabs.end());
        const Integer TH = C->TextHeight(u"Wg");
        Integer Y = R.Top + R.Height() / 2 - TH / 2;
        if (IsOddFontHeight(C)) --Y;
        TabbedTextOutW(C->Handle(), R.Left + Indent + 2, Y, reinterpret_cast<LPCWSTR>(Text.c_str()),
                       Integer(Text.size()), Integer(Stops.size()), Stops.data(), 0);
        return;
    }
    DrawClippedTextIndent(C, Text, R, Indent + 2);
}

}  // namespace

// ---------------------------------------------------------------------------
// The inner list

TsfListBox::TsfListBox(TComponent* AOwner) : inherited(AOwner)
{
    SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);
    SetBorderStyle(bsNone);
}

void TsfListBox::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style = (Params.Style & ~DWORD(WS_BORDER)) | WS_TABSTOP;
    Params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    Params.WindowClass.style = CS_DBLCLKS;
}

void TsfListBox::CreateWnd()
{
    inherited::CreateWnd();
    if (SkinListBox) SkinListBox->ListBoxCreateWnd();
}

void TsfListBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    const Integer OldWidth = Width();
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    // The right end of wide items stays in view while narrowing.
    if (OldWidth != AWidth && FHorizontalExtentValue >= 1) {
        FHorizontalExtentValue = std::max<Integer>(0, FHorizontalExtentValue + (OldWidth - AWidth));
        Invalidate();
    }
}

TOwnerDrawState TsfListBox::GetItemState(Integer Index)
{
    if (Index == ItemIndex()) return odSelected | (Focused() ? odFocused : 0);
    if (SelCount() >= 1 && Selected(Index)) return odSelected;
    return 0;
}

void TsfListBox::WndProc(TMessage& Message)
{
    if (SkinListBox) {
        bool Continue = true;
        SkinListBox->ListBoxWProc(Message, Continue);
        if (!Continue) return;
    }
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        Message.Result = 0;
        return;
    case WM_NCHITTEST:
        Message.Result = HTCLIENT;
        return;
    case WM_PAINT: {
        if (Message.WParam) {
            PaintWindow(reinterpret_cast<HDC>(Message.WParam));
        } else {
            TPaintDC DC(Handle());
            PaintWindow(DC);
        }
        Message.Result = 0;
        return;
    }
    case WM_ERASEBKGND:
        if (Width() > 0 && Height() > 0) PaintBG(reinterpret_cast<HDC>(Message.WParam), Rect(0, 0, Width(), Height()));
        Message.Result = 1;
        if (SkinListBox) SkinListBox->UpDateScrollBar();
        return;
    case WM_PAINTBACKGROUNDINTO:
        // A request for the list's background only (an empty list's paint).
        if (Message.LParam == PaintIntoKey) {
            if (Width() > 0 && Height() > 0)
                PaintBG(reinterpret_cast<HDC>(Message.WParam), Rect(0, 0, Width(), Height()));
            Message.Result = PaintIntoKey;
            return;
        }
        break;
    case WM_PAINTFRAMEINTO:
        Message.Result = PaintFrameIntoAnswer;
        return;
    case WM_MOUSEWHEEL:
        inherited::WndProc(Message);
        if (SkinListBox && HandleAllocated()) {
            const short Delta = short(HIWORD(Message.WParam));
            if (SkinListBox->FScrollBar) {
                SendMessageW(Handle(), WM_VSCROLL, Delta < 0 ? SB_LINEDOWN : SB_LINEUP, 0);
                SkinListBox->UpDateScrollBar();
            } else if (TsfSkinScrollBar* H = SkinListBox->FHScrollBar) {
                H->SetPosition(H->Position() + (Delta < 0 ? H->SmallChange() : -H->SmallChange()));
            }
        }
        return;
    default:
        break;
    }
    inherited::WndProc(Message);
    switch (Message.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
        if (SkinListBox) SkinListBox->UpDateScrollBar();
        break;
    default:
        break;
    }
}

void TsfListBox::PaintBG(HDC DC, const TRect& R)
{
    if (!SkinListBox || !SkinListBox->HasListSkin() || !SkinListBox->Picture) {
        TSolidBrush Brush(ColorToRGB(clWindow));
        RECT r{R.Left, R.Top, R.Right, R.Bottom};
        FillRect(DC, &r, Brush.Handle());
        return;
    }
    // The skin's client piece tiled over the area.
    TsfSkinCustomListBox* S = SkinListBox;
    TRect Piece = S->ClRect;
    OffsetRect(Piece, S->SkinRect.Left, S->SkinRect.Top);
    const Integer PW = Piece.Width(), PH = Piece.Height();
    if (PW <= 0 || PH <= 0) return;
    TsfBitmap Tile;
    Tile.SetSize(PW, PH);
    SkinCopyRect(&Tile, Rect(0, 0, PW, PH), S->Picture, Piece);
    for (Integer Y = R.Top; Y < R.Bottom; Y += PH)
        for (Integer X = R.Left; X < R.Right; X += PW)
            BitBlt(DC, X, Y, std::min(PW, R.Right - X), std::min(PH, R.Bottom - Y), Tile.DC(), 0, 0, SRCCOPY);
}

void TsfListBox::PaintWindow(HDC DC)
{
    if (Width() <= 0 || Height() <= 0 || !SkinListBox) return;
    TSavedDC Saved(DC);
    const TsfListRows Rows = ListVisibleRows(TopIndex(), Count(), Height(), ItemHeight(), Columns());
    for (Integer I = Rows.First; I <= Rows.Last; ++I) SkinListBox->PaintItem(DC, I, ItemRect(I), GetItemState(I));
    if (Columns() <= 0 && Rows.Rest < Height()) PaintBG(DC, Rect(0, Rows.Rest, Width(), Height()));
}

void TsfListBox::CNDrawItem(TMessage& Message)
{
    auto* Item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    if (SkinListBox)
        SkinListBox->PaintItem(Item->hDC, Integer(Item->itemID),
                               Rect(Item->rcItem.left, Item->rcItem.top, Item->rcItem.right, Item->rcItem.bottom),
                               TOwnerDrawState(LOWORD(Item->itemState)));
    Message.Result = 1;
}

void TsfListBox::KeyDown(Word& Key, TShiftState Shift)
{
    if (SkinListBox) {
        SkinListBox->ListBoxKeyDown(Key, Shift);
        TsfSkinScrollBar* H = SkinListBox->FHScrollBar;
        if (H && (Key == VK_LEFT || Key == VK_RIGHT)) {
            H->SetPosition(H->Position() + (Key == VK_LEFT ? -H->SmallChange() : H->SmallChange()));
            Key = 0;
            return;
        }
    }
    inherited::KeyDown(Key, Shift);
}

void TsfListBox::KeyUp(Word& Key, TShiftState Shift)
{
    if (SkinListBox) SkinListBox->ListBoxKeyUp(Key, Shift);
    inherited::KeyUp(Key, Shift);
}

void TsfListBox::KeyPress(Char& Key)
{
    if (SkinListBox) SkinListBox->ListBoxKeyPress(Key);
    inherited::KeyPress(Key);
    // The own search replaces the platform's one-letter one.
    if (Key != 0 && SkinListBox && SkinListBox->SearchKey(Key)) Key = 0;
}

void TsfListBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (SkinListBox) SkinListBox->ListBoxMouseDown(Button, Shift, X, Y);
    inherited::MouseDown(Button, Shift, X, Y);
}

void TsfListBox::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (SkinListBox) SkinListBox->ListBoxMouseMove(Shift, X, Y);
    inherited::MouseMove(Shift, X, Y);
}

void TsfListBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (SkinListBox) SkinListBox->ListBoxMouseUp(Button, Shift, X, Y);
    inherited::MouseUp(Button, Shift, X, Y);
}

void TsfListBox::Click()
{
    if (SkinListBox) SkinListBox->ListBoxClick();
    inherited::Click();
}

void TsfListBox::DblClick()
{
    if (SkinListBox) SkinListBox->ListBoxDblClick();
    inherited::DblClick();
}

void TsfListBox::DoEnter()
{
    if (SkinListBox) SkinListBox->ListBoxEnter();
    inherited::DoEnter();
}

void TsfListBox::DoExit()
{
    if (SkinListBox) SkinListBox->ListBoxExit();
    inherited::DoExit();
}

// ---------------------------------------------------------------------------
// The list box

TsfSkinCustomListBox::TsfSkinCustomListBox(TComponent* AOwner)
    : inherited(AOwner),
      FTabWidths(std::make_unique<TStringList>()),
      FGlyph(std::make_unique<TBitmap>()),
      FDefaultCaptionFont(std::make_unique<TFont>())
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks |
                    csReplicatable);
    FForceBackground = true;
    FDrawbackground = false;
    FDefaultCaptionFont->SetName(u"Arial");
    FDefaultCaptionFont->SetHeight(14);
    Font()->SetName(u"Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    FListBox = new TsfListBox(this);
    FListBox->SkinListBox = this;
    FListBox->SetStyle(lbOwnerDrawFixed);
    FListBox->SetItemHeight(FDefaultItemHeight);
    FListBox->SetParent(this);
    SetBounds(Left(), Top(), 120, 120);
    SetSkinDataName(u"listbox");
}

TsfSkinCustomListBox::~TsfSkinCustomListBox()
{
    SkinClock()->StopTimers(this);
    // The inner list must not call back while the outer control goes.
    if (FListBox) FListBox->SkinListBox = nullptr;
}

void TsfSkinCustomListBox::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.WindowClass.style &= ~DWORD(CS_HREDRAW | CS_VREDRAW);
}

void TsfSkinCustomListBox::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Invalidate();
}

void TsfSkinCustomListBox::SetNumGlyphs(Integer Value)
{
    FNumGlyphs = std::clamp<Integer>(Value, 1, 2);
    Invalidate();
}

void TsfSkinCustomListBox::SetSpacing(Integer Value)
{
    FSpacing = Value;
    Invalidate();
}

bool TsfSkinCustomListBox::SearchKey(Char Key)
{
    if (!FAutoComplete || Key < u' ') return false;
    const String S = FTypeAhead.Key(Key, SkinClock()->Now(), true);
    const Integer I = FindItemPrefix(*Items(), S, TsfTypeAhead::SearchAfter(S, ItemIndex()));
    if (I != -1 && I != ItemIndex()) {
        FListBox->SetItemIndex(I);
        UpDateScrollBar();
        FListBox->Click();
    }
    return true;
}

void TsfSkinCustomListBox::SetItems(TStrings* Value)
{
    FListBox->Items()->Assign(Value);
    UpDateScrollBar();
}

void TsfSkinCustomListBox::Clear()
{
    FListBox->Clear();
    UpDateScrollBar();
}

void TsfSkinCustomListBox::SetSorted(bool Value)
{
    if (FScrollBar && FScrollBar->Visible()) HideScrollBar();
    FListBox->SetSorted(Value);
}

void TsfSkinCustomListBox::SetColumns(Integer Value)
{
    FListBox->SetColumns(Value);
    UpDateScrollBar();
}

void TsfSkinCustomListBox::SetRowCount(Integer Value)
{
    FRowCount = Value;
    if (FRowCount != 0) SetBounds(Left(), Top(), Width(), CalcHeight(FRowCount));
    UpDateScrollBar();
}

void TsfSkinCustomListBox::SetHorizontalExtent(bool Value)
{
    FHorizontalExtent = Value;
    UpDateScrollBar();
}

void TsfSkinCustomListBox::SetDefaultItemHeight(Integer Value)
{
    FDefaultItemHeight = Value;
    if (FIndex == -1 || !FUseSkinItemHeight) FListBox->SetItemHeight(SafeItemHeight(Value));
    UpDateScrollBar();
}

void TsfSkinCustomListBox::SetDefaultCaptionHeight(Integer Value)
{
    FDefaultCaptionHeight = Value;
    if (FIndex == -1) {
        CalcRects();
        Invalidate();
    }
}

void TsfSkinCustomListBox::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    CalcRects();
    Invalidate();
}

void TsfSkinCustomListBox::SetShowCaptionButtons(bool Value)
{
    if (FShowCaptionButtons == Value) return;
    FShowCaptionButtons = Value;
    Invalidate();
}

void TsfSkinCustomListBox::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (FCaptionMode) Invalidate();
}

void TsfSkinCustomListBox::SetTabWidths(TStrings* Value)
{
    FTabWidths->Assign(Value);
    if (FTabWidths->Count() > 0) FListBox->Invalidate();
}

void TsfSkinCustomListBox::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    FListBox->Invalidate();
}

void TsfSkinCustomListBox::SetImageIndex(Integer Value)
{
    FImageIndex = Value;
    FListBox->Invalidate();
}

void TsfSkinCustomListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FScrollBar) FScrollBar = nullptr;
    if (AComponent == FHScrollBar) FHScrollBar = nullptr;
    if (AComponent == FListBox) FListBox = nullptr;
}

Integer TsfSkinCustomListBox::CalcHeight(Integer AItemsCount)
{
    const Integer HB = FHScrollBar ? FHScrollBar->Height() : 0;
    return ListCalcHeight(HasListSkin(), AItemsCount, ItemHeight(), FCaptionMode, FDefaultCaptionHeight,
                          SkinRect.Height(), ClRect.Height(), HB);
}

void TsfSkinCustomListBox::GetSkinData()
{
    inherited::GetSkinData();
    FHasSkin = false;
    if (FIndex == -1) return;
    auto* D = dynamic_cast<TsfDataSkinListBox*>(SkinData()->CtrlList[FIndex].get());
    if (!D) return;
    FSkin.SItemRect = D->SItemRect;
    FSkin.ActiveItemRect = HasArea(D->ActiveItemRect) ? D->ActiveItemRect : D->SItemRect;
    FSkin.FocusItemRect = HasArea(D->FocusItemRect) ? D->FocusItemRect : D->SItemRect;
    FSkin.ItemLeftOffset = D->ItemLeftOffset;
    FSkin.ItemRightOffset = D->ItemRightOffset;
    FSkin.ItemTextRect = D->ItemTextRect;
    FSkin.FontName = D->FontName;
    FSkin.FontStyle = D->FontStyle;
    FSkin.FontHeight = D->FontHeight;
    FSkin.FontColor = D->FontColor;
    FSkin.ActiveFontColor = D->ActiveFontColor;
    FSkin.FocusFontColor = D->FocusFontColor;
    FSkin.CaptionRect = D->CaptionRect;
    FSkin.CaptionFontName = D->CaptionFontName;
    FSkin.CaptionFontStyle = D->CaptionFontStyle;
    FSkin.CaptionFontHeight = D->CaptionFontHeight;
    FSkin.CaptionFontColor = D->CaptionFontColor;
    FSkin.UpButtonRect = D->UpButtonRect;
    FSkin.ActiveUpButtonRect = D->ActiveUpButtonRect;
    FSkin.DownUpButtonRect = HasArea(D->DownUpButtonRect) ? D->DownUpButtonRect : D->ActiveUpButtonRect;
    FSkin.DownButtonRect = D->DownButtonRect;
    FSkin.ActiveDownButtonRect = D->ActiveDownButtonRect;
    FSkin.DownDownButtonRect = HasArea(D->DownDownButtonRect) ? D->DownDownButtonRect : D->ActiveDownButtonRect;
    FSkin.CheckButtonRect = D->CheckButtonRect;
    FSkin.ActiveCheckButtonRect = D->ActiveCheckButtonRect;
    FSkin.DownCheckButtonRect =
        HasArea(D->DownCheckButtonRect) ? D->DownCheckButtonRect : D->ActiveCheckButtonRect;
    FSkin.VScrollBarName = D->VScrollBarName.empty() ? String(u"vscrollbar") : D->VScrollBarName;
    FSkin.HScrollBarName = D->HScrollBarName.empty() ? String(u"hscrollbar") : D->HScrollBarName;
    FSkin.BothScrollBarName = D->BothScrollBarName.empty() ? String(u"bothhscrollbar") : D->BothScrollBarName;
    FSkin.ShowFocus = D->ShowFocus;
    FSkin.DisabledButtonsRect = D->DisabledButtonsRect;
    FSkin.ButtonsArea = D->ButtonsArea;
    FHasSkin = true;
}

void TsfSkinCustomListBox::OnDefaultFontChange()
{
    if (FIndex == -1) Font()->Assign(DefaultFont());
}

void TsfSkinCustomListBox::ChangeSkinData()
{
    inherited::ChangeSkinData();
    FStopUpDateHScrollBar = true;
    if (!HasListSkin()) {
        FListBox->SetItemHeight(SafeItemHeight(FDefaultItemHeight));
        FListBox->Font()->Assign(DefaultFont());
    } else if (FUseSkinItemHeight) {
        // A skin's empty item picture would give a zero height.
        FListBox->SetItemHeight(SafeItemHeight(FSkin.SItemRect.Height()));
    }
    const bool Cols = FListBox->Columns() > 0;
    if (FScrollBar) {
        FScrollBar->SetSkinDataName(HasListSkin() ? (Cols ? FSkin.HScrollBarName : FSkin.VScrollBarName) : u"");
        FScrollBar->SetSkinData(SkinData());
    }
    if (FHScrollBar) {
        if (!HasListSkin()) {
            FHScrollBar->SetSkinDataName(u"");
            if (FScrollBar) FHScrollBar->SetBothMarkerWidth(19);
        } else {
            FHScrollBar->SetSkinDataName(FScrollBar ? FSkin.BothScrollBarName : FSkin.HScrollBarName);
        }
        FHScrollBar->SetSkinData(SkinData());
    }
    if (FRowCount != 0) SetBounds(Left(), Top(), Width(), CalcHeight(FRowCount));
    CalcRects();
    FStopUpDateHScrollBar = false;
    UpDateScrollBar();
    FListBox->Invalidate();
}

void TsfSkinCustomListBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex == -1) Invalidate();
}

void TsfSkinCustomListBox::WMSize(TMessage& Message)
{
    inherited::WMSize(Message);
    CalcRects();
    UpDateScrollBar();
}

void TsfSkinCustomListBox::CalcRects()
{
    if (!FListBox) return;
    TsfListLayoutIn In;
    In.Width = Width();
    In.Height = Height();
    In.Skinned = HasListSkin();
    if (In.Skinned) {
        In.NewClRect = ClRect;
        In.NewClRect.Right += Width() - SkinRect.Width();
        In.NewClRect.Bottom += Height() - SkinRect.Height();
        NewClRect = In.NewClRect;
    }
    In.CaptionHeight = FCaptionMode ? FDefaultCaptionHeight : 0;
    In.Columns = FListBox->Columns() > 0;
    In.MainBar = FScrollBar != nullptr;  // placed before it is first shown
    if (FScrollBar) {
        In.MainBarWidth = FScrollBar->Width();
        In.MainBarHeight = FScrollBar->Height();
    }
    In.HBar = FHScrollBar && FHScrollBar->Visible();
    if (FHScrollBar) In.HBarHeight = FHScrollBar->Height();
    const TsfListLayout L = ListLayout(In);
    if (In.HBar && !In.Columns) FHScrollBar->SetBounds(L.HBar.Left, L.HBar.Top, L.HBar.Width(), L.HBar.Height());
    if (In.MainBar) FScrollBar->SetBounds(L.MainBar.Left, L.MainBar.Top, L.MainBar.Width(), L.MainBar.Height());
    ListRect = L.List;
    FListBox->SetBounds(ListRect.Left, ListRect.Top, ListRect.Width(), ListRect.Height());
}

Integer TsfSkinCustomListBox::GetItemTextWidth(Integer Index, TCanvas* Canvas)
{
    return Canvas->TextWidth(FListBox->Items()->Strings(Index));
}

void TsfSkinCustomListBox::UpDateScrollBar()
{
    if (!FListBox || !FListBox->HandleAllocated() || FInUpdate) return;
    FInUpdate = true;
    auto Done = ScopeExit([this] { FInUpdate = false; });
    const HWND W = FListBox->Handle();
    const Integer Count = FListBox->Count();
    const Integer IH = ItemHeight();
    if (FListBox->Columns() <= 0) {
        // The horizontal bar of wide item texts.
        if (!FHorizontalExtent || FStopUpDateHScrollBar) {
            if (FHScrollBar && FHScrollBar->Visible()) HideHScrollBar();
        } else {
            TCanvas* C = FListBox->Canvas();
            TClientDC DC(W);
            C->SetHandle(DC);
            auto Release = ScopeExit([C] { C->SetHandle(nullptr); });
            if (HasListSkin() && UseSkinFont()) {
                C->Font()->SetName(FSkin.FontName);
                C->Font()->SetStyle(FSkin.FontStyle);
                C->Font()->SetHeight(FSkin.FontHeight);
            } else {
                C->Font()->Assign(FListBox->Font());
            }
            Integer AMax = 0;
            for (Integer I = 0; I < Count; ++I) AMax = std::max(AMax, GetItemTextWidth(I, C));
            const Integer Page = ListTextPage(FListBox->Width(), HasListSkin(), FSkin.ItemTextRect.Width(),
                                              FSkin.SItemRect.Width(), FImages ? FImages->Width() : 0);
            if (Page < AMax) {
                if (!FHScrollBar) ShowHScrollBar();
                FHScrollBar->SetRange(0, AMax, FHScrollBar->Position(), Page);
                const Integer Step = C->TextWidth(u"0");
                FHScrollBar->SetSmallChange(Step);
                FHScrollBar->SetLargeChange(Step);
            } else if (FHScrollBar && FHScrollBar->Visible()) {
                HideHScrollBar();
            }
        }
        if (FRowCount < 1 || FRowCount != Count) {
            SCROLLINFO SI{sizeof(SI), SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
            GetScrollInfo(W, SB_VERT, &SI);
            const TsfListBarRange R = ListVerticalBar(SI.nMin, SI.nMax, SI.nPos, FListBox->Height(), IH, Count);
            if (R.Show) {
                if (!FScrollBar) ShowScrollBar();
                FScrollBar->SetRange(R.Min, R.Max, R.Position, R.Page);
                FScrollBar->SetLargeChange(R.Page);
                return;
            }
            if (FScrollBar && FScrollBar->Visible()) HideScrollBar();
        }
        return;
    }
    SCROLLINFO SI{sizeof(SI), SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(W, SB_HORZ, &SI);
    const TsfListBarRange R =
        ListColumnsBar(SI.nMin, SI.nMax, SI.nPos, FListBox->Columns(), FListBox->Height(), IH, Count);
    if (R.Show) {
        if (!FScrollBar) ShowScrollBar();
        FScrollBar->SetRange(R.Min, R.Max, R.Position, R.Page);
        return;
    }
    if (FScrollBar && FScrollBar->Visible()) HideScrollBar();
}

void TsfSkinCustomListBox::ShowScrollBar()
{
    const bool Cols = FListBox->Columns() > 0;
    FScrollBar = new TsfSkinScrollBar(this);
    FScrollBar->SetVisible(false);
    FScrollBar->SetParent(this);
    FScrollBar->SetKind(Cols ? sbHorizontal : sbVertical);
    FScrollBar->SetBounds(0, 0, 20, 100);
    FScrollBar->SetPageSize(0);
    FScrollBar->SetMin(0);
    FScrollBar->SetPosition(0);
    FScrollBar->OnChange = [this](TObject* S) { SBChange(S); };
    FScrollBar->SetSkinDataName(HasListSkin() ? (Cols ? FSkin.HScrollBarName : FSkin.VScrollBarName) : u"");
    FScrollBar->SetSkinData(SkinData());
    if (FHScrollBar) {
        // The horizontal bar now shares the corner.
        if (!HasListSkin()) {
            FHScrollBar->SetBoth(true);
            FHScrollBar->SetBothMarkerWidth(19);
        } else {
            FHScrollBar->SetBothSkinDataName(FSkin.BothScrollBarName);
            FHScrollBar->SetSkinDataName(FSkin.BothScrollBarName);
            FHScrollBar->SetBoth(true);
        }
    }
    CalcRects();
    FScrollBar->SetVisible(true);
    Invalidate();
}

void TsfSkinCustomListBox::ShowHScrollBar()
{
    FHScrollBar = new TsfSkinScrollBar(this);
    FHScrollBar->SetVisible(false);
    FHScrollBar->SetParent(this);
    FHScrollBar->SetKind(sbHorizontal);
    FHScrollBar->SetBounds(0, 0, 100, 20);
    FHScrollBar->SetPageSize(0);
    FHScrollBar->SetMin(0);
    FHScrollBar->SetPosition(0);
    FHScrollBar->OnChange = [this](TObject* S) { HSBChange(S); };
    if (!HasListSkin()) {
        FHScrollBar->SetSkinDataName(u"");
        if (FScrollBar) {
            FHScrollBar->SetBoth(true);
            FHScrollBar->SetBothMarkerWidth(19);
        }
    } else {
        const String& N = FScrollBar ? FSkin.BothScrollBarName : FSkin.HScrollBarName;
        FHScrollBar->SetSkinDataName(N);
        FHScrollBar->SetBothSkinDataName(N);
        FHScrollBar->SetBoth(FScrollBar != nullptr);
    }
    FHScrollBar->SetSkinData(SkinData());
    FHScrollBar->SetVisible(true);
    CalcRects();
    Invalidate();
}

void TsfSkinCustomListBox::HideScrollBar()
{
    if (!FScrollBar) return;
    FScrollBar->SetVisible(false);
    delete FScrollBar;
    FScrollBar = nullptr;
    CalcRects();
}

void TsfSkinCustomListBox::HideHScrollBar()
{
    if (!FHScrollBar) return;
    FHScrollBar->SetVisible(false);
    delete FHScrollBar;
    FHScrollBar = nullptr;
    CalcRects();
    FListBox->FHorizontalExtentValue = 0;
    FListBox->Invalidate();
}

void TsfSkinCustomListBox::SBChange(TObject*)
{
    if (!FListBox->HandleAllocated()) return;
    SendMessageW(FListBox->Handle(), FListBox->Columns() > 0 ? WM_HSCROLL : WM_VSCROLL,
                 MAKEWPARAM(SB_THUMBPOSITION, FScrollBar->Position()), 0);
}

void TsfSkinCustomListBox::HSBChange(TObject*)
{
    FListBox->FHorizontalExtentValue = FHScrollBar->Position();
    FListBox->Invalidate();
}

// ---------------------------------------------------------------------------
// Items

void TsfSkinCustomListBox::SetItemFont(TCanvas* C)
{
    if (HasListSkin() && UseSkinFont()) {
        C->Font()->SetName(FSkin.FontName);
        C->Font()->SetStyle(FSkin.FontStyle);
        C->Font()->SetHeight(FSkin.FontHeight);
    } else {
        C->Font()->Assign(HasListSkin() ? DefaultFont() : Font());
    }
    if (SkinData()) SetSkinCharset(C->Font(), SkinData());
    else C->Font()->SetCharset(DefaultFont()->Charset());
}

void TsfSkinCustomListBox::PaintItem(HDC DC, Integer Index, const TRect& R, TOwnerDrawState State)
{
    if (!FListBox || Index < 0 || Index >= FListBox->Count()) return;
    const Integer W = R.Width(), H = R.Height();
    if (W <= 0 || H <= 0) return;
    TsfBitmap B;
    if (!HasListSkin()) {
        B.SetSize(W, H);
        DrawDefaultItem(B.Canvas(), Index, W, H, State);
    } else {
        if (!Picture) return;
        DrawSkinItem(&B, Index, W, H, State, !FUseSkinItemHeight);
        if (B.Empty()) return;
    }
    BitBlt(DC, R.Left, R.Top, B.Width(), B.Height(), B.DC(), 0, 0, SRCCOPY);
}

void TsfSkinCustomListBox::DrawDefaultItem(TCanvas* C, Integer Index, Integer W, Integer H, TOwnerDrawState State)
{
    SetItemFont(C);
    const bool Sel = (State & odSelected) != 0;
    C->Brush()->SetColor(Sel ? clHighlight : clWindow);
    C->Font()->SetColor(Sel ? clHighlightText : Font()->Color());
    C->FillRect(Rect(0, 0, W, H));
    DrawItemContent(C, Index, Rect(2, 0, W - 2, H), State, false, W, H);
    if (State & odFocused) DrawSkinFocusRect(C, Rect(0, 0, W, H));
}

void TsfSkinCustomListBox::DrawSkinItem(TsfBitmap* B, Integer Index, Integer W, Integer H, TOwnerDrawState State,
                                        bool Stretch)
{
    const bool Sel = (State & odSelected) != 0, Foc = (State & odFocused) != 0;
    TRect TextRect = FSkin.ItemTextRect;
    TextRect.Right += W - FSkin.SItemRect.Width();
    TColor Color = FSkin.FontColor;
    if (Stretch) {
        // The item picture resized to the list's item height.
        B->SetSize(W, H);
        const TRect Src = Foc ? FSkin.FocusItemRect : Sel ? FSkin.ActiveItemRect : FSkin.SItemRect;
        TRect CL = FSkin.ItemTextRect;
        InflateRect(CL, -1, -1);
        CreateStretchImage(B, Picture, Src, CL, true);
        TextRect.Bottom += H - FSkin.SItemRect.Height();
        Color = Foc ? FSkin.FocusFontColor : Sel ? FSkin.ActiveFontColor : FSkin.FontColor;
    } else {
        const TRect Src = Foc ? (Sel ? FSkin.FocusItemRect : FSkin.SItemRect) : Sel ? FSkin.ActiveItemRect
                                                                                   : FSkin.SItemRect;
        const bool Stretched = Foc || Sel ? StretchEffect : false;
        CreateHSkinImage(FSkin.ItemLeftOffset, FSkin.ItemRightOffset, B, Picture, Src, W, H, Stretched);
        Color = Foc && Sel ? FSkin.FocusFontColor : Sel ? FSkin.ActiveFontColor : FSkin.FontColor;
    }
    if (B->Empty()) return;
    TCanvas* C = B->Canvas();
    SetItemFont(C);
    C->Font()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
    if (!Stretch && Foc && !Sel) DrawSkinFocusRect(C, Rect(0, 0, B->Width(), B->Height()));
    DrawItemContent(C, Index, TextRect, State, true, B->Width(), B->Height());
}

void TsfSkinCustomListBox::DrawItemContent(TCanvas* C, Integer Index, const TRect& TextRect, TOwnerDrawState State,
                                           bool Skinned, Integer W, Integer H)
{
    if (OnDrawItem) {
        OnDrawItem(C, Index, W, H, TextRect, State);
        return;
    }
    if (Skinned && (State & odFocused) && FSkin.ShowFocus) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(C->Font()->Color());
        DrawSkinFocusRect(C, Rect(0, 0, W, H));
        C->Brush()->SetStyle(bsClear);
    }
    const Integer Offset = FListBox->FHorizontalExtentValue;
    Integer Indent = 0;
    if (FImages) {
        const Integer Img = FImageIndex < 0 ? Index : FImageIndex;
        if (Img < FImages->Count())
            FImages->Draw(C, TextRect.Left - Offset, TextRect.Top + TextRect.Height() / 2 - FImages->Height() / 2,
                          Img, true);
        Indent = FImages->Width() + 2;
    }
    const String Text = FListBox->Items()->Strings(Index);
    if (FTabWidths->Count() > 0 && FListBox->Columns() == 0) {
        DrawItemText(C, Text, TextRect, Indent, ListTabStops(*FTabWidths));
    } else {
        C->Brush()->SetStyle(bsClear);
        DrawItemText(C, Text, TextRect, Indent - Offset, {});
    }
}

// ---------------------------------------------------------------------------
// The frame, the caption and its buttons

void TsfSkinCustomListBox::CreateControlDefaultImage(TsfBitmap* B)
{
    inherited::CreateControlDefaultImage(B);
    TCanvas* C = B->Canvas();
    const Integer W = Width(), H = Height();
    const Integer CH = FCaptionMode ? FDefaultCaptionHeight : 0;
    const bool WithButtons = FCaptionMode && FShowCaptionButtons;
    if (WithButtons) {
        const Integer A = std::min<Integer>(17, FDefaultCaptionHeight - 3);
        Buttons[0].R = Rect(W - A - 2, 2, W - 2, A + 1);
        Buttons[1].R = Rect(Buttons[0].R.Left - A, 2, Buttons[0].R.Left, A + 1);
        Buttons[2].R = Rect(Buttons[1].R.Left - A, 2, Buttons[1].R.Left, A + 1);
    } else {
        for (auto& Btn : Buttons) Btn.R = TRect{};
    }
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect(Rect(1, CH + (FCaptionMode ? 0 : 0), W - 1, H - 1));
    if (FCaptionMode) {
        const Integer A = std::min<Integer>(17, FDefaultCaptionHeight - 3);
        const TRect TR = Rect(3, 2, WithButtons ? W - 3 * A - 3 : W - 2, FDefaultCaptionHeight - 2);
        DrawCaption(C, TR, false);
        C->Pen()->SetColor(clBtnShadow);
        C->MoveTo(1, FDefaultCaptionHeight - 1);
        C->LineTo(W - 1, FDefaultCaptionHeight - 1);
        if (WithButtons)
            for (Integer I = 0; I < 3; ++I) DrawButton(B, I);
    }
}

void TsfSkinCustomListBox::DrawCaption(TCanvas* C, const TRect& R, bool Skinned)
{
    if (Skinned) {
        C->Font()->SetName(FSkin.CaptionFontName);
        C->Font()->SetStyle(FSkin.CaptionFontStyle);
        C->Font()->SetHeight(FSkin.CaptionFontHeight);
        C->Font()->SetColor(FSkin.CaptionFontColor);
    } else {
        C->Font()->Assign(FDefaultCaptionFont.get());
    }
    if (SkinData()) SetSkinCharset(C->Font(), SkinData());
    C->Brush()->SetStyle(bsClear);
    const String T = Caption();
    // The glyph goes first and counts in the width that is aligned.
    const Integer GW = FGlyph->Empty() ? 0 : FGlyph->Width() / FNumGlyphs;
    const Integer GlyphPart = GW > 0 ? GW + FSpacing : 0;
    const Integer TW = C->TextWidth(T) + GlyphPart, TH = C->TextHeight(T);
    Integer X = R.Left + (Skinned ? 2 : 0);
    if (FAlignment == taRightJustify) X = R.Right - TW - (Skinned ? 2 : 0);
    else if (FAlignment == taCenter) X = R.Left + R.Width() / 2 - TW / 2 + (Skinned ? 2 : 0);
    const Integer Y = Skinned ? R.Top + R.Height() / 2 - TH / 2 : (FDefaultCaptionHeight - 2) / 2 - TH / 2;
    if (GW > 0) {
        const Integer GY = R.Top + R.Height() / 2 - FGlyph->Height() / 2 - (Skinned ? 0 : 1);
        DrawBitmapGlyph(C, X, GY, FGlyph.get(), FNumGlyphs, !Enabled() && FNumGlyphs == 2 ? 2 : 1);
    }
    TRect Clip = R;
    C->TextRect(Clip, X + GlyphPart, Y, T);
}

void TsfSkinCustomListBox::CreateControlSkinImage(TsfBitmap* B)
{
    inherited::CreateControlSkinImage(B);
    if (!FHasSkin) return;
    const Integer DW = Width() - SkinRect.Width(), DH = Height() - SkinRect.Height();
    NewClRect = ClRect;
    NewClRect.Right += DW;
    NewClRect.Bottom += DH;
    if (!FShowCaptionButtons && HasArea(FSkin.UpButtonRect)) {
        if (HasArea(FSkin.DisabledButtonsRect) && Picture) {
            TRect A = FSkin.ButtonsArea;
            OffsetRect(A, DW, 0);
            SkinCopyRect(B, A, Picture, FSkin.DisabledButtonsRect);
        } else {
            CoverCaptionButtons(B);
        }
    }
    if (!FCaptionMode) return;
    NewCaptionRect = FSkin.CaptionRect;
    const TRect Src[3] = {FSkin.UpButtonRect, FSkin.DownButtonRect, FSkin.CheckButtonRect};
    if (FShowCaptionButtons) {
        if (FSkin.CaptionRect.Right >= RTPt.X) NewCaptionRect.Right += DW;
        for (Integer I = 0; I < 3; ++I) {
            TRect R = Src[I];
            bool Down = false;
            if (R.Top > LTPt.Y) {
                OffsetRect(R, 0, DH);
                Down = true;
            }
            if (R.Left > (Down ? RBPt.X : RTPt.X)) OffsetRect(R, DW, 0);
            Buttons[I].R = R;
        }
    } else {
        NewCaptionRect.Right = Width() - FSkin.CaptionRect.Left;
        for (auto& Btn : Buttons) Btn.R = TRect{};
    }
    if (HasArea(FSkin.CaptionRect)) DrawCaption(B->Canvas(), NewCaptionRect, true);
    if (FShowCaptionButtons)
        for (Integer I = 0; I < 3; ++I) DrawButton(B, I);
}

void TsfSkinCustomListBox::CoverCaptionButtons(TsfBitmap* B)
{
    // The band between the top corner points, above the client area, reaches
    // to the right edge of the rightmost button.
    const Integer DW = Width() - SkinRect.Width();
    const TRect Src = Rect(LTPt.X, 0, RTPt.X + DW, NewClRect.Top);
    const TRect Dst = Rect(LTPt.X, 0, DW + FSkin.UpButtonRect.Right, NewClRect.Top);
    if (Src.Width() <= 0 || Src.Height() <= 0 || Dst.Width() <= 0) return;
    TsfBitmap Band;
    Band.SetSize(Src.Width(), Src.Height());
    SkinCopyRect(&Band, Rect(0, 0, Src.Width(), Src.Height()), B, Src);
    SkinCopyRect(B, Dst, &Band, Rect(0, 0, Src.Width(), Src.Height()));
}

void TsfSkinCustomListBox::DrawButton(TsfBitmap* B, Integer I)
{
    const TsfCBButtonX& Btn = Buttons[I];
    const TsfPartState S = ButtonPartState(Btn);
    if (!HasListSkin()) {
        TCanvas* C = B->Canvas();
        DrawDefaultCaptionButtonFace(C, Btn.R, S);
        if (I == 2) DrawCheckImage(C, Btn.R.Left + 4, Btn.R.Top + 4, clBlack);
        else DrawArrowImage(C, Btn.R, clBlack, I == 0 ? 3 : 4);
        return;
    }
    if (!HasArea(Btn.R) || !Picture) return;
    const TRect Normal[3] = {FSkin.UpButtonRect, FSkin.DownButtonRect, FSkin.CheckButtonRect};
    const TRect Active[3] = {FSkin.ActiveUpButtonRect, FSkin.ActiveDownButtonRect, FSkin.ActiveCheckButtonRect};
    const TRect Pressed[3] = {FSkin.DownUpButtonRect, FSkin.DownDownButtonRect, FSkin.DownCheckButtonRect};
    TRect Src = S == psPressed ? Pressed[I] : S == psHot ? Active[I] : TRect{};
    if (!HasArea(Src)) {
        Src = Normal[I];
        OffsetRect(Src, SkinRect.Left, SkinRect.Top);
    }
    SkinCopyRect(B, Btn.R, Picture, Src);
}

void TsfSkinCustomListBox::TestActive(Integer X, Integer Y)
{
    if (!FCaptionMode || !FShowCaptionButtons) return;
    if (HasListSkin() && !HasArea(FSkin.UpButtonRect) && !HasArea(FSkin.DownButtonRect)) return;
    OldActiveButton = ActiveButton;
    ActiveButton = -1;
    for (Integer I = 0; I < 3; ++I)
        if (PtInRectX(Buttons[I].R, X, Y)) {
            ActiveButton = I;
            break;
        }
    if (CaptureButton != -1 && ActiveButton != CaptureButton) ActiveButton = -1;
    if (ActiveButton == OldActiveButton) return;
    if (OldActiveButton != -1) {
        Buttons[OldActiveButton].MouseIn = false;
        if (TimerMode != 0 && Buttons[OldActiveButton].Down) SkinClock()->StopTimer(this, 1);
    }
    if (ActiveButton != -1) {
        Buttons[ActiveButton].MouseIn = true;
        if (TimerMode != 0 && Buttons[ActiveButton].Down)
            SkinClock()->StartTimer(this, 1, 50, [this] { RepeatTimer(); });
    }
    Invalidate();
}

void TsfSkinCustomListBox::StepItem(Integer Delta)
{
    const Integer I = ItemIndex();
    if (Delta < 0 && I > 0) SetItemIndex(I - 1);
    if (Delta > 0 && I < FListBox->Count() - 1) SetItemIndex(I + 1);
}

void TsfSkinCustomListBox::RepeatTimer()
{
    if (WaitMode) {
        WaitMode = false;
        SkinClock()->StartTimer(this, 1, 100, [this] { RepeatTimer(); });
        return;
    }
    if (TimerMode == 1) {
        if (ItemIndex() >= 1) StepItem(-1);
    } else if (TimerMode == 2) {
        StepItem(1);
    }
}

void TsfSkinCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    TestActive(X, Y);
    if (Button != mbLeft || ActiveButton == -1) return;
    CaptureButton = ActiveButton;
    Buttons[CaptureButton].MouseIn = Buttons[CaptureButton].Down = true;
    Invalidate();
    if ((CaptureButton == 0 && !OnUpButtonClick) || (CaptureButton == 1 && !OnDownButtonClick)) {
        TimerMode = CaptureButton + 1;
        WaitMode = true;
        SkinClock()->StartTimer(this, 1, 500, [this] { RepeatTimer(); });
    }
}

void TsfSkinCustomListBox::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseMove(Shift, X, Y);
    TestActive(X, Y);
}

void TsfSkinCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    if (CaptureButton == -1) return;
    const Integer I = CaptureButton;
    CaptureButton = -1;
    ButtonUp(I, X, Y);
}

void TsfSkinCustomListBox::ButtonUp(Integer I, Integer X, Integer Y)
{
    TsfCBButtonX& Btn = Buttons[I];
    Btn.Down = false;
    const bool Over = PtInRectX(Btn.R, X, Y);
    Btn.MouseIn = Over;
    Invalidate();
    TNotifyEvent* Events[3] = {&OnUpButtonClick, &OnDownButtonClick, &OnCheckButtonClick};
    if (Over && *Events[I]) {
        (*Events[I])(this);
        return;
    }
    if (I == 0) StepItem(-1);
    else if (I == 1) StepItem(1);
    else FListBox->Click();
    if (TimerMode != 0) {
        SkinClock()->StopTimer(this, 1);
        TimerMode = 0;
    }
}

void TsfSkinCustomListBox::CMMouseEnter(TMessage& Message)
{
    inherited::CMMouseEnter(Message);
    TestActive(-1, -1);
}

void TsfSkinCustomListBox::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    for (auto& Btn : Buttons)
        if (Btn.MouseIn) {
            Btn.MouseIn = false;
            Invalidate();
        }
}

void TsfSkinCustomListBox::CMTextChanged(TMessage& Message)
{
    inherited::CMTextChanged(Message);
    if (FCaptionMode) Invalidate();
}

// ---------------------------------------------------------------------------
// The inner list's events, with the outer control as the sender

void TsfSkinCustomListBox::ListBoxMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnListBoxMouseDown) OnListBoxMouseDown(this, Button, Shift, X, Y);
}

void TsfSkinCustomListBox::ListBoxMouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (OnListBoxMouseMove) OnListBoxMouseMove(this, Shift, X, Y);
}

void TsfSkinCustomListBox::ListBoxMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnListBoxMouseUp) OnListBoxMouseUp(this, Button, Shift, X, Y);
}

void TsfSkinCustomListBox::ListBoxClick()
{
    if (OnListBoxClick) OnListBoxClick(this);
}

void TsfSkinCustomListBox::ListBoxDblClick()
{
    if (OnListBoxDblClick) OnListBoxDblClick(this);
}

void TsfSkinCustomListBox::ListBoxKeyDown(Word& Key, TShiftState Shift)
{
    if (OnListBoxKeyDown) OnListBoxKeyDown(this, Key, Shift);
}

void TsfSkinCustomListBox::ListBoxKeyUp(Word& Key, TShiftState Shift)
{
    if (OnListBoxKeyUp) OnListBoxKeyUp(this, Key, Shift);
}

void TsfSkinCustomListBox::ListBoxKeyPress(Char& Key)
{
    if (OnListBoxKeyPress) OnListBoxKeyPress(this, Key);
}

void TsfSkinCustomListBox::ListBoxWProc(TMessage&, bool& Continue) { Continue = true; }

// ---------------------------------------------------------------------------
// The popup list

TsfPopupListBox::TsfPopupListBox(TComponent* AOwner) : inherited(AOwner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls | csNoDesignVisible | csReplicatable);
    SetVisible(false);
}

void TsfPopupListBox::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WndParent = nullptr;
    Params.WindowClass.style |= CS_SAVEBITS;
    if (IsWindowsXPOrLater()) Params.WindowClass.style |= CS_DROPSHADOW;
}

void TsfPopupListBox::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    inherited::WndProc(Message);
}

void TsfPopupListBox::Show(const TPoint& Origin)
{
    const HWND W = Handle();
    auto* Combo = dynamic_cast<TsfSkinCustomComboBox*>(Owner());
    const bool Alpha = Combo && Combo->ListBoxAlphaBlend();
    const bool Fade = Alpha && Combo->ListBoxAlphaBlendAnimation();
    const Byte Target = Combo ? Combo->ListBoxAlphaBlendValue() : 255;
    SkinClock()->StopTimer(this, PopupFadeTimer);
    if (Combo && Alpha != FOldAlphaBlend) {
        const LONG_PTR Ex = GetWindowLongPtrW(W, GWL_EXSTYLE);
        SetWindowLongPtrW(W, GWL_EXSTYLE, Alpha ? (Ex | WS_EX_LAYERED) : (Ex & ~LONG_PTR(WS_EX_LAYERED)));
        FOldAlphaBlend = Alpha;
        if (!Alpha) FAlpha = 255;
    }
    // A fade starts from nothing every time it is shown.
    if (Alpha && (Fade || Target != FOldAlphaBlendValue)) {
        FOldAlphaBlendValue = Fade ? 0 : Target;
        FAlpha = FOldAlphaBlendValue;
        SetLayeredWindowAttributes(W, 0, BYTE(FAlpha), LWA_ALPHA);
    }
    SetWindowPos(W, HWND_TOPMOST, Origin.X, Origin.Y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_SHOWWINDOW);
    // A window without a parent control: its own children are shown here.
    for (Integer I = 0; I < ControlCount(); ++I)
        if (auto* C = dynamic_cast<TWinControl*>(Controls(I)); C && C->Visible())
            SetWindowPos(C->Handle(), nullptr, 0, 0, 0, 0,
                         SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    if (Fade && FAlpha < Target)
        SkinClock()->StartTimer(this, PopupFadeTimer, PopupFadeInterval, [this, Target] { FadeStep(Target); });
}

void TsfPopupListBox::FadeStep(Integer Target)
{
    FAlpha = PopupFadeAlpha(FAlpha, Target);
    FOldAlphaBlendValue = Byte(FAlpha);
    if (IsShown()) SetLayeredWindowAttributes(Handle(), 0, BYTE(FAlpha), LWA_ALPHA);
    if (FAlpha >= Target || !IsShown()) SkinClock()->StopTimer(this, PopupFadeTimer);
}

void TsfPopupListBox::Hide()
{
    SkinClock()->StopTimer(this, PopupFadeTimer);
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW);
}

bool TsfPopupListBox::IsShown() const
{
    return const_cast<TsfPopupListBox*>(this)->HandleAllocated() &&
           IsWindowVisible(const_cast<TsfPopupListBox*>(this)->Handle());
}

// ---------------------------------------------------------------------------
// The combo box

TsfSkinCustomComboBox::TsfSkinCustomComboBox(TComponent* AOwner) : inherited(AOwner)
{
    SetTabStop(true);
    SetControlStyle(csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks);
    Font()->SetName(u"Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    SetBounds(Left(), Top(), 120, 20);
    FListBox = new TsfPopupListBox(this);
    FListBox->ListBox()->SetTabStop(false);
    FListBoxWindowProc = FListBox->ListBox()->WindowProc;
    FListBox->ListBox()->WindowProc = TWndMethod::Of<&TsfSkinCustomComboBox::ListBoxWndProc>(this);
    FListBox->OnListBoxMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y) {
        // Hot tracking: the row under the pointer is selected, without events.
        const Integer I = FListBox->ItemAtPos({X, Y}, true);
        if (I != -1 && I != FListBox->ItemIndex()) FListBox->SetItemIndex(I);
    };
    FListBox->OnCheckButtonClick = [this](TObject*) { CloseUp(true); };
    SetSkinDataName(u"combobox");
    CalcRects();
}

TsfSkinCustomComboBox::~TsfSkinCustomComboBox()
{
    SkinClock()->StopTimers(this);
    if (FListBox && FListBox->ListBox()) FListBox->ListBox()->WindowProc = FListBoxWindowProc;
}

void TsfSkinCustomComboBox::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    Invalidate();
}

void TsfSkinCustomComboBox::SetItemIndex(Integer Value)
{
    FListBox->SetItemIndex(Value);
    const Integer I = FListBox->ItemIndex();
    if (I >= 0 && I < Items()->Count()) SetText(Items()->Strings(I));
    FOldItemIndex = I;
    if (!FEdit) Invalidate();
    if (ComponentState() & (csLoading | csDesigning)) return;
    if (OnClick) OnClick(this);
    DoChange();
}

void TsfSkinCustomComboBox::SetStyle(TsfSkinCustomComboBoxStyle Value)
{
    // Setting the current style again would make a second edit.
    if (Value == FStyle) return;
    FStyle = Value;
    if (Value == sfcbEditStyle) ShowEditor();
    else HideEditor();
    CalcRects();
    Invalidate();
}

void TsfSkinCustomComboBox::SetToolButtonStyle(bool Value)
{
    if (Value == FToolButtonStyle) return;
    FToolButtonStyle = Value;
    if (Value) {
        SetStyle(sfcbFixedStyle);
        SetUseSkinSize(false);
    }
    CalcRects();
    Invalidate();
}

void TsfSkinCustomComboBox::SetUseSkinSize(bool Value)
{
    if (FToolButtonStyle) Value = false;
    if (Value == FUseSkinSize) return;
    FUseSkinSize = Value;
    if (FIndex != -1 && FHasSkin) {
        Integer W = Width(), H = Height();
        CalcSize(W, H);
        if (W != Width() || H != Height()) SetBounds(Left(), Top(), W, H);
    }
    SetControlRegion();
    CalcRects();
    Invalidate();
}

void TsfSkinCustomComboBox::CalcSize(Integer& AWidth, Integer& AHeight)
{
    if (FUseSkinSize) {
        inherited::CalcSize(AWidth, AHeight);
        return;
    }
    if (FIndex == -1) return;
    NewRTPoint = RTPt;
    NewRTPoint.X = AWidth + RTPt.X - SkinRect.Width();
    NewClRect = ClRect;
    NewClRect.Right = AWidth + ClRect.Right - SkinRect.Width();
}

void TsfSkinCustomComboBox::SetControlRegion()
{
    // A stretched look has no mask of its size.
    if (FUseSkinSize) {
        inherited::SetControlRegion();
    } else if (FRgn && HandleAllocated()) {
        SetWindowRgn(Handle(), nullptr, TRUE);
        FRgn = nullptr;
    }
}

void TsfSkinCustomComboBox::SetHideSelection(bool Value)
{
    FHideSelection = Value;
    if (FEdit) FEdit->SetHideSelection(Value);
}

void TsfSkinCustomComboBox::SetCharCase(TEditCharCase Value)
{
    FCharCase = Value;
    if (FEdit) FEdit->SetCharCase(Value);
}

void TsfSkinCustomComboBox::ShowEditor()
{
    // The size box types numbers only.
    if (FNumEdit) FEdit = new TsfSkinNumEdit(this);
    else FEdit = new TsfCustomEdit(this);
    FEdit->SetParent(this);
    FEdit->SetBorderStyle(bsNone);
    FEdit->SetColor(FDefaultColor);
    FEdit->SetAutoSize(false);
    FEdit->SetHideSelection(FHideSelection);
    FEdit->SetCharCase(FCharCase);
    if (FIndex != -1 && FHasSkin) {
        UpdateEditFont();
    } else {
        FEdit->Font()->SetName(Font()->Name());
        FEdit->Font()->SetStyle(Font()->Style());
        FEdit->Font()->SetColor(Font()->Color());
        FEdit->Font()->SetHeight(Font()->Height());
    }
    FEdit->SetText(Text());
    FEditWindowProc = FEdit->WindowProc;
    FEdit->WindowProc = TWndMethod::Of<&TsfSkinCustomComboBox::EditWndProc>(this);
    FEdit->OnChange = [this](TObject*) { EditChange(); };
    FEdit->OnEditCancelMode = [this](TObject*, TControl* C) { CloseUpFrom(C); };
    // The combo's key events, with the combo as the sender.
    FEdit->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) {
        if (OnKeyDown) OnKeyDown(this, Key, Shift);
    };
    FEdit->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) {
        if (OnKeyUp) OnKeyUp(this, Key, Shift);
    };
    FEdit->OnKeyPress = [this](TObject*, Char& Key) {
        if (OnKeyPress) OnKeyPress(this, Key);
    };
    if (!Designing()) {
        FEdit->SetTabStop(TabStop());
        SetTabStop(false);
    }
    if (Focused()) FEdit->SetFocus();
}

void TsfSkinCustomComboBox::HideEditor()
{
    if (!FEdit) return;
    SetTabStop(FEdit->TabStop());
    FEdit->WindowProc = FEditWindowProc;
    delete FEdit;
    FEdit = nullptr;
}

void TsfSkinCustomComboBox::CalcRects()
{
    const Integer W = Width(), H = Height();
    if (FIndex == -1 || !FHasSkin || FToolButtonStyle) {
        Button.R = Rect(W - 19, 2, W - 2, H - 2);
        CBItemR = Rect(2, 2, Button.R.Left - 1, H - 2);
    } else {
        Button.R = FSkin.ButtonRect;
        if (FSkin.ButtonRect.Left >= SkinRect.Width() - RTPt.X) OffsetRect(Button.R, W - SkinRect.Width(), 0);
        CBItemR = ClRect;
        CBItemR.Right += W - SkinRect.Width();
        if (!FUseSkinSize) {
            Button.R.Bottom += H - SkinRect.Height();
            CBItemR.Bottom += H - SkinRect.Height();
        }
    }
    if (FEdit) {
        TClientDC DC(nullptr);
        TCanvas C;
        C.SetHandle(DC);
        C.Font()->Assign(FEdit->Font());
        const Integer EH = C.TextHeight(u"Wg");
        C.SetHandle(nullptr);
        FEdit->SetBounds(CBItemR.Left, CBItemR.Top + CBItemR.Height() / 2 - EH / 2, CBItemR.Width(), EH);
    }
}

void TsfSkinCustomComboBox::GetSkinData()
{
    inherited::GetSkinData();
    FHasSkin = false;
    if (FIndex == -1) return;
    if (auto* D = dynamic_cast<TsfDataSkinComboBox*>(SkinData()->CtrlList[FIndex].get())) {
        FSkin.SItemRect = D->SItemRect;
        FSkin.ActiveItemRect = D->ActiveItemRect;
        FSkin.FocusItemRect = HasArea(D->FocusItemRect) ? D->FocusItemRect : D->SItemRect;
        FSkin.ItemLeftOffset = D->ItemLeftOffset;
        FSkin.ItemRightOffset = D->ItemRightOffset;
        FSkin.ItemTextRect = D->ItemTextRect;
        FSkin.FontName = D->FontName;
        FSkin.FontStyle = D->FontStyle;
        FSkin.FontHeight = D->FontHeight;
        FSkin.FontColor = D->FontColor;
        FSkin.FocusFontColor = D->FocusFontColor;
        FSkin.ActiveFontColor = D->ActiveFontColor;
        FSkin.ButtonRect = D->ButtonRect;
        FSkin.ActiveButtonRect = D->ActiveButtonRect;
        FSkin.DownButtonRect = D->DownButtonRect;
        FSkin.UnEnabledButtonRect = D->UnEnabledButtonRect;
        FSkin.ItemStretchEffect = D->ItemStretchEffect;
        FSkin.FocusItemStretchEffect = D->FocusItemStretchEffect;
        FSkin.ActiveSkinRect = D->ActiveSkinRect;
        FSkin.ShowFocus = D->ShowFocus;
        FSkin.ListBoxName = D->ListBoxName;
        FHasSkin = true;
    }
}

void TsfSkinCustomComboBox::ChangeSkinData()
{
    inherited::ChangeSkinData();
    CalcRects();
    if (FEdit) UpdateEditFont();
    FListBox->SetSkinDataName(FIndex != -1 && FHasSkin ? FSkin.ListBoxName : u"");
    FListBox->SetSkinData(SkinData());
    FListBox->UpDateScrollBar();
    CalcRects();
    Invalidate();
}

bool TsfSkinCustomComboBox::HasActiveLook() const
{
    return FIndex != -1 && FHasSkin && HasArea(FSkin.ActiveSkinRect);
}

Byte TsfSkinCustomComboBox::ItemCharset() const
{
    if (SkinData() && SkinData()->ResourceStrData()) return Byte(SkinData()->ResourceStrData()->CharSet());
    return Byte(DefaultFont()->Charset());
}

namespace {

// The text colour of a disabled combo: the skin's edit description's, else the system's.
TColor DisabledComboTextColor(TsfSkinData* SD)
{
    if (SD && !SD->Empty) {
        const Integer I = SD->GetControlIndex(u"edit");
        if (I != -1)
            if (auto* D = dynamic_cast<TsfDataSkinEditControl*>(SD->CtrlList[size_t(I)].get()))
                return D->DisabledFontColor;
    }
    return clGrayText;
}

}  // namespace

void TsfSkinCustomComboBox::UpdateEditFont()
{
    const bool Skinned = FIndex != -1 && FHasSkin;
    TFont* F = FEdit->Font();
    if (Skinned && UseSkinFont()) {
        F->SetName(FSkin.FontName);
        F->SetStyle(FSkin.FontStyle);
        F->SetHeight(FSkin.FontHeight);
    } else {
        F->Assign(DefaultFont());
    }
    F->SetCharset(ItemCharset());
    FEdit->SetEditTransparent(Skinned);
    UpdateEditColor();
}

void TsfSkinCustomComboBox::UpdateEditColor()
{
    if (!FEdit) return;
    const bool Skinned = FIndex != -1 && FHasSkin;
    TColor C = Skinned ? FSkin.FontColor : DefaultFont()->Color();
    if (!Enabled()) C = DisabledComboTextColor(SkinData());
    else if (HasActiveLook() && (FMouseIn || FEdit->Focused())) C = FSkin.ActiveFontColor;
    if (FEdit->Font()->Color() != C) FEdit->Font()->SetColor(C);
}

void TsfSkinCustomComboBox::WMSize(TMessage& Message)
{
    inherited::WMSize(Message);
    CalcRects();
}

bool TsfSkinCustomComboBox::CanCancelDropDown()
{
    if (!IsPopupVisible()) return false;
    POINT P;
    GetCursorPos(&P);
    return WindowFromPoint(P) != Handle();
}

void TsfSkinCustomComboBox::DropDown()
{
    const Integer Count = Items()->Count();
    if (Count == 0) return;
    WasInLB = false;
    SkinClock()->StopTimer(this, 1);
    TimerMode = 0;
    if (OnDropDown) OnDropDown(this);
    const Integer W = FListBoxWidth > 0 ? FListBoxWidth : Width();
    FListBox->HandleNeeded();
    const Integer H = FListBox->CalcHeight(ComboPopupRows(FDropDownCount, Count));
    FListBox->SetBounds(FListBox->Left(), FListBox->Top(), W, H);
    const TPoint TL = ClientToScreen({0, 0});
    TRect Work;
    GetMonitorRect(Handle(), true, Work);
    const TPoint Origin = ComboPopupOrigin(Rect(TL.X, TL.Y, TL.X + Width(), TL.Y + Height()), H, Work);
    if (FEdit) FEdit->SetFocus();
    FOldItemIndex = ItemIndex();
    if (ItemIndex() == 0 && Count >= 2) {
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FDropDown = true;
    if (FToolButtonStyle) Invalidate();
    FListBox->SetTopIndex(std::max<Integer>(ItemIndex(), 0));
    FListBox->Show(Origin);
    FListBox->UpDateScrollBar();
}

void TsfSkinCustomComboBox::CloseUp(bool AcceptValue)
{
    if (!IsPopupVisible()) return;
    FListBox->Hide();
    const Integer I = FListBox->ItemIndex();
    if (I < 0) {
        FListBox->SetItemIndex(FOldItemIndex);
    } else if (AcceptValue && I < Items()->Count()) {
        if (FEdit) {
            FEdit->SetText(Items()->Strings(I));
            FEdit->SelectAll();
        } else {
            SetText(Items()->Strings(I));
            Invalidate();
        }
        FOldItemIndex = I;
        if (OnClick) OnClick(this);
        DoChange();
    } else if (!AcceptValue) {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    FDropDown = false;
    Invalidate();
    if (AcceptValue && OnCloseUp) OnCloseUp(this);
}

void TsfSkinCustomComboBox::CMTextChanged(TMessage& Message)
{
    inherited::CMTextChanged(Message);
    if (FEdit && !FromEdit) FEdit->SetText(Text());
    if (OnChange) OnChange(this);
    if (FromEdit) DoChange();
}

void TsfSkinCustomComboBox::EditChange()
{
    FromEdit = true;
    auto Done = ScopeExit([this] { FromEdit = false; });
    const String T = FEdit->Text();
    if (!T.empty()) {
        const Integer I = FindItemPrefix(*Items(), T, -1);
        if (I != -1) {
            if (FAutoComplete) FListBox->SetItemIndex(I);
            else FListBox->SetTopIndex(I);
        }
    }
    SetText(T);
}

void TsfSkinCustomComboBox::EditWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (Message.Msg == WM_KILLFOCUS) CloseUp(false);
        FEditWindowProc(Message);
        if (HasActiveLook()) {
            UpdateEditColor();
            Invalidate();
        }
        return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        CloseUp(false);
        break;
    case WM_KEYDOWN: {
        const Integer Key = Integer(Message.WParam);
        if (Key == VK_RETURN || Key == VK_ESCAPE) {
            CloseUp(Key == VK_RETURN);
            return;
        }
        if ((Key == VK_PRIOR || Key == VK_NEXT) && IsPopupVisible()) {
            // Only the open list moves; the text stays until the choice is accepted.
            const TsfComboKey K =
                ComboKey(Key, false, true, FListBox->ItemIndex(), Items()->Count(), FDropDownCount);
            if (K.Action == ckSelect) {
                FListBox->SetItemIndex(K.Index);
                FListBox->UpDateScrollBar();
            }
            break;
        }
        if (Key == VK_UP || Key == VK_DOWN) {
            const Integer I = FListBox->ItemIndex();
            const Integer N = Key == VK_UP ? (I > 0 ? I - 1 : -1) : (I < Items()->Count() - 1 ? I + 1 : -1);
            if (N != -1) {
                FListBox->SetItemIndex(N);
                SetText(Items()->Strings(N));
                FEdit->SelectAll();
                if (OnClick) OnClick(this);
            }
            return;
        }
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        EditKeyUp(Message, Message.Msg == WM_SYSKEYUP);
        return;
    default:
        break;
    }
    FEditWindowProc(Message);
}

void TsfSkinCustomComboBox::EditKeyUp(TMessage& Message, bool SysKey)
{
    const TsfComboEditKeyUp K = ComboEditKeyUp(Integer(Message.WParam), ItemCharset(), SysKey, FAutoComplete);
    if (K.ClearSelection) FEdit->ClearSelection();
    FEditWindowProc(Message);
    if (K.Complete && FEdit) EditAutoComplete();
}

void TsfSkinCustomComboBox::EditAutoComplete()
{
    if (!FEditCompletion.Take(SkinClock()->Now())) return;
    const String T = FEdit->Text();
    // From the top: the typed text has already selected its first item, so a
    // search from after it would complete a single letter to the second one.
    const Integer I = FindItemPrefix(*Items(), T, -1);
    if (I == -1) return;
    SetItemIndex(I);
    if (!FEdit) return;
    const TsfTextSelection S = CompletionSelection(T, Items()->Strings(I));
    FEdit->SetSelStart(S.Start);
    FEdit->SetSelLength(S.Length);
}

void TsfSkinCustomComboBox::ListBoxWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        FLBDown = WasInLB = true;
        SetCapture(Handle());
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return;
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        break;
    default:
        break;
    }
    FListBoxWindowProc(Message);
}

void TsfSkinCustomComboBox::MouseDown(TMouseButton Button_, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseDown(Button_, Shift, X, Y);
    if (!FEdit && CanFocus() && !Focused()) SetFocus();
    if (Button_ != mbLeft) return;
    if (FToolButtonStyle || PtInRectX(Button.R, X, Y) || (!FEdit && PtInRectX(CBItemR, X, Y))) {
        Button.Down = true;
        Invalidate();
        if (!IsPopupVisible()) {
            WasInLB = false;
            FLBDown = true;
            DropDown();
        } else {
            CloseUp(false);
        }
    } else if (IsPopupVisible()) {
        CloseUp(false);
    }
}

void TsfSkinCustomComboBox::ProcessListBox(Integer X, Integer Y)
{
    TsfListBox* L = FListBox->ListBox();
    const TPoint P = L->ScreenToClient(ClientToScreen({X, Y}));
    Integer Mode = 0;
    if (P.Y < 0 && FListBox->ScrollBar() && WasInLB) Mode = 1;
    else if (P.Y > L->Height() && FListBox->ScrollBar() && WasInLB) Mode = 2;
    if (Mode != 0) {
        if (Mode != TimerMode) {
            TimerMode = Mode;
            SkinClock()->StartTimer(this, 1, 25, [this] { ScrollTimer(); });
        }
        return;
    }
    if (P.Y >= 0 && P.Y <= L->Height()) {
        SkinClock()->StopTimer(this, 1);
        TimerMode = 0;
        const Integer I = L->ItemAtPos({1, P.Y}, true);
        if (I != -1 && I != L->ItemIndex()) L->SetItemIndex(I);
        WasInLB = true;
    }
}

void TsfSkinCustomComboBox::ScrollTimer()
{
    const Integer I = FListBox->ItemIndex();
    if (TimerMode == 1 && I >= 1) FListBox->SetItemIndex(I - 1);
    if (TimerMode == 2 && I < Items()->Count() - 1) FListBox->SetItemIndex(I + 1);
    FListBox->UpDateScrollBar();
}

void TsfSkinCustomComboBox::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseMove(Shift, X, Y);
    if (FLBDown && IsPopupVisible()) {
        ProcessListBox(X, Y);
        return;
    }
    const bool In = PtInRectX(Button.R, X, Y);
    if (In != Button.MouseIn) {
        Button.MouseIn = In;
        Invalidate();
    }
}

void TsfSkinCustomComboBox::MouseUp(TMouseButton Button_, TShiftState Shift, Integer X, Integer Y)
{
    if (FLBDown && WasInLB) {
        SkinClock()->StopTimer(this, 1);
        TimerMode = 0;
        ReleaseCapture();
        FLBDown = false;
        POINT P;
        GetCursorPos(&P);
        CloseUp(FListBox->ListBox()->HandleAllocated() && WindowFromPoint(P) == FListBox->ListBox()->Handle());
    } else {
        FLBDown = false;
    }
    inherited::MouseUp(Button_, Shift, X, Y);
    if (Button.Down) {
        Button.Down = false;
        Invalidate();
    }
}

void TsfSkinCustomComboBox::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    const TsfComboKey K = ComboKey(Key, (Shift & ssAlt) != 0, IsPopupVisible(), ItemIndex(), Items()->Count(),
                                   FDropDownCount);
    switch (K.Action) {
    case ckSelect:
        SetItemIndex(K.Index);
        FListBox->UpDateScrollBar();
        break;
    case ckAccept:
        CloseUp(true);
        break;
    case ckCancel:
        CloseUp(false);
        break;
    case ckOpen:
        DropDown();
        break;
    default:
        break;
    }
}

void TsfSkinCustomComboBox::KeyPress(Char& Key)
{
    inherited::KeyPress(Key);
    if (Key < u' ') return;
    const String S = FTypeAhead.Key(Key, SkinClock()->Now(), FAutoComplete);
    const Integer I = FindItemPrefix(*Items(), S, TsfTypeAhead::SearchAfter(S, ItemIndex()));
    if (I != -1) SetItemIndex(I);
}

void TsfSkinCustomComboBox::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEWHEEL) {
        Message.Result = 0;  // the wheel changes nothing here
        return;
    }
    if (Message.Msg == WM_TIMER) {
        inherited::WndProc(Message);
        return;
    }
    inherited::WndProc(Message);
}

void TsfSkinCustomComboBox::WMSetFocus(TMessage& Message)
{
    if (FEdit) {
        FEdit->SetFocus();
        return;
    }
    inherited::WMSetFocus(Message);
    Invalidate();
}

void TsfSkinCustomComboBox::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    if (!FEdit) CloseUp(false);
    Invalidate();
}

void TsfSkinCustomComboBox::CMMouseEnter(TMessage& Message)
{
    inherited::CMMouseEnter(Message);
    FMouseIn = true;
    if (HasActiveLook()) UpdateEditColor();
    if (HasActiveLook() || FToolButtonStyle) Invalidate();
}

void TsfSkinCustomComboBox::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    FMouseIn = false;
    if (Button.MouseIn) {
        Button.MouseIn = false;
        Invalidate();
    }
    if (HasActiveLook()) UpdateEditColor();
    if (HasActiveLook() || FToolButtonStyle) Invalidate();
}

void TsfSkinCustomComboBox::CMCancelMode(TMessage& Message)
{
    inherited::CMCancelMode(Message);
    CloseUpFrom(reinterpret_cast<TControl*>(Message.LParam));
}

void TsfSkinCustomComboBox::CloseUpFrom(TControl* C)
{
    // The combo's own parts keep the list open.
    if (C != this && C != FListBox && C != FListBox->ListBox() && C != FListBox->ScrollBar() &&
        C != FListBox->HScrollBar())
        CloseUp(false);
}

void TsfSkinCustomComboBox::CMEnabledChanged(TMessage& Message)
{
    inherited::CMEnabledChanged(Message);
    UpdateEditColor();
    Invalidate();
}

void TsfSkinCustomComboBox::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
    // The own paint covers the window; a copy for a child's background is painted by PaintWindow.
    if (FromWMPaint || (ControlState() & csPaintCopy) || Width() <= 0 || Height() <= 0) return;
    // Asked by another window: the control's look, with the edit's text over it.
    const HDC DC = reinterpret_cast<HDC>(Message.WParam);
    TsfBitmap B;
    B.SetSize(Width(), Height());
    DrawLook(&B);
    B.Draw(DC, 0, 0);
    if (!FEdit || !FEdit->HandleAllocated() || !FEdit->Visible()) return;
    TSavedDC Saved(DC);
    OffsetViewportOrgEx(DC, FEdit->Left(), FEdit->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, FEdit->Width(), FEdit->Height());
    SendMessageW(FEdit->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
}

void TsfSkinCustomComboBox::CMWantSpecialKey(TMessage& Message)
{
    inherited::CMWantSpecialKey(Message);
    if (IsArrowKey(Integer(Message.WParam))) Message.Result = 1;
}

// ---------------------------------------------------------------------------
// Combo painting

Integer TsfSkinCustomComboBox::ShownIndex() const
{
    // While the list is open the area keeps the item it was opened with.
    const Integer Index = IsPopupVisible() ? FOldItemIndex : ItemIndex();
    return Index >= 0 && Index < Items()->Count() ? Index : -1;
}

void TsfSkinCustomComboBox::DrawItemArea(TsfBitmap* B, bool Skinned)
{
    const Integer Index = ShownIndex();
    const Integer W = CBItemR.Width(), H = CBItemR.Height();
    if (FEdit || W <= 0 || H <= 0) return;
    const bool Foc = Focused() && !IsPopupVisible();
    // Hovered: the active item picture and colour of a skin with an active look.
    const bool Hot = !Foc && FMouseIn && HasActiveLook();
    TsfBitmap Item;
    TRect TR;
    TColor Color;
    if (!Skinned) {
        Item.SetSize(W, H);
        TCanvas* C = Item.Canvas();
        C->Brush()->SetColor(Foc ? clHighlight : FDefaultColor);
        C->FillRect(Rect(0, 0, W, H));
        Color = Foc ? clHighlightText : DefaultFont()->Color();
        TR = Rect(2, 0, W - 2, H);
        C->Font()->Assign(Font());
    } else {
        const TRect& Src = Foc                                     ? FSkin.FocusItemRect
                           : Hot && HasArea(FSkin.ActiveItemRect) ? FSkin.ActiveItemRect
                                                                   : FSkin.SItemRect;
        const Integer ItemW = HasArea(FSkin.SItemRect) ? FSkin.SItemRect.Width() : ClRect.Width();
        TR = FSkin.ItemTextRect;
        TR.Right += W - ItemW;
        if (!FUseSkinSize) {
            // The item picture stretched over the whole item area.
            Item.SetSize(W, H);
            if (HasArea(Src) && Picture)
                CreateStretchImage(&Item, Picture, Src,
                                   ComboItemCorners(FSkin.ItemTextRect, Src, FSkin.SItemRect, Foc), true);
            else
                SkinCopyRect(&Item, Rect(0, 0, W, H), B, CBItemR);
            TR.Bottom += Height() - SkinRect.Height();
        } else if (HasArea(Src) && Picture) {
            CreateHSkinImage(FSkin.ItemLeftOffset, FSkin.ItemRightOffset, &Item, Picture, Src, W, H,
                             Foc ? FSkin.FocusItemStretchEffect : FSkin.ItemStretchEffect);
        } else {
            const Integer IH = HasArea(FSkin.SItemRect)       ? FSkin.SItemRect.Height()
                               : HasArea(FSkin.FocusItemRect) ? FSkin.FocusItemRect.Height()
                                                              : H;
            Item.SetSize(W, IH);
            SkinCopyRect(&Item, Rect(0, 0, W, IH), B, Rect(CBItemR.Left, CBItemR.Top, CBItemR.Right, CBItemR.Top + IH));
        }
        Color = !Enabled() ? DisabledComboTextColor(SkinData())
                : Foc      ? FSkin.FocusFontColor
                : Hot      ? FSkin.ActiveFontColor
                           : FSkin.FontColor;
        TCanvas* C = Item.Canvas();
        if (UseSkinFont()) {
            C->Font()->SetName(FSkin.FontName);
            C->Font()->SetStyle(FSkin.FontStyle);
            C->Font()->SetHeight(FSkin.FontHeight);
        } else {
            C->Font()->Assign(DefaultFont());
        }
    }
    if (Item.Empty()) return;
    TCanvas* C = Item.Canvas();
    C->Font()->SetCharset(ItemCharset());
    C->Font()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
    CBItemState = Foc ? odFocused : 0;
    if (Index != -1) {
        if (OnComboBoxDrawItem) {
            OnComboBoxDrawItem(C, Index, Item.Width(), Item.Height(), TR, CBItemState);
        } else {
            Integer Indent = 0;
            if (TCustomImageList* Imgs = FListBox->Images()) {
                const Integer Img = FListBox->ImageIndex() < 0 ? Index : FListBox->ImageIndex();
                if (Img < Imgs->Count())
                    Imgs->Draw(C, TR.Left, TR.Top + TR.Height() / 2 - Imgs->Height() / 2, Img, true);
                Indent = Imgs->Width() + 2;
            }
            if (FListBox->TabWidths()->Count() > 0)
                DrawItemText(C, Items()->Strings(Index), TR, Indent, ListTabStops(*FListBox->TabWidths()));
            else
                DrawClippedText(C, Items()->Strings(Index), Rect(TR.Left + Indent + 1, TR.Top, TR.Right, TR.Bottom));
        }
    }
    if (Foc && (!Skinned || FSkin.ShowFocus)) DrawSkinFocusRect(C, Rect(0, 0, Item.Width(), Item.Height()));
    SkinCopyRect(B, Rect(CBItemR.Left, CBItemR.Top, CBItemR.Left + Item.Width(), CBItemR.Top + Item.Height()), &Item,
                 Rect(0, 0, Item.Width(), Item.Height()));
}

namespace {

// The first of Names that the skin describes as a button, with its picture.
const TsfDataSkinButtonControl* FindButtonDescription(TsfSkinData* SD, std::initializer_list<const char16_t*> Names,
                                                      TsfBitmap*& Picture)
{
    Picture = nullptr;
    if (!SD || SD->Empty) return nullptr;
    for (const char16_t* Name : Names) {
        const Integer I = SD->GetControlIndex(Name);
        if (I == -1) continue;
        if (auto* D = dynamic_cast<TsfDataSkinButtonControl*>(SD->CtrlList[size_t(I)].get())) {
            Picture = SD->ActiveBitmap(D->PictureIndex);
            return D;
        }
    }
    return nullptr;
}

// The description's drop marker picture centred in R (its key colour left
// out): the down or active one when set for the state.
void DrawMarkerPicture(TsfBitmap* B, const TRect& R, const TsfDataSkinButtonControl& D, const TsfBitmap* P, bool Down,
                       bool Hot, Integer DY)
{
    const TRect& M = Down && HasArea(D.MenuMarkerDownRect)    ? D.MenuMarkerDownRect
                     : Hot && HasArea(D.MenuMarkerActiveRect) ? D.MenuMarkerActiveRect
                                                              : D.MenuMarkerRect;
    DrawSkinPiece(B, R.Left + (R.Width() - M.Width()) / 2, R.Top + (R.Height() - M.Height()) / 2 + DY, P, M, true,
                  D.MenuMarkerTransparentColor);
}

}  // namespace

void TsfSkinCustomComboBox::DrawResizeButton(TsfBitmap* B)
{
    const Integer W = Button.R.Width(), H = Button.R.Height();
    TsfBitmap* P = nullptr;
    const TsfDataSkinButtonControl* D =
        FindButtonDescription(SkinData(), {u"combobutton", u"editbutton", u"resizebutton"}, P);
    if (!D || !P || W <= 0 || H <= 0) return;
    const TsfPartState S = ButtonPartState(Button);
    const TRect& Active = HasArea(D->ActiveSkinRect) ? D->ActiveSkinRect : D->SkinRect;
    const TRect& Down = HasArea(D->DownSkinRect) ? D->DownSkinRect : Active;
    TsfBitmap Face;
    Face.SetSize(W, H);
    CreateDescriptionImage(&Face, P, *D, S == psPressed ? Down : S == psHot ? Active : D->SkinRect);
    Face.Draw(B, Button.R.Left, Button.R.Top);
    if (HasArea(D->MenuMarkerRect)) {
        DrawMarkerPicture(B, Button.R, *D, P, S == psPressed, S != psNormal, S == psPressed ? 1 : 0);
    } else if (Enabled()) {
        TRect AR = Button.R;
        if (S == psPressed) OffsetRect(AR, 0, 2);
        DrawArrowImage(B->Canvas(), AR,
                       S == psPressed ? D->DownFontColor : S == psHot ? D->ActiveFontColor : D->FontColor, 4);
    }
}

void TsfSkinCustomComboBox::DrawToolButton(TsfBitmap* B, bool Skinned)
{
    const Integer W = Width(), H = Height();
    const bool Hot = FMouseIn || Focused();
    TCanvas* C = B->Canvas();
    TColor TextColor;
    TsfBitmap* P = nullptr;
    const TsfDataSkinButtonControl* D =
        Skinned ? FindButtonDescription(SkinData(), {u"resizetoolbutton", u"resizebutton"}, P) : nullptr;
    if (Skinned && (!D || !P)) {
        inherited::CreateControlSkinImage(B);
        return;
    }
    if (!D) {
        C->Brush()->SetColor(FDropDown ? TColor(0xB59385) : Hot ? TColor(0xD2BDB6) : clBtnFace);
        C->FillRect(Rect(0, 0, W, H));
        C->Brush()->SetColor(FDropDown || Hot ? TColor(0x800000) : clBtnShadow);
        C->FrameRect(Rect(0, 0, W, H));
        C->Font()->Assign(DefaultFont());
        TextColor = DefaultFont()->Color();
    } else {
        TRect Src = FDropDown ? D->DownSkinRect : Hot ? D->ActiveSkinRect : D->SkinRect;
        if (!HasArea(Src)) Src = D->SkinRect;
        CreateDescriptionImage(B, P, *D, Src);
        if (UseSkinFont()) {
            C->Font()->SetName(D->FontName);
            C->Font()->SetStyle(D->FontStyle);
            C->Font()->SetHeight(D->FontHeight);
        } else {
            C->Font()->Assign(DefaultFont());
        }
        TextColor = FDropDown ? D->DownFontColor
                    : Hot     ? D->ActiveFontColor
                    : Enabled() ? D->FontColor
                                : D->DisabledFontColor;
    }
    C->Font()->SetCharset(ItemCharset());
    C->Font()->SetColor(TextColor);
    C->Brush()->SetStyle(bsClear);
    if (const Integer Index = ShownIndex(); Index != -1)
        DrawClippedText(C, Items()->Strings(Index), Rect(2, 2, W - 17, H - 2));
    const TRect MR = Rect(W - 15, 0, W, H);
    if (D && HasArea(D->MenuMarkerRect))
        DrawMarkerPicture(B, MR, *D, P, FDropDown, Hot, FDropDown ? 1 : 0);
    else
        DrawDropArrowImage(C, MR, D && FDropDown ? D->DownFontColor : TextColor);
}

void TsfSkinCustomComboBox::CreateControlDefaultImage(TsfBitmap* B)
{
    CalcRects();
    if (FToolButtonStyle) {
        DrawToolButton(B, false);
        return;
    }
    TCanvas* C = B->Canvas();
    const Integer W = Width(), H = Height();
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Rect(0, 0, W, H));
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect(Rect(0, 0, W, H));
    C->Brush()->SetColor(FDefaultColor);
    C->FillRect(Rect(1, 1, W - 1, H - 1));
    const TsfPartState S = ButtonPartState(Button);
    C->Brush()->SetColor(S == psPressed ? TColor(0xB59385) : S == psHot ? TColor(0xD2BDB6) : clBtnFace);
    C->FillRect(Button.R);
    C->Brush()->SetColor(S == psNormal ? clBtnShadow : TColor(0x800000));
    C->FrameRect(Button.R);
    DrawArrowImage(C, Button.R, Enabled() ? clBlack : clBtnShadow, 4);
    DrawItemArea(B, false);
}

void TsfSkinCustomComboBox::CreateControlSkinImage(TsfBitmap* B)
{
    CalcRects();
    if (!FHasSkin) {
        inherited::CreateControlSkinImage(B);
        return;
    }
    if (FToolButtonStyle) {
        DrawToolButton(B, true);
        return;
    }
    const bool Active =
        HasArea(FSkin.ActiveSkinRect) && (FMouseIn || Focused() || (FEdit && FEdit->Focused())) && Picture;
    if (!FUseSkinSize) {
        // Any height: the frame stretched, the button from a button description.
        if (Picture) CreateStretchImage(B, Picture, Active ? FSkin.ActiveSkinRect : SkinRect, ClRect, true);
        DrawResizeButton(B);
        DrawItemArea(B, true);
        return;
    }
    if (Active)
        CreateHSkinImage(LTPt.X, FSkin.ActiveSkinRect.Width() - RTPt.X, B, Picture, FSkin.ActiveSkinRect, Width(),
                         Height(), StretchEffect);
    else
        inherited::CreateControlSkinImage(B);
    const TsfPartState S = ButtonPartState(Button);
    const TRect Src = !Enabled() && HasArea(FSkin.UnEnabledButtonRect) ? FSkin.UnEnabledButtonRect
                      : S == psPressed                                 ? FSkin.DownButtonRect
                      : S == psHot                                     ? FSkin.ActiveButtonRect
                                                                       : TRect{};
    if (HasArea(Src) && Picture) SkinCopyRect(B, Button.R, Picture, Src);
    DrawItemArea(B, true);
}

// ---------------------------------------------------------------------------
// Font combos

namespace {

struct TFontEnum {
    TsfSkinFontComboBox* Combo;
    TsfFontListOptions Options;
    TStrings* Items;
};

int CALLBACK FontFamilyProc(const LOGFONTW* LF, const TEXTMETRICW*, DWORD FontType, LPARAM Data)
{
    auto* E = reinterpret_cast<TFontEnum*>(Data);
    const String Name(reinterpret_cast<const Char*>(LF->lfFaceName));
    if (E->Items->IndexOf(Name) != -1) return 1;
    if (!IsFontAllowed(E->Options, LF->lfCharSet, LF->lfPitchAndFamily, Integer(FontType))) return 1;
    Integer Value = Integer(FontType) & 7;
    if (LF->lfCharSet != SYMBOL_CHARSET) Value |= sfNotSymbolFlag;
    E->Items->AddObject(Name, reinterpret_cast<TObject*>(intptr_t(Value)));
    return 1;
}

struct TSizeEnum {
    std::vector<Integer> Sizes;
    Integer PixelsPerInch;
    bool TrueType = false;
};

int CALLBACK FontSizeProc(const LOGFONTW* LF, const TEXTMETRICW* TM, DWORD FontType, LPARAM Data)
{
    auto* E = reinterpret_cast<TSizeEnum*>(Data);
    if (FontType & TRUETYPE_FONTTYPE) {
        E->TrueType = true;
        return 0;
    }
    InsertFontSize(E->Sizes, FontPoints(LF->lfHeight, TM->tmInternalLeading, E->PixelsPerInch));
    return 1;
}

}  // namespace

TsfSkinFontComboBox::TsfSkinFontComboBox(TComponent* AOwner) : inherited(AOwner)
{
    SetSorted(true);
    FListBox->OnDrawItem = [this](TCanvas* C, Integer Index, Integer W, Integer H, const TRect& R, TOwnerDrawState) {
        (void)W;
        (void)H;
        if (FontType(Index) & sfTRUETYPE_FONTTYPE) {
            // The TrueType mark: a "T" in grey and again in black, 4 pixels right and down.
            const Integer Y0 = R.Top + R.Height() / 2 - 7;
            for (Integer K = 0; K < 2; ++K) {
                const Integer X = R.Left + 4 * K, Y = Y0 + 4 * K;
                C->Pen()->SetColor(K == 0 ? TColor(0x808080) : clBlack);
                auto L = [C](Integer X1, Integer Y1, Integer X2, Integer Y2) {
                    C->MoveTo(X1, Y1);
                    C->LineTo(X2, Y2);
                };
                L(X, Y, X + 7, Y);
                L(X, Y, X, Y + 3);
                L(X + 7, Y, X + 7, Y + 3);
                L(X + 3, Y, X + 3, Y + 8);
                L(X + 4, Y, X + 4, Y + 8);
                L(X + 2, Y + 8, X + 6, Y + 8);
            }
        }
        C->Font()->SetName(Items()->Strings(Index));
        C->Font()->SetStyle(0);
        C->Brush()->SetStyle(bsClear);
        DrawVCenterText(C, Items()->Strings(Index), Rect(R.Left + 15, R.Top, R.Right, R.Bottom));
    };
    OnComboBoxDrawItem = [this](TCanvas* C, Integer Index, Integer, Integer, const TRect& R, TOwnerDrawState) {
        C->Font()->Assign(Font());
        DrawVCenterText(C, Items()->Strings(Index).substr(0, 255), Rect(R.Left + 2, R.Top, R.Right, R.Bottom));
    };
}

Integer TsfSkinFontComboBox::FontType(Integer Index) const
{
    if (Index < 0 || Index >= Items()->Count()) return 0;
    return Integer(reinterpret_cast<intptr_t>(Items()->Objects(Index)));
}

void TsfSkinFontComboBox::PopulateList()
{
    if (!HandleAllocated()) return;
    const Integer Old = ItemIndex();
    TStringList Found;
    TFontEnum E{this, FOptions, &Found};
    LOGFONTW LF{};
    LF.lfCharSet = DEFAULT_CHARSET;
    if (FDevice != fdPrinter) {
        TClientDC DC(nullptr);
        EnumFontFamiliesExW(DC, &LF, FontFamilyProc, reinterpret_cast<LPARAM>(&E), 0);
    }
    if (FDevice != fdScreen) {
        // A printer that cannot be reached adds nothing.
        try {
            if (HDC PDC = PrinterInstance()->Handle())
                EnumFontFamiliesExW(PDC, &LF, FontFamilyProc, reinterpret_cast<LPARAM>(&E), 0);
        } catch (const Exception&) {
        }
    }
    Items()->BeginUpdate();
    Items()->Clear();
    Items()->Assign(&Found);
    Items()->EndUpdate();
    FListBox->SetItemIndex(Old < Items()->Count() ? Old : -1);
    FListBox->UpDateScrollBar();
}

void TsfSkinFontComboBox::FireChange()
{
    if (!(ComponentState() & csReading) && !FUpdate && OnChange) OnChange(this);
}

void TsfSkinFontComboBox::SetFontName(const String& Value)
{
    if (Value == Text()) return;
    if (ComponentState() & csLoading) {
        SetText(Value);
        return;
    }
    HandleNeeded();
    const Integer I = FindItemText(*Items(), Value);
    if (I != -1) {
        SetItemIndex(I);
        FireChange();
        return;
    }
    if (FStyle == sfcbFixedStyle) {
        FListBox->SetItemIndex(-1);
        FOldItemIndex = -1;
        Invalidate();
    } else {
        SetText(Value);
    }
    FireChange();
}

void TsfSkinFontComboBox::RebuildList()
{
    if (!HandleAllocated()) return;
    FUpdate = true;
    const String Name = Text();
    PopulateList();
    SetFontName(Name);
    FUpdate = false;
    if (Text() != Name) FireChange();
}

void TsfSkinFontComboBox::SetDevice(TsfFontDevice Value)
{
    if (FDevice == Value) return;
    FDevice = Value;
    RebuildList();
}

void TsfSkinFontComboBox::SetOptions(TsfFontListOptions Value)
{
    if (FOptions == Value) return;
    FOptions = Value;
    RebuildList();
}

void TsfSkinFontComboBox::SetUseFonts(bool Value)
{
    if (FUseFonts == Value) return;
    FUseFonts = Value;
    Invalidate();
}

void TsfSkinFontComboBox::CreateWnd()
{
    const String Name = Text();
    inherited::CreateWnd();
    FUpdate = true;
    PopulateList();
    SetText(u"");
    SetFontName(Name);
    FUpdate = false;
}

void TsfSkinFontComboBox::WndProc(TMessage& Message)
{
    inherited::WndProc(Message);
    if (Message.Msg == WM_FONTCHANGE) RebuildList();
}

TsfSkinFontSizeComboBox::TsfSkinFontSizeComboBox(TComponent* AOwner) : inherited(AOwner) { FNumEdit = true; }

void TsfSkinFontSizeComboBox::SetFontName(const String& Value)
{
    FFontName = Value;
    BuildSizeList();
}

void TsfSkinFontSizeComboBox::BuildSizeList()
{
    TClientDC DC(nullptr);
    Items()->BeginUpdate();
    Items()->Clear();
    if (!FFontName.empty()) {
        PixelsPerInch = GetDeviceCaps(DC, LOGPIXELSY);
        TSizeEnum E{{}, PixelsPerInch};
        LOGFONTW LF{};
        LF.lfCharSet = DEFAULT_CHARSET;
        const size_t N = std::min<size_t>(FFontName.size(), LF_FACESIZE - 1);
        std::copy_n(FFontName.begin(), N, reinterpret_cast<Char*>(LF.lfFaceName));
        EnumFontFamiliesExW(DC, &LF, FontSizeProc, reinterpret_cast<LPARAM>(&E), 0);
        const std::vector<Integer>& Sizes = E.TrueType ? TrueTypeFontSizes() : E.Sizes;
        for (Integer S : Sizes) Items()->Add(IntToStr(S));
    }
    // The current text selected again with one OnClick at the end.
    TNotifyEvent Click = OnClick;
    OnClick = nullptr;
    SetItemIndex(Items()->IndexOf(Text()));
    OnClick = Click;
    if (OnClick && !(ComponentState() & (csLoading | csDesigning))) OnClick(this);
    Items()->EndUpdate();
    FListBox->UpDateScrollBar();
}

Integer TsfSkinFontSizeComboBox::SizeValue() const
{
    if (FStyle == sfcbFixedStyle) {
        const Integer I = ItemIndex();
        return I < 0 ? 0 : FontSizeOfText(Items()->Strings(I));
    }
    return FontSizeOfText(const_cast<TsfSkinFontSizeComboBox*>(this)->Text());
}

// ---------------------------------------------------------------------------
// List helpers of the program's windows

void SelectComboItemByText(TsfSkinCustomComboBox* Combo, const String& Text)
{
    if (!Combo) return;
    const Integer I = FindItemExact(*Combo->Items(), Text);
    if (I != -1) Combo->SetItemIndex(I);
}

void ScrollBarWheelStep(TsfSkinScrollBar* ScrollBar, bool Down, bool& Handled, const TPoint& MousePos)
{
    (void)MousePos;
    Handled = true;
    if (!ScrollBar || !ScrollBar->Enabled()) return;
    ScrollBar->SetPosition(ScrollBar->Position() + (Down ? ScrollBar->SmallChange() : -ScrollBar->SmallChange()));
}
