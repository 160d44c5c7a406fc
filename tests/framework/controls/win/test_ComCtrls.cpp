// The common controls on real windows (Wine on an X display): tabs and pages
// switched by the mouse and the keyboard, tree nodes expanded, hit-tested,
// drawn and edited, the up-down, track bar, progress bar and status bar,
// controls freed inside their own events, and handles left flat by a loop.
#include "GuiTest.h"
#include "HandleCount.h"
#include "ModalDriver.h"

#include <functional>
#include <string>

#include "framework/controls/win/ComCtrls.h"

using namespace guitest;

namespace {

// A native edit, the associate of an up-down.
class TTestEdit : public TWinControl {
public:
    explicit TTestEdit(TComponent* AOwner) : TWinControl(AOwner)
    {
        SetBounds(0, 0, 60, 22);
        SetTabStop(true);
    }
    String ClassName() const override { return u"TTestEdit"; }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        CreateSubClass(Params, L"EDIT");
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    }
};

bool Empty(const TRect& R)
{
    return R.Width() <= 0 || R.Height() <= 0;
}

TPoint Centre(const TRect& R)
{
    return Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

// Types text as a user would (characters, not keys).
void TypeText(const std::wstring& Text)
{
    for (wchar_t ch : Text) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wScan = in[1].ki.wScan = ch;
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
    }
}

class ComCtrlsTest : public FormTest {
protected:
    void SetUp() override
    {
        Form = NewForm(100, 100, 480, 360);
        Form->SetColor(clWhite);
    }
    void TearDown() override
    {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) LeftButton(false);
        FormTest::TearDown();
    }
    // Presses and releases the left button at a client point of Control.
    void Click(TControl* Control, const TPoint& P)
    {
        MovePointer(Control->ClientToScreen(P));
        LeftButton(true);
        LeftButton(false);
    }
    COLORREF Pixel(TControl* Control, const TPoint& P)
    {
        TPoint s = Control->ClientToScreen(P);
        return ScreenPixel(s.X, s.Y);
    }
    TForm* Form = nullptr;
};

// ---------------------------------------------------------------------------
// Pages and tabs

class PageControlTest : public ComCtrlsTest {
protected:
    void SetUp() override
    {
        ComCtrlsTest::SetUp();
        Pages = new TPageControl(Form);
        Pages->SetParent(Form);
        Pages->SetBounds(10, 10, 300, 200);
        for (const char16_t* caption : {u"One", u"Two", u"Three"}) {
            auto* sheet = new TTabSheet(Form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(Pages);
            Sheets.push_back(sheet);
        }
        Pages->OnChanging = [this](TObject*, bool& Allow) {
            ++Changing;
            Allow = !Refuse;
        };
        Pages->OnChange = [this](TObject*) { ++Changed; };
        ShowAndWait(Form);
    }
    TPageControl* Pages = nullptr;
    std::vector<TTabSheet*> Sheets;
    int Changing = 0;
    int Changed = 0;
    bool Refuse = false;
};

TEST_F(PageControlTest, ClickingTabsSwitchesPagesUnlessRefused)
{
    ASSERT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_EQ(Pages->Tabs()->Count(), 3);
    // The active sheet fills the display area; the others are hidden.
    TRect display = Pages->DisplayRect();
    EXPECT_EQ(Sheets[0]->BoundsRect(), display);
    EXPECT_TRUE(IsWindowVisible(Sheets[0]->Handle()));

    Click(Pages, Centre(Pages->TabRect(1)));
    ASSERT_TRUE(PumpUntil([&] { return Changed == 1; }));
    EXPECT_EQ(Changing, 1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    EXPECT_EQ(Pages->TabIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(Sheets[1]->Handle()));
    EXPECT_FALSE(IsWindowVisible(Sheets[0]->Handle()));

    Refuse = true;
    Click(Pages, Centre(Pages->TabRect(2)));
    ASSERT_TRUE(PumpUntil([&] { return Changing == 2; }));
    Pump();
    EXPECT_EQ(Changed, 1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    EXPECT_EQ(Pages->TabIndex(), 1);
}

TEST_F(PageControlTest, CtrlTabGoesThroughThePagesWithShownTabs)
{
    Sheets[1]->SetTabVisible(false);
    EXPECT_EQ(Pages->Tabs()->Count(), 2);
    EXPECT_EQ(Sheets[1]->TabIndex(), -1);
    EXPECT_EQ(Sheets[2]->TabIndex(), 1);
    Pages->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Pages->Focused(); }));

