// Forms, the application's message loop and the screen, on real windows.
#include "GuiTest.h"

#include <atomic>
#include <string>

#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/Menus.h"
#include "framework/runtime/IniFiles.h"
#include "framework/runtime/Threads.h"

using namespace guitest;

namespace {

class Forms : public FormTest {
protected:
    void TearDown() override
    {
        Application->OnMessage = nullptr;
        Application->OnException = nullptr;
        Application->OnMinimize = nullptr;
        Application->OnRestore = nullptr;
        FormTest::TearDown();
        if (MainForm) {
            delete MainForm;
            MainForm = nullptr;
        }
        Pump();
    }
    TForm* MakeMainForm()
    {
        MainForm = Application->CreateForm<TForm>();
        MainForm->SetBounds(100, 100, 400, 300);
        return MainForm;
    }
    TForm* MainForm = nullptr;
};

TEST_F(Forms, ShowModalAnswersEnterEscapeAndCloseWhileTheMainFormIsDisabled)
{
    TForm* main = MakeMainForm();
    ShowAndWait(main);
    struct {
        UINT Msg;
        WPARAM Key;
        TModalResult Expected;
    } cases[] = {{WM_KEYDOWN, VK_RETURN, mrOk}, {WM_KEYDOWN, VK_ESCAPE, mrCancel}, {WM_CLOSE, 0, mrCancel}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.Key);
        TForm* dialog = NewForm(0, 0, 300, 120);
        dialog->SetBorderStyle(bsDialog);
        dialog->SetPosition(poMainFormCenter);
        auto* field = new TTestButton(dialog);  // has the focus: neither default nor cancel
        field->SetParent(dialog);
        auto* ok = new TTestButton(dialog);
        ok->SetParent(dialog);
        ok->SetLeft(100);
        ok->Default = true;
        ok->ModalResult = mrOk;
        auto* cancel = new TTestButton(dialog);
        cancel->SetParent(dialog);
        cancel->SetLeft(200);
        cancel->Cancel = true;
        cancel->ModalResult = mrCancel;
        bool mainDisabled = false;
        HWND focused = nullptr;
        dialog->OnActivate = [&](TObject*) {
            mainDisabled = !IsWindowEnabled(main->Handle());
            focused = GetFocus();
            PostMessageW(c.Msg == WM_CLOSE ? dialog->Handle() : focused, c.Msg, c.Key, 0x00010001);
        };
        EXPECT_EQ(dialog->ShowModal(), c.Expected);
        EXPECT_EQ(focused, field->Handle());
        EXPECT_TRUE(mainDisabled);
        EXPECT_TRUE(IsWindowEnabled(main->Handle()));
        EXPECT_FALSE(dialog->Visible());
        EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
        EXPECT_FALSE(dialog->FormState() & fsModal);
    }
    TForm* shown = NewForm();
    shown->Show();
    EXPECT_THROW(shown->ShowModal(), EInvalidOperation);
}

TEST_F(Forms, OnMessageSeesAPostedMessageBeforeItsWindowAndCanSwallowIt)
{
    TForm* form = NewForm();
    std::vector<std::string> log;
    TWindowHook hook;
    auto method = [&](TMessage& Message) {
        if (Message.Msg == WM_USER + 5) log.push_back("form " + std::to_string(Message.WParam));
        hook.CallPrevious(Message);
    };
    hook.Hook(form, TWndMethod::OfCallable(method));
    Application->OnMessage = [&](MSG& Msg, bool& Handled) {
        if (Msg.message != WM_USER + 5) return;
        log.push_back("app " + std::to_string(Msg.wParam));
        Handled = Msg.wParam == 1;
    };
    PostMessageW(form->Handle(), WM_USER + 5, 1, 0);
    PostMessageW(form->Handle(), WM_USER + 5, 2, 0);
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"app 1", "app 2", "form 2"}));
    hook.Unhook();
}

