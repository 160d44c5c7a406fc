#include "foundation/win/Global_Win.h"

#include <shlobj.h>

#include "foundation/HyDataTable.h"
#include "foundation/HyMediaPack.h"
#include "foundation/win/HyFileUtils_Win.h"
#include "foundation/win/HySysUtils_Win.h"
#include "framework/runtime/win/Classes_Win.h"

HWND HotkeyWindow = nullptr;
HWND ActiveFormWindow = nullptr;

namespace {

// How long a second start waits for the running copy to take a message.
constexpr UINT HandOverTimeout = 3000;

class TWinGlobalPlatform : public TGlobalPlatform {
public:
    String ProgramFileName() override
    {
        std::wstring Path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD N = GetModuleFileNameW(nullptr, Path.data(), static_cast<DWORD>(Path.size()));
            if (N < Path.size()) {
                Path.resize(N);
                return FromWStr(Path.c_str());
            }
            Path.resize(Path.size() * 2);
        }
    }
    String FileVersionText(const String& FileName) override { return GetFileVersionText(FileName); }
    String SystemFolder() override { return GetSystemFolder(); }
    String ShellAppDataFolder() override
    {
        wchar_t Folder[MAX_PATH] = {};
        return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, Folder))
                   ? FromWStr(Folder)
                   : String();
    }
    String OSVersionText() override { return GetOSVersionText(); }
    void AllowDropAndCopyData() override
    {
        if (Win32MajorVersion > 5) ::AllowDropAndCopyData();
    }
    std::unique_ptr<TStream> OpenResource(const String& Name) override
    {
        return std::make_unique<TResourceStream>(GetModuleHandleW(nullptr), Name);
    }
    Word FindOrAddAtom(const String& Name) override
    {
        const ATOM Found = GlobalFindAtomW(WStr(Name));
        return Found ? Found : GlobalAddAtomW(WStr(Name));
    }
    void DeleteAtom(Word Atom) override { GlobalDeleteAtom(Atom); }
    bool RegisterHotKey(Word Id, Integer Modifiers, Integer Key) override
    {
        return ::RegisterHotKey(HotkeyWindow, Id, static_cast<UINT>(Modifiers), static_cast<UINT>(Key)) != 0;
    }
    void UnregisterHotKey(Word Id) override { ::UnregisterHotKey(HotkeyWindow, Id); }
    void ShowInfoMsg(const String& Text, const String& Caption) override { ::ShowInfoMsg(Text, Caption); }
};

bool SendWithin(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    DWORD_PTR Result = 0;
    return SendMessageTimeoutW(Wnd, Msg, WParam, LParam, SMTO_ABORTIFHUNG | SMTO_NORMAL, HandOverTimeout, &Result) != 0;
}

}  // namespace

void InitGlobals(const String& AProductName, Byte AEditionCode, const String& DataFolderOverride)
{
    static TWinGlobalPlatform Platform;
    // Table files that cannot be read are reported with the stock content's errors.
    TableLogProc = LogStockError;
    InitGlobals(AProductName, AEditionCode, DataFolderOverride, Platform);
}

void InitSkinTable(HWND MainWindow, bool AllowMessages)
{
    HotkeyWindow = MainWindow;
    ActiveFormWindow = nullptr;
    InitSkinTable(AllowMessages);
}

namespace {

// The claim of this copy on its data folder, held until the process ends.
HANDLE InstanceMutex = nullptr;

// One name per data folder: the copies that would share (and overwrite) the
// same tables. Kernel object names take no backslash, so the folder is hashed.
String InstanceMutexName()
{
    Cardinal Hash = 2166136261u;  // FNV-1a over the upper-cased folder
    for (Char C : UpperCase(DataFolder)) Hash = (Hash ^ C) * 16777619u;
    return u"Local\\Quorvan_" + ProductName + u"_" + IntToHex(static_cast<Int64>(Hash), 8);
}

// The running copy's main window, when this product's Share6.db row names a
// window whose caption contains Title.
HWND RunningMainWindow(const String& Title)
{
    const Int64 Handle = StrToInt64Def(Trim(GetShareCell(ProductName, 1)), 0);
    HWND Wnd = reinterpret_cast<HWND>(static_cast<intptr_t>(Handle));
    if (!Wnd || !IsWindow(Wnd)) return nullptr;
    wchar_t Caption[1025] = {};
    GetWindowTextW(Wnd, Caption, 1025);
    return FromWStr(Caption).find(Title) == String::npos ? nullptr : Wnd;
}

}  // namespace

bool ActivatePrevInstance(const String& Title, const String& FileName, Integer CallerId)
{
    ReleaseInstanceClaim();
    InstanceMutex = CreateMutexW(nullptr, TRUE, WStr(InstanceMutexName()));
    if (!InstanceMutex) return false;  // no claim to be had: start as before
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;

    // Another copy holds the folder. Its window may still be coming (a slow
    // start) or already gone (its end is saving the tables): wait a little
    // for either. A modal dialog leaves the window disabled; it is still told
    // to show itself, and brings the dialog forward.
    const ULONGLONG End = GetTickCount64() + HandOverTimeout;
    for (;;) {
        if (HWND Wnd = RunningMainWindow(Title)) {
            // The running copy brings itself to the front; this copy, the
            // one the user just started, may let it.
            DWORD Process = 0;
            GetWindowThreadProcessId(Wnd, &Process);
            AllowSetForegroundWindow(Process);
            // With a time-out: a running copy that hangs must not hang this one too.
            if (SendWithin(Wnd, WM_SHOWMAINWINDOW, 1, 0)) {
                if (!FileName.empty()) {
                    COPYDATASTRUCT Data = {};
                    Data.dwData = static_cast<ULONG_PTR>(CallerId);
                    Data.cbData = static_cast<DWORD>((FileName.size() + 1) * sizeof(Char));
                    Data.lpData = const_cast<Char*>(FileName.c_str());
                    SendWithin(Wnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Data));
                }
                // Its dialog, when it shows one, rather than the window under it.
                SetForegroundWindow(GetLastActivePopup(Wnd));
            }
            break;
        }
        const DWORD Wait = WaitForSingleObject(InstanceMutex, 50);
        if (Wait == WAIT_OBJECT_0 || Wait == WAIT_ABANDONED) return false;  // that copy has ended
        if (GetTickCount64() >= End) break;
    }
    // A copy runs: this one ends rather than write the same tables.
    CloseHandle(InstanceMutex);
    InstanceMutex = nullptr;
    return true;
}

void ReleaseInstanceClaim()
{
    if (!InstanceMutex) return;
    ReleaseMutex(InstanceMutex);
    CloseHandle(InstanceMutex);
    InstanceMutex = nullptr;
}