    Chord({VK_CONTROL, VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return Changed == 1; }));
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);  // the hidden tab's page is skipped
    EXPECT_EQ(Pages->TabIndex(), 1);
    Chord({VK_CONTROL, VK_SHIFT, VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return Changed == 2; }));
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);

    Refuse = true;
    Chord({VK_CONTROL, VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return Changing == 3; }));
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_EQ(Changed, 2);
}

TEST_F(PageControlTest, PagesSurviveTheWindowAndLeaveInOrder)
{
    Pages->SetActivePage(Sheets[2]);
    Sheets[0]->SetCaption(u"First");
    // A style change makes the window again: tabs, captions and the page stay.
    Pages->SetTabPosition(tpBottom);
    Pump();
    EXPECT_EQ(Pages->Tabs()->Strings(0), u"First");
    EXPECT_EQ(Pages->TabIndex(), 2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_GT(Pages->TabRect(0).Top, Pages->DisplayRect().Bottom - 1);

    Sheets[0]->SetPageIndex(2);
    EXPECT_EQ(Pages->Pages(2), Sheets[0]);
    EXPECT_EQ(Pages->Tabs()->Strings(2), u"First");
    // Freeing the active page shows another; no event fires for code.
    delete Sheets[2];
    EXPECT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_EQ(Changed, 0);
    EXPECT_EQ(Pages->FindNextPage(Sheets[0], true, true), Sheets[1]);
}

TEST_F(ComCtrlsTest, TabControlHitTestsAndOwnerDrawnTabs)
{
    auto* tabs = new TTabControl(Form);
    tabs->SetParent(Form);
    tabs->SetBounds(10, 10, 360, 120);
    for (const char16_t* caption : {u"Alpha", u"Beta", u"Gamma", u"Delta"}) tabs->Tabs()->Add(caption);
    tabs->SetOwnerDraw(true);
    std::vector<int> drawn(4, 0);
    tabs->OnDrawTab = [&](TCustomTabControl* Control, Integer Index, const TRect& R, bool Active) {
        ++drawn[static_cast<size_t>(Index)];
        Control->Canvas()->Brush()->SetColor(Active ? TColor(0x0000FF) : TColor(0x00FF00));
        Control->Canvas()->FillRect(R);
    };
    tabs->SetTabIndex(2);
    ShowAndWait(Form);
    ASSERT_TRUE(PumpUntil([&] { return drawn[0] > 0 && drawn[3] > 0; }));
    for (Integer i = 0; i < 4; ++i) {
        TRect r = tabs->TabRect(i);
        ASSERT_FALSE(Empty(r)) << i;
        EXPECT_EQ(tabs->IndexOfTabAt(Centre(r).X, Centre(r).Y), i);
        EXPECT_EQ(Pixel(tabs, Centre(r)), i == 2 ? RGB(255, 0, 0) : RGB(0, 255, 0)) << i;
    }
    TRect display = tabs->DisplayRect();
    EXPECT_EQ(tabs->IndexOfTabAt(Centre(display).X, Centre(display).Y), -1);
    EXPECT_GE(display.Top, tabs->TabRect(0).Bottom);
    // A child aligned to the client sits in the display area.
    auto* child = new TTestEdit(Form);
    child->SetParent(tabs);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), display);

    tabs->Tabs()->Delete(0);
    EXPECT_EQ(tabs->TabIndex(), 1);  // the platform keeps the same tab selected
    tabs->Tabs()->SetStrings(0, u"B");
    EXPECT_EQ(tabs->Tabs()->Strings(0), u"B");
}

// ---------------------------------------------------------------------------
// Tree view

class TreeViewTest : public ComCtrlsTest {
protected:
    void SetUp() override
    {
        ComCtrlsTest::SetUp();
        Tree = new TTreeView(Form);
        Tree->SetParent(Form);
        Tree->SetBounds(10, 10, 260, 300);
        Tree->SetHideSelection(false);
        A = Tree->Items()->Add(nullptr, u"A");
        A1 = Tree->Items()->AddChild(A, u"A1");
        A2 = Tree->Items()->AddChild(A, u"A2");
        A2a = Tree->Items()->AddChild(A2, u"A2a");
        B = Tree->Items()->Add(A, u"B");
        Tree->OnExpanding = [this](TObject*, TTreeNode* N, bool& Allow) {
            Log.push_back("expanding " + Utf8(N));
            Allow = !Refuse;
        };
        Tree->OnExpanded = [this](TObject*, TTreeNode* N) { Log.push_back("expanded " + Utf8(N)); };
        Tree->OnCollapsing = [this](TObject*, TTreeNode* N, bool& Allow) {
            Log.push_back("collapsing " + Utf8(N));
            Allow = !Refuse;
        };
        Tree->OnCollapsed = [this](TObject*, TTreeNode* N) { Log.push_back("collapsed " + Utf8(N)); };
        Tree->OnDeletion = [this](TObject*, TTreeNode* N) { Log.push_back("deleted " + Utf8(N)); };
        ShowAndWait(Form);
    }
    static std::string Utf8(TTreeNode* N) { return N ? UTF8Encode(N->Text()) : "nil"; }
    // The client x of a node's button, found through the hit tests.
    Integer ButtonX(TTreeNode* N)
    {
        TRect row = N->DisplayRect(false);
        Integer y = Centre(row).Y;
        for (Integer x = 0; x < N->DisplayRect(true).Left; ++x)
            if (Tree->GetHitTestInfoAt(x, y) & htOnButton) return x;
        return -1;
    }
    TTreeView* Tree = nullptr;
    TTreeNode *A = nullptr, *A1 = nullptr, *A2 = nullptr, *A2a = nullptr, *B = nullptr;
    std::vector<std::string> Log;
    bool Refuse = false;
};

