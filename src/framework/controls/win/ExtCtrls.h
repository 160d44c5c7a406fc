// ExtCtrls: the timer component and the notification-area (tray) icon.
// Windows only.
#pragma once

#include <memory>

#include "framework/controls/win/Controls.h"

#include <shellapi.h>  // after the platform headers Controls brings

class TPopupMenu;

// Calls OnTimer every Interval milliseconds on the thread that made it (the
// user-interface thread), through the thread's one timer window (Messages).
// It runs while Enabled and Interval is above 0, with or without a handler.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    String ClassName() const override { return u"TTimer"; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal Value);

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    bool FEnabled = true;
    Cardinal FInterval = 1000;
};

// ---------------------------------------------------------------------------
// An icon in the shell's notification area. Clicks come back through a hidden
// window of its own; the icon is added again when the shell restarts (its
// "TaskbarCreated" broadcast).
enum TBalloonFlags { bfNone, bfInfo, bfWarning, bfError };

class TTrayIcon : public TComponent {
public:
    explicit TTrayIcon(TComponent* AOwner);
    ~TTrayIcon() override;
    String ClassName() const override { return u"TTrayIcon"; }

    // The tip shown over the icon (the shell keeps 127 characters of it).
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    // The icon shown; empty: the application's.
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value);
    bool Visible() const { return FVisible; }
    // Adds the icon to the notification area or takes it away. Raises
    // EOSError when the shell refuses it.
    void SetVisible(bool Value);
    // Opened by a right click on the icon.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);

    // The balloon: title (63 characters kept), text (255) and icon kind.
    const String& BalloonTitle() const { return FBalloonTitle; }
    void SetBalloonTitle(const String& Value) { FBalloonTitle = Value; }
    const String& BalloonHint() const { return FBalloonHint; }
    void SetBalloonHint(const String& Value) { FBalloonHint = Value; }
    TBalloonFlags BalloonFlags() const { return FBalloonFlags; }
    void SetBalloonFlags(TBalloonFlags Value) { FBalloonFlags = Value; }
    // Milliseconds the balloon stays (the shell may bound it).
    Integer BalloonTimeout() const { return FBalloonTimeout; }
    void SetBalloonTimeout(Integer Value) { FBalloonTimeout = Value; }
    // Shows the balloon over the visible icon. False when the shell refused it.
    bool ShowBalloonHint();

    // The window the shell sends the icon's mouse messages to, and the
    // message it sends (wParam the icon's id, lParam the mouse message).
    HWND Handle() const { return FHandle; }
    static constexpr UINT WM_TRAYNOTIFY = WM_USER + 0x400;
    UINT ID() const { return FID; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnBalloonClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void WndProc(TMessage& Message);
    // The record the shell takes, by its size on this platform.
    NOTIFYICONDATAW IconData(UINT Flags) const;
    bool Notify(DWORD Command, UINT Flags);
    void Changed();

    HWND FHandle = nullptr;
    UINT FID;
    UINT FTaskbarCreated = 0;
    String FHint;
    std::unique_ptr<TIcon> FIcon;
    bool FVisible = false;
    TPopupMenu* FPopupMenu = nullptr;
    String FBalloonTitle;
    String FBalloonHint;
    TBalloonFlags FBalloonFlags = bfNone;
    Integer FBalloonTimeout = 10000;
};
