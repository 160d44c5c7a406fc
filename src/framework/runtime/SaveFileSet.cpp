#include "framework/runtime/SaveFileSet.h"

#include <algorithm>

#include "framework/runtime/SysUtils.h"

void SaveFilesAtomically(const std::vector<TFileToSave>& Files)
{
    struct TStep {
        const TFileToSave* File;
        String Temp, Backup;
        bool HadOld = false;
    };
    std::vector<TStep> Steps;
    for (const TFileToSave& F : Files) {
        const String Path = ExpandFileName(F.FileName);
        auto Same = [&](const TStep& S) { return SameText(ExpandFileName(S.File->FileName), Path); };
        Steps.erase(std::remove_if(Steps.begin(), Steps.end(), Same), Steps.end());
        const String Beside = ExtractFilePath(Path) + u"~" + ExtractFileName(Path);
        Steps.push_back({&F, Beside + u".new.tmp", Beside + u".old.tmp"});
    }
    auto Remove = ScopeExit([&] {
        for (const TStep& S : Steps) DeleteFile(S.Temp);
    });
    for (const TStep& S : Steps) SaveFileAtomically(S.Temp, S.File->Write);
    // Renames within one folder need no room on the disk; the ones done are
    // undone, newest first, when one fails.
    size_t Placed = 0;
    auto Undo = ScopeExit([&] {
        while (Placed > 0) {
            const TStep& S = Steps[--Placed];
            if (S.HadOld) RenameFileReplacing(S.Backup, S.File->FileName);
            else DeleteFile(S.File->FileName);
        }
    });
    for (TStep& S : Steps) {
        const String& Target = S.File->FileName;
        if (FileExists(Target)) {
            if (!RenameFileReplacing(Target, S.Backup)) throw EFCreateError(u"Cannot create file \"" + Target + u"\".");
            S.HadOld = true;
        }
        if (!RenameFileReplacing(S.Temp, Target)) {
            if (S.HadOld) RenameFileReplacing(S.Backup, Target);
            throw EFCreateError(u"Cannot create file \"" + Target + u"\".");
        }
        ++Placed;
    }
    Undo.Dismiss();
    for (const TStep& S : Steps)
        if (S.HadOld) DeleteFile(S.Backup);
}
