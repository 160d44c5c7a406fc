// The layered border around a skinned form: four layered windows placed
// around it and following it, their pictures' alpha as the platform is
// handed them (an intercepted UpdateLayeredWindow: layered windows are not
// composited here), the fade-in on the skin clock, and sizing by dragging.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include "SkinControlTestEnv.h"
#include "framework/controls/win/ImgList.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/frame/win/SkinQuickButtons.h"
#include "skin/frame/win/SkinLayerBorder.h"
#include "skin/model/SFWindowData.h"
#include "skin/model/win/SFSkinData_Win.h"
#include "skin/model/win/SFUtils_Win.h"

using namespace guitest;
using namespace skintest;

namespace {

struct TUpdate {
    HWND Wnd;
    int Alpha;       // the constant alpha
    SIZE Size;
    int PixelAlpha;  // the alpha of the picture's top-left pixel
};
std::vector<TUpdate> GUpdates;

// The last picture each window was handed.
struct TPushed {
    int W = 0, H = 0;
    std::vector<TsfColor> Px;
    TsfColor At(int X, int Y) const { return X >= 0 && Y >= 0 && X < W && Y < H ? Px[size_t(Y) * W + X] : 0; }
};
std::map<HWND, TPushed> GPushed;

BOOL WINAPI FakeUpdateLayeredWindow(HWND Wnd, HDC, POINT*, SIZE* Size, HDC Src, POINT*, COLORREF, BLENDFUNCTION* Blend,
                                    DWORD)
{
    const TsfBitmap* B = FindSkinBitmapByDC(Src);
    if (B && B->Width() > 0) {
        TPushed& P = GPushed[Wnd];
        P.W = B->Width();
        P.H = B->Height();
        P.Px.assign(B->Bits(), B->Bits() + size_t(P.W) * P.H);
    }
    GUpdates.push_back({Wnd, Blend ? Blend->SourceConstantAlpha : -1, Size ? *Size : SIZE{},
                        B && B->Width() > 0 ? int(B->GetPixel(0, 0) >> 24) : -1});
    return TRUE;
}

// The blur the platform was asked for: the window and a copy of the region.
struct TBlur {
    HWND Wnd;
    bool Enable;
    HRGN Rgn;  // owned by the test
};
std::vector<TBlur> GBlurs;

HRESULT WINAPI FakeBlurBehind(HWND Wnd, const TsfDwmBlurBehind* B)
{
    HRGN Copy = nullptr;
    if (B->hRgnBlur) {
        Copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(Copy, B->hRgnBlur, nullptr, RGN_COPY);
    }
    GBlurs.push_back({Wnd, B->fEnable != FALSE, Copy});
    return S_OK;
}

void ClearBlurs()
{
    for (TBlur& B : GBlurs)
        if (B.Rgn) DeleteObject(B.Rgn);
    GBlurs.clear();
}

// Composition switched on for the test.
HRESULT WINAPI FakeCompositionOn(BOOL* Enabled)
{
    *Enabled = TRUE;
    return S_OK;
}

// The skin's messages reach the forms while it lives (as in the program).
struct TSkinMessages {
    TsfSkinMessageSender Saved = SfSkinMessageSender;
    TSkinMessages() { InstallSkinDataWin(); }
    ~TSkinMessages() { SfSkinMessageSender = Saved; }
};

class SkinLayerBorder : public SkinFormTest {
protected:
    void SetUp() override
    {
        Saved = SfUpdateLayeredWindow;
        SfUpdateLayeredWindow = FakeUpdateLayeredWindow;
        GUpdates.clear();
        GPushed.clear();
    }
    void TearDown() override
    {
        SkinFormTest::TearDown();
        SfUpdateLayeredWindow = Saved;
        ClearBlurs();
    }
    // "Rire" with a 100 x 80 layer frame: red, its mask grey 128 outside the
    // form's part (20, 30)-(80, 60) and white inside; a sizing band 8 wide.
    TsfSkinData* LayerSkin(bool WithBand = true)
    {
        TsfSkinData* S = Skin(u"Rire");
        auto Add = [&](TColor C) {
            TDibImage P;
            P.Allocate(100, 80, pf24bit);
            for (Integer Y = 0; Y < 80; ++Y)
                for (Integer X = 0; X < 100; ++X) {
                    uint8_t* Px = P.ScanLine(Y) + 3 * X;
                    const TColor K = (C == clNone && X >= 20 && X < 80 && Y >= 30 && Y < 60) ? clWhite : C;
                    const TColor V = K == clNone ? TColor(0x808080) : K;
                    Px[0] = uint8_t(V >> 16), Px[1] = uint8_t(V >> 8), Px[2] = uint8_t(V);
                }
            S->FActivePictures.push_back(std::move(P));
            return Integer(S->FActivePictures.size()) - 1;
        };
        auto D = std::make_unique<TsfDataSkinLayerFrame>();
        D->PictureIndex = Add(clRed);
        D->MaskPictureIndex = Add(clNone);
        D->ClRect = {20, 30, 80, 60};
        D->LTPoint = {20, 30};
        D->RTPoint = {80, 30};
        D->LBPoint = {20, 60};
        D->RBPoint = {80, 60};
        if (WithBand) D->BorderRect = {12, 22, 88, 68};
        D->HitTestEnable = true;
        D->HitTestSize = 4;
        D->HitTestLTPoint = {24, 34};
        D->HitTestRTPoint = {76, 34};
        D->HitTestLBPoint = {24, 56};
        D->HitTestRBPoint = {76, 56};
        D->AlphaBlendValue = 200;
        D->InActiveAlphaBlendValue = 100;
        S->LayerFrame = std::move(D);
        return S;
    }
    TsfSkinForm* NewBorderedForm(TsfSkinData* S, bool Show = true)
    {
        TForm* F = NewForm(300, 200, 100, 100);
        auto* C = new TsfSkinForm(F);
        C->MinWidth = 150;
        C->SetSkinData(S);
        F->SetBounds(300, 200, 300, 200);
        if (Show) ShowAndWait(F);
        return C;
    }
    static RECT WindowRect(TWinControl* W)
    {
        RECT R;
        GetWindowRect(W->Handle(), &R);
        return R;
    }
    TUpdateLayeredWindowProc Saved = nullptr;
};

bool operator==(const RECT& A, const TRect& B)
{
    return A.left == B.Left && A.top == B.Top && A.right == B.Right && A.bottom == B.Bottom;
}

} // namespace

