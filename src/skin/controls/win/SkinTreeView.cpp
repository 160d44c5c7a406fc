#include "skin/controls/win/SkinTreeView.h"

#include <algorithm>

#include "framework/controls/win/Messages.h"
#include "skin/controls/SkinListCore.h"
#include "skin/model/SFControlData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/SFUtils.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

bool HasArea(const TRect& R) { return !IsNullRect(R); }

// Area R of a skin picture as a transparent bitmap (keyed by its bottom-left pixel).
std::unique_ptr<TBitmap> CutPicture(const TsfBitmap* Pic, const TRect& R)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(pf24bit);
    B->SetSize(R.Width(), R.Height());
    BitBlt(B->Canvas()->Handle(), 0, 0, R.Width(), R.Height(), Pic->DC(), R.Left, R.Top, SRCCOPY);
    B->SetTransparent(true);
    return B;
}

void Line(TCanvas* C, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

}  // namespace

TsfSkinCustomTreeView::TsfSkinCustomTreeView(TComponent* AOwner)
    : inherited(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName(u"Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(0);
}

TsfSkinCustomTreeView::~TsfSkinCustomTreeView()
{
    // Outside bars stay with their owner; they must not call into a freed tree.
    for (TsfSkinScrollBar* B : {FVScrollBar, FHScrollBar})
        if (B) {
            B->OnChange = nullptr;
            B->RemoveFreeNotification(this);
        }
}

void TsfSkinCustomTreeView::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style &= ~DWORD(WS_HSCROLL | WS_VSCROLL);
}

void TsfSkinCustomTreeView::SetSkinData(TsfSkinData* Value)
{
    if (FSD) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD) FSD->FreeNotification(this);
    if (FSD && !FSD->Empty && !(ComponentState() & csDesigning)) ChangeSkinData();
}

void TsfSkinCustomTreeView::SetDrawSkin(bool Value)
{
    FDrawSkin = Value;
    if (Value && !(ComponentState() & csDesigning))
        OnAdvancedCustomDrawItem = [this](TCustomTreeView*, TTreeNode* Node, TCustomDrawState State,
                                          TCustomDrawStage Stage, bool&, bool& DefaultDraw) {
            if (Stage == cdPrePaint) DrawRow(Node, State, DefaultDraw);
        };
}

void TsfSkinCustomTreeView::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    if (FIndex == -1) Font()->Assign(Value);
}

void TsfSkinCustomTreeView::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FIndex == -1) SetColor(Value);
}

void TsfSkinCustomTreeView::SetButtonImageList(TCustomImageList* Value)
{
    if (FButtonImageList) FButtonImageList->RemoveFreeNotification(this);
    FButtonImageList = Value;
    if (FButtonImageList) FButtonImageList->FreeNotification(this);
}

void TsfSkinCustomTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSD) FSD = nullptr;
    if (AComponent == FVScrollBar) FVScrollBar = nullptr;
    if (AComponent == FHScrollBar) FHScrollBar = nullptr;
    if (AComponent == FButtonImageList) FButtonImageList = nullptr;
}

void TsfSkinCustomTreeView::Loaded()
{
    inherited::Loaded();
    ChangeSkinData();
}

