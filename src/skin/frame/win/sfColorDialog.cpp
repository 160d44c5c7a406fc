#include "skin/frame/win/sfColorDialog.h"

#include "skin/frame/win/SkinForm.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

std::unique_ptr<TFont> NewDefaultFont()
{
    auto F = std::make_unique<TFont>();
    F->SetName(u"Arial");
    F->SetStyle(0);
    F->SetHeight(14);
    return F;
}

constexpr Integer CenteredTop = -100000;

}  // namespace

TsfSkinColorDialog::TsfSkinColorDialog(TComponent* AOwner)
    : inherited(AOwner),
      FDefaultLabelFont(NewDefaultFont()),
      FDefaultEditFont(NewDefaultFont()),
      FDefaultButtonFont(NewDefaultFont())
{
}

TsfSkinColorDialog::~TsfSkinColorDialog() = default;

void TsfSkinColorDialog::SetSkinData(TsfSkinData* Value)
{
    FSD = Value;
    if (Value) Value->FreeNotification(this);
}

void TsfSkinColorDialog::SetCtrlSkinData(TsfSkinData* Value)
{
    FCtrlFSD = Value;
    if (Value) Value->FreeNotification(this);
}

void TsfSkinColorDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSD) FSD = nullptr;
    if (AComponent == FCtrlFSD) FCtrlFSD = nullptr;
}

void TsfSkinColorDialog::SetCustomColors(const TsfCustomColors& Value) { FCustom.Set(Value.Values, Value.Count); }

String TsfSkinColorDialog::CtrlText(const char16_t* Key, const char16_t* English) const
{
    const TsfResourceStrData* Table = FCtrlFSD ? FCtrlFSD->ResourceStrData() : nullptr;
    return Table ? Table->GetResStr(Key) : String(English);
}

// ---------------------------------------------------------------------------
// The window

bool TsfSkinColorDialog::Execute()
{
    auto* Form = new TForm(Application);
    auto Free = ScopeExit([&] {
        FDialogFormLeft = Form->Left();
        FDialogFormTop = Form->Top();
        delete Form;
        DialogForm = nullptr;
        ColorGrid = nullptr;
        CustomColorGrid = nullptr;
        OkButton = CancelButton = AddCustomColorButton = nullptr;
        ColorViewer = nullptr;
        REdit = GEdit = BEdit = HEdit = SEdit = LEdit = nullptr;
        RLabel = GLabel = BLabel = HLabel = SLabel = LLabel = nullptr;
        PalettePSPPanel = nullptr;
        PalettePSP = nullptr;
        ClickImg = TsfPaletteZone::None;
    });
    DialogForm = Form;
    BuildWindow(Form);
    const bool Ok = Form->ShowModal() == mrOk;
    if (Ok) {
        FColor = ColorViewer->ColorValue();
        FCustom = CustomColorGrid->CustomColors();
    }
    return Ok;
}

