// SkinExCtrls: the skinned horizontal image list box, one row of equally wide
// items (an image of an image list with its caption), scrolled by a skinned
// bar that exists only while the items do not fit. Its item places, scroll
// range and key search live in TsfHorzListCore (SkinListCore). Windows only.
#pragma once

#include "framework/controls/win/ImgList.h"
#include "skin/controls/SkinListCore.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/model/SFTypes.h"

class TsfSkinHorzListBox;

// Draws an item's content into TextRct of Cnvs.
using TsfDrawSkinOfficeItemEvent = std::function<void(TCanvas* Cnvs, Integer Index, const TRect& TextRct)>;

class TsfSkinHorzItem : public TCollectionItem {
public:
    using inherited = TCollectionItem;
    explicit TsfSkinHorzItem(TCollection* Collection);
    String ClassName() const override { return u"TsfSkinHorzItem"; }
    // Copies ImageIndex, Caption and Enabled.
    void Assign(TPersistent* Source) override;

    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    void* Data = nullptr;
    TNotifyEvent OnClick;
    // Whether the item is the selected one (set only by a selection).
    bool Active = false;

private:
    Integer FImageIndex = -1;
    String FCaption;
    bool FEnabled = true;
};

class TsfSkinHorzItems : public TCollection {
public:
    using inherited = TCollection;
    explicit TsfSkinHorzItems(TsfSkinHorzListBox* AListBox);
    String ClassName() const override { return u"TsfSkinHorzItems"; }
    TsfSkinHorzItem* Items(Integer Index) const { return static_cast<TsfSkinHorzItem*>(inherited::Items(Index)); }
    TsfSkinHorzItem* Add() { return static_cast<TsfSkinHorzItem*>(inherited::Add()); }
    TsfSkinHorzItem* Insert(Integer Index) { return static_cast<TsfSkinHorzItem*>(inherited::Insert(Index)); }
    TPersistent* Owner() const override;
    TsfSkinHorzListBox* HorzListBox;

protected:
    void Update(TCollectionItem* Item) override;
};

class TsfSkinHorzListBox : public TsfSkinCustomControl {
public:
    using inherited = TsfSkinCustomControl;
    // 250 x 100, item width 70, SkinDataName "listbox".
    explicit TsfSkinHorzListBox(TComponent* AOwner);
    ~TsfSkinHorzListBox() override;
    String ClassName() const override { return u"TsfSkinHorzListBox"; }

    TsfSkinHorzItems* Items() const { return FItems.get(); }
    void SetItems(TsfSkinHorzItems* Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    Integer ItemIndex() const { return FItemIndex; }
    // Selects Value (-1: none, the marks stay), scrolls it into view and fires
    // the item's OnClick and OnItemClick (again for the same index).
    void SetItemIndex(Integer Value);
    Integer ItemWidth() const { return FCore.ItemWidth; }
    void SetItemWidth(Integer Value);
    bool ShowGlow() const { return FShowGlow; }
    void SetShowGlow(bool Value);
    bool ShowItemTitles() const { return FShowItemTitles; }
    void SetShowItemTitles(bool Value);
    TsfButtonLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TsfButtonLayout Value);
    Integer ItemMargin() const { return FItemMargin; }
    void SetItemMargin(Integer Value);
    Integer ItemSpacing() const { return FItemSpacing; }
    void SetItemSpacing(Integer Value);
    bool MouseMoveChangeIndex() const { return FMouseMoveChangeIndex; }
    void SetMouseMoveChangeIndex(bool Value) { FMouseMoveChangeIndex = Value; }
    TsfSkinScrollBar* ScrollBar() const { return FScrollBar; }
    Integer ScrollOffset() const { return FCore.ScrollOffset; }
    const TsfHorzListCore& Core() const { return FCore; }

