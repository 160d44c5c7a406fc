// SkinMenus: the skinned menus. TsfSkinMenuItem paints one row of an open
// menu level; TsfSkinPopupWindow is the window of one level (rows, size,
// place, scrolling, painting, input); TsfSkinMenu is a form's menu engine (the
// stack of levels, the submenu delay, keys, the close rules and the close and
// command messages); TsfSkinPopupMenu is the popup menu component that opens
// its items through its form's engine; TsfSkinImagesMenu is the drop-down grid
// of an image list's images with its own window and message hook. Geometry,
// placement, scrolling and the keyboard walks are in skin/frame/SkinMenuCore.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls/win/Controls.h"
#include "framework/controls/win/Forms.h"
#include "framework/controls/win/ImgList.h"
#include "framework/controls/win/Menus.h"
#include "skin/controls/win/SkinMenuHooks.h"
#include "skin/frame/SkinFormFade.h"
#include "skin/frame/SkinMenuCore.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/SFSkinData.h"

class TsfSkinMenu;
class TsfSkinPopupWindow;
class TsfSkinHint;
class TsfSkinForm;

// Whether the platform has layered windows (every system the program runs on).
// Without them a transparent menu level shows after a short delay, blended
// with a copy of the screen behind it; tests switch this off to reach that way.
extern bool SkinMenuLayeredWindows;

// ---------------------------------------------------------------------------
// One row of an open level.
class TsfSkinMenuItem : public TObject {
public:
    TsfSkinMenuItem(TsfSkinPopupWindow* AParent, TMenuItem* AMenuItem, TsfDataSkinMenuItem* AData);
    String ClassName() const override { return u"TsfSkinMenuItem"; }

    TsfSkinPopupWindow* Parent;
    TsfDataSkinMenuItem* MI;
    TsfBitmap* ActivePicture = nullptr;
    TMenuItem* MenuItem;
    TRect ObjectRect;
    bool Active = false;
    bool Down = false;
    bool FVisible = true;
    bool WaitCommand = false;
    Integer CurrentFrame = 0;
    double MorphKf() const { return FMorphKf; }

    // Paints the row at ObjectRect onto the level's canvas.
    void Draw(TCanvas* Cnvs);
    void ResizeDraw(TCanvas* Cnvs);
    void DefaultDraw(TCanvas* Cnvs);
    void SkinSizeDraw(TCanvas* Cnvs);
    // The engine's rules for the row (highlight, leave, choose).
    void MouseEnter(bool Kb);
    void MouseLeave();
    void MouseDown(Integer X, Integer Y);
    bool EnableAnimation() const;
    bool EnableMorphing() const;
    virtual bool CanMorphing();
    void DoMorphing();
    // Asks for a redraw: at once, or through the level's morph timer.
    void StartItemDraw();
    bool IsSeparator() const { return MenuItem->IsLine(); }
    // A disabled "-word-" row: a header in a skinned level.
    bool IsHeader() const;

    double FMorphKf = 0;

private:
    // Skinned painting, the row picture resized to the row (Resize) or at the skin's size.
    void DrawSkinned(TCanvas* Cnvs, bool Resize);
    // The row's picture for state S into B (background, glyphs, texts).
    void PaintSkinRow(TsfBitmap* B, bool S, bool Resize);
    void PaintDefaultRow(TsfBitmap* B);
    void PaintHeader(TsfBitmap* B, bool Resize);
};

// ---------------------------------------------------------------------------
// The window of one open level.
class TsfSkinPopupWindow : public TCustomControl {
public:
    TsfSkinPopupWindow(TComponent* AOwner, TsfSkinMenu* AParentMenu, TsfDataSkinPopupWindow* AData,
                       bool SupportDirectlyMouseUp);
    ~TsfSkinPopupWindow() override;
    String ClassName() const override { return u"TsfSkinPopupWindow"; }

