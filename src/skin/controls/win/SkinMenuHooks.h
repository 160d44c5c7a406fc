// SkinMenuHooks: what the skinned controls need of the skinned menus and of a
// form's skin component, which live in the skinned frame (a higher component
// the controls may not include). The frame implements these interfaces and
// installs its services; without them a control opens no skinned menu and
// finds no skin component, and works otherwise.
#pragma once

#include "framework/controls/win/Controls.h"
#include "framework/controls/win/ImgList.h"
#include "framework/controls/win/Menus.h"
#include "skin/controls/SkinColorCore.h"

class TsfSkinData;
class TCustomForm;

class THintWindow;

// How an images menu looks and behaves, as a button passes it through.
struct TsfImagesMenuOptions {
    bool UseSkinFont = true;
    bool ShowHints = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    Byte AlphaBlendValue = 200;
};

// An images menu (a popup grid of an image list's images) as the button that
// shows it sees it.
class TsfSkinImagesMenuLink {
public:
    virtual ~TsfSkinImagesMenuLink() = default;
    // The component itself (the button watches for its removal).
    virtual TComponent* MenuComponent() = 0;
    virtual TCustomImageList* Images() const = 0;
    virtual Integer ItemIndex() const = 0;
    // Fires the change notification.
    virtual void SetItemIndex(Integer Value) = 0;
    // The selected item's image index, caption and colour (-1, empty and clNone without one).
    virtual Integer SelectedImageIndex() const = 0;
    virtual String SelectedCaption() const = 0;
    virtual TColor SelectedColor() const = 0;
    virtual void SetSkinData(TsfSkinData* Value) = 0;
    // Opens the grid next to the screen rectangle R.
    virtual void PopupFromRect(const TRect& R) = 0;
    virtual void Hide() = 0;
    // The two notifications the buttons use: the selection or the items
    // changed (they repaint); the grid closed (they end their tracking).
    virtual void SetOnInternalChange(TNotifyEvent Handler) = 0;
    virtual void SetOnInternalMenuClose(TNotifyEvent Handler) = 0;

    // Building a menu a button owns (the graphic and colour buttons).
    virtual void SetImages(TCustomImageList* Value) = 0;
    virtual void ClearItems() = 0;
    virtual Integer ItemCount() const = 0;
    virtual void AddItem(Integer ImageIndex, const String& Caption, bool Button, TColor Color) = 0;
    virtual void SetItemCaption(Integer Index, const String& Caption) = 0;
    virtual TColor ItemColor(Integer Index) const = 0;
    virtual void SetColumnsCount(Integer Value) = 0;
    // The item index stored without the change notification.
    virtual void StoreItemIndex(Integer Value) = 0;
    virtual TsfSkinData* MenuSkinData() const = 0;
    virtual void SetMainWindowHandle(HWND Value) = 0;
    virtual void SetOnItemClick(TNotifyEvent Handler) = 0;
    virtual void SetOnMenuPopup(TNotifyEvent Handler) = 0;
    virtual void SetOnItemIndexChanged(TEvent<TObject*, Integer> Handler) = 0;
    virtual TsfImagesMenuOptions Options() const = 0;
    virtual void SetOptions(const TsfImagesMenuOptions& Value) = 0;
    // The font of the captions without the skin's (callers assign into it).
    virtual TFont* MenuDefaultFont() = 0;
    // The skinned hint component that shows the grid's item hints (nullptr: none).
    virtual TComponent* MenuSkinHint() const = 0;
    virtual void SetMenuSkinHint(TComponent* Value) = 0;
    // The items themselves, and the selected one (nullptr when ItemIndex is out of range).
    virtual TCollection* MenuItems() = 0;
    virtual TCollectionItem* SelectedMenuItem() const = 0;
};

