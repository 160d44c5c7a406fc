#include "skin/controls/win/SkinTabs.h"

#include <algorithm>

#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinImage.h"

namespace {

TRect Moved(const TRect& R, Integer DX, Integer DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }

// A canvas on a device context for the length of a scope.
struct TDCCanvas {
    TCanvas C;
    explicit TDCCanvas(HDC DC) { C.SetHandle(DC); }
    ~TDCCanvas() { C.SetHandle(nullptr); }
};

// Sends WM_PARENTBGCHANGED to every windowed child.
void TellWindowedChildren(TWinControl* Parent)
{
    for (Integer i = 0; i < Parent->ControlCount(); ++i)
        if (auto* W = dynamic_cast<TWinControl*>(Parent->Controls(i)); W && W->HandleAllocated())
            SendMessageW(W->Handle(), WM_PARENTBGCHANGED, 0, 0);
}

}  // namespace

// ---------------------------------------------------------------------------
// Unit routines

void DrawBitmapCCW(TCanvas* Canvas, TsfBitmap* B, Integer X, Integer Y)
{
    TsfBitmap T;
    T.SetSize(B->Width(), B->Height());
    B->Draw(&T, 0, 0);
    RotateBitmapCCW(&T);
    T.Draw(Canvas, X, Y);
}

void DrawBitmapCW(TCanvas* Canvas, TsfBitmap* B, Integer X, Integer Y)
{
    TsfBitmap T;
    T.SetSize(B->Width(), B->Height());
    B->Draw(&T, 0, 0);
    RotateBitmapCW(&T);
    T.Draw(Canvas, X, Y);
}

void DrawTabImageAndText(TCanvas* Canvas, Integer W, Integer H, Integer Offset, bool Enabled, Integer ImageIndex,
                         TCustomImageList* Images, const String& Text)
{
    TRect TR{0, 0, 0, 0};
    if (!Text.empty()) DrawWideText(Canvas, Text, TR, DT_CALCRECT);
    const Integer TW = Text.empty() ? 0 : TR.Width() + 2;
    const Integer IW = Images ? Images->Width() : 0, IH = Images ? Images->Height() : 0;
    const TsfTabContentPlace P = PlaceTabImageAndText(W, H, Offset, TW, TR.Height(), IW, IH);
    if (HasListImage(Images, ImageIndex)) Images->Draw(Canvas, P.ImageX, P.ImageY, ImageIndex, Enabled);
    if (!Text.empty()) {
        TRect R = P.TextRect;
        DrawWideText(Canvas, Text, R, DT_CENTER);
    }
}

// ---------------------------------------------------------------------------
// The shared part

