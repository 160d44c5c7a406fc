// Drag and drop between controls driven by the real mouse and keyboard
// (SendInput) on Wine's X display, and files dropped the way the shell drops
// them (a DROPFILES block posted with WM_DROPFILES).
#include "GuiTest.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <string>

using namespace guitest;

namespace {

std::vector<std::string> Events;

void Log(const std::string& Event)
{
    // A pointer move may come as more than one message: keep one of each in a row.
    if (Events.empty() || Events.back() != Event) Events.push_back(Event);
}

std::string Xy(Integer X, Integer Y)
{
    return std::to_string(X) + "," + std::to_string(Y);
}

// Moves the pointer through SendInput, as a mouse does.
void SendPointer(const TPoint& P)
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    // Normalised to 0..65535, rounded up so that the platform's scaling lands on P.
    in.mi.dx = static_cast<LONG>((static_cast<int64_t>(P.X) * 65536 + w - 1) / w);
    in.mi.dy = static_cast<LONG>((static_cast<int64_t>(P.Y) * 65536 + h - 1) / h);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(INPUT));
    PumpUntil([&] {
        POINT c;
        GetCursorPos(&c);
        return c.x == P.X && c.y == P.Y;
    });
    Pump();
}

void SendKey(WORD Key)
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = Key;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

// A native list box as a control.
class TTestList : public TWinControl {
public:
    using TWinControl::TWinControl;
    String ClassName() const override { return u"TTestList"; }
    void Add(const String& Item) { SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WStr(Item))); }
    int Count() { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }
    int ItemIndex() { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }
    String Item(int Index)
    {
        wchar_t buf[256] = {};
        SendMessageW(Handle(), LB_GETTEXT, Index, reinterpret_cast<LPARAM>(buf));
        return FromWStr(buf);
    }
    TPoint ItemCentre(int Index)
    {
        RECT r{};
        SendMessageW(Handle(), LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&r));
        return ClientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        CreateSubClass(Params, L"LISTBOX");
        Params.Style |= WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    }
};

// What a source may drag instead of itself: its own cursor over an accepting target.
class TTestDragObject : public TDragObject {
public:
    std::string Ends;
    TCursor GetDragCursor(bool Accepted, Integer, Integer) override { return Accepted ? crHandPoint : crNoDrop; }
    void Finished(TObject* Target, Integer X, Integer Y, bool Accepted) override
    {
        Ends += std::string(Target ? "target " : "none ") + Xy(X, Y) + (Accepted ? " accepted" : "");
    }
};

class ControlsDrag : public FormTest {
protected:
    void SetUp() override
    {
        Events.clear();
        SendPointer(Point(Screen->Width() - 1, Screen->Height() - 1));
    }
    void TearDown() override
    {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) LeftButton(false);
        Pump();
        FormTest::TearDown();
    }
    // Two lists side by side, "a" (three items, dmAutomatic) and "b" (empty,
    // accepts drops from "a" only), and below them a spot that refuses drops.
    void MakeForm()
    {
        Form = NewForm(100, 100, 400, 300);
        Form->SetFormStyle(fsStayOnTop);
        A = new TTestList(Form);
        A->SetParent(Form);
        A->SetBounds(10, 10, 150, 150);
        A->SetDragMode(dmAutomatic);
        B = new TTestList(Form);
        B->SetParent(Form);
        B->SetBounds(200, 10, 150, 150);
        Refuse = new TColourSquare(Form);
        Refuse->SetParent(Form);
        Refuse->SetBounds(10, 200, 340, 60);
        ShowAndWait(Form);
        for (const char16_t* item : {u"one", u"two", u"three"}) A->Add(item);

        A->OnStartDrag = [](TObject*, TDragObject*&) { Log("start"); };
        A->OnEndDrag = [this](TObject*, TObject* Target, Integer X, Integer Y) {
            Log(std::string("end ") + (!Target ? "none " : Target == B ? "b " : "? ") + Xy(X, Y));
        };
        A->OnClick = [](TObject*) { Log("a click"); };
        static const char* const States[] = {"enter", "leave", "move"};
        B->OnDragOver = [this](TObject*, TObject* Source, Integer, Integer, TDragState State, bool& Accept) {
            Log(std::string("b ") + States[State]);
            Accept = Source == A;
        };
        B->OnDragDrop = [this](TObject*, TObject* Source, Integer X, Integer Y) {
            auto* from = static_cast<TTestList*>(Source);
            B->Add(from->Item(from->ItemIndex()));
            Log("b drop " + Xy(X, Y));
        };
        Refuse->OnDragOver = [](TObject*, TObject*, Integer, Integer, TDragState State, bool& Accept) {
            Log(std::string("refuse ") + States[State]);
            Accept = false;
        };
    }
    TForm* Form = nullptr;
    TTestList* A = nullptr;
    TTestList* B = nullptr;
    TColourSquare* Refuse = nullptr;
};

