#include "shell/win/StylePanel.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "document/ImageDraw.h"
#include "document/ImagePolygon.h"
#include "foundation/HyDataTable.h"
#include "foundation/HyPresets.h"
#include "framework/controls/win/ExtCtrls.h"
#include "shell/MainLayoutTable.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/MainLayout.h"
#include "shell/win/MainLocale.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ToolPanels.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinPanels.h"

using namespace StylePages;

namespace {

constexpr Integer StyleCell = 24;  // the tool's style in its property row

}  // namespace

TStylePanel::TStylePanel(TfrmZezavEzazer& AForm) : FForm(AForm) {}

TStylePanel::~TStylePanel() = default;

TColor TStylePanel::Back() const { return FForm.Locale().BackColor(); }

void TStylePanel::CreateStyleImages(Integer ColCount)
{
    FColCount = std::max(ColCount, 1);
    auto* Strip = FForm.Layout().PartAs<TsfSkinPanel>(u"pnlStyle");
    const TStyleImagePlaces Places = StyleImagePlaces(FColCount);
    std::array<TCustomBitmap32*, StylePreviews::ImageCount> Bitmaps{};
    for (Integer I = 0; I < StylePreviews::ImageCount; ++I) {
        auto* Image = new TImage32(&FForm);
        Image->SetName(u"imgStyle" + IntToStr(I));
        Image->SetBounds(Places.At[size_t(I)].X, Places.At[size_t(I)].Y, StyleImageWidth, StyleImageHeight);
        Image->SetParent(Strip);
        Image->Bitmap()->SetSize(StyleImageWidth, StyleImageHeight);
        Image->SetVisible(false);
        Image->OnClick = [this, I](TObject*) { StyleImageClick(I); };
        Image->OnMouseEnter = [this, I](TObject*) { StyleImageMouseEnter(I); };
        Image->OnMouseLeave = [this, I](TObject*) { StyleImageMouseLeave(I); };
        FImages[size_t(I)] = Image;
        Bitmaps[size_t(I)] = Image->Bitmap();
    }
    Strip->SetHeight(MainLayoutSize::PropHeight + Places.PanelGrowth);
    FStrip = std::make_unique<StylePreviews::TStyleStrip>(*StylePresetTable, Bitmaps);

    auto* Buttons = FForm.Layout().PartAs<TsfSkinPanel>(u"pnlStyleC");
    auto Button = [&](const String& Name, Integer Top, const String& Glyph) {
        auto* B = new TsfSkinSpeedButton(&FForm);
        B->SetName(Name);
        B->SetSkinData(FForm.SkinData());
        B->SetBounds(1, Top, MainLayoutSize::StyleButtonsWidth - 2, 28);
        B->SetCaption(Glyph);
        B->SetParent(Buttons);
        B->SetVisible(false);
        return B;
    };
    sbStyleUp = Button(u"sbStyleUp", 2, u"\u25B2");
    sbStyleAll = Button(u"sbStyleAll", 32, u"\u25BC");
    sbStyleDown = Button(u"sbStyleDown", 62, u"\u25BD");
    sbStyleUp->OnClick = [this](TObject*) { sbStyleUpClick(); };
    sbStyleDown->OnClick = [this](TObject*) { sbStyleDownClick(); };
    sbStyleAll->OnClick = [this](TObject*) { sbStyleAllClick(); };
    Timer2 = new TTimer(&FForm);
    Timer2->SetName(u"Timer2");
    Timer2->SetEnabled(false);
    Timer2->SetInterval(500);
    Timer2->OnTimer = [this](TObject*) { Timer2Timer(); };
    // A press on the strip's background collapses it.
    Strip->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { CollapseStylePanel(); };
}

void TStylePanel::BuildStyleImages()
{
    if (!FStrip) return;
    const Integer N = FStrip->Build(FForm.ToolPanels().Tools().ShapeType());
    for (Integer I = 0; I < StylePreviews::ImageCount; ++I) {
        FImages[size_t(I)]->SetTag(I < N ? FStrip->Tag(I) : 0);
        FImages[size_t(I)]->SetVisible(I < N);
    }
    DrawStyleImages();
}

