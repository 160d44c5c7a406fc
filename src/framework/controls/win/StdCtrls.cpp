#include "framework/controls/win/StdCtrls.h"

#include <algorithm>

#include "framework/controls/win/Forms.h"
#include "framework/runtime/SysUtils.h"

#include <commctrl.h>

void InitStdControls()
{
    static const bool Started = [] {
        INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)Started;
}

namespace {

Char UpperChar(Char C)
{
    wchar_t c = static_cast<wchar_t>(C);
    CharUpperBuffW(&c, 1);
    return static_cast<Char>(c);
}

String CaseOf(const String& S, TEditCharCase Case)
{
    if (Case == ecNormal || S.empty()) return S;
    String r = S;
    auto* p = reinterpret_cast<wchar_t*>(r.data());
    if (Case == ecUpperCase) CharUpperBuffW(p, static_cast<DWORD>(r.size()));
    else CharLowerBuffW(p, static_cast<DWORD>(r.size()));
    return r;
}

bool Inside(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

[[noreturn]] void ListIndexError(Integer Index)
{
    throw EListError(Format(u"List index out of bounds (%d)", {Index}));
}

} // namespace

bool IsAccel(Char Key, const String& Text)
{
    for (size_t i = 0; i + 1 < Text.size(); ++i) {
        if (Text[i] != u'&') continue;
        if (Text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return UpperChar(Text[i + 1]) == UpperChar(Key);
    }
    return false;
}

// ---------------------------------------------------------------------------
// TNativeControl

TNativeControl::TNativeControl(TComponent* AOwner) : TWinControl(AOwner)
{
    // The platform's control tracks the mouse and reports its own clicks.
    FControlStyle = csSetCaption | csDoubleClicks;
}

void TNativeControl::CreateNative(TCreateParams& Params, const wchar_t* ControlClassName)
{
    InitStdControls();
    CreateSubClass(Params, ControlClassName);
}

// ---------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TNativeControl(AOwner)
{
    FControlStyle |= csClickEvents;
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TNativeControl::CreateParams(Params);
    CreateNative(Params, L"EDIT");
    static const DWORD Alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    static const DWORD Cases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
    Params.Style |= ES_AUTOHSCROLL | Alignments[FAlignment] | Cases[FCharCase];
    if (FBorderStyle != bsNone) Params.ExStyle |= WS_EX_CLIENTEDGE;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
    if (FPasswordChar) Params.Style |= ES_PASSWORD;
}

void TCustomEdit::CreateWnd()
{
    FCreating = true;
    auto Restore = ScopeExit([&] { FCreating = false; });
    TNativeControl::CreateWnd();
    SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
    SendMessageW(FHandle, EM_SETMODIFY, FModified, 0);
    if (FPasswordChar) SendMessageW(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
}

void TCustomEdit::DestroyWnd()
{
    FModified = Modified();
    TNativeControl::DestroyWnd();
}

void TCustomEdit::SetMaxLength(Integer Value)
{
    FMaxLength = std::max(Value, 0);
    if (FHandle) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
    if (FCharCase == Value) return;
    FCharCase = Value;
    RecreateWnd();
    SetText(CaseOf(Text(), Value));
}

void TCustomEdit::SetHideSelection(bool Value)
{
    SetRecreating(FHideSelection, Value);
}

void TCustomEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetPasswordChar(Char Value)
{
    SetRecreating(FPasswordChar, Value);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    SetRecreating(FBorderStyle, Value);
}

void TCustomEdit::SetAlignment(TAlignment Value)
{
    SetRecreating(FAlignment, Value);
}

bool TCustomEdit::Modified()
{
    return FHandle ? SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0 : FModified;
}

void TCustomEdit::SetModified(bool Value)
{
    FModified = Value;
    if (FHandle) SendMessageW(FHandle, EM_SETMODIFY, Value, 0);
}

Integer TCustomEdit::SelStart()
{
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<Integer>(start);
}

void TCustomEdit::SetSelStart(Integer Value)
{
    SendMessageW(Handle(), EM_SETSEL, Value, Value);
}

Integer TCustomEdit::SelLength()
{
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<Integer>(end - start);
}

void TCustomEdit::SetSelLength(Integer Value)
{
    Integer start = SelStart();
    SendMessageW(Handle(), EM_SETSEL, start, start + Value);
}

String TCustomEdit::SelText()
{
    Integer start = SelStart(), length = SelLength();
    String text = Text();
    if (start < 0 || static_cast<size_t>(start) >= text.size()) return String();
    return text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

void TCustomEdit::SetSelText(const String& Value)
{
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(WStr(Value)));
}

void TCustomEdit::SelectAll()
{
    SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection()
{
    SendMessageW(Handle(), WM_CLEAR, 0, 0);
}

bool TCustomEdit::CanUndo()
{
    return FHandle && SendMessageW(FHandle, EM_CANUNDO, 0, 0) != 0;
}

void TCustomEdit::Undo()
{
    if (FHandle) SendMessageW(FHandle, WM_UNDO, 0, 0);
}

void TCustomEdit::ClearUndo()
{
    if (FHandle) SendMessageW(FHandle, EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomEdit::CutToClipboard()
{
    SendMessageW(Handle(), WM_CUT, 0, 0);
}

void TCustomEdit::CopyToClipboard()
{
    SendMessageW(Handle(), WM_COPY, 0, 0);
}

void TCustomEdit::PasteFromClipboard()
{
    SendMessageW(Handle(), WM_PASTE, 0, 0);
}

void TCustomEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomEdit::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) == EN_CHANGE && !FCreating) Change();
}

void TCustomEdit::CMEnter(TMessage& Message)
{
    if (FAutoSelect && !(FControlState & csLButtonDown) && FHandle &&
        !(GetWindowLongPtrW(FHandle, GWL_STYLE) & ES_MULTILINE))
        SelectAll();
    TNativeControl::CMEnter(Message);
}

void TCustomEdit::CMTextChanged(TMessage& Message)
{
    TNativeControl::CMTextChanged(Message);
    // The platform reports no change of a multi-line edit's text set by code,
    // and none at all without a window.
    if (!FHandle || (GetWindowLongPtrW(FHandle, GWL_STYLE) & ES_MULTILINE)) Change();
}

// ---------------------------------------------------------------------------
// TMemoStrings: the memo's text is the one place the lines live.

namespace {

std::unique_ptr<TStringList> SplitLines(const String& Text)
{
    auto list = std::make_unique<TStringList>();
    list->SetText(Text);
    return list;
}

} // namespace

Integer TMemoStrings::Count() const
{
    return SplitLines(FMemo->Text())->Count();
}

String TMemoStrings::Strings(Integer Index) const
{
    auto lines = SplitLines(FMemo->Text());
    if (Index < 0 || Index >= lines->Count()) ListIndexError(Index);
    return lines->Strings(Index);
}

void TMemoStrings::SetStrings(Integer Index, const String& S)
{
    auto lines = SplitLines(FMemo->Text());
    if (Index < 0 || Index >= lines->Count()) ListIndexError(Index);
    lines->SetStrings(Index, S);
    FMemo->SetText(lines->Text());
}

void TMemoStrings::Insert(Integer Index, const String& S)
{
    auto lines = SplitLines(FMemo->Text());
    if (Index < 0 || Index > lines->Count()) ListIndexError(Index);
    lines->Insert(Index, S);
    FMemo->SetText(lines->Text());
}

void TMemoStrings::Delete(Integer Index)
{
    auto lines = SplitLines(FMemo->Text());
    if (Index < 0 || Index >= lines->Count()) ListIndexError(Index);
    lines->Delete(Index);
    FMemo->SetText(lines->Text());
}

void TMemoStrings::Clear()
{
    FMemo->SetText(String());
}

String TMemoStrings::Text() const
{
    return FMemo->Text();
}

void TMemoStrings::SetText(const String& Value)
{
    FMemo->SetText(Value);
}

// ---------------------------------------------------------------------------
// TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this))
{
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (FWantReturns) Params.Style |= ES_WANTRETURN;
    if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    SetRecreating(FScrollBars, Value);
}

void TCustomMemo::SetWordWrap(bool Value)
{
    SetRecreating(FWordWrap, Value);
}

TPoint TCustomMemo::CaretPos()
{
    Integer start = SelStart();
    auto line = static_cast<Integer>(SendMessageW(FHandle, EM_LINEFROMCHAR, start, 0));
    auto first = static_cast<Integer>(SendMessageW(FHandle, EM_LINEINDEX, line, 0));
    return TPoint{start - first, line};
}

void TCustomMemo::SetCaretPos(const TPoint& Value)
{
    auto first = static_cast<Integer>(SendMessageW(Handle(), EM_LINEINDEX, Value.Y, 0));
    if (first < 0) return;
    SendMessageW(FHandle, EM_SETSEL, first + Value.X, first + Value.X);
}

void TCustomMemo::WMGetDlgCode(TMessage& Message)
{
    TCustomEdit::WMGetDlgCode(Message);
    if (FWantTabs) Message.Result |= DLGC_WANTTAB;
    else Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!FWantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

void TCustomMemo::WMChar(TWMKey& Message)
{
    Char key = static_cast<Char>(Message.CharCode());
    if ((key == u'\r' && !FWantReturns) || (key == u'\t' && !FWantTabs)) return;
    TCustomEdit::WMChar(Message);
}

// ---------------------------------------------------------------------------
// TListControlItems

Integer TListControlItems::Count() const
{
    if (!FControl->HandleAllocated()) return FControl->FSaved->Count();
    return static_cast<Integer>(SendMessageW(FControl->Handle(), FControl->Messages().GetCount, 0, 0));
}

void TListControlItems::CheckIndex(Integer Index) const
{
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
}

String TListControlItems::Strings(Integer Index) const
{
    CheckIndex(Index);
    if (!FControl->HandleAllocated()) return FControl->FSaved->Strings(Index);
    HWND h = FControl->Handle();
    const auto& m = FControl->Messages();
    LRESULT n = SendMessageW(h, m.GetTextLen, static_cast<WPARAM>(Index), 0);
    if (n < 0) return String();
    String s(static_cast<size_t>(n) + 1, u'\0');
    n = SendMessageW(h, m.GetText, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(std::max<LRESULT>(n, 0)));
    return s;
}

void TListControlItems::SetStrings(Integer Index, const String& S)
{
    TObject* obj = Objects(Index);
    Integer selected = FControl->ItemIndex();
    Delete(Index);
    InsertObject(Index, S, obj);
    if (selected == Index) FControl->SetItemIndex(Index);
}

TObject* TListControlItems::Objects(Integer Index) const
{
    CheckIndex(Index);
    if (!FControl->HandleAllocated()) return FControl->FSaved->Objects(Index);
    LRESULT data = SendMessageW(FControl->Handle(), FControl->Messages().GetItemData, static_cast<WPARAM>(Index), 0);
    return reinterpret_cast<TObject*>(data);
}

void TListControlItems::SetObjects(Integer Index, TObject* Obj)
{
    CheckIndex(Index);
    if (!FControl->HandleAllocated()) {
        FControl->FSaved->SetObjects(Index, Obj);
        return;
    }
    SendMessageW(FControl->Handle(), FControl->Messages().SetItemData, static_cast<WPARAM>(Index),
                 reinterpret_cast<LPARAM>(Obj));
}

Integer TListControlItems::Add(const String& S)
{
    return AddObject(S, nullptr);
}

Integer TListControlItems::AddObject(const String& S, TObject* Obj)
{
    if (!FControl->HandleAllocated()) {
        TStringList* saved = FControl->FSaved.get();
        Integer index = saved->Count();
        if (FControl->FSorted) {
            // The platform sorts without case; this order lasts until it does.
            index = 0;
            while (index < saved->Count() && lstrcmpiW(WStr(saved->Strings(index)), WStr(S)) <= 0) ++index;
        }
        saved->InsertObject(index, S, Obj);
        return index;
    }
    HWND h = FControl->Handle();
    const auto& m = FControl->Messages();
    LRESULT index = SendMessageW(h, m.AddString, 0, reinterpret_cast<LPARAM>(WStr(S)));
    if (index < 0) throw EListError(u"Unable to insert a line");
    if (Obj) SendMessageW(h, m.SetItemData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(Obj));
    return static_cast<Integer>(index);
}

void TListControlItems::Insert(Integer Index, const String& S)
{
    InsertObject(Index, S, nullptr);
}

void TListControlItems::InsertObject(Integer Index, const String& S, TObject* Obj)
{
    if (Index < 0 || Index > Count()) ListIndexError(Index);
    if (!FControl->HandleAllocated()) {
        FControl->FSaved->InsertObject(Index, S, Obj);
        return;
    }
    HWND h = FControl->Handle();
    const auto& m = FControl->Messages();
    LRESULT index = SendMessageW(h, m.InsertString, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(WStr(S)));
    if (index < 0) throw EListError(u"Unable to insert a line");
    if (Obj) SendMessageW(h, m.SetItemData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(Obj));
}

void TListControlItems::Delete(Integer Index)
{
    CheckIndex(Index);
    if (!FControl->HandleAllocated()) {
        FControl->FSaved->Delete(Index);
        return;
    }
    SendMessageW(FControl->Handle(), FControl->Messages().DeleteString, static_cast<WPARAM>(Index), 0);
}

void TListControlItems::Clear()
{
    if (!FControl->HandleAllocated()) {
        FControl->FSaved->Clear();
        return;
    }
    SendMessageW(FControl->Handle(), FControl->Messages().ResetContent, 0, 0);
}

Integer TListControlItems::IndexOf(const String& S) const
{
    if (!FControl->HandleAllocated()) return FControl->FSaved->IndexOf(S);
    LRESULT index = SendMessageW(FControl->Handle(), FControl->Messages().FindStringExact, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(WStr(S)));
    return index < 0 ? -1 : static_cast<Integer>(index);
}

void TListControlItems::SetUpdateState(bool Updating)
{
    if (!FControl->HandleAllocated()) return;
    SendMessageW(FControl->Handle(), WM_SETREDRAW, !Updating, 0);
    if (!Updating) FControl->Invalidate();
}

// ---------------------------------------------------------------------------
// TCustomListControl

TCustomListControl::TCustomListControl(TComponent* AOwner)
    : TNativeControl(AOwner), FItems(std::make_unique<TListControlItems>(this)),
      FSaved(std::make_unique<TStringList>()), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomListControl::~TCustomListControl() = default;

void TCustomListControl::SetSorted(bool Value)
{
    if (FSorted == Value) return;
    FSorted = Value;
    if (FHandle) {
        RecreateWnd();
    } else if (Value) {
        // The same order the window will give them.
        std::vector<std::pair<String, TObject*>> items;
        for (Integer i = 0; i < FSaved->Count(); ++i) items.emplace_back(FSaved->Strings(i), FSaved->Objects(i));
        std::stable_sort(items.begin(), items.end(),
                         [](const auto& a, const auto& b) { return lstrcmpiW(WStr(a.first), WStr(b.first)) < 0; });
        FSaved->Clear();
        for (auto& item : items) FSaved->AddObject(item.first, item.second);
    }
}

Integer TCustomListControl::ItemHeight()
{
    if (FHandle && !IsOwnerDraw()) return static_cast<Integer>(SendMessageW(FHandle, Messages().GetItemHeight, 0, 0));
    return FItemHeight;
}

void TCustomListControl::SetItemHeight(Integer Value)
{
    if (Value <= 0 || FItemHeight == Value) return;
    FItemHeight = Value;
    if (FHandle && IsOwnerDraw() && !IsOwnerDrawVariable()) {
        SendMessageW(FHandle, Messages().SetItemHeight, 0, Value);
        Invalidate();
    }
}

void TCustomListControl::CreateWnd()
{
    TNativeControl::CreateWnd();
    const auto& m = Messages();
    for (Integer i = 0; i < FSaved->Count(); ++i) {
        LRESULT index = SendMessageW(FHandle, FSorted ? m.AddString : m.InsertString, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(WStr(FSaved->Strings(i))));
        if (index >= 0 && FSaved->Objects(i))
            SendMessageW(FHandle, m.SetItemData, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(FSaved->Objects(i)));
    }
    FSaved->Clear();
    RestoreState();
}

void TCustomListControl::DestroyWnd()
{
    SaveState();
    FSaved->Clear();
    const auto& m = Messages();
    auto n = static_cast<Integer>(SendMessageW(FHandle, m.GetCount, 0, 0));
    for (Integer i = 0; i < n; ++i) {
        LRESULT len = SendMessageW(FHandle, m.GetTextLen, static_cast<WPARAM>(i), 0);
        String s(static_cast<size_t>(std::max<LRESULT>(len, 0)) + 1, u'\0');
        len = SendMessageW(FHandle, m.GetText, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
        s.resize(static_cast<size_t>(std::max<LRESULT>(len, 0)));
        LRESULT data = SendMessageW(FHandle, m.GetItemData, static_cast<WPARAM>(i), 0);
        FSaved->AddObject(s, data == static_cast<LRESULT>(static_cast<int>(m.Err)) ? nullptr : reinterpret_cast<TObject*>(data));
    }
    TNativeControl::DestroyWnd();
}

void TCustomListControl::DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index < FItems->Count()) FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}

void TCustomListControl::MeasureItem(Integer Index, Integer& Height)
{
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListControl::CNDrawItem(TMessage& Message)
{
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    auto state = static_cast<TOwnerDrawState>(LOWORD(item->itemState));
    auto index = static_cast<Integer>(item->itemID);
    TRect rect{item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom};
    FCanvas->SetHandle(item->hDC);
    auto Release = ScopeExit([&] { FCanvas->SetHandle(nullptr); });
    FCanvas->Font()->Assign(Font());
    FCanvas->Brush()->Assign(Brush());
    if (index >= 0 && (state & odSelected)) {
        FCanvas->Brush()->SetColor(clHighlight);
        FCanvas->Font()->SetColor(clHighlightText);
    }
    if (index >= 0) DrawItem(index, rect, state);
    else FCanvas->FillRect(rect);
    if ((state & odFocused) && !(state & odNoFocusRect)) DrawFocusRect(item->hDC, &item->rcItem);
    Message.Result = 1;
}

void TCustomListControl::CNMeasureItem(TMessage& Message)
{
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    Integer height = FItemHeight;
    if (IsOwnerDrawVariable() && static_cast<Integer>(item->itemID) >= 0)
        MeasureItem(static_cast<Integer>(item->itemID), height);
    item->itemHeight = static_cast<UINT>(std::max(height, 1));
    Message.Result = 1;
}

// ---------------------------------------------------------------------------
// TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomListControl(AOwner)
{
    SetBounds(0, 0, 121, 97);
}

const TCustomListControl::TItemMessages& TCustomListBox::Messages() const
{
    static const TItemMessages m{LB_GETCOUNT,      LB_GETTEXT,      LB_GETTEXTLEN,    LB_ADDSTRING, LB_INSERTSTRING,
                                 LB_DELETESTRING,  LB_RESETCONTENT, LB_GETITEMDATA,   LB_SETITEMDATA,
                                 LB_FINDSTRINGEXACT, LB_GETITEMHEIGHT, LB_SETITEMHEIGHT, static_cast<UINT>(LB_ERR)};
    return m;
}

void TCustomListBox::CreateParams(TCreateParams& Params)
{
    TCustomListControl::CreateParams(Params);
    CreateNative(Params, L"LISTBOX");
    static const DWORD Styles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE};
    Params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | Styles[FStyle];
    if (FSorted) Params.Style |= LBS_SORT;
    if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FColumns > 0) Params.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (FBorderStyle != bsNone) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd()
{
    TCustomListControl::CreateWnd();
    if (FColumns > 0) SendMessageW(FHandle, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(Width() / FColumns, 1)), 0);
}

void TCustomListBox::SaveState()
{
    FSavedIndex = ItemIndex();
    FSavedTop = TopIndex();
    FSavedSelection.clear();
    if (FMultiSelect)
        for (Integer i = 0, n = Count(); i < n; ++i)
            if (Selected(i)) FSavedSelection.push_back(i);
}

void TCustomListBox::RestoreState()
{
    if (FMultiSelect)
        for (Integer i : FSavedSelection)
            if (i < Count()) SendMessageW(FHandle, LB_SETSEL, TRUE, i);
    FSavedSelection.clear();
    SetItemIndex(FSavedIndex);
    SendMessageW(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(FSavedTop, 0)), 0);
}

Integer TCustomListBox::ItemIndex()
{
    if (!FHandle) return FSavedIndex;
    LRESULT r = SendMessageW(FHandle, FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0);
    return r < 0 ? -1 : static_cast<Integer>(r);
}

void TCustomListBox::SetItemIndex(Integer Value)
{
    if (!FHandle) {
        FSavedIndex = Value;
        return;
    }
    if (FMultiSelect) SendMessageW(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(Value), FALSE);
    else SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

Integer TCustomListBox::TopIndex()
{
    if (!FHandle) return FSavedTop;
    return static_cast<Integer>(SendMessageW(FHandle, LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(Integer Value)
{
    if (!FHandle) FSavedTop = Value;
    else SendMessageW(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0);
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    SetRecreating(FStyle, Value);
}

void TCustomListBox::SetColumns(Integer Value)
{
    Value = std::max(Value, 0);
    if (FColumns == Value) return;
    bool recreate = (FColumns == 0) != (Value == 0);
    FColumns = Value;
    if (recreate) RecreateWnd();
    else if (FHandle) SendMessageW(FHandle, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(Width() / Value, 1)), 0);
}

void TCustomListBox::SetMultiSelect(bool Value)
{
    SetRecreating(FMultiSelect, Value);
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
    SetRecreating(FExtendedSelect, Value);
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value)
{
    SetRecreating(FBorderStyle, Value);
}

Integer TCustomListBox::SelCount()
{
    if (!FMultiSelect) return -1;
    return static_cast<Integer>(SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0));
}

bool TCustomListBox::Selected(Integer Index)
{
    LRESULT r = SendMessageW(Handle(), LB_GETSEL, static_cast<WPARAM>(Index), 0);
    if (r == LB_ERR) ListIndexError(Index);
    return r != 0;
}

void TCustomListBox::SetSelected(Integer Index, bool Value)
{
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    if (FMultiSelect) SendMessageW(Handle(), LB_SETSEL, Value, Index);
    else if (Value) SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(Index), 0);
    else if (ItemIndex() == Index) SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void TCustomListBox::SelectAll()
{
    if (FMultiSelect) SendMessageW(Handle(), LB_SETSEL, TRUE, -1);
}

void TCustomListBox::ClearSelection()
{
    if (FMultiSelect) SendMessageW(Handle(), LB_SETSEL, FALSE, -1);
    else SetItemIndex(-1);
}

void TCustomListBox::DeleteSelected()
{
    if (!FMultiSelect) {
        Integer index = ItemIndex();
        if (index >= 0) FItems->Delete(index);
        return;
    }
    for (Integer i = Count() - 1; i >= 0; --i)
        if (Selected(i)) FItems->Delete(i);
}

TRect TCustomListBox::ItemRect(Integer Index)
{
    RECT r{};
    if (SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
        return TRect{0, 0, 0, 0};
    return TRect{r.left, r.top, r.right, r.bottom};
}

Integer TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing)
{
    Integer count = Count();
    TRect client = ClientRect();
    if (FHandle && Inside(client, Pos)) {
        // Only the items in view can be under the point.
        for (Integer i = std::max(TopIndex(), 0); i < count; ++i) {
            TRect r = ItemRect(i);
            if (Inside(r, Pos)) return i;
            if (r.Left >= client.Right || (FColumns == 0 && r.Top >= client.Bottom)) break;
        }
    }
    return Existing ? -1 : count;
}

void TCustomListBox::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
    }
}

// ---------------------------------------------------------------------------
// TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomListControl(AOwner)
{
    SetBounds(0, 0, 145, 21);
}

const TCustomListControl::TItemMessages& TCustomComboBox::Messages() const
{
    static const TItemMessages m{CB_GETCOUNT,      CB_GETLBTEXT,    CB_GETLBTEXTLEN,  CB_ADDSTRING, CB_INSERTSTRING,
                                 CB_DELETESTRING,  CB_RESETCONTENT, CB_GETITEMDATA,   CB_SETITEMDATA,
                                 CB_FINDSTRINGEXACT, CB_GETITEMHEIGHT, CB_SETITEMHEIGHT, static_cast<UINT>(CB_ERR)};
    return m;
}

void TCustomComboBox::CreateParams(TCreateParams& Params)
{
    TCustomListControl::CreateParams(Params);
    CreateNative(Params, L"COMBOBOX");
    static const DWORD Styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                   CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS | Styles[FStyle];
    if (FSorted) Params.Style |= CBS_SORT;
    // The window's height includes the dropped list's.
    if (FStyle != csSimple) Params.Height = Height() + FDropDownCount * FItemHeight + 2;
}

void TCustomComboBox::CreateWnd()
{
    FFilling = true;
    auto Restore = ScopeExit([&] { FFilling = false; });
    TCustomListControl::CreateWnd();
    SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
    SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
}

void TCustomComboBox::SaveState()
{
    FSavedIndex = ItemIndex();
}

void TCustomComboBox::RestoreState()
{
    if (FSavedIndex >= 0) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FSavedIndex), 0);
}