TEST_F(TreeViewTest, NodesNavigateInTreeOrder)
{
    struct TRow {
        const char* Text;
        Integer Level, Index, Count;
        const char* Parent;
    };
    const TRow rows[] = {
        {"A", 0, 0, 2, "nil"}, {"A1", 1, 0, 0, "A"}, {"A2", 1, 1, 1, "A"}, {"A2a", 2, 0, 0, "A2"}, {"B", 0, 1, 0, "nil"},
    };
    ASSERT_EQ(Tree->Items()->Count(), 5);
    TTreeNode* prev = nullptr;
    for (Integer i = 0; i < 5; ++i) {
        TTreeNode* n = Tree->Items()->Item(i);
        const TRow& r = rows[i];
        EXPECT_EQ(Utf8(n), r.Text);
        EXPECT_EQ(n->Level(), r.Level) << r.Text;
        EXPECT_EQ(n->Index(), r.Index) << r.Text;
        EXPECT_EQ(n->Count(), r.Count) << r.Text;
        EXPECT_EQ(n->HasChildren(), r.Count > 0) << r.Text;
        EXPECT_EQ(Utf8(n->Parent()), r.Parent) << r.Text;
        EXPECT_EQ(n->AbsoluteIndex(), i);
        EXPECT_EQ(n->GetPrev(), prev) << r.Text;
        if (prev) EXPECT_EQ(prev->GetNext(), n);
        prev = n;
    }
    EXPECT_EQ(B->GetNext(), nullptr);
    EXPECT_EQ(A->getFirstChild(), A1);
    EXPECT_EQ(A->GetLastChild(), A2);
    EXPECT_EQ(A1->GetNextSibling(), A2);
    EXPECT_EQ(A2->GetPrevSibling(), A1);
    EXPECT_EQ(A->Item(1), A2);
    EXPECT_TRUE(A2a->HasAsParent(A));
    EXPECT_THROW(A->Item(2), EListError);
    EXPECT_THROW(Tree->Items()->Item(5), EListError);
}

TEST_F(TreeViewTest, ButtonsExpandByMouseAndKeysByKeyboard)
{
    Integer x = ButtonX(A);
    ASSERT_GE(x, 0);
    const TPoint button = Point(x, Centre(A->DisplayRect(false)).Y);
    Refuse = true;
    Click(Tree, button);
    ASSERT_TRUE(PumpUntil([&] { return !Log.empty(); }));
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"expanding A"}));
    EXPECT_FALSE(A->Expanded());

    Log.clear();
    Refuse = false;
    Click(Tree, button);
    ASSERT_TRUE(PumpUntil([&] { return A->Expanded(); }));
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"expanding A", "expanded A"}));
    EXPECT_TRUE(A1->IsVisible());

    // The keyboard: the selected node opens with the right arrow.
    Refuse = false;
    Log.clear();
    Tree->SetFocus();
    A2->SetSelected(true);
    Key(VK_RIGHT, true);
    Key(VK_RIGHT, false);
    ASSERT_TRUE(PumpUntil([&] { return A2->Expanded(); }));
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"expanding A2", "expanded A2"}));

    // From code the events fire too, and FullCollapse closes every level.
    Log.clear();
    Tree->FullCollapse();
    EXPECT_FALSE(A->Expanded());
    EXPECT_FALSE(A2->Expanded());
    EXPECT_EQ(Log, (std::vector<std::string>{"collapsing A", "collapsed A", "collapsing A2", "collapsed A2"}));
}