TEST_F(SkinLayerBorder, FourWindowsAroundTheFormFollowIt)
{
    TsfSkinForm* C = NewBorderedForm(LayerSkin());
    TCustomForm* F = C->Form();
    ASSERT_TRUE(C->IsLayerBorderUsed());
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    auto Check = [&](const char* When) {
        const TRect Frame = L->FrameForForm();
        EXPECT_EQ(Frame, TRect(F->Left() - 20, F->Top() - 30, F->Left() + F->Width() + 20, F->Top() + F->Height() + 20))
            << When;
        for (int T = 0; T < 4; ++T) {
            TsfFormLayerWindow* W = L->Window(TsfFormLayerBorderType(T));
            ASSERT_TRUE(W) << When << " " << T;
            const LONG_PTR Ex = GetWindowLongPtrW(W->Handle(), GWL_EXSTYLE);
            EXPECT_TRUE(Ex & WS_EX_LAYERED);
            EXPECT_FALSE(Ex & WS_EX_TRANSPARENT);
            EXPECT_TRUE(IsWindowVisible(W->Handle()));
            EXPECT_TRUE(WindowRect(W) == L->Geometry().PieceRect(TsfFormLayerBorderType(T), Frame)) << When << " " << T;
        }
    };
    Check("shown");
    // Each window got its picture: per-pixel alpha from the mask (grey 128), constant alpha 200.
    ASSERT_GE(GUpdates.size(), 4u);
    for (const TUpdate& U : GUpdates) {
        EXPECT_EQ(U.Alpha, 200);
        EXPECT_EQ(U.PixelAlpha, 128);
    }
    const TsfBitmap* Top = L->Image(sfflTop);
    ASSERT_TRUE(Top);
    EXPECT_EQ(Top->Width(), 340);
    EXPECT_EQ(Top->Height(), 30);
    EXPECT_LE((Top->GetPixel(5, 5) >> 16) & 0xFF, 128u);  // red capped at its alpha
    // Moved and sized with the form.
    F->SetBounds(350, 230, 300, 200);
    Pump();
    Check("moved");
    F->SetBounds(350, 230, 360, 240);
    Pump();
    Check("sized");
    EXPECT_EQ(L->Image(sfflTop)->Width(), 400);
    // Inactive: the inactive constant alpha.
    GUpdates.clear();
    SendMessageW(F->Handle(), WM_NCACTIVATE, 0, 0);
    ASSERT_FALSE(GUpdates.empty());
    EXPECT_EQ(GUpdates.back().Alpha, 100);
    SendMessageW(F->Handle(), WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(GUpdates.back().Alpha, 200);
    // Hidden with the form.
    F->Hide();
    Pump();
    EXPECT_FALSE(L->Visible());
    EXPECT_FALSE(L->Window(sfflTop));
    // A skin that does not show layered borders uses none.
    F->Show();
    Pump();
    C->SkinData()->SetShowLayeredBorders(false);
    C->ChangeSkinData();
    EXPECT_FALSE(C->IsLayerBorderUsed());
    EXPECT_FALSE(L->Visible());
}

TEST_F(SkinLayerBorder, WithoutASizingBandClicksGoThrough)
{
    TsfSkinForm* C = NewBorderedForm(LayerSkin(false));
    TsfFormLayerWindow* W = C->BorderLayer()->Window(sfflLeft);
    ASSERT_TRUE(W);
    EXPECT_TRUE(GetWindowLongPtrW(W->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

TEST_F(SkinLayerBorder, FadesInOnTheSkinClock)
{
    TsfSkinForm* C = NewBorderedForm(LayerSkin(), false);
    C->SetAlphaBlendAnimation(true);
    ShowAndWait(C->Form());
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L);
    const HWND Top = L->Window(sfflTop)->Handle();
    std::vector<int> Alphas;
    for (int I = 0; I < 20; ++I) {
        FClock.Clock.Advance(5);
        for (const TUpdate& U : GUpdates)
            // Repaints of the frame push the alpha in force again: only the changes count.
            if (U.Wnd == Top && U.Alpha != 0 && (Alphas.empty() || Alphas.back() != U.Alpha)) Alphas.push_back(U.Alpha);
        GUpdates.clear();
    }
    // Fifteen steps of 13, then the last one to 200.
    ASSERT_EQ(Alphas.size(), 16u);
    EXPECT_EQ(Alphas[0], 13);
    EXPECT_EQ(Alphas[14], 195);
    EXPECT_EQ(Alphas[15], 200);
}

TEST_F(SkinLayerBorder, DraggingTheOuterBandSizesTheForm)
{
    TsfSkinForm* C = NewBorderedForm(LayerSkin());
    TCustomForm* F = C->Form();
    // The right band: from the form's right edge to 8 pixels out; outward
    // moves count once the cursor is within 4 pixels of the frame's edge.
    const Integer Y = F->Top() + 100;
    MovePointer({F->Left() + F->Width() + 5, Y});
    LeftButton(true);
    Pump();
    MovePointer({F->Left() + F->Width() + 35, Y});
    LeftButton(false);
    Pump();
    EXPECT_EQ(F->Width(), 330);
    EXPECT_EQ(F->Left(), 300);
    // The left band dragged far inwards: down to the minimum width, the right edge staying.
    const Integer Right = F->Left() + F->Width();
    MovePointer({F->Left() - 5, Y});
    LeftButton(true);
    Pump();
    MovePointer({F->Left() + 300, Y});
    LeftButton(false);
    Pump();
    EXPECT_EQ(F->Width(), C->GetMinWidth());
    EXPECT_EQ(F->Left() + F->Width(), Right);
}

TEST_F(SkinLayerBorder, WithCompositionTheDesktopBlursBehindTheBandLessTheMasksCorners)
{
    const auto SavedComposition = SfDwmIsCompositionEnabled;
    const auto SavedBlur = SfDwmEnableBlurBehindWindow;
    struct TRestore {
        TDwmIsCompositionEnabledProc C;
        TDwmEnableBlurBehindWindowProc B;
        ~TRestore()
        {
            SfDwmIsCompositionEnabled = C;
            SfDwmEnableBlurBehindWindow = B;
        }
    } Restore{SavedComposition, SavedBlur};
    SfDwmIsCompositionEnabled = FakeCompositionOn;
    SfDwmEnableBlurBehindWindow = FakeBlurBehind;
    TSkinMessages Messages;
    ASSERT_TRUE(IsCompositionEnabled());
    // The blur mask: white with a black 5 x 5 square in the upper left corner;
    // the blur band from 2 pixels inside the picture to the form's part.
    TsfSkinData* S = LayerSkin();
    TDibImage M;
    M.Allocate(100, 80, pf24bit);
    for (Integer Y = 0; Y < 80; ++Y)
        for (Integer X = 0; X < 100; ++X) {
            uint8_t* Px = M.ScanLine(Y) + 3 * X;
            Px[0] = Px[1] = Px[2] = X < 5 && Y < 5 ? 0 : 255;
        }
    S->FActivePictures.push_back(std::move(M));
    S->LayerFrame->BlurMaskPictureIndex = Integer(S->FActivePictures.size()) - 1;
    S->LayerFrame->IntersectBlurMaskRect = {2, 2, 98, 78};
    S->LayerFrame->ExcludeBlurMaskRect = {20, 30, 80, 60};
    TsfSkinForm* C = NewBorderedForm(S);
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    EXPECT_TRUE(L->AeroEnabled());
    // Every window asked for its blur; the last request of each tells its region.
    auto LastOf = [&](TsfFormLayerBorderType T) -> const TBlur* {
        const HWND W = L->Window(T)->Handle();
        const TBlur* Found = nullptr;
        for (const TBlur& B : GBlurs)
            if (B.Wnd == W) Found = &B;
        return Found;
    };
    auto In = [](const TBlur* B, int X, int Y) { return PtInRegion(B->Rgn, X, Y) != FALSE; };
    // The frame is 340 x 250 (the form 300 x 200).
    const TBlur* Top = LastOf(sfflTop);
    ASSERT_TRUE(Top && Top->Enable && Top->Rgn);
    EXPECT_FALSE(In(Top, 1, 10));    // outside the band
    EXPECT_TRUE(In(Top, 2, 10));
    EXPECT_FALSE(In(Top, 4, 3));     // the mask's black corner
    EXPECT_TRUE(In(Top, 5, 3));
    EXPECT_TRUE(In(Top, 337, 3));    // the right end moves with the frame's width
    EXPECT_FALSE(In(Top, 338, 3));
    const TBlur* Left = LastOf(sfflLeft);
    ASSERT_TRUE(Left && Left->Rgn);
    EXPECT_TRUE(In(Left, 19, 100));
    EXPECT_FALSE(In(Left, 1, 100));
    const TBlur* Bottom = LastOf(sfflBottom);
    ASSERT_TRUE(Bottom && Bottom->Rgn);
    EXPECT_TRUE(In(Bottom, 100, 17));  // the band ends 2 pixels above the frame's bottom
    EXPECT_FALSE(In(Bottom, 100, 18));
    // Sizing the form stretches the band with it.
    C->Form()->SetBounds(C->Form()->Left(), C->Form()->Top(), 400, 200);
    Pump();
    Top = LastOf(sfflTop);
    ASSERT_TRUE(Top && Top->Rgn);
    EXPECT_TRUE(In(Top, 437, 3));
    EXPECT_FALSE(In(Top, 438, 3));
    // The skin's blur switched off: the border comes back in new windows without blur.
    ClearBlurs();
    const HWND OldTop = L->Window(sfflTop)->Handle();
    S->SetAeroBlurEnabled(false);
    Pump();
    ASSERT_TRUE(L->Visible());
    EXPECT_NE(L->Window(sfflTop)->Handle(), OldTop);
    EXPECT_TRUE(GBlurs.empty());
    // An alpha-blended form gets no blur behind its border either.
    S->SetAeroBlurEnabled(true);
    Pump();
    EXPECT_FALSE(GBlurs.empty());
    ClearBlurs();
    C->SetAlphaBlend(true);
    L->UpdateBorder();
    EXPECT_TRUE(GBlurs.empty());
}

TEST_F(SkinLayerBorder, SwitchingTheSkinsOptionTakesTheBorderAwayAndBringsItBack)
{
    TSkinMessages Messages;
    TsfSkinData* S = LayerSkin();
    TsfSkinForm* C = NewBorderedForm(S);
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    S->SetShowLayeredBorders(false);
    Pump();
    EXPECT_FALSE(L->Visible());
    EXPECT_FALSE(L->Window(sfflTop));
    S->SetShowLayeredBorders(true);
    Pump();
    ASSERT_TRUE(L->Visible());
    ASSERT_TRUE(L->Window(sfflTop));
    EXPECT_TRUE(IsWindowVisible(L->Window(sfflTop)->Handle()));
    EXPECT_EQ(L->FrameForForm(), TRect(C->Form()->Left() - 20, C->Form()->Top() - 30,
                                       C->Form()->Left() + C->Form()->Width() + 20,
                                       C->Form()->Top() + C->Form()->Height() + 20));
}

TEST_F(SkinLayerBorder, APressOnTheBorderClosesTheFormsMenuAndTheFocusGoesToTheForm)
{
    TsfSkinForm* C = NewBorderedForm(LayerSkin());
    TCustomForm* F = C->Form();
    const HWND Left = C->BorderLayer()->Window(sfflLeft)->Handle();
    auto* Menu = new TPopupMenu(F);
    auto* Item = new TMenuItem(Menu);
    Item->SetCaption(u"Item");
    Menu->Items()->Add(Item);
    C->DoPopupMenu(Menu, F->Left() + 40, F->Top() + 60);
    ASSERT_TRUE(PumpUntil([&] { return C->SkinMenu()->Visible(); }));
    SendMessageW(Left, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
    SendMessageW(Left, WM_LBUTTONUP, 0, MAKELPARAM(2, 50));
    EXPECT_FALSE(C->SkinMenu()->Visible());
    ::SetFocus(Left);
    Pump();
    EXPECT_NE(GetFocus(), Left);
    EXPECT_EQ(GetActiveWindow(), F->Handle());
}

TEST_F(SkinLayerBorder, AFullBorderCarriesTheCaptionAndItsButtons)
{
    TsfSkinData* S = LayerSkin();
    S->LayerFrame->FullBorder = true;
    S->LayerFrame->CaptionRect = {20, 4, 80, 28};
    TsfSkinForm* C = NewBorderedForm(S);
    TCustomForm* F = C->Form();
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    ASSERT_TRUE(C->FullLayerBorderShown());
    // The form has no frame of its own: all of it is client area.
    RECT Client;
    GetClientRect(F->Handle(), &Client);
    EXPECT_EQ(Client.right, F->Width());
    EXPECT_EQ(Client.bottom, F->Height());
    EXPECT_EQ(SendMessageW(F->Handle(), WM_NCHITTEST, 0, MAKELPARAM(F->Left() + 5, F->Top() + 5)), HTCLIENT);
    // The close button sits at the right end of the caption area, widened with the frame (340 wide).
    TsfActiveSkinObject* Close = nullptr;
    for (const auto& O : C->ObjectList)
        if (O->Kind == TsfFrameObjectKind::StdButton && O->Command == cmClose && O->Visible && !Close) Close = O.get();
    ASSERT_TRUE(Close);
    L->SyncPlaced();
    EXPECT_EQ(Close->ObjectRect.Right, 80 + 240);
    EXPECT_EQ(Close->ObjectRect.Top, 4);
    // Drawn opaque over the frame picture's half-transparent band.
    const TsfBitmap* Top = L->Image(sfflTop);
    ASSERT_TRUE(Top);
    const TPoint Mid{(Close->ObjectRect.Left + Close->ObjectRect.Right) / 2,
                     (Close->ObjectRect.Top + Close->ObjectRect.Bottom) / 2};
    EXPECT_EQ(Top->GetPixel(Mid.X, Mid.Y) >> 24, 255u);
    EXPECT_EQ(Top->GetPixel(2, 2) >> 24, 128u);
    // A click on it on the top window closes the form.
    bool Closed = false;
    F->OnClose = [&](TObject*, TCloseAction& A) {
        Closed = true;
        A = caHide;
    };
    const RECT W = WindowRect(L->Window(sfflTop));
    MovePointer({W.left + Mid.X, W.top + Mid.Y});
    ASSERT_TRUE(PumpUntil([&] { return L->ActiveObject >= 0; }));
    LeftButton(true);
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return Closed; }));
}

TEST_F(SkinLayerBorder, DoubleClicksOnTheTopWindowsCaptionMaximiseRestoreAndRollUp)
{
    TsfSkinData* S = LayerSkin();
    S->LayerFrame->FullBorder = true;
    S->LayerFrame->CaptionRect = {20, 4, 80, 28};
    S->LayerFrame->RollUpFormHeight = 12;
    TsfSkinForm* C = NewBorderedForm(S);
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    auto DoubleClickCaption = [&] {
        // Well left of the buttons, right of a system menu button.
        const RECT W = WindowRect(L->Window(sfflTop));
        MovePointer({W.left + 150, W.top + 15});
        ASSERT_TRUE(PumpUntil([&] {
            return L->ActiveObject >= 0 && L->Placed(L->ActiveObject)->Kind == TsfFrameObjectKind::Caption;
        }));
        LeftButton(true);
        LeftButton(false);
        LeftButton(true);
        LeftButton(false);
    };
    DoubleClickCaption();
    EXPECT_TRUE(PumpUntil([&] { return C->WindowState() == wsMaximized; }));
    // Still carried by the border; the maximised form's caption is not dragged, but a double click restores it.
    ASSERT_TRUE(L->Visible() && L->Window(sfflTop));
    DoubleClickCaption();
    EXPECT_TRUE(PumpUntil([&] { return C->WindowState() == wsNormal; }));
    EXPECT_EQ(C->Form()->Width(), 300);
    // A form that cannot be sized rolls up instead, and down again.
    C->Sizeable = false;
    DoubleClickCaption();
    ASSERT_TRUE(PumpUntil([&] { return C->RollUpState(); }));
    EXPECT_EQ(L->FrameForForm().Height(), 12 + 50);
    DoubleClickCaption();
    EXPECT_TRUE(PumpUntil([&] { return !C->RollUpState(); }));
    EXPECT_EQ(C->Form()->Height(), 200);
}

TEST_F(SkinLayerBorder, TheSystemMenuOfAFullBorderOpensUnderItsButtonOnTheTopWindow)
{
    TsfSkinData* S = LayerSkin();
    S->LayerFrame->FullBorder = true;
    S->LayerFrame->CaptionRect = {20, 4, 80, 28};
    TsfSkinForm* C = NewBorderedForm(S);
    C->SetShowIcon(false);
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    L->UpdateBorder();
    const TsfActiveSkinObject* B = nullptr;
    for (const auto& O : C->ObjectList)
        if (O->Kind == TsfFrameObjectKind::StdButton && O->Command == cmSysMenu && O->Visible) B = O.get();
    ASSERT_NE(B, nullptr);
    L->SyncPlaced();
    const RECT W = WindowRect(L->Window(sfflTop));
    MovePointer({W.left + (B->ObjectRect.Left + B->ObjectRect.Right) / 2,
                 W.top + (B->ObjectRect.Top + B->ObjectRect.Bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return L->ActiveObject >= 0 && L->Placed(L->ActiveObject) == B; }));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return C->InMenu && C->SkinMenu()->LevelCount() > 0; }));
    LeftButton(false);
    Pump();
    // Under the button where it is drawn, not where the form's own frame would have it.
    EXPECT_EQ(C->SkinMenu()->Level(0)->Top(), W.top + B->ObjectRect.Bottom);
    EXPECT_EQ(C->SkinMenu()->Level(0)->Left(), W.left + B->ObjectRect.Left);
    C->SkinMenu()->Hide();
    Pump();
}