Integer TCustomComboBox::ItemIndex()
{
    if (!FHandle) return FSavedIndex;
    LRESULT r = SendMessageW(FHandle, CB_GETCURSEL, 0, 0);
    return r < 0 ? -1 : static_cast<Integer>(r);
}

void TCustomComboBox::SetItemIndex(Integer Value)
{
    if (!FHandle) FSavedIndex = Value;
    else SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    SetRecreating(FStyle, Value);
}

void TCustomComboBox::SetDropDownCount(Integer Value)
{
    FDropDownCount = std::max(Value, 1);
    if (FHandle) SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
}

bool TCustomComboBox::DroppedDown()
{
    return FHandle && SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
    SendMessageW(Handle(), CB_SHOWDROPDOWN, Value, 0);
}

void TCustomComboBox::SetMaxLength(Integer Value)
{
    FMaxLength = std::max(Value, 0);
    if (FHandle) SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

Integer TCustomComboBox::SelStart()
{
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<Integer>(start);
}

void TCustomComboBox::SetSelStart(Integer Value)
{
    SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(Value, Value));
}

Integer TCustomComboBox::SelLength()
{
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<Integer>(end - start);
}

void TCustomComboBox::SetSelLength(Integer Value)
{
    Integer start = SelStart();
    SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start + Value));
}