void TsfSkinColorDialog::BuildWindow(TForm* Form)
{
    const TsfResourceStrData* FrameTable = FSD ? FSD->ResourceStrData() : nullptr;
    Form->SetCaption(FrameTable ? FrameTable->GetResStr(u"COLORFORM_CAP") : FCaption);
    if (FDialogFormTop == CenteredTop) {
        Form->SetBounds(0, 0, 384, 370);
        Form->SetPosition(poScreenCenter);
    } else {
        Form->SetBounds(FDialogFormLeft, FDialogFormTop, 384, 370);
    }
    auto* SF = new TsfSkinForm(Form);
    SF->Sizeable = false;
    SF->SetBorderIcons(0);
    SF->SetSkinData(FSD);
    SF->SetMenusSkinData(FCtrlFSD);
    SF->SetAlphaBlend(FAlphaBlend);
    SF->SetAlphaBlendAnimation(FAlphaBlendAnimation);
    SF->SetAlphaBlendValue(FAlphaBlendValue);

    auto Place = [Form](TControl* C, Integer L, Integer T, Integer W, Integer H) {
        C->SetParent(Form);
        C->SetBounds(L, T, W, H);
    };

    ColorGrid = new TsfSkinColorGrid(Form);
    Place(ColorGrid, 5, 5, 167, 195);
    ColorGrid->SetBorderStyle(TsfSkinBorderStyle::bvNone);
    ColorGrid->SetCaptionMode(true);
    ColorGrid->SetRowCount(8);
    ColorGrid->SetColCount(6);
    ColorGrid->SetSkinDataName(u"groupbox");
    ColorGrid->SetSkinData(FCtrlFSD);
    ColorGrid->SetCaption(CtrlText(u"COLORGRID_CAP", u"Basic colors"));
    ColorGrid->OnChange = [this](TObject*) { GridChange(ColorGrid->ColorValue()); };

    CustomColorGrid = new TsfSkinCustomColorGrid(Form);
    Place(CustomColorGrid, 5, ColorGrid->Top() + ColorGrid->Height() + 10, 167, 68);
    CustomColorGrid->SetCaptionMode(true);
    CustomColorGrid->SetRowCount(2);
    CustomColorGrid->SetColCount(6);
    CustomColorGrid->SetSkinDataName(u"groupbox");
    CustomColorGrid->SetSkinData(FCtrlFSD);
    CustomColorGrid->SetCaption(CtrlText(u"CUSTOMCOLORGRID_CAP", u"Custom colors"));
    CustomColorGrid->SetCustomColors(FCustom);
    CustomColorGrid->OnChange = [this](TObject*) { GridChange(CustomColorGrid->ColorValue()); };
    if (FGroupBoxTransparentMode) {
        ColorGrid->SetTransparentMode(true);
        CustomColorGrid->SetTransparentMode(true);
    }

    PalettePSPPanel = new TsfEmptyControl(Form);
    Place(PalettePSPPanel, ColorGrid->Left() + ColorGrid->Width() + 5, 5, sfPaletteSize, sfPaletteSize);
    PalettePSP = new TImage(Form);
    PalettePSP->SetParent(PalettePSPPanel);
    PalettePSP->SetBounds(0, 0, sfPaletteSize, sfPaletteSize);
    TBitmap* Pic = PalettePSP->Picture()->Bitmap();
    Pic->SetPixelFormat(pf32bit);
    Pic->SetSize(sfPaletteSize, sfPaletteSize);
    PalettePSP->OnMouseDown = [this](TObject*, TMouseButton B, TShiftState, Integer X, Integer Y) {
        PaletteMouseDown(B, X, Y);
    };
    PalettePSP->OnMouseMove = [this](TObject*, TShiftState S, Integer X, Integer Y) { PaletteMouseMove(S, X, Y); };
    PalettePSP->OnMouseUp = [this](TObject*, TMouseButton B, TShiftState, Integer X, Integer Y) {
        PaletteMouseUp(B, X, Y);
    };

    auto NewLabel = [&](const String& Text, Integer L, Integer T) {
        auto* Lbl = new TsfSkinStdLabel(Form);
        Lbl->SetDefaultFont(FDefaultLabelFont.get());
        Lbl->SetUseSkinFont(FUseSkinFont);
        Lbl->SetSkinData(FCtrlFSD);
        Lbl->SetParent(Form);
        Lbl->SetCaption(Text);
        Lbl->SetLeft(L);
        Lbl->SetTop(T);
        return Lbl;
    };
    auto NewEdit = [&](Integer L, Integer T, Integer Max, Integer TrackWidth, bool RGB) {
        auto* E = new TsfSkinTrackEdit(Form);
        Place(E, L, T, 50, 21);
        E->SetMinValue(0);
        E->SetMaxValue(Max);
        E->SetTrackBarWidth(TrackWidth);
        E->SetPopupKind(tbpLeft);
        E->SetJumpWhenClick(true);
        E->SetValue(0);
        E->SetSkinData(FCtrlFSD);
        if (RGB)
            E->OnChange = [this](TObject*) { RGBEditChange(); };
        else
            E->OnChange = [this](TObject*) { HSLEditChange(); };
        return E;
    };
    auto Below = [](TControl* C, Integer Gap) { return C->Top() + C->Height() + Gap; };
    auto RightOf = [](TControl* C) { return C->Left() + C->Width() + 5; };

    const Integer FieldsTop = Below(ColorGrid, 10);
    const Integer LabelsLeft = PalettePSPPanel->Left();
    RLabel = NewLabel(u"R:", LabelsLeft, FieldsTop + 2);
    REdit = NewEdit(RightOf(RLabel), FieldsTop, 255, 200, true);
    GLabel = NewLabel(u"G:", LabelsLeft, Below(REdit, 12));
    GEdit = NewEdit(REdit->Left(), Below(REdit, 10), 255, 200, true);
    BLabel = NewLabel(u"B:", LabelsLeft, Below(GEdit, 12));
    BEdit = NewEdit(REdit->Left(), Below(GEdit, 10), 255, 200, true);

    HLabel = NewLabel(u"H:", RightOf(REdit), FieldsTop + 2);
    HEdit = NewEdit(RightOf(HLabel), FieldsTop, 359, 250, false);
    SLabel = NewLabel(u"S:", RightOf(REdit), Below(HEdit, 12));
    SEdit = NewEdit(HEdit->Left(), Below(HEdit, 10), 100, 120, false);
    LLabel = NewLabel(u"L:", RightOf(REdit), Below(SEdit, 12));
    LEdit = NewEdit(HEdit->Left(), Below(SEdit, 10), 100, 120, false);

    ColorViewer = new TsfColorViewer(Form);
    const Integer ViewerLeft = RightOf(HEdit);
    const Integer PanelRight = PalettePSPPanel->Left() + PalettePSPPanel->Width();
    Place(ColorViewer, ViewerLeft, Below(PalettePSPPanel, 10), PanelRight - ViewerLeft, PanelRight - ViewerLeft);
    ColorViewer->SetMainWindowHandle(FMainWindowHandle);

    auto NewButton = [&](const String& Text, Integer L, Integer W) {
        auto* B = new TsfSkinButton(Form);
        B->SetDefaultHeight(25);
        B->SetSkinDataName(FButtonSkinDataName);
        B->SetDefaultFont(FDefaultButtonFont.get());
        B->SetUseSkinFont(FUseSkinFont);
        B->SetSkinData(FCtrlFSD);
        Place(B, L, Below(LEdit, 15), W, 25);
        B->SetCaption(Text);
        return B;
    };
    OkButton = NewButton(CtrlText(u"MSG_BTN_OK", u"OK"), 5, 70);
    OkButton->SetModalResult(mrOk);
    OkButton->SetDefault(true);
    CancelButton = NewButton(CtrlText(u"MSG_BTN_CANCEL", u"Cancel"), 90, 70);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
    AddCustomColorButton = NewButton(CtrlText(u"ADDCUSTOMCOLORBUTTON_CAP", u"Add to Custom Colors"),
                                     PalettePSPPanel->Left(), PalettePSPPanel->Width());
    AddCustomColorButton->OnClick = [this](TObject*) { AddCustomColorClick(); };

    ClickImg = TsfPaletteZone::None;
    PSPColor.SetRGB(0);
    PosCircle = PosCar = (Pic->Width() - sfPaletteSize) / 2;
    CreatePalette();
    ColorViewer->SetColorValue(FColor);
    ColorViewer->SetOldColorValue(FColor);
    ColorGrid->SetColorValue(FColor);
    SetRGBFields(ColorToRGBBytes(ColorToRGB(FColor)));
}

