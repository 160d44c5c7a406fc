// The Windows file routines and the version reader, with the real calls.
#include <gtest/gtest.h>

#include <cstring>

#include "ChildProcess.h"
#include "../TempFolder.h"
#include "foundation/win/HyFileUtils_Win.h"
#include "foundation/win/QvFileVersion.h"

#include <shellapi.h>
#include <shlobj.h>

TEST(Child, ExitWith42)
{
    if (ChildMode() != u"exit42") GTEST_SKIP();
    ExitProcess(42);
}

TEST(HyFileUtilsWin, ClipboardFileListIsAWideDropList)
{
    const String List(u"C:\\a.png\0C:\\b.png\0", 18);
    CopyFilesToClipboard(List);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL Block = GetClipboardData(CF_HDROP);
    ASSERT_NE(Block, nullptr);
    ASSERT_GE(GlobalSize(Block), 58u);  // 20 of header, 19 wide characters
    const auto* Bytes = static_cast<const Byte*>(GlobalLock(Block));
    ASSERT_NE(Bytes, nullptr);
    const DROPFILES* Drop = reinterpret_cast<const DROPFILES*>(Bytes);
    EXPECT_EQ(Drop->pFiles, 20u);
    EXPECT_EQ(Drop->pt.x, 0);
    EXPECT_EQ(Drop->pt.y, 0);
    EXPECT_FALSE(Drop->fNC);
    EXPECT_TRUE(Drop->fWide);
    EXPECT_EQ(std::memcmp(Bytes + 20, List.data(), 36), 0);
    EXPECT_EQ(Bytes[56], 0);
    EXPECT_EQ(Bytes[57], 0);
    GlobalUnlock(Block);
    CloseClipboard();

    // A name outside the ANSI code page comes through whole.
    const String Chinese = u"C:\\图片\\海.png";
    CopyFilesToClipboard(Chinese + String(1, 0));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HDROP Drop2 = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    ASSERT_NE(Drop2, nullptr);
    EXPECT_EQ(DragQueryFileW(Drop2, 0xFFFFFFFF, nullptr, 0), 1u);
    wchar_t Name[MAX_PATH] = {};
    DragQueryFileW(Drop2, 0, Name, MAX_PATH);
    EXPECT_EQ(FromWStr(Name), Chinese);
    CloseClipboard();
}

TEST(HyFileUtilsWin, FileTimes)
{
    TTempFolder Dir;
    const TDateTime Zero = EncodeDate(1601, 1, 1);
    EXPECT_EQ(GetFileDateTime(Dir / u"missing.txt", 2), Zero);
    {
        TFileStream F(Dir / u"t.txt", fmCreate);
        F.WriteBuffer("x", 1);
    }
    TDateTime Age = 0;
    ASSERT_TRUE(FileAge(Dir / u"t.txt", Age));
    const TDateTime Written = GetFileDateTime(Dir / u"t.txt", 2);
    EXPECT_NEAR(Written, Age, 2.0 / 86400);
    EXPECT_NEAR(GetFileDateTime(Dir / u"t.txt", 0), Age, 2.0 / 86400);
    EXPECT_EQ(GetFileDateTime(Dir / u"t.txt", 7), Zero);

    FILETIME Time;
    GetFileTimeLocal(Dir / u"missing.txt", 2, Time);
    EXPECT_EQ(Time.dwLowDateTime | Time.dwHighDateTime, 0u);
}

TEST(HyFileUtilsWin, ExecuteFileStartsAProgramThroughTheShell)
{
    TScopedEnv Mode(u"LM_CHILD_MODE", u"exit42");
    HANDLE Process = ExecuteFile(OwnProgramFile(), ChildParameters());
    ASSERT_NE(Process, nullptr);
    EXPECT_EQ(WaitForSingleObject(Process, 60000), WAIT_OBJECT_0);
    DWORD Code = 0;
    GetExitCodeProcess(Process, &Code);
    EXPECT_EQ(Code, 42u);
    CloseHandle(Process);
    // (A missing file makes the shell show its own error box: not tried here.)
}

TEST(HyFileUtilsWin, VersionResourceOfThisProgram)
{
    const String Self = OwnProgramFile();
    EXPECT_EQ(GetFileVersionText(Self), u"5.2.6.0");
    TQvFileVersion V(Self, 1252, 0);
    EXPECT_EQ(V.FileVersionText(), u"5.2.6.0");
    EXPECT_EQ(V.ProductVersionText(), u"5.3.0.1");
    EXPECT_EQ(V.FileType(), ftApplication);
    EXPECT_EQ(V.OS(), VOS_NT_WINDOWS32);
    EXPECT_TRUE(V.PreRelease());
    EXPECT_TRUE(V.SpecialBuild());
    EXPECT_FALSE(V.Debug());
    EXPECT_FALSE(V.Patched());
    EXPECT_FALSE(V.PrivateBuild());
    EXPECT_FALSE(V.InfoInferred());
    EXPECT_EQ(V.Charset(), 1252);
    TDateTime Age = 0;
    ASSERT_TRUE(FileAge(Self, Age));
    EXPECT_EQ(V.DateTime(), Age);  // no date in the resource

    TTempFolder Dir;
    {
        TFileStream F(Dir / u"plain.txt", fmCreate);
        F.WriteBuffer("text", 4);
    }
    EXPECT_EQ(GetFileVersionText(Dir / u"plain.txt"), u"0.0.0.0");
    EXPECT_EQ(TQvFileVersion(Dir / u"plain.txt", 0, 0).FileType(), ftUnknown);
    EXPECT_EQ(GetFileVersionText(Dir / u"missing.exe"), u"");
}
