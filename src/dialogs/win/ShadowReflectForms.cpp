#include "dialogs/win/ShadowReflectForms.h"

#include <cmath>

#include "dialogs/GradientStops.h"
#include "dialogs/MainWindowServices.h"
#include "dialogs/win/OptionDialogs.h"
#include "document/ImageDraw.h"
#include "document/base/ViDuza.h"
#include "foundation/Global.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinForm.h"

namespace {

template <class T>
T* Placed(T* C, TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H)
{
    C->SetParent(Parent);
    C->SetBounds(X, Y, W, H);
    return C;
}

TLabel* NewLabel(TForm* F, Integer X, Integer Y, Integer W, const String& Caption)
{
    auto* L = Placed(new TLabel(F), F, X, Y, W, 16);
    L->SetAutoSize(false);
    L->SetCaption(Caption);
    return L;
}

TsfSkinSlider* NewSlider(TForm* F, TsfSkinData* SkinData, Integer X, Integer Y, Integer Min, Integer Max)
{
    auto* S = Placed(new TsfSkinSlider(F), F, X, Y, 150, 22);
    S->SetSkinData(SkinData);
    S->SetMinValue(Min);
    S->SetMaxValue(Max);
    S->SetIncrement(1);
    return S;
}

Integer SliderValue(const TsfSkinSlider* S) { return static_cast<Integer>(std::lround(S->Value())); }

TImgShape* OneSelected(TImageDraw* Doc)
{
    return Doc && Doc->ObjectSelectedCount() == 1 ? Doc->Shape() : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// Shadow

TfrmCustomShadow::TfrmCustomShadow(TComponent* AOwner, TsfSkinData* SkinData, TMainWindowServices* Main,
                                   TImageDraw* Doc, TRow& ToolRow)
    : TForm(AOwner), FMain(Main), FDoc(Doc), FToolRow(ToolRow)
{
    SetName(u"frmCustomShadow");
    SetBorderStyle(bsDialog);
    SetClientWidth(300);
    SetClientHeight(262);
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    chkEnable = Placed(new TsfSkinCheckRadioBox(this), this, 12, 10, 180, 20);
    chkEnable->SetSkinData(SkinData);
    chkInner = Placed(new TsfSkinCheckRadioBox(this), this, 150, 10, 130, 20);
    chkInner->SetSkinData(SkinData);
    chkInner->SetVisible(false);
    const Integer LX = 12, CX = 90;
    lblColor = NewLabel(this, LX, 42, 76, GetLangText(2, 30, true));
    clShadowColor = Placed(new TsfSkinColorButton(this), this, CX, 38, 60, 24);
    clShadowColor->SetName(u"clShadowColor");
    clShadowColor->SetSkinData(SkinData);
    lblOpacity = NewLabel(this, LX, 74, 76, GetLangText(2, 37, true));
    sliderOpacity = NewSlider(this, SkinData, CX, 70, 0, 100);
    lblOpacityValue = NewLabel(this, CX + 156, 74, 44, String());
    lblAngle = NewLabel(this, LX, 112, 76, GetLangText(2, 33, true));
    imgAngle = Placed(new TPaintBox(this), this, CX, 100, 36, 36);
    imgAngle->SetCursor(crHandPoint);
    editAngle = Placed(new TsfSkinSpinEdit(this), this, CX + 44, 108, 60, 22);
    editAngle->SetSkinData(SkinData);
    editAngle->SetValueType(vtInteger);
    editAngle->SetMinValue(0);
    editAngle->SetMaxValue(360);
    editAngle->SetIncrement(1);
    lblAngleUnit = NewLabel(this, CX + 108, 112, 20, u"°");
    lblDistance = NewLabel(this, LX, 148, 76, GetLangText(2, 34, true));
    sliderDistance = NewSlider(this, SkinData, CX, 144, 0, 50);
    lblDistanceValue = NewLabel(this, CX + 156, 148, 44, String());
    lblBlurSize = NewLabel(this, LX, 178, 76, GetLangText(2, 35, true));
    sliderBlurSize = NewSlider(this, SkinData, CX, 174, 0, 30);
    lblBlurSizeValue = NewLabel(this, CX + 156, 178, 44, String());
    lblZoom = NewLabel(this, LX, 208, 76, GetLangText(2, 36, true));
    sliderZoom = NewSlider(this, SkinData, CX, 204, 0, 50);
    lblZoomValue = NewLabel(this, CX + 156, 208, 44, String());
    btnOk = Placed(new TsfSkinButton(this), this, 124, 232, 80, 25);
    btnOk->SetSkinData(SkinData);
    btnOk->SetDefault(true);
    btnCancel = Placed(new TsfSkinButton(this), this, 210, 232, 80, 25);
    btnCancel->SetSkinData(SkinData);
    btnCancel->SetCancel(true);
    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(60);

    SetCaption(GetLangText(2, 46));
    chkEnable->SetCaption(GetLangText(2, 45));
    chkInner->SetCaption(GetLangText(2, 44));
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel->SetCaption(GetLangText(1, 48));

    // The drop-down's live colours come to this dialog.
    clShadowColor->SetMainWindowHandle(Handle());
    clShadowColor->OnChangeColor = [this](TObject*) {
        if (FPending) return;
        ApplyShadow(clShadowColor->ColorValue());
        FColorButtonName.clear();
    };
    clShadowColor->OnShowTrackMenu = [this](TObject* S) {
        if (FMain) FMain->clColorShowTrackMenu(S);
        FColorButtonName = clShadowColor->Name();
        FColorButtonColor = clShadowColor->ColorValue();
    };
    clShadowColor->OnHideTrackMenu = [this](TObject* S) {
        if (FMain) FMain->clColorHideTrackMenu(S);
        if (!FColorButtonName.empty()) {
            ApplyShadow(FColorButtonColor);
            FColorButtonName.clear();
        }
    };
    clShadowColor->OnColorDialogClose = [this](TObject* S) {
        if (FMain) FMain->clColorColorDialogClose(S);
    };
    for (TsfSkinSlider* S : {sliderOpacity, sliderDistance, sliderBlurSize, sliderZoom}) {
        S->OnChange = [this](TObject*) { ShowValueLabels(); };
        S->OnChanged = [this](TObject*) {
            if (FPending) return;
            ApplyShadow(clShadowColor->ColorValue());
            FColorButtonName.clear();
        };
    }
    for (TsfSkinCheckRadioBox* C : {chkEnable, chkInner})
        C->OnClick = [this](TObject*) {
            ShowParameters();
            if (FPending) return;
            ApplyShadow(clShadowColor->ColorValue());
            FColorButtonName.clear();
        };
    editAngle->OnChange = [this](TObject*) {
        if (FPending) return;
        DrawAngleDial();
        Timer1->SetEnabled(false);
        Timer1->SetEnabled(true);
    };
    Timer1->OnTimer = [this](TObject*) {
        Timer1->SetEnabled(false);
        ApplyShadow(clShadowColor->ColorValue());
    };
    imgAngle->OnPaint = [this](TObject*) { DrawAngleDial(); };
    imgAngle->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) {
        AngleFromPoint(X, Y);
        FMouseDown = true;
    };
    imgAngle->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y) {
        if (FMouseDown) AngleFromPoint(X, Y);
    };
    imgAngle->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { FMouseDown = false; };
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject*) { SetModalResult(mrCancel); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnClose = [](TObject*, TCloseAction&) { ActiveFormWindow = nullptr; };
    ActiveFormWindow = Handle();
}

