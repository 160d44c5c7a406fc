#include "skin/frame/win/SkinMenus.h"

#include <algorithm>

#include "framework/controls/win/Hints.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinMenuHooks.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinHint.h"
#include "skin/frame/win/sfColorDialog.h"
#include "skin/model/SFMessages.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFSkinRegion_Win.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

// Timers of a level (target: the level) and of the engine (target: the engine).
constexpr Cardinal MouseTimerId = 1;
constexpr Cardinal MorphTimerId = 2;
constexpr Cardinal FadeTimerId = 3;
constexpr Cardinal ScrollTimerId = 4;
constexpr Cardinal ShowTimerId = 5;
constexpr Cardinal ShowDelay = 100;
constexpr Cardinal WaitTimerId = 1;
constexpr Cardinal MouseInterval = 50;
constexpr Cardinal MorphInterval = 20;
constexpr Cardinal ScrollInterval = 100;

// Colours of the default look (0x00BBGGRR).
constexpr TColor DefaultFrameColor = 0x800000;
constexpr TColor DefaultHotColor = 0xD2BDB6;
constexpr TColor DefaultDownColor = 0xB59385;

bool RectEmpty(const TRect& R) { return R.Width() <= 0 || R.Height() <= 0; }

TRect OffsetR(const TRect& R, Integer DX, Integer DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }

// A picture of the skin's list, nil for -1 or an index beyond it.
TsfBitmap* SkinPicture(TsfSkinData* SD, Integer Index)
{
    if (!SD || Index < 0 || Index >= Integer(SD->FActivePictures.size())) return nullptr;
    return SD->ActiveBitmap(Index);
}

// The platform's charset of the skin's interface strings, when it has them.
void TakeSkinCharset(TsfSkinData* SD, TFont* Font)
{
    if (SD && SD->ResourceStrData()) Font->SetCharset(SD->ResourceStrData()->CharSet());
}

void DrawMenuCheck(TCanvas* C, Integer X, Integer Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    for (Integer i = 0; i <= 2; ++i) {
        C->MoveTo(X, Y + 5 - i);
        C->LineTo(X + 2, Y + 7 - i);
        C->LineTo(X + 7, Y + 2 - i);
    }
}

void DrawMenuArrow(TCanvas* C, Integer X, Integer Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    for (Integer i = 0; i <= 3; ++i) {
        C->MoveTo(X + i, Y + i);
        C->LineTo(X + i, Y + 7 - i);
    }
}

