#include "skin/controls/win/SkinLabels.h"

#include "framework/controls/win/Forms.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

template <class T>
const T* DescriptionOf(TsfSkinData* SD, Integer Index)
{
    if (!SD || Index < 0 || Index >= Integer(SD->CtrlList.size())) return nullptr;
    return dynamic_cast<const T*>(SD->CtrlList[size_t(Index)].get());
}

Integer LookUp(TsfSkinData* SD, const String& Name) { return !SD || SD->Empty ? -1 : SD->GetControlIndex(Name); }

}  // namespace

// ---------------------------------------------------------------------------
// TsfSkinStdLabel

TsfSkinStdLabel::TsfSkinStdLabel(TComponent* AOwner)
    : TCustomLabel(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    SetTransparent(true);
}

TsfSkinStdLabel::~TsfSkinStdLabel() = default;

void TsfSkinStdLabel::SetSkinData(TsfSkinData* Value)
{
    if (FSD && FSD != Value) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    ChangeSkinData();
}

void TsfSkinStdLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomLabel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) FSD = nullptr;
}

void TsfSkinStdLabel::GetSkinData()
{
    FIndex = LookUp(FSD, FSkinDataName);
    if (auto* d = DescriptionOf<TsfDataSkinStdLabelControl>(FSD, FIndex)) {
        FontName = d->FontName;
        FontStyle = d->FontStyle;
        FontHeight = d->FontHeight;
        FontColor = d->FontColor;
    }
}

void TsfSkinStdLabel::ChangeSkinData()
{
    GetSkinData();
    if (AutoSize()) AdjustBounds();
    Invalidate();
}

void TsfSkinStdLabel::SetEllipsType(TsfEllipsType Value)
{
    if (FEllipsType == Value) return;
    FEllipsType = Value;
    Invalidate();
}

void TsfSkinStdLabel::GetTextFont(TFont* F)
{
    if (FIndex == -1) {
        F->Assign(FUseSkinFont ? FDefaultFont.get() : Font());
        return;
    }
    F->Assign(FUseSkinFont ? FDefaultFont.get() : Font());
    if (FUseSkinFont) {
        F->SetName(FontName);
        F->SetStyle(FontStyle);
        F->SetHeight(FontHeight);
    }
    F->SetColor(FUseSkinColor ? FontColor : Font()->Color());
}

void TsfSkinStdLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    GetSkinData();
    String text = GetLabelText();
    if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == u"&"))) text += u' ';
    if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
    if (FEllipsType == sfetEndEllips) Flags |= DT_END_ELLIPSIS;
    if (FEllipsType == sfetPathEllips) Flags |= DT_PATH_ELLIPSIS;
    TCanvas* c = Canvas();
    GetTextFont(c->Font());
    SetSkinCharset(c->Font(), FSD);
    c->Brush()->SetStyle(bsClear);
    auto draw = [&](TRect R, TColor Color) {
        c->Font()->SetColor(Color);
        DrawWideText(c, text, R, Flags);
        return R;
    };
    if (Flags & DT_CALCRECT) {
        Rect = draw(Rect, c->Font()->Color());
    } else if (Enabled()) {
        draw(Rect, c->Font()->Color());
    } else {
        const bool skin = FIndex != -1;
        draw({Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1},
             skin ? SkinRoleColor(FSD, &TsfSkinColors::cBtnHighLight, clBtnHighlight) : clBtnHighlight);
        draw(Rect, skin ? SkinRoleColor(FSD, &TsfSkinColors::cBtnShadow, clBtnShadow) : clBtnShadow);
    }
}

// ---------------------------------------------------------------------------
// TsfSkinBevel

TsfSkinBevel::TsfSkinBevel(TComponent* AOwner) : TBevel(AOwner) {}

void TsfSkinBevel::SetSkinData(TsfSkinData* Value)
{
    if (FSD && FSD != Value) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (Value) Value->FreeNotification(this);
    ChangeSkinData();
}

void TsfSkinBevel::Notification(TComponent* AComponent, TOperation Operation)
{
    TBevel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) FSD = nullptr;
}

void TsfSkinBevel::ChangeSkinData()
{
    FIndex = LookUp(FSD, FSkinDataName);
    if (auto* d = DescriptionOf<TsfDataSkinBevel>(FSD, FIndex)) {
        LightColor = d->LightColor;
        DarkColor = d->DarkColor;
    } else {
        LightColor = clBtnHighlight;
        DarkColor = clBtnShadow;
    }
    Invalidate();
}

void TsfSkinBevel::SetDividerMode(bool Value)
{
    FDividerMode = Value;
    Invalidate();
}

void TsfSkinBevel::BevelRect(const TRect& R, TColor Color1, TColor Color2)
{
    TCanvas* c = Canvas();
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(Color1);
    c->Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
    c->Pen()->SetColor(Color2);
    c->Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}});
}

