// NoticeForms: the pop-up notice at the bottom right of the screen
// (TfrmMsg: title, text, an optional countdown, optional Confirm and Cancel
// buttons), the component that owns one and tells the caller of a confirmed
// notice (THyMsgForm), and the message ticker (THyMsgText), a link label
// that rotates through a message table every 30 seconds and raises notices
// for some of its rows. The rules are shell/NoticeCore's. Nothing in the
// main window fills a ticker today, so its caption stays empty.
#pragma once

#include <array>
#include <memory>

#include "dialogs/win/HyControls.h"
#include "framework/controls/win/Forms.h"
#include "shell/NoticeCore.h"

class TDataTable;
class TLabel;
class TRow;
class TTimer;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinSpeedButton;

class TfrmMsg : public TForm {
public:
    TfrmMsg(TComponent* AOwner, TsfSkinData* ASkinData);
    ~TfrmMsg() override;
    String ClassName() const override { return u"TfrmMsg"; }

    void SetLangId(Integer Id);
    void SetSkinData(TsfSkinData* SkinData);
    // What message WM_NOTICE carries: the notice shown from its record.
    void CMMsgTextChanged(const Notices::TMsgFormInfo& Info);
    // Ends the notice (stops the countdown, keeps Canceled, tells OnTimerEnd).
    void EndNotice(bool Canceled);

    const Notices::TMsgFormInfo& MsgFormInfo() const { return FMsgFormInfo; }
    Integer CountDown() const { return FCountDown; }
    TNotifyEvent OnTimerEnd;

    TsfSkinForm* sfSkinForm1 = nullptr;
    THyLabel* lblTitle = nullptr;
    THyLabel* lblContent = nullptr;
    TLabel* lblTimelapse = nullptr;
    TsfSkinSpeedButton* sbConfirm = nullptr;
    TsfSkinSpeedButton* sbCancel = nullptr;
    TTimer* Timer1 = nullptr;

protected:
    void Dispatch(TMessage& Message) override;

private:
    void Timer1Timer();
    void LabelClick();

    Notices::TMsgFormInfo FMsgFormInfo;
    Integer FCountDown = 0;
};

class THyMsgForm : public TComponent {
public:
    explicit THyMsgForm(TComponent* AOwner);
    ~THyMsgForm() override;
    String ClassName() const override { return u"THyMsgForm"; }

    // Topmost at that place, without taking the focus.
    void SetFormPosition(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    Integer GetFormWidth() const;
    Integer GetFormHeight() const;
    HWND GetMsgFormHandle() const;
    void SetLangId(Integer Id);
    void SetSkinData(TsfSkinData* SkinData);
    TfrmMsg* MsgForm() const { return FMsgForm; }
    // Never raised (kept for forms that bind it).
    TNotifyEvent OnMsgFormClick;

private:
    void NoticeEnded();

    bool FActive = false;
    TfrmMsg* FMsgForm = nullptr;
};

class THyMsgText : public THyLabel {
public:
    explicit THyMsgText(TComponent* AOwner);
    ~THyMsgText() override;
    String ClassName() const override { return u"THyMsgText"; }

    // Keeps the values, loads the log of shown messages from Path +
    // "Message.db" and starts an empty message table.
    bool InitData(const String& AppName, const String& AppPath, const String& SkinName, const String& Path,
                  HWND CallerHandle);
    void SaveData();
    // The table takes copies of DT's rows.
    void SetData(const TDataTable& DT);
    // What a download answers (run on the interface thread when it ends).
    void MsgDataReceived(const String& Reply);
    // Marks the current message done, clears the caption, stops the rotation.
    void Close();
    Integer GetClickCount() const;
    Integer SwitchInterval() const { return FSwitchInterval; }
    void SetSwitchInterval(Integer Value);
    bool Rotating() const;
    // One step of the rotation (its timer's).
    void ShowNextMessage();
    // A notice in the first free slot; none when all five are shown.
    void ShowMsgPopup(Integer Mode, const String& Title, Integer CountDown, const String& Url,
                      const String& Content);
    void SetLangId(Integer Id) { FLangId = Id; }
    void SetSkinData(TsfSkinData* SkinData) { FSkinData = SkinData; }
    THyMsgForm* Slot(Integer Index) const { return FMsgForms[static_cast<size_t>(Index)]; }
    TDataTable& Messages() { return *FDT; }
    TDataTable* ClickLog() const { return FClickDT.get(); }
    Integer MsgIndex() const { return FMsgIndex; }
    // The pointer over the ticker pauses it (replaceable for tests).
    std::function<bool()> PointerOver;

    void Click() override;

    TEvent<TObject*, TRow&> OnMsgCommand;
    TEvent<TObject*, bool, const String&> OnMsgAccessFinished;
    TNotifyEvent OnMsgAdjustLocation;
    TEvent<TObject*, const String&, bool&> OnMsgUpgrade;

private:
    void ShowRow(TRow& Row);
    void LogRow(const TRow& Row);

    std::unique_ptr<TDataTable> FDT;
    std::unique_ptr<TDataTable> FClickDT;
    Integer FMsgIndex = 0;
    Integer FLangId = 2;
    TsfSkinData* FSkinData = nullptr;
    String FAppName, FAppPath, FSkinName, FDataPath;
    HWND FCallerHandle = nullptr;
    Integer FSwitchInterval = Notices::SwitchInterval;
    TTimer* FTimerSwitch = nullptr;
    std::array<THyMsgForm*, Notices::SlotCount> FMsgForms{};
};
