// The skinned edits of SkinBoxCtrls: the plain edit, the skinned edit, the
// numeric edit, the spin edit and the track edit.
#include <algorithm>
#include <cmath>

#include "framework/controls/win/Forms.h"
#include "framework/controls/win/Messages.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinClock_Win.h"
#include "skin/controls/win/SkinMenuHooks.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

bool HasArea(const TRect& R) { return !IsNullRect(R); }

// The hover poll of the skinned edit (timer 1 of the edit on the skin clock).
constexpr Cardinal EditHoverTimer = 1;
constexpr Cardinal EditHoverInterval = 100;
// The track edit's fade-in steps.
constexpr Cardinal TrackFadeTimer = 2;
constexpr Cardinal TrackFadeInterval = 5;

// The built-in look of a small button by its state (pressed, hot, normal).
void DrawEditButtonFace(TCanvas* C, const TRect& R, bool Pressed, bool Hot, bool Framed)
{
    C->Brush()->SetColor(Pressed ? TColor(0xB59385) : Hot ? TColor(0xD2BDB6) : clBtnFace);
    C->FillRect(R);
    if (!Framed && !Pressed && !Hot) return;
    C->Brush()->SetColor(Pressed || Hot ? TColor(0x800000) : clBtnShadow);
    C->FrameRect(R);
}

// Dst mixed towards Behind: Kf of Behind's colour.
void MixTowards(TsfBitmap* Dst, const TsfBitmap* Behind, Integer BX, Integer BY, double Kf)
{
    if (!Behind || Dst->Empty()) return;
    for (Integer Y = 0; Y < Dst->Height(); ++Y)
        for (Integer X = 0; X < Dst->Width(); ++X) {
            const Integer SX = X + BX, SY = Y + BY;
            if (SX < 0 || SY < 0 || SX >= Behind->Width() || SY >= Behind->Height()) continue;
            auto* D = reinterpret_cast<uint8_t*>(Dst->PixelAddress(X, Y));
            const auto* S = reinterpret_cast<const uint8_t*>(Behind->PixelAddress(SX, SY));
            for (int I = 0; I < 3; ++I) D[I] = uint8_t(std::lround(D[I] + (S[I] - D[I]) * Kf));
        }
}

String ResStr(TsfResourceStrData* Table, const char16_t* Key, const char16_t* English)
{
    return Table ? Table->GetResStr(Key) : String(English);
}

}  // namespace

Char SkinDecimalSeparator()
{
    wchar_t Buf[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Buf, 8) > 0 && Buf[0]) return Char(Buf[0]);
    return u'.';
}

// ---------------------------------------------------------------------------
// The plain edit

TsfCustomEdit::TsfCustomEdit(TComponent* AOwner) : inherited(AOwner)
{
    SetControlStyle(ControlStyle() | csOpaque);
}

TsfCustomEdit::~TsfCustomEdit() { FreeSysPopupMenu(); }

void TsfCustomEdit::SetEditTransparent(bool Value)
{
    if (FEditTransparent == Value) return;
    FEditTransparent = Value;
    RecreateWnd();
}

TPopupMenu* TsfCustomEdit::SysPopupMenu() const { return FSysPopupMenu ? FSysPopupMenu->Menu() : nullptr; }

void TsfCustomEdit::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style &= ~DWORD(WS_BORDER);
    Params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    if (FEditTransparent) Params.ExStyle |= WS_EX_TRANSPARENT;
    // A multi-line window takes a formatting rectangle (the images need one).
    if (PasswordChar())
        Params.Style |= ES_PASSWORD;
    else
        Params.Style |= ES_MULTILINE;
}

void TsfCustomEdit::Invalidate()
{
    if (!FEditTransparent || !HandleAllocated()) {
        inherited::Invalidate();
        return;
    }
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TsfCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFONT:
        inherited::Dispatch(Message);
        SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(2, 0));
        return;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        if (FEditReadOnly) {
            Message.Result = 0;
            return;
        }
        inherited::Dispatch(Message);
        if (FEditTransparent) Invalidate();
        return;
    case WM_SKINMENUCOMMAND:
        FreeSysPopupMenu();
        return;
    }
    inherited::Dispatch(Message);
}

void TsfCustomEdit::Change()
{
    if (FEditTransparent && !Designing()) Invalidate();
    inherited::Change();
}

void TsfCustomEdit::WMChar(TWMKey& Message)
{
    const Char Key = Char(Message.CharCode());
    if (Key == 27 || Key == 13) {
        // Never typed: the form's default and cancel buttons get them.
        Char Copy = Key;
        if (OnKeyPress) OnKeyPress(this, Copy);
        if (TCustomForm* Form = GetParentForm(this)) Form->Perform(CM_DIALOGKEY, Key, Message.LParam);
        return;
    }
    if (!AcceptChar(Key)) return;
    inherited::WMChar(Message);
}

void TsfCustomEdit::WMKeyDown(TWMKey& Message)
{
    if (FEditReadOnly && Message.CharCode() == VK_DELETE) return;
    inherited::WMKeyDown(Message);
    if (FEditTransparent) Invalidate();
}

void TsfCustomEdit::WMGetDlgCode(TMessage& Message)
{
    inherited::WMGetDlgCode(Message);
    // The multi-line window would keep Tab; it moves the focus as in any edit.
    Message.Result &= ~LRESULT(DLGC_WANTTAB);
}

void TsfCustomEdit::WMEraseBkgnd(TMessage& Message)
{
    if (!FEditTransparent || Designing()) {
        inherited::WMEraseBkgnd(Message);
        return;
    }
    // What the parent shows here, so the text is drawn over a fresh background.
    const TRect R = ClientRect();
    if (R.Width() > 0 && R.Height() > 0) {
        TsfBitmap B;
        B.SetSize(R.Width(), R.Height());
        DrawParentBackground(this, B.Canvas());
        B.Draw(reinterpret_cast<HDC>(Message.WParam), 0, 0);
    }
    Message.Result = 1;
}

void TsfCustomEdit::WMSetFocus(TMessage& Message)
{
    inherited::WMSetFocus(Message);
    if (AutoSelect()) SelectAll();
    if (FEditTransparent) Invalidate();
}

void TsfCustomEdit::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    if (FEditTransparent) Invalidate();
}

void TsfCustomEdit::WMLButtonDown(TWMMouse& Message)
{
    FDown = true;
    inherited::WMLButtonDown(Message);
    if (FEditTransparent) Invalidate();
}

void TsfCustomEdit::WMLButtonUp(TWMMouse& Message)
{
    FDown = false;
    inherited::WMLButtonUp(Message);
}

void TsfCustomEdit::WMMouseMove(TWMMouse& Message)
{
    inherited::WMMouseMove(Message);
    if (FDown && FEditTransparent) Invalidate();
}

void TsfCustomEdit::WMMove(TMessage& Message)
{
    inherited::WMMove(Message);
    if (FEditTransparent) Invalidate();
}

void TsfCustomEdit::WMSetText(TMessage& Message)
{
    inherited::WMSetText(Message);
    if (FEditTransparent) Invalidate();
}

void TsfCustomEdit::TransparentColor(TMessage& Message)
{
    const HDC DC = reinterpret_cast<HDC>(Message.WParam);
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(Font()->Color()));
    Message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void TsfCustomEdit::CNCtlColorEdit(TMessage& Message)
{
    if (FEditTransparent && !Designing())
        TransparentColor(Message);
    else
        inherited::CNCtlColorEdit(Message);
}

void TsfCustomEdit::CNCtlColorStatic(TMessage& Message)
{
    if (FEditTransparent && !Designing())
        TransparentColor(Message);
    else
        inherited::CNCtlColorStatic(Message);
}

void TsfCustomEdit::CMCancelMode(TMessage& Message)
{
    inherited::CMCancelMode(Message);
    if (OnEditCancelMode) OnEditCancelMode(this, reinterpret_cast<TControl*>(Message.LParam));
}

void TsfCustomEdit::WMContextMenu(TMessage& Message)
{
    if (PopupMenu()) {
        inherited::WMContextMenu(Message);
        return;
    }
    CreateSysPopupMenu();
    if (!FSysPopupMenu) return;
    Integer X = short(LOWORD(Message.LParam)), Y = short(HIWORD(Message.LParam));
    if (X < 0 || Y < 0) {
        // From the keyboard: at the control's centre.
        const TPoint P = ClientToScreen({0, 0});
        X = P.X + Width() / 2;
        Y = P.Y + Height() / 2;
    }
    FSysPopupMenu->Popup2(this, X, Y);
}

