#include "skin/frame/win/SkinLayerBorder.h"

#include <windows.h>

#include <algorithm>

#include "skin/controls/SkinClock.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinObjects.h"
#include "skin/frame/win/SkinQuickButtons.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/SFStackBlur.h"
#include "skin/model/SFUtils.h"
#include "skin/model/SFMessages.h"
#include "skin/model/SFWindowData.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

constexpr Cardinal FadeTimerId = 1;
constexpr Cardinal FadeInterval = 5;
constexpr Cardinal MouseTimerId = 2;
constexpr Cardinal MouseTimerInterval = 500;

TRect Bounds(TCustomForm* F) { return {F->Left(), F->Top(), F->Left() + F->Width(), F->Top() + F->Height()}; }

// A picture with the grey level of its mask as alpha (opaque without a mask).
std::unique_ptr<TsfBitmap> AlphaPicture(TsfSkinData* SD, Integer Picture, Integer Mask)
{
    const TsfBitmap* P = SD->ActiveBitmap(Picture);
    if (!P || P->Empty()) return nullptr;
    auto B = std::make_unique<TsfBitmap>();
    B->SetSize(P->Width(), P->Height());
    SkinCopyRect(B.get(), {0, 0, P->Width(), P->Height()}, P, {0, 0, P->Width(), P->Height()});
    if (TsfBitmap* M = SD->ActiveBitmap(Mask); M && M->Width() == P->Width() && M->Height() == P->Height())
        SetAlphaFromGrayMask(B.get(), M);
    else
        B->SetAlpha(255);
    return B;
}

// Rows or columns of S tiled down a W x H bitmap (the last tile clipped).
void TileDown(TsfBitmap* B, const TsfBitmap* Src, const TRect& S, Integer W, Integer H)
{
    B->SetSize(W, H);
    if (S.Height() <= 0) return;
    for (Integer Y = 0; Y < H; Y += S.Height()) {
        const Integer N = std::min(S.Height(), H - Y);
        SkinCopyRect(B, {0, Y, W, Y + N}, Src, {S.Left, S.Top, S.Right, S.Top + N});
    }
}

TCursor CursorOf(TsfLayerHit Hit)
{
    switch (Hit) {
    case lhLeft:
    case lhRight: return crSizeWE;
    case lhTop:
    case lhBottom: return crSizeNS;
    case lhTopLeft:
    case lhBottomRight: return crSizeNWSE;
    case lhTopRight:
    case lhBottomLeft: return crSizeNESW;
    default: return crDefault;
    }
}

// A region of the rectangles (none for an empty list).
HRGN RegionOf(const std::vector<TRect>& Rects)
{
    if (Rects.empty()) return nullptr;
    TRect Bounds = Rects.front();
    for (const TRect& R : Rects)
        Bounds = {std::min(Bounds.Left, R.Left), std::min(Bounds.Top, R.Top), std::max(Bounds.Right, R.Right),
                  std::max(Bounds.Bottom, R.Bottom)};
    std::vector<uint8_t> Data(sizeof(RGNDATAHEADER) + Rects.size() * sizeof(RECT));
    auto* H = reinterpret_cast<RGNDATAHEADER*>(Data.data());
    H->dwSize = sizeof(RGNDATAHEADER);
    H->iType = RDH_RECTANGLES;
    H->nCount = DWORD(Rects.size());
    H->nRgnSize = DWORD(Rects.size() * sizeof(RECT));
    H->rcBound = {Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom};
    auto* Out = reinterpret_cast<RECT*>(Data.data() + sizeof(RGNDATAHEADER));
    for (size_t I = 0; I < Rects.size(); ++I) Out[I] = {Rects[I].Left, Rects[I].Top, Rects[I].Right, Rects[I].Bottom};
    return ExtCreateRegion(nullptr, DWORD(Data.size()), reinterpret_cast<const RGNDATA*>(Data.data()));
}

// A double click on the caption the top window carries: what the caption of an ordinary frame does.
void LayerCaptionDblClick(TsfSkinForm* C)
{
    const TWindowState S = C->WindowState();
    if (S == wsMinimized && C->Sizeable) C->SetWindowState(wsNormal);
    else if (C->Sizeable && S == wsNormal && !C->RollUpState() && (C->BorderIcons() & sfbiMaximize))
        C->SetWindowState(wsMaximized);
    else if (!C->Sizeable || S != wsMaximized || C->MaxRollUpState) C->SetRollUpState(!C->RollUpState());
    else C->SetWindowState(wsNormal);
}

} // namespace

// ---------------------------------------------------------------------------
// A border window

TsfFormLayerWindow::TsfFormLayerWindow(TsfFormLayerBorder* ABorder, TsfFormLayerBorderType AType)
    : TsfLayerWindow(ABorder), FLayerBorder(ABorder), BorderType(AType)
{
}

