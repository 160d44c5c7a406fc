// MainWindowServices: what the dialogs may ask of the main window. The
// dialogs sit below the shell, so they never include it: the main window
// implements this interface and hands it to the dialogs that need it.
// Add a service here only when a dialog calls it.
#pragma once

#include <cstdint>

#include "framework/runtime/Classes.h"
#include "framework/runtime/UITypes.h"

class TMainWindowServices {
public:
    virtual ~TMainWindowServices() = default;
    // The main window's handle (an HWND), for the colour buttons' live
    // messages and for placing a dialog.
    virtual std::uintptr_t MainWindowHandle() const = 0;
    // Opens an image file as a document; false when it was refused.
    virtual bool OpenImageFile(const String& FileName) = 0;
    // Inserts the files of Folder named in Files ("|"-separated) into the
    // live document as bitmap objects.
    virtual void InsertImageFiles(const String& Folder, const String& Files) = 0;
    // Switches the live document's watermark off, and on again with these
    // values when IsEnabled; redraws without an undo state.
    virtual void AddWatermark(bool IsEnabled, const String& FileName, Integer LocationType, Integer Location,
                              Integer LocationED1, Integer LocationED2, Integer LocationSD1, Integer LocationSD2,
                              Integer Angle, Integer Opacity, bool UseTC, TColor TC) = 0;
    // The step after every modal dialog of the main window.
    virtual void AfterModalDialog() = 0;
    // The colour buttons' shared drop-down handlers.
    virtual void clColorShowTrackMenu(TObject* Sender) = 0;
    virtual void clColorHideTrackMenu(TObject* Sender) = 0;
    virtual void clColorColorDialogClose(TObject* Sender) = 0;
    // The light background of the main window's tool panels in the current
    // skin; the dialogs' parameter panels and group boxes take it too.
    virtual TColor PanelBackColor() const = 0;
};
