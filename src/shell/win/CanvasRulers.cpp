#include "shell/win/CanvasRulers.h"

#include <cmath>

#include "Component/Raster32/win/Ras32_GDI.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/MainLayout.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ZezavEzazerForm.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinMenus.h"

namespace {

constexpr TColor32 RulerWhite = 0xFFFFFFFF, RulerBlack = 0xFF000000, MarkRed = 0xFFFF0000;

// The decimal separator of the system's number format.
char16_t SystemDecimalSeparator()
{
    wchar_t Buf[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Buf, 8) > 0 && Buf[0]) return char16_t(Buf[0]);
    return u'.';
}

// The labels' small font, set once per picture.
void UseLabelFont(TBitmap32& B)
{
    B.Font()->SetName(u"Tahoma");
    B.Font()->SetHeight(-9);
    B.Font()->SetColor(clBlack);
}

}  // namespace

TCanvasRulers::TCanvasRulers(TfrmZezavEzazer& AForm) : FForm(AForm)
{
    auto* Holder = FForm.Layout().PartAs<TsfSkinPanel>(u"pnlImage");
    const bool Shown = ConfigTable && ConfigTable->GetItem(1)->GetItem(17)->AsBool();

    pmUnit = new TsfSkinPopupMenu(&FForm);
    pmUnit->SetName(u"pmUnit");
    pmUnit->SetSkinData(FForm.SkinData());
    // The unit names are not translated.
    const char16_t* UnitNames[3] = {u"像素", u"英寸", u"毫米"};
    for (Integer I = 0; I < 3; ++I) {
        muRulerUnit[I] = new TMenuItem(pmUnit);
        muRulerUnit[I]->SetName(u"muRulerUnit" + IntToStr(I + 1));
        muRulerUnit[I]->SetCaption(UnitNames[I]);
        muRulerUnit[I]->SetTag(I);
        muRulerUnit[I]->OnClick = [this](TObject* Sender) { muRulerUnit1Click(Sender); };
        pmUnit->Items()->Add(muRulerUnit[I]);
    }
    pmUnit->OnPopup = [this](TObject* Sender) { pmUnitPopup(Sender); };

    // The top ruler spans the whole width (its first 17 pixels are the
    // corner); the left one runs down beside the canvas below it.
    for (Integer I = 0; I < 2; ++I) {
        FRulerBitmap[I] = std::make_unique<TBitmap32>();
        UseLabelFont(*FRulerBitmap[I]);
        auto* Box = new TPaintBox32(&FForm);
        Box->SetName(I == 0 ? u"RulerHorz" : u"RulerVert");
        Box->SetBounds(0, 0, RulerThickness, RulerThickness);
        Box->SetAlign(I == 0 ? alTop : alLeft);
        Box->SetVisible(Shown);
        Box->SetPopupMenu(pmUnit);
        Box->OnPaintBuffer = [this, I](TObject*) { PaintRuler(I); };
        Box->OnResize = [this](TObject*) { ResizeRulers(); };
        Box->SetParent(Holder);
        FRulerPaintBox[I] = Box;
    }
    CreateMeasurePanel();
    // Scrolling moves the ticks with the picture.
    FForm.Image->OnScroll = [this](TObject*) { DrawRulers(true); };
}

TCanvasRulers::~TCanvasRulers() = default;

Integer TCanvasRulers::Unit() const { return ConfigTable ? ConfigTable->GetItem(1)->GetItem(18)->Value() : 0; }

bool TCanvasRulers::RulersShown() const { return FRulerPaintBox[0]->Visible(); }

void TCanvasRulers::ShowRulers(bool Visible)
{
    if (ConfigTable) ConfigTable->GetItem(1)->GetItem(17)->SetAsBool(Visible);
    for (TPaintBox32* Box : FRulerPaintBox) Box->SetVisible(Visible);
    if (Visible) {
        ResizeRulers();
        DrawRulers(true);
    }
}

void TCanvasRulers::muShowRulersClick(TObject* Sender)
{
    if (auto* Item = dynamic_cast<TMenuItem*>(Sender)) ShowRulers(Item->Checked());
}

void TCanvasRulers::muRulerUnit1Click(TObject* Sender)
{
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Item || !ConfigTable) return;
    ConfigTable->GetItem(1)->GetItem(18)->SetValue(static_cast<Integer>(Item->Tag()));
    DrawRulers(true);
}

void TCanvasRulers::pmUnitPopup(TObject*)
{
    const Integer U = Unit();
    for (Integer I = 0; I < 3; ++I) muRulerUnit[I]->SetChecked(I == U);
}

void TCanvasRulers::ResizeRulers()
{
    for (Integer I = 0; I < 2; ++I)
        FRulerBitmap[I]->SetSize(std::max(FRulerPaintBox[I]->Width(), 1), std::max(FRulerPaintBox[I]->Height(), 1));
    DrawRulers(true);
}

// ---------------------------------------------------------------------------
// Drawing

void TCanvasRulers::DrawRulers(bool Recompute)
{
    if (!FRulerPaintBox[0]->Visible()) return;
    if (Recompute) {
        const Integer U = Unit();
        RenderHorizontal(U);
        RenderVertical(U);
    }
    for (TPaintBox32* Box : FRulerPaintBox) {
        Box->ForceFullInvalidate();
        if (Box->HandleAllocated()) Box->Repaint();
    }
}