TEST_F(TreeViewTest, HitTestsAndRectanglesMatchWhatIsDrawn)
{
    // A1's label is painted in a colour of its own by custom draw.
    const TColor mark = TColor(0x00C0FF);  // orange, in BGR order
    Tree->OnCustomDrawItem = [&](TCustomTreeView* Sender, TTreeNode* Node, TCustomDrawState, bool&) {
        if (Node == A1) Sender->Canvas()->Brush()->SetColor(mark);
    };
    A->Expand(false);
    Tree->Invalidate();
    Tree->Update();
    Pump();
    TRect label = A1->DisplayRect(true);
    ASSERT_FALSE(Empty(label));
    EXPECT_EQ(Pixel(Tree, Point(label.Left + 1, label.Top + 1)), RGB(0xFF, 0xC0, 0x00));
    EXPECT_EQ(Pixel(Tree, Point(label.Right - 2, label.Bottom - 2)), RGB(0xFF, 0xC0, 0x00));
    EXPECT_NE(Pixel(Tree, Point(label.Right + 2, Centre(label).Y)), RGB(0xFF, 0xC0, 0x00));
    EXPECT_NE(Pixel(Tree, Point(label.Left + 1, label.Bottom + 1)), RGB(0xFF, 0xC0, 0x00));

    struct TCase {
        TPoint At;
        THitTests Has;
        TTreeNode* Node;
    };
    TRect row = A1->DisplayRect(false);
    const TCase cases[] = {
        {Centre(label), htOnLabel | htOnItem, A1},
        {Point(label.Right + 20, Centre(label).Y), htOnRight, A1},
        {Point(2, Centre(row).Y), htOnIndent, A1},
        {Point(Centre(label).X, B->DisplayRect(false).Bottom + 30), htNowhere, nullptr},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(Tree->GetHitTestInfoAt(c.At.X, c.At.Y) & c.Has, c.Has) << c.At.X << "," << c.At.Y;
        EXPECT_EQ(Tree->GetNodeAt(c.At.X, c.At.Y), c.Node) << c.At.X << "," << c.At.Y;
    }
    // A node hidden under a collapsed parent has no rectangle.
    A->Collapse(false);
    EXPECT_TRUE(Empty(A1->DisplayRect(true)));
}

TEST_F(TreeViewTest, LabelsAreEditedByTyping)
{
    String edited;
    Tree->OnEditing = [&](TObject*, TTreeNode* N, bool& Allow) { Allow = N != A; };
    Tree->OnEdited = [&](TObject*, TTreeNode*, String& S) {
        edited = S;
        S += u"!";
    };
    EXPECT_FALSE(A->EditText());  // refused by OnEditing
    EXPECT_FALSE(Tree->IsEditing());
    ASSERT_TRUE(B->EditText());
    ASSERT_TRUE(PumpUntil([&] { return Tree->IsEditing() && GetFocus() == Tree->EditHandle(); }));
    Chord({VK_CONTROL, 'A'});
    TypeText(L"Zed");
    ASSERT_TRUE(PumpUntil([&] {
        wchar_t text[16] = {};
        GetWindowTextW(Tree->EditHandle(), text, 16);
        return std::wstring(text) == L"Zed";
    }));
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    ASSERT_TRUE(PumpUntil([&] { return !Tree->IsEditing(); }));
    EXPECT_EQ(edited, u"Zed");
    EXPECT_EQ(B->Text(), u"Zed!");
    // Escape cancels: the text stays.
    ASSERT_TRUE(B->EditText());
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Tree->EditHandle(); }));
    TypeText(L"x");
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    ASSERT_TRUE(PumpUntil([&] { return !Tree->IsEditing(); }));
    EXPECT_EQ(B->Text(), u"Zed!");
    Tree->SetReadOnly(true);
    EXPECT_FALSE(B->EditText());
}

TEST_F(TreeViewTest, NodesSurviveANewWindowAndFollowTheNativeItems)
{
    A->Expand(false);
    A2->SetSelected(true);
    Tree->SetBorderStyle(bsNone);  // a new window
    Pump();
    EXPECT_EQ(Tree->Items()->Count(), 5);
    EXPECT_EQ(Tree->Items()->Item(3), A2a);
    EXPECT_TRUE(A->Expanded());
    EXPECT_FALSE(A2->Expanded());
    EXPECT_EQ(Tree->Selected(), A2);

    // Moving keeps the node and its children.
    A2->MoveTo(B, naAddChildFirst);
    EXPECT_EQ(A2->Parent(), B);
    EXPECT_EQ(A2->getFirstChild(), A2a);
    EXPECT_EQ(A2a->Level(), 2);
    EXPECT_EQ(A->Count(), 1);
    EXPECT_EQ(Tree->Items()->Count(), 5);
    EXPECT_THROW(B->MoveTo(A2a, naAdd), EInvalidOperation);
    A1->MoveTo(B, naInsert);
    EXPECT_EQ(Tree->Items()->GetFirstNode(), A);
    EXPECT_EQ(A->GetNextSibling(), A1);
    EXPECT_FALSE(A->HasChildren());

    // The platform deletes an item: its node (and its children's) go with it.
    Log.clear();
    SendMessageW(Tree->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(B->ItemId()));
    EXPECT_EQ(Tree->Items()->Count(), 2);
    std::sort(Log.begin(), Log.end());
    EXPECT_EQ(Log, (std::vector<std::string>{"deleted A2", "deleted A2a", "deleted B"}));
    delete A;
    EXPECT_EQ(Tree->Items()->Count(), 1);
    EXPECT_EQ(Tree->Items()->GetFirstNode(), A1);
    Tree->Items()->Clear();
    EXPECT_EQ(Tree->Items()->Count(), 0);
}