void DrawMenuRadio(TCanvas* C, Integer X, Integer Y, TColor Color)
{
    C->Pen()->SetColor(Color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->Ellipse(X, Y, X + 6, Y + 6);
    C->Brush()->SetStyle(bsClear);
}

// The caption-button glyph of a system or tray menu item, by its name; false when none.
bool DrawNamedGlyph(TCanvas* C, const String& Name, Integer X, Integer Y, TColor Color)
{
    if (Name == u"DSF_CLOSE" || Name == u"TRAY_DSF_CLOSE") DrawCloseImage(C, X, Y, Color);
    else if (Name == u"DSF_MINITEM") DrawMinimizeImage(C, X, Y, Color);
    else if (Name == u"DSF_MAXITEM") DrawMaximizeImage(C, X, Y, Color);
    else if (Name == u"DSF_RESTORE" || Name == u"TRAY_DSF_RESTORE") DrawRestoreImage(C, X, Y, Color);
    else if (Name == u"DSF_ROLLUP") DrawRollUpImage(C, X, Y, Color);
    else if (Name == u"DSF_MINTOTRAY") DrawTrayImage(C, X, Y, Color);
    else return false;
    return true;
}

// The item's picture: its own bitmap, else an in-range image of the list.
struct TItemImage {
    TBitmap* Bitmap = nullptr;
    TCustomImageList* List = nullptr;
    Integer Index = -1;
    Integer Width = 0, Height = 0;
    explicit operator bool() const { return Bitmap || List; }
};

TItemImage ItemImage(TMenuItem* Item, TCustomImageList* ImgL)
{
    TItemImage I;
    TBitmap* B = Item->Bitmap();
    if (B && !B->Empty()) {
        I.Bitmap = B;
        I.Width = B->Width();
        I.Height = B->Height();
    } else if (HasListImage(ImgL, Item->ImageIndex())) {
        I.List = ImgL;
        I.Index = Item->ImageIndex();
        I.Width = ImgL->Width();
        I.Height = ImgL->Height();
    }
    return I;
}

void DrawItemImage(TCanvas* C, const TItemImage& I, Integer X, Integer Y, bool Enabled, bool Checked, TColor Frame)
{
    if (I.Bitmap) {
        I.Bitmap->SetTransparent(true);
        C->Draw(X, Y, I.Bitmap);
    } else {
        I.List->Draw(C, X, Y, I.Index, Enabled);
    }
    if (Checked) {
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(Frame);
        C->Rectangle(X - 1, Y - 1, X + I.Width + 1, Y + I.Height + 1);
    }
}

String ShortCutText(TMenuItem* Item) { return Item->ShortCut() ? ShortCutToText(Item->ShortCut()) : String(); }

// Caption measured from Left to Right on one line, centred on R's middle
// (one pixel higher when Up1), then drawn; the shortcut right-aligned at
// ShortRight on the same lines.
void DrawRowTexts(TCanvas* C, TMenuItem* Item, const TRect& R, Integer Left, Integer ShortRight, bool Up1)
{
    TRect T{Left, 0, ShortRight, 0};
    DrawWideText(C, Item->Caption(), T, DT_CALCRECT | DT_SINGLELINE);
    const Integer TH = T.Height();
    T = {T.Left, R.Top + R.Height() / 2 - TH / 2, T.Right + 2, 0};
    if (Up1) --T.Top;
    T.Bottom = T.Top + TH;
    DrawWideText(C, Item->Caption(), T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const String Short = ShortCutText(Item);
    if (!Short.empty()) {
        TRect S{ShortRight - GetWideTextWidth(C, Short), T.Top, ShortRight, T.Bottom};
        DrawWideText(C, Short, S, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

// A picture of the skin (TsfBitmap) cut at Src, keyed transparent, centred in R (never left of or above it).
void DrawCentredPicture(TsfBitmap* B, TsfBitmap* Picture, const TRect& Src, const TRect& R)
{
    if (!Picture || RectEmpty(Src)) return;
    const Integer X = std::max(R.Left, R.Left + (R.Width() - Src.Width()) / 2);
    const Integer Y = std::max(R.Top, R.Top + (R.Height() - Src.Height()) / 2);
    const bool Was = Picture->Transparent();
    Picture->SetTransparent(true);
    Picture->Draw(B, X, Y, Src);
    Picture->SetTransparent(Was);
}

// The skin's popup window picture resized to W x H (its corner points moved to F).
void CreatePopupImage(TsfBitmap* B, const TsfDataSkinPopupWindow* PW, TsfBitmap* Picture, const TsfMovedFrame& F,
                      Integer W, Integer H, bool DrawClient)
{
    const TRect CL{PW->LTPoint.X, PW->LTPoint.Y, PW->RBPoint.X, PW->RBPoint.Y};
    const TRect NCL{F.LT.X, F.LT.Y, F.RB.X, F.RB.Y};
    CreateSkinImage2(PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, CL, F.LT, F.RT, F.LB, F.RB, NCL, B, Picture,
                     TRect{0, 0, Picture->Width(), Picture->Height()}, W, H, DrawClient, PW->LeftStretch,
                     PW->TopStretch, PW->RightStretch, PW->BottomStretch, PW->StretchEffect, PW->StretchType);
}

// The window region of a popup window of W x H from the skin's mask picture,
// handed to the window (the system owns it from then on and frees the one before).
void SetPopupRegion(HWND Wnd, const TsfDataSkinPopupWindow* PW, TsfBitmap* Mask, const TsfMovedFrame& F, Integer W,
                    Integer H)
{
    HRGN Rgn = nullptr;
    const TRect CL{PW->LTPoint.X, PW->LTPoint.Y, PW->RBPoint.X, PW->RBPoint.Y};
    const TRect NCL{F.LT.X, F.LT.Y, F.RB.X, F.RB.Y};
    CreateSkinRegion(Rgn, PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, CL, F.LT, F.RT, F.LB, F.RB, NCL, Mask, W,
                     H);
    SetWindowRgn(Wnd, Rgn, TRUE);
}

}  // namespace

bool SkinMenuLayeredWindows = true;

TsfDataSkinMenuItem* FindMenuItemData(TsfSkinData* SD, bool UpperFirst)
{
    if (!SD || SD->Empty) return nullptr;
    Integer i = SD->GetIndex(UpperFirst ? u"MENUITEM" : u"menuitem");
    if (i < 0) i = SD->GetIndex(UpperFirst ? u"menuitem" : u"MENUITEM");
    if (i < 0) return nullptr;
    return dynamic_cast<TsfDataSkinMenuItem*>(SD->ObjectList[size_t(i)].get());
}

// ---------------------------------------------------------------------------
// TsfSkinMenuItem

TsfSkinMenuItem::TsfSkinMenuItem(TsfSkinPopupWindow* AParent, TMenuItem* AMenuItem, TsfDataSkinMenuItem* AData)
    : Parent(AParent), MI(AData), MenuItem(AMenuItem)
{
    if (MI) {
        ActivePicture = SkinPicture(AParent->SD ? AParent->SD : AParent->ParentMenu->LevelSkin(),
                                    MI->ActivePictureIndex);
        if (!ActivePicture) {
            // A row description without its picture draws nothing of it.
            MI->SkinRect = {};
            MI->ActiveSkinRect = {};
        }
    }
}

bool TsfSkinMenuItem::IsHeader() const
{
    const String& C = MenuItem->Caption();
    return !MenuItem->Enabled() && C.size() >= 2 && C.front() == u'-' && C.back() == u'-';
}

bool TsfSkinMenuItem::EnableAnimation() const
{
    TsfSkinData* SD = Parent->SD;
    return MI && !RectEmpty(MI->AnimateSkinRect) && MI->FrameCount > 0 && SD && !SD->Empty &&
           SD->EnableSkinEffects;
}

bool TsfSkinMenuItem::EnableMorphing() const
{
    TsfSkinData* SD = Parent->SD;
    return MI && MI->Morphing && SD && SD->EnableSkinEffects;
}

bool TsfSkinMenuItem::CanMorphing()
{
    if (!FVisible) {
        if (FMorphKf != 0) {
            Active = Down = false;
            FMorphKf = 0;
        }
        return false;
    }
    // Only a row that morphs at all has morphing to do (else its animation runs).
    const bool S = Active || Down;
    return EnableMorphing() && ((S && FMorphKf < 1) || (!S && FMorphKf > 0));
}

void TsfSkinMenuItem::DoMorphing()
{
    FMorphKf = std::clamp(FMorphKf + ((Active || Down) ? 0.2 : -0.2), 0.0, 1.0);
    Parent->DrawItem(this);
}

void TsfSkinMenuItem::StartItemDraw()
{
    if (EnableAnimation()) {
        if (MI->InActiveAnimation || Active || Down) {
            Parent->StartMorph(Cardinal(std::max(1, MI->AnimateInterval)));
            return;
        }
        CurrentFrame = 0;
    } else if (EnableMorphing()) {
        Parent->StartMorph(MorphInterval);
        return;
    }
    Parent->DrawItem(this);
}

void TsfSkinMenuItem::Draw(TCanvas* Cnvs)
{
    if (!FVisible || RectEmpty(ObjectRect)) return;
    if (!MI) DefaultDraw(Cnvs);
    else if (!Parent->ParentMenu->UseSkinSize()) ResizeDraw(Cnvs);
    else SkinSizeDraw(Cnvs);
}

void TsfSkinMenuItem::DefaultDraw(TCanvas* Cnvs)
{
    TsfBitmap B;
    B.SetSize(ObjectRect.Width(), ObjectRect.Height());
    PaintDefaultRow(&B);
    Parent->BlendWithScreen(&B, ObjectRect.Left, ObjectRect.Top);
    B.Draw(Cnvs, ObjectRect.Left, ObjectRect.Top);
}

void TsfSkinMenuItem::ResizeDraw(TCanvas* Cnvs) { DrawSkinned(Cnvs, true); }

void TsfSkinMenuItem::SkinSizeDraw(TCanvas* Cnvs) { DrawSkinned(Cnvs, false); }

void TsfSkinMenuItem::DrawSkinned(TCanvas* Cnvs, bool Resize)
{
    TsfBitmap B;
    B.SetSize(ObjectRect.Width(), ObjectRect.Height());
    const bool S = Active || Down;
    if (IsSeparator() || IsHeader() || !EnableMorphing() || FMorphKf == (S ? 1.0 : 0.0)) {
        PaintSkinRow(&B, S, Resize);
    } else {
        // The hover transition: the plain row blended towards the highlighted one.
        TsfBitmap Hot;
        Hot.SetSize(B.Width(), B.Height());
        PaintSkinRow(&B, false, Resize);
        PaintSkinRow(&Hot, true, Resize);
        auto From = TsfEffectBmp::CreateFromhWnd(B.Handle());
        auto To = TsfEffectBmp::CreateFromhWnd(Hot.Handle());
        if (From && To) {
            From->MorphBy(MI->MorphKind, To.get(), FMorphKf);
            From->Draw(B.DC(), 0, 0);
        }
    }
    if (!Resize) Parent->BlendWithScreen(&B, ObjectRect.Left, ObjectRect.Top);
    B.Draw(Cnvs, ObjectRect.Left, ObjectRect.Top);
}

void TsfSkinMenuItem::PaintDefaultRow(TsfBitmap* B)
{
    const Integer W = B->Width(), H = B->Height();
    TCanvas* C = B->Canvas();
    TsfSkinMenu* Engine = Parent->ParentMenu;
    C->SetFont(Engine->DefaultMenuItemFont());
    TakeSkinCharset(Engine->LevelSkin(), C->Font());
    const Integer G = Parent->ImgL ? Parent->GlyphWidth : 19;
    const bool S = (Active || Down) && !IsSeparator();
    TColor TextColor = clWindowText;
    C->Brush()->SetStyle(bsSolid);
    if (S) {
        C->Brush()->SetColor(DefaultHotColor);
        C->FillRect({0, 0, W, H});
        C->Brush()->SetColor(DefaultFrameColor);
        C->FrameRect({0, 0, W, H});
    } else {
        C->Brush()->SetColor(clBtnFace);
        C->FillRect({0, 0, G, H});
        C->Brush()->SetColor(clWindow);
        C->FillRect({G, 0, W, H});
        if (!MenuItem->Enabled()) TextColor = clBtnShadow;
    }
    if (IsSeparator()) {
        C->Pen()->SetColor(clBtnShadow);
        C->MoveTo(G, H / 2);
        C->LineTo(W, H / 2);
        return;
    }
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(TextColor);
    const TRect T{2, 2, W - 2, H - 2};
    DrawRowTexts(C, MenuItem, T, T.Left + G, T.Right - 19, false);
    if (MenuItem->Count() > 0) DrawMenuArrow(C, T.Right - 7, T.Top + T.Height() / 2 - 4, TextColor);
    const TItemImage I = ItemImage(MenuItem, Parent->ImgL);
    if (I) {
        DrawItemImage(C, I, T.Left + 2, T.Top + (T.Height() - I.Height) / 2, MenuItem->Enabled(),
                      MenuItem->Checked(), TextColor);
    } else if (!DrawNamedGlyph(C, MenuItem->Name(), T.Left + 2, T.Top + T.Height() / 2 - 4, TextColor) &&
               MenuItem->Checked()) {
        if (MenuItem->RadioItem()) DrawMenuRadio(C, T.Left + 3, T.Top + T.Height() / 2 - 3, TextColor);
        else DrawMenuCheck(C, T.Left + 3, T.Top + T.Height() / 2 - 4, TextColor);
    }
}

void TsfSkinMenuItem::PaintHeader(TsfBitmap* B, bool Resize)
{
    TsfSkinData* SD = Parent->SD;
    Integer Index = SD ? SD->GetControlIndex(u"menuheader") : -1;
    if (SD && Index < 0) Index = SD->GetControlIndex(u"label");
    auto* L = Index >= 0 ? dynamic_cast<TsfDataSkinLabelControl*>(SD->CtrlList[size_t(Index)].get()) : nullptr;
    TsfBitmap* Pic = L ? SkinPicture(SD, L->PictureIndex) : nullptr;
    if (!L || !Pic || RectEmpty(L->SkinRect)) return;
    const Integer W = B->Width(), H = B->Height();
    const String Text = MenuItem->Caption().substr(1, MenuItem->Caption().size() - 2);
    TCanvas* C = B->Canvas();
    C->Brush()->SetStyle(bsClear);
    if (Resize) {
        const Integer h = L->SkinRect.Height();
        const TRect CL{L->LTPoint.X, h / 4, L->RTPoint.X, h - h / 4};
        CreateStretchImage(B, Pic, L->SkinRect, CL, true);
        C->SetFont(Parent->ParentMenu->DefaultMenuItemFont());
        TakeSkinCharset(SD, C->Font());
        C->Font()->SetColor(L->FontColor);
        TRect R{L->ClRect.Left, L->ClRect.Top, W - (L->SkinRect.Width() - L->ClRect.Right),
                H - (L->SkinRect.Height() - L->ClRect.Bottom)};
        TRect M = R;
        DrawWideText(C, Text, M, DT_CALCRECT | DT_SINGLELINE);
        const Integer TH = M.Height();
        TRect T{R.Left, R.Top + R.Height() / 2 - TH / 2, R.Right, 0};
        if (IsOddFontHeight(C)) --T.Top;
        T.Bottom = T.Top + TH;
        DrawWideText(C, Text, T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    TsfBitmap Strip;
    CreateHSkinImage(L->LTPoint.X, L->SkinRect.Width() - L->RTPoint.X, &Strip, Pic, L->SkinRect, W,
                     L->SkinRect.Height(), L->StretchEffect);
    const Integer Y = (H - Strip.Height()) / 2;
    Strip.Draw(B, 0, Y);
    C->Font()->SetName(L->FontName);
    C->Font()->SetHeight(L->FontHeight);
    C->Font()->SetColor(L->FontColor);
    TRect T{0, Y + L->ClRect.Top, W, Y + Strip.Height()};
    DrawWideText(C, Text, T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TsfSkinMenuItem::PaintSkinRow(TsfBitmap* B, bool S, bool Resize)
{
    const Integer W = B->Width(), H = B->Height();
    TsfSkinMenu* Engine = Parent->ParentMenu;
    TsfSkinData* SD = Parent->SD;
    TCanvas* C = B->Canvas();
    if (IsSeparator()) {
        if (ActivePicture && !RectEmpty(MI->DividerRect)) {
            TsfBitmap Strip;
            CreateHSkinImage(MI->DividerLO, MI->DividerRO, &Strip, ActivePicture, MI->DividerRect, W,
                             MI->DividerRect.Height(), MI->DividerStretchEffect);
            Strip.Draw(B, 0, 0);
        }
        return;
    }
    // Background.
    TRect Src = S ? MI->ActiveSkinRect : MI->SkinRect;
    const bool Animating = EnableAnimation() && CurrentFrame > 0;
    if (Animating) {
        const TRect& A = MI->AnimateSkinRect;
        const Integer K = std::min(CurrentFrame, MI->FrameCount) - 1;
        if (A.Height() > MI->SkinRect.Height()) {
            const Integer FH = A.Height() / MI->FrameCount;
            Src = {A.Left, A.Top + K * FH, A.Right, A.Top + (K + 1) * FH};
        } else {
            const Integer FW = A.Width() / MI->FrameCount;
            Src = {A.Left + K * FW, A.Top, A.Left + (K + 1) * FW, A.Bottom};
        }
    }
    if (!S && MI->InActiveTransparent && Parent->PaintBuffer()) {
        Parent->PaintBuffer()->Draw(B, TRect{0, 0, W, H}, ObjectRect);
    } else if (ActivePicture && !RectEmpty(Src)) {
        if (Resize) {
            const Integer h = Src.Height();
            CreateStretchImage(B, ActivePicture, Src, TRect{MI->ItemLO, h / 4, Src.Width() - MI->ItemRO, h - h / 4},
                               true);
        } else {
            const bool Stretch = S ? MI->StretchEffect
                                   : (MI->InActiveStretchEffect || (Animating && MI->StretchEffect));
            TsfBitmap Strip;
            CreateHSkinImage(MI->ItemLO, MI->ItemRO, &Strip, ActivePicture, Src, W, H, Stretch);
            Strip.Draw(B, 0, 0);
        }
    }
    if (IsHeader()) {
        PaintHeader(B, Resize);
        return;
    }
    // Glyph column, text area and image rectangle.
    const bool HasImageRect = !RectEmpty(MI->ImageRct);
    const Integer G = HasImageRect ? 0 : (Parent->ImgL ? Parent->GlyphWidth : 16);
    TRect R = MI->TextRct;
    R.Right = W + MI->TextRct.Right - MI->SkinRect.Width();
    TRect IR = MI->ImageRct;
    if (Resize) {
        R.Bottom = H + MI->TextRct.Bottom - MI->SkinRect.Height();
        if (HasImageRect) {
            const Integer DY = H - MI->SkinRect.Height();
            IR.Bottom += DY;
        }
    }
    // Font and colour.
    if (Engine->UseSkinFont()) {
        C->Font()->SetName(MI->FontName);
        C->Font()->SetStyle(MI->FontStyle);
        C->Font()->SetHeight(MI->FontHeight);
        C->Font()->SetCharset(Engine->DefaultMenuItemFont()->Charset());
    } else {
        C->SetFont(Engine->DefaultMenuItemFont());
    }
    TakeSkinCharset(SD, C->Font());
    const TColor TextColor = S ? MI->ActiveFontColor : (MenuItem->Enabled() ? MI->FontColor : MI->UnEnabledFontColor);
    C->Font()->SetColor(TextColor);
    C->Brush()->SetStyle(bsClear);
    if (MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(this, C, R, S);
        return;
    }
    const bool Odd = IsOddFontHeight(C);
    DrawRowTexts(C, MenuItem, R, R.Left + G, R.Right - 16, Odd);
    if (MenuItem->Count() > 0) {
        const TRect& A = S ? MI->ActiveArrowImageRect : MI->ArrowImageRect;
        if (RectEmpty(MI->ArrowImageRect) || !ActivePicture) DrawMenuArrow(C, R.Right - 7, R.Top + R.Height() / 2 - 4, TextColor);
        else DrawCentredPicture(B, ActivePicture, A, {R.Right - A.Width() - 5, R.Top, R.Right, R.Bottom});
    }
    TColor Pen = TextColor;
    if (MI->UseImageColor) Pen = S ? MI->ActiveImageColor : MI->ImageColor;
    const TItemImage I = ItemImage(MenuItem, Parent->ImgL);
    if (I) {
        Integer X, Y;
        if (!HasImageRect) {
            X = R.Left + 2;
            Y = R.Top + (R.Height() - I.Height) / 2;
        } else {
            X = IR.Left + (IR.Width() - I.Width) / 2;
            Y = IR.Top + (IR.Height() - I.Height) / 2;
        }
        DrawItemImage(C, I, X, Y, MenuItem->Enabled(), MenuItem->Checked(), Pen);
        return;
    }
    const TPoint Anchor = HasImageRect ? TPoint{IR.Left + IR.Width() / 2 - 4, IR.Top + IR.Height() / 2 - 4}
                                       : TPoint{R.Left + 2, R.Top + R.Height() / 2 - 4};
    if (DrawNamedGlyph(C, MenuItem->Name(), Anchor.X, Anchor.Y, Pen) || !MenuItem->Checked()) return;
    const TRect GlyphRect = HasImageRect ? IR : TRect{MI->TextRct.Left + 2, MI->TextRct.Top, MI->TextRct.Left + 16,
                                                      MI->TextRct.Bottom};
    if (MenuItem->RadioItem()) {
        if (RectEmpty(MI->RadioImageRect) || !ActivePicture) DrawMenuRadio(C, Anchor.X, Anchor.Y + 1, Pen);
        else DrawCentredPicture(B, ActivePicture, S ? MI->ActiveRadioImageRect : MI->RadioImageRect, GlyphRect);
    } else {
        if (RectEmpty(MI->CheckImageRect) || !ActivePicture) DrawMenuCheck(C, Anchor.X, Anchor.Y, Pen);
        else DrawCentredPicture(B, ActivePicture, S ? MI->ActiveCheckImageRect : MI->CheckImageRect, GlyphRect);
    }
}

void TsfSkinMenuItem::MouseEnter(bool Kb)
{
    Active = true;
    if (EnableAnimation()) CurrentFrame = 0;
    for (auto& Other : Parent->ItemList)
        if (Other.get() != this && Other->Down) {
            Other->Down = false;
            Other->StartItemDraw();
        }
    TsfSkinMenu* Engine = Parent->ParentMenu;
    if (WaitCommand && !Kb) {
        StartItemDraw();
    } else if (!Down) {
        StartItemDraw();
        Engine->ItemAction(Parent, this, Kb, false);
    } else {
        // Its submenu is open: close what lies below the submenu level.
        const Integer Sub = Engine->IndexOfLevel(Parent) + 1;
        if (Engine->LevelCount() - Sub >= 2) {
            Engine->CloseLevels(Sub + 1);
            for (auto& I : Engine->Level(Sub)->ItemList)
                if (I->Down) {
                    I->Down = false;
                    I->StartItemDraw();
                }
        }
    }
    if (Parent->Hint() != MenuItem->Hint()) Parent->SetHint(MenuItem->Hint());
}

void TsfSkinMenuItem::MouseLeave()
{
    WaitCommand = false;
    Active = false;
    if (!Down) StartItemDraw();
    TsfSkinMenu* Engine = Parent->ParentMenu;
    if (Engine->WItem == this) {
        SkinClock()->StopTimer(Engine, WaitTimerId);
        Engine->WItem = nullptr;
    }
}

void TsfSkinMenuItem::MouseDown(Integer, Integer)
{
    WaitCommand = false;
    if (!Down && MenuItem->Enabled()) Parent->ParentMenu->ItemAction(Parent, this, false, true);
}

// ---------------------------------------------------------------------------
// TsfSkinPopupWindow

// Input handling in progress: a close meanwhile only marks the level, which
// is freed when the outermost handling ends.
class TsfSkinPopupWindow::TInputScope {
public:
    explicit TInputScope(TsfSkinPopupWindow* L) : FLevel(L) { ++FLevel->FInput; }
    ~TInputScope()
    {
        if (--FLevel->FInput == 0 && FLevel->FClosing) delete FLevel;
    }
    TInputScope(const TInputScope&) = delete;
    TInputScope& operator=(const TInputScope&) = delete;

private:
    TsfSkinPopupWindow* FLevel;
};

TsfSkinPopupWindow::TsfSkinPopupWindow(TComponent* AOwner, TsfSkinMenu* AParentMenu, TsfDataSkinPopupWindow* AData,
                                       bool SupportDirectlyMouseUp)
    : TCustomControl(AOwner), ParentMenu(AParentMenu), FSupportDirectlyMouseUp(SupportDirectlyMouseUp)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetVisible(false);
    TsfSkinData* Skin = AParentMenu->LevelSkin();
    if (AData && Skin && AData->WindowPictureIndex != -1) {
        WindowPicture = SkinPicture(Skin, AData->WindowPictureIndex);
        // A window picture the skin does not have gives the default look.
        if (WindowPicture && FindMenuItemData(Skin, true)) {
            PW = AData;
            SD = Skin;
            MaskPicture = SkinPicture(Skin, AData->MaskPictureIndex);
        } else {
            WindowPicture = nullptr;
        }
    }
    AlphaBlend = AParentMenu->AlphaBlend;
    AlphaBlendValue = AParentMenu->AlphaBlendValue;
    AlphaBlendAnimation = AParentMenu->AlphaBlendAnimation;
    if (FSupportDirectlyMouseUp) {
        SetCapture(Handle());
        FCaptured = true;
    }
}

TsfSkinPopupWindow::~TsfSkinPopupWindow()
{
    SkinClock()->StopTimers(this);
    if (FCaptured && GetCapture() == Handle()) ReleaseCapture();
    ItemList.clear();
}

void TsfSkinPopupWindow::Release()
{
    SkinClock()->StopTimers(this);
    if (FInput > 0) {
        FClosing = true;
        if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
        // Its input handling frees it: the engine (which a command may free) no longer does.
        if (Owner()) Owner()->RemoveComponent(this);
        return;
    }
    delete this;
}

void TsfSkinPopupWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
    Params.WindowClass.style |= CS_SAVEBITS | CS_DROPSHADOW;
}

void TsfSkinPopupWindow::CreateItems(TMenuItem* AItem, TMenuItem* AItem2, Integer StartIndex)
{
    TsfDataSkinMenuItem* Data = FindMenuItemData(SD ? SD : ParentMenu->LevelSkin(), SD != nullptr);
    TCanvas* C = Canvas();
    if (SD && Data && ParentMenu->UseSkinFont()) {
        DSMI = Data;
        C->Font()->SetHeight(Data->FontHeight);
        C->Font()->SetStyle(Data->FontStyle);
        C->Font()->SetName(Data->FontName);
        C->Font()->SetCharset(ParentMenu->DefaultMenuItemFont()->Charset());
    } else {
        DSMI = SD ? Data : nullptr;
        C->SetFont(ParentMenu->DefaultMenuItemFont());
    }
    if (AItem2) TakeSkinCharset(SD, C->Font());
    auto AddRows = [&](TMenuItem* Parent, Integer From) {
        if (!Parent) return;
        TMenu* Menu = Parent->GetParentMenu();
        if (Menu) {
            Menu->ReduceLines(Parent);
            if (!ImgL) ImgL = Menu->Images();
        }
        for (Integer i = std::max(0, From); i < Parent->Count(); ++i) {
            TMenuItem* Item = Parent->Items(i);
            if (!Item->Visible() || Item->IsHiddenLine()) continue;
            if (Item->Action()) Item->Action()->Update();
            ItemList.push_back(std::make_unique<TsfSkinMenuItem>(this, Item, DSMI));
        }
    };
    AddRows(AItem, StartIndex);
    if (AItem2) AddRows(AItem2, StartIndex - AItem->Count());
}

void TsfSkinPopupWindow::SizeAndPlace(const TRect& R, bool PopupByItem, bool PopupUp)
{
    TCanvas* C = Canvas();
    Integer M = 0;
    std::vector<Integer> Heights;
    Heights.reserve(ItemList.size());
    const Integer SkinRowHeight = DSMI ? DSMI->SkinRect.Height() : 0;
    const Integer Divider = DSMI ? DSMI->DividerRect.Height() : 0;
    const bool UseSkinSize = ParentMenu->UseSkinSize();
    const Integer DefH = ParentMenu->DefaultMenuItemHeight();
    for (auto& I : ItemList) {
        String Text = I->MenuItem->Caption();
        if (I->MenuItem->ShortCut()) Text += u"  " + ShortCutText(I->MenuItem);
        TRect T{0, 0, 0, 0};
        DrawWideText(C, Text, T, DT_CALCRECT | DT_SINGLELINE);
        M = std::max(M, T.Width() + 2);
        Heights.push_back(MenuRowHeight(SD != nullptr, I->IsSeparator(), Divider, UseSkinSize, SkinRowHeight, DefH));
    }
    GlyphWidth = ImgL ? ImgL->Width() + 5 : 16;
    TsfMenuLevelMetrics Metrics;
    Metrics.Skinned = SD != nullptr;
    if (SD) {
        Metrics.PictureWidth = WindowPicture->Width();
        Metrics.PictureHeight = WindowPicture->Height();
        Metrics.ItemsRect = PW->ItemsRect;
        if (DSMI) {
            Metrics.RowSkinWidth = DSMI->SkinRect.Width();
            Metrics.TextLeft = DSMI->TextRct.Left;
            Metrics.TextRight = DSMI->TextRct.Right;
        }
    }
    Metrics.GlyphWidth = GlyphWidth;
    Metrics.MaxMenuItemsInWindow = ParentMenu->MaxMenuItemsInWindow;
    Metrics.WorkAreaHeight = ParentMenu->WorkArea.Height();
    FLayout.Size(Metrics, Heights, M,
                 MenuRowHeight(SD != nullptr, false, Divider, UseSkinSize, SkinRowHeight, DefH));
    const Integer W = FLayout.Width(), H = FLayout.Height();
    if (SD) {
        FFrame = MoveFrameToSize(PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, PW->ItemsRect,
                                 WindowPicture->Width(), WindowPicture->Height(), W, H);
        FLayout.SetItemsRect(FFrame.ItemsRect);
    }
    FLayout.Arrange();
    SyncRows();
    const TPoint P = PlaceMenuLevel(R, W, H, ParentMenu->WorkArea, FLayout.Scroll() && !FLayout.Scroll2(),
                                    PopupByItem, PopupUp, FLayout.ItemsRect().Top);
    ShowX = P.X;
    ShowY = P.Y;
    SetBounds(ShowX, ShowY, W, H);
    SetRegion();
}

void TsfSkinPopupWindow::SetRegion()
{
    if (!MaskPicture || !SD) return;
    SetPopupRegion(Handle(), PW, MaskPicture, FFrame, Width(), Height());
}

void TsfSkinPopupWindow::Show(const TRect& R, TMenuItem* AItem, Integer StartIndex, bool PopupByItem, bool PopupUp)
{
    Show2(R, AItem, nullptr, StartIndex, PopupByItem, PopupUp);
}

void TsfSkinPopupWindow::Show2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, Integer StartIndex,
                               bool PopupByItem, bool PopupUp)
{
    CreateItems(AItem, AItem2, StartIndex);
    SizeAndPlace(R, PopupByItem, PopupUp);
    ShowLevel();
}

void TsfSkinPopupWindow::BlendWithScreen(TsfBitmap* B, Integer X, Integer Y) const
{
    if (!EmulatesTransparency() || !ESc || ESc->Empty()) return;
    TsfBitmap Behind;
    Behind.SetSize(B->Width(), B->Height());
    ESc->Draw(&Behind, TRect{0, 0, B->Width(), B->Height()}, TRect{X, Y, X + B->Width(), Y + B->Height()});
    auto From = TsfEffectBmp::CreateFromhWnd(B->Handle());
    auto To = TsfEffectBmp::CreateFromhWnd(Behind.Handle());
    if (!From || !To) return;
    From->Morph(To.get(), 1.0 - AlphaBlendValue / 255.0);
    From->Draw(B->DC(), 0, 0);
}

void TsfSkinPopupWindow::DelayedShow()
{
    SkinClock()->StopTimer(this, ShowTimerId);
    Sc = std::make_unique<TsfBitmap>();
    Sc->SetSize(Width() + 1, Height() + 1);
    {
        TClientDC Screen(nullptr);
        BitBlt(Sc->DC(), 0, 0, Sc->Width(), Sc->Height(), Screen, ShowX, ShowY, SRCCOPY);
    }
    ESc = std::make_unique<TsfBitmap>();
    ESc->Assign(Sc.get());
    if (SD && PW->CursorIndex != -1) SetCursor(TCursor(SD->StartCursorIndex + PW->CursorIndex));
    SetWindowPos(Handle(), HWND_TOPMOST, ShowX, ShowY, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SkinClock()->StartTimer(this, MouseTimerId, MouseInterval, [this] { MouseTimerProc(); });
    if (!ItemList.empty()) {
        ActiveItem = 0;
        ItemList[0]->MouseEnter(true);
    }
}

void TsfSkinPopupWindow::ShowLevel()
{
    if (EmulatesTransparency()) {
        // The screen behind is copied once the windows under the level have painted.
        SkinClock()->StartTimer(this, ShowTimerId, ShowDelay, [this] { DelayedShow(); });
        return;
    }
    if (SD && PW->CursorIndex != -1) SetCursor(TCursor(SD->StartCursorIndex + PW->CursorIndex));
    const bool Fades = AlphaBlend && AlphaBlendAnimation && ParentMenu->First();
    if (AlphaBlend) {
        SetWindowLongW(Handle(), GWL_EXSTYLE, GetWindowLongW(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
        SetWindowAlpha(Handle(), Fades ? 0 : AlphaBlendValue);
    }
    SetWindowPos(Handle(), HWND_TOPMOST, ShowX, ShowY, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (Fades) {
        // Stepped on the skin clock, a fifteenth of the opacity every 5 ms.
        FFade.Start(AlphaBlendValue);
        SkinClock()->StartTimer(this, FadeTimerId, TsfFormFade::StepInterval, [this] { FadeStep(); });
    }
    SkinClock()->StartTimer(this, MouseTimerId, MouseInterval, [this] { MouseTimerProc(); });
    ActiveItem = -1;
    for (size_t i = 0; i < ItemList.size(); ++i) {
        TsfSkinMenuItem* I = ItemList[i].get();
        if (I->MenuItem->Enabled() && !I->IsSeparator()) {
            I->WaitCommand = true;
            ActiveItem = Integer(i);
            I->MouseEnter(true);
            break;
        }
    }
}

void TsfSkinPopupWindow::FadeStep()
{
    const Integer A = FFade.Next();
    SetWindowAlpha(Handle(), Byte(A));
    if (!FFade.Running()) SkinClock()->StopTimer(this, FadeTimerId);
}

void TsfSkinPopupWindow::Hide()
{
    SkinClock()->StopTimer(this, MouseTimerId);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void TsfSkinPopupWindow::CreateMenuImage(TsfBitmap* B, bool DrawClient)
{
    const Integer W = Width(), H = Height();
    B->SetSize(W, H);
    if (SD) {
        CreatePopupImage(B, PW, WindowPicture, FFrame, W, H, DrawClient);
        BlendWithScreen(B, 0, 0);
        return;
    }
    TCanvas* C = B->Canvas();
    const Integer Col = ImgL ? GlyphWidth + 3 : 22;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect({0, 0, Col, H});
    C->Brush()->SetColor(clWindow);
    C->FillRect({Col, 0, W, H});
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect({0, 0, W, H});
    C->Brush()->SetColor(clWindow);
    C->FrameRect({1, 1, W - 1, H - 1});
    BlendWithScreen(B, 0, 0);
}

void TsfSkinPopupWindow::DrawScrollMarker(TsfBitmap* B, bool Top)
{
    const TRect A = Top ? FLayout.TopMarker() : FLayout.BottomMarker();
    const bool Lit = ScrollCode == (Top ? 1 : 2);
    TColor Color;
    if (SD) {
        TsfDataSkinMenuItem* Row = FindMenuItemData(SD, false);
        if (Row && Row->InActiveTransparent && FPaintBuffer) {
            FPaintBuffer->Draw(B, A, A);
        } else if (Row) {
            if (TsfBitmap* Pic = SkinPicture(SD, Row->ActivePictureIndex); Pic && !RectEmpty(Row->SkinRect)) {
                TsfBitmap Strip;
                CreateHSkinImage(Row->ItemLO, Row->ItemRO, &Strip, Pic, Row->SkinRect, A.Width(),
                                 Row->SkinRect.Height(), Row->InActiveStretchEffect);
                Strip.Draw(B, A, TRect{0, 0, A.Width(), std::min(A.Height(), Strip.Height())});
            }
        }
        Color = Lit ? TColor(PW->ScrollMarkerActiveColor) : TColor(PW->ScrollMarkerColor);
    } else {
        Color = Lit ? clBtnText : clBtnShadow;
    }
    DrawArrowImage(B->Canvas(), A, Color, Top ? 3 : 4);
}

void TsfSkinPopupWindow::PaintMenu(HDC DC)
{
    if (!FBuffer) FBuffer = std::make_unique<TsfBitmap>();
    CreateMenuImage(FBuffer.get(), FLayout.Scroll());
    if (SD && DSMI && DSMI->InActiveTransparent) {
        if (!FPaintBuffer) FPaintBuffer = std::make_unique<TsfBitmap>();
        CreateMenuImage(FPaintBuffer.get(), true);
    }
    TCanvas* C = FBuffer->Canvas();
    for (Integer i = FLayout.VisibleStartIndex(); i < FLayout.VisibleStartIndex() + FLayout.VisibleCount(); ++i)
        ItemList[size_t(i)]->Draw(C);
    if (FLayout.Scroll()) {
        DrawScrollMarker(FBuffer.get(), true);
        DrawScrollMarker(FBuffer.get(), false);
        // The gap between the last shown row and the bottom marker.
        const Integer Last = FLayout.LastShown();
        const Integer Top = Last >= 0 ? FLayout.RowRect(Last).Bottom : FLayout.ItemsRect().Top + 10;
        const TRect Gap{FLayout.ItemsRect().Left, Top, FLayout.ItemsRect().Right, FLayout.BottomMarker().Top};
        if (Gap.Height() > 0) {
            if (SD && FPaintBuffer) FPaintBuffer->Draw(FBuffer.get(), Gap, Gap);
            else if (!SD) {
                C->Brush()->SetStyle(bsSolid);
                C->Brush()->SetColor(clWindow);
                C->FillRect(Gap);
            }
        }
    }
    FBuffer->Draw(DC, 0, 0);
}

void TsfSkinPopupWindow::DrawItem(TsfSkinMenuItem* Item)
{
    if (!HandleAllocated() || !FBuffer || FClosing) return;
    Item->Draw(FBuffer->Canvas());
    TClientDC DC(Handle());
    FBuffer->Draw(DC, Item->ObjectRect, Item->ObjectRect);
}

void TsfSkinPopupWindow::RepaintWindow()
{
    if (!HandleAllocated()) return;
    TClientDC DC(Handle());
    PaintMenu(DC);
}

void TsfSkinPopupWindow::RepaintMarkers()
{
    if (!FBuffer || !HandleAllocated()) return;
    DrawScrollMarker(FBuffer.get(), true);
    DrawScrollMarker(FBuffer.get(), false);
    TClientDC DC(Handle());
    FBuffer->Draw(DC, FLayout.TopMarker(), FLayout.TopMarker());
    FBuffer->Draw(DC, FLayout.BottomMarker(), FLayout.BottomMarker());
}

void TsfSkinPopupWindow::SyncRows()
{
    for (size_t i = 0; i < ItemList.size(); ++i) {
        ItemList[i]->ObjectRect = FLayout.RowRect(Integer(i));
        ItemList[i]->FVisible = FLayout.RowVisible(Integer(i));
    }
}

void TsfSkinPopupWindow::ScrollUp(bool Wrap)
{
    if (!FLayout.ScrollUp(Wrap)) return;
    SyncRows();
    RepaintWindow();
}

void TsfSkinPopupWindow::ScrollDown(bool Wrap)
{
    if (!FLayout.ScrollDown(Wrap)) return;
    SyncRows();
    RepaintWindow();
}

void TsfSkinPopupWindow::StartScroll()
{
    const Integer Index = ParentMenu->IndexOfLevel(this);
    if (Index >= 0 && Index + 1 < ParentMenu->LevelCount()) ParentMenu->CloseLevels(Index + 1);
    RepaintMarkers();
    SkinClock()->StartTimer(this, ScrollTimerId, ScrollInterval, [this] {
        if (ScrollCode == 1 && CanScroll(1)) ScrollUp(false);
        else if (ScrollCode == 2 && CanScroll(2)) ScrollDown(false);
        else if (ScrollCode != 0) StopScroll();
    });
}

void TsfSkinPopupWindow::StopScroll()
{
    ScrollCode = 0;
    RepaintMarkers();
    SkinClock()->StopTimer(this, ScrollTimerId);
}

void TsfSkinPopupWindow::StartMorph(Cardinal Interval)
{
    SkinClock()->StartTimer(this, MorphTimerId, Interval, [this] { MorphTimerProc(); });
}

void TsfSkinPopupWindow::MorphTimerProc()
{
    bool Changed = false;
    for (auto& I : ItemList) {
        if (I->CanMorphing()) {
            I->DoMorphing();
            Changed = true;
        } else if (I->EnableAnimation()) {
            const bool S = I->Active || I->Down;
            if (S && I->CurrentFrame <= I->MI->FrameCount) {
                ++I->CurrentFrame;
                DrawItem(I.get());
                Changed = true;
            } else if (!S && I->CurrentFrame > 0) {
                --I->CurrentFrame;
                DrawItem(I.get());
                Changed = true;
            }
        }
    }
    if (!Changed) SkinClock()->StopTimer(this, MorphTimerId);
}

TPoint TsfSkinPopupWindow::ClientPoint(const TPoint& Screen) const
{
    POINT P{Screen.X, Screen.Y};
    ::ScreenToClient(const_cast<TsfSkinPopupWindow*>(this)->Handle(), &P);
    return {P.x, P.y};
}

void TsfSkinPopupWindow::MouseTimerProc()
{
    TInputScope Busy(this);
    POINT S;
    if (!GetCursorPos(&S)) return;
    const TPoint P = ClientPoint({S.x, S.y});
    if (P.X == OMX && P.Y == OMY) return;
    OMX = P.X;
    OMY = P.Y;
    if (WindowFromPoint(S) == Handle()) {
        TrackMouse(P.X, P.Y);
    } else if (FLayout.Scroll() && ScrollCode != 0) {
        ScrollCode = 0;
        SkinClock()->StopTimer(this, ScrollTimerId);
        RepaintMarkers();
    }
}

void TsfSkinPopupWindow::TrackMouse(Integer X, Integer Y)
{
    TInputScope Busy(this);
    const TPoint P{X, Y};
    auto In = [&](const TRect& R) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; };
    if (FLayout.Scroll()) {
        if (In(FLayout.TopMarker())) {
            if (ScrollCode == 0 && CanScroll(1)) {
                ScrollCode = 1;
                StartScroll();
            }
        } else if (In(FLayout.BottomMarker())) {
            if (ScrollCode == 0 && CanScroll(2)) {
                ScrollCode = 2;
                StartScroll();
            }
        } else if (ScrollCode != 0) {
            StopScroll();
        }
    }
    if (ItemList.empty() || FClosing) return;
    OldActiveItem = ActiveItem;
    const Integer Hit = FLayout.RowAt(P);
    if (Hit != -1) ActiveItem = Hit;
    const Integer N = Integer(ItemList.size());
    if (ActiveItem >= N) ActiveItem = -1;
    if (OldActiveItem >= N) OldActiveItem = -1;
    if (ActiveItem == OldActiveItem && ActiveItem != -1) {
        TsfSkinMenuItem* I = ItemList[size_t(ActiveItem)].get();
        if (I->WaitCommand) {
            I->WaitCommand = false;
            if (I->MenuItem->Count() > 0) I->MouseEnter(false);
        }
        return;
    }
    auto Usable = [&](Integer i) {
        return i != -1 && ItemList[size_t(i)]->MenuItem->Enabled() && !ItemList[size_t(i)]->IsSeparator();
    };
    if (Usable(OldActiveItem)) ItemList[size_t(OldActiveItem)]->MouseLeave();
    if (!FClosing && Usable(ActiveItem)) ItemList[size_t(ActiveItem)]->MouseEnter(false);
}

void TsfSkinPopupWindow::MouseUp(TMouseButton Button, Integer X, Integer Y)
{
    TInputScope Busy(this);
    TrackMouse(X, Y);
    if (FClosing) return;
    if (FCaptured) {
        // The first release ends the capture, as a standard control's does.
        FCaptured = false;
        if (GetCapture() == Handle()) ReleaseCapture();
    }
    if (ActiveItem == -1 || Button != mbLeft) return;
    if (FLayout.RowAt({X, Y}) != ActiveItem) return;
    TsfSkinMenuItem* I = ItemList[size_t(ActiveItem)].get();
    if (!I->IsSeparator()) I->MouseDown(X, Y);
}

void TsfSkinPopupWindow::PopupKeyDown(Integer CharCode)
{
    if (!HandleAllocated() || !IsWindowVisible(Handle()) || FClosing) return;
    TInputScope Busy(this);
    const Integer N = Integer(ItemList.size());
    // Accelerators first.
    for (Integer i = 0; i < N; ++i) {
        TsfSkinMenuItem* I = ItemList[size_t(i)].get();
        if (!IsAccel(Word(CharCode), I->MenuItem->Caption())) continue;
        if (ActiveItem != -1 && ActiveItem != i) ItemList[size_t(ActiveItem)]->MouseLeave();
        ActiveItem = i;
        I->MouseEnter(false);
        if (!FClosing) I->MouseDown(0, 0);
        return;
    }
    TsfSkinMenuItem* Cur = ActiveItem >= 0 && ActiveItem < N ? ItemList[size_t(ActiveItem)].get() : nullptr;
    switch (CharCode) {
    case VK_RETURN:
        if (Cur) Cur->MouseDown(0, 0);
        break;
    case VK_RIGHT:
        if (Cur && Cur->MenuItem->Count() > 0) Cur->MouseDown(0, 0);
        break;
    case VK_DOWN:
    case VK_UP: {
        std::vector<bool> Usable(static_cast<size_t>(N), false);
        for (Integer i = 0; i < N; ++i)
            Usable[size_t(i)] = ItemList[size_t(i)]->MenuItem->Enabled() && !ItemList[size_t(i)]->IsSeparator();
        const Integer Start = FLayout.VisibleStartIndex();
        OldActiveItem = ActiveItem;
        ActiveItem = CharCode == VK_DOWN ? FLayout.NextUsable(ActiveItem, Usable, ScrollCode != 0)
                                         : FLayout.PrevUsable(ActiveItem, Usable, ScrollCode != 0);
        if (FLayout.VisibleStartIndex() != Start) {
            SyncRows();
            RepaintWindow();
        }
        if (ActiveItem != OldActiveItem) {
            ItemList[size_t(ActiveItem)]->MouseEnter(true);
            if (OldActiveItem != -1) ItemList[size_t(OldActiveItem)]->MouseLeave();
        }
        break;
    }
    case VK_LEFT:
    case VK_ESCAPE: {
        const Integer Index = ParentMenu->IndexOfLevel(this);
        if (ParentMenu->LevelCount() > 1) {
            if (Index > 0) {
                TsfSkinPopupWindow* Up = ParentMenu->Level(Index - 1);
                if (Up->ActiveItem >= 0 && Up->ActiveItem < Integer(Up->ItemList.size())) {
                    TsfSkinMenuItem* P = Up->ItemList[size_t(Up->ActiveItem)].get();
                    P->Down = false;
                    Up->DrawItem(P);
                }
            }
            ParentMenu->CloseLevels(ParentMenu->LevelCount() - 1);
        } else if (CharCode == VK_ESCAPE) {
            ParentMenu->CloseLevels(0);
        }
        break;
    }
    default:
        break;
    }
}

void TsfSkinPopupWindow::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND:
        PaintMenu(reinterpret_cast<HDC>(Message.WParam));
        FErased = true;
        Message.Result = 1;
        return;
    case WM_PAINT: {
        // The level paints on erasing; a paint without an erase draws it here.
        FErased = false;
        PAINTSTRUCT PS;
        HDC DC = BeginPaint(Handle(), &PS);
        if (!FErased) PaintMenu(DC);
        EndPaint(Handle(), &PS);
        Message.Result = 0;
        return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        MouseUp(Message.Msg == WM_LBUTTONUP ? mbLeft : mbRight, static_cast<short>(LOWORD(Message.LParam)),
                static_cast<short>(HIWORD(Message.LParam)));
        Message.Result = 0;
        return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        Message.Result = 0;
        return;
    default:
        TCustomControl::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------
// TsfSkinMenu

TsfSkinMenu::TsfSkinMenu(TComponent* AOwner, TCustomForm* AForm)
    : TComponent(AOwner), FForm(AForm), FDefaultMenuItemFont(std::make_unique<TFont>())
{
    FDefaultMenuItemFont->SetName(u"Arial");
    FDefaultMenuItemFont->SetHeight(14);
    FDefaultMenuItemFont->SetStyle(0);
    if (FForm) FForm->FreeNotification(this);
}

TsfSkinMenu::~TsfSkinMenu()
{
    *FAlive = false;
    CloseLevels(0);
    SkinClock()->StopTimers(this);
}

void TsfSkinMenu::SetDefaultMenuItemHeight(Integer Value)
{
    if (Value > 0) FDefaultMenuItemHeight = Value;
}

void TsfSkinMenu::SetDefaultMenuItemFont(TFont* Value)
{
    if (Value) FDefaultMenuItemFont->Assign(Value);
}

bool TsfSkinMenu::WaitTimerRunning() const { return SkinClock()->TimerRunning(this, WaitTimerId); }

void TsfSkinMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FPopupCtrl) FPopupCtrl = nullptr;
    if (AComponent == FDCtrl) FDCtrl = nullptr;
    if (AComponent == FForm) FForm = nullptr;
    auto It = std::find(FPopupList.begin(), FPopupList.end(), AComponent);
    if (It != FPopupList.end()) FPopupList.erase(It);
}

void TsfSkinMenu::SetPopupCtrl(TControl* Value)
{
    if (FPopupCtrl == Value) return;
    if (FPopupCtrl && FPopupCtrl != FDCtrl) FPopupCtrl->RemoveFreeNotification(this);
    FPopupCtrl = Value;
    if (FPopupCtrl) FPopupCtrl->FreeNotification(this);
}

void TsfSkinMenu::SetDCtrl(TControl* Value)
{
    if (FDCtrl == Value) return;
    if (FDCtrl && FDCtrl != FPopupCtrl) FDCtrl->RemoveFreeNotification(this);
    FDCtrl = Value;
    if (FDCtrl) FDCtrl->FreeNotification(this);
}

void TsfSkinMenu::StartPopup(TControl* APopupCtrl, TsfSkinData* ASkinData, bool SupportDirectlyMouseUp)
{
    FSupportDirectlyMouseUp = SupportDirectlyMouseUp;
    FFirst = !FVisible;
    if (!FPopupList.empty()) CloseLevels(0);
    SetPopupCtrl(APopupCtrl);
    WorkArea = {};
    if (FForm && FForm->HandleAllocated()) GetMonitorRect(FForm->Handle(), true, WorkArea);
    else GetScreenRect(true, WorkArea);
    SkinData = ASkinData;
}

void TsfSkinMenu::Popup(TControl* APopupCtrl, TsfSkinData* ASkinData, Integer StartIndex, const TRect& R,
                        TMenuItem* AItem, bool PopupUp, bool SupportDirectlyMouseUp)
{
    StartPopup(APopupCtrl, ASkinData, SupportDirectlyMouseUp);
    if (AItem && AItem->Count() > 0 && StartIndex < AItem->Count()) {
        FVisible = true;
        FItem2 = nullptr;
        OpenLevel(R, AItem, StartIndex, false, PopupUp);
        FFirst = false;
    }
}

void TsfSkinMenu::Popup2(TControl* APopupCtrl, TsfSkinData* ASkinData, Integer StartIndex, const TRect& R,
                         TMenuItem* AItem, TMenuItem* AItem2, bool PopupUp, bool SupportDirectlyMouseUp)
{
    StartPopup(APopupCtrl, ASkinData, SupportDirectlyMouseUp);
    const Integer Total = (AItem ? AItem->Count() : 0) + (AItem2 ? AItem2->Count() : 0);
    if (AItem && AItem->Count() > 0 && StartIndex < Total) {
        FVisible = true;
        FItem2 = AItem2;
        OpenLevel(R, AItem, StartIndex, false, PopupUp);
        FItem2 = nullptr;
        FFirst = false;
    }
}

void TsfSkinMenu::OpenLevel(const TRect& R, TMenuItem* AItem, Integer StartIndex, bool PopupByItem, bool PopupUp)
{
    TsfSkinData* Skin = LevelSkin();
    auto* Level = new TsfSkinPopupWindow(this, this, Skin ? Skin->PopupWindow.get() : nullptr,
                                         FSupportDirectlyMouseUp);
    FPopupList.push_back(Level);
    if (FItem2) Level->Show2(R, AItem, FItem2, StartIndex, PopupByItem, PopupUp);
    else Level->Show(R, AItem, StartIndex, PopupByItem, PopupUp);
}

void TsfSkinMenu::FreeLevel(TsfSkinPopupWindow* Level)
{
    if (WItem && WItem->Parent == Level) {
        SkinClock()->StopTimer(this, WaitTimerId);
        WItem = nullptr;
    }
    Level->Release();
}

void TsfSkinMenu::CloseLevels(Integer FromIndex)
{
    FromIndex = std::max(0, FromIndex);
    while (Integer(FPopupList.size()) > FromIndex) {
        TsfSkinPopupWindow* Level = FPopupList.back();
        FPopupList.pop_back();
        FreeLevel(Level);
    }
    if (FromIndex != 0) return;
    SkinClock()->StopTimer(this, WaitTimerId);
    WItem = nullptr;
    FVisible = false;
    TControl* Opener = FPopupCtrl;
    SetDCtrl(Opener);
    SetPopupCtrl(nullptr);
    if (Opener) DeliverSkinMenuMessage(Opener, WM_SKINMENUCLOSE);
    if (OnMenuClose) {
        TNotifyEvent Handler = std::move(OnMenuClose);
        OnMenuClose = nullptr;
        Handler(this);
    }
}

void TsfSkinMenu::Hide()
{
    CloseLevels(0);
    SkinClock()->StopTimer(this, WaitTimerId);
    WItem = nullptr;
    if (FForm && FForm->HandleAllocated()) SendMessageW(FForm->Handle(), WM_SKINMENUCLOSE, 0, 0);
}

Integer TsfSkinMenu::IndexOfLevel(const TsfSkinPopupWindow* Level) const
{
    auto It = std::find(FPopupList.begin(), FPopupList.end(), Level);
    return It == FPopupList.end() ? -1 : Integer(It - FPopupList.begin());
}

void TsfSkinMenu::WaitTimerProc()
{
    SkinClock()->StopTimer(this, WaitTimerId);
    TsfSkinMenuItem* Item = WItem;
    if (!Item) return;
    TsfSkinPopupWindow::TInputScope Busy(Item->Parent);
    ItemAction(Item->Parent, Item, false, true);
}

void TsfSkinMenu::ItemAction(TsfSkinPopupWindow* Level, TsfSkinMenuItem* Item, bool Kb, bool Click)
{
    SkinClock()->StopTimer(this, WaitTimerId);
    WItem = nullptr;
    const Integer Index = IndexOfLevel(Level);
    if (Index < 0) return;
    if (Item->MenuItem->Count() == 0) {
        if (!Click) {
            if (Index + 1 < LevelCount()) CloseLevels(Index + 1);
            return;
        }
        TMenuItem* MenuItem = Item->MenuItem;
        TMenu* Menu = MenuItem->GetParentMenu();
        const Word Command = MenuItem->Command();
        Hide();
        // The menu is closed before the command runs; the command may free
        // the menu, the engine's form or the opener.
        const std::shared_ptr<bool> Alive = FAlive;
        if (Menu) Menu->DispatchCommand(Command);
        else MenuItem->Click();
        if (*Alive && FDCtrl) DeliverSkinMenuMessage(FDCtrl, WM_SKINMENUCOMMAND);
        return;
    }
    if (!Click) {
        if (Kb) return;
        if (Index + 1 < LevelCount()) CloseLevels(Index + 1);
        WItem = Item;
        SkinClock()->StartTimer(this, WaitTimerId, SubmenuDelay, [this] { WaitTimerProc(); });
        return;
    }
    if (Index + 1 < LevelCount()) CloseLevels(Index + 1);
    TMenuItem* MenuItem = Item->MenuItem;
    const std::shared_ptr<bool> Alive = FAlive;
    if (TMenu* Menu = MenuItem->GetParentMenu()) Menu->DispatchCommand(MenuItem->Command());
    if (!*Alive || IndexOfLevel(Level) < 0 || Level->Closing()) return;
    Item->Down = true;
    const TRect R = OffsetR(Item->ObjectRect, Level->Left(), Level->Top());
    OpenLevel(R, MenuItem, 0, true, false);
}

// ---------------------------------------------------------------------------
// TsfSkinPopupMenu

TsfSkinPopupMenu::TsfSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

TsfSkinPopupMenu::~TsfSkinPopupMenu() = default;

void TsfSkinPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TPopupMenu::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSD) FSD = nullptr;
    if (AComponent == FComponentForm) FComponentForm = nullptr;
    if (AComponent == static_cast<TComponent*>(FSkinComponent)) FSkinComponent = nullptr;
}

void TsfSkinPopupMenu::SetSkinData(TsfSkinData* Value)
{
    if (FSD) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD) FSD->FreeNotification(this);
}

void TsfSkinPopupMenu::SetComponentForm(TCustomForm* Value)
{
    if (FComponentForm) FComponentForm->RemoveFreeNotification(this);
    FComponentForm = Value;
    if (FComponentForm) FComponentForm->FreeNotification(this);
}

void TsfSkinPopupMenu::SetSkinComponent(TsfSkinForm* Value)
{
    if (FSkinComponent) FSkinComponent->RemoveFreeNotification(this);
    FSkinComponent = Value;
    if (FSkinComponent) FSkinComponent->FreeNotification(this);
}

TsfSkinForm* TsfSkinPopupMenu::FindSkinComponent() const
{
    TsfSkinForm* C = FSkinComponent;
    if (!C) {
        TCustomForm* F = FComponentForm;
        if (!F) F = dynamic_cast<TCustomForm*>(Owner());
        if (!F && Owner()) F = dynamic_cast<TCustomForm*>(Owner()->Owner());
        C = F ? GetSkinForm(F) : nullptr;
    }
    // An MDI child's menus open through the main form's component.
    if (C && C->Form() && C->Form()->FormStyle() == fsMDIChild && Application->MainForm())
        if (TsfSkinForm* Main = GetSkinForm(Application->MainForm())) C = Main;
    return C;
}

void TsfSkinPopupMenu::DoPopupAt(TControl* ACtrl, const TRect& R, bool APopupUp, bool ADirectly, bool ANeedsSkin)
{
    if (OnPopup) OnPopup(this);
    TsfSkinForm* C = FindSkinComponent();
    if (C && !FSD) SetSkinData(C->MenusSkinData() ? C->MenusSkinData() : C->SkinData());
    if (!C || (ANeedsSkin && !FSD)) return;
    TsfSkinMenu* Engine = C->SkinMenu();
    if (Engine->Visible()) C->SkinMenuClose();
    C->SkinMenuOpen();
    FPopupPoint = {R.Left, R.Top};
    Engine->Popup(ACtrl, FSD, 0, R, Items(), APopupUp, ADirectly);
    if (OnMenuClose) Engine->OnMenuClose = OnMenuClose;
}

void TsfSkinPopupMenu::Popup(Integer X, Integer Y)
{
    DoPopupAt(nullptr, {X, Y, X, Y}, false, FSupportDirectlyMouseUp, false);
}

void TsfSkinPopupMenu::PopupFromRect(const TRect& R, bool APopupUp) { DoPopupAt(nullptr, R, APopupUp, false, false); }

void TsfSkinPopupMenu::PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp)
{
    DoPopupAt(ACtrl, R, APopupUp, false, false);
}

void TsfSkinPopupMenu::Popup2(TControl* ACtrl, Integer X, Integer Y)
{
    DoPopupAt(ACtrl, {X, Y, X, Y}, false, false, true);
}

// ---------------------------------------------------------------------------
// The images menu: items and their collection

TsfImagesMenuItem::TsfImagesMenuItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

void TsfImagesMenuItem::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TsfImagesMenuItem*>(Source)) {
        FImageIndex = S->FImageIndex;
        FCaption = S->FCaption;
        Button = S->Button;
        Hint = S->Hint;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

void TsfImagesMenuItem::SetCaption(const String& Value)
{
    FCaption = Value;
    Changed(false);
}

void TsfImagesMenuItem::SetImageIndex(Integer Value)
{
    FImageIndex = Value;
    Changed(false);
}

TsfImagesMenuItems::TsfImagesMenuItems(TsfSkinImagesMenu* AImagesMenu)
    : TCollection([](TCollection* C) { return new TsfImagesMenuItem(C); }), FImagesMenu(AImagesMenu)
{
}

void TsfImagesMenuItems::Update(TCollectionItem* Item)
{
    TCollection::Update(Item);
    // The button showing the selection repaints.
    if (FImagesMenu->OnInternalChange) FImagesMenu->OnInternalChange(FImagesMenu);
}

// ---------------------------------------------------------------------------
// TsfSkinImagesMenu

TsfSkinImagesMenu::TsfSkinImagesMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TsfImagesMenuItems>(this)),
      FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName(u"Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(0);
}

TsfSkinImagesMenu::~TsfSkinImagesMenu()
{
    if (FPopupWindow) {
        TsfSkinImagesMenuPopupWindow* W = FPopupWindow;
        FPopupWindow = nullptr;
        W->ImagesMenu = nullptr;
        delete W;
    }
}

void TsfSkinImagesMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == static_cast<TComponent*>(FSkinHint)) FSkinHint = nullptr;
    if (AComponent == FPopupWindow) FPopupWindow = nullptr;
}

void TsfSkinImagesMenu::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

TComponent* TsfSkinImagesMenu::MenuSkinHint() const { return FSkinHint; }

void TsfSkinImagesMenu::SetMenuSkinHint(TComponent* Value) { SetSkinHint(dynamic_cast<TsfSkinHint*>(Value)); }

void TsfSkinImagesMenu::SetSkinHint(TsfSkinHint* Value)
{
    if (FSkinHint) FSkinHint->RemoveFreeNotification(this);
    FSkinHint = Value;
    if (FSkinHint) FSkinHint->FreeNotification(this);
}

void TsfSkinImagesMenu::SetSkinData(TsfSkinData* Value)
{
    if (FSkinData) FSkinData->RemoveFreeNotification(this);
    FSkinData = Value;
    if (FSkinData) FSkinData->FreeNotification(this);
}

void TsfSkinImagesMenu::SetItemIndex(Integer Value)
{
    FItemIndex = Value;
    if (OnInternalChange) OnInternalChange(this);
}

TsfImagesMenuOptions TsfSkinImagesMenu::Options() const
{
    return {UseSkinFont, ShowHints, AlphaBlend, AlphaBlendAnimation, AlphaBlendValue};
}

void TsfSkinImagesMenu::SetOptions(const TsfImagesMenuOptions& Value)
{
    UseSkinFont = Value.UseSkinFont;
    ShowHints = Value.ShowHints;
    AlphaBlend = Value.AlphaBlend;
    AlphaBlendAnimation = Value.AlphaBlendAnimation;
    AlphaBlendValue = Value.AlphaBlendValue;
}

void TsfSkinImagesMenu::SetColumnsCount(Integer Value)
{
    if (Value >= 1 && Value <= 50) FColumnsCount = Value;
}

TsfImagesMenuItem* TsfSkinImagesMenu::SelectedItem() const
{
    if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return nullptr;
    return FItems->GetItem(FItemIndex);
}

void TsfSkinImagesMenu::Popup(Integer X, Integer Y) { PopupFromRect({X, Y, X, Y}); }

void TsfSkinImagesMenu::PopupFromRect(const TRect& R)
{
    if (FPopupWindow) FPopupWindow->Hide(false);
    if (OnMenuPopup) OnMenuPopup(this);
    if (!FImages || FImages->Count() == 0) return;
    FOldItemIndex = FItemIndex;
    FPopupWindow = new TsfSkinImagesMenuPopupWindow(this);
    FPopupWindow->FOnItemChanged = [this](TObject* Sender) { OnItemChanged(Sender); };
    FPopupWindow->Show(R);
}

void TsfSkinImagesMenu::Hide()
{
    if (FPopupWindow) FPopupWindow->Hide(false);
}

void TsfSkinImagesMenu::OnItemChanged(TObject*)
{
    const Integer Index = FPopupWindow ? FPopupWindow->MouseInItem : -1;
    if (OnItemIndexChanged) OnItemIndexChanged(this, Index);
    if (MainWindowHandle && Index >= 0 && Index < FItems->Count())
        SendMessageW(MainWindowHandle, WM_IMAGESMENUHOVER, WPARAM(FItems->GetItem(Index)->Color), LPARAM(Index));
}

void TsfSkinImagesMenu::CloseUp(bool AProcessEvents)
{
    TsfSkinImagesMenuPopupWindow* W = FPopupWindow;
    FPopupWindow = nullptr;
    if (W) {
        W->ImagesMenu = nullptr;
        // Freed after its own input handling, when that is still running.
        if (W->FInput > 0) W->FFreePending = true;
        else delete W;
    }
    if (AProcessEvents && FItemIndex != -1) {
        if (TsfImagesMenuItem* I = SelectedItem(); I && I->OnClick) I->OnClick(this);
        if (OnItemClick) OnItemClick(this);
        if (FItemIndex != FOldItemIndex) {
            if (OnInternalChange) OnInternalChange(this);
            if (OnChange) OnChange(this);
        }
    }
    if (OnInternalMenuClose) OnInternalMenuClose(this);
    if (OnMenuClose) OnMenuClose(this);
}

// ---------------------------------------------------------------------------
// TsfSkinImagesMenuPopupWindow

namespace {

class TGridInput {
public:
    explicit TGridInput(Integer& Count, bool& Pending, TsfSkinImagesMenuPopupWindow* W)
        : FCount(Count), FPending(Pending), FWindow(W)
    {
        ++FCount;
    }
    ~TGridInput()
    {
        if (--FCount == 0 && FPending) delete FWindow;
    }
    TGridInput(const TGridInput&) = delete;
    TGridInput& operator=(const TGridInput&) = delete;

private:
    Integer& FCount;
    bool& FPending;
    TsfSkinImagesMenuPopupWindow* FWindow;
};

}  // namespace

TsfSkinImagesMenuPopupWindow::TsfSkinImagesMenuPopupWindow(TsfSkinImagesMenu* AOwner)
    : TCustomControl(AOwner), ImagesMenu(AOwner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetVisible(false);
}

TsfSkinImagesMenuPopupWindow::~TsfSkinImagesMenuPopupWindow()
{
    SkinClock()->StopTimers(this);
    if (FHooked) {
        Application->OnMessage = OldAppMessage;
        FHooked = false;
    }
    if (GetCapture() == (HandleAllocated() ? Handle() : nullptr)) ReleaseCapture();
}

void TsfSkinImagesMenuPopupWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = Application->Handle();
    Params.WindowClass.style |= CS_SAVEBITS | CS_DROPSHADOW;
}

