#include "dialogs/win/ImageTransform.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/OptionDialogs.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/ImgList.h"
#include "framework/controls/win/StdCtrls.h"
#include "framework/graphics/win/Graphics.h"
#include "gdiplus/win/GdiPlus.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinExCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/frame/win/SkinForm.h"

using namespace TransformHandles;

namespace {
template <class T>
T* Placed(T* C, TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H)
{
    C->SetParent(Parent);
    C->SetBounds(X, Y, W, H);
    return C;
}

TsfSkinPanel* GroupBox(TForm* Owner, TWinControl* Parent, TsfSkinData* SkinData, const String& Caption,
                       TColor BackColor, TRect R)
{
    auto* G = Placed(new TsfSkinPanel(Owner), Parent, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
    G->SetSkinData(SkinData);
    G->SetCaptionMode(true);
    G->SetCaption(u" " + Caption + u" ");
    G->SetColor(BackColor);
    return G;
}

String CellText(TRow& Row, Integer Index)
{
    return Index >= 0 && Index < Row.ItemCount() ? Row.GetItem(Index)->Text() : String();
}

void SetCellText(TRow& Row, Integer Index, const String& Text)
{
    while (Row.ItemCount() <= Index) Row.AddItem(String());
    Row.GetItem(Index)->SetText(Text);
}
}  // namespace

TfrmImageTransform::TfrmImageTransform(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document,
                                       TRow& Settings, TColor BackColor)
    : TForm(AOwner), FDocument(Document), FSettings(Settings), FBackColor(BackColor), FPoints(HomeCorners())
{
    SetName(u"frmImageTransform");
    SetBorderStyle(bsDialog);
    SetClientWidth(400);
    SetClientHeight(346);
    SetCaption(GetLangText(1, 87));
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(SkinData);

    gbPresets = GroupBox(this, this, SkinData, GetLangText(2, 75), BackColor, {8, 4, 392, 82});
    ImageList3 = new TImageList(this);
    ImageList3->SetSize(24, 24);
    lstPresets = Placed(new TsfSkinHorzListBox(this), gbPresets, 8, 22, 368, 50);
    lstPresets->SetSkinData(SkinData);
    lstPresets->SetImages(ImageList3);
    lstPresets->SetItemWidth(40);
    lstPresets->SetShowItemTitles(false);

    gbTransform = GroupBox(this, this, SkinData, GetLangText(1, 87), BackColor, {8, 88, 392, 304});
    imgTransform = Placed(new TImage32(this), gbTransform, 10, 24, 150, 150);
    imgTransform->Bitmap()->SetSize(150, 150);
    imgTransform->Bitmap()->Font()->SetName(u"Tahoma");
    imgTransform->Bitmap()->Font()->SetSize(9);
    gbScale = GroupBox(this, gbTransform, SkinData, GetLangText(2, 76), BackColor, {170, 20, 376, 206});
    lblScaleHorz = Placed(new TLabel(this), gbScale, 10, 26, 130, 16);
    lblScaleHorzValue = Placed(new TLabel(this), gbScale, 150, 26, 46, 16);
    sliderScaleHorz = Placed(new TsfSkinSlider(this), gbScale, 8, 44, 190, 22);
    lblScaleVert = Placed(new TLabel(this), gbScale, 10, 78, 130, 16);
    lblScaleVertValue = Placed(new TLabel(this), gbScale, 150, 78, 46, 16);
    sliderScaleVert = Placed(new TsfSkinSlider(this), gbScale, 8, 96, 190, 22);
    btnResetScale = Placed(new TsfSkinButton(this), gbScale, 10, 140, 100, 25);
    for (TLabel* L : {lblScaleHorz, lblScaleHorzValue, lblScaleVert, lblScaleVertValue}) L->SetAutoSize(false);
    for (TsfSkinSlider* S : {sliderScaleHorz, sliderScaleVert}) {
        S->SetSkinData(SkinData);
        S->SetMinValue(0);
        S->SetMaxValue(300);
        S->SetValue(100);
        S->SetIncrement(1);
    }
    lblScaleHorz->SetCaption(GetLangText(2, 77));
    lblScaleVert->SetCaption(GetLangText(2, 78));
    lblScaleHorzValue->SetCaption(u"100%");
    lblScaleVertValue->SetCaption(u"100%");
    btnResetScale->SetCaption(GetLangText(2, 79));
    btnResetScale->SetEnabled(false);

    chkPreview = Placed(new TsfSkinCheckRadioBox(this), this, 12, 318, 150, 18);
    chkPreview->SetChecked(true);
    btnOk = Placed(new TsfSkinButton(this), this, 232, 314, 78, 25);
    btnOk->SetDefault(true);
    btnCancel = Placed(new TsfSkinButton(this), this, 314, 314, 78, 25);
    for (TsfSkinButton* B : {btnResetScale, btnOk, btnCancel}) B->SetSkinData(SkinData);
    chkPreview->SetSkinData(SkinData);
    btnOk->SetCaption(GetLangText(1, 47));
    btnCancel->SetCaption(GetLangText(1, 48));
    chkPreview->SetCaption(GetLangText(2, 14));
    MakeGlyphs();
    ApplyChineseDialogFont(*this, *sfSkinForm1);

    FPreview = std::make_unique<TEffectPreview>(*this, emTransform);
    lstPresets->OnItemClick = [this](TObject* S) { lstPresetsItemClick(S); };
    for (TsfSkinSlider* S : {sliderScaleHorz, sliderScaleVert}) {
        S->OnChange = [this](TObject* Sender) { sliderScaleChange(Sender); };
        S->OnChanged = [this](TObject* Sender) { sliderScaleChanged(Sender); };
    }
    btnResetScale->OnClick = [this](TObject* S) { btnResetScaleClick(S); };
    chkPreview->OnClick = [this](TObject* S) { chkPreviewClick(S); };
    btnOk->OnClick = [this](TObject* S) { btnOkClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    imgTransform->OnMouseDown = [this](TObject*, TMouseButton B, TShiftState, Integer X, Integer Y, TCustomLayer*) {
        imgTransformMouseDown(B, X, Y);
    };
    imgTransform->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y, TCustomLayer*) {
        imgTransformMouseMove(X, Y);
    };
    imgTransform->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer, TCustomLayer*) {
        imgTransformMouseUp();
    };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    ActiveFormWindow = Handle();
}