TEST_F(SkinLayerBorder, AFullBordersButtonsAndCaptionTextKeepTheirOwnAlpha)
{
    TsfSkinData* S = LayerSkin();
    S->LayerFrame->FullBorder = true;
    S->LayerFrame->CaptionRect = {20, 4, 80, 28};
    // The close button's looks get a mask: grey 64 on their left half, white on the right.
    TsfDataSkinStdButton* CloseData = nullptr;
    for (const auto& O : S->ObjectList)
        if (auto* B = dynamic_cast<TsfDataSkinStdButton*>(O.get()); B && B->Command == cmClose && !CloseData) CloseData = B;
    ASSERT_TRUE(CloseData);
    const Integer MW = CloseData->SkinRect.Width(), MH = CloseData->SkinRect.Height();
    ASSERT_GE(MW, 8);
    TDibImage M;
    M.Allocate(MW, MH, pf24bit);
    for (Integer Y = 0; Y < MH; ++Y)
        for (Integer X = 0; X < MW; ++X) {
            uint8_t* Px = M.ScanLine(Y) + 3 * X;
            Px[0] = Px[1] = Px[2] = X < MW / 2 ? 64 : 255;
        }
    S->FActivePictures.push_back(std::move(M));
    CloseData->AlphaMaskPictureIndex = CloseData->AlphaMaskActivePictureIndex = CloseData->AlphaMaskInActivePictureIndex =
        Integer(S->FActivePictures.size()) - 1;
    TsfSkinForm* C = NewBorderedForm(S);
    TCustomForm* F = C->Form();
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    TsfActiveSkinObject *Close = nullptr, *Caption = nullptr;
    for (const auto& O : C->ObjectList) {
        if (O->Kind == TsfFrameObjectKind::StdButton && O->Command == cmClose && O->Visible && !Close) Close = O.get();
        if (O->Kind == TsfFrameObjectKind::Caption && !Caption) Caption = O.get();
    }
    ASSERT_TRUE(Close && Caption);
    const HWND TopWnd = L->Window(sfflTop)->Handle();
    F->SetCaption(u"WWWWWWWW");
    L->UpdateBorder();
    ASSERT_TRUE(GPushed.count(TopWnd));
    const TPushed& Top = GPushed[TopWnd];
    L->SyncPlaced();
    const TRect B = Close->ObjectRect;
    const int MidY = (B.Top + B.Bottom) / 2;
    // Over the frame's alpha 128: 64 + 128 x (255 - 64) / 255 on the mask's grey half, opaque on its white half.
    EXPECT_EQ(Top.At(B.Left + 1, MidY) >> 24, 160u);
    EXPECT_EQ(Top.At(B.Right - 2, MidY) >> 24, 255u);
    // The caption's text is opaque, the caption's background keeps the frame's alpha.
    auto Opaque = [&](const TPushed& P) {
        int N = 0;
        const TRect R = Caption->ObjectRect;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < std::min(R.Right, B.Left); ++X) {
                const unsigned A = P.At(X, Y) >> 24;
                EXPECT_TRUE(A == 128 || A == 255 || (A > 128 && A < 255)) << X << "," << Y << " " << A;
                if (A == 255) ++N;
            }
        return N;
    };
    EXPECT_GT(Opaque(Top), 20);
    EXPECT_EQ(Top.At(Caption->ObjectRect.Left, Caption->ObjectRect.Bottom - 1) >> 24, 128u);
    F->SetCaption(u"");
    L->UpdateBorder();
    EXPECT_EQ(Opaque(GPushed[TopWnd]), 0);
}

