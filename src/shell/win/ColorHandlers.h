// ColorHandlers: the handlers every colour button of the program shares, the
// dialogs' buttons included. They hand the shared custom colours and the
// colour dialog's place to a button as its drop-down opens and keep them in
// the settings, remember the main-window button whose drop-down is open,
// preview the colour under the pointer (grid or colour dialog) on the
// selected objects and put the old colour back when the drop-down closes
// without a choice. None of them records an undo step: the choice does.
#pragma once

#include <memory>

#include "framework/controls/win/Messages.h"
#include "shell/ColorButtonCore.h"

class TfrmZezavEzazer;
class TScreenColorPick;

class TColorHandlers {
public:
    explicit TColorHandlers(TfrmZezavEzazer& AForm);
    ~TColorHandlers();
    TColorHandlers(const TColorHandlers&) = delete;
    TColorHandlers& operator=(const TColorHandlers&) = delete;

    void ShowTrackMenu(TObject* Sender);
    void HideTrackMenu(TObject* Sender);
    void ColorDialogClose(TObject* Sender);
    // Messages 0x40B (grid hover) and 0x40C (colour dialog).
    void WMColorButtonHover(TMessage& Message);
    void WMColorButtonTrack(TMessage& Message);
    // A colour was chosen: the drop-down's close keeps it.
    void ColorChosen() { FColorButtonName.clear(); }
    // Binds the main window's colour buttons (by name) to these handlers and
    // gives them the window's handle for the preview messages; a choice on
    // the four previewing buttons clears the remembered name before the
    // button's own handler runs.
    void BindButtons();

    const String& ColorButtonName() const { return FColorButtonName; }
    // A colour button's "pick from the screen": the pick's colour goes to
    // that button when the left button is released.
    void StartPickColor(TObject* Sender);
    TScreenColorPick* ScreenPick() const { return FScreenPick.get(); }

private:
    void Apply(const ColorButtons::TChanges& Changes);

    TfrmZezavEzazer& FForm;
    String FColorButtonName;
    TColor FColorButtonColor = 0;
    bool FColorButtonDrawColorMaker = false;
    std::unique_ptr<TScreenColorPick> FScreenPick;
};