    Integer CalcWidth(Integer AItemsCount);
    void BeginUpdateItems();
    void EndUpdateItems();
    void ScrollToItem(Integer Index);
    void Scroll(Integer AScrollOffset);
    Integer ItemAtPos(Integer X, Integer Y);
    void CalcItemRects();
    void GetScrollInfo(Integer& AMin, Integer& AMax, Integer& APage, Integer& APosition);
    void UpdateScrollInfo();
    void ShowScrollbar();
    void HideScrollBar();
    void AdjustScrollBar();
    void DrawItem(Integer Index, TCanvas* Cnvs);
    void SkinDrawItem(Integer Index, TCanvas* Cnvs);
    void DefaultDrawItem(Integer Index, TCanvas* Cnvs);
    void FindUp();
    void FindDown();
    void FindPageUp();
    void FindPageDown();
    TRect ItemRect(Integer Index) const { return FCore.Items[size_t(Index)].ItemRect; }

    void ChangeSkinData() override;

    TsfDrawSkinOfficeItemEvent OnDrawItem;
    TNotifyEvent OnItemClick;

protected:
    friend class TsfSkinHorzItems;
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void WMSize(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

private:
    TRect ItemArea() const;
    Integer BarHeight() const;
    void SyncItems();
    void SetActiveItem(Integer Index);
    void DrawItems(TsfBitmap* B);

    std::unique_ptr<TsfSkinHorzItems> FItems;
    TsfHorzListCore FCore;
    bool FInUpdateItems = false;
    bool FShowGlow = false;
    TsfButtonLayout FItemLayout = blGlyphTop;
    Integer FItemMargin = -1;
    Integer FItemSpacing = 1;
    bool FMouseMoveChangeIndex = false;
    TColor FDisabledFontColor = TColor(0x808080);
    bool FClicksDisabled = false;
    bool FMouseDown = false;
    Integer FMouseActive = -1;
    TCustomImageList* FImages = nullptr;
    bool FShowItemTitles = true;
    Integer FOldWidth = -1;
    TsfSkinScrollBar* FScrollBar = nullptr;
    Integer FItemIndex = -1;
};

// ---------------------------------------------------------------------------
// Graphic buttons (SkinExCtrls_Buttons.cpp): a menu tool button that owns its
// drop-down grid of pictures and shows the chosen one on its face.

#include "skin/controls/win/SkinButtons.h"

class TsfSkinGraphicButton : public TsfSkinMenuSpeedButton, public TsfImagesMenuProperties {
public:
    using inherited = TsfSkinMenuSpeedButton;
    explicit TsfSkinGraphicButton(TComponent* AOwner);
    ~TsfSkinGraphicButton() override;
    String ClassName() const override { return u"TsfSkinGraphicButton"; }
    void Loaded() override;

    // The grid's selected item (stored without the grid's notification; repaints).
    Integer ItemIndex() const;
    void SetItemIndex(Integer Value);
    // The grid's selected item (a TsfImagesMenuItem), nullptr when ItemIndex is out of range.
    TCollectionItem* SelectedItem() const { return FGraphicMenu ? FGraphicMenu->SelectedMenuItem() : nullptr; }
    // The grid's items (a TsfImagesMenuItems), nullptr without a grid.
    TCollection* GraphicItems() const { return FGraphicMenu ? FGraphicMenu->MenuItems() : nullptr; }
    // The grid (nil when no skinned menus are installed) and its pictures.
    TsfSkinImagesMenuLink* GraphicMenu() const { return FGraphicMenu; }
    TCustomImageList* GraphicImages() const { return FGraphicImages; }

protected:
    // Fill the pictures and the grid's items; nothing here.
    virtual void CreateGraphicImages() {}
    virtual void CreateGraphicItems() {}
    // Runs both (the constructor of each final class calls it: virtual calls need the whole object).
    void Fill();

    TsfSkinImagesMenuLink* FGraphicMenu = nullptr;  // owned (a component of this button)
    TCustomImageList* FGraphicImages = nullptr;     // owned (a component of this button)
};

// The five pen styles: solid, dash, dot, dash-dot, dash-dot-dot.
class TsfSkinPenStyleButton : public TsfSkinGraphicButton {
public:
    explicit TsfSkinPenStyleButton(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinPenStyleButton"; }

protected:
    void CreateGraphicImages() override;
    void CreateGraphicItems() override;
};