void TsfCustomEdit::FreeSysPopupMenu()
{
    if (!FSysPopupMenu) return;
    TsfSkinPopupMenuLink* M = FSysPopupMenu;
    FSysPopupMenu = nullptr;
    delete M->Menu();
}

void TsfCustomEdit::CreateSysPopupMenu()
{
    FreeSysPopupMenu();
    TsfSkinMenuServices* Services = SkinMenuServices();
    if (!Services) return;
    FSysPopupMenu = Services->CreateSkinPopupMenu(this);
    if (!FSysPopupMenu) return;
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form->FormStyle() == fsMDIChild && Application) Form = Application->MainForm();
    FSysPopupMenu->SetComponentForm(Form);
    TsfResourceStrData* Table = nullptr;
    if (TsfSkinFormLink* SF = Form ? Services->GetSkinForm(GetParentForm(this)) : nullptr)
        if (TsfSkinData* SD = SF->SkinData()) Table = SD->ResourceStrData();

    const Integer TextLength = Integer(Text().size());
    const TsfEditMenuState S = SkinEditMenuState(CanUndo(), SelStart(), SelLength(), TextLength, FEditReadOnly,
                                                 IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE);
    TPopupMenu* Menu = FSysPopupMenu->Menu();
    auto Add = [&](const String& Caption, bool Enabled, std::function<void()> Action) {
        auto* Item = new TMenuItem(Menu);
        Item->SetCaption(Caption);
        if (Caption != u"-") {
            Item->SetEnabled(Enabled);
            Item->OnClick = [Action](TObject*) { Action(); };
        }
        Menu->Items()->Add(Item);
    };
    Add(ResStr(Table, u"EDIT_UNDO", u"Undo"), S.Undo, [this] { Undo(); });
    Add(u"-", true, nullptr);
    Add(ResStr(Table, u"EDIT_CUT", u"Cut"), S.Cut, [this] { CutToClipboard(); });
    Add(ResStr(Table, u"EDIT_COPY", u"Copy"), S.Copy, [this] { CopyToClipboard(); });
    Add(ResStr(Table, u"EDIT_PASTE", u"Paste"), S.Paste, [this] { PasteFromClipboard(); });
    Add(ResStr(Table, u"EDIT_DELETE", u"Delete"), S.Delete, [this] { ClearSelection(); });
    Add(u"-", true, nullptr);
    Add(ResStr(Table, u"EDIT_SELECTALL", u"Select All"), S.SelectAll, [this] { SelectAll(); });
}

// ---------------------------------------------------------------------------
// The skinned edit

TsfSkinCustomEdit::TsfSkinCustomEdit(TComponent* AOwner) : inherited(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    EnsureSkinWindowClock();
    SetBorderStyle(bsNone);
    FEditTransparent = true;
    Font()->SetName(u"Arial");
    Font()->SetStyle(0);
    Font()->SetHeight(14);
    Font()->SetColor(clBlack);
    FDefaultFont->Assign(Font());
    FDefaultFont->OnChange = [this](TObject* Sender) { DefaultFontChange(Sender); };
    SetBounds(Left(), Top(), Width(), 20);
}

TsfSkinCustomEdit::~TsfSkinCustomEdit() { SkinClock()->StopTimers(this); }

void TsfSkinCustomEdit::DefaultFontChange(TObject*)
{
    if (FIndex == -1) Font()->Assign(FDefaultFont.get());
}

void TsfSkinCustomEdit::SetSkinData(TsfSkinData* Value)
{
    if (FSD) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD) FSD->FreeNotification(this);
    if (FSD && !FSD->Empty && !Designing()) ChangeSkinData();
}

void TsfSkinCustomEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSD) FSD = nullptr;
    if (AComponent == FImages) FImages = nullptr;
}

void TsfSkinCustomEdit::Loaded()
{
    inherited::Loaded();
    SetSkinCharset(Font(), FSD);
}

void TsfSkinCustomEdit::SetButtonMode(bool Value)
{
    if (FButtonMode == Value) return;
    FButtonMode = Value;
    if (Designing() && !(ComponentState() & csLoading)) FSkinDataName = Value ? u"buttonedit" : u"edit";
    RecreateWnd();
}

void TsfSkinCustomEdit::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    GetSkinData();
    if (FIndex == -1) Invalidate();
}

void TsfSkinCustomEdit::SetDefaultWidth(Integer Value)
{
    FDefaultWidth = Value;
    GetSkinData();
    if (FIndex == -1 && Value > 0) SetWidth(Value);
}

void TsfSkinCustomEdit::SetDefaultHeight(Integer Value)
{
    FDefaultHeight = Value;
    GetSkinData();
    if (FIndex == -1 && Value > 0 && FUseSkinFont)
        SetHeight(Value);
    else
        AdjustHeight();
}

void TsfSkinCustomEdit::SetAlphaBlend(bool Value)
{
    if (FAlphaBlend == Value) return;
    FAlphaBlend = Value;
    RedrawFrame();
    Invalidate();
}

void TsfSkinCustomEdit::SetAlphaBlendValue(Byte Value)
{
    FAlphaBlendValue = Value;
    if (!FAlphaBlend) return;
    RedrawFrame();
    Invalidate();
}

void TsfSkinCustomEdit::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    CalcImageRects(true);
    GetSkinData();
    if (!(FIndex != -1 && FUseSkinFont)) AdjustHeight();
}

void TsfSkinCustomEdit::SetButtonImageIndex(Integer Value)
{
    if (FButtonImageIndex == Value) return;
    FButtonImageIndex = Value;
    RedrawFrame();
}

void TsfSkinCustomEdit::SetLeftImageIndex(Integer Value)
{
    FLeftImageIndex = Value;
    CalcImageRects(true);
}

void TsfSkinCustomEdit::SetRightImageIndex(Integer Value)
{
    FRightImageIndex = Value;
    CalcImageRects(true);
}

void TsfSkinCustomEdit::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    // The frame paints itself and the background is painted from the erase.
    Params.ExStyle &= ~DWORD(WS_EX_TRANSPARENT);
    Params.Style &= ~DWORD(WS_BORDER);
}

void TsfSkinCustomEdit::GetSkinData()
{
    FIndex = !FSD || FSD->Empty ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) return;
    auto* D = dynamic_cast<TsfDataSkinEditControl*>(FSD->CtrlList[FIndex].get());
    if (!D) {
        // Another kind of description under the name: the built-in look.
        FIndex = -1;
        return;
    }
    Picture = FSD->ActiveBitmap(D->PictureIndex);
    FGeometry.SkinRect = D->SkinRect;
    FGeometry.ClRect = D->ClRect;
    FGeometry.ButtonRect = D->ButtonRect;
    FGeometry.RTPoint = D->RTPoint;
    ActiveSkinRect = HasArea(D->ActiveSkinRect) ? D->ActiveSkinRect : D->SkinRect;
    LOffset = D->LTPoint.X;
    ROffset = D->SkinRect.Width() - D->RTPoint.X;
    FontName = D->FontName;
    FontStyle = D->FontStyle;
    FontHeight = D->FontHeight;
    FontColor = D->FontColor;
    DisabledFontColor = D->DisabledFontColor;
    ActiveFontColor = D->ActiveFontColor;
    ActiveButtonRect = D->ActiveButtonRect;
    DownButtonRect = HasArea(D->DownButtonRect) ? D->DownButtonRect : D->ActiveButtonRect;
    UnEnabledButtonRect = D->UnEnabledButtonRect;
    StretchEffect = D->StretchEffect;
}

bool TsfSkinCustomEdit::Focused_() const
{
    auto* Self = const_cast<TsfSkinCustomEdit*>(this);
    return Self->HandleAllocated() && GetFocus() == Self->Handle();
}

TColor TsfSkinCustomEdit::CurrentFontColor()
{
    if (!Enabled()) return FIndex == -1 ? clGrayText : DisabledFontColor;
    if (FIndex == -1) return FDefaultFont->Color();
    return Focused_() ? ActiveFontColor : FontColor;
}

void TsfSkinCustomEdit::ChangeSkinData()
{
    GetSkinData();
    if (FIndex == -1) {
        Font()->Assign(FDefaultFont.get());
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    } else if (FUseSkinFont) {
        Font()->SetName(FontName);
        Font()->SetStyle(FontStyle);
        Font()->SetHeight(FontHeight);
        SetHeight(FGeometry.SkinRect.Height());
    } else {
        Font()->Assign(FDefaultFont.get());
    }
    if (FSD && FSD->ResourceStrData())
        SetSkinCharset(Font(), FSD);
    else
        Font()->SetCharset(FDefaultFont->Charset());
    RecreateWnd();
    Font()->SetColor(CurrentFontColor());
    if (!FUseSkinFont) AdjustHeight();
    if (FImages) CalcImageRects(true);
    RedrawFrame();
    Invalidate();
}