void TsfSkinCustomTreeView::ChangeSkinData()
{
    if (ComponentState() & csLoading) return;
    FIndex = FSD && !FSD->Empty && !FSkinDataName.empty() ? FSD->GetControlIndex(FSkinDataName) : -1;
    auto* D = FIndex != -1 ? dynamic_cast<TsfDataSkinTreeView*>(FSD->CtrlList[FIndex].get()) : nullptr;
    if (!D) FIndex = -1;
    FExpandImage.reset();
    FNoExpandImage.reset();
    if (!D) {
        SetColor(FDefaultColor);
        Font()->Assign(FDefaultFont.get());
        FLineColor = TColor(0x808080);
        FButtonColor = TColor(0x808080);
    } else {
        if (FUseSkinFont) {
            Font()->SetName(D->FontName);
            Font()->SetStyle(D->FontStyle);
            Font()->SetHeight(D->FontHeight);
        } else {
            Font()->Assign(FDefaultFont.get());
        }
        Font()->SetColor(D->FontColor);
        SetColor(D->BGColor);
        FLineColor = MixColors(MixColors(D->FontColor, D->BGColor), D->BGColor);
        FButtonColor = MixColors(D->FontColor, D->BGColor);
        // A picture index outside the skin gives the plain buttons.
        const TsfBitmap* Pic = FSD->ActiveBitmap(D->PictureIndex);
        if (Pic && HasArea(D->ExpandImageRect) && HasArea(D->NoExpandImageRect)) {
            FExpandImage = CutPicture(Pic, D->ExpandImageRect);
            FNoExpandImage = CutPicture(Pic, D->NoExpandImageRect);
        }
    }
    if (FSD) SetSkinCharset(Font(), FSD);
    else Font()->SetCharset(FDefaultFont->Charset());
    if (Images()) Images()->SetBkColor(Color());
    if (StateImages()) StateImages()->SetBkColor(Color());
    UpDateScrollBars();
    Invalidate();
}

void TsfSkinCustomTreeView::LinkBar(TsfSkinScrollBar*& Field, TsfSkinScrollBar* Value, bool Vertical)
{
    if (Field) {
        Field->OnChange = nullptr;
        Field->RemoveFreeNotification(this);
    }
    Field = Value;
    if (!Field) return;
    Field->FreeNotification(this);
    Field->SetEnabled(true);
    Field->SetVisible(false);
    if (Vertical) Field->OnChange = [this](TObject* S) { VBarChange(S); };
    else Field->OnChange = [this](TObject* S) { HBarChange(S); };
}

void TsfSkinCustomTreeView::SetVScrollBar(TsfSkinScrollBar* Value)
{
    LinkBar(FVScrollBar, Value, true);
    UpDateScrollBars();
}

void TsfSkinCustomTreeView::SetHScrollBar(TsfSkinScrollBar* Value)
{
    LinkBar(FHScrollBar, Value, false);
    UpDateScrollBars();
}

void TsfSkinCustomTreeView::UpDateScrollBars()
{
    if ((ComponentState() & csLoading) || FInCheckScrollBars || !HandleAllocated()) return;
    FInCheckScrollBars = true;
    auto Done = ScopeExit([this] { FInCheckScrollBars = false; });
    bool Realign = false;
    if (FVScrollBar) {
        SCROLLINFO SI{sizeof(SI), SIF_ALL, 0, 0, 0, 0, 0};
        ::GetScrollInfo(Handle(), SB_VERT, &SI);
        const Integer VisibleCount = Integer(SendMessageW(Handle(), TVM_GETVISIBLECOUNT, 0, 0));
        const bool Show = TreeVBarVisible(SI.nMax, VisibleCount, Items()->Count(), Visible());
        if (Show) FVScrollBar->SetRange(SI.nMin, SI.nMax, SI.nPos, VisibleCount);
        if (FVScrollBar->Visible() != Show) {
            FVScrollBar->SetVisible(Show);
            Realign = true;
        }
    }
    if (FHScrollBar) {
        SCROLLINFO SI{sizeof(SI), SIF_ALL, 0, 0, 0, 0, 0};
        ::GetScrollInfo(Handle(), SB_HORZ, &SI);
        const bool Show = TreeHBarVisible(SI.nMax, Width(), Visible());
        if (Show) FHScrollBar->SetRange(SI.nMin, SI.nMax, SI.nPos, Width());
        if (FVScrollBar) FHScrollBar->SetBoth(FVScrollBar->Visible());
        if (FHScrollBar->Visible() != Show) {
            FHScrollBar->SetVisible(Show);
            Realign = true;
        }
    }
    if (Realign && Align() != alNone && Parent()) Parent()->Realign();
}

void TsfSkinCustomTreeView::VBarChange(TObject*)
{
    if (!HandleAllocated() || !FVScrollBar) return;
    OSVERSIONINFOW V{sizeof(V), 0, 0, 0, 0, {}};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&V);