TEST_F(TreeViewTest, SortingByTextOrByTheCompareEvent)
{
    Tree->Items()->Clear();
    for (const char16_t* s : {u"pear", u"Apple", u"fig"}) Tree->Items()->Add(nullptr, s);
    auto texts = [&] {
        std::string all;
        for (TTreeNode* n = Tree->Items()->GetFirstNode(); n; n = n->GetNextSibling()) all += Utf8(n) + " ";
        return all;
    };
    Tree->AlphaSort();
    EXPECT_EQ(texts(), "Apple fig pear ");
    Tree->CustomSort([](TObject*, TTreeNode* L, TTreeNode* R, Integer, Integer& C) {
        C = static_cast<Integer>(L->Text().size()) - static_cast<Integer>(R->Text().size());
    }, 0);
    EXPECT_EQ(texts(), "fig pear Apple ");
    // A sorted tree puts new nodes in their place.
    Tree->SetSortType(stText);
    Tree->Items()->Add(nullptr, u"banana");
    EXPECT_EQ(texts(), "Apple banana fig pear ");
}

TEST_F(TreeViewTest, ScrollingTopItemAndDropTarget)
{
    {
        auto Update = UpdateScope(*Tree->Items());
        for (int i = 0; i < 60; ++i) Tree->Items()->Add(nullptr, u"row " + IntToStr(i));
    }
    TTreeNode* last = Tree->Items()->Item(Tree->Items()->Count() - 1);
    EXPECT_GE(last->DisplayRect(false).Top, Tree->ClientHeight());  // below the visible rows
    EXPECT_EQ(Tree->TopItem(), A);
    last->MakeVisible();
    EXPECT_NE(Tree->TopItem(), A);
    TRect r = last->DisplayRect(false);
    ASSERT_FALSE(Empty(r));
    EXPECT_LE(r.Bottom, Tree->ClientHeight());
    EXPECT_EQ(Tree->GetNodeAt(Centre(r).X, Centre(r).Y), last);
    Tree->SetTopItem(B);
    EXPECT_EQ(Tree->TopItem(), B);
    EXPECT_EQ(B->DisplayRect(false).Top, 0);

    EXPECT_EQ(Tree->DropTarget(), nullptr);
    Tree->SetDropTarget(B);
    EXPECT_EQ(Tree->DropTarget(), B);
    EXPECT_TRUE(B->DropTarget());
    B->SetDropTarget(false);
    EXPECT_EQ(Tree->DropTarget(), nullptr);
}

// ---------------------------------------------------------------------------
// Up-down, track bar, progress bar

TEST_F(ComCtrlsTest, UpDownArrowsChangeTheAssociate)
{
    auto* edit = new TTestEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(20, 20, 80, 24);
    auto* updown = new TUpDown(Form);
    updown->SetParent(Form);
    updown->SetMax(2);
    updown->SetAssociate(edit);
    std::vector<TUDBtnType> clicks;
    bool refuse = false;
    int asked = 0;
    updown->OnClick = [&](TObject*, TUDBtnType B) { clicks.push_back(B); };
    updown->OnChangingEx = [&](TObject*, bool& Allow, Integer, TUpDownDirection) {
        ++asked;
        Allow = !refuse;
    };
    ShowAndWait(Form);
    EXPECT_EQ(edit->Text(), u"0");
    // It sits at the associate's right edge.
    EXPECT_EQ(updown->Left(), edit->Left() + edit->Width());

    const TPoint up = Point(updown->Width() / 2, 4);
    const TPoint down = Point(updown->Width() / 2, updown->Height() - 4);
    Click(updown, up);
    ASSERT_TRUE(PumpUntil([&] { return clicks.size() == 1; }));
    EXPECT_EQ(updown->Position(), 1);
    EXPECT_EQ(edit->Text(), u"1");
    EXPECT_EQ(clicks.back(), btNext);
    Click(updown, down);
    ASSERT_TRUE(PumpUntil([&] { return clicks.size() == 2; }));
    EXPECT_EQ(updown->Position(), 0);
    EXPECT_EQ(clicks.back(), btPrev);

    refuse = true;
    Click(updown, up);
    ASSERT_TRUE(PumpUntil([&] { return asked == 3; }));
    Pump();
    EXPECT_EQ(clicks.size(), 2u);  // no click without a change
    EXPECT_EQ(updown->Position(), 0);
    EXPECT_EQ(edit->Text(), u"0");

    // Past the end it wraps when asked to.
    refuse = false;
    updown->SetWrap(true);
    updown->SetPosition(2);
    Click(updown, up);
    ASSERT_TRUE(PumpUntil([&] { return clicks.size() == 3; }));
    EXPECT_EQ(updown->Position(), 0);
}

