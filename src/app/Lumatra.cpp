// The program's entry: the start-up installs of the libraries, lowest layer
// first, then the editor (shell/win/ProgramEntry).
#include "Component/Raster32/win/Ras32_Image.h"
#include "document/win/ImageDraw_Win.h"
#include "filters/FiltersStartup.h"
#include "foundation/win/HyMediaPack_Win.h"
#include "shell/win/ProgramEntry.h"
#include "skin/model/win/SFKernels_Win.h"
#include "skin/model/win/SFSkinData_Win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    // The skin kernels come before any form: every skinned surface draws through them.
    const int ExitCode = RunProgram({InstallFilters, InstallImageControls, InstallMediaPackPlatform,
                                     InstallSkinKernelsWin, InstallSkinDataWin, InstallImageDrawHooks});
    UninstallSkinKernels();
    return ExitCode;
}