void TsfSkinBevel::Paint()
{
    TCanvas* c = Canvas();
    const Integer w = Width(), h = Height();
    if ((ComponentState() & csDesigning) && Shape() == bsSpacer) {
        c->Pen()->SetStyle(psDot);
        c->Pen()->SetMode(pmXor);
        c->Pen()->SetColor(0xFFD8CE);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(0, 0, w, h);
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetMode(pmCopy);
        return;
    }
    const TColor color1 = Style() == bsLowered ? DarkColor : LightColor;
    const TColor color2 = Style() == bsLowered ? LightColor : DarkColor;
    if (FDividerMode) {
        switch (Shape()) {
        case bsTopLine:
        case bsBottomLine: BevelRect({2, h / 2 - 1, w - 2, h / 2}, color1, color2); break;
        case bsBox:
        case bsFrame:
        case bsLeftLine:
        case bsRightLine: BevelRect({w / 2 - 1, 2, w / 2, h - 1}, color1, color2); break;
        case bsSpacer: break;
        }
        return;
    }
    auto line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color) {
        c->Pen()->SetColor(Color);
        c->MoveTo(X1, Y1);
        c->LineTo(X2, Y2);
    };
    switch (Shape()) {
    case bsBox: BevelRect({0, 0, w - 1, h - 1}, color1, color2); break;
    case bsFrame:
        BevelRect({1, 1, w - 1, h - 1}, color2, color2);
        BevelRect({0, 0, w - 2, h - 2}, color1, color1);
        break;
    case bsTopLine:
        line(0, 0, w, 0, color1);
        line(0, 1, w, 1, color2);
        break;
    case bsBottomLine:
        line(0, h - 2, w, h - 2, color1);
        line(0, h - 1, w, h - 1, color2);
        break;
    case bsLeftLine:
        line(0, 0, 0, h, color1);
        line(1, 0, 1, h, color2);
        break;
    case bsRightLine:
        line(w - 2, 0, w - 2, h, color1);
        line(w - 1, 0, w - 1, h, color2);
        break;
    case bsSpacer: break;
    }
}

// ---------------------------------------------------------------------------
// TsfCustomSplitter

TsfCustomSplitter::TsfCustomSplitter(TComponent* AOwner) : inherited(AOwner)
{
    SetAlign(alLeft);
    SetWidth(3);
    SetCursor(crHSplit);
    FLastAlign = alLeft;
}

TsfCustomSplitter::~TsfCustomSplitter()
{
    if (FActiveControl) FActiveControl->OnKeyDown = FOldKeyDown;
}

TsfSplitSide TsfCustomSplitter::Side() const
{
    switch (Align()) {
    case alTop: return TsfSplitSide::Top;
    case alBottom: return TsfSplitSide::Bottom;
    case alLeft: return TsfSplitSide::Left;
    case alRight: return TsfSplitSide::Right;
    default: return TsfSplitSide::Other;
    }
}

void TsfCustomSplitter::Dispatch(TMessage& Message)
{
    inherited::Dispatch(Message);
    // The alignment decides the cursor (and, when designing, the description).
    if (Align() != FLastAlign) {
        FLastAlign = Align();
        const bool horizontalBar = Align() == alTop || Align() == alBottom;
        if (Designing()) SetSkinDataName(horizontalBar ? u"hsplitter" : u"vsplitter");
        if (Cursor() == crHSplit || Cursor() == crVSplit) SetCursor(horizontalBar ? crVSplit : crHSplit);
    }
}

TControl* TsfCustomSplitter::FindTarget()
{
    if (!Parent()) return nullptr;
    const TsfSplitSide side = Side();
    if (side == TsfSplitSide::Other) return nullptr;
    const TPoint p = SplitterTargetPoint(side, BoundsRect());
    for (Integer i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c != this && c->Visible() && c->Enabled() && SplitterTargetHit(side, c->BoundsRect(), p)) return c;
    }
    return nullptr;
}

bool TsfCustomSplitter::DoCanResize(Integer& NewSize)
{
    const bool accept = CanResize(NewSize);
    if (accept && FAutoSnap) NewSize = SplitterSnap(NewSize, FMinSize, true);
    return accept;
}

bool TsfCustomSplitter::CanResize(Integer& NewSize)
{
    bool accept = true;
    if (OnCanResize) OnCanResize(this, NewSize, accept);
    return accept;
}

void TsfCustomSplitter::CalcSplitSize(Integer X, Integer Y)
{
    const TsfSplitterSize s = SplitterSizeAt(Side(), {X, Y}, FDownPos, FControl->BoundsRect(), FMinSize, FMaxSize);
    FNewSize = s.NewSize;
    FSplit = s.Split;
}

void TsfCustomSplitter::UpdateControlSize()
{
    if (FNewSize == FOldSize || !FControl) return;
    const TsfSplitSide side = Side();
    const TRect b = SplitterTargetBounds(side, FControl->BoundsRect(), FNewSize);
    if (side == TsfSplitSide::Bottom || side == TsfSplitSide::Right) {
        Parent()->DisableAlign();
        auto Enable = ScopeExit([&] { Parent()->EnableAlign(); });
        FControl->SetBoundsRect(b);
    } else {
        FControl->SetBoundsRect(b);
    }
    Update();
    if (OnMoved) OnMoved(this);
    FOldSize = FNewSize;
}