void TCustomComboBox::SelectAll()
{
    SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void TCustomComboBox::AdjustDropDown()
{
    // Older common controls size the list from the window's height.
    Integer items = std::clamp(Count(), 1, FDropDownCount);
    auto itemHeight = static_cast<Integer>(SendMessageW(FHandle, CB_GETITEMHEIGHT, 0, 0));
    RECT r;
    GetWindowRect(FHandle, &r);
    SetWindowPos(FHandle, nullptr, 0, 0, r.right - r.left, (r.bottom - r.top) + items * itemHeight + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::Change()
{
    if (!FFilling && OnChange) OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect) OnSelect(this);
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case CBN_SELCHANGE: {
        // The edit part takes the item's text only after this notification.
        Integer index = ItemIndex();
        if (index >= 0 && (FStyle == csDropDown || FStyle == csSimple)) {
            bool filling = FFilling;
            FFilling = true;
            SetWindowTextW(FHandle, WStr(FItems->Strings(index)));
            FFilling = filling;
        }
        Click();
        Select();
        Change();
        break;
    }
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN:
        DropDown();
        AdjustDropDown();
        break;
    case CBN_CLOSEUP: CloseUp(); break;
    case CBN_DBLCLK: DblClick(); break;
    }
}

// ---------------------------------------------------------------------------
// Buttons

TButtonControl::TButtonControl(TComponent* AOwner) : TNativeControl(AOwner)
{
    SetTabStop(true);
}

void TButtonControl::CreateParams(TCreateParams& Params)
{
    TNativeControl::CreateParams(Params);
    CreateNative(Params, L"BUTTON");
    if (FWordWrap) Params.Style |= BS_MULTILINE;
}

void TButtonControl::SetWordWrap(bool Value)
{
    SetRecreating(FWordWrap, Value);
}

void TButtonControl::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<Char>(Message.WParam), Caption()) && CanFocus()) {
        if (FFocusOnAccel) SetFocus();
        Message.Result = 1;
        Clicked();
        return;
    }
    TNativeControl::CMDialogChar(Message);
}