TEST_F(SkinLayerBorder, UnderAFullBorderTheFormsRegionIsItsRectangleOrTheRolledUpStrip)
{
    TsfSkinData* S = LayerSkin();
    S->LayerFrame->FullBorder = true;
    S->LayerFrame->CaptionRect = {20, 4, 80, 28};
    S->LayerFrame->RollUpFormHeight = 6;
    TsfSkinForm* C = NewBorderedForm(S);
    TCustomForm* F = C->Form();
    ASSERT_TRUE(C->FullLayerBorderShown());
    auto Box = [&] {
        TRegion R(TRect{0, 0, 0, 0});
        if (GetWindowRgn(F->Handle(), R) == ERROR) return TRect{-1, -1, -1, -1};
        RECT B;
        GetRgnBox(R, &B);
        return TRect{B.left, B.top, B.right, B.bottom};
    };
    // The skin's own mask does not cut a form whose frame is the border's.
    EXPECT_EQ(Box(), TRect(0, 0, 300, 200));
    // The frame is outside: the form may be as low as a strip.
    EXPECT_EQ(C->GetMinHeight(), 10);
    C->SetRollUpState(true);
    Pump();
    EXPECT_EQ(Box(), TRect(0, 0, 300, 6));
    C->SetRollUpState(false);
    Pump();
    EXPECT_EQ(F->Height(), 200);
    EXPECT_EQ(Box(), TRect(0, 0, 300, 200));
}