TEST_F(ControlsDrag, AnItemDraggedFromOneListToTheOtherIsDroppedWhereTheTargetAccepts)
{
    MakeForm();
    SendPointer(A->ItemCentre(1));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return A->Dragging(); }));
    // The press still selects as it does without a drag.
    EXPECT_EQ(A->ItemIndex(), 1);
    // Within the threshold the drag has not started: no target hears of it.
    TPoint start = A->ItemCentre(1);
    SendPointer(Point(start.X + 3, start.Y));
    EXPECT_EQ(Events, (std::vector<std::string>{"start"}));

    SendPointer(B->ClientToScreen(Point(60, 60)));
    ASSERT_TRUE(PumpUntil([] { return Events.back() == "b move"; }));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crDrag));
    EXPECT_EQ(ActiveDragObject()->DragTarget(), B);

    SendPointer(Refuse->ClientToScreen(Point(30, 30)));
    ASSERT_TRUE(PumpUntil([] { return Events.back() == "refuse move"; }));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crNoDrop));

    SendPointer(B->ClientToScreen(Point(30, 40)));
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([] { return Events.back().rfind("end", 0) == 0; }));
    EXPECT_EQ(Events, (std::vector<std::string>{"start", "b enter", "b move", "b leave", "refuse enter",
                                                "refuse move", "refuse leave", "b enter", "b move", "b drop 30,40",
                                                "end b 30,40"}));
    ASSERT_EQ(B->Count(), 1);
    EXPECT_EQ(B->Item(0), u"two");
    EXPECT_FALSE(A->Dragging());
    EXPECT_EQ(ActiveDragObject(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlsDrag, EscapeAndTheRightButtonCancelWithoutADrop)
{
    MakeForm();
    struct {
        const char* Name;
        void (*Cancel)();
    } cases[] = {
        {"escape", [] { SendKey(VK_ESCAPE); }},
        {"right button",
         [] {
             INPUT in = {};
             in.type = INPUT_MOUSE;
             in.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
             SendInput(1, &in, sizeof(INPUT));
             in.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
             SendInput(1, &in, sizeof(INPUT));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Events.clear();
        SetForegroundWindow(Form->Handle());
        SendPointer(A->ItemCentre(0));
        LeftButton(true);
        ASSERT_TRUE(PumpUntil([&] { return A->Dragging(); }));
        SendPointer(B->ClientToScreen(Point(60, 60)));
        ASSERT_TRUE(PumpUntil([] { return Events.back() == "b move"; }));
        c.Cancel();
        ASSERT_TRUE(PumpUntil([] { return Events.back().rfind("end", 0) == 0; }));
        EXPECT_EQ(Events, (std::vector<std::string>{"start", "b enter", "b move", "b leave", "end none 0,0"}));
        EXPECT_FALSE(A->Dragging());
        EXPECT_EQ(GetCapture(), nullptr);
        // The release that follows drops nothing.
        LeftButton(false);
        Pump();
        EXPECT_EQ(B->Count(), 0);
        EXPECT_EQ(Events.back(), "end none 0,0");
    }
}

TEST_F(ControlsDrag, APressAndReleaseInPlaceIsAClickThatEndsTheDragUnstarted)
{
    MakeForm();
    SendPointer(A->ItemCentre(2));
    LeftButton(true);
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([] { return !Events.empty() && Events.back() == "a click"; }));
    EXPECT_EQ(Events, (std::vector<std::string>{"start", "end none 0,0", "a click"}));
    EXPECT_EQ(A->ItemIndex(), 2);
    EXPECT_EQ(B->Count(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlsDrag, AWindowlessSourceDragsItsOwnObjectOntoAWindowlessTarget)
{
    MakeForm();
    auto* source = new TColourSquare(Form);
    source->SetParent(Form);
    source->SetBounds(360, 10, 30, 30);
    auto* target = new TColourSquare(Form);
    target->SetParent(Form);
    target->SetBounds(360, 100, 30, 30);
    TTestDragObject object;
    // dmManual: the control begins the drag itself, at once.
    source->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { source->BeginDrag(true); };
    source->OnStartDrag = [&](TObject*, TDragObject*& DragObject) { DragObject = &object; };
    source->OnEndDrag = [&](TObject*, TObject* Target, Integer X, Integer Y) {
        Log(std::string("end ") + (Target == target ? "target " : "? ") + Xy(X, Y));
    };
    TObject* seen = nullptr;
    target->OnDragOver = [&](TObject*, TObject* Source, Integer, Integer, TDragState, bool& Accept) {
        seen = Source;
        Accept = true;
    };
    target->OnDragDrop = [&](TObject*, TObject*, Integer X, Integer Y) { Log("drop " + Xy(X, Y)); };

    SendPointer(source->ClientToScreen(Point(10, 10)));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return source->Dragging(); }));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crNoDrop));  // over itself, which does not accept
    SendPointer(target->ClientToScreen(Point(5, 7)));
    ASSERT_TRUE(PumpUntil([&] { return seen != nullptr; }));
    EXPECT_EQ(seen, &object);  // its own object, not the control
    EXPECT_EQ(FindDragTarget(target->ClientToScreen(Point(5, 7)), false), target);
    EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([] { return !Events.empty() && Events.back().rfind("end", 0) == 0; }));
    EXPECT_EQ(Events, (std::vector<std::string>{"drop 5,7", "end target 5,7"}));
    EXPECT_EQ(object.Ends, "target 5,7 accepted");
    EXPECT_TRUE(object.Dropped());
    EXPECT_FALSE(source->MouseCapture());
}