void TsfFormLayerWindow::CreateParams(TCreateParams& Params)
{
    TsfLayerWindow::CreateParams(Params);
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_LAYERED;
    const TsfDataSkinLayerFrame* D = FLayerBorder->Data();
    // Without a sizing band every click goes through to what lies below.
    if (!D || D->BorderRect.Width() <= 0 || D->BorderRect.Height() <= 0 || !D->HitTestEnable)
        Params.ExStyle |= WS_EX_TRANSPARENT;
    if (FLayerBorder->Form() && FLayerBorder->Form()->FormStyle() == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
}

void TsfFormLayerWindow::WMMouseActivate(TMessage& Message)
{
    // The border never takes the activation; the form does.
    Message.Result = MA_NOACTIVATE;
    TCustomForm* F = FLayerBorder->Form();
    if (F && F->HandleAllocated() && GetActiveWindow() != F->Handle()) SetActiveWindow(F->Handle());
    FHitMode = HitAtCursor();
}

TsfLayerHit TsfFormLayerWindow::HitAtCursor() const
{
    TsfSkinForm* C = FLayerBorder->DSF();
    TCustomForm* F = FLayerBorder->Form();
    if (!F) return lhNone;
    POINT P{};
    GetCursorPos(&P);
    if (BorderType == sfflTop && FLayerBorder->FullBorder()) {
        FLayerBorder->SyncPlaced();
        // The caption and its buttons first: a button is pressed, the caption drags the form.
        // The window is not parented: its bounds are screen coordinates.
        const Integer I = FLayerBorder->ObjectAt({P.x - Left(), P.y - Top()});
        if (I >= 0) {
            const TsfActiveSkinObject* O = FLayerBorder->Placed(I);
            if (O->Kind != TsfFrameObjectKind::Caption) return lhObject;
            // A maximised form's caption is not dragged (the press sees to it) but is double-clicked.
            return C->NCDraggAble ? lhCaption : lhNone;
        }
    }
    const bool Sizeable = C->IsSizeAble() && !C->RollUpState() && C->WindowState() == wsNormal;
    return FLayerBorder->Geometry().HitTest(BorderType, FLayerBorder->FrameForForm(), Bounds(F), {P.x, P.y}, Sizeable);
}

void TsfFormLayerWindow::Dispatch(TMessage& Message)
{
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        ++FBusy;
        try {
            TsfLayerWindow::Dispatch(Message);
        } catch (...) {
            --FBusy;
            throw;
        }
        --FBusy;
        return;
    }
    if (Message.Msg == WM_SETFOCUS) {
        // The border never keeps the focus: it goes to its form.
        TCustomForm* F = FLayerBorder->Form();
        if (F && F->HandleAllocated()) {
            if (GetActiveWindow() != F->Handle()) SetActiveWindow(F->Handle());
            ::SetFocus(F->Handle());
        }
        Message.Result = 0;
        return;
    }
    if (Message.Msg == WM_SETCURSOR && LOWORD(Message.LParam) == HTCLIENT) {
        const TsfLayerHit Hit = FDown ? FHitMode : HitAtCursor();
        ::SetCursor(Screen->Cursors(CursorOf(Hit)));
        Message.Result = 1;
        return;
    }
    TsfLayerWindow::Dispatch(Message);
}

void TsfFormLayerWindow::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TsfLayerWindow::MouseDown(Button, Shift, X, Y);
    // A press on the border ends what a press elsewhere on the form would end.
    TsfSkinForm* C = FLayerBorder->DSF();
    if (C->SkinMenu() && C->SkinMenu()->Visible()) C->SkinMenu()->Hide();
    if (TCustomForm* F = FLayerBorder->Form())
        if (TWinControl* A = F->ActiveControl(); A && A->HandleAllocated()) SendMessageW(A->Handle(), WM_CANCELMODE, 0, 0);
    FHitMode = HitAtCursor();
    if (BorderType == sfflTop && FLayerBorder->FullBorder()) {
        FLayerBorder->SyncPlaced();
        FLayerBorder->TrackObjects({X, Y});
        const Integer I = FLayerBorder->ObjectAt({X, Y});
        FLayerBorder->MouseCaptureObject = I;
        if (I >= 0) FLayerBorder->Placed(I)->MouseDown(X, Y, Button);
    }
    // The press raised the border over a glow of a form that stays on top: the glow comes back over it.
    if (C->LayerManager() && C->LayerManager()->IsVisible() && FLayerBorder->Form() &&
        FLayerBorder->Form()->FormStyle() == fsStayOnTop)
        C->LayerManager()->Update();
    if (Button == mbLeft && (Shift & ssDouble)) {
        // The second press of a double click: the object's own action (the system menu
        // button closes the form), the caption's as on an ordinary frame; no drag.
        const TsfLayerHit Hit = FHitMode;
        if (TsfActiveSkinObject* O = FLayerBorder->Placed(FLayerBorder->MouseCaptureObject)) O->DblClick();
        if (Hit == lhCaption) LayerCaptionDblClick(C);
        return;
    }
    if (Button != mbLeft || FHitMode == lhNone || FHitMode == lhObject) return;
    if (FLayerBorder->DSF()->WindowState() == wsMaximized) return;
    // A press on a quick button of the caption is the button's, not a drag.
    if (const auto* Cap = dynamic_cast<const TsfSkinCaptionObject*>(FLayerBorder->Placed(FLayerBorder->MouseCaptureObject));
        Cap && Cap->ActiveQuickButton >= 0)
        return;
    FDown = true;
    POINT P{};
    GetCursorPos(&P);
    MousePos1 = {P.x, P.y};
    SetCapture(Handle());
}