std::vector<TsfGridItemKind> TsfSkinImagesMenuPopupWindow::Kinds() const
{
    std::vector<TsfGridItemKind> K;
    TsfImagesMenuItems* Items = ImagesMenu->ImagesItems();
    for (Integer i = 0; i < Items->Count(); ++i) {
        TsfImagesMenuItem* I = Items->GetItem(i);
        K.push_back(I->Header ? TsfGridItemKind::Header : I->Button ? TsfGridItemKind::Button : TsfGridItemKind::Cell);
    }
    return K;
}

void TsfSkinImagesMenuPopupWindow::Layout()
{
    TsfSkinData* SD = ImagesMenu->SkinData();
    TsfDataSkinPopupWindow* PW = SD && !SD->Empty ? SD->PopupWindow.get() : nullptr;
    WindowPicture = PW ? SkinPicture(SD, PW->WindowPictureIndex) : nullptr;
    FSkinSupport = PW && WindowPicture;
    MaskPicture = FSkinSupport ? SkinPicture(SD, PW->MaskPictureIndex) : nullptr;
    TCustomImageList* Images = ImagesMenu->Images();
    const Integer CW = Images->Width() + 10, CH = Images->Height() + 10;
    Integer HeaderH = CH;
    if (SD && !SD->Empty) {
        const Integer L = SD->GetControlIndex(u"label");
        if (L >= 0 && !RectEmpty(SD->CtrlList[size_t(L)]->SkinRect)) HeaderH = SD->CtrlList[size_t(L)]->SkinRect.Height();
    }
    const TPoint Origin = FSkinSupport ? TPoint{PW->ItemsRect.Left, PW->ItemsRect.Top} : TPoint{5, 5};
    FGrid = LayoutImagesGrid(Kinds(), CW, CH, ImagesMenu->ColumnsCount(), Origin.X, Origin.Y, HeaderH, FSkinSupport,
                             FSkinSupport ? WindowPicture->Width() : 0, FSkinSupport ? WindowPicture->Height() : 0,
                             FSkinSupport ? PW->ItemsRect : TRect{});
    TsfImagesMenuItems* Items = ImagesMenu->ImagesItems();
    for (Integer i = 0; i < Items->Count(); ++i) Items->GetItem(i)->ItemRect = FGrid.ItemRects[size_t(i)];
    if (FSkinSupport)
        FFrame = MoveFrameToSize(PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, PW->ItemsRect,
                                 WindowPicture->Width(), WindowPicture->Height(), FGrid.Width, FGrid.Height);
}