// ---------------------------------------------------------------------------
// The palette

namespace {

void PutPixel(TBitmap* B, Integer X, Integer Y, const TsfRGB& C)
{
    if (X < 0 || Y < 0 || X >= B->Width() || Y >= B->Height()) return;
    auto* P = static_cast<uint8_t*>(B->ScanLine(Y)) + 4 * X;
    P[0] = C.Blue;
    P[1] = C.Green;
    P[2] = C.Red;
    P[3] = 0;
}

}  // namespace

void TsfSkinColorDialog::CreatePalette()
{
    TBitmap* Pic = PalettePSP->Picture()->Bitmap();
    TCanvas* C = Pic->Canvas();
    const bool SkinBack = FCtrlFSD && !FCtrlFSD->Empty && FCtrlFSD->GetControlIndex(u"panel") != -1;
    C->Pen()->SetMode(pmCopy);
    if (SkinBack) {
        DrawParentBackground(PalettePSPPanel, C);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(ColorToRGB(clBtnFace));
        C->FillRect({0, 0, Pic->Width(), Pic->Height()});
    }
    GdiFlush();
    const std::array<TsfRGB, 360> Hues = PaletteHueTable();
    for (Integer Y = 0; Y < sfPaletteSize; ++Y)
        for (Integer X = 0; X < sfPaletteSize; ++X) {
            TsfRGB P;
            if (PaletteRingPixel(Hues, X, Y, P)) PutPixel(Pic, X + PosCircle, Y, P);
        }
    DrawSLSquare();
    C->Pen()->SetColor(clWhite);
    C->Pen()->SetMode(pmXor);
    C->Brush()->SetStyle(bsClear);
    DrawMarkers();
    PalettePSP->Invalidate();
}

void TsfSkinColorDialog::DrawSLSquare()
{
    TBitmap* Pic = PalettePSP->Picture()->Bitmap();
    GdiFlush();
    const double Hue = PSPColor.HSL().Hue;
    for (Integer Y = sfSquareLow; Y <= sfSquareHigh; ++Y)
        for (Integer X = sfSquareLow; X <= sfSquareHigh; ++X)
            PutPixel(Pic, X + PosCar, Y, PaletteSquarePixel(Hue, X, Y));
}

void TsfSkinColorDialog::DrawMarkers()
{
    // White in XOR: drawing twice erases.
    TCanvas* C = PalettePSP->Picture()->Bitmap()->Canvas();
    for (const TPoint P : {SquareMarkerCentre(PSPColor.HSL(), PosCar), RingMarkerCentre(PSPColor.HSL(), PosCar)})
        C->Ellipse(P.X - 5, P.Y - 5, P.X + 5, P.Y + 5);
}