void TButtonControl::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case BN_CLICKED: Clicked(); break;
    case BN_DOUBLECLICKED: DblClick(); break;
    }
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FFocusOnAccel = false;
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    Params.Style |= FActive ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::SetDefault(bool Value)
{
    FDefault = Value;
    TCustomForm* form = FHandle ? GetParentForm(this) : nullptr;
    if (form) {
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    } else {
        FActive = Value;
        SetButtonStyle(Value);
    }
}

void TButton::SetButtonStyle(bool ADefault)
{
    if (!FHandle) return;
    DWORD style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongPtrW(FHandle, GWL_STYLE) & BS_TYPEMASK) != style) SendMessageW(FHandle, BM_SETSTYLE, style, TRUE);
}

void TButton::CMDialogKey(TMessage& Message)
{
    bool plain = (KeyDataToShiftState(static_cast<Integer>(Message.LParam)) & (ssShift | ssAlt | ssCtrl)) == 0;
    if (plain && ((Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && FCancel)) &&
        CanFocus()) {
        Message.Result = 1;
        Click();
        return;
    }
    TButtonControl::CMDialogKey(Message);
}

void TButton::CMFocusChanged(TMessage& Message)
{
    auto* focused = reinterpret_cast<TControl*>(Message.LParam);
    FActive = dynamic_cast<TButton*>(focused) ? focused == this : FDefault;
    SetButtonStyle(FActive);
    TButtonControl::CMFocusChanged(Message);
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    // The box follows State: the platform's button does not check itself.
    Params.Style |= BS_3STATE;
    if (FAlignment == lrLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value) return;
    FState = Value;
    if (FHandle) SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
    Click();
}