// A skinned popup menu as the control that opens it sees it. When it closes,
// WM_SKINMENUCLOSE reaches the opener; after its command ran,
// WM_SKINMENUCOMMAND (both through DeliverSkinMenuMessage).
class TsfSkinPopupMenuLink {
public:
    virtual ~TsfSkinPopupMenuLink() = default;
    virtual TPopupMenu* Menu() = 0;
    // The form whose skin component shows the menu.
    virtual void SetComponentForm(TCustomForm* Form) = 0;
    // At the screen point X, Y for ACtrl (only with skin data known).
    virtual void Popup2(TControl* ACtrl, Integer X, Integer Y) = 0;
    // Fires OnPopup, then opens beside the screen rectangle R for ACtrl, above it with APopupUp.
    virtual void PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp) = 0;
};

// A form's skin component as the controls see it.
class TsfSkinFormLink {
public:
    virtual ~TsfSkinFormLink() = default;
    virtual TsfSkinData* SkinData() const = 0;
    // The skin the form's menus take (its menus skin, else its skin).
    virtual TsfSkinData* MenusSkinData() const = 0;
    virtual void HideSkinHint() = 0;
};

// The skinned colour dialog as the colour button sees it.
class TsfSkinColorDialogLink {
public:
    virtual ~TsfSkinColorDialogLink() = default;
    // The component itself (the button watches for its removal).
    virtual TComponent* DialogComponent() = 0;
    // The frame's skin, and the controls' skin (also the frame's menus and the texts).
    virtual void SetSkinData(TsfSkinData* Value) = 0;
    virtual void SetCtrlSkinData(TsfSkinData* Value) = 0;
    // The window that receives the colour being edited (message 0x40C).
    virtual void SetMainWindowHandle(HWND Value) = 0;
    // The window's position; a top of -100000 centres it on the screen.
    virtual Integer DialogFormLeft() const = 0;
    virtual Integer DialogFormTop() const = 0;
    virtual void SetDialogFormPos(Integer Left, Integer Top) = 0;
    virtual const TsfCustomColors& CustomColors() const = 0;
    virtual void SetCustomColors(const TsfCustomColors& Value) = 0;
    virtual TColor Color() const = 0;
    virtual void SetColor(TColor Value) = 0;
    // Shows the window modally; true when it was closed with OK.
    virtual bool Execute() = 0;
};

// What the frame provides; installed once at start-up.
class TsfSkinMenuServices {
public:
    virtual ~TsfSkinMenuServices() = default;
    // A new skinned popup menu owned by AOwner (an edit's context menu).
    virtual TsfSkinPopupMenuLink* CreateSkinPopupMenu(TComponent* AOwner) = 0;
    // A new images menu owned by AOwner.
    virtual TsfSkinImagesMenuLink* CreateSkinImagesMenu(TComponent* AOwner) = 0;
    // The skinned popup menu behind a platform popup menu, or nullptr.
    virtual TsfSkinPopupMenuLink* AsSkinPopupMenu(TPopupMenu* Menu) = 0;
    // The images menu behind a component, or nullptr.
    virtual TsfSkinImagesMenuLink* AsSkinImagesMenu(TComponent* Component) = 0;
    // Form's skin component, or nullptr.
    virtual TsfSkinFormLink* GetSkinForm(TCustomForm* Form) = 0;
    // A new colour dialog owned by AOwner (nullptr where the frame offers none).
    virtual TsfSkinColorDialogLink* CreateSkinColorDialog(TComponent* AOwner)
    {
        (void)AOwner;
        return nullptr;
    }
};

// The services in use (nullptr until the frame installs them).
TsfSkinMenuServices* SkinMenuServices();
// Installs Services (nullptr removes them) and returns the ones before.
TsfSkinMenuServices* InstallSkinMenuServices(TsfSkinMenuServices* Services);

// A menu message for the control that opened a menu: sent to a windowed
// control's window, performed on a windowless one; nothing for nullptr.
void DeliverSkinMenuMessage(TControl* Control, Integer Msg);
