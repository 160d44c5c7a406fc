// The editor's main window on a real screen, started as the program starts
// it: the tables of a first start, the first document in the view, closing
// to the tray after the one-time notice, the show message, a second start
// (another process) handing over to the running window also while it shows
// a modal dialog, a file handed over by another program, the exit from the
// tray with its save question, and the ordered end with what it writes.
#include <gtest/gtest.h>

#include "../../dialogs/win/DialogTest.h"
#include "ChildProcess.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/AboutForm.h"
#include "dialogs/win/HyControls.h"
#include "dialogs/win/RemindConfirmForm.h"
#include "document/ImageDraw.h"
#include "document/win/ImageDraw_Win.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "shell/MainLifecycle.h"
#include "shell/win/MainTray.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ProgramEntry.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinPanels.h"

namespace {

using guitest::Pump;
using guitest::PumpUntil;

// What the program installs at its start besides what every test program
// installs and the skin platform (DialogTest.h installs that).
class TProgramStartup : public testing::Environment {
public:
    void SetUp() override { InstallImageDrawHooks(); }
};
testing::Environment* const GProgramStartup = testing::AddGlobalTestEnvironment(new TProgramStartup);

constexpr TColor32 PictureColour = 0xFF20A040;

// Answers the documents' questions in the user's place and keeps what was said.
class TAnswers : public TDocumentPrompts {
public:
    Integer Answer = IDNO;
    std::vector<String> Messages;
    Integer Questions = 0;
    void ShowMessage(const String& Text) override { Messages.push_back(Text); }
    Integer Ask(const String&, Cardinal) override
    {
        ++Questions;
        return Answer;
    }
    String ChooseOpenFile(const String&, const String&) override { return String(); }
    String ChooseSaveFile(const String&, const String&, Integer, Integer&) override { return String(); }
    bool JpgOptions(TImageDraw&) override { return false; }
    bool BmpOptions(TImageDraw&) override { return false; }
};

class MainWindow : public GlobalsTest {
protected:
    TfrmZezavEzazer* Form = nullptr;
    TAnswers Answers;

