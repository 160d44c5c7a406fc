// NoticeCore: the notices and the message ticker without a window. The
// notice record the notice window takes (a packed layout with short
// length-prefixed texts), how a notice lays itself out and ends, where the
// notices of the five slots stand, the reply a message download brings
// ("Trivane", one more character, a table or "ok", "}", optionally an extra
// text between "DSSTART" and "DSEND"), how the rows of that table are
// sorted out against the log of shown messages, and the ticker's rotation.
// The window side (win/NoticeForms) shows them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "framework/runtime/System.h"
#include "framework/runtime/Types.h"

class TDataTable;
class TRow;

namespace Notices {

constexpr Cardinal WM_NOTICE = 0x401;           // a notice record for the window
constexpr Cardinal WM_NOTICE_CONFIRMED = 0x40A;  // posted to the caller
constexpr Integer SlotCount = 5;
constexpr Integer FormWidth = 282, FormHeight = 168;
constexpr Integer SwitchInterval = 30000;
constexpr Integer ConfirmSendToCaller = 99;

// A length byte and room for N one-byte characters (the system's ANSI code
// page; the caller encodes).
template <size_t N>
struct TShortText {
    std::uint8_t Len = 0;
    char Chars[N] = {};
    void Set(const std::string& Bytes)
    {
        Len = static_cast<std::uint8_t>(Bytes.size() < N ? Bytes.size() : N);
        for (size_t I = 0; I < Len; ++I) Chars[I] = Bytes[I];
    }
    std::string Get() const { return std::string(Chars, Len > N ? N : Len); }
};

#pragma pack(push, 1)
struct TMsgFormInfo {
    std::uint32_t Msg = 0;
    TShortText<30> sCaption;
    TShortText<50> sTitle;
    TShortText<255> sContent;
    TShortText<100> sUrl;
    TShortText<10> sConfirm;
    TShortText<10> sCancel;
    std::uint8_t ContentAlign = 0;
    std::uint8_t ContentLayout = 0;  // 0 top, 1 centre, 2 bottom
    std::uint8_t ContentFontSize = 0;
    std::int32_t ContentFontColor = 0;
    std::uint16_t TimerInterval = 0;
    std::uint16_t CountDown = 0;
    std::uint8_t RespondMode = 0;  // 0 no buttons, 1 Cancel, 2 Confirm and Cancel
    std::uint32_t CallerHandle = 0;
    std::int32_t SendToCaller = 0;
    std::uint8_t Canceled = 0;
};
#pragma pack(pop)

// The countdown label: "( n )" once 60 steps or fewer remain, else empty.
String CountdownText(Integer StepsLeft);

// Where the notice window's parts go for a record.
struct TNoticeLayout {
    bool ConfirmVisible = false, CancelVisible = false;
    Integer ConfirmLeft = 58, ConfirmWidth = 70;
    Integer CancelLeft = 0, CancelWidth = 0;
    bool TitleVisible = false;
    Integer ContentTop = 0, ContentHeight = 0;
    bool HandCursor = false;
    String Timelapse;  // the countdown label at the start
};
TNoticeLayout NoticeLayout(const TMsgFormInfo& Info, bool TitleEmpty, bool UrlEmpty);
// The window's close button ends a notice only without buttons or with both.
inline bool CloseAllowed(Integer RespondMode) { return RespondMode == 0 || RespondMode == 2; }
// A click on the title or the text ends the notice (cancelled) when it has
// a link and no button.
inline bool LabelClickEnds(Integer RespondMode, bool UrlEmpty) { return !UrlEmpty && RespondMode == 0; }
// The top-left of the notice of Slot: stacked towards the top left.
TPoint NoticePlace(Integer ScreenWidth, Integer ScreenHeight, Integer Width, Integer Height, Integer Slot);
// The button captions of a notice with both buttons.
struct TButtonCaptions {
    String Confirm, Cancel;
};
TButtonCaptions ConfirmCaptions(Integer LangId);

// ---- The reply of a message download.
struct TReply {
    enum TKind { Failed, Ignored, Ok, Table } Kind = Failed;
    String TableText;  // Table: the message table's text
    String Extra;
};
TReply ParseReply(const String& Text);

// The kind of a message row: the low 7 bits of cell 1.
Integer RowKind(const TRow& Row);
bool RowDone(const TRow& Row);
void SetRowDone(TRow& Row);

struct TReplyHooks {
    std::function<void(TRow&)> OnCommand;
    // A product's data folder exists (kind 4 rows apply only while it does not).
    std::function<bool(const String& Product)> DataFolderExists;
    // Unset: upgrade rows are left as they are.
    std::function<bool(const String& Version)> OnUpgrade;
};
// Fills Table from TableText and sorts its rows out against Log (rows
// already shown are done; commands run; upgrade offers asked); the rows not
// already logged, other than commands, are logged. True when a row is left
// to show.
bool TakeReplyTable(TDataTable& Table, TDataTable& Log, const String& TableText, const TReplyHooks& Hooks);

// ---- The ticker's rotation.
struct TRotationStep {
    enum TAction { Nothing, AllDone, Ticker, Notice, Upgrade, Logged } Action = Nothing;
    Integer Row = -1;
};
// The next row from Index (updated past it); nothing while the pointer is
// over the ticker or the table is empty.
TRotationStep NextMessage(TDataTable& Table, Integer& Index, bool PointerOver);
// A click on the ticker marks the row shown last (the one before Index).
void MarkCurrentShown(TDataTable& Table, Integer Index, bool CaptionEmpty);

// ---- The main window's answers.
// The extra text of a successful download: settings properties 77, 76, 71,
// 73, 74, 75 from its row 0, today's date in 35 to 37, property 47 counted
// up; returns the banner's background id (cell 4). Nothing for an empty text.
String ApplyAccessExtra(TDataTable& Config, const String& Extra, Integer Year, Integer Month, Integer Day);
// A command row: cell 2 picks the property (1: 49, 5: 60, 6: 61, 7: 62), cell 3 its value.
void ApplyMsgCommand(TDataTable& Config, const TRow& Row);
// An upgrade is offered when this program is older than Version.
bool UpgradeWanted(const String& ProgramVersion, const String& Version);

}  // namespace Notices