TEST_F(SkinLayerBorder, SwitchingAFullBorderOffAndOnKeepsTheOuterFrameWhereItWas)
{
    TSkinMessages Messages;
    TsfSkinData* S = LayerSkin();
    S->LayerFrame->FullBorder = true;
    S->LayerFrame->CaptionRect = {20, 4, 80, 28};
    TsfSkinForm* C = NewBorderedForm(S);
    TCustomForm* F = C->Form();
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(C->FullLayerBorderShown());
    const TRect Frame = L->FrameForForm();
    // The border's outer edge: the sizing band, 8 pixels around the form.
    const TRect Outer{292, 192, 608, 408};
    // Off: the form with its own frame takes the border's place.
    S->SetShowLayeredBorders(false);
    Pump();
    EXPECT_FALSE(L->Visible());
    EXPECT_EQ(F->BoundsRect(), Outer);
    RECT Client;
    GetClientRect(F->Handle(), &Client);
    EXPECT_LT(Client.bottom, F->Height());
    // On: the border is where the form was, the form inside it as before.
    S->SetShowLayeredBorders(true);
    Pump();
    ASSERT_TRUE(C->FullLayerBorderShown());
    EXPECT_EQ(F->BoundsRect(), TRect(300, 200, 600, 400));
    EXPECT_EQ(L->FrameForForm(), Frame);
    GetClientRect(F->Handle(), &Client);
    EXPECT_EQ(Client.bottom, F->Height());
}