void TsfFormLayerWindow::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TsfLayerWindow::MouseMove(Shift, X, Y);
    if (!FDown && BorderType == sfflTop && FLayerBorder->FullBorder()) {
        FLayerBorder->SyncPlaced();
        FLayerBorder->TrackObjects({X, Y});
        if (TsfActiveSkinObject* O = FLayerBorder->Placed(FLayerBorder->ActiveObject)) O->MouseMove(X, Y);
    }
    // A move that arrives while the last step's messages are processed is not a step of its own.
    if (!FDown || FInProcessMessages) return;
    TCustomForm* F = FLayerBorder->Form();
    TsfSkinForm* C = FLayerBorder->DSF();
    POINT P{};
    GetCursorPos(&P);
    const Integer DX = P.x - MousePos1.X, DY = P.y - MousePos1.Y;
    if (DX == 0 && DY == 0) return;
    const TRect B = Bounds(F);
    if (FHitMode == lhCaption) {
        Integer L = B.Left + DX, T = B.Top + DY;
        if (C->Magnetic) C->MagneticMove(L, T, B.Height(), B.Width());
        F->SetBounds(L, T, B.Width(), B.Height());
    } else {
        const TRect N = LayerResizeStep(FHitMode, B, DX, DY, C->GetMinWidth(), C->GetMinHeight(), C->GetMaxWidth(),
                                        C->GetMaxHeight(), FLayerBorder->FrameForForm(), {P.x, P.y},
                                        FLayerBorder->Geometry().HitTestSize);
        // Nothing applied: the start stays, so that the edge catches up with the pointer when it comes back.
        if (N == B) return;
        // The windows above a top edge that goes down move first, not to show a gap meanwhile.
        if (N.Top > B.Top) FLayerBorder->MoveWithForm2(N.Left, N.Top);
        if (F->HandleAllocated())
            RedrawWindow(F->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        F->SetBounds(N.Left, N.Top, N.Width(), N.Height());
        if (N.Height() == B.Height()) FLayerBorder->MoveWithForm();
    }
    MousePos1 = {P.x, P.y};
    FInProcessMessages = true;
    try {
        Application->ProcessMessages();
    } catch (...) {
        FInProcessMessages = false;
        throw;
    }
    FInProcessMessages = false;
}

void TsfFormLayerWindow::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TsfLayerWindow::MouseUp(Button, Shift, X, Y);
    if (BorderType == sfflTop && FLayerBorder->FullBorder()) {
        FLayerBorder->SyncPlaced();
        // The object that took the press hears of the release too, then the one under the mouse.
        const Integer Under = FLayerBorder->ObjectAt({X, Y}), Captured = FLayerBorder->MouseCaptureObject;
        FLayerBorder->MouseCaptureObject = -1;
        if (TsfActiveSkinObject* O = Captured != Under ? FLayerBorder->Placed(Captured) : nullptr)
            O->MouseUp(X, Y, Button);
        if (TsfActiveSkinObject* O = FLayerBorder->Placed(Under)) O->MouseUp(X, Y, Button);
    }
    if (!FDown) return;
    FDown = false;
    if (GetCapture() == Handle()) ReleaseCapture();
}

void TsfFormLayerWindow::CMMouseLeave(TMessage& Message)
{
    TsfLayerWindow::CMMouseLeave(Message);
    if (BorderType == sfflTop && FLayerBorder->FullBorder() && !FDown) FLayerBorder->TrackObjects({-1, -1});
}

// ---------------------------------------------------------------------------
// The border

TsfFormLayerBorder::TsfFormLayerBorder(TsfSkinForm* ADSF) : TComponent(ADSF), FDSF(ADSF) {}

TsfFormLayerBorder::~TsfFormLayerBorder()
{
    SkinClock()->StopTimers(this);
    FreeWindows();
    for (TsfFormLayerWindow* W : FRetired) delete W;
    FreeBlurRegions();
}

