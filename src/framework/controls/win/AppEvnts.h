// AppEvnts: TApplicationEvents, a component that hears the application's
// events. The application has one slot per event; every TApplicationEvents
// hears them all through one caster that takes those slots once, newest
// component first, and passes each event on to the handler the slot held
// before. Windows only.
#pragma once

#include "framework/controls/win/Forms.h"

class TApplicationEvents : public TComponent {
public:
    explicit TApplicationEvents(TComponent* AOwner);
    ~TApplicationEvents() override;
    String ClassName() const override { return u"TApplicationEvents"; }

    // Setting Handled in OnMessage stops the message (and the older components).
    TMessageEvent OnMessage;
    TIdleEvent OnIdle;
    // Once a component handles an exception, the application's own report is skipped.
    TExceptionEvent OnException;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
};