TEST_F(SkinLayerBorder, DraggingTheTopBandAndACornerSizesTheFormAndTheWindowsFollow)
{
    TsfSkinForm* C = NewBorderedForm(LayerSkin());
    TCustomForm* F = C->Form();
    TsfFormLayerBorder* L = C->BorderLayer();
    auto Form = [&] { return TRect{F->Left(), F->Top(), F->Left() + F->Width(), F->Top() + F->Height()}; };
    // The first point down the middle of the top window that sizes by the top edge.
    auto TopBand = [&] {
        const TRect Fr = L->FrameForForm();
        const Integer X = (Fr.Left + Fr.Right) / 2;
        for (Integer Y = Fr.Top; Y < F->Top(); ++Y)
            if (L->Geometry().HitTest(sfflTop, Fr, Form(), {X, Y}, true) == lhTop) return TPoint{X, Y};
        return TPoint{-1, -1};
    };
    const TPoint P = TopBand();
    ASSERT_GE(P.X, 0);
    const Integer Bottom = F->Top() + F->Height();
    // Inwards: the top edge goes down by the movement, the bottom stays.
    MovePointer(P);
    LeftButton(true);
    Pump();
    MovePointer({P.X, P.Y + 40});
    LeftButton(false);
    Pump();
    EXPECT_EQ(F->Top(), 240);
    EXPECT_EQ(F->Top() + F->Height(), Bottom);
    // The four windows are around the form where it is now.
    ASSERT_TRUE(PumpUntil([&] {
        RECT W;
        GetWindowRect(L->Window(sfflTop)->Handle(), &W);
        return W.bottom == F->Top();
    }));
    RECT W;
    GetWindowRect(L->Window(sfflLeft)->Handle(), &W);
    EXPECT_EQ(W.top, F->Top());
    // The bottom-right corner outwards: both axes once the pointer is in the frame's outer band.
    const TRect Fr = L->FrameForForm();
    TPoint Corner{-1, -1};
    for (Integer D = 0; D < 20 && Corner.X < 0; ++D) {
        const TPoint Q{F->Left() + F->Width() + D, F->Top() + F->Height() + D};
        if (L->Geometry().HitTest(sfflBottom, Fr, Form(), Q, true) == lhBottomRight) Corner = Q;
    }
    ASSERT_GE(Corner.X, 0);
    const Integer W0 = F->Width(), H0 = F->Height();
    MovePointer(Corner);
    LeftButton(true);
    Pump();
    // Into the outer band: the frame's far corner less a pixel, 25 pixels further out.
    MovePointer({Fr.Right - 1 + 25, Fr.Bottom - 1 + 25});
    LeftButton(false);
    Pump();
    EXPECT_EQ(F->Width(), W0 + (Fr.Right - 1 + 25 - Corner.X));
    EXPECT_EQ(F->Height(), H0 + (Fr.Bottom - 1 + 25 - Corner.Y));
    EXPECT_EQ(F->Left(), 300);
    EXPECT_EQ(F->Top(), 240);
}