TfrmImageTransform::~TfrmImageTransform()
{
    if (HandleAllocated() && ActiveFormWindow == Handle()) ActiveFormWindow = nullptr;
}

// Each glyph pictures its shape: the square's frame in grey, the shape in red.
void TfrmImageTransform::MakeGlyphs()
{
    for (Integer Item = 0; Item < PresetCount; ++Item) {
        const TCorners C =
            ParseCorners(Item < 7 ? String(BuiltInShape(Item)) : CellText(FSettings, CellOfItem(Item)));
        TBitmap B;
        B.SetSize(24, 24);
        TCanvas* Cv = B.Canvas();
        Cv->Brush()->SetColor(FBackColor);
        Cv->FillRect({0, 0, 24, 24});
        Cv->Pen()->SetColor(TColor(0x7F7F7F));
        Cv->Brush()->SetStyle(bsClear);
        Cv->Rectangle(2, 2, 22, 22);
        auto Map = [](Integer V) { return 2 + (V - Near) * 19 / (Far - Near); };
        Cv->Pen()->SetColor(TColor(0x0000FF));
        Cv->Pen()->SetWidth(2);
        Cv->MoveTo(Map(C[3].X), Map(C[3].Y));
        for (const TPoint& P : C) Cv->LineTo(Map(P.X), Map(P.Y));
        ImageList3->Add(&B, nullptr);
        TsfSkinHorzItem* It = lstPresets->Items()->Add();
        It->SetImageIndex(Item);
    }
}

void TfrmImageTransform::FormShow(TObject*)
{
    FPreview->Pending = true;
    LoadPreset(-1);
    DrawHandles();
    FPreview->Pending = false;
    FPreview->Shown();
}

void TfrmImageTransform::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmImageTransform::LoadPreset(Integer Index)
{
    FPoints = ParseCorners(Index >= 0 && Index < 7 ? String(BuiltInShape(Index)) : CellText(FSettings, CellOfItem(Index)));
}

