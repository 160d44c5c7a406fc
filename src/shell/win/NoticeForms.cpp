#include "shell/win/NoticeForms.h"

#include <windows.h>

#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/HySysUtils_Win.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/frame/win/SkinForm.h"

using namespace Notices;

namespace {

// The record's texts are in the system's ANSI code page.
std::string ToAnsi(const String& S)
{
    if (S.empty()) return std::string();
    const wchar_t* W = reinterpret_cast<const wchar_t*>(S.c_str());
    const int N = WideCharToMultiByte(CP_ACP, 0, W, static_cast<int>(S.size()), nullptr, 0, nullptr, nullptr);
    std::string Out(static_cast<size_t>(N > 0 ? N : 0), '\0');
    if (N > 0) WideCharToMultiByte(CP_ACP, 0, W, static_cast<int>(S.size()), Out.data(), N, nullptr, nullptr);
    return Out;
}

String FromAnsi(const std::string& S)
{
    if (S.empty()) return String();
    const int N = MultiByteToWideChar(CP_ACP, 0, S.data(), static_cast<int>(S.size()), nullptr, 0);
    std::wstring Out(static_cast<size_t>(N > 0 ? N : 0), L'\0');
    if (N > 0) MultiByteToWideChar(CP_ACP, 0, S.data(), static_cast<int>(S.size()), Out.data(), N);
    return String(reinterpret_cast<const char16_t*>(Out.data()), Out.size());
}

// The message table's layout: titles, texts, hints and links escaped.
std::unique_ptr<TDataTable> NewMessageTable() { return std::make_unique<TDataTable>(String(), ColumnRange(2, 5)); }

}  // namespace

// ---------------------------------------------------------------------------
// TfrmMsg

TfrmMsg::TfrmMsg(TComponent* AOwner, TsfSkinData* ASkinData) : TForm(AOwner)
{
    SetName(u"frmMsg");
    SetBorderStyle(bsSingle);
    SetBorderIcons(0);
    SetClientWidth(FormWidth);
    SetClientHeight(FormHeight);
    Font()->SetName(u"Tahoma");
    Font()->SetHeight(-12);
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->Sizeable = false;
    sfSkinForm1->SetBorderIcons(0);
    sfSkinForm1->SetSkinData(ASkinData);

    auto Label = [this](const String& Name, Integer L, Integer T, Integer W, Integer H) {
        auto* Lbl = new THyLabel(this);
        Lbl->SetName(Name);
        Lbl->SetDrawBorder(false);
        Lbl->SetAutoSize(false);
        Lbl->SetTransparent(true);
        Lbl->SetBounds(L, T, W, H);
        Lbl->SetCaption(String());
        Lbl->SetParent(this);
        Lbl->OnClick = [this](TObject*) { LabelClick(); };
        return Lbl;
    };
    lblTitle = Label(u"lblTitle", 8, 7, 266, 17);
    lblTitle->SetAlignment(taCenter);
    lblContent = Label(u"lblContent", 9, 30, 266, 77);
    lblContent->SetWordWrap(true);
    lblTimelapse = new TLabel(this);
    lblTimelapse->SetName(u"lblTimelapse");
    lblTimelapse->SetAutoSize(false);
    lblTimelapse->SetBounds(9, 124, 60, 17);
    lblTimelapse->SetCaption(String());
    lblTimelapse->SetParent(this);
    auto Button = [this](const String& Name, Integer L) {
        auto* B = new TsfSkinSpeedButton(this);
        B->SetName(Name);
        B->SetSkinData(sfSkinForm1->SkinData());
        B->SetUseSkinSize(false);
        B->SetBounds(L, 120, 70, 23);
        B->SetVisible(false);
        B->SetParent(this);
        return B;
    };
    sbConfirm = Button(u"sbConfirm", 58);
    sbConfirm->OnClick = [this](TObject*) { EndNotice(false); };
    sbCancel = Button(u"sbCancel", 154);
    sbCancel->OnClick = [this](TObject*) { EndNotice(true); };
    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->OnTimer = [this](TObject*) { Timer1Timer(); };
    // The window's close button: only a notice without buttons or with both
    // may be closed that way; it ends cancelled.
    OnCloseQuery = [this](TObject*, bool& CanClose) {
        CanClose = CloseAllowed(FMsgFormInfo.RespondMode);
        if (CanClose) EndNotice(true);
    };
    Loaded();
    // A taskbar button of its own.
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, WS_EX_APPWINDOW);
}

TfrmMsg::~TfrmMsg() = default;

void TfrmMsg::SetLangId(Integer Id)
{
    if (Id != 0 || Win32MajorVersion < 6) return;
    Font()->SetName(u"微软雅黑");
    Font()->SetSize(9);
    sfSkinForm1->UseSkinFontInCaption = false;
    sfSkinForm1->DefCaptionFont()->SetName(u"微软雅黑");
    sfSkinForm1->DefCaptionFont()->SetSize(9);
}