void TCanvasRulers::RenderHorizontal(Integer U)
{
    TBitmap32& B = *FRulerBitmap[0];
    const Integer W = B.Width(), H = B.Height();
    B.Clear(RulerWhite);
    B.VertLineS(RulerThickness - 1, 0, H - 1, RulerBlack);
    B.HorzLineS(0, H - 1, W - 1, RulerBlack);
    FSpacing = TRulerSpacing();
    FUnitSpacing = TUnitRulerSpacing();
    std::vector<TRulerTick> Ticks;
    if (U == RulerUnitPixels) {
        FSpacing = CalcRulerSpacing(FForm.Image->ScaleX());
        Ticks = RulerTicks(FSpacing, FForm.Image->OffsetHorz(), W);
    } else {
        // Inches and millimetres have a layout of their own; a unit the
        // settings do not know leaves the ruler plain.
        FUnitSpacing = CalcUnitRulerSpacing(U, FForm.Image->ScaleX());
        Ticks = UnitRulerTicks(FUnitSpacing, FForm.Image->OffsetHorz(), W, SystemDecimalSeparator());
    }
    for (const TRulerTick& T : Ticks) {
        B.VertLineS(T.X, T.Top, H - 1, RulerBlack);
        if (!T.Label.empty()) B.Textout(T.X + 2, -2, T.Label);
    }
    GdiFlush();
}

void TCanvasRulers::RenderVertical(Integer U)
{
    // The left ruler starts level with the canvas: its ticks are the top
    // one's, turned, without the corner; labels stand one digit a row.
    TBitmap32& B = *FRulerBitmap[1];
    const Integer W = B.Width(), H = B.Height();
    B.Clear(RulerWhite);
    B.VertLineS(W - 1, 0, H - 1, RulerBlack);
    const Single Offset = FForm.Image->OffsetVert() - RulerThickness;
    const std::vector<TRulerTick> Ticks =
        U == RulerUnitPixels ? RulerTicks(CalcRulerSpacing(FForm.Image->ScaleY()), Offset, H)
                             : UnitRulerTicks(CalcUnitRulerSpacing(U, FForm.Image->ScaleY()), Offset, H,
                                              SystemDecimalSeparator());
    for (const TRulerTick& T : Ticks) {
        B.HorzLineS(T.Top, T.X, W - 1, RulerBlack);
        for (size_t I = 0; I < T.Label.size(); ++I)
            B.Textout(1, T.X + 1 + static_cast<Integer>(I) * 8, T.Label.substr(I, 1));
    }
    GdiFlush();
}

void TCanvasRulers::PaintRuler(Integer Index)
{
    TBitmap32* Buffer = FRulerPaintBox[Index]->Buffer();
    Buffer->Draw(0, 0, FRulerBitmap[Index].get());
    const TPoint P = FForm.CanvasInput().Core().LastViewPoint();
    if (Index == 0 && P.X >= 0)
        Buffer->VertLineS(P.X + RulerThickness, 0, Buffer->Height() - 1, MarkRed);
    else if (Index == 1 && P.Y >= 0)
        Buffer->HorzLineS(0, P.Y, Buffer->Width() - 1, MarkRed);
}

// ---------------------------------------------------------------------------
// The measuring read-out

void TCanvasRulers::CreateMeasurePanel()
{
    pnlPropRuler = new TsfSkinPanel(&FForm);
    pnlPropRuler->SetName(u"pnlPropRuler");
    pnlPropRuler->SetSkinData(FForm.SkinData());
    pnlPropRuler->SetCaption(String());
    pnlPropRuler->SetBounds(0, 0, 520, 24);
    pnlPropRuler->SetVisible(false);
    pnlPropRuler->SetParent(&FForm);
    TLabel** Labels[6] = {&lblRulerX, &lblRulerY, &lblRulerW, &lblRulerH, &lblRulerA, &lblRulerD};
    const char16_t* Names[6] = {u"lblRulerX", u"lblRulerY", u"lblRulerW", u"lblRulerH", u"lblRulerA", u"lblRulerD"};
    for (Integer I = 0; I < 6; ++I) {
        auto* L = new TLabel(&FForm);
        L->SetName(Names[I]);
        L->SetAutoSize(false);
        L->SetTransparent(true);
        L->SetBounds(6 + I * 72, 5, 70, 16);
        L->SetParent(pnlPropRuler);
        *Labels[I] = L;
    }
    btnRulerClear = new TsfSkinButton(&FForm);
    btnRulerClear->SetName(u"btnRulerClear");
    btnRulerClear->SetSkinData(FForm.SkinData());
    btnRulerClear->SetCaption(GetLangText(1, 185));
    btnRulerClear->SetBounds(6 + 6 * 72, 2, 70, 20);
    btnRulerClear->SetParent(pnlPropRuler);
    btnRulerClear->OnClick = [this](TObject* Sender) { btnRulerClearClick(Sender); };
    ShowMeasureTexts(MeasureTexts(false, 0, 0, 0, 0, u'.'));
}

void TCanvasRulers::ShowMeasureTexts(const TMeasureTexts& T)
{
    FLastTexts = T;
    lblRulerX->SetCaption(T.X);
    lblRulerY->SetCaption(T.Y);
    lblRulerW->SetCaption(T.W);
    lblRulerH->SetCaption(T.H);
    lblRulerA->SetCaption(T.A);
    lblRulerD->SetCaption(T.D);
}

void TCanvasRulers::DocumentRulerChanged(TImageDraw* Sender, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    ShowMeasureTexts(MeasureTexts(Sender && Sender->RulerEnabled(), X1, Y1, X2, Y2, SystemDecimalSeparator()));
    if (OnMeasureTexts) OnMeasureTexts(FLastTexts);
    // The labels repaint during the drag.
    Application->ProcessMessages();
}

void TCanvasRulers::btnRulerClearClick(TObject*)
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return;
    Doc->ClearRuler();
    Doc->Draw();
}
