// The standard controls on real windows (Wine on an X display): typing into
// edits with the keyboard, choosing list and combo items with the mouse and
// the keys, checking boxes and radio groups, the default and cancel buttons,
// label accelerators, owner drawing, scroll bars, a control freed by its own
// event, and handle counts over many made and freed controls.
#include "GuiTest.h"
#include "HandleCount.h"
#include "ModalDriver.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/controls/win/StdCtrls.h"

using namespace guitest;

namespace {

std::vector<std::string> Events;

std::string Utf8(const String& S)
{
    return std::string(S.begin(), S.end());  // the tests' texts are ASCII
}

// Types Text with the keyboard (shifted characters with Shift held).
void TypeText(const std::wstring& Text)
{
    for (wchar_t c : Text) {
        SHORT scan = VkKeyScanW(c);
        bool shift = (scan & 0x100) != 0;
        if (shift) Key(VK_SHIFT, true);
        Chord({static_cast<WORD>(scan & 0xFF)});
        if (shift) Key(VK_SHIFT, false);
    }
    Pump();
}

void Press(const std::vector<WORD>& Keys)
{
    Chord(Keys);
    Pump();
}

TPoint CenterOnScreen(TControl* Control, const TRect& R)
{
    return Control->ClientToScreen(TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
}

void ClickAt(const TPoint& P)
{
    MovePointer(P);
    LeftButton(true);
    LeftButton(false);
    Pump();
}

class StdCtrls : public FormTest {
protected:
    void SetUp() override { Events.clear(); }
    // A shown, active form with the keyboard.
    TForm* ActiveForm()
    {
        TForm* form = NewForm();
        return form;
    }
    void Activate(TForm* Form, TWinControl* Focused)
    {
        ShowAndWait(Form);
        SetForegroundWindow(Form->Handle());
        Focused->SetFocus();
        Pump();
        // A drop-down combo box gives the keyboard to its edit part.
        ASSERT_TRUE(GetFocus() == Focused->Handle() || IsChild(Focused->Handle(), GetFocus()));
    }
    template <class T>
    T* Place(TWinControl* Parent, int Left, int Top, int Width = 0, int Height = 0)
    {
        auto* c = new T(Parent);
        c->SetParent(Parent);
        c->SetBounds(Left, Top, Width ? Width : c->Width(), Height ? Height : c->Height());
        return c;
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Edits

TEST_F(StdCtrls, TypingIntoAnEditFollowsItsSettings)
{
    struct TCase {
        const char* Name;
        std::function<void(TEdit*)> Setup;
        const wchar_t* Typed;
        const char* Expected;
        int Changes;  // -1: not counted (Wine reports a refused character as a change)
    };
    const std::vector<TCase> cases = {
        {"plain", [](TEdit*) {}, L"Hello", "Hello", 5},
        {"max length", [](TEdit* E) { E->SetMaxLength(3); }, L"abcde", "abc", -1},
        {"upper case", [](TEdit* E) { E->SetCharCase(ecUpperCase); }, L"aBc", "ABC", 3},
        {"lower case", [](TEdit* E) { E->SetCharCase(ecLowerCase); }, L"aBc", "abc", 3},
        {"read only", [](TEdit* E) { E->SetReadOnly(true); }, L"xyz", "", 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TForm* form = NewForm();
        auto* edit = Place<TEdit>(form, 10, 10);
        int changes = 0;
        edit->OnChange = [&](TObject*) { ++changes; };
        c.Setup(edit);
        Activate(form, edit);
        TypeText(c.Typed);
        EXPECT_EQ(Utf8(edit->Text()), c.Expected);
        if (c.Changes >= 0) EXPECT_EQ(changes, c.Changes);
        EXPECT_EQ(edit->Modified(), c.Changes != 0);
        delete form;
        Forget(form);
    }
}

TEST_F(StdCtrls, AnEditsSelectionClipboardAndUndo)
{
    TForm* form = NewForm();
    auto* edit = Place<TEdit>(form, 10, 10, 200);
    edit->SetText(u"hello world");
    Activate(form, edit);
    edit->SetSelStart(6);
    edit->SetSelLength(5);
    EXPECT_EQ(edit->SelText(), u"world");
    edit->CutToClipboard();
    EXPECT_EQ(edit->Text(), u"hello ");
    EXPECT_TRUE(edit->CanUndo());
    edit->Undo();
    EXPECT_EQ(edit->Text(), u"hello world");
    edit->SetSelStart(0);
    edit->SetSelLength(0);
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), u"worldhello world");
    edit->SelectAll();
    EXPECT_EQ(edit->SelLength(), 16);
    edit->SetSelText(u"new");
    EXPECT_EQ(edit->Text(), u"new");
    edit->SetSelStart(1);
    edit->SetSelLength(1);
    edit->ClearSelection();
    EXPECT_EQ(edit->Text(), u"nw");
    // What was set before the window existed holds after it is made again.
    edit->SetModified(true);
    edit->SetHideSelection(false);  // makes the window again
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(edit->Text(), u"nw");
}

TEST_F(StdCtrls, StylesSetOnAnEditReachItsWindowAndKeepItsText)
{
    struct TCase {
        const char* Name;
        std::function<void(TEdit*)> Set;
        LONG_PTR Style;
        DWORD ExStyle;
    };
    const std::vector<TCase> cases = {
        {"password", [](TEdit* E) { E->SetPasswordChar(u'*'); }, ES_PASSWORD, WS_EX_CLIENTEDGE},
        {"centred", [](TEdit* E) { E->SetAlignment(taCenter); }, ES_CENTER, WS_EX_CLIENTEDGE},
        {"right", [](TEdit* E) { E->SetAlignment(taRightJustify); }, ES_RIGHT, WS_EX_CLIENTEDGE},
        {"no border", [](TEdit* E) { E->SetBorderStyle(bsNone); }, 0, 0},
        {"read only", [](TEdit* E) { E->SetReadOnly(true); }, ES_READONLY, WS_EX_CLIENTEDGE},
        {"selection kept", [](TEdit* E) { E->SetHideSelection(false); }, ES_NOHIDESEL, WS_EX_CLIENTEDGE},
    };
    TForm* form = NewForm();
    ShowAndWait(form);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* edit = Place<TEdit>(form, 10, 10);
        edit->SetText(u"secret");
        edit->HandleNeeded();
        c.Set(edit);
        EXPECT_EQ(GetWindowLongPtrW(edit->Handle(), GWL_STYLE) & c.Style, c.Style);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(edit->Handle(), GWL_EXSTYLE)) & WS_EX_CLIENTEDGE, c.ExStyle);
        EXPECT_EQ(edit->Text(), u"secret");
        delete edit;
    }
    auto* edit = Place<TEdit>(form, 10, 10);
    edit->SetPasswordChar(u'*');
    EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'*');
}