void TsfSkinCustomEdit::CMEnabledChanged(TMessage& Message)
{
    inherited::CMEnabledChanged(Message);
    GetSkinData();
    Font()->SetColor(!Enabled() ? (FIndex == -1 ? clGrayText : DisabledFontColor)
                     : FIndex == -1 ? FDefaultFont->Color()
                                    : FontColor);
    RedrawFrame();
    Invalidate();
}

void TsfSkinCustomEdit::RedrawFrame()
{
    if (Parent() && HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
}

void TsfSkinCustomEdit::Invalidate()
{
    if (!Parent() || !HandleAllocated()) return;
    FStopDraw = false;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void TsfSkinCustomEdit::CalcEditRect()
{
    SkinEditRects(Width(), Height(), FButtonMode, FUseSkinFont, Geometry(), FEditRect, FButtonRect);
}

Integer TsfSkinCustomEdit::CalcEditHeight()
{
    TBitmap Probe;
    Probe.Canvas()->Font()->Assign(Font());
    TEXTMETRICW TM{};
    GetTextMetricsW(Probe.Canvas()->Handle(), &TM);
    const Integer ImageH = FImages ? FImages->Height() : 0;
    GetSkinData();
    return SkinEditHeight(TM.tmHeight, ImageH, Geometry());
}

void TsfSkinCustomEdit::AdjustHeight() { SetHeight(CalcEditHeight()); }

void TsfSkinCustomEdit::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    GetSkinData();
    const bool Sized = AWidth != Width() || AHeight != Height();
    if (FIndex == -1 && Align() != alClient && Align() != alLeft && Align() != alRight)
        AHeight = CalcEditHeight();
    else if (Sized && !(FIndex == -1 && FUseSkinFont))
        AHeight = !FUseSkinFont ? CalcEditHeight() : FGeometry.SkinRect.Height();
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    Invalidate();
    RedrawFrame();
}

void TsfSkinCustomEdit::WMSize(TMessage& Message)
{
    inherited::WMSize(Message);
    CalcImageRects(true);
    RedrawFrame();
}

void TsfSkinCustomEdit::CMFontChanged(TMessage& Message)
{
    inherited::CMFontChanged(Message);
    if (FUseSkinFont || (Designing() && (ComponentState() & csLoading))) return;
    AdjustHeight();
    if (FIndex == -1) RecreateWnd();
}

void TsfSkinCustomEdit::CalcImageRects(bool SetRect)
{
    if (!FImages || !HandleAllocated()) return;
    TRect TextR;
    SkinEditImageRects(ClientRect(), FImages->Width(), FLeftImageIndex >= 0, FRightImageIndex >= 0, LeftButton.R,
                       RightButton.R, TextR);
    if (SetRect) {
        RECT R{TextR.Left, TextR.Top, TextR.Right, TextR.Bottom};
        SendMessageW(Handle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&R));
    }
}

void TsfSkinCustomEdit::WMNCCalcSize(TMessage& Message)
{
    GetSkinData();
    auto* R = reinterpret_cast<RECT*>(Message.LParam);
    const Integer H = R->bottom - R->top;
    const TRect In = SkinEditInsets(H, FButtonMode, Geometry());
    R->left += In.Left;
    R->top += In.Top;
    R->right -= In.Right;
    R->bottom -= In.Bottom;
    if (R->right < R->left) R->right = R->left;
    if (R->bottom < R->top) R->bottom = R->top;
    Message.Result = 0;
}

void TsfSkinCustomEdit::DrawButtonImage(TsfBitmap* B)
{
    if (!FImages || FButtonImageIndex < 0 || FButtonImageIndex >= FImages->Count()) return;
    const Integer X = FButtonRect.Left + (FButtonRect.Width() - FImages->Width()) / 2;
    const Integer Y = FButtonRect.Top + (FButtonRect.Height() - FImages->Height()) / 2;
    FImages->Draw(B->Canvas(), X, Y, FButtonImageIndex, Enabled());
}

void TsfSkinCustomEdit::DrawResizeButton(TsfBitmap* B)
{
    const Integer W = FButtonRect.Width(), H = FButtonRect.Height();
    if (W <= 0 || H <= 0) return;
    TsfDataSkinButtonControl* D = nullptr;
    for (const char16_t* Name : {u"editbutton", u"combobutton", u"resizebutton"}) {
        const Integer I = FSD->GetControlIndex(Name);
        if (I != -1 && (D = dynamic_cast<TsfDataSkinButtonControl*>(FSD->CtrlList[I].get()))) break;
    }
    TsfBitmap* P = D ? FSD->ActiveBitmap(D->PictureIndex) : nullptr;
    if (!D || !P) return;
    TsfBitmap Face;
    Face.SetSize(W, H);
    const TRect Active = HasArea(D->ActiveSkinRect) ? D->ActiveSkinRect : D->SkinRect;
    const TRect Down = HasArea(D->DownSkinRect) ? D->DownSkinRect : Active;
    CreateDescriptionImage(&Face, P, *D, FButtonDown && FButtonActive ? Down : FButtonActive ? Active : D->SkinRect);
    Face.Draw(B, FButtonRect.Left, FButtonRect.Top);
}

void TsfSkinCustomEdit::DrawFrame(TsfBitmap* B)
{
    const Integer W = Width(), H = Height();
    const bool Hot = FMouseIn || Focused_();
    if (FIndex == -1 || !Picture) {
        TCanvas* C = B->Canvas();
        const Integer BW = FButtonMode ? FButtonRect.Width() : 0;
        C->Brush()->SetColor(FDefaultColor);
        C->FillRect({0, 0, W - BW, H});
        C->Brush()->SetColor(clBtnShadow);
        C->FrameRect({0, 0, W - BW, H});
        C->Brush()->SetColor(clBtnFace);
        C->FrameRect({1, 1, W - BW - 1, H - 1});
        if (FButtonMode) {
            DrawEditButtonFace(C, FButtonRect, FButtonDown && FButtonActive, FButtonActive, true);
            DrawButtonImage(B);
        }
        return;
    }
    if (FUseSkinFont) {
        TsfBitmap Strip;
        CreateHSkinImage(LOffset, ROffset, &Strip, Picture, Hot ? ActiveSkinRect : FGeometry.SkinRect, W, H,
                         StretchEffect);
        Strip.Draw(B, 0, 0);
        if (FButtonMode) {
            TRect Src;
            if (!Enabled() && HasArea(UnEnabledButtonRect))
                Src = UnEnabledButtonRect;
            else if (FButtonDown && FButtonActive)
                Src = DownButtonRect;
            else if (FButtonActive)
                Src = ActiveButtonRect;
            if (HasArea(Src)) SkinCopyRect(B, FButtonRect, Picture, Src);
            DrawButtonImage(B);
        }
        return;
    }
    // A height of its own: the frame stretched, the button resized.
    CreateStretchImage(B, Picture, Hot ? ActiveSkinRect : FGeometry.SkinRect, FGeometry.ClRect, false);
    if (FButtonMode) {
        DrawResizeButton(B);
        DrawButtonImage(B);
    }
}

void TsfSkinCustomEdit::PaintFrame(HDC DC, bool ExcludeEdit)
{
    GetSkinData();
    CalcEditRect();
    const Integer W = Width(), H = Height();
    if (W <= 0 || H <= 0) return;
    TsfBitmap B;
    B.SetSize(W, H);
    if (FAlphaBlend) {
        ParentImage = std::make_unique<TsfBitmap>();
        ParentImage->SetSize(W, H);
        DrawParentBackground(this, ParentImage->Canvas());
    }
    DrawFrame(&B);
    if (FAlphaBlend) MixTowards(&B, ParentImage.get(), 0, 0, 1.0 - FAlphaBlendValue / 255.0);
    TSavedDC Saved(DC);
    if (ExcludeEdit) ExcludeClipRect(DC, FEditRect.Left, FEditRect.Top, FEditRect.Right, FEditRect.Bottom);
    B.Draw(DC, 0, 0);
}

void TsfSkinCustomEdit::WMNCPaint(TMessage& Message)
{
    (void)Message;
    if (!HandleAllocated()) return;
    TWindowDC DC(Handle());
    PaintFrame(DC, true);
    ParentImage.reset();
}