void TCustomCheckBox::SetAlignment(TLeftRight Value)
{
    SetRecreating(FAlignment, Value);
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(FAllowGrayed ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
    }
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    SetBounds(0, 0, 113, 17);
    // Tab reaches the checked button of a group; the arrows move within it.
    SetTabStop(false);
}

void TRadioButton::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    Params.Style |= BS_RADIOBUTTON;
    if (FAlignment == lrLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::WMSetFocus(TMessage& Message)
{
    TButtonControl::WMSetFocus(Message);
    // A click sets the capture first and checks the button itself.
    if (FHandle && GetCapture() != FHandle && GetKeyState(VK_LBUTTON) >= 0) SetChecked(true);
}

void TRadioButton::SetAlignment(TLeftRight Value)
{
    SetRecreating(FAlignment, Value);
}

void TRadioButton::SetChecked(bool Value)
{
    if (FChecked == Value) return;
    FChecked = Value;
    SetTabStop(Value);
    if (FHandle) SendMessageW(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!Value) return;
    if (TWinControl* parent = Parent())
        for (Integer i = 0; i < parent->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
                sibling->SetChecked(false);
    Click();
}

// ---------------------------------------------------------------------------
// TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TNativeControl(AOwner)
{
    FControlStyle |= csAcceptsControls;
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::CreateParams(TCreateParams& Params)
{
    TNativeControl::CreateParams(Params);
    CreateNative(Params, L"BUTTON");
    Params.Style |= BS_GROUPBOX | WS_CLIPCHILDREN;
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect)
{
    TNativeControl::AdjustClientRect(Rect);
    TEXTMETRICW tm{};
    {
        TClientDC dc(nullptr);
        TSelectedObject font(dc, Font()->Handle());
        GetTextMetricsW(dc, &tm);
    }
    Rect.Top += tm.tmHeight;
    Rect.Left += 2;
    Rect.Right -= 2;
    Rect.Bottom -= 2;
}

void TCustomGroupBox::WMNCHitTest(TMessage& Message)
{
    TNativeControl::WMNCHitTest(Message);
    if (Message.Result == HTTRANSPARENT) Message.Result = HTCLIENT;
}

void TCustomGroupBox::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<Char>(Message.WParam), Caption()) && CanFocus()) {
        SelectNext(nullptr, true, true);
        Message.Result = 1;
        return;
    }
    TNativeControl::CMDialogChar(Message);
}

