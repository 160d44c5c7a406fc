// SkinMainMenuBar: TsfSkinMainMenuBar, a skinned bar under a form's caption
// showing the top-level items of a main menu. Its items open their submenus
// through the form component's menu engine, follow the mouse while a menu is
// open, are driven by the keyboard through the form component, and list the
// items that do not fit behind a scroll marker; on an MDI main form it shows
// a maximised child's system-menu, minimise, restore and close buttons. The
// arithmetic is skin/frame/SkinMainMenuBarCore's.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls/win/Forms.h"
#include "framework/controls/win/Menus.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/frame/SkinMainMenuBarCore.h"
#include "skin/frame/SkinObjectsCore.h"
#include "skin/frame/win/SkinMainMenuBarLink.h"
#include "skin/model/SFObjectData.h"

class TsfSkinMainMenuBar;
class TsfSkinForm;

class TsfMenuBarObject {
public:
    TsfMenuBarObject(TsfSkinMainMenuBar* AParent, const TsfDataSkinObject* AData);
    virtual ~TsfMenuBarObject() = default;
    // Repaints the object; one that can morph starts the bar's morph timer too.
    void ReDraw();
    // Morphing is on for the object and the bar's skin allows effects.
    bool CanMorph() const;
    // The morph has some way to go towards the look of the hot state.
    bool CanMorphing() const;
    // One morph step (0.2) towards the hot or the normal look.
    void DoMorphing();
    bool MorphUnderWay() const { return CanMorph() && CanMorphing(); }
    virtual void Draw(TsfBitmap* B) { (void)B; }
    virtual void DblClick() {}
    virtual void MouseDown(Integer X, Integer Y, TMouseButton Button) { (void)X, (void)Y, (void)Button; }
    virtual void MouseUp(Integer X, Integer Y, TMouseButton Button) { (void)X, (void)Y, (void)Button; }
    virtual void MouseEnter();
    virtual void MouseLeave();
    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double Value) { FMorphKf = Value < 0 ? 0 : Value > 1 ? 1 : Value; }

    TsfSkinMainMenuBar* Parent;
    bool FMouseIn = false;
    TsfBitmap* Picture = nullptr;
    bool FDown = false;
    String IDName;
    TRect SkinRect{}, ActiveSkinRect{}, DownRect{};
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    TRect ObjectRect{};
    bool Active = false;
    bool Enabled = true;
    bool Visible = true;

protected:
    double FMorphKf = 0;
};

class TsfSkinMainMenuBarButton : public TsfMenuBarObject {
public:
    TsfSkinMainMenuBarButton(TsfSkinMainMenuBar* AParent, const TsfDataSkinMainMenuBarButton* AData, TStdCommand ACommand);
    void Draw(TsfBitmap* B) override;
    void MouseDown(Integer X, Integer Y, TMouseButton Button) override;
    void MouseUp(Integer X, Integer Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DblClick() override;
    void DoCommand();
    bool FSkinSupport = false;
    TStdCommand Command;
};

class TsfSkinMainMenuBarItem : public TsfMenuBarObject {
public:
    TsfSkinMainMenuBarItem(TsfSkinMainMenuBar* AParent, const TsfDataSkinMainMenuBarItem* AData);
    void Draw(TsfBitmap* B) override;
    void MouseDown(Integer X, Integer Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Pressed: its submenu opens beside it; released: back to the normal look.
    void SetDownState(bool Value);
    bool HasSubItems() const { return MenuItem && MenuItem->Count() > 0; }
    // The width the item takes for its caption.
    Integer CalcWidth(TCanvas* C) const;

    bool FSkinSupport = false;
    bool OldEnabled = true;
    bool Fits = true;  // the item found room on the bar
    TMenuItem* MenuItem = nullptr;
    String FontName;
    Integer FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
    TRect TextRct{};
    Integer LO = 0, RO = 0;
    bool StretchEffect = false;
    // The item's animation: FrameCount frames of AnimateSkinRect (stacked
    // when the strip is taller than SkinRect, else side by side), one every
    // AnimateInterval ms while hot; CurrentFrame 0 is the normal look and
    // FrameCount + 1 the hot one.
    TRect AnimateSkinRect{};
    Integer FrameCount = 0, AnimateInterval = 0, CurrentFrame = 0;
    bool InActiveAnimation = false;
    bool AnimationEnabled() const;
    TRect AnimationFrame(Integer N) const;

private:
    void SetFont(TCanvas* C) const;
    bool Skinned() const;
    // The face of one look (Src of the picture, or the tool-bar button) with
    // the caption in that look's colour; Bar: the bar's picture under it.
    void DrawFace(TsfBitmap& Face, const TsfBitmap* Bar, const TRect& Src, bool Hot, bool Down) const;
};

using TMainMenuItemClick = TEvent<const String& /*IDName*/>;
using TsfItemEnterEvent = TEvent<TMenuItem* /*MenuItem*/>;

class TsfSkinMainMenuBar : public TsfSkinControl, public TsfMainMenuBarLink {
public:
    using inherited = TsfSkinControl;
    // Aligned to the top, 22 high, SkinDataName "mainmenubar".
    explicit TsfSkinMainMenuBar(TComponent* AOwner);
    ~TsfSkinMainMenuBar() override;
    String ClassName() const override { return u"TsfSkinMainMenuBar"; }