void TsfSkinCustomEdit::PaintClient(HDC DC)
{
    CalcEditRect();
    const Integer W = FEditRect.Width(), H = FEditRect.Height();
    if (W <= 0 || H <= 0) return;
    TsfBitmap B;
    B.SetSize(W, H);
    if (FIndex == -1 || !Picture) {
        B.Canvas()->Brush()->SetColor(FDefaultColor);
        B.Canvas()->FillRect({0, 0, W, H});
    } else {
        const TRect& Cl = FGeometry.ClRect;
        TRect Src = FMouseIn || Focused_() ? ActiveSkinRect : FGeometry.SkinRect;
        Src = {Src.Left + Cl.Left, Src.Top + Cl.Top, Src.Left + Cl.Right, Src.Top + Cl.Bottom};
        TsfBitmap Strip;
        CreateHSkinImage(std::max(0, LOffset - Cl.Left), std::max(0, Cl.Right + ROffset - FGeometry.SkinRect.Width()),
                         &Strip, Picture, Src, W, Cl.Height(), StretchEffect);
        if (FUseSkinFont)
            Strip.Draw(&B, 0, 0);
        else
            Strip.Draw(&B, TRect{0, 0, W, H});
    }
    if (FAlphaBlend) {
        TsfBitmap Behind;
        Behind.SetSize(Width(), Height());
        DrawParentBackground(this, Behind.Canvas());
        MixTowards(&B, &Behind, FEditRect.Left, FEditRect.Top, 1.0 - FAlphaBlendValue / 255.0);
    }
    B.Draw(DC, 0, 0);
}

void TsfSkinCustomEdit::DrawImages(HDC DC)
{
    if (!FImages) return;
    TCanvas C;
    C.SetHandle(DC);
    auto Draw = [&](const TsfCBButtonX& Area, Integer Normal, Integer Hot, Integer Down) {
        if (Normal < 0 || Normal >= FImages->Count() || !HasArea(Area.R)) return;
        Integer I = Normal;
        if (Area.Down && Area.MouseIn && Down >= 0 && Down < FImages->Count())
            I = Down;
        else if (Area.MouseIn && Hot >= 0 && Hot < FImages->Count())
            I = Hot;
        const Integer Y = std::max(Area.R.Top, Area.R.Top + (Area.R.Height() - FImages->Height()) / 2);
        FImages->Draw(&C, Area.R.Left, Y, I, Enabled());
    };
    Draw(LeftButton, FLeftImageIndex, LeftImageHotIndex, LeftImageDownIndex);
    Draw(RightButton, FRightImageIndex, RightImageHotIndex, RightImageDownIndex);
    C.SetHandle(nullptr);
}

void TsfSkinCustomEdit::DrawDisabledText(HDC DC)
{
    CalcEditRect();
    TCanvas C;
    C.SetHandle(DC);
    C.Font()->Assign(Font());
    C.Font()->SetColor(CurrentFontColor());
    const TRect R{0, 0, FEditRect.Width(), FEditRect.Height()};
    const String T = PasswordChar() ? String(Text().size(), PasswordChar()) : Text();
    const Integer TW = C.TextWidth(T);
    const TAlignment A = Alignment();
    const Integer X = A == taRightJustify ? R.Right - TW - 1 : A == taCenter ? R.Width() / 2 - TW / 2 : 2;
    C.Brush()->SetStyle(bsClear);
    C.TextRect(R, X, 0, T);
    C.SetHandle(nullptr);
}

void TsfSkinCustomEdit::WMEraseBkgnd(TMessage& Message)
{
    if (Designing()) {
        inherited::WMEraseBkgnd(Message);
        return;
    }
    const HDC DC = reinterpret_cast<HDC>(Message.WParam);
    GetSkinData();
    PaintClient(DC);
    DrawImages(DC);
    // The text over the fresh background in the same pass; the paint that
    // follows only validates.
    FFromWMErase = true;
    SendMessageW(Handle(), WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    FStopDraw = true;
    FFromWMErase = false;
    if (Focused_()) ShowCaret(Handle());
    Message.Result = 1;
}

void TsfSkinCustomEdit::WMPaint(TWMPaint& Message)
{
    if (Designing()) {
        inherited::WMPaint(Message);
        return;
    }
    if (FStopDraw || !FFromWMErase) {
        PAINTSTRUCT PS;
        BeginPaint(Handle(), &PS);
        EndPaint(Handle(), &PS);
        FStopDraw = false;
        return;
    }
    if (Enabled()) {
        FStopDraw = true;
        DefaultHandler(Message);
        FStopDraw = false;
    } else {
        DrawDisabledText(reinterpret_cast<HDC>(Message.WParam));
    }
}

void TsfSkinCustomEdit::DoMouseEnter()
{
    FMouseIn = true;
    if (!Focused_() && FIndex != -1) Font()->SetColor(ActiveFontColor);
    if (FImages) CalcImageRects(true);
    RedrawFrame();
    Invalidate();
    if (OnMouseEnter) OnMouseEnter(this);
    if (NeedMouseTimer()) SkinClock()->StartTimer(this, EditHoverTimer, EditHoverInterval, [this] { HoverTimer(); });
}

void TsfSkinCustomEdit::DoMouseLeave()
{
    FMouseIn = false;
    if (!Focused_() && FIndex != -1) Font()->SetColor(FontColor);
    if (FImages) CalcImageRects(true);
    RedrawFrame();
    Invalidate();
    if (FButtonDown || FButtonActive) {
        FButtonDown = FButtonActive = false;
        RedrawFrame();
    }
    LeftButton.MouseIn = RightButton.MouseIn = false;
    if (OnMouseLeave) OnMouseLeave(this);
}

bool TsfSkinCustomEdit::NeedMouseTimer() const
{
    if (FButtonMode || FImages) return true;
    return FIndex != -1 && (ActiveSkinRect != FGeometry.SkinRect || ActiveFontColor != FontColor);
}

void TsfSkinCustomEdit::HoverTimer()
{
    POINT P;
    GetCursorPos(&P);
    if (HandleAllocated() && WindowFromPoint(P) == Handle()) return;
    SkinClock()->StopTimer(this, EditHoverTimer);
    DoMouseLeave();
}

void TsfSkinCustomEdit::WMNCHitTest(TMessage& Message)
{
    if (Designing()) {
        inherited::WMNCHitTest(Message);
        return;
    }
    if (!FMouseIn) DoMouseEnter();
    GetSkinData();
    CalcEditRect();
    POINT P{short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))};
    if (HandleAllocated()) ::ScreenToClient(Handle(), &P);
    if (FImages) {
        const bool InLeft = FLeftImageIndex >= 0 && PtInRectX(LeftButton.R, P.x, P.y);
        const bool InRight = FRightImageIndex >= 0 && PtInRectX(RightButton.R, P.x, P.y);
        if (InLeft != LeftButton.MouseIn || InRight != RightButton.MouseIn) {
            LeftButton.MouseIn = InLeft;
            RightButton.MouseIn = InRight;
            Invalidate();
        }
        if (InLeft || InRight) {
            Message.Result = InLeft ? 104 : 105;
            return;
        }
    }
    if (FButtonMode) {
        const TPoint Off = FIndex == -1 ? TPoint{2, 2} : TPoint{FGeometry.ClRect.Left, FGeometry.ClRect.Top};
        const Integer X = P.x + Off.X, Y = P.y + Off.Y;
        if (PtInRectX(FButtonRect, X, Y)) {
            Message.Result = HTHSCROLL;
            return;
        }
        if (!PtInRectX(FEditRect, X, Y)) {
            Message.Result = HTVSCROLL;
            return;
        }
    }
    inherited::WMNCHitTest(Message);
}

void TsfSkinCustomEdit::WMNCLButtonDown(TWMMouse& Message)
{
    const WPARAM Hit = Message.WParam;
    if (Hit == 104 || Hit == 105) {
        (Hit == 104 ? LeftButton : RightButton).Down = true;
        SetFocus();
        Invalidate();
        return;
    }
    if (Hit == HTHSCROLL) {
        FButtonDown = true;
        RedrawFrame();
        return;
    }
    if (Hit == HTVSCROLL) return;
    inherited::WMNCLButtonDown(Message);
}

void TsfSkinCustomEdit::WMNCLButtonDblClk(TWMMouse& Message) { WMNCLButtonDown(Message); }

