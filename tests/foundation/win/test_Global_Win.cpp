// Global over the real platform: the program's own resources, Share6.db held
// by another program, the single-instance hand-over between two processes and
// global hotkeys with their atoms. APPDATA points into a temporary folder.
#include <gtest/gtest.h>

#include <thread>

#include "ChildProcess.h"
#include "../TempFolder.h"
#include "foundation/win/Global_Win.h"
#include "foundation/win/HySysUtils_Win.h"

namespace {

const char16_t* const TitleSuffix = u"- Quorvan Lumatra Standard";

// What the test's stand-in for the main window received.
struct TReceived {
    Integer ShowMessages = 0;
    WPARAM ShowWParam = 0;
    String CopiedFile;
    ULONG_PTR CopiedId = 0;
    std::vector<WPARAM> Hotkeys;
};
TReceived Received;

LRESULT CALLBACK MainProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
        case WM_SHOWMAINWINDOW:
            ++Received.ShowMessages;
            Received.ShowWParam = WParam;
            if (WParam == 1) ShowWindow(Wnd, SW_SHOW);
            return 0;
        case WM_COPYDATA: {
            auto* Data = reinterpret_cast<const COPYDATASTRUCT*>(LParam);
            Received.CopiedId = Data->dwData;
            Received.CopiedFile = String(static_cast<const Char*>(Data->lpData));
            return 0;
        }
        case WM_HOTKEY:
            Received.Hotkeys.push_back(WParam);
            return 0;
    }
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

HWND CreateMainWindow(const String& Caption)
{
    static const wchar_t* Class = [] {
        WNDCLASSW Wc = {};
        Wc.lpfnWndProc = MainProc;
        Wc.hInstance = GetModuleHandleW(nullptr);
        Wc.lpszClassName = L"LmGlobalTestMain";
        RegisterClassW(&Wc);
        return L"LmGlobalTestMain";
    }();
    return CreateWindowExW(0, Class, WStr(Caption), WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class GlobalWinTest : public testing::Test {
protected:
    TTempFolder Dir;
    TScopedEnv EnvAppData{u"APPDATA", Dir / u"AppData"};
    void SetUp() override
    {
        Received = TReceived();
        ForceDirectories(Dir / u"AppData");
        InitGlobals(u"LumatraStd", 5);
    }
    void TearDown() override
    {
        ReleaseInstanceClaim();
        DoneGlobals();
    }
};

}  // namespace

// ---------------------------------------------------------------------------
// The second processes.

TEST(Child, SecondStart)
{
    if (ChildMode() != u"second-start") GTEST_SKIP();
    InitGlobals(u"LumatraStd", 5);
    ExitProcess(ActivatePrevInstance(TitleSuffix, u"C:\\pics\\a.png", 1) ? 1 : 0);
}

TEST(Child, HoldHotkey)
{
    if (ChildMode() != u"hold-hotkey") GTEST_SKIP();
    HANDLE Held = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"LmGlobalTestHotkeyHeld");
    HANDLE Release = OpenEventW(SYNCHRONIZE, FALSE, L"LmGlobalTestHotkeyRelease");
    const bool Ok = RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, 'M');
    SetEvent(Held);
    WaitForSingleObject(Release, 60000);
    ExitProcess(Ok ? 0 : 3);
}

// ---------------------------------------------------------------------------

TEST_F(GlobalWinTest, TheProgramsOwnResourcesAndSystemValues)
{
    EXPECT_EQ(ProductVersion, u"5.2.6.0");
    EXPECT_EQ(ProgramFolder, ExtractFilePath(OwnProgramFile()));
    EXPECT_EQ(SystemFolder, GetSystemFolder());
    EXPECT_EQ(ConfigTable->GetProp(1)->Value(), static_cast<Integer>(GetACP()));
    EXPECT_EQ(ConfigTable->GetProp(46)->Text(), GetOSVersionText());
    EXPECT_TRUE(FileExists(ShareFileName));

    LoadLangTable();
    EXPECT_NE(GetLangText(0, 163).find(TitleSuffix), String::npos);
    UpgradeConfigDefaults();
    EXPECT_NE(BuildWebLink(u"home").find(u"&v=5260&"), String::npos);
}

