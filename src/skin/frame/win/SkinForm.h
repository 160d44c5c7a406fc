// SkinForm: TsfSkinForm, the component a form carries to have its window
// frame drawn from the skin. It hooks the form's window procedure, answers the
// non-client messages from the frame geometry (skin/frame/SkinFrameGeometry)
// or from the plain default frame, paints the frame strips and the client
// background, keeps the window region and the size limits, and fades the form
// in on the skin clock.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls/win/Forms.h"
#include "skin/frame/SkinFormFade.h"
#include "skin/frame/SkinMdiCore.h"
#include "skin/frame/SkinWindowState.h"
#include "skin/frame/SkinFrameGeometry.h"
#include "skin/controls/win/SkinMenuHooks.h"
#include "skin/frame/win/SkinClientInActivePanel.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/frame/win/SkinAnimatedObjects.h"
#include "skin/frame/win/SkinHint.h"
#include "skin/frame/win/SkinMainMenuBarLink.h"
#include "skin/frame/win/SkinObjects.h"
#include "skin/frame/win/SkinTrayLink.h"
#include "skin/frame/win/SkinValueObjects.h"
#include "skin/model/SFSkinData.h"
#include "skin/model/win/SFLayerManager.h"

class TsfSkinScrollBar;
class TsfSkinMDITabsBar;
class TsfQuickButtonItems;
class TsfFormLayerBorder;
class TCustomImageList;

// The platform's error for an owner that is not a form.
LM_EXCEPTION_CLASS(EInvalidCast, Exception);

using TsfBorderIcons = Byte;
constexpr TsfBorderIcons sfbiSystemMenu = 1 << 0;
constexpr TsfBorderIcons sfbiMinimize = 1 << 1;
constexpr TsfBorderIcons sfbiMaximize = 1 << 2;
constexpr TsfBorderIcons sfbiRollUp = 1 << 3;
constexpr TsfBorderIcons sfbiMinimizeToTray = 1 << 4;

enum TsfPositionInMonitor : Byte { sfpDefault, sfpScreenCenter, sfpDesktopCenter };

using TsfCaptionPaintEvent = TEvent<TCanvas* /*Cnvs*/, TRect /*R*/, bool /*AActive*/>;
// Frame-object events: the object's IDName first.
using TsfMouseObjectEvent = TEvent<const String& /*IDName*/, Integer /*X*/, Integer /*Y*/, TRect /*ObjectRect*/,
                                   TMouseButton /*Button*/>;
using TsfMouseMoveObjectEvent = TEvent<const String& /*IDName*/, Integer /*X*/, Integer /*Y*/, TRect /*ObjectRect*/>;
using TsfObjectEvent = TEvent<const String& /*IDName*/>;
using TsfPaintObjectEvent = TEvent<const String& /*IDName*/, TCanvas* /*Canvas*/, TRect /*ObjectRect*/>;
// Whether a skin's cmDefault caption button shows (Visible comes in False).
using TsfActivateCustomObjectEvent = TEvent<const String& /*IDName*/, bool& /*Visible*/>;
using TsfChangeClientRectEvent = TEvent<TRect /*NewClientRect*/>;
using TSwitchChangeStateEvent = TEvent<const String& /*IDName*/, TSwitchState /*State*/>;
using TTrackBarChangeValueEvent = TEvent<const String& /*IDName*/, Integer /*Value*/>;
using TFrameRegulatorChangeValueEvent = TEvent<const String& /*IDName*/, Integer /*Value*/>;
using TsfOnAcceptToMDITabsBar = TEvent<bool& /*Accept*/>;

class TsfSkinForm : public TComponent, public TsfSkinFormLink {
public:
    // AOwner must be a form: anything else raises EInvalidCast before any part is made.
    explicit TsfSkinForm(TComponent* AOwner);
    ~TsfSkinForm() override;
    String ClassName() const override { return u"TsfSkinForm"; }
    void Loaded() override;

    TCustomForm* Form() const { return FForm; }
    static String GetProductVersion() { return u"12.22"; }