TEST_F(Forms, AnExceptionInAClickHandlerShowsOneMessageBoxAndTheProgramGoesOn)
{
    TMessageBoxCatcher catcher;
    TForm* form = NewForm();
    auto* button = new TTestButton(form);
    button->SetParent(form);
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        ++clicks;
        if (clicks == 1) throw EConvertError(u"'x' is not a number");
        if (clicks == 3) throw EAbort(u"silent");
    };
    ShowAndWait(form);
    auto click = [&] {
        PostMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pos(5, 5));
        PostMessageW(button->Handle(), WM_LBUTTONUP, 0, Pos(5, 5));
    };
    click();
    ASSERT_TRUE(PumpUntil([&] { return !catcher.Boxes().empty(); }));
    Pump();
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].Caption, std::wstring(WStr(Application->Title())));
    EXPECT_EQ(catcher.Boxes()[0].Text, L"'x' is not a number");
    EXPECT_FALSE(button->MouseCapture());
    // It goes on: the next clicks are handled, EAbort shows nothing.
    click();
    click();
    ASSERT_TRUE(PumpUntil([&] { return clicks == 3; }));
    Pump();
    EXPECT_EQ(catcher.Boxes().size(), 1u);

    // OnException replaces the box.
    String seen;
    TObject* sender = nullptr;
    Application->OnException = [&](TObject* Sender, Exception& E) {
        sender = Sender;
        seen = E.Message();
    };
    button->OnClick = [](TObject*) { throw EListError(u"gone"); };
    click();
    ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }));
    EXPECT_EQ(seen, u"gone");
    EXPECT_EQ(sender, button);
    EXPECT_EQ(catcher.Boxes().size(), 1u);
}

TEST_F(Forms, CloseAsksOnCloseQueryThenFollowsTheCloseAction)
{
    struct {
        bool CanClose;
        TCloseAction Action;
        bool Posted;  // through WM_CLOSE, as the caption's close button does
    } cases[] = {{true, caHide, false}, {true, caHide, true}, {true, caNone, false}, {false, caHide, false},
                 {true, caMinimize, false}, {true, caFree, false}};
    for (auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Action) * 10 + c.CanClose);
        TForm* form = NewForm();
        std::vector<std::string> log;
        bool destroyed = false;
        form->OnCloseQuery = [&](TObject*, bool& CanClose) {
            log.push_back("query");
            CanClose = c.CanClose;
        };
        form->OnClose = [&](TObject*, TCloseAction& Action) {
            log.push_back("close");
            EXPECT_EQ(Action, caHide);
            Action = c.Action;
        };
        form->OnDestroy = [&](TObject*) { destroyed = true; };
        ShowAndWait(form);
        if (c.Action == caFree) Forget(form);
        if (c.Posted) PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
        else form->Close();
        Pump();
        std::vector<std::string> expected{"query"};
        if (c.CanClose) expected.push_back("close");
        EXPECT_EQ(log, expected);
        if (c.Action == caFree) {
            EXPECT_TRUE(destroyed);
            continue;
        }
        EXPECT_FALSE(destroyed);
        bool hidden = c.CanClose && c.Action == caHide;
        EXPECT_EQ(form->Visible(), !hidden);
        EXPECT_EQ(IsWindowVisible(form->Handle()) != 0, !hidden);
        if (c.Action == caMinimize) {
            EXPECT_EQ(form->WindowState(), wsMinimized);
        }
    }
}