TEST_F(ComCtrlsTest, TrackBarFollowsTheDraggedThumb)
{
    auto* track = new TTrackBar(Form);
    track->SetParent(Form);
    track->SetBounds(10, 10, 300, 45);
    track->SetMax(100);
    track->SetFrequency(10);
    int changes = 0;
    track->OnChange = [&](TObject*) { ++changes; };
    ShowAndWait(Form);
    EXPECT_EQ(changes, 0);

    TRect thumb = track->ThumbRect();
    TRect channel = track->ChannelRect();
    TPoint start = Centre(thumb);
    MovePointer(track->ClientToScreen(start));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == track->Handle(); }));
    MovePointer(track->ClientToScreen(Point(start.X + 40, start.Y)));
    MovePointer(track->ClientToScreen(Point(start.X + 100, start.Y)));
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == nullptr; }));
    Pump();
    // The thumb is where the pointer let go, and the position says so.
    EXPECT_NEAR(Centre(track->ThumbRect()).X, start.X + 100, 2);
    Integer span = channel.Width() - thumb.Width();
    EXPECT_NEAR(track->Position(), 100 * (Centre(track->ThumbRect()).X - channel.Left - thumb.Width() / 2) / span, 1);
    EXPECT_GT(changes, 0);

    // Keys step by LineSize; code changes fire OnChange once, out-of-range values are held.
    changes = 0;
    Integer before = track->Position();
    track->SetFocus();
    Key(VK_RIGHT, true);
    Key(VK_RIGHT, false);
    ASSERT_TRUE(PumpUntil([&] { return track->Position() == before + 1; }));
    EXPECT_EQ(changes, 1);
    track->SetPosition(500);
    EXPECT_EQ(track->Position(), 100);
    EXPECT_EQ(changes, 2);
    track->SetPosition(100);
    EXPECT_EQ(changes, 2);
}

TEST_F(ComCtrlsTest, ProgressBarPositionsStepsAndFill)
{
    auto* bar = new TProgressBar(Form);
    bar->SetParent(Form);
    bar->SetBounds(10, 10, 200, 20);
    bar->SetSmooth(true);
    struct TStepCase {
        const char* Name;
        std::function<void(TProgressBar*)> Do;
        Integer Expected;
    };
    const TStepCase cases[] = {
        {"set", [](TProgressBar* P) { P->SetPosition(30); }, 30},
        {"above max", [](TProgressBar* P) { P->SetPosition(130); }, 100},
        {"below min", [](TProgressBar* P) { P->SetPosition(-5); }, 0},
        {"step", [](TProgressBar* P) { P->SetPosition(50); P->StepIt(); }, 60},
        {"step past the end wraps", [](TProgressBar* P) { P->SetPosition(95); P->StepIt(); }, 5},
        {"step by", [](TProgressBar* P) { P->SetPosition(50); P->StepBy(-20); }, 30},
        {"step by is held", [](TProgressBar* P) { P->SetPosition(90); P->StepBy(25); }, 100},
    };
    // Before the window exists and through it, the same answers.
    for (bool shown : {false, true}) {
        if (shown) ShowAndWait(Form);
        for (const TStepCase& c : cases) {
            c.Do(bar);
            EXPECT_EQ(bar->Position(), c.Expected) << c.Name << (shown ? " (window)" : "");
        }
    }
    bar->SetPosition(50);
    bar->Update();
    Pump();
    EXPECT_NE(Pixel(bar, Point(50, 10)), Pixel(bar, Point(150, 10)));
    EXPECT_EQ(Pixel(bar, Point(30, 10)), Pixel(bar, Point(70, 10)));
}

// ---------------------------------------------------------------------------
// Status bar