    // ---- Skin.
    TsfSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TsfSkinData* Value);
    TsfSkinData* MenusSkinData() const override { return FMSD; }
    void SetMenusSkinData(TsfSkinData* Value) { FMSD = Value; }
    // A skin is loaded and the frame is drawn from it (as of the last skin change).
    bool SkinSupport() const { return FSkinSupport; }
    bool GetSkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool Value);

    // ---- Frame objects (laid out and drawn by the frame; hosted by the object host).
    std::vector<std::unique_ptr<TsfActiveSkinObject>> ObjectList;
    TsfFrameObjectList ObjectPlaces() const;
    Integer ActiveObject = -1;
    Integer OldActiveObject = -1;
    bool MouseIn = false;  // client mode: the mouse is over the form
    Integer MouseCaptureObject = -1;
    void FindActiveObject(Integer X, Integer Y, bool AInFrame);
    void ObjectsMouseDown(TMouseButton Button, Integer X, Integer Y);
    void ObjectsMouseUp(TMouseButton Button, Integer X, Integer Y);
    void ObjectsMouseMove(Integer X, Integer Y);
    void ObjectsDblClick();
    void ResetObjectsState();
    void UpdateSkinCursor();
    // The 25 ms morph and animation steps (skin clock, ids 4 and 5); each stops when idle.
    void StartMorphTimer();
    bool MorphTimerRunning() const;
    void MorphTimerProc();
    void StartAnimateTimer();
    bool AnimateTimerRunning() const;
    void AnimateTimerProc();
    // The button object named AIDName opens AMenu's items (above it with APopupUp).
    void LinkMenu(const String& AIDName, TMenu* AMenu, bool APopupUp);
    void DoPaintEvent(const String& IDName, TCanvas* Canvas, const TRect& ObjectRect);
    void DoMouseUpEvent(const String& IDName, Integer X, Integer Y, const TRect& ObjectRect, TMouseButton Button);
    void DoMouseDownEvent(const String& IDName, Integer X, Integer Y, const TRect& ObjectRect, TMouseButton Button);
    void DoMouseMoveEvent(const String& IDName, Integer X, Integer Y, const TRect& ObjectRect);
    void DoMouseEnterEvent(const String& IDName);
    void DoMouseLeaveEvent(const String& IDName);
    // The picture an object's normal look is cut from (the roll-up picture for RollUp).
    const TsfBitmap* ObjectPicture(bool RollUp);
    // The glow of the hot frame object.
    TsfLayerManager* LayerManager() const { return FLayerManager; }
    // The activation last told by WM_NCACTIVATE.
    bool FormActiveFlag() const { return FFormActive; }
    // The layered border is used and carries the whole caption (a full border).
    bool IsFullLayerBorderUsed() const;
    void ApplyInActiveEffect(TsfBitmap& B) const;

    // ---- Skin change: the objects of the new skin (or of the default frame),
    // the size limits, the region, and the form's skinned controls.
    void ChangeSkinData();
    void ClearObjects();
    void CreateObjects();
    void CreateDefaultObjects();
    void UpdateCaptionButtons();
    void UpdateObjectHints();
    // Walks AControl and its children, parents first; ASkinData null: every skinned control.
    static void BeforeChangeSkinDataOfControls(TsfSkinData* ASkinData, TControl* AControl);
    static void ChangeSkinDataOfControls(TsfSkinData* ASkinData, TControl* AControl);
    bool InChangeSkinData() const { return FInChangeSkinData; }

    // ---- The application's access to the frame's objects by skin name: the
    // first object of that name counts; a missing name, or one of another kind,
    // does nothing and reads neutral values.
    Integer GetIndex(const String& AIDName) const;
    void UserObjectDraw(const String& AIDName);
    void CaptionSetText(const String& AIDName, const String& AText);
    void ButtonSetDown(const String& AIDName, bool ADown);
    bool ButtonGetDown(const String& AIDName) const;
    void SetEnabled(const String& AIDName, bool Value);
    void AnimateStart(const String& AIDName);
    void AnimateStop(const String& AIDName);
    Integer TrackBarGetValue(const String& AIDName) const;
    void TrackBarSetValue(const String& AIDName, Integer AValue);
    Integer FrameRegulatorGetValue(const String& AIDName) const;
    void FrameRegulatorSetValue(const String& AIDName, Integer AValue);
    void GaugeSetValue(const String& AIDName, Integer AValue);
    void FrameGaugeSetValue(const String& AIDName, Integer AValue);
    void LabelSetText(const String& AIDName, const String& ATextValue);
    void BitLabelSetText(const String& AIDName, const String& AValue);
    void SwitchSetState(const String& AIDName, TSwitchState Value);
    TSwitchState SwitchGetState(const String& AIDName) const;
    // What the objects report when the user changes them.
    void DoSwitchChangeState(const String& IDName, TSwitchState State);
    void DoTrackBarChangeValue(const String& IDName, Integer Value);
    void DoFrameRegulatorChangeValue(const String& IDName, Integer Value);
    TSwitchChangeStateEvent OnSwitchChangeStateEvent;
    TTrackBarChangeValueEvent OnTrackBarChangeValueEvent;
    TFrameRegulatorChangeValueEvent OnFrameRegulatorChangeValueEvent;
    // The 50 ms poll of the cursor while an object may be hot (skin clock, id 1).
    void StartMouseTimer();
    void StopMouseTimer();
    bool MouseTimerRunning() const;
    void MouseTimerProc();

    // ---- Geometry and painting.
    TsfFrameGeometry& Geometry() { return FGeometry; }
    void CalcDefRects();
    void CalcFrameRects();
    void CalcObjectRects();
    void UpdateFrameLayout(bool AUpdateObjects);
    TRect ConvertSkinRect(const TRect& R) const { return FGeometry.ConvertSkinRect(R); }
    void PaintNCSkin(HDC ADC, bool AUseExternalDC);
    void PaintNCDefault(HDC ADC, bool AUseExternalDC);
    void PaintBG(HDC DC);
    void PaintBG2(HDC DC);
    void PaintBG3(HDC DC);
    void PaintBGDefault(HDC DC);
    void PaintMDIBGDefault(HDC DC);
    void Paint(HDC DC);
    void DrawSkinObject(TsfActiveSkinObject* AObject);
    void PointToWindow(TPoint& P) const;
    void SetFormRegion(bool AUpdateMask);
    bool HasRegion() const { return FRgn != nullptr; }

    // ---- Size limits and hit tests.
    Integer GetMinWidth();
    Integer GetMinHeight();
    Integer GetMaxWidth();
    Integer GetMaxHeight();
    Integer CalcNCHitTest(const TPoint& P);
    Integer CalcDefHitTest(const TPoint& P);
    Integer CalcClientHitTest(const TPoint& P);

    // ---- Services.
    Integer GetDefCaptionHeight() const;
    Integer GetDefButtonSize() const;
    TRect GetDefCaptionRect();
    bool HasSkinFrame() const;
    bool HasSkinFrameGeometry() const { return FGeometry.HasSkinFrameGeometry(); }
    bool IsObjectInRollUpState(bool ARollUp) const;
    bool IsSizeAble() const;
    bool IsAutoRenderingInActiveImage() const { return FSkinSupport && FSD->AutoRenderingInActiveImage; }
    // Every visible stay-on-top form of the screen to the foreground.
    void BringStayOnTopFormsToFront();
    bool GetFormActive() const;
    void DoActivateEvents();
    void UpDateFormNC();
    void NudgeWidth();
    void NotifyControlsBackgroundChanged();
    void DrawLogo(TCanvas* Canvas);
    TSize GetIconSize() const;
    void DrawFormIcon(TCanvas* Canvas, Integer X, Integer Y);
    bool IconHasAlpha();
    void CutCaptionText(TCanvas* Canvas, String& S, Integer Width);
    TBorderIcons UpdateFormBorderIcons() const;
    // The form's short cuts: the component's OnShortCut first, then Alt+Space
    // (the system menu), then the main menu's accelerators (Alt+letter) and
    // short cuts, then those of an MDI child's menu shown on the bar.
    void FormShortCut(TWMKey& Msg, bool& Handled);
    // The form's place and size; with a layered border shown they are the outer frame's.
    void Move(Integer AX, Integer AY);
    void SetBounds(Integer AX, Integer AY, Integer AWidth, Integer AHeight);
    void ApplyPositionInMonitor();
    TPoint GetPositionInMonitor(Integer AX, Integer AY, Integer AW, Integer AH);
    TRect GetAreaRect(const String& AIDName);
    void SetFormBorderStyle(TFormBorderStyle BS);
    void SetFormStyle(TFormStyle FS);

    // ---- Alpha, fade-in and shadow.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    Byte AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value);
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    void EnableShadow(bool AShowShadow, bool AHideFormBefore);
    bool HaveShadow() const { return FHaveShadow; }
    const TsfFormFade& Fade() const { return FFade; }

    // ---- Properties (the form file's defaults).
    bool SupportNCArea() const { return FSupportNCArea; }
    void SetSupportNCArea(bool Value) { FSupportNCArea = Value; }
    TsfBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TsfBorderIcons Value);
    bool ShowIcon() const { return FShowIcon; }
    void SetShowIcon(bool Value);
    TFont* DefCaptionFont() const { return FDefCaptionFont.get(); }
    void SetDefCaptionFont(TFont* Value);
    TFont* DefInActiveCaptionFont() const { return FDefInActiveCaptionFont.get(); }
    void SetDefInActiveCaptionFont(TFont* Value);
    TBitmap* LogoBitMap() const { return FLogoBitMap.get(); }
    TWindowState WindowState() const { return FWindowStateInit; }
    TWindowState AppliedWindowState() const { return FWindowState; }
    // Records the requested state; the frame is laid out again at the next WM_SIZE.
    void SetWindowState(TWindowState Value);
    bool RollUpState() const { return FRollUpState; }
    bool UseRibbon() const { return FUseRibbon; }
    // Turning it on leaves the frame to the platform.
    void SetUseRibbon(bool Value);

    bool Sizeable = true;
    bool NCDraggAble = true;
    bool DraggAble = false;
    bool Magnetic = false;
    Byte MagneticSize = 10;
    Integer MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    Integer ClientWidth = 0, ClientHeight = 0;
    bool MaximizeOnFullScreen = false;
    bool HideCaptionButtons = false;
    bool UseFormCursorInNCArea = false;
    bool UseSkinFontInCaption = true;
    bool UseDefaultSysMenu = true;
    bool DisableSystemMenu = false;
    bool LogoBitMapTransparent = false;
    bool AlwaysShowInTray = false;
    bool AlwaysMinimizeToTray = false;
    bool ShowObjectHint = false;
    bool UseDefaultObjectHint = true;
    bool UseSkinCursors = false;
    bool ShowMDIScrollBars = true;
    bool ClientInActiveEffect = false;
    bool MenusAlphaBlend = false;
    bool MenusAlphaBlendAnimation = false;
    Byte MenusAlphaBlendValue = 200;
    Integer MaxMenuItemsInWindow = 0;
    TsfPositionInMonitor PositionInMonitor = sfpDefault;

    TsfCaptionPaintEvent OnCaptionPaint;
    TsfMouseObjectEvent OnMouseDownEvent;
    TsfMouseObjectEvent OnMouseUpEvent;
    TsfMouseMoveObjectEvent OnMouseMoveEvent;
    TsfObjectEvent OnMouseEnterEvent;
    TsfObjectEvent OnMouseLeaveEvent;
    TsfPaintObjectEvent OnPaintEvent;
    TsfActivateCustomObjectEvent OnActivateCustomObject;
    TsfChangeClientRectEvent OnChangeClientRect;
    TNotifyEvent OnChangeSkinData;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeActivate;
    TNotifyEvent OnRestore;
    TShortCutEvent OnShortCut;

    // The window procedure that the component puts in front of the form's.
    void NewWndProc(TMessage& Message);

    // ---- Skinned menus (SkinForm_Menus.cpp): every menu of the form opens
    // through its engine; while one is open the application's messages pass
    // OnAppMessage, which routes the keys to it.
    TsfSkinMenu* SkinMenu() const { return FSkinMenu; }
    // The glow layer of the open menu (hidden when the menu closes).
    TsfLayerManager* MenuLayerManager() const { return FMenuLayerManager; }
    bool InMenu = false;
    bool InMainMenu = false;
    void SkinMenuOpen();
    void SkinMenuClose();
    void PopupSkinMenu(TMenu* Menu, const TPoint& P);
    void PopupSkinMenu1(TMenu* Menu, const TRect& R, bool PopupUp);
    void DoPopupMenu(TPopupMenu* Menu, Integer X, Integer Y);
    void HookApp();
    void UnHookApp();
    bool AppHooked() const { return FInAppHook; }
    void OnAppMessage(MSG& Msg, bool& Handled);
    void MenuKeyDown(MSG& Msg);
    void LeaveMainMenu();
    void CloseMainMenuItemMenu();
    // The caption main menu: the visible items of MainMenu drawn in the
    // caption's main-menu area from the skin's "MAINMENUITEM" description.
    TMainMenu* MainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* Value);
    void UpdateMainMenu(bool ARedraw);
    void CreateMainMenuItems();
    TsfMainMenuBarLink* MainMenuBar() const { return FMainMenuBar; }
    void SetMainMenuBar(TsfMainMenuBarLink* Value) { FMainMenuBar = Value; }
    // Keyboard steps over the main menu: on the linked bar, else on the caption's items.
    bool MainMenuAccelKey(Integer Key);
    bool CanMoveToNextMainMenuItem() const;
    bool CanMoveToPrevMainMenuItem() const;
    void SelectNextMainMenuItem();
    void SelectPrevMainMenuItem();
    bool EnterMainMenu();
    bool OpenMainMenuItem();
    // Closes an open menu on the messages that should close it; first step of every message.
    void CheckMenuCloseMessage(const TMessage& Message);
    void HideSkinHint() override;
    // The hint component object hints and the caption show through (none: no hints).
    TsfSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TsfSkinHint* Value);
    bool UseSkinFontInMenu = true;
    bool UseSkinSizeInMenu = true;
    Integer DefMenuItemHeight() const { return FDefMenuItemHeight; }
    // Values of 0 or less are refused.
    void SetDefMenuItemHeight(Integer Value);
    TFont* DefMenuItemFont() const { return FDefMenuItemFont.get(); }
    void SetDefMenuItemFont(TFont* Value);
    TNotifyEvent OnSkinMenuOpen;
    TNotifyEvent OnSkinMenuClose;
    TNotifyEvent OnMainMenuEnter;
    TNotifyEvent OnMainMenuExit;

    // ---- Window state and roll-up (SkinForm_WindowState.cpp): the form is
    // maximised, minimised, restored and rolled up by the component itself.
    void ApplyWindowState(TWindowState Value);
    void DoMinimize();
    void DoMaximize();
    void DoRestore();
    TPoint GetMinimizedPosition();
    void SetRollUpState(bool Value);
    void RollUpNC();
    void RollDownNC();
    // The form's height when not rolled up.
    Integer GetUnrolledHeight() const;
    // Left double-click on the caption object.
    void CaptionDblClick();
    // Snaps a dragged form of AWidth x AHeight at (ALeft, ATop) to its area's edges.
    void MagneticMove(Integer& ALeft, Integer& ATop, Integer AHeight, Integer AWidth);
    TRect OldBoundsRect{};
    bool MaxRollUpState = false;

    // ---- System menu and window commands (SkinForm_SystemMenu.cpp): the
    // standard items are rebuilt from the window state at every opening.
    TMenuItem* GetSysMenuItems();
    void CreateSysMenu();
    void MergeSysMenuItems();
    void PopupSysMenuAtButton();
    void PopupSysMenuAtPoint(Integer X, Integer Y);
    void PopupSysMenuAtRect(const TRect& R);
    void SysMenuMaximizeClick(TObject* Sender);
    void SysMenuMinimizeClick(TObject* Sender);
    void SysMenuRestoreClick(TObject* Sender);
    void SysMenuRollUpClick(TObject* Sender);
    void SysMenuMinToTrayClick(TObject* Sender);
    void SysMenuCloseClick(TObject* Sender);
    // A menu of the form's own, not owned; the standard items join it when UseDefaultSysMenu.
    TPopupMenu* SystemMenu() const { return FSystemMenu; }
    void SetSystemMenu(TPopupMenu* Value);
    TNotifyEvent OnMinimize;
    TNotifyEvent OnMaximize;
    TNotifyEvent OnChangeRollUpState;

    // ---- The notification area (SkinForm_Tray.cpp): without a linked tray
    // icon there is no tray to go to and these do nothing.
    TsfTrayIconLink* TrayIcon() const { return FTrayIcon; }
    void SetTrayIcon(TsfTrayIconLink* Value);
    void MinimizeToTray();
    void RestoreFromTray();
    // The tray icon's menu (restore, close), made once with the component.
    TsfSkinPopupMenu* SysTrayMenu() const { return FSysTrayMenu; }
    void CreateSysTrayMenu();
    void TrayRestoreClick(TObject* Sender);
    void TrayCloseClick(TObject* Sender);
    void TrayIconDblClick(TObject* Sender);
    TNotifyEvent OnMinimizeToTray;
    TNotifyEvent OnRestoreFromTray;

    // ---- The inactive-client effect (SkinForm_Commands.cpp): with
    // ClientInActiveEffect on, an inactive form's client area shows a blurred
    // or faded snapshot of itself.
    TsfClientInActiveEffect ClientInActiveEffectType = sfieSemiTransparent;
    // A status bar whose size grip hides while the form is maximised (not owned).
    TsfSkinStatusBar* StatusBar() const { return FStatusBar; }
    void SetStatusBar(TsfSkinStatusBar* Value);
    void ShowClientInActiveEffect();
    void HideClientInActiveEffect();
    TsfClientInActivePanel* InActivePanel() const { return FInActivePanel; }

    // ---- Multiple-document forms (SkinForm_Mdi.cpp). The children are always
    // found through the main form's component: it lists them in its window
    // menu, arranges them, paints its MDI client from the skin and keeps its
    // own scroll bars over the client.
    TTileMode TileMode() const { return FTileMode; }
    bool GetMDIChildMaximized() const { return FMDIChildMaximized; }
    void AddChildToMenu(TCustomForm* Child);
    void DeleteChildFromMenu(TCustomForm* Child);
    void UpDateChildCaptionInMenu(TCustomForm* Child);
    void UpDateChildActiveInMenu();
    void MDIItemClick(TObject* Sender);
    void Tile();
    void TileHorizontal();
    void TileVertical();
    void Cascade();
    void MinimizeAll();
    void MaximizeAll();
    void CloseAll();
    void RestoreAll();
    void RestoreAllExcept(HWND AHandle);
    void RefitMaximizedChildren();
    // The tabs bar of the main form's component shows one tab per child.
    TsfSkinMDITabsBar* MDITabsBar() const { return FMDITabsBar; }
    void SetMDITabsBar(TsfSkinMDITabsBar* Value);
    TsfOnAcceptToMDITabsBar OnAcceptToMDITabsBar;
    void AddChildToBar(TCustomForm* Child);
    void DeleteChildFromBar(TCustomForm* Child);
    void RefreshMDIBarTab(TCustomForm* Child);
    // The main form's client area left free by its aligned controls.
    TRect GetMDIClientRect();
    TsfSkinScrollBar* MDIHScrollBar() const { return FMDIHScrollBar; }
    TsfSkinScrollBar* MDIVScrollBar() const { return FMDIVScrollBar; }
    void CreateMDIScrollBars();
    void UpdateMDIScrollBars(bool ARecalcRange);
    void PlaceMDIScrollBars();
    void SyncMDIHScroll();
    void SyncMDIVScroll();
    void OffsetMDIChildrenX(Integer DX);
    void OffsetMDIChildrenY(Integer DY);
    void MDIHScrollUpClick();
    void MDIHScrollDownClick();
    void MDIVScrollUpClick();
    void MDIVScrollDownClick();
    void ArrangeMinimizedMDIChildren();
    TCustomForm* GetMaximizedMDIChild();
    HWND ChangeVisibleChildHanle = nullptr;  // left out of the children's extent
    // The MDI client's procedure while the main form is shown.
    void NewClientWndProc(TMessage& Message);
    HWND ClientInstance() const { return FClientWnd; }

    // ---- Caption quick buttons (win/SkinQuickButtons): shown with an image list.
    TsfQuickButtonItems* QuickButtons();
    TCustomImageList* QuickImageList = nullptr;  // not owned; set through SetQuickImageList
    void SetQuickImageList(TCustomImageList* Value);
    bool QuickButtonsShowHint = false;
    // The visible quick buttons the caption shows (0 without an image list).
    Integer QuickButtonsShown();

    // ---- Layered border (win/SkinLayerBorder): the skin's frame outside the
    // form in layered windows, when the skin has one and shows it.
    bool IsLayerBorderUsed() const;
    TsfFormLayerBorder* BorderLayer() const { return FBorderLayer; }
    // The skin changed: the border takes the new frame (and shows it anew when shown).
    void LayerBorderSkinChanged();
    // A full layered border is shown now: the window states size the form within it.
    bool FullLayerBorderShown() const;
    // The end of a skin change: bounds saved around a full border are put back
    // so that the outer frame stays where it was.
    void RestoreLayerBorderBounds();
    // The main form (also on the application's restore): the other plain forms
    // shown again, then this one, so that the border windows stay in order with them.
    void CheckAppLayeredBorders();
    // Taken at the start of a skin change for RestoreLayerBorderBounds.
    void SaveLayerBorderBounds();
    // A full layered border frames the form at the skin's rolled-up height (rolled up or minimised).
    bool UseLayerRollUpHeight() const;
    // The height of the form's region under a full layered border.
    Integer LayerBorderRegionHeight() const;

    // ---- Client mode (SkinForm_ClientMode.cpp): the skin drawn in the client
    // area; controls bound by name to areas of the picture.
    struct TsfAreaBinding {
        TControl* Control;
        TRect AreaRect;  // in the skin picture
        bool UseAnchors, AnchorLeft, AnchorTop, AnchorRight, AnchorBottom;
    };
    std::vector<TsfAreaBinding> AreaList;
    std::vector<TControl*> VisibleControls;  // hidden while rolled up
    void LinkControlToArea(const String& AreaName, TControl* Control);
    void UnLinkControlFromArea(TControl* Control);
    void LinkControlsToAreas();
    void PlaceLinkedControls();
    void FitClientToSkin();
    void RollUpClient();
    void RollDownClient();
    void SetRollUpRegion();
    bool IsCursorOverForm(const TPoint& P) const;
    void BeginFormDrag(Integer X, Integer Y);
    void EndFormDrag();
    bool IsDragging() const { return FIsDragging; }
    void UpdateCaptionText();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The MDI branches of the window procedure; MDIBeforeForm answers whether
    // it took the message (Pass: whether the form's own procedure still runs).
    void ChangeSkinDataClient();
    void LayerBorderAfterForm(TMessage& Message);
    void LayerBorderSkinMessage(TMessage& Message);
    TsfFormLayerBorder* FBorderLayer = nullptr;  // owned as a component
    void ClientModeMouseDown(Integer X, Integer Y);
    void FormDragMove();
    Integer FOldX = 0, FOldY = 0;
    bool MDIBeforeForm(TMessage& Message, bool& Pass);
    void MDIAfterForm(TMessage& Message);
    void InstallClientProc();
    void RemoveClientProc();
    std::vector<TCustomForm*> MDIChildList() const;
    TTileMode FTileMode = tbHorizontal;
    bool FMDIChildMaximized = false;
    bool FInMaximizeAll = false;
    bool FInRestoreAll = false;
    bool FStopCheckChildMove = false;
    HWND FClientWnd = nullptr;
    WNDPROC FPrevClientProc = nullptr;
    TsfMDIScrollBars FMDIScroll;
    TsfSkinScrollBar* FMDIHScrollBar = nullptr;  // owned as components
    TsfSkinScrollBar* FMDIVScrollBar = nullptr;
    TsfSkinMDITabsBar* FMDITabsBar = nullptr;
    std::unique_ptr<TsfQuickButtonItems> FQuickButtons;

    // The first dispatch: false when the message is not to go on to the form.
    bool BeforeForm(TMessage& Message);
    void AfterForm(TMessage& Message);
    void CallOld(TMessage& Message) { FHook.CallPrevious(Message); }
    void SyncGeometry();
    bool IsMaximizedMDIChild() const;
    bool BorderNone() const;
    bool FrameDrawn() const;  // NC mode, a border, not a maximised MDI child
    void FormFontCharset(TFont* Font);
    TPoint MessagePoint(const TMessage& Message) const;

    void WMSize(TMessage& Message);
    void WMActivate(TMessage& Message);
    void WMSetText(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMShowWindow(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMGetMinMaxInfo(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);
    void WMDisplayChange(TMessage& Message);
    void WMNCCalcSize(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMNCActivate(TMessage& Message);
    bool WMSysCommand(TMessage& Message);
    // The Alt key alone (SC_KEYMENU) enters the main menu, or leaves it; false: the platform's.
    bool KeyMenuCommand(bool WithChar);
    void WMSizing(TMessage& Message);
    void WMMoving(TMessage& Message);
    void WMEnterSizeMove(TMessage& Message);
    void WMExitSizeMove(TMessage& Message);
    void PaintFrameInto(TMessage& Message, LRESULT Answer);
    void SkinChangeBegins(TMessage& Message);
    void SkinChangeEnds(TMessage& Message);

    // Fade-in on the skin clock.
    bool FadeWanted() const;
    void StartFadeIn();
    void FadeTimerProc();
    void FadeStepTimerProc();
    void SetWindowAlphaValue(Byte Alpha);
    void SetLayered(bool On);

    void DrawDefaultCaption(TCanvas* Canvas, Integer CaptionHeight);
    void PaintTiled(HDC DC, const TsfBitmap* Tile, const TRect& TileRect, bool Stretch, TsfStretchType Type);

    // The engine's settings from the component's menu properties.
    void SyncSkinMenu();

    TWindowHook FHook;
    TCustomForm* FForm = nullptr;
    TsfSkinMenu* FSkinMenu = nullptr;  // owned as a component
    TMainMenu* FMainMenu = nullptr;
    TsfSkinHint* FSkinHint = nullptr;
    TsfMainMenuBarLink* FMainMenuBar = nullptr;
    TsfLayerManager* FMenuLayerManager = nullptr;  // owned as a component
    TsfLayerManager* FLayerManager = nullptr;  // owned as a component
    std::unique_ptr<TsfBitmap> FRollUpBitmap;  // made when a roll-up object first asks
    bool FInChangeSkinData = false;
    bool FInAppHook = false;
    TMessageEvent OldAppMessage;
    Integer FDefMenuItemHeight = 20;
    std::unique_ptr<TFont> FDefMenuItemFont;
    TsfSkinData* FSD = nullptr;
    TsfSkinData* FMSD = nullptr;
    TsfFrameGeometry FGeometry;
    TsfFormFade FFade;
    HRGN FRgn = nullptr;  // the region handed to the window (the system owns it)

    bool FUseRibbon = false;
    bool FSkinSupport = false;
    bool FSkinnableForm = true;
    bool FSupportNCArea = true;
    bool FStopPainting = false;
    bool FStartShow = true;
    bool FFormActive = false;
    bool OldActive = false;
    bool FSizeMove = false;
    bool FSizing = false;
    bool FFullDrag = false;
    bool FRollUpState = false;
    bool FWindowStateChanged = false;
    bool FIsDragging = false;
    bool FSmartEffectsShow = false;
    bool DisableDWMAnimation = false;
    bool FHaveShadow = false;
    bool FShowIcon = false;
    bool FAlphaBlend = false;
    bool FAlphaBlendAnimation = false;
    Byte FAlphaBlendValue = 200;
    TsfBorderIcons FBorderIcons = sfbiSystemMenu | sfbiMinimize | sfbiMaximize | sfbiRollUp;
    TWindowState FWindowStateInit = wsNormal;
    TWindowState FWindowState = wsNormal;
    Integer FFormLeft = 0, FFormTop = 0, FOldFormLeft = 0, FOldFormTop = 0;
    TPoint FOnMouseDownCoord{-1, -1};
    bool FRollUpBeforeMaximize = false;
    // The bounds at the start of a skin change and how they were taken: -1
    // never, 0 the form's bounds, 1 the outer bounds around a full border.
    TRect FOldFormBounds{};
    Integer FOldFullBorder = -1;
    std::unique_ptr<TPopupMenu> FSysMenu;
    TPopupMenu* FSystemMenu = nullptr;
    bool FInShortCut = false;
    TsfClientInActivePanel* FInActivePanel = nullptr;  // owned as a component
    TsfSkinStatusBar* FStatusBar = nullptr;
    bool FClientInActiveDraw = false;  // a snapshot is being taken
    TsfTrayIconLink* FTrayIcon = nullptr;
    // Kept apart: while the icon is being freed its interface can no longer be asked.
    TComponent* FTrayComponent = nullptr;
    TsfSkinPopupMenu* FSysTrayMenu = nullptr;  // owned as a component
    TMenuItem* NewSysMenuItem(const std::u16string& Name);
    // The caption buttons let go of a menu that is going away.
    void ForgetSysMenuItems(TMenuItem* Items);
    Integer OldHeight = 0;
    TsfMagnetState FMagnet;
    std::unique_ptr<TFont> FDefCaptionFont;
    std::unique_ptr<TFont> FDefInActiveCaptionFont;
    std::unique_ptr<TBitmap> FLogoBitMap;
    std::unique_ptr<TIcon> FIcon;
};

// The form's component, or nil.
TsfSkinForm* GetSkinForm(TCustomForm* Form);
// The component of the application main form's first MDI child (in index
// order) whose component is maximised; nil when none.
TsfSkinForm* GetMaximizedMDIChildSkinForm();
// The component of the main form's active MDI child; nil when none.
TsfSkinForm* GetActiveMDIChildSkinForm();