// ---------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle |= csOpaque | csReplicatable;
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

UINT TCustomLabel::DrawFlags() const
{
    static const UINT Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    return DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | Alignments[FAlignment];
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    String text = GetLabelText();
    if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == u"&"))) text += u' ';
    if (!FShowAccelChar) Flags |= DT_NOPREFIX;
    if (!FWordWrap && !(Flags & DT_CALCRECT)) {
        static const UINT Ellipses[] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS, DT_WORD_ELLIPSIS};
        Flags |= Ellipses[FEllipsisPosition];
    }
    HDC dc = Canvas()->Handle();
    TSelectedObject font(dc, Font()->Handle());
    int mode = SetBkMode(dc, TRANSPARENT);
    auto draw = [&](const TRect& R, TColor Color) {
        RECT r{R.Left, R.Top, R.Right, R.Bottom};
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Color)));
        DrawTextW(dc, WStr(text), static_cast<int>(text.size()), &r, Flags);
        return TRect{r.left, r.top, r.right, r.bottom};
    };
    if (Flags & DT_CALCRECT) {
        Rect = draw(Rect, Font()->Color());
    } else if (Enabled()) {
        draw(Rect, Font()->Color());
    } else {
        // Disabled: a light copy one pixel down and right under the shadow.
        draw(TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1}, clBtnHighlight);
        draw(Rect, clBtnShadow);
    }
    SetBkMode(dc, mode);
}