TEST_F(StdCtrls, TabIntoAnAutoSelectEditSelectsItsText)
{
    TForm* form = NewForm();
    auto* first = Place<TEdit>(form, 10, 10);
    auto* second = Place<TEdit>(form, 10, 40);
    second->SetText(u"selected");
    auto* third = Place<TEdit>(form, 10, 70);
    third->SetText(u"kept");
    third->SetAutoSelect(false);
    Activate(form, first);
    Press({VK_TAB});
    EXPECT_EQ(GetFocus(), second->Handle());
    EXPECT_EQ(second->SelLength(), 8);
    Press({VK_TAB});
    EXPECT_EQ(GetFocus(), third->Handle());
    EXPECT_EQ(third->SelLength(), 0);
}

TEST_F(StdCtrls, AMemosLinesAreItsText)
{
    TForm* form = NewForm();
    auto* memo = Place<TMemo>(form, 10, 10, 200, 100);
    TStrings* lines = memo->Lines();
    lines->Add(u"one");
    lines->Add(u"three");
    lines->Insert(1, u"two");
    EXPECT_EQ(memo->Text(), u"one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Strings(2), u"three");
    lines->Delete(0);
    lines->SetStrings(0, u"2");
    EXPECT_EQ(memo->Text(), u"2\r\nthree\r\n");
    EXPECT_THROW(lines->Strings(5), EListError);
    // Typed lines are lines too; the text after the last break counts.
    Activate(form, memo);
    lines->Clear();
    TypeText(L"ab");
    Press({VK_RETURN});
    TypeText(L"cd");
    EXPECT_EQ(lines->Count(), 2);
    EXPECT_EQ(lines->Strings(1), u"cd");
    EXPECT_EQ(memo->CaretPos(), (TPoint{2, 1}));
    memo->SetCaretPos(TPoint{1, 0});
    EXPECT_EQ(memo->SelStart(), 1);
}

// ---------------------------------------------------------------------------
// Default and cancel buttons, accelerators

TEST_F(StdCtrls, EnterAndEscapeClickTheDefaultAndCancelButtons)
{
    TForm* form = NewForm();
    auto* edit = Place<TEdit>(form, 10, 10);
    auto* memo = Place<TMemo>(form, 10, 40, 150, 60);
    auto* ok = Place<TButton>(form, 200, 10);
    ok->SetCaption(u"OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = Place<TButton>(form, 200, 40);
    cancel->SetCaption(u"Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    auto* other = Place<TButton>(form, 200, 70);
    other->SetCaption(u"Other");
    ok->OnClick = [](TObject*) { Events.push_back("ok"); };
    cancel->OnClick = [](TObject*) { Events.push_back("cancel"); };
    other->OnClick = [](TObject*) { Events.push_back("other"); };
    Activate(form, edit);
    Press({VK_RETURN});
    EXPECT_EQ(form->ModalResult(), mrOk);
    Press({VK_ESCAPE});
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(GetWindowLongPtrW(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    // A focused button takes Enter itself and looks the default meanwhile.
    other->SetFocus();
    Pump();
    EXPECT_EQ(GetWindowLongPtrW(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    Press({VK_RETURN});
    // A memo keeps Enter for its lines until it gives it up.
    memo->SetFocus();
    Pump();
    Press({VK_RETURN});
    memo->SetWantReturns(false);
    Press({VK_RETURN});
    EXPECT_EQ(Events, (std::vector<std::string>{"ok", "cancel", "other", "ok"}));
    EXPECT_EQ(memo->Lines()->Count(), 1);
}

TEST_F(StdCtrls, AltAndALabelsAcceleratorFocusesItsControl)
{
    TForm* form = NewForm();
    auto* first = Place<TEdit>(form, 100, 10);
    auto* label = Place<TLabel>(form, 10, 40);
    label->SetCaption(u"&File");
    auto* target = Place<TEdit>(form, 100, 40);
    label->SetFocusControl(target);
    auto* box = Place<TGroupBox>(form, 10, 80, 250, 100);
    box->SetCaption(u"&Group");
    auto* inner = Place<TLabel>(box, 10, 30);
    inner->SetCaption(u"&Name");
    auto* named = Place<TEdit>(box, 80, 30);
    inner->SetFocusControl(named);
    auto* check = Place<TCheckBox>(form, 10, 200);
    check->SetCaption(u"&Wrap");
    Activate(form, first);
    Press({VK_MENU, 'F'});
    EXPECT_EQ(GetFocus(), target->Handle());
    Press({VK_MENU, 'N'});  // on a group box
    EXPECT_EQ(GetFocus(), named->Handle());
    Press({VK_MENU, 'W'});  // a check box's own accelerator toggles it
    EXPECT_EQ(GetFocus(), check->Handle());
    EXPECT_TRUE(check->Checked());
    first->SetFocus();
    label->SetShowAccelChar(false);
    Press({VK_MENU, 'F'});
    EXPECT_EQ(GetFocus(), first->Handle());
    // A freed focus control is forgotten.
    delete target;
    EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST(StdCtrlsAccel, IsAccelFindsTheFirstMarkedCharacter)
{
    struct TCase {
        Char Key;
        const char16_t* Text;
        bool Expected;
    };
    const TCase cases[] = {
        {u'f', u"&File", true},   {u'F', u"&file", true},  {u'i', u"&File", false},
        {u'x', u"a&&x", false},   {u'b', u"&&a&b", true},  {u'a', u"a&", false},
        {u'a', u"", false},       {u's', u"Save &As", false},
    };
    for (const TCase& c : cases) EXPECT_EQ(IsAccel(c.Key, c.Text), c.Expected) << Utf8(c.Text);
}

// ---------------------------------------------------------------------------
// List boxes

TEST_F(StdCtrls, ListBoxItemsAreChosenWithTheMouseAndTheKeys)
{
    TForm* form = NewForm();
    auto* list = Place<TListBox>(form, 10, 10, 150, 120);
    TObject tag1, tag2;
    list->Items()->AddObject(u"alpha", &tag1);  // kept while there is no window
    list->Items()->Add(u"beta");
    list->Items()->AddObject(u"gamma", &tag2);
    for (int i = 0; i < 20; ++i) list->Items()->Add(u"item " + IntToStr(i));
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    Activate(form, list);
    EXPECT_EQ(list->Count(), 23);
    EXPECT_EQ(list->Items()->Objects(0), &tag1);
    EXPECT_EQ(list->Items()->Objects(2), &tag2);
    TRect r = list->ItemRect(2);
    EXPECT_EQ(r.Height(), list->ItemHeight());
    EXPECT_EQ(list->ItemAtPos(TPoint{5, r.Top + 1}, true), 2);
    EXPECT_EQ(list->ItemAtPos(TPoint{-5, r.Top + 1}, true), -1);
    EXPECT_EQ(list->ItemAtPos(TPoint{-5, r.Top + 1}, false), 23);
    ClickAt(CenterOnScreen(list, r));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    Press({VK_DOWN});
    EXPECT_EQ(list->ItemIndex(), 3);
    Press({VK_END});
    EXPECT_EQ(list->ItemIndex(), 22);
    EXPECT_GT(list->TopIndex(), 0);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(list->SelCount(), -1);
    // Code does not click; items keep their objects when the window is made again.
    list->SetItemIndex(1);
    list->SetMultiSelect(true);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(list->Items()->Objects(2), &tag2);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_THROW(list->Items()->Strings(23), EListError);
    EXPECT_EQ(list->Items()->IndexOf(u"GAMMA"), 2);
}

TEST_F(StdCtrls, AMultiSelectListBoxSelectsWithCtrlAndShift)
{
    TForm* form = NewForm();
    auto* list = Place<TListBox>(form, 10, 10, 150, 150);
    list->SetMultiSelect(true);
    for (const char16_t* s : {u"a", u"b", u"c", u"d", u"e"}) list->Items()->Add(s);
    Activate(form, list);
    ClickAt(CenterOnScreen(list, list->ItemRect(1)));
    Press({VK_SHIFT, VK_DOWN});
    Press({VK_SHIFT, VK_DOWN});
    EXPECT_EQ(list->SelCount(), 3);
    EXPECT_EQ(list->ItemIndex(), 3);
    list->SetSelected(2, false);
    std::vector<bool> selected;
    for (int i = 0; i < 5; ++i) selected.push_back(list->Selected(i));
    EXPECT_EQ(selected, (std::vector<bool>{false, true, false, true, false}));
    EXPECT_EQ(list->SelCount(), 2);
    list->SelectAll();
    EXPECT_EQ(list->SelCount(), 5);
    list->SetSelected(0, false);
    list->DeleteSelected();
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Items()->Strings(0), u"a");
    EXPECT_THROW(list->Selected(7), EListError);
}

TEST_F(StdCtrls, ASortedListKeepsItsOrderWithAndWithoutAWindow)
{
    TForm* form = NewForm();
    auto* list = Place<TListBox>(form, 10, 10);
    list->SetSorted(true);
    for (const char16_t* s : {u"pear", u"Apple", u"fig"}) list->Items()->Add(s);
    EXPECT_EQ(list->Items()->Text(), u"Apple\r\nfig\r\npear\r\n");
    ShowAndWait(form);
    list->Items()->Add(u"banana");
    EXPECT_EQ(list->Items()->Text(), u"Apple\r\nbanana\r\nfig\r\npear\r\n");
    list->SetSorted(false);
    list->Items()->Add(u"a");
    EXPECT_EQ(list->Items()->Strings(4), u"a");
    list->SetColumns(2);
    EXPECT_NE(GetWindowLongPtrW(list->Handle(), GWL_STYLE) & LBS_MULTICOLUMN, 0);
    EXPECT_EQ(list->Count(), 5);
}

// ---------------------------------------------------------------------------
// Owner drawing

struct TDrawn {
    Integer Index;
    TRect Rect;
    TOwnerDrawState State;
};

TEST_F(StdCtrls, AnOwnerDrawnListBoxDrawsEachItemInItsRectangle)
{
    for (TListBoxStyle style : {lbOwnerDrawFixed, lbOwnerDrawVariable}) {
        SCOPED_TRACE(style);
        TForm* form = NewForm();
        auto* list = Place<TListBox>(form, 10, 10, 150, 200);
        list->SetStyle(style);
        list->SetItemHeight(22);
        list->OnMeasureItem = [](TWinControl*, Integer Index, Integer& Height) { Height = 20 + 4 * Index; };
        std::vector<TDrawn> drawn;
        list->OnDrawItem = [&](TWinControl* Control, Integer Index, const TRect& Rect, TOwnerDrawState State) {
            drawn.push_back({Index, Rect, State});
            auto* canvas = static_cast<TListBox*>(Control)->Canvas();
            canvas->FillRect(Rect);
        };
        for (const char16_t* s : {u"a", u"b", u"c"}) list->Items()->Add(s);
        list->SetItemIndex(1);
        Activate(form, list);
        drawn.clear();
        InvalidateRect(list->Handle(), nullptr, TRUE);
        UpdateWindow(list->Handle());
        // Each item once (the focused one may come again for its focus).
        std::vector<TDrawn> last(3);
        for (const TDrawn& d : drawn) {
            ASSERT_TRUE(d.Index >= 0 && d.Index < 3);
            last[static_cast<size_t>(d.Index)] = d;
        }
        ASSERT_GE(drawn.size(), 3u);
        for (const TDrawn& d : last) {
            EXPECT_EQ(d.Rect, list->ItemRect(d.Index)) << d.Index;
            EXPECT_EQ(d.Rect.Height(), style == lbOwnerDrawFixed ? 22 : 20 + 4 * d.Index);
            EXPECT_EQ((d.State & odSelected) != 0, d.Index == 1) << d.Index;
            EXPECT_EQ((d.State & odFocused) != 0, d.Index == 1) << d.Index;
        }
        // The canvas drew with the selection's colours.
        TRect r = list->ItemRect(1);
        TPoint p = list->ClientToScreen(TPoint{r.Left + 3, r.Top + 3});
        EXPECT_EQ(ScreenPixel(p.X, p.Y), static_cast<COLORREF>(GetSysColor(COLOR_HIGHLIGHT)));
        delete form;
        Forget(form);
    }
}

TEST_F(StdCtrls, AnOwnerDrawnComboBoxDrawsItsEditAndItsItems)
{
    TForm* form = NewForm();
    auto* combo = Place<TComboBox>(form, 10, 10, 150);
    combo->SetStyle(csOwnerDrawFixed);
    combo->SetItemHeight(18);
    for (const char16_t* s : {u"red", u"green", u"blue"}) combo->Items()->Add(s);
    combo->SetItemIndex(2);
    std::vector<TDrawn> drawn;
    combo->OnDrawItem = [&](TWinControl*, Integer Index, const TRect& Rect, TOwnerDrawState State) {
        drawn.push_back({Index, Rect, State});
    };
    Activate(form, combo);
    drawn.clear();
    InvalidateRect(combo->Handle(), nullptr, TRUE);
    UpdateWindow(combo->Handle());
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().Index, 2);
    EXPECT_NE(drawn.back().State & odComboBoxEdit, 0u);
    drawn.clear();
    combo->SetDroppedDown(true);
    Pump();
    EXPECT_TRUE(combo->DroppedDown());
    std::vector<Integer> items;
    for (const TDrawn& d : drawn)
        if (!(d.State & odComboBoxEdit)) {
            items.push_back(d.Index);
            EXPECT_EQ(d.Rect.Top, 18 * d.Index);
            EXPECT_EQ(d.Rect.Height(), 18);
        }
    EXPECT_EQ(items, (std::vector<Integer>{0, 1, 2}));
    combo->SetDroppedDown(false);
}

// ---------------------------------------------------------------------------
// Combo boxes

TEST_F(StdCtrls, AComboBoxItemIsChosenWithTheMouseAndTheKeys)
{
    TForm* form = NewForm();
    auto* combo = Place<TComboBox>(form, 10, 10, 150);
    combo->SetStyle(csDropDownList);
    for (const char16_t* s : {u"one", u"two", u"three"}) combo->Items()->Add(s);
    combo->OnChange = [&](TObject*) { Events.push_back("change " + Utf8(combo->Text())); };
    combo->OnSelect = [&](TObject*) { Events.push_back("select"); };
    combo->OnDropDown = [&](TObject*) { Events.push_back("drop"); };
    combo->OnCloseUp = [&](TObject*) { Events.push_back("close"); };
    Activate(form, combo);
    ClickAt(CenterOnScreen(combo, combo->ClientRect()));
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
    // The dropped list lies under the combo box, one item per line.
    Integer h = static_cast<Integer>(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    TPoint below = combo->ClientToScreen(TPoint{20, combo->Height() + h + h / 2});
    ClickAt(below);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), u"two");
    Press({VK_DOWN});
    EXPECT_EQ(combo->ItemIndex(), 2);
    // The platform closes the list before or after it reports the choice.
    auto close = std::find(Events.begin(), Events.end(), "close");
    ASSERT_NE(close, Events.end());
    Events.erase(close);
    EXPECT_EQ(Events, (std::vector<std::string>{"drop", "select", "change two", "select", "change three"}));
}

TEST_F(StdCtrls, TypingIntoADropDownComboChangesItsText)
{
    TForm* form = NewForm();
    auto* combo = Place<TComboBox>(form, 10, 10, 150);
    combo->Items()->Add(u"first");
    combo->Items()->Add(u"second");
    combo->SetDropDownCount(4);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    Activate(form, combo);
    TypeText(L"new");
    EXPECT_EQ(combo->Text(), u"new");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(changes, 3);
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), u"second");
    EXPECT_EQ(changes, 3);  // code does not report
    combo->SelectAll();
    EXPECT_EQ(combo->SelLength(), 6);
    combo->SetSorted(true);  // the window is made again
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Count(), 2);
}

// ---------------------------------------------------------------------------
// Check boxes and radio buttons

TEST_F(StdCtrls, ACheckBoxCyclesItsStatesWhenClicked)
{
    struct TCase {
        bool AllowGrayed;
        std::vector<TCheckBoxState> States;
    };
    for (const TCase& c : {TCase{false, {cbChecked, cbUnchecked, cbChecked}},
                           TCase{true, {cbChecked, cbGrayed, cbUnchecked}}}) {
        TForm* form = NewForm();
        auto* check = Place<TCheckBox>(form, 10, 10, 120);
        check->SetCaption(u"Check");
        check->SetAllowGrayed(c.AllowGrayed);
        int clicks = 0;
        check->OnClick = [&](TObject*) { ++clicks; };
        Activate(form, check);
        std::vector<TCheckBoxState> states;
        ClickAt(check->ClientToScreen(TPoint{6, check->Height() / 2}));
        states.push_back(check->State());
        Press({VK_SPACE});
        states.push_back(check->State());
        ClickAt(check->ClientToScreen(TPoint{40, check->Height() / 2}));
        states.push_back(check->State());
        EXPECT_EQ(states, c.States);
        EXPECT_EQ(clicks, 3);
        EXPECT_EQ(static_cast<TCheckBoxState>(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0)), check->State());
        check->SetChecked(true);
        check->SetChecked(true);  // no change, no click
        EXPECT_EQ(clicks, c.States.back() == cbChecked ? 3 : 4);
        delete form;
        Forget(form);
    }
}

TEST_F(StdCtrls, RadioButtonsAreGroupedByTheirParent)
{
    TForm* form = NewForm();
    auto* a = Place<TRadioButton>(form, 10, 10);
    a->SetCaption(u"A");
    auto* b = Place<TRadioButton>(form, 10, 30);
    b->SetCaption(u"B");
    auto* box = Place<TGroupBox>(form, 150, 10, 200, 100);
    auto* c = Place<TRadioButton>(box, 10, 20);
    c->SetCaption(u"C");
    auto* d = Place<TRadioButton>(box, 10, 50);
    d->SetCaption(u"D");
    a->SetChecked(true);
    c->SetChecked(true);
    Activate(form, a);
    auto state = [&] {
        std::string s;
        for (TRadioButton* r : {a, b, c, d}) {
            s += r->Checked() ? '1' : '0';
            EXPECT_EQ(SendMessageW(r->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED, r->Checked());
        }
        return s;
    };
    EXPECT_EQ(state(), "1010");
    ClickAt(b->ClientToScreen(TPoint{6, b->Height() / 2}));
    EXPECT_EQ(state(), "0110");
    ClickAt(d->ClientToScreen(TPoint{6, d->Height() / 2}));
    EXPECT_EQ(state(), "0101");
    // The arrows move to the next button of the group and check it.
    b->SetFocus();
    Pump();
    Press({VK_UP});
    EXPECT_EQ(state(), "1001");
    // Tab reaches the checked button of a group only.
    EXPECT_TRUE(a->TabStop());
    EXPECT_FALSE(b->TabStop());
}

TEST_F(StdCtrls, AGroupBoxKeepsItsAlignedControlsBelowItsCaption)
{
    TForm* form = NewForm();
    auto* box = Place<TGroupBox>(form, 10, 10, 200, 120);
    box->SetCaption(u"Group");
    auto* list = Place<TListBox>(box, 0, 0);
    list->SetAlign(alClient);
    auto* label = Place<TLabel>(box, 0, 0);
    label->SetCaption(u"Label");
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };
    label->SetAlign(alTop);
    ShowAndWait(form);
    EXPECT_GT(label->Top(), 5);
    EXPECT_EQ(list->Top(), label->Top() + label->Height());
    EXPECT_LT(list->Left() + list->Width(), box->Width());
    EXPECT_LT(list->Top() + list->Height(), box->Height());
    // The mouse reaches the windowless controls on it.
    ClickAt(label->ClientToScreen(TPoint{3, 3}));
    EXPECT_EQ(clicks, 1);
}

// ---------------------------------------------------------------------------
// Scroll bars

TEST_F(StdCtrls, AScrollBarKeepsItsPositionInRange)
{
    struct TCase {
        Integer Min, Max, Page, Position, Expected;
    };
    const TCase cases[] = {
        {0, 100, 0, 50, 50}, {0, 100, 0, 150, 100}, {0, 100, 0, -5, 0},
        {0, 100, 10, 95, 91}, {10, 20, 0, 5, 10},   {0, 100, 10, 91, 91},
    };
    TForm* form = NewForm();
    auto* bar = Place<TScrollBar>(form, 10, 10, 200);
    ShowAndWait(form);
    for (const TCase& c : cases) {
        bar->SetParams(0, 0, 1000);
        bar->SetPageSize(c.Page);
        bar->SetParams(c.Position, c.Min, c.Max);
        EXPECT_EQ(bar->Position(), c.Expected) << c.Min << ".." << c.Max << " page " << c.Page << " at " << c.Position;
        EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), c.Expected);
    }
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    bar->SetPosition(bar->Position());
    EXPECT_EQ(changes, 0);
    bar->SetPosition(bar->Position() - 1);
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
    EXPECT_THROW(bar->SetMax(5), EInvalidOperation);  // below the page
}