TEST_F(ComCtrlsTest, StatusPanelsAreDrawnWhereReported)
{
    auto* status = new TStatusBar(Form);
    status->SetParent(Form);
    status->SetSizeGrip(false);
    TStatusPanel* text = status->Panels()->Add();
    text->SetText(u"WWWW");
    text->SetWidth(80);
    TStatusPanel* owner = status->Panels()->Add();
    owner->SetWidth(100);
    owner->SetStyle(psOwnerDraw);
    status->Panels()->Add()->SetText(u"last");
    TRect drawnRect;
    int draws = 0;
    status->OnDrawPanel = [&](TStatusBar* Bar, TStatusPanel* Panel, const TRect& R) {
        EXPECT_EQ(Panel, owner);
        ++draws;
        drawnRect = R;
        Bar->Canvas()->Brush()->SetColor(TColor(0xFF00FF));
        Bar->Canvas()->FillRect(R);
    };
    ShowAndWait(Form);
    ASSERT_TRUE(PumpUntil([&] { return draws > 0; }));
    // At the bottom of the form, across it.
    EXPECT_EQ(status->Top() + status->Height(), Form->ClientHeight());
    EXPECT_EQ(status->Width(), Form->ClientWidth());

    EXPECT_EQ(drawnRect, status->PanelRect(1));
    EXPECT_EQ(Pixel(status, Centre(drawnRect)), RGB(255, 0, 255));
    EXPECT_NE(Pixel(status, Centre(status->PanelRect(2))), RGB(255, 0, 255));
    EXPECT_NEAR(status->PanelRect(0).Right, 80, 2);
    EXPECT_NEAR(status->PanelRect(1).Right, 180, 2);
    EXPECT_EQ(status->PanelRect(2).Right, status->ClientWidth());
    // The text panel's text is dark ink inside its own rectangle.
    auto inked = [&](const TRect& R) {
        int n = 0;
        for (Integer y = R.Top + 2; y < R.Bottom - 2; ++y)
            for (Integer x = R.Left + 2; x < R.Right - 2; ++x)
                if (GetRValue(Pixel(status, Point(x, y))) < 80) ++n;
        return n;
    };
    EXPECT_GT(inked(status->PanelRect(0)), 10);
    text->SetText(u"");
    status->Update();
    Pump();
    EXPECT_EQ(inked(status->PanelRect(0)), 0);

    status->SetSimpleText(u"simple");
    status->SetSimplePanel(true);
    EXPECT_TRUE(status->SimplePanel());
    status->Panels()->Delete(1);
    EXPECT_EQ(status->Panels()->Count(), 2);
}

// ---------------------------------------------------------------------------
// A control freed inside its own event, and handles in a loop

struct TFreeCase {
    const char* Name;
    // Makes the control on Form; returns what the user does, which first
    // sets the event that calls Free.
    std::function<std::function<void()>(TForm* Form, std::function<void(TWinControl*)> Free)> Build;
};