    TMainMenu* MainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* Value);
    TsfSkinForm* SkinForm() const { return DSF; }
    // Links the bar to the form component (its MainMenuBar).
    void SetSkinForm(TsfSkinForm* Value);
    void Merge(TMainMenu* Menu);
    void UnMerge();
    void UpDateItems();
    void UpDateEnabledItems();
    TMainMenu* GetChildMainMenu();
    void CreateMenu();
    void CalcItemsRect();
    void PaintBar(TsfBitmap* B);
    void DrawObject(TsfMenuBarObject* O);
    void UpdateActiveObject(Integer X, Integer Y);
    void PopupHiddenItems();
    // A maximised MDI child's buttons come and go with it.
    void ShowChildButtons();
    void CheckChildButtons();
    void ReleaseSysMenuButton();
    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;

    // The keyboard, through the form component.
    bool MenuBarAccelKey(Integer Key) override;
    void SelectNextItem() override;
    void SelectPrevItem() override;
    bool OpenActiveItem() override;
    void EnterMenuBar() override;
    void ReleaseDownItem() override;
    void LeaveMenuBar() override;
    TMainMenu* BarMainMenu() const override { return FMainMenu; }
    TMainMenu* ShownChildMainMenu() override { return ChildMenuIn ? GetChildMainMenu() : nullptr; }

    // Tool-bar mode: the items are the skin's "resizetoolbutton" and, without
    // the skin's size, the bar its "resizetoolpanel" (else "panel"); with
    // transparent items the normal look is the bar itself.
    bool ToolBarMode = false;
    bool ToolBarModeItemTransparent = false;
    bool UseSkinSize = true;
    bool UseSkinFont = true;
    bool ScrollMenu = true;
    bool PopupToUp = false;
    TFont* DefItemFont() const { return FDefItemFont.get(); }
    // The items' font without the skin's (assigned; a bar without skin repaints).
    void SetDefItemFont(TFont* Value);
    // The size without skin: a value above 0 sizes a bar that has no skin at once.
    Integer DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(Integer Value);
    Integer DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(Integer Value);
    // A skinned bar of the skin's size keeps the height of its picture.
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    TMainMenuItemClick OnMainMenuItemClick;
    TsfItemEnterEvent OnItemMouseEnter;
    TsfItemEnterEvent OnItemMouseLeave;

    std::vector<std::unique_ptr<TsfMenuBarObject>> ObjectList;
    Integer ButtonsCount = 0;
    bool FMDIChildMax = false;
    bool MenuActive = false;
    bool Scroll = false;
    bool MarkerActive = false;
    bool ChildMenuIn = false;
    Integer ActiveObject = -1, OldActiveObject = -1, MouseCaptureObject = -1;
    TRect NewItemsRect{};
    // The skin's bar description (valid with FSkinSupport).
    bool FSkinSupport = false;
    TRect BarSkinRect{}, ItemsRect{};
    String MenuBarItem, MaxButton, MinButton, SysMenuButton, CloseButton;
    TColor TrackMarkColor = clBtnShadow, TrackMarkActiveColor = clBtnText;
    TsfBitmap* BarPicture = nullptr;
    bool StretchEffect = false;
    bool ItemTransparent = false;
    std::vector<TsfSkinMainMenuBarItem*> Items() const;
    // The morph timer (25 ms) and the item animation timer (an item's interval).
    void StartMorphTimer();
    void StartAnimateTimer(Integer Interval);
    bool MorphTimerRunning() const;
    bool AnimateTimerRunning() const;
    void MorphTimerTick();
    void ItemAnimateTimerTick();

protected:
    void CreateControlDefaultImage(TsfBitmap* B) override;
    void CreateControlSkinImage(TsfBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

private:
    void ClearBarObjects();
    void CreateChildButtons();
    void DeleteChildButtons();
    void UpdateChildButtonsEnabled(TBorderIcons Icons);
    void LayoutObjects(TCanvas* Measure);
    void MouseTimerTick();
    Integer ItemIndexInList(const TsfMenuBarObject* O) const;

    TsfSkinForm* DSF = nullptr;
    TMainMenu* FMainMenu = nullptr;
    TMainMenu* FMergeMenu = nullptr;
    std::unique_ptr<TFont> FDefItemFont;
    Integer FDefaultWidth = 0;
    Integer FDefaultHeight = 22;
};
