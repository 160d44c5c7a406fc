// EffectPickers: the property bar's shadow and reflection previews, which
// open the shadow and reflection dialogs, and the bar's gradient menus. The
// dialogs edit the selected object live; this group keeps a copy of the
// object's fields to put back on Cancel, and turns an OK into the tool's
// mode and one undo step.
// A group of the main window, owned by TfrmZezavEzazer.
#pragma once

#include <functional>
#include <memory>

#include "shell/ToolPanelsCore.h"

class TForm;
class TfrmZezavEzazer;
class TImage32;
class TObject;
class TDataTable;

class TEffectPickers {
public:
    explicit TEffectPickers(TfrmZezavEzazer& AForm);
    ~TEffectPickers();
    TEffectPickers(const TEffectPickers&) = delete;
    TEffectPickers& operator=(const TEffectPickers&) = delete;

    // Makes the previews on the property bar and chains into the bar's refresh.
    void CreateControls();

    TImage32* imgShadow = nullptr;
    TImage32* imgReflect = nullptr;

    // The pictures of the shadow and reflection packs (loaded on first use).
    TDataTable* ShadowThumbs();
    TDataTable* ReflectThumbs();

    void DrawShadowPreview();
    void DrawReflectPreview();
    void imgShadowClick(TObject* Sender);
    void imgReflectClick(TObject* Sender);

    // Called with each dialog just before it shows (tests drive it from here).
    std::function<void(TForm&)> OnDialogShown;

private:
    Integer ShowAtShadowPlace(std::unique_ptr<TForm> Dialog);
    void Fill(const TPropertyVisibility& V);
    // The bar's properties again from the object or the tool.
    void SyncProperties();

    TfrmZezavEzazer& FForm;
    std::unique_ptr<TDataTable> FShadowThumbDT, FReflectThumbDT;
};