    void TearDown() override
    {
        End();
        ReleaseInstanceClaim();
        GlobalsTest::TearDown();
    }
    // As the program's entry: the claim on the data folder, the main window
    // made and shown.
    void Start(std::vector<String> Args = {})
    {
        ASSERT_FALSE(ActivatePrevInstance(MainTitleSuffix(LangColumn)));
        Form = Application->CreateForm<TfrmZezavEzazer>(std::move(Args));
        Form->Documents().SetPrompts(&Answers);
        Form->Show();
        WaitShown(Form);
    }
    // The ordered end (what the program does after its message loop).
    void End()
    {
        delete Form;
        Form = nullptr;
        Pump();
    }
    String Picture(const String& Name)
    {
        TBitmap32 B;
        B.SetSize(200, 150);
        B.Clear(PictureColour);
        const String File = Dir / Name;
        SaveBitmap32ToFile(&B, File, ifPng, 0);
        return File;
    }
    // Sends the window the close a user's click on its close button sends.
    void CloseByUser() { SendMessageW(Form->Handle(), WM_CLOSE, 0, 0); }
    // How many pixels of the canvas view show the picture's colour.
    Integer PicturePixelsInView()
    {
        TImgView32* V = Form->Image;
        TPoint TL = V->ClientToScreen(TPoint{0, 0});
        const TRect R{TL.X, TL.Y, TL.X + V->Width(), TL.Y + V->Height()};
        const auto Shot = guitest::CaptureScreen(R);
        Integer N = 0;
        for (Integer Y = 0; Y < R.Height(); ++Y)
            for (Integer X = 0; X < R.Width(); ++X)
                if ((Shot->Pixel(X, Y) & 0xFFFFFF) == (PictureColour & 0xFFFFFF)) ++N;
        return N;
    }
};

// Runs Script on the program's dialog of type T once it is on the screen,
// from inside its modal loop (it comes up inside a call of the test).
template <class T>
class TWhenDialog {
public:
    explicit TWhenDialog(std::function<void(T*)> Script)
    {
        FTimer = std::make_unique<TTimer>(nullptr);
        FTimer->SetInterval(1);
        FTimer->OnTimer = [this, Script](TObject*) {
            T* Dialog = ActiveFormWindow ? dynamic_cast<T*>(FindControl(ActiveFormWindow)) : nullptr;
            if (!Dialog || !IsWindowVisible(Dialog->Handle())) return;
            FTimer->SetEnabled(false);
            ++FShown;
            WaitShown(Dialog);
            Script(Dialog);
        };
    }
    Integer Shown() const { return FShown; }

private:
    std::unique_ptr<TTimer> FTimer;
    Integer FShown = 0;
};

std::vector<String> Arguments(std::initializer_list<String> Args) { return Args; }

// Whether the program's message loop was told to end (taken off the queue:
// the application's own flag stays set once any test ended the loop).
bool QuitPosted()
{
    MSG Msg;
    return PeekMessageW(&Msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// The second start, in another process: the program's own entry.

TEST(Child, SecondStart)
{
    if (ChildMode() != u"second-start") GTEST_SKIP();
    // The skin platform is installed by the test program already. A start
    // that did not hand over would run a whole editor here and never end.
    ExitProcess(static_cast<UINT>(RunProgram({})));
}

// Starts the program's entry in another process with these arguments.
HANDLE StartSecondCopy(const String& File, const String& CallerId)
{
    TScopedEnv Env(u"LM_CHILD_MODE", u"second-start");
    String CommandLine = u"\"" + OwnProgramFile() + u"\" \"" + File + u"\" " + CallerId + u" " + ChildParameters();
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    PROCESS_INFORMATION Info = {};
    if (!CreateProcessW(nullptr, const_cast<wchar_t*>(WStr(CommandLine)), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &Startup, &Info)) {
        ADD_FAILURE() << "cannot start the second copy";
        return nullptr;
    }
    CloseHandle(Info.hThread);
    return Info.hProcess;
}

// ---------------------------------------------------------------------------

TEST_F(MainWindow, AFirstStartMakesTheTablesAndShowsANewImage)
{
    Start();
    ASSERT_TRUE(Form->MainWindowCreated());
    EXPECT_TRUE(Form->FormShown());
    EXPECT_TRUE(FileExists(DataFolder + u"Config.db"));
    EXPECT_EQ(ConfigTable->ItemCount(), 10);
    for (Integer R = 0; R < ConfigTable->ItemCount(); ++R) EXPECT_EQ(ConfigTable->GetItem(R)->ItemCount(), 50);
    EXPECT_EQ(ConfigTable->PropCount(), 100);
    EXPECT_EQ(ConfigTable->GetProp(1)->Value(), static_cast<Integer>(GetACP()));
    // The running window is known to a second start by its handle and caption.
    EXPECT_EQ(GetShareCell(u"LumatraStd", 1), IntToStr(reinterpret_cast<intptr_t>(Form->Handle())));
    EXPECT_NE(Form->Caption().find(MainTitleSuffix(LangColumn)), String::npos);
    // A new image, no file; the crop sizes of a first start.
    ASSERT_NE(Form->Documents().Live(), nullptr);
    EXPECT_TRUE(Form->Documents().FileName().empty() || !FileExists(Form->Documents().FileName()));
    EXPECT_EQ(CropSizesText(Form->CropSizes()), u"120.320.120.240");
    EXPECT_EQ(Form->CalledAppId(), 0);
    EXPECT_TRUE(Answers.Messages.empty());
    // No feedback address in the settings: no link.
    EXPECT_FALSE(Form->lblLink->Visible());
}

TEST_F(MainWindow, TheFileOnTheCommandLineIsTheFirstDocumentInTheView)
{
    struct {
        const char* Name;
        bool Exists;
        const char16_t* CallerId;
        Integer WantCaller;
    } const Cases[] = {
        {"a picture and its caller", true, u"77", 77},
        {"a picture gone: told, a new image", false, u"x", 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        String File = Picture(u"first.png");
        if (!C.Exists) {
            DeleteFile(File);
            File = Dir / u"gone.png";
        }
        Start(Arguments({File, C.CallerId}));
        EXPECT_EQ(Form->CalledAppId(), C.WantCaller);
        ASSERT_NE(Form->Documents().Live(), nullptr);
        if (C.Exists) {
            EXPECT_EQ(Form->Documents().FileName(), File);
            EXPECT_TRUE(Answers.Messages.empty());
            // The picture is what the canvas shows.
            EXPECT_TRUE(PumpUntil([&] { return PicturePixelsInView() > 100 * 100; }));
        } else {
            EXPECT_EQ(Answers.Messages.size(), 1u);
            EXPECT_EQ(PicturePixelsInView(), 0);
        }
        End();
        ReleaseInstanceClaim();
        Answers.Messages.clear();
    }
}

TEST_F(MainWindow, CloseHidesToTheTrayAfterTheNoticeUntilItIsLeftTicked)
{
    Start();
    ASSERT_FALSE(ConfigTable->GetProp(66)->AsBool());
    struct {
        const char* Name;
        bool NoticeShown;
        bool Untick;      // the user unticks the box before continuing
        bool NotAgain;    // property 66 afterwards
    } const Steps[] = {
        {"first close: the notice, unticked by the user", true, true, false},
        {"second close: the notice again, left ticked", true, false, true},
        {"third close: no notice", false, false, true},
    };
    for (const auto& S : Steps) {
        SCOPED_TRACE(S.Name);
        ASSERT_TRUE(IsWindowVisible(Form->Handle()));
        bool TickedWhenShown = false;
        String Text;
        TWhenDialog<TfrmRemindConfirm> Notice([&](TfrmRemindConfirm* N) {
            TickedWhenShown = N->chkNotRemind->Checked();
            Text = N->lblMsg->Caption();
            if (S.Untick) Click(ScreenCentre(N->chkNotRemind));
            Click(ScreenCentre(N->btnContinue));
        });
        CloseByUser();
        EXPECT_FALSE(QuitPosted());  // hidden, not closed: the program lives on in the tray
        EXPECT_EQ(Notice.Shown(), S.NoticeShown ? 1 : 0);
        if (S.NoticeShown) {
            EXPECT_TRUE(TickedWhenShown);
            EXPECT_EQ(Text, GetLangText(0, 197));
        }
        EXPECT_EQ(ConfigTable->GetProp(66)->AsBool(), S.NotAgain);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(Form->Handle()); }));
        EXPECT_NE(Form->Documents().Live(), nullptr);
        EXPECT_EQ(ActiveFormWindow, nullptr);

        // The show message: only wParam 1 shows the window.
        SendMessageW(Form->Handle(), WM_SHOWMAINWINDOW, 0, 0);
        Pump();
        EXPECT_FALSE(IsWindowVisible(Form->Handle()));
        SendMessageW(Form->Handle(), WM_SHOWMAINWINDOW, 1, 0);
        EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(Form->Handle()) != 0; }));
        WaitShown(Form);
    }
}

