#include "shell/win/ProgramEntry.h"

#include <shellapi.h>

#include <cstdio>

#include "foundation/win/Global_Win.h"
#include "shell/MainLifecycle.h"
#include "shell/win/ZezavEzazerForm.h"

std::vector<String> ProgramArguments()
{
    std::vector<String> Args;
    int Count = 0;
    LPWSTR* Argv = CommandLineToArgvW(GetCommandLineW(), &Count);
    if (!Argv) return Args;
    for (int I = 1; I < Count; ++I) Args.push_back(FromWStr(Argv[I]));
    LocalFree(Argv);
    return Args;
}

void ReportFatalError(const String& Text)
{
    const String Caption = EditionTitle.empty() ? String(u"Quorvan Lumatra Standard") : EditionTitle;
    // Without a window station a message box cannot be shown: the text goes
    // to the standard error stream instead.
    if (MessageBoxW(nullptr, WStr(Text), WStr(Caption), MB_OK | MB_ICONERROR | MB_TASKMODAL) == 0) {
        std::fprintf(stderr, "%s: %s\n", UTF8Encode(Caption).c_str(), UTF8Encode(Text).c_str());
        std::fflush(stderr);
    }
}

int RunProgram(std::initializer_list<TApplication::TInstallProc> Installs)
{
    try {
        Application->Initialize(Installs);
        InitGlobals(u"LumatraStd", 5);
        LoadLangTable();
        // A second start hands its picture (and its caller) to the running copy.
        const std::vector<String> Args = ProgramArguments();
        if (ActivatePrevInstance(MainTitleSuffix(LangColumn), Args.empty() ? String() : ExpandFileName(Args[0]),
                                 Args.size() >= 2 ? CalledAppIdOf(Args[1]) : 0))
            return 0;
        Application->SetHintHidePause(20000);
        Application->CreateForm<TfrmZezavEzazer>(Args);
        Application->Run();
        return 0;
    } catch (const Exception& E) {
        ReportFatalError(E.Message());
    } catch (const std::exception& E) {
        ReportFatalError(UTF8ToString(E.what()));
    } catch (...) {
        ReportFatalError(u"Unknown error");
    }
    return 1;
}