    void Show(const TRect& R, TMenuItem* AItem, Integer StartIndex, bool PopupByItem, bool PopupUp);
    void Show2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, Integer StartIndex, bool PopupByItem,
               bool PopupUp);
    void Hide();
    void PaintMenu(HDC DC);
    // Draws one row into the level's picture and onto the window.
    void DrawItem(TsfSkinMenuItem* Item);

    void PopupKeyDown(Integer CharCode);
    void TrackMouse(Integer X, Integer Y);
    void MouseTimerProc();
    bool CanScroll(Integer Code) const { return FLayout.CanScroll(Code); }
    void ScrollUp(bool Wrap);
    void ScrollDown(bool Wrap);
    void StartScroll();
    void StopScroll();
    Integer GetLastPageStartIndex() const { return FLayout.GetLastPageStartIndex(); }
    void StartMorph(Cardinal Interval);

    TsfSkinMenu* ParentMenu;
    TsfDataSkinPopupWindow* PW = nullptr;
    TsfSkinData* SD = nullptr;
    TsfDataSkinMenuItem* DSMI = nullptr;
    TsfBitmap* WindowPicture = nullptr;
    TsfBitmap* MaskPicture = nullptr;
    std::vector<std::unique_ptr<TsfSkinMenuItem>> ItemList;
    Integer ActiveItem = -1;
    Integer OldActiveItem = -1;
    Integer ScrollCode = 0;
    TCustomImageList* ImgL = nullptr;
    Integer GlyphWidth = 16;
    Integer ShowX = 0, ShowY = 0;
    Integer OMX = -1, OMY = -1;
    bool AlphaBlend = false;
    Byte AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    // The screen behind the level, taken when it shows without layered windows.
    std::unique_ptr<TsfBitmap> Sc, ESc;
    // Transparent without layered windows: the level blends itself with ESc.
    bool EmulatesTransparency() const { return AlphaBlend && !SkinMenuLayeredWindows; }
    // B (a picture of the level's part at X, Y) blended with the screen copy behind it.
    void BlendWithScreen(TsfBitmap* B, Integer X, Integer Y) const;

    Integer VisibleStartIndex() const { return FLayout.VisibleStartIndex(); }
    Integer VisibleCount() const { return FLayout.VisibleCount(); }
    bool Scroll() const { return FLayout.Scroll(); }
    bool Scroll2() const { return FLayout.Scroll2(); }
    const TRect& NewItemsRect() const { return FLayout.ItemsRect(); }
    const TsfMenuLevelLayout& Layout() const { return FLayout; }
    TsfBitmap* PaintBuffer() const { return FPaintBuffer.get(); }
    bool Skinned() const { return PW != nullptr; }
    // The level was closed while its own input handling ran: freed when that ends.
    bool Closing() const { return FClosing; }
    const TsfFormFade& Fade() const { return FFade; }

    // Input handling in progress on this level (a close waits for it).
    class TInputScope;
    void Release();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override {}
    // The control's mouse-up beside the window's own, which takes no shift state.
    using TCustomControl::MouseUp;

private:
    void CreateItems(TMenuItem* AItem, TMenuItem* AItem2, Integer StartIndex);
    // The rows take their places and shown flags from the layout.
    void SyncRows();
    void SizeAndPlace(const TRect& R, bool PopupByItem, bool PopupUp);
    void ShowLevel();
    // The delayed show of a level that emulates transparency.
    void DelayedShow();
    void CreateMenuImage(TsfBitmap* B, bool DrawClient);
    void DrawScrollMarker(TsfBitmap* B, bool Top);
    void RepaintMarkers();
    void RepaintWindow();
    void SetRegion();
    void MouseUp(TMouseButton Button, Integer X, Integer Y);
    void MorphTimerProc();
    void FadeStep();
    TPoint ClientPoint(const TPoint& Screen) const;

    TsfMenuLevelLayout FLayout;
    TsfMovedFrame FFrame;
    std::unique_ptr<TsfBitmap> FBuffer;
    std::unique_ptr<TsfBitmap> FPaintBuffer;
    TsfFormFade FFade;
    bool FSupportDirectlyMouseUp = false;
    bool FCaptured = false;
    Integer FInput = 0;
    bool FClosing = false;
    bool FErased = false;
};

// ---------------------------------------------------------------------------
// A form's menu engine.
class TsfSkinMenu : public TComponent {
public:
    TsfSkinMenu(TComponent* AOwner, TCustomForm* AForm);
    ~TsfSkinMenu() override;
    String ClassName() const override { return u"TsfSkinMenu"; }

