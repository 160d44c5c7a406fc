#include "foundation/win/QvFileVersion.h"

#include <vector>

#include "framework/runtime/win/WinPlatform.h"

namespace {

String VersionText(const TQvNumberVersionInfo& V)
{
    return Format(u"%d.%d.%d.%d", {V[0], V[1], V[2], V[3]});
}

}  // namespace

TQvFileVersion::TQvFileVersion(const String& AFileName, Integer ACharset, Integer ALanguage)
    : FFileName(AFileName), FCharset(ACharset), FLanguage(ALanguage)
{
    ReadVersionInfo();
}

String TQvFileVersion::FileVersionText() const
{
    return VersionText(FFileVersion);
}

String TQvFileVersion::ProductVersionText() const
{
    return VersionText(FProductVersion);
}

void TQvFileVersion::ReadVersionInfo()
{
    FFileVersion = {};
    FProductVersion = {};
    if (!FileExists(FFileName)) return;
    FileAge(FFileName, FDateTime);

    DWORD Ignored = 0;
    const DWORD Size = GetFileVersionInfoSizeW(WStr(FFileName), &Ignored);
    if (Size == 0) return;
    std::vector<Byte> Buffer(Size);
    if (!GetFileVersionInfoW(WStr(FFileName), 0, Size, Buffer.data())) return;
    VS_FIXEDFILEINFO* Info = nullptr;
    UINT InfoSize = 0;
    if (!VerQueryValueW(Buffer.data(), L"\\", reinterpret_cast<void**>(&Info), &InfoSize) || !Info ||
        InfoSize < sizeof(VS_FIXEDFILEINFO))
        return;

    FFileVersion = {HIWORD(Info->dwFileVersionMS), LOWORD(Info->dwFileVersionMS), HIWORD(Info->dwFileVersionLS),
                    LOWORD(Info->dwFileVersionLS)};
    FProductVersion = {HIWORD(Info->dwProductVersionMS), LOWORD(Info->dwProductVersionMS),
                       HIWORD(Info->dwProductVersionLS), LOWORD(Info->dwProductVersionLS)};
    switch (Info->dwFileType) {
        case VFT_APP: FFileType = ftApplication; break;
        case VFT_DLL: FFileType = ftDLL; break;
        case VFT_DRV: FFileType = ftDriver; break;
        case VFT_FONT: FFileType = ftFont; break;
        case VFT_VXD: FFileType = ftVXD; break;
        case VFT_STATIC_LIB: FFileType = ftStaticLibrary; break;
        default: FFileType = ftUnknown; break;
    }
    FFileSubType = static_cast<Integer>(Info->dwFileSubtype);
    if (Info->dwFileDateMS != 0 || Info->dwFileDateLS != 0) {
        FILETIME Time = {Info->dwFileDateLS, Info->dwFileDateMS};
        SYSTEMTIME S;
        TDateTime Date, Clock;
        if (FileTimeToSystemTime(&Time, &S) && TryEncodeDate(S.wYear, S.wMonth, S.wDay, Date) &&
            TryEncodeTime(S.wHour, S.wMinute, S.wSecond, S.wMilliseconds, Clock))
            FDateTime = Date + Clock;
    }
    const DWORD Flags = Info->dwFileFlags & Info->dwFileFlagsMask;
    FDebug = Flags & VS_FF_DEBUG;
    FInfoInferred = Flags & VS_FF_INFOINFERRED;
    FPatched = Flags & VS_FF_PATCHED;
    FPreRelease = Flags & VS_FF_PRERELEASE;
    FPrivateBuild = Flags & VS_FF_PRIVATEBUILD;
    FSpecialBuild = Flags & VS_FF_SPECIALBUILD;
    FOS = static_cast<Integer>(Info->dwFileOS);
}
