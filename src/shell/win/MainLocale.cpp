#include "shell/win/MainLocale.h"

#include <map>

#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/HySysUtils_Win.h"
#include "framework/controls/win/Dialogs.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/runtime/win/Classes_Win.h"
#include "shell/MainLayoutTable.h"
#include "shell/win/MainTray.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinData.h"

using namespace SkinChoice;

namespace {

constexpr TFontCharset GB2312Charset = 134;

// Every named component the window owns, also those owned by its parts
// (menu items belong to their menus).
void CollectNamed(TComponent* Owner, std::map<String, TComponent*>& Out)
{
    for (Integer I = 0; I < Owner->ComponentCount(); ++I) {
        TComponent* C = Owner->Components(I);
        if (!C->Name().empty()) Out.emplace(LowerCase(C->Name()), C);
        CollectNamed(C, Out);
    }
}

void SetFont(TFont* Font, const String& Face, Integer Size)
{
    if (!Font || Size <= 0) return;
    Font->SetName(Face);
    Font->SetSize(Size);
}

// The font a skinned control uses when its skin gives none.
TFont* DefaultFontOf(TComponent* C)
{
    if (auto* S = dynamic_cast<TsfSkinCustomControl*>(C)) return S->DefaultFont();
    if (auto* G = dynamic_cast<TsfGraphicSkinCustomControl*>(C)) return G->DefaultFont();
    if (auto* L = dynamic_cast<TsfSkinStdLabel*>(C)) return L->DefaultFont();
    return nullptr;
}

// The skin library's texts: lines NAME=text in UTF-8, a resource of the program.
void LoadResStrings(TsfResourceStrData* Data, const String& Resource)
{
    try {
        TResourceStream Stream(GetModuleHandleW(nullptr), Resource);
        std::string Bytes(static_cast<size_t>(Stream.Size()), '\0');
        if (!Bytes.empty()) Stream.ReadBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
        TStringList Lines;
        Lines.SetText(UTF8ToString(Bytes));
        Data->SetResStrings(&Lines);
    } catch (const Exception&) {
        // Without the resource the library keeps its built-in English texts.
    }
}

}  // namespace

TMainLocale::TMainLocale(TfrmZezavEzazer& AForm) : FForm(AForm) {}

TMainLocale::~TMainLocale() = default;

void TMainLocale::CreateParts()
{
    FStoredSkin = new TsfCompressedStoredSkin(&FForm);
    FStoredSkin->SetName(u"sfCompressedStoredSkin1");
    try {
        TResourceStream Stream(GetModuleHandleW(nullptr), StoredSkinName);
        FStoredSkin->LoadFromCompressStream(&Stream);
    } catch (const Exception&) {
        // A program without the stored skin keeps the built-in look.
    }
    FStringsZh = new TsfResourceStrData(&FForm);
    FStringsZh->SetName(u"sfResourceStrData1");
    FStringsZh->SetCharSet(GB2312Charset);
    LoadResStrings(FStringsZh, u"SkinStringsZh");
    FStringsEn = new TsfResourceStrData(&FForm);
    FStringsEn->SetName(u"sfResourceStrDataEn");
    LoadResStrings(FStringsEn, u"SkinStringsEn");

    OpenDialog1 = new TOpenDialog(&FForm);
    OpenDialog1->SetName(u"OpenDialog1");
    SaveDialog1 = new TSaveDialog(&FForm);
    SaveDialog1->SetName(u"SaveDialog1");

    pmMenu = dynamic_cast<TPopupMenu*>(FForm.FindComponent(u"pmMenu"));
    if (!pmMenu) {
        auto* Menu = new TsfSkinPopupMenu(&FForm);
        Menu->SetSkinData(FForm.SkinData());
        pmMenu = Menu;
        pmMenu->SetName(u"pmMenu");
    }
    auto NewItem = [&](TMenuItem* Parent, const String& Name, Integer Tag) {
        auto* Item = new TMenuItem(pmMenu);
        Item->SetName(Name);
        Item->SetTag(Tag);
        Parent->Add(Item);
        return Item;
    };
    muSkin = NewItem(pmMenu->Items(), u"muSkin", 0);
    for (Integer I = 0; I < SkinCount; ++I) {
        TMenuItem* Item = NewItem(muSkin, u"muSkin" + IntToStr(I), I);
        Item->SetRadioItem(true);
        Item->SetGroupIndex(1);
        Item->OnClick = [this](TObject* Sender) { muSkin0Click(Sender); };
        muSkinItems[I] = Item;
    }
    muLanguage = NewItem(pmMenu->Items(), u"muLanguage", 0);
    muLanguage->SetVisible(false);
    const char16_t* LangCaptions[] = {u"中文简体", u"", u"English"};
    for (Integer I = 0; I < 3; ++I) {
        TMenuItem* Item = NewItem(muLanguage, u"muLang" + IntToStr(I), I);
        Item->SetCaption(LangCaptions[I]);
        Item->SetRadioItem(true);
        Item->SetAutoCheck(true);
        Item->SetVisible(I != 1);
        Item->OnClick = [this](TObject* Sender) { muLang2Click(Sender); };
        muLangItems[I] = Item;
    }
    // The program menu opens under its button on the tool panel.
    btnMenu = dynamic_cast<TControl*>(FForm.FindComponent(u"btnMenu"));
    if (!btnMenu) {
        auto* Button = new TsfSkinButton(&FForm);
        Button->SetSkinData(FForm.SkinData());
        Button->SetName(u"btnMenu");
        Button->SetBounds(4, 410, MainLayoutSize::LeftWidth - 8, 24);
        Button->SetParent(FForm.pnlLeft);
        Button->OnClick = [this](TObject*) {
            const TPoint P = btnMenu->ClientToScreen(TPoint{0, btnMenu->Height()});
            pmMenu->Popup(P.X, P.Y);
        };
        btnMenu = Button;
    }
    // The sub-menus are brought up to date as the program menu opens.
    const TNotifyEvent Before = pmMenu->OnPopup;
    pmMenu->OnPopup = [this, Before](TObject* Sender) {
        if (Before) Before(Sender);
        muSkinClick(Sender);
        muLanguageClick(Sender);
    };
}