void TsfSkinCustomEdit::WMNCLButtonUp(TWMMouse& Message)
{
    const WPARAM Hit = Message.WParam;
    if (Hit == 104 && LeftButton.Down) {
        LeftButton.Down = false;
        Invalidate();
        if (OnLeftButtonClick) OnLeftButtonClick(this);
        return;
    }
    if (Hit == 105 && RightButton.Down) {
        RightButton.Down = false;
        Invalidate();
        if (OnRightButtonClick) OnRightButtonClick(this);
        return;
    }
    if (Hit == HTHSCROLL) {
        const bool WasDown = FButtonDown;
        FButtonDown = false;
        RedrawFrame();
        if (!WasDown) return;
        if (CanFocus()) SetFocus();
        if (OnButtonClick) OnButtonClick(this);
        return;
    }
    LeftButton.Down = RightButton.Down = false;
    FButtonDown = false;
    inherited::WMNCLButtonUp(Message);
}

void TsfSkinCustomEdit::WMNCMouseMove(TWMMouse& Message)
{
    if (FButtonMode && Message.WParam == HTHSCROLL) {
        if (!FButtonActive) {
            FButtonActive = true;
            RedrawFrame();
            Invalidate();
        }
        return;
    }
    if (FButtonActive) {
        FButtonActive = false;
        RedrawFrame();
    }
    inherited::WMNCMouseMove(Message);
}

void TsfSkinCustomEdit::WMMouseMove(TWMMouse& Message)
{
    if (FButtonActive) {
        FButtonActive = false;
        RedrawFrame();
    }
    inherited::WMMouseMove(Message);
}

void TsfSkinCustomEdit::WMSetFocus(TMessage& Message)
{
    inherited::WMSetFocus(Message);
    RedrawFrame();
    Invalidate();
    if (!FMouseIn && FIndex != -1) Font()->SetColor(ActiveFontColor);
    if (FImages) CalcImageRects(true);
}

void TsfSkinCustomEdit::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    RedrawFrame();
    Invalidate();
    if (!FMouseIn && FIndex != -1) Font()->SetColor(FontColor);
    if (FImages) CalcImageRects(true);
}

void TsfSkinCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINTFRAMEINTO:
        PaintFrame(reinterpret_cast<HDC>(Message.WParam), false);
        ParentImage.reset();
        Message.Result = PaintFrameIntoAnswer;
        return;
    case WM_PAINTFRAMEINTO2:
        if (Message.LParam == PaintIntoKey) {
            PaintFrame(reinterpret_cast<HDC>(Message.WParam), true);
            ParentImage.reset();
            Message.Result = PaintIntoKey;
            return;
        }
        break;
    case WM_DESTROY:
        SkinClock()->StopTimer(this, EditHoverTimer);
        FMouseIn = false;
        break;
    }
    inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// The numeric edit

TsfSkinNumericEdit::TsfSkinNumericEdit(TComponent* AOwner) : inherited(AOwner)
{
    StopCheck = true;
    SetText(u"0");
    StopCheck = false;
    SetBounds(Left(), Top(), 120, 20);
}

String TsfSkinNumericEdit::Format(double V) const
{
    return SkinFormatValue(V, FValueType, FDecimal, SkinDecimalSeparator());
}

bool TsfSkinNumericEdit::IsNumText(const String& AText) const
{
    return SkinIsNumText(AText, FValueType == vtFloat, SkinDecimalSeparator());
}

void TsfSkinNumericEdit::SetValue(double X)
{
    FValue = SkinClampValue(X, FMinValue, FMaxValue);
    const bool Was = StopCheck;
    StopCheck = true;
    SetText(Format(FValue));
    StopCheck = Was;
}

void TsfSkinNumericEdit::Change()
{
    if (FromEdit) return;
    const String T = Text();
    double V = 0;
    // A text that passes the check but holds no number ("-.") changes nothing.
    if (!StopCheck && IsNumText(T) && SkinTextToValue(T, FValueType == vtFloat, SkinDecimalSeparator(), V)) {
        const double C = SkinClampValue(V, FMinValue, FMaxValue);
        if (C != FValue) FValue = C;
        if (SkinValueNeedsRewrite(C, V, FMinValue, FMaxValue)) {
            FromEdit = true;
            SetText(Format(FValue));
            SetSelStart(Integer(Text().size()));
            FromEdit = false;
        }
    }
    inherited::Change();
}

void TsfSkinNumericEdit::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    if (!FSupportUpDownKeys) return;
    if (Key == VK_UP)
        SetValue(FValue + FIncrement);
    else if (Key == VK_DOWN)
        SetValue(FValue - FIncrement);
}

void TsfSkinNumericEdit::KeyPress(Char& Key)
{
    if (!SkinNumCharValid(Key, Text(), FValueType == vtFloat, SkinDecimalSeparator(), FEditReadOnly)) {
        Key = 0;
        MessageBeep(0);
    }
    inherited::KeyPress(Key);
}

void TsfSkinNumericEdit::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    StopCheck = true;
    SetText(Format(FValue));
    StopCheck = false;
    if (FValueType != vtFloat) return;
    // The stored value takes the shown rounding.
    double V = FValue;
    if (SkinTextToValue(Text(), true, SkinDecimalSeparator(), V) && V != FValue) {
        FValue = V;
        inherited::Change();
    }
}

// ---------------------------------------------------------------------------
// The spin edit's inner edit

TsfSkinNumEdit::TsfSkinNumEdit(TComponent* AOwner) : inherited(AOwner) {}

bool TsfSkinNumEdit::IsValidChar(Char Key)
{
    return SkinNumCharValid(Key, Text(), Float, SkinDecimalSeparator(), !FEditorEnabled);
}

void TsfSkinNumEdit::KeyPress(Char& Key)
{
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    if (Key != 0) inherited::KeyPress(Key);
}

void TsfSkinNumEdit::WMKeyDown(TWMKey& Message)
{
    if (Message.CharCode() == VK_UP) {
        if (OnUpClick) OnUpClick(this);
        return;
    }
    if (Message.CharCode() == VK_DOWN) {
        if (OnDownClick) OnDownClick(this);
        return;
    }
    inherited::WMKeyDown(Message);
}

void TsfSkinNumEdit::WMMouseWheel(TMessage& Message)
{
    // The delta's sign, not the whole wParam's (never negative on 64-bit).
    if (SkinWheelStepsUp(uint64_t(Message.WParam))) {
        if (OnUpClick) OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
    Message.Result = 0;
}

void TsfSkinNumEdit::CMMouseEnter(TMessage& Message)
{
    inherited::CMMouseEnter(Message);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TsfSkinNumEdit::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    if (OnMouseLeave) OnMouseLeave(this);
}

// ---------------------------------------------------------------------------
// The spin edit

TsfSkinSpinEdit::TsfSkinSpinEdit(TComponent* AOwner)
    : inherited(AOwner), OnUpButtonClick(FCore.OnUpButtonClick), OnDownButtonClick(FCore.OnDownButtonClick)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks);
    FCore.Sender = this;
    FCore.SpinMode = true;
    FCore.SetVertical(true);
    FCore.OnRepaint = [this] { Invalidate(); };
    FCore.OnStep = [this](Integer D) { Step(D * FIncrement); };
    FEdit = new TsfSkinNumEdit(this);
    FEdit->SetParent(this);
    FEdit->SetColor(FDefaultColor);
    FEdit->Font()->Assign(DefaultFont());
    FEdit->SetVisible(true);
    FEdit->OnChange = [this](TObject* S) { EditChange(S); };
    FEdit->OnUpClick = [this](TObject*) {
        SetValue(FValue + FIncrement);
        if (OnUpButtonClick) OnUpButtonClick(this);
    };
    FEdit->OnDownClick = [this](TObject*) {
        SetValue(FValue - FIncrement);
        if (OnDownButtonClick) OnDownButtonClick(this);
    };
    FEdit->OnMouseEnter = [this](TObject* S) { EditMouseEnter(S); };
    FEdit->OnMouseLeave = [this](TObject* S) { EditMouseLeave(S); };
    FEdit->OnKeyDown = [this](TObject* S, Word& K, TShiftState Sh) { EditKeyDown(S, K, Sh); };
    FEdit->OnKeyUp = [this](TObject* S, Word& K, TShiftState Sh) { EditKeyUp(S, K, Sh); };
    FEdit->OnKeyPress = [this](TObject* S, Char& K) { EditKeyPress(S, K); };
    FEdit->OnEnter = [this](TObject* S) { EditEnter(S); };
    FEdit->OnExit = [this](TObject* S) { EditExit(S); };
    StopCheck = true;
    SetText(u"0");
    StopCheck = false;
    SetBounds(Left(), Top(), 120, 20);
    SetSkinDataName(u"spinedit");
    CalcRects();
}