TEST_F(GlobalWinTest, Share6HeldByAnotherProgramIsWaitedFor)
{
    // Held for a moment: the write waits and goes through.
    {
        auto Held = std::make_unique<TFileStream>(ShareFileName, fmOpenReadWrite | fmShareExclusive);
        std::thread Releaser([&] {
            Sleep(300);
            Held.reset();
        });
        SetShareCells(u"LumatraStd", 14, u"D:\\gallery");
        Releaser.join();
    }
    EXPECT_EQ(GetShareCell(u"LumatraStd", 14), u"D:\\gallery");

    // Held all along: the call reports it, and start-up still goes on.
    TFileStream Held(ShareFileName, fmOpenReadWrite | fmShareExclusive);
    EXPECT_THROW(SetShareCells(u"LumatraStd", 14, u"E:\\other"), EFileStreamError);
    DoneGlobals();
    InitGlobals(u"LumatraStd", 5);
    ASSERT_NE(ProductShareRow, nullptr);
    EXPECT_EQ(ProductShareRow->GetItem(0)->Text(), u"LumatraStd");
}

TEST_F(GlobalWinTest, ASecondStartHandsOverToTheRunningOne)
{
    LoadLangTable();
    // This process plays the running copy: it claims the data folder first.
    ASSERT_FALSE(ActivatePrevInstance(TitleSuffix));
    HWND Main = CreateMainWindow(u"photo.jpg " + GetLangText(0, 163));
    SetShareCells(u"LumatraStd", 1, IntToStr(reinterpret_cast<intptr_t>(Main)));
    ASSERT_FALSE(IsWindowVisible(Main));

    EXPECT_EQ(WaitForChild(StartChild(u"second-start")), 1);
    EXPECT_EQ(Received.ShowMessages, 1);
    EXPECT_EQ(Received.ShowWParam, 1u);
    EXPECT_TRUE(IsWindowVisible(Main));
    EXPECT_EQ(Received.CopiedFile, u"C:\\pics\\a.png");
    EXPECT_EQ(Received.CopiedId, 1u);

    // A running copy showing a modal dialog is still found and told: two
    // copies would overwrite each other's tables.
    Received = TReceived();
    ShowWindow(Main, SW_HIDE);
    EnableWindow(Main, FALSE);
    EXPECT_EQ(WaitForChild(StartChild(u"second-start")), 1);
    EXPECT_EQ(Received.ShowMessages, 1);
    EXPECT_TRUE(IsWindowVisible(Main));
    EnableWindow(Main, TRUE);

    // No copy runs: the row's window, another program's or gone, is not asked.
    Received = TReceived();
    ReleaseInstanceClaim();
    EXPECT_EQ(WaitForChild(StartChild(u"second-start")), 0);
    SetWindowTextW(Main, L"Some other program");
    EXPECT_EQ(WaitForChild(StartChild(u"second-start")), 0);
    DestroyWindow(Main);
    EXPECT_EQ(WaitForChild(StartChild(u"second-start")), 0);
    EXPECT_EQ(Received.ShowMessages, 0);
}

TEST_F(GlobalWinTest, ACopyWithoutItsWindowYetStillKeepsTheSecondOut)
{
    // The running copy is still starting (or saving its tables at its end):
    // no window answers, and the second start still does not run beside it.
    ASSERT_FALSE(ActivatePrevInstance(TitleSuffix));
    EXPECT_EQ(WaitForChild(StartChild(u"second-start")), 1);
}