TfrmCustomShadow::~TfrmCustomShadow()
{
    if (HandleAllocated() && ActiveFormWindow == Handle()) ActiveFormWindow = nullptr;
}

TImgShape* TfrmCustomShadow::Target() const { return OneSelected(FDoc); }

void TfrmCustomShadow::FormShow(TObject*)
{
    ApplyChineseDialogFont(*this, *sfSkinForm1);
    FPending = true;
    const TImgShape* S = Target();
    const TShadowValues V = S ? ShadowValuesOf(*S) : ShadowValuesOf(FToolRow);
    chkEnable->SetChecked(V.Enabled);
    chkInner->SetChecked(V.Inner);
    clShadowColor->SetColorValue(V.Color);
    sliderOpacity->SetValue(V.OpacityPercent);
    editAngle->SetValue(V.Angle);
    sliderDistance->SetValue(V.Distance);
    sliderBlurSize->SetValue(V.Blur);
    sliderZoom->SetValue(V.Zoom);
    ShowValueLabels();
    ShowParameters();
    FPending = false;
    imgAngle->Invalidate();
}

TShadowValues TfrmCustomShadow::Values() const
{
    TShadowValues V;
    V.Enabled = chkEnable->Checked();
    V.Inner = chkInner->Checked();
    V.Color = clShadowColor->ColorValue();
    V.Angle = static_cast<Integer>(std::lround(editAngle->Value()));
    V.Distance = SliderValue(sliderDistance);
    V.Zoom = SliderValue(sliderZoom);
    V.Blur = SliderValue(sliderBlurSize);
    V.OpacityPercent = SliderValue(sliderOpacity);
    return V;
}