TEST_F(Forms, ReleaseFreesTheFormAfterItsOwnHandlerReturns)
{
    TForm* form = NewForm();
    Forget(form);
    auto* button = new TTestButton(form);
    button->SetParent(form);
    int destroyed = 0;
    String captionAfterRelease;
    form->OnDestroy = [&](TObject*) { ++destroyed; };
    button->OnClick = [&](TObject*) {
        form->Release();
        captionAfterRelease = form->Caption();  // the form is still whole here
        form->SetCaption(u"released");
    };
    form->SetCaption(u"before");
    ShowAndWait(form);
    HWND wnd = form->Handle();
    PostMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pos(5, 5));
    PostMessageW(button->Handle(), WM_LBUTTONUP, 0, Pos(5, 5));
    ASSERT_TRUE(PumpUntil([&] { return destroyed > 0; }));
    Pump();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(captionAfterRelease, u"before");
    EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(Forms, ScreenListsTheFormsInCreationOrderAndFollowsTheActiveOne)
{
    Integer base = Screen->FormCount();
    TForm* a = NewForm(50, 50);
    TForm* b = NewForm(80, 80);
    TForm* c = NewForm(110, 110);
    ASSERT_EQ(Screen->FormCount(), base + 3);
    EXPECT_EQ(Screen->Forms(base), a);
    EXPECT_EQ(Screen->Forms(base + 1), b);
    EXPECT_EQ(Screen->Forms(base + 2), c);
    Forget(b);
    delete b;
    EXPECT_EQ(Screen->FormCount(), base + 2);
    EXPECT_EQ(Screen->Forms(base + 1), c);

    std::vector<std::string> log;
    a->OnActivate = [&](TObject*) { log.push_back("a activate"); };
    a->OnDeactivate = [&](TObject*) { log.push_back("a deactivate"); };
    c->OnActivate = [&](TObject*) { log.push_back("c activate"); };
    ShowAndWait(a);
    ASSERT_TRUE(PumpUntil([&] { return Screen->ActiveCustomForm() == a; }));
    EXPECT_TRUE(a->Active());
    ShowAndWait(c);
    ASSERT_TRUE(PumpUntil([&] { return Screen->ActiveCustomForm() == c; }));
    EXPECT_FALSE(a->Active());
    EXPECT_EQ(log, (std::vector<std::string>{"a activate", "a deactivate", "c activate"}));
    // The list keeps creation order whatever is active.
    EXPECT_EQ(Screen->Forms(base), a);
    // The log goes with this body; the forms go later (freeing c activates a).
    a->OnActivate = nullptr;
    a->OnDeactivate = nullptr;
    c->OnActivate = nullptr;
}

TEST_F(Forms, PositionPlacesTheFormWhenItIsShown)
{
    TForm* main = MakeMainForm();
    main->SetBounds(100, 100, 400, 300);
    ShowAndWait(main);
    TRect work = Screen->WorkAreaRect();
    struct {
        TPosition Position;
        TPoint Expected;
    } cases[] = {
        {poDesigned, Point(33, 44)},
        {poScreenCenter, Point(Screen->Width() / 2 - 301 / 2, Screen->Height() / 2 - 201 / 2)},
        {poDesktopCenter, Point(work.Left + work.Width() / 2 - 150, work.Top + work.Height() / 2 - 100)},
        {poMainFormCenter, Point(100 + 200 - 150, 100 + 150 - 100)},
        {poOwnerFormCenter, Point(150, 150)},  // no owner form: the main form
    };
    for (auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Position));
        TForm* form = NewForm();
        form->SetBounds(33, 44, 301, 201);
        form->SetPosition(c.Position);
        ShowAndWait(form);
        EXPECT_EQ(Point(form->Left(), form->Top()), c.Expected);
        RECT r;
        GetWindowRect(form->Handle(), &r);
        EXPECT_EQ(Point(r.left, r.top), c.Expected);
        EXPECT_EQ(form->Width(), 301);
    }
}