void TsfFormLayerBorder::InitFrame(TsfSkinData* ASD, TCustomForm* AForm)
{
    FSD = ASD;
    FForm = AForm;
    FData = nullptr;
    FSourceBitmap.reset();
    FSourceInActiveBitMap.reset();
    FBlurMask.reset();
    FreeBlurRegions();
    FIsAeroEnabled = IsWindowsVistaOrLater() && IsCompositionEnabled();
    if (!FSD || FSD->Empty || !FSD->LayerFrame || FSD->LayerFrame->PictureIndex == -1) return;
    const TsfDataSkinLayerFrame& D = *FSD->LayerFrame;
    FSourceBitmap = AlphaPicture(FSD, D.PictureIndex, D.MaskPictureIndex);
    if (!FSourceBitmap) return;
    if (D.InActivePictureIndex != -1) {
        FSourceInActiveBitMap = AlphaPicture(FSD, D.InActivePictureIndex, D.InActiveMaskPictureIndex);
        // A picture of another size cannot stand for the active one.
        if (FSourceInActiveBitMap && (FSourceInActiveBitMap->Width() != FSourceBitmap->Width() ||
                                      FSourceInActiveBitMap->Height() != FSourceBitmap->Height()))
            FSourceInActiveBitMap.reset();
    }
    if (const TsfBitmap* M = FSD->ActiveBitmap(D.BlurMaskPictureIndex); M && !M->Empty()) {
        FBlurMask = std::make_unique<TsfBitmap>();
        FBlurMask->SetSize(M->Width(), M->Height());
        SkinCopyRect(FBlurMask.get(), {0, 0, M->Width(), M->Height()}, M, {0, 0, M->Width(), M->Height()});
    }
    FData = &D;
    FGeometry.Init(D, FSourceBitmap->Width(), FSourceBitmap->Height());
    if (D.FullBorder) {
        // The frame objects draw themselves with their own alpha on the top window.
        for (const auto& O : FDSF->ObjectList) O->InitAlphaImages();
        ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    }
    if (FCurrentAlphaBlendValue < 0) {
        FCurrentAlphaBlendValue = D.AlphaBlendValue;
        FCurrentInActiveAlphaBlendValue = D.InActiveAlphaBlendValue;
    }
}

TRect TsfFormLayerBorder::FrameForForm() const
{
    if (!FData || !FForm) return {};
    return FGeometry.FrameRect(*FData, Bounds(FForm),
                               FDSF->RollUpState() && FData->RollUpFormHeight > 0 ? FData->RollUpFormHeight : 0);
}

void TsfFormLayerBorder::BuildImages(Integer W, Integer H)
{
    for (auto& I : FImages) I.reset();
    if (!FData || W <= 0 || H <= 0) return;
    const TsfDataSkinLayerFrame& D = *FData;
    const TsfBitmap* Src = !FActive && FSourceInActiveBitMap ? FSourceInActiveBitMap.get() : FSourceBitmap.get();
    const Integer PW = Src->Width(), PH = Src->Height();
    const TsfLayerBorderGeometry& G = FGeometry;
    auto Top = std::make_unique<TsfBitmap>();
    if (!G.Sliced) {
        Top->SetSize(PW, PH);
        SkinCopyRect(Top.get(), {0, 0, PW, PH}, Src, {0, 0, PW, PH});
        FImages[sfflTop] = std::move(Top);
    } else {
        CreateHSkinImage(D.LTPoint.X, PW - D.RTPoint.X, Top.get(), Src, {0, 0, PW, G.TopH}, W, G.TopH, true);
        if (D.FullBorder) {
            LayoutObjects(W);
            DrawObjects(Top.get());
        }
        FImages[sfflTop] = std::move(Top);
        const Integer BH = G.BottomHeight(H);
        if (BH > 0) {
            TsfBitmap Whole;
            CreateHSkinImage(D.LBPoint.X, PW - D.RBPoint.X, &Whole, Src, {0, PH - G.BottomH, PW, PH}, W, G.BottomH, true);
            auto Bottom = std::make_unique<TsfBitmap>();
            Bottom->SetSize(W, BH);
            SkinCopyRect(Bottom.get(), {0, 0, W, BH}, &Whole, {0, 0, W, BH});  // cut from the top
            FImages[sfflBottom] = std::move(Bottom);
        }
        const Integer SideH = H - G.TopHeight(H) - BH;
        if (SideH > 0) {
            const TRect LB{0, G.TopH, G.LeftW, PH - G.BottomH}, RB{D.ClRect.Right, G.TopH, PW, PH - G.BottomH};
            for (auto [T, S, SW] : {std::tuple{sfflLeft, LB, G.LeftW}, std::tuple{sfflRight, RB, G.RightW}}) {
                if (SW <= 0 || S.Height() <= 0) continue;
                auto Side = std::make_unique<TsfBitmap>();
                if (D.FullStretch) {
                    Side->SetSize(SW, SideH);
                    SkinCopyRect(Side.get(), {0, 0, SW, SideH}, Src, S);
                } else {
                    TileDown(Side.get(), Src, S, SW, SideH);
                }
                FImages[T] = std::move(Side);
            }
        }
    }
    for (auto& I : FImages)
        if (I) {
            I->CheckRGBA();
            I->CheckingAlphaBlend();
        }
    if (BlurApplies()) BuildBlurRegions(W, H);
}

