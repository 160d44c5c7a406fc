#include "gdiplus/win/GdiPlusHelpers.h"

#include "framework/runtime/SysUtils.h"

void GPAssert(bool Condition, std::source_location Where)
{
    if (Condition) return;
    // The unit is the source file's name without folder and extension.
    std::string File = Where.file_name();
    size_t Slash = File.find_last_of("/\\");
    if (Slash != std::string::npos) File.erase(0, Slash + 1);
    size_t Dot = File.find('.');
    if (Dot != std::string::npos) File.erase(Dot);
    AssertFailed(Format(u"Assertion failure (%s, line %d)", {Str(File.c_str()), Integer(Where.line())}));
}