TEST_F(Forms, BorderStyleAndIconsMapToTheWindowStyles)
{
    const TBorderIcons all = biSystemMenu | biMinimize | biMaximize;
    struct {
        TFormBorderStyle Style;
        TBorderIcons Icons;
        DWORD Has, HasNot, ExHas;
    } cases[] = {
        {bsSizeable, all, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, WS_POPUP, 0},
        {bsSizeable, biSystemMenu | biMinimize, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, 0},
        {bsSizeable, 0, WS_CAPTION, WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
        {bsSingle, all, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME, 0},
        {bsDialog, all, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME,
         WS_EX_DLGMODALFRAME},
        {bsToolWindow, all, WS_CAPTION, WS_THICKFRAME | WS_MAXIMIZEBOX, WS_EX_TOOLWINDOW},
        {bsSizeToolWin, all, WS_CAPTION | WS_THICKFRAME, WS_MAXIMIZEBOX, WS_EX_TOOLWINDOW},
        {bsNone, all, WS_POPUP, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Style) * 100 + c.Icons);
        TForm* form = NewForm();
        form->SetBorderStyle(c.Style);
        form->SetBorderIcons(c.Icons);
        form->SetClientWidth(250);
        form->SetClientHeight(150);
        DWORD style = GetWindowLongW(form->Handle(), GWL_STYLE);
        DWORD exStyle = GetWindowLongW(form->Handle(), GWL_EXSTYLE);
        EXPECT_EQ(style & c.Has, c.Has);
        EXPECT_EQ(style & c.HasNot, 0u);
        EXPECT_EQ(exStyle & c.ExHas, c.ExHas);
        // The client size asked before the window existed is the one it got.
        EXPECT_EQ(form->ClientWidth(), 250);
        EXPECT_EQ(form->ClientHeight(), 150);
    }

    // Changing the style of a shown form makes its window again and keeps the rest.
    TForm* form = NewForm(120, 130, 250, 150);
    form->SetCaption(u"Restyled");
    ShowAndWait(form);
    HWND before = form->Handle();
    TRect bounds = form->BoundsRect();
    form->SetBorderStyle(bsSingle);
    Pump();
    EXPECT_NE(form->Handle(), before);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->Caption(), u"Restyled");
    EXPECT_EQ(form->BoundsRect(), bounds);
    EXPECT_EQ(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_THICKFRAME, 0);

    form->SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    form->SetFormStyle(fsNormal);
    EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Forms, TheWindowShowsTheFormsIconElseTheApplications)
{
    TForm* form = NewForm();
    ShowAndWait(form);
    auto shown = [&] { return reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, ICON_BIG, 0)); };
    EXPECT_EQ(shown(), Application->Icon()->Handle());
    HICON own = CopyIcon(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_WARNING)));
    form->Icon()->SetHandle(own);
    EXPECT_EQ(shown(), own);
    HICON program = CopyIcon(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION)));
    Application->Icon()->SetHandle(program);
    EXPECT_EQ(shown(), own);
    form->Icon()->SetHandle(nullptr);
    EXPECT_EQ(shown(), program);
    // A window made again keeps it.
    form->SetBorderStyle(bsSingle);
    EXPECT_EQ(shown(), program);
}

// A form built in code, as every form of the program is.
struct TProbe : TComponent {
    TProbe(TComponent* AOwner, std::vector<std::string>& Log) : TComponent(AOwner), FLog(Log) {}
    ~TProbe() override { FLog.push_back("probe freed"); }
    void Loaded() override
    {
        FLog.push_back("probe loaded");
        TComponent::Loaded();
    }
    std::vector<std::string>& FLog;
};

class TBuiltForm : public TForm {
public:
    TBuiltForm(TComponent* AOwner, std::vector<std::string>& Log) : TForm(AOwner)
    {
        new TProbe(this, Log);
        Button = new TTestButton(this);
        Button->SetParent(this);
        OnCreate = [&Log](TObject*) { Log.push_back("create"); };
        OnDestroy = [&Log](TObject*) { Log.push_back("destroy"); };
        Loaded();
    }
    TTestButton* Button;
};

TEST_F(Forms, AFormBuiltInCodeLoadsItsComponentsThenFiresOnCreate)
{
    std::vector<std::string> log;
    auto* form = new TBuiltForm(nullptr, log);
    EXPECT_EQ(log, (std::vector<std::string>{"probe loaded", "create"}));
    form->Loaded();  // OnCreate fires once
    log.clear();
    delete form;
    EXPECT_EQ(log, (std::vector<std::string>{"destroy", "probe freed"}));
}

TEST_F(Forms, ShortCutsSeeKeysBeforeTheFocusedControl)
{
    TForm* form = NewForm();
    auto* button = new TTestButton(form);
    button->SetParent(form);
    std::vector<std::string> log;
    button->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { log.push_back("key " + std::to_string(Key)); };
    form->OnShortCut = [&](TWMKey& Msg, bool& Handled) {
        log.push_back("shortcut " + std::to_string(Msg.CharCode()));
        Handled = Msg.CharCode() == VK_F5;
    };
    ShowAndWait(form);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == button->Handle(); }));
    PostMessageW(button->Handle(), WM_KEYDOWN, VK_F5, 0x003F0001);
    PostMessageW(button->Handle(), WM_KEYDOWN, 'Q', 0x00100001);
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"shortcut 116", "shortcut 81", "key 81"}));
}

