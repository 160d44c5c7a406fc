// SkinTrayIcon: TsfTrayIcon, the program's notification-area icon, on the
// framework's tray icon (which owns the shell record, the callback window and
// the re-adding after the shell restarts). It adds the click protocol that
// tells a single click from a double click, the skinned popup menu, an icon
// animation from an image list, balloons by kind, and minimising the
// application to the notification area. Its timers run on the skin clock.
#pragma once

#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/ImgList.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/frame/win/SkinTrayLink.h"

enum TsfBalloonHintIcon { sfbitNone, sfbitInfo, sfbitWarning, sfbitError };
using TCycleEvent = TEvent<TObject* /*Sender*/, Integer /*NextIndex*/>;

class TsfTrayIcon : public TTrayIcon, public TsfTrayIconLink {
public:
    explicit TsfTrayIcon(TComponent* AOwner);
    ~TsfTrayIcon() override;
    String ClassName() const override { return u"TsfTrayIcon"; }
    void Loaded() override;

    bool Enabled = true;
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TImageList* IconList() const { return FIconList; }
    void SetIconList(TImageList* Value);
    Integer IconIndex() const { return FIconIndex; }
    // With a list: kept below its count, and that image becomes the icon.
    void SetIconIndex(Integer Value);
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    Cardinal AnimateTimerInterval() const { return FAnimateTimerInterval; }
    void SetAnimateTimerInterval(Cardinal Value);
    TsfSkinPopupMenu* SkinPopupMenu() const { return FPopupMenu; }
    void SetSkinPopupMenu(TsfSkinPopupMenu* Value);
    bool PopupByLeftButton = false;
    bool MinimizedOnStart = false;

    // The balloon over the icon (text cut at 255 characters, title at 63).
    bool ShowBalloonHint(const String& Title, const String& Text, TsfBalloonHintIcon IconType);
    bool HideBalloonHint();
    void HideMainForm();
    // The animation timer's step (skin clock).
    void AnimateTimerTick();
    bool AnimateTimerRunning() const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnBalloonHintClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;

    // TsfTrayIconLink.
    TComponent* TrayComponent() override { return this; }
    bool MinimizeToTray() const override { return FMinimizeToTray; }
    void SetMinimizeToTray(bool Value) override { FMinimizeToTray = Value; }
    void ShowMainForm() override;
    bool IconVisible() const override { return Visible(); }
    void SetIconVisible(bool Value) override;
    TPopupMenu* TrayPopupMenu() const override { return FPopupMenu; }
    void SetTrayPopupMenu(TPopupMenu* Value) override { SetSkinPopupMenu(dynamic_cast<TsfSkinPopupMenu*>(Value)); }
    bool HasOnDblClick() const override { return bool(OnDblClick); }
    void SetOnDblClick(TNotifyEvent Handler) override { OnDblClick = std::move(Handler); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void DblClick();
    void ClickTimerTick();
    void PopupAtCursor();
    void DoMinimizeToTray();
    void ApplyHint();
    void StartAnimation();

    String FHint;
    bool FShowHint = true;
    TImageList* FIconList = nullptr;
    Integer FIconIndex = 0;
    bool FCycleIcons = false;
    Cardinal FAnimateTimerInterval = 0;
    TsfSkinPopupMenu* FPopupMenu = nullptr;
    bool FMinimizeToTray = false;
    bool FClickStart = false, FClickReady = false, IsDblClick = false;
    TNotifyEvent FOldMinimize;
};