void TsfCustomSplitter::UpdateSize(Integer X, Integer Y) { CalcSplitSize(X, Y); }

void TsfCustomSplitter::FocusKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (Key == VK_ESCAPE) {
        StopSizing();
        return;
    }
    if (FOldKeyDown) FOldKeyDown(Sender, Key, Shift);
}

void TsfCustomSplitter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FControl = FindTarget();
    if (!FControl) return;
    FDownPos = {X, Y};
    const TsfSplitSide side = Side();
    if (side == TsfSplitSide::Left || side == TsfSplitSide::Right) {
        Integer others = 0;
        for (Integer i = 0; i < Parent()->ControlCount(); ++i) {
            TControl* c = Parent()->Controls(i);
            if (c->Visible() && (c->Align() == alLeft || c->Align() == alRight)) others += c->Width();
        }
        FMaxSize = SplitterMaxSize(Parent()->ClientWidth(), FMinSize, others, FControl->Width());
    } else {
        Integer others = 0;
        for (Integer i = 0; i < Parent()->ControlCount(); ++i) {
            TControl* c = Parent()->Controls(i);
            if (c->Align() == alTop || c->Align() == alBottom) others += c->Height();
        }
        FMaxSize = SplitterMaxSize(Parent()->ClientHeight(), FMinSize, others, FControl->Height());
    }
    UpdateSize(X, Y);
    if (TCustomForm* form = GetParentForm(this); form && form->ActiveControl()) {
        FActiveControl = form->ActiveControl();
        FOldKeyDown = FActiveControl->OnKeyDown;
        FActiveControl->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) {
            FocusKeyDown(Sender, Key, Shift);
        };
    }
}

void TsfCustomSplitter::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseMove(Shift, X, Y);
    if (!(Shift & ssLeft) || !FControl) return;
    CalcSplitSize(X, Y);
    if (DoCanResize(FNewSize)) UpdateControlSize();
}

void TsfCustomSplitter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    if (!FControl) return;
    UpdateControlSize();
    StopSizing();
}

void TsfCustomSplitter::StopSizing()
{
    if (!FControl) return;
    FControl = nullptr;
    FOldSize = -1;
    if (FActiveControl) {
        FActiveControl->OnKeyDown = FOldKeyDown;
        FActiveControl = nullptr;
        FOldKeyDown = nullptr;
    }
    if (OnMoved) OnMoved(this);
}

// ---------------------------------------------------------------------------
// TsfSkinSplitterEx

TsfSkinSplitterEx::TsfSkinSplitterEx(TComponent* AOwner) : inherited(AOwner)
{
    SetSkinDataName(u"vsplitter");
}

void TsfSkinSplitterEx::GetSkinData()
{
    inherited::GetSkinData();
    FSkinPicture = nullptr;
    auto* d = DescriptionOf<TsfDataSkinSplitterControl>(FSD, FIndex);
    if (!d) {
        FIndex = -1;
        return;
    }
    LTPt = d->LTPoint;
    RTPt = d->RTPoint;
    LBPt = d->LBPoint;
    SkinRect = d->SkinRect;
    StretchEffect = d->StretchEffect;
    GripperRect = d->GripperRect;
    GripperTransparent = d->GripperTransparent;
    GripperTransparentColor = d->GripperTransparentColor;
    FSkinPicture = FSD->ActiveBitmap(d->PictureIndex);
}

void TsfSkinSplitterEx::ChangeSkinData()
{
    GetSkinData();
    const bool horizontalBar = Align() == alTop || Align() == alBottom;
    const Integer size = FIndex == -1 ? FDefaultSize : horizontalBar ? SkinRect.Height() : SkinRect.Width();
    if (size > 0) {
        if (horizontalBar)
            SetHeight(size);
        else
            SetWidth(size);
    }
    Invalidate();
}

void TsfSkinSplitterEx::Paint()
{
    const Integer w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    TsfBitmap b;
    b.SetSize(w, h);
    const bool horizontalBar = Align() == alTop || Align() == alBottom;
    if (FIndex == -1 || !FSkinPicture || Align() == alNone || Align() == alClient || SkinRect.Width() <= 0 ||
        SkinRect.Height() <= 0) {
        b.Canvas()->Brush()->SetColor(clBtnFace);
        b.Canvas()->FillRect({0, 0, w, h});
    } else {
        TsfBitmap bar;
        if (horizontalBar)
            CreateHSkinImage(LTPt.X, SkinRect.Width() - RTPt.X, &bar, FSkinPicture, SkinRect, w, h, StretchEffect);
        else
            CreateVSkinImage(LTPt.Y, SkinRect.Height() - LBPt.Y, &bar, FSkinPicture, SkinRect, w, h, StretchEffect);
        bar.Draw(&b, 0, 0);
        if (GripperRect.Width() > 0 && GripperRect.Height() > 0)
            DrawSkinPiece(&b, (w - GripperRect.Width()) / 2, (h - GripperRect.Height()) / 2, FSkinPicture,
                          GripperRect, GripperTransparent, GripperTransparentColor);
    }
    b.Draw(Canvas(), 0, 0);
}