TEST_F(Forms, ShowHideResizeAndPaintEventsFire)
{
    TForm* form = NewForm();
    std::vector<std::string> log;
    auto add = [&](const char* Name) { return [&log, Name](TObject*) { log.push_back(Name); }; };
    form->OnShow = add("show");
    form->OnHide = add("hide");
    form->OnResize = add("resize");
    form->OnPaint = add("paint");
    ShowAndWait(form);
    EXPECT_EQ(log.front(), "show");
    ASSERT_TRUE(PumpUntil([&] { return std::find(log.begin(), log.end(), "paint") != log.end(); }));
    log.clear();
    form->SetClientWidth(300);
    EXPECT_EQ(log, std::vector<std::string>{"resize"});
    log.clear();
    form->Hide();
    EXPECT_EQ(log, std::vector<std::string>{"hide"});
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(Forms, TheApplicationMinimisesAndRestoresItsMainForm)
{
    TForm* main = MakeMainForm();
    ShowAndWait(main);
    std::vector<std::string> log;
    Application->OnMinimize = [&](TObject*) { log.push_back("minimize"); };
    Application->OnRestore = [&](TObject*) { log.push_back("restore"); };
    Application->Minimize();
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(main->Handle()) != 0; }));
    EXPECT_EQ(main->WindowState(), wsMinimized);
    Application->Restore();
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(main->Handle()); }));
    Pump();
    EXPECT_EQ(main->WindowState(), wsNormal);
    EXPECT_EQ(log, (std::vector<std::string>{"minimize", "restore"}));
    EXPECT_EQ(main->Width(), 400);

    main->SetWindowState(wsMaximized);
    Pump();
    EXPECT_TRUE(IsZoomed(main->Handle()));
    main->SetWindowState(wsNormal);
    Pump();
    EXPECT_EQ(main->BoundsRect(), Rect(100, 100, 500, 400));
}

class TSyncThread : public TThread {
public:
    TSyncThread() : TThread(true) {}
    std::atomic<int> Steps{0};
    std::vector<bool> OnMain;

protected:
    void Execute() override
    {
        Sleep(30);  // the main thread is idle in its message loop by now
        Synchronize([this] { OnMain.push_back(IsMainThread()); });
        Queue([this] { OnMain.push_back(IsMainThread()); });
        Steps = 1;
    }
};

std::atomic<bool> GWatchdogFired{false};
void CALLBACK OnWatchdog(HWND, UINT, UINT_PTR, DWORD) { GWatchdogFired = true; }

TEST_F(Forms, ThreadCallsWakeTheIdleMessageLoop)
{
    TSyncThread thread;
    // A watchdog message, should the wake-up not come: the loop then wakes
    // for it alone. Long, so that a loaded machine does not look like a
    // missing wake-up.
    GWatchdogFired = false;
    UINT_PTR watchdog = SetTimer(nullptr, 0, 30000, OnWatchdog);
    thread.Start();
    while (thread.OnMain.size() < 2 && !GWatchdogFired) Application->HandleMessage();
    KillTimer(nullptr, watchdog);
    EXPECT_FALSE(GWatchdogFired) << "the thread's calls did not wake the idle loop";
    EXPECT_EQ(thread.OnMain, (std::vector<bool>{true, true}));
    thread.WaitFor();
}

// Last: it ends the application's loop for good.
TEST_F(Forms, ClosingTheMainFormEndsRun)
{
    TForm* main = MakeMainForm();
    bool closed = false;
    main->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
    Application->Run();  // shows the main form, returns when it closes
    EXPECT_TRUE(closed);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(main->Visible());
}

// A dialog that keeps its place in a settings file: its OnDestroy writes the
// setting through a member of the derived class, and its own handler and its
// own hook must both see the window go.
class TSettingsDialog : public TForm {
public:
    TSettingsDialog(TComponent* AOwner, const String& FileName) : TForm(AOwner)
    {
        FSettings = std::make_unique<TMemIniFile>(FileName);
        OnDestroy = [this](TObject*) {
            FSettings->WriteString(u"Dialog", u"Left", IntToStr(Left()));
            FSettings->UpdateFile();
        };
        FHook.Hook(this, TWndMethod::Of<&TSettingsDialog::HookProc>(this));
    }
    std::vector<std::string>* Log = nullptr;

protected:
    void WMDestroy(TMessage& Message) override
    {
        if (Log) Log->push_back("handler sees WM_DESTROY");
        TForm::WMDestroy(Message);
    }

private:
    void HookProc(TMessage& Message)
    {
        if (Message.Msg == WM_DESTROY && Log) Log->push_back("hook sees WM_DESTROY");
        FHook.CallPrevious(Message);
    }
    std::unique_ptr<TMemIniFile> FSettings;
    TWindowHook FHook;
};