TEST_F(StdCtrls, ClicksOnAScrollBarStepAndPage)
{
    TForm* form = NewForm();
    auto* bar = Place<TScrollBar>(form, 10, 10, 200);
    bar->SetParams(50, 0, 100);
    bar->SetSmallChange(2);
    bar->SetLargeChange(20);
    std::vector<std::pair<TScrollCode, Integer>> scrolls;
    bar->OnScroll = [&](TObject*, TScrollCode Code, Integer& Pos) {
        if (Code != scEndScroll) scrolls.emplace_back(Code, Pos);
    };
    ShowAndWait(form);
    int arrow = GetSystemMetrics(SM_CXHSCROLL);
    ClickAt(bar->ClientToScreen(TPoint{bar->Width() - arrow / 2, bar->Height() / 2}));
    EXPECT_EQ(bar->Position(), 52);
    ClickAt(bar->ClientToScreen(TPoint{arrow + 3, bar->Height() / 2}));
    EXPECT_EQ(bar->Position(), 32);
    ASSERT_EQ(scrolls.size(), 2u);
    EXPECT_EQ(scrolls[0], std::make_pair(scLineDown, 52));
    EXPECT_EQ(scrolls[1], std::make_pair(scPageUp, 32));
    // OnScroll may move the position elsewhere.
    bar->OnScroll = [](TObject*, TScrollCode, Integer& Pos) { Pos = 7; };
    ClickAt(bar->ClientToScreen(TPoint{bar->Width() - arrow / 2, bar->Height() / 2}));
    EXPECT_EQ(bar->Position(), 7);
}