void TfrmMsg::SetSkinData(TsfSkinData* SkinData)
{
    sfSkinForm1->SetSkinData(SkinData);
    sbConfirm->SetSkinData(SkinData);
    sbCancel->SetSkinData(SkinData);
}

void TfrmMsg::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_NOTICE && Message.LParam) {
        CMMsgTextChanged(*reinterpret_cast<const TMsgFormInfo*>(Message.LParam));
        return;
    }
    TForm::Dispatch(Message);
}

void TfrmMsg::CMMsgTextChanged(const TMsgFormInfo& Info)
{
    FMsgFormInfo = Info;
    SetCaption(FromAnsi(Info.sCaption.Get()));
    const String Title = FromAnsi(Info.sTitle.Get()), Content = FromAnsi(Info.sContent.Get());
    const String Url = FromAnsi(Info.sUrl.Get());
    lblTitle->SetCaption(Title);
    lblContent->SetCaption(Content);
    lblTitle->SetUrl(Url);
    lblContent->SetUrl(Url);
    if (Info.ContentFontSize != 0) lblContent->Font()->SetSize(Info.ContentFontSize);
    if (Info.ContentFontColor > 0) lblContent->Font()->SetColor(static_cast<TColor>(Info.ContentFontColor));
    // Short text centred, longer text from the left.
    Canvas()->Font()->Assign(lblContent->Font());
    lblContent->SetAlignment(Canvas()->TextWidth(Content) < lblContent->Width() ? taCenter : taLeftJustify);
    lblContent->SetLayout(Info.ContentLayout == 1 ? tlCenter : Info.ContentLayout == 2 ? tlBottom : tlTop);

    const TNoticeLayout L = NoticeLayout(Info, Title.empty(), Url.empty());
    FCountDown = Info.CountDown;
    lblTimelapse->SetCaption(L.Timelapse);
    Timer1->SetEnabled(false);
    if (Info.CountDown != 0) {
        Timer1->SetInterval(Info.TimerInterval);
        Timer1->SetEnabled(true);
    }
    sbConfirm->SetVisible(L.ConfirmVisible);
    sbConfirm->SetCaption(FromAnsi(Info.sConfirm.Get()));
    sbCancel->SetVisible(L.CancelVisible);
    sbCancel->SetCaption(FromAnsi(Info.sCancel.Get()));
    sbCancel->SetBounds(L.CancelLeft, sbCancel->Top(), L.CancelWidth, sbCancel->Height());
    lblTitle->SetVisible(L.TitleVisible);
    lblContent->SetBounds(lblContent->Left(), L.ContentTop, lblContent->Width(), L.ContentHeight);
    const TCursor Cursor = L.HandCursor ? crHandPoint : crDefault;
    lblTitle->SetCursor(Cursor);
    lblContent->SetCursor(Cursor);
}

void TfrmMsg::Timer1Timer()
{
    if (FCountDown > 0) --FCountDown;
    if (FCountDown == 0) {
        EndNotice(false);
        return;
    }
    if (FCountDown <= 60) lblTimelapse->SetCaption(CountdownText(FCountDown));
}

void TfrmMsg::LabelClick()
{
    if (LabelClickEnds(FMsgFormInfo.RespondMode, FMsgFormInfo.sUrl.Len == 0)) EndNotice(true);
}

void TfrmMsg::EndNotice(bool Canceled)
{
    Timer1->SetEnabled(false);
    if (FMsgFormInfo.Msg == WM_NOTICE) FMsgFormInfo.Canceled = Canceled ? 1 : 0;
    if (OnTimerEnd) OnTimerEnd(this);
}

// ---------------------------------------------------------------------------
// THyMsgForm

THyMsgForm::THyMsgForm(TComponent* AOwner) : TComponent(AOwner)
{
    FMsgForm = new TfrmMsg(nullptr, nullptr);
    FMsgForm->OnTimerEnd = [this](TObject*) { NoticeEnded(); };
}

THyMsgForm::~THyMsgForm()
{
    FMsgForm->OnTimerEnd = nullptr;
    delete FMsgForm;
}

void THyMsgForm::SetFormPosition(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    SetWindowPos(FMsgForm->Handle(), HWND_TOPMOST, ALeft, ATop, AWidth, AHeight, SWP_NOACTIVATE);
}

void THyMsgForm::SetActive(bool Value)
{
    if (Value == FActive) return;
    FActive = Value;
    ShowWindow(FMsgForm->Handle(), Value ? SW_SHOWNOACTIVATE : SW_HIDE);
}