TsfSkinSpinEdit::~TsfSkinSpinEdit()
{
    delete FEdit;
    FEdit = nullptr;
}

String TsfSkinSpinEdit::Format(double V) const
{
    return SkinFormatValue(V, FValueType, FDecimal, SkinDecimalSeparator());
}

bool TsfSkinSpinEdit::IsNumText(const String& AText) const
{
    const bool F = FValueType == vtFloat;
    const Char Sep = SkinDecimalSeparator();
    // The control's text carries the characters, AText the signs and separators.
    const String T = const_cast<TsfSkinSpinEdit*>(this)->Text();
    if (T.empty() || T == u"-") return false;
    for (Char C : T)
        if (!((C >= u'0' && C <= u'9') || C == u'-' || (F && C == Sep))) return false;
    Integer Minus = 0, Seps = 0;
    for (size_t I = 0; I < AText.size(); ++I) {
        if (AText[I] == u'-' && (I > 0 || ++Minus > 1)) return false;
        if (F && AText[I] == Sep && (I == 0 || ++Seps > 1)) return false;
    }
    return true;
}

void TsfSkinSpinEdit::SetValue(double V)
{
    FValue = SkinClampValue(V, FMinValue, FMaxValue);
    if (StopCheck) {
        FEdit->SetText(Format(FValue));
    } else {
        StopCheck = true;
        SetText(Format(FValue));
        StopCheck = false;
        Change();
    }
    StopCheck = false;
}

void TsfSkinSpinEdit::SimpleSetValue(double V)
{
    FValue = SkinClampValue(V, FMinValue, FMaxValue);
    StopCheck = true;
    SetText(Format(FValue));
    StopCheck = false;
}

void TsfSkinSpinEdit::SetMinValue(double V)
{
    FMinValue = V;
    if (FValue < V) SetValue(V);
}

void TsfSkinSpinEdit::SetMaxValue(double V)
{
    FMaxValue = V;
    if (FValue > V) SetValue(V);
}

void TsfSkinSpinEdit::SetValueType(TsfValueType V)
{
    if (FValueType == V) return;
    FValueType = V;
    if (V == vtInteger) {
        FIncrement = std::nearbyint(FIncrement);
        if (FIncrement == 0) FIncrement = 1;
    }
    FEdit->Float = V == vtFloat;
}

void TsfSkinSpinEdit::SetDefaultColor(TColor V)
{
    FDefaultColor = V;
    if (FIndex == -1) FEdit->SetColor(V);
}

void TsfSkinSpinEdit::Step(double Delta) { SetValue(FValue + Delta); }

void TsfSkinSpinEdit::Change()
{
    StopCheck = true;
    if (OnChange) OnChange(this);
    StopCheck = false;
}

void TsfSkinSpinEdit::EditChange(TObject*)
{
    FromEdit = true;
    SetText(FEdit->Text());
    FromEdit = false;
}

void TsfSkinSpinEdit::CMTextChanged(TMessage& Message)
{
    inherited::CMTextChanged(Message);
    if (!FromEdit) FEdit->SetText(Text());
    const String T = FEdit->Text();
    double V = 0;
    // A text that passes the check but holds no number ("-.") changes nothing.
    if (StopCheck || !IsNumText(T) || !SkinTextToValue(T, FValueType == vtFloat, SkinDecimalSeparator(), V)) return;
    const double NV = SkinClampValue(V, FMinValue, FMaxValue);
    if (NV != FValue) {
        FValue = NV;
        Change();
    }
    if (SkinValueNeedsRewrite(NV, V, FMinValue, FMaxValue)) {
        StopCheck = true;
        FEdit->SetText(Format(NV));
        FEdit->SetSelStart(Integer(FEdit->Text().size()));
        StopCheck = false;
    }
}

void TsfSkinSpinEdit::EditKeyDown(TObject*, Word& Key, TShiftState Shift)
{
    if (OnEditKeyDown) OnEditKeyDown(this, Key, Shift);
}

void TsfSkinSpinEdit::EditKeyUp(TObject*, Word& Key, TShiftState Shift)
{
    if (OnEditKeyUp) OnEditKeyUp(this, Key, Shift);
}

void TsfSkinSpinEdit::EditKeyPress(TObject*, Char& Key)
{
    if (OnEditKeyPress) OnEditKeyPress(this, Key);
}

bool TsfSkinSpinEdit::HasActivePicture() const { return FIndex != -1 && FHasSkin && HasArea(ActiveSkinRect); }

void TsfSkinSpinEdit::EditEnter(TObject*)
{
    if (OnEditEnter) OnEditEnter(this);
    FEditFocused = true;
    if (HasActivePicture()) Invalidate();
    if (FIndex != -1 && ActiveFontColor != FontColor) FEdit->Font()->SetColor(ActiveFontColor);
}

void TsfSkinSpinEdit::EditExit(TObject*)
{
    if (OnEditExit) OnEditExit(this);
    FEditFocused = false;
    if (HasActivePicture()) Invalidate();
    if (FIndex != -1 && ActiveFontColor != FontColor && !FMouseIn) FEdit->Font()->SetColor(FontColor);
    StopCheck = true;
    FEdit->SetText(Format(FValue));
    StopCheck = false;
}

void TsfSkinSpinEdit::EditMouseEnter(TObject*)
{
    FMouseIn = true;
    if (HasActivePicture() && !FEditFocused) Invalidate();
    if (FIndex != -1 && ActiveFontColor != FontColor && !FEditFocused) FEdit->Font()->SetColor(ActiveFontColor);
}

void TsfSkinSpinEdit::EditMouseLeave(TObject*)
{
    FMouseIn = false;
    if (HasActivePicture() && !FEditFocused) Invalidate();
    if (FIndex != -1 && ActiveFontColor != FontColor && !FEditFocused) FEdit->Font()->SetColor(FontColor);
}

void TsfSkinSpinEdit::CMMouseEnter(TMessage& Message)
{
    inherited::CMMouseEnter(Message);
    FCore.TestActive(-1, -1);
    if (FEditFocused || FIndex == -1 || !FHasSkin) return;
    if (HasArea(ActiveSkinRect)) {
        FMouseIn = true;
        Invalidate();
    }
    if (ActiveFontColor != FontColor) FEdit->Font()->SetColor(ActiveFontColor);
}

void TsfSkinSpinEdit::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    FCore.MouseLeave();
    POINT P;
    GetCursorPos(&P);
    if (FEdit->HandleAllocated() && WindowFromPoint(P) == FEdit->Handle()) return;
    if (FEditFocused || FIndex == -1 || !FHasSkin) return;
    if (HasArea(ActiveSkinRect)) {
        FMouseIn = false;
        Invalidate();
    }
    if (ActiveFontColor != FontColor) FEdit->Font()->SetColor(FontColor);
}

void TsfSkinSpinEdit::CMFocusChanged(TMessage& Message)
{
    inherited::CMFocusChanged(Message);
    if (Focused() && FEdit->HandleAllocated()) FEdit->SetFocus();
}

void TsfSkinSpinEdit::CMEnabledChanged(TMessage& Message)
{
    inherited::CMEnabledChanged(Message);
    SetEditFontColor();
    Invalidate();
}

void TsfSkinSpinEdit::SetEditFontColor()
{
    const bool Skinned = FIndex != -1 && FHasSkin;
    if (!Enabled())
        FEdit->Font()->SetColor(Skinned ? DisabledFontColor : clGrayText);
    else if (!Skinned)
        FEdit->Font()->SetColor(DefaultFont()->Color());
    else
        FEdit->Font()->SetColor(FMouseIn || FEditFocused ? ActiveFontColor : FontColor);
}

void TsfSkinSpinEdit::GetSkinData()
{
    inherited::GetSkinData();
    FHasSkin = false;
    if (FIndex == -1) return;
    auto* D = dynamic_cast<TsfDataSkinSpinEditControl*>(SkinData()->CtrlList[FIndex].get());
    if (!D) return;
    FHasSkin = true;
    FGeometry.SkinRect = D->SkinRect;
    FGeometry.ClRect = D->ClRect;
    FGeometry.RTPoint = D->RTPoint;
    FGeometry.UpButtonRect = D->UpButtonRect;
    FGeometry.DownButtonRect = D->DownButtonRect;
    ActiveSkinRect = D->ActiveSkinRect;
    FontName = D->FontName;
    FontStyle = D->FontStyle;
    FontHeight = D->FontHeight;
    FontColor = D->FontColor;
    DisabledFontColor = D->DisabledFontColor;
    ActiveFontColor = D->ActiveFontColor;
    ActiveUpButtonRect = D->ActiveUpButtonRect;
    DownUpButtonRect = HasArea(D->DownUpButtonRect) ? D->DownUpButtonRect : D->ActiveUpButtonRect;
    ActiveDownButtonRect = D->ActiveDownButtonRect;
    DownDownButtonRect = HasArea(D->DownDownButtonRect) ? D->DownDownButtonRect : D->ActiveDownButtonRect;
    LOffset = D->LTPoint.X;
    ROffset = D->SkinRect.Width() - D->RTPoint.X;
}