// ---------------------------------------------------------------------------
// Labels

namespace {

// The bounding box of the pixels of Color on the screen within R.
TRect FindColor(const TRect& R, COLORREF Color)
{
    TRect found{R.Right, R.Bottom, R.Left, R.Top};
    const auto shot = CaptureScreen(R);
    const DWORD rgb = (GetRValue(Color) << 16) | (GetGValue(Color) << 8) | GetBValue(Color);  // as TDib gives it
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (shot->Pixel(x - R.Left, y - R.Top) == rgb) {
                found.Left = std::min(found.Left, x);
                found.Top = std::min(found.Top, y);
                found.Right = std::max(found.Right, x + 1);
                found.Bottom = std::max(found.Bottom, y + 1);
            }
    return found;
}

class TRecordingLabel : public TLabel {
public:
    using TLabel::TLabel;
    std::vector<UINT> Flags;

protected:
    void DoDrawText(TRect& Rect, UINT AFlags) override
    {
        Flags.push_back(AFlags);
        TLabel::DoDrawText(Rect, AFlags);
    }
};

} // namespace

TEST_F(StdCtrls, ALabelPlacesItsTextByAlignmentAndLayout)
{
    struct TCase {
        TAlignment Alignment;
        TTextLayout Layout;
        bool Right, Bottom;  // the text touches the right / bottom part
    };
    const TCase cases[] = {{taLeftJustify, tlTop, false, false},
                           {taRightJustify, tlBottom, true, true},
                           {taCenter, tlCenter, false, false}};
    for (const TCase& c : cases) {
        TForm* form = NewForm();
        auto* label = Place<TRecordingLabel>(form, 20, 20);
        label->SetAutoSize(false);
        label->SetBounds(20, 20, 200, 80);
        label->SetCaption(u"Text");
        label->SetAlignment(c.Alignment);
        label->SetLayout(c.Layout);
        label->SetColor(clWhite);
        label->Font()->SetColor(clBlack);
        ShowAndWait(form);
        TPoint o = label->ClientToScreen(TPoint{0, 0});
        TRect ink = FindColor(TRect{o.X, o.Y, o.X + 200, o.Y + 80}, RGB(0, 0, 0));
        ASSERT_LT(ink.Left, ink.Right);
        int midX = o.X + 100, midY = o.Y + 40;
        EXPECT_EQ(ink.Left > midX, c.Right) << c.Alignment;
        EXPECT_EQ(ink.Top > midY, c.Bottom) << c.Layout;
        if (c.Alignment == taCenter) EXPECT_LT(std::abs((ink.Left + ink.Right) / 2 - midX), 4);
        if (c.Layout == tlCenter) EXPECT_LT(std::abs((ink.Top + ink.Bottom) / 2 - midY), 6);
        EXPECT_FALSE(label->Flags.empty());
        EXPECT_EQ(FindColor(TRect{o.X, o.Y, o.X + 2, o.Y + 2}, RGB(255, 255, 255)).Left, o.X);  // opaque
        delete form;
        Forget(form);
    }
}