void TsfSkinImagesMenuPopupWindow::Show(const TRect& R)
{
    Layout();
    TRect A;
    TCustomForm* Where = Screen->ActiveCustomForm();
    if (!Where && Application->MainForm() && Application->MainForm()->Visible()) Where = Application->MainForm();
    if (!Where && ImagesMenu->Owner()) Where = dynamic_cast<TCustomForm*>(ImagesMenu->Owner());
    if (Where && Where->HandleAllocated()) GetMonitorRect(Where->Handle(), true, A);
    else GetScreenRect(true, A);
    const TPoint P = PlaceImagesGrid(R, FGrid.Width, FGrid.Height, A);
    SetBounds(P.X, P.Y, FGrid.Width, FGrid.Height);
    if (MaskPicture)
        SetPopupRegion(Handle(), ImagesMenu->SkinData()->PopupWindow.get(), MaskPicture, FFrame, FGrid.Width,
                       FGrid.Height);
    const bool Layered = ImagesMenu->AlphaBlend && SkinMenuLayeredWindows;
    const bool Fades = Layered && ImagesMenu->AlphaBlendAnimation;
    if (Layered) {
        SetWindowLongW(Handle(), GWL_EXSTYLE, GetWindowLongW(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
        SetWindowAlpha(Handle(), Fades ? 0 : ImagesMenu->AlphaBlendValue);
    }
    SetWindowPos(Handle(), HWND_TOPMOST, P.X, P.Y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (Fades) {
        FFade.Start(ImagesMenu->AlphaBlendValue);
        SkinClock()->StartTimer(this, 1, TsfFormFade::StepInterval, [this] { FadeStep(); });
    }
    OldAppMessage = Application->OnMessage;
    Application->OnMessage = [this](MSG& Msg, bool& Handled) { OnAppMessage(Msg, Handled); };
    FHooked = true;
}

void TsfSkinImagesMenuPopupWindow::FadeStep()
{
    SetWindowAlpha(Handle(), Byte(FFade.Next()));
    if (!FFade.Running()) SkinClock()->StopTimer(this, 1);
}

void TsfSkinImagesMenuPopupWindow::HideHint()
{
    if (ImagesMenu && ImagesMenu->ShowHints && ImagesMenu->SkinHint()) ImagesMenu->SkinHint()->HideHint();
}

void TsfSkinImagesMenuPopupWindow::Hide(bool AProcessEvents)
{
    TGridInput Busy(FInput, FFreePending, this);
    HideHint();
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    if (FHooked) {
        FHooked = false;
        Application->OnMessage = OldAppMessage;
    }
    if (GetCapture() == Handle()) ReleaseCapture();
    if (TsfSkinImagesMenu* M = ImagesMenu) M->CloseUp(AProcessEvents);
}

void TsfSkinImagesMenuPopupWindow::OnAppMessage(MSG& Msg, bool& Handled)
{
    if (!ImagesMenu) return;
    TGridInput Busy(FInput, FFreePending, this);
    if (Msg.message == WM_KEYDOWN) {
        GridKeyDown(Integer(Msg.wParam));
        Msg.message = WM_NULL;
        Handled = true;
        return;
    }
    if (Msg.message == WM_LBUTTONDOWN) {
        if (WindowFromPoint(Msg.pt) != Handle()) Hide(false);
        return;
    }
    if (IsImagesMenuCloseMessage(Msg.message)) Hide(false);
}

void TsfSkinImagesMenuPopupWindow::GridKeyDown(Integer Key)
{
    if (!ImagesMenu) return;
    TGridInput Busy(FInput, FFreePending, this);
    switch (Key) {
    case VK_RETURN:
    case VK_SPACE:
        if (MouseInItem != -1) ImagesMenu->FItemIndex = MouseInItem;
        Hide(true);
        return;
    case VK_ESCAPE:
        Hide(false);
        return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        const Integer Next = ImagesGridMove(Kinds(), FGrid.ItemRects, MouseInItem, Key);
        if (Next != MouseInItem) {
            OldMouseInItem = MouseInItem;
            MouseInItem = Next;
            Invalidate();
        }
        return;
    }
    default:
        return;
    }
}

void TsfSkinImagesMenuPopupWindow::MouseMoveAt(const TPoint& P)
{
    if (!ImagesMenu) return;
    const Integer Hit = ImagesGridItemAt(Kinds(), FGrid.ItemRects, P);
    MouseInItem = Hit;
    if (Hit == -1) HideHint();
    if (MouseInItem == OldMouseInItem) return;
    OldMouseInItem = MouseInItem;
    Invalidate();
    TsfSkinHint* H = ImagesMenu->SkinHint();
    if (ImagesMenu->ShowHints && H && MouseInItem != -1) {
        H->HideHint();
        const String& Text = ImagesMenu->ImagesItems()->GetItem(MouseInItem)->Hint;
        if (!Text.empty()) H->ActivateHint2(Text);
    }
    // The hover change is told at once (the colour previews follow the mouse).
    if (FOnItemChanged) FOnItemChanged(this);
}

void TsfSkinImagesMenuPopupWindow::Dispatch(TMessage& Message)
{
    const TPoint P{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case WM_MOUSEMOVE: {
        TGridInput Busy(FInput, FFreePending, this);
        if (!FTracking) {
            TRACKMOUSEEVENT T{sizeof(T), TME_LEAVE, Handle(), 0};
            FTracking = TrackMouseEvent(&T) != FALSE;
        }
        MouseMoveAt(P);
        Message.Result = 0;
        return;
    }
    case WM_MOUSELEAVE:
        FTracking = false;
        HideHint();
        MouseInItem = OldMouseInItem = -1;
        Invalidate();
        Message.Result = 0;
        return;
    case WM_LBUTTONDOWN: {
        TGridInput Busy(FInput, FFreePending, this);
        HideHint();
        FDown = true;
        FItemDown = ImagesGridItemAt(Kinds(), FGrid.ItemRects, P) != -1;
        Invalidate();
        Message.Result = 0;
        return;
    }
    case WM_LBUTTONUP: {
        TGridInput Busy(FInput, FFreePending, this);
        const Integer Hit = ImagesGridItemAt(Kinds(), FGrid.ItemRects, P);
        if (FDown && Hit != -1 && ImagesMenu) {
            FDown = FItemDown = false;
            ImagesMenu->FItemIndex = Hit;
            Hide(true);
        } else {
            FDown = FItemDown = false;
            // The next press anywhere reaches the grid or its message hook.
            if (GetCapture() == Handle()) ReleaseCapture();
            SetCapture(Handle());
            Invalidate();
        }
        Message.Result = 0;
        return;
    }
    case WM_ACTIVATEAPP:
        // Another program became active: a sent message no hook sees.
        if (!Message.WParam && ImagesMenu) Hide(false);
        Message.Result = 0;
        return;
    default:
        TCustomControl::Dispatch(Message);
    }
}

void TsfSkinImagesMenuPopupWindow::Paint() { PaintGrid(Canvas()->Handle()); }

void TsfSkinImagesMenuPopupWindow::PaintGrid(HDC DC)
{
    if (!ImagesMenu) return;
    const Integer W = Width(), H = Height();
    TsfBitmap B;
    B.SetSize(W, H);
    TCanvas* C = B.Canvas();
    TsfSkinData* SD = ImagesMenu->SkinData();
    if (SD && SD->Empty) SD = nullptr;
    if (FSkinSupport) {
        CreatePopupImage(&B, SD->PopupWindow.get(), WindowPicture, FFrame, W, H, true);
    } else {
        C->Pen()->SetColor(clBtnShadow);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clWindow);
        C->Rectangle(0, 0, W, H);
    }
    const Integer Sel = ImagesMenu->ShowSelectedItem ? ImagesMenu->ItemIndex() : -1;
    // The cell look ("menuitembutton", else "resizebutton") and the label of headers.
    TsfDataSkinButtonControl* Btn = nullptr;
    TsfDataSkinLabelControl* Lbl = nullptr;
    if (SD) {
        Integer i = SD->GetControlIndex(u"menuitembutton");
        if (i < 0) i = SD->GetControlIndex(u"resizebutton");
        if (i >= 0) Btn = dynamic_cast<TsfDataSkinButtonControl*>(SD->CtrlList[size_t(i)].get());
        const Integer l = SD->GetControlIndex(u"label");
        if (l >= 0) Lbl = dynamic_cast<TsfDataSkinLabelControl*>(SD->CtrlList[size_t(l)].get());
    }
    TsfBitmap* BtnPic = Btn ? SkinPicture(SD, Btn->PictureIndex) : nullptr;
    TsfDataSkinMenuItem* Row = SD ? FindMenuItemData(SD, false) : nullptr;
    TCustomImageList* Images = ImagesMenu->Images();
    TsfImagesMenuItems* Items = ImagesMenu->ImagesItems();
    for (Integer i = 0; i < Items->Count(); ++i) {
        TsfImagesMenuItem* I = Items->GetItem(i);
        const TRect& R = I->ItemRect;
        C->Brush()->SetStyle(bsClear);
        if (I->Header) {
            TsfBitmap* LPic = Lbl ? SkinPicture(SD, Lbl->PictureIndex) : nullptr;
            if (Lbl && LPic && !RectEmpty(Lbl->SkinRect)) {
                TsfBitmap Strip;
                CreateHSkinImage(Lbl->LTPoint.X, Lbl->SkinRect.Width() - Lbl->RTPoint.X, &Strip, LPic, Lbl->SkinRect,
                                 R.Width(), Lbl->SkinRect.Height(), Lbl->StretchEffect);
                Strip.Draw(&B, R.Left, R.Top);
                if (ImagesMenu->UseSkinFont) {
                    C->Font()->SetName(Lbl->FontName);
                    C->Font()->SetHeight(Lbl->FontHeight);
                    C->Font()->SetStyle(Lbl->FontStyle);
                } else {
                    C->SetFont(ImagesMenu->DefaultFont());
                    TakeSkinCharset(SD, C->Font());
                }
                C->Font()->SetColor(Lbl->FontColor);
                TRect T{R.Left + Lbl->ClRect.Left, R.Top + Lbl->ClRect.Top,
                        R.Right - (Lbl->SkinRect.Width() - Lbl->ClRect.Right), R.Top + Lbl->SkinRect.Height()};
                DrawWideText(C, I->Caption(), T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            } else {
                C->SetFont(ImagesMenu->DefaultFont());
                C->Font()->SetColor(clWindowText);
                TRect T = R;
                DrawWideText(C, I->Caption(), T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            }
            continue;
        }
        // 0 plain, 1 hot, 2 pressed.
        Integer Look = 0;
        if (i == Sel && !(FDown && FItemDown)) Look = 2;
        else if (i == MouseInItem) Look = (FDown && FItemDown) ? 2 : 1;
        if (Look != 0) {
            if (Btn && BtnPic) {
                TRect Src = Btn->SkinRect;
                if (Look == 2 && !RectEmpty(Btn->DownSkinRect)) Src = Btn->DownSkinRect;
                else if (!RectEmpty(Btn->ActiveSkinRect)) Src = Btn->ActiveSkinRect;
                const Integer DW = R.Width() - Src.Width(), DH = R.Height() - Src.Height();
                const TPoint NLT = Btn->LTPoint, NRT{Btn->RTPoint.X + DW, Btn->RTPoint.Y},
                             NLB{Btn->LBPoint.X, Btn->LBPoint.Y + DH}, NRB{Btn->RBPoint.X + DW, Btn->RBPoint.Y + DH};
                const TRect NCL{Btn->ClRect.Left, Btn->ClRect.Top, Btn->ClRect.Right + DW, Btn->ClRect.Bottom + DH};
                TsfBitmap Cell;
                CreateSkinImage(Btn->LTPoint, Btn->RTPoint, Btn->LBPoint, Btn->RBPoint, Btn->ClRect, NLT, NRT, NLB, NRB,
                                NCL, &Cell, BtnPic, Src, R.Width(), R.Height(), true, Btn->LeftStretch,
                                Btn->TopStretch, Btn->RightStretch, Btn->BottomStretch, Btn->StretchEffect,
                                Btn->StretchType);
                Cell.Draw(&B, R.Left, R.Top);
            } else {
                C->Brush()->SetStyle(bsSolid);
                C->Brush()->SetColor(Look == 2 ? DefaultDownColor : DefaultHotColor);
                C->FillRect(R);
                C->Brush()->SetColor(DefaultFrameColor);
                C->FrameRect(R);
            }
        }
        Integer TextLeft = R.Left;
        if (HasListImage(Images, I->ImageIndex())) {
            Images->Draw(C, R.Left + 5, R.Top + 5, I->ImageIndex(), true);
            TextLeft = R.Left + 5 + Images->Width() + 5;
        }
        if (I->Button && !I->Caption().empty()) {
            C->Brush()->SetStyle(bsClear);
            if (SD && Row && Btn) {
                if (ImagesMenu->UseSkinFont) {
                    C->Font()->SetName(Btn->FontName);
                    C->Font()->SetHeight(Btn->FontHeight);
                    C->Font()->SetStyle(Btn->FontStyle);
                } else {
                    C->SetFont(ImagesMenu->DefaultFont());
                }
                TakeSkinCharset(SD, C->Font());
                C->Font()->SetColor(Look == 2 ? Btn->DownFontColor : Look == 1 ? Btn->ActiveFontColor : Row->FontColor);
            } else {
                C->SetFont(ImagesMenu->DefaultFont());
                C->Font()->SetColor(clWindowText);
            }
            TRect T{TextLeft, R.Top, R.Right, R.Bottom};
            const bool Fits = GetWideTextWidth(C, I->Caption()) <= T.Width();
            DrawWideText(C, I->Caption(), T, (Fits ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE);
        }
    }
    B.Draw(DC, 0, 0);
}

Integer TsfSkinImagesMenu::SelectedImageIndex() const
{
    TsfImagesMenuItem* I = SelectedItem();
    return I ? I->ImageIndex() : -1;
}

String TsfSkinImagesMenu::SelectedCaption() const
{
    TsfImagesMenuItem* I = SelectedItem();
    return I ? I->Caption() : String();
}

TColor TsfSkinImagesMenu::SelectedColor() const
{
    TsfImagesMenuItem* I = SelectedItem();
    return I ? I->Color : clNone;
}

void TsfSkinImagesMenu::AddItem(Integer ImageIndex, const String& Caption, bool Button, TColor Color)
{
    TsfImagesMenuItem* I = FItems->Add();
    I->SetImageIndex(ImageIndex);
    I->SetCaption(Caption);
    I->Button = Button;
    I->Color = Color;
}

void TsfSkinImagesMenu::SetItemCaption(Integer Index, const String& Caption)
{
    if (Index >= 0 && Index < FItems->Count()) FItems->GetItem(Index)->SetCaption(Caption);
}

TColor TsfSkinImagesMenu::ItemColor(Integer Index) const
{
    return Index >= 0 && Index < FItems->Count() ? FItems->GetItem(Index)->Color : clNone;
}

// ---------------------------------------------------------------------------
// The services the skinned controls reach the menus through.

namespace {

class TsfFrameMenuServices : public TsfSkinMenuServices {
public:
    TsfSkinPopupMenuLink* CreateSkinPopupMenu(TComponent* AOwner) override { return new TsfSkinPopupMenu(AOwner); }
    TsfSkinImagesMenuLink* CreateSkinImagesMenu(TComponent* AOwner) override { return new TsfSkinImagesMenu(AOwner); }
    TsfSkinPopupMenuLink* AsSkinPopupMenu(TPopupMenu* Menu) override { return dynamic_cast<TsfSkinPopupMenu*>(Menu); }
    TsfSkinImagesMenuLink* AsSkinImagesMenu(TComponent* Component) override
    {
        return dynamic_cast<TsfSkinImagesMenu*>(Component);
    }
    TsfSkinFormLink* GetSkinForm(TCustomForm* Form) override { return Form ? ::GetSkinForm(Form) : nullptr; }
    TsfSkinColorDialogLink* CreateSkinColorDialog(TComponent* AOwner) override
    {
        return new TsfSkinColorDialog(AOwner);
    }
};

}  // namespace

TsfSkinMenuServices* InstallSkinFrameMenuServices()
{
    static TsfFrameMenuServices Services;
    return InstallSkinMenuServices(&Services);
}