TEST_F(SkinLayerBorder, AFullBorderOfAnInactiveFormShowsNothingHotAndItsInactiveLooks)
{
    TsfSkinData* S = LayerSkin();
    S->LayerFrame->FullBorder = true;
    S->LayerFrame->CaptionRect = {20, 4, 80, 28};
    TsfSkinForm* C = NewBorderedForm(S);
    TCustomForm* F = C->Form();
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    TsfSkinStdButtonObject* Close = nullptr;
    for (const auto& O : C->ObjectList)
        if (O->Kind == TsfFrameObjectKind::StdButton && O->Command == cmClose && O->Visible && !Close)
            Close = dynamic_cast<TsfSkinStdButtonObject*>(O.get());
    ASSERT_TRUE(Close);
    L->SyncPlaced();
    const HWND TopWnd = L->Window(sfflTop)->Handle();
    // Hot under the pointer.
    const RECT W = WindowRect(L->Window(sfflTop));
    MovePointer({W.left + (Close->ObjectRect.Left + Close->ObjectRect.Right) / 2,
                 W.top + (Close->ObjectRect.Top + Close->ObjectRect.Bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return Close->FMouseIn; }));
    const std::vector<TsfColor> Hot = GPushed[TopWnd].Px;
    // Deactivated: the hover is gone and the top picture is made again for the inactive looks.
    GPushed.clear();
    SendMessageW(F->Handle(), WM_NCACTIVATE, 0, 0);
    EXPECT_FALSE(Close->FMouseIn);
    EXPECT_EQ(L->ActiveObject, -1);
    ASSERT_TRUE(GPushed.count(TopWnd));
    const TPushed& Now = GPushed[TopWnd];
    const TRect B = Close->ObjectRect;
    int Changed = 0;
    for (int Y = B.Top; Y < B.Bottom; ++Y)
        for (int X = B.Left; X < B.Right; ++X)
            if (Now.At(X, Y) != Hot[size_t(Y) * Now.W + X]) ++Changed;
    EXPECT_GT(Changed, 0);
    SendMessageW(F->Handle(), WM_NCACTIVATE, 1, 0);
}

TEST_F(SkinLayerBorder, ADoubleClickOnTheSystemMenuButtonOfAFullBorderClosesTheForm)
{
    TsfSkinData* S = LayerSkin();
    S->LayerFrame->FullBorder = true;
    S->LayerFrame->CaptionRect = {20, 4, 80, 28};
    TsfSkinForm* C = NewBorderedForm(S);
    C->SetShowIcon(false);
    TCustomForm* F = C->Form();
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    L->UpdateBorder();
    const TsfActiveSkinObject* B = nullptr;
    for (const auto& O : C->ObjectList)
        if (O->Kind == TsfFrameObjectKind::StdButton && O->Command == cmSysMenu && O->Visible) B = O.get();
    ASSERT_NE(B, nullptr);
    L->SyncPlaced();
    bool Closed = false;
    F->OnClose = [&](TObject*, TCloseAction& A) {
        Closed = true;
        A = caHide;
    };
    const RECT W = WindowRect(L->Window(sfflTop));
    MovePointer({W.left + (B->ObjectRect.Left + B->ObjectRect.Right) / 2,
                 W.top + (B->ObjectRect.Top + B->ObjectRect.Bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return L->ActiveObject >= 0 && L->Placed(L->ActiveObject) == B; }));
    LeftButton(true);
    LeftButton(false);
    LeftButton(true);
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return Closed; }));
    if (C->SkinMenu()->Visible()) C->SkinMenu()->Hide();
    Pump();
}