TEST_F(StdCtrls, ADisabledLabelDrawsItsTextInTwoTones)
{
    TForm* form = NewForm();
    form->SetColor(clWhite);
    auto* label = Place<TLabel>(form, 20, 20);
    label->SetCaption(u"Disabled");
    label->SetTransparent(true);
    label->SetEnabled(false);
    ShowAndWait(form);
    TPoint o = label->ClientToScreen(TPoint{0, 0});
    TRect area{o.X, o.Y, o.X + label->Width() + 2, o.Y + label->Height() + 2};
    TRect shadow = FindColor(area, static_cast<COLORREF>(GetSysColor(COLOR_BTNSHADOW)));
    TRect light = FindColor(area, static_cast<COLORREF>(GetSysColor(COLOR_BTNHIGHLIGHT)) == RGB(255, 255, 255)
                                      ? RGB(1, 2, 3)  // white on white shows nothing: checked below
                                      : static_cast<COLORREF>(GetSysColor(COLOR_BTNHIGHLIGHT)));
    ASSERT_LT(shadow.Left, shadow.Right);
    (void)light;
    // The highlight copy lies one pixel right and down: on a dark form it shows.
    form->SetColor(clBlack);
    form->Repaint();
    Pump();
    TRect lightOnBlack = FindColor(area, static_cast<COLORREF>(GetSysColor(COLOR_BTNHIGHLIGHT)));
    ASSERT_LT(lightOnBlack.Left, lightOnBlack.Right);
    EXPECT_EQ(lightOnBlack.Left, shadow.Left + 1);
    EXPECT_EQ(lightOnBlack.Bottom, shadow.Bottom + 1);
}

