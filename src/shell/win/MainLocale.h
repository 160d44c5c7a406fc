// MainLocale: the main window's skins and language. It loads a skin (the one
// stored in the program or a skin file), keeps the skin's row, paints the
// program's own labels and panels with the skin's two colours, runs the skin
// and language sub-menus of the program menu, and localises the window:
// captions, hints, file filters, the application title, the skin library's
// texts and the fonts, from the language table.
#pragma once

#include <memory>

#include "framework/controls/win/Menus.h"
#include "shell/MainTexts.h"
#include "shell/SkinChoice.h"

class TfrmZezavEzazer;
class TsfCompressedStoredSkin;
class TsfResourceStrData;
class TOpenDialog;
class TSaveDialog;

class TMainLocale {
public:
    explicit TMainLocale(TfrmZezavEzazer& AForm);
    ~TMainLocale();
    TMainLocale(const TMainLocale&) = delete;
    TMainLocale& operator=(const TMainLocale&) = delete;

    // Makes the program menu's skin and language sub-menus (in pmMenu, made
    // here when the window has none yet) and reads the stored skin and the
    // skin library's texts from the program's resources.
    void CreateParts();

    // Loads the skin of that name and records it (settings, index, row); a
    // name not in the skin table changes nothing.
    void LoadSkin(const String& Name);
    // Paints the section labels and the tool panels in the skin's colours.
    void ApplySkinColors();
    // Sets every caption, hint, filter, title and font from the language
    // table in the current language column. Running it again after the
    // column changed gives the window in that language.
    void LocalizeMainWindow();

    Integer SkinIndex() const { return FSkinIndex; }
    // The background of the program's tool and parameter panels in the
    // current skin.
    TColor BackColor() const;
    TColor LabelColor() const;

    // The menus and their handlers (the program menu calls them).
    TPopupMenu* pmMenu = nullptr;
    TControl* btnMenu = nullptr;
    TMenuItem* muSkin = nullptr;
    TMenuItem* muSkinItems[SkinChoice::SkinCount] = {};
    TMenuItem* muLanguage = nullptr;
    TMenuItem* muLangItems[3] = {};
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;
    void muSkinClick(TObject* Sender);
    void muSkin0Click(TObject* Sender);
    void muLanguageClick(TObject* Sender);
    void muLang2Click(TObject*) {}

    // Called after a skin change, when the window shows again (the style
    // images and the effect previews redraw for the new skin).
    TNotifyEvent OnSkinChanged;

private:
    void ApplyFonts();
    void SetText(TComponent* C, TMainTextTarget Target, const String& Text);

    TfrmZezavEzazer& FForm;
    TsfCompressedStoredSkin* FStoredSkin = nullptr;
    TsfResourceStrData* FStringsZh = nullptr;
    TsfResourceStrData* FStringsEn = nullptr;
    Integer FSkinIndex = SkinChoice::StoredSkinRow;
};