void TsfSkinSpinEdit::AdjustEditHeight()
{
    TBitmap Probe;
    Probe.Canvas()->Font()->Assign(FEdit->Font());
    TEXTMETRICW TM{};
    GetTextMetricsW(Probe.Canvas()->Handle(), &TM);
    FEdit->SetHeight(TM.tmHeight);
}

void TsfSkinSpinEdit::CalcRects()
{
    if (!FEdit) return;
    TRect Up, Down, TextR;
    const bool Skinned = FIndex != -1 && FHasSkin;
    SkinSpinRects(Width(), Height(), Skinned ? &FGeometry : nullptr, FUseSkinSize, Up, Down, TextR);
    FCore.CalcRects(Width(), Height(), &Up, &Down);
    AdjustEditHeight();
    const TRect E = SkinSpinEditPlace(TextR, FEdit->Height());
    FEdit->SetBounds(E.Left, E.Top, std::max(0, Skinned ? E.Width() : Width() - 19), FEdit->Height());
}

void TsfSkinSpinEdit::ChangeSkinData()
{
    inherited::ChangeSkinData();
    const bool Skinned = FIndex != -1 && FHasSkin;
    if (!Skinned) {
        FEdit->Font()->Assign(DefaultFont());
    } else if (UseSkinFont()) {
        FEdit->Font()->SetStyle(FontStyle);
        FEdit->Font()->SetColor(FontColor);
        FEdit->Font()->SetHeight(FontHeight);
        FEdit->Font()->SetName(FontName);
    } else {
        FEdit->Font()->Assign(DefaultFont());
        FEdit->Font()->SetColor(FontColor);
    }
    if (SkinData() && SkinData()->ResourceStrData())
        SetSkinCharset(FEdit->Font(), SkinData());
    else
        FEdit->Font()->SetCharset(DefaultFont()->Charset());
    FEdit->SetEditTransparent(Skinned);
    if (Skinned && FUseSkinSize) SetHeight(FGeometry.SkinRect.Height());
    CalcRects();
    SetEditFontColor();
    Invalidate();
}

void TsfSkinSpinEdit::OnDefaultFontChange()
{
    if (!FEdit || (FIndex != -1 && FHasSkin && UseSkinFont())) return;
    FEdit->Font()->Assign(DefaultFont());
    AdjustEditHeight();
}

void TsfSkinSpinEdit::CalcSize(Integer& AWidth, Integer& AHeight)
{
    if (FUseSkinSize) {
        inherited::CalcSize(AWidth, AHeight);
        return;
    }
    const Integer DW = AWidth - FGeometry.SkinRect.Width();
    NewLTPoint = LTPt;
    NewRTPoint = {RTPt.X + DW, RTPt.Y};
    NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right + DW, ClRect.Bottom};
}

void TsfSkinSpinEdit::SetControlRegion()
{
    if (FUseSkinSize) inherited::SetControlRegion();
}

void TsfSkinSpinEdit::Invalidate()
{
    inherited::Invalidate();
    if (FEdit && FIndex != -1 && FHasSkin) FEdit->Invalidate();
}

void TsfSkinSpinEdit::CreateControlSkinImage(TsfBitmap* B)
{
    const bool Hot = (FEditFocused || FMouseIn) && HasArea(ActiveSkinRect);
    if (!FUseSkinSize) {
        if (Picture) CreateStretchImage(B, Picture, Hot ? ActiveSkinRect : SkinRect, ClRect, true);
        DrawResizeButton(B, udUpButton);
        DrawResizeButton(B, udDownButton);
        return;
    }
    if (Hot && Picture) {
        TsfBitmap Strip;
        CreateHSkinImage(LOffset, ROffset, &Strip, Picture, ActiveSkinRect, Width(), ActiveSkinRect.Height(),
                         StretchEffect);
        Strip.Draw(B, 0, 0);
    } else {
        inherited::CreateControlSkinImage(B);
    }
    DrawButton(B, udUpButton);
    DrawButton(B, udDownButton);
}

void TsfSkinSpinEdit::DrawButton(TsfBitmap* B, Integer I)
{
    const TsfCBButtonX& Btn = FCore.Button(I);
    const TsfPartState S = ButtonPartState(Btn);
    if (S == psNormal || !Picture) return;
    const TRect Src = I == udUpButton ? (S == psPressed ? DownUpButtonRect : ActiveUpButtonRect)
                                      : (S == psPressed ? DownDownButtonRect : ActiveDownButtonRect);
    if (HasArea(Src)) SkinCopyRect(B, Btn.R, Picture, Src);
}

void TsfSkinSpinEdit::DrawResizeButton(TsfBitmap* B, Integer I)
{
    const TsfCBButtonX& Btn = FCore.Button(I);
    const Integer W = Btn.R.Width(), H = Btn.R.Height();
    if (W <= 0 || H <= 0) return;
    const TsfPartState S = ButtonPartState(Btn);
    TsfDataSkinButtonControl* D = nullptr;
    for (const char16_t* Name : {u"editbutton", u"combobutton", u"resizebutton"}) {
        const Integer Index = SkinData()->GetControlIndex(Name);
        if (Index != -1 && (D = dynamic_cast<TsfDataSkinButtonControl*>(SkinData()->CtrlList[Index].get()))) break;
    }
    TsfBitmap* P = D ? SkinData()->ActiveBitmap(D->PictureIndex) : nullptr;
    TsfBitmap Face;
    Face.SetSize(W, H);
    TColor Arrow = Enabled() ? clBlack : clGray;
    if (D && P) {
        const TRect Active = HasArea(D->ActiveSkinRect) ? D->ActiveSkinRect : D->SkinRect;
        const TRect Down = HasArea(D->DownSkinRect) ? D->DownSkinRect : Active;
        CreateDescriptionImage(&Face, P, *D, S == psPressed ? Down : S == psHot ? Active : D->SkinRect);
        Arrow = S == psPressed ? D->DownFontColor : S == psHot ? D->ActiveFontColor : D->FontColor;
    } else {
        // No button description: the built-in face, so the buttons still show.
        DrawEditButtonFace(Face.Canvas(), {0, 0, W, H}, S == psPressed, S == psHot, false);
    }
    Face.Draw(B, Btn.R.Left, Btn.R.Top);
    TRect AR = Btn.R;
    if (S == psPressed) AR.Left += 2, AR.Top += 2;
    DrawArrowImage(B->Canvas(), AR, Arrow, I == udUpButton ? 3 : 4);
}

void TsfSkinSpinEdit::CreateControlDefaultImage(TsfBitmap* B)
{
    CalcRects();
    TCanvas* C = B->Canvas();
    const Integer W = Width(), H = Height();
    C->Brush()->SetColor(FDefaultColor);
    C->FillRect({0, 0, W, H});
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect({0, 0, W, H});
    C->Brush()->SetColor(clBtnFace);
    C->FrameRect({1, 1, W - 1, H - 1});
    for (Integer I : {udUpButton, udDownButton}) {
        const TsfCBButtonX& Btn = FCore.Button(I);
        const TsfPartState S = ButtonPartState(Btn);
        DrawEditButtonFace(C, Btn.R, S == psPressed, S == psHot, false);
        DrawArrowImage(C, Btn.R, clBlack, I == udUpButton ? 3 : 4);
    }
}

void TsfSkinSpinEdit::WMSize(TMessage& Message)
{
    inherited::WMSize(Message);
    CalcRects();
}

void TsfSkinSpinEdit::WMEraseBkgnd(TMessage& Message)
{
    if (FromWMPaint || (ControlState() & csPaintCopy)) {
        Message.Result = 1;
        return;
    }
    // Asked by another window (an inner edit's background): the control's look.
    const HDC DC = reinterpret_cast<HDC>(Message.WParam);
    TsfBitmap B;
    B.SetSize(Width(), Height());
    DrawLook(&B);
    B.Draw(DC, 0, 0);
    Message.Result = 1;
}

void TsfSkinSpinEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FCore.MouseDown(X, Y);
    inherited::MouseDown(Button, Shift, X, Y);
}

