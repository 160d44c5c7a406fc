// SaveFileSet: files that must change together (a folder of a description
// and the files it names), saved through the one atomic save of a file.
#pragma once

#include <functional>
#include <vector>

#include "framework/runtime/Classes.h"

// Each file is written whole through SaveFileAtomically into a temporary
// beside it ("~<name>.new.tmp"); only when all are written are they put in
// place, each old file kept under a third name ("~<name>.old.tmp") until all
// are in place. A failure anywhere raises as SaveFileAtomically does and
// leaves every old file as it was (a file that was not there stays absent),
// with no temporary left. A name given twice is written once, the last time.
struct TFileToSave {
    String FileName;
    std::function<void(TStream* Stream)> Write;
};
void SaveFilesAtomically(const std::vector<TFileToSave>& Files);