TEST_F(StdCtrls, AnAutoSizedLabelFitsItsText)
{
    TForm* form = NewForm();
    auto* label = Place<TLabel>(form, 10, 10);
    label->SetCaption(u"Some text");
    Integer oneLine = label->Height();
    Integer width = label->Width();
    EXPECT_GT(width, 20);
    label->SetCaption(u"Some text\r\nand more");
    EXPECT_EQ(label->Height(), 2 * oneLine);
    // Right-aligned labels keep their right edge.
    label->SetCaption(u"x");
    label->SetAlignment(taRightJustify);
    Integer right = label->Left() + label->Width();
    label->SetCaption(u"a longer caption");
    EXPECT_EQ(label->Left() + label->Width(), right);
    // With an ellipsis the text is cut to the width.
    label->SetAutoSize(false);
    label->SetWidth(40);
    label->SetEllipsisPosition(epEndEllipsis);
    EXPECT_EQ(label->Width(), 40);
}

// ---------------------------------------------------------------------------
// Freed by its own event

TEST_F(StdCtrls, AControlFreedByItsOwnEventGoesWhenTheEventIsDone)
{
    TForm* form = NewForm();
    auto* button = Place<TButton>(form, 10, 10);
    auto* edit = Place<TEdit>(form, 10, 50);
    auto* list = Place<TListBox>(form, 10, 80, 100, 80);
    list->Items()->Add(u"x");
    auto* label = Place<TLabel>(form, 150, 10);
    label->SetCaption(u"Click me");
    auto* check = Place<TCheckBox>(form, 150, 50);
    auto freeOn = [](TNotifyEvent& Event, TControl* Victim, const char* Name) {
        Event = [Victim, Name](TObject*) {
            delete Victim;
            Events.push_back(Name);
        };
    };
    freeOn(button->OnClick, button, "button");
    freeOn(edit->OnChange, edit, "edit");
    freeOn(list->OnClick, list, "list");
    freeOn(label->OnClick, label, "label");
    check->OnClick = [&](TObject*) {
        delete form;  // the whole form, from a check box's click
        Events.push_back("form");
    };
    Activate(form, edit);
    std::vector<HWND> windows = {edit->Handle(), button->Handle(), list->Handle()};
    HWND formWindow = form->Handle(), checkWindow = check->Handle();
    TypeText(L"a");
    ClickAt(button->ClientToScreen(TPoint{10, 10}));
    ClickAt(list->ClientToScreen(TPoint{10, 5}));
    ClickAt(label->ClientToScreen(TPoint{5, 5}));
    EXPECT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->ComponentCount(), 1);
    for (HWND w : windows) EXPECT_FALSE(IsWindow(w));
    Forget(form);
    ClickAt(check->ClientToScreen(TPoint{5, 5}));
    EXPECT_EQ(Events, (std::vector<std::string>{"edit", "button", "list", "label", "form"}));
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_FALSE(IsWindow(checkWindow));
}