    void Popup(TControl* APopupCtrl, TsfSkinData* ASkinData, Integer StartIndex, const TRect& R, TMenuItem* AItem,
               bool PopupUp, bool SupportDirectlyMouseUp);
    void Popup2(TControl* APopupCtrl, TsfSkinData* ASkinData, Integer StartIndex, const TRect& R,
                TMenuItem* AItem, TMenuItem* AItem2, bool PopupUp, bool SupportDirectlyMouseUp);
    void Hide();
    void OpenLevel(const TRect& R, TMenuItem* AItem, Integer StartIndex, bool PopupByItem, bool PopupUp);
    void CloseLevels(Integer FromIndex);
    void ItemAction(TsfSkinPopupWindow* Level, TsfSkinMenuItem* Item, bool Kb, bool Click);
    Integer IndexOfLevel(const TsfSkinPopupWindow* Level) const;
    void WaitTimerProc();

    bool Visible() const { return FVisible; }
    bool First() const { return FFirst; }
    TCustomForm* Form() const { return FForm; }
    Integer LevelCount() const { return Integer(FPopupList.size()); }
    TsfSkinPopupWindow* Level(Integer Index) const { return FPopupList[size_t(Index)]; }
    TsfSkinPopupWindow* DeepestLevel() const { return FPopupList.empty() ? nullptr : FPopupList.back(); }
    TControl* PopupCtrl() const { return FPopupCtrl; }
    TControl* DCtrl() const { return FDCtrl; }
    TsfSkinMenuItem* WItem = nullptr;
    bool WaitTimerRunning() const;
    TRect WorkArea;
    TsfSkinData* SkinData = nullptr;
    TNotifyEvent OnMenuClose;
    bool AlphaBlend = false;
    Byte AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    Integer MaxMenuItemsInWindow = 0;
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    Integer DefaultMenuItemHeight() const { return FDefaultMenuItemHeight; }
    void SetDefaultMenuItemHeight(Integer Value);
    TFont* DefaultMenuItemFont() const { return FDefaultMenuItemFont.get(); }
    void SetDefaultMenuItemFont(TFont* Value);
    bool SupportDirectlyMouseUp() const { return FSupportDirectlyMouseUp; }
    // The skin the levels draw from: set and loaded, else none.
    TsfSkinData* LevelSkin() const { return SkinData && !SkinData->Empty ? SkinData : nullptr; }

    static constexpr Cardinal SubmenuDelay = 500;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SetPopupCtrl(TControl* Value);
    void SetDCtrl(TControl* Value);
    void StartPopup(TControl* APopupCtrl, TsfSkinData* ASkinData, bool SupportDirectlyMouseUp);
    void FreeLevel(TsfSkinPopupWindow* Level);

    TCustomForm* FForm;
    std::vector<TsfSkinPopupWindow*> FPopupList;
    bool FVisible = false;
    bool FFirst = false;
    TControl* FPopupCtrl = nullptr;
    TControl* FDCtrl = nullptr;
    TMenuItem* FItem2 = nullptr;  // the second item list of Popup2 for its first level
    bool FSupportDirectlyMouseUp = false;
    bool FUseSkinFont = true;
    bool FUseSkinSize = true;
    Integer FDefaultMenuItemHeight = 20;
    std::unique_ptr<TFont> FDefaultMenuItemFont;
    // Cleared when the engine goes: a command it ran may have freed it.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// ---------------------------------------------------------------------------
// The popup menu component of the program's forms.
class TsfSkinPopupMenu : public TPopupMenu, public TsfSkinPopupMenuLink {
public:
    explicit TsfSkinPopupMenu(TComponent* AOwner);
    ~TsfSkinPopupMenu() override;
    String ClassName() const override { return u"TsfSkinPopupMenu"; }

    void Popup(Integer X, Integer Y) override;
    void PopupFromRect(const TRect& R, bool APopupUp);
    void PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp) override;
    void Popup2(TControl* ACtrl, Integer X, Integer Y) override;
    TPopupMenu* Menu() override { return this; }