void TfrmCustomShadow::ShowValueLabels()
{
    lblOpacityValue->SetCaption(IntToStr(SliderValue(sliderOpacity)) + u"%");
    lblDistanceValue->SetCaption(IntToStr(SliderValue(sliderDistance)));
    lblBlurSizeValue->SetCaption(IntToStr(SliderValue(sliderBlurSize)));
    lblZoomValue->SetCaption(IntToStr(SliderValue(sliderZoom)) + u"%");
}

void TfrmCustomShadow::ShowParameters()
{
    const bool On = chkEnable->Checked();
    for (TControl* C : std::initializer_list<TControl*>{
             lblColor, clShadowColor, lblOpacity, sliderOpacity, lblOpacityValue, lblAngle, imgAngle, editAngle,
             lblAngleUnit, lblDistance, sliderDistance, lblDistanceValue, lblBlurSize, sliderBlurSize,
             lblBlurSizeValue, lblZoom, sliderZoom, lblZoomValue})
        C->SetVisible(On);
}

void TfrmCustomShadow::ApplyShadow(TColor Colour)
{
    TImgShape* S = Target();
    if (!S) return;
    TShadowValues V = Values();
    V.Color = Colour;
    ::ApplyShadow(*S, V);
    FDoc->Draw();
}

void TfrmCustomShadow::AngleFromPoint(Integer X, Integer Y)
{
    editAngle->SetValue(std::lround(CalcAngle(X, Y, 18, 18)) % 360);
}

void TfrmCustomShadow::DrawAngleDial()
{
    if (FPending) return;
    TCanvas* C = imgAngle->Canvas();
    C->Brush()->SetColor(clBtnFace);
    C->FillRect({0, 0, imgAngle->Width(), imgAngle->Height()});
    C->Pen()->SetColor(clBlack);
    C->Pen()->SetWidth(1);
    C->Brush()->SetStyle(bsClear);
    C->Ellipse(3, 3, 33, 33);
    C->Ellipse(17, 17, 19, 19);
    TPoint Q;
    CalcPointByAngle(TPoint{18, 18}, Q, static_cast<Single>(editAngle->Value()), 15);
    C->MoveTo(18, 18);
    C->LineTo(Q.X, Q.Y);
    C->Brush()->SetStyle(bsSolid);
}

void TfrmCustomShadow::Dispatch(TMessage& Message)
{
    // The previews apply in every interface language.
    if (Message.Msg == WM_COLORPREVIEWHOVER) {
        if (IsGridPreviewColor(static_cast<Integer>(Message.WParam), static_cast<Integer>(Message.LParam)))
            ApplyShadow(static_cast<TColor>(Message.WParam));
        return;
    }
    if (Message.Msg == WM_COLORPREVIEWTRACK) {
        ApplyShadow(static_cast<TColor>(Message.WParam));
        return;
    }
    TForm::Dispatch(Message);
}

void TfrmCustomShadow::btnOkClick(TObject*)
{
    StoreShadow(FToolRow, Values());
    SetModalResult(mrOk);
}

// ---------------------------------------------------------------------------
// Reflection

