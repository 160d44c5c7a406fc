// Menus: menu items (TMenuItem), the main menu of a form (TMainMenu) and
// popup menus (TPopupMenu). The objects hold the menu; a native menu is built
// from them when no skin draws it, with owner-draw hooks per item. Short cuts
// and hotkeys are in the portable MenusCore. Windows only.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls/ActnList.h"
#include "framework/controls/MenusCore.h"
#include "framework/controls/win/Controls.h"
#include "framework/controls/win/ImgList.h"

class TMenu;

LM_EXCEPTION_CLASS(EMenuError, Exception);

using TMenuDrawItemEvent = TEvent<TObject* /*Sender*/, TCanvas* /*ACanvas*/, const TRect& /*ARect*/, bool /*Selected*/>;
using TMenuMeasureItemEvent = TEvent<TObject* /*Sender*/, TCanvas* /*ACanvas*/, Integer& /*Width*/, Integer& /*Height*/>;

enum TPopupAlignment { paLeft, paRight, paCenter };
// Whether a menu leaves out its misplaced lines by itself (RethinkLines).
enum TMenuAutoFlag { maAutomatic, maManual };

// ---------------------------------------------------------------------------
// One entry of a menu, and the list of its sub-items. The parent item owns its
// sub-items: deleting an item removes it from its parent (and the native menu).
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    String ClassName() const override { return u"TMenuItem"; }

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value);
    // Click toggles Checked before OnClick runs.
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    // A picture beside the caption when the menu has no image for the item.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    // The identifier of the item in the native menu, unique in the program.
    Word Command() const { return FCommand; }
    // The action the item shows: its caption, states, short cut, image and
    // hint follow the action's, and a click without OnClick executes it.
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);
    // Asks the actions of the item and its sub-items to update (OnUpdate).
    void UpdateActions();
    // A separator: the caption "-".
    bool IsLine() const { return FCaption == cLineCaption; }

    // Sub-items.
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    TMenuItem* Items(Integer Index) const;
    Integer IndexOf(const TMenuItem* Item) const;
    // Raises EMenuError when Item already has a parent or Index is out of range.
    void Insert(Integer Index, TMenuItem* Item);
    void Add(TMenuItem* Item) { Insert(Count(), Item); }
    // Takes the sub-item out (not freed).
    void Delete(Integer Index);
    void Remove(TMenuItem* Item);
    // Frees every sub-item.
    void Clear();
    TMenuItem* Find(const String& ACaption) const;  // hotkey marks ignored
    TMenuItem* Parent() const { return FParent; }
    Integer MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    void SetMenuIndex(Integer Value);
    // The menu the item belongs to (through its parents), or nil.
    TMenu* GetParentMenu() const;
    // Lines the user would see as misplaced (first, last, or next to another
    // line among the visible items) are left out of the native menu. True
    // when anything changed.
    bool RethinkLines();
    // Shows every line again (a menu whose line reduction is manual). True
    // when anything changed.
    bool KeepAllLines();
    // Left out of the native menu by RethinkLines.
    bool IsHiddenLine() const { return FHiddenLine; }

    // Runs OnClick (after AutoCheck). OnClick may free the item.
    virtual void Click();
    // The caption shown in the native menu: the caption, a tab and the short cut.
    String NativeText() const;
    // The handle of the native sub-menu, while the menu is built.
    HMENU Handle() const { return FHandle; }

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

protected:
    // Owner drawing: the event's, else the default (image, caption, short cut).
    virtual void DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected);
    virtual void MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height);
    // Rebuild: the items or their order changed, not just this item's looks.
    void MenuChanged(bool Rebuild);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TMenu;
    bool IsOwnerDraw() const;
    void CheckRadioGroup();
    void ActionChange();
    Integer ImageColumnWidth() const;

    String FCaption;
    TShortCut FShortCut = 0;
    bool FChecked = false;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    bool FAutoCheck = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FHiddenLine = false;
    std::unique_ptr<TBitmap> FBitmap;
    Integer FImageIndex = -1;
    String FHint;
    Word FCommand = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on the root item of a menu
    TBasicAction* FAction = nullptr;
    bool FShownNatively = false;  // has an entry in the native menu
    std::vector<TMenuItem*> FItems;
    HMENU FHandle = nullptr;
};