    TsfSkinData* SkinData() const { return FSD; }
    void SetSkinData(TsfSkinData* Value);
    bool SupportDirectlyMouseUp() const { return FSupportDirectlyMouseUp; }
    void SetSupportDirectlyMouseUp(bool Value) { FSupportDirectlyMouseUp = Value; }
    TCustomForm* ComponentForm() const { return FComponentForm; }
    void SetComponentForm(TCustomForm* Value) override;
    TsfSkinForm* SkinComponent() const { return FSkinComponent; }
    void SetSkinComponent(TsfSkinForm* Value);
    TPoint PopupPoint() const { return FPopupPoint; }
    TNotifyEvent OnMenuClose;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TsfSkinForm* FindSkinComponent() const;
    void DoPopupAt(TControl* ACtrl, const TRect& R, bool APopupUp, bool ADirectly, bool ANeedsSkin);

    TsfSkinData* FSD = nullptr;
    bool FSupportDirectlyMouseUp = false;
    TCustomForm* FComponentForm = nullptr;
    TsfSkinForm* FSkinComponent = nullptr;
    TPoint FPopupPoint{-1, -1};
};

// ---------------------------------------------------------------------------
// The images menu.
class TsfSkinImagesMenu;

class TsfImagesMenuItem : public TCollectionItem {
public:
    explicit TsfImagesMenuItem(TCollection* ACollection);
    String ClassName() const override { return u"TsfImagesMenuItem"; }
    void Assign(TPersistent* Source) override;

    bool Button = false;
    bool Header = false;
    const String& Caption() const { return FCaption; }
    virtual void SetCaption(const String& Value);
    String Hint;
    Integer ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(Integer Value);
    TNotifyEvent OnClick;
    TRect ItemRect;
    TColor Color = clNone;

private:
    String FCaption;
    Integer FImageIndex = -1;
};

class TsfImagesMenuItems : public TCollection {
public:
    explicit TsfImagesMenuItems(TsfSkinImagesMenu* AImagesMenu);
    String ClassName() const override { return u"TsfImagesMenuItems"; }
    TsfSkinImagesMenu* ImagesMenu() const { return FImagesMenu; }
    TsfImagesMenuItem* GetItem(Integer Index) const { return static_cast<TsfImagesMenuItem*>(Items(Index)); }
    TsfImagesMenuItem* Add() { return static_cast<TsfImagesMenuItem*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TsfSkinImagesMenu* FImagesMenu;
};

using TMouseMoveItemIndexChangedEvent = TEvent<TObject* /*Sender*/, Integer /*Index*/>;

class TsfSkinImagesMenuPopupWindow : public TCustomControl {
public:
    explicit TsfSkinImagesMenuPopupWindow(TsfSkinImagesMenu* AOwner);
    ~TsfSkinImagesMenuPopupWindow() override;
    String ClassName() const override { return u"TsfSkinImagesMenuPopupWindow"; }

    void Show(const TRect& PopupRect);
    void Hide(bool AProcessEvents);
    void GridKeyDown(Integer Key);
    void PaintGrid(HDC DC);

    TsfSkinImagesMenu* ImagesMenu;
    bool FSkinSupport = false;
    Integer MouseInItem = -1;
    Integer OldMouseInItem = -1;
    bool FDown = false;
    bool FItemDown = false;
    TNotifyEvent FOnItemChanged;
    const TsfImagesGridLayout& Grid() const { return FGrid; }
    const TsfFormFade& Fade() const { return FFade; }
    bool Hooked() const { return FHooked; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;

private:
    void OnAppMessage(MSG& Msg, bool& Handled);
    void Layout();
    void MouseMoveAt(const TPoint& P);
    void HideHint();
    void FadeStep();
    std::vector<TsfGridItemKind> Kinds() const;

    TMessageEvent OldAppMessage;
    bool FHooked = false;
    TsfImagesGridLayout FGrid;
    TsfMovedFrame FFrame;
    TsfBitmap* WindowPicture = nullptr;
    TsfBitmap* MaskPicture = nullptr;
    TsfFormFade FFade;
    bool FTracking = false;
    Integer FInput = 0;
    bool FFreePending = false;
    friend class TsfSkinImagesMenu;
};

class TsfSkinImagesMenu : public TComponent, public TsfSkinImagesMenuLink {
public:
    explicit TsfSkinImagesMenu(TComponent* AOwner);
    ~TsfSkinImagesMenu() override;
    String ClassName() const override { return u"TsfSkinImagesMenu"; }