void TfrmImageTransform::DrawHandles()
{
    TBitmap32* B = imgTransform->Bitmap();
    B->Clear(ColorToColor32(static_cast<Integer>(FBackColor)) | 0xFF000000);
    {
        TGPPtr<IGPGraphics> G = TGPGraphics::FromHDC(B->Handle());
        TGPPtr<IGPPen> Pen(new TGPPen(TGPColor{0xFF7F7F7F}, 1));
        Pen->SetPenDashStyle(1);
        G->DrawRectangleI(Pen, Near, Near, Far - Near, Far - Near);
        Pen->SetPenDashStyle(0);
        Pen->SetPenColor(TGPColor{0xFFFF0000});
        TGPPoint Poly[4];
        for (Integer i = 0; i < 4; ++i) Poly[i] = TGPPoint{FPoints[size_t(i)].X, FPoints[size_t(i)].Y};
        G->DrawPolygonI(Pen, Poly, 4);
    }
    for (const TPoint& P : FPoints) {
        const TRect R = HandleRect(P);
        // The handle: white, a black one-pixel outline, 7 x 7.
        B->FillRectS(R.Left, R.Top, R.Left + 7, R.Top + 7, 0xFF000000);
        B->FillRectS(R.Left + 1, R.Top + 1, R.Left + 6, R.Top + 6, 0xFFFFFFFF);
    }
    if (FMoving && FCtrIndex >= 0) B->Textout(66, 66, EdgePercentText(FPoints, FCtrIndex));
    imgTransform->Invalidate();
}

void TfrmImageTransform::imgTransformMouseDown(TMouseButton, Integer X, Integer Y)
{
    if (FCtrIndex < 0) FCtrIndex = HandleAt(FPoints, X, Y);
    if (FCtrIndex < 0) return;
    FMoving = true;
    FStartX = X, FStartY = Y;
    FPointsB = FPoints[size_t(FCtrIndex)];
}

void TfrmImageTransform::imgTransformMouseMove(Integer X, Integer Y)
{
    if (!FMoving) {
        FCtrIndex = HandleAt(FPoints, X, Y);
        imgTransform->SetCursor(FCtrIndex >= 0 ? crHandPoint : crDefault);
        return;
    }
    FPoints[size_t(FCtrIndex)] = DragCorner(FPoints, FPointsB, FCtrIndex, X - FStartX, Y - FStartY);
    DrawHandles();
}

void TfrmImageTransform::imgTransformMouseUp()
{
    if (!FMoving) return;
    FMoving = false;
    DrawHandles();
    FPreview->UpdatePreview(false);
}

void TfrmImageTransform::lstPresetsItemClick(TObject*)
{
    LoadPreset(lstPresets->ItemIndex());
    DrawHandles();
    FPreview->UpdatePreview(false);
}

void TfrmImageTransform::sliderScaleChange(TObject*)
{
    lblScaleHorzValue->SetCaption(IntToStr(sliderScaleHorz->Value()) + u"%");
    lblScaleVertValue->SetCaption(IntToStr(sliderScaleVert->Value()) + u"%");
}

void TfrmImageTransform::sliderScaleChanged(TObject*)
{
    btnResetScale->SetEnabled(true);
    FPreview->UpdatePreview(false);
}

void TfrmImageTransform::btnResetScaleClick(TObject*)
{
    FPreview->Pending = true;
    sliderScaleHorz->SetValue(100);
    sliderScaleVert->SetValue(100);
    FPreview->Pending = false;
    btnResetScale->SetEnabled(false);
    FPreview->UpdatePreview(false);
}

void TfrmImageTransform::chkPreviewClick(TObject*) { FPreview->SetPreviewChecked(chkPreview->Checked()); }

void TfrmImageTransform::btnOkClick(TObject*)
{
    if (!chkPreview->Checked()) chkPreview->SetChecked(true);
    FPreview->Ok();
    const String Text = FormatCorners(FPoints);
    SetCellText(FSettings, LastCell, Text);
    if (const Integer Slot = lstPresets->ItemIndex(); Slot == 7 || Slot == 8) SetCellText(FSettings, CellOfItem(Slot), Text);
    SetModalResult(mrOk);
}

void TfrmImageTransform::btnCancelClick(TObject*) { SetModalResult(mrCancel); }

// ---------------------------------------------------------------------------

void TfrmImageTransform::EffectBegin() { FDocument.EffectBegin(); }

void TfrmImageTransform::EffectEnd(bool IsApply) { FDocument.EffectEnd(IsApply); }

void TfrmImageTransform::PreviewOnce()
{
    const TFractions F = Fractions(FPoints);
    FDocument.EffectDoTransform(F.X[0], F.Y[0], F.X[1], F.Y[1], F.X[2], F.Y[2], F.X[3], F.Y[3],
                                sliderScaleHorz->Value(), sliderScaleVert->Value());
    // The first preview brings the dialog to the front (the document's
    // redraw may have come over it).
    if (!FBroughtToFront) {
        FBroughtToFront = true;
        BringToFront();
    }
}

void TfrmImageTransform::ProcessMessages() { Application->ProcessMessages(); }

void TfrmImageTransform::SetBusyCursor(bool Busy) { Screen->SetCursor(Busy ? crHourGlass : crDefault); }