TEST_F(Forms, AFormFreedAnyWayRunsOnDestroyAndItsWindowsLastMessagesWhileWhole)
{
    enum TWay { ByOwner, ByFreeAndNil, ByRelease };
    for (TWay way : {ByOwner, ByFreeAndNil, ByRelease}) {
        SCOPED_TRACE(way);
        String file = GetTempDirectory() + u"lm_dialog_" + IntToStr(way) + u".ini";
        DeleteFile(file);
        auto* owner = new TComponent(nullptr);
        auto* dialog = new TSettingsDialog(owner, file);
        std::vector<std::string> log;
        dialog->Log = &log;
        dialog->SetBounds(123, 80, 200, 150);
        ShowAndWait(dialog);
        switch (way) {
        case ByOwner: delete owner; break;
        case ByFreeAndNil: FreeAndNil(dialog); break;
        case ByRelease:
            dialog->Release();
            ASSERT_TRUE(PumpUntil([&] { return log.size() == 2; }));
            break;
        }
        if (way != ByOwner) delete owner;
        EXPECT_EQ(log, (std::vector<std::string>{"hook sees WM_DESTROY", "handler sees WM_DESTROY"}));
        TMemIniFile written(file);
        EXPECT_EQ(written.ReadString(u"Dialog", u"Left", u""), u"123");
        DeleteFile(file);
    }
}

// A hook that records what passes through it and lets everything on.
class TRecordingHook {
public:
    TRecordingHook(std::string Name, std::vector<std::string>& Log) : FName(std::move(Name)), FLog(Log) {}
    void Hook(TControl* Control) { FHook.Hook(Control, TWndMethod::Of<&TRecordingHook::HookProc>(this)); }
    TWindowHook& Hook() { return FHook; }

private:
    void HookProc(TMessage& Message)
    {
        if (Message.Msg == WM_USER + 9) FLog.push_back(FName);
        FHook.CallPrevious(Message);
    }
    std::string FName;
    std::vector<std::string>& FLog;
    TWindowHook FHook;
};

TEST_F(Forms, AHookThatLeavesFromTheMiddleKeepsTheLaterHooksInTheChain)
{
    TForm* form = NewForm();
    TWndMethod original = form->WindowProc;
    std::vector<std::string> log;
    auto send = [&] {
        log.clear();
        form->Perform(WM_USER + 9);
        return log;
    };
    TRecordingHook skin("skin", log), later("later", log), last("last", log);
    skin.Hook(form);
    later.Hook(form);
    EXPECT_EQ(send(), (std::vector<std::string>{"later", "skin"}));
    // The skin goes first: it may not put back the value it saved, which would
    // cut the later hook out.
    skin.Hook().Unhook();
    EXPECT_EQ(send(), (std::vector<std::string>{"later"}));
    EXPECT_EQ(later.Hook().Previous(), original);
    // The same from the middle of three, then from the front.
    skin.Hook(form);
    last.Hook(form);
    EXPECT_EQ(send(), (std::vector<std::string>{"last", "skin", "later"}));
    skin.Hook().Unhook();
    EXPECT_EQ(send(), (std::vector<std::string>{"last", "later"}));
    last.Hook().Unhook();
    EXPECT_EQ(send(), (std::vector<std::string>{"later"}));
    later.Hook().Unhook();
    EXPECT_EQ(form->WindowProc, original);
    EXPECT_TRUE(send().empty());
    // A hook whose control goes first is let go with it.
    TForm* other = NewForm();
    later.Hook(other);
    Forget(other);
    delete other;
    EXPECT_FALSE(later.Hook().Hooked());
}

} // namespace