// ---------------------------------------------------------------------------
// Skins

TColor TMainLocale::BackColor() const { return BackColors[FSkinIndex]; }
TColor TMainLocale::LabelColor() const { return LabelColors[FSkinIndex]; }

void TMainLocale::LoadSkin(const String& Name)
{
    if (!SkinTable) return;
    const Integer Row = SkinRowOf(*SkinTable, Name);
    if (Row < 0) return;
    TsfSkinData* Skin = FForm.SkinData();
    // A skin that cannot be read leaves the current one; its name is kept.
    if (SkinSourceOf(*SkinTable, Name) == TSkinSource::Stored)
        Skin->LoadCompressedStoredSkin(FStoredSkin);
    else
        Skin->LoadFromCompressedFile(SkinFileName(ProgramFolder, Name));
    ConfigTable->GetProp(2)->SetText(Name);
    FSkinIndex = Row < SkinCount ? Row : StoredSkinRow;
}

void TMainLocale::ApplySkinColors()
{
    for (const char16_t* Name : SkinLabelParts())
        if (auto* C = dynamic_cast<TControl*>(FForm.FindComponent(Name))) C->SetColor(LabelColor());
    for (const char16_t* Name : SkinBackParts())
        if (auto* C = dynamic_cast<TControl*>(FForm.FindComponent(Name))) C->SetColor(BackColor());
}

void TMainLocale::muSkinClick(TObject*)
{
    if (!SkinTable) return;
    const TSkinMenuState State = SkinMenuState(*SkinTable, ConfigTable->GetProp(2)->Text(), ProgramFolder,
                                               [](const String& F) { return FileExists(F); });
    for (Integer I = 0; I < SkinCount; ++I) {
        muSkinItems[I]->SetEnabled(State.Enabled[I]);
        muSkinItems[I]->SetChecked(false);
    }
    if (State.Checked >= 0) muSkinItems[State.Checked]->SetChecked(true);
}

void TMainLocale::muSkin0Click(TObject* Sender)
{
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Item || !SkinTable) return;
    Integer Checked = -1;
    for (Integer I = 0; I < SkinCount; ++I)
        if (muSkinItems[I]->Checked()) Checked = I;
    const Integer Row = Item->Tag();
    switch (DecideSkinChoice(*SkinTable, Row, Checked, ProgramFolder, [](const String& F) { return FileExists(F); })) {
        case TSkinChoiceStep::Nothing: return;
        case TSkinChoiceStep::Missing:
            // The file went away after the menu opened: the window stays as it is.
            Item->SetEnabled(false);
            return;
        case TSkinChoiceStep::Switch: break;
    }
    FForm.Hide();
    // Whatever the load does, the window comes back.
    auto Show = ScopeExit([this] { FForm.Show(); });
    LoadSkin(SkinTable->GetItem(Row)->GetItem(0)->Text());
    ApplySkinColors();
    if (OnSkinChanged) OnSkinChanged(&FForm);
}