// ---------------------------------------------------------------------------
// A menu: a root item and, while it is shown natively, the native menu built
// from it. Every change to an item rebuilds the native menu.
class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    String ClassName() const override { return u"TMenu"; }

    TMenuItem* Items() const { return FItems; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Every item is drawn by the program (OnDrawItem or the default drawing).
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value);
    // maAutomatic (the default): misplaced lines are left out when the menu
    // is shown; maManual shows every line the items have.
    TMenuAutoFlag AutoLineReduction() const { return FAutoLineReduction; }
    void SetAutoLineReduction(TMenuAutoFlag Value);
    // Applies the line reduction to the sub-items of Parent before they are shown.
    void ReduceLines(TMenuItem* Parent);

    // The native menu, built on first request.
    HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Destroys the native menu (it is built again when next needed).
    void DestroyHandle();
    // Clicks the item with Command. True when one was found.
    bool DispatchCommand(Word ACommand);
    // The item whose native sub-menu is AHandle (the root item for the
    // menu's own handle), or nil.
    TMenuItem* FindItemOfHandle(HMENU AHandle) const;
    TMenuItem* FindItemOfCommand(Word ACommand) const;
    // A key-down (WM_KEYDOWN or WM_SYSKEYDOWN): clicks the enabled, visible
    // item whose short cut it is. True when one was clicked.
    virtual bool IsShortCut(TWMKey& Message);
    // Owner-draw messages of the window showing the menu. True when handled.
    bool DrawItemMessage(const DRAWITEMSTRUCT& Draw);
    bool MeasureItemMessage(MEASUREITEMSTRUCT& Measure);

    TNotifyEvent OnChange;

protected:
    friend class TMenuItem;
    // Builds the native menu: a menu bar for a main menu, a popup for the others.
    virtual HMENU CreateMenuHandle();
    // An item changed: the native menu follows, rebuilt or (only Source's
    // looks changed) with Source's entry updated in place, so that a menu
    // the user has open keeps its handles.
    virtual void MenuChanged(TMenuItem* Source, bool Rebuild = true);
    // The native entry of Item, as Populate makes it.
    static void FillItemInfo(TMenuItem* Item, MENUITEMINFOW& Info, String& Text);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Populate(HMENU Menu, TMenuItem* Parent);

    TMenuItem* FItems;
    TCustomImageList* FImages = nullptr;
    bool FOwnerDraw = false;
    TMenuAutoFlag FAutoLineReduction = maAutomatic;
    HMENU FHandle = nullptr;
};

// The first item under Root, depth first, for which Match holds (nil when none).
TMenuItem* FindMenuItem(TMenuItem* Root, const std::function<bool(TMenuItem*)>& Match);
// The shift state of the keyboard now, as a key message sees it.
TShiftState KeyboardShiftState(Integer KeyData);

// ---------------------------------------------------------------------------
// The menu bar of a form (TCustomForm::SetMenu shows it).
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
    String ClassName() const override { return u"TMainMenu"; }
    // The form showing the menu, nil when none.
    HWND WindowHandle() const { return FWindowHandle; }
    void SetWindowHandle(HWND Value);

protected:
    HMENU CreateMenuHandle() override;
    void MenuChanged(TMenuItem* Source, bool Rebuild) override;

private:
    HWND FWindowHandle = nullptr;
};

// ---------------------------------------------------------------------------
// A menu that pops up at a point. The native popup runs modally; the chosen
// item is clicked after it has closed and OnClose has run.
class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
    String ClassName() const override { return u"TPopupMenu"; }

    // Fires OnPopup, shows the menu at the screen point and handles it.
    virtual void Popup(Integer X, Integer Y);
    // The control or component that opened the menu last.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value);
    // Whether a right click on a control with this menu opens it.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    // The point of the last Popup.
    TPoint PopupPoint() const { return FPopupPoint; }
    // The hidden window that owns the native popup while it shows.
    HWND WindowHandle() const { return FWindow; }

    TNotifyEvent OnPopup;
    TNotifyEvent OnClose;

protected:
    virtual void DoPopup(TObject* Sender);
    virtual void DoClose();
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void WndProc(TMessage& Message);

    TComponent* FPopupComponent = nullptr;
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    TPoint FPopupPoint{-1, -1};
    HWND FWindow = nullptr;
    // Set while the object lives; a popup freed by its own click is noticed.
    std::shared_ptr<bool> FAlive;
};
