#include "shell/win/MainLayout.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/HyControls.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/StylePages.h"
#include "shell/win/CanvasRulers.h"
#include "shell/win/NoticeForms.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinPanels.h"

namespace {

TAlign AlignOf(TMainPartAlign A)
{
    switch (A) {
        case TMainPartAlign::Top: return alTop;
        case TMainPartAlign::Bottom: return alBottom;
        case TMainPartAlign::Left: return alLeft;
        case TMainPartAlign::Right: return alRight;
        case TMainPartAlign::Client: return alClient;
        case TMainPartAlign::None: break;
    }
    return alNone;
}

template <class T>
T* Skinned(T* Control, TsfSkinData* SkinData)
{
    Control->SetSkinData(SkinData);
    return Control;
}

}  // namespace

TMainLayout::TMainLayout(TfrmZezavEzazer& AForm) : FForm(AForm) {}

TControl* TMainLayout::MakePart(const TMainPart& P, TsfSkinData* SkinData)
{
    switch (P.Kind) {
        case TMainPartKind::Panel: {
            auto* Panel = Skinned(new TsfSkinPanel(&FForm), SkinData);
            Panel->SetCaption(String());
            return Panel;
        }
        case TMainPartKind::ScrollBox: return Skinned(new TsfSkinScrollBox(&FForm), SkinData);
        case TMainPartKind::ImageView: return new TImgView32(&FForm);
        case TMainPartKind::Label: {
            auto* Label = new TLabel(&FForm);
            Label->SetAutoSize(false);
            Label->SetCaption(String());
            return Label;
        }
        case TMainPartKind::MsgText: {
            auto* Ticker = new THyMsgText(&FForm);
            Ticker->SetAutoSize(false);
            Ticker->SetDrawBorder(false);
            Ticker->SetCaption(String());
            BindTicker(*Ticker);
            return Ticker;
        }
        case TMainPartKind::LinkLabel: {
            auto* Label = new THyLabel(&FForm);
            Label->SetAutoSize(false);
            Label->SetDrawBorder(false);
            Label->SetCaption(String());
            return Label;
        }
        case TMainPartKind::Bevel: return Skinned(new TsfSkinBevel(&FForm), SkinData);
    }
    return nullptr;
}

void TMainLayout::CreateParts(TsfSkinData* SkinData)
{
    for (const TMainPart& P : MainLayoutParts()) {
        TControl* C = MakePart(P, SkinData);
        C->SetName(P.Name);
        C->SetVisible(P.Visible);
        C->SetBounds(P.Left, P.Top, P.Width > 0 ? P.Width : C->Width(), P.Height > 0 ? P.Height : C->Height());
        C->SetAlign(AlignOf(P.Align));
        TWinControl* Parent = &FForm;
        if (P.Parent) Parent = PartAs<TWinControl>(P.Parent);
        C->SetParent(Parent);
        FParts[P.Name] = C;
    }
    // A click on the status text clears it.
    if (auto* Msg = PartAs<TLabel>(u"lblMsg1")) Msg->OnClick = [Msg](TObject*) { Msg->SetCaption(String()); };
}

TControl* TMainLayout::Part(const String& Name) const
{
    auto It = FParts.find(Name);
    if (It == FParts.end()) throw EListError(u"No part named " + Name);
    return It->second;
}

void TMainLayout::FormResize()
{
    if (!FForm.MainWindowCreated()) return;
    LayoutRightPanel();
    FForm.Rulers().ResizeRulers();
}

void TMainLayout::LayoutRightPanel()
{
    TControl* Left = Part(u"pnlLeft");
    TControl* Magic = Part(u"pnlMagicTools");
    TControl* Menu = dynamic_cast<TControl*>(FForm.FindComponent(u"btnMenu"));
    TControl* Ruler = dynamic_cast<TControl*>(FForm.FindComponent(u"pnlPropRuler"));
    StylePages::TSidePanelsIn In{};
    In.RightHeight = FForm.pnlRight->Height();
    // The restore button lives on the top bar here: the menu button follows
    // the tool buttons in the left column directly.
    In.RestoreTop = Magic->Top() + Magic->Height();
    In.RestoreHeight = 0;
    In.LeftHeight = Left->Height();
    In.MagicToolsBottom = Magic->Top() + Magic->Height();
    In.PropHeight = FForm.pnlProp->Height();
    In.ImageHeight = FForm.Image->Height();
    In.ImageWidth = FForm.Image->Width();
    In.LeftWidth = Left->Width();
    In.RulerPanelWidth = Ruler ? Ruler->Width() : 0;
    In.RulerPanelHeight = Ruler ? Ruler->Height() : 0;
    const StylePages::TSidePanelsOut Out = StylePages::LayoutSidePanels(In, 0);
    if (Menu) Menu->SetTop(Out.MenuTop);
    FForm.lblLink->SetTop(Out.LinkTop);
    if (Ruler) Ruler->SetBounds(Out.RulerPanelLeft, Out.RulerPanelTop, Ruler->Width(), Ruler->Height());
}

void TMainLayout::BindTicker(THyMsgText& Ticker)
{
    // A download's extra text: the settings it carries, today's date, one
    // more access counted; then the layout again.
    Ticker.OnMsgAccessFinished = [this](TObject*, bool Success, const String& Extra) {
        if (!Success || Extra.empty() || !ConfigTable) return;
        Word Year = 0, Month = 0, Day = 0;
        DecodeDate(Date(), Year, Month, Day);
        FAdvertBackId = Notices::ApplyAccessExtra(*ConfigTable, Extra, Year, Month, Day);
        ConfigTable->Save();
        if (FForm.MainWindowCreated()) LayoutRightPanel();
    };
    // A command row: the web address or the feedback link.
    Ticker.OnMsgCommand = [this](TObject*, TRow& Row) {
        if (!ConfigTable) return;
        Notices::ApplyMsgCommand(*ConfigTable, Row);
        THyLabel* Link = FForm.lblLink;
        Link->SetCaption(ConfigTable->GetProp(60)->Text());
        Link->SetUrl(ConfigTable->GetProp(61)->Text());
        Link->Font()->SetColor(static_cast<TColor>(ConfigTable->GetProp(62)->Value()));
        Link->SetVisible(!Link->Url().empty());
    };
    Ticker.OnMsgUpgrade = [](TObject*, const String& Version, bool& Upgrade) {
        Upgrade = Notices::UpgradeWanted(ProductVersion, Version);
    };
}
