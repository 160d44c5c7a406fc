// ActnList: actions, the commands a program offers once and shows in several
// places (menu items today). An action runs OnExecute when a client executes
// it and asks OnUpdate, before its clients show, whether it is enabled,
// checked or visible; its clients follow every change of its properties.
#pragma once

#include <functional>
#include <vector>

#include "framework/controls/MenusCore.h"
#include "framework/runtime/Classes.h"

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    ~TBasicAction() override;
    String ClassName() const override { return u"TBasicAction"; }
    // OnExecute; false when it has none.
    virtual bool Execute();
    // OnUpdate; false when it has none.
    virtual bool Update();

    // A client (a menu item) follows the action's changes through Changed.
    void RegisterChanges(TObject* Client, std::function<void()> Changed);
    void UnRegisterChanges(TObject* Client);

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    // Tells every client.
    void Change();

private:
    struct TClient {
        TObject* Client;
        std::function<void()> Changed;
    };
    std::vector<TClient> FClients;
};

// An action with the properties its clients show.
class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    String ClassName() const override { return u"TCustomAction"; }
    // AutoCheck toggles Checked before OnExecute runs.
    bool Execute() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { Set(FCaption, Value); }
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value) { Set(FChecked, Value); }
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { Set(FAutoCheck, Value); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { Set(FEnabled, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Set(FVisible, Value); }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value) { Set(FShortCut, Value); }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { Set(FImageIndex, Value); }
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { Set(FHint, Value); }
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value) { Set(FGroupIndex, Value); }

private:
    template <class T>
    void Set(T& Field, const T& Value)
    {
        if (Field == Value) return;
        Field = Value;
        Change();
    }

    String FCaption;
    bool FChecked = false;
    bool FAutoCheck = false;
    bool FEnabled = true;
    bool FVisible = true;
    TShortCut FShortCut = 0;
    Integer FImageIndex = -1;
    String FHint;
    Integer FGroupIndex = 0;
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
    String ClassName() const override { return u"TAction"; }
};
