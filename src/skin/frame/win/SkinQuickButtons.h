// SkinQuickButtons: the row of small image buttons a skinned form can carry
// in its caption, left of the caption text (the form component's
// QuickButtons with its QuickImageList). The caption object lays them out,
// paints them and hands them the mouse through the routines below.
#pragma once

#include <vector>

#include "framework/controls/win/Controls.h"
#include "framework/controls/win/ImgList.h"
#include "framework/controls/win/Menus.h"
#include "framework/runtime/Classes.h"

class TsfSkinForm;
class TsfQuickButtonItems;

class TsfQuickButtonItem : public TCollectionItem {
public:
    explicit TsfQuickButtonItem(TCollection* Collection) : TCollectionItem(Collection) {}
    String ClassName() const override { return u"TsfQuickButtonItem"; }
    // ImageIndex, Hint, Enabled and Visible of another quick button.
    void Assign(TPersistent* Source) override;

    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    String Hint;
    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TPopupMenu* PopupMenu = nullptr;  // opened under the button on a left press instead of a click

    // Runtime state.
    TRect ItemRect{};  // window coordinates of the caption drawing
    bool Active = false;
    bool Down = false;

private:
    Integer FImageIndex = -1;
    bool FEnabled = true;
    bool FVisible = true;
};

class TsfQuickButtonItems : public TOwnedCollectionOf<TsfQuickButtonItem> {
public:
    explicit TsfQuickButtonItems(TsfSkinForm* ADSF);
    String ClassName() const override { return u"TsfQuickButtonItems"; }
    TsfSkinForm* DSF() const { return FDSF; }

protected:
    // Any change repaints the owner's frame, except while it loads or is designed.
    void Update(TCollectionItem* Item) override;

private:
    TsfSkinForm* FDSF;
};

// The caption object's part (Caption: the caption area in window coordinates;
// IconRight: the icon's right edge, -1 without an icon).
// Lays the buttons out; false when none is shown (no items or no image list).
bool LayoutCaptionQuickButtons(TsfSkinForm* DSF, const TRect& Caption, Integer IconRight);
// Paints them on the frame's canvas (window coordinates).
void DrawCaptionQuickButtons(TsfSkinForm* DSF, TCanvas* Canvas);
// The mouse over the caption: true when a button's state changed (repaint).
bool QuickButtonsMouseMove(TsfSkinForm* DSF, Integer X, Integer Y);
// A press: true when it fell on a button.
bool QuickButtonsMouseDown(TsfSkinForm* DSF, TMouseButton Button, Integer X, Integer Y);
// A release: the pressed button fires OnClick when the release is on it.
bool QuickButtonsMouseUp(TsfSkinForm* DSF, TMouseButton Button, Integer X, Integer Y);
// The form deactivated or the mouse left the caption: no button is hot or down.
bool ClearQuickButtons(TsfSkinForm* DSF);