TEST_F(MainWindow, ASecondStartShowsTheRunningWindowAndHandsItsPicture)
{
    Start();
    ConfigTable->GetProp(66)->SetAsBool(true);
    CloseByUser();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(Form->Handle()); }));

    const String File = Picture(u"second.png");
    EXPECT_EQ(WaitForChild(StartSecondCopy(File, u"42")), 0);
    // The window is back, and the picture opens once the second copy is gone.
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return Form->Documents().FileName() == File; }));
    EXPECT_EQ(Form->CalledAppId(), 42);
    EXPECT_TRUE(Answers.Messages.empty());
}

TEST_F(MainWindow, ASecondStartFindsTheRunningWindowWhileItShowsAModalDialog)
{
    Start();
    const String File = Picture(u"modal.png");
    Integer ChildExit = -1;
    bool VisibleAfter = false, DialogInFront = false;
    String OpenUnderDialog;
    TWhenDialog<TfrmAbout> About([&](TfrmAbout* A) {
        // The window is disabled under the dialog, and was put in the tray.
        Form->Hide();
        ChildExit = WaitForChild(StartSecondCopy(File, u"5"));
        VisibleAfter = IsWindowVisible(Form->Handle()) != 0;
        Pump();
        OpenUnderDialog = Form->Documents().FileName();
        // The dialog is what the user sees of the window again.
        const TPoint P = ScreenCentre(A->btnClose);
        const HWND At = WindowFromPoint(POINT{P.X, P.Y});
        DialogInFront = At == A->Handle() || IsChild(A->Handle(), At);
        A->Close();
    });
    Form->ShowAbout();
    EXPECT_EQ(About.Shown(), 1);
    EXPECT_EQ(ChildExit, 0);
    EXPECT_TRUE(VisibleAfter);
    EXPECT_TRUE(DialogInFront);
    // Nothing is opened under the dialog; the picture comes once it is closed.
    EXPECT_NE(OpenUnderDialog, File);
    EXPECT_TRUE(PumpUntil([&] { return Form->Documents().FileName() == File; }));
    EXPECT_EQ(Form->CalledAppId(), 5);
}