void TsfSkinColorDialog::RedrawSLSquare()
{
    DrawSLSquare();
    DrawMarkers();
    PalettePSP->Invalidate();
}

void TsfSkinColorDialog::PaletteMouseDown(TMouseButton Button, Integer X, Integer Y)
{
    ClickImg = PaletteZone(X, Y, PosCar, PosCircle);
    if (Button == mbLeft) PaletteAction(X, Y);
}

void TsfSkinColorDialog::PaletteMouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (Shift & ssLeft) PaletteAction(X, Y);
}

void TsfSkinColorDialog::PaletteMouseUp(TMouseButton Button, Integer X, Integer Y)
{
    if (Button == mbLeft) PaletteAction(X, Y);
    ClickImg = TsfPaletteZone::None;
}

void TsfSkinColorDialog::PaletteAction(Integer X, Integer Y)
{
    const TsfHSLBytes Old = PSPColor.HSLPSP();
    if (ClickImg == TsfPaletteZone::Circle) {
        // Any point turns the hue: a drag around or beyond the ring keeps turning it.
        const Byte Hue = RingHueByte(X, Y, PosCar);
        if (Hue == Old.Hue) return;
        DrawMarkers();
        PSPColor.SetHSLPSP(Hue + 256 * Old.Saturation + 65536 * Old.Lightness);
        UpdateRGBFromPSP();
        RedrawSLSquare();
    } else if (ClickImg == TsfPaletteZone::Square) {
        Byte S = 0, L = 0;
        SquareBytes(X, Y, PosCar, S, L);
        DrawMarkers();
        PSPColor.SetHSLPSP(Old.Hue + 256 * S + 65536 * L);
        UpdateRGBFromPSP();
        DrawMarkers();
        PalettePSP->Invalidate();
    }
}

void TsfSkinColorDialog::PaletteFromRGB(const TsfRGB& C)
{
    DrawMarkers();
    PSPColor.SetRGB(C.Red + 256 * C.Green + 65536 * C.Blue);
    RedrawSLSquare();
}

// ---------------------------------------------------------------------------
// Fields and grids in step

void TsfSkinColorDialog::SetRGBFields(const TsfRGB& C)
{
    REdit->SetValue(C.Red);
    GEdit->SetValue(C.Green);
    BEdit->SetValue(C.Blue);
}

void TsfSkinColorDialog::SetHSVFields(const TsfHSV& V)
{
    HEdit->SetValue(V.Hue);
    SEdit->SetValue(V.Saturation);
    LEdit->SetValue(V.Value);
}

void TsfSkinColorDialog::UpdateRGBFromPSP()
{
    FromPSP = true;
    auto Restore = ScopeExit([&] { FromPSP = false; });
    SetRGBFields(PSPColor.RGBValue());
}

void TsfSkinColorDialog::RGBEditChange()
{
    if (RGBStopCheck || !ColorViewer) return;
    const TsfRGB C{Byte(REdit->Value()), Byte(GEdit->Value()), Byte(BEdit->Value())};
    ColorViewer->SetColorValue(RGBBytesToColor(C));
    HSLStopCheck = true;
    auto Restore = ScopeExit([&] { HSLStopCheck = false; });
    SetHSVFields(RGBToHSV(C));
    if (!FromPSP) PaletteFromRGB(C);
}

void TsfSkinColorDialog::HSLEditChange()
{
    if (HSLStopCheck || !ColorViewer) return;
    const TsfRGB C = HSVToRGB({HEdit->Value(), SEdit->Value(), LEdit->Value()});
    ColorViewer->SetColorValue(RGBBytesToColor(C));
    RGBStopCheck = true;
    auto Restore = ScopeExit([&] { RGBStopCheck = false; });
    SetRGBFields(C);
    if (!FromPSP) PaletteFromRGB(C);
}

void TsfSkinColorDialog::GridChange(TColor Color)
{
    // While the window is being built the fields may not exist yet.
    if (!ColorViewer) return;
    const TsfRGB C = ColorToRGBBytes(ColorToRGB(Color));
    {
        RGBStopCheck = true;
        auto Restore = ScopeExit([&] { RGBStopCheck = false; });
        SetRGBFields(C);
    }
    ColorViewer->SetColorValue(RGBBytesToColor(C));
    {
        HSLStopCheck = true;
        auto Restore = ScopeExit([&] { HSLStopCheck = false; });
        SetHSVFields(RGBToHSV(C));
    }
    if (!FromPSP) PaletteFromRGB(C);
}

void TsfSkinColorDialog::AddCustomColorClick() { CustomColorGrid->AddColor(ColorViewer->ColorValue()); }