namespace {

TEST_F(Forms, AutoScrollShowsRealScrollBarsThatMoveTheChildren)
{
    TForm* form = NewForm(100, 100, 300, 200);
    form->SetFormStyle(fsStayOnTop);
    form->SetAutoScroll(true);
    auto* inside = new TTestButton(form);
    inside->SetParent(form);
    inside->SetBounds(10, 10, 75, 25);
    auto* outside = new TTestButton(form);
    outside->SetParent(form);
    outside->SetBounds(400, 350, 75, 25);
    auto* square = new TColourSquare(form);
    square->SetParent(form);
    square->SetColor(clRed);
    square->SetBounds(50, 120, 40, 40);
    ShowAndWait(form);
    HWND wnd = form->Handle();
    const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
    EXPECT_NE(style & WS_HSCROLL, 0);
    EXPECT_NE(style & WS_VSCROLL, 0);
    EXPECT_TRUE(form->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(form->HorzScrollBar()->Range(), 475);
    EXPECT_EQ(form->VertScrollBar()->Range(), 375);
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(wnd, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 374);
    EXPECT_EQ(static_cast<Integer>(si.nPage), form->ClientHeight());

    // A click on the vertical bar's lower arrow, with the real mouse.
    TPoint corner = form->ClientToScreen(Point(form->ClientWidth(), form->ClientHeight()));
    MovePointer(Point(corner.X + GetSystemMetrics(SM_CXVSCROLL) / 2, corner.Y - GetSystemMetrics(SM_CYVSCROLL) / 2));
    LeftButton(true);
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return form->VertScrollBar()->Position() == 8; }));
    EXPECT_EQ(inside->Top(), 2);
    RECT r;
    GetWindowRect(inside->Handle(), &r);
    MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(square->Top(), 112);
    UpdateWindow(wnd);
    TPoint seen = form->ClientToScreen(Point(70, 113));
    EXPECT_EQ(ScreenPixel(seen.X, seen.Y), RGB(255, 0, 0));

    // The wheel scrolls three steps a notch; the position stops at the end.
    PostMessageW(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), Pos(corner.X - 5, corner.Y - 5));
    Pump();
    EXPECT_EQ(form->VertScrollBar()->Position(), 32);
    form->VertScrollBar()->SetPosition(10000);
    EXPECT_EQ(form->VertScrollBar()->Position(), 375 - form->ClientHeight());
    EXPECT_EQ(outside->Top() + outside->Height(), form->ClientHeight());

    // ScrollBy moves every child, windowed or not, by the amounts given.
    const Integer insideLeft = inside->Left(), squareLeft = square->Left();
    form->ScrollBy(-30, 0);
    EXPECT_EQ(inside->Left(), insideLeft - 30);
    EXPECT_EQ(square->Left(), squareLeft - 30);
    form->ScrollBy(30, 0);

    // Without the outside child everything fits: the bars go and the content is back.
    delete outside;
    Pump();
    EXPECT_FALSE(form->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(form->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
    EXPECT_EQ(inside->Top(), 10);
    EXPECT_EQ(square->Top(), 120);
}

TEST_F(Forms, ScrollInViewBringsAChildIntoTheClientArea)
{
    TForm* form = NewForm(100, 100, 300, 200);
    form->SetAutoScroll(true);
    auto* below = new TTestButton(form);
    below->SetParent(form);
    below->SetBounds(20, 500, 75, 25);
    ShowAndWait(form);
    form->ScrollInView(below);
    EXPECT_EQ(below->Top() + below->Height(), form->ClientHeight());
    form->VertScrollBar()->SetPosition(0);
    EXPECT_EQ(below->Top(), 500);
    // Turning AutoScroll off drops the ranges and the bars.
    form->SetAutoScroll(false);
    EXPECT_EQ(form->VertScrollBar()->Range(), 0);
    EXPECT_FALSE(form->VertScrollBar()->IsScrollBarVisible());
}

TEST_F(Forms, KeyPreviewLetsTheFormSeeAndTakeKeysFirst)
{
    struct {
        bool Preview;
        Word Key;
        std::vector<std::string> Expected;
    } cases[] = {
        {false, 'A', {"button down 65", "button press a"}},
        {true, 'A', {"form down 65", "button down 65", "form press a", "button press a"}},
        // The form clears the key and its character: the control sees neither.
        {true, 'X', {"form down 88", "form press x"}},
    };
    for (const auto& c : cases) {
        TForm* form = NewForm();
        auto* button = new TTestButton(form);
        button->SetParent(form);
        std::vector<std::string> log;
        form->SetKeyPreview(c.Preview);
        form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
            log.push_back("form down " + std::to_string(Key));
            if (Key == 'X') Key = 0;
        };
        form->OnKeyPress = [&](TObject*, Char& Key) {
            log.push_back(std::string("form press ") + char(Key));
            if (Key == u'x') Key = 0;
        };
        button->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
            log.push_back("button down " + std::to_string(Key));
        };
        button->OnKeyPress = [&](TObject*, Char& Key) { log.push_back(std::string("button press ") + char(Key)); };
        ShowAndWait(form);
        ASSERT_TRUE(PumpUntil([&] { return GetFocus() == button->Handle(); }));
        PostMessageW(button->Handle(), WM_KEYDOWN, c.Key, 0x001E0001);
        Pump();
        EXPECT_EQ(log, c.Expected) << "preview " << c.Preview << " key " << c.Key;
        EXPECT_EQ(form->KeyPreview(), c.Preview);
        form->Hide();
    }
}

} // namespace