Integer THyMsgForm::GetFormWidth() const { return FMsgForm->Width(); }
Integer THyMsgForm::GetFormHeight() const { return FMsgForm->Height(); }
HWND THyMsgForm::GetMsgFormHandle() const { return FMsgForm->Handle(); }
void THyMsgForm::SetLangId(Integer Id) { FMsgForm->SetLangId(Id); }
void THyMsgForm::SetSkinData(TsfSkinData* SkinData) { FMsgForm->SetSkinData(SkinData); }

void THyMsgForm::NoticeEnded()
{
    SetActive(false);
    const TMsgFormInfo& Info = FMsgForm->MsgFormInfo();
    if (Info.Msg == WM_NOTICE && Info.CallerHandle != 0 && !Info.Canceled)
        PostMessageW(reinterpret_cast<HWND>(static_cast<uintptr_t>(Info.CallerHandle)), WM_NOTICE_CONFIRMED,
                     static_cast<WPARAM>(Info.SendToCaller), 0);
}

// ---------------------------------------------------------------------------
// THyMsgText

THyMsgText::THyMsgText(TComponent* AOwner) : THyLabel(AOwner), FDT(NewMessageTable())
{
    SetColorHighLight(0x808080);
    SetColorShadow(0x808080);
    SetUseActiveColor(true);
    FTimerSwitch = new TTimer(this);
    FTimerSwitch->SetEnabled(false);
    FTimerSwitch->SetInterval(FSwitchInterval);
    FTimerSwitch->OnTimer = [this](TObject*) { ShowNextMessage(); };
    PointerOver = [this] { return MouseIn(); };
}

THyMsgText::~THyMsgText() = default;

bool THyMsgText::InitData(const String& AppName, const String& AppPath, const String& SkinName, const String& Path,
                          HWND CallerHandle)
{
    FAppName = AppName;
    FAppPath = AppPath;
    FSkinName = SkinName;
    FDataPath = Path;
    FCallerHandle = CallerHandle;
    FClickDT = NewMessageTable();
    FClickDT->SetReserveLFSet(ColumnSet({3, 4}));
    // A damaged log is started again: it only remembers what was shown.
    try {
        FClickDT->Load(Path + u"Message.db");
    } catch (const Exception&) {
        FClickDT->Clear();
    }
    FDT = NewMessageTable();
    return true;
}

void THyMsgText::SaveData()
{
    if (FClickDT) FClickDT->SaveAs(FDataPath + u"Message.db");
}

void THyMsgText::SetData(const TDataTable& DT)
{
    FDT->Clear();
    for (Integer I = 0; I < DT.ItemCount(); ++I) FDT->AddItem(DT.GetItem(I), true);
}

void THyMsgText::SetSwitchInterval(Integer Value)
{
    FSwitchInterval = Value;
    FTimerSwitch->SetInterval(static_cast<Cardinal>(Value));
}

bool THyMsgText::Rotating() const { return FTimerSwitch->Enabled(); }

Integer THyMsgText::GetClickCount() const { return FClickDT ? FClickDT->GetProp(2)->Value() : 0; }

void THyMsgText::Close()
{
    MarkCurrentShown(*FDT, FMsgIndex, Caption().empty());
    SetCaption(String());
    FTimerSwitch->SetEnabled(false);
}

void THyMsgText::LogRow(const TRow& Row)
{
    if (!FClickDT) return;
    // A row the reply already logged is not logged twice.
    auto Cell = [](const TRow& R, Integer C) { return C < R.ItemCount() ? R.GetItem(C)->Text() : String(); };
    for (Integer I = 0; I < FClickDT->ItemCount(); ++I) {
        const TRow& Shown = *FClickDT->GetItem(I);
        if (Cell(Shown, 3) == Cell(Row, 3) && Cell(Shown, 5) == Cell(Row, 5)) return;
    }
    FClickDT->AddItem(const_cast<TRow*>(&Row), true);
}

void THyMsgText::ShowRow(TRow& Row)
{
    auto Cell = [&Row](Integer C) { return C < Row.ItemCount() ? Row.GetItem(C)->Text() : String(); };
    SetCaption(Cell(3));
    SetHint(Cell(4));
    SetUrl(Cell(5));
    if (!Cell(6).empty()) Font()->SetColor(static_cast<TColor>(StrToIntDef(Cell(6), 0)));
    TFontStyles Style = Font()->Style();
    if (Row.ItemCount() > 7 && Row.GetItem(7)->AsBool())
        Style = Style | fsUnderline;
    Font()->SetStyle(Style);
    if (OnMsgAdjustLocation) OnMsgAdjustLocation(this);
}