void TStylePanel::Repaint(Integer Index)
{
    FImages[size_t(Index)]->Bitmap()->Changed();
    FImages[size_t(Index)]->Invalidate();
}

void TStylePanel::DrawStyleImages()
{
    if (!FStrip) return;
    FStrip->Draw(FForm.ToolPanels().Tools().ShapeStyleId(), Back(), FColCount);
    for (Integer I = 0; I < FStrip->VisibleCount(); ++I) Repaint(I);
    FPageIndex = FStrip->PageIndex();
    ShowStylePage();
}

void TStylePanel::ShowStylePage()
{
    FForm.Layout().Part(u"pnlStyle")->SetTop(PageTop(FPageIndex));
    sbStyleUp->SetVisible(false);
    sbStyleDown->SetVisible(false);
    sbStyleAll->SetVisible(FStrip && FStrip->PageCount() > 1);
}

void TStylePanel::sbStyleDownClick()
{
    ++FPageIndex;
    ShowStylePage();
}

void TStylePanel::sbStyleUpClick()
{
    --FPageIndex;
    ShowStylePage();
}

void TStylePanel::sbStyleAllClick()
{
    FForm.pnlStyles->SetHeight(ExpandedHeight(FStrip ? FStrip->PageCount() : 1));
    FForm.Layout().Part(u"pnlStyle")->SetTop(0);
    sbStyleUp->SetVisible(false);
    sbStyleDown->SetVisible(false);
    sbStyleAll->SetVisible(false);
    Timer2->SetEnabled(true);
}

void TStylePanel::Timer2Timer()
{
    POINT P;
    GetCursorPos(&P);
    const TPoint At = FForm.pnlStyles->ScreenToClient(TPoint{P.x, P.y});
    if (At.X < 0 || At.Y < 0 || At.X >= FForm.pnlStyles->ClientWidth() || At.Y >= FForm.pnlStyles->ClientHeight())
        CollapseStylePanel();
}

void TStylePanel::CollapseStylePanel()
{
    Timer2->SetEnabled(false);
    FForm.pnlStyles->SetHeight(CollapsedHeight);
    ShowStylePage();
}

void TStylePanel::StyleImageMouseEnter(Integer Index)
{
    if (!FStrip) return;
    FStrip->Hover(Index, true, Back());
    Repaint(Index);
}

void TStylePanel::StyleImageMouseLeave(Integer Index)
{
    if (!FStrip) return;
    FStrip->Hover(Index, false, Back());
    Repaint(Index);
}

void TStylePanel::StyleImageClick(Integer Index)
{
    if (!FStrip || Index >= FStrip->VisibleCount()) return;
    TImageDraw* Doc = FForm.Documents().Live();
    if (Doc && Doc->ShapeCreating()) return;
    if (Timer2->Enabled()) CollapseStylePanel();
    TToolSelection& Tools = FForm.ToolPanels().Tools();
    const Integer StyleId = FStrip->Tag(Index);
    const TShapeType Tool = Tools.ShapeType();
    if (StyleId == Tools.ShapeStyleId() || Tool == shNone) return;
    Tools.SetShapeStyleId(StyleId);
    FForm.CanvasInput().Tool().StyleId = StyleId;
    if (PropertyTable && Tool < PropertyTable->ItemCount()) {
        TRow* Row = PropertyTable->GetItem(Tool);
        while (Row->ItemCount() <= StyleCell) Row->AddItem(String());
        Row->GetItem(StyleCell)->SetValue(StyleId);
    }
    TImgShape* Preview = FStrip->Preview(Index);
    if (Preview && Preview->SelectMode() & 2) return;
    if (Doc && Doc->ObjectSelectedCount() > 0) {
        Doc->SetProperty(u"StyleId", StyleId, false);
        Doc->Draw();
        Doc->SaveUndo();
        if (Tool == shPolygon) {
            FForm.ToolPanels().RefreshPropertyControls();
            if (auto* Polygon = dynamic_cast<TImgPolygon*>(Doc->Shape())) {
                Polygon->SetPointAdding(false);
                Polygon->SetPointIndex(-1);
            }
            if (auto* Add = dynamic_cast<TsfSkinSpeedButton*>(FForm.FindComponent(u"sbPolygonAddNode")))
                Add->SetDown(false);
        }
    }
    DrawStyleImages();
}