TEST_F(GlobalWinTest, AHungRunningCopyDoesNotHangTheSecond)
{
    LoadLangTable();
    ASSERT_FALSE(ActivatePrevInstance(TitleSuffix));
    HANDLE Created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE Unblock = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND Main = nullptr;
    // The window's thread never looks at its messages until the test ends.
    std::thread Hung([&] {
        Main = CreateMainWindow(GetLangText(0, 163));
        SetEvent(Created);
        WaitForSingleObject(Unblock, INFINITE);
        DestroyWindow(Main);
    });
    WaitForSingleObject(Created, INFINITE);
    SetShareCells(u"LumatraStd", 1, IntToStr(reinterpret_cast<intptr_t>(Main)));
    // It ends without waiting for the hung copy, and does not start beside it.
    EXPECT_EQ(WaitForChild(StartChild(u"second-start")), 1);
    SetEvent(Unblock);
    Hung.join();
    CloseHandle(Created);
    CloseHandle(Unblock);
}

TEST_F(GlobalWinTest, HotkeysWithAtomsAndAProcessHoldingOne)
{
    LoadLangTable();
    HWND Main = CreateMainWindow(u"main");
    InitSkinTable(Main, true);
    EXPECT_EQ(HotkeyWindow, Main);
    EXPECT_EQ(ActiveFormWindow, nullptr);

    HANDLE Held = CreateEventW(nullptr, TRUE, FALSE, L"LmGlobalTestHotkeyHeld");
    HANDLE Release = CreateEventW(nullptr, TRUE, FALSE, L"LmGlobalTestHotkeyRelease");
    HANDLE Child = StartChild(u"hold-hotkey");
    ASSERT_EQ(WaitForSingleObject(Held, 60000), WAIT_OBJECT_0);

    InitHotkeys(10, ByteSet({5, 6, 7, 8}), {6, 6, 6, 6}, {83, 77, 65, 70});
    const char16_t* Enabled[] = {u"-1", u"0", u"-1", u"-1"};
    const Integer Keys[] = {83, 77, 65, 70};
    for (Integer Row = 5; Row <= 8; ++Row) {
        SCOPED_TRACE(Row);
        TRow* R = HotkeyTable->GetItem(Row);
        EXPECT_EQ(R->GetItem(0)->Text(), Enabled[Row - 5]);
        EXPECT_EQ(R->GetItem(1)->Value(), 6);
        EXPECT_EQ(R->GetItem(2)->Value(), Keys[Row - 5]);
        const ATOM Atom = GlobalFindAtomW(WStr(u"Quorvan_HK_" + IntToStr(Row)));
        EXPECT_NE(Atom, 0);
        EXPECT_EQ(R->GetItem(3)->Value(), Atom);
    }
    SetEvent(Release);
    EXPECT_EQ(WaitForChild(Child), 0);

    // Ctrl+Shift+S typed anywhere reaches the main window as its row's atom.
    const WORD Sequence[][2] = {{VK_CONTROL, 0}, {VK_SHIFT, 0}, {'S', 0}, {'S', KEYEVENTF_KEYUP},
                                {VK_SHIFT, KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
    std::vector<INPUT> Inputs;
    for (const auto& S : Sequence) {
        INPUT In = {};
        In.type = INPUT_KEYBOARD;
        In.ki.wVk = S[0];
        In.ki.dwFlags = S[1];
        Inputs.push_back(In);
    }
    SendInput(static_cast<UINT>(Inputs.size()), Inputs.data(), sizeof(INPUT));
    for (int I = 0; I < 50 && Received.Hotkeys.empty(); ++I) {
        PumpMessages();
        Sleep(10);
    }
    ASSERT_EQ(Received.Hotkeys.size(), 1u);
    EXPECT_EQ(Received.Hotkeys[0], static_cast<WPARAM>(HotkeyTable->GetItem(5)->GetItem(3)->Value()));

    DoneHotkeys();
    for (Integer Row = 5; Row <= 8; ++Row)
        EXPECT_EQ(GlobalFindAtomW(WStr(u"Quorvan_HK_" + IntToStr(Row))), 0) << "row " << Row;
    // The keys are free again.
    EXPECT_TRUE(RegisterHotKey(Main, 1, MOD_CONTROL | MOD_SHIFT, 'S'));
    UnregisterHotKey(Main, 1);
    CloseHandle(Held);
    CloseHandle(Release);
    DestroyWindow(Main);
}
