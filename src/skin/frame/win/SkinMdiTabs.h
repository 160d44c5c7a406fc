// SkinMdiTabs: TsfSkinMDITabsBar, the bar of a multiple-document main form
// with one tab per MDI child: a tab activates its child, can be dragged to
// another place, closes its child from its close button, and two list
// buttons list every child and the children whose tabs do not fit. The
// layout comes from skin/frame/SkinMdiTabsCore; the looks from the skin's
// tab description, or a plain default look.
#pragma once

#include <memory>
#include <vector>

#include "skin/controls/SkinTabsCore.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/frame/SkinMdiTabsCore.h"

class TsfSkinMDITabsBar;
class TsfSkinForm;
class TsfSkinMenuSpeedButton;
class TsfSkinPopupMenu;

// One tab: its child, place and states.
class TsfMDITab {
public:
    TsfMDITab(TsfSkinMDITabsBar* ABar, TCustomForm* AChild) : TabsBar(ABar), Child(AChild) {}
    // Drawn off screen at the tab's size, then onto Canvas at ObjectRect.
    void Draw(TCanvas* Canvas);
    void Draw(TsfBitmap* Dst);

    TsfSkinMDITabsBar* TabsBar;
    TCustomForm* Child;
    TRect ObjectRect{};
    bool Active = false;
    bool MouseIn = false;
    bool Visible = true;
    TRect ButtonRect{};  // relative to the tab
    bool ButtonMouseIn = false;
    bool ButtonMouseDown = false;

private:
    void DrawInto(TsfBitmap& B);
    void DrawCloseButton(TsfBitmap& B, const TRect& Area);
};

enum TsfSkinMDITabKind { sftkTab, sftkButton };

using TsfMDITabEvent = TEvent<TsfMDITab* /*Tab*/>;
using TsfMDITabMouseEvent = TEvent<TMouseButton /*Button*/, TShiftState /*Shift*/, TsfMDITab* /*Tab*/>;
using TsfMDITabDrawParamsEvent = TEvent<TsfMDITab* /*Tab*/, TCanvas* /*Canvas*/>;

class TsfSkinMDITabsBar : public TsfSkinControl {
public:
    using inherited = TsfSkinControl;
    // 150 x 21, SkinDataName "tab".
    explicit TsfSkinMDITabsBar(TComponent* AOwner);
    ~TsfSkinMDITabsBar() override;
    String ClassName() const override { return u"TsfSkinMDITabsBar"; }

    void AddTab(TCustomForm* Child);
    void DeleteTab(TCustomForm* Child);
    void UpdateActiveTab();
    Integer GetTabIndex(Integer X, Integer Y);
    TsfMDITab* GetTab(Integer X, Integer Y);
    Integer GetCloseSize();
    void ChangeSkinData() override;
    void GetSkinData() override;
    // Lays the tabs out for the bar's size (before every paint).
    void CalcObjectRects();
    // Redraws Tab on the bar at once.
    void RedrawTab(TsfMDITab* Tab);

    TsfSkinMDITabKind TabKind() const { return FTabKind; }
    void SetTabKind(TsfSkinMDITabKind Value);
    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool Value);
    bool MoveTabs = true;
    bool DblClickChildMove = false;
    bool SupportChildMenus = true;
    TsfSkinForm* SkinForm() const { return FSkinForm; }
    void SetSkinForm(TsfSkinForm* Value);
    bool UseSkinSize = true;
    bool UseSkinFont = true;
    Integer DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(Integer Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    Integer DefaultTabWidth = 100;
    Integer MinTabWidth = 0;
    TsfMDITabEvent OnTabMouseEnter;
    TsfMDITabEvent OnTabMouseLeave;
    TsfMDITabMouseEvent OnTabMouseDown;
    TsfMDITabMouseEvent OnTabMouseUp;
    TsfMDITabDrawParamsEvent OnTabGetDrawParamsEvent;

    std::vector<std::unique_ptr<TsfMDITab>> ObjectList;
    Integer ActiveTabIndex = -1;
    Integer OldTabIndex = -1;
    Integer DragIndex = -1;
    bool IsDrag = false;
    Integer InVisibleCount() const { return FInVisibleCount; }
    TsfSkinMenuSpeedButton* ListButton() const { return FListButton; }
    TsfSkinMenuSpeedButton* HideListButton() const { return FHideListButton; }
    TsfSkinPopupMenu* ListMenu() const { return FListMenu; }
    TsfSkinPopupMenu* HideListMenu() const { return FHideListMenu; }

    // The skin's tab description as the bar uses it (valid while Described()).
    bool Described() const { return FDescribed; }
    const TsfTabSkin& Skin() const { return FSkin; }
    const TsfBitmap* SkinPicture() const { return FPicture; }
    Integer BottomOffset() const { return FBottomOffset; }
    Integer ActiveTabOffset() const { return FActiveTabOffset; }
    Integer CloseSize() const { return FCloseSize; }

protected:
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void Paint() override;
    void AdjustClientRect(TRect& Rect) override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

private:
    void TestActive(Integer X, Integer Y);
    void DrawTabs(TsfBitmap* B);
    void DrawDropMarker(TsfBitmap* B);
    void UpdateListButtons();
    void RebuildListMenu(bool HiddenOnly);
    bool InCloseButton(const TsfMDITab* Tab, Integer X, Integer Y) const;
    TsfMDITabsLayout Layout();

    TsfSkinMDITabKind FTabKind = sftkTab;
    bool FShowCloseButtons = false;
    TsfSkinForm* FSkinForm = nullptr;
    Integer FDefaultHeight = 21;
    std::unique_ptr<TFont> FDefaultFont;
    Integer FCloseSize = 14;
    Integer FBottomOffset = 0;
    Integer FActiveTabOffset = 0;
    Integer FInVisibleCount = 0;
    Integer DX = 0;
    Integer TabDX = 0;
    bool FDown = false;
    bool FDescribed = false;
    TsfTabSkin FSkin;
    TsfBitmap* FPicture = nullptr;
    TsfSkinMenuSpeedButton* FListButton = nullptr;      // owned as components
    TsfSkinMenuSpeedButton* FHideListButton = nullptr;
    TsfSkinPopupMenu* FListMenu = nullptr;
    TsfSkinPopupMenu* FHideListMenu = nullptr;
};