void TsfFormLayerBorder::LayoutObjects(Integer TopW)
{
    FPlaced.clear();
    static const TStdCommand Order[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray};
    auto StdButton = [](const TsfActiveSkinObject* O, TStdCommand Cmd) {
        return O->Kind == TsfFrameObjectKind::StdButton && O->Command == Cmd && O->Visible;
    };
    std::vector<TsfActiveSkinObject*> Buttons;
    std::vector<TPoint> Sizes;
    for (TStdCommand Cmd : Order)
        for (const auto& O : FDSF->ObjectList)
            if (StdButton(O.get(), Cmd)) {
                Buttons.push_back(O.get());
                Sizes.push_back({O->SkinRect.Width(), O->SkinRect.Height()});
                break;
            }
    TsfActiveSkinObject *Sys = nullptr, *Cap = nullptr;
    for (const auto& O : FDSF->ObjectList) {
        if (!Sys && StdButton(O.get(), cmSysMenu)) Sys = O.get();
        if (!Cap && O->Kind == TsfFrameObjectKind::Caption) Cap = O.get();
    }
    const TsfFullBorderCaption L =
        LayoutFullBorderCaption(*FData, FGeometry.PicW, TopW, Sizes, FSD->ButtonsOffset,
                                Sys ? TPoint{Sys->SkinRect.Width(), Sys->SkinRect.Height()} : TPoint{},
                                !FDSF->ShowIcon());
    // The caption first: the buttons over it win the hit tests.
    for (size_t I = 0; I < Buttons.size(); ++I) {
        Buttons[I]->ObjectRect = L.Buttons[I];
        FPlaced.push_back(Buttons[I]);
    }
    if (Sys) {
        Sys->ObjectRect = L.SysMenu;
        FPlaced.push_back(Sys);
    }
    if (Cap) {
        Cap->ObjectRect = L.Caption;
        FPlaced.push_back(Cap);
    }
    if (ActiveObject >= Integer(FPlaced.size())) ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

void TsfFormLayerBorder::DrawObjects(TsfBitmap* Top)
{
    // Drawn back to front (the caption under the buttons), each with its own alpha.
    for (auto It = FPlaced.rbegin(); It != FPlaced.rend(); ++It) {
        TsfActiveSkinObject* O = *It;
        if (!O->Visible || O->ObjectRect.Width() <= 0 || O->ObjectRect.Height() <= 0) continue;
        O->DrawAlpha(Top->Canvas(), Top);
    }
}

void TsfFormLayerBorder::SyncPlaced()
{
    // The form lays its objects out for its own frame on every size change: on the top window they go back.
    if (FVisible && FullBorder()) LayoutObjects(FFrame.Width());
}

TsfActiveSkinObject* TsfFormLayerBorder::Placed(Integer I) const
{
    if (I < 0 || I >= Integer(FPlaced.size())) return nullptr;
    for (const auto& O : FDSF->ObjectList)
        if (O.get() == FPlaced[size_t(I)]) return O.get();
    return nullptr;
}

Integer TsfFormLayerBorder::ObjectAt(const TPoint& P) const
{
    for (Integer I = 0; I < Integer(FPlaced.size()); ++I) {
        const TsfActiveSkinObject* O = Placed(I);
        if (!O) continue;
        const TRect& R = O->ObjectRect;
        if (O->Visible && O->Enabled && P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom) return I;
    }
    return -1;
}

void TsfFormLayerBorder::TrackObjects(const TPoint& P)
{
    const Integer Now = ObjectAt(P);
    if (Now == ActiveObject) return;
    OldActiveObject = ActiveObject;
    ActiveObject = Now;
    if (TsfActiveSkinObject* Old = Placed(OldActiveObject)) Old->MouseLeave();
    if (Now >= 0) {
        Placed(Now)->MouseEnter();
        // The pointer may leave without the window hearing of it: a slow poll lets go.
        SkinClock()->StartTimer(this, MouseTimerId, MouseTimerInterval, [this] { MouseTimerTick(); });
    }
    UpdateBorder();
}

void TsfFormLayerBorder::MouseTimerTick()
{
    TsfFormLayerWindow* W = FWindows[sfflTop];
    POINT P{};
    GetCursorPos(&P);
    if (W && W->HandleAllocated() && WindowFromPoint(P) == W->Handle()) return;
    SkinClock()->StopTimer(this, MouseTimerId);
    MouseCaptureObject = -1;
    TrackObjects({-1, -1});
}

bool TsfFormLayerBorder::BlurApplies() const
{
    return FIsAeroEnabled && FData && FSD && FSD->AeroBlurEnabled() && !FDSF->AlphaBlend();
}

void TsfFormLayerBorder::FreeBlurRegions()
{
    for (TRegion& R : FBlurRgn) R.Reset();
}

void TsfFormLayerBorder::BuildBlurRegions(Integer W, Integer H)
{
    FreeBlurRegions();
    for (Integer T = 0; T < 4; ++T)
        FBlurRgn[T].Reset(
            RegionOf(LayerBlurRects(*FData, FGeometry, FBlurMask.get(), TsfFormLayerBorderType(T), W, H)));
}

void TsfFormLayerBorder::ApplyBlur(Integer T)
{
    if (!BlurApplies() || !FBlurRgn[T].Handle() || !FWindows[T] || !FWindows[T]->HandleAllocated()) return;
    SetBlurBehind(FWindows[T]->Handle(), true, FBlurRgn[T]);
}

void TsfFormLayerBorder::FreeWindows()
{
    for (auto It = FRetired.begin(); It != FRetired.end();)
        if ((*It)->FBusy == 0) {
            delete *It;
            It = FRetired.erase(It);
        } else {
            ++It;
        }
    for (auto& W : FWindows) {
        if (W && W->FBusy > 0) {
            // Still inside its own mouse message: hidden now, deleted later.
            if (W->HandleAllocated()) ShowWindow(W->Handle(), SW_HIDE);
            FRetired.push_back(W);
        } else {
            delete W;
        }
        W = nullptr;
    }
}

void TsfFormLayerBorder::PushImages()
{
    const Integer A = std::clamp<Integer>(CurrentAlpha(), 0, 255);
    for (Integer T = 0; T < 4; ++T)
        if (FWindows[T] && FImages[T]) {
            UpdateLayeredBitmap(FImages[T].get(), uint8_t(A), FWindows[T]);
            ApplyBlur(T);
        }
}

void TsfFormLayerBorder::PlaceWindows(bool Show)
{
    for (Integer T = 0; T < 4; ++T) {
        const TRect R = FGeometry.PieceRect(TsfFormLayerBorderType(T), FFrame);
        const bool Has = FImages[T] && R.Width() > 0 && R.Height() > 0;
        if (!Has) {
            if (FWindows[T] && FWindows[T]->HandleAllocated()) ShowWindow(FWindows[T]->Handle(), SW_HIDE);
            continue;
        }
        if (!FWindows[T]) {
            if (!Show) continue;
            FWindows[T] = new TsfFormLayerWindow(this, TsfFormLayerBorderType(T));
        }
        TsfFormLayerWindow* W = FWindows[T];
        W->SetBounds(R.Left, R.Top, R.Width(), R.Height());
        W->HandleNeeded();
        UpdateLayeredBitmap(FImages[T].get(), uint8_t(std::clamp<Integer>(CurrentAlpha(), 0, 255)), W);
        ApplyBlur(T);
        const bool Top = FForm && FForm->FormStyle() == fsStayOnTop;
        SetWindowPos(W->Handle(), Top ? HWND_TOPMOST : HWND_NOTOPMOST, R.Left, R.Top, R.Width(), R.Height(),
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

namespace {

// The form's own frame (its non-client area) goes or comes back.
void FrameChanged(TCustomForm* F)
{
    if (F && F->HandleAllocated() && !(F->ComponentState() & csDestroying))
        SetWindowPos(F->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void TsfFormLayerBorder::Show(Integer X, Integer Y, Integer AHeight, Integer AWidth)
{
    if (!FData) return;
    const bool WasVisible = FVisible;
    FFrame = {X, Y, X + AWidth, Y + AHeight};
    FVisible = true;
    BuildImages(AWidth, AHeight);
    FreeWindows();
    PlaceWindows(true);
    if (FData->FullBorder && !WasVisible) {
        FrameChanged(FForm);
        FDSF->SetFormRegion(true);
    }
}

void TsfFormLayerBorder::ShowWithForm()
{
    if (!FData || !FForm) return;
    const TRect F = FrameForForm();
    Show(F.Left, F.Top, F.Height(), F.Width());
}

void TsfFormLayerBorder::ShowWithFormAnimation()
{
    if (!FData) return;
    const Integer Target = FActive ? FCurrentAlphaBlendValue : FCurrentInActiveAlphaBlendValue;
    FFade = LayerFadeSteps(Target);
    FFadeStep = 0;
    (FActive ? FCurrentAlphaBlendValue : FCurrentInActiveAlphaBlendValue) = 0;
    ShowWithForm();
    SkinClock()->StartTimer(this, FadeTimerId, FadeInterval, [this] { FadeStep(); });
}

void TsfFormLayerBorder::FadeStep()
{
    if (FFadeStep >= FFade.size() || !FVisible) {
        SkinClock()->StopTimer(this, FadeTimerId);
        return;
    }
    (FActive ? FCurrentAlphaBlendValue : FCurrentInActiveAlphaBlendValue) = FFade[FFadeStep++];
    PushImages();
    if (FFadeStep >= FFade.size()) SkinClock()->StopTimer(this, FadeTimerId);
}

void TsfFormLayerBorder::Hide()
{
    SkinClock()->StopTimer(this, FadeTimerId);
    const bool WasFull = FVisible && FullBorder();
    FVisible = false;
    SkinClock()->StopTimer(this, MouseTimerId);
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    FPlaced.clear();
    for (auto& I : FImages) I.reset();
    FreeWindows();
    FreeBlurRegions();
    if (WasFull) {
        FrameChanged(FForm);
        if (FForm && !(FForm->ComponentState() & csDestroying)) FDSF->SetFormRegion(true);
    }
}

void TsfFormLayerBorder::Update(Integer AHeight, Integer AWidth)
{
    if (!FVisible) return;
    FFrame.Right = FFrame.Left + AWidth;
    FFrame.Bottom = FFrame.Top + AHeight;
    BuildImages(AWidth, AHeight);
    PushImages();
}

void TsfFormLayerBorder::UpdateBorder()
{
    if (FVisible) Update(FFrame.Height(), FFrame.Width());
}

void TsfFormLayerBorder::SetBounds(Integer X, Integer Y, Integer AHeight, Integer AWidth)
{
    if (!FVisible) return;
    FFrame = {X, Y, X + AWidth, Y + AHeight};
    BuildImages(AWidth, AHeight);
    PlaceWindows(false);
}

void TsfFormLayerBorder::SetBoundsWithForm()
{
    const TRect F = FrameForForm();
    SetBounds(F.Left, F.Top, F.Height(), F.Width());
}

void TsfFormLayerBorder::SetBoundsWithForm2(Integer AFormWidth, Integer AFormHeight)
{
    if (!FForm || !FData) return;
    const TRect F = FGeometry.FrameRect(*FData, {FForm->Left(), FForm->Top(), FForm->Left() + AFormWidth,
                                                 FForm->Top() + AFormHeight});
    SetBounds(F.Left, F.Top, F.Height(), F.Width());
}

void TsfFormLayerBorder::SetBoundsWithForm3(Integer ALeft, Integer ATop, Integer AHeight, Integer AWidth)
{
    if (!FData) return;
    const TRect F = FGeometry.FrameRect(*FData, {ALeft, ATop, ALeft + AWidth, ATop + AHeight});
    SetBounds(F.Left, F.Top, F.Height(), F.Width());
}

void TsfFormLayerBorder::MoveWithForm()
{
    if (FForm) MoveWithForm2(FForm->Left(), FForm->Top());
}

void TsfFormLayerBorder::MoveWithForm2(Integer ALeft, Integer ATop)
{
    if (!FVisible || !FData || !FForm) return;
    const TRect F = FGeometry.FrameRect(*FData, {ALeft, ATop, ALeft + FForm->Width(), ATop + FForm->Height()});
    const Integer DX = F.Left - FFrame.Left, DY = F.Top - FFrame.Top;
    if (DX == 0 && DY == 0) return;
    FFrame = {FFrame.Left + DX, FFrame.Top + DY, FFrame.Right + DX, FFrame.Bottom + DY};
    for (TsfFormLayerWindow* W : FWindows)
        if (W && W->HandleAllocated()) {
            W->SetBounds(W->Left() + DX, W->Top() + DY, W->Width(), W->Height());
        }
}

void TsfFormLayerBorder::SetActive(bool AActive, bool AUpdate)
{
    FActive = AActive;
    if (!AActive && FullBorder()) {
        // An inactive form has nothing hot or pressed on its caption.
        for (Integer I = 0; I < Integer(FPlaced.size()); ++I) {
            TsfActiveSkinObject* O = Placed(I);
            if (!O) continue;
            if (auto* Cap = dynamic_cast<TsfSkinCaptionObject*>(O)) {
                Cap->ActiveQuickButton = Cap->OldActiveQuickButton = Cap->MouseCaptureQuickButton = -1;
                ClearQuickButtons(FDSF);
            } else {
                O->FMouseIn = false;
                O->Active = false;
                if (auto* B = dynamic_cast<TsfSkinButtonObject*>(O)) B->FDown = false;
            }
        }
        SkinClock()->StopTimer(this, MouseTimerId);
        ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    }
    // Its own inactive picture, or the caption's inactive looks: the images are made anew.
    if (FVisible && (FSourceInActiveBitMap || FullBorder())) {
        const TRect F = FrameForForm();
        FFrame = F;
        BuildImages(F.Width(), F.Height());
    }
    if (AUpdate && FVisible) SetAlphaBlend2();
}

void TsfFormLayerBorder::CheckFormAlpha(Integer AFormAlpha, bool AUpdate)
{
    if (!FData) return;
    FCurrentAlphaBlendValue = LayerAlphaFor(FData->AlphaBlendValue, AFormAlpha);
    FCurrentInActiveAlphaBlendValue = LayerAlphaFor(FData->InActiveAlphaBlendValue, AFormAlpha);
    if (AUpdate) SetAlphaBlend();
}

void TsfFormLayerBorder::SetAlphaBlend()
{
    if (FVisible) PushImages();
}

void TsfFormLayerBorder::SetAlphaBlend2()
{
    if (!FVisible) return;
    PushImages();
    PlaceWindows(false);
}

void TsfFormLayerBorder::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer AWidth, Integer AHeight)
{
    if (!FData) return;
    BuildImages(AWidth, AHeight);
    const TRect F{X, Y, X + AWidth, Y + AHeight};
    for (Integer T = 0; T < 4; ++T) {
        const TRect R = FGeometry.PieceRect(TsfFormLayerBorderType(T), F);
        if (FImages[T] && R.Width() > 0) FImages[T]->Draw(Canvas, R.Left, R.Top);
    }
    if (FVisible) BuildImages(FFrame.Width(), FFrame.Height());
}

// ---------------------------------------------------------------------------
// The form component's part

bool TsfSkinForm::IsLayerBorderUsed() const
{
    return FSkinSupport && FSkinnableForm && FSupportNCArea && FSD && FSD->ShowLayeredBorders() && FSD->LayerFrame &&
           FSD->LayerFrame->PictureIndex != -1 && !BorderNone() && FForm->FormStyle() != fsMDIChild;
}

bool TsfSkinForm::UseLayerRollUpHeight() const
{
    if (!FBorderLayer || !FBorderLayer->FullBorder()) return false;
    return FRollUpState || (FWindowState == wsMinimized && FForm != Application->MainForm());
}

Integer TsfSkinForm::LayerBorderRegionHeight() const
{
    if (!UseLayerRollUpHeight()) return FGeometry.FormHeight;
    // Only the caption strip the border frames shows; nothing of it without a height of its own.
    const Integer H = FBorderLayer->Data()->RollUpFormHeight;
    return H != 0 ? H : IsWindows7() ? 1 : 0;
}

void TsfSkinForm::LayerBorderSkinChanged()
{
    if (!IsLayerBorderUsed()) {
        if (FBorderLayer) FBorderLayer->Hide();
        return;
    }
    if (!FBorderLayer) FBorderLayer = new TsfFormLayerBorder(this);
    const bool Shown = FBorderLayer->Visible();
    FBorderLayer->Hide();
    FBorderLayer->InitFrame(FSD, FForm);
    if (Shown || (FForm->HandleAllocated() && IsWindowVisible(FForm->Handle()))) FBorderLayer->ShowWithForm();
}

void TsfSkinForm::LayerBorderAfterForm(TMessage& Message)
{
    if (Message.Msg == WM_SHOWLAYEREDBORDERS || Message.Msg == WM_AEROBLURENABLED) {
        LayerBorderSkinMessage(Message);
        return;
    }
    if (!FBorderLayer && !IsLayerBorderUsed()) return;
    switch (Message.Msg) {
    case WM_SHOWWINDOW:
        if (!Message.WParam) {
            if (FBorderLayer) FBorderLayer->Hide();
            return;
        }
        if (!IsLayerBorderUsed()) return;
        if (!FBorderLayer) {
            FBorderLayer = new TsfFormLayerBorder(this);
            FBorderLayer->InitFrame(FSD, FForm);
        }
        if (FadeWanted()) FBorderLayer->ShowWithFormAnimation();
        else FBorderLayer->ShowWithForm();
        return;
    case WM_WINDOWPOSCHANGED: {
        if (!FBorderLayer || !FBorderLayer->Visible()) return;
        const auto* P = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
        if (P->flags & SWP_HIDEWINDOW) FBorderLayer->Hide();
        else if (!(P->flags & SWP_NOSIZE)) FBorderLayer->SetBoundsWithForm();
        else if (!(P->flags & SWP_NOMOVE)) FBorderLayer->MoveWithForm();
        return;
    }
    case WM_NCACTIVATE:
        if (FBorderLayer) FBorderLayer->SetActive(Message.WParam != 0, true);
        return;
    case WM_SIZE:
        if (Message.WParam == SIZE_MINIMIZED && FBorderLayer) FBorderLayer->Hide();
        return;
    case WM_DESTROY:
        if (FBorderLayer) FBorderLayer->Hide();
        return;
    }
}

void TsfSkinForm::LayerBorderSkinMessage(TMessage& Message)
{
    if (reinterpret_cast<TsfSkinData*>(Message.WParam) != FSD || !FForm->HandleAllocated()) return;
    const bool Shown = FBorderLayer && FBorderLayer->Visible();
    if (Message.Msg == WM_SHOWLAYEREDBORDERS) {
        // The skin's option was switched: the border comes or goes with the form as it is.
        SaveLayerBorderBounds();
        if (IsLayerBorderUsed() && !Shown && IsWindowVisible(FForm->Handle())) {
            if (!FBorderLayer) FBorderLayer = new TsfFormLayerBorder(this);
            FBorderLayer->InitFrame(FSD, FForm);
            if (IsWindowsVistaOrLater()) SetDwmTransitions(FForm->Handle(), false);
            FBorderLayer->SetActive(GetActiveWindow() == FForm->Handle(), false);
            FBorderLayer->ShowWithForm();
            // A full border takes the place of the form's own frame: the outer frame keeps the
            // form's old bounds, as the form takes the frame's when the border goes (switching
            // back and forth does not grow the form).
            if (FullLayerBorderShown() && FOldFullBorder == 0) FOldFullBorder = 1;
            RestoreLayerBorderBounds();
            FForm->Show();
        } else if (!IsLayerBorderUsed() && Shown) {
            FBorderLayer->Hide();
            RestoreLayerBorderBounds();
            if (IsWindowsVistaOrLater()) SetDwmTransitions(FForm->Handle(), true);
        }
        // The form's own frame comes or goes with a full border.
        if (FBorderLayer && FBorderLayer->FullBorder()) ChangeSkinData();
    } else if (Message.Msg == WM_AEROBLURENABLED && Shown && IsLayerBorderUsed()) {
        // New windows: the blur behind them follows the option now.
        FBorderLayer->Hide();
        FBorderLayer->ShowWithForm();
    }
}