void THyMsgText::ShowNextMessage()
{
    const TRotationStep Step = NextMessage(*FDT, FMsgIndex, PointerOver && PointerOver());
    auto Cell = [this, &Step](Integer C) {
        TRow& R = *FDT->GetItem(Step.Row);
        return C < R.ItemCount() ? R.GetItem(C)->Text() : String();
    };
    switch (Step.Action) {
        case TRotationStep::Nothing: return;
        case TRotationStep::AllDone:
            SetCaption(String());
            FTimerSwitch->SetEnabled(false);
            return;
        case TRotationStep::Ticker: ShowRow(*FDT->GetItem(Step.Row)); return;
        case TRotationStep::Notice:
            ShowMsgPopup(0, Cell(2), 0, Cell(5), Cell(3));
            LogRow(*FDT->GetItem(Step.Row));
            return;
        case TRotationStep::Upgrade: {
            bool Upgrade = false;
            if (OnMsgUpgrade) {
                OnMsgUpgrade(this, Cell(8), Upgrade);
                if (Upgrade) ShowMsgPopup(2, Cell(2), 0, Cell(5), Cell(3));
            }
            LogRow(*FDT->GetItem(Step.Row));
            return;
        }
        case TRotationStep::Logged: LogRow(*FDT->GetItem(Step.Row)); return;
    }
}

void THyMsgText::ShowMsgPopup(Integer Mode, const String& Title, Integer CountDown, const String& Url,
                              const String& Content)
{
    Integer Slot = -1;
    for (Integer I = 0; I < SlotCount && Slot < 0; ++I)
        if (!FMsgForms[size_t(I)] || !FMsgForms[size_t(I)]->Active()) Slot = I;
    if (Slot < 0) return;
    THyMsgForm*& Form = FMsgForms[size_t(Slot)];
    if (!Form) {
        Form = new THyMsgForm(this);
        Form->SetLangId(FLangId);
        Form->SetSkinData(FSkinData);
    }
    const TPoint At = NoticePlace(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), Form->GetFormWidth(),
                                  Form->GetFormHeight(), Slot);
    Form->SetFormPosition(At.X, At.Y, Form->GetFormWidth(), Form->GetFormHeight());
    Form->SetActive(true);

    TMsgFormInfo Info;
    Info.Msg = WM_NOTICE;
    Info.sCaption.Set(ToAnsi(FAppName));
    Info.sTitle.Set(ToAnsi(Title));
    Info.sContent.Set(ToAnsi(Content));
    Info.sUrl.Set(ToAnsi(Url));
    Info.ContentAlign = 0;
    Info.ContentLayout = 1;
    Info.ContentFontSize = 9;
    Info.ContentFontColor = 0;
    Info.TimerInterval = 1000;
    Info.CountDown = static_cast<std::uint16_t>(CountDown);
    Info.RespondMode = static_cast<std::uint8_t>(Mode);
    if (Mode == 2) {
        const TButtonCaptions Captions = ConfirmCaptions(FLangId);
        Info.sConfirm.Set(ToAnsi(Captions.Confirm));
        Info.sCancel.Set(ToAnsi(Captions.Cancel));
        Info.CallerHandle = static_cast<std::uint32_t>(reinterpret_cast<uintptr_t>(FCallerHandle));
        Info.SendToCaller = ConfirmSendToCaller;
    }
    SendMessageW(Form->GetMsgFormHandle(), WM_NOTICE, 0, reinterpret_cast<LPARAM>(&Info));
}

void THyMsgText::Click()
{
    MarkCurrentShown(*FDT, FMsgIndex, Caption().empty());
    if (FClickDT) FClickDT->GetProp(2)->SetValue(FClickDT->GetProp(2)->Value() + 1);
    THyLabel::Click();
}

void THyMsgText::MsgDataReceived(const String& Reply)
{
    const TReply R = ParseReply(Reply);
    if (R.Kind == TReply::Failed) {
        if (OnMsgAccessFinished) OnMsgAccessFinished(this, false, String());
        return;
    }
    if (R.Kind == TReply::Ignored) return;
    if (R.Kind == TReply::Table) {
        if (!FClickDT) FClickDT = NewMessageTable();
        TReplyHooks Hooks;
        Hooks.OnCommand = [this](TRow& Row) {
            if (OnMsgCommand) OnMsgCommand(this, Row);
        };
        Hooks.DataFolderExists = [](const String& Product) {
            return DirectoryExists(GetEnvironmentVariable(u"APPDATA") + u"\\Quorvan\\" + Product + u"\\");
        };
        if (OnMsgUpgrade)
            Hooks.OnUpgrade = [this](const String& Version) {
                bool Upgrade = false;
                OnMsgUpgrade(this, Version, Upgrade);
                return Upgrade;
            };
        FMsgIndex = 0;
        FTimerSwitch->SetEnabled(TakeReplyTable(*FDT, *FClickDT, R.TableText, Hooks));
    }
    if (OnMsgAccessFinished) OnMsgAccessFinished(this, true, R.Extra);
    if (FTimerSwitch->Enabled()) ShowNextMessage();
}