#pragma GCC diagnostic pop
    if (V.dwMajorVersion > 5) {
        SCROLLINFO SI{sizeof(SI), SIF_POS, 0, 0, 0, FVScrollBar->Position(), 0};
        ::SetScrollInfo(Handle(), SB_VERT, &SI, FALSE);
    }
    SendMessageW(Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FVScrollBar->Position()), 0);
}

void TsfSkinCustomTreeView::HBarChange(TObject*)
{
    if (!HandleAllocated() || !FHScrollBar) return;
    SendMessageW(Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FHScrollBar->Position()), 0);
}

void TsfSkinCustomTreeView::Change(TTreeNode* Node)
{
    inherited::Change(Node);
    UpDateScrollBars();
}

void TsfSkinCustomTreeView::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        Message.Result = 0;
        return;
    case WM_NCHITTEST:
        Message.Result = HTCLIENT;
        return;
    case WM_PAINTFRAMEINTO:
        Message.Result = PaintFrameIntoAnswer;
        return;
    default:
        break;
    }
    inherited::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_PAINT:
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
        UpDateScrollBars();
        break;
    case CM_VISIBLECHANGED:
        for (TsfSkinScrollBar* B : {FVScrollBar, FHScrollBar})
            if (B && !Visible()) B->SetVisible(false);
        UpDateScrollBars();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Rows

TsfDataSkinListBox* TsfSkinCustomTreeView::ItemDescription(TsfBitmap*& Picture) const
{
    Picture = nullptr;
    if (!FSD || FSD->Empty) return nullptr;
    const Integer I = FSD->GetControlIndex(FItemSkinDataName);
    auto* D = I != -1 ? dynamic_cast<TsfDataSkinListBox*>(FSD->CtrlList[I].get()) : nullptr;
    if (D) Picture = FSD->ActiveBitmap(D->PictureIndex);
    return D;
}

void TsfSkinCustomTreeView::DrawFadingLine(HDC DC, Integer X1, Integer X2, Integer Y)
{
    const Integer Len = X2 - X1;
    if (Len <= 0) return;
    // A 1-pixel strip blended over what the row already shows.
    TsfBitmap Strip;
    Strip.SetSize(Len, 1);
    BitBlt(Strip.DC(), 0, 0, Len, 1, DC, X1, Y, SRCCOPY);
    const TColor L = ColorToRGB(FLineColor);
    const Integer LR = L & 0xFF, LG = (L >> 8) & 0xFF, LB = (L >> 16) & 0xFF;
    for (Integer I = 0; I < Len; ++I) {
        const Integer A = TreeFadeAlpha(I, Len);
        TsfColor* P = Strip.PixelAddress(I, 0);
        const Integer B = *P & 0xFF, G = (*P >> 8) & 0xFF, R = (*P >> 16) & 0xFF;
        const Integer NR = (LR * A + R * (255 - A)) / 255, NG = (LG * A + G * (255 - A)) / 255,
                      NB = (LB * A + B * (255 - A)) / 255;
        *P = TsfColor(0xFF000000u | (NR << 16) | (NG << 8) | NB);
    }
    BitBlt(DC, X1, Y, Len, 1, Strip.DC(), 0, 0, SRCCOPY);
}