TfrmCustomReflect::TfrmCustomReflect(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw* Doc, TRow& ToolRow)
    : TForm(AOwner), FDoc(Doc), FToolRow(ToolRow)
{
    SetName(u"frmCustomReflect");
    SetBorderStyle(bsDialog);
    SetClientWidth(300);
    SetClientHeight(190);
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    chkEnable = Placed(new TsfSkinCheckRadioBox(this), this, 12, 10, 180, 20);
    chkEnable->SetSkinData(SkinData);
    const Integer LX = 12, CX = 90;
    lblOpacity = NewLabel(this, LX, 44, 76, GetLangText(2, 37, true));
    sliderOpacity = NewSlider(this, SkinData, CX, 40, 0, 100);
    lblOpacityValue = NewLabel(this, CX + 156, 44, 44, String());
    lblHeight = NewLabel(this, LX, 74, 76, GetLangText(2, 39, true));
    sliderHeight = NewSlider(this, SkinData, CX, 70, 0, 100);
    lblHeightValue = NewLabel(this, CX + 156, 74, 44, String());
    lblBlurSize = NewLabel(this, LX, 104, 76, GetLangText(2, 35, true));
    sliderBlurSize = NewSlider(this, SkinData, CX, 100, 0, 30);
    lblBlurSizeValue = NewLabel(this, CX + 156, 104, 44, String());
    lblDistance = NewLabel(this, LX, 134, 76, GetLangText(2, 34, true));
    sliderDistance = NewSlider(this, SkinData, CX, 130, -100, 100);
    lblDistanceValue = NewLabel(this, CX + 156, 134, 44, String());
    btnOk = Placed(new TsfSkinButton(this), this, 124, 160, 80, 25);
    btnOk->SetSkinData(SkinData);
    btnOk->SetDefault(true);
    btnCancel = Placed(new TsfSkinButton(this), this, 210, 160, 80, 25);
    btnCancel->SetSkinData(SkinData);
    btnCancel->SetCancel(true);

    SetCaption(GetLangText(2, 38));
    chkEnable->SetCaption(GetLangText(2, 45));
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel->SetCaption(GetLangText(1, 48));

    for (TsfSkinSlider* S : {sliderOpacity, sliderHeight, sliderBlurSize, sliderDistance}) {
        S->OnChange = [this](TObject*) { ShowValueLabels(); };
        S->OnChanged = [this](TObject*) {
            if (!FPending) ApplyReflect();
        };
    }
    chkEnable->OnClick = [this](TObject*) {
        ShowParameters();
        if (!FPending) ApplyReflect();
    };
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject*) { SetModalResult(mrCancel); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnClose = [](TObject*, TCloseAction&) { ActiveFormWindow = nullptr; };
    ActiveFormWindow = Handle();
}

TfrmCustomReflect::~TfrmCustomReflect()
{
    if (HandleAllocated() && ActiveFormWindow == Handle()) ActiveFormWindow = nullptr;
}

TImgShape* TfrmCustomReflect::Target() const { return OneSelected(FDoc); }

void TfrmCustomReflect::FormShow(TObject*)
{
    ApplyChineseDialogFont(*this, *sfSkinForm1);
    FPending = true;
    const TImgShape* S = Target();
    const TReflectValues V = S ? ReflectValuesOf(*S) : ReflectValuesOf(FToolRow);
    chkEnable->SetChecked(V.Enabled);
    sliderOpacity->SetValue(V.OpacityPercent);
    sliderHeight->SetValue(V.Height);
    sliderBlurSize->SetValue(V.Blur);
    sliderDistance->SetValue(V.Distance);
    ShowValueLabels();
    ShowParameters();
    FPending = false;
}

TReflectValues TfrmCustomReflect::Values() const
{
    TReflectValues V;
    V.Enabled = chkEnable->Checked();
    V.Distance = SliderValue(sliderDistance);
    V.Blur = SliderValue(sliderBlurSize);
    V.OpacityPercent = SliderValue(sliderOpacity);
    V.Height = SliderValue(sliderHeight);
    return V;
}

void TfrmCustomReflect::ShowValueLabels()
{
    lblOpacityValue->SetCaption(IntToStr(SliderValue(sliderOpacity)) + u"%");
    lblHeightValue->SetCaption(IntToStr(SliderValue(sliderHeight)) + u"%");
    lblBlurSizeValue->SetCaption(IntToStr(SliderValue(sliderBlurSize)));
    lblDistanceValue->SetCaption(IntToStr(SliderValue(sliderDistance)));
}

void TfrmCustomReflect::ShowParameters()
{
    const bool On = chkEnable->Checked();
    for (TControl* C : std::initializer_list<TControl*>{lblOpacity, sliderOpacity, lblOpacityValue, lblHeight,
                                                        sliderHeight, lblHeightValue, lblBlurSize, sliderBlurSize,
                                                        lblBlurSizeValue, lblDistance, sliderDistance,
                                                        lblDistanceValue})
        C->SetVisible(On);
}

void TfrmCustomReflect::ApplyReflect()
{
    TImgShape* S = Target();
    if (!S) return;
    ::ApplyReflect(*S, Values());
    FDoc->Draw();
}

void TfrmCustomReflect::btnOkClick(TObject*)
{
    StoreReflect(FToolRow, Values());
    SetModalResult(mrOk);
}