// ---------------------------------------------------------------------------
// Handles

namespace {

// One of each control on a form, with items, fonts and a shown window.
TForm* MakeForm()
{
    auto* form = new TForm(nullptr);
    form->SetBounds(50, 50, 400, 300);
    auto place = [&](TControl* C, int L, int T) {
        C->SetParent(form);
        C->SetLeft(L);
        C->SetTop(T);
    };
    auto* edit = new TEdit(form);
    place(edit, 5, 5);
    edit->SetText(u"text");
    auto* memo = new TMemo(form);
    place(memo, 5, 35);
    memo->Lines()->Add(u"line");
    auto* list = new TListBox(form);
    place(list, 200, 5);
    list->SetStyle(lbOwnerDrawFixed);
    list->Items()->Add(u"a");
    auto* combo = new TComboBox(form);
    place(combo, 200, 110);
    combo->Items()->Add(u"b");
    auto* button = new TButton(form);
    place(button, 5, 130);
    button->SetDefault(true);
    auto* check = new TCheckBox(form);
    place(check, 5, 160);
    auto* box = new TGroupBox(form);
    place(box, 100, 150);
    auto* radio = new TRadioButton(form);
    radio->SetParent(box);
    radio->SetBounds(5, 20, 80, 17);
    radio->SetChecked(true);
    auto* label = new TLabel(form);
    place(label, 5, 190);
    label->SetCaption(u"&Label");
    label->SetFocusControl(edit);
    label->Font()->SetSize(14);
    auto* bar = new TScrollBar(form);
    place(bar, 5, 220);
    form->Show();
    Pump();
    return form;
}

} // namespace

TEST(StdCtrlsHandles, MakingAndFreeingTheControlsLeavesNoHandles)
{
    delete MakeForm();  // the first pays for the classes and caches
    Pump();
    int gdi = LiveGdiObjects();
    int windows = ThreadWindowCount();
    for (int i = 0; i < 40; ++i) {
        TForm* form = MakeForm();
        // Made again, freed again: the windows' own parts go too.
        static_cast<TListBox*>(form->Components(2))->SetSorted(true);
        delete form;
    }
    Pump();
    EXPECT_LE(LiveGdiObjects(), gdi + 2);
    EXPECT_EQ(ThreadWindowCount(), windows);
}