TEST_F(Forms, AnMDIMainFormHoldsItsChildrenInTheRoomItsAlignedControlsLeave)
{
    TForm* Main = MakeMainForm();
    Main->SetFormStyle(fsMDIForm);
    auto* Top = new TPanel(Main);
    Top->SetParent(Main);
    Top->SetAlign(alTop);
    Top->SetHeight(30);
    ShowAndWait(Main);
    const HWND Client = Main->ClientHandle();
    ASSERT_TRUE(Client);
    RECT R;
    GetWindowRect(Client, &R);
    MapWindowPoints(nullptr, Main->Handle(), reinterpret_cast<POINT*>(&R), 2);
    EXPECT_EQ(R.left, 0);
    EXPECT_EQ(R.top, 30);
    EXPECT_EQ(R.right, Main->ClientWidth());
    EXPECT_EQ(R.bottom, Main->ClientHeight());
    // The children live in the client, counted in creation order; the one shown last is active.
    TForm* Kid[2];
    for (int I = 0; I < 2; ++I) {
        Kid[I] = NewForm();
        Kid[I]->SetFormStyle(fsMDIChild);
        Kid[I]->SetBounds(10 + 40 * I, 20, 150, 100);
        ShowAndWait(Kid[I]);
        EXPECT_EQ(GetParent(Kid[I]->Handle()), Client);
        EXPECT_EQ(Kid[I]->Left(), 10 + 40 * I);
        EXPECT_EQ(Kid[I]->Top(), 20);
    }
    EXPECT_EQ(Main->MDIChildCount(), 2);
    EXPECT_EQ(Main->MDIChildren(0), Kid[0]);
    EXPECT_EQ(Main->MDIChildren(1), Kid[1]);
    EXPECT_EQ(Main->MDIChildren(2), nullptr);
    EXPECT_EQ(Main->ActiveMDIChild(), Kid[1]);
    Kid[0]->Show();
    Pump();
    EXPECT_EQ(Main->ActiveMDIChild(), Kid[0]);
    // Growing the panel shrinks the client.
    Top->SetHeight(50);
    GetWindowRect(Client, &R);
    MapWindowPoints(nullptr, Main->Handle(), reinterpret_cast<POINT*>(&R), 2);
    EXPECT_EQ(R.top, 50);
    // The window menu is let go when its item is freed.
    auto* Item = new TMenuItem(Main);
    Main->SetWindowMenu(Item);
    EXPECT_EQ(Main->WindowMenu(), Item);
    delete Item;
    EXPECT_EQ(Main->WindowMenu(), nullptr);
    // A child form without a multiple-document main form is refused.
    Main->Hide();
    TForm* Stray = NewForm();
    Stray->SetFormStyle(fsMDIChild);
    delete Main;
    MainForm = nullptr;
    EXPECT_THROW(Stray->HandleNeeded(), EInvalidOperation);
}