TEST_F(ComCtrlsTest, ControlFreedInsideItsOwnEvent)
{
    auto clickAt = [](TControl* C, TPoint P) {
        return [C, P] {
            MovePointer(C->ClientToScreen(P));
            LeftButton(true);
            LeftButton(false);
        };
    };
    const TFreeCase cases[] = {
        {"up-down click",
         [&](TForm* F, std::function<void(TWinControl*)> Free) {
             auto* edit = new TTestEdit(F);
             edit->SetParent(F);
             edit->SetBounds(10, 10, 60, 24);
             auto* updown = new TUpDown(F);
             updown->SetParent(F);
             updown->SetAssociate(edit);
             return std::function<void()>([updown, edit, clickAt, Free] {
                 updown->OnClick = [updown, edit, Free](TObject*, TUDBtnType) {
                     auto free = Free;
                     delete edit;
                     free(updown);
                 };
                 clickAt(updown, Point(updown->Width() / 2, 4))();
             });
         }},
        {"tree selection",
         [&](TForm* F, std::function<void(TWinControl*)> Free) {
             auto* tree = new TTreeView(F);
             tree->SetParent(F);
             tree->SetBounds(10, 10, 200, 200);
             tree->Items()->Add(nullptr, u"one");
             TTreeNode* two = tree->Items()->Add(nullptr, u"two");
             tree->Items()->AddChild(two, u"child");
             return std::function<void()>([tree, two, clickAt, Free] {
                 tree->OnChange = [tree, Free](TObject*, TTreeNode*) { auto free = Free; free(tree); };
                 clickAt(tree, Centre(two->DisplayRect(true)))();
             });
         }},
        {"tree expansion",
         [&](TForm* F, std::function<void(TWinControl*)> Free) {
             auto* tree = new TTreeView(F);
             tree->SetParent(F);
             tree->SetBounds(10, 10, 200, 200);
             TTreeNode* one = tree->Items()->Add(nullptr, u"one");
             tree->Items()->AddChild(one, u"child");
             return std::function<void()>([tree, one, Free] {
                 tree->SetFocus();
                 one->SetSelected(true);
                 tree->OnExpanded = [tree, Free](TObject*, TTreeNode*) { auto free = Free; free(tree); };
                 Key(VK_RIGHT, true);
                 Key(VK_RIGHT, false);
             });
         }},
        {"page change",
         [&](TForm* F, std::function<void(TWinControl*)> Free) {
             auto* pages = new TPageControl(F);
             pages->SetParent(F);
             pages->SetBounds(10, 10, 300, 200);
             for (int i = 0; i < 2; ++i) (new TTabSheet(F))->SetPageControl(pages);
             pages->Pages(1)->SetCaption(u"Second");
             return std::function<void()>([pages, clickAt, Free] {
                 pages->OnChange = [pages, Free](TObject*) { auto free = Free; free(pages); };
                 clickAt(pages, Centre(pages->TabRect(1)))();
             });
         }},
        {"track bar drag",
         [&](TForm* F, std::function<void(TWinControl*)> Free) {
             auto* track = new TTrackBar(F);
             track->SetParent(F);
             track->SetBounds(10, 10, 200, 45);
             return std::function<void()>([track, clickAt, Free] {
                 track->OnChange = [track, Free](TObject*) { auto free = Free; free(track); };
                 clickAt(track, Point(150, Centre(track->ThumbRect()).Y))();
             });
         }},
    };
    for (const TFreeCase& c : cases) {
        TForm* form = NewForm(100, 100, 400, 300);
        bool freed = false;
        auto trigger = c.Build(form, [&](TWinControl* Control) {
            delete Control;
            freed = true;
        });
        ShowAndWait(form);
        trigger();

        ASSERT_TRUE(PumpUntil([&] { return freed; })) << c.Name;
        Pump();

        EXPECT_EQ(form->ControlCount(), 0) << c.Name;
        // The window went once its message was over.
        EXPECT_TRUE(PumpUntil([&] { return ThreadWindowCount() > 0 && GetWindow(form->Handle(), GW_CHILD) == nullptr; }))
            << c.Name;
        Forget(form);
        delete form;
        Pump();
    }
}

TEST_F(ComCtrlsTest, CreatingAndFreeingLeavesHandleCountsFlat)
{
    auto once = [&] {
        auto* form = new TForm(nullptr);
        form->SetBounds(100, 100, 420, 320);
        auto* images = new TImageList(form);
        TBitmap picture;
        picture.SetSize(32, 16);
        picture.Canvas()->Brush()->SetColor(clRed);
        picture.Canvas()->FillRect(Rect(0, 0, 32, 16));
        images->Add(&picture);
        auto* pages = new TPageControl(form);
        pages->SetParent(form);
        pages->SetBounds(0, 0, 200, 150);
        pages->SetImages(images);
        for (int i = 0; i < 2; ++i) {
            auto* sheet = new TTabSheet(form);
            sheet->SetCaption(u"Page");
            sheet->SetImageIndex(i);
            sheet->SetPageControl(pages);
        }
        auto* tabs = new TTabControl(form);
        tabs->SetParent(form);
        tabs->SetBounds(200, 0, 200, 100);
        tabs->Tabs()->Add(u"Tab");
        tabs->SetOwnerDraw(true);
        auto* tree = new TTreeView(pages->Pages(0));
        tree->SetParent(pages->Pages(0));
        tree->SetBounds(0, 0, 150, 100);
        tree->SetImages(images);
        TTreeNode* root = tree->Items()->Add(nullptr, u"root");
        tree->Items()->AddChild(root, u"child")->SetImageIndex(1);
        root->Expand(true);
        auto* updown = new TUpDown(form);
        updown->SetParent(form);
        updown->SetBounds(0, 160, 20, 30);
        auto* track = new TTrackBar(form);
        track->SetParent(form);
        track->SetBounds(30, 160, 150, 40);
        auto* progress = new TProgressBar(form);
        progress->SetParent(form);
        progress->SetBounds(200, 160, 150, 16);
        progress->SetPosition(40);
        auto* status = new TStatusBar(form);
        status->SetParent(form);
        status->Panels()->Add()->SetText(u"status");
        status->Panels()->Add()->SetStyle(psOwnerDraw);
        form->Show();
        form->Update();
        Pump();
        tree->SetBorderStyle(bsNone);  // a window made again
        delete form;
        Pump();
    };
    once();  // the platform's own first-use objects
    once();
    const int gdi = LiveGdiObjects();
    const int windows = ThreadWindowCount();
    ASSERT_GT(gdi, 0);
    for (int i = 0; i < 30; ++i) once();
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(ThreadWindowCount(), windows);
}

}  // namespace