void TsfSkinCustomTreeView::DrawLinesAndButton(TCanvas* C, TTreeNode* Node, const TRect& R)
{
    const Integer Ind = Indent();
    const Integer M = R.Top + R.Height() / 2;
    Integer B = R.Left + Ind / 2;
    const Integer Cx = B - 1;
    const Integer ImgSize = FButtonImageList ? std::max(FButtonImageList->Width(), FButtonImageList->Height()) : 0;
    const Integer E = FButtonSize =
        TreeButtonHalf(ImgSize, FExpandImage && FNoExpandImage, FExpandImage ? FExpandImage->Width() : 0);
    const bool Kids = Node->HasChildren();
    C->Pen()->SetColor(FLineColor);
    if (ShowLines()) {
        if (Kids) DrawFadingLine(C->Handle(), B + E - 1, R.Left + Ind + E - 5, M - 1);
        else DrawFadingLine(C->Handle(), Cx, R.Left + Ind, M - 1);
        if (!Node->IsFirstNode()) Line(C, Cx, M - 1, Cx, R.Top - 1);
        TTreeNode* Next = Node->GetNextVisible();
        if ((Next && Next->Level() == Node->Level()) || Node->GetNextSibling()) Line(C, Cx, M, Cx, R.Bottom + 1);
        Integer X = B;
        for (TTreeNode* P = Node->Parent(); P; P = P->Parent()) {
            X -= Ind;
            if (P->GetNextSibling() && (ShowRoot() || P->Parent())) Line(C, X - 1, R.Top, X - 1, R.Bottom);
        }
    }
    if (!Kids || !ShowButtons()) return;
    const bool Open = Node->Expanded();
    if (FButtonImageList) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect(Rect(B - E, M - E, B + E, M + E));
        const Integer Img = Open ? ButtonExpandImageIndex : ButtonNoExpandImageIndex;
        if (Img >= 0 && Img < FButtonImageList->Count()) FButtonImageList->Draw(C, B - E, M - E, Img, true);
        return;
    }
    if (FExpandImage && FNoExpandImage) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect(Rect(B - E - 2, M - E - 2, B + E - 2, M + E - 2));
        C->Draw(B - E - 3, M - E - 3, Open ? FExpandImage.get() : FNoExpandImage.get());
        return;
    }
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetColor(FButtonColor);
    C->Rectangle(B - E, M - E, B + E, M + E);
    C->Pen()->SetColor(Font()->Color());
    Line(C, B - E + 2, M - 1, B + E - 2, M - 1);
    if (!Open) Line(C, Cx, M - E + 2, Cx, M + E - 2);
}

void TsfSkinCustomTreeView::DrawRow(TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)
{
    TsfBitmap* ItemPic = nullptr;
    TsfDataSkinListBox* D = ItemDescription(ItemPic);
    if (!D || !Node) return;
    DefaultDraw = false;
    TCanvas* C = Canvas();
    SCROLLINFO SI{sizeof(SI), SIF_POS, 0, 0, 0, 0, 0};
    ::GetScrollInfo(Handle(), SB_HORZ, &SI);
    TRect Row = Node->DisplayRect(false);
    TRect Text = Node->DisplayRect(true);
    Row.Left -= SI.nPos;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(Row);
    C->FillRect(Text);
    const Integer Level = Node->Level() - (ShowRoot() ? 0 : 1);
    TRect R = Row;
    R.Left = Row.Left + Level * Indent();
    DrawLinesAndButton(C, Node, R);
    // The node's image.
    const Integer E = FButtonSize;
    TCustomImageList* Imgs = Images();
    if (Imgs && Node->ImageIndex() >= 0 && Node->ImageIndex() < Imgs->Count())
        Imgs->Draw(C, R.Left + Indent() + E - E, R.Top + R.Height() / 2 - Imgs->Height() / 2, Node->ImageIndex(),
                   true);
    C->Font()->Assign(Font());
    const bool Selected = (State & cdsSelected) != 0;
    if (!Selected) {
        C->Brush()->SetStyle(bsClear);
        TRect T = Text;
        T.Left += 1;
        T.Top += 1;
        DrawVCenterText(C, Node->Text(), T);
        return;
    }
    const bool Foc = Focused();
    const Integer W = Text.Width(), H = Text.Height();
    if (W <= 0 || H <= 0) return;
    TsfBitmap B;
    B.SetSize(W, H);
    if (ItemPic) CreateStretchImage(&B, ItemPic, Foc ? D->FocusItemRect : D->ActiveItemRect, D->ItemTextRect, true);
    else B.Clear(SkinColorOf(clHighlight));  // a description without a picture: a plain highlight
    TCanvas* BC = B.Canvas();
    BC->Font()->Assign(Font());
    BC->Font()->SetColor(Foc ? D->FocusFontColor : D->ActiveFontColor);
    BC->Brush()->SetStyle(bsClear);
    DrawVCenterText(BC, Node->Text(), Rect(2, 1, W, H));
    BitBlt(C->Handle(), Text.Left, Text.Top, W, H, B.DC(), 0, 0, SRCCOPY);
}