void TMainLocale::muLanguageClick(TObject*)
{
    for (Integer I = 0; I < 3; ++I) muLangItems[I]->SetChecked(I == LangColumn);
}

// ---------------------------------------------------------------------------
// Localisation

void TMainLocale::SetText(TComponent* C, TMainTextTarget Target, const String& Text)
{
    if (auto* Item = dynamic_cast<TMenuItem*>(C)) {
        if (Target == TMainTextTarget::Caption)
            Item->SetCaption(Text);
        else
            Item->SetHint(Text);
    } else if (auto* Control = dynamic_cast<TControl*>(C)) {
        if (Target == TMainTextTarget::Caption)
            Control->SetCaption(Text);
        else
            Control->SetHint(Text);
    }
}

void TMainLocale::LocalizeMainWindow()
{
    std::map<String, TComponent*> Named;
    CollectNamed(&FForm, Named);
    auto Find = [&](const String& Name) -> TComponent* {
        auto It = Named.find(LowerCase(Name));
        return It == Named.end() ? nullptr : It->second;
    };

    const Integer Top = PropertyLabelTop(LangColumn);
    for (const char16_t* Name : PropertyLabels())
        if (auto* C = dynamic_cast<TControl*>(Find(Name))) C->SetTop(Top);

    TsfSkinData* Skin = FForm.SkinData();
    if (LangColumn == 0)
        Skin->SetResourceStrData(FStringsZh);
    else if (LangColumn == 2)
        Skin->SetResourceStrData(FStringsEn);

    LoadLangTable();

    OpenDialog1->SetFilter(GetLangText(1, 150) +
                           u" (*.bmp;*.jpg;*.jpe;*.jpeg;*.png;*.gif)|*.bmp;*.jpg;*.jpe;*.jpeg;*.png;*.gif");
    SaveDialog1->SetFilter(
        u"JPEG Image (*.jpg;*.jpe;*.jpeg)|*.jpg;*.jpe;*.jpeg;|Portable Network Graphics (*.png)|*.png;|"
        u"CompuServ GIF Image (*.gif)|*.gif;|Bitmap Image (*.bmp)|*.bmp;");

    const TTextId Title = EditionTitleText(EditionCode);
    EditionTitle = GetLangText(Title.Group, Title.Number);
    FForm.SetCaption(EditionTitle);
    TMainTray& Tray = FForm.Tray();
    Tray.TrayIcon1->SetHint(EditionTitle);
    Tray.muTrayClose->SetCaption(GetLangText(0, 194));

    for (const TMainText& T : MainWindowTexts())
        if (TComponent* C = Find(T.Component)) SetText(C, T.Target, GetLangText(T.Text.Group, T.Text.Number, T.Text.Colon));

    ApplyFonts();
}

void TMainLocale::ApplyFonts()
{
    const bool Chinese = UsesChineseFontSet(LangColumn, Win32MajorVersion);
    const String Face = Chinese ? ChineseFontFace : OtherFontFace;

    TsfSkinForm* Frame = FForm.SkinForm();
    const TCaptionFont CaptionFont = MainCaptionFont(Chinese);
    Frame->UseSkinFontInCaption = CaptionFont.UseSkinFont;
    TFont Caption;
    Caption.Assign(Frame->DefCaptionFont());
    SetFont(&Caption, CaptionFont.Face, CaptionFont.Size);
    Frame->SetDefCaptionFont(&Caption);
    TFont MenuItem;
    MenuItem.Assign(Frame->DefMenuItemFont());
    SetFont(&MenuItem, Face, 9);
    Frame->SetDefMenuItemFont(&MenuItem);
    SetFont(FForm.Font(), Face, 9);

    for (const TMainFont& F : MainWindowFonts()) {
        TComponent* C = FForm.FindComponent(F.Component);
        const Integer Size = Chinese ? F.ChineseSize : F.OtherSize;
        if (!C || Size <= 0) continue;
        switch (F.Target) {
            case TMainFontTarget::Font:
                if (auto* Control = dynamic_cast<TControl*>(C)) SetFont(Control->Font(), Face, Size);
                break;
            case TMainFontTarget::MenuFont:
                if (auto* Button = dynamic_cast<TsfSkinColorButton*>(C)) {
                    TFont Menu;
                    if (TFont* Old = Button->MenuDefaultFont()) Menu.Assign(Old);
                    SetFont(&Menu, Face, Size);
                    Button->SetMenuDefaultFont(&Menu);
                }
                [[fallthrough]];
            case TMainFontTarget::DefaultFont:
                SetFont(DefaultFontOf(C), Face, Size);
                break;
        }
    }
}
