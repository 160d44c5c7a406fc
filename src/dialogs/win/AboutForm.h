// AboutForm: TfrmAbout, the About box: the side picture with the program's
// name, the name (a picture in the Chinese interface), the version and the
// edition.
#pragma once

#include "framework/controls/win/Forms.h"

class TImage;
class TsfSkinButton;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinStdLabel;

class TfrmAbout : public TForm {
public:
    // ASkinData: the main window's skin (null: the plain look).
    TfrmAbout(TComponent* AOwner, TsfSkinData* ASkinData);
    ~TfrmAbout() override;
    String ClassName() const override { return u"TfrmAbout"; }

    TsfSkinForm* sfSkinForm1 = nullptr;
    TImage* Image1 = nullptr;
    TImage* imgName = nullptr;
    TsfSkinStdLabel* lblName = nullptr;
    TsfSkinStdLabel* lblVersion = nullptr;
    TsfSkinStdLabel* lblEdition = nullptr;
    TsfSkinButton* btnClose = nullptr;

private:
    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void btnCloseClick(TObject* Sender);
};

// The program's name as the English About box shows it.
extern const char16_t* const AboutDisplayName;