void TCustomLabel::Paint()
{
    TRect rect = ClientRect();
    if (!Transparent()) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->FillRect(rect);
    }
    if (FLayout != tlTop) {
        TRect calc = rect;
        DoDrawText(calc, DrawFlags() | DT_CALCRECT);
        Integer offset = rect.Height() - calc.Height();
        rect.Top += FLayout == tlBottom ? offset : offset / 2;
    }
    DoDrawText(rect, DrawFlags());
}

void TCustomLabel::AdjustBounds()
{
    if ((ComponentState() & (csLoading | csDestroying)) || !AutoSize()) return;
    TRect rect = ClientRect();
    {
        // Measured on the screen: the label may have no window to draw on yet.
        TClientDC dc(nullptr);
        Canvas()->SetHandle(dc);
        auto Release = ScopeExit([&] { Canvas()->SetHandle(nullptr); });
        DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    }
    Integer x = Left();
    if (FAlignment == taRightJustify) x += Width() - rect.Right;
    else if (FAlignment == taCenter) x += (Width() - rect.Right) / 2;
    SetBounds(x, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::SetAutoSize(bool Value)
{
    TGraphicControl::SetAutoSize(Value);
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition Value)
{
    if (FEllipsisPosition == Value) return;
    FEllipsisPosition = Value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
    if (Transparent() == Value) return;
    if (Value) FControlStyle &= ~csOpaque;
    else FControlStyle |= csOpaque;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage& Message)
{
    TGraphicControl::CMTextChanged(Message);
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message)
{
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message)
{
    if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<Char>(Message.WParam), Caption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
        return;
    }
    TGraphicControl::CMDialogChar(Message);
}

// ---------------------------------------------------------------------------
// TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TNativeControl(AOwner)
{
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& Params)
{
    TNativeControl::CreateParams(Params);
    CreateNative(Params, L"SCROLLBAR");
    Params.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWnd()
{
    TNativeControl::CreateWnd();
    UpdateScrollInfo();
}

void TScrollBar::UpdateScrollInfo()
{
    if (!FHandle) return;
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, FMin, FMax, static_cast<UINT>(FPageSize),
                  FPosition, 0};
    SetScrollInfo(FHandle, SB_CTL, &si, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value)
{
    if (FKind == Value) return;
    FKind = Value;
    if (!(ComponentState() & csLoading)) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TScrollBar::SetParams(Integer APosition, Integer AMin, Integer AMax)
{
    if (AMax < AMin || AMax < FPageSize) throw EInvalidOperation(u"Scroll bar property out of range");
    FMin = AMin;
    FMax = AMax;
    APosition = std::max(std::min(APosition, Highest()), AMin);
    bool changed = APosition != FPosition;
    FPosition = APosition;
    UpdateScrollInfo();
    if (changed) Change();
}

void TScrollBar::SetPageSize(Integer Value)
{
    if (FPageSize == Value || Value < 0 || Value > FMax - FMin + 1) return;
    FPageSize = Value;
    SetParams(FPosition, FMin, FMax);
    UpdateScrollInfo();
}

void TScrollBar::Change()
{
    if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, Integer& ScrollPos)
{
    if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::DoScroll(TMessage& Message)
{
    auto code = static_cast<TScrollCode>(LOWORD(Message.WParam));
    Integer pos = FPosition;
    switch (code) {
    case scLineUp: pos -= FSmallChange; break;
    case scLineDown: pos += FSmallChange; break;
    case scPageUp: pos -= FLargeChange; break;
    case scPageDown: pos += FLargeChange; break;
    case scPosition:
    case scTrack: {
        // The 32-bit place of the thumb (the message carries 16 bits).
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(FHandle, SB_CTL, &si);
        pos = si.nTrackPos;
        break;
    }
    case scTop: pos = FMin; break;
    case scBottom: pos = FMax; break;
    case scEndScroll: break;
    }
    pos = std::max(std::min(pos, Highest()), FMin);
    Scroll(code, pos);
    SetPosition(pos);
    Message.Result = 0;
}

void TScrollBar::CNHScroll(TMessage& Message)
{
    DoScroll(Message);
}

void TScrollBar::CNVScroll(TMessage& Message)
{
    DoScroll(Message);
}