template <class TBase>
TsfSkinTabsCommon<TBase>::TsfSkinTabsCommon(TComponent* AOwner) : TBase(AOwner)
{
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->SetName(u"Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(0);
    FDefaultFont->SetColor(clBtnText);
    this->Font()->Assign(FDefaultFont.get());
    FTempImages = std::make_unique<TCustomImageList>(nullptr, 1, 1);
    TBase::SetImages(FTempImages.get());
    FTracker.State = [this](Integer Pos) { return CloseStateOf(ItemOf(Pos)); };
}

template <class TBase>
TsfSkinTabsCommon<TBase>::~TsfSkinTabsCommon()
{
    FSkinUpDown.reset();
    TBase::SetImages(nullptr);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetSkinData(TsfSkinData* Value)
{
    FSD = Value;
    if (Value && !Value->Empty && !Designing()) ChangeSkinData();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::GetSkinData()
{
    FSkin.BGPictureIndex = -1;
    FHasSkin = false;
    if (!FSD) {
        FIndex = -1;
        return;
    }
    FIndex = FSD->Empty ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1 || FIndex >= static_cast<Integer>(FSD->CtrlList.size())) return;
    auto* D = dynamic_cast<TsfDataSkinTabControl*>(FSD->CtrlList[static_cast<size_t>(FIndex)].get());
    if (!D) return;
    FHasSkin = true;
    CopyTabDescription(*D, FSkin);
    Picture = FSD->ActiveBitmap(D->PictureIndex);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::ApplySkinFont()
{
    TFont* F = this->Font();
    if (!Described()) {
        F->Assign(FDefaultFont.get());
        if (FSD && FSD->ResourceStrData()) F->SetCharset(FSD->ResourceStrData()->CharSet());
        return;
    }
    if (FUseSkinFont) {
        F->SetName(FSkin.FontName);
        F->SetHeight(FSkin.FontHeight);
        F->SetStyle(FSkin.FontStyle);
        F->SetColor(FSkin.FontColor);
    } else {
        F->Assign(FDefaultFont.get());
    }
    F->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet() : FDefaultFont->Charset());
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::ChangeSkinData()
{
    GetSkinData();
    if (FShowCloseButtons) {
        const Integer N = CalcCloseSize();
        AddRoom(N - FCloseSize);
        FCloseSize = N;
    }
    ApplySkinFont();
    const Integer H = this->TabHeight() > 0 ? this->TabHeight() : Described() ? FSkin.TabRect.Height() : FDefaultItemHeight;
    SetItemSize(this->TabWidth(), H);
    UpdateScrollerPosition();
    this->Realign();
    this->Invalidate();
    HideSkinUpDown();
    UpdateTabsScroller();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetItemSize(Integer W, Integer H)
{
    if (this->HandleAllocated()) SendMessageW(this->Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(W, H));
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::UpDateTabs()
{
    GetSkinData();
    const Integer H = this->TabHeight() > 0 ? this->TabHeight() : Described() ? FSkin.TabRect.Height() : FDefaultItemHeight;
    SetItemSize(this->TabWidth(), H);
    if (this->MultiLine() && FSkinUpDown) HideSkinUpDown();
    this->Realign();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::CreateWnd()
{
    TBase::CreateWnd();
    // The platform's own size came with the window: the skin's tab height goes back in.
    UpDateTabs();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::Loaded()
{
    TBase::Loaded();
    GetSkinData();
    if (!Described()) SetItemSize(this->TabWidth(), this->TabHeight() > 0 ? this->TabHeight() : FDefaultItemHeight);
    UpdateScrollerPosition();
    this->Realign();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetDefaultItemHeight(Integer V)
{
    FDefaultItemHeight = V;
    GetSkinData();
    if (Described()) return;
    SetItemSize(this->TabWidth(), this->TabHeight() > 0 ? this->TabHeight() : V);
    UpdateScrollerPosition();
    this->Realign();
}

template <class TBase>
Integer TsfSkinTabsCommon<TBase>::GetImageIndex(Integer TabIndex)
{
    // Every tab takes the room of the image list handed to the platform; the
    // images themselves are painted by DrawTab.
    return TabIndex;
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::AddRoom(Integer Delta)
{
    if (Delta == 0) return;
    const bool Vertical = Side() == tsdLeft || Side() == tsdRight;
    const Integer W = FTempImages->Width() + (Vertical ? 0 : Delta);
    const Integer H = FTempImages->Height() + (Vertical ? Delta : 0);
    FTempImages->SetSize(std::max<Integer>(W, 1), std::max<Integer>(H, 1));
    TBase::SetImages(nullptr);
    TBase::SetImages(FTempImages.get());
    this->Realign();
    this->Invalidate();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetImages(TCustomImageList* V)
{
    if (V == FImages) return;
    const bool Vertical = Side() == tsdLeft || Side() == tsdRight;
    auto Size = [Vertical](TCustomImageList* L) { return L ? (Vertical ? L->Height() : L->Width()) : 0; };
    const Integer Delta = Size(V) - Size(FImages);
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = V;
    if (V) V->FreeNotification(this);
    AddRoom(Delta);
    this->Invalidate();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetShowCloseButtons(bool V)
{
    if (V == FShowCloseButtons) return;
    FShowCloseButtons = V;
    AddRoom(V ? FCloseSize : -FCloseSize);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetTabExtededDraw(bool V)
{
    FTabExtendedDraw = V;
    this->Invalidate();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetTabMargin(Integer V)
{
    if (V < -1 || V == FTabMargin) return;
    FTabMargin = V;
    this->Invalidate();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetTabSpacing(Integer V)
{
    if (V == FTabSpacing) return;
    FTabSpacing = V;
    this->Invalidate();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetTabLayout(TsfButtonLayout V)
{
    if (V == FTabLayout) return;
    FTabLayout = V;
    this->Invalidate();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetTextInHorizontal(bool V)
{
    FTextInHorizontal = V;
    this->Invalidate();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::SetTabsBGTransparent(bool V)
{
    if (V == FTabsBGTransparent) return;
    FTabsBGTransparent = V;
    this->Invalidate();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::Notification(TComponent* AComponent, TOperation Operation)
{
    TBase::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSD) FSD = nullptr;
    if (AComponent == FImages) FImages = nullptr;
}

template <class TBase>
TsfTabBorders TsfSkinTabsCommon<TBase>::Borders() const
{
    if (!Described() || (!IsPageControl() && FSkin.BGPictureIndex != -1)) return {};
    return {FSkin.BorderLeft(), FSkin.BorderTop(), FSkin.BorderRight(), FSkin.BorderBottom()};
}

template <class TBase>
TRect TsfSkinTabsCommon<TBase>::DisplayRectOf()
{
    return this->DisplayRect();
}

template <class TBase>
TRect TsfSkinTabsCommon<TBase>::GetItemRect(Integer Index)
{
    RECT R{0, 0, 0, 0};
    if (this->HandleAllocated())
        SendMessageW(this->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&R));
    return {R.left, R.top, R.right, R.bottom};
}

template <class TBase>
std::vector<TRect> TsfSkinTabsCommon<TBase>::ItemRects()
{
    std::vector<TRect> Items;
    const Integer N = ShownCount();
    Items.reserve(static_cast<size_t>(N));
    for (Integer i = 0; i < N; ++i) Items.push_back(GetItemRect(i));
    return Items;
}

template <class TBase>
TRect TsfSkinTabsCommon<TBase>::GetActiveTabRect()
{
    const Integer Sel = this->TabIndex();
    if (Sel < 0 || Sel >= ShownCount()) return {};
    return GrowActiveTabRect(Side(), GetItemRect(Sel), Described() ? FSkin.ActiveRise() : 0);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::WndProc(TMessage& Message)
{
    TBase::WndProc(Message);
    switch (Message.Msg) {
    case TCM_ADJUSTRECT: {
        if (Message.WParam || !Message.LParam) break;
        auto* R = reinterpret_cast<RECT*>(Message.LParam);
        GetSkinData();
        RECT Client{0, 0, 0, 0};
        if (this->HandleAllocated()) ::GetClientRect(this->Handle(), &Client);
        TRect T = CorrectTabDisplayRect(Side(), Described(), Borders(), Client.right, Client.bottom,
                                        {R->left, R->top, R->right, R->bottom});
        if (TabsHidden()) T = HiddenTabsDisplayRect(Side(), Described(), T);
        if (BorderHidden()) T = {0, -2, this->Width(), this->Height()};
        *R = RECT{T.Left, T.Top, T.Right, T.Bottom};
        break;
    }
    case TCM_GETITEMRECT: {
        if (!Message.Result || !Message.LParam || this->Style() != tsTabs) break;
        auto* R = reinterpret_cast<RECT*>(Message.LParam);
        TRect T = CorrectTabItemRect(Side(), SingleRow(), {R->left, R->top, R->right, R->bottom});
        const Integer Shift = RowShift();
        T = Moved(T, Shift, 0);
        *R = RECT{T.Left, T.Top, T.Right, T.Bottom};
        break;
    }
    case WM_SIZE:
    case TCM_INSERTITEMW:
    case TCM_DELETEITEM:
    case TCM_SETITEMSIZE:
        // The tabs' places changed: the scroller follows.
        if (SingleRow() && !Designing()) UpdateTabsScroller();
        break;
    default: break;
    }
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PARENTBGCHANGED:
        if (FTabsBGTransparent) this->Repaint();
        return;
    case WM_HSCROLL:
        this->DefaultHandler(Message);
        this->Repaint();
        return;
    default: TBase::Dispatch(Message);
    }
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::WMPaint(TWMPaint& Message)
{
    FromWMPaint = true;
    this->SetControlState(this->ControlState() | csCustomPaint);
    TBase::WMPaint(Message);
    this->SetControlState(this->ControlState() & ~csCustomPaint);
    FromWMPaint = false;
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::WMSize(TMessage& Message)
{
    GetSkinData();
    TBase::WMSize(Message);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::PaintWindow(HDC DC)
{
    if (this->Width() <= 0 || this->Height() <= 0) return;
    GetSkinData();
    TSavedDC Saved(DC);
    TDCCanvas C(DC);
    if (!Described()) PaintDefaultFrame(&C.C);
    else PaintSkinFrame(&C.C);
    DrawTabs(&C.C);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::PaintDefaultFrame(TCanvas* Canvas)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect({0, 0, this->ClientWidth(), this->ClientHeight()});
    if (BorderHidden()) return;
    TRect D = DisplayRectOf();
    if (Side() == tsdTop) D.Top += 2;
    Canvas->Brush()->SetColor(clBtnShadow);
    Canvas->FrameRect({D.Left - 1, D.Top - 1, D.Right + 1, D.Bottom + 1});
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::DrawBorderStrips(TCanvas* Canvas, const TRect& F)
{
    if (!Picture || F.Width() <= 0 || F.Height() <= 0) return;
    const Integer DW = F.Width() - FSkin.SkinRect.Width(), DH = F.Height() - FSkin.SkinRect.Height();
    const TPoint NRT{FSkin.RTPoint.X + DW, FSkin.RTPoint.Y}, NLB{FSkin.LBPoint.X, FSkin.LBPoint.Y + DH};
    const TPoint NRB{FSkin.RBPoint.X + DW, FSkin.RBPoint.Y + DH};
    const TRect NCL{FSkin.ClRect.Left, FSkin.ClRect.Top, FSkin.ClRect.Right + DW, FSkin.ClRect.Bottom + DH};
    TsfBitmap L, T, R, B;
    CreateSkinBorderImages(FSkin.LTPoint, FSkin.RTPoint, FSkin.LBPoint, FSkin.RBPoint, FSkin.ClRect, FSkin.LTPoint, NRT,
                           NLB, NRB, NCL, &L, &T, &R, &B, Picture, FSkin.SkinRect, F.Width(), F.Height(),
                           FSkin.LeftStretch, FSkin.TopStretch, FSkin.RightStretch, FSkin.BottomStretch);
    HDC DC = Canvas->Handle();
    TSavedDC Saved(DC);
    const TRect A = GetActiveTabRect();
    if (!IsEmptyRect(A) && !TabsHidden() && this->Style() == tsTabs)
        ExcludeClipRect(DC, A.Left, A.Top, A.Right, A.Bottom);
    if (!T.Empty()) T.Draw(Canvas, F.Left, F.Top);
    if (!L.Empty()) L.Draw(Canvas, F.Left, F.Top + T.Height());
    if (!R.Empty()) R.Draw(Canvas, F.Left + F.Width() - R.Width(), F.Top + T.Height());
    if (!B.Empty()) B.Draw(Canvas, F.Left, F.Top + F.Height() - B.Height());
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::DrawBackgroundRule(TCanvas* Canvas, const TsfBitmap* Source, Integer W, Integer H)
{
    if (!Source || Source->Empty()) return;
    auto* S = const_cast<TsfBitmap*>(Source);
    const Integer SW = S->Width(), SH = S->Height();
    if (SW <= 0 || SH <= 0) return;
    if (FSkin.StretchEffect && W > 0 && H > 0) {
        switch (FSkin.StretchType) {
        case sfstFull: S->Draw(Canvas, TRect{0, 0, W, H}); return;
        case sfstHorz: {
            TsfBitmap T;
            T.SetSize(SW, H);
            S->Draw(&T, TRect{0, 0, SW, H});
            for (Integer i = 0; i <= W / SW; ++i) T.Draw(Canvas, i * SW, 0);
            return;
        }
        case sfstVert: {
            TsfBitmap T;
            T.SetSize(W, SH);
            S->Draw(&T, TRect{0, 0, W, SH});
            for (Integer j = 0; j <= H / SH; ++j) T.Draw(Canvas, 0, j * SH);
            return;
        }
        }
    }
    for (Integer i = 0; i <= W / SW; ++i)
        for (Integer j = 0; j <= H / SH; ++j) S->Draw(Canvas, i * SW, j * SH);
}

template <class TBase>
std::unique_ptr<TsfBitmap> TsfSkinTabsCommon<TBase>::ClientTile()
{
    auto B = std::make_unique<TsfBitmap>();
    const TRect S = FSkin.ClientTile();
    if (!Picture || IsEmptyRect(S)) return B;
    B->SetSize(S.Width(), S.Height());
    SkinCopyRect(B.get(), {0, 0, S.Width(), S.Height()}, Picture, S);
    return B;
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::DrawTabs(TCanvas* Canvas)
{
    const Integer Count = ShownCount();
    if (Count == 0 || TabsHidden()) return;
    const std::vector<TRect> Items = ItemRects();
    const Integer Sel = this->TabIndex();
    const Integer Hover = FTracker.Active;
    if (!Described()) {
        for (Integer i = 0; i < Count; ++i) DrawTab(ItemOf(i), Items[size_t(i)], i == Sel, i == Hover, Canvas);
        return;
    }
    const TRect F = TabFrameRect(DisplayRectOf(), Borders());
    const TRect Strip = TabStripRect(Side(), F, this->Width(), this->Height());
    if (IsEmptyRect(FSkin.TabsBGRect)) FSkin.TabsBGRect = Moved(FSkin.ClRect, FSkin.SkinRect.Left, FSkin.SkinRect.Top);
    if (!IsEmptyRect(Strip)) {
        TsfBitmap SB;
        SB.SetSize(Strip.Width(), Strip.Height());
        if (FTabsBGTransparent) {
            DrawParentBackgroundAt(this, Strip, SB.Canvas());
        } else if (Picture) {
            const TRect TR = FSkin.TabsBGRect;
            TsfBitmap Tile;
            Tile.SetSize(TR.Width(), TR.Height());
            SkinCopyRect(&Tile, {0, 0, TR.Width(), TR.Height()}, Picture, TR);
            for (Integer i = 0; i <= Strip.Width() / TR.Width(); ++i)
                for (Integer j = 0; j <= Strip.Height() / TR.Height(); ++j)
                    Tile.Draw(&SB, i * TR.Width(), j * TR.Height());
        }
        for (Integer i = 0; i < Count; ++i)
            if (i != Sel)
                DrawTab(ItemOf(i), Moved(Items[size_t(i)], -Strip.Left, -Strip.Top), false, i == Hover, SB.Canvas());
        HDC DC = Canvas->Handle();
        TSavedDC Saved(DC);
        const TRect A = GetActiveTabRect();
        if (!IsEmptyRect(A)) ExcludeClipRect(DC, A.Left, A.Top, A.Right, A.Bottom);
        SB.Draw(Canvas, Strip.Left, Strip.Top);
    }
    if (Sel >= 0 && Sel < Count) {
        TRect R = Items[size_t(Sel)];
        const Integer D = IsPageControl() && this->Style() != tsTabs ? 0 : FSkin.ActiveRise();
        if (Side() == tsdBottom) R = Moved(R, 0, -D);
        if (Side() == tsdRight) R = Moved(R, -D, 0);
        DrawTab(ItemOf(Sel), R, true, Sel == Hover, Canvas);
    }
}

template <class TBase>
bool TsfSkinTabsCommon<TBase>::DrawSkinButtonPicture(TsfBitmap* B, const String& Name, bool Down, bool MouseIn,
                                                     TColor& Color)
{
    return ::DrawSkinButtonPicture(FSD, B, Name, Down, MouseIn, Color);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::DrawCloseButton(TsfBitmap* B, const TRect& A, Integer Index, Integer W, Integer H)
{
    TsfCBButtonX* S = CloseStateOf(Index);
    if (!S) return;
    TRect Btn;
    if (!Described()) {
        Btn = PlaceCloseButton(A, 14, 14);
        DrawCloseImage(B->Canvas(), Btn.Left + 2, Btn.Top + 2, S->MouseIn ? TColor(0xFFFFFF) : TColor(0));
    } else if (IsEmptyRect(FSkin.CloseButtonRect)) {
        TsfBitmap CB;
        CB.SetSize(FCloseSize, FCloseSize);
        TColor Color = 0;
        if (!DrawSkinButtonPicture(&CB, u"resizetoolbutton", S->Down && S->MouseIn, S->MouseIn, Color)) return;
        DrawCloseImage(CB.Canvas(), CB.Width() / 2 - 5, CB.Height() / 2 - 5, Color);
        Btn = PlaceCloseButton(A, CB.Width(), CB.Height());
        CB.Draw(B, Btn.Left, Btn.Top);
    } else {
        const TRect Src = S->Down && S->MouseIn ? FSkin.CloseButtonDownRect
                          : S->MouseIn          ? FSkin.ClosebuttonActiveRect
                                                : FSkin.CloseButtonRect;
        Btn = PlaceCloseButton(A, Src.Width(), Src.Height());
        if (Picture) {
            if (FSkin.ButtonTransparent) DrawKeyed(B, Picture, Src, Btn.Left, Btn.Top, FSkin.ButtonTransparentColor);
            else SkinCopyRect(B, Btn, Picture, Src);
        }
    }
    if ((Side() == tsdLeft || Side() == tsdRight) && !FTextInHorizontal) Btn = TurnCloseButtonRect(Side(), Btn, W, H);
    S->R = Btn;
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::DrawTab(Integer Index, TRect R, bool Active, bool MouseIn, TCanvas* Canvas)
{
    if (TabsHidden() || Index < 0) return;
    const Integer ImageIndex = ImageOf(Index);
    const bool HasImage = FImages && ImageIndex >= 0 && ImageIndex < FImages->Count();
    const String Caption = CaptionOf(Index);
    const bool Lying = Side() == tsdLeft || Side() == tsdRight;
    const Integer W = Lying ? R.Height() : R.Width(), H = Lying ? R.Width() : R.Height();
    if (W <= 0 || H <= 0) return;
    const bool Focused = this->Focused();
    TsfBitmap B;
    B.SetSize(W, H);
    TColor TextColor = this->Font()->Color();
    bool SkinFont = false;
    TRect T{0, 0, W, H};
    if (!Described()) {
        const TColor Navy = 0x800000;
        TColor Fill = clBtnFace;
        if (MouseIn && !Active) Fill = 0xD2BDB6;
        else if (Active) Fill = Focused ? 0xB59385 : 0xD2BDB6;
        B.FillRect({0, 0, W, H}, SkinColorOf(Active ? Navy : Fill));
        if (Active) {
            B.FillRect({1, 1, W - 1, H - 1}, SkinColorOf(Fill));
            T = {1, 1, W - 1, H - 1};
        }
    } else {
        bool Button = false;
        if (IsPageControl() && this->Style() != tsTabs) {
            DrawButtonTab(&B, Active, MouseIn);
            Button = true;
        }
        if (!Button) {
            TRect P = FSkin.TabRect;
            if (MouseIn && !Active && !IsEmptyRect(FSkin.MouseInTabRect)) P = FSkin.MouseInTabRect;
            else if (Active && Focused) P = FSkin.FocusTabRect;
            else if (Active) P = FSkin.ActiveTabRect;
            if (Picture && !IsEmptyRect(P)) {
                if (this->TabHeight() > 0) {
                    Integer NH = H;
                    if (Active && FSkin.TabRect.Height() < FSkin.ActiveTabRect.Height())
                        NH += FSkin.ActiveTabRect.Height() - FSkin.TabRect.Height();
                    else if (Active && Focused && FSkin.TabRect.Height() < FSkin.FocusTabRect.Height())
                        NH += FSkin.FocusTabRect.Height() - FSkin.TabRect.Height();
                    if (NH != H) B.SetSize(W, NH);
                    const Integer q = FSkin.TabRect.Height() / 4;
                    CreateStretchImage(&B, Picture, P,
                                       {FSkin.TabLeftOffset, q, P.Width() - FSkin.TabRightOffset, P.Height() - q}, true);
                } else {
                    CreateHSkinImage(FSkin.TabLeftOffset, FSkin.TabRightOffset, &B, Picture, P, W, H,
                                     FSkin.TabStretchEffect);
                }
                const TRect Corner = Focused ? FSkin.TabLeftBottomFocusRect : FSkin.TabLeftBottomActiveRect;
                if (Active && R.Left == 0 && !IsEmptyRect(FSkin.TabLeftBottomActiveRect) && SingleRow() &&
                    (Side() == tsdTop || Side() == tsdBottom) && !IsEmptyRect(Corner))
                    SkinCopyRect(&B, {0, B.Height() - Corner.Height(), Corner.Width(), B.Height()}, Picture, Corner);
            }
            if (Side() == tsdBottom) FlipBitmapVert(&B);
            SkinFont = FUseSkinFont;
            TextColor = FSkin.FontColor;
            if (MouseIn && !Active) TextColor = FSkin.MouseInFontColor;
            else if (Active && Focused) TextColor = FSkin.FocusFontColor;
            else if (Active) TextColor = FSkin.ActiveFontColor;
        } else {
            TextColor = B.Canvas()->Font()->Color();
        }
        T = {0, 0, B.Width(), B.Height()};
    }
    if (FTextInHorizontal && Side() == tsdLeft) RotateBitmapCCW(&B), T = {0, 0, B.Width(), B.Height()};
    if (FTextInHorizontal && Side() == tsdRight) RotateBitmapCW(&B), T = {0, 0, B.Width(), B.Height()};
    TCanvas* BC = B.Canvas();
    BC->Brush()->SetStyle(bsClear);
    BC->Font()->Assign(this->Font());
    if (SkinFont) {
        BC->Font()->SetName(FSkin.FontName);
        BC->Font()->SetStyle(FSkin.FontStyle);
        BC->Font()->SetHeight(FSkin.FontHeight);
    }
    if (FSD && FSD->ResourceStrData()) BC->Font()->SetCharset(FSD->ResourceStrData()->CharSet());
    BC->Font()->SetColor(TextColor);
    if (Described() && FSkin.ShowFocus && Focused && Active) {
        const TRect FR{T.Left + FSkin.FocusOffsetX, T.Top + FSkin.FocusOffsetY, T.Right - FSkin.FocusOffsetX,
                       T.Bottom - FSkin.FocusOffsetY};
        BC->Brush()->SetStyle(bsSolid);
        if (FSD && FSD->SkinColors()) BC->Brush()->SetColor(FSD->SkinColors()->cBtnFace());
        DrawSkinFocusRect(BC, FR);
        BC->Brush()->SetStyle(bsClear);
    }
    Integer o = 0;
    if (Described() && FSkin.ActiveRise() != 0 && !Active) {
        const Integer s = CaptionShift();
        const bool Down = Side() == tsdTop || Side() == tsdLeft;
        T.Top += Down ? s : -s;
        if (HasImage) o = Down ? 2 : -2;
    }
    const Integer CloseW = FShowCloseButtons ? FCloseSize + 2 : 0;
    const Integer CloseCut = Described() ? CloseW + 3 : CloseW;
    if (OnDrawSkinTab) {
        OnDrawSkinTab(Index, TRect{0, 0, B.Width(), B.Height()}, Active, MouseIn, BC);
    } else if (HasImage || FTabExtendedDraw) {
        const TRect T2{T.Left, T.Top, T.Right - CloseW, T.Bottom};
        if (FTabExtendedDraw)
            DrawImageAndText(BC, T2, FTabMargin, FTabSpacing, FTabLayout, Caption, ImageIndex, FImages, false,
                             EnabledOf(Index), false, 0);
        else
            DrawTabImageAndText(BC, B.Width() - CloseW, B.Height(), o, EnabledOf(Index), ImageIndex, FImages, Caption);
        if (CloseW > 0) T.Right -= CloseCut;
    } else {
        if (CloseW > 0) T.Right -= CloseCut;
        TRect TR = T;
        DrawWideText(BC, Caption, TR, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    if (FShowCloseButtons) {
        if (!MouseIn)
            if (TsfCBButtonX* S = CloseStateOf(Index)) S->MouseIn = false;
        DrawCloseButton(&B, {T.Right, T.Top + o, B.Width(), T.Bottom}, Index, B.Width(), B.Height());
    }
    if (Side() == tsdLeft && !FTextInHorizontal) DrawBitmapCCW(Canvas, &B, R.Left, R.Top);
    else if (Side() == tsdRight && !FTextInHorizontal) DrawBitmapCW(Canvas, &B, R.Left, R.Top);
    else B.Draw(Canvas, R.Left, R.Top);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::RepaintTabs()
{
    if (!this->HandleAllocated()) return;
    GetSkinData();
    TClientDC DC(this->Handle());
    TDCCanvas C(DC);
    DrawTabs(&C.C);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::TestActiveTab(Integer X, Integer Y)
{
    if (TabsHidden()) return;
    FTracker.ShowCloseButtons = FShowCloseButtons;
    FTracker.ClearOldFlags = IsPageControl();
    if (FTracker.Test(ItemRects(), X, Y, this->TabIndex())) RepaintTabs();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TBase::MouseMove(Shift, X, Y);
    if (!Designing() && !TabsHidden()) TestActiveTab(X, Y);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TBase::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || Designing() || TabsHidden()) return;
    if (TracksOnPress()) TestActiveTab(X, Y);
    FTracker.ShowCloseButtons = FShowCloseButtons;
    if (FTracker.Press(ItemRects(), X, Y, RowShift())) RepaintTabs();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TBase::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || Designing() || TabsHidden()) return;
    if (TracksOnPress()) TestActiveTab(X, Y);
    FTracker.ShowCloseButtons = FShowCloseButtons;
    const Integer Pos = FTracker.Active;
    if (FTracker.Release(ItemRects(), X, Y, RowShift())) {
        RepaintTabs();
        // The tab whose button was released on closes, whichever is selected.
        CloseTab(Pos);
    }
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::CMMouseLeave(TMessage& Message)
{
    TBase::CMMouseLeave(Message);
    if (TabsHidden()) return;
    const Integer Old = FTracker.Active;
    FTracker.OldActive = Old;
    FTracker.Active = -1;
    if (Old < 0 || Old >= ShownCount()) return;
    if (TsfCBButtonX* S = CloseStateOf(ItemOf(Old))) S->MouseIn = S->Down = false;
    RepaintTabs();
}

template <class TBase>
Integer TsfSkinTabsCommon<TBase>::CalcCloseSize() const
{
    if (FIndex == -1 || IsEmptyRect(FSkin.CloseButtonRect)) return 14;
    return FSkin.CloseButtonRect.Width();
}

template <class TBase>
Integer TsfSkinTabsCommon<TBase>::ScrollLimit()
{
    return this->Width() - 3;
}

template <class TBase>
Integer TsfSkinTabsCommon<TBase>::GetTabsScrollMax()
{
    return TabsScrollMax(ItemRects(), ScrollLimit());
}

template <class TBase>
Integer TsfSkinTabsCommon<TBase>::GetTabsScrollPosition()
{
    return TabsScrollPosition(ItemRects());
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::UpdateTabsScroller()
{
    if (!this->HandleAllocated()) return;
    // The platform's own arrows never show: the skinned scroller takes their place.
    while (HWND Native = FindWindowExW(this->Handle(), nullptr, UPDOWN_CLASSW, nullptr)) DestroyWindow(Native);
    const Integer M = GetTabsScrollMax();
    if (M == 0 || (IsPageControl() && this->MultiLine())) HideSkinUpDown();
    else if (M > 0 && !FSkinUpDown) ShowSkinUpDown();
    if (!FSkinUpDown) return;
    FSkinUpDown->SetMax(M);
    PlaceScroller();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::PlaceScroller()
{
    if (!FSkinUpDown) return;
    const Integer H = FSkinUpDown->Height();
    const Integer Top = TabScrollerTop(Side(), Described() ? &FSkin : nullptr, DisplayRectOf(), H, this->Height());
    FSkinUpDown->SetBounds(this->Width() - FSkinUpDown->Width(), Top, FSkinUpDown->Width(), H);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::ShowSkinUpDown()
{
    GetSkinData();
    FSkinUpDown = std::make_unique<TsfSkinUpDown>(nullptr);

    TsfSkinUpDown* U = FSkinUpDown.get();
    U->SetBounds(0, 0, ScrollerWidth(), ScrollerHeight());
    U->SetSkinDataName(Described() ? FSkin.UpDown : String());
    U->SetMin(0);
    U->SetMax(GetTabsScrollMax());
    U->SetPosition(GetTabsScrollPosition());
    U->SetIncrement(1);
    U->OnChange = [this](TObject* Sender) { UpDownChange(Sender); };
    U->SetParent(this);
    if (FSD) U->SetSkinData(FSD);
    PlaceScroller();
    U->SetVisible(true);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::HideSkinUpDown()
{
    FSkinUpDown.reset();
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::UpDownChange(TObject*)
{
    if (!FSkinUpDown || !this->HandleAllocated()) return;
    FSkinUpDown->SetMax(GetTabsScrollMax());
    SendMessageW(this->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FSkinUpDown->Position()), 0);
}

template <class TBase>
void TsfSkinTabsCommon<TBase>::UpdateScrollerPosition()
{
    if (FSkinUpDown) FSkinUpDown->SetPosition(GetTabsScrollPosition());
    this->Invalidate();
}

template class TsfSkinTabsCommon<TPageControl>;
template class TsfSkinTabsCommon<TTabControl>;

// ---------------------------------------------------------------------------
// Tab sheet

TsfSkinCustomTabSheet::TsfSkinCustomTabSheet(TComponent* AOwner)
    : TTabSheet(AOwner), FWallPaper(std::make_unique<TBitmap>())
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TsfSkinCustomTabSheet::~TsfSkinCustomTabSheet()
{
    SetPageControl(nullptr);
}

void TsfSkinCustomTabSheet::SetWallPaper(TBitmap* Value)
{
    FWallPaper->Assign(Value);
    if (ComponentState() & csDesigning) Invalidate();
}

void TsfSkinCustomTabSheet::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TsfSkinCustomTabSheet::PaintBG(HDC DC)
{
    if (Width() < 1 || Height() < 1 || !Parent()) return;
    auto* PC = dynamic_cast<TsfSkinPageControl*>(Parent());
    if (!PC) return;
    PC->GetSkinData();
    TDCCanvas C(DC);
    if (!FWallPaper->Empty()) {
        const Integer WW = FWallPaper->Width(), WH = FWallPaper->Height();
        for (Integer i = 0; i <= Width() / WW; ++i)
            for (Integer j = 0; j <= Height() / WH; ++j) C.C.Draw(i * WW, j * WH, FWallPaper.get());
        return;
    }
    if (!PC->Described()) {
        C.C.Brush()->SetStyle(bsSolid);
        C.C.Brush()->SetColor(clBtnFace);
        C.C.FillRect({0, 0, Width(), Height()});
        return;
    }
    if (PC->FSkin.BGPictureIndex != -1) {
        PC->DrawBackgroundRule(&C.C, PC->FSD->ActiveBitmap(PC->FSkin.BGPictureIndex), Width(), Height());
        return;
    }
    auto Tile = PC->ClientTile();
    PC->DrawBackgroundRule(&C.C, Tile.get(), Width(), Height());
}

void TsfSkinCustomTabSheet::WMEraseBkgnd(TMessage& Message)
{
    PaintBG(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TsfSkinCustomTabSheet::WMSize(TMessage& Message)
{
    inherited::WMSize(Message);
    Invalidate();
    auto* PC = dynamic_cast<TsfSkinPageControl*>(Parent());
    if (!PC || !PC->SkinData() || PC->SkinData()->Empty) return;
    PC->GetSkinData();
    if (PC->Described() && PC->FSkin.StretchEffect) TellWindowedChildren(this);
}

void TsfSkinCustomTabSheet::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PAINTFRAMEINTO) {
        Message.Result = 12851;
        return;
    }
    inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// Page control

TsfSkinPageControl::TsfSkinPageControl(TComponent* AOwner) : inherited(AOwner) {}

TsfSkinPageControl::~TsfSkinPageControl() = default;

Integer TsfSkinPageControl::ShownCount()
{
    Integer N = 0;
    for (Integer i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabVisible()) ++N;
    return N;
}

TTabSheet* TsfSkinPageControl::PageAt(Integer Pos)
{
    if (Pos < 0) return nullptr;
    for (Integer i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabVisible() && Pos-- == 0) return Pages(i);
    return nullptr;
}

Integer TsfSkinPageControl::ItemOf(Integer Pos)
{
    TTabSheet* P = PageAt(Pos);
    return P ? P->PageIndex() : -1;
}

String TsfSkinPageControl::CaptionOf(Integer Index)
{
    return Index >= 0 && Index < PageCount() ? Pages(Index)->Caption() : String();
}

Integer TsfSkinPageControl::ImageOf(Integer Index)
{
    return Index >= 0 && Index < PageCount() ? Pages(Index)->ImageIndex() : -1;
}

bool TsfSkinPageControl::EnabledOf(Integer Index)
{
    return Index >= 0 && Index < PageCount() ? Pages(Index)->Enabled() : true;
}

TsfCBButtonX* TsfSkinPageControl::CloseStateOf(Integer Index)
{
    if (Index < 0 || Index >= PageCount()) return nullptr;
    auto* S = dynamic_cast<TsfSkinCustomTabSheet*>(Pages(Index));
    return S ? &S->CloseState : nullptr;
}

void TsfSkinPageControl::CloseTab(Integer Pos)
{
    TTabSheet* Page = PageAt(Pos);
    if (!Page) return;
    bool CanClose = true;
    if (OnClose) OnClose(Page, CanClose);
    if (!CanClose) {
        POINT P;
        GetCursorPos(&P);
        if (WindowFromPoint(P) != Handle()) {
            if (TsfCBButtonX* S = CloseStateOf(Page->PageIndex())) S->MouseIn = S->Down = false;
            RepaintTabs();
        }
        return;
    }
    FTracker.Active = FTracker.OldActive = -1;
    Page->SetTabVisible(false);
    if (FFreeOnClose) delete Page;
    if (OnAfterClose) OnAfterClose(this);
}

Integer TsfSkinPageControl::CalcTabsStart()
{
    return ::CalcTabsStart(FTabsOffset, TabWidth(), Width(), ShownCount());
}

Integer TsfSkinPageControl::RowShift()
{
    return Shifted() ? CalcTabsStart() : 0;
}

void TsfSkinPageControl::SetTabsOffset(Integer V)
{
    FTabsOffset = V;
    if (V > 0) {
        if (TabPosition() != tpTop) SetTabPosition(tpTop);
        if (MultiLine()) SetMultiLine(false);
        SetTabsBGTransparent(true);
    }
    Invalidate();
}

void TsfSkinPageControl::SetTabsInCenter(bool V)
{
    if (TabWidth() == 0) {
        FTabsInCenter = false;
        return;
    }
    FTabsInCenter = V;
    if (V) {
        if (TabPosition() != tpTop) SetTabPosition(tpTop);
        if (MultiLine()) SetMultiLine(false);
        SetTabsBGTransparent(true);
    }
    Invalidate();
}

void TsfSkinPageControl::HideTabs()
{
    if (FOldTabHeight != -1 || ShownCount() == 0) return;
    FHideTabs = true;
    FOldTabPosition = TabPosition();
    FOldMultiLine = MultiLine();
    if (TabPosition() == tpLeft || TabPosition() == tpRight) SetTabPosition(tpTop);
    if (MultiLine()) SetMultiLine(false);
    FOldTabHeight = TabHeight();
    SetTabHeight(1);
    SetItemSize(TabWidth(), 1);
    HideSkinUpDown();
    Realign();
}

void TsfSkinPageControl::ShowTabs()
{
    if (FOldTabHeight == -1) return;
    SetTabPosition(FOldTabPosition);
    SetMultiLine(FOldMultiLine);
    FHideTabs = false;
    SetTabHeight(FOldTabHeight);
    GetSkinData();
    if (TabHeight() <= 0) SetItemSize(TabWidth(), Described() ? FSkin.TabRect.Height() : FDefaultItemHeight);
    FOldTabHeight = -1;
    Realign();
    if (SingleRow()) UpdateTabsScroller();
}

void TsfSkinPageControl::HideBorderAndTabs()
{
    if (TabPosition() != tpTop) SetTabPosition(tpTop);
    FHideTabs = FHideBorder = true;
    HideSkinUpDown();
    Realign();
    Invalidate();
}

void TsfSkinPageControl::ShowBorderAndTabs()
{
    FHideBorder = FHideTabs = false;
    ShowTabs();
    Realign();
    Invalidate();
}

void TsfSkinPageControl::ShowSkinUpDown()
{
    if (FHideTabs) return;
    inherited::ShowSkinUpDown();
}

void TsfSkinPageControl::PaintSkinFrame(TCanvas* Canvas)
{
    if (FHideBorder) return;
    DrawBorderStrips(Canvas, TabFrameRect(DisplayRectOf(), Borders()));
}

bool TsfSkinPageControl::DrawButtonTab(TsfBitmap* B, bool Active, bool MouseIn)
{
    TColor Color = 0;
    if (!DrawSkinButtonPicture(B, FButtonTabSkinDataName, Active, MouseIn && !Active, Color)) return false;
    B->Canvas()->Font()->SetColor(Color);
    return true;
}

void TsfSkinPageControl::PaintBG(HDC DC)
{
    if (Width() < 1 || Height() < 1) return;
    TDCCanvas C(DC);
    if (FSkin.BGPictureIndex != -1 && FSD) {
        DrawBackgroundRule(&C.C, FSD->ActiveBitmap(FSkin.BGPictureIndex), Width(), Height());
        return;
    }
    auto Tile = ClientTile();
    DrawBackgroundRule(&C.C, Tile.get(), Width(), Height());
}

void TsfSkinPageControl::WMEraseBkgnd(TMessage& Message)
{
    if (ShownCount() > 0) {
        Message.Result = 1;
        return;
    }
    GetSkinData();
    if (!Described()) {
        inherited::WMEraseBkgnd(Message);
        return;
    }
    PaintBG(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TsfSkinPageControl::WndProc(TMessage& Message)
{
    const bool Mouse = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONUP ||
                       Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_NCHITTEST;
    if (Mouse && Shifted()) {
        // The platform's hit tests meet its own tab positions.
        const Integer X = static_cast<SmallInt>(LOWORD(Message.LParam)) - CalcTabsStart();
        Message.LParam = MAKELPARAM(X, HIWORD(Message.LParam));
    }
    inherited::WndProc(Message);
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (Shifted()) Invalidate();
        break;
    case TCM_SETCURSEL:
        if (!(ComponentState() & csLoading)) Invalidate();
        break;
    default: break;
    }
}

void TsfSkinPageControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PAINTFRAMEINTO) {
        Message.Result = 12851;
        return;
    }
    inherited::Dispatch(Message);
}

void TsfSkinPageControl::Change()
{
    UpdateScrollerPosition();
    inherited::Change();
    Invalidate();
    if (ActivePage()) ActivePage()->Invalidate();
}

bool TsfSkinPageControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos)
{
    const bool Handled = inherited::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (!FMouseWheelSupport || !Focused()) return Handled;
    if (WheelDelta < 0) ActivateNextPage();
    else ActivatePriorPage();
    return true;
}

void TsfSkinPageControl::ActivateNextPage()
{
    TTabSheet* A = ActivePage();
    if (!A || A->PageIndex() == PageCount() - 1) return;
    for (Integer i = A->PageIndex() + 1; i < PageCount(); ++i)
        if (Pages(i)->TabVisible()) {
            SetActivePage(Pages(i));
            return;
        }
}

void TsfSkinPageControl::ActivatePriorPage()
{
    TTabSheet* A = ActivePage();
    if (!A || A->PageIndex() == 0) return;
    for (Integer i = A->PageIndex() - 1; i >= 0; --i)
        if (Pages(i)->TabVisible()) {
            SetActivePage(Pages(i));
            return;
        }
}

// ---------------------------------------------------------------------------
// Tab control

TsfSkinTabControl::TsfSkinTabControl(TComponent* AOwner) : inherited(AOwner)
{
    FSkin.TabStretchEffect = false;
    FSkin.StretchEffect = false;
}

TsfSkinTabControl::~TsfSkinTabControl() = default;

Integer TsfSkinTabControl::ShownCount()
{
    return Tabs()->Count();
}

String TsfSkinTabControl::CaptionOf(Integer Index)
{
    return Index >= 0 && Index < Tabs()->Count() ? Tabs()->Strings(Index) : String();
}

Integer TsfSkinTabControl::ImageOf(Integer Index)
{
    return Index;
}

TsfCBButtonX* TsfSkinTabControl::CloseStateOf(Integer Index)
{
    return FShowCloseButtons && Index < Tabs()->Count() ? FCloseStates.At(Index) : nullptr;
}

void TsfSkinTabControl::SetShowCloseButtons(bool V)
{
    inherited::SetShowCloseButtons(V);
    if (V) FCloseStates.Reset(Tabs()->Count());
    else FCloseStates.Clear();
}

void TsfSkinTabControl::CloseTab(Integer Pos)
{
    if (Pos < 0 || Pos >= Tabs()->Count()) return;
    bool CanClose = true;
    if (OnClose) OnClose(Pos, CanClose);
    if (!CanClose) {
        POINT P;
        GetCursorPos(&P);
        if (WindowFromPoint(P) != Handle()) {
            FCloseStates.ClearFlags(Pos);
            RepaintTabs();
        }
        return;
    }
    FTracker.Active = FTracker.OldActive = -1;
    Tabs()->Delete(Pos);
    FCloseStates.Reset(Tabs()->Count());
    Invalidate();
    if (OnAfterClose) OnAfterClose(this);
}

Integer TsfSkinTabControl::ScrollLimit()
{
    return Width() - 3 - (FSkinUpDown ? FSkinUpDown->Width() : 0);
}

void TsfSkinTabControl::PaintBG(HDC DC)
{
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    TDCCanvas C(DC);
    if (!FSD || FSD->Empty || !Described() || FSkin.BGPictureIndex == -1) {
        if (!Described()) {
            C.C.Brush()->SetStyle(bsSolid);
            C.C.Brush()->SetColor(clBtnFace);
            C.C.FillRect({0, 0, Width(), Height()});
        } else {
            auto Tile = ClientTile();
            DrawBackgroundRule(&C.C, Tile.get(), Width(), Height());
        }
        return;
    }
    DrawBackgroundRule(&C.C, FSD->ActiveBitmap(FSkin.BGPictureIndex), Width(), Height());
}

void TsfSkinTabControl::PaintSkinFrame(TCanvas* Canvas)
{
    GetSkinData();
    const TRect D = DisplayRectOf();
    if (FSkin.BGPictureIndex == -1) {
        {
            HDC DC = Canvas->Handle();
            TSavedDC Saved(DC);
            IntersectClipRect(DC, D.Left, D.Top, D.Right, D.Bottom);
            auto Tile = ClientTile();
            DrawBackgroundRule(Canvas, Tile.get(), Width(), Height());
        }
        DrawBorderStrips(Canvas, TabFrameRect(D, Borders()));
        return;
    }
    DrawBackgroundRule(Canvas, FSD->ActiveBitmap(FSkin.BGPictureIndex), Width(), Height());
}

void TsfSkinTabControl::WMEraseBkgnd(TMessage& Message)
{
    if (!FromWMPaint) PaintBG(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TsfSkinTabControl::WMSize(TMessage& Message)
{
    inherited::WMSize(Message);
    if (Described() && FSkin.StretchEffect) TellWindowedChildren(this);
}

void TsfSkinTabControl::Change()
{
    UpdateScrollerPosition();
    inherited::Change();
    Invalidate();
}