TEST_F(ControlsDrag, ATargetFreedByItsDropAndASourceFreedWhileDraggingEndTheDragSafely)
{
    MakeForm();
    B->OnDragDrop = [this](TObject*, TObject*, Integer, Integer) {
        Log("b drop");
        delete B;
        B = nullptr;
    };
    SendPointer(A->ItemCentre(0));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return A->Dragging(); }));
    SendPointer(B->ClientToScreen(Point(60, 60)));
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([] { return Events.back().rfind("end", 0) == 0; }));
    EXPECT_EQ(Events.back(), "end none 0,0");  // the target is gone
    EXPECT_EQ(B, nullptr);

    // The source goes in the middle of its drag.
    Events.clear();
    SendPointer(A->ItemCentre(0));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return A->Dragging(); }));
    SendPointer(Refuse->ClientToScreen(Point(30, 30)));
    ASSERT_TRUE(PumpUntil([] { return Events.back() == "refuse move"; }));
    delete A;
    EXPECT_EQ(ActiveDragObject(), nullptr);
    EXPECT_EQ(Events.back(), "refuse leave");
    LeftButton(false);
    Pump();
}

// A DROPFILES block as the shell hands it over: the header, then the names,
// each ended by a NUL, and one more NUL at the end.
HGLOBAL MakeDrop(const std::vector<std::wstring>& Names, POINT At)
{
    size_t chars = 1;
    for (const auto& n : Names) chars += n.size() + 1;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(mem));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = At;
    drop->fNC = FALSE;
    drop->fWide = TRUE;
    auto* p = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& n : Names) {
        std::memcpy(p, n.c_str(), (n.size() + 1) * sizeof(wchar_t));
        p += n.size() + 1;
    }
    GlobalUnlock(mem);
    return mem;
}

TEST_F(ControlsDrag, FilesDroppedFromTheShellArriveWithTheirFullWideNames)
{
    TForm* form = NewForm();
    form->SetAcceptFiles(true);
    ShowAndWait(form);
    EXPECT_NE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    std::vector<String> got;
    TPoint at{-1, -1};
    form->OnDropFiles = [&](TObject*, const std::vector<String>& Names, const TPoint& Pos) {
        got = Names;
        at = Pos;
    };
    // Past MAX_PATH, and outside the ANSI code page.
    std::wstring deep = L"C:\\\u56fe\u7247\\";
    while (deep.size() < 300) deep += L"\u65e5\u843d \u00fcber\\";
    const std::vector<std::wstring> names{L"C:\\\u56fe\u7247\\\u65e5\u843d \u00fcber.png", deep + L"x.jpg"};
    HGLOBAL drop = MakeDrop(names, POINT{12, 34});
    PostMessageW(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    ASSERT_TRUE(PumpUntil([&] { return !got.empty(); }));
    ASSERT_EQ(got.size(), 2u);
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(got[i], FromWStr(names[i].c_str()));
    EXPECT_EQ(at.X, 12);
    EXPECT_EQ(at.Y, 34);
    // The framework let go of the drop once the handler was done.
    EXPECT_EQ(GlobalSize(drop), 0u);

    // The window made again accepts files still; switched off it does not.
    form->RecreateWnd();
    Pump();
    EXPECT_NE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    form->SetAcceptFiles(false);
    EXPECT_EQ(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
}

} // namespace