TEST_F(MainWindow, AFileHandedOverByAnotherProgramOpensAfterItsCall)
{
    Start(Arguments({String(), u"3"}));
    ASSERT_EQ(Form->CalledAppId(), 3);
    const String File = Picture(u"handed.png");
    struct {
        const char* Name;
        String Block;        // the bytes sent, as UTF-16 units
        DWORD Bytes;         // cbData
        ULONG_PTR Caller;
        String Opened;       // the live document's file afterwards
        Integer WantCaller;
    } const Cases[] = {
        {"a file that cannot be opened: the caller is not kept", Dir / u"none.png" + String(1, u'\0'),
         0, 9, String(), 3},
        // No terminator inside the block: the name ends with it, not after it.
        {"a name without its terminator", File + u"JUNK", static_cast<DWORD>(File.size() * sizeof(Char)), 8, File,
         8},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        const String Before = Form->Documents().FileName();
        COPYDATASTRUCT Data = {};
        Data.dwData = C.Caller;
        Data.cbData = C.Bytes ? C.Bytes : static_cast<DWORD>(C.Block.size() * sizeof(Char));
        Data.lpData = const_cast<Char*>(C.Block.data());
        EXPECT_EQ(SendMessageW(Form->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Data)), 0);
        // Nothing happens inside the sender's call.
        EXPECT_EQ(Form->Documents().FileName(), Before);
        Pump();
        EXPECT_EQ(Form->Documents().FileName(), C.Opened.empty() ? Before : C.Opened);
        EXPECT_EQ(Form->CalledAppId(), C.WantCaller);
    }
}

TEST_F(MainWindow, TheTrayExitAsksAboutChangesAndCancelKeepsTheProgram)
{
    Start();
    ConfigTable->GetProp(66)->SetAsBool(true);
    Form->Documents().Live()->SetChanged(true);
    CloseByUser();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(Form->Handle()); }));

    // Cancel: asked with the window shown, and nothing ends.
    Answers.Answer = IDCANCEL;
    Form->Tray().muTrayClose->Click();
    EXPECT_EQ(Answers.Questions, 1);
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_FALSE(Form->AppClosed());
    EXPECT_FALSE(QuitPosted());

    // Not saved: the exit goes on and the message loop ends.
    Answers.Answer = IDNO;
    Form->Tray().muTrayClose->Click();
    EXPECT_EQ(Answers.Questions, 2);
    EXPECT_TRUE(Form->AppClosed());
    EXPECT_TRUE(QuitPosted());
}

TEST_F(MainWindow, TheEndWritesTheSettingsAndTheTables)
{
    Start();
    // A third crop size, and the text panel somewhere else.
    Form->CropSizes().AddItem(u"640,480");
    Form->pnlText->SetLeft(333);
    const HWND Window = Form->Handle();
    End();
    EXPECT_FALSE(IsWindow(Window));
    for (const char16_t* Table : {u"Config.db", u"OpenFile.db", u"Property1.db", u"Selection.db", u"Gradient.db",
                                  u"GradientObj.db"})
        EXPECT_TRUE(FileExists(DataFolder + Table)) << UTF8Encode(Table);

    // What the next start reads.
    DoneGlobals();
    InitGlobals(u"LumatraStd", 5);
    EXPECT_EQ(ConfigTable->GetItem(1)->GetItem(13)->Text(), u"120.320.640.120.240.480");
    EXPECT_EQ(ConfigTable->GetItem(1)->GetItem(15)->Value(), 333);
}

TEST_F(MainWindow, TheSessionsEndLetsItEndAndKeepsTheSettings)
{
    Start();
    Form->CropSizes().Clear();
    Form->CropSizes().AddItem(u"50,60");
    EXPECT_EQ(SendMessageW(Form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    // The session ending without the message loop's end: the settings are on disk.
    SendMessageW(Form->Handle(), WM_ENDSESSION, TRUE, 0);
    TDataTable Saved;
    Saved.SetIsAddVerifyCode(true);
    Saved.Load(DataFolder + u"Config.db", 0, 0);
    ASSERT_GT(Saved.ItemCount(), 1);
    EXPECT_EQ(Saved.GetItem(1)->GetItem(13)->Text(), u"50.60");
}

TEST_F(MainWindow, InDeveloperModeCloseAsksAndEndsWithoutTheTray)
{
    Start();
    const bool Saved = IsZezavEzazerExe;
    IsZezavEzazerExe = true;
    auto Restore = ScopeExit([&] { IsZezavEzazerExe = Saved; });
    Form->Documents().Live()->SetChanged(true);
    struct {
        const char* Name;
        Integer Answer;
        bool Ends;
    } const Steps[] = {
        {"cancel: the window stays", IDCANCEL, false},
        {"not saved: the program ends", IDNO, true},
    };
    for (const auto& S : Steps) {
        SCOPED_TRACE(S.Name);
        Answers.Answer = S.Answer;
        TWhenDialog<TfrmRemindConfirm> Notice([](TfrmRemindConfirm* N) { N->Close(); });
        CloseByUser();
        EXPECT_EQ(Notice.Shown(), 0);  // no tray, so no notice
        EXPECT_EQ(QuitPosted(), S.Ends);
        if (!S.Ends) EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    }
    EXPECT_FALSE(ConfigTable->GetProp(66)->AsBool());
}