void TsfSkinSpinEdit::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseMove(Shift, X, Y);
    FCore.MouseMove(X, Y);
}

void TsfSkinSpinEdit::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FCore.MouseUp();
    inherited::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------
// The track edit

TsfSkinPopupTrackBar::TsfSkinPopupTrackBar(TComponent* AOwner) : inherited(AOwner)
{
    SetControlStyle(ControlStyle() | csNoDesignVisible | csReplicatable);
    SetSkinDataName(u"htrackbar");
}

void TsfSkinPopupTrackBar::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WindowClass.style = CS_SAVEBITS;
    if (IsWindowsXPOrLater()) Params.WindowClass.style |= CS_DROPSHADOW;
}

void TsfSkinPopupTrackBar::WMMouseActivate(TMessage& Message) { Message.Result = MA_NOACTIVATE; }

TsfSkinTrackEdit::TsfSkinTrackEdit(TComponent* AOwner) : inherited(AOwner)
{
    SetButtonMode(true);
    StopCheck = true;
    SetText(u"0");
    StopCheck = false;
    SetSkinDataName(u"buttonedit");
    SetBounds(Left(), Top(), 120, 20);
    OnButtonClick = [this](TObject* S) { ButtonClick(S); };
    FPopupTrackBar = new TsfSkinPopupTrackBar(this);
    FPopupTrackBar->SetVisible(false);
    FPopupTrackBar->SetParent(this);
    FPopupTrackBar->TrackEdit = this;
    FPopupTrackBar->OnChange = [this](TObject* S) { TrackBarChange(S); };
}

TsfSkinTrackEdit::~TsfSkinTrackEdit()
{
    SkinClock()->StopTimers(this);
    delete FPopupTrackBar;
    FPopupTrackBar = nullptr;
}

bool TsfSkinTrackEdit::IsNumText(const String& AText) const { return SkinIsNumText(AText, false, u'.'); }

bool TsfSkinTrackEdit::PopupShowing() const
{
    return FPopupTrackBar && FPopupTrackBar->HandleAllocated() && IsWindowVisible(FPopupTrackBar->Handle());
}

void TsfSkinTrackEdit::SetValue(Integer V)
{
    FValue = SkinClampInt(V, FMinValue, FMaxValue);
    // The text shows the value (its change is not parsed back, but OnChange fires).
    const bool Was = StopCheck;
    StopCheck = true;
    SetText(IntToStr(FValue));
    StopCheck = Was;
    if (PopupShowing()) FPopupTrackBar->SetValue(FValue);
}

void TsfSkinTrackEdit::TrackBarChange(TObject*)
{
    if (FPopupTrackBar->Value() == FValue) return;
    StopCheck = true;
    SetValue(FPopupTrackBar->Value());
    StopCheck = false;
}

void TsfSkinTrackEdit::ButtonClick(TObject*)
{
    if (CanFocus()) SetFocus();
    if (PopupShowing())
        ClosePopup();
    else
        ShowPopup();
}

void TsfSkinTrackEdit::ShowPopup()
{
    TsfSkinPopupTrackBar* P = FPopupTrackBar;
    const Integer W = FTrackBarWidth > 0 ? FTrackBarWidth : Width();
    P->SetDefaultHeight(Height());
    P->SetSkinDataName(FTrackBarSkinDataName);
    P->SetSkinData(SkinData());
    P->SetBounds(P->Left(), P->Top(), W, Height());
    P->SetMinValue(FMinValue);
    P->SetMaxValue(FMaxValue);
    P->SetValue(FValue);
    P->HandleNeeded();
    const TPoint O = ClientToScreen({0, 0});
    // The window's own top-left, frame included.
    RECT WR;
    GetWindowRect(Handle(), &WR);
    (void)O;
    const TRect Edit{WR.left, WR.top, WR.right, WR.bottom};
    TRect Work;
    GetMonitorRect(Handle(), true, Work);
    const TPoint At = SkinTrackPopupOrigin(Edit, P->Width(), P->Height(), FPopupKind == tbpLeft, Work);
    const HWND PW = P->Handle();
    if (TrackBarAlphaBlend) {
        SetWindowLongPtrW(PW, GWL_EXSTYLE, GetWindowLongPtrW(PW, GWL_EXSTYLE) | WS_EX_LAYERED);
        FFadeAlpha = TrackBarAlphaBlendAnimation ? 0 : TrackBarAlphaBlendValue;
        SetLayeredWindowAttributes(PW, 0, BYTE(FFadeAlpha), LWA_ALPHA);
    }
    SetWindowPos(PW, HWND_TOP, At.X, At.Y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (TrackBarAlphaBlend && TrackBarAlphaBlendAnimation && FFadeAlpha < TrackBarAlphaBlendValue)
        SkinClock()->StartTimer(this, TrackFadeTimer, TrackFadeInterval, [this] { FadeStep(); });
}

void TsfSkinTrackEdit::FadeStep()
{
    // Each tick raises the alpha by a fifteenth of the goal (at least 1).
    FFadeAlpha = PopupFadeAlpha(FFadeAlpha, TrackBarAlphaBlendValue);
    if (PopupShowing()) SetLayeredWindowAttributes(FPopupTrackBar->Handle(), 0, BYTE(FFadeAlpha), LWA_ALPHA);
    if (FFadeAlpha >= TrackBarAlphaBlendValue || !PopupShowing()) SkinClock()->StopTimer(this, TrackFadeTimer);
}

void TsfSkinTrackEdit::ClosePopup()
{
    SkinClock()->StopTimer(this, TrackFadeTimer);
    if (!PopupShowing()) return;
    const HWND PW = FPopupTrackBar->Handle();
    SetWindowPos(PW, nullptr, 0, 0, 0, 0,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (TrackBarAlphaBlend)
        SetWindowLongPtrW(PW, GWL_EXSTYLE, GetWindowLongPtrW(PW, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
}

void TsfSkinTrackEdit::Change()
{
    if (FromEdit) return;
    Integer V = 0;
    if (!StopCheck && IsNumText(Text()) && SkinTextToInteger(Text(), V)) {
        const Integer C = SkinClampInt(V, FMinValue, FMaxValue);
        if (C != FValue) FValue = C;
        if (SkinValueNeedsRewrite(C, V, FMinValue, FMaxValue)) {
            FromEdit = true;
            SetText(IntToStr(C));
            SetSelStart(Integer(Text().size()));
            FromEdit = false;
        }
    }
    inherited::Change();
}

void TsfSkinTrackEdit::StepBy(Integer Delta)
{
    if (PopupShowing()) {
        // The edit follows through the track bar's change.
        FPopupTrackBar->SetValue(FPopupTrackBar->Value() + Delta);
        return;
    }
    StopCheck = true;
    SetValue(FValue + Delta);
    StopCheck = false;
}

void TsfSkinTrackEdit::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    if (!FSupportUpDownKeys) return;
    if (Key == VK_UP)
        StepBy(FIncrement);
    else if (Key == VK_DOWN)
        StepBy(-FIncrement);
}

void TsfSkinTrackEdit::WMChar(TWMKey& Message)
{
    // Escape closes an open popup and goes on to the form.
    if (Message.CharCode() == 27 && PopupShowing()) ClosePopup();
    inherited::WMChar(Message);
}

void TsfSkinTrackEdit::KeyPress(Char& Key)
{
    if (!SkinNumCharValid(Key, Text(), false, u'.', FEditReadOnly)) {
        Key = 0;
        MessageBeep(0);
    }
    inherited::KeyPress(Key);
}

void TsfSkinTrackEdit::WMSetFocus(TMessage& Message)
{
    inherited::WMSetFocus(Message);
    if (FMinValue != FMaxValue)
        SetMaxLength(Integer(std::max(IntToStr(FMinValue).size(), IntToStr(FMaxValue).size())));
}

void TsfSkinTrackEdit::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    ClosePopup();
    StopCheck = true;
    SetText(IntToStr(FValue));
    StopCheck = false;
}

void TsfSkinTrackEdit::WMMouseWheel(TMessage& Message)
{
    // The delta's sign, not the whole wParam's (never negative on 64-bit).
    StepBy(SkinWheelStepsUp(uint64_t(Message.WParam)) ? FIncrement : -FIncrement);
    Message.Result = 0;
}

void TsfSkinTrackEdit::CMCancelMode(TMessage& Message)
{
    inherited::CMCancelMode(Message);
    if (reinterpret_cast<TControl*>(Message.LParam) != FPopupTrackBar) ClosePopup();
}
