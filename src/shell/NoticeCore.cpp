#include "shell/NoticeCore.h"

#include "foundation/HyDataTable.h"
#include "foundation/HySysUtils.h"

namespace Notices {

namespace {

constexpr Integer KindCell = 1, DoneCell = 0;

String CellText(const TRow& Row, Integer Cell) { return Cell < Row.ItemCount() ? Row.GetItem(Cell)->Text() : String(); }

void Grow(TRow& Row, Integer Cells)
{
    while (Row.ItemCount() < Cells) Row.AddItem(String());
}

}  // namespace

String CountdownText(Integer StepsLeft)
{
    return StepsLeft <= 60 ? u"( " + IntToStr(StepsLeft) + u" )" : String();
}

TNoticeLayout NoticeLayout(const TMsgFormInfo& Info, bool TitleEmpty, bool UrlEmpty)
{
    TNoticeLayout L;
    L.ConfirmVisible = Info.RespondMode == 2;
    L.CancelVisible = Info.RespondMode == 1 || Info.RespondMode == 2;
    if (L.ConfirmVisible) {
        L.CancelLeft = 154;
        L.CancelWidth = 70;
    } else {
        L.CancelWidth = 95;
        L.CancelLeft = (FormWidth - 95) / 2;
    }
    const bool Buttons = L.CancelVisible;
    L.TitleVisible = !TitleEmpty;
    if (L.TitleVisible) {
        L.ContentTop = 30;
        L.ContentHeight = Buttons ? 77 : 110;
    } else {
        L.ContentTop = 7;
        L.ContentHeight = Buttons ? 102 : 135;
    }
    L.HandCursor = !UrlEmpty;
    L.Timelapse = Info.CountDown != 0 ? CountdownText(Info.CountDown) : String();
    return L;
}

TPoint NoticePlace(Integer ScreenWidth, Integer ScreenHeight, Integer Width, Integer Height, Integer Slot)
{
    return TPoint{ScreenWidth - Width - 10 - Slot * 50, ScreenHeight - Height - 35 - Slot * 30};
}

TButtonCaptions ConfirmCaptions(Integer LangId)
{
    if (LangId != 0) return {u"OK", u"Cancel"};
    return {u"确 定", u"取 消"};
}

TReply ParseReply(const String& Text)
{
    TReply R;
    String S = Text;
    if (Copy(S, 1, 7) != u"Trivane") return R;
    const Integer L = static_cast<Integer>(S.size());
    const Integer P = Pos(u"DSSTART", S);
    if (EndsStr(u"DSEND", S) && P > 0 && L - P - 11 >= 0) {
        R.Extra = Copy(S, P + 7, L - P - 11);
        S = Copy(S, 1, P - 1);
    }
    if (S.size() <= 9 || !EndsStr(u"}", S)) {
        R.Kind = TReply::Ignored;
        return R;
    }
    S = Copy(S, 9, static_cast<Integer>(S.size()) - 9);
    if (S == u"ok") {
        R.Kind = TReply::Ok;
        return R;
    }
    S = StringReplace(S, u"/BR/", u"\n", rfReplaceAll);
    S = StringReplace(S, u"/#26/", String(1, char16_t(26)), rfReplaceAll);
    S = StringReplace(S, u"/#27/", String(1, char16_t(27)), rfReplaceAll);
    R.Kind = TReply::Table;
    R.TableText = S;
    return R;
}

Integer RowKind(const TRow& Row) { return StrToIntDef(CellText(Row, KindCell), 0) & 0x7F; }

bool RowDone(const TRow& Row) { return DoneCell < Row.ItemCount() && Row.GetItem(DoneCell)->AsBool(); }

void SetRowDone(TRow& Row)
{
    Grow(Row, DoneCell + 1);
    Row.GetItem(DoneCell)->SetAsBool(true);
}

bool TakeReplyTable(TDataTable& Table, TDataTable& Log, const String& TableText, const TReplyHooks& Hooks)
{
    Table.Clear();
    Table.Init(TableText);
    bool Left = false;
    for (Integer I = 0; I < Table.ItemCount(); ++I) {
        TRow& Row = *Table.GetItem(I);
        Grow(Row, 9);
        bool Logged = false;
        for (Integer J = 0; J < Log.ItemCount() && !Logged; ++J) {
            const TRow& Shown = *Log.GetItem(J);
            Logged = CellText(Shown, 3) == CellText(Row, 3) && CellText(Shown, 5) == CellText(Row, 5);
        }
        if (Logged) {
            SetRowDone(Row);
            continue;
        }
        const Integer Kind = RowKind(Row);
        switch (Kind) {
            case 3:
                if (Hooks.OnCommand) Hooks.OnCommand(Row);
                SetRowDone(Row);
                break;
            case 4:
                if (Hooks.DataFolderExists && Hooks.DataFolderExists(CellText(Row, 8))) SetRowDone(Row);
                break;
            case 5:
            case 6:
                if (Hooks.OnUpgrade && !Hooks.OnUpgrade(CellText(Row, 8))) SetRowDone(Row);
                break;
            default: break;
        }
        if (Kind != 3) Log.AddItem(&Row, true);
        if (!RowDone(Row)) Left = true;
    }
    return Left;
}

TRotationStep NextMessage(TDataTable& Table, Integer& Index, bool PointerOver)
{
    TRotationStep Step;
    const Integer Count = Table.ItemCount();
    if (PointerOver || Count == 0) return Step;
    if (Index < 0 || Index >= Count) Index = 0;
    Integer Row = Index;
    Integer Looked = 0;
    while (Looked < Count && RowDone(*Table.GetItem(Row))) {
        Row = (Row + 1) % Count;
        ++Looked;
    }
    if (Looked == Count) {
        Step.Action = TRotationStep::AllDone;
        return Step;
    }
    TRow& R = *Table.GetItem(Row);
    Step.Row = Row;
    switch (RowKind(R)) {
        case 0:
        case 4:
        case 5: Step.Action = TRotationStep::Ticker; break;
        case 1:
        case 6:
            SetRowDone(R);
            Step.Action = TRotationStep::Notice;
            break;
        case 2:
            SetRowDone(R);
            Step.Action = TRotationStep::Upgrade;
            break;
        default:
            SetRowDone(R);
            Step.Action = TRotationStep::Logged;
            break;
    }
    Index = (Row + 1) % Count;
    return Step;
}

void MarkCurrentShown(TDataTable& Table, Integer Index, bool CaptionEmpty)
{
    const Integer Count = Table.ItemCount();
    if (CaptionEmpty || Count == 0) return;
    const Integer Row = Index <= 0 ? Count - 1 : std::min(Index, Count) - 1;
    SetRowDone(*Table.GetItem(Row));
}

String ApplyAccessExtra(TDataTable& Config, const String& Extra, Integer Year, Integer Month, Integer Day)
{
    if (Extra.empty()) return String();
    TDataTable Ad;
    Ad.Init(Extra);
    String BackId;
    if (Ad.ItemCount() > 0) {
        TRow& Row = *Ad.GetItem(0);
        Grow(Row, 8);
        Config.GetProp(77)->SetAsBool(Row.GetItem(1)->AsBool());
        Config.GetProp(76)->SetText(Row.GetItem(2)->Text());
        Config.GetProp(71)->SetText(Row.GetItem(3)->Text());
        BackId = Row.GetItem(4)->Text();
        Config.GetProp(73)->SetText(Row.GetItem(5)->Text());
        Config.GetProp(74)->SetText(Row.GetItem(6)->Text());
        Config.GetProp(75)->SetText(Row.GetItem(7)->Text());
    }
    Config.GetProp(35)->SetValue(Year);
    Config.GetProp(36)->SetValue(Month);
    Config.GetProp(37)->SetValue(Day);
    Config.GetProp(47)->SetValue(Config.GetProp(47)->Value() + 1);
    return BackId;
}

void ApplyMsgCommand(TDataTable& Config, const TRow& Row)
{
    const Integer Command = StrToIntDef(CellText(Row, 2), 0);
    Integer Prop = -1;
    switch (Command) {
        case 1: Prop = 49; break;
        case 5: Prop = 60; break;
        case 6: Prop = 61; break;
        case 7: Prop = 62; break;
        default: return;
    }
    Config.GetProp(Prop)->SetText(CellText(Row, 3));
}

bool UpgradeWanted(const String& ProgramVersion, const String& Version)
{
    // A version text that is not dotted numbers offers nothing.
    try {
        return CompareVersion(ProgramVersion, Version) == u"<";
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace Notices
