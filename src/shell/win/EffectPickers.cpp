#include "shell/win/EffectPickers.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/ShadowReflect.h"
#include "dialogs/win/ShadowReflectForms.h"
#include "document/ImageDraw.h"
#include "foundation/HyMediaPack.h"
#include "foundation/HyPresets.h"
#include "shell/GradientPanelCore.h"
#include "shell/win/MainLayout.h"
#include "shell/win/MainLocale.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ToolPanels.h"
#include "shell/win/ZezavEzazerForm.h"

namespace {

TRow* ToolRowOf(TfrmZezavEzazer& F)
{
    TDataTable* T = PropertyTable.get();
    const TShapeType Tool = F.ToolPanels().Tools().ShapeType();
    return T && Tool < T->ItemCount() ? T->GetItem(Tool) : nullptr;
}

TImgShape* OneSelected(TImageDraw* Doc) { return Doc && Doc->ObjectSelectedCount() == 1 ? Doc->Shape() : nullptr; }

}  // namespace

TEffectPickers::TEffectPickers(TfrmZezavEzazer& AForm) : FForm(AForm) {}

TEffectPickers::~TEffectPickers() = default;

void TEffectPickers::CreateControls()
{
    auto* Bar = FForm.Layout().PartAs<TWinControl>(u"pnlShape");
    auto Preview = [&](const String& Name, Integer Y) {  // Y: the top, in the bar's last column
        auto* I = new TImage32(&FForm);
        I->SetName(Name);
        I->SetBounds(302, Y, 32, 32);
        I->SetParent(Bar);
        I->Bitmap()->SetSize(32, 32);
        I->SetCursor(crHandPoint);
        return I;
    };
    imgShadow = Preview(u"imgShadow", 1);
    imgReflect = Preview(u"imgReflect", 35);
    imgShadow->OnClick = [this](TObject* S) { imgShadowClick(S); };
    imgReflect->OnClick = [this](TObject* S) { imgReflectClick(S); };
    // The bar's refresh fills the previews after the option panels.
    TToolPanels& Tools = FForm.ToolPanels();
    auto Before = Tools.OnFillPanels;
    Tools.OnFillPanels = [this, Before](const TPropertyVisibility& V) {
        if (Before) Before(V);
        Fill(V);
    };
}

TDataTable* TEffectPickers::ShadowThumbs()
{
    if (!FShadowThumbDT) {
        FShadowThumbDT = std::make_unique<TDataTable>();
        LoadShadowPack(FShadowThumbDT.get());
    }
    return FShadowThumbDT.get();
}

TDataTable* TEffectPickers::ReflectThumbs()
{
    if (!FReflectThumbDT) {
        FReflectThumbDT = std::make_unique<TDataTable>();
        LoadReflectionPack(FReflectThumbDT.get());
    }
    return FReflectThumbDT.get();
}

void TEffectPickers::Fill(const TPropertyVisibility& V)
{
    imgShadow->SetVisible(V.ShadowReflect);
    imgReflect->SetVisible(V.ShadowReflect);
    if (!V.ShadowReflect) return;
    DrawShadowPreview();
    DrawReflectPreview();
}

namespace {
void DrawPreview(TImage32* Image, TCustomBitmap32* Picture, TColor Back)
{
    TBitmap32* B = Image->Bitmap();
    B->Clear(ColorToColor32(Back));
    // A pack that is missing leaves the flat background.
    if (Picture) Picture->DrawTo(B, 0, 0);
    Image->Invalidate();
}
}  // namespace

void TEffectPickers::DrawShadowPreview()
{
    if (!imgShadow) return;
    DrawPreview(imgShadow, PreviewPicture(ShadowThumbs(), ShadowPreviewRow(FForm.ToolPanels().Props().ShadowMode)),
                FForm.Locale().BackColor());
}

void TEffectPickers::DrawReflectPreview()
{
    if (!imgReflect) return;
    DrawPreview(imgReflect,
                PreviewPicture(ReflectThumbs(), ReflectPreviewRow(FForm.ToolPanels().Props().ReflectMode)),
                FForm.Locale().BackColor());
}

void TEffectPickers::SyncProperties()
{
    TToolPanels& Tools = FForm.ToolPanels();
    TImageDraw* Doc = FForm.Documents().Live();
    if (Doc && Doc->Shape())
        Tools.TakeShapeProperties();
    else
        Tools.ShapeProps() = LoadToolProps(PropertyTable.get(), Tools.Tools().ShapeType());
    Tools.RefreshPropertyControls();
}

// Both dialogs open where either was last left, and are freed before the
// main window takes over again.
Integer TEffectPickers::ShowAtShadowPlace(std::unique_ptr<TForm> Dialog)
{
    Dialog->SetPosition(poDesigned);
    Dialog->SetLeft(FForm.FShadowWindowLeft);
    Dialog->SetTop(FForm.FShadowWindowTop);
    if (OnDialogShown) OnDialogShown(*Dialog);
    const Integer Result = Dialog->ShowModal();
    FForm.FShadowWindowLeft = Dialog->Left();
    FForm.FShadowWindowTop = Dialog->Top();
    return Result;
}

void TEffectPickers::imgShadowClick(TObject*)
{
    TRow* Row = ToolRowOf(FForm);
    if (!Row) return;
    TImageDraw* Doc = FForm.Documents().Live();
    TImgShape* Shape = OneSelected(Doc);
    const TShadowFields Kept = Shape ? KeepShadow(*Shape) : TShadowFields{};
    const Integer Result = ShowAtShadowPlace(std::make_unique<TfrmCustomShadow>(Application, FForm.SkinData(), &FForm, Doc, *Row));
    FForm.AfterModalDialog();
    if (Result == mrOk) {
        const Integer Mode = Row->GetItem(ShadowCell::Mode)->Value();
        if (Mode != FForm.ToolPanels().Props().ShadowMode && Doc) {
            FForm.ToolPanels().ShapeProps().ShadowMode = Mode;
            Doc->SetProperty(u"ShadowMode", Mode, true);
            Doc->SaveUndo();
        }
    } else if (Shape && Doc) {
        // Cancel: the object as it was, and nothing for undo.
        RestoreShadow(*Shape, Kept);
        Doc->Draw();
    }
    SyncProperties();
}

void TEffectPickers::imgReflectClick(TObject*)
{
    TRow* Row = ToolRowOf(FForm);
    if (!Row) return;
    TImageDraw* Doc = FForm.Documents().Live();
    TImgShape* Shape = OneSelected(Doc);
    const TReflectFields Kept = Shape ? KeepReflect(*Shape) : TReflectFields{};
    const Integer Result = ShowAtShadowPlace(std::make_unique<TfrmCustomReflect>(Application, FForm.SkinData(), Doc, *Row));
    FForm.AfterModalDialog();
    if (Result == mrOk) {
        const Integer Mode = Row->GetItem(ReflectCell::Mode)->Value();
        if (Mode != FForm.ToolPanels().Props().ReflectMode && Doc) {
            FForm.ToolPanels().ShapeProps().ReflectMode = Mode;
            Doc->SetProperty(u"ReflectMode", Mode, true);
            Doc->SaveUndo();
        }
    } else if (Shape && Doc) {
        RestoreReflect(*Shape, Kept);
        Doc->Draw();
    }
    SyncProperties();
}
