#include "shell/win/ColorHandlers.h"

#include "dialogs/win/ShowColorForm.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/sfColorCtrls.h"

using namespace ColorButtons;

namespace {

TCell* SettingsCell(Integer Cell) { return ConfigTable->GetItem(1)->GetItem(Cell); }

}  // namespace

TColorHandlers::TColorHandlers(TfrmZezavEzazer& AForm) : FForm(AForm) {}

void TColorHandlers::Apply(const TChanges& Changes)
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return;
    for (const TPropertyChange& C : Changes) Doc->SetProperty(C.Name, C.Value, C.Draw);
}

void TColorHandlers::BindButtons()
{
    for (const char16_t* Name : {u"clColor", u"clFillColor", u"clFontColor", u"clFontStrokeColor",
                                 u"cbDrawEffectBrushColor", u"clGradientForeColor", u"clGradientBackColor"}) {
        auto* Button = dynamic_cast<TsfSkinColorButton*>(FForm.FindComponent(Name));
        if (!Button) continue;
        Button->SetMainWindowHandle(FForm.Handle());
        Button->OnShowTrackMenu = [this](TObject* Sender) { ShowTrackMenu(Sender); };
        Button->OnHideTrackMenu = [this](TObject* Sender) { HideTrackMenu(Sender); };
        Button->OnColorDialogClose = [this](TObject* Sender) { ColorDialogClose(Sender); };
        Button->OnStartPickColor = [this](TObject* Sender) { StartPickColor(Sender); };
        const TNotifyEvent Chosen = Button->OnChangeColor;
        Button->OnChangeColor = [this, Chosen](TObject* Sender) {
            ColorChosen();
            if (Chosen) Chosen(Sender);
        };
    }
}

void TColorHandlers::ShowTrackMenu(TObject* Sender)
{
    auto* Button = dynamic_cast<TsfSkinColorButton*>(Sender);
    if (!Button) return;
    const String Custom = SettingsCell(CustomColorsCell)->Text();
    if (!Custom.empty()) {
        const TsfCustomColors Colors = ParseCustomColors(Custom);
        if (Colors.Count > 0) Button->SetCustomColors(Colors);
    }
    Button->SetDialogFormLeft(SettingsCell(DialogLeftCell)->Value());
    Button->SetDialogFormTop(SettingsCell(DialogTopCell)->Value());
    FColorButtonName = Button->Name();
    FColorButtonColor = Button->ColorValue();
    FColorButtonDrawColorMaker = Button->DrawColorMarker();
}

void TColorHandlers::HideTrackMenu(TObject* Sender)
{
    if (!FColorButtonName.empty()) Apply(RestoreChanges(FColorButtonName, FColorButtonColor, FColorButtonDrawColorMaker));
    if (auto* Button = dynamic_cast<TsfSkinColorButton*>(Sender)) {
        SettingsCell(DialogLeftCell)->SetValue(Button->DialogFormLeft());
        SettingsCell(DialogTopCell)->SetValue(Button->DialogFormTop());
    }
}

void TColorHandlers::ColorDialogClose(TObject* Sender)
{
    if (auto* Button = dynamic_cast<TsfSkinColorButton*>(Sender))
        SettingsCell(CustomColorsCell)->SetText(JoinCustomColors(Button->CustomColors()));
}

void TColorHandlers::WMColorButtonHover(TMessage& Message)
{
    Apply(HoverChanges(FColorButtonName, static_cast<TColor>(Message.WParam), static_cast<Integer>(Message.LParam)));
}

void TColorHandlers::WMColorButtonTrack(TMessage& Message)
{
    Apply(TrackChanges(FColorButtonName, static_cast<TColor>(Message.WParam)));
}

TColorHandlers::~TColorHandlers() = default;

void TColorHandlers::StartPickColor(TObject* Sender)
{
    auto* Source = dynamic_cast<TComponent*>(Sender);
    if (!Source) return;
    // One pick at a time.
    if (FScreenPick && FScreenPick->Running()) return;
    const String Name = Source->Name();
    FScreenPick = std::make_unique<TScreenColorPick>([this, Name](Integer Code, TColor Color,
                                                                  const ScreenCapture::TPickEnd& Action) {
        if (!Action.ApplyColor) return;
        auto* Button = dynamic_cast<TsfSkinColorButton*>(FForm.FindComponent(Name));
        if (!Button) return;
        if (ScreenCapture::PickSourceShowsMarker(Code)) Button->SetDrawColorMarker(true);
        Button->SetColorValue(Color);
    });
    FScreenPick->Start(Name);
}