TEST_F(SkinLayerBorder, AnUnslicedFrameIsOneWindowWithTheWholePicture)
{
    TsfSkinData* S = LayerSkin();
    S->LayerFrame->RBPoint = {};
    TsfSkinForm* C = NewBorderedForm(S);
    TCustomForm* F = C->Form();
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    ASSERT_TRUE(L->Window(sfflTop));
    EXPECT_FALSE(L->Window(sfflLeft));
    EXPECT_FALSE(L->Window(sfflRight));
    EXPECT_FALSE(L->Window(sfflBottom));
    const RECT W = WindowRect(L->Window(sfflTop));
    EXPECT_EQ(W.left, F->Left() - 20);
    EXPECT_EQ(W.top, F->Top() - 30);
    EXPECT_EQ(W.right - W.left, 100);
    EXPECT_EQ(W.bottom - W.top, 80);
    const TPushed& P = GPushed[L->Window(sfflTop)->Handle()];
    EXPECT_EQ(P.W, 100);
    EXPECT_EQ(P.H, 80);
    EXPECT_EQ(P.At(5, 5) >> 24, 128u);
    EXPECT_EQ(P.At(50, 45) >> 24, 255u);  // the form's part of the mask is white
}

TEST_F(SkinLayerBorder, QuickButtonsOnAFullBorderAreOpaqueRunTheirItemsAndOpenTheirMenusThere)
{
    TsfSkinData* S = LayerSkin();
    S->LayerFrame->FullBorder = true;
    S->LayerFrame->CaptionRect = {20, 4, 80, 28};
    TForm* F = NewForm(300, 200, 100, 100);
    F->SetCaption(u"Quick");
    auto* C = new TsfSkinForm(F);
    C->MinWidth = 150;
    auto* IL = new TImageList(F);
    IL->SetWidth(16);
    IL->SetHeight(16);
    TBitmap Lime;
    Lime.SetPixelFormat(pf24bit);
    Lime.SetSize(16, 16);
    Lime.Canvas()->Brush()->SetColor(clLime);
    Lime.Canvas()->FillRect({0, 0, 16, 16});
    IL->Add(&Lime);
    int Clicks = 0;
    TsfQuickButtonItem* A = C->QuickButtons()->Add();
    A->SetImageIndex(0);
    A->OnClick = [&](TObject*) { ++Clicks; };
    TsfQuickButtonItem* WithMenu = C->QuickButtons()->Add();
    WithMenu->SetImageIndex(0);
    auto* Menu = new TPopupMenu(F);
    auto* Item = new TMenuItem(Menu);
    Item->SetCaption(u"Item");
    Menu->Items()->Add(Item);
    WithMenu->PopupMenu = Menu;
    C->SetQuickImageList(IL);
    C->SetSkinData(S);
    F->SetBounds(300, 200, 300, 200);
    ShowAndWait(F);
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && C->FullLayerBorderShown());
    L->UpdateBorder();
    const HWND TopWnd = L->Window(sfflTop)->Handle();
    ASSERT_TRUE(GPushed.count(TopWnd));
    // The image is opaque lime on the half-transparent frame.
    const TPoint Mid{(A->ItemRect.Left + A->ItemRect.Right) / 2, (A->ItemRect.Top + A->ItemRect.Bottom) / 2};
    const TsfColor Px = GPushed[TopWnd].At(Mid.X, Mid.Y);
    EXPECT_EQ(Px >> 24, 255u);
    EXPECT_EQ((Px >> 8) & 0xFF, 255u);
    EXPECT_EQ(GPushed[TopWnd].At(A->ItemRect.Left - 3, Mid.Y) >> 24, 128u);
    // A click on it on the top window runs its item and does not move the form.
    const RECT W = WindowRect(L->Window(sfflTop));
    MovePointer({W.left + Mid.X, W.top + Mid.Y});
    ASSERT_TRUE(PumpUntil([&] { return A->Active; }));
    LeftButton(true);
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return Clicks == 1; }));
    EXPECT_EQ(F->Left(), 300);
    EXPECT_EQ(F->Top(), 200);
    // The other opens its menu under itself where the top window shows it.
    const TRect& R = WithMenu->ItemRect;
    MovePointer({W.left + (R.Left + R.Right) / 2, W.top + (R.Top + R.Bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return WithMenu->Active; }));
    LeftButton(true);
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return C->SkinMenu()->LevelCount() > 0; }));
    EXPECT_EQ(C->SkinMenu()->Level(0)->Top(), W.top + R.Bottom);
    EXPECT_EQ(C->SkinMenu()->Level(0)->Left(), W.left + R.Left);
    C->SkinMenu()->Hide();
    Pump();
}