    void Popup(Integer X, Integer Y);
    void PopupFromRect(const TRect& R) override;
    void Hide() override;
    void OnItemChanged(TObject* Sender);

    // What the buttons that show the menu use.
    TComponent* MenuComponent() override { return this; }
    Integer SelectedImageIndex() const override;
    String SelectedCaption() const override;
    TColor SelectedColor() const override;
    void SetOnInternalChange(TNotifyEvent Handler) override { OnInternalChange = std::move(Handler); }
    void SetOnInternalMenuClose(TNotifyEvent Handler) override { OnInternalMenuClose = std::move(Handler); }
    void ClearItems() override { FItems->Clear(); }
    Integer ItemCount() const override { return FItems->Count(); }
    void AddItem(Integer ImageIndex, const String& Caption, bool Button, TColor Color) override;
    void SetItemCaption(Integer Index, const String& Caption) override;
    TColor ItemColor(Integer Index) const override;
    void StoreItemIndex(Integer Value) override { FItemIndex = Value; }
    TsfSkinData* MenuSkinData() const override { return FSkinData; }
    void SetMainWindowHandle(HWND Value) override { MainWindowHandle = Value; }
    void SetOnItemClick(TNotifyEvent Handler) override { OnItemClick = std::move(Handler); }
    void SetOnMenuPopup(TNotifyEvent Handler) override { OnMenuPopup = std::move(Handler); }
    void SetOnItemIndexChanged(TEvent<TObject*, Integer> Handler) override { OnItemIndexChanged = std::move(Handler); }
    TsfImagesMenuOptions Options() const override;
    void SetOptions(const TsfImagesMenuOptions& Value) override;
    TFont* MenuDefaultFont() override { return FDefaultFont.get(); }
    TComponent* MenuSkinHint() const override;
    void SetMenuSkinHint(TComponent* Value) override;
    TCollection* MenuItems() override { return FItems.get(); }
    TCollectionItem* SelectedMenuItem() const override { return SelectedItem(); }

    TCustomImageList* Images() const override { return FImages; }
    void SetImages(TCustomImageList* Value) override;
    TsfSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TsfSkinHint* Value);
    bool ShowHints = true;
    TsfImagesMenuItems* ImagesItems() const { return FItems.get(); }
    Integer ItemIndex() const override { return FItemIndex; }
    void SetItemIndex(Integer Value) override;
    bool UseSkinFont = true;
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    Integer ColumnsCount() const { return FColumnsCount; }
    void SetColumnsCount(Integer Value) override;
    TsfSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TsfSkinData* Value) override;
    bool ShowSelectedItem = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    Byte AlphaBlendValue = 200;
    TsfImagesMenuItem* SelectedItem() const;
    HWND MainWindowHandle = nullptr;
    TsfSkinImagesMenuPopupWindow* PopupWindow() const { return FPopupWindow; }

    TNotifyEvent OnItemClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnMenuPopup;
    TNotifyEvent OnMenuClose;
    TMouseMoveItemIndexChangedEvent OnItemIndexChanged;
    TNotifyEvent OnInternalChange;
    TNotifyEvent OnInternalMenuClose;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TsfSkinImagesMenuPopupWindow;
    // The grid closed: free it, then the events.
    void CloseUp(bool AProcessEvents);

    TCustomImageList* FImages = nullptr;
    TsfSkinHint* FSkinHint = nullptr;
    std::unique_ptr<TsfImagesMenuItems> FItems;
    Integer FItemIndex = -1;
    std::unique_ptr<TFont> FDefaultFont;
    Integer FColumnsCount = 1;
    TsfSkinData* FSkinData = nullptr;
    TsfSkinImagesMenuPopupWindow* FPopupWindow = nullptr;
    Integer FOldItemIndex = -1;
};

// Installs the skinned menus as the services the skinned controls reach them
// through (once, at start-up); returns the services before.
TsfSkinMenuServices* InstallSkinFrameMenuServices();

// The skin description of a menu row for a skin, or nullptr.
TsfDataSkinMenuItem* FindMenuItemData(TsfSkinData* SD, bool UpperFirst);
